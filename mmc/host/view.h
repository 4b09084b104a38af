// View: one window of the console — its IComponent and console objects, the selected scope
// item, the result pane (list, virtual list, message view, web page), the selection in it,
// verbs, toolbars and context menus — and everything a person does in it.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "mmc/host/console_state.h"
#include "mmc/host/console_verbs.h"
#include "mmc/host/controlbar.h"
#include "mmc/host/host_strings.h"
#include "mmc/host/message_view.h"
#include "mmc/host/result_list.h"
#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

class Console;
class ConsoleImageList;
class ViewConsole;

// Owned by its console, which creates it with Create and ends it with Deactivate and Destroy.
// All calls come on the console thread. Operations answer HRESULTs; refusals leave a sentence
// with the console (Console::Fail).
class View {
 public:
  View(Console& console, int id);
  ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // CreateComponent, IComponent::Initialize with this view's console object, SetControlbar;
  // then `root` is selected.
  HRESULT Create(HSCOPEITEM root);
  // The first step of shutdown: the selection is deselected and hidden, SetControlbar(NULL).
  void Deactivate();
  // Undoes Deactivate (a close that was cancelled).
  void Reactivate();
  // IComponent::Destroy and the release of every reference to the snap-in.
  void Destroy();

  int id() const { return id_; }
  IComponent* component() const { return component_.Get(); }
  bool IsComponent(IUnknown* object) const;
  // The component's IUnknown, by which notify handles name it.
  IUnknown* component_identity() const { return component_identity_.Get(); }
  HSCOPEITEM selected_scope_item() const { return selected_scope_; }
  ViewState State();

  // What a person does.
  HRESULT SelectScopeItem(HSCOPEITEM item);
  HRESULT ExpandInTree(HSCOPEITEM item, bool expand);
  // Rows by index; a view without multiple selection takes the first one only. No rows
  // selects the scope item again.
  HRESULT SelectRows(std::vector<int> rows);
  // Rows `first` to `last` (clamped to the list) as they are drawn; a virtual list hears
  // CacheHint(first, last) first.
  HRESULT ReadRows(int first, int last, std::vector<RowData>* rows);
  HRESULT Sort(int column, bool descending);
  // Finds the row whose first column starts with `text` (without regard to case), from the
  // focused row on and wrapping, and selects it. `found` is -1 and the answer S_FALSE when
  // there is none.
  HRESULT TypeAhead(std::wstring_view text, int* found);
  // The context menu of `tree_item`, or with 0 of the selection.
  HRESULT OpenContextMenu(HSCOPEITEM tree_item, std::vector<MenuItem>* items);
  HRESULT RunMenuItem(int index);
  HRESULT RunVerb(MMC_CONSOLE_VERB verb, std::wstring_view new_name);
  // Double click or Enter on the selection.
  HRESULT DefaultAction();
  HRESULT PressToolbarButton(int toolbar, int command);

  // What the snap-in does through the view's console object.
  HRESULT SnapInSelectScopeItem(HSCOPEITEM item);
  HRESULT QueryResultView(IUnknown** result_view);
  ConsoleVerbs* verbs() const { return verbs_.Get(); }
  ConsoleImageList* result_images() const { return result_images_.Get(); }
  Controlbar* controlbar() const { return controlbar_.Get(); }
  HRESULT SetStatusText(LPOLESTR text);
  HRESULT NotifyViewChange(IDataObject* data_object, LPARAM data, LONG_PTR hint);
  HRESULT NotifyPropertyChange(bool scope_item, LPARAM param);

  // IResultData.
  HRESULT InsertItem(RESULTDATAITEM* item);
  HRESULT DeleteItem(HRESULTITEM item_id, int column);
  HRESULT FindItemByLParam(LPARAM lparam, HRESULTITEM* item_id);
  HRESULT DeleteAllRsltItems();
  HRESULT SetItem(RESULTDATAITEM* item);
  HRESULT GetItem(RESULTDATAITEM* item);
  HRESULT GetNextItem(RESULTDATAITEM* item);
  HRESULT ModifyItemState(int index, HRESULTITEM item_id, UINT add, UINT remove);
  HRESULT ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove);
  HRESULT SetViewMode(LONG mode);
  HRESULT GetViewMode(LONG* mode);
  HRESULT UpdateItem(HRESULTITEM item_id);
  HRESULT SortList(int column, DWORD options, LPARAM user_param);
  HRESULT SetDescBarText(LPOLESTR text);
  HRESULT SetItemCount(int count, DWORD options);

  // IHeaderCtrl.
  HRESULT InsertColumn(int column, LPCWSTR title, int format, int width);
  HRESULT DeleteColumn(int column);
  HRESULT SetColumnText(int column, LPCWSTR title);
  HRESULT GetColumnText(int column, LPOLESTR* text);
  HRESULT SetColumnWidth(int column, int width);
  HRESULT GetColumnWidth(int column, int* width);

  // What the console tells the view about the scope tree.
  void OnScopeItemInserted(HSCOPEITEM parent, HSCOPEITEM item);
  void OnScopeItemChanged(HSCOPEITEM item);
  void OnScopeItemsDeleted(HSCOPEITEM survivor, const std::vector<HSCOPEITEM>& removed);

 private:
  // What a selection is.
  enum class Selected { kNothing, kScopeItem, kRows };
  // A row as the selection remembers it: item id or scope item of a regular list, index of a
  // virtual one.
  struct RowKey {
    bool scope = false;
    std::intptr_t value = 0;
    friend bool operator==(const RowKey&, const RowKey&) = default;
  };
  // The context menu last opened, which RunMenuItem runs from.
  struct OpenMenu {
    std::vector<MenuItem> items;
    ComPtr<IDataObject> data_object;
    ComPtr<IExtendContextMenu> snapin_menu;
    HSCOPEITEM scope_item = 0;  // for "New Window from Here"
  };
  // The item a verb, menu or button acts on.
  struct Target {
    ComPtr<IDataObject> data_object;
    bool scope = false;  // a scope item (the selected one or a scope row)
    HSCOPEITEM scope_item = 0;
    MMC_COOKIE cookie = 0;
    int row = -1;  // a single selected row
    bool multiple = false;
  };

  // Selection steps, in the console's order.
  void DeselectCurrent(bool hide);
  void SetUpResultPane(HRESULT view_type_result, LPOLESTR view_type, LONG options);
  void SelectScopeAsCurrent();
  void ProcessSelectionChange();
  void ScheduleSelectionCheck();
  void ResetVerbsAndNotifySelect(IDataObject* data_object, bool scope_pane);
  // Ends a selection step: what the snap-in asked for meanwhile is done now.
  void FinishSelecting();
  std::vector<RowKey> SelectedKeys() const;
  // Schedules the selection notifications when the list's selection is no longer the one
  // the snap-in was told about.
  void CheckSelection();
  bool KeyExists(const RowKey& key) const;
  ComPtr<IDataObject> RowDataObject(int row);
  void ApplyColumnSetId();

  // Drawing rows.
  std::wstring CellText(int row, int column, int* image);
  int ColumnCount() const;

  HRESULT CurrentTarget(Target* target);
  HRESULT ShowProperties(const Target& target);
  HRESULT OpenItem(const Target& target);
  std::wstring TargetName(const Target& target);
  bool IsList() const {
    return kind_ == ResultPaneKind::kList || kind_ == ResultPaneKind::kVirtualList;
  }
  HRESULT Refuse(HRESULT hr, HostString text);

  Console& console_;
  const int id_;
  ComPtr<IComponent> component_;
  ComPtr<IUnknown> component_identity_;
  ComPtr<ViewConsole> view_console_;
  ComPtr<ConsoleVerbs> verbs_;
  ComPtr<Controlbar> controlbar_;
  ComPtr<ConsoleImageList> result_images_;
  ComPtr<MessageView> message_view_;
  ComPtr<IUnknown> control_;
  ComPtr<IExtendControlbar> extend_controlbar_;

  HSCOPEITEM selected_scope_ = 0;
  ComPtr<IDataObject> scope_object_;
  bool shown_ = false;
  std::set<HSCOPEITEM> expanded_;

  ResultPaneKind kind_ = ResultPaneKind::kNone;
  LONG view_options_ = 0;
  std::wstring web_address_;
  CLSID control_clsid_ = GUID_NULL;
  std::vector<ColumnState> columns_;
  ResultList list_;
  DWORD style_ = 0;
  LONG view_mode_ = MMCLV_VIEWSTYLE_REPORT;
  std::wstring description_;
  std::wstring status_;
  std::string column_set_id_;

  Selected selected_ = Selected::kNothing;
  std::vector<RowKey> notified_keys_;
  ComPtr<IDataObject> selection_object_;
  int selecting_ = 0;
  bool selection_check_pending_ = false;
  bool recheck_after_selecting_ = false;
  HSCOPEITEM select_after_selecting_ = 0;
  HSCOPEITEM deactivated_scope_ = 0;

  OpenMenu menu_;
  bool destroyed_ = false;
};

}  // namespace pw::mmc
