// The league editor over the current row of the session's leagues: Done closes the dialog.
#include "app/forms/AddEditLeagues.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"

TAddEditLeaguesForm* AddEditLeaguesForm = nullptr;

TAddEditLeaguesForm::TAddEditLeaguesForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditLeaguesForm::BitBtn1Click(TObject* Sender) { vt::RecordEditorDone(this, SQLDataModule->tLeagues, CheckBox1); }
