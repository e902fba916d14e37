// Icons through the clipboard at their stored size: the icon file under the icon format, the
// icon painted over a background as a bitmap beside it, and drawing at the stored size.
#include "components/graphics/Clipicon.h"

#include <gtest/gtest.h>

#include <memory>

#include "IconFile.h"
#include "rtl/Streams.h"
#include "ui/kernel/Clipboard.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

namespace {

// A red 48 x 48 icon whose bottom row is transparent (its mask row set).
std::unique_ptr<TIcon> RedIcon() {
  std::vector<std::uint8_t> bytes = vt::test::IconFile(48, 4);
  const std::size_t andStride = 8, maskStart = bytes.size() - andStride * 48;
  std::fill(bytes.begin() + std::ptrdiff_t(maskStart), bytes.begin() + std::ptrdiff_t(maskStart + andStride), 0xFF);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream.SetPosition(0);
  auto icon = std::make_unique<TIcon>();
  icon->LoadFromStream(&stream);
  return icon;
}

class ClipboardIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    Clipboard()->Clear();
  }
};

TEST_F(ClipboardIcon, ACopiedIconComesBackWithItsBitmapOverTheBackground) {
  EXPECT_EQ(CreateIconFromClipboard(), nullptr);
  std::unique_ptr<TIcon> icon = RedIcon();
  CopyIconToClipboard(icon.get(), clLime);

  ASSERT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(CF_BITMAP, Clipboard()->GetAsBytes(CF_BITMAP));
  ASSERT_EQ(bitmap.Width(), 48);
  ASSERT_EQ(bitmap.Height(), 48);
  EXPECT_EQ(bitmap.Canvas()->Pixels(10, 10), clRed);
  EXPECT_EQ(bitmap.Canvas()->Pixels(10, 47), clLime);

  std::unique_ptr<TIcon> back(CreateIconFromClipboard());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 48);
  EXPECT_EQ(back->Height(), 48);
  TIcon assigned;
  AssignClipboardIcon(&assigned);
  EXPECT_EQ(assigned.Width(), 48);
}

TEST_F(ClipboardIcon, AnIconIsDrawnAtItsStoredSizeWhateverTheSystemIconSize) {
  ASSERT_NE(GetSystemMetrics(SM_CXICON), 48);
  std::unique_ptr<TIcon> icon = RedIcon();
  TBitmap canvas;
  canvas.SetSize(80, 80);
  canvas.Canvas()->Brush()->SetColor(clWhite);
  canvas.Canvas()->FillRect(Rect(0, 0, 80, 80));
  DrawRealSizeIcon(canvas.Canvas(), icon.get(), 10, 10);
  EXPECT_EQ(canvas.Canvas()->Pixels(10, 10), clRed);
  EXPECT_EQ(canvas.Canvas()->Pixels(57, 56), clRed);
  EXPECT_EQ(canvas.Canvas()->Pixels(58, 56), clWhite);
  EXPECT_EQ(canvas.Canvas()->Pixels(57, 57), clWhite) << "the transparent bottom row";
  EXPECT_EQ(canvas.Canvas()->Pixels(57, 58), clWhite);

  int w = 0, h = 0;
  GetIconSize(icon.get(), w, h);
  EXPECT_EQ(w, 48);
  EXPECT_EQ(h, 48);
  TIcon empty;
  GetIconSize(&empty, w, h);
  EXPECT_EQ(w, GetSystemMetrics(SM_CXICON));
}

}  // namespace
