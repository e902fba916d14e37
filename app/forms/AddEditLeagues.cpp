// The league editor: captions from the company's nouns, Enter moving through the fields, and
// Done, which saves the league or, when the database refuses it (an empty or existing name),
// says so and discards it.
#include "app/forms/AddEditLeagues.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "ui/controls/StdCtrls.h"

TAddEditLeaguesForm* AddEditLeaguesForm = nullptr;

namespace {

TField* CompanyField(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column); }

}  // namespace

TAddEditLeaguesForm::TAddEditLeaguesForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditLeaguesForm::FormActivate(TObject* Sender) {
  if (!CompanyField("CompanyName")->IsNull() && !CompanyField("AgeGroupsP")->IsNull())
    SetCaption(CompanyField("CompanyName")->AsString() + " - " + CompanyField("AgeGroupsP")->AsString());
  if (!CompanyField("AgeGroups")->IsNull()) Label1->SetCaption(CompanyField("AgeGroups")->AsString() + " Name");
}

void TAddEditLeaguesForm::BitBtn1Click(TObject* Sender) {
  TADOTable* leagues = SQLDataModule->tLeagues;
  vt::RecordEditorDone(this, leagues, CheckBox1, [this, leagues](const Exception&) {
    const String term = CompanyField("AgeGroups")->IsNull() ? String("League") : CompanyField("AgeGroups")->AsString();
    Application->MessageBox("You must enter a valid " + term + ".\n Either you left it blank or this " + term +
                                " already exists.",
                            "Error", MB_OK);
    leagues->Cancel();
    vt::CloseEditor(this);
  });
}

void TAddEditLeaguesForm::DBEdit1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') vt::FocusNextControl(this);
}

void TAddEditLeaguesForm::DBComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') VtDBCalcEdit1->SetFocus();
}
