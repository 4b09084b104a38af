// The objects of a user database file: reading one into a record, finding one by a unique
// key, listing them, and saving a record's changes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "installation/userdb/attribute_catalog.h"
#include "installation/userdb/sqlite_file.h"
#include "platform/com/variant.h"

namespace pw::userdb {

// One object as a user object holds it: the copy that GetAttribute reads and SetAttribute
// changes.
struct ObjectRecord {
  std::int64_t row_id = 0;  // 0 until the object is saved for the first time
  std::wstring identity;    // canonical braced GUID
  std::wstring type;        // "user", "group" or "mailboxagent"
  // Stored attributes by their catalogue name, in the catalogue's type.
  std::map<std::wstring, VARIANT> attributes;
  std::vector<std::wstring> members;  // groups: the direct members' identities
  std::vector<std::wstring> groups;   // the groups that list the object directly
};

// What a user object changed since it was read or saved.
struct PendingChanges {
  std::set<std::wstring> attributes;  // catalogue names
  std::vector<std::wstring> added_members;
  std::vector<std::wstring> removed_members;

  bool empty() const {
    return attributes.empty() && added_members.empty() && removed_members.empty();
  }
};

// The identity in its canonical form, or nothing for a text that is no GUID.
std::optional<std::wstring> CanonicalIdentity(std::wstring_view text);
// "user", "group" or "mailboxagent" for one of them in any case ("" is "user"); nothing for
// any other text.
std::optional<std::wstring> CanonicalObjectType(std::wstring_view text);

// The attributes that the database makes.
VARIANT ObjectClassOf(const ObjectRecord& record);
std::wstring DistinguishedNameOf(const ObjectRecord& record);
// "displayName", else "cn", else "mail", else the login, else the identity.
std::wstring DisplayNameOf(const ObjectRecord& record);

// Reads the object `identity` (canonical form); `found` false when there is none.
[[nodiscard]] HRESULT LoadObject(Database& database, std::wstring_view identity,
                                 ObjectRecord* record, bool* found);
// The identity of the object whose login or address (`kind`) folds to `key`; empty when none.
[[nodiscard]] HRESULT FindIdentityByKey(Database& database, UniqueKind kind, std::wstring_view key,
                                        std::wstring* identity);
// The identities of the objects of `type` (every type when empty), in creation order.
[[nodiscard]] HRESULT ListIdentities(Database& database, std::wstring_view type,
                                     std::vector<std::wstring>* identities);
// Writes `changes` of `record` (inserting the object when it was never saved) inside the
// caller's write transaction, and answers the object's row. UDB_E_DUPLICATELOGIN or
// UDB_E_DUPLICATEADDRESS when another object has one of its logins or addresses,
// UDB_E_USERNOTFOUND when the object or an added member is gone.
[[nodiscard]] HRESULT SaveObject(Database& database, const ObjectRecord& record,
                                 const PendingChanges& changes, std::int64_t* row_id);

}  // namespace pw::userdb
