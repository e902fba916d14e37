// The ODBC installer stand-in: a system data source written to the registry store from its
// NUL-separated attributes, COMPACT_DB compacting a database file in place only while nothing
// else has it open, and FALSE for every other request or driver.
#include "win/odbc/OdbcInstaller.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/Fields.h"
#include "rtl/Registry.h"

namespace {

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

// The attribute list as the program builds it: each ";" a NUL.
String List(String formatted) {
  for (char& c : formatted)
    if (c == ';') c = '\0';
  return formatted;
}

class OdbcInstaller : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt-odbc-test-XXXXXX";
    folder_ = String(mkdtemp(pattern)) + "/";
    vt::SetRegistryFileForTests(folder_ + "registry.ini");
    database_ = folder_ + "Camp Data.mdb";
    // Many rows written and most deleted again: the file keeps their pages until compacted.
    vt::CreateDatabaseFile(database_, R"(
      CREATE TABLE People (PersonID INTEGER PRIMARY KEY, Name TEXT);
      WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)
        INSERT INTO People SELECT i, printf('person %d with a longer name to fill pages', i) FROM n;
      DELETE FROM People WHERE PersonID > 100;)");
  }
  void TearDown() override {
    vt::SetRegistryFileForTests("");
    std::filesystem::remove_all(folder_);
  }

  BOOL CompactInPlace() {
    const String quoted = "\"" + database_ + "\"";
    return SQLConfigDataSource(nullptr, ODBC_ADD_DSN, vt::kAccessDriver,
                               List("COMPACT_DB=" + quoted + " " + quoted + " General;").c_str());
  }

  String folder_;
  String database_;
};

TEST_F(OdbcInstaller, ASystemDataSourceIsWrittenToTheRegistryStoreWithItsAttributes) {
  const String attributes =
      List("DSN=Vantrel;FIL=MS Access;DBQ=Camp Data.mdb;DefaultDir=" + folder_ + ";Description=;UID=;;");
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, vt::kAccessDriver, attributes.c_str()), TRUE);

  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly("SOFTWARE\\ODBC\\ODBC.INI\\Vantrel"));
  EXPECT_EQ(registry.ReadString("Driver"), vt::kAccessDriver);
  EXPECT_EQ(registry.ReadString("FIL"), "MS Access");
  EXPECT_EQ(registry.ReadString("DBQ"), "Camp Data.mdb");
  EXPECT_EQ(registry.ReadString("DefaultDir"), folder_);
  EXPECT_TRUE(registry.ValueExists("Description"));
  EXPECT_FALSE(registry.ValueExists("DSN"));
  TRegistry list;  // a fresh reader: the path is taken from the root, not below the open key
  list.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(list.OpenKeyReadOnly("SOFTWARE\\ODBC\\ODBC.INI\\ODBC Data Sources"));
  EXPECT_EQ(list.ReadString("Vantrel"), vt::kAccessDriver);
}

TEST_F(OdbcInstaller, OtherRequestsDriversAndIncompleteAttributesAreRefused) {
  const String source = List("DSN=Vantrel;DBQ=x.mdb;;");
  const String quoted = "\"" + database_ + "\"";
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, "SQL Server", source.c_str()), FALSE);
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, nullptr, source.c_str()), FALSE);
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_ADD_SYS_DSN, vt::kAccessDriver, source.c_str()), FALSE);
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_REMOVE_DSN, vt::kAccessDriver, source.c_str()), FALSE);
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, vt::kAccessDriver, List("DBQ=x.mdb;;").c_str()), FALSE);
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, vt::kAccessDriver, List("DSN=;;").c_str()), FALSE);
  for (const String& compact : {"COMPACT_DB=" + database_ + " " + database_ + " General;",  // unquoted
                                "COMPACT_DB=" + quoted + " General;", String("COMPACT_DB=;")})
    EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_ADD_DSN, vt::kAccessDriver, List(compact).c_str()), FALSE) << compact;
  EXPECT_EQ(SQLConfigDataSource(nullptr, ODBC_CONFIG_DSN, vt::kAccessDriver,
                                List("COMPACT_DB=" + quoted + " " + quoted + " General;").c_str()),
            FALSE);
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(registry.KeyExists("SOFTWARE\\ODBC\\ODBC.INI\\Vantrel"));
}

TEST_F(OdbcInstaller, CompactionRewritesTheFileNoLargerWithEveryRowAndOnlyWhenItIsAlone) {
  const auto before = std::filesystem::file_size(database_);
  {
    TADOConnection other(nullptr);  // another copy of the program on the file
    other.SetConnectionString("Data Source=" + database_);
    other.Open();
    other.Execute("INSERT INTO People VALUES (101, 'in the log')");
    const String held = Contents(database_);
    EXPECT_EQ(CompactInPlace(), FALSE);
    EXPECT_EQ(Contents(database_), held);
  }
  EXPECT_EQ(CompactInPlace(), TRUE);
  EXPECT_LT(std::filesystem::file_size(database_), before);
  EXPECT_FALSE(std::filesystem::exists(database_ + "-wal"));

  TADOConnection compacted(nullptr);
  compacted.SetConnectionString("Data Source=" + database_);
  TADOQuery rows(nullptr);
  rows.SetConnection(&compacted);
  rows.SQL()->Add("SELECT COUNT(*) AS People, MAX(Name) AS Last FROM People");
  rows.Open();
  EXPECT_EQ(rows.FieldByName("People")->AsInteger(), 101);
  EXPECT_EQ(rows.FieldByName("Last")->AsString(), "person 99 with a longer name to fill pages");
}

}  // namespace
