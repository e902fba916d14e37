// Colour reduction: the pixels are fetched as 24-bit BMP rows and reduced to one byte per pixel
// by the chosen method; 1- and 4-bit targets are left to the platform's own reduction.
#include "components/graphics/VtGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numeric>

#include "components/common/Vtconst.h"
#include "rtl/Exceptions.h"
#include "rtl/ResStrings.h"
#include "ui/graphics/BmpFile.h"
#include "ui/kernel/WinApi.h"

TMappingMethod DefaultMappingMethod = mmHistogram;

namespace vt {

namespace {

template <std::size_t N>
std::array<std::uint8_t, 256> NearestLevels(const int (&levels)[N]) {
  std::array<std::uint8_t, 256> table{};
  for (int v = 0; v < 256; ++v) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < N; ++i)
      if (std::abs(levels[i] - v) < std::abs(levels[best] - v)) best = i;
    table[v] = std::uint8_t(best);
  }
  return table;
}

const int kLevels4[] = {0, 85, 170, 255};
const int kLevels6[] = {0, 51, 102, 153, 204, 255};
const int kLevels7[] = {0, 43, 85, 128, 170, 213, 255};
const int kLevels8[] = {0, 36, 73, 109, 146, 182, 219, 255};

LevelTables& Tables() {
  static LevelTables tables;
  return tables;
}

}  // namespace

const LevelTables& ColorLevelTables() { return Tables(); }

int StartVtGraph() {
  static const int started = [] {
    Tables() = {NearestLevels(kLevels4), NearestLevels(kLevels6), NearestLevels(kLevels7), NearestLevels(kLevels8)};
    return 1;
  }();
  return started;
}

namespace {

struct Bgr {
  std::uint8_t b, g, r;
};

constexpr TColor kMidGray = 0x808080;

TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
int RowBytes24(int width) { return (width * 3 + 3) & ~3; }
int RowBytes8(int width) { return (width + 3) & ~3; }

// Calls map(pixel, x, y) for every pixel and stores the index it gives.
template <class Map>
void MapPixels(const std::uint8_t* bits24, int width, int height, ReducedImage& out, Map map) {
  out.indexes.assign(std::size_t(RowBytes8(width)) * height, 0);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* in = bits24 + std::size_t(row) * RowBytes24(width);
    std::uint8_t* indexes = out.indexes.data() + std::size_t(row) * RowBytes8(width);
    int y = height - 1 - row;  // rows are bottom-up
    for (int x = 0; x < width; ++x) indexes[x] = map(Bgr{in[3 * x], in[3 * x + 1], in[3 * x + 2]}, x, y);
  }
}

void Trunc666(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  const LevelTables& t = ColorLevelTables();
  out.palette.assign(256, kMidGray);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) out.palette[36 * r + 6 * g + b] = Rgb(kLevels6[r], kLevels6[g], kLevels6[b]);
  out.colorCount = 216;
  MapPixels(bits, width, height, out, [&](Bgr p, int, int) {
    return std::uint8_t(36 * t.levels6[p.r] + 6 * t.levels6[p.g] + t.levels6[p.b]);
  });
}

void Trunc784(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  const LevelTables& t = ColorLevelTables();
  out.palette.assign(256, kMidGray);
  for (int r = 0; r < 7; ++r)
    for (int g = 0; g < 8; ++g)
      for (int b = 0; b < 4; ++b) out.palette[32 * r + 4 * g + b] = Rgb(kLevels7[r], kLevels8[g], kLevels4[b]);
  out.colorCount = 224;
  MapPixels(bits, width, height, out, [&](Bgr p, int, int) {
    return std::uint8_t((8 * t.levels7[p.r] + t.levels8[p.g]) * 4 + t.levels4[p.b]);
  });
}

void Tripel(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  out.palette.assign(256, 0);
  for (int i = 0; i < 64; ++i) {
    out.palette[i] = Rgb(4 * i, 0, 0);
    out.palette[64 + i] = Rgb(0, 4 * i, 0);
    out.palette[128 + i] = Rgb(0, 0, 4 * i);
  }
  out.colorCount = 256;
  MapPixels(bits, width, height, out, [](Bgr p, int x, int y) {
    switch ((y + x) % 3) {
      case 0: return std::uint8_t(p.r >> 2);
      case 1: return std::uint8_t(64 + (p.g >> 2));
      default: return std::uint8_t(128 + (p.b >> 2));
    }
  });
}

void Grayscale(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  out.palette.resize(256);
  for (int i = 0; i < 256; ++i) out.palette[i] = Rgb(i, i, i);
  out.colorCount = 256;
  MapPixels(bits, width, height, out,
            [](Bgr p, int, int) { return std::uint8_t((77 * p.r + 150 * p.g + 29 * p.b) >> 8); });
}

// The colour histogram: at most 2048 distinct colours in a hash of 5191 slots; more colours
// clear one more low bit of one component's mask, the components taking turns.
class Histogram {
 public:
  static constexpr int kSlots = 5191;
  static constexpr int kMaxColors = 2048;

  Histogram(const std::uint8_t* bits, int width, int height) : bits_(bits), width_(width), height_(height) {
    while (!Count()) Coarsen();
  }
  TColor Masked(Bgr p) const { return Rgb(p.r & masks_[0], p.g & masks_[1], p.b & masks_[2]); }
  int Slot(TColor color) const {
    int a = color & 0xFF, b = (color >> 8) & 0xFF, c = (color >> 16) & 0xFF;
    int slot = int((std::int64_t(a + b) * (b + c) * (c + a)) % kSlots);
    while (slots_[slot].count > 0 && slots_[slot].color != color) slot = (slot + 1) % kSlots;
    return slot;
  }
  struct Entry {
    TColor color = 0;
    int count = 0;
    int firstSeen = 0;
  };
  const std::array<Entry, kSlots>& Slots() const { return slots_; }

 private:
  bool Count() {
    slots_.fill(Entry());
    int distinct = 0;
    for (int row = 0; row < height_; ++row) {
      const std::uint8_t* in = bits_ + std::size_t(row) * RowBytes24(width_);
      for (int x = 0; x < width_; ++x) {
        TColor color = Masked(Bgr{in[3 * x], in[3 * x + 1], in[3 * x + 2]});
        Entry& entry = slots_[Slot(color)];
        if (entry.count == 0) {
          if (distinct == kMaxColors) return false;
          entry = {color, 0, distinct++};
        }
        ++entry.count;
      }
    }
    return true;
  }
  void Coarsen() {
    masks_[turn_] = std::uint8_t(masks_[turn_] << 1);
    turn_ = (turn_ + 1) % 3;
  }

  const std::uint8_t* bits_;
  int width_, height_;
  std::array<std::uint8_t, 3> masks_{255, 255, 255};
  int turn_ = 0;
  std::array<Entry, kSlots> slots_;
};

int SquaredDistance(TColor a, TColor b) {
  int dr = (a & 0xFF) - (b & 0xFF), dg = ((a >> 8) & 0xFF) - ((b >> 8) & 0xFF), db = ((a >> 16) & 0xFF) - ((b >> 16) & 0xFF);
  return dr * dr + dg * dg + db * db;
}

void HistogramMethod(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  auto histogram = std::make_unique<Histogram>(bits, width, height);
  std::vector<Histogram::Entry> colors;
  for (const Histogram::Entry& entry : histogram->Slots())
    if (entry.count > 0) colors.push_back(entry);
  std::sort(colors.begin(), colors.end(), [](const Histogram::Entry& a, const Histogram::Entry& b) {
    return a.count != b.count ? a.count > b.count : a.firstSeen < b.firstSeen;
  });
  const std::size_t used = std::min<std::size_t>(colors.size(), 256);
  out.palette.assign(256, kMidGray);
  for (std::size_t i = 0; i < used; ++i) out.palette[i] = colors[i].color;
  out.colorCount = 256;
  // Every masked colour's palette entry, found once per colour.
  std::array<std::uint8_t, Histogram::kSlots> entryOfSlot{};
  for (const Histogram::Entry& entry : colors) {
    int best = 0;
    for (std::size_t i = 1; i < used; ++i)
      if (SquaredDistance(entry.color, out.palette[i]) < SquaredDistance(entry.color, out.palette[best])) best = int(i);
    entryOfSlot[histogram->Slot(entry.color)] = std::uint8_t(best);
  }
  MapPixels(bits, width, height, out,
            [&](Bgr p, int, int) { return entryOfSlot[histogram->Slot(histogram->Masked(p))]; });
}

// Median cut over 4096 cells of 4 bits per component.
class MedianCut {
 public:
  MedianCut(const std::uint8_t* bits, int width, int height) : cellOfPixel_(std::size_t(width) * height) {
    for (int row = 0, i = 0; row < height; ++row) {
      const std::uint8_t* in = bits + std::size_t(row) * RowBytes24(width);
      for (int x = 0; x < width; ++x, ++i) {
        int cell = (in[3 * x + 2] >> 4) * 256 + (in[3 * x + 1] >> 4) * 16 + (in[3 * x] >> 4);
        ++cellCount_[cell];
        cellOfPixel_[i] = std::uint16_t(cell);
      }
    }
    Box first;
    for (int cell = 0; cell < 4096; ++cell)
      if (cellCount_[cell] > 0) first.cells.push_back(cell);
    first.pixels = std::int64_t(width) * height;
    boxes_.push_back(std::move(first));
  }

  void Split(int paletteSize) {
    while (int(boxes_.size()) < paletteSize) {
      int boxIndex = -1, component = 0, extent = -1;
      for (int b = 0; b < int(boxes_.size()); ++b) {
        if (boxes_[b].cells.size() < 2) continue;
        for (int c = 0; c < 3; ++c)
          if (boxes_[b].extent[c] > extent) {
            boxIndex = b;
            component = c;
            extent = boxes_[b].extent[c];
          }
      }
      if (boxIndex < 0) return;
      SplitBox(boxIndex, component);
    }
  }

  void Fill(ReducedImage& out, int width, int height) {
    out.palette.assign(256, 0);
    std::array<std::uint8_t, 4096> indexOfCell{};
    for (std::size_t b = 0; b < boxes_.size(); ++b) {
      const Box& box = boxes_[b];
      int sum[3] = {0, 0, 0};
      for (int cell : box.cells)
        for (int c = 0; c < 3; ++c) sum[c] += Component(cell, c);
      int n = std::max<int>(1, int(box.cells.size()));
      int rgb[3];
      for (int c = 0; c < 3; ++c) rgb[c] = (16 * sum[c] + 15) / n;
      bool dark = rgb[0] <= 16 && rgb[1] <= 16 && rgb[2] <= 16;
      out.palette[b] = dark ? 0 : Rgb(rgb[0], rgb[1], rgb[2]);
      for (int cell : box.cells) indexOfCell[cell] = std::uint8_t(b);
    }
    out.colorCount = int(boxes_.size());
    out.indexes.assign(std::size_t(RowBytes8(width)) * height, 0);
    for (int row = 0, i = 0; row < height; ++row)
      for (int x = 0; x < width; ++x, ++i)
        out.indexes[std::size_t(row) * RowBytes8(width) + x] = indexOfCell[cellOfPixel_[i]];
  }

 private:
  struct Box {
    std::vector<int> cells;
    std::int64_t pixels = 0;
    int minimum[3] = {0, 0, 0};
    int extent[3] = {255, 255, 255};
  };
  // Component 0 red, 1 green, 2 blue of a cell, 4 bits each.
  static int Component(int cell, int c) { return c == 0 ? cell >> 8 : c == 1 ? (cell >> 4) & 15 : cell & 15; }

  void SplitBox(int boxIndex, int c) {
    Box& box = boxes_[boxIndex];
    std::stable_sort(box.cells.begin(), box.cells.end(),
                     [c](int a, int b) { return Component(a, c) < Component(b, c); });
    std::int64_t running = 0;
    std::size_t keep = 0;
    while (keep < box.cells.size() - 1 &&
           (keep == 0 || running + cellCount_[box.cells[keep]] <= box.pixels / 2)) {
      running += cellCount_[box.cells[keep]];
      ++keep;
    }
    Box second;
    second.cells.assign(box.cells.begin() + std::ptrdiff_t(keep), box.cells.end());
    second.pixels = box.pixels - running;
    std::copy(std::begin(box.minimum), std::end(box.minimum), second.minimum);
    std::copy(std::begin(box.extent), std::end(box.extent), second.extent);
    second.minimum[c] = 16 * Component(second.cells.front(), c);
    second.extent[c] = box.minimum[c] + box.extent[c] - second.minimum[c];
    box.cells.resize(keep);
    box.pixels = running;
    box.extent[c] = 16 * Component(box.cells.back(), c) - box.minimum[c];
    boxes_.push_back(std::move(second));
  }

  std::array<std::int64_t, 4096> cellCount_{};
  std::vector<std::uint16_t> cellOfPixel_;
  std::vector<Box> boxes_;
};

void Quantize(const std::uint8_t* bits, int width, int height, ReducedImage& out) {
  MedianCut cut(bits, width, height);
  cut.Split(256);
  cut.Fill(out, width, height);
}

[[noreturn]] void NotImplementedYet() { throw EInvalidGraphicOperation(LoadStr(SNotImplemented)); }


TMemoryStream* StreamOf(const std::vector<std::uint8_t>& bytes) {
  auto* stream = new TMemoryStream;
  stream->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

std::vector<std::uint8_t> BitmapBytesIn(TBitmap* bitmap, TPixelFormat format) {
  TBitmap copy;
  copy.Assign(bitmap);
  copy.SetPixelFormat(format);
  return copy.SaveToBytes();
}

std::vector<std::uint8_t> EightBitBmp(TBitmap* bitmap, TMappingMethod method) {
  std::vector<std::uint8_t> bmp24 = BitmapBytesIn(bitmap, pf24bit);
  if (bmp24.size() < 54 || GetU16(bmp24.data() + 28) != 24) NotImplementedYet();
  const int width = bitmap->Width(), height = bitmap->Height();
  ReducedImage reduced = ReduceTo8Bits(bmp24.data() + GetU32(bmp24.data() + 10), width, height, method);
  std::vector<std::uint8_t> out = BmpHeaders({.Width = width,
                                              .Height = height,
                                              .Bits = 8,
                                              .ImageSize = std::uint32_t(reduced.indexes.size()),
                                              .Palette = reduced.palette,
                                              .ColorsUsed = std::uint32_t(reduced.colorCount)});
  out.insert(out.end(), reduced.indexes.begin(), reduced.indexes.end());
  return out;
}

}  // namespace

ReducedImage ReduceTo8Bits(const std::uint8_t* bits24, int width, int height, TMappingMethod method) {
  ReducedImage out;
  switch (method) {
    case mmTrunc666: Trunc666(bits24, width, height, out); break;
    case mmTrunc784: Trunc784(bits24, width, height, out); break;
    case mmTripel: Tripel(bits24, width, height, out); break;
    case mmGrayscale: Grayscale(bits24, width, height, out); break;
    case mmHistogram: HistogramMethod(bits24, width, height, out); break;
    case mmQuantize: Quantize(bits24, width, height, out); break;
  }
  return out;
}

}  // namespace vt

TPixelFormat ScreenPixelFormat() {
  switch (ScreenBitsPerPixel()) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pfDevice;
  }
}

int ScreenColorCount() {
  switch (ScreenPixelFormat()) {
    case pf1bit: return 2;
    case pf4bit: return 16;
    case pf8bit: return 256;
    default: return 0;
  }
}

TPixelFormat GetBitmapPixelFormat(TBitmap* Bitmap) { return Bitmap->PixelFormat(); }

TPixelFormat GetPaletteBitmapFormat(TBitmap* Bitmap) {
  std::size_t colors = Bitmap->Palette().size();
  if (colors == 0) return Bitmap->PixelFormat();
  return colors <= 2 ? pf1bit : colors <= 16 ? pf4bit : pf8bit;
}

TMemoryStream* BitmapToMemoryStream(TBitmap* Bitmap, TPixelFormat PixelFormat, TMappingMethod Method) {
  if (!Bitmap || Bitmap->Empty()) throw EInvalidGraphic("Bitmap image is not valid");
  if (Bitmap->PixelFormat() == PixelFormat && Method != mmGrayscale) return vt::StreamOf(Bitmap->SaveToBytes());
  switch (PixelFormat) {
    case pf1bit: case pf4bit: case pf24bit: return vt::StreamOf(vt::BitmapBytesIn(Bitmap, PixelFormat));
    case pf8bit: return vt::StreamOf(vt::EightBitBmp(Bitmap, Method));
    default: vt::NotImplementedYet();
  }
}

TMemoryStream* BitmapToMemory(TBitmap* Bitmap, int Colors) {
  TPixelFormat format = Colors <= 2 ? pf1bit : Colors <= 16 ? pf4bit : Colors <= 256 ? pf8bit : pf24bit;
  return BitmapToMemoryStream(Bitmap, format, DefaultMappingMethod);
}

void SaveBitmapToFile(const String& FileName, TBitmap* Bitmap, int Colors) {
  std::unique_ptr<TMemoryStream> stream(BitmapToMemory(Bitmap, Bitmap->Monochrome() ? 2 : Colors));
  stream->SaveToFile(FileName);
}

void SetBitmapPixelFormat(TBitmap* Bitmap, TPixelFormat PixelFormat, TMappingMethod Method) {
  if (Bitmap->Empty() || (Bitmap->PixelFormat() == PixelFormat && Method != mmGrayscale)) return;
  std::unique_ptr<TMemoryStream> stream(BitmapToMemoryStream(Bitmap, PixelFormat, Method));
  Bitmap->LoadFromStream(stream.get());
}

void GrayscaleBitmap(TBitmap* Bitmap) { SetBitmapPixelFormat(Bitmap, pf8bit, mmGrayscale); }

void TileImage(TCanvas* Canvas, const TRect& Rect, TGraphic* Image) {
  const int w = Image->Width(), h = Image->Height();
  if (w <= 0 || h <= 0) return;
  Canvas->IntersectClipRect(Rect);
  for (int i = 0; i <= (Rect.Right - Rect.Left) / w; ++i)
    for (int j = 0; j <= (Rect.Bottom - Rect.Top) / h; ++j) Canvas->Draw(Rect.Left + i * w, Rect.Top + j * h, Image);
  Canvas->RestoreClipRect();
}

TPoint ZoomImage(int ImageW, int ImageH, int MaxW, int MaxH, bool Stretch) {
  if (ImageW < 1 || ImageH < 1 || MaxW < 1 || MaxH < 1) return TPoint{0, 0};
  if (!Stretch) return TPoint{MaxW, MaxH};
  double ratio = std::max(double(ImageW) / MaxW, double(ImageH) / MaxH);
  return TPoint{int(std::lround(ImageW * 0.98 / ratio)), int(std::lround(ImageH * 0.98 / ratio))};
}

void TVtGradient::Assign(TPersistent* Source) {
  if (auto* gradient = dynamic_cast<TVtGradient*>(Source)) {
    startColor_ = gradient->startColor_;
    endColor_ = gradient->endColor_;
    direction_ = gradient->direction_;
    stepCount_ = gradient->stepCount_;
    visible_ = gradient->visible_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

namespace {
template <class T>
void SetAndNotify(T& field, T value, TVtGradient* gradient, void (TVtGradient::*changed)()) {
  if (field == value) return;
  field = value;
  (gradient->*changed)();
}
}  // namespace

void TVtGradient::SetStartColor(TColor value) { SetAndNotify(startColor_, value, this, &TVtGradient::Changed); }
void TVtGradient::SetEndColor(TColor value) { SetAndNotify(endColor_, value, this, &TVtGradient::Changed); }
void TVtGradient::SetDirection(TFillDirection value) { SetAndNotify(direction_, value, this, &TVtGradient::Changed); }
void TVtGradient::SetStepCount(Byte value) { SetAndNotify(stepCount_, value, this, &TVtGradient::Changed); }
void TVtGradient::SetVisible(bool value) { SetAndNotify(visible_, value, this, &TVtGradient::Changed); }

void TVtGradient::Changed() {
  if (OnChange) OnChange(this);
}

void TVtGradient::Draw(TCanvas* Canvas, const TRect& Rect) {
  GradientFillRect(Canvas, Rect, startColor_, endColor_, direction_, stepCount_);
}
