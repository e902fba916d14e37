// The new-team dialog of the team page: Done closes the dialog.
#include "app/forms/AddTeam.h"

#include "app/forms/EditorFrame.h"

TAddTeamForm* AddTeamForm = nullptr;

TAddTeamForm::TAddTeamForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddTeamForm::BitBtn1Click(TObject* Sender) { vt::CloseEditor(this); }
