// ScopeConsole.
#include "mmc/host/scope_console.h"

#include "mmc/host/console.h"
#include "mmc/host/view.h"

namespace pw::mmc {

View* ScopeConsole::ActiveView() const {
  return console_ != nullptr ? console_->active_view() : nullptr;
}

HRESULT ScopeConsole::SetHeader(IHeaderCtrl*) { return E_NOTIMPL; }
HRESULT ScopeConsole::SetToolbar(IToolbar*) { return E_NOTIMPL; }

HRESULT ScopeConsole::QueryResultView(IUnknown** result_view) {
  if (result_view == nullptr) return E_POINTER;
  *result_view = nullptr;
  View* view = ActiveView();
  return view != nullptr ? view->QueryResultView(result_view) : E_UNEXPECTED;
}

HRESULT ScopeConsole::QueryScopeImageList(IImageList** image_list) {
  if (image_list == nullptr) return E_POINTER;
  *image_list = nullptr;
  if (console_ == nullptr) return E_UNEXPECTED;
  return ComPtr<IImageList>(console_->scope_images()).CopyTo(image_list);
}

HRESULT ScopeConsole::QueryResultImageList(IImageList** image_list) {
  if (image_list == nullptr) return E_POINTER;
  *image_list = nullptr;
  View* view = ActiveView();
  if (view == nullptr) return E_UNEXPECTED;
  return ComPtr<IImageList>(view->result_images()).CopyTo(image_list);
}

HRESULT ScopeConsole::UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->UpdateAllViews(data_object, data, hint);
}

HRESULT ScopeConsole::MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->MessageBox(text, title, style, result);
}

HRESULT ScopeConsole::QueryConsoleVerb(IConsoleVerb** console_verb) {
  if (console_verb == nullptr) return E_POINTER;
  *console_verb = nullptr;
  View* view = ActiveView();
  if (view == nullptr) return E_UNEXPECTED;
  return ComPtr<IConsoleVerb>(view->verbs()).CopyTo(console_verb);
}

HRESULT ScopeConsole::SelectScopeItem(HSCOPEITEM item) {
  View* view = ActiveView();
  return view != nullptr ? view->SnapInSelectScopeItem(item) : E_UNEXPECTED;
}

HRESULT ScopeConsole::GetMainWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = nullptr;
  if (console_ == nullptr) return E_UNEXPECTED;
  *window = console_->ui().MainWindow();
  return S_OK;
}

HRESULT ScopeConsole::NewWindow(HSCOPEITEM item, ULONG) {
  if (console_ == nullptr) return E_UNEXPECTED;
  int view_id = 0;
  return console_->NewView(item, &view_id);
}

HRESULT ScopeConsole::Expand(HSCOPEITEM item, BOOL expand) {
  View* view = ActiveView();
  return view != nullptr ? view->ExpandInTree(item, expand != FALSE) : E_UNEXPECTED;
}

HRESULT ScopeConsole::IsTaskpadViewPreferred() { return S_FALSE; }

HRESULT ScopeConsole::SetStatusText(LPOLESTR text) {
  View* view = ActiveView();
  return view != nullptr ? view->SetStatusText(text) : E_UNEXPECTED;
}

HRESULT ScopeConsole::InsertItem(SCOPEDATAITEM* item) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->InsertScopeItem(item);
}

HRESULT ScopeConsole::DeleteItem(HSCOPEITEM item, LONG delete_this) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->DeleteScopeItem(item, delete_this != 0);
}

HRESULT ScopeConsole::SetItem(SCOPEDATAITEM* item) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->SetScopeItem(item);
}

HRESULT ScopeConsole::GetItem(SCOPEDATAITEM* item) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->tree().Get(item);
}

HRESULT ScopeConsole::Answer(HSCOPEITEM found, HSCOPEITEM* item, MMC_COOKIE* cookie) const {
  *item = found;
  if (cookie != nullptr) *cookie = 0;
  if (found == 0) return S_FALSE;
  if (cookie != nullptr) *cookie = console_->tree().Find(found)->cookie;
  return S_OK;
}

HRESULT ScopeConsole::GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) {
  if (child == nullptr) return E_POINTER;
  *child = 0;
  if (console_ == nullptr) return E_UNEXPECTED;
  if (!console_->tree().Contains(item)) return E_INVALIDARG;
  return Answer(console_->tree().FirstChild(item), child, cookie);
}

HRESULT ScopeConsole::GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) {
  if (next == nullptr) return E_POINTER;
  *next = 0;
  if (console_ == nullptr) return E_UNEXPECTED;
  if (!console_->tree().Contains(item)) return E_INVALIDARG;
  return Answer(console_->tree().NextSibling(item), next, cookie);
}

HRESULT ScopeConsole::GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) {
  if (parent == nullptr) return E_POINTER;
  *parent = 0;
  if (console_ == nullptr) return E_UNEXPECTED;
  const ScopeItem* found = console_->tree().Find(item);
  if (found == nullptr) return E_INVALIDARG;
  return Answer(found->parent, parent, cookie);
}

HRESULT ScopeConsole::Expand(HSCOPEITEM item) {
  if (console_ == nullptr) return E_UNEXPECTED;
  return console_->EnsureExpanded(item);
}

HRESULT ScopeConsole::AddExtension(HSCOPEITEM, CLSID*) { return E_NOTIMPL; }

}  // namespace pw::mmc
