// CRoutingDelegationBase: show, refresh by "ObjectID", the owner-data requests, delete, the
// duplicate checks and the common add flow of every rule list.
#include "module/routing/routing_delegation_base.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "module/resources/resource.h"
#include "module/resources/routes.h"
#include "module/routing/route_node.h"
#include "module/snapin/component_data.h"
#include "module/snapin/data_object.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/directory_connection.h"
#include "platform/com/class_loader.h"
#include "platform/com/memory.h"
#include "platform/com/strings.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/format.h"

namespace {

constexpr int kValueColumnWidth = 200;
constexpr int kUsersColumnWidth = 400;
constexpr DWORD kActiveDirectoryMode = 1;
constexpr DWORD kExchangeMode = 2;
constexpr LONG kListViewOptions =
    MMC_VIEW_OPTIONS_NOLISTVIEWS | MMC_VIEW_OPTIONS_MULTISELECT | MMC_VIEW_OPTIONS_OWNERDATALIST;

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         pw::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

pw::ComPtr<IResultData> ResultDataOf(CComponent* component) {
  pw::ComPtr<IResultData> result_data;
  if (component == nullptr || component->console() == nullptr) return result_data;
  component->console()->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf());
  return result_data;
}

}  // namespace

CRoutingDelegationBase::CRoutingDelegationBase(CDelegationBase* owner, std::wstring rule_type,
                                               ListKind list_kind)
    : CDelegationBase(owner), rule_type_(std::move(rule_type)), list_kind_(list_kind) {}

CRoutingDelegationBase::~CRoutingDelegationBase() = default;

HRESULT CRoutingDelegationBase::SetComponentData(CComponentData* component_data) {
  component_data_ = component_data;
  return S_OK;
}

CRouteNode* CRoutingDelegationBase::child_at(int row) const {
  if (row < 0 || row >= child_count()) return nullptr;
  return children_[static_cast<std::size_t>(row)].get();
}

CDelegationBase* CRoutingDelegationBase::NodeAtRow(int row) { return child_at(row); }

bool CRoutingDelegationBase::IsListShown(CComponent* component) {
  return component != nullptr && component->IsListKind(list_kind_);
}

void CRoutingDelegationBase::SetListShown(CComponent* component, bool shown) {
  if (component == nullptr) return;
  if (shown) {
    component->SetListKind(list_kind_, this, this);
  } else {
    component->ClearListKind(list_kind_);
  }
}

bool CRoutingDelegationBase::EnsureDirectoryConnection(bool show_error, IConsole* console) {
  if (component_data_ == nullptr) return false;
  CDirectoryConnection& directory = component_data_->directory();
  if (!directory.connection_tried()) directory.ConnectAutomatically();
  if (directory.IsConnected()) return true;
  if (!show_error) return false;
  {
    CWaitCursor wait;
    directory.ConnectDirectory();
  }
  if (directory.IsConnected()) {
    if (console != nullptr && scope_item() != 0) console->SelectScopeItem(scope_item());
    return true;
  }
  component_data_->ShowMessage(LoadModuleString(DirectoryErrorMessage()), MB_ICONERROR);
  return false;
}

UINT CRoutingDelegationBase::DirectoryErrorMessage() const {
  switch (component_data_ != nullptr ? component_data_->directory_mode() : 0) {
    case kActiveDirectoryMode:
      return IDS_RULES_AD_ERROR;
    case kExchangeMode:
      return component_data_->directory_server().empty() ? IDS_RULES_EX55_NO_SERVER
                                                         : IDS_RULES_EX55_ERROR;
    default:
      return IDS_RULES_INTERNAL_ERROR;
  }
}

HRESULT CRoutingDelegationBase::GetResultViewType(CComponent*, LPOLESTR* view_type, LONG* options) {
  if (view_type == nullptr || options == nullptr) return E_POINTER;
  *view_type = nullptr;
  if (component_data_ != nullptr) {
    CWaitCursor wait;
    CDirectoryConnection& directory = component_data_->directory();
    if (!directory.connection_tried()) directory.ConnectAutomatically();
    if (!directory.IsConnected()) {
      *view_type = pw::CoTaskMemDupString(pw::GuidToString(CLSID_MessageView));
      *options = MMC_VIEW_OPTIONS_NOLISTVIEWS;
      return S_OK;
    }
  }
  *options = kListViewOptions;
  return S_FALSE;
}

HRESULT CRoutingDelegationBase::FillMessageView(CComponent* component) {
  if (component == nullptr || component->console() == nullptr) return E_POINTER;
  pw::ComPtr<IUnknown> view;
  HRESULT hr = component->console()->QueryResultView(view.GetAddressOf());
  if (FAILED(hr) || !view) return hr;
  pw::ComPtr<IMessageView> message_view;
  hr = view.As(&message_view);
  if (FAILED(hr)) return hr;
  const UINT body = DirectoryErrorMessage();
  const std::wstring title = LoadModuleString(IDS_RULES_VIEW_TITLE);
  const std::wstring text = LoadModuleString(body);
  message_view->SetTitleText(title.c_str());
  message_view->SetBodyText(text.c_str());
  message_view->SetIcon(body == IDS_RULES_EX55_NO_SERVER ? Icon_Information : Icon_Error);
  return S_OK;
}

void CRoutingDelegationBase::ShowColumns(CComponent* component) {
  IConsole* console = component->console();
  pw::ComPtr<IHeaderCtrl> header;
  if (SUCCEEDED(console->QueryInterface(IID_IHeaderCtrl, header.ReleaseAndGetVoidAddressOf()))) {
    header->InsertColumn(0, GetValueColumnTitle().c_str(), LVCFMT_LEFT, kValueColumnWidth);
    header->InsertColumn(1, LoadModuleString(IDS_RULES_COLUMN_USERS).c_str(), LVCFMT_LEFT,
                         kUsersColumnWidth);
  }
  if (pw::ComPtr<IResultData> result_data = ResultDataOf(component)) {
    result_data->ModifyViewStyle(static_cast<MMC_RESULT_VIEW_STYLE>(0), MMC_NOSORTHEADER);
    result_data->SetItemCount(child_count(), 0);
  }
}

HRESULT CRoutingDelegationBase::OnShow(CComponent* component, IConsole* console, CComponentData*,
                                       BOOL show, HSCOPEITEM) {
  SetListShown(component, show != FALSE);
  if (!show) return S_OK;
  // The console has moved on from the rows it showed before: none can be notified any more.
  removed_.clear();
  if (component == nullptr || component->console() == nullptr) return E_POINTER;
  if (component_data_ == nullptr || !component_data_->directory().IsConnected()) {
    FillMessageView(component);
    return S_FALSE;
  }
  ShowColumns(component);
  return OnRefresh(component, console != nullptr ? console : component_data_->console());
}

HRESULT CRoutingDelegationBase::OnSelect(CComponent*, IConsole* console, BOOL, BOOL select) {
  if (!select) return S_OK;
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !verbs) return hr;
  if (component_data_ != nullptr && component_data_->directory().IsConnected()) {
    verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  }
  if (HasPropertySheets() == S_OK) verbs->SetVerbState(MMC_VERB_PROPERTIES, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_OPEN);
  return S_OK;
}

void CRoutingDelegationBase::UpdateAll(IConsole* console, LPARAM data, LONG_PTR hint) {
  if (console == nullptr) return;
  pw::ComPtr<IDataObject> scope(new CDataObject(this, CCT_SCOPE));
  console->UpdateAllViews(scope.Get(), data, hint);
}

HRESULT CRoutingDelegationBase::AddTopMenuItems(IContextMenuCallback* callback,
                                                long* insertion_allowed,
                                                std::initializer_list<MenuEntry> entries) {
  if (callback == nullptr || insertion_allowed == nullptr) return E_POINTER;
  if ((*insertion_allowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  for (const MenuEntry& entry : entries) {
    std::wstring name = LoadModuleString(entry.name);
    std::wstring status = LoadModuleString(entry.status);
    CONTEXTMENUITEM item;
    item.strName = name.data();
    item.strStatusBarText = status.data();
    item.lCommandID = entry.command;
    item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
    const HRESULT hr = callback->AddItem(&item);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT CRoutingDelegationBase::AttachNewButton(CComponent* component, IControlbar* controlbar,
                                                BOOL select, long command, UINT text,
                                                UINT tooltip) {
  if (!select || component == nullptr) return S_OK;
  return component->ShowListButtons(list_kind_, controlbar, {{command, 0, text, tooltip, true}});
}

HRESULT CRoutingDelegationBase::OnRefresh(CComponent* component, IConsole* console) {
  if (component_data_ == nullptr || component_data_->rule_store() == nullptr) return E_UNEXPECTED;
  if (console == nullptr) console = component_data_->console();
  bool kept_open = false;
  {
    CWaitCursor wait;
    try {
      IArdentRuleEnumPtr rules = component_data_->rule_store()->EnumRules(L"", rule_type_);
      if (!rules) throw ComError(E_POINTER, IID_IArdentRULEDB);
      rules->Reset();
      // The store lists rules in the order the children were made, unless the list was sorted:
      // each rule is first compared with the child after the last one matched, and only a
      // mismatch looks it up by "ObjectID" (the map is made at the first one).
      std::vector<std::wstring> ids;
      ids.reserve(children_.size());
      for (const auto& child : children_) ids.push_back(child->object_id());
      std::unordered_map<std::wstring, std::size_t> by_id;
      std::vector<bool> seen(children_.size(), false);
      std::size_t next = 0;
      IArdentRulePtr rule;
      while (rules->Next(&rule) == S_OK && rule) {
        const std::wstring id = rule->GetField(L"ObjectID").ToString();
        std::optional<std::size_t> match;
        if (!id.empty() && next < ids.size() && ids[next] == id) {
          match = next;
        } else if (!id.empty()) {
          if (by_id.empty()) {
            by_id.reserve(ids.size());
            for (std::size_t index = 0; index < ids.size(); ++index)
              by_id.emplace(ids[index], index);
          }
          if (auto found = by_id.find(id); found != by_id.end()) match = found->second;
        }
        if (match) {
          children_[*match]->SetRule(rule);
          seen[*match] = true;
          next = *match + 1;
          continue;
        }
        std::unique_ptr<CRouteNode> added = CreateRuleNode(L"", L"", rule);
        if (FAILED(added->SetComponentData(component_data_))) continue;
        children_.push_back(std::move(added));
        seen.push_back(true);
      }
      std::vector<std::unique_ptr<CRouteNode>> kept;
      for (std::size_t index = 0; index < children_.size(); ++index) {
        if (!seen[index] && children_[index]->GetNotifyHandle() == 0) {
          removed_.push_back(std::move(children_[index]));
          continue;
        }
        if (!seen[index]) kept_open = true;
        kept.push_back(std::move(children_[index]));
      }
      children_ = std::move(kept);
    } catch (const ComError& error) {
      WriteLog(L"CRoutingDelegationBase::OnRefresh failed: 0x%08X",
               static_cast<DWORD>(error.Error()));
      return error.Error();
    }
    if (IsListShown(component)) {
      if (pw::ComPtr<IResultData> result_data = ResultDataOf(component)) {
        result_data->SetItemCount(child_count(), 0);
      }
    }
    UpdateAll(console, -1, kHintResetCount);
  }
  if (kept_open) {
    component_data_->ShowMessage(LoadModuleString(IDS_RULES_REFRESH_SHEETS_OPEN), MB_ICONERROR);
  }
  if (IsListShown(component)) UpdateDescriptionBar(component->console());
  return S_OK;
}

UINT CRoutingDelegationBase::GetDescriptionFormat() { return IDS_RULES_COUNT; }

HRESULT CRoutingDelegationBase::UpdateDescriptionBar(IConsole* console) {
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IResultData> result_data;
  HRESULT hr = console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  std::wstring text = pw::FormatString(LoadModuleString(GetDescriptionFormat()), child_count());
  return result_data->SetDescBarText(text.data());
}

void CRoutingDelegationBase::SelectRow(CComponent* component, int row, bool select) {
  pw::ComPtr<IResultData> result_data = ResultDataOf(component);
  if (!result_data) return;
  const UINT states = LVIS_SELECTED | LVIS_FOCUSED;
  const int first = row < 0 ? 0 : row;
  const int last = row < 0 ? child_count() - 1 : row;
  for (int index = first; index <= last && index < child_count(); ++index) {
    result_data->ModifyItemState(index, 0, select ? states : 0, select ? 0 : states);
  }
}

HRESULT CRoutingDelegationBase::OnViewChange(CComponent* component, IConsole*, LPARAM data,
                                             LONG_PTR hint) {
  if (!IsListShown(component)) return S_OK;
  switch (hint) {
    case kHintSelectRow:
      SelectRow(component, static_cast<int>(data), true);
      return S_OK;
    case kHintDeselectRow:
      SelectRow(component, static_cast<int>(data), false);
      return S_OK;
    case kHintUpdateItem: {
      const int row = IndexOfChild(reinterpret_cast<CDelegationBase*>(data));
      pw::ComPtr<IResultData> result_data = ResultDataOf(component);
      if (row >= 0 && result_data) result_data->UpdateItem(row);
      return S_OK;
    }
    case kHintResetCount:
      if (data < 0) {
        if (pw::ComPtr<IResultData> result_data = ResultDataOf(component)) {
          result_data->SetItemCount(child_count(), 0);
        }
        UpdateDescriptionBar(component->console());
      }
      return S_OK;
    default:
      return S_FALSE;
  }
}

HRESULT CRoutingDelegationBase::FindItem(RESULTFINDINFO* find_info, int* found_index) {
  if (find_info == nullptr || find_info->psz == nullptr || found_index == nullptr) {
    return E_INVALIDARG;
  }
  const std::wstring wanted(find_info->psz);
  const bool partial = (find_info->dwOptions & RFI_PARTIAL) != 0;
  auto matches = [&](int row) {
    const std::wstring text = child_at(row)->GetDisplayName(0);
    return partial ? StartsWithNoCase(text, wanted) : pw::EqualsIgnoreCase(text, wanted);
  };
  const int start = std::max(0, find_info->nStart);
  for (int row = start; row < child_count(); ++row) {
    if (matches(row)) {
      *found_index = row;
      return S_OK;
    }
  }
  if ((find_info->dwOptions & RFI_WRAP) != 0) {
    for (int row = 0; row < start && row < child_count(); ++row) {
      if (matches(row)) {
        *found_index = row;
        return S_OK;
      }
    }
  }
  *found_index = -1;
  return S_FALSE;
}

HRESULT CRoutingDelegationBase::CacheHint(int first, int last) {
  const int from = std::max(0, std::min(first, last));
  const int to = std::min(child_count() - 1, std::max(first, last));
  for (int row = from; row <= to; ++row) child_at(row)->BuildUsersText();
  return S_OK;
}

HRESULT CRoutingDelegationBase::SortItems(int column, DWORD options, LPARAM) {
  if (column != 0 && column != 1) return S_OK;
  // Every child's column-0 text is folded once: a sort compares each child many times, and
  // copying and folding the texts in every comparison cost more than the sort itself.
  const std::size_t count = children_.size();
  std::vector<std::wstring> values(count);
  for (std::size_t index = 0; index < count; ++index) {
    values[index] = children_[index]->GetDisplayName(0);
    for (wchar_t& c : values[index]) c = static_cast<wchar_t>(std::towlower(c));
  }
  auto by_value = [&](std::size_t a, std::size_t b) { return values[a].compare(values[b]); };
  auto by_users = [&](std::size_t a, std::size_t b) {
    CRouteNode& first = *children_[a];
    CRouteNode& second = *children_[b];
    if (first.user_count() != second.user_count()) {
      return first.user_count() < second.user_count() ? -1 : 1;
    }
    return CRouteNode::CompareTexts(first.UsersText(), second.UsersText());
  };
  std::vector<std::size_t> order(count);
  for (std::size_t index = 0; index < count; ++index) order[index] = index;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    int result = 0;
    if (column == 0) {
      result = by_value(a, b);
      if (result == 0) result = by_users(a, b);
    } else {
      result = by_users(a, b);
      if (result == 0) result = by_value(a, b);
    }
    return result < 0;
  });
  std::vector<std::unique_ptr<CRouteNode>> sorted;
  sorted.reserve(count);
  for (std::size_t index : order) sorted.push_back(std::move(children_[index]));
  children_ = std::move(sorted);
  if ((options & RSI_DESCENDING) != 0) std::reverse(children_.begin(), children_.end());
  return S_OK;
}

int CRoutingDelegationBase::IndexOfChild(CDelegationBase* child) {
  for (int row = 0; row < child_count(); ++row) {
    if (children_[static_cast<std::size_t>(row)].get() == child) return row;
  }
  return -1;
}

void CRoutingDelegationBase::RemoveChildAt(int position) {
  if (position < 0 || position >= child_count()) return;
  removed_.push_back(std::move(children_[static_cast<std::size_t>(position)]));
  children_.erase(children_.begin() + position);
}

HRESULT CRoutingDelegationBase::DeleteRuleNode(CComponent*, IConsole* console, CRouteNode* child,
                                               BOOL silent) {
  if (child == nullptr || component_data_ == nullptr) return E_POINTER;
  if (!silent && component_data_->ShowMessage(LoadModuleString(IDS_RULES_CONFIRM_REMOVE),
                                              MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return S_FALSE;
  }
  const HRESULT hr = component_data_->rule_store()->raw_DeleteRule(child->object_id().c_str());
  if (hr != S_OK && hr != ARDENTDB_E_RULENOTFOUND) {
    if (!silent) {
      component_data_->ShowMessage(pw::FromUtf8(ComError(hr, IID_IArdentRULEDB).what()),
                                   MB_ICONERROR);
    }
    return E_FAIL;
  }
  if (!silent) {
    // The views let go of the row's selection while its node still exists.
    UpdateAll(console, IndexOfChild(child), kHintDeselectRow);
  }
  RemoveChildAt(IndexOfChild(child));
  if (!silent) {
    UpdateAll(console, -1, kHintResetCount);
    UpdateAll(console, -1, kHintDeselectRow);
    UpdateDescriptionBar(console);
  }
  return S_OK;
}

bool CRoutingDelegationBase::MatchesInDB(const std::function<bool(IArdentRule&)>& matches) {
  IArdentRuleEnumPtr rules = component_data_->rule_store()->EnumRules(L"", rule_type_);
  if (!rules) {
    WriteLog(L"CRoutingDelegationBase::IsRuleInDB failed.");
    throw ComError(E_POINTER, IID_IArdentRULEDB);
  }
  rules->Reset();
  IArdentRulePtr rule;
  while (rules->Next(&rule) == S_OK && rule) {
    if (matches(*rule)) return true;
  }
  return false;
}

bool CRoutingDelegationBase::IsRuleInDB(const std::wstring& value) {
  return MatchesInDB([&](IArdentRule& rule) {
    return pw::EqualsIgnoreCase(rule.GetField(L"ObjectValue").ToString(), value);
  });
}

bool CRoutingDelegationBase::IsDisplayInDB(const std::wstring& display) {
  return MatchesInDB([&](IArdentRule& rule) {
    return pw::EqualsIgnoreCase(rule.GetField(L"ObjectDisplay").ToString(), display);
  });
}

bool CRoutingDelegationBase::IsRuleOrDisplayInDB(const std::wstring& value,
                                                 const std::wstring& display) {
  return MatchesInDB([&](IArdentRule& rule) {
    return pw::EqualsIgnoreCase(rule.GetField(L"ObjectValue").ToString(), value) ||
           pw::EqualsIgnoreCase(rule.GetField(L"ObjectDisplay").ToString(), display);
  });
}

HRESULT CRoutingDelegationBase::OpenPropertySheet(IConsole* console, CRouteNode* child) {
  pw::ComPtr<IPropertySheetProvider> provider;
  HRESULT hr = CoCreateInstance(CLSID_NodeManager, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IPropertySheetProvider, provider.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr) || !provider) return FAILED(hr) ? hr : E_FAIL;
  pw::ComPtr<IDataObject> item(new CDataObject(child, CCT_RESULT));
  hr = provider->CreatePropertySheet(child->value_text().c_str(), TRUE, child->GetCookie(),
                                     item.Get(), 0);
  if (FAILED(hr)) return hr;
  hr = provider->AddPrimaryPages(static_cast<IComponentData*>(component_data_), TRUE, nullptr,
                                 FALSE);
  if (FAILED(hr)) return hr;
  HWND main_window = nullptr;
  if (console != nullptr) console->GetMainWindow(&main_window);
  return provider->Show(reinterpret_cast<LONG_PTR>(main_window), 0);
}

HRESULT CRoutingDelegationBase::AddEntry(
    CComponent*, IConsole* console,
    const std::function<std::optional<std::wstring>()>& run_dialog) {
  if (component_data_ == nullptr) return E_UNEXPECTED;
  if (console == nullptr) console = component_data_->console();
  if (!component_data_->directory().IsConnected()) {
    if (!EnsureDirectoryConnection(true, console)) return S_FALSE;
  }
  const std::optional<std::wstring> value = run_dialog();
  if (!value) return S_FALSE;
  std::unique_ptr<CRouteNode> added = CreateRuleNode(*value, *value, nullptr);
  const HRESULT hr = added->SetComponentData(component_data_);
  if (FAILED(hr)) {
    component_data_->ShowMessage(pw::FromUtf8(ComError(hr, IID_IArdentRULEDB).what()),
                                 MB_ICONERROR);
    return hr;
  }
  CRouteNode* child = added.get();
  children_.push_back(std::move(added));
  UpdateAll(console, -1, kHintResetCount);
  UpdateAll(console, -1, kHintDeselectRow);
  UpdateAll(console, IndexOfChild(child), kHintSelectRow);
  OpenPropertySheet(console, child);
  // The sheet may have been refused; the child is still ours until the refresh below.
  if (console != nullptr) {
    pw::ComPtr<IDataObject> item(new CDataObject(child, CCT_RESULT));
    console->UpdateAllViews(item.Get(), reinterpret_cast<LPARAM>(child), kHintUpdateItem);
  }
  return OnRefresh(nullptr, console);
}
