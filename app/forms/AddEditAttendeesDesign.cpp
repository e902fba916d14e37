// The stored design of TAddEditAttendeesForm: six tabs of controls bound to the attendee row,
// the enrolment and payment controls, the Done button, and the handler bindings.
#include "app/forms/AddEditAttendees.h"

#include <utility>
#include <vector>

#include "app/DBMaskEdit.h"
#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "components/edits/VtDBDateEdit.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

const char* const kSsnMask = "000\\-00\\-0000;1;_";
const char* const kZipMask = "00000\\-9999;1;_";
const char* const kPhoneMask = "!\\(999\\)000-0000;1;_";

// Controls stand under their labels: a row is a label line and a control line.
constexpr int kLabelHeight = 16;
constexpr int kRow = 44;

class AttendeeDesigner : public vt::FormDesigner {
public:
  AttendeeDesigner(TWinControl* form, TDataSource* source) : FormDesigner(form), source_(source) {}

  // The label above a control; the label names the control for screen readers.
  void Caption(TWinControl* parent, int left, int top, const char* caption, TWinControl* control) {
    const String name = "Label" + IntToStr(++labels_);
    TLabel* label = FormDesigner::Label(name.c_str(), parent, left, top, caption);
    label->SetFocusControl(control);
  }

  template <class T>
  T* Bound(const char* name, TWinControl* parent, int left, int top, int width, const char* field,
           const char* caption) {
    auto* control = Make<T>(name, parent, left, top + kLabelHeight, width, 21);
    control->SetDataSource(source_);
    control->SetDataField(field);
    if (*caption) Caption(parent, left, top, caption, control);
    return control;
  }

  TDBEdit* Edit(const char* name, TWinControl* parent, int left, int top, int width,
                const char* field, const char* caption) {
    return Bound<TDBEdit>(name, parent, left, top, width, field, caption);
  }

  GDBMaskEdit* Masked(const char* name, TWinControl* parent, int left, int top, int width,
                      const char* field, const char* caption, const char* mask, int maxLength) {
    auto* edit = Bound<GDBMaskEdit>(name, parent, left, top, width, field, caption);
    edit->SetEditMask(mask);
    edit->SetMaxLength(maxLength);
    return edit;
  }

  // Every date edit refuses an impossible date when it is left, keeping the stored one.
  TDBDateEdit* Date(const char* name, TWinControl* parent, int left, int top, const char* field,
                    const char* caption) {
    auto* edit = Bound<TDBDateEdit>(name, parent, left, top, 110, field, caption);
    edit->SetCheckOnExit(true);
    return edit;
  }

  TDBComboBox* List(const char* name, TWinControl* parent, int left, int top, int width,
                    const char* field, const char* caption, const std::vector<String>& items) {
    auto* combo = Bound<TDBComboBox>(name, parent, left, top, width, field, caption);
    combo->SetStyle(csDropDownList);
    combo->Items()->BeginUpdate();
    for (const String& item : items) combo->Items()->Add(item);
    combo->Items()->EndUpdate();
    return combo;
  }

  TDBCheckBox* Check(const char* name, TWinControl* parent, int left, int top, int width,
                     const char* field, const char* caption) {
    auto* box = Make<TDBCheckBox>(name, parent, left, top + kLabelHeight, width, 17);
    box->SetDataSource(source_);
    box->SetDataField(field);
    box->SetCaption(caption);
    return box;
  }

  TComboBox* Picker(const char* name, TWinControl* parent, int left, int top, int width,
                    const char* caption, TComboBoxStyle style) {
    auto* combo = Combo(name, parent, left, top + kLabelHeight, width, {}, -1, style);
    Caption(parent, left, top, caption, combo);
    return combo;
  }

  template <class NumEdit>
  NumEdit* Money(const char* name, TWinControl* parent, int left, int top, const char* caption,
                 const char* format) {
    auto* edit = Make<NumEdit>(name, parent, left, top + kLabelHeight, 110, 21);
    edit->SetDisplayFormat(format);
    Caption(parent, left, top, caption, edit);
    return edit;
  }

  TDBGrid* PlacedGrid(const char* name, TWinControl* parent, int left, int top, int width,
                      int height, TDataSource* source, std::initializer_list<vt::ColumnDesign> columns) {
    TDBGrid* grid = Grid(name, parent, alNone, 0, columns);
    grid->SetBounds(left, top, width, height);
    grid->SetDataSource(source);
    return grid;
  }

private:
  TDataSource* source_;
  int labels_ = 0;
};

std::vector<String> Grades() {
  std::vector<String> grades;
  for (int grade = 0; grade <= 12; ++grade) grades.push_back(IntToStr(grade));
  return grades;
}

// 2'0" to 7'0" in steps of one inch.
std::vector<String> Heights() {
  std::vector<String> heights;
  for (int inches = 24; inches <= 84; ++inches)
    heights.push_back(IntToStr(inches / 12) + "'" + IntToStr(inches % 12) + "\"");
  return heights;
}

}  // namespace

void TAddEditAttendeesForm::CreateDesign() {
  TSQLDataModule* data = SQLDataModule;
  AttendeeDesigner d(this, data->dsAttendees);
  SetName("AddEditAttendeesForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "- Attendees", "BitBtn1", true);
  CheckBox1 = frame.AddEditFlag;
  SetClientWidth(640);
  SetClientHeight(464);
  PageControl1 = d.Make<TPageControl>("PageControl1", this, 4, 4, 632, 420);

  TabSheet1 = d.Sheet("TabSheet1", PageControl1, "Personal");
  DBEdit3 = d.Edit("DBEdit3", TabSheet1, 8, 8, 150, "FirstName", "First Name");
  DBEdit5 = d.Edit("DBEdit5", TabSheet1, 166, 8, 30, "MiddleInitial", "MI");
  DBEdit4 = d.Edit("DBEdit4", TabSheet1, 204, 8, 150, "LastName", "Last Name");
  GDBMaskEdit1 = d.Masked("GDBMaskEdit1", TabSheet1, 362, 8, 100, "SSN", "SSN", kSsnMask, 11);
  DBEdit6 = d.Edit("DBEdit6", TabSheet1, 8, 8 + kRow, 250, "Address", "Address");
  DBEdit7 = d.Edit("DBEdit7", TabSheet1, 266, 8 + kRow, 140, "City", "City");
  DBEdit8 = d.Edit("DBEdit8", TabSheet1, 414, 8 + kRow, 40, "State", "State");
  GDBMaskEdit2 = d.Masked("GDBMaskEdit2", TabSheet1, 462, 8 + kRow, 90, "ZipCode", "Zip Code",
                          kZipMask, 10);
  GDBMaskEdit3 = d.Masked("GDBMaskEdit3", TabSheet1, 8, 8 + 2 * kRow, 110, "Phone", "Phone",
                          kPhoneMask, 13);
  DBDateEdit1 = d.Date("DBDateEdit1", TabSheet1, 126, 8 + 2 * kRow, "DOB", "Date Of Birth");
  Edit1 = d.Make<TEdit>("Edit1", TabSheet1, 244, 8 + 2 * kRow + kLabelHeight, 40, 21);
  Edit1->SetEnabled(false);
  d.Caption(TabSheet1, 244, 8 + 2 * kRow, "Age", Edit1);
  DBEdit1 = d.Edit("DBEdit1", TabSheet1, 292, 8 + 2 * kRow, 200, "School", "School");
  DBEdit9 = d.Edit("DBEdit9", TabSheet1, 8, 8 + 3 * kRow, 250, "EmailAddress", "Email Address");
  DBComboBox3 = d.List("DBComboBox3", TabSheet1, 266, 8 + 3 * kRow, 60, "Grade", "Grade", Grades());
  ComboBox1 = d.Picker("ComboBox1", TabSheet1, 8, 8 + 4 * kRow, 150, "Shirt Size", csDropDownList);
  DBEdit10 = d.Edit("DBEdit10", TabSheet1, 166, 8 + 4 * kRow, 60, "ShirtSize", "");
  DBEdit10->SetEnabled(false);
  DBComboBox2 = d.List("DBComboBox2", TabSheet1, 234, 8 + 4 * kRow, 70, "Height", "Height", Heights());
  DBEdit12 = d.Edit("DBEdit12", TabSheet1, 312, 8 + 4 * kRow, 50, "Weight", "Weight");
  ComboBox2 = d.Picker("ComboBox2", TabSheet1, 8, 8 + 5 * kRow, 150, "Position", csDropDownList);
  DBEdit2 = d.Edit("DBEdit2", TabSheet1, 166, 8 + 5 * kRow, 150, "NormalPosition", "");
  DBEdit2->SetEnabled(false);

  TabSheet2 = d.Sheet("TabSheet2", PageControl1, "Family / Guardian");
  DBEdit23 = d.Edit("DBEdit23", TabSheet2, 8, 8, 60, "FatherSalutation", "Father");
  d.Edit("DBEdit13", TabSheet2, 76, 8, 200, "FatherName", "Name");
  d.Edit("DBEdit14", TabSheet2, 284, 8, 180, "FatherEmailAddress", "Email Address");
  d.Edit("DBEdit15", TabSheet2, 472, 8, 140, "FatherEmployer", "Employer");
  GDBMaskEdit4 = d.Masked("GDBMaskEdit4", TabSheet2, 8, 8 + kRow, 110, "FatherWorkPhone",
                          "Work Phone", kPhoneMask, 13);
  d.Edit("DBEdit24", TabSheet2, 8, 8 + 2 * kRow, 60, "MotherSalutation", "Mother");
  d.Edit("DBEdit16", TabSheet2, 76, 8 + 2 * kRow, 200, "MotherName", "Name");
  d.Edit("DBEdit17", TabSheet2, 284, 8 + 2 * kRow, 180, "MotherEmailAddress", "Email Address");
  d.Edit("DBEdit18", TabSheet2, 472, 8 + 2 * kRow, 140, "MotherEmployer", "Employer");
  GDBMaskEdit5 = d.Masked("GDBMaskEdit5", TabSheet2, 8, 8 + 3 * kRow, 110, "MotherWorkPhone",
                          "Work Phone", kPhoneMask, 13);
  DBComboBox1 = d.List("DBComboBox1", TabSheet2, 8, 8 + 4 * kRow, 100, "LivesWith", "Lives With",
                       {"Parents", "Mother", "Father", "Other"});
  DBEdit25 = d.Edit("DBEdit25", TabSheet2, 8, 8 + 5 * kRow, 60, "EmergencySalutation", "Emergency");
  d.Edit("DBEdit19", TabSheet2, 76, 8 + 5 * kRow, 200, "EmergencyContact", "Contact");
  GDBMaskEdit6 = d.Masked("GDBMaskEdit6", TabSheet2, 284, 8 + 5 * kRow, 110, "EmergencyPhone",
                          "Phone", kPhoneMask, 13);
  d.Edit("DBEdit26", TabSheet2, 8, 8 + 6 * kRow, 200, "InsuranceCompany", "Insurance Company");
  DBEdit27 = d.Edit("DBEdit27", TabSheet2, 216, 8 + 6 * kRow, 150, "InsurancePolicyNumber",
                    "Policy Number");

  TabSheet3 = d.Sheet("TabSheet3", PageControl1, "Releases");
  DBCheckBox1 = d.Check("DBCheckBox1", TabSheet3, 8, 8, 180, "ParentalReleaseOnFile",
                        "Parental Release on File");
  DBDateEdit2 = d.Date("DBDateEdit2", TabSheet3, 200, 8, "DateOfParentalRelease", "Date");
  d.Edit("DBEdit20", TabSheet3, 318, 8, 200, "ParentalReleaseByWhom", "By Whom");
  DBCheckBox2 = d.Check("DBCheckBox2", TabSheet3, 8, 8 + kRow, 180, "DoctorReleaseOnFile",
                        "Doctor's Release on File");
  DBDateEdit3 = d.Date("DBDateEdit3", TabSheet3, 200, 8 + kRow, "DateOfDoctorRelease", "Date");
  d.Edit("DBEdit21", TabSheet3, 318, 8 + kRow, 200, "DoctorReleaseByWhom", "By Whom");
  DBMemo1 = d.Make<TDBMemo>("DBMemo1", TabSheet3, 8, 8 + 2 * kRow + kLabelHeight, 510, 120);
  DBMemo1->SetDataSource(data->dsAttendees);
  DBMemo1->SetDataField("Comments");
  d.Caption(TabSheet3, 8, 8 + 2 * kRow, "Comments", DBMemo1);

  TabSheet4 = d.Sheet("TabSheet4", PageControl1, "Medical");
  DBCheckBox3 = d.Check("DBCheckBox3", TabSheet4, 8, 8, 100, "Allergies", "Allergies");
  d.Edit("DBEdit28", TabSheet4, 120, 8, 400, "AllergicTo", "Allergic To");
  DBCheckBox4 = d.Check("DBCheckBox4", TabSheet4, 8, 8 + kRow, 180, "GlassesContacts",
                        "Glasses or Contacts");
  const std::pair<const char*, const char*> medical[] = {
      {"KnownIllnessOneWeekDuration", "Known Illness of One Week Duration"},
      {"BirthDeformities", "Birth Deformities"},
      {"MedicalConditionsBeingTreated", "Medical Conditions Being Treated"},
      {"PreExistingInjuriesBeingTreated", "Pre-Existing Injuries Being Treated"},
      {"FracturesDisibility", "Fractures / Disability"}};
  int row = 2;
  for (const auto& [field, caption] : medical) {
    const String name = "DBEdit" + IntToStr(27 + row);
    d.Edit(name.c_str(), TabSheet4, 8, 8 + row * kRow, 510, field, caption);
    ++row;
  }
  DBEdit34 = d.Edit("DBEdit34", TabSheet4, 8, 8 + row * kRow, 510, "MentalConvulsions",
                    "Mental Illness or Convulsions");

  TabSheet5 = d.Sheet("TabSheet5", PageControl1, "Sessions");
  Label70 = d.Label("Label70", TabSheet5, 8, 8, "Available Sessions");
  DBGrid5 = d.PlacedGrid("DBGrid5", TabSheet5, 8, 24, 608, 150, data->dsSessions,
                         {{"SessionID", "ID"}, {"BeginDate", "Begin Date"}, {"BeginTime", "Begin Time"},
                          {"Location"}, {"EndDate", "End Date"}, {"EndTime", "End Time"}});
  Label71 = d.Label("Label71", TabSheet5, 8, 184, "Sessions");
  DBGrid2 = d.PlacedGrid("DBGrid2", TabSheet5, 8, 200, 300, 180, data->dsAttendeeSession,
                         {{"SessionID", "ID"}, {"SessionType", "Type"}, {"Description"}});
  ComboBox6 = d.Picker("ComboBox6", TabSheet5, 320, 184, 180, "Type", csDropDown);
  ComboBox4 = d.Picker("ComboBox4", TabSheet5, 320, 184 + kRow, 180, "Roommate Request:", csDropDownList);
  ComboBox5 = d.Picker("ComboBox5", TabSheet5, 320, 184 + 2 * kRow, 180, "Teammate Request:",
                       csDropDownList);
  BitBtn2 = d.Push("BitBtn2", TabSheet5, 512, 200, 90, "Sign Up");
  BitBtn3 = d.Push("BitBtn3", TabSheet5, 512, 232, 90, "Remove");

  TabSheet6 = d.Sheet("TabSheet6", PageControl1, "Financial");
  VtDBCalcEdit1 = d.Money<TVtDBCalcEdit>("VtDBCalcEdit1", TabSheet6, 8, 8, "Total Charged", "$,0.##");
  VtDBCalcEdit2 = d.Money<TVtDBCalcEdit>("VtDBCalcEdit2", TabSheet6, 126, 8, "Total Credits", "$,0.##");
  VtDBCalcEdit3 = d.Money<TVtDBCalcEdit>("VtDBCalcEdit3", TabSheet6, 244, 8, "Balance Due", "$,0.##");
  const std::pair<TVtDBCalcEdit*, const char*> totals[] = {
      {VtDBCalcEdit1, "TotalCharged"}, {VtDBCalcEdit2, "TotalCredits"}, {VtDBCalcEdit3, "BalanceDue"}};
  for (const auto& [edit, field] : totals) {
    edit->SetDataSource(data->dsAttendees);
    edit->SetDataField(field);
    edit->SetEnabled(false);
  }
  d.Label("Label72", TabSheet6, 8, 56, "Transaction History");
  DBGrid1 = d.PlacedGrid("DBGrid1", TabSheet6, 8, 72, 360, 300, data->dsAttendeeTrx,
                         {{"DatePaid", "Date"}, {"CheckNo", "Check Number"}, {"AmountPaid", "Amount"}});
  auto* payment = d.Make<TGroupBox>("GroupBox1", TabSheet6, 384, 56, 232, 316);
  payment->SetCaption("Make Payment");
  Label76 = d.Label("Label76", payment, 12, 20, "Session ID");
  ComboBox3 = d.Combo("ComboBox3", payment, 12, 36, 100, {"None"}, 0);
  Label76->SetFocusControl(ComboBox3);
  VtCalcEdit2 = d.Money<TVtCalcEdit>("VtCalcEdit2", payment, 12, 64, "Amount Due", "$,0.00");
  VtCalcEdit2->SetEnabled(false);
  VtCalcEdit1 = d.Money<TVtCalcEdit>("VtCalcEdit1", payment, 12, 64 + kRow, "Payment Amt", "$,0.00");
  Edit2 = d.Make<TEdit>("Edit2", payment, 12, 64 + 2 * kRow + kLabelHeight, 110, 21);
  d.Caption(payment, 12, 64 + 2 * kRow, "Check No.", Edit2);
  BitBtn4 = d.Push("BitBtn4", payment, 12, 64 + 3 * kRow + kLabelHeight, 90, "Pay");
  PageControl1->SetActivePage(TabSheet1);

  BitBtn1 = frame.Done;
  BitBtn1->SetBounds(280, 432, 80, 25);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  for (GDBMaskEdit* edit : {GDBMaskEdit2, GDBMaskEdit3, GDBMaskEdit4, GDBMaskEdit5, GDBMaskEdit6})
    edit->OnExit = [this](TObject* s) { GDBMaskEdit2Exit(s); };
  DBDateEdit1->OnExit = [this](TObject* s) { DBDateEdit1Exit(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  ComboBox2->OnChange = [this](TObject* s) { ComboBox2Change(s); };
  ComboBox3->OnChange = [this](TObject* s) { ComboBox3Change(s); };
  BitBtn2->OnClick = [this](TObject* s) { BitBtn2Click(s); };
  BitBtn3->OnClick = [this](TObject* s) { BitBtn3Click(s); };
  BitBtn4->OnClick = [this](TObject* s) { BitBtn4Click(s); };
  const std::pair<TDBGrid*, void (TAddEditAttendeesForm::*)(TObject*, TMouseButton, TShiftState, int, int)>
      mouseUps[] = {{DBGrid5, &TAddEditAttendeesForm::DBGrid5MouseUp},
                    {DBGrid2, &TAddEditAttendeesForm::DBGrid2MouseUp},
                    {DBGrid1, &TAddEditAttendeesForm::DBGrid1MouseUp}};
  for (const auto& [grid, handler] : mouseUps)
    grid->OnMouseUp = [this, handler](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      (this->*handler)(s, b, sh, x, y);
    };
  const std::pair<TWinControl*, void (TAddEditAttendeesForm::*)(TObject*, char&)> jumps[] = {
      {DBComboBox3, &TAddEditAttendeesForm::DBComboBox3KeyPress},
      {ComboBox1, &TAddEditAttendeesForm::DBComboBox4KeyPress},
      {DBComboBox2, &TAddEditAttendeesForm::DBComboBox2KeyPress},
      {ComboBox2, &TAddEditAttendeesForm::DBComboBox5KeyPress},
      {DBComboBox1, &TAddEditAttendeesForm::DBComboBox1KeyPress},
      {DBEdit27, &TAddEditAttendeesForm::DBEdit27KeyPress},
      {DBMemo1, &TAddEditAttendeesForm::DBMemo1KeyPress},
      {DBEdit34, &TAddEditAttendeesForm::DBEdit34KeyPress}};
  for (const auto& [control, handler] : jumps)
    control->OnKeyPress = [this, handler](TObject* s, char& key) { (this->*handler)(s, key); };
  vt::BindEditorKeys(this);
  d.Finish();
}
