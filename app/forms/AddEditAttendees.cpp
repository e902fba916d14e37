// The attendee editor over the current row of the attendees query: Done closes the dialog.
#include "app/forms/AddEditAttendees.h"

#include "app/SQLData.h"
#include "app/forms/EditorFrame.h"

TAddEditAttendeesForm* AddEditAttendeesForm = nullptr;

TAddEditAttendeesForm::TAddEditAttendeesForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAddEditAttendeesForm::BitBtn1Click(TObject* Sender) { vt::RecordEditorDone(this, SQLDataModule->qAttendees, CheckBox1); }
