// Forms, the application object and the screen: TForm with modal and modeless showing, the focus
// rules of a form (OnExit before OnEnter, an exit that raises keeps the focus), TApplication with
// its form factory and message loop, and TScreen that keeps the active form of ours.
#pragma once

#include <atomic>

#include <functional>
#include <map>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "ui/kernel/Controls.h"

class TStrings;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = Set<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Msg is the key message (WM_KEYDOWN, or WM_CHAR for a typed character).
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TRect ClientRect() const override;
    bool Showing() const override;

    void Show();
    void Hide();
    void Close();
    // The window system's close request (its close button, Alt+F4 as the desktop delivers it)
    // takes the road of the Alt+F4 key: the focused control's key handlers see the key first,
    // and the form closes only when none of them took it.
    void CloseRequest();
    bool CloseQuery();
    // Shows the form on a local event loop until ModalResult is set; returns it.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v);
    TFormState FormState() const { return FFormState; }
    void Release();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    bool Active() const;

    TWinControl* ActiveControl() const { return FActiveControl; }
    // Moves the focus there (exit and enter events run); nullptr just clears it.
    void SetActiveControl(TWinControl* control);
    // Runs the exit/enter protocol; false when an exit check raised and the focus stayed.
    bool SetFocusedControl(TWinControl* control, bool byMouse = false);
    void FocusControl(TWinControl* control);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void SelectFirst();
    void SetFocus() override;
    bool CanFocus() const override;

    void WndProc(TMessage& Message) override;
    void Loaded() override;
    // Fires OnCreate once; Loaded and TApplication::CreateForm call it.
    void DoCreate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    // The form's shortcut handling for a key message: OnShortCut, then the shortcuts of the
    // action lists the form owns. True when one of them took the key.
    bool IsShortCut(TMessage& Message);

    // Platform side.
    void Activate();
    void Deactivate();
    // Set when a click's focus change was refused: that press must not reach the control.
    bool TakeRefusedPress(TControl* control);
    void ControlRemoving(TControl* control);
    void WidgetGeometryChanged() override;
    // Sizes outside the limits the form's window answers to WM_GETMINMAXINFO are brought inside.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Width and height of the frame around the client area for the border style.
    TSize NonClientSize() const;

protected:
    void DoShow();
    void DoHide();
    void DoClose(TCloseAction& Action);
    void ApplyGeometry() override;
    void VisibleChanged() override;
    // The title bar shows the caption as it is now.
    void TextChanged() override;
    void CreateWnd() override;

private:
    // The form's share of DispatchAction: its focused control, itself, its visible controls.
    bool OfferAction(UINT Msg, TBasicAction* Action);
    void ApplyWindowFlags();
    void PlaceForShowing();
    void CloseModal();
    TWinControl* FActiveControl = nullptr;   // the designated one (ActiveControl)
    TWinControl* FFocusedControl = nullptr;  // the one whose OnEnter ran last
    TControl* FRefusedPress = nullptr;
    TModalResult FModalResult = mrNone;
    TFormState FFormState;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    bool FCreated = false;
    void* FModalLoop = nullptr;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using THelpEvent = std::function<bool(WORD Command, LPARAM Data, bool& CallHelp)>;

// Message box flags and answers.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The system's message box (not the application's): its caption as given, the icon of Type.
// Returns IDOK, IDYES ...
int MessageBox(HWND Window, const String& Text, const String& Caption, UINT Type);

// Help commands.
constexpr WORD HELP_CONTEXT = 0x0001;
constexpr WORD HELP_QUIT = 0x0002;
constexpr WORD HELP_INDEX = 0x0003;
constexpr WORD HELP_CONTENTS = 0x0003;
constexpr WORD HELP_HELPONHELP = 0x0004;
constexpr WORD HELP_FINDER = 0x000B;
constexpr WORD HELP_TAB = 0x000F;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // Allocates the form, stores it in Reference, then constructs it: code that the form's
    // constructor runs already sees the global pointer. The first form becomes MainForm.
    template <class T>
    void CreateForm(T*& Reference)
    {
        void* memory = ::operator new(sizeof(T));
        Reference = static_cast<T*>(memory);
        try {
            new (memory) T(this);
        } catch (...) {
            Reference = nullptr;
            ::operator delete(memory);
            throw;
        }
        FormCreated(Reference);
    }
    // Shows the main form and runs the message loop until Terminate; without a main form
    // there is nothing to run and it returns at once.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    // Paints and other window work, with the user's keys and clicks left waiting for later: a
    // long run keeps its windows drawn without taking commands in the middle of it.
    void ProcessPaintMessages();
    void HandleMessage();
    // Offers an action (CM_ACTIONEXECUTE or CM_ACTIONUPDATE) to the active form, then to the
    // main form; true when one of them took it.
    bool DispatchAction(UINT Msg, TBasicAction* Action);
    // Call inside a catch block: EAbort stays silent, others go to OnException or ShowException.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception* E);
    int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);
    bool HelpCommand(WORD Command, LPARAM Data);
    bool HelpContext(int Context);

    TCustomForm* MainForm() const { return FMainForm; }
    bool Active() const;
    String ExeName() const;
    String Title() const;
    void SetTitle(const String& v) { FTitle = v; FTitleSet = true; }
    const String& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const String& v) { FHelpFile = v; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }
    String Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    void BringToFront();
    void Minimize();
    void Restore();

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    THelpEvent OnHelp;

    // Platform side: modal loops in progress, so that Terminate can end them.
    void EnterModalLoop(void* loop);
    void LeaveModalLoop(void* loop);

protected:
    // A destroyed form is forgotten, so that nothing later reaches it through MainForm.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormCreated(TCustomForm* form);
    std::atomic<bool> FTerminated{false};
    bool FShowMainForm = true;
    bool FTitleSet = false;
    TCustomForm* FMainForm = nullptr;
    String FTitle;
    String FHelpFile;
    String FHint;
    std::vector<void*> FLoops;
};

using HCURSOR = void*;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }
    TCursor Cursor() const { return FCursor; }
    // crDefault removes the override cursor; others show it over every window of ours.
    void SetCursor(TCursor v);
    HCURSOR Cursors(int index) const;
    // Registers a cursor (vt::CreateCursor or LoadCursor) under a number.
    void SetCursors(int index, HCURSOR handle);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(index); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TStrings* Fonts();
    TFont* HintFont() const { return FHintFont; }
    // The desktop's message-box font, or nullptr when the desktop names none.
    TFont* MessageFont();
    TRect WorkAreaRect() const;

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Platform side.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    // Makes this form ours-active; fires OnDeactivate/OnActivate only on a change.
    void SetActiveForm(TCustomForm* form);
    void SetActiveControl(TWinControl* control);
    // The form under the modal loop that is innermost, or nullptr.
    TCustomForm* ModalForm() const { return FModalForms.empty() ? nullptr : FModalForms.back(); }
    void PushModal(TCustomForm* form) { FModalForms.push_back(form); }
    void PopModal(TCustomForm* form);
    // The visible form that was active most recently, other than except.
    TCustomForm* LastActiveForm(const TCustomForm* except) const;
    void FreeCursors();

private:
    std::vector<TCustomForm*> FForms;
    std::vector<TCustomForm*> FModalForms;
    std::vector<TCustomForm*> FActivations;  // least recently active first
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::map<int, HCURSOR> FCursors;
    TStrings* FFonts = nullptr;
    TFont* FHintFont;
    TFont* FMessageFont;
};

extern TApplication* Application;
extern TScreen* Screen;

namespace vt {
// Makes sure a QApplication exists (created on first need, never destroyed before exit).
void EnsureQtApplication();
// Frees the application's forms and data modules and the screen's cursors while Qt is whole:
// a program calls it once its message loop has ended, before main returns. Exit handlers are
// too late, as Qt's own globals made after the application object are gone by then.
void DoneApplication();
// A unit start that needs the window system (cursors, for one): runs when Application->Initialize
// runs, or at once when it has run already.
void AddInitProc(std::function<void()> Proc);
// A cursor for Screen->SetCursors from a bitmap or an icon (its mask kept), with its hot spot.
HCURSOR CreateCursor(TBitmap* image, int hotX, int hotY);
HCURSOR CreateCursor(TIcon* image, int hotX, int hotY);
}
// Loads a cursor registered with vt::RegisterResource under RT_CURSOR; nullptr when missing.
HCURSOR LoadCursor(void* instance, const String& name);
// Frees a cursor that no cursor table holds.
void DestroyCursor(HCURSOR cursor);
