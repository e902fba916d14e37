// String routines of the runtime library. String is UTF-8 in a std::string; positions and
// Copy are 1-based as in the class library. The Ansi* case forms also fold accented Latin
// letters; AnsiCompareStr and AnsiCompareText order as the user's locale does.
#pragma once

#include <cstdint>
#include <string>

#include "rtl/Set.h"

using String = std::string;

String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

String UpperCase(const String& s);
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);

// Compare results: < 0, 0 or > 0.
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

// Copy(s, 1, 3) gives the first three characters; an index below 1 counts from 1.
String Copy(const String& s, int index, int count);
// 1-based position of sub in s, 0 when absent.
int Pos(const String& sub, const String& s);
String StringOfChar(char ch, int count);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = Set<TReplaceFlag>;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);

String IntToStr(std::int64_t value);
String IntToHex(std::int64_t value, int digits);
// Leading blanks are accepted; anything else raises EConvertError.
int StrToInt(const String& s);
std::int64_t StrToInt64(const String& s);
int StrToIntDef(const String& s, int defaultValue);
std::int64_t StrToInt64Def(const String& s, std::int64_t defaultValue);
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, std::int64_t& value);

// s between quote characters, each quote inside doubled.
String AnsiQuotedStr(const String& s, char quote);
String QuotedStr(const String& s);
