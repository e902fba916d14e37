// The leagues page: the default list imported by age and by grade in place of the session's
// leagues, the refusal without a current session, an import that fails part way, and the
// league coordinator.
#include <gtest/gtest.h>

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

class MainLeaguesTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    week1 = camp.AddSession("Week 1", EncodeDate(2090, 6, 2), EncodeDate(2090, 6, 7));
    week2 = camp.AddSession("Week 2", EncodeDate(2090, 6, 9), EncodeDate(2090, 6, 14));
    for (int session : {week1, week2})
      camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", "Rookies"}, {"AddBy", "Age"},
                              {"BeginRange", 5}, {"EndRange", 7}});
    camp.AddChaperoneEnrolment(week1, camp.AddChaperone("Coach", "Carter"), "R");
  }
  void TearDown() override {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  void Start() {
    StartVantrel();
    MainForm->FormActivate(MainForm);
  }
  void Import(int byIndex, int answer) {
    MainForm->ComboBox7->SetItemIndex(byIndex);
    responder.Answer(answer);
    MainForm->BitBtn10->Click();
  }
  // A session's leagues as "name begin-end by, ...", in the order stored.
  String Leagues(int session) {
    return camp.Value("SELECT group_concat(LeagueName || ' ' || BeginRange || '-' || EndRange || ' ' || AddBy, ', ') "
                   "FROM (SELECT * FROM Leagues WHERE SessionID = " + IntToStr(session) + " ORDER BY rowid)")
        .AsString();
  }

  vt::test::CampFixture camp;
  vt::DialogResponder responder;
  int week1 = 0;
  int week2 = 0;
};

TEST_F(MainLeaguesTest, ImportReplacesTheSessionsLeaguesWithTheDefaultsByAgeOrByGrade) {
  Start();
  Import(0, mrNo);
  EXPECT_EQ(responder.Last().Text,
            "This will delete all current Leagues and add the default Leagues. Do you wish to continue?");
  EXPECT_EQ(responder.Last().Caption, "Confirm Process");
  EXPECT_EQ(Leagues(week1), "Rookies 5-7 Age");

  const String byAge = "Juniors 8-10 Age, Intermediates 11-13 Age, Seniors 14-18 Age";
  Import(0, mrYes);
  EXPECT_EQ(Leagues(week1), byAge);
  Import(0, mrYes);  // a second import leaves one copy
  EXPECT_EQ(Leagues(week1), byAge);
  EXPECT_EQ(Leagues(week2), "Rookies 5-7 Age");  // other sessions keep theirs
  EXPECT_EQ(SQLDataModule->tLeagues->RecordCount(), 3);  // the page's grid shows them

  Import(1, mrYes);
  EXPECT_EQ(Leagues(week1), "Juniors 3-5 Grade, Intermediates 6-8 Grade, Seniors 9-12 Grade");
}

TEST_F(MainLeaguesTest, TheQuestionNamesTheLeaguesAsTheTabDoes) {
  camp.Execute("UPDATE CoSys SET AgeGroupsP = 'Divisions'");
  Start();
  Import(0, mrNo);
  EXPECT_EQ(responder.Last().Text,
            "This will delete all current Divisions and add the default Divisions. Do you wish to continue?");
}

TEST_F(MainLeaguesTest, WithoutACurrentSessionNothingIsImported) {
  camp.Execute("UPDATE Sessions SET SessionActive = 0");
  Start();
  responder.Answer(mrOk);
  MainForm->BitBtn10->Click();
  EXPECT_EQ(responder.Last().Text, "There is no current Session to import the default Leagues into.");
  EXPECT_EQ(responder.Last().Caption, "Error");
  EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM Leagues").AsInteger(), 2);
}

TEST_F(MainLeaguesTest, AnImportThatFailsPartWayLeavesTheLeaguesAsTheyWere) {
  camp.Execute("CREATE TRIGGER fail BEFORE INSERT ON Leagues WHEN NEW.LeagueName = 'Seniors' "
               "BEGIN SELECT RAISE(ABORT, 'injected'); END");
  Start();
  EXPECT_THROW(Import(0, mrYes), Exception);
  EXPECT_EQ(Leagues(week1), "Rookies 5-7 Age");
  TADOTable* leagues = SQLDataModule->tLeagues;
  EXPECT_EQ(leagues->State(), dsBrowse);
  EXPECT_EQ(leagues->RecordCount(), 1);
  EXPECT_EQ(leagues->FieldByName("LeagueName")->AsString(), "Rookies");
}

TEST_F(MainLeaguesTest, TheCoordinatorIsWrittenIntoTheSelectedLeagueAndAnEmptyNameChangesNothing) {
  camp.Insert("Leagues", {{"SessionID", week1}, {"LeagueName", "Aces"}, {"AddBy", "Grade"}});
  Start();
  TADOTable* leagues = SQLDataModule->tLeagues;
  ASSERT_EQ(MainForm->ComboBox8->Items()->CommaText(), "\"Coach Carter\"");
  ASSERT_TRUE(leagues->Locate("LeagueName", Variant("Aces"), {}));
  MainForm->ComboBox8->SetText("Coach O'Brien");  // typed, not chosen
  MainForm->BitBtn11->Click();
  EXPECT_EQ(camp.Value("SELECT Coordinator FROM Leagues WHERE LeagueName = 'Aces'").AsString(), "Coach O'Brien");
  EXPECT_EQ(leagues->FieldByName("LeagueName")->AsString(), "Aces");  // still selected

  MainForm->ComboBox8->SetText("");
  MainForm->BitBtn11->Click();
  EXPECT_EQ(camp.Value("SELECT Coordinator FROM Leagues WHERE LeagueName = 'Aces'").AsString(), "Coach O'Brien");
  EXPECT_TRUE(camp.Value("SELECT Coordinator FROM Leagues WHERE LeagueName = 'Rookies' AND SessionID = " +
                         IntToStr(week1)).IsNull());
}

}  // namespace
