// The stored design of TAddTeamForm: the editor frame and its handler bindings.
#include "app/forms/AddTeam.h"

#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

void TAddTeamForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddTeamForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, " - New Team", "BitBtn1", false);
  BitBtn1 = frame.Done;
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  vt::BindEditorKeys(this);
  d.Finish();
}
