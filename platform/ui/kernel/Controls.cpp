// The control classes over Qt widgets: geometry and our own alignment, message dispatch with the
// native Qt handling as the default, mouse/key/focus/paint routing from Qt events, and the
// accessible names and descriptions controls publish.
#include "ui/kernel/Controls.h"
#include "rtl/Locale.h"
#include "rtl/TypInfo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <list>
#include <memory>
#include <mutex>

#include "rtl/Exceptions.h"
#include "ui/forms/AnimatedCursor.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/DragSession.h"
#include "ui/kernel/Controls_p.h"
#include "ui/controls/Menus.h"

namespace vt {

QString ToQString(const String& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
String FromQString(const QString& s) { return s.toUtf8().toStdString(); }

QColor ToQColor(TColor c)
{
    TColor rgb = ColorToRGB(c) & 0xFFFFFF;
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QCursor CursorFor(TCursor cursor)
{
    if (cursor > 0 && Screen) {
        if (auto* custom = static_cast<QCursor*>(Screen->Cursors(cursor)))
            return *custom;
    }
    switch (cursor) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass: case crSQLWait: return QCursor(Qt::WaitCursor);
    case crDrag: case crMultiDrag: return QCursor(Qt::DragCopyCursor);
    case crNoDrop: case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

namespace {
struct KeyPair {
    int qt;
    WORD vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU}, {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP}, {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Plus, 0xBB}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Minus, 0xBD}, {Qt::Key_Comma, 0xBC},
    {Qt::Key_Period, 0xBE}, {Qt::Key_Slash, 0xBF}, {Qt::Key_Semicolon, 0xBA}, {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE},
};
constexpr KeyPair kKeypad[] = {
    {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT}, {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Slash, VK_DIVIDE}, {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL},
};
}  // namespace

WORD VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return static_cast<WORD>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
        for (const auto& k : kKeypad)
            if (k.qt == qtKey)
                return k.vk;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<WORD>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<WORD>(VK_F1 + (qtKey - Qt::Key_F1));
    for (const auto& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(WORD vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key_0 + (vk - VK_NUMPAD0);
    for (const auto& k : kKeypad)
        if (k.vk == vk)
            return k.qt;
    for (const auto& k : kKeys)
        if (k.vk == vk)
            return k.qt;
    return Qt::Key_unknown;
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (modifiers & Qt::ShiftModifier) s << ssShift;
    if (modifiers & Qt::AltModifier) s << ssAlt;
    if (modifiers & Qt::ControlModifier) s << ssCtrl;
    if (buttons & Qt::LeftButton) s << ssLeft;
    if (buttons & Qt::RightButton) s << ssRight;
    if (buttons & Qt::MiddleButton) s << ssMiddle;
    return s;
}

Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift)
{
    Qt::KeyboardModifiers m;
    if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
    if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    return m;
}

// Key messages carry the shift state in bits 29 (Alt), 30 (Shift) and 31 (Ctrl) of LParam.
LPARAM ShiftToKeyData(TShiftState shift)
{
    std::uint32_t data = 0;
    if (shift.Contains(ssAlt)) data |= 0x20000000u;
    if (shift.Contains(ssShift)) data |= 0x40000000u;
    if (shift.Contains(ssCtrl)) data |= 0x80000000u;
    return static_cast<LPARAM>(data);
}

TShiftState KeyDataToShiftState(LPARAM data)
{
    TShiftState s;
    auto bits = static_cast<std::uint32_t>(data);
    if (bits & 0x20000000u) s << ssAlt;
    if (bits & 0x40000000u) s << ssShift;
    if (bits & 0x80000000u) s << ssCtrl;
    return s;
}

namespace {

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) k |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button)
{
    const UINT base = button == Qt::RightButton ? WM_RBUTTONDOWN : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                                                              : WM_LBUTTONDOWN;
    switch (type) {
    case QEvent::MouseButtonPress: return base;
    case QEvent::MouseButtonRelease: return base + 1;
    case QEvent::MouseButtonDblClick: return base + 2;
    default: return WM_MOUSEMOVE;
    }
}

QPointer<QWidget> gSwallowRelease;

bool Dispatch(TControl* control, TMessage& m, const std::function<bool(QEvent*)>& native, QEvent* e)
{
    NativeCall call;
    call.call = [&native, e] { return native(e); };
    control->DispatchNative(m, call);
    return true;
}

// The native handling of a key; a key the native control leaves alone stays with it, as the
// window system gives a key to the focused control only: passed on to the parent widget it would
// run the parent's key routing again (a second dialog key once the focus has moved on).
bool NativeKeyOfFocusedOnly(QKeyEvent* e, const std::function<bool(QEvent*)>& native)
{
    const bool handled = native(e);
    e->accept();
    return handled;
}

// The whole character behind the WM_CHAR being handled and the byte it goes as, so that a
// control which writes the typed character itself writes the letter typed.
struct TypedCharacter {
    WPARAM byte = 0;
    String text;
};
TypedCharacter gTypedCharacter;

class TypedCharacterScope {
public:
    TypedCharacterScope(WPARAM byte, String text) : FOuter(std::move(gTypedCharacter))
    {
        gTypedCharacter = {byte, std::move(text)};
    }
    ~TypedCharacterScope() { gTypedCharacter = std::move(FOuter); }

private:
    TypedCharacter FOuter;
};

// Key press: WM_KEYDOWN (KeyPreview and OnKeyDown), the dialog keys to the form, WM_CHAR
// (OnKeyPress), and only then the native handling with the possibly changed character.
bool RouteKeyPress(TWinControl* control, QKeyEvent* e, const std::function<bool(QEvent*)>& native)
{
    QPointer<QWidget> alive = control->Widget();
    TShiftState shift = ShiftFromQt(e->modifiers());
    WORD key = VirtualKeyFromQt(e->key(), e->modifiers());
    if (key) {
        TMessage down{WM_KEYDOWN, key, ShiftToKeyData(shift), 0};
        control->WindowMessage(down);
        if (!alive || down.WParam == 0)
            return true;
        key = static_cast<WORD>(down.WParam);
        if (key == VK_F4 && shift.Contains(ssAlt)) {
            // No key handler took Alt+F4: the window system closes the window.
            if (TCustomForm* form = GetParentForm(control))
                form->Close();
            return true;
        }
        if ((key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) && !control->WantsKey(key, shift)) {
            if (TCustomForm* form = GetParentForm(control)) {
                if (form->Perform(CM_DIALOGKEY, key, ShiftToKeyData(shift)) != 0 || !alive)
                    return true;
            }
            if (key == VK_TAB)
                return true;  // focus moves only through our own tab order
        }
    }
    const QString text = e->text();
    if (text.size() == 1 && (text[0].unicode() < 0x80 || text[0].isPrint())) {
        // A letter beyond one byte goes to OnKeyPress as its Latin-1 byte, or as 0xFF for any
        // other alphabet's, so data-aware controls start editing on it and may refuse it.
        const WPARAM typed = std::min<WPARAM>(text[0].unicode(), 0xFF);
        TMessage chr{WM_CHAR, typed, ShiftToKeyData(shift), 0};
        {
            const TypedCharacterScope scope(typed, FromQString(text));
            control->WindowMessage(chr);
        }
        if (!alive || chr.WParam == 0)
            return true;
        if (chr.WParam != typed) {
            const QChar changed(static_cast<char16_t>(chr.WParam));
            QKeyEvent replaced(QEvent::KeyPress, changed.isLetter() ? QChar(changed).toUpper().unicode() : e->key(),
                               e->modifiers(), QString(changed), e->isAutoRepeat());
            return native(&replaced);
        }
    }
    return NativeKeyOfFocusedOnly(e, native);
}

bool RouteKeyRelease(TWinControl* control, QKeyEvent* e, const std::function<bool(QEvent*)>& native)
{
    WORD key = VirtualKeyFromQt(e->key(), e->modifiers());
    if (key) {
        TMessage up{WM_KEYUP, key, ShiftToKeyData(ShiftFromQt(e->modifiers())), 0};
        control->WindowMessage(up);
        if (up.WParam == 0)
            return true;
    }
    return NativeKeyOfFocusedOnly(e, native);
}

bool RouteMouse(TControl* control, QWidget* widget, QMouseEvent* e, const std::function<bool(QEvent*)>& native)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        // A press moves the focus to a control that takes it on a click; this does not wait for
        // the window system, which gives the focus only to an active window.
        TCustomForm* form = GetParentForm(control);
        auto* win = dynamic_cast<TWinControl*>(control);
        if (form && win && win != form && (widget->focusPolicy() & Qt::ClickFocus) && win->CanFocus() &&
            form->ActiveControl() != win)
            form->SetFocusedControl(win, true);
        if (form && form->TakeRefusedPress(control)) {
            gSwallowRelease = widget;
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonRelease && gSwallowRelease == widget) {
        gSwallowRelease = nullptr;
        return true;
    }
    const QPoint p = e->position().toPoint();
    TMessage m{MouseMessage(e->type(), e->button()), MouseKeys(e->buttons(), e->modifiers()), MakeLParam(p.x(), p.y()), 0};
    return Dispatch(control, m, native, e);
}

// WM_MOUSEWHEEL: the delta in the high word of WParam, the keys in the low one, the screen
// position in LParam.
bool RouteWheel(TControl* control, QWheelEvent* e, const std::function<bool(QEvent*)>& native)
{
    const int delta = e->angleDelta().y();
    if (delta == 0)
        return native(e);
    const WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    const QPoint p = e->globalPosition().toPoint();
    TMessage m{WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16) | keys,
               MakeLParam(p.x(), p.y()), 0};
    return Dispatch(control, m, native, e);
}

}  // namespace

bool RouteEvent(TControl* control, QWidget* widget, QEvent* e, const std::function<bool(QEvent*)>& native)
{
    try {
        switch (e->type()) {
        case QEvent::Paint: {
            TMessage m{WM_PAINT, 0, 0, 0};
            return Dispatch(control, m, native, e);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return RouteMouse(control, widget, static_cast<QMouseEvent*>(e), native);
        case QEvent::Wheel:
            return RouteWheel(control, static_cast<QWheelEvent*>(e), native);
        case QEvent::Enter: {
            TMessage m{CM_MOUSEENTER, 0, 0, 0};
            return Dispatch(control, m, native, e);
        }
        case QEvent::Leave: {
            TMessage m{CM_MOUSELEAVE, 0, 0, 0};
            return Dispatch(control, m, native, e);
        }
        case QEvent::KeyPress:
            if (auto* win = dynamic_cast<TWinControl*>(control))
                return RouteKeyPress(win, static_cast<QKeyEvent*>(e), native);
            break;
        case QEvent::KeyRelease:
            if (auto* win = dynamic_cast<TWinControl*>(control))
                return RouteKeyRelease(win, static_cast<QKeyEvent*>(e), native);
            break;
        case QEvent::FocusIn: {
            auto* fe = static_cast<QFocusEvent*>(e);
            TMessage m{WM_SETFOCUS, 0, fe->reason() == Qt::MouseFocusReason ? 1 : 0, 0};
            return Dispatch(control, m, native, e);
        }
        case QEvent::FocusOut: {
            TMessage m{WM_KILLFOCUS, 0, 0, 0};
            return Dispatch(control, m, native, e);
        }
        case QEvent::Resize:
        case QEvent::Move:
            if (widget == control->Widget())
                control->WidgetGeometryChanged();
            break;
        case QEvent::Close:
            if (auto* form = dynamic_cast<TCustomForm*>(control)) {
                e->ignore();
                form->CloseRequest();
                return true;
            }
            break;
        case QEvent::WindowActivate:
            if (auto* form = dynamic_cast<TCustomForm*>(control)) {
                // Only a change between forms of ours counts; a form under a modal one waits. A
                // window manager may activate a window again after it was hidden (a modal form
                // closed just after its message box): it is no longer a form to work in.
                if (form->Visible() && (!Screen->ModalForm() || Screen->ModalForm() == form))
                    Screen->SetActiveForm(form);
            }
            break;
        case QEvent::ContextMenu:
            return true;  // pop-up menus open on the right-button release
        default:
            break;
        }
        return native(e);
    } catch (...) {
        Application->HandleException(control);
        return true;
    }
}

namespace {

class InnerEventForwarder : public QObject {
public:
    InnerEventForwarder(QWidget* inner, TControl* control) : QObject(inner), FControl(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::FocusIn: case QEvent::FocusOut:
        case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
            break;
        default:
            return false;
        }
        if (FForwarding)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        bool passed = false;
        RouteEvent(FControl, widget, e, [&](QEvent* ev) {
            if (ev == e) {
                passed = true;  // the inner widget handles it as usual
                return false;
            }
            FForwarding = true;  // a changed event (another character) goes in instead
            QCoreApplication::sendEvent(widget, ev);
            FForwarding = false;
            return true;
        });
        return !passed;
    }

private:
    TControl* FControl;
    bool FForwarding = false;
};

}  // namespace

void ForwardEventsOf(QWidget* inner, TControl* control)
{
    inner->installEventFilter(new InnerEventForwarder(inner, control));
}

void Guarded(TControl* control, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        Application->HandleException(control);
    }
}


String TypedText(char Key)
{
    const auto byte = static_cast<unsigned char>(Key);
    if (byte < 0x80)
        return String(1, Key);
    if (byte == gTypedCharacter.byte && !gTypedCharacter.text.empty())
        return gTypedCharacter.text;
    return FromQString(QString(QChar(static_cast<char16_t>(byte))));  // a Latin-1 letter
}

}  // namespace vt

TShiftState KeyDataToShiftState(LPARAM KeyData) { return vt::KeyDataToShiftState(KeyData); }

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont)
{
    vt::EnsureQtApplication();
    InitControl(new vt::Bridged<QWidget>(this));
}

TControl::TControl(TComponent* AOwner, QWidget* widget) : TComponent(AOwner), FFont(new TFont)
{
    InitControl(widget);
}

namespace {

// Painted labels answer as labels (not as fillers), so a screen reader reads their caption as one.
QAccessibleInterface* CaptionLabelAccessible(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const TControl* control = widget ? FindControl(widget) : nullptr;
    return control && control->IsCaptionLabel() ? new QAccessibleWidget(widget, QAccessible::StaticText) : nullptr;
}

}  // namespace

void TControl::InitControl(QWidget* widget)
{
    static const bool labelsAccessible = [] {
        QAccessible::installFactory(CaptionLabelAccessible);
        return true;
    }();
    (void)labelsAccessible;
    FWidget = widget;
    FWidget->hide();
    FWidget->setAttribute(Qt::WA_NoMousePropagation);
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    SetComponentStateFlag(csDestroying, true);
    vt::DragSession::ControlGone(this);
    if (FParent)
        FParent->RemoveControl(this);
    if (auto* bridge = dynamic_cast<vt::WidgetBridge*>(FWidget))
        bridge->Detach();
    delete FWidget;
    FWidget = nullptr;
    delete FFont;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    ApplyGeometry();
    if (sized)
        Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
    if (FParent && FAlign != alNone && !FParent->FAligning)
        FParent->AlignFor(this);
}

void TControl::ApplyGeometry() { FWidget->setGeometry(FLeft, FTop, FWidth, FHeight); }

// A window of its own (a pop-up placed with SetWindowPos) reports where Qt put it.
void TControl::WidgetGeometryChanged()
{
    if (!FWidget->isWindow())
        return;
    const QRect g = FWidget->geometry();
    SetBounds(g.x(), g.y(), g.width(), g.height());
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

TPoint TControl::ClientToScreen(const TPoint& p) const
{
    const QPoint q = FWidget->mapToGlobal(QPoint(p.X, p.Y));
    return Point(q.x(), q.y());
}

TPoint TControl::ScreenToClient(const TPoint& p) const
{
    const QPoint q = FWidget->mapFromGlobal(QPoint(p.X, p.Y));
    return Point(q.x(), q.y());
}

void TControl::SetAlign(TAlign v)
{
    if (FAlign == v)
        return;
    FAlign = v;
    if (FParent)
        FParent->AlignFor(this);
}

bool TControl::Showing() const
{
    if (!FVisible)
        return false;
    return FParent ? FParent->Showing() : false;
}

void TControl::SetVisible(bool v)
{
    if (FVisible == v)
        return;
    FVisible = v;
    ApplyVisibility();
    Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
    if (FParent && (FAlign != alNone))
        FParent->AlignFor(this);
}

// Forms show their windows themselves; a control's widget shows only inside its parent.
void TControl::ApplyVisibility()
{
    if (FWidget->parentWidget())
        FWidget->setVisible(FVisible);
}

void TControl::SetEnabled(bool v)
{
    if (FEnabled == v)
        return;
    FEnabled = v;
    FWidget->setEnabled(v);
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const String& v)
{
    if (GetText() == v)
        return;
    SetTextValue(v);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v)
{
    if (FParentFont == v)
        return;
    FParentFont = v;
    if (v && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent)
        return;
    FFont->Assign(FParent->Font());
    FParentFont = true;  // the assignment above counts as the parent's change, not our own
}

void TControl::FontChanged()
{
    if (!FParent || !(*FFont == *FParent->Font()))
        FParentFont = false;
    ApplyFont();
    Perform(CM_FONTCHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : win->FControls)
            child->ParentFontChanged();
    }
}

namespace {
// A disabled control reads as on the desktop: grey text on the control's own colour.
void GreyDisabledText(QPalette& pal)
{
    const QColor grey = vt::ToQColor(clGrayText);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, grey);
}
}  // namespace

void TControl::ApplyFont()
{
    FWidget->setFont(FFont->ToQFont());
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::WindowText, vt::ToQColor(FFont->Color()));
    pal.setColor(QPalette::Text, vt::ToQColor(FFont->Color()));
    pal.setColor(QPalette::ButtonText, vt::ToQColor(FFont->Color()));
    GreyDisabledText(pal);
    FWidget->setPalette(pal);
}

// A colour set to what the control already holds still reaches its window the first time:
// without it the window would take its parent's (an edit grey as the page it stands on).
void TControl::SetColor(TColor v)
{
    if (FColor == v && FColorApplied)
        return;
    FColor = v;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetBiDiMode(TBiDiMode v)
{
    if (FBiDiMode == v)
        return;
    FBiDiMode = v;
    Invalidate();
}

bool TControl::UseRightToLeftReading() const { return Locale().MiddleEast && FBiDiMode != bdLeftToRight; }

void TControl::SetParentColor(bool v)
{
    if (FParentColor == v)
        return;
    FParentColor = v;
    if (v)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent)
        return;
    FColor = FParent->Color();
    ColorChanged();
    FParentColor = true;
}

void TControl::ColorChanged()
{
    ApplyColor();
    Perform(CM_COLORCHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : win->FControls)
            child->ParentColorChanged();
    }
}

// Once applied, a colour the window already shows is not set again: setting a palette walks
// every child of the window.
void TControl::ApplyColor()
{
    const QPalette current = FWidget->palette();
    QPalette pal = current;
    pal.setColor(QPalette::Window, vt::ToQColor(FColor));
    pal.setColor(QPalette::Base, vt::ToQColor(FColor));
    pal.setColor(QPalette::Button, vt::ToQColor(FColor));
    GreyDisabledText(pal);
    if (FColorApplied && pal == current)
        return;
    FWidget->setPalette(pal);
    FColorApplied = true;
}

void TControl::SetCursor(TCursor v)
{
    if (FCursor == v)
        return;
    FCursor = v;
    vt::SetWidgetCursor(FWidget, v);
}

void TControl::SetHint(const String& v)
{
    if (FHint == v)
        return;
    FHint = v;
    SetShowHint(FShowHint);
    UpdateAccessibility();
}

void TControl::SetShowHint(bool v)
{
    FShowHint = v;
    FParentShowHint = false;
    const String shortHint = FHint.substr(0, FHint.find('|'));
    FWidget->setToolTip(v ? vt::ToQString(shortHint) : QString());
}

void TControl::SetParentShowHint(bool v)
{
    if (v && FParent)
        SetShowHint(FParent->ShowHint());
    FParentShowHint = v;
}

void TControl::SetPopupMenu(TPopupMenu* v)
{
    if (FPopupMenu == v)
        return;
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = v;
    if (v)
        v->FreeNotification(this);
}

void TControl::Invalidate() { FWidget->update(); }
void TControl::Repaint() { FWidget->repaint(); }
void TControl::Update()
{
    if (FWidget->isVisible())
        FWidget->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
void TControl::BringToFront() { FWidget->raise(); }

void TControl::PaintTo(TCanvas* Canvas, int X, int Y, bool Children)
{
    struct CopyState {
        TControlState& state;
        const bool had;
        explicit CopyState(TControlState& s) : state(s), had(s.Contains(csPaintCopy)) { state.Include(csPaintCopy); }
        ~CopyState() { if (!had) state.Exclude(csPaintCopy); }
    } copy(FControlState);
    QWidget::RenderFlags flags = QWidget::DrawWindowBackground;
    if (Children)
        flags |= QWidget::DrawChildren;
    FWidget->render(Canvas->Handle(), QPoint(X, Y), QRegion(), flags);
}
void TControl::SendToBack() { FWidget->lower(); }

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::DispatchNative(TMessage& m, vt::NativeCall& native)
{
    vt::NativeCall* outer = FNative;
    native.message = &m;
    FNative = &native;
    try {
        WindowMessage(m);
    } catch (...) {
        FNative = outer;
        throw;
    }
    FNative = outer;
}

void TControl::WindowMessage(TMessage& Message)
{
    if (FWindowProc)
        FWindowProc->WindowProc(FWidget, Message);
    else
        WndProc(Message);
}

void TControl::DefaultHandler(TMessage& Message)
{
    if (FNative && FNative->message == &Message && !FNative->done) {
        FNative->done = true;
        FNative->result = FNative->call();
    }
}

TShiftState TControl::KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s << ssShift;
    if (keys & MK_CONTROL) s << ssCtrl;
    if (keys & MK_LBUTTON) s << ssLeft;
    if (keys & MK_RBUTTON) s << ssRight;
    if (keys & MK_MBUTTON) s << ssMiddle;
    if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) s << ssAlt;
    return s;
}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        if (vt::DragSession::MouseMessage(this, Message))
            return;
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FDragMode == dmAutomatic &&
            !ComponentState().Contains(csDesigning)) {
            BeginAutoDrag();
            return;
        }
        HandleMouseMessage(Message);
        return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF);
        const TPoint at = Point(LParamX(Message.LParam), LParamY(Message.LParam));
        if (DoMouseWheel(KeysToShiftState(Message.WParam & 0xFFFF), delta, at))
            Message.Result = 1;
        else
            DefaultHandler(Message);
        return;
    }
    case CM_MOUSEENTER:
        DefaultHandler(Message);
        if (!FMouseInside) {
            FMouseInside = true;
            MouseEnter();
        }
        return;
    case CM_MOUSELEAVE:
        DefaultHandler(Message);
        if (FMouseInside) {
            FMouseInside = false;
            MouseLeave();
        }
        return;
    case WM_SIZE:
        DefaultHandler(Message);
        if (!ComponentState().Contains(csLoading))
            Resize();
        return;
    case CM_VISIBLECHANGED: VisibleChanged(); return;
    case CM_ENABLEDCHANGED: EnabledChanged(); return;
    case CM_TEXTCHANGED: TextChanged(); return;
    case WM_CANCELMODE: case CM_CANCELMODE:
        FControlState >> csLButtonDown >> csClicked;
        return;
    default:
        DefaultHandler(Message);
    }
}

void TControl::HandleMouseMessage(TMessage& m)
{
    const int x = LParamX(m.LParam);
    const int y = LParamY(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    DefaultHandler(m);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        return;
    case WM_LBUTTONDBLCLK:
        if (FControlStyle.Contains(csDoubleClicks)) {
            DblClick();
            shift << ssDouble;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        FControlState << csLButtonDown;
        if (FControlStyle.Contains(csClickEvents))
            FControlState << csClicked;
        MouseDown(mbLeft, shift, x, y);
        return;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift, x, y);
        return;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, shift, x, y);
        return;
    case WM_LBUTTONUP: {
        FControlState >> csLButtonDown;
        if (FControlState.Contains(csClicked)) {
            FControlState >> csClicked;
            if (PtInRect(ClientRect(), Point(x, y)))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        return;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            const TPoint p = ClientToScreen(Point(x, y));
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.X, p.Y);
        }
        return;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        return;
    default:
        return;
    }
}

void TControl::BeginDrag(bool Immediate, int Threshold) { vt::DragSession::Begin(this, Immediate, Threshold); }
void TControl::EndDrag(bool Drop) { vt::DragSession::End(this, Drop); }
bool TControl::Dragging() const { return vt::DragSession::Dragging(this); }
void TControl::BeginAutoDrag() { BeginDrag(true); }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (!OnDragOver)
        return;
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled)
        return true;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::VisibleChanged() {}
void TControl::EnabledChanged() { Invalidate(); }

void TControl::TextChanged()
{
    UpdateAccessibility();
    if (IsCaptionLabel() && FParent) {
        for (TControl* sibling : FParent->FControls)
            sibling->UpdateAccessibility();
    }
    Invalidate();
}

// The canvas starts each paint with the control's font and colour, as the class library's does.
void TControl::PaintWithCanvas(TCanvas* canvas, const std::function<void()>& PaintBody)
{
    canvas->Font()->Assign(FFont);
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    FPainting = true;
    try {
        PaintBody();
    } catch (...) {
        FPainting = false;
        if (auto* cc = dynamic_cast<TControlCanvas*>(canvas))
            cc->FreeHandle();
        throw;
    }
    FPainting = false;
    if (auto* cc = dynamic_cast<TControlCanvas*>(canvas))
        cc->FreeHandle();
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(this); }

void TControl::SetName(const String& name)
{
    const bool captionFollows = FControlStyle.Contains(csSetCaption) && GetText() == Name() &&
                                ComponentState().Contains(csDesigning);
    TComponent::SetName(name);
    if (captionFollows)
        SetText(name);
    UpdateAccessibility();
}

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAccessibility();
}

String TControl::AccessibleCaption() const
{
    String caption;
    const String text = GetText();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;  // "&&" is a literal ampersand, "&x" marks the accelerator
        caption += text[i];
    }
    return caption;
}

namespace {

// The label on the control's form whose FocusControl it is.
const TControl* FocusControlLabel(const TControl* control)
{
    for (const TWinControl* p = control->Parent(); p; p = p->Parent())
        for (int i = 0; i < p->ControlCount(); ++i) {
            const TControl* c = p->Controls(i);
            if (c->IsCaptionLabel() && c->LabelledControl() == control)
                return c;
        }
    return nullptr;
}

struct Gap {
    long left, top, right, bottom;  // empty unless left < right and top < bottom
};

// The space between a label and the control it could name: beside it, the stretch from the
// label's right edge to the control's left edge over the rows both take; above it, the stretch
// from the label's bottom edge to the control's top edge over the columns both take.
Gap GapBetween(const TControl* label, const TControl* control, bool beside)
{
    if (beside)
        return {label->Left() + label->Width(), std::max(label->Top(), control->Top()), control->Left(),
                std::min(label->Top() + label->Height(), control->Top() + control->Height())};
    return {std::max(label->Left(), control->Left()), label->Top() + label->Height(),
            std::min(label->Left() + label->Width(), control->Left() + control->Width()), control->Top()};
}

bool SomethingBetween(const TWinControl* parent, const TControl* label, const TControl* control, const Gap& gap)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* c = parent->Controls(i);
        if (c == label || c == control || !c->Visible())
            continue;
        if (c->Left() < gap.right && gap.left < c->Left() + c->Width() && c->Top() < gap.bottom &&
            gap.top < c->Top() + c->Height())
            return true;
    }
    return false;
}

// The label that names a control without a caption: its FocusControl label, else the nearest
// label on the same parent to its left (same row) or above it (same column) with no other
// control between them; a label with a FocusControl names that control only.
const TControl* NamingLabel(const TControl* control)
{
    const TWinControl* parent = control->Parent();
    if (!parent)
        return nullptr;
    if (const TControl* label = FocusControlLabel(control))
        return label;
    const TControl* best = nullptr;
    long bestDistance = 0;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* c = parent->Controls(i);
        if (c == control || !c->IsCaptionLabel() || c->LabelledControl())
            continue;
        const bool leftSameRow = c->Left() + c->Width() <= control->Left() + 2 &&
                                 c->Top() < control->Top() + control->Height() && control->Top() < c->Top() + c->Height();
        const bool aboveSameColumn = c->Top() + c->Height() <= control->Top() + 2 &&
                                     c->Left() < control->Left() + control->Width() && control->Left() < c->Left() + c->Width();
        if (!leftSameRow && !aboveSameColumn)
            continue;
        if (SomethingBetween(parent, c, control, GapBetween(c, control, leftSameRow)))
            continue;
        const long dx = leftSameRow ? control->Left() - (c->Left() + c->Width()) : 0;
        const long dy = aboveSameColumn ? control->Top() - (c->Top() + c->Height()) : 0;
        const long distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

// A control of a design still loading is named when it is loaded, after its labels.
void TControl::UpdateAccessibility()
{
    if (!FWidget || ComponentState().Contains(csLoading))
        return;
    FWidget->setObjectName(vt::ToQString(Name()));
    String name = AccessibleCaption();
    if (name.empty() && !IsCaptionLabel()) {
        if (const TControl* label = NamingLabel(this))
            name = label->AccessibleCaption();
    }
    if (name.empty())
        name = Name();
    FWidget->setAccessibleName(vt::ToQString(name));
    FWidget->setAccessibleDescription(vt::ToQString(FHint.empty() ? Name() : FHint));
}

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    ApplyColor();
}

TWinControl::TWinControl(TComponent* AOwner, QWidget* widget) : TControl(AOwner, widget) {}

TWinControl::~TWinControl()
{
    // Subclassers of the window hear of its end while the control is still whole.
    SetComponentStateFlag(csDestroying, true);
    DestroyHandle();
    // Children stay alive (their owner frees them) but lose their parent widget first, so that
    // Qt does not delete their widgets with ours.
    while (!FControls.empty())
        RemoveControl(FControls.back());
    // Pop-up windows of controls elsewhere sit on our window only for their stacking: they
    // outlive it, so Qt must not delete them with our widget.
    for (QWidget* child : Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow() && FindControl(child))
            child->setParent(nullptr, child->windowFlags());
}

void TWinControl::InsertControl(TControl* AControl)
{
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (auto* win = dynamic_cast<TWinControl*>(AControl))
        FTabList.push_back(win);
    AttachChild(AControl);
    AControl->ParentFontChanged();
    AControl->ParentColorChanged();
    if (AControl->FParentShowHint)
        AControl->SetParentShowHint(true);
    AControl->ApplyGeometry();
    AControl->ApplyVisibility();
    if (auto* win = dynamic_cast<TWinControl*>(AControl); win && FHandleAllocated)
        win->HandleNeeded();
    if (AControl->Align() != alNone)
        AlignFor(AControl);
    AControl->UpdateAccessibility();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    auto it = std::find(FControls.begin(), FControls.end(), AControl);
    if (it == FControls.end())
        return;
    if (TCustomForm* form = GetParentForm(this))
        form->ControlRemoving(AControl);
    FControls.erase(it);
    // By address: a control being destroyed has lost its derived type already.
    std::erase(FTabList, AControl);
    DetachChild(AControl);
    AControl->FParent = nullptr;
    if (AControl->Align() != alNone && !ComponentState().Contains(csDestroying))
        Realign();
}

void TWinControl::AttachChild(TControl* AControl) { AControl->Widget()->setParent(ClientWidget()); }

void TWinControl::DetachChild(TControl* AControl)
{
    AControl->Widget()->hide();
    AControl->Widget()->setParent(nullptr);
}

bool TWinControl::ContainsControl(TControl* AControl) const
{
    for (TControl* c = AControl; c; c = c->Parent())
        if (c->Parent() == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& pos, bool allowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (allowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), pos))
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        c->WndProc(Message);
        if (Message.Result != 0)
            return;
    }
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return Widget();
}

void TWinControl::HandleNeeded()
{
    if (FHandleAllocated)
        return;
    FControlState << csCreating;
    FParams = TCreateParams{};
    CreateParams(FParams);
    CreateWnd();
    FHandleAllocated = true;
    FControlState >> csCreating;
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* win = dynamic_cast<TWinControl*>(c))
            win->HandleNeeded();
}

void TWinControl::RecreateWnd()
{
    if (!FHandleAllocated)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::DestroyHandle()
{
    if (!FHandleAllocated)
        return;
    TMessage destroy{WM_DESTROY, 0, 0, 0};
    WindowMessage(destroy);
    DestroyWnd();
    FWindowProc = nullptr;
    FHandleAllocated = false;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = GetText();
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) Params.Style |= WS_VISIBLE;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = FParent ? FParent->ClientWidget() : nullptr;
    Params.WindowClass.style = CS_DBLCLKS;
}

void TWinControl::CreateWnd() { ApplyCreateParams(); }

void TWinControl::DestroyWnd() {}

// A pop-up window style makes the widget a frameless top-level window that never takes the
// activation, as the drop-down windows of the component library need.
void TWinControl::ApplyCreateParams()
{
    QWidget* w = Widget();
    if (FParams.Style & WS_POPUP) {
        const bool shown = Visible();
        w->setParent(FParent ? FParent->Widget()->window() : nullptr,
                     Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setVisible(shown && FParent);
    }
}

int TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v)
{
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    v = std::clamp(v, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

void TWinControl::SetTabStop(bool v)
{
    if (FTabStop == v)
        return;
    FTabStop = v;
    Widget()->setFocusPolicy(v ? Qt::StrongFocus : FClickFocus ? Qt::ClickFocus : Qt::NoFocus);
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm(this);
    if (!form || !form->Visible() || !form->Enabled())
        return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form) {
        Widget()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
}

bool TWinControl::Focused() const
{
    const TCustomForm* form = GetParentForm(this);
    return form && form->ActiveControl() == this;
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::Realign() { AlignFor(nullptr); }

void TWinControl::AlignFor(TControl* AControl)
{
    if (FAlignLevel > 0 || FAligning)
        return;
    TRect r = ClientRect();
    AdjustClientRect(r);
    FAligning = true;
    try {
        AlignControls(AControl, r);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
    ControlsAligned();
}

// Top, bottom, left and right bands are cut from the client rectangle in that order (each
// group in its on-screen order); alClient takes what is left. The control that asked for the
// alignment wins a tie, so a band moved to an occupied place goes before the one there.
void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    auto placed = [this, AControl](TAlign align) {
        std::vector<TControl*> list;
        if (AControl && AControl->Align() == align && AControl->Visible())
            list.push_back(AControl);
        for (TControl* c : FControls)
            if (c != AControl && c->Align() == align && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        return list;
    };
    for (TControl* c : placed(alTop)) {
        c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->Height());
        Rect.Top += c->Height();
    }
    for (TControl* c : placed(alBottom)) {
        c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), Rect.Width(), c->Height());
        Rect.Bottom -= c->Height();
    }
    for (TControl* c : placed(alLeft)) {
        c->SetBounds(Rect.Left, Rect.Top, c->Width(), Rect.Height());
        Rect.Left += c->Width();
    }
    for (TControl* c : placed(alRight)) {
        c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), Rect.Height());
        Rect.Right -= c->Width();
    }
    for (TControl* c : placed(alClient))
        c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

// Children anchored to the right or bottom edge follow it when this control changes size.
void TWinControl::AnchorChildren(int oldWidth, int oldHeight)
{
    const int dx = ClientWidth() - oldWidth;
    const int dy = ClientHeight() - oldHeight;
    if (dx == 0 && dy == 0)
        return;
    for (TControl* c : FControls) {
        if (c->Align() != alNone || ComponentState().Contains(csLoading))
            continue;
        TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a.Contains(akRight)) (a.Contains(akLeft) ? w : l) += dx;
        if (a.Contains(akBottom)) (a.Contains(akTop) ? h : t) += dy;
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE: {
        const int oldW = FAnchorWidth, oldH = FAnchorHeight;
        FAnchorWidth = ClientWidth();
        FAnchorHeight = ClientHeight();
        if (oldW || oldH)
            AnchorChildren(oldW, oldH);
        Realign();
        TControl::WndProc(Message);
        return;
    }
    case WM_SETFOCUS:
        DefaultHandler(Message);
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->SetFocusedControl(this, Message.LParam == 1);
        return;
    case WM_KEYDOWN: {
        WORD key = static_cast<WORD>(Message.WParam);
        if (!RouteKeyDown(key, vt::KeyDataToShiftState(Message.LParam)))
            key = 0;
        Message.WParam = key;
        return;
    }
    case WM_KEYUP: {
        WORD key = static_cast<WORD>(Message.WParam);
        if (!RouteKeyUp(key, vt::KeyDataToShiftState(Message.LParam)))
            key = 0;
        Message.WParam = key;
        return;
    }
    case WM_CHAR: {
        char key = static_cast<char>(Message.WParam);
        if (!RouteKeyPress(key))
            key = 0;
        Message.WParam = static_cast<unsigned char>(key);
        return;
    }
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY: case CM_DIALOGCHAR: case CM_FOCUSCHANGED:
        Broadcast(Message);
        return;
    default:
        TControl::WndProc(Message);
    }
}

bool TWinControl::RouteKeyDown(WORD& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return false;
    }
    KeyDown(key, shift);
    return key != 0;
}

bool TWinControl::RouteKeyUp(WORD& key, TShiftState shift)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyUp(key, shift);
        if (key == 0)
            return false;
    }
    KeyUp(key, shift);
    return key != 0;
}

bool TWinControl::RouteKeyPress(char& key)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyPress(key);
        if (key == 0)
            return false;
    }
    KeyPress(key);
    return key != 0;
}

bool TWinControl::WantsKey(WORD key, TShiftState shift) const { return false; }

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ---------------------------------------------------------------------------------------------
// Painting controls and their canvas

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas)
{
    static_cast<TControlCanvas*>(FCanvas)->SetControl(this);
}

TCustomControl::~TCustomControl() { delete FCanvas; }

void TCustomControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        DefaultHandler(Message);
        PaintWithCanvas(FCanvas, [this] { Paint(); });
        return;
    }
    TWinControl::WndProc(Message);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(new TControlCanvas)
{
    static_cast<TControlCanvas*>(FCanvas)->SetControl(this);
    Widget()->setFocusPolicy(Qt::NoFocus);
}

TGraphicControl::~TGraphicControl() { delete FCanvas; }

void TGraphicControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        DefaultHandler(Message);
        PaintWithCanvas(FCanvas, [this] { Paint(); });
        return;
    }
    TControl::WndProc(Message);
}

void TControlCanvas::CreateHandle()
{
    if (FControl && FControl->IsPainting() && !FOwnPainter) {
        FOwnPainter = new QPainter(FControl->Widget());
        BindPainter(FOwnPainter);
    }
}

void TControlCanvas::FreeHandle()
{
    if (!FOwnPainter)
        return;
    BindPainter(nullptr);
    delete FOwnPainter;
    FOwnPainter = nullptr;
}

// ---------------------------------------------------------------------------------------------

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool IsAccel(WORD VK, const String& Str)
{
    for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != '&')
            continue;
        if (Str[i + 1] != '&')
            return UpperCase(String(1, Str[i + 1])) == UpperCase(String(1, static_cast<char>(VK)));
        ++i;
    }
    return false;
}

namespace {
// Posted messages wait here until the event loop delivers them, so that one can be taken back.
struct PostedMessage {
    QPointer<QWidget> Window;
    TControl* Control;
    TMessage Message;
};
std::mutex PostedMutex;
std::list<std::shared_ptr<PostedMessage>> Posted;

bool TakePosted(const std::shared_ptr<PostedMessage>& posted)
{
    std::lock_guard lock(PostedMutex);
    const auto it = std::find(Posted.begin(), Posted.end(), posted);
    if (it == Posted.end())
        return false;
    Posted.erase(it);
    return true;
}
}  // namespace

void PostMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto posted = std::make_shared<PostedMessage>(PostedMessage{control->Widget(), control, {Msg, WParam, LParam, 0}});
    {
        std::lock_guard lock(PostedMutex);
        Posted.push_back(posted);
    }
    QTimer::singleShot(0, qApp, [posted] {
        if (!TakePosted(posted) || !posted->Window)
            return;
        try {
            posted->Control->WindowMessage(posted->Message);
        } catch (...) {
            Application->HandleException(posted->Control);
        }
    });
}

bool RemovePostedMessage(HWND Window, UINT Msg)
{
    std::lock_guard lock(PostedMutex);
    const auto it = std::find_if(Posted.begin(), Posted.end(), [&](const auto& posted) {
        return posted->Window == Window && posted->Message.Msg == Msg;
    });
    if (it == Posted.end())
        return false;
    Posted.erase(it);
    return true;
}

LRESULT SendMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    control->WindowMessage(m);
    return m.Result;
}

namespace {
class OwnWindowProcedure : public TWindowProcedure {
public:
    void WindowProc(HWND Window, TMessage& Message) override
    {
        if (TControl* control = FindControl(Window))
            control->WndProc(Message);
    }
};
}  // namespace

WNDPROC vt::ControlWindowProc()
{
    static OwnWindowProcedure own;
    return &own;
}

WNDPROC GetWindowProc(HWND Window)
{
    auto* control = dynamic_cast<TWinControl*>(FindControl(Window));
    if (!control)
        return nullptr;
    return control->FWindowProc ? control->FWindowProc : vt::ControlWindowProc();
}

WNDPROC SetWindowProc(HWND Window, WNDPROC Proc)
{
    auto* control = dynamic_cast<TWinControl*>(FindControl(Window));
    if (!control)
        return nullptr;
    WNDPROC previous = GetWindowProc(Window);
    control->FWindowProc = Proc == vt::ControlWindowProc() ? nullptr : Proc;
    return previous;
}

void CallWindowProc(WNDPROC Proc, HWND Window, TMessage& Message)
{
    Proc->WindowProc(Window, Message);
}

TControl* FindControl(HWND handle)
{
    auto* bridge = dynamic_cast<vt::WidgetBridge*>(handle);
    return bridge ? bridge->Control() : nullptr;
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TAlign> kAlign{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
const vt::EnumRegistration<TAnchorKind> kAnchorKind{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
const vt::ClassRegistration<TControl, TComponent> kControl{
    "TControl",
    {
        vt::Published("Left", &TControl::Left, &TControl::SetLeft),
        vt::Published("Top", &TControl::Top, &TControl::SetTop),
        vt::Published("Width", &TControl::Width, &TControl::SetWidth),
        vt::Published("Height", &TControl::Height, &TControl::SetHeight),
        vt::Published("Align", &TControl::Align, &TControl::SetAlign),
        vt::Published("Anchors", &TControl::Anchors, &TControl::SetAnchors),
        vt::Published("Visible", &TControl::Visible, &TControl::SetVisible),
        vt::Published("Enabled", &TControl::Enabled, &TControl::SetEnabled),
        vt::Published("Font", &TControl::Font, &TControl::SetFont),
        vt::Published("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
        vt::Published("Color", &TControl::Color, &TControl::SetColor),
        vt::Published("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
        vt::Published("Cursor", &TControl::Cursor, &TControl::SetCursor),
        vt::Published("Hint", &TControl::Hint, &TControl::SetHint),
        vt::Published("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
        vt::Published("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint),
    }};
const vt::ClassRegistration<TWinControl, TControl> kWinControl{
    "TWinControl",
    {
        vt::Published("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
        vt::Published("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
    }};
const vt::ClassRegistration<TCustomControl, TWinControl> kCustomControl{"TCustomControl", {}};
const vt::ClassRegistration<TGraphicControl, TControl> kGraphicControl{"TGraphicControl", {}};
}  // namespace
