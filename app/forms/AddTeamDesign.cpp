// The stored design of TAddTeamForm: the editor frame, the name, league and chaperone with their
// labels in tab order, and the handler bindings.
#include "app/forms/AddTeam.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/FormDesigner.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"

void TAddTeamForm::CreateDesign() {
  vt::FormDesigner d(this);
  SetName("AddTeamForm");
  const vt::EditorFrame frame = vt::DesignEditorFrame(d, this, " - New Team", "BitBtn1", false);
  SetClientWidth(320);
  SetClientHeight(144);
  Label2 = d.Label("Label2", this, 16, 20, "Team Name");
  Edit1 = d.Make<TEdit>("Edit1", this, 104, 16, 200, 21);
  Edit1->SetTabOrder(0);
  Label1 = d.Label("Label1", this, 16, 52, "League");
  ComboBox1 = d.Combo("ComboBox1", this, 104, 48, 200, {});
  ComboBox1->SetTabOrder(1);
  Label36 = d.Label("Label36", this, 16, 84, "Chaperone");
  ComboBox5 = d.Combo("ComboBox5", this, 104, 80, 200, {});
  ComboBox5->SetTabOrder(2);
  BitBtn1 = frame.Done;
  BitBtn1->SetBounds(120, 112, 80, 25);
  BitBtn1->SetTabOrder(3);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  Edit1->OnKeyPress = [this](TObject* s, char& k) { Edit1KeyPress(s, k); };
  ComboBox1->OnKeyPress = [this](TObject* s, char& k) { ComboBox1KeyPress(s, k); };
  ComboBox5->OnKeyPress = [this](TObject* s, char& k) { ComboBox5KeyPress(s, k); };
  vt::BindEditorKeys(this);
  d.Finish();
}
