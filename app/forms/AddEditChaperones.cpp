// The chaperone editor over the current row of the chaperones query: Done closes the dialog.
#include "app/forms/AddEditChaperones.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"

TAddEditChaperonesForm* AddEditChaperonesForm = nullptr;

TAddEditChaperonesForm::TAddEditChaperonesForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditChaperonesForm::BitBtn1Click(TObject* Sender) { vt::RecordEditorDone(this, SQLDataModule->qChaperones, CheckBox1); }
