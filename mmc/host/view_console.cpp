// ViewConsole.
#include "mmc/host/view_console.h"

#include "mmc/host/console.h"
#include "mmc/host/scope_console.h"
#include "mmc/host/view.h"

namespace pw::mmc {

#define PW_VIEW_OR_FAIL() \
  if (view_ == nullptr) return E_UNEXPECTED

HRESULT ViewConsole::QueryInterface(REFIID iid, void** object) {
  if (object != nullptr && console_ != nullptr &&
      (iid == IID_IConsoleNameSpace || iid == IID_IConsoleNameSpace2)) {
    return console_->scope_console()->QueryInterface(iid, object);
  }
  return ComObject::QueryInterface(iid, object);
}

HRESULT ViewConsole::SetHeader(IHeaderCtrl*) { return E_NOTIMPL; }
HRESULT ViewConsole::SetToolbar(IToolbar*) { return E_NOTIMPL; }

HRESULT ViewConsole::QueryResultView(IUnknown** result_view) {
  PW_VIEW_OR_FAIL();
  return view_->QueryResultView(result_view);
}

HRESULT ViewConsole::QueryScopeImageList(IImageList** image_list) {
  if (image_list == nullptr) return E_POINTER;
  *image_list = nullptr;
  PW_VIEW_OR_FAIL();
  return ComPtr<IImageList>(console_->scope_images()).CopyTo(image_list);
}

HRESULT ViewConsole::QueryResultImageList(IImageList** image_list) {
  if (image_list == nullptr) return E_POINTER;
  *image_list = nullptr;
  PW_VIEW_OR_FAIL();
  return ComPtr<IImageList>(view_->result_images()).CopyTo(image_list);
}

HRESULT ViewConsole::UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint) {
  PW_VIEW_OR_FAIL();
  return console_->UpdateAllViews(data_object, data, hint);
}

HRESULT ViewConsole::MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) {
  PW_VIEW_OR_FAIL();
  return console_->MessageBox(text, title, style, result);
}

HRESULT ViewConsole::QueryConsoleVerb(IConsoleVerb** console_verb) {
  if (console_verb == nullptr) return E_POINTER;
  *console_verb = nullptr;
  PW_VIEW_OR_FAIL();
  return ComPtr<IConsoleVerb>(view_->verbs()).CopyTo(console_verb);
}

HRESULT ViewConsole::SelectScopeItem(HSCOPEITEM item) {
  PW_VIEW_OR_FAIL();
  return view_->SnapInSelectScopeItem(item);
}

HRESULT ViewConsole::GetMainWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = nullptr;
  PW_VIEW_OR_FAIL();
  *window = console_->ui().MainWindow();
  return S_OK;
}

HRESULT ViewConsole::NewWindow(HSCOPEITEM item, ULONG) {
  PW_VIEW_OR_FAIL();
  int view_id = 0;
  return console_->NewView(item, &view_id);
}

HRESULT ViewConsole::Expand(HSCOPEITEM item, BOOL expand) {
  PW_VIEW_OR_FAIL();
  return view_->ExpandInTree(item, expand != FALSE);
}

HRESULT ViewConsole::IsTaskpadViewPreferred() { return S_FALSE; }

HRESULT ViewConsole::SetStatusText(LPOLESTR text) {
  PW_VIEW_OR_FAIL();
  return view_->SetStatusText(text);
}

HRESULT ViewConsole::InsertItem(RESULTDATAITEM* item) {
  PW_VIEW_OR_FAIL();
  return view_->InsertItem(item);
}

HRESULT ViewConsole::DeleteItem(HRESULTITEM item_id, int column) {
  PW_VIEW_OR_FAIL();
  return view_->DeleteItem(item_id, column);
}

HRESULT ViewConsole::FindItemByLParam(LPARAM lparam, HRESULTITEM* item_id) {
  PW_VIEW_OR_FAIL();
  return view_->FindItemByLParam(lparam, item_id);
}

HRESULT ViewConsole::DeleteAllRsltItems() {
  PW_VIEW_OR_FAIL();
  return view_->DeleteAllRsltItems();
}

HRESULT ViewConsole::SetItem(RESULTDATAITEM* item) {
  PW_VIEW_OR_FAIL();
  return view_->SetItem(item);
}

HRESULT ViewConsole::GetItem(RESULTDATAITEM* item) {
  PW_VIEW_OR_FAIL();
  return view_->GetItem(item);
}

HRESULT ViewConsole::GetNextItem(RESULTDATAITEM* item) {
  PW_VIEW_OR_FAIL();
  return view_->GetNextItem(item);
}

HRESULT ViewConsole::ModifyItemState(int index, HRESULTITEM item_id, UINT add, UINT remove) {
  PW_VIEW_OR_FAIL();
  return view_->ModifyItemState(index, item_id, add, remove);
}

HRESULT ViewConsole::ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) {
  PW_VIEW_OR_FAIL();
  return view_->ModifyViewStyle(add, remove);
}

HRESULT ViewConsole::SetViewMode(LONG view_mode) {
  PW_VIEW_OR_FAIL();
  return view_->SetViewMode(view_mode);
}

HRESULT ViewConsole::GetViewMode(LONG* view_mode) {
  PW_VIEW_OR_FAIL();
  return view_->GetViewMode(view_mode);
}

HRESULT ViewConsole::UpdateItem(HRESULTITEM item_id) {
  PW_VIEW_OR_FAIL();
  return view_->UpdateItem(item_id);
}

HRESULT ViewConsole::Sort(int column, DWORD sort_options, LPARAM user_param) {
  PW_VIEW_OR_FAIL();
  return view_->SortList(column, sort_options, user_param);
}

HRESULT ViewConsole::SetDescBarText(LPOLESTR text) {
  PW_VIEW_OR_FAIL();
  return view_->SetDescBarText(text);
}

HRESULT ViewConsole::SetItemCount(int count, DWORD options) {
  PW_VIEW_OR_FAIL();
  return view_->SetItemCount(count, options);
}

HRESULT ViewConsole::InsertColumn(int column, LPCWSTR title, int format, int width) {
  PW_VIEW_OR_FAIL();
  return view_->InsertColumn(column, title, format, width);
}

HRESULT ViewConsole::DeleteColumn(int column) {
  PW_VIEW_OR_FAIL();
  return view_->DeleteColumn(column);
}

HRESULT ViewConsole::SetColumnText(int column, LPCWSTR title) {
  PW_VIEW_OR_FAIL();
  return view_->SetColumnText(column, title);
}

HRESULT ViewConsole::GetColumnText(int column, LPOLESTR* text) {
  PW_VIEW_OR_FAIL();
  return view_->GetColumnText(column, text);
}

HRESULT ViewConsole::SetColumnWidth(int column, int width) {
  PW_VIEW_OR_FAIL();
  return view_->SetColumnWidth(column, width);
}

HRESULT ViewConsole::GetColumnWidth(int column, int* width) {
  PW_VIEW_OR_FAIL();
  return view_->GetColumnWidth(column, width);
}

HRESULT ViewConsole::SetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA* data) {
  PW_VIEW_OR_FAIL();
  return console_->column_data().SetColumnConfigData(id, data);
}

HRESULT ViewConsole::GetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA** data) {
  PW_VIEW_OR_FAIL();
  return console_->column_data().GetColumnConfigData(id, data);
}

HRESULT ViewConsole::SetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA* data) {
  PW_VIEW_OR_FAIL();
  return console_->column_data().SetColumnSortData(id, data);
}

HRESULT ViewConsole::GetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA** data) {
  PW_VIEW_OR_FAIL();
  return console_->column_data().GetColumnSortData(id, data);
}

#undef PW_VIEW_OR_FAIL

}  // namespace pw::mmc
