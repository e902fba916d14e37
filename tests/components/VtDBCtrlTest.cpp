// The data-aware calculator edit over the fixture's people table: a null field shows an empty
// edit, typing puts the dataset into Edit, zero under ZeroEmpty writes null, Esc shows the
// stored value again, and the field's class sets the edit's decimals and format.
#include "components/VtDBCtrl.h"

#include "tests/platform/ui/PeopleFormFixture.h"

#include <gtest/gtest.h>

namespace {

// The edit shows Balance of the first person (Adams, 10.5); Clark (third) has none.
class DBCalcEditTest : public PeopleFormFixture {
protected:
  void SetUp() override
  {
    SetUpPeopleForm("SELECT PersonID, Balance FROM People ORDER BY PersonID", 300, 100);
    Locale().DecimalSeparator = '.';
    Locale().ThousandSeparator = ',';
    connection_->Execute("UPDATE People SET Balance = NULL WHERE PersonID = 3");
    people->Open();
    edit = new TVtDBCalcEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 22);
    edit->SetDisplayFormat("$,0.00");
    edit->SetDataSource(source);
    edit->SetDataField("Balance");
    other = new TVtDBCalcEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 40, 120, 22);
    form->Show();
    edit->SetFocus();
  }
  TField* balance() const { return people->FieldByName("Balance"); }
  void Retype(const String& keys)
  {
    edit->SelectAll();
    vt::TypeText(edit, keys);
  }

  TVtDBCalcEdit* edit = nullptr;
  TVtDBCalcEdit* other = nullptr;
};

} // namespace

TEST_F(DBCalcEditTest, ShowsTheFieldAndANullFieldAsEmpty)
{
  EXPECT_EQ(edit->Text(), "10.5");
  EXPECT_TRUE(edit->ReadOnly() == false);
  people->Last(); // Clark: no balance
  EXPECT_EQ(edit->Text(), "");
  edit->SetZeroEmpty(false);
  EXPECT_EQ(edit->Text(), "0");
}

TEST_F(DBCalcEditTest, TypingPutsTheDatasetIntoEditAndPostWritesTheValue)
{
  ASSERT_EQ(people->State(), dsBrowse);
  Retype("25.75");
  EXPECT_EQ(people->State(), dsEdit);
  EXPECT_EQ(edit->Text(), "25.75");
  people->Post();
  EXPECT_EQ(balance()->AsFloat(), 25.75);
}

TEST_F(DBCalcEditTest, ZeroWritesNullUnderZeroEmptyElseZero)
{
  Retype("0");
  people->Post();
  EXPECT_TRUE(balance()->IsNull());

  edit->SetZeroEmpty(false);
  Retype("0");
  people->Post();
  EXPECT_FALSE(balance()->IsNull());
  EXPECT_EQ(balance()->AsFloat(), 0);
}

TEST_F(DBCalcEditTest, EscShowsTheStoredValueAgain)
{
  Retype("99");
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "10.5");
  EXPECT_EQ(edit->SelLength(), 4);
  people->Post();
  EXPECT_EQ(balance()->AsFloat(), 10.5);
}

TEST_F(DBCalcEditTest, KeysForTheOpenCalculatorLeaveTheDatasetBrowsing)
{
  vt::ClickControl(edit->Button());
  ASSERT_TRUE(edit->PopupVisible());
  vt::TypeText(edit, "*2");
  EXPECT_EQ(people->State(), dsBrowse);
  vt::SendKey(edit, VK_RETURN); // accepting writes the result to the field
  EXPECT_EQ(people->State(), dsEdit);
  EXPECT_EQ(balance()->AsFloat(), 21);
  EXPECT_EQ(edit->Text(), "21");
}

TEST_F(DBCalcEditTest, TheFieldsClassSetsDecimalsAndFormat)
{
  other->SetDisplayFormat(""); // an empty format takes the whole-number format
  other->SetDataSource(source);
  other->SetDataField("PersonID");
  EXPECT_EQ(other->DecimalPlaces(), 0u);
  EXPECT_EQ(other->DisplayFormat(), ",#");
  EXPECT_EQ(edit->DecimalPlaces(), 15u); // a float field's precision
  EXPECT_EQ(edit->DisplayFormat(), "$,0.00");
}
