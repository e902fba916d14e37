// The stored design of the main window: actions and tool bar, the page control with its pages,
// the search and session panels, the grids with their columns, and the handler bindings.
#include <initializer_list>
#include <utility>

#include "app/SQLData.h"
#include "app/forms/FormDesigner.h"
#include "app/forms/Main.h"
#include "components/edits/CurrEdit.h"
#include "rtl/StringList.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

using vt::ColumnDesign;

// The main window's own shapes: an action on its tool bar, the room pages' command bar and arrow column.
class MainDesigner : public vt::FormDesigner {
public:
  using FormDesigner::FormDesigner;

  TAction* Action(const char* name, TActionManager* manager, const char* caption, const char* hint = "") {
    auto* action = Make<TAction>(name);
    action->SetCaption(caption);
    action->SetHint(hint);
    action->SetActionList(manager);
    return action;
  }

  // The room pages' "Auto Assign Rooms" bar, below the session bar.
  TPanel* RoomCommands(const char* name, TWinControl* page) {
    TPanel* panel = Bar(name, page, 40);
    panel->SetAlignment(taLeftJustify);
    panel->SetCaption("Auto Assign Rooms");
    return panel;
  }

  // The column beside the rooms grid that holds the arrow buttons.
  TPanel* RoomArrows(const char* name, TWinControl* page) {
    TPanel* panel = Make<TPanel>(name, page, alLeft, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    return panel;
  }
};

}  // namespace

void TMainForm::CreateDesign() {
  MainDesigner d(this);
  SetName("MainForm");
  SetCaption("Tracking Program");
  Font()->SetName("MS Sans Serif");
  SetBounds(0, 0, 1024, 740);

  ActionManager1 = d.Make<TActionManager>("ActionManager1");
  FileExit1 = d.Action("FileExit1", ActionManager1, "E&xit", "Exit|Quits the application");
  acEdit = d.Action("acEdit", ActionManager1, "Edit");
  acAdd = d.Action("acAdd", ActionManager1, "Add");
  acDelete = d.Action("acDelete", ActionManager1, "Delete");
  Action1 = d.Action("Action1", ActionManager1, "About");
  HelpContents1 = d.Action("HelpContents1", ActionManager1, "Help", "Help Contents");
  HelpContents1->SetCategory("Help");
  Action3 = d.Action("Action3", ActionManager1, "Refresh Data");
  ActionToolBar1 = d.Make<TActionToolBar>("ActionToolBar1", this, alTop, 28);
  ActionToolBar1->SetActionManager(ActionManager1);

  PageControl1 = d.Pages("PageControl1", this, alClient);
  const std::initializer_list<ColumnDesign> roomColumns = {
      {"HotelName", "Hotel Name"}, {"RoomNumber", "Room"}, {"NumberInRoom", "Total"},
      {"NumberAvailable", "Available"}};

  TabSheet1 = d.Sheet("TabSheet1", PageControl1, "Attendees");
  Panel1 = d.Bar("Panel1", TabSheet1, 44);
  Label1 = d.Label("Label1", Panel1, 8, 14, "Search:");
  Edit1 = d.Make<TEdit>("Edit1", Panel1, 56, 10, 160, 21);
  ComboBox1 = d.Combo("ComboBox1", Panel1, 224, 10, 110, {"Last Name", "Grade", "City", "First Name", "ZipCode"}, 0);
  BitBtn2 = d.Push("BitBtn2", Panel1, 344, 8, 75, "Search");
  BitBtn3 = d.Push("BitBtn3", Panel1, 424, 8, 75, "Reset");
  BitBtn1 = d.Push("BitBtn1", Panel1, 520, 8, 140, "Edit Company Info");
  BitBtn14 = d.Push("BitBtn14", Panel1, 668, 8, 75, "Exit");
  DBGrid2 = d.Grid("DBGrid2", TabSheet1, alBottom, 160,
                   {{"SessionID", "Session ID"}, {"SessionType", "Session Type"}, {"Description"},
                    {"LeagueName", "League"}, {"TeamName", "Team"}});
  DBGrid1 = d.Grid("DBGrid1", TabSheet1, alClient, 0,
                   {{"LastName", "Last Name"}, {"FirstName", "First Name"}, {"DOB"}, {"Grade"},
                    {"EmergencyContact", "Emergency Contact"}, {"EmergencyPhone", "Emergency Phone"}});

  TabSheet2 = d.Sheet("TabSheet2", PageControl1, "Coaches");
  Panel2 = d.Bar("Panel2", TabSheet2, 44);
  Label2 = d.Label("Label2", Panel2, 8, 14, "Search:");
  Edit2 = d.Make<TEdit>("Edit2", Panel2, 56, 10, 160, 21);
  ComboBox2 = d.Combo("ComboBox2", Panel2, 224, 10, 110, {"Last Name", "City", "First Name"}, 0, csDropDown);
  BitBtn4 = d.Push("BitBtn4", Panel2, 344, 8, 75, "Search");
  BitBtn5 = d.Push("BitBtn5", Panel2, 424, 8, 75, "Reset");
  BitBtn6 = d.Push("BitBtn6", Panel2, 660, 8, 75, "Exit");
  DBGrid4 = d.Grid("DBGrid4", TabSheet2, alClient, 0,
                   {{"LastName", "Last Name"}, {"FirstName", "First Name"}, {"Phone"},
                    {"EmailAddress", "Email Address"}});

  TabSheet3 = d.Sheet("TabSheet3", PageControl1, "Classes");
  Panel3 = d.Bar("Panel3", TabSheet3, 64);
  Label3 = d.Label("Label3", Panel3, 8, 14, "Search:");
  Edit3 = d.Make<TEdit>("Edit3", Panel3, 56, 10, 160, 21);
  ComboBox3 = d.Combo("ComboBox3", Panel3, 224, 10, 110, {"Begin Date", "Location"}, 0);
  BitBtn7 = d.Push("BitBtn7", Panel3, 344, 8, 75, "Search");
  BitBtn8 = d.Push("BitBtn8", Panel3, 424, 8, 75, "Reset");
  RadioGroup1 = d.Make<TRadioGroup>("RadioGroup1", Panel3, 512, 2, 240, 56);
  RadioGroup1->SetCaption("View Status");
  for (const char* item : {"Active", "Inactive", "All"}) RadioGroup1->Items()->Add(item);
  RadioGroup1->SetColumns(3);
  RadioGroup1->SetItemIndex(0);
  BitBtn9 = d.Push("BitBtn9", Panel3, 768, 8, 75, "Exit");
  DBGrid5 = d.Grid("DBGrid5", TabSheet3, alClient, 0,
                   {{"SessionID", "ID"}, {"BeginDate", "Begin Date"}, {"BeginTime", "Begin Time"},
                    {"Location"}, {"EndDate", "End Date"}, {"EndTime", "End Time"}});

  TabSheet4 = d.Sheet("TabSheet4", PageControl1, "Leagues");
  Panel4 = d.Bar("Panel4", TabSheet4, 104);
  Label38 = d.Label("Label38", Panel4, 8, 14, "Change to Session:");
  ComboBox6 = d.Combo("ComboBox6", Panel4, 120, 10, 80, {});
  Label27 = d.Label("Label27", Panel4, 216, 14, "Selected Session");
  Label17 = d.Label("Label17", Panel4, 8, 46, "Import Default Leagues");
  Label19 = d.Label("Label19", Panel4, 216, 46, "Leagues By:");
  ComboBox7 = d.Combo("ComboBox7", Panel4, 296, 42, 80, {"Age", "Grade"}, 0);
  BitBtn10 = d.Push("BitBtn10", Panel4, 392, 40, 75, "Import");
  Label20 = d.Label("Label20", Panel4, 216, 78, "Chaperone:");
  ComboBox8 = d.Combo("ComboBox8", Panel4, 296, 74, 160, {}, -1, csDropDown);
  BitBtn11 = d.Push("BitBtn11", Panel4, 464, 72, 75, "Assign");
  BitBtn12 = d.Push("BitBtn12", Panel4, 660, 8, 75, "Exit");
  DBGrid6 = d.Grid("DBGrid6", TabSheet4, alClient, 0,
                   {{"LeagueName", "Name"}, {"Coordinator"}, {"BeginRange", "Begin Range"},
                    {"EndRange", "End Range"}, {"AddBy", "Grouped By"}});

  TabSheet5 = d.Sheet("TabSheet5", PageControl1, "Assign Rooms");
  Panel5 = d.Bar("Panel5", TabSheet5, 44);
  Label39 = d.Label("Label39", Panel5, 8, 14, "Change to Session:");
  ComboBox9 = d.Combo("ComboBox9", Panel5, 120, 10, 80, {});
  Label15 = d.Label("Label15", Panel5, 216, 14, "Selected Session");
  BitBtn16 = d.Push("BitBtn16", Panel5, 600, 8, 75, "Exit");
  TPanel* autoAssign = d.RoomCommands("AutoAssignPanel", TabSheet5);
  BitBtn21 = d.Push("BitBtn21", autoAssign, 160, 8, 120, "Process Rooms");
  BitBtn23 = d.Push("BitBtn23", autoAssign, 296, 8, 130, "Unassign All Rooms");
  RoomsProgress = d.Label("RoomsProgress", autoAssign, 440, 12, "");
  PageControl2 = d.Pages("PageControl2", TabSheet5, alLeft, 502);
  TabSheet8 = d.Sheet("TabSheet8", PageControl2, "Available Rooms");
  DBGrid7 = d.Grid("DBGrid7", TabSheet8, alClient, 0,
                   roomColumns);
  TPanel* arrows = d.RoomArrows("ArrowPanel", TabSheet5);
  BitBtn20 = d.Push("BitBtn20", arrows, 4, 120, 32, "<<");
  BitBtn55 = d.Push("BitBtn55", arrows, 4, 120, 32, ">>");
  BitBtn55->SetVisible(false);
  PageControl3 = d.Pages("PageControl3", TabSheet5, alClient);
  TabSheet9 = d.Sheet("TabSheet9", PageControl3, "Unassigned Attendees");
  DBGrid8 = d.Grid("DBGrid8", TabSheet9, alClient, 0,
                   {{"CamperID", "Code"}, {"LastName", "Last Name"}, {"FirstName", "First Name"}, {"Age"},
                    {"AttendeeRequestID", "RR Code"}, {"SessionType", "Type"}});
  TabSheet10 = d.Sheet("TabSheet10", PageControl3, "Assigned Attendees");
  DBGrid9 = d.Grid("DBGrid9", TabSheet10, alClient, 0,
                   {{"CamperID", "Code"}, {"LastName", "Last Name"}, {"FirstName", "First Name"}, {"Age"},
                    {"AttendeeRequestID", "RR Code"}});

  TabSheet14 = d.Sheet("TabSheet14", PageControl1, "Assign Chaperone Rooms");
  Panel6 = d.Bar("Panel6", TabSheet14, 44);
  Label37 = d.Label("Label37", Panel6, 8, 14, "Change to Session:");
  ComboBox13 = d.Combo("ComboBox13", Panel6, 120, 10, 80, {});
  Label21 = d.Label("Label21", Panel6, 216, 14, "Selected Session");
  TPanel* chaperoneAutoAssign = d.RoomCommands("ChaperoneAutoAssignPanel", TabSheet14);
  BitBtn53 = d.Push("BitBtn53", chaperoneAutoAssign, 160, 8, 120, "Process Rooms");
  BitBtn54 = d.Push("BitBtn54", chaperoneAutoAssign, 296, 8, 130, "Unassign All Rooms");
  ChaperoneRoomsProgress = d.Label("ChaperoneRoomsProgress", chaperoneAutoAssign, 440, 12, "");
  PageControl7 = d.Pages("PageControl7", TabSheet14, alLeft, 502);
  TabSheet17 = d.Sheet("TabSheet17", PageControl7, "Available Rooms");
  DBGrid14 = d.Grid("DBGrid14", TabSheet17, alClient, 0,
                    roomColumns);
  TPanel* chaperoneArrows = d.RoomArrows("ChaperoneArrowPanel", TabSheet14);
  BitBtn52 = d.Push("BitBtn52", chaperoneArrows, 4, 120, 32, "<<");
  BitBtn56 = d.Push("BitBtn56", chaperoneArrows, 4, 120, 32, ">>");
  BitBtn56->SetVisible(false);
  PageControl6 = d.Pages("PageControl6", TabSheet14, alClient);
  TabSheet15 = d.Sheet("TabSheet15", PageControl6, "Unassigned Chaperones");
  DBGrid3 = d.Grid("DBGrid3", TabSheet15, alClient, 0,
                   {{"ChaperoneID", "Code"}, {"LastName", "Last Name"}, {"FirstName", "First Name"},
                    {"SessionType", "Type"}});
  TabSheet16 = d.Sheet("TabSheet16", PageControl6, "Assigned Chaperones");
  DBGrid13 = d.Grid("DBGrid13", TabSheet16, alClient, 0,
                    {{"ChaperoneID", "Code"}, {"LastName", "Last Name"}, {"FirstName", "First Name"}});

  TabSheet6 = d.Sheet("TabSheet6", PageControl1, "Create Teams");
  Panel7 = d.Bar("Panel7", TabSheet6, 168);
  Label40 = d.Label("Label40", Panel7, 8, 14, "Change to Session:");
  ComboBox10 = d.Combo("ComboBox10", Panel7, 120, 10, 80, {});
  Label23 = d.Label("Label23", Panel7, 216, 14, "Selected Session");
  Label9 = d.Label("Label9", Panel7, 8, 46, "Auto Create Teams");
  ComboBox11 = d.Combo("ComboBox11", Panel7, 120, 42, 90, {"Position", "Team"}, 1);
  Label42 = d.Label("Label42", Panel7, 224, 46, "On Each Team");
  VtCalcEdit1 = d.Make<TVtCalcEdit>("VtCalcEdit1", Panel7, 312, 42, 64, 21);
  VtCalcEdit1->SetDecimalPlaces(0);
  VtCalcEdit1->SetDisplayFormat(",0");
  VtCalcEdit2 = d.Make<TVtCalcEdit>("VtCalcEdit2", Panel7, 312, 42, 64, 21);
  VtCalcEdit2->SetVisible(false);
  VtCalcEdit2->SetValue(1);
  VtCalcEdit3 = d.Make<TVtCalcEdit>("VtCalcEdit3", Panel7, 312, 42, 64, 21);
  VtCalcEdit3->SetVisible(false);
  VtCalcEdit3->SetValue(0);
  BitBtn13 = d.Push("BitBtn13", Panel7, 392, 40, 130, "Auto Create Teams");
  BitBtn43 = d.Push("BitBtn43", Panel7, 528, 40, 140, "Delete Partial Teams");
  BitBtn15 = d.Push("BitBtn15", Panel7, 676, 40, 210, "Delete all Teams and Start Over");
  TeamsProgress = d.Label("TeamsProgress", Panel7, 520, 14, "");
  RadioGroup2 = d.Make<TRadioGroup>("RadioGroup2", Panel7, 8, 72, 400, 56);
  RadioGroup2->SetCaption("Create Teams For Types");
  BitBtn25 = d.Push("BitBtn25", Panel7, 424, 80, 90, "New Team");
  BitBtn26 = d.Push("BitBtn26", Panel7, 520, 80, 90, "Delete Team");
  Label11 = d.Label("Label11", Panel7, 424, 116, "Rename Team");
  Edit4 = d.Make<TEdit>("Edit4", Panel7, 512, 112, 120, 21);
  BitBtn27 = d.Push("BitBtn27", Panel7, 640, 110, 60, "Assign");
  Label35 = d.Label("Label35", Panel7, 720, 64, "Assign Chaperone");
  Label36 = d.Label("Label36", Panel7, 720, 84, "Chaperone:");
  ComboBox5 = d.Combo("ComboBox5", Panel7, 796, 80, 150, {}, -1, csDropDown);
  BitBtn19 = d.Push("BitBtn19", Panel7, 796, 110, 60, "Assign");
  BitBtn24 = d.Push("BitBtn24", Panel7, 424, 140, 60, "<<");
  BitBtn17 = d.Push("BitBtn17", Panel7, 424, 140, 60, ">>");
  BitBtn17->SetVisible(false);
  BitBtn22 = d.Push("BitBtn22", Panel7, 880, 8, 75, "Exit");
  PageControl4 = d.Pages("PageControl4", TabSheet6, alLeft, 502);
  TabSheet11 = d.Sheet("TabSheet11", PageControl4, "Current Teams");
  DBGrid10 = d.Grid("DBGrid10", TabSheet11, alClient, 0,
                    {{"TeamName", "Team Name"}, {"LeagueName", "League"}, {"Chaperone"}});
  PageControl5 = d.Pages("PageControl5", TabSheet6, alClient);
  TabSheet12 = d.Sheet("TabSheet12", PageControl5, "Unassigned Attendees");
  const std::initializer_list<ColumnDesign> teamColumns = {
      {"CamperID", "Code"}, {"LastName", "Last Name"}, {"FirstName", "First Name"}, {"Age"},
      {"Grade"}, {"NormalPosition", "Position"}, {"TeammateRequestID", "TR Code"}};
  DBGrid11 = d.Grid("DBGrid11", TabSheet12, alClient, 0, teamColumns);
  TabSheet13 = d.Sheet("TabSheet13", PageControl5, "Assigned Attendees");
  DBGrid12 = d.Grid("DBGrid12", TabSheet13, alClient, 0, teamColumns);

  TabSheet7 = d.Sheet("TabSheet7", PageControl1, "Reports");
  Panel8 = d.Bar("Panel8", TabSheet7, 44);
  Label31 = d.Label("Label31", Panel8, 8, 14, "Change to Session:");
  ComboBox12 = d.Combo("ComboBox12", Panel8, 120, 10, 80, {});
  Label26 = d.Label("Label26", Panel8, 216, 14, "Selected Session");
  BitBtn51 = d.Push("BitBtn51", Panel8, 660, 8, 75, "Exit");
  Label25 = d.Label("Label25", TabSheet7, 16, 60, "Session Reports");
  BitBtn33 = d.Push("BitBtn33", TabSheet7, 16, 84, 180, "Print Attendee List");
  BitBtn35 = d.Push("BitBtn35", TabSheet7, 16, 116, 180, "Print Check-In List");
  BitBtn47 = d.Push("BitBtn47", TabSheet7, 16, 148, 180, "Print Check-In List By Type");
  BitBtn34 = d.Push("BitBtn34", TabSheet7, 16, 180, 180, "Print Room List");
  BitBtn45 = d.Push("BitBtn45", TabSheet7, 16, 212, 180, "Print Room List By Room");
  BitBtn32 = d.Push("BitBtn32", TabSheet7, 16, 244, 180, "Print Roster");
  BitBtn46 = d.Push("BitBtn46", TabSheet7, 16, 276, 180, "Print Position Report");
  BitBtn48 = d.Push("BitBtn48", TabSheet7, 16, 308, 180, "Print T-Shirt Report");
  BitBtn49 = d.Push("BitBtn49", TabSheet7, 16, 340, 180, "Print Confirmation Letters");
  BitBtn50 = d.Push("BitBtn50", TabSheet7, 16, 372, 180, "Print Thank You Letters");
  Button1 = d.Push<TButton>("Button1", TabSheet7, 216, 84, 180, "Complete Attendee List");
  BitBtn41 = d.Push("BitBtn41", TabSheet7, 216, 116, 180, "Attendee Detail");
  BitBtn36 = d.Push("BitBtn36", TabSheet7, 416, 84, 180, "Complete Chaperone List");
  BitBtn37 = d.Push("BitBtn37", TabSheet7, 616, 84, 180, "AR Ledger Report");
  BitBtn39 = d.Push("BitBtn39", TabSheet7, 616, 116, 180, "Accounts Receivable Report");
  BitBtn38 = d.Push("BitBtn38", TabSheet7, 616, 148, 180, "AP Ledger Report");
  BitBtn40 = d.Push("BitBtn40", TabSheet7, 616, 180, 180, "Accounts Payable Report");
  // The print buttons of the other pages.
  BitBtn42 = d.Push("BitBtn42", Panel1, 750, 8, 160, "Print Attendee Details");
  BitBtn30 = d.Push("BitBtn30", Panel3, 8, 36, 170, "Print Check-In List");
  BitBtn31 = d.Push("BitBtn31", Panel3, 184, 36, 170, "Print Attendee List");
  BitBtn29 = d.Push("BitBtn29", Panel5, 684, 8, 110, "Print Room List");
  BitBtn44 = d.Push("BitBtn44", Panel5, 800, 8, 180, "Print Room List By Room");
  BitBtn28 = d.Push("BitBtn28", Panel7, 894, 40, 100, "Print Roster");
  PageControl1->SetActivePage(TabSheet1);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  FileExit1->OnExecute = [this](TObject* s) { ExitExecute(s); };
  Action1->OnExecute = [this](TObject* s) { Action1Execute(s); };
  HelpContents1->OnExecute = [this](TObject* s) { HelpContents1Execute(s); };
  Action3->OnExecute = [this](TObject* s) { Action3Execute(s); };
  const std::pair<TDBGrid*, void (TMainForm::*)(TObject*, TMouseButton, TShiftState, int, int)> mouseUps[] = {
      {DBGrid1, &TMainForm::DBGrid1MouseUp},   {DBGrid2, &TMainForm::DBGrid2MouseUp},
      {DBGrid4, &TMainForm::DBGrid4MouseUp},   {DBGrid5, &TMainForm::DBGrid5MouseUp},
      {DBGrid6, &TMainForm::DBGrid6MouseUp},   {DBGrid8, &TMainForm::DBGrid8MouseUp},
      {DBGrid9, &TMainForm::DBGrid9MouseUp},   {DBGrid11, &TMainForm::DBGrid11MouseUp},
      {DBGrid12, &TMainForm::DBGrid12MouseUp}, {DBGrid10, &TMainForm::DBGrid10MouseUp},
      {DBGrid7, &TMainForm::DBGrid7MouseUp},   {DBGrid14, &TMainForm::DBGrid14MouseUp},
      // The chaperone lists share the handlers of the attendee lists beside the rooms.
      {DBGrid3, &TMainForm::DBGrid8MouseUp},   {DBGrid13, &TMainForm::DBGrid9MouseUp}};
  for (const auto& [grid, handler] : mouseUps)
    grid->OnMouseUp = [this, handler](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      (this->*handler)(s, b, sh, x, y);
    };
  const std::pair<TComboBox*, void (TMainForm::*)(TObject*)> sessionCombos[] = {
      {ComboBox6, &TMainForm::ComboBox6Change},   {ComboBox9, &TMainForm::ComboBox9Change},
      {ComboBox10, &TMainForm::ComboBox10Change}, {ComboBox12, &TMainForm::ComboBox12Change},
      {ComboBox13, &TMainForm::ComboBox13Change}};
  for (const auto& [combo, handler] : sessionCombos)
    combo->OnChange = [this, handler](TObject* s) { (this->*handler)(s); };
  acEdit->OnExecute = [this](TObject* s) { acEditExecute(s); };
  acAdd->OnExecute = [this](TObject* s) { acAddExecute(s); };
  acDelete->OnExecute = [this](TObject* s) { acDeleteExecute(s); };
  PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };
  for (TDBGrid* grid : {DBGrid1, DBGrid4, DBGrid5, DBGrid6}) grid->OnDblClick = [this](TObject* s) { acEditExecute(s); };
  const std::pair<TEdit*, void (TMainForm::*)(TObject*, char&)> searchEdits[] = {
      {Edit1, &TMainForm::Edit1KeyPress}, {Edit2, &TMainForm::Edit2KeyPress}, {Edit3, &TMainForm::Edit3KeyPress}};
  for (const auto& [edit, handler] : searchEdits)
    edit->OnKeyPress = [this, handler](TObject* s, char& key) { (this->*handler)(s, key); };
  const std::pair<TBitBtn*, void (TMainForm::*)(TObject*)> recordButtons[] = {
      {BitBtn1, &TMainForm::BitBtn1Click}, {BitBtn2, &TMainForm::BitBtn2Click}, {BitBtn3, &TMainForm::BitBtn3Click},
      {BitBtn4, &TMainForm::BitBtn4Click}, {BitBtn5, &TMainForm::BitBtn5Click}, {BitBtn7, &TMainForm::BitBtn7Click},
      {BitBtn8, &TMainForm::BitBtn8Click}};
  for (const auto& [button, handler] : recordButtons)
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  // Every page's Exit button asks the same question.
  for (TBitBtn* exit : {BitBtn14, BitBtn6, BitBtn9, BitBtn12, BitBtn16, BitBtn22, BitBtn51})
    exit->OnClick = [this](TObject* s) { BitBtn14Click(s); };
  const std::pair<TBitBtn*, void (TMainForm::*)(TObject*)> roomButtons[] = {
      {BitBtn21, &TMainForm::BitBtn21Click}, {BitBtn20, &TMainForm::BitBtn20Click},
      {BitBtn55, &TMainForm::BitBtn55Click}, {BitBtn23, &TMainForm::BitBtn23Click},
      {BitBtn53, &TMainForm::BitBtn53Click}, {BitBtn52, &TMainForm::BitBtn52Click},
      {BitBtn56, &TMainForm::BitBtn56Click}, {BitBtn54, &TMainForm::BitBtn54Click}};
  for (const auto& [button, handler] : roomButtons)
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  PageControl3->OnChange = [this](TObject* s) { PageControl3Change(s); };
  PageControl6->OnChange = [this](TObject* s) { PageControl6Change(s); };
  RadioGroup1->OnClick = [this](TObject* s) { RadioGroup1Click(s); };
  RadioGroup2->OnClick = [this](TObject* s) { RadioGroup2Click(s); };
  const std::pair<TBitBtn*, void (TMainForm::*)(TObject*)> pageButtons[] = {
      {BitBtn10, &TMainForm::BitBtn10Click}, {BitBtn11, &TMainForm::BitBtn11Click},
      {BitBtn13, &TMainForm::BitBtn13Click}, {BitBtn43, &TMainForm::BitBtn43Click},
      {BitBtn25, &TMainForm::BitBtn25Click}, {BitBtn26, &TMainForm::BitBtn26Click},
      {BitBtn15, &TMainForm::BitBtn15Click}, {BitBtn24, &TMainForm::BitBtn24Click},
      {BitBtn17, &TMainForm::BitBtn17Click}, {BitBtn19, &TMainForm::BitBtn19Click},
      {BitBtn27, &TMainForm::BitBtn27Click}};
  for (const auto& [button, handler] : pageButtons)
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  PageControl5->OnChange = [this](TObject* s) { PageControl5Change(s); };
  // Report buttons; a button standing on two pages fires the same handler from both.
  const std::pair<TButton*, void (TMainForm::*)(TObject*)> reportButtons[] = {
      {BitBtn28, &TMainForm::BitBtn28Click}, {BitBtn32, &TMainForm::BitBtn28Click},
      {BitBtn29, &TMainForm::BitBtn29Click}, {BitBtn34, &TMainForm::BitBtn29Click},
      {BitBtn30, &TMainForm::BitBtn30Click}, {BitBtn35, &TMainForm::BitBtn30Click},
      {BitBtn31, &TMainForm::BitBtn31Click}, {BitBtn33, &TMainForm::BitBtn31Click},
      {Button1, &TMainForm::Button1Click},   {BitBtn36, &TMainForm::BitBtn36Click},
      {BitBtn37, &TMainForm::BitBtn37Click}, {BitBtn38, &TMainForm::BitBtn38Click},
      {BitBtn39, &TMainForm::BitBtn39Click}, {BitBtn40, &TMainForm::BitBtn40Click},
      {BitBtn41, &TMainForm::BitBtn41Click}, {BitBtn42, &TMainForm::BitBtn42Click},
      {BitBtn44, &TMainForm::BitBtn44Click}, {BitBtn45, &TMainForm::BitBtn45Click},
      {BitBtn46, &TMainForm::BitBtn46Click}, {BitBtn47, &TMainForm::BitBtn47Click},
      {BitBtn48, &TMainForm::BitBtn48Click}, {BitBtn49, &TMainForm::BitBtn49Click},
      {BitBtn50, &TMainForm::BitBtn50Click}};
  for (const auto& [button, handler] : reportButtons)
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  d.Finish();
}

// The grids name the data module's sources, which exist only once the module has been created
// after this window: the references are resolved then, as a stored design's are.
void TMainForm::LinkDataModule(TSQLDataModule* data) {
  DBGrid2->SetDataSource(data->dsAttendeesOnSpot);
  DBGrid1->SetDataSource(data->dsAttendees);
  DBGrid4->SetDataSource(data->dsChaperones);
  DBGrid5->SetDataSource(data->dsSessions);
  DBGrid6->SetDataSource(data->dsLeagues);
  DBGrid7->SetDataSource(data->dstRooms);
  DBGrid8->SetDataSource(data->dsAttendeesInRooms);
  DBGrid9->SetDataSource(data->dsAttendeesAlreadyInRooms);
  DBGrid14->SetDataSource(data->dstCRooms);
  DBGrid3->SetDataSource(data->dsChaperonesInRooms);
  DBGrid13->SetDataSource(data->dsChaperonesAlreadyInRooms);
  DBGrid10->SetDataSource(data->dsTeams);
  DBGrid11->SetDataSource(data->dsAttendeesInTeams);
  DBGrid12->SetDataSource(data->dsAttendeesAlreadyInTeams);
  sessionMoves_ = std::make_unique<vt::CurrentRowLink>(data->dsSessions, [this] { CurrentSessionMoved(); });
}
