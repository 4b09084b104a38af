// The user database's SQLite connection: the shared wrapper, reporting the user database's
// codes.
#pragma once

#include "installation/common/sqlite_database.h"
#include "installation/interfaces/ardent_userdb.h"

namespace pw::userdb {

using install::Database;
using install::Statement;
using install::Transaction;

inline constexpr install::SqliteCodes kSqliteCodes{UDB_E_BUSY, UDB_E_READONLY, UDB_E_CORRUPT,
                                                   UDB_E_NOTUSERDATABASE};

// The HRESULT that callers of the user database see for an SQLite result code.
[[nodiscard]] inline HRESULT HresultFromSqlite(int code) {
  return install::HresultFromSqlite(code, kSqliteCodes);
}

}  // namespace pw::userdb
