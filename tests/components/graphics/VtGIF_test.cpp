// GIF pictures against an independent reader: files made by other encoders decode to the same
// frames, indices, palettes, delays, disposal and transparency as giflib reads them; what we
// write decodes the same in giflib; damaged streams give the reader's errors and never a crash.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "components/graphics/VtGIF.h"
#include "components/graphics/VtGIFCodec.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/Clipboard.h"
#include "ui/testing/UiTesting.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& name) {
  std::ifstream in(std::string(VT_SOURCE_DIR) + "/tests/components/graphics/fixtures/gif/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// giflib's view of a stream.
struct GiflibFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<int> rgb;      // colour table as 0xRRGGBB
  std::vector<int> indexes;  // row by row from the top
  int delay = 0, disposal = 0, transparent = -1;
};
struct GiflibPicture {
  int width = 0, height = 0;
  std::vector<GiflibFrame> frames;
};

int ReadFromBuffer(GifFileType* gif, GifByteType* out, int count) {
  auto* source = static_cast<std::pair<const Bytes*, std::size_t>*>(gif->UserData);
  int n = int(std::min<std::size_t>(std::size_t(count), source->first->size() - source->second));
  std::memcpy(out, source->first->data() + source->second, std::size_t(n));
  source->second += std::size_t(n);
  return n;
}

GiflibPicture ReadWithGiflib(const Bytes& bytes) {
  std::pair<const Bytes*, std::size_t> source{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadFromBuffer, &error);
  EXPECT_NE(gif, nullptr) << GifErrorString(error);
  GiflibPicture picture;
  if (!gif) return picture;
  EXPECT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
  picture.width = gif->SWidth;
  picture.height = gif->SHeight;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GiflibFrame frame;
    frame.left = image.ImageDesc.Left;
    frame.top = image.ImageDesc.Top;
    frame.width = image.ImageDesc.Width;
    frame.height = image.ImageDesc.Height;
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    for (int c = 0; map && c < map->ColorCount; ++c)
      frame.rgb.push_back((map->Colors[c].Red << 16) | (map->Colors[c].Green << 8) | map->Colors[c].Blue);
    frame.indexes.assign(image.RasterBits, image.RasterBits + frame.width * frame.height);
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK) {
      frame.delay = control.DelayTime;
      frame.disposal = control.DisposalMode;
      frame.transparent = control.TransparentColor;
    }
    picture.frames.push_back(frame);
  }
  DGifCloseFile(gif, &error);
  return picture;
}

// The palette index of each pixel of a decoded frame, row by row from the top.
std::vector<int> Indexes(const vt::gif::Frame& frame) {
  bool corrupted = false;
  Bytes bmp = vt::gif::FrameToBmp(frame, false, corrupted);
  EXPECT_FALSE(corrupted);
  int bits = bmp[28];
  std::uint32_t offset = bmp[10] | (bmp[11] << 8);
  int stride = ((bits * frame.width + 31) / 32) * 4;
  std::vector<int> indexes;
  for (int y = 0; y < frame.height; ++y) {
    const std::uint8_t* row = bmp.data() + offset + std::size_t(frame.height - 1 - y) * stride;
    for (int x = 0; x < frame.width; ++x) {
      if (bits == 8) indexes.push_back(row[x]);
      else if (bits == 4) indexes.push_back((row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
      else indexes.push_back((row[x / 8] >> (7 - x % 8)) & 1);
    }
  }
  return indexes;
}

int AsRgb(vt::gif::Color color) { return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF); }

void ExpectSameAsGiflib(const Bytes& bytes, const std::string& name) {
  SCOPED_TRACE(name);
  GiflibPicture expected = ReadWithGiflib(bytes);
  vt::gif::Picture picture;
  vt::gif::ReadPicture(bytes.data(), bytes.size(), false, picture);
  EXPECT_EQ(picture.screenWidth, expected.width);
  EXPECT_EQ(picture.screenHeight, expected.height);
  ASSERT_EQ(picture.frames.size(), expected.frames.size());
  for (std::size_t i = 0; i < expected.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    const vt::gif::Frame& frame = picture.frames[i];
    const GiflibFrame& want = expected.frames[i];
    EXPECT_EQ(frame.left, want.left);
    EXPECT_EQ(frame.top, want.top);
    EXPECT_EQ(frame.width, want.width);
    EXPECT_EQ(frame.height, want.height);
    std::vector<int> table;
    for (int c = 0; c < frame.table.count; ++c) table.push_back(AsRgb(frame.table.colors[c]));
    EXPECT_EQ(table, want.rgb);
    EXPECT_EQ(Indexes(frame), want.indexes);
    EXPECT_EQ(frame.interval, want.delay * 10);
    EXPECT_EQ(frame.disposal, want.disposal);
    if (want.transparent >= 0) EXPECT_EQ(AsRgb(frame.transparent), want.rgb[std::size_t(want.transparent)]);
    else EXPECT_EQ(frame.transparent, vt::gif::kNoColor);
  }
}

const char* const kFixtures[] = {"plain87a.gif", "interlaced.gif", "two_colors.gif",
                                 "animated.gif", "offset_frames.gif", "local_tables.gif"};

TEST(GIFCodec, FilesOfOtherEncodersDecodeAsGiflibReadsThem) {
  for (const char* name : kFixtures) ExpectSameAsGiflib(ReadFile(name), name);
}

TEST(GIFCodec, OurEncoderWritesWhatGiflibReadsBackTheSame) {
  vt::EnsureTestApplication();
  for (const char* name : kFixtures) {
    SCOPED_TRACE(name);
    TGIFImage source;
    TMemoryStream in;
    Bytes bytes = ReadFile(name);
    in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    in.SetPosition(0);
    source.LoadFromStream(&in);
    // Each frame re-encoded from its decoded bitmap.
    TGIFImage copy;
    for (int i = 0; i < source.Count(); ++i) copy.AddFrame(source.Frames(i)->Bitmap());
    TMemoryStream out;
    copy.SaveToStream(&out);
    Bytes written(out.Memory(), out.Memory() + out.Size());
    GiflibPicture reread = ReadWithGiflib(written);
    ASSERT_EQ(int(reread.frames.size()), source.Count());
    for (int i = 0; i < source.Count(); ++i) {
      TBitmap* original = source.Frames(i)->Bitmap();
      const GiflibFrame& frame = reread.frames[std::size_t(i)];
      ASSERT_EQ(frame.width, original->Width());
      ASSERT_EQ(frame.height, original->Height());
      for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
          TColor c = original->Canvas()->Pixels(x, y);
          int rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
          ASSERT_EQ(frame.rgb[std::size_t(frame.indexes[std::size_t(y * frame.width + x)])], rgb)
              << "frame " << i << " at " << x << "," << y;
        }
    }
    // Our own reader reads our stream back to the same indices as giflib.
    ExpectSameAsGiflib(written, std::string(name) + " as written");
  }
}

TEST(GIFCodec, EncoderCodeSizesAndTableResets) {
  struct Case {
    int bits, width, height;
    int codeSize;
  };
  for (Case c : {Case{1, 9, 3, 2}, Case{4, 7, 5, 4}, Case{8, 4096, 1, 8}}) {
    int stride = ((c.bits * c.width + 31) / 32) * 4;
    Bytes pixels(std::size_t(stride) * c.height, 0);  // one colour: the 4096 x 1 case resets the table
    for (int y = 0; y < c.height && c.width < 100; ++y)
      for (int x = 0; x < c.width; ++x)
        if ((x + y) % 2) {
          std::uint8_t* row = pixels.data() + std::size_t(y) * stride;
          if (c.bits == 1) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
          else if (c.bits == 4) row[x / 2] |= std::uint8_t(x % 2 ? 0x03 : 0x30);
        }
    vt::gif::Frame frame;
    frame.width = c.width;
    frame.height = c.height;
    frame.bits = c.bits;
    frame.table.count = 1 << c.bits;
    vt::gif::GifLzwEncode(frame.raster, c.width, c.height, c.bits, false, pixels.data());
    EXPECT_EQ(frame.raster[0], c.codeSize);
    bool corrupted = false;
    Bytes bmp = vt::gif::FrameToBmp(frame, false, corrupted);
    std::uint32_t offset = bmp[10] | (bmp[11] << 8);
    EXPECT_EQ(Bytes(bmp.begin() + offset, bmp.end()), pixels) << c.bits << " bits";
  }
}

TEST(GIFCodec, InterlacedRowsAreEachWrittenOnce) {
  for (int height : {1, 2, 3, 5, 9, 16}) {
    std::vector<int> seen(std::size_t(height), 0);
    for (int y = 0; y < height; y = vt::gif::NextInterlacedRow(y, height)) ++seen[std::size_t(y)];
    EXPECT_EQ(seen, std::vector<int>(std::size_t(height), 1)) << height;
  }
}

// A 2 x 2 picture with a 2-colour global table; its raster is given by the caller.
Bytes SmallGif(const std::string& version, Bytes raster, Bytes beforeImage = {},
               Bytes descriptor = {0, 0, 0, 0, 2, 0, 2, 0, 0}) {
  Bytes gif(version.begin(), version.end());
  gif.insert(gif.end(), {2, 0, 2, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255});
  gif.insert(gif.end(), beforeImage.begin(), beforeImage.end());
  gif.push_back(',');
  gif.insert(gif.end(), descriptor.begin(), descriptor.end());
  gif.insert(gif.end(), raster.begin(), raster.end());
  return gif;
}

// Clear, 0, 1, 1 in 3-bit codes, then 0 and end in 4-bit codes (4 = clear, 5 = end).
const Bytes kGoodRaster = {2, 3, 0x44, 0x02, 0x05, 0, ';'};

TEST(GIFCodec, DamagedStreamsGiveTheReadersErrors) {
  struct Case {
    const char* what;
    Bytes stream;
    const char* error;  // nullptr: reads
  };
  Bytes netscapeLoop = {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0xFF, 0xFF, 0};
  Case cases[] = {
      {"a good picture", SmallGif("GIF87a", kGoodRaster), nullptr},
      {"signature GIF88a", SmallGif("GIF88a", kGoodRaster), "Unknown GIF version"},
      {"signature GIX89a", SmallGif("GIX89a", kGoodRaster), "Unknown GIF version"},
      {"an unknown extension", SmallGif("GIF89a", kGoodRaster, {'!', 0x02, 0}), "Unrecognized extension block: 02"},
      {"no trailer", SmallGif("GIF87a", {2, 3, 0x44, 0x02, 0x05, 0}), nullptr},
      {"data after the last frame", SmallGif("GIF87a", {2, 3, 0x44, 0x02, 0x05, 0, 'Q', 'Q'}), nullptr},
      {"zero bytes between blocks", SmallGif("GIF89a", kGoodRaster, {0, 0, 0}), nullptr},
      {"a frame outside the screen", SmallGif("GIF87a", kGoodRaster, {}, {0xE8, 3, 0xE8, 3, 2, 0, 2, 0, 0}), nullptr},
      {"the header cut short", Bytes{'G', 'I', 'F', '8', '9', 'a', 2}, "Stream read error"},
      {"a colour table cut short", Bytes{'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x87, 0, 0, 1, 2}, "Stream read error"},
      {"unknown data after the extensions", SmallGif("GIF89a", kGoodRaster, {'!', 0xFE, 1, 'x', 0, 'Q'}),
       "Stream read error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vt::gif::Picture picture;
    try {
      vt::gif::ReadPicture(c.stream.data(), c.stream.size(), false, picture);
      EXPECT_EQ(c.error, nullptr);
    } catch (const Exception& e) {
      ASSERT_NE(c.error, nullptr) << e.Message();
      EXPECT_EQ(e.Message(), c.error);
    }
  }
  vt::gif::Picture looping;
  Bytes withLoop = SmallGif("GIF89a", kGoodRaster, netscapeLoop);
  vt::gif::ReadPicture(withLoop.data(), withLoop.size(), false, looping);
  EXPECT_TRUE(looping.looping);
  EXPECT_EQ(looping.repeatCount, 30000);
}

TEST(GIFCodec, DamagedRasterIsMarkedCorruptedOrRefused) {
  struct Case {
    const char* what;
    Bytes raster;
    const char* error;  // the decoder's error when faults are not tolerated
  };
  Case cases[] = {
      {"code size 1", {1, 3, 0x44, 0x02, 0x05, 0, ';'}, "GIF code size not in range 2 to 9"},
      {"code size 13", {13, 3, 0x44, 0x02, 0x05, 0, ';'}, "GIF code size not in range 2 to 9"},
      {"data ending early", {2, 1, 0x04, 0, ';'}, "Stream read error"},
      {"a sub-block past the end", {2, 200, 0x44}, "Stream read error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes stream = SmallGif("GIF87a", c.raster);
    vt::gif::Picture tolerated;
    vt::gif::ReadPicture(stream.data(), stream.size(), true, tolerated);
    ASSERT_EQ(tolerated.frames.size(), 1u);
    bool corrupted = tolerated.frames[0].corrupted;
    vt::gif::FrameToBmp(tolerated.frames[0], true, corrupted);
    EXPECT_TRUE(corrupted);
    try {
      vt::gif::Picture strict;
      vt::gif::ReadPicture(stream.data(), stream.size(), false, strict);
      ASSERT_EQ(strict.frames.size(), 1u);
      bool unused = false;
      vt::gif::FrameToBmp(strict.frames[0], false, unused);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.error);
    }
  }
}

TEST(GIFImage, ASubBlockPastTheEndIsDecodedAsFarAsItGoes) {
  vt::EnsureTestApplication();
  // Clear, 0, 1, 1 in a sub-block claiming 3 bytes of which 2 are there.
  Bytes stream = SmallGif("GIF87a", {2, 3, 0x44, 0x02});
  TMemoryStream in;
  in.WriteBuffer(stream.data(), std::int64_t(stream.size()));
  in.SetPosition(0);
  TGIFImage image;
  image.LoadFromStream(&in);
  EXPECT_TRUE(image.Corrupted());
  TBitmap* bitmap = image.Bitmap();
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), clWhite);
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 1), clWhite);
}

TEST(GIFCodec, CodesAtAndBeyondTheFreeCodeDecodeWithoutReadingOutside) {
  // 3-bit codes after the clear code 4: "0, 6, 7" (each the free code when it comes) and
  // "0, 7" (beyond the table); both give the first pixel's colour for the whole picture.
  for (const Bytes& raster : {Bytes{2, 2, 0x84, 0x0F, 0, ';'}, Bytes{2, 2, 0xC4, 0x01, 0, ';'}}) {
    Bytes stream = SmallGif("GIF87a", raster);
    vt::gif::Picture picture;
    vt::gif::ReadPicture(stream.data(), stream.size(), true, picture);
    EXPECT_EQ(Indexes(picture.frames[0]), (std::vector<int>{0, 0, 0, 0}));
  }
}

TEST(GIFImage, WritingKeepsLoopCommentsAndControlExtensions) {
  vt::EnsureTestApplication();
  TGIFImage image;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(3, 2);
  image.AddFrame(&bitmap);
  image.AddFrame(&bitmap);
  image.SetLooping(true);
  image.SetRepeatCount(0);
  image.Frames(0)->SetAnimateInterval(150);
  image.Frames(0)->SetDisposalMethod(dmLeave);
  image.Comment()->Add(String(300, 'c'));
  TMemoryStream out;
  image.SaveToStream(&out);
  Bytes bytes(out.Memory(), out.Memory() + out.Size());
  std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.substr(0, 6), "GIF89a");
  const Bytes loop = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), loop.begin(), loop.end()), bytes.end());
  const Bytes control = {'!', 0xF9, 4, 0x04, 15, 0};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), control.begin(), control.end()), bytes.end());
  Bytes comment = {'!', 0xFE, 255};
  comment.insert(comment.end(), 255, 'c');
  comment.push_back(0);
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), comment.begin(), comment.end()), bytes.end());

  TGIFImage reread;
  out.SetPosition(0);
  reread.LoadFromStream(&out);
  EXPECT_EQ(reread.Count(), 2);
  EXPECT_TRUE(reread.Looping());
  EXPECT_EQ(reread.Frames(0)->AnimateInterval(), 150);
  EXPECT_EQ(reread.Frames(0)->DisposalMethod(), dmLeave);
  EXPECT_THROW(reread.SetWidth(5), EInvalidGraphicOperation);
}

// A frame from a 24-bit bitmap of two pixels, which the picture holds as a bitmap alone.
void AddTwoPixelFrame(TGIFImage& image, TColor left, TColor right) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(2, 1);
  bitmap.Canvas()->SetPixels(0, 0, left);
  bitmap.Canvas()->SetPixels(1, 0, right);
  image.AddFrame(&bitmap);
}

TEST(GIFImage, SystemColoursAreWrittenAsTheirTableEntries) {
  vt::EnsureTestApplication();
  const TColor window = ColorToRGB(clWindow);
  TGIFImage image;
  AddTwoPixelFrame(image, clBlack, window);
  image.SetBackgroundColor(clWindow);
  image.Frames(0)->SetTransparentColor(clWindow);
  TMemoryStream out;
  image.SaveToStream(&out);
  out.SetPosition(0);
  TGIFImage reread;
  reread.LoadFromStream(&out);
  EXPECT_EQ(reread.BackgroundColor(), window);
  EXPECT_EQ(reread.TransparentColor(), window);

  image.Grayscale(false);
  const int grey = (77 * (window & 0xFF) + 150 * ((window >> 8) & 0xFF) + 29 * ((window >> 16) & 0xFF)) >> 8;
  EXPECT_EQ(image.BackgroundColor(), TColor(grey | grey << 8 | grey << 16));

  // A decoded frame greyed in its own table keeps the system colour's entry transparent.
  reread.Frames(0)->SetTransparentColor(clWindow);
  reread.Grayscale(false);
  EXPECT_EQ(reread.Frames(0)->TransparentColor(), TColor(grey | grey << 8 | grey << 16));
}

// A frame added from a bitmap has no raster yet: greying reduces the bitmap, and what was
// transparent stays so, in the grey it became; the frame's comment goes along. giflib reads back
// the transparent pixel.
TEST(GIFImage, GreyingAFrameThatHoldsOnlyABitmapKeepsItsTransparentColourAndComment) {
  vt::EnsureTestApplication();
  TGIFImage image;
  AddTwoPixelFrame(image, clRed, clWhite);
  image.Frames(0)->SetTransparentColor(clRed);
  image.Frames(0)->SetComment("Camp logo");
  image.Grayscale(false);
  const TColor greyRed = TColor(76 | 76 << 8 | 76 << 16);
  EXPECT_EQ(image.Frames(0)->TransparentColor(), greyRed);
  EXPECT_EQ(image.Frames(0)->Comment(), "Camp logo");

  TMemoryStream out;
  image.SaveToStream(&out);
  const GiflibPicture read = ReadWithGiflib(Bytes(out.Memory(), out.Memory() + out.Size()));
  ASSERT_EQ(read.frames.size(), 1u);
  const GiflibFrame& frame = read.frames[0];
  ASSERT_GE(frame.transparent, 0);
  EXPECT_EQ(frame.indexes.at(0), frame.transparent);
  EXPECT_EQ(frame.rgb.at(std::size_t(frame.transparent)), 0x4C4C4C);
  EXPECT_NE(frame.indexes.at(1), frame.transparent);
  out.SetPosition(0);
  TGIFImage reread;
  reread.LoadFromStream(&out);
  EXPECT_EQ(reread.Frames(0)->Comment(), "Camp logo");
}

TEST(GIFImage, AFramesCommentLinesAreFoundOrMadeAndEditedInPlace) {
  vt::EnsureTestApplication();
  TGIFImage image;
  AddTwoPixelFrame(image, clRed, clBlue);
  TGIFFrame* frame = image.Frames(0);
  EXPECT_EQ(frame->FindComment(false), nullptr);
  TStrings* lines = frame->FindComment(true);
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->Count(), 0);
  lines->Add("Session 3");
  lines->Add("Team photo");
  EXPECT_EQ(frame->Comment(), "Session 3Team photo");

  TMemoryStream stream;
  image.SaveToStream(&stream);
  stream.SetPosition(0);
  TGIFImage reread;
  reread.LoadFromStream(&stream);
  TStrings* found = reread.Frames(0)->FindComment(false);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Text(), "Session 3\nTeam photo\n");
  found->SetStrings(1, "Group photo");
  EXPECT_EQ(reread.Frames(0)->Comment(), "Session 3Group photo");
}

TEST(GIFImage, LoadsFromAResourceByNameOrNumber) {
  vt::EnsureTestApplication();
  vt::RegisterResource("CAMP_BANNER", RT_RCDATA, ReadFile("animated.gif"));
  vt::RegisterResource("#4711", RT_RCDATA, ReadFile("animated.gif"));
  TGIFImage byName, byNumber;
  byName.LoadFromResourceName(HInstance, "CAMP_BANNER");
  byNumber.LoadFromResourceID(HInstance, 4711);
  EXPECT_GT(byName.Count(), 1);
  EXPECT_EQ(byNumber.Count(), byName.Count());
  EXPECT_EQ(byNumber.Width(), byName.Width());
  TGIFImage missing;
  EXPECT_THROW(missing.LoadFromResourceID(HInstance, 4712), EResNotFound);
}

TEST(GIFImage, PictureAndClipboardFormatsAreRegisteredAndTheStoredFormRoundTrips) {
  vt::EnsureTestApplication();
  TPicture picture;
  Bytes bytes = ReadFile("animated.gif");
  std::string path = ::testing::TempDir() + "vt-gif-test.gif";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  picture.LoadFromFile(path);
  auto* gif = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->Count(), 2);
  EXPECT_TRUE(gif->Transparent());
  EXPECT_EQ(gif->Width(), 24);
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_GIF));

  TMemoryStream stored;
  gif->WriteData(&stored);
  stored.SetPosition(0);
  TGIFImage copy;
  copy.ReadData(&stored);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Frames(1)->AnimateInterval(), 300);
  std::remove(path.c_str());

  // A copy puts the whole GIF beside the first frame's bitmap.
  Clipboard()->Assign(gif);
  ASSERT_TRUE(Clipboard()->HasFormat(CF_GIF));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  TGIFImage pasted;
  pasted.LoadFromClipboardFormat(CF_GIF, Clipboard()->GetAsBytes(CF_GIF));
  EXPECT_EQ(pasted.Count(), 2);
  EXPECT_EQ(pasted.Width(), 24);
}

// The stored form: a byte count, then the picture.
Bytes Stored(std::int32_t count, const Bytes& gif) {
  Bytes stored(4);
  std::memcpy(stored.data(), &count, 4);
  stored.insert(stored.end(), gif.begin(), gif.end());
  return stored;
}

void ReadStored(TGIFImage& image, const Bytes& stored) {
  TMemoryStream in;
  in.WriteBuffer(stored.data(), std::int64_t(stored.size()));
  in.SetPosition(0);
  image.ReadData(&in);
}

TEST(GIFImage, ClaimedSizesBeyondTheStreamFailInBoundedMemory) {
  vt::EnsureTestApplication();
  // 16 bytes of raster cannot fill 65535 x 16384 pixels (4 GB as a bitmap), nor 65535 x 65535.
  const Bytes huge16k = SmallGif("GIF87a", kGoodRaster, {}, {0, 0, 0, 0, 0xFF, 0xFF, 0, 0x40, 0});
  const Bytes huge64k = SmallGif("GIF87a", kGoodRaster, {}, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0});
  struct Case {
    const char* what;
    Bytes stored;
    const char* error;
  };
  const Case cases[] = {
      {"a byte count of 2 GB", Stored(0x7FFFFFFF, SmallGif("GIF87a", kGoodRaster)), "Stream read error"},
      {"a negative byte count", Stored(-5, SmallGif("GIF87a", kGoodRaster)), "Stream read error"},
      {"a frame of 65535 x 16384", Stored(std::int32_t(huge16k.size()), huge16k), "GIF encoded data is corrupt"},
      {"a frame of 65535 x 65535", Stored(std::int32_t(huge64k.size()), huge64k), "GIF encoded data is corrupt"},
  };
  for (bool tolerate : {true, false}) {
    GIFLoadCorrupted = tolerate;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (tolerate ? ", faults tolerated" : ""));
      TGIFImage image;
      try {
        ReadStored(image, c.stored);
        ADD_FAILURE() << "read";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.error);
      }
      EXPECT_TRUE(image.Empty());
    }
  }
  GIFLoadCorrupted = true;

  // The clipboard form (with no bitmap beside it) decodes on first use: the bitmap then raises.
  Clipboard()->Clear();
  TGIFImage pasted;
  pasted.LoadFromClipboardFormat(CF_GIF, Stored(std::int32_t(huge64k.size()), huge64k));
  ASSERT_EQ(pasted.Count(), 1);
  try {
    pasted.Bitmap();
    ADD_FAILURE() << "decoded";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "GIF encoded data is corrupt");
  }
}

TEST(GIFImage, SizesAndPositionsBeyondSixteenBitsAreRefusedWhenWritten) {
  vt::EnsureTestApplication();
  TBitmap wide;
  wide.SetPixelFormat(pf8bit);
  wide.SetSize(70000, 1);
  TBitmap small;
  small.SetPixelFormat(pf8bit);
  small.SetSize(2, 2);
  struct Case {
    const char* what;
    TBitmap* bitmap;
    TPoint topLeft;
  };
  for (const Case& c : {Case{"a frame 70000 wide", &wide, {0, 0}}, Case{"a frame at x 70000", &small, {70000, 0}},
                        Case{"a frame ending past 65535", &small, {65535, 0}}}) {
    SCOPED_TRACE(c.what);
    TGIFImage image;
    image.AddFrame(c.bitmap);
    image.Frames(0)->SetTopLeft(c.topLeft);
    TMemoryStream out;
    try {
      image.SaveToStream(&out);
      ADD_FAILURE() << "written";
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_EQ(e.Message(), "GIF image encoding error");
    }
    EXPECT_EQ(out.Size(), 0);
  }
}

TEST(GIFCodec, FlatBlocksCompressAndReadBackExactly) {
  const int width = 1000, height = 1000;
  Bytes pixels(std::size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[std::size_t(y) * width + x] = std::uint8_t((x / 50 + y / 50) % 16);
  vt::gif::Frame frame;
  frame.width = width;
  frame.height = height;
  frame.bits = 8;
  frame.table.count = 256;
  vt::gif::GifLzwEncode(frame.raster, width, height, 8, false, pixels.data());
  EXPECT_LT(frame.raster.size(), 40000u);  // one million pixels of 20 x 20 blocks
  bool corrupted = false;
  Bytes bmp = vt::gif::FrameToBmp(frame, false, corrupted);
  EXPECT_FALSE(corrupted);
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bmp.end() - std::ptrdiff_t(pixels.size())));
}

}  // namespace
