// Creation and checking of user database files.
#include "installation/userdb/user_schema.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "installation/common/sqlite_file.h"
#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/guid.h"
#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

// The whole schema in one transaction, stamped with the application id and the version that
// the header check and CheckSchema look for.
constexpr char kSchemaSql[] = R"sql(
BEGIN IMMEDIATE;
CREATE TABLE objects(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  identity TEXT NOT NULL UNIQUE,
  type TEXT NOT NULL CHECK (type IN ('user', 'group', 'mailboxagent')));
CREATE TABLE attributes(
  object_id INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  position INTEGER NOT NULL,
  value NOT NULL,
  PRIMARY KEY(object_id, name, position)) WITHOUT ROWID;
CREATE TABLE unique_keys(
  kind TEXT NOT NULL CHECK (kind IN ('login', 'address')),
  key TEXT NOT NULL,
  object_id INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
  PRIMARY KEY(kind, key)) WITHOUT ROWID;
CREATE INDEX unique_keys_by_object ON unique_keys(object_id);
CREATE TABLE members(
  group_id INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
  member_id INTEGER NOT NULL REFERENCES objects(id) ON DELETE CASCADE,
  PRIMARY KEY(group_id, member_id)) WITHOUT ROWID;
CREATE INDEX members_by_member ON members(member_id, group_id);
PRAGMA application_id = 1347900740;
PRAGMA user_version = 1;
COMMIT;
)sql";
static_assert(kApplicationId == 1347900740 && kSchemaVersion == 1,
              "the schema text names the application id and the schema version");

constexpr const char* kTables[] = {"objects", "attributes", "unique_keys", "members"};

constexpr LONG kKnownFlags = UDB_CONNECT_WRITE | UDB_CONNECT_CREATE | UDB_CONNECT_OPEN;

HRESULT HresultFromErrno(int error) {
  if (error == ENOTDIR) return UDB_E_NOFOLDER;
  return install::HresultFromErrno(error, UDB_E_NODATABASE);
}

std::string FolderOfFile(const std::string& file) {
  const std::size_t slash = file.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

HRESULT CheckSchema(Database& database) {
  // The header check has seen the application id already.
  install::SchemaState state;
  const HRESULT hr =
      install::ReadSchemaState(database, kApplicationId, kSchemaVersion, kTables, &state);
  if (FAILED(hr)) return hr;
  if (!state.has_tables) return UDB_E_SCHEMAMISMATCH;
  // The file is small (a server's users); reading every page once now turns a damaged file
  // into a refused connection instead of a failure in the middle of an administrator's work.
  HRESULT prepared = S_OK;
  const auto check = database.Prepare("PRAGMA quick_check(1)", &prepared);
  if (!check) return prepared;
  const int code = check->Step();
  if (code != SQLITE_ROW) return code == SQLITE_DONE ? UDB_E_CORRUPT : HresultFromSqlite(code);
  return check->ColumnText(0) == L"ok" ? S_OK : UDB_E_CORRUPT;
}

constexpr install::HeaderCodes kHeaderCodes{&HresultFromErrno, UDB_E_NOTUSERDATABASE,
                                            UDB_E_NOTUSERDATABASE};

HRESULT OpenExisting(const std::string& file, bool writable, std::unique_ptr<Database>* out) {
  HRESULT hr = install::CheckSqliteHeader(file, kApplicationId, kHeaderCodes);
  if (FAILED(hr)) return hr;
  std::unique_ptr<Database> database;
  hr = Database::Open(file,
                      writable ? install::OpenMode::kWriteRequired : install::OpenMode::kReadOnly,
                      kSqliteCodes, &database);
  if (FAILED(hr)) return hr;
  hr = CheckSchema(*database);
  if (FAILED(hr)) return hr;
  if (writable) {
    // WAL lets consoles read while one of them writes. New files have it already (the mode
    // is kept in the file), so this writes nothing to them.
    hr = database->Execute("PRAGMA journal_mode = WAL");
    if (FAILED(hr)) return hr;
  }
  hr = database->Execute("PRAGMA foreign_keys = ON");
  if (FAILED(hr)) return hr;
  *out = std::move(database);
  return S_OK;
}

// Builds the empty database under a private name and links it into place, so that no other
// process ever sees a half-made file and an existing file is never replaced. S_FALSE when
// another process made the file first.
HRESULT CreateNew(const std::string& file) {
  GUID unique{};
  HRESULT hr = CoCreateGuid(&unique);
  if (FAILED(hr)) return hr;
  const std::string scratch = file + "." + GuidToNarrowString(unique) + ".new";
  const int descriptor = ::open(scratch.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
  if (descriptor < 0) return HresultFromErrno(errno);
  ::close(descriptor);
  // Built complete on its own, so that the file linked below needs no log beside it.
  hr = install::BuildSqliteFile(scratch, kSchemaSql, kSqliteCodes);
  if (SUCCEEDED(hr) && ::link(scratch.c_str(), file.c_str()) != 0) {
    hr = errno == EEXIST ? S_FALSE : HresultFromErrno(errno);
  }
  install::RemoveFileSet(scratch);
  return hr;
}

}  // namespace

HRESULT OpenUserDatabase(const std::string& file, LONG flags, std::unique_ptr<Database>* database) {
  database->reset();
  const bool write = (flags & UDB_CONNECT_WRITE) != 0;
  const bool create = (flags & UDB_CONNECT_CREATE) != 0;
  const bool open = (flags & UDB_CONNECT_OPEN) != 0;
  if ((flags & ~kKnownFlags) != 0 || (!create && !open) || (create && !write)) {
    return E_INVALIDARG;
  }
  if (file.empty() || file.back() == '/') return E_INVALIDARG;
  if (!install::IsFolder(FolderOfFile(file))) return UDB_E_NOFOLDER;

  struct stat info {};
  const bool exists = ::lstat(file.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return HresultFromErrno(errno);
  if (exists && !open) return UDB_E_DATABASEEXISTS;
  if (!exists) {
    if (!create) return UDB_E_NODATABASE;
    // Journal files of the name are left alone: another process may have linked its new file
    // in a moment ago and be using them.
    const HRESULT hr = CreateNew(file);
    if (FAILED(hr)) return hr;
    if (hr == S_FALSE && !open) return UDB_E_DATABASEEXISTS;
  }
  return OpenExisting(file, write, database);
}

}  // namespace pw::userdb
