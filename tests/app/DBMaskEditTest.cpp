// GDBMaskEdit over an attendee row: the field's own mask wins over the form's, any key puts the
// dataset into Edit, leaving writes the field before the form's OnExit, a refused value keeps the
// focus with the text selected, and a removed data source is forgotten.
#include "app/DBMaskEdit.h"

#include <gtest/gtest.h>

#include "app/ProgramIni.h"
#include "db/ADODB.h"
#include "db/Fields.h"
#include "rtl/TypInfo.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

const char* const kZipMask = "00000\\-9999;1;_";

class DBMaskEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    camper = camp.AddAttendee("Smith", "Ann");
    camp.Execute("UPDATE Attendees SET ZipCode = '12345-6789', Grade = 7");
    connection = new TADOConnection(&owner);
    connection->SetConnectionString(DatabaseConnectionString(camp.DatabasePath()));
    query = new TADOQuery(&owner);
    query->SetConnection(connection);
    query->SQL()->Add("Select * From Attendees");
    source = new TDataSource(&owner);
    source->SetDataSet(query);
    query->Open();

    form = new TForm(nullptr);
    edit = new GDBMaskEdit(form);
    edit->SetParent(form);
    other = new TMaskEdit(form);
    other->SetParent(form);
    other->SetTop(40);
    edit->SetDataSource(source);
    form->Show();
  }
  void TearDown() override { delete form; }

  vt::test::CampFixture camp;
  TComponent owner{nullptr};
  TADOConnection* connection = nullptr;
  TADOQuery* query = nullptr;
  TDataSource* source = nullptr;
  TForm* form = nullptr;
  GDBMaskEdit* edit = nullptr;
  TMaskEdit* other = nullptr;
  int camper = 0;
};

TEST_F(DBMaskEditTest, TheFieldsOwnMaskWinsOverTheFormsUnlessItIsBlank) {
  struct Case {
    const char* fieldMask;
    const char* expectedMask;
  };
  for (const Case& c : {Case{"", kZipMask}, Case{"   ", kZipMask}, Case{"00000;0;_", "00000;0;_"}}) {
    edit->SetDataField("");
    edit->SetEditMask(kZipMask);
    query->FieldByName("ZipCode")->SetEditMask(c.fieldMask);
    edit->SetDataField("ZipCode");
    EXPECT_EQ(edit->EditMask(), c.expectedMask) << "field mask '" << c.fieldMask << "'";
  }
  EXPECT_EQ(edit->Text(), "12345");  // the last mask saves no literals
}

TEST_F(DBMaskEditTest, ShowsNothingWithoutAFieldAndIsReadOnlyUntilAKeyPutsTheDatasetIntoEdit) {
  EXPECT_EQ(edit->Text(), "");
  edit->SetEditMask(kZipMask);
  edit->SetDataField("ZipCode");
  EXPECT_EQ(edit->Text(), "12345-6789");
  EXPECT_TRUE(edit->TMaskEdit::ReadOnly());

  edit->SetFocus();
  vt::SendKey(edit, VK_RIGHT);  // a navigation key too
  EXPECT_EQ(query->State(), dsEdit);
  EXPECT_FALSE(edit->TMaskEdit::ReadOnly());
}

TEST_F(DBMaskEditTest, LeavingWritesTheFieldBeforeTheFormsOnExitRuns) {
  edit->SetEditMask(kZipMask);
  edit->SetDataField("ZipCode");
  String seenByOnExit;
  edit->OnExit = [&](TObject*) { seenByOnExit = query->FieldByName("ZipCode")->AsString(); };
  edit->SetFocus();
  edit->SetSelStart(0);
  vt::TypeText(edit, "54321");
  other->SetFocus();
  EXPECT_EQ(seenByOnExit, "54321-6789");
  query->Post();
  EXPECT_EQ(camp.Value("SELECT ZipCode FROM Attendees").AsString(), "54321-6789");
}

TEST_F(DBMaskEditTest, ARefusedValueKeepsTheFocusWithTheWholeTextSelected) {
  edit->SetDataField("Grade");
  edit->SetFocus();
  vt::SendKey(edit, VK_END);
  vt::TypeText(edit, "x");
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  other->SetFocus();
  ASSERT_EQ(responder.Shown().size(), 1u);  // the conversion error, shown by the application
  EXPECT_EQ(form->ActiveControl(), edit);
  EXPECT_EQ(edit->SelLength(), static_cast<int>(edit->Text().size()));
  EXPECT_EQ(query->FieldByName("Grade")->AsInteger(), 7);
}

TEST_F(DBMaskEditTest, ARemovedDataSourceIsForgotten) {
  edit->SetDataField("ZipCode");
  delete source;
  EXPECT_EQ(edit->DataSource(), nullptr);
  EXPECT_EQ(edit->Text(), "");
}

}  // namespace

// A stored design sets these by name.
TEST_F(DBMaskEditTest, TheFieldAndSourceAreSetByTheirPublishedNames) {
  GDBMaskEdit* stored = new GDBMaskEdit(form);
  SetObjectProp(stored, GetPropInfo(stored, "DataSource"), source);
  SetStrProp(stored, GetPropInfo(stored, "DataField"), "ZipCode");
  SetStrProp(stored, GetPropInfo(stored, "FieldLabel"), "Nom de famille");
  EXPECT_EQ(stored->DataSource(), source);
  EXPECT_EQ(stored->DataField(), "ZipCode");
  EXPECT_EQ(stored->FieldLabel(), "Nom de famille");
  ASSERT_NE(GetPropInfo(stored, "ReadOnly"), nullptr);
}
