// Window hooks: the order of the hooks around the control's own handling, Handled, removal in
// any order, another subclasser, a recreated window and the control's destruction.
#include <gtest/gtest.h>

#include <vector>

#include "components/system/VtHook.h"
#include "rtl/Filer.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

// A form that writes down the messages its own handling receives.
class ProbeForm : public TForm {
public:
    using TForm::TForm;
    std::vector<String>* log = nullptr;
    void WndProc(TMessage& Message) override
    {
        if (log && (Message.Msg == WM_PROBE || Message.Msg == WM_DESTROY))
            log->push_back(Message.Msg == WM_PROBE ? "form" : "form destroy");
        if (Message.Msg == WM_PROBE)
            Message.Result = 42;
        TForm::WndProc(Message);
    }
};

class VtHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new ProbeForm(nullptr);
        form->log = &log;
    }
    void TearDown() override { delete form; }

    // A hook that logs "<name> before" / "<name> after" and handles what handles names.
    TVtWindowHook* Hook(const String& name, TWinControl* control, UINT handles = 0)
    {
        auto* hook = new TVtWindowHook(form);
        hook->BeforeMessage = [this, name, handles](TObject*, TMessage& m, bool& handled) {
            if (m.Msg == WM_PROBE || m.Msg == WM_DESTROY)
                log.push_back(name + " before");
            handled = m.Msg == handles;
        };
        hook->AfterMessage = [this, name](TObject*, TMessage& m, bool&) {
            if (m.Msg == WM_PROBE || m.Msg == WM_DESTROY)
                log.push_back(name + " after" + (m.Msg == WM_PROBE ? " " + IntToStr(static_cast<int>(m.Result)) : ""));
        };
        hook->SetWinControl(control);
        return hook;
    }

    ProbeForm* form = nullptr;
    std::vector<String> log;
};

TEST_F(VtHookTest, HooksRunLastAttachedFirstAroundTheControlsOwnHandling)
{
    Hook("a", form);
    Hook("b", form);
    EXPECT_EQ(SendMessage(form, WM_PROBE, 0, 0), 42);
    EXPECT_EQ(log, (std::vector<String>{"b before", "a before", "form", "b after 42", "a after 42"}));
}

TEST_F(VtHookTest, AMessageSentByHandlePassesTheHooks)
{
    Hook("a", form);
    EXPECT_EQ(SendMessage(form->Handle(), WM_PROBE, 0, 0), 42);
    EXPECT_EQ(log, (std::vector<String>{"a before", "form", "a after 42"}));

    log.clear();
    Hook("b", form, WM_PROBE);
    SendMessage(form->Handle(), WM_PROBE, 0, 0);
    EXPECT_EQ(log, std::vector<String>{"b before"});
}

TEST_F(VtHookTest, HandledHidesTheMessageFromEarlierHooksAndTheControlExceptDestroy)
{
    Hook("a", form);
    Hook("b", form, WM_PROBE);
    SendMessage(form, WM_PROBE, 0, 0);
    EXPECT_EQ(log, std::vector<String>{"b before"});

    log.clear();
    Hook("c", form, WM_DESTROY);
    form->RecreateWnd();
    EXPECT_EQ(log, (std::vector<String>{"c before", "form destroy", "c after", "b after", "a after"}));
}

TEST_F(VtHookTest, HooksSeeTheControlsQtEvents)
{
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    std::vector<UINT> seen;
    auto* hook = new TVtWindowHook(form);
    hook->BeforeMessage = [&](TObject*, TMessage& m, bool& handled) {
        seen.push_back(m.Msg);
        handled = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONUP;
    };
    hook->SetWinControl(button);

    vt::ClickControl(button);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_LBUTTONDOWN), 1);
    EXPECT_EQ(clicks, 0);  // the press never reached the button

    hook->SetActive(false);
    vt::ClickControl(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_LBUTTONDOWN), 1);
}

TEST_F(VtHookTest, HooksLeaveInAnyOrderAndTheLastRestoresTheControlsOwnProcedure)
{
    const std::vector<std::vector<int>> orders{{0, 1, 2}, {2, 1, 0}, {1, 2, 0}, {1, 0, 2}};
    for (const auto& order : orders) {
        std::vector<TVtWindowHook*> hooks{Hook("a", form), Hook("b", form), Hook("c", form)};
        const std::vector<String> names{"a", "b", "c"};
        std::vector<bool> left(3, false);
        for (int step = 0; step < 3; ++step) {
            const int i = order[static_cast<std::size_t>(step)];
            if (step % 2 == 0)
                hooks[static_cast<std::size_t>(i)]->SetWinControl(nullptr);
            else
                delete hooks[static_cast<std::size_t>(i)];
            left[static_cast<std::size_t>(i)] = true;

            log.clear();
            SendMessage(form, WM_PROBE, 0, 0);
            std::vector<String> expected;
            for (int k = 2; k >= 0; --k)
                if (!left[static_cast<std::size_t>(k)])
                    expected.push_back(names[static_cast<std::size_t>(k)] + " before");
            expected.push_back("form");
            for (int k = 2; k >= 0; --k)
                if (!left[static_cast<std::size_t>(k)])
                    expected.push_back(names[static_cast<std::size_t>(k)] + " after 42");
            EXPECT_EQ(log, expected) << "order " << order[0] << order[1] << order[2] << " step " << step;
        }
        EXPECT_EQ(GetWindowProc(form->Handle()), vt::ControlWindowProc());
        vt::ProcessEventsUntilIdle();  // the unused control hook is freed here
        delete hooks[static_cast<std::size_t>(order[0])];
        delete hooks[static_cast<std::size_t>(order[2])];
    }
}

// A procedure put over the hook's after it: the hook's leaving must not take it out.
struct LaterSubclasser : TWindowProcedure {
    WNDPROC previous = nullptr;
    int seen = 0;
    void WindowProc(HWND Window, TMessage& Message) override
    {
        if (Message.Msg == WM_PROBE)
            ++seen;
        CallWindowProc(previous, Window, Message);
    }
};

TEST_F(VtHookTest, AnotherSubclasserInstalledLaterStaysWhenTheHookLeaves)
{
    TVtWindowHook* hook = Hook("a", form);
    LaterSubclasser later;
    later.previous = SetWindowProc(form->Handle(), &later);
    hook->SetActive(false);
    EXPECT_EQ(GetWindowProc(form->Handle()), &later);
    log.clear();
    EXPECT_EQ(SendMessage(form, WM_PROBE, 0, 0), 42);
    EXPECT_EQ(later.seen, 1);
    EXPECT_EQ(log, std::vector<String>{"form"});  // passed on through the inactive hook's procedure

    hook->SetActive(true);  // resumes beneath the later one: no loop of procedures
    log.clear();
    SendMessage(form, WM_PROBE, 0, 0);
    EXPECT_EQ(log, (std::vector<String>{"a before", "form", "a after 42"}));
    SetWindowProc(form->Handle(), later.previous);
}

TEST_F(VtHookTest, ARecreatedWindowIsHookedAgainOnTheNextTurnOfTheLoop)
{
    Hook("a", form);
    form->RecreateWnd();
    EXPECT_EQ(GetWindowProc(form->Handle()), vt::ControlWindowProc());
    vt::ProcessEventsUntilIdle();
    log.clear();
    SendMessage(form, WM_PROBE, 0, 0);
    EXPECT_EQ(log, (std::vector<String>{"a before", "form", "a after 42"}));
}

TEST_F(VtHookTest, TheControlsDestructionReleasesItsHooks)
{
    auto* panel = new TPanel(nullptr);
    panel->SetParent(form);
    TVtWindowHook* first = Hook("a", panel);
    TVtWindowHook* second = Hook("b", panel);
    delete panel;
    EXPECT_EQ(log, (std::vector<String>{"b before", "a before", "b after", "a after"}));
    EXPECT_EQ(first->WinControl(), nullptr);
    EXPECT_EQ(second->WinControl(), nullptr);

    // Still usable on another control, and freeing them touches nothing of the old one.
    first->SetWinControl(form);
    log.clear();
    SendMessage(form, WM_PROBE, 0, 0);
    EXPECT_EQ(log, (std::vector<String>{"a before", "form", "a after 42"}));
    delete second;
    vt::ProcessEventsUntilIdle();
}

TEST_F(VtHookTest, AHandlerMayFreeTheControlItWatches)
{
    auto* other = new ProbeForm(nullptr);
    auto* hook = new TVtWindowHook(form);
    hook->AfterMessage = [&](TObject*, TMessage& m, bool&) {
        if (m.Msg == WM_PROBE)
            delete other;
    };
    hook->SetWinControl(other);
    EXPECT_EQ(SendMessage(other, WM_PROBE, 0, 0), 42);
    EXPECT_EQ(hook->WinControl(), nullptr);
    vt::ProcessEventsUntilIdle();
}

TEST_F(VtHookTest, IsFormHooksTheOwningForm)
{
    auto* hook = new TVtWindowHook(form);
    EXPECT_FALSE(hook->IsForm());
    hook->SetIsForm(true);
    EXPECT_EQ(hook->WinControl(), form);
    EXPECT_TRUE(hook->IsForm());
    hook->SetWinControl(new TPanel(form));
    EXPECT_FALSE(hook->IsForm());
}

TEST_F(VtHookTest, AFormStreamKeepsIsFormAndReadingItHooksTheNewOwner)
{
    auto* hook = new TVtWindowHook(form);
    hook->SetIsForm(true);
    TMemoryStream stream;
    TWriter(&stream).WriteProperties(hook);
    stream.SetPosition(0);
    TForm other(nullptr);
    auto* copy = new TVtWindowHook(&other);
    TReader(&stream).ReadProperties(copy);
    EXPECT_EQ(copy->WinControl(), &other);

    hook->SetWinControl(new TPanel(form));  // not the form: nothing is written
    TMemoryStream none;
    TWriter(&none).WriteProperties(hook);
    EXPECT_EQ(none.Size(), 1);
}

}  // namespace
