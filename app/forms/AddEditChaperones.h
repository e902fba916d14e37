// The chaperone editor over the current row of the chaperones query: personal details, the
// sessions the chaperone is signed up for, the ledger, and the pay list with its payments.
#pragma once

#include "app/forms/NewRowStart.h"
#include "rtl/Currency.h"
#include "ui/forms/Forms.h"

class GDBMaskEdit;
class TBitBtn;
class TCheckBox;
class TComboBox;
class TDBEdit;
class TDBGrid;
class TEdit;
class TLabel;
class TPageControl;
class TTabSheet;
class TVtCalcEdit;
class TVtDBCalcEdit;

class TAddEditChaperonesForm : public TForm {
public:
  explicit TAddEditChaperonesForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TPageControl* PageControl1;

  // Personal
  TTabSheet* TabSheet1;
  TLabel* Label1;
  TDBEdit* DBEdit1;
  TLabel* Label2;
  TDBEdit* DBEdit2;
  TLabel* Label3;
  TDBEdit* DBEdit3;
  TLabel* Label4;
  GDBMaskEdit* GDBMaskEdit1;
  TLabel* Label5;
  TDBEdit* DBEdit4;
  TLabel* Label6;
  TDBEdit* DBEdit7;
  TLabel* Label7;
  TDBEdit* DBEdit8;
  TLabel* Label8;
  GDBMaskEdit* GDBMaskEdit2;
  TLabel* Label9;
  GDBMaskEdit* GDBMaskEdit3;
  TLabel* Label10;
  TDBEdit* DBEdit5;
  TLabel* Label12;
  TComboBox* ComboBox1;
  TDBEdit* DBEdit10;
  TLabel* Label13;
  TDBEdit* DBEdit6;
  TLabel* Label14;
  GDBMaskEdit* GDBMaskEdit4;
  TLabel* Label15;
  TDBEdit* DBEdit9;
  TLabel* Label16;
  TVtDBCalcEdit* VtDBCalcEdit4;

  // Sessions
  TTabSheet* TabSheet2;
  TLabel* Label70;
  TDBGrid* DBGrid5;
  TLabel* Label71;
  TDBGrid* DBGrid2;
  TLabel* Label72;
  TComboBox* ComboBox6;
  TBitBtn* BitBtn2;
  TBitBtn* BitBtn3;

  // Financial
  TTabSheet* TabSheet3;
  TLabel* Label17;
  TVtDBCalcEdit* VtDBCalcEdit1;
  TLabel* Label18;
  TVtDBCalcEdit* VtDBCalcEdit2;
  TLabel* Label19;
  TVtDBCalcEdit* VtDBCalcEdit3;
  TDBGrid* DBGrid1;

  // Make Payments to Coaches
  TTabSheet* TabSheet4;
  TLabel* Label11;
  TDBGrid* DBGrid3;
  TLabel* Label20;
  TVtCalcEdit* VtCalcEdit2;
  TBitBtn* BitBtn11;
  TBitBtn* BitBtn6;
  TLabel* Label75;
  TDBGrid* DBGrid4;
  TLabel* Label21;
  TVtCalcEdit* VtCalcEdit1;
  TLabel* Label22;
  TEdit* Edit2;
  TBitBtn* BitBtn4;
  TBitBtn* BitBtn5;

  TBitBtn* BitBtn1;

  void FormActivate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void GDBMaskEdit2Exit(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void ComboBox1KeyPress(TObject* Sender, char& Key);
  void DBGrid5MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Enrolment, invoices and payroll (ChaperoneMoney.cpp).
  void BitBtn2Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);
  void VtCalcEdit2KeyPress(TObject* Sender, char& Key);
  void BitBtn6Click(TObject* Sender);
  void BitBtn5Click(TObject* Sender);
  void BitBtn4Click(TObject* Sender);

private:
  void CreateDesign();
  void ApplyNouns();
  void FillShirtSizes();
  void ZeroNullTotals();
  void ShowEnrolments();
  void FillSessionTypes();
  // The pay list is a scratch area: emptied on activation, by Clear and after each payment.
  void EmptyPayList();
  // The pay list as stored, and the payroll total its sum.
  void ShowPayList();
  Currency PayListTotal();
  void SetPayrollTotal(Currency total);
  Currency PayrollTotal();
  // Raises the refusal of a pay list that no longer adds up to the total shown, or of a row
  // asking more than its enrolment owes now.
  void RefusePayList(Currency shown);

  vt::NewRowStart newRow_;
};

extern TAddEditChaperonesForm* AddEditChaperonesForm;
