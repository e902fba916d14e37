// GDBMaskEdit moves text between its field and the edit: the field's edit text on every record
// change, the edit's text into the field before a post or when the focus leaves.
#include "app/DBMaskEdit.h"

#include "app/Misc.h"
#include "db/Fields.h"
#include "rtl/TypInfo.h"

GDBMaskEdit::GDBMaskEdit(TComponent* AOwner) : TMaskEdit(AOwner), FDataLink(new TFieldDataLink) {
  FDataLink->OnDataChange = [this](TObject* s) { DataChange(s); };
  FDataLink->OnUpdateData = [this](TObject* s) { UpdateData(s); };
  FDataLink->OnEditingChange = [this](TObject* s) { EditingChange(s); };
  TMaskEdit::SetReadOnly(true);  // until the data link reports editing
}

GDBMaskEdit::~GDBMaskEdit() {
  delete FDataLink;
  FDataLink = nullptr;
}

void GDBMaskEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TMaskEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource()) SetDataSource(nullptr);
}

String GDBMaskEdit::GetDataField() const { return FDataLink->FieldName(); }

void GDBMaskEdit::SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }

TDataSource* GDBMaskEdit::GetDataSource() const { return FDataLink->DataSource(); }

// The source may live on another form or module: its free notification clears the reference.
void GDBMaskEdit::SetDataSource(TDataSource* Value) {
  if (TDataSource* old = FDataLink->DataSource()) old->RemoveFreeNotification(this);
  FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

bool GDBMaskEdit::GetReadOnly() const { return FDataLink->ReadOnly(); }

void GDBMaskEdit::SetReadOnly(bool Value) { FDataLink->SetReadOnly(Value); }

void GDBMaskEdit::SetFieldLabel(const String& Value) {
  if (Value == FFieldLabel) return;
  FFieldLabel = Value;
  DataChange(this);
}

void GDBMaskEdit::DataChange(TObject* Sender) {
  if (TField* field = FDataLink->Field()) {
    if (!Misc::IsBlank(field->EditMask())) SetEditMask(field->EditMask());
    SetText(field->EditText());
  } else {
    SetText(ComponentState().Contains(csDesigning) ? Name() : String());
  }
}

void GDBMaskEdit::UpdateData(TObject* Sender) { FDataLink->Field()->SetEditText(Text()); }

// Read-only while the dataset is not being edited; a key press lifts it through KeyDown.
void GDBMaskEdit::EditingChange(TObject* Sender) { TMaskEdit::SetReadOnly(!FDataLink->Editing()); }

void GDBMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TMaskEdit::KeyDown(Key, Shift);
  FDataLink->Edit();
}

void GDBMaskEdit::Change() {
  if (FDataLink && FDataLink->Editing()) FDataLink->Modified();
  TMaskEdit::Change();
}

void GDBMaskEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_ENTER) CMEnter(Message);
  else if (Message.Msg == CM_EXIT) CMExit(Message);
  else TMaskEdit::WndProc(Message);
}

void GDBMaskEdit::CMEnter(TMessage& Message) {
  UpdateFocus(true);
  TMaskEdit::WndProc(Message);
}

// A value the field refuses keeps the focus here with the whole text selected; the exception
// goes on to the form, which shows it.
void GDBMaskEdit::CMExit(TMessage& Message) {
  try {
    FDataLink->UpdateRecord();
  } catch (...) {
    SelectAll();
    SetFocus();
    throw;
  }
  UpdateFocus(false);
  TMaskEdit::WndProc(Message);
}

// Reloads the field's current value; the focus flag itself is not needed.
void GDBMaskEdit::UpdateFocus(bool focused) { FDataLink->Reset(); }

namespace {
const vt::ClassRegistration<GDBMaskEdit, TMaskEdit> kDBMaskEdit{
    "GDBMaskEdit",
    {
        vt::Published("DataField", &GDBMaskEdit::DataField, &GDBMaskEdit::SetDataField),
        vt::Published("DataSource", &GDBMaskEdit::DataSource, &GDBMaskEdit::SetDataSource),
        vt::Published("FieldLabel", &GDBMaskEdit::FieldLabel, &GDBMaskEdit::SetFieldLabel),
        vt::Published("ReadOnly", &GDBMaskEdit::ReadOnly, &GDBMaskEdit::SetReadOnly),
    }};
}  // namespace
