// Date arithmetic and date-text reading of the component library: month lengths, adding days,
// months and years with end-of-month clamping, differences, a tolerant reader of texts in a fixed
// layout such as "DD/MM/YYYY", and the default layouts and edit masks for the locale's date order.
#pragma once

#include <cstdint>

#include "rtl/DateTime.h"
#include "rtl/Set.h"
#include "rtl/StrUtils.h"

// 0.0 means "no date" everywhere in the date controls.
inline constexpr TDateTime NullDate = 0.0;

// Two-digit years are expanded into the hundred years starting this many years before now.
inline constexpr int CenturyOffset = 60;

// Taken once at start from the locale's short date format: it holds "YYYY".
extern bool FourDigitYear;

enum TDateOrder { doMDY, doDMY, doYMD };
enum TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
using TDaysOfWeek = Set<TDayOfWeekName>;

// AMonth must lie in 1..12 (callers check it first).
int DaysPerMonth(int AYear, int AMonth);

TDateTime FirstDayOfNextMonth();
TDateTime FirstDayOfPrevMonth();
TDateTime LastDayOfPrevMonth();

std::uint16_t ExtractDay(TDateTime D);
std::uint16_t ExtractMonth(TDateTime D);
std::uint16_t ExtractYear(TDateTime D);

// Adds years and months first (the day clamped to the month reached), then days; keeps the time.
TDateTime IncDate(TDateTime D, int Days, int Months, int Years);
TDateTime IncDay(TDateTime D, int Delta);
// IncMonth (D, Delta) is the runtime library's: the same clamping, the time kept.
TDateTime IncYear(TDateTime D, int Delta);

// Years, months and days from the earlier of D1, D2 to the later.
void DateDiff(TDateTime D1, TDateTime D2, std::uint16_t& Days, std::uint16_t& Months,
              std::uint16_t& Years);
double MonthsBetween(TDateTime D1, TDateTime D2);

// Never raises: any decoding failure is simply "not valid".
bool ValidDate(TDateTime D);
int DaysInPeriod(TDateTime D1, TDateTime D2);
int DaysBetween(TDateTime D1, TDateTime D2);

TDateTime IncTime(TDateTime D, int Hours, int Minutes, int Seconds, int MSecs);
TDateTime IncHour(TDateTime D, int Delta);
TDateTime IncMinute(TDateTime D, int Delta);
TDateTime IncSecond(TDateTime D, int Delta);
TDateTime IncMSec(TDateTime D, int Delta);
TDateTime CutTime(TDateTime D);

int CurrentYear();
TDateOrder GetDateOrder(const String& DateFormat);
int MonthFromName(const String& S, int MaxLen);

// Empty text gives NullDate; unreadable text raises EConvertError.
TDateTime StrToDateFmt(const String& DateFormat, const String& S);
TDateTime StrToDateDef(const String& S, TDateTime Default);
TDateTime StrToDateFmtDef(const String& DateFormat, const String& S, TDateTime Default);

String DefDateFormat(bool FourDigitYear);
String DefDateMask(char BlanksChar, bool FourDigitYear);

String FormatLongDate(TDateTime D);
String FormatLongDateTime(TDateTime D);
