// The data-aware calculator edit over the fixture's people table: a null field shows an empty
// edit, typing puts the dataset into Edit, zero under ZeroEmpty writes null, Esc shows the
// stored value again, and the field's class sets the edit's decimals and format.
#include "components/edits/VtDBCtrl.h"

#include "tests/platform/ui/PeopleFormFixture.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/kernel/WinApi.h"

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

TEST_F(DBCalcEditTest, AnAmountThatBinaryCannotHoldShowsAsStored)
{
  // Fifteen decimals of a float field would show 74.3 as 74.299999999999997.
  for (const char* amount : {"74.3", "0.1", "59.97"}) {
    connection_->Execute(String("UPDATE People SET Balance = ") + amount + " WHERE PersonID = 1");
    people->Close();
    people->Open();
    EXPECT_EQ(edit->Text(), amount);
  }
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

namespace {

// The button edit shows LastName of the first person (Adams); a second edit takes the focus.
class DBComboEditTest : public PeopleFormFixture {
protected:
  void SetUp() override
  {
    SetUpPeopleForm("SELECT PersonID, LastName, Balance FROM People ORDER BY PersonID", 300, 100);
    people->Open();
    edit = MakeEdit("LastName", 10);
    other = MakeEdit("Balance", 40);
    form->Show();
    edit->SetFocus();
  }
  TVtDBComboEdit* MakeEdit(const char* field, int top)
  {
    auto* e = new TVtDBComboEdit(form);
    e->SetParent(form);
    e->SetBounds(10, top, 120, 22);
    e->SetDataSource(source);
    e->SetDataField(field);
    return e;
  }
  void Retype(TVtDBComboEdit* e, const String& keys)
  {
    e->SelectAll();
    vt::TypeText(e, keys);
  }

  TVtDBComboEdit* edit = nullptr;
  TVtDBComboEdit* other = nullptr;
};

} // namespace

TEST_F(DBComboEditTest, ShowsTheFieldAndTypingEditsTheRecord)
{
  EXPECT_EQ(edit->Text(), "Adams");
  EXPECT_EQ(edit->MaxLength(), people->FieldByName("LastName")->Size());
  people->Next();
  EXPECT_EQ(edit->Text(), "Baker");
  EXPECT_EQ(people->State(), dsBrowse);
  Retype(edit, "O'Hara");
  EXPECT_EQ(people->State(), dsEdit);
  other->SetFocus(); // leaving writes the text into the field
  people->Post();
  EXPECT_EQ(Scalar("SELECT LastName FROM People WHERE PersonID = 2").AsString(), "O'Hara");

  edit->SetDataField("Balance"); // a MaxLength taken from the string field is not kept
  EXPECT_EQ(edit->MaxLength(), 0);
}

TEST_F(DBComboEditTest, EscRestoresTheFieldAndSelectsAll)
{
  Retype(edit, "Zed");
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "Adams");
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 5);
  people->Post();
  EXPECT_EQ(Scalar("SELECT LastName FROM People WHERE PersonID = 1").AsString(), "Adams");
}

TEST_F(DBComboEditTest, ACharacterTheFieldRefusesBeepsAndIsDropped)
{
  int beeps = 0;
  vt::SetBeepHook([&](UINT) { ++beeps; });
  other->SetFocus();
  Retype(other, "1x2");
  vt::SetBeepHook(nullptr);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(other->Text(), "12");
}

TEST_F(DBComboEditTest, AFieldThatRefusesTheTextKeepsTheFocus)
{
  std::vector<String> errors;
  Application->OnException = [&](TObject*, Exception* e) { errors.push_back(e->Message()); };
  other->SetFocus();
  Retype(other, "1-2");
  edit->SetFocus();
  Application->OnException = nullptr;
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(form->ActiveControl(), other);
  EXPECT_EQ(other->SelLength(), 3);
  EXPECT_EQ(people->FieldByName("Balance")->AsFloat(), 10.5);
}

// An edit over an integer column never stores a wrapped number: what 32 bits cannot hold, typed
// or taken from the calculator, is refused with the field's message and the stored value stays.
TEST_F(DBCalcEditTest, AnIntegerColumnRefusesWhatThirtyTwoBitsCannotHold)
{
  connection_->Execute("ALTER TABLE People ADD COLUMN Places INTEGER");
  connection_->Execute("UPDATE People SET Places = 4");
  TADOQuery* rooms = Query({"SELECT PersonID, Places FROM People ORDER BY PersonID"});
  rooms->Open();
  auto* roomsSource = new TDataSource(owner_);
  roomsSource->SetDataSet(rooms);
  other->SetDataSource(roomsSource);
  other->SetDataField("Places");
  const String refusal = " is not a valid value for field 'Places'. The allowed range is -2147483648 to 2147483647";
  const auto stored = [&] {
    TADOQuery* query = Query({"SELECT Places FROM People WHERE PersonID = 1"});
    query->Open();
    return query->Fields()->Fields(0)->AsString();
  };

  vt::DialogResponder typed;
  typed.Answer(mrOk);
  other->SetFocus();
  other->SelectAll();
  vt::TypeText(other, "99999999999");
  edit->SetFocus();
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(form->ActiveControl(), other) << "the focus stays";
  ASSERT_EQ(typed.Shown().size(), 1u);
  EXPECT_EQ(typed.Last().Text, "99999999999" + refusal);
  rooms->Cancel();

  vt::DialogResponder calculated;
  calculated.Answer(mrOk);
  vt::ClickControl(other->Button());
  ASSERT_TRUE(other->PopupVisible());
  vt::TypeText(other, "999999999990=");
  vt::ProcessEventsUntilIdle();
  EXPECT_FALSE(other->PopupVisible());
  ASSERT_EQ(calculated.Shown().size(), 1u);
  EXPECT_EQ(calculated.Last().Text, "999999999990" + refusal);
  if (rooms->State() != dsBrowse)
    rooms->Cancel();
  EXPECT_EQ(stored(), "4");
  EXPECT_EQ(other->Text(), "4");
}
