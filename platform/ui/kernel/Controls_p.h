// Private bridge between the control classes and Qt: the widget template that hands every Qt
// event of a control's widget to the control as a message, and the conversions of colours, keys,
// strings and cursors that the ui sources share. Never included by code above the platform.
#pragma once

#include <QColor>
#include <QCursor>
#include <QEvent>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

#include "ui/kernel/Controls.h"

namespace vt {

// The native Qt handling of the event behind the message being dispatched. DefaultHandler runs
// it at most once; a handler that does not call the inherited one swallows the event.
struct NativeCall {
    const TMessage* message = nullptr;
    std::function<bool()> call;
    bool done = false;
    bool result = false;
};

class WidgetBridge {
public:
    explicit WidgetBridge(TControl* control) : FControl(control) {}
    virtual ~WidgetBridge() = default;
    TControl* Control() const { return FControl; }
    void Detach() { FControl = nullptr; }

protected:
    TControl* FControl;
};

bool RouteEvent(TControl* control, QWidget* widget, QEvent* event, const std::function<bool(QEvent*)>& native);

template <class Base>
class Bridged : public Base, public WidgetBridge {
public:
    template <class... Args>
    explicit Bridged(TControl* control, Args&&... args) : Base(std::forward<Args>(args)...), WidgetBridge(control)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        if (!FControl)
            return Base::event(e);
        return RouteEvent(FControl, this, e, [this](QEvent* ev) { return Base::event(ev); });
    }
};

// Scroll areas get their mouse events on the viewport; those reach the control too.
template <class Base>
class BridgedScrollArea : public Bridged<Base> {
public:
    using Bridged<Base>::Bridged;

protected:
    bool viewportEvent(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (this->FControl)
                return RouteEvent(this->FControl, this->viewport(), e, [this](QEvent* ev) { return Base::viewportEvent(ev); });
            break;
        default:
            break;
        }
        return Base::viewportEvent(e);
    }
};

void EnsureQtApplication();

// Composite widgets (an editable combo box's line edit) take the keys, clicks and focus
// themselves; this hands those events of the inner widget to the control as well.
void ForwardEventsOf(QWidget* inner, TControl* control);

// A bridged widget for a control kind's constructor (the QApplication exists first).
template <class W>
QWidget* NewWidget(TControl* control)
{
    EnsureQtApplication();
    return new W(control);
}

// Runs a handler called from a Qt signal: exceptions go to the application's handler instead
// of unwinding through Qt.
void Guarded(TControl* control, const std::function<void()>& handler);

QString ToQString(const String& s);
String FromQString(const QString& s);
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
QCursor CursorFor(TCursor cursor);
WORD VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int QtKeyFromVirtualKey(WORD vk);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift);
// WParam/LParam bits carrying a shift state in key messages.
LPARAM ShiftToKeyData(TShiftState shift);
TShiftState KeyDataToShiftState(LPARAM data);

}  // namespace vt
