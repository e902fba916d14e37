// Unit VtDBCtrl: the data-aware combo edits. The calculator edit's field class sets its range,
// decimals and format and reading and writing go by the field's data type; the button edit
// carries the field's text. The exit check and the record update keep the focus when they fail.
#include "components/edits/VtDBCtrl.h"
#include "rtl/TypInfo.h"

#include "components/edits/VtCalc.h"
#include "components/common/vtGuiutils.h"
#include "db/DataSet.h"
#include "db/Fields.h"

#include <cmath>

namespace {

constexpr char kBackspace = 8, kCtrlV = 22, kCtrlX = 24, kEscape = 27;

bool IsIntegerType(TFieldType Type) { return Type == ftSmallint || Type == ftInteger || Type == ftWord; }

String DesignText(const TComponent* Edit) { return "(" + Edit->Name() + ")"; }

// The link of a data-aware edit, its notices going to the edit's handlers.
TFieldDataLink* NewFieldDataLink(TNotifyEvent DataChange, TNotifyEvent EditingChange, TNotifyEvent UpdateData)
{
  auto* link = new TFieldDataLink;
  link->OnDataChange = std::move(DataChange);
  link->OnEditingChange = std::move(EditingChange);
  link->OnUpdateData = std::move(UpdateData);
  return link;
}

// The edit is being destroyed: no notice may reach it while the link goes.
void DeleteFieldDataLink(TFieldDataLink*& Link)
{
  Link->OnDataChange = nullptr;
  Link->OnEditingChange = nullptr;
  Link->OnUpdateData = nullptr;
  delete Link;
  Link = nullptr;
}

} // namespace

TVtDBCalcEdit::TVtDBCalcEdit(TComponent* AOwner)
    : TVtCustomCalcEdit(AOwner),
      FDataLink(NewFieldDataLink([this](TObject* s) { DataChange(s); }, [this](TObject* s) { EditingChange(s); },
                                 [this](TObject* s) { UpdateFieldData(s); }))
{
  SetControlStyle(ControlStyle() << csReplicatable);
  TCustomComboEdit::SetReadOnly(true);
  FAlwaysEnable = true;
}

TVtDBCalcEdit::~TVtDBCalcEdit() { DeleteFieldDataLink(FDataLink); }

void TVtDBCalcEdit::Notification(TComponent* AComponent, TOperation Operation)
{
  TVtCustomCalcEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource())
    SetDataSource(nullptr);
}

void TVtDBCalcEdit::SetDataSource(TDataSource* Value)
{
  if (Value == FDataLink->DataSource())
    return;
  if (!ComponentState().Contains(csLoading) || !FDataLink->DataSource())
    FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(this);
  UpdateFieldParams();
}

void TVtDBCalcEdit::SetDataField(const String& Value)
{
  if (Value == FDataLink->FieldName())
    return;
  FDataLink->SetFieldName(Value);
  UpdateFieldParams();
}

void TVtDBCalcEdit::SetDefaultParams(bool Value)
{
  if (Value == FDefaultParams)
    return;
  FDefaultParams = Value;
  if (Value)
    UpdateFieldParams();
}

// The field's class gives the range, the decimals and, when the edit has none, the format.
void TVtDBCalcEdit::UpdateFieldParams()
{
  if (TField* field = Field()) {
    if (dynamic_cast<TNumericField*>(field)) {
      if (!field->DisplayFormat().empty())
        SetDisplayFormat(field->DisplayFormat());
      SetAlignment(field->Alignment());
    }
    const bool wholeNumbers = dynamic_cast<TLargeintField*>(field) || dynamic_cast<TIntegerField*>(field);
    if (wholeNumbers || dynamic_cast<TBCDField*>(field) || dynamic_cast<TFloatField*>(field)) {
      SetMaxValue(field->MaxValue());
      SetMinValue(field->MinValue());
    } else if (dynamic_cast<TBooleanField*>(field)) {
      SetMinValue(0);
      SetMaxValue(1);
    }
    if (wholeNumbers || dynamic_cast<TBooleanField*>(field)) {
      SetDecimalPlaces(0);
      if (DisplayFormat().empty())
        SetDisplayFormat(",#");
    } else if (dynamic_cast<TFloatField*>(field)) {
      SetDecimalPlaces(static_cast<unsigned>(field->Precision()));
    }
  }
  UpdatePopup();
}

void TVtDBCalcEdit::UpdatePopup()
{
  auto* floatField = dynamic_cast<TFloatField*>(Field());
  const int precision = floatField ? floatField->Precision() : 15;
  SetupPopupCalculator(FPopup, static_cast<Byte>(precision), BeepOnError());
}

long double TVtDBCalcEdit::FieldValue() const
{
  TField* field = Field();
  if (IsIntegerType(field->DataType()))
    return field->AsInteger();
  if (field->DataType() == ftBoolean)
    return field->AsBoolean() ? 1 : 0;
  if (dynamic_cast<TLargeintField*>(field))
    return static_cast<long double>(field->Value().AsInt64());
  return field->AsFloat();
}

void TVtDBCalcEdit::DataChange(TObject*)
{
  if (FDefaultParams)
    UpdateFieldParams();
  TField* field = Field();
  if (!field) {
    SetValue(0);
    if (ComponentState().Contains(csDesigning))
      TCustomComboEdit::SetText(DesignText(this));
    return;
  }
  SetValue(field->IsNull() ? 0 : FieldValue());
}

void TVtDBCalcEdit::EditingChange(TObject*) { TCustomComboEdit::SetReadOnly(!FDataLink->Editing()); }

// The pending text goes to the field: zero as null under ZeroEmpty, else by the field's type.
void TVtDBCalcEdit::UpdateFieldData(TObject*)
{
  UpdateData();
  TField* field = Field();
  if (FValue == 0 && ZeroEmpty())
    field->Clear();
  else if (IsIntegerType(field->DataType()))
    field->SetAsFloat(static_cast<double>(std::trunc(FValue)));  // the field refuses what its type cannot hold
  else if (field->DataType() == ftBoolean)
    field->SetAsBoolean(std::trunc(FValue) != 0);
  else
    field->SetAsFloat(static_cast<double>(FValue));
}

String TVtDBCalcEdit::GetDisplayText()
{
  TField* field = Field();
  if (ControlState().Contains(csPaintCopy) && field)
    return field->IsNull() ? String() : vt::FormatDisplayText(FieldValue(), DisplayFormat());
  if (!field)
    return ComponentState().Contains(csDesigning) ? DesignText(this) : String();
  return TVtCustomCalcEdit::GetDisplayText();
}

bool TVtDBCalcEdit::EditCanModify() { return FDataLink->Edit(); }

void TVtDBCalcEdit::Reset()
{
  FDataLink->Reset();
  TVtCustomCalcEdit::Reset();
}

void TVtDBCalcEdit::Change()
{
  if (!FFormatting)
    FDataLink->Modified();
  TVtCustomCalcEdit::Change();
}

bool TVtDBCalcEdit::IsValidChar(char Key)
{
  return TVtCustomCalcEdit::IsValidChar(Key) && (!Field() || Field()->IsValidChar(Key));
}

// The calculator's result goes to the field as it is; the field's own checks apply.
void TVtDBCalcEdit::AcceptValue(const Variant& Value)
{
  if (TField* field = Field()) {
    if (!Value.IsNull() && !Value.IsEmpty())
      field->SetValue(Value);
    else
      field->Clear();
  }
  DoChange();
}

void TVtDBCalcEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  TVtCustomCalcEdit::KeyDown(Key, Shift);
  if (!GetReadOnly() && (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))))
    FDataLink->Edit();
}

// Esc needs nothing here: the numeric edit's Esc runs Reset, which reloads the field.
void TVtDBCalcEdit::KeyPress(char& Key)
{
  TVtCustomCalcEdit::KeyPress(Key);
  const auto code = static_cast<unsigned char>(Key);
  if ((code == kBackspace || code == kCtrlV || code == kCtrlX || code >= 32) && !PopupVisible())
    FDataLink->Edit();
}

void TVtDBCalcEdit::ExitField(TMessage& Message)
{
  RunExitChecks([this] {
    CheckRange();
    FDataLink->UpdateRecord();
  });
  ExitEdit(Message);
}

void TVtDBCalcEdit::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_PASTE:
  case WM_CUT:
    FDataLink->Edit();
    TVtCustomCalcEdit::WndProc(Message);
    break;
  case CM_EXIT: ExitField(Message); break;
  case CM_GETDATALINK: Message.Result = reinterpret_cast<LRESULT>(FDataLink); break;
  default: TVtCustomCalcEdit::WndProc(Message);
  }
}

// ---- TVtDBComboEdit -------------------------------------------------------------------------

TVtDBComboEdit::TVtDBComboEdit(TComponent* AOwner)
    : TCustomComboEdit(AOwner),
      FDataLink(NewFieldDataLink([this](TObject* s) { DataChange(s); }, [this](TObject* s) { EditingChange(s); },
                                 [this](TObject* s) { UpdateFieldData(s); }))
{
  SetControlStyle(ControlStyle() << csReplicatable);
  TCustomComboEdit::SetReadOnly(true);
  FAlwaysEnable = true;
}

TVtDBComboEdit::~TVtDBComboEdit() { DeleteFieldDataLink(FDataLink); }

void TVtDBComboEdit::Loaded()
{
  TCustomComboEdit::Loaded();
  ResetMaxLength();
  if (ComponentState().Contains(csDesigning))
    DataChange(this);
}

void TVtDBComboEdit::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomComboEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource())
    SetDataSource(nullptr);
}

void TVtDBComboEdit::SetDataSource(TDataSource* Value)
{
  if (!ComponentState().Contains(csLoading) || !FDataLink->DataSource())
    FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(this);
}

void TVtDBComboEdit::SetDataField(const String& Value)
{
  if (!ComponentState().Contains(csLoading))
    ResetMaxLength();
  FDataLink->SetFieldName(Value);
}

void TVtDBComboEdit::ResetMaxLength()
{
  TField* field = Field();
  if (MaxLength() > 0 && dynamic_cast<TStringField*>(field) && MaxLength() == field->Size())
    SetMaxLength(0);
}

void TVtDBComboEdit::DataChange(TObject*)
{
  TField* field = Field();
  if (!field) {
    SetAlignment(taLeftJustify);
    SetEditMask("");
    SetText(ComponentState().Contains(csDesigning) ? Name() : String());
    return;
  }
  if (Alignment() != field->Alignment()) {
    SetText("");
    SetAlignment(field->Alignment());
  }
  SetEditMask(field->EditMask());
  if (!ComponentState().Contains(csDesigning) && dynamic_cast<TStringField*>(field) && MaxLength() == 0)
    SetMaxLength(field->Size());
  SetText(FFocused && FDataLink->CanModify() ? field->EditText() : field->DisplayText());
}

void TVtDBComboEdit::EditingChange(TObject*) { TCustomComboEdit::SetReadOnly(!FDataLink->Editing()); }

void TVtDBComboEdit::UpdateFieldData(TObject*)
{
  ValidateEdit();
  Field()->SetText(Text());
}

void TVtDBComboEdit::Reset()
{
  FDataLink->Reset();
  SelectAll();
}

void TVtDBComboEdit::Change()
{
  FDataLink->Modified();
  TCustomComboEdit::Change();
}

void TVtDBComboEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  TCustomComboEdit::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
    FDataLink->Edit();
}

// A character the field refuses beeps and is dropped; Esc shows the stored value again.
void TVtDBComboEdit::KeyPress(char& Key)
{
  TCustomComboEdit::KeyPress(Key);
  const auto code = static_cast<unsigned char>(Key);
  if (code >= 32 && Field() && !Field()->IsValidChar(Key)) {
    Beep();
    Key = 0;
  }
  if (Key == kEscape) {
    Reset();
    Key = 0;
  } else if (Key == kBackspace || Key == kCtrlV || Key == kCtrlX || static_cast<unsigned char>(Key) >= 32) {
    FDataLink->Edit();
  }
}

void TVtDBComboEdit::ExitField(TMessage& Message)
{
  RunExitChecks([this] { FDataLink->UpdateRecord(); });
  SetSelStart(0);
  TCustomComboEdit::WndProc(Message);
}

// A copy painted for a data grid shows the field's display text in the edit's letter case.
String TVtDBComboEdit::PaintText() const
{
  if (!ControlState().Contains(csPaintCopy) || !Field())
    return Text();
  const String text = Field()->DisplayText();
  return CharCase() == ecUpperCase ? AnsiUpperCase(text) : CharCase() == ecLowerCase ? AnsiLowerCase(text) : text;
}

void TVtDBComboEdit::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_PASTE:
  case WM_CUT:
    FDataLink->Edit();
    break;
  case CM_ENTER:
    if (Alignment() != taLeftJustify)
      Invalidate();
    break;
  case CM_EXIT: ExitField(Message); return;
  case CM_GETDATALINK: Message.Result = reinterpret_cast<LRESULT>(FDataLink); return;
  case WM_PAINT:
    if (PaintComboEdit(Message, PaintText(), Alignment(), true))
      return;
    break;
  default: break;
  }
  TCustomComboEdit::WndProc(Message);
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtDBCalcEdit, TVtCustomCalcEdit> kVtDBCalcEdit{
    "TVtDBCalcEdit",
    {
        vt::Published("DataField", &TVtDBCalcEdit::DataField, &TVtDBCalcEdit::SetDataField),
        vt::Published("DataSource", &TVtDBCalcEdit::DataSource, &TVtDBCalcEdit::SetDataSource),
        vt::Published("DefaultParams", &TVtDBCalcEdit::DefaultParams, &TVtDBCalcEdit::SetDefaultParams),
    }};
const vt::ClassRegistration<TVtDBComboEdit, TCustomComboEdit> kVtDBComboEdit{
    "TVtDBComboEdit",
    {
        vt::Published("DataField", &TVtDBComboEdit::DataField, &TVtDBComboEdit::SetDataField),
        vt::Published("DataSource", &TVtDBComboEdit::DataSource, &TVtDBComboEdit::SetDataSource),
    }};
}  // namespace
