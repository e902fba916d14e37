// The attendee editor's own fields: its activation (request lists, nouns, age, pickers, the
// attendee's enrolments, the session types, the active-session list), the pickers that turn
// descriptions into codes, the age shown from the date of birth, the Enter jumps and the grid
// widths it keeps.
#include "app/forms/AddEditAttendees.h"

#include <cmath>
#include <utility>

#include "app/DBMaskEdit.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/PersonEditor.h"
#include "app/forms/Main.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

TAddEditAttendeesForm* AddEditAttendeesForm = nullptr;

namespace {

TField* Attendee(const char* column) { return SQLDataModule->qAttendees->FieldByName(column); }

String CompanyText(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column)->AsString(); }

bool CompanyNull(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column)->IsNull(); }

// Whole years between now and the date of birth, either way round.
int AgeInYears(TDateTime dob) { return static_cast<int>(std::fabs(Now() - dob) / 365.25); }

}  // namespace

TAddEditAttendeesForm::TAddEditAttendeesForm(TComponent* AOwner) : TForm(AOwner) {
  CreateDesign();
  RestorePersistedGridWidths();
}

void TAddEditAttendeesForm::RestorePersistedGridWidths() {
  TIniFile ini(ProgramIni());
  TStringList keys;
  const std::pair<TDBGrid*, const char*> grids[] = {{DBGrid5, "15"}, {DBGrid2, "16"}, {DBGrid1, "17"}};
  for (const auto& [grid, section] : grids) RestoreGridWidths(&ini, &keys, grid, section);
}

void TAddEditAttendeesForm::FormActivate(TObject* Sender) {
  if (!SQLDataModule->qSessions->IsEmpty()) FillRequestLists();
  PageControl1->SetActivePage(TabSheet1);
  DBEdit3->SetFocus();
  ApplyNouns();
  Edit1->SetText("");
  ShowAge();
  FillPickers();
  ShowEnrolments();
  FillSessionTypes();
  ZeroEmptyTotals();
  ShowActiveSessions();
  newRow_.Begin(SQLDataModule->qAttendees, CheckBox1);
}

// Roommate and teammate requests: everyone enrolled in the selected session.
void TAddEditAttendeesForm::FillRequestLists() {
  TADOQuery* enrolled = SQLDataModule->qMisc3;
  enrolled->Close();
  enrolled->SQL()->SetStrings(
      2, "WHERE AttendeeSession.SessionID = " +
             IntToStr(SQLDataModule->qSessions->FieldByName("SessionID")->AsInteger()));
  enrolled->Open();
  for (TComboBox* list : {ComboBox4, ComboBox5}) {
    list->Items()->BeginUpdate();
    list->Items()->Clear();
  }
  for (enrolled->First(); !enrolled->Eof(); enrolled->Next()) {
    const String item = enrolled->FieldByName("LastName")->AsString() + " " +
                        enrolled->FieldByName("FirstName")->AsString() + " |" +
                        enrolled->FieldByName("CamperID")->AsString();
    ComboBox4->Items()->Add(item);
    ComboBox5->Items()->Add(item);
  }
  for (TComboBox* list : {ComboBox4, ComboBox5}) list->Items()->EndUpdate();
  enrolled->Close();
}

// Captions from the organisation's nouns; a caption whose noun is missing keeps its text.
void TAddEditAttendeesForm::ApplyNouns() {
  if (!CompanyNull("CompanyName") && !CompanyNull("AttendeesP")) {
    SetCaption(CompanyText("CompanyName") + " - " + CompanyText("AttendeesP"));
    PageControl1->SetActivePage(TabSheet1);
    DBEdit3->SetFocus();
  }
  const String sessionsP = CompanyText("SessionsP");
  if (!sessionsP.empty()) {
    Label70->SetCaption("Available " + sessionsP);
    TabSheet5->SetCaption(sessionsP);
    Label71->SetCaption(sessionsP);
  }
  const String session = CompanyText("Sessions");
  if (!session.empty()) Label76->SetCaption(session + " ID");
}

// Leaves the shown age alone when there is no date of birth.
void TAddEditAttendeesForm::ShowAge() {
  TField* dob = Attendee("DOB");
  if (!dob->AsString().empty()) Edit1->SetText(IntToStr(AgeInYears(dob->AsDateTime())));
}

void TAddEditAttendeesForm::FillPickers() {
  vt::FillPicker(SQLDataModule->tShirtSizes, ComboBox1, "ShirtSizeDescription", "ShirtSize", Attendee("ShirtSize"));
  vt::FillPicker(SQLDataModule->tPositions, ComboBox2, "Description", "APosition", Attendee("NormalPosition"));
}

// The attendee's active enrolments and open sessions; a new attendee has none.
void TAddEditAttendeesForm::ShowEnrolments() {
  TADOQuery* enrolments = SQLDataModule->qAttendeeSession;
  enrolments->Close();
  const String camperId = Attendee("CamperID")->AsString();
  if (camperId.empty()) {
    ComboBox3->Items()->Clear();
    return;
  }
  enrolments->SQL()->SetStrings(3, "AND Attendees.CamperID = " + camperId);
  enrolments->Open();
  RebuildOpenSessions();
}

// The types of the current session; without any, nobody can be signed up or removed.
void TAddEditAttendeesForm::FillSessionTypes() {
  vt::FillSessionTypes(ComboBox6, BitBtn2, BitBtn3);
}

void TAddEditAttendeesForm::ZeroEmptyTotals() {
  for (const char* column : {"TotalCharged", "TotalCredits", "BalanceDue"})
    if (Attendee(column)->IsNull()) Attendee(column)->SetAsFloat(0);
}

// The editor lists the active sessions; the main window's session page is set to show the same.
void TAddEditAttendeesForm::ShowActiveSessions() {
  TADOQuery* sessions = SQLDataModule->qSessions;
  sessions->Close();
  sessions->SQL()->SetStrings(1, "WHERE SessionActive = -1");
  sessions->SQL()->SetStrings(2, "");
  sessions->Open();
  MainForm->RadioGroup1->SetItemIndex(0);
  MainForm->Edit3->SetText("");
  MainForm->RadioGroup1->SetItemIndex(0);
}

void TAddEditAttendeesForm::BitBtn1Click(TObject* Sender) {
  newRow_.GiveUpWhenNothingTyped(SQLDataModule->qAttendees);
  vt::RecordEditorDone(this, SQLDataModule->qAttendees, CheckBox1);
}

// Every phone field's exit looks up the zip as well.
void TAddEditAttendeesForm::GDBMaskEdit2Exit(TObject* Sender) {
  vt::ZipLookup(GDBMaskEdit2, SQLDataModule->qAttendees, "City", "State");
}

void TAddEditAttendeesForm::DBDateEdit1Exit(TObject* Sender) { ShowAge(); }

void TAddEditAttendeesForm::ComboBox1Change(TObject* Sender) {
  vt::PickCode(SQLDataModule->tShirtSizes, ComboBox1, "ShirtSizeDescription", "ShirtSize",
           Attendee("ShirtSize"));
}

void TAddEditAttendeesForm::ComboBox2Change(TObject* Sender) {
  vt::PickCode(SQLDataModule->tPositions, ComboBox2, "Description", "APosition", Attendee("NormalPosition"));
}

void TAddEditAttendeesForm::DBGrid5MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                           int X, int Y) {
  StoreGridWidths(DBGrid5, "15");
  FillRequestLists();
}

void TAddEditAttendeesForm::DBGrid2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                           int X, int Y) {
  StoreGridWidths(DBGrid2, "16");
}

void TAddEditAttendeesForm::DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                           int X, int Y) {
  StoreGridWidths(DBGrid1, "17");
}

// Enter (the key is kept) shows the page, when one is named, and focuses the control.
void TAddEditAttendeesForm::JumpTo(char Key, TTabSheet* page, TWinControl* control) {
  if (Key != 13) return;
  if (page) PageControl1->SetActivePage(page);
  control->SetFocus();
}

void TAddEditAttendeesForm::DBComboBox3KeyPress(TObject* Sender, char& Key) { JumpTo(Key, nullptr, ComboBox1); }
void TAddEditAttendeesForm::DBComboBox4KeyPress(TObject* Sender, char& Key) { JumpTo(Key, nullptr, DBComboBox2); }
void TAddEditAttendeesForm::DBComboBox2KeyPress(TObject* Sender, char& Key) { JumpTo(Key, nullptr, DBEdit12); }
void TAddEditAttendeesForm::DBComboBox5KeyPress(TObject* Sender, char& Key) { JumpTo(Key, TabSheet2, DBEdit23); }
void TAddEditAttendeesForm::DBComboBox1KeyPress(TObject* Sender, char& Key) { JumpTo(Key, nullptr, DBEdit25); }
void TAddEditAttendeesForm::DBEdit27KeyPress(TObject* Sender, char& Key) { JumpTo(Key, TabSheet3, DBCheckBox1); }
void TAddEditAttendeesForm::DBMemo1KeyPress(TObject* Sender, char& Key) { JumpTo(Key, TabSheet4, DBCheckBox3); }
void TAddEditAttendeesForm::DBEdit34KeyPress(TObject* Sender, char& Key) { JumpTo(Key, nullptr, BitBtn1); }
