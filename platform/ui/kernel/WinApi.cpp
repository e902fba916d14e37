// Window-system calls over Qt: the beep hook, a caret record, classic metrics, mouse grabs,
// QTimer-based window timers and hidden utility windows.
#include "ui/kernel/WinApi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QScreen>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <map>

#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"
#include "ui/kernel/DragSession.h"

namespace {
std::function<void(UINT)> gBeepHook;
vt::CaretState gCaret;
}  // namespace

void vt::SetBeepHook(std::function<void(UINT Type)> hook) { gBeepHook = std::move(hook); }

void MessageBeep(UINT Type)
{
    if (gBeepHook) {
        gBeepHook(Type);
        return;
    }
    vt::EnsureQtApplication();
    QApplication::beep();
}

const vt::CaretState& vt::Caret() { return gCaret; }

bool CreateCaret(HWND Window, void* Bitmap, int Width, int Height)
{
    gCaret = vt::CaretState{Window, Width, Height, TPoint{}, false};
    return true;
}

bool DestroyCaret()
{
    gCaret = vt::CaretState{};
    return true;
}

bool ShowCaret(HWND Window)
{
    if (!gCaret.Window || (Window && Window != gCaret.Window))
        return false;
    gCaret.Visible = true;
    return true;
}

bool HideCaret(HWND Window)
{
    if (!gCaret.Window || (Window && Window != gCaret.Window))
        return false;
    gCaret.Visible = false;
    return true;
}

bool SetCaretPos(int X, int Y)
{
    if (!gCaret.Window)
        return false;
    gCaret.Position = Point(X, Y);
    return true;
}

bool GetCaretPos(TPoint& Point)
{
    Point = gCaret.Position;
    return gCaret.Window != nullptr;
}

int ScreenBitsPerPixel()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

int GetSystemMetrics(int Index)
{
    switch (Index) {
    case SM_CXSCREEN: return Screen->Width();
    case SM_CYSCREEN: return Screen->Height();
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

DWORD GetTickCount()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<DWORD>(clock.elapsed());
}

short GetKeyState(int VirtualKey)
{
    vt::EnsureQtApplication();
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    bool down = false;
    switch (VirtualKey) {
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    case VK_LBUTTON: down = buttons & Qt::LeftButton; break;
    case VK_RBUTTON: down = buttons & Qt::RightButton; break;
    case VK_MBUTTON: down = buttons & Qt::MiddleButton; break;
    default: break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}

HWND GetCapture()
{
    vt::EnsureQtApplication();
    return QWidget::mouseGrabber();
}

HWND SetCapture(HWND Window)
{
    HWND previous = GetCapture();
    if (Window)
        Window->grabMouse();
    return previous;
}

bool ReleaseCapture()
{
    if (HWND grabber = GetCapture())
        grabber->releaseMouse();
    return true;
}

namespace {
std::map<std::pair<QWidget*, UINT>, QTimer*>& Timers()
{
    static std::map<std::pair<QWidget*, UINT>, QTimer*> timers;
    return timers;
}
}  // namespace

UINT SetTimer(HWND Window, UINT Id, UINT Elapse)
{
    if (!Window)
        return 0;
    KillTimer(Window, Id);
    auto* timer = new QTimer(Window);
    QPointer<QWidget> alive = Window;
    QObject::connect(timer, &QTimer::timeout, [alive, Id] {
        if (TControl* control = alive ? FindControl(alive) : nullptr)
            vt::Guarded(control, [&] { control->Perform(WM_TIMER, Id, 0); });
    });
    QObject::connect(Window, &QObject::destroyed, [Window, Id] { Timers().erase({Window, Id}); });
    timer->start(static_cast<int>(Elapse));
    Timers()[{Window, Id}] = timer;
    return Id;
}

bool KillTimer(HWND Window, UINT Id)
{
    auto it = Timers().find({Window, Id});
    if (it == Timers().end())
        return false;
    delete it->second;
    Timers().erase(it);
    return true;
}

namespace {
// The hidden window: a control that hands every message to a function.
class TUtilityWindow : public TWinControl {
public:
    TUtilityWindow(std::function<void(TMessage&)> handler) : TWinControl(nullptr), FHandler(std::move(handler)) {}
    void WndProc(TMessage& Message) override { FHandler(Message); }

private:
    std::function<void(TMessage&)> FHandler;
};
}  // namespace

HWND AllocateHWnd(std::function<void(TMessage& Message)> WndProc)
{
    return (new TUtilityWindow(std::move(WndProc)))->Widget();
}

void DeallocateHWnd(HWND Window)
{
    delete dynamic_cast<TUtilityWindow*>(FindControl(Window));
}

void PostMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (TControl* control = FindControl(Window))
        PostMessage(control, Msg, WParam, LParam);
}

LRESULT SendMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TControl* control = FindControl(Window);
    return control ? SendMessage(control, Msg, WParam, LParam) : 0;
}

bool SetWindowPos(HWND Window, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags)
{
    if (!Window)
        return false;
    if (!(Flags & SWP_NOMOVE))
        Window->move(X, Y);
    if (!(Flags & SWP_NOSIZE))
        Window->resize(Width, Height);
    if (Flags & SWP_SHOWWINDOW) {
        Window->setAttribute(Qt::WA_ShowWithoutActivating, (Flags & SWP_NOACTIVATE) != 0);
        Window->show();
        Window->raise();
    }
    if (Flags & SWP_HIDEWINDOW)
        Window->hide();
    return true;
}

bool ShowWindow(HWND Window, int CmdShow)
{
    if (!Window)
        return false;
    const bool wasVisible = Window->isVisible();
    switch (CmdShow) {
    case SW_HIDE: Window->hide(); break;
    case SW_SHOWMINIMIZED: Window->showMinimized(); break;
    case SW_SHOWMAXIMIZED: Window->showMaximized(); break;
    case SW_SHOWNORMAL: case SW_RESTORE: Window->showNormal(); break;
    case SW_SHOWNOACTIVATE:
        Window->setAttribute(Qt::WA_ShowWithoutActivating);
        Window->show();
        break;
    default: Window->show(); break;
    }
    return wasVisible;
}

bool GetWindowRect(HWND Window, TRect& Rect)
{
    if (!Window)
        return false;
    if (Window->isWindow()) {  // a top-level window's rectangle takes in its frame
        const QRect frame = Window->frameGeometry();
        Rect = Bounds(frame.x(), frame.y(), frame.width(), frame.height());
        return true;
    }
    const QPoint topLeft = Window->mapToGlobal(QPoint(0, 0));
    Rect = Bounds(topLeft.x(), topLeft.y(), Window->width(), Window->height());
    return true;
}

bool InvalidateRect(HWND Window, const TRect* Rect, bool Erase)
{
    if (!Window)
        return false;
    if (Rect)
        Window->update(Rect->Left, Rect->Top, Rect->Width(), Rect->Height());
    else
        Window->update();
    return true;
}

bool UpdateWindow(HWND Window)
{
    if (!Window)
        return false;
    if (Window->isVisible())
        Window->repaint();
    return true;
}

bool IsWindowVisible(HWND Window) { return Window && Window->isVisible(); }
bool IsWindowEnabled(HWND Window) { return Window && Window->isEnabled(); }
bool IsZoomed(HWND Window) { return Window && Window->window()->isMaximized(); }
bool IsIconic(HWND Window) { return Window && Window->window()->isMinimized(); }

bool SetForegroundWindow(HWND Window)
{
    if (!Window)
        return false;
    QWidget* top = Window->window();
    top->raise();
    top->activateWindow();
    return true;
}

HWND SetFocus(HWND Window)
{
    HWND previous = QApplication::focusWidget();
    if (Window)
        Window->setFocus(Qt::OtherFocusReason);
    return previous;
}

namespace {

// Swallows the window's left presses and double clicks while it lives.
class LeftPressEater : public QObject {
public:
    explicit LeftPressEater(QWidget* window) : FWindow(window) { window->installEventFilter(this); }
    ~LeftPressEater() override { FWindow->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        return watched == FWindow && press && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    }

private:
    QWidget* FWindow;
};

}  // namespace

// Delivers just the window's queued presses, into the eater.
void RemoveQueuedLeftClicks(HWND Window)
{
    if (!Window)
        return;
    LeftPressEater eater(Window);
    QCoreApplication::sendPostedEvents(Window, QEvent::MouseButtonPress);
    QCoreApplication::sendPostedEvents(Window, QEvent::MouseButtonDblClick);
}

// ---- Window placement ----
// Qt keeps no minimised and maximised points: they live on the widget, as the window system
// keeps them with the window.

namespace {
const char* const kMinPosition = "vtMinPosition";
const char* const kMaxPosition = "vtMaxPosition";

TPoint StoredPoint(HWND Window, const char* name)
{
    const QVariant stored = Window->property(name);
    return stored.isValid() ? Point(stored.toPoint().x(), stored.toPoint().y()) : Point(-1, -1);
}

// The normal-state rectangle of a form in outer bounds; Qt remembers it while maximised.
TRect NormalBounds(TCustomForm* form)
{
    if (form->WindowState() == wsNormal || !form->Widget()->isVisible())
        return form->BoundsRect();
    const QRect g = form->Widget()->normalGeometry();
    const TSize nc = form->NonClientSize();
    return Bounds(g.x(), g.y(), g.width() + nc.cx, g.height() + nc.cy);
}

// A rectangle saved on another screen layout is brought into the work area of the screen that
// holds its centre (else the primary screen), made smaller where it does not fit, as the window
// system does with a placement that would leave the window off the screen.
TRect OnScreen(const TRect& r)
{
    const QRect wanted(r.Left, r.Top, r.Width(), r.Height());
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return r;
    const QRect area = screen->availableGeometry();
    const int width = std::min(r.Width(), area.width());
    const int height = std::min(r.Height(), area.height());
    const int left = std::clamp(r.Left, area.left(), area.left() + area.width() - width);
    const int top = std::clamp(r.Top, area.top(), area.top() + area.height() - height);
    return Bounds(left, top, width, height);
}

TWindowState StateOfShowCommand(UINT showCmd)
{
    switch (showCmd) {
    case 2: case 6: case 7: return wsMinimized;
    case 3: return wsMaximized;
    default: return wsNormal;
    }
}
}  // namespace

bool GetWindowPlacement(HWND Window, WINDOWPLACEMENT* Placement)
{
    if (!Window || !Placement)
        return false;
    auto* form = dynamic_cast<TCustomForm*>(FindControl(Window));
    Placement->flags = 0;
    Placement->showCmd = !form || form->WindowState() == wsNormal ? SW_SHOWNORMAL
                         : form->WindowState() == wsMaximized      ? SW_SHOWMAXIMIZED
                                                                   : SW_SHOWMINIMIZED;
    Placement->ptMinPosition = StoredPoint(Window, kMinPosition);
    Placement->ptMaxPosition = StoredPoint(Window, kMaxPosition);
    if (form)
        Placement->rcNormalPosition = NormalBounds(form);
    else
        GetWindowRect(Window, Placement->rcNormalPosition);
    return true;
}

bool SetWindowPlacement(HWND Window, const WINDOWPLACEMENT* Placement)
{
    if (!Window || !Placement)
        return false;
    Window->setProperty(kMinPosition, QPoint(Placement->ptMinPosition.X, Placement->ptMinPosition.Y));
    Window->setProperty(kMaxPosition, QPoint(Placement->ptMaxPosition.X, Placement->ptMaxPosition.Y));
    auto* form = dynamic_cast<TCustomForm*>(FindControl(Window));
    const TRect r = OnScreen(Placement->rcNormalPosition);
    if (!form) {
        Window->setGeometry(r.Left, r.Top, r.Width(), r.Height());
        return true;
    }
    const bool showing = Window->isVisible();
    const TWindowState state = Placement->showCmd == SW_HIDE ? form->WindowState()
                                                             : StateOfShowCommand(Placement->showCmd);
    if (showing && form->WindowState() != wsNormal)
        form->SetWindowState(wsNormal);
    form->SetBoundsRect(r);
    if (showing && state != form->WindowState())
        form->SetWindowState(state);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Dropped files: an event filter on the window and its inner widgets turns a drop of local
// files into WM_DROPFILES.

struct TDropFiles {
    std::vector<String> Files;
};

namespace {
class FileDropFilter : public QObject {
public:
    static constexpr const char* Name = "vt_file_drop";
    explicit FileDropFilter(QWidget* window) : QObject(window), FWindow(window) { setObjectName(Name); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::DragEnter && e->type() != QEvent::DragMove && e->type() != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(e);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->acceptProposedAction();
        if (e->type() == QEvent::Drop)
            Deliver(drop->mimeData()->urls());
        return true;
    }

private:
    void Deliver(const QList<QUrl>& urls)
    {
        auto* files = new TDropFiles;
        for (const QUrl& url : urls)
            if (url.isLocalFile())
                files->Files.push_back(vt::FromQString(url.toLocalFile()));
        TControl* control = FindControl(FWindow);
        if (!control) {
            DragFinish(files);
            return;
        }
        vt::Guarded(control, [&] { control->Perform(WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0); });
    }
    QWidget* FWindow;
};
}  // namespace

void DragAcceptFiles(HWND Window, bool Accept)
{
    if (!Window)
        return;
    // By name: the filter class has no meta-object of its own to be found by.
    QObject* filter = Window->findChild<QObject*>(FileDropFilter::Name, Qt::FindDirectChildrenOnly);
    if (Accept == (filter != nullptr))
        return;
    Window->setAcceptDrops(Accept);
    if (!Accept) {
        delete filter;
        return;
    }
    filter = new FileDropFilter(Window);
    Window->installEventFilter(filter);
    for (QWidget* inner : Window->findChildren<QWidget*>())
        inner->installEventFilter(filter);
}

int DragQueryFileCount(HDROP Drop) { return Drop ? static_cast<int>(Drop->Files.size()) : 0; }

String DragQueryFile(HDROP Drop, int Index)
{
    return Drop && Index >= 0 && Index < DragQueryFileCount(Drop) ? Drop->Files[static_cast<size_t>(Index)] : String();
}

void DragFinish(HDROP Drop) { delete Drop; }

bool GetCursorPos(TPoint& Point)
{
    Point = vt::DragSession::LastMousePoint();
    return true;
}
