// The league editor over the current row of the session's leagues (tLeagues): its name, how it
// groups (by age or by grade) and the range, saved or discarded by Done.
#pragma once

#include "ui/forms/Forms.h"

class TBitBtn;
class TCheckBox;
class TDBComboBox;
class TDBEdit;
class TLabel;
class TVtDBCalcEdit;

class TAddEditLeaguesForm : public TForm {
public:
  explicit TAddEditLeaguesForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TLabel* Label1;
  TDBEdit* DBEdit1;
  TLabel* Label2;
  TDBComboBox* DBComboBox1;
  TLabel* Label3;
  TVtDBCalcEdit* VtDBCalcEdit1;
  TLabel* Label4;
  TVtDBCalcEdit* VtDBCalcEdit2;
  TBitBtn* BitBtn1;

  void FormActivate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void DBEdit1KeyPress(TObject* Sender, char& Key);
  void DBComboBox1KeyPress(TObject* Sender, char& Key);

private:
  void CreateDesign();
};

extern TAddEditLeaguesForm* AddEditLeaguesForm;
