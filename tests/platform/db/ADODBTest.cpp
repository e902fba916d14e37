// The ADO datasets over a small SQLite file: field types, editing and writing back,
// bookmarks, master/detail, Locate, filters, cursor kinds, reuse of snapshots and the errors.
#include <gtest/gtest.h>

#include "DbFixture.h"
#include "db/Connection.h"
#include "db/DataSource.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"

namespace {

using ADODB = DbFixture;

TEST_F(ADODB, FieldsTakeTheirClassFromTheDeclaredType) {
  TADOTable* people = Table("People");
  people->Open();
  struct Expect {
    const char* name;
    TFieldType type;
    int size;
  };
  const Expect expected[] = {{"PersonID", ftAutoInc, 0},     {"LastName", ftWideString, 25},
                             {"DOB", ftDateTime, 0},         {"Active", ftBoolean, 0},
                             {"Balance", ftCurrency, 0},     {"Notes", ftMemo, 0},
                             {"City", ftWideString, 255}};
  for (const Expect& e : expected) {
    TField* field = people->FieldByName(e.name);
    EXPECT_EQ(field->DataType(), e.type) << e.name;
    EXPECT_EQ(field->Size(), e.size) << e.name;
  }
  EXPECT_TRUE(people->FieldByName("PersonID")->ReadOnly());
  EXPECT_TRUE(people->FieldByName("Active")->AsBoolean());
  EXPECT_EQ(people->FieldByName("DOB")->AsDateTime(), 37769.0);
  EXPECT_EQ(people->FieldByName("Balance")->AsFloat(), 10.5);
  EXPECT_EQ(people->FieldByName("Notes")->AsString(), "");  // null reads as ""
  EXPECT_TRUE(people->FieldByName("Notes")->IsNull());

  TADOQuery* total = Query({"SELECT COUNT(*) AS N, SUM(Fee) AS Total FROM Enrolments"});
  total->Open();
  EXPECT_EQ(total->FieldByName("N")->DataType(), ftInteger);
  EXPECT_EQ(total->FieldByName("Total")->AsInteger(), 370);
  EXPECT_FALSE(total->CanModify());
}

// Dates another program stored as text: ISO forms read as those dates (value, text and display
// alike); a text that is no date reads as null and is told apart from an empty date.
TEST_F(ADODB, ADateStoredAsTextReadsAsThatDateAndOneThatIsNoDateAsNull) {
  const struct {
    const char* stored;
    double value;  // -1: no date
  } cases[] = {
      {"2015-05-01", EncodeDate(2015, 5, 1)},
      {"2015-05-01 13:45", EncodeDate(2015, 5, 1) + EncodeTime(13, 45, 0, 0)},
      {"2015-05-01T13:45:30.5Z", EncodeDate(2015, 5, 1) + EncodeTime(13, 45, 30, 500)},
      {" 2003-06-02 ", EncodeDate(2003, 6, 2)},
      {"1899-12-29 06:00:00", -1.25},
      {"2015-02-30", -1}, {"2015-13-01", -1}, {"2015-05-01 25:00", -1}, {"2015/05/01", -1},
      {"01.05.2015", -1}, {"tomorrow", -1}, {"", -1}, {"nan", -1},
  };
  for (const auto& c : cases) {
    connection_->Execute("UPDATE People SET DOB = " + vt::SqlQuote(c.stored) + " WHERE PersonID = 1");
    TADOTable* people = Table("People");
    people->Open();
    TField* dob = people->FieldByName("DOB");
    if (c.value == -1) {
      EXPECT_TRUE(dob->IsNull()) << c.stored;
      EXPECT_TRUE(dob->IsUnreadable()) << c.stored;
      EXPECT_TRUE(dob->Value().IsNull()) << c.stored;
      EXPECT_EQ(dob->DisplayText(), "") << c.stored;
      EXPECT_EQ(dob->AsDateTime(), 0) << c.stored;
    } else {
      EXPECT_FALSE(dob->IsNull()) << c.stored;
      EXPECT_NEAR(dob->AsDateTime(), c.value, 1e-9) << c.stored;
      EXPECT_NEAR(dob->Value().AsDateTime(), c.value, 1e-9) << c.stored;
      EXPECT_EQ(dob->DisplayText(), DateTimeToStr(dob->AsDateTime())) << c.stored;
    }
    people->Close();
  }
  connection_->Execute("UPDATE People SET DOB = NULL WHERE PersonID = 1");
  TADOTable* people = Table("People");
  people->Open();
  EXPECT_TRUE(people->FieldByName("DOB")->IsNull());
  EXPECT_FALSE(people->FieldByName("DOB")->IsUnreadable());
}

// A column number in ORDER BY counts the columns as the statement writes them; the set stays
// writable. Rowid order (Adams, Baker, Clark) differs from the cities' (Austin, Boise, Boston).
TEST_F(ADODB, OrderByAColumnNumberSortsByThatColumnOfTheStatement) {
  const struct {
    const char* sql;
    std::vector<String> lastNames;
  } cases[] = {
      {"SELECT City, LastName FROM People ORDER BY 1", {"Baker", "Clark", "Adams"}},
      {"SELECT City, LastName FROM People ORDER BY 2 DESC, 1", {"Clark", "Baker", "Adams"}},
      {"SELECT City, LastName FROM People ORDER BY 1 COLLATE NOCASE DESC", {"Adams", "Clark", "Baker"}},
      {"SELECT City, LastName FROM People WHERE PersonID IN (SELECT PersonID FROM Enrolments ORDER BY 1) ORDER BY 1",
       {"Baker", "Adams"}},
  };
  for (const auto& c : cases) {
    TADOQuery* people = Query({c.sql});
    people->Open();
    std::vector<String> lastNames;
    for (people->First(); !people->Eof(); people->Next()) lastNames.push_back(people->FieldByName("LastName")->AsString());
    EXPECT_EQ(lastNames, c.lastNames) << c.sql;
    EXPECT_TRUE(people->CanModify()) << c.sql;
    delete people;
  }
}

TEST_F(ADODB, SingleTableQueryWritesBackAndAutoNumberIsReadableAfterPost) {
  TADOQuery* people = Query({"Select * From People", "", "ORDER BY LastName, FirstName"});
  people->Open();
  ASSERT_TRUE(people->CanModify());
  people->Edit();
  people->FieldByName("Active")->SetAsBoolean(false);
  people->FieldByName("Balance")->SetAsFloat(99.25);
  people->Post();
  EXPECT_EQ(Scalar("SELECT Active FROM People WHERE LastName = 'Adams'").AsInteger(), 0);
  EXPECT_EQ(Scalar("SELECT Balance FROM People WHERE LastName = 'Adams'").AsDouble(), 99.25);

  people->Append();
  EXPECT_TRUE(people->FieldByName("PersonID")->IsNull());
  people->FieldByName("LastName")->SetAsString("Young");
  people->FieldByName("Active")->SetAsBoolean(true);
  people->Post();
  EXPECT_EQ(people->FieldByName("PersonID")->AsInteger(), 4);
  EXPECT_EQ(people->RecNo(), 4);
  EXPECT_EQ(Scalar("SELECT Active FROM People WHERE PersonID = 4").AsInteger(), -1);

  // Column defaults come back from the file after an insert.
  people->Append();
  people->FieldByName("LastName")->SetAsString("Zed");
  people->Post();
  EXPECT_TRUE(people->FieldByName("Active")->AsBoolean());
}

TEST_F(ADODB, NameWithApostropheRoundTripsThroughInsertUpdateWhereAndLocate) {
  TADOTable* people = Table("People");
  people->Open();
  people->Append();
  people->FieldByName("LastName")->SetAsString("O'Brien");
  people->Post();
  int id = people->FieldByName("PersonID")->AsInteger();

  TADOQuery* misc = Query({""}, ctKeyset);
  misc->SQL()->SetStrings(0, "UPDATE People SET FirstName = " + vt::SqlQuote("Sea'n") +
                                 " WHERE LastName = " + vt::SqlQuote("O'Brien"));
  EXPECT_EQ(misc->ExecSQL(), 1);
  misc->SQL()->SetStrings(0, "SELECT * FROM People WHERE LastName = " + vt::SqlQuote("O'Brien"));
  misc->Open();
  ASSERT_EQ(misc->RecordCount(), 1);
  EXPECT_EQ(misc->FieldByName("FirstName")->AsString(), "Sea'n");
  EXPECT_EQ(misc->FieldByName("PersonID")->AsInteger(), id);

  people->Close();
  people->Open();
  EXPECT_TRUE(people->Locate("LastName;FirstName", VarArrayOf({"o'brien", "SEA'N"}), {loCaseInsensitive}));
  EXPECT_EQ(people->FieldByName("PersonID")->AsInteger(), id);
}

TEST_F(ADODB, LocateMatchesExactlyOrByCaseInsensitivePrefix) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("LastName");
  people->Open();
  people->Last();
  EXPECT_FALSE(people->Locate("LastName", "baker", {}));
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Clark");  // a miss does not move
  EXPECT_TRUE(people->Locate("LastName", "baker", {loCaseInsensitive}));
  EXPECT_EQ(people->RecNo(), 2);
  EXPECT_FALSE(people->Locate("LastName", "Cl", {}));
  EXPECT_TRUE(people->Locate("LastName", "cl", {loCaseInsensitive, loPartialKey}));
  EXPECT_EQ(people->FieldByName("FirstName")->AsString(), "Cleo");
  EXPECT_TRUE(people->Locate("PersonID", 2, {}));
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");
  EXPECT_TRUE(people->Locate("DOB", Variant::Null(), {}));
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Clark");
  EXPECT_THROW(people->Locate("Nope", 1, {}), EDatabaseError);
}

TEST_F(ADODB, BookmarkIsTheRowKeyAndSurvivesCloseOpen) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("LastName");
  people->Open();
  people->Locate("LastName", "Baker", {});
  TBookmark bookmark = people->GetBookmark();
  people->First();
  TBookmark first = people->GetBookmark();
  EXPECT_LT(people->CompareBookmarks(first, bookmark), 0);
  people->Close();
  people->SetIndexFieldNames("FirstName");
  people->Open();
  ASSERT_TRUE(people->BookmarkValid(bookmark));
  people->GotoBookmark(bookmark);
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");

  people->Delete();
  EXPECT_FALSE(people->BookmarkValid(bookmark));
  EXPECT_THROW(people->GotoBookmark(bookmark), EDatabaseError);
}

TEST_F(ADODB, DetailFollowsItsMasterRow) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("PersonID");
  auto* source = new TDataSource(owner_);
  source->SetDataSet(people);
  TADOTable* enrolments = Table("Enrolments");
  enrolments->SetIndexFieldNames("PersonID;SessionID");
  enrolments->SetMasterFields("PersonID");
  enrolments->SetMasterSource(source);
  people->Open();
  enrolments->Open();
  EXPECT_EQ(enrolments->RecordCount(), 2);
  people->Next();
  EXPECT_EQ(enrolments->RecordCount(), 1);
  EXPECT_EQ(enrolments->FieldByName("Fee")->AsFloat(), 120);
  people->Next();
  EXPECT_TRUE(enrolments->IsEmpty());

  // A new detail row takes its master's key.
  people->First();
  enrolments->Append();
  EXPECT_EQ(enrolments->FieldByName("PersonID")->AsInteger(), 1);
  enrolments->FieldByName("SessionID")->SetAsInteger(12);
  enrolments->Post();
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Enrolments WHERE PersonID = 1").AsInteger(), 3);

  // Reopening or closing the master moves the detail too.
  people->Close();
  EXPECT_TRUE(enrolments->IsEmpty());
  people->Open();
  EXPECT_EQ(enrolments->RecordCount(), 3);
}

TEST_F(ADODB, FilterSelectsRowsAndEmptyFilterShowsAll) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("PersonID");
  people->SetFiltered(true);
  people->Open();
  EXPECT_EQ(people->RecordCount(), 3);
  struct Case {
    const char* filter;
    int count;
  };
  const Case cases[] = {
      {"LastName = 'baker'", 1},
      {"LastName <> 'Baker'", 2},
      {"Balance >= 7 AND Active = True", 2},
      {"(City = 'Boise' OR City = 'Austin') AND NOT Balance > 5", 1},
      {"DOB <= '05/28/2003' AND DOB >= '1/1/2003'", 1},
      {"DOB > '5/28/2003'", 1},
      {"DOB IS NULL", 1},
      {"DOB = NULL OR PersonID = 1", 2},
      {"10 > Balance", 2},
      {"", 3},
  };
  for (const Case& c : cases) {
    people->SetFilter(c.filter);
    EXPECT_EQ(people->RecordCount(), c.count) << c.filter;
  }
  people->SetFilter("LastName = 'Baker'");
  people->SetFiltered(false);
  EXPECT_EQ(people->RecordCount(), 3);
  EXPECT_THROW(people->SetFilter("LastName = "), EDatabaseError);
  people->SetFiltered(true);
  EXPECT_THROW(people->SetFilter("Nope = 1"), EDatabaseError);
}

TEST_F(ADODB, DeleteMovesToTheNextRowAndRaisesWhenEmpty) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("PersonID");
  people->Open();
  people->Delete();
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");
  people->Last();
  people->Delete();
  EXPECT_TRUE(people->Eof());
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");
  people->Delete();
  EXPECT_TRUE(people->IsEmpty());
  EXPECT_THROW(people->Delete(), EDatabaseError);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People").AsInteger(), 0);

  // Edit on an empty dataset inserts.
  people->Edit();
  EXPECT_EQ(people->State(), dsInsert);
}

TEST_F(ADODB, CloseInEditDropsTheChangeAndScrollingPosts) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("PersonID");
  people->Open();
  people->Edit();
  people->FieldByName("City")->SetAsString("Nowhere");
  people->Close();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Boston");

  people->Open();
  people->Edit();
  people->FieldByName("City")->SetAsString("Denver");
  people->Next();
  EXPECT_EQ(people->State(), dsBrowse);
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Denver");

  people->Insert();
  people->Cancel();
  EXPECT_EQ(people->RecordCount(), 3);
  EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Baker");
}

TEST_F(ADODB, StaticQueryIsASnapshotUntilReopened) {
  TADOQuery* people = Query({"SELECT * FROM People"});
  people->Open();
  connection_->Execute("DELETE FROM People WHERE PersonID = 3");
  EXPECT_EQ(people->RecordCount(), 3);
  people->Close();
  people->Open();
  EXPECT_EQ(people->RecordCount(), 2);
}

TEST_F(ADODB, JoinedQueriesRunAsWrittenAndAreReadOnly) {
  connection_->Execute(
      "CREATE TABLE Sessions (SessionID INTEGER PRIMARY KEY AUTOINCREMENT, Description VARCHAR(50), "
      "SessionActive YESNO);"
      "CREATE TABLE Teams (TeamID INTEGER PRIMARY KEY AUTOINCREMENT, SessionID INTEGER, LeagueName TEXT, "
      "TeamName TEXT);"
      "CREATE TABLE AttendeeSession (SessionID INTEGER, CamperID INTEGER, SessionType VARCHAR(1), TeamID INTEGER);"
      "CREATE TABLE Attendees (CamperID INTEGER PRIMARY KEY AUTOINCREMENT, LastName VARCHAR(25));"
      "INSERT INTO Sessions VALUES (10, 'Summer', -1), (11, 'Winter', true);"
      "INSERT INTO Teams VALUES (1, 10, 'Juniors', 'Team1');"
      "INSERT INTO Attendees VALUES (1, 'Adams');"
      "INSERT INTO AttendeeSession VALUES (10, 1, 'R', 1), (11, 1, 'D', NULL);");
  TADOQuery* onSpot = Query(
      {"SELECT AttendeeSession.CamperID, Sessions.SessionID, AttendeeSession.SessionType, Sessions.Description, "
       "Teams.LeagueName, Teams.TeamName, Sessions.SessionActive",
       "FROM (Sessions INNER JOIN (Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = "
       "AttendeeSession.CamperID) ON Sessions.SessionID = AttendeeSession.SessionID) INNER JOIN Teams ON "
       "(Teams.TeamID = AttendeeSession.TeamID) AND (Sessions.SessionID = Teams.SessionID)",
       "WHERE AttendeeSession.CamperID= 1  ", "AND Sessions.SessionActive = -1"});
  onSpot->Open();
  ASSERT_EQ(onSpot->RecordCount(), 1);  // the enrolment without a team is not listed
  EXPECT_EQ(onSpot->FieldByName("TeamName")->AsString(), "Team1");
  EXPECT_TRUE(onSpot->FieldByName("SessionActive")->AsBoolean());
  EXPECT_FALSE(onSpot->CanModify());
  EXPECT_THROW(onSpot->Edit(), EDatabaseError);

  // A column that both tables of a join in parentheses have is named as the column.
  TADOQuery* shared = Query({"SELECT AttendeeSession.CamperID, Attendees.CamperID AS Camper, Sessions.Description",
                             "FROM Sessions INNER JOIN (Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = "
                             "AttendeeSession.CamperID) ON Sessions.SessionID = AttendeeSession.SessionID"});
  shared->Open();
  EXPECT_EQ(shared->FieldByName("CamperID")->AsInteger(), 1);
  EXPECT_EQ(shared->FieldByName("Camper")->AsInteger(), 1);

  TADOQuery* active = Query({"SELECT * FROM AttendeeSession", "WHERE TeamID Is Null AND SessionType <> 'R'"});
  active->Open();
  EXPECT_EQ(active->RecordCount(), 1);
  TADOQuery* sessions = Query({"Select * From Sessions", "WHERE SessionActive = true", "", "ORDER BY SessionID"});
  sessions->Open();
  EXPECT_EQ(sessions->RecordCount(), 2);
}

TEST_F(ADODB, PersistentFieldsAloneAreReachableAndCalculatedFieldsRun) {
  TADOQuery* people = Query({"SELECT * FROM People ORDER BY PersonID"});
  auto* last = new TWideStringField(owner_);
  last->SetFieldName("LastName");
  last->SetDataSet(people);
  auto* upper = new TWideStringField(owner_);
  upper->SetFieldName("Shout");
  upper->SetFieldKind(fkCalculated);
  upper->SetDataSet(people);
  TDataSetState seenState = dsInactive;
  people->OnCalcFields = [&](TDataSet* dataSet) {
    seenState = dataSet->State();
    dataSet->FieldByName("Shout")->SetAsString(UpperCase(dataSet->FieldByName("LastName")->AsString()));
  };
  people->Open();
  EXPECT_EQ(people->FieldCount(), 2);
  EXPECT_EQ(people->FindField("City"), nullptr);
  EXPECT_EQ(people->FieldByName("Shout")->AsString(), "ADAMS");
  EXPECT_EQ(seenState, dsCalcFields);
  EXPECT_EQ(people->FieldValueAt(3, upper).AsString(), "CLARK");
  EXPECT_EQ(people->RecNo(), 1);
  people->Edit();
  last->SetAsString("Abbot");
  EXPECT_EQ(upper->AsString(), "ABBOT");
  people->Post();
  EXPECT_EQ(Scalar("SELECT LastName FROM People WHERE PersonID = 1").AsString(), "Abbot");

  auto* missing = new TIntegerField(owner_);
  missing->SetFieldName("NoSuchColumn");
  people->Close();
  missing->SetDataSet(people);
  EXPECT_THROW(people->Open(), EDatabaseError);
}

// The people's last names in the order the dataset holds them.
String LastNames(TDataSet* dataSet) {
  String names;
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) names += dataSet->FieldByName("LastName")->AsString() + " ";
  return names;
}

TEST_F(ADODB, ReopenWithNothingChangedTakesTheSnapshotAgain) {
  TADOQuery* people = Query({"Select * From People", "WHERE Active = true", "ORDER BY LastName DESC"});
  TADOTable* keyset = Table("People");
  keyset->SetCursorType(ctKeyset);
  for (TDataSet* dataSet : std::initializer_list<TDataSet*>{people, keyset}) {
    dataSet->Open();
    const String before = LastNames(dataSet);
    const TBookmark bookmark = dataSet->GetBookmark();
    const std::int64_t fetches = vt::DataSetFetchCount();
    for (int reopen = 0; reopen < 2; ++reopen) {
      dataSet->Close();
      dataSet->Open();
      EXPECT_EQ(vt::DataSetFetchCount(), fetches);
      EXPECT_EQ(dataSet->RecNo(), 1);  // on the first row, as after a fetch
      EXPECT_EQ(LastNames(dataSet), before);
    }
    dataSet->GotoBookmark(bookmark);
    EXPECT_TRUE(dataSet->CanModify());
  }
  EXPECT_EQ(LastNames(people), "Clark Adams ");

  // A closed connection drops every snapshot: its next handle counts changes afresh.
  connection_->Close();
  const std::int64_t fetches = vt::DataSetFetchCount();
  people->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches + 1);
}

TEST_F(ADODB, ReopenShowsEveryChangeToTheDatabase) {
  TADOConnection other(nullptr);
  struct Change {
    const char* how;
    std::function<void(TADOQuery* people)> make;
    const char* names;
  };
  const Change changes[] = {
      {"Post in the set itself",
       [](TADOQuery* people) {
         people->Open();
         people->Edit();
         people->FieldByName("LastName")->SetAsString("Aaron");
         people->Post();
         people->Close();
       },
       "Aaron Baker Clark "},
      {"insert through another dataset",
       [this](TADOQuery*) {
         TADOTable* table = Table("People");
         table->Open();
         table->Append();
         table->FieldByName("LastName")->SetAsString("Dunn");
         table->Post();
       },
       "Adams Baker Clark Dunn "},
      {"delete through another dataset",
       [this](TADOQuery*) {
         TADOTable* table = Table("People");
         table->Open();
         table->Delete();
       },
       "Baker Clark "},
      {"ExecSQL of another query",
       [this](TADOQuery*) { Query({"UPDATE People SET LastName = 'Zorn' WHERE LastName = 'Baker'"})->ExecSQL(); },
       "Adams Clark Zorn "},
      {"another connection to the file",
       [&other](TADOQuery*) { other.Execute("DELETE FROM People WHERE LastName = 'Clark'"); },
       "Adams Baker "},
      {"a schema change",
       [this](TADOQuery* people) {
         connection_->Execute("ALTER TABLE People ADD COLUMN Nickname TEXT");
         people->Open();
         EXPECT_NE(people->FindField("Nickname"), nullptr);
         people->Close();
       },
       "Adams Baker Clark "},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.how);
    TearDown();
    SetUp();
    other.SetConnectionString(connection_->ConnectionString());
    TADOQuery* people = Query({"SELECT * FROM People ORDER BY LastName"});
    people->Open();
    people->Close();
    const std::int64_t fetches = vt::DataSetFetchCount();
    change.make(people);
    people->Open();
    EXPECT_GT(vt::DataSetFetchCount(), fetches);
    EXPECT_EQ(LastNames(people), change.names);
    other.Close();
  }
}

// A reopen after this connection's own writes shows what a new dataset over the same statement
// shows: its order (ties in an index's order, or no order asked for while an index holds every
// key), changed values, added and gone rows; also after a table was emptied at once or a
// transaction rolled back.
TEST_F(ADODB, ReopenAfterOwnWritesShowsWhatAFreshFetchShows) {
  connection_->Execute("CREATE INDEX EnrolmentsPerson ON Enrolments (PersonID, SessionID)");
  connection_->Execute("CREATE INDEX PeopleCity ON People (City)");
  const auto rowsOf = [](TDataSet* dataSet) {
    String text;
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
      for (int i = 0; i < dataSet->FieldCount(); ++i) text += dataSet->Fields()->Fields(i)->AsString() + ",";
      text += "; ";
    }
    return text;
  };
  const auto append = [this](const char* table, std::initializer_list<std::pair<const char*, Variant>> values) {
    TADOTable* writer = Table(table);
    writer->Open();
    writer->Append();
    for (const auto& [name, value] : values) writer->FieldByName(name)->SetValue(value);
    writer->Post();
  };
  const char* const enrolmentsOfOne = "SELECT * FROM Enrolments WHERE PersonID = 1 ORDER BY PersonID";
  struct Case {
    const char* how;
    const char* sql;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"a row added amid ties, a value changed, another table written", enrolmentsOfOne,
       [&] {
         append("Enrolments", {{"PersonID", 1}, {"SessionID", 5}, {"Fee", 50}});
         append("Enrolments", {{"PersonID", 2}, {"SessionID", 1}, {"Fee", 70}});
         connection_->Execute("UPDATE Enrolments SET Fee = 175 WHERE SessionID = 11");
         connection_->Execute("UPDATE People SET City = 'Zurich' WHERE PersonID = 1");
       }},
      {"no order asked for, a row added", "SELECT * FROM People",
       [&] { append("People", {{"LastName", "Dunn"}, {"City", "Aachen"}}); }},
      {"a row gone and one moved out", enrolmentsOfOne,
       [&] {
         connection_->Execute("DELETE FROM Enrolments WHERE SessionID = 10 AND PersonID = 1");
         connection_->Execute("UPDATE Enrolments SET PersonID = 3 WHERE SessionID = 11");
       }},
      {"the table emptied at once", enrolmentsOfOne, [&] { connection_->Execute("DELETE FROM Enrolments"); }},
      {"a rolled back change", enrolmentsOfOne,
       [&] {
         connection_->BeginTrans();
         connection_->Execute("UPDATE Enrolments SET Fee = 1 WHERE PersonID = 1");
         append("Enrolments", {{"PersonID", 1}, {"SessionID", 1}, {"Fee", 2}});
         connection_->RollbackTrans();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    TADOQuery* reopened = Query({c.sql});
    reopened->Open();
    const String before = rowsOf(reopened);
    reopened->Close();
    c.change();
    reopened->Open();
    TADOQuery* fresh = Query({c.sql});
    fresh->Open();
    EXPECT_EQ(rowsOf(reopened), rowsOf(fresh)) << "before: " << before;
  }
}

TEST_F(ADODB, ReopenAfterTheClockMovedRecalculatesFields) {
  TADOQuery* people = Query({"SELECT * FROM People ORDER BY PersonID"});
  for (const char* name : {"LastName", "DOB"}) {
    TField* field = vt::CreateField(std::string(name) == "DOB" ? ftDateTime : ftWideString, owner_);
    field->SetFieldName(name);
    field->SetDataSet(people);
  }
  auto* age = new TIntegerField(owner_);
  age->SetFieldName("Age");
  age->SetFieldKind(fkCalculated);
  age->SetDataSet(people);
  people->OnCalcFields = [](TDataSet* dataSet) {
    dataSet->FieldByName("Age")->SetAsInteger(int((Date() - dataSet->FieldByName("DOB")->AsDateTime()) / 365.25));
  };
  vt::SetClockForTests(EncodeDate(2013, 6, 1));
  people->Open();
  EXPECT_EQ(age->AsInteger(), 10);
  people->Close();
  vt::SetClockForTests(EncodeDate(2016, 6, 1));
  const std::int64_t fetches = vt::DataSetFetchCount();
  people->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches);
  EXPECT_EQ(age->AsInteger(), 13);
  EXPECT_EQ(people->FieldValueAt(2, age).AsInteger(), 12);
  vt::ResetClock();
}

TEST_F(ADODB, AnotherStatementOrParameterFetchesAnew) {
  TADOQuery* people = Query({"SELECT * FROM People", "ORDER BY LastName"});
  people->Open();
  people->SQL()->SetStrings(1, "ORDER BY LastName DESC");
  std::int64_t fetches = vt::DataSetFetchCount();
  people->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches + 1);
  EXPECT_EQ(LastNames(people), "Clark Baker Adams ");

  // A function may read the clock or a random source: such a statement always runs again.
  TADOQuery* random = Query({"SELECT random() AS Draw FROM People"});
  random->Open();
  random->Close();
  fetches = vt::DataSetFetchCount();
  random->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches + 1);

  // A detail's master key is a parameter of its statement.
  TADOTable* master = Table("People");
  master->SetIndexFieldNames("PersonID");
  auto* source = new TDataSource(owner_);
  source->SetDataSet(master);
  TADOTable* enrolments = Table("Enrolments");
  enrolments->SetMasterFields("PersonID");
  enrolments->SetMasterSource(source);
  master->Open();
  enrolments->Open();
  enrolments->Close();
  master->Next();
  fetches = vt::DataSetFetchCount();
  enrolments->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches + 1);
  EXPECT_EQ(enrolments->RecordCount(), 1);
  enrolments->Close();
  enrolments->Open();
  EXPECT_EQ(vt::DataSetFetchCount(), fetches + 1);
  EXPECT_EQ(enrolments->RecordCount(), 1);
}

// Two copies of the program on one file, each with the row read: the later write of a column
// the other changed meanwhile is refused and writes nothing; other columns are written.
TEST_F(ADODB, AnUpdateOfAColumnAnotherCopyChangedSinceItWasReadIsRefused) {
  TADOConnection otherCopy(owner_);
  otherCopy.SetConnectionString("Data Source=" + path_);
  const struct {
    const char* column;
    Variant theirs;  // written by the other copy after this one read the row
    Variant ours;
  } cases[] = {
      {"Balance", 160.5, 110.5},
      {"DOB", 38100.0, 38200.0},              // Clark's was empty
      {"City", "BOISE", "Boise City"},        // a change of letter case is a change too
      {"LastName", "Clárk", "O'Clark"},
  };
  for (const auto& c : cases) {
    TADOTable* people = Table("People");
    people->Open();
    ASSERT_TRUE(people->Locate("LastName", "Clark", {}));
    TADOQuery theirs(owner_);
    theirs.SetConnection(&otherCopy);
    theirs.SQL()->Add("SELECT * FROM People WHERE PersonID = 3");
    theirs.Open();
    theirs.Edit();
    theirs.FieldByName(c.column)->SetValue(c.theirs);
    theirs.Post();

    people->Edit();
    people->FieldByName("Notes")->SetAsString("phoned twice");  // not changed by the other copy
    people->FieldByName(c.column)->SetValue(c.ours);
    String message;
    try {
      people->Post();
    } catch (const EDatabaseError& e) {
      message = e.Message();
    }
    EXPECT_NE(message.find("The record was changed by another user"), String::npos) << c.column << ": " << message;
    EXPECT_NE(message.find("Reload the record"), String::npos) << c.column;
    EXPECT_EQ(Scalar(String("SELECT ") + c.column + " FROM People WHERE PersonID = 3"), c.theirs) << c.column;
    EXPECT_TRUE(Scalar("SELECT Notes FROM People WHERE PersonID = 3").IsNull()) << c.column;
    people->Cancel();

    // Read again, the row takes the change; a column the other copy did not touch is written
    // over a row it changed.
    people->Close();
    people->Open();
    ASSERT_TRUE(people->Locate("PersonID", 3, {}));
    people->Edit();
    people->FieldByName(c.column)->SetValue(c.ours);
    people->Post();
    theirs.Edit();
    theirs.FieldByName("Notes")->SetAsString("called back");
    theirs.Post();
    EXPECT_EQ(Scalar(String("SELECT ") + c.column + " FROM People WHERE PersonID = 3"), c.ours) << c.column;
    EXPECT_EQ(Scalar("SELECT Notes FROM People WHERE PersonID = 3").AsString(), "called back") << c.column;
    connection_->Execute("UPDATE People SET Notes = NULL WHERE PersonID = 3");
  }
}

TEST_F(ADODB, ErrorsAreRaised) {
  TADOTable* people = Table("People");
  EXPECT_THROW(people->FieldByName("LastName"), EDatabaseError);
  people->Open();
  EXPECT_THROW(people->FieldByName("LastName")->SetAsString("x"), EDatabaseError);  // not editing
  people->Edit();
  EXPECT_THROW(people->FieldByName("PersonID")->SetAsInteger(9), EDatabaseError);
  EXPECT_THROW(people->FieldByName("Balance")->SetAsString("lots"), EDatabaseError);
  people->Cancel();
  TADOQuery* bad = Query({"SELECT * FROM NoSuchTable"});
  EXPECT_THROW(bad->Open(), EDatabaseError);
  EXPECT_FALSE(bad->Active());
  TADOQuery* update = Query({"UPDATE People SET City = 'x'"});
  EXPECT_THROW(update->Open(), EDatabaseError);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People WHERE City = 'x'").AsInteger(), 0);
}

TEST_F(ADODB, ConnectionOpensOnlyExistingFilesAndClosesItsDataSets) {
  TADOTable* people = Table("People");
  people->Open();
  connection_->Close();
  EXPECT_FALSE(people->Active());
  people->Open();  // opens the connection again
  EXPECT_TRUE(connection_->Connected());
  EXPECT_EQ(connection_->DataSource(), path_);

  TADOConnection missing(nullptr);
  missing.SetConnectionString("Data Source=" + path_ + ".missing;Mode=Share Deny None");
  EXPECT_THROW(missing.Open(), EDatabaseError);
  EXPECT_FALSE(missing.Connected());
  EXPECT_EQ(std::fopen((path_ + ".missing").c_str(), "r"), nullptr);  // never created
}

}  // namespace

// A path with ";" or quotes goes into a connection string quoted and comes out whole; the
// database at it opens.
TEST_F(ADODB, DataSourcePathsWithSemicolonsAndQuotesOpen) {
  connection_->Close();
  const String folder = path_.substr(0, path_.rfind('/') + 1);
  for (const String name : {"camp;1.mdb", "o'neil \"camp\".mdb", "plain.mdb"}) {
    const String path = folder + name;
    TADOConnection copier(nullptr);
    copier.SetConnectionString("Data Source=" + path_);
    copier.Execute("VACUUM INTO " + vt::SqlQuote(path));
    TADOConnection connection(nullptr);
    connection.SetConnectionString("Provider=x;Data Source=" + vt::ConnectionStringValue(path) + ";Mode=Share");
    EXPECT_EQ(connection.DataSource(), path);
    TADOQuery people(nullptr);
    people.SetConnection(&connection);
    people.SQL()->Add("SELECT * FROM People");
    EXPECT_NO_THROW(people.Open()) << path;
    std::remove(path.c_str());
  }
  TADOConnection unclosed(nullptr);
  unclosed.SetConnectionString("Data Source=\"" + path_);
  EXPECT_THROW(unclosed.Open(), EDatabaseError);
}
