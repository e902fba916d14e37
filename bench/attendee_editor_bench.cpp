// The attendee editor on the generated camp (20,000 attendees): opening it on one attendee, and
// its Sign Up and Pay, each against a plain SQLite transaction doing the same row writes (the
// person's totals, the enrolment, the ledger row).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/Main.h"
#include "camp_generator.h"
#include "components/edits/CurrEdit.h"
#include "ratio_reporter.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/FileNames.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

constexpr int kCamper = 10000;

std::string folder;  // holds Vantrel (the program path), Vantrel.mdb and Vantrel.ini
std::string campPath;
int session = 0;


sqlite3* OpenCamp() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  vt::ExecOrExit(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
  return db;
}

// The editor as the edit command opens it: the attendee's row in Edit, then shown and activated.
void OpenEditor() {
  TADOQuery* attendees = SQLDataModule->qAttendees;
  attendees->Locate("CamperID", kCamper, {});
  attendees->Edit();
  AddEditAttendeesForm->CheckBox1->SetChecked(true);
  AddEditAttendeesForm->Show();
  vt::ProcessEventsUntilIdle();
}

void CloseEditor() {
  SQLDataModule->qAttendees->Cancel();
  AddEditAttendeesForm->Close();
  vt::ProcessEventsUntilIdle();
}

void SignUp() {
  vt::DialogResponder yes;
  yes.Answer(mrYes);
  SQLDataModule->qSessions->Locate("SessionID", session, {});
  AddEditAttendeesForm->BitBtn2Click(AddEditAttendeesForm);
}

void Remove() {
  vt::DialogResponder yes;
  yes.Answer(mrYes);
  SQLDataModule->qAttendeeSession->Locate("SessionID", session, {});
  AddEditAttendeesForm->BitBtn3Click(AddEditAttendeesForm);
}

void BM_OpenEditor(benchmark::State& state) {
  for (auto _ : state) {
    OpenEditor();
    state.PauseTiming();
    CloseEditor();
    state.ResumeTiming();
  }
}

void BM_SignUp(benchmark::State& state) {
  OpenEditor();
  for (auto _ : state) {
    SignUp();
    state.PauseTiming();
    Remove();
    state.ResumeTiming();
  }
  CloseEditor();
}

// One dollar at a time off an enrolment that owes far more than the runs pay.
void BM_Pay(benchmark::State& state) {
  OpenEditor();
  SignUp();
  TAddEditAttendeesForm* editor = AddEditAttendeesForm;
  editor->ComboBox3->SetItemIndex(editor->ComboBox3->Items()->IndexOf(std::to_string(session)));
  editor->ComboBox3Change(editor->ComboBox3);
  for (auto _ : state) {
    editor->VtCalcEdit1->SetValue(1);
    editor->Edit2->SetText("1001");
    editor->BitBtn4Click(editor->BitBtn4);
  }
  Remove();
  CloseEditor();
}

// The camp as a plain run opens it; what the run writes is taken away again after it, so the
// program's runs meet the camp the plain runs met, not one whose attendee carries thousands of
// extra ledger rows.
class PlainCamp {
 public:
  PlainCamp() : db_(OpenCamp()) {
    vt::ExecOrExit(db_, "CREATE TEMP TABLE LedgerEnd AS SELECT COALESCE(MAX(PaymentID), 0) AS PaymentID FROM AttendeeTrx");
    vt::ExecOrExit(db_, "CREATE TEMP TABLE Totals AS SELECT TotalCharged, TotalCredits, BalanceDue FROM Attendees "
                        "WHERE CamperID = " + std::to_string(kCamper));
  }
  ~PlainCamp() {
    vt::ExecOrExit(db_, "DELETE FROM AttendeeTrx WHERE PaymentID > (SELECT PaymentID FROM temp.LedgerEnd)");
    vt::ExecOrExit(db_, "UPDATE Attendees SET (TotalCharged, TotalCredits, BalanceDue) = (SELECT * FROM temp.Totals) "
                        "WHERE CamperID = " + std::to_string(kCamper));
    sqlite3_close(db_);
  }
  sqlite3* operator*() const { return db_; }

 private:
  sqlite3* db_;
};

void BM_PlainSignUp(benchmark::State& state) {
  PlainCamp camp;
  sqlite3* db = *camp;
  const std::string camper = std::to_string(kCamper), sid = std::to_string(session);
  for (auto _ : state) {
    vt::ExecOrExit(db, "BEGIN IMMEDIATE");
    vt::ExecOrExit(db, "UPDATE Attendees SET TotalCharged = TotalCharged + 1000000, BalanceDue = BalanceDue + 1000000 "
             "WHERE CamperID = " + camper);
    vt::ExecOrExit(db, "INSERT INTO AttendeeSession (SessionID, CamperID, TotalCosts, AmountPaid, BalanceDue, SessionType) "
             "VALUES (" + sid + ", " + camper + ", 1000000, 0, 1000000, 'B')");
    vt::ExecOrExit(db, "INSERT INTO AttendeeTrx (SessionID, CamperID, AmountPaid, CheckNo, DatePaid) VALUES (" + sid +
                 ", " + camper + ", 1000000, 'Charge', 45000)");
    vt::ExecOrExit(db, "COMMIT");
    state.PauseTiming();
    vt::ExecOrExit(db, "DELETE FROM AttendeeSession WHERE SessionID = " + sid + " AND CamperID = " + camper);
    state.ResumeTiming();
  }
}

// The payments go to an enrolment that exists, as the program's do.
void BM_PlainPay(benchmark::State& state) {
  PlainCamp camp;
  sqlite3* db = *camp;
  const std::string camper = std::to_string(kCamper), sid = std::to_string(session);
  vt::ExecOrExit(db, "INSERT INTO AttendeeSession (SessionID, CamperID, TotalCosts, AmountPaid, BalanceDue, SessionType) "
                     "VALUES (" + sid + ", " + camper + ", 1000000, 0, 1000000, 'B')");
  for (auto _ : state) {
    vt::ExecOrExit(db, "BEGIN IMMEDIATE");
    vt::ExecOrExit(db, "UPDATE Attendees SET TotalCredits = TotalCredits + 1, BalanceDue = BalanceDue - 1 WHERE CamperID = " + camper);
    vt::ExecOrExit(db, "UPDATE AttendeeSession SET AmountPaid = AmountPaid + 1, BalanceDue = BalanceDue - 1 "
             "WHERE SessionID = " + sid + " AND CamperID = " + camper);
    vt::ExecOrExit(db, "INSERT INTO AttendeeTrx (SessionID, CamperID, AmountPaid, CheckNo, DatePaid) VALUES (" + sid +
                 ", " + camper + ", -1, '1001', 45000)");
    vt::ExecOrExit(db, "COMMIT");
  }
  vt::ExecOrExit(db, "DELETE FROM AttendeeSession WHERE SessionID = " + sid + " AND CamperID = " + camper);
}

BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSignUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pay)->Unit(benchmark::kMillisecond);

// The generated camp with a company record, and one active session whose only type costs more
// than any run pays off; the clock stands before its end.
void PrepareCamp() {
  char pattern[] = "/tmp/vt-attendee-XXXXXX";
  folder = std::string(mkdtemp(pattern)) + "/";
  campPath = folder + "Vantrel.mdb";
  vt::GenerateCamp(campPath);
  sqlite3* db = OpenCamp();
  vt::ExecOrExit(db, "INSERT INTO CoSys (CompanyName, AgeToRemoveAttendees) VALUES ('Bench Camps', 99)");
  vt::ExecOrExit(db, "INSERT INTO Sessions (Description, BeginDate, EndDate, SessionActive) VALUES ('Bench', 46000, 46010, -1)");
  session = static_cast<int>(sqlite3_last_insert_rowid(db));
  vt::ExecOrExit(db, "INSERT INTO SessionSessionTypes (SessionID, Type, Description, TotalCosts, PerRoomMaximum) VALUES (" +
               std::to_string(session) + ", 'B', 'Bench', 1000000, 4)");
  vt::ExecOrExit(db, "DELETE FROM AttendeeSession WHERE SessionID = " + std::to_string(session));
  vt::ExecOrExit(db, "UPDATE Attendees SET TotalCharged = COALESCE(TotalCharged, 0), TotalCredits = COALESCE(TotalCredits, 0), "
           "BalanceDue = COALESCE(BalanceDue, 0) WHERE CamperID = " + std::to_string(kCamper));
  sqlite3_close(db);
  vt::SetProgramPathForTests(folder + "Vantrel");
  vt::SetClockForTests(44990);
}

void Ratio(vt::RatioReporter& reporter, const char* name, const char* plainName) {
  const double time = reporter.times[name];
  const double plain = reporter.times[plainName];
  if (time > 0 && plain > 0)
    std::printf("%s = %.2f ms (goal: under 20 ms); %s / %s = %.2f (goal: at most 3.00)\n", name, time, name,
                plainName, time / plain);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  PrepareCamp();
  StartVantrel();

  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("BM_OpenEditor = %.1f ms (goal: under 100 ms)\n", reporter.times["BM_OpenEditor"]);
  Ratio(reporter, "BM_SignUp", "BM_PlainSignUp");
  Ratio(reporter, "BM_Pay", "BM_PlainPay");
  benchmark::Shutdown();
  Application->DestroyComponents();
  std::remove(campPath.c_str());
  std::remove((folder + "Vantrel.mdb-wal").c_str());
  std::remove((folder + "Vantrel.mdb-shm").c_str());
  std::remove((folder + "Vantrel.ini").c_str());
  rmdir(folder.c_str());
  return 0;
}
