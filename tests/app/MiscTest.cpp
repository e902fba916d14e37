// Unit Misc: the compact date and time texts, their calendar arithmetic and the user name.
#include "app/Misc.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"

namespace {

struct TextCase {
  const char* input;
  bool expected;
};

TEST(Misc, IsBlankOnlyForEmptyOrBlanks) {
  for (TextCase c : {TextCase{"", true}, {"   ", true}, {" a", false}, {"a ", false}})
    EXPECT_EQ(Misc::IsBlank(c.input), c.expected) << '"' << c.input << '"';
}

TEST(Misc, IsValidDateChecksLengthCharactersAndCalendar) {
  const TextCase cases[] = {
      {"20030229", false},  // 2003 is no leap year
      {"20040229", true},   {"20000229", true},  {"19000229", false},
      {"2003022", false},   {"200302281", false}, {"20031301", false}, {"20030431", false},
      {"2003a228", false},  {"2003-5-7", false},  {"2003 5 7", true},  // leading blanks read
  };
  for (TextCase c : cases) EXPECT_EQ(Misc::IsValidDate(c.input), c.expected) << c.input;
}

TEST(Misc, IsValidDatePassesOnAPartThatIsNoNumber) {
  // "1 " has a trailing blank, which the text-to-integer conversion refuses.
  EXPECT_THROW(Misc::IsValidDate("2003051 "), EConvertError);
}

TEST(Misc, IsValidTimeChecksRanges) {
  const TextCase cases[] = {
      {"240000", false}, {"235959", true}, {"000000", true}, {"236000", false},
      {"235960", false}, {"2359", false},  {"2359590", false}, {"12 0 0", true}, {"12:000", false},
  };
  for (TextCase c : cases) EXPECT_EQ(Misc::IsValidTime(c.input), c.expected) << c.input;
}

class MiscClock : public ::testing::Test {
protected:
  void TearDown() override { vt::ResetClock(); }
};

TEST_F(MiscClock, TodayAndThisTimeAreZeroFilled) {
  vt::SetClockForTests(EncodeDate(2003, 3, 5) + EncodeTime(9, 5, 7, 0));
  EXPECT_EQ(Misc::Today(), "20030305");
  EXPECT_EQ(Misc::ThisTime(), "0905");
}

TEST(Misc, DateTextConversionsRoundTrip) {
  EXPECT_EQ(Misc::GetDateTime("20030507"), EncodeDate(2003, 5, 7));
  EXPECT_EQ(Misc::GetDateStr(EncodeDate(2003, 5, 7) + 0.75), "20030507");
  EXPECT_EQ(Misc::GetDateStr(EncodeDate(987, 1, 2)), "09870102");
}

TEST(Misc, GetDateTimeRefusesAnInvalidText) {
  try {
    Misc::GetDateTime("20030229");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid date string passed into GetDateTime");
  }
}

TEST(Misc, GetDaySpecifiedFindsTheNthWeekday) {
  struct Case {
    int year, month, n, weekday;
    const char* expected;
  };
  const Case cases[] = {
      {2003, 5, 2, 1, "20030511"},  // second Sunday of May 2003
      {2003, 5, 1, 5, "20030501"},  // the 1st itself
      {2003, 5, 4, 2, "20030526"},  // last of four Mondays
      {2003, 5, 5, 2, ""},          // no fifth Monday
      {2003, 5, 0, 2, ""},          // n <= 0 never matches
      {2003, 13, 1, 1, ""},         // no such month
  };
  for (const Case& c : cases)
    EXPECT_EQ(Misc::GetDaySpecified(c.year, c.month, c.n, c.weekday), c.expected)
        << c.year << "/" << c.month << " n=" << c.n << " weekday=" << c.weekday;
}

TEST(Misc, WeeklyFromDateGivesOccurrenceAndWeekday) {
  int occurrence = 0, weekday = 0;
  Misc::WeeklyFromDate(EncodeDate(2003, 5, 12), occurrence, weekday);  // second Monday
  EXPECT_EQ(occurrence, 2);
  EXPECT_EQ(weekday, 2);
  Misc::WeeklyFromDate(EncodeDate(2003, 5, 31), occurrence, weekday);  // fifth Saturday
  EXPECT_EQ(occurrence, 5);
  EXPECT_EQ(weekday, 7);
}

TEST(Misc, LastDayOfMonthAndLeapYears) {
  struct Case {
    int year, month, days;
  };
  const Case cases[] = {{2003, 1, 31}, {2003, 4, 30}, {2003, 12, 31}, {2003, 2, 28}, {2004, 2, 29},
                        {1900, 2, 28}, {2000, 2, 29}, {2003, 0, 0},   {2003, 13, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(Misc::LastDayOfMonth(c.year, c.month), c.days) << c.year << "/" << c.month;
  EXPECT_TRUE(Misc::IsLeapYear(2000));
  EXPECT_FALSE(Misc::IsLeapYear(1900));
  EXPECT_TRUE(Misc::IsLeapYear(2004));
  EXPECT_FALSE(Misc::IsLeapYear(2003));
}

TEST(Misc, GetLastDateAddsMonthsAndClampsTheDay) {
  struct Case {
    const char* start;
    int months;
    TDateTime expected;
  };
  const Case cases[] = {
      {"20030131", 1, EncodeDate(2003, 2, 28)},  {"20040131", 1, EncodeDate(2004, 2, 29)},
      {"20031115", 2, EncodeDate(2004, 1, 15)},  {"20030331", 13, EncodeDate(2004, 4, 30)},
      {"20030507", 0, EncodeDate(2003, 5, 7)},   {"20030507", -3, EncodeDate(2003, 5, 7)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Misc::GetLastDate(c.start, c.months), c.expected) << c.start << " + " << c.months;
}

TEST(Misc, GetLastDateRefusesAnInvalidText) {
  try {
    Misc::GetLastDate("20031301", 1);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid day string passed in GetLastDate ");
  }
}

TEST(Misc, SlashAndColonForms) {
  struct Case {
    String (*convert)(const String&);
    const char* input;
    const char* expected;
  };
  const Case cases[] = {
      {Misc::AddSlashToDateStr, "20030507", "2003/05/07"},
      {Misc::AddSlashToDateStr, "20031301", ""},
      {Misc::TrimSlashFromDateStr, "2003/05/07", "20030507"},
      {Misc::TrimSlashFromDateStr, "2003/5/7", ""},
      {Misc::AddColonToTimeStr, "1230", "12:30"},
      {Misc::AddColonToTimeStr, "123045", "12:30:45"},
      {Misc::AddColonToTimeStr, "1230  ", "12:30"},
      {Misc::AddColonToTimeStr, "12 0", "12: 0"},  // blanks stay as they are
      {Misc::AddColonToTimeStr, "1230450", ""},
      {Misc::TrimColonFromTimeStr, "12:30:45", "123045"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.convert(c.input), c.expected) << c.input;
}

TEST(Misc, SysUserIsKeptUntilChanged) {
  EXPECT_EQ(Misc::GetSysUser(), "");
  Misc::SetSysUser("coach");
  EXPECT_EQ(Misc::GetSysUser(), "coach");
  Misc::SetSysUser("");
}

}  // namespace
