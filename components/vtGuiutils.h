// Drawing, geometry, window and small utility routines shared by the component library:
// bitmap cells, disabled looks, cell text, text shortening, dialog units, the wait cursor,
// memory blocks, command-line splitting and error raising.
#pragma once

#include "rtl/Classes.h"
#include "rtl/StrUtils.h"
#include "rtl/Types.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Controls.h"

#include <cstddef>
#include <vector>

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };
enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };

// Bitmaps. MakeBitmap loads a bitmap of our resources by name; a missing one raises
// EResNotFound "Resource %s not found".
TBitmap* MakeBitmap(const String& ResID);
namespace vt {
// The bitmap of our resources by that name, loaded on first use and shared until the program
// ends (the default button glyphs); callers never free it.
TBitmap* SharedBitmap(const String& ResID);
// Registers the library's bitmaps (resources/*.bmp, compiled in) once; MakeBitmap calls it.
void RegisterComponentArt();
}
[[noreturn]] void ResourceNotFound(const String& ResID);
// Loads the cursor resource ResID and registers it in the first free slot of the screen's cursor
// table from 100 up (a slot is free while it gives the default cursor); raises "Resource %s not
// found", or "Out of system resources" past 32767.
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
// Colors bands from StartColor to EndColor in the fill direction (at most one per pixel).
void GradientFillRect(TCanvas* Canvas, const TRect& ARect, TColor StartColor, TColor EndColor,
                      TFillDirection Direction, Byte Colors);
// Text shortened with "..." until it fits MaxWidth on Canvas.
String MinimizeText(const String& Text, TCanvas* Canvas, int MaxWidth);
TPoint GetAveCharSize(TCanvas* Canvas);

// The warning beep: the platform's MessageBeep (tests count beeps through vt::SetBeepHook).
void Beep();

// The hour-glass while a long operation runs; nested pairs restore the cursor at the last Stop.
void StartWait();
void StopWait();
// Shows "Function not yet implemented" and aborts the current operation silently.
[[noreturn]] void NotImplemented();
// Centres a form on the screen, or a control in its parent; never at negative positions.
void CenterControl(TControl* Control);
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
String ResStr(const String& Ident);

// Errors of the operating system (errno numbers) raised as EOSError with the system's text;
// a code of 0 raises nothing.
void RaiseWin32Error(int ErrorCode);
void CheckWin32(bool OK);
