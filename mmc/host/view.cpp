// View: its life, the selection in the order the console notifies it, and the result list and
// header as the snap-in changes them.
#include "mmc/host/view.h"

#include <algorithm>

#include "mmc/host/console.h"
#include "mmc/host/data_objects.h"
#include "mmc/host/view_console.h"
#include "platform/com/class_loader.h"

namespace pw::mmc {
namespace {

LPARAM SelectArg(bool scope_pane, bool select) {
  return static_cast<LPARAM>(MAKELONG(scope_pane ? 1 : 0, select ? 1 : 0));
}

LPARAM AsParam(IDataObject* data_object) { return reinterpret_cast<LPARAM>(data_object); }

}  // namespace

// Counts a selection step; when the outermost one ends, what the snap-in asked for meanwhile
// (another scope item, a changed row selection) is scheduled.
class SelectingScope {
 public:
  explicit SelectingScope(int* depth) : depth_(depth) { ++*depth_; }
  ~SelectingScope() { --*depth_; }
  SelectingScope(const SelectingScope&) = delete;
  SelectingScope& operator=(const SelectingScope&) = delete;

 private:
  int* depth_;
};

View::View(Console& console, int id)
    : console_(console),
      id_(id),
      verbs_(MakeComObject<ConsoleVerbs>()),
      controlbar_(MakeComObject<Controlbar>()),
      result_images_(MakeComObject<ConsoleImageList>()) {}

View::~View() {
  if (!destroyed_) Destroy();
}

HRESULT View::Create(HSCOPEITEM root) {
  IComponentData* component_data = console_.component_data();
  if (component_data == nullptr) return E_UNEXPECTED;
  HRESULT hr = component_data->CreateComponent(component_.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !component_) {
    component_ = nullptr;
    return FAILED(hr) ? hr : E_UNEXPECTED;
  }
  component_->QueryInterface(IID_IUnknown, component_identity_.ReleaseAndGetVoidAddressOf());
  view_console_ = MakeComObject<ViewConsole>(this, &console_);
  hr = component_->Initialize(static_cast<IConsole2*>(view_console_.Get()));
  if (FAILED(hr)) {
    view_console_->Detach();
    view_console_ = nullptr;
    component_identity_ = nullptr;
    component_ = nullptr;
    return hr;
  }
  component_.As(&extend_controlbar_);
  if (extend_controlbar_) extend_controlbar_->SetControlbar(controlbar_.Get());
  return root != 0 ? SelectScopeItem(root) : S_OK;
}

void View::Deactivate() {
  if (!component_) return;
  deactivated_scope_ = selected_scope_;
  DeselectCurrent(/*hide=*/true);
  if (extend_controlbar_) extend_controlbar_->SetControlbar(nullptr);
}

void View::Reactivate() {
  if (!component_) return;
  if (extend_controlbar_) extend_controlbar_->SetControlbar(controlbar_.Get());
  if (deactivated_scope_ != 0 && console_.tree().Contains(deactivated_scope_)) {
    SelectScopeItem(deactivated_scope_);
  }
}

void View::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  menu_ = OpenMenu{};
  selection_object_ = nullptr;
  scope_object_ = nullptr;
  notified_keys_.clear();
  selected_ = Selected::kNothing;
  if (component_) component_->Destroy(0);
  controlbar_->Shutdown();
  if (view_console_) view_console_->Detach();
  view_console_ = nullptr;
  message_view_ = nullptr;
  control_ = nullptr;
  extend_controlbar_ = nullptr;
  list_.Reset(false);
  component_identity_ = nullptr;
  component_ = nullptr;
}

bool View::IsComponent(IUnknown* object) const {
  if (object == nullptr || !component_identity_) return false;
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf());
  return identity.Get() == component_identity_.Get();
}

HRESULT View::Refuse(HRESULT hr, HostString text) { return console_.Fail(hr, HostText(text)); }

// --- Selection -----------------------------------------------------------------------------

void View::DeselectCurrent(bool hide) {
  SelectingScope selecting(&selecting_);
  const ComPtr<IDataObject> old_selection = selection_object_;
  const ComPtr<IDataObject> scope_object = scope_object_;
  switch (selected_) {
    case Selected::kRows:
      component_->Notify(old_selection.Get(), MMCN_SELECT, SelectArg(false, false), 0);
      if (extend_controlbar_) {
        extend_controlbar_->ControlbarNotify(MMCN_SELECT, SelectArg(false, false),
                                             AsParam(old_selection.Get()));
      }
      break;
    case Selected::kScopeItem:
      component_->Notify(scope_object.Get(), MMCN_SELECT, SelectArg(true, false), 0);
      if (extend_controlbar_) {
        extend_controlbar_->ControlbarNotify(MMCN_SELECT, SelectArg(true, false),
                                             AsParam(scope_object.Get()));
      }
      break;
    case Selected::kNothing:
      break;
  }
  selected_ = Selected::kNothing;
  selection_object_ = nullptr;
  notified_keys_.clear();
  if (hide && shown_) {
    shown_ = false;
    component_->Notify(scope_object.Get(), MMCN_SHOW, FALSE, selected_scope_);
  }
}

HRESULT View::SelectScopeItem(HSCOPEITEM item) {
  if (!component_) return E_UNEXPECTED;
  if (!console_.tree().Contains(item)) return Refuse(E_INVALIDARG, HostString::kUnknownScopeItem);
  if (selecting_ > 0) {
    // The snap-in asked from inside a selection step: done when that step is over.
    select_after_selecting_ = item;
    return S_OK;
  }
  {
    SelectingScope selecting(&selecting_);
    DeselectCurrent(/*hide=*/true);
    menu_ = OpenMenu{};
    ComPtr<IDataObject> object = console_.ScopeDataObject(item);
    selected_scope_ = item;
    scope_object_ = object;
    column_set_id_.clear();
    for (const ScopeItem* at = console_.tree().Find(item); at != nullptr && at->parent != 0;
         at = console_.tree().Find(at->parent)) {
      expanded_.insert(at->parent);
    }
    console_.EnsureExpanded(item, object.Get());
    const ScopeItem* found = console_.tree().Find(item);
    if (found == nullptr) {
      // The snap-in deleted the item while expanding it.
      selected_scope_ = 0;
      scope_object_ = nullptr;
    } else {
      LPOLESTR view_type = nullptr;
      LONG options = 0;
      const HRESULT type_hr = component_->GetResultViewType(found->cookie, &view_type, &options);
      SetUpResultPane(type_hr, view_type, options);
      CoTaskMemFree(view_type);
      component_->Notify(object.Get(), MMCN_ADD_IMAGES,
                         reinterpret_cast<LPARAM>(static_cast<IImageList*>(result_images_.Get())),
                         item);
      if (kind_ == ResultPaneKind::kControl && control_) {
        component_->Notify(object.Get(), MMCN_INITOCX, 0, reinterpret_cast<LPARAM>(control_.Get()));
      }
      shown_ = true;
      component_->Notify(object.Get(), MMCN_SHOW, TRUE, item);
      SelectScopeAsCurrent();
    }
  }
  FinishSelecting();
  return S_OK;
}

void View::FinishSelecting() {
  if (selecting_ > 0) return;
  if (select_after_selecting_ != 0) {
    const HSCOPEITEM item = select_after_selecting_;
    select_after_selecting_ = 0;
    const int id = id_;
    console_.Defer([id, item](Console& console) {
      if (View* view = console.FindView(id); view != nullptr && console.tree().Contains(item)) {
        view->SelectScopeItem(item);
      }
    });
  }
  if (recheck_after_selecting_) {
    recheck_after_selecting_ = false;
    ScheduleSelectionCheck();
  }
}

void View::SetUpResultPane(HRESULT view_type_result, LPOLESTR view_type, LONG options) {
  columns_.clear();
  description_.clear();
  style_ = 0;
  message_view_ = nullptr;
  control_ = nullptr;
  web_address_.clear();
  control_clsid_ = GUID_NULL;
  view_options_ = SUCCEEDED(view_type_result) ? options : 0;
  const std::wstring type =
      view_type_result == S_OK && view_type != nullptr ? std::wstring(view_type) : L"";
  const auto clsid =
      type.size() == 38 && type.front() == L'{' ? ParseGuid(std::wstring_view(type)) : std::nullopt;
  if (type.empty()) {
    kind_ = (view_options_ & MMC_VIEW_OPTIONS_OWNERDATALIST) != 0 ? ResultPaneKind::kVirtualList
                                                                  : ResultPaneKind::kList;
  } else if (clsid) {
    control_clsid_ = *clsid;
    if (*clsid == CLSID_MessageView) {
      kind_ = ResultPaneKind::kMessageView;
      message_view_ = MakeComObject<MessageView>();
    } else {
      kind_ = ResultPaneKind::kControl;
      CreateInstance(*clsid, &control_);
    }
  } else {
    kind_ = ResultPaneKind::kWebPage;
    web_address_ = type;
  }
  list_.Reset(kind_ == ResultPaneKind::kVirtualList);
  list_.set_single_select((view_options_ & MMC_VIEW_OPTIONS_MULTISELECT) == 0);
  if (kind_ == ResultPaneKind::kList &&
      (view_options_ & MMC_VIEW_OPTIONS_EXCLUDE_SCOPE_ITEMS_FROM_LIST) == 0) {
    if (const ScopeItem* item = console_.tree().Find(selected_scope_)) {
      for (HSCOPEITEM child : item->children) {
        if (const ScopeItem* row = console_.tree().Find(child)) {
          list_.InsertScopeRow(child, row->cookie, row->image);
        }
      }
    }
  }
}

void View::ResetVerbsAndNotifySelect(IDataObject* data_object, bool scope_pane) {
  verbs_->Reset();
  component_->Notify(data_object, MMCN_SELECT, SelectArg(scope_pane, true), 0);
  if (extend_controlbar_) {
    extend_controlbar_->ControlbarNotify(MMCN_SELECT, SelectArg(scope_pane, true),
                                         AsParam(data_object));
  }
}

void View::SelectScopeAsCurrent() {
  selected_ = Selected::kScopeItem;
  selection_object_ = scope_object_;
  notified_keys_.clear();
  const ComPtr<IDataObject> object = scope_object_;
  ResetVerbsAndNotifySelect(object.Get(), /*scope_pane=*/true);
}

HRESULT View::SelectRows(std::vector<int> rows) {
  if (!component_) return E_UNEXPECTED;
  if (!IsList()) return Refuse(E_UNEXPECTED, HostString::kUnknownRow);
  const int count = list_.RowCount();
  std::vector<int> unique;
  for (int row : rows) {
    if (row < 0 || row >= count) return Refuse(E_INVALIDARG, HostString::kUnknownRow);
    if (std::find(unique.begin(), unique.end(), row) == unique.end()) unique.push_back(row);
  }
  if (list_.single_select() && unique.size() > 1) unique.resize(1);
  list_.SelectRows(unique);
  ProcessSelectionChange();
  return S_OK;
}

std::vector<View::RowKey> View::SelectedKeys() const {
  std::vector<RowKey> keys;
  for (int row : list_.SelectedRows()) {
    if (list_.owner_data()) {
      keys.push_back(RowKey{false, row});
    } else if (const ResultRow* found = list_.Row(row)) {
      keys.push_back(found->scope ? RowKey{true, found->scope_id} : RowKey{false, found->id});
    }
  }
  return keys;
}

bool View::KeyExists(const RowKey& key) const {
  if (list_.owner_data()) return key.value < list_.RowCount();
  return key.scope ? list_.IndexOfScopeRow(key.value) >= 0 : list_.IndexOfItem(key.value) >= 0;
}

ComPtr<IDataObject> View::RowDataObject(int row) {
  ComPtr<IDataObject> object;
  if (list_.owner_data()) {
    component_->QueryDataObject(row, CCT_RESULT, object.ReleaseAndGetAddressOf());
    return object;
  }
  const ResultRow* found = list_.Row(row);
  if (found == nullptr) return object;
  if (found->scope) return console_.ScopeDataObject(found->scope_id);
  component_->QueryDataObject(found->lparam, CCT_RESULT, object.ReleaseAndGetAddressOf());
  return object;
}

void View::CheckSelection() {
  if (selected_scope_ == 0 || !shown_ || !IsList()) return;
  // The queued check compares the selection with the notified one once, however many rows
  // change before it runs; comparing here cost the whole selection for every changed row.
  ScheduleSelectionCheck();
}

void View::ScheduleSelectionCheck() {
  if (selecting_ > 0) {
    recheck_after_selecting_ = true;
    return;
  }
  if (selection_check_pending_) return;
  selection_check_pending_ = true;
  const int id = id_;
  console_.Defer([id](Console& console) {
    if (View* view = console.FindView(id)) view->ProcessSelectionChange();
  });
}

void View::ProcessSelectionChange() {
  selection_check_pending_ = false;
  if (!component_ || selected_scope_ == 0 || !shown_ || !IsList()) return;
  if (selecting_ > 0) {
    recheck_after_selecting_ = true;
    return;
  }
  const std::vector<RowKey> keys = SelectedKeys();
  const bool same = keys.empty() ? selected_ == Selected::kScopeItem
                                 : selected_ == Selected::kRows && keys == notified_keys_;
  if (same) return;
  {
    SelectingScope selecting(&selecting_);
    menu_ = OpenMenu{};
    if (selected_ == Selected::kRows) {
      // Rows that are gone are not deselected: the snap-in removed them itself.
      const bool all_exist = std::all_of(notified_keys_.begin(), notified_keys_.end(),
                                         [this](const RowKey& key) { return KeyExists(key); });
      const ComPtr<IDataObject> old_selection = selection_object_;
      if (all_exist) {
        component_->Notify(old_selection.Get(), MMCN_SELECT, SelectArg(false, false), 0);
        if (extend_controlbar_) {
          extend_controlbar_->ControlbarNotify(MMCN_SELECT, SelectArg(false, false),
                                               AsParam(old_selection.Get()));
        }
      }
    } else if (selected_ == Selected::kScopeItem) {
      const ComPtr<IDataObject> scope_object = scope_object_;
      component_->Notify(scope_object.Get(), MMCN_SELECT, SelectArg(true, false), 0);
      if (extend_controlbar_) {
        extend_controlbar_->ControlbarNotify(MMCN_SELECT, SelectArg(true, false),
                                             AsParam(scope_object.Get()));
      }
    }
    selected_ = Selected::kNothing;
    selection_object_ = nullptr;
    notified_keys_.clear();
    if (keys.empty()) {
      SelectScopeAsCurrent();
    } else {
      ComPtr<IDataObject> object;
      if (keys.size() == 1) {
        const std::vector<int> rows = list_.SelectedRows();
        object = RowDataObject(rows.front());
      } else {
        ComPtr<IDataObject> snapin_object;
        component_->QueryDataObject(MMC_MULTI_SELECT_COOKIE, CCT_RESULT,
                                    snapin_object.ReleaseAndGetAddressOf());
        std::vector<ComPtr<IDataObject>> contained;
        if (snapin_object) contained.push_back(snapin_object);
        object = MakeComObject<MultiSelectDataObject>(std::move(contained));
      }
      selected_ = Selected::kRows;
      notified_keys_ = keys;
      selection_object_ = object;
      ResetVerbsAndNotifySelect(object.Get(), /*scope_pane=*/false);
    }
  }
  FinishSelecting();
}

HRESULT View::ExpandInTree(HSCOPEITEM item, bool expand) {
  if (!console_.tree().Contains(item)) return Refuse(E_INVALIDARG, HostString::kUnknownScopeItem);
  if (!expand) {
    expanded_.erase(item);
    return S_OK;
  }
  const HRESULT hr = console_.EnsureExpanded(item);
  if (console_.tree().Contains(item)) expanded_.insert(item);
  return FAILED(hr) ? hr : S_OK;
}

// --- What the snap-in does through the view's console object --------------------------------

HRESULT View::SnapInSelectScopeItem(HSCOPEITEM item) {
  // Selecting from inside MMCN_EXPAND would notify about an item that is still being built.
  if (console_.in_expand()) return S_OK;
  if (!console_.tree().Contains(item)) return E_INVALIDARG;
  return SelectScopeItem(item);
}

HRESULT View::QueryResultView(IUnknown** result_view) {
  if (result_view == nullptr) return E_POINTER;
  *result_view = nullptr;
  if (message_view_) {
    return message_view_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(result_view));
  }
  if (control_) return control_.CopyTo(result_view);
  return E_UNEXPECTED;
}

HRESULT View::SetStatusText(LPOLESTR text) {
  status_ = text != nullptr ? text : L"";
  return S_OK;
}

HRESULT View::NotifyViewChange(IDataObject* data_object, LPARAM data, LONG_PTR hint) {
  if (!component_) return E_UNEXPECTED;
  const ComPtr<IComponent> component = component_;
  return component->Notify(data_object, MMCN_VIEW_CHANGE, data, hint);
}

HRESULT View::NotifyPropertyChange(bool scope_item, LPARAM param) {
  if (!component_) return E_UNEXPECTED;
  const ComPtr<IComponent> component = component_;
  return component->Notify(nullptr, MMCN_PROPERTY_CHANGE, scope_item ? TRUE : FALSE, param);
}

// --- IResultData -------------------------------------------------------------------------------

HRESULT View::InsertItem(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  if (!IsList()) return E_UNEXPECTED;
  HRESULTITEM id = 0;
  const HRESULT hr = list_.InsertItem(*item, &id);
  item->itemID = id;
  if (SUCCEEDED(hr) && (item->mask & RDI_STATE) != 0) CheckSelection();
  return hr;
}

HRESULT View::DeleteItem(HRESULTITEM item_id, int) {
  if (!IsList()) return E_UNEXPECTED;
  const HRESULT hr = list_.DeleteItem(item_id);
  if (SUCCEEDED(hr)) CheckSelection();
  return hr;
}

HRESULT View::FindItemByLParam(LPARAM lparam, HRESULTITEM* item_id) {
  if (!IsList()) return E_UNEXPECTED;
  return list_.FindItemByLParam(lparam, item_id);
}

HRESULT View::DeleteAllRsltItems() {
  if (!IsList()) return E_UNEXPECTED;
  const HRESULT hr = list_.DeleteAllItems();
  CheckSelection();
  return hr;
}

HRESULT View::SetItem(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  if (!IsList()) return E_UNEXPECTED;
  const HRESULT hr = list_.SetItem(*item);
  if (SUCCEEDED(hr) && (item->mask & RDI_STATE) != 0) CheckSelection();
  return hr;
}

HRESULT View::GetItem(RESULTDATAITEM* item) {
  if (!IsList()) return E_UNEXPECTED;
  return list_.GetItem(item);
}

HRESULT View::GetNextItem(RESULTDATAITEM* item) {
  if (!IsList()) return E_UNEXPECTED;
  return list_.GetNextItem(item);
}

HRESULT View::ModifyItemState(int index, HRESULTITEM item_id, UINT add, UINT remove) {
  if (!IsList()) return E_UNEXPECTED;
  const HRESULT hr = list_.ModifyItemState(index, item_id, add, remove);
  if (SUCCEEDED(hr)) CheckSelection();
  return hr;
}

HRESULT View::ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) {
  style_ = (style_ & ~static_cast<DWORD>(remove)) | add;
  list_.set_single_select((style_ & MMC_SINGLESEL) != 0 ||
                          (view_options_ & MMC_VIEW_OPTIONS_MULTISELECT) == 0);
  list_.Touch();
  return S_OK;
}

HRESULT View::SetViewMode(LONG mode) {
  if (mode < MMCLV_VIEWSTYLE_ICON || mode > MMCLV_VIEWSTYLE_FILTERED) return E_INVALIDARG;
  view_mode_ = mode;
  list_.Touch();
  return S_OK;
}

HRESULT View::GetViewMode(LONG* mode) {
  if (mode == nullptr) return E_POINTER;
  *mode = view_mode_;
  return S_OK;
}

HRESULT View::UpdateItem(HRESULTITEM item_id) {
  if (!IsList()) return E_UNEXPECTED;
  return list_.UpdateItem(item_id);
}

HRESULT View::SetDescBarText(LPOLESTR text) {
  description_ = text != nullptr ? text : L"";
  return S_OK;
}

HRESULT View::SetItemCount(int count, DWORD) {
  if (!IsList()) return E_UNEXPECTED;
  const HRESULT hr = list_.SetItemCount(count);
  if (SUCCEEDED(hr)) CheckSelection();
  return hr;
}

// --- IHeaderCtrl -------------------------------------------------------------------------------

HRESULT View::InsertColumn(int column, LPCWSTR title, int format, int width) {
  if (!IsList()) return E_UNEXPECTED;
  if (column < 0 || column > static_cast<int>(columns_.size())) return E_INVALIDARG;
  ColumnState inserted;
  inserted.title = title != nullptr ? title : L"";
  inserted.format = format;
  inserted.width = width;
  columns_.insert(columns_.begin() + column, std::move(inserted));
  list_.Touch();
  return S_OK;
}

HRESULT View::DeleteColumn(int column) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return E_INVALIDARG;
  columns_.erase(columns_.begin() + column);
  list_.Touch();
  return S_OK;
}

HRESULT View::SetColumnText(int column, LPCWSTR title) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return E_INVALIDARG;
  columns_[column].title = title != nullptr ? title : L"";
  list_.Touch();
  return S_OK;
}

HRESULT View::GetColumnText(int column, LPOLESTR* text) {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  if (column < 0 || column >= static_cast<int>(columns_.size())) return E_INVALIDARG;
  *text = CoTaskMemDupString(columns_[column].title);
  return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT View::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return E_INVALIDARG;
  columns_[column].width = width;
  list_.Touch();
  return S_OK;
}

HRESULT View::GetColumnWidth(int column, int* width) {
  if (width == nullptr) return E_POINTER;
  if (column < 0 || column >= static_cast<int>(columns_.size())) return E_INVALIDARG;
  *width = columns_[column].width;
  return S_OK;
}

// --- The scope tree changed ----------------------------------------------------------------

void View::OnScopeItemInserted(HSCOPEITEM parent, HSCOPEITEM item) {
  if (kind_ != ResultPaneKind::kList || parent != selected_scope_ ||
      (view_options_ & MMC_VIEW_OPTIONS_EXCLUDE_SCOPE_ITEMS_FROM_LIST) != 0) {
    return;
  }
  if (const ScopeItem* found = console_.tree().Find(item)) {
    list_.InsertScopeRow(item, found->cookie, found->image);
  }
}

void View::OnScopeItemChanged(HSCOPEITEM item) {
  if (list_.IndexOfScopeRow(item) >= 0) list_.Touch();
}

void View::OnScopeItemsDeleted(HSCOPEITEM survivor, const std::vector<HSCOPEITEM>& removed) {
  bool lost_selection = false;
  for (HSCOPEITEM item : removed) {
    list_.RemoveScopeRow(item);
    expanded_.erase(item);
    if (item == selected_scope_) lost_selection = true;
  }
  if (!lost_selection) {
    CheckSelection();
    return;
  }
  // The shown item is gone with its result pane; nothing is told about it, and its nearest
  // remaining ancestor is selected next.
  menu_ = OpenMenu{};
  selected_ = Selected::kNothing;
  selection_object_ = nullptr;
  scope_object_ = nullptr;
  notified_keys_.clear();
  shown_ = false;
  selected_scope_ = 0;
  kind_ = ResultPaneKind::kNone;
  columns_.clear();
  message_view_ = nullptr;
  control_ = nullptr;
  list_.Reset(false);
  if (survivor != 0 && console_.tree().Contains(survivor)) {
    const int id = id_;
    console_.Defer([id, survivor](Console& console) {
      View* view = console.FindView(id);
      if (view != nullptr && view->selected_scope_item() == 0 &&
          console.tree().Contains(survivor)) {
        view->SelectScopeItem(survivor);
      }
    });
  }
}

// --- State ---------------------------------------------------------------------------------

ViewState View::State() {
  ViewState state;
  state.id = id_;
  state.selected_scope_item = selected_scope_;
  state.expanded.assign(expanded_.begin(), expanded_.end());
  state.kind = kind_;
  state.view_options = view_options_;
  state.web_address = web_address_;
  state.control = control_clsid_;
  state.columns = columns_;
  state.row_count = IsList() ? list_.RowCount() : 0;
  state.selected_rows = list_.SelectedRows();
  state.focused_row = list_.FocusedRow();
  state.result_style = style_;
  state.view_mode = view_mode_;
  state.description_bar = description_;
  state.status_text = status_;
  if (message_view_) {
    state.message_view.title = message_view_->title();
    state.message_view.body = message_view_->body();
    state.message_view.icon = message_view_->icon();
  }
  for (DWORD verb = MMC_VERB_FIRST; verb <= MMC_VERB_LAST; ++verb) {
    const auto id = static_cast<MMC_CONSOLE_VERB>(verb);
    state.verbs.push_back(VerbState{id, verbs_->State(id)});
  }
  state.default_verb = verbs_->default_verb();
  const auto& toolbars = controlbar_->toolbars();
  for (std::size_t i = 0; i < toolbars.size(); ++i) {
    ToolbarState toolbar;
    toolbar.index = static_cast<int>(i);
    toolbar.attached = controlbar_->IsAttached(toolbars[i].Get());
    toolbar.buttons = toolbars[i]->buttons();
    state.toolbars.push_back(std::move(toolbar));
  }
  state.revision =
      list_.revision() + controlbar_->revision() + (message_view_ ? message_view_->revision() : 0);
  return state;
}

}  // namespace pw::mmc
