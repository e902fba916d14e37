// The ADO datasets over the SQLite connection: TADOQuery (SQL as numbered lines, ExecSQL)
// and TADOTable (a table, its order, and a master it follows). A set whose rows come from one
// table writes its changes back by rowid; any other set is read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "db/Connection.h"
#include "db/DataSet.h"
#include "rtl/StringList.h"

class TDataSource;
namespace vt { class SqliteStatement; class StatementUse; }

// Both kinds fetch every row at open; a static cursor is a snapshot until it is reopened.
// A static or keyset set reopened with nothing changed in the database takes its last
// snapshot again instead of fetching it anew.
enum TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };

namespace vt {
// How many times datasets have run their SELECT (fetches, not reused snapshots); for tests.
std::int64_t DataSetFetchCount();
}

class TCustomADODataSet : public TDataSet {
 public:
  ~TCustomADODataSet() override;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* value);
  TCursorType CursorType() const { return cursorType_; }
  void SetCursorType(TCursorType value) { cursorType_ = value; }

 protected:
  explicit TCustomADODataSet(TComponent* AOwner);

  // The SELECT to run (already in the SQLite dialect) and the values of its ? parameters.
  virtual String SelectText() const = 0;
  virtual std::vector<Variant> SelectParameters() { return {}; }
  sqlite3* Database() const;

  void InternalOpen(std::vector<ColumnInfo>& columns) override;
  void InternalClose() override;
  std::int64_t InternalPost(bool inserting, const std::vector<bool>& changed) override;
  void InternalDelete(std::int64_t key) override;
  bool RowsWritable() const override { return !table_.empty(); }
  // Frees the kept snapshot (the statement changed, or the connection closed).
  void DropSnapshot();
  // After a rollback: fetches what is stored again, on the same row where it still exists; a
  // pending Edit or Insert is left as it is, an Edit now starting from the stored row.
  void Reread();

 private:
  friend class TADOConnection;
  // What a fetch's rows depend on: equal origins with an unchanged database = equal rows.
  struct FetchOrigin {
    String sql;
    std::vector<Variant> parameters;
    std::optional<vt::DatabaseVersion> version;  // none: cannot tell whether it changed
  };
  bool MayReuseSnapshot(const FetchOrigin& wanted) const;
  bool MergeSnapshot(const FetchOrigin& wanted, std::vector<ColumnInfo>& columns);
  bool SortInLocaleOrder(const std::vector<vt::OrderTerm>& terms, const std::vector<ColumnInfo>& columns);
  bool KeysComeInOrder(const String& keyedSql, const String& keysSql);
  int UnchangedSlot(std::int64_t key, const std::unordered_set<std::int64_t>& changed);
  void TakeSnapshot(std::vector<ColumnInfo>& columns);
  // Runs the statement; true when its rows depend on nothing but the database (no function
  // calls, which may read the clock or a random source).
  // mayScan: the ORDER BY is the statement's last clause, on columns (see FetchByScan).
  bool Fetch(const FetchOrigin& origin, std::vector<ColumnInfo>& columns, bool mayScan);
  bool FetchByScan(const FetchOrigin& origin, int count);
  bool ScanBeatsIndexWalk(const String& keyedSql, const String& scanSql);
  String QueryPlan(const String& sql);
  vt::StatementUse PrepareSelect(const String& sql, bool& keyed);
  void TypeComputedColumns(std::vector<ColumnInfo>& columns);
  void DescribeColumns(vt::SqliteStatement& statement, int first, std::vector<ColumnInfo>& columns);
  void FetchRows(vt::SqliteStatement& statement, int first, bool keyed);
  bool ReadStoredRow(std::int64_t key, int slot);
  // An update that changed no row: the row is gone, or another copy changed what it writes.
  void RefuseStaleUpdate(std::int64_t key);

  TADOConnection* connection_ = nullptr;
  TCursorType cursorType_ = ctKeyset;
  String unkeyedSql_;                 // a SELECT whose rows proved not to be one table's
  String keysInOrderSql_;             // a SELECT whose keys alone proved to come in its order
  int nextSnapshotSlot_ = 0;          // while merging: where the next unchanged row is looked for
  String table_;                      // the one table the rows come from; empty = read-only
  std::vector<String> tableColumns_;  // per result column: its column in table_, "" if computed
  // Where the rows of the last complete fetch came from, while they may be reused: they are
  // Rows() while open and snapshot_ (with its columns) while closed.
  std::optional<FetchOrigin> fetched_;
  vt::RowSet snapshot_;
  std::vector<ColumnInfo> snapshotColumns_;
};

class TADOQuery : public TCustomADODataSet {
 public:
  explicit TADOQuery(TComponent* AOwner);
  ~TADOQuery() override;

  // Changing a line closes the query, as the class library does.
  TStrings* SQL() const { return sql_; }
  void SetSQL(TStrings* value) { sql_->Assign(value); }
  // Runs the statement(s); returns the rows changed.
  int ExecSQL();
  int RowsAffected() const { return rowsAffected_; }

 protected:
  String SelectText() const override;

 private:
  TStringList* sql_;
  int rowsAffected_ = -1;
};

class TADOTable : public TCustomADODataSet {
 public:
  explicit TADOTable(TComponent* AOwner);
  ~TADOTable() override;

  const String& TableName() const { return tableName_; }
  void SetTableName(const String& value);
  // Field names separated by ";": the order of the rows and the detail's link fields.
  const String& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const String& value);
  TDataSource* MasterSource() const;
  void SetMasterSource(TDataSource* value);
  const String& MasterFields() const { return masterFields_; }
  void SetMasterFields(const String& value);

 protected:
  String SelectText() const override;
  std::vector<Variant> SelectParameters() override;
  void InitNewRecord() override;

 private:
  class MasterLink;
  friend class MasterLink;
  std::vector<String> DetailFieldNames() const;
  std::vector<Variant> CurrentMasterValues() const;
  void MasterChanged();

  String tableName_;
  String indexFieldNames_;
  String masterFields_;
  MasterLink* masterLink_;
  std::vector<Variant> fetchedMasterValues_;
};
