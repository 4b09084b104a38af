// A small owner of one SQLite connection: prepared statements kept per SQL text, statements
// that reset themselves after use, transactions that roll back unless committed, and the one
// place where SQLite codes become a component's HRESULTs.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"

struct sqlite3;
struct sqlite3_stmt;

namespace pw::install {

// The HRESULTs a component reports for the SQLite failures that have codes of its own.
struct SqliteCodes {
  HRESULT busy;            // another connection holds the lock past the busy timeout
  HRESULT read_only;       // a write to a file or connection that cannot be written
  HRESULT corrupt;         // a damaged file, or one that breaks the schema's rules
  HRESULT not_a_database;  // not an SQLite file at all
};

// The HRESULT that a component's callers see for an SQLite result code.
[[nodiscard]] HRESULT HresultFromSqlite(int code, const SqliteCodes& codes);

// A prepared statement borrowed from the connection's cache. Its bindings and its cursor are
// reset when the borrow ends, so that no statement keeps a read snapshot open.
class Statement {
 public:
  // `in_use` is the cache's flag for a cached statement; null for one of its own, which is
  // finalised with the borrow.
  Statement(sqlite3_stmt* statement, bool* in_use, const SqliteCodes& codes)
      : statement_(statement), in_use_(in_use), codes_(codes) {}
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
  // Runs a statement whose rows are of no interest: S_OK or the failure.
  [[nodiscard]] HRESULT Run();
  // Ready to run again with new bindings.
  void Reset();

  // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_BLOB, SQLITE_FLOAT or SQLITE_NULL.
  int ColumnType(int column) const;
  std::int64_t ColumnInt64(int column) const;
  std::wstring ColumnText(int column) const;
  std::string ColumnBlob(int column) const;

 private:
  sqlite3_stmt* statement_;
  bool* in_use_;
  const SqliteCodes& codes_;
};

// How Database::Open treats the file.
enum class OpenMode {
  kReadOnly,
  // Read and write; a file SQLite may only read is still opened, and its writes fail.
  kReadWrite,
  // Read and write, refusing with E_ACCESSDENIED a file that SQLite could only read.
  kWriteRequired,
};

// Lives as long as its owner keeps it; statements borrowed from it must end first.
class Database {
  // Lets only Open construct, while still through std::make_unique.
  class Key {
    friend class Database;
    Key() = default;
  };

 public:
  // Opens an existing file (never creates one); `file` is a POSIX path and `codes` must
  // outlive the connection. On failure `database` stays empty.
  [[nodiscard]] static HRESULT Open(const std::string& file, OpenMode mode,
                                    const SqliteCodes& codes, std::unique_ptr<Database>* database);
  Database(Key, sqlite3* connection, bool writable, const SqliteCodes& codes)
      : connection_(connection), writable_(writable), codes_(codes) {}
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  bool writable() const { return writable_; }
  const SqliteCodes& codes() const { return codes_; }

  // Runs statements that return no rows of interest.
  [[nodiscard]] HRESULT Execute(const char* sql);
  // A statement of the cache, prepared on first use; null with `hr` set when it cannot be.
  [[nodiscard]] std::unique_ptr<Statement> Prepare(std::string_view sql, HRESULT* hr);
  // One integer from a query such as "PRAGMA user_version"; the corrupt code without a row.
  [[nodiscard]] HRESULT QueryInt64(std::string_view sql, std::int64_t* value);

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
  bool writable_;
  const SqliteCodes& codes_;
  std::map<std::string, Cached, std::less<>> statements_;
};

// A transaction that is rolled back when it ends without Commit. `write` takes the write lock
// at once, so that a read that turns into a write never fails on another connection's write.
class Transaction {
 public:
  Transaction(Database& database, bool write) : database_(database), write_(write) {}
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  [[nodiscard]] HRESULT Begin();
  [[nodiscard]] HRESULT Commit();

 private:
  Database& database_;
  bool write_;
  bool open_ = false;
};

}  // namespace pw::install
