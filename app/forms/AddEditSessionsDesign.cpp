// The stored design of TAddEditSessionsForm: the editor frame and its handler bindings.
#include "app/forms/AddEditSessions.h"

#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

void TAddEditSessionsForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddEditSessionsForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, "Sessions", "BitBtn1", true);
  CheckBox1 = frame.AddEditFlag;
  BitBtn1 = frame.Done;
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  vt::BindEditorKeys(this);
  d.Finish();
}
