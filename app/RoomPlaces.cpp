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

}  // namespace

void TakePlace(TADOConnection* connection, const RoomTables& tables, int roomId, int sessionId, int personId) {
  Transaction transaction(connection);
  const String room = IntToStr(roomId);
  if (Update(connection, tables.rooms, "NumberAvailable = NumberAvailable - 1 WHERE RoomID = " + room +
                                          " AND NumberAvailable >= 1") == 0)
    throw Exception("This room is full");
  if (Update(connection, tables.enrolments,
             "RoomID = " + room + EnrolmentRow(tables, sessionId, personId) + " AND RoomID Is Null") == 0)
    throw Exception("This enrolment is no longer waiting for a room.");
  transaction.Commit();
}

void GivePlaceBack(TADOConnection* connection, const RoomTables& tables, int sessionId, int personId) {
  Transaction transaction(connection);
  const String enrolment = EnrolmentRow(tables, sessionId, personId);
  Update(connection, tables.rooms, String("NumberAvailable = NumberAvailable + 1 WHERE RoomID = ") +
                                       "(SELECT RoomID FROM " + tables.enrolments + enrolment + ")");
  Update(connection, tables.enrolments, "RoomID = Null" + enrolment);
  transaction.Commit();
}

void EmptyRooms(TADOConnection* connection, const RoomTables& tables, int sessionId) {
  Transaction transaction(connection);
  const String session = " WHERE SessionID = " + IntToStr(sessionId);
  Update(connection, tables.rooms, "NumberAvailable = NumberInRoom" + session);
  Update(connection, tables.enrolments, "RoomID = Null" + session);
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
  const int occupants = storedSize - storedFree;
  if (size->AsInteger() < occupants)
    throw Exception(Format("This room has %d people in it: Number In Room cannot be less.", {occupants}));
  room->FieldByName("NumberAvailable")->SetAsInteger(size->AsInteger() - occupants);
}

}  // namespace vt
