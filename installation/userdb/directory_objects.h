// Reading the user database's objects from an LDAP directory: finding one, listing them, their
// identities, names, attribute values and memberships.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installation/userdb/directory_session.h"
#include "platform/com/variant.h"

namespace pw::userdb {

// One user, group or mailbox agent as the directory answered it.
struct DirectoryObject {
  std::wstring identity;
  std::wstring type;  // "user", "group" or "mailboxagent"
  DirectoryEntry entry;
};

// The identity of `entry`: UDB_E_BADDIRECTORYVALUE when it has none (or a malformed one).
[[nodiscard]] HRESULT IdentityOfEntry(DirectoryKind kind, const DirectoryEntry& entry,
                                      std::wstring* identity);

// The object that `text` names for `search_type` (the udbSearch* values); `found` false when
// none does. E_INVALIDARG for an unknown search type.
[[nodiscard]] HRESULT FindDirectoryObject(DirectorySession& session, LONG search_type,
                                          std::wstring_view text, DirectoryObject* object,
                                          bool* found);
// The identities of the objects of `type` ("user", "group", "mailboxagent"; empty for all) in
// the order the server lists them; objects without an identity are left out.
[[nodiscard]] HRESULT ListDirectoryObjects(DirectorySession& session, std::wstring_view type,
                                           std::vector<std::wstring>* identities);
// The identities of the group's members that are objects, in the order of "member".
[[nodiscard]] HRESULT DirectoryMembers(DirectorySession& session, const DirectoryObject& group,
                                       std::vector<std::wstring>* identities);
// The identities of the groups whose "member" names the object.
[[nodiscard]] HRESULT DirectoryGroups(DirectorySession& session, const DirectoryObject& object,
                                      std::vector<std::wstring>* identities);

// "displayName", else "cn", else "mail", else the login, else the identity.
std::wstring DirectoryDisplayName(DirectoryKind kind, const DirectoryObject& object);

// The value of the catalogue attribute `name` that the entry itself holds (not "member" and
// "memberOf", which need the directory): UDB_E_UNKNOWNATTRIBUTE for a name outside the
// catalogue, UDB_E_BADDIRECTORYVALUE for a value that does not fit; VT_EMPTY when absent.
[[nodiscard]] HRESULT DirectoryAttribute(DirectoryKind kind, const DirectoryObject& object,
                                         std::wstring_view name, VARIANT* value);

}  // namespace pw::userdb
