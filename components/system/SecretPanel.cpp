// The scrolling panel: playing and stopping with its hidden children, the layout of glyph and
// text, the scroll range, and the off-screen image each tick draws. Ticks come from the timer's
// worker and are handed to the GUI thread, the only one that may draw.
#include "components/system/SecretPanel.h"

#include <algorithm>

#include "components/common/vtGuiutils.h"
#include "rtl/StrUtils.h"
#include "rtl/TypInfo.h"
#include "ui/kernel/WinApi.h"

namespace {
constexpr int kMargin = 3;  // between frame, glyph and text

bool IsBlank(const String& Line) { return Trim(Line).empty(); }
}  // namespace

TSecretPanel::TSecretPanel(TComponent* AOwner)
    : TCustomPanel(AOwner), FLines(new TStringList), FTimer(new TVtTimer(this)), FGlyph(new TBitmap)
{
    SetControlStyle(ControlStyle() >> csSetCaption);
    FLines->OnChange = [this](TObject*) { ContentChanged(true); };
    FGlyph->OnChange = [this](TObject*) { ContentChanged(false); };
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer([this](TObject*) { HandOverTick(); });
    FTimer->SetInterval(30);
    SetAsyncDrawing(true);
}

// Marked as being destroyed first, so that a tick the worker hands over while the timer is
// going finds the panel so and is dropped.
TSecretPanel::~TSecretPanel()
{
    Destroying();
    SetActive(false);
    delete FTimer;
    FGlyph->OnChange = nullptr;
    FLines->OnChange = nullptr;
    delete FGlyph;
    delete FLines;
    delete FMemoryImage;
}

void TSecretPanel::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    FScrollCnt = 0;
    if (Value) {
        UpdateMemoryImage();
        FTimer->SetEnabled(true);
        StartPlay();
    } else {
        FTimer->SetEnabled(false);
        delete FMemoryImage;
        FMemoryImage = nullptr;
        StopPlay();
    }
    // The children of a panel being destroyed may be gone already.
    if (ComponentState().Contains(csDestroying))
        return;
    if (Value)
        HideChildren();
    else
        ShowChildren();
    Invalidate();
}

void TSecretPanel::HideChildren()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible())
            continue;
        FHiddenList.push_back(child);
        if (!ComponentState().Contains(csDesigning))
            child->Hide();
    }
}

// Only the children the play hid come back.
void TSecretPanel::ShowChildren()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (std::find(FHiddenList.begin(), FHiddenList.end(), child) == FHiddenList.end())
            continue;
        child->Show();
        child->Invalidate();
    }
    FHiddenList.clear();
}

void TSecretPanel::StartPlay()
{
    if (OnStartPlay)
        OnStartPlay(this);
}

void TSecretPanel::StopPlay()
{
    if (OnStopPlay)
        OnStopPlay(this);
}

void TSecretPanel::SetGlyphLayout(TGlyphLayout Value)
{
    if (Value == FGlyphLayout)
        return;
    FGlyphLayout = Value;
    ContentChanged(false);
}

void TSecretPanel::SetTextStyle(TBevelCut Value)
{
    if (Value == FTextStyle)
        return;
    FTextStyle = Value;
    ContentChanged(false);
}

void TSecretPanel::SetScrollDirection(TScrollDirection Value)
{
    if (Value == FScrollDirection)
        return;
    FScrollDirection = Value;
    ContentChanged(true);
}

void TSecretPanel::ContentChanged(bool ResetPosition)
{
    if (ResetPosition)
        FScrollCnt = 0;
    if (!FActive)
        return;
    UpdateMemoryImage();
    Invalidate();
}

void TSecretPanel::AlignControls(TControl* AControl, TRect& Rect)
{
    TCustomPanel::AlignControls(AControl, Rect);
    ContentChanged(false);
}

void TSecretPanel::Resize()
{
    TCustomPanel::Resize();
    ContentChanged(false);
}

void TSecretPanel::FontChanged()
{
    TCustomPanel::FontChanged();
    ContentChanged(false);
}

void TSecretPanel::ColorChanged()
{
    TCustomPanel::ColorChanged();
    ContentChanged(false);
}

// The paint rectangle lies inside border and bevels, the text 3 pixels further in and beside the
// glyph; scrolling sideways, the block of lines is centred vertically.
void TSecretPanel::RecalcDrawRect()
{
    FPaintRect = ClientRect();
    AdjustClientRect(FPaintRect);
    FTxtRect = Rect(FPaintRect.Left + kMargin, FPaintRect.Top + kMargin, FPaintRect.Right - kMargin,
                    FPaintRect.Bottom - kMargin);
    if (!FGlyph->Empty()) {
        const int width = FGlyph->Width(), height = FGlyph->Height();
        const int middleY = std::max(FTxtRect.Top, (FTxtRect.Top + FTxtRect.Bottom - height) / 2);
        const int middleX = (FTxtRect.Left + FTxtRect.Right - width) / 2;
        switch (FGlyphLayout) {
        case glGlyphLeft:
            FGlyphOrigin = Point(FTxtRect.Left, middleY);
            FTxtRect.Left = FGlyphOrigin.X + width + kMargin;
            break;
        case glGlyphRight:
            FGlyphOrigin = Point(FTxtRect.Right - width, middleY);
            FTxtRect.Right = FGlyphOrigin.X - kMargin;
            break;
        case glGlyphTop:
            FGlyphOrigin = Point(middleX, FTxtRect.Top);
            FTxtRect.Top = FGlyphOrigin.Y + height + kMargin;
            break;
        case glGlyphBottom:
            FGlyphOrigin = Point(middleX, FTxtRect.Bottom - height);
            FTxtRect.Bottom = FGlyphOrigin.Y - kMargin;
            break;
        }
    }
    if (FScrollDirection == sdHorizontal) {
        int last = FLines->Count() - 1;
        while (last >= FFirstLine && IsBlank(FLines->Strings(last)))
            --last;
        const int block = (last - FFirstLine + 1) * FLineHeight;
        if (block > 0 && block < FTxtRect.Height()) {
            FTxtRect.Top += (FTxtRect.Height() - block) / 2;
            FTxtRect.Bottom = FTxtRect.Top + block;
        }
    }
    if (FTxtRect.Width() <= 0 || FTxtRect.Height() <= 0)
        FTxtRect = TRect{};
}

// Leading blank lines are not scrolled; the text scrolls until it has passed the text rectangle.
void TSecretPanel::UpdateMemoryImage()
{
    FFirstLine = 0;
    while (FFirstLine < FLines->Count() && IsBlank(FLines->Strings(FFirstLine)))
        ++FFirstLine;
    if (!FMemoryImage)
        FMemoryImage = new TBitmap;
    TCanvas* canvas = FMemoryImage->Canvas();
    canvas->Font()->Assign(Font());
    FLineHeight = canvas->TextHeight("W") + (FTextStyle != bvNone ? 1 : 0);
    RecalcDrawRect();
    if (FScrollDirection == sdVertical)
        FMaxScroll = FTxtRect.Height() + (FLines->Count() - FFirstLine) * FLineHeight;
    else
        FMaxScroll = WidestLine(canvas) + FTxtRect.Width();
    FMemoryImage->SetSize(FTxtRect.Width(), FTxtRect.Height());
    DrawMemoryImage();
}

int TSecretPanel::WidestLine(TCanvas* Canvas) const
{
    int widest = 0;
    for (int i = FFirstLine; i < FLines->Count(); ++i)
        widest = std::max(widest, Canvas->TextWidth(FLines->Strings(i)));
    return widest;
}

void TSecretPanel::TimerExpired(TObject* Sender)
{
    if (FScrollCnt < FMaxScroll) {
        ++FScrollCnt;
        PaintText();
    } else if (!FCycled) {
        FTimer->Synchronize([this] { Stop(); });
    } else {
        FScrollCnt = 0;
        PaintText();
    }
}

// Runs where the timer ticks, on the worker by default: the tick goes to the GUI thread. While
// one waits there the next ones are dropped rather than piled up, and one that arrives after the
// play stopped or the destruction began is dropped as well.
void TSecretPanel::HandOverTick()
{
    if (FTickHandedOver.exchange(true))
        return;
    FTimer->Queue([this] {
        FTickHandedOver = false;
        if (FActive && !ComponentState().Contains(csDestroying))
            TimerExpired(FTimer);
    });
}

// The image covers the text rectangle: the client background shifted under it, then the lines
// at the scroll position.
void TSecretPanel::DrawMemoryImage()
{
    if (!FMemoryImage || FLines->Count() == 0 || FTxtRect.Width() == 0)
        return;
    TCanvas* canvas = FMemoryImage->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    PaintClient(canvas, Rect(FPaintRect.Left - FTxtRect.Left, FPaintRect.Top - FTxtRect.Top,
                             FPaintRect.Right - FTxtRect.Left, FPaintRect.Bottom - FTxtRect.Top));
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    const int width = FTxtRect.Width(), height = FTxtRect.Height();
    TRect line = Rect(0, 0, width, FLineHeight);
    if (FScrollDirection == sdVertical) {
        line.Top = height - FScrollCnt;
    } else if (UseRightToLeftReading()) {
        line.Right = FScrollCnt;
        line.Left = line.Right - WidestLine(canvas);
    } else {
        line.Left = width - FScrollCnt;
        line.Right = line.Left + WidestLine(canvas);
    }
    line.Bottom = line.Top + FLineHeight;
    const unsigned flags = DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP
                           | (Alignment() == taRightJustify ? DT_RIGHT
                              : Alignment() == taCenter   ? DT_CENTER
                                                          : DT_LEFT);
    // One blank line follows the last, so that the text leaves the rectangle entirely.
    for (int i = FFirstLine; i <= FLines->Count() && line.Top < height; ++i) {
        const String text = i < FLines->Count() ? FLines->Strings(i) : String(" ");
        if (line.Bottom > 0) {
            if (FTextStyle == bvLowered || FTextStyle == bvRaised) {
                const int shift = FTextStyle == bvLowered ? 1 : -1;
                TRect highlight = Rect(line.Left + shift, line.Top + shift, line.Right + shift, line.Bottom + shift);
                canvas->Font()->SetColor(clBtnHighlight);
                canvas->DrawText(text, highlight, flags);
                canvas->Font()->SetColor(Font()->Color());
            }
            TRect place = line;
            canvas->DrawText(text, place, flags);
        }
        line.Top += FLineHeight;
        line.Bottom += FLineHeight;
    }
}

// The panel shows the image in its next paint; only the text rectangle is repainted.
void TSecretPanel::PaintText()
{
    DrawMemoryImage();
    if (HandleAllocated() && FTxtRect.Width() > 0)
        InvalidateRect(Handle(), &FTxtRect, false);
}

void TSecretPanel::PaintClient(TCanvas* Canvas, const TRect& Rect)
{
    if (OnPaintClient)
        OnPaintClient(this, Canvas, Rect);
    else
        Canvas->FillRect(Rect);
}

void TSecretPanel::PaintGlyph()
{
    if (!FGlyph->Empty())
        DrawBitmapTransparent(Canvas(), FGlyphOrigin.X, FGlyphOrigin.Y, FGlyph, FGlyph->TransparentColor() & ~0x02000000);
}

// The frame, then the client background; while active the glyph and the text as the last tick
// drew it.
void TSecretPanel::Paint()
{
    TCustomPanel::Paint();
    RecalcDrawRect();
    TCanvas* canvas = Canvas();
    canvas->IntersectClipRect(FPaintRect);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    PaintClient(canvas, FPaintRect);
    canvas->RestoreClipRect();
    if (!FActive)
        return;
    PaintGlyph();
    if (FMemoryImage && FLines->Count() > 0 && FTxtRect.Width() > 0)
        canvas->Draw(FTxtRect.Left, FTxtRect.Top, FMemoryImage);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TScrollDirection> kScrollDirection{"TScrollDirection", {"sdVertical", "sdHorizontal"}};
const vt::EnumRegistration<TGlyphLayout> kGlyphLayout{
    "TGlyphLayout", {"glGlyphLeft", "glGlyphRight", "glGlyphTop", "glGlyphBottom"}};
const vt::ClassRegistration<TSecretPanel, TCustomPanel> kSecretPanel{
    "TSecretPanel",
    {
        vt::Published("Active", &TSecretPanel::Active, &TSecretPanel::SetActive),
        vt::Published("Lines", &TSecretPanel::Lines, &TSecretPanel::SetLines),
        vt::Published("Cycled", &TSecretPanel::Cycled, &TSecretPanel::SetCycled),
        vt::Published("Interval", &TSecretPanel::Interval, &TSecretPanel::SetInterval),
        vt::Published("Glyph", &TSecretPanel::Glyph, &TSecretPanel::SetGlyph),
        vt::Published("GlyphLayout", &TSecretPanel::GlyphLayout, &TSecretPanel::SetGlyphLayout),
        vt::Published("TextStyle", &TSecretPanel::TextStyle, &TSecretPanel::SetTextStyle),
        vt::Published("ScrollDirection", &TSecretPanel::ScrollDirection, &TSecretPanel::SetScrollDirection),
        vt::Published("AsyncDrawing", &TSecretPanel::AsyncDrawing, &TSecretPanel::SetAsyncDrawing),
    }};
}  // namespace
