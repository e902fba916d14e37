// The stored design of TEditCompanyForm: seven pages, the company record's bound controls, the
// four list pages with their grids and entry panels, the database page, and the handler bindings.
#include "app/forms/EditCompany.h"

#include "app/DBMaskEdit.h"
#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/MaskEdit.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/grids/DBGrids.h"

namespace {

// The controls of one kind, bound or not, made the same way on every page.
class CompanyDesigner {
public:
  explicit CompanyDesigner(vt::FormDesigner& d) : d_(d) {}

  TDBEdit* DBEdit(const char* name, TWinControl* parent, int left, int top, int width, TDataSource* source,
                  const char* field) {
    auto* edit = d_.Make<TDBEdit>(name, parent, left, top, width, 21);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
  }
  GDBMaskEdit* MaskEdit(const char* name, TWinControl* parent, int left, int top, int width, TDataSource* source,
                        const char* field, const char* mask) {
    auto* edit = d_.Make<GDBMaskEdit>(name, parent, left, top, width, 21);
    edit->SetEditMask(mask);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
  }
  TVtDBCalcEdit* DBNumber(const char* name, TWinControl* parent, int left, int top, TDataSource* source,
                          const char* field, const char* format = ",0") {
    auto* edit = d_.Make<TVtDBCalcEdit>(name, parent, left, top, 90, 21);
    edit->SetDisplayFormat(format);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
  }
  TEdit* Edit(const char* name, TWinControl* parent, int left, int top, int width) {
    return d_.Make<TEdit>(name, parent, left, top, width, 21);
  }
  TVtCalcEdit* Number(const char* name, TWinControl* parent, int left, int top, const char* format = ",0") {
    auto* edit = d_.Make<TVtCalcEdit>(name, parent, left, top, 90, 21);
    edit->SetDisplayFormat(format);
    return edit;
  }
  // The grid of a list page over the upper part of the sheet.
  TDBGrid* ListGrid(const char* name, TTabSheet* sheet, TDataSource* source,
                    std::initializer_list<vt::ColumnDesign> columns) {
    TDBGrid* grid = d_.Grid(name, sheet, alTop, 200, columns);
    grid->SetDataSource(source);
    return grid;
  }
  // Add, Edit, Delete and the hidden Save of a list page, in a row under its grid.
  void ListButtons(TTabSheet* sheet, TBitBtn*& add, const char* addName, TBitBtn*& edit, const char* editName,
                   TBitBtn*& del, const char* deleteName, TBitBtn*& save, const char* saveName) {
    add = d_.Push(addName, sheet, 8, 208, 75, "Add");
    edit = d_.Push(editName, sheet, 88, 208, 75, "Edit");
    del = d_.Push(deleteName, sheet, 168, 208, 75, "Delete");
    save = d_.Push(saveName, sheet, 448, 208, 75, "Save");
    save->SetVisible(false);
  }
  TLabel* PanelLabel(const char* name, TTabSheet* sheet, int left, const char* caption) {
    TLabel* label = d_.Label(name, sheet, left, 240, caption);
    label->SetVisible(false);
    return label;
  }
  template <class Control>
  Control* Hidden(Control* control) {
    control->SetVisible(false);
    return control;
  }

private:
  vt::FormDesigner& d_;
};

}  // namespace

void TEditCompanyForm::CreateDesign() {
  vt::FormDesigner d(this);
  CompanyDesigner c(d);
  SetName("EditCompanyForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "Edit Company Information", "BitBtn4", false);
  SetClientWidth(800);
  SetClientHeight(400);
  BitBtn4 = frame.Done;
  BitBtn4->SetBounds(710, 368, 80, 25);
  TSQLDataModule* data = SQLDataModule;

  PageControl1 = d.Pages("PageControl1", this, alTop, 360);

  TabSheet1 = d.Sheet("TabSheet1", PageControl1, "System Information");
  TDataSource* company = data->dsCoSYS;
  d.Label("Label1", TabSheet1, 8, 8, "Company Name");
  DBEdit1 = c.DBEdit("DBEdit1", TabSheet1, 8, 24, 250, company, "CompanyName");
  d.Label("Label2", TabSheet1, 8, 50, "Director's Name");
  DBEdit2 = c.DBEdit("DBEdit2", TabSheet1, 8, 66, 250, company, "DirectorName");
  d.Label("Label3", TabSheet1, 8, 92, "Address");
  DBEdit3 = c.DBEdit("DBEdit3", TabSheet1, 8, 108, 250, company, "Address");
  d.Label("Label4", TabSheet1, 8, 134, "City");
  DBEdit4 = c.DBEdit("DBEdit4", TabSheet1, 8, 150, 130, company, "City");
  d.Label("Label5", TabSheet1, 144, 134, "State");
  DBEdit5 = c.DBEdit("DBEdit5", TabSheet1, 144, 150, 40, company, "State");
  d.Label("Label6", TabSheet1, 190, 134, "Zip Code");
  GDBMaskEdit3 = c.MaskEdit("GDBMaskEdit3", TabSheet1, 190, 150, 80, company, "ZipCode", "00000\\-9999;1;_");
  d.Label("Label7", TabSheet1, 8, 176, "Phone Number");
  GDBMaskEdit1 = c.MaskEdit("GDBMaskEdit1", TabSheet1, 8, 192, 120, company, "PhoneNumber", "!\\(999\\)000-0000;1;_");
  d.Label("Label8", TabSheet1, 136, 176, "Fax Number");
  GDBMaskEdit2 = c.MaskEdit("GDBMaskEdit2", TabSheet1, 136, 192, 120, company, "FaxNumber", "!\\(999\\)000-0000;1;_");
  d.Label("Label9", TabSheet1, 8, 218, "Email Address");
  DBEdit6 = c.DBEdit("DBEdit6", TabSheet1, 8, 234, 250, company, "EmailAddress");

  Panel1 = d.Make<TPanel>("Panel1", TabSheet1, 276, 4, 270, 324);
  Panel1->SetCaption("");
  d.Label("Label10", Panel1, 8, 4, "System Configuration");
  struct Noun {
    TDBEdit*& singular;
    const char* singularName;
    const char* singularField;
    TDBEdit*& plural;
    const char* pluralName;
    const char* pluralField;
    const char* question;
  };
  const Noun nouns[] = {
      {DBEdit7, "DBEdit7", "Attendees", DBEdit8, "DBEdit8", "AttendeesP", "How do we refer to attendees?"},
      {DBEdit9, "DBEdit9", "Chaperones", DBEdit10, "DBEdit10", "ChaperonesP", "How do we refer to chaperones?"},
      {DBEdit11, "DBEdit11", "Sessions", DBEdit17, "DBEdit17", "SessionsP", "How do we refer to sessions?"},
      {DBEdit18, "DBEdit18", "AgeGroups", DBEdit19, "DBEdit19", "AgeGroupsP", "How do we refer to age groups?"},
      {DBEdit20, "DBEdit20", "Teams", DBEdit21, "DBEdit21", "TeamsP", "How do we refer to teams?"}};
  int top = 24;
  for (const Noun& noun : nouns) {
    TLabel* question = d.Make<TLabel>((String("Label") + noun.singularName).c_str(), Panel1, 8, top, 250, 13);
    question->SetCaption(noun.question);
    noun.singular = c.DBEdit(noun.singularName, Panel1, 8, top + 16, 120, company, noun.singularField);
    noun.plural = c.DBEdit(noun.pluralName, Panel1, 136, top + 16, 120, company, noun.pluralField);
    top += 46;
  }
  d.Label("Label11", Panel1, 8, top + 4, "Age at which to remove people:");
  VtDBCalcEdit7 = c.DBNumber("VtDBCalcEdit7", Panel1, 200, top, company, "AgeToRemoveAttendees");
  VtDBCalcEdit7->SetWidth(56);

  TabSheet7 = d.Sheet("TabSheet7", PageControl1, "Letters");
  d.Label("Label12", TabSheet7, 8, 8, "Confirmmation Letter Text:");
  DBMemo1 = d.Make<TDBMemo>("DBMemo1", TabSheet7, 8, 24, 536, 140);
  DBMemo1->SetDataSource(company);
  DBMemo1->SetDataField("ConfirmationLetterText");
  d.Label("Label13", TabSheet7, 8, 172, "Thank You Letter Text:");
  DBMemo2 = d.Make<TDBMemo>("DBMemo2", TabSheet7, 8, 188, 536, 140);
  DBMemo2->SetDataSource(company);
  DBMemo2->SetDataField("ThankYouLetterText");

  TabSheet2 = d.Sheet("TabSheet2", PageControl1, "Positions");
  DBGrid1 = c.ListGrid("DBGrid1", TabSheet2, data->dsPositions,
                       {{"APosition", "Symbol"}, {"Description"}, {"NumberOnTeam", "Number On Teams"}});
  c.ListButtons(TabSheet2, BitBtn1, "BitBtn1", BitBtn15, "BitBtn15", BitBtn3, "BitBtn3", BitBtn10, "BitBtn10");
  TLabel* positionLabels[] = {c.PanelLabel("Label14", TabSheet2, 8, "Symbol"),
                              c.PanelLabel("Label15", TabSheet2, 104, "Description"),
                              c.PanelLabel("Label19", TabSheet2, 312, "Number on Teams")};
  Label19 = positionLabels[2];
  Edit1 = c.Hidden(c.Edit("Edit1", TabSheet2, 8, 256, 90));
  Edit2 = c.Hidden(c.Edit("Edit2", TabSheet2, 104, 256, 200));
  VtCalcEdit1 = c.Hidden(c.Number("VtCalcEdit1", TabSheet2, 312, 256));
  DBEdit12 = c.Hidden(c.DBEdit("DBEdit12", TabSheet2, 8, 256, 90, data->dsPositions, "APosition"));
  DBEdit13 = c.Hidden(c.DBEdit("DBEdit13", TabSheet2, 104, 256, 200, data->dsPositions, "Description"));
  VtDBCalcEdit1 = c.Hidden(c.DBNumber("VtDBCalcEdit1", TabSheet2, 312, 256, data->dsPositions, "NumberOnTeam"));
  Positions.Table = data->tPositions;
  Positions.AddButton = BitBtn1;
  Positions.EditButton = BitBtn15;
  Positions.SaveButton = BitBtn10;
  Positions.AddSet = {{"APosition", Edit1, true}, {"Description", Edit2, true}, {"NumberOnTeam", VtCalcEdit1, false}};
  Positions.EditSet = {DBEdit12, DBEdit13, VtDBCalcEdit1};
  Positions.Labels = {positionLabels[0], positionLabels[1], positionLabels[2]};
  Positions.Texts = {"This position already exists.", "Are you sure you want to delete this position?",
                     "Unable to save the record. Please make sure this position does not exist.",
                     "An error occured while processing the record. Please be sure that the position does not "
                     "already exist."};

  TabSheet3 = d.Sheet("TabSheet3", PageControl1, "Shirt / Uniform Sizes");
  DBGrid2 = c.ListGrid("DBGrid2", TabSheet3, data->dsShirtSizes,
                       {{"ShirtSize", "Shirt Size"}, {"ShirtSizeDescription", "Shirt Size Description"}});
  c.ListButtons(TabSheet3, BitBtn5, "BitBtn5", BitBtn16, "BitBtn16", BitBtn7, "BitBtn7", BitBtn11, "BitBtn11");
  Edit3 = c.Hidden(c.Edit("Edit3", TabSheet3, 8, 256, 90));
  Edit4 = c.Hidden(c.Edit("Edit4", TabSheet3, 104, 256, 250));
  DBEdit14 = c.Hidden(c.DBEdit("DBEdit14", TabSheet3, 8, 256, 90, data->dsShirtSizes, "ShirtSize"));
  DBEdit15 = c.Hidden(c.DBEdit("DBEdit15", TabSheet3, 104, 256, 250, data->dsShirtSizes, "ShirtSizeDescription"));
  ShirtSizes.Table = data->tShirtSizes;
  ShirtSizes.AddButton = BitBtn5;
  ShirtSizes.EditButton = BitBtn16;
  ShirtSizes.SaveButton = BitBtn11;
  ShirtSizes.AddSet = {{"ShirtSize", Edit3, true}, {"ShirtSizeDescription", Edit4, true}};
  ShirtSizes.EditSet = {DBEdit14, DBEdit15};
  ShirtSizes.Labels = {c.PanelLabel("Label16", TabSheet3, 8, "Shirt Size"),
                       c.PanelLabel("Label17", TabSheet3, 104, "Shirt Size Description")};
  ShirtSizes.Texts = {"This shirt size already exists.", "Are you sure you want to delete this size?",
                      "Unable to save the record. Please make sure this shirt size does not exist.",
                      "An error occured while processing the record. Please be sure that the shirt size does not "
                      "already exist."};

  TabSheet4 = d.Sheet("TabSheet4", PageControl1, "Default Leagues");
  DBGrid3 = c.ListGrid("DBGrid3", TabSheet4, data->dsDefaultLeagues,
                       {{"LeagueName", "Name"}, {"BeginAgeRange", "Beginning Age"}, {"EndAgeRange", "Ending Age"},
                        {"BeginGradeRange", "Beginning Grade"}, {"EndGradeRange", "Ending Grade"}});
  c.ListButtons(TabSheet4, BitBtn2, "BitBtn2", BitBtn14, "BitBtn14", BitBtn6, "BitBtn6", BitBtn12, "BitBtn12");
  Edit5 = c.Hidden(c.Edit("Edit5", TabSheet4, 8, 256, 130));
  VtCalcEdit2 = c.Hidden(c.Number("VtCalcEdit2", TabSheet4, 144, 256));
  VtCalcEdit3 = c.Hidden(c.Number("VtCalcEdit3", TabSheet4, 240, 256));
  VtCalcEdit4 = c.Hidden(c.Number("VtCalcEdit4", TabSheet4, 336, 256));
  VtCalcEdit5 = c.Hidden(c.Number("VtCalcEdit5", TabSheet4, 432, 256));
  TDataSource* leagues = data->dsDefaultLeagues;
  DBEdit16 = c.Hidden(c.DBEdit("DBEdit16", TabSheet4, 8, 256, 130, leagues, "LeagueName"));
  VtDBCalcEdit2 = c.Hidden(c.DBNumber("VtDBCalcEdit2", TabSheet4, 144, 256, leagues, "BeginAgeRange"));
  VtDBCalcEdit3 = c.Hidden(c.DBNumber("VtDBCalcEdit3", TabSheet4, 240, 256, leagues, "EndAgeRange"));
  VtDBCalcEdit4 = c.Hidden(c.DBNumber("VtDBCalcEdit4", TabSheet4, 336, 256, leagues, "BeginGradeRange"));
  VtDBCalcEdit5 = c.Hidden(c.DBNumber("VtDBCalcEdit5", TabSheet4, 432, 256, leagues, "EndGradeRange"));
  DefaultLeagues.Table = data->tDefaultLeagues;
  DefaultLeagues.AddButton = BitBtn2;
  DefaultLeagues.EditButton = BitBtn14;
  DefaultLeagues.SaveButton = BitBtn12;
  DefaultLeagues.AddSet = {{"LeagueName", Edit5, true},
                           {"BeginAgeRange", VtCalcEdit2, false},
                           {"EndAgeRange", VtCalcEdit3, false},
                           {"BeginGradeRange", VtCalcEdit4, false},
                           {"EndGradeRange", VtCalcEdit5, false}};
  DefaultLeagues.EditSet = {DBEdit16, VtDBCalcEdit2, VtDBCalcEdit3, VtDBCalcEdit4, VtDBCalcEdit5};
  DefaultLeagues.Labels = {c.PanelLabel("Label18", TabSheet4, 8, "Name"),
                           c.PanelLabel("Label20", TabSheet4, 144, "Beginning Age"),
                           c.PanelLabel("Label21", TabSheet4, 240, "Ending Age"),
                           c.PanelLabel("Label22", TabSheet4, 336, "Beginning Grade"),
                           c.PanelLabel("Label23", TabSheet4, 432, "Ending Grade")};
  DefaultLeagues.Texts = {"This record already exists.", "Are you sure you want to delete this record?",
                          "Unable to save the record. Please make sure this record does not exist.",
                          "An error occured while processing the record. Please be sure that the record does not "
                          "already exist."};

  TabSheet5 = d.Sheet("TabSheet5", PageControl1, "Default Session Types");
  TDataSource* types = data->dsSessionTypes;
  DBGrid4 = c.ListGrid("DBGrid4", TabSheet5, types,
                       {{"Type"}, {"Description"}, {"PerRoomMaximum", "Per Room Default"}, {"TotalCosts"},
                        {"DepositAmount"}});
  c.ListButtons(TabSheet5, BitBtn8, "BitBtn8", BitBtn17, "BitBtn17", BitBtn9, "BitBtn9", BitBtn13, "BitBtn13");
  MaskEdit1 = c.Hidden(d.Make<TMaskEdit>("MaskEdit1", TabSheet5, 8, 256, 40, 21));
  MaskEdit1->SetEditMask("!L;1;_");
  Edit7 = c.Hidden(c.Edit("Edit7", TabSheet5, 56, 256, 170));
  VtCalcEdit6 = c.Hidden(c.Number("VtCalcEdit6", TabSheet5, 232, 256));
  VtCalcEdit7 = c.Hidden(c.Number("VtCalcEdit7", TabSheet5, 328, 256, "$,0.00"));
  VtCalcEdit8 = c.Hidden(c.Number("VtCalcEdit8", TabSheet5, 424, 256, "$,0.00"));
  GDBMaskEdit9 = c.Hidden(c.MaskEdit("GDBMaskEdit9", TabSheet5, 8, 256, 40, types, "Type", "!L;1;_"));
  DBEdit23 = c.Hidden(c.DBEdit("DBEdit23", TabSheet5, 56, 256, 170, types, "Description"));
  VtDBCalcEdit6 = c.Hidden(c.DBNumber("VtDBCalcEdit6", TabSheet5, 232, 256, types, "PerRoomMaximum"));
  VtDBCalcEdit8 = c.Hidden(c.DBNumber("VtDBCalcEdit8", TabSheet5, 328, 256, types, "TotalCosts", "$,0.00"));
  VtDBCalcEdit9 = c.Hidden(c.DBNumber("VtDBCalcEdit9", TabSheet5, 424, 256, types, "DepositAmount", "$,0.00"));
  for (TControl* perRoom : {static_cast<TControl*>(VtCalcEdit6), static_cast<TControl*>(VtDBCalcEdit6)}) {
    perRoom->SetHint("If you set this to zero, this\ntype does not allow rooms.");
    perRoom->SetShowHint(true);
  }
  SessionTypes.Table = data->tSessionTypes;
  SessionTypes.AddButton = BitBtn8;
  SessionTypes.EditButton = BitBtn17;
  SessionTypes.SaveButton = BitBtn13;
  SessionTypes.AddSet = {{"Type", MaskEdit1, true},
                         {"Description", Edit7, true},
                         {"PerRoomMaximum", VtCalcEdit6, false},
                         {"TotalCosts", VtCalcEdit7, false, false},
                         {"DepositAmount", VtCalcEdit8, false, false}};
  SessionTypes.EditSet = {GDBMaskEdit9, DBEdit23, VtDBCalcEdit6, VtDBCalcEdit8, VtDBCalcEdit9};
  SessionTypes.Labels = {c.PanelLabel("Label24", TabSheet5, 8, "Type"),
                         c.PanelLabel("Label25", TabSheet5, 56, "Description"),
                         c.PanelLabel("Label26", TabSheet5, 232, "Per Room Default"),
                         c.PanelLabel("Label27", TabSheet5, 328, "Total Costs"),
                         c.PanelLabel("Label28", TabSheet5, 424, "Deposit Amount")};
  SessionTypes.Texts = {"This type already exists.", "Are you sure you want to delete this type?",
                        "Unable to save the record. Please make sure this type does not exist.",
                        "An error occured while processing the record. Please be sure that the type does not "
                        "already exist."};

  TabSheet6 = d.Sheet("TabSheet6", PageControl1, "Database");
  d.Label("Label29", TabSheet6, 8, 8, "Change Database Path");
  d.Label("Label30", TabSheet6, 8, 36, "FileName");
  DBNameEdit = c.Edit("DBNameEdit", TabSheet6, 8, 52, 200);
  DBNameBtn = d.Push("DBNameBtn", TabSheet6, 216, 50, 75, "Browse");
  d.Label("Label31", TabSheet6, 8, 80, "Directory");
  DirectoryEdit = c.Edit("DirectoryEdit", TabSheet6, 8, 96, 400);
  BitBtn18 = d.Push("BitBtn18", TabSheet6, 8, 128, 75, "Change");
  TLabel* warning = d.Make<TLabel>("Label32", TabSheet6, 8, 164, 536, 40);
  warning->SetWordWrap(true);
  warning->SetCaption("Warning: choosing a database that does not belong to this program can cause loss of data.");
  BitBtn19 = d.Push("BitBtn19", TabSheet6, 8, 216, 140, "Compact Database");
  OpenDialog1 = d.Make<TOpenDialog>("OpenDialog1");
  OpenDialog1->SetFilter("MS Access Database|*.mdb");

  OnActivate = [this](TObject* s) { FormActivate(s); };
  BitBtn4->OnClick = [this](TObject* s) { BitBtn4Click(s); };
  DBEdit21->OnExit = [this](TObject* s) { DBEdit21Exit(s); };
  VtDBCalcEdit7->OnExit = [this](TObject* s) { VtDBCalcEdit7Exit(s); };
  GDBMaskEdit3->OnExit = [this](TObject* s) { GDBMaskEdit3Exit(s); };
  const std::pair<TBitBtn*, void (TEditCompanyForm::*)(TObject*)> clicks[] = {
      {BitBtn1, &TEditCompanyForm::BitBtn1Click},   {BitBtn15, &TEditCompanyForm::BitBtn15Click},
      {BitBtn10, &TEditCompanyForm::BitBtn10Click}, {BitBtn3, &TEditCompanyForm::BitBtn3Click},
      {BitBtn5, &TEditCompanyForm::BitBtn5Click},   {BitBtn16, &TEditCompanyForm::BitBtn16Click},
      {BitBtn11, &TEditCompanyForm::BitBtn11Click}, {BitBtn7, &TEditCompanyForm::BitBtn7Click},
      {BitBtn2, &TEditCompanyForm::BitBtn2Click},   {BitBtn14, &TEditCompanyForm::BitBtn14Click},
      {BitBtn12, &TEditCompanyForm::BitBtn12Click}, {BitBtn6, &TEditCompanyForm::BitBtn6Click},
      {BitBtn8, &TEditCompanyForm::BitBtn8Click},   {BitBtn17, &TEditCompanyForm::BitBtn17Click},
      {BitBtn13, &TEditCompanyForm::BitBtn13Click}, {BitBtn9, &TEditCompanyForm::BitBtn9Click},
      {DBNameBtn, &TEditCompanyForm::DBNameBtnClick}, {BitBtn18, &TEditCompanyForm::BitBtn18Click},
      {BitBtn19, &TEditCompanyForm::BitBtn19Click}};
  for (const auto& [button, handler] : clicks) button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  DBGrid1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DBGrid1MouseUp(s, b, sh, x, y); };
  DBGrid2->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DBGrid2MouseUp(s, b, sh, x, y); };
  DBGrid3->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DBGrid3MouseUp(s, b, sh, x, y); };
  DBGrid4->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DBGrid4MouseUp(s, b, sh, x, y); };
  vt::BindEditorKeys(this);
  d.Finish();
}
