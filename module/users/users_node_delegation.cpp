// CUsersNodeDelegation: showing, refreshing, finding, sorting and registering the members of a
// user list.
#include "module/users/users_node_delegation.h"

#include <algorithm>
#include <map>
#include <utility>

#include "module/resources/resource.h"
#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/data_object.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/view_hints.h"
#include "module/users/add_user_dlg.h"
#include "module/users/name_list.h"
#include "module/users/user_groups.h"
#include "platform/com/memory.h"
#include "platform/com/strings.h"
#include "platform/ui/wait_box.h"
#include "platform/ui/wait_cursor.h"
#include "platform/win/paths.h"

namespace {

constexpr DWORD kActiveDirectory = 1;
constexpr DWORD kExchange55 = 2;
constexpr DWORD kOwnDatabase = 3;
constexpr int kColumnWidth = 100;

bool StartsWithIgnoreCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() &&
         pw::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// The module's file, for the addresses of its HTML resources.
std::wstring ModulePath() {
  return pw::ModuleFileNameFromAddress(reinterpret_cast<const void*>(&ModulePath));
}

}  // namespace

CUsersNodeDelegation::CUsersNodeDelegation(CDelegationBase* owner, std::wstring list_rule,
                                           ListKind list_kind)
    : CDelegationBase(owner), list_rule_(std::move(list_rule)), list_kind_(list_kind) {}

CUsersNodeDelegation::~CUsersNodeDelegation() = default;

HRESULT CUsersNodeDelegation::SetComponentData(CComponentData* component_data) {
  component_data_ = component_data;
  for (const auto& user : users_) user->SetComponentData(component_data);
  return S_OK;
}

CUserNodeDelegation* CUsersNodeDelegation::user_at(int index) const {
  if (index < 0 || index >= static_cast<int>(users_.size())) return nullptr;
  return users_[static_cast<std::size_t>(index)].get();
}

CDelegationBase* CUsersNodeDelegation::NodeAtRow(int row) { return user_at(row); }

int CUsersNodeDelegation::IndexOfChild(CDelegationBase* child) {
  for (std::size_t i = 0; i < users_.size(); ++i) {
    if (users_[i].get() == child) return static_cast<int>(i);
  }
  return -1;
}

void CUsersNodeDelegation::RemoveChildAt(int position) {
  if (position < 0 || position >= static_cast<int>(users_.size())) return;
  retired_.push_back(std::move(users_[static_cast<std::size_t>(position)]));
  users_.erase(users_.begin() + position);
}

UINT CUsersNodeDelegation::ConnectionErrorId() const {
  switch (component_data_ != nullptr ? component_data_->directory_mode() : 0) {
    case kActiveDirectory:
      return IDS_CONNECT_ERROR_AD;
    case kExchange55:
      return component_data_->directory_server().empty() ? IDS_NO_DSA_SERVER
                                                         : IDS_CONNECT_ERROR_EX55;
    default:
      return IDS_INTERNAL_ERROR;
  }
}

int CUsersNodeDelegation::Message(const std::wstring& text, UINT style) const {
  if (component_data_ == nullptr) return 0;
  return component_data_->ShowMessage(text, style);
}

void CUsersNodeDelegation::DropUserNode(CUserNodeDelegation* node) {
  const int index = IndexOfChild(node);
  if (index >= 0) RemoveChildAt(index);
  UpdateViews(-1, kHintResetCount);
  UpdateViews(-1, kHintDeselectRow);
}

void CUsersNodeDelegation::UpdateViews(LPARAM data, LONG_PTR hint) {
  IConsole2* console = component_data_ != nullptr ? component_data_->console() : nullptr;
  if (console == nullptr) return;
  auto* data_object = new (std::nothrow) CDataObject(this, CCT_SCOPE);
  if (data_object == nullptr) return;
  pw::ComPtr<IDataObject> keep(data_object);
  console->UpdateAllViews(data_object, data, hint);
}

HRESULT CUsersNodeDelegation::GetResultViewType(CComponent* component, LPOLESTR* view_type,
                                                LONG* options) {
  if (view_type == nullptr || options == nullptr) return E_POINTER;
  *view_type = nullptr;
  *options =
      MMC_VIEW_OPTIONS_NOLISTVIEWS | MMC_VIEW_OPTIONS_MULTISELECT | MMC_VIEW_OPTIONS_OWNERDATALIST;
  if (component_data_ == nullptr) return S_FALSE;
  component_data_->directory().ConnectAutomatically();
  if (component_data_->directory().IsConnected()) return S_FALSE;
  if (component != nullptr && component->console_version() >= 2) {
    *view_type = pw::CoTaskMemDupString(pw::GuidToString(CLSID_MessageView));
    *options = MMC_VIEW_OPTIONS_NOLISTVIEWS;
    return S_OK;
  }
  static constexpr const wchar_t* kPages[] = {L"connecterror_ad.htm#", L"connecterror_ex55.htm#",
                                              L"connecterror_smtp.htm#"};
  const DWORD mode = component_data_->directory_mode();
  const wchar_t* page = mode >= 1 && mode <= 3 ? kPages[mode - 1] : kPages[2];
  *view_type = pw::CoTaskMemDupString(L"res://" + ModulePath() + L"/" + page);
  return S_OK;
}

HRESULT CUsersNodeDelegation::OnShow(CComponent* component, IConsole* console, CComponentData*,
                                     BOOL show, HSCOPEITEM) {
  if (!show) {
    SetVisible(false);
    if (component != nullptr) component->ClearListKind(list_kind_);
    return S_OK;
  }
  SetVisible(true);
  // The console has moved on from the rows it showed before: none can be notified any more.
  retired_.clear();
  if (console == nullptr || component_data_ == nullptr) return E_POINTER;
  if (!component_data_->directory().IsConnected()) {
    pw::ComPtr<IUnknown> result_view;
    pw::ComPtr<IMessageView> message_view;
    if (FAILED(console->QueryResultView(result_view.ReleaseAndGetAddressOf())) || !result_view ||
        FAILED(result_view.As(&message_view))) {
      return S_OK;
    }
    const UINT body = ConnectionErrorId();
    message_view->SetTitleText(LoadModuleString(GetTitleId()).c_str());
    message_view->SetBodyText(LoadModuleString(body).c_str());
    message_view->SetIcon(body == IDS_NO_DSA_SERVER ? Icon_Information : Icon_Error);
    return S_OK;
  }
  pw::ComPtr<IHeaderCtrl> header;
  pw::ComPtr<IResultData> result_data;
  HRESULT hr = console->QueryInterface(IID_IHeaderCtrl, header.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  hr = console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return hr;
  std::vector<UINT> columns{IDS_COLUMN_NAME, IDS_COLUMN_LOGIN, IDS_COLUMN_EMAIL};
  if (component_data_->directory_mode() == kExchange55)
    columns = {IDS_COLUMN_NAME, IDS_COLUMN_EMAIL};
  for (std::size_t i = 0; i < columns.size(); ++i) {
    header->InsertColumn(static_cast<int>(i), LoadModuleString(columns[i]).c_str(), LVCFMT_LEFT,
                         kColumnWidth);
  }
  if (component != nullptr) component->SetListKind(list_kind_, this, this);
  result_data->SetItemCount(static_cast<int>(users_.size()), 0);
  return OnRefresh(component, console);
}

HRESULT CUsersNodeDelegation::OnSelect(CComponent*, IConsole* console, BOOL, BOOL) {
  if (console == nullptr) return E_POINTER;
  pw::ComPtr<IConsoleVerb> verbs;
  const HRESULT hr = console->QueryConsoleVerb(verbs.ReleaseAndGetAddressOf());
  if (FAILED(hr) || verbs == nullptr) return hr;
  verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, ENABLED, TRUE);
  verbs->SetVerbState(MMC_VERB_OPEN, HIDDEN, TRUE);
  verbs->SetDefaultVerb(MMC_VERB_OPEN);
  return S_OK;
}

bool CUsersNodeDelegation::ReadMembers(std::vector<std::wstring>* members) const {
  IArdentRULEDB* rules = component_data_->rule_store();
  if (rules == nullptr) return false;
  IArdentRuleEnum* raw = nullptr;
  const HRESULT hr = rules->raw_EnumRules(L"", list_rule_.c_str(), &raw);
  const IArdentRuleEnumPtr found = IArdentRuleEnumPtr::Adopt(raw);
  if (FAILED(hr) || !found) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(hr));
    return false;
  }
  try {
    std::map<std::wstring, bool, pw::LessIgnoreCase> seen;
    IArdentRulePtr rule;
    while (found->Next(&rule) == S_OK) {
      const IArdentTextEnumPtr users = rule->EnumUsers();
      _bstr_t user;
      while (users && users->Next(&user) == S_OK) {
        if (seen.emplace(user.str(), true).second) members->push_back(user.str());
      }
    }
  } catch (const ComError& error) {
    WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    return false;
  }
  return true;
}

HRESULT CUsersNodeDelegation::RefreshUserList(CComponent* component, IConsole* console) {
  return OnRefresh(component, console);
}

HRESULT CUsersNodeDelegation::OnRefresh(CComponent*, IConsole*) {
  WriteLog(L"CUsersNodeDelegation::OnRefresh");
  CWaitBox wait_box(nullptr, LoadModuleString(IDS_RETRIEVING_USERS));
  if (component_data_ == nullptr || !component_data_->directory().IsConnected()) return S_OK;
  std::vector<std::wstring> members;
  if (!ReadMembers(&members)) return S_OK;

  // Existing nodes by identity, so that resolved records and open sheets survive the refresh.
  std::map<std::wstring, std::unique_ptr<CUserNodeDelegation>, pw::LessIgnoreCase> existing;
  for (auto& user : users_) {
    WriteLog(L"Login...");
    WriteLog(L"%s", user->login());
    WriteLog(L"GUID...");
    WriteLog(L"%s", user->guid());
    const std::wstring guid = user->guid();
    existing.emplace(guid, std::move(user));
  }
  std::vector<std::unique_ptr<CUserNodeDelegation>> refreshed;
  refreshed.reserve(members.size());
  for (const std::wstring& guid : members) {
    const auto found = existing.find(guid);
    if (found != existing.end()) {
      refreshed.push_back(std::move(found->second));
      existing.erase(found);
      continue;
    }
    std::unique_ptr<CUserNodeDelegation> node = CreateUserNode(L"", guid, L"");
    if (!node) continue;
    node->SetComponentData(component_data_);
    refreshed.push_back(std::move(node));
  }
  bool kept_open = false;
  for (auto& [guid, node] : existing) {
    if (node->IsSheetOpen()) {
      kept_open = true;
      refreshed.push_back(std::move(node));
    } else {
      retired_.push_back(std::move(node));
    }
  }
  users_ = std::move(refreshed);
  UpdateViews(-1, kHintResetCount);
  if (kept_open) Message(LoadModuleString(IDS_REFRESH_SHEETS_OPEN), MB_OK | MB_ICONERROR);
  return S_OK;
}

HRESULT CUsersNodeDelegation::OnViewChange(CComponent*, IConsole* console, LPARAM data,
                                           LONG_PTR hint) {
  if (!IsVisible() || console == nullptr) return S_OK;
  pw::ComPtr<IResultData> result_data;
  if (FAILED(console->QueryInterface(IID_IResultData, result_data.ReleaseAndGetVoidAddressOf()))) {
    return S_OK;
  }
  const int count = static_cast<int>(users_.size());
  if (hint == kHintResetCount && data < 0) {
    result_data->SetItemCount(count, 0);
  } else if (hint == kHintSelectRow || hint == kHintDeselectRow) {
    const UINT states = LVIS_FOCUSED | LVIS_SELECTED;
    const int first = data < 0 ? 0 : static_cast<int>(data);
    const int last = data < 0 ? count - 1 : static_cast<int>(data);
    for (int row = first; row <= last && row < count; ++row) {
      if (hint == kHintSelectRow) {
        result_data->ModifyItemState(row, 0, states, 0);
      } else {
        result_data->ModifyItemState(row, 0, 0, states);
      }
    }
  }
  return S_OK;
}

HRESULT CUsersNodeDelegation::FindItem(RESULTFINDINFO* find_info, int* found_index) {
  if (find_info == nullptr || found_index == nullptr) return E_POINTER;
  *found_index = -1;
  const std::wstring_view text = find_info->psz != nullptr ? find_info->psz : L"";
  const int count = static_cast<int>(users_.size());
  const bool partial = (find_info->dwOptions & RFI_PARTIAL) != 0;
  const bool wrap = (find_info->dwOptions & RFI_WRAP) != 0;
  const int start = std::max(0, find_info->nStart);
  auto matches = [&](int row) {
    const std::wstring name = users_[static_cast<std::size_t>(row)]->GetDisplayName(0);
    return partial ? StartsWithIgnoreCase(name, text) : pw::EqualsIgnoreCase(name, text);
  };
  for (int row = start; row < count; ++row) {
    if (matches(row)) {
      *found_index = row;
      return S_OK;
    }
  }
  if (wrap) {
    for (int row = 0; row < std::min(start, count); ++row) {
      if (matches(row)) {
        *found_index = row;
        return S_OK;
      }
    }
  }
  return S_OK;
}

HRESULT CUsersNodeDelegation::CacheHint(int first, int last) {
  if (first > last) std::swap(first, last);
  std::unique_ptr<CWaitCursor> wait;
  for (int row = std::max(first, 0); row <= last && row < static_cast<int>(users_.size()); ++row) {
    CUserNodeDelegation& user = *users_[static_cast<std::size_t>(row)];
    if (user.IsResolved()) continue;
    if (!wait) wait = std::make_unique<CWaitCursor>();
    user.Resolve();
  }
  return S_OK;
}

HRESULT CUsersNodeDelegation::SortItems(int column, DWORD options, LPARAM) {
  Sort(column, (options & RSI_DESCENDING) != 0);
  return S_OK;
}

void CUsersNodeDelegation::Sort(int column, bool descending) {
  const bool exchange =
      component_data_ != nullptr && component_data_->directory_mode() == kExchange55;
  using Field = std::wstring (CUserNodeDelegation::*)() const;
  std::vector<Field> keys;
  if (column == 0) {
    keys = exchange ? std::vector<Field>{&CUserNodeDelegation::name, &CUserNodeDelegation::email}
                    : std::vector<Field>{&CUserNodeDelegation::name, &CUserNodeDelegation::login,
                                         &CUserNodeDelegation::email};
  } else if (column == 1) {
    keys = exchange ? std::vector<Field>{&CUserNodeDelegation::email, &CUserNodeDelegation::name}
                    : std::vector<Field>{&CUserNodeDelegation::login, &CUserNodeDelegation::name,
                                         &CUserNodeDelegation::email};
  } else if (column == 2 && !exchange) {
    keys = {&CUserNodeDelegation::email, &CUserNodeDelegation::name, &CUserNodeDelegation::login};
  }
  if (keys.empty()) return;
  for (const auto& user : users_) user->Resolve();
  std::stable_sort(users_.begin(), users_.end(), [&](const auto& a, const auto& b) {
    for (Field key : keys) {
      const int compared = pw::CompareIgnoreCase(((*a).*key)(), ((*b).*key)());
      if (compared != 0) return descending ? compared > 0 : compared < 0;
    }
    return false;
  });
}

bool CUsersNodeDelegation::IsMember(const std::wstring& guid) const {
  std::vector<std::wstring> members;
  if (!ReadMembers(&members)) return false;
  return std::any_of(members.begin(), members.end(), [&](const std::wstring& member) {
    return pw::EqualsIgnoreCase(member, guid);
  });
}

bool CUsersNodeDelegation::MemberGroups(const std::wstring& guid,
                                        std::vector<std::wstring>* groups) const {
  const HRESULT hr = pw::ListGroupsOfMember(list_rule_, component_data_->rule_store(),
                                            component_data_->user_locator(), guid, groups);
  if (FAILED(hr)) {
    WriteLog(L"FAILED UserUtil_GetUserConfigGroups. Return 0x%08X.", static_cast<DWORD>(hr));
    return false;
  }
  return true;
}

int CUsersNodeDelegation::HasPagewellAddress(const std::wstring& guid) const {
  const DWORD mode = component_data_->directory_mode();
  if (mode != kActiveDirectory && mode != kExchange55) return 1;
  IArdentUserLocator* locator = component_data_->user_locator();
  if (locator == nullptr) return -1;
  IArdentUser* raw = nullptr;
  const LONG search = mode == kExchange55 ? udbSearchDN : udbSearchDefault;
  if (locator->raw_FindUser(search, guid.c_str(), &raw) != S_OK) {
    if (raw != nullptr) raw->Release();
    return -1;
  }
  const IArdentUserPtr user = IArdentUserPtr::Adopt(raw);
  VARIANT value;
  const wchar_t* attribute = mode == kActiveDirectory ? L"proxyAddresses" : L"otherMailbox";
  if (FAILED(user->raw_GetAttribute(attribute, &value))) return -1;
  const wchar_t separator = mode == kActiveDirectory ? L':' : L'$';
  std::vector<VARIANT> values;
  if (value.vt() == (VT_ARRAY | VT_VARIANT)) values = value.Array();
  if (value.vt() == VT_BSTR) values.push_back(value);
  for (const VARIANT& item : values) {
    if (item.vt() != VT_BSTR) continue;
    const std::wstring& text = item.bstrVal();
    if (text.find(separator) == 8 && pw::EqualsIgnoreCase(text.substr(0, 8), L"Pagewell")) return 1;
  }
  return 0;
}

void CUsersNodeDelegation::AddToListRule(const std::wstring& guid) {
  // The list is one rule whose user set holds the members: the new member joins the first
  // rule of the list, which is made when there is none yet.
  IArdentRULEDB* rules = component_data_->rule_store();
  IArdentRulePtr rule;
  if (const IArdentRuleEnumPtr found = rules->EnumRules(L"", list_rule_)) found->Next(&rule);
  const bool is_new = !rule;
  if (is_new) rule = rules->CreateRule(list_rule_);
  rule->AddUser(guid);
  rules->SaveRule(rule.Get(), is_new ? VARIANT_TRUE : VARIANT_FALSE);
}

HRESULT CUsersNodeDelegation::RegisterObjects(const std::vector<PickedObject>& picked,
                                              IConsole* console) {
  if (component_data_ == nullptr || component_data_->rule_store() == nullptr) return E_POINTER;
  const bool single = picked.size() == 1;
  std::vector<std::wstring> already_available;
  std::vector<std::wstring> without_address;
  IArdentUserLocator* locator = component_data_->user_locator();
  auto display_name = [&](const std::wstring& guid, std::wstring* name) {
    BSTR raw = nullptr;
    const HRESULT hr =
        locator != nullptr ? locator->raw_GetDisplayName(guid.c_str(), &raw) : E_POINTER;
    *name = pw::ardent_detail::TakeBstr(raw);
    if (FAILED(hr)) WriteLog(L"FAILED raw_GetDisplayName. Return 0x%08X.", static_cast<DWORD>(hr));
    return SUCCEEDED(hr);
  };
  for (const PickedObject& object : picked) {
    // The pick logged the entry it could not hand out.
    if (object.guid.empty()) continue;
    const bool group = object.object_type == L"group";
    std::wstring name;
    if (IsMember(object.guid)) {
      if (single) {
        Message(LoadModuleString(group ? GetGroupExistsId() : GetUserExistsId()),
                MB_OK | MB_ICONINFORMATION);
      } else {
        if (!display_name(object.guid, &name)) break;
        already_available.push_back(name);
      }
      continue;
    }
    const HRESULT indirect =
        pw::IsListMemberThroughGroups(object.guid, component_data_->rule_store(), locator,
                                      component_data_->directory_mode(), list_rule_);
    if (indirect == S_OK) {
      std::vector<std::wstring> groups;
      if (!MemberGroups(object.guid, &groups)) break;
      if (!display_name(object.guid, &name)) break;
      std::wstring group_list;
      for (const std::wstring& member_of : groups) {
        group_list += (group_list.empty() ? L"" : L", ") + member_of;
      }
      const std::wstring question = pw::FormatString(
          LoadModuleString(group ? GetGroupInGroupsId() : GetUserInGroupsId()), name, group_list);
      if (Message(question, MB_YESNO | MB_ICONQUESTION) != IDYES) continue;
    }
    const int address = HasPagewellAddress(object.guid);
    if (address < 0 &&
        Message(LoadModuleString(IDS_ADDRESS_UNKNOWN), MB_YESNO | MB_ICONWARNING) != IDYES) {
      continue;
    }
    if (address == 0) {
      if (single) {
        Message(LoadModuleString(group ? IDS_GROUP_NO_ADDRESS : IDS_USER_NO_ADDRESS),
                MB_OK | MB_ICONINFORMATION);
      } else {
        if (!display_name(object.guid, &name)) break;
        without_address.push_back(name);
      }
      continue;
    }
    try {
      AddToListRule(object.guid);
    } catch (const ComError& error) {
      WriteLog(L"FAILED raw_EnumRules. Return 0x%08X.", static_cast<DWORD>(error.Error()));
      break;
    }
    if (!display_name(object.guid, &name)) break;
    std::unique_ptr<CUserNodeDelegation> node =
        CreateUserNode(object.object_type, object.guid, L"");
    if (!node) {
      WriteLog(L"FAILED CreateUserNode. Return E_OUTOFMEMORY.");
      continue;
    }
    node->SetComponentData(component_data_);
    users_.push_back(std::move(node));
  }
  OnRefresh(nullptr, console);
  if (!already_available.empty()) {
    Message(pw::FormatString(LoadModuleString(GetNotAddedListId()),
                             pw::ToUtf8(pw::JoinNameList(already_available))),
            MB_OK | MB_ICONINFORMATION);
  }
  if (!without_address.empty()) {
    Message(pw::FormatString(LoadModuleString(IDS_NOT_ADDED_NO_ADDRESS),
                             pw::ToUtf8(pw::JoinNameList(without_address))),
            MB_OK | MB_ICONINFORMATION);
  }
  return S_OK;
}

HRESULT CUsersNodeDelegation::OnNewUser(CComponent*, IConsole* console) {
  if (component_data_ == nullptr) return E_POINTER;
  if (!component_data_->directory().IsConnected()) {
    WriteLog(L"!m_pComponentData->IsConnected()");
    HRESULT hr = S_OK;
    {
      CWaitCursor wait;
      hr = component_data_->directory().ConnectDirectory();
    }
    if (FAILED(hr) || !component_data_->directory().IsConnected()) {
      Message(LoadModuleString(ConnectionErrorId()), MB_OK | MB_ICONERROR);
      return S_OK;
    }
  }
  if (component_data_->directory_mode() == kOwnDatabase) {
    // The dialog makes the user and its list entry; the refresh brings its node.
    CAddUserDlg dialog(component_data_);
    if (dialog.DoModal() != IDOK) {
      WriteLog(L"Dialog cancelled by user.");
      return S_OK;
    }
    try {
      dialog.CreateUser();
    } catch (const ComError& error) {
      WriteLog(L"FAILED CreateUser. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    }
    return OnRefresh(nullptr, console);
  }
  CAddressBookPick pick(component_data_);
  if (pick.Run(CAddressBookPick::kRegistrationFlags) != S_OK) return S_OK;
  return RegisterObjects(pick.entries(), console);
}
