// Forms, the application and the screen. A form keeps its own ActiveControl and runs the exit and
// enter events itself; the screen keeps the active form of ours, so that OnActivate fires only
// when the active form changes between our forms (message boxes are not forms).
#include "ui/forms/Forms.h"
#include "rtl/TypInfo.h"
#include "ui/kernel/DesktopLocale.h"
#include "ui/kernel/OtherInstances.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QScreen>
#include <algorithm>
#include <clocale>

#include "rtl/FileNames.h"
#include "rtl/StringList.h"
#include "ui/controls/ActnList.h"
#include "ui/forms/AnimatedCursor.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/Controls_p.h"
#include "ui/kernel/WinApi.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

struct GlobalObjects {
    GlobalObjects()
    {
        Application = new TApplication(nullptr);
        Screen = new TScreen(nullptr);
    }
    ~GlobalObjects()
    {
        delete Application;
        Application = nullptr;
        delete Screen;
        Screen = nullptr;
    }
} gGlobals;

QEventLoop* Loop(void* loop) { return static_cast<QEventLoop*>(loop); }

}  // namespace

namespace vt {

void EnsureQtApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "Vantrel";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    // Qt takes the environment's locale into the C library; numbers in files and SQL keep '.'.
    setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    ListenForDesktopLocaleChanges();
    ListenForOtherInstances();
}

// The QApplication itself stays: Qt's globals may already be gone when the exit handlers run.
void DoneApplication()
{
    Application->DestroyComponents();
    Screen->FreeCursors();
}

HCURSOR CreateCursor(TBitmap* image, int hotX, int hotY)
{
    return new QCursor(QPixmap::fromImage(image->Image()), hotX, hotY);
}

HCURSOR CreateCursor(TIcon* image, int hotX, int hotY)
{
    return new QCursor(QPixmap::fromImage(image->Image()), hotX, hotY);
}

}  // namespace vt

// A cursor file: the directory entry's hot spot (bytes 10-13) and the image the icon reader takes.
HCURSOR LoadCursor(void* instance, const String& name)
{
    const auto* bytes = vt::FindResource(name, RT_CURSOR);
    if (!bytes || bytes->size() < 22)
        return nullptr;
    QImage image;
    if (!image.loadFromData(bytes->data(), static_cast<int>(bytes->size()), "CUR") &&
        !image.loadFromData(bytes->data(), static_cast<int>(bytes->size()), "ICO"))
        return nullptr;
    const int hotX = (*bytes)[10] | ((*bytes)[11] << 8);
    const int hotY = (*bytes)[12] | ((*bytes)[13] << 8);
    return new QCursor(QPixmap::fromImage(image), hotX, hotY);
}

void DestroyCursor(HCURSOR cursor) { vt::FreeCursorHandle(cursor); }

// ---------------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
    SetColor(clBtnFace);
    Widget()->setAutoFillBackground(true);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (FCreated && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
    if (FModalLoop)
        Loop(FModalLoop)->quit();
    Screen->RemoveForm(this);
}

void TCustomForm::DoCreate()
{
    if (FCreated)
        return;
    FCreated = true;
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(Components(i)))
            c->UpdateAccessibility();
    DoCreate();
    if (Visible())
        VisibleChanged();  // a design that made the form visible shows it now
}

TSize TCustomForm::NonClientSize() const
{
    switch (FBorderStyle) {
    case bsNone: return TSize{0, 0};
    case bsSingle: case bsDialog: return TSize{6, 25};
    case bsToolWindow: return TSize{6, 21};
    case bsSizeToolWin: return TSize{8, 23};
    default: return TSize{8, 27};
    }
}

TRect TCustomForm::ClientRect() const
{
    const TSize nc = NonClientSize();
    return Rect(0, 0, std::max(Width() - nc.cx, 0), std::max(Height() - nc.cy, 0));
}

namespace {
// The form's size limits (outer sizes): the screen's, as its window answers them.
MINMAXINFO SizeLimits(TCustomForm* form)
{
    constexpr int kLargest = 32767;
    MINMAXINFO info{};
    info.ptMaxSize = Point(Screen->Width(), Screen->Height());
    info.ptMaxTrackSize = Point(kLargest, kLargest);
    if (form->HandleAllocated())
        SendMessage(static_cast<TControl*>(form), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}
}  // namespace

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const MINMAXINFO limits = SizeLimits(this);
    AWidth = std::max(std::min(AWidth, limits.ptMaxTrackSize.X), limits.ptMinTrackSize.X);
    AHeight = std::max(std::min(AHeight, limits.ptMaxTrackSize.Y), limits.ptMinTrackSize.Y);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::ApplyGeometry()
{
    // The user's resizing keeps to the limits too.
    const MINMAXINFO limits = SizeLimits(this);
    const TSize nc = NonClientSize();
    Widget()->setMinimumSize(std::max(limits.ptMinTrackSize.X - nc.cx, 0), std::max(limits.ptMinTrackSize.Y - nc.cy, 0));
    Widget()->setMaximumSize(std::max(limits.ptMaxTrackSize.X - nc.cx, 0), std::max(limits.ptMaxTrackSize.Y - nc.cy, 0));
    const TRect client = ClientRect();
    Widget()->setGeometry(Left(), Top(), client.Width(), client.Height());
}

void TCustomForm::WidgetGeometryChanged()
{
    const QRect g = Widget()->geometry();
    const TSize nc = NonClientSize();
    SetBounds(g.x(), g.y(), g.width() + nc.cx, g.height() + nc.cy);
}

bool TCustomForm::Showing() const { return Visible(); }
bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

namespace {
// The key a character is typed with: letters by their capital, everything else by its code.
WORD KeyOfMessage(const TMessage& Message)
{
    const auto code = static_cast<WORD>(Message.WParam);
    if (Message.Msg == WM_CHAR && code >= 'a' && code <= 'z')
        return static_cast<WORD>(code - 'a' + 'A');
    return code;
}
}  // namespace

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(Message, handled);
    if (handled)
        return true;
    const WORD key = KeyOfMessage(Message);
    const TShiftState shift = vt::KeyDataToShiftState(Message.LParam);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* actions = dynamic_cast<TCustomActionList*>(Components(i)); actions && actions->IsShortCut(key, shift))
            return true;
    return false;
}
bool TCustomForm::CanFocus() const { return Visible() && Enabled(); }

void TCustomForm::SetBorderStyle(TFormBorderStyle v)
{
    if (FBorderStyle == v)
        return;
    const TRect client = ClientRect();
    FBorderStyle = v;
    ApplyWindowFlags();
    SetBounds(Left(), Top(), client.Width() + NonClientSize().cx, client.Height() + NonClientSize().cy);
}

void TCustomForm::SetBorderIcons(TBorderIcons v)
{
    FBorderIcons = v;
    ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle v)
{
    FFormStyle = v;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
    Qt::WindowFlags flags = FBorderStyle == bsDialog ? Qt::Dialog : FBorderStyle == bsToolWindow ||
                                                                   FBorderStyle == bsSizeToolWin ? Qt::Tool : Qt::Window;
    if (FBorderStyle == bsNone)
        flags |= Qt::FramelessWindowHint;
    else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (FBorderIcons.Contains(biMinimize) && FBorderStyle != bsDialog) flags |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons.Contains(biMaximize) && FBorderStyle != bsDialog) flags |= Qt::WindowMaximizeButtonHint;
    }
    if (FFormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (Parent())  // a form placed inside a control is a child window there, without a frame
        flags = Qt::Widget;
    const bool shown = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    if (shown)
        Widget()->show();
}

void TCustomForm::SetWindowState(TWindowState v)
{
    FWindowState = v;
    if (!Visible())
        return;
    switch (v) {
    case wsMaximized: Widget()->showMaximized(); break;
    case wsMinimized: Widget()->showMinimized(); break;
    default: Widget()->showNormal(); break;
    }
    WidgetGeometryChanged();
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    Widget()->setWindowTitle(vt::ToQString(Caption()));
    ApplyWindowFlags();
    PlaceForShowing();
}

void TCustomForm::PlaceForShowing()
{
    TCustomForm* over = nullptr;
    if (FPosition == poMainFormCenter && Application->MainForm() && Application->MainForm() != this)
        over = Application->MainForm();
    else if (FPosition == poOwnerFormCenter)
        over = dynamic_cast<TCustomForm*>(Owner());
    if (over)
        SetBounds(over->Left() + (over->Width() - Width()) / 2, over->Top() + (over->Height() - Height()) / 2,
                  Width(), Height());
    else if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
             FPosition == poOwnerFormCenter)
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::TextChanged()
{
    TWinControl::TextChanged();
    Widget()->setWindowTitle(vt::ToQString(Caption()));
}

void TCustomForm::VisibleChanged()
{
    if (ComponentState().Contains(csLoading))
        return;
    if (Visible()) {
        HandleNeeded();
        DoShow();
        Widget()->setWindowTitle(vt::ToQString(Caption()));
        switch (FWindowState) {
        case wsMaximized: Widget()->showMaximized(); break;
        case wsMinimized: Widget()->showMinimized(); break;
        default: Widget()->show(); break;
        }
        WidgetGeometryChanged();
        if (!Screen->ModalForm() || Screen->ModalForm() == this) {
            Widget()->activateWindow();
            Screen->SetActiveForm(this);
        }
    } else {
        Widget()->hide();
        DoHide();
        if (Screen->ActiveForm() == this)
            Screen->SetActiveForm(Screen->ModalForm() ? Screen->ModalForm() : Screen->LastActiveForm(this));
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FFormState.Contains(fsModal)) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::CloseRequest()
{
    TWinControl* target = FFocusedControl ? FFocusedControl : this;
    TMessage down{WM_KEYDOWN, VK_F4, vt::ShiftToKeyData(TShiftState{ssAlt}), 0};
    target->WindowMessage(down);
    if (down.WParam != 0)
        Close();
}

// Deleted from the event loop, after the handler that asked for it has returned.
void TCustomForm::Release()
{
    Hide();
    QPointer<QWidget> alive = Widget();
    QTimer::singleShot(0, qApp, [this, alive] {
        if (alive)
            delete this;
    });
}

void TCustomForm::SetModalResult(TModalResult v)
{
    FModalResult = v;
    if (FModalLoop && v != mrNone)
        Loop(FModalLoop)->quit();
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled())
        throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    FFormState << fsModal;
    QEventLoop loop;
    FModalLoop = &loop;
    Screen->PushModal(this);
    Application->EnterModalLoop(&loop);
    Widget()->setWindowModality(Qt::ApplicationModal);
    auto finish = [&] {
        Application->LeaveModalLoop(&loop);
        FModalLoop = nullptr;
        Screen->PopModal(this);
        FFormState >> fsModal;
        Hide();
        Widget()->setWindowModality(Qt::NonModal);
    };
    try {
        Show();
        while (true) {
            if (Application->Terminated()) {
                FModalResult = mrCancel;
                break;
            }
            if (FModalResult != mrNone) {
                CloseModal();
                if (FModalResult != mrNone)
                    break;
            }
            loop.exec();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return FModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control && (!control->Visible() || !control->Enabled()))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (!control) {
        FActiveControl = nullptr;
        return;
    }
    if (Visible() && Active())
        FocusControl(control);
    else
        FActiveControl = control;
}

// Exit events run from the control being left up to (not including) the parent it shares with
// the new one, then enter events from there down to the new control. An exit that raises keeps
// the focus where it was, and the exception goes to the application's handler.
bool TCustomForm::SetFocusedControl(TWinControl* control, bool byMouse)
{
    if (control == FFocusedControl) {
        FActiveControl = control;
        return true;
    }
    TWinControl* old = FFocusedControl;
    try {
        for (TWinControl* w = old; w && w != this && !(w == control || w->ContainsControl(control)); w = w->Parent())
            w->Perform(CM_EXIT, 0, 0);
    } catch (...) {
        FRefusedPress = byMouse ? control : nullptr;
        if (old)
            old->Widget()->setFocus(Qt::OtherFocusReason);
        Application->HandleException(this);
        return false;
    }
    FFocusedControl = control;
    FActiveControl = control;
    if (Active())
        Screen->SetActiveControl(control);
    std::vector<TWinControl*> entering;
    for (TWinControl* w = control; w && w != this && !(old && (w == old || w->ContainsControl(old))); w = w->Parent())
        entering.push_back(w);
    try {
        for (auto it = entering.rbegin(); it != entering.rend(); ++it)
            (*it)->Perform(CM_ENTER, 0, 0);
    } catch (...) {
        Application->HandleException(this);
    }
    // Every control of the form hears of the change; labels draw their focus frames from it.
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    return true;
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (SetFocusedControl(control))
        control->Widget()->setFocus(Qt::OtherFocusReason);
}

bool TCustomForm::TakeRefusedPress(TControl* control)
{
    if (!FRefusedPress || FRefusedPress != control)
        return false;
    FRefusedPress = nullptr;
    return true;
}

void TCustomForm::ControlRemoving(TControl* control)
{
    auto within = [control](TWinControl* w) {
        for (TControl* c = w; c; c = c->Parent())
            if (c == control)
                return true;
        return false;
    };
    if (FActiveControl && within(FActiveControl))
        FActiveControl = nullptr;
    if (FFocusedControl && within(FFocusedControl))
        FFocusedControl = nullptr;
    if (FRefusedPress == control)
        FRefusedPress = nullptr;
    if (Screen->ActiveControl() && within(Screen->ActiveControl()))
        Screen->SetActiveControl(nullptr);
}

TWinControl* TCustomForm::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[i];
        if (c == current)
            break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || !current || c->Parent() == current->Parent()) &&
            c->CanFocus())
            return c;
    }
    return nullptr;
}

void TCustomForm::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        FocusControl(next);
}

void TCustomForm::SelectFirst()
{
    TWinControl* first = FActiveControl ? FActiveControl : FindNextControl(nullptr, true, true, false);
    if (first && first->CanFocus())
        FocusControl(first);
}

void TCustomForm::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    Widget()->activateWindow();
    Screen->SetActiveForm(this);
}

void TCustomForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
    if (!FFocusedControl)
        SelectFirst();
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

namespace {

bool OfferActionTo(TComponent* component, UINT Msg, TBasicAction* Action)
{
    if (!component)
        return false;
    return Msg == CM_ACTIONEXECUTE ? component->ExecuteAction(Action) : component->UpdateAction(Action);
}

// The visible controls inside container, each before the controls it holds.
bool OfferActionToControls(TWinControl* container, UINT Msg, TBasicAction* Action)
{
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        if (!control->Visible())
            continue;
        if (OfferActionTo(control, Msg, Action))
            return true;
        auto* inner = dynamic_cast<TWinControl*>(control);
        if (inner && OfferActionToControls(inner, Msg, Action))
            return true;
    }
    return false;
}

}  // namespace

bool TCustomForm::OfferAction(UINT Msg, TBasicAction* Action)
{
    return OfferActionTo(ActiveControl(), Msg, Action) || OfferActionTo(this, Msg, Action) ||
           OfferActionToControls(this, Msg, Action);
}

void TCustomForm::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_ACTIONEXECUTE || Message.Msg == CM_ACTIONUPDATE) {
        Message.Result = OfferAction(Message.Msg, reinterpret_cast<TBasicAction*>(Message.LParam)) ? 1 : 0;
        return;
    }
    if (Message.Msg == CM_DIALOGKEY && Message.WParam == VK_TAB) {
        const TShiftState shift = KeyDataToShiftState(Message.LParam);
        if (!shift.Contains(ssCtrl)) {
            SelectNext(FFocusedControl, !shift.Contains(ssShift), true);
            Message.Result = 1;
            return;
        }
        // Ctrl+Tab is the page control's: the dialog key goes round the controls.
    }
    if (Message.Msg == WM_SETFOCUS) {
        DefaultHandler(Message);
        if (FFocusedControl && FFocusedControl->Widget())
            FFocusedControl->Widget()->setFocus(Qt::OtherFocusReason);
        return;
    }
    TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

bool TApplication::DispatchAction(UINT Msg, TBasicAction* Action)
{
    const LPARAM action = reinterpret_cast<LPARAM>(Action);
    TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
    if (active && active->Perform(Msg, 0, action) == 1)
        return true;
    return FMainForm && FMainForm != active && FMainForm->Perform(Msg, 0, action) == 1;
}
TApplication::~TApplication() = default;

namespace {
struct InitProcs {
    std::vector<std::function<void()>> waiting;
    bool initialized = false;
};
InitProcs& Inits()
{
    static InitProcs inits;
    return inits;
}
}  // namespace

void vt::AddInitProc(std::function<void()> Proc)
{
    if (Inits().initialized)
        Proc();
    else
        Inits().waiting.push_back(std::move(Proc));
}

void TApplication::Initialize()
{
    vt::EnsureQtApplication();
    Inits().initialized = true;
    std::vector<std::function<void()>> procs;
    procs.swap(Inits().waiting);
    for (auto& proc : procs)
        proc();
}

void TApplication::FormCreated(TCustomForm* form)
{
    form->FreeNotification(this);
    if (!FMainForm)
        FMainForm = form;
    form->DoCreate();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm)
        FMainForm = nullptr;
}

void TApplication::Run()
{
    if (FTerminated || !FMainForm)
        return;
    vt::EnsureQtApplication();
    if (FShowMainForm)
        FMainForm->Show();
    QEventLoop loop;
    EnterModalLoop(&loop);
    while (!FTerminated)
        loop.exec();
    LeaveModalLoop(&loop);
}

void TApplication::Terminate()
{
    FTerminated = true;
    for (void* loop : FLoops)
        Loop(loop)->quit();
}

void TApplication::EnterModalLoop(void* loop) { FLoops.push_back(loop); }

void TApplication::LeaveModalLoop(void* loop) { std::erase(FLoops, loop); }

void TApplication::ProcessMessages()
{
    vt::EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::ProcessPaintMessages()
{
    vt::EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TApplication::HandleMessage()
{
    vt::EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const vt::EUnexpectedDialog&) {
        // Recorded by the responder, which fails the test; showing it would need another box.
    } catch (const EAbort&) {
    } catch (Exception& e) {
        if (OnException)
            OnException(Sender, &e);
        else
            ShowException(&e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        if (OnException)
            OnException(Sender, &wrapped);
        else
            ShowException(&wrapped);
    }
}

void TApplication::ShowException(const std::exception* E)
{
    MessageBox(E->what(), Title(), MB_OK | MB_ICONSTOP);
}

namespace {

std::vector<int> ButtonsOf(UINT flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return {mrOk, mrCancel};
    case MB_ABORTRETRYIGNORE: return {mrAbort, mrRetry, mrIgnore};
    case MB_YESNOCANCEL: return {mrYes, mrNo, mrCancel};
    case MB_YESNO: return {mrYes, mrNo};
    case MB_RETRYCANCEL: return {mrRetry, mrCancel};
    default: return {mrOk};
    }
}

TMsgDlgType TypeOf(UINT flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND: return mtError;
    case MB_ICONQUESTION: return mtConfirmation;
    case MB_ICONEXCLAMATION: return mtWarning;
    case MB_ICONASTERISK: return mtInformation;
    default: return mtCustom;
    }
}

}  // namespace

// The answers are the modal results, which have the IDOK/IDYES... values.
int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    return vt::ShowMessageBox("MessageBox", Text, Caption, TypeOf(Flags), ButtonsOf(Flags));
}

int MessageBox(HWND, const String& Text, const String& Caption, UINT Type)
{
    return vt::ShowMessageBox("SystemMessageBox", Text, Caption, TypeOf(Type), ButtonsOf(Type));
}

bool TApplication::HelpCommand(WORD Command, LPARAM Data)
{
    bool callHelp = true;
    if (OnHelp) {
        const bool result = OnHelp(Command, Data, callHelp);
        if (!callHelp)
            return result;
    }
    if (FHelpFile.empty())
        return false;
    vt::ShowHelp(FHelpFile, Command, static_cast<long>(Data));
    return true;
}

bool TApplication::HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, Context); }

bool TApplication::Active() const
{
    return QGuiApplication::instance() && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

String TApplication::ExeName() const { return ParamStr(0); }

String TApplication::Title() const
{
    if (FTitleSet)
        return FTitle;
    return ChangeFileExt(ExtractFileName(ExeName()), "");
}

void TApplication::BringToFront()
{
    if (TCustomForm* form = Screen->ActiveForm())
        form->Widget()->raise();
}

void TApplication::Minimize()
{
    if (FMainForm)
        FMainForm->SetWindowState(wsMinimized);
}

void TApplication::Restore()
{
    if (FMainForm && FMainForm->WindowState() == wsMinimized)
        FMainForm->SetWindowState(wsNormal);
}

// ---------------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner), FHintFont(new TFont), FMessageFont(new TFont) {}

// The cursors go too: a test program ends without DoneApplication. Deleting a cursor reaches none
// of Qt's globals that may be gone by then.
TScreen::~TScreen()
{
    for (auto& [index, handle] : FCursors)
        vt::FreeCursorHandle(handle);
    delete FFonts;
    delete FHintFont;
    delete FMessageFont;
}

// Read each time: the desktop may change its fonts while the program runs.
TFont* TScreen::MessageFont()
{
    if (!QApplication::instance())
        return nullptr;
    const QFont font = QApplication::font("QMessageBox");
    if (font.family().isEmpty())
        return nullptr;
    FMessageFont->SetName(vt::FromQString(font.family()));
    if (font.pointSize() > 0)
        FMessageFont->SetSize(font.pointSize());
    else
        FMessageFont->SetHeight(-font.pixelSize());
    TFontStyles style;
    if (font.bold())
        style << fsBold;
    if (font.italic())
        style << fsItalic;
    if (font.underline())
        style << fsUnderline;
    if (font.strikeOut())
        style << fsStrikeOut;
    FMessageFont->SetStyle(style);
    return FMessageFont;
}

int TScreen::Width() const
{
    vt::EnsureQtApplication();
    return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().width() : 800;
}

int TScreen::Height() const
{
    vt::EnsureQtApplication();
    return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().height() : 600;
}

TRect TScreen::WorkAreaRect() const
{
    vt::EnsureQtApplication();
    if (!QGuiApplication::primaryScreen())
        return Rect(0, 0, Width(), Height());
    const QRect r = QGuiApplication::primaryScreen()->availableGeometry();
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void TScreen::SetCursor(TCursor v)
{
    vt::EnsureQtApplication();
    if (FCursor == v)
        return;
    if (FCursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    FCursor = v;
    if (v != crDefault)
        QGuiApplication::setOverrideCursor(vt::CursorFor(v));
    vt::ScreenCursorChanged(v);
}

// A slot nothing was registered in gives the default cursor, as the class library does.
HCURSOR TScreen::Cursors(int index) const
{
    auto it = FCursors.find(index);
    if (it != FCursors.end())
        return it->second;
    auto fallback = FCursors.find(crDefault);
    return fallback == FCursors.end() ? nullptr : fallback->second;
}

void TScreen::SetCursors(int index, HCURSOR handle)
{
    auto it = FCursors.find(index);
    if (it != FCursors.end() && it->second != handle)
        vt::FreeCursorHandle(it->second);
    if (handle)
        FCursors[index] = handle;
    else
        FCursors.erase(index);
}

void TScreen::FreeCursors()
{
    for (auto& [index, handle] : FCursors)
        vt::FreeCursorHandle(handle);
    FCursors.clear();
    if (FCursor != crDefault && QCoreApplication::instance())
        QGuiApplication::restoreOverrideCursor();
    FCursor = crDefault;
}

TStrings* TScreen::Fonts()
{
    if (!FFonts) {
        vt::EnsureQtApplication();
        auto* list = new TStringList;
        list->SetSorted(true);
        for (const QString& family : QFontDatabase::families())
            list->Add(vt::FromQString(family));
        FFonts = list;
    }
    return FFonts;
}

void TScreen::AddForm(TCustomForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(FForms, form);
    std::erase(FActivations, form);
    std::erase(FModalForms, form);
    if (FActiveForm == form) {
        FActiveForm = nullptr;
        FActiveControl = nullptr;
    }
}

void TScreen::PopModal(TCustomForm* form)
{
    std::erase(FModalForms, form);
}

TCustomForm* TScreen::LastActiveForm(const TCustomForm* except) const
{
    for (auto it = FActivations.rbegin(); it != FActivations.rend(); ++it)
        if (*it != except && (*it)->Visible())
            return *it;
    return nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form)
{
    if (FActiveForm == form)
        return;
    TCustomForm* previous = FActiveForm;
    FActiveForm = form;
    if (form) {
        std::erase(FActivations, form);
        FActivations.push_back(form);
    }
    SetActiveControl(form ? form->ActiveControl() : nullptr);
    if (previous)
        previous->Deactivate();
    if (OnActiveFormChange)
        OnActiveFormChange(this);
    if (form && FActiveForm == form)
        form->Activate();
}

void TScreen::SetActiveControl(TWinControl* control)
{
    if (FActiveControl == control)
        return;
    FActiveControl = control;
    if (OnActiveControlChange)
        OnActiveControlChange(this);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TFormBorderStyle> kFormBorderStyle{
    "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const vt::EnumRegistration<TBorderIcon> kBorderIcon{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const vt::EnumRegistration<TPosition> kPosition{
    "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                  "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const vt::EnumRegistration<TWindowState> kWindowState{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
const vt::EnumRegistration<TFormStyle> kFormStyle{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const vt::ClassRegistration<TCustomForm, TWinControl> kCustomForm{
    "TCustomForm",
    {
        vt::Published("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption),
        vt::Published("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
        vt::Published("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
        vt::Published("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
        vt::Published("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons),
        vt::Published("Position", &TCustomForm::Position, &TCustomForm::SetPosition),
        vt::Published("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState),
        vt::Published("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle),
        vt::Published("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
        vt::Published("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl),
    }};
const vt::ClassRegistration<TForm, TCustomForm> kForm{"TForm", {}};
}  // namespace
