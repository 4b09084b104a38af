// View: what a person does in a view besides selecting — reading, sorting and searching rows,
// context menus, verbs and toolbar buttons.
#include <algorithm>
#include <map>

#include "mmc/host/console.h"
#include "mmc/host/context_menu.h"
#include "mmc/host/data_objects.h"
#include "mmc/host/property_sheet_provider.h"
#include "mmc/host/view.h"
#include "platform/com/strings.h"
#include "platform/win/format.h"

namespace pw::mmc {
namespace {

// MF_GRAYED and MF_DISABLED of a menu item's flags, as Windows defines them.
constexpr LONG kUnavailableFlags = 0x0001 | 0x0002;
constexpr LONG kSeparatorFlag = 0x0800;

}  // namespace

// --- Rows ------------------------------------------------------------------------------------

int View::ColumnCount() const { return std::max<int>(1, static_cast<int>(columns_.size())); }

std::wstring View::CellText(int row, int column, int* image) {
  RESULTDATAITEM item;
  item.mask = RDI_STR | (image != nullptr ? RDI_IMAGE : 0);
  item.nCol = column;
  item.nIndex = row;
  const ResultRow* found = nullptr;
  if (!list_.owner_data()) {
    found = list_.Row(row);
    if (found == nullptr) return {};
    item.bScopeItem = found->scope ? TRUE : FALSE;
    item.itemID = found->scope ? found->scope_id : found->id;
    item.lParam = found->lparam;
    item.nImage = found->image;
    if (!found->scope && !found->text_by_callback && column == 0) {
      // A text given at insertion is drawn as it is; only an image by callback is asked for.
      if (image == nullptr || found->image != MMC_IMAGECALLBACK) {
        if (image != nullptr) *image = found->image;
        return found->text;
      }
      item.mask = RDI_IMAGE;
    }
  }
  const HRESULT hr = component_->GetDisplayInfo(&item);
  std::wstring text;
  if ((item.mask & RDI_STR) != 0 && SUCCEEDED(hr) && item.str != nullptr &&
      item.str != MMC_CALLBACK) {
    text = item.str;
  } else if (found != nullptr && !found->scope && !found->text_by_callback && column == 0) {
    text = found->text;
  }
  if (found != nullptr && found->scope && column == 0 && text.empty()) {
    text = console_.ScopeItemName(found->scope_id);
  }
  if (image != nullptr) *image = SUCCEEDED(hr) ? item.nImage : (found ? found->image : 0);
  return text;
}

HRESULT View::ReadRows(int first, int last, std::vector<RowData>* rows) {
  if (rows == nullptr) return E_POINTER;
  rows->clear();
  if (!component_) return E_UNEXPECTED;
  if (!IsList()) return Refuse(E_UNEXPECTED, HostString::kUnknownRow);
  const int count = list_.RowCount();
  if (count == 0) return S_OK;
  if (first < 0 || first >= count || last < first) {
    return Refuse(E_INVALIDARG, HostString::kUnknownRow);
  }
  last = std::min(last, count - 1);
  if (list_.owner_data()) {
    ComPtr<IResultOwnerData> owner_data;
    component_.As(&owner_data);
    if (owner_data) owner_data->CacheHint(first, last);
  }
  const int columns = ColumnCount();
  for (int row = first; row <= last; ++row) {
    RowData data;
    data.index = row;
    data.state = list_.RowState(row);
    if (const ResultRow* found = list_.Row(row)) {
      data.scope = found->scope;
      data.scope_id = found->scope_id;
      data.item_id = found->id;
    }
    for (int column = 0; column < columns; ++column) {
      data.texts.push_back(CellText(row, column, column == 0 ? &data.image : nullptr));
    }
    rows->push_back(std::move(data));
  }
  return S_OK;
}

HRESULT View::SortList(int column, DWORD options, LPARAM user_param) {
  if (!IsList()) return E_UNEXPECTED;
  const bool descending = (options & RSI_DESCENDING) != 0;
  if (list_.owner_data()) {
    ComPtr<IResultOwnerData> owner_data;
    component_.As(&owner_data);
    if (!owner_data) return E_UNEXPECTED;
    const HRESULT hr = owner_data->SortItems(column, options, user_param);
    list_.Touch();
    return hr;
  }
  ComPtr<IResultDataCompare> compare;
  component_.As(&compare);
  if (compare) {
    list_.SortItems(
        [&](const ResultRow& a, const ResultRow& b) {
          int result = column;
          const HRESULT hr = compare->Compare(user_param, a.lparam, b.lparam, &result);
          return SUCCEEDED(hr) ? result : 0;
        },
        descending);
    return S_OK;
  }
  // Without a comparison of its own the snap-in's texts are compared, without regard to case.
  std::map<HRESULTITEM, std::wstring> texts;
  for (int row = 0; row < list_.RowCount(); ++row) {
    const ResultRow* found = list_.Row(row);
    if (found != nullptr && !found->scope) texts[found->id] = CellText(row, column, nullptr);
  }
  list_.SortItems([&](const ResultRow& a,
                      const ResultRow& b) { return CompareIgnoreCase(texts[a.id], texts[b.id]); },
                  descending);
  return S_OK;
}

HRESULT View::Sort(int column, bool descending) {
  if (!component_) return E_UNEXPECTED;
  if (!IsList() || (style_ & MMC_NOSORTHEADER) != 0) {
    return Refuse(E_UNEXPECTED, HostString::kNotSortable);
  }
  if (column < 0 || column >= static_cast<int>(columns_.size())) {
    return Refuse(E_INVALIDARG, HostString::kNotSortable);
  }
  const DWORD options = descending ? RSI_DESCENDING : 0;
  const ComPtr<IDataObject> scope_object = scope_object_;
  component_->Notify(scope_object.Get(), MMCN_COLUMN_CLICK, column, options);
  const HRESULT hr = SortList(column, options, 0);
  if (column_set_id_.empty()) column_set_id_ = ReadColumnSetId(scope_object.Get());
  console_.column_data().RecordSort(column_set_id_, column, options);
  return hr;
}

HRESULT View::TypeAhead(std::wstring_view text, int* found) {
  if (found == nullptr) return E_POINTER;
  *found = -1;
  if (!component_) return E_UNEXPECTED;
  if (!IsList()) return Refuse(E_UNEXPECTED, HostString::kUnknownRow);
  if (text.empty()) return Refuse(E_INVALIDARG, HostString::kUnknownRow);
  const int count = list_.RowCount();
  if (count == 0) return S_FALSE;
  const int start = std::max(list_.FocusedRow(), 0);
  int index = -1;
  if (list_.owner_data()) {
    ComPtr<IResultOwnerData> owner_data;
    component_.As(&owner_data);
    if (!owner_data) return S_FALSE;
    std::wstring buffer(text);
    RESULTFINDINFO info;
    info.psz = buffer.data();
    info.nStart = start;
    info.dwOptions = RFI_PARTIAL | RFI_WRAP;
    int answer = -1;
    if (owner_data->FindItem(&info, &answer) == S_OK && answer >= 0 && answer < count) {
      index = answer;
    }
  } else {
    for (int step = 0; step < count && index < 0; ++step) {
      const int row = (start + step) % count;
      const std::wstring cell = CellText(row, 0, nullptr);
      if (cell.size() >= text.size() && EqualsIgnoreCase(cell.substr(0, text.size()), text)) {
        index = row;
      }
    }
  }
  if (index < 0) return S_FALSE;
  const HRESULT hr = SelectRows({index});
  if (FAILED(hr)) return hr;
  *found = index;
  return S_OK;
}

// --- The item a command acts on --------------------------------------------------------------

HRESULT View::CurrentTarget(Target* target) {
  *target = Target{};
  switch (selected_) {
    case Selected::kNothing:
      return Refuse(E_UNEXPECTED, HostString::kNoSelection);
    case Selected::kScopeItem: {
      const ScopeItem* item = console_.tree().Find(selected_scope_);
      if (item == nullptr) return Refuse(E_UNEXPECTED, HostString::kNoSelection);
      target->scope = true;
      target->scope_item = selected_scope_;
      target->cookie = item->cookie;
      target->data_object = scope_object_;
      return S_OK;
    }
    case Selected::kRows:
      break;
  }
  target->data_object = selection_object_;
  if (notified_keys_.size() > 1) {
    target->multiple = true;
    target->cookie = MMC_MULTI_SELECT_COOKIE;
    return S_OK;
  }
  const std::vector<int> rows = list_.SelectedRows();
  if (rows.empty()) return Refuse(E_UNEXPECTED, HostString::kNoSelection);
  target->row = rows.front();
  if (list_.owner_data()) {
    target->cookie = target->row;
  } else if (const ResultRow* row = list_.Row(target->row)) {
    target->cookie = row->lparam;
    if (row->scope) {
      target->scope = true;
      target->scope_item = row->scope_id;
    }
  }
  return S_OK;
}

std::wstring View::TargetName(const Target& target) {
  if (target.scope) return console_.ScopeItemName(target.scope_item);
  if (target.row >= 0) return CellText(target.row, 0, nullptr);
  return {};
}

// --- Context menus ---------------------------------------------------------------------------

HRESULT View::OpenContextMenu(HSCOPEITEM tree_item, std::vector<MenuItem>* items) {
  if (items == nullptr) return E_POINTER;
  items->clear();
  if (!component_) return E_UNEXPECTED;
  menu_ = OpenMenu{};
  Target target;
  bool selection = true;
  if (tree_item != 0) {
    const ScopeItem* item = console_.tree().Find(tree_item);
    if (item == nullptr) return Refuse(E_INVALIDARG, HostString::kUnknownScopeItem);
    selection = tree_item == selected_scope_ && selected_ == Selected::kScopeItem;
    target.scope = true;
    target.scope_item = tree_item;
    target.cookie = item->cookie;
    target.data_object = selection ? scope_object_ : console_.ScopeDataObject(tree_item);
  } else {
    const HRESULT hr = CurrentTarget(&target);
    if (FAILED(hr)) return hr;
  }
  ComPtr<IUnknown> owner;
  if (target.scope) {
    owner = console_.component_data();
  } else {
    owner = component_;
  }
  ComPtr<IExtendContextMenu> snapin_menu;
  if (owner) owner.As(&snapin_menu);
  const LONG all = CCM_INSERTIONALLOWED_TOP | CCM_INSERTIONALLOWED_NEW | CCM_INSERTIONALLOWED_TASK |
                   CCM_INSERTIONALLOWED_VIEW;
  auto callback = MakeComObject<ContextMenuCallback>(all);
  if (snapin_menu) {
    LONG allowed = all;
    snapin_menu->AddMenuItems(target.data_object.Get(), callback.Get(), &allowed);
  }
  callback->Close();
  std::vector<MenuItem> built;
  auto console_item = [](HostString text, MMC_CONSOLE_VERB verb) {
    MenuItem item;
    item.name = HostText(text);
    item.console_item = true;
    item.verb = verb;
    return item;
  };
  auto shown = [this](MMC_CONSOLE_VERB verb) {
    return verbs_->IsEnabled(verb) && !verbs_->IsHidden(verb);
  };
  if (selection && shown(MMC_VERB_OPEN)) {
    built.push_back(console_item(HostString::kMenuOpen, MMC_VERB_OPEN));
  }
  for (MenuItem& item : callback->items()) built.push_back(std::move(item));
  if (target.scope && !target.multiple) {
    MenuItem item = console_item(HostString::kMenuNewWindow, MMC_VERB_NONE);
    item.new_window = true;
    built.push_back(std::move(item));
  }
  if (selection) {
    const std::pair<MMC_CONSOLE_VERB, HostString> verbs[] = {
        {MMC_VERB_DELETE, HostString::kMenuDelete},
        {MMC_VERB_RENAME, HostString::kMenuRename},
        {MMC_VERB_REFRESH, HostString::kMenuRefresh},
        {MMC_VERB_PROPERTIES, HostString::kMenuProperties},
    };
    for (const auto& [verb, text] : verbs) {
      if (shown(verb)) built.push_back(console_item(text, verb));
    }
  }
  menu_.items = built;
  menu_.data_object = target.data_object;
  menu_.snapin_menu = snapin_menu;
  menu_.scope_item = target.scope_item;
  *items = std::move(built);
  return S_OK;
}

HRESULT View::RunMenuItem(int index) {
  if (!component_) return E_UNEXPECTED;
  if (index < 0 || index >= static_cast<int>(menu_.items.size())) {
    return Refuse(E_INVALIDARG, HostString::kUnknownMenuItem);
  }
  const MenuItem item = menu_.items[index];
  const bool not_a_command = (item.special_flags & (CCM_SPECIAL_SEPARATOR | CCM_SPECIAL_SUBMENU |
                                                    CCM_SPECIAL_INSERTION_POINT)) != 0 ||
                             (item.flags & kSeparatorFlag) != 0;
  if (not_a_command) return Refuse(E_INVALIDARG, HostString::kUnknownMenuItem);
  if ((item.flags & kUnavailableFlags) != 0) {
    return Refuse(E_ACCESSDENIED, HostString::kMenuItemDisabled);
  }
  // A menu runs one item; then it is gone.
  const OpenMenu menu = std::move(menu_);
  menu_ = OpenMenu{};
  if (item.console_item) {
    if (item.new_window) {
      int view_id = 0;
      return console_.NewView(menu.scope_item, &view_id);
    }
    return RunVerb(item.verb, {});
  }
  if (!menu.snapin_menu) return E_UNEXPECTED;
  const HRESULT hr = menu.snapin_menu->Command(item.command_id, menu.data_object.Get());
  if (FAILED(hr))
    return console_.Fail(
        hr, FormatMessageString(HostText(HostString::kSnapInFailed), FormatString(L"0x%08X", hr)));
  return hr;
}

// --- Verbs -----------------------------------------------------------------------------------

HRESULT View::RunVerb(MMC_CONSOLE_VERB verb, std::wstring_view new_name) {
  if (!component_) return E_UNEXPECTED;
  Target target;
  HRESULT hr = CurrentTarget(&target);
  if (FAILED(hr)) return hr;
  if (!verbs_->IsEnabled(verb)) return Refuse(E_ACCESSDENIED, HostString::kVerbNotAvailable);
  const ComPtr<IComponent> component = component_;
  switch (verb) {
    case MMC_VERB_OPEN:
      return OpenItem(target);
    case MMC_VERB_DELETE:
      hr = component->Notify(target.data_object.Get(), MMCN_DELETE, 0, 0);
      break;
    case MMC_VERB_REFRESH:
      hr = component->Notify(target.data_object.Get(), MMCN_REFRESH, 0, 0);
      break;
    case MMC_VERB_RENAME: {
      if (target.multiple) return Refuse(E_ACCESSDENIED, HostString::kVerbNotAvailable);
      std::wstring name(new_name);
      const auto param = reinterpret_cast<LPARAM>(name.c_str());
      if (target.scope) {
        const ComPtr<IComponentData> component_data(console_.component_data());
        hr = component_data->Notify(target.data_object.Get(), MMCN_RENAME, 0, param);
      } else {
        hr = component->Notify(target.data_object.Get(), MMCN_RENAME, 0, param);
      }
      if (hr == S_OK) {
        // A text the console keeps itself changes with the accepted name.
        if (target.scope) {
          if (ScopeItem* item = console_.tree().Find(target.scope_item);
              item != nullptr && !item->name_by_callback) {
            item->name = name;
            list_.Touch();
          }
        } else if (!list_.owner_data()) {
          if (const ResultRow* row = list_.Row(target.row);
              row != nullptr && !row->text_by_callback) {
            RESULTDATAITEM item;
            item.mask = RDI_STR;
            item.itemID = row->id;
            item.str = name.data();
            list_.SetItem(item);
          }
        }
      }
      break;
    }
    case MMC_VERB_PROPERTIES:
      if (target.multiple) return Refuse(E_ACCESSDENIED, HostString::kVerbNotAvailable);
      return ShowProperties(target);
    default:
      return Refuse(E_NOTIMPL, HostString::kVerbNotAvailable);
  }
  if (FAILED(hr)) {
    return console_.Fail(
        hr, FormatMessageString(HostText(HostString::kSnapInFailed), FormatString(L"0x%08X", hr)));
  }
  return hr;
}

HRESULT View::OpenItem(const Target& target) {
  if (!target.scope) return S_FALSE;
  if (target.scope_item != selected_scope_) {
    const HRESULT hr = SelectScopeItem(target.scope_item);
    if (FAILED(hr)) return hr;
  }
  return ExpandInTree(target.scope_item, true);
}

HRESULT View::DefaultAction() {
  if (!component_) return E_UNEXPECTED;
  Target target;
  const HRESULT hr = CurrentTarget(&target);
  if (FAILED(hr)) return hr;
  if (target.multiple) return S_FALSE;
  const ComPtr<IComponent> component = component_;
  const HRESULT handled = component->Notify(target.data_object.Get(), MMCN_DBLCLICK, 0, 0);
  if (handled != S_FALSE) return handled;
  const MMC_CONSOLE_VERB default_verb = verbs_->default_verb();
  if (default_verb == MMC_VERB_PROPERTIES && verbs_->IsEnabled(MMC_VERB_PROPERTIES)) {
    return ShowProperties(target);
  }
  if (default_verb == MMC_VERB_OPEN || (default_verb == MMC_VERB_NONE && target.scope)) {
    return OpenItem(target);
  }
  return S_FALSE;
}

HRESULT View::ShowProperties(const Target& target) {
  ComPtr<IUnknown> owner;
  if (target.scope) {
    owner = console_.component_data();
  } else {
    owner = component_;
  }
  ComPtr<IExtendPropertySheet> pages;
  if (owner) owner.As(&pages);
  if (!pages) return Refuse(E_NOINTERFACE, HostString::kVerbNotAvailable);
  if (pages->QueryPagesFor(target.data_object.Get()) != S_OK) return S_FALSE;
  auto provider = MakeComObject<PropertySheetProvider>(&console_);
  if (!provider) return E_OUTOFMEMORY;
  IComponent* compare_with = target.scope ? nullptr : component_.Get();
  if (provider->FindPropertySheet(target.cookie, compare_with, target.data_object.Get()) == S_OK) {
    return S_OK;
  }
  const std::wstring title = TargetName(target);
  HRESULT hr = provider->CreatePropertySheet(title.c_str(), TRUE, target.cookie,
                                             target.data_object.Get(), 0);
  if (SUCCEEDED(hr)) {
    hr = provider->AddPrimaryPages(owner.Get(), TRUE, nullptr, target.scope ? TRUE : FALSE);
  }
  if (SUCCEEDED(hr)) {
    hr = provider->Show(reinterpret_cast<LONG_PTR>(console_.ui().MainWindow()), 0);
  }
  if (FAILED(hr)) {
    return console_.Fail(
        hr, FormatMessageString(HostText(HostString::kSnapInFailed), FormatString(L"0x%08X", hr)));
  }
  return hr;
}

// --- Toolbars --------------------------------------------------------------------------------

HRESULT View::PressToolbarButton(int toolbar, int command) {
  if (!component_) return E_UNEXPECTED;
  const auto& toolbars = controlbar_->toolbars();
  if (toolbar < 0 || toolbar >= static_cast<int>(toolbars.size()) ||
      !controlbar_->IsAttached(toolbars[toolbar].Get())) {
    return Refuse(E_INVALIDARG, HostString::kUnknownButton);
  }
  const ComPtr<Toolbar> bar = toolbars[toolbar];
  const ToolbarButton* button = bar->FindButton(command);
  if (button == nullptr) return Refuse(E_INVALIDARG, HostString::kUnknownButton);
  if ((button->state & TBSTATE_ENABLED) == 0 || (button->state & TBSTATE_HIDDEN) != 0) {
    return Refuse(E_ACCESSDENIED, HostString::kButtonDisabled);
  }
  const ComPtr<IExtendControlbar> owner(bar->owner());
  if (!owner) return Refuse(E_UNEXPECTED, HostString::kUnknownButton);
  const ComPtr<IDataObject> selection = selection_object_ ? selection_object_ : scope_object_;
  return owner->ControlbarNotify(MMCN_BTN_CLICK, reinterpret_cast<LPARAM>(selection.Get()),
                                 command);
}

}  // namespace pw::mmc
