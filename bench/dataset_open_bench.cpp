// Opening qAttendees ("Select * From Attendees ORDER BY LastName, FirstName") through the
// data layer and reading every field of every row, with and without persistent fields,
// against a plain SQLite loop reading every column into values; prints the ratios.
// Each round closes the connection, which drops the dataset's kept snapshot, so every open
// fetches its rows from the file; the connection reopens a file it closed itself, which it
// checked whole at its first opening.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

#include "camp_generator.h"
#include "ratio_reporter.h"
#include "db/ADODB.h"

namespace {

const char* const kSql = "Select * From Attendees ORDER BY LastName, FirstName";
std::string campPath;

// Walks the open dataset reading every field's value; returns a checksum so nothing is elided.
size_t WalkEveryField(TDataSet* dataSet) {
  size_t sum = 0;
  int count = dataSet->FieldCount();
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
    for (int i = 0; i < count; ++i) sum += size_t(dataSet->Fields()->Fields(i)->Value().VarType());
  return sum;
}

void OpenAndWalk(benchmark::State& state, bool persistentFields) {
  TComponent owner(nullptr);
  auto* connection = new TADOConnection(&owner);
  connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + campPath + ";");
  auto* query = new TADOQuery(&owner);
  query->SetConnection(connection);
  query->SetCursorType(ctStatic);
  query->SQL()->Add("Select * From Attendees");
  query->SQL()->Add("");
  query->SQL()->Add("ORDER BY LastName, FirstName");
  // The first opening of the generated camp rounds its drifted money and makes its log: done
  // once per file, before the rounds.
  query->Open();
  if (persistentFields) {
    // The 54 persistent fields, one per column, as the data module declares them.
    std::vector<std::pair<TFieldType, std::pair<String, int>>> columns;
    for (int i = 0; i < query->FieldCount(); ++i) {
      TField* field = query->Fields()->Fields(i);
      columns.push_back({field->DataType(), {field->FieldName(), field->Size()}});
    }
    query->Close();
    for (auto& [type, column] : columns) {
      TField* field = vt::CreateField(type, &owner);
      field->SetFieldName(column.first);
      if (column.second > 0) field->SetSize(column.second);
      field->SetDataSet(query);
    }
  }
  connection->Close();
  for (auto _ : state) {
    query->Open();
    benchmark::DoNotOptimize(WalkEveryField(query));
    connection->Close();
  }
}

void BM_DataLayer(benchmark::State& state) { OpenAndWalk(state, false); }
void BM_DataLayerPersistentFields(benchmark::State& state) { OpenAndWalk(state, true); }

Variant ColumnValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return Variant(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT: return Variant(sqlite3_column_double(statement, column));
    case SQLITE_NULL: return Variant::Null();
    default:
      return Variant(String(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                            size_t(sqlite3_column_bytes(statement, column))));
  }
}

void BM_PlainSqlite(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kSql, -1, &statement, nullptr);
    size_t sum = 0;
    int count = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
      for (int i = 0; i < count; ++i) sum += size_t(ColumnValue(statement, i).VarType());
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_close(db);
}

BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataLayerPersistentFields)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  campPath = vt::GenerateTemporaryCamp();

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double plain = reporter.times["BM_PlainSqlite"];
  for (const char* name : {"BM_DataLayer", "BM_DataLayerPersistentFields"})
    if (plain > 0 && reporter.times.count(name))
      std::printf("%s / BM_PlainSqlite = %.2f (goal: at most 1.50)\n", name, reporter.times[name] / plain);
  benchmark::Shutdown();
  std::remove(campPath.c_str());
  return 0;
}
