// Chaperone enrolment, invoices and payroll through the real editor: the person's totals, the
// enrolment rows and the ledger agree after every step, refusals write nothing, and a failure
// part way through an operation leaves data and form as they were.
#include <map>
#include <random>

#include "db/Fields.h"
#include "rtl/FloatFormat.h"
#include "tests/app/ChaperoneEditorFixture.h"
#include "ui/grids/DBGrids.h"

namespace {

using vt::ShownDialog;
using vt::test::ChaperoneEditorTest;
using vt::test::Texts;

TField* Chaperone(const char* column) { return SQLDataModule->qChaperones->FieldByName(column); }

// The "Payroll Amount" the editor shows.
double Payroll(TAddEditChaperonesForm* e) { return static_cast<double>(e->VtCalcEdit1->Value()); }

class ChaperoneMoneyTest : public ChaperoneEditorTest {
protected:
  // Person totals = invoices less payments = the ledger's sum; the fees owed are the enrolments'
  // fees; each enrolment owes its fee less what was paid on it; the payroll total is the pay
  // list's sum; a coaches room's free places are its size less its occupants; and the edited
  // row's pending totals are the stored ones.
  void ExpectLayersAgree(TAddEditChaperonesForm* e, const String& step) {
    const String where = " WHERE ChaperoneID = " + Id(coach);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM Chaperones WHERE " + vt::test::Drifted({"TotalOwed", "TotalPaid", "BalanceOwed"}) +
                     " OR EXISTS (SELECT 1 FROM ChaperoneSession WHERE " +
                     vt::test::Drifted({"TotalFee", "AmountPaid", "BalanceOwed"}) +
                     ") OR EXISTS (SELECT 1 FROM ChaperoneTrx WHERE " + vt::test::Drifted({"AmountPaid"}) +
                     ") OR EXISTS (SELECT 1 FROM PayChaperones WHERE " + vt::test::Drifted({"Amount"}) + ")"),
              0)
        << "amounts stored as whole 1/10,000s, " << step;
    const auto units = [&](const String& amount, const String& from) {
      return Count("SELECT COALESCE(SUM(" + vt::test::Units(amount) + "), 0) FROM " + from + where);
    };
    const std::int64_t owed = units("TotalOwed", "Chaperones");
    const std::int64_t paid = units("TotalPaid", "Chaperones");
    const std::int64_t balance = units("BalanceOwed", "Chaperones");
    EXPECT_EQ(balance, owed - paid) << step;
    EXPECT_EQ(balance, units("AmountPaid", "ChaperoneTrx")) << step;
    EXPECT_EQ(owed, units("TotalFee", "ChaperoneSession")) << step;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ChaperoneSession" + where + " AND " + vt::test::Units("BalanceOwed") + " <> " +
                    vt::test::Units("TotalFee") + " - " + vt::test::Units("AmountPaid")),
              0)
        << step;
    EXPECT_EQ(FloatToCurr(e->VtCalcEdit1->Value()).Count(), units("Amount", "PayChaperones")) << step;
    EXPECT_EQ(Number("SELECT COUNT(*) FROM CoachesRooms r WHERE NumberAvailable <> NumberInRoom - "
                     "(SELECT COUNT(*) FROM ChaperoneSession s WHERE s.RoomID = r.RoomID)"),
              0)
        << step;
    EXPECT_EQ(Chaperone("TotalOwed")->AsCurrency().Count(), owed) << step;
    EXPECT_EQ(Chaperone("TotalPaid")->AsCurrency().Count(), paid) << step;
    EXPECT_EQ(Chaperone("BalanceOwed")->AsCurrency().Count(), balance) << step;
  }
  std::int64_t Count(const String& sql) { return camp.Value(sql).AsInt64(); }

  // Everything an operation may write, as text.
  String Stored() {
    auto rows = [&](const String& sql) { return camp.Value("SELECT ifnull(group_concat(r, ';'), '') FROM (" + sql + ")").AsString(); };
    return rows("SELECT TotalOwed || ',' || TotalPaid || ',' || BalanceOwed AS r FROM Chaperones") + "|" +
           rows("SELECT SessionID || ',' || ChaperoneID || ',' || ifnull(SessionType, '') || ',' || TotalFee || ',' || "
                "AmountPaid || ',' || BalanceOwed || ',' || ifnull(RoomID, '') AS r FROM ChaperoneSession "
                "ORDER BY SessionID, ChaperoneID") +
           "|" + rows("SELECT PaymentID || ',' || AmountPaid || ',' || CheckNo AS r FROM ChaperoneTrx ORDER BY PaymentID") +
           "|" + rows("SELECT SessionID || ',' || Amount AS r FROM PayChaperones ORDER BY SessionID") + "|" +
           rows("SELECT RoomID || ',' || NumberAvailable AS r FROM CoachesRooms ORDER BY RoomID");
  }

  // What the form shows that an operation may change.
  static String Shown(TAddEditChaperonesForm* e) {
    String shown = FloatToStr(Payroll(e)) + "|" + e->Edit2->Text();
    for (const char* column : {"TotalOwed", "TotalPaid", "BalanceOwed"}) shown += "|" + Chaperone(column)->AsString();
    for (TDBGrid* grid : {e->DBGrid2, e->DBGrid1, e->DBGrid3, e->DBGrid4}) {
      TDataSet* rows = grid->DataSource()->DataSet();
      shown += "|" + IntToStr(rows->Active() ? rows->RecordCount() : -1);
    }
    return shown;
  }

  void Enrolment(int session, double fee, double paid, double owed, const String& step) {
    const String where = " FROM ChaperoneSession WHERE SessionID = " + Id(session) + " AND ChaperoneID = " + Id(coach);
    EXPECT_EQ(Number("SELECT TotalFee" + where), fee) << step;
    EXPECT_EQ(Number("SELECT AmountPaid" + where), paid) << step;
    EXPECT_EQ(Number("SELECT BalanceOwed" + where), owed) << step;
  }

  void Person(double owed, double paid, double balance, const String& step) {
    const String where = " FROM Chaperones WHERE ChaperoneID = " + Id(coach);
    EXPECT_EQ(Number("SELECT TotalOwed" + where), owed) << step;
    EXPECT_EQ(Number("SELECT TotalPaid" + where), paid) << step;
    EXPECT_EQ(Number("SELECT BalanceOwed" + where), balance) << step;
  }

  String LastLedgerRow() {
    return camp.Value("SELECT SessionID || ' ' || printf('%g', AmountPaid) || ' ' || CheckNo FROM ChaperoneTrx ORDER BY PaymentID DESC LIMIT 1")
        .AsString();
  }

  static void SignUp(TAddEditChaperonesForm* e, int session) {
    Show(e, e->TabSheet2);
    ChooseSession(session);
    const std::vector<ShownDialog> shown = Press(e->BitBtn2, {mrYes});
    ASSERT_EQ(shown.size(), 1u) << Texts(shown);
    EXPECT_EQ(shown[0].Caption, "Confirm Sign Up");
  }

  static void AddToPayList(TAddEditChaperonesForm* e, int session, double amount, const String& refusal = "") {
    Show(e, e->TabSheet4);
    ASSERT_TRUE(SQLDataModule->tChaperoneSessions->Locate("SessionID", Variant(session), {}));
    e->VtCalcEdit2->SetValue(amount);
    EXPECT_EQ(Texts(Press(e->BitBtn11, {mrOk})), refusal.empty() ? "" : "Error: " + refusal) << amount;
  }
};

TEST_F(ChaperoneMoneyTest, APayrollCycleKeepsTheThreeLayersInAgreement) {
  const int room = camp.AddRoom(week1, "Inn", "C1", 2, /*forChaperones=*/true);
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    Person(300, 0, 300, "sign up");
    Enrolment(week1, 300, 0, 300, "sign up");
    EXPECT_EQ(camp.Value("SELECT SessionType FROM ChaperoneSession WHERE SessionID = " + Id(week1)).AsString(), "R");
    EXPECT_EQ(LastLedgerRow(), Id(week1) + " 300 Invoice");
    EXPECT_EQ(e->DBGrid2->DataSource()->DataSet()->RecordCount(), 1);
    EXPECT_EQ(e->DBGrid1->DataSource()->DataSet()->RecordCount(), 1);
    ExpectLayersAgree(e, "sign up");

    SignUp(e, week2);
    Person(600, 0, 600, "second sign up");
    ExpectLayersAgree(e, "second sign up");
    EXPECT_EQ(Texts(Press(e->BitBtn2, {mrOk})), "Error: This Chaperone is already signed up for this Session");
    Person(600, 0, 600, "sign up twice");

    // The room assignment places the first enrolment in the coaches room.
    camp.Execute("UPDATE ChaperoneSession SET RoomID = " + Id(room) + " WHERE SessionID = " + Id(week1));
    camp.Execute("UPDATE CoachesRooms SET NumberAvailable = 1 WHERE RoomID = " + Id(room));

    vt::SetClockForTests(EncodeDate(2030, 6, 14) + 0.75);
    Show(e, e->TabSheet4);
    EXPECT_EQ(Texts(Press(e->BitBtn6)), "");
    EXPECT_EQ(SQLDataModule->tPayChaperones->RecordCount(), 2);
    EXPECT_EQ(Payroll(e), 600);
    ExpectLayersAgree(e, "add all ended");

    e->Edit2->SetText("1001");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Posting Complete: Payments have been credited.");
    Person(600, 600, 0, "pay");
    Enrolment(week1, 300, 300, 0, "pay");
    Enrolment(week2, 300, 300, 0, "pay");
    EXPECT_EQ(LastLedgerRow(), Id(week2) + " -300 1001");
    EXPECT_TRUE(SQLDataModule->tPayChaperones->IsEmpty());
    EXPECT_EQ(e->Edit2->Text(), "");
    ExpectLayersAgree(e, "pay");

    AddToPayList(e, week1, 300, "You can't pay more than is owed.");
    EXPECT_EQ(Texts(Press(e->BitBtn6)), "");  // paid sessions enter with 0
    EXPECT_EQ(SQLDataModule->tPayChaperones->RecordCount(), 2);
    EXPECT_EQ(Payroll(e), 0);
    EXPECT_EQ(Texts(Press(e->BitBtn4)), "");  // a total of 0 pays nothing
    Person(600, 600, 0, "pay again");
    ExpectLayersAgree(e, "pay again");

    Show(e, e->TabSheet2);
    ASSERT_TRUE(SQLDataModule->qChaperoneSession->Locate("SessionID", Variant(week1), {}));
    ChooseSession(week2);
    EXPECT_EQ(Texts(Press(e->BitBtn3, {mrYes})), "Confirm Removal: Remove this Chaperone from this Session?");
    Person(300, 600, -300, "remove");
    EXPECT_EQ(LastLedgerRow(), Id(week1) + " -300 Credit");
    EXPECT_EQ(Number("SELECT NumberAvailable FROM CoachesRooms WHERE RoomID = " + Id(room)), 2);
    EXPECT_EQ(SQLDataModule->qChaperoneSession->RecordCount(), 1);
    ExpectLayersAgree(e, "remove");
  });
}

TEST_F(ChaperoneMoneyTest, RemoveCreditsTheEnrolmentsOwnFeeAfterTheSalaryChanged) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    Chaperone("SalaryPerSession")->SetAsFloat(350);
    Show(e, e->TabSheet2);
    EXPECT_EQ(Texts(Press(e->BitBtn3, {mrYes})), "Confirm Removal: Remove this Chaperone from this Session?");
    Person(0, 0, 0, "remove");
    EXPECT_EQ(LastLedgerRow(), Id(week1) + " -300 Credit");
    SignUp(e, week1);
    Enrolment(week1, 350, 0, 350, "sign up at the new salary");
    ExpectLayersAgree(e, "sign up at the new salary");
  });
}

TEST_F(ChaperoneMoneyTest, DecliningOrBeingRefusedWritesNothing) {
  camp.Execute("UPDATE CoSys SET Chaperones = 'Coach', Sessions = 'Week', SessionsP = ''");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    const String before = Stored();
    Show(e, e->TabSheet2);
    EXPECT_EQ(Texts(Press(e->BitBtn3, {mrOk})), "Error: This Coach is not signed up for any active Sessions");
    ChooseSession(week1);
    EXPECT_EQ(Texts(Press(e->BitBtn2, {mrNo})), "Confirm Sign Up: Sign this Coach up for this Week?");
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Texts(Press(e->BitBtn2, {mrYes})), "Confirm Sign Up: Sign this Coach up for this Week?");
    EXPECT_EQ(Texts(Press(e->BitBtn2, {mrOk})), "Error: This Coach is already signed up for this Week");
    const String signedUp = Stored();
    EXPECT_EQ(Texts(Press(e->BitBtn3, {mrNo})), "Confirm Removal: Remove this Coach from this Week?");
    EXPECT_EQ(Stored(), signedUp);
    ChooseSession(week2);
    Chaperone("SalaryPerSession")->SetAsFloat(1e300);
    EXPECT_EQ(Texts(Press(e->BitBtn2, {mrOk})),
              "Error: The salary 1E300 is not an amount from -922337203685477.5808 to 922337203685477.5807.");
    EXPECT_EQ(Stored(), signedUp);
    Chaperone("SalaryPerSession")->SetAsFloat(300);
  });
}

TEST_F(ChaperoneMoneyTest, AddingToThePayListChecksTheAmountAgainstWhatIsOwed) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    struct Case {
      double amount;
      const char* refusal;
      int rows;
      double total;
    };
    const Case cases[] = {
        {301, "You can't pay more than is owed.", 0, 0},
        {0, "", 0, 0},  // ignored
        {300, "", 1, 300},
        {300, "You can't pay the same invoice twice.", 1, 300},
        {299.75, "You can't pay the same invoice twice.", 1, 300},
    };
    for (const Case& c : cases) {
      AddToPayList(e, week1, c.amount, c.refusal);
      EXPECT_EQ(SQLDataModule->tPayChaperones->RecordCount(), c.rows) << c.amount;
      EXPECT_EQ(Payroll(e), c.total) << c.amount;
    }
    EXPECT_EQ(Texts(Press(e->BitBtn5)), "");
    EXPECT_TRUE(SQLDataModule->tPayChaperones->IsEmpty());
    EXPECT_EQ(Payroll(e), 0);
    AddToPayList(e, week1, -25.5);  // a negative amount is accepted
    EXPECT_EQ(Payroll(e), -25.5);
    ExpectLayersAgree(e, "negative amount");

    // Enter in the amount adds as the button does.
    Press(e->BitBtn5);
    e->VtCalcEdit2->SetFocus();
    e->VtCalcEdit2->SetValue(120);
    vt::SendKey(e->VtCalcEdit2, VK_RETURN);
    EXPECT_EQ(Payroll(e), 120);
  });
}

TEST_F(ChaperoneMoneyTest, AddAllTakesTheSessionsThatEndedOnOrBeforeToday) {
  const int tomorrow = camp.AddSession("Week 3", EncodeDate(2030, 6, 12), EncodeDate(2030, 6, 15));
  camp.AddSessionType(tomorrow, "R", "Resident", 2);
  SQLDataModule->qSessions->Close();
  SQLDataModule->qSessions->Open();
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    for (int session : {week1, week2, tomorrow}) SignUp(e, session);
    AddToPayList(e, week1, 100);
    e->Edit2->SetText("77");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Posting Complete: Payments have been credited.");
    vt::SetClockForTests(EncodeDate(2030, 6, 14) + 0.99);
    EXPECT_EQ(Texts(Press(e->BitBtn6)), "");
    TADOTable* payList = SQLDataModule->tPayChaperones;
    std::map<int, double> amounts;
    for (payList->First(); !payList->Eof(); payList->Next())
      amounts[payList->FieldByName("SessionID")->AsInteger()] = payList->FieldByName("Amount")->AsFloat();
    EXPECT_EQ(amounts, (std::map<int, double>{{week1, 200}, {week2, 300}}));
    EXPECT_EQ(Payroll(e), 500);
    for (int line = 0; line < 3; ++line) EXPECT_EQ(SQLDataModule->qMisc2->SQL()->Strings(line), "") << line;
  });
}

TEST_F(ChaperoneMoneyTest, ANewChaperoneIsSavedByItsFirstSignUp) {
  RunEditor(0, [&](TAddEditChaperonesForm* e) {
    Chaperone("FirstName")->SetAsString("Robin");
    Chaperone("SalaryPerSession")->SetAsFloat(120);
    camp.Execute("CREATE TRIGGER fail BEFORE INSERT ON ChaperoneTrx BEGIN SELECT RAISE(ABORT, 'injected'); END");
    Show(e, e->TabSheet2);
    ChooseSession(week2);
    Press(e->BitBtn2, {mrYes, mrOk});
    camp.Execute("DROP TRIGGER fail");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM Chaperones WHERE FirstName = 'Robin'"), 0);
    EXPECT_EQ(SQLDataModule->qChaperones->State(), dsInsert);
    EXPECT_EQ(Chaperone("FirstName")->AsString(), "Robin");
    EXPECT_EQ(Chaperone("TotalOwed")->AsFloat(), 0);

    SignUp(e, week2);
    const int robin = Chaperone("ChaperoneID")->AsInteger();
    ASSERT_NE(robin, 0);
    EXPECT_EQ(camp.Value("SELECT FirstName FROM Chaperones WHERE ChaperoneID = " + Id(robin)).AsString(), "Robin");
    EXPECT_EQ(Number("SELECT TotalOwed FROM Chaperones WHERE ChaperoneID = " + Id(robin)), 120);
    EXPECT_EQ(SQLDataModule->qChaperoneSession->RecordCount(), 1);
    EXPECT_EQ(SQLDataModule->qChaperoneSession->FieldByName("ChaperoneID")->AsInteger(), robin);
  });
}

TEST_F(ChaperoneMoneyTest, APaymentOfASessionPaidMeanwhileIsRefusedBeforeAnythingIsWritten) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    SignUp(e, week2);
    AddToPayList(e, week1, 300);
    AddToPayList(e, week2, 300);
    // Another copy of the program pays the second session meanwhile.
    camp.Execute("UPDATE ChaperoneSession SET AmountPaid = 300, BalanceOwed = 0 WHERE SessionID = " + Id(week2));
    const String stored = Stored();
    const String shown = Shown(e);
    e->Edit2->SetText("9");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Error: You can't pay the same invoice twice.");
    EXPECT_EQ(Stored(), stored);
    EXPECT_EQ(Shown(e), shown.substr(0, shown.find('|')) + "|9" + shown.substr(shown.find('|', shown.find('|') + 1)));

    // Or removes the first enrolment: that one is no longer there to pay.
    camp.Execute("UPDATE ChaperoneSession SET AmountPaid = 0, BalanceOwed = 300 WHERE SessionID = " + Id(week2));
    camp.Execute("DELETE FROM ChaperoneSession WHERE SessionID = " + Id(week1));
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})),
              "Error: This Chaperone is no longer signed up for Session " + Id(week1) +
                  ": another user removed it. Nothing was saved.");
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ChaperoneSession WHERE SessionID = " + Id(week1)), 0);
  });
}

// Another copy of the program works on the same chaperone's pay list meanwhile: "Add all ended
// unpaid sessions" replaces the whole list instead of meeting that copy's row, and Pay refuses a
// list that no longer adds up to the total shown, showing the list as stored.
TEST_F(ChaperoneMoneyTest, APayListAnotherCopyChangedIsReplacedOrRefusedWithTheReason) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    SignUp(e, week2);
    vt::SetClockForTests(EncodeDate(2030, 6, 14) + 0.75);
    Show(e, e->TabSheet4);
    camp.Insert("PayChaperones", {{"ChaperoneID", coach}, {"SessionID", week1}, {"Amount", 5}});
    EXPECT_EQ(Texts(Press(e->BitBtn6, {mrOk})), "");
    EXPECT_EQ(camp.Value("SELECT group_concat(SessionID || '=' || Amount) FROM PayChaperones").AsString(),
              Id(week1) + "=300," + Id(week2) + "=300");
    ExpectLayersAgree(e, "add all over another copy's row");

    camp.Execute("DELETE FROM PayChaperones WHERE SessionID = " + Id(week2));
    const String stored = Stored();
    e->Edit2->SetText("1002");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})),
              "Error: The pay list was changed by another user: nothing was paid. It now shows what is stored.");
    EXPECT_EQ(Stored(), stored);
    EXPECT_EQ(SQLDataModule->tPayChaperones->RecordCount(), 1);
    ExpectLayersAgree(e, "a pay list changed meanwhile");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Posting Complete: Payments have been credited.");
    ExpectLayersAgree(e, "the list as stored paid");
  });
}

// A failure part way through each operation: the reason is shown, and the stored rows and what
// the form shows are as they were, the user's pending change included.
TEST_F(ChaperoneMoneyTest, AFailurePartWayLeavesDataAndFormAsTheyWere) {
  const int room = camp.AddRoom(week1, "Inn", "C1", 2, /*forChaperones=*/true);
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    camp.Execute("UPDATE ChaperoneSession SET RoomID = " + Id(room) + " WHERE SessionID = " + Id(week1));
    camp.Execute("UPDATE CoachesRooms SET NumberAvailable = 1 WHERE RoomID = " + Id(room));
    struct Step {
      const char* name;
      std::function<void()> prepare;
      String trigger;
      std::function<std::vector<ShownDialog>()> act;
    };
    const Step steps[] = {
        {"sign up", [&] { Show(e, e->TabSheet2); ChooseSession(week2); },
         "BEFORE INSERT ON ChaperoneTrx", [&] { return Press(e->BitBtn2, {mrYes, mrOk}); }},
        {"remove",
         [&] {
           SignUp(e, week2);
           ASSERT_TRUE(SQLDataModule->qChaperoneSession->Locate("SessionID", Variant(week1), {}));
         },
         "BEFORE INSERT ON ChaperoneTrx", [&] { return Press(e->BitBtn3, {mrYes, mrOk}); }},
        {"add all ended",
         [&] {
           vt::SetClockForTests(EncodeDate(2030, 6, 20));
           AddToPayList(e, week1, 50);
         },
         "BEFORE INSERT ON PayChaperones WHEN NEW.SessionID = " + Id(week2),
         [&] { return Press(e->BitBtn6, {mrOk}); }},
        {"pay",
         [&] {
           Press(e->BitBtn6);
           e->Edit2->SetText("12");
         },
         "BEFORE INSERT ON ChaperoneTrx WHEN NEW.SessionID = " + Id(week2),
         [&] { return Press(e->BitBtn4, {mrOk}); }},
    };
    for (const Step& step : steps) {
      step.prepare();
      const String pending = "Renamed " + IntToStr(&step - steps);
      Chaperone("LastName")->SetAsString(pending);
      const String stored = Stored();
      const String shown = Shown(e);
      camp.Execute("CREATE TRIGGER fail " + step.trigger + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
      const std::vector<ShownDialog> boxes = step.act();
      camp.Execute("DROP TRIGGER fail");
      ASSERT_FALSE(boxes.empty()) << step.name;
      EXPECT_NE(boxes.back().Text.find("injected"), String::npos) << step.name << ": " << Texts(boxes);
      EXPECT_EQ(Stored(), stored) << step.name;
      EXPECT_EQ(Shown(e), shown) << step.name;
      EXPECT_EQ(SQLDataModule->qChaperones->State(), dsEdit) << step.name;
      EXPECT_EQ(Chaperone("LastName")->AsString(), pending) << step.name;
    }
    EXPECT_EQ(Number("SELECT NumberAvailable FROM CoachesRooms WHERE RoomID = " + Id(room)), 1);
  });
}

// Thousands of operations chosen and answered at random, with failures injected from the middle
// on: after each the layers agree, and an operation that failed changed nothing.
TEST_F(ChaperoneMoneyTest, ARandomSequenceKeepsTheLayersInAgreement) {
  const int week3 = camp.AddSession("Week 3", EncodeDate(2030, 6, 16), EncodeDate(2030, 6, 21));
  camp.AddSessionType(week3, "R", "Resident", 2);
  const int sessions[] = {week1, week2, week3};
  for (int session : sessions) camp.AddRoom(session, "Inn", "C" + Id(session), 1 + session % 2, /*forChaperones=*/true);
  SQLDataModule->qSessions->Close();
  SQLDataModule->qSessions->Open();
  std::mt19937 random(14);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto quarters = [&](int from, int to) { return (from * 4 + below((to - from) * 4 + 1)) / 4.0; };
  auto pickRow = [&](TDataSet* rows) {
    if (!rows->IsEmpty()) rows->SetRecNo(1 + below(rows->RecordCount()));
  };
  int failures = 0;
  std::map<String, int> done;
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
      if (i == 1500) {
        for (const char* trigger : {
                 "f1 BEFORE INSERT ON ChaperoneTrx WHEN (SELECT COUNT(*) FROM ChaperoneTrx) % 5 = 2",
                 "f2 BEFORE INSERT ON PayChaperones WHEN (SELECT COUNT(*) FROM PayChaperones) >= 2",
                 "f3 BEFORE DELETE ON ChaperoneSession WHEN OLD.RoomID IS NOT NULL",
                 "f4 BEFORE UPDATE ON ChaperoneSession WHEN NEW.AmountPaid > 450"})
          camp.Execute(String("CREATE TRIGGER ") + trigger + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
      }
      const int answer = below(4) ? mrYes : mrNo;
      TButton* button = nullptr;
      String name;
      switch (below(10)) {
        case 0: ChooseSession(sessions[below(3)]); name = "choose session"; break;
        case 1: Show(e, e->TabSheet2); button = e->BitBtn2; name = "sign up"; break;
        case 2: Show(e, e->TabSheet2); pickRow(SQLDataModule->qChaperoneSession); button = e->BitBtn3; name = "remove"; break;
        case 3: Chaperone("SalaryPerSession")->SetAsFloat(quarters(0, 400)); name = "salary"; break;
        case 4:
          Show(e, e->TabSheet4);
          pickRow(SQLDataModule->tChaperoneSessions);
          e->VtCalcEdit2->SetValue(quarters(-50, 350));
          button = e->BitBtn11;
          name = "add";
          break;
        case 5: Show(e, e->TabSheet4); button = e->BitBtn6; name = "add all ended"; break;
        case 6: Show(e, e->TabSheet4); button = e->BitBtn5; name = "clear"; break;
        case 7: Show(e, e->TabSheet4); e->Edit2->SetText(IntToStr(i)); button = e->BitBtn4; name = "pay"; break;
        case 8: vt::SetClockForTests(EncodeDate(2030, 6, 1) + below(26) + 0.5); name = "time passes"; break;
        default:
          // The room page places an enrolment without a room in a room of its session with a place.
          camp.Execute("UPDATE ChaperoneSession SET RoomID = (SELECT RoomID FROM CoachesRooms r WHERE r.SessionID = "
                       "ChaperoneSession.SessionID AND NumberAvailable > 0) WHERE rowid = (SELECT s.rowid FROM "
                       "ChaperoneSession s JOIN CoachesRooms r ON r.SessionID = s.SessionID WHERE s.RoomID IS NULL "
                       "AND r.NumberAvailable > 0 LIMIT 1)");
          camp.Execute("UPDATE CoachesRooms SET NumberAvailable = NumberInRoom - (SELECT COUNT(*) FROM "
                       "ChaperoneSession s WHERE s.RoomID = CoachesRooms.RoomID)");
          name = "place in a room";
      }
      const String stored = Stored();
      const String shown = Shown(e);
      const String step = IntToStr(i) + " " + name;
      if (button) {
        const std::vector<ShownDialog> boxes = Press(button, {answer, mrOk, mrOk});
        if (!boxes.empty() && boxes.back().Text.find("injected") != String::npos) {
          ++failures;
          EXPECT_EQ(Stored(), stored) << step;
          EXPECT_EQ(Shown(e), shown) << step;
        } else if (Stored() != stored) {
          ++done[name];
        }
      }
      ExpectLayersAgree(e, step);
    }
  });
  EXPECT_GT(failures, 20);
  for (const char* name : {"sign up", "remove", "add", "add all ended", "clear", "pay"})
    EXPECT_GT(done[name], 20) << name;
}

// Amounts binary fractions cannot hold, typed as an office types them: the chaperone is signed
// up at each salary (one session each) and paid each payment with a pay list of its own, which
// settles what is owed.
TEST_F(ChaperoneMoneyTest, BalancesOfAmountsThatDriftInBinarySettleExactly) {
  struct Case {
    const char* name;
    std::vector<const char*> salaries;
    std::vector<std::pair<int, const char*>> payments;  // enrolment (index into salaries), amount
  };
  const std::vector<Case> cases = {
      {"10.00 + 12.12", {"10.00", "12.12"}, {{0, "10.00"}, {1, "12.12"}}},
      {"74.30 paid as 74.20 + 0.10", {"74.30"}, {{0, "74.20"}, {0, "0.10"}}},
      {"0.10 paid ten times as 0.01", {"0.10"}, std::vector<std::pair<int, const char*>>(10, {0, "0.01"})},
      {"59.97 less 19.99 x 3", {"59.97"}, {{0, "19.99"}, {0, "19.99"}, {0, "19.99"}}}};
  const int sessions[] = {week1, week2};
  for (const Case& c : cases) {
    camp.Execute("DELETE FROM ChaperoneSession");
    camp.Execute("DELETE FROM ChaperoneTrx");
    camp.Execute("UPDATE Chaperones SET TotalOwed = 0, TotalPaid = 0, BalanceOwed = 0");
    SQLDataModule->qChaperones->Close();
    SQLDataModule->qChaperones->Open();
    RunEditor(coach, [&](TAddEditChaperonesForm* e) {
      for (size_t s = 0; s < c.salaries.size(); ++s) {
        Chaperone("SalaryPerSession")->SetAsString(c.salaries[s]);
        SignUp(e, sessions[s]);
      }
      for (const auto& [enrolment, amount] : c.payments) {
        Show(e, e->TabSheet4);
        ASSERT_TRUE(SQLDataModule->tChaperoneSessions->Locate("SessionID", Variant(sessions[enrolment]), {}));
        e->VtCalcEdit2->SetText(amount);
        EXPECT_EQ(Texts(Press(e->BitBtn11, {mrOk})), "") << c.name << ", adding " << amount;
        e->Edit2->SetText("500");
        EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Posting Complete: Payments have been credited.")
            << c.name << ", paying " << amount;
        ExpectLayersAgree(e, String(c.name) + ", paid " + amount);
      }
      EXPECT_EQ(Number("SELECT BalanceOwed FROM Chaperones WHERE ChaperoneID = " + Id(coach)), 0.0) << c.name;
      EXPECT_EQ(Number("SELECT COUNT(*) FROM ChaperoneSession WHERE BalanceOwed <> 0"), 0) << c.name;
      EXPECT_EQ(Chaperone("BalanceOwed")->AsCurrency(), Currency()) << c.name;
    });
  }
}

// Another copy of the program (the fixture's own connection) pays part of an enrolment while the
// pay list of this editor holds it: this editor's payment adds to it.
TEST_F(ChaperoneMoneyTest, APaymentAddsToOneAnotherCopyMadeMeanwhile) {
  RunEditor(coach, [&](TAddEditChaperonesForm* e) {
    SignUp(e, week1);
    AddToPayList(e, week1, 200);
    const String where = " WHERE ChaperoneID = " + Id(coach);
    camp.Execute("UPDATE Chaperones SET TotalPaid = TotalPaid + 50, BalanceOwed = BalanceOwed - 50" + where);
    camp.Execute("UPDATE ChaperoneSession SET AmountPaid = AmountPaid + 50, BalanceOwed = BalanceOwed - 50" + where);
    camp.Execute("INSERT INTO ChaperoneTrx (ChaperoneID, SessionID, AmountPaid, CheckNo) VALUES (" + Id(coach) + ", " +
                 Id(week1) + ", -50, 'other')");
    EXPECT_EQ(Texts(Press(e->BitBtn4, {mrOk})), "Posting Complete: Payments have been credited.");
    Person(300, 250, 50, "after both payments");
    Enrolment(week1, 300, 250, 50, "after both payments");
    ExpectLayersAgree(e, "after both payments");
  });
}

}  // namespace
