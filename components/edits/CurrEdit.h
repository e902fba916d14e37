// Unit CurrEdit: the numeric edits the forms place. The value is an extended float; the
// focused edit holds the editing text (no grouping, DecimalPlaces digits), the unfocused one
// shows DisplayText (DisplayFormat). Keys are filtered on the text as it would become.
#pragma once

#include "components/edits/CurrEditText.h"
#include "components/edits/ToolEdit.h"
#include "ui/kernel/SettingChange.h"

class TCustomNumEdit : public TCustomComboEdit {
public:
  explicit TCustomNumEdit(TComponent* AOwner);
  ~TCustomNumEdit() override;

  long double Value();
  void SetValue(long double AValue);
  // The editing text as typed or as DataChanged wrote it.
  String Text() const { return TCustomComboEdit::Text(); }
  void SetText(const String& AValue);
  // The value truncated toward zero; ERangeError when that is outside -2147483648..2147483647.
  int AsInteger();
  void SetAsInteger(int AValue) { SetValue(AValue); }
  long double MinValue() const { return FRange.MinValue; }
  void SetMinValue(long double AValue);
  long double MaxValue() const { return FRange.MaxValue; }
  void SetMaxValue(long double AValue);
  unsigned DecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(unsigned AValue);
  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& AValue);
  bool ZeroEmpty() const { return FZeroEmpty; }
  void SetZeroEmpty(bool AValue);
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool AValue);
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool AValue) { FCheckOnExit = AValue; }
  bool FormatOnEditing() const { return FFormatOnEditing; }
  void SetFormatOnEditing(bool AValue);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);

  void Clear() { SetText(""); }
  // The text the unfocused edit shows.
  virtual String GetDisplayText();
  long double CheckValue(long double NewValue, bool RaiseOnError);
  void WndProc(TMessage& Message) override;

protected:
  virtual void DataChanged();
  virtual String DefaultDisplayFormat() { return ",0.##"; }
  virtual bool IsValidChar(char Key);
  virtual void UpdatePopup();
  // Shows the value again, dropping what was typed, and selects it (Esc).
  virtual void Reset();
  // Regroups the text while typing (FormatOnEditing), keeping the caret in place.
  virtual void ReformatEditText();
  TBitmap* GetDefaultBitmap(bool& DestroyNeeded) override;
  void KeyPress(char& Key) override;
  void Change() override;
  void AcceptValue(const Variant& AValue) override;
  void CheckRange();
  void UpdateData();
  void SetFocused(bool Value);
  bool FocusEntered() const { return FFocusEntered; }
  // Runs once the most derived constructor has set its default format.
  void InitDisplayFormat() { FDisplayFormat = DefaultDisplayFormat(); }
  // The numeric edit's own focus-exit: reads the text back, or keeps the focus and re-raises.
  void ExitEdit(TMessage& Message);
  void EnterEdit(TMessage& Message);
  void PasteText(TMessage& Message);

  long double FValue = 0;
  bool FFormatting = false;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void ErrorBeep();
  void PaintEdit(TMessage& Message);
  bool FormatSettingsChange(TMessage& Message);

  TAlignment FAlignment = taRightJustify;
  vt::NumRange FRange;
  unsigned FDecimalPlaces = 2;
  bool FBeepOnError = true;
  bool FCheckOnExit = false;
  bool FZeroEmpty = true;
  bool FFormatOnEditing = false;
  bool FFocusEntered = false;
  String FDisplayFormat;
  // The separators the text is written with: those of the locale until it changes.
  vt::NumberSeparators FTextSeparators = vt::LocaleSeparators();
  vt::HeldMainWindowHook FHook;
};

// A numeric edit without button; the locale's currency format by default.
class TCurrencyEdit : public TCustomNumEdit {
public:
  explicit TCurrencyEdit(TComponent* AOwner);

protected:
  String DefaultDisplayFormat() override { return vt::CurrencyDisplayFormat(); }
};

// A numeric edit whose button drops down the calculator.
class TVtCustomCalcEdit : public TCustomNumEdit {
public:
  explicit TVtCustomCalcEdit(TComponent* AOwner);

protected:
  void CreatePopup() override;
};

class TVtCalcEdit : public TVtCustomCalcEdit {
public:
  using TVtCustomCalcEdit::TVtCustomCalcEdit;
};
