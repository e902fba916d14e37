// Tests of the geometry and utility routines: edges of rectangles, polygons, dialog units,
// memory blocks and command-line splitting.
#include "components/vtGuiutils.h"

#include "components/Vtconst.h"
#include "rtl/Exceptions.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/Resources.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

TEST(vtGuiutils, PointInRectCountsTheRightAndBottomEdges)
{
  const TRect r = Rect(10, 10, 20, 30);
  EXPECT_TRUE(PointInRect(Point(20, 30), r));
  EXPECT_TRUE(PointInRect(Point(10, 10), r));
  EXPECT_FALSE(PointInRect(Point(21, 15), r));
  EXPECT_FALSE(PointInRect(Point(15, 9), r));
  EXPECT_EQ(WidthOf(r), 10);
  EXPECT_EQ(HeightOf(r), 20);
}

TEST(vtGuiutils, PointInPolygon)
{
  const std::vector<TPoint> triangle{Point(0, 0), Point(10, 0), Point(0, 10)};
  EXPECT_TRUE(PointInPolyRgn(Point(2, 2), triangle));
  EXPECT_FALSE(PointInPolyRgn(Point(8, 8), triangle));
  EXPECT_FALSE(PointInPolyRgn(Point(-1, 2), triangle));
}

TEST(vtGuiutils, FourDialogUnitsAreOneHorizontalBaseUnit)
{
  EXPECT_EQ(DialogUnitsToPixelsX(4), DialogUnitsToPixelsX(8) / 2);
  EXPECT_EQ(PixelsToDialogUnitsX(DialogUnitsToPixelsX(4)), 4);
  EXPECT_EQ(PixelsToDialogUnitsY(DialogUnitsToPixelsY(8)), 8);
}

TEST(vtGuiutils, MemoBlocksKnowTheirSizeAndStartZeroed)
{
  EXPECT_EQ(AllocMemo(0), nullptr);
  void* p = AllocMemo(16);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(GetMemoSize(p), 16);
  EXPECT_EQ(static_cast<unsigned char*>(p)[15], 0);
  p = ReallocMemo(p, 64);
  EXPECT_EQ(GetMemoSize(p), 64);
  FreeMemo(p);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(GetMemoSize(p), 0);
}

TEST(vtGuiutils, SplitCommandLine)
{
  const struct { const char* line; const char* cmd; const char* params; } cases[] = {
      {"prog a b", "prog", "a b"},
      {"  \"/usr/my prog\"  -x   \"two words\"", "/usr/my prog", "-x \"two words\""},
      {"\"\"prog  x", "prog", "x"},
      {"prog", "prog", ""},
  };
  for (const auto& c : cases) {
    String cmd, params;
    SplitCommandLine(c.line, cmd, params);
    EXPECT_EQ(cmd, c.cmd) << c.line;
    EXPECT_EQ(params, c.params) << c.line;
  }
}

TEST(vtGuiutils, SmallStringHelpers)
{
  EXPECT_EQ(DropT("TVtCalcEdit"), "VtCalcEdit");
  EXPECT_EQ(DropT("tform"), "form");
  EXPECT_EQ(DropT("T"), "T");
  EXPECT_EQ(DropT(""), "");
  EXPECT_EQ(AnsiUpperFirstChar("camp"), "Camp");
  EXPECT_EQ(ResStr("Ident"), "Ident");
  EXPECT_NO_THROW(RaiseWin32Error(0));
  EXPECT_THROW(RaiseWin32Error(2), EOSError);
}

TEST(vtGuiutils, NestedWaitsRestoreTheCursorAtTheOutermostStop)
{
  vt::EnsureTestApplication();
  Screen->SetCursor(crDefault);
  StartWait();
  StartWait();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  StopWait();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  StopWait();
  EXPECT_EQ(Screen->Cursor(), crDefault);
  StopWait(); // without a matching start: nothing
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(vtGuiutils, NotImplementedTellsAndAbortsSilently)
{
  vt::EnsureTestApplication();
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  EXPECT_THROW(NotImplemented(), EAbort);
  EXPECT_EQ(responder.Last().Text, "Function not yet implemented");
}

TEST(vtGuiutils, GradientBandsRunFromStartToEndColour)
{
  vt::EnsureTestApplication();
  TBitmap bitmap;
  bitmap.SetSize(10, 4);
  GradientFillRect(bitmap.Canvas(), Rect(0, 0, 10, 4), clBlack, clWhite, fdLeftToRight, 2);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bitmap.Canvas()->Pixels(9, 3), clWhite);
  GradientFillRect(bitmap.Canvas(), Rect(0, 0, 10, 4), clBlack, clWhite, fdRightToLeft, 2);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clWhite);
}

TEST(vtGuiutils, DisabledLookInksEveryPixelButTheOutlineColour)
{
  vt::EnsureTestApplication();
  TBitmap glyph;
  glyph.SetSize(4, 1);
  const TColor pixels[] = {clFuchsia, clWhite, ColorToRGB(clBtnFace), clRed};
  for (int x = 0; x < 4; ++x)
    glyph.Canvas()->SetPixels(x, 0, pixels[x]);
  TBitmap* disabled = CreateDisabledBitmapEx(&glyph, clFuchsia, clBtnFace, clBtnHighlight, clBtnShadow, false);
  const TColor expected[] = {ColorToRGB(clBtnFace), ColorToRGB(clBtnShadow), ColorToRGB(clBtnShadow),
                             ColorToRGB(clBtnShadow)};
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(disabled->Canvas()->Pixels(x, 0), expected[x]) << x;
  delete disabled;
}

TEST(vtGuiutils, LibraryCursorsAndDefinedCursorsTakeTheirNumbers)
{
  vt::EnsureTestApplication();
  Application->Initialize();
  const HCURSOR standard = Screen->Cursors(crDefault);
  EXPECT_NE(Screen->Cursors(crHand), standard);
  EXPECT_NE(Screen->Cursors(crDragHand), standard);
  EXPECT_NE(Screen->Cursors(crHand), Screen->Cursors(crDragHand));

  const TCursor first = DefineCursor(HInstance, "VT_DRAGCUR");
  const TCursor second = DefineCursor(HInstance, "VT_HANDCUR");
  EXPECT_EQ(first, 100);
  EXPECT_EQ(second, 101);
  EXPECT_NE(Screen->Cursors(second), standard);
  try {
    DefineCursor(HInstance, "NO_SUCH_CURSOR");
    ADD_FAILURE() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NO_SUCH_CURSOR not found");
  }
  EXPECT_EQ(Screen->Cursors(102), standard);
}

