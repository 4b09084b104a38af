// The user object (IArdentUser) of a directory: a read-only copy of one user, group or mailbox
// agent of an LDAP directory.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_userdb.h"
#include "installation/userdb/directory_objects.h"

namespace pw::userdb {

// Made by FindUser; lives as long as its callers hold it. Memberships are read from the
// directory when first asked for and kept until OpenUserObject reads the object again. Every
// method takes the object's lock; the session takes its own.
class DirectoryUser final : public ComObject<IArdentUser> {
 public:
  DirectoryUser(std::shared_ptr<DirectorySession> session, DirectoryObject object)
      : session_(std::move(session)), object_(std::move(object)) {}

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
  HRESULT MembersLocked(const std::vector<std::wstring>** members);
  HRESULT GroupsLocked(const std::vector<std::wstring>** groups);

  install::ModuleReference module_reference_;
  std::mutex mutex_;
  std::shared_ptr<DirectorySession> session_;
  DirectoryObject object_;
  std::optional<std::vector<std::wstring>> members_;
  std::optional<std::vector<std::wstring>> groups_;
};

}  // namespace pw::userdb
