// CAdministrators: the "Fax administrators" node under "Advanced", the list of users and groups
// that the server notifies of events concerning its operation.
#pragma once

#include <memory>
#include <string>

#include "module/snapin/node_texts.h"
#include "module/users/users_node_delegation.h"

class CAdministratorNode;

// The members of the "admins" list rule. Adds members through the directory's registration
// path (Active Directory, Exchange) or the user picker (own user database), and removes them
// one at a time so that at least one administrator stays. Made by its parent with the static
// tree and destroyed with it; owns its CAdministratorNode items.
class CAdministrators : public CUsersNodeDelegation {
 public:
  static constexpr long kNewCommand = 1;
  static constexpr long kNewButton = 32776;

  explicit CAdministrators(CDelegationBase* owner);

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
  HRESULT OnNewUser(CComponent* component, IConsole* console) override;
  UINT GetTitleId() const override;
  UINT GetUserExistsId() const override;
  UINT GetNotAddedListId() const override;
  UINT GetGroupExistsId() const override;
  UINT GetUserInGroupsId() const override;
  UINT GetGroupInGroupsId() const override;

  // The removal of one administrator (CAdministratorNode::OnDelete): `flag` 0 for a single
  // selection, which refreshes, keeps the last administrator and asks first.
  HRESULT RemoveAdministrator(CAdministratorNode* node, CComponent* component, IConsole* console,
                              int flag);

 private:
  // The own user database's add: the picker offers the registered users not yet listed.
  HRESULT PickAdministrators(IConsole* console);

  pw::NodeTexts texts_;
};
