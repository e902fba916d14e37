// The league editor over the current row of the session's leagues, as it stands until its own
// controls come: the editor frame with its Done button.
#pragma once

#include "ui/forms/Forms.h"

class TBitBtn;
class TCheckBox;

class TAddEditLeaguesForm : public TForm {
public:
  explicit TAddEditLeaguesForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TBitBtn* BitBtn1;

  void BitBtn1Click(TObject* Sender);

private:
  void CreateDesign();
};

extern TAddEditLeaguesForm* AddEditLeaguesForm;
