// Prepared statements over the SQLite C API, with errors raised as EDatabaseError.
#include "db/SqliteStatement.h"

#include "rtl/Exceptions.h"

namespace vt {

namespace {

String FileName(sqlite3* db) {
  const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
  return name ? name : "";
}

// A damaged file, a lock held past the busy timeout, a full disk, a read-only file.
bool IsFileFailure(int code) {
  switch (code & 0xFF) {
    case SQLITE_CORRUPT: case SQLITE_NOTADB: case SQLITE_BUSY: case SQLITE_FULL: case SQLITE_READONLY:
      return true;
    default:
      return false;
  }
}

}  // namespace

// Where the cause is the file rather than the statement, the message names the file and says
// what the user can do; the others are SQLite's own (a constraint, a syntax error).
String FailureMessage(sqlite3* db, int code) {
  const String reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  const String file = FileName(db);
  if (file.empty()) return reason;
  switch (code & 0xFF) {
    case SQLITE_CORRUPT: case SQLITE_NOTADB:
      return DamagedMessage(file, reason);
    case SQLITE_BUSY:
      return "The database '" + file + "' is in use by another copy of the program (" + reason +
             "); nothing was saved. Try again when the other copy has finished.";
    case SQLITE_FULL:
      return "The disk holding the database '" + file + "' is full (" + reason +
             "); nothing was saved. Make room on the disk and try again.";
    case SQLITE_READONLY:
      return "The database '" + file + "' cannot be written (" + reason + "); nothing was saved.";
    default:
      return reason;
  }
}

String DamagedMessage(const String& file, const String& reason) {
  return "The database '" + file + "' is damaged (" + reason +
         ") and was left as it is. Restore it from a backup copy, then start the program again.";
}

void CheckSqlite(sqlite3* db, int code) {
  if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return;
  const String message = FailureMessage(db, code);
  if (IsFileFailure(code)) throw EDatabaseFileError(message);
  throw EDatabaseError(message);
}

SqliteStatement::SqliteStatement(sqlite3* db, const String& sql, size_t* tail) : db_(db) {
  const char* rest = nullptr;
  FunctionCallWatch functionCalls;
  CheckSqlite(db, sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()) + 1, &stmt_, &rest));
  callsFunctions_ = functionCalls.Seen();
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

namespace {
thread_local FunctionCallWatch* activeWatch = nullptr;
}

int FunctionCallWatch::Install(sqlite3* db) { return sqlite3_set_authorizer(db, &Authorize, nullptr); }

FunctionCallWatch::FunctionCallWatch() : outer_(activeWatch) { activeWatch = this; }

FunctionCallWatch::~FunctionCallWatch() { activeWatch = outer_; }

int FunctionCallWatch::Authorize(void*, int action, const char*, const char*, const char*, const char*) {
  if (action == SQLITE_FUNCTION && activeWatch) activeWatch->seen_ = true;
  return SQLITE_OK;
}

StatementUse::~StatementUse() {
  sqlite3_reset(statement_->Handle());  // its error, if any, was raised by Step
  sqlite3_clear_bindings(statement_->Handle());
}

StatementUse StatementCache::Use(sqlite3* db, const String& sql) {
  // Row writes name the changed columns, so the texts vary; a long session starts afresh.
  constexpr size_t kMostKept = 256;
  auto found = statements_.find(sql);
  if (found == statements_.end()) {
    if (statements_.size() >= kMostKept) statements_.clear();
    found = statements_.emplace(sql, std::make_shared<SqliteStatement>(db, sql)).first;
  }
  return StatementUse(found->second);
}

}  // namespace vt
