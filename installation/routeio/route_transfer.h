// Import of a route file into the rule store and export of the rule store's routes into one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"

namespace pw::routeio {

// Files larger than this are refused unread: tens of thousands of routes fit many times.
inline constexpr std::uintmax_t kMaxRouteFileSize = 64u << 20;

// What an import did, for the log and for callers that report it.
struct ImportSummary {
  unsigned added = 0;
  unsigned updated = 0;
  unsigned users_left_out = 0;
};

// Reads the route file at `path` (Windows style) and stores its routes of `rule_type` in one
// bulk update (when `rules` also offers IPagewell): each route whose value the type already
// has, without regard to case, is updated, the others are added. Returns false, with the
// reason logged and the store as it was, when the file cannot be read or is malformed, when
// a user lookup fails, or when the store refuses a change (what was stored before it is
// undone). Users that the user database does not know are logged and left out. Store and user
// database failures may also arrive as ComError.
[[nodiscard]] bool ImportRouteFile(IArdentRULEDB& rules, IArdentUserLocator* users,
                                   LONG directory_mode, const std::wstring& rule_type,
                                   std::wstring_view path, ImportSummary* summary);

// Writes every route of `rule_type`, in store order, with its users' readable names, to
// `path` as UTF-8 with a byte order mark. The file is replaced whole or not at all. False when
// it cannot be written; store failures arrive as ComError.
[[nodiscard]] bool ExportRouteFile(IArdentRULEDB& rules, IArdentUserLocator* users,
                                   LONG directory_mode, const std::wstring& rule_type,
                                   std::wstring_view path);

}  // namespace pw::routeio
