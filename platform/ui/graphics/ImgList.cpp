// Image lists: each image is kept as an ARGB image whose alpha carries the mask.
#include "ui/graphics/ImgList.h"

#include <QImage>
#include <QPainter>

#include "rtl/Exceptions.h"

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() { Clear(); }

void TCustomImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid ImageList Index");
}

void TCustomImageList::SetWidth(int v)
{
    if (v == FWidth)
        return;
    FWidth = v;
    Clear();
}

void TCustomImageList::SetHeight(int v)
{
    if (v == FHeight)
        return;
    FHeight = v;
    Clear();
}

// Cuts the bitmap into cells of the list's size; the mask (or the mask colour) decides alpha.
std::vector<QImage*> TCustomImageList::Cells(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor) const
{
    std::vector<QImage*> cells;
    if (!image || image->Empty())
        return cells;
    const QRgb key = byColor ? (static_cast<QRgb>(0xFF000000u) | qRgb(GetRValue(ColorToRGB(maskColor)),
                                                                     GetGValue(ColorToRGB(maskColor)),
                                                                     GetBValue(ColorToRGB(maskColor))))
                             : 0;
    const int count = std::max(1, image->Width() / FWidth);
    for (int c = 0; c < count; ++c) {
        auto* cell = new QImage(FWidth, FHeight, QImage::Format_ARGB32);
        cell->fill(Qt::transparent);
        for (int y = 0; y < FHeight && y < image->Height(); ++y)
            for (int x = 0; x < FWidth && c * FWidth + x < image->Width(); ++x) {
                const QRgb p = image->Image().pixel(c * FWidth + x, y) | 0xFF000000u;
                bool transparent = false;
                if (byColor)
                    transparent = p == key;
                else if (mask && !mask->Empty() && c * FWidth + x < mask->Width() && y < mask->Height())
                    transparent = (mask->Image().pixel(c * FWidth + x, y) & 0xFFFFFF) == 0xFFFFFF;
                cell->setPixel(x, y, transparent ? 0 : p);
            }
        cells.push_back(cell);
    }
    return cells;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    const int first = Count();
    for (QImage* cell : Cells(Image, Mask, clNone, false))
        FImages.push_back(cell);
    Changed();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    const int first = Count();
    for (QImage* cell : Cells(Image, nullptr, MaskColor, true))
        FImages.push_back(cell);
    Changed();
    return first;
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    ReplaceWith(Index, Cells(Image, Mask, clNone, false));
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* Image, TColor MaskColor)
{
    ReplaceWith(Index, Cells(Image, nullptr, MaskColor, true));
}

// The first cell takes the place of the image; the rest of a strip is dropped.
void TCustomImageList::ReplaceWith(int index, const std::vector<QImage*>& cells)
{
    CheckIndex(index);
    if (cells.empty())
        return;
    delete FImages[index];
    FImages[index] = cells.front();
    for (std::size_t i = 1; i < cells.size(); ++i)
        delete cells[i];
    Changed();
}

void TCustomImageList::Delete(int Index)
{
    CheckIndex(Index);
    delete FImages[Index];
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TCustomImageList::Clear()
{
    for (QImage* image : FImages)
        delete image;
    FImages.clear();
    Changed();
}

// A disabled image is drawn as a grey shadow of its opaque pixels.
void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (Index < 0 || Index >= Count())
        return;
    QPainter* p = Canvas->Handle();
    if (!p)
        return;
    if (Enabled) {
        p->drawImage(X, Y, *FImages[Index]);
        return;
    }
    QImage grey = *FImages[Index];
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            if (qAlpha(grey.pixel(x, y)))
                grey.setPixel(x, y, 0xFF808080u);
    p->drawImage(X, Y, grey);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    CheckIndex(Index);
    Image->SetSize(FWidth, FHeight);
    QImage& target = Image->Image();
    QPainter p(&target);
    if (FBkColor != clNone) {
        const TColor bk = ColorToRGB(FBkColor);
        p.fillRect(0, 0, FWidth, FHeight, QColor(GetRValue(bk), GetGValue(bk), GetBValue(bk)));
    }
    p.drawImage(0, 0, *FImages[Index]);
    p.end();
    Image->ImageChanged();
}
