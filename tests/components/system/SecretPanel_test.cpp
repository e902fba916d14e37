// The scrolling panel on a form: what a tick shows in the text area, where the text enters and
// how it ends (stop or start again), leading blank lines, the children it hides while playing,
// and ticks from the timer's worker up to and during the panel's destruction. scripts/tsan-test.sh
// runs these under the thread sanitizer too.
#include "components/system/SecretPanel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <ostream>
#include <thread>
#include <vector>

#include "rtl/Locale.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

using namespace std::chrono_literals;

// Ticks are driven by the test; the panel's own timer is too slow to interfere.
class TestPanel : public TSecretPanel {
public:
    using TSecretPanel::TSecretPanel;
    using TSecretPanel::TimerExpired;
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            TimerExpired(this);
    }
};

// The text area lies inside the 1-pixel bevel and a 3-pixel margin.
constexpr int kInset = 4;
constexpr int kWidth = 90;
constexpr int kHeight = 40;

// The rows and columns of the panel's interior that show anything but the panel colour.
struct Ink {
    int Top = INT_MAX, Bottom = INT_MIN, Left = INT_MAX, Right = INT_MIN;
    bool Empty() const { return Top == INT_MAX; }
    bool operator==(const Ink&) const = default;
};

void PrintTo(const Ink& ink, std::ostream* os)
{
    *os << "rows " << ink.Top << ".." << ink.Bottom << ", columns " << ink.Left << ".." << ink.Right;
}

// The box of the interior's pixels that match; by default all that differ from the panel colour.
template <class Match>
Ink BoxOf(TControl* panel, Match match)
{
    TBitmap copy;
    copy.SetSize(panel->Width(), panel->Height());
    panel->PaintTo(copy.Canvas(), 0, 0, false);
    Ink ink;
    for (int y = 1; y < panel->Height() - 1; ++y)
        for (int x = 1; x < panel->Width() - 1; ++x)
            if (match(copy.Canvas()->Pixels(x, y))) {
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
            }
    return ink;
}

Ink InkOf(TControl* panel)
{
    return BoxOf(panel, [](TColor c) { return c != clWhite; });
}

void RunFor(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        vt::ProcessEventsUntilIdle();
        std::this_thread::sleep_for(1ms);
    }
}

template <class F>
bool RunUntil(F done)
{
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done() && std::chrono::steady_clock::now() < end) {
        vt::ProcessEventsUntilIdle();
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

class SecretPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 200);
        panel = NewPanel(10);
        form->Show();
    }
    void TearDown() override { delete form; }

    TestPanel* NewPanel(int left)
    {
        auto* p = new TestPanel(form);
        p->SetParent(form);
        p->SetBounds(left, 10, kWidth, kHeight);
        p->SetColor(clWhite);
        p->Font()->SetColor(clBlack);
        p->SetInterval(100000);
        p->Lines()->SetText("Camp\nWeek\n");
        p->OnStartPlay = [this](TObject*) { ++starts; };
        p->OnStopPlay = [this](TObject*) { ++stops; };
        return p;
    }

    int LineHeight() const
    {
        TBitmap measure;
        measure.Canvas()->Font()->Assign(panel->Font());
        return measure.Canvas()->TextHeight("W");
    }

    // Ticks until the panel stops by itself; the count includes the tick that stops it.
    static int TicksUntilStop(TestPanel* p)
    {
        int ticks = 0;
        while (p->Active() && ticks < 10000) {
            p->Tick();
            ++ticks;
        }
        return ticks;
    }

    TForm* form = nullptr;
    TestPanel* panel = nullptr;
    int starts = 0;
    int stops = 0;
};

// Vertically the text rises from the bottom edge of the text area, sideways it enters from the
// right edge; each tick moves it by one pixel and nothing is drawn outside the text area.
TEST_F(SecretPanelTest, EachTickMovesTheTextOnePixelInFromTheEdge)
{
    for (TScrollDirection direction : {sdVertical, sdHorizontal}) {
        SCOPED_TRACE(direction);
        panel->SetScrollDirection(direction);
        panel->Play();
        EXPECT_TRUE(InkOf(panel).Empty());
        const int first = direction == sdVertical ? LineHeight() : 12;
        panel->Tick(first);
        const Ink entered = InkOf(panel);
        ASSERT_FALSE(entered.Empty());
        EXPECT_GE(entered.Left, kInset);
        EXPECT_LT(entered.Right, kWidth - kInset);
        EXPECT_LT(entered.Bottom, kHeight - kInset);
        EXPECT_GE(entered.Top, kInset);
        if (direction == sdVertical)
            EXPECT_GE(entered.Top, kHeight - kInset - first);
        else
            EXPECT_GE(entered.Left, kWidth - kInset - first);

        panel->Tick(5);
        const Ink moved = InkOf(panel);
        if (direction == sdVertical) {
            EXPECT_EQ(moved.Top, entered.Top - 5);
        } else {
            EXPECT_EQ(moved.Left, entered.Left - 5);
            EXPECT_EQ(moved.Top, entered.Top);
        }
        panel->Stop();
    }
}

// In a language read right to left, a right-to-left panel's text enters sideways from the left
// edge and moves right; in any other language BiDiMode changes nothing.
TEST_F(SecretPanelTest, RightToLeftReadingEntersFromTheLeftEdge)
{
    panel->SetScrollDirection(sdHorizontal);
    panel->SetBiDiMode(bdRightToLeft);
    for (bool middleEast : {true, false}) {
        SCOPED_TRACE(middleEast);
        Locale().MiddleEast = middleEast;
        panel->Play();
        panel->Tick(12);
        const Ink entered = InkOf(panel);
        ASSERT_FALSE(entered.Empty());
        EXPECT_GE(entered.Left, kInset);
        EXPECT_LT(entered.Right, kWidth - kInset);
        if (middleEast)
            EXPECT_LT(entered.Right, kInset + 12);
        else
            EXPECT_GE(entered.Left, kWidth - kInset - 12);
        panel->Tick(5);
        const Ink moved = InkOf(panel);
        EXPECT_EQ(middleEast ? moved.Right : moved.Left, middleEast ? entered.Right + 5 : entered.Left - 5);
        panel->Stop();
    }
    Locale().MiddleEast = false;
}

// The play hides the visible children and shows just those again when it ends; a panel that is
// not cycled ends once its text has left the text area.
TEST_F(SecretPanelTest, APanelStopsByItselfAtTheEndAndShowsItsChildrenAgain)
{
    auto* shown = new TLabel(form);
    shown->SetParent(panel);
    auto* hidden = new TLabel(form);
    hidden->SetParent(panel);
    hidden->SetVisible(false);

    panel->Play();
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(shown->Visible());
    const int textHeight = kHeight - 2 * kInset;
    const int limit = textHeight + 2 * LineHeight();
    panel->Tick(limit);
    EXPECT_TRUE(panel->Active());
    EXPECT_TRUE(InkOf(panel).Empty()) << "the text has left the text area";
    EXPECT_EQ(stops, 0);

    panel->Tick();
    EXPECT_FALSE(panel->Active());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
}

TEST_F(SecretPanelTest, ACycledPanelStartsAgainFromTheBeginning)
{
    panel->SetCycled(true);
    panel->Play();
    panel->Tick(LineHeight());
    const Ink firstRound = InkOf(panel);
    ASSERT_FALSE(firstRound.Empty());
    panel->Tick(kHeight - 2 * kInset + 2 * LineHeight() - LineHeight());  // to the end
    panel->Tick();                                                            // back to the start
    EXPECT_TRUE(panel->Active());
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(InkOf(panel).Empty());
    panel->Tick(LineHeight());
    EXPECT_EQ(InkOf(panel), firstRound);
}

// Blank lines before the text neither delay it nor lengthen the play.
TEST_F(SecretPanelTest, LeadingBlankLinesAreNotScrolled)
{
    for (TScrollDirection direction : {sdVertical, sdHorizontal}) {
        SCOPED_TRACE(direction);
        TestPanel* padded = NewPanel(150);
        padded->Lines()->SetText("\n   \n\t\nCamp\nWeek\n");
        for (TestPanel* p : {panel, padded}) {
            p->SetScrollDirection(direction);
            p->Play();
            p->Tick(LineHeight() + 2);
        }
        EXPECT_FALSE(InkOf(panel).Empty());
        EXPECT_EQ(InkOf(padded), InkOf(panel));
        EXPECT_EQ(TicksUntilStop(padded), TicksUntilStop(panel));
        delete padded;
    }
}

// The glyph sits beside the text area, centred along its side, drawn without its transparent
// colour (the bottom-left pixel's); the text, all the way through, keeps clear of it.
TEST_F(SecretPanelTest, TheGlyphSitsBesideTheTextAreaByItsLayout)
{
    TBitmap glyph;
    glyph.SetSize(8, 8);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas()->SetPixels(0, 7, clLime);
    panel->SetGlyph(&glyph);
    auto red = [](TColor c) { return c == clRed; };
    auto text = [](TColor c) { return c != clWhite && c != clRed; };
    EXPECT_TRUE(BoxOf(panel, red).Empty()) << "no glyph while the panel rests";
    struct Case {
        TGlyphLayout Layout;
        TAlignment Alignment;  // the text pressed against the glyph's side
    } cases[] = {{glGlyphLeft, taLeftJustify}, {glGlyphRight, taRightJustify},
                 {glGlyphTop, taCenter}, {glGlyphBottom, taCenter}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Layout);
        panel->SetGlyphLayout(c.Layout);
        panel->SetAlignment(c.Alignment);
        panel->Play();
        const Ink g = BoxOf(panel, red);
        ASSERT_FALSE(g.Empty());
        Ink t;  // everywhere the text went
        for (int tick = 0; panel->Active(); ++tick) {
            panel->Tick();
            if (tick % 3 == 0) {
                const Ink now = BoxOf(panel, text);
                t = {std::min(t.Top, now.Top), std::max(t.Bottom, now.Bottom), std::min(t.Left, now.Left),
                     std::max(t.Right, now.Right)};
                EXPECT_EQ(BoxOf(panel, red), g);
            }
        }
        ASSERT_FALSE(t.Empty());
        switch (c.Layout) {
        case glGlyphLeft: EXPECT_EQ(g.Left, kInset); EXPECT_GT(t.Left, g.Right); break;
        case glGlyphRight: EXPECT_EQ(g.Right, kWidth - kInset - 1); EXPECT_LT(t.Right, g.Left); break;
        case glGlyphTop: EXPECT_EQ(g.Top, kInset); EXPECT_GT(t.Top, g.Bottom); break;
        case glGlyphBottom: EXPECT_EQ(g.Bottom, kHeight - kInset - 1); EXPECT_LT(t.Bottom, g.Top); break;
        }
        if (c.Layout == glGlyphLeft || c.Layout == glGlyphRight)
            EXPECT_NEAR(g.Top + g.Bottom, kHeight - 1, 1);
        else
            EXPECT_NEAR(g.Left + g.Right, kWidth - 1, 1);
    }
}

// The worker's ticks are drawn on the GUI thread, whether the worker waits for them or not.
class WorkerTicksTest : public SecretPanelTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WorkerTicksTest, TicksFromTheWorkerAreDrawnOnTheGuiThreadUntilThePanelStops)
{
    const std::thread::id gui = std::this_thread::get_id();
    std::atomic<int> elsewhere{0};
    panel->OnPaintClient = [&](TObject*, TCanvas* canvas, TRect rect) {
        elsewhere += std::this_thread::get_id() != gui;
        canvas->FillRect(rect);
    };
    panel->SetAsyncDrawing(GetParam());
    panel->SetInterval(1);
    panel->Play();
    ASSERT_TRUE(RunUntil([&] { return !panel->Active(); }));
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(elsewhere, 0);
}

// Destroyed while playing, through its form or by itself: the play stops, and no tick reaches
// a panel once its destruction has begun, not even while a sibling's worker is being joined.
TEST_P(WorkerTicksTest, DestroyingAPlayingPanelLetsNoTickThrough)
{
    for (bool throughForm : {true, false}) {
        SCOPED_TRACE(throughForm ? "through the form" : "by itself");
        for (int round = 0; round < 3; ++round) {
            auto* owner = new TForm(nullptr);
            owner->Show();
            std::atomic<int> painted{0}, late{0};
            int stopped = 0;
            std::vector<TSecretPanel*> pair;
            for (int i = 0; i < 2; ++i) {
                auto* p = new TSecretPanel(owner);
                p->SetParent(owner);
                p->SetBounds(0, i * kHeight, kWidth, kHeight);
                p->Lines()->SetText("Camp\nWeek\n");
                p->SetCycled(true);
                p->SetAsyncDrawing(GetParam());
                p->SetInterval(1);
                p->OnPaintClient = [&painted, &late, p](TObject*, TCanvas* canvas, TRect rect) {
                    ++(p->ComponentState().Contains(csDestroying) ? late : painted);
                    canvas->FillRect(rect);
                };
                p->OnStopPlay = [&stopped](TObject*) { ++stopped; };
                p->Play();
                pair.push_back(p);
            }
            ASSERT_TRUE(RunUntil([&] { return painted > 6; }));
            std::this_thread::sleep_for(5ms);  // both workers hand over a tick meanwhile
            if (throughForm) {
                delete owner;
            } else {
                delete pair[1];
                delete pair[0];
            }
            EXPECT_EQ(stopped, 2);
            EXPECT_EQ(late, 0);
            RunFor(10ms);
            if (!throughForm)
                delete owner;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AsyncDrawing, WorkerTicksTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Async" : "Waiting"; });

}  // namespace
