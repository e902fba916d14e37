// The stored design of TAddEditChaperonesForm: the four tabs with their bound controls and grids,
// the money buttons, and the handler bindings.
#include <utility>

#include "app/DBMaskEdit.h"
#include "app/SQLData.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

const char* const kPhoneMask = "!\\(999\\)000-0000;1;_";

class ChaperoneDesigner : public vt::FormDesigner {
public:
  using FormDesigner::FormDesigner;

  // A caption above its control.
  TLabel* Caption(const char* name, TWinControl* parent, int left, int top, const char* caption) {
    return Label(name, parent, left, top - 16, caption);
  }

  TDBEdit* Edit(const char* name, TWinControl* parent, int left, int top, int width, const char* field) {
    auto* edit = Make<TDBEdit>(name, parent, left, top, width, 21);
    edit->SetDataSource(SQLDataModule->dsChaperones);
    edit->SetDataField(field);
    return edit;
  }

  GDBMaskEdit* Masked(const char* name, TWinControl* parent, int left, int top, int width,
                      const char* field, const char* mask, int maxLength) {
    auto* edit = Make<GDBMaskEdit>(name, parent, left, top, width, 21);
    edit->SetDataSource(SQLDataModule->dsChaperones);
    edit->SetDataField(field);
    edit->SetEditMask(mask);
    edit->SetMaxLength(maxLength);
    return edit;
  }

  TVtDBCalcEdit* Amount(const char* name, TWinControl* parent, int left, int top, const char* field,
                        const char* format) {
    auto* edit = Make<TVtDBCalcEdit>(name, parent, left, top, 110, 21);
    edit->SetDataSource(SQLDataModule->dsChaperones);
    edit->SetDataField(field);
    edit->SetDisplayFormat(format);
    return edit;
  }

  TVtCalcEdit* Money(const char* name, TWinControl* parent, int left, int top) {
    auto* edit = Make<TVtCalcEdit>(name, parent, left, top, 110, 21);
    edit->SetDisplayFormat("$,0.00");
    return edit;
  }

  TDBGrid* Grid(const char* name, TWinControl* parent, int left, int top, int width, int height,
                TDataSource* source, std::initializer_list<vt::ColumnDesign> columns) {
    TDBGrid* grid = FormDesigner::Grid(name, parent, alNone, 0, columns);
    grid->SetBounds(left, top, width, height);
    grid->SetDataSource(source);
    return grid;
  }
};

}  // namespace

void TAddEditChaperonesForm::CreateDesign() {
  ChaperoneDesigner d(this);
  SetName("AddEditChaperonesForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "- Chaperones ", "BitBtn1", true);
  CheckBox1 = frame.AddEditFlag;
  SetClientWidth(640);
  SetClientHeight(480);
  TSQLDataModule* data = SQLDataModule;

  PageControl1 = d.Pages("PageControl1", this, alNone);
  PageControl1->SetBounds(0, 0, 640, 440);

  TabSheet1 = d.Sheet("TabSheet1", PageControl1, "Personal");
  Label1 = d.Caption("Label1", TabSheet1, 8, 32, "First Name");
  DBEdit1 = d.Edit("DBEdit1", TabSheet1, 8, 32, 150, "FirstName");
  Label2 = d.Caption("Label2", TabSheet1, 168, 32, "Last Name");
  DBEdit2 = d.Edit("DBEdit2", TabSheet1, 168, 32, 150, "LastName");
  Label3 = d.Caption("Label3", TabSheet1, 328, 32, "MI");
  DBEdit3 = d.Edit("DBEdit3", TabSheet1, 328, 32, 30, "MiddleInitial");
  Label4 = d.Caption("Label4", TabSheet1, 368, 32, "SSN");
  GDBMaskEdit1 = d.Masked("GDBMaskEdit1", TabSheet1, 368, 32, 100, "SSN", "000\\-00\\-0000;1;_", 11);
  Label5 = d.Caption("Label5", TabSheet1, 8, 80, "Address");
  DBEdit4 = d.Edit("DBEdit4", TabSheet1, 8, 80, 310, "Address");
  Label6 = d.Caption("Label6", TabSheet1, 328, 80, "City");
  DBEdit7 = d.Edit("DBEdit7", TabSheet1, 328, 80, 150, "City");
  Label7 = d.Caption("Label7", TabSheet1, 488, 80, "State");
  DBEdit8 = d.Edit("DBEdit8", TabSheet1, 488, 80, 40, "State");
  Label8 = d.Caption("Label8", TabSheet1, 8, 128, "Zip Code");
  GDBMaskEdit2 = d.Masked("GDBMaskEdit2", TabSheet1, 8, 128, 100, "ZipCode", "00000\\-9999;1;_", 10);
  Label9 = d.Caption("Label9", TabSheet1, 118, 128, "Phone");
  GDBMaskEdit3 = d.Masked("GDBMaskEdit3", TabSheet1, 118, 128, 110, "Phone", kPhoneMask, 13);
  Label10 = d.Caption("Label10", TabSheet1, 238, 128, "Email Address");
  DBEdit5 = d.Edit("DBEdit5", TabSheet1, 238, 128, 290, "EmailAddress");
  Label12 = d.Caption("Label12", TabSheet1, 8, 176, "Shirt Size");
  ComboBox1 = d.Combo("ComboBox1", TabSheet1, 8, 176, 150, {}, -1, csDropDown);
  DBEdit10 = d.Edit("DBEdit10", TabSheet1, 168, 176, 50, "ShirtSize");
  DBEdit10->SetEnabled(false);
  Label13 = d.Caption("Label13", TabSheet1, 8, 224, "School");
  DBEdit6 = d.Edit("DBEdit6", TabSheet1, 8, 224, 200, "School");
  Label14 = d.Caption("Label14", TabSheet1, 218, 224, "School Phone");
  GDBMaskEdit4 = d.Masked("GDBMaskEdit4", TabSheet1, 218, 224, 110, "SchoolPhone", kPhoneMask, 13);
  Label15 = d.Caption("Label15", TabSheet1, 338, 224, "School Job");
  DBEdit9 = d.Edit("DBEdit9", TabSheet1, 338, 224, 190, "SchoolJob");
  Label16 = d.Caption("Label16", TabSheet1, 238, 176, "Salary");
  VtDBCalcEdit4 = d.Amount("VtDBCalcEdit4", TabSheet1, 238, 176, "SalaryPerSession", "$,0.00");

  const std::initializer_list<vt::ColumnDesign> sessionColumns = {
      {"SessionID", "ID"}, {"BeginDate", "Begin Date"}, {"BeginTime", "Begin Time"},
      {"Location"},        {"EndDate", "End Date"},     {"EndTime", "End Time"}};
  TabSheet2 = d.Sheet("TabSheet2", PageControl1, "Sessions");
  Label70 = d.Caption("Label70", TabSheet2, 8, 24, "Available Sessions");
  DBGrid5 = d.Grid("DBGrid5", TabSheet2, 8, 24, 612, 170, data->dsSessions, sessionColumns);
  Label71 = d.Caption("Label71", TabSheet2, 8, 220, "Sessions");
  DBGrid2 = d.Grid("DBGrid2", TabSheet2, 8, 220, 400, 170, data->dsChaperoneSession,
                   {{"SessionID", "ID"}, {"SessionType", "Type"}, {"Description"}});
  Label72 = d.Caption("Label72", TabSheet2, 420, 236, "Type");
  ComboBox6 = d.Combo("ComboBox6", TabSheet2, 420, 236, 190, {}, -1, csDropDown);
  BitBtn2 = d.Push("BitBtn2", TabSheet2, 420, 272, 90, "Sign Up");
  BitBtn3 = d.Push("BitBtn3", TabSheet2, 520, 272, 90, "Remove");

  TabSheet3 = d.Sheet("TabSheet3", PageControl1, "Financial");
  Label17 = d.Caption("Label17", TabSheet3, 8, 32, "Total Due");
  VtDBCalcEdit1 = d.Amount("VtDBCalcEdit1", TabSheet3, 8, 32, "TotalOwed", "$,0.##");
  Label18 = d.Caption("Label18", TabSheet3, 128, 32, "Total Paid");
  VtDBCalcEdit2 = d.Amount("VtDBCalcEdit2", TabSheet3, 128, 32, "TotalPaid", "$,0.##");
  Label19 = d.Caption("Label19", TabSheet3, 248, 32, "Balance Owed");
  VtDBCalcEdit3 = d.Amount("VtDBCalcEdit3", TabSheet3, 248, 32, "BalanceOwed", "$,0.##");
  for (TVtDBCalcEdit* total : {VtDBCalcEdit1, VtDBCalcEdit2, VtDBCalcEdit3}) total->SetEnabled(false);
  DBGrid1 = d.Grid("DBGrid1", TabSheet3, 8, 64, 612, 340, data->dsChaperoneTrx,
                   {{"DatePaid", "Date"}, {"AmountPaid", "Amount"}, {"CheckNo", "Check Number"}});

  TabSheet4 = d.Sheet("TabSheet4", PageControl1, "Make Payments to Coaches");
  Label11 = d.Caption("Label11", TabSheet4, 8, 24, "Unpaid Sessions");
  DBGrid3 = d.Grid("DBGrid3", TabSheet4, 8, 24, 376, 180, data->dsChaperoneSessions,
                   {{"SessionID", "ID"}, {"TotalFee", "Total Fee"}, {"AmountPaid", "Amount Paid"},
                    {"BalanceOwed", "Balance Owed"}});
  Label20 = d.Caption("Label20", TabSheet4, 396, 40, "Amount");
  VtCalcEdit2 = d.Money("VtCalcEdit2", TabSheet4, 396, 40);
  BitBtn11 = d.Push("BitBtn11", TabSheet4, 516, 38, 60, "Add");
  BitBtn6 = d.Push("BitBtn6", TabSheet4, 396, 72, 220, "Add all ended unpaid sessions");
  Label75 = d.Caption("Label75", TabSheet4, 8, 232, "Pay Chaperones");
  DBGrid4 = d.Grid("DBGrid4", TabSheet4, 8, 232, 376, 170, data->dsPayChaperones, {{"SessionID"}, {"Amount"}});
  Label21 = d.Caption("Label21", TabSheet4, 396, 248, "Payroll Amount");
  VtCalcEdit1 = d.Money("VtCalcEdit1", TabSheet4, 396, 248);
  VtCalcEdit1->SetEnabled(false);
  Label22 = d.Caption("Label22", TabSheet4, 396, 296, "Check No.");
  Edit2 = d.Make<TEdit>("Edit2", TabSheet4, 396, 296, 110, 21);
  BitBtn4 = d.Push("BitBtn4", TabSheet4, 396, 330, 75, "Pay");
  BitBtn5 = d.Push("BitBtn5", TabSheet4, 481, 330, 75, "Clear");
  PageControl1->SetActivePage(TabSheet1);

  BitBtn1 = frame.Done;
  BitBtn1->SetBounds(282, 448, 75, 25);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  GDBMaskEdit2->OnExit = [this](TObject* s) { GDBMaskEdit2Exit(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  ComboBox1->OnKeyPress = [this](TObject* s, char& k) { ComboBox1KeyPress(s, k); };
  VtCalcEdit2->OnKeyPress = [this](TObject* s, char& k) { VtCalcEdit2KeyPress(s, k); };
  const std::pair<TButton*, void (TAddEditChaperonesForm::*)(TObject*)> clicks[] = {
      {BitBtn2, &TAddEditChaperonesForm::BitBtn2Click}, {BitBtn3, &TAddEditChaperonesForm::BitBtn3Click},
      {BitBtn11, &TAddEditChaperonesForm::BitBtn11Click}, {BitBtn6, &TAddEditChaperonesForm::BitBtn6Click},
      {BitBtn5, &TAddEditChaperonesForm::BitBtn5Click}, {BitBtn4, &TAddEditChaperonesForm::BitBtn4Click}};
  for (const auto& [button, handler] : clicks)
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  using MouseUp = void (TAddEditChaperonesForm::*)(TObject*, TMouseButton, TShiftState, int, int);
  const std::pair<TDBGrid*, MouseUp> mouseUps[] = {
      {DBGrid5, &TAddEditChaperonesForm::DBGrid5MouseUp}, {DBGrid2, &TAddEditChaperonesForm::DBGrid2MouseUp},
      {DBGrid1, &TAddEditChaperonesForm::DBGrid1MouseUp}, {DBGrid4, &TAddEditChaperonesForm::DBGrid4MouseUp},
      {DBGrid3, &TAddEditChaperonesForm::DBGrid3MouseUp}};
  for (const auto& [grid, handler] : mouseUps)
    grid->OnMouseUp = [this, handler](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      (this->*handler)(s, b, sh, x, y);
    };
  vt::BindEditorKeys(this);
  d.Finish();
}
