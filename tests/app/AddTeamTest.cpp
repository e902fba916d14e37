// The new-team dialog over a started camp: the session's leagues and chaperones listed at every
// showing, a team appended with or without a chaperone, the question when the name or the
// league is missing, the "New Team" button that opens it, and Enter walking its fields.
#include "app/forms/AddTeam.h"

#include <gtest/gtest.h>

#include "app/forms/EditorFrame.h"
#include "db/Fields.h"
#include "rtl/StringList.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"

namespace {

using vt::test::RunWhileModal;

class AddTeamTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    session = camp.AddSession("Week 1", EncodeDate(2090, 6, 2), EncodeDate(2090, 6, 7));
    other = camp.AddSession("Week 2", EncodeDate(2090, 6, 9), EncodeDate(2090, 6, 14));
    camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", "Juniors"}, {"AddBy", "Age"},
                            {"BeginRange", 8}, {"EndRange", 10}});
    camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", "Under 12 - Girls"}, {"AddBy", "Grade"},
                            {"BeginRange", 5}, {"EndRange", 6}});
    camp.AddChaperoneEnrolment(session, camp.AddChaperone("Coach", "Carter"), "R");
    camp.AddChaperoneEnrolment(other, camp.AddChaperone("Elsewhere", "Ellis"), "R");
  }

  // "New Team" on the team page, and script inside the dialog.
  bool NewTeam(const std::function<void()>& script) {
    return RunWhileModal(AddTeamForm, [] { MainForm->BitBtn25->Click(); }, script);
  }
  String Teams() {
    return camp.Value("SELECT COALESCE(group_concat(TeamName || ' / ' || LeagueName || ' / ' || "
                      "COALESCE(Chaperone, 'none'), ', '), '') FROM Teams WHERE SessionID = " + IntToStr(session)).AsString();
  }

  int session = 0;
  int other = 0;
};

TEST_F(AddTeamTest, TheDialogListsTheSessionsLeaguesAndChaperonesAndAppendsTheTeam) {
  Start();
  vt::DialogResponder responder;  // a complete entry asks nothing
  EXPECT_TRUE(NewTeam([] {
    TAddTeamForm* f = AddTeamForm;
    EXPECT_EQ(f->Caption(), "Acme Camps - New ");  // no team word in the company record
    EXPECT_EQ(f->ComboBox1->Items()->CommaText(), "\"Juniors - Ages 8 to 10\",\"Under 12 - Girls - Grades 5 to 6\"");
    EXPECT_EQ(f->ComboBox5->Items()->CommaText(), "\"Coach Carter\"");
    EXPECT_EQ(f->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(f->ComboBox5->ItemIndex(), -1);
    EXPECT_EQ(f->ActiveControl(), f->Edit1);
    vt::TypeText(f->Edit1, "Hawks");
    f->ComboBox1->SetItemIndex(0);
    f->BitBtn1->Click();
  }));
  EXPECT_TRUE(NewTeam([] {
    TAddTeamForm* f = AddTeamForm;
    EXPECT_EQ(f->Edit1->Text(), "");  // every showing starts empty
    f->Edit1->SetText("Owls");
    f->ComboBox1->SetItemIndex(1);
    f->ComboBox5->SetItemIndex(0);
    f->BitBtn1->Click();
  }));
  // A league whose name holds " - " keeps its whole name on the team.
  EXPECT_EQ(Teams(), "Hawks / Juniors / none, Owls / Under 12 - Girls / Coach Carter");
  EXPECT_EQ(SQLDataModule->tTeams->RecordCount(), 2);  // the team page lists them
}

TEST_F(AddTeamTest, TheCompanysNounsNameTheDialogAndItsLabels) {
  camp.Execute("UPDATE CoSys SET Teams = 'Squad', Chaperones = 'Guide', AgeGroups = 'Division'");
  Start();
  NewTeam([] {
    TAddTeamForm* f = AddTeamForm;
    EXPECT_EQ(f->Caption(), "Acme Camps - New Squad");
    EXPECT_EQ(f->Label2->Caption(), "Squad Name");
    EXPECT_EQ(f->Label36->Caption(), "Guide");
    EXPECT_EQ(f->Label1->Caption(), "Division");
  });
}

TEST_F(AddTeamTest, AMissingNameOrLeagueAsksWhetherToCancel) {
  Start();
  vt::DialogResponder responder;
  responder.Answer(mrNo).Answer(mrNo).Answer(mrYes);
  EXPECT_TRUE(NewTeam([] {
    TAddTeamForm* f = AddTeamForm;
    f->ComboBox1->SetItemIndex(0);
    f->BitBtn1->Click();  // no name
    EXPECT_EQ(f->ModalResult(), mrNone);
    EXPECT_EQ(f->ActiveControl(), f->Edit1);
    f->Edit1->SetText("Hawks");
    f->ComboBox1->SetItemIndex(-1);
    f->BitBtn1->Click();  // no league
    EXPECT_EQ(f->ModalResult(), mrNone);
    f->BitBtn1->Click();  // yes, give up
  }));
  ASSERT_EQ(responder.Shown().size(), 3u);
  EXPECT_EQ(responder.Last().Text, "You must fill out the first two fields.\nDo you wish to cancel?");
  EXPECT_EQ(responder.Last().Caption, "Error");
  EXPECT_EQ(Teams(), "");
}

TEST_F(AddTeamTest, WithoutSessionsTheButtonOpensNothing) {
  camp.Execute("UPDATE Sessions SET SessionActive = 0");
  Start();
  MainForm->BitBtn25->Click();
  EXPECT_FALSE(AddTeamForm->Visible());
}

TEST_F(AddTeamTest, EnterWalksNameLeagueChaperoneDone) {
  Start();
  vt::DialogResponder responder;  // Enter only moves: no question
  NewTeam([] {
    TAddTeamForm* f = AddTeamForm;
    vt::SendKey(f->Edit1, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->ComboBox1);
    vt::SendKey(f->ComboBox1, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->ComboBox5);
    vt::SendKey(f->ComboBox5, VK_RETURN);
    EXPECT_EQ(f->ActiveControl(), f->BitBtn1);
  });
}

}  // namespace

// A showing after a team was made with a league and a chaperone starts with neither chosen.
TEST_F(AddTeamTest, EveryShowingStartsWithNoLeagueAndNoChaperoneChosen) {
  Start();
  vt::DialogResponder responder;
  EXPECT_TRUE(NewTeam([] {
    vt::TypeText(AddTeamForm->Edit1, "Hawks");
    AddTeamForm->ComboBox1->SetItemIndex(1);
    AddTeamForm->ComboBox5->SetItemIndex(0);
    AddTeamForm->BitBtn1->Click();
  }));
  EXPECT_TRUE(NewTeam([&] {
    EXPECT_EQ(AddTeamForm->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(AddTeamForm->ComboBox5->ItemIndex(), -1);
    EXPECT_EQ(AddTeamForm->ComboBox1->Text(), "");
    EXPECT_EQ(AddTeamForm->ComboBox5->Text(), "");
    responder.Answer(mrYes);
    AddTeamForm->BitBtn1->Click();  // no name: give up
  }));
  EXPECT_EQ(Teams(), "Hawks / Under 12 - Girls / Coach Carter");
}

// Another copy of the program deletes the league, or the whole session, while the dialog is
// open: Done writes no team, says why, and the dialog lists what is stored.
TEST_F(AddTeamTest, ALeagueOrSessionAnotherCopyDeletedGetsNoTeam) {
  Start();
  struct Case {
    String removal;
    String message;
    int leaguesAfter;
  };
  const Case cases[] = {
      {"DELETE FROM Leagues WHERE LeagueName = 'Juniors'", "This League was deleted by another user: nothing was saved.", 1},
      {"DELETE FROM Sessions WHERE SessionID = " + IntToStr(session),
       "This Session was deleted by another user: nothing was saved.", 1},
  };
  for (const Case& c : cases) {
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    responder.Answer(mrYes);
    EXPECT_TRUE(NewTeam([&] {
      vt::TypeText(AddTeamForm->Edit1, "Hawks");
      AddTeamForm->ComboBox1->SetItemIndex(0);
      camp.Execute(c.removal);
      AddTeamForm->BitBtn1->Click();
      EXPECT_EQ(AddTeamForm->ComboBox1->Items()->Count(), c.leaguesAfter) << c.removal;
      EXPECT_EQ(AddTeamForm->ComboBox1->ItemIndex(), -1);
      AddTeamForm->Edit1->SetText("");
      AddTeamForm->BitBtn1->Click();  // give up
    }));
    ASSERT_GE(responder.Shown().size(), 1u);
    EXPECT_EQ(responder.Shown()[0].Text, c.message);
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM Teams").AsInteger(), 0) << c.removal;
  }
}
