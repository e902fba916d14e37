// Geometry of one grid axis (the columns or the rows): cell extents, fixed cells at the start,
// the first scrolled cell, and the arithmetic that maps pixels to cells and back.
// Pure C++ so that the grid's layout rules can be tested without a widget.
#pragma once

#include <vector>

namespace vt {

class GridAxis {
public:
    int Count() const { return static_cast<int>(extents_.size()); }
    void SetCount(int count);  // new cells take the default extent
    int FixedCount() const { return fixedCount_; }
    void SetFixedCount(int count) { fixedCount_ = count; }
    int DefaultExtent() const { return defaultExtent_; }
    void SetDefaultExtent(int extent);  // every cell goes back to the default
    int Extent(int index) const;
    void SetExtent(int index, int extent);
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int width) { lineWidth_ = width; }

    // Pixels taken by the fixed cells, lines included.
    int FixedExtent() const;
    // Where a cell starts when `first` is the first scrolled cell shown; -1 when scrolled away.
    int CellStart(int index, int first) const;
    // The cell under a pixel, or -1 past the last cell.
    int IndexAt(int pixel, int first) const;
    // Scrolled cells shown whole from `first` in a client extent (at least 1 when any exist).
    int VisibleCount(int first, int clientExtent) const;
    // The greatest first scrolled cell that still fills the client extent.
    int MaxFirst(int clientExtent) const;
    // The first scrolled cell that shows `index`, moving as little as possible from `first`.
    int FirstShowing(int index, int first, int clientExtent) const;

private:
    std::vector<int> extents_;
    int fixedCount_ = 0;
    int defaultExtent_ = 0;
    int lineWidth_ = 1;
};

}  // namespace vt
