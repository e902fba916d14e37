// The company and system settings editor over the company record: Done closes the dialog.
#include "app/forms/EditCompany.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"

TEditCompanyForm* EditCompanyForm = nullptr;

TEditCompanyForm::TEditCompanyForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TEditCompanyForm::BitBtn4Click(TObject* Sender) {
  TADOQuery* company = SQLDataModule->qCoSYS;
  if (company->State() == dsEdit || company->State() == dsInsert) company->Cancel();
  vt::CloseEditor(this);
}
