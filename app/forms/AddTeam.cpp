// The new-team dialog: at every showing an empty name and the session's leagues and chaperones
// listed afresh, none of them chosen; Done appends the team, or asks whether to give up when the
// name or the league is missing.
#include "app/forms/AddTeam.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

TAddTeamForm* AddTeamForm = nullptr;

TAddTeamForm::TAddTeamForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddTeamForm::FormActivate(TObject* Sender) {
  Edit1->SetText("");
  Edit1->SetFocus();
  if (!SQLDataModule->qCoSYS->IsEmpty()) {
    const String teams = vt::CompanyText("Teams");
    SetCaption(vt::CompanyText("CompanyName") + " - New " + teams);
    if (!teams.empty()) Label2->SetCaption(teams + " Name");
  }
  if (!vt::CompanyText("Chaperones").empty()) Label36->SetCaption(vt::CompanyText("Chaperones"));
  if (!vt::CompanyText("AgeGroups").empty()) Label1->SetCaption(vt::CompanyText("AgeGroups"));
  FillChaperones();
  FillLeagues();
}

// The session's chaperones, first name and last name, in the query's order.
void TAddTeamForm::FillChaperones() {
  TADOQuery* chaperones = SQLDataModule->qMisc4;
  vt::SetLinesAndOpen(chaperones, {{2, "WHERE ChaperoneSession.SessionID = " + vt::CurrentSessionId()}});
  TStrings* items = ComboBox5->Items();
  items->BeginUpdate();
  items->Clear();
  for (chaperones->First(); !chaperones->Eof(); chaperones->Next())
    items->Add(chaperones->FieldByName("FirstName")->AsString() + " " + chaperones->FieldByName("LastName")->AsString());
  items->EndUpdate();
  ComboBox5->SetItemIndex(-1);
}

// The session's leagues as "name - Ages 8 to 10"; no item is chosen.
void TAddTeamForm::FillLeagues() {
  TADOQuery* leagues = SQLDataModule->qMisc;
  vt::SetLinesAndOpen(leagues, {{0, "Select * From Leagues WHERE SessionID = " + vt::CurrentSessionId()}});
  TStrings* items = ComboBox1->Items();
  items->BeginUpdate();
  items->Clear();
  leagueNames_.clear();
  for (leagues->First(); !leagues->Eof(); leagues->Next()) {
    const String name = leagues->FieldByName("LeagueName")->AsString();
    items->Add(name + " - " + leagues->FieldByName("AddBy")->AsString() + "s " +
               leagues->FieldByName("BeginRange")->AsString() + " to " + leagues->FieldByName("EndRange")->AsString());
    leagueNames_.push_back(name);
  }
  items->EndUpdate();
  ComboBox1->SetItemIndex(-1);
}

void TAddTeamForm::BitBtn1Click(TObject* Sender) {
  if (Edit1->Text().empty() || ComboBox1->ItemIndex() == -1) {
    if (Application->MessageBox("You must fill out the first two fields.\nDo you wish to cancel?", "Error", MB_YESNO) ==
        IDYES)
      vt::CloseEditor(this);
    else
      Edit1->SetFocus();
    return;
  }
  try {
    AppendTeam();
  } catch (const Exception& e) {  // the lists show again what is stored
    Application->MessageBox(e.Message(), "Error", MB_OK);
    FillChaperones();
    FillLeagues();
    return;
  }
  vt::Reopen(SQLDataModule->tTeams);
  vt::CloseEditor(this);
}

// The team row of the current session; a chaperone only when one was chosen. The session and the
// league are found first, in the same transaction: another copy of the program may have deleted
// them since the lists were filled.
void TAddTeamForm::AppendTeam() {
  const String session = vt::CurrentSessionId();
  const String league = leagueNames_[ComboBox1->ItemIndex()];
  vt::Transaction transaction(SQLDataModule->dbVantrelADO);
  vt::RequireLeague(session, league);
  TADOQuery* teams = SQLDataModule->qMisc;
  vt::SetLinesAndOpen(teams, {{0, "Select * From Teams"}});
  teams->Append();
  teams->FieldByName("TeamName")->SetAsString(Edit1->Text());
  teams->FieldByName("SessionID")->SetAsInteger(StrToInt(session));
  teams->FieldByName("LeagueName")->SetAsString(league);
  if (ComboBox5->ItemIndex() != -1) teams->FieldByName("Chaperone")->SetAsString(ComboBox5->Items()->Strings(ComboBox5->ItemIndex()));
  vt::PostOrGiveUp(teams);
  teams->Close();
  transaction.Commit();
}

void TAddTeamForm::Edit1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') vt::FocusNextControl(this);
}

void TAddTeamForm::ComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') ComboBox5->SetFocus();
}

void TAddTeamForm::ComboBox5KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') BitBtn1->SetFocus();
}
