// Dates and times as the class library keeps them: a double counting days since 1899-12-30,
// its fraction the time of day. Encoding, decoding, the clock (fixable for tests), and the
// conversions to and from text by the locale's formats.
#pragma once

#include "rtl/StrUtils.h"
#include "rtl/Types.h"

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

// Every routine below that takes a TDateTime raises EConvertError "Invalid argument to date
// encode" for a value outside 0001-01-01 .. 9999-12-31 (NaN and infinities included).

bool IsLeapYear(Word year);
Word DaysInAMonth(Word year, Word month);

// Raises EConvertError "Invalid argument to date encode" for a day that does not exist.
TDateTime EncodeDate(Word year, Word month, Word day);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
// Raises EConvertError "Invalid argument to time encode" outside 0:00:00.000 - 23:59:59.999.
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime date);
// Moves by whole months; a day past the new month's end becomes its last day.
TDateTime IncMonth(TDateTime date, int months = 1);

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Patterns: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : and quoted literals; "m" right after an hour means minutes.
String FormatDateTime(const String& format, TDateTime dateTime);
String DateToStr(TDateTime date);
String TimeToStr(TDateTime time);
String DateTimeToStr(TDateTime dateTime);

// Reads numbers in the order of ShortDateFormat, separated by DateSeparator (blanks around it
// allowed); a missing year is this year ("9.6." with the separator after the month too), a
// two-digit year falls in the TwoDigitYearCenturyWindow.
// Raises EConvertError "'x' is not a valid date".
TDateTime StrToDate(const String& s);
bool TryStrToDate(const String& s, TDateTime& date);
// A date read as StrToDate reads it, but a missing year stays missing: "29/2" is a date.
struct DateParts {
    Word Year = 0;
    Word Month = 0;
    Word Day = 0;
    bool HasYear = false;
};
bool TryStrToDateParts(const String& s, DateParts& parts);
// "h:n[:s[.z]]" with an optional AM/PM marker; raises EConvertError "'x' is not a valid time".
TDateTime StrToTime(const String& s);
bool TryStrToTime(const String& s, TDateTime& time);
// A date, optionally followed by a time; raises EConvertError "'x' is not a valid date and time".
TDateTime StrToDateTime(const String& s);
bool TryStrToDateTime(const String& s, TDateTime& dateTime);

namespace vt {
// Makes Now(), Date() and Time() return this moment until ResetClock().
void SetClockForTests(TDateTime moment);
void ResetClock();
}  // namespace vt
