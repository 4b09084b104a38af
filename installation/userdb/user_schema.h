// The user database file: its schema, how one is created, and the checks that an existing
// file passes before the database uses it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "installation/userdb/sqlite_file.h"

namespace pw::userdb {

// Kept in the file header's "user_version"; a file of another version is refused, never
// changed.
inline constexpr std::int64_t kSchemaVersion = 1;
// Kept in the file header's "application_id" ("PWUD"), so that another SQLite file (the
// configuration store's, say) is not taken for a user database.
inline constexpr std::int64_t kApplicationId = 0x50575544;

// Opens the user database `file` (a POSIX path) with the UDB_CONNECT_* `flags`, creating it
// when allowed. The codes of IArdentUserDB::Connect; a file that fails is left as it was.
[[nodiscard]] HRESULT OpenUserDatabase(const std::string& file, LONG flags,
                                       std::unique_ptr<Database>* database);

}  // namespace pw::userdb
