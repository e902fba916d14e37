// Tests of the data-aware controls over the people table, driven by Qt key and mouse events:
// typing puts the dataset into Edit, Post and scrolling collect the pending text, Esc drops it,
// and the controls stay read-only while the field cannot take a value.
#include "ui/dbcontrols/DBCtrls.h"

#include <gtest/gtest.h>

#include "tests/platform/db/DbFixture.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Clipboard.h"
#include "ui/testing/UiTesting.h"

namespace {

// Rows, in PersonID order: Adams (Boston, active, 10.5), Baker (Austin, not active, 0) and
// Clark (Boise, active, 7).
class DBCtrlsTest : public DbFixture {
protected:
    void SetUp() override {
        DbFixture::SetUp();
        vt::EnsureTestApplication();
        people_ = Query({"SELECT * FROM People ORDER BY PersonID"});
        source_ = new TDataSource(owner_);
        source_->SetDataSet(people_);
        form_ = new TForm(nullptr);
        form_->Show();
    }
    void TearDown() override {
        delete form_;
        DbFixture::TearDown();
    }

    template <class Control>
    Control* Bound(const char* fieldName) {
        auto* control = new Control(form_);
        control->SetParent(form_);
        control->SetDataSource(source_);
        control->SetDataField(fieldName);
        return control;
    }
    String Stored(const char* column, int personId) {
        return Scalar("SELECT " + String(column) + " FROM People WHERE PersonID = " + IntToStr(personId)).AsString();
    }
    // Focuses the edit (it shows the edit text then) and types at the end of its text.
    void TypeAtEnd(TDBEdit* edit, const String& keys) {
        form_->FocusControl(edit);
        edit->SetSelStart(static_cast<int>(edit->Text().size()));
        vt::TypeText(edit, keys);
    }

    TADOQuery* people_ = nullptr;
    TDataSource* source_ = nullptr;
    TForm* form_ = nullptr;
};

TEST_F(DBCtrlsTest, EditTypingEditsTheDatasetAndPostWritesThePendingText) {
    TDBEdit* edit = Bound<TDBEdit>("LastName");
    people_->Open();
    EXPECT_EQ(edit->Text(), "Adams");
    EXPECT_TRUE(edit->TCustomMaskEdit::ReadOnly());  // browsing: the widget takes no text

    TypeAtEnd(edit, "on");
    EXPECT_EQ(people_->State(), dsEdit);
    EXPECT_EQ(edit->Text(), "Adamson");
    EXPECT_FALSE(edit->TCustomMaskEdit::ReadOnly());
    EXPECT_EQ(people_->FieldByName("LastName")->AsString(), "Adams");  // still pending
    people_->Post();
    EXPECT_EQ(Stored("LastName", 1), "Adamson");

    people_->Next();
    EXPECT_EQ(edit->Text(), "Baker");
    TypeAtEnd(edit, "s");
    people_->Next();  // scrolling posts the edited row, the pending text with it
    EXPECT_EQ(Stored("LastName", 2), "Bakers");
    EXPECT_EQ(edit->Text(), "Clark");
}

TEST_F(DBCtrlsTest, EditEscDropsThePendingTextAndExitWritesIt) {
    TDBEdit* edit = Bound<TDBEdit>("LastName");
    people_->Open();
    TypeAtEnd(edit, "xy");
    vt::SendKey(edit, VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "Adams");
    people_->Post();
    EXPECT_EQ(Stored("LastName", 1), "Adams");

    TypeAtEnd(edit, "z");
    edit->Perform(CM_EXIT);  // leaving the control writes the field, the dataset stays in Edit
    EXPECT_EQ(people_->FieldByName("LastName")->AsString(), "Adamsz");
    EXPECT_EQ(people_->State(), dsEdit);
}

TEST_F(DBCtrlsTest, PastingEditsTheDatasetLikeTyping) {
    TDBMemo* notes = Bound<TDBMemo>("Notes");
    people_->Open();
    Clipboard()->SetAsText("needs a ride");
    form_->FocusControl(notes);
    vt::SendKey(notes, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(people_->State(), dsEdit);
    EXPECT_EQ(notes->Text(), "needs a ride");
    people_->Post();
    EXPECT_EQ(Stored("Notes", 1), "needs a ride");

    source_->SetAutoEdit(false);
    vt::SendKey(notes, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(notes->Text(), "needs a ride");  // browsing: nothing pasted
}

TEST_F(DBCtrlsTest, EditRefusesKeysTheFieldCannotTake) {
    TDBEdit* balance = Bound<TDBEdit>("Balance");
    people_->Open();
    EXPECT_EQ(balance->Text(), people_->FieldByName("Balance")->DisplayText());  // not focused
    TypeAtEnd(balance, "a");  // not valid for a number: dropped, the dataset stays browsing
    EXPECT_EQ(balance->Text(), people_->FieldByName("Balance")->Text());  // focused: edit text
    EXPECT_EQ(people_->State(), dsBrowse);

    TDBEdit* name = Bound<TDBEdit>("LastName");
    name->SetReadOnly(true);
    TypeAtEnd(name, "q");
    EXPECT_EQ(name->Text(), "Adams");
    EXPECT_EQ(people_->State(), dsBrowse);

    source_->SetAutoEdit(false);
    name->SetReadOnly(false);
    TypeAtEnd(name, "q");
    EXPECT_EQ(name->Text(), "Adams");
    EXPECT_EQ(people_->State(), dsBrowse);
    people_->Edit();  // the program starts editing: now typing is taken
    TypeAtEnd(name, "q");
    EXPECT_EQ(name->Text(), "Adamsq");
}

TEST_F(DBCtrlsTest, EditFollowsTheFieldsMaskAndAnIncompleteEntryKeepsTheFocus) {
    people_->Open();
    people_->FieldByName("City")->SetEditMask("LL\\-00;1;_");
    TDBEdit* city = Bound<TDBEdit>("City");
    EXPECT_TRUE(city->IsMasked());
    EXPECT_EQ(city->EditText(), "Bo-st");
    form_->FocusControl(city);
    city->SelectAll();
    vt::SendKey(city, VK_DELETE);
    EXPECT_EQ(people_->State(), dsEdit);
    vt::TypeText(city, "ma0");
    EXPECT_EQ(city->EditText(), "ma-0_");
    try {
        city->Perform(CM_EXIT);
        FAIL() << "an incomplete entry must raise on leaving";
    } catch (const EDBEditError&) {
    }
    EXPECT_EQ(city->SelLength(), 5);  // the whole text selected to show the refusal
    EXPECT_EQ(people_->FieldByName("City")->AsString(), "Boston");  // nothing written
    city->SetSelStart(4);
    vt::TypeText(city, "1");
    city->Perform(CM_EXIT);
    EXPECT_EQ(people_->FieldByName("City")->AsString(), "ma-01");
}

// Letters of other alphabets, quotes and a letter outside the basic plane are typed and stored.
TEST_F(DBCtrlsTest, TypedAccentsAndQuotesAreStoredAsTyped) {
    TDBEdit* city = Bound<TDBEdit>("City");
    TDBMemo* notes = Bound<TDBMemo>("Notes");
    people_->Open();
    form_->FocusControl(city);
    city->SelectAll();
    vt::TypeText(city, "Ñúñez-O'Brien \"Zoë\"");
    vt::TypeText(notes, "Москва 🏀");
    people_->Post();
    EXPECT_EQ(Stored("City", 1), "Ñúñez-O'Brien \"Zoë\"");
    EXPECT_EQ(Stored("Notes", 1), "Москва 🏀");
}

TEST_F(DBCtrlsTest, MemoAndComboTypingEditAndPostWrites) {
    TDBMemo* notes = Bound<TDBMemo>("Notes");
    TDBComboBox* city = Bound<TDBComboBox>("City");
    people_->Open();
    EXPECT_EQ(notes->Text(), "");
    EXPECT_EQ(city->Text(), "Boston");
    vt::TypeText(notes, "late");
    EXPECT_EQ(people_->State(), dsEdit);
    city->SelectAll();
    vt::TypeText(city, "Salem");
    people_->Post();
    EXPECT_EQ(Stored("Notes", 1), "late");
    EXPECT_EQ(Stored("City", 1), "Salem");

    city->SetStyle(csDropDownList);
    city->Items()->SetText("Austin\nBoise\nSalem");
    people_->Next();
    EXPECT_EQ(city->ItemIndex(), 0);
    EXPECT_EQ(city->Text(), "Austin");
}

TEST_F(DBCtrlsTest, CheckBoxShowsAndWritesBooleanAndTextFields) {
    TDBCheckBox* active = Bound<TDBCheckBox>("Active");
    TDBCheckBox* boston = Bound<TDBCheckBox>("City");
    boston->SetValueChecked("Boston;Yes");
    boston->SetValueUnchecked("Austin");
    boston->SetAllowGrayed(true);
    people_->Open();
    EXPECT_TRUE(active->Checked());
    EXPECT_TRUE(boston->Checked());
    people_->Next();
    EXPECT_FALSE(active->Checked());
    EXPECT_EQ(boston->State(), cbUnchecked);
    people_->Next();
    EXPECT_EQ(boston->State(), cbGrayed);  // Boise is neither value
    EXPECT_TRUE(active->Checked());

    people_->First();
    vt::ClickControl(active, 6, 8);  // on the box itself
    EXPECT_EQ(people_->State(), dsEdit);
    EXPECT_FALSE(active->Checked());
    vt::ClickControl(boston, 6, 8);  // checked -> unchecked writes the first unchecked value
    people_->Post();
    EXPECT_FALSE(Scalar("SELECT Active FROM People WHERE PersonID = 1").AsBoolean());
    EXPECT_EQ(Stored("City", 1), "Austin");

    source_->SetAutoEdit(false);
    vt::ClickControl(active, 6, 8);  // the field cannot take a value: the box does not change
    EXPECT_FALSE(active->Checked());
    EXPECT_EQ(people_->State(), dsBrowse);
}

TEST_F(DBCtrlsTest, RemovingTheDataSourceUnbindsTheControl) {
    TDBEdit* edit = Bound<TDBEdit>("LastName");
    people_->Open();
    EXPECT_EQ(edit->Field(), people_->FieldByName("LastName"));
    delete source_;
    source_ = nullptr;
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->Field(), nullptr);
    EXPECT_EQ(edit->Text(), "");
}

}  // namespace
