// Start-up over a prepared camp database: the company check, the ended-session and age passes,
// and a missing, damaged or read-only database file ending start-up with its message and no main
// window.
#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "app/About.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/forms/EditCompany.h"
#include "app/forms/Main.h"
#include "db/Connection.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "rtl/IniFiles.h"
#include "schema/CampSchema.h"
#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ReadOnlyView.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

const TDateTime kToday = EncodeDate(2003, 6, 10);

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

// What a file holds, as a checksum, or "absent".
String Digest(const String& path) {
  if (!std::filesystem::exists(path)) return "absent";
  const String contents = Contents(path);
  return IntToStr(static_cast<std::int64_t>(std::hash<String>{}(contents))) + " of " + IntToStr(int(contents.size()));
}

// The database file with its log and shared-memory file.
std::vector<String> Digests(const String& path) { return {Digest(path), Digest(path + "-wal"), Digest(path + "-shm")}; }

// The files of a database whose last rows are still in its log, as a program killed before it
// folded the log in leaves them: copied while a connection holds them.
void CopyWithRowsInTheLog(const String& from, const String& to, const String& write) {
  TADOConnection connection(nullptr);
  connection.SetConnectionString("Data Source=" + vt::ConnectionStringValue(from));
  connection.Open();
  connection.Execute(write);
  for (const char* file : {"", "-wal", "-shm"})
    std::filesystem::copy_file(from + file, to + file, std::filesystem::copy_options::overwrite_existing);
}

class StartupTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    camp.UseProgramFolder();
    vt::SetClockForTests(kToday + 0.5);
  }
  void TearDown() override {
    Stop();
    vt::ResetClock();
  }

  // Runs start-up; the company editor, when it comes, notes the state of the company record and
  // is left through its Done button, reverting what it was given.
  void Start() {
    editorShown = 0;
    Screen->OnActiveFormChange = [this](TObject*) {
      if (!EditCompanyForm || Screen->ActiveForm() != EditCompanyForm ||
          EditCompanyForm->ModalResult() != mrNone)
        return;
      ++editorShown;
      editorState = SQLDataModule->qCoSYS->State();
      vt::DialogResponder responder;
      responder.Answer(mrYes);  // the required fields are empty: revert
      EditCompanyForm->BitBtn4Click(EditCompanyForm->BitBtn4);
    };
    StartVantrel();
  }
  // The forms and the data module go, so that the next start-up begins afresh.
  void Stop() {
    Screen->OnActiveFormChange = nullptr;
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
    EditCompanyForm = nullptr;
  }

  int Active(int sessionId) {
    return camp.Value("SELECT SessionActive FROM Sessions WHERE SessionID = " + IntToStr(sessionId)).AsInteger();
  }
  int Count(const String& sql) { return camp.Value(sql).AsInteger(); }

  vt::test::CampFixture camp{"My Camp.mdb"};  // a path with a blank, named by the settings file
  int editorShown = 0;
  TDataSetState editorState = dsInactive;
};

TEST_F(StartupTest, AnEmptyCompanyTableOpensTheEditorOnANewRecordThroughAPathWithBlanks) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  Start();
  EXPECT_EQ(editorShown, 1);
  EXPECT_EQ(editorState, dsInsert);
  EXPECT_TRUE(SQLDataModule->qCoSYS->IsEmpty());  // Done of the stand-in gave the row up
  EXPECT_FALSE(MainForm->Visible());              // shown only by the message loop
  EXPECT_FALSE(AboutForm->Visible());
  EXPECT_TRUE(AboutForm->BitBtn4->Visible());
  EXPECT_EQ(AboutForm->Label7->Caption(), "Checking Attendee Information");
}

TEST_F(StartupTest, OnlyThePlaceholderNameInItsExactCaseOpensTheEditorInEditState) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  camp.AddCompany("Your Company Name");
  struct Case {
    const char* name;
    int shown;
  };
  for (const Case& c : {Case{"Your Company Name", 1}, Case{"your company name", 0}, Case{"Acme Camps", 0}}) {
    camp.Execute("UPDATE CoSys SET CompanyName = " + vt::SqlQuote(c.name));
    Start();
    EXPECT_EQ(editorShown, c.shown) << c.name;
    if (c.shown) EXPECT_EQ(editorState, dsEdit);
    Stop();
  }
}

TEST_F(StartupTest, SessionsEndingTodayOrWithoutAnEndDateBecomeInactive) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  camp.AddCompany("Acme Camps");
  const int endsToday = camp.AddSession("Today", kToday - 5, kToday);
  const int endsTomorrow = camp.AddSession("Tomorrow", kToday - 5, kToday + 1);
  const int noEnd = camp.AddSession("Open", kToday - 5, kToday);
  camp.Execute("UPDATE Sessions SET EndDate = NULL WHERE SessionID = " + IntToStr(noEnd));
  Start();
  EXPECT_EQ(Active(endsToday), 0);
  EXPECT_EQ(Active(endsTomorrow), -1);
  EXPECT_EQ(Active(noEnd), 0);
  EXPECT_EQ(SQLDataModule->qSessions->RecordCount(), 1);  // reopened after the pass
}

TEST_F(StartupTest, TheAgePurgeRemovesThoseWhoReachedTheLimitWithTheirRowsAndGivesRoomsBack) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  camp.AddCompany("Acme Camps", 18);
  const int session = camp.AddSession("Week", kToday + 10, kToday + 15);
  const int room = camp.AddRoom(session, "Inn", "101", 4);
  camp.Execute("UPDATE Rooms SET NumberAvailable = 3");
  const int team = camp.AddTeam(session, "Juniors", "Team1");
  const int eighteen = camp.AddAttendee("Old", "Enough", Variant::FromDate(kToday - 6575));  // 18.001
  camp.AddAttendee("Almost", "Eighteen", Variant::FromDate(kToday - 6574));                 // 17.998
  camp.AddAttendee("No", "Birthday");
  camp.AddAttendee("Future", "Born", Variant::FromDate(kToday + 20 * 366));
  camp.AddEnrolment(session, eighteen, "R", room, team);
  camp.Insert("AttendeeTrx", {{"CamperID", eighteen}, {"SessionID", session}, {"AmountPaid", 100.0}});

  Start();
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees"), 3);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees WHERE LastName = 'Old'"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeSession"), 0);
  EXPECT_EQ(Count("SELECT NumberAvailable FROM Rooms"), 4);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Teams"), 1);
  EXPECT_EQ(SQLDataModule->qAttendees->RecordCount(), 3);

  Stop();
  camp.Execute("UPDATE CoSys SET AgeToRemoveAttendees = 0");
  camp.Execute("UPDATE Attendees SET DOB = " + FloatToStr(kToday - 40 * 366) + " WHERE LastName = 'Almost'");
  Start();
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees"), 3);
}

// Dates the sqlite3 shell wrote as text (as a spreadsheet import writes them): the passes act on
// them as on day numbers, the attendee list shows them, and a text that is no date neither ends
// its session nor removes its attendee. The stored texts stay as they were written.
TEST_F(StartupTest, TextDatesFromTheSqliteShellReadAsThoseDatesAndOneThatIsNoDateRemovesNothing) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  camp.AddCompany("Acme Camps", 18);
  const int endsToday = camp.AddSession("Today", kToday - 5, 0);
  const int endsTomorrow = camp.AddSession("Tomorrow", kToday - 5, 0);
  const int noDate = camp.AddSession("Garbled", kToday - 5, 0);
  const int eleven = camp.AddAttendee("Young", "Eleven");
  const int eighteen = camp.AddAttendee("Grown", "Up");
  const int unknown = camp.AddAttendee("Unknown", "Birthday");
  camp.AddEnrolment(endsTomorrow, eleven, "R");
  camp.AddEnrolment(endsTomorrow, unknown, "R");
  camp.Insert("AttendeeTrx", {{"CamperID", eleven}, {"SessionID", endsTomorrow}, {"AmountPaid", 50.0}});
  const auto set = [](const char* table, const char* column, const char* text, const char* key, int id) {
    return String("UPDATE ") + table + " SET " + column + " = '" + text + "' WHERE " + key + " = " + IntToStr(id) + ";";
  };
  const String shell = "sqlite3 '" + camp.DatabasePath() + "' \"" +
                       set("Sessions", "EndDate", "2003-06-10", "SessionID", endsToday) +
                       set("Sessions", "EndDate", "2003-06-11 09:30:00", "SessionID", endsTomorrow) +
                       set("Sessions", "EndDate", "next week", "SessionID", noDate) +
                       set("Attendees", "DOB", "1992-05-01", "CamperID", eleven) +
                       set("Attendees", "DOB", "1985-06-01T08:00", "CamperID", eighteen) +
                       set("Attendees", "DOB", "unknown", "CamperID", unknown) + "\"";
  ASSERT_EQ(std::system(shell.c_str()), 0) << shell;

  Start();
  EXPECT_EQ(Active(endsToday), 0);
  EXPECT_EQ(Active(endsTomorrow), -1);
  EXPECT_EQ(Active(noDate), -1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees WHERE CamperID = " + IntToStr(eighteen)), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees"), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeSession"), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM AttendeeTrx"), 1);
  TADOQuery* attendees = SQLDataModule->qAttendees;
  ASSERT_TRUE(attendees->Locate("CamperID", eleven, {}));
  EXPECT_EQ(attendees->FieldByName("DOB")->DisplayText(), DateToStr(EncodeDate(1992, 5, 1)));
  ASSERT_TRUE(attendees->Locate("CamperID", unknown, {}));
  EXPECT_EQ(attendees->FieldByName("DOB")->DisplayText(), "");
  EXPECT_EQ(camp.Value("SELECT DOB || '' FROM Attendees WHERE CamperID = " + IntToStr(eleven)).AsString(), "1992-05-01");
  EXPECT_EQ(camp.Value("SELECT EndDate || '' FROM Sessions WHERE SessionID = " + IntToStr(noDate)).AsString(), "next week");
}

TEST_F(StartupTest, AMissingDatabaseEndsStartUpWithItsMessageAndNoMainWindow) {
  const String missing = camp.Folder() + "gone/Nowhere.mdb";
  TIniFile(ProgramIni()).WriteString("System", "FullPath", missing);
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  bool mainShown = false;
  Screen->OnActiveFormChange = [&](TObject*) { mainShown = mainShown || (MainForm && MainForm->Visible()); };
  EXPECT_EQ(RunVantrel(), 0);
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_NE(responder.Last().Text.find(missing), String::npos) << responder.Last().Text;
  EXPECT_FALSE(mainShown);  // the forms are freed on the way out: MainForm is not read after it
  MainForm = nullptr;
  EXPECT_FALSE(Application->Terminated());  // the message loop was never entered
}

TEST_F(StartupTest, ADamagedDatabaseEndsStartUpWithAMessageNamingItAndIsLeftByteForByte) {
  TIniFile(ProgramIni()).WriteString("System", "FullPath", camp.DatabasePath());
  camp.AddCompany("Camp Vantrel");
  camp.Connection()->Close();
  String contents;
  {
    std::ifstream file(camp.DatabasePath(), std::ios::binary);
    contents.assign(std::istreambuf_iterator<char>(file), {});
  }
  contents.replace(0, 16, "Not a camp file!");
  std::ofstream(camp.DatabasePath(), std::ios::binary | std::ios::trunc) << contents;
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  EXPECT_EQ(RunVantrel(), 0);
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_NE(responder.Last().Text.find("The database '" + camp.DatabasePath() + "' is damaged"), String::npos)
      << responder.Last().Text;
  std::ifstream file(camp.DatabasePath(), std::ios::binary);
  EXPECT_TRUE(String(std::istreambuf_iterator<char>(file), {}) == contents);
  MainForm = nullptr;
}

// Files the program refuses: each is named with why, the main window never comes, and the file,
// its log and its shared-memory file stay byte for byte as they were (none is made, applied or
// removed). A camp refused for another database's log beside it opens whole once the log is gone.
TEST_F(StartupTest, ARefusedFileAndTheLogBesideItAreLeftByteForByte) {
  camp.AddCompany("Camp Vantrel");
  camp.Connection()->Close();
  const String refused = camp.Folder() + "Refused.mdb";
  const String other = camp.Folder() + "Invoices.db";
  vt::CreateDatabaseFile(other, "CREATE TABLE Invoices (InvoiceID INTEGER PRIMARY KEY, Amount REAL)");
  const String notOurs = "The file '" + refused + "' is not a camp database of this program (it has none of its "
                         "tables) and was left as it is.";
  const struct {
    const char* kind;
    std::function<void()> make;
    String message;
  } cases[] = {
      {"another program's SQLite file", [&] { std::filesystem::copy_file(other, refused); }, notOurs},
      {"another program's SQLite file with rows in its log",
       [&] { CopyWithRowsInTheLog(other, refused, "INSERT INTO Invoices (Amount) VALUES (12.3456789)"); }, notOurs},
      {"an older camp",
       [&] {
         vt::CreateDatabaseFile(refused, String(vt::CampSchemaScript()) +
                                             "INSERT INTO Attendees (LastName, TotalCharged) VALUES ('Drift', 0.1 + 0.2);"
                                             "ALTER TABLE Sessions DROP COLUMN SessionActive;");
       },
       "The file '" + refused + "' holds a camp database of another version of this program (its table Sessions "
       "has no column SessionActive) and was left as it is."},
      {"a damaged camp",
       [&] {
         String contents = Contents(camp.DatabasePath());
         std::fill(contents.begin() + 3 * 4096, contents.begin() + 4 * 4096, '\0');
         std::ofstream(refused, std::ios::binary) << contents;
       },
       "The database '" + refused + "' is damaged (database disk image is malformed) and was left as "
       "it is. Restore it from a backup copy, then start the program again."},
      {"an empty file with a log beside it",
       [&] {
         std::ofstream{refused};
         CopyWithRowsInTheLog(other, camp.Folder() + "scratch", "INSERT INTO Invoices (Amount) VALUES (1)");
         std::filesystem::rename(camp.Folder() + "scratch-wal", refused + "-wal");
       },
       "The database '" + refused + "' is damaged (the file is empty) and was left as it is. Restore it from a "
       "backup copy, then start the program again."},
      {"a camp with another database's log beside it",
       [&] {
         std::filesystem::copy_file(camp.DatabasePath(), refused);
         CopyWithRowsInTheLog(other, camp.Folder() + "scratch", "INSERT INTO Invoices (Amount) VALUES (2)");
         std::filesystem::rename(camp.Folder() + "scratch-wal", refused + "-wal");
         std::filesystem::rename(camp.Folder() + "scratch-shm", refused + "-shm");
       },
       "The database '" + refused + "' has a log file beside it ('" + refused + "-wal') that does not belong to it. "
       "Both files were left as they are: move the log file out of the folder, then start the program again."},
  };
  TIniFile(ProgramIni()).WriteString("System", "FullPath", refused);
  for (const auto& c : cases) {
    for (const char* file : {"", "-wal", "-shm"}) std::filesystem::remove(refused + file);
    c.make();
    const std::vector<String> before = Digests(refused);
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    bool mainShown = false;
    Screen->OnActiveFormChange = [&](TObject*) { mainShown = mainShown || (MainForm && MainForm->Visible()); };
    EXPECT_EQ(RunVantrel(), 0) << c.kind;
    Stop();
    ASSERT_EQ(responder.Shown().size(), 1u) << c.kind;
    EXPECT_EQ(responder.Last().Text, c.message) << c.kind;
    EXPECT_FALSE(mainShown) << c.kind;
    EXPECT_EQ(Digests(refused), before) << c.kind;
  }

  std::filesystem::remove(refused + "-wal");
  Start();
  EXPECT_EQ(SQLDataModule->qCoSYS->FieldByName("CompanyName")->AsString(), "Camp Vantrel");
}

// A copy of the program killed before it folded its log into the camp: the next start takes the
// log's rows.
TEST_F(StartupTest, ACampWithRowsOfItsOwnInItsLogStartsWithThoseRows) {
  camp.AddCompany("Camp Vantrel");
  camp.Connection()->Close();
  const String killed = camp.Folder() + "Killed.mdb";
  CopyWithRowsInTheLog(camp.DatabasePath(), killed, "UPDATE CoSys SET CompanyName = 'Logged Camps'");
  TIniFile(ProgramIni()).WriteString("System", "FullPath", killed);
  Start();
  EXPECT_EQ(SQLDataModule->qCoSYS->FieldByName("CompanyName")->AsString(), "Logged Camps");
}

// Read-only places: the file, its folder (the log files cannot be made beside it) and a
// shared-memory file an earlier run left read-only. Start-up names the place and what to do,
// the main window never comes, nothing is written or made beside the file, and once the place
// is writable again the program starts and saves.
TEST_F(StartupTest, AReadOnlyPlaceEndsStartUpWithWhatToDoAndWritesNothing) {
  const String path = camp.DatabasePath();
  const String shm = path + "-shm";
  TIniFile(ProgramIni()).WriteString("System", "FullPath", path);
  camp.AddCompany("Camp Vantrel");
  camp.Connection()->Close();
  const String contents = Contents(path);
  const struct {
    const char* place;
    std::function<std::unique_ptr<vt::test::ReadOnlyView>()> make;
    String reason;
  } cases[] = {
      {"the file", [&] { return std::make_unique<vt::test::ReadOnlyView>(path); },
       "the file is read-only. Make the file writable"},
      {"the folder",
       [&] {
         auto view = std::make_unique<vt::test::ReadOnlyView>(camp.Folder());
         if (view->Made() && !view->KeepWritable("My Camp.mdb")) return std::unique_ptr<vt::test::ReadOnlyView>();
         return view;
       },
       "its folder is read-only (the program keeps its log files beside the file). Make the folder writable"},
      {"the shared-memory file",
       [&] {
         std::ofstream{shm};
         return std::make_unique<vt::test::ReadOnlyView>(shm);
       },
       "its shared-memory file '" + shm + "' is read-only. Make that file writable, or delete it while no copy "
       "of the program runs"},
  };
  for (const auto& c : cases) {
    {
      const std::unique_ptr<vt::test::ReadOnlyView> view = c.make();
      const bool shmBefore = std::filesystem::exists(shm);
      if (!view || !view->Made()) GTEST_SKIP() << vt::test::ReadOnlyView::Why();
      vt::DialogResponder responder;
      responder.Answer(mrOk);
      bool mainShown = false;
      Screen->OnActiveFormChange = [&](TObject*) { mainShown = mainShown || (MainForm && MainForm->Visible()); };
      EXPECT_EQ(RunVantrel(), 0) << c.place;
      ASSERT_EQ(responder.Shown().size(), 1u) << c.place;
      EXPECT_EQ(responder.Last().Text, "The database '" + path + "' cannot be saved to: " + c.reason +
                                           ", then start the program again.")
          << c.place;
      EXPECT_FALSE(mainShown) << c.place;
      Stop();
      EXPECT_TRUE(Contents(path) == contents) << c.place;
      EXPECT_FALSE(std::filesystem::exists(path + "-wal")) << c.place;
      EXPECT_EQ(std::filesystem::exists(shm), shmBefore) << c.place;
    }
    Start();
    EXPECT_NO_THROW(SQLDataModule->dbVantrelADO->Execute("UPDATE CoSys SET CompanyName = 'Camp Vantrel'")) << c.place;
    Stop();
    camp.Connection()->Close();
  }
}

}  // namespace
