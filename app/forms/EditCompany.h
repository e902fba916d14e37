// The company and system settings editor: the company record with its nouns, age limit and
// letters, the four default lists (positions, shirt sizes, default leagues, default session
// types) each with its entry panel, and the database page (location change and compaction).
#pragma once

#include "app/forms/SettingsList.h"
#include "ui/forms/Forms.h"

class TBitBtn;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TEdit;
class TLabel;
class TMaskEdit;
class TOpenDialog;
class TPageControl;
class TPanel;
class TTabSheet;
class TVtCalcEdit;
class TVtDBCalcEdit;
class GDBMaskEdit;

class TEditCompanyForm : public TForm {
public:
  explicit TEditCompanyForm(TComponent* AOwner);

  TPageControl* PageControl1;
  // System Information
  TTabSheet* TabSheet1;
  TDBEdit* DBEdit1;  // CompanyName
  TDBEdit* DBEdit2;  // DirectorName
  TDBEdit* DBEdit3;  // Address
  TDBEdit* DBEdit4;  // City
  TDBEdit* DBEdit5;  // State
  GDBMaskEdit* GDBMaskEdit3;  // ZipCode
  GDBMaskEdit* GDBMaskEdit1;  // PhoneNumber
  GDBMaskEdit* GDBMaskEdit2;  // FaxNumber
  TDBEdit* DBEdit6;  // EmailAddress
  TPanel* Panel1;    // System Configuration
  TDBEdit* DBEdit7;  // Attendees, AttendeesP, Chaperones, ChaperonesP, Sessions
  TDBEdit* DBEdit8;
  TDBEdit* DBEdit9;
  TDBEdit* DBEdit10;
  TDBEdit* DBEdit11;
  TDBEdit* DBEdit17;  // SessionsP, AgeGroups, AgeGroupsP, Teams, TeamsP
  TDBEdit* DBEdit18;
  TDBEdit* DBEdit19;
  TDBEdit* DBEdit20;
  TDBEdit* DBEdit21;
  TVtDBCalcEdit* VtDBCalcEdit7;  // AgeToRemoveAttendees
  // Letters
  TTabSheet* TabSheet7;
  TDBMemo* DBMemo1;
  TDBMemo* DBMemo2;
  // Positions
  TTabSheet* TabSheet2;
  TDBGrid* DBGrid1;
  TLabel* Label19;  // "Number on " + Teams
  TEdit* Edit1;
  TEdit* Edit2;
  TVtCalcEdit* VtCalcEdit1;
  TDBEdit* DBEdit12;
  TDBEdit* DBEdit13;
  TVtDBCalcEdit* VtDBCalcEdit1;
  TBitBtn* BitBtn1;
  TBitBtn* BitBtn15;
  TBitBtn* BitBtn3;
  TBitBtn* BitBtn10;
  // Shirt / Uniform Sizes
  TTabSheet* TabSheet3;
  TDBGrid* DBGrid2;
  TEdit* Edit3;
  TEdit* Edit4;
  TDBEdit* DBEdit14;
  TDBEdit* DBEdit15;
  TBitBtn* BitBtn5;
  TBitBtn* BitBtn16;
  TBitBtn* BitBtn7;
  TBitBtn* BitBtn11;
  // Default Leagues
  TTabSheet* TabSheet4;
  TDBGrid* DBGrid3;
  TEdit* Edit5;
  TVtCalcEdit* VtCalcEdit2;
  TVtCalcEdit* VtCalcEdit3;
  TVtCalcEdit* VtCalcEdit4;
  TVtCalcEdit* VtCalcEdit5;
  TDBEdit* DBEdit16;
  TVtDBCalcEdit* VtDBCalcEdit2;
  TVtDBCalcEdit* VtDBCalcEdit3;
  TVtDBCalcEdit* VtDBCalcEdit4;
  TVtDBCalcEdit* VtDBCalcEdit5;
  TBitBtn* BitBtn2;
  TBitBtn* BitBtn14;
  TBitBtn* BitBtn6;
  TBitBtn* BitBtn12;
  // Default Session Types
  TTabSheet* TabSheet5;
  TDBGrid* DBGrid4;
  TMaskEdit* MaskEdit1;
  TEdit* Edit7;
  TVtCalcEdit* VtCalcEdit6;
  TVtCalcEdit* VtCalcEdit7;
  TVtCalcEdit* VtCalcEdit8;
  GDBMaskEdit* GDBMaskEdit9;
  TDBEdit* DBEdit23;
  TVtDBCalcEdit* VtDBCalcEdit6;
  TVtDBCalcEdit* VtDBCalcEdit8;
  TVtDBCalcEdit* VtDBCalcEdit9;
  TBitBtn* BitBtn8;
  TBitBtn* BitBtn17;
  TBitBtn* BitBtn9;
  TBitBtn* BitBtn13;
  // Database
  TTabSheet* TabSheet6;
  TEdit* DBNameEdit;
  TEdit* DirectoryEdit;
  TBitBtn* DBNameBtn;
  TBitBtn* BitBtn18;
  TBitBtn* BitBtn19;
  TOpenDialog* OpenDialog1;

  TBitBtn* BitBtn4;  // Done

  void FormActivate(TObject* Sender);
  void BitBtn4Click(TObject* Sender);
  void DBEdit21Exit(TObject* Sender);
  void VtDBCalcEdit7Exit(TObject* Sender);
  void GDBMaskEdit3Exit(TObject* Sender);

  void BitBtn1Click(TObject* Sender);
  void BitBtn15Click(TObject* Sender);
  void BitBtn10Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);
  void BitBtn5Click(TObject* Sender);
  void BitBtn16Click(TObject* Sender);
  void BitBtn11Click(TObject* Sender);
  void BitBtn7Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn14Click(TObject* Sender);
  void BitBtn12Click(TObject* Sender);
  void BitBtn6Click(TObject* Sender);
  void BitBtn8Click(TObject* Sender);
  void BitBtn17Click(TObject* Sender);
  void BitBtn13Click(TObject* Sender);
  void BitBtn9Click(TObject* Sender);

  void DBGrid1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DBGrid4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The database page (EditCompanyDatabase.cpp).
  void DBNameBtnClick(TObject* Sender);
  void BitBtn18Click(TObject* Sender);
  void BitBtn19Click(TObject* Sender);

  // The entry panels of the four lists, in page order.
  vt::SettingsList Positions;
  vt::SettingsList ShirtSizes;
  vt::SettingsList DefaultLeagues;
  vt::SettingsList SessionTypes;

private:
  void CreateDesign();
  void RestorePersistedGridWidths();
  void ShowTeamsNoun();
  void CloseListPanels();
};

extern TEditCompanyForm* EditCompanyForm;
