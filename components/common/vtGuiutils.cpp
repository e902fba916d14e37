// Drawing, geometry and utility routines of the component library. Routines that exist only
// for the Windows window manager (module loading, window classes, screen device contexts)
// have no counterpart here.
#include "components/common/vtGuiutils.h"

#include "components/graphics/AniFile.h"
#include "components/common/Vtconst.h"
#include "components/common/Vtstrutils.h"
#include "rtl/ResStrings.h"
#include "rtl/Exceptions.h"
#include "rtl/Modules.h"
#include "ui/forms/AnimatedCursor.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/OtherInstances.h"
#include "ui/kernel/WinApi.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The dialog base units of the standard dialog font (average character width, height).
constexpr int kDialogBaseX = 6;
constexpr int kDialogBaseY = 13;

struct MemoHeader {
  long size;
  long pad; // keeps the block after the header 16-byte aligned
};

MemoHeader* HeaderOf(void* P) { return static_cast<MemoHeader*>(P) - 1; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// One token of a command line: a leading "" pair is skipped, quoted parts lose the quotes.
String NextToken(const String& S, size_t& i)
{
  while (i < S.size() && IsBlank(S[i]))
    ++i;
  if (S.compare(i, 2, "\"\"") == 0)
    i += 2;
  String token;
  bool quoted = false;
  for (; i < S.size() && (quoted || !IsBlank(S[i])); ++i) {
    if (S[i] == '"')
      quoted = !quoted;
    else
      token += S[i];
  }
  return token;
}

} // namespace

int WidthOf(const TRect& R) { return R.Right - R.Left; }
int HeightOf(const TRect& R) { return R.Bottom - R.Top; }

bool PointInRect(const TPoint& P, const TRect& R)
{
  return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

// Winding-number test: the point is inside when the polygon winds around it.
bool PointInPolyRgn(const TPoint& P, const std::vector<TPoint>& Points)
{
  int winding = 0;
  for (size_t i = 0; i < Points.size(); ++i) {
    const TPoint& a = Points[i];
    const TPoint& b = Points[(i + 1) % Points.size()];
    long long cross = static_cast<long long>(b.X - a.X) * (P.Y - a.Y) -
                      static_cast<long long>(P.X - a.X) * (b.Y - a.Y);
    if (a.Y <= P.Y) {
      if (b.Y > P.Y && cross > 0)
        ++winding;
    } else if (b.Y <= P.Y && cross < 0) {
      --winding;
    }
  }
  return winding != 0;
}

int DialogUnitsToPixelsX(int DlgUnits) { return DlgUnits * kDialogBaseX / 4; }
int DialogUnitsToPixelsY(int DlgUnits) { return DlgUnits * kDialogBaseY / 8; }
int PixelsToDialogUnitsX(int PixUnits) { return PixUnits * 4 / kDialogBaseX; }
int PixelsToDialogUnitsY(int PixUnits) { return PixUnits * 8 / kDialogBaseY; }

int PaletteColor(int Color) { return (ColorToRGB(Color) & 0x00FFFFFF) | 0x02000000; }

void* AllocMemo(long Size)
{
  if (Size < 1)
    return nullptr;
  auto* h = static_cast<MemoHeader*>(std::calloc(1, sizeof(MemoHeader) + static_cast<size_t>(Size)));
  if (!h)
    throw EOutOfResources("Out of system resources");
  h->size = Size;
  return h + 1;
}

void* ReallocMemo(void* P, long Size)
{
  if (!P)
    return AllocMemo(Size);
  if (Size < 1) {
    FreeMemo(P);
    return nullptr;
  }
  auto* h = static_cast<MemoHeader*>(std::realloc(HeaderOf(P), sizeof(MemoHeader) + static_cast<size_t>(Size)));
  if (!h)
    throw EOutOfResources("Out of system resources");
  h->size = Size;
  return h + 1;
}

void FreeMemo(void*& P)
{
  if (P)
    std::free(HeaderOf(P));
  P = nullptr;
}

long GetMemoSize(void* P) { return P ? HeaderOf(P)->size : 0; }

bool CompareMem(const void* P1, const void* P2, size_t Length) { return std::memcmp(P1, P2, Length) == 0; }

String GetEnvVar(const String& Name)
{
  const char* value = std::getenv(Name.c_str());
  return value ? String(value).substr(0, 2048) : String();
}

void SplitCommandLine(const String& S, String& Cmd, String& Params)
{
  size_t i = 0;
  Cmd = NextToken(S, i);
  Params.clear();
  while (i < S.size()) {
    String p = NextToken(S, i);
    if (p.empty())
      continue;
    if (!Params.empty())
      Params += ' ';
    Params += p.find(' ') != String::npos ? "\"" + p + "\"" : p;
  }
}

String AnsiUpperFirstChar(const String& S)
{
  if (S.empty())
    return S;
  size_t len = 1;
  while (len < S.size() && (static_cast<unsigned char>(S[len]) & 0xC0) == 0x80)
    ++len;
  return AnsiUpperCase(S.substr(0, len)) + S.substr(len);
}

String DropT(const String& S)
{
  if (S.size() > 1 && (S[0] == 'T' || S[0] == 't'))
    return S.substr(1);
  return S;
}

String ResStr(const String& Ident) { return Ident; }

char* StrPAlloc(const String& S)
{
  auto* copy = new char[S.size() + 1];
  std::memcpy(copy, S.c_str(), S.size() + 1);
  return copy;
}

const char* StringToPChar(const String& S) { return S.c_str(); }

void* HugeInc(void* HugePtr, long Amount) { return static_cast<char*>(HugePtr) + Amount; }
void* HugeDec(void* HugePtr, long Amount) { return static_cast<char*>(HugePtr) - Amount; }
void* HugeOffset(void* HugePtr, long Amount) { return HugeInc(HugePtr, Amount); }
void HMemCpy(void* DstPtr, const void* SrcPtr, long Amount) { std::memmove(DstPtr, SrcPtr, static_cast<size_t>(Amount)); }

void HugeMove(void* Base, long Dst, long Src, long Size)
{
  auto* words = static_cast<std::uint32_t*>(Base);
  std::memmove(words + Dst, words + Src, static_cast<size_t>(Size) * sizeof(std::uint32_t));
}

Variant MakeVariant(const std::vector<Variant>& Values)
{
  if (Values.size() > 1)
    return VarArrayOf(Values);
  if (Values.size() == 1)
    return Values.front();
  return Variant();
}

// The operating system's error as the class library words it.
[[noreturn]] static void RaiseOSError(int ErrorCode, const String& Text)
{
  throw EOSError("System Error.  Code: " + IntToStr(ErrorCode) + ".\n" + Text);
}

void RaiseWin32Error(int ErrorCode)
{
  if (ErrorCode != 0)
    RaiseOSError(ErrorCode, std::strerror(ErrorCode));
}

void CheckWin32(bool OK)
{
  if (!OK)
    RaiseWin32Error(errno);
}

HMODULE LoadDLL(const String& Name)
{
  HMODULE module = LoadLibrary(Name);
  if (!module) {
    const vt::LoaderError error = vt::LastLoaderError();
    RaiseOSError(error.Code, error.Text);
  }
  return module;
}

TBitmap* MakeBitmap(const String& ResID) { return MakeModuleBitmap(HInstance, ResID); }

TBitmap* MakeBitmapID(Word ID) { return MakeModuleBitmap(HInstance, IntToStr(ID)); }

TBitmap* MakeModuleBitmap(void* Module, const String& ResID)
{
  vt::RegisterComponentArt();
  auto* bitmap = new TBitmap;
  try {
    bitmap->LoadFromResourceName(Module, ResID);
  } catch (const Exception&) {
    delete bitmap;
    ResourceNotFound(ResID);
  }
  if (bitmap->Empty()) {
    delete bitmap;
    ResourceNotFound(ResID);
  }
  return bitmap;
}

TIcon* MakeModuleIcon(void* Module, const String& ResID)
{
  vt::RegisterComponentArt();
  auto* icon = new TIcon;
  try {
    icon->LoadFromResourceName(Module, ResID);
  } catch (const Exception&) {
    delete icon;
    return nullptr; // a missing icon is no error here
  }
  return icon;
}

TIcon* MakeIcon(const String& ResID) { return MakeModuleIcon(HInstance, ResID); }

TIcon* MakeIconID(Word ID) { return MakeModuleIcon(HInstance, IntToStr(ID)); }

TBitmap* CreateBitmapFromIcon(TIcon* Icon, TColor BackColor)
{
  auto* bitmap = new TBitmap;
  bitmap->SetSize(Icon->Width(), Icon->Height());
  bitmap->Canvas()->Brush()->SetColor(BackColor);
  bitmap->Canvas()->FillRect(Rect(0, 0, Icon->Width(), Icon->Height()));
  bitmap->Canvas()->Draw(0, 0, Icon);
  bitmap->SetTransparentColor(BackColor);
  return bitmap;
}

TIcon* CreateIconFromBitmap(TBitmap* Bitmap, TColor TransparentColor)
{
  TBitmap masked;
  masked.Assign(Bitmap);
  if (TransparentColor != clDefault)
    masked.SetTransparentColor(TransparentColor);
  auto* icon = new TIcon;
  icon->Assign(&masked);
  return icon;
}

int PaletteEntries(HPALETTE Palette) { return Palette ? static_cast<int>(Palette->size()) : 0; }

TBitmap* vt::SharedBitmap(const String& ResID)
{
  static std::map<String, std::unique_ptr<TBitmap>> bitmaps;
  std::unique_ptr<TBitmap>& bitmap = bitmaps[ResID];
  if (!bitmap)
    bitmap.reset(MakeBitmap(ResID));
  return bitmap.get();
}

void ResourceNotFound(const String& ResID)
{
  throw EResNotFound(ReplaceStr("Resource %s not found", "%s", ResID));
}

HCURSOR LoadAniCursor(void* Module, const String& ResID)
{
  const std::vector<std::uint8_t>* bytes = vt::FindResource(ResID, RT_ANICURSOR);
  if (!bytes)
    return nullptr;
  TMemoryStream stream;
  stream.WriteBuffer(bytes->data(), static_cast<std::int64_t>(bytes->size()));
  stream.SetPosition(0);
  TAnimatedCursorImage cursor;
  try {
    cursor.LoadFromStream(&stream);
  } catch (const EReadError&) {
    return nullptr; // a damaged cursor loads as none, as a missing one does
  }
  std::vector<vt::CursorFrame> frames;
  for (int i = 0; i < cursor.IconCount(); ++i) {
    const TIconFrame* frame = cursor.Frames(i);
    // Rates are in sixtieths of a second; a frame of no time shows for one.
    const int milliseconds = std::max(frame->Rate(), 1) * 100 / 6;
    frames.push_back({frame->Icon(), frame->HotSpot().X, frame->HotSpot().Y, milliseconds});
  }
  return vt::CreateAnimatedCursor(frames);
}

TCursor DefineCursor(void* Module, const String& ResID)
{
  vt::RegisterComponentArt();
  HCURSOR handle = LoadCursor(Module, ResID);
  if (!handle)
    handle = LoadAniCursor(Module, ResID);
  if (!handle)
    ResourceNotFound(ResID);
  const HCURSOR standard = Screen->Cursors(crDefault);
  for (int slot = 100; slot <= 32767; ++slot)
    if (Screen->Cursors(slot) == standard) {
      Screen->SetCursors(slot, handle);
      return static_cast<TCursor>(slot);
    }
  DestroyCursor(handle);
  throw EOutOfResources("Out of system resources");
}

void AssignBitmapCell(TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index)
{
  Cols = Cols < 1 ? 1 : Cols;
  Rows = Rows < 1 ? 1 : Rows;
  Index = Index < 0 ? 0 : Index;
  const int w = Source->Width() / Cols, h = Source->Height() / Rows;
  const TRect cell = Bounds((Index % Cols) * w, (Index / Cols) * h, w, h);
  Dest->SetSize(w, h);
  Dest->Canvas()->Brush()->SetColor(RGB(192, 192, 192));
  Dest->Canvas()->FillRect(Rect(0, 0, w, h));
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    Dest->Canvas()->CopyRect(Rect(0, 0, w, h), bitmap->Canvas(), cell);
    Dest->SetTransparentColor(bitmap->TransparentColor() & ~0x02000000);
  } else {
    Dest->Canvas()->Draw(-cell.Left, -cell.Top, Source);
  }
  Dest->SetTransparent(Source->Transparent());
}

TBitmap* CreateDisabledBitmapEx(TBitmap* FOriginal, TColor OutlineColor, TColor BackColor,
                                TColor HighlightColor, TColor ShadowColor, bool DrawHighlight)
{
  const int w = FOriginal->Width(), h = FOriginal->Height();
  const TColor outline = ColorToRGB(OutlineColor) & 0xFFFFFF;
  auto* result = new TBitmap;
  result->SetSize(w, h);
  TCanvas* out = result->Canvas();
  out->Brush()->SetColor(BackColor);
  out->FillRect(Rect(0, 0, w, h));
  // The monochrome mask: the outline colour is white (background), every other pixel ink.
  std::vector<bool> ink(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      ink[static_cast<size_t>(y) * w + x] = (FOriginal->Canvas()->Pixels(x, y) & 0xFFFFFF) != outline;
    }
  auto stamp = [&](int dx, int dy, TColor color) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (ink[static_cast<size_t>(y) * w + x] && x + dx < w && y + dy < h)
          out->SetPixels(x + dx, y + dy, color);
  };
  if (DrawHighlight)
    stamp(1, 1, ColorToRGB(HighlightColor));
  stamp(0, 0, ColorToRGB(ShadowColor));
  result->SetTransparentColor(BackColor);
  return result;
}

TBitmap* CreateDisabledBitmap(TBitmap* FOriginal, TColor OutlineColor)
{
  return CreateDisabledBitmapEx(FOriginal, OutlineColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

void CopyParentImage(TControl* Control, TCanvas* Dest)
{
  TWinControl* parent = Control->Parent();
  if (!parent)
    return;
  parent->PaintTo(Dest, -Control->Left(), -Control->Top(), false);
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* sibling = parent->Controls(i);
    if (sibling == Control)
      break;
    if (sibling->Visible() && dynamic_cast<TGraphicControl*>(sibling))
      sibling->PaintTo(Dest, sibling->Left() - Control->Left(), sibling->Top() - Control->Top());
  }
}

void StretchBltTransparent(TCanvas* Dst, int DstX, int DstY, int DstW, int DstH, TCanvas* Src, int SrcX,
                           int SrcY, int SrcW, int SrcH, TColor TransparentColor)
{
  TBitmap part;
  part.SetSize(SrcW, SrcH);
  part.Canvas()->CopyRect(Rect(0, 0, SrcW, SrcH), Src, Bounds(SrcX, SrcY, SrcW, SrcH));
  part.SetTransparentColor(TransparentColor);
  part.SetTransparent(true);
  Dst->StretchDraw(Bounds(DstX, DstY, DstW, DstH), &part);
}

void DrawTransparentBitmap(TCanvas* Dst, TBitmap* Bitmap, int X, int Y, TColor TransparentColor)
{
  StretchBltTransparent(Dst, X, Y, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas(), 0, 0, Bitmap->Width(),
                        Bitmap->Height(), TransparentColor);
}

void StretchBitmapRectTransparent(TCanvas* Dest, int X, int Y, int W, int H, const TRect& Rect, TBitmap* Bitmap,
                                  TColor TransparentColor)
{
  const TRect part = WidthOf(Rect) <= 0 || HeightOf(Rect) <= 0 ? ::Rect(0, 0, Bitmap->Width(), Bitmap->Height()) : Rect;
  W = W < 1 ? WidthOf(part) : W;
  H = H < 1 ? HeightOf(part) : H;
  if (TransparentColor == clNone) {
    Dest->CopyRect(Bounds(X, Y, W, H), Bitmap->Canvas(), part);
    return;
  }
  if (TransparentColor == clDefault)
    TransparentColor = Bitmap->Canvas()->Pixels(0, Bitmap->Height() - 1);
  if (Bitmap->Monochrome())
    TransparentColor = clWhite;
  StretchBltTransparent(Dest, X, Y, W, H, Bitmap->Canvas(), part.Left, part.Top, WidthOf(part), HeightOf(part),
                        TransparentColor);
}

void DrawBitmapRectTransparent(TCanvas* Dest, int X, int Y, const TRect& Rect, TBitmap* Bitmap,
                               TColor TransparentColor)
{
  StretchBitmapRectTransparent(Dest, X, Y, WidthOf(Rect), HeightOf(Rect), Rect, Bitmap, TransparentColor);
}

void DrawBitmapTransparent(TCanvas* Dest, int X, int Y, TBitmap* Bitmap, TColor TransparentColor)
{
  StretchBitmapRectTransparent(Dest, X, Y, 0, 0, Rect(0, 0, 0, 0), Bitmap, TransparentColor);
}

TBitmap* ChangeBitmapColor(TBitmap* Bitmap, TColor Color, TColor NewColor)
{
  auto* result = new TBitmap;
  result->SetSize(Bitmap->Width(), Bitmap->Height());
  const TRect all = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
  result->Canvas()->Brush()->SetColor(NewColor);
  result->Canvas()->BrushCopy(all, Bitmap, all, ColorToRGB(Color));
  return result;
}

void ImageListDrawDisabled(TCustomImageList* Images, TCanvas* Canvas, int X, int Y, int Index,
                           TColor HighlightColor, TColor GrayColor, bool DrawHighlight)
{
  TBitmap image;
  image.SetSize(Images->Width(), Images->Height());
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, Images->Width(), Images->Height()));
  Images->Draw(image.Canvas(), 0, 0, Index);
  TBitmap* disabled = CreateDisabledBitmapEx(&image, clFuchsia, clFuchsia, HighlightColor, GrayColor, DrawHighlight);
  disabled->SetTransparentColor(clFuchsia);
  disabled->SetTransparent(true);
  Canvas->Draw(X, Y, disabled);
  delete disabled;
}

void ShadeRect(TCanvas* Canvas, const TRect& Rect)
{
  for (int y = Rect.Top; y < Rect.Bottom; ++y)
    for (int x = Rect.Left; x < Rect.Right; ++x)
      if (((x + y) & 3) == 3) // rows 0x11, 0x22, 0x44, 0x88: a falling diagonal every 4 pixels
        Canvas->SetPixels(x, y, clBlack);
}

TBitmap* CreateTwoColorsBrushPattern(TColor Color1, TColor Color2)
{
  auto* pattern = new TBitmap;
  pattern->SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pattern->Canvas()->SetPixels(x, y, (x % 2) == (y % 2) ? Color2 : Color1);
  return pattern;
}

String MinimizeText(const String& Text, TCanvas* Canvas, int MaxWidth)
{
  String result = Text;
  for (size_t k = 1; k <= Text.size() && Canvas->TextWidth(result) > MaxWidth;) {
    ++k;
    result = Text.substr(0, Text.size() > k ? Text.size() - k : 0) + "...";
  }
  return result;
}

TPoint GetAveCharSize(TCanvas* Canvas)
{
  String letters;
  for (char c = 'A'; c <= 'Z'; ++c)
    letters += c;
  for (char c = 'a'; c <= 'z'; ++c)
    letters += c;
  return Point(Canvas->TextWidth(letters) / 52, Canvas->TextHeight(letters));
}

void Delay(long MSecs)
{
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(MSecs);
  do {
    if (Application)
      Application->ProcessMessages();
  } while (std::chrono::steady_clock::now() < until);
}

void Beep() { MessageBeep(MB_BEEP_DEFAULT); }

void WriteText(TCanvas* ACanvas, const TRect& ARect, int DX, int DY, const String& Text,
               TAlignment Alignment, bool WordWrap)
{
  if (!WordWrap && Text.find('\r') == String::npos) {
    int left = ARect.Left + DX;
    if (Alignment == taRightJustify)
      left = ARect.Right - ACanvas->TextWidth(Text) - 3;
    else if (Alignment == taCenter)
      left = ARect.Left + (WidthOf(ARect) - ACanvas->TextWidth(Text)) / 2;
    ACanvas->TextRect(ARect, left, ARect.Top + DY, Text);
    return;
  }
  static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  ACanvas->FillRect(ARect);
  TRect r = Rect(ARect.Left + DX, ARect.Top + DY, ARect.Right - 1, ARect.Bottom - 1);
  ACanvas->DrawText(Text, r, alignments[Alignment] | DT_EXPANDTABS | DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : 0));
}

void DrawCellTextEx(TCanvas* ACanvas, int, int, const String& S, const TRect& ARect, TAlignment Align,
                    TVertAlignment VertAlign, bool WordWrap)
{
  const int cellHeight = HeightOf(ARect), lineHeight = ACanvas->TextHeight("W");
  int dy = 2;
  if (VertAlign == vaCenter)
    dy = std::max(1, (cellHeight - lineHeight) / 2);
  else if (VertAlign == vaBottomJustify)
    dy = std::max(2, cellHeight - lineHeight);
  WriteText(ACanvas, ARect, 2, dy, S, Align, WordWrap);
}

void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, const String& S, const TRect& ARect, TAlignment Align,
                  TVertAlignment VertAlign)
{
  DrawCellTextEx(ACanvas, ACol, ARow, S, ARect, Align, VertAlign, Align == taCenter);
}

void DrawCellBitmap(TCanvas* ACanvas, int, int, TGraphic* Bmp, const TRect& Rect)
{
  ACanvas->Draw((Rect.Left + Rect.Right - Bmp->Width()) / 2, (Rect.Top + Rect.Bottom - Bmp->Height()) / 2, Bmp);
}

TFont* CreateRotatedFont(TFont* Font, int Angle)
{
  auto* rotated = new TFont;
  rotated->Assign(Font);
  if (SameText(Font->Name(), "Default"))
    rotated->SetName(TFont().Name());
  rotated->SetOrientation(Angle * 10);
  return rotated;
}

void GradientFillRect(TCanvas* Canvas, const TRect& ARect, TColor StartColor, TColor EndColor,
                      TFillDirection Direction, Byte Colors)
{
  if (WidthOf(ARect) <= 0 || HeightOf(ARect) <= 0)
    return;
  if (Colors < 2) {
    Canvas->Brush()->SetColor(StartColor);
    Canvas->FillRect(ARect);
    return;
  }
  if (Direction == fdBottomToTop || Direction == fdRightToLeft)
    std::swap(StartColor, EndColor);
  const bool vertical = Direction == fdTopToBottom || Direction == fdBottomToTop;
  const int extent = vertical ? HeightOf(ARect) : WidthOf(ARect);
  const int bands = std::clamp<int>(Colors, 2, extent);
  const TColor from = ColorToRGB(StartColor), to = ColorToRGB(EndColor);
  auto channel = [&](int a, int b, int i) { return a + (b - a) * i / (bands - 1); };
  const int band = extent / bands;
  for (int i = 0; i < bands; ++i) {
    Canvas->Brush()->SetColor(RGB(channel(GetRValue(from), GetRValue(to), i), channel(GetGValue(from), GetGValue(to), i),
                                  channel(GetBValue(from), GetBValue(to), i)));
    const int start = i * band, end = i == bands - 1 ? extent : start + band; // the rest takes the end colour
    Canvas->FillRect(vertical ? Rect(ARect.Left, ARect.Top + start, ARect.Right, ARect.Top + end)
                              : Rect(ARect.Left + start, ARect.Top, ARect.Left + end, ARect.Bottom));
  }
}

void UseMessageFont(TFont* Font)
{
  if (TFont* message = Screen ? Screen->MessageFont() : nullptr) {
    Font->SetName(message->Name());
    Font->SetSize(message->Size());
    Font->SetStyle(message->Style());
    return;
  }
  Font->SetColor(clWindowText);
  Font->SetName("MS Sans Serif");
  Font->SetSize(8);
  Font->SetStyle(TFontStyles{});
}

namespace {
int WaitCount = 0;
TCursor SavedCursor = crDefault;
} // namespace

void StartWait()
{
  if (WaitCount++ == 0 && Screen) {
    SavedCursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
  }
}

void StopWait()
{
  if (WaitCount > 0 && --WaitCount == 0 && Screen)
    Screen->SetCursor(SavedCursor);
}

void NotImplemented()
{
  if (Screen)
    Screen->SetCursor(crDefault);
  MessageDlg(LoadStr(SNotImplemented), mtInformation, TMsgDlgButtons{mbOK}, 0);
  Abort();
}

void CenterControl(TControl* Control)
{
  int w = Screen ? Screen->Width() : 0, h = Screen ? Screen->Height() : 0;
  if (!dynamic_cast<TCustomForm*>(Control) && Control->Parent()) {
    w = Control->Parent()->ClientWidth();
    h = Control->Parent()->ClientHeight();
  }
  Control->SetBounds(std::max(0, (w - Control->Width()) / 2), std::max(0, (h - Control->Height()) / 2),
                     Control->Width(), Control->Height());
}

void ScreenWorkArea(TRect& Rect)
{
  Rect = Screen->WorkAreaRect();
  if (WidthOf(Rect) <= 0 || HeightOf(Rect) <= 0)
    Rect = ::Rect(0, 0, Screen->Width(), Screen->Height());
}

void CenterWindow(HWND Wnd)
{
  TRect r;
  if (!GetWindowRect(Wnd, r))
    return;
  const int x = std::clamp((Screen->Width() - WidthOf(r)) / 2, 0, std::max(0, Screen->Width() - WidthOf(r)));
  const int y = std::clamp((Screen->Height() - HeightOf(r)) / 2, 0, std::max(0, Screen->Height() - HeightOf(r)));
  SetWindowPos(Wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MergeForm(TWinControl* AControl, TForm* AForm, TAlign Align, bool Show)
{
  AForm->SetBorderStyle(bsNone);
  AForm->SetBorderIcons(TBorderIcons{});
  AForm->SetParent(AControl);
  if (Align != alNone)
    AForm->SetAlign(Align);
  else
    AForm->SetBounds(0, 0, AForm->Width(), AForm->Height());
  AForm->SetVisible(Show);
}

// The window system here has no minimise and restore animation to switch off.
bool ShowWinNoAnimate(HWND Handle, int CmdShow) { return ShowWindow(Handle, CmdShow); }

String WindowClassName(HWND Wnd)
{
  TControl* control = FindControl(Wnd);
  return control ? control->ClassName().substr(0, 255) : String();
}

void KillMessage(HWND Wnd, UINT Msg) { RemovePostedMessage(Wnd, Msg); }

void ActivateWindow(HWND Wnd)
{
  ShowWinNoAnimate(Wnd, SW_SHOWNORMAL);
  SetForegroundWindow(Wnd);
}

void SwitchToWindow(HWND Wnd, bool Restore)
{
  if (!IsWindowEnabled(Wnd))
    return;
  SetForegroundWindow(Wnd);
  if (Restore && IsWindowVisible(Wnd)) {
    if (!IsZoomed(Wnd))
      ShowWindow(Wnd, SW_RESTORE);
    SetFocus(Wnd);
  }
}

TForeignWindow FindPrevInstance(const String& MainFormClass, const String& ATitle)
{
  return vt::FindForeignWindow(MainFormClass, ATitle);
}

// The running copy's forms belong to its application, whose window (its main form) is restored or
// shown; then its last active dialog, or the window itself, comes to the foreground.
bool ActivatePrevInstance(const String& MainFormClass, const String& ATitle)
{
  const TForeignWindow found = FindPrevInstance(MainFormClass, ATitle);
  if (!found)
    return false;
  const TForeignWindow application = GetRootOwner(found);
  if (IsIconic(application)) {
    ShowWindow(application, SW_RESTORE);
    return true;
  }
  ShowWindow(application, SW_SHOW); // there is no animation to switch off here
  const TForeignWindow popup = GetLastActivePopup(application);
  if (popup.Id != application.Id && IsWindowVisible(popup) && IsWindowEnabled(popup))
    SetForegroundWindow(popup);
  else
    SetForegroundWindow(application);
  return true;
}

bool IsForegroundTask() { return !Application || Application->Active(); }

int MsgBox(const String& Caption, const String& Text, int Flags)
{
  return Application->MessageBox(Text, Caption, static_cast<UINT>(Flags));
}

int MsgDlg(const String& Msg, TMsgDlgType AType, TMsgDlgButtons AButtons, long HelpCtx)
{
  return MessageDlg(Msg, AType, AButtons, HelpCtx);
}
