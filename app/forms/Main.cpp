// The main window's frame: construction with the stored grid widths, the activation that
// refreshes every page and writes the organisation's nouns into the captions, the window
// actions, the switching of the current session and the filters it runs. Every move of the
// current session, however it is made, reaches CurrentSessionMoved through the sessions
// source, so the session pages never list another session's rows.
#include "app/forms/Main.h"

#include <initializer_list>
#include <utility>

#include "app/About.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "rtl/FileNames.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/grids/DBGrids.h"

TMainForm* MainForm = nullptr;

using vt::CompanyText;
using vt::CurrentSessionId;
using vt::FetchAll;
using vt::KeyText;
using vt::Reopen;
using vt::SetLinesAndOpen;

namespace {

// A detail table of the session and the query of its first row's members: the members follow
// the first row when there is one, and show nothing otherwise.
void FollowFirstRow(TDataSet* table, bool fetchAll, TADOQuery* members, const String& sessionLine,
                    const String& keyLine, const char* key) {
  Reopen(table, fetchAll);
  vt::ShowMembersOf(table, members, sessionLine, keyLine, key);
  if (fetchAll) FetchAll(members);
}

void SetCaptions(std::initializer_list<TControl*> controls, const String& caption) {
  for (TControl* control : controls) control->SetCaption(caption);
}

// Holds the moves of the current session for as long as it lives.
class HeldMoves {
public:
  explicit HeldMoves(int& count) : count_(count) { ++count_; }
  ~HeldMoves() { --count_; }
  HeldMoves(const HeldMoves&) = delete;
  HeldMoves& operator=(const HeldMoves&) = delete;

private:
  int& count_;
};

}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  CreateDesign();
  RestorePersistedGridWidths();
}

// One settings file and one key list serve every persisted grid of the window.
void TMainForm::RestorePersistedGridWidths() {
  TIniFile ini(ProgramIni());
  TStringList keys;
  const std::pair<TDBGrid*, const char*> grids[] = {
      {DBGrid1, "1"}, {DBGrid4, "2"},  {DBGrid5, "3"},   {DBGrid6, "4"},
      {DBGrid8, "5"}, {DBGrid9, "6"},  {DBGrid7, "7"},   {DBGrid11, "8"},
      {DBGrid12, "9"}, {DBGrid10, "10"}, {DBGrid2, "24"}};
  for (const auto& [grid, section] : grids) RestoreGridWidths(&ini, &keys, grid, section);
}

void TMainForm::FormCreate(TObject* Sender) {
  Application->SetHelpFile(ExtractFilePath(Application->ExeName()) + "Vantrel.hlp");
}

void TMainForm::FormActivate(TObject* Sender) {
  SetWindowState(wsMaximized);
  TADOQuery* sessions = SQLDataModule->qSessions;
  if (sessions->IsEmpty()) {
    CloseSessionLists();
  } else {
    {
      const HeldMoves held(heldSessionMoves_);
      FetchAll(sessions);
    }
    ApplyCurrentSession(SessionSwitch::Activation);
    ShowAttendeeSessions();
    FillSessionCombos();
    FillTeamSize();
  }
  SQLDataModule->qMisc4->Close();

  TADOQuery* company = SQLDataModule->qCoSYS;
  if (company->IsEmpty()) {
    SetCaption("You need to enter your company information.");
    for (TAction* action : {acAdd, acEdit, acDelete}) action->SetEnabled(false);
    return;
  }
  SetCaption(company->FieldByName("CompanyName")->AsString() + " - Tracking Program");
  PageControl1Change(Sender);
  ApplyNouns();
}

// The lower grid of the attendees page shows the sessions of the selected attendee.
void TMainForm::ShowAttendeeSessions() {
  TADOQuery* attendees = SQLDataModule->qAttendees;
  if (attendees->IsEmpty()) return;
  SetLinesAndOpen(SQLDataModule->qAttendeesOnSpot,
                  {{2, "WHERE AttendeeSession.CamperID = " + KeyText(attendees, "CamperID")}});
}

// Every session, active or not, by its number, in each page's "Change to Session:" combo.
void TMainForm::FillSessionCombos() {
  TADOQuery* misc = SQLDataModule->qMisc;
  SetLinesAndOpen(misc, {{0, "Select * From Sessions"}});
  const std::initializer_list<TComboBox*> combos = {ComboBox6, ComboBox9, ComboBox10, ComboBox12, ComboBox13};
  // Each combo takes its new list at once, not item by item.
  for (TComboBox* combo : combos) {
    combo->Items()->BeginUpdate();
    combo->Items()->Clear();
  }
  for (misc->First(); !misc->Eof(); misc->Next())
    for (TComboBox* combo : combos) combo->Items()->Add(misc->FieldByName("SessionID")->AsString());
  for (TComboBox* combo : combos) combo->Items()->EndUpdate();
}

void TMainForm::FillTeamSize() {
  TADOQuery* total = SQLDataModule->qMisc6;
  SetLinesAndOpen(total, {{0, "SELECT SUM(NumberOnTeam) AS TeamTotal FROM Positions"}});
  if (!total->FieldByName("TeamTotal")->IsNull())
    VtCalcEdit1->SetText(total->FieldByName("TeamTotal")->AsString());
  total->Close();
}

// "All" and the session's own types; the filter of the team page then follows the choice.
void TMainForm::FillTeamTypes() {
  TStrings* items = RadioGroup2->Items();
  items->Clear();
  items->Add("All");
  TADOTable* types = SQLDataModule->tSessionSessionTypes;
  Reopen(types, false);
  for (types->First(); !types->Eof(); types->Next()) items->Add(types->FieldByName("Type")->AsString());
  RadioGroup2->SetColumns(items->Count());
  RadioGroup2->SetItemIndex(0);
  RadioGroup2Click(RadioGroup2);
}

// Captions from the company's nouns; a caption whose noun is empty keeps what it had, except
// the ones built from the working words, which have fixed fall-backs.
void TMainForm::ApplyNouns() {
  const String attendee = CompanyText("Attendees");
  const String attendees = CompanyText("AttendeesP");
  const String chaperonesColumn = CompanyText("ChaperonesP");
  const String sessionColumn = CompanyText("Sessions");
  const String sessionsColumn = CompanyText("SessionsP");
  const String ageGroup = CompanyText("AgeGroups");
  const String ageGroups = CompanyText("AgeGroupsP");
  const String team = CompanyText("Teams");
  const String teams = CompanyText("TeamsP");
  TDBGridColumns* onSpot = DBGrid2->Columns();

  if (!attendee.empty()) {
    SetCaptions({BitBtn31, BitBtn33}, "Print " + attendee + " List");
    Button1->SetCaption("Complete " + attendee + " List");
    BitBtn41->SetCaption(attendee + " Detail");
    BitBtn42->SetCaption("Print " + attendee + " Details");
  }
  if (!attendees.empty()) {
    TabSheet9->SetCaption("Unassigned " + attendees);
    TabSheet10->SetCaption("Assigned " + attendees);
    TabSheet1->SetCaption(attendees);
  }
  String chaperone = "Chaperone";
  String chaperones = "Chaperones";
  if (!chaperonesColumn.empty()) {
    TabSheet2->SetCaption(chaperonesColumn);
    chaperones = chaperonesColumn;
    chaperone = CompanyText("Chaperones");
  }
  String session = "Session";
  if (!sessionColumn.empty()) {
    session = sessionColumn;
    Label25->SetCaption(sessionColumn + " Reports");
    Label26->SetCaption("Selected " + sessionColumn);
    SetCaptions({Label38, Label39, Label40}, "Change to " + sessionColumn + ":");
    onSpot->Items(0)->Title()->SetCaption(sessionColumn + " ID");
    onSpot->Items(1)->Title()->SetCaption(sessionColumn + " Type");
  }
  TabSheet3->SetCaption(sessionsColumn.empty() ? String("Sessions") : sessionsColumn);
  String leagues = "Leagues";
  if (!ageGroups.empty()) {
    TabSheet4->SetCaption(ageGroups);
    leagues = ageGroups;
  }
  if (!ageGroup.empty()) onSpot->Items(3)->Title()->SetCaption(ageGroup);
  if (!teams.empty()) {
    TabSheet6->SetCaption("Create " + teams);
    RadioGroup2->SetCaption("Create " + teams + " for Types:");
    TabSheet11->SetCaption("Current " + teams);
    SetCaptions({BitBtn13, Label9}, "Auto Create " + teams);
    BitBtn15->SetCaption("Delete all " + teams + " and start over");
  }
  if (!team.empty()) {
    ComboBox11->Items()->Clear();
    ComboBox11->Items()->Add("Position");
    ComboBox11->Items()->Add(team);
    ComboBox11->SetItemIndex(1);
    BitBtn25->SetCaption("New " + team);
    BitBtn26->SetCaption("Delete " + team);
    Label42->SetCaption("On Each " + team);
    onSpot->Items(4)->Title()->SetCaption(team);
    Label11->SetCaption("Rename " + team);
  }

  SetCaptions({Label15, Label21, Label23, Label27}, "Selected " + session);
  TabSheet14->SetCaption("Assign " + chaperone + " Rooms");
  TabSheet15->SetCaption("Unassigned " + chaperones);
  TabSheet16->SetCaption("Assigned " + chaperones);
  Label17->SetCaption("Import Default " + leagues);
  Label19->SetCaption(leagues + " By:");
  SetCaptions({Label20, Label36}, chaperone + ":");
  Label35->SetCaption("Assign " + chaperone);
  BitBtn36->SetCaption("Complete " + chaperone + " List");
  DBGrid10->Columns()->Items(2)->Title()->SetCaption(chaperone);
}

void TMainForm::FormResize(TObject* Sender) {
  const int half = Width() / 2 - 10;
  PageControl2->SetWidth(half);
  PageControl4->SetWidth(half);
}

void TMainForm::ExitExecute(TObject* Sender) { Application->Terminate(); }

void TMainForm::Action1Execute(TObject* Sender) {
  AboutForm->Label7->SetVisible(false);
  AboutForm->SetLeft(Left() + (Width() - AboutForm->Width()) / 2);
  AboutForm->SetTop(Top() + (Height() - AboutForm->Height()) / 2);
  AboutForm->ShowModal();
}

void TMainForm::HelpContents1Execute(TObject* Sender) { Application->HelpCommand(HELP_TAB, -3); }

void TMainForm::Action3Execute(TObject* Sender) { FormActivate(Sender); }

void TMainForm::DBGrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StoreGridWidths(DBGrid1, "1");
  ShowAttendeeSessions();
}

void TMainForm::DBGrid2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid2, "24"); }
void TMainForm::DBGrid4MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid4, "2"); }
void TMainForm::DBGrid6MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid6, "4"); }
void TMainForm::DBGrid8MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid8, "5"); }
void TMainForm::DBGrid9MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid9, "6"); }
void TMainForm::DBGrid11MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid11, "8"); }
void TMainForm::DBGrid12MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid12, "9"); }

// A click on the sessions grid makes its row the current session.
void TMainForm::DBGrid5MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StoreGridWidths(DBGrid5, "3");
  if (SQLDataModule->qSessions->IsEmpty()) {
    TabSheet5->SetTabVisible(false);
    return;
  }
  ApplyCurrentSession(SessionSwitch::SessionsGrid);
}

// Every move of the current session comes here; the pages follow it unless they already list
// that session, a trigger is about to apply it, or an editor is changing the session's row.
void TMainForm::CurrentSessionMoved() {
  if (heldSessionMoves_ > 0 || listedSession_ == kNothingListed) return;
  TADOQuery* sessions = SQLDataModule->qSessions;
  if (sessions->Active() && sessions->State() != dsBrowse) return;
  const int current = sessions->Active() && !sessions->IsEmpty() ? sessions->FieldByName("SessionID")->AsInteger()
                                                                  : kNoSession;
  if (current != listedSession_) ApplyCurrentSession(SessionSwitch::RowMoved);
}

// Every session-dependent dataset follows the current row of qSessions; without a current
// session the lists show nothing.
void TMainForm::ApplyCurrentSession(SessionSwitch how) {
  const bool activation = how == SessionSwitch::Activation;
  if (activation) {
    TabSheet5->SetTabVisible(true);
    TabSheet14->SetTabVisible(true);
  }
  TSQLDataModule* data = SQLDataModule;
  if (!data->qSessions->Active() || data->qSessions->IsEmpty()) {
    CloseSessionLists();
    return;
  }
  const int session = data->qSessions->FieldByName("SessionID")->AsInteger();
  const bool newSession = session != listedSession_;
  listedSession_ = session;
  const String sid = IntToStr(session);
  SetLinesAndOpen(data->qAttendeesInRooms, {{2, "WHERE AttendeeSession.SessionID = " + sid}});
  SetLinesAndOpen(data->qChaperonesInRooms, {{2, "Where ChaperoneSession.SessionID = " + sid}});
  // The type filter and its radio group agree: another session starts again from "All" among
  // its own types, as an activation and a combo do; otherwise the chosen type stays.
  if (newSession || activation || how == SessionSwitch::SessionCombo) FillTeamTypes();
  else SetLinesAndOpen(data->qAttendeesInTeams, {{3, TeamTypeLine()}});
  if (activation)
    for (TDataSet* query : {data->qAttendeesInRooms, data->qChaperonesInRooms, data->qAttendeesInTeams})
      FetchAll(query);
  FollowFirstRow(data->tRooms, activation, data->qAttendeesAlreadyInRooms,
                 "AND  AttendeeSession.SessionID = ", "WHERE AttendeeSession.RoomID = ", "RoomID");
  FollowFirstRow(data->tCRooms, activation, data->qChaperonesAlreadyInRooms,
                 "AND  ChaperoneSession.SessionID = ", "WHERE ChaperoneSession.RoomID = ", "RoomID");
  if (how != SessionSwitch::SessionCombo) Reopen(data->tLeagues, activation);
  FollowFirstRow(data->tTeams, activation, data->qAttendeesAlreadyInTeams,
                 "AND  AttendeeSession.SessionID = ", "WHERE AttendeeSession.TeamID = ", "TeamID");

  TADOQuery* chaperones = data->qMisc4;
  SetLinesAndOpen(chaperones, {{2, "WHERE ChaperoneSession.SessionID = " + sid}});
  ComboBox8->Items()->Clear();
  ComboBox5->Items()->Clear();
  for (chaperones->First(); !chaperones->Eof(); chaperones->Next()) {
    const String name = chaperones->FieldByName("FirstName")->AsString() + " " +
                        chaperones->FieldByName("LastName")->AsString();
    ComboBox8->Items()->Add(name);
    ComboBox5->Items()->Add(name);
  }
  chaperones->Close();
}

// No current session: the session pages list nobody, rather than the last session's people.
// The detail tables show nothing by themselves then.
void TMainForm::CloseSessionLists() {
  TSQLDataModule* data = SQLDataModule;
  for (TDataSet* list : {data->qAttendeesInRooms, data->qAttendeesAlreadyInRooms, data->qChaperonesInRooms,
                         data->qChaperonesAlreadyInRooms, data->qAttendeesInTeams, data->qAttendeesAlreadyInTeams})
    list->Close();
  ComboBox8->Items()->Clear();
  ComboBox5->Items()->Clear();
  listedSession_ = kNoSession;
}

// A session picked in a page's combo: every session is listed ("All", and no search of the
// Classes page, whose text stays as after its reset), the picked one becomes current and every
// page follows it. A number another copy of the program deleted is said so; the current row
// stays and the combos lose the number.
void TMainForm::SwitchToSessionOf(TComboBox* combo) {
  TADOQuery* sessions = SQLDataModule->qSessions;
  bool found = true;
  String picked;
  {
    const HeldMoves held(heldSessionMoves_);
    RadioGroup1->SetItemIndex(2);
    BitBtn8Click(RadioGroup1);
    if (combo->ItemIndex() >= 0) {
      picked = combo->Items()->Strings(combo->ItemIndex());
      found = sessions->Locate("SessionID", Variant(StrToInt(picked)), {});
    }
  }
  ApplyCurrentSession(SessionSwitch::SessionCombo);
  if (found) return;
  FillSessionCombos();
  const String session = CompanyText("Sessions");
  Application->MessageBox((session.empty() ? String("Session") : session) + " " + picked + " no longer exists.",
                          "Error", MB_OK);
}

void TMainForm::ComboBox6Change(TObject*) { SwitchToSessionOf(ComboBox6); }
void TMainForm::ComboBox9Change(TObject*) { SwitchToSessionOf(ComboBox9); }
void TMainForm::ComboBox10Change(TObject*) { SwitchToSessionOf(ComboBox10); }
void TMainForm::ComboBox12Change(TObject*) { SwitchToSessionOf(ComboBox12); }
void TMainForm::ComboBox13Change(TObject*) { SwitchToSessionOf(ComboBox13); }
