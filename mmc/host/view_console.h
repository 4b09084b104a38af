// ViewConsole: the console object of one view, which its IComponent receives in Initialize —
// IConsole2, IResultData, IHeaderCtrl and IColumnData over the view and its console.
#pragma once

#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

class Console;
class View;

// Made by the view; the snap-in may hold it beyond the view's end, so the view detaches it
// then and every call answers E_UNEXPECTED. QueryInterface also answers IConsoleNameSpace and
// IConsoleNameSpace2 with the console's name space.
class ViewConsole final : public ComObject<IConsole2, IResultData, IHeaderCtrl, IColumnData> {
 public:
  ViewConsole(View* view, Console* console) : view_(view), console_(console) {}

  void Detach() {
    view_ = nullptr;
    console_ = nullptr;
  }

  HRESULT QueryInterface(REFIID iid, void** object) override;

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

  // IResultData
  HRESULT InsertItem(RESULTDATAITEM* item) override;
  HRESULT DeleteItem(HRESULTITEM item_id, int column) override;
  HRESULT FindItemByLParam(LPARAM lparam, HRESULTITEM* item_id) override;
  HRESULT DeleteAllRsltItems() override;
  HRESULT SetItem(RESULTDATAITEM* item) override;
  HRESULT GetItem(RESULTDATAITEM* item) override;
  HRESULT GetNextItem(RESULTDATAITEM* item) override;
  HRESULT ModifyItemState(int index, HRESULTITEM item_id, UINT add, UINT remove) override;
  HRESULT ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) override;
  HRESULT SetViewMode(LONG view_mode) override;
  HRESULT GetViewMode(LONG* view_mode) override;
  HRESULT UpdateItem(HRESULTITEM item_id) override;
  HRESULT Sort(int column, DWORD sort_options, LPARAM user_param) override;
  HRESULT SetDescBarText(LPOLESTR text) override;
  HRESULT SetItemCount(int count, DWORD options) override;

  // IHeaderCtrl
  HRESULT InsertColumn(int column, LPCWSTR title, int format, int width) override;
  HRESULT DeleteColumn(int column) override;
  HRESULT SetColumnText(int column, LPCWSTR title) override;
  HRESULT GetColumnText(int column, LPOLESTR* text) override;
  HRESULT SetColumnWidth(int column, int width) override;
  HRESULT GetColumnWidth(int column, int* width) override;

  // IColumnData
  HRESULT SetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA* data) override;
  HRESULT GetColumnConfigData(SColumnSetID* id, MMC_COLUMN_SET_DATA** data) override;
  HRESULT SetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA* data) override;
  HRESULT GetColumnSortData(SColumnSetID* id, MMC_SORT_SET_DATA** data) override;

 private:
  View* view_;
  Console* console_;
};

}  // namespace pw::mmc
