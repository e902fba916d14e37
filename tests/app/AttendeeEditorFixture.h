// A started camp with the attendee editor open on one attendee, and the checks that the three
// layers of money agree with each other and the rooms' free places with their occupants.
#pragma once

#include <gtest/gtest.h>

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/Main.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "tests/app/MoneyChecks.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/controls/StdCtrls.h"
#include "ui/testing/UiTesting.h"

namespace vt::test {

class AttendeeEditorTest : public ::testing::Test {
protected:
  // Two active sessions with two types each (prices 120/200 and 150/90), a room in each, and
  // two attendees already enrolled in the first.
  void SetUp() override {
    EnsureTestApplication();
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
    camp.AddSessionType(week1, "D", "Day Camp", 4, 120);
    camp.AddSessionType(week1, "R", "Resident", 4, 200);
    camp.AddSessionType(week2, "R", "Resident", 4, 150);
    camp.AddSessionType(week2, "D", "Day Camp", 4, 90);
    room1 = camp.AddRoom(week1, "Inn", "101", 4);
    room2 = camp.AddRoom(week2, "Inn", "201", 4);
    smith = camp.AddAttendee("Smith", "Ann", EncodeDate(2015, 4, 1));
    jones = camp.AddAttendee("Jones", "Bob", EncodeDate(2016, 5, 2));
    for (int camper : {smith, jones}) {
      camp.Execute("UPDATE Attendees SET TotalCharged = 0, TotalCredits = 0, BalanceDue = 0 "
                   "WHERE CamperID = " + IntToStr(camper));
      camp.AddEnrolment(week1, camper, "D");
    }
  }

  void TearDown() override {
    if (AddEditAttendeesForm && AddEditAttendeesForm->Visible()) AddEditAttendeesForm->Close();
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
    AddEditAttendeesForm = nullptr;
    ResetClock();
  }

  void Start() {
    StartVantrel();
    editor = AddEditAttendeesForm;
    data = SQLDataModule;
  }

  // What the main window's add and edit commands do: the row in Insert or Edit, the flag, and
  // the dialog shown (here without a modal loop of its own), which activates it.
  void OpenEditor(int camperId) {
    if (camperId) {
      ASSERT_TRUE(data->qAttendees->Locate("CamperID", camperId, {}));
      data->qAttendees->Edit();
    } else {
      data->qAttendees->Append();
    }
    editor->CheckBox1->SetChecked(camperId != 0);
    editor->Show();
    ProcessEventsUntilIdle();
  }

  void CloseEditor() {
    editor->BitBtn1Click(editor);
    ProcessEventsUntilIdle();
  }

  double Stored(const String& sql) { return camp.Value(sql).AsDouble(); }

  // Every invariant that must hold between operations; `when` names the step for the report.
  void ExpectMoneyAgrees(const String& when) {
    EXPECT_EQ(Violations("SELECT COUNT(*) FROM Attendees WHERE " + Drifted({"TotalCharged", "TotalCredits", "BalanceDue"}) +
                         " OR EXISTS (SELECT 1 FROM AttendeeSession WHERE " +
                         Drifted({"TotalCosts", "AmountPaid", "BalanceDue"}) +
                         ") OR EXISTS (SELECT 1 FROM AttendeeTrx WHERE " + Drifted({"AmountPaid"}) + ")"),
              0)
        << "amounts stored as whole 1/10,000s, " << when;
    const String ledger = "(SELECT COALESCE(SUM(" + Units("t.AmountPaid") + "), 0) FROM AttendeeTrx t WHERE t.CamperID = a.CamperID";
    EXPECT_EQ(Violations("SELECT COUNT(*) FROM Attendees a WHERE " + Units("COALESCE(a.BalanceDue,0)") + " <> " +
                         Units("COALESCE(a.TotalCharged,0)") + " - " + Units("COALESCE(a.TotalCredits,0)") + " OR " +
                         Units("COALESCE(a.BalanceDue,0)") + " <> " + ledger + ") OR " +
                         Units("COALESCE(a.TotalCharged,0)") + " <> " + ledger + " AND t.CheckNo IN ('Charge','Credit'))"),
              0)
        << "person totals against the ledger, " << when;
    EXPECT_EQ(Violations("SELECT COUNT(*) FROM AttendeeSession WHERE " + Units("BalanceDue") + " <> " +
                         Units("TotalCosts") + " - " + Units("AmountPaid")),
              0)
        << "enrolment balances, " << when;
    EXPECT_EQ(Violations("SELECT COUNT(*) FROM Rooms r WHERE r.NumberAvailable <> r.NumberInRoom - "
                         "(SELECT COUNT(*) FROM AttendeeSession s WHERE s.RoomID = r.RoomID)"),
              0)
        << "free places, " << when;
  }

  // Puts an enrolment into a room as the room pages do: the room loses a free place.
  void PlaceInRoom(int sessionId, int camperId, int roomId) {
    camp.Execute("UPDATE AttendeeSession SET RoomID = " + IntToStr(roomId) + " WHERE SessionID = " +
                 IntToStr(sessionId) + " AND CamperID = " + IntToStr(camperId));
    camp.Execute("UPDATE Rooms SET NumberAvailable = NumberAvailable - 1 WHERE RoomID = " + IntToStr(roomId));
  }

  CampFixture camp;
  int week1 = 0, week2 = 0, room1 = 0, room2 = 0, smith = 0, jones = 0;
  TAddEditAttendeesForm* editor = nullptr;
  TSQLDataModule* data = nullptr;

private:
  int Violations(const String& sql) { return camp.Value(sql).AsInteger(); }
};

}  // namespace vt::test
