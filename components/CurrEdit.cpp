// Unit CurrEdit: value and text of the numeric edits, range checks on set and on exit, key
// filtering and the editing text that DataChanged writes.
#include "components/CurrEdit.h"

#include "rtl/Exceptions.h"
#include "components/vtGuiutils.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

TCustomNumEdit::TCustomNumEdit(TComponent* AOwner) : TCustomComboEdit(AOwner)
{
  SetControlStyle(ControlStyle() >> csSetCaption);
  SetMaxLength(0);
  InitDisplayFormat();
  FDefNumGlyphs = 2;
  DataChanged();
  SetGlyphKind(gkDefault);
  SetButtonWidth(20);
}

void TCustomNumEdit::Beep()
{
  if (FBeepOnError)
    ::Beep();
}

long double TCustomNumEdit::CheckValue(long double NewValue, bool RaiseOnError)
{
  return vt::CheckValue(NewValue, FRange, FDecimalPlaces, RaiseOnError);
}

void TCustomNumEdit::DataChanged()
{
  FFormatting = true;
  TCustomComboEdit::SetText(vt::EditingText(FValue, FDecimalPlaces, FZeroEmpty));
  FFormatting = false;
}

long double TCustomNumEdit::Value()
{
  if (!ComponentState().Contains(csDesigning))
    UpdateData();
  return FValue;
}

void TCustomNumEdit::SetValue(long double AValue)
{
  FValue = CheckValue(AValue, false);
  DataChanged();
  Invalidate();
}

void TCustomNumEdit::SetText(const String& AValue)
{
  if (ComponentState().Contains(csReading))
    return;
  FValue = CheckValue(StrToFloat(TextToValText(AValue)), false);
  DataChanged();
  Invalidate();
}

void TCustomNumEdit::SetMinValue(long double AValue)
{
  if (AValue == FRange.MinValue)
    return;
  FRange.MinValue = AValue;
  SetValue(FValue);
}

void TCustomNumEdit::SetMaxValue(long double AValue)
{
  if (AValue == FRange.MaxValue)
    return;
  FRange.MaxValue = AValue;
  SetValue(FValue);
}

void TCustomNumEdit::SetDecimalPlaces(unsigned AValue)
{
  if (AValue == FDecimalPlaces)
    return;
  FDecimalPlaces = AValue;
  DataChanged();
  Invalidate();
}

void TCustomNumEdit::SetDisplayFormat(const String& AValue)
{
  if (AValue == FDisplayFormat)
    return;
  FDisplayFormat = AValue;
  Invalidate();
  DataChanged();
}

void TCustomNumEdit::SetZeroEmpty(bool AValue)
{
  if (AValue == FZeroEmpty)
    return;
  FZeroEmpty = AValue;
  DataChanged();
}

void TCustomNumEdit::SetAlignment(TAlignment AValue)
{
  if (AValue == FAlignment)
    return;
  FAlignment = AValue;
  Invalidate();
}

String TCustomNumEdit::GetDisplayText() { return vt::FormatDisplayText(FValue, FDisplayFormat); }

bool TCustomNumEdit::IsValidChar(char Key)
{
  return vt::IsValidNumText(vt::TextAfterKey(Text(), SelStart(), SelLength(), Key), FDecimalPlaces, FRange);
}

void TCustomNumEdit::KeyPress(char& Key)
{
  const char dec = Locale().DecimalSeparator, thou = Locale().ThousandSeparator;
  if (PopupVisible() && vt::IsCalculatorKey(Key)) {
    if (auto* popup = dynamic_cast<TWinControl*>(FPopup))
      popup->RouteKeyPress(Key);
    Key = 0;
    return;
  }
  if ((Key == ',' || Key == '.') && Key != thou)
    Key = dec;
  TCustomComboEdit::KeyPress(Key);
  const auto code = static_cast<unsigned char>(Key);
  if (code >= 32 && !IsValidChar(Key)) {
    Beep();
    Key = 0;
  } else if (Key == '\x1b') {
    Reset();
    Key = 0;
  }
}

void TCustomNumEdit::Reset()
{
  DataChanged();
  SelectAll();
}

void TCustomNumEdit::AcceptValue(const Variant& AValue) { TCustomComboEdit::AcceptValue(AValue); }

void TCustomNumEdit::CheckRange()
{
  if (!ComponentState().Contains(csDesigning) && FCheckOnExit)
    CheckValue(StrToFloat(TextToValText(Text())), true);
}

void TCustomNumEdit::UpdateData()
{
  ValidateEdit();
  FValue = CheckValue(StrToFloat(TextToValText(Text())), false);
}

// Leaving the edit reads the text back; an entry that fails keeps the focus in the edit.
void TCustomNumEdit::DoExit(TMessage& Message)
{
  try {
    CheckRange();
    UpdateData();
  } catch (...) {
    SelectAll();
    if (CanFocus())
      SetFocus();
    throw;
  }
  TCustomComboEdit::WndProc(Message);
}

void TCustomNumEdit::WndProc(TMessage& Message)
{
  if (Message.Msg == CM_EXIT)
    DoExit(Message);
  else
    TCustomComboEdit::WndProc(Message);
}

TCurrencyEdit::TCurrencyEdit(TComponent* AOwner) : TCustomNumEdit(AOwner)
{
  InitDisplayFormat();
  SetButtonWidth(0);
}

TVtCustomCalcEdit::TVtCustomCalcEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {}
