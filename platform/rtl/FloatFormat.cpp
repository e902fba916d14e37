// Floating-point text conversion. Every format starts from the same decimal expansion: the
// value's 18 significant digits (as the class library takes them from an extended value),
// then rounded half away from zero to the digits the format keeps.
#include "rtl/FloatFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

constexpr int MaxPrecision = 18;
// A picture without exponent shows at most this many significant digits, as the class library
// does, so a value that went through a double (74.3 as 74.2999999999999971578) shows as typed.
constexpr int PicturePrecision = 15;
constexpr int Unlimited = 9999;

// value = 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty for zero.
struct Decimal {
    bool Negative = false;
    int Exponent = 0;
    String Digits;
    bool IsZero() const { return Digits.empty(); }
};

// Keeps at most `precision` significant digits and at most `decimals` after the point.
Decimal ToDecimal(long double value, int precision, int decimals)
{
    Decimal result;
    if (value == 0)
        return result;
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                             std::chars_format::scientific, MaxPrecision - 1)
                   .ptr;
    String text(buffer, end);
    std::size_t e = text.find('e');
    String digits = text.substr(0, 1) + text.substr(2, e - 2);
    int exponent = std::atoi(text.c_str() + e + 1) + 1;

    int keep = std::min({precision, MaxPrecision, exponent + std::min(decimals, Unlimited)});
    if (keep < 0)
        return result;
    bool roundUp = static_cast<std::size_t>(keep) < digits.size() && digits[keep] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.find_first_not_of('0') == String::npos)
        return result;
    result.Negative = value < 0;
    result.Exponent = exponent;
    result.Digits = digits;
    return result;
}

char DigitAt(const Decimal& d, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < d.Digits.size() ? d.Digits[index] : '0';
}

String SpecialValue(long double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

String GroupThousands(const String& integerDigits, const String& separator)
{
    String result;
    std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        result += integerDigits[i];
        std::size_t remaining = n - 1 - i;
        if (remaining > 0 && remaining % 3 == 0)
            result += separator;
    }
    return result;
}

String ExponentText(int exponent, int minDigits, bool alwaysSign)
{
    String digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    String sign = exponent < 0 ? "-" : (alwaysSign ? "+" : "");
    return "E" + sign + digits;
}

String SignPrefix(const Decimal& d)
{
    return d.Negative ? "-" : "";
}

String FormatGeneral(long double value, int precision, int digits)
{
    const FormatSettings& fs = Locale();
    Decimal d = ToDecimal(value, precision, Unlimited);
    if (d.IsZero())
        return "0";
    int count = static_cast<int>(d.Digits.size());
    if (d.Exponent > precision || d.Exponent < -3) {
        String mantissa = d.Digits.substr(0, 1);
        if (count > 1)
            mantissa += fs.DecimalSeparator + d.Digits.substr(1);
        return SignPrefix(d) + mantissa + ExponentText(d.Exponent - 1, digits, false);
    }
    String integer, fraction;
    if (d.Exponent <= 0) {
        integer = "0";
        fraction = String(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            integer += DigitAt(d, i);
        if (count > d.Exponent)
            fraction = d.Digits.substr(static_cast<std::size_t>(d.Exponent));
    }
    return SignPrefix(d) + integer + (fraction.empty() ? "" : fs.DecimalSeparator + fraction);
}

String FormatExponent(long double value, int precision, int digits)
{
    Decimal d = ToDecimal(value, precision, Unlimited);
    String mantissa(1, DigitAt(d, 0));
    if (precision > 1) {
        mantissa += Locale().DecimalSeparator;
        for (int i = 1; i < precision; ++i)
            mantissa += DigitAt(d, i);
    }
    int exponent = d.IsZero() ? 0 : d.Exponent - 1;
    return SignPrefix(d) + mantissa + ExponentText(exponent, digits, true);
}

// The unsigned amount with `decimals` decimals, grouped when asked.
String FixedDigits(const Decimal& d, int decimals, bool grouped)
{
    const FormatSettings& fs = Locale();
    String integer;
    for (int i = 0; i < d.Exponent; ++i)
        integer += DigitAt(d, i);
    if (integer.empty())
        integer = "0";
    if (grouped)
        integer = GroupThousands(integer, fs.ThousandSeparator);
    if (decimals <= 0)
        return integer;
    String fraction;
    for (int i = 0; i < decimals; ++i)
        fraction += DigitAt(d, d.Exponent + i);
    return integer + fs.DecimalSeparator + fraction;
}

String CurrencyText(const String& amount, bool negative)
{
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negativeForms[] = {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$",
                                                "1-$",  "1$-", "-1 $", "-$ 1", "1 $-", "$ 1-",
                                                "$ -1", "1- $", "($ 1)", "(1 $)"};
    const FormatSettings& fs = Locale();
    const char* pattern = negative ? negativeForms[std::clamp(fs.NegCurrFormat, 0, 15)]
                                   : positive[std::clamp(fs.CurrencyFormat, 0, 3)];
    String result;
    for (const char* p = pattern; *p != 0; ++p) {
        if (*p == '1')
            result += amount;
        else if (*p == '$')
            result += fs.CurrencyString;
        else
            result += *p;
    }
    return result;
}

}  // namespace

String FloatToStrF(long double value, TFloatFormat format, int precision, int digits)
{
    if (!std::isfinite(value))
        return SpecialValue(value);
    precision = std::clamp(precision, 1, MaxPrecision);
    switch (format) {
    case ffGeneral:
        return FormatGeneral(value, precision, std::clamp(digits, 0, 4));
    case ffExponent:
        return FormatExponent(value, precision, std::clamp(digits, 0, 4));
    case ffFixed:
    case ffNumber:
    case ffCurrency:
        break;
    }
    digits = std::clamp(digits, 0, MaxPrecision);
    Decimal d = ToDecimal(value, precision, digits);
    // Too many integer digits for the precision: the class library falls back to general.
    if (d.Exponent > precision)
        return FormatGeneral(value, precision, 0);
    String amount = FixedDigits(d, digits, format != ffFixed);
    if (format == ffCurrency)
        return CurrencyText(amount, d.Negative);
    return SignPrefix(d) + amount;
}

String FloatToStr(long double value)
{
    return FloatToStrF(value, ffGeneral, 15, 0);
}

bool TryStrToFloat(const String& s, long double& value)
{
    const String& decimal = Locale().DecimalSeparator;
    String text = Trim(s);
    // Checked by hand: from_chars alone would take "inf", "nan" and hexadecimal forms.
    String plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    bool digitsSeen = false;
    bool pointSeen = false;
    while (i < text.size()) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digitsSeen = true;
            plain += c;
            ++i;
        } else if (!pointSeen && !decimal.empty() && text.compare(i, decimal.size(), decimal) == 0) {
            pointSeen = true;
            plain += '.';
            i += decimal.size();
        } else {
            break;
        }
    }
    if (!digitsSeen)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        std::size_t expStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            plain += text[i++];
        if (i == expStart)
            return false;
    }
    if (i != text.size())
        return false;
    const char* first = plain.c_str() + (plain[0] == '+' ? 1 : 0);
    long double result;
    auto [end, error] = std::from_chars(first, plain.c_str() + plain.size(), result);
    if (error != std::errc() || end != plain.c_str() + plain.size())
        return false;
    // Numbers are stored as doubles: one beyond their range is as unreadable as any other text.
    if (std::fabs(result) > std::numeric_limits<double>::max())
        return false;
    value = result;
    return true;
}

bool TryStrToFloat(const String& s, double& value)
{
    long double wide;
    if (!TryStrToFloat(s, wide))
        return false;
    value = static_cast<double>(wide);
    return true;
}

long double StrToFloat(const String& s)
{
    long double value;
    if (!TryStrToFloat(s, value))
        throw EConvertError("'" + s + "' is not a valid floating point value");
    return value;
}

long double StrToFloatDef(const String& s, long double defaultValue)
{
    long double value;
    return TryStrToFloat(s, value) ? value : defaultValue;
}

// ---- Picture formats ----

namespace {

// What one section of a picture asks for.
struct Picture {
    int IntPlaces = 0;   // "0" and "#" before the point
    int MinInt = 0;      // integer digits always shown: from the first "0" to the point
    int FracPlaces = 0;  // placeholders after the point: the most decimals shown
    int MinFrac = 0;     // decimals always shown: up to the last "0"
    bool Thousands = false;
    bool Scientific = false;
};

std::size_t SkipQuoted(const String& section, std::size_t at)
{
    std::size_t end = section.find(section[at], at + 1);
    return end == String::npos ? section.size() : end;
}

bool IsExponentAt(const String& section, std::size_t at)
{
    return (section[at] == 'E' || section[at] == 'e') && at + 1 < section.size() &&
           (section[at + 1] == '+' || section[at + 1] == '-');
}

Picture Analyse(const String& section)
{
    Picture p;
    bool afterPoint = false;
    int firstIntZero = -1;
    for (std::size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (c == '"' || c == '\'') {
            i = SkipQuoted(section, i);
        } else if (IsExponentAt(section, i)) {
            p.Scientific = true;
            break;
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            p.Thousands = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++p.FracPlaces;
                if (c == '0')
                    p.MinFrac = p.FracPlaces;
            } else {
                if (c == '0' && firstIntZero < 0)
                    firstIntZero = p.IntPlaces;
                ++p.IntPlaces;
            }
        }
    }
    p.MinInt = firstIntZero < 0 ? 0 : p.IntPlaces - firstIntZero;
    return p;
}

struct PictureDigits {
    String Integer;
    String Fraction;
    int Exponent = 0;
    bool Zero = true;
};

PictureDigits Digitise(long double magnitude, const Picture& p)
{
    PictureDigits out;
    Decimal d;
    int integerCount;
    if (p.Scientific) {
        d = ToDecimal(magnitude, std::max(1, p.IntPlaces + p.FracPlaces), Unlimited);
        integerCount = p.IntPlaces;
        out.Exponent = d.IsZero() ? 0 : d.Exponent - p.IntPlaces;
    } else {
        d = ToDecimal(magnitude, PicturePrecision, p.FracPlaces);
        integerCount = d.Exponent;
    }
    out.Zero = d.IsZero();
    for (int i = 0; i < integerCount; ++i)
        out.Integer += DigitAt(d, i);
    if (static_cast<int>(out.Integer.size()) < p.MinInt)
        out.Integer.insert(0, static_cast<std::size_t>(p.MinInt) - out.Integer.size(), '0');
    for (int i = 0; i < p.FracPlaces; ++i)
        out.Fraction += DigitAt(d, integerCount + i);
    while (static_cast<int>(out.Fraction.size()) > p.MinFrac && out.Fraction.back() == '0')
        out.Fraction.pop_back();
    return out;
}

// Walks the section, putting digits at the placeholders and copying everything else.
class PictureWriter {
public:
    PictureWriter(const Picture& p, const PictureDigits& digits) : FPicture(p), FDigits(digits) {}

    String Write(const String& section)
    {
        bool afterPoint = false;
        bool afterExponent = false;
        for (std::size_t i = 0; i < section.size(); ++i) {
            char c = section[i];
            if (c == '"' || c == '\'') {
                std::size_t end = SkipQuoted(section, i);
                FOut.append(section, i + 1, end - i - 1);
                i = end;
            } else if (IsExponentAt(section, i)) {
                i = WriteExponent(section, i);
                afterExponent = true;
            } else if (c == '0' || c == '#') {
                // Analyse counts no places after the exponent: they have no digit to show.
                if (afterExponent)
                    continue;
                if (afterPoint)
                    WriteFractionDigit();
                else
                    WriteIntegerPlace();
            } else if (c == '.' && !afterPoint) {
                afterPoint = true;
                WriteLeadingDigits();
                if (!FDigits.Fraction.empty())
                    FOut += Locale().DecimalSeparator;
            } else if (c != ',') {
                FOut += c;
            }
        }
        WriteLeadingDigits();
        return FOut;
    }

private:
    void WriteDigit(int position)
    {
        const String& integer = FDigits.Integer;
        FOut += integer[integer.size() - 1 - static_cast<std::size_t>(position)];
        if (FPicture.Thousands && position > 0 && position % 3 == 0)
            FOut += Locale().ThousandSeparator;
    }

    // Integer digits beyond the placeholders go before the first of them.
    void WriteLeadingDigits()
    {
        if (FLeadingDone)
            return;
        FLeadingDone = true;
        for (int position = static_cast<int>(FDigits.Integer.size()) - 1;
             position >= FPicture.IntPlaces; --position)
            WriteDigit(position);
    }

    void WriteIntegerPlace()
    {
        WriteLeadingDigits();
        int position = FPicture.IntPlaces - 1 - FIntegerIndex++;
        if (position < static_cast<int>(FDigits.Integer.size()))
            WriteDigit(position);
    }

    void WriteFractionDigit()
    {
        if (static_cast<std::size_t>(FFractionIndex) < FDigits.Fraction.size())
            FOut += FDigits.Fraction[static_cast<std::size_t>(FFractionIndex)];
        ++FFractionIndex;
    }

    std::size_t WriteExponent(const String& section, std::size_t at)
    {
        WriteLeadingDigits();
        bool alwaysSign = section[at + 1] == '+';
        std::size_t i = at + 2;
        int minDigits = 0;
        while (i < section.size() && section[i] == '0') {
            ++minDigits;
            ++i;
        }
        String text = ExponentText(FDigits.Exponent, minDigits, alwaysSign);
        text[0] = section[at];
        FOut += text;
        return i - 1;
    }

    const Picture& FPicture;
    const PictureDigits& FDigits;
    String FOut;
    bool FLeadingDone = false;
    int FIntegerIndex = 0;
    int FFractionIndex = 0;
};

std::vector<String> SplitSections(const String& format)
{
    std::vector<String> sections(1);
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '"' || c == '\'') {
            std::size_t end = SkipQuoted(format, i);
            sections.back().append(format, i, end - i + 1);
            i = end;
        } else if (c == ';') {
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

String FormatSection(const String& section, const Picture& p, const PictureDigits& digits,
                     bool minus)
{
    return (minus ? "-" : "") + PictureWriter(p, digits).Write(section);
}

}  // namespace

String FormatFloat(const String& format, long double value)
{
    if (!std::isfinite(value))
        return SpecialValue(value);
    if (format.empty())
        return FloatToStr(value);
    std::vector<String> sections = SplitSections(format);
    const String& positive = sections[0];
    auto given = [&](std::size_t i) { return i < sections.size() && !sections[i].empty(); };

    Picture p = Analyse(positive);
    PictureDigits digits = Digitise(std::fabs(value), p);
    // A value that shows as zero in the positive picture takes the zero section.
    if (digits.Zero) {
        if (!given(2))
            return FormatSection(positive, p, digits, false);
        Picture zp = Analyse(sections[2]);
        return FormatSection(sections[2], zp, Digitise(0, zp), false);
    }
    if (value > 0)
        return FormatSection(positive, p, digits, false);
    if (!given(1))
        return FormatSection(positive, p, digits, true);
    Picture np = Analyse(sections[1]);
    return FormatSection(sections[1], np, Digitise(std::fabs(value), np), false);
}
