// The company and system settings editor over the company record, as it stands until its own
// controls come: the editor frame with its Done button.
#pragma once

#include "ui/forms/Forms.h"

class TBitBtn;
class TCheckBox;

class TEditCompanyForm : public TForm {
public:
  explicit TEditCompanyForm(TComponent* AOwner);

  TBitBtn* BitBtn4;

  void BitBtn4Click(TObject* Sender);

private:
  void CreateDesign();
};

extern TEditCompanyForm* EditCompanyForm;
