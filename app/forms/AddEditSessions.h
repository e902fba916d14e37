// The session editor over the current row of the sessions query, as it stands until its own
// controls come: the editor frame with its Done button.
#pragma once

#include "ui/forms/Forms.h"

class TBitBtn;
class TCheckBox;

class TAddEditSessionsForm : public TForm {
public:
  explicit TAddEditSessionsForm(TComponent* AOwner);

  TCheckBox* CheckBox1;  // hidden add/edit flag: checked = edit mode
  TBitBtn* BitBtn1;

  void BitBtn1Click(TObject* Sender);

private:
  void CreateDesign();
};

extern TAddEditSessionsForm* AddEditSessionsForm;
