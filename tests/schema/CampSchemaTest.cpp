// The prepared camp database: its tables and column order, the keys the database assigns, the
// unique constraints behind the editors' "already" messages, the defaults and the default lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "db/ADODB.h"
#include "rtl/Exceptions.h"
#include "tests/fixtures/CampFixture.h"

namespace {

using vt::test::CampFixture;

String ColumnsOf(CampFixture& camp, const String& table) {
  return camp.Value("SELECT group_concat(name, ',') FROM (SELECT name FROM pragma_table_info('" +
                    table + "') ORDER BY cid)")
      .AsString();
}

TEST(CampSchema, EveryTableHasItsColumnsInOrder) {
  struct Table {
    const char* name;
    const char* columns;
  };
  const Table tables[] = {
      {"CoSys",
       "CompanyName,DirectorName,Address,City,State,ZipCode,PhoneNumber,FaxNumber,EmailAddress,"
       "Attendees,AttendeesP,Chaperones,ChaperonesP,Sessions,SessionsP,AgeGroups,AgeGroupsP,Teams,"
       "TeamsP,AgeToRemoveAttendees,ConfirmationLetterText,ThankYouLetterText"},
      {"Attendees",
       "CamperID,LastName,FirstName,MiddleInitial,SSN,Address,City,State,ZipCode,Phone,"
       "EmailAddress,DOB,Grade,School,ShirtSize,Height,Weight,NormalPosition,FatherSalutation,"
       "FatherName,FatherWorkPhone,FatherEmailAddress,FatherEmployer,MotherSalutation,MotherName,"
       "MotherWorkPhone,MotherEmailAddress,MotherEmployer,LivesWith,EmergencySalutation,"
       "EmergencyContact,EmergencyPhone,InsuranceCompany,InsurancePolicyNumber,TotalCharged,"
       "TotalCredits,BalanceDue,ParentalReleaseOnFile,DateOfParentalRelease,"
       "ParentalReleaseByWhom,DoctorReleaseOnFile,DateOfDoctorRelease,DoctorReleaseByWhom,"
       "Allergies,AllergicTo,GlassesContacts,KnownIllnessOneWeekDuration,BirthDeformities,"
       "MedicalConditionsBeingTreated,PreExistingInjuriesBeingTreated,FracturesDisibility,"
       "MentalConvulsions,League,Comments"},
      {"Chaperones",
       "ChaperoneID,FirstName,LastName,MiddleInitial,SSN,Address,City,State,ZipCode,Phone,"
       "EmailAddress,ShirtSize,School,SchoolPhone,SchoolJob,TotalOwed,TotalPaid,BalanceOwed,"
       "SalaryPerSession"},
      {"Sessions",
       "SessionID,Description,BeginDate,EndDate,BeginTime,EndTime,CheckInDate,CheckInTime,"
       "CheckOutDate,CheckOutTime,Location,LocationAddress,LocationCity,LocationState,"
       "LocationZip,TotalCost,DepositAmount,BalanceDueDate,TeamCamp,Comments,SessionActive"},
      {"AttendeeSession",
       "SessionID,CamperID,SessionType,AttendeeRequestID,TeammateRequestID,TotalCosts,AmountPaid,"
       "BalanceDue,RoomID,TeamID"},
      {"ChaperoneSession",
       "SessionID,ChaperoneID,SessionType,TotalFee,AmountPaid,BalanceOwed,RoomID"},
      {"AttendeeTrx", "PaymentID,CamperID,SessionID,AmountPaid,CheckNo,DatePaid"},
      {"ChaperoneTrx", "PaymentID,ChaperoneID,SessionID,AmountPaid,DatePaid,CheckNo"},
      {"PayChaperones", "ChaperoneID,SessionID,Amount"},
      {"Rooms", "RoomID,SessionID,HotelName,RoomNumber,NumberInRoom,NumberAvailable"},
      {"CoachesRooms", "RoomID,SessionID,HotelName,RoomNumber,NumberInRoom,NumberAvailable"},
      {"Teams", "TeamID,SessionID,LeagueName,TeamName,Chaperone"},
      {"Leagues", "SessionID,LeagueName,AddBy,BeginRange,EndRange,Coordinator"},
      {"DefaultLeagues", "LeagueName,BeginAgeRange,EndAgeRange,BeginGradeRange,EndGradeRange"},
      {"Positions", "APosition,Description,NumberOnTeam"},
      {"ShirtSize", "ShirtSize,ShirtSizeDescription"},
      {"SessionType", "Type,Description,TotalCosts,DepositAmount,PerRoomMaximum"},
      {"SessionSessionTypes", "SessionID,Type,Description,TotalCosts,DepositAmount,PerRoomMaximum"},
      {"ZipCodes", "Zip,City,State"},
      {"ReportDefinitions", "ReportName,Title,RecordSource,OrderBy,Subtitle,FooterText,Layout,Orientation"},
      {"ReportGroups", "ReportName,GroupLevel,GroupField,HeaderText,FooterText,NewPage"},
      {"ReportColumns",
       "ReportName,Band,ColumnOrder,FieldName,Caption,Width,Alignment,DisplayFormat,Total,RunningSum"},
  };
  CampFixture camp;
  for (const Table& table : tables) EXPECT_EQ(ColumnsOf(camp, table.name), table.columns) << table.name;
  EXPECT_EQ(camp.Value("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name <> "
                       "'sqlite_sequence'")
                .AsInteger(),
            int(std::size(tables)));
}

TEST(CampSchema, KeysAreAssignedByTheDatabaseAndNeverReused) {
  CampFixture camp;
  int session = camp.AddSession("Week 1", 0, 0);
  int first = camp.AddRoom(session, "Inn", "101", 4);
  camp.Execute("DELETE FROM Rooms WHERE RoomID = " + IntToStr(first));
  EXPECT_GT(camp.AddRoom(session, "Inn", "102", 4), first);
  EXPECT_GT(camp.AddTeam(session, "Juniors", "Hawks"), 0);
  EXPECT_GT(camp.AddRoom(session, "Inn", "1", 2, /*forChaperones=*/true), 0);
}

// Each case inserts a row twice (or once against a second row differing only in letter case).
TEST(CampSchema, UniqueConstraintsRefuseDuplicates) {
  struct Case {
    const char* what;
    const char* first;
    const char* duplicate;
  };
  const Case cases[] = {
      {"enrolment", "INSERT INTO AttendeeSession (SessionID, CamperID, SessionType) VALUES (1, 1, 'R')",
       "INSERT INTO AttendeeSession (SessionID, CamperID, SessionType) VALUES (1, 1, 'D')"},
      {"chaperone enrolment",
       "INSERT INTO ChaperoneSession (SessionID, ChaperoneID) VALUES (1, 1)",
       "INSERT INTO ChaperoneSession (SessionID, ChaperoneID) VALUES (1, 1)"},
      {"pay list", "INSERT INTO PayChaperones (ChaperoneID, SessionID, Amount) VALUES (1, 1, 300)",
       "INSERT INTO PayChaperones (ChaperoneID, SessionID, Amount) VALUES (1, 1, 0)"},
      {"position", "INSERT INTO Positions (APosition) VALUES ('PG')",
       "INSERT INTO Positions (APosition) VALUES ('pg')"},
      {"shirt size", "INSERT INTO ShirtSize (ShirtSize) VALUES ('Kids')",
       "INSERT INTO ShirtSize (ShirtSize) VALUES ('KIDS')"},
      {"session type", "INSERT INTO SessionType (Type) VALUES ('W')",
       "INSERT INTO SessionType (Type) VALUES ('w')"},
      {"default league", "INSERT INTO DefaultLeagues (LeagueName) VALUES ('Minis')",
       "INSERT INTO DefaultLeagues (LeagueName) VALUES ('Minis')"},
      {"session's type", "INSERT INTO SessionSessionTypes (SessionID, Type) VALUES (1, 'R')",
       "INSERT INTO SessionSessionTypes (SessionID, Type) VALUES (1, 'r')"},
      {"league", "INSERT INTO Leagues (SessionID, LeagueName) VALUES (1, 'Minis')",
       "INSERT INTO Leagues (SessionID, LeagueName) VALUES (1, 'minis')"},
  };
  for (const Case& c : cases) {
    CampFixture camp;
    camp.Execute(c.first);
    EXPECT_THROW(camp.Execute(c.duplicate), EDatabaseError) << c.what;
  }
}

TEST(CampSchema, PairsAreUniqueOnlyTogether) {
  CampFixture camp;
  camp.Execute("INSERT INTO AttendeeSession (SessionID, CamperID) VALUES (1, 1), (2, 1), (1, 2)");
  camp.Execute("INSERT INTO PayChaperones (ChaperoneID, SessionID) VALUES (1, 1), (1, 2), (2, 1)");
  camp.Execute("INSERT INTO Leagues (SessionID, LeagueName) VALUES (1, 'Minis'), (2, 'Minis')");
  EXPECT_EQ(camp.Value("SELECT count(*) FROM AttendeeSession").AsInteger(), 3);
}

TEST(CampSchema, LeagueNeedsAName) {
  CampFixture camp;
  EXPECT_THROW(camp.Execute("INSERT INTO Leagues (SessionID) VALUES (1)"), EDatabaseError);
  EXPECT_THROW(camp.Execute("INSERT INTO Leagues (SessionID, LeagueName) VALUES (1, '')"),
               EDatabaseError);
}

TEST(CampSchema, NewRowsStartWithZeroTotalsAndActiveSessions) {
  CampFixture camp;
  int camper = camp.AddAttendee("Smith", "Ann");
  EXPECT_EQ(camp.Value("SELECT TotalCharged + TotalCredits + BalanceDue + ParentalReleaseOnFile + "
                       "DoctorReleaseOnFile + Allergies + GlassesContacts FROM Attendees WHERE "
                       "CamperID = " + IntToStr(camper)).AsInteger(), 0);
  camp.Execute("INSERT INTO Chaperones (LastName) VALUES ('Brown')");
  EXPECT_EQ(camp.Value("SELECT TotalOwed || TotalPaid || BalanceOwed FROM Chaperones").AsString(),
            "000");
  camp.Execute("INSERT INTO Sessions (Description) VALUES ('Week 2')");
  EXPECT_EQ(camp.Value("SELECT SessionActive || TeamCamp FROM Sessions").AsString(), "-10");
  camp.Execute("INSERT INTO CoSys (CompanyName) VALUES ('Camp')");
  EXPECT_EQ(camp.Value("SELECT AgeToRemoveAttendees FROM CoSys").AsInteger(), 0);
}

TEST(CampSchema, DefaultListsArePresentAndNoCompanyRow) {
  CampFixture camp;
  EXPECT_EQ(camp.Value("SELECT count(*) FROM CoSys").AsInteger(), 0);
  EXPECT_EQ(camp.Value("SELECT PerRoomMaximum FROM SessionType WHERE Type = 'R'").AsInteger(), 4);
  EXPECT_EQ(camp.Value("SELECT PerRoomMaximum FROM SessionType WHERE Type = 'D'").AsInteger(), 0);
  for (const char* table : {"Positions", "ShirtSize", "DefaultLeagues"})
    EXPECT_GT(camp.Value(String("SELECT count(*) FROM ") + table).AsInteger(), 0) << table;
  EXPECT_EQ(camp.Value("SELECT count(*) FROM Positions WHERE NumberOnTeam > 0").AsInteger(),
            camp.Value("SELECT count(*) FROM Positions").AsInteger());
  EXPECT_EQ(camp.Value("SELECT count(*) FROM DefaultLeagues WHERE BeginAgeRange <= EndAgeRange "
                       "AND BeginGradeRange <= EndGradeRange").AsInteger(),
            camp.Value("SELECT count(*) FROM DefaultLeagues").AsInteger());
}

// The build's tool (its path compiled in), run as the build runs it.
class MakeDbTool : public ::testing::Test {
protected:
  void SetUp() override {
    tool_ = VT_MAKEDB_PATH;
    folder_ = std::filesystem::temp_directory_path() / ("vt-makedb-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  int Run(const String& arguments) {
    return std::system(("\"" + tool_ + "\" " + arguments + " 2>/dev/null").c_str());
  }

  static void Execute(const String& path, const String& sql) {
    TADOConnection connection(nullptr);
    connection.SetConnectionString("Data Source=" + path);
    connection.Open();
    connection.Execute(sql);
  }

  static int Count(const String& path, const String& table) {
    TADOConnection connection(nullptr);
    connection.SetConnectionString("Data Source=" + path);
    TADOQuery query(nullptr);
    query.SetConnection(&connection);
    query.SQL()->Add("SELECT count(*) FROM " + table);
    query.Open();
    return query.Fields()->Fields(0)->AsInteger();
  }
  static int CompanyRows(const String& path) { return Count(path, "CoSys"); }

  String tool_;
  std::filesystem::path folder_;
};

TEST_F(MakeDbTool, CreatesADatabaseAndKeepsAnExistingOneUnlessForced) {
  String path = (folder_ / "camp data.mdb").string();
  ASSERT_EQ(Run("\"" + path + "\""), 0);
  Execute(path, "INSERT INTO CoSys (CompanyName) VALUES ('Kept')");

  EXPECT_NE(Run("\"" + path + "\""), 0);
  EXPECT_EQ(CompanyRows(path), 1);

  EXPECT_EQ(Run("--force \"" + path + "\""), 0);
  EXPECT_EQ(CompanyRows(path), 0);
  EXPECT_GT(Count(path, "SessionType"), 0);
  EXPECT_NE(Run(""), 0);
}

}  // namespace
