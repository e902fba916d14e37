// The settings file's path, the database path read from it, and the connection string.
#include "app/ProgramIni.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/Connection.h"
#include "tests/fixtures/CampFixture.h"

namespace {

using vt::test::CampFixture;

void WriteIni(const String& path, const String& text) { std::ofstream(path) << text; }

TEST(ProgramIni, LiesBesideTheProgram) {
  CampFixture camp;
  camp.UseProgramFolder();
  EXPECT_EQ(ProgramIni(), camp.Folder() + "Vantrel.ini");
}

TEST(ProgramIni, DatabasePathDefaultsBesideTheProgram) {
  CampFixture camp;
  camp.UseProgramFolder();
  EXPECT_EQ(ReadDatabasePath(), camp.Folder() + "Vantrel.mdb");  // no settings file at all
  WriteIni(camp.ProgramIniPath(), "[System]\nOther=1\n[1]\n0=80\n");
  EXPECT_EQ(ReadDatabasePath(), camp.Folder() + "Vantrel.mdb");
}

TEST(ProgramIni, DatabasePathIsReadAsWritten) {
  CampFixture camp;
  camp.UseProgramFolder();
  WriteIni(camp.ProgramIniPath(), "[system]\nfullpath=/srv/camp data/Camp 2003.mdb\n");
  EXPECT_EQ(ReadDatabasePath(), "/srv/camp data/Camp 2003.mdb");
}

TEST(ProgramIni, ConnectionStringTakesThePathUnquoted) {
  EXPECT_EQ(DatabaseConnectionString("/srv/camp data/Vantrel.mdb"),
            "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=/srv/camp data/Vantrel.mdb"
            ";Mode=Share Deny None;Extended Properties=;Jet OLEDB:System database=;"
            "Jet OLEDB:Registry Path=;Jet OLEDB:Database Password=;Jet OLEDB:Engine Type=5;"
            "Jet OLEDB:Database Locking Mode=0;Jet OLEDB:Global Partial Bulk Ops=2;"
            "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=;"
            "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
            "Jet OLEDB:Don't Copy Locale on Compact=False;"
            "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");
}

class ProgramIniPath : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramIniPath, ConnectionStringOpensTheDatabaseAtThatPath) {
  CampFixture camp(GetParam());
  TADOConnection connection(nullptr);
  connection.SetConnectionString(DatabaseConnectionString(camp.DatabasePath()));
  connection.Open();
  EXPECT_TRUE(connection.Connected());
  connection.Execute("INSERT INTO CoSys (CompanyName) VALUES ('Camp')");
  EXPECT_EQ(camp.Value("SELECT CompanyName FROM CoSys").AsString(), "Camp");
}

INSTANTIATE_TEST_SUITE_P(Names, ProgramIniPath,
                         ::testing::Values("camp data 2003.mdb", "camp;copy.mdb", "camp \"a\";b.mdb"));

}  // namespace
