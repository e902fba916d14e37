// The stored design of TEditCompanyForm: the editor frame and its handler bindings.
#include "app/forms/EditCompany.h"

#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

void TEditCompanyForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("EditCompanyForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "Company Information", "BitBtn4", false);
  BitBtn4 = frame.Done;
  BitBtn4->OnClick = [this](TObject* s) { BitBtn4Click(s); };
  vt::BindEditorKeys(this);
  d.Finish();
}
