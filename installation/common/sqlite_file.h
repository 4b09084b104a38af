// The file-level steps both modules take around an SQLite file: checking its header before
// SQLite sees it, building a new one from schema text, and checking an open file's tables.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "installation/common/sqlite_database.h"

namespace pw::install {

// The HRESULTs a component reports for a file whose header is not one of its own.
struct HeaderCodes {
  // A failed stat or open, by errno.
  HRESULT (*from_errno)(int error);
  // Not a regular file, too short, not SQLite, or another program's application id.
  HRESULT not_ours;
  // A file of zero bytes.
  HRESULT empty;
};

// The HRESULT for a failed stat or open of a component's file: `missing` for ENOENT, else the
// access, disk-full or cannot-open code both components use.
[[nodiscard]] HRESULT HresultFromErrno(int error, HRESULT missing);

// True when `path` (a POSIX path) names a folder.
bool IsFolder(const std::string& path);

// What the first bytes of `file` say, before SQLite is allowed near it: S_OK when it is an
// SQLite file whose header holds `application_id`.
[[nodiscard]] HRESULT CheckSqliteHeader(const std::string& file, std::int64_t application_id,
                                        const HeaderCodes& codes);

// Opens the existing, empty `file`, turns on WAL and runs `schema_sql` (which makes its own
// transaction) in it. Closing the only connection folds the log into the file, so the file
// is complete on its own when this returns.
[[nodiscard]] HRESULT BuildSqliteFile(const std::string& file, const char* schema_sql,
                                      const SqliteCodes& codes);

// What an open file's header and catalogue say about its schema.
struct SchemaState {
  std::int64_t application_id = 0;
  std::int64_t version = 0;  // "user_version"
  bool has_tables = false;   // every table asked for is there (of the expected schema only)
};

// Reads the application id and the schema version and, only when they are the expected ones,
// whether each of `tables` is there: a file of another schema is reported as such whatever
// its catalogue holds.
[[nodiscard]] HRESULT ReadSchemaState(Database& database, std::int64_t application_id,
                                      std::int64_t version, std::span<const char* const> tables,
                                      SchemaState* state);

// Removes `file` and the journal files SQLite keeps beside it.
void RemoveFileSet(const std::string& file);

}  // namespace pw::install
