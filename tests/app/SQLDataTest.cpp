// The data module over a prepared camp database: the start-up datasets open, the join queries
// select what their pages rely on, the persistent field lists and the calculated Age.
#include "app/SQLData.h"

#include <gtest/gtest.h>

#include "app/ProgramIni.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "tests/fixtures/CampFixture.h"

namespace {

using vt::test::CampFixture;

class SQLDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    module = new TSQLDataModule(nullptr);
    module->dbVantrelADO->SetConnectionString(DatabaseConnectionString(camp.DatabasePath()));
    module->dbVantrelADO->Open();
  }
  void TearDown() override {
    delete module;
    vt::ResetClock();
  }

  // Rewrites one session line, as the session switch does, and reopens the query.
  static void Reopen(TADOQuery* query, int line, const String& text) {
    query->Close();
    query->SQL()->SetStrings(line, text);
    query->Open();
  }

  // The open datasets of the module, in design order.
  String ActiveDatasets() const {
    String names;
    for (int i = 0; i < module->ComponentCount(); ++i) {
      auto* dataSet = dynamic_cast<TDataSet*>(module->Components(i));
      if (dataSet && dataSet->Active()) names += (names.empty() ? "" : ",") + dataSet->Name();
    }
    return names;
  }

  static String Names(TDataSet* dataSet) {
    String names;
    for (int i = 0; i < dataSet->Fields()->Count(); ++i)
      names += (i ? "," : "") + dataSet->Fields()->Fields(i)->FieldName();
    return names;
  }

  CampFixture camp;
  TSQLDataModule* module = nullptr;
};

TEST_F(SQLDataTest, StartupOpensExactlyItsDatasetsOnAnEmptyDatabase) {
  module->OpenStartupDatasets();
  EXPECT_EQ(ActiveDatasets(),
            "tZipCodes,qCoSYS,tShirtSizes,tPositions,tDefaultLeagues,tSessionTypes,qAttendees,"
            "qChaperones,qSessions,tLeagues,tAttendeeTrx,tChaperoneTrx,qAttendeesOnSpot,"
            "qAttendeeSession,qChaperoneSession,tChaperoneSessions,tPayChaperones,tRooms,tTeams");
  EXPECT_TRUE(module->qCoSYS->IsEmpty());
  EXPECT_TRUE(module->qAttendeesOnSpot->IsEmpty());
  EXPECT_EQ(module->tSessionTypes->RecordCount(), 2);  // the default list
}

TEST_F(SQLDataTest, StartupDatasetsOpenWithRowsAndDetailsFollowTheirMasters) {
  camp.AddCompany("Your Company Name");
  int week1 = camp.AddSession("Week 1", EncodeDate(2003, 6, 2), EncodeDate(2003, 6, 7));
  int week2 = camp.AddSession("Week 2", EncodeDate(2003, 6, 9), EncodeDate(2003, 6, 14));
  camp.AddSession("Old", EncodeDate(2002, 6, 2), EncodeDate(2002, 6, 7), /*active=*/false);
  int ann = camp.AddAttendee("Smith", "Ann", EncodeDate(1990, 4, 1));
  camp.AddAttendee("Adams", "Bob");
  camp.Insert("Leagues", {{"SessionID", week2}, {"LeagueName", "Juniors"}});
  camp.Insert("AttendeeTrx", {{"CamperID", ann}, {"SessionID", week1}, {"AmountPaid", 120.0}});
  camp.AddRoom(week1, "Inn", "101", 4);
  camp.AddSessionType(week2, "D", "Day", 0);

  module->OpenStartupDatasets();
  module->tSessionSessionTypes->Open();
  EXPECT_EQ(module->qCoSYS->FieldByName("CompanyName")->AsString(), "Your Company Name");
  EXPECT_EQ(module->qSessions->RecordCount(), 2);  // active sessions only
  EXPECT_EQ(module->qAttendees->FieldByName("LastName")->AsString(), "Adams");
  EXPECT_EQ(module->tRooms->RecordCount(), 1);     // of Week 1, the first session
  EXPECT_TRUE(module->tLeagues->IsEmpty());
  EXPECT_TRUE(module->tSessionSessionTypes->IsEmpty());
  module->qSessions->Next();
  EXPECT_EQ(module->tLeagues->FieldByName("LeagueName")->AsString(), "Juniors");
  EXPECT_EQ(module->tSessionSessionTypes->FieldByName("Description")->AsString(), "Day");
  EXPECT_TRUE(module->tRooms->IsEmpty());
  module->qAttendees->Last();  // Smith
  EXPECT_EQ(module->tAttendeeTrx->FieldByName("AmountPaid")->AsFloat(), 120.0);
}

TEST_F(SQLDataTest, PersistentFieldListsLimitWhatIsReachable) {
  module->OpenStartupDatasets();
  EXPECT_EQ(module->qAttendees->Fields()->Count(), 54);
  EXPECT_EQ(module->qChaperones->Fields()->Count(), 19);
  EXPECT_EQ(module->qSessions->Fields()->Count(), 21);
  EXPECT_EQ(Names(module->tChaperoneSessions), "SessionID,ChaperoneID,TotalFee,AmountPaid,BalanceOwed");
  EXPECT_EQ(Names(module->qAttendeesInRooms),
            "LastName,FirstName,DOB,CamperID,SessionID,AttendeeRequestID,RoomID,Age,SessionType,"
            "PerRoomMaximum");
  // The type column is selected but not in the list; other sets take every column.
  module->qAttendeesInTeams->Open();
  EXPECT_EQ(module->qAttendeesInTeams->FindField("Type"), nullptr);
  EXPECT_EQ(module->tChaperoneSessions->FindField("SessionType"), nullptr);
  EXPECT_NE(module->tRooms->FindField("NumberAvailable"), nullptr);
}

TEST_F(SQLDataTest, AgeCountsYearsOf365AndAQuarterDays) {
  TDateTime today = EncodeDate(2003, 6, 2);
  vt::SetClockForTests(today + 0.6);  // time of day plays no part
  int session = camp.AddSession("Week 1", today, today + 5);
  camp.AddSessionType(session, "R", "Resident", 4);
  struct Case {
    const char* name;
    Variant dob;
    const char* age;
  };
  const Case cases[] = {{"A365", Variant(today - 365), "0"},
                        {"B366", Variant(today - 366), "1"},
                        {"C10y", Variant(today - 3653), "10"},  // 3652.5 days make ten years
                        {"D10y", Variant(today - 3652), "9"},
                        {"E", Variant::Null(), ""}};
  for (const Case& c : cases) camp.AddEnrolment(session, camp.AddAttendee(c.name, "x", c.dob), "R");

  Reopen(module->qAttendeesInRooms, 2, "WHERE AttendeeSession.SessionID=" + IntToStr(session));
  TADOQuery* rooms = module->qAttendeesInRooms;
  ASSERT_EQ(rooms->RecordCount(), int(std::size(cases)));
  for (const Case& c : cases) {
    ASSERT_TRUE(rooms->Locate("LastName", Variant(c.name), {})) << c.name;
    EXPECT_EQ(rooms->FieldByName("Age")->AsString(), c.age) << c.name;
  }
  // The same body serves the other three attendee queries.
  Reopen(module->qAttendeesInTeams, 3, "AND AttendeeSession.SessionID=" + IntToStr(session));
  ASSERT_TRUE(module->qAttendeesInTeams->Locate("LastName", Variant("B366"), {}));
  EXPECT_EQ(module->qAttendeesInTeams->FieldByName("Age")->AsInteger(), 1);
}

TEST_F(SQLDataTest, EnrolmentWithoutATeamIsNotOnSpot) {
  int session = camp.AddSession("Week 1", EncodeDate(2003, 6, 2), EncodeDate(2003, 6, 7));
  int ann = camp.AddAttendee("Smith", "Ann");
  int bob = camp.AddAttendee("Jones", "Bob");
  int team = camp.AddTeam(session, "Juniors", "Hawks");
  camp.AddEnrolment(session, ann, "R", Variant::Null(), team);
  camp.AddEnrolment(session, bob, "R");

  Reopen(module->qAttendeesOnSpot, 2, "WHERE AttendeeSession.CamperID= " + IntToStr(ann));
  ASSERT_EQ(module->qAttendeesOnSpot->RecordCount(), 1);
  EXPECT_EQ(module->qAttendeesOnSpot->FieldByName("TeamName")->AsString(), "Hawks");
  Reopen(module->qAttendeesOnSpot, 2, "WHERE AttendeeSession.CamperID= " + IntToStr(bob));
  EXPECT_TRUE(module->qAttendeesOnSpot->IsEmpty());
}

TEST_F(SQLDataTest, TypesWithoutRoomsKeepPeopleOutOfTheRoomQueries) {
  int session = camp.AddSession("Week 1", EncodeDate(2003, 6, 2), EncodeDate(2003, 6, 7));
  camp.AddSessionType(session, "R", "Resident", 4);
  camp.AddSessionType(session, "D", "Day", 0);
  int room = camp.AddRoom(session, "Inn", "101", 4);
  camp.AddEnrolment(session, camp.AddAttendee("Resident", "Ann"), "R");
  camp.AddEnrolment(session, camp.AddAttendee("Day", "Bob"), "D");
  camp.AddEnrolment(session, camp.AddAttendee("Roomed", "Cy"), "R", room);
  camp.AddChaperoneEnrolment(session, camp.AddChaperone("Dee", "Resident"), "R");
  camp.AddChaperoneEnrolment(session, camp.AddChaperone("Eve", "Day"), "D");

  String sid = IntToStr(session);
  Reopen(module->qAttendeesInRooms, 2, "WHERE AttendeeSession.SessionID=" + sid);
  ASSERT_EQ(module->qAttendeesInRooms->RecordCount(), 1);
  EXPECT_EQ(module->qAttendeesInRooms->FieldByName("LastName")->AsString(), "Resident");
  Reopen(module->qChaperonesInRooms, 2, "WHERE ChaperoneSession.SessionID=" + sid);
  ASSERT_EQ(module->qChaperonesInRooms->RecordCount(), 1);
  EXPECT_EQ(module->qChaperonesInRooms->FieldByName("LastName")->AsString(), "Resident");

  TADOQuery* occupants = module->qAttendeesAlreadyInRooms;
  occupants->Close();
  occupants->SQL()->SetStrings(3, "AND  AttendeeSession.SessionID = " + sid);
  occupants->SQL()->SetStrings(2, "WHERE AttendeeSession.RoomID = " + IntToStr(room));
  occupants->Open();
  ASSERT_EQ(occupants->RecordCount(), 1);
  EXPECT_EQ(occupants->FieldByName("LastName")->AsString(), "Roomed");
}

TEST_F(SQLDataTest, QueriesOfOneSessionAndOnePersonRun) {
  TDateTime end = EncodeDate(2003, 5, 28);
  int session = camp.AddSession("Week 1", end - 5, end);
  int later = camp.AddSession("Week 2", end + 2, end + 7);
  int ann = camp.AddAttendee("Smith", "Ann");
  int dee = camp.AddChaperone("Dee", "Coach", 300);
  camp.AddEnrolment(session, ann, "R");
  camp.AddChaperoneEnrolment(session, dee, "R");
  camp.AddChaperoneEnrolment(later, dee, "D");
  String sid = IntToStr(session);

  Reopen(module->qAttendeeSession, 3, "AND Attendees.CamperID = " + IntToStr(ann));
  EXPECT_EQ(module->qAttendeeSession->RecordCount(), 1);
  Reopen(module->qChaperoneSession, 3, "AND Chaperones.ChaperoneID = " + IntToStr(dee));
  EXPECT_EQ(module->qChaperoneSession->RecordCount(), 2);
  Reopen(module->qMisc3, 2, "WHERE AttendeeSession.SessionID = " + sid);
  EXPECT_EQ(module->qMisc3->FieldByName("CamperID")->AsInteger(), ann);
  Reopen(module->qMisc4, 2, "WHERE ChaperoneSession.SessionID = " + sid);
  EXPECT_EQ(module->qMisc4->FieldByName("FirstName")->AsString(), "Dee");
  // Sessions of a chaperone ended by a date, with the enrolment's type.
  Reopen(module->qMisc2, 2,
         "WHERE Chaperones.ChaperoneID = " + IntToStr(dee) + " AND Sessions.EndDate <= '05/28/2003'");
  ASSERT_EQ(module->qMisc2->RecordCount(), 1);
  EXPECT_EQ(module->qMisc2->FieldByName("SessionType")->AsString(), "R");
}

}  // namespace
