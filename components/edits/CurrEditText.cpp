// The number-text rules of the numeric edits. Everything here reads the locale's decimal and
// thousands separators at the call, so a test or a locale change applies at once.
#include "components/edits/CurrEditText.h"

#include "components/edits/Vtcconst.h"
#include "components/common/Vtstrutils.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"
#include "rtl/ResStrings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace {

const String& DecimalSep() { return Locale().DecimalSeparator; }
const String& ThousandSep() { return Locale().ThousandSeparator; }

String ReplaceAll(const String& S, const String& From, const String& To)
{
  return StringReplace(S, From, To, {rfReplaceAll});
}

// The blanks a locale may group thousands with: a user typing the number writes any of them.
const char* const kGroupingBlanks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};

// S without its thousands separators; where they are a blank, without any blank.
String WithoutThousandSeparators(const String& S, const String& thousands)
{
  const bool blank = std::any_of(std::begin(kGroupingBlanks), std::end(kGroupingBlanks),
                                 [&](const char* b) { return thousands == b; });
  if (!blank)
    return ReplaceAll(S, thousands, "");
  String r = S;
  for (const char* b : kGroupingBlanks)
    r = ReplaceAll(r, b, "");
  return r;
}

// Digits after the decimal separator, up to an exponent.
size_t FractionDigits(const String& S)
{
  size_t dot = S.find(DecimalSep());
  if (dot == String::npos)
    return 0;
  size_t start = dot + DecimalSep().size();
  size_t end = S.find_first_of("Ee", start);
  return (end == String::npos ? S.size() : end) - start;
}

bool OnlyNumberChars(const String& S)
{
  return std::all_of(S.begin(), S.end(), [](char c) { return c != 0 && std::strchr("+-0123456789Ee", c); });
}

// "0" before a decimal separator that starts the number, after its sign if it has one.
String WithLeadingZero(const String& S, const String& dec)
{
  const size_t digits = (!S.empty() && (S[0] == '-' || S[0] == '+')) ? 1 : 0;
  if (S.compare(digits, dec.size(), dec) != 0)
    return S;
  return S.substr(0, digits) + "0" + S.substr(digits);
}

} // namespace

String TextToValText(const String& S) { return vt::TextToValTextIn(S, vt::LocaleSeparators()); }

namespace vt {

NumberSeparators LocaleSeparators() { return {DecimalSep(), ThousandSep()}; }

String TextToValTextIn(const String& S, const NumberSeparators& Separators)
{
  String r = TrimRight(S);
  const String& dec = Separators.Decimal;
  const String& thou = Separators.Thousands;
  if (dec != thou)
    r = WithoutThousandSeparators(r, thou);
  if (dec != "." && thou != ".")
    r = ReplaceAll(r, ".", dec);
  if (dec != "," && thou != ",")
    r = ReplaceAll(r, ",", dec);
  if (r.empty())
    return "0";
  if (r == "-")
    return "-0";
  return dec.empty() ? r : WithLeadingZero(r, dec);
}

String LocaleNumberText(const String& S, const NumberSeparators& From)
{
  const String text = TextToValTextIn(S, From);
  return From.Decimal.empty() ? text : ReplaceAll(text, From.Decimal, DecimalSep());
}

long double CheckValue(long double NewValue, const NumRange& Range, unsigned DecimalPlaces,
                       bool RaiseOnError)
{
  long double R = NewValue;
  const long double lo = Range.MinValue, hi = Range.MaxValue;
  if (hi > lo) {
    if (R < lo)
      R = lo;
    else if (R > hi)
      R = hi;
  } else if (hi < lo) {
    if (hi == 0 && R < lo)
      R = lo;
    else if (hi != 0 && lo == 0 && R > hi)
      R = hi;
  }
  if (RaiseOnError && R != NewValue) {
    // The text's "%d" places take the bounds with DecimalPlaces fraction digits ("%.*f").
    String message = LoadStr(SOutOfRange);
    for (long double bound : {lo, hi}) {
      size_t at = message.find("%d");
      if (at != String::npos)
        message.replace(at, 2, FloatToStrF(bound, ffFixed, 18, static_cast<int>(DecimalPlaces)));
    }
    throw ERangeError(message);
  }
  return R;
}

String TextAfterKey(const String& Text, int SelStart, int SelLength, char Key)
{
  size_t start = SelStart < 0 ? 0 : std::min(static_cast<size_t>(SelStart), Text.size());
  size_t len = SelLength < 0 ? 0 : static_cast<size_t>(SelLength);
  String S = Text;
  S.erase(start, len);
  S.insert(start, 1, Key);
  return S;
}

bool IsValidNumText(const String& Text, unsigned DecimalPlaces, const NumRange& Range)
{
  String S = TextToValText(Text);
  if (FractionDigits(S) > DecimalPlaces)
    return false;
  long double value = 0;
  if (S.size() > 63 || !OnlyNumberChars(ReplaceAll(S, DecimalSep(), "")) || !TryStrToFloat(S, value))
    return false;
  // The sign bit also catches "-0", the text of a lone minus sign.
  return !(Range.MinValue >= 0 && Range.MaxValue > 0 && std::signbit(value));
}

String EditingText(long double Value, unsigned DecimalPlaces, bool ZeroEmpty)
{
  if (Value == 0 && ZeroEmpty)
    return String();
  String format = "0";
  if (DecimalPlaces > 0)
    format += "." + String(DecimalPlaces, '#');
  return FormatFloat(format, Value);
}

String FormatDisplayText(long double Value, const String& DisplayFormat)
{
  return DisplayFormat.empty() ? FloatToStr(Value) : FormatFloat(DisplayFormat, Value);
}

String GroupEditText(const String& S, bool Group)
{
  if (S.empty() || S == "-")
    return S;
  String text = TextToValText(S);
  size_t signLen = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  size_t intEnd = std::min({text.find(DecimalSep(), signLen), text.find_first_of("Ee", signLen), text.size()});
  String digits = text.substr(signLen, intEnd - signLen);
  if (Group)
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
      digits.insert(static_cast<size_t>(i), ThousandSep());
  return text.substr(0, signLen) + digits + text.substr(intEnd);
}

String CurrencyDisplayFormat()
{
  const FormatSettings& fs = Locale();
  String F = ",0." + String(static_cast<size_t>(fs.CurrencyDecimals), '0');
  String C;
  for (char c : fs.CurrencyString)
    C += (c == ',' || c == '.') ? String("'") + c + "'" : String(1, c);
  if (!C.empty()) {
    switch (fs.CurrencyFormat) {
    case 0: F = C + F; break;
    case 1: F = F + C; break;
    case 2: F = C + " " + F; break;
    case 3: F = F + " " + C; break;
    default: break;
    }
  }
  return F + ";-" + F;
}

bool IsCalculatorKey(char Key)
{
  char up = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
  const String key(1, up);
  // "." is the decimal point of any calculator; another thousands separator is no key of it.
  if (key == ThousandSep() && up != '.')
    return false;
  return key == DecimalSep() || (up != 0 && std::strchr("\b\r%*+,-./0123456789=CQR_", up));
}

} // namespace vt
