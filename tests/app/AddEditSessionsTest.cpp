// The session editor through the real form on a started camp: a new session stored with its copy
// of the default types as soon as Description is left, the types imported again and repriced,
// rooms added and deleted with the enrolments placed in them, a room's size kept above its
// occupants, the zip look-up, the captions from the nouns and the chaperone-room grid's widths.
#include "app/forms/AddEditSessions.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "app/DBMaskEdit.h"
#include "app/ProgramIni.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBDateEdit.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "rtl/IniFiles.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

class AddEditSessionsTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    camp.AddSessionType(week1, "R", "Resident", 4, 400);
    Start();
    form = AddEditSessionsForm;
  }

  // What the Classes page's Edit does before the dialog shows, then the dialog on screen.
  void OpenOnWeek1() {
    TADOQuery* sessions = SQLDataModule->qSessions;
    ASSERT_TRUE(sessions->Locate("SessionID", Variant(week1), {}));
    sessions->Edit();
    form->CheckBox1->SetChecked(true);
    form->Show();
    vt::ProcessEventsUntilIdle();
  }

  // Enter in Description: the focus moves on and Description's exit runs.
  void LeaveDescription() {
    form->DBEdit2->SetFocus();
    vt::SendKey(form->DBEdit2, VK_RETURN);
    vt::ProcessEventsUntilIdle();
  }

  int Count(const String& sql) { return camp.Value(sql).AsInteger(); }
  String Types(int session) {
    TADOQuery rows(nullptr);
    rows.SetConnection(camp.Connection());
    rows.SQL()->Add("SELECT Type, Description, PerRoomMaximum, TotalCosts, DepositAmount FROM SessionSessionTypes "
                    "WHERE SessionID = " + IntToStr(session) + " ORDER BY Type");
    rows.Open();
    String text;
    for (; !rows.Eof(); rows.Next())
      for (int i = 0; i < rows.FieldCount(); ++i) text += rows.Fields()->Fields(i)->AsString() + (i < 4 ? "," : ";");
    return text;
  }

  int week1 = 0;
  TAddEditSessionsForm* form = nullptr;
};

const char* const kDefaultTypes = "D,Day,0,250,50;R,Resident,4,450,100;";

TEST_F(AddEditSessionsTest, ANewSessionIsStoredWithTheDefaultTypesAsSoonAsDescriptionIsLeft) {
  TADOQuery* sessions = SQLDataModule->qSessions;
  sessions->Append();
  sessions->FieldByName("TeamCamp")->SetAsBoolean(false);
  form->CheckBox1->SetChecked(false);
  form->Show();
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
  vt::TypeText(form->DBEdit2, "Week 9");
  LeaveDescription();

  const int session = Count("SELECT SessionID FROM Sessions WHERE Description = 'Week 9'");
  ASSERT_GT(session, 0) << "stored before Done";
  EXPECT_EQ(Types(session), kDefaultTypes);
  EXPECT_EQ(sessions->State(), dsEdit);
  EXPECT_TRUE(SQLDataModule->qRooms->IsEmpty());
  EXPECT_TRUE(SQLDataModule->qCRooms->IsEmpty());

  // Leaving it again does not seed the types once more.
  camp.Execute("UPDATE SessionSessionTypes SET TotalCosts = 999 WHERE SessionID = " + IntToStr(session));
  LeaveDescription();
  EXPECT_EQ(Types(session), "D,Day,0,999,50;R,Resident,4,999,100;");

  form->BitBtn1Click(form->BitBtn1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Sessions WHERE Description = 'Week 9'"), 1);
}

TEST_F(AddEditSessionsTest, TypesAreImportedAgainOnlyOnYesAndRepricedOneByOne) {
  OpenOnWeek1();
  LeaveDescription();
  EXPECT_EQ(Types(week1), "R,Resident,4,400,;") << "a session with types keeps them";
  form->PageControl1->SetActivePage(form->TabSheet2);
  {
    vt::DialogResponder responder;
    responder.Answer(mrNo);
    form->BitBtn4Click(form->BitBtn4);
    EXPECT_EQ(responder.Last().Text,
              "This will delete all current Types and add the default Types. Do you wish to continue?");
    EXPECT_EQ(responder.Last().Caption, "Confirm Process");
  }
  EXPECT_EQ(Types(week1), "R,Resident,4,400,;");
  {
    vt::DialogResponder responder;
    responder.Answer(mrYes);
    form->BitBtn4Click(form->BitBtn4);
  }
  EXPECT_EQ(Types(week1), kDefaultTypes);
  EXPECT_EQ(SQLDataModule->tSessionSessionTypes->RecordCount(), 2);

  ASSERT_TRUE(SQLDataModule->tSessionSessionTypes->Locate("Type", Variant("R"), {}));
  form->VtCalcEdit2->SetValue(500);
  form->VtCalcEdit3->SetValue(0);
  form->BitBtn3Click(form->BitBtn3);
  EXPECT_EQ(Types(week1), "D,Day,0,250,50;R,Resident,4,500,0;");
  form->VtCalcEdit2->SetText("12.12");
  form->BitBtn3Click(form->BitBtn3);
  EXPECT_EQ(Types(week1), "D,Day,0,250,50;R,Resident,4,12.12,0;");
  for (const long double price : {1e400L, -1e308L, 922337203685478.0L}) {
    form->VtCalcEdit2->SetValue(price);
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    form->BitBtn3Click(form->BitBtn3);
    ASSERT_EQ(responder.Shown().size(), 1u);
    EXPECT_EQ(responder.Last().Caption, "Error");
    EXPECT_NE(responder.Last().Text.find(" is not a number from -922337203685477.5808 to 922337203685477.5807."),
              String::npos);
    EXPECT_EQ(SQLDataModule->tSessionSessionTypes->State(), dsBrowse);
  }
  EXPECT_EQ(Types(week1), "D,Day,0,250,50;R,Resident,4,12.12,0;");

  // With no type listed there is nothing to reprice: no type without a letter is made.
  camp.Execute("DELETE FROM SessionSessionTypes");
  SQLDataModule->tSessionSessionTypes->Close();
  SQLDataModule->tSessionSessionTypes->Open();
  form->BitBtn3Click(form->BitBtn3);
  EXPECT_EQ(Types(week1), "");
}

// Another copy of the program changed or deleted the type being repriced: the reprice is refused
// with that reason and the types list shows what is stored, on the same type while it exists.
TEST_F(AddEditSessionsTest, ARepriceOfATypeAnotherCopyChangedOrDeletedShowsTheTypesAsStored) {
  struct Case {
    const char* otherCopy;
    const char* reason;
    const char* listed;  // the types list afterwards: type and price, the current one first
  };
  const Case cases[] = {
      {"UPDATE SessionSessionTypes SET TotalCosts = 425 WHERE Type = 'R'",
       "The record was changed by another user after it was read", "R 425; D 250, R 425"},
      {"DELETE FROM SessionSessionTypes WHERE Type = 'R'",
       "The record was deleted by another user after it was read", "D 250; D 250"},
  };
  camp.AddSessionType(week1, "D", "Day", 0, 250);
  OpenOnWeek1();
  LeaveDescription();
  TADOTable* types = SQLDataModule->tSessionSessionTypes;
  const auto listed = [types] {
    const auto line = [types] {
      return types->FieldByName("Type")->AsString() + " " + types->FieldByName("TotalCosts")->AsString();
    };
    String text = line() + ";";
    for (types->First(); !types->Eof(); types->Next()) text += String(types->RecNo() > 1 ? ", " : " ") + line();
    return text;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.otherCopy);
    ASSERT_TRUE(types->Locate("Type", Variant("R"), {}));
    camp.Execute(c.otherCopy);
    form->VtCalcEdit2->SetValue(500);
    form->VtCalcEdit3->SetValue(0);
    String reason;
    try {
      form->BitBtn3Click(form->BitBtn3);
    } catch (const Exception& e) {
      reason = e.Message();
    }
    EXPECT_NE(reason.find(c.reason), String::npos) << reason;
    EXPECT_EQ(types->State(), dsBrowse);
    EXPECT_EQ(listed(), c.listed);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM SessionSessionTypes WHERE TotalCosts = 500"), 0);
  }
}

TEST_F(AddEditSessionsTest, ImportingTheTypesIsWholeOrNotAtAll) {
  OpenOnWeek1();
  LeaveDescription();
  camp.Execute("CREATE TRIGGER fail BEFORE INSERT ON SessionSessionTypes WHEN NEW.Type = 'R' "
               "BEGIN SELECT RAISE(ABORT, 'injected'); END");
  vt::DialogResponder responder;
  responder.Answer(mrYes);
  EXPECT_THROW(form->BitBtn4Click(form->BitBtn4), Exception);
  EXPECT_EQ(Types(week1), "R,Resident,4,400,;");
  EXPECT_EQ(SQLDataModule->tSessionSessionTypes->State(), dsBrowse);
  EXPECT_EQ(SQLDataModule->tSessionSessionTypes->RecordCount(), 1);
}

TEST_F(AddEditSessionsTest, RoomsAreAddedWithAllPlacesFreeAndIncompleteInputIsRefused) {
  OpenOnWeek1();
  LeaveDescription();
  form->PageControl1->SetActivePage(form->TabSheet3);
  struct Case {
    const char* hotel;
    const char* number;
    int size;
  };
  for (const Case& c : {Case{"", "101", 2}, Case{"Inn", "", 2}, Case{"Inn", "101", 0}}) {
    form->Edit1->SetText(c.hotel);
    form->Edit2->SetText(c.number);
    form->VtCalcEdit1->SetValue(c.size);
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    form->BitBtn2Click(form->BitBtn2);
    EXPECT_EQ(responder.Last().Text, "Please fill out all room information.");
    EXPECT_EQ(responder.Last().Caption, "Error");
    EXPECT_EQ(Screen->ActiveControl(), form->Edit1);
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Rooms") + Count("SELECT COUNT(*) FROM CoachesRooms"), 0);

  form->Edit1->SetText("Inn");
  form->Edit2->SetText("101");
  form->VtCalcEdit1->SetValue(3);
  form->BitBtn2Click(form->BitBtn2);
  form->BitBtn2Click(form->BitBtn2);  // the inputs stay: a second like room
  form->CheckBox2->SetChecked(true);
  form->VtCalcEdit1->SetValue(2);
  form->BitBtn2Click(form->BitBtn2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Rooms WHERE SessionID = " + IntToStr(week1) +
                  " AND HotelName = 'Inn' AND RoomNumber = '101' AND NumberInRoom = 3 AND NumberAvailable = 3"), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM CoachesRooms WHERE NumberInRoom = 2 AND NumberAvailable = 2"), 1);
  EXPECT_EQ(form->DBGrid3->DataSource()->DataSet()->RecordCount(), 2);
  EXPECT_EQ(form->DBGrid1->DataSource()->DataSet()->RecordCount(), 1);

  // A size below nobody or past 32 bits: refused with its reason, nothing half-made left behind
  // and never a wrapped number stored.
  const struct {
    const char* size;
    const char* refusal;
  } refused[] = {{"-3", "Number In Room cannot be negative."},
                 {"99999999999", "99999999999 is not a whole number from -2147483648 to 2147483647"}};
  for (const auto& c : refused) {
    form->VtCalcEdit1->SetText(c.size);
    String message = "taken";
    try {
      form->BitBtn2Click(form->BitBtn2);
    } catch (const Exception& e) {
      message = e.Message();
    }
    EXPECT_EQ(message, c.refusal) << c.size;
    EXPECT_EQ(SQLDataModule->qCRooms->State(), dsBrowse) << c.size;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM CoachesRooms"), 1) << c.size;
  }
}

TEST_F(AddEditSessionsTest, DeletingARoomTakesItsOccupantsOutOfItOnly) {
  const int room = camp.AddRoom(week1, "Inn", "101", 2);
  const int other = camp.AddRoom(week1, "Inn", "102", 2);
  const int coachRoom = camp.AddRoom(week1, "Inn", "C1", 2, true);
  const int ann = camp.AddAttendee("Ann", "Kid");
  const int bob = camp.AddAttendee("Bob", "Kid");
  camp.AddEnrolment(week1, ann, "R", room);
  camp.AddEnrolment(week1, bob, "R", other);
  const int cy = camp.AddChaperone("Cy", "Coach");
  camp.AddChaperoneEnrolment(week1, cy, "R", coachRoom);
  OpenOnWeek1();
  LeaveDescription();
  TADOQuery* rooms = SQLDataModule->qRooms;
  ASSERT_TRUE(rooms->Locate("RoomID", Variant(room), {}));
  {
    vt::DialogResponder responder;
    responder.Answer(mrNo);
    form->BitBtn6Click(form->BitBtn6);
    EXPECT_EQ(responder.Last().Text, "Are you sure you want to delete this Room?");
    EXPECT_EQ(responder.Last().Caption, "Comfirm delete");
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Rooms"), 2);
  {
    vt::DialogResponder responder;
    responder.Answer(mrYes).Answer(mrYes);
    form->BitBtn6Click(form->BitBtn6);
    form->BitBtn5Click(form->BitBtn5);
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Rooms WHERE RoomID = " + IntToStr(room)), 0);
  EXPECT_TRUE(camp.Value("SELECT RoomID FROM AttendeeSession WHERE CamperID = " + IntToStr(ann)).IsNull());
  EXPECT_EQ(Count("SELECT RoomID FROM AttendeeSession WHERE CamperID = " + IntToStr(bob)), other);
  EXPECT_TRUE(camp.Value("SELECT RoomID FROM ChaperoneSession WHERE ChaperoneID = " + IntToStr(cy)).IsNull());
  EXPECT_EQ(Count("SELECT COUNT(*) FROM CoachesRooms"), 0);
  EXPECT_EQ(rooms->RecordCount(), 1);

  // An empty list: nothing is asked.
  vt::DialogResponder responder;
  form->BitBtn5Click(form->BitBtn5);
  EXPECT_TRUE(responder.Shown().empty());
}

// Session 1 edited and left, then session 2 opened: its Rooms tab lists its own rooms at once,
// and a delete takes only a room of that session as stored now.
TEST_F(AddEditSessionsTest, TheRoomsTabShowsTheEditedSessionsRoomsAndDeletesOnlyThose) {
  const int week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
  camp.AddSessionType(week2, "R", "Resident", 4, 400);
  camp.AddRoom(week1, "Inn", "101", 2);
  const int room201 = camp.AddRoom(week2, "Inn", "201", 2);
  const int room202 = camp.AddRoom(week2, "Inn", "202", 2);
  const int ann = camp.AddAttendee("Ann", "Kid");
  camp.AddEnrolment(week2, ann, "R", room201);
  vt::Reopen(SQLDataModule->qSessions);
  OpenOnWeek1();
  LeaveDescription();
  form->BitBtn1Click(form->BitBtn1);
  TADOQuery* sessions = SQLDataModule->qSessions;
  ASSERT_TRUE(sessions->Locate("SessionID", Variant(week2), {}));
  sessions->Edit();
  form->Show();
  vt::ProcessEventsUntilIdle();
  form->PageControl1->SetActivePage(form->TabSheet3);
  TADOQuery* rooms = SQLDataModule->qRooms;
  const auto listed = [&] {
    String numbers;
    for (rooms->First(); !rooms->Eof(); rooms->Next()) numbers += rooms->FieldByName("RoomNumber")->AsString() + " ";
    rooms->First();
    return numbers;
  };
  EXPECT_EQ(listed(), "201 202 ");

  // Another copy deleted room 202: deleting it here says so and deletes nothing else.
  camp.Execute("DELETE FROM Rooms WHERE RoomID = " + IntToStr(room202));
  ASSERT_TRUE(rooms->Locate("RoomID", Variant(room202), {}));
  String reason;
  {
    vt::DialogResponder responder;
    responder.Answer(mrYes);
    try {
      form->BitBtn6Click(form->BitBtn6);
    } catch (const Exception& e) {
      reason = e.Message();
    }
  }
  EXPECT_EQ(reason, "This Room was deleted by another user: nothing was saved.");
  EXPECT_EQ(listed(), "201 ");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Rooms"), 2);
  EXPECT_EQ(Count("SELECT RoomID FROM AttendeeSession WHERE CamperID = " + IntToStr(ann)), room201);
  sessions->Cancel();
  form->Close();
}

TEST_F(AddEditSessionsTest, ARoomCannotBeMadeSmallerThanItsOccupants) {
  const int room = camp.AddRoom(week1, "Inn", "101", 4);
  for (const char* name : {"Ann", "Bob"}) camp.AddEnrolment(week1, camp.AddAttendee(name, "Kid"), "R", room);
  camp.Execute("UPDATE Rooms SET NumberAvailable = 2");
  OpenOnWeek1();
  LeaveDescription();
  TADOQuery* rooms = SQLDataModule->qRooms;
  rooms->Edit();
  rooms->FieldByName("NumberInRoom")->SetAsInteger(1);
  try {
    rooms->Post();
    ADD_FAILURE() << "a room smaller than its occupants was posted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "This room has 2 people in it: Number In Room cannot be less.");
  }
  rooms->Cancel();
  EXPECT_EQ(Count("SELECT NumberInRoom * 10 + NumberAvailable FROM Rooms"), 42);
  rooms->Edit();
  rooms->FieldByName("NumberInRoom")->SetAsInteger(3);
  rooms->Post();
  EXPECT_EQ(Count("SELECT NumberInRoom * 10 + NumberAvailable FROM Rooms"), 31);
}

// Every date edit refuses an impossible date typed over a stored one when it is left; Esc shows
// the stored date again and Done keeps it.
TEST_F(AddEditSessionsTest, AnImpossibleDateOverAStoredOneIsRefusedAndTheStoredDateKept) {
  const TDateTime stored = EncodeDate(2030, 6, 2);
  camp.Execute("UPDATE Sessions SET BeginDate = " + FloatToStr(stored) + ", EndDate = " + FloatToStr(stored) +
               ", CheckInDate = " + FloatToStr(stored) + ", CheckOutDate = " + FloatToStr(stored) +
               ", BalanceDueDate = " + FloatToStr(stored));
  const struct {
    TDBDateEdit* edit;
    const char* column;
  } dates[] = {{form->DBDateEdit1, "BeginDate"}, {form->DBDateEdit2, "EndDate"}, {form->DBDateEdit3, "CheckInDate"},
               {form->DBDateEdit4, "CheckOutDate"}, {form->DBDateEdit5, "BalanceDueDate"}};
  for (const auto& date : dates) {
    SCOPED_TRACE(date.column);
    OpenOnWeek1();
    const String shown = date.edit->Text();
    vt::DialogResponder responder;
    responder.Answer(mrOk).Answer(mrYes);
    vt::test::LeaveWithAnImpossibleDate(date.edit);
    ASSERT_EQ(responder.Shown().size(), 1u);
    EXPECT_NE(responder.Last().Text.find("is not a valid date"), String::npos) << responder.Last().Text;
    EXPECT_TRUE(date.edit->Focused()) << "the focus stays in the date";
    vt::SendKey(date.edit, VK_ESCAPE);
    EXPECT_EQ(date.edit->Text(), shown);
    form->BitBtn1Click(form->BitBtn1);
    EXPECT_EQ(camp.Value(String("SELECT ") + date.column + " FROM Sessions").AsDouble(), stored);
  }
}

TEST_F(AddEditSessionsTest, TheZipFillsCityAndStateOnlyWhenItIsListed) {
  camp.Insert("ZipCodes", {{"Zip", "12345"}, {"City", "Springfield"}, {"State", "IL"}});
  SQLDataModule->tZipCodes->Close();
  SQLDataModule->tZipCodes->Open();
  OpenOnWeek1();
  LeaveDescription();
  TADOQuery* sessions = SQLDataModule->qSessions;
  struct Case {
    const char* zip;
    const char* city;
  };
  for (const Case& c : {Case{"99999", "Old Town"}, Case{"123456789", "Springfield"}}) {
    sessions->FieldByName("LocationCity")->SetAsString("Old Town");
    form->GDBMaskEdit5->SetFocus();
    vt::TypeText(form->GDBMaskEdit5, c.zip);
    vt::SendKey(form->GDBMaskEdit5, VK_RETURN);
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(sessions->FieldByName("LocationCity")->AsString(), c.city) << c.zip;
    EXPECT_EQ(Screen->ActiveControl(), form->DBDateEdit5) << "Enter in the zip goes on to the Balance Due Date";
  }
  EXPECT_EQ(sessions->FieldByName("LocationState")->AsString(), "IL");
}

TEST_F(AddEditSessionsTest, CaptionsFromTheNounsAndTheChaperoneRoomGridsWidths) {
  OpenOnWeek1();
  EXPECT_EQ(form->Caption(), "Sessions") << "a null plural keeps the design's caption";
  EXPECT_EQ(form->CheckBox2->Caption(), "Chaperone Room?");
  form->Close();
  camp.Execute("UPDATE CoSys SET Sessions = 'Camp', SessionsP = 'Camps', Chaperones = 'Coach', Attendees = 'Camper'");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  form->Show();
  form->FormActivate(form);
  EXPECT_EQ(form->Caption(), "Acme Camps - Camp");
  EXPECT_EQ(form->CheckBox2->Caption(), "Coach Room?");
  EXPECT_EQ(form->Panel6->Caption(), "Coach Rooms");
  EXPECT_EQ(form->Panel7->Caption(), "Camper Rooms");

  form->DBGrid1->Columns()->Items(1)->SetWidth(140);
  form->DBGrid1MouseUp(form->DBGrid1, mbLeft, {}, 0, 0);
  EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger("23", form->DBGrid1->Columns()->Items(1)->FieldName(), 0), 140);
  TAddEditSessionsForm next(nullptr);
  EXPECT_EQ(next.DBGrid1->Columns()->Items(1)->Width(), 140);
}

// What a screen reader says and what the eye sees on the first page: each field is named by the
// label on its left, and no field runs under a neighbouring label.
TEST_F(AddEditSessionsTest, TheFirstPageNamesEachFieldByItsOwnLabelAndNothingOverlaps) {
  OpenOnWeek1();
  const std::pair<TWinControl*, const char*> named[] = {
      {form->DBEdit3, "Location"}, {form->DBEdit4, "Address"}, {form->DBEdit5, "City"},
      {form->DBEdit6, "State"},    {form->GDBMaskEdit5, "Zip"}, {form->DBDateEdit5, "Balance Due Date"}};
  for (const auto& [field, label] : named)
    EXPECT_EQ(field->Widget()->accessibleName().toStdString(), label) << field->Name();
  TTabSheet* page = form->TabSheet1;
  for (int i = 0; i < page->ControlCount(); ++i)
    for (int j = i + 1; j < page->ControlCount(); ++j) {
      const TControl* a = page->Controls(i);
      const TControl* b = page->Controls(j);
      const bool overlap = a->Left() < b->Left() + b->Width() && b->Left() < a->Left() + a->Width() &&
                           a->Top() < b->Top() + b->Height() && b->Top() < a->Top() + a->Height();
      EXPECT_FALSE(overlap) << a->Name() << " and " << b->Name();
    }
  form->Close();
}

}  // namespace
