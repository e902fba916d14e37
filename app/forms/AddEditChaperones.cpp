// The chaperone editor's frame and personal page: the grid widths it keeps, its activation (an
// empty pay list, the nouns, the shirt size picker, the enrolments and the session's types),
// and the picker that turns a shirt size description into its code.
#include "app/forms/AddEditChaperones.h"

#include <utility>

#include "app/DBMaskEdit.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/MainQueries.h"
#include "app/forms/PersonEditor.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

TAddEditChaperonesForm* AddEditChaperonesForm = nullptr;

namespace {

using vt::CompanyText;
using vt::Reopen;

TField* Chaperone(const char* column) { return SQLDataModule->qChaperones->FieldByName(column); }

}  // namespace

TAddEditChaperonesForm::TAddEditChaperonesForm(TComponent* AOwner) : TForm(AOwner) {
  CreateDesign();
  TIniFile ini(ProgramIni());
  TStringList keys;
  const std::pair<TDBGrid*, const char*> grids[] = {
      {DBGrid5, "18"}, {DBGrid2, "19"}, {DBGrid1, "20"}, {DBGrid4, "21"}, {DBGrid3, "22"}};
  for (const auto& [grid, section] : grids) RestoreGridWidths(&ini, &keys, grid, section);
}

void TAddEditChaperonesForm::FormActivate(TObject* Sender) {
  PageControl1->SetActivePage(TabSheet1);
  DBEdit1->SetFocus();
  EmptyPayList();
  SetPayrollTotal(Currency());
  ApplyNouns();
  FillShirtSizes();
  ZeroNullTotals();
  ShowEnrolments();
  FillSessionTypes();
  newRow_.Begin(SQLDataModule->qChaperones, CheckBox1);
}

// Captions from the company's nouns; one whose noun is empty keeps what it had.
void TAddEditChaperonesForm::ApplyNouns() {
  TADOQuery* company = SQLDataModule->qCoSYS;
  if (!company->FieldByName("CompanyName")->IsNull() && !company->FieldByName("ChaperonesP")->IsNull())
    SetCaption(CompanyText("CompanyName") + " - " + CompanyText("ChaperonesP"));
  const String sessions = CompanyText("SessionsP");
  if (!sessions.empty()) {
    Label70->SetCaption("Available " + sessions);
    Label71->SetCaption(sessions);
    TabSheet2->SetCaption(sessions);
    Label11->SetCaption("Unpaid " + sessions);
  }
  const String session = CompanyText("Sessions");
  if (!session.empty()) DBGrid4->Columns()->Items(0)->Title()->SetCaption(session + "ID");
  const String chaperones = CompanyText("ChaperonesP");
  if (!chaperones.empty()) {
    TabSheet4->SetCaption("Make Payments to " + chaperones);
    Label75->SetCaption("Pay " + chaperones);
  }
}

void TAddEditChaperonesForm::FillShirtSizes() {
  vt::FillPicker(SQLDataModule->tShirtSizes, ComboBox1, "ShirtSizeDescription", "ShirtSize", Chaperone("ShirtSize"));
}

void TAddEditChaperonesForm::ZeroNullTotals() {
  for (const char* column : {"TotalOwed", "TotalPaid", "BalanceOwed"})
    if (Chaperone(column)->IsNull()) Chaperone(column)->SetAsFloat(0);
}

// The chaperone's active enrolments and, for the payments page, all of them; a chaperone not
// saved yet has none to show.
void TAddEditChaperonesForm::ShowEnrolments() {
  TADOQuery* enrolments = SQLDataModule->qChaperoneSession;
  enrolments->Close();
  const String id = Chaperone("ChaperoneID")->AsString();
  if (!id.empty()) {
    vt::SetLinesAndOpen(enrolments, {{3, "AND Chaperones.ChaperoneID = " + id}});
    vt::FetchAll(enrolments);
  }
  Reopen(SQLDataModule->tChaperoneSessions, true);
}

// The types of the session current at activation; without any, nobody can sign up or be removed.
void TAddEditChaperonesForm::FillSessionTypes() {
  vt::FillSessionTypes(ComboBox6, BitBtn2, BitBtn3);
}

void TAddEditChaperonesForm::ComboBox1Change(TObject* Sender) {
  vt::PickCode(SQLDataModule->tShirtSizes, ComboBox1, "ShirtSizeDescription", "ShirtSize", Chaperone("ShirtSize"));
}

void TAddEditChaperonesForm::ComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key == 13) VtDBCalcEdit4->SetFocus();
}

void TAddEditChaperonesForm::BitBtn1Click(TObject* Sender) {
  newRow_.GiveUpWhenNothingTyped(SQLDataModule->qChaperones);
  vt::RecordEditorDone(this, SQLDataModule->qChaperones, CheckBox1);
}

void TAddEditChaperonesForm::GDBMaskEdit2Exit(TObject* Sender) {
  vt::ZipLookup(GDBMaskEdit2, SQLDataModule->qChaperones, "City", "State");
}

void TAddEditChaperonesForm::DBGrid5MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid5, "18"); }
void TAddEditChaperonesForm::DBGrid2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid2, "19"); }
void TAddEditChaperonesForm::DBGrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid1, "20"); }
void TAddEditChaperonesForm::DBGrid4MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid4, "21"); }
void TAddEditChaperonesForm::DBGrid3MouseUp(TObject*, TMouseButton, TShiftState, int, int) { StoreGridWidths(DBGrid3, "22"); }
