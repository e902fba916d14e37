// Colour reduction of bitmaps to 1, 4 or 8 bits per pixel (fixed palettes, grey scale, a colour
// histogram and median cut), BMP output in memory or in a file, the screen's colour depth,
// tiling and fitting pictures, and the persistent gradient description.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "components/common/vtGuiutils.h"
#include "rtl/Classes.h"
#include "rtl/Streams.h"
#include "ui/graphics/Graphics.h"

enum TMappingMethod { mmHistogram, mmQuantize, mmTrunc784, mmTrunc666, mmTripel, mmGrayscale };

extern TMappingMethod DefaultMappingMethod;

TPixelFormat ScreenPixelFormat();
int ScreenColorCount();
TPixelFormat GetBitmapPixelFormat(TBitmap* Bitmap);
TPixelFormat GetPaletteBitmapFormat(TBitmap* Bitmap);

// A new stream, at position 0, holding a complete BMP file of the bitmap in PixelFormat.
TMemoryStream* BitmapToMemoryStream(TBitmap* Bitmap, TPixelFormat PixelFormat, TMappingMethod Method);
TMemoryStream* BitmapToMemory(TBitmap* Bitmap, int Colors);
void SaveBitmapToFile(const String& FileName, TBitmap* Bitmap, int Colors);
void SetBitmapPixelFormat(TBitmap* Bitmap, TPixelFormat PixelFormat, TMappingMethod Method);
void GrayscaleBitmap(TBitmap* Bitmap);

void TileImage(TCanvas* Canvas, const TRect& Rect, TGraphic* Image);
TPoint ZoomImage(int ImageW, int ImageH, int MaxW, int MaxH, bool Stretch);

class TVtGradient : public TPersistent {
 public:
  TVtGradient() = default;
  void Assign(TPersistent* Source) override;
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value);
  TFillDirection Direction() const { return direction_; }
  void SetDirection(TFillDirection value);
  Byte StepCount() const { return stepCount_; }
  void SetStepCount(Byte value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Draw(TCanvas* Canvas, const TRect& Rect);
  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  TColor startColor_ = clSilver;
  TColor endColor_ = clGray;
  TFillDirection direction_ = fdTopToBottom;
  Byte stepCount_ = 64;
  bool visible_ = false;
};

namespace vt {

// The lookup tables the fixed palettes use: for each value 0..255 the index of the nearest level.
struct LevelTables {
  std::array<std::uint8_t, 256> levels4, levels6, levels7, levels8;
};
const LevelTables& ColorLevelTables();

// One colour reduction on 24-bit pixels (rows of blue, green, red, DWORD aligned, bottom-up):
// the palette (red, green, blue per entry as TColor) and one index byte per pixel.
struct ReducedImage {
  std::vector<TColor> palette;
  int colorCount = 0;
  std::vector<std::uint8_t> indexes;  // rows of (width + 3) & ~3 bytes, bottom-up
};
ReducedImage ReduceTo8Bits(const std::uint8_t* bits24, int width, int height, TMappingMethod method);

int StartVtGraph();
inline const int kVtGraphStarted = StartVtGraph();

}  // namespace vt
