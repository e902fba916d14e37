// The shadowed label: auto-size keeps the right edge of right-aligned text, empty and "&" captions
// keep a line's height, the shadow widens the measured size, accelerators focus the control, the
// focus frame follows the control's focus, and the mouse-leave event waits for a press to end.
#include "components/edits/VtLabel.h"

#include <gtest/gtest.h>

#include "ui/controls/MaskEdit.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

class VtLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 200);
        label = new TVtLabel(form);
        label->SetParent(form);
        label->SetBounds(200, 10, 65, 17);
    }
    void TearDown() override { delete form; }

    int Right() const { return label->Left() + label->Width(); }
    template <class T>
    T* Place(TWinControl* parent, int left, int top, int width, int height)
    {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    TForm* form = nullptr;
    TVtLabel* label = nullptr;
};

TEST_F(VtLabelTest, AutoSizeKeepsTheRightEdgeOfRightAlignedTextAndTheLeftEdgeOtherwise)
{
    label->SetAlignment(taRightJustify);
    label->SetCaption("Short");
    const int right = Right();
    const int shortWidth = label->Width();
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(Right(), right);

    label->SetAlignment(taLeftJustify);
    const int left = label->Left();
    label->SetCaption("Short");
    EXPECT_EQ(label->Left(), left);
    EXPECT_EQ(label->Width(), shortWidth);
}

TEST_F(VtLabelTest, EmptyAndAmpersandCaptionsMeasureLikeASpace)
{
    label->SetCaption("X");
    const int lineHeight = label->Height();
    label->SetCaption(" ");
    const int spaceWidth = label->Width();
    label->SetCaption("");
    EXPECT_EQ(label->Height(), lineHeight);
    EXPECT_EQ(label->Width(), spaceWidth);
    label->SetCaption("&");
    EXPECT_EQ(label->Height(), lineHeight);
    EXPECT_EQ(label->Width(), spaceWidth);
}

TEST_F(VtLabelTest, TheShadowAndTheMarginsWidenTheMeasuredSize)
{
    label->SetCaption("Shadow");
    label->SetShadowSize(0);
    const int width = label->Width(), height = label->Height();
    label->SetShadowPos(spRightBottom);
    label->SetShadowSize(2);
    EXPECT_EQ(label->Width(), width + 2);
    EXPECT_EQ(label->Height(), height + 2);

    label->SetLeftMargin(-4);  // negative margins count as none
    EXPECT_EQ(label->LeftMargin(), 0);
    label->SetLeftMargin(3);
    label->SetRightMargin(5);
    EXPECT_EQ(label->Width(), width + 2 + 8);
}

TEST_F(VtLabelTest, AcceleratorFocusesTheFocusControlUntilItIsFreed)
{
    auto* edit = new TMaskEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 50, 100, 22);
    form->Show();
    label->SetCaption("&Name");
    label->SetFocusControl(edit);

    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_NE(label->Perform(CM_DIALOGCHAR, 'n'), 0);
    EXPECT_EQ(form->ActiveControl(), edit);
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n'), 0);

    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

// The form tells every control, nested ones too, which control took the focus.
TEST_F(VtLabelTest, TheFocusFrameFollowsTheFocusOfTheFocusControl)
{
    auto* first = Place<TEdit>(form, 10, 50, 100, 22);
    auto* group = Place<TWinControl>(form, 10, 80, 300, 100);
    auto* second = Place<TEdit>(group, 10, 10, 100, 22);
    auto* inner = Place<TVtLabel>(group, 120, 10, 65, 17);
    label->SetShowFocus(true);
    label->SetFocusControl(second);
    inner->SetShowFocus(true);
    inner->SetFocusControl(first);

    form->Show();
    vt::ProcessEventsUntilIdle();
    ASSERT_EQ(form->ActiveControl(), first);
    EXPECT_FALSE(label->FocusActive());
    EXPECT_TRUE(inner->FocusActive());

    vt::SendKey(first, VK_TAB);
    ASSERT_EQ(form->ActiveControl(), second);
    EXPECT_TRUE(label->FocusActive());
    EXPECT_FALSE(inner->FocusActive());

    vt::ClickControl(first);
    ASSERT_EQ(form->ActiveControl(), first);
    EXPECT_FALSE(label->FocusActive());
    EXPECT_TRUE(inner->FocusActive());
}

TEST_F(VtLabelTest, MouseLeaveWaitsForAPressOnTheLabelToEnd)
{
    form->Show();
    vt::ProcessEventsUntilIdle();
    ASSERT_TRUE(Application->Active()) << "mouse tracking needs the program in the foreground";
    std::vector<String> events;
    label->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    label->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };

    vt::MouseEnter(label);
    vt::PressMouse(label, 2, 2);
    vt::MouseLeave(label);
    EXPECT_EQ(events, std::vector<String>{"enter"});
    vt::ReleaseMouse(label, 300, 2);
    EXPECT_EQ(events, (std::vector<String>{"enter", "leave"}));
    EXPECT_FALSE(label->MouseInControl());
}

} // namespace
