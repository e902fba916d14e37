// Unit Misc: compact date and time texts (YYYYMMDD, HHMMSS, HHMM) with their display forms
// YYYY/MM/DD and HH:MM[:SS], calendar arithmetic over them, and the process-wide user name.
// Kept in namespace Misc because Today and IsLeapYear are also runtime-library names.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/StrUtils.h"

namespace Misc {

// True for the empty text and for blanks only.
bool IsBlank(const String& s);

// Eight blanks or digits naming a real calendar day; a part that is not a number (such as
// "1 " with a trailing blank) raises the conversion error of StrToInt.
bool IsValidDate(const String& s);
// Six blanks or digits with hours 0-23, minutes and seconds 0-59.
bool IsValidTime(const String& s);

// The current date as YYYYMMDD and the current time as HHMM, zero-filled.
String Today();
String ThisTime();

void SetSysUser(const String& user);
String GetSysUser();

// YYYYMMDD to a date; raises EConvertError "Invalid date string passed into GetDateTime".
TDateTime GetDateTime(const String& s);
// A date to YYYYMMDD.
String GetDateStr(TDateTime date);

// YYYYMMDD of the n-th day of the month falling on weekday (1 = Sunday ... 7 = Saturday),
// or "" when the month has fewer than n of them.
String GetDaySpecified(int year, int month, int n, int weekday);
// Which occurrence of its weekday the date is within its month, and that weekday (1-7).
void WeeklyFromDate(TDateTime date, int& occurrence, int& weekday);

// Days of the month; 0 for a month number outside 1-12.
int LastDayOfMonth(int year, int month);
// The date `months` months after YYYYMMDD, its day clamped to the target month's last day;
// raises EConvertError "Invalid day string passed in GetLastDate " for an invalid date text.
TDateTime GetLastDate(const String& s, int months);
// Gregorian rule.
bool IsLeapYear(int year);

// YYYYMMDD to YYYY/MM/DD ("" when not a valid date) and YYYY/MM/DD back ("" unless 10 long).
String AddSlashToDateStr(const String& s);
String TrimSlashFromDateStr(const String& s);
// HHMM or HHMMSS to HH:MM or HH:MM:SS ("" for 7 or more characters), and every ":" removed.
String AddColonToTimeStr(const String& s);
String TrimColonFromTimeStr(const String& s);

}  // namespace Misc
