// A small owner of one SQLite connection: prepared statements kept per SQL text, statements
// that reset themselves after use, and the one place where SQLite codes become HRESULTs.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"

struct sqlite3;
struct sqlite3_stmt;

namespace pw::store {

// The HRESULT that callers of the store see for an SQLite result code.
[[nodiscard]] HRESULT HresultFromSqlite(int code);

// A prepared statement borrowed from the connection's cache. Its bindings and its cursor are
// reset when the borrow ends, so that no statement keeps a read snapshot open.
class Statement {
 public:
  // `in_use` is the cache's flag for a cached statement; null for one of its own, which is
  // finalised with the borrow.
  Statement(sqlite3_stmt* statement, bool* in_use) : statement_(statement), in_use_(in_use) {}
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1, as SQLite numbers them.
  void BindText(int index, std::wstring_view text);
  void BindInt64(int index, std::int64_t value);
  void BindBlob(int index, std::string_view bytes);
  void BindNull(int index);

  // SQLITE_ROW, SQLITE_DONE, or an error code.
  [[nodiscard]] int Step();
  // Ready to run again, with the bindings kept.
  void Reset();

  // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_BLOB, SQLITE_FLOAT or SQLITE_NULL.
  int ColumnType(int column) const;
  std::int64_t ColumnInt64(int column) const;
  std::wstring ColumnText(int column) const;
  std::string ColumnBlob(int column) const;

 private:
  sqlite3_stmt* statement_;
  bool* in_use_;
};

class Database {
  // Lets only Open construct, while still through std::make_unique.
  class Key {
    friend class Database;
    Key() = default;
  };

 public:
  // Opens an existing file for reading and writing (never creates one). `file` is a POSIX
  // path. On failure `database` stays empty.
  [[nodiscard]] static HRESULT Open(const std::string& file, std::unique_ptr<Database>* database);
  Database(Key, sqlite3* connection) : connection_(connection) {}
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs statements that return no rows of interest.
  [[nodiscard]] HRESULT Execute(const char* sql);
  // A statement of the cache, prepared on first use; null with `hr` set when it cannot be.
  [[nodiscard]] std::unique_ptr<Statement> Prepare(const std::string& sql, HRESULT* hr);
  // One integer from a query such as "PRAGMA user_version".
  [[nodiscard]] HRESULT QueryInt64(const std::string& sql, std::int64_t* value);

  std::int64_t LastInsertRowId() const;
  int Changes() const;
  // True while no transaction is open on the connection.
  bool InAutocommit() const;
  // The message of the last failure, for diagnostics.
  std::string LastMessage() const;

 private:
  struct Cached {
    sqlite3_stmt* statement = nullptr;
    bool in_use = false;
  };

  sqlite3* connection_;
  std::map<std::string, Cached, std::less<>> statements_;
};

}  // namespace pw::store
