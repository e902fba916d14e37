// The list boxes: the horizontal scroll range follows the widest item, columns, the message-backed
// line list (bounds, item data carried by exchange and move, sorting), item rectangles and hit
// tests, selection without MultiSelect, and gray selection as painted.
#include "components/lists/VtListBox.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        box = Place<TVtCustomListBox>();
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Place()
    {
        auto* control = new T(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 200, 120);
        return control;
    }
    static int Range(TCustomListBox* b) { return static_cast<int>(b->Perform(LB_GETHORIZONTALEXTENT, 0, 0)); }
    static void AddLines(TStrings* lines, std::initializer_list<const char*> texts)
    {
        for (const char* t : texts)
            lines->Add(t);
    }

    TForm* form = nullptr;
    TVtCustomListBox* box = nullptr;
};

const char* const kLong = "a very long line that is much wider than the list box itself";

TEST_F(ListBoxTest, TheScrollRangeFollowsTheWidestItemInBothListBoxes)
{
    auto* text = Place<TTextListBox>();
    auto* reference = Place<TTextListBox>();
    AddLines(reference->Items(), {"alpha", "a middling line"});
    for (TStrings* lines : {static_cast<TStrings*>(box->Items()), text->Items()}) {
        AddLines(lines, {"alpha", "a middling line"});
    }
    const int shortRange = Range(reference);
    EXPECT_GT(shortRange, 0);
    EXPECT_EQ(Range(box), shortRange);

    box->Items()->Insert(1, kLong);
    text->Items()->Add(kLong);
    EXPECT_GT(Range(box), shortRange);
    EXPECT_EQ(Range(text), Range(box));

    box->Items()->Delete(1);
    text->Items()->Delete(2);
    EXPECT_EQ(Range(box), shortRange);
    EXPECT_EQ(Range(text), shortRange);

    box->Items()->Clear();
    EXPECT_EQ(Range(box), 0);
}

TEST_F(ListBoxTest, TheRangeIsZeroWithoutAutoScrollOrWithColumnsAndTabsWidenIt)
{
    box->Items()->Add("one\ttwo");
    const int plain = Range(box);
    box->SetTabWidth(200);
    EXPECT_GT(Range(box), plain);
    box->SetAutoScroll(false);
    EXPECT_EQ(Range(box), 0);
    box->SetAutoScroll(true);
    box->SetColumns(2);
    EXPECT_FALSE(box->AutoScroll());
}

TEST_F(ListBoxTest, OwnerDrawnWidthsComeFromTheEventWhenBothEventsAreSet)
{
    box->SetStyle(lbOwnerDrawFixed);
    box->OnDrawItem = [](TWinControl*, int, TRect, TOwnerDrawState) {};
    box->OnGetItemWidth = [](TWinControl*, int index, int& width) { width = 500 + index; };
    AddLines(box->Items(), {"a", "b"});
    EXPECT_EQ(Range(box), 501);
}

TEST_F(ListBoxTest, ThreeColumnsOnATwoHundredPixelBoxAreSixtySixPixelsWide)
{
    AddLines(box->Items(), {"a", "b", "c", "d"});
    box->SetColumns(3);
    EXPECT_EQ(box->ItemRect(0).Width(), 66);
    box->SetWidth(302);
    EXPECT_EQ(box->ItemRect(0).Width(), 100);
}

TEST_F(ListBoxTest, LinesOutOfBoundsRaiseWithTheirIndex)
{
    AddLines(box->Items(), {"a", "b"});
    for (int index : {2, 5, -1}) {
        try {
            (void)box->Items()->Strings(index);
            FAIL() << index;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + IntToStr(index) + ")");
        }
    }
    EXPECT_THROW((void)box->Items()->Objects(2), EStringListError);
    EXPECT_THROW(box->Selected(2), EListError);
}

TEST_F(ListBoxTest, ExchangeAndMoveCarryTheItemDataAlong)
{
    TObject a, b, c;
    box->Items()->AddObject("a", &a);
    box->Items()->AddObject("b", &b);
    box->Items()->AddObject("c", &c);
    box->Items()->Exchange(0, 2);
    box->Items()->Move(0, 1);
    EXPECT_EQ(box->Items()->Text(), "b\nc\na\n");
    EXPECT_EQ(box->Items()->Objects(0), &b);
    EXPECT_EQ(box->Items()->Objects(1), &c);
    EXPECT_EQ(box->Items()->Objects(2), &a);
    box->Items()->SetStrings(1, "C");
    EXPECT_EQ(box->Items()->Objects(1), &c);
}

TEST_F(ListBoxTest, SortingKeepsTheItemsTheirDataAndTheCurrentItem)
{
    TObject data;
    AddLines(box->Items(), {"pear", "apple"});
    box->Items()->AddObject("fig", &data);
    box->SetItemIndex(1);
    box->SetSorted(true);
    EXPECT_EQ(box->Items()->Text(), "apple\nfig\npear\n");
    EXPECT_EQ(box->Items()->Objects(1), &data);
    EXPECT_EQ(box->ItemIndex(), 1);
    box->Items()->Add("banana");
    EXPECT_EQ(box->Items()->Strings(1), "banana");
}

TEST_F(ListBoxTest, ItemRectangleAndPositionRules)
{
    AddLines(box->Items(), {"a", "b"});
    const TRect last = box->ItemRect(1);
    const TRect after = box->ItemRect(2);
    EXPECT_EQ(after.Top, last.Bottom);
    EXPECT_EQ(after.Height(), last.Height());
    EXPECT_EQ(box->ItemRect(3), TRect{});
    EXPECT_EQ(box->ItemHeight(), last.Height());

    EXPECT_EQ(box->ItemAtPos(Point(5, last.Top + 1), true), 1);
    EXPECT_EQ(box->ItemAtPos(Point(5, after.Bottom + 5), true), -1);
    EXPECT_EQ(box->ItemAtPos(Point(5, after.Bottom + 5), false), 2);
    EXPECT_EQ(box->ItemAtPos(Point(-5, 5), false), -1);

    box->Items()->Clear();
    EXPECT_EQ(box->ItemRect(0), TRect{});
}

TEST_F(ListBoxTest, SelectingWithoutMultiSelectMovesTheCurrentItem)
{
    AddLines(box->Items(), {"a", "b", "c"});
    box->SetSelected(2, true);
    EXPECT_EQ(box->ItemIndex(), 2);
    box->SetSelected(1, false);
    EXPECT_EQ(box->ItemIndex(), 2);
    box->SetSelected(2, false);
    EXPECT_EQ(box->ItemIndex(), -1);

    box->SetMultiSelect(true);
    box->SetSelected(0, true);
    box->SetSelected(2, true);
    EXPECT_EQ(box->SelCount(), 2);
}

TColor PaintedAt(TControl* control, int x, int y)
{
    TBitmap copy;
    copy.SetSize(control->Width(), control->Height());
    control->PaintTo(copy.Canvas(), 0, 0);
    return copy.Canvas()->Pixels(x, y);
}

TEST_F(ListBoxTest, AnUnfocusedGraySelectionIsPaintedInTheButtonFaceColour)
{
    auto* other = Place<TEdit>();
    other->SetTop(200);
    form->Show();
    other->SetFocus();
    box->SetStyle(lbOwnerDrawFixed);
    AddLines(box->Items(), {"a", "b"});
    box->SetItemIndex(0);
    const TRect r = box->ItemRect(0);
    const int x = box->ClientRect().Right - 20;  // past the text, inside the item
    const int y = (r.Top + r.Bottom) / 2;
    // PaintTo copies the client area of the list at the control's origin plus its frame.
    const int frame = (box->Width() - box->ClientWidth()) / 2;
    EXPECT_EQ(ColorToRGB(PaintedAt(box, x + frame, y + frame)), ColorToRGB(clHighlight));
    box->SetGraySelection(true);
    EXPECT_EQ(ColorToRGB(PaintedAt(box, x + frame, y + frame)), ColorToRGB(clBtnFace));
}

}  // namespace
