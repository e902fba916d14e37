// Where a list box painted an item: the leftmost and rightmost columns, in client coordinates,
// holding something other than the item's background (the commonest colour) along its middle row
// (its outermost columns, where a focus rectangle goes, left out).
#pragma once

#include "ui/controls/StdCtrls.h"
#include "ui/graphics/Graphics.h"

#include <algorithm>
#include <map>

namespace vt::testing {

struct Ink {
    int Left = -1, Right = -1;
    bool Empty() const { return Left < 0; }
};

inline Ink ItemInk(TCustomListBox* box, int index)
{
    TBitmap copy;
    copy.SetSize(box->Width(), box->Height());
    box->PaintTo(copy.Canvas(), 0, 0);
    const int frame = (box->Width() - box->ClientWidth()) / 2;  // PaintTo includes the frame
    const TRect r = box->ItemRect(index);
    const int y = (r.Top + r.Bottom) / 2 + frame;
    std::map<TColor, int> counts;
    for (int x = r.Left + 1; x < r.Right - 1; ++x)
        ++counts[copy.Canvas()->Pixels(x + frame, y)];
    const TColor background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    Ink ink;
    for (int x = r.Left + 1; x < r.Right - 1; ++x) {
        if (copy.Canvas()->Pixels(x + frame, y) == background)
            continue;
        if (ink.Empty())
            ink.Left = x;
        ink.Right = x;
    }
    return ink;
}

}  // namespace vt::testing
