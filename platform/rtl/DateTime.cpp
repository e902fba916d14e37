// Date arithmetic on the day count since 1899-12-30 (through the proleptic Gregorian calendar),
// the clock, and the class library's date-time patterns for formatting and reading dates.
#include "rtl/DateTime.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>
#include <optional>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

// 1970-01-01 as a TDateTime.
constexpr long UnixEpochDay = 25569;
constexpr long MSecsPerDayInt = 86400000;
// The calendar's range: 0001-01-01 and 9999-12-31 as TDateTime.
constexpr long FirstDay = -693593;
constexpr long LastDay = 2958465;

const char* const DateEncodeError = "Invalid argument to date encode";

// Days since 1970-01-01 of a Gregorian date.
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

// A moment split into whole days and milliseconds of the day. The time is the fraction's
// magnitude (so -1.25 is 1899-12-29 06:00); rounding up to a full day moves to the next day.
struct TimeStamp {
    long Day;
    long MSec;
};

[[noreturn]] void RaiseConvert(const String& message)
{
    throw EConvertError(message);
}

// Raises the invalid-date error for a value outside the calendar (NaN and infinities too).
TimeStamp ToTimeStamp(TDateTime dt)
{
    double whole = std::trunc(dt);
    if (!(whole >= FirstDay && whole <= LastDay))
        RaiseConvert(DateEncodeError);
    long msec = std::lround(std::fabs(dt - whole) * MSecsPerDay);
    long day = static_cast<long>(whole);
    if (msec >= MSecsPerDayInt) {
        msec -= MSecsPerDayInt;
        ++day;
    }
    if (day > LastDay)
        RaiseConvert(DateEncodeError);
    return {day, msec};
}

std::optional<TDateTime> FixedClock;

}  // namespace

bool IsLeapYear(Word year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

Word DaysInAMonth(Word year, Word month)
{
    static const Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month))
        return false;
    date = static_cast<TDateTime>(DaysFromCivil(year, month, day) + UnixEpochDay);
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day)
{
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        RaiseConvert(DateEncodeError);
    return date;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day)
{
    long y;
    unsigned m, d;
    CivilFromDays(ToTimeStamp(date).Day - UnixEpochDay, y, m, d);
    year = static_cast<Word>(y);
    month = static_cast<Word>(m);
    day = static_cast<Word>(d);
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time)
{
    if (hour > 23 || min > 59 || sec > 59 || msec > 999)
        return false;
    time = (((hour * 60 + min) * 60 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec)
{
    TDateTime time;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        RaiseConvert("Invalid argument to time encode");
    return time;
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec)
{
    long ms = ToTimeStamp(time).MSec;
    hour = static_cast<Word>(ms / 3600000);
    min = static_cast<Word>(ms / 60000 % 60);
    sec = static_cast<Word>(ms / 1000 % 60);
    msec = static_cast<Word>(ms % 1000);
}

int DayOfWeek(TDateTime date)
{
    // Day 0 (1899-12-30) was a Saturday.
    long day = ToTimeStamp(date).Day;
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime date, int months)
{
    Word year, month, day;
    DecodeDate(date, year, month, day);
    long total = year * 12L + (month - 1) + months;
    if (total < 12 || total >= 10000 * 12L)
        RaiseConvert(DateEncodeError);
    Word newYear = static_cast<Word>(total / 12);
    Word newMonth = static_cast<Word>(total % 12 + 1);
    Word newDay = std::min(day, DaysInAMonth(newYear, newMonth));
    double time = std::fabs(date - std::trunc(date));
    return EncodeDate(newYear, newMonth, newDay) + time;
}

TDateTime Now()
{
    if (FixedClock)
        return *FixedClock;
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    auto msec = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                      static_cast<Word>(local.tm_mday)) +
           EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                      static_cast<Word>(std::min(local.tm_sec, 59)), static_cast<Word>(msec));
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    TDateTime now = Now();
    return now - std::trunc(now);
}

namespace vt {
void SetClockForTests(TDateTime moment)
{
    FixedClock = moment;
}

void ResetClock()
{
    FixedClock.reset();
}
}  // namespace vt

// ---- Formatting ----

namespace {

class DateTimeFormatter {
public:
    explicit DateTimeFormatter(TDateTime dt) : FValue(dt)
    {
        DecodeDate(dt, FYear, FMonth, FDay);
        DecodeTime(dt, FHour, FMin, FSec, FMSec);
    }

    String Run(const String& format)
    {
        Append(format.empty() ? String("c") : format, 0);
        return FResult;
    }

private:
    // Nested formats (c, ddddd, t ...) expand at most two levels deep, as in the class library.
    void Append(const String& format, int level)
    {
        if (level >= 2)
            return;
        const FormatSettings& fs = Locale();
        char lastToken = ' ';
        std::size_t i = 0;
        while (i < format.size()) {
            char starter = format[i];
            char token = static_cast<char>(std::toupper(static_cast<unsigned char>(starter)));
            if (std::isalpha(static_cast<unsigned char>(token))) {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            std::size_t count = RunLength(format, i);
            switch (token) {
            case 'Y':
                AppendYear(count);
                i += count;
                break;
            case 'M':
                AppendMonth(count, fs);
                i += count;
                break;
            case 'D':
                AppendDay(count, fs, level);
                i += count;
                break;
            case 'H':
                AppendNumber(Use12Hour(format, i) ? Hour12() : FHour, std::min<std::size_t>(count, 2));
                i += count;
                break;
            case 'N':
                AppendNumber(FMin, std::min<std::size_t>(count, 2));
                i += count;
                break;
            case 'S':
                AppendNumber(FSec, std::min<std::size_t>(count, 2));
                i += count;
                break;
            case 'Z':
                AppendNumber(FMSec, count >= 3 ? 3 : 1);
                i += count;
                break;
            case 'T':
                Append(count >= 2 ? fs.LongTimeFormat : fs.ShortTimeFormat, level + 1);
                i += count;
                break;
            case 'C':
                Append(fs.ShortDateFormat, level + 1);
                if (FHour != 0 || FMin != 0 || FSec != 0 || FMSec != 0) {
                    FResult += ' ';
                    Append(fs.LongTimeFormat, level + 1);
                }
                ++i;
                break;
            case 'A':
                i += AppendAmPm(format, i, fs);
                break;
            case '/':
                FResult += fs.DateSeparator;
                ++i;
                break;
            case ':':
                FResult += fs.TimeSeparator;
                ++i;
                break;
            case '"':
            case '\'':
                i = AppendQuoted(format, i);
                break;
            default:
                FResult += starter;
                ++i;
                break;
            }
        }
    }

    static std::size_t RunLength(const String& format, std::size_t at)
    {
        std::size_t end = at + 1;
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(format[at])));
        while (end < format.size() &&
               std::toupper(static_cast<unsigned char>(format[end])) == c)
            ++end;
        return end - at;
    }

    void AppendNumber(unsigned value, std::size_t digits)
    {
        String text = std::to_string(value);
        if (text.size() < digits)
            text.insert(0, digits - text.size(), '0');
        FResult += text;
    }

    void AppendYear(std::size_t count)
    {
        if (count <= 2)
            AppendNumber(FYear % 100, 2);
        else
            AppendNumber(FYear, 4);
    }

    void AppendMonth(std::size_t count, const FormatSettings& fs)
    {
        if (count <= 2)
            AppendNumber(FMonth, count);
        else if (count == 3)
            FResult += fs.ShortMonthNames[FMonth - 1];
        else
            FResult += fs.LongMonthNames[FMonth - 1];
    }

    void AppendDay(std::size_t count, const FormatSettings& fs, int level)
    {
        int weekDay = DayOfWeek(FValue) - 1;
        if (count <= 2)
            AppendNumber(FDay, count);
        else if (count == 3)
            FResult += fs.ShortDayNames[weekDay];
        else if (count == 4)
            FResult += fs.LongDayNames[weekDay];
        else if (count == 5)
            Append(fs.ShortDateFormat, level + 1);
        else
            Append(fs.LongDateFormat, level + 1);
    }

    unsigned Hour12() const
    {
        unsigned hour = FHour % 12;
        return hour == 0 ? 12 : hour;
    }

    static bool StartsWithNoCase(const String& format, std::size_t at, const char* word)
    {
        String w(word);
        return at + w.size() <= format.size() && SameText(format.substr(at, w.size()), w);
    }

    // An hour is on the 12-hour clock when an am/pm marker follows anywhere later.
    static bool Use12Hour(const String& format, std::size_t from)
    {
        bool quoted = false;
        char quote = 0;
        for (std::size_t i = from; i < format.size(); ++i) {
            char c = format[i];
            if (quoted) {
                quoted = c != quote;
                continue;
            }
            if (c == '"' || c == '\'') {
                quoted = true;
                quote = c;
            } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                       StartsWithNoCase(format, i, "ampm")) {
                return true;
            }
        }
        return false;
    }

    // The marker is written in the letter case of the format: "am/pm" gives "pm", "AM/PM" "PM".
    std::size_t AppendAmPm(const String& format, std::size_t at, const FormatSettings& fs)
    {
        bool afternoon = FHour >= 12;
        if (StartsWithNoCase(format, at, "am/pm")) {
            FResult += format.substr(at + (afternoon ? 3 : 0), 2);
            return 5;
        }
        if (StartsWithNoCase(format, at, "a/p")) {
            FResult += format[at + (afternoon ? 2 : 0)];
            return 3;
        }
        if (StartsWithNoCase(format, at, "ampm")) {
            FResult += afternoon ? fs.TimePMString : fs.TimeAMString;
            return 4;
        }
        FResult += format[at];
        return 1;
    }

    std::size_t AppendQuoted(const String& format, std::size_t at)
    {
        char quote = format[at];
        std::size_t end = format.find(quote, at + 1);
        if (end == String::npos)
            end = format.size();
        FResult.append(format, at + 1, end - at - 1);
        return end == format.size() ? end : end + 1;
    }

    TDateTime FValue;
    Word FYear, FMonth, FDay, FHour, FMin, FSec, FMSec;
    String FResult;
};

}  // namespace

String FormatDateTime(const String& format, TDateTime dateTime)
{
    return DateTimeFormatter(dateTime).Run(format);
}

String DateToStr(TDateTime date)
{
    return FormatDateTime("ddddd", date);
}

String TimeToStr(TDateTime time)
{
    return FormatDateTime("tt", time);
}

String DateTimeToStr(TDateTime dateTime)
{
    return FormatDateTime("c", dateTime);
}

// ---- Reading ----

namespace {

enum class DateOrder { MDY, DMY, YMD };

DateOrder GetDateOrder(const String& format)
{
    for (char c : format) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'D':
            return DateOrder::DMY;
        case 'Y':
            return DateOrder::YMD;
        case 'M':
            return DateOrder::MDY;
        default:
            break;
        }
    }
    return DateOrder::MDY;
}

class Scanner {
public:
    explicit Scanner(const String& text) : FText(text) {}

    void SkipBlanks()
    {
        while (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return FPos == FText.size();
    }
    bool Char(char c)
    {
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }
    // A separator, blanks around it aside (". " in "2030. 6. 9").
    bool Separator(const String& separator)
    {
        SkipBlanks();
        const String text = Trim(separator);
        if (text.empty() || FText.compare(FPos, text.size(), text) != 0)
            return false;
        FPos += text.size();
        return true;
    }
    bool Number(unsigned& value, std::size_t& digits)
    {
        SkipBlanks();
        std::size_t start = FPos;
        value = 0;
        while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos])) &&
               FPos - start < 9)
            value = value * 10 + static_cast<unsigned>(FText[FPos++] - '0');
        digits = FPos - start;
        return digits > 0;
    }
    bool Keyword(const String& word)
    {
        SkipBlanks();
        if (word.empty() || !SameText(FText.substr(FPos, word.size()), word))
            return false;
        FPos += word.size();
        return true;
    }
    std::size_t Position() const { return FPos; }
    void SetPosition(std::size_t pos) { FPos = pos; }

private:
    const String& FText;
    std::size_t FPos = 0;
};

unsigned ExpandTwoDigitYear(unsigned year, const FormatSettings& fs)
{
    Word currentYear, month, day;
    DecodeDate(Date(), currentYear, month, day);
    if (fs.TwoDigitYearCenturyWindow <= 0)
        return year + currentYear / 100 * 100;
    unsigned century = static_cast<unsigned>(currentYear - fs.TwoDigitYearCenturyWindow);
    year += century / 100 * 100;
    if (year < century)
        year += 100;
    return year;
}

// Day, month and, when written, the year, in the order of ShortDateFormat.
bool ScanDateParts(Scanner& scan, DateParts& parts)
{
    const FormatSettings& fs = Locale();
    unsigned n[3] = {0, 0, 0};
    std::size_t digits[3] = {0, 0, 0};
    if (!scan.Number(n[0], digits[0]) || !scan.Separator(fs.DateSeparator) ||
        !scan.Number(n[1], digits[1]))
        return false;
    std::size_t beforeThird = scan.Position();
    parts.HasYear = scan.Separator(fs.DateSeparator) && scan.Number(n[2], digits[2]);
    if (!parts.HasYear) {
        scan.SetPosition(beforeThird);
        if (!scan.Separator(fs.DateSeparator))  // "9.6." as day-first locales write it
            scan.SetPosition(beforeThird);
    }

    DateOrder order = GetDateOrder(fs.ShortDateFormat);
    unsigned year = 0, month, day;
    std::size_t yearDigits = 4;
    if (!parts.HasYear) {
        month = order == DateOrder::DMY ? n[1] : n[0];
        day = order == DateOrder::DMY ? n[0] : n[1];
    } else if (order == DateOrder::YMD) {
        year = n[0], month = n[1], day = n[2], yearDigits = digits[0];
    } else {
        year = n[2], yearDigits = digits[2];
        month = order == DateOrder::MDY ? n[0] : n[1];
        day = order == DateOrder::MDY ? n[1] : n[0];
    }
    if (parts.HasYear && yearDigits <= 2)
        year = ExpandTwoDigitYear(year, fs);
    // Without a year the day must exist in some year: 29 February does.
    TDateTime unused;
    if (year > 9999 || month > 12 || day > 31 ||
        !TryEncodeDate(static_cast<Word>(parts.HasYear ? year : 2000), static_cast<Word>(month),
                       static_cast<Word>(day), unused))
        return false;
    parts.Year = static_cast<Word>(year);
    parts.Month = static_cast<Word>(month);
    parts.Day = static_cast<Word>(day);
    return true;
}

bool ScanDate(Scanner& scan, TDateTime& date)
{
    DateParts parts;
    if (!ScanDateParts(scan, parts))
        return false;
    if (!parts.HasYear) {
        Word month, day;
        DecodeDate(Date(), parts.Year, month, day);
    }
    return TryEncodeDate(parts.Year, parts.Month, parts.Day, date);
}

bool ScanTime(Scanner& scan, TDateTime& time)
{
    const FormatSettings& fs = Locale();
    unsigned hour, min = 0, sec = 0, msec = 0;
    std::size_t digits;
    if (!scan.Number(hour, digits))
        return false;
    bool hasMinutes = false;
    if (scan.Separator(fs.TimeSeparator)) {
        if (!scan.Number(min, digits))
            return false;
        hasMinutes = true;
        if (scan.Separator(fs.TimeSeparator)) {
            if (!scan.Number(sec, digits))
                return false;
            if (scan.Char('.') && !scan.Number(msec, digits))
                return false;
        }
    }
    bool pm = scan.Keyword(fs.TimePMString) || scan.Keyword("PM");
    bool am = !pm && (scan.Keyword(fs.TimeAMString) || scan.Keyword("AM"));
    if (am || pm) {
        if (hour == 0 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    } else if (!hasMinutes) {
        return false;
    }
    if (hour > 23 || min > 59 || sec > 59 || msec > 999)
        return false;
    return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(min),
                         static_cast<Word>(sec), static_cast<Word>(msec), time);
}

}  // namespace

namespace {

using ScanFunction = bool (*)(Scanner&, TDateTime&);

// The whole text, blanks aside, must be what the scan reads.
template <typename Value>
bool ScanWhole(const String& s, bool (*scan)(Scanner&, Value&), Value& value)
{
    Scanner scanner(s);
    Value read;
    if (!scan(scanner, read) || !scanner.AtEnd())
        return false;
    value = read;
    return true;
}

// A date, a time, or a date followed by a time.
bool ScanDateTime(Scanner& scan, TDateTime& dateTime)
{
    TDateTime date = 0, time = 0;
    bool hasDate = ScanDate(scan, date);
    if (!hasDate) {
        scan.SetPosition(0);
        date = 0;
    }
    bool hasTime = !scan.AtEnd() && ScanTime(scan, time);
    if (!hasDate && !hasTime)
        return false;
    dateTime = date < 0 ? date - time : date + time;
    return true;
}

TDateTime ReadOrRaise(const String& s, ScanFunction scan, const char* what)
{
    TDateTime value;
    if (!ScanWhole(s, scan, value))
        RaiseConvert("'" + s + "' is not a valid " + what);
    return value;
}

}  // namespace

bool TryStrToDate(const String& s, TDateTime& date)
{
    return ScanWhole(s, ScanDate, date);
}

bool TryStrToDateParts(const String& s, DateParts& parts)
{
    return ScanWhole(s, ScanDateParts, parts);
}

TDateTime StrToDate(const String& s)
{
    return ReadOrRaise(s, ScanDate, "date");
}

bool TryStrToTime(const String& s, TDateTime& time)
{
    return ScanWhole(s, ScanTime, time);
}

TDateTime StrToTime(const String& s)
{
    return ReadOrRaise(s, ScanTime, "time");
}

bool TryStrToDateTime(const String& s, TDateTime& dateTime)
{
    return ScanWhole(s, ScanDateTime, dateTime);
}

TDateTime StrToDateTime(const String& s)
{
    return ReadOrRaise(s, ScanDateTime, "date and time");
}
