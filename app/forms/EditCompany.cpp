// The company and system settings editor: activation with the nouns in its captions, the
// removal-age warning, the zip look-up, the four list pages and Done with its required fields.
#include "app/forms/EditCompany.h"

#include <initializer_list>

#include "app/DBMaskEdit.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "db/Fields.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

TEditCompanyForm* EditCompanyForm = nullptr;

namespace {

String CompanyText(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column)->AsString(); }

void Reopen(TDataSet* dataSet) {
  dataSet->Close();
  dataSet->Open();
}

}  // namespace

TEditCompanyForm::TEditCompanyForm(TComponent* AOwner) : TForm(AOwner) {
  CreateDesign();
  RestorePersistedGridWidths();
}

void TEditCompanyForm::RestorePersistedGridWidths() {
  TIniFile ini(ProgramIni());
  TStringList keys;
  const std::pair<TDBGrid*, const char*> grids[] = {{DBGrid1, "11"}, {DBGrid2, "12"}, {DBGrid3, "13"}, {DBGrid4, "14"}};
  for (const auto& [grid, section] : grids) RestoreGridWidths(&ini, &keys, grid, section);
}

void TEditCompanyForm::FormActivate(TObject* Sender) {
  Reopen(SQLDataModule->tSessionTypes);
  ShowTeamsNoun();
  const String ageGroups = CompanyText("AgeGroups");
  if (!ageGroups.empty()) TabSheet4->SetCaption("Default " + ageGroups + "s");
  const String sessions = CompanyText("Sessions");
  if (!sessions.empty()) TabSheet5->SetCaption("Default " + sessions + " Types");
  // Typing starts in Company Name: on Done, the first blank typed would close the dialog.
  if (PageControl1->ActivePage() == TabSheet1) DBEdit1->SetFocus();
}

void TEditCompanyForm::ShowTeamsNoun() {
  const String teams = CompanyText("Teams");
  const String caption = "Number on " + (teams.empty() ? String("Teams") : teams);
  DBGrid1->Columns()->Items(2)->Title()->SetCaption(caption);
  Label19->SetCaption(caption);
}

void TEditCompanyForm::DBEdit21Exit(TObject* Sender) { ShowTeamsNoun(); }

void TEditCompanyForm::VtDBCalcEdit7Exit(TObject* Sender) {
  TField* age = SQLDataModule->qCoSYS->FieldByName("AgeToRemoveAttendees");
  if (age->AsInteger() == 0) return;
  if (Application->MessageBox("WARNING: This will automatically permanently delete any persons who are the age "
                              "entered and above. Are you sure you want to continue.",
                              "Confirm Setting", MB_YESNO) != IDYES)
    age->SetAsInteger(0);
}

void TEditCompanyForm::GDBMaskEdit3Exit(TObject* Sender) {
  vt::ZipLookup(GDBMaskEdit3, SQLDataModule->qCoSYS, "City", "State");
}

void TEditCompanyForm::BitBtn1Click(TObject*) { Positions.Add(); }
void TEditCompanyForm::BitBtn15Click(TObject*) { Positions.Edit(); }
void TEditCompanyForm::BitBtn10Click(TObject*) { Positions.Save(); }
void TEditCompanyForm::BitBtn3Click(TObject*) { Positions.Delete(); }
void TEditCompanyForm::BitBtn5Click(TObject*) { ShirtSizes.Add(); }
void TEditCompanyForm::BitBtn16Click(TObject*) { ShirtSizes.Edit(); }
void TEditCompanyForm::BitBtn11Click(TObject*) { ShirtSizes.Save(); }
void TEditCompanyForm::BitBtn7Click(TObject*) { ShirtSizes.Delete(); }
void TEditCompanyForm::BitBtn2Click(TObject*) { DefaultLeagues.Add(); }
void TEditCompanyForm::BitBtn14Click(TObject*) { DefaultLeagues.Edit(); }
void TEditCompanyForm::BitBtn12Click(TObject*) { DefaultLeagues.Save(); }
void TEditCompanyForm::BitBtn6Click(TObject*) { DefaultLeagues.Delete(); }
void TEditCompanyForm::BitBtn8Click(TObject*) { SessionTypes.Add(); }
void TEditCompanyForm::BitBtn17Click(TObject*) { SessionTypes.Edit(); }
void TEditCompanyForm::BitBtn13Click(TObject*) { SessionTypes.Save(); }
void TEditCompanyForm::BitBtn9Click(TObject*) { SessionTypes.Delete(); }

void TEditCompanyForm::DBGrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid1, "11"); }
void TEditCompanyForm::DBGrid2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid2, "12"); }
void TEditCompanyForm::DBGrid3MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid3, "13"); }
void TEditCompanyForm::DBGrid4MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid4, "14"); }

namespace {

// Company name, address, city, state, zip code and director must all be filled in.
bool RequiredPresent(TEditCompanyForm* form) {
  for (TControl* control : {static_cast<TControl*>(form->DBEdit1), static_cast<TControl*>(form->DBEdit3),
                            static_cast<TControl*>(form->DBEdit4), static_cast<TControl*>(form->DBEdit5),
                            static_cast<TControl*>(form->DBEdit2)})
    if (control->Text().empty()) return false;
  return !vt::ZipIsEmpty(form->GDBMaskEdit3);
}

// Post or Cancel the company row; false when the dialog stays open (the user keeps editing,
// or the database refused the row and said why: the dialog then shows the row as stored now,
// another copy's change included, with what the user typed).
bool CommitCompany(TEditCompanyForm* form) {
  TADOQuery* company = SQLDataModule->qCoSYS;
  if (!RequiredPresent(form)) {
    if (Application->MessageBox("Insufficient information to save record. Do you want to revert the changes you "
                                "have made?",
                                "Error", MB_YESNO) != IDYES)
      return false;
    company->Cancel();
    Reopen(company);
    return true;
  }
  if (!company->Modified()) return true;
  try {
    if (Application->MessageBox("Commit Changes?", "System", MB_YESNO) == IDYES) vt::StorePending(company);
    else company->Cancel();
  } catch (const Exception& e) {
    Application->MessageBox(e.Message(), "Error", MB_OK);
    return false;
  }
  Reopen(company);
  return true;
}

}  // namespace

void TEditCompanyForm::BitBtn4Click(TObject* Sender) {
  const bool leave = CommitCompany(this);
  CloseListPanels();
  if (leave) vt::CloseEditor(this);
}

// A pending list edit is dropped, so the next showing starts with closed panels.
void TEditCompanyForm::CloseListPanels() {
  for (vt::SettingsList* list : {&Positions, &ShirtSizes, &DefaultLeagues, &SessionTypes}) list->Close();
}
