// Automatic team building on the generated camp: "Auto Create Teams" in the mixed mode for a
// session of 2,000 attendees in 8 leagues, against a plain SQLite loop doing the same reads (the
// unassigned list once a pass, the leagues and positions) and writes (each team and its members in
// one transaction); prints both, the ratio and the goals.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "camp_generator.h"
#include "components/edits/CurrEdit.h"
#include "db/SqlText.h"
#include "ratio_reporter.h"
#include "rtl/DateTime.h"
#include "rtl/FileNames.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/testing/UiTesting.h"

namespace {

constexpr double kToday = 44990;  // before every generated session ends
constexpr int kSession = 2;       // the first active session: current after start-up
constexpr int kAttendees = 2000;
constexpr int kLargeSession = 20000;  // the same run on ten times the people
std::string folder;
std::string campPath;

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
      throw std::runtime_error(sqlite3_errmsg(db));
  }
  ~Statement() { sqlite3_finalize(statement_); }
  sqlite3_stmt* operator*() const { return statement_; }
  bool Step() { return sqlite3_step(statement_) == SQLITE_ROW; }
  void Reset() { sqlite3_reset(statement_); }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// The session's enrolments: the first `count` generated attendees, of both types.
void Enrol(sqlite3* db, int count) {
  const std::string session = std::to_string(kSession);
  vt::ExecOrExit(db, "DELETE FROM AttendeeSession WHERE SessionID = " + session);
  vt::ExecOrExit(db, "INSERT INTO AttendeeSession (SessionID, CamperID, SessionType) SELECT " + session +
               ", CamperID, CASE CamperID % 2 WHEN 0 THEN 'R' ELSE 'D' END FROM Attendees WHERE CamperID <= " +
               std::to_string(count));
}

// The session gets 2,000 enrolments of both types, 8 leagues (six by age, two by grade) and the
// generated attendees' positions with 2, 2 and 1 on a team.
void PrepareCamp() {
  char pattern[] = "/tmp/vt-teams-XXXXXX";
  folder = std::string(mkdtemp(pattern)) + "/";
  campPath = folder + "Vantrel.mdb";
  vt::GenerateCamp(campPath);
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  const std::string session = std::to_string(kSession);
  vt::ExecOrExit(db, "BEGIN");
  vt::ExecOrExit(db, "INSERT INTO CoSys (CompanyName, AgeToRemoveAttendees) VALUES ('Bench Camps', 99)");
  Enrol(db, kAttendees);
  vt::ExecOrExit(db, "INSERT INTO SessionSessionTypes (SessionID, Type, PerRoomMaximum) VALUES (" + session + ", 'R', 4), (" +
               session + ", 'D', 0)");
  vt::ExecOrExit(db, "DELETE FROM Positions");
  vt::ExecOrExit(db, "INSERT INTO Positions (APosition, NumberOnTeam) VALUES ('Guard', 2), ('Forward', 2), ('Center', 1)");
  const char* const leagues[] = {"'Mites', 'Age', 7, 8",  "'Squirts', 'Age', 9, 9",  "'Peewees', 'Age', 10, 10",
                                 "'Bantams', 'Age', 11, 11", "'Midgets', 'Age', 12, 12", "'Minors', 'Age', 13, 13",
                                 "'Juniors', 'Grade', 9, 10", "'Seniors', 'Grade', 11, 12"};
  for (const char* league : leagues)
    vt::ExecOrExit(db, "INSERT INTO Leagues (SessionID, LeagueName, AddBy, BeginRange, EndRange) VALUES (" + session + ", " +
                 league + ")");
  vt::ExecOrExit(db, "COMMIT");
  sqlite3_close(db);
  vt::SetProgramPathForTests(folder + "Vantrel");
  vt::SetClockForTests(kToday);
}

void ClearTeams(sqlite3* db) {
  const std::string session = std::to_string(kSession);
  vt::ExecOrExit(db, "DELETE FROM Teams WHERE SessionID = " + session);
  vt::ExecOrExit(db, "UPDATE AttendeeSession SET TeamID = NULL WHERE SessionID = " + session);
}

int CountTeams(sqlite3* db) {
  Statement count(db, "SELECT COUNT(*) FROM Teams");
  count.Step();
  return sqlite3_column_int(*count, 0);
}

// The unassigned list's SQL as the program sends it for the session, every type.
std::string UnassignedSql() {
  TSQLDataModule module(nullptr);
  TStrings* lines = module.qAttendeesInTeams->SQL();
  lines->SetStrings(3, "AND AttendeeSession.SessionID = " + std::to_string(kSession));
  std::string text;
  for (int i = 0; i < lines->Count(); ++i) text += lines->Strings(i) + " ";
  return vt::RewriteJetDialect(text);
}

struct Candidate {
  int camper;
  std::string position;
  int grade;
  double dob;
};

struct League {
  std::string name;
  bool byAge;
  int begin, end;
  bool Holds(const Candidate& c) const {
    if (!byAge) return c.grade >= begin && c.grade <= end;
    const double upper = std::trunc(kToday - begin * 365.25), lower = std::trunc(kToday - (end + 1) * 365.25);
    return c.dob <= upper && c.dob >= lower;
  }
};

// The mixed mode with "On Each Team" equal to the position total, written straight in SQLite.
void BuildTeamsPlainly(sqlite3* db, const std::string& unassignedSql) {
  const std::string session = std::to_string(kSession);
  Statement insertTeam(db, "INSERT INTO Teams (SessionID, LeagueName, TeamName) VALUES (" + session + ", ?, ?)");
  Statement putOnTeam(db, "UPDATE AttendeeSession SET TeamID = ? WHERE SessionID = " + session + " AND CamperID = ?");
  int teamNumber = 1;
  for (bool placedAnybody = true; placedAnybody;) {
    std::vector<Candidate> unassigned;
    Statement list(db, unassignedSql);
    while (list.Step()) {
      const char* position = reinterpret_cast<const char*>(sqlite3_column_text(*list, 2));
      unassigned.push_back({sqlite3_column_int(*list, 5), position ? position : "", sqlite3_column_int(*list, 3),
                            sqlite3_column_double(*list, 4)});
    }
    if (unassigned.empty()) break;
    std::vector<League> leagues;
    Statement leagueRows(db, "SELECT LeagueName, AddBy, BeginRange, EndRange FROM Leagues WHERE SessionID = " + session);
    while (leagueRows.Step())
      leagues.push_back({reinterpret_cast<const char*>(sqlite3_column_text(*leagueRows, 0)),
                         std::string(reinterpret_cast<const char*>(sqlite3_column_text(*leagueRows, 1))) == "Age",
                         sqlite3_column_int(*leagueRows, 2), sqlite3_column_int(*leagueRows, 3)});
    std::vector<std::pair<std::string, int>> positions;
    Statement positionRows(db, "SELECT APosition, NumberOnTeam FROM Positions");
    while (positionRows.Step())
      positions.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(*positionRows, 0)),
                             sqlite3_column_int(*positionRows, 1));

    placedAnybody = false;
    std::set<int> placed;
    for (const League& league : leagues) {
      bool anybody = false;
      for (const Candidate& c : unassigned) anybody = anybody || (league.Holds(c) && !placed.count(c.camper));
      if (!anybody) continue;
      std::vector<int> members;
      for (const auto& [position, quota] : positions) {
        int taken = 0;
        for (const Candidate& c : unassigned)
          if (taken < quota && league.Holds(c) && c.position == position && placed.insert(c.camper).second) {
            members.push_back(c.camper);
            ++taken;
          }
      }
      vt::ExecOrExit(db, "BEGIN IMMEDIATE");
      const std::string name = "Team" + std::to_string(teamNumber++);
      sqlite3_bind_text(*insertTeam, 1, league.name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(*insertTeam, 2, name.c_str(), -1, SQLITE_TRANSIENT);
      insertTeam.Step();
      insertTeam.Reset();
      const sqlite3_int64 team = sqlite3_last_insert_rowid(db);
      for (int camper : members) {
        sqlite3_bind_int64(*putOnTeam, 1, team);
        sqlite3_bind_int(*putOnTeam, 2, camper);
        putOnTeam.Step();
        putOnTeam.Reset();
      }
      vt::ExecOrExit(db, "COMMIT");
      placedAnybody = placedAnybody || !members.empty();
    }
  }
}

int plainTeams = 0;
int programTeams = 0;

void BM_PlainSqlite(benchmark::State& state) {
  const std::string unassignedSql = UnassignedSql();
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  vt::ExecOrExit(db, "PRAGMA journal_mode=WAL");
  vt::ExecOrExit(db, "PRAGMA synchronous=NORMAL");
  for (auto _ : state) {
    state.PauseTiming();
    ClearTeams(db);
    state.ResumeTiming();
    BuildTeamsPlainly(db, unassignedSql);
  }
  plainTeams = CountTeams(db);
  ClearTeams(db);
  sqlite3_close(db);
}

// The button of the team page on a session of range(0) enrolments, each run after the type
// filter's reset of the counters.
void BM_AutoCreateTeams(benchmark::State& state) {
  sqlite3* camp = nullptr;
  sqlite3_open_v2(campPath.c_str(), &camp, SQLITE_OPEN_READWRITE, nullptr);
  Enrol(camp, int(state.range(0)));
  sqlite3_close(camp);
  StartVantrel();
  MainForm->Show();
  vt::ProcessEventsUntilIdle();
  MainForm->ComboBox11->SetItemIndex(1);
  MainForm->VtCalcEdit1->SetValue(5);
  sqlite3* db = SQLDataModule->dbVantrelADO->Handle();
  for (auto _ : state) {
    state.PauseTiming();
    ClearTeams(db);
    MainForm->RadioGroup2Click(MainForm->RadioGroup2);
    state.ResumeTiming();
    MainForm->BitBtn13Click(MainForm->BitBtn13);
  }
  if (state.range(0) == kAttendees) programTeams = CountTeams(db);
  ClearTeams(db);
  Enrol(db, kAttendees);
  Application->DestroyComponents();
  MainForm = nullptr;
  SQLDataModule = nullptr;
}

BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCreateTeams)->Arg(kAttendees)->Arg(kLargeSession)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  PrepareCamp();

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double plain = reporter.times["BM_PlainSqlite"];
  const double program = reporter.times["BM_AutoCreateTeams/2000"];
  const double large = reporter.times["BM_AutoCreateTeams/20000"];
  std::printf("teams built: %d by the program, %d by the plain loop\n", programTeams, plainTeams);
  if (plain > 0 && program > 0)
    std::printf("BM_AutoCreateTeams = %.3f s (goal: under 0.5 s); BM_AutoCreateTeams / BM_PlainSqlite = %.2f "
                "(goal: at most 3.00)\n",
                program / 1000, program / plain);
  if (program > 0 && large > 0)
    std::printf("BM_AutoCreateTeams/20000 = %.3f s (goal: under 2 s); BM_AutoCreateTeams/20000 / "
                "BM_AutoCreateTeams/2000 = %.2f (goal: at most 12.00)\n",
                large / 1000, large / program);
  benchmark::Shutdown();
  for (const char* file : {"Vantrel.mdb", "Vantrel.mdb-wal", "Vantrel.mdb-shm", "Vantrel.ini"})
    std::remove((folder + file).c_str());
  rmdir(folder.c_str());
  return 0;
}
