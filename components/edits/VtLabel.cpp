// The shadowed label: text measuring and painting with margins and layout, auto-size that keeps
// the right edge of right-aligned text, the focus frame, accelerators and mouse tracking.
#include "components/edits/VtLabel.h"
#include "rtl/TypInfo.h"

#include <algorithm>

#include "components/common/vtGuiutils.h"

namespace {

TRect UnionRect(const TRect& a, const TRect& b)
{
    return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom));
}

void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

unsigned AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taCenter: return DT_CENTER;
    case taRightJustify: return DT_RIGHT;
    default: return DT_LEFT;
    }
}

// Stands in for the screen device context: a canvas that can measure at any time.
TCanvas* MeasuringCanvas()
{
    static TBitmap* bitmap = [] {
        auto* b = new TBitmap;
        b->SetSize(1, 1);
        return b;
    }();
    return bitmap->Canvas();
}

} // namespace

int DrawShadowText(TCanvas* Canvas, const String& Str, TRect& Rect, unsigned Format, int ShadowSize,
                   TColor ShadowRGB, TShadowPosition ShadowPos)
{
    TRect textRect = Rect;
    TRect shadowRect = Rect;
    const TColor textColor = Canvas->Font()->Color();
    Canvas->Font()->SetColor(ShadowRGB);
    switch (ShadowPos) {
    case spLeftTop: OffsetRect(shadowRect, -ShadowSize, -ShadowSize); break;
    case spLeftBottom: OffsetRect(shadowRect, -ShadowSize, ShadowSize); break;
    case spRightBottom: OffsetRect(shadowRect, ShadowSize, ShadowSize); break;
    case spRightTop: OffsetRect(shadowRect, ShadowSize, -ShadowSize); break;
    }
    int result = Canvas->DrawText(Str, shadowRect, Format);
    if (result > 0)
        result += ShadowSize;
    Canvas->Font()->SetColor(textColor);
    Canvas->DrawText(Str, textRect, Format);
    Rect = UnionRect(textRect, shadowRect);
    return result;
}

// ---- TVtCustomLabel -------------------------------------------------------------------------

TVtCustomLabel::TVtCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    TControlStyle style = ControlStyle();
    style << csOpaque << csReplicatable;
    SetControlStyle(style);
    SetBounds(Left(), Top(), 65, 17);
}

void TVtCustomLabel::SetFocusControl(TWinControl* Value)
{
    FFocusControl = Value;
    if (Value)
        Value->FreeNotification(this);
    if (FShowFocus)
        Invalidate();
}

void TVtCustomLabel::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    Invalidate();
}

void TVtCustomLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
}

void TVtCustomLabel::SetLayout(TTextLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    Invalidate();
}

void TVtCustomLabel::SetShadowColor(TColor Value)
{
    if (Value == FShadowColor)
        return;
    FShadowColor = Value;
    Invalidate();
}

void TVtCustomLabel::SetShadowSize(int Value)
{
    if (Value == FShadowSize)
        return;
    FShadowSize = std::clamp(Value, 0, 255);
    AdjustBounds();
    Invalidate();
}

void TVtCustomLabel::SetShadowPos(TShadowPosition Value)
{
    if (Value == FShadowPos)
        return;
    FShadowPos = Value;
    Invalidate();
}

void TVtCustomLabel::SetWordWrap(bool Value)
{
    if (Value == FWordWrap)
        return;
    FWordWrap = Value;
    AdjustBounds();
}

void TVtCustomLabel::SetShowAccelChar(bool Value)
{
    if (Value == FShowAccelChar)
        return;
    FShowAccelChar = Value;
    Invalidate();
}

void TVtCustomLabel::SetShowFocus(bool Value)
{
    if (Value == FShowFocus)
        return;
    FShowFocus = Value;
    Invalidate();
}

void TVtCustomLabel::SetLeftMargin(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FLeftMargin)
        return;
    FLeftMargin = Value;
    AdjustBounds();
    Invalidate();
}

void TVtCustomLabel::SetRightMargin(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FRightMargin)
        return;
    FRightMargin = Value;
    AdjustBounds();
    Invalidate();
}

void TVtCustomLabel::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    TControlStyle style = ControlStyle();
    if (Value)
        style >> csOpaque;
    else
        style << csOpaque;
    SetControlStyle(style);
    Invalidate();
}

TColor TVtCustomLabel::GetDefaultFontColor() const { return Font()->Color(); }

String TVtCustomLabel::GetLabelCaption() const { return Caption(); }

unsigned TVtCustomLabel::WordWrapFlag() const { return FWordWrap ? DT_WORDBREAK : 0u; }

TRect TVtCustomLabel::TextRectWithMargins() const
{
    TRect r = ClientRect();
    r.Left += FLeftMargin + 1;
    r.Right -= FRightMargin + 1;
    return r;
}

void TVtCustomLabel::DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags)
{
    String text = GetLabelCaption();
    // An empty label still measures one line high.
    if (((Flags & DT_CALCRECT) && text.empty()) || (FShowAccelChar && text == "&"))
        text += ' ';
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    Canvas->SetFont(Font());
    Canvas->Font()->SetColor(GetDefaultFontColor());
    TShadowPosition shadowPos = FShadowPos;
    int shadowSize = FShadowSize;
    TColor shadowColor = FShadowColor;
    if (!Enabled()) {
        // Embossed: grey text over a highlight shadow.
        if (shadowSize == 0) {
            shadowPos = spRightBottom;
            shadowSize = 1;
        }
        Canvas->Font()->SetColor(clGrayText);
        shadowColor = clBtnHighlight;
    }
    DrawShadowText(Canvas, text, Rect, Flags, shadowSize, ColorToRGB(shadowColor), shadowPos);
}

void TVtCustomLabel::Paint()
{
    const bool designing = ComponentState().Contains(csDesigning);
    if (!Enabled() && !designing)
        FDragClicking = false;
    TCanvas* canvas = Canvas();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect r = TextRectWithMargins();
    const unsigned flags = DT_EXPANDTABS | WordWrapFlag() | AlignmentFlag(FAlignment);
    if (FLayout != tlTop) {
        DoDrawText(canvas, r, flags | DT_CALCRECT);
        r.Left = ClientRect().Left + FLeftMargin;
        r.Right = ClientRect().Right - FRightMargin;
        const int room = Height() - r.Bottom;
        OffsetRect(r, 0, FLayout == tlBottom ? room : room / 2);
    }
    DoDrawText(canvas, r, flags);
    if (FShowFocus && FFocusControl && FFocusActive && !designing) {
        r = Rect(r.Left - 1, r.Top, r.Right + 1, r.Bottom);
        canvas->Brush()->SetColor(Color());
        canvas->DrawFocusRect(r);
    }
}

void TVtCustomLabel::AdjustBounds()
{
    if (!FAutoSize || ComponentState().Contains(csLoading))
        return;
    TRect r = TextRectWithMargins();
    DoDrawText(MeasuringCanvas(), r, DT_EXPANDTABS | WordWrapFlag() | DT_CALCRECT);
    r.Left -= FLeftMargin + 1;
    r.Right += FRightMargin + 1;
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TVtCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

// ---- mouse tracking -------------------------------------------------------------------------

void TVtCustomLabel::SetTracking(bool Inside)
{
    if (Inside == FMouseInControl)
        return;
    FMouseInControl = Inside;
    if (Inside) {
        if (OnMouseEnter)
            OnMouseEnter(this);
    } else if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TVtCustomLabel::UpdateTracking()
{
    SetTracking(Enabled() && FCursorOver && IsForegroundTask());
}

void TVtCustomLabel::MouseEnter()
{
    FCursorOver = true;
    if (!FMouseInControl && Enabled() && IsForegroundTask())
        SetTracking(true);
}

void TVtCustomLabel::MouseLeave()
{
    FCursorOver = false;
    if (FMouseInControl && Enabled() && !FDragClicking)
        SetTracking(false);
}

void TVtCustomLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled())
        FDragClicking = true;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbRight)
        UpdateTracking();
}

void TVtCustomLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) {
        FDragClicking = false;
        FCursorOver = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    }
    UpdateTracking();
}

void TVtCustomLabel::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
    UpdateTracking();
    Invalidate();
}

void TVtCustomLabel::VisibleChanged()
{
    TGraphicControl::VisibleChanged();
    if (Visible())
        UpdateTracking();
}

void TVtCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
    Invalidate();
}

void TVtCustomLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
    Invalidate();
}

// ---- messages -------------------------------------------------------------------------------

void TVtCustomLabel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); if (Message.Result) return; break;
    default: break;
    }
    TGraphicControl::WndProc(Message);
}

void TVtCustomLabel::CMFocusChanged(TMessage& Message)
{
    const auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    const bool active = FFocusControl && FFocusControl == focused;
    if (active == FFocusActive)
        return;
    FFocusActive = active;
    if (FShowFocus)
        Invalidate();
}

void TVtCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(Message.WParam), GetLabelCaption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

TVtLabel::TVtLabel(TComponent* AOwner) : TVtCustomLabel(AOwner)
{
    SetParentColor(true);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TShadowPosition> kShadowPosition{
    "TShadowPosition", {"spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop"}};
const vt::ClassRegistration<TVtCustomLabel, TGraphicControl> kVtCustomLabel{
    "TVtCustomLabel",
    {
        vt::Published("Alignment", &TVtCustomLabel::Alignment, &TVtCustomLabel::SetAlignment),
        vt::Published("AutoSize", &TVtCustomLabel::AutoSize, &TVtCustomLabel::SetAutoSize),
        vt::Published("Caption", &TVtCustomLabel::Caption, &TVtCustomLabel::SetCaption),
        vt::Published("FocusControl", &TVtCustomLabel::FocusControl, &TVtCustomLabel::SetFocusControl),
        vt::Published("Layout", &TVtCustomLabel::Layout, &TVtCustomLabel::SetLayout),
        vt::Published("ShadowColor", &TVtCustomLabel::ShadowColor, &TVtCustomLabel::SetShadowColor),
        vt::Published("ShadowSize", &TVtCustomLabel::ShadowSize, &TVtCustomLabel::SetShadowSize),
        vt::Published("ShadowPos", &TVtCustomLabel::ShadowPos, &TVtCustomLabel::SetShadowPos),
        vt::Published("ShowAccelChar", &TVtCustomLabel::ShowAccelChar, &TVtCustomLabel::SetShowAccelChar),
        vt::Published("ShowFocus", &TVtCustomLabel::ShowFocus, &TVtCustomLabel::SetShowFocus),
        vt::Published("Transparent", &TVtCustomLabel::Transparent, &TVtCustomLabel::SetTransparent),
        vt::Published("WordWrap", &TVtCustomLabel::WordWrap, &TVtCustomLabel::SetWordWrap),
    }};
const vt::ClassRegistration<TVtLabel, TVtCustomLabel> kVtLabel{"TVtLabel", {}};
}  // namespace
