// TADOConnection: the one SQLite handle behind a connection string's "Data Source=" file,
// opened without ever creating a database, with its transactions; and the tool that prepares
// a new database file.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "db/FileCheck.h"
#include "rtl/Classes.h"
#include "rtl/StrUtils.h"

struct sqlite3;
class TCustomADODataSet;

namespace vt {

class StatementCache;
class StatementUse;
struct OrderTerm;

// What tells whether the database can have changed: this connection's own row changes, commits
// by other connections or processes, and schema changes. Equal versions = the same data.
struct DatabaseVersion {
  std::int64_t ownChanges = 0;
  std::int64_t dataVersion = 0;
  std::int64_t schemaVersion = 0;
  std::int64_t loggedRows = 0;  // row changes this connection has logged (see RowChange)
  bool operator==(const DatabaseVersion&) const = default;
};

// A row this connection inserted, updated or deleted.
struct RowChange {
  String table;
  std::int64_t rowid = 0;
};

}  // namespace vt

class TADOConnection : public TComponent {
 public:
  explicit TADOConnection(TComponent* AOwner);
  ~TADOConnection() override;

  const String& ConnectionString() const { return connectionString_; }
  void SetConnectionString(const String& value);
  // The "Data Source=" value: up to the next ";", or the text inside its quotes.
  String DataSource() const;
  bool Connected() const { return db_ != nullptr; }
  void SetConnected(bool value);
  void Open();
  // Closes every dataset on the connection first, then folds the log into the file as far as
  // readers of other copies allow, so the file alone holds every committed row.
  void Close();
  // The tables (a script of CREATE TABLE statements) a file must hold, each with at least its
  // columns, to be opened: any other file is refused before anything is written to it. Empty
  // (the default): any database is opened.
  void SetExpectedTables(const String& createScript);
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool value) { loginPrompt_ = value; }
  // Runs a statement (Jet dialect rewritten); returns the rows it changed.
  int Execute(const String& sql);

  // The open handle, opening the connection when it is closed.
  sqlite3* Handle();

  // Transactions: the outermost level is a write transaction taken at once (another copy of the
  // program waits for it); inner levels are savepoints. BeginTrans returns the new level.
  int BeginTrans();
  void CommitTrans();
  // Undoes the innermost level. The connection's datasets that read or wrote inside the
  // outermost transaction then show what is stored again, each on the same row where it still
  // exists; a dataset in Edit or Insert keeps its pending record.
  void RollbackTrans();
  int TransactionLevel() const { return transactionLevel_; }
  bool InTransaction() const { return transactionLevel_ > 0; }

  TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

 private:
  friend class TCustomADODataSet;
  void Attach(TCustomADODataSet* dataSet) { dataSets_.push_back(dataSet); }
  void Detach(TCustomADODataSet* dataSet);
  // The open database's version; none when another database is attached, whose changes by
  // other connections it would not show.
  std::optional<vt::DatabaseVersion> Version();
  // The rows changed between two versions; false when not every change between them is known
  // (another connection wrote, the schema changed, a change went unreported or is no longer kept).
  bool RowChangesBetween(const vt::DatabaseVersion& from, const vt::DatabaseVersion& to,
                         std::vector<const vt::RowChange*>& changes) const;
  static void LogRowChange(void* connection, int operation, const char* database, const char* table,
                           long long rowid);
  // A dataset read or wrote rows: inside a transaction, a rollback must refresh it.
  void NoteUse(TCustomADODataSet* dataSet);
  void RereadAfterRollback();
  void CheckInTransaction() const;
  // A statement kept prepared on the open handle, for texts run on every post or open.
  vt::StatementUse Reuse(const String& sql);
  const std::set<String>& CaseFreeColumns();  // of the open schema, read on first need
  bool TextIsUtf8() const { return textIsUtf8_; }  // the open file's text encoding
  // A SELECT's text with its ORDER BY terms over case-free text columns in the locale's order.
  String InLocaleOrder(const String& sql);
  // The ORDER BY terms of a SELECT that its dataset puts in the locale's order itself; none when
  // InLocaleOrder is the way (see vt::OrderTermsToSortInLocale).
  std::vector<vt::OrderTerm> OrderTermsToSortInLocale(const String& sql);

  String connectionString_;
  bool loginPrompt_ = true;
  sqlite3* db_ = nullptr;
  std::vector<vt::ExpectedTable> expectedTables_;
  bool textIsUtf8_ = true;
  std::unique_ptr<vt::StatementCache> statements_;
  std::int64_t preparedSchemaVersion_ = -1;  // the schema the kept statements were prepared on
  std::optional<std::set<String>> caseFreeColumns_;  // of that schema, read on first need
  std::deque<vt::RowChange> rowChanges_;        // the latest ones; older ones are dropped
  std::int64_t droppedRowChanges_ = 0;
  std::vector<TCustomADODataSet*> dataSets_;
  int transactionLevel_ = 0;
  std::vector<TCustomADODataSet*> usedInTransaction_;
};

namespace vt {

// One transaction for the length of a scope: begun at construction, rolled back at destruction
// unless Commit was called (an exception leaving the scope undoes every write made in it).
class Transaction {
 public:
  explicit Transaction(TADOConnection* connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  TADOConnection* connection_;
  bool finished_ = false;
};

// A value as a connection string holds it: in double quotes when it has a ";" or a quote.
String ConnectionStringValue(const String& value);

// Makes a new database file at path and runs sqlScript in it; raises EDatabaseError when the
// file exists already or the script fails (the partial file is removed). The program itself
// never calls it: it is the tool that prepares a database.
void CreateDatabaseFile(const String& path, const String& sqlScript);

// The names of the tables of the database file at path, read from the file alone without
// changing it or anything beside it; raises EDatabaseError when it cannot be opened or is not a database.
std::vector<String> ListTables(const String& path);

// Runs every statement of sql on db; returns the rows changed by the last one.
int ExecuteScript(sqlite3* db, const String& sql);

}  // namespace vt
