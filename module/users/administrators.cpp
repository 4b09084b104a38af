// CAdministrators: its texts, menu and toolbar, adding administrators through the picker, and
// removing one while keeping at least one.
#include "module/users/administrators.h"

#include <set>
#include <vector>

#include "module/resources/administrators.h"
#include "module/resources/users.h"
#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/view_hints.h"
#include "module/users/administrator_node.h"
#include "module/users/select_users_dlg.h"

namespace {

constexpr int kImage = 14;
constexpr DWORD kOwnDatabase = 3;
constexpr wchar_t kAdminsRule[] = L"admins";

// The members of every "admins" rule, each once.
std::set<std::wstring> StoredAdministrators(IArdentRULEDB& rules) {
  std::set<std::wstring> members;
  IArdentRulePtr rule;
  const IArdentRuleEnumPtr found = rules.EnumRules(L"", kAdminsRule);
  while (found && found->Next(&rule) == S_OK) {
    const IArdentTextEnumPtr users = rule->EnumUsers();
    _bstr_t user;
    while (users && users->Next(&user) == S_OK) members.insert(user.str());
  }
  return members;
}

}  // namespace

CAdministrators::CAdministrators(CDelegationBase* owner)
    : CUsersNodeDelegation(owner, kAdminsRule, ListKind::kAdministrators),
      texts_(IDS_ADMINISTRATORS, IDS_ADMINISTRATORS_DESCRIPTION) {}

std::wstring CAdministrators::GetDisplayName(int column) { return texts_.Column(column); }

GUID CAdministrators::GetNodeType() { return kNodeTypeAdministrators; }

int CAdministrators::GetBitmapIndex(BOOL) { return kImage; }

HRESULT CAdministrators::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  if (callback == nullptr || insertion_allowed == nullptr) return E_POINTER;
  if ((*insertion_allowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  std::wstring name = LoadModuleString(IDS_ADMIN_NEW);
  std::wstring status = LoadModuleString(IDS_ADMIN_NEW_STATUS);
  CONTEXTMENUITEM item;
  item.strName = name.data();
  item.strStatusBarText = status.data();
  item.lCommandID = kNewCommand;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  item.fFlags = 0;
  return callback->AddItem(&item);
}

HRESULT CAdministrators::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewCommand || component_data() == nullptr) return S_FALSE;
  return OnNewUser(component, console);
}

HRESULT CAdministrators::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                      BOOL select) {
  if (!select || component == nullptr) return S_OK;
  return component->ShowListButtons(ListKind::kAdministrators, controlbar,
                                    {{kNewButton, 0, 0, IDS_ADMIN_TOOLTIP, true}});
}

HRESULT CAdministrators::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  if (command != kNewButton) return S_FALSE;
  return OnMenuCommand(component, console, kNewCommand);
}

std::unique_ptr<CUserNodeDelegation> CAdministrators::CreateUserNode(
    const std::wstring& object_type, const std::wstring& guid, const std::wstring& login) {
  return std::make_unique<CAdministratorNode>(this, component_data(), object_type, guid, login);
}

HRESULT CAdministrators::OnNewUser(CComponent* component, IConsole* console) {
  if (component_data() == nullptr) return E_POINTER;
  if (component_data()->directory_mode() == kOwnDatabase) return PickAdministrators(console);
  // The directories' members are picked and checked as the licensed users register theirs.
  return CUsersNodeDelegation::OnNewUser(component, console);
}

HRESULT CAdministrators::PickAdministrators(IConsole* console) {
  IArdentRULEDB* rules = component_data()->rule_store();
  try {
    if (rules == nullptr) CheckHresult(E_POINTER, IArdentRULEDB::kIid);
    CSelectUsersDlg picker(component_data());
    picker.SetCaption(LoadModuleString(IDS_ADMIN_PICKER_CAPTION));
    picker.SetPrompt(LoadModuleString(IDS_ADMIN_PICKER_PROMPT));
    picker.SetUsersOnly(true);
    for (const std::wstring& identity : StoredAdministrators(*rules)) picker.Exclude(identity);
    // Through the base: the picker's own DoModal override is not public.
    if (static_cast<CDialog&>(picker).DoModal() != IDOK) return S_OK;

    IArdentRulePtr rule;
    if (const IArdentRuleEnumPtr found = rules->EnumRules(L"", kAdminsRule)) found->Next(&rule);
    const bool is_new = !rule;
    if (is_new) rule = rules->CreateRule(kAdminsRule);
    for (int index = 0; index < picker.GetSelectedCount(); ++index) {
      rule->AddUser(picker.GetSelectedAt(index).guid());
    }
    rules->SaveRule(rule.Get(), is_new ? VARIANT_TRUE : VARIANT_FALSE);
  } catch (const ComError& error) {
    WriteLog(L"FAILED adding administrators. Return 0x%08X.", static_cast<DWORD>(error.Error()));
    Message(LoadModuleString(IDS_ADMIN_INTERNAL_ERROR), MB_OK | MB_ICONERROR);
  }
  // The refresh makes the new entries' nodes, and shows what was saved before any failure.
  return OnRefresh(nullptr, console);
}

HRESULT CAdministrators::RemoveAdministrator(CAdministratorNode* node, CComponent* component,
                                             IConsole* console, int flag) {
  if (node == nullptr || component_data() == nullptr) return E_POINTER;
  IArdentRULEDB* rules = component_data()->rule_store();
  if (rules == nullptr) return E_POINTER;
  const bool group = node->object_type() == L"group";
  if (flag == 0) {
    // Another console may have changed the list: the last-one check counts the stored list.
    OnRefresh(component, console);
    if (user_count() == 1 && !node->object_type().empty()) {
      Message(LoadModuleString(IDS_ADMIN_KEEP_ONE), MB_OK | MB_ICONINFORMATION);
      return S_FALSE;
    }
    const UINT question = group ? IDS_ADMIN_CONFIRM_REMOVE_GROUP : IDS_ADMIN_CONFIRM_REMOVE;
    if (Message(LoadModuleString(question), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
      return S_FALSE;
    }
  }
  const std::wstring guid = node->guid();
  try {
    std::vector<IArdentRulePtr> listing;
    IArdentRulePtr rule;
    const IArdentRuleEnumPtr found = rules->EnumRules(L"", kAdminsRule);
    while (found && found->Next(&rule) == S_OK) listing.push_back(rule);
    for (const IArdentRulePtr& admins : listing) {
      if (admins->RemoveUser(guid) == S_OK) rules->SaveRule(admins.Get(), VARIANT_FALSE);
    }
  } catch (const ComError& error) {
    WriteLog(L"FAILED removing %s. Return 0x%08X.", guid, static_cast<DWORD>(error.Error()));
    return error.Error();
  }
  DropUserNode(node);
  return S_OK;
}

UINT CAdministrators::GetTitleId() const { return IDS_ADMINISTRATORS_TITLE; }
UINT CAdministrators::GetUserExistsId() const { return IDS_ADMIN_USER_EXISTS; }
UINT CAdministrators::GetNotAddedListId() const { return IDS_NOT_ADDED_LIST; }
UINT CAdministrators::GetGroupExistsId() const { return IDS_ADMIN_GROUP_EXISTS; }
UINT CAdministrators::GetUserInGroupsId() const { return IDS_ADMIN_USER_IN_GROUPS; }
UINT CAdministrators::GetGroupInGroupsId() const { return IDS_ADMIN_GROUP_IN_GROUPS; }
