// Controlbar and Toolbar.
#include "mmc/host/controlbar.h"

#include <algorithm>

namespace pw::mmc {
namespace {

BYTE ToolbarBit(MMC_BUTTON_STATE state) {
  switch (state) {
    case ENABLED:
      return TBSTATE_ENABLED;
    case CHECKED:
      return TBSTATE_CHECKED;
    case HIDDEN:
      return TBSTATE_HIDDEN;
    case INDETERMINATE:
      return TBSTATE_INDETERMINATE;
    case BUTTONPRESSED:
      return TBSTATE_PRESSED;
  }
  return 0;
}

ToolbarButton FromMmcButton(const MMCBUTTON& button) {
  ToolbarButton made;
  made.bitmap = button.nBitmap;
  made.command = button.idCommand;
  made.state = button.fsState;
  made.type = button.fsType;
  if (button.lpButtonText != nullptr) made.text = button.lpButtonText;
  if (button.lpTooltipText != nullptr) made.tooltip = button.lpTooltipText;
  return made;
}

}  // namespace

const ToolbarButton* Toolbar::FindButton(int command) const {
  for (const ToolbarButton& button : buttons_) {
    if ((button.type & TBSTYLE_SEP) == 0 && button.command == command) return &button;
  }
  return nullptr;
}

ToolbarButton* Toolbar::FindButtonToChange(int command) {
  return const_cast<ToolbarButton*>(FindButton(command));
}

HRESULT Toolbar::AddBitmap(int images, HBITMAP bitmap, int cx, int cy, COLORREF mask) {
  const ImagePixels* strip = BitmapPixels(bitmap);
  if (strip == nullptr || images <= 0 || cx <= 0 || cy <= 0) return E_INVALIDARG;
  if (strip->pixels.size() !=
      static_cast<std::size_t>(strip->width) * static_cast<std::size_t>(strip->height)) {
    return E_INVALIDARG;
  }
  const std::uint32_t masked = (static_cast<std::uint32_t>(GetRValue(mask)) << 16) |
                               (static_cast<std::uint32_t>(GetGValue(mask)) << 8) | GetBValue(mask);
  const int height = std::min(cy, strip->height);
  for (int i = 0; i < images; ++i) {
    ImagePixels image;
    image.width = cx;
    image.height = cy;
    image.pixels.assign(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), 0);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < cx; ++x) {
        const int source_x = i * cx + x;
        if (source_x >= strip->width) break;
        std::uint32_t pixel =
            strip->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(strip->width) +
                          static_cast<std::size_t>(source_x)];
        if ((pixel & 0x00FFFFFFu) == masked) pixel = 0;
        image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(cx) +
                     static_cast<std::size_t>(x)] = pixel;
      }
    }
    images_.push_back(std::move(image));
  }
  ++revision_;
  return S_OK;
}

HRESULT Toolbar::AddButtons(int count, MMCBUTTON* buttons) {
  if (count < 0 || (count > 0 && buttons == nullptr)) return E_INVALIDARG;
  for (int i = 0; i < count; ++i) buttons_.push_back(FromMmcButton(buttons[i]));
  ++revision_;
  return S_OK;
}

HRESULT Toolbar::InsertButton(int index, MMCBUTTON* button) {
  if (button == nullptr || index < 0 || index > static_cast<int>(buttons_.size())) {
    return E_INVALIDARG;
  }
  buttons_.insert(buttons_.begin() + index, FromMmcButton(*button));
  ++revision_;
  return S_OK;
}

HRESULT Toolbar::DeleteButton(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return E_INVALIDARG;
  buttons_.erase(buttons_.begin() + index);
  ++revision_;
  return S_OK;
}

HRESULT Toolbar::GetButtonState(int command, MMC_BUTTON_STATE state, BOOL* value) {
  if (value == nullptr) return E_POINTER;
  *value = FALSE;
  const ToolbarButton* button = FindButton(command);
  const BYTE bit = ToolbarBit(state);
  if (button == nullptr || bit == 0) return E_INVALIDARG;
  *value = (button->state & bit) != 0 ? TRUE : FALSE;
  return S_OK;
}

HRESULT Toolbar::SetButtonState(int command, MMC_BUTTON_STATE state, BOOL value) {
  ToolbarButton* button = FindButtonToChange(command);
  const BYTE bit = ToolbarBit(state);
  if (button == nullptr || bit == 0) return E_INVALIDARG;
  button->state = static_cast<BYTE>(value != FALSE ? button->state | bit : button->state & ~bit);
  ++revision_;
  return S_OK;
}

bool Controlbar::IsAttached(const Toolbar* toolbar) const {
  return std::find(attached_.begin(), attached_.end(), toolbar) != attached_.end();
}

void Controlbar::Shutdown() {
  shut_down_ = true;
  attached_.clear();
  for (auto& toolbar : toolbars_) toolbar->Disconnect();
  toolbars_.clear();
  ++revision_;
}

std::uint64_t Controlbar::revision() const {
  std::uint64_t sum = revision_;
  for (const auto& toolbar : toolbars_) sum += toolbar->revision();
  return sum;
}

Toolbar* Controlbar::OwnToolbar(IUnknown* control) const {
  if (control == nullptr) return nullptr;
  ComPtr<IToolbar> toolbar;
  if (FAILED(control->QueryInterface(IID_IToolbar, toolbar.ReleaseAndGetVoidAddressOf()))) {
    return nullptr;
  }
  for (const auto& own : toolbars_) {
    if (static_cast<IToolbar*>(own.Get()) == toolbar.Get()) return own.Get();
  }
  return nullptr;
}

HRESULT Controlbar::Create(MMC_CONTROL_TYPE type, IExtendControlbar* owner, IUnknown** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  if (shut_down_) return E_UNEXPECTED;
  if (type != TOOLBAR) return E_NOTIMPL;
  if (owner == nullptr) return E_INVALIDARG;
  auto toolbar = MakeComObject<Toolbar>(ComPtr<IExtendControlbar>(owner));
  if (!toolbar) return E_OUTOFMEMORY;
  toolbars_.push_back(toolbar);
  ++revision_;
  return toolbar->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(control));
}

HRESULT Controlbar::Attach(MMC_CONTROL_TYPE type, IUnknown* control) {
  if (shut_down_) return E_UNEXPECTED;
  if (type != TOOLBAR) return E_NOTIMPL;
  Toolbar* toolbar = OwnToolbar(control);
  if (toolbar == nullptr) return E_INVALIDARG;
  if (!IsAttached(toolbar)) attached_.push_back(toolbar);
  ++revision_;
  return S_OK;
}

HRESULT Controlbar::Detach(IUnknown* control) {
  if (shut_down_) return E_UNEXPECTED;
  Toolbar* toolbar = OwnToolbar(control);
  if (toolbar == nullptr) return E_INVALIDARG;
  std::erase(attached_, toolbar);
  ++revision_;
  return S_OK;
}

}  // namespace pw::mmc
