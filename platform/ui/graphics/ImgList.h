// Image lists: equal-sized images with masks, added from bitmap strips, drawn by index.
#pragma once

#include <vector>

#include "ui/graphics/Graphics.h"

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Count() const { return static_cast<int>(FImages.size()); }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v) { FBkColor = v; }
    bool Masked() const { return FMasked; }
    void SetMasked(bool v) { FMasked = v; }
    int AllocBy() const { return FAllocBy; }
    void SetAllocBy(int v) { FAllocBy = v; }

    // A bitmap wider than Width adds one image per cell; the mask's white pixels are transparent.
    // Returns the index of the first image added.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The pixels of MaskColor become transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // The image on BkColor (or its own pixels where BkColor is clNone) into Image.
    void GetBitmap(int Index, TBitmap* Image);

    TNotifyEvent OnChange;

private:
    std::vector<QImage*> Cells(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor) const;
    void ReplaceWith(int index, const std::vector<QImage*>& cells);
    void CheckIndex(int index) const;
    void Changed();
    int FWidth = 16;
    int FHeight = 16;
    TColor FBkColor = clNone;
    bool FMasked = true;
    int FAllocBy = 4;
    std::vector<QImage*> FImages;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};
