// The company editor through its form over a started camp: the first start on a fresh
// database, Done with its questions, the nouns in its captions, the removal-age warning, the
// four default lists with their refusals, and the database page (browse, change, compact).
#include "app/forms/EditCompany.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "app/DBMaskEdit.h"
#include "app/ProgramIni.h"
#include "app/forms/Main.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "rtl/FileNames.h"
#include "rtl/IniFiles.h"
#include "rtl/Registry.h"
#include "tests/app/EditorTesting.h"
#include "tests/fixtures/ScratchMount.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/MaskEdit.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"

namespace {

using vt::test::RunWhileModal;

class EditCompanyTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    vt::SetRegistryFileForTests(camp.Folder() + "registry.ini");
  }

  TADOQuery* Company() { return SQLDataModule->qCoSYS; }
  void SetCompany(const char* column, const String& value) { Company()->FieldByName(column)->SetAsString(value); }
  void FillRequired() {
    SetCompany("CompanyName", "Pine Lake Camp");
    SetCompany("DirectorName", "Dana Reyes");
    SetCompany("Address", "1 Shore Rd");
    SetCompany("City", "Pine Lake");
    SetCompany("State", "MN");
    SetCompany("ZipCode", "55555-");
  }
  // The main window's "Edit Company Info", with the script inside the dialog.
  bool EditCompany(const std::function<void()>& script) {
    return RunWhileModal(EditCompanyForm, [] { MainForm->BitBtn1->Click(); }, script);
  }
  void ShowPage(TTabSheet* sheet) { EditCompanyForm->PageControl1->SetActivePage(sheet); }
  int Count(const String& sql) { return camp.Value(sql).AsInteger(); }
  // A company row with every required field.
  void AddFullCompany() {
    camp.Execute("UPDATE CoSys SET DirectorName = 'D', Address = 'A', City = 'C', State = 'S', ZipCode = '12345-'");
  }
  void StartWithCompany() {
    AddFullCompany();
    Start();
  }
};

TEST_F(EditCompanyTest, AFreshDatabaseGetsItsCompanyRecordAndTheMainWindowFollows) {
  camp.Execute("DELETE FROM CoSys");
  vt::DialogResponder responder;
  responder.Answer(mrYes);  // Commit Changes?
  const bool closed = RunWhileModal(EditCompanyForm, [] { StartVantrel(); }, [&] {
    EXPECT_EQ(Company()->State(), dsInsert);
    FillRequired();
    SetCompany("Teams", "Squad");
    EditCompanyForm->BitBtn4->Click();
  });
  EXPECT_TRUE(closed);
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text, "Commit Changes?");
  EXPECT_EQ(responder.Last().Caption, "System");
  EXPECT_EQ(camp.Value("SELECT CompanyName FROM CoSys").AsString(), "Pine Lake Camp");
  EXPECT_EQ(camp.Value("SELECT Teams FROM CoSys").AsString(), "Squad");
  EXPECT_EQ(MainForm->Caption(), "Pine Lake Camp - Tracking Program");
}

TEST_F(EditCompanyTest, DoneWithARequiredFieldEmptyAsksAndNoKeepsTheDialogAndWhatWasTyped) {
  Start();
  vt::DialogResponder responder;
  responder.Answer(mrNo).Answer(mrYes);
  const bool closed = EditCompany([&] {
    SetCompany("CompanyName", "Renamed");
    EditCompanyForm->BitBtn4->Click();  // the address is empty: No keeps the dialog
    EXPECT_EQ(EditCompanyForm->ModalResult(), mrNone);
    EXPECT_EQ(Company()->State(), dsEdit);
    EXPECT_EQ(EditCompanyForm->DBEdit1->Text(), "Renamed");
    EditCompanyForm->BitBtn4->Click();  // Yes reverts
  });
  EXPECT_TRUE(closed);
  ASSERT_EQ(responder.Shown().size(), 2u);
  EXPECT_EQ(responder.Shown()[0].Text,
            "Insufficient information to save record. Do you want to revert the changes you have made?");
  EXPECT_EQ(responder.Shown()[0].Caption, "Error");
  EXPECT_EQ(camp.Value("SELECT CompanyName FROM CoSys").AsString(), "Acme Camps");
  EXPECT_EQ(Company()->State(), dsBrowse);
}

TEST_F(EditCompanyTest, DoneUnchangedAsksNothingAndARefusedPostStaysOpenWithTheReason) {
  StartWithCompany();
  {
    vt::DialogResponder responder;
    EXPECT_TRUE(EditCompany([&] { EditCompanyForm->BitBtn4->Click(); }));
    EXPECT_TRUE(responder.Shown().empty());
  }
  camp.Execute("CREATE TRIGGER refuse BEFORE UPDATE ON CoSys BEGIN SELECT RAISE(ABORT, 'read-only company'); END");
  vt::DialogResponder responder;
  responder.Answer(mrYes).Answer(mrOk);
  EXPECT_FALSE(EditCompany([&] {
    SetCompany("CompanyName", "Renamed");
    EditCompanyForm->BitBtn4->Click();
    EXPECT_EQ(EditCompanyForm->DBEdit1->Text(), "Renamed");
  }));
  ASSERT_EQ(responder.Shown().size(), 2u);
  EXPECT_NE(responder.Last().Text.find("read-only company"), String::npos);
  Company()->Cancel();
}

// Another copy of the program changed the company record meanwhile: a change of another column
// is saved beside it; a change of the same column is refused with the reason, and the dialog
// shows the other copy's values with what was typed, never the values it read before.
TEST_F(EditCompanyTest, ASaveAfterAnotherCopysChangeKeepsThatChange) {
  StartWithCompany();
  {
    vt::DialogResponder responder;
    responder.Answer(mrYes);
    EXPECT_TRUE(EditCompany([&] {
      SetCompany("DirectorName", "Dana Reyes");
      camp.Execute("UPDATE CoSys SET City = 'Elsewhere'");
      EditCompanyForm->BitBtn4->Click();
    }));
  }
  EXPECT_EQ(camp.Value("SELECT DirectorName || '/' || City FROM CoSys").AsString(), "Dana Reyes/Elsewhere");
  vt::DialogResponder responder;
  responder.Answer(mrYes).Answer(mrOk);
  EXPECT_FALSE(EditCompany([&] {
    SetCompany("DirectorName", "Sam Lee");
    camp.Execute("UPDATE CoSys SET DirectorName = 'Pat Kim', City = 'Lakeside'");
    EditCompanyForm->BitBtn4->Click();
    EXPECT_EQ(Company()->FieldByName("DirectorName")->AsString(), "Sam Lee");
    EXPECT_EQ(Company()->FieldByName("City")->AsString(), "Lakeside");
  }));
  EXPECT_NE(responder.Last().Text.find("changed by another user"), String::npos) << responder.Last().Text;
  EXPECT_EQ(camp.Value("SELECT DirectorName || '/' || City FROM CoSys").AsString(), "Pat Kim/Lakeside");
  Company()->Cancel();
}

TEST_F(EditCompanyTest, NounsRetitleTheListPagesAndTheRemovalAgeAsksBeforeItStays) {
  AddFullCompany();
  camp.Execute("UPDATE CoSys SET AgeGroups = 'Division', Sessions = 'Week'");
  Start();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    EXPECT_EQ(f->TabSheet4->Caption(), "Default Divisions");
    EXPECT_EQ(f->TabSheet5->Caption(), "Default Week Types");
    EXPECT_EQ(f->Label19->Caption(), "Number on Teams");
    SetCompany("Teams", "Squad");
    f->DBEdit21Exit(f->DBEdit21);
    EXPECT_EQ(f->Label19->Caption(), "Number on Squad");
    EXPECT_EQ(f->DBGrid1->Columns()->Items(2)->Title()->Caption(), "Number on Squad");

    TField* age = Company()->FieldByName("AgeToRemoveAttendees");
    vt::DialogResponder responder;
    responder.Answer(mrNo).Answer(mrYes);
    age->SetAsInteger(18);
    f->VtDBCalcEdit7Exit(f->VtDBCalcEdit7);
    EXPECT_EQ(age->AsInteger(), 0);
    f->VtDBCalcEdit7Exit(f->VtDBCalcEdit7);  // 0: no question
    age->SetAsInteger(18);
    f->VtDBCalcEdit7Exit(f->VtDBCalcEdit7);
    EXPECT_EQ(age->AsInteger(), 18);
    ASSERT_EQ(responder.Shown().size(), 2u);
    EXPECT_EQ(responder.Last().Caption, "Confirm Setting");
    Company()->Cancel();
    f->BitBtn4->Click();
  });
}

TEST_F(EditCompanyTest, ListsRefuseDuplicatesWhateverTheirCaseAndMissingValuesAndKeepRefusedEdits) {
  StartWithCompany();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    ShowPage(f->TabSheet2);
    vt::DialogResponder responder;
    responder.Answer(mrOk).Answer(mrNo).Answer(mrYes);

    f->BitBtn1->Click();  // Add
    EXPECT_TRUE(f->Edit1->Visible());
    EXPECT_TRUE(f->BitBtn10->Visible());
    f->Edit1->SetText("g");  // "G" exists
    f->Edit2->SetText("Goalie");
    f->BitBtn10->Click();
    EXPECT_EQ(responder.Shown().at(0).Text, "This position already exists.");
    EXPECT_FALSE(f->Edit1->Visible());

    f->BitBtn1->Click();
    f->Edit1->SetText("GK");
    f->BitBtn10->Click();  // no description: No keeps the panel
    EXPECT_EQ(responder.Shown().at(1).Text, "You must enter a value in each field.\nDo you wish to cancel?");
    EXPECT_TRUE(f->Edit1->Visible());
    f->Edit2->SetText("Goalkeeper");
    f->VtCalcEdit1->SetValue(1);
    f->BitBtn10->Click();
    EXPECT_FALSE(f->Edit1->Visible());
    EXPECT_EQ(Count("SELECT NumberOnTeam FROM Positions WHERE APosition = 'GK'"), 1);

    ASSERT_TRUE(SQLDataModule->tPositions->Locate("APosition", Variant("GK"), {}));
    f->BitBtn3->Click();  // Delete: Yes
    EXPECT_EQ(responder.Shown().at(2).Caption, "Comfirm delete");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Positions WHERE APosition = 'GK'"), 0);

    ASSERT_TRUE(SQLDataModule->tPositions->Locate("APosition", Variant("F"), {}));
    vt::DialogResponder refusal;
    refusal.Answer(mrOk);
    f->BitBtn15->Click();  // Edit
    EXPECT_TRUE(f->DBEdit12->Visible());
    SQLDataModule->tPositions->FieldByName("APosition")->SetAsString("c");  // "C" exists
    f->BitBtn10->Click();
    EXPECT_NE(refusal.Last().Text.find("Unable to save the record. Please make sure this position does not exist."),
              String::npos);
    EXPECT_TRUE(f->DBEdit12->Visible());
    EXPECT_EQ(SQLDataModule->tPositions->FieldByName("APosition")->AsString(), "c");
    f->BitBtn4->Click();  // Done drops the pending list edit and closes the panel
    EXPECT_FALSE(f->DBEdit12->Visible());
  });
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Positions WHERE APosition = 'F'"), 1);
}

// Another copy of the program changed or deleted the list row being edited: Save is refused with
// that reason and the list shows what is stored; the panel stays with what was typed over the row
// as stored now, or closes when the row is gone.
TEST_F(EditCompanyTest, AListEditAfterAnotherCopysChangeOrDeleteShowsTheListAsStored) {
  struct Case {
    const char* otherCopy;
    const char* reason;
    bool rowStays;  // and with it the panel
  };
  const Case cases[] = {
      {"UPDATE Positions SET Description = 'Fast', NumberOnTeam = 3 WHERE APosition = 'F'",
       "The record was changed by another user after it was read", true},
      {"DELETE FROM Positions WHERE APosition = 'F'", "The record was deleted by another user after it was read", false},
  };
  StartWithCompany();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    TADOTable* positions = SQLDataModule->tPositions;
    ShowPage(f->TabSheet2);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.otherCopy);
      ASSERT_TRUE(positions->Locate("APosition", Variant("F"), {}));
      f->BitBtn15->Click();  // Edit
      positions->FieldByName("Description")->SetAsString("Forward line");
      camp.Execute(c.otherCopy);
      vt::DialogResponder responder;
      responder.Answer(mrOk);
      f->BitBtn10->Click();  // Save
      ASSERT_EQ(responder.Shown().size(), 1u);
      EXPECT_NE(responder.Last().Text.find(c.reason), String::npos) << responder.Last().Text;
      EXPECT_EQ(f->DBEdit13->Visible(), c.rowStays);
      if (c.rowStays) {
        EXPECT_EQ(positions->State(), dsEdit);
        EXPECT_EQ(f->DBEdit13->Text(), "Forward line");
        EXPECT_EQ(positions->FieldByName("NumberOnTeam")->AsInteger(), 3) << "the row as stored now";
        positions->Cancel();
      }
      EXPECT_EQ(positions->State(), dsBrowse);
      EXPECT_EQ(positions->RecordCount(), Count("SELECT COUNT(*) FROM Positions")) << "the list shows what is stored";
      EXPECT_EQ(positions->Locate("APosition", Variant("F"), {}), c.rowStays);
    }
  });
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Positions WHERE Description = 'Forward line'"), 0);
}

// Edit on an empty list has no row to edit: it says so, and no panel opens whose Save could
// store a blank row.
TEST_F(EditCompanyTest, EditOnAnEmptyListSaysThereIsNothingToEditAndStoresNothing) {
  for (const char* table : {"Positions", "ShirtSize", "DefaultLeagues", "SessionType"})
    camp.Execute(String("DELETE FROM ") + table);
  StartWithCompany();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    const struct {
      TTabSheet* page;
      TBitBtn* edit;
      TBitBtn* save;
      TWinControl* firstEditControl;
    } lists[] = {{f->TabSheet2, f->BitBtn15, f->BitBtn10, f->DBEdit12},
                 {f->TabSheet3, f->BitBtn16, f->BitBtn11, f->DBEdit14},
                 {f->TabSheet4, f->BitBtn14, f->BitBtn12, f->DBEdit16},
                 {f->TabSheet5, f->BitBtn17, f->BitBtn13, f->GDBMaskEdit9}};
    for (const auto& list : lists) {
      SCOPED_TRACE(list.page->Caption());
      ShowPage(list.page);
      vt::DialogResponder responder;
      responder.Answer(mrOk);
      vt::ClickControl(list.edit);
      vt::ProcessEventsUntilIdle();
      ASSERT_EQ(responder.Shown().size(), 1u);
      EXPECT_EQ(responder.Last().Text, "There is nothing to edit.");
      EXPECT_EQ(responder.Last().Caption, "Error");
      EXPECT_FALSE(list.firstEditControl->Visible());
      EXPECT_FALSE(list.save->Visible());
    }
    f->BitBtn4->Click();
  });
  for (const char* table : {"Positions", "ShirtSize", "DefaultLeagues", "SessionType"})
    EXPECT_EQ(Count(String("SELECT COUNT(*) FROM ") + table), 0) << table;
}

TEST_F(EditCompanyTest, ASessionTypeWithABlankLetterIsMissingAndTheCostsKeepTheirLastValues) {
  StartWithCompany();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    ShowPage(f->TabSheet5);
    vt::DialogResponder responder;
    responder.Answer(mrNo);
    f->BitBtn8->Click();
    f->Edit7->SetText("Commuter");
    f->VtCalcEdit7->SetValue(120);
    f->BitBtn13->Click();  // no letter
    EXPECT_EQ(responder.Last().Text, "You must enter a value in each field.\nDo you wish to cancel?");
    f->MaskEdit1->SetText("c");
    f->BitBtn13->Click();
    EXPECT_EQ(Count("SELECT TotalCosts FROM SessionType WHERE Type = 'C'"), 120);
    f->BitBtn8->Click();
    EXPECT_EQ(f->VtCalcEdit7->Value(), 120);
    EXPECT_EQ(f->VtCalcEdit6->Value(), 0);
    f->BitBtn4->Click();
  });
}

TEST_F(EditCompanyTest, BrowseFillsNameAndDirectoryKeepsAnEarlierChoiceAndReportsAFailingDialog) {
  StartWithCompany();
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    vt::DialogResponder responder;
    responder.AnswerFile("/camp.mdb").Answer(mrCancel).Raise("no dialog").Answer(mrOk);
    f->DBNameBtnClick(f->DBNameBtn);
    EXPECT_EQ(f->DBNameEdit->Text(), "camp.mdb");
    EXPECT_EQ(f->DirectoryEdit->Text(), "/");
    f->DBNameBtnClick(f->DBNameBtn);  // cancelled
    EXPECT_EQ(f->DBNameEdit->Text(), "camp.mdb");
    f->DBNameBtnClick(f->DBNameBtn);
    EXPECT_EQ(responder.Last().Kind, "SystemMessageBox");
    EXPECT_EQ(responder.Last().Text, "Error ocurred while browsing for Database");
    EXPECT_EQ(responder.Last().Caption, "BROWSE ERROR");
    EXPECT_EQ(responder.Last().Type, mtError);
    f->BitBtn4->Click();
  });
}

TEST_F(EditCompanyTest, ChangeRefusesWhatIsNotACampDatabaseAndPointsTheSourceAndSettingsAtOneThatIs) {
  StartWithCompany();
  vt::test::CampFixture other("Other Camp.mdb");
  const String notADatabase = camp.Folder() + "notes.mdb";
  std::FILE* file = std::fopen(notADatabase.c_str(), "w");
  std::fputs("not a database", file);
  std::fclose(file);
  EditCompany([&] {
    TEditCompanyForm* f = EditCompanyForm;
    vt::DialogResponder responder;
    struct Refused {
      String name;
      String directory;
    };
    for (const Refused& r : {Refused{"", ""}, Refused{"missing.mdb", camp.Folder()}, Refused{"notes.mdb", camp.Folder()}}) {
      responder.Answer(mrOk);
      f->DBNameEdit->SetText(r.name);
      f->DirectoryEdit->SetText(r.directory);
      f->BitBtn18Click(f->BitBtn18);
      EXPECT_EQ(responder.Last().Caption, "Error") << r.name;
      EXPECT_FALSE(Application->Terminated());
    }
    EXPECT_EQ(responder.Shown().front().Text, "You must use the browse button to choose a database location");
    EXPECT_FALSE(FileExists(ProgramIni()) && TIniFile(ProgramIni()).ValueExists("System", "FullPath"));

    responder.Answer(mrOk);
    f->DBNameEdit->SetText("Other Camp.mdb");
    f->DirectoryEdit->SetText(other.Folder());
    f->BitBtn18Click(f->BitBtn18);
    EXPECT_EQ(responder.Last().Text, "Database path has been changed. The program will now close.");
    EXPECT_EQ(responder.Last().Caption, "Path Change Complete");
  });
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(TIniFile(ProgramIni()).ReadString("System", "FullPath", ""), other.Folder() + "Other Camp.mdb");
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly("SOFTWARE\\ODBC\\ODBC.INI\\Vantrel"));
  EXPECT_EQ(registry.ReadString("DBQ"), "Other Camp.mdb");
  EXPECT_EQ(registry.ReadString("DefaultDir"), other.Folder());
  EXPECT_EQ(registry.ReadString("FIL"), "MS Access");
  EXPECT_EQ(registry.ReadString("Driver"), "Microsoft Access Driver (*.mdb)");
  TRegistry list;  // a fresh reader: the path is taken from the root, not below the open key
  list.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(list.OpenKeyReadOnly("SOFTWARE\\ODBC\\ODBC.INI\\ODBC Data Sources"));
  EXPECT_EQ(list.ReadString("Vantrel"), "Microsoft Access Driver (*.mdb)");
}

long FileSize(const String& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::fseek(file, 0, SEEK_END);
  const long size = std::ftell(file);
  std::fclose(file);
  return size;
}

// A camp with half its attendees deleted, started; compaction follows the question.
class CompactionTest : public EditCompanyTest {
protected:
  void SetUp() override {
    EditCompanyTest::SetUp();
    for (int i = 0; i < 300; ++i) camp.AddAttendee("Name" + IntToStr(i), String(200, 'x'));
    camp.Execute("DELETE FROM Attendees WHERE CamperID % 2 = 0");
    rows = Count("SELECT COUNT(*) FROM Attendees");
    BeforeStart();
    if (IsSkipped()) return;
    StartWithCompany();
  }
  virtual void BeforeStart() {}
  void Compact() {
    before = FileSize(camp.DatabasePath());
    vt::DialogResponder responder;
    responder.Answer(mrYes).Answer(mrOk);
    EditCompany([&] { EditCompanyForm->BitBtn19Click(EditCompanyForm->BitBtn19); });
    EXPECT_EQ(responder.Shown().front().Text, "Are you sure you want to compact the database and close the program?");
    shown = responder.Last();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees"), rows);
    EXPECT_EQ(camp.Value("PRAGMA integrity_check").AsString(), "ok");
  }
  int rows = 0;
  long before = 0;
  vt::ShownDialog shown;
};

TEST_F(CompactionTest, ShrinksTheFileKeepingEveryRow) {
  camp.Connection()->Close();  // the fixture's own copy lets go of the file
  Compact();
  EXPECT_EQ(shown.Text, "Database has been compacted. The program will now close.");
  EXPECT_EQ(shown.Caption, "Success!");
  EXPECT_LT(FileSize(camp.DatabasePath()), before);
}

TEST_F(CompactionTest, FailsAndLeavesTheFileWhileAnotherCopyHasItOpen) {
  // The program's closing connection folds its log into the file, so the file may grow; its
  // free pages show it was not rewritten.
  const int freePages = Count("PRAGMA freelist_count");
  ASSERT_GT(freePages, 0);
  Compact();
  EXPECT_EQ(shown.Text, "Database was not compacted. The program will now close.");
  EXPECT_EQ(shown.Caption, "Error!");
  EXPECT_EQ(Count("PRAGMA freelist_count"), freePages);
}

// Another copy of the program, in a process of its own, has moved the camp (pointed the settings
// file at another one): Compact in this copy says so and where, and compacts neither file.
TEST_F(CompactionTest, RefusesNamingWhereTheCampWasMovedByAnotherCopy) {
  camp.Connection()->Close();
  const String moved = camp.Folder() + "Moved Camp.mdb";
  std::filesystem::copy_file(camp.DatabasePath(), moved);
  const std::uintmax_t movedSize = std::filesystem::file_size(moved);
  const pid_t other = fork();
  if (other == 0) {
    TIniFile(ProgramIni()).WriteString("System", "FullPath", moved);
    _exit(0);
  }
  ASSERT_GT(other, 0);
  waitpid(other, nullptr, 0);
  const int freePages = Count("PRAGMA freelist_count");
  Compact();
  EXPECT_EQ(shown.Text, "The camp has been moved to " + moved + " while this copy had " + camp.DatabasePath() +
                            " open. Nothing was compacted. The program will now close.");
  EXPECT_EQ(shown.Caption, "Error!");
  EXPECT_EQ(Count("PRAGMA freelist_count"), freePages);
  EXPECT_EQ(std::filesystem::file_size(moved), movedSize);
}

// The camp on a small disk of its own, full when the compaction runs: the compaction fails,
// and the file keeps every row and its free pages, with nothing left beside it.
class FullDiskCompactionTest : public CompactionTest {
protected:
  void BeforeStart() override {
    camp.Connection()->Close();
    if (!disk.Mounted() || !disk.Cover(camp.Folder())) GTEST_SKIP() << disk.Why();
  }
  static std::set<String> Files(const String& folder) {
    std::set<String> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
  }
  vt::test::ScratchMount disk{8 << 20};
};

TEST_F(FullDiskCompactionTest, FailsAndLeavesTheFileWithEveryRowAndNothingBesideIt) {
  const int freePages = Count("PRAGMA freelist_count");
  ASSERT_GT(freePages, 0);
  camp.Connection()->Close();
  disk.LeaveFree(16 << 10);
  vt::DialogResponder responder;
  responder.Answer(mrYes).Answer(mrOk);
  EditCompany([&] { EditCompanyForm->BitBtn19Click(EditCompanyForm->BitBtn19); });
  EXPECT_EQ(responder.Last().Text, "Database was not compacted. The program will now close.");
  EXPECT_EQ(responder.Last().Caption, "Error!");
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Files(camp.Folder()), (std::set<String>{"Vantrel.mdb", "filler"})) << "no copy is left behind";
  disk.Unfill();
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees"), rows);
  EXPECT_EQ(Count("PRAGMA freelist_count"), freePages);
  EXPECT_EQ(camp.Value("PRAGMA integrity_check").AsString(), "ok");
}

}  // namespace
