// Unit VtCalc: the four-function calculator on one engine in two layouts: the key panel that
// drops down under the calculator edits (TPopupCalculator) and the calculator dialog run by
// TVtCalculator. The arithmetic lives in vt::CalculatorEngine; this unit adds the keys.
#pragma once

#include "components/edits/ToolEdit.h"
#include "components/edits/VtCalcEngine.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

class TPopupMenu;
class TMenuItem;

enum TCalcPanelLayout { clDialog, clPopup };
// A calculator key: a speed button that knows its kind; its Tag indexes vt::kCalcKeys.
class TCalcButton : public TVtSpeedButton {
public:
  TCalcButton(TComponent* AOwner, TCalcBtnKind Kind);
  TCalcBtnKind Kind() const { return FKind; }
  void WndProc(TMessage& Message) override;

private:
  void ApplyKindColor();
  TCalcBtnKind FKind;
};

// The keys, the entry text and the arithmetic state of one calculator.
class TCalculatorPanel : public TPanel {
public:
  TCalculatorPanel(TComponent* AOwner, TCalcPanelLayout Layout);

  vt::CalculatorEngine& Engine() { return FEngine; }
  const String& Text() const { return FEngine.Text(); }
  // A typed key: clicks its button (so it flashes), or goes straight to the engine.
  void CalculatorKeyPress(TObject* Sender, char& Key);
  TVtSpeedButton* FindCalculatorButton(char Key) const;
  void Copy();
  void Paste();

  // An optional control whose caption mirrors the entry text.
  TControl* DisplayControl = nullptr;
  // Fired after the entry text changed (the display control is already updated).
  TNotifyEvent OnTextChange;

private:
  void CreateKeys(TCalcPanelLayout Layout);
  void CreateMemoryIndicator();
  void CalculatorButtonClick(TObject* Sender);
  void TextChanged();
  void UpdateMemoryLabel();

  vt::CalculatorEngine FEngine;
  TLabel* FMemoryLabel = nullptr;
};

// The panel in its drop-down layout: it never takes the focus from the edit.
class TLocCalculator : public TCalculatorPanel {
public:
  explicit TLocCalculator(TComponent* AOwner);
};

// The drop-down window of the calculator edits.
class TPopupCalculator : public TPopupWindow {
public:
  explicit TPopupCalculator(TComponent* AOwner);

  Variant GetValue() override;
  void SetValue(const Variant& Value) override;
  String GetPopupText() override;
  // The keys and display, made when first needed: a form places many calculator edits, and
  // few of them ever drop down.
  TLocCalculator* Calculator();
  void Setup(Byte Precision, bool BeepOnError);

protected:
  void KeyPress(char& Key) override;

private:
  void CalculatorResult();
  TLocCalculator* FCalcPanel = nullptr;
  Byte FPrecision = 15;
  bool FBeepOnError = true;
};

// The calculator dialog: display, keys, and a Copy/Paste menu.
class TVtCalculatorForm : public TForm {
public:
  explicit TVtCalculatorForm(TComponent* AOwner);
  TCalculatorPanel* CalcPanel() const { return FCalcPanel; }
  void SetCtl3D(bool Value);

  std::function<void(TObject* Sender, char& Key)> OnCalcKey;
  TNotifyEvent OnDisplayChange;

protected:
  void KeyPress(char& Key) override;

private:
  TPanel* FDisplayPanel;
  TLabel* FDisplayLabel;
  TCalculatorPanel* FCalcPanel;
  TPopupMenu* FEditMenu;
  TMenuItem* FPasteItem;
};

// The non-visual component that runs the calculator dialog.
class TVtCalculator : public TComponent {
public:
  explicit TVtCalculator(TComponent* AOwner);

  bool Execute();

  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool V) { FBeepOnError = V; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool V) { FCtl3D = V; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int V) { FHelpContext = V; }
  Byte Precision() const { return FPrecision; }
  void SetPrecision(Byte V) { FPrecision = V; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& V) { FTitle = V; }
  double Value() const { return FValue; }
  void SetValue(double V) { FValue = V; }
  double Memory() const { return FMemory; }
  // The dialog of the running Execute, else nullptr (tests drive it from OnShow).
  TVtCalculatorForm* Form() const { return FForm; }

  std::function<void(TObject* Sender, char& Key)> OnCalcKey;
  TNotifyEvent OnChange;
  TNotifyEvent OnDisplayChange;

private:
  bool FBeepOnError = true;
  bool FCtl3D = true;
  int FHelpContext = 0;
  Byte FPrecision = 15;
  String FTitle = "Calculator";
  double FValue = 0;
  double FMemory = 0;
  TVtCalculatorForm* FForm = nullptr;
};

TPopupWindow* CreatePopupCalculator(TComponent* AOwner);
void SetupPopupCalculator(TPopupWindow* PopupCalc, Byte APrecision, bool ABeepOnError);
TVtCalculatorForm* CreateCalculatorForm(TComponent* AOwner, int AHelpContext);
