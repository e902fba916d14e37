// The one drag of a control under way in the program. It starts at once or once the mouse has
// moved far enough from where it was; then the mouse stays with the source, and the control
// under it is asked whether it takes the source (entering, moving over and leaving it) until
// the button is released over it (a drop when it took the source) or the drag is ended.
#pragma once

#include "ui/kernel/Controls.h"

namespace vt {

class DragSession {
public:
    static void Begin(TControl* Source, bool Immediate, int Threshold);
    // Ends Source's drag (a pending one too). Drop: onto the target under the mouse, when it
    // takes the source; else cancelled.
    static void End(const TControl* Source, bool Drop);
    static bool Dragging(const TControl* Source);
    // Every mouse message of every control passes here first; true when the drag took it (the
    // moves and the release of a started drag).
    static bool MouseMessage(TControl* Control, const TMessage& Message);
    // Where the last mouse message of any control was, in screen coordinates.
    static TPoint LastMousePoint();
    // A control that goes away is neither source nor target any more.
    static void ControlGone(TControl* Control);
};

}  // namespace vt
