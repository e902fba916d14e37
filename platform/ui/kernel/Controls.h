// The control classes of the visual class library: TControl, TWinControl, TCustomControl and
// TGraphicControl. Each control owns one QWidget; Qt events reach the control as messages through
// its virtual WndProc, and our own AlignControls lays out aligned children.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "rtl/Classes.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Messages.h"

class QWidget;
class TWinControl;
class TCustomForm;
class TPopupMenu;

using HWND = QWidget*;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = Set<TAlign>;
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;

using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// MousePos is in screen coordinates; a handler that took the turn sets Handled.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// Dragging a control onto another: the target under the mouse is asked whether it takes the
// source (OnDragOver as the drag comes in, moves over it and leaves) and gets it where the
// button is released (OnDragDrop). Positions are client coordinates of the control told.
enum TDragMode { dmManual, dmAutomatic };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// What OnStartDrag may hand the targets as the source in place of the control; the handler
// keeps it.
class TDragObject : public TObject {};
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
// Target is nullptr when the drag was cancelled or dropped where nothing took it.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;


enum TControlStyleItem { csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
                         csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
                         csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient,
                         csMenuEvents };
using TControlStyle = Set<TControlStyleItem>;
enum TControlStateItem { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
                         csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = Set<TControlStateItem>;

// Window and class styles that CreateParams fills in; CreateWnd maps the ones with a Qt meaning.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_RIGHT = 0x00001000;
constexpr DWORD WS_EX_RTLREADING = 0x00002000;
constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x00004000;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_SAVEBITS = 0x0800;
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    struct {
        UINT style = 0;
    } WindowClass;
};

namespace vt {
struct NativeCall;
class WidgetBridge;
class DragSteps;
}

// A window procedure: what a windowed control's window does with each message that reaches it
// (its Qt events, SendMessage, PostMessage). Every window starts with the control's own, which
// hands the message to WndProc; SetWindowProc puts another over it (subclassing), which passes
// what it does not take on to the one it replaced with CallWindowProc.
class TWindowProcedure {
public:
    virtual ~TWindowProcedure() = default;
    virtual void WindowProc(HWND Window, TMessage& Message) = 0;
};
using WNDPROC = TWindowProcedure*;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v) { SetWidth(FWidth - ClientWidth() + v); }
    virtual void SetClientHeight(int v) { SetHeight(FHeight - ClientHeight() + v); }
    TPoint ClientOrigin() const { return ClientToScreen(Point(0, 0)); }
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v) { FAnchors = v; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible (for a form: shown on the screen).
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    String Text() const { return GetText(); }
    // Changing the text from code fires no user event (an edit's OnChange included);
    // CM_TEXTCHANGED tells the control itself.
    void SetText(const String& v);

    TFont* Font() const { return FFont; }
    void SetFont(TFont* v) { FFont->Assign(v); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    // Text reads right to left: a right-to-left language and any BiDiMode but left to right.
    bool UseRightToLeftReading() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState v) { FControlState = v; }
    // dmAutomatic: a left press starts dragging the control (BeginAutoDrag) and goes no further.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    // The cursor over a target that takes the source.
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor v) { FDragCursor = v; }
    // Starts dragging the control: at once, or once the mouse has moved Threshold pixels from
    // where it was (-1: the desktop's drag distance); released before that, it was a click.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Ends the drag of the control: dropped on the target under the mouse when Drop and the
    // target takes it, else cancelled.
    void EndDrag(bool Drop);
    // A drag of this control has started and not ended.
    bool Dragging() const;

    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }

    void Invalidate();
    void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Paints the control into Canvas with its top-left at (X, Y), csPaintCopy set meanwhile (a
    // copy for grids, transparent controls and tests); without Children only its own face.
    void PaintTo(TCanvas* Canvas, int X, int Y, bool Children = true);

    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Dispatches by message number to the handlers below; overrides call the inherited one for
    // the messages they do not handle themselves.
    virtual void WndProc(TMessage& Message);
    // What happens to a message no handler took: the native Qt behaviour of the event that
    // produced it, or nothing.
    virtual void DefaultHandler(TMessage& Message);

    void SetName(const String& name) override;
    void Loaded() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // A turn of the wheel: OnMouseWheel first, then OnMouseWheelDown or OnMouseWheelUp; a turn
    // nobody took goes on to the native handling (and from there to the parent).
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

    // Platform side.
    QWidget* Widget() const { return FWidget; }
    bool IsPainting() const { return FPainting; }
    // Re-reads the accessible name and description (Caption, label, Hint, Name).
    void UpdateAccessibility();
    // A label names the control it is the FocusControl of, or its nearest right/lower neighbour.
    virtual bool IsCaptionLabel() const { return false; }
    virtual TWinControl* LabelledControl() const { return nullptr; }
    // The caption the accessible name comes from (accelerator marks removed); controls whose
    // text is their content (edits, lists) have none and are named by their label.
    virtual String AccessibleCaption() const;
    // The bridge's way in: runs a message whose default is the native handling of a Qt event.
    void DispatchNative(TMessage& m, vt::NativeCall& native);
    // A message reaching the control's window: through its window procedure, if it has one put
    // over its own, to WndProc. Perform goes to WndProc directly.
    void WindowMessage(TMessage& Message);
    // The widget was moved or resized by Qt: kinds whose geometry Qt owns (top-level windows,
    // tab pages) take it over.
    virtual void WidgetGeometryChanged();

protected:
    // Kinds with their own Qt widget pass it here; it must be a vt::Bridged<> widget.
    TControl(TComponent* AOwner, QWidget* widget);

    virtual String GetText() const { return FText; }
    virtual void SetTextValue(const String& v) { FText = v; }

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True when the turn of the wheel was taken. WheelDelta is in 1/120 of a notch.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // The drag's steps: a target is asked (Accept starts false; an OnDragOver handler sees it
    // true) and dropped on; the source starts, ends and, without a drop, is cancelled.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DragCanceled() {}
    // dmAutomatic's left press: BeginDrag at once.
    virtual void BeginAutoDrag();
    // The control's own handling of a mouse message: the native one, then MouseDown, MouseMove,
    // MouseUp, Click and DblClick.
    void HandleMouseMessage(TMessage& m);
    virtual void Resize();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    // Applies the stored geometry and visibility to the widget.
    virtual void ApplyGeometry();
    virtual void ApplyVisibility();
    // Paints through canvas when set: binds it to a painter on the widget around PaintBody.
    void PaintWithCanvas(TCanvas* canvas, const std::function<void()>& PaintBody);
    TCustomForm* ParentForm() const;
    static TShiftState KeysToShiftState(WPARAM keys);

    String FText;
    TWinControl* FParent = nullptr;

private:
    friend class TWinControl;
    friend class vt::DragSteps;
    friend WNDPROC GetWindowProc(HWND Window);
    friend WNDPROC SetWindowProc(HWND Window, WNDPROC Proc);
    void InitControl(QWidget* widget);
    void ApplyFont();
    void ApplyColor();
    void ParentFontChanged();
    void ParentColorChanged();

    QWidget* FWidget = nullptr;
    vt::NativeCall* FNative = nullptr;
    WNDPROC FWindowProc = nullptr;  // windowed controls only; nullptr: the control's own
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    bool FVisible = true;
    bool FEnabled = true;
    TFont* FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    bool FColorApplied = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TControlState FControlState;
    TControlStyle FControlStyle;
    bool FPainting = false;
    bool FMouseInside = false;
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* AControl) const;
    TControl* ControlAtPos(const TPoint& pos, bool allowDisabled) const;
    // Sends the message to every child until one answers with a non-zero Result.
    void Broadcast(TMessage& Message);

    HWND Handle();
    bool HandleAllocated() const { return FHandleAllocated; }
    void HandleNeeded();
    void RecreateWnd();
    const TCreateParams& Params() const { return FParams; }

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    int TabOrder() const;
    void SetTabOrder(int v);
    // Tab stops below this control in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    virtual void SetFocus();
    bool Focused() const;
    virtual bool CanFocus() const;

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // Platform side: the widget that holds the children's widgets.
    virtual QWidget* ClientWidget() const { return Widget(); }
    // Key routing from the bridge: returns false when the key was swallowed.
    bool RouteKeyDown(WORD& key, TShiftState shift);
    bool RouteKeyPress(char& key);
    bool RouteKeyUp(WORD& key, TShiftState shift);
    // Keys that would otherwise be dialog keys (Tab, Enter, Esc, arrows) the control takes itself.
    virtual bool WantsKey(WORD key, TShiftState shift) const;

protected:
    TWinControl(TComponent* AOwner, QWidget* widget);

    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect) const {}
    virtual void AttachChild(TControl* AControl);
    virtual void DetachChild(TControl* AControl);

    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // Runs after every realignment of the children.
    virtual void ControlsAligned() {}
    // Native kinds (edits, buttons, lists) take the focus on a click even without TabStop.
    bool FClickFocus = false;

private:
    friend class TControl;
    void ApplyCreateParams();
    // The window goes: WM_DESTROY through its window procedure, which then is the own one again.
    void DestroyHandle();
    void AlignFor(TControl* AControl);
    void AnchorChildren(int oldWidth, int oldHeight);
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    TCreateParams FParams;
    int FAnchorWidth = 0;  // client size the children's anchors were last measured against
    int FAnchorHeight = 0;
    bool FHandleAllocated = false;
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAligning = false;
};

// A window control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas; }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    TCanvas* FCanvas;
};

// A control without a window of its own in the class library: never takes the focus.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas; }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    TCanvas* FCanvas;
};

// The canvas of a control: a painter on the control's widget while it paints.
class TControlCanvas : public TCanvas {
public:
    TControl* Control() const { return FControl; }
    void SetControl(TControl* c) { FControl = c; }
    void FreeHandle();
    ~TControlCanvas() override { FreeHandle(); }

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    QPainter* FOwnPainter = nullptr;
};

TCustomForm* GetParentForm(const TControl* control);
// Whether VK is the accelerator of the caption Str: the character after a single "&" ("&&" is a
// literal ampersand), compared without regard to letter case.
bool IsAccel(WORD VK, const String& Str);
// Subclassing a windowed control's window. GetWindowProc gives the procedure the window has now
// (vt::ControlWindowProc() until another was set); SetWindowProc returns the one it replaced.
// A window that is destroyed (RecreateWnd, the control's destruction) gets WM_DESTROY through its
// procedure, and the next window starts with the control's own again.
WNDPROC GetWindowProc(HWND Window);
WNDPROC SetWindowProc(HWND Window, WNDPROC Proc);
void CallWindowProc(WNDPROC Proc, HWND Window, TMessage& Message);
namespace vt {
// The procedure every window starts with: the control's WndProc.
WNDPROC ControlWindowProc();
}
// Queues the message for the control's window; it is dropped when the control is gone by then.
void PostMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT SendMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam);
// The control whose widget this is, or nullptr.
TControl* FindControl(HWND handle);
// The shift state packed into the LParam of key messages.
TShiftState KeyDataToShiftState(LPARAM KeyData);
