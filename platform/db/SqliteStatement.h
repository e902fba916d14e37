// Internal to the data layer: a prepared SQLite statement that finalizes itself, and the one
// place that turns SQLite result codes into EDatabaseError with SQLite's own message.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>

#include "rtl/StrUtils.h"

namespace vt {

// Raises EDatabaseError with the connection's last message when code is an error.
void CheckSqlite(sqlite3* db, int code);
// The message of a failed call: a damaged file, a lock held past the busy timeout, a full disk
// or a read-only file is named, with what the user can do; any other cause is SQLite's text.
String FailureMessage(sqlite3* db, int code);
String DamagedMessage(const String& file, const String& reason);

class SqliteStatement {
 public:
  // Prepares the first statement of sql; tail receives the offset of the rest of the text.
  SqliteStatement(sqlite3* db, const String& sql, size_t* tail = nullptr);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  sqlite3_stmt* Handle() const { return stmt_; }
  bool Empty() const { return stmt_ == nullptr; }  // the text held only blanks or comments
  // Whether the statement calls any function (see FunctionCallWatch).
  bool CallsFunctions() const { return callsFunctions_; }
  bool Step();                                     // true while a row is there
  void BindNull(int index);
  void BindInteger(int index, std::int64_t value);
  void BindFloat(int index, double value);
  void BindText(int index, const char* text, size_t length);

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  bool callsFunctions_ = false;
};

// Notes whether a statement prepared while it lives calls any function: one may read the clock
// or a random source, so its rows can differ while the database is unchanged. Every handle gets
// the authorizer that hears it once, when it opens: setting an authorizer expires every
// statement prepared on the handle, the cached ones too.
class FunctionCallWatch {
 public:
  static int Install(sqlite3* db);
  FunctionCallWatch();
  ~FunctionCallWatch();
  FunctionCallWatch(const FunctionCallWatch&) = delete;
  FunctionCallWatch& operator=(const FunctionCallWatch&) = delete;
  bool Seen() const { return seen_; }

 private:
  static int Authorize(void*, int action, const char*, const char*, const char*, const char*);
  FunctionCallWatch* outer_;
  bool seen_ = false;
};

// A cached statement in use: reset with its bindings cleared when the use ends, so that it
// keeps no read transaction open between uses. The use holds the statement alive: the cache may
// let go of it meanwhile (full, or a schema change).
class StatementUse {
 public:
  explicit StatementUse(std::shared_ptr<SqliteStatement> statement) : statement_(std::move(statement)) {}
  ~StatementUse();
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;
  SqliteStatement* operator->() const { return statement_.get(); }
  SqliteStatement& operator*() const { return *statement_; }

 private:
  std::shared_ptr<SqliteStatement> statement_;
};

// Statements prepared once per open handle and kept for the texts run again and again (a
// dataset's row writes, its row read by key, its SELECT, the version pragmas). A text is not
// used again while a use of it is still open.
class StatementCache {
 public:
  StatementUse Use(sqlite3* db, const String& sql);
  void Clear() { statements_.clear(); }  // before the handle closes

 private:
  std::unordered_map<String, std::shared_ptr<SqliteStatement>> statements_;
};

}  // namespace vt
