// Tests of the custom-painted grid through Qt events: keyboard moves ask SelectCell and fire
// Click, cell geometry and hit testing agree with scrolling, and dragging a fixed-row divider
// sizes the column.
#include "ui/grids/Grids.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

// A 5 x 5 grid of 64 x 24 cells with one fixed row and column and 1-pixel lines: cells start
// every 65 pixels across and every 25 down.
class DrawGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        vt::EnsureTestApplication();
        form_ = new TForm(nullptr);
        form_->SetBounds(0, 0, 500, 300);
        grid_ = new TDrawGrid(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 400, 200);
        grid_->OnClick = [this](TObject*) { ++clicks_; };
        form_->Show();
        vt::ProcessEventsUntilIdle();
    }
    void TearDown() override { delete form_; }

    TForm* form_ = nullptr;
    TDrawGrid* grid_ = nullptr;
    int clicks_ = 0;
};

TEST_F(DrawGridTest, KeyboardMovesAskSelectCellAndFireClick) {
    struct Case {
        WORD key;
        TShiftState shift;
        int col, row;
    };
    const Case cases[] = {
        {VK_DOWN, {}, 1, 2},      {VK_RIGHT, {}, 2, 2},     {VK_END, {}, 4, 2},
        {VK_HOME, {}, 1, 2},      {VK_END, {ssCtrl}, 4, 4}, {VK_UP, {}, 4, 3},
        {VK_HOME, {ssCtrl}, 1, 1}, {VK_LEFT, {}, 1, 1},  // at the first scrolling cell: stays
    };
    for (const Case& c : cases) {
        const int before = clicks_;
        vt::SendKey(grid_, c.key, c.shift);
        EXPECT_EQ(grid_->Col(), c.col) << "key " << c.key;
        EXPECT_EQ(grid_->Row(), c.row) << "key " << c.key;
        EXPECT_EQ(clicks_, before + 1) << "key " << c.key;
    }

    grid_->OnSelectCell = [](TObject*, int ACol, int ARow, bool& CanSelect) { CanSelect = ARow != 2; };
    const int before = clicks_;
    vt::SendKey(grid_, VK_DOWN);
    EXPECT_EQ(grid_->Row(), 1);  // refused: the current cell stays and no Click
    EXPECT_EQ(clicks_, before);
}

TEST_F(DrawGridTest, TabMovesWithinTheGridOnlyWithGoTabs) {
    EXPECT_FALSE(grid_->WantsKey(VK_TAB, {}));
    grid_->SetOptions(grid_->Options() << goTabs);
    EXPECT_TRUE(grid_->WantsKey(VK_TAB, {}));
    struct Case {
        TShiftState shift;
        int col, row;
    };
    grid_->SetCol(4);
    for (const Case& c : {Case{{}, 1, 2}, Case{{ssShift}, 4, 1}, Case{{ssShift}, 3, 1}}) {
        vt::SendKey(grid_, VK_TAB, c.shift);
        EXPECT_EQ(grid_->Col(), c.col);
        EXPECT_EQ(grid_->Row(), c.row);
    }
    const int clicks = clicks_;
    grid_->SetOptions(grid_->Options() << goRowSelect);  // whole rows: Tab goes to the next row
    EXPECT_EQ(clicks_, clicks);  // options set from code fire no Click
    vt::SendKey(grid_, VK_TAB);
    EXPECT_EQ(grid_->Row(), 2);
    vt::SendKey(grid_, VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(grid_->Row(), 1);
}

TEST_F(DrawGridTest, MouseClickMovesTheCurrentCellAndFiresClickOnce) {
    vt::ClickControl(grid_, 140, 60);  // column 2, row 2
    EXPECT_EQ(grid_->Col(), 2);
    EXPECT_EQ(grid_->Row(), 2);
    EXPECT_EQ(clicks_, 1);
    vt::ClickControl(grid_, 10, 60);  // a fixed cell is not a current-cell candidate
    EXPECT_EQ(grid_->Col(), 2);
    EXPECT_EQ(clicks_, 1);
}

TEST_F(DrawGridTest, WheelMovesTheCurrentRowAndDoubleClickFires) {
    auto turn = [this](int delta) {
        QWheelEvent wheel(QPointF(100, 60), QPointF(100, 60), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid_->Widget(), &wheel);
    };
    turn(-120);
    turn(-120);
    EXPECT_EQ(grid_->Row(), 3);
    turn(120);
    EXPECT_EQ(grid_->Row(), 2);
    EXPECT_EQ(clicks_, 3);

    int doubleClicks = 0;
    grid_->OnDblClick = [&](TObject*) { ++doubleClicks; };
    vt::DoubleClickControl(grid_, 140, 85);  // column 2, row 3
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(grid_->Row(), 3);
}

TEST_F(DrawGridTest, CellRectAndMouseToCellFollowWidthsAndScrolling) {
    EXPECT_EQ(grid_->CellRect(2, 1), Rect(130, 25, 194, 49));
    int col = 0, row = 0;
    grid_->MouseToCell(131, 26, col, row);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 1);
    grid_->MouseToCell(129, 26, col, row);  // the line belongs to the cell before it
    EXPECT_EQ(col, 1);

    grid_->SetColWidths(1, 100);
    EXPECT_EQ(grid_->CellRect(2, 1).Left, 166);

    grid_->SetColCount(20);
    grid_->SetLeftCol(5);
    EXPECT_EQ(grid_->LeftCol(), 5);
    EXPECT_EQ(grid_->CellRect(2, 1), TRect{});  // scrolled out of view
    EXPECT_EQ(grid_->CellRect(5, 1).Left, 65);   // first scrolled column after the fixed one
    EXPECT_EQ(grid_->CellRect(0, 1).Left, 0);    // fixed columns never scroll
    grid_->MouseToCell(70, 30, col, row);
    EXPECT_EQ(col, 5);
    grid_->MouseToCell(2000, 30, col, row);  // beyond the cells
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
}

TEST_F(DrawGridTest, KeyboardMoveScrollsTheCurrentCellIntoView) {
    grid_->SetRowCount(100);
    vt::SendKey(grid_, VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(grid_->Row(), 99);
    EXPECT_LE(grid_->TopRow(), 99);
    EXPECT_GE(grid_->TopRow() + grid_->VisibleRowCount() - 1, 99);
    EXPECT_GT(grid_->CellRect(grid_->Col(), 99).Bottom, 0);
}

TEST_F(DrawGridTest, DraggingTheFixedRowDividerSizesTheColumnOnlyWithColSizing) {
    // Column 1 ends at x = 129; press on its divider in the fixed row and drag 30 pixels.
    vt::PressMouse(grid_, 129, 10);
    vt::MoveMouse(grid_, 159, 10);
    vt::ReleaseMouse(grid_, 159, 10);
    EXPECT_EQ(grid_->ColWidths(1), 64);

    TGridOptions options = grid_->Options();
    grid_->SetOptions(options << goColSizing);
    vt::PressMouse(grid_, 129, 10);
    vt::MoveMouse(grid_, 159, 10);
    vt::ReleaseMouse(grid_, 159, 10);
    EXPECT_EQ(grid_->ColWidths(1), 94);
    EXPECT_EQ(grid_->CellRect(2, 1).Left, 160);
    EXPECT_EQ(clicks_, 0);  // sizing is not a click on a cell
}

}  // namespace
