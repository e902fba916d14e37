// The new-team dialog of the team page, as it stands until its own
// controls come: the editor frame with its Done button.
#pragma once

#include "ui/forms/Forms.h"

class TBitBtn;
class TCheckBox;

class TAddTeamForm : public TForm {
public:
  explicit TAddTeamForm(TComponent* AOwner);

  TBitBtn* BitBtn1;

  void BitBtn1Click(TObject* Sender);

private:
  void CreateDesign();
};

extern TAddTeamForm* AddTeamForm;
