// The about box's mosaic: sixteen GIF87a pictures from its stored design, each drawn in place.
#include <gtest/gtest.h>

#include "app/About.h"
#include "components/graphics/VtGIF.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/testing/UiTesting.h"

namespace {

TEST(AboutBox, TheTilesAreGIFPicturesDecodedWhenTheFormIsMade) {
  vt::EnsureTestApplication();
  TAboutForm about(nullptr);
  for (int i = 0; i < 16; ++i) {
    auto* gif = dynamic_cast<TGIFImage*>(about.Images[i]->Picture()->Graphic());
    ASSERT_NE(gif, nullptr) << i;
    EXPECT_EQ(gif->Version(), gv87a);
    EXPECT_EQ(gif->Width(), 32);
    EXPECT_EQ(gif->Height(), 32);
    EXPECT_FALSE(gif->Corrupted());
  }
  // The top-left tile holds sky, the bottom-left one grass: the pictures are not blank.
  TBitmap* sky = dynamic_cast<TGIFImage*>(about.Images[0]->Picture()->Graphic())->Bitmap();
  TBitmap* grass = dynamic_cast<TGIFImage*>(about.Images[12]->Picture()->Graphic())->Bitmap();
  TColor top = sky->Canvas()->Pixels(0, 0), bottom = grass->Canvas()->Pixels(0, 31);
  EXPECT_GT((top >> 16) & 0xFF, top & 0xFF);           // bluish
  EXPECT_GT((bottom >> 8) & 0xFF, bottom & 0xFF);      // greenish
}

}  // namespace
