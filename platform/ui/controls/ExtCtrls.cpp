// Panels, bevels, paint boxes, images, radio groups and timers.
#include "ui/controls/ExtCtrls.h"
#include "rtl/TypInfo.h"

#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "ui/kernel/Controls_p.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    TPen* pen = Canvas->Pen();
    const TColor saved = pen->Color();
    const int savedWidth = pen->Width();
    pen->SetWidth(1);
    Rect.Bottom -= 1;
    Rect.Right -= 1;
    for (int i = 0; i < Width; ++i) {
        pen->SetColor(TopColor);
        Canvas->Polyline({Point(Rect.Left, Rect.Bottom), Point(Rect.Left, Rect.Top), Point(Rect.Right, Rect.Top)});
        pen->SetColor(BottomColor);
        Canvas->Polyline({Point(Rect.Right, Rect.Top), Point(Rect.Right, Rect.Bottom), Point(Rect.Left - 1, Rect.Bottom)});
        Rect.Left += 1;
        Rect.Top += 1;
        Rect.Right -= 1;
        Rect.Bottom -= 1;
    }
    Rect.Bottom += 1;
    Rect.Right += 1;
    pen->SetColor(saved);
    pen->SetWidth(savedWidth);
}

// ---------------------------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() << csAcceptsControls << csOpaque);
    SetColor(clBtnFace);
    Widget()->setAutoFillBackground(true);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::BordersChanged()
{
    Realign();
    Invalidate();
}

#define VT_PANEL_SETTER(Name, Type, Field) \
    void TCustomPanel::Set##Name(Type v)   \
    {                                      \
        if (Field == v)                    \
            return;                        \
        Field = v;                         \
        BordersChanged();                  \
    }
VT_PANEL_SETTER(BevelInner, TBevelCut, FBevelInner)
VT_PANEL_SETTER(BevelOuter, TBevelCut, FBevelOuter)
VT_PANEL_SETTER(BevelWidth, TBevelWidth, FBevelWidth)
VT_PANEL_SETTER(BorderWidth, int, FBorderWidth)
VT_PANEL_SETTER(BorderStyle, TBorderStyle, FBorderStyle)
VT_PANEL_SETTER(Alignment, TAlignment, FAlignment)
#undef VT_PANEL_SETTER

void TCustomPanel::AdjustClientRect(TRect& Rect) const
{
    int inset = FBorderWidth + (FBorderStyle == bsSingle ? 1 : 0);
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    Rect.Left += inset;
    Rect.Top += inset;
    Rect.Right -= inset;
    Rect.Bottom -= inset;
}

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const bool raised = cut == bvRaised;
        Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    if (FBorderStyle == bsSingle)
        Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
    bevel(FBevelOuter);
    Frame3D(canvas, r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    const unsigned align = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas->DrawText(Caption(), r, align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

// ---------------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() << csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v)
{
    FShape = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v)
{
    FStyle = v;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* canvas = Canvas();
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(c);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    switch (FShape) {
    case bsBox: {
        TRect r = ClientRect();
        Frame3D(canvas, r, first, second, 1);
        break;
    }
    case bsFrame: {
        TRect r = Rect(0, 0, w - 1, h - 1);
        Frame3D(canvas, r, first, first, 1);
        r = Rect(1, 1, w, h);
        Frame3D(canvas, r, second, second, 1);
        break;
    }
    case bsTopLine: line(first, 0, 0, w, 0), line(second, 0, 1, w, 1); break;
    case bsBottomLine: line(first, 0, h - 2, w, h - 2), line(second, 0, h - 1, w, h - 1); break;
    case bsLeftLine: line(first, 0, 0, 0, h), line(second, 1, 0, 1, h); break;
    case bsRightLine: line(first, w - 2, 0, w - 2, h), line(second, w - 1, 0, w - 1, h); break;
    case bsSpacer: break;
    }
}

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() << csReplicatable);
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture)
{
    SetControlStyle(ControlStyle() << csReplicatable);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { delete FPicture; }

TCanvas* TImage::Canvas()
{
    TBitmap* bitmap = FPicture->Bitmap();
    if (bitmap->Empty())
        bitmap->SetSize(Width(), Height());
    return bitmap->Canvas();
}

void TImage::PictureChanged()
{
    if (TGraphic* g = FPicture->Graphic()) {
        if (FTransparent != g->Transparent() && !dynamic_cast<TBitmap*>(g))
            g->SetTransparent(FTransparent);
        if (FAutoSize && g->Width() > 0 && g->Height() > 0)
            SetBounds(Left(), Top(), g->Width(), g->Height());
    }
    Invalidate();
}

#define VT_IMAGE_SETTER(Name, Field) \
    void TImage::Set##Name(bool v)   \
    {                                \
        if (Field == v)              \
            return;                  \
        Field = v;                   \
        PictureChanged();            \
    }
VT_IMAGE_SETTER(Stretch, FStretch)
VT_IMAGE_SETTER(Center, FCenter)
VT_IMAGE_SETTER(Proportional, FProportional)
VT_IMAGE_SETTER(AutoSize, FAutoSize)
#undef VT_IMAGE_SETTER

void TImage::SetTransparent(bool v)
{
    if (FTransparent == v)
        return;
    FTransparent = v;
    if (TGraphic* g = FPicture->Graphic())
        g->SetTransparent(v);
    Invalidate();
}

TRect TImage::DestRect() const
{
    const int pw = FPicture->Width(), ph = FPicture->Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    int w = pw, h = ph;
    if (FStretch || (FProportional && (pw > cw || ph > ch))) {
        if (FProportional && pw > 0 && ph > 0) {
            if (static_cast<long>(cw) * ph > static_cast<long>(ch) * pw) {
                h = ch;
                w = ch * pw / ph;
            } else {
                w = cw;
                h = cw * ph / pw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) {
        r.Left = (cw - w) / 2;
        r.Top = (ch - h) / 2;
        r.Right = r.Left + w;
        r.Bottom = r.Top + h;
    }
    return r;
}

void TImage::Paint()
{
    if (TGraphic* g = FPicture->Graphic())
        TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
}

// ---------------------------------------------------------------------------------------------
// TCustomRadioGroup

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(new TStringList)
{
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    for (TRadioButton* b : FButtons)
        delete b;
    delete FItems;
}

void TCustomRadioGroup::ItemsChanged()
{
    while (static_cast<int>(FButtons.size()) > FItems->Count()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (static_cast<int>(FButtons.size()) < FItems->Count()) {
        auto* button = new TRadioButton(nullptr);
        const int index = static_cast<int>(FButtons.size());
        button->OnClick = [this, index](TObject*) {
            FItemIndex = index;
            Click();
        };
        button->SetParent(this);
        FButtons.push_back(button);
    }
    for (int i = 0; i < FItems->Count(); ++i)
        FButtons[i]->SetCaption(FItems->Strings(i));
    SetItemIndex(FItemIndex);  // an index past the items is dropped
    ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    FItemIndex = v;
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[i]->SetChecked(i == v);
}

void TCustomRadioGroup::SetColumns(int v)
{
    v = std::clamp(v, 1, 16);
    if (FColumns == v)
        return;
    FColumns = v;
    ArrangeButtons();
}

// Buttons fill the columns top to bottom, in equal cells below the caption.
void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty())
        return;
    const int count = ButtonCount();
    const int perColumn = (count + FColumns - 1) / FColumns;
    const int buttonWidth = (Width() - 10) / FColumns;
    const int textHeight = Canvas()->TextHeight("0");
    const int room = Height() - textHeight - 5;
    const int buttonHeight = room / perColumn;
    const int topMargin = textHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        FButtons[i]->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin,
                               buttonWidth, buttonHeight);
}

void TCustomRadioGroup::WndProc(TMessage& Message)
{
    TCustomGroupBox::WndProc(Message);
    if (Message.Msg == WM_SIZE || Message.Msg == CM_FONTCHANGED)
        ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    vt::EnsureQtApplication();
    FTimer = new QTimer;
    QObject::connect(FTimer, &QTimer::timeout, [this] {
        try {
            if (OnTimer)
                OnTimer(this);
        } catch (...) {
            Application->HandleException(this);
        }
    });
    UpdateTimer();
}

TTimer::~TTimer() { delete FTimer; }

void TTimer::SetEnabled(bool v)
{
    if (FEnabled == v)
        return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v)
{
    if (FInterval == v)
        return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0)
        FTimer->start(static_cast<int>(FInterval));
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TBevelCut> kBevelCut{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
const vt::ClassRegistration<TCustomPanel, TCustomControl> kCustomPanel{
    "TCustomPanel",
    {
        vt::Published("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption),
        vt::Published("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner),
        vt::Published("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter),
        vt::Published("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
        vt::Published("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
        vt::Published("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle),
        vt::Published("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment),
        vt::Published("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint),
    }};
const vt::ClassRegistration<TPanel, TCustomPanel> kPanel{"TPanel", {}};
const vt::ClassRegistration<TTimer, TComponent> kTimer{
    "TTimer",
    {
        vt::Published("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
        vt::Published("Interval", &TTimer::Interval, &TTimer::SetInterval),
    }};
}  // namespace

namespace {
const vt::EnumRegistration<TBevelShape> kBevelShape{
    "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
const vt::EnumRegistration<TBevelStyle> kBevelStyle{"TBevelStyle", {"bsLowered", "bsRaised"}};
const vt::ClassRegistration<TBevel, TGraphicControl> kBevel{
    "TBevel",
    {
        vt::Published("Shape", &TBevel::Shape, &TBevel::SetShape),
        vt::Published("Style", &TBevel::Style, &TBevel::SetStyle),
    }};
const vt::ClassRegistration<TPaintBox, TGraphicControl> kPaintBox{"TPaintBox", {}};
const vt::ClassRegistration<TImage, TGraphicControl> kImage{
    "TImage",
    {
        vt::Published("Picture", &TImage::Picture, &TImage::SetPicture),
        vt::Published("Stretch", &TImage::Stretch, &TImage::SetStretch),
        vt::Published("Center", &TImage::Center, &TImage::SetCenter),
        vt::Published("Proportional", &TImage::Proportional, &TImage::SetProportional),
        vt::Published("Transparent", &TImage::Transparent, &TImage::SetTransparent),
        vt::Published("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize),
    }};
const vt::ClassRegistration<TCustomRadioGroup, TCustomGroupBox> kCustomRadioGroup{
    "TCustomRadioGroup",
    {
        vt::Published("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems),
        vt::Published("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
        vt::Published("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns),
    }};
const vt::ClassRegistration<TRadioGroup, TCustomRadioGroup> kRadioGroup{"TRadioGroup", {}};
}  // namespace
