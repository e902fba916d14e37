// The team page's hand editing: a new team through the new-team dialog, deleting one team, the
// partial ones or all of them, moving attendees on and off the selected team, its chaperone and
// its name, and the members list that follows the selected team.
#include "app/GridWidths.h"
#include "app/SQLData.h"
#include "app/forms/AddTeam.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "app/forms/TeamMembership.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"

using vt::CompanyWord;
using vt::CurrentSessionId;
using vt::KeyText;
using vt::Reopen;
using vt::ReopenOnSameRow;

namespace {

bool Confirmed(const String& question) {
  return Application->MessageBox(question, "Confirm Deletetion", MB_YESNO) == IDYES;
}

}  // namespace

void TMainForm::ShowTeamMembers() {
  vt::ShowMembersOf(SQLDataModule->tTeams, SQLDataModule->qAttendeesAlreadyInTeams, "AND  AttendeeSession.SessionID = ",
                    "WHERE AttendeeSession.TeamID = ", "TeamID");
}

void TMainForm::RefreshTeamLists() {
  Reopen(SQLDataModule->tTeams);
  ShowTeamMembers();
}

// After teams were built or deleted: the unassigned list, the teams, and the members of the team
// now selected, or none when the session has no team.
void TMainForm::ReopenTeamLists() {
  SQLDataModule->qMisc->Close();
  Reopen(SQLDataModule->qAttendeesInTeams);
  RefreshTeamLists();
}

// "New Team": the dialog appends the team and refreshes the page.
void TMainForm::BitBtn25Click(TObject* Sender) {
  if (SQLDataModule->qSessions->IsEmpty()) return;
  vt::CenterOverMainForm(AddTeamForm);
  AddTeamForm->ShowModal();
}

// "Delete Team": its members go back to the unassigned list with it; the page then shows the
// team that follows the deleted one, with its members.
void TMainForm::BitBtn26Click(TObject* Sender) {
  TSQLDataModule* data = SQLDataModule;
  if (!Confirmed("Are you sure you want to delete this " + CompanyWord("Teams", "Team") + "?")) return;
  if (data->tTeams->IsEmpty()) return;
  vt::DeleteTeam(data->tTeams);
  Reopen(data->qAttendeesInTeams);
  ReopenOnSameRow(data->tTeams);
  ShowTeamMembers();
}

// "Delete all Teams and Start Over": every team of the session, whatever the type filter shows.
void TMainForm::BitBtn15Click(TObject* Sender) {
  if (!Confirmed("Are you sure you want to delete all " + CompanyWord("TeamsP", "Teams") + " and start over?"))
    return;
  ResetTeamCounters();
  TSQLDataModule* data = SQLDataModule;
  if (!data->qSessions->IsEmpty()) vt::DeleteAllTeams(CurrentSessionId());
  ReopenTeamLists();
}

// "Delete Partial Teams": every team of the session with fewer members than "On Each Team" is
// dissolved, its members going back to the unassigned list, each team in one transaction.
void TMainForm::BitBtn43Click(TObject* Sender) {
  if (!Confirmed("Are you sure you want to delete all " + CompanyWord("TeamsP", "Teams") + " that are not complete?"))
    return;
  ResetTeamCounters();
  TSQLDataModule* data = SQLDataModule;
  if (data->qSessions->IsEmpty()) return;
  const String sessionId = CurrentSessionId();
  TADOQuery* teams = data->qMisc;
  vt::SetLinesAndOpen(teams, {{0, "Select * From Teams Where SessionID = " + sessionId}});
  while (!teams->Eof()) {
    const String teamId = KeyText(teams, "TeamID");
    vt::SetLinesAndOpen(data->qMisc5, {{0, "Select * From AttendeeSession Where SessionID = " + sessionId +
                                           " AND TeamID = " + teamId}});
    data->qMisc5->Last();
    data->qMisc5->First();
    if (data->qMisc5->RecordCount() < VtCalcEdit1->Value())
      vt::DeleteTeam(teams);
    else
      teams->Next();
  }
  teams->Close();
  data->qMisc5->Close();
  ReopenTeamLists();
}

// Moves the attendee selected in a list onto the selected team, or off it; the unassigned list,
// the members and the teams show the move. An attendee whom another copy of the program moved
// since the list was read stays where that copy put her, and the user is told; a team that copy
// deleted is refused, and the lists then show what is stored.
void TMainForm::MoveSelectedAttendee(TDataSet* list, bool ontoTeam) {
  TSQLDataModule* data = SQLDataModule;
  if (data->tTeams->IsEmpty() || list->IsEmpty()) return;
  const auto showLists = [this, data] {
    Reopen(data->qAttendeesInTeams);
    ReopenOnSameRow(data->tTeams);
    ShowTeamMembers();
  };
  int moved = 0;
  try {
    moved = vt::MoveToTeam(KeyText(list, "SessionID"), {list->FieldByName("CamperID")->AsInteger()},
                           list->FieldByName("TeamID")->AsString(), ontoTeam ? KeyText(data->tTeams, "TeamID") : String());
  } catch (...) {
    showLists();
    throw;
  }
  if (moved == 0)
    Application->MessageBox("This attendee's team was changed by another user: nothing was changed here.", "Error",
                            MB_OK);
  showLists();
}

// The arrow towards the teams: the selected unassigned attendee joins the selected team.
void TMainForm::BitBtn24Click(TObject* Sender) { MoveSelectedAttendee(SQLDataModule->qAttendeesInTeams, true); }

// The arrow away from the teams: the selected member leaves the team.
void TMainForm::BitBtn17Click(TObject* Sender) {
  MoveSelectedAttendee(SQLDataModule->qAttendeesAlreadyInTeams, false);
}

// "Assign" a chaperone: the text of the list, typed or chosen, becomes the team's chaperone.
void TMainForm::BitBtn19Click(TObject* Sender) {
  if (ComboBox5->Text().empty() || SQLDataModule->tTeams->IsEmpty()) return;
  vt::PostText(SQLDataModule->tTeams, "Chaperone", ComboBox5->Text());
}

// "Assign" a new name; the edit keeps its text.
void TMainForm::BitBtn27Click(TObject* Sender) {
  if (Edit4->Text().empty() || SQLDataModule->tTeams->IsEmpty()) return;
  vt::PostText(SQLDataModule->tTeams, "TeamName", Edit4->Text());
}

void TMainForm::DBGrid10MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StoreGridWidths(DBGrid10, "10");
  ShowTeamMembers();
}

// Each attendee tab shows the arrow that moves its attendees.
void TMainForm::PageControl5Change(TObject* Sender) {
  const bool unassigned = PageControl5->ActivePage() == TabSheet12;
  BitBtn24->SetVisible(unassigned);
  BitBtn17->SetVisible(!unassigned);
}
