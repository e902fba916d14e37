// Currency columns: whatever is written through a field or any SQL statement is stored as whole
// 1/10,000s in currency units, what drifted in an older file opens rounded, values beyond the
// currency range are refused with nothing written, and integer columns never take a wrapped value.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "DbFixture.h"
#include "db/Connection.h"
#include "rtl/Exceptions.h"

namespace {

class CurrencyColumns : public DbFixture {
protected:
  // What the ordinary sqlite3 shell prints for a query on the file.
  String Shell(const String& sql) {
    connection_->Close();
    const String command = "sqlite3 '" + path_ + "' \"" + sql + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    String output;
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pipe) pclose(pipe);
    return output;
  }
  TADOQuery* Adams() {
    TADOQuery* people = Query({"SELECT * FROM People WHERE LastName = 'Adams'"});
    people->Open();
    return people;
  }
  template <typename Action>
  String ErrorOf(Action action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "";
  }
};

TEST_F(CurrencyColumns, FieldWritesAreRoundedAndReadBackExactly) {
  struct Case {
    const char* how;
    void (*write)(TField*);
    const char* stored;  // as the shell prints it
    Currency read;
  };
  const Case cases[] = {
      {"a double that drifted", [](TField* f) { f->SetAsFloat(74.3 - 74.2); }, "0.1", StrToCurr("0.1")},
      {"a sum of cents", [](TField* f) { f->SetAsFloat(10.0 + 12.12 - 10.0 - 12.12); }, "0", Currency()},
      {"text with five decimals", [](TField* f) { f->SetAsString("12.34565"); }, "12.3457", StrToCurr("12.3457")},
      {"a negative half", [](TField* f) { f->SetAsString("-0.00005"); }, "-0.0001", StrToCurr("-0.0001")},
      {"a variant", [](TField* f) { f->SetValue(Variant(19.99 * 3)); }, "59.97", StrToCurr("59.97")},
      {"a currency value", [](TField* f) { f->SetAsCurrency(StrToCurr("35.10")); }, "35.1", StrToCurr("35.1")},
  };
  for (const Case& c : cases) {
    TADOQuery* people = Adams();
    people->Edit();
    c.write(people->FieldByName("Balance"));
    EXPECT_EQ(people->FieldByName("Balance")->AsCurrency(), c.read) << c.how << ", before the post";
    people->Post();
    EXPECT_EQ(people->FieldByName("Balance")->AsCurrency(), c.read) << c.how;
    EXPECT_EQ(people->FieldByName("Balance")->AsString(), CurrToStr(c.read)) << c.how;
    delete people;
    EXPECT_EQ(Shell("SELECT Balance, typeof(Balance) FROM People WHERE LastName = 'Adams'"),
              String(c.stored) + (c.read == Currency() ? "|integer\n" : "|real\n"))
        << c.how;
    connection_->Open();
  }
}

TEST_F(CurrencyColumns, StatementsOnTheConnectionStoreWholeTenThousandths) {
  connection_->Execute("UPDATE People SET Balance = 74.3 WHERE LastName = 'Baker'");
  connection_->Execute("UPDATE People SET Balance = Balance - 74.2 WHERE LastName = 'Baker'");
  connection_->Execute("INSERT INTO Enrolments VALUES (3, 12, 0.1 + 0.2)");
  connection_->Execute("UPDATE Enrolments SET Fee = Fee / 3 WHERE PersonID = 2");
  EXPECT_EQ(Shell("SELECT Balance FROM People WHERE LastName = 'Baker'"), "0.1\n");
  EXPECT_EQ(Shell("SELECT group_concat(Fee, ' ') FROM (SELECT Fee FROM Enrolments ORDER BY PersonID, SessionID)"),
            "100 150 40 0.3\n");
}

TEST_F(CurrencyColumns, ValuesBeyondTheRangeAreRefusedAndNothingIsWritten) {
  const String range = " is outside the currency range of -922337203685477.5808 to 922337203685477.5807";
  EXPECT_EQ(ErrorOf([&] { connection_->Execute("UPDATE People SET Balance = -1e308"); }), "-1E308" + range);
  EXPECT_EQ(ErrorOf([&] { connection_->Execute("INSERT INTO Enrolments VALUES (3, 12, 9e18)"); }), "9E18" + range);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Enrolments").AsInteger(), 3);

  TADOQuery* people = Adams();
  people->Edit();
  const String field = " is not a valid value for field 'Balance'. The allowed range is -922337203685477.5808 to "
                       "922337203685477.5807";
  EXPECT_EQ(ErrorOf([&] { people->FieldByName("Balance")->SetAsFloat(-1e308); }), "-1E308" + field);
  EXPECT_EQ(ErrorOf([&] { people->FieldByName("Balance")->SetAsString("922337203685478"); }), "922337203685478" + field);
  EXPECT_EQ(ErrorOf([&] { people->FieldByName("Balance")->SetAsString("ten"); }),
            "'ten' is not a valid currency value for field 'Balance'");
  EXPECT_EQ(people->FieldByName("Balance")->AsCurrency(), StrToCurr("10.5")) << "a refused value leaves the field";
  people->Cancel();
  EXPECT_EQ(Shell("SELECT Balance FROM People WHERE LastName = 'Adams'"), "10.5\n");
}

TEST_F(CurrencyColumns, AFileWithDriftedMoneyOpensRounded) {
  // Written as an earlier version wrote it: binary remainders, no rounding anywhere.
  Shell("UPDATE People SET Balance = 74.3 - 74.2 WHERE LastName = 'Adams'; "
        "UPDATE People SET Balance = 8.9e-16 WHERE LastName = 'Baker'; "
        "UPDATE Enrolments SET Fee = 0.1 + 0.2 WHERE SessionID = 11");
  ASSERT_EQ(Shell("SELECT Balance FROM People WHERE LastName = 'Adams'"), "0.0999999999999943\n");
  connection_->Open();
  TADOQuery* owing = Query({"SELECT LastName FROM People WHERE Balance <> 0 ORDER BY LastName"});
  owing->Open();
  EXPECT_EQ(owing->RecordCount(), 2) << "the remainder below a cent is no balance";
  EXPECT_EQ(Shell("SELECT group_concat(Balance, ' ') FROM People"), "0.1 0 7\n");
  EXPECT_EQ(Shell("SELECT Fee FROM Enrolments WHERE SessionID = 11"), "0.3\n");
}

// A file of an earlier version opened as the program starts, on a connection of its own: its
// money is rounded and the file marked, in a header field the sqlite3 shell shows and keeps.
TEST_F(CurrencyColumns, AnEarlierVersionsFileOpenedAtStartIsRoundedAndMarked) {
  Shell("UPDATE People SET Balance = 74.3 - 74.2 WHERE LastName = 'Adams'; PRAGMA user_version = 0");
  TADOConnection starting(nullptr);
  starting.SetConnectionString("Data Source=" + path_);
  starting.Open();
  starting.Close();
  EXPECT_EQ(Shell("SELECT Balance FROM People WHERE LastName = 'Adams'"), "0.1\n");
  EXPECT_EQ(Shell("PRAGMA user_version"), "1\n");
}

// Another program writing at once after the connection closed the file, or after a pause: the
// connection's next opening rounds what it wrote.
TEST_F(CurrencyColumns, MoneyDriftedByAnotherProgramAfterTheCloseIsRoundedOnReopening) {
  for (int round = 0; round < 10; ++round) {
    if (round % 2) std::this_thread::sleep_for(std::chrono::milliseconds(30));
    connection_->Close();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "UPDATE People SET Balance = 74.3 - 74.2 WHERE LastName = 'Adams'", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    connection_->Open();
    EXPECT_EQ(Scalar("SELECT Balance = 0.1 FROM People WHERE LastName = 'Adams'").AsInteger(), 1) << "round " << round;
  }
}

TEST_F(CurrencyColumns, IntegerColumnsRefuseWhatThirtyTwoBitsCannotHold) {
  connection_->Execute("CREATE TABLE Ranges (Low INTEGER, High INTEGER)");
  connection_->Execute("INSERT INTO Ranges VALUES (1, 2)");
  TADOTable* ranges = Table("Ranges");
  ranges->Open();
  ranges->Edit();
  const String allowed = " is not a valid value for field 'Low'. The allowed range is -2147483648 to 2147483647";
  TField* low = ranges->FieldByName("Low");
  EXPECT_EQ(ErrorOf([&] { low->SetAsString("99999999999"); }), "99999999999" + allowed);
  EXPECT_EQ(ErrorOf([&] { low->SetAsFloat(999999999990.0); }), "999999999990" + allowed);
  EXPECT_EQ(ErrorOf([&] { low->SetValue(Variant(-2147483649.0)); }), "-2147483649" + allowed);
  EXPECT_EQ(ErrorOf([&] { low->SetAsFloat(2147483647.6); }), "2147483647.6" + allowed) << "it would round past";
  low->SetAsString("-2147483648");
  ranges->FieldByName("High")->SetAsFloat(2147483647);
  ranges->Post();
  EXPECT_EQ(Shell("SELECT Low, High FROM Ranges"), "-2147483648|2147483647\n");
}

}  // namespace
