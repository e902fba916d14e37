// Fetching and writing for the ADO datasets. A SELECT is first tried with the rowid added in
// front; when that prepares and every column comes from one table, the set is writable and
// its bookmarks are rowids. Column types come from the declared types, mapped in one place.
#include "db/ADODB.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <memory>

#include "db/DataSource.h"
#include "db/LocaleOrder.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

namespace {

// A computed column (no declared type) is typed by the first value it holds; a text, or no
// value at all, makes it a text column.
TFieldType FieldTypeOfValue(vt::CellType cellType, int& size) {
  size = 0;
  if (cellType == vt::CellType::Integer) return ftInteger;
  if (cellType == vt::CellType::Float) return ftFloat;
  size = 255;
  return ftWideString;
}

// The SELECT with "rowid AS vt_rowid" put first, its ORDER BY column numbers still naming the
// columns they named, or "" when the statement cannot carry it (not a plain SELECT, or one
// whose rows are not table rows: DISTINCT, GROUP BY, UNION).
String WithRowid(const String& sql) {
  String masked = UpperCase(sql);
  bool inLiteral = false;
  for (char& c : masked) {
    if (c == '\'') inLiteral = !inLiteral;
    else if (inLiteral || !std::isalnum(static_cast<unsigned char>(c))) c = ' ';
  }
  masked = " " + masked + " ";
  size_t start = masked.find_first_not_of(' ');
  if (masked.compare(start, 7, "SELECT ") != 0) return "";
  for (const char* word : {" DISTINCT ", " GROUP ", " UNION ", " INTERSECT ", " EXCEPT "})
    if (masked.find(word) != String::npos) return "";
  size_t select = sql.find_first_not_of(" \t\r\n");
  return vt::WithColumnNumbersShifted(sql.substr(0, select + 6) + " rowid AS vt_rowid," + sql.substr(select + 6), 1);
}

void BindVariant(vt::SqliteStatement& statement, int index, const Variant& value) {
  switch (value.VarType()) {
    case varEmpty: case varNull: return statement.BindNull(index);
    case varInteger: return statement.BindInteger(index, value.AsInt64());
    case varBoolean: return statement.BindInteger(index, value.AsBoolean() ? -1 : 0);
    case varDouble: case varDate: return statement.BindFloat(index, value.AsDouble());
    default: {
      String text = value.AsString();
      return statement.BindText(index, text.data(), text.size());
    }
  }
}

void BindParameters(vt::SqliteStatement& statement, const std::vector<Variant>& parameters) {
  for (size_t i = 0; i < parameters.size(); ++i) BindVariant(statement, int(i) + 1, parameters[i]);
}

void BindCell(vt::SqliteStatement& statement, int index, const vt::RowSet& rows, const vt::Cell& cell) {
  switch (cell.type) {
    case vt::CellType::Null: return statement.BindNull(index);
    case vt::CellType::Integer: return statement.BindInteger(index, cell.integer);
    case vt::CellType::Float: return statement.BindFloat(index, cell.real);
    case vt::CellType::Text: {
      std::string_view text = rows.Text(cell);
      return statement.BindText(index, text.data(), text.size());
    }
  }
}

// Reads the column through its value: one call into the statement per column instead of
// three. The value is used at once, on the thread that steps the statement, before the next step.
// The cell is a null one of rows.
// A text of a UTF-8 file is taken as its bytes stand (the blob form): reading it as a text makes
// SQLite copy it to end it with a NUL first.
void StoreColumn(sqlite3_stmt* statement, int index, vt::RowSet& rows, vt::Cell& cell, bool utf8) {
  sqlite3_value* value = sqlite3_column_value(statement, index);
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return vt::RowSet::SetInteger(cell, sqlite3_value_int64(value));
    case SQLITE_FLOAT:
      return vt::RowSet::SetFloat(cell, sqlite3_value_double(value));
    case SQLITE_NULL:
      return;
    default: {
      const char* text = reinterpret_cast<const char*>(utf8 ? sqlite3_value_blob(value) : sqlite3_value_text(value));
      return rows.SetText(cell, {text, size_t(sqlite3_value_bytes(value))});
    }
  }
}

// The columns from first on of the statement's current row into the cells of row.
void StoreRow(sqlite3_stmt* statement, int first, int count, vt::RowSet& rows, vt::Cell* row, bool utf8) {
  for (int column = 0; column < count; ++column) StoreColumn(statement, column + first, rows, row[column], utf8);
}

bool SameValues(const std::vector<Variant>& a, const std::vector<Variant>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].VarType() != b[i].VarType() || a[i] != b[i]) return false;
  return true;
}

std::atomic<std::int64_t> fetchCount{0};

}  // namespace

std::int64_t vt::DataSetFetchCount() { return fetchCount; }

// ---- TCustomADODataSet ----

TCustomADODataSet::TCustomADODataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TCustomADODataSet::~TCustomADODataSet() {
  Close();
  SetConnection(nullptr);
}

void TCustomADODataSet::SetConnection(TADOConnection* value) {
  if (value == connection_) return;
  Close();
  DropSnapshot();
  if (connection_) connection_->Detach(this);
  connection_ = value;
  if (connection_) connection_->Attach(this);
}

sqlite3* TCustomADODataSet::Database() const {
  if (!connection_) DatabaseError("Missing Connection or ConnectionString");
  return connection_->Handle();
}

void TCustomADODataSet::InternalOpen(std::vector<ColumnInfo>& columns) {
  Database();  // opens the connection
  connection_->NoteUse(this);
  std::optional<vt::DatabaseVersion> version = connection_->Version();
  // Rows read in their columns' case-free order (an index's, mostly) are put in the locale's
  // order here, which costs far less than SQLite sorting whole rows by the locale's collation.
  const std::vector<vt::OrderTerm> localeTerms = connection_->OrderTermsToSortInLocale(SelectText());
  FetchOrigin origin{localeTerms.empty() ? connection_->InLocaleOrder(SelectText()) : SelectText(),
                     SelectParameters(), version};
  if (MayReuseSnapshot(origin)) return TakeSnapshot(columns);
  if (MergeSnapshot(origin, columns)) {
    SortInLocaleOrder(localeTerms, columns);
    fetched_ = std::move(origin);
    return;
  }
  DropSnapshot();
  bool reusable = Fetch(origin, columns, !localeTerms.empty());
  if (!SortInLocaleOrder(localeTerms, columns)) {
    origin.sql = connection_->InLocaleOrder(SelectText());
    reusable = Fetch(origin, columns, false);
  }
  if (reusable) fetched_ = std::move(origin);
}

// False, with the rows as they are, when a term names no column of the rows or more than one.
bool TCustomADODataSet::SortInLocaleOrder(const std::vector<vt::OrderTerm>& terms,
                                          const std::vector<ColumnInfo>& columns) {
  std::vector<vt::SortColumn> sort;
  for (const vt::OrderTerm& term : terms) {
    const auto named = [&](const ColumnInfo& column) { return SameText(column.name, term.column); };
    const auto found = std::find_if(columns.begin(), columns.end(), named);
    if (found == columns.end() || std::find_if(found + 1, columns.end(), named) != columns.end()) return false;
    sort.push_back({int(found - columns.begin()), term.descending});
  }
  if (!sort.empty()) vt::SortInLocaleOrder(Rows(), sort);
  return true;
}

// A snapshot of one table's rows after changes this connection logged: the statement runs
// again for the keys alone, in the order its rows come in; a row nobody changed is taken from
// the snapshot, every other one is read by its key. Its columns are all the table's, so the
// unchanged rows hold what a fetch would read. False when that cannot be done: the statement,
// its parameters or the row shape differ, some change is not known, or the keys would not come
// in the statement's own order.
bool TCustomADODataSet::MergeSnapshot(const FetchOrigin& wanted, std::vector<ColumnInfo>& columns) {
  std::vector<const vt::RowChange*> changes;
  if (!fetched_ || snapshotColumns_.empty() || table_.empty() || !wanted.version || !fetched_->version ||
      fetched_->sql != wanted.sql || !SameValues(fetched_->parameters, wanted.parameters) ||
      snapshot_.ColumnCount() != int(snapshotColumns_.size()) + CalcFieldCount() ||
      !connection_->RowChangesBetween(*fetched_->version, *wanted.version, changes))
    return false;
  const String keyedSql = WithRowid(wanted.sql);
  const String keysSql = "SELECT vt_rowid FROM (" + keyedSql + ")";
  if (!KeysComeInOrder(keyedSql, keysSql)) return false;
  ++fetchCount;
  std::unordered_set<std::int64_t> changed;
  for (const vt::RowChange* change : changes)
    if (SameText(change->table, table_)) changed.insert(change->rowid);
  std::vector<std::int64_t> keys;
  {
    vt::StatementUse statement = connection_->Reuse(keysSql);
    BindParameters(*statement, wanted.parameters);
    while (statement->Step()) keys.push_back(sqlite3_column_int64(statement->Handle(), 0));
  }
  vt::RowSet rows;
  rows.Reset(snapshot_.ColumnCount());
  nextSnapshotSlot_ = 0;
  const int count = int(snapshotColumns_.size());
  for (std::int64_t key : keys) {
    if (int slot = UnchangedSlot(key, changed); slot >= 0) {
      rows.CopyRow(rows.AddSlot(key), snapshot_, slot);
      continue;
    }
    vt::StatementUse statement = connection_->Reuse("SELECT * FROM (" + keyedSql + ") WHERE vt_rowid = ?");
    BindParameters(*statement, wanted.parameters);
    statement->BindInteger(int(wanted.parameters.size()) + 1, key);
    if (!statement->Step()) return false;
    StoreRow(statement->Handle(), 1, count, rows, rows.MutableRow(rows.AddSlot(key)), connection_->TextIsUtf8());
  }
  std::swap(Rows(), rows);
  columns = std::move(snapshotColumns_);
  snapshotColumns_.clear();
  snapshot_ = vt::RowSet();
  return true;
}

// The snapshot's slot of a row nobody changed, or -1. The keys mostly come in the snapshot's
// order, so the search goes on from the slot found last, past the changed rows; a key out of
// that order is looked up in the whole snapshot.
int TCustomADODataSet::UnchangedSlot(std::int64_t key, const std::unordered_set<std::int64_t>& changed) {
  if (changed.count(key)) return -1;
  const int count = snapshot_.SlotCount();
  while (nextSnapshotSlot_ < count && changed.count(snapshot_.Key(nextSnapshotSlot_))) ++nextSnapshotSlot_;
  if (nextSnapshotSlot_ < count && snapshot_.Key(nextSnapshotSlot_) == key) return nextSnapshotSlot_++;
  for (int slot = 0; slot < count; ++slot)
    if (snapshot_.Key(slot) == key) {
      nextSnapshotSlot_ = slot + 1;
      return slot;
    }
  return -1;
}

// The keys-only statement may go another way through the table (an index holds every rowid);
// its rows come in the same order only when both plans walk the same index or table the same
// way. Asked once per statement.
bool TCustomADODataSet::KeysComeInOrder(const String& keyedSql, const String& keysSql) {
  if (keysInOrderSql_ == keyedSql) return true;
  const auto plan = [this](const String& sql) { return StringReplace(QueryPlan(sql), "COVERING INDEX", "INDEX", {}); };
  try {
    if (plan(keyedSql) != plan(keysSql)) return false;
  } catch (const EDatabaseError&) {
    return false;
  }
  keysInOrderSql_ = keyedSql;
  return true;
}

// The steps of the statement's plan, a line each.
String TCustomADODataSet::QueryPlan(const String& sql) {
  String steps;
  vt::StatementUse statement = connection_->Reuse("EXPLAIN QUERY PLAN " + sql);
  while (statement->Step()) {
    const char* detail = reinterpret_cast<const char*>(sqlite3_column_text(statement->Handle(), 3));
    steps += String(detail ? detail : "") + "\n";
  }
  return steps;
}

// The one rule for reuse: the same statement and parameters on the same connection, the same
// row shape (calculated fields included), and a database that cannot have changed since.
bool TCustomADODataSet::MayReuseSnapshot(const FetchOrigin& wanted) const {
  return fetched_ && !snapshotColumns_.empty() && wanted.version && fetched_->version == wanted.version &&
         fetched_->sql == wanted.sql && SameValues(fetched_->parameters, wanted.parameters) &&
         snapshot_.ColumnCount() == int(snapshotColumns_.size()) + CalcFieldCount();
}

// Calculated fields are recomputed as after a fresh fetch: the dataset calculates each row
// anew when it is first read after the open.
void TCustomADODataSet::TakeSnapshot(std::vector<ColumnInfo>& columns) {
  std::swap(Rows(), snapshot_);
  columns = std::move(snapshotColumns_);
  snapshotColumns_.clear();
  snapshot_ = vt::RowSet();
}

// The one place a snapshot is kept: the rows of a complete fetch of a static or keyset set.
void TCustomADODataSet::InternalClose() {
  if (!fetched_ || (cursorType_ != ctStatic && cursorType_ != ctKeyset)) {
    fetched_.reset();
    return;
  }
  std::swap(Rows(), snapshot_);
  snapshotColumns_ = Columns();
}

void TCustomADODataSet::DropSnapshot() {
  fetched_.reset();
  unkeyedSql_.clear();
  keysInOrderSql_.clear();
  snapshot_ = vt::RowSet();  // frees the rows and all the room kept for them
  snapshotColumns_.clear();
}

void TCustomADODataSet::Reread() {
  DropSnapshot();
  if (State() == dsEdit && !table_.empty() && ReadStoredRow(Buffer().Key(0), 1)) return TakeEditOrigin();
  if (State() != dsBrowse) return;
  TBookmark current = GetBookmark();
  Refetch();
  if (!current.empty() && BookmarkValid(current)) GotoBookmark(current);
}

bool TCustomADODataSet::Fetch(const FetchOrigin& origin, std::vector<ColumnInfo>& columns, bool mayScan) {
  ++fetchCount;
  bool keyed = false;
  vt::StatementUse statement = PrepareSelect(origin.sql, keyed);
  if (statement->Empty() || sqlite3_column_count(statement->Handle()) == 0)
    DatabaseError("CommandText does not return a result set");
  BindParameters(*statement, origin.parameters);
  int first = keyed ? 1 : 0;
  table_.clear();
  DescribeColumns(*statement, first, columns);
  if (!keyed) table_.clear();
  if (!keyed || !mayScan || !FetchByScan(origin, sqlite3_column_count(statement->Handle()) - 1))
    FetchRows(*statement, first, keyed);
  TypeComputedColumns(columns);
  return !statement->CallsFunctions();
}

// An ORDER BY that SQLite meets by walking an index costs a seek into the table for each row.
// When the statement without it reads the whole table, the rows are read that way, in key
// order, each into its slot in the order of the keys the index gives. Both reads see the same
// rows: the scan, begun first, holds the read transaction while the keys are read. False, with
// the rows to be read again, when the plans are others or the two reads do not agree.
bool TCustomADODataSet::FetchByScan(const FetchOrigin& origin, int count) {
  const String keyedSql = WithRowid(origin.sql);
  const String scanSql = vt::WithoutOrderBy(keyedSql);
  const String keysSql = "SELECT vt_rowid FROM (" + keyedSql + ")";
  if (!ScanBeatsIndexWalk(keyedSql, scanSql) || !KeysComeInOrder(keyedSql, keysSql)) return false;
  vt::StatementUse scan = connection_->Reuse(scanSql);
  if (scan->CallsFunctions()) return false;
  BindParameters(*scan, origin.parameters);
  bool more = scan->Step();
  vt::RowSet& rows = Rows();
  rows.Reset(count + CalcFieldCount());
  std::vector<std::pair<std::int64_t, int>> slots;  // by key
  {
    vt::StatementUse keys = connection_->Reuse(keysSql);
    BindParameters(*keys, origin.parameters);
    while (keys->Step()) {
      const std::int64_t key = sqlite3_column_int64(keys->Handle(), 0);
      slots.emplace_back(key, rows.AddSlot(key));
    }
  }
  std::sort(slots.begin(), slots.end());
  const bool utf8 = connection_->TextIsUtf8();
  size_t next = 0;
  for (; more; more = scan->Step(), ++next) {
    if (next == slots.size() || slots[next].first != sqlite3_column_int64(scan->Handle(), 0)) return false;
    StoreRow(scan->Handle(), 1, count, rows, rows.MutableRow(slots[next].second), utf8);
  }
  return next == slots.size();
}

// The statement without its ORDER BY scans the one table whole, and with it walks an index of
// that table (not one holding every column read).
bool TCustomADODataSet::ScanBeatsIndexWalk(const String& keyedSql, const String& scanSql) {
  try {
    const String scan = QueryPlan(scanSql);
    const String walk = QueryPlan(keyedSql);
    const auto oneStep = [](const String& plan) { return plan.find('\n') + 1 == plan.size(); };
    return oneStep(scan) && oneStep(walk) && scan.rfind("SCAN ", 0) == 0 &&
           walk.rfind(scan.substr(0, scan.size() - 1) + " USING INDEX ", 0) == 0;
  } catch (const EDatabaseError&) {
    return false;
  }
}

// Probes for a single-table SELECT first: a failure to prepare the rowid form only means the
// rows are not one table's (a join, a view); the statement itself is prepared next. Both stay
// prepared on the connection for the next open, and a text whose probe failed is not probed
// again.
vt::StatementUse TCustomADODataSet::PrepareSelect(const String& sql, bool& keyed) {
  Database();  // opens the connection
  const String keyedSql = sql == unkeyedSql_ ? String() : WithRowid(sql);
  if (!keyedSql.empty()) {
    try {
      keyed = true;
      return connection_->Reuse(keyedSql);
    } catch (const EDatabaseError&) {
      unkeyedSql_ = sql;
    }
  }
  keyed = false;
  return connection_->Reuse(sql);
}

// A computed column without a declared type takes the type of its first non-null value.
void TCustomADODataSet::TypeComputedColumns(std::vector<ColumnInfo>& columns) {
  for (size_t column = 0; column < columns.size(); ++column) {
    if (columns[column].type != ftUnknown) continue;
    vt::CellType firstType = vt::CellType::Null;
    for (int slot = 0; slot < Rows().SlotCount() && firstType == vt::CellType::Null; ++slot)
      firstType = Rows().At(slot, int(column)).type;
    columns[column].type = FieldTypeOfValue(firstType, columns[column].size);
  }
}

namespace {

// A table's column reached through a join in parentheses bears the name SQLite gave it inside
// that join, "BalanceOwed:1" when both joined tables have a BalanceOwed; it is the column's own
// name, as for any other column selected by table and name.
String ResultColumnName(const String& name, const char* origin) {
  const size_t colon = name.rfind(':');
  if (!origin || colon == String::npos || colon + 1 == name.size() || name.compare(0, colon, origin) != 0)
    return name;
  for (size_t i = colon + 1; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return name;
  return origin;
}

}  // namespace

// Names and types of the result columns; table_ is left naming the one table they all come
// from, or empty when they come from several or some are computed.
void TCustomADODataSet::DescribeColumns(vt::SqliteStatement& statement, int first,
                                        std::vector<ColumnInfo>& columns) {
  sqlite3_stmt* handle = statement.Handle();
  sqlite3* db = sqlite3_db_handle(handle);
  int count = sqlite3_column_count(handle);
  tableColumns_.clear();
  bool oneTable = true;
  for (int i = first; i < count; ++i) {
    ColumnInfo column;
    const char* table = sqlite3_column_table_name(handle, i);
    const char* origin = sqlite3_column_origin_name(handle, i);
    column.name = ResultColumnName(sqlite3_column_name(handle, i), origin);
    const char* declared = sqlite3_column_decltype(handle, i);
    int autoIncrement = 0;
    if (table && origin) {
      const char *type, *collation;
      int notNull, primaryKey;
      sqlite3_table_column_metadata(db, sqlite3_column_database_name(handle, i), table, origin, &type,
                                    &collation, &notNull, &primaryKey, &autoIncrement);
      if (table_.empty()) table_ = table;
      oneTable = oneTable && SameText(table_, table);
      tableColumns_.push_back(origin);
    } else {
      oneTable = false;
      tableColumns_.push_back("");
      column.readOnly = true;
    }
    if (declared) column.type = vt::FieldTypeOfDeclaration(declared, autoIncrement != 0, column.size);
    if (column.type == ftAutoInc) column.readOnly = true;
    columns.push_back(column);
  }
  if (!oneTable) table_.clear();
}

void TCustomADODataSet::FetchRows(vt::SqliteStatement& statement, int first, bool keyed) {
  sqlite3_stmt* handle = statement.Handle();
  int count = sqlite3_column_count(handle) - first;
  vt::RowSet& rows = Rows();
  rows.Reset(count + CalcFieldCount());
  std::int64_t ordinal = 0;
  const bool utf8 = connection_->TextIsUtf8();
  while (statement.Step()) {
    const int slot = rows.AddSlot(keyed ? sqlite3_column_int64(handle, 0) : ++ordinal);
    StoreRow(handle, first, count, rows, rows.MutableRow(slot), utf8);
  }
}

std::int64_t TCustomADODataSet::InternalPost(bool inserting, const std::vector<bool>& changed) {
  if (table_.empty()) DatabaseError("Cannot modify a read-only dataset");
  vt::RowSet& buffer = Buffer();
  std::vector<int> written;
  for (int column = 0; column < int(tableColumns_.size()); ++column)
    if (changed[column] && !Columns()[column].readOnly) written.push_back(column);
  sqlite3* db = Database();
  connection_->NoteUse(this);
  std::int64_t key = buffer.Key(0);
  if (inserting || !written.empty()) {
    String sql;
    if (inserting && written.empty()) {
      sql = "INSERT INTO " + vt::SqlQuoteIdentifier(table_) + " DEFAULT VALUES";
    } else if (inserting) {
      String names, marks;
      for (int column : written) {
        names += (names.empty() ? "" : ", ") + vt::SqlQuoteIdentifier(tableColumns_[column]);
        marks += marks.empty() ? "?" : ", ?";
      }
      sql = "INSERT INTO " + vt::SqlQuoteIdentifier(table_) + " (" + names + ") VALUES (" + marks + ")";
    } else {
      // Another copy of the program may have changed the row since it was read: it is updated
      // only where every column written still holds, exactly, what was read.
      String assignments, unchanged;
      for (int column : written) {
        const String name = vt::SqlQuoteIdentifier(tableColumns_[column]);
        assignments += (assignments.empty() ? "" : ", ") + name + " = ?";
        unchanged += " AND " + name + " IS ? COLLATE BINARY";
      }
      sql = "UPDATE " + vt::SqlQuoteIdentifier(table_) + " SET " + assignments + " WHERE rowid = ?" + unchanged;
    }
    vt::StatementUse statement = connection_->Reuse(sql);
    int index = 1;
    for (int column : written) BindCell(*statement, index++, buffer, buffer.At(0, column));
    if (!inserting) {
      statement->BindInteger(index++, key);
      for (int column : written) BindCell(*statement, index++, buffer, buffer.At(1, column));
    }
    statement->Step();
    if (inserting) key = sqlite3_last_insert_rowid(db);
    else if (sqlite3_changes(db) == 0) RefuseStaleUpdate(key);
  }
  if (!ReadStoredRow(key, 0)) DatabaseError("Row cannot be located for updating");
  return key;
}

void TCustomADODataSet::RefuseStaleUpdate(std::int64_t key) {
  vt::StatementUse statement = connection_->Reuse("SELECT 1 FROM " + vt::SqlQuoteIdentifier(table_) + " WHERE rowid = ?");
  statement->BindInteger(1, key);
  if (!statement->Step())
    throw EDatabaseError("The record was deleted by another user after it was read, so your changes were not saved.");
  throw EDatabaseError(
      "The record was changed by another user after it was read, so your changes were not saved. "
      "Reload the record (Refresh Data) to see what is stored, then make your changes again.");
}

// Puts the row as the database now holds it (AutoNumber, defaults) into a slot of the edit
// buffer; false when there is no such row.
bool TCustomADODataSet::ReadStoredRow(std::int64_t key, int slot) {
  String names;
  for (const String& column : tableColumns_) names += (names.empty() ? "" : ", ") + vt::SqlQuoteIdentifier(column);
  Database();  // opens the connection
  vt::StatementUse statement =
      connection_->Reuse("SELECT " + names + " FROM " + vt::SqlQuoteIdentifier(table_) + " WHERE rowid = ?");
  statement->BindInteger(1, key);
  if (!statement->Step()) return false;
  vt::RowSet& buffer = Buffer();
  buffer.SetKey(slot, key);
  for (int column = 0; column < int(tableColumns_.size()); ++column) {
    buffer.SetNull(slot, column);
    StoreColumn(statement->Handle(), column, buffer, buffer.MutableRow(slot)[column], connection_->TextIsUtf8());
  }
  return true;
}

void TCustomADODataSet::InternalDelete(std::int64_t key) {
  if (table_.empty()) DatabaseError("Cannot modify a read-only dataset");
  Database();  // opens the connection
  vt::StatementUse statement = connection_->Reuse("DELETE FROM " + vt::SqlQuoteIdentifier(table_) + " WHERE rowid = ?");
  statement->BindInteger(1, key);
  connection_->NoteUse(this);
  statement->Step();
}

// ---- TADOQuery ----

TADOQuery::TADOQuery(TComponent* AOwner) : TCustomADODataSet(AOwner), sql_(new TStringList()) {
  sql_->OnChange = [this](TObject*) {
    Close();
    DropSnapshot();
  };
}

TADOQuery::~TADOQuery() {
  Close();
  sql_->OnChange = nullptr;
  delete sql_;
}

String TADOQuery::SelectText() const { return vt::RewriteJetDialect(sql_->Text()); }

int TADOQuery::ExecSQL() {
  if (!Connection()) DatabaseError("Missing Connection or ConnectionString");
  rowsAffected_ = Connection()->Execute(sql_->Text());
  return rowsAffected_;
}

// ---- TADOTable ----

// Hears the master's data source: any scroll, change or reopen there may move the key.
class TADOTable::MasterLink : public TDataLink {
 public:
  explicit MasterLink(TADOTable* table) : table_(table) {}

 protected:
  void ActiveChanged() override { table_->MasterChanged(); }
  void DataSetChanged() override { table_->MasterChanged(); }
  void DataSetScrolled(int) override { table_->MasterChanged(); }
  void RecordChanged(TField*) override { table_->MasterChanged(); }

 private:
  TADOTable* table_;
};

TADOTable::TADOTable(TComponent* AOwner) : TCustomADODataSet(AOwner), masterLink_(new MasterLink(this)) {}

TADOTable::~TADOTable() {
  Close();
  delete masterLink_;
}

void TADOTable::SetTableName(const String& value) {
  if (value == tableName_) return;
  Close();
  DropSnapshot();
  tableName_ = value;
}

void TADOTable::SetIndexFieldNames(const String& value) {
  if (value == indexFieldNames_) return;
  indexFieldNames_ = value;
  DropSnapshot();
  if (Active()) Refetch();
}

TDataSource* TADOTable::MasterSource() const { return masterLink_->DataSource(); }

void TADOTable::SetMasterSource(TDataSource* value) {
  if (value && value->DataSet() == this) DatabaseError("Circular datalinks are not allowed");
  DropSnapshot();
  masterLink_->SetDataSource(value);
}

void TADOTable::SetMasterFields(const String& value) {
  if (value == masterFields_) return;
  masterFields_ = value;
  DropSnapshot();
  if (Active()) Refetch();
}

namespace {
bool HasMaster(TDataSource* source, const String& masterFields) {
  return source && !masterFields.empty();
}
}  // namespace

// The detail's link fields: the first index fields, or the master's names without an index.
std::vector<String> TADOTable::DetailFieldNames() const {
  std::vector<String> master = vt::SplitFieldNames(masterFields_);
  std::vector<String> index = vt::SplitFieldNames(indexFieldNames_);
  if (index.size() < master.size()) return master;
  index.resize(master.size());
  return index;
}


String TADOTable::SelectText() const {
  if (tableName_.empty()) DatabaseError("No table name specified");
  String sql = "SELECT * FROM " + vt::SqlQuoteIdentifier(tableName_);
  if (HasMaster(MasterSource(), masterFields_)) {
    String where;
    for (const String& name : DetailFieldNames())
      where += (where.empty() ? " WHERE " : " AND ") + vt::SqlQuoteIdentifier(name) + " = ?";
    sql += where;
  }
  String order;
  for (const String& name : vt::SplitFieldNames(indexFieldNames_))
    order += (order.empty() ? " ORDER BY " : ", ") + vt::SqlQuoteIdentifier(name);
  return sql + order;
}

// Null keys (master closed, empty or inserting) match no detail row.
std::vector<Variant> TADOTable::CurrentMasterValues() const {
  std::vector<Variant> values;
  TDataSet* master = MasterSource() ? MasterSource()->DataSet() : nullptr;
  for (const String& name : vt::SplitFieldNames(masterFields_)) {
    bool readable = master && master->Active() && !master->IsEmpty();
    values.push_back(readable ? master->FieldByName(name)->Value() : Variant::Null());
  }
  return values;
}

std::vector<Variant> TADOTable::SelectParameters() {
  if (!HasMaster(MasterSource(), masterFields_)) return {};
  fetchedMasterValues_ = CurrentMasterValues();
  return fetchedMasterValues_;
}

void TADOTable::MasterChanged() {
  if (!Active() || !HasMaster(MasterSource(), masterFields_)) return;
  if (!SameValues(CurrentMasterValues(), fetchedMasterValues_)) Refetch();
}

void TADOTable::InitNewRecord() {
  if (!HasMaster(MasterSource(), masterFields_)) return;
  std::vector<String> names = DetailFieldNames();
  std::vector<Variant> values = CurrentMasterValues();
  for (size_t i = 0; i < names.size(); ++i)
    if (TField* field = FindField(names[i]); field && !values[i].IsNull()) field->SetValue(values[i]);
}
