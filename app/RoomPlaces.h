// The free places of the hotel rooms, for the whole program: a room's NumberAvailable is its
// NumberInRoom less the enrolments placed in it. Every step that places a person, takes one
// out, empties a session's rooms or sizes a room goes through here, each as one transaction,
// so no interruption leaves a count that disagrees with the room's occupants.
#pragma once

class TADOConnection;
class TDataSet;

namespace vt {

// The tables of one side: the rooms, the enrolments that hold them, and the person's key.
struct RoomTables {
  const char* rooms;
  const char* enrolments;
  const char* person;
};
extern const RoomTables kAttendeeRooms;   // Rooms, AttendeeSession, CamperID
extern const RoomTables kChaperoneRooms;  // CoachesRooms, ChaperoneSession, ChaperoneID

// What an attempt to place an enrolment found, read inside its transaction.
enum class Placement {
  Placed,
  RoomFull,       // the room has no free place (another copy of the program may have filled it)
  RoomElsewhere,  // the room is gone or belongs to another session
  NotWaiting,     // the enrolment is gone or holds a room already
};

// Puts the enrolment (session, person) into the room: one free place less and the enrolment's
// RoomID set, in one transaction that reads the room and the enrolment as it changes them.
// Anything but Placed wrote nothing.
Placement TryTakePlace(TADOConnection* connection, const RoomTables& tables, int roomId, int sessionId, int personId);

// TryTakePlace that raises a refusal: "This room is full", a room of another session, an
// enrolment no longer waiting.
void TakePlace(TADOConnection* connection, const RoomTables& tables, int roomId, int sessionId, int personId);

// Takes the enrolment out of the room it holds: one free place more there and its RoomID
// cleared. An enrolment without a room changes nothing.
void GivePlaceBack(TADOConnection* connection, const RoomTables& tables, int sessionId, int personId);

// Every room of the session back to all its places free; no enrolment of the session in a room
// and nobody in the session's rooms.
void EmptyRooms(TADOConnection* connection, const RoomTables& tables, int sessionId);

// Before a room row goes: the enrolments placed in it lose their room.
void ReleaseRoom(TADOConnection* connection, const RoomTables& tables, int roomId);

// Before a room row is posted (a new room, or a new NumberInRoom): its free places change by
// as much as its size did. A negative size, or one below the people already placed in the room,
// is refused.
void KeepFreePlaces(TDataSet* room, const RoomTables& tables);

}  // namespace vt
