// Tests of the speed button: glyph counts from the strip, the shared glyph cache, grouping
// with AllowAllUp through clicks and Down, and the repeat timer.
#include "components/VtCtrls.h"

#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

namespace {

TBitmap* Strip(int w, int h)
{
  auto* b = new TBitmap;
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clRed);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
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
    TBitmap* strip = Strip(c.w, c.h);
    glyph.SetGlyph(strip);
    delete strip;
    EXPECT_EQ(glyph.NumGlyphs(), c.after) << c.w << "x" << c.h;
  }
}

TEST(ButtonGlyph, ButtonsOfOneGlyphSizeShareOneListUntilTheLastIsReleased)
{
  vt::EnsureTestApplication();
  TVtButtonGlyph a, b;
  TBitmap* strip = Strip(32, 16);
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
