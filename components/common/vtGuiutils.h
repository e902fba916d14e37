// Drawing, geometry, window and small utility routines shared by the component library:
// bitmap cells, disabled looks, cell text, text shortening, dialog units, the wait cursor,
// memory blocks, command-line splitting and error raising.
#pragma once

#include "rtl/Classes.h"
#include "rtl/Modules.h"
#include "rtl/StrUtils.h"
#include "rtl/Types.h"
#include "rtl/Variant.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Controls.h"
#include "ui/kernel/OtherInstances.h"

#include <cstddef>
#include <vector>

class TCustomImageList;

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };
enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };

// Bitmaps. MakeBitmap loads a bitmap of our resources by name; a missing one raises
// EResNotFound "Resource %s not found".
TBitmap* MakeBitmap(const String& ResID);
// The same from a module's resources (the program's own: HInstance); a numeric identifier is
// looked up under its number as text.
TBitmap* MakeModuleBitmap(void* Module, const String& ResID);
TBitmap* MakeBitmapID(Word ID);
// Icons: nullptr when the resource cannot be loaded.
TIcon* MakeModuleIcon(void* Module, const String& ResID);
TIcon* MakeIcon(const String& ResID);
TIcon* MakeIconID(Word ID);
// A bitmap of the icon's size on BackColor, which is its transparent colour.
TBitmap* CreateBitmapFromIcon(TIcon* Icon, TColor BackColor);
// An icon whose mask is TransparentColor (clDefault: the bitmap's own transparent colour).
TIcon* CreateIconFromBitmap(TBitmap* Bitmap, TColor TransparentColor);
// The number of entries of a palette (0 for none).
int PaletteEntries(HPALETTE Palette);
namespace vt {
// The bitmap of our resources by that name, loaded on first use and shared until the program
// ends (the default button glyphs); callers never free it.
TBitmap* SharedBitmap(const String& ResID);
// Registers the library's bitmaps (resources/*.bmp, compiled in) once; MakeBitmap calls it.
void RegisterComponentArt();
}
[[noreturn]] void ResourceNotFound(const String& ResID);
// The animated cursor registered as ResID (RT_ANICURSOR) as a cursor showing its first frame;
// nullptr when there is none or it cannot be read.
HCURSOR LoadAniCursor(void* Module, const String& ResID);
// Loads the cursor (or animated cursor) resource ResID and registers it in the first free slot
// of the screen's cursor table from 100 up (a slot is free while it gives the default cursor);
// raises "Resource %s not found", or "Out of system resources" past 32767.
TCursor DefineCursor(void* Module, const String& ResID);
// Dest := cell Index (row by row) of Source cut into Cols x Rows equal cells.
void AssignBitmapCell(TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index);
// The embossed look of a disabled glyph: OutlineColor (the transparent colour) and the face
// become BackColor, the rest is drawn in ShadowColor with a HighlightColor copy offset by 1.
TBitmap* CreateDisabledBitmapEx(TBitmap* FOriginal, TColor OutlineColor, TColor BackColor,
                                TColor HighlightColor, TColor ShadowColor, bool DrawHighlight);
TBitmap* CreateDisabledBitmap(TBitmap* FOriginal, TColor OutlineColor);
// Paints what lies behind Control into Dest (placed where the control is): the parent's face
// and the visible window-less siblings below the control.
void CopyParentImage(TControl* Control, TCanvas* Dest);
// Transparent drawing: the pixels of TransparentColor are left out. The platform's canvas draws
// a bitmap with a key colour masked, so one routine serves the whole family.
void StretchBltTransparent(TCanvas* Dst, int DstX, int DstY, int DstW, int DstH, TCanvas* Src, int SrcX,
                           int SrcY, int SrcW, int SrcH, TColor TransparentColor);
void DrawTransparentBitmap(TCanvas* Dst, TBitmap* Bitmap, int X, int Y, TColor TransparentColor);
// Part Rect of Bitmap stretched to (X, Y, W, H): W or H below 1 take the part's own, an empty
// Rect the whole bitmap; clNone draws everything, clDefault takes the bottom-left pixel, and a
// monochrome bitmap uses white.
void StretchBitmapRectTransparent(TCanvas* Dest, int X, int Y, int W, int H, const TRect& Rect, TBitmap* Bitmap,
                                  TColor TransparentColor);
void DrawBitmapRectTransparent(TCanvas* Dest, int X, int Y, const TRect& Rect, TBitmap* Bitmap,
                               TColor TransparentColor);
void DrawBitmapTransparent(TCanvas* Dest, int X, int Y, TBitmap* Bitmap, TColor TransparentColor);
// A copy of Bitmap with Color replaced by NewColor.
TBitmap* ChangeBitmapColor(TBitmap* Bitmap, TColor Color, TColor NewColor);
// The disabled look of one image of an image list, drawn at (X, Y).
void ImageListDrawDisabled(TCustomImageList* Images, TCanvas* Canvas, int X, int Y, int Index,
                           TColor HighlightColor, TColor GrayColor, bool DrawHighlight);
// The diagonal hatch over Rect: every fourth pixel along each diagonal turns black.
void ShadeRect(TCanvas* Canvas, const TRect& Rect);
// 8 x 8 checkerboard: Color2 where column and row are both even or both odd.
TBitmap* CreateTwoColorsBrushPattern(TColor Color1, TColor Color2);

// Text and cells.
// Text clipped to ARect, DX from the left (or aligned) and DY from the top; word-wrapped text
// goes through DrawText.
void WriteText(TCanvas* ACanvas, const TRect& ARect, int DX, int DY, const String& Text,
               TAlignment Alignment, bool WordWrap);
void DrawCellTextEx(TCanvas* ACanvas, int ACol, int ARow, const String& S, const TRect& ARect,
                    TAlignment Align, TVertAlignment VertAlign, bool WordWrap);
// Centred cell text wraps; other alignments stay on one line.
void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, const String& S, const TRect& ARect,
                  TAlignment Align, TVertAlignment VertAlign);
// Bmp centred in Rect.
void DrawCellBitmap(TCanvas* ACanvas, int ACol, int ARow, TGraphic* Bmp, const TRect& Rect);
// A copy of Font whose text runs at Angle degrees (counter-clockwise); the default face where
// the name is "Default". The caller frees it.
TFont* CreateRotatedFont(TFont* Font, int Angle);
// Colors bands from StartColor to EndColor in the fill direction (at most one per pixel).
void GradientFillRect(TCanvas* Canvas, const TRect& ARect, TColor StartColor, TColor EndColor,
                      TFillDirection Direction, Byte Colors);
// Text shortened with "..." until it fits MaxWidth on Canvas.
String MinimizeText(const String& Text, TCanvas* Canvas, int MaxWidth);
TPoint GetAveCharSize(TCanvas* Canvas);
// The font becomes the system's message font (its colour kept); without one it becomes
// "MS Sans Serif", size 8, clWindowText, no style.
void UseMessageFont(TFont* Font);

// The warning beep: the platform's MessageBeep (tests count beeps through vt::SetBeepHook).
void Beep();

// The hour-glass while a long operation runs; nested pairs restore the cursor at the last Stop.
void StartWait();
void StopWait();
// Shows "Function not yet implemented" and aborts the current operation silently.
[[noreturn]] void NotImplemented();
// Centres a form on the screen, or a control in its parent; never at negative positions.
void CenterControl(TControl* Control);
// The desktop's work area, or the whole screen when there is none.
void ScreenWorkArea(TRect& Rect);
// Centres a top-level window on the screen, kept inside it.
void CenterWindow(HWND Wnd);
// Puts a form inside AControl: no border or icons, aligned or at the client origin, shown as asked.
void MergeForm(TWinControl* AControl, TForm* AForm, TAlign Align, bool Show);
bool ShowWinNoAnimate(HWND Handle, int CmdShow);
// The class name of the window's control (empty for a window of no control).
String WindowClassName(HWND Wnd);
// Takes back one message posted to the window and not yet delivered.
void KillMessage(HWND Wnd, UINT Msg);
// Shows the window normally and brings it to the foreground.
void ActivateWindow(HWND Wnd);
// An enabled window to the foreground; with Restore a visible one is restored unless maximised
// and takes the focus.
void SwitchToWindow(HWND Wnd, bool Restore);
// The main form of another running copy of the program (this user's), found by its class
// and/or caption; both empty find none.
TForeignWindow FindPrevInstance(const String& MainFormClass, const String& ATitle);
// Brings another running copy forward: restores it when minimised, else raises its last active
// dialog or its main form. False when no copy runs.
bool ActivatePrevInstance(const String& MainFormClass, const String& ATitle);
// True while one of the program's windows is active.
bool IsForegroundTask();
int MsgBox(const String& Caption, const String& Text, int Flags);
int MsgDlg(const String& Msg, TMsgDlgType AType, TMsgDlgButtons AButtons, long HelpCtx);

// Waits MSecs milliseconds while the application keeps processing its messages.
void Delay(long MSecs);

// Geometry and units.
int WidthOf(const TRect& R);
int HeightOf(const TRect& R);
bool PointInRect(const TPoint& P, const TRect& R); // the right and bottom edges count as inside
bool PointInPolyRgn(const TPoint& P, const std::vector<TPoint>& Points);
int DialogUnitsToPixelsX(int DlgUnits);
int DialogUnitsToPixelsY(int DlgUnits);
int PixelsToDialogUnitsX(int PixUnits);
int PixelsToDialogUnitsY(int PixUnits);
// The colour (a system colour resolved first) as a palette-relative value.
int PaletteColor(int Color);

// Memory blocks that know their size; AllocMemo gives zeroed memory, nothing below 1 byte.
void* AllocMemo(long Size);
void* ReallocMemo(void* P, long Size);
void FreeMemo(void*& P);
long GetMemoSize(void* P);
bool CompareMem(const void* P1, const void* P2, size_t Length);

// Strings and the environment.
String GetEnvVar(const String& Name);
void SplitCommandLine(const String& S, String& Cmd, String& Params);
String AnsiUpperFirstChar(const String& S);
String DropT(const String& S);
// A new zero-terminated copy of S (freed with delete[]); a pointer to S's own characters.
char* StrPAlloc(const String& S);
const char* StringToPChar(const String& S);
// Plain pointer steps and copies; HugeMove counts in 4-byte units.
void* HugeInc(void* HugePtr, long Amount);
void* HugeDec(void* HugePtr, long Amount);
void* HugeOffset(void* HugePtr, long Amount);
void HMemCpy(void* DstPtr, const void* SrcPtr, long Amount);
void HugeMove(void* Base, long Dst, long Src, long Size);
// Two values or more give an array of all, one value itself, none an unassigned Variant.
Variant MakeVariant(const std::vector<Variant>& Values);
// Loads a shared library; one that cannot be loaded raises the system's error (EOSError) with
// the loader's reason.
HMODULE LoadDLL(const String& Name);
String ResStr(const String& Ident);

// Errors of the operating system (errno numbers) raised as EOSError with the system's text;
// a code of 0 raises nothing.
void RaiseWin32Error(int ErrorCode);
void CheckWin32(bool OK);
