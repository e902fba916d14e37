// The team page over a small camp worked out by hand: automatic team building in both modes
// (leagues by age and by grade, positions with different numbers per team, attendees without a
// position, partial teams, the counter across runs, the type filter), a team that cannot be
// written, and the hand edits: moves, deletions, renaming, the chaperone and the members list.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "app/About.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "tests/app/AfterNextCommit.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

const TDateTime kToday = EncodeDate(2030, 6, 1);

// Born `years` before today, to the day.
TDateTime Born(double years) { return std::trunc(kToday - years * 365.25); }

// The age league 8 to 10 takes dates of birth from today - 11 x 365.25 to today - 8 x 365.25.
const TDateTime kOldestJunior = Born(11);
const TDateTime kYoungestJunior = Born(8);

struct Kid {
  const char* name;
  TDateTime dob;
  int grade;
  const char* position;  // "" = none; "X" is not in the position table
  const char* type;
};

// Positions G 2, F 2, C 1 (total 5). League "Juniors" by age 8-10, "Seniors" by grade 9-12.
const Kid kKids[] = {
    {"Edge", kOldestJunior, 5, "G", "R"},  // the oldest a junior can be
    {"Out", kOldestJunior - 1, 5, "G", "R"},  // one day too old, and below the seniors' grades
    {"J1", Born(10.5), 5, "G", "R"},
    {"J2", Born(10.0), 5, "g", "R"},  // positions match whatever the letter case
    {"J3", Born(9.8), 4, "F", "R"},
    {"J4", Born(9.6), 4, "F", "R"},
    {"J5", Born(9.4), 4, "F", "R"},
    {"J6", Born(9.0), 3, "C", "R"},
    {"J7", Born(8.5), 3, "X", "R"},
    {"Late", kYoungestJunior, 3, "C", "R"},  // the youngest a junior can be
    {"S1", Born(16), 10, "G", "D"},
    {"S2", Born(15), 9, "F", "D"},
    {"S3", Born(17), 12, "C", "D"},
};

class MainTeamsTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    vt::SetClockForTests(kToday + 0.5);
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    session = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    camp.AddSessionType(session, "R", "Resident", 4);
    camp.AddSessionType(session, "D", "Day", 0);
    AddLeague("Juniors", "Age", 8, 10);
    AddLeague("Seniors", "Grade", 9, 12);
    for (const Kid& kid : kKids) AddKid(kid);
    const int chaperone = camp.AddChaperone("Coach", "Carter");
    camp.AddChaperoneEnrolment(session, chaperone, "R");
  }
  void TearDown() override {
    Stop();
    vt::ResetClock();
  }

  void Start() {
    StartVantrel();
    MainForm->Show();
    MainForm->PageControl1->SetActivePage(MainForm->TabSheet6);
    vt::ProcessEventsUntilIdle();
  }

  static void Stop() {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  void AddLeague(const char* name, const char* addBy, int begin, int end) {
    camp.Insert("Leagues", {{"SessionID", session}, {"LeagueName", name}, {"AddBy", addBy},
                            {"BeginRange", begin}, {"EndRange", end}});
  }
  int AddKid(const Kid& kid) {
    const int camper = camp.Insert("Attendees", {{"LastName", kid.name}, {"FirstName", "Kid"}, {"DOB", kid.dob},
                                                 {"Grade", kid.grade}, {"NormalPosition", kid.position}});
    camp.AddEnrolment(session, camper, kid.type);
    campers[kid.name] = camper;
    return camper;
  }

  // The session's teams in the order they were made: "name league: members by name".
  std::vector<String> Teams() {
    std::vector<String> teams;
    TADOQuery query(nullptr);
    query.SetConnection(camp.Connection());
    query.SQL()->Add(
        "SELECT t.TeamName || ' ' || t.LeagueName || ':' || COALESCE((SELECT ' ' || group_concat(LastName, ' ') "
        "FROM (SELECT a.LastName FROM AttendeeSession s JOIN Attendees a ON a.CamperID = s.CamperID "
        "WHERE s.TeamID = t.TeamID ORDER BY a.LastName)), '') FROM Teams t WHERE t.SessionID = " +
        IntToStr(session) + " ORDER BY t.TeamID");
    query.Open();
    for (; !query.Eof(); query.Next()) teams.push_back(query.Fields()->Fields(0)->AsString());
    return teams;
  }
  // Enrolments pointing at a team that does not exist.
  int Orphans() {
    return camp.Value("SELECT COUNT(*) FROM AttendeeSession WHERE TeamID IS NOT NULL AND TeamID NOT IN "
                      "(SELECT TeamID FROM Teams)").AsInteger();
  }
  // What a grid's dataset lists, by last name, in its order.
  static std::vector<String> Names(TDataSet* dataSet) {
    std::vector<String> names;
    if (!dataSet->Active()) return names;
    for (int row = 1; row <= dataSet->RecordCount(); ++row)
      names.push_back(dataSet->FieldValueAt(row, dataSet->FieldByName("LastName")).AsString());
    return names;
  }
  static std::vector<String> Unassigned() { return Names(SQLDataModule->qAttendeesInTeams); }

  void AutoCreate(int mode, int onEachTeam) {
    MainForm->ComboBox11->SetItemIndex(mode);
    MainForm->VtCalcEdit1->SetValue(onEachTeam);
    MainForm->BitBtn13->Click();
  }
  void SelectTeam(const String& name) {
    ASSERT_TRUE(SQLDataModule->tTeams->Locate("TeamName", Variant(name), {}));
    MainForm->DBGrid10MouseUp(MainForm->DBGrid10, mbLeft, {}, 0, 0);
  }
  int TeamOf(const char* kid) {
    const Variant team = camp.Value("SELECT TeamID FROM AttendeeSession WHERE CamperID = " + IntToStr(campers[kid]));
    return team.IsNull() ? 0 : team.AsInteger();
  }
  int TeamId(const String& name) {
    return camp.Value("SELECT TeamID FROM Teams WHERE TeamName = '" + name + "'").AsInteger();
  }

  static constexpr int kPosition = 0;
  static constexpr int kTeam = 1;
  vt::test::CampFixture camp;
  int session = 0;
  std::map<String, int> campers;
};

TEST_F(MainTeamsTest, MixedTeamsTakeEachPositionsNumberOldestFirstPassByPass) {
  struct Case {
    int onEachTeam;
    std::vector<String> teams;
    double nextTeamNumber;
  };
  const Case cases[] = {
      // Pass 1 gives each league a team; pass 2 the juniors the rest of their positions; pass 3
      // an empty team for J7, whose position is not in the table, and places nobody: the end.
      {5,
       {"Team1 Juniors: Edge J1 J3 J4 J6", "Team2 Seniors: S1 S2 S3", "Team3 Juniors: J2 J5 Late",
        "Team4 Juniors:"},
       5},
      // Twice each position's number: every junior with a position fits on one team.
      {10, {"Team1 Juniors: Edge J1 J2 J3 J4 J5 J6 Late", "Team2 Seniors: S1 S2 S3", "Team3 Juniors:"}, 4},
  };
  for (const Case& c : cases) {
    camp.Execute("DELETE FROM Teams");
    camp.Execute("UPDATE AttendeeSession SET TeamID = NULL");
    Start();
    AutoCreate(kTeam, c.onEachTeam);
    EXPECT_EQ(Teams(), c.teams) << c.onEachTeam;
    EXPECT_EQ(Unassigned(), (std::vector<String>{"Out", "J7"})) << c.onEachTeam;
    EXPECT_EQ(MainForm->VtCalcEdit2->Value(), c.nextTeamNumber) << c.onEachTeam;
    EXPECT_EQ(SQLDataModule->tTeams->RecordCount(), int(c.teams.size()));
    Stop();
  }
}

TEST_F(MainTeamsTest, DeletePartialTeamsDissolvesTeamsBelowOnEachTeamAndKeepsFullOnes) {
  Start();
  AutoCreate(kTeam, 5);
  ASSERT_EQ(Teams().size(), 4u);

  vt::DialogResponder responder;
  responder.Answer(mrNo);
  MainForm->BitBtn43->Click();
  EXPECT_EQ(Teams().size(), 4u);
  EXPECT_EQ(responder.Last().Text, "Are you sure you want to delete all Teams that are not complete?");
  EXPECT_EQ(responder.Last().Caption, "Confirm Deletetion");

  MainForm->VtCalcEdit1->SetValue(0);  // no team has fewer than none
  responder.Answer(mrYes);
  MainForm->BitBtn43->Click();
  EXPECT_EQ(Teams().size(), 4u);
  EXPECT_EQ(MainForm->VtCalcEdit2->Value(), 1);  // the counters start again all the same

  MainForm->VtCalcEdit1->SetValue(5);
  responder.Answer(mrYes);
  MainForm->BitBtn43->Click();
  EXPECT_EQ(Teams(), std::vector<String>{"Team1 Juniors: Edge J1 J3 J4 J6"});
  EXPECT_EQ(Orphans(), 0);
  EXPECT_EQ(Unassigned(), (std::vector<String>{"S3", "S1", "S2", "Out", "J2", "J5", "J7", "Late"}));
}

TEST_F(MainTeamsTest, OnEachTeamMustBeOneToFiveTimesThePositionTotal) {
  camp.Execute("UPDATE CoSys SET Teams = 'Squad', TeamsP = 'Squads'");
  Start();
  vt::DialogResponder responder;
  const String factor =
      "The number on each Squad must be a factor of the normal Squad Total.\n5, 10, 15, 20, 25 etc... "
      "Once a Squad is created in this fashion you may edit it and add people to it.";
  for (int refused : {6, 30}) {
    responder.Answer(mrOk);
    AutoCreate(kTeam, refused);
    EXPECT_EQ(responder.Last().Text, factor) << refused;
    EXPECT_EQ(responder.Last().Caption, "Error");
    MainForm->RadioGroup2Click(MainForm->RadioGroup2);  // a refused run still moves the guard
  }
  const size_t shown = responder.Shown().size();
  AutoCreate(kTeam, 0);  // nothing at all, not even a message
  EXPECT_EQ(responder.Shown().size(), shown);
  EXPECT_EQ(MainForm->ActiveControl(), MainForm->VtCalcEdit1);

  camp.Execute("DELETE FROM Positions");
  MainForm->RadioGroup2Click(MainForm->RadioGroup2);
  responder.Answer(mrOk);
  AutoCreate(kTeam, 5);
  EXPECT_EQ(responder.Last().Text, "Please enter data for positions.");
  EXPECT_TRUE(Teams().empty());

  camp.Execute("INSERT INTO Positions (APosition, NumberOnTeam) VALUES ('G', 2), ('C', 0)");
  MainForm->RadioGroup2Click(MainForm->RadioGroup2);
  AutoCreate(kTeam, 4);  // a position with none on a team adds nobody
  EXPECT_EQ(Teams().front(), "Squad1 Juniors: Edge J1 J2");
}

TEST_F(MainTeamsTest, PositionTeamsHoldOnEachTeamOfOnePositionFromOneLeague) {
  Start();
  AutoCreate(kPosition, 2);
  EXPECT_EQ(Teams(), (std::vector<String>{"Team1 Juniors: Edge J1", "Team2 Juniors: J2", "Team3 Seniors: S1",
                                          "Team4 Juniors: J3 J4", "Team5 Juniors: J5", "Team6 Seniors: S2",
                                          "Team7 Juniors: J6 Late", "Team8 Seniors: S3"}));
  EXPECT_EQ(Unassigned(), (std::vector<String>{"Out", "J7"}));

  AddKid({"J8", Born(9), 4, "G", "R"});
  AutoCreate(kPosition, 2);  // the counters did not move: a second press does nothing
  EXPECT_EQ(Teams().size(), 8u);
  MainForm->RadioGroup2Click(MainForm->RadioGroup2);
  AutoCreate(kPosition, 2);  // numbered from 1 on every run
  EXPECT_EQ(Teams().back(), "Team1 Juniors: J8");
}

TEST_F(MainTeamsTest, TheTeamCounterRunsOnAcrossRunsAndTheTypeFilterPlacesOnlyItsType) {
  Start();
  TRadioGroup* types = MainForm->RadioGroup2;
  types->SetItemIndex(types->Items()->IndexOf("D"));
  MainForm->RadioGroup2Click(types);
  AutoCreate(kTeam, 5);
  EXPECT_EQ(Teams(), std::vector<String>{"Team1 Seniors: S1 S2 S3"});

  AddKid({"S4", Born(15), 11, "C", "D"});
  AutoCreate(kTeam, 5);
  EXPECT_EQ(Teams().back(), "Team2 Seniors: S4");

  AddKid({"S5", Born(15), 11, "C", "D"});
  MainForm->RadioGroup2Click(types);
  AutoCreate(kTeam, 5);
  EXPECT_EQ(Teams().back(), "Team1 Seniors: S5");
  EXPECT_EQ(TeamOf("J1"), 0);
}

// A team that cannot be written leaves neither itself nor a member's team behind; the teams made
// before it stay, and the message says how many and that a second run places the rest, or is the
// failure's own where nothing was made.
TEST_F(MainTeamsTest, ATeamThatCannotBeWrittenLeavesNoTeamAndNoMemberBehind) {
  struct Case {
    const char* failing;  // the attendee whose team cannot be written
    const char* message;
    std::vector<String> teams;
    std::vector<String> unassigned;
  };
  const std::vector<String> everybody = {"S3", "S1", "S2", "Out", "Edge", "J1", "J2",
                                         "J3", "J4", "J5", "J6", "J7", "Late"};
  const Case cases[] = {
      {"S2",
       "1 Team was made and 5 of 13 were put on a Team before the run stopped; they keep their Teams, and running Auto "
       "Create Teams again places the rest.\n\nWhat stopped it: injected",
       {"Team1 Juniors: Edge J1 J3 J4 J6"},
       {"S3", "S1", "S2", "Out", "J2", "J5", "J7", "Late"}},
      {"Edge", "injected", {}, everybody},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    camp.Execute("CREATE TRIGGER fail BEFORE UPDATE ON AttendeeSession WHEN NEW.CamperID = " +
                 IntToStr(campers[c.failing]) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    Start();
    try {
      AutoCreate(kTeam, 5);
      ADD_FAILURE() << "the refused write was not reported";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(Teams(), c.teams);
    EXPECT_EQ(Orphans(), 0);
    EXPECT_EQ(MainForm->VtCalcEdit2->Value(), c.teams.size() + 1);
    EXPECT_EQ(Unassigned(), c.unassigned) << "the lists show what is stored";
    EXPECT_EQ(MainForm->TeamsProgress->Caption(), "");
    Stop();
    camp.Execute("DROP TRIGGER fail");
    camp.Execute("UPDATE AttendeeSession SET TeamID = NULL");
    camp.Execute("DELETE FROM Teams");
  }
}

// Another copy of the program deletes the session, or a league, after the run's first team: the
// next team of it finds no session or league in its transaction and stops the run there.
TEST_F(MainTeamsTest, AutoCreateTeamsStopsAtASessionOrLeagueAnotherCopyDeleted) {
  struct Case {
    std::vector<String> otherCopy;
    const char* message;
    std::vector<String> teams;
  };
  const String inSession = " WHERE SessionID = " + IntToStr(session);
  const Case cases[] = {
      {{"DELETE FROM Leagues WHERE LeagueName = 'Juniors'"},
       "2 Teams were made and 8 of 13 were put on a Team before the run stopped; they keep their Teams, and running "
       "Auto Create Teams again places the rest.\n\nWhat stopped it: This League was deleted by another user: that "
       "Team was not saved.",
       {"Team1 Juniors: Edge J1 J3 J4 J6", "Team2 Seniors: S1 S2 S3"}},
      {{"DELETE FROM AttendeeSession" + inSession, "DELETE FROM Teams" + inSession, "DELETE FROM Leagues" + inSession,
        "DELETE FROM Sessions" + inSession},
       "1 Team was made and 5 of 13 were put on a Team before the run stopped; they keep their Teams, and running "
       "Auto Create Teams again places the rest.\n\nWhat stopped it: This Session was deleted by another user: that "
       "Team was not saved.",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.otherCopy.back());
    Start();
    String reason;
    {
      vt::test::AfterNextCommit otherCopy([&] {
        for (const String& sql : c.otherCopy) camp.Execute(sql);
      });
      try {
        AutoCreate(kTeam, 5);
      } catch (const Exception& e) {
        reason = e.Message();
      }
    }
    EXPECT_EQ(reason, c.message);
    EXPECT_EQ(Teams(), c.teams);
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM Teams WHERE SessionID NOT IN (SELECT SessionID FROM Sessions)")
                  .AsInteger(), 0);
    EXPECT_EQ(Orphans(), 0);
    Stop();
    camp.Execute("UPDATE AttendeeSession SET TeamID = NULL");
    camp.Execute("DELETE FROM Teams");
    camp.Execute("INSERT OR IGNORE INTO Leagues (SessionID, LeagueName, AddBy, BeginRange, EndRange) VALUES (" +
                 IntToStr(session) + ", 'Juniors', 'Age', 8, 10)");
  }
}

TEST_F(MainTeamsTest, MovesOnAndOffATeamKeepEveryAttendeeOnOneTeamAtMost) {
  const int hawks = camp.AddTeam(session, "Juniors", "Hawks");
  const int owls = camp.AddTeam(session, "Juniors", "Owls");
  Start();
  TADOQuery* unassigned = SQLDataModule->qAttendeesInTeams;
  TADOQuery* members = SQLDataModule->qAttendeesAlreadyInTeams;

  SelectTeam("Owls");
  ASSERT_TRUE(unassigned->Locate("LastName", Variant("J1"), {}));
  MainForm->BitBtn24->Click();
  EXPECT_EQ(TeamOf("J1"), owls);
  EXPECT_EQ(Names(members), std::vector<String>{"J1"});
  EXPECT_EQ(SQLDataModule->tTeams->FieldByName("TeamName")->AsString(), "Owls");  // still selected
  EXPECT_EQ(Unassigned().size(), std::size(kKids) - 1);

  MainForm->PageControl5->SetActivePage(MainForm->TabSheet13);
  MainForm->PageControl5Change(MainForm->PageControl5);
  EXPECT_TRUE(MainForm->BitBtn17->Visible());
  EXPECT_FALSE(MainForm->BitBtn24->Visible());
  MainForm->BitBtn17->Click();
  EXPECT_EQ(TeamOf("J1"), 0);
  EXPECT_TRUE(Names(members).empty());
  MainForm->BitBtn17->Click();  // nobody left to take off: nothing happens

  SelectTeam("Hawks");
  ASSERT_TRUE(unassigned->Locate("LastName", Variant("J1"), {}));
  MainForm->BitBtn24->Click();
  EXPECT_EQ(TeamOf("J1"), hawks);
  EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM AttendeeSession WHERE TeamID IS NOT NULL").AsInteger(), 1);
  EXPECT_EQ(Orphans(), 0);
}

// Another copy of the program puts attendees on a team while Auto Create Teams runs: they stay
// on that team, and a team whose every member was taken meanwhile is not made.
TEST_F(MainTeamsTest, AutoCreateTeamsLeavesWhomAnotherCopyPlacedMeanwhile) {
  const int hawks = camp.AddTeam(session, "Juniors", "Hawks");
  Start();
  {
    vt::test::AfterNextCommit otherCopy([&] {
      camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(hawks) + " WHERE CamperID IN (" +
                   IntToStr(campers["J2"]) + ", " + IntToStr(campers["J3"]) + ")");
    });
    AutoCreate(kPosition, 2);
  }
  EXPECT_EQ(Teams(), (std::vector<String>{"Hawks Juniors: J2 J3", "Team1 Juniors: Edge J1", "Team3 Seniors: S1",
                                          "Team4 Juniors: J4", "Team5 Juniors: J5", "Team6 Seniors: S2",
                                          "Team7 Juniors: J6 Late", "Team8 Seniors: S3"}));
  EXPECT_EQ(Unassigned(), (std::vector<String>{"Out", "J7"}));
  EXPECT_EQ(SQLDataModule->tTeams->RecordCount(), 8);
}

// The arrows move the attendee from where the list showed her: one whom another copy of the
// program moved since stays there, and the user is told.
TEST_F(MainTeamsTest, AnArrowLeavesAnAttendeeAnotherCopyMovedAndSaysSo) {
  const int hawks = camp.AddTeam(session, "Juniors", "Hawks");
  const int owls = camp.AddTeam(session, "Juniors", "Owls");
  camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(owls) + " WHERE CamperID = " + IntToStr(campers["J2"]));
  Start();
  struct Case {
    TBitBtn* arrow;
    TDataSet* list;
    const char* kid;
  };
  for (const Case& c : {Case{MainForm->BitBtn24, SQLDataModule->qAttendeesInTeams, "J1"},
                        Case{MainForm->BitBtn17, SQLDataModule->qAttendeesAlreadyInTeams, "J2"}}) {
    SelectTeam("Owls");
    ASSERT_TRUE(c.list->Locate("LastName", Variant(c.kid), {})) << c.kid;
    camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(hawks) + " WHERE CamperID = " +
                 IntToStr(campers[c.kid]));
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    c.arrow->Click();
    ASSERT_EQ(responder.Shown().size(), 1u) << c.kid;
    EXPECT_EQ(responder.Last().Text, "This attendee's team was changed by another user: nothing was changed here.");
  }
  EXPECT_EQ(TeamOf("J1"), hawks);
  EXPECT_EQ(TeamOf("J2"), hawks);
  EXPECT_TRUE(Names(SQLDataModule->qAttendeesAlreadyInTeams).empty()) << "the members list shows what is stored";
}

// Another copy of the program deleted the selected team: putting an attendee on it, renaming it
// and giving it a chaperone are refused with that reason, nothing is written, and the page shows
// the teams as stored.
TEST_F(MainTeamsTest, ATeamAnotherCopyDeletedTakesNobodyAndNoName) {
  camp.AddTeam(session, "Juniors", "Hawks");
  const int owls = camp.AddTeam(session, "Juniors", "Owls");
  Start();
  MainForm->Edit4->SetText("Night Owls");
  MainForm->ComboBox5->SetText("Coach Carter");
  for (TBitBtn* button : {MainForm->BitBtn24, MainForm->BitBtn27, MainForm->BitBtn19}) {
    SelectTeam("Owls");
    camp.Execute("DELETE FROM Teams WHERE TeamID = " + IntToStr(owls));
    String reason;
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    try {
      button->Click();
    } catch (const Exception& e) {
      reason = e.Message();
    }
    if (reason.empty() && !responder.Shown().empty()) reason = responder.Last().Text;
    EXPECT_NE(reason.find("deleted by another user"), String::npos) << button->Name() << ": " << reason;
    EXPECT_EQ(Teams(), std::vector<String>{"Hawks Juniors:"}) << button->Name();
    EXPECT_EQ(Orphans(), 0) << button->Name();
    EXPECT_EQ(SQLDataModule->tTeams->RecordCount(), 1) << button->Name() << ": the page shows what is stored";
    camp.Execute("INSERT INTO Teams (TeamID, SessionID, LeagueName, TeamName) VALUES (" + IntToStr(owls) + ", " +
                 IntToStr(session) + ", 'Juniors', 'Owls')");
    vt::Reopen(SQLDataModule->tTeams);
  }
}

TEST_F(MainTeamsTest, DeletingTeamsGivesTheirMembersBack) {
  camp.Execute("UPDATE CoSys SET Teams = '', TeamsP = 'Squads'");
  const int hawks = camp.AddTeam(session, "Juniors", "Hawks");
  const int owls = camp.AddTeam(session, "Seniors", "Owls");
  camp.AddTeam(session, "Seniors", "Eagles");
  camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(hawks) + " WHERE CamperID IN (" +
               IntToStr(campers["J1"]) + ", " + IntToStr(campers["J2"]) + ")");
  camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(owls) + " WHERE CamperID = " + IntToStr(campers["S1"]));
  Start();
  vt::DialogResponder responder;

  SelectTeam("Hawks");
  responder.Answer(mrNo);
  MainForm->BitBtn26->Click();
  EXPECT_EQ(responder.Last().Text, "Are you sure you want to delete this Team?");
  EXPECT_EQ(TeamOf("J1"), hawks);

  responder.Answer(mrYes);
  MainForm->BitBtn26->Click();
  EXPECT_EQ(Teams(), (std::vector<String>{"Owls Seniors: S1", "Eagles Seniors:"}));
  EXPECT_EQ(TeamOf("J1"), 0);
  EXPECT_EQ(Unassigned().size(), std::size(kKids) - 1);
  // The page shows the team that followed the deleted one, with its members.
  EXPECT_EQ(SQLDataModule->tTeams->FieldByName("TeamName")->AsString(), "Owls");
  EXPECT_EQ(Names(SQLDataModule->qAttendeesAlreadyInTeams), std::vector<String>{"S1"});

  MainForm->RadioGroup2->SetItemIndex(MainForm->RadioGroup2->Items()->IndexOf("R"));  // S1 is a day attendee
  MainForm->RadioGroup2Click(MainForm->RadioGroup2);
  MainForm->VtCalcEdit2->SetValue(7);
  responder.Answer(mrYes);
  MainForm->BitBtn15->Click();
  EXPECT_EQ(responder.Last().Text, "Are you sure you want to delete all Squads and start over?");
  EXPECT_TRUE(Teams().empty());
  EXPECT_EQ(TeamOf("S1"), 0);
  EXPECT_EQ(MainForm->VtCalcEdit2->Value(), 1);
  EXPECT_EQ(MainForm->VtCalcEdit3->Value(), 0);
}

TEST_F(MainTeamsTest, RenameAndChaperoneWriteTheSelectedTeamAndEmptyTextsChangeNothing) {
  camp.AddTeam(session, "Juniors", "Hawks");
  camp.AddTeam(session, "Juniors", "Owls");
  Start();
  SelectTeam("Owls");
  MainForm->Edit4->SetText("Night O'Wls");
  MainForm->BitBtn27->Click();
  EXPECT_EQ(MainForm->ComboBox5->Items()->CommaText(), "\"Coach Carter\"");
  MainForm->ComboBox5->SetText("Coach Carter");
  MainForm->BitBtn19->Click();
  EXPECT_EQ(Teams(), (std::vector<String>{"Hawks Juniors:", "Night O'Wls Juniors:"}));
  EXPECT_EQ(camp.Value("SELECT Chaperone FROM Teams WHERE TeamName = 'Night O''Wls'").AsString(), "Coach Carter");
  EXPECT_EQ(SQLDataModule->tTeams->FieldByName("TeamName")->AsString(), "Night O'Wls");
  EXPECT_EQ(MainForm->Edit4->Text(), "Night O'Wls");

  MainForm->Edit4->SetText("");
  MainForm->BitBtn27->Click();
  MainForm->ComboBox5->SetText("");
  MainForm->BitBtn19->Click();
  EXPECT_EQ(camp.Value("SELECT Chaperone FROM Teams WHERE TeamName = 'Night O''Wls'").AsString(), "Coach Carter");
}

TEST_F(MainTeamsTest, ClickingTheTeamsGridStoresItsWidthsAndShowsTheClickedTeamsMembers) {
  camp.AddTeam(session, "Juniors", "Hawks");
  const int owls = camp.AddTeam(session, "Juniors", "Owls");
  camp.Execute("UPDATE AttendeeSession SET TeamID = " + IntToStr(owls) + " WHERE CamperID = " + IntToStr(campers["J6"]));
  Start();
  TDBGrid* grid = MainForm->DBGrid10;
  grid->Columns()->Items(0)->SetWidth(150);
  EXPECT_TRUE(Names(SQLDataModule->qAttendeesAlreadyInTeams).empty());  // Hawks, the first team
  const TRect owlsRow = grid->CellRect(1, 2);
  vt::ClickControl(grid, (owlsRow.Left + owlsRow.Right) / 2, (owlsRow.Top + owlsRow.Bottom) / 2);
  EXPECT_EQ(SQLDataModule->tTeams->FieldByName("TeamName")->AsString(), "Owls");
  EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger("10", grid->Columns()->Items(0)->FieldName(), 0), 150);
  EXPECT_EQ(Names(SQLDataModule->qAttendeesAlreadyInTeams), std::vector<String>{"J6"});
}

}  // namespace
