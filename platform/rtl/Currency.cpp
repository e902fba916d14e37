// Currency values: exact decimal reading of text and of a float's shortest decimal form,
// rounding half away from zero at the fourth decimal, checked 64-bit arithmetic.
#include "rtl/Currency.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

namespace {

enum class Reading { Exact, NotANumber, OutOfRange };

// Digits with at most one decimal separator and an optional exponent, the whole text, read as a
// count of 1/10,000 rounded half away from zero.
Reading ReadDecimal(std::string_view text, char decimalSeparator, std::int64_t& count)
{
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    std::string_view::size_type start = i;
    String digits;  // without leading zeros
    int fractionDigits = 0;
    bool pointSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (!digits.empty() || c != '0')
                digits += c;
            if (pointSeen)
                ++fractionDigits;
        } else if (c == decimalSeparator && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (i == start + (pointSeen ? 1 : 0))
        return Reading::NotANumber;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        const std::size_t exponentStart = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000L);
        if (i == exponentStart)
            return Reading::NotANumber;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return Reading::NotANumber;

    // value = digits x 10^(shift - 4)
    const long shift = exponent - fractionDigits + 4;
    const long kept = static_cast<long>(digits.size()) + std::min(shift, 0L);
    if (digits.empty() || kept < 0) {
        count = 0;
        return Reading::Exact;
    }
    if (kept + std::max(shift, 0L) > 20)
        return Reading::OutOfRange;
    unsigned long long magnitude = 0;
    bool overflow = false;
    const auto append = [&](unsigned digit) {
        overflow = overflow || __builtin_mul_overflow(magnitude, 10ULL, &magnitude) ||
                   __builtin_add_overflow(magnitude, digit, &magnitude);
    };
    for (long d = 0; d < kept; ++d)
        append(static_cast<unsigned>(digits[d] - '0'));
    for (long s = 0; s < shift; ++s)
        append(0);
    if (kept < static_cast<long>(digits.size()) && digits[kept] >= '5')
        overflow = overflow || __builtin_add_overflow(magnitude, 1ULL, &magnitude);
    const unsigned long long limit = static_cast<unsigned long long>(INT64_MAX) + (negative ? 1 : 0);
    if (overflow || magnitude > limit)
        return Reading::OutOfRange;
    count = negative ? static_cast<std::int64_t>(0ULL - magnitude) : static_cast<std::int64_t>(magnitude);
    return Reading::Exact;
}

// The shortest text that reads back as the value: of the double when the value is one (a
// double widened to extended reads as the double does), else of the extended value.
Reading ReadFloat(long double value, std::int64_t& count)
{
    if (std::isnan(value))
        return Reading::NotANumber;
    if (std::isinf(value) || std::fabs(value) >= 1e16L)
        return Reading::OutOfRange;
    char buffer[64];
    const double narrow = static_cast<double>(value);
    const auto written = static_cast<long double>(narrow) == value
                             ? std::to_chars(buffer, buffer + sizeof buffer, narrow)
                             : std::to_chars(buffer, buffer + sizeof buffer, value);
    return ReadDecimal(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)), '.', count);
}

[[noreturn]] void ResultOutOfRange()
{
    throw ERangeError("The amount is outside the currency range of " + CurrencyRangeText());
}

}  // namespace

// Below 2^53 both the count and the scale are exact doubles, so one division gives the double
// nearest to the decimal value; larger counts go through extended precision.
double Currency::ToDouble() const
{
    constexpr std::int64_t exactInDouble = std::int64_t(1) << 53;
    if (FCount > -exactInDouble && FCount < exactInDouble)
        return static_cast<double>(FCount) / Scale;
    return static_cast<double>(ToExtended());
}

long double Currency::ToExtended() const
{
    return static_cast<long double>(FCount) / Scale;
}

Currency Currency::operator-() const
{
    if (FCount == INT64_MIN)
        ResultOutOfRange();
    return FromCount(-FCount);
}

Currency& Currency::operator+=(Currency other)
{
    std::int64_t sum;
    if (__builtin_add_overflow(FCount, other.FCount, &sum))
        ResultOutOfRange();
    FCount = sum;
    return *this;
}

Currency& Currency::operator-=(Currency other)
{
    std::int64_t difference;
    if (__builtin_sub_overflow(FCount, other.FCount, &difference))
        ResultOutOfRange();
    FCount = difference;
    return *this;
}

bool TryFloatToCurr(long double value, Currency& result)
{
    std::int64_t count;
    if (ReadFloat(value, count) != Reading::Exact)
        return false;
    result = Currency::FromCount(count);
    return true;
}

Currency FloatToCurr(long double value)
{
    std::int64_t count;
    switch (ReadFloat(value, count)) {
    case Reading::Exact:
        return Currency::FromCount(count);
    case Reading::NotANumber:
        throw EConvertError(FloatToStr(value) + " is not a valid currency value");
    case Reading::OutOfRange:
        break;
    }
    throw EConvertError(FloatToStr(value) + " is outside the currency range of " + CurrencyRangeText());
}

bool TryStrToCurr(const String& text, Currency& result)
{
    std::int64_t count;
    if (ReadDecimal(Trim(text), Locale().DecimalSeparator, count) != Reading::Exact)
        return false;
    result = Currency::FromCount(count);
    return true;
}

Currency StrToCurr(const String& text)
{
    std::int64_t count;
    switch (ReadDecimal(Trim(text), Locale().DecimalSeparator, count)) {
    case Reading::Exact:
        return Currency::FromCount(count);
    case Reading::NotANumber:
        throw EConvertError("'" + text + "' is not a valid currency value");
    case Reading::OutOfRange:
        break;
    }
    throw EConvertError("'" + text + "' is outside the currency range of " + CurrencyRangeText());
}

String CurrToStr(Currency value)
{
    const std::int64_t count = value.Count();
    const unsigned long long magnitude =
        count < 0 ? 0ULL - static_cast<unsigned long long>(count) : static_cast<unsigned long long>(count);
    String text = (count < 0 ? "-" : "") + std::to_string(magnitude / Currency::Scale);
    String fraction = std::to_string(magnitude % Currency::Scale + Currency::Scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? text : text + Locale().DecimalSeparator + fraction;
}

String FormatCurr(const String& format, Currency value)
{
    return FormatFloat(format, value.ToExtended());
}

String CurrencyRangeText()
{
    return CurrToStr(Currency::Min()) + " to " + CurrToStr(Currency::Max());
}

std::ostream& operator<<(std::ostream& out, Currency value)
{
    return out << CurrToStr(value);
}
