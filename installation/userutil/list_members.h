// Reading and extending the user lists of the rule store ("faxusers", "admins", ...), and the
// groups through which a directory object belongs to one. Failures are thrown as ComError by
// the interfaces' wrappers; the library's exports catch them.
#pragma once

#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

namespace pw::userutil {

// Search type 0 (not a directory mode) tries the identity first and the distinguished name
// after it, for callers that do not know the directory mode.
inline constexpr LONG kAnyDirectoryMode = 0;

// The users of every rule of `list_rule`, in store order, each once (ignoring case).
std::vector<std::wstring> ListMembers(IArdentRULEDB& rules, const std::wstring& list_rule);
// Adds `identity` to the first rule of `list_rule`, or to a new one when the type has none.
void AddToList(IArdentRULEDB& rules, const std::wstring& list_rule, const std::wstring& identity);

// The object with this identity in the directory of `directory_mode`, or null.
IArdentUserPtr FindObject(IArdentUserLocator& users, const std::wstring& identity,
                          LONG directory_mode);
// The groups that hold `identity`, directly or through nested groups, each once, nearest
// first. Groups that cannot be found still count; their own groups are not followed.
std::vector<std::wstring> ContainingGroups(IArdentUserLocator& users, const std::wstring& identity,
                                           LONG directory_mode);
// Those of the containing groups that `list_rule` lists.
std::vector<std::wstring> ListedContainingGroups(IArdentRULEDB& rules, IArdentUserLocator& users,
                                                 const std::wstring& list_rule,
                                                 const std::wstring& identity, LONG directory_mode);

}  // namespace pw::userutil
