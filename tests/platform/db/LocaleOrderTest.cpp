// Text in the user's language's order: the names of a SELECT, a table's index order and a
// report's sort come in the locale's order, other sorts keep theirs, and the file stays one that
// the plain SQLite shell reads and writes (its NOCASE indexes unchanged).
#include "db/LocaleOrder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <vector>

#include "DbFixture.h"
#include "db/SqlText.h"
#include "tests/fixtures/UnderLocale.h"

namespace {

class LocaleOrderTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    connection_->Execute("DELETE FROM People");
    connection_->Execute("CREATE INDEX PeopleName ON People (LastName, FirstName)");
  }

  void AddPeople(const std::vector<String>& lastNames) {
    for (const String& name : lastNames)
      connection_->Execute("INSERT INTO People (LastName) VALUES (" + vt::SqlQuote(name) + ")");
  }

  std::vector<String> Column(TDataSet* dataSet, int field = 0) {
    std::vector<String> values;
    dataSet->Open();
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) values.push_back(dataSet->Fields()->Fields(field)->AsString());
    dataSet->Close();
    return values;
  }

  std::vector<String> Listed(const char* sql) { return Column(Query({sql})); }

  // A statement run on a handle of the file's own, as the plain shell opens it.
  String OnPlainHandle(const String& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    String first;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) first = sqlite3_errmsg(db);
    else if (sqlite3_step(statement) == SQLITE_ROW) first = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return first;
  }
};

TEST_F(LocaleOrderTest, NamesComeInTheOrderOfTheUsersLanguageWhereverTheyAreSorted) {
  struct Order {
    const char* locale;
    std::vector<String> names;  // in the expected order
  };
  const Order cases[] = {
      {"fr_FR.UTF-8", {"Åberg", "adams", "Çelik", "Cyrus", "Émile", "Eric", "Œuvre", "Ofen", "zola"}},
      {"de_DE.UTF-8", {"Apfel", "Äpfel", "Mueller", "müller", "Mundt", "Öl", "Zöllner"}},
      {"ru_RU.UTF-8", {"Абрамов", "Елисеев", "ёлкин", "Ёршов", "Жуков", "Яковлев"}},
  };
  for (const Order& c : cases) {
    vt::testing::UnderLocale locale(c.locale);
    connection_->Execute("DELETE FROM People");
    AddPeople(std::vector<String>(c.names.rbegin(), c.names.rend()));
    const std::vector<String> descending(c.names.rbegin(), c.names.rend());
    EXPECT_EQ(Listed("SELECT LastName FROM People ORDER BY LastName, FirstName"), c.names) << c.locale;
    EXPECT_EQ(Listed("SELECT p.LastName FROM People AS p ORDER BY p.[LastName] DESC"), descending) << c.locale;
    EXPECT_EQ(Listed("SELECT * FROM (SELECT LastName FROM People ORDER BY \"LastName\" LIMIT 100)"), c.names) << c.locale;
    TADOTable* table = Table("People");
    table->SetIndexFieldNames("LastName");
    EXPECT_EQ(Column(table, 1), c.names) << c.locale;
  }
}

// Many names the case-free order already gives in the locale's order and a few it puts last:
// the few are merged into their places, an empty name comes first, and so again when the set is
// opened anew after a write of its own.
TEST_F(LocaleOrderTest, AFewNamesOutOfTheCaseFreeOrderAreMergedIntoTheirPlaces) {
  vt::testing::UnderLocale locale("de_DE.UTF-8");
  std::vector<String> expected{"", "Apfel", "Äpfel"};
  for (int i = 10; i < 40; ++i) expected.push_back("Baker" + IntToStr(i));
  expected.insert(expected.end(), {"Özil", "Zander"});
  AddPeople(std::vector<String>(expected.begin() + 1, expected.end()));
  connection_->Execute("INSERT INTO People (FirstName) VALUES ('no last name')");
  TADOQuery* people = Query({"SELECT LastName FROM People ORDER BY LastName"});
  EXPECT_EQ(Column(people), expected);
  connection_->Execute("INSERT INTO People (LastName) VALUES ('Ölmann')");
  expected.insert(expected.end() - 2, "Ölmann");
  EXPECT_EQ(Column(people), expected);
}

// Whole rows ordered by an index of their names, stored in another order: each comes with its
// own cells and writes back to its own row; names the case-free order ties keep the order of
// their keys, whichever way the index is walked.
TEST_F(LocaleOrderTest, WholeRowsInTheIndexOrderKeepTheirCellsAndTheirKeys) {
  vt::testing::UnderLocale locale("de_DE.UTF-8");
  connection_->Execute(
      "INSERT INTO People (LastName, FirstName, City) VALUES ('Zander', 'Amy', 'z1'), ('baker', 'Bob', 'b1'), "
      "('Baker', 'bob', 'b2'), ('Äpfel', 'Ann', 'a1'), ('Apfel', 'Ann', 'a2'), ('Baker', 'Bob', 'b3')");
  const int city = 7;
  EXPECT_EQ(Column(Query({"SELECT * FROM People ORDER BY LastName, FirstName"}), city),
            (std::vector<String>{"a2", "a1", "b1", "b2", "b3", "z1"}));
  EXPECT_EQ(Column(Query({"SELECT * FROM People WHERE City <> 'b2' ORDER BY LastName DESC, FirstName DESC"}), city),
            (std::vector<String>{"z1", "b3", "b1", "a1", "a2"}));
  TADOQuery* people = Query({"SELECT * FROM People ORDER BY LastName, FirstName"});
  people->Open();
  people->MoveBy(3);
  people->Edit();
  people->FieldByName("FirstName")->SetAsString("Bea");
  people->Post();
  EXPECT_EQ(Scalar("SELECT FirstName FROM People WHERE City = 'b2'").AsString(), "Bea");
  EXPECT_EQ(people->FieldByName("City")->AsString(), "b2");
}

TEST_F(LocaleOrderTest, OtherSortsKeepTheirOrderAndTextInQuotesStays) {
  vt::testing::UnderLocale locale("en_US.UTF-8");
  AddPeople({"Émile", "adams", "Zola"});
  EXPECT_EQ(Listed("SELECT LastName FROM People ORDER BY LastName COLLATE BINARY"),
            (std::vector<String>{"Zola", "adams", "Émile"}));
  EXPECT_EQ(Listed("SELECT PersonID FROM People ORDER BY PersonID DESC"), (std::vector<String>{"6", "5", "4"}));
  EXPECT_EQ(Listed("SELECT LastName FROM People ORDER BY lower(LastName)"),
            (std::vector<String>{"adams", "Zola", "Émile"}));  // lower() leaves "É" as it is
  EXPECT_EQ(Listed("SELECT 'ORDER BY LastName' || ' -- [x]' FROM People ORDER BY LastName LIMIT 1"),
            std::vector<String>{"ORDER BY LastName -- [x]"});
}

TEST_F(LocaleOrderTest, TheFileKeepsTheIndexesThePlainShellReadsAndWrites) {
  vt::testing::UnderLocale locale("de_DE.UTF-8");
  AddPeople({"Zöllner", "Äpfel", "Apfel", "Mueller", "müller"});
  EXPECT_EQ(OnPlainHandle("PRAGMA integrity_check"), "ok");
  EXPECT_EQ(OnPlainHandle("INSERT INTO People (LastName) VALUES ('Ölberg') RETURNING LastName"), "Ölberg");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People INDEXED BY PeopleName WHERE LastName = 'ÖLBERG'").AsInteger(), 1);
  EXPECT_EQ(Listed("SELECT LastName FROM People ORDER BY LastName"),
            (std::vector<String>{"Apfel", "Äpfel", "Mueller", "müller", "Ölberg", "Zöllner"}));
  connection_->Execute("UPDATE People SET LastName = 'Ärger' WHERE LastName = 'Zöllner'");
  EXPECT_EQ(OnPlainHandle("PRAGMA integrity_check"), "ok");
  EXPECT_EQ(OnPlainHandle("SELECT group_concat(LastName, ',') FROM (SELECT LastName FROM People ORDER BY LastName)"),
            "Apfel,Mueller,müller,Äpfel,Ärger,Ölberg");  // the shell's own NOCASE: accented letters last
}

}  // namespace
