// The chaperone editor's activation (an empty pay list, nouns, shirt sizes, null totals, the
// enrolments and the session's types), its shirt size picker and its grid widths.
#include "app/forms/AddEditChaperones.h"

#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/DBMaskEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "rtl/IniFiles.h"
#include "tests/app/ChaperoneEditorFixture.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

using vt::test::ChaperoneEditorTest;

TField* Chaperone(const char* column) { return SQLDataModule->qChaperones->FieldByName(column); }

TEST_F(ChaperoneEditorTest, ActivationEmptiesThePayListAndShowsThisChaperonesActiveEnrolments) {
  const int other = camp.AddChaperone("Lee", "Other", 100);
  const int past = camp.AddSession("Old", EncodeDate(2029, 6, 2), EncodeDate(2029, 6, 7), /*active=*/false);
  camp.AddChaperoneEnrolment(week2, coach, "R");
  camp.AddChaperoneEnrolment(past, coach, "R");
  camp.AddChaperoneEnrolment(week1, other, "R");
  camp.Insert("PayChaperones", {{"ChaperoneID", coach}, {"SessionID", week2}, {"Amount", 50.0}});
  camp.Insert("PayChaperones", {{"ChaperoneID", other}, {"SessionID", week1}, {"Amount", 20.0}});
  SQLDataModule->tPayChaperones->Close();
  SQLDataModule->tPayChaperones->Open();
  AddEditChaperonesForm->VtCalcEdit1->SetValue(70);

  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    EXPECT_EQ(e->PageControl1->ActivePage(), e->TabSheet1);
    EXPECT_EQ(e->ActiveControl(), e->DBEdit1);
    EXPECT_EQ(e->VtCalcEdit1->Value(), 0);
    EXPECT_TRUE(SQLDataModule->tPayChaperones->IsEmpty());
    TADOQuery* enrolments = SQLDataModule->qChaperoneSession;
    ASSERT_EQ(enrolments->RecordCount(), 1);
    EXPECT_EQ(enrolments->FieldByName("SessionID")->AsInteger(), week2);
    EXPECT_EQ(e->ComboBox6->Items()->CommaText(), "Resident");
    EXPECT_EQ(e->ComboBox6->ItemIndex(), 0);
    EXPECT_TRUE(e->BitBtn2->Enabled());
    EXPECT_TRUE(e->BitBtn3->Enabled());
    for (const char* column : {"TotalOwed", "TotalPaid", "BalanceOwed"}) {
      EXPECT_FALSE(Chaperone(column)->IsNull()) << column;
      EXPECT_EQ(Chaperone(column)->AsFloat(), 0) << column;
    }
  });
  EXPECT_EQ(Number("SELECT COUNT(*) FROM PayChaperones WHERE ChaperoneID = " + Id(coach)), 0);
  EXPECT_EQ(Number("SELECT COUNT(*) FROM PayChaperones WHERE ChaperoneID = " + Id(other)), 1);
}

TEST_F(ChaperoneEditorTest, ASessionWithoutTypesLeavesSignUpAndRemoveDisabled) {
  camp.Execute("DELETE FROM SessionSessionTypes WHERE SessionID = " + Id(week1));
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    EXPECT_EQ(e->ComboBox6->Items()->Count(), 0);
    EXPECT_FALSE(e->BitBtn2->Enabled());
    EXPECT_FALSE(e->BitBtn3->Enabled());
  });
}

TEST_F(ChaperoneEditorTest, ANewChaperoneShowsNoEnrolments) {
  camp.AddChaperoneEnrolment(week1, coach, "R");
  SQLDataModule->qChaperoneSession->Open();  // the placeholder line names chaperone 1
  RunEditor(0, [&](TAddEditChaperonesForm* e) {
    EXPECT_FALSE(SQLDataModule->qChaperoneSession->Active());
    EXPECT_EQ(e->DBGrid2->DataSource()->DataSet()->IsEmpty(), true);
  });
}

TEST_F(ChaperoneEditorTest, CaptionsTakeTheCompanyNounsAndKeepTheirTextWhenANounIsEmpty) {
  struct Expected {
    TControl* (*control)(TAddEditChaperonesForm*);
    const char* plain;
    const char* named;
  };
  const Expected rows[] = {
      {[](TAddEditChaperonesForm* e) -> TControl* { return e; }, "- Chaperones ", "Acme Camps - Guides"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->Label70; }, "Available Sessions", "Available Weeks"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->Label71; }, "Sessions", "Weeks"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->TabSheet2; }, "Sessions", "Weeks"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->Label11; }, "Unpaid Sessions", "Unpaid Weeks"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->TabSheet4; }, "Make Payments to Coaches",
       "Make Payments to Guides"},
      {[](TAddEditChaperonesForm* e) -> TControl* { return e->Label75; }, "Pay Chaperones", "Pay Guides"},
  };
  auto payListTitle = [](TAddEditChaperonesForm* e) { return e->DBGrid4->Columns()->Items(0)->Title()->Caption(); };
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    for (const Expected& row : rows) EXPECT_EQ(row.control(e)->Caption(), row.plain) << row.plain;
  });

  camp.Execute("UPDATE CoSys SET Chaperones = 'Guide', ChaperonesP = 'Guides', Sessions = 'Week', SessionsP = 'Weeks'");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    for (const Expected& row : rows) EXPECT_EQ(row.control(e)->Caption(), row.named) << row.plain;
    EXPECT_EQ(payListTitle(e), "WeekID");
  });

  camp.Execute("UPDATE CoSys SET ChaperonesP = '', Sessions = '', SessionsP = ''");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    EXPECT_EQ(e->Caption(), "Acme Camps - ");  // an empty plural is not a null one
    for (const Expected& row : rows)
      if (row.control(e) != e) EXPECT_EQ(row.control(e)->Caption(), row.named) << row.plain;
    EXPECT_EQ(payListTitle(e), "WeekID");
  });
}

TEST_F(ChaperoneEditorTest, TheShirtSizePickerShowsTheDescriptionAndWritesTheCode) {
  camp.Execute("UPDATE Chaperones SET ShirtSize = 'XL' WHERE ChaperoneID = " + Id(coach));
  SQLDataModule->qChaperones->Close();
  SQLDataModule->qChaperones->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    EXPECT_EQ(e->ComboBox1->Items()->Count(), 8);
    EXPECT_EQ(e->ComboBox1->Text(), "Adult Extra Large");
    const std::pair<const char*, const char*> choices[] = {
        {"Youth Medium", "YM"}, {"Nobody's Size", ""}, {"Adult Small", "S"}};
    for (const auto& [description, code] : choices) {
      e->ComboBox1->SetText(description);
      e->ComboBox1Change(e->ComboBox1);
      EXPECT_EQ(Chaperone("ShirtSize")->AsString(), code) << description;
      EXPECT_EQ(e->DBEdit10->Text(), code) << description;
    }
    EXPECT_FALSE(SQLDataModule->tShirtSizes->Filtered());
    EXPECT_EQ(SQLDataModule->tShirtSizes->RecordCount(), 8);
  });

  camp.Execute("UPDATE Chaperones SET ShirtSize = 'Q' WHERE ChaperoneID = " + Id(coach));
  SQLDataModule->qChaperones->Close();
  SQLDataModule->qChaperones->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) { EXPECT_EQ(e->ComboBox1->Text(), ""); });
}

TEST_F(ChaperoneEditorTest, EnterMovesOnAndTheShirtSizePickerJumpsToTheSalary) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    vt::SendKey(e->DBEdit1, VK_RETURN);
    EXPECT_EQ(e->ActiveControl(), e->DBEdit2);
    e->ComboBox1->SetFocus();
    vt::SendKey(e->ComboBox1, VK_RETURN);
    EXPECT_EQ(e->ActiveControl(), e->VtDBCalcEdit4);
  });
}

TEST_F(ChaperoneEditorTest, LeavingTheZipFillsCityAndStateWhenTheZipIsListed) {
  camp.Insert("ZipCodes", {{"Zip", "12345"}, {"City", "Springfield"}, {"State", "IL"}});
  SQLDataModule->tZipCodes->Close();
  SQLDataModule->tZipCodes->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    for (const auto& [zip, city] : {std::pair{"99999", "Old Town"}, std::pair{"123456789", "Springfield"}}) {
      Chaperone("City")->SetAsString("Old Town");
      e->GDBMaskEdit2->SetFocus();
      vt::TypeText(e->GDBMaskEdit2, zip);
      e->GDBMaskEdit3->SetFocus();
      EXPECT_EQ(Chaperone("City")->AsString(), city) << zip;
    }
    EXPECT_EQ(Chaperone("State")->AsString(), "IL");
  });
  EXPECT_EQ(camp.Value("SELECT City FROM Chaperones WHERE ChaperoneID = " + Id(coach)).AsString(), "Springfield");
}

TEST_F(ChaperoneEditorTest, GridWidthsAreKeptInSections18To22) {
  TAddEditChaperonesForm* e = AddEditChaperonesForm;
  const std::pair<TDBGrid*, const char*> grids[] = {
      {e->DBGrid5, "18"}, {e->DBGrid2, "19"}, {e->DBGrid1, "20"}, {e->DBGrid4, "21"}, {e->DBGrid3, "22"}};
  int width = 101;
  for (const auto& [grid, section] : grids) {
    grid->Columns()->Items(0)->SetWidth(width++);
    grid->OnMouseUp(grid, mbLeft, {}, 5, 5);
  }
  TAddEditChaperonesForm next(nullptr);
  const std::pair<TDBGrid*, const char*> restored[] = {
      {next.DBGrid5, "18"}, {next.DBGrid2, "19"}, {next.DBGrid1, "20"}, {next.DBGrid4, "21"}, {next.DBGrid3, "22"}};
  width = 101;
  for (const auto& [grid, section] : restored) {
    EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger(section, grid->Columns()->Items(0)->FieldName(), 0), width) << section;
    EXPECT_EQ(grid->Columns()->Items(0)->Width(), width++) << section;
  }
}

}  // namespace
