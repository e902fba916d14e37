// The month calendar: layouts for weeks starting on Sunday and on Monday, and the month and year
// steps that keep the day inside the month.
#include "components/edits/PickDate.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"
#include "tests/fixtures/UnderLocale.h"
#include "rtl/StringList.h"
#include "tests/components/edits/DayMonthYearClock.h"
#include "ui/controls/MaskEdit.h"
#include "ui/forms/Forms.h"
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
    using Step = void (*)(TVtCalendar*);
    const Step nextMonth = [](TVtCalendar* c) { c->NextMonth(); };
    const Step prevMonth = [](TVtCalendar* c) { c->PrevMonth(); };
    const Step nextYear = [](TVtCalendar* c) { c->NextYear(); };
    const Step prevYear = [](TVtCalendar* c) { c->PrevYear(); };
    struct Case { TDateTime from; Step step; TDateTime expected; };
    const Case cases[] = {
        {Ymd(2024, 1, 31), nextMonth, Ymd(2024, 2, 29)},
        {Ymd(2023, 1, 31), nextMonth, Ymd(2023, 2, 28)},
        {Ymd(2024, 3, 31), prevMonth, Ymd(2024, 2, 29)},
        {Ymd(2024, 1, 31), prevMonth, Ymd(2023, 12, 31)},
        {Ymd(2024, 2, 29), nextYear, Ymd(2025, 2, 28)},
        {Ymd(2024, 2, 29), prevYear, Ymd(2023, 2, 28)},
        {Ymd(2024, 2, 29), nextMonth, Ymd(2024, 3, 29)},
    };
    for (const Case& c : cases) {
        calendar->SetCalendarDate(c.from);
        c.step(calendar);
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

constexpr LPARAM kShift = 0x40000000;
constexpr LPARAM kCtrl = static_cast<LPARAM>(0x80000000u);

// Answers the next date dialog with keys posted to it once it is the active form, and notes
// where it stood.
class DateDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        dates.emplace(Ymd(2024, 6, 15) + 0.5);
    }
    void TearDown() override
    {
        Screen->OnActiveFormChange = nullptr;
        dates.reset();
    }

    void AnswerWith(std::vector<std::pair<WORD, LPARAM>> keys)
    {
        answered = false;
        Screen->OnActiveFormChange = [this, keys](TObject*) {
            auto* dialog = dynamic_cast<TSelectDateDlg*>(Screen->ActiveForm());
            if (!dialog || answered)
                return;
            answered = true;
            caption = dialog->Caption();
            bounds = dialog->BoundsRect();
            borderIcons = dialog->BorderIcons();
            for (const auto& [key, keyData] : keys)
                PostMessage(dialog, WM_KEYDOWN, key, keyData);
        };
    }

    std::optional<DayMonthYearClock> dates;
    bool answered = false;
    String caption;
    TRect bounds;
    TBorderIcons borderIcons;
};

TEST_F(DateDialogTest, KeysStepMonthsAndYearsAndEnterConfirms)
{
    TDateTime date = Ymd(2024, 1, 31);
    AnswerWith({{VK_TAB, 0}, {VK_NEXT, kCtrl}, {VK_TAB, kShift}, {VK_PRIOR, 0}, {VK_RETURN, 0}});
    ASSERT_TRUE(SelectDate(date, "", Mon, TDaysOfWeek{Sun}, clRed, nullptr));
    // 29 Feb 2024, then 28 Feb 2025 (no 29th that year), 28 Jan 2025, 28 Dec 2024.
    EXPECT_EQ(date, Ymd(2024, 12, 28));
    EXPECT_EQ(caption, "Select a Date");

    date = NullDate;  // starts on today
    AnswerWith({{VK_RETURN, 0}});
    ASSERT_TRUE(SelectDate(date, "Birthday", Mon, TDaysOfWeek{Sun}, clRed, nullptr));
    EXPECT_EQ(date, Ymd(2024, 6, 15));
    EXPECT_EQ(caption, "Birthday");
}

TEST_F(DateDialogTest, EscapeCancelsAndKeepsTheDate)
{
    TDateTime date = Ymd(2024, 1, 31);
    AnswerWith({{VK_TAB, 0}, {VK_ESCAPE, 0}});
    EXPECT_FALSE(SelectDate(date, "", Mon, TDaysOfWeek{Sun}, clRed, nullptr));
    EXPECT_EQ(date, Ymd(2024, 1, 31));
}

TEST_F(DateDialogTest, SelectDateStrWorksOnShortDateTextAndRefusesUnreadableText)
{
    String text = "05/03/2024";
    AnswerWith({{VK_TAB, 0}, {VK_RETURN, 0}});
    ASSERT_TRUE(SelectDateStr(text, "", Mon, TDaysOfWeek{Sun}, clRed, nullptr));
    EXPECT_EQ(text, "05/04/2024");

    text = "31/02/2024";
    AnswerWith({{VK_RETURN, 0}});
    EXPECT_THROW(SelectDateStr(text, "", Mon, TDaysOfWeek{Sun}, clRed, nullptr), EConvertError);
    EXPECT_FALSE(answered);
}

TEST_F(DateDialogTest, PopupDateOpensWithoutBorderIconsRightAlignedBelowTheEdit)
{
    TForm form(nullptr);
    form.SetBounds(300, 100, 400, 200);
    auto* edit = new TMaskEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 120, 22);
    form.Show();

    TDateTime date = Ymd(2024, 3, 4);
    AnswerWith({{VK_RETURN, 0}});
    ASSERT_TRUE(PopupDate(date, edit));
    EXPECT_EQ(date, Ymd(2024, 3, 4));
    EXPECT_TRUE(borderIcons.Empty());
    const TPoint origin = edit->ClientOrigin();
    EXPECT_EQ(bounds.Top, origin.Y + edit->Height() - 1);
    EXPECT_EQ(bounds.Right, origin.X + edit->Width());
}

TEST(SelectDateDlgTest, TitleShowsMonthAndYearAndTheNullDateMeansToday)
{
    vt::EnsureTestApplication();
    vt::SetClockForTests(Ymd(2024, 6, 15));
    TSelectDateDlg dialog(nullptr);
    dialog.SetDate(Ymd(2024, 1, 31) + 0.75);
    EXPECT_EQ(dialog.Date(), Ymd(2024, 1, 31));
    EXPECT_EQ(dialog.TitleText(), FormatDateTime("MMMM, YYYY", Ymd(2024, 1, 31)));
    dialog.SetDate(NullDate);
    EXPECT_EQ(dialog.Date(), Ymd(2024, 6, 15));
    vt::ResetClock();
}

// A month on its own is named in the nominative where the language declines month names.
TEST(SelectDateDlgTest, TheTitleNamesTheMonthOnItsOwn)
{
    vt::EnsureTestApplication();
    const struct { const char* locale; const char* title; } cases[] = {
        {"ru_RU.UTF-8", "Март, 2024"}, {"de_DE.UTF-8", "März, 2024"}, {"en_US.UTF-8", "March, 2024"}};
    for (const auto& c : cases) {
        vt::testing::UnderLocale locale(c.locale);
        TSelectDateDlg dialog(nullptr);
        dialog.SetDate(Ymd(2024, 3, 4));
        EXPECT_EQ(dialog.TitleText(), c.title) << c.locale;
    }
}

} // namespace

// The pop-up and the date dialog take the desktop's message font; the fallback is the classic
// one when the desktop names none.
TEST(PopupCalendarFont, FollowsTheDesktopsMessageFont)
{
    vt::EnsureTestApplication();
    const QFont saved = QApplication::font("QMessageBox");
    QFont message("DejaVu Serif", 13);
    message.setItalic(true);
    QApplication::setFont(message, "QMessageBox");
    {
        TPopupCalendar popup(nullptr);
        EXPECT_EQ(popup.Font()->Name(), "DejaVu Serif");
        EXPECT_EQ(popup.Font()->Size(), 13);
        EXPECT_EQ(popup.Font()->Style(), TFontStyles{fsItalic});
        TSelectDateDlg dialog(nullptr);
        EXPECT_EQ(dialog.Font()->Name(), "DejaVu Serif");
    }
    QApplication::setFont(QFont(QString()), "QMessageBox");
    {
        TPopupCalendar popup(nullptr);
        EXPECT_EQ(popup.Font()->Name(), "MS Sans Serif");
        EXPECT_EQ(popup.Font()->Size(), 8);
        EXPECT_EQ(popup.Font()->Color(), clWindowText);
        EXPECT_EQ(popup.Font()->Style(), TFontStyles{});
    }
    QApplication::setFont(saved, "QMessageBox");
}
