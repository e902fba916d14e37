// The two room pages of the main window: the current session's attendees and chaperones put
// into its rooms automatically ("Process Rooms") or one at a time, taken out one at a time or
// all at once, and the occupants of the room the user clicked. Every change of a room's free
// places goes through the one rule of RoomPlaces.
#include "app/GridWidths.h"
#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/grids/DBGrids.h"

namespace {

const char* const kRoommateRequests =
    "You must process roommate requests manually.\n"
    "Use the interface above to do so.\n"
    "You should also fill any rooms that have extra space after roommate requests are handled with "
    "persons the same age as those already in the room.\n"
    "Use the 'Unassign All Rooms' button to start over assigning persons to rooms if you make a mistake.";

// One room page: its datasets, its side of the free-place rule and what differs between them.
struct RoomPage {
  const vt::RoomTables& tables;
  TADOTable* rooms;
  TADOQuery* queue;      // enrolments of the session still without a room
  TADOQuery* occupants;  // enrolments placed in the selected room
  const char* noRoomToRemoveFrom;
  bool sizedRooms;  // attendees: a room takes only the type whose per-room maximum is its size
};

RoomPage AttendeePage() {
  TSQLDataModule* data = SQLDataModule;
  return {vt::kAttendeeRooms, data->tRooms, data->qAttendeesInRooms, data->qAttendeesAlreadyInRooms,
          "You must select a room.", true};
}

RoomPage ChaperonePage() {
  TSQLDataModule* data = SQLDataModule;
  return {vt::kChaperoneRooms, data->tCRooms, data->qChaperonesInRooms, data->qChaperonesAlreadyInRooms,
          "You must select a room!", false};
}

TADOConnection* Connection() { return SQLDataModule->dbVantrelADO; }

void ShowError(const String& text) { Application->MessageBox(text, "Error", MB_OK); }

// A refusal: the dataset has no rows, and the user is told so.
bool RefusedAsEmpty(TDataSet* dataSet, const String& text) {
  if (!dataSet->IsEmpty()) return false;
  ShowError(text);
  return true;
}

int PersonOf(const RoomPage& page, TDataSet* enrolments) {
  return enrolments->FieldByName(page.tables.person)->AsInteger();
}

int SessionOf(TDataSet* enrolments) { return enrolments->FieldByName("SessionID")->AsInteger(); }

// The occupants list keeps the room it shows; while no room is shown it stays closed.
void ReopenLists(const RoomPage& page) {
  vt::Reopen(page.queue);
  if (page.occupants->Active()) vt::Reopen(page.occupants);
}

// First fit: the first room of the session, in the rooms grid's order, with a free place and, on
// the attendee page, of the size that the person's type sleeps to a room; 0 when none fits. The
// rooms are read afresh for each person, so the places taken before are seen.
int FirstFittingRoom(const RoomPage& page, TADOQuery* finder) {
  String sql = String("SELECT RoomID FROM ") + page.tables.rooms + " WHERE SessionID = " +
               vt::KeyText(page.queue, "SessionID") + " AND NumberAvailable >= 1";
  if (page.sizedRooms) sql += " AND NumberInRoom = " + vt::KeyText(page.queue, "PerRoomMaximum");
  vt::SetLinesAndOpen(finder, {{0, sql + " ORDER BY RoomID LIMIT 1"}});
  return finder->IsEmpty() ? 0 : finder->FieldByName("RoomID")->AsInteger();
}

// The walk of Process Rooms: each person in the queue's order into the first room that fits;
// who fits nowhere is skipped.
void PlaceQueue(const RoomPage& page) {
  TADOQuery finder(nullptr);
  finder.SetConnection(Connection());
  finder.SQL()->Add("");
  TADOQuery* queue = page.queue;
  for (queue->First(); !queue->Eof(); queue->Next())
    if (const int room = FirstFittingRoom(page, &finder))
      vt::TakePlace(Connection(), page.tables, room, SessionOf(queue), PersonOf(page, queue));
}

void ProcessQueue(const RoomPage& page) {
  if (RefusedAsEmpty(page.rooms, "There are no rooms available") ||
      RefusedAsEmpty(page.queue, "There is nobody to assign to these rooms"))
    return;
  vt::Reopen(page.queue);
  // The queue's order brings every roommate request to its front.
  if (page.sizedRooms && !page.queue->IsEmpty() && !page.queue->FieldByName("AttendeeRequestID")->IsNull()) {
    ShowError(kRoommateRequests);
    return;
  }
  PlaceQueue(page);
  ReopenLists(page);
  vt::Reopen(page.rooms);
  Application->MessageBox("Rooms have been assigned", "Done", MB_OK);
}

// Process Rooms ends, whatever its path, with the rooms grid read again. A failure part way
// keeps the places taken before it, and the lists show them.
void ProcessRooms(const RoomPage& page) {
  try {
    ProcessQueue(page);
  } catch (...) {
    ReopenLists(page);
    vt::Reopen(page.rooms);
    throw;
  }
  vt::Reopen(page.rooms);
}

void AssignSelected(const RoomPage& page) {
  if (RefusedAsEmpty(page.rooms, "There are no rooms available") ||
      RefusedAsEmpty(page.queue, "There is nobody to assign to this room"))
    return;
  if (page.rooms->FieldByName("NumberAvailable")->AsInteger() < 1) {
    ShowError("This room is full");
    return;
  }
  vt::TakePlace(Connection(), page.tables, page.rooms->FieldByName("RoomID")->AsInteger(),
                SessionOf(page.queue), PersonOf(page, page.queue));
  ReopenLists(page);
  vt::ReopenOnSameRow(page.rooms);
}

void RemoveSelected(const RoomPage& page) {
  if (RefusedAsEmpty(page.rooms, page.noRoomToRemoveFrom) ||
      RefusedAsEmpty(page.occupants, "There is noone to remove from this room"))
    return;
  vt::GivePlaceBack(Connection(), page.tables, SessionOf(page.occupants), PersonOf(page, page.occupants));
  ReopenLists(page);
  vt::ReopenOnSameRow(page.rooms);
}

void UnassignAll(const RoomPage& page) {
  if (SQLDataModule->qSessions->IsEmpty()) return;
  vt::EmptyRooms(Connection(), page.tables, SessionOf(SQLDataModule->qSessions));
  ReopenLists(page);
  vt::Reopen(page.rooms);
}

// The occupants grid shows the room the user clicked in the rooms grid.
void ShowOccupants(const RoomPage& page) {
  const String enrolments = page.tables.enrolments;
  if (SQLDataModule->qSessions->IsEmpty()) page.occupants->Close();
  else vt::ShowMembersOf(page.rooms, page.occupants, "AND  " + enrolments + ".SessionID = ",
                         "WHERE " + enrolments + ".RoomID = ", "RoomID");
}

}  // namespace

void TMainForm::BitBtn21Click(TObject*) { ProcessRooms(AttendeePage()); }
void TMainForm::BitBtn20Click(TObject*) { AssignSelected(AttendeePage()); }
void TMainForm::BitBtn55Click(TObject*) { RemoveSelected(AttendeePage()); }
void TMainForm::BitBtn23Click(TObject*) { UnassignAll(AttendeePage()); }

void TMainForm::DBGrid7MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StoreGridWidths(DBGrid7, "7");
  ShowOccupants(AttendeePage());
}

void TMainForm::PageControl3Change(TObject*) {
  const bool unassigned = PageControl3->ActivePage() == TabSheet9;
  BitBtn20->SetVisible(unassigned);
  BitBtn55->SetVisible(!unassigned);
}

void TMainForm::BitBtn53Click(TObject*) { ProcessRooms(ChaperonePage()); }
void TMainForm::BitBtn52Click(TObject*) { AssignSelected(ChaperonePage()); }
void TMainForm::BitBtn56Click(TObject*) { RemoveSelected(ChaperonePage()); }
void TMainForm::BitBtn54Click(TObject*) { UnassignAll(ChaperonePage()); }

void TMainForm::DBGrid14MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ShowOccupants(ChaperonePage()); }

void TMainForm::PageControl6Change(TObject*) {
  const bool unassigned = PageControl6->ActivePage() == TabSheet15;
  BitBtn52->SetVisible(unassigned);
  BitBtn56->SetVisible(!unassigned);
}
