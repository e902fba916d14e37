// The few window-system calls the component library makes by name: beep (through a hook tests
// can count), the caret, system metrics, mouse capture, window timers delivering WM_TIMER,
// the hidden utility window that takes posted messages, and key states.
#pragma once

#include <functional>

#include "ui/kernel/Controls.h"

constexpr UINT MB_BEEP_DEFAULT = 0;
void MessageBeep(UINT Type);
namespace vt {
// Replaces the beep (nullptr restores the system's); tests count beeps with it.
void SetBeepHook(std::function<void(UINT Type)> hook);
}

// The caret of the focused control: one at a time, as in the window system.
bool CreateCaret(HWND Window, void* Bitmap, int Width, int Height);
bool DestroyCaret();
bool ShowCaret(HWND Window);
bool HideCaret(HWND Window);
bool SetCaretPos(int X, int Y);
bool GetCaretPos(TPoint& Point);
namespace vt {
struct CaretState {
    HWND Window = nullptr;
    int Width = 0;
    int Height = 0;
    TPoint Position;
    bool Visible = false;
};
const CaretState& Caret();
}

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
// The classic metrics (a 16-pixel scroll bar, 1-pixel borders); the screen size is real.
int GetSystemMetrics(int Index);
// Bits per pixel times planes of the screen (the device context's BITSPIXEL x PLANES).
int ScreenBitsPerPixel();
// Milliseconds since an arbitrary start, wrapping at 2^32 as the window system's count does.
DWORD GetTickCount();
// Negative when the key is down; bit 0 set when a toggle key is on.
short GetKeyState(int VirtualKey);

HWND GetCapture();
HWND SetCapture(HWND Window);
bool ReleaseCapture();

// WM_TIMER with WParam = the id, every Elapse milliseconds, until KillTimer.
UINT SetTimer(HWND Window, UINT Id, UINT Elapse);
bool KillTimer(HWND Window, UINT Id);

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
// Position and size of a window (screen coordinates for pop-up windows, the parent's client
// coordinates for child windows); shows or hides it without taking the activation.
bool SetWindowPos(HWND Window, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags);
bool ShowWindow(HWND Window, int CmdShow);
// In screen coordinates; a top-level window's rectangle takes in its frame.
bool GetWindowRect(HWND Window, TRect& Rect);
bool InvalidateRect(HWND Window, const TRect* Rect, bool Erase);
bool UpdateWindow(HWND Window);
bool IsWindowVisible(HWND Window);
bool IsWindowEnabled(HWND Window);
// Maximised / minimised.
bool IsZoomed(HWND Window);
bool IsIconic(HWND Window);
// Raises the window's top-level window and gives it the activation.
bool SetForegroundWindow(HWND Window);
// The keyboard focus to the window; the previous focus window, or nullptr.
HWND SetFocus(HWND Window);

// Drops the left-button presses and double clicks already queued for the window (the click
// that closed a menu over a button must not press it again).
void RemoveQueuedLeftClicks(HWND Window);

// A hidden window whose messages go to the handler; for posted messages and timers.
// Files dropped from the desktop: a window that accepts them receives WM_DROPFILES with the drop
// in WParam; the receiver reads the names and releases the drop with DragFinish.
struct TDropFiles;
using HDROP = TDropFiles*;
void DragAcceptFiles(HWND Window, bool Accept);
int DragQueryFileCount(HDROP Drop);
String DragQueryFile(HDROP Drop, int Index);
void DragFinish(HDROP Drop);

HWND AllocateHWnd(std::function<void(TMessage& Message)> WndProc);
void DeallocateHWnd(HWND Window);
// By handle as by control: through the window's procedure (its hooks), to WndProc; a handle of
// no control gets nothing and answers 0.
void PostMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
// Takes back the first posted Msg still waiting for the window; false when none waits.
bool RemovePostedMessage(HWND Window, UINT Msg);
LRESULT SendMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

// A window's placement: its show command, the points it takes minimised and maximised, and its
// rectangle in the normal state (for a form, its outer bounds as Left, Top, Width and Height).
constexpr UINT WPF_SETMINPOSITION = 0x0001;
struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = SW_SHOWNORMAL;
    TPoint ptMinPosition{-1, -1};
    TPoint ptMaxPosition{-1, -1};
    TRect rcNormalPosition;
};
bool GetWindowPlacement(HWND Window, WINDOWPLACEMENT* Placement);
// Show command 0 leaves the window's visibility and state alone; the others set the state of a
// form that is showing (minimised 2, 6, 7; maximised 3; normal otherwise).
bool SetWindowPlacement(HWND Window, const WINDOWPLACEMENT* Placement);

// The sizing frame's thickness, as the classic metrics give it.
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// WM_GETMINMAXINFO: a form asks for its size limits (outer size) before it is placed or sized;
// LParam points to this record, filled with the defaults, for the handlers to change.
struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};
// WM_NCHITTEST answers for the sizing borders and corners.
constexpr LRESULT HTLEFT = 10;
constexpr LRESULT HTBOTTOMRIGHT = 17;
