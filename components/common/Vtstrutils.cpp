// String routines of the component library. Internally the code works on 0-based indexes
// and converts to the class library's 1-based positions only at the interface.
#include "components/common/Vtstrutils.h"

#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"

#include <cctype>
#include <cstring>

namespace {

const TCharSet kSpace{' '};

// 0-based start of the N-th word (1-based N), or npos.
size_t WordStart(int N, const String& S, const TCharSet& WordDelims)
{
  int count = 0;
  size_t i = 0;
  while (i < S.size()) {
    while (i < S.size() && WordDelims.Contains(S[i]))
      ++i;
    if (i == S.size())
      break;
    if (++count == N)
      return i;
    while (i < S.size() && !WordDelims.Contains(S[i]))
      ++i;
  }
  return String::npos;
}

size_t WordEnd(size_t start, const String& S, const TCharSet& WordDelims)
{
  size_t i = start;
  while (i < S.size() && !WordDelims.Contains(S[i]))
    ++i;
  return i;
}

int HexDigit(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Reads a hexadecimal pair as XorDecode stores it; a broken pair is a conversion error.
int HexPair(const String& S, size_t i)
{
  int hi = i < S.size() ? HexDigit(S[i]) : -1;
  int lo = i + 1 < S.size() ? HexDigit(S[i + 1]) : -1;
  if (hi < 0 || lo < 0)
    throw EConvertError("'" + S.substr(i, 2) + "' is not a valid integer value");
  return hi * 16 + lo;
}

int RomanDigit(char c)
{
  switch (std::toupper(static_cast<unsigned char>(c))) {
  case 'I': return 1;
  case 'V': return 5;
  case 'X': return 10;
  case 'L': return 50;
  case 'C': return 100;
  case 'D': return 500;
  case 'M': return 1000;
  default: return 0;
  }
}

// The key character for the 0-based source position i (no key: no change).
char KeyChar(const String& Key, size_t i) { return Key.empty() ? 0 : Key[i % Key.size()]; }

bool WildMatch(const String& s, const String& p)
{
  size_t si = 0, pi = 0, starP = String::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
      ++si;
      ++pi;
    } else if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starS = si;
    } else if (starP != String::npos) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*')
    ++pi;
  return pi == p.size();
}

} // namespace

String StrToOem(const String& S) { return S; }
String OemToAnsiStr(const String& S) { return S; }

bool IsEmptyStr(const String& S, const TCharSet& EmptyChars)
{
  for (char c : S)
    if (!EmptyChars.Contains(c))
      return false;
  return true;
}

String ReplaceStr(const String& S, const String& Srch, const String& Replace)
{
  return StringReplace(S, Srch, Replace, {rfReplaceAll});
}

String DelSpace(const String& S) { return DelChars(S, ' '); }

String DelChars(const String& S, char Chr)
{
  String result;
  for (char c : S)
    if (c != Chr)
      result += c;
  return result;
}

String DelBSpace(const String& S)
{
  size_t i = S.find_first_not_of(' ');
  return i == String::npos ? String() : S.substr(i);
}

String DelESpace(const String& S)
{
  size_t i = S.find_last_not_of(' ');
  return i == String::npos ? String() : S.substr(0, i + 1);
}

String DelRSpace(const String& S) { return DelBSpace(DelESpace(S)); }

String DelSpace1(const String& S)
{
  String result;
  for (char c : S)
    if (c != ' ' || result.empty() || result.back() != ' ')
      result += c;
  return result;
}

String Tab2Space(const String& S, int Numb) { return ReplaceStr(S, "\t", MakeStr(' ', Numb)); }

String MakeStr(char C, int N) { return StringOfChar(C, N); }
String MS(char C, int N) { return MakeStr(C, N); }

int NPos(const String& C, const String& S, int N)
{
  if (C.empty() || N < 1)
    return 0;
  size_t at = String::npos;
  for (int k = 0; k < N; ++k) {
    at = S.find(C, at == String::npos ? 0 : at + 1);
    if (at == String::npos)
      return 0;
  }
  return static_cast<int>(at) + 1;
}

String AddChar(char C, const String& S, int N)
{
  int missing = N - static_cast<int>(S.size());
  return missing > 0 ? MakeStr(C, missing) + S : S;
}

String AddCharR(char C, const String& S, int N)
{
  int missing = N - static_cast<int>(S.size());
  return missing > 0 ? S + MakeStr(C, missing) : S;
}

String LeftStr(const String& S, int N) { return AddCharR(' ', S, N); }
String RightStr(const String& S, int N) { return AddChar(' ', S, N); }

int CompStr(const String& S1, const String& S2)
{
  int r = std::strcoll(S1.c_str(), S2.c_str());
  return (r > 0) - (r < 0);
}

int CompText(const String& S1, const String& S2) { return CompStr(AnsiLowerCase(S1), AnsiLowerCase(S2)); }

String Copy2Symb(const String& S, char Symb) { return S.substr(0, S.find(Symb)); }

String Copy2SymbDel(String& S, char Symb)
{
  size_t at = S.find(Symb);
  String result = S.substr(0, at);
  S = at == String::npos ? String() : DelBSpace(S.substr(at + 1));
  return result;
}

String Copy2Space(const String& S) { return Copy2Symb(S, ' '); }
String Copy2SpaceDel(String& S) { return Copy2SymbDel(S, ' '); }

String AnsiProperCase(const String& S, const TCharSet& WordDelims)
{
  String lower = AnsiLowerCase(S);
  String result;
  bool wordStart = true;
  for (size_t i = 0; i < lower.size();) {
    // One UTF-8 character: a lead byte and its continuation bytes.
    size_t len = 1;
    while (i + len < lower.size() && (static_cast<unsigned char>(lower[i + len]) & 0xC0) == 0x80)
      ++len;
    String ch = lower.substr(i, len);
    bool delim = len == 1 && WordDelims.Contains(ch[0]);
    result += (wordStart && !delim) ? AnsiUpperCase(ch) : ch;
    wordStart = delim;
    i += len;
  }
  return result;
}

int WordCount(const String& S, const TCharSet& WordDelims)
{
  int count = 0;
  while (WordStart(count + 1, S, WordDelims) != String::npos)
    ++count;
  return count;
}

int WordPosition(int N, const String& S, const TCharSet& WordDelims)
{
  size_t start = WordStart(N, S, WordDelims);
  return start == String::npos ? 0 : static_cast<int>(start) + 1;
}

String ExtractWord(int N, const String& S, const TCharSet& WordDelims)
{
  int pos = 0;
  return ExtractWordPos(N, S, WordDelims, pos);
}

String ExtractWordPos(int N, const String& S, const TCharSet& WordDelims, int& Pos)
{
  size_t start = WordStart(N, S, WordDelims);
  Pos = start == String::npos ? 0 : static_cast<int>(start) + 1;
  if (start == String::npos)
    return String();
  return S.substr(start, WordEnd(start, S, WordDelims) - start);
}

String ExtractDelimited(int N, const String& S, const TCharSet& Delims)
{
  int field = 1;
  String result;
  for (char c : S) {
    if (Delims.Contains(c)) {
      if (++field > N)
        break;
    } else if (field == N) {
      result += c;
    }
  }
  return result;
}

String ExtractSubstr(const String& S, int& Pos, const TCharSet& Delims)
{
  size_t from = Pos < 1 ? 0 : static_cast<size_t>(Pos - 1);
  size_t i = from;
  while (i < S.size() && !Delims.Contains(S[i]))
    ++i;
  String result = from < S.size() ? S.substr(from, i - from) : String();
  if (i < S.size())
    ++i;
  Pos = static_cast<int>(i) + 1;
  return result;
}

bool IsWordPresent(const String& W, const String& S, const TCharSet& WordDelims)
{
  for (int n = 1;; ++n) {
    size_t start = WordStart(n, S, WordDelims);
    if (start == String::npos)
      return false;
    if (S.compare(start, WordEnd(start, S, WordDelims) - start, W) == 0)
      return true;
  }
}

String QuotedString(const String& S, char Quote) { return AnsiQuotedStr(S, Quote); }

String ExtractQuotedString(const String& S, char Quote)
{
  if (S.empty() || S[0] != Quote)
    return S;
  String result;
  for (size_t i = 1; i < S.size(); ++i) {
    if (S[i] != Quote) {
      result += S[i];
    } else if (i + 1 < S.size() && S[i + 1] == Quote) {
      result += Quote;
      ++i;
    } else {
      break;
    }
  }
  return result;
}

String Numb2USA(const String& S)
{
  String result = S;
  for (int i = static_cast<int>(S.size()) - 3; i > 0; i -= 3)
    result.insert(static_cast<size_t>(i), 1, ',');
  return result;
}

String CenterStr(const String& S, int Len)
{
  int len = static_cast<int>(S.size());
  if (len >= Len)
    return S;
  return AddCharR(' ', MakeStr(' ', Len / 2 - len / 2) + S, Len);
}

String Dec2Hex(int64_t N, int A) { return IntToHex(N, A); }
String D2H(int64_t N, int A) { return Dec2Hex(N, A); }

int64_t Hex2Dec(const String& S)
{
  // A "$" is put in front unless S has one; the text must then be "$" and hex digits only.
  String text = S.find('$') == String::npos ? "$" + S : S;
  if (text.size() < 2 || text[0] != '$')
    return 0;
  uint64_t value = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    int d = HexDigit(text[i]);
    if (d < 0)
      return 0;
    value = value * 16 + static_cast<uint64_t>(d);
  }
  return static_cast<int64_t>(value);
}

int64_t H2D(const String& S) { return Hex2Dec(S); }

String Dec2Numb(int64_t N, int A, int B)
{
  if (B < 2 || B > 36)
    throw EInvalidArgument("The number base must lie between 2 and 36");
  static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  String result;
  uint64_t n = static_cast<uint64_t>(N);
  do {
    result.insert(result.begin(), digits[n % static_cast<uint64_t>(B)]);
    n /= static_cast<uint64_t>(B);
  } while (n != 0);
  return AddChar('0', result, A);
}

int64_t Numb2Dec(const String& S, int B)
{
  int64_t result = 0;
  for (char c : UpperCase(S)) {
    int digit = c >= 'A' ? c - 'A' + 10 : c - '0';
    result = result * B + digit;
  }
  return result;
}

String IntToRoman(int Value)
{
  static const struct { int value; const char* text; } table[] = {
      {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
      {40, "XL"}, {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
  String result;
  for (const auto& step : table)
    for (; Value >= step.value; Value -= step.value)
      result += step.text;
  return result;
}

int RomanToInt(const String& S)
{
  bool negative = !S.empty() && S[0] == '-';
  int result = 0;
  for (size_t i = negative ? 1 : 0; i < S.size();) {
    int digit = RomanDigit(S[i]);
    int next = i + 1 < S.size() ? RomanDigit(S[i + 1]) : -1;
    if (digit == 0 || next == 0)
      return 0;
    if (digit < next) {
      result += next - digit;
      i += 2;
    } else {
      result += digit;
      ++i;
    }
  }
  return negative ? -result : result;
}

String IntToBin(int64_t Value, int Digits, int Spaces)
{
  if (Spaces < 1)
    throw EInvalidArgument("The group size must be positive");
  if (Digits > 32)
    Digits = 32;
  String result;
  for (int left = Digits; left > 0; --left) {
    if (left % Spaces == 0)
      result += ' ';
    result += ((Value >> (left - 1)) & 1) ? '1' : '0';
  }
  return result;
}

int FindPart(const String& HelpWilds, const String& InputStr)
{
  if (HelpWilds.size() > InputStr.size())
    return 0;
  for (size_t at = 0; at + HelpWilds.size() <= InputStr.size(); ++at) {
    size_t k = 0;
    while (k < HelpWilds.size() && (HelpWilds[k] == '?' || HelpWilds[k] == InputStr[at + k]))
      ++k;
    if (k == HelpWilds.size())
      return static_cast<int>(at) + 1;
  }
  return 0;
}

bool IsWild(const String& InputStr, const String& Wilds, bool IgnoreCase)
{
  if (InputStr == Wilds)
    return true;
  return IgnoreCase ? WildMatch(UpperCase(InputStr), UpperCase(Wilds)) : WildMatch(InputStr, Wilds);
}

String XorString(const String& Key, const String& Src)
{
  String result = Src.substr(0, 255);
  for (size_t i = 0; i < result.size(); ++i)
    result[i] = static_cast<char>(result[i] ^ KeyChar(Key, i));
  return result;
}

String XorEncode(const String& Key, const String& Source)
{
  static const char hex[] = "0123456789ABCDEF";
  String result;
  for (size_t i = 0; i < Source.size(); ++i) {
    auto c = static_cast<unsigned char>(Source[i] ^ KeyChar(Key, i));
    result += hex[c >> 4];
    result += hex[c & 15];
  }
  return result;
}

String XorDecode(const String& Key, const String& Source)
{
  String result;
  for (size_t i = 0; i < Source.size(); i += 2)
    result += static_cast<char>(HexPair(Source, i) ^ KeyChar(Key, i / 2));
  return result;
}

String GetCmdLineArg(const String& Switch, const TCharSet& SwitchChars)
{
  int count = ParamCount();
  for (int i = 1; i < count; ++i) {
    String p = ParamStr(i);
    if (p.size() >= 2 && SwitchChars.Contains(p[0]) && SameText(p.substr(1), Switch))
      return ParamStr(i + 1);
  }
  return String();
}
