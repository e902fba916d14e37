// The animated-cursor reader on files built chunk by chunk: frames, rates, sequence, the
// information list, padding, and the refusals.
#include "components/graphics/AniFile.h"

#include <gtest/gtest.h>

#include <string>

#include "IconFile.h"
#include "components/graphics/IcoList.h"
#include "components/graphics/VtGIF.h"
#include "rtl/Exceptions.h"
#include "ui/testing/UiTesting.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using vt::test::Chunk;
using vt::test::Header;
using vt::test::List;
using vt::test::Riff;
using vt::test::Values;

void Load(TAnimatedCursorImage& cursor, const Bytes& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  stream.SetPosition(0);
  cursor.LoadFromStream(&stream);
}

class AniFile : public ::testing::Test {
 protected:
  void SetUp() override { vt::EnsureTestApplication(); }
};

TEST_F(AniFile, FramesTakeTheirIconsRatesAndSequenceAndTheInformation) {
  Bytes icon16 = vt::test::IconFile(16, 4), cursor32 = vt::test::IconFile(32, 32, 2, 5, 7);
  std::string longTitle(300, 't');
  Bytes file = Riff({
      Header(2, 2, 6),
      Chunk("rate", Values({12, 99})),  // only the first value counts, for frame 0
      Chunk("seq ", Values({1})),       // frame 0 shows icon 1
      Chunk("seq ", Values({0})),       // frame 1 shows icon 0
      Chunk("odd ", Bytes{1, 2, 3}),    // an unknown chunk of odd size, padded
      List("fram", {Chunk("icon", icon16), Chunk("icon", cursor32), Chunk("icon", icon16)}),
      List("INFO", {Chunk("INAM", Bytes(longTitle.begin(), longTitle.end())), Chunk("IART", Bytes{'M', 'e', 0})}),
  });
  TAnimatedCursorImage cursor;
  Load(cursor, file);
  ASSERT_EQ(cursor.IconCount(), 3);  // the third icon has no frame: it is appended
  EXPECT_EQ(cursor.Icons(0)->Width(), 32);
  EXPECT_EQ(cursor.Frames(0)->HotSpot(), (TPoint{5, 7}));
  EXPECT_FALSE(cursor.Frames(0)->IsIcon());
  EXPECT_EQ(cursor.Frames(0)->Rate(), 12);
  EXPECT_EQ(cursor.Icons(1)->Width(), 16);
  EXPECT_EQ(cursor.Frames(1)->Rate(), 6);
  EXPECT_EQ(cursor.Frames(2)->Index(), -1);
  EXPECT_EQ(cursor.DefaultRate(), 100);
  EXPECT_EQ(cursor.Title(), String(255, 't'));
  EXPECT_EQ(cursor.Creator(), "Me");

  TIconList list;
  list.Assign(&cursor);
  EXPECT_EQ(list.Count(), 3);
  TBitmap strip;
  cursor.AssignToBitmap(&strip, clWhite, false, false);
  EXPECT_EQ(strip.Width(), 96);
  EXPECT_EQ(strip.Height(), 32);
}

TEST_F(AniFile, AGIFPictureTakesOneFramePerIconAtTheCursorsRates) {
  Bytes icon = vt::test::IconFile(16, 4);
  TAnimatedCursorImage cursor;
  Load(cursor, Riff({Header(2, 2, 6), Chunk("rate", Values({12})), List("fram", {Chunk("icon", icon), Chunk("icon", icon)})}));
  TGIFImage gif;
  gif.Assign(&cursor);
  ASSERT_EQ(gif.Count(), 2);
  EXPECT_EQ(gif.BackgroundColor(), clWindow);
  EXPECT_EQ(gif.Frames(0)->AnimateInterval(), 200);
  EXPECT_EQ(gif.Frames(1)->AnimateInterval(), 100);
  EXPECT_EQ(gif.Frames(1)->Bitmap()->Width(), 16);
  TMemoryStream out;
  gif.SaveToStream(&out);
  out.SetPosition(0);
  TGIFImage reread;
  reread.LoadFromStream(&out);
  EXPECT_EQ(reread.Count(), 2);
  EXPECT_EQ(reread.Frames(0)->AnimateInterval(), 200);
  EXPECT_EQ(reread.Width(), 16);
}

TEST_F(AniFile, FramesWithoutAnIconAreDroppedAndAFileWithoutFramesIsRefused) {
  TAnimatedCursorImage cursor;
  Load(cursor, Riff({Header(3, 3, 6), Chunk("seq ", Values({0})), Chunk("seq ", Values({5})),
                     List("fram", {Chunk("icon", vt::test::IconFile(16, 4))})}));
  EXPECT_EQ(cursor.IconCount(), 1);
  EXPECT_EQ(cursor.NumberOfSteps(), 1);

  struct Case {
    const char* what;
    Bytes file;
  };
  const Case refused[] = {
      {"no chunks", Riff({})},
      {"not ACON", Chunk("RIFF", Bytes{'A', 'V', 'I', ' '})},
      {"not RIFF", Chunk("RIFX", Bytes{'A', 'C', 'O', 'N'})},
      {"frames not flagged as icons", Riff({Header(1, 1, 6, 0), List("fram", {Chunk("icon", vt::test::IconFile(16, 4))})})},
      {"no steps", Riff({Header(1, 0, 6), List("fram", {Chunk("icon", vt::test::IconFile(16, 4))})})},
      {"a cut icon list", [] {
         Bytes file = Riff({Header(1, 1, 6), List("fram", {Chunk("icon", vt::test::IconFile(16, 4))})});
         file.resize(file.size() - 40);
         return file;
       }()},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.what);
    try {
      Load(cursor, c.file);
      ADD_FAILURE() << "read";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error");
    }
  }
  EXPECT_THROW(cursor.SaveToStream(nullptr), Exception);
}

TEST_F(AniFile, ACursorWhoseIconIsDamagedLoadsNothingAndHandsOnNothing) {
  Bytes damaged = vt::test::IconFile(16, 4);
  std::fill(damaged.begin() + 22, damaged.end(), 0xEE);  // the image behind the directory
  TAnimatedCursorImage cursor;
  Load(cursor, Riff({Header(2, 2, 6), List("fram", {Chunk("icon", vt::test::IconFile(16, 4))})}));
  ASSERT_EQ(cursor.IconCount(), 1);
  EXPECT_THROW(Load(cursor, Riff({Header(2, 2, 6), List("fram", {Chunk("icon", damaged),
                                                                  Chunk("icon", vt::test::IconFile(16, 4))})})),
               Exception);
  EXPECT_EQ(cursor.IconCount(), 0);

  TBitmap strip;
  cursor.AssignToBitmap(&strip, clWhite, true, false);
  EXPECT_TRUE(strip.Empty());
  TIconList list;
  list.Assign(&cursor);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
