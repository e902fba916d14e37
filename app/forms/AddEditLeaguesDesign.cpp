// The stored design of TAddEditLeaguesForm: the editor frame, the league's four fields bound to
// dsLeagues with their labels, and the handler bindings.
#include "app/SQLData.h"
#include "app/forms/AddEditLeagues.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "components/edits/VtDBCtrl.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"

namespace {

// A whole-number range of the league: no decimals, shown with thousands grouping.
TVtDBCalcEdit* Range(vt::FormDesigner& d, const char* name, TForm* form, int top, const char* field) {
  auto* edit = d.Make<TVtDBCalcEdit>(name, form, 112, top, 80, 21);
  edit->SetDecimalPlaces(0);
  edit->SetDisplayFormat(",0");
  edit->SetDataSource(SQLDataModule->dsLeagues);
  edit->SetDataField(field);
  return edit;
}

}  // namespace

void TAddEditLeaguesForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddEditLeaguesForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, " - Leagues", "BitBtn1", true);
  SetClientWidth(320);
  SetClientHeight(176);
  CheckBox1 = frame.AddEditFlag;

  Label1 = d.Label("Label1", this, 16, 20, "League Name");
  DBEdit1 = d.Make<TDBEdit>("DBEdit1", this, 112, 16, 190, 21);
  DBEdit1->SetDataSource(SQLDataModule->dsLeagues);
  DBEdit1->SetDataField("LeagueName");
  Label2 = d.Label("Label2", this, 16, 52, "Grouped by");
  DBComboBox1 = d.Make<TDBComboBox>("DBComboBox1", this, 112, 48, 100, 21);
  DBComboBox1->SetStyle(csDropDownList);
  for (const char* item : {"Age", "Grade"}) DBComboBox1->Items()->Add(item);
  DBComboBox1->SetDataSource(SQLDataModule->dsLeagues);
  DBComboBox1->SetDataField("AddBy");
  Label3 = d.Label("Label3", this, 16, 84, "Begin Range");
  VtDBCalcEdit1 = Range(d, "VtDBCalcEdit1", this, 80, "BeginRange");
  Label4 = d.Label("Label4", this, 16, 116, "End Range");
  VtDBCalcEdit2 = Range(d, "VtDBCalcEdit2", this, 112, "EndRange");
  BitBtn1 = frame.Done;
  BitBtn1->SetBounds(120, 144, 80, 25);
  BitBtn1->SetTabOrder(5);  // after the fields

  OnActivate = [this](TObject* s) { FormActivate(s); };
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  for (TWinControl* edit : {static_cast<TWinControl*>(DBEdit1), static_cast<TWinControl*>(VtDBCalcEdit1),
                            static_cast<TWinControl*>(VtDBCalcEdit2)})
    edit->OnKeyPress = [this](TObject* s, char& k) { DBEdit1KeyPress(s, k); };
  DBComboBox1->OnKeyPress = [this](TObject* s, char& k) { DBComboBox1KeyPress(s, k); };
  vt::BindEditorKeys(this);
  d.Finish();
}
