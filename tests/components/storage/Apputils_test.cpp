// Tests of the layout storage helpers: escaping and quoting, default names, the ini-or-registry
// helpers, and form placement and grid widths through an ini file and through the registry store.
#include "components/storage/Apputils.h"

#include "StorageFixture.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/grids/Grids.h"

using vt::testing::StorageKind;
using vt::testing::StorageKindTest;
using vt::testing::StorageTest;

// A form class of its own, whose class name gives the stored section.
class TPlacedForm : public TForm {
public:
    explicit TPlacedForm(TComponent* AOwner) : TForm(AOwner) { SetBounds(40, 50, 300, 200); }
};

TEST(Apputils, EveryKindOfLineBreakEscapesToBackslashN)
{
    struct Case {
        String text, escaped;
    };
    const Case cases[] = {
        {"a\r\nb", "a\\nb"},       {"a\n\rb", "a\\nb"},      {"a\rb", "a\\nb"},
        {"a\nb", "a\\nb"},         {"a\r\n\r\nb", "a\\n\\nb"}, {"a\n\nb", "a\\n\\nb"},
        {"\r\n", "\\n"},           {"c:\\x", "c:\\x"},       {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToIniStr(c.text), c.escaped) << c.escaped;
    EXPECT_EQ(IniStrToStr("a\\nb\\n"), "a\r\nb\r\n");
    EXPECT_EQ(IniStrToStr("a\\b"), "a\\b");
}

TEST(Apputils, TextsOverTheLineLimitAreRefusedButAFullLineOfBreaksComesBack)
{
    try {
        StrToIniStr(String(4097, 'x'));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Line too long");
    }
    String breaks;
    for (int i = 0; i < 2048; ++i)
        breaks += "\r\n";
    EXPECT_EQ(IniStrToStr(StrToIniStr(breaks)), breaks);
    EXPECT_THROW(IniStrToStr(String(8193, 'x')), Exception);
}

TEST_F(StorageTest, QuotedValuesAreWrappedInASpareQuotePairInAnIniFile)
{
    struct Case {
        String value, inFile;
    };
    const Case cases[] = {
        {"'x'", "\"'x'\""},  {"\"x\"", "\"\"x\"\""}, {"x", "x"},   {"'x\"", "'x\""},
        {"\"", "\""},        {"", ""},                {"''", "\"''\""},
    };
    TIniFile ini(FIniPath);
    for (const Case& c : cases) {
        IniWriteString(&ini, "S", "K", c.value);
        EXPECT_NE(IniText().find("K=" + c.inFile + "\n"), String::npos) << c.value;
        EXPECT_EQ(IniReadString(&ini, "S", "K", "default"), c.value == "" ? "" : c.value) << c.value;
    }
}

TEST_P(StorageKindTest, TheHelpersReadBackWhatTheyWrote)
{
    auto storage = OpenStorage(GetParam());
    IniWriteString(storage.get(), "Main", "Text", "'quoted'");
    IniWriteInteger(storage.get(), "Main", "Count", -12);
    IniWriteBool(storage.get(), "Main", "On", true);
    IniWriteString(storage.get(), "Main.Grid", "Item0", "64");
    EXPECT_EQ(IniReadString(storage.get(), "Main", "Text", ""), "'quoted'");
    EXPECT_EQ(IniReadInteger(storage.get(), "Main", "Count", 0), -12);
    EXPECT_TRUE(IniReadBool(storage.get(), "Main", "On", false));
    EXPECT_EQ(IniReadInteger(storage.get(), "Main", "Text", 7), 7) << "no number gives the default";
    EXPECT_EQ(IniReadString(storage.get(), "Main", "Missing", "d"), "d");

    TStringList sections;
    IniReadSections(storage.get(), &sections);
    EXPECT_EQ(sections.CommaText(), "Main,Main.Grid");
    IniDeleteKey(storage.get(), "Main", "Count");
    EXPECT_EQ(IniReadInteger(storage.get(), "Main", "Count", 5), 5);
    IniEraseSection(storage.get(), "Main");
    EXPECT_EQ(IniReadString(storage.get(), "Main", "Text", "gone"), "gone");
    EXPECT_EQ(IniReadString(storage.get(), "Main.Grid", "Item0", ""), "64");
}

TEST(Apputils, OtherObjectsGiveTheDefaultAndTakeNoWrites)
{
    TStringList notStorage;
    IniWriteString(&notStorage, "S", "K", "v");
    EXPECT_EQ(IniReadString(&notStorage, "S", "K", "d"), "d");
    EXPECT_EQ(IniReadInteger(nullptr, "S", "K", 3), 3);
    EXPECT_TRUE(IniReadBool(&notStorage, "S", "K", true));
    EXPECT_EQ(notStorage.Count(), 0);
}

TEST(Apputils, DefaultSectionsNameTheFormAndTheComponentsPlace)
{
    vt::EnsureTestApplication();
    auto* form = new TPlacedForm(nullptr);
    auto* panel = new TPanel(form);
    panel->SetName("Panel1");
    panel->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetName("Edit1");
    edit->SetParent(panel);
    auto* owned = new TComponent(form);
    owned->SetName("Store1");
    auto* loosePanel = new TPanel(nullptr);
    loosePanel->SetName("Loose");
    auto* looseEdit = new TEdit(nullptr);
    looseEdit->SetName("Edit2");
    looseEdit->SetParent(loosePanel);
    auto* lone = new TComponent(nullptr);
    lone->SetName("Lone");

    EXPECT_EQ(GetDefaultSection(nullptr), "");
    EXPECT_EQ(GetDefaultSection(form), "TPlacedForm");
    EXPECT_EQ(GetDefaultSection(edit), "TPlacedFormEdit1");
    EXPECT_EQ(GetDefaultSection(owned), "TPlacedForm.Store1");
    EXPECT_EQ(GetDefaultSection(looseEdit), "LooseEdit2");
    EXPECT_EQ(GetDefaultSection(lone), "Lone");
    delete lone;
    delete looseEdit;
    delete loosePanel;
    delete form;
}

TEST(Apputils, DefaultIniNameAndRegistryKeyComeFromTheProgram)
{
    vt::EnsureTestApplication();
    const String program = ChangeFileExt(ExtractFileName(Application->ExeName()), "");
    EXPECT_EQ(GetDefaultIniName(), ChangeFileExt(Application->ExeName(), ".INI"));
    EXPECT_EQ(GetDefaultIniRegKey(), "Software\\" + program);

    OnGetDefaultIniName = [] { return String("/tmp/chosen.ini"); };
    DefCompanyName = "Camp Office";
    RegUseAppTitle = true;
    Application->SetTitle("Camp Tracker");
    EXPECT_EQ(GetDefaultIniName(), "/tmp/chosen.ini");
    EXPECT_EQ(GetDefaultIniRegKey(), "Software\\Camp Office\\Camp Tracker");
    Application->SetTitle("");
    EXPECT_EQ(GetDefaultIniRegKey(), "Software\\Camp Office\\" + program) << "an empty title is not used";
    OnGetDefaultIniName = nullptr;
    DefCompanyName = "";
    RegUseAppTitle = false;
}

namespace {

String Resolution() { return "(" + IntToStr(Screen->Width()) + "x" + IntToStr(Screen->Height()) + ")"; }

class PlacementTest : public StorageKindTest {
protected:
    void TearDown() override
    {
        delete FForm;
        StorageKindTest::TearDown();
    }
    // The stored placement read into a fresh form of the same class.
    TPlacedForm* Restored(bool position = true, bool state = true)
    {
        delete FForm;
        FForm = new TPlacedForm(nullptr);
        auto storage = OpenStorage(GetParam());
        vt::ReadPlacement(FForm, storage.get(), "TPlacedForm", position, state);
        return FForm;
    }
    void Store(const String& ident, const String& value)
    {
        auto storage = OpenStorage(GetParam());
        IniWriteString(storage.get(), "TPlacedForm", ident, value);
    }
    TPlacedForm* FForm = nullptr;
};

}  // namespace

TEST_P(PlacementTest, AMovedFormComesBackWhereItWasLeft)
{
    TPlacedForm original(nullptr);
    original.SetBounds(120, 90, 420, 260);
    {
        auto storage = OpenStorage(GetParam());
        vt::WritePlacement(&original, storage.get(), "TPlacedForm");
        EXPECT_EQ(IniReadString(storage.get(), "TPlacedForm", "NormPos" + Resolution(), ""), "120,90,540,350");
        EXPECT_EQ(IniReadString(storage.get(), "TPlacedForm", "NormPos", ""), "120,90,540,350");
        EXPECT_EQ(IniReadInteger(storage.get(), "TPlacedForm", "ShowCmd", -1), SW_SHOWNORMAL);
        EXPECT_EQ(IniReadInteger(storage.get(), "TPlacedForm", "PixelsPerInch", 0), 96);
        EXPECT_EQ(IniReadString(storage.get(), "TPlacedForm", "MinMaxPos", ""), "-1,-1,-1,-1");
    }
    TPlacedForm* restored = Restored();
    EXPECT_EQ(restored->BoundsRect(), Bounds(120, 90, 420, 260));
    EXPECT_EQ(restored->WindowState(), wsNormal);
}

TEST_P(PlacementTest, AMaximisedFormStoresItsStateAndItsNormalPlace)
{
    TPlacedForm original(nullptr);
    original.SetBounds(120, 90, 420, 260);
    original.Show();
    const TRect shown = original.BoundsRect();
    original.SetWindowState(wsMaximized);
    {
        auto storage = OpenStorage(GetParam());
        vt::WritePlacement(&original, storage.get(), "TPlacedForm");
        EXPECT_EQ(IniReadInteger(storage.get(), "TPlacedForm", "ShowCmd", -1), SW_SHOWMAXIMIZED);
    }
    original.Hide();
    TPlacedForm* restored = Restored();
    EXPECT_EQ(restored->BoundsRect(), shown);
    EXPECT_EQ(restored->WindowState(), wsMaximized);
}

TEST_P(PlacementTest, AnotherResolutionTakesThePlainKeys)
{
    Store("NormPos(1x1)", "1,1,2,2");
    Store("NormPos", "10,20,310,220");
    EXPECT_EQ(Restored()->BoundsRect(), Rect(10, 20, 310, 220));
    Store("NormPos" + Resolution(), "30,40,330,240");
    EXPECT_EQ(Restored()->BoundsRect(), Rect(30, 40, 330, 240));
}

TEST_P(PlacementTest, UnusablePlacementsLeaveTheDesign)
{
    Store("NormPos", "10,20,310,220");
    Store("PixelsPerInch", "120");
    EXPECT_EQ(Restored()->BoundsRect(), Bounds(40, 50, 300, 200)) << "another pixel density";
    Store("PixelsPerInch", "96");
    Store("NormPos", "300,20,300,220");
    EXPECT_EQ(Restored()->BoundsRect(), Bounds(40, 50, 300, 200)) << "right not beyond left";
    Store("NormPos", "10,twenty,310,220");
    EXPECT_EQ(Restored()->BoundsRect(), Rect(10, 0, 310, 220)) << "words that are no numbers give 0";
    Store("NormPos", "10,20,310,220");
    EXPECT_EQ(Restored(false, true)->BoundsRect(), Bounds(40, 50, 300, 200)) << "position not asked for";
}

TEST_P(PlacementTest, ADialogKeepsItsSizeAndACentredFormTakesTheStoredPlace)
{
    Store("NormPos", "10,20,610,520");
    delete FForm;
    FForm = new TPlacedForm(nullptr);
    FForm->SetBorderStyle(bsDialog);
    FForm->SetPosition(poScreenCenter);
    const int width = FForm->Width();
    const int height = FForm->Height();
    auto storage = OpenStorage(GetParam());
    vt::ReadPlacement(FForm, storage.get(), "TPlacedForm", true, false);
    EXPECT_EQ(FForm->BoundsRect(), Bounds(10, 20, width, height));
    EXPECT_EQ(FForm->Position(), poDesigned);
}

// Saved on a larger screen (or a second one since unplugged), a form comes back inside the work
// area of the screen it is shown on, made smaller where it would not fit.
TEST_P(PlacementTest, APlacementFromALargerScreenComesBackOnThisOne)
{
    const TRect area = Screen->WorkAreaRect();
    struct Case {
        const char* NormPos;
        TRect Expected;
    } cases[] = {
        {"3000,2500,3400,2800", Bounds(area.Right - 400, area.Bottom - 300, 400, 300)},
        {"-900,-700,-500,-400", Bounds(area.Left, area.Top, 400, 300)},
        {"10,20,9010,9020", area},
        {"10,20,410,320", Bounds(10, 20, 400, 300)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.NormPos);
        Store("NormPos", c.NormPos);
        EXPECT_EQ(Restored()->BoundsRect(), c.Expected);
    }
}

TEST_P(PlacementTest, TheShowCommandGivesTheState)
{
    struct Case {
        String showCmd;
        TWindowState state;
    };
    const Case cases[] = {{"3", wsMaximized}, {"1", wsNormal}, {"9", wsNormal}, {"8", wsNormal}, {"x", wsNormal}};
    for (const Case& c : cases) {
        Store("ShowCmd", c.showCmd);
        EXPECT_EQ(Restored(false, true)->WindowState(), c.state) << c.showCmd;
    }
}

TEST_P(PlacementTest, GridColumnWidthsComeBack)
{
    TPlacedForm form(nullptr);
    auto* grid = new TDrawGrid(&form);
    grid->SetName("Grid1");
    grid->SetParent(&form);
    grid->SetColCount(3);
    grid->SetColWidths(0, 30);
    grid->SetColWidths(2, 90);
    {
        auto storage = OpenStorage(GetParam());
        if (GetParam() == StorageKind::IniFile)
            SaveGridLayout(grid, static_cast<TIniFile*>(storage.get()));
        else
            SaveGridLayoutReg(grid, static_cast<TRegIniFile*>(storage.get()));
        EXPECT_EQ(IniReadInteger(storage.get(), "TPlacedFormGrid1", "Item2", 0), 90);
    }
    grid->SetColWidths(0, 64);
    grid->SetColWidths(2, 64);
    auto storage = OpenStorage(GetParam());
    if (GetParam() == StorageKind::IniFile)
        RestoreGridLayout(grid, static_cast<TIniFile*>(storage.get()));
    else
        RestoreGridLayoutReg(grid, static_cast<TRegIniFile*>(storage.get()));
    EXPECT_EQ(grid->ColWidths(0), 30);
    EXPECT_EQ(grid->ColWidths(2), 90);
}

TEST_F(StorageTest, SaveAndRestoreByFileNameUseTheClassNameAsSection)
{
    TPlacedForm form(nullptr);
    form.SetBounds(5, 6, 333, 222);
    SaveFormPlacement(&form, FIniPath, false);
    EXPECT_NE(IniText().find("[TPlacedForm]"), String::npos);
    SaveFormPlacement(&form, RegKey(), true);
    form.SetBounds(0, 0, 100, 100);
    RestoreFormPlacement(&form, RegKey(), true);
    EXPECT_EQ(form.BoundsRect(), Bounds(5, 6, 333, 222));
    form.SetBounds(0, 0, 100, 100);
    RestoreFormPlacement(&form, FIniPath, false);
    EXPECT_EQ(form.BoundsRect(), Bounds(5, 6, 333, 222));
}

TEST_F(StorageTest, UniqueFileNamesSkipThoseThatExist)
{
    for (const char* taken : {"Report0.txt", "Report1.txt"})
        std::ofstream((FDir / taken).string()) << "x";
    EXPECT_EQ(GetUniqueFileNameInDir(FDir.string(), "Report%d.txt"), "Report2.txt");
    EXPECT_EQ(GetUniqueFileNameInDir(FDir.string() + "/", "Other%d"), "Other0");
}

INSTANTIATE_TEST_SUITE_P(Storage, StorageKindTest,
                         ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);
INSTANTIATE_TEST_SUITE_P(Storage, PlacementTest, ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);
