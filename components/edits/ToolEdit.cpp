// Unit ToolEdit: combo edit, its button and the drop-down window. The popup's life: hidden ->
// shown by the button or the click key -> hidden again, accepting on Enter, on a second
// button click or a left release inside it, cancelling on Esc, a release outside it, the
// loss of focus, a cancel-mode message from elsewhere or a left click in the edit.
#include "components/edits/ToolEdit.h"
#include "rtl/TypInfo.h"

#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"

#include <algorithm>

namespace vt {

TPoint PopupOrigin(const TPoint& EditScreenPos, int EditWidth, int EditHeight, int PopupWidth,
                   int PopupHeight, int ScreenWidth, int ScreenHeight, TPopupAlign Align)
{
  TPoint p = EditScreenPos;
  int y = p.Y + EditHeight;
  if (y + PopupHeight > ScreenHeight)
    y = p.Y - PopupHeight;
  if (Align == epaRight) {
    p.X -= PopupWidth - EditWidth;
    if (p.X < 0)
      p.X += PopupWidth - EditWidth;
  } else if (p.X + PopupWidth > ScreenWidth) {
    p.X -= PopupWidth - EditWidth;
  }
  if (p.X < 0)
    p.X = 0;
  else if (p.X + PopupWidth > ScreenWidth)
    p.X = ScreenWidth - PopupWidth;
  return Point(p.X, y);
}

Word ShortCutOf(WORD Key, TShiftState Shift)
{
  Word result = Key & 0xFF;
  if (Shift.Contains(ssShift))
    result |= 0x2000;
  if (Shift.Contains(ssCtrl))
    result |= 0x4000;
  if (Shift.Contains(ssAlt))
    result |= 0x8000;
  return result;
}

} // namespace vt

// ---- TPopupWindow ----

TPopupWindow::TPopupWindow(TComponent* AOwner)
    : TCustomControl(AOwner), FEditor(dynamic_cast<TWinControl*>(AOwner))
{
  TControlStyle style = ControlStyle();
  SetControlStyle(style << csNoDesignVisible << csReplicatable << csAcceptsControls);
  SetVisible(false);
  if (FEditor)
    SetParent(FEditor);
  OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { PopupMouseUp(s, b, sh, x, y); };
}

void TPopupWindow::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TPopupWindow::WndProc(TMessage& Message)
{
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TPopupWindow::Show(const TPoint& Origin)
{
  // A pop-up window's position is in screen coordinates.
  SetBounds(Origin.X, Origin.Y, Width(), Height());
  SetVisible(true);
  BringToFront();
}

void TPopupWindow::Hide() { SetVisible(false); }

void TPopupWindow::InvalidateEditor()
{
  if (FEditor) {
    FEditor->Invalidate();
    FEditor->Update();
  }
}

void TPopupWindow::PopupMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
  if (Button == mbLeft)
    CloseUp(X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight());
}

void TPopupWindow::CloseUp(bool Accept)
{
  if (OnCloseUp)
    OnCloseUp(this, Accept);
}

// ---- TEditButton ----

TEditButton::TEditButton(TComponent* AOwner) : TVtSpeedButton(AOwner)
{
  SetControlStyle(ControlStyle() << csReplicatable);
  SetParentShowHint(false);
}

void TEditButton::Paint()
{
  TVtSpeedButton::Paint();
  if (FState == rbsDown)
    return;
  Canvas()->Pen()->SetColor(clBtnFace);
  Canvas()->MoveTo(0, 0);
  Canvas()->LineTo(0, Height() - 1);
  Canvas()->Pen()->SetColor(clBtnHighlight);
  Canvas()->MoveTo(1, 1);
  Canvas()->LineTo(1, Height() - 2);
}

void TEditButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft) {
    if (auto* edit = dynamic_cast<TCustomComboEdit*>(Owner())) {
      FNoAction = edit->PopupVisible();
      if (edit->PopupVisible())
        edit->PopupCloseUp(edit->Popup(), true);
      else if (edit->TabStop() && edit->CanFocus() && !edit->Focused())
        edit->SetFocus();
    }
  }
  TVtSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TEditButton::Click()
{
  if (FNoAction) {
    FNoAction = false;
    return;
  }
  TVtSpeedButton::Click();
}

// ---- TCustomComboEdit ----

TCustomComboEdit::TCustomComboEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
  SetControlStyle(ControlStyle() << csCaptureMouse);
  FBtnControl = new TWinControl(this);
  FBtnControl->SetControlStyle(FBtnControl->ControlStyle() << csReplicatable);
  FBtnControl->SetBounds(0, 0, 21, 17);
  FBtnControl->SetVisible(true);
  FBtnControl->SetParent(this);
  FButton = new TEditButton(this);
  FButton->SetBounds(0, 0, FBtnControl->Width(), FBtnControl->Height());
  FButton->SetVisible(true);
  FButton->SetParent(FBtnControl);
  FButton->OnClick = [this](TObject* s) { EditButtonClick(s); };
  SetHeight(21);
  UpdateBtnBounds();
}

TCustomComboEdit::~TCustomComboEdit()
{
  FButton->OnClick = nullptr;
  delete FPaintCanvas;
}

bool TCustomComboEdit::WantsKey(WORD Key, TShiftState Shift) const
{
  return Key == VK_RETURN || Key == VK_ESCAPE || TCustomMaskEdit::WantsKey(Key, Shift);
}

// The text's offset inside the edit: the border and the edit's own left margin; vertically
// the text is centred as the native edit centres it.
TPoint TCustomComboEdit::EditorTextMargins()
{
  constexpr int kBorder = 1, kLeftMargin = 2;
  const int textHeight = FPaintCanvas ? FPaintCanvas->TextHeight("Wg") : 0;
  return Point(kBorder + kLeftMargin, std::max(kBorder, (ClientHeight() - textHeight) / 2));
}

bool TCustomComboEdit::PaintComboEdit(TMessage&, const String& AText, TAlignment AAlignment, bool StandardPaint)
{
  if (StandardPaint && !ControlState().Contains(csPaintCopy))
    return false;
  if (!FPaintCanvas) {
    FPaintCanvas = new TControlCanvas;
    FPaintCanvas->SetControl(this);
  }
  PaintWithCanvas(FPaintCanvas, [&] {
    TCanvas* canvas = FPaintCanvas;
    canvas->Font()->Assign(Font());
    if (!Enabled() && Color() != clGrayText)
      canvas->Font()->SetColor(clGrayText);
    TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    canvas->Brush()->SetColor(Color());
    const TPoint margins = EditorTextMargins();
    int left = margins.X;
    if (!PopupVisible()) {
      const int w = canvas->TextWidth(AText) + (ButtonWidth() > 0 ? 1 : 0);
      if (AAlignment == taRightJustify)
        left = ClientWidth() - ButtonWidth() - w - margins.X - 2;
      else if (AAlignment == taCenter)
        left = (ClientWidth() - ButtonWidth() - w) / 2;
    }
    canvas->TextRect(r, left, margins.Y, AText);
  });
  return true;
}

void TCustomComboEdit::CreateParams(TCreateParams& Params)
{
  TCustomMaskEdit::CreateParams(Params);
  static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN | alignments[FAlignment];
}

void TCustomComboEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FBtnControl && !ComponentState().Contains(csLoading))
    AHeight = std::max(AHeight, GetMinHeight());
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FBtnControl)
    UpdateBtnBounds();
}

int TCustomComboEdit::GetTextHeight()
{
  TBitmap measure;
  TFont systemFont;
  measure.Canvas()->SetFont(&systemFont);
  const int systemHeight = measure.Canvas()->TextHeight("Wg");
  measure.Canvas()->SetFont(Font());
  return std::min(systemHeight, measure.Canvas()->TextHeight("Wg"));
}

int TCustomComboEdit::GetMinHeight() { return GetTextHeight() + 4 * GetSystemMetrics(SM_CYBORDER) + 1; }

// The holder's place by border: a 3-D single border, a flat single border, or none. The
// positions are the edit's client coordinates, which start inside its frame.
void TCustomComboEdit::UpdateBtnBounds()
{
  const int w = FButton->Width();
  const bool single = BorderStyle() == bsSingle;
  const int frame = !single ? 0 : Ctl3D() ? 2 : 1;
  TRect holder = Bounds(Width() - w, 0, w, Height());
  if (single && Ctl3D())
    holder = Bounds(Width() - w - 4, 0, w, Height() - 4);
  else if (single)
    holder = Bounds(Width() - w - 2, 2, w, Height() - 4);
  FBtnControl->SetBounds(holder.Left + frame, holder.Top + frame, w, holder.Height());
  FButton->SetHeight(FBtnControl->Height());
  SetEditRect();
}

void TCustomComboEdit::SetEditRect()
{
  TRect r = Rect(0, 0, ClientWidth() - FBtnControl->Width() - 2, ClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomComboEdit::SetShowCaret()
{
  CreateCaret(Widget(), nullptr, Font()->Style().Contains(fsBold) ? 2 : 1, GetTextHeight());
  ShowCaret(Widget());
}

void TCustomComboEdit::SetButtonWidth(int Value)
{
  if (Value == FButton->Width())
    return;
  FBtnControl->SetVisible(Value > 1);
  if (ControlState().Contains(csCreating) || Value < ClientWidth()) {
    FBtnControl->SetWidth(Value);
    FButton->SetWidth(Value);
    FButton->SetControlStyle(FButton->ControlStyle() >> csFixedWidth);
    UpdateBtnBounds();
    RecreateGlyph();
  }
}

void TCustomComboEdit::SetGlyph(TBitmap* Value)
{
  FButton->SetGlyph(Value);
  FGlyphKind = gkCustom;
}

void TCustomComboEdit::SetNumGlyphs(TVtNumGlyphs Value)
{
  if (FGlyphKind == gkDropDown || FGlyphKind == gkEllipsis)
    Value = 1;
  else if (FGlyphKind == gkDefault)
    Value = FDefNumGlyphs;
  FButton->SetNumGlyphs(Value);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind Value)
{
  if (Value == FGlyphKind)
    return;
  FGlyphKind = Value;
  if (Value == gkCustom && ComponentState().Contains(csReading))
    FButton->SetGlyph(nullptr);
  RecreateGlyph();
  if (Value == gkDefault && !FButton->Glyph()->Empty())
    SetButtonWidth(std::max(FButton->Glyph()->Width() / FButton->NumGlyphs() + 6, ButtonWidth()));
  else if (Value == gkDropDown) {
    SetButtonWidth(GetSystemMetrics(SM_CXVSCROLL));
    FButton->SetControlStyle(FButton->ControlStyle() << csFixedWidth);
  }
}

TBitmap* TCustomComboEdit::GetDefaultBitmap(bool& DestroyNeeded)
{
  DestroyNeeded = false;
  return nullptr;
}

// The ellipsis glyph: three 2 x 2 dots centred in the button's width.
static TBitmap* EllipsisGlyph(int ButtonWidth)
{
  auto* glyph = new TBitmap;
  const int w = std::max(1, ButtonWidth - 6);
  glyph->SetSize(w, 4);
  glyph->Canvas()->Brush()->SetColor(clWhite);
  glyph->Canvas()->FillRect(Rect(0, 0, w, 4));
  const int gap = std::clamp((w - 6) / 2, 1, 3);
  const int first = (w - 6 - 2 * gap) / 2;
  glyph->Canvas()->Brush()->SetColor(clBlack);
  for (int i = 0; i < 3; ++i)
    glyph->Canvas()->FillRect(Bounds(first + i * (gap + 2), 1, 2, 2));
  glyph->SetTransparentColor(clWhite);
  return glyph;
}

// The combo box arrow: a black triangle 7 pixels wide and 4 high on a fuchsia background.
static TBitmap* ComboArrowGlyph()
{
  auto* glyph = new TBitmap;
  glyph->SetSize(7, 4);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(Rect(0, 0, 7, 4));
  glyph->Canvas()->Brush()->SetColor(clBlack);
  for (int row = 0; row < 4; ++row)
    glyph->Canvas()->FillRect(Rect(row, row, 7 - row, row + 1));
  glyph->SetTransparentColor(clFuchsia);
  return glyph;
}

void TCustomComboEdit::RecreateGlyph()
{
  if (FGlyphKind == gkDefault) {
    bool destroy = false;
    TBitmap* bitmap = GetDefaultBitmap(destroy);
    if (bitmap) {
      FButton->SetGlyph(bitmap);
      FButton->SetNumGlyphs(FDefNumGlyphs);
      if (destroy)
        delete bitmap;
    }
  } else if (FGlyphKind == gkDropDown || FGlyphKind == gkEllipsis) {
    TBitmap* glyph = FGlyphKind == gkDropDown ? ComboArrowGlyph() : EllipsisGlyph(ButtonWidth());
    FButton->SetGlyph(glyph);
    FButton->SetNumGlyphs(1);
    delete glyph;
  }
}

void TCustomComboEdit::SetInnerReadOnly() { TCustomMaskEdit::SetReadOnly(FReadOnly || !FDirectInput); }

void TCustomComboEdit::SetReadOnly(bool Value)
{
  if (Value == FReadOnly)
    return;
  FReadOnly = Value;
  SetInnerReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool Value)
{
  FDirectInput = Value;
  SetInnerReadOnly();
}

void TCustomComboEdit::SetAlignment(TAlignment Value)
{
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  Invalidate();
}

bool TCustomComboEdit::EditCanModify() { return !FReadOnly; }

void TCustomComboEdit::SelectAll()
{
  if (FDirectInput)
    TCustomMaskEdit::SelectAll();
}

void TCustomComboEdit::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_PASTE:
  case WM_CUT:
    if (FDirectInput && !GetReadOnly())
      TCustomMaskEdit::WndProc(Message);
    return; // dropped into a read-only or indirect-input edit
  case CM_ENTER:
    if (AutoSelect() && !ControlState().Contains(csLButtonDown))
      SelectAll();
    TCustomMaskEdit::WndProc(Message);
    return;
  case CM_FONTCHANGED:
    TCustomMaskEdit::WndProc(Message);
    SetEditRect();
    return;
  case CM_CTL3DCHANGED:
  case CM_BORDERCHANGED:
    TCustomMaskEdit::WndProc(Message);
    UpdateBtnBounds();
    return;
  case CM_EXIT:
    // The form moved its focus to another control: as a loss of the focus, this cancels.
    PopupCloseUp(FPopup, false);
    TCustomMaskEdit::WndProc(Message);
    return;
  case WM_SETFOCUS:
    TCustomMaskEdit::WndProc(Message);
    FFocused = true;
    SetShowCaret();
    return;
  case WM_KILLFOCUS:
    TCustomMaskEdit::WndProc(Message);
    FFocused = false;
    if (!RegainFocusFromPopup())
      PopupCloseUp(FPopup, false);
    return;
  case CM_ENABLEDCHANGED:
    TCustomMaskEdit::WndProc(Message);
    FButton->SetEnabled(Enabled());
    return;
  case WM_CHAR:
    TCustomMaskEdit::WndProc(Message);
    // KeyPress already sent Esc to the form as the dialog key; the native edit would pass it
    // up to the form once more.
    if (Message.WParam == VK_ESCAPE)
      Message.WParam = 0;
    return;
  case CM_CANCELMODE: {
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (FPopup && sender != this && sender != FPopup && sender != FButton &&
        !(sender && FPopup->ContainsControl(sender)))
      PopupCloseUp(FPopup, false);
    return;
  }
  default:
    TCustomMaskEdit::WndProc(Message);
  }
}

void TCustomComboEdit::Change()
{
  if (PopupVisible())
    PopupChange();
  else
    DoChange();
}

void TCustomComboEdit::DoChange() { TCustomMaskEdit::Change(); }

void TCustomComboEdit::EditButtonClick(TObject*)
{
  if (!FReadOnly || FAlwaysEnable)
    ButtonClick();
}

TPopupWindow* TCustomComboEdit::Popup()
{
  if (FHasPopup && !FPopup)
    CreatePopup();
  return FPopup;
}

void TCustomComboEdit::SetHasPopup(bool Value)
{
  FHasPopup = Value;
  if (!Value)
    FreePopup();
}

void TCustomComboEdit::FreePopup()
{
  if (!FPopup)
    return;
  FPopup->OnCloseUp = nullptr;
  FreeAndNil(FPopup);
}

void TCustomComboEdit::ButtonClick()
{
  if (OnButtonClick)
    OnButtonClick(this);
  if (!FHasPopup)
    return;
  if (PopupVisible())
    PopupCloseUp(FPopup, true);
  else
    PopupDropDown(true);
}

Variant TCustomComboEdit::GetPopupValue() { return FPopup ? FPopup->GetValue() : Variant(String()); }

void TCustomComboEdit::SetPopupValue(const Variant& Value)
{
  if (FPopup)
    FPopup->SetValue(Value);
}

bool TCustomComboEdit::AcceptPopup(Variant&) { return true; }

void TCustomComboEdit::ShowPopup(const TPoint& Origin) { FPopup->Show(Origin); }

void TCustomComboEdit::HidePopup() { FPopup->Hide(); }

void TCustomComboEdit::AcceptValue(const Variant& Value)
{
  if (Text() == Value.AsString())
    return;
  SetText(Value.AsString());
  SetModified(true);
  UpdatePopupVisible();
  DoChange();
}

void TCustomComboEdit::PopupDropDown(bool DisableEdit)
{
  if (!FHasPopup || GetReadOnly() || PopupVisible())
    return;
  const TPoint pos = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
  const int screenW = Screen ? Screen->Width() : 0, screenH = Screen ? Screen->Height() : 0;
  const TPoint origin = vt::PopupOrigin(pos, Width(), Height(), Popup()->Width(), Popup()->Height(),
                                        screenW, screenH, FPopupAlign);
  SetPopupValue(Text().empty() ? Variant::Null() : Variant(Text()));
  if (CanFocus())
    SetFocus();
  ShowPopup(origin);
  FPopupVisible = true;
  FPopupShowing = true;
  if (DisableEdit)
    TCustomMaskEdit::SetReadOnly(true);
}

// Showing the drop-down can take the activation from the form on some window systems, although
// the popup never accepts it; that first loss is given back at once. Any later loss closes it.
bool TCustomComboEdit::RegainFocusFromPopup()
{
  if (!FPopupShowing)
    return false;
  FPopupShowing = false;
  TCustomForm* form = GetParentForm(this);
  if (!PopupVisible() || !form || form->ActiveControl() != this)
    return false;
  form->SetFocus();
  SetFocus();
  return true;
}

void TCustomComboEdit::RunExitChecks(const std::function<void()>& Checks)
{
  try {
    Checks();
  } catch (...) {
    SelectAll();
    if (CanFocus())
      SetFocus();
    throw;
  }
}

void TCustomComboEdit::PopupCloseUp(TObject*, bool Accept)
{
  if (!FPopup || !PopupVisible())
    return;
  FPopupShowing = false;
  if (HWND capture = GetCapture())
    SendMessage(capture, WM_CANCELMODE, 0, 0);
  Variant value = GetPopupValue();
  HidePopup();
  try {
    if (CanFocus()) {
      SetFocus();
      if (Focused())
        SetShowCaret();
    }
  } catch (const Exception&) {
    // Re-focusing may fail while the form is closing; the popup is closed either way.
  }
  SetDirectInput(FDirectInput);
  Invalidate();
  try {
    if (Accept && AcceptPopup(value) && EditCanModify()) {
      AcceptValue(value);
      if (Focused())
        TCustomMaskEdit::SelectAll();
    }
  } catch (...) {
    FPopupVisible = false;
    throw;
  }
  FPopupVisible = false;
}

void TCustomComboEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key != 0 && FClickKey == vt::ShortCutOf(Key, Shift) && ButtonWidth() > 0) {
    EditButtonClick(this);
    Key = 0;
  }
}

void TCustomComboEdit::KeyPress(char& Key)
{
  if (Key == '\r' || Key == '\x1b') {
    if (PopupVisible()) {
      PopupCloseUp(FPopup, Key == '\r');
      Key = 0;
      return;
    }
    // The form's default and cancel buttons hear Enter and Esc through the dialog key.
    if (TCustomForm* form = GetParentForm(this))
      form->Perform(CM_DIALOGKEY, static_cast<WPARAM>(static_cast<unsigned char>(Key)), 0);
    if (Key == '\r') {
      TCustomMaskEdit::KeyPress(Key);
      Key = 0;
      return;
    }
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TCustomComboEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft && FHasPopup) {
    if (CanFocus())
      SetFocus();
    if (!Focused())
      return;
    if (PopupVisible())
      PopupCloseUp(FPopup, false);
  }
  TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TPopupAlign> kPopupAlign{"TPopupAlign", {"epaRight", "epaLeft"}};
const vt::EnumRegistration<TGlyphKind> kGlyphKind{"TGlyphKind", {"gkCustom", "gkDefault", "gkDropDown", "gkEllipsis"}};
const vt::ClassRegistration<TCustomComboEdit, TCustomMaskEdit> kCustomComboEdit{
    "TCustomComboEdit",
    {
        vt::Published("Alignment", &TCustomComboEdit::Alignment, &TCustomComboEdit::SetAlignment),
        vt::Published("ButtonHint", &TCustomComboEdit::ButtonHint, &TCustomComboEdit::SetButtonHint),
        vt::Published("ClickKey", &TCustomComboEdit::ClickKey, &TCustomComboEdit::SetClickKey),
        vt::Published("DirectInput", &TCustomComboEdit::DirectInput, &TCustomComboEdit::SetDirectInput),
        vt::Published("GlyphKind", &TCustomComboEdit::GlyphKind, &TCustomComboEdit::SetGlyphKind),
        vt::Published("Glyph", &TCustomComboEdit::Glyph, &TCustomComboEdit::SetGlyph),
        vt::Published("ButtonWidth", &TCustomComboEdit::ButtonWidth, &TCustomComboEdit::SetButtonWidth),
        vt::Published("NumGlyphs", &TCustomComboEdit::NumGlyphs, &TCustomComboEdit::SetNumGlyphs),
        vt::Published("PopupAlign", &TCustomComboEdit::PopupAlign, &TCustomComboEdit::SetPopupAlign),
        vt::Published("ReadOnly", &TCustomComboEdit::ReadOnly, &TCustomComboEdit::SetReadOnly),
    }};
const vt::ClassRegistration<TComboEdit, TCustomComboEdit> kComboEdit{"TComboEdit", {}};
}  // namespace
