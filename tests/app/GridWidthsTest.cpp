// Grid column widths in the settings file: written under each column's field name in column
// order, so a width (and the place) stays with its column after a drag; numbered keys of earlier
// versions read by key position; zero, negative and non-numbers keep the designed width.
#include "app/GridWidths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/ProgramIni.h"
#include "rtl/FileNames.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ScratchMount.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

class GridWidthsTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    camp.UseProgramFolder();
  }

  // A grid of three persistent columns 64, 65 and 66 pixels wide, showing the given fields.
  static TDBGrid* MakeGrid(TComponent* owner, std::vector<String> fields = {"", "", ""}) {
    auto* grid = new TDBGrid(owner);
    int width = 64;
    for (const String& field : fields) {
      TColumn* column = grid->Columns()->Add();
      column->SetFieldName(field);
      column->SetWidth(width++);
    }
    return grid;
  }

  static std::vector<int> Widths(TDBGrid* grid) {
    std::vector<int> widths;
    for (int i = 0; i < grid->Columns()->Count(); ++i) widths.push_back(grid->Columns()->Items(i)->Width());
    return widths;
  }

  static std::vector<String> Fields(TDBGrid* grid) {
    std::vector<String> fields;
    for (int i = 0; i < grid->Columns()->Count(); ++i) fields.push_back(grid->Columns()->Items(i)->FieldName());
    return fields;
  }

  void WriteIni(const String& text) { std::ofstream(ProgramIni()) << text; }

  std::vector<int> Restored(const String& section) {
    TComponent owner(nullptr);
    TDBGrid* grid = MakeGrid(&owner);
    TIniFile ini(ProgramIni());
    TStringList keys;
    RestoreGridWidths(&ini, &keys, grid, section);
    return Widths(grid);
  }

  vt::test::CampFixture camp;
};

TEST_F(GridWidthsTest, RestoreGoesByKeyPositionAndKeepsDesignedWidthsWhereNoValueCounts) {
  WriteIni(
      "[1]\n2=50\n0=80\n"          // the i-th key sets the i-th column, whatever its name
      "[2]\n0=0\n1=abc\n2=90\n"     // zero and non-numbers keep the design, later keys still count
      "[3]\n0=10\n1=20\n2=30\n3=40\n7=70\n"   // keys beyond the last column are ignored
      "[4]\n0=-40\n1=-1\n2=1\n");  // below the grid's one pixel: the designed width
  EXPECT_EQ(Restored("1"), (std::vector<int>{50, 80, 66}));
  EXPECT_EQ(Restored("2"), (std::vector<int>{64, 65, 90}));
  EXPECT_EQ(Restored("3"), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(Restored("4"), (std::vector<int>{64, 65, 1}));
  EXPECT_EQ(Restored("9"), (std::vector<int>{64, 65, 66}));
}

// The user drags the last column to the front and widens it: the next start shows the columns in
// that order, each with its own width; a field the grid no longer shows is passed over, and a
// column the section does not name follows the named ones.
TEST_F(GridWidthsTest, AfterAColumnDragEachWidthAndPlaceStayWithItsColumn) {
  const std::vector<String> design{"LastName", "FirstName", "DOB"};
  {
    TComponent owner(nullptr);
    TDBGrid* grid = MakeGrid(&owner, design);
    grid->Columns()->Items(2)->SetIndex(0);
    grid->Columns()->Items(0)->SetWidth(140);
    StoreGridWidths(grid, "8");
  }
  TIniFile ini(ProgramIni());
  TStringList keys;
  ini.ReadSection("8", &keys);
  EXPECT_EQ(keys.CommaText(), "DOB,LastName,FirstName");

  TComponent owner(nullptr);
  TDBGrid* next = MakeGrid(&owner, design);
  RestoreGridWidths(&ini, &keys, next, "8");
  EXPECT_EQ(Fields(next), (std::vector<String>{"DOB", "LastName", "FirstName"}));
  EXPECT_EQ(Widths(next), (std::vector<int>{140, 64, 65}));

  WriteIni("[9]\nSchool=90\nFirstName=120\nLastName=-5\n");
  TDBGrid* older = MakeGrid(&owner, design);
  RestoreGridWidths(&ini, &keys, older, "9");
  EXPECT_EQ(Fields(older), (std::vector<String>{"FirstName", "LastName", "DOB"}));
  EXPECT_EQ(Widths(older), (std::vector<int>{120, 64, 66}));
}

TEST_F(GridWidthsTest, AWidthFromADamagedFileIsKeptWithinTheScreen) {
  WriteIni("[4]\n0=2147483647\n1=70\n");
  EXPECT_EQ(Restored("4"), (std::vector<int>{Screen->Width(), 70, 66}));
}

TEST_F(GridWidthsTest, StoreCreatesTheFileWithEveryColumnAndRestoreReadsItBack) {
  TComponent owner(nullptr);
  TDBGrid* grid = MakeGrid(&owner);
  grid->Columns()->Items(1)->SetWidth(120);
  StoreGridWidths(grid, "5");
  StoreGridWidths(grid, "5");  // unchanged widths are simply written again

  TIniFile ini(ProgramIni());
  TStringList keys;
  ini.ReadSection("5", &keys);
  EXPECT_EQ(keys.CommaText(), "0,1,2");
  EXPECT_EQ(Restored("5"), (std::vector<int>{64, 120, 66}));
}

// A read-only program folder: the first failed store of the run is reported, later ones are not
// (widths are stored on every grid click); once the folder is writable the widths are stored.
TEST_F(GridWidthsTest, ASettingsFileThatCannotBeWrittenIsReportedOnceAndLaterStoresGoOn) {
  vt::test::ScratchMount disk(1 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  vt::SetProgramPathForTests(disk.Folder() + "Vantrel");
  TComponent owner(nullptr);
  TDBGrid* grid = MakeGrid(&owner);
  grid->Columns()->Items(0)->SetWidth(90);
  disk.SetReadOnly(true);
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  for (const char* section : {"6", "7", "6"}) StoreGridWidths(grid, section);
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text, "Unable to write to " + disk.Folder() + "Vantrel.ini");

  disk.SetReadOnly(false);
  StoreGridWidths(grid, "6");
  EXPECT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(Restored("6"), (std::vector<int>{90, 65, 66}));
  camp.UseProgramFolder();  // before the mount goes
}

}  // namespace
