// Unit VtCtrls: glyph slots and cache, per-state glyph images, button layout and painting,
// grouping through the button-pressed broadcast, and the mouse press rules of the speed button.
#include "components/edits/VtCtrls.h"
#include "rtl/TypInfo.h"

#include "components/common/vtGuiutils.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"
#include "ui/kernel/WinApi.h"

#include <algorithm>

namespace {

TGlyphCache* GlyphCache = nullptr;
TBitmap* CheckImages = nullptr;
constexpr int kMarkWidth = 9; // room the drop-down mark takes beside the text

bool HasImage(TCustomImageList* Images, int ImageIndex)
{
  return Images && ImageIndex >= 0 && ImageIndex < Images->Count();
}

// The button's frame by style and look; R shrinks to the face inside it.
void DrawButtonFrame(TCanvas* Canvas, TRect& R, TButtonStyle Style, bool Flat, bool Down)
{
  const TColor outline = Style == bsWin31 ? clWindowFrame : clBtnHighlight;
  if (!Down) {
    if (Flat) {
      Frame3D(Canvas, R, clBtnHighlight, clBtnShadow, 1);
    } else {
      Frame3D(Canvas, R, outline, clWindowFrame, 1);
      Frame3D(Canvas, R, clBtnFace, clBtnShadow, 1);
    }
  } else {
    Frame3D(Canvas, R, clWindowFrame, clBtnHighlight, 1);
    if (!Flat)
      Frame3D(Canvas, R, clBtnShadow, clBtnFace, 1);
  }
}

// A busy wait on the tick count that dispatches nothing: a key queued meanwhile must not press
// its button inside this press. Ends early when the count wraps.
void WaitTicks(DWORD MSecs)
{
  const DWORD start = GetTickCount();
  for (DWORD now = start; now >= start && now - start < MSecs;)
    now = GetTickCount();
}

} // namespace

// ---- TGlyphList and TGlyphCache ----

TGlyphList::~TGlyphList()
{
  for (TBitmap* b : FImages)
    delete b;
}

int TGlyphList::AllocateIndex()
{
  auto free = std::find(FUsed.begin(), FUsed.end(), false);
  if (free != FUsed.end()) {
    *free = true;
    return static_cast<int>(free - FUsed.begin());
  }
  FUsed.push_back(true);
  FImages.push_back(nullptr);
  return static_cast<int>(FUsed.size()) - 1;
}

int TGlyphList::AddMasked(TBitmap* Image, TColor MaskColor)
{
  int index = AllocateIndex();
  auto* copy = new TBitmap;
  copy->Assign(Image);
  copy->SetTransparentColor(MaskColor);
  copy->SetTransparent(true);
  delete FImages[static_cast<size_t>(index)];
  FImages[static_cast<size_t>(index)] = copy;
  ++FCount;
  return index;
}

void TGlyphList::Delete(int Index)
{
  if (Index < 0 || Index >= static_cast<int>(FUsed.size()))
    return;
  if (FUsed[static_cast<size_t>(Index)])
    --FCount;
  FUsed[static_cast<size_t>(Index)] = false;
}

TGlyphCache::~TGlyphCache()
{
  for (TGlyphList* l : FLists)
    delete l;
}

TGlyphList* TGlyphCache::GetList(int AWidth, int AHeight)
{
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
    if ((*it)->Width() == AWidth && (*it)->Height() == AHeight)
      return *it;
  FLists.push_back(new TGlyphList(AWidth, AHeight));
  return FLists.back();
}

void TGlyphCache::ReturnList(TGlyphList* List)
{
  if (!List || List->Count() != 0)
    return;
  FLists.erase(std::remove(FLists.begin(), FLists.end(), List), FLists.end());
  delete List;
}

// ---- TVtButtonGlyph ----

TVtNumGlyphs GlyphCountOf(int Width, int Height, TVtNumGlyphs Current)
{
  if (Height <= 0 || Width % Height != 0)
    return Current;
  int n = Width / Height;
  return n > 5 ? 1 : n;
}

TGlyphCache* TVtButtonGlyph::Cache()
{
  if (!GlyphCache)
    GlyphCache = new TGlyphCache;
  return GlyphCache;
}

TVtButtonGlyph::TVtButtonGlyph() : FOriginal(new TBitmap)
{
  FOriginal->OnChange = [this](TObject* s) { GlyphChanged(s); };
  Cache();
}

TVtButtonGlyph::~TVtButtonGlyph()
{
  Invalidate();
  delete FOriginal;
  if (GlyphCache && GlyphCache->Empty()) {
    delete GlyphCache;
    GlyphCache = nullptr;
  }
}

void TVtButtonGlyph::Invalidate()
{
  for (int& index : FIndexs) {
    if (index >= 0 && FGlyphList)
      FGlyphList->Delete(index);
    index = -1;
  }
  if (FGlyphList && GlyphCache)
    GlyphCache->ReturnList(FGlyphList);
  FGlyphList = nullptr;
}

void TVtButtonGlyph::SetGlyph(TBitmap* Value)
{
  Invalidate();
  FOriginal->Assign(Value); // fires GlyphChanged through the bitmap's change event
  GlyphChanged(FOriginal);
}

void TVtButtonGlyph::SetNumGlyphs(TVtNumGlyphs Value)
{
  if (Value == FNumGlyphs || Value <= 0)
    return;
  Invalidate();
  FNumGlyphs = Value;
}

void TVtButtonGlyph::GlyphChanged(TObject*)
{
  Invalidate();
  if (FOriginal->Height() > 0) {
    FTransparentColor = FOriginal->TransparentColor() & ~0x02000000;
    FNumGlyphs = GlyphCountOf(FOriginal->Width(), FOriginal->Height(), FNumGlyphs);
  }
  if (OnChange)
    OnChange(nullptr);
}

TSize TVtButtonGlyph::GlyphSize() const
{
  if (FOriginal->Empty())
    return TSize{0, 0};
  return TSize{FOriginal->Width() / FNumGlyphs, FOriginal->Height()};
}

// The size of what is drawn in the glyph's place: the list's image when given, else the cell.
TSize TVtButtonGlyph::GlyphSize(TCustomImageList* Images, int ImageIndex) const
{
  return HasImage(Images, ImageIndex) ? TSize{Images->Width(), Images->Height()} : GlyphSize();
}

// The cell for State on a button-face background, as the state's look asks for it.
TBitmap* TVtButtonGlyph::StateCell(TVtButtonState State, int SourceCell)
{
  const TSize size = GlyphSize();
  auto* cell = new TBitmap;
  cell->SetSize(size.cx, size.cy);
  cell->Canvas()->Brush()->SetColor(clBtnFace);
  cell->Canvas()->FillRect(Rect(0, 0, size.cx, size.cy));
  const TRect source = Bounds(SourceCell * size.cx, 0, size.cx, size.cy);
  cell->Canvas()->CopyRect(Rect(0, 0, size.cx, size.cy), FOriginal->Canvas(), source);
  if (State == rbsDisabled && FNumGlyphs == 1) {
    TBitmap* disabled = CreateDisabledBitmap(cell, FTransparentColor);
    delete cell;
    return disabled;
  }
  if (State == rbsInactive && FNumGlyphs < 5) {
    const TColor face = ColorToRGB(clBtnFace);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        TColor c = cell->Canvas()->Pixels(x, y);
        if (c == FTransparentColor || c == face)
          continue;
        int grey = (GetRValue(c) * 77 + GetGValue(c) * 150 + GetBValue(c) * 29) >> 8;
        cell->Canvas()->SetPixels(x, y, RGB(grey, grey, grey));
      }
  }
  return cell;
}

int TVtButtonGlyph::CreateButtonGlyph(TVtButtonState State)
{
  if (State == rbsDown && FNumGlyphs < 3)
    State = rbsUp;
  int& index = FIndexs[State];
  if (index != -1 || FOriginal->Empty())
    return index;
  const TSize size = GlyphSize();
  if (!FGlyphList)
    FGlyphList = Cache()->GetList(size.cx, size.cy);
  int source = State < FNumGlyphs ? State : 0;
  if (State == rbsDisabled && FNumGlyphs > 1)
    source = 1;
  else if (State == rbsInactive)
    source = FNumGlyphs == 5 ? 4 : 0;
  TBitmap* cell = StateCell(State, source);
  index = FGlyphList->AddMasked(cell, FTransparentColor);
  delete cell;
  FOriginal->Dormant();
  return index;
}

void TVtButtonGlyph::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const String& Caption,
                                      TButtonLayout Layout, int Margin, int Spacing, bool PopupMark,
                                      TCustomImageList* Images, int ImageIndex, unsigned Flags,
                                      TPoint& GlyphPos, TRect& TextBounds, String& ShownCaption)
{
  TSize glyph = GlyphSize(Images, ImageIndex);
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  const int clientW = Client.Width(), clientH = Client.Height();
  int roomW = clientW, roomH = clientH;
  if (horizontal)
    roomW -= glyph.cx + std::max(Margin, 0) + std::max(Spacing, 0) + (PopupMark ? kMarkWidth : 0);
  else
    roomH -= glyph.cy + std::max(Margin, 0) + std::max(Spacing, 0);
  roomW = std::max(roomW, 0);
  roomH = std::max(roomH, 0);

  ShownCaption = FWordWrap ? Caption.substr(0, 255) : MinimizeText(Caption.substr(0, 255), Canvas, roomW);
  TRect text = Rect(0, 0, roomW, roomH);
  if (!ShownCaption.empty()) {
    unsigned flags = DT_CALCRECT | DT_CENTER | DT_VCENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE) | Flags;
    Canvas->DrawText(ShownCaption, text, flags);
    text = Rect(0, 0, std::min(text.Width(), roomW), std::min(text.Height(), roomH));
  } else {
    text = Rect(0, 0, 0, 0);
  }
  if (PopupMark) {
    if (glyph.cx == 0 || Layout == blGlyphLeft)
      text.Right += kMarkWidth;
    else
      glyph.cx += 6;
  }

  // Centre across the layout axis, then share the extent between margin and spacing.
  GlyphPos = Point((clientW - glyph.cx + 1) / 2, (clientH - glyph.cy + 1) / 2);
  TPoint textPos = Point((clientW - text.Width() + 1) / 2, (clientH - text.Height() + 1) / 2);
  if (glyph.cx == 0 || text.Width() == 0)
    Spacing = 0;
  const int extent = horizontal ? clientW : clientH;
  const int glyphExt = horizontal ? glyph.cx : glyph.cy;
  const int textExt = horizontal ? text.Width() : text.Height();
  if (Margin == -1) {
    if (Spacing == -1)
      Margin = Spacing = (extent - glyphExt - textExt) / 3;
    else
      Margin = (extent - glyphExt - Spacing - textExt) / 2;
  } else if (Spacing == -1) {
    Spacing = (extent - Margin - glyphExt - textExt) / 2;
  }
  switch (Layout) {
  case blGlyphLeft: GlyphPos.X = Margin; textPos.X = GlyphPos.X + glyph.cx + Spacing; break;
  case blGlyphRight: GlyphPos.X = extent - Margin - glyph.cx; textPos.X = GlyphPos.X - Spacing - text.Width(); break;
  case blGlyphTop: GlyphPos.Y = Margin; textPos.Y = GlyphPos.Y + glyph.cy + Spacing; break;
  case blGlyphBottom: GlyphPos.Y = extent - Margin - glyph.cy; textPos.Y = GlyphPos.Y - Spacing - text.Height(); break;
  }
  GlyphPos = Point(GlyphPos.X + Client.Left, GlyphPos.Y + Client.Top);
  TextBounds = Bounds(textPos.X + Client.Left, textPos.Y + Client.Top, text.Width(), text.Height());
}

void TVtButtonGlyph::DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds,
                                    TVtButtonState State, unsigned Flags)
{
  if (Caption.empty())
    return;
  Canvas->Brush()->SetStyle(bsClear);
  unsigned flags = DT_CENTER | DT_VCENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE) | Flags;
  if (State == rbsDisabled) {
    TRect shifted = Rect(TextBounds.Left + 1, TextBounds.Top + 1, TextBounds.Right + 1, TextBounds.Bottom + 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    Canvas->DrawText(Caption, shifted, flags);
    Canvas->Font()->SetColor(clBtnShadow);
  }
  Canvas->DrawText(Caption, TextBounds, flags);
}

void TVtButtonGlyph::DrawPopupMark(TCanvas* Canvas, int X, int Y, TVtButtonState State)
{
  auto triangle = [&](int x, int y, TColor color) {
    Canvas->Pen()->SetColor(color);
    for (int row = 0; row < 4; ++row) {
      Canvas->MoveTo(x + row, y + row);
      Canvas->LineTo(x + 7 - row, y + row);
    }
  };
  if (State == rbsDisabled) {
    triangle(X + 1, Y + 1, clBtnHighlight);
    triangle(X, Y, clBtnShadow);
  } else {
    triangle(X, Y, clBtnText);
  }
}

TRect TVtButtonGlyph::DrawEx(TCanvas* Canvas, const TRect& Client, const String& Caption,
                             TButtonLayout Layout, int Margin, int Spacing, bool PopupMark,
                             TVtButtonState State, TCustomImageList* Images, int ImageIndex,
                             unsigned Flags)
{
  TPoint glyphPos;
  TRect textBounds;
  String shown;
  CalcButtonLayout(Canvas, Client, Caption, Layout, Margin, Spacing, PopupMark, Images, ImageIndex, Flags,
                   glyphPos, textBounds, shown);
  const TSize glyph = GlyphSize(Images, ImageIndex);
  if (HasImage(Images, ImageIndex)) {
    Images->Draw(Canvas, glyphPos.X, glyphPos.Y, ImageIndex, State != rbsDisabled);
  } else {
    int index = CreateButtonGlyph(State);
    if (index >= 0)
      Canvas->Draw(glyphPos.X, glyphPos.Y, FGlyphList->Image(index));
  }
  TRect textRect = textBounds;
  if (PopupMark && (glyph.cx == 0 || Layout == blGlyphLeft))
    textRect.Right -= kMarkWidth;
  DrawButtonText(Canvas, shown, textRect, State, Flags);
  if (PopupMark) {
    if (glyph.cx > 0 && Layout != blGlyphLeft)
      DrawPopupMark(Canvas, glyphPos.X + glyph.cx + 1, glyphPos.Y + (glyph.cy - 4) / 2, State);
    else if (!shown.empty())
      DrawPopupMark(Canvas, textRect.Right + 3, textRect.Top + (textRect.Height() - 4) / 2, State);
    else
      DrawPopupMark(Canvas, (Client.Left + Client.Right - 7) / 2, Client.Top + (Client.Height() - 4) / 2, State);
  }
  return textRect;
}

// ---- TVtSpeedButton ----

TVtSpeedButton::TVtSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(new TVtButtonGlyph), FDrawImage(new TBitmap)
{
  SetBounds(0, 0, 25, 25);
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable});
  FGlyph->OnChange = [this](TObject* s) { GlyphChanged(s); };
  SetParentFont(true);
  SetShowHint(true);
  SetParentShowHint(false);
  ++FButtonCount;
}

TVtSpeedButton::~TVtSpeedButton()
{
  --FButtonCount;
  SetAction(nullptr);
  StopTimer();
  delete FDrawImage;
  delete FGlyph;
}

void TVtSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TVtSpeedButton::SetGlyph(TBitmap* Value)
{
  FGlyph->SetGlyph(Value);
  Invalidate();
}

void TVtSpeedButton::SetNumGlyphs(TVtNumGlyphs Value)
{
  FGlyph->SetNumGlyphs(std::clamp(Value, 1, 5));
  Invalidate();
}

void TVtSpeedButton::SetAlignment(TAlignment Value)
{
  if (Value == FGlyph->Alignment())
    return;
  FGlyph->SetAlignment(Value);
  Invalidate();
}

void TVtSpeedButton::SetWordWrap(bool Value)
{
  if (Value == FGlyph->WordWrap())
    return;
  FGlyph->SetWordWrap(Value);
  Invalidate();
}

#define VT_SETTER(Name, Type, Field)          \
  void TVtSpeedButton::Set##Name(Type Value)  \
  {                                           \
    if (Field == Value)                       \
      return;                                 \
    Field = Value;                            \
    Invalidate();                             \
  }
VT_SETTER(Flat, bool, FFlat)
VT_SETTER(Transparent, bool, FTransparent)
VT_SETTER(Style, TButtonStyle, FStyle)
VT_SETTER(Layout, TButtonLayout, FLayout)
VT_SETTER(Spacing, int, FSpacing)
VT_SETTER(Margin, int, FMargin)
VT_SETTER(MarkDropDown, bool, FMarkDropDown)
VT_SETTER(GrayedInactive, bool, FGrayedInactive)
#undef VT_SETTER

void TVtSpeedButton::SetDropDownMenu(TPopupMenu* Value)
{
  if (Value == FDropDownMenu)
    return;
  FDropDownMenu = Value;
  if (Value)
    Value->FreeNotification(this);
  if (FMarkDropDown)
    Invalidate();
}

void TVtSpeedButton::SetAllowTimer(bool Value)
{
  FAllowTimer = Value;
  if (!Value) {
    delete FRepeatTimer;
    FRepeatTimer = nullptr;
  }
}

void TVtSpeedButton::Notification(TComponent* AComponent, TOperation Operation)
{
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu)
    FDropDownMenu = nullptr;
  if (Operation == opRemove && AComponent == FAction)
    FAction = nullptr;
}

void TVtSpeedButton::SetAction(TBasicAction* Value)
{
  if (Value == FAction)
    return;
  if (FAction) {
    FAction->UnRegisterChanges(this);
    FAction->RemoveFreeNotification(this);
  }
  FAction = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->RegisterChanges(this, [this] { ActionChange(FAction, false); });
    ActionChange(Value, true);
  }
}

TCustomImageList* TVtSpeedButton::ActionImages() const
{
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  TCustomImageList* images = action && action->ActionList() ? action->ActionList()->Images() : nullptr;
  return action && HasImage(images, action->ImageIndex()) ? images : nullptr;
}

int TVtSpeedButton::ActionImageIndex() const
{
  return ActionImages() ? static_cast<TCustomAction*>(FAction)->ImageIndex() : -1;
}

// The action's caption and state, and its image as the glyph on a fuchsia background.
void TVtSpeedButton::ActionChange(TObject*, bool)
{
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  if (!action)
    return;
  SetCaption(action->Caption());
  SetEnabled(action->Enabled());
  SetHint(action->Hint());
  SetVisible(action->Visible());
  if (TCustomImageList* images = ActionImages()) {
    TBitmap image;
    image.SetSize(images->Width(), images->Height());
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(image.Canvas(), 0, 0, action->ImageIndex());
    image.SetTransparentColor(clFuchsia);
    SetGlyph(&image);
  }
}

void TVtSpeedButton::SetDown(bool Value)
{
  if (FGroupIndex == 0)
    Value = false;
  if (Value == FDown)
    return;
  if (FDown && !FAllowAllUp)
    return; // the last down button of a group stays down
  FDown = Value;
  if (Value) {
    if (FState == rbsUp)
      Invalidate();
    FState = rbsExclusive;
  } else {
    FState = rbsUp;
  }
  Repaint();
  if (Value)
    UpdateExclusive();
  Invalidate();
}

void TVtSpeedButton::SetGroupIndex(int Value)
{
  if (Value == FGroupIndex)
    return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TVtSpeedButton::SetAllowAllUp(bool Value)
{
  if (Value == FAllowAllUp)
    return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TVtSpeedButton::UpdateExclusive()
{
  if (FGroupIndex == 0 || !Parent())
    return;
  TMessage msg;
  msg.Msg = CM_BUTTONPRESSED;
  msg.WParam = static_cast<WPARAM>(FGroupIndex);
  msg.LParam = reinterpret_cast<LPARAM>(this);
  Parent()->Broadcast(msg);
}

void TVtSpeedButton::ButtonPressed(TMessage& Message)
{
  auto* sender = reinterpret_cast<TControl*>(Message.LParam);
  auto* other = dynamic_cast<TVtSpeedButton*>(sender);
  if (static_cast<int>(Message.WParam) != FGroupIndex || !other || other == this)
    return;
  if (other->Down() && FDown) {
    FDown = false;
    FState = rbsUp;
    Repaint();
  }
  FAllowAllUp = other->AllowAllUp();
}

void TVtSpeedButton::Click()
{
  if (TCustomForm* form = GetParentForm(this))
    form->SetModalResult(FModalResult);
  if (!OnClick && FAction)
    FAction->Execute();
  else
    TGraphicControl::Click();
}

// The caption's accelerator clicks an enabled button and answers 1.
void TVtSpeedButton::DialogChar(TMessage& Message)
{
  if (Enabled() && IsAccel(static_cast<WORD>(Message.WParam), Caption())) {
    Click();
    Message.Result = 1;
    return;
  }
  TGraphicControl::WndProc(Message);
}

void TVtSpeedButton::ButtonClick()
{
  if (FMenuTracking || !Enabled() || (FDropDownMenu && FDropDownMenu->AutoPopup()))
    return;
  if (!FDown) {
    FState = rbsDown;
    Repaint();
  }
  WaitTicks(20);
  if (FGroupIndex == 0) {
    Click();
    FState = rbsUp;
    Repaint();
  } else {
    FState = rbsUp;
    SetDown(!FDown);
    Click();
  }
}

TPoint TVtSpeedButton::GetDropDownMenuPos() const
{
  if (!FDropDownMenu)
    return Point(0, 0);
  const TPopupAlignment align = FDropDownMenu->Alignment();
  if (FMenuPosition == dmpBottom) {
    if (align == paLeft)
      return Point(-1, Height());
    return align == paRight ? Point(Width() + 1, Height()) : Point(Width() / 2, Height());
  }
  if (align == paLeft)
    return Point(Width(), -1);
  return align == paRight ? Point(-1, -1) : Point(Width() / 2, Height());
}

bool TVtSpeedButton::CheckMenuDropDown(const TPoint& Pos, bool Manual)
{
  if (ComponentState().Contains(csDesigning) || !FDropDownMenu || !(FDropDownMenu->AutoPopup() || Manual))
    return false;
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
  FDropDownMenu->SetPopupComponent(this);
  const TPoint at = ClientToScreen(Pos);
  FDropDownMenu->Popup(at.X, at.Y);
  return true;
}

bool TVtSpeedButton::CheckBtnMenuDropDown() { return CheckMenuDropDown(GetDropDownMenuPos(), true); }

void TVtSpeedButton::BuildImageForLook()
{
  FGlyph->CreateButtonGlyph(!Enabled() ? rbsDisabled : FFlat ? rbsInactive : rbsUp);
}

void TVtSpeedButton::Loaded()
{
  TGraphicControl::Loaded();
  BuildImageForLook();
}

void TVtSpeedButton::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case CM_BUTTONPRESSED:
    ButtonPressed(Message);
    return;
  case CM_DIALOGCHAR:
    DialogChar(Message);
    return;
  case CM_ENABLEDCHANGED:
    TGraphicControl::WndProc(Message);
    BuildImageForLook();
    if (!Enabled())
      FMouseInControl = false;
    Repaint();
    return;
  case CM_SYSCOLORCHANGE:
    FGlyph->Invalidate();
    Invalidate();
    return;
  default:
    TGraphicControl::WndProc(Message);
  }
}

void TVtSpeedButton::MouseEnter()
{
  if (!FMouseInControl && Enabled() && IsForegroundTask()) {
    FMouseInControl = true;
    if (FFlat)
      Repaint();
    if (OnMouseEnter)
      OnMouseEnter(this);
  }
  TGraphicControl::MouseEnter();
}

void TVtSpeedButton::MouseLeave()
{
  if (FMouseInControl && Enabled() && !FDragging) {
    FMouseInControl = false;
    if (FFlat)
      Invalidate();
    if (OnMouseLeave)
      OnMouseLeave(this);
  }
  TGraphicControl::MouseLeave();
}

void TVtSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (FMenuTracking)
    return;
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!Enabled() || Button != mbLeft)
    return;
  FMouseInControl = true;
  if (!FDown) {
    FState = rbsDown;
    Repaint();
  }
  FDragging = true;
  // The menu runs modally; the press that closes it must not press the button again.
  FMenuTracking = true;
  if (CheckMenuDropDown(GetDropDownMenuPos(), false))
    FinishPress(-1, -1);
  RemoveQueuedLeftClicks(Widget());
  FMenuTracking = false;
  if (FAllowTimer && FDragging)
    StartTimer();
}

void TVtSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging)
    return;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
  TVtButtonState state = inside ? rbsDown : (FDown ? rbsExclusive : rbsUp);
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TVtSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  StopTimer();
  if (Button == mbLeft)
    FinishPress(X, Y);
}

// The release counts as a click when it is inside the button.
void TVtSpeedButton::FinishPress(int X, int Y)
{
  if (!FDragging)
    return;
  FDragging = false;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
  if (FGroupIndex == 0) {
    FState = rbsUp;
    FMouseInControl = inside;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown)
      Repaint();
  } else {
    if (FDown)
      FState = rbsExclusive;
    Repaint();
  }
  if (inside && !FMenuTracking)
    Click();
}

// The repeat timer waits InitPause before the first click, then RepeatInterval between clicks.
void TVtSpeedButton::StartTimer()
{
  if (!FRepeatTimer) {
    FRepeatTimer = new TTimer(this);
    FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
  }
  FRepeatTimer->SetInterval(FInitPause);
  FRepeatTimer->SetEnabled(true);
}

void TVtSpeedButton::TimerExpired()
{
  if (!FRepeatTimer || !FRepeatTimer->Enabled())
    return;
  FRepeatTimer->SetInterval(FRepeatInterval);
  if (FState == rbsDown && FDragging)
    Click();
}

void TVtSpeedButton::StopTimer()
{
  if (FRepeatTimer)
    FRepeatTimer->SetEnabled(false);
}

void TVtSpeedButton::Paint()
{
  if (Enabled() && FState == rbsDisabled)
    FState = (FDown && FGroupIndex != 0) ? rbsExclusive : rbsUp;
  else if (!Enabled()) {
    FState = rbsDisabled;
    FDragging = false;
  }
  const bool designing = ComponentState().Contains(csDesigning);
  TVtButtonState paintState = (FFlat && !FMouseInControl && !designing) ? rbsInactive : FState;

  FDrawImage->SetSize(Width(), Height());
  TCanvas* canvas = FDrawImage->Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  canvas->Brush()->SetColor(clBtnFace);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  if (FTransparent)
    CopyParentImage(this, canvas);
  if (paintState == rbsInactive && FState != rbsExclusive)
    r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  else
    DrawButtonFrame(canvas, r, FStyle, FFlat, FState == rbsDown || FState == rbsExclusive);
  if (FState == rbsExclusive && !FTransparent && (!FFlat || paintState == rbsInactive)) {
    TBitmap* pattern = CreateTwoColorsBrushPattern(clBtnFace, clBtnHighlight);
    canvas->Brush()->SetBitmap(pattern);
    canvas->FillRect(r);
    canvas->Brush()->SetBitmap(nullptr);
    delete pattern;
  }
  if (FState == rbsDown || FState == rbsExclusive)
    r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  TVtButtonState glyphState = (!Enabled() || !FGrayedInactive) ? FState : paintState;
  canvas->SetFont(Font());
  PaintGlyph(canvas, r, glyphState, FMarkDropDown && FDropDownMenu);
  Canvas()->Draw(0, 0, FDrawImage);
}

void TVtSpeedButton::PaintGlyph(TCanvas* Canvas, const TRect& ARect, TVtButtonState AState, bool DrawMark)
{
  FGlyph->DrawEx(Canvas, ARect, Caption(), FLayout, FMargin, FSpacing, DrawMark, AState, ActionImages(),
                 ActionImageIndex());
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TVtDropDownMenuPos> kDropDownMenuPos{"TVtDropDownMenuPos", {"dmpBottom", "dmpRight"}};
const vt::ClassRegistration<TVtSpeedButton, TGraphicControl> kVtSpeedButton{
    "TVtSpeedButton",
    {
        vt::Published("GroupIndex", &TVtSpeedButton::GroupIndex, &TVtSpeedButton::SetGroupIndex),
        vt::Published("Style", &TVtSpeedButton::Style, &TVtSpeedButton::SetStyle),
        vt::Published("Down", &TVtSpeedButton::Down, &TVtSpeedButton::SetDown),
        vt::Published("Flat", &TVtSpeedButton::Flat, &TVtSpeedButton::SetFlat),
        vt::Published("AllowAllUp", &TVtSpeedButton::AllowAllUp, &TVtSpeedButton::SetAllowAllUp),
        vt::Published("Layout", &TVtSpeedButton::Layout, &TVtSpeedButton::SetLayout),
        vt::Published("Spacing", &TVtSpeedButton::Spacing, &TVtSpeedButton::SetSpacing),
        vt::Published("Margin", &TVtSpeedButton::Margin, &TVtSpeedButton::SetMargin),
        vt::Published("ModalResult", &TVtSpeedButton::ModalResult, &TVtSpeedButton::SetModalResult),
        vt::Published("Transparent", &TVtSpeedButton::Transparent, &TVtSpeedButton::SetTransparent),
        vt::Published("MarkDropDown", &TVtSpeedButton::MarkDropDown, &TVtSpeedButton::SetMarkDropDown),
        vt::Published("DropDownMenu", &TVtSpeedButton::DropDownMenu, &TVtSpeedButton::SetDropDownMenu),
        vt::Published("MenuPosition", &TVtSpeedButton::MenuPosition, &TVtSpeedButton::SetMenuPosition),
        vt::Published("GrayedInactive", &TVtSpeedButton::GrayedInactive, &TVtSpeedButton::SetGrayedInactive),
        vt::Published("AllowTimer", &TVtSpeedButton::AllowTimer, &TVtSpeedButton::SetAllowTimer),
        vt::Published("InitPause", &TVtSpeedButton::InitPause, &TVtSpeedButton::SetInitPause),
        vt::Published("RepeatInterval", &TVtSpeedButton::RepeatInterval, &TVtSpeedButton::SetRepeatInterval),
        vt::Published("Action", &TVtSpeedButton::Action, &TVtSpeedButton::SetAction),
        vt::Published("Alignment", &TVtSpeedButton::Alignment, &TVtSpeedButton::SetAlignment),
        vt::Published("Caption", &TVtSpeedButton::Caption, &TVtSpeedButton::SetCaption),
        vt::Published("Glyph", &TVtSpeedButton::Glyph, &TVtSpeedButton::SetGlyph),
        vt::Published("NumGlyphs", &TVtSpeedButton::NumGlyphs, &TVtSpeedButton::SetNumGlyphs),
        vt::Published("WordWrap", &TVtSpeedButton::WordWrap, &TVtSpeedButton::SetWordWrap),
    }};
}  // namespace


// ---- TButtonImage ----

TButtonImage::TButtonImage() : FGlyph(new TVtButtonGlyph) {}

TButtonImage::~TButtonImage() { delete FGlyph; }

void TButtonImage::Draw(TCanvas* Canvas, int X, int Y, int Margin, int Spacing, TButtonLayout Layout,
                        TFont* Font, unsigned Flags)
{
  DrawEx(Canvas, X, Y, Margin, Spacing, Layout, Font, nullptr, -1, Flags);
}

void TButtonImage::DrawEx(TCanvas* Canvas, int X, int Y, int Margin, int Spacing, TButtonLayout Layout,
                          TFont* Font, TCustomImageList* Images, int ImageIndex, unsigned Flags)
{
  TRect face = Bounds(X, Y, FButtonSize.cx, FButtonSize.cy);
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->FillRect(face);
  DrawButtonFrame(Canvas, face, bsAutoDetect, false, false);
  if (Font)
    Canvas->SetFont(Font);
  FGlyph->DrawEx(Canvas, face, FCaption, Layout, Margin, Spacing, false, rbsUp, Images, ImageIndex, Flags);
}

// ---- the shared check images ----

TBitmap* CheckBitmap()
{
  if (!CheckImages)
    CheckImages = MakeBitmap("CHECK_IMAGES");
  return CheckImages;
}

void FreeCheckBitmap()
{
  delete CheckImages;
  CheckImages = nullptr;
}

namespace {
struct CheckBitmapAtExit {
  ~CheckBitmapAtExit() { FreeCheckBitmap(); }
} const kCheckBitmapAtExit;
}  // namespace
