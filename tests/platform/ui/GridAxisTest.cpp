// Tests of the grid's axis arithmetic: cell positions with fixed and scrolled cells, the cell
// under a pixel, and the scroll limits that keep the last cell reachable.
#include "ui/grids/GridAxis.h"

#include <gtest/gtest.h>

namespace {

// Five 64-pixel columns, the first fixed, 1-pixel lines: cells start every 65 pixels.
vt::GridAxis FiveColumns() {
    vt::GridAxis axis;
    axis.SetDefaultExtent(64);
    axis.SetCount(5);
    axis.SetFixedCount(1);
    return axis;
}

TEST(GridAxis, CellStartAndIndexAtAgreeWithScrolling) {
    const vt::GridAxis axis = FiveColumns();
    EXPECT_EQ(axis.FixedExtent(), 65);
    EXPECT_EQ(axis.CellStart(0, 1), 0);
    EXPECT_EQ(axis.CellStart(2, 1), 130);
    EXPECT_EQ(axis.CellStart(1, 3), -1);  // scrolled away
    EXPECT_EQ(axis.CellStart(3, 3), 65);  // first scrolled cell follows the fixed one
    EXPECT_EQ(axis.CellStart(0, 3), 0);   // fixed cells never scroll
    EXPECT_EQ(axis.IndexAt(64, 1), 0);    // the line belongs to the cell before it
    EXPECT_EQ(axis.IndexAt(65, 1), 1);
    EXPECT_EQ(axis.IndexAt(65, 3), 3);
    EXPECT_EQ(axis.IndexAt(-1, 1), -1);
    EXPECT_EQ(axis.IndexAt(325, 1), -1);  // past the last cell
    EXPECT_EQ(axis.IndexAt(200, 3), -1);
}

TEST(GridAxis, VisibleCountAndScrollLimits) {
    const vt::GridAxis axis = FiveColumns();
    EXPECT_EQ(axis.VisibleCount(1, 200), 2);
    EXPECT_EQ(axis.VisibleCount(1, 1000), 4);
    EXPECT_EQ(axis.VisibleCount(1, 10), 1);  // a cell too wide still counts once
    EXPECT_EQ(axis.MaxFirst(200), 3);
    EXPECT_EQ(axis.MaxFirst(1000), 1);
    EXPECT_EQ(axis.MaxFirst(10), 4);
    EXPECT_EQ(axis.FirstShowing(4, 1, 200), 3);
    EXPECT_EQ(axis.FirstShowing(2, 1, 200), 1);  // already shown: no move
    EXPECT_EQ(axis.FirstShowing(1, 3, 200), 1);  // above the view: it becomes the first
}

TEST(GridAxis, ExtentsKeepTheirSizeUntilTheDefaultChanges) {
    vt::GridAxis axis = FiveColumns();
    axis.SetExtent(2, 100);
    axis.SetExtent(9, 5);  // outside: ignored
    axis.SetCount(7);
    EXPECT_EQ(axis.Extent(2), 100);
    EXPECT_EQ(axis.Extent(6), 64);
    EXPECT_EQ(axis.CellStart(3, 1), 65 + 65 + 101);
    axis.SetDefaultExtent(20);
    EXPECT_EQ(axis.Extent(2), 20);
}

}  // namespace
