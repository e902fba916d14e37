// Unit VtDBCtrl: the data-aware calculator edit. The field's class sets the edit's range,
// decimals and format; reading and writing go by the field's data type; the exit check and
// the record update keep the focus when they fail.
#include "components/VtDBCtrl.h"

#include "components/VtCalc.h"
#include "db/DataSet.h"
#include "db/Fields.h"

namespace {

constexpr char kBackspace = 8, kCtrlV = 22, kCtrlX = 24;

bool IsIntegerType(TFieldType Type) { return Type == ftSmallint || Type == ftInteger || Type == ftWord; }

String DesignText(const TComponent* Edit) { return "(" + Edit->Name() + ")"; }

} // namespace

TVtDBCalcEdit::TVtDBCalcEdit(TComponent* AOwner) : TVtCustomCalcEdit(AOwner), FDataLink(new TFieldDataLink)
{
  SetControlStyle(ControlStyle() << csReplicatable);
  TCustomComboEdit::SetReadOnly(true);
  FDataLink->OnDataChange = [this](TObject* s) { DataChange(s); };
  FDataLink->OnEditingChange = [this](TObject* s) { EditingChange(s); };
  FDataLink->OnUpdateData = [this](TObject* s) { UpdateFieldData(s); };
  FAlwaysEnable = true;
}

TVtDBCalcEdit::~TVtDBCalcEdit()
{
  FDataLink->OnDataChange = nullptr;
  FDataLink->OnEditingChange = nullptr;
  FDataLink->OnUpdateData = nullptr;
  delete FDataLink;
  FDataLink = nullptr;
}

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
    field->SetAsInteger(static_cast<int>(FValue));
  else if (field->DataType() == ftBoolean)
    field->SetAsBoolean(static_cast<int>(FValue) != 0);
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
