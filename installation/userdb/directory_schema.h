// How the user database's objects, identities and attribute names map onto an LDAP directory:
// the pure part of the directory modes, with no connection.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/guid.h"

namespace pw::userdb {

// The two directory modes. They differ in what an identity is and where the login lives.
enum class DirectoryKind {
  kActiveDirectory,  // identity: braced GUID of "objectGUID", else of "entryUUID"
  kExchange55,       // identity: the distinguished name
};

// The object classes that make an object one of the database's types; anything else in the
// directory (organisational units, computers' containers, ...) is not an object of ours.
inline constexpr const char* kMailboxAgentClass = "Mailbox-Agent";
inline constexpr const char* kGroupClasses[] = {"group", "groupOfNames"};
inline constexpr const char* kUserClasses[] = {"user", "organizationalPerson"};

// "mailboxagent", "group" or "user" for an object with these classes (a mailbox agent also
// carries person classes and wins over them; a group wins over a user); empty for none.
std::wstring ObjectTypeOfClasses(const std::vector<std::wstring>& classes);

// The filter that selects the objects of `type` ("user", "group", "mailboxagent"; empty for
// all three) as candidates. Classes a server does not know only drop out of the "or"; the
// final type is decided by ObjectTypeOfClasses on the answer.
std::string ObjectClassFilter(std::wstring_view type);

// The value escaped for use in a search filter (RFC 4515: '*', '(', ')', '\' and NUL as \xx).
std::string EscapeFilterValue(std::string_view value);

// "objectGUID" holds the GUID's 16 bytes in the Windows memory order (the first three fields
// little-endian): the GUID, or nothing for a value of another length.
std::optional<GUID> GuidFromObjectGuid(std::string_view bytes);
// The same 16 bytes, escaped for a filter.
std::string ObjectGuidFilterValue(const GUID& guid);
// "entryUUID" is the plain text form "xxxxxxxx-xxxx-...": the GUID, or nothing.
std::optional<GUID> GuidFromEntryUuid(std::string_view text);
// The text form of `guid` for a filter on "entryUUID" (lower case, no braces).
std::string EntryUuidText(const GUID& guid);

// The directory attribute that holds the login: "sAMAccountName" (Active Directory) or "uid".
const char* LoginAttribute(DirectoryKind kind);
// The account part of a login given as "DOMAIN\account".
std::wstring_view AccountOfLogin(std::wstring_view login);

// Whether `text` is well-formed UTF-8 (directory strings are UTF-8 by definition).
bool IsUtf8(std::string_view text);

}  // namespace pw::userdb
