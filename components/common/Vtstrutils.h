// String routines of the component library: blanks, padding, words and delimited fields,
// number bases, Roman numerals, wildcards, a keyed XOR text encoding, command-line switches.
// Positions count from 1 and 0 means "not found", as in the class library.
#pragma once

#include "rtl/StrUtils.h"

#include <bitset>
#include <cstdint>
#include <initializer_list>

// A set of single-byte characters (delimiters, blanks).
class TCharSet {
public:
  TCharSet() = default;
  TCharSet(std::initializer_list<char> chars)
  {
    for (char c : chars)
      bits_.set(static_cast<unsigned char>(c));
  }
  bool Contains(char c) const { return bits_.test(static_cast<unsigned char>(c)); }

private:
  std::bitset<256> bits_;
};

// Text is UTF-8 throughout, so there is no OEM code page to convert to: both return S.
String StrToOem(const String& S);
String OemToAnsiStr(const String& S);

bool IsEmptyStr(const String& S, const TCharSet& EmptyChars);
String ReplaceStr(const String& S, const String& Srch, const String& Replace);
String DelSpace(const String& S);
String DelChars(const String& S, char Chr);
String DelBSpace(const String& S);
String DelESpace(const String& S);
String DelRSpace(const String& S);
String DelSpace1(const String& S);
String Tab2Space(const String& S, int Numb);
String MakeStr(char C, int N);
String MS(char C, int N);
int NPos(const String& C, const String& S, int N);
String AddChar(char C, const String& S, int N);
String AddCharR(char C, const String& S, int N);
String LeftStr(const String& S, int N);
String RightStr(const String& S, int N);
int CompStr(const String& S1, const String& S2);
int CompText(const String& S1, const String& S2);
String Copy2Symb(const String& S, char Symb);
String Copy2SymbDel(String& S, char Symb);
String Copy2Space(const String& S);
String Copy2SpaceDel(String& S);
String AnsiProperCase(const String& S, const TCharSet& WordDelims);
int WordCount(const String& S, const TCharSet& WordDelims);
int WordPosition(int N, const String& S, const TCharSet& WordDelims);
String ExtractWord(int N, const String& S, const TCharSet& WordDelims);
String ExtractWordPos(int N, const String& S, const TCharSet& WordDelims, int& Pos);
String ExtractDelimited(int N, const String& S, const TCharSet& Delims);
String ExtractSubstr(const String& S, int& Pos, const TCharSet& Delims);
bool IsWordPresent(const String& W, const String& S, const TCharSet& WordDelims);
String QuotedString(const String& S, char Quote);
String ExtractQuotedString(const String& S, char Quote);
String Numb2USA(const String& S);
String CenterStr(const String& S, int Len);
String Dec2Hex(int64_t N, int A);
String D2H(int64_t N, int A);
int64_t Hex2Dec(const String& S);
int64_t H2D(const String& S);
// B must lie in 2..36, Spaces (IntToBin) must be positive: EInvalidArgument otherwise.
String Dec2Numb(int64_t N, int A, int B);
int64_t Numb2Dec(const String& S, int B);
String IntToRoman(int Value);
int RomanToInt(const String& S);
String IntToBin(int64_t Value, int Digits, int Spaces);
int FindPart(const String& HelpWilds, const String& InputStr);
bool IsWild(const String& InputStr, const String& Wilds, bool IgnoreCase);
String XorString(const String& Key, const String& Src);
String XorEncode(const String& Key, const String& Source);
String XorDecode(const String& Key, const String& Source);
String GetCmdLineArg(const String& Switch, const TCharSet& SwitchChars);
