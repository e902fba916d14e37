// Money as the class library holds it: a signed 64-bit count of 1/10,000 of the currency unit,
// so that amounts add, subtract and compare exactly. Text and binary floating point become
// currency rounded half away from zero to 1/10,000; infinities, NaN and values outside the
// count's range are refused.
#pragma once

#include <compare>
#include <cstdint>
#include <iosfwd>

#include "rtl/StrUtils.h"

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    // count 1/10,000 units.
    static constexpr Currency FromCount(std::int64_t count)
    {
        Currency value;
        value.FCount = count;
        return value;
    }
    static constexpr Currency Min() { return FromCount(INT64_MIN); }
    static constexpr Currency Max() { return FromCount(INT64_MAX); }

    constexpr std::int64_t Count() const { return FCount; }
    // The nearest binary value; FloatToCurr of it gives this value back.
    double ToDouble() const;
    long double ToExtended() const;

    // Raise ERangeError when the result leaves the range.
    Currency operator-() const;
    Currency& operator+=(Currency other);
    Currency& operator-=(Currency other);
    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    std::int64_t FCount = 0;
};

// The value rounded to 1/10,000 as its shortest decimal text reads (so 0.09999999999999432,
// what 74.3 - 74.2 gives in binary, is 0.1); raises EConvertError for NaN, an infinity or a
// value outside the range.
Currency FloatToCurr(long double value);
bool TryFloatToCurr(long double value, Currency& result);
// Leading and trailing blanks, a sign, digits with the locale's decimal separator and an
// optional exponent, read exactly; raises EConvertError for any other text or one outside
// the range.
Currency StrToCurr(const String& text);
bool TryStrToCurr(const String& text, Currency& result);
// The shortest exact text: "35.1", "-0.0001", "120".
String CurrToStr(Currency value);
// A picture format of FormatFloat ("$,0.00") applied to the value.
String FormatCurr(const String& format, Currency value);
// "-922337203685477.5808 to 922337203685477.5807", for messages.
String CurrencyRangeText();

std::ostream& operator<<(std::ostream& out, Currency value);
