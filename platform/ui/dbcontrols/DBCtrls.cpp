// The data-aware controls. The link's data-change call-back shows the field, its update-data
// call-back writes the pending text; the shared steps live once in vt::FieldControl, which is
// instantiated for the four control bases below.
#include "ui/dbcontrols/DBCtrls.h"
#include "rtl/TypInfo.h"

#include "db/Fields.h"
#include "rtl/StrUtils.h"

namespace vt {

namespace {

constexpr char CtrlH = '\b';
constexpr char CtrlV = 0x16;
constexpr char CtrlX = 0x18;

bool IsTypedCharacter(char key) { return static_cast<unsigned char>(key) >= 0x20; }

}  // namespace

template <class Base>
FieldControl<Base>::FieldControl(TComponent* AOwner) : Base(AOwner), FDataLink(new TFieldDataLink) {
    FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
    FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
    FDataLink->OnEditingChange = [this](TObject*) { EditingChange(); };
}

template <class Base>
FieldControl<Base>::~FieldControl() {
    delete FDataLink;
}

template <class Base>
void FieldControl<Base>::SetDataSource(TDataSource* Value) {
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
}

template <class Base>
void FieldControl<Base>::Notification(TComponent* AComponent, TOperation Operation) {
    Base::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == DataSource()) SetDataSource(nullptr);
}

template <class Base>
void FieldControl<Base>::WndProc(TMessage& Message) {
    if (Message.Msg == CM_GETDATALINK) {
        Message.Result = reinterpret_cast<LRESULT>(FDataLink);
        return;
    }
    // Pasting and cutting change the text like typing does.
    if ((Message.Msg == WM_PASTE || Message.Msg == WM_CUT) && !CanEditField()) return;
    if (Message.Msg == CM_EXIT) {
        try {
            FDataLink->UpdateRecord();
        } catch (...) {
            SelectText();
            throw;
        }
    }
    Base::WndProc(Message);
}

template <class Base>
void FieldControl<Base>::FieldTextChanged() {
    if (FDataLink->Editing()) FDataLink->Modified();
}

template <class Base>
String FieldControl<Base>::TextWithoutField() const {
    return this->ComponentState().Contains(csDesigning) ? this->Name() : String();
}

template <class Base>
void FieldControl<Base>::FieldKeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))) {
        if (!CanEditField()) Key = 0;
    } else if (Key == VK_ESCAPE && FDataLink->IsModified()) {
        FDataLink->Reset();
        SelectText();
        Key = 0;
    }
}

template <class Base>
void FieldControl<Base>::FieldKeyPress(char& Key, bool ReturnTypes) {
    const bool changesText = IsTypedCharacter(Key) || Key == CtrlH || Key == CtrlV || Key == CtrlX ||
                             (Key == '\r' && ReturnTypes);
    if (!changesText) return;
    if (IsTypedCharacter(Key) && Field() && !Field()->IsValidChar(Key)) Key = 0;
    else if (!CanEditField()) Key = 0;
}

template class FieldControl<TCustomMaskEdit>;
template class FieldControl<TCustomMemo>;
template class FieldControl<TCustomCheckBox>;
template class FieldControl<TCustomComboBox>;

}  // namespace vt

// ---- TDBEdit ------------------------------------------------------------------------------

TDBEdit::TDBEdit(TComponent* AOwner) : FieldControl(AOwner) { TCustomMaskEdit::SetReadOnly(true); }

// The focused edit of a modifiable field shows the edit text, otherwise the display text.
void TDBEdit::DataChange() {
    TField* field = Field();
    if (!field) {
        SetEditMask("");
        SetText(TextWithoutField());
        return;
    }
    SetEditMask(field->EditMask());
    if ((field->DataType() == ftString || field->DataType() == ftWideString) && !IsMasked())
        SetMaxLength(field->Size());
    const bool editing = FFocused && FDataLink->CanModify();
    SetText(editing || IsMasked() ? field->Text() : field->DisplayText());
}

void TDBEdit::UpdateData() {
    ValidateEdit();
    Field()->SetText(Text());
}

void TDBEdit::EditingChange() { TCustomMaskEdit::SetReadOnly(!FieldEditing()); }

void TDBEdit::Change() {
    FieldTextChanged();
    TCustomMaskEdit::Change();
}

void TDBEdit::Reset() {
    FDataLink->Reset();
    SelectAll();
}

// Delete and Backspace ask EditCanModify in the masked edit; Esc without a mask lands here.
void TDBEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == VK_INSERT && Shift.Contains(ssShift) && !CanEditField()) Key = 0;
    if (Key == VK_ESCAPE && FDataLink->IsModified()) {
        Reset();
        Key = 0;
    }
}

void TDBEdit::KeyPress(char& Key) {
    if (vt::IsTypedCharacter(Key) && Field() && !Field()->IsValidChar(Key)) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

// Entering shows the edit text; leaving writes the field (the inherited step) and then shows
// the display text again.
void TDBEdit::WndProc(TMessage& Message) {
    if (Message.Msg == CM_ENTER) {
        FFocused = true;
        FDataLink->Reset();
    }
    FieldControl::WndProc(Message);
    if (Message.Msg == CM_EXIT) {
        FFocused = false;
        FDataLink->Reset();
    }
}

// ---- TDBMemo ------------------------------------------------------------------------------

TDBMemo::TDBMemo(TComponent* AOwner) : FieldControl(AOwner) { TCustomMemo::SetReadOnly(true); }

void TDBMemo::DataChange() { SetText(Field() ? Field()->AsString() : TextWithoutField()); }
void TDBMemo::UpdateData() { Field()->SetAsString(Text()); }
void TDBMemo::EditingChange() { TCustomMemo::SetReadOnly(!FieldEditing()); }

void TDBMemo::Change() {
    FieldTextChanged();
    TCustomMemo::Change();
}

void TDBMemo::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomMemo::KeyDown(Key, Shift);
    FieldKeyDown(Key, Shift);
}

void TDBMemo::KeyPress(char& Key) {
    TCustomMemo::KeyPress(Key);
    FieldKeyPress(Key, WantReturns());
}

// ---- TDBCheckBox --------------------------------------------------------------------------

namespace {

// Whether text is one of the ';'-separated values, letter case ignored.
bool IsOneOf(const String& text, const String& values) {
    size_t start = 0;
    while (start <= values.size()) {
        const size_t end = std::min(values.find(';', start), values.size());
        if (SameText(text, values.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

String FirstOf(const String& values) { return values.substr(0, values.find(';')); }

}  // namespace

TDBCheckBox::TDBCheckBox(TComponent* AOwner) : FieldControl(AOwner) {}

void TDBCheckBox::SetValueChecked(const String& Value) {
    if (Value == FValueChecked) return;
    FValueChecked = Value;
    DataChange();
}

void TDBCheckBox::SetValueUnchecked(const String& Value) {
    if (Value == FValueUnchecked) return;
    FValueUnchecked = Value;
    DataChange();
}

TCheckBoxState TDBCheckBox::StateOfField() const {
    const TCheckBoxState unknown = AllowGrayed() ? cbGrayed : cbUnchecked;
    TField* field = Field();
    if (!field || field->IsNull()) return unknown;
    if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
    if (IsOneOf(field->Text(), FValueChecked)) return cbChecked;
    if (IsOneOf(field->Text(), FValueUnchecked)) return cbUnchecked;
    return unknown;
}

void TDBCheckBox::DataChange() { SetState(StateOfField()); }

void TDBCheckBox::UpdateData() {
    TField* field = Field();
    if (State() == cbGrayed) field->Clear();
    else if (field->DataType() == ftBoolean) field->SetAsBoolean(Checked());
    else field->SetText(FirstOf(Checked() ? FValueChecked : FValueUnchecked));
}

// A click changes the box only when the field can take the new value.
void TDBCheckBox::Toggle() {
    if (!CanEditField()) return;
    TCustomCheckBox::Toggle();
    FDataLink->Modified();
}

// ---- TDBComboBox --------------------------------------------------------------------------

TDBComboBox::TDBComboBox(TComponent* AOwner) : FieldControl(AOwner) {}

void TDBComboBox::DataChange() {
    const String text = Field() ? Field()->Text() : TextWithoutField();
    if (Style() == csDropDownList) SetItemIndex(Items()->IndexOf(text));
    else SetText(text);
}

void TDBComboBox::UpdateData() { Field()->SetText(Text()); }

// A pick that the field cannot take now is undone: the combo shows the field again.
void TDBComboBox::Change() {
    if (!CanEditField()) {
        DataChange();
        return;
    }
    FDataLink->Modified();
    TCustomComboBox::Change();
}

void TDBComboBox::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomComboBox::KeyDown(Key, Shift);
    FieldKeyDown(Key, Shift);
}

void TDBComboBox::KeyPress(char& Key) {
    TCustomComboBox::KeyPress(Key);
    FieldKeyPress(Key, false);
}

// ---- Published properties ----

namespace {
// The data link's properties, which every data-aware control publishes.
template <class C>
std::vector<TPropInfo> FieldControlProps(std::vector<TPropInfo> own = {})
{
    own.push_back(vt::Published("DataField", &C::DataField, &C::SetDataField));
    own.push_back(vt::Published("DataSource", &C::DataSource, &C::SetDataSource));
    own.push_back(vt::Published("ReadOnly", &C::ReadOnly, &C::SetReadOnly));
    return own;
}
const vt::ClassRegistration<TDBEdit, TCustomMaskEdit> kDBEdit{"TDBEdit", FieldControlProps<TDBEdit>()};
const vt::ClassRegistration<TDBMemo, TCustomMemo> kDBMemo{"TDBMemo", FieldControlProps<TDBMemo>()};
const vt::ClassRegistration<TDBCheckBox, TCustomCheckBox> kDBCheckBox{
    "TDBCheckBox",
    FieldControlProps<TDBCheckBox>({
        vt::Published("ValueChecked", &TDBCheckBox::ValueChecked, &TDBCheckBox::SetValueChecked),
        vt::Published("ValueUnchecked", &TDBCheckBox::ValueUnchecked, &TDBCheckBox::SetValueUnchecked),
    })};
const vt::ClassRegistration<TDBComboBox, TCustomComboBox> kDBComboBox{"TDBComboBox", FieldControlProps<TDBComboBox>()};
}  // namespace
