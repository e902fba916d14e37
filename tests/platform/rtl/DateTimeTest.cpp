// Date arithmetic, the fixable clock, and date text by the locale's patterns.
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

class DateTimeTest : public ::testing::Test {
protected:
    void SetUp() override { Locale() = FormatSettings(); }
    void TearDown() override
    {
        Locale() = FormatSettings();
        vt::ResetClock();
    }
};

}  // namespace

TEST_F(DateTimeTest, EncodeDateDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(1970, 1, 1), 25569);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
}

TEST_F(DateTimeTest, EncodeDateRejectsDaysThatDoNotExist)
{
    struct Case {
        Word y, m, d;
    };
    for (Case c : {Case{1900, 2, 29}, Case{2023, 2, 29}, Case{2024, 4, 31}, Case{2024, 13, 1},
                   Case{2024, 0, 1}, Case{2024, 1, 0}, Case{0, 1, 1}, Case{10000, 1, 1}}) {
        try {
            EncodeDate(c.y, c.m, c.d);
            ADD_FAILURE() << c.y << "-" << c.m << "-" << c.d;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
}

TEST_F(DateTimeTest, DecodeRoundTripsAcrossCenturies)
{
    for (Word year : {1, 1600, 1899, 1900, 2000, 2024, 2100, 9999})
        for (Word month : {1, 2, 12}) {
            Word day = DaysInAMonth(year, month);
            Word y, m, d;
            DecodeDate(EncodeDate(year, month, day), y, m, d);
            EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
        }
    Word h, n, s, ms;
    DecodeTime(EncodeDate(2024, 3, 5) + EncodeTime(13, 45, 30, 250), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 134530250);
    // Before day 0 the time is the fraction's magnitude.
    Word y, m, d;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
}

TEST_F(DateTimeTest, TimeJustBeforeMidnightRoundsIntoTheNextDay)
{
    TDateTime almost = EncodeDate(2024, 3, 5) + (MSecsPerDay - 0.4) / MSecsPerDay;
    Word y, m, d, h, n, s, ms;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ(d, 6);
    EXPECT_EQ(h + n + s + ms, 0);
}

// Every routine that takes a date value refuses one outside 0001-01-01 .. 9999-12-31 with the
// invalid-date error instead of overflowing while splitting it into days and milliseconds.
TEST_F(DateTimeTest, ValuesOutsideTheCalendarAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const TDateTime lastMoment = EncodeDate(9999, 12, 31) + (MSecsPerDay - 0.4) / MSecsPerDay;
    const std::function<void(TDateTime)> routines[] = {
        [](TDateTime v) { Word y, m, d; DecodeDate(v, y, m, d); },
        [](TDateTime v) { Word h, n, s, ms; DecodeTime(v, h, n, s, ms); },
        [](TDateTime v) { DayOfWeek(v); },
        [](TDateTime v) { IncMonth(v, 0); },
        [](TDateTime v) { FormatDateTime("hh:nn", v); },
        [](TDateTime v) { DateToStr(v); },
        [](TDateTime v) { TimeToStr(v); },
        [](TDateTime v) { DateTimeToStr(v); },
    };
    for (TDateTime value : {1e300, -1e300, 1e19, -1e19, inf, -inf, std::nan(""),
                            EncodeDate(1, 1, 1) - 1, EncodeDate(9999, 12, 31) + 1, lastMoment}) {
        for (std::size_t i = 0; i < std::size(routines); ++i) {
            try {
                routines[i](value);
                ADD_FAILURE() << "routine " << i << " took " << value;
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), "Invalid argument to date encode") << value;
            }
        }
    }
    // The first and last days, any time of day, are in range.
    for (TDateTime value : {EncodeDate(1, 1, 1) - 0.999, EncodeDate(9999, 12, 31) + 0.999})
        for (const auto& routine : routines)
            EXPECT_NO_THROW(routine(value)) << value;
}

// Months far enough to leave the calendar are refused, not wrapped round into it.
TEST_F(DateTimeTest, IncMonthOutsideTheCalendarIsRefused)
{
    const TDateTime date = EncodeDate(2024, 3, 31);
    EXPECT_EQ(IncMonth(date, -1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(9999, 11, 30) + 0.5, 1), EncodeDate(9999, 12, 30) + 0.5);
    for (int months : {65536 * 12, -2024 * 12, 12 * 7976, std::numeric_limits<int>::max(),
                       std::numeric_limits<int>::min()})
        EXPECT_THROW(IncMonth(date, months), EConvertError) << months;
}

TEST_F(DateTimeTest, WeekDaysLeapYearsAndMonths)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
}

TEST_F(DateTimeTest, FixedClockDrivesNowDateAndTime)
{
    TDateTime moment = EncodeDate(2024, 7, 4) + EncodeTime(9, 30, 0, 0);
    vt::SetClockForTests(moment);
    EXPECT_EQ(Now(), moment);
    EXPECT_EQ(Date(), EncodeDate(2024, 7, 4));
    EXPECT_NEAR(Time(), EncodeTime(9, 30, 0, 0), 1e-9);
    vt::ResetClock();
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST_F(DateTimeTest, FormatDateTimePatterns)
{
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(13, 7, 9, 45);
    struct Case {
        const char* format;
        const char* text;
    };
    for (Case c : {Case{"yyyymmdd", "20240305"},
                   Case{"m/d/yy", "3/5/24"},
                   Case{"dd.mm.yyyy", "05.03.2024"},
                   Case{"ddd dddd", "Tue Tuesday"},
                   Case{"mmm mmmm", "Mar March"},
                   Case{"MMMM d, YYYY", "March 5, 2024"},
                   Case{"hh:mm:ss.zzz", "13:07:09.045"},
                   Case{"h:nn z", "13:07 45"},
                   Case{"hhnnss", "130709"},
                   Case{"h:mm am/pm", "1:07 pm"},
                   Case{"h:mm AM/PM", "1:07 PM"},
                   Case{"h a/p", "1 p"},
                   Case{"hh ampm", "01 PM"},
                   Case{"'mm' \"dd\" mm", "mm dd 03"},
                   Case{"ddddd", "3/5/2024"},
                   Case{"c", "3/5/2024 1:07:09 PM"},
                   Case{"t", "1:07 PM"},
                   Case{"", "3/5/2024 1:07:09 PM"}})
        EXPECT_EQ(FormatDateTime(c.format, t), c.text) << c.format;
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024");
}

TEST_F(DateTimeTest, FormatFollowsLocaleSeparatorsAndNames)
{
    FormatSettings& fs = Locale();
    fs.DateSeparator = '.';
    fs.TimeSeparator = '-';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.ShortMonthNames[2] = "Mrz";
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(13, 7, 0, 0);
    EXPECT_EQ(FormatDateTime("ddddd hh:nn mmm", t), "05.03.2024 13-07 Mrz");
    EXPECT_EQ(DateToStr(t), "05.03.2024");
}

TEST_F(DateTimeTest, StrToDateFollowsShortDateOrder)
{
    vt::SetClockForTests(EncodeDate(2024, 6, 1));
    EXPECT_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 12/31/1999 "), EncodeDate(1999, 12, 31));
    EXPECT_EQ(StrToDate("3/5"), EncodeDate(2024, 3, 5));
    // Two-digit years fall in the hundred years that start 60 years before the current one.
    EXPECT_EQ(StrToDate("1/2/24"), EncodeDate(2024, 1, 2));
    EXPECT_EQ(StrToDate("1/2/80"), EncodeDate(1980, 1, 2));
    EXPECT_EQ(StrToDate("1/2/64"), EncodeDate(1964, 1, 2));
    EXPECT_EQ(StrToDate("1/2/63"), EncodeDate(2063, 1, 2));

    Locale().ShortDateFormat = "d/M/yyyy";
    EXPECT_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 5, 3));
    Locale().ShortDateFormat = "yyyy/MM/dd";
    EXPECT_EQ(StrToDate("2024/5/3"), EncodeDate(2024, 5, 3));

    for (const char* bad : {"", "2/30/2024", "13/1/2024", "1-2-2024", "1/2/2024x", "abc"}) {
        try {
            StrToDate(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + bad + "' is not a valid date");
        }
    }
}

TEST_F(DateTimeTest, StrToTimeAndDateTime)
{
    EXPECT_DOUBLE_EQ(StrToTime("13:07"), EncodeTime(13, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("1:07:09 PM"), EncodeTime(13, 7, 9, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:00 am"), 0);
    EXPECT_DOUBLE_EQ(StrToTime("5 PM"), EncodeTime(17, 0, 0, 0));
    EXPECT_THROW(StrToTime("13:07 PM"), EConvertError);
    EXPECT_THROW(StrToTime("25:00"), EConvertError);
    EXPECT_THROW(StrToTime("13"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024 1:07 PM"),
                     EncodeDate(2024, 3, 5) + EncodeTime(13, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_THROW(StrToDateTime("  "), EConvertError);
}
