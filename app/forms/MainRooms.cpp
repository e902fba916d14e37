// The two room pages of the main window: the current session's attendees and chaperones put
// into its rooms automatically ("Process Rooms") or one at a time, taken out one at a time or
// all at once, and the occupants of the room the user clicked. Every change of a room's free
// places goes through the one rule of RoomPlaces.
#include <map>
#include <vector>

#include "app/GridWidths.h"
#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "app/forms/PlacementProgress.h"
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
  TLabel* progress;
};

RoomPage AttendeePage() {
  TSQLDataModule* data = SQLDataModule;
  return {vt::kAttendeeRooms, data->tRooms, data->qAttendeesInRooms, data->qAttendeesAlreadyInRooms,
          "You must select a room.", true, MainForm->RoomsProgress};
}

RoomPage ChaperonePage() {
  TSQLDataModule* data = SQLDataModule;
  return {vt::kChaperoneRooms, data->tCRooms, data->qChaperonesInRooms, data->qChaperonesAlreadyInRooms,
          "You must select a room!", false, MainForm->ChaperoneRoomsProgress};
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

// The session's rooms as Process Rooms fills them, read once: by size (on the chaperone page
// all under one), each size's rooms in the rooms grid's order with their free places. Rooms only
// fill during the walk, so the first with a free place of each size only moves on. Each
// placement reads its room again in its own transaction; what it finds there corrects the
// counts read here.
class FreeRooms {
public:
  FreeRooms(const RoomPage& page, int sessionId) : sized_(page.sizedRooms) {
    TADOQuery rooms(nullptr);
    rooms.SetConnection(Connection());
    rooms.SQL()->Add(String("SELECT RoomID, NumberInRoom, NumberAvailable FROM ") + page.tables.rooms +
                     " WHERE SessionID = " + IntToStr(sessionId) + " ORDER BY RoomID");
    rooms.Open();
    TField* id = rooms.FieldByName("RoomID");
    TField* size = rooms.FieldByName("NumberInRoom");
    TField* free = rooms.FieldByName("NumberAvailable");
    for (; !rooms.Eof(); rooms.Next())
      bySize_[sized_ ? size->AsInteger() : 0].rooms.push_back({id->AsInteger(), free->AsInteger()});
  }

  // First fit: the first room with a free place, on the attendee page of the size that the
  // person's type sleeps to a room; its place counts as taken. 0 when none fits.
  int Take(int perRoomMaximum) {
    taken_ = nullptr;
    const auto found = bySize_.find(sized_ ? perRoomMaximum : 0);
    if (found == bySize_.end()) return 0;
    Size& size = found->second;
    while (size.first < size.rooms.size() && size.rooms[size.first].free < 1) ++size.first;
    if (size.first == size.rooms.size()) return 0;
    taken_ = &size.rooms[size.first];
    --taken_->free;
    return taken_->id;
  }
  // The room of the last Take turned out full or gone: no place is left in it.
  void DropTaken() { taken_->free = 0; }
  // The last Take placed nobody: its place is free again.
  void GiveBackTaken() { ++taken_->free; }

private:
  struct Room {
    int id;
    int free;
  };
  struct Size {
    std::vector<Room> rooms;
    size_t first = 0;
  };
  bool sized_;
  std::map<int, Size> bySize_;
  Room* taken_ = nullptr;
};

// One person of the queue into the first room that fits, in one transaction. A room that another
// copy of the program filled or removed meanwhile is passed over for the next one; a person it
// placed meanwhile keeps that room. True when the person was placed here.
bool PlaceInFirstFreeRoom(const RoomPage& page, FreeRooms& rooms, int perRoomMaximum) {
  TADOQuery* queue = page.queue;
  for (int room = rooms.Take(perRoomMaximum); room; room = rooms.Take(perRoomMaximum)) {
    switch (vt::TryTakePlace(Connection(), page.tables, room, SessionOf(queue), PersonOf(page, queue))) {
      case vt::Placement::Placed: return true;
      case vt::Placement::NotWaiting: rooms.GiveBackTaken(); return false;
      case vt::Placement::RoomFull:
      case vt::Placement::RoomElsewhere: rooms.DropTaken(); break;
    }
  }
  return false;
}

// The walk of Process Rooms: each person in the queue's order into the first room that fits;
// who fits nowhere is skipped. Each placement is whole; the page shows how many are placed.
void PlaceQueue(const RoomPage& page) {
  TADOQuery* queue = page.queue;
  vt::DisabledControls walk(queue);
  queue->First();
  FreeRooms rooms(page, SessionOf(queue));
  vt::PlacementProgress progress(page.progress, queue->RecordCount());
  TField* perRoomMaximum = queue->FieldByName("PerRoomMaximum");
  try {
    for (; !queue->Eof(); queue->Next())
      progress.Placed(PlaceInFirstFreeRoom(page, rooms, perRoomMaximum->AsInteger()) ? 1 : 0);
  } catch (const Exception& failure) {
    // The placements made before the failure keep their rooms, which its "nothing was saved" would deny.
    if (progress.PlacedSoFar() == 0) throw;
    progress.StoppedPartWay(failure, {"", "were given a room", "they keep their rooms", "Process Rooms", "placement"});
  }
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
