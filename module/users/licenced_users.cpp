// CLicencedUsers: its texts, menu, commands and item nodes.
#include "module/users/licenced_users.h"

#include <vector>

#include "module/resources/users.h"
#include "module/resources/users_list.h"
#include "module/snapin/component_data.h"
#include "module/snapin/node_types.h"
#include "module/users/single_user_node.h"
#include "module/users/user_import.h"

namespace {

constexpr int kImage = 15;
constexpr DWORD kActiveDirectory = 1;
constexpr DWORD kExchange55 = 2;
constexpr DWORD kOwnDatabase = 3;

HRESULT AddItem(IContextMenuCallback* callback, UINT name_id, UINT status_id, long command,
                bool greyed) {
  std::wstring name = LoadModuleString(name_id);
  std::wstring status = LoadModuleString(status_id);
  CONTEXTMENUITEM item;
  item.strName = name.data();
  item.strStatusBarText = status.data();
  item.lCommandID = command;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  item.fFlags = greyed ? MF_GRAYED : 0;
  return callback->AddItem(&item);
}

}  // namespace

CLicencedUsers::CLicencedUsers(CDelegationBase* owner)
    : CUsersNodeDelegation(owner, L"faxusers", ListKind::kLicensedUsers),
      texts_(IDS_LICENSED_USERS, IDS_LICENSED_USERS_DESCRIPTION) {}

std::wstring CLicencedUsers::GetDisplayName(int column) { return texts_.Column(column); }

GUID CLicencedUsers::GetNodeType() { return kNodeTypeLicencedUsers; }

int CLicencedUsers::GetBitmapIndex(BOOL) { return kImage; }

HRESULT CLicencedUsers::OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) {
  if (callback == nullptr || insertion_allowed == nullptr) return E_POINTER;
  if ((*insertion_allowed & CCM_INSERTIONALLOWED_TOP) == 0 || component_data() == nullptr) {
    return S_OK;
  }
  const bool connected = component_data()->directory().IsConnected();
  AddItem(callback, IDS_NEW_LICENSED_USER, IDS_NEW_LICENSED_USER_STATUS, kNewUserCommand, false);
  switch (component_data()->directory_mode()) {
    case kExchange55:
      AddItem(callback, IDS_CONNECT_DSA, IDS_CONNECT_DSA_STATUS, kConnectCommand, connected);
      AddItem(callback, IDS_DISCONNECT_DSA, IDS_DISCONNECT_DSA_STATUS, kDisconnectCommand,
              !connected);
      break;
    case kActiveDirectory:
      AddItem(callback, IDS_CONNECT_AD, IDS_CONNECT_AD_STATUS, kConnectCommand, connected);
      break;
    case kOwnDatabase:
      AddItem(callback, IDS_IMPORT_USERS, IDS_IMPORT_USERS_STATUS, kImportCommand, false);
      AddItem(callback, IDS_IMPORT_USERS_FILE, IDS_IMPORT_USERS_FILE_STATUS, kImportFileCommand,
              false);
      break;
    default:
      break;
  }
  return S_OK;
}

HRESULT CLicencedUsers::OnMenuCommand(CComponent* component, IConsole* console, long command) {
  if (component_data() == nullptr) return S_FALSE;
  switch (command) {
    case kNewUserCommand:
      return OnNewUser(component, console);
    case kConnectCommand:
      return component_data()->directory().ConnectCommand(console, scope_item());
    case kDisconnectCommand:
      return component_data()->directory().DisconnectCommand(console, scope_item());
    case kImportCommand:
      return CUserImport(this, console).RunImportProgram();
    case kImportFileCommand:
      return CUserImport(this, console).ImportFromChosenFile();
    default:
      return S_FALSE;
  }
}

HRESULT CLicencedUsers::OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL,
                                     BOOL select) {
  if (!select || component == nullptr || controlbar == nullptr || component_data() == nullptr) {
    return S_OK;
  }
  const bool connected = component_data()->directory().IsConnected();
  std::vector<CComponent::ListButton> buttons;
  switch (component_data()->directory_mode()) {
    case kExchange55:
      buttons.push_back({kConnectButton, 1, 0, IDS_CONNECT_TOOLTIP, !connected});
      buttons.push_back({kDisconnectButton, 1, 0, IDS_DISCONNECT_TOOLTIP, connected});
      break;
    case kActiveDirectory:
      buttons.push_back({kConnectButton, 1, 0, IDS_CONNECT_TOOLTIP, !connected});
      break;
    default:
      break;
  }
  buttons.push_back({kNewUserButton, 0, 0, IDS_NEW_USER_TOOLTIP, true});
  return component->ShowListButtons(ListKind::kLicensedUsers, controlbar, buttons);
}

HRESULT CLicencedUsers::OnToolbarCommand(CComponent* component, IConsole* console, long command) {
  switch (command) {
    case kConnectButton:
      return OnMenuCommand(component, console, kConnectCommand);
    case kDisconnectButton:
      return OnMenuCommand(component, console, kDisconnectCommand);
    case kNewUserButton:
      return OnMenuCommand(component, console, kNewUserCommand);
    default:
      return S_FALSE;
  }
}

std::unique_ptr<CUserNodeDelegation> CLicencedUsers::CreateUserNode(const std::wstring& object_type,
                                                                    const std::wstring& guid,
                                                                    const std::wstring& login) {
  return std::make_unique<CSingleUserNode>(this, this, component_data(), object_type, guid, login);
}

UINT CLicencedUsers::GetTitleId() const { return IDS_LICENSED_USERS_TITLE; }
UINT CLicencedUsers::GetUserExistsId() const { return IDS_USER_EXISTS; }
UINT CLicencedUsers::GetNotAddedListId() const { return IDS_NOT_ADDED_LIST; }
UINT CLicencedUsers::GetGroupExistsId() const { return IDS_GROUP_EXISTS; }
UINT CLicencedUsers::GetUserInGroupsId() const { return IDS_USER_IN_GROUPS; }
UINT CLicencedUsers::GetGroupInGroupsId() const { return IDS_GROUP_IN_GROUPS; }
