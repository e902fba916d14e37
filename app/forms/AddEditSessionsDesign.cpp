// The stored design of TAddEditSessionsForm: the editor frame, the three pages with their bound
// controls, the type and room grids, and the handler bindings.
#include "app/DBMaskEdit.h"
#include "app/SQLData.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBDateEdit.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

const char* const kTimeMask = "!90:00>L;1;_";
const char* const kZipMask = "00000\\-9999;1;_";

// A session column in an edit of the first page, with its label on the left.
template <class Edit>
Edit* Bound(vt::FormDesigner& d, const char* name, TWinControl* page, int left, int top, int width,
            const char* label, const char* labelName, const char* field) {
  TLabel* caption = d.Label(labelName, page, left, top + 4, label);
  Edit* edit = d.Make<Edit>(name, page, left + 112, top, width, 21);
  caption->SetFocusControl(edit);  // names the field for a screen reader, not the label above it
  edit->SetDataSource(SQLDataModule->dsSessions);
  edit->SetDataField(field);
  return edit;
}

GDBMaskEdit* BoundMasked(vt::FormDesigner& d, const char* name, TWinControl* page, int left, int top, int width,
                         const char* label, const char* labelName, const char* field, const char* mask) {
  GDBMaskEdit* edit = Bound<GDBMaskEdit>(d, name, page, left, top, width, label, labelName, field);
  edit->SetEditMask(mask);
  return edit;
}

TDBDateEdit* BoundDate(vt::FormDesigner& d, const char* name, TWinControl* page, int left, int top,
                       const char* label, const char* labelName, const char* field) {
  TDBDateEdit* edit = Bound<TDBDateEdit>(d, name, page, left, top, 100, label, labelName, field);
  edit->SetCheckOnExit(true);
  return edit;
}

TVtCalcEdit* Amount(vt::FormDesigner& d, const char* name, TWinControl* page, int left, int top,
                    const char* label, const char* labelName) {
  d.Label(labelName, page, left, top + 4, label);
  return d.Make<TVtCalcEdit>(name, page, left + 128, top, 90, 21);
}

const std::initializer_list<vt::ColumnDesign> kRoomColumns = {
    {"HotelName", "Hotel Name"}, {"RoomNumber", "Room Number"}, {"NumberInRoom", "Number In Room"},
    {"NumberAvailable", "Number Available"}};

// A titled list of the session's rooms with its delete button.
TDBGrid* RoomList(vt::FormDesigner& d, TPanel*& title, const char* panelName, const char* caption,
                  const char* gridName, TWinControl* page, int left, TDataSource* rooms) {
  title = d.Make<TPanel>(panelName, page, left, 104, 300, 22);
  title->SetCaption(caption);
  TDBGrid* grid = d.Grid(gridName, page, alNone, 0, kRoomColumns);
  grid->SetBounds(left, 126, 300, 190);
  grid->SetDataSource(rooms);
  return grid;
}

}  // namespace

void TAddEditSessionsForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddEditSessionsForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "Sessions", "BitBtn1", true);
  SetClientWidth(640);
  SetClientHeight(440);
  CheckBox1 = frame.AddEditFlag;
  BitBtn1 = frame.Done;
  BitBtn1->SetBounds(280, 404, 80, 25);

  PageControl1 = d.Pages("PageControl1", this, alNone);
  PageControl1->SetBounds(8, 8, 624, 388);

  TabSheet1 = d.Sheet("TabSheet1", PageControl1, "Session Information");
  DBEdit2 = Bound<TDBEdit>(d, "DBEdit2", TabSheet1, 8, 12, 300, "Description", "Label1", "Description");
  DBDateEdit1 = BoundDate(d, "DBDateEdit1", TabSheet1, 8, 40, "Begin Date", "Label2", "BeginDate");
  GDBMaskEdit1 = BoundMasked(d, "GDBMaskEdit1", TabSheet1, 256, 40, 70, "Begin Time", "Label3", "BeginTime", kTimeMask);
  DBDateEdit2 = BoundDate(d, "DBDateEdit2", TabSheet1, 8, 68, "End Date", "Label4", "EndDate");
  GDBMaskEdit2 = BoundMasked(d, "GDBMaskEdit2", TabSheet1, 256, 68, 70, "End Time", "Label5", "EndTime", kTimeMask);
  DBDateEdit3 = BoundDate(d, "DBDateEdit3", TabSheet1, 8, 96, "Check In Date", "Label6", "CheckInDate");
  GDBMaskEdit3 =
      BoundMasked(d, "GDBMaskEdit3", TabSheet1, 256, 96, 70, "Check In Time", "Label7", "CheckInTime", kTimeMask);
  DBDateEdit4 = BoundDate(d, "DBDateEdit4", TabSheet1, 8, 124, "Check Out Date", "Label8", "CheckOutDate");
  GDBMaskEdit4 =
      BoundMasked(d, "GDBMaskEdit4", TabSheet1, 256, 124, 70, "Check Out Time", "Label9", "CheckOutTime", kTimeMask);
  DBEdit3 = Bound<TDBEdit>(d, "DBEdit3", TabSheet1, 8, 152, 300, "Location", "Label10", "Location");
  DBEdit4 = Bound<TDBEdit>(d, "DBEdit4", TabSheet1, 8, 180, 300, "Address", "Label11", "LocationAddress");
  DBEdit5 = Bound<TDBEdit>(d, "DBEdit5", TabSheet1, 8, 208, 130, "City", "Label12", "LocationCity");
  DBEdit6 = Bound<TDBEdit>(d, "DBEdit6", TabSheet1, 256, 208, 40, "State", "Label13", "LocationState");
  GDBMaskEdit5 = BoundMasked(d, "GDBMaskEdit5", TabSheet1, 8, 236, 80, "Zip", "Label14", "LocationZip", kZipMask);
  DBCheckBox1 = d.Make<TDBCheckBox>("DBCheckBox1", TabSheet1, 120, 264, 120, 17);
  DBCheckBox1->SetCaption("Team Camp");
  DBCheckBox1->SetDataSource(SQLDataModule->dsSessions);
  DBCheckBox1->SetDataField("TeamCamp");
  DBCheckBox1->SetValueChecked("True");
  DBCheckBox1->SetValueUnchecked("False");
  DBDateEdit5 = BoundDate(d, "DBDateEdit5", TabSheet1, 8, 292, "Balance Due Date", "Label15", "BalanceDueDate");

  TabSheet2 = d.Sheet("TabSheet2", PageControl1, "Financial and Comments");
  d.Label("Label16", TabSheet2, 8, 8, "Comments");
  DBMemo1 = d.Make<TDBMemo>("DBMemo1", TabSheet2, 8, 24, 600, 72);
  DBMemo1->SetDataSource(SQLDataModule->dsSessions);
  DBMemo1->SetDataField("Comments");
  DBGrid2 = d.Grid("DBGrid2", TabSheet2, alNone, 0,
                   {{"Type"}, {"Description"}, {"PerRoomMaximum", "Per Room Maximum"}, {"TotalCosts", "Total Costs"},
                    {"DepositAmount", "Deposit Amount"}});
  DBGrid2->SetBounds(8, 104, 600, 170);
  DBGrid2->SetDataSource(SQLDataModule->dsSessionSessionTypes);
  VtCalcEdit2 = Amount(d, "VtCalcEdit2", TabSheet2, 8, 284, "New Total Costs", "Label17");
  VtCalcEdit3 = Amount(d, "VtCalcEdit3", TabSheet2, 8, 312, "New Deposit Amount", "Label18");
  BitBtn3 = d.Push("BitBtn3", TabSheet2, 240, 296, 120, "Change Amounts");
  BitBtn4 = d.Push("BitBtn4", TabSheet2, 440, 296, 160, "Import Default Types");

  TabSheet3 = d.Sheet("TabSheet3", PageControl1, "Rooms");
  d.Label("Label19", TabSheet3, 8, 12, "Hotel Name");
  Edit1 = d.Make<TEdit>("Edit1", TabSheet3, 112, 8, 180, 21);
  d.Label("Label20", TabSheet3, 8, 40, "Room Number(s)");
  Edit2 = d.Make<TEdit>("Edit2", TabSheet3, 112, 36, 180, 21);
  d.Label("Label21", TabSheet3, 8, 68, "Number In Room");
  VtCalcEdit1 = d.Make<TVtCalcEdit>("VtCalcEdit1", TabSheet3, 112, 64, 64, 21);
  VtCalcEdit1->SetDecimalPlaces(0);
  CheckBox2 = d.Make<TCheckBox>("CheckBox2", TabSheet3, 312, 10, 150, 17);
  CheckBox2->SetCaption("Chaperone Room?");
  BitBtn2 = d.Push("BitBtn2", TabSheet3, 312, 60, 120, "Add This Room");
  DBGrid3 = RoomList(d, Panel7, "Panel7", "Attendee Rooms", "DBGrid3", TabSheet3, 8, SQLDataModule->dsRooms);
  BitBtn6 = d.Push("BitBtn6", TabSheet3, 8, 324, 150, "Delete Selected Room");
  DBGrid1 = RoomList(d, Panel6, "Panel6", "Chaperone Rooms", "DBGrid1", TabSheet3, 316, SQLDataModule->dsCRooms);
  BitBtn5 = d.Push("BitBtn5", TabSheet3, 316, 324, 150, "Delete Selected Room");
  PageControl1->SetActivePage(TabSheet1);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  DBEdit2->OnExit = [this](TObject* s) { DBEdit2Exit(s); };
  GDBMaskEdit5->OnExit = [this](TObject* s) { GDBMaskEdit5Exit(s); };
  GDBMaskEdit5->OnKeyPress = [this](TObject* s, char& k) { GDBMaskEdit5KeyPress(s, k); };
  for (TWinControl* edit : std::initializer_list<TWinControl*>{
           DBEdit2, DBDateEdit1, GDBMaskEdit1, DBDateEdit2, GDBMaskEdit2, DBDateEdit3, GDBMaskEdit3, DBDateEdit4,
           GDBMaskEdit4, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBCheckBox1, DBDateEdit5, VtCalcEdit2, VtCalcEdit3,
           Edit1, Edit2, VtCalcEdit1})
    edit->OnKeyPress = [this](TObject* s, char& k) { DBCheckBox1KeyPress(s, k); };
  const std::pair<TBitBtn*, void (TAddEditSessionsForm::*)(TObject*)> buttons[] = {
      {BitBtn1, &TAddEditSessionsForm::BitBtn1Click}, {BitBtn2, &TAddEditSessionsForm::BitBtn2Click},
      {BitBtn3, &TAddEditSessionsForm::BitBtn3Click}, {BitBtn4, &TAddEditSessionsForm::BitBtn4Click},
      {BitBtn5, &TAddEditSessionsForm::BitBtn5Click}, {BitBtn6, &TAddEditSessionsForm::BitBtn6Click}};
  for (const auto& [button, handler] : buttons) button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  DBGrid1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DBGrid1MouseUp(s, b, sh, x, y); };
  vt::BindEditorKeys(this);
  d.Finish();
}
