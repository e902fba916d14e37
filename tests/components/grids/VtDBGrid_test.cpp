// The multi-select grid over five people: rows marked by Shift+arrows and by clicks, deleting
// the marked rows, title buttons that press and click, the cell colour events seeing the painted
// row, fixed data columns, the cell editor, columns moved by their titles, the wheel and Tab.
#include "components/grids/VtDBGrid.h"

#include "components/storage/Apputils.h"
#include "components/storage/Placemnt.h"

#include "tests/platform/ui/PeopleFormFixture.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/InplaceEdit.h"
#include "ui/kernel/WinApi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <set>

namespace {

// Rows in PersonID order: Adams, Baker, Clark, Dunn, Evans. Column 0 is the indicator.
class VtDBGridTest : public PeopleFormFixture {
protected:
    void SetUp() override
    {
        SetUpPeopleForm("SELECT PersonID, LastName, FirstName, Notes FROM People ORDER BY PersonID", 600, 300);
        connection_->Execute("INSERT INTO People (LastName, FirstName) VALUES ('Dunn', 'Dee'), ('Evans', 'Eve')");
        people->Open();
        grid = new TVtDBGrid(form);
        grid->SetName("PeopleGrid");
        grid->SetParent(form);
        grid->SetBounds(0, 0, 500, 200);
        grid->SetDataSource(source);
        grid->SetMultiSelect(true);
        for (int i = 0; i < grid->Columns()->Count(); ++i) grid->Columns()->Items(i)->SetWidth(100);
        form->Show();
        grid->SetFocus();
    }

    // The last names of the marked rows, in grid order.
    String Marked() const
    {
        String names;
        for (int recNo = 1; recNo <= people->RecordCount(); ++recNo)
            if (grid->SelectedRows()->Find(people->BookmarkAt(recNo)))
                names += (names.empty() ? "" : ",") + people->DisplayTextAt(recNo, people->FieldByName("LastName"));
        return names;
    }
    String Current() const { return people->FieldByName("LastName")->AsString(); }
    TPoint CellCentre(int gridCol, int gridRow) const
    {
        const TRect r = grid->CellRect(gridCol, gridRow);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Click(int gridRow, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        const TPoint at = CellCentre(2, gridRow);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(at.X, at.Y), grid->Widget()->mapToGlobal(QPointF(at.X, at.Y)),
                              Qt::LeftButton, type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              modifiers);
            QApplication::sendEvent(grid->Widget(), &event);
        }
    }

    TVtDBGrid* grid = nullptr;
};

}  // namespace

TEST_F(VtDBGridTest, ShiftArrowsMarkARunThatShrinksBackTowardsItsAnchor)
{
    vt::SendKey(grid, VK_DOWN, {ssShift});
    vt::SendKey(grid, VK_DOWN, {ssShift});
    EXPECT_EQ(Marked(), "Adams,Baker,Clark");
    EXPECT_EQ(Current(), "Clark");
    vt::SendKey(grid, VK_UP, {ssShift});
    EXPECT_EQ(Marked(), "Adams,Baker");
    EXPECT_EQ(grid->SelCount(), 2);

    // Upwards past the anchor the run grows the other way.
    vt::SendKey(grid, VK_UP, {ssShift});
    vt::SendKey(grid, VK_DOWN);  // a plain move ends the run and drops the marks
    EXPECT_EQ(Marked(), "");
    EXPECT_EQ(Current(), "Baker");
    vt::SendKey(grid, VK_DOWN, {ssShift});
    vt::SendKey(grid, VK_DOWN, {ssShift});
    vt::SendKey(grid, VK_UP, {ssShift});
    vt::SendKey(grid, VK_UP, {ssShift});
    vt::SendKey(grid, VK_UP, {ssShift});
    EXPECT_EQ(Marked(), "Adams,Baker");
    EXPECT_EQ(Current(), "Adams");

    // Without ClearSelection the keyboard keeps the marks.
    grid->SetClearSelection(false);
    vt::SendKey(grid, VK_DOWN);
    vt::SendKey(grid, VK_NEXT);
    EXPECT_EQ(Marked(), "Adams,Baker");
    grid->UnselectAll();
    EXPECT_EQ(grid->SelCount(), 0);
}

TEST_F(VtDBGridTest, ClicksMarkTheClickedRowAndCtrlClicksAddOrRemove)
{
    Click(2);
    EXPECT_EQ(Current(), "Baker");
    EXPECT_EQ(Marked(), "Baker");
    Click(4, Qt::ControlModifier);
    Click(5, Qt::ControlModifier);
    EXPECT_EQ(Marked(), "Baker,Dunn,Evans");
    Click(4, Qt::ControlModifier);
    EXPECT_EQ(Marked(), "Baker,Evans");
    Click(1);
    EXPECT_EQ(Marked(), "Adams");

    grid->SetClearSelection(false);  // a plain click still empties the marks, and marks nothing
    Click(3);
    EXPECT_EQ(Marked(), "");

    grid->SelectAll();
    EXPECT_EQ(Marked(), "Adams,Baker,Clark,Dunn,Evans");
    EXPECT_EQ(Current(), "Clark");
    grid->GotoSelection(4);
    EXPECT_EQ(Current(), "Evans");
    grid->SetMultiSelect(false);
    EXPECT_EQ(grid->SelCount(), 0);
    EXPECT_FALSE(grid->Options().Contains(dgMultiSelect));
    grid->SetOptions(grid->Options() << dgMultiSelect);
    EXPECT_TRUE(grid->MultiSelect());
    EXPECT_EQ(Marked(), "");
}

TEST_F(VtDBGridTest, CtrlDeleteAsksThenDeletesTheMarkedRowsOrTheCurrentOne)
{
    vt::DialogResponder responder;
    Click(2);
    Click(4, Qt::ControlModifier);
    responder.Answer(mrNo).Answer(mrYes);
    vt::SendKey(grid, VK_DELETE, {ssCtrl});
    EXPECT_EQ(responder.Last().Text, "Delete all selected records?");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People").AsInteger(), 5);
    vt::SendKey(grid, VK_DELETE, {ssCtrl});
    EXPECT_EQ(Scalar("SELECT group_concat(LastName) FROM People").AsString(), "Adams,Clark,Evans");
    EXPECT_EQ(grid->SelCount(), 0);

    Click(3);  // one marked row: Evans
    responder.Answer(mrYes);
    vt::SendKey(grid, VK_DELETE, {ssCtrl});
    EXPECT_EQ(responder.Last().Text, "Delete record?");
    EXPECT_EQ(Scalar("SELECT group_concat(LastName) FROM People").AsString(), "Adams,Clark");

    grid->SetReadOnly(true);
    vt::SendKey(grid, VK_DELETE, {ssCtrl});
    EXPECT_EQ(responder.Shown().size(), 3u);
}

TEST_F(VtDBGridTest, TitleButtonsPressAndClickOnlyWhenReleasedOnThemselves)
{
    grid->SetTitleButtons(true);
    std::vector<String> clicks;
    grid->OnTitleBtnClick = [&](TObject*, int ACol, TField* Field) {
        clicks.push_back(IntToStr(ACol) + ":" + Field->FieldName());
    };
    const TPoint lastName = CellCentre(2, 0), firstName = CellCentre(3, 0);
    vt::PressMouse(grid, lastName.X, lastName.Y);
    vt::ReleaseMouse(grid, lastName.X, lastName.Y);
    vt::PressMouse(grid, lastName.X, lastName.Y);
    vt::MoveMouse(grid, firstName.X, firstName.Y);
    vt::ReleaseMouse(grid, firstName.X, firstName.Y);
    EXPECT_EQ(clicks, std::vector<String>{"1:LastName"});
    EXPECT_EQ(Current(), "Adams");  // a title click moves no record

    int beeps = 0;
    vt::SetBeepHook([&](UINT) { ++beeps; });
    grid->OnCheckButton = [](TObject*, int ACol, TField*, bool& Enabled) { Enabled = ACol != 2; };
    vt::PressMouse(grid, firstName.X, firstName.Y);
    vt::ReleaseMouse(grid, firstName.X, firstName.Y);
    vt::SetBeepHook(nullptr);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(VtDBGridTest, CellColourEventsSeeThePaintedRowAndMemoFieldsShowAGlyph)
{
    std::set<String> seen;
    std::vector<TColor> backgrounds;
    grid->OnGetCellProps = [&](TObject*, TField* Field, TFont* AFont, TColor& Background) {
        if (Field->FieldName() != "LastName") return;
        seen.insert(Field->AsString());
        if (Field->AsString() == "Clark") Background = clYellow;
    };
    std::vector<String> drawn;
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int, TColumn* Column, TGridDrawState) {
        if (Column->FieldName() == "LastName") drawn.push_back(Column->Field()->AsString());
    };
    people->SetRecNo(2);
    const QImage image = grid->Widget()->grab().toImage();
    EXPECT_EQ(seen, (std::set<String>{"Adams", "Baker", "Clark", "Dunn", "Evans"}));
    EXPECT_EQ(drawn.size(), 5u);
    EXPECT_EQ(Current(), "Baker");
    const TPoint clark = CellCentre(2, 3), notes = CellCentre(4, 1);
    EXPECT_EQ(image.pixelColor(clark.X - 20, clark.Y + 4), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(notes.X, notes.Y - 1), QColor(Qt::black));  // the memo glyph's ink

    grid->SetShowGlyphs(false);
    const QImage plain = grid->Widget()->grab().toImage();
    EXPECT_NE(plain.pixelColor(notes.X, notes.Y - 1), QColor(Qt::black));
}

TEST_F(VtDBGridTest, FixedDataColumnsStayWithinTheColumns)
{
    grid->SetFixedCols(1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->TCustomGrid::FixedCols(), 2);
    grid->SetOptions(grid->Options() >> dgMultiSelect);
    EXPECT_EQ(grid->FixedCols(), 1);  // a new layout keeps them
    Click(4);  // a click in a scrolling column of another row
    EXPECT_EQ(Current(), "Dunn");
    const TPoint fixed = CellCentre(1, 2);
    vt::ClickControl(grid, fixed.X, fixed.Y);
    EXPECT_EQ(Current(), "Baker");
    vt::SendKey(grid, VK_RIGHT);
    vt::SendKey(grid, VK_HOME);
    EXPECT_EQ(grid->Col(), 2);

    grid->SetFixedCols(10);
    EXPECT_EQ(grid->FixedCols(), grid->ColCount() - 2);
    grid->SetFixedCols(-3);
    EXPECT_EQ(grid->FixedCols(), 0);
}

TEST_F(VtDBGridTest, TheCellEditorWritesOnEnterDropsOnEscAndRaisesItsEvents)
{
    std::set<String> shown;
    int changes = 0;
    grid->OnShowEditor = [&](TObject*, TField* Field, bool& AllowEdit) {
        shown.insert(Field->FieldName() + (AllowEdit ? "+" : "-"));
    };
    grid->OnEditChange = [&](TObject*) { ++changes; };
    grid->SetCol(2);  // LastName
    vt::SendKey(grid, VK_F2);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "Adams");
    vt::SendKey(editor, VK_END);
    vt::TypeText(editor, " d'Arc");
    EXPECT_EQ(changes, 6);
    vt::SendKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Current(), "Adams d'Arc");
    vt::SendKey(grid, VK_ESCAPE);  // no editor: the record's change goes
    EXPECT_EQ(Current(), "Adams");

    // A character typed on the grid opens the editor with it; Esc drops the text.
    vt::TypeText(grid, "Z");
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "Z");
    vt::SendKey(editor, VK_ESCAPE);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Current(), "Adams");
    EXPECT_EQ(shown.count("LastName+"), 1u);

    // No editor over a field shown as a glyph, unless OnShowEditor allows it.
    grid->SetCol(4);  // Notes, a memo
    vt::SendKey(grid, VK_F2);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(shown.count("Notes-"), 1u);
    grid->OnShowEditor = [](TObject*, TField*, bool& AllowEdit) { AllowEdit = true; };
    vt::SendKey(grid, VK_F2);
    EXPECT_TRUE(editor->Visible());
}

TEST_F(VtDBGridTest, ALetterBeyondAsciiTypedOnTheGridIsTheLetterStored)
{
    // The first letter opens the editor, which takes the rest: Latin-1, Cyrillic and Greek.
    const struct {
        const char* first;
        const char* rest;
    } names[] = {{"\xC3\x9C", "nal"}, {"\xD0\x96", "\xD1\x83\xD0\xBA"}, {"\xCE\xA9", "mega"}, {"d", "\xC3\xA9j\xC3\xA0"}};
    for (const auto& [first, rest] : names) {
        const String name = String(first) + rest;
        SCOPED_TRACE(name);
        grid->SetCol(2);  // LastName
        vt::TypeText(grid, first);
        ASSERT_NE(grid->InplaceEditor(), nullptr);
        vt::TypeText(grid->InplaceEditor(), rest);
        EXPECT_EQ(grid->InplaceEditor()->Text(), name);
        vt::SendKey(grid->InplaceEditor(), VK_RETURN);
        people->Post();
        EXPECT_EQ(Scalar("SELECT LastName FROM People WHERE PersonID = " + people->FieldByName("PersonID")->AsString())
                      .AsString(),
                  name);
    }
}

TEST_F(VtDBGridTest, ACharacterTypedOnTheGridGoesToTheFormsShortcutsFirst)
{
    std::vector<WPARAM> offered;
    form->OnShortCut = [&](TMessage& Msg, bool& Handled) {
        offered.push_back(Msg.WParam);
        Handled = Msg.WParam == 'q';
    };
    grid->SetCol(2);
    vt::TypeText(grid, "q");  // taken as a shortcut: no editor
    EXPECT_TRUE(!grid->InplaceEditor() || !grid->InplaceEditor()->Visible());
    vt::TypeText(grid, "r");
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "r");
    vt::TypeText(grid->InplaceEditor(), "q");  // the editor's characters are its own
    EXPECT_EQ(grid->InplaceEditor()->Text(), "rq");
    EXPECT_EQ(offered, (std::vector<WPARAM>{'q', 'r'}));
}

namespace {
String Titles(TVtDBGrid* grid)
{
    String titles;
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        titles += (i ? " " : "") + grid->AccessibleColumnTitle(i);
    return titles;
}
}  // namespace

TEST_F(VtDBGridTest, ATitleDraggedOntoAnotherMovesItsColumnThere)
{
    const TPoint lastName = CellCentre(2, 0), notes = CellCentre(4, 0);
    vt::PressMouse(grid, lastName.X, lastName.Y);
    vt::MoveMouse(grid, notes.X, notes.Y);
    vt::ReleaseMouse(grid, notes.X, notes.Y);
    EXPECT_EQ(Titles(grid), "PersonID FirstName Notes LastName");
    EXPECT_EQ(people->Fields()->Fields(3)->FieldName(), "LastName");  // the fields follow

    // With title buttons the left button presses them, the right one drags.
    grid->SetTitleButtons(true);
    int clicks = 0;
    grid->OnTitleBtnClick = [&](TObject*, int, TField*) { ++clicks; };
    const TPoint last = CellCentre(4, 0), first = CellCentre(1, 0);
    vt::PressMouse(grid, last.X, last.Y, mbRight);
    vt::MoveMouse(grid, first.X, first.Y);
    vt::ReleaseMouse(grid, first.X, first.Y, mbRight);
    EXPECT_EQ(Titles(grid), "LastName PersonID FirstName Notes");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Current(), "Adams");
}

TEST_F(VtDBGridTest, TheWheelMovesTheRecordUnlessAHandlerTookTheTurn)
{
    const auto wheel = [&](int delta) {
        const QPointF at(200, 100);
        QWheelEvent event(at, grid->Widget()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->Widget(), &event);
    };
    wheel(-120);
    EXPECT_EQ(Current(), "Baker");
    int downs = 0;
    grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++downs;
        Handled = true;
    };
    wheel(-120);
    EXPECT_EQ(Current(), "Baker");
    EXPECT_EQ(downs, 1);
    wheel(120);
    EXPECT_EQ(Current(), "Adams");
}

// Notes is read-only: Tab passes it, so Tab from FirstName goes on to the next record, and the
// marks go with the row.
TEST_F(VtDBGridTest, TabSkipsColumnsThatAreNoStopAndLeavingTheRowDropsTheMarks)
{
    people->FieldByName("Notes")->SetReadOnly(true);
    grid->SetOptions(grid->Options() << dgTabs);
    grid->SetCol(2);
    vt::SendKey(grid, VK_DOWN, {ssShift});
    EXPECT_EQ(Marked(), "Adams,Baker");
    vt::SendKey(grid, VK_TAB);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(Marked(), "Adams,Baker");  // within the row the marks stay
    vt::SendKey(grid, VK_TAB);
    EXPECT_EQ(Current(), "Clark");
    EXPECT_LT(grid->Col(), 4);
    EXPECT_EQ(Marked(), "");
    for (int i = 0; i < 3 && Current() == "Clark"; ++i)
        vt::SendKey(grid, VK_TAB, {ssShift});
    EXPECT_EQ(Current(), "Baker");  // back past the first stop: FirstName of the row before
    EXPECT_EQ(grid->Col(), 3);
}

namespace {

enum class Storage { IniFile, Registry };

// The layout tests store through an ini file or the registry store, both beside the test database.
class VtDBGridLayoutTest : public VtDBGridTest, public ::testing::WithParamInterface<Storage> {
protected:
    void SetUp() override
    {
        VtDBGridTest::SetUp();
        vt::SetRegistryFileForTests(path_ + ".registry");
        people->SetName("qPeople");
    }
    void TearDown() override
    {
        vt::SetRegistryFileForTests("");
        std::remove((path_ + ".registry").c_str());
        std::remove((path_ + ".ini").c_str());
        VtDBGridTest::TearDown();
    }
    TObject* OpenStorage() const
    {
        if (GetParam() == Storage::IniFile) return new TIniFile(path_ + ".ini");
        return new TRegIniFile("Software\\VtTests\\Grid");
    }
    void Save(TVtDBGrid* g) const
    {
        TObject* storage = OpenStorage();
        if (auto* ini = dynamic_cast<TIniFile*>(storage)) g->SaveLayout(ini);
        else g->SaveLayoutReg(static_cast<TRegIniFile*>(storage));
        delete storage;
    }
    void Restore(TVtDBGrid* g) const
    {
        TObject* storage = OpenStorage();
        if (auto* ini = dynamic_cast<TIniFile*>(storage)) g->RestoreLayout(ini);
        else g->RestoreLayoutReg(static_cast<TRegIniFile*>(storage));
        delete storage;
    }
    // A grid like the first one, named alike, on a second form over the given source.
    TVtDBGrid* SecondGrid(TDataSource* over)
    {
        second = new TForm(nullptr);
        auto* g = new TVtDBGrid(second);
        g->SetName("PeopleGrid");
        g->SetParent(second);
        g->SetBounds(0, 0, 500, 200);
        g->SetDataSource(over);
        return g;
    }
    static void AddColumns(TVtDBGrid* g)
    {
        for (const char* name : {"LastName", "FirstName", "Notes"}) {
            TColumn* column = g->Columns()->Add();
            column->SetFieldName(name);
            column->SetWidth(70);
        }
    }
    // The columns as a user sees them: titles and widths in grid order.
    static String Layout(TVtDBGrid* g)
    {
        String text;
        for (int i = 0; i < g->AccessibleColCount(); ++i)
            text += (i ? " " : "") + g->AccessibleColumnTitle(i) + ":" + IntToStr(g->ColWidths(i + 1));
        return text;
    }

    TForm* second = nullptr;
};

}  // namespace

TEST_P(VtDBGridLayoutTest, ASecondGridReadsTheStoredColumnOrderAndWidthsBack)
{
    AddColumns(grid);
    grid->Columns()->Items(2)->SetIndex(0);
    grid->Columns()->Items(1)->SetWidth(120);
    ASSERT_EQ(Layout(grid), "Notes:70 LastName:120 FirstName:70");
    Save(grid);

    TVtDBGrid* other = SecondGrid(source);
    AddColumns(other);
    Restore(other);
    EXPECT_EQ(Layout(other), "Notes:70 LastName:120 FirstName:70");

    // Words that are no numbers, and a missing entry, leave a column as it is.
    TObject* storage = OpenStorage();
    IniWriteString(storage, "TFormPeopleGrid", "PeopleGrid.Notes", "first,wide");
    IniDeleteKey(storage, "TFormPeopleGrid", "PeopleGrid.LastName");
    IniWriteString(storage, "TFormPeopleGrid", "PeopleGrid.FirstName", "0 90");
    delete storage;
    Restore(other);
    EXPECT_EQ(Layout(other), "Notes:70 LastName:120 FirstName:90");
    delete second;
}

TEST_P(VtDBGridLayoutTest, AWidthFromADamagedStoreStaysWithinTheScreen)
{
    TVtDBGrid* other = SecondGrid(source);
    AddColumns(other);
    TObject* storage = OpenStorage();
    IniWriteString(storage, "TFormPeopleGrid", "PeopleGrid.LastName", "0,2000000000");
    IniWriteString(storage, "TFormPeopleGrid", "PeopleGrid.FirstName", "1,2000000000");
    IniWriteString(storage, "TFormPeopleGrid", "PeopleGrid.Notes", "2,-500");
    delete storage;
    Restore(other);
    const String screen = IntToStr(Screen->Width());
    EXPECT_EQ(Layout(other), "LastName:" + screen + " FirstName:" + screen + " Notes:0");
    delete second;
}

TEST_P(VtDBGridLayoutTest, WithDefaultColumnsTheFieldsLayoutIsStoredAndReadBack)
{
    people->FieldByName("Notes")->SetIndex(1);
    people->FieldByName("FirstName")->SetVisible(false);
    Save(grid);

    // The same query of another data module: its own owner, the same name.
    auto* module = new TComponent(nullptr);
    auto* again = new TADOQuery(module);
    again->SetConnection(connection_);
    again->SQL()->Add("SELECT PersonID, LastName, FirstName, Notes FROM People ORDER BY PersonID");
    again->SetName("qPeople");
    again->Open();
    auto* otherSource = new TDataSource(module);
    otherSource->SetDataSet(again);
    TVtDBGrid* other = SecondGrid(otherSource);
    ASSERT_EQ(other->AccessibleColCount(), 4);
    Restore(other);
    ASSERT_EQ(other->AccessibleColCount(), 3);
    EXPECT_EQ(other->AccessibleColumnTitle(0), "PersonID");
    EXPECT_EQ(other->AccessibleColumnTitle(1), "Notes");
    EXPECT_EQ(other->AccessibleColumnTitle(2), "LastName");
    delete second;
    delete module;
}

namespace {

// A form whose placement keeps its grid's layout: what the user leaves at close, the next form shows.
class PlacedGridTest : public VtDBGridLayoutTest {
protected:
    TVtDBGrid* PlacedGrid(TDataSource* over)
    {
        TVtDBGrid* g = SecondGrid(over);
        second->SetName("RosterForm");
        placement = new TFormPlacement(second);
        placement->SetIniFileName(GetParam() == Storage::IniFile ? path_ + ".ini" : "Software\\VtTests\\Grid");
        placement->SetUseRegistry(GetParam() == Storage::Registry);
        placement->SetIniSection("Roster");
        g->SetIniStorage(placement);
        placement->Loaded();
        return g;
    }
    String Stored(const String& section, const String& key) const
    {
        TObject* storage = OpenStorage();
        const String value = IniReadString(storage, section, key, "(missing)");
        delete storage;
        return value;
    }

    TFormPlacement* placement = nullptr;
};

}  // namespace

TEST_P(PlacedGridTest, TheColumnLayoutLeftAtCloseComesBackOnTheNextFormsShow)
{
    TVtDBGrid* g = PlacedGrid(source);
    AddColumns(g);
    second->Show();
    g->Columns()->Items(2)->SetIndex(0);
    g->Columns()->Items(1)->SetWidth(120);
    second->Close();
    EXPECT_EQ(Stored("Roster\\" + GetDefaultSection(g), "PeopleGrid.LastName"), "1,120");
    delete second;

    g = PlacedGrid(source);
    AddColumns(g);
    second->Show();
    EXPECT_EQ(Layout(g), "Notes:70 LastName:120 FirstName:70");
    delete second;
}

TEST_P(PlacedGridTest, WithDefaultColumnsTheFieldsGoBelowThePlacementsSection)
{
    TVtDBGrid* g = PlacedGrid(source);
    second->Show();
    people->FieldByName("Notes")->SetIndex(1);
    second->Close();
    EXPECT_EQ(Stored("Roster\\qPeople", "qPeopleNotes").substr(0, 2), "1,");
    people->FieldByName("Notes")->SetIndex(3);
    delete second;

    g = PlacedGrid(source);
    second->Show();
    EXPECT_EQ(g->AccessibleColumnTitle(1), "Notes");
    delete second;
}

TEST_P(PlacedGridTest, EitherMayBeFreedFirst)
{
    TVtDBGrid* g = PlacedGrid(source);
    second->Show();
    delete placement;
    EXPECT_EQ(g->IniStorage(), nullptr);
    second->Close();
    delete second;

    g = PlacedGrid(source);
    AddColumns(g);
    second->Show();
    delete g;
    second->Close();
    EXPECT_EQ(Stored("Roster", "FormVersion"), "0");
    delete second;
}

INSTANTIATE_TEST_SUITE_P(Storages, PlacedGridTest, ::testing::Values(Storage::IniFile, Storage::Registry),
                         [](const ::testing::TestParamInfo<Storage>& info) {
                             return info.param == Storage::IniFile ? "IniFile" : "Registry";
                         });

INSTANTIATE_TEST_SUITE_P(Storages, VtDBGridLayoutTest, ::testing::Values(Storage::IniFile, Storage::Registry),
                         [](const ::testing::TestParamInfo<Storage>& info) {
                             return info.param == Storage::IniFile ? "IniFile" : "Registry";
                         });
