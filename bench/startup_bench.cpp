// Start-up on two generated camps, the usual one and one of about 85 MB holding ten years of
// sessions: from the entry's start-up sequence (splash, database, the 19 datasets, editors,
// housekeeping passes) to the main window shown, activated and idle, against reading the same 19
// datasets' rows with plain SQLite; prints the ratios and the goals. Each camp has been opened
// and closed by the program before, as on every ordinary day of a camp office.
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

// A camp in a folder of its own, beside the program path Vantrel and its Vantrel.ini.
struct Camp {
  const char* name;
  vt::CampSize size;
  std::string folder;
  std::string Path() const { return folder + "Vantrel.mdb"; }
};

Camp camps[] = {
    {"the generated camp", {}, ""},
    {"the 85 MB camp of ten years", {58000, 5000, 520, 300000, 750000}, ""},
};

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
  const std::string path = camps[state.range(0)].Path();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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

// The program on the camp's folder, then what Run does before it waits: the main window is
// shown, activated and left idle.
void StartUp() {
  StartVantrel();
  MainForm->Show();
  vt::ProcessEventsUntilIdle();
}

void EndProgram() {
  Application->DestroyComponents();
  MainForm = nullptr;
  SQLDataModule = nullptr;
}

void BM_StartUp(benchmark::State& state) {
  vt::SetProgramPathForTests(camps[state.range(0)].folder + "Vantrel");
  for (auto _ : state) {
    StartUp();
    state.PauseTiming();
    EndProgram();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_PlainSqlite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A camp with a company record whose age limit nobody has reached, and a clock before every
// session's end: each start-up walks both passes without changing the camp. The program has
// started on it and closed it once: its log mode, its money and its clean close are as every
// later start finds them.
void PrepareCamp(Camp& camp) {
  char pattern[] = "/tmp/vt-startup-XXXXXX";
  camp.folder = std::string(mkdtemp(pattern)) + "/";
  vt::GenerateCamp(camp.Path(), camp.size);
  sqlite3* db = nullptr;
  sqlite3_open_v2(camp.Path().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(db, "INSERT INTO CoSys (CompanyName, AgeToRemoveAttendees) VALUES ('Bench Camps', 99)",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  vt::SetProgramPathForTests(camp.folder + "Vantrel");
  StartUp();
  EndProgram();
}

void RemoveCamp(const Camp& camp) {
  for (const char* file : {"Vantrel.mdb", "Vantrel.ini"}) std::remove((camp.folder + file).c_str());
  rmdir(camp.folder.c_str());
}

void PrintGoals(vt::RatioReporter& reporter) {
  for (int i = 0; i < 2; ++i) {
    const std::string arg = "/" + std::to_string(i);
    const double plain = reporter.times["BM_PlainSqlite" + arg];
    const double startUp = reporter.times["BM_StartUp" + arg];
    if (plain > 0 && startUp > 0)
      std::printf("%s: BM_StartUp = %.0f ms (goal: under 1000 ms); BM_StartUp / BM_PlainSqlite = %.2f (goal: at most 1.50)\n",
                  camps[i].name, startUp, startUp / plain);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  vt::SetClockForTests(44990);
  for (Camp& camp : camps) PrepareCamp(camp);

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintGoals(reporter);
  benchmark::Shutdown();
  for (const Camp& camp : camps) RemoveCamp(camp);
  return 0;
}
