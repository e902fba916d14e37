// The month calendar: layouts for weeks starting on Sunday and on Monday, and the month and year
// steps that keep the day inside the month.
#include "components/PickDate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rtl/Locale.h"
#include "rtl/StringList.h"
#include "ui/testing/UiTesting.h"

namespace {

TDateTime Ymd(int y, int m, int d) { return EncodeDate(y, m, d); }

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        vt::SetClockForTests(Ymd(2024, 6, 15) + 0.5);
        calendar = new TVtCalendar(nullptr);
    }
    void TearDown() override
    {
        delete calendar;
        vt::ResetClock();
    }
    TVtCalendar* calendar = nullptr;
};

TEST_F(CalendarTest, MonthLayoutPutsTheFirstUnderItsWeekday)
{
    struct Case { TDayOfWeekName start; TDateTime month; int firstCol; int lastDay, lastCol, lastRow; };
    const Case cases[] = {
        {Mon, Ymd(2021, 2, 10), 0, 28, 6, 4},   // 1 Feb 2021 is a Monday
        {Mon, Ymd(2021, 8, 10), 6, 31, 1, 6},   // 1 Aug 2021 is a Sunday: last column
        {Sun, Ymd(2021, 8, 10), 0, 31, 2, 5},
        {Sun, Ymd(2024, 6, 10), 6, 30, 0, 6},   // 1 Jun 2024 is a Saturday
    };
    for (const Case& c : cases) {
        calendar->SetStartOfWeek(c.start);
        calendar->SetCalendarDate(c.month);
        EXPECT_EQ(calendar->CellText(c.firstCol, 1), "1") << c.month;
        EXPECT_EQ(calendar->CellText(c.lastCol, c.lastRow), IntToStr(c.lastDay)) << c.month;
        if (c.firstCol > 0)
            EXPECT_EQ(calendar->CellText(c.firstCol - 1, 1), "") << c.month;
        EXPECT_EQ(calendar->CellText(0, 0), Locale().ShortDayNames[c.start]);
    }
}

TEST_F(CalendarTest, SelectionFollowsTheDayAndBlankCellsCannotBeChosen)
{
    calendar->SetStartOfWeek(Mon);
    calendar->SetCalendarDate(Ymd(2021, 8, 31));
    EXPECT_EQ(calendar->Col(), 1);
    EXPECT_EQ(calendar->Row(), 6);
    calendar->SetCol(0);   // 30 August
    EXPECT_EQ(calendar->Day(), 30);
    calendar->SetRow(1);   // column 0 of row 1 is blank in August 2021
    EXPECT_EQ(calendar->Row(), 6);
    EXPECT_EQ(calendar->Day(), 30);
}

TEST_F(CalendarTest, MonthAndYearStepsClampTheDay)
{
    struct Case { TDateTime from; void (TVtCalendar::*step)(); TDateTime expected; };
    const Case cases[] = {
        {Ymd(2024, 1, 31), &TVtCalendar::NextMonth, Ymd(2024, 2, 29)},
        {Ymd(2023, 1, 31), &TVtCalendar::NextMonth, Ymd(2023, 2, 28)},
        {Ymd(2024, 3, 31), &TVtCalendar::PrevMonth, Ymd(2024, 2, 29)},
        {Ymd(2024, 1, 31), &TVtCalendar::PrevMonth, Ymd(2023, 12, 31)},
        {Ymd(2024, 2, 29), &TVtCalendar::NextYear, Ymd(2025, 2, 28)},
        {Ymd(2024, 2, 29), &TVtCalendar::PrevYear, Ymd(2023, 2, 28)},
        {Ymd(2024, 2, 29), &TVtCalendar::NextMonth, Ymd(2024, 3, 29)},
    };
    for (const Case& c : cases) {
        calendar->SetCalendarDate(c.from);
        (calendar->*c.step)();
        EXPECT_EQ(calendar->CalendarDate(), c.expected) << c.from;
    }
}

TEST_F(CalendarTest, SettingAMonthLowersTheDayAndChangesFireOnce)
{
    int changes = 0;
    calendar->OnChange = [&](TObject*) { ++changes; };
    calendar->SetCalendarDate(Ymd(2024, 1, 31));
    calendar->SetMonth(4);
    EXPECT_EQ(calendar->CalendarDate(), Ymd(2024, 4, 30));
    calendar->SetMonth(4);
    calendar->SetMonth(13);
    calendar->SetDay(31);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(calendar->UseCurrentDate());
}

TEST_F(CalendarTest, KeysStepDaysAcrossTheMonthAndTGoesToToday)
{
    calendar->SetCalendarDate(Ymd(2024, 3, 1));
    WORD key = VK_LEFT;
    calendar->RouteKeyDown(key, TShiftState{});
    EXPECT_EQ(calendar->CalendarDate(), Ymd(2024, 2, 29));
    key = VK_ADD;
    calendar->RouteKeyDown(key, TShiftState{});
    EXPECT_EQ(calendar->CalendarDate(), Ymd(2024, 3, 1));
    char t = 't';
    calendar->RouteKeyPress(t);
    EXPECT_EQ(calendar->CalendarDate(), Ymd(2024, 6, 15));
}

TEST(PopupCalendarTest, HintsCopyAtMostFourNonEmptyLines)
{
    vt::EnsureTestApplication();
    auto* popup = new TPopupCalendar(nullptr);
    TStringList hints;
    hints.SetText("A\n\nC\nD\nE\nF");
    SetupPopupCalendar(popup, Sun, TDaysOfWeek{Sat, Sun}, clBlue, &hints, true);
    EXPECT_EQ(popup->NavButtons(0)->Hint(), "A");
    EXPECT_EQ(popup->NavButtons(1)->Hint(), "Previous Month|");
    EXPECT_EQ(popup->NavButtons(3)->Hint(), "D");
    EXPECT_EQ(popup->Calendar()->StartOfWeek(), Sun);
    popup->SetValue(Variant("not a date"));
    EXPECT_EQ(popup->GetValue().AsDateTime(), std::trunc(Now()));
    delete popup;
}

} // namespace
