// Test helpers that drive controls through real Qt events.
#include "ui/testing/UiTesting.h"

#include <QApplication>
#include <QAccessible>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QPixmap>

#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"

namespace vt {

void EnsureTestApplication()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureQtApplication();
}

void ProcessEventsUntilIdle()
{
    EnsureTestApplication();
    for (int round = 0; round < 10; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

namespace {

Qt::MouseButton QtButton(TMouseButton button)
{
    return button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

QPoint Where(TControl* control, int x, int y)
{
    if (x < 0 || y < 0)
        return QPoint(control->Width() / 2, control->Height() / 2);
    return QPoint(x, y);
}

void SendMouse(TControl* control, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QWidget* w = control->Widget();
    QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

}  // namespace

void PressMouse(TControl* control, int x, int y, TMouseButton button)
{
    SendMouse(control, QEvent::MouseButtonPress, Where(control, x, y), QtButton(button), QtButton(button));
}

void ReleaseMouse(TControl* control, int x, int y, TMouseButton button)
{
    SendMouse(control, QEvent::MouseButtonRelease, Where(control, x, y), QtButton(button), Qt::NoButton);
}

void MoveMouse(TControl* control, int x, int y)
{
    SendMouse(control, QEvent::MouseMove, Where(control, x, y), Qt::NoButton, Qt::NoButton);
}

void ClickControl(TControl* control, int x, int y, TMouseButton button)
{
    PressMouse(control, x, y, button);
    ReleaseMouse(control, x, y, button);
}

void DoubleClickControl(TControl* control, int x, int y)
{
    ClickControl(control, x, y);
    SendMouse(control, QEvent::MouseButtonDblClick, Where(control, x, y), Qt::LeftButton, Qt::LeftButton);
    ReleaseMouse(control, x, y);
}

void MouseEnter(TControl* control)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(control->Widget()->mapToGlobal(QPoint(1, 1))));
    QApplication::sendEvent(control->Widget(), &event);
}

void MouseLeave(TControl* control)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(control->Widget(), &event);
}

void SendKey(TWinControl* control, WORD key, TShiftState shift, char text)
{
    const int qtKey = QtKeyFromVirtualKey(key);
    QString typed;
    if (text)
        typed = QString(QChar(text));
    else if ((key >= 'A' && key <= 'Z'))
        typed = QString(QChar(shift.Contains(ssShift) ? key : key + 32));
    else if ((key >= '0' && key <= '9') || key == VK_SPACE)
        typed = QString(QChar(key));
    else if (key == VK_RETURN)
        typed = "\r";
    else if (key == VK_ESCAPE)
        typed = "\x1b";
    else if (key == VK_TAB)
        typed = "\t";
    else if (key == VK_BACK)
        typed = "\b";
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt))
        typed.clear();
    const Qt::KeyboardModifiers modifiers = QtModifiersFromShift(shift);
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, typed);
    QApplication::sendEvent(control->Widget(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, typed);
    QApplication::sendEvent(control->Widget(), &release);
}

namespace {

// The press and release of one typed character (a letter of any alphabet), sent at once or
// queued; letters and digits of ASCII carry their key as well.
void DeliverCharacter(QWidget* widget, const QString& character, bool queued)
{
    WORD key = 0;
    TShiftState shift;
    const char16_t c = character.size() == 1 ? character[0].unicode() : 0;
    if (c >= 'a' && c <= 'z')
        key = static_cast<WORD>(c - 32);
    else if (c >= 'A' && c <= 'Z')
        key = static_cast<WORD>(c), shift << ssShift;
    else if ((c >= '0' && c <= '9') || c == ' ')
        key = static_cast<WORD>(c);
    const int qtKey = key ? QtKeyFromVirtualKey(key) : Qt::Key_unknown;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* event = new QKeyEvent(type, qtKey, QtModifiersFromShift(shift), character);
        if (queued) {
            QCoreApplication::postEvent(widget, event);
        } else {
            QApplication::sendEvent(widget, event);
            delete event;
        }
    }
}

// The text's characters one by one: a UTF-8 sequence is one character, a surrogate pair too.
void DeliverText(QWidget* widget, const String& text, bool queued)
{
    const QString characters = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const qsizetype length = characters[i].isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        DeliverCharacter(widget, characters.mid(i, length), queued);
        i += length - 1;
    }
}

}  // namespace

void TypeText(TWinControl* control, const String& text) { DeliverText(control->Widget(), text, false); }

void PostText(TWinControl* control, const String& text) { DeliverText(control->Widget(), text, true); }

void PostClick(TControl* control, int x, int y)
{
    QWidget* w = control->Widget();
    const QPoint local = Where(control, x, y);
    const QPointF global(w->mapToGlobal(local));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
}

TControl* QtFocusedControl()
{
    QWidget* w = QApplication::focusWidget();
    while (w) {
        if (TControl* c = FindControl(w))
            return c;
        w = w->parentWidget();
    }
    return nullptr;
}

AccessibleInfo Accessible(TControl* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control->Widget());
    if (!face)
        return {};
    String role;
    switch (face->role()) {
    case QAccessible::StaticText: role = "label"; break;
    case QAccessible::PushButton: role = "button"; break;
    case QAccessible::EditableText: role = "edit"; break;
    case QAccessible::Table: role = "table"; break;
    case QAccessible::Client: role = "client"; break;
    default: role = std::to_string(static_cast<int>(face->role()));
    }
    return {role, face->text(QAccessible::Name).toStdString(), face->text(QAccessible::Description).toStdString()};
}

bool SaveScreenshot(TCustomForm* form, const String& fileName)
{
    return form->Widget()->grab().save(ToQString(fileName), "PNG");
}

void DropFiles(TControl* control, const std::vector<String>& files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const String& file : files)
        urls.push_back(QUrl::fromLocalFile(ToQString(file)));
    data.setUrls(urls);
    const QPoint at(control->Width() / 2, control->Height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control->Widget(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control->Widget(), &drop);
}

}  // namespace vt
