// The session editor over the current row of the sessions query: Done closes the dialog.
#include "app/forms/AddEditSessions.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"

TAddEditSessionsForm* AddEditSessionsForm = nullptr;

TAddEditSessionsForm::TAddEditSessionsForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditSessionsForm::BitBtn1Click(TObject* Sender) { vt::RecordEditorDone(this, SQLDataModule->qSessions, CheckBox1); }
