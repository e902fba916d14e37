// Animated cursors: a cursor handle whose frames take turns, each for its own time, wherever
// the cursor shows (the screen's cursor or a control's). The frames change on a timer of the GUI
// thread, and only while the cursor shows somewhere.
#pragma once

#include "ui/forms/Forms.h"

#include <vector>

class QWidget;

namespace vt {

struct CursorFrame {
    TIcon* Image;
    int HotX;
    int HotY;
    int Milliseconds;  // how long the frame shows
};

// A handle for Screen->SetCursors that shows the frames in turn, from the first; freed as any
// other cursor (DestroyCursor, or by the screen's table).
HCURSOR CreateAnimatedCursor(const std::vector<CursorFrame>& Frames);

// Platform side.
// Frees a cursor handle, with its animation when it has one.
void FreeCursorHandle(HCURSOR Cursor);
// Shows the cursor over the widget (crDefault: the parent's), animated when it is.
void SetWidgetCursor(QWidget* Widget, TCursor Cursor);
// The screen's cursor became Cursor (crDefault: none over the program).
void ScreenCursorChanged(TCursor Cursor);

}  // namespace vt
