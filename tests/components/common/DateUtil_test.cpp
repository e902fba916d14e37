// Date helpers: month arithmetic with end-of-month clamping, differences, and reading date texts
// in each date order and year width with the clock and the locale pinned.
#include "components/common/DateUtil.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"
#include "tests/fixtures/UnderLocale.h"

namespace {

TDateTime Ymd(int y, int m, int d) { return EncodeDate(y, m, d); }

// Pins the clock to 15 June 2026 and restores the locale after each test.
class DateUtilTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    saved_ = Locale();
    vt::SetClockForTests(Ymd(2026, 6, 15) + 0.5);
    Locale().DateSeparator = '/';
    const char* months[] = {"January", "February", "March", "April", "May", "June", "July",
                            "August", "September", "October", "November", "December"};
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                          "Saturday"};
    for (int i = 0; i < 12; ++i)
      Locale().LongMonthNames[i] = months[i];
    for (int i = 0; i < 7; ++i)
      Locale().LongDayNames[i] = days[i];
  }
  void TearDown() override
  {
    Locale() = saved_;
    vt::ResetClock();
  }
  void UseShortDateFormat(const String& f) { Locale().ShortDateFormat = f; }

private:
  FormatSettings saved_;
};

TEST_F(DateUtilTest, IncMonthClampsToTheEndOfTheMonth)
{
  struct Case { TDateTime from; int delta; TDateTime expected; };
  const Case cases[] = {
    {Ymd(2024, 1, 31), 1, Ymd(2024, 2, 29)},
    {Ymd(2024, 1, 31), 13, Ymd(2025, 2, 28)},
    {Ymd(2024, 1, 31), -2, Ymd(2023, 11, 30)},
    {Ymd(2024, 3, 31), -1, Ymd(2024, 2, 29)},
    {Ymd(2024, 1, 15), -1, Ymd(2023, 12, 15)},
    {Ymd(2024, 11, 30), 14, Ymd(2026, 1, 30)},
    {Ymd(2024, 2, 29), -25, Ymd(2022, 1, 29)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IncMonth(c.from, c.delta), c.expected) << c.from << " + " << c.delta;
  EXPECT_EQ(IncYear(Ymd(2024, 2, 29), 1), Ymd(2025, 2, 28));
}

TEST_F(DateUtilTest, IncDateKeepsTheTimeOfDayAndAddsDaysAfterTheMonths)
{
  const TDateTime evening = Ymd(2024, 1, 31) + 0.75;
  EXPECT_DOUBLE_EQ(IncMonth(evening, 1), Ymd(2024, 2, 29) + 0.75);
  // Months first (31 Jan -> 29 Feb), then one day: 1 March, not 2 March.
  EXPECT_EQ(IncDate(Ymd(2024, 1, 31), 1, 1, 0), Ymd(2024, 3, 1));
}

TEST_F(DateUtilTest, DateDiffInYearsMonthsAndDays)
{
  struct Case { TDateTime a, b; int years, months, days; };
  const Case cases[] = {
    {Ymd(2023, 1, 31), Ymd(2023, 3, 1), 0, 1, 1},
    {Ymd(2023, 3, 15), Ymd(2023, 5, 10), 0, 1, 26},
    {Ymd(2023, 5, 10), Ymd(2023, 3, 15), 0, 1, 26},   // order does not matter
    {Ymd(2020, 12, 20), Ymd(2023, 1, 5), 2, 0, 16},   // month wraps over the year
    {Ymd(2022, 6, 20), Ymd(2023, 6, 5), 0, 11, 15},   // no whole month left: year taken
    {Ymd(2023, 4, 1), Ymd(2023, 4, 1), 0, 0, 0},
  };
  for (const Case& c : cases) {
    std::uint16_t days, months, years;
    DateDiff(c.a, c.b, days, months, years);
    EXPECT_EQ(years, c.years) << c.a << " " << c.b;
    EXPECT_EQ(months, c.months) << c.a << " " << c.b;
    EXPECT_EQ(days, c.days) << c.a << " " << c.b;
  }
}

TEST_F(DateUtilTest, MonthsBetweenCountsRemainingDaysInQuarters)
{
  struct Case { TDateTime b; double expected; };
  const Case cases[] = {
    {Ymd(2023, 2, 2), 1.0},  {Ymd(2023, 2, 3), 1.25}, {Ymd(2023, 2, 8), 1.5},
    {Ymd(2023, 2, 16), 1.75}, {Ymd(2023, 2, 22), 2.0}, {Ymd(2024, 1, 1), 12.0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(MonthsBetween(Ymd(2023, 1, 1), c.b), c.expected) << c.b;
}

TEST_F(DateUtilTest, DayCountsAndValidity)
{
  EXPECT_EQ(DaysBetween(Ymd(2023, 5, 10), Ymd(2023, 5, 1)), 0);
  EXPECT_EQ(DaysBetween(Ymd(2023, 5, 1), Ymd(2023, 5, 10) + 0.9), 10);
  EXPECT_EQ(DaysInPeriod(Ymd(2023, 5, 10), Ymd(2023, 5, 1)), 10);
  EXPECT_EQ(DaysInPeriod(Ymd(2023, 5, 10), 1e9), 0);
  EXPECT_TRUE(ValidDate(NullDate));
  EXPECT_FALSE(ValidDate(-1e9));
  EXPECT_FALSE(ValidDate(1e9));
  EXPECT_EQ(DaysPerMonth(1900, 2), 28);
  EXPECT_EQ(DaysPerMonth(2000, 2), 29);
}

TEST_F(DateUtilTest, IncTimeWrapsANegativeResultIntoTheDay)
{
  EXPECT_DOUBLE_EQ(IncHour(0.25, -12), 0.75);
  EXPECT_DOUBLE_EQ(IncHour(Ymd(2024, 1, 1), 30), Ymd(2024, 1, 2) + 0.25);
  EXPECT_DOUBLE_EQ(IncMinute(Ymd(2024, 1, 1), 90), Ymd(2024, 1, 1) + 1.5 / 24);
  EXPECT_EQ(CutTime(Ymd(2024, 1, 1) + 0.99), Ymd(2024, 1, 1));
}

TEST_F(DateUtilTest, MonthsRelativeToToday)
{
  vt::SetClockForTests(Ymd(2026, 1, 20) + 0.3);
  EXPECT_EQ(FirstDayOfNextMonth(), Ymd(2026, 2, 1));
  EXPECT_EQ(FirstDayOfPrevMonth(), Ymd(2025, 12, 1));
  EXPECT_EQ(LastDayOfPrevMonth(), Ymd(2025, 12, 31));
  vt::SetClockForTests(Ymd(2026, 12, 2));
  EXPECT_EQ(FirstDayOfNextMonth(), Ymd(2027, 1, 1));
  EXPECT_EQ(CurrentYear(), 2026);
}

TEST_F(DateUtilTest, GetDateOrderTakesTheFirstDateLetter)
{
  EXPECT_EQ(GetDateOrder("yyyy-MM-dd"), doYMD);
  EXPECT_EQ(GetDateOrder("d.M.yy"), doDMY);
  EXPECT_EQ(GetDateOrder("M/d/yyyy"), doMDY);
  EXPECT_EQ(GetDateOrder("gg ee/MM/dd"), doYMD);
  EXPECT_EQ(GetDateOrder("--"), doDMY);
}

TEST_F(DateUtilTest, DefaultLayoutsAndMasksFollowTheLocaleOrder)
{
  struct Case { const char* shortFormat; bool four; const char* layout; const char* mask; };
  const Case cases[] = {
    {"M/d/yyyy", true, "MM/DD/YYYY", "!99/99/9999;1;_"},
    {"M/d/yyyy", false, "MM/DD/YY", "!99/99/99;1;_"},
    {"dd.MM.yyyy", true, "DD/MM/YYYY", "!99/99/9999;1;_"},
    {"yyyy-MM-dd", true, "YYYY/MM/DD", "!9999/99/99;1;_"},
    {"yyyy-MM-dd", false, "YY/MM/DD", "!99/99/99;1;_"},
  };
  for (const Case& c : cases) {
    UseShortDateFormat(c.shortFormat);
    EXPECT_EQ(DefDateFormat(c.four), c.layout) << c.shortFormat;
    EXPECT_EQ(DefDateMask('_', c.four), c.mask) << c.shortFormat;
  }
}

TEST_F(DateUtilTest, ReadsDatesInEachOrderAndYearWidth)
{
  UseShortDateFormat("dd/MM/yyyy");
  struct Case { const char* layout; const char* text; TDateTime expected; };
  const Case cases[] = {
    {"DD/MM/YYYY", "05/03/2024", Ymd(2024, 3, 5)},
    {"MM/DD/YYYY", "03/05/2024", Ymd(2024, 3, 5)},
    {"YYYY/MM/DD", "2024/03/05", Ymd(2024, 3, 5)},
    {"DD/MM/YY", "05/03/24", Ymd(2024, 3, 5)},
    {"YY/MM/DD", "24/03/05", Ymd(2024, 3, 5)},
    {"DD/MM/YYYY", " 5/ 3/2024", Ymd(2024, 3, 5)},        // blanks of the mask
    {"DD-MMM-YYYY", "05-mar-2024", Ymd(2024, 3, 5)},      // month by name
    {"DD/MM/YYYY", "5/3", Ymd(2026, 3, 5)},               // free form, this year
    {"MM/DD/YYYY", "3/5", Ymd(2026, 3, 5)},
    {"DD/MM/YYYY", "5/3/24", Ymd(2024, 3, 5)},            // free form, two-digit year
    {"YYYY/MM/DD", "2024/3/5/ ", Ymd(2024, 3, 5)},        // trailing separator
    {"DD/MM/YYYY", "", NullDate},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrToDateFmt(c.layout, c.text), c.expected) << c.layout << " '" << c.text << "'";
}

TEST_F(DateUtilTest, TwoDigitYearsFallInTheWindowBeforeTheCurrentYear)
{
  // Clock in 2026: the window is 1966 .. 2065.
  struct Case { const char* text; int year; };
  const Case cases[] = {{"01/01/65", 2065}, {"01/01/66", 1966}, {"01/01/00", 2000},
                        {"01/01/99", 1999}, {"01/01/0150", 150}};
  UseShortDateFormat("dd/MM/yyyy");
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractYear(StrToDateFmt("DD/MM/YYYY", c.text)), c.year) << c.text;
    EXPECT_EQ(ExtractYear(StrToDate(c.text)), c.year) << "the runtime library's reader, " << c.text;
  }
  vt::SetClockForTests(Ymd(2090, 1, 1));
  EXPECT_EQ(ExtractYear(StrToDateFmt("DD/MM/YY", "01/01/29")), 2129);
  EXPECT_EQ(ExtractYear(StrToDateFmt("DD/MM/YY", "01/01/30")), 2030);
}

TEST_F(DateUtilTest, UnreadableTextsRaiseOrGiveTheDefault)
{
  UseShortDateFormat("dd/MM/yyyy");
  const char* unreadable[] = {
    "05/03/20245",  // longer than the layout and a fifth year digit left over
    "31/02/2024",   // no such day
    "05/03/    ",   // year left blank
    "  /  /    ",
    "05/03/",
    "5.3.2024",
    "abc",
  };
  for (const char* text : unreadable) {
    try {
      StrToDateFmt("DD/MM/YYYY", text);
      ADD_FAILURE() << "read '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String("'") + text + "' is not a valid date");
    }
    EXPECT_EQ(StrToDateFmtDef("DD/MM/YYYY", text, Ymd(2020, 1, 2) + 0.5), Ymd(2020, 1, 2));
  }
  EXPECT_EQ(StrToDateDef("05/03/2024", NullDate), Ymd(2024, 3, 5));
  EXPECT_EQ(StrToDateDef("", Ymd(2020, 1, 2)), NullDate);
}

TEST_F(DateUtilTest, MonthFromNameComparesCutNamesIgnoringCase)
{
  EXPECT_EQ(MonthFromName("SEP", 3), 9);
  EXPECT_EQ(MonthFromName("Ju", 2), 6);   // June comes before July
  EXPECT_EQ(MonthFromName("Juli", 4), 0);
  EXPECT_EQ(MonthFromName("", 3), 0);
}

TEST_F(DateUtilTest, LongDateTexts)
{
  Locale().LongDateFormat = "dddd, mmmm d, yyyy  ";
  EXPECT_EQ(FormatLongDate(Ymd(2024, 3, 5)), "Tuesday, March 5, 2024");
  EXPECT_EQ(FormatLongDateTime(NullDate), "");
  EXPECT_EQ(FormatLongDateTime(Ymd(2024, 3, 5)).rfind("Tuesday, March 5, 2024 ", 0), 0u);
}

TEST(LongDates, EachLocaleWritesItsOwnLongDateForm)
{
  const struct { const char* locale; const char* text; } cases[] = {
      {"en_US.UTF-8", "Monday, March 4, 2024"},
      {"de_DE.UTF-8", "Montag, 4. März 2024"},
      {"fr_FR.UTF-8", "lundi 4 mars 2024"},
      {"ru_RU.UTF-8", "Понедельник, 4 марта 2024\u202Fг."},
  };
  for (const auto& c : cases) {
    vt::testing::UnderLocale locale(c.locale);
    EXPECT_EQ(FormatLongDate(Ymd(2024, 3, 4)), c.text) << c.locale;
  }
}

} // namespace
