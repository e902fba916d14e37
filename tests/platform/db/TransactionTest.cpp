// Transactions on the connection: whole or nothing, nested levels, the datasets showing what is
// stored after a rollback, and the write-ahead-log mode of every connection.
#include <gtest/gtest.h>

#include "DbFixture.h"
#include "rtl/Exceptions.h"
#include "tests/fixtures/ScratchMount.h"

namespace {

using Transactions = DbFixture;

// Writes a balance through a dataset, then raises when told to.
void PayAndMaybeFail(TADOConnection* connection, TADOQuery* people, double balance, bool fail) {
  vt::Transaction transaction(connection);
  people->Edit();
  people->FieldByName("Balance")->SetAsFloat(balance);
  people->Post();
  connection->Execute("INSERT INTO Enrolments VALUES (1, 12, 75)");
  if (fail) throw EDatabaseError("injected");
  transaction.Commit();
}

TEST_F(Transactions, CommittedWritesStayAndAFailureUndoesEveryWriteOfTheScope) {
  TADOQuery* people = Query({"SELECT * FROM People ORDER BY LastName"});
  people->Open();
  PayAndMaybeFail(connection_, people, 20, false);
  EXPECT_EQ(Scalar("SELECT Balance FROM People WHERE LastName = 'Adams'").AsDouble(), 20);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Enrolments").AsInteger(), 4);
  EXPECT_FALSE(connection_->InTransaction());

  people->Next();  // Baker
  EXPECT_THROW(PayAndMaybeFail(connection_, people, 55, true), EDatabaseError);
  EXPECT_EQ(Scalar("SELECT Balance FROM People WHERE LastName = 'Baker'").AsDouble(), 0);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Enrolments").AsInteger(), 4);
  EXPECT_FALSE(connection_->InTransaction());
  // The dataset shows the stored row again, still on it.
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");
  EXPECT_EQ(people->FieldByName("Balance")->AsFloat(), 0);
  EXPECT_EQ(people->State(), dsBrowse);
}

TEST_F(Transactions, AFailedStatementInsideLeavesNothingBehind) {
  connection_->Execute(
      "CREATE TRIGGER fail BEFORE INSERT ON Enrolments WHEN NEW.Fee < 0 BEGIN SELECT RAISE(ABORT, 'no'); END");
  TADOTable* people = Table("People");
  people->Open();
  try {
    vt::Transaction transaction(connection_);
    people->Edit();
    people->FieldByName("City")->SetAsString("Denver");
    people->Post();
    connection_->Execute("INSERT INTO Enrolments VALUES (1, 13, -5)");
    transaction.Commit();
    FAIL() << "the trigger did not fire";
  } catch (const EDatabaseError&) {
  }
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Boston");
  EXPECT_EQ(people->FieldByName("City")->AsString(), "Boston");
}

TEST_F(Transactions, InnerLevelsAreUndoneAloneAndLevelsAreCounted) {
  EXPECT_EQ(connection_->BeginTrans(), 1);
  connection_->Execute("UPDATE People SET City = 'Outer' WHERE PersonID = 1");
  EXPECT_EQ(connection_->BeginTrans(), 2);
  connection_->Execute("UPDATE People SET City = 'Inner' WHERE PersonID = 2");
  connection_->RollbackTrans();
  EXPECT_EQ(connection_->TransactionLevel(), 1);
  connection_->CommitTrans();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Outer");
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 2").AsString(), "Austin");
  EXPECT_THROW(connection_->CommitTrans(), EDatabaseError);
  EXPECT_THROW(connection_->RollbackTrans(), EDatabaseError);
}

TEST_F(Transactions, ARowInsertedThenRolledBackLeavesTheDataSetAndAPendingEditAlone) {
  TADOQuery* people = Query({"SELECT * FROM People ORDER BY LastName"});
  TADOQuery* editor = Query({"SELECT * FROM People WHERE PersonID = 3"});
  people->Open();
  editor->Open();
  editor->Edit();
  editor->FieldByName("City")->SetAsString("typed, not yet saved");
  connection_->BeginTrans();
  people->Append();
  people->FieldByName("LastName")->SetAsString("Zane");
  people->Post();
  editor->FieldByName("Notes")->AsString();
  connection_->RollbackTrans();
  EXPECT_EQ(people->RecordCount(), 3);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People").AsInteger(), 3);
  EXPECT_EQ(editor->State(), dsEdit);
  EXPECT_EQ(editor->FieldByName("City")->AsString(), "typed, not yet saved");
  editor->Post();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 3").AsString(), "typed, not yet saved");
}

// A pending edit resumed after a rolled-back post: the columns typed come back, every other
// column shows the row as stored now (here changed by another writer), and a column typed over
// a value that changed meanwhile is still refused when posted.
TEST_F(Transactions, AResumedEditKeepsWhatWasTypedOverTheRowAsStoredNow) {
  TADOQuery* editor = Query({"SELECT * FROM People WHERE PersonID = 3"});
  editor->Open();
  editor->Edit();
  editor->FieldByName("City")->SetAsString("typed");
  const TPendingEdit typed = editor->PendingEdit();
  connection_->Execute("UPDATE People SET Balance = 42 WHERE PersonID = 3");
  connection_->BeginTrans();
  editor->Post();
  editor->Edit();
  editor->FieldByName("Balance")->SetAsFloat(7);  // computed inside, undone by the rollback
  connection_->RollbackTrans();
  editor->ResumeEdit(typed);
  EXPECT_EQ(editor->State(), dsEdit);
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->FieldByName("City")->AsString(), "typed");
  EXPECT_EQ(editor->FieldByName("Balance")->AsFloat(), 42);
  editor->Post();
  EXPECT_EQ(Scalar("SELECT City || '/' || Balance FROM People WHERE PersonID = 3").AsString(), "typed/42");

  editor->Edit();
  editor->FieldByName("City")->SetAsString("typed again");
  const TPendingEdit again = editor->PendingEdit();
  connection_->Execute("UPDATE People SET City = 'by the other' WHERE PersonID = 3");
  editor->ResumeEdit(again);
  EXPECT_EQ(editor->FieldByName("City")->AsString(), "typed again");
  EXPECT_THROW(editor->Post(), EDatabaseError);
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 3").AsString(), "by the other");
}

TEST_F(Transactions, AQueryReopenedAfterARollbackDoesNotReuseRowsFetchedInside) {
  TADOQuery* total = Query({"SELECT SUM(Fee) AS Total FROM Enrolments"});
  connection_->BeginTrans();
  connection_->Execute("INSERT INTO Enrolments VALUES (3, 10, 1000)");
  total->Open();
  EXPECT_EQ(total->FieldByName("Total")->AsInteger(), 1370);
  total->Close();
  connection_->RollbackTrans();
  total->Open();
  EXPECT_EQ(total->FieldByName("Total")->AsInteger(), 370);
}

TEST_F(Transactions, TheDatabaseRunsInWriteAheadLogMode) {
  EXPECT_EQ(Scalar("PRAGMA journal_mode").AsString(), "wal");
}

}  // namespace

// A full disk part way: the database may end the transaction itself; the rollback that follows
// leaves the connection and its datasets open, and writes work again once there is room.
TEST_F(Transactions, AFullDiskPartWayRollsBackAndLeavesTheConnectionAndItsDatasetsUsable) {
  vt::test::ScratchMount disk(1 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  TADOConnection onDisk(owner_);
  const String path = disk.Folder() + "Vantrel.mdb";
  vt::CreateDatabaseFile(path, "CREATE TABLE People (PersonID INTEGER PRIMARY KEY, Name TEXT, Notes BLOB);"
                               "INSERT INTO People (Name) VALUES ('Adams'), ('Baker');");
  onDisk.SetConnectionString("Data Source=" + path);
  TADOQuery people(owner_);
  people.SetConnection(&onDisk);
  people.SQL()->Add("SELECT * FROM People ORDER BY Name");
  people.Open();
  people.Next();
  disk.LeaveFree(64 << 10);

  for (const char* big : {"INSERT INTO People (Name, Notes) VALUES ('Clark', zeroblob(400000))",
                          "UPDATE People SET Notes = zeroblob(400000) WHERE Name = 'Adams'"}) {
    String message;
    try {
      vt::Transaction transaction(&onDisk);
      people.Edit();
      people.FieldByName("Name")->SetAsString("Baxter");
      people.Post();
      onDisk.Execute(big);
      transaction.Commit();
    } catch (const EDatabaseError& e) {
      message = e.Message();
    }
    EXPECT_EQ(message, "The disk holding the database '" + path +
                           "' is full (database or disk is full); nothing was saved. Make room on the disk and try again.")
        << big;
    EXPECT_TRUE(onDisk.Connected());
    EXPECT_FALSE(onDisk.InTransaction());
    ASSERT_TRUE(people.Active());
    EXPECT_EQ(people.FieldByName("Name")->AsString(), "Baker");
  }
  disk.Unfill();
  onDisk.Execute("INSERT INTO People (Name) VALUES ('Clark')");
  people.Close();
  people.Open();
  EXPECT_EQ(people.RecordCount(), 3);
}
