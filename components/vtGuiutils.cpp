// Drawing, geometry and utility routines of the component library. Routines that exist only
// for the Windows window manager (module loading, window classes, screen device contexts)
// have no counterpart here.
#include "components/vtGuiutils.h"

#include "rtl/Exceptions.h"

#include <cerrno>
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

int PaletteColor(int Color) { return (Color & 0x00FFFFFF) | 0x02000000; }

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

void RaiseWin32Error(int ErrorCode)
{
  if (ErrorCode != 0)
    throw EOSError("System Error.  Code: " + IntToStr(ErrorCode) + ".\n" + std::strerror(ErrorCode));
}

void CheckWin32(bool OK)
{
  if (!OK)
    RaiseWin32Error(errno);
}
