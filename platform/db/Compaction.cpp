// Compaction: an exclusive lock first, so no other copy of the program has the file; then the
// log folded into the file, VACUUM INTO a scratch file, its check, and the scratch file's pages
// written into the target in one transaction of the locked handle. Only then is the lock let go.
//
// The target is rewritten rather than replaced by a rename: a copy of the program that opened
// the file while it was locked holds the old inode and would write there, beside the new
// file's log, once the lock is gone.
#include "db/Compaction.h"

#include <sqlite3.h>

#include <cstdio>

#include "db/SqlText.h"

namespace vt {

namespace {

std::function<void()> compactionHook;
// As long as the program's own connections wait for another copy's write to end.
const int kBusyTimeoutMs = 5000;

class Handle {
public:
  explicit Handle(const String& path, int flags) {
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK ||
        sqlite3_busy_timeout(db_, kBusyTimeoutMs) != SQLITE_OK)
      Release();
  }
  ~Handle() { Release(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool Ok() const { return db_ != nullptr; }
  sqlite3* Get() const { return db_; }
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

// Exclusive locking keeps the lock after the empty transaction until the handle closes; a write
// of another copy is waited for as the program's connections wait. Every sync is a full one:
// the file is rewritten as a whole.
bool TakeAlone(Handle& db) {
  return db.Ok() && db.Run("PRAGMA locking_mode = EXCLUSIVE") && db.Run("BEGIN EXCLUSIVE") && db.Run("COMMIT") &&
         db.Run("PRAGMA synchronous = FULL") && db.Text("PRAGMA wal_checkpoint(TRUNCATE)") == "0";
}

bool OpensWhole(const String& path) {
  Handle db(path, SQLITE_OPEN_READONLY);
  return db.Ok() && db.Text("PRAGMA integrity_check") == "ok";
}

// All pages of copy into target, in one transaction of target's own journal: a failure or a
// kill part way leaves target as it was. The log is then folded into the file, which shrinks.
bool WriteInto(Handle& target, const String& copy) {
  Handle source(copy, SQLITE_OPEN_READONLY);
  sqlite3_backup* backup = source.Ok() ? sqlite3_backup_init(target.Get(), "main", source.Get(), "main") : nullptr;
  if (!backup) return false;
  const bool written = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
  return sqlite3_backup_finish(backup) == SQLITE_OK && written &&
         target.Text("PRAGMA wal_checkpoint(TRUNCATE)") == "0";
}

bool CompactAlone(Handle& db, bool inPlace, const String& target, const String& copy) {
  if (!db.Run("VACUUM INTO " + SqlQuote(copy)) || !OpensWhole(copy)) return false;
  if (compactionHook) compactionHook();
  if (inPlace) return WriteInto(db, copy);
  Handle other(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  return TakeAlone(other) && WriteInto(other, copy);
}

}  // namespace

bool CompactDatabaseFile(const String& source, const String& target) {
  const String copy = target + ".compacting";
  std::remove(copy.c_str());
  Handle db(source, SQLITE_OPEN_READWRITE);
  const bool compacted = TakeAlone(db) && CompactAlone(db, source == target, target, copy);
  std::remove(copy.c_str());
  return compacted;
}

void SetCompactionHookForTests(std::function<void()> whileAlone) { compactionHook = std::move(whileAlone); }

}  // namespace vt
