// The connection: parsing the connection string, opening the file read-write (never
// creating it, and refusing a damaged or unwritable one before anything is written) with a
// busy timeout in write-ahead-log mode, its transactions, and closing the datasets that use it
// with the log folded into the file.
#include "db/Connection.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>

#include "db/ADODB.h"
#include "db/CleanClose.h"
#include "db/CurrencyColumns.h"
#include "db/FileCheck.h"
#include "db/LocaleOrder.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"
#include "db/UnicodeLike.h"
#include "rtl/Exceptions.h"

namespace {
// Two copies of the program on one file wait this long for each other's locks.
const int kBusyTimeoutMs = 5000;
// Datasets read whole tables, often in an index's order: with SQLite's small default cache
// nearly every row's table page is read from the file again. The cache grows only as pages
// are read; 32 MiB holds the program's tables.
const char* const kPageCache = "PRAGMA cache_size = -32768";
// Write-ahead logging: a commit appends to the log instead of rewriting pages and syncing
// twice, which makes the many single-row posts cheap; NORMAL syncs at checkpoints only, and a
// committed transaction still survives the program being killed.
const char* const kJournal = "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL";
// Less room than this on the file's disk, and the log and the program's posts would soon fail.
const std::uintmax_t kLeastFreeBytes = 256 << 10;

// Without SQLite's own locking: a connection and its datasets are used by one thread at a time
// (nothing else in them is locked either), and the lock taken on every column read is a large
// part of a fetch. Opening never creates the file.
sqlite3* OpenHandle(const String& path) {
  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code == SQLITE_OK) code = sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (code != SQLITE_OK) {
    String message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    sqlite3_close(db);
    throw EDatabaseError("Could not open the database '" + path + "': " + message);
  }
  return db;
}

void RefuseWrites(const String& path, const String& reason, const String& remedy) {
  throw EDatabaseError("The database '" + path + "' cannot be saved to: " + reason + ". " + remedy +
                       ", then start the program again.");
}

String FolderOf(const String& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return folder.empty() ? String(".") : folder.string();
}

bool Unwritable(const String& name) { return access(name.c_str(), W_OK) != 0 && errno != ENOENT; }

// Before the database opens the file: opening one that cannot be written would make its log and
// shared-memory files beside it (with the file's read-only mode, which keeps later runs
// read-only), and a shared-memory file left read-only makes every write fail. A file that is
// not there is left to the opening to report.
void CheckPlaces(const String& path) {
  if (Unwritable(path)) RefuseWrites(path, "the file is read-only", "Make the file writable");
  if (access(path.c_str(), F_OK) != 0) return;
  if (access(FolderOf(path).c_str(), W_OK) != 0)
    RefuseWrites(path, "its folder is read-only (the program keeps its log files beside the file)",
                 "Make the folder writable");
  const String sharedMemory = path + "-shm";
  if (Unwritable(sharedMemory))
    RefuseWrites(path, "its shared-memory file '" + sharedMemory + "' is read-only",
                 "Make that file writable, or delete it while no copy of the program runs");
}

// Room on the disk for the log; then a write transaction taken and ended without writing,
// which finds any other reason the file cannot be written.
void CheckWritable(sqlite3* db, const String& path) {
  if (sqlite3_db_readonly(db, "main") == 1) RefuseWrites(path, "the file is read-only", "Make the file writable");
  const String folderName = FolderOf(path);
  struct statvfs disk {};
  if (statvfs(folderName.c_str(), &disk) == 0 && std::uintmax_t(disk.f_bavail) * disk.f_frsize < kLeastFreeBytes)
    RefuseWrites(path, "the disk holding it is full", "Make room on the disk");
  vt::CheckSqlite(db, sqlite3_exec(db, "BEGIN IMMEDIATE; COMMIT", nullptr, nullptr, nullptr));
}

bool ReadsUtf8(sqlite3* db) {
  vt::SqliteStatement encoding(db, "PRAGMA encoding");
  return encoding.Step() && String(reinterpret_cast<const char*>(sqlite3_column_text(encoding.Handle(), 0))) == "UTF-8";
}

}  // namespace

TADOConnection::TADOConnection(TComponent* AOwner)
    : TComponent(AOwner), statements_(std::make_unique<vt::StatementCache>()) {}

TADOConnection::~TADOConnection() {
  Close();
  for (TCustomADODataSet* dataSet : std::vector<TCustomADODataSet*>(dataSets_)) dataSet->connection_ = nullptr;
}

void TADOConnection::SetConnectionString(const String& value) {
  if (value == connectionString_) return;
  Close();
  connectionString_ = value;
}

void TADOConnection::SetExpectedTables(const String& createScript) {
  expectedTables_ = createScript.empty() ? std::vector<vt::ExpectedTable>() : vt::TablesOfScript(createScript);
}

// A value runs to the next ";", or is enclosed in double or single quotes, a doubled quote
// inside standing for one.
String TADOConnection::DataSource() const {
  const String key = "data source=";
  String lower = LowerCase(connectionString_);
  size_t start = lower.find(key);
  if (start == String::npos) return "";
  start += key.size();
  const char quote = start < connectionString_.size() ? connectionString_[start] : '\0';
  if (quote != '"' && quote != '\'') {
    size_t end = connectionString_.find(';', start);
    return connectionString_.substr(start, end == String::npos ? String::npos : end - start);
  }
  String value;
  for (size_t i = start + 1; i < connectionString_.size(); ++i) {
    if (connectionString_[i] != quote) value += connectionString_[i];
    else if (i + 1 < connectionString_.size() && connectionString_[i + 1] == quote) value += connectionString_[++i];
    else return value;
  }
  throw EDatabaseError("The connection string's data source has no closing quote");
}

void TADOConnection::SetConnected(bool value) {
  if (value) Open();
  else Close();
}

void TADOConnection::Open() {
  if (db_) return;
  if (BeforeConnect) BeforeConnect(this);
  String path = DataSource();
  if (path.empty()) throw EDatabaseError("The connection string names no data source");
  // A file closed cleanly and changed by nobody since needs no reading of every page, nor a
  // search for drifted money; one changed since its clean close may hold what another program
  // wrote.
  const vt::SinceCleanClose since = vt::StateSinceCleanClose(path);
  const vt::DriftSearch driftSearch = since == vt::SinceCleanClose::Untouched ? vt::DriftSearch::None
                                      : since == vt::SinceCleanClose::Changed ? vt::DriftSearch::Always
                                                                              : vt::DriftSearch::UnlessMarked;
  // Nothing is written to the file or beside it, not even the journal mode, before it has
  // passed every check.
  CheckPlaces(path);
  vt::CheckBeforeOpening(path, expectedTables_, since != vt::SinceCleanClose::Untouched);
  sqlite3* db = OpenHandle(path);
  try {
    vt::CheckSqlite(db, sqlite3_exec(db, kPageCache, nullptr, nullptr, nullptr));
    CheckWritable(db, path);
    vt::CheckSqlite(db, sqlite3_exec(db, kJournal, nullptr, nullptr, nullptr));
    vt::CheckSqlite(db, vt::RegisterUnicodeLike(db));
    vt::CheckSqlite(db, vt::RegisterLocaleCollation(db));
    vt::CheckSqlite(db, vt::FunctionCallWatch::Install(db));
    vt::CheckSqlite(db, vt::InstallCurrencyRounding(db, driftSearch));
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_update_hook(db, &TADOConnection::LogRowChange, this);
  db_ = db;
  textIsUtf8_ = ReadsUtf8(db);
  if (AfterConnect) AfterConnect(this);
}

void TADOConnection::Close() {
  if (!db_) return;
  if (BeforeDisconnect) BeforeDisconnect(this);
  for (TCustomADODataSet* dataSet : std::vector<TCustomADODataSet*>(dataSets_)) {
    dataSet->Close();
    dataSet->DropSnapshot();  // a new handle starts its change count afresh
  }
  // The log folded into the file, as far as no reader of another copy holds it back, so the
  // file alone is whole when it is copied or moved while another copy keeps its log open.
  if (transactionLevel_ == 0) sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  statements_->Clear();
  preparedSchemaVersion_ = -1;
  caseFreeColumns_.reset();
  droppedRowChanges_ = 0;
  rowChanges_.clear();
  sqlite3_close_v2(db_);  // an open transaction is rolled back by the database itself
  db_ = nullptr;
  vt::NoteClose(DataSource());
  transactionLevel_ = 0;
  usedInTransaction_.clear();
  if (AfterDisconnect) AfterDisconnect(this);
}

sqlite3* TADOConnection::Handle() {
  Open();
  return db_;
}

int TADOConnection::Execute(const String& sql) {
  return vt::ExecuteScript(Handle(), vt::RewriteJetDialect(sql));
}

void TADOConnection::Detach(TCustomADODataSet* dataSet) {
  std::erase(dataSets_, dataSet);
  std::erase(usedInTransaction_, dataSet);
}

int TADOConnection::BeginTrans() {
  int level = transactionLevel_ + 1;
  Execute(level == 1 ? "BEGIN IMMEDIATE" : "SAVEPOINT vt_level" + IntToStr(level));
  transactionLevel_ = level;
  return level;
}

void TADOConnection::CommitTrans() {
  CheckInTransaction();
  Execute(transactionLevel_ == 1 ? "COMMIT" : "RELEASE vt_level" + IntToStr(transactionLevel_));
  if (--transactionLevel_ == 0) usedInTransaction_.clear();
}

// A full disk or a lost lock can make the database end the whole transaction itself; then
// every level left is already undone, and each rollback only counts one off. A rollback that
// fails while the transaction is still open raises and keeps it, and the connection, open.
void TADOConnection::RollbackTrans() {
  CheckInTransaction();
  if (!sqlite3_get_autocommit(db_)) {
    const String savepoint = "vt_level" + IntToStr(transactionLevel_);
    try {
      Execute(transactionLevel_ == 1 ? String("ROLLBACK") : "ROLLBACK TO " + savepoint + "; RELEASE " + savepoint);
    } catch (const EDatabaseError&) {
      if (!sqlite3_get_autocommit(db_)) throw;
    }
  }
  --transactionLevel_;
  RereadAfterRollback();
  if (transactionLevel_ == 0) usedInTransaction_.clear();
}

void TADOConnection::CheckInTransaction() const {
  if (transactionLevel_ == 0) throw EDatabaseError("No transaction is active");
}

void TADOConnection::NoteUse(TCustomADODataSet* dataSet) {
  if (transactionLevel_ > 0 && std::find(usedInTransaction_.begin(), usedInTransaction_.end(), dataSet) ==
                                   usedInTransaction_.end())
    usedInTransaction_.push_back(dataSet);
}

void TADOConnection::RereadAfterRollback() {
  for (TCustomADODataSet* dataSet : std::vector<TCustomADODataSet*>(usedInTransaction_)) dataSet->Reread();
}

vt::StatementUse TADOConnection::Reuse(const String& sql) { return statements_->Use(Handle(), sql); }

const std::set<String>& TADOConnection::CaseFreeColumns() {
  if (!caseFreeColumns_) caseFreeColumns_ = vt::CaseFreeColumnNames(Handle());
  return *caseFreeColumns_;
}

String TADOConnection::InLocaleOrder(const String& sql) { return vt::InLocaleOrder(sql, CaseFreeColumns()); }

std::vector<vt::OrderTerm> TADOConnection::OrderTermsToSortInLocale(const String& sql) {
  return vt::OrderTermsToSortInLocale(sql, CaseFreeColumns());
}

// A schema change drops the kept statements: a kept "SELECT *" would still describe the
// columns it had when it was prepared.
std::optional<vt::DatabaseVersion> TADOConnection::Version() {
  sqlite3* db = Handle();
  const auto pragmaValue = [this](const char* pragma) {
    vt::StatementUse statement = Reuse(pragma);
    statement->Step();
    return sqlite3_column_int64(statement->Handle(), 0);
  };
  const std::int64_t schemaVersion = pragmaValue("PRAGMA schema_version");
  if (schemaVersion != preparedSchemaVersion_) {
    statements_->Clear();
    preparedSchemaVersion_ = schemaVersion;
    caseFreeColumns_.reset();
  }
  if (sqlite3_db_name(db, 2) != nullptr) return std::nullopt;  // 0 = main, 1 = temp
  return vt::DatabaseVersion{sqlite3_total_changes64(db), pragmaValue("PRAGMA data_version"), schemaVersion,
                             droppedRowChanges_ + std::int64_t(rowChanges_.size())};
}

// Every row change of the connection's statements, triggers' included, is heard here. A change
// the database counts but does not report (a whole table emptied at once) makes the two counts
// differ, and then nothing is known about the rows between the two versions.
void TADOConnection::LogRowChange(void* connection, int, const char*, const char* table, long long rowid) {
  constexpr size_t kMostKept = 4096;
  auto* self = static_cast<TADOConnection*>(connection);
  self->rowChanges_.push_back({table, rowid});
  if (self->rowChanges_.size() > kMostKept) {
    self->rowChanges_.pop_front();
    ++self->droppedRowChanges_;
  }
}

bool TADOConnection::RowChangesBetween(const vt::DatabaseVersion& from, const vt::DatabaseVersion& to,
                                       std::vector<const vt::RowChange*>& changes) const {
  const std::int64_t kept = droppedRowChanges_ + std::int64_t(rowChanges_.size());
  if (from.dataVersion != to.dataVersion || from.schemaVersion != to.schemaVersion ||
      to.ownChanges - from.ownChanges != to.loggedRows - from.loggedRows || from.loggedRows < droppedRowChanges_ ||
      to.loggedRows > kept || from.loggedRows > to.loggedRows)
    return false;
  for (std::int64_t i = from.loggedRows; i < to.loggedRows; ++i)
    changes.push_back(&rowChanges_[size_t(i - droppedRowChanges_)]);
  return true;
}

namespace vt {

String ConnectionStringValue(const String& value) {
  if (value.find_first_of(";\"'") == String::npos) return value;
  String quoted = "\"";
  for (char c : value) quoted += c == '"' ? String("\"\"") : String(1, c);
  return quoted + "\"";
}

Transaction::Transaction(TADOConnection* connection) : connection_(connection) { connection_->BeginTrans(); }

// During unwinding the exception on its way out is the one to show.
Transaction::~Transaction() {
  if (finished_) return;
  try {
    connection_->RollbackTrans();
  } catch (const Exception&) {
  }
}

void Transaction::Commit() {
  connection_->CommitTrans();
  finished_ = true;
}

int ExecuteScript(sqlite3* db, const String& sql) {
  int changed = 0;
  size_t offset = 0;
  while (offset < sql.size()) {
    size_t tail = 0;
    String rest = sql.substr(offset);
    SqliteStatement statement(db, rest, &tail);
    if (statement.Empty()) break;
    while (statement.Step()) {
    }
    changed = sqlite3_changes(db);
    offset += tail;
  }
  return changed;
}

std::vector<String> ListTables(const String& path) {
  sqlite3* db = nullptr;
  std::vector<String> names;
  try {
    CheckSqlite(db, sqlite3_open_v2(FileAloneUri(path).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr));
    SqliteStatement statement(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (statement.Step()) names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.Handle(), 0)));
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
  return names;
}

void CreateDatabaseFile(const String& path, const String& sqlScript) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0) throw EDatabaseError("The database '" + path + "' exists already");
  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  try {
    CheckSqlite(db, code);
    ExecuteScript(db, sqlScript);
  } catch (...) {
    sqlite3_close(db);
    std::remove(path.c_str());
    throw;
  }
  sqlite3_close(db);
}

}  // namespace vt
