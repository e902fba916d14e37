// The checks of a database file before it is opened for writing, each on a handle of its own
// that cannot write: the file alone (immutable: no lock, no log read, nothing made beside it),
// or the file with its log read into the handle's own memory under an exclusive lock, whose
// close folds nothing into the file. SQLite's quick check reads every page.
#include "db/FileCheck.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "db/SqliteStatement.h"
#include "rtl/Exceptions.h"

namespace vt {

namespace {

// A handle the checks use and close on every way out; a failed opening raises at the first use.
class CheckHandle {
 public:
  CheckHandle(const String& name, int flags) { opened_ = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr); }
  ~CheckHandle() { sqlite3_close(db_); }
  CheckHandle(const CheckHandle&) = delete;
  CheckHandle& operator=(const CheckHandle&) = delete;
  sqlite3* Get() const {
    CheckSqlite(db_, opened_);
    return db_;
  }

 private:
  sqlite3* db_ = nullptr;
  int opened_ = SQLITE_OK;
};

bool Exists(const String& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

void OpenFileAlone(std::optional<CheckHandle>& handle, const String& path) {
  handle.emplace(FileAloneUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

// The file as its log completes it. Exclusive locking before the first read keeps the log's
// index in the handle's memory (the shared-memory file is not touched) and fails at once while
// another connection has the file; closing without a checkpoint keeps the log as it is.
void OpenWithItsLog(std::optional<CheckHandle>& handle, const String& path) {
  handle.emplace(path, SQLITE_OPEN_READWRITE);
  sqlite3* db = handle->Get();
  CheckSqlite(db, sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr));
  CheckSqlite(db, sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr));
}

// Another copy has the file open: its log is that copy's own, read as the copy shares it.
void OpenShared(std::optional<CheckHandle>& handle, const String& path) {
  const int kBusyTimeoutMs = 5000;
  handle.emplace(path, SQLITE_OPEN_READONLY);
  CheckSqlite(handle->Get(), sqlite3_busy_timeout(handle->Get(), kBusyTimeoutMs));
}

bool HeldByAnotherConnection(sqlite3* db) {
  return sqlite3_exec(db, "SELECT 1 FROM sqlite_master LIMIT 1", nullptr, nullptr, nullptr) == SQLITE_BUSY;
}

std::int64_t FirstInteger(sqlite3* db, const char* sql) {
  SqliteStatement statement(db, sql);
  statement.Step();
  return sqlite3_column_int64(statement.Handle(), 0);
}

String FirstText(sqlite3* db, const char* sql) {
  SqliteStatement statement(db, sql);
  statement.Step();
  const unsigned char* text = sqlite3_column_text(statement.Handle(), 0);
  return text ? reinterpret_cast<const char*>(text) : "";
}

void CheckPages(sqlite3* db, const String& path, bool wholeFile) {
  const std::int64_t pages = FirstInteger(db, "PRAGMA page_count");
  if (pages == 0) throw EDatabaseError(DamagedMessage(path, "the file is empty"));
  if (wholeFile) {
    const String check = FirstText(db, "PRAGMA quick_check(1)");
    if (check != "ok") throw EDatabaseError(DamagedMessage(path, check));
    return;
  }
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && info.st_size < pages * FirstInteger(db, "PRAGMA page_size"))
    throw EDatabaseError(DamagedMessage(path, "the file is shorter than its header says"));
}

using TableColumns = std::map<String, std::set<String>>;  // lower-case table -> its lower-case columns

TableColumns TablesOf(sqlite3* db) {
  TableColumns tables;
  SqliteStatement columns(db,
                          "SELECT m.name, c.name FROM sqlite_master AS m, pragma_table_info(m.name) AS c "
                          "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
  while (columns.Step())
    tables[LowerCase(reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 0)))].insert(
        LowerCase(reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 1))));
  return tables;
}

String NotOursMessage(const String& path, const String& what) {
  return "The file '" + path + "' " + what + " and was left as it is.";
}

// A file with none of the tables is another program's; one with some of them, or with a table
// short of a column, a camp database of another version.
void CheckTables(sqlite3* db, const String& path, const std::vector<ExpectedTable>& expected) {
  if (expected.empty()) return;
  const TableColumns present = TablesOf(db);
  const auto has = [&](const ExpectedTable& table) { return present.count(LowerCase(table.name)) > 0; };
  if (std::none_of(expected.begin(), expected.end(), has))
    throw EDatabaseError(NotOursMessage(path, "is not a camp database of this program (it has none of its tables)"));
  const String older = "holds a camp database of another version of this program";
  for (const ExpectedTable& table : expected) {
    if (!has(table)) throw EDatabaseError(NotOursMessage(path, older + " (it has no table " + table.name + ")"));
    const std::set<String>& columns = present.at(LowerCase(table.name));
    for (const String& column : table.columns)
      if (!columns.count(LowerCase(column)))
        throw EDatabaseError(
            NotOursMessage(path, older + " (its table " + table.name + " has no column " + column + ")"));
  }
}

void CheckView(sqlite3* db, const String& path, const std::vector<ExpectedTable>& expected, bool wholeFile) {
  CheckPages(db, path, wholeFile);
  CheckTables(db, path, expected);
}

// Whether the file alone, its log left out, passes the whole check.
bool WholeWithoutItsLog(const String& path, const std::vector<ExpectedTable>& expected) {
  std::optional<CheckHandle> alone;
  OpenFileAlone(alone, path);
  try {
    CheckView(alone->Get(), path, expected, true);
  } catch (const EDatabaseError&) {
    return false;  // the file itself fails: the failure with its log is the one to report
  }
  return true;
}

// A log that makes a whole file fail the check came from another database: applying it would
// ruin the file, and removing it would lose whatever it holds, so both stay as they are.
void CheckWithItsLog(const String& path, const std::vector<ExpectedTable>& expected) {
  std::optional<CheckHandle> handle;
  OpenWithItsLog(handle, path);
  if (HeldByAnotherConnection(handle->Get())) {
    OpenShared(handle, path);
    return CheckView(handle->Get(), path, expected, true);
  }
  try {
    CheckView(handle->Get(), path, expected, true);
    return;
  } catch (const EDatabaseError&) {
    if (!WholeWithoutItsLog(path, expected)) throw;
  }
  throw EDatabaseError("The database '" + path + "' has a log file beside it ('" + path +
                       "-wal') that does not belong to it. Both files were left as they are: move the log "
                       "file out of the folder, then start the program again.");
}

}  // namespace

// The characters a URI gives a meaning of its own are escaped.
String FileAloneUri(const String& path) {
  String uri = "file:";
  for (char c : path) uri += c == '%' ? String("%25") : c == '?' ? String("%3f") : c == '#' ? String("%23") : String(1, c);
  return uri + "?immutable=1";
}

std::vector<ExpectedTable> TablesOfScript(const String& createScript) {
  std::optional<CheckHandle> memory;
  memory.emplace(":memory:", SQLITE_OPEN_READWRITE);
  sqlite3* db = memory->Get();
  CheckSqlite(db, sqlite3_exec(db, createScript.c_str(), nullptr, nullptr, nullptr));
  std::vector<ExpectedTable> tables;
  SqliteStatement columns(db,
                          "SELECT m.name, c.name FROM sqlite_master AS m, pragma_table_info(m.name) AS c "
                          "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY m.rowid, c.cid");
  while (columns.Step()) {
    const String table = reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 0));
    if (tables.empty() || tables.back().name != table) tables.push_back({table, {}});
    tables.back().columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 1)));
  }
  return tables;
}

// An empty file is refused before any handle reads it: SQLite removes a log beside an empty file.
void CheckBeforeOpening(const String& path, const std::vector<ExpectedTable>& expected, bool wholeFile) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return;
  if (info.st_size == 0) throw EDatabaseError(DamagedMessage(path, "the file is empty"));
  if (Exists(path + "-wal")) return CheckWithItsLog(path, expected);
  std::optional<CheckHandle> alone;
  OpenFileAlone(alone, path);
  CheckView(alone->Get(), path, expected, wholeFile);
}

}  // namespace vt
