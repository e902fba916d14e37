// Prepared statements over the SQLite C API, with errors raised as EDatabaseError.
#include "db/SqliteStatement.h"

#include "rtl/Exceptions.h"

namespace vt {

void CheckSqlite(sqlite3* db, int code) {
  if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
    throw EDatabaseError(db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

SqliteStatement::SqliteStatement(sqlite3* db, const String& sql, size_t* tail) : db_(db) {
  const char* rest = nullptr;
  CheckSqlite(db, sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()) + 1, &stmt_, &rest));
  if (tail) *tail = size_t(rest - sql.c_str());
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

bool SqliteStatement::Step() {
  int code = sqlite3_step(stmt_);
  CheckSqlite(db_, code);
  return code == SQLITE_ROW;
}

void SqliteStatement::BindNull(int index) { CheckSqlite(db_, sqlite3_bind_null(stmt_, index)); }

void SqliteStatement::BindInteger(int index, std::int64_t value) {
  CheckSqlite(db_, sqlite3_bind_int64(stmt_, index, value));
}

void SqliteStatement::BindFloat(int index, double value) {
  CheckSqlite(db_, sqlite3_bind_double(stmt_, index, value));
}

void SqliteStatement::BindText(int index, const char* text, size_t length) {
  CheckSqlite(db_, sqlite3_bind_text64(stmt_, index, text, length, SQLITE_TRANSIENT, SQLITE_UTF8));
}

}  // namespace vt
