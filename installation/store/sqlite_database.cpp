// The SQLite connection owner and the conversion of SQLite codes.
#include "installation/store/sqlite_database.h"

#include <sqlite3.h>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/strings.h"

namespace pw::store {
namespace {

// How long a write waits for another connection's write lock before giving up.
constexpr int kBusyTimeoutMs = 10'000;

}  // namespace

HRESULT HresultFromSqlite(int code) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return S_OK;
    case SQLITE_NOMEM:
      return E_OUTOFMEMORY;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ARDENTDB_E_BUSY;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return E_ACCESSDENIED;
    case SQLITE_FULL:
      return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
      return ARDENTDB_E_CORRUPT;
    case SQLITE_CANTOPEN:
      return HRESULT_FROM_WIN32(ERROR_CANTOPEN);
    case SQLITE_IOERR:
      return HRESULT_FROM_WIN32(ERROR_CANTWRITE);
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
      // Our own statements never break the schema's rules; a file that makes them do is
      // damaged.
      return ARDENTDB_E_CORRUPT;
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

void Statement::Reset() { sqlite3_reset(statement_); }

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

HRESULT Database::Open(const std::string& file, std::unique_ptr<Database>* database) {
  database->reset();
  sqlite3* connection = nullptr;
  const int code = sqlite3_open_v2(
      file.c_str(), &connection,
      SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_close_v2(connection);
    return HresultFromSqlite(code);
  }
  sqlite3_busy_timeout(connection, kBusyTimeoutMs);
  // A file that cannot be parsed should fail our queries, not take the process down.
  sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  try {
    *database = std::make_unique<Database>(Key(), connection);
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
  return HresultFromSqlite(sqlite3_exec(connection_, sql, nullptr, nullptr, nullptr));
}

std::unique_ptr<Statement> Database::Prepare(const std::string& sql, HRESULT* hr) {
  auto found = statements_.find(sql);
  if (found != statements_.end() && !found->second.in_use) {
    found->second.in_use = true;
    *hr = S_OK;
    return std::make_unique<Statement>(found->second.statement, &found->second.in_use);
  }
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v3(connection_, sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
  if (code != SQLITE_OK || statement == nullptr) {
    sqlite3_finalize(statement);
    *hr = code != SQLITE_OK ? HresultFromSqlite(code) : E_FAIL;
    return nullptr;
  }
  *hr = S_OK;
  if (found != statements_.end()) {
    // The cached one is borrowed further up the stack: this borrow gets one of its own.
    return std::make_unique<Statement>(statement, nullptr);
  }
  Cached& cached = statements_[sql];
  cached.statement = statement;
  cached.in_use = true;
  return std::make_unique<Statement>(statement, &cached.in_use);
}

HRESULT Database::QueryInt64(const std::string& sql, std::int64_t* value) {
  HRESULT hr = S_OK;
  const auto statement = Prepare(sql, &hr);
  if (!statement) return hr;
  const int code = statement->Step();
  if (code != SQLITE_ROW) return code == SQLITE_DONE ? ARDENTDB_E_CORRUPT : HresultFromSqlite(code);
  *value = statement->ColumnInt64(0);
  return S_OK;
}

std::int64_t Database::LastInsertRowId() const { return sqlite3_last_insert_rowid(connection_); }

int Database::Changes() const { return sqlite3_changes(connection_); }

bool Database::InAutocommit() const { return sqlite3_get_autocommit(connection_) != 0; }

std::string Database::LastMessage() const { return sqlite3_errmsg(connection_); }

}  // namespace pw::store
