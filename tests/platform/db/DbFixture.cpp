// The test database: people with a yes/no, a date and a money column, and their enrolments.
#include "DbFixture.h"

#include <unistd.h>

#include <cstdio>

namespace {
const char* const kSchema = R"(
CREATE TABLE People (
  PersonID INTEGER PRIMARY KEY AUTOINCREMENT,
  LastName VARCHAR(25) COLLATE NOCASE,
  FirstName VARCHAR(25) COLLATE NOCASE,
  DOB DATETIME,
  Active YESNO DEFAULT -1,
  Balance CURRENCY,
  Notes MEMO COLLATE NOCASE,
  City TEXT COLLATE NOCASE);
CREATE TABLE Enrolments (
  PersonID INTEGER,
  SessionID INTEGER,
  Fee CURRENCY);
INSERT INTO People (LastName, FirstName, DOB, Active, Balance, City) VALUES
  ('Adams', 'Amy', 37769, -1, 10.5, 'Boston'),
  ('Baker', 'Bob', 38000, 0, 0, 'Austin'),
  ('Clark', 'Cleo', NULL, -1, 7, 'Boise');
INSERT INTO Enrolments VALUES (1, 10, 100), (1, 11, 150), (2, 10, 120);
)";
}  // namespace

void DbFixture::SetUp() {
  char pattern[] = "/tmp/vt-db-test-XXXXXX";
  int fd = mkstemp(pattern);
  close(fd);
  std::remove(pattern);
  path_ = String(pattern) + " with blanks.db";
  vt::CreateDatabaseFile(path_, kSchema);
  owner_ = new TComponent(nullptr);
  connection_ = new TADOConnection(owner_);
  connection_->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + path_ +
                                   ";Mode=Share Deny None");
  connection_->Open();
}

void DbFixture::TearDown() {
  delete owner_;
  std::remove(path_.c_str());
}

TADOQuery* DbFixture::Query(std::initializer_list<const char*> lines, TCursorType cursor) {
  auto* query = new TADOQuery(owner_);
  query->SetConnection(connection_);
  query->SetCursorType(cursor);
  for (const char* line : lines) query->SQL()->Add(line);
  return query;
}

TADOTable* DbFixture::Table(const char* tableName) {
  auto* table = new TADOTable(owner_);
  table->SetConnection(connection_);
  table->SetTableName(tableName);
  return table;
}

Variant DbFixture::Scalar(const String& sql) {
  TADOQuery* query = Query({});
  query->SQL()->Add(sql);
  query->Open();
  Variant value = query->Fields()->Fields(0)->Value();
  delete query;
  return value;
}
