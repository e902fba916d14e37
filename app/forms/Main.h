// The main window: the record pages, the room, team and report pages, the tool bar of actions,
// the grids over the data module's sources, and the refresh that follows the current session.
#pragma once

#include <memory>

#include "app/forms/CurrentRowLink.h"
#include "ui/forms/Forms.h"

class TAction;
class TActionManager;
class TActionToolBar;
class TBitBtn;
class TButton;
class TComboBox;
class TDBGrid;
class TDataSet;
class TEdit;
class TLabel;
class TPageControl;
class TPanel;
class TRadioGroup;
class TTabSheet;
class TSQLDataModule;
class TVtCalcEdit;

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* AOwner);
  // Binds the grids to the data module's sources once the module exists.
  void LinkDataModule(TSQLDataModule* data);

  TActionManager* ActionManager1;
  TAction* FileExit1;
  TAction* acEdit;
  TAction* acAdd;
  TAction* acDelete;
  TAction* Action1;
  TAction* HelpContents1;
  TAction* Action3;
  TActionToolBar* ActionToolBar1;
  TPageControl* PageControl1;

  // Attendees
  TTabSheet* TabSheet1;
  TPanel* Panel1;
  TLabel* Label1;
  TEdit* Edit1;
  TComboBox* ComboBox1;
  TBitBtn* BitBtn2;
  TBitBtn* BitBtn3;
  TBitBtn* BitBtn1;
  TBitBtn* BitBtn14;
  TDBGrid* DBGrid1;
  TDBGrid* DBGrid2;
  // Coaches
  TTabSheet* TabSheet2;
  TPanel* Panel2;
  TLabel* Label2;
  TEdit* Edit2;
  TComboBox* ComboBox2;
  TBitBtn* BitBtn4;
  TBitBtn* BitBtn5;
  TBitBtn* BitBtn6;
  TDBGrid* DBGrid4;
  // Classes
  TTabSheet* TabSheet3;
  TPanel* Panel3;
  TLabel* Label3;
  TEdit* Edit3;
  TComboBox* ComboBox3;
  TBitBtn* BitBtn7;
  TBitBtn* BitBtn8;
  TRadioGroup* RadioGroup1;
  TBitBtn* BitBtn9;
  TDBGrid* DBGrid5;
  // Leagues
  TTabSheet* TabSheet4;
  TPanel* Panel4;
  TLabel* Label38;
  TComboBox* ComboBox6;
  TLabel* Label27;
  TLabel* Label17;
  TLabel* Label19;
  TComboBox* ComboBox7;
  TLabel* Label20;
  TComboBox* ComboBox8;
  TBitBtn* BitBtn10;  // "Import"
  TBitBtn* BitBtn11;  // "Assign" coordinator
  TBitBtn* BitBtn12;
  TDBGrid* DBGrid6;
  // Assign Rooms
  TTabSheet* TabSheet5;
  TPanel* Panel5;
  TLabel* Label39;
  TComboBox* ComboBox9;
  TLabel* Label15;
  TBitBtn* BitBtn16;
  TPageControl* PageControl2;
  TTabSheet* TabSheet8;
  TDBGrid* DBGrid7;
  TPageControl* PageControl3;
  TTabSheet* TabSheet9;
  TDBGrid* DBGrid8;
  TTabSheet* TabSheet10;
  TDBGrid* DBGrid9;
  TBitBtn* BitBtn21;  // Process Rooms
  TBitBtn* BitBtn23;  // Unassign All Rooms
  TBitBtn* BitBtn20;  // into the selected room
  TBitBtn* BitBtn55;  // out of the selected room
  TLabel* RoomsProgress;  // "N of M placed" while Process Rooms runs
  // Assign Chaperone Rooms
  TTabSheet* TabSheet14;
  TPanel* Panel6;
  TLabel* Label37;
  TComboBox* ComboBox13;
  TLabel* Label21;
  TPageControl* PageControl6;
  TTabSheet* TabSheet15;
  TDBGrid* DBGrid3;
  TTabSheet* TabSheet16;
  TDBGrid* DBGrid13;
  TPageControl* PageControl7;
  TTabSheet* TabSheet17;
  TDBGrid* DBGrid14;
  TBitBtn* BitBtn53;  // Process Rooms
  TBitBtn* BitBtn54;  // Unassign All Rooms
  TBitBtn* BitBtn52;  // into the selected room
  TBitBtn* BitBtn56;  // out of the selected room
  TLabel* ChaperoneRoomsProgress;
  // Create Teams
  TTabSheet* TabSheet6;
  TPanel* Panel7;
  TLabel* Label40;
  TComboBox* ComboBox10;
  TLabel* Label23;
  TLabel* Label9;
  TComboBox* ComboBox11;
  TLabel* Label42;
  TVtCalcEdit* VtCalcEdit1;  // the number on each team
  TVtCalcEdit* VtCalcEdit2;  // hidden: the number of the next team
  TVtCalcEdit* VtCalcEdit3;  // hidden: the team counter when the last run began
  TRadioGroup* RadioGroup2;
  TBitBtn* BitBtn13;
  TBitBtn* BitBtn43;
  TLabel* TeamsProgress;  // "N of M placed" while Auto Create Teams runs
  TBitBtn* BitBtn15;
  TBitBtn* BitBtn25;
  TBitBtn* BitBtn26;
  TLabel* Label11;
  TEdit* Edit4;
  TLabel* Label36;
  TComboBox* ComboBox5;
  TLabel* Label35;
  TBitBtn* BitBtn27;  // "Assign" the new team name
  TBitBtn* BitBtn19;  // "Assign" the chaperone
  TBitBtn* BitBtn24;  // puts the selected attendee on the selected team
  TBitBtn* BitBtn17;  // takes the selected member off the team
  TBitBtn* BitBtn22;
  TPageControl* PageControl4;
  TTabSheet* TabSheet11;
  TDBGrid* DBGrid10;
  TPageControl* PageControl5;
  TTabSheet* TabSheet12;
  TDBGrid* DBGrid11;
  TTabSheet* TabSheet13;
  TDBGrid* DBGrid12;
  // Reports
  TTabSheet* TabSheet7;
  TPanel* Panel8;
  TLabel* Label31;
  TComboBox* ComboBox12;
  TLabel* Label26;
  TLabel* Label25;
  TBitBtn* BitBtn31;
  TBitBtn* BitBtn33;
  TButton* Button1;
  TBitBtn* BitBtn41;
  TBitBtn* BitBtn42;
  TBitBtn* BitBtn36;
  TBitBtn* BitBtn51;
  // Report buttons: on the reports page, and the print buttons of the other pages.
  TBitBtn* BitBtn28;
  TBitBtn* BitBtn29;
  TBitBtn* BitBtn30;
  TBitBtn* BitBtn32;
  TBitBtn* BitBtn34;
  TBitBtn* BitBtn35;
  TBitBtn* BitBtn37;
  TBitBtn* BitBtn38;
  TBitBtn* BitBtn39;
  TBitBtn* BitBtn40;
  TBitBtn* BitBtn44;
  TBitBtn* BitBtn45;
  TBitBtn* BitBtn46;
  TBitBtn* BitBtn47;
  TBitBtn* BitBtn48;
  TBitBtn* BitBtn49;
  TBitBtn* BitBtn50;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormResize(TObject* Sender);
  void ExitExecute(TObject* Sender);
  void Action1Execute(TObject* Sender);
  void HelpContents1Execute(TObject* Sender);
  void Action3Execute(TObject* Sender);

  void DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid5MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid6MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid8MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid9MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid11MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid12MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  void ComboBox6Change(TObject* Sender);
  void ComboBox9Change(TObject* Sender);
  void ComboBox10Change(TObject* Sender);
  void ComboBox12Change(TObject* Sender);
  void ComboBox13Change(TObject* Sender);

  // Record commands and searches of the first four pages (MainRecords.cpp).
  void PageControl1Change(TObject* Sender);
  void acEditExecute(TObject* Sender);
  void acAddExecute(TObject* Sender);
  void acDeleteExecute(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);
  void Edit1KeyPress(TObject* Sender, char& Key);
  void BitBtn4Click(TObject* Sender);
  void BitBtn5Click(TObject* Sender);
  void Edit2KeyPress(TObject* Sender, char& Key);
  void BitBtn7Click(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void Edit3KeyPress(TObject* Sender, char& Key);
  void RadioGroup1Click(TObject* Sender);
  void BitBtn14Click(TObject* Sender);

  // The two room pages (MainRooms.cpp).
  void BitBtn21Click(TObject* Sender);
  void BitBtn20Click(TObject* Sender);
  void BitBtn55Click(TObject* Sender);
  void BitBtn23Click(TObject* Sender);
  void DBGrid7MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PageControl3Change(TObject* Sender);
  void BitBtn53Click(TObject* Sender);
  void BitBtn52Click(TObject* Sender);
  void BitBtn56Click(TObject* Sender);
  void BitBtn54Click(TObject* Sender);
  void DBGrid14MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PageControl6Change(TObject* Sender);

  // Leagues page (MainLeagues.cpp)
  void BitBtn10Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);

  // Create Teams page: automatic building (MainTeamBuilder.cpp) and hand editing (MainTeams.cpp)
  void RadioGroup2Click(TObject* Sender);
  void BitBtn13Click(TObject* Sender);
  void BitBtn43Click(TObject* Sender);
  void BitBtn25Click(TObject* Sender);
  void BitBtn26Click(TObject* Sender);
  void BitBtn15Click(TObject* Sender);
  void BitBtn24Click(TObject* Sender);
  void BitBtn17Click(TObject* Sender);
  void BitBtn19Click(TObject* Sender);
  void BitBtn27Click(TObject* Sender);
  void DBGrid10MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PageControl5Change(TObject* Sender);

  // Reports (MainReports.cpp).
  void BitBtn28Click(TObject* Sender);
  void BitBtn29Click(TObject* Sender);
  void BitBtn30Click(TObject* Sender);
  void BitBtn31Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void BitBtn36Click(TObject* Sender);
  void BitBtn37Click(TObject* Sender);
  void BitBtn38Click(TObject* Sender);
  void BitBtn39Click(TObject* Sender);
  void BitBtn40Click(TObject* Sender);
  void BitBtn41Click(TObject* Sender);
  void BitBtn42Click(TObject* Sender);
  void BitBtn44Click(TObject* Sender);
  void BitBtn45Click(TObject* Sender);
  void BitBtn46Click(TObject* Sender);
  void BitBtn47Click(TObject* Sender);
  void BitBtn48Click(TObject* Sender);
  void BitBtn49Click(TObject* Sender);
  void BitBtn50Click(TObject* Sender);

private:
  // Who asks the session-dependent datasets to follow the current session: one of the triggers,
  // or the current row of qSessions having moved (a click, a key, a search, the status filter,
  // a deletion, an editor).
  enum class SessionSwitch { Activation, SessionsGrid, SessionCombo, RowMoved };
  // What the session pages list: no session yet (before the first activation), or none current.
  static constexpr int kNothingListed = -1;
  static constexpr int kNoSession = 0;

  void CreateDesign();
  void RestorePersistedGridWidths();
  // Every move of the current session comes here (the sessions source's data and state
  // changes); the pages follow when the session differs from the one they list.
  void CurrentSessionMoved();
  void ApplyCurrentSession(SessionSwitch how);
  void CloseSessionLists();
  void SwitchToSessionOf(TComboBox* combo);
  // Line 3 of the unassigned list of the team page: the session and the chosen type.
  String TeamTypeLine() const;
  void ShowAttendeeSessions();
  void FillSessionCombos();
  void FillTeamSize();
  void FillTeamTypes();
  void ApplyNouns();

  void ResetTeamCounters();
  // The selected team's members in the assigned list, or nothing when there is no team.
  void ShowTeamMembers();
  // The arrows between the unassigned list and the selected team.
  void MoveSelectedAttendee(TDataSet* list, bool ontoTeam);
  // The team and member lists again after teams were built or deleted.
  void RefreshTeamLists();
  void ReopenTeamLists();

  void RunAccessReport(const String& reportName, const String& whereCondition);
  void RunSessionReport(const String& reportName, const String& wherePrefix);

  std::unique_ptr<vt::CurrentRowLink> sessionMoves_;
  int listedSession_ = kNothingListed;
  // While held (an activation or a combo moving qSessions more than once), moves wait for the
  // trigger to apply the session once.
  int heldSessionMoves_ = 0;
};

extern TMainForm* MainForm;
