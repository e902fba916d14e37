// Unit CurrEdit: value and text of the numeric edits, range checks on set and on exit, key
// filtering, regrouping while typing, the hand-painted display text of the unfocused edit and
// the calculator edit's drop-down.
#include "components/edits/CurrEdit.h"
#include "rtl/TypInfo.h"

#include "components/edits/VtCalc.h"
#include "components/common/vtGuiutils.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TCustomNumEdit::TCustomNumEdit(TComponent* AOwner) : TCustomComboEdit(AOwner)
{
  SetControlStyle(ControlStyle() >> csSetCaption);
  SetMaxLength(0);
  InitDisplayFormat();
  TCustomComboEdit::SetAlignment(taLeftJustify);
  FDefNumGlyphs = 2;
  DataChanged();
  SetControlState(ControlState() << csCreating);
  SetGlyphKind(gkDefault);
  SetButtonWidth(20);
  SetControlState(ControlState() >> csCreating);
}

TCustomNumEdit::~TCustomNumEdit() { FreePopup(); }

void TCustomNumEdit::CreateWnd()
{
  TCustomComboEdit::CreateWnd();
  if (!ComponentState().Contains(csDesigning))
    FHook.Install([this](TMessage& m) { return FormatSettingsChange(m); });
}

void TCustomNumEdit::DestroyWnd()
{
  FHook.Remove();
  TCustomComboEdit::DestroyWnd();
}

// A new locale keeps the number the text stands for, typed or not, and writes it in the new
// locale's form; read with the new separators, the old text would be another number.
bool TCustomNumEdit::FormatSettingsChange(TMessage& Message)
{
  if (Message.Msg != WM_SETTINGCHANGE || vt::LocaleSeparators() == FTextSeparators)
    return false;
  long double value = 0;
  if (TryStrToFloat(vt::LocaleNumberText(Text(), FTextSeparators), value))
    FValue = CheckValue(value, false);
  FTextSeparators = vt::LocaleSeparators();
  DataChanged();
  Invalidate();
  return false;  // other hooks and the main window still see it
}

TBitmap* TCustomNumEdit::GetDefaultBitmap(bool& DestroyNeeded)
{
  DestroyNeeded = false;
  return vt::SharedBitmap("CEDITBMP");  // two cells
}

void TCustomNumEdit::ErrorBeep()
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
  try {
    TCustomComboEdit::SetText(vt::EditingText(FValue, FDecimalPlaces, FZeroEmpty));
  } catch (...) {
    FFormatting = false;
    throw;
  }
  FFormatting = false;
}

long double TCustomNumEdit::Value()
{
  if (!ComponentState().Contains(csDesigning))
    UpdateData();
  return FValue;
}

int TCustomNumEdit::AsInteger()
{
  const long double whole = std::trunc(Value());
  if (!(whole >= INT32_MIN && whole <= INT32_MAX))
    throw ERangeError(FloatToStr(Value()) + " is not a whole number from " + IntToStr(INT32_MIN) + " to " +
                      IntToStr(INT32_MAX));
  return static_cast<int>(whole);
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

void TCustomNumEdit::SetBeepOnError(bool AValue)
{
  if (AValue == FBeepOnError)
    return;
  FBeepOnError = AValue;
  UpdatePopup();
}

void TCustomNumEdit::SetAlignment(TAlignment AValue)
{
  if (AValue == FAlignment)
    return;
  FAlignment = AValue;
  Invalidate();
}

void TCustomNumEdit::SetFormatOnEditing(bool AValue)
{
  if (AValue == FFormatOnEditing)
    return;
  FFormatOnEditing = AValue;
  TCustomComboEdit::SetAlignment(AValue ? FAlignment : taLeftJustify);
  if (!FFocusEntered)
    return;
  if (AValue) {
    ReformatEditText();
  } else {
    UpdateData();
    DataChanged();
  }
}

void TCustomNumEdit::UpdatePopup()
{
  if (FPopup)
    SetupPopupCalculator(FPopup, 15, FBeepOnError);
}

String TCustomNumEdit::GetDisplayText() { return vt::FormatDisplayText(FValue, FDisplayFormat); }

bool TCustomNumEdit::IsValidChar(char Key)
{
  return vt::IsValidNumText(vt::TextAfterKey(Text(), SelStart(), SelLength(), Key), FDecimalPlaces, FRange);
}

void TCustomNumEdit::KeyPress(char& Key)
{
  // While the calculator shows, the keys are its own: any other typed key would change the
  // hidden text unseen.
  if (PopupVisible() && vt::IsCalculatorKey(Key)) {
    FPopup->PopupKeyPress(Key);
    Key = 0;
    return;
  }
  if (PopupVisible() && static_cast<unsigned char>(Key) >= 32) {
    ErrorBeep();
    Key = 0;
    return;
  }
  // A decimal separator of several bytes cannot be one key: TextToValText reads "." and "," for it.
  const FormatSettings& fs = Locale();
  if ((Key == ',' || Key == '.') && String(1, Key) != fs.ThousandSeparator && fs.DecimalSeparator.size() == 1)
    Key = fs.DecimalSeparator[0];
  TCustomComboEdit::KeyPress(Key);
  const auto code = static_cast<unsigned char>(Key);
  if (code >= 32 && !IsValidChar(Key)) {
    ErrorBeep();
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

void TCustomNumEdit::ReformatEditText()
{
  if (!FFormatOnEditing)
    return;
  FFormatting = true;
  try {
    const String old = Text();
    const int caret = SelStart();
    const String S = vt::GroupEditText(old, FDisplayFormat.find(',') != String::npos);
    TCustomComboEdit::SetText(S);
    if (Focused() && !ComponentState().Contains(csDesigning))
      SetSelStart(std::max(0, caret + static_cast<int>(S.size()) - static_cast<int>(old.size())));
  } catch (...) {
    FFormatting = false;
    throw;
  }
  FFormatting = false;
}

void TCustomNumEdit::Change()
{
  if (!FFormatting && FFormatOnEditing && FFocusEntered)
    ReformatEditText();
  TCustomComboEdit::Change();
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

void TCustomNumEdit::SetFocused(bool Value)
{
  if (Value == FFocusEntered)
    return;
  FFocusEntered = Value;
  Invalidate();
  DataChanged();
}

void TCustomNumEdit::EnterEdit(TMessage& Message)
{
  SetFocused(true);
  if (FFormatOnEditing)
    ReformatEditText();
  TCustomComboEdit::WndProc(Message);
}

// Leaving the edit reads the text back; an entry that fails keeps the focus in the edit.
void TCustomNumEdit::ExitEdit(TMessage& Message)
{
  RunExitChecks([this] {
    CheckRange();
    UpdateData();
  });
  SetFocused(false);
  SetSelStart(0);
  TCustomComboEdit::WndProc(Message);
}

// A paste that leaves no number is undone, with a beep.
void TCustomNumEdit::PasteText(TMessage& Message)
{
  const String old = Text();
  TCustomComboEdit::WndProc(Message);
  try {
    UpdateData();
  } catch (const Exception&) {
    TCustomComboEdit::SetText(old);
    SelectAll();
    if (CanFocus())
      SetFocus();
    ErrorBeep();
  }
}

// Focused and without the drop-down, the edit paints itself; otherwise it shows the display
// text, or the calculator's entry while the drop-down is open.
void TCustomNumEdit::PaintEdit(TMessage& Message)
{
  const String text = PopupVisible() ? FPopup->GetPopupText() : GetDisplayText();
  if (!PaintComboEdit(Message, text, FAlignment, FFocusEntered && !PopupVisible()))
    TCustomComboEdit::WndProc(Message);
}

void TCustomNumEdit::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_PAINT: PaintEdit(Message); break;
  case WM_PASTE: PasteText(Message); break;
  case CM_ENTER: EnterEdit(Message); break;
  case CM_EXIT: ExitEdit(Message); break;
  case CM_ENABLEDCHANGED:
  case CM_FONTCHANGED:
    TCustomComboEdit::WndProc(Message);
    Invalidate();
    break;
  default: TCustomComboEdit::WndProc(Message);
  }
}

TCurrencyEdit::TCurrencyEdit(TComponent* AOwner) : TCustomNumEdit(AOwner)
{
  InitDisplayFormat();
  DataChanged();
  SetControlState(ControlState() << csCreating);
  SetButtonWidth(0);
  SetControlState(ControlState() >> csCreating);
}

TVtCustomCalcEdit::TVtCustomCalcEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) { SetHasPopup(true); }

void TVtCustomCalcEdit::CreatePopup()
{
  FPopup = CreatePopupCalculator(this);
  FPopup->OnCloseUp = [this](TObject* Sender, bool Accept) { PopupCloseUp(Sender, Accept); };
  UpdatePopup();
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TCustomNumEdit, TCustomComboEdit> kCustomNumEdit{
    "TCustomNumEdit",
    {
        vt::Published("Alignment", &TCustomNumEdit::Alignment, &TCustomNumEdit::SetAlignment),
        vt::Published("BeepOnError", &TCustomNumEdit::BeepOnError, &TCustomNumEdit::SetBeepOnError),
        vt::Published("CheckOnExit", &TCustomNumEdit::CheckOnExit, &TCustomNumEdit::SetCheckOnExit),
        vt::Published("DecimalPlaces", &TCustomNumEdit::DecimalPlaces, &TCustomNumEdit::SetDecimalPlaces),
        vt::Published("DisplayFormat", &TCustomNumEdit::DisplayFormat, &TCustomNumEdit::SetDisplayFormat),
        vt::Published("FormatOnEditing", &TCustomNumEdit::FormatOnEditing, &TCustomNumEdit::SetFormatOnEditing),
        vt::Published("MaxValue", &TCustomNumEdit::MaxValue, &TCustomNumEdit::SetMaxValue),
        vt::Published("MinValue", &TCustomNumEdit::MinValue, &TCustomNumEdit::SetMinValue),
        vt::Published("Text", &TCustomNumEdit::Text, &TCustomNumEdit::SetText),
        vt::Published("Value", &TCustomNumEdit::Value, &TCustomNumEdit::SetValue),
        vt::Published("ZeroEmpty", &TCustomNumEdit::ZeroEmpty, &TCustomNumEdit::SetZeroEmpty),
    }};
const vt::ClassRegistration<TCurrencyEdit, TCustomNumEdit> kCurrencyEdit{"TCurrencyEdit", {}};
const vt::ClassRegistration<TVtCustomCalcEdit, TCustomNumEdit> kVtCustomCalcEdit{"TVtCustomCalcEdit", {}};
const vt::ClassRegistration<TVtCalcEdit, TVtCustomCalcEdit> kVtCalcEdit{"TVtCalcEdit", {}};
}  // namespace
