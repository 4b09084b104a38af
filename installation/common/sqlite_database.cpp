// The SQLite connection owner and the conversion of SQLite codes.
#include "installation/common/sqlite_database.h"

#include <sqlite3.h>

#include "platform/com/strings.h"

namespace pw::install {
namespace {

// How long a write waits for another connection's write lock before giving up.
constexpr int kBusyTimeoutMs = 10'000;

}  // namespace

HRESULT HresultFromSqlite(int code, const SqliteCodes& codes) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return S_OK;
    case SQLITE_NOMEM:
      return E_OUTOFMEMORY;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return codes.busy;
    case SQLITE_READONLY:
      return codes.read_only;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return E_ACCESSDENIED;
    case SQLITE_FULL:
      return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    case SQLITE_NOTADB:
      return codes.not_a_database;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
    case SQLITE_MISMATCH:
    case SQLITE_CONSTRAINT:
      // Our statements keep the schema's rules (uniqueness is checked before writing); a
      // file that makes them break one is damaged.
      return codes.corrupt;
    case SQLITE_CANTOPEN:
      return HRESULT_FROM_WIN32(ERROR_CANTOPEN);
    case SQLITE_IOERR:
      return HRESULT_FROM_WIN32(ERROR_CANTWRITE);
    default:
      return E_FAIL;
  }
}

Statement::~Statement() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  if (in_use_ != nullptr) {
    *in_use_ = false;
  } else {
    sqlite3_finalize(statement_);
  }
}

void Statement::BindText(int index, std::wstring_view text) {
  const std::string utf8 = ToUtf8(text);
  sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::BindInt64(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
}

void Statement::BindBlob(int index, std::string_view bytes) {
  sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void Statement::BindNull(int index) { sqlite3_bind_null(statement_, index); }

int Statement::Step() { return sqlite3_step(statement_); }

HRESULT Statement::Run() {
  const int code = Step();
  return code == SQLITE_DONE || code == SQLITE_ROW ? S_OK : HresultFromSqlite(code, codes_);
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int Statement::ColumnType(int column) const { return sqlite3_column_type(statement_, column); }

std::int64_t Statement::ColumnInt64(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::wstring Statement::ColumnText(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  const int bytes = sqlite3_column_bytes(statement_, column);
  if (text == nullptr) return {};
  return FromUtf8(std::string_view(text, static_cast<std::size_t>(bytes)));
}

std::string Statement::ColumnBlob(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  if (bytes == nullptr) return {};
  return std::string(bytes, static_cast<std::size_t>(size));
}

HRESULT Database::Open(const std::string& file, OpenMode mode, const SqliteCodes& codes,
                       std::unique_ptr<Database>* database) {
  database->reset();
  sqlite3* connection = nullptr;
  const bool writable = mode != OpenMode::kReadOnly;
  const int flags = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
  const int code = sqlite3_open_v2(file.c_str(), &connection,
                                   flags | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_close_v2(connection);
    return HresultFromSqlite(code, codes);
  }
  // SQLite quietly falls back to reading a file it may not write; a caller that must write
  // hears about it now, not at its first write.
  if (mode == OpenMode::kWriteRequired && sqlite3_db_readonly(connection, "main") == 1) {
    sqlite3_close_v2(connection);
    return E_ACCESSDENIED;
  }
  sqlite3_busy_timeout(connection, kBusyTimeoutMs);
  // A damaged file should fail our queries, not take the process down.
  sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  try {
    *database = std::make_unique<Database>(Key(), connection, writable, codes);
  } catch (const std::bad_alloc&) {
    sqlite3_close_v2(connection);
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

Database::~Database() {
  for (auto& [sql, cached] : statements_) sqlite3_finalize(cached.statement);
  sqlite3_close_v2(connection_);
}

HRESULT Database::Execute(const char* sql) {
  return HresultFromSqlite(sqlite3_exec(connection_, sql, nullptr, nullptr, nullptr), codes_);
}

std::unique_ptr<Statement> Database::Prepare(std::string_view sql, HRESULT* hr) {
  auto found = statements_.find(sql);
  if (found != statements_.end() && !found->second.in_use) {
    found->second.in_use = true;
    *hr = S_OK;
    return std::make_unique<Statement>(found->second.statement, &found->second.in_use, codes_);
  }
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v3(connection_, sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
  if (code != SQLITE_OK || statement == nullptr) {
    sqlite3_finalize(statement);
    *hr = code != SQLITE_OK ? HresultFromSqlite(code, codes_) : E_FAIL;
    return nullptr;
  }
  *hr = S_OK;
  if (found != statements_.end()) {
    // The cached one is borrowed further up the stack: this borrow gets one of its own.
    return std::make_unique<Statement>(statement, nullptr, codes_);
  }
  Cached& cached = statements_[std::string(sql)];
  cached.statement = statement;
  cached.in_use = true;
  return std::make_unique<Statement>(statement, &cached.in_use, codes_);
}

HRESULT Database::QueryInt64(std::string_view sql, std::int64_t* value) {
  HRESULT hr = S_OK;
  const auto statement = Prepare(sql, &hr);
  if (!statement) return hr;
  const int code = statement->Step();
  if (code != SQLITE_ROW) {
    return code == SQLITE_DONE ? codes_.corrupt : HresultFromSqlite(code, codes_);
  }
  *value = statement->ColumnInt64(0);
  return S_OK;
}

std::int64_t Database::LastInsertRowId() const { return sqlite3_last_insert_rowid(connection_); }

int Database::Changes() const { return sqlite3_changes(connection_); }

bool Database::InAutocommit() const { return sqlite3_get_autocommit(connection_) != 0; }

std::string Database::LastMessage() const { return sqlite3_errmsg(connection_); }

Transaction::~Transaction() {
  if (open_) (void)database_.Execute("ROLLBACK");
}

HRESULT Transaction::Begin() {
  const HRESULT hr = database_.Execute(write_ ? "BEGIN IMMEDIATE" : "BEGIN");
  open_ = SUCCEEDED(hr);
  return hr;
}

HRESULT Transaction::Commit() {
  const HRESULT hr = database_.Execute("COMMIT");
  // A failed COMMIT leaves the transaction open; the destructor rolls it back.
  if (SUCCEEDED(hr)) open_ = false;
  return hr;
}

}  // namespace pw::install
