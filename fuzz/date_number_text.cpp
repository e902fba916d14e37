// Date and number text: any text either reads as a date, time or number within range or is
// refused, and whatever reads writes out again without fault, in any picture the input gives;
// a number read is also written as a date, or refused as one outside the calendar.
#include <cmath>
#include <limits>

#include "fuzz/FuzzSupport.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/StrUtils.h"

using vt::fuzz::FuzzInput;

namespace {

void CheckDate(TDateTime value, const String& picture)
{
    if (!std::isfinite(value))
        vt::fuzz::Fail();
    DateTimeToStr(value);
    FormatDateTime(picture, value);
}

// A number taken as a date value: formatted, or refused when outside the calendar.
void CheckNumberAsDate(double value, const String& picture)
{
    try {
        CheckDate(value, picture);
    } catch (const EConvertError&) {
        if (value >= EncodeDate(1, 1, 1) && value <= EncodeDate(9999, 12, 31))
            vt::fuzz::Fail();
    }
}

void CheckNumber(const String& text, const String& picture, int precision, int digits)
{
    long double wide;
    if (TryStrToFloat(text, wide)) {
        if (!(std::fabs(wide) <= std::numeric_limits<double>::max()))
            vt::fuzz::Fail();
        FloatToStr(wide);
        FormatFloat(picture, wide);
        FloatToStrF(wide, static_cast<TFloatFormat>(digits % 5), precision, digits);
    }
    double narrow;
    if (TryStrToFloat(text, narrow)) {
        if (!std::isfinite(narrow))
            vt::fuzz::Fail();
        CheckNumberAsDate(narrow, picture);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const String text = in.Next(), picture = in.Next();
    const int precision = in.Number(0, 40), digits = in.Number(0, 40);
    using Reader = bool (*)(const String&, TDateTime&);
    for (Reader read : {Reader{TryStrToDate}, Reader{TryStrToTime}, Reader{TryStrToDateTime}}) {
        TDateTime value = 0;
        if (read(text, value))
            CheckDate(value, picture);
    }
    CheckNumber(text, picture, precision, digits);
    int number;
    if (TryStrToInt(text, number))
        IntToStr(number);
    FormatFloat(picture, in.Number(-100, 100) * 1234.5678L);
    return 0;
}
