// The list boxes: the horizontal scroll range follows the widest item, columns, the message-backed
// line list (bounds, item data carried by exchange and move, sorting), item rectangles and hit
// tests, selection without MultiSelect, gray selection as painted, heights of whole items and
// items dragged from one box into another.
#include "components/lists/VtListBox.h"

#include <gtest/gtest.h>

#include "ItemInk.h"
#include "rtl/Exceptions.h"
#include "rtl/Locale.h"
#include "rtl/StrUtils.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>

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
    box->SetItemIndex(0);  // pear
    box->SetSorted(true);
    EXPECT_EQ(box->Items()->Text(), "apple\nfig\npear\n");
    EXPECT_EQ(box->Items()->Objects(1), &data);
    EXPECT_EQ(box->ItemIndex(), 2);
    box->Items()->Add("banana");
    EXPECT_EQ(box->Items()->Strings(1), "banana");
    EXPECT_EQ(box->Items()->Strings(box->ItemIndex()), "pear");
}

TEST_F(ListBoxTest, SortingKeepsTheTopItemInView)
{
    form->Show();
    for (int i = 0; i < 40; ++i)
        box->Items()->Add("item " + IntToStr(39 - i));  // item 39 ... item 0
    box->SetTopIndex(10);  // item 29
    ASSERT_EQ(box->TopIndex(), 10);
    box->SetSorted(true);
    EXPECT_EQ(box->Items()->Strings(box->TopIndex()), "item 29");
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

// A right-to-left box writes its items from the right exactly in a language read right to left;
// ctest runs this once more with such a language in the environment (rtl.VtListBox).
TEST_F(ListBoxTest, RightToLeftReadingWritesAnItemFromTheRight)
{
    ResetLocaleFromSystem();
    form->Show();
    AddLines(box->Items(), {"WWW"});
    const TRect r = box->ItemRect(0);
    for (TListBoxStyle style : {lbOwnerDrawFixed, lbStandard})
        for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
            SCOPED_TRACE(std::to_string(style) + (mode == bdRightToLeft ? " right to left" : ""));
            box->SetStyle(style);
            box->SetBiDiMode(mode);
            const vt::testing::Ink ink = vt::testing::ItemInk(box, 0);
            ASSERT_FALSE(ink.Empty());
            if (mode == bdRightToLeft && Locale().MiddleEast) {
                EXPECT_GE(ink.Right, r.Right - 6);
                EXPECT_GT(ink.Left, r.Left + r.Width() / 2);
            } else {
                EXPECT_LE(ink.Left, r.Left + 6);
                EXPECT_LT(ink.Right, r.Left + r.Width() / 2);
            }
        }
}

TEST_F(ListBoxTest, AssigningTheDrawingEventsWorksTheRangeOutAgain)
{
    box->SetStyle(lbOwnerDrawFixed);
    AddLines(box->Items(), {"a", "b"});
    const int measured = Range(box);
    box->SetOnGetItemWidth([](TWinControl*, int index, int& width) { width = 500 + index; });
    EXPECT_EQ(Range(box), measured);  // without OnDrawItem the text is measured still
    box->SetOnDrawItem([](TWinControl*, int, TRect, TOwnerDrawState) {});
    EXPECT_EQ(Range(box), 501);
    box->SetOnGetItemWidth(nullptr);
    EXPECT_EQ(Range(box), measured);
}

TEST_F(ListBoxTest, AnIntegralHeightHoldsWholeItemsOnly)
{
    box->SetStyle(lbOwnerDrawFixed);
    box->SetItemHeight(16);
    const int frame = box->Height() - box->Widget()->findChild<QWidget*>("qt_scrollarea_viewport")->height();
    box->SetIntegralHeight(true);
    box->SetHeight(100);
    EXPECT_EQ((box->Height() - frame) % 16, 0);
    EXPECT_GT(box->Height(), 100 - 16);
    EXPECT_LE(box->Height(), 100);
    box->SetHeight(3);
    EXPECT_EQ(box->Height(), frame + 16);  // never less than one item

    box->SetStyle(lbOwnerDrawVariable);  // items of their own heights: the height stays
    box->SetHeight(100);
    EXPECT_EQ(box->Height(), 100);
}

namespace {

// Two boxes side by side on a shown form; the mouse acts on the source box's item area, as a
// user's does, and is held while it moves.
class DragListBoxTest : public ListBoxTest {
protected:
    void SetUp() override
    {
        ListBoxTest::SetUp();
        target = Place<TVtCustomListBox>();
        target->SetBounds(220, 10, 150, 120);
        AddLines(box->Items(), {"Adams", "Baker", "O'Neil"});
        box->SetDragMode(dmAutomatic);
        target->OnDragOver = [this](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
            states += String(states.empty() ? "" : ",") + (State == dsDragEnter ? "enter" : State == dsDragMove ? "move" : "leave");
            Accept = Source == box;
        };
        target->OnDragDrop = [this](TObject*, TObject* Source, int X, int Y) {
            auto* from = static_cast<TVtCustomListBox*>(Source);
            target->Items()->Insert(target->ItemAtPos(Point(X, Y), false), from->Items()->Strings(from->ItemIndex()));
            from->Items()->Delete(from->ItemIndex());
        };
        box->OnEndDrag = [this](TObject*, TObject* Target, int, int) {
            endedOn.push_back(Target == target ? "target" : Target ? "other" : "nothing");
        };
        form->Show();
    }

    // Sends a mouse event to the source box at a point given in the coordinates of control.
    void Mouse(QEvent::Type type, TControl* control, int x, int y)
    {
        QWidget* items = static_cast<QAbstractScrollArea*>(box->Widget())->viewport();
        const TPoint screen = control->ClientToScreen(Point(x, y));
        const QPoint global(screen.X, screen.Y);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(items->mapFromGlobal(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(items, &event);
    }
    String Lines(TVtCustomListBox* b) const
    {
        String lines;
        for (int i = 0; i < b->Items()->Count(); ++i)
            lines += (i ? "," : "") + b->Items()->Strings(i);
        return lines;
    }

    TVtCustomListBox* target = nullptr;
    String states;
    std::vector<String> endedOn;
};

}  // namespace

TEST_F(DragListBoxTest, AnItemDraggedOntoTheOtherBoxMovesThere)
{
    const TRect baker = box->ItemRect(1);
    Mouse(QEvent::MouseButtonPress, box, baker.Left + 10, (baker.Top + baker.Bottom) / 2);
    EXPECT_EQ(box->ItemIndex(), 1);  // the press selects as in any list box
    EXPECT_FALSE(box->Dragging());   // not before the mouse moves
    Mouse(QEvent::MouseMove, target, 40, 30);
    EXPECT_TRUE(box->Dragging());
    Mouse(QEvent::MouseMove, target, 45, 35);
    Mouse(QEvent::MouseButtonRelease, target, 45, 35);
    EXPECT_FALSE(box->Dragging());
    EXPECT_EQ(Lines(box), "Adams,O'Neil");
    EXPECT_EQ(Lines(target), "Baker");
    EXPECT_EQ(states, "enter,move,move");
    EXPECT_EQ(endedOn, std::vector<String>{"target"});

    // A click without a move is a click: no drag.
    const TRect adams = box->ItemRect(0);
    Mouse(QEvent::MouseButtonPress, box, adams.Left + 10, (adams.Top + adams.Bottom) / 2);
    Mouse(QEvent::MouseButtonRelease, box, adams.Left + 10, (adams.Top + adams.Bottom) / 2);
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(endedOn.size(), 1u);
}

TEST_F(DragListBoxTest, ADragLeftOffEveryTargetOrEndedIsCancelledAndKeepsTheItem)
{
    const TRect oneil = box->ItemRect(2);
    Mouse(QEvent::MouseButtonPress, box, oneil.Left + 10, (oneil.Top + oneil.Bottom) / 2);
    Mouse(QEvent::MouseMove, target, 40, 30);
    Mouse(QEvent::MouseMove, form, 200, 250);  // off both boxes
    Mouse(QEvent::MouseButtonRelease, form, 200, 250);
    EXPECT_EQ(states, "enter,leave");
    EXPECT_EQ(endedOn, std::vector<String>{"nothing"});
    EXPECT_EQ(Lines(box), "Adams,Baker,O'Neil");
    EXPECT_EQ(box->ItemIndex(), 2);

    // Ended from code while over the target: cancelled too.
    states.clear();
    Mouse(QEvent::MouseButtonPress, box, oneil.Left + 10, (oneil.Top + oneil.Bottom) / 2);
    Mouse(QEvent::MouseMove, target, 40, 30);
    box->EndDrag(false);
    EXPECT_FALSE(box->Dragging());
    EXPECT_EQ(states, "enter,leave");
    EXPECT_EQ(endedOn, (std::vector<String>{"nothing", "nothing"}));
    EXPECT_EQ(Lines(target), "");
    Mouse(QEvent::MouseButtonRelease, box, oneil.Left + 10, (oneil.Top + oneil.Bottom) / 2);
}

}  // namespace
