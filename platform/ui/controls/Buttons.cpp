// TBitBtn: the kinds' captions and roles, and the glyph's first cell shown as the button icon.
#include "ui/controls/Buttons.h"
#include "rtl/TypInfo.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include "ui/forms/Forms.h"

namespace {
struct KindDefaults {
    const char* caption;
    int modalResult;
    bool isDefault;
    bool isCancel;
};
constexpr KindDefaults kKinds[] = {
    {"", mrNone, false, false},          {"OK", mrOk, true, false},         {"Cancel", mrCancel, false, true},
    {"&Help", mrNone, false, false},     {"&Yes", mrYes, true, false},      {"&No", mrNo, false, true},
    {"&Close", mrNone, false, false},    {"Abort", mrAbort, false, true},   {"&Retry", mrRetry, false, false},
    {"&Ignore", mrIgnore, false, false}, {"&All", mrAll, true, false},
};
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(new TBitmap)
{
    FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
}

TBitBtn::~TBitBtn() { delete FGlyph; }

void TBitBtn::SetKind(TBitBtnKind v)
{
    FKind = v;
    if (v == bkCustom)
        return;
    const KindDefaults& d = kKinds[v];
    SetCaption(d.caption);
    SetModalResult(d.modalResult);
    SetDefault(d.isDefault);
    SetCancel(d.isCancel);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs v)
{
    FNumGlyphs = std::clamp(v, 1, 4);
    GlyphChanged();
}

void TBitBtn::SetLayout(TButtonLayout v)
{
    FLayout = v;
    Widget()->setLayoutDirection(v == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

// The strip holds NumGlyphs cells (up, disabled, down, held); the first is the icon, drawn
// with the bitmap's transparent colour left out.
void TBitBtn::GlyphChanged()
{
    auto* button = static_cast<QPushButton*>(Widget());
    if (FGlyph->Empty()) {
        button->setIcon(QIcon());
        return;
    }
    const int cell = FGlyph->Width() / FNumGlyphs;
    QImage image = FGlyph->Image().copy(0, 0, cell, FGlyph->Height()).convertToFormat(QImage::Format_ARGB32);
    const TColor key = FGlyph->TransparentColor() & ~PaletteRelativeFlag;
    const QRgb transparent = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == transparent)
                image.setPixel(x, y, 0);
    button->setIcon(QIcon(QPixmap::fromImage(image)));
    button->setIconSize(image.size());
}

void TBitBtn::Click()
{
    if (FKind == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            if (OnClick)
                OnClick(this);
            return;
        }
    }
    TButton::Click();
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TButtonLayout> kButtonLayout{
    "TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
const vt::EnumRegistration<TButtonStyle> kButtonStyle{"TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"}};
const vt::EnumRegistration<TBitBtnKind> kBitBtnKind{
    "TBitBtnKind",
    {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
const vt::ClassRegistration<TBitBtn, TButton> kBitBtn{
    "TBitBtn",
    {
        vt::Published("Kind", &TBitBtn::Kind, &TBitBtn::SetKind),
        vt::Published("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
        vt::Published("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
        vt::Published("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout),
        vt::Published("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
        vt::Published("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
        vt::Published("Style", &TBitBtn::Style, &TBitBtn::SetStyle),
    }};
}  // namespace
