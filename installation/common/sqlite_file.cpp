// Header checks, creation and table checks of SQLite files.
#include "installation/common/sqlite_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace pw::install {
namespace {

// Every SQLite file starts with these 16 bytes.
constexpr char kSqliteMagic[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                   'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kApplicationIdOffset = 68;

}  // namespace

HRESULT HresultFromErrno(int error, HRESULT missing) {
  switch (error) {
    case ENOENT:
      return missing;
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

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

HRESULT CheckSqliteHeader(const std::string& file, std::int64_t application_id,
                          const HeaderCodes& codes) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return codes.from_errno(errno);
  if (!S_ISREG(info.st_mode)) return codes.not_ours;
  if (info.st_size == 0) return codes.empty;
  if (info.st_size < static_cast<off_t>(kHeaderSize)) return codes.not_ours;

  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return codes.from_errno(errno);
  std::array<unsigned char, kHeaderSize> header{};
  std::size_t filled = 0;
  while (filled < header.size()) {
    const ssize_t got = ::read(descriptor, header.data() + filled, header.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  ::close(descriptor);
  if (filled < header.size() ||
      std::memcmp(header.data(), kSqliteMagic, sizeof(kSqliteMagic)) != 0) {
    return codes.not_ours;
  }
  std::int64_t found = 0;
  for (std::size_t i = 0; i < 4; ++i) found = (found << 8) | header[kApplicationIdOffset + i];
  return found == application_id ? S_OK : codes.not_ours;
}

HRESULT BuildSqliteFile(const std::string& file, const char* schema_sql, const SqliteCodes& codes) {
  std::unique_ptr<Database> database;
  HRESULT hr = Database::Open(file, OpenMode::kWriteRequired, codes, &database);
  if (SUCCEEDED(hr)) hr = database->Execute("PRAGMA journal_mode = WAL");
  if (SUCCEEDED(hr)) hr = database->Execute(schema_sql);
  if (FAILED(hr) && database) (void)database->Execute("ROLLBACK");
  return hr;
}

HRESULT ReadSchemaState(Database& database, std::int64_t application_id, std::int64_t version,
                        std::span<const char* const> tables, SchemaState* state) {
  *state = SchemaState();
  HRESULT hr = database.QueryInt64("PRAGMA application_id", &state->application_id);
  if (FAILED(hr)) return hr;
  hr = database.QueryInt64("PRAGMA user_version", &state->version);
  if (FAILED(hr)) return hr;
  if (state->application_id != application_id || state->version != version) return S_OK;
  for (const char* table : tables) {
    std::int64_t found = 0;
    hr = database.QueryInt64(
        std::string("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '") +
            table + "'",
        &found);
    if (FAILED(hr)) return hr;
    if (found != 1) return S_OK;
  }
  state->has_tables = true;
  return S_OK;
}

void RemoveFileSet(const std::string& file) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) ::unlink((file + suffix).c_str());
}

}  // namespace pw::install
