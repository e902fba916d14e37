// Drawing, geometry, window and small utility routines shared by the component library:
// bitmap cells, disabled looks, cell text, text shortening, dialog units, the wait cursor,
// memory blocks, command-line splitting and error raising.
#pragma once

#include "rtl/Classes.h"
#include "rtl/StrUtils.h"

#include <cstddef>
#include <vector>

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };
enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };

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
