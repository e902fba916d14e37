// The date edit: layout and mask from the locale's date order, typing, the +/- and T keys, the
// exit check that keeps the focus on unreadable text, and re-laying out after a locale change.
#include "components/edits/ToolEdit.h"

#include "components/edits/PickDate.h"

#include <gtest/gtest.h>

#include <optional>

#include "rtl/Locale.h"
#include "tests/components/edits/DayMonthYearClock.h"
#include "tests/fixtures/UnderLocale.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/SettingChange.h"
#include "ui/testing/UiTesting.h"

namespace {

TDateTime Ymd(int y, int m, int d) { return EncodeDate(y, m, d); }

constexpr LPARAM kShiftKeyData = 0x40000000;

// A shown form with a date edit and a second edit to move the focus to; clock pinned to
// 15 June 2024, 10:00, and a day-month-year locale.
class DateEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        dates.emplace(Ymd(2024, 6, 15) + 10.0 / 24);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 100);
        edit = new TDateEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 120, 22);
        edit->SetYearDigits(dyFour);
        other = new TMaskEdit(form);
        other->SetParent(form);
        other->SetBounds(10, 40, 120, 22);
        form->Show();
        edit->SetFocus();
    }
    void TearDown() override
    {
        delete form;
        vt::SetUpdateFormatSettings(true);
        dates.reset();
    }

    void TypeFromStart(const String& keys)
    {
        edit->SetSelStart(0);
        vt::TypeText(edit, keys);
    }
    void PressKeyDown(WORD key, LPARAM keyData = 0) { edit->Perform(WM_KEYDOWN, key, keyData); }

    std::optional<DayMonthYearClock> dates;
    TForm* form = nullptr;
    TDateEdit* edit = nullptr;
    TMaskEdit* other = nullptr;
};

TEST_F(DateEditTest, LayoutAndMaskFollowTheLocaleDateOrderAndYearWidth)
{
    struct Case { const char* shortFormat; TYearDigits digits; char blanks; const char* layout, *mask; };
    const Case cases[] = {
        {"M/d/yyyy", dyFour, ' ', "MM/DD/YYYY", "!99/99/9999;1; "},
        {"M/d/yy", dyTwo, '_', "MM/DD/YY", "!99/99/99;1;_"},
        {"d.M.yy", dyFour, ' ', "DD/MM/YYYY", "!99/99/9999;1; "},
        {"yyyy-MM-dd", dyFour, '_', "YYYY/MM/DD", "!9999/99/99;1;_"},
        {"yyyy-MM-dd", dyTwo, '\t', "YY/MM/DD", "!99/99/99;1; "},  // control characters become a space
    };
    for (const Case& c : cases) {
        Locale().ShortDateFormat = c.shortFormat;
        auto* dateEdit = new TDateEdit(form);
        dateEdit->SetYearDigits(c.digits);
        dateEdit->SetBlanksChar(c.blanks);
        EXPECT_EQ(dateEdit->GetDateFormat(), c.layout) << c.shortFormat;
        EXPECT_EQ(dateEdit->EditMask(), c.mask) << c.shortFormat;
        delete dateEdit;
    }
}

TEST_F(DateEditTest, TypedDigitsGiveTheDateAndLettersAreRefused)
{
    TypeFromStart("05032024");
    EXPECT_EQ(edit->Date(), Ymd(2024, 3, 5));
    EXPECT_EQ(edit->Text(), "05/03/2024");
    TypeFromStart("x");
    EXPECT_EQ(edit->Text(), "05/03/2024");

    edit->SetText("");
    EXPECT_EQ(edit->Date(), NullDate);
    EXPECT_FALSE(edit->TextStored());
    edit->SetDefaultToday(true);
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 15));  // the fallback has no time of day
}

TEST_F(DateEditTest, KeypadPlusAndMinusStepTheDateOnlyWithoutShiftAndWithDirectInput)
{
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    PressKeyDown(VK_ADD);  // an empty edit counts from today
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 16));
    PressKeyDown(VK_SUBTRACT);
    PressKeyDown(VK_SUBTRACT);
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 14));
    EXPECT_EQ(changes, 3);  // each a change by the user, as typing is
    TypeFromStart("t");
    EXPECT_EQ(changes, 4);
    TypeFromStart("t");  // today again: nothing changed
    EXPECT_EQ(changes, 4);
    PressKeyDown(VK_SUBTRACT);
    PressKeyDown(VK_ADD, kShiftKeyData);
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 14));
    edit->SetDirectInput(false);
    PressKeyDown(VK_ADD);
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 14));
}

TEST_F(DateEditTest, TGivesTodayAndPlusMinusCharactersAreSwallowed)
{
    edit->SetDate(Ymd(2020, 1, 2));
    TypeFromStart("+-");
    EXPECT_EQ(edit->Text(), "02/01/2020");
    TypeFromStart("t");
    EXPECT_EQ(edit->Date(), Ymd(2024, 6, 15));
    EXPECT_EQ(edit->SelLength(), 10);  // the new date is selected

    edit->SetDirectInput(false);
    edit->SetText("");
    TypeFromStart("T");  // reaches the mask, which takes digits only
    EXPECT_EQ(edit->Date(), NullDate);
}

TEST_F(DateEditTest, UnreadableTextOnExitKeepsTheFocusAndRaisesTheConversionError)
{
    std::vector<String> errors;
    Application->OnException = [&](TObject*, Exception* e) { errors.push_back(e->Message()); };
    edit->SetCheckOnExit(true);
    TypeFromStart("31022024");
    other->SetFocus();
    Application->OnException = nullptr;

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'31/02/2024' is not a valid date");
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(edit->Text(), "31/02/2024");

    TypeFromStart("29022024");
    other->SetFocus();
    EXPECT_EQ(form->ActiveControl(), other);
    EXPECT_EQ(edit->Date(), Ymd(2024, 2, 29));
}

TEST_F(DateEditTest, ALocaleChangeShowsTheSameDateInTheNewOrder)
{
    Locale().ShortDateFormat = "M/d/yyyy";
    edit->UpdateMask();
    edit->SetDate(Ymd(2024, 3, 4));
    ASSERT_EQ(edit->Text(), "03/04/2024");

    Locale().ShortDateFormat = "d/M/yyyy";
    vt::NotifySettingChange();
    EXPECT_EQ(edit->Text(), "04/03/2024");
    EXPECT_EQ(edit->Date(), Ymd(2024, 3, 4));

    // Without the switch only an explicit DateFormatChanged re-lays the edits out.
    vt::SetUpdateFormatSettings(false);
    Locale().ShortDateFormat = "yyyy-M-d";
    vt::NotifySettingChange();
    EXPECT_EQ(edit->Text(), "04/03/2024");
    DateFormatChanged();
    EXPECT_EQ(edit->Text(), "2024/03/04");
}

// A date typed and not yet left, through changes to locales that part dates with other
// separators: the same date in each layout, and leaving the edit finds nothing wrong.
TEST_F(DateEditTest, ALocaleChangeRelaysATypedDateWithTheNewSeparators)
{
    edit->SetCheckOnExit(true);
    const struct { const char* locale; const char* shown; } cases[] = {
        {"en_US.UTF-8", "03/04/2024"}, {"de_DE.UTF-8", "04.03.2024"}, {"fr_FR.UTF-8", "04/03/2024"},
        {"ru_RU.UTF-8", "04.03.2024"}, {"en_US.UTF-8", "03/04/2024"}};
    vt::testing::UnderLocale american("en_US.UTF-8");
    vt::NotifySettingChange();
    TypeFromStart("03042024");
    for (const auto& c : cases) {
        vt::testing::UnderLocale locale(c.locale);
        vt::NotifySettingChange();
        EXPECT_EQ(edit->Text(), c.shown) << c.locale;
        EXPECT_EQ(edit->Date(), Ymd(2024, 3, 4)) << c.locale;
    }
    other->SetFocus();
    EXPECT_EQ(form->ActiveControl(), other);
    EXPECT_EQ(edit->Date(), Ymd(2024, 3, 4));
}

TEST_F(DateEditTest, AcceptDateMayChangeOrVetoThePoppedUpDate)
{
    ASSERT_EQ(edit->CalendarStyle(), csPopup);
    auto pick = [this](TDateTime date) {
        edit->DoClick();
        ASSERT_TRUE(edit->PopupVisible());
        static_cast<TPopupCalendar*>(edit->Popup())->Calendar()->SetCalendarDate(date);
        edit->PopupCloseUp(edit->Popup(), true);
    };
    edit->OnAcceptDate = [](TObject*, TDateTime& date, bool&) { date += 1; };
    pick(Ymd(2024, 7, 1));
    EXPECT_EQ(edit->Date(), Ymd(2024, 7, 2));

    edit->OnAcceptDate = [](TObject*, TDateTime&, bool& action) { action = false; };
    pick(Ymd(2024, 8, 1));
    EXPECT_EQ(edit->Date(), Ymd(2024, 7, 2));

    edit->SetCalendarStyle(csDialog);
    EXPECT_EQ(edit->Popup(), nullptr);
    edit->SetCalendarStyle(csPopup);
    EXPECT_NE(edit->Popup(), nullptr);
}

TEST_F(DateEditTest, ThePopupShowsTheCalendarSettingsMadeBeforeItFirstOpens)
{
    edit->SetStartOfWeek(Sun);
    edit->SetWeekendColor(clBlue);
    edit->SetPopupColor(clAqua);
    edit->DoClick();
    ASSERT_TRUE(edit->PopupVisible());
    auto* popup = static_cast<TPopupCalendar*>(edit->Popup());
    EXPECT_EQ(popup->Calendar()->StartOfWeek(), Sun);
    EXPECT_EQ(popup->Calendar()->WeekendColor(), clBlue);
    EXPECT_EQ(popup->Color(), clAqua);
}

TEST_F(DateEditTest, ClickingADayInThePopupPicksItAndABlankCellDoesNothing)
{
    edit->SetDate(Ymd(2021, 8, 10));  // August 2021 starts on a Sunday: row 1 is blank up to it
    edit->DoClick();
    ASSERT_TRUE(edit->PopupVisible());
    TVtCalendar* calendar = static_cast<TPopupCalendar*>(edit->Popup())->Calendar();
    auto clickCell = [calendar](int col, int row) {
        const TRect r = calendar->CellRect(col, row);
        vt::ClickControl(calendar, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    clickCell(0, 1);
    EXPECT_TRUE(edit->PopupVisible());
    EXPECT_EQ(calendar->CalendarDate(), Ymd(2021, 8, 10));

    clickCell(1, 6);  // the 31st
    EXPECT_FALSE(edit->PopupVisible());
    EXPECT_EQ(edit->Date(), Ymd(2021, 8, 31));
}

} // namespace
