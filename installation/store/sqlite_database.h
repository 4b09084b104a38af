// The store's SQLite connection: the shared wrapper, reporting the store's codes.
#pragma once

#include "installation/common/sqlite_database.h"
#include "installation/interfaces/ardent_db.h"

namespace pw::store {

using install::Database;
using install::Statement;

// A file SQLite cannot read is as damaged to the store as one it reads wrongly.
inline constexpr install::SqliteCodes kSqliteCodes{ARDENTDB_E_BUSY, E_ACCESSDENIED,
                                                   ARDENTDB_E_CORRUPT, ARDENTDB_E_CORRUPT};

// The HRESULT that callers of the store see for an SQLite result code.
[[nodiscard]] inline HRESULT HresultFromSqlite(int code) {
  return install::HresultFromSqlite(code, kSqliteCodes);
}

}  // namespace pw::store
