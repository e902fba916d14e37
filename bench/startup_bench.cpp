// Start-up on the generated camp: from the entry's start-up sequence (splash, database, the 19
// datasets, editors, housekeeping passes) to the main window shown, activated and idle, against
// reading the same 19 datasets' rows with plain SQLite; prints the ratio and the goals.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>

#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "camp_generator.h"
#include "ratio_reporter.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/FileNames.h"
#include "rtl/StringList.h"
#include "ui/testing/UiTesting.h"

namespace {

std::string folder;    // holds Vantrel (the program path), Vantrel.mdb and Vantrel.ini
std::string campPath;

// The SQL each start-up dataset runs: a query's lines, a table's rows in index order, a detail
// table's rows for its master's first row.
std::vector<std::string> StartupSql() {
  TSQLDataModule module(nullptr);
  TDataSet* const startup[] = {
      module.tZipCodes, module.qCoSYS, module.tShirtSizes, module.tPositions, module.tDefaultLeagues,
      module.tSessionTypes, module.qAttendees, module.qChaperones, module.qSessions, module.tLeagues,
      module.tAttendeeTrx, module.tChaperoneTrx, module.qAttendeesOnSpot, module.qAttendeeSession,
      module.qChaperoneSession, module.tChaperoneSessions, module.tPayChaperones, module.tRooms,
      module.tTeams};
  std::vector<std::string> sql;
  for (TDataSet* dataSet : startup) {
    if (auto* query = dynamic_cast<TADOQuery*>(dataSet)) {
      String text;
      for (int i = 0; i < query->SQL()->Count(); ++i) text += query->SQL()->Strings(i) + " ";
      sql.push_back(vt::RewriteJetDialect(text));
      continue;
    }
    auto* table = static_cast<TADOTable*>(dataSet);
    String text = "SELECT * FROM " + table->TableName();
    if (table->MasterSource()) {
      auto* master = static_cast<TADOQuery*>(table->MasterSource()->DataSet());
      String masterSql;
      for (int i = 0; i < master->SQL()->Count(); ++i) masterSql += master->SQL()->Strings(i) + " ";
      text += " WHERE " + table->MasterFields() + " = (SELECT " + table->MasterFields() + " FROM (" +
              vt::RewriteJetDialect(masterSql) + ") LIMIT 1)";
    }
    if (!table->IndexFieldNames().empty()) text += " ORDER BY " + table->IndexFieldNames();
    sql.push_back(text);
  }
  return sql;
}

void BM_PlainSqlite(benchmark::State& state) {
  const std::vector<std::string> statements = StartupSql();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    size_t sum = 0;
    for (const std::string& text : statements) {
      sqlite3_stmt* statement = nullptr;
      if (sqlite3_prepare_v2(db, text.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        break;
      }
      const int count = sqlite3_column_count(statement);
      while (sqlite3_step(statement) == SQLITE_ROW)
        for (int i = 0; i < count; ++i) sum += size_t(sqlite3_column_type(statement, i));
      sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    benchmark::DoNotOptimize(sum);
  }
}

// What Run does before it waits: the main window is shown, activated and left idle.
void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    StartVantrel();
    MainForm->Show();
    vt::ProcessEventsUntilIdle();
    state.PauseTiming();
    Application->DestroyComponents();
    MainForm = nullptr;
    SQLDataModule = nullptr;
    state.ResumeTiming();
  }
}

BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// The generated camp with a company record whose age limit nobody has reached, and a clock before
// every session's end: each start-up walks both passes without changing the camp.
void PrepareCamp() {
  char pattern[] = "/tmp/vt-startup-XXXXXX";
  folder = std::string(mkdtemp(pattern)) + "/";
  campPath = folder + "Vantrel.mdb";
  vt::GenerateCamp(campPath);
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(db, "INSERT INTO CoSys (CompanyName, AgeToRemoveAttendees) VALUES ('Bench Camps', 99)",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  vt::SetProgramPathForTests(folder + "Vantrel");
  vt::SetClockForTests(44990);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  PrepareCamp();

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double plain = reporter.times["BM_PlainSqlite"];
  const double startUp = reporter.times["BM_StartUp"];
  if (plain > 0 && startUp > 0)
    std::printf("BM_StartUp = %.0f ms (goal: under 1000 ms); BM_StartUp / BM_PlainSqlite = %.2f (goal: at most 2.00)\n",
                startUp, startUp / plain);
  benchmark::Shutdown();
  std::remove(campPath.c_str());
  std::remove((folder + "Vantrel.ini").c_str());
  rmdir(folder.c_str());
  return 0;
}
