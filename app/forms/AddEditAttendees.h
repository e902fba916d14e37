// The attendee editor: the modal dialog over the current row of the attendees query, with its
// personal, family, release, medical, sessions and financial tabs, and the money operations that
// enrol the attendee, remove an enrolment and take payments (AttendeeMoney.cpp).
#pragma once

#include "app/forms/NewRowStart.h"
#include "rtl/StrUtils.h"
#include "ui/forms/Forms.h"

class GDBMaskEdit;
class TBitBtn;
class TCheckBox;
class TComboBox;
class TDBCheckBox;
class TDBComboBox;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TEdit;
class TLabel;
class TPageControl;
class TTabSheet;
class TVtCalcEdit;
class TVtDBCalcEdit;

class TAddEditAttendeesForm : public TForm {
public:
  explicit TAddEditAttendeesForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TPageControl* PageControl1;
  TBitBtn* BitBtn1;      // Done

  // Personal
  TTabSheet* TabSheet1;
  TDBEdit* DBEdit3;      // FirstName
  TDBEdit* DBEdit5;      // MiddleInitial
  TDBEdit* DBEdit4;      // LastName
  GDBMaskEdit* GDBMaskEdit1;  // SSN
  TDBEdit* DBEdit6;      // Address
  TDBEdit* DBEdit7;      // City
  TDBEdit* DBEdit8;      // State
  GDBMaskEdit* GDBMaskEdit2;  // ZipCode
  GDBMaskEdit* GDBMaskEdit3;  // Phone
  TDBDateEdit* DBDateEdit1;   // DOB
  TEdit* Edit1;          // Age
  TDBEdit* DBEdit1;      // School
  TDBEdit* DBEdit9;      // EmailAddress
  TDBComboBox* DBComboBox3;  // Grade
  TComboBox* ComboBox1;  // shirt size descriptions
  TDBEdit* DBEdit10;     // ShirtSize code
  TDBComboBox* DBComboBox2;  // Height
  TDBEdit* DBEdit12;     // Weight
  TComboBox* ComboBox2;  // position descriptions
  TDBEdit* DBEdit2;      // NormalPosition code

  // Family / Guardian
  TTabSheet* TabSheet2;
  TDBEdit* DBEdit23;     // FatherSalutation
  GDBMaskEdit* GDBMaskEdit4;  // FatherWorkPhone
  GDBMaskEdit* GDBMaskEdit5;  // MotherWorkPhone
  TDBComboBox* DBComboBox1;  // LivesWith
  TDBEdit* DBEdit25;     // EmergencySalutation
  GDBMaskEdit* GDBMaskEdit6;  // EmergencyPhone
  TDBEdit* DBEdit27;     // InsurancePolicyNumber

  // Releases
  TTabSheet* TabSheet3;
  TDBCheckBox* DBCheckBox1;
  TDBDateEdit* DBDateEdit2;
  TDBCheckBox* DBCheckBox2;
  TDBDateEdit* DBDateEdit3;
  TDBMemo* DBMemo1;      // Comments

  // Medical
  TTabSheet* TabSheet4;
  TDBCheckBox* DBCheckBox3;
  TDBCheckBox* DBCheckBox4;
  TDBEdit* DBEdit34;     // MentalConvulsions

  // Sessions
  TTabSheet* TabSheet5;
  TLabel* Label70;       // over the available sessions
  TDBGrid* DBGrid5;
  TLabel* Label71;       // over the attendee's enrolments
  TDBGrid* DBGrid2;
  TComboBox* ComboBox6;  // session type descriptions
  TComboBox* ComboBox4;  // roommate request
  TComboBox* ComboBox5;  // teammate request
  TBitBtn* BitBtn2;      // Sign Up
  TBitBtn* BitBtn3;      // Remove

  // Financial
  TTabSheet* TabSheet6;
  TVtDBCalcEdit* VtDBCalcEdit1;  // TotalCharged
  TVtDBCalcEdit* VtDBCalcEdit2;  // TotalCredits
  TVtDBCalcEdit* VtDBCalcEdit3;  // BalanceDue
  TDBGrid* DBGrid1;      // ledger
  TLabel* Label76;       // "Session ID"
  TComboBox* ComboBox3;  // open sessions
  TVtCalcEdit* VtCalcEdit2;  // amount due
  TVtCalcEdit* VtCalcEdit1;  // payment amount
  TEdit* Edit2;          // check number
  TBitBtn* BitBtn4;      // Pay

  void FormActivate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void GDBMaskEdit2Exit(TObject* Sender);
  void DBDateEdit1Exit(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void ComboBox2Change(TObject* Sender);
  void DBGrid5MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Enter jumps that name their target.
  void DBComboBox3KeyPress(TObject* Sender, char& Key);
  void DBComboBox4KeyPress(TObject* Sender, char& Key);
  void DBComboBox2KeyPress(TObject* Sender, char& Key);
  void DBComboBox5KeyPress(TObject* Sender, char& Key);
  void DBComboBox1KeyPress(TObject* Sender, char& Key);
  void DBEdit27KeyPress(TObject* Sender, char& Key);
  void DBMemo1KeyPress(TObject* Sender, char& Key);
  void DBEdit34KeyPress(TObject* Sender, char& Key);

  // Money (AttendeeMoney.cpp)
  void BitBtn2Click(TObject* Sender);  // Sign Up
  void BitBtn3Click(TObject* Sender);  // Remove
  void ComboBox3Change(TObject* Sender);
  void BitBtn4Click(TObject* Sender);  // Pay

private:
  void CreateDesign();
  void RestorePersistedGridWidths();
  void FillRequestLists();
  void ShowAge();
  void FillPickers();
  void ShowEnrolments();
  void FillSessionTypes();
  void ZeroEmptyTotals();
  void ShowActiveSessions();
  void ApplyNouns();
  void JumpTo(char Key, TTabSheet* page, TWinControl* control);

  // AttendeeMoney.cpp
  void RebuildOpenSessions();
  void ShowAmountDue();

  vt::NewRowStart newRow_;
};

extern TAddEditAttendeesForm* AddEditAttendeesForm;
