// The data-aware date edit over the fixture's people table: a written date keeps the field's time
// of day, an empty text writes null, Esc shows the stored value again, letters beep, and an
// unreadable text on exit keeps the focus and leaves the field alone.
#include "components/edits/VtDBDateEdit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "components/common/vtGuiutils.h"
#include "components/edits/PickDate.h"
#include "db/DataSource.h"
#include "rtl/Locale.h"
#include "tests/components/edits/DayMonthYearClock.h"
#include "tests/platform/ui/PeopleFormFixture.h"
#include "ui/controls/MaskEdit.h"
#include "ui/dbcontrols/DBActns.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

namespace {

TDateTime Ymd(int y, int m, int d) { return EncodeDate(y, m, d); }

// The edit shows DOB of the first person (Adams), moved to 1 May 2024 14:30 for the test.
class DBDateEditTest : public PeopleFormFixture {
protected:
    void SetUp() override
    {
        SetUpPeopleForm("SELECT PersonID, DOB FROM People ORDER BY PersonID", 300, 100);
        dates.emplace(Ymd(2024, 6, 15) + 0.25);
        vt::SetBeepHook([this](UINT) { ++beeps; });

        people->Open();
        people->Edit();
        dob()->SetAsDateTime(kStored);
        people->Post();
        edit = new TDBDateEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 120, 22);
        edit->SetYearDigits(dyFour);
        edit->SetCheckOnExit(true);
        edit->SetDataSource(source);
        edit->SetDataField("DOB");
        other = new TMaskEdit(form);
        other->SetParent(form);
        other->SetBounds(10, 40, 120, 22);
        form->Show();
        edit->SetFocus();
    }
    void TearDown() override
    {
        vt::SetBeepHook(nullptr);
        dates.reset();
        PeopleFormFixture::TearDown();
    }

    std::optional<DayMonthYearClock> dates;

    TField* dob() const { return people->FieldByName("DOB"); }
    void TypeFromStart(const String& keys)
    {
        edit->SetSelStart(0);
        vt::TypeText(edit, keys);
    }
    void Leave() { other->SetFocus(); }

    const TDateTime kStored = Ymd(2024, 5, 1) + 14.5 / 24;
    TDBDateEdit* edit = nullptr;
    TMaskEdit* other = nullptr;
    int beeps = 0;
};

TEST_F(DBDateEditTest, AWrittenDateKeepsTheFieldsTimeOfDay)
{
    EXPECT_EQ(edit->Text(), "01/05/2024");
    TypeFromStart("03");
    EXPECT_EQ(people->State(), dsEdit);  // a digit puts the dataset into edit mode
    Leave();
    people->Post();
    EXPECT_NEAR(dob()->AsDateTime(), Ymd(2024, 5, 3) + 14.5 / 24, 1e-6);
}

// A post action taken while the date edit has the focus writes the typed date, time kept.
TEST_F(DBDateEditTest, APostActionOnTheFocusedEditWritesItsDate)
{
    auto* post = new TDataSetPost(form);
    post->Update();
    EXPECT_FALSE(post->Enabled());
    TypeFromStart("03");
    EXPECT_TRUE(post->Execute());
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_NEAR(dob()->AsDateTime(), Ymd(2024, 5, 3) + 14.5 / 24, 1e-6);
}

TEST_F(DBDateEditTest, EmptyTextWritesNullNotTheZeroDate)
{
    edit->SelectAll();
    vt::SendKey(edit, VK_DELETE);
    EXPECT_EQ(people->State(), dsEdit);
    Leave();
    people->Post();
    EXPECT_TRUE(dob()->IsNull());
    EXPECT_FALSE(edit->TextStored());
}

TEST_F(DBDateEditTest, EscapeShowsTheStoredValueAndLettersBeep)
{
    TypeFromStart("0912");
    EXPECT_EQ(edit->Text(), "09/12/2024");
    vt::SendKey(edit, VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "01/05/2024");

    TypeFromStart("a/t");  // a letter beeps; the separator and the date keys do not
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(edit->Text(), "15/06/2024");
}

// T, keypad + and -, the date dialog and typing: each date the edit shows is the one stored
// by the next post, the field's time of day kept.
TEST_F(DBDateEditTest, EveryWayOfSettingADateEndsStored)
{
    const struct {
        const char* way;
        std::function<void()> act;
        TDateTime date;
    } cases[] = {
        {"T", [this] { TypeFromStart("t"); }, Ymd(2024, 6, 15)},
        {"keypad +", [this] { edit->Perform(WM_KEYDOWN, VK_ADD, 0); }, Ymd(2024, 5, 2)},
        {"keypad -", [this] { edit->Perform(WM_KEYDOWN, VK_SUBTRACT, 0); }, Ymd(2024, 4, 30)},
        {"typing", [this] { TypeFromStart("0306"); }, Ymd(2024, 6, 3)},
        {"the date dialog", [this] {
             edit->SetCalendarStyle(csDialog);
             Screen->OnActiveFormChange = [](TObject*) {
                 if (auto* dialog = dynamic_cast<TSelectDateDlg*>(Screen->ActiveForm())) {
                     dialog->SetDate(Ymd(2024, 7, 4));
                     PostMessage(dialog, WM_KEYDOWN, VK_RETURN, 0);
                 }
             };
             edit->DoClick();
             Screen->OnActiveFormChange = nullptr;
         }, Ymd(2024, 7, 4)},
    };
    for (const auto& c : cases) {
        c.act();
        EXPECT_EQ(edit->Date(), c.date) << c.way;
        people->Post();
        EXPECT_NEAR(dob()->AsDateTime(), c.date + 14.5 / 24, 1e-6) << c.way;
        people->Edit();
        dob()->SetAsDateTime(kStored);
        people->Post();
    }
}

TEST_F(DBDateEditTest, UnreadableTextOnExitKeepsTheFocusAndTheField)
{
    std::vector<String> errors;
    Application->OnException = [&](TObject*, Exception* e) { errors.push_back(e->Message()); };
    TypeFromStart("3102");
    Leave();
    Application->OnException = nullptr;

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'31/02/2024' is not a valid date");
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(edit->SelLength(), 10);
    EXPECT_NEAR(dob()->AsDateTime(), kStored, 1e-6);
}

TEST_F(DBDateEditTest, DefaultTodayFillsAnEmptyFieldWhenEditingStarts)
{
    people->Last();  // Clark has no date of birth
    ASSERT_TRUE(dob()->IsNull());
    edit->SetDefaultToday(true);
    people->Edit();
    EXPECT_NEAR(dob()->AsDateTime(), Ymd(2024, 6, 15) + 0.25, 1e-6);
    EXPECT_EQ(edit->Text(), "15/06/2024");
}

TEST_F(DBDateEditTest, RemovingTheDataSourceClearsTheReference)
{
    delete source;
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->Field(), nullptr);
}

} // namespace

// A copy painted for a data grid shows the stored date, not what the user is typing.
TEST_F(DBDateEditTest, APaintCopyShowsTheFieldsDate)
{
    auto* twin = new TDBDateEdit(form);
    twin->SetParent(form);
    twin->SetBounds(10, 70, 120, 22);
    twin->SetYearDigits(dyFour);
    twin->SetDataSource(source);
    twin->SetDataField("DOB");
    TypeFromStart("03");
    ASSERT_EQ(edit->Text(), "03/05/2024");
    ASSERT_EQ(twin->Text(), "01/05/2024");

    auto copyOf = [](TControl* control) {
        auto* copy = new TBitmap;
        copy->SetSize(control->Width(), control->Height());
        control->PaintTo(copy->Canvas(), 0, 0);
        return copy;
    };
    TBitmap* typed = copyOf(edit);
    TBitmap* stored = copyOf(twin);
    int differing = 0, dark = 0;
    for (int y = 0; y < typed->Height(); ++y)
        for (int x = 0; x < typed->Width() - twin->ButtonWidth() - 4; ++x) {
            differing += typed->Canvas()->Pixels(x, y) != stored->Canvas()->Pixels(x, y);
            dark += (stored->Canvas()->Pixels(x, y) & 0xFFFFFF) < 0x404040;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(dark, 20);  // the date's digits
    delete typed;
    delete stored;
}

