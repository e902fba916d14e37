// Internal to the data layer: a prepared SQLite statement that finalizes itself, and the one
// place that turns SQLite result codes into EDatabaseError with SQLite's own message.
#pragma once

#include <sqlite3.h>

#include <cstdint>

#include "rtl/StrUtils.h"

namespace vt {

// Raises EDatabaseError with the connection's last message when code is an error.
void CheckSqlite(sqlite3* db, int code);

class SqliteStatement {
 public:
  // Prepares the first statement of sql; tail receives the offset of the rest of the text.
  SqliteStatement(sqlite3* db, const String& sql, size_t* tail = nullptr);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  sqlite3_stmt* Handle() const { return stmt_; }
  bool Empty() const { return stmt_ == nullptr; }  // the text held only blanks or comments
  bool Step();                                     // true while a row is there
  void BindNull(int index);
  void BindInteger(int index, std::int64_t value);
  void BindFloat(int index, double value);
  void BindText(int index, const char* text, size_t length);

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace vt
