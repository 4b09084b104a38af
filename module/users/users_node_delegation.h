// CUsersNodeDelegation: the list node of the three user lists (licensed users, administrators,
// SMS users): an owner-data list of the members of one list rule of the configuration store.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/snapin/component.h"
#include "module/snapin/delegation_base.h"
#include "module/users/address_book_pick.h"
#include "module/users/user_node.h"

// Owns one user node per member of its list rule, in list order (the vector index is the row of
// the console's virtual list). Made with the static tree and alive as long as the component
// data; the nodes are made by the refresh that runs each time the node is shown while connected
// and reconciled with the store at each refresh.
//
// Deriving: give the list rule name and the list kind to the constructor, create the list's item
// node in CreateUserNode, answer the message ids below, and override OnNewUser where the list
// registers differently. Unregistering goes through Unregister, which refuses what must stay and
// then calls RemoveUser.
class CUsersNodeDelegation : public CDelegationBase, public IOwnerDataRows, public IUserListOwner {
 public:
  CUsersNodeDelegation(CDelegationBase* owner, std::wstring list_rule, ListKind list_kind);
  ~CUsersNodeDelegation() override;

  HRESULT SetComponentData(CComponentData* component_data) override;
  HRESULT GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options) override;
  HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                 BOOL show, HSCOPEITEM item) override;
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  HRESULT OnRefresh(CComponent* component, IConsole* console) override;
  HRESULT OnViewChange(CComponent* component, IConsole* console, LPARAM data,
                       LONG_PTR hint) override;
  HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index) override;
  HRESULT CacheHint(int first, int last) override;
  HRESULT SortItems(int column, DWORD options, LPARAM user_param) override;
  int GetChildCount() override { return static_cast<int>(users_.size()); }
  int IndexOfChild(CDelegationBase* child) override;
  void RemoveChildAt(int position) override;

  // IOwnerDataRows
  CDelegationBase* NodeAtRow(int row) override;
  // IUserListOwner
  HRESULT RefreshUserList(CComponent* component, IConsole* console) override;
  HRESULT UnregisterUser(CUserNodeDelegation* node, CComponent* component, IConsole* console,
                         int flag) override;

  // The item node of one list entry.
  virtual std::unique_ptr<CUserNodeDelegation> CreateUserNode(const std::wstring& object_type,
                                                              const std::wstring& guid,
                                                              const std::wstring& login) = 0;
  // Registers objects picked from the directory.
  virtual HRESULT OnNewUser(CComponent* component, IConsole* console);
  virtual UINT GetTitleId() const = 0;
  virtual UINT GetUserExistsId() const = 0;
  virtual UINT GetNotAddedListId() const = 0;
  virtual UINT GetGroupExistsId() const = 0;
  virtual UINT GetUserInGroupsId() const = 0;
  virtual UINT GetGroupInGroupsId() const = 0;
  void SetVisible(bool visible) { visible_ = visible; }
  bool IsVisible() const { return visible_; }

  // One object the administrator picked: its identity and object type (an empty identity for
  // an entry the address book could not hand out).
  using PickedObject = CAddressBookPick::Entry;
  // Registers picked objects with every check and summary, then refreshes.
  HRESULT RegisterObjects(const std::vector<PickedObject>& picked, IConsole* console);

  // The refusal checks of unregistering `node`, then RemoveUser. `flag` as OnDelete's.
  HRESULT Unregister(CUserNodeDelegation* node, IConsole* console, int flag);
  // Takes the object out of every rule that lists it and drops its node. `flag` 0 asks first.
  virtual HRESULT RemoveUser(CUserNodeDelegation* node, IConsole* console, int flag);

  const std::wstring& list_rule() const { return list_rule_; }
  CComponentData* component_data() const { return component_data_; }
  int user_count() const { return static_cast<int>(users_.size()); }
  CUserNodeDelegation* user_at(int index) const;

 protected:
  // The connection message of the directory mode for the result pane and registration.
  UINT ConnectionErrorId() const;
  // Tells every view of this node: hint 0 (item count) or 1007/1008 with `data`.
  void UpdateViews(LPARAM data, LONG_PTR hint);
  // Takes a removed member's node out of the list and tells every view of the new count with
  // nothing selected.
  void DropUserNode(CUserNodeDelegation* node);
  // Shows a text in the console's message box titled with the application title.
  int Message(const std::wstring& text, UINT style) const;

 private:
  bool IsMember(const std::wstring& guid) const;
  // The members of the list rule in store order, or false when the store failed.
  bool ReadMembers(std::vector<std::wstring>* members) const;
  // The registered groups through which `guid` already is a member, or false on failure.
  bool MemberGroups(const std::wstring& guid, std::vector<std::wstring>* groups) const;
  // Whether the object has a Pagewell address: 1 yes, 0 no, -1 cannot tell.
  int HasPagewellAddress(const std::wstring& guid) const;
  void AddToListRule(const std::wstring& guid);
  void Sort(int column, bool descending);

  CComponentData* component_data_ = nullptr;
  std::vector<std::unique_ptr<CUserNodeDelegation>> users_;
  // Nodes taken out of the list. A view that had one selected still tells it of the
  // deselection after the operation that removed it, so they live until the list is shown
  // again.
  std::vector<std::unique_ptr<CUserNodeDelegation>> retired_;
  std::wstring list_rule_;
  ListKind list_kind_;
  bool visible_ = false;
};
