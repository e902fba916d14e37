// The start-up sequence and its housekeeping passes over the camp database: the company record,
// sessions that have ended, and attendees who have reached the age limit.
#include "app/Startup.h"

#include "app/About.h"
#include "app/ProgramIni.h"
#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditLeagues.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/AddTeam.h"
#include "app/forms/EditCompany.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace {

void CenterOnScreen(TForm* form) {
  form->SetLeft((Screen->Width() - form->Width()) / 2);
  form->SetTop((Screen->Height() - form->Height()) / 2);
}

// Shown, not modal, and painted at once: the next steps block the thread.
void ShowSplash() {
  CenterOnScreen(AboutForm);
  AboutForm->BitBtn4->SetVisible(false);
  AboutForm->Show();
  AboutForm->Update();
}

void Announce(const String& progress) {
  AboutForm->Label7->SetCaption(progress);
  AboutForm->Update();
}

void OpenDatabase() {
  const String path = ReadDatabasePath();
  SQLDataModule->dbVantrelADO->SetConnectionString(DatabaseConnectionString(path));
  SQLDataModule->dbVantrelADO->Open();
}

void CreateEditors() {
  Application->CreateForm(EditCompanyForm);
  Application->CreateForm(AddEditAttendeesForm);
  Application->CreateForm(AddEditChaperonesForm);
  Application->CreateForm(AddEditSessionsForm);
  Application->CreateForm(AddEditLeaguesForm);
  Application->CreateForm(AddTeamForm);
}

// Pass 1: a missing company record, or one still under the placeholder name, is entered now.
void CheckCompany() {
  Announce("Checking Company Information");
  TADOQuery* company = SQLDataModule->qCoSYS;
  if (company->IsEmpty())
    company->Append();
  else if (company->FieldByName("CompanyName")->AsString() == "Your Company Name")
    company->Edit();
  else
    return;
  CenterOnScreen(EditCompanyForm);
  EditCompanyForm->ShowModal();
}

// Reopens the dataset with every row fetched and walks it with visit, which moves the cursor
// on. Its grids and detail tables do not follow each row meanwhile: they catch up at the end.
template <class Visit>
void WalkAllRows(TDataSet* dataSet, Visit visit) {
  vt::DisabledControls quiet(dataSet);
  vt::Reopen(dataSet, /*fetchAll=*/true);
  while (!dataSet->Eof()) visit();
}

// Pass 2: every listed (active) session whose end date is today or earlier becomes inactive;
// a session without an end date reads as the earliest date and counts as ended. One whose end
// date another program stored as a text that is no date stays as it is.
void CheckSessions(TDateTime today) {
  Announce("Checking Session Information");
  TADOQuery* sessions = SQLDataModule->qSessions;
  TField* endDate = sessions->FieldByName("EndDate");
  TField* active = sessions->FieldByName("SessionActive");
  WalkAllRows(sessions, [&] {
    if (!endDate->IsUnreadable() && today >= endDate->AsDateTime()) {
      sessions->Edit();
      active->SetAsBoolean(false);
      sessions->Post();
    }
    sessions->Next();
  });
}

// Whole years from the date of birth to today; negative for a date of birth in the future, so
// that such an attendee is never taken for one who has reached the limit.
int AgeInYears(TDateTime today, TDateTime dob) { return static_cast<int>((today - dob) / 365.25); }

// Each room the attendee's enrolments hold gets its place back, as a removal from a session
// gives it back.
void GiveRoomsBack(int camperId) {
  TADOQuery* misc = SQLDataModule->qMisc;
  vt::SetLinesAndOpen(misc, {{0, "SELECT SessionID FROM AttendeeSession WHERE RoomID Is Not Null AND CamperID = " +
                                     IntToStr(camperId)}});
  for (misc->First(); !misc->Eof(); misc->Next())
    vt::GivePlaceBack(SQLDataModule->dbVantrelADO, vt::kAttendeeRooms,
                      misc->FieldByName("SessionID")->AsInteger(), camperId);
  misc->Close();
}

// The attendee's rooms, ledger rows and enrolments go first, then the attendee: all or nothing.
void RemoveAttendee(int camperId) {
  vt::Transaction transaction(SQLDataModule->dbVantrelADO);
  GiveRoomsBack(camperId);
  TADOQuery* misc = SQLDataModule->qMisc;
  for (const char* table : {"AttendeeTrx", "AttendeeSession"}) {
    misc->Close();
    misc->SQL()->SetStrings(0, String("DELETE FROM ") + table + " WHERE CamperID = " + IntToStr(camperId));
    misc->ExecSQL();
  }
  SQLDataModule->qAttendees->Delete();
  transaction.Commit();
}

// Pass 3: attendees who have reached AgeToRemoveAttendees are removed; an empty limit is 0. A
// date of birth that cannot be read is null, and such an attendee stays.
void PurgeAttendees(TDateTime today) {
  Announce("Checking Attendee Information");
  const int limit = SQLDataModule->qCoSYS->FieldByName("AgeToRemoveAttendees")->AsInteger();
  if (limit <= 0) return;
  TADOQuery* attendees = SQLDataModule->qAttendees;
  TField* dob = attendees->FieldByName("DOB");
  TField* camperId = attendees->FieldByName("CamperID");
  WalkAllRows(attendees, [&] {
    if (dob->IsNull() || AgeInYears(today, dob->AsDateTime()) < limit)
      attendees->Next();
    else
      RemoveAttendee(camperId->AsInteger());
  });
}

void StartupChecks() {
  CheckCompany();
  const TDateTime today = Date();
  CheckSessions(today);
  PurgeAttendees(today);
}

// The splash becomes the about box again: hidden, not destroyed.
void CloseSplash() {
  AboutForm->BitBtn4->SetVisible(true);
  AboutForm->Close();
}

}  // namespace

void StartVantrel() {
  Application->Initialize();
  Application->CreateForm(MainForm);
  Application->CreateForm(AboutForm);
  ShowSplash();
  SQLDataModule = new TSQLDataModule(Application);
  MainForm->LinkDataModule(SQLDataModule);
  OpenDatabase();
  SQLDataModule->OpenStartupDatasets();
  CreateEditors();
  StartupChecks();
  vt::Reopen(SQLDataModule->qSessions);
  vt::Reopen(SQLDataModule->qAttendees);
  CloseSplash();
}

int RunVantrel() {
  try {
    StartVantrel();
    Application->Run();
  } catch (const Exception& e) {
    Application->ShowException(&e);
  } catch (...) {
    // Anything else is shown as the platform's exception, without a message of its own.
    const Exception unknown("");
    Application->ShowException(&unknown);
  }
  vt::DoneApplication();
  return 0;
}
