// The database file as other programs see it: every committed row in the file itself once the
// connection has closed, even while another copy keeps the log open; and the table listing,
// which reads a file without changing it and refuses what is not a database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "DbFixture.h"
#include "rtl/Exceptions.h"

namespace {

using DatabaseFile = DbFixture;

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

TADOConnection* Connect(TComponent* owner, const String& path) {
  auto* connection = new TADOConnection(owner);
  connection->SetConnectionString("Data Source=" + path);
  connection->Open();
  return connection;
}

TEST_F(DatabaseFile, AClosedConnectionLeavesEveryCommittedRowInTheFileWhileAnotherCopyStaysOpen) {
  TADOConnection* otherCopy = Connect(owner_, path_);
  otherCopy->Execute("UPDATE People SET City = 'Reno' WHERE PersonID = 3");
  connection_->Execute("INSERT INTO People (LastName) VALUES ('Dunn')");
  connection_->Close();

  // The file copied alone, without its log, as a user copies or moves it.
  const String copy = path_ + " copy";
  std::filesystem::copy_file(path_, copy);
  TADOConnection* copied = Connect(owner_, copy);
  TADOQuery rows(nullptr);
  rows.SetConnection(copied);
  rows.SQL()->Add("SELECT COUNT(*) AS Found FROM People WHERE LastName = 'Dunn' OR City = 'Reno'");
  rows.Open();
  EXPECT_EQ(rows.FieldByName("Found")->AsInteger(), 2);
  rows.Close();
  copied->Close();
  otherCopy->Close();
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((copy + suffix).c_str());
}

TEST_F(DatabaseFile, TheTableListingReadsTheFileWithoutChangingItAndRefusesOtherFiles) {
  connection_->Close();
  const String before = Contents(path_);
  std::vector<String> tables = vt::ListTables(path_);
  std::sort(tables.begin(), tables.end());
  EXPECT_EQ(tables, (std::vector<String>{"Enrolments", "People", "sqlite_sequence"}));
  EXPECT_EQ(Contents(path_), before);

  const String text = path_ + ".txt";
  std::ofstream(text) << "Last name, first name\nAdams, Amy\n";
  for (const String& other : {text, path_ + " missing"}) EXPECT_THROW(vt::ListTables(other), EDatabaseError) << other;
  std::remove(text.c_str());
}

}  // namespace
