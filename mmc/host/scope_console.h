// ScopeConsole: the console object that the snap-in's IComponentData receives in Initialize —
// IConsole2 (acting on the console's active view) and IConsoleNameSpace2 (the scope tree).
#pragma once

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

class Console;
class View;

// Made by the console, detached when it closes; a detached object answers E_UNEXPECTED.
class ScopeConsole final : public ComObject<IConsole2, IConsoleNameSpace2> {
 public:
  explicit ScopeConsole(Console* console) : console_(console) {}

  void Detach() { console_ = nullptr; }

  // IConsole, IConsole2
  HRESULT SetHeader(IHeaderCtrl* header) override;
  HRESULT SetToolbar(IToolbar* toolbar) override;
  HRESULT QueryResultView(IUnknown** result_view) override;
  HRESULT QueryScopeImageList(IImageList** image_list) override;
  HRESULT QueryResultImageList(IImageList** image_list) override;
  HRESULT UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint) override;
  HRESULT MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) override;
  HRESULT QueryConsoleVerb(IConsoleVerb** console_verb) override;
  HRESULT SelectScopeItem(HSCOPEITEM item) override;
  HRESULT GetMainWindow(HWND* window) override;
  HRESULT NewWindow(HSCOPEITEM item, ULONG options) override;
  HRESULT Expand(HSCOPEITEM item, BOOL expand) override;
  HRESULT IsTaskpadViewPreferred() override;
  HRESULT SetStatusText(LPOLESTR text) override;

  // IConsoleNameSpace, IConsoleNameSpace2
  HRESULT InsertItem(SCOPEDATAITEM* item) override;
  HRESULT DeleteItem(HSCOPEITEM item, LONG delete_this) override;
  HRESULT SetItem(SCOPEDATAITEM* item) override;
  HRESULT GetItem(SCOPEDATAITEM* item) override;
  HRESULT GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) override;
  HRESULT GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) override;
  HRESULT GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) override;
  HRESULT Expand(HSCOPEITEM item) override;
  HRESULT AddExtension(HSCOPEITEM item, CLSID* extension) override;

 private:
  View* ActiveView() const;
  // Answers the item and its cookie (0 and S_FALSE when there is none).
  HRESULT Answer(HSCOPEITEM found, HSCOPEITEM* item, MMC_COOKIE* cookie) const;

  Console* console_;
};

}  // namespace pw::mmc
