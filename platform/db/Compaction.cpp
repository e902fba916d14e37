// Compaction: an exclusive lock first, so no other copy of the program has the file; then the
// log folded into the file, VACUUM INTO a scratch file, its check, and the rename over target.
#include "db/Compaction.h"

#include <sqlite3.h>

#include <cstdio>

#include "db/SqlText.h"

namespace vt {

namespace {

class Handle {
public:
  explicit Handle(const String& path, int flags) {
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) Release();
  }
  ~Handle() { Release(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool Ok() const { return db_ != nullptr; }
  bool Run(const String& sql) { return db_ && sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }
  // The first column of the one row the statement gives, or "" when it fails.
  String Text(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    String result;
    if (db_ && sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
      if (const unsigned char* text = sqlite3_column_text(statement, 0)) result = reinterpret_cast<const char*>(text);
    sqlite3_finalize(statement);
    return result;
  }
  void Release() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }

private:
  sqlite3* db_ = nullptr;
};

bool WriteCompactCopy(const String& source, const String& copy) {
  Handle db(source, SQLITE_OPEN_READWRITE);
  // Exclusive locking keeps the lock after the empty transaction; no waiting for others.
  return db.Ok() && db.Run("PRAGMA locking_mode = EXCLUSIVE") && db.Run("BEGIN EXCLUSIVE") && db.Run("COMMIT") &&
         db.Text("PRAGMA wal_checkpoint(TRUNCATE)") == "0" && db.Run("VACUUM INTO " + SqlQuote(copy));
}

bool OpensWhole(const String& path) {
  Handle db(path, SQLITE_OPEN_READWRITE);
  return db.Ok() && db.Text("PRAGMA integrity_check") == "ok";
}

}  // namespace

bool CompactDatabaseFile(const String& source, const String& target) {
  const String copy = target + ".compacting";
  std::remove(copy.c_str());
  if (!WriteCompactCopy(source, copy) || !OpensWhole(copy) || std::rename(copy.c_str(), target.c_str()) != 0) {
    std::remove(copy.c_str());
    return false;
  }
  return true;
}

}  // namespace vt
