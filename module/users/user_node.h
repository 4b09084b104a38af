// CUserNodeDelegation: one registered user, group or mailbox agent in a user list, with its
// columns, comparison, unregistration and property sheet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/snapin/delegation_base.h"
#include "module/users/name_lookup_info.h"

class CUserNodeDelegation;
class CMMCPropertyPage;

// What a user node asks of the list node that owns it. CUsersNodeDelegation implements it.
class IUserListOwner {
 public:
  // Reconciles the whole list with the store (the item's refresh verb).
  virtual HRESULT RefreshUserList(CComponent* component, IConsole* console) = 0;
  // Unregisters `node`: the checks and the removal of the list's delete. `flag` as in
  // CDelegationBase::OnDelete; the answer is OnDelete's.
  virtual HRESULT UnregisterUser(CUserNodeDelegation* node, CComponent* component,
                                 IConsole* console, int flag) = 0;

 protected:
  ~IUserListOwner() = default;
};

// A row of a user list. Created by its list node (CreateUserNode) and destroyed by it; the
// record is resolved lazily, the first time the console asks for the row, a sort compares it or
// its sheet opens. The pages are members and live as long as the node; while its sheet is open
// (notify handle not 0) the list neither unregisters nor drops the node.
//
// Deriving: give the node type and, when the list's items differ, the class; everything else is
// shared by the three lists (licensed users, administrators, SMS users).
class CUserNodeDelegation : public CDelegationBase {
 public:
  // `list_node` owns the node and implements `list`; `object_type` and `login` may be empty
  // when the store gave only the identity.
  CUserNodeDelegation(CDelegationBase* list_node, IUserListOwner* list,
                      CComponentData* component_data, const std::wstring& object_type,
                      const std::wstring& guid, const std::wstring& login);
  ~CUserNodeDelegation() override;

  // Column 0 the name; modes 1 and 3: 1 login, 2 e-mail; mode 2: 1 e-mail.
  std::wstring GetDisplayName(int column) override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT SetComponentData(CComponentData* component_data) override;
  HRESULT OnAddImages(IImageList* image_list, HSCOPEITEM item) override;
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  HRESULT OnRefresh(CComponent* component, IConsole* console) override;
  HRESULT OnPropertyChange(CComponent* component, IConsole* console,
                           CComponentData* component_data) override;
  HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                              IPropertySheetCallback* callback, LONG_PTR handle) override;
  HRESULT HasPropertySheets() override;
  HRESULT OnDelete(CComponent* component, IConsole* console, int flag) override;
  HRESULT CompareResultItem(LPARAM user_param, MMC_COOKIE other, int* result) override;

  // The record of the object; resolved or not.
  CNameLookupInfo& lookup_info() { return *lookup_; }
  const CNameLookupInfo& lookup_info() const { return *lookup_; }
  // The basic lookup, when it has not run yet.
  void Resolve();
  bool IsResolved() const;
  const std::wstring& guid() const;
  // "user", "group", "mailboxagent"; as the store or the directory said.
  std::wstring object_type() const;
  std::wstring login() const;
  std::wstring name() const;
  std::wstring email() const;
  bool IsSheetOpen() const { return notify_handle_ != 0; }
  IUserListOwner* list() const { return list_; }
  CComponentData* component_data() const { return component_data_; }
  // The pages of the sheet last created, in order; for the tests and the sheet's bookkeeping.
  const std::vector<CMMCPropertyPage*>& pages() const { return shown_pages_; }

 private:
  class Pages;

  // The record rebuilt for the current user locator and mode (a new component data).
  void RebuildRecord();
  // Writes the own-database page's values to the user database.
  HRESULT SaveOwnDatabaseUser();

  std::unique_ptr<CNameLookupInfo> lookup_;
  CDelegationBase* list_node_;
  IUserListOwner* list_;
  CComponentData* component_data_;
  std::wstring object_type_hint_;
  std::wstring login_hint_;
  std::unique_ptr<Pages> pages_;
  std::vector<CMMCPropertyPage*> shown_pages_;
};
