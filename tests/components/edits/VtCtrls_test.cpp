// Tests of the speed button: glyph counts from the strip, the shared glyph cache, grouping
// with AllowAllUp through clicks and Down, and the repeat timer; and of the button image.
#include "components/edits/VtCtrls.h"

#include "ui/controls/ActnList.h"
#include "ui/controls/Menus.h"
#include "ui/graphics/ImgList.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TBitmap* Filled(int w, int h, TColor color = clRed)
{
  auto* b = new TBitmap;
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

// What the control paints, as a bitmap of its size.
TBitmap* PaintedCopy(TControl* control)
{
  TBitmap* copy = Filled(control->Width(), control->Height(), clWhite);
  control->PaintTo(copy->Canvas(), 0, 0);
  return copy;
}

class SpeedButtonTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vt::EnsureTestApplication();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    for (int i = 0; i < 3; ++i) {
      buttons[i] = new TVtSpeedButton(form);
      buttons[i]->SetBounds(10 + 30 * i, 10, 25, 25);
      buttons[i]->SetGroupIndex(1);
      buttons[i]->OnClick = [this](TObject*) { ++clicks; };
      buttons[i]->SetParent(form);
    }
    form->Show();
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TVtSpeedButton* buttons[3] = {};
  int clicks = 0;
};

} // namespace

TEST(ButtonGlyph, GlyphCountFollowsTheStrip)
{
  vt::EnsureTestApplication();
  const struct { int w, h, before, after; } cases[] = {
      {64, 16, 1, 4}, {96, 16, 2, 1}, {50, 16, 3, 3}, {16, 16, 2, 1}};
  for (const auto& c : cases) {
    TVtButtonGlyph glyph;
    glyph.SetNumGlyphs(c.before);
    TBitmap* strip = Filled(c.w, c.h);
    glyph.SetGlyph(strip);
    delete strip;
    EXPECT_EQ(glyph.NumGlyphs(), c.after) << c.w << "x" << c.h;
  }
}

TEST(ButtonGlyph, AGlyphCountSetIsKeptAsGiven)
{
  vt::EnsureTestApplication();
  TVtButtonGlyph glyph;
  TBitmap* strip = Filled(64, 16);
  glyph.SetGlyph(strip);
  delete strip;
  ASSERT_EQ(glyph.NumGlyphs(), 4);
  glyph.SetNumGlyphs(2); // a strip of two 32 x 16 cells
  EXPECT_EQ(glyph.NumGlyphs(), 2);
}

TEST(ButtonGlyph, ButtonsOfOneGlyphSizeShareOneListUntilTheLastIsReleased)
{
  vt::EnsureTestApplication();
  TVtButtonGlyph a, b;
  TBitmap* strip = Filled(32, 16);
  a.SetGlyph(strip);
  b.SetGlyph(strip);
  delete strip;
  ASSERT_GE(a.CreateButtonGlyph(rbsUp), 0);
  ASSERT_GE(b.CreateButtonGlyph(rbsDisabled), 0);
  TGlyphList* list = TVtButtonGlyph::Cache()->GetList(16, 16);
  EXPECT_EQ(list->Count(), 2);
  a.Invalidate();
  EXPECT_EQ(list->Count(), 1);
  EXPECT_FALSE(TVtButtonGlyph::Cache()->Empty());
  b.Invalidate();
  EXPECT_TRUE(TVtButtonGlyph::Cache()->Empty());
}

// A 24 x 23 face at (10, 5): the raised frame, then a 20 x 19 face where a glyph without caption
// is centred. The glyph strip's bottom-left colour is transparent.
TEST(ButtonImage, PaintsARaisedFaceWithTheGlyphOrListImageCentred)
{
  vt::EnsureTestApplication();
  TImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  TBitmap* blue = Filled(8, 8, clBlue);
  images.AddMasked(blue, clFuchsia);
  delete blue;
  TBitmap* glyph = Filled(16, 16);
  glyph->Canvas()->SetPixels(0, 15, clFuchsia);

  const struct {
    TCustomImageList* images;
    TColor color;
    TPoint first, last;
  } cases[] = {{nullptr, clRed, Point(14, 9), Point(29, 24)}, {&images, clBlue, Point(18, 13), Point(25, 20)}};
  for (const auto& c : cases) {
    TButtonImage image;
    image.SetGlyph(glyph);
    TBitmap* target = Filled(60, 40, clWhite);
    image.DrawEx(target->Canvas(), 10, 5, -1, -1, blGlyphLeft, nullptr, c.images, 0, 0);
    TCanvas* out = target->Canvas();
    EXPECT_EQ(out->Pixels(10, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(out->Pixels(33, 27), ColorToRGB(clWindowFrame));
    EXPECT_EQ(out->Pixels(32, 26), ColorToRGB(clBtnShadow));
    EXPECT_EQ(out->Pixels(9, 5), clWhite);
    EXPECT_EQ(out->Pixels(34, 28), clWhite);
    EXPECT_EQ(out->Pixels(c.first.X, c.first.Y), c.color);
    EXPECT_EQ(out->Pixels(c.last.X, c.last.Y), c.color);
    EXPECT_EQ(out->Pixels(c.first.X - 1, c.first.Y), ColorToRGB(clBtnFace));
    EXPECT_EQ(out->Pixels(c.last.X + 1, c.last.Y), ColorToRGB(clBtnFace));
    delete target;
  }
  TButtonImage image;
  image.SetGlyph(glyph);
  TBitmap* target = Filled(60, 40, clWhite);
  image.Draw(target->Canvas(), 10, 5, -1, -1, blGlyphLeft, nullptr, 0);
  EXPECT_EQ(target->Canvas()->Pixels(14, 24), ColorToRGB(clBtnFace)) << "transparent glyph pixel";
  delete target;
  delete glyph;
}

TEST(ButtonGlyph, DrawPutsTheGlyphWhereTheLayoutSaysAndReturnsTheTextRectangle)
{
  vt::EnsureTestApplication();
  TBitmap* glyph = Filled(8, 8);
  glyph->Canvas()->SetPixels(0, 7, clFuchsia); // the transparent colour
  TVtButtonGlyph object;
  object.SetGlyph(glyph);
  TBitmap* target = Filled(40, 20, clWhite);
  target->Canvas()->Font()->SetColor(clBlack);
  const TRect text = object.Draw(target->Canvas(), Rect(0, 0, 40, 20), "", blGlyphLeft, 2, -1, false, rbsUp, 0);
  EXPECT_EQ(target->Canvas()->Pixels(2, 6), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(9, 13), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(1, 6), clWhite);
  EXPECT_GE(text.Left, 10);
  delete target;
  delete glyph;
}

TEST(SpeedButton, TheProgramCountsItsLiveButtons)
{
  vt::EnsureTestApplication();
  const int before = TVtSpeedButton::ButtonCount();
  auto* first = new TVtSpeedButton(nullptr);
  {
    TVtSpeedButton second(nullptr);
    EXPECT_EQ(TVtSpeedButton::ButtonCount(), before + 2);
  }
  EXPECT_EQ(TVtSpeedButton::ButtonCount(), before + 1);
  delete first;
  EXPECT_EQ(TVtSpeedButton::ButtonCount(), before);
}

TEST(ButtonImage, CaptionIsDrawnInTheGivenFontInsideTheFace)
{
  vt::EnsureTestApplication();
  TButtonImage image;
  image.SetCaption("W");
  image.SetButtonSize(TSize{40, 30});
  TFont font;
  font.SetColor(clRed);
  TBitmap* target = Filled(60, 40, clWhite);
  image.Draw(target->Canvas(), 0, 0, -1, -1, blGlyphLeft, &font, 0);
  int inside = 0, outside = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (target->Canvas()->Pixels(x, y) == clRed)
        ++(x < 40 && y < 30 ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
  delete target;
}

TEST(ButtonImage, InvalidateAndAGlyphCountReleaseTheBuiltImages)
{
  vt::EnsureTestApplication();
  const std::function<void(TButtonImage&)> releases[] = {[](TButtonImage& i) { i.Invalidate(); },
                                                          [](TButtonImage& i) { i.SetNumGlyphs(2); }};
  for (const auto& release : releases) {
    TButtonImage image;
    TBitmap* glyph = Filled(16, 16);
    image.SetGlyph(glyph);
    delete glyph;
    TBitmap* target = Filled(30, 30, clWhite);
    image.Draw(target->Canvas(), 0, 0, -1, -1, blGlyphTop, nullptr, 0);
    delete target;
    ASSERT_FALSE(TVtButtonGlyph::Cache()->Empty());
    release(image);
    EXPECT_TRUE(TVtButtonGlyph::Cache()->Empty());
  }
}

TEST_F(SpeedButtonTest, DownOutsideAGroupStaysUp)
{
  buttons[0]->SetGroupIndex(0);
  buttons[0]->SetDown(true);
  EXPECT_FALSE(buttons[0]->Down());
}

TEST_F(SpeedButtonTest, PressingOneReleasesTheOtherAndTheLastStaysDown)
{
  vt::ClickControl(buttons[0]);
  EXPECT_TRUE(buttons[0]->Down());
  vt::ClickControl(buttons[1]);
  EXPECT_TRUE(buttons[1]->Down());
  EXPECT_FALSE(buttons[0]->Down());
  vt::ClickControl(buttons[1]); // the last down button cannot be released
  EXPECT_TRUE(buttons[1]->Down());
  EXPECT_EQ(clicks, 3);

  buttons[2]->SetDown(true);
  EXPECT_FALSE(buttons[1]->Down());
}

TEST_F(SpeedButtonTest, AllowAllUpLetsTheLastOneGo)
{
  buttons[0]->SetAllowAllUp(true); // spreads to the whole group
  EXPECT_TRUE(buttons[2]->AllowAllUp());
  vt::ClickControl(buttons[2]);
  EXPECT_TRUE(buttons[2]->Down());
  vt::ClickControl(buttons[2]);
  EXPECT_FALSE(buttons[2]->Down());
  for (TVtSpeedButton* b : buttons)
    EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtonTest, ReleaseOutsideIsNoClick)
{
  vt::PressMouse(buttons[0], 5, 5);
  vt::MoveMouse(buttons[0], 100, 5);
  vt::ReleaseMouse(buttons[0], 100, 5);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(buttons[0]->Down());
}

TEST_F(SpeedButtonTest, PressOpensAnAutoPopupMenuBelowTheButtonInsteadOfClicking)
{
  auto* menu = new TPopupMenu(form);
  std::vector<TPoint> shown;
  vt::SetPopupMenuHook([&](TPopupMenu* m, int x, int y) {
    EXPECT_EQ(m->PopupComponent(), buttons[0]);
    shown.push_back(Point(x, y));
  });
  buttons[0]->SetGroupIndex(0);
  buttons[0]->SetDropDownMenu(menu);
  vt::ClickControl(buttons[0]);
  buttons[0]->ButtonClick(); // a programmatic press does nothing either
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].X, buttons[0]->ClientToScreen(Point(-1, 25)).X);
  EXPECT_EQ(shown[0].Y, buttons[0]->ClientToScreen(Point(-1, 25)).Y);
  EXPECT_EQ(clicks, 0);

  menu->SetAutoPopup(false); // then the button clicks, and the menu opens only when asked
  vt::ClickControl(buttons[0]);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(buttons[0]->CheckBtnMenuDropDown());
  EXPECT_EQ(shown.size(), 2u);
  delete menu; // the button forgets a freed menu
  EXPECT_EQ(buttons[0]->DropDownMenu(), nullptr);
  vt::SetPopupMenuHook(nullptr);
}

TEST_F(SpeedButtonTest, TheClickThatClosedTheMenuDoesNotPressAgain)
{
  auto* menu = new TPopupMenu(form);
  int shown = 0;
  vt::SetPopupMenuHook([&](TPopupMenu*, int, int) {
    ++shown;
    vt::PostClick(buttons[0]); // the click that closes the menu, still queued when it has closed
  });
  buttons[0]->SetGroupIndex(0);
  buttons[0]->SetDropDownMenu(menu);
  vt::ClickControl(buttons[0]);
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(clicks, 0);
  vt::SetPopupMenuHook(nullptr);
}

TEST_F(SpeedButtonTest, TheCaptionsAcceleratorClicksAnEnabledButton)
{
  TVtSpeedButton* b = buttons[0];
  b->SetCaption("&Go");
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'x'), 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 1);
  EXPECT_EQ(clicks, 1);
  b->SetEnabled(false);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, ATransparentButtonShowsWhatLiesBehindIt)
{
  form->SetColor(clLime);
  TVtSpeedButton* b = buttons[0];
  b->SetFlat(true);
  TBitmap* opaque = PaintedCopy(b);
  EXPECT_EQ(opaque->Canvas()->Pixels(12, 12), ColorToRGB(clBtnFace));
  b->SetTransparent(true);
  TBitmap* transparent = PaintedCopy(b);
  EXPECT_EQ(transparent->Canvas()->Pixels(12, 12), clLime);
  delete opaque;
  delete transparent;
}

TEST_F(SpeedButtonTest, AnActionGivesCaptionStateImageAndTheClick)
{
  auto* images = new TImageList(form);
  images->SetWidth(8);
  images->SetHeight(8);
  TBitmap* blue = Filled(8, 8, clBlue);
  images->AddMasked(blue, clFuchsia);
  delete blue;
  auto* list = new TActionList(form);
  list->SetImages(images);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetImageIndex(0);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };

  TVtSpeedButton* b = buttons[0];
  b->OnClick = nullptr;
  b->SetGroupIndex(0);
  b->SetBounds(10, 10, 60, 25);
  b->SetAction(action);
  TBitmap* face = PaintedCopy(b);
  EXPECT_EQ(face->Canvas()->Pixels(30, 12), clBlue); // the image, centred
  EXPECT_EQ(face->Canvas()->Pixels(30, 4), ColorToRGB(clBtnFace));
  EXPECT_EQ(b->Glyph()->Canvas()->Pixels(4, 4), clBlue);
  delete face;
  action->SetCaption("Run");
  EXPECT_EQ(b->Caption(), "Run");

  vt::ClickControl(b);
  EXPECT_EQ(executed, 1);
  action->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  delete action;
  EXPECT_EQ(b->Action(), nullptr);
}

TEST_F(SpeedButtonTest, HeldButtonRepeatsItsClickOnTheTimerAndOnceMoreOnRelease)
{
  TVtSpeedButton* b = buttons[0];
  b->SetGroupIndex(0);
  b->SetAllowTimer(true);
  b->TimerExpired(); // no timer before a press
  vt::PressMouse(b, 5, 5);
  EXPECT_EQ(clicks, 0);
  b->TimerExpired(); // after InitPause
  b->TimerExpired(); // then every RepeatInterval
  EXPECT_EQ(clicks, 2);
  vt::ReleaseMouse(b, 5, 5);
  EXPECT_EQ(clicks, 3);
  b->TimerExpired(); // stopped by the release
  EXPECT_EQ(clicks, 3);
}
