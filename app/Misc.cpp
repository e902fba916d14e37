// Unit Misc: the compact date and time text helpers and the user-name slot.
// Texts are fixed-width and separator-free; numbers are zero-filled from "%2d"-style fields.
#include "app/Misc.h"

#include <algorithm>

#include "rtl/Exceptions.h"
#include "rtl/Format.h"

namespace Misc {

namespace {

String sysUser;

// Zero-fills numbers that were formatted with a field width.
void SpacesToZero(String& s) { std::replace(s.begin(), s.end(), ' ', '0'); }

String ZeroFilled(const char* format, std::vector<FormatArg> parts) {
  String s = Format(format, parts);
  SpacesToZero(s);
  return s;
}

// Exactly `length` characters, each a blank or a digit.
bool IsDigitsOrBlanks(const String& s, size_t length) {
  return s.size() == length &&
         std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
}

struct DateParts {
  int year, month, day;
};

// Reads the parts of a text of eight blanks and digits.
DateParts ReadDateParts(const String& s) {
  return {StrToInt(Copy(s, 1, 4)), StrToInt(Copy(s, 5, 2)), StrToInt(Copy(s, 7, 2))};
}

TDateTime Encode(const DateParts& d) { return EncodeDate(d.year, d.month, d.day); }

bool TryEncode(const DateParts& d, TDateTime& date) {
  return TryEncodeDate(d.year, d.month, d.day, date);
}

DateParts Decode(TDateTime date) {
  Word year, month, day;
  DecodeDate(date, year, month, day);
  return {year, month, day};
}

}  // namespace

bool IsBlank(const String& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

bool IsValidDate(const String& s) {
  if (!IsDigitsOrBlanks(s, 8)) return false;
  DateParts parts = ReadDateParts(s);
  try {
    Encode(parts);
    return true;
  } catch (const EConvertError&) {
    return false;  // not a calendar day: the answer, not a failure
  }
}

bool IsValidTime(const String& s) {
  if (!IsDigitsOrBlanks(s, 6)) return false;
  int hours = StrToInt(Copy(s, 1, 2));
  int minutes = StrToInt(Copy(s, 3, 2));
  int seconds = StrToInt(Copy(s, 5, 2));
  return hours >= 0 && hours <= 23 && minutes >= 0 && minutes < 60 && seconds >= 0 &&
         seconds < 60;
}

String Today() { return GetDateStr(Now()); }

String ThisTime() {
  Word hour, minute, second, msec;
  DecodeTime(Now(), hour, minute, second, msec);
  return ZeroFilled("%2d%2d", {int(hour), int(minute)});
}

void SetSysUser(const String& user) { sysUser = user; }

String GetSysUser() { return sysUser; }

TDateTime GetDateTime(const String& s) {
  if (!IsValidDate(s)) throw EConvertError("Invalid date string passed into GetDateTime");
  return Encode(ReadDateParts(s));
}

String GetDateStr(TDateTime date) {
  DateParts d = Decode(date);
  return ZeroFilled("%4d%2d%2d", {d.year, d.month, d.day});
}

String GetDaySpecified(int year, int month, int n, int weekday) {
  int count = 1;
  TDateTime date;
  for (int day = 1; TryEncode({year, month, day}, date); ++day) {
    if (DayOfWeek(date) != weekday) continue;
    if (count == n) return GetDateStr(date);
    ++count;
  }
  return "";
}

void WeeklyFromDate(TDateTime date, int& occurrence, int& weekday) {
  occurrence = (Decode(date).day - 1) / 7 + 1;
  weekday = DayOfWeek(date);
}

int LastDayOfMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return DaysInAMonth(static_cast<Word>(year), static_cast<Word>(month));
}

TDateTime GetLastDate(const String& s, int months) {
  if (!IsValidDate(s)) throw EConvertError("Invalid day string passed in GetLastDate ");
  DateParts d = Decode(GetDateTime(s));
  for (int i = 0; i < months; ++i) {
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  // Every month has a 28th: a date that still fails there lies outside the calendar's range,
  // and Encode raises its conversion error instead of counting the day down for ever.
  TDateTime date;
  while (d.day > 28 && !TryEncode(d, date)) --d.day;
  return Encode(d);
}

bool IsLeapYear(int year) { return ::IsLeapYear(static_cast<Word>(year)); }

String AddSlashToDateStr(const String& s) {
  if (!IsValidDate(s)) return "";
  return Copy(s, 1, 4) + "/" + Copy(s, 5, 2) + "/" + Copy(s, 7, 2);
}

String TrimSlashFromDateStr(const String& s) {
  if (s.size() != 10) return "";
  return Copy(s, 1, 4) + Copy(s, 6, 2) + Copy(s, 9, 2);
}

String AddColonToTimeStr(const String& s) {
  if (s.size() >= 7) return "";
  String result = Copy(s, 1, 2) + ":" + Copy(s, 3, 2);
  String seconds = Copy(s, 5, 2);
  if (!IsBlank(seconds)) result += ":" + seconds;
  return result;
}

String TrimColonFromTimeStr(const String& s) { return StringReplace(s, ":", "", {rfReplaceAll}); }

}  // namespace Misc
