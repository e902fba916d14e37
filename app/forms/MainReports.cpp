// The report buttons: each runs one report of the camp database in a print preview, narrowed
// to the current session or the selected attendee; a failure of the report host shows one
// message.
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "reports/ReportHost.h"

namespace {

const char* const kReportFailure =
    "Error running Microsoft Access Report.\nPlease ensure that MS Access or the MS Access run time "
    "libraries are installed correctly.";

}  // namespace

// The report host stands where the outside reporting program was started and asked for a
// print preview: it opens the database named by the settings file and previews the report.
void TMainForm::RunAccessReport(const String& reportName, const String& whereCondition) {
  try {
    vt::PreviewReport(ReadDatabasePath(), reportName, whereCondition);
  } catch (...) {
    Application->MessageBox(kReportFailure, "Error", MB_OK);
  }
}

// A report of the current session; without a session nothing happens at all.
void TMainForm::RunSessionReport(const String& reportName, const String& wherePrefix) {
  if (SQLDataModule->qSessions->IsEmpty()) return;
  RunAccessReport(reportName, wherePrefix + vt::CurrentSessionId());
}

void TMainForm::BitBtn28Click(TObject*) { RunSessionReport("TeamRoster", "SessionID = "); }
void TMainForm::BitBtn29Click(TObject*) { RunSessionReport("RoomList", "SessionID = "); }
void TMainForm::BitBtn30Click(TObject*) { RunSessionReport("CheckInList", "AttendeeSession.SessionID = "); }

// No check: with no session the key reads as empty text, and the host refuses the bare prefix.
void TMainForm::BitBtn31Click(TObject*) {
  RunAccessReport("SessionAttendeeList",
                  "AttendeeSession.SessionID = " + SQLDataModule->qSessions->FieldByName("SessionID")->AsString());
}

void TMainForm::Button1Click(TObject*) { RunAccessReport("Attendees", ""); }
void TMainForm::BitBtn36Click(TObject*) { RunAccessReport("Chaperones", ""); }
void TMainForm::BitBtn37Click(TObject*) { RunSessionReport("SessionLedgerReport", "SessionID = "); }
void TMainForm::BitBtn39Click(TObject*) { RunAccessReport("ARReport", ""); }
void TMainForm::BitBtn40Click(TObject*) { RunAccessReport("APReport", ""); }
void TMainForm::BitBtn38Click(TObject*) { RunSessionReport("SessionAPLedgerReport", "SessionID = "); }
void TMainForm::BitBtn41Click(TObject*) { RunAccessReport("AttendeesInfo", ""); }

void TMainForm::BitBtn42Click(TObject*) {
  if (SQLDataModule->qAttendees->IsEmpty()) return;
  RunAccessReport("AttendeesInfo", "CamperID = " + vt::KeyText(SQLDataModule->qAttendees, "CamperID"));
}

void TMainForm::BitBtn44Click(TObject*) { RunSessionReport("RoomListByRoom", "SessionID = "); }
void TMainForm::BitBtn45Click(TObject*) { RunSessionReport("RoomListByRoom", "AttendeeSession.SessionID = "); }
void TMainForm::BitBtn46Click(TObject*) { RunSessionReport("PositionReport", "SessionID = "); }
void TMainForm::BitBtn47Click(TObject*) { RunSessionReport("CheckInListByType", "AttendeeSession.SessionID = "); }
void TMainForm::BitBtn48Click(TObject*) { RunSessionReport("TshirtReport", "SessionID = "); }
void TMainForm::BitBtn49Click(TObject*) { RunSessionReport("ConfirmationLetters", "Sessions.SessionID = "); }
void TMainForm::BitBtn50Click(TObject*) { RunSessionReport("ThankYouLetters", "Sessions.SessionID = "); }
