// Colour reduction: the level tables, each mapping method's palette and indices, BMP output of
// a reduced bitmap, the picture fitting helper and the gradient description.
#include "components/graphics/VtGraph.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "rtl/Exceptions.h"
#include "ui/testing/UiTesting.h"

namespace {

// One row of 24-bit pixels (blue, green, red), DWORD aligned.
std::vector<std::uint8_t> Row24(const std::vector<TColor>& colors) {
  std::vector<std::uint8_t> row;
  for (TColor c : colors) row.insert(row.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
  row.resize((row.size() + 3) & ~std::size_t(3), 0);
  return row;
}

TEST(VtGraph, LevelTablesPickTheNearestLevelAndTheLowerOnATie) {
  const vt::LevelTables& t = vt::ColorLevelTables();
  EXPECT_EQ(t.levels7[42], 1);
  EXPECT_EQ(t.levels7[21], 0);
  EXPECT_EQ(t.levels7[64], 1);
  EXPECT_EQ(t.levels4[128], 2);
  EXPECT_EQ(t.levels6[255], 5);
  EXPECT_EQ(t.levels8[18], 0);
  EXPECT_EQ(t.levels8[19], 1);
}

TEST(VtGraph, FixedMethodsGiveTheirIndexes) {
  struct Case {
    TMappingMethod method;
    TColor color;
    int index;
    TColor entry;  // the palette entry of that index
  };
  const Case cases[] = {
      {mmTrunc666, clWhite, 215, clWhite},    {mmTrunc666, clBlack, 0, clBlack},
      {mmGrayscale, clWhite, 255, clWhite},   {mmGrayscale, clRed, 76, 0x4C4C4C},
      {mmTrunc784, clWhite, 223, clWhite},    {mmTrunc784, clBlack, 0, clBlack},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> row = Row24({c.color});
    vt::ReducedImage reduced = vt::ReduceTo8Bits(row.data(), 1, 1, c.method);
    EXPECT_EQ(reduced.indexes[0], c.index) << c.method << " " << c.color;
    EXPECT_EQ(reduced.palette[std::size_t(c.index)], c.entry) << c.method;
  }
  std::vector<std::uint8_t> row = Row24({clWhite, clWhite, clWhite});
  vt::ReducedImage tripel = vt::ReduceTo8Bits(row.data(), 3, 1, mmTripel);
  EXPECT_EQ((std::vector<int>{tripel.indexes[0], tripel.indexes[1], tripel.indexes[2]}),
            (std::vector<int>{63, 127, 191}));
}

TEST(VtGraph, HistogramAndMedianCutKeepFewColoursExactlyAndReduceMany) {
  std::vector<TColor> few = {clRed, clLime, clBlue, clYellow, clRed, clRed};
  std::vector<std::uint8_t> row = Row24(few);
  vt::ReducedImage histogram = vt::ReduceTo8Bits(row.data(), int(few.size()), 1, mmHistogram);
  EXPECT_EQ(histogram.palette[0], clRed);  // the most frequent colour first
  for (std::size_t x = 0; x < few.size(); ++x) EXPECT_EQ(histogram.palette[histogram.indexes[x]], few[x]);

  // 3000 distinct colours: the reduction still gives every pixel a near colour.
  const int width = 3000;
  std::vector<TColor> many;
  for (int i = 0; i < width; ++i) many.push_back(TColor((i * 37) & 0xFF) | TColor(((i * 11) & 0xFF) << 8) | TColor((i & 0xFF) << 16));
  std::vector<std::uint8_t> wide = Row24(many);
  for (TMappingMethod method : {mmHistogram, mmQuantize}) {
    vt::ReducedImage reduced = vt::ReduceTo8Bits(wide.data(), width, 1, method);
    EXPECT_LE(reduced.colorCount, 256);
    std::set<int> used(reduced.indexes.begin(), reduced.indexes.begin() + width);
    EXPECT_GT(used.size(), 16u) << method;
  }
}

TEST(VtGraph, BitmapToMemoryStreamWritesAn8BitBmpAndRefusesAnEmptyBitmap) {
  vt::EnsureTestApplication();
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(5, 3);
  bitmap.Canvas()->Brush()->SetColor(clRed);
  bitmap.Canvas()->FillRect(Rect(0, 0, 5, 3));
  std::unique_ptr<TMemoryStream> stream(BitmapToMemoryStream(&bitmap, pf8bit, mmTrunc666));
  TBitmap reduced;
  reduced.LoadFromStream(stream.get());
  EXPECT_EQ(reduced.PixelFormat(), pf8bit);
  EXPECT_EQ(reduced.Canvas()->Pixels(4, 2), clRed);
  TBitmap empty;
  try {
    BitmapToMemoryStream(&empty, pf8bit, mmGrayscale);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Bitmap image is not valid");
  }
}

TEST(VtGraph, ZoomImageFitsNinetyEightPerCentOfTheTighterSide) {
  EXPECT_EQ(ZoomImage(200, 100, 100, 100, true), (TPoint{98, 49}));
  EXPECT_EQ(ZoomImage(10, 20, 100, 100, true), (TPoint{49, 98}));
  EXPECT_EQ(ZoomImage(10, 20, 100, 100, false), (TPoint{100, 100}));
  EXPECT_EQ(ZoomImage(0, 20, 100, 100, true), (TPoint{0, 0}));
}

TEST(VtGraph, AFreshGradientIsSilverToGreyInSixtyFourHiddenSteps) {
  TVtGradient gradient;
  EXPECT_EQ(gradient.StartColor(), clSilver);
  EXPECT_EQ(gradient.EndColor(), clGray);
  EXPECT_EQ(gradient.StepCount(), 64);
  EXPECT_FALSE(gradient.Visible());
  int changes = 0;
  gradient.OnChange = [&](TObject*) { ++changes; };
  gradient.SetStepCount(64);
  gradient.SetVisible(true);
  EXPECT_EQ(changes, 1);
}

}  // namespace
