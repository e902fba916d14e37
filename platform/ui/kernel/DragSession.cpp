// The drag is the class library's own, inside the program: the source is a control object the
// targets see as such, so it goes by the mouse messages the source gets rather than through
// the desktop's drag and drop. The cursor over the program shows whether the target under the
// mouse takes the source.
#include "ui/kernel/DragSession.h"

#include "ui/kernel/Controls_p.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <optional>

namespace vt {
namespace {

struct Drag {
    TControl* Source = nullptr;
    TObject* SourceObject = nullptr;  // what the targets are told the source is
    bool Started = false;
    TPoint PressedAt;
    int Threshold = 0;
    TControl* Target = nullptr;
    TPoint TargetPoint;  // in the target's client coordinates
    bool Accepted = false;
};

std::optional<Drag> gDrag;
TPoint gLastMouse;  // screen coordinates of the last mouse message

TControl* ControlAt(const TPoint& p)
{
    for (QWidget* w = QApplication::widgetAt(p.X, p.Y); w; w = w->parentWidget())
        if (TControl* control = FindControl(w))
            return control->Enabled() ? control : nullptr;
    return nullptr;
}

}  // namespace

// Reaches the controls' protected drag steps.
class DragSteps {
public:
    static bool Over(TControl* target, TObject* source, const TPoint& p, TDragState state)
    {
        bool accept = false;
        target->DragOver(source, p.X, p.Y, state, accept);
        return accept;
    }
    static void Drop(TControl* target, TObject* source, const TPoint& p) { target->DragDrop(source, p.X, p.Y); }
    static TObject* Start(TControl* source)
    {
        TDragObject* object = nullptr;
        source->DoStartDrag(object);
        return object ? static_cast<TObject*>(object) : source;
    }
    static void Finish(TControl* source, TControl* target, const TPoint& p, bool dropped)
    {
        source->DoEndDrag(target, p.X, p.Y);
        if (!dropped)
            source->DragCanceled();
    }
};

namespace {

void ShowDragCursor()
{
    const QCursor cursor = CursorFor(gDrag->Accepted ? gDrag->Source->DragCursor() : crNoDrop);
    QGuiApplication::changeOverrideCursor(cursor);
}

void Start()
{
    gDrag->Started = true;
    gDrag->SourceObject = DragSteps::Start(gDrag->Source);
    QGuiApplication::setOverrideCursor(CursorFor(crNoDrop));
}

// The mouse is at p: the target under it is told it entered or moved, the one before that it
// was left. A handler may end the drag meanwhile.
void MoveTo(const TPoint& p)
{
    TControl* target = ControlAt(p);
    TObject* source = gDrag->SourceObject;
    if (target != gDrag->Target && gDrag->Target) {
        TControl* left = gDrag->Target;
        const TPoint at = gDrag->TargetPoint;
        gDrag->Target = nullptr;
        gDrag->Accepted = false;
        DragSteps::Over(left, source, at, dsDragLeave);
        if (!gDrag)
            return;
    }
    const TDragState state = target == gDrag->Target ? dsDragMove : dsDragEnter;
    gDrag->Target = target;
    gDrag->Accepted = false;
    if (target) {
        const TPoint at = target->ScreenToClient(p);
        gDrag->TargetPoint = at;
        const bool accepted = DragSteps::Over(target, source, at, state);
        if (!gDrag)
            return;
        gDrag->Accepted = accepted;
    }
    ShowDragCursor();
}

void Finish(bool drop)
{
    const Drag drag = *gDrag;
    gDrag.reset();
    QGuiApplication::restoreOverrideCursor();
    const bool dropped = drop && drag.Target && drag.Accepted;
    if (dropped)
        DragSteps::Drop(drag.Target, drag.SourceObject, drag.TargetPoint);
    else if (drag.Target)
        DragSteps::Over(drag.Target, drag.SourceObject, drag.TargetPoint, dsDragLeave);
    DragSteps::Finish(drag.Source, dropped ? drag.Target : nullptr, drag.TargetPoint, dropped);
}

}  // namespace

void DragSession::Begin(TControl* Source, bool Immediate, int Threshold)
{
    if (gDrag)
        return;
    gDrag = Drag{Source, Source, false, gLastMouse,
                 Threshold < 0 ? QApplication::startDragDistance() : Threshold};
    if (!Immediate)
        return;
    Start();
    if (gDrag)
        MoveTo(gLastMouse);
}

void DragSession::End(const TControl* Source, bool Drop)
{
    if (!gDrag || gDrag->Source != Source)
        return;
    if (!gDrag->Started) {
        gDrag.reset();
        return;
    }
    Finish(Drop);
}

bool DragSession::Dragging(const TControl* Source) { return gDrag && gDrag->Started && gDrag->Source == Source; }

bool DragSession::MouseMessage(TControl* Control, const TMessage& Message)
{
    const TPoint p = Control->ClientToScreen(Point(LParamX(Message.LParam), LParamY(Message.LParam)));
    gLastMouse = p;
    if (!gDrag || Control != gDrag->Source)
        return false;
    if (Message.Msg == WM_MOUSEMOVE) {
        if (!gDrag->Started) {
            const TPoint from = gDrag->PressedAt;
            if (std::abs(p.X - from.X) + std::abs(p.Y - from.Y) < gDrag->Threshold)
                return false;
            Start();
        }
        if (gDrag)
            MoveTo(p);
        return true;
    }
    if (Message.Msg != WM_LBUTTONUP)
        return false;
    if (!gDrag->Started) {
        gDrag.reset();  // released before it moved far enough: a click
        return false;
    }
    MoveTo(p);
    if (gDrag)
        Finish(true);
    return true;
}

TPoint DragSession::LastMousePoint() { return gLastMouse; }

void DragSession::ControlGone(TControl* Control)
{
    if (!gDrag)
        return;
    if (gDrag->Source == Control) {
        if (gDrag->Started)
            QGuiApplication::restoreOverrideCursor();
        gDrag.reset();
    } else if (gDrag->Target == Control) {
        gDrag->Target = nullptr;
        gDrag->Accepted = false;
    }
}

}  // namespace vt
