// The league editor over a started camp: a new league saved with the company's nouns in the
// captions, a name the database refuses (empty or taken) reported with the league word and
// discarded, and Enter moving through the fields.
#include "app/forms/AddEditLeagues.h"

#include <gtest/gtest.h>

#include "app/forms/EditorFrame.h"
#include "app/forms/MainQueries.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"

namespace {

using vt::test::RunWhileModal;

class AddEditLeaguesTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    session = camp.AddSession("Week 1", EncodeDate(2090, 6, 2), EncodeDate(2090, 6, 7));
    camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", "Juniors"}, {"AddBy", "Age"},
                            {"BeginRange", 8}, {"EndRange", 10}});
  }

  // The opener's part: a new row with the session and the grouping, or the current row in Edit.
  bool OpenEditor(bool edit, const std::function<void()>& script) {
    TADOTable* leagues = SQLDataModule->tLeagues;
    return RunWhileModal(
        AddEditLeaguesForm,
        [&] {
          if (edit) {
            leagues->Edit();
          } else {
            leagues->Append();
            leagues->FieldByName("SessionID")->SetAsInteger(session);
            leagues->FieldByName("AddBy")->SetAsString("Grade");
          }
          AddEditLeaguesForm->CheckBox1->SetChecked(edit);
          vt::CenterOverMainForm(AddEditLeaguesForm);
          AddEditLeaguesForm->ShowModal();
        },
        script);
  }
  String Stored() {
    return camp.Value("SELECT COALESCE(group_concat(LeagueName || ' ' || AddBy || ' ' || BeginRange || '-' || EndRange, "
                      "', '), '') FROM Leagues").AsString();
  }

  int session = 0;
};

TEST_F(AddEditLeaguesTest, ANewLeagueIsSavedAndTheCaptionsUseTheCompanysNouns) {
  camp.Execute("UPDATE CoSys SET AgeGroups = 'Division', AgeGroupsP = 'Divisions'");
  Start();
  vt::DialogResponder responder;  // add mode asks nothing
  EXPECT_TRUE(OpenEditor(false, [] {
    TAddEditLeaguesForm* f = AddEditLeaguesForm;
    EXPECT_EQ(f->Caption(), "Acme Camps - Divisions");
    EXPECT_EQ(f->Label1->Caption(), "Division Name");
    EXPECT_EQ(f->DBComboBox1->Text(), "Grade");
    f->DBEdit1->SetFocus();
    vt::TypeText(f->DBEdit1, "Seniors");
    TADOTable* leagues = SQLDataModule->tLeagues;
    leagues->FieldByName("BeginRange")->SetAsInteger(9);
    leagues->FieldByName("EndRange")->SetAsInteger(12);
    f->BitBtn1->Click();
  }));
  EXPECT_EQ(Stored(), "Juniors Age 8-10, Seniors Grade 9-12");
  EXPECT_EQ(SQLDataModule->tLeagues->State(), dsBrowse);
}

TEST_F(AddEditLeaguesTest, ANameTheDatabaseRefusesIsReportedWithTheLeagueWordAndDiscarded) {
  Start();
  struct Case {
    bool edit;
    const char* name;
  };
  for (const Case c : {Case{false, ""}, Case{false, "juniors"}, Case{true, ""}}) {
    SCOPED_TRACE(String(c.edit ? "edit " : "add ") + c.name);
    vt::DialogResponder responder;
    responder.Answer(mrYes).Answer(mrOk);  // edit mode: save? yes; then the refusal
    const bool closed = OpenEditor(c.edit, [&] {
      SQLDataModule->tLeagues->FieldByName("LeagueName")->SetAsString(c.name);
      AddEditLeaguesForm->BitBtn1->Click();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(responder.Last().Text,
              "You must enter a valid League.\n Either you left it blank or this League already exists.");
    EXPECT_EQ(responder.Last().Caption, "Error");
    EXPECT_EQ(Stored(), "Juniors Age 8-10");
    EXPECT_EQ(SQLDataModule->tLeagues->State(), dsBrowse);
    EXPECT_EQ(SQLDataModule->tLeagues->FieldByName("LeagueName")->AsString(), "Juniors");
  }
}

// Another copy of the program changed or deleted the league being edited: the save is refused
// with that reason, not as a blank or taken name; the editor goes back with the name typed and
// the other columns as stored now, or gives the change up.
TEST_F(AddEditLeaguesTest, ALeagueAnotherCopyChangedOrDeletedIsRefusedWithThatReasonKeepingWhatWasTyped) {
  Start();
  struct Case {
    const char* otherCopy;
    const char* reason;
    const char* storedAfter;
  };
  const Case cases[] = {
      {"UPDATE Leagues SET LeagueName = 'Minis', EndRange = 11", "The record was changed by another user", "Minis Age 8-11"},
      {"DELETE FROM Leagues", "The record was deleted by another user", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.otherCopy);
    vt::DialogResponder responder;
    responder.Answer(mrYes).Answer(mrCancel);  // save? yes; refused: back to the editor
    EXPECT_TRUE(OpenEditor(true, [&] {
      AddEditLeaguesForm->DBEdit1->SetFocus();
      vt::TypeText(AddEditLeaguesForm->DBEdit1, "Seniors");
      camp.Execute(c.otherCopy);
      vt::ClickControl(AddEditLeaguesForm->BitBtn1);
      EXPECT_TRUE(AddEditLeaguesForm->Visible());
      EXPECT_EQ(AddEditLeaguesForm->DBEdit1->Text(), "Seniors");
      EXPECT_EQ(AddEditLeaguesForm->VtDBCalcEdit2->Text(), String(c.storedAfter).empty() ? "10" : "11");
      responder.Answer(mrYes).Answer(mrNo).Answer(mrYes);  // save? yes; refused again: discard? yes
      vt::ClickControl(AddEditLeaguesForm->BitBtn1);
    }));
    ASSERT_GE(responder.Shown().size(), 2u);
    EXPECT_NE(responder.Shown()[1].Text.find(c.reason), String::npos) << responder.Shown()[1].Text;
    EXPECT_EQ(responder.Shown()[1].Text.find("already exists"), String::npos);
    EXPECT_EQ(Stored(), c.storedAfter);
    camp.Execute("DELETE FROM Leagues");
    camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", "Juniors"}, {"AddBy", "Age"},
                            {"BeginRange", 8}, {"EndRange", 10}});
    vt::Reopen(SQLDataModule->tLeagues);
  }
}

// Another copy of the program deleted the session while a new league was being typed for it:
// Done stores no league for the missing session and says why; the user goes back with the name
// typed, and the same again ends in the league given up.
TEST_F(AddEditLeaguesTest, ANewLeagueForASessionAnotherCopyDeletedIsRefusedAndNothingIsStored) {
  Start();
  vt::DialogResponder responder;
  responder.Answer(mrCancel);  // refused: back to the editor
  EXPECT_TRUE(OpenEditor(false, [&] {
    AddEditLeaguesForm->DBEdit1->SetFocus();
    vt::TypeText(AddEditLeaguesForm->DBEdit1, "Seniors");
    camp.Execute("DELETE FROM Leagues WHERE SessionID = " + IntToStr(session));
    camp.Execute("DELETE FROM Sessions WHERE SessionID = " + IntToStr(session));
    vt::ClickControl(AddEditLeaguesForm->BitBtn1);
    EXPECT_TRUE(AddEditLeaguesForm->Visible());
    EXPECT_EQ(AddEditLeaguesForm->DBEdit1->Text(), "Seniors");
    EXPECT_EQ(Stored(), "");
    responder.Answer(mrNo).Answer(mrYes);  // refused again: discard? yes
    vt::ClickControl(AddEditLeaguesForm->BitBtn1);
  }));
  ASSERT_EQ(responder.Shown().size(), 3u);
  for (int i : {0, 1})
    EXPECT_EQ(responder.Shown()[i].Text,
              "This Session was deleted by another user: nothing was saved.\n\nThe new record was not saved. Do you "
              "want to try saving again?\nYes tries again, No discards the new record, Cancel goes back to the "
              "editor.");
  EXPECT_EQ(Stored(), "");
  EXPECT_EQ(SQLDataModule->tLeagues->State(), dsBrowse);
}

TEST_F(AddEditLeaguesTest, EnterMovesFromTheNameToTheGroupingToTheBeginRange) {
  Start();
  OpenEditor(false, [] {
    TAddEditLeaguesForm* f = AddEditLeaguesForm;
    f->DBEdit1->SetFocus();
    vt::SendKey(f->DBEdit1, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->DBComboBox1);
    vt::SendKey(f->DBComboBox1, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->VtDBCalcEdit1);
    vt::SendKey(f->VtDBCalcEdit1, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->VtDBCalcEdit2);
    SQLDataModule->tLeagues->Cancel();
  });
}

TEST_F(AddEditLeaguesTest, ARangePastThirtyTwoBitsIsRefusedWithTheFieldsNameAndNeverStored) {
  Start();
  OpenEditor(true, [&] {
    TAddEditLeaguesForm* f = AddEditLeaguesForm;
    const std::pair<TVtDBCalcEdit*, const char*> ranges[] = {{f->VtDBCalcEdit1, "BeginRange"},
                                                             {f->VtDBCalcEdit2, "EndRange"}};
    for (const auto& [edit, column] : ranges) {
      vt::DialogResponder responder;
      responder.Answer(mrOk);
      edit->SetFocus();
      edit->SelectAll();
      vt::TypeText(edit, "99999999999");
      f->DBEdit1->SetFocus();
      ASSERT_EQ(responder.Shown().size(), 1u) << column;
      EXPECT_EQ(responder.Last().Text, "99999999999 is not a valid value for field '" + String(column) +
                                           "'. The allowed range is -2147483648 to 2147483647");
      EXPECT_EQ(f->ActiveControl(), edit) << column << ": the focus stays";
      vt::SendKey(edit, VK_ESCAPE);
    }
    SQLDataModule->tLeagues->Cancel();
  });
  EXPECT_EQ(Stored(), "Juniors Age 8-10");
}

}  // namespace
