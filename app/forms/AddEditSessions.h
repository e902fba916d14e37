// The session editor over the current row of qSessions: the session's own columns, its types
// with their prices and room sizes (a copy of the default types made the first time its
// Description is left), and its hotel rooms for attendees and for chaperones.
#pragma once

#include "app/forms/NewRowStart.h"
#include "ui/forms/Forms.h"

class GDBMaskEdit;
class TBitBtn;
class TCheckBox;
class TDBCheckBox;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TEdit;
class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;
class TVtCalcEdit;

class TAddEditSessionsForm : public TForm {
public:
  explicit TAddEditSessionsForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TPageControl* PageControl1;
  // Session Information
  TTabSheet* TabSheet1;
  TDBEdit* DBEdit2;  // Description
  TDBDateEdit* DBDateEdit1;  // BeginDate
  GDBMaskEdit* GDBMaskEdit1;  // BeginTime
  TDBDateEdit* DBDateEdit2;  // EndDate
  GDBMaskEdit* GDBMaskEdit2;  // EndTime
  TDBDateEdit* DBDateEdit3;  // CheckInDate
  GDBMaskEdit* GDBMaskEdit3;  // CheckInTime
  TDBDateEdit* DBDateEdit4;  // CheckOutDate
  GDBMaskEdit* GDBMaskEdit4;  // CheckOutTime
  TDBEdit* DBEdit3;  // Location
  TDBEdit* DBEdit4;  // LocationAddress
  TDBEdit* DBEdit5;  // LocationCity
  TDBEdit* DBEdit6;  // LocationState
  GDBMaskEdit* GDBMaskEdit5;  // LocationZip
  TDBCheckBox* DBCheckBox1;  // TeamCamp
  TDBDateEdit* DBDateEdit5;  // BalanceDueDate
  // Financial and Comments
  TTabSheet* TabSheet2;
  TDBMemo* DBMemo1;
  TDBGrid* DBGrid2;  // the session's types
  TVtCalcEdit* VtCalcEdit2;  // New Total Costs
  TVtCalcEdit* VtCalcEdit3;  // New Deposit Amount
  TBitBtn* BitBtn3;  // Change Amounts
  TBitBtn* BitBtn4;  // Import Default Types
  // Rooms
  TTabSheet* TabSheet3;
  TEdit* Edit1;  // Hotel Name
  TEdit* Edit2;  // Room Number(s)
  TVtCalcEdit* VtCalcEdit1;  // Number In Room
  TCheckBox* CheckBox2;  // Chaperone Room?
  TBitBtn* BitBtn2;  // Add This Room
  TPanel* Panel7;  // Attendee Rooms
  TDBGrid* DBGrid3;
  TBitBtn* BitBtn6;  // Delete Selected Room (attendee rooms)
  TPanel* Panel6;  // Chaperone Rooms
  TDBGrid* DBGrid1;
  TBitBtn* BitBtn5;  // Delete Selected Room (chaperone rooms)
  TBitBtn* BitBtn1;  // Done

  void FormActivate(TObject* Sender);
  void DBEdit2Exit(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn4Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn6Click(TObject* Sender);
  void BitBtn5Click(TObject* Sender);
  void GDBMaskEdit5Exit(TObject* Sender);
  void GDBMaskEdit5KeyPress(TObject* Sender, char& Key);
  void DBCheckBox1KeyPress(TObject* Sender, char& Key);
  void DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
  void CreateDesign();
  void ShowRooms();
  void StoreSession();
  void DropBlankNewSession();

  vt::NewRowStart newRow_;
};

extern TAddEditSessionsForm* AddEditSessionsForm;
