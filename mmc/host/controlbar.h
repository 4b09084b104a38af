// Controlbar and Toolbar: the toolbars a snap-in creates through a view's IControlbar, their
// buttons and states, and which of them are attached (shown) for the current selection.
#pragma once

#include <string>
#include <vector>

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"
#include "platform/win/resources.h"

namespace pw::mmc {

struct ToolbarButton {
  int bitmap = 0;
  int command = 0;
  BYTE state = 0;  // TBSTATE_ bits
  BYTE type = 0;   // TBSTYLE_ bits
  std::wstring text;
  std::wstring tooltip;
};

// A toolbar made by IControlbar::Create for the snap-in object that will hear its button
// clicks. Lives while the snap-in or the controlbar holds it; the controlbar disconnects it
// from its owner when the view ends, which breaks the reference cycle between them.
class Toolbar final : public ComObject<IToolbar> {
 public:
  explicit Toolbar(ComPtr<IExtendControlbar> owner) : owner_(std::move(owner)) {}

  IExtendControlbar* owner() const { return owner_.Get(); }
  void Disconnect() { owner_ = nullptr; }
  const std::vector<ToolbarButton>& buttons() const { return buttons_; }
  const std::vector<ImagePixels>& images() const { return images_; }
  // The button with `command`; null when there is none.
  const ToolbarButton* FindButton(int command) const;

  HRESULT AddBitmap(int images, HBITMAP bitmap, int cx, int cy, COLORREF mask) override;
  HRESULT AddButtons(int count, MMCBUTTON* buttons) override;
  HRESULT InsertButton(int index, MMCBUTTON* button) override;
  HRESULT DeleteButton(int index) override;
  HRESULT GetButtonState(int command, MMC_BUTTON_STATE state, BOOL* value) override;
  HRESULT SetButtonState(int command, MMC_BUTTON_STATE state, BOOL value) override;

  std::uint64_t revision() const { return revision_; }

 private:
  ToolbarButton* FindButtonToChange(int command);

  ComPtr<IExtendControlbar> owner_;
  std::vector<ToolbarButton> buttons_;
  std::vector<ImagePixels> images_;
  std::uint64_t revision_ = 0;
};

// The controlbar of one view. Only toolbars are supported as controls (menu buttons and combo
// boxes answer E_NOTIMPL).
class Controlbar final : public ComObject<IControlbar> {
 public:
  // In the order they were created.
  const std::vector<ComPtr<Toolbar>>& toolbars() const { return toolbars_; }
  // In the order they were attached.
  const std::vector<Toolbar*>& attached() const { return attached_; }
  bool IsAttached(const Toolbar* toolbar) const;
  // Detaches and disconnects every toolbar; the view is ending.
  void Shutdown();
  std::uint64_t revision() const;

  HRESULT Create(MMC_CONTROL_TYPE type, IExtendControlbar* owner, IUnknown** control) override;
  HRESULT Attach(MMC_CONTROL_TYPE type, IUnknown* control) override;
  HRESULT Detach(IUnknown* control) override;

 private:
  Toolbar* OwnToolbar(IUnknown* control) const;

  std::vector<ComPtr<Toolbar>> toolbars_;
  std::vector<Toolbar*> attached_;
  bool shut_down_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace pw::mmc
