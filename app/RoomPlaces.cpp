// The free-place rule of the hotel rooms: each step is a pair of row changes in one transaction.
#include "app/RoomPlaces.h"

#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/Fields.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace vt {

const RoomTables kAttendeeRooms{"Rooms", "AttendeeSession", "CamperID"};
const RoomTables kChaperoneRooms{"CoachesRooms", "ChaperoneSession", "ChaperoneID"};

namespace {

String EnrolmentRow(const RoomTables& tables, int sessionId, int personId) {
  return " WHERE SessionID = " + IntToStr(sessionId) + " AND " + tables.person + " = " + IntToStr(personId);
}

// "UPDATE table SET " + the rest; returns the rows it changed.
int Update(TADOConnection* connection, const char* table, const String& rest) {
  return connection->Execute(String("UPDATE ") + table + " SET " + rest);
}

// Whether the room is one of the session's rooms.
bool RoomOfSession(TADOConnection* connection, const RoomTables& tables, const String& room, int sessionId) {
  TADOQuery query(nullptr);
  query.SetConnection(connection);
  query.SQL()->Add(String("SELECT RoomID FROM ") + tables.rooms + " WHERE RoomID = " + room +
                   " AND SessionID = " + IntToStr(sessionId));
  query.Open();
  return !query.IsEmpty();
}

}  // namespace

Placement TryTakePlace(TADOConnection* connection, const RoomTables& tables, int roomId, int sessionId, int personId) {
  Transaction transaction(connection);
  const String room = IntToStr(roomId);
  if (Update(connection, tables.rooms, "NumberAvailable = NumberAvailable - 1 WHERE RoomID = " + room +
                                          " AND SessionID = " + IntToStr(sessionId) + " AND NumberAvailable >= 1") == 0)
    return RoomOfSession(connection, tables, room, sessionId) ? Placement::RoomFull : Placement::RoomElsewhere;
  if (Update(connection, tables.enrolments,
             "RoomID = " + room + EnrolmentRow(tables, sessionId, personId) + " AND RoomID Is Null") == 0)
    return Placement::NotWaiting;
  transaction.Commit();
  return Placement::Placed;
}

void TakePlace(TADOConnection* connection, const RoomTables& tables, int roomId, int sessionId, int personId) {
  switch (TryTakePlace(connection, tables, roomId, sessionId, personId)) {
    case Placement::Placed: return;
    case Placement::RoomFull: throw Exception("This room is full");
    case Placement::RoomElsewhere: throw Exception("This room belongs to another Session: nobody was placed in it.");
    case Placement::NotWaiting: throw Exception("This enrolment is no longer waiting for a room.");
  }
}

void GivePlaceBack(TADOConnection* connection, const RoomTables& tables, int sessionId, int personId) {
  Transaction transaction(connection);
  const String enrolment = EnrolmentRow(tables, sessionId, personId);
  Update(connection, tables.rooms, String("NumberAvailable = NumberAvailable + 1 WHERE RoomID = ") +
                                       "(SELECT RoomID FROM " + tables.enrolments + enrolment + ")");
  Update(connection, tables.enrolments, "RoomID = Null" + enrolment);
  transaction.Commit();
}

// A stay of another session in one of these rooms, or of this session in another session's
// room, is let go too (such stays could be made before every placement checked the room's
// session), and the other session's room gets its place back.
void EmptyRooms(TADOConnection* connection, const RoomTables& tables, int sessionId) {
  Transaction transaction(connection);
  const String session = IntToStr(sessionId);
  const String rooms = tables.rooms;
  const String enrolments = tables.enrolments;
  Update(connection, tables.rooms,
         "NumberAvailable = NumberAvailable + (SELECT COUNT(*) FROM " + enrolments + " e WHERE e.RoomID = " + rooms +
             ".RoomID AND e.SessionID = " + session + ") WHERE SessionID <> " + session + " AND RoomID IN (SELECT RoomID FROM " +
             enrolments + " WHERE SessionID = " + session + ")");
  Update(connection, tables.enrolments,
         "RoomID = Null WHERE SessionID = " + session + " OR RoomID IN (SELECT RoomID FROM " + rooms +
             " WHERE SessionID = " + session + ")");
  Update(connection, tables.rooms, "NumberAvailable = NumberInRoom WHERE SessionID = " + session);
  transaction.Commit();
}

void ReleaseRoom(TADOConnection* connection, const RoomTables& tables, int roomId) {
  Update(connection, tables.enrolments, "RoomID = Null WHERE RoomID = " + IntToStr(roomId));
}

void KeepFreePlaces(TDataSet* room, const RoomTables& tables) {
  TField* size = room->FieldByName("NumberInRoom");
  int storedSize = 0;
  int storedFree = 0;
  if (room->State() == dsEdit) {
    TADOQuery stored(nullptr);
    stored.SetConnection(static_cast<TCustomADODataSet*>(room)->Connection());
    stored.SQL()->Add(String("SELECT NumberInRoom, NumberAvailable FROM ") + tables.rooms +
                      " WHERE RoomID = " + IntToStr(room->FieldByName("RoomID")->AsInteger()));
    stored.Open();
    storedSize = stored.FieldByName("NumberInRoom")->AsInteger();
    storedFree = stored.FieldByName("NumberAvailable")->AsInteger();
  }
  if (size->AsInteger() < 0) throw Exception("Number In Room cannot be negative.");
  const int occupants = storedSize - storedFree;
  if (size->AsInteger() < occupants)
    throw Exception(Format("This room has %d people in it: Number In Room cannot be less.", {occupants}));
  room->FieldByName("NumberAvailable")->SetAsInteger(size->AsInteger() - occupants);
}

}  // namespace vt
