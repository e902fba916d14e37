// The two room pages of the main window on a started camp: Process Rooms against a table of
// queues and rooms, placing and taking out one person, emptying every room, the occupants of the
// clicked room, and free places that equal size less occupants after any mix of these and
// after a failure part way.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/About.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/IniFiles.h"
#include "tests/app/AfterNextCommit.h"
#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ScratchMount.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

const char* const kRoommateRequests =
    "You must process roommate requests manually.\nUse the interface above to do so.\nYou should also fill any "
    "rooms that have extra space after roommate requests are handled with persons the same age as those already "
    "in the room.\nUse the 'Unassign All Rooms' button to start over assigning persons to rooms if you make a "
    "mistake.";

struct RoomSpec {
  const char* number;
  int size;
};

// An enrolled person: type "S" sleeps two to a room, "R" four, "D" takes no room. A request
// names the requested roommate; a room places the person there before the program starts.
struct PersonSpec {
  const char* name;
  int born;
  const char* type;
  const char* request = "";
  const char* room = "";
};

// A started program over a camp with one current session and its three types.
class RoomCamp {
public:
  RoomCamp() {
    vt::EnsureTestApplication();
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    session = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    camp.AddSessionType(session, "S", "Suite", 2);
    camp.AddSessionType(session, "R", "Resident", 4);
    camp.AddSessionType(session, "D", "Day", 0);
  }
  ~RoomCamp() {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  void Start() {
    StartVantrel();
    MainForm->FormActivate(MainForm);
  }

  int Room(const RoomSpec& room, bool forChaperones = false) {
    return rooms[room.number] = camp.AddRoom(session, "Inn", room.number, room.size, forChaperones);
  }

  int Attendee(const PersonSpec& person) {
    const int id = camp.AddAttendee(person.name, "Kid", EncodeDate(person.born, 1, 1));
    people[person.name] = id;
    camp.AddEnrolment(session, id, person.type);
    if (*person.request)
      camp.Execute("UPDATE AttendeeSession SET AttendeeRequestID = " + IntToStr(people.at(person.request)) +
                   " WHERE CamperID = " + IntToStr(id));
    if (*person.room) Place("Rooms", "AttendeeSession", "CamperID", id, person.room);
    return id;
  }

  int Chaperone(const char* name, const char* type, const char* room = "") {
    const int id = camp.AddChaperone(name, "Coach");
    people[name] = id;
    camp.AddChaperoneEnrolment(session, id, type);
    if (*room) Place("CoachesRooms", "ChaperoneSession", "ChaperoneID", id, room);
    return id;
  }

  // The room number each person's enrolment holds, "" for none.
  String RoomOf(const String& name) {
    const Variant room = camp.Value(
        "SELECT RoomNumber FROM AttendeeSession JOIN Rooms USING (RoomID) WHERE CamperID = " + IntToStr(people.at(name)) +
        " UNION SELECT RoomNumber FROM ChaperoneSession JOIN CoachesRooms USING (RoomID) WHERE ChaperoneID = " +
        IntToStr(people.at(name)));
    return room.IsNull() ? String() : room.AsString();
  }

  // Every room of both kinds: its free places are its size less the enrolments placed in it.
  void ExpectFreePlacesAgree(const String& after) {
    for (const char* sql :
         {"SELECT COUNT(*) FROM Rooms r WHERE NumberAvailable <> NumberInRoom - "
          "(SELECT COUNT(*) FROM AttendeeSession e WHERE e.RoomID = r.RoomID)",
          "SELECT COUNT(*) FROM CoachesRooms r WHERE NumberAvailable <> NumberInRoom - "
          "(SELECT COUNT(*) FROM ChaperoneSession e WHERE e.RoomID = r.RoomID)"})
      EXPECT_EQ(camp.Value(sql).AsInteger(), 0) << after;
  }

  int FreePlaces(const char* room) {
    return camp.Value("SELECT NumberAvailable FROM Rooms WHERE RoomNumber = '" + String(room) +
                      "' UNION SELECT NumberAvailable FROM CoachesRooms WHERE RoomNumber = '" + room + "'")
        .AsInteger();
  }

  // What another copy of the program writes when it places the attendee in the room.
  void PlaceAttendee(const String& name, const char* room) {
    Place("Rooms", "AttendeeSession", "CamperID", people.at(name), room);
  }

  void SelectRoom(TDataSet* rooms, const char* number) { ASSERT_TRUE(rooms->Locate("RoomNumber", Variant(number), {})); }
  void SelectPerson(TDataSet* list, const char* key, const char* name) {
    ASSERT_TRUE(list->Locate(key, Variant(people.at(name)), {}));
  }

  vt::test::CampFixture camp;
  int session = 0;
  std::map<String, int> rooms;
  std::map<String, int> people;

private:
  void Place(const char* roomTable, const char* enrolments, const char* key, int id, const char* room) {
    const String roomId = IntToStr(rooms.at(room));
    camp.Execute(String("UPDATE ") + enrolments + " SET RoomID = " + roomId + " WHERE " + key + " = " + IntToStr(id));
    camp.Execute(String("UPDATE ") + roomTable + " SET NumberAvailable = NumberAvailable - 1 WHERE RoomID = " + roomId);
  }
};

// The box a click showed: its text and caption ("" when none).
struct Shown {
  String text;
  String caption;
};

template <class Action>
Shown Click(Action action) {
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  action();
  if (responder.Shown().empty()) return {};
  return {responder.Last().Text, responder.Last().Caption};
}

TEST(MainRooms, ProcessRoomsServesTheQueueOldestFirstIntoTheFirstRoomOfItsSize) {
  struct Case {
    const char* what;
    std::vector<RoomSpec> rooms;
    std::vector<PersonSpec> attendees;
    std::map<String, String> placed;  // name -> room number after the run ("" = none)
    String message;
    String caption;
  };
  const Case cases[] = {
      {"oldest first, first room of the type's size in grid order; day campers wait for none",
       {{"S1", 2}, {"R1", 4}, {"S2", 2}},
       {{"Ann", 1992, "S"}, {"Bob", 1990, "S"}, {"Cat", 1991, "S"}, {"Dan", 1990, "R"}, {"Eve", 1990, "D"}},
       {{"Bob", "S1"}, {"Cat", "S1"}, {"Ann", "S2"}, {"Dan", "R1"}, {"Eve", ""}},
       "Rooms have been assigned", "Done"},
      {"full rooms and rooms of no type's size are passed over; who fits nowhere is skipped",
       {{"S1", 2}, {"X3", 3}, {"S2", 2}},
       {{"Zed", 1980, "S", "", "S1"}, {"Yan", 1981, "S", "", "S1"}, {"Ann", 1990, "S"}, {"Bob", 1991, "S"},
        {"Cat", 1992, "S"}, {"Dan", 1990, "R"}},
       {{"Zed", "S1"}, {"Yan", "S1"}, {"Ann", "S2"}, {"Bob", "S2"}, {"Cat", ""}, {"Dan", ""}},
       "Rooms have been assigned", "Done"},
      {"one roommate request in the queue refuses the whole run",
       {{"S1", 2}, {"S2", 2}},
       {{"Ann", 1990, "S"}, {"Bob", 1991, "S"}, {"Cat", 1995, "S", "Ann"}},
       {{"Ann", ""}, {"Bob", ""}, {"Cat", ""}},
       kRoommateRequests, "Error"},
      {"requests placed by hand let the rest through",
       {{"S1", 2}, {"S2", 2}},
       {{"Ann", 1990, "S"}, {"Bob", 1991, "S", "Ann", "S1"}, {"Cat", 1985, "S"}},
       {{"Bob", "S1"}, {"Cat", "S1"}, {"Ann", "S2"}},
       "Rooms have been assigned", "Done"},
      {"nobody waiting for a room", {{"S1", 2}}, {{"Eve", 1990, "D"}}, {{"Eve", ""}},
       "There is nobody to assign to these rooms", "Error"},
      {"no rooms", {}, {{"Ann", 1990, "S"}}, {{"Ann", ""}}, "There are no rooms available", "Error"},
      {"neither rooms nor attendees", {}, {}, {}, "There are no rooms available", "Error"},
  };
  for (const Case& c : cases) {
    RoomCamp camp;
    for (const RoomSpec& room : c.rooms) camp.Room(room);
    for (const PersonSpec& person : c.attendees) camp.Attendee(person);
    camp.Start();
    const Shown shown = Click([] { MainForm->BitBtn21Click(MainForm->BitBtn21); });
    EXPECT_EQ(shown.text, c.message) << c.what;
    EXPECT_EQ(shown.caption, c.caption) << c.what;
    for (const auto& [name, room] : c.placed) EXPECT_EQ(camp.RoomOf(name), room) << c.what << ": " << name;
    camp.ExpectFreePlacesAgree(c.what);
    // The list of those waiting shows who is left: everybody without a room whose type takes one.
    int waiting = 0;
    for (const PersonSpec& person : c.attendees) waiting += String(person.type) != "D" && c.placed.at(person.name).empty();
    EXPECT_EQ(SQLDataModule->qAttendeesInRooms->RecordCount(), waiting) << c.what;
  }
}

TEST(MainRooms, OnePersonGoesIntoAnyRoomWithAFreePlaceAndComesOutAgain) {
  RoomCamp camp;
  camp.Room({"S1", 2});
  camp.Room({"R1", 4});
  camp.Room({"F1", 1});
  camp.Attendee({"Zed", 1980, "S", "", "F1"});
  camp.Attendee({"Ann", 1990, "S"});
  camp.Start();
  TSQLDataModule* data = SQLDataModule;

  // The size class is no test by hand: a suite attendee goes into the room of four.
  camp.SelectRoom(data->tRooms, "R1");
  camp.SelectPerson(data->qAttendeesInRooms, "CamperID", "Ann");
  EXPECT_EQ(Click([] { MainForm->BitBtn20Click(MainForm->BitBtn20); }).text, "");
  EXPECT_EQ(camp.RoomOf("Ann"), "R1");
  EXPECT_EQ(camp.FreePlaces("R1"), 3);
  EXPECT_EQ(data->tRooms->FieldByName("RoomNumber")->AsString(), "R1") << "the selection stays on the room";
  EXPECT_TRUE(data->qAttendeesInRooms->IsEmpty());

  camp.SelectRoom(data->tRooms, "F1");
  EXPECT_EQ(Click([] { MainForm->BitBtn20Click(MainForm->BitBtn20); }).text, "There is nobody to assign to this room");

  // The occupants list shows the room clicked last; taking one out frees the place it held.
  MainForm->DBGrid7MouseUp(MainForm->DBGrid7, mbLeft, {}, 0, 0);
  ASSERT_EQ(data->qAttendeesAlreadyInRooms->RecordCount(), 1);
  EXPECT_EQ(Click([] { MainForm->BitBtn55Click(MainForm->BitBtn55); }).text, "");
  EXPECT_EQ(camp.RoomOf("Zed"), "");
  EXPECT_EQ(camp.FreePlaces("F1"), 1);
  EXPECT_TRUE(data->qAttendeesAlreadyInRooms->IsEmpty());
  EXPECT_EQ(Click([] { MainForm->BitBtn55Click(MainForm->BitBtn55); }).text, "There is noone to remove from this room");

  // Back into the room it left, which is full again then.
  camp.SelectPerson(data->qAttendeesInRooms, "CamperID", "Zed");
  EXPECT_EQ(Click([] { MainForm->BitBtn20Click(MainForm->BitBtn20); }).text, "");
  EXPECT_EQ(camp.RoomOf("Zed"), "F1");
  EXPECT_EQ(camp.FreePlaces("F1"), 0);
  camp.ExpectFreePlacesAgree("manual moves");
}

TEST(MainRooms, RefusalsOfThePagesWithoutRoomsOrPeople) {
  RoomCamp camp;
  camp.Attendee({"Ann", 1990, "S"});
  camp.Chaperone("Cy", "R");
  camp.Start();
  struct Case {
    void (TMainForm::*handler)(TObject*);
    const char* text;
  };
  const Case cases[] = {
      {&TMainForm::BitBtn20Click, "There are no rooms available"},
      {&TMainForm::BitBtn55Click, "You must select a room."},
      {&TMainForm::BitBtn53Click, "There are no rooms available"},
      {&TMainForm::BitBtn52Click, "There are no rooms available"},
      {&TMainForm::BitBtn56Click, "You must select a room!"},
  };
  for (const Case& c : cases) {
    const Shown shown = Click([&] { (MainForm->*c.handler)(MainForm); });
    EXPECT_EQ(shown.text, c.text);
    EXPECT_EQ(shown.caption, "Error");
  }
  // Emptying the rooms of a session without rooms shows nothing and changes nothing.
  EXPECT_EQ(Click([] { MainForm->BitBtn23Click(MainForm); }).text, "");
  EXPECT_FALSE(SQLDataModule->qAttendeesAlreadyInRooms->Active()) << "no other session's occupants";
}

TEST(MainRooms, AFullRoomIsRefusedByHand) {
  RoomCamp camp;
  camp.Room({"S1", 1});
  camp.Attendee({"Zed", 1980, "S", "", "S1"});
  camp.Attendee({"Ann", 1990, "S"});
  camp.Start();
  const Shown shown = Click([] { MainForm->BitBtn20Click(MainForm->BitBtn20); });
  EXPECT_EQ(shown.text, "This room is full");
  EXPECT_EQ(shown.caption, "Error");
  EXPECT_EQ(camp.RoomOf("Ann"), "");
  EXPECT_EQ(camp.FreePlaces("S1"), 0);
}

TEST(MainRooms, ChaperonesTakeTheFirstRoomWithAPlaceWhateverItsSize) {
  RoomCamp camp;
  camp.Room({"C1", 1}, true);
  camp.Room({"C2", 3}, true);
  camp.Chaperone("Cy", "S", "C1");
  camp.Chaperone("Di", "R");
  camp.Chaperone("Ed", "S");
  camp.Chaperone("Flo", "D");
  camp.Start();
  TSQLDataModule* data = SQLDataModule;

  const Shown shown = Click([] { MainForm->BitBtn53Click(MainForm->BitBtn53); });
  EXPECT_EQ(shown.text, "Rooms have been assigned");
  EXPECT_EQ(shown.caption, "Done");
  EXPECT_EQ(camp.RoomOf("Di"), "C2");
  EXPECT_EQ(camp.RoomOf("Ed"), "C2");
  EXPECT_EQ(camp.RoomOf("Flo"), "") << "a type without rooms never waits for one";
  EXPECT_EQ(Click([] { MainForm->BitBtn53Click(MainForm->BitBtn53); }).text,
            "There is nobody to assign to these rooms");

  // The occupants of the clicked room, one taken out, one put back by hand.
  camp.SelectRoom(data->tCRooms, "C2");
  MainForm->DBGrid14MouseUp(MainForm->DBGrid14, mbLeft, {}, 0, 0);
  EXPECT_EQ(data->qChaperonesAlreadyInRooms->RecordCount(), 2);
  camp.SelectPerson(data->qChaperonesAlreadyInRooms, "ChaperoneID", "Ed");
  Click([] { MainForm->BitBtn56Click(MainForm->BitBtn56); });
  EXPECT_EQ(camp.RoomOf("Ed"), "");
  EXPECT_EQ(data->qChaperonesAlreadyInRooms->RecordCount(), 1);
  EXPECT_EQ(data->tCRooms->FieldByName("RoomNumber")->AsString(), "C2");
  camp.SelectRoom(data->tCRooms, "C1");
  EXPECT_EQ(Click([] { MainForm->BitBtn52Click(MainForm->BitBtn52); }).text, "This room is full");
  camp.SelectRoom(data->tCRooms, "C2");
  Click([] { MainForm->BitBtn52Click(MainForm->BitBtn52); });
  EXPECT_EQ(camp.RoomOf("Ed"), "C2");
  camp.ExpectFreePlacesAgree("chaperone moves");

  // Unassign All: every chaperone room of the session empty again; attendee rooms untouched.
  camp.camp.Insert("Rooms", {{"SessionID", camp.session}, {"RoomNumber", "A1"}, {"NumberInRoom", 2},
                             {"NumberAvailable", 1}});
  Click([] { MainForm->BitBtn54Click(MainForm->BitBtn54); });
  for (const char* name : {"Cy", "Di", "Ed"}) EXPECT_EQ(camp.RoomOf(name), "") << name;
  EXPECT_EQ(camp.FreePlaces("C1"), 1);
  EXPECT_EQ(camp.FreePlaces("C2"), 3);
  EXPECT_EQ(camp.FreePlaces("A1"), 1);
  EXPECT_EQ(data->qChaperonesInRooms->RecordCount(), 3);
}

TEST(MainRooms, UnassignAllEmptiesEveryRoomOfTheSessionOnly) {
  RoomCamp camp;
  camp.Room({"S1", 2});
  camp.Room({"R1", 4});
  camp.Attendee({"Ann", 1990, "S", "", "S1"});
  camp.Attendee({"Bob", 1991, "R", "", "R1"});
  camp.Attendee({"Eve", 1990, "D"});
  const int other = camp.camp.AddSession("Week 2", EncodeDate(2030, 7, 2), EncodeDate(2030, 7, 7));
  const int otherRoom = camp.camp.AddRoom(other, "Inn", "W2", 2);
  const int kid = camp.camp.AddAttendee("Other", "Kid");
  camp.camp.AddEnrolment(other, kid, "S", otherRoom);
  camp.camp.Execute("UPDATE Rooms SET NumberAvailable = 1 WHERE RoomID = " + IntToStr(otherRoom));
  camp.Start();

  EXPECT_EQ(Click([] { MainForm->BitBtn23Click(MainForm->BitBtn23); }).text, "");
  EXPECT_EQ(camp.RoomOf("Ann"), "");
  EXPECT_EQ(camp.RoomOf("Bob"), "");
  EXPECT_EQ(camp.FreePlaces("S1"), 2);
  EXPECT_EQ(camp.FreePlaces("R1"), 4);
  EXPECT_EQ(camp.camp.Value("SELECT RoomID FROM AttendeeSession WHERE CamperID = " + IntToStr(kid)).AsInteger(),
            otherRoom);
  EXPECT_EQ(camp.FreePlaces("W2"), 1);
  EXPECT_EQ(SQLDataModule->qAttendeesInRooms->RecordCount(), 2);
  EXPECT_TRUE(SQLDataModule->qAttendeesAlreadyInRooms->IsEmpty());
}

TEST(MainRooms, TheRoomsGridKeepsItsWidthsAndShowsTheClickedRoomsOccupants) {
  RoomCamp camp;
  camp.Room({"S1", 2});
  camp.Room({"S2", 2});
  camp.Attendee({"Ann", 1990, "S", "", "S2"});
  camp.Start();
  MainForm->Show();
  MainForm->PageControl1->SetActivePage(MainForm->TabSheet5);
  vt::ProcessEventsUntilIdle();
  MainForm->DBGrid7->Columns()->Items(0)->SetWidth(150);
  EXPECT_TRUE(SQLDataModule->qAttendeesAlreadyInRooms->IsEmpty()) << "the first room, S1, is shown at first";
  vt::ClickControl(MainForm->DBGrid7, 60, MainForm->DBGrid7->CellRect(1, 2).Top + 4);
  EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger("7", MainForm->DBGrid7->Columns()->Items(0)->FieldName(), 0), 150);
  EXPECT_EQ(SQLDataModule->tRooms->FieldByName("RoomNumber")->AsString(), "S2");
  ASSERT_EQ(SQLDataModule->qAttendeesAlreadyInRooms->RecordCount(), 1);
  EXPECT_EQ(SQLDataModule->qAttendeesAlreadyInRooms->FieldByName("LastName")->AsString(), "Ann");

  // The two arrows share their place: one for each tab of the lists.
  EXPECT_TRUE(MainForm->BitBtn20->Visible());
  EXPECT_FALSE(MainForm->BitBtn55->Visible());
  MainForm->PageControl3->SetActivePage(MainForm->TabSheet10);
  MainForm->PageControl3Change(MainForm->PageControl3);
  EXPECT_FALSE(MainForm->BitBtn20->Visible());
  EXPECT_TRUE(MainForm->BitBtn55->Visible());
  MainForm->PageControl6->SetActivePage(MainForm->TabSheet16);
  MainForm->PageControl6Change(MainForm->PageControl6);
  EXPECT_FALSE(MainForm->BitBtn52->Visible());
  EXPECT_TRUE(MainForm->BitBtn56->Visible());
}

TEST(MainRooms, AFailurePartWayLeavesEveryRoomAgreeingWithItsOccupants) {
  RoomCamp camp;
  camp.Room({"S1", 2});
  camp.Room({"S2", 2});
  camp.Attendee({"Ann", 1990, "S"});
  camp.Attendee({"Bob", 1991, "S"});
  const int cat = camp.Attendee({"Cat", 1992, "S"});
  camp.Start();
  camp.camp.Execute("CREATE TRIGGER fail BEFORE UPDATE OF RoomID ON AttendeeSession WHEN NEW.CamperID = " +
                    IntToStr(cat) + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
  String reason;
  try {
    vt::DialogResponder responder;
    MainForm->BitBtn21Click(MainForm->BitBtn21);
  } catch (const Exception& e) {
    reason = e.Message();
  }
  // The two placed keep their rooms, and the message says so rather than that nothing was saved.
  EXPECT_EQ(reason, "2 of 3 were given a room before the run stopped; they keep their rooms, and running Process "
                    "Rooms again places the rest.\n\nWhat stopped it: injected");
  EXPECT_EQ(camp.RoomOf("Ann"), "S1");
  EXPECT_EQ(camp.RoomOf("Bob"), "S1");
  EXPECT_EQ(camp.RoomOf("Cat"), "");
  EXPECT_EQ(camp.FreePlaces("S2"), 2) << "the failed placement took no place";
  camp.ExpectFreePlacesAgree("a failed run");
  EXPECT_EQ(SQLDataModule->qAttendeesInRooms->RecordCount(), 1) << "the lists show what is stored";

  // By hand the same: the failed placement leaves the room as it was.
  camp.SelectRoom(SQLDataModule->tRooms, "S2");
  EXPECT_THROW(MainForm->BitBtn20Click(MainForm->BitBtn20), Exception);
  EXPECT_EQ(camp.FreePlaces("S2"), 2);
  camp.ExpectFreePlacesAgree("a failed placement by hand");

  camp.camp.Execute("DROP TRIGGER fail");
  EXPECT_EQ(Click([] { MainForm->BitBtn21Click(MainForm->BitBtn21); }).text, "Rooms have been assigned");
  EXPECT_EQ(camp.RoomOf("Cat"), "S2");
  camp.ExpectFreePlacesAgree("the run again");
}

// Another copy of the program fills a room's last place and places a waiting attendee while
// Process Rooms runs: each placement reads its room and its attendee afresh, passes over the
// full room and leaves the other copy's attendee where it put her.
TEST(MainRooms, ProcessRoomsAddsToWhatAnotherCopyPlacesMeanwhile) {
  RoomCamp camp;
  for (const char* room : {"S1", "S2", "S3"}) camp.Room({room, 2});
  for (const PersonSpec& person : {PersonSpec{"Ann", 1990, "S"}, {"Bob", 1991, "S"}, {"Cat", 1992, "S"},
                                   {"Dan", 1993, "S"}, {"Eve", 1994, "S"}})
    camp.Attendee(person);
  camp.Start();
  Shown shown;
  {
    vt::test::AfterNextCommit otherCopy([&] {
      camp.PlaceAttendee("Cat", "S1");
      camp.PlaceAttendee("Bob", "S2");
    });
    shown = Click([] { MainForm->BitBtn21Click(MainForm->BitBtn21); });
  }
  EXPECT_EQ(shown.text, "Rooms have been assigned");
  const std::map<String, String> placed{{"Ann", "S1"}, {"Cat", "S1"}, {"Bob", "S2"}, {"Dan", "S2"}, {"Eve", "S3"}};
  for (const auto& [name, room] : placed) EXPECT_EQ(camp.RoomOf(name), room) << name;
  camp.ExpectFreePlacesAgree("two copies placing at once");
  EXPECT_EQ(camp.FreePlaces("S3"), 1);
}

// A full disk: Process Rooms stops on its first placement with the real reason, nothing is
// placed, and once there is room the same run places everyone and Refresh Data works.
TEST(MainRooms, AFullDiskStopsProcessRoomsWithItsReasonAndTheSameRunWorksOnceThereIsRoom) {
  RoomCamp camp;
  camp.Room({"S1", 2});
  camp.Attendee({"Ann", 1990, "S"});
  camp.Attendee({"Bob", 1991, "S"});
  vt::test::ScratchMount disk(8 << 20);
  camp.camp.Connection()->Close();
  if (!disk.Mounted() || !disk.Cover(camp.camp.Folder())) GTEST_SKIP() << disk.Why();
  camp.Start();
  camp.camp.Execute("PRAGMA wal_checkpoint(TRUNCATE)");  // every write needs new room
  disk.LeaveFree(0);
  String reason;
  try {
    vt::DialogResponder responder;
    MainForm->BitBtn21Click(MainForm->BitBtn21);
  } catch (const Exception& e) {
    reason = e.Message();
  }
  EXPECT_EQ(reason, "The disk holding the database '" + camp.camp.DatabasePath() +
                        "' is full (database or disk is full); nothing was saved. Make room on the disk and try again.");
  EXPECT_EQ(camp.RoomOf("Ann"), "");
  EXPECT_EQ(camp.FreePlaces("S1"), 2);
  camp.ExpectFreePlacesAgree("a run on a full disk");
  EXPECT_EQ(SQLDataModule->qAttendeesInRooms->RecordCount(), 2) << "both still wait for a room";

  disk.Unfill();
  EXPECT_EQ(Click([] { MainForm->BitBtn21Click(MainForm->BitBtn21); }).text, "Rooms have been assigned");
  EXPECT_EQ(camp.RoomOf("Ann"), "S1");
  EXPECT_EQ(camp.RoomOf("Bob"), "S1");
  camp.ExpectFreePlacesAgree("the run once there is room");
  EXPECT_EQ(Click([] { MainForm->Action3->Execute(); }).text, "");
  EXPECT_EQ(SQLDataModule->qAttendeesInRooms->RecordCount(), 0);
}

// Any mix of automatic runs, moves by hand and emptying keeps every count right.
TEST(MainRooms, FreePlacesAgreeWithOccupantsAfterAnyMixOfSteps) {
  RoomCamp camp;
  for (const RoomSpec& room : {RoomSpec{"S1", 2}, {"S2", 2}, {"R1", 4}, {"R2", 3}, {"S3", 1}}) camp.Room(room);
  for (const RoomSpec& room : {RoomSpec{"C1", 1}, {"C2", 2}}) camp.Room(room, true);
  const char* const types[] = {"S", "R", "D"};
  std::deque<std::string> names;
  for (int i = 0; i < 18; ++i) camp.Attendee({names.emplace_back("A" + std::to_string(i)).c_str(), 1985 + i % 7, types[i % 3]});
  for (int i = 0; i < 5; ++i) camp.Chaperone(names.emplace_back("C" + std::to_string(i)).c_str(), types[i % 2]);
  camp.Start();
  TSQLDataModule* data = SQLDataModule;
  using Handler = void (TMainForm::*)(TObject*);
  // Empty all, process, assign one, remove one: for attendees, then for chaperones.
  const Handler steps[2][4] = {
      {&TMainForm::BitBtn23Click, &TMainForm::BitBtn21Click, &TMainForm::BitBtn20Click, &TMainForm::BitBtn55Click},
      {&TMainForm::BitBtn54Click, &TMainForm::BitBtn53Click, &TMainForm::BitBtn52Click, &TMainForm::BitBtn56Click}};
  std::mt19937 random(12);
  auto pick = [&](TDataSet* list) {
    if (!list->IsEmpty()) list->SetRecNo(1 + int(random() % unsigned(list->RecordCount())));
  };
  for (int step = 0; step < 200 && !HasFailure(); ++step) {
    const bool chaperones = random() % 3 == 0;
    pick(chaperones ? data->tCRooms : data->tRooms);
    if (chaperones) MainForm->DBGrid14MouseUp(MainForm->DBGrid14, mbLeft, {}, 0, 0);
    else MainForm->DBGrid7MouseUp(MainForm->DBGrid7, mbLeft, {}, 0, 0);
    pick(chaperones ? data->qChaperonesInRooms : data->qAttendeesInRooms);
    pick(chaperones ? data->qChaperonesAlreadyInRooms : data->qAttendeesAlreadyInRooms);
    const unsigned what = random() % 20;
    const Handler handler = steps[chaperones][what == 0 ? 0 : what < 3 ? 1 : what < 12 ? 2 : 3];
    Click([&] { (MainForm->*handler)(MainForm); });
    camp.ExpectFreePlacesAgree("step " + std::to_string(step));
  }
  EXPECT_GT(camp.camp.Value("SELECT COUNT(*) FROM AttendeeSession WHERE RoomID Is Not Null").AsInteger(), 0);
}

}  // namespace
