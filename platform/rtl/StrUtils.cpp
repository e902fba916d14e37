// String routines of the runtime library: trimming, case folding, comparison, 1-based
// copying and searching, and conversions between integers and text.
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/LocaleCollation.h"

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Latin-1 letters in UTF-8 are 0xC3 followed by 0x80..0x9E (capitals) or 0xA0..0xBE (small);
// 0x97 and 0xB7 are the multiplication and division signs.
constexpr unsigned char Utf8Latin1Lead = 0xC3;

bool IsLatin1Capital(unsigned char c)
{
    return c >= 0x80 && c <= 0x9E && c != 0x97;
}

bool IsLatin1Small(unsigned char c)
{
    return c >= 0xA0 && c <= 0xBE && c != 0xB7;
}

enum class CaseMap { Upper, Lower, Swap };

// One byte as UpperCase maps it: only ASCII letters change.
unsigned char UpperAscii(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return u < 0x80 && std::islower(u) ? static_cast<unsigned char>(std::toupper(u)) : u;
}

String MapCase(const String& s, CaseMap map, bool latin1)
{
    String result = s;
    for (std::size_t i = 0; i < result.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(result[i]);
        bool upper = map != CaseMap::Lower;
        bool lower = map != CaseMap::Upper;
        if (c < 0x80) {
            if (upper && std::islower(c))
                result[i] = static_cast<char>(std::toupper(c));
            else if (lower && std::isupper(c))
                result[i] = static_cast<char>(std::tolower(c));
        } else if (latin1 && c == Utf8Latin1Lead && i + 1 < result.size()) {
            unsigned char& next = reinterpret_cast<unsigned char&>(result[++i]);
            if (upper && IsLatin1Small(next))
                next -= 0x20;
            else if (lower && IsLatin1Capital(next))
                next += 0x20;
        }
    }
    return result;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

[[noreturn]] void RaiseNotInteger(const String& s)
{
    throw EConvertError("'" + s + "' is not a valid integer value");
}

}  // namespace

String TrimLeft(const String& s)
{
    auto first = std::find_if_not(s.begin(), s.end(), IsBlank);
    return String(first, s.end());
}

String TrimRight(const String& s)
{
    auto last = std::find_if_not(s.rbegin(), s.rend(), IsBlank);
    return String(s.begin(), last.base());
}

String Trim(const String& s)
{
    return TrimLeft(TrimRight(s));
}

String UpperCase(const String& s)
{
    return MapCase(s, CaseMap::Upper, false);
}

String LowerCase(const String& s)
{
    return MapCase(s, CaseMap::Lower, false);
}

String AnsiUpperCase(const String& s)
{
    return MapCase(s, CaseMap::Upper, true);
}

String AnsiLowerCase(const String& s)
{
    return MapCase(s, CaseMap::Lower, true);
}

int CompareStr(const String& a, const String& b)
{
    return Sign(a.compare(b));
}

// Compares as CompareStr(UpperCase(a), UpperCase(b)) would, without making the copies: it is
// called per field and per row by name lookups.
int CompareText(const String& a, const String& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        unsigned char x = UpperAscii(a[i]), y = UpperAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

bool SameText(const String& a, const String& b)
{
    return CompareText(a, b) == 0;
}

// Ordered as the locale's collation orders: by letters first, then a small letter before
// its capital ("a" < "A" < "b").
int AnsiCompareStr(const String& a, const String& b)
{
    return LocaleCompare(a, b, false);
}

int AnsiCompareText(const String& a, const String& b)
{
    return LocaleCompare(a, b, true);
}

// Equal as AnsiLowerCase(a) == AnsiLowerCase(b) would be. Locate calls it per row, so the ASCII
// part is compared in place; from the first other byte on, the lowered copies of the rests
// decide (the parts before it are single-byte letters, so the rests start on a character).
bool AnsiSameText(const String& a, const String& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80)
            return AnsiLowerCase(a.substr(i)) == AnsiLowerCase(b.substr(i));
        if (std::tolower(x) != std::tolower(y))
            return false;
    }
    return a.size() == b.size();
}

String Copy(const String& s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || static_cast<std::size_t>(index) > s.size())
        return String();
    return s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

int Pos(const String& sub, const String& s)
{
    if (sub.empty())
        return 0;
    std::size_t at = s.find(sub);
    return at == String::npos ? 0 : static_cast<int>(at) + 1;
}

String StringOfChar(char ch, int count)
{
    return count > 0 ? String(static_cast<std::size_t>(count), ch) : String();
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags)
{
    if (oldPattern.empty())
        return s;
    // Case folding keeps byte lengths, so positions found in the folded text fit the original.
    bool ignoreCase = flags.Contains(rfIgnoreCase);
    const String haystack = ignoreCase ? AnsiUpperCase(s) : s;
    const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
    String result;
    std::size_t from = 0;
    while (true) {
        std::size_t at = haystack.find(needle, from);
        if (at == String::npos)
            break;
        result.append(s, from, at - from).append(newPattern);
        from = at + needle.size();
        if (!flags.Contains(rfReplaceAll))
            break;
    }
    return result.append(s, from, String::npos);
}

String IntToStr(std::int64_t value)
{
    return std::to_string(value);
}

String IntToHex(std::int64_t value, int digits)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    std::uint64_t bits = static_cast<std::uint64_t>(value);
    String result;
    do {
        result.insert(result.begin(), hexDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    if (static_cast<int>(result.size()) < digits)
        result.insert(0, static_cast<std::size_t>(digits) - result.size(), '0');
    return result;
}

// Leading blanks, a sign, then decimal digits or hexadecimal after "$" or "0x".
bool TryStrToInt64(const String& s, std::int64_t& value)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    unsigned base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size())
        return false;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = static_cast<unsigned>(std::toupper(c) - 'A' + 10);
        else
            return false;
        if (magnitude > (limit - digit) / base)
            return false;
        magnitude = magnitude * base + digit;
    }
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const String& s, int& value)
{
    std::int64_t wide;
    if (!TryStrToInt64(s, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

std::int64_t StrToInt64(const String& s)
{
    std::int64_t value;
    if (!TryStrToInt64(s, value))
        RaiseNotInteger(s);
    return value;
}

int StrToInt(const String& s)
{
    int value;
    if (!TryStrToInt(s, value))
        RaiseNotInteger(s);
    return value;
}

int StrToIntDef(const String& s, int defaultValue)
{
    int value;
    return TryStrToInt(s, value) ? value : defaultValue;
}

std::int64_t StrToInt64Def(const String& s, std::int64_t defaultValue)
{
    std::int64_t value;
    return TryStrToInt64(s, value) ? value : defaultValue;
}

String AnsiQuotedStr(const String& s, char quote)
{
    String result(1, quote);
    for (char c : s) {
        result += c;
        if (c == quote)
            result += quote;
    }
    return result + quote;
}

String QuotedStr(const String& s)
{
    return AnsiQuotedStr(s, '\'');
}
