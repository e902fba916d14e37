// Process Rooms on the generated camp: a session of 2,000 attendees waiting for a room and 500
// rooms, and one ten times that size for the growth, through the main window's button, against a plain SQLite loop doing the same reads and
// writes (the queue; for each attendee its first fitting room read afresh, and the room and the
// enrolment changed in one transaction; the lists and the rooms read again at the end).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>
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
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

constexpr int kWaiting = 2000;
constexpr int kLargeSession = 20000;  // the same run on ten times the people and rooms

std::string folder;  // holds Vantrel (the program path), Vantrel.mdb and Vantrel.ini
std::string campPath;
int session = 0;       // the session of kWaiting attendees
std::map<int, int> sessionOf;  // attendees waiting -> their bench session


// Every room of a bench session free again, nobody placed.
void EmptyRooms(sqlite3* db, int session) {
  const std::string sid = std::to_string(session);
  vt::ExecOrExit(db, "UPDATE Rooms SET NumberAvailable = NumberInRoom WHERE SessionID = " + sid);
  vt::ExecOrExit(db, "UPDATE AttendeeSession SET RoomID = NULL WHERE SessionID = " + sid);
}

std::string Lines(TADOQuery* query) {
  String text;
  for (int i = 0; i < query->SQL()->Count(); ++i) text += query->SQL()->Strings(i) + " ";
  return vt::RewriteJetDialect(text);
}

int ReadAll(sqlite3_stmt* statement) {
  int rows = 0;
  const int count = sqlite3_column_count(statement);
  size_t sum = 0;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    ++rows;
    for (int i = 0; i < count; ++i) sum += size_t(sqlite3_column_type(statement, i));
  }
  sqlite3_reset(statement);
  benchmark::DoNotOptimize(sum);
  return rows;
}

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(db));
    std::exit(1);
  }
  return statement;
}

void BM_PlainSqlite(benchmark::State& state) {
  const std::string sid = std::to_string(session);
  TADOQuery* queueQuery = SQLDataModule->qAttendeesInRooms;
  const std::string queueSql = Lines(queueQuery);
  const std::string occupantsSql = Lines(SQLDataModule->qAttendeesAlreadyInRooms);
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  vt::ExecOrExit(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
  sqlite3_stmt* queue = Prepare(db, queueSql);
  sqlite3_stmt* rooms = Prepare(db, "SELECT * FROM Rooms WHERE SessionID = " + sid + " ORDER BY SessionID");
  sqlite3_stmt* firstFit = Prepare(db, "SELECT RoomID FROM Rooms WHERE SessionID = " + sid +
                                           " AND NumberAvailable >= 1 AND NumberInRoom = ? ORDER BY RoomID LIMIT 1");
  sqlite3_stmt* occupants = Prepare(db, occupantsSql);
  sqlite3_stmt* takeRoom = Prepare(db, "UPDATE Rooms SET NumberAvailable = NumberAvailable - 1 WHERE RoomID = ? "
                                       "AND NumberAvailable >= 1");
  sqlite3_stmt* place = Prepare(db, "UPDATE AttendeeSession SET RoomID = ? WHERE SessionID = ? AND CamperID = ? "
                                    "AND RoomID Is Null");
  for (auto _ : state) {
    std::vector<std::pair<int, int>> waiting;  // camper, per-room maximum
    while (sqlite3_step(queue) == SQLITE_ROW)
      waiting.emplace_back(sqlite3_column_int(queue, 3), sqlite3_column_int(queue, 8));
    sqlite3_reset(queue);
    for (const auto& [camper, maximum] : waiting) {
      sqlite3_bind_int(firstFit, 1, maximum);
      const int found = sqlite3_step(firstFit) == SQLITE_ROW ? sqlite3_column_int(firstFit, 0) : 0;
      sqlite3_reset(firstFit);
      if (!found) continue;
      vt::ExecOrExit(db, "BEGIN IMMEDIATE");
      sqlite3_bind_int(takeRoom, 1, found);
      sqlite3_step(takeRoom);
      sqlite3_reset(takeRoom);
      sqlite3_bind_int(place, 1, found);
      sqlite3_bind_int(place, 2, session);
      sqlite3_bind_int(place, 3, camper);
      sqlite3_step(place);
      sqlite3_reset(place);
      vt::ExecOrExit(db, "COMMIT");
    }
    ReadAll(queue);
    ReadAll(occupants);
    ReadAll(rooms);
    state.PauseTiming();
    EmptyRooms(db, session);
    state.ResumeTiming();
  }
  for (sqlite3_stmt* statement : {queue, rooms, firstFit, occupants, takeRoom, place}) sqlite3_finalize(statement);
  sqlite3_close(db);
}

// The program's own on the session of range(0) attendees: the queue as the page shows it, then
// the button.
void BM_ProcessRooms(benchmark::State& state) {
  const int benchSession = sessionOf.at(int(state.range(0)));
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  TComboBox* sessions = MainForm->ComboBox9;
  sessions->SetItemIndex(sessions->Items()->IndexOf(std::to_string(benchSession)));
  for (auto _ : state) {
    state.PauseTiming();
    EmptyRooms(db, benchSession);
    MainForm->ComboBox9Change(sessions);
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    state.ResumeTiming();
    MainForm->BitBtn21Click(MainForm->BitBtn21);
    if (responder.Last().Text != "Rooms have been assigned") state.SkipWithError("no rooms were assigned");
  }
  sqlite3_close(db);
}

BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessRooms)->Arg(kWaiting)->Arg(kLargeSession)->Unit(benchmark::kMillisecond);

// A bench session: two types ("S" two to a room, "R" four), `waiting` enrolments without a room,
// half of each type, and a room for every four of them, half of each size; places for three in
// four.
int AddBenchSession(sqlite3* db, int waiting) {
  vt::ExecOrExit(db, "INSERT INTO Sessions (Description, BeginDate, EndDate, SessionActive) VALUES ('Rooms', 50000, 50007, -1)");
  const int added = int(sqlite3_last_insert_rowid(db));
  const std::string sid = std::to_string(added);
  vt::ExecOrExit(db, "INSERT INTO SessionSessionTypes (SessionID, Type, Description, PerRoomMaximum) VALUES (" + sid +
               ", 'S', 'Suite', 2), (" + sid + ", 'R', 'Resident', 4)");
  for (int i = 1; i <= waiting; ++i)
    vt::ExecOrExit(db, "INSERT INTO AttendeeSession (SessionID, CamperID, SessionType) VALUES (" + sid + ", " +
                 std::to_string(i) + ", '" + (i % 2 ? "S" : "R") + "')");
  for (int i = 1; i <= waiting / 4; ++i) {
    const std::string size = i % 2 ? "2" : "4";
    vt::ExecOrExit(db, "INSERT INTO Rooms (SessionID, HotelName, RoomNumber, NumberInRoom, NumberAvailable) VALUES (" + sid +
                 ", 'Inn', '" + std::to_string(i) + "', " + size + ", " + size + ")");
  }
  return added;
}

// The generated camp plus the two bench sessions.
void PrepareCamp() {
  char pattern[] = "/tmp/vt-rooms-XXXXXX";
  folder = std::string(mkdtemp(pattern)) + "/";
  campPath = folder + "Vantrel.mdb";
  vt::GenerateCamp(campPath);
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  vt::ExecOrExit(db, "BEGIN");
  vt::ExecOrExit(db, "INSERT INTO CoSys (CompanyName, AgeToRemoveAttendees) VALUES ('Bench Camps', 99)");
  for (int waiting : {kWaiting, kLargeSession}) sessionOf[waiting] = AddBenchSession(db, waiting);
  session = sessionOf.at(kWaiting);
  vt::ExecOrExit(db, "COMMIT");
  sqlite3_close(db);
  vt::SetProgramPathForTests(folder + "Vantrel");
  vt::SetClockForTests(44990);
}

// The program started on the camp, its room page on the bench session.
void StartOnTheBenchSession() {
  StartVantrel();
  MainForm->FormActivate(MainForm);
  TStrings* sessions = MainForm->ComboBox9->Items();
  MainForm->ComboBox9->SetItemIndex(sessions->IndexOf(std::to_string(session)));
  MainForm->ComboBox9Change(MainForm->ComboBox9);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  PrepareCamp();
  StartOnTheBenchSession();

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double plain = reporter.times["BM_PlainSqlite"];
  const double rooms = reporter.times["BM_ProcessRooms/2000"];
  const double large = reporter.times["BM_ProcessRooms/20000"];
  if (plain > 0 && rooms > 0)
    std::printf("BM_ProcessRooms = %.2f s (goal: under 0.5 s); BM_ProcessRooms / BM_PlainSqlite = %.2f "
                "(goal: at most 3.00)\n",
                rooms / 1000, rooms / plain);
  if (rooms > 0 && large > 0)
    std::printf("BM_ProcessRooms/20000 = %.2f s (goal: under 2 s); BM_ProcessRooms/20000 / BM_ProcessRooms/2000 = "
                "%.2f (goal: at most 12.00)\n",
                large / 1000, large / rooms);
  benchmark::Shutdown();
  Application->DestroyComponents();
  for (const char* file : {"Vantrel.mdb", "Vantrel.mdb-wal", "Vantrel.mdb-shm", "Vantrel.ini"})
    std::remove((folder + file).c_str());
  rmdir(folder.c_str());
  return 0;
}
