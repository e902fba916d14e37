// Sign Up, Remove and Pay through the attendee editor: a scripted office day, the refusals and
// edge cases, failures injected part way through each operation, and a long random sequence;
// after each step the person totals, enrolment balances, ledger rows and free places agree.
#include <cstring>
#include <optional>
#include <random>

#include "app/DBMaskEdit.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBDateEdit.h"
#include "db/SqlText.h"
#include "rtl/FloatFormat.h"
#include "tests/app/AttendeeEditorFixture.h"
#include "tests/fixtures/ScratchMount.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"

namespace vt::test {
namespace {

class AttendeeMoney : public AttendeeEditorTest {
protected:
  String Id(int id) { return IntToStr(id); }

  double Person(const char* column, int camperId) {
    return Stored(String("SELECT ") + column + " FROM Attendees WHERE CamperID = " + Id(camperId));
  }
  double Enrolment(const char* column, int sessionId, int camperId) {
    return Stored(String("SELECT ") + column + " FROM AttendeeSession WHERE SessionID = " + Id(sessionId) +
                  " AND CamperID = " + Id(camperId));
  }
  int Count(const String& sql) { return camp.Value(sql).AsInteger(); }
  int FreePlaces(int roomId) { return Count("SELECT NumberAvailable FROM Rooms WHERE RoomID = " + Id(roomId)); }

  void ChooseSession(int sessionId) { ASSERT_TRUE(data->qSessions->Locate("SessionID", sessionId, {})); }
  void ChooseType(const char* description) {
    editor->ComboBox6->SetItemIndex(editor->ComboBox6->Items()->IndexOf(description));
  }
  void ChooseOpenSession(int sessionId) {
    editor->ComboBox3->SetItemIndex(editor->ComboBox3->Items()->IndexOf(Id(sessionId)));
    editor->ComboBox3Change(editor->ComboBox3);
  }
  void EnterPayment(double amount, const String& checkNo) {
    editor->VtCalcEdit1->SetValue(amount);
    editor->Edit2->SetText(checkNo);
  }

  // A click on one of the editor's buttons, answering the boxes it shows; returns what was shown.
  std::vector<ShownDialog> Click(TWinControl* button, std::initializer_list<int> answers = {}) {
    DialogResponder responder;
    for (int answer : answers) responder.Answer(answer);
    ClickControl(button);
    ProcessEventsUntilIdle();
    return responder.Shown();
  }

  int CamperOfEditor() { return data->qAttendees->FieldByName("CamperID")->AsInteger(); }

  // Jones signed up for week 2 (150 owed on it), the editor on the "Financial" tab.
  void OweOnWeek2() {
    Start();
    OpenEditor(jones);
    ChooseSession(week2);
    ChooseType("Resident");
    Click(editor->BitBtn2, {mrYes});
    editor->PageControl1->SetActivePage(editor->TabSheet6);
  }
};

TEST_F(AttendeeMoney, AnOfficeDayKeepsTheThreeLayersAndTheRoomsInAgreement) {
  Start();
  OpenEditor(0);
  ExpectMoneyAgrees("on opening");

  // A new attendee, every tab filled through its controls.
  const std::pair<TWinControl*, const char*> typed[] = {
      {editor->DBEdit3, "Liam"}, {editor->DBEdit4, "O'Brien"}, {editor->DBEdit6, "1 Lake Rd"},
      {editor->GDBMaskEdit1, "123456789"}, {editor->GDBMaskEdit3, "5551234567"},
      {editor->DBEdit1, "St. Mary's"}, {editor->DBEdit23, "Mr."}, {editor->DBEdit25, "Mrs."},
      {editor->DBEdit27, "P-77"}, {editor->DBMemo1, "Likes goal keeping"}, {editor->DBEdit34, "None"}};
  for (const auto& [control, text] : typed) {
    editor->PageControl1->SetActivePage(static_cast<TTabSheet*>(control->Parent()));
    control->SetFocus();
    TypeText(control, text);
  }
  for (TDBCheckBox* box : {editor->DBCheckBox1, editor->DBCheckBox2, editor->DBCheckBox3, editor->DBCheckBox4}) {
    editor->PageControl1->SetActivePage(static_cast<TTabSheet*>(box->Parent()));
    ClickControl(box);
  }
  data->qAttendees->FieldByName("Grade")->SetAsInteger(7);
  data->qAttendees->FieldByName("DOB")->SetAsDateTime(EncodeDate(2018, 3, 4));
  data->qAttendees->FieldByName("LivesWith")->SetAsString("Mother");

  // Two sessions of different types, the first with a roommate request.
  editor->PageControl1->SetActivePage(editor->TabSheet5);
  ChooseSession(week1);
  ChooseType("Resident");
  editor->ComboBox4->SetItemIndex(1);  // Jones Bob
  std::vector<ShownDialog> shown = Click(editor->BitBtn2, {mrYes});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "Sign this Attendee up for this Session?");
  EXPECT_EQ(shown[0].Caption, "Confirm Sign Up");
  const int liam = CamperOfEditor();
  ASSERT_GT(liam, 0);
  EXPECT_EQ(camp.Value("SELECT LastName FROM Attendees WHERE CamperID = " + Id(liam)).AsString(), "O'Brien");
  EXPECT_EQ(camp.Value("SELECT InsurancePolicyNumber FROM Attendees WHERE CamperID = " + Id(liam)).AsString(), "P-77");
  EXPECT_EQ(Count("SELECT DoctorReleaseOnFile FROM Attendees WHERE CamperID = " + Id(liam)), -1);
  EXPECT_EQ(Enrolment("AttendeeRequestID", week1, liam), jones);
  EXPECT_TRUE(camp.Value("SELECT TeammateRequestID FROM AttendeeSession WHERE CamperID = " + Id(liam)).IsNull());
  EXPECT_EQ(Enrolment("BalanceDue", week1, liam), 200);
  ExpectMoneyAgrees("after the first sign-up");

  ChooseSession(week2);
  ChooseType("Day Camp");
  editor->ComboBox4->SetItemIndex(-1);
  Click(editor->BitBtn2, {mrYes});
  EXPECT_EQ(camp.Value("SELECT SessionType FROM AttendeeSession WHERE SessionID = " + Id(week2)).AsString(), "D");
  EXPECT_EQ(Person("TotalCharged", liam), 290);
  EXPECT_EQ(Person("BalanceDue", liam), 290);
  EXPECT_EQ(data->qAttendeeSession->RecordCount(), 2);
  EXPECT_EQ(data->tAttendeeTrx->RecordCount(), 2);
  EXPECT_EQ(editor->ComboBox3->Items()->Text(), "None\n" + Id(week1) + "\n" + Id(week2) + "\n");
  ExpectMoneyAgrees("after the second sign-up");

  // The price changes in the session editor; the enrolment keeps the price it was charged.
  camp.Execute("UPDATE SessionSessionTypes SET TotalCosts = 250 WHERE SessionID = " + Id(week1) + " AND Type = 'R'");

  editor->PageControl1->SetActivePage(editor->TabSheet6);
  ChooseOpenSession(week1);
  EXPECT_EQ(editor->VtCalcEdit2->Value(), 200);
  EnterPayment(50, "1001");
  EXPECT_TRUE(Click(editor->BitBtn4).empty());
  EXPECT_EQ(Enrolment("AmountPaid", week1, liam), 50);
  EXPECT_EQ(Enrolment("BalanceDue", week1, liam), 150);
  EXPECT_EQ(Person("TotalCredits", liam), 50);
  EXPECT_EQ(Person("BalanceDue", liam), 240);
  EXPECT_EQ(Stored("SELECT AmountPaid FROM AttendeeTrx WHERE CheckNo = '1001'"), -50);
  EXPECT_EQ(editor->VtCalcEdit2->Value(), 150) << "the amount due shown is the fresh one";
  EXPECT_EQ(editor->Edit2->Text(), "");
  EXPECT_EQ(editor->VtCalcEdit1->Text(), "");
  ExpectMoneyAgrees("after a payment");

  EnterPayment(150, "1002");
  Click(editor->BitBtn4);
  EXPECT_EQ(Enrolment("BalanceDue", week1, liam), 0);
  ExpectMoneyAgrees("after paying the rest");

  EnterPayment(10, "1003");
  shown = Click(editor->BitBtn4, {mrOk});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "You can't make a payment for more than the amount owed.");
  EXPECT_EQ(shown[0].Caption, "Error");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo = '1003'"), 0);
  ExpectMoneyAgrees("after an overpayment was refused");

  // Placed in a room, then removed: the credit is what was charged, the room gets its place.
  PlaceInRoom(week1, liam, room1);
  ASSERT_EQ(FreePlaces(room1), 3);
  editor->PageControl1->SetActivePage(editor->TabSheet5);
  ASSERT_TRUE(data->qAttendeeSession->Locate("SessionID", week1, {}));
  shown = Click(editor->BitBtn3, {mrYes});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "Remove this Attendee from this Session?");
  EXPECT_EQ(shown[0].Caption, "Confirm Removal");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeSession WHERE CamperID = " + Id(liam)), 1);
  EXPECT_EQ(Person("TotalCharged", liam), 90);
  EXPECT_EQ(Person("TotalCredits", liam), 200);
  EXPECT_EQ(Person("BalanceDue", liam), -110);
  EXPECT_EQ(Stored("SELECT AmountPaid FROM AttendeeTrx WHERE CheckNo = 'Credit'"), -200);
  EXPECT_EQ(Count("SELECT SessionID FROM AttendeeTrx WHERE CheckNo = 'Credit'"), week1);
  EXPECT_EQ(FreePlaces(room1), 4);
  EXPECT_EQ(data->qAttendeeSession->RecordCount(), 1);
  EXPECT_EQ(editor->ComboBox3->Items()->Text(), "None\n" + Id(week2) + "\n");
  ExpectMoneyAgrees("after the removal");
}

TEST_F(AttendeeMoney, RefusalsNameTheNounsAndWriteNothing) {
  camp.Execute("UPDATE CoSys SET Attendees = 'Camper', Sessions = ''");
  Start();
  OpenEditor(smith);
  std::vector<ShownDialog> shown = Click(editor->BitBtn2, {mrOk});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "This Camper is already signed up for this Session") << "any type counts";
  EXPECT_EQ(shown[0].Caption, "Error");

  ChooseSession(week2);
  shown = Click(editor->BitBtn2, {mrNo});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Caption, "Confirm Sign Up");

  camp.Execute("DELETE FROM AttendeeSession WHERE CamperID = " + Id(smith));
  CloseEditor();
  OpenEditor(smith);
  shown = Click(editor->BitBtn3, {mrOk});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Text, "This Camper is not signed up for any active Sessions");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeSession WHERE CamperID = " + Id(smith)), 0);
}

TEST_F(AttendeeMoney, RequestTextsBecomeCamperIdsOrAreDropped) {
  Start();
  OpenEditor(0);
  data->qAttendees->FieldByName("LastName")->SetAsString("New");
  const struct {
    int session;
    const char* roommate;
    const char* teammate;
    Variant roommateId, teammateId;
  } cases[] = {{week2, "Jones Bob |7", "x |12abc", Variant(7), Variant::Null()}};
  for (const auto& c : cases) {
    ChooseSession(c.session);
    editor->ComboBox4->Items()->Add(c.roommate);
    editor->ComboBox4->SetItemIndex(editor->ComboBox4->Items()->IndexOf(c.roommate));
    editor->ComboBox5->Items()->Add(c.teammate);
    editor->ComboBox5->SetItemIndex(editor->ComboBox5->Items()->IndexOf(c.teammate));
    Click(editor->BitBtn2, {mrYes});
    const String where = " FROM AttendeeSession WHERE SessionID = " + Id(c.session) + " AND CamperID = " + Id(CamperOfEditor());
    EXPECT_EQ(camp.Value("SELECT AttendeeRequestID" + where), c.roommateId) << c.roommate;
    EXPECT_EQ(camp.Value("SELECT TeammateRequestID" + where), c.teammateId) << c.teammate;
  }
  ExpectMoneyAgrees("after sign-ups with requests");
}

// The request lists are filled anew for the next attendee: a choice made for the one before
// is not carried over to a sign-up nobody chose it for.
TEST_F(AttendeeMoney, ARoommateChosenForOneSignUpIsNotGivenToTheNextAttendeesSignUp) {
  const int brown = camp.AddAttendee("Brown", "Cy", EncodeDate(2015, 7, 3));
  const int evans = camp.AddAttendee("Evans", "Dee", EncodeDate(2015, 8, 4));
  camp.Execute("UPDATE Attendees SET TotalCharged = 0, TotalCredits = 0, BalanceDue = 0");
  Start();
  OpenEditor(brown);
  ChooseSession(week1);
  editor->ComboBox4->SetItemIndex(editor->ComboBox4->Items()->IndexOf("Jones Bob |" + Id(jones)));
  ChooseType("Resident");
  Click(editor->BitBtn2, {mrYes});
  EXPECT_EQ(Enrolment("AttendeeRequestID", week1, brown), jones);
  CloseEditor();

  OpenEditor(evans);
  EXPECT_EQ(editor->ComboBox4->ItemIndex(), -1);
  EXPECT_EQ(editor->ComboBox4->Text(), "");
  ChooseSession(week1);
  ChooseType("Resident");
  Click(editor->BitBtn2, {mrYes});
  EXPECT_TRUE(camp.Value("SELECT AttendeeRequestID FROM AttendeeSession WHERE CamperID = " + Id(evans)).IsNull());
}

TEST_F(AttendeeMoney, PaymentsAreRefusedAboveTheAmountDueOrThePersonsBalance) {
  Start();
  OpenEditor(jones);
  ChooseSession(week2);
  ChooseType("Resident");
  Click(editor->BitBtn2, {mrYes});  // 150 owed on week 2
  const struct {
    double amount;
    double personBalanceBefore;  // set on the editor's row before paying
    bool refused;
  } cases[] = {{150.01, 150, true}, {100, 99.99, true}, {150, 150, false}, {-20, 0, false}};
  for (const auto& c : cases) {
    data->qAttendees->FieldByName("BalanceDue")->SetAsFloat(c.personBalanceBefore);
    ChooseOpenSession(week2);
    const double due = editor->VtCalcEdit2->Value();
    const int rows = Count("SELECT COUNT(*) FROM AttendeeTrx");
    EnterPayment(c.amount, "77");
    const std::vector<ShownDialog> shown = Click(editor->BitBtn4, {mrOk});
    EXPECT_EQ(shown.size(), c.refused ? 1u : 0u) << c.amount;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), rows + (c.refused ? 0 : 1)) << c.amount;
    if (!c.refused) EXPECT_EQ(Enrolment("BalanceDue", week2, jones), due - c.amount) << c.amount;
  }
  EXPECT_EQ(Stored("SELECT AmountPaid FROM AttendeeTrx WHERE CheckNo = '77' ORDER BY PaymentID DESC"), 20)
      << "a negative payment writes a positive ledger row";
}

TEST_F(AttendeeMoney, PayWithoutSessionCheckNumberOrAmountDoesNothing) {
  Start();
  OpenEditor(0);  // a new attendee: the open-sessions list is empty
  EnterPayment(5, "1");
  EXPECT_TRUE(Click(editor->BitBtn4).empty());
  CloseEditor();
  OpenEditor(smith);
  camp.Execute("UPDATE AttendeeSession SET TotalCosts = 120, BalanceDue = 120 WHERE CamperID = " + Id(smith));
  editor->FormActivate(editor);
  const struct {
    bool session;
    double amount;
    const char* checkNo;
  } cases[] = {{false, 5, "1"}, {true, 5, ""}, {true, 0, "1"}};
  for (const auto& c : cases) {
    editor->ComboBox3->SetItemIndex(c.session ? 1 : 0);
    EnterPayment(c.amount, c.checkNo);
    EXPECT_TRUE(Click(editor->BitBtn4).empty());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), 0);
  }
}

// A trigger fails one write of an operation clicked in the editor, or the disk holding the
// database is full: nothing of it may stay, and once the fault is gone the same click works.
enum class Operation { SignUp, Remove, Pay };
struct InjectedFailure {
  const char* name;
  const char* trigger;  // none: the disk is full
  Operation operation;
};

class AttendeeMoneyFailure : public AttendeeMoney, public ::testing::WithParamInterface<InjectedFailure> {
protected:
  // Jones enrolled in week 2 (150, in room 2) with a first name typed but not yet stored.
  void SetUp() override {
    AttendeeMoney::SetUp();
    if (!GetParam().trigger) MoveCampOntoAScratchDisk();
    if (IsSkipped()) return;
    camp.Execute("DELETE FROM AttendeeSession WHERE CamperID = " + Id(jones));
    Start();
    OpenEditor(jones);
    ChooseSession(week2);
    ChooseType("Resident");
    Click(editor->BitBtn2, {mrYes});
    PlaceInRoom(week2, jones, room2);
    data->qAttendees->FieldByName("FirstName")->SetAsString("Robert");
  }

  void MoveCampOntoAScratchDisk() {
    disk_.emplace(8 << 20);
    camp.Connection()->Close();
    if (!disk_->Mounted() || !disk_->Cover(camp.Folder())) GTEST_SKIP() << disk_->Why();
  }

  // The log emptied first, so that every write needs new room on the disk.
  void InjectFault() {
    if (GetParam().trigger) {
      camp.Execute(String("CREATE TRIGGER fail ") + GetParam().trigger + " BEGIN SELECT RAISE(ABORT,'injected'); END");
      return;
    }
    camp.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
    disk_->LeaveFree(0);
  }
  void MendFault() {
    if (GetParam().trigger) camp.Execute("DROP TRIGGER fail");
    else disk_->Unfill();
  }
  String ExpectedReason() const {
    return GetParam().trigger ? String("injected")
                              : "The disk holding the database '" + camp.DatabasePath() +
                                    "' is full (database or disk is full); nothing was saved. Make room on the disk and try again.";
  }

  // The operation of the parameter, answered with Yes and then OK for any error report.
  std::vector<ShownDialog> Run() {
    switch (GetParam().operation) {
      case Operation::SignUp:
        ChooseSession(week1);
        return Click(editor->BitBtn2, {mrYes, mrOk});
      case Operation::Remove:
        editor->PageControl1->SetActivePage(editor->TabSheet5);
        return Click(editor->BitBtn3, {mrYes, mrOk});
      case Operation::Pay:
        editor->PageControl1->SetActivePage(editor->TabSheet6);
        ChooseOpenSession(week2);
        EnterPayment(40, "9");
        return Click(editor->BitBtn4, {mrOk});
    }
    return {};
  }

  String Snapshot() {
    String rows;
    for (const char* sql : {"SELECT group_concat(TotalCharged || '/' || TotalCredits || '/' || BalanceDue) FROM Attendees",
                            "SELECT group_concat(SessionID || '/' || AmountPaid || '/' || BalanceDue) FROM AttendeeSession",
                            "SELECT group_concat(AmountPaid) FROM AttendeeTrx",
                            "SELECT group_concat(NumberAvailable) FROM Rooms"})
      rows += camp.Value(sql).AsString() + "; ";
    return rows;
  }

  std::optional<ScratchMount> disk_;
};

TEST_P(AttendeeMoneyFailure, LeavesDataAndEditorAsTheyWereAndShowsTheReason) {
  const String stored = Snapshot();
  const int ledgerRows = data->tAttendeeTrx->RecordCount();
  const int enrolments = data->qAttendeeSession->RecordCount();
  const double balance = data->qAttendees->FieldByName("BalanceDue")->AsFloat();
  InjectFault();

  const std::vector<ShownDialog> shown = Run();
  ASSERT_FALSE(shown.empty());
  EXPECT_NE(shown.back().Text.find(ExpectedReason()), String::npos) << Texts(shown);
  EXPECT_EQ(Snapshot(), stored);
  ExpectMoneyAgrees("after the failure");
  EXPECT_EQ(data->qAttendees->State(), dsEdit);
  EXPECT_EQ(data->qAttendees->FieldByName("FirstName")->AsString(), "Robert");
  EXPECT_EQ(data->qAttendees->FieldByName("BalanceDue")->AsFloat(), balance);
  EXPECT_EQ(data->tAttendeeTrx->RecordCount(), ledgerRows);
  EXPECT_EQ(data->qAttendeeSession->RecordCount(), enrolments);

  MendFault();
  Run();
  EXPECT_NE(Snapshot(), stored) << "the same operation goes through once the fault is gone";
  ExpectMoneyAgrees("after the fault was mended");

  CloseEditor();
  DialogResponder responder;
  MainForm->Action3->Execute();  // Refresh Data
  EXPECT_EQ(Texts(responder.Shown()), "");
  EXPECT_EQ(data->qAttendees->RecordCount(), 2);
  EXPECT_EQ(data->qSessions->RecordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, AttendeeMoneyFailure,
    ::testing::Values(InjectedFailure{"SignUpPerson", "BEFORE UPDATE ON Attendees", Operation::SignUp},
                      InjectedFailure{"SignUpEnrolment", "BEFORE INSERT ON AttendeeSession", Operation::SignUp},
                      InjectedFailure{"SignUpLedger", "BEFORE INSERT ON AttendeeTrx", Operation::SignUp},
                      InjectedFailure{"SignUpDiskFull", nullptr, Operation::SignUp},
                      InjectedFailure{"RemoveRoom", "BEFORE UPDATE ON Rooms", Operation::Remove},
                      InjectedFailure{"RemoveEnrolment", "BEFORE DELETE ON AttendeeSession", Operation::Remove},
                      InjectedFailure{"RemoveLedger", "BEFORE INSERT ON AttendeeTrx", Operation::Remove},
                      InjectedFailure{"RemoveDiskFull", nullptr, Operation::Remove},
                      InjectedFailure{"PayEnrolment", "BEFORE UPDATE ON AttendeeSession", Operation::Pay},
                      InjectedFailure{"PayLedger", "BEFORE INSERT ON AttendeeTrx", Operation::Pay},
                      InjectedFailure{"PayDiskFull", nullptr, Operation::Pay}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(AttendeeMoney, ANewAttendeeWhoseSignUpFailsIsNotStoredAndStaysBeingAdded) {
  Start();
  OpenEditor(0);
  data->qAttendees->FieldByName("LastName")->SetAsString("O'Brien");
  camp.Execute("CREATE TRIGGER fail BEFORE INSERT ON AttendeeTrx BEGIN SELECT RAISE(ABORT,'injected'); END");
  ChooseSession(week2);
  Click(editor->BitBtn2, {mrYes, mrOk});
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees WHERE LastName = 'O''Brien'"), 0);
  EXPECT_EQ(data->qAttendees->State(), dsInsert);
  EXPECT_EQ(data->qAttendees->FieldByName("LastName")->AsString(), "O'Brien");
  camp.Execute("DROP TRIGGER fail");
  Click(editor->BitBtn2, {mrYes});
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees WHERE LastName = 'O''Brien'"), 1);
  ExpectMoneyAgrees("after the sign-up went through");
}

// Thousands of operations in random order on a few attendees, with prices changing, rooms being
// assigned, confirmations declined and, for a stretch, writes failing.
TEST_F(AttendeeMoney, ARandomSequenceOfOperationsKeepsEverythingInAgreement) {
  const int week3 = camp.AddSession("Week 3", EncodeDate(2030, 6, 16), EncodeDate(2030, 6, 21));
  camp.AddSessionType(week3, "D", "Day Camp", 4, 75.25);
  camp.AddSessionType(week3, "R", "Resident", 4, 310.5);
  const int room3 = camp.AddRoom(week3, "Lodge", "3", 6);
  std::vector<int> campers = {smith, jones};
  for (const char* name : {"Avery", "Blake", "Casey", "Drew"}) {
    const int camper = camp.AddAttendee(name, "Kim");
    camp.Execute("UPDATE Attendees SET TotalCharged = 0, TotalCredits = 0, BalanceDue = 0 WHERE CamperID = " + Id(camper));
    campers.push_back(camper);
  }
  const int sessions[] = {week1, week2, week3};
  const int rooms[] = {room1, room2, room3};
  Start();

  std::mt19937 random(20300602);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto quarters = [&](int max) { return (1 + pick(max * 4)) / 4.0; };
  const char* const triggers[] = {"BEFORE INSERT ON AttendeeTrx", "BEFORE UPDATE ON AttendeeSession",
                                  "BEFORE DELETE ON AttendeeSession", "BEFORE UPDATE ON Rooms"};
  int failures = 0;
  OpenEditor(campers[0]);
  for (int step = 0; step < 3000; ++step) {
    if (step == 1500) camp.Execute(String("CREATE TRIGGER fail ") + triggers[pick(4)] + " BEGIN SELECT RAISE(ABORT,'injected'); END");
    if (step == 1560) camp.Execute("DROP TRIGGER fail");
    if (step % 100 == 99) {
      CloseEditor();
      OpenEditor(campers[pick(static_cast<int>(campers.size()))]);
    }
    const int camper = CamperOfEditor();
    DialogResponder responder;
    responder.Answer(pick(8) == 0 ? mrNo : mrYes).Answer(mrOk);
    try {
      switch (pick(6)) {
        case 0:
        case 1:
          ChooseSession(sessions[pick(3)]);
          editor->ComboBox6->SetItemIndex(pick(editor->ComboBox6->Items()->Count()));
          editor->ComboBox4->SetItemIndex(pick(editor->ComboBox4->Items()->Count() + 1) - 1);
          editor->BitBtn2Click(editor->BitBtn2);
          break;
        case 2:
          if (data->qAttendeeSession->Active() && !data->qAttendeeSession->IsEmpty())
            data->qAttendeeSession->SetRecNo(1 + pick(data->qAttendeeSession->RecordCount()));
          editor->BitBtn3Click(editor->BitBtn3);
          break;
        case 3:
          if (editor->ComboBox3->Items()->Count() > 1) {
            editor->ComboBox3->SetItemIndex(1 + pick(editor->ComboBox3->Items()->Count() - 1));
            editor->ComboBox3Change(editor->ComboBox3);
          }
          EnterPayment(pick(5) == 0 ? quarters(400) : static_cast<double>(editor->VtCalcEdit2->Value()) / (1 + pick(3)),
                       "c" + Id(step));
          editor->BitBtn4Click(editor->BitBtn4);
          break;
        case 4:
          camp.Execute("UPDATE SessionSessionTypes SET TotalCosts = " + FloatToStr(quarters(300)) +
                       " WHERE SessionID = " + Id(sessions[pick(3)]));
          break;
        case 5: {
          const int which = pick(3);
          if (FreePlaces(rooms[which]) > 0 &&
              Count("SELECT COUNT(*) FROM AttendeeSession WHERE RoomID IS NULL AND SessionID = " + Id(sessions[which]) +
                    " AND CamperID = " + Id(camper)) == 1)
            PlaceInRoom(sessions[which], camper, rooms[which]);
          break;
        }
      }
    } catch (const Exception& e) {
      ++failures;
      EXPECT_NE(String(e.Message()).find("injected"), String::npos) << "step " << step << ": " << e.Message();
    }
    ExpectMoneyAgrees("step " + Id(step));
    EXPECT_EQ(data->qAttendees->State(), dsEdit) << "step " << step;
    if (HasFailure()) break;
  }
  EXPECT_GT(failures, 0) << "the failing stretch was reached";
  EXPECT_GT(Count("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo = 'Credit'"), 10);
  EXPECT_GT(Count("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo LIKE 'c%'"), 10);
}

// Amounts binary fractions cannot hold, typed as an office types them: each case signs up for
// its prices (one session each) and pays its payments on those enrolments, which settles them.
struct DriftingAmounts {
  const char* name;
  std::vector<const char*> prices;
  std::vector<std::pair<int, const char*>> payments;  // enrolment (index into prices), amount
};

std::vector<DriftingAmounts> DriftingCases() {
  std::vector<std::pair<int, const char*>> cents(10, {0, "0.01"});
  return {{"10.00 + 12.12", {"10.00", "12.12"}, {{0, "10.00"}, {1, "12.12"}}},
          {"74.30 paid as 74.20 + 0.10", {"74.30"}, {{0, "74.20"}, {0, "0.10"}}},
          {"0.10 paid ten times as 0.01", {"0.10"}, cents},
          {"19.99 x 3 less 59.97", {"19.99", "19.99", "19.99"}, {{0, "19.99"}, {1, "19.99"}, {2, "19.99"}}}};
}

TEST_F(AttendeeMoney, BalancesOfAmountsThatDriftInBinarySettleExactly) {
  const int week3 = camp.AddSession("Week 3", EncodeDate(2030, 6, 16), EncodeDate(2030, 6, 21));
  camp.AddSessionType(week3, "D", "Day Camp", 4);
  const int sessions[] = {week1, week2, week3};
  const std::vector<DriftingAmounts> cases = DriftingCases();
  std::vector<int> campers;
  for (const DriftingAmounts& c : cases) campers.push_back(camp.AddAttendee(c.name, "Zoë"));
  Start();
  for (size_t i = 0; i < cases.size(); ++i) {
    const DriftingAmounts& c = cases[i];
    OpenEditor(campers[i]);
    editor->PageControl1->SetActivePage(editor->TabSheet5);
    for (size_t p = 0; p < c.prices.size(); ++p) {
      camp.Execute("UPDATE SessionSessionTypes SET TotalCosts = " + String(c.prices[p]) +
                   " WHERE Type = 'D' AND SessionID = " + Id(sessions[p]));
      ChooseSession(sessions[p]);
      ChooseType("Day Camp");
      Click(editor->BitBtn2, {mrYes});
    }
    editor->PageControl1->SetActivePage(editor->TabSheet6);
    for (const auto& [enrolment, amount] : c.payments) {
      ChooseOpenSession(sessions[enrolment]);
      editor->VtCalcEdit1->SetFocus();
      TypeText(editor->VtCalcEdit1, amount);
      editor->Edit2->SetText("100");
      EXPECT_EQ(Texts(Click(editor->BitBtn4, {mrOk})), "") << c.name << ", paying " << amount;
    }
    const String where = " FROM Attendees WHERE CamperID = " + Id(campers[i]);
    EXPECT_EQ(Stored("SELECT BalanceDue" + where), 0.0) << c.name;
    EXPECT_EQ(camp.Value("SELECT typeof(BalanceDue)" + where).AsString(), "integer") << c.name << ": exactly 0";
    EXPECT_EQ(data->qAttendees->FieldByName("BalanceDue")->AsCurrency(), Currency()) << c.name;
    ExpectMoneyAgrees(c.name);
    CloseEditor();
    OpenEditor(campers[i]);
    EXPECT_EQ(editor->ComboBox3->Items()->Text(), "None\n") << c.name << ": no open session left";
    CloseEditor();
  }
}

TEST_F(AttendeeMoney, AmountsThatAreNoNumberOrOutsideTheCurrencyRangeAreRefusedBeforeAnythingIsWritten) {
  OweOnWeek2();
  const String range = " is not a number from -922337203685477.5808 to 922337203685477.5807.";
  const struct {
    long double amount;
    const char* refusal;
  } cases[] = {{1e400L, "The amount 1"}, {-1e308, "The amount -1E308"}, {-1e308, "The amount -1E308"},
               {922337203685478.0L, "The amount 922337203685478"}};
  const int rows = Count("SELECT COUNT(*) FROM AttendeeTrx");
  for (const auto& c : cases) {
    ChooseOpenSession(week2);
    editor->VtCalcEdit1->SetValue(c.amount);
    editor->Edit2->SetText("66");
    const String shown = Texts(Click(editor->BitBtn4, {mrOk}));
    EXPECT_EQ(shown.substr(0, 7 + strlen(c.refusal)), "Error: " + String(c.refusal)) << shown;
    EXPECT_TRUE(shown.size() > range.size() && shown.substr(shown.size() - range.size()) == range) << shown;
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), rows);

  // A total that would leave the range is refused as a whole; the payment before it stands.
  ChooseOpenSession(week2);
  EnterPayment(-900000000000000.0, "67");
  EXPECT_EQ(Texts(Click(editor->BitBtn4, {mrOk})), "");
  EXPECT_EQ(Person("BalanceDue", jones), 900000000000150.0);
  ChooseOpenSession(week2);
  EnterPayment(-900000000000000.0, "68");
  EXPECT_EQ(Texts(Click(editor->BitBtn4, {mrOk})),
            "Error: The amount is outside the currency range of -922337203685477.5808 to 922337203685477.5807");
  EXPECT_EQ(Person("BalanceDue", jones), 900000000000150.0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo = '68'"), 0);
  EXPECT_EQ(Enrolment("BalanceDue", week2, jones), 900000000000150.0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), rows + 1);
  ChooseOpenSession(week2);
  EXPECT_EQ(editor->VtCalcEdit2->Value(), 900000000000150.0L) << "the session can be chosen again";
}

// Another copy of the program (the fixture's own connection) takes a payment on the attendee
// while this editor is open on it: this editor's payment adds to it.
TEST_F(AttendeeMoney, APaymentAddsToOneAnotherCopyMadeMeanwhile) {
  OweOnWeek2();
  ChooseOpenSession(week2);
  const String person = " WHERE CamperID = " + Id(jones);
  const auto otherCopyPays = [&](const String& amount) {
    camp.Execute("UPDATE Attendees SET TotalCredits = TotalCredits + " + amount + ", BalanceDue = BalanceDue - " +
                 amount + person);
    camp.Execute("UPDATE AttendeeSession SET AmountPaid = AmountPaid + " + amount + ", BalanceDue = BalanceDue - " +
                 amount + person + " AND SessionID = " + Id(week2));
    camp.Execute("INSERT INTO AttendeeTrx (CamperID, SessionID, AmountPaid, CheckNo) VALUES (" + Id(jones) + ", " +
                 Id(week2) + ", -" + amount + ", 'other')");
  };
  otherCopyPays("50");

  EnterPayment(60, "1234");
  EXPECT_EQ(Texts(Click(editor->BitBtn4, {mrOk})), "");
  EXPECT_EQ(Person("TotalCredits", jones), 110);
  EXPECT_EQ(Person("BalanceDue", jones), 40);
  EXPECT_EQ(Enrolment("AmountPaid", week2, jones), 110);
  EXPECT_EQ(Enrolment("BalanceDue", week2, jones), 40);
  EXPECT_EQ(data->qAttendees->FieldByName("TotalCredits")->AsFloat(), 110);
  EXPECT_EQ(editor->VtCalcEdit2->Value(), 40);
  ExpectMoneyAgrees("after both payments");

  // More than the enrolment still owes once the other copy paid again: refused against what is
  // stored, not what the editor shows, and nothing is written.
  otherCopyPays("30");
  EnterPayment(20, "1235");
  EXPECT_EQ(Texts(Click(editor->BitBtn4, {mrOk})), "Error: You can't make a payment for more than the amount owed.");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo = '1235'"), 0);
  EXPECT_EQ(Enrolment("BalanceDue", week2, jones), 10);
  ExpectMoneyAgrees("after the refusal");
}

}  // namespace
}  // namespace vt::test
