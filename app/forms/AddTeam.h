// The new-team dialog of the team page: a team name, one of the session's leagues and, if wanted,
// one of its chaperones; Done appends the team to the session.
#pragma once

#include <vector>

#include "ui/forms/Forms.h"

class TBitBtn;
class TComboBox;
class TEdit;
class TLabel;

class TAddTeamForm : public TForm {
public:
  explicit TAddTeamForm(TComponent* AOwner);

  TLabel* Label2;
  TEdit* Edit1;
  TLabel* Label1;
  TComboBox* ComboBox1;
  TLabel* Label36;
  TComboBox* ComboBox5;
  TBitBtn* BitBtn1;

  void FormActivate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void Edit1KeyPress(TObject* Sender, char& Key);
  void ComboBox1KeyPress(TObject* Sender, char& Key);
  void ComboBox5KeyPress(TObject* Sender, char& Key);

private:
  void CreateDesign();
  void FillChaperones();
  void FillLeagues();
  void AppendTeam();

  std::vector<String> leagueNames_;  // the league of each item of ComboBox1
};

extern TAddTeamForm* AddTeamForm;
