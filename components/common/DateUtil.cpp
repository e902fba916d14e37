// Date arithmetic and the fixed-layout date reader of the component library.
// Today, the current year and every locale value come through the runtime library, so tests can
// pin the clock and the locale.
#include "components/common/DateUtil.h"

#include <cmath>
#include <cstdlib>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

constexpr int MaxCollectedChars = 20;

bool ShortDateFormatHasFourDigitYear()
{
    return Pos("YYYY", UpperCase(Locale().ShortDateFormat)) > 0;
}

struct YearMonthDay {
    int Year;
    int Month;
    int Day;
};

YearMonthDay Decode(TDateTime D)
{
    Word y, m, d;
    DecodeDate(D, y, m, d);
    return {y, m, d};
}

bool IsValidYearMonthDay(int Year, int Month, int Day)
{
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 &&
           Day <= DaysPerMonth(Year, Month);
}

// Years below 100 land in the hundred years that start CenturyOffset years before now.
// A part already marked unreadable (-1) stays unreadable.
int ExpandYear(int Year)
{
    if (Year < 0 || Year >= 100)
        return Year;
    const int windowStart = CurrentYear() - CenturyOffset;
    Year += (windowStart / 100) * 100;
    if (CenturyOffset > 0 && Year < windowStart)
        Year += 100;
    return Year;
}

// ---- positional pass ------------------------------------------------------------------------

// The characters of S standing under the first run of Letter (at least MinRun long) in the
// upper-cased layout, spaces skipped. Found is false when the layout has no such run.
String CollectUnderRun(const String& Layout, const String& S, char Letter, int MinRun, bool& Found)
{
    const String wanted(MinRun, Letter);
    const std::size_t start = Layout.find(wanted);
    Found = start != String::npos;
    String collected;
    if (!Found)
        return collected;
    for (std::size_t i = start; i < Layout.size() && Layout[i] == Letter; ++i) {
        if (i < S.size() && S[i] != ' ' && collected.size() < MaxCollectedChars)
            collected += S[i];
    }
    return collected;
}

// A numeric part: Default when the layout has no run, -1 for blanks or a non-number.
int NumberUnderRun(const String& Layout, const String& S, char Letter, int Default)
{
    bool found = false;
    const String text = CollectUnderRun(Layout, S, Letter, 1, found);
    if (!found)
        return Default;
    return text.empty() ? -1 : StrToIntDef(text, -1);
}

int MonthUnderRun(const String& Layout, const String& S)
{
    bool found = false;
    const String name = CollectUnderRun(Layout, S, 'M', 3, found);
    if (found) {
        if (name.empty())
            return -1;
        const int month = MonthFromName(name, static_cast<int>(name.size()));
        return month == 0 ? -1 : month;
    }
    return NumberUnderRun(Layout, S, 'M', 0);
}

bool ReadPositional(const String& DateFormat, const String& S, TDateTime& Result)
{
    const String layout = UpperCase(DateFormat);
    int year = CurrentYear(), month = 0, day = 1;
    if (S.size() <= layout.size()) {
        month = MonthUnderRun(layout, S);
        day = NumberUnderRun(layout, S, 'D', day);
        year = ExpandYear(NumberUnderRun(layout, S, 'Y', year));
    }
    if (!IsValidYearMonthDay(year, month, day))
        return false;
    Result = EncodeDate(year, month, day);
    return true;
}

// ---- free-form pass -------------------------------------------------------------------------

class FreeFormScanner {
public:
    explicit FreeFormScanner(const String& Text) : s_(Text) {}

    bool AtEnd() const { return pos_ >= s_.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && s_[pos_] == ' ')
            ++pos_;
    }

    void SkipToFirstDigit()
    {
        while (!AtEnd() && !IsDigit(s_[pos_]))
            ++pos_;
    }

    // Digits only; stops before a digit that would follow a value of 1000 or more.
    bool Number(int& Value)
    {
        SkipBlanks();
        const std::size_t start = pos_;
        Value = 0;
        while (!AtEnd() && IsDigit(s_[pos_]) && Value < 1000)
            Value = Value * 10 + (s_[pos_++] - '0');
        return pos_ > start;
    }

    bool Separator()
    {
        SkipBlanks();
        const String& separator = Locale().DateSeparator;
        if (AtEnd() || s_.compare(pos_, separator.size(), separator) != 0)
            return false;
        pos_ += separator.size();
        return true;
    }

private:
    static bool IsDigit(char C) { return C >= '0' && C <= '9'; }

    const String& s_;
    std::size_t pos_ = 0;
};

bool ReadFreeForm(const String& DateFormat, const String& S, TDateTime& Result)
{
    FreeFormScanner scan(S);
    const String& shortFormat = Locale().ShortDateFormat;
    if (!shortFormat.empty() && (shortFormat[0] == 'g' || shortFormat[0] == 'G'))
        scan.SkipToFirstDigit();

    int n1 = 0, n2 = 0, n3 = 0;
    if (!scan.Number(n1) || !scan.Separator() || !scan.Number(n2))
        return false;

    const TDateOrder order = GetDateOrder(DateFormat);
    int year = 0, month = 0, day = 0;
    if (scan.Separator()) {
        if (!scan.Number(n3))
            return false;
        switch (order) {
        case doMDY: month = n1; day = n2; year = n3; break;
        case doDMY: day = n1; month = n2; year = n3; break;
        case doYMD: year = n1; month = n2; day = n3; break;
        }
        year = ExpandYear(year);
        scan.Separator();
    } else {
        year = CurrentYear();
        if (order == doDMY) {
            day = n1;
            month = n2;
        } else {
            month = n1;
            day = n2;
        }
    }
    scan.SkipBlanks();
    if (!scan.AtEnd() || !IsValidYearMonthDay(year, month, day))
        return false;
    Result = EncodeDate(year, month, day);
    return true;
}

bool TryReadDate(const String& DateFormat, const String& S, TDateTime& Result)
{
    if (S.empty()) {
        Result = NullDate;
        return true;
    }
    return ReadPositional(DateFormat, S, Result) || ReadFreeForm(DateFormat, S, Result);
}

TDateTime FirstOfMonth(int Year, int Month)
{
    return EncodeDate(Year, Month, 1);
}

} // namespace

bool FourDigitYear = ShortDateFormatHasFourDigitYear();

int DaysPerMonth(int AYear, int AMonth)
{
    return DaysInAMonth(static_cast<Word>(AYear), static_cast<Word>(AMonth));
}

TDateTime FirstDayOfNextMonth()
{
    const YearMonthDay t = Decode(Date());
    return t.Month == 12 ? FirstOfMonth(t.Year + 1, 1) : FirstOfMonth(t.Year, t.Month + 1);
}

TDateTime FirstDayOfPrevMonth()
{
    const YearMonthDay t = Decode(Date());
    return t.Month == 1 ? FirstOfMonth(t.Year - 1, 12) : FirstOfMonth(t.Year, t.Month - 1);
}

TDateTime LastDayOfPrevMonth()
{
    const YearMonthDay t = Decode(Date());
    return FirstOfMonth(t.Year, t.Month) - 1;
}

std::uint16_t ExtractDay(TDateTime D) { return static_cast<std::uint16_t>(Decode(D).Day); }
std::uint16_t ExtractMonth(TDateTime D) { return static_cast<std::uint16_t>(Decode(D).Month); }
std::uint16_t ExtractYear(TDateTime D) { return static_cast<std::uint16_t>(Decode(D).Year); }

TDateTime IncDate(TDateTime D, int Days, int Months, int Years)
{
    YearMonthDay t = Decode(D);
    t.Year += Years + Months / 12;
    t.Month += Months % 12;
    if (t.Month < 1) {
        t.Month += 12;
        --t.Year;
    } else if (t.Month > 12) {
        t.Month -= 12;
        ++t.Year;
    }
    t.Day = std::min(t.Day, DaysPerMonth(t.Year, t.Month));
    const double timeOfDay = std::fabs(D - std::trunc(D));
    return EncodeDate(t.Year, t.Month, t.Day) + Days + timeOfDay;
}

TDateTime IncDay(TDateTime D, int Delta) { return D + Delta; }
TDateTime IncYear(TDateTime D, int Delta) { return IncDate(D, 0, 0, Delta); }

void DateDiff(TDateTime D1, TDateTime D2, std::uint16_t& Days, std::uint16_t& Months,
              std::uint16_t& Years)
{
    if (D1 > D2)
        std::swap(D1, D2);
    const YearMonthDay a = Decode(D1);
    const YearMonthDay b = Decode(D2);
    int years = b.Year - a.Year, months = 0, days = 0;
    if (b.Month < a.Month) {
        months += 12;
        --years;
    }
    months += b.Month - a.Month;
    if (b.Day < a.Day) {
        days += DaysPerMonth(a.Year, a.Month);
        if (months == 0) {
            --years;
            months = 11;
        } else {
            --months;
        }
    }
    days += b.Day - a.Day;
    Days = static_cast<std::uint16_t>(days);
    Months = static_cast<std::uint16_t>(months);
    Years = static_cast<std::uint16_t>(years);
}

double MonthsBetween(TDateTime D1, TDateTime D2)
{
    std::uint16_t days, months, years;
    DateDiff(D1, D2, days, months, years);
    double result = years * 12.0 + months;
    if (days >= 21)
        result += 1.0;
    else if (days >= 15)
        result += 0.75;
    else if (days >= 7)
        result += 0.5;
    else if (days >= 2)
        result += 0.25;
    return result;
}

bool ValidDate(TDateTime D)
{
    try {
        const YearMonthDay t = Decode(D);
        return IsValidYearMonthDay(t.Year, t.Month, t.Day);
    } catch (const Exception&) {
        return false;
    }
}

int DaysInPeriod(TDateTime D1, TDateTime D2)
{
    if (!ValidDate(D1) || !ValidDate(D2))
        return 0;
    return static_cast<int>(std::abs(std::trunc(D1) - std::trunc(D2))) + 1;
}

int DaysBetween(TDateTime D1, TDateTime D2)
{
    const int days = static_cast<int>(std::trunc(D2) - std::trunc(D1)) + 1;
    return days < 0 ? 0 : days;
}

TDateTime IncTime(TDateTime D, int Hours, int Minutes, int Seconds, int MSecs)
{
    const long long msecs = static_cast<long long>(Hours % 24) * 3600000LL +
                            static_cast<long long>(Minutes) * 60000LL +
                            static_cast<long long>(Seconds) * 1000LL + MSecs;
    TDateTime result = D + Hours / 24 + static_cast<double>(msecs) / 86400000.0;
    if (result < 0)
        result += 1;
    return result;
}

TDateTime IncHour(TDateTime D, int Delta) { return IncTime(D, Delta, 0, 0, 0); }
TDateTime IncMinute(TDateTime D, int Delta) { return IncTime(D, 0, Delta, 0, 0); }
TDateTime IncSecond(TDateTime D, int Delta) { return IncTime(D, 0, 0, Delta, 0); }
TDateTime IncMSec(TDateTime D, int Delta) { return IncTime(D, 0, 0, 0, Delta); }

TDateTime CutTime(TDateTime D) { return std::trunc(D); }

int CurrentYear() { return Decode(Now()).Year; }

TDateOrder GetDateOrder(const String& DateFormat)
{
    for (char c : DateFormat) {
        switch (c) {
        case 'D': case 'd': return doDMY;
        case 'E': case 'e': return doYMD;
        case 'M': case 'm': return doMDY;
        case 'Y': case 'y': return doYMD;
        default: break;
        }
    }
    return doDMY;
}

int MonthFromName(const String& S, int MaxLen)
{
    if (S.empty())
        return 0;
    const String wanted = AnsiUpperCase(Copy(S, 1, MaxLen));
    for (int month = 1; month <= 12; ++month) {
        const String& name = Locale().LongMonthNames[month - 1];
        if (!name.empty() && AnsiUpperCase(Copy(name, 1, MaxLen)) == wanted)
            return month;
    }
    return 0;
}

TDateTime StrToDateFmt(const String& DateFormat, const String& S)
{
    TDateTime result = NullDate;
    if (!TryReadDate(DateFormat, S, result))
        throw EConvertError("'" + S + "' is not a valid date");
    return result;
}

TDateTime StrToDateFmtDef(const String& DateFormat, const String& S, TDateTime Default)
{
    TDateTime result = NullDate;
    return TryReadDate(DateFormat, S, result) ? result : std::trunc(Default);
}

TDateTime StrToDateDef(const String& S, TDateTime Default)
{
    return StrToDateFmtDef(Locale().ShortDateFormat, S, Default);
}

String DefDateFormat(bool FourDigitYear)
{
    switch (GetDateOrder(Locale().ShortDateFormat)) {
    case doMDY: return FourDigitYear ? "MM/DD/YYYY" : "MM/DD/YY";
    case doDMY: return FourDigitYear ? "DD/MM/YYYY" : "DD/MM/YY";
    case doYMD: return FourDigitYear ? "YYYY/MM/DD" : "YY/MM/DD";
    }
    return "DD/MM/YYYY";
}

String DefDateMask(char BlanksChar, bool FourDigitYear)
{
    String mask = "!99/99/99;1;";
    if (FourDigitYear)
        mask = GetDateOrder(Locale().ShortDateFormat) == doYMD ? "!9999/99/99;1;" : "!99/99/9999;1;";
    return mask + BlanksChar;
}

String FormatLongDate(TDateTime D)
{
    return TrimRight(FormatDateTime(Locale().LongDateFormat, D));
}

String FormatLongDateTime(TDateTime D)
{
    if (D == NullDate)
        return String();
    return FormatLongDate(D) + FormatDateTime(" tt", D);
}
