// Deleting a session: refused while anybody is enrolled; otherwise its types, rooms, chaperone
// rooms, leagues and teams go with it, and a failure part way deletes nothing.
#include "app/SessionDeletion.h"

#include <gtest/gtest.h>

#include "db/ADODB.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "tests/fixtures/CampFixture.h"

namespace {

class SessionDeletionTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int* session : {&week1, &week2}) {
      *session = camp.AddSession("Week", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
      camp.AddSessionType(*session, "R", "Resident", 4);
      camp.AddRoom(*session, "Inn", "101", 4);
      camp.AddRoom(*session, "Inn", "C1", 2, /*forChaperones=*/true);
      camp.Insert("Leagues", {{"SessionID", *session}, {"LeagueName", "Juniors"}});
      camp.AddTeam(*session, "Juniors", "Team 1");
    }
    sessions.SetConnection(camp.Connection());
    sessions.SQL()->Add("Select * From Sessions ORDER BY SessionID");
    sessions.Open();
  }

  // The rows of every table that belong to the session.
  int RowsOf(int session) {
    int rows = 0;
    for (const char* table : {"Sessions", "SessionSessionTypes", "Rooms", "CoachesRooms", "Leagues", "Teams"})
      rows += camp.Value(String("SELECT COUNT(*) FROM ") + table + " WHERE SessionID = " + IntToStr(session)).AsInteger();
    return rows;
  }

  vt::test::CampFixture camp;
  TADOQuery sessions{nullptr};
  int week1 = 0;
  int week2 = 0;
};

TEST_F(SessionDeletionTest, ASessionGoesWithEverythingThatBelongsToItAlone) {
  EXPECT_FALSE(vt::SessionInUse(camp.Connection(), week1));
  vt::DeleteSession(camp.Connection(), &sessions);
  EXPECT_EQ(RowsOf(week1), 0);
  EXPECT_EQ(RowsOf(week2), 6);
  EXPECT_EQ(sessions.RecordCount(), 1);
}

TEST_F(SessionDeletionTest, AnAttendeeOrAChaperoneEnrolledKeepsTheSessionInUse) {
  camp.AddEnrolment(week1, camp.AddAttendee("Ann", "Kid"), "R");
  camp.AddChaperoneEnrolment(week2, camp.AddChaperone("Cy", "Coach"), "R");
  EXPECT_TRUE(vt::SessionInUse(camp.Connection(), week1));
  EXPECT_TRUE(vt::SessionInUse(camp.Connection(), week2));
}

TEST_F(SessionDeletionTest, AFailurePartWayDeletesNothing) {
  camp.Execute("CREATE TRIGGER fail BEFORE DELETE ON Teams BEGIN SELECT RAISE(ABORT, 'injected'); END");
  EXPECT_THROW(vt::DeleteSession(camp.Connection(), &sessions), Exception);
  EXPECT_EQ(RowsOf(week1), 6);
  EXPECT_EQ(sessions.RecordCount(), 2);
}

}  // namespace
