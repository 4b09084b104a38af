// Creation and checking of configuration files.
#include "installation/store/schema.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "installation/common/sqlite_file.h"
#include "installation/interfaces/ardent_db.h"
#include "platform/com/strings.h"

namespace pw::store {
namespace {

// Value keys hold "ObjectValue" and display keys "ObjectDisplay" folded to capitals, so that
// the duplicate checks of every language use the indexes.
constexpr char kSchemaSql[] = R"sql(
BEGIN IMMEDIATE;
CREATE TABLE rules(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  type TEXT NOT NULL,
  value_key TEXT NOT NULL DEFAULT '',
  display_key TEXT NOT NULL DEFAULT '');
CREATE INDEX rules_by_type ON rules(type);
CREATE INDEX rules_by_value ON rules(type, value_key);
CREATE INDEX rules_by_display ON rules(type, display_key);
CREATE TABLE rule_fields(
  rule_id INTEGER NOT NULL REFERENCES rules(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  vt INTEGER NOT NULL,
  value,
  UNIQUE(rule_id, name));
CREATE TABLE rule_users(
  rule_id INTEGER NOT NULL REFERENCES rules(id) ON DELETE CASCADE,
  user_key TEXT NOT NULL,
  user_id TEXT NOT NULL,
  UNIQUE(rule_id, user_key));
CREATE INDEX rule_users_by_user ON rule_users(user_key, rule_id);
CREATE TABLE settings(
  name TEXT PRIMARY KEY,
  vt INTEGER NOT NULL,
  value);
CREATE TABLE lines(position INTEGER PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE msns(position INTEGER PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE store_state(
  id INTEGER PRIMARY KEY CHECK (id = 1),
  restart_pending INTEGER NOT NULL);
INSERT INTO store_state(id, restart_pending) VALUES(1, 0);
PRAGMA application_id = 1347896134;
PRAGMA user_version = 1;
COMMIT;
)sql";
static_assert(kApplicationId == 1347896134 && kSchemaVersion == 1,
              "the schema text names the application id and the schema version");

constexpr const char* kTables[] = {"rules", "rule_fields", "rule_users", "settings",
                                   "lines", "msns",        "store_state"};

HRESULT HresultFromErrno(int error) {
  return install::HresultFromErrno(error, ARDENTDB_E_NOCONFIGURATION);
}

HRESULT CheckSchema(Database& database) {
  install::SchemaState state;
  const HRESULT hr =
      install::ReadSchemaState(database, kApplicationId, kSchemaVersion, kTables, &state);
  if (FAILED(hr)) return hr;
  if (state.application_id != kApplicationId) return ARDENTDB_E_NOTCONFIGURATION;
  if (state.version > kSchemaVersion) return ARDENTDB_E_NEWERSCHEMA;
  if (state.version < kSchemaVersion) return ARDENTDB_E_OLDERSCHEMA;
  return state.has_tables ? S_OK : ARDENTDB_E_CORRUPT;
}

constexpr install::HeaderCodes kHeaderCodes{&HresultFromErrno, ARDENTDB_E_NOTCONFIGURATION,
                                            ARDENTDB_E_EMPTYFILE};

}  // namespace

std::string ConfigurationFile(const std::string& folder) {
  std::string file = folder;
  if (!file.empty() && file.back() != '/') file += '/';
  return file + ToUtf8(ARDENTDB_FILE_NAME);
}

HRESULT OpenConfiguration(const std::string& folder, std::unique_ptr<Database>* database) {
  database->reset();
  if (!install::IsFolder(folder)) return ARDENTDB_E_NOFOLDER;
  const std::string file = ConfigurationFile(folder);
  HRESULT hr = install::CheckSqliteHeader(file, kApplicationId, kHeaderCodes);
  if (FAILED(hr)) return hr;

  std::unique_ptr<Database> opened;
  hr = Database::Open(file, install::OpenMode::kReadWrite, kSqliteCodes, &opened);
  if (FAILED(hr)) return hr;
  hr = CheckSchema(*opened);
  if (FAILED(hr)) return hr;

  // The creator chose WAL, which lets consoles read while one of them writes; the mode is
  // persistent, so this changes nothing on a file that has it. Every save inside a bulk
  // update is a savepoint whose undo pages go to a sub-journal: kept in memory it is emptied
  // at each release, where a file once spilled to takes every page of every later save.
  hr = opened->Execute(
      "PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON; PRAGMA temp_store = MEMORY;");
  if (FAILED(hr)) return hr;
  *database = std::move(opened);
  return S_OK;
}

HRESULT CreateConfiguration(const std::string& folder) {
  if (!install::IsFolder(folder)) return ARDENTDB_E_NOFOLDER;
  const std::string file = ConfigurationFile(folder);
  // Claiming the name first makes creation exclusive between processes.
  const int descriptor = ::open(file.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    return errno == EEXIST ? ARDENTDB_E_CONFIGURATIONEXISTS : HresultFromErrno(errno);
  }
  ::close(descriptor);
  // Journal files left by a configuration of the same name that is gone must not be replayed
  // into the new one.
  for (const char* suffix : {"-wal", "-shm", "-journal"}) ::unlink((file + suffix).c_str());

  const HRESULT hr = install::BuildSqliteFile(file, kSchemaSql, kSqliteCodes);
  if (FAILED(hr)) install::RemoveFileSet(file);
  return hr;
}

}  // namespace pw::store
