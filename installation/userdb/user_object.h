// The user object (IArdentUser): a copy of one user, group or mailbox agent, with the changes
// made to it since it was read.
#pragma once

#include <memory>
#include <mutex>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_userdb.h"
#include "installation/userdb/object_table.h"
#include "installation/userdb/shared_connection.h"

namespace pw::userdb {

// Made by FindUser (from a stored object) or CreateUser (a new one); lives as long as its
// callers hold it. Every method takes the object's lock, then the connection's.
class UserObject final : public ComObject<IArdentUser> {
 public:
  UserObject(std::shared_ptr<SharedConnection> connection, ObjectRecord record)
      : connection_(std::move(connection)), record_(std::move(record)) {}

  HRESULT raw_OpenUserObject() override;
  HRESULT raw_GetAttribute(LPCWSTR name, VARIANT* value) override;
  HRESULT raw_SetAttribute(LPCWSTR name, const VARIANT& value) override;
  HRESULT raw_Save() override;
  HRESULT raw_GetIdentity(BSTR* identity) override;
  HRESULT raw_GetObjectType(BSTR* object_type) override;
  HRESULT raw_AddMember(LPCWSTR identity) override;
  HRESULT raw_RemoveMember(LPCWSTR identity) override;
  HRESULT raw_EnumMembers(IArdentTextEnum** identities) override;
  HRESULT raw_EnumGroups(IArdentTextEnum** identities) override;

 private:
  // The member's canonical identity, or the reason it cannot be one of this group's.
  HRESULT MemberIdentity(LPCWSTR identity, std::wstring* canonical) const;

  install::ModuleReference module_reference_;
  std::mutex mutex_;
  std::shared_ptr<SharedConnection> connection_;
  ObjectRecord record_;
  PendingChanges changes_;
};

}  // namespace pw::userdb
