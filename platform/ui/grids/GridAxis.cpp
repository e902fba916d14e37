// Geometry of one grid axis. The fixed cells always stand at the start; the scrolled cells
// follow from the first one shown. Every cell is followed by a grid line of LineWidth pixels.
#include "ui/grids/GridAxis.h"

#include <algorithm>

namespace vt {

void GridAxis::SetCount(int count) {
    extents_.resize(std::max(count, 0), defaultExtent_);
}

void GridAxis::SetDefaultExtent(int extent) {
    defaultExtent_ = extent;
    std::fill(extents_.begin(), extents_.end(), extent);
}

int GridAxis::Extent(int index) const {
    return index >= 0 && index < Count() ? extents_[index] : defaultExtent_;
}

void GridAxis::SetExtent(int index, int extent) {
    if (index >= 0 && index < Count()) extents_[index] = std::max(extent, 0);
}

int GridAxis::FixedExtent() const {
    int total = 0;
    for (int i = 0; i < std::min(fixedCount_, Count()); ++i) total += extents_[i] + lineWidth_;
    return total;
}

int GridAxis::CellStart(int index, int first) const {
    if (index < 0 || index >= Count()) return -1;
    int pos = 0;
    if (index < fixedCount_) {
        for (int i = 0; i < index; ++i) pos += extents_[i] + lineWidth_;
        return pos;
    }
    if (index < first) return -1;
    pos = FixedExtent();
    for (int i = first; i < index; ++i) pos += extents_[i] + lineWidth_;
    return pos;
}

int GridAxis::IndexAt(int pixel, int first) const {
    if (pixel < 0) return -1;
    int pos = 0;
    for (int i = 0; i < Count(); ++i) {
        if (i == fixedCount_) i = std::max(first, fixedCount_);
        if (i >= Count()) break;
        pos += extents_[i] + lineWidth_;
        if (pixel < pos) return i;
    }
    return -1;
}

int GridAxis::VisibleCount(int first, int clientExtent) const {
    int pos = FixedExtent();
    int count = 0;
    for (int i = std::max(first, fixedCount_); i < Count(); ++i) {
        pos += extents_[i];
        if (pos > clientExtent && count > 0) break;
        ++count;
        pos += lineWidth_;
    }
    return count;
}

int GridAxis::MaxFirst(int clientExtent) const {
    int pos = FixedExtent();
    int first = Count();
    while (first > fixedCount_) {
        pos += extents_[first - 1] + lineWidth_;
        if (pos - lineWidth_ > clientExtent) break;
        --first;
    }
    return std::min(first, std::max(Count() - 1, fixedCount_));
}

int GridAxis::FirstShowing(int index, int first, int clientExtent) const {
    if (index < fixedCount_) return first;
    if (index < first) return index;
    int result = first;
    while (result < index && result + VisibleCount(result, clientExtent) <= index) ++result;
    return result;
}

}  // namespace vt
