// The control kernel: alignment, anchors, ownership, message dispatch and accessible names.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "ui/forms/Forms.h"
#include "ui/kernel/Clipboard.h"
#include "ui/kernel/Controls.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }

    TWinControl* Panel(TAlign align, int w, int h)
    {
        auto* p = new TWinControl(form);
        p->SetBounds(0, 0, w, h);
        p->SetAlign(align);
        p->SetParent(form);
        return p;
    }
    TForm* form = nullptr;
};

TEST_F(ControlsTest, AlignedChildrenCutBandsInOrderAndClientTakesTheRest)
{
    TWinControl* top = Panel(alTop, 10, 30);
    TWinControl* bottom = Panel(alBottom, 10, 20);
    TWinControl* left = Panel(alLeft, 50, 10);
    TWinControl* right = Panel(alRight, 60, 10);
    TWinControl* client = Panel(alClient, 1, 1);

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 280));
    EXPECT_EQ(right->BoundsRect(), Rect(340, 30, 400, 280));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 340, 280));

    form->SetBounds(0, 0, 500, 400);  // the parent's resize lays them out again
    EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 440, 380));
    top->SetVisible(false);  // a hidden band gives its room back
    EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 50, 380));
}

TEST_F(ControlsTest, TwoTopBandsKeepTheirOnScreenOrder)
{
    TWinControl* second = Panel(alNone, 10, 15);
    second->SetTop(100);
    second->SetAlign(alTop);
    TWinControl* first = Panel(alNone, 10, 25);
    first->SetTop(0);
    first->SetAlign(alTop);
    EXPECT_EQ(first->Top(), 0);
    EXPECT_EQ(second->Top(), 25);
}

TEST_F(ControlsTest, AnchoredChildrenFollowTheRightAndBottomEdges)
{
    auto* stretch = Panel(alNone, 100, 20);
    stretch->SetBounds(10, 10, 100, 20);
    stretch->SetAnchors({akLeft, akTop, akRight});
    auto* corner = Panel(alNone, 30, 30);
    corner->SetBounds(360, 260, 30, 30);
    corner->SetAnchors({akRight, akBottom});
    form->SetBounds(0, 0, 450, 320);
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 160, 30));
    EXPECT_EQ(corner->BoundsRect(), Rect(410, 280, 440, 310));
}

TEST_F(ControlsTest, OwnerFreesItsComponentsAndParentLetsGoOfFreedChildren)
{
    auto* owner = new TWinControl(nullptr);
    auto* child = new TWinControl(owner);
    child->SetParent(form);
    ASSERT_EQ(form->ControlCount(), 1);
    delete owner;  // frees child, which leaves its parent
    EXPECT_EQ(form->ControlCount(), 0);

    auto* parent = new TWinControl(form);
    auto* kept = new TWinControl(form);
    kept->SetParent(parent);
    delete parent;  // a freed parent leaves its children alive, without a parent
    EXPECT_EQ(kept->Parent(), nullptr);
}

// A subclass that takes one message itself and hands the rest on.
class Counting : public TWinControl {
public:
    using TWinControl::TWinControl;
    int custom = 0;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_USER + 1) {
            ++custom;
            m.Result = 42;
            return;
        }
        TWinControl::WndProc(m);
    }
};

TEST_F(ControlsTest, PerformRunsWndProcSynchronouslyAndPostMessageLater)
{
    auto* c = new Counting(form);
    EXPECT_EQ(c->Perform(WM_USER + 1, 0, 0), 42);
    PostMessage(c, WM_USER + 1, 0, 0);
    EXPECT_EQ(c->custom, 1);
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(c->custom, 2);

    PostMessage(c, WM_USER + 1, 0, 0);
    delete c;  // a message posted to a freed control is dropped
    vt::ProcessEventsUntilIdle();
}

TEST_F(ControlsTest, MouseMessagesReachTheEventsAndClickNeedsTheReleaseInside)
{
    auto* c = new TCustomControl(form);
    c->SetBounds(10, 10, 50, 50);
    c->SetParent(form);
    form->Show();
    std::vector<String> seen;
    c->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) { seen.push_back("down " + IntToStr(x)); };
    c->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int) { seen.push_back("up " + IntToStr(x)); };
    c->OnClick = [&](TObject*) { seen.push_back("click"); };
    vt::ClickControl(c, 5, 5);
    vt::PressMouse(c, 5, 5);
    vt::ReleaseMouse(c, 80, 5);  // released outside: no click
    EXPECT_EQ(seen, (std::vector<String>{"down 5", "click", "up 5", "down 5", "up 80"}));
}

// Paints a red square on a white face through its canvas.
class Swatch : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(10, 10, 20, 20));
    }
};

TEST_F(ControlsTest, PaintDrawsThroughTheCanvasIntoTheScreenshot)
{
    auto* swatch = new Swatch(form);
    swatch->SetBounds(50, 50, 40, 40);
    swatch->SetParent(form);
    form->Show();
    const String file = ::testing::TempDir() + "/swatch.png";
    ASSERT_TRUE(vt::SaveScreenshot(form, file));
    QImage shot(QString::fromStdString(file));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixelColor(65, 65), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(55, 55), QColor(Qt::white));
}

TEST_F(ControlsTest, ClipboardCarriesTextAndNamedFormats)
{
    const unsigned gif = RegisterClipboardFormat("GIF Image");
    EXPECT_EQ(RegisterClipboardFormat("gif image"), gif);
    EXPECT_GE(gif, 0xC000u);
    Clipboard()->SetAsText("Room 12");
    EXPECT_EQ(Clipboard()->AsText(), "Room 12");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    Clipboard()->SetAsBytes(gif, {'G', 'I', 'F', '8', '7', 'a'});
    EXPECT_TRUE(Clipboard()->HasFormat(gif));
    EXPECT_EQ(Clipboard()->GetAsBytes(gif), (std::vector<std::uint8_t>{'G', 'I', 'F', '8', '7', 'a'}));
}

// A drop-down window: a pop-up style makes it a window of its own that never takes activation.
class DropDown : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TCustomControl::CreateParams(Params);
        Params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
        Params.ExStyle = WS_EX_TOOLWINDOW;
    }
};

TEST_F(ControlsTest, APopupStyleWindowIsPlacedInScreenCoordinatesWithoutActivation)
{
    auto* edit = new TWinControl(form);
    edit->SetBounds(10, 10, 100, 21);
    edit->SetParent(form);
    auto* popup = new DropDown(form);
    popup->SetVisible(false);
    popup->SetBounds(0, 0, 120, 80);
    popup->SetParent(edit);
    form->Show();
    ASSERT_TRUE(popup->HandleAllocated());
    EXPECT_TRUE(popup->Widget()->isWindow());
    EXPECT_EQ(popup->Params().ExStyle, WS_EX_TOOLWINDOW);

    SetWindowPos(popup->Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    popup->SetVisible(true);
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(popup->BoundsRect(), Rect(200, 150, 320, 230));
    EXPECT_EQ(Screen->ActiveForm(), form);
    SetWindowPos(popup->Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    popup->SetVisible(false);
    EXPECT_FALSE(popup->Widget()->isVisible());
}

}  // namespace

// A window procedure put over a window: records what reaches it and passes it on.
struct RecordingProcedure : TWindowProcedure {
    WNDPROC previous = nullptr;
    std::vector<UINT>* log = nullptr;
    void WindowProc(HWND Window, TMessage& Message) override
    {
        log->push_back(Message.Msg);
        CallWindowProc(previous, Window, Message);
    }
};

class LoggingPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<UINT>* log = nullptr;
    void WndProc(TMessage& Message) override
    {
        if (log)
            log->push_back(Message.Msg | 0x10000);  // the control's own handling, marked
        TWinControl::WndProc(Message);
    }
};

TEST_F(ControlsTest, ASubclassedWindowSeesQtEventsAndSentMessagesButNotPerform)
{
    std::vector<UINT> log;
    auto* panel = new LoggingPanel(form);
    panel->SetBounds(10, 10, 50, 50);
    panel->SetParent(form);
    form->Show();
    EXPECT_EQ(GetWindowProc(panel->Handle()), vt::ControlWindowProc());

    RecordingProcedure proc;
    proc.log = &log;
    proc.previous = SetWindowProc(panel->Handle(), &proc);
    panel->log = &log;
    EXPECT_EQ(proc.previous, vt::ControlWindowProc());
    EXPECT_EQ(GetWindowProc(panel->Handle()), &proc);

    vt::ClickControl(panel);
    SendMessage(panel, WM_USER + 1, 0, 0);
    panel->Perform(WM_USER + 2, 0, 0);
    PostMessage(panel, WM_USER + 3, 0, 0);
    vt::ProcessEventsUntilIdle();
    auto seen = [&](UINT m) { return std::count(log.begin(), log.end(), m); };
    EXPECT_EQ(seen(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(seen(WM_LBUTTONDOWN | 0x10000), 1);
    EXPECT_EQ(seen(WM_USER + 1), 1);
    EXPECT_EQ(seen(WM_USER + 2), 0);
    EXPECT_EQ(seen((WM_USER + 2) | 0x10000), 1);
    EXPECT_EQ(seen(WM_USER + 3), 1);

    // A recreated window gets WM_DESTROY through the procedure, then starts with its own again.
    log.clear();
    panel->RecreateWnd();
    EXPECT_EQ(log, (std::vector<UINT>{WM_DESTROY, WM_DESTROY | 0x10000}));
    EXPECT_EQ(GetWindowProc(panel->Handle()), vt::ControlWindowProc());

    // The control's destruction destroys its window the same way.
    proc.previous = SetWindowProc(panel->Handle(), &proc);
    log.clear();
    panel->log = nullptr;
    delete panel;
    EXPECT_EQ(log, std::vector<UINT>{WM_DESTROY});
}
