// The league editor: captions from the company's nouns, Enter moving through the fields, and
// Done, which saves the league once its session is found in the save's transaction or, when the
// database refuses it for an empty or existing name, says so and discards it; any other refusal
// (another copy changed or deleted the league or its session) is told with its reason, keeping
// what was typed.
#include "app/forms/AddEditLeagues.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/MainQueries.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "ui/controls/StdCtrls.h"

TAddEditLeaguesForm* AddEditLeaguesForm = nullptr;

namespace {

TField* CompanyField(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column); }

// The pending league has no name, or the name of another league of its session.
bool NameBlankOrTaken(TADOTable* leagues) {
  const String name = Trim(leagues->FieldByName("LeagueName")->AsString());
  if (name.empty()) return true;
  TADOQuery others(nullptr);
  others.SetConnection(SQLDataModule->dbVantrelADO);
  others.SQL()->Add("SELECT 1 FROM Leagues WHERE SessionID = " +
                    vt::SqlNumber(leagues->FieldByName("SessionID")->AsString()) + " AND LeagueName = " +
                    vt::SqlQuote(name) + (leagues->State() == dsEdit ? " AND rowid <> " + vt::SqlNumber(leagues->GetBookmark()) : ""));
  others.Open();
  return !others.IsEmpty();
}

// A league names its session, when it has one: another copy of the program may have deleted it.
void RequireSessionOf(TADOTable* leagues) {
  TField* session = leagues->FieldByName("SessionID");
  if (!session->IsNull()) vt::RequireSession(session->AsString());
}

}  // namespace

TAddEditLeaguesForm::TAddEditLeaguesForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditLeaguesForm::FormActivate(TObject* Sender) {
  if (!CompanyField("CompanyName")->IsNull() && !CompanyField("AgeGroupsP")->IsNull())
    SetCaption(CompanyField("CompanyName")->AsString() + " - " + CompanyField("AgeGroupsP")->AsString());
  if (!CompanyField("AgeGroups")->IsNull()) Label1->SetCaption(CompanyField("AgeGroups")->AsString() + " Name");
}

void TAddEditLeaguesForm::BitBtn1Click(TObject* Sender) {
  TADOTable* leagues = SQLDataModule->tLeagues;
  const auto blankOrTaken = [this, leagues](const Exception&) {
    if (!NameBlankOrTaken(leagues)) return false;
    const String term = CompanyField("AgeGroups")->IsNull() ? String("League") : CompanyField("AgeGroups")->AsString();
    Application->MessageBox("You must enter a valid " + term + ".\n Either you left it blank or this " + term +
                                " already exists.",
                            "Error", MB_OK);
    leagues->Cancel();
    vt::CloseEditor(this);
    return true;
  };
  vt::RecordEditorDone(this, leagues, CheckBox1, blankOrTaken, [leagues] { RequireSessionOf(leagues); });
}

void TAddEditLeaguesForm::DBEdit1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') vt::FocusNextControl(this);
}

void TAddEditLeaguesForm::DBComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') VtDBCalcEdit1->SetFocus();
}
