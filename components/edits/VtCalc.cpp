// Unit VtCalc: the key layouts of the drop-down and dialog calculators, the key colours and
// glyphs, the panel that feeds clicks and typed keys to the engine, the pop-up window around
// it and the dialog with its memory indicator and Copy/Paste menu.
#include "components/edits/VtCalc.h"
#include "rtl/TypInfo.h"

#include "components/common/vtGuiutils.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"
#include "ui/controls/Menus.h"
#include "ui/kernel/Clipboard.h"

#include <algorithm>

namespace {

// Where a key sits in each layout; x < 0 means the layout has no such key, w 0 the usual width.
struct KeyPlace {
  TCalcBtnKind Kind;
  int DialogX, DialogY, DialogW;
  int PopupX, PopupY, PopupW;
};

constexpr KeyPlace kKeyPlaces[] = {
    {cbNum7, 47, 32, 0, 6, 6, 0},     {cbNum8, 85, 32, 0, 29, 6, 0},   {cbNum9, 123, 32, 0, 52, 6, 0},
    {cbNum4, 47, 56, 0, 6, 29, 0},    {cbNum5, 85, 56, 0, 29, 29, 0},  {cbNum6, 123, 56, 0, 52, 29, 0},
    {cbNum1, 47, 80, 0, 6, 52, 0},    {cbNum2, 85, 80, 0, 29, 52, 0},  {cbNum3, 123, 80, 0, 52, 52, 0},
    {cbNum0, 47, 104, 0, 6, 75, 0},   {cbSgn, 85, 104, 0, 52, 75, 0},  {cbDcm, 123, 104, 0, 29, 75, 0},
    {cbDiv, 161, 32, 0, 75, 6, 0},    {cbMul, 161, 56, 0, 75, 29, 0},  {cbSub, 161, 80, 0, 75, 52, 0},
    {cbAdd, 161, 104, 0, 75, 75, 0},  {cbSqr, 199, 32, 0, -1, 0, 0},   {cbPcnt, 199, 56, 0, -1, 0, 0},
    {cbRev, 199, 80, 0, -1, 0, 0},    {cbEql, 199, 104, 0, 52, 98, 44}, {cbBck, 145, 6, 44, 29, 98, 0},
    {cbClr, 191, 6, 44, 6, 98, 0},    {cbMP, 5, 104, 0, -1, 0, 0},     {cbMS, 5, 80, 0, -1, 0, 0},
    {cbMR, 5, 56, 0, -1, 0, 0},       {cbMC, 5, 32, 0, -1, 0, 0},      {cbOk, 47, 6, 0, -1, 0, 0},
    {cbCancel, 85, 6, 0, -1, 0, 0},
};

constexpr int kDialogKeyW = 36, kDialogKeyH = 22, kPopupKey = 21;

// Captions of the keys from sign change to memory clear, in kind order.
const char* const kKeyCaptions[] = {"\xC2\xB1", ",", "/", "*", "-", "+", "sqrt", "%", "1/x",
                                    "=", "<-", "C", "MP", "MS", "MR", "MC"};

String KeyCaption(TCalcBtnKind Kind)
{
  if (Kind >= cbNum0 && Kind <= cbNum9)
    return IntToStr(Kind - cbNum0);
  if (Kind == cbDcm)
    return Locale().DecimalSeparator;
  if (Kind >= cbSgn && Kind <= cbMC)
    return kKeyCaptions[Kind - cbSgn];
  return String();
}

// The CALCBTNS cell a key of the dialog layout shows instead of its caption, or -1.
int GlyphCell(TCalcBtnKind Kind)
{
  switch (Kind) {
  case cbCancel: return 0;
  case cbOk: return 1;
  case cbSgn: return 2;
  case cbMul: return 3;
  case cbSub: return 4;
  case cbAdd: return 5;
  default: return -1;
  }
}

constexpr TColor kNavy = 0x800000, kPurple = 0x800080, kMaroon = 0x000080;

TColor KeyColor(TCalcBtnKind Kind)
{
  switch (Kind) {
  case cbSqr: case cbPcnt: case cbRev: case cbMP: case cbMS: case cbMR: case cbMC: return kNavy;
  case cbDiv: case cbMul: case cbSub: case cbAdd: case cbEql: return kPurple;
  case cbBck: case cbClr: return kMaroon;
  default: return clBtnText;
  }
}

// The bold panel font of both layouts.
void SetPanelFont(TFont* Font)
{
  UseMessageFont(Font);
  Font->SetStyle(TFontStyles{fsBold});
}

} // namespace

// ---- TCalcButton ----

TCalcButton::TCalcButton(TComponent* AOwner, TCalcBtnKind Kind) : TVtSpeedButton(AOwner), FKind(Kind)
{
  SetTag(vt::CalcButtonTag(Kind));
  SetStyle(bsNew);
  ApplyKindColor();
}

void TCalcButton::ApplyKindColor() { Font()->SetColor(KeyColor(FKind)); }

void TCalcButton::WndProc(TMessage& Message)
{
  TVtSpeedButton::WndProc(Message);
  if (Message.Msg == CM_PARENTFONTCHANGED)
    ApplyKindColor();
}

// ---- TCalculatorPanel ----

TCalculatorPanel::TCalculatorPanel(TComponent* AOwner, TCalcPanelLayout Layout) : TPanel(AOwner)
{
  SetCaption("");
  SetColor(clBtnFace);
  SetBevelOuter(bvNone);
  SetPanelFont(Font());
  if (Layout == clDialog)
    SetBounds(0, 0, 240, 129);
  else
    SetBounds(0, 0, 98, 124);
  FEngine.OnTextChange = [this] { TextChanged(); };
  FEngine.OnMemoryChange = [this] { UpdateMemoryLabel(); };
  FEngine.Beep = [] { ::Beep(); };
  FEngine.CopyText = [](const String& S) { Clipboard()->SetAsText(S); };
  FEngine.PasteText = [](String& S) {
    if (!Clipboard()->HasFormat(CF_TEXT))
      return false;
    S = Clipboard()->AsText();
    return true;
  };
  CreateKeys(Layout);
  if (Layout == clDialog)
    CreateMemoryIndicator();
}

void TCalculatorPanel::CreateKeys(TCalcPanelLayout Layout)
{
  // The glyph strip is needed only while the dialog's keys are built.
  TBitmap* glyphs = Layout == clDialog ? MakeBitmap("CALCBTNS") : nullptr;
  for (const KeyPlace& place : kKeyPlaces) {
    const int x = Layout == clDialog ? place.DialogX : place.PopupX;
    if (x < 0)
      continue;
    const int y = Layout == clDialog ? place.DialogY : place.PopupY;
    const int w = Layout == clDialog ? (place.DialogW ? place.DialogW : kDialogKeyW)
                                     : (place.PopupW ? place.PopupW : kPopupKey);
    const int h = Layout == clDialog ? kDialogKeyH : kPopupKey;
    auto* key = new TCalcButton(this, place.Kind);
    key->SetBounds(x, y, w, h);
    const int cell = glyphs ? GlyphCell(place.Kind) : -1;
    if (cell >= 0) {
      TBitmap glyph;
      AssignBitmapCell(glyphs, &glyph, 6, 1, cell);
      key->SetGlyph(&glyph);
    } else {
      key->SetCaption(KeyCaption(place.Kind));
    }
    key->OnClick = [this](TObject* s) { CalculatorButtonClick(s); };
    key->SetParent(this);
  }
  delete glyphs;
}

void TCalculatorPanel::CreateMemoryIndicator()
{
  auto* indicator = new TPanel(this);
  indicator->SetBounds(6, 7, 34, 20);
  indicator->SetBevelOuter(bvLowered);
  indicator->SetCaption("");
  indicator->SetParent(this);
  FMemoryLabel = new TLabel(this);
  FMemoryLabel->SetBounds(3, 3, 26, 14);
  FMemoryLabel->SetAlignment(taCenter);
  FMemoryLabel->SetAutoSize(false);
  FMemoryLabel->Font()->SetStyle(TFontStyles{});
  FMemoryLabel->SetCaption("");
  FMemoryLabel->SetParent(indicator);
}

void TCalculatorPanel::UpdateMemoryLabel()
{
  if (FMemoryLabel)
    FMemoryLabel->SetCaption(FEngine.Memory() != 0 ? "M" : "");
}

void TCalculatorPanel::TextChanged()
{
  if (DisplayControl)
    DisplayControl->SetCaption(FEngine.Text());
  if (OnTextChange)
    OnTextChange(this);
}

void TCalculatorPanel::CalculatorButtonClick(TObject* Sender)
{
  if (auto* key = dynamic_cast<TCalcButton*>(Sender))
    FEngine.ButtonClick(key->Kind());
}

TVtSpeedButton* TCalculatorPanel::FindCalculatorButton(char Key) const
{
  const int tag = vt::CalcKeyIndex(Key);
  if (tag < 0)
    return nullptr;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* key = dynamic_cast<TCalcButton*>(Controls(i)); key && key->Tag() == tag)
      return key;
  return nullptr;
}

void TCalculatorPanel::CalculatorKeyPress(TObject*, char& Key)
{
  if (TVtSpeedButton* button = FindCalculatorButton(Key))
    button->ButtonClick();
  else
    FEngine.CalculatorKey(Key);
}

void TCalculatorPanel::Copy() { FEngine.CalculatorKey(3); }

void TCalculatorPanel::Paste() { FEngine.CalculatorKey(22); }

// ---- TLocCalculator ----

TLocCalculator::TLocCalculator(TComponent* AOwner) : TCalculatorPanel(AOwner, clPopup)
{
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csReplicatable});
  // Never a tab stop: the edit under the drop-down keeps the focus while the keys are clicked.
  SetTabStop(false);
}

// ---- TPopupCalculator ----

TPopupCalculator::TPopupCalculator(TComponent* AOwner) : TPopupWindow(AOwner)
{
  SetBounds(0, 0, 104, 127);
  SetColor(clBtnFace);
  SetPanelFont(Font());
}

TLocCalculator* TPopupCalculator::Calculator()
{
  if (FCalcPanel || ComponentState().Contains(csDesigning))
    return FCalcPanel;
  FCalcPanel = new TLocCalculator(this);
  FCalcPanel->SetAlign(alClient);
  FCalcPanel->SetBevelOuter(bvRaised);
  FCalcPanel->Engine().SetPrecision(FPrecision);
  FCalcPanel->Engine().SetBeepOnError(FBeepOnError);
  FCalcPanel->OnTextChange = [this](TObject*) { InvalidateEditor(); };
  FCalcPanel->Engine().OnResult = [this] { CalculatorResult(); };
  FCalcPanel->SetParent(this);
  return FCalcPanel;
}

void TPopupCalculator::Setup(Byte Precision, bool BeepOnError)
{
  FPrecision = Precision;
  FBeepOnError = BeepOnError;
  if (!FCalcPanel)
    return;
  FCalcPanel->Engine().SetPrecision(Precision);
  FCalcPanel->Engine().SetBeepOnError(BeepOnError);
}

void TPopupCalculator::CalculatorResult()
{
  vt::CalculatorEngine& engine = FCalcPanel->Engine();
  if (engine.State() == csError)
    return;
  engine.SetCalculatorDisplay(engine.GetCalculatorDisplay());
  CloseUp(true);
}

Variant TPopupCalculator::GetValue()
{
  if (!FCalcPanel)
    return Variant(0);
  vt::CalculatorEngine& engine = FCalcPanel->Engine();
  if (engine.State() == csError) {
    if (engine.BeepOnError())
      ::Beep();
    return Variant(0);
  }
  engine.SetCalculatorDisplay(engine.GetCalculatorDisplay());
  return Variant(static_cast<double>(engine.GetCalculatorDisplay()));
}

// The value is set as the drop-down opens: the calculator is made then.
void TPopupCalculator::SetValue(const Variant& Value)
{
  if (!Calculator())
    return;
  vt::CalculatorEngine& engine = FCalcPanel->Engine();
  long double display = 0;
  if (!Value.IsNull() && !Value.IsEmpty()) {
    try {
      display = Value.VarType() == varString ? StrToFloat(Value.AsString()) : Value.AsDouble();
    } catch (const EConvertError&) {
      display = 0; // a text that is no number starts the calculator at 0
    }
  }
  engine.SetState(csFirst);
  engine.SetCalculatorDisplay(display);
  engine.SetOperator('=');
}

String TPopupCalculator::GetPopupText() { return FCalcPanel ? FCalcPanel->Text() : String(); }

// Enter on an error closes the drop-down as a second click of the button does (the value is 0);
// every other key goes to the calculator.
void TPopupCalculator::KeyPress(char& Key)
{
  if (FCalcPanel && Key == '\r' && FCalcPanel->Engine().State() == csError) {
    Key = 0;
    CloseUp(true);
    return;
  }
  if (FCalcPanel)
    FCalcPanel->CalculatorKeyPress(this, Key);
  TPopupWindow::KeyPress(Key);
}

TPopupWindow* CreatePopupCalculator(TComponent* AOwner) { return new TPopupCalculator(AOwner); }

void SetupPopupCalculator(TPopupWindow* PopupCalc, Byte APrecision, bool ABeepOnError)
{
  if (auto* popup = dynamic_cast<TPopupCalculator*>(PopupCalc))
    popup->Setup(std::max<Byte>(2, APrecision), ABeepOnError);
}

// ---- the calculator dialog ----

TVtCalculatorForm::TVtCalculatorForm(TComponent* AOwner) : TForm(AOwner)
{
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetKeyPreview(true);
  SetCaption("Calculator");
  SetClientWidth(240);
  SetClientHeight(164);
  SetColor(clBtnFace);

  FDisplayPanel = new TPanel(this);
  FDisplayPanel->SetBounds(6, 6, 228, 23);
  FDisplayPanel->SetBevelOuter(bvLowered);
  FDisplayPanel->SetCaption("");
  FDisplayPanel->SetColor(clWindow);
  FDisplayPanel->SetParent(this);
  FDisplayLabel = new TLabel(this);
  FDisplayLabel->SetBounds(3, 3, 220, 17);
  FDisplayLabel->SetAutoSize(false);
  FDisplayLabel->SetAlignment(taRightJustify);
  SetPanelFont(FDisplayLabel->Font());
  FDisplayLabel->SetParent(FDisplayPanel);

  FCalcPanel = new TCalculatorPanel(this, clDialog);
  FCalcPanel->SetBounds(0, 35, 240, 129);

  FCalcPanel->DisplayControl = FDisplayLabel;
  FDisplayLabel->SetCaption(FCalcPanel->Text());
  FCalcPanel->SetParent(this);

  vt::CalculatorEngine& engine = FCalcPanel->Engine();
  engine.OnOk = [this] { SetModalResult(mrOk); };
  engine.OnCancel = [this] { SetModalResult(mrCancel); };
  engine.OnCalcKey = [this](char& Key) {
    if (OnCalcKey)
      OnCalcKey(this, Key);
  };
  engine.OnDisplayChange = [this] {
    if (OnDisplayChange)
      OnDisplayChange(this);
  };

  FEditMenu = new TPopupMenu(this);
  auto* copy = new TMenuItem(FEditMenu);
  copy->SetCaption("&Copy");
  copy->OnClick = [this](TObject*) { FCalcPanel->Copy(); };
  FEditMenu->Items()->Add(copy);
  FPasteItem = new TMenuItem(FEditMenu);
  FPasteItem->SetCaption("&Paste");
  FPasteItem->OnClick = [this](TObject*) { FCalcPanel->Paste(); };
  FEditMenu->Items()->Add(FPasteItem);
  FEditMenu->OnPopup = [this](TObject*) { FPasteItem->SetEnabled(Clipboard()->HasFormat(CF_TEXT)); };
  SetPopupMenu(FEditMenu);
  FDisplayPanel->SetPopupMenu(FEditMenu);
}

void TVtCalculatorForm::SetCtl3D(bool Value)
{
  FDisplayPanel->SetBevelOuter(Value ? bvLowered : bvNone);
  FDisplayPanel->SetBorderStyle(Value ? bsNone : bsSingle);
}

void TVtCalculatorForm::KeyPress(char& Key)
{
  TForm::KeyPress(Key);
  if (Key != 0) {
    FCalcPanel->CalculatorKeyPress(this, Key);
    Key = 0;
  }
}

TVtCalculatorForm* CreateCalculatorForm(TComponent* AOwner, int AHelpContext)
{
  auto* form = new TVtCalculatorForm(AOwner);
  if (AHelpContext != 0)
    form->SetBorderIcons(form->BorderIcons() << biHelp);
  return form;
}

TVtCalculator::TVtCalculator(TComponent* AOwner) : TComponent(AOwner) {}

bool TVtCalculator::Execute()
{
  FForm = CreateCalculatorForm(this, FHelpContext);
  bool ok = false;
  try {
    FForm->SetCtl3D(FCtl3D);
    FForm->SetCaption(FTitle);
    FForm->OnCalcKey = OnCalcKey;
    FForm->OnDisplayChange = OnDisplayChange;
    vt::CalculatorEngine& engine = FForm->CalcPanel()->Engine();
    engine.SetMemory(FMemory);
    engine.SetPrecision(std::max<Byte>(2, FPrecision));
    engine.SetBeepOnError(FBeepOnError);
    if (FValue != 0) {
      engine.SetCalculatorDisplay(FValue);
      engine.SetState(csFirst);
      engine.SetOperator('=');
    }
    ok = FForm->ShowModal() == mrOk;
    if (ok) {
      FMemory = engine.Memory();
      const double display = static_cast<double>(engine.GetCalculatorDisplay());
      if (display != FValue) {
        FValue = display;
        if (OnChange)
          OnChange(this);
      }
    }
  } catch (...) {
    delete FForm;
    FForm = nullptr;
    throw;
  }
  delete FForm;
  FForm = nullptr;
  return ok;
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtCalculator, TComponent> kVtCalculator{
    "TVtCalculator",
    {
        vt::Published("BeepOnError", &TVtCalculator::BeepOnError, &TVtCalculator::SetBeepOnError),
        vt::Published("Ctl3D", &TVtCalculator::Ctl3D, &TVtCalculator::SetCtl3D),
        vt::Published("HelpContext", &TVtCalculator::HelpContext, &TVtCalculator::SetHelpContext),
        vt::Published("Precision", &TVtCalculator::Precision, &TVtCalculator::SetPrecision),
        vt::Published("Title", &TVtCalculator::Title, &TVtCalculator::SetTitle),
        vt::Published("Value", &TVtCalculator::Value, &TVtCalculator::SetValue),
    }};
}  // namespace
