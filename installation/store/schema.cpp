// Creation and checking of configuration files.
#include "installation/store/schema.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/strings.h"

namespace pw::store {
namespace {

// Every SQLite file starts with these 16 bytes.
constexpr char kSqliteMagic[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                   'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kApplicationIdOffset = 68;

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

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

HRESULT HresultFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ARDENTDB_E_NOCONFIGURATION;
    case EACCES:
    case EPERM:
    case EROFS:
      return E_ACCESSDENIED;
    case ENOSPC:
      return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    default:
      return HRESULT_FROM_WIN32(ERROR_CANTOPEN);
  }
}

// What the file's first bytes say, before SQLite is allowed near it.
HRESULT CheckFileHeader(const std::string& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return HresultFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return ARDENTDB_E_NOTCONFIGURATION;
  if (info.st_size == 0) return ARDENTDB_E_EMPTYFILE;

  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return HresultFromErrno(errno);
  std::array<unsigned char, kHeaderSize> header{};
  std::size_t filled = 0;
  while (filled < header.size()) {
    const ssize_t got = ::read(descriptor, header.data() + filled, header.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  ::close(descriptor);
  if (filled < header.size()) return ARDENTDB_E_NOTCONFIGURATION;
  if (std::memcmp(header.data(), kSqliteMagic, sizeof(kSqliteMagic)) != 0) {
    return ARDENTDB_E_NOTCONFIGURATION;
  }
  std::int64_t application_id = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    application_id = (application_id << 8) | header[kApplicationIdOffset + i];
  }
  return application_id == kApplicationId ? S_OK : ARDENTDB_E_NOTCONFIGURATION;
}

HRESULT CheckSchema(Database& database) {
  std::int64_t application_id = 0;
  HRESULT hr = database.QueryInt64("PRAGMA application_id", &application_id);
  if (FAILED(hr)) return hr;
  if (application_id != kApplicationId) return ARDENTDB_E_NOTCONFIGURATION;
  std::int64_t version = 0;
  hr = database.QueryInt64("PRAGMA user_version", &version);
  if (FAILED(hr)) return hr;
  if (version > kSchemaVersion) return ARDENTDB_E_NEWERSCHEMA;
  if (version < kSchemaVersion) return ARDENTDB_E_OLDERSCHEMA;
  for (const char* table : kTables) {
    std::int64_t found = 0;
    hr = database.QueryInt64(
        std::string("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '") +
            table + "'",
        &found);
    if (FAILED(hr)) return hr;
    if (found != 1) return ARDENTDB_E_CORRUPT;
  }
  return S_OK;
}

void RemoveFileSet(const std::string& file) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) ::unlink((file + suffix).c_str());
}

}  // namespace

std::string ConfigurationFile(const std::string& folder) {
  std::string file = folder;
  if (!file.empty() && file.back() != '/') file += '/';
  return file + ToUtf8(ARDENTDB_FILE_NAME);
}

HRESULT OpenConfiguration(const std::string& folder, std::unique_ptr<Database>* database) {
  database->reset();
  if (!IsFolder(folder)) return ARDENTDB_E_NOFOLDER;
  const std::string file = ConfigurationFile(folder);
  HRESULT hr = CheckFileHeader(file);
  if (FAILED(hr)) return hr;

  std::unique_ptr<Database> opened;
  hr = Database::Open(file, &opened);
  if (FAILED(hr)) return hr;
  hr = CheckSchema(*opened);
  if (FAILED(hr)) return hr;

  // The creator chose WAL, which lets consoles read while one of them writes; the mode is
  // persistent, so this changes nothing on a file that has it.
  hr = opened->Execute("PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON;");
  if (FAILED(hr)) return hr;
  *database = std::move(opened);
  return S_OK;
}

HRESULT CreateConfiguration(const std::string& folder) {
  if (!IsFolder(folder)) return ARDENTDB_E_NOFOLDER;
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

  HRESULT hr = S_OK;
  {
    std::unique_ptr<Database> database;
    hr = Database::Open(file, &database);
    if (SUCCEEDED(hr)) hr = database->Execute("PRAGMA journal_mode = WAL;");
    if (SUCCEEDED(hr)) hr = database->Execute(kSchemaSql);
    if (FAILED(hr) && database) (void)database->Execute("ROLLBACK;");
  }
  if (FAILED(hr)) RemoveFileSet(file);
  return hr;
}

}  // namespace pw::store
