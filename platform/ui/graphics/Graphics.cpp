// Colours, fonts, pens, brushes and the canvas over QPainter; the bitmap with its own BMP reader
// and writer (so that bit count, palette and header survive a round trip), icons, and the picture
// class with its registry of graphic formats by extension and clipboard format.
#include "ui/graphics/Graphics.h"
#include "rtl/TypInfo.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <map>

#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/Streams.h"
#include "ui/graphics/BmpFile.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/Controls_p.h"

namespace {

// The classic Windows colour scheme, indexed by COLOR_xxx.
constexpr TColor kSystemColors[] = {
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,
};

QRgb ToRgb(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

std::vector<std::uint8_t> ReadRest(TStream* stream)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size() - stream->Position()));
    if (!bytes.empty())
        stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return bytes;
}

void WriteAll(TStream* stream, const std::vector<std::uint8_t>& bytes)
{
    if (!bytes.empty())
        stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

}  // namespace

TColor ColorToRGB(TColor color)
{
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color;
}

int GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kSystemColors)))
        return 0;
    return kSystemColors[index];
}

// ---------------------------------------------------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source)
{
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (*this == *f)
            return;
        FName = f->FName;
        FSize = f->FSize;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        FOrientation = f->FOrientation;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetOrientation(int v)
{
    if (v == FOrientation)
        return;
    FOrientation = v;
    Changed();
}

bool TFont::operator==(const TFont& o) const
{
    return FName == o.FName && FSize == o.FSize && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FPitch == o.FPitch && FOrientation == o.FOrientation;
}

#define VT_SETTER(Class, Name, Type, Field) \
    void Class::Set##Name(Type v)           \
    {                                       \
        if (Field == v)                     \
            return;                         \
        Field = v;                          \
        Changed();                          \
    }

VT_SETTER(TFont, Name, const String&, FName)
VT_SETTER(TFont, Size, int, FSize)
VT_SETTER(TFont, Style, TFontStyles, FStyle)
VT_SETTER(TFont, Color, TColor, FColor)
VT_SETTER(TFont, Charset, TFontCharset, FCharset)
VT_SETTER(TFont, Pitch, TFontPitch, FPitch)
VT_SETTER(TPen, Color, TColor, FColor)
VT_SETTER(TPen, Width, int, FWidth)
VT_SETTER(TPen, Style, TPenStyle, FStyle)
VT_SETTER(TPen, Mode, TPenMode, FMode)
VT_SETTER(TBrush, Color, TColor, FColor)
VT_SETTER(TBrush, Style, TBrushStyle, FStyle)
#undef VT_SETTER

int TFont::Height() const { return -(FSize * FPixelsPerInch + 36) / 72; }

void TFont::SetHeight(int v)
{
    // A negative height is the character height; a positive one includes the internal leading,
    // which we take as a fifth of the cell.
    const int chars = v < 0 ? -v : v * 4 / 5;
    SetSize((chars * 72 + FPixelsPerInch / 2) / FPixelsPerInch);
}

QFont TFont::ToQFont() const
{
    QFont f(vt::ToQString(FName));
    f.setPointSize(std::max(FSize, 1));
    f.setBold(FStyle.Contains(fsBold));
    f.setItalic(FStyle.Contains(fsItalic));
    f.setUnderline(FStyle.Contains(fsUnderline));
    f.setStrikeOut(FStyle.Contains(fsStrikeOut));
    if (FPitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

void TPen::Assign(TPersistent* Source)
{
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

TBrush::~TBrush() { delete FBitmap; }

void TBrush::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        SetBitmap(b->FBitmap);
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetBitmap(TBitmap* v)
{
    delete FBitmap;
    FBitmap = nullptr;
    if (v) {
        FBitmap = new TBitmap;
        FBitmap->Assign(v);
    }
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {}

TCanvas::~TCanvas()
{
    delete FFont;
    delete FPen;
    delete FBrush;
}

void TCanvas::BindPainter(QPainter* painter) { FPainter = painter; }

HDC TCanvas::Handle()
{
    RequirePainter();
    return FPainter;
}

void TCanvas::RequirePainter()
{
    if (!FPainter)
        CreateHandle();
}

TRect TCanvas::ClipRect() const
{
    if (!FPainter || !FPainter->device())
        return TRect{};
    QRect r = FPainter->hasClipping() ? FPainter->clipBoundingRect().toRect()
                                      : QRect(0, 0, FPainter->device()->width(), FPainter->device()->height());
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    if (QPainter* p = Handle()) {
        p->save();
        p->setClipRect(ToQRect(r), Qt::IntersectClip);
    }
}

void TCanvas::RestoreClipRect()
{
    if (QPainter* p = Handle())
        p->restore();
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCanvas::ApplyPen()
{
    if (FPen->Style() == psClear) {
        FPainter->setPen(Qt::NoPen);
    } else {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
        QPen pen(vt::ToQColor(FPen->Color()));
        pen.setWidth(FPen->Width() <= 1 ? 0 : FPen->Width());
        pen.setStyle(styles[FPen->Style()]);
        FPainter->setPen(pen);
    }
    switch (FPen->Mode()) {
    case pmXor: FPainter->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNot: FPainter->setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case pmNotXor: FPainter->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    default: FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
}

void TCanvas::ApplyBrush()
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                            Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern,
                                            Qt::DiagCrossPattern};
    if (FBrush->Bitmap() && !FBrush->Bitmap()->Empty())
        FPainter->setBrush(QBrush(FBrush->Bitmap()->Image()));
    else
        FPainter->setBrush(QBrush(vt::ToQColor(FBrush->Color()), styles[FBrush->Style()]));
}

void TCanvas::ApplyFont() const
{
    FPainter->setFont(FFont->ToQFont());
}

void TCanvas::FillRect(const TRect& r)
{
    RequirePainter();
    if (!FPainter || FBrush->Style() == bsClear)
        return;
    Changing();
    ApplyBrush();
    FPainter->fillRect(ToQRect(r), FPainter->brush());
    Changed();
}

void TCanvas::FrameRect(const TRect& r)
{
    RequirePainter();
    if (!FPainter || r.Width() <= 0 || r.Height() <= 0)
        return;
    Changing();
    const QColor c = vt::ToQColor(FBrush->Color());
    FPainter->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    FPainter->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    FPainter->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    FPainter->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
    Changed();
}

// The class library's shapes exclude the right and bottom edge of their bounding box.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    RequirePainter();
    if (!FPainter)
        return;
    Changing();
    ApplyPen();
    ApplyBrush();
    FPainter->drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    RequirePainter();
    if (!FPainter)
        return;
    ApplyPen();
    ApplyBrush();
    FPainter->drawRoundedRect(QRectF(x1, y1, x2 - x1 - 1, y2 - y1 - 1), x3 / 2.0, y3 / 2.0);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    RequirePainter();
    if (!FPainter)
        return;
    ApplyPen();
    ApplyBrush();
    FPainter->drawEllipse(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    Changed();
}

namespace {
QPolygon ToPolygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    for (const TPoint& p : points)
        poly << QPoint(p.X, p.Y);
    return poly;
}
}  // namespace

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    RequirePainter();
    if (!FPainter)
        return;
    ApplyPen();
    ApplyBrush();
    FPainter->drawPolygon(ToPolygon(points));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    RequirePainter();
    if (!FPainter)
        return;
    ApplyPen();
    FPainter->drawPolyline(ToPolygon(points));
    if (!points.empty())
        FPenPos = points.back();
    Changed();
}

void TCanvas::MoveTo(int x, int y) { FPenPos = Point(x, y); }

// Like the class library, the end point itself is not drawn.
void TCanvas::LineTo(int x, int y)
{
    RequirePainter();
    if (FPainter) {
        ApplyPen();
        const int dx = x - FPenPos.X, dy = y - FPenPos.Y;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        if (steps > 0) {
            const double ex = x - static_cast<double>(dx) / steps;
            const double ey = y - static_cast<double>(dy) / steps;
            FPainter->drawLine(QPointF(FPenPos.X, FPenPos.Y), QPointF(ex, ey));
        }
        Changed();
    }
    FPenPos = Point(x, y);
}

TColor TCanvas::Pixels(int x, int y) const
{
    QImage* image = TargetImage();
    if (!image || !image->valid(x, y))
        return -1;
    return FromRgb(image->pixel(x, y));
}

void TCanvas::SetPixels(int x, int y, TColor c)
{
    QImage* image = TargetImage();
    if (image && image->valid(x, y)) {
        image->setPixel(x, y, ToRgb(c));
        Changed();
        return;
    }
    RequirePainter();
    if (FPainter)
        FPainter->fillRect(x, y, 1, 1, vt::ToQColor(c));
}

void TCanvas::TextOut(int x, int y, const String& text)
{
    RequirePainter();
    if (FPainter) {
        ApplyFont();
        const QFontMetrics fm(FFont->ToQFont());
        const QString s = vt::ToQString(text);
        // A turned font turns the text about its top-left corner.
        FPainter->save();
        FPainter->translate(x, y);
        FPainter->rotate(-FFont->Orientation() / 10.0);
        if (FBrush->Style() != bsClear)
            FPainter->fillRect(QRect(0, 0, fm.horizontalAdvance(s), fm.height()), vt::ToQColor(FBrush->Color()));
        FPainter->setPen(vt::ToQColor(FFont->Color()));
        FPainter->drawText(0, fm.ascent(), s);
        FPainter->restore();
        Changed();
    }
    FPenPos = Point(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    RequirePainter();
    if (!FPainter)
        return;
    FPainter->save();
    FPainter->setClipRect(ToQRect(r), Qt::IntersectClip);
    if (FBrush->Style() != bsClear)
        FPainter->fillRect(ToQRect(r), vt::ToQColor(FBrush->Color()));
    ApplyFont();
    const QFontMetrics fm(FFont->ToQFont());
    FPainter->setPen(vt::ToQColor(FFont->Color()));
    FPainter->drawText(x, y + fm.ascent(), vt::ToQString(text));
    FPainter->restore();
    Changed();
}

int TCanvas::TextWidth(const String& text) const { return TextExtent(text).cx; }
int TCanvas::TextHeight(const String& text) const { return TextExtent(text).cy; }

TSize TCanvas::TextExtent(const String& text) const
{
    const QFontMetrics fm(FFont->ToQFont());
    return TSize{fm.horizontalAdvance(vt::ToQString(text)), fm.height()};
}

namespace {

// "&x" marks an accelerator: the ampersand is dropped (and "&&" is one literal ampersand).
QString StripPrefix(const QString& s, bool keep)
{
    if (keep)
        return s;
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return out;
}

}  // namespace

int TCanvas::DrawText(const String& text, TRect& r, unsigned flags)
{
    const QFont font = FFont->ToQFont();
    const QFontMetrics fm(font);
    QString s = StripPrefix(vt::ToQString(text), flags & DT_NOPREFIX);
    if (flags & DT_EXPANDTABS)
        s.replace('\t', QString(8, ' '));
    int qtFlags = (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (flags & DT_SINGLELINE)
        qtFlags |= (flags & DT_VCENTER) ? Qt::AlignVCenter : (flags & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    else
        qtFlags |= Qt::AlignTop;
    if (flags & DT_WORDBREAK && !(flags & DT_SINGLELINE))
        qtFlags |= Qt::TextWordWrap;
    if (flags & DT_SINGLELINE)
        s.replace('\n', ' ');
    if (flags & DT_END_ELLIPSIS)
        s = fm.elidedText(s, Qt::ElideRight, r.Width());
    const QRect bounds = ToQRect(r);
    if (flags & DT_CALCRECT) {
        const int width = (flags & DT_WORDBREAK) ? std::max(bounds.width(), 1) : 100000;
        const QRect need = fm.boundingRect(QRect(bounds.left(), bounds.top(), width, 100000),
                                           (qtFlags & ~(Qt::AlignVCenter | Qt::AlignBottom)) | Qt::AlignTop, s);
        r.Right = r.Left + (s.isEmpty() ? 0 : need.width());
        r.Bottom = r.Top + (s.isEmpty() ? fm.height() : need.height());
        return r.Height();
    }
    RequirePainter();
    if (!FPainter)
        return fm.height();
    ApplyFont();
    FPainter->setPen(vt::ToQColor(FFont->Color()));
    QRect used;
    if (flags & DT_NOCLIP)
        FPainter->drawText(bounds, qtFlags | Qt::TextDontClip, s, &used);
    else {
        FPainter->save();
        FPainter->setClipRect(bounds, Qt::IntersectClip);
        FPainter->drawText(bounds, qtFlags, s, &used);
        FPainter->restore();
    }
    Changed();
    return used.height();
}

TSize TCanvas::TabbedTextOut(int x, int y, const String& text, const std::vector<int>& tabStops, int tabOrigin)
{
    RequirePainter();
    if (FPainter)
        ApplyFont();
    return TabbedText(x, y, text, tabStops, tabOrigin, FPainter);
}

TSize TCanvas::TabbedTextExtent(const String& text, const std::vector<int>& tabStops) const
{
    return TabbedText(0, 0, text, tabStops, 0, nullptr);
}

TSize TCanvas::TabbedText(int x, int y, const String& text, const std::vector<int>& tabStops, int tabOrigin,
                          QPainter* painter) const
{
    const QFontMetrics fm(FFont->ToQFont());
    // One stop repeats at its own distance, as the system's tabbed text does.
    const int interval = tabStops.size() == 1 && tabStops[0] > 0 ? tabStops[0] : 8 * fm.averageCharWidth();
    int pos = x;
    std::size_t stop = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = text.find('\t', start);
        const String piece = text.substr(start, tab == String::npos ? String::npos : tab - start);
        if (painter) {
            painter->setPen(vt::ToQColor(FFont->Color()));
            painter->drawText(pos, y + fm.ascent(), vt::ToQString(piece));
        }
        pos += fm.horizontalAdvance(vt::ToQString(piece));
        if (tab == String::npos)
            break;
        int next;
        if (tabStops.size() > 1 && stop < tabStops.size())
            next = tabOrigin + tabStops[stop++];
        else
            next = tabOrigin + ((pos - tabOrigin) / interval + 1) * interval;
        pos = std::max(next, pos);
        start = tab + 1;
    }
    return TSize{pos - x, fm.height()};
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    RequirePainter();
    if (!FPainter)
        return;
    FPainter->save();
    QPen pen(Qt::black, 0, Qt::DotLine);
    FPainter->setPen(pen);
    FPainter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    FPainter->setBrush(Qt::NoBrush);
    FPainter->drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    FPainter->restore();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    RequirePainter();
    if (!FPainter)
        return;
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    RequirePainter();
    if (!FPainter)
        return;
    graphic->Draw(this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    RequirePainter();
    QImage* from = source ? source->TargetImage() : nullptr;
    if (!FPainter || !from)
        return;
    if (source->FPainter && source->FPainter != FPainter && source->FPainter->isActive())
        source->FPainter->end(), source->FPainter->begin(from);
    FPainter->drawImage(ToQRect(dest), *from, ToQRect(sourceRect));
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* source, const TRect& sourceRect, TColor transparentColor)
{
    RequirePainter();
    if (!FPainter || !source)
        return;
    QImage part = source->Image().copy(ToQRect(sourceRect)).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToRgb(transparentColor) | 0xFF000000u;
    const QRgb fill = ToRgb(FBrush->Color());
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if ((part.pixel(x, y) | 0xFF000000u) == key)
                part.setPixel(x, y, fill | 0xFF000000u);
    FPainter->drawImage(ToQRect(dest), part);
    Changed();
}

// ---------------------------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool v)
{
    if (FTransparent == v)
        return;
    FTransparent = v;
    Changed();
}

void TGraphic::SetModified(bool v)
{
    if (v)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const String& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& fileName)
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(&stream);
}

void TGraphic::LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data)
{
    TMemoryStream stream;
    WriteAll(&stream, data);
    stream.SetPosition(0);
    LoadFromStream(&stream);
}

std::vector<std::uint8_t> TGraphic::SaveToClipboardFormat(unsigned& format)
{
    TMemoryStream stream;
    SaveToStream(&stream);
    stream.SetPosition(0);
    return ReadRest(&stream);
}

// ---------------------------------------------------------------------------------------------
// TBitmap and the BMP format

namespace {

constexpr char kInvalidBitmap[] = "Bitmap image is not valid";

// Pixels of that size, or the resource error when the memory for them cannot be had.
QImage NewImage(int width, int height)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (image.isNull() && width > 0 && height > 0)
        throw EOutOfResources("Out of system resources");
    return image;
}

int BitCount(TPixelFormat f)
{
    switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: return 15;
    case pf16bit: return 16;
    case pf32bit: return 32;
    default: return 24;
    }
}

std::vector<TColor> DefaultPalette(TPixelFormat f)
{
    std::vector<TColor> pal;
    if (f == pf1bit)
        return {clBlack, clWhite};
    if (f == pf4bit)
        return {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
                clGray, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
    if (f == pf8bit) {
        // A 6 x 6 x 6 colour cube followed by a grey ramp.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    pal.push_back(RGB(r * 51, g * 51, b * 51));
        for (int i = 0; static_cast<int>(pal.size()) < 256; ++i)
            pal.push_back(RGB(i * 6 + 8, i * 6 + 8, i * 6 + 8));
    }
    return pal;
}

struct ByteReader {
    const std::vector<std::uint8_t>& b;
    std::size_t pos;
    std::uint32_t U32(std::size_t at) const
    {
        if (at + 4 > b.size())
            throw EInvalidGraphic(kInvalidBitmap);
        return vt::GetU32(&b[at]);
    }
    std::uint16_t U16(std::size_t at) const
    {
        if (at + 2 > b.size())
            throw EInvalidGraphic(kInvalidBitmap);
        return vt::GetU16(&b[at]);
    }
};

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

int NearestIndex(const std::vector<TColor>& pal, QRgb c, std::map<QRgb, int>& cache)
{
    auto it = cache.find(c);
    if (it != cache.end())
        return it->second;
    int best = 0;
    long bestDist = -1;
    for (std::size_t i = 0; i < pal.size(); ++i) {
        const long dr = GetRValue(pal[i]) - qRed(c), dg = GetGValue(pal[i]) - qGreen(c), db = GetBValue(pal[i]) - qBlue(c);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
        }
    }
    cache[c] = best;
    return best;
}

}  // namespace

TBitmap::TBitmap() : FImage(new QImage) {}

TBitmap::~TBitmap()
{
    delete FCanvas;
    delete FImage;
}

namespace {
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { Release(); }
    QImage* TargetImage() const override { return &FBitmap->Image(); }
    void Release()
    {
        if (!FOwn)
            return;
        BindPainter(nullptr);
        delete FOwn;
        FOwn = nullptr;
    }

protected:
    void CreateHandle() override
    {
        if (FBitmap->Empty())
            return;
        FOwn = new QPainter(&FBitmap->Image());
        BindPainter(FOwn);
    }

private:
    TBitmap* FBitmap;
    QPainter* FOwn = nullptr;
};
}  // namespace

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = new TBitmapCanvas(this);
        FCanvas->OnChange = [this](TObject*) { TGraphic::Changed(); };
    }
    return FCanvas;
}

QImage& TBitmap::Image() { return *FImage; }
const QImage& TBitmap::Image() const { return *FImage; }

void TBitmap::ImageChanged() { Changed(); }

bool TBitmap::Empty() const { return FImage->isNull() || FImage->width() == 0 || FImage->height() == 0; }
int TBitmap::Width() const { return FImage->isNull() ? 0 : FImage->width(); }
int TBitmap::Height() const { return FImage->isNull() ? 0 : FImage->height(); }
void TBitmap::SetWidth(int v) { SetSize(v, Height()); }
void TBitmap::SetHeight(int v) { SetSize(Width(), v); }

void TBitmap::SetSize(int w, int h)
{
    if (w == Width() && h == Height())
        return;
    Resize(w, h);
    Changed();
}

// Painters keep the old image alive; the canvas lets go of its painter before the pixels change.
void TBitmap::Resize(int w, int h)
{
    if (FCanvas)
        static_cast<TBitmapCanvas*>(FCanvas)->Release();
    QImage next = NewImage(w, h);
    next.fill(Qt::white);
    if (!FImage->isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, *FImage);
    }
    *FImage = next;
}

void TBitmap::SetPixelFormat(TPixelFormat v)
{
    if (FPixelFormat == v)
        return;
    FPixelFormat = v;
    FPalette = DefaultPalette(v);
    if (!FPalette.empty() && !Empty()) {
        std::map<QRgb, int> cache;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                FImage->setPixel(x, y, ToRgb(FPalette[NearestIndex(FPalette, FImage->pixel(x, y), cache)]));
    }
    Changed();
}

void TBitmap::SetMonochrome(bool v)
{
    if (v != Monochrome())
        SetPixelFormat(v ? pf1bit : pfDevice);
}

void TBitmap::SetPalette(const std::vector<TColor>& colors)
{
    FPalette = colors;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    TColor c = FTransparentColor;
    if (FTransparentMode == tmAuto || c == clDefault)
        c = Empty() ? clDefault : FromRgb(FImage->pixel(0, Height() - 1));
    return ColorToRGB(c) | PaletteRelativeFlag;
}

void TBitmap::SetTransparentColor(TColor v)
{
    FTransparentColor = v;
    FTransparentMode = v == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v)
{
    if (v == tmAuto)
        FTransparentColor = clDefault;
    else if (FTransparentColor == clDefault)
        FTransparentColor = TransparentColor() & ~PaletteRelativeFlag;
    FTransparentMode = v;
    Changed();
}

void TBitmap::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (FCanvas)
            static_cast<TBitmapCanvas*>(FCanvas)->Release();
        *FImage = b->FImage->copy();
        FPixelFormat = b->FPixelFormat;
        FPalette = b->FPalette;
        FTransparentColor = b->FTransparentColor;
        FTransparentMode = b->FTransparentMode;
        SetTransparent(b->Transparent());
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        Resize(g->Width(), g->Height());
        Canvas()->Draw(0, 0, g);
        Changed();
        return;
    }
    if (!Source) {
        Resize(0, 0);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

// Reads a DIB (BITMAPINFOHEADER or a later version, or the old BITMAPCOREHEADER) with its
// colour table; uncompressed or bit-field pixels; bottom-up or top-down rows.
void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& bytes)
{
    ByteReader r{bytes, 0};
    std::size_t info = 0;
    std::size_t pixelsAt = 0;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        info = 14;
        pixelsAt = r.U32(10);
    }
    const std::uint32_t headerSize = r.U32(info);
    int width, height, bits;
    std::uint32_t compression = 0, colorsUsed = 0;
    int paletteEntrySize = 4;
    if (headerSize == 12) {
        width = r.U16(info + 4);
        height = static_cast<std::int16_t>(r.U16(info + 6));
        bits = r.U16(info + 10);
        paletteEntrySize = 3;
    } else if (headerSize >= 40) {
        width = static_cast<std::int32_t>(r.U32(info + 4));
        height = static_cast<std::int32_t>(r.U32(info + 8));
        bits = r.U16(info + 14);
        compression = r.U32(info + 16);
        colorsUsed = r.U32(info + 32);
    } else {
        throw EInvalidGraphic(kInvalidBitmap);
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || (compression != 0 && compression != 3))
        throw EInvalidGraphic(kInvalidBitmap);
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    std::size_t tableAt = info + headerSize;
    if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (compression == 3) {
        const std::size_t maskAt = headerSize >= 52 ? info + 40 : tableAt;
        for (int i = 0; i < 3; ++i)
            masks[i] = r.U32(maskAt + 4 * i);
        if (headerSize < 52)
            tableAt += 12;
    }
    std::vector<TColor> palette;
    if (bits <= 8) {
        const std::uint32_t count = colorsUsed ? colorsUsed : (1u << bits);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = tableAt + i * paletteEntrySize;
            if (at + 3 > bytes.size())
                throw EInvalidGraphic(kInvalidBitmap);
            palette.push_back(RGB(bytes[at + 2], bytes[at + 1], bytes[at]));
        }
        tableAt += count * paletteEntrySize;
    }
    if (!pixelsAt)
        pixelsAt = tableAt;
    const int stride = RowBytes(width, bits);
    if (pixelsAt + static_cast<std::size_t>(stride) * height > bytes.size())
        throw EInvalidGraphic(kInvalidBitmap);

    auto channel = [](std::uint32_t value, std::uint32_t mask) {
        if (!mask)
            return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const std::uint32_t max = mask >> shift;
        return static_cast<int>(((value & mask) >> shift) * 255 / max);
    };
    QImage image = NewImage(width, height);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = bytes.data() + pixelsAt + static_cast<std::size_t>(stride) * row;
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            QRgb c;
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int index = (src[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
                c = index < static_cast<int>(palette.size()) ? ToRgb(palette[index]) : qRgb(0, 0, 0);
            } else if (bits == 16) {
                const std::uint32_t v = vt::GetU16(src + 2 * x);
                c = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
            } else if (bits == 24) {
                c = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else if (bits == 32) {
                const std::uint32_t v = vt::GetU32(src + 4 * x);
                c = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
            } else {
                throw EInvalidGraphic(kInvalidBitmap);
            }
            image.setPixel(x, y, c);
        }
    }
    if (FCanvas)
        static_cast<TBitmapCanvas*>(FCanvas)->Release();
    *FImage = image;
    FPalette = palette;
    switch (bits) {
    case 1: FPixelFormat = pf1bit; break;
    case 4: FPixelFormat = pf4bit; break;
    case 8: FPixelFormat = pf8bit; break;
    case 16: FPixelFormat = (compression == 3 && masks[1] == 0x07E0) ? pf16bit : pf15bit; break;
    case 24: FPixelFormat = pf24bit; break;
    default: FPixelFormat = pf32bit; break;
    }
    Changed();
}

// The headers (masks for 16-bit 5-6-5), the colour table, then the rows bottom-up.
std::vector<std::uint8_t> TBitmap::SaveToBytes() const
{
    const int bits = BitCount(FPixelFormat) == 15 ? 16 : BitCount(FPixelFormat);
    const bool bitFields = FPixelFormat == pf16bit;
    const std::vector<TColor> palette = bits <= 8 ? (FPalette.empty() ? DefaultPalette(FPixelFormat) : FPalette)
                                                  : std::vector<TColor>{};
    const int w = Width(), h = Height();
    const int stride = RowBytes(w, bits);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * h;
    std::vector<std::uint8_t> b = vt::BmpHeaders({.Width = w,
                                                  .Height = h,
                                                  .Bits = bits,
                                                  .ImageSize = imageSize,
                                                  .Palette = palette,
                                                  .ColorsUsed = static_cast<std::uint32_t>(palette.size()),
                                                  .BitFields565 = bitFields});
    std::map<QRgb, int> cache;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < w; ++x) {
            const QRgb c = FImage->pixel(x, y);
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int index = NearestIndex(palette, c, cache);
                row[x / perByte] |= static_cast<std::uint8_t>(index << ((perByte - 1 - x % perByte) * bits));
            } else if (bits == 16) {
                const std::uint16_t v = bitFields
                    ? static_cast<std::uint16_t>(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3))
                    : static_cast<std::uint16_t>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                const int n = bits / 8;
                row[n * x] = static_cast<std::uint8_t>(qBlue(c));
                row[n * x + 1] = static_cast<std::uint8_t>(qGreen(c));
                row[n * x + 2] = static_cast<std::uint8_t>(qRed(c));
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

void TBitmap::LoadFromStream(TStream* stream) { LoadFromBytes(ReadRest(stream)); }

void TBitmap::SaveToStream(TStream* stream) { WriteAll(stream, SaveToBytes()); }

void TBitmap::LoadFromResourceName(void* instance, const String& name)
{
    LoadFromBytes(vt::ResourceBytes(name, RT_BITMAP));
}

void TBitmap::LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data)
{
    LoadFromBytes(data);
}

std::vector<std::uint8_t> TBitmap::SaveToClipboardFormat(unsigned& format)
{
    format = CF_BITMAP;
    return SaveToBytes();
}

// A transparent bitmap leaves out the pixels of its transparent colour.
namespace {
// The image with every pixel of the key colour made transparent.
QImage MaskedImage(const QImage& image, TColor keyColor)
{
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToRgb(keyColor & ~PaletteRelativeFlag) | 0xFF000000u;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return masked;
}
}  // namespace

void TBitmap::Draw(TCanvas* canvas, const TRect& rect)
{
    QPainter* p = canvas->Handle();
    if (!p)
        return;
    const QRect target = ToQRect(rect);
    if (!Transparent()) {
        p->drawImage(target, *FImage);
        return;
    }
    p->drawImage(target, MaskedImage(*FImage, TransparentColor()));
}

// ---------------------------------------------------------------------------------------------
// TIcon

TIcon::TIcon() : FImage(new QImage) {}
TIcon::~TIcon() { delete FImage; }

void TIcon::Assign(TPersistent* Source)
{
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        *FImage = i->FImage->copy();
        FData = i->FData;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {  // its transparent colour becomes the icon's mask
        *FImage = MaskedImage(b->Image(), b->TransparentColor());
        FData.clear();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

bool TIcon::Empty() const { return FImage->isNull(); }
int TIcon::Width() const { return FImage->isNull() ? 0 : FImage->width(); }
int TIcon::Height() const { return FImage->isNull() ? 0 : FImage->height(); }

void TIcon::SetWidth(int v)
{
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int v)
{
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::LoadFromStream(TStream* stream)
{
    std::vector<std::uint8_t> data = ReadRest(stream);
    QImage image;
    if (!image.loadFromData(data.data(), static_cast<int>(data.size()), "ICO"))
        throw EInvalidGraphic("Icon image is not valid");
    *FImage = image.convertToFormat(QImage::Format_ARGB32);
    FData = std::move(data);
    Changed();
}

void TIcon::SaveToStream(TStream* stream)
{
    if (FData.empty() && !FImage->isNull()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        FImage->save(&buffer, "ICO");
        FData.assign(bytes.begin(), bytes.end());
    }
    WriteAll(stream, FData);
}

void TIcon::LoadFromResourceName(void* instance, const String& name)
{
    TMemoryStream stream;
    WriteAll(&stream, vt::ResourceBytes(name, RT_ICON));
    stream.SetPosition(0);
    LoadFromStream(&stream);
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect)
{
    if (QPainter* p = canvas->Handle())
        p->drawImage(ToQRect(rect), *FImage);
}

QImage& TIcon::Image() { return *FImage; }

// ---------------------------------------------------------------------------------------------
// TPicture and its format registry

namespace {

struct FileFormat {
    String extension;  // lower case, without the dot
    String description;
    TGraphicClass graphicClass;
};

std::vector<FileFormat>& FileFormats()
{
    static std::vector<FileFormat> formats = {
        {"bmp", "Bitmaps", &vt::CreateGraphic<TBitmap>},
        {"ico", "Icons", &vt::CreateGraphic<TIcon>},
    };
    return formats;
}

std::map<unsigned, TGraphicClass>& ClipboardFormats()
{
    static std::map<unsigned, TGraphicClass> formats = {{CF_BITMAP, &vt::CreateGraphic<TBitmap>}};
    return formats;
}

String ClassNameOf(TGraphicClass graphicClass)
{
    std::unique_ptr<TGraphic> sample(graphicClass());
    return sample->ClassName();
}

TGraphicClass ClassByName(const String& name)
{
    for (const FileFormat& f : FileFormats())
        if (SameText(ClassNameOf(f.graphicClass), name))
            return f.graphicClass;
    for (const auto& [format, graphicClass] : ClipboardFormats())
        if (SameText(ClassNameOf(graphicClass), name))
            return graphicClass;
    return nullptr;
}

}  // namespace

String UnknownPictureExtensionMessage(const String& extension)
{
    return "Unknown picture file extension (." + extension + ")";
}

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Adopt(TGraphic* graphic)
{
    delete FGraphic;
    FGraphic = graphic;
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        Adopt(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::SetGraphic(TGraphic* v)
{
    if (!v) {
        Adopt(nullptr);
        return;
    }
    TGraphicClass graphicClass = ClassByName(v->ClassName());
    TGraphic* copy = graphicClass ? graphicClass() : nullptr;
    if (!copy)
        throw EInvalidGraphic("Unknown picture format " + v->ClassName());
    copy->Assign(v);
    Adopt(copy);
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic))
        Adopt(new TBitmap);
    return static_cast<TBitmap*>(FGraphic);
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(FGraphic))
        Adopt(new TIcon);
    return static_cast<TIcon*>(FGraphic);
}

void TPicture::LoadFromFile(const String& fileName)
{
    String ext = LowerCase(ExtractFileExt(fileName));
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    for (const FileFormat& f : FileFormats()) {
        if (f.extension == ext) {
            std::unique_ptr<TGraphic> graphic(f.graphicClass());
            graphic->LoadFromFile(fileName);
            Adopt(graphic.release());
            return;
        }
    }
    throw EInvalidGraphic(UnknownPictureExtensionMessage(ext));
}

void TPicture::SaveToFile(const String& fileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data)
{
    auto it = ClipboardFormats().find(format);
    if (it == ClipboardFormats().end())
        throw EInvalidGraphic("Unsupported clipboard format");
    std::unique_ptr<TGraphic> graphic(it->second());
    graphic->LoadFromClipboardFormat(format, data);
    Adopt(graphic.release());
}

void TPicture::ReadData(TStream* stream)
{
    std::uint8_t length = 0;
    stream->ReadBuffer(&length, 1);
    String name(length, '\0');
    if (length)
        stream->ReadBuffer(name.data(), length);
    if (name.empty()) {
        Adopt(nullptr);
        return;
    }
    TGraphicClass graphicClass = ClassByName(name);
    if (!graphicClass)
        throw EInvalidGraphic("Unknown picture format " + name);
    std::unique_ptr<TGraphic> graphic(graphicClass());
    graphic->LoadFromStream(stream);
    Adopt(graphic.release());
}

void TPicture::WriteData(TStream* stream)
{
    const String name = FGraphic ? FGraphic->ClassName() : String();
    const auto length = static_cast<std::uint8_t>(name.size());
    stream->WriteBuffer(&length, 1);
    if (length)
        stream->WriteBuffer(name.data(), length);
    if (FGraphic)
        FGraphic->SaveToStream(stream);
}

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass)
{
    String ext = LowerCase(extension);
    auto& formats = FileFormats();
    std::erase_if(formats, [&](const FileFormat& f) { return f.extension == ext; });
    formats.push_back({ext, description, graphicClass});
}

void TPicture::RegisterClipboardFormat(unsigned format, TGraphicClass graphicClass)
{
    ClipboardFormats()[format] = graphicClass;
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass)
{
    auto& formats = FileFormats();
    std::erase_if(formats, [&](const FileFormat& f) { return f.graphicClass == graphicClass; });
    std::erase_if(ClipboardFormats(), [&](const auto& entry) { return entry.second == graphicClass; });
}

bool TPicture::SupportsClipboardFormat(unsigned format) { return ClipboardFormats().count(format) > 0; }

String TPicture::GraphicFilter()
{
    String all, each, masks;
    for (const FileFormat& f : FileFormats()) {
        const String mask = "*." + f.extension;
        masks += (masks.empty() ? "" : ";") + mask;
        each += "|" + f.description + " (" + mask + ")|" + mask;
    }
    return "All (" + masks + ")|" + masks + each;
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TFontStyle> kFontStyle{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const vt::EnumRegistration<TFontPitch> kFontPitch{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const vt::ClassRegistration<TGraphicsObject, TPersistent> kGraphicsObject{"TGraphicsObject", {}};
const vt::ClassRegistration<TFont, TGraphicsObject> kFont{
    "TFont",
    {
        vt::Published("Charset", &TFont::Charset, &TFont::SetCharset),
        vt::Published("Color", &TFont::Color, &TFont::SetColor),
        vt::Published("Height", &TFont::Height, &TFont::SetHeight),
        vt::Published("Name", &TFont::Name, &TFont::SetName),
        vt::Published("Pitch", &TFont::Pitch, &TFont::SetPitch),
        vt::Published("Size", &TFont::Size, &TFont::SetSize),
        vt::Published("Style", &TFont::Style, &TFont::SetStyle),
    }};
}  // namespace
