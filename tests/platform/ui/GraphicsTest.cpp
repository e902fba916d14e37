// Graphics: colours, the BMP reader and writer, pictures and their formats, resources, text
// measuring and image lists.
#include <gtest/gtest.h>

#include "rtl/Streams.h"
#include "ui/graphics/Graphics.h"
#include "ui/graphics/ImgList.h"
#include "ui/graphics/Resources.h"
#include "ui/testing/UiTesting.h"

namespace {

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override { vt::EnsureTestApplication(); }
};

TEST_F(GraphicsTest, SystemColoursResolveThroughTheClassicTable)
{
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0x8000000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clHighlight), 0x800000);  // navy, as 0x00BBGGRR
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

// A 5 x 3 bitmap of palette colours, so that every format can hold it exactly.
void Paint(TBitmap& b)
{
    b.SetSize(5, 3);
    const TColor colours[] = {clBlack, clWhite, clBlack, clWhite, clBlack};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            b.Canvas()->SetPixels(x, y, (x + y) % 2 ? clWhite : colours[x]);
}

TEST_F(GraphicsTest, BmpRoundTripKeepsBitCountPixelsAndHeader)
{
    const struct {
        TPixelFormat format;
        int bits;
        std::size_t paletteEntries;
    } cases[] = {{pf1bit, 1, 2}, {pf4bit, 4, 16}, {pf8bit, 8, 256}, {pf15bit, 16, 0},
                 {pf16bit, 16, 0}, {pf24bit, 24, 0}, {pf32bit, 32, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        TBitmap source;
        Paint(source);
        source.SetPixelFormat(c.format);
        const std::vector<std::uint8_t> bytes = source.SaveToBytes();
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(bytes[2] | (bytes[3] << 8) | (bytes[4] << 16), static_cast<int>(bytes.size()));
        EXPECT_EQ(bytes[14], 40);                        // BITMAPINFOHEADER
        EXPECT_EQ(bytes[28] | (bytes[29] << 8), c.bits);  // biBitCount
        const int rowBytes = ((5 * c.bits + 31) / 32) * 4;
        const std::size_t masks = c.format == pf16bit ? 12 : 0;
        EXPECT_EQ(bytes.size(), 54 + masks + c.paletteEntries * 4 + rowBytes * 3u);

        TMemoryStream stream;
        source.SaveToStream(&stream);
        stream.SetPosition(0);
        TBitmap copy;
        copy.LoadFromStream(&stream);
        EXPECT_EQ(copy.PixelFormat(), c.format);
        EXPECT_EQ(copy.Palette(), source.Palette());
        EXPECT_EQ(copy.SaveToBytes(), bytes);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(copy.Canvas()->Pixels(x, y), source.Canvas()->Pixels(x, y));
    }
}

TEST_F(GraphicsTest, DamagedBmpRaisesInvalidGraphic)
{
    TBitmap b;
    Paint(b);
    std::vector<std::uint8_t> bytes = b.SaveToBytes();
    bytes.resize(bytes.size() - 4);
    try {
        b.LoadFromBytes(bytes);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST_F(GraphicsTest, TransparentColourIsTheBottomLeftPixelWithThePaletteFlagUnlessFixed)
{
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(b.TransparentColor(), clFuchsia | 0x02000000);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor() & ~0x02000000, clLime);
}

TEST_F(GraphicsTest, PictureChoosesTheGraphicByExtensionAndRefusesUnknownOnes)
{
    TBitmap b;
    Paint(b);
    b.SetPixelFormat(pf8bit);
    const String file = ::testing::TempDir() + "/picture.bmp";
    b.SaveToFile(file);
    TPicture picture;
    picture.LoadFromFile(file);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), pf8bit);
    try {
        picture.LoadFromFile("photo.xyz");
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
    }

    // The stored-design form names the class, so a registered kind reads its own data back.
    TMemoryStream stream;
    picture.WriteData(&stream);
    stream.SetPosition(0);
    TPicture copy;
    copy.ReadData(&stream);
    EXPECT_EQ(copy.Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(copy.Bitmap()->SaveToBytes(), picture.Bitmap()->SaveToBytes());
}

TEST_F(GraphicsTest, ResourcesAreFoundByNameInAnyLetterCase)
{
    TBitmap b;
    Paint(b);
    vt::RegisterResource("CheckImages", RT_BITMAP, b.SaveToBytes());
    TBitmap loaded;
    loaded.LoadFromResourceName(HInstance, "CHECKIMAGES");
    EXPECT_EQ(loaded.Width(), 5);
    try {
        loaded.LoadFromResourceName(HInstance, "MISSING");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource MISSING not found");
    }
}

TEST_F(GraphicsTest, DrawTextMeasuresWithCalcRectAndWrapsWithinTheWidth)
{
    TBitmap b;
    b.SetSize(200, 100);
    TCanvas* c = b.Canvas();
    TRect one = Rect(0, 0, 0, 0);
    c->DrawText("Hello", one, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(one.Width(), c->TextWidth("Hello"));
    EXPECT_EQ(one.Height(), c->TextHeight("Hello"));
    TRect wrapped = Rect(0, 0, c->TextWidth("Hello") + 2, 0);
    c->DrawText("Hello Hello Hello", wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrapped.Height(), 3 * c->TextHeight("Hello"));
    TRect prefixed = Rect(0, 0, 0, 0);
    c->DrawText("&Save", prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), c->TextWidth("Save"));  // the accelerator mark takes no room
}

TEST_F(GraphicsTest, ImageListCutsStripsAndMasksByColour)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip;
    strip.SetSize(12, 4);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 12, 4));
    strip.Canvas()->SetPixels(5, 1, clRed);
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);

    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    list.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clWhite);  // the mask colour was left out
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Delete(5), EInvalidOperation);
}

}  // namespace
