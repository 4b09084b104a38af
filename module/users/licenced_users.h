// CLicencedUsers: the "Licensed users" node, the list of registered fax users.
#pragma once

#include <memory>
#include <string>

#include "module/snapin/node_texts.h"
#include "module/users/users_node_delegation.h"

// Lists the users, groups and mailbox agents registered as fax users of the server ("faxusers"),
// registers and unregisters them and offers the directory connection and import commands. Made
// by its parent with the static tree and destroyed with it.
class CLicencedUsers : public CUsersNodeDelegation {
 public:
  // Context menu and toolbar commands.
  static constexpr long kNewUserCommand = 1;
  static constexpr long kConnectCommand = 2;
  static constexpr long kDisconnectCommand = 3;
  static constexpr long kImportCommand = 4;
  static constexpr long kImportFileCommand = 5;
  static constexpr long kConnectButton = 32773;
  static constexpr long kDisconnectButton = 32774;
  static constexpr long kNewUserButton = 32775;

  explicit CLicencedUsers(CDelegationBase* owner);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                       BOOL select) override;
  HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command) override;

  std::unique_ptr<CUserNodeDelegation> CreateUserNode(const std::wstring& object_type,
                                                      const std::wstring& guid,
                                                      const std::wstring& login) override;
  UINT GetTitleId() const override;
  UINT GetUserExistsId() const override;
  UINT GetNotAddedListId() const override;
  UINT GetGroupExistsId() const override;
  UINT GetUserInGroupsId() const override;
  UINT GetGroupInGroupsId() const override;

 private:
  pw::NodeTexts texts_;
};
