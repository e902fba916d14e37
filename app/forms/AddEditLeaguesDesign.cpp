// The stored design of TAddEditLeaguesForm: the editor frame and its handler bindings.
#include "app/forms/AddEditLeagues.h"

#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

void TAddEditLeaguesForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddEditLeaguesForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, " - Leagues", "BitBtn1", true);
  CheckBox1 = frame.AddEditFlag;
  BitBtn1 = frame.Done;
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  vt::BindEditorKeys(this);
  d.Finish();
}
