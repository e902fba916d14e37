// Deleting a session with the rows that belong to it alone.
#include "app/SessionDeletion.h"

#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/Fields.h"

namespace vt {

bool SessionInUse(TADOConnection* connection, int sessionId) {
  const String session = IntToStr(sessionId);
  TADOQuery enrolments(nullptr);
  enrolments.SetConnection(connection);
  enrolments.SQL()->Add("SELECT SessionID FROM AttendeeSession WHERE SessionID = " + session +
                        " UNION ALL SELECT SessionID FROM ChaperoneSession WHERE SessionID = " + session);
  enrolments.Open();
  return !enrolments.IsEmpty();
}

void DeleteSession(TADOConnection* connection, TDataSet* sessions) {
  const String session = IntToStr(sessions->FieldByName("SessionID")->AsInteger());
  Transaction transaction(connection);
  // Stays of other sessions that were put in this session's rooms or teams lose them first, so
  // none points at a row that is gone.
  const struct {
    const char* enrolments;
    const char* column;
    const char* owner;
  } stays[] = {{"AttendeeSession", "RoomID", "Rooms"},
               {"ChaperoneSession", "RoomID", "CoachesRooms"},
               {"AttendeeSession", "TeamID", "Teams"}};
  for (const auto& stay : stays)
    connection->Execute(String("UPDATE ") + stay.enrolments + " SET " + stay.column + " = Null WHERE " + stay.column +
                        " IN (SELECT " + stay.column + " FROM " + stay.owner + " WHERE SessionID = " + session + ")");
  for (const char* table : {"SessionSessionTypes", "Rooms", "CoachesRooms", "Leagues", "Teams"})
    connection->Execute(String("DELETE FROM ") + table + " WHERE SessionID = " + session);
  sessions->Delete();
  transaction.Commit();
}

}  // namespace vt
