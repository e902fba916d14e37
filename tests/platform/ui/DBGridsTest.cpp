// Tests of the data-aware grid over a three-row people table: the current row and the dataset's
// cursor follow each other, persistent and default columns give titles and widths, a dragged
// divider writes the column's width, and assistive technology reads the rows as a table.
#include "ui/grids/DBGrids.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cstdio>

#include "tests/platform/ui/PeopleFormFixture.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

// Rows, in PersonID order: Adams, Baker, Clark. Grid row 0 is the title row, column 0 the
// indicator; 64-pixel default column widths are set so that cells start at known pixels.
class DBGridTest : public PeopleFormFixture {
protected:
    void SetUp() override {
        SetUpPeopleForm("SELECT PersonID, LastName, FirstName, Balance FROM People ORDER BY PersonID", 600, 300);
        grid_ = new TDBGrid(form);
        grid_->SetParent(form);
        grid_->SetBounds(0, 0, 500, 200);
        grid_->SetOptions(grid_->Options() << dgRowSelect << dgAlwaysShowSelection);
        grid_->SetDataSource(source);
        form->Show();
    }

    // Persistent columns: last name titled "Last Name" 80 wide, first name untitled 60 wide.
    void AddNameColumns() {
        TColumn* last = grid_->Columns()->Add();
        last->SetFieldName("LastName");
        last->Title()->SetCaption("Last Name");
        last->SetWidth(80);
        TColumn* first = grid_->Columns()->Add();
        first->SetFieldName("FirstName");
        first->SetWidth(60);
    }
    // The middle of the grid cell that shows the record in the given data column.
    TPoint CellCentre(int dataCol, int recNo) const {
        const TRect r = grid_->CellRect(dataCol + 1, recNo);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void CtrlClick(TPoint at) const {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(at.X, at.Y), grid_->Widget()->mapToGlobal(QPointF(at.X, at.Y)),
                              Qt::LeftButton, type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::ControlModifier);
            QApplication::sendEvent(grid_->Widget(), &event);
        }
    }
    QAccessibleTableInterface* Table() const {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(grid_->Widget());
        return grid ? grid->tableInterface() : nullptr;
    }

    TDBGrid* grid_ = nullptr;
};

TEST_F(DBGridTest, CurrentRowAndCursorFollowEachOther) {
    people->Open();
    EXPECT_EQ(grid_->RowCount(), 4);  // title row and three records
    EXPECT_EQ(grid_->Row(), 1);

    people->Last();  // the dataset moves: the selection follows
    EXPECT_EQ(grid_->Row(), 3);
    people->SetRecNo(2);
    EXPECT_EQ(grid_->Row(), 2);

    int clicks = 0;
    grid_->OnClick = [&](TObject*) { ++clicks; };
    const TPoint adams = CellCentre(1, 1);
    vt::ClickControl(grid_, adams.X, adams.Y);  // the user picks a row: the dataset moves
    EXPECT_EQ(people->RecNo(), 1);
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Adams");
    vt::SendKey(grid_, VK_DOWN);
    EXPECT_EQ(people->RecNo(), 2);
    vt::SendKey(grid_, VK_END);
    EXPECT_EQ(people->RecNo(), 3);
    EXPECT_EQ(clicks, 3);

    EXPECT_FALSE(grid_->WantsKey(VK_TAB, {}));  // a whole-row grid lets Tab leave it

    people->Close();
    EXPECT_EQ(grid_->RowCount(), 2);  // a title row and one empty row
    people->Open();
    EXPECT_EQ(grid_->Row(), 1);
}

TEST_F(DBGridTest, MovingOffAnEditedRowPostsIt) {
    people->Open();
    people->Edit();
    people->FieldByName("LastName")->SetAsString("Abbot");
    const TPoint clark = CellCentre(1, 3);
    vt::ClickControl(grid_, clark.X, clark.Y);
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(people->RecNo(), 3);
    EXPECT_EQ(Scalar("SELECT LastName FROM People WHERE PersonID = 1").AsString(), "Abbot");
}

TEST_F(DBGridTest, LeavingDropsAnUntouchedInsertedRecordOnly) {
    people->Open();
    people->Insert();
    grid_->Perform(CM_EXIT);
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(people->RecordCount(), 3);

    people->Insert();
    people->FieldByName("LastName")->SetAsString("Dunn");
    grid_->Perform(CM_EXIT);
    EXPECT_EQ(people->State(), dsInsert);
}

TEST_F(DBGridTest, CtrlDeleteDeletesTheCurrentRecordAfterAsking) {
    people->Open();
    people->SetRecNo(2);
    vt::DialogResponder responder;
    responder.Answer(mrCancel).Answer(mrOk);
    vt::SendKey(grid_, VK_DELETE, TShiftState{ssCtrl});
    EXPECT_EQ(responder.Last().Text, "Delete record?");
    EXPECT_EQ(people->RecordCount(), 3);
    vt::SendKey(grid_, VK_DELETE, TShiftState{ssCtrl});
    EXPECT_EQ(people->RecordCount(), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People WHERE LastName = 'Baker'").AsInteger(), 0);

    grid_->SetOptions(grid_->Options() >> dgConfirmDelete);  // no box: the responder has no answer left
    vt::SendKey(grid_, VK_DELETE, TShiftState{ssCtrl});
    EXPECT_EQ(people->RecordCount(), 1);
    grid_->SetReadOnly(true);
    vt::SendKey(grid_, VK_DELETE, TShiftState{ssCtrl});
    EXPECT_EQ(people->RecordCount(), 1);
    EXPECT_EQ(responder.Shown().size(), 2u);
}

TEST_F(DBGridTest, ColumnsGiveTitlesAndWidths) {
    people->Open();
    // Default columns: one per visible field, titled by the field's display label.
    people->FieldByName("PersonID")->SetVisible(false);
    people->FieldByName("FirstName")->SetDisplayLabel("Given");
    grid_->Columns()->RebuildColumns();
    ASSERT_EQ(grid_->Columns()->Count(), 3);
    EXPECT_EQ(grid_->Columns()->Items(0)->FieldName(), "LastName");
    EXPECT_EQ(grid_->Columns()->Items(1)->Title()->DisplayCaption(), "Given");
    EXPECT_EQ(grid_->Columns()->State(), csDefault);

    AddNameColumns();
    EXPECT_EQ(grid_->Columns()->State(), csCustomized);
    ASSERT_EQ(grid_->Columns()->Count(), 2);
    EXPECT_EQ(grid_->ColCount(), 3);
    EXPECT_EQ(grid_->ColWidths(1), 80);
    EXPECT_EQ(grid_->ColWidths(2), 60);
    EXPECT_EQ(grid_->Columns()->Items(0)->Title()->DisplayCaption(), "Last Name");
    EXPECT_EQ(grid_->Columns()->Items(1)->Title()->DisplayCaption(), "Given");  // no caption of its own

    grid_->Columns()->Items(0)->SetVisible(false);
    EXPECT_EQ(grid_->ColCount(), 2);
    EXPECT_EQ(grid_->ColWidths(1), 60);
    grid_->Columns()->Items(0)->SetVisible(true);
    grid_->SetOptions(grid_->Options() >> dgRowSelect);
    grid_->SetSelectedIndex(1);
    EXPECT_EQ(grid_->SelectedField(), people->FieldByName("FirstName"));
}

TEST_F(DBGridTest, DefaultColumnsFollowAFieldsVisibleAndDisplayWidthChangedWhileOpen) {
    people->Open();
    const int columns = grid_->ColCount();
    TField* id = people->FieldByName("PersonID");
    TField* last = people->FieldByName("LastName");
    id->SetVisible(false);
    EXPECT_EQ(grid_->ColCount(), columns - 1);
    EXPECT_EQ(grid_->Columns()->Items(0)->FieldName(), "LastName");
    const int narrow = grid_->ColWidths(1);
    last->SetDisplayWidth(last->DisplayWidth() + 20);
    EXPECT_GT(grid_->ColWidths(1), narrow);
    id->SetVisible(true);
    EXPECT_EQ(grid_->ColCount(), columns);
    EXPECT_EQ(grid_->Columns()->Items(0)->FieldName(), "PersonID");
}

TEST_F(DBGridTest, DraggingATitleDividerWritesTheColumnWidth) {
    people->Open();
    AddNameColumns();
    const TRect title = grid_->CellRect(1, 0);
    vt::PressMouse(grid_, title.Right, 5);
    vt::MoveMouse(grid_, title.Right + 25, 5);
    vt::ReleaseMouse(grid_, title.Right + 25, 5);
    EXPECT_EQ(grid_->Columns()->Items(0)->Width(), 105);
    EXPECT_EQ(grid_->Columns()->Items(1)->Width(), 60);

    grid_->SetOptions(grid_->Options() >> dgColumnResize);
    const TRect moved = grid_->CellRect(1, 0);
    vt::PressMouse(grid_, moved.Right, 5);
    vt::MoveMouse(grid_, moved.Right + 25, 5);
    vt::ReleaseMouse(grid_, moved.Right + 25, 5);
    EXPECT_EQ(grid_->Columns()->Items(0)->Width(), 105);
}

TEST_F(DBGridTest, TitleAndCellClicksNameTheColumn) {
    people->Open();
    AddNameColumns();
    std::vector<String> titles, cells;
    grid_->OnTitleClick = [&](TColumn* column) { titles.push_back(column->FieldName()); };
    grid_->OnCellClick = [&](TColumn* column) { cells.push_back(column->FieldName()); };
    const TRect title = grid_->CellRect(2, 0);
    vt::ClickControl(grid_, title.Left + 10, title.Top + 5);
    const TPoint baker = CellCentre(0, 2);
    vt::ClickControl(grid_, baker.X, baker.Y);
    EXPECT_EQ(titles, std::vector<String>{"FirstName"});
    EXPECT_EQ(cells, std::vector<String>{"LastName"});
    EXPECT_EQ(people->RecNo(), 2);
}

TEST_F(DBGridTest, CtrlClicksMarkRowsOfAMultiSelectGridAndAPlainClickEmptiesThem) {
    people->Open();
    grid_->SetOptions(grid_->Options() << dgMultiSelect);
    const TPoint adams = CellCentre(1, 1), baker = CellCentre(1, 2), clark = CellCentre(1, 3);
    CtrlClick(adams);
    CtrlClick(clark);
    CtrlClick(baker);
    CtrlClick(baker);  // a second Ctrl+click takes the mark away again
    ASSERT_EQ(grid_->SelectedRows()->Count(), 2);
    EXPECT_EQ(people->RecNo(), 2);
    EXPECT_EQ(Table()->selectedRows(), (QList<int>{0, 1, 2}));  // marked rows and the current one
    const String shot = path_ + ".png";  // painting the marks and the rows runs without fault
    EXPECT_TRUE(vt::SaveScreenshot(form, shot));
    std::remove(shot.c_str());

    vt::ClickControl(grid_, clark.X, clark.Y);
    EXPECT_EQ(grid_->SelectedRows()->Count(), 0);
    CtrlClick(adams);
    grid_->SetOptions(grid_->Options() >> dgMultiSelect);
    EXPECT_EQ(grid_->SelectedRows()->Count(), 0);
}

TEST_F(DBGridTest, AccessibleTableReportsRecordsCellsAndTitles) {
    people->Open();
    people->FieldByName("Balance")->SetDisplayFormat("0.00");
    AddNameColumns();
    TColumn* balance = grid_->Columns()->Add();
    balance->SetFieldName("Balance");
    people->SetRecNo(2);

    QAccessibleTableInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->columnDescription(0).toStdString(), "Last Name");
    EXPECT_EQ(table->columnDescription(1).toStdString(), "FirstName");
    QAccessibleInterface* cell = table->cellAt(2, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), "Clark");
    // Rows other than the current one are formatted like it: the field's display format.
    EXPECT_EQ(table->cellAt(0, 2)->text(QAccessible::Name).toStdString(), "10.50");
    EXPECT_EQ(table->cellAt(1, 2)->text(QAccessible::Name).toStdString(), "0.00");
    EXPECT_EQ(table->cellAt(2, 2)->text(QAccessible::Name).toStdString(), "7.00");
    EXPECT_EQ(table->selectedRows(), QList<int>{1});
    QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(grid_->Widget())->focusChild();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->text(QAccessible::Name).toStdString(), "Baker");  // the current record's cell
    EXPECT_TRUE(cell->tableCellInterface() != nullptr);
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(table->cellAt(3, 0), nullptr);
    EXPECT_EQ(people->RecNo(), 2);  // reading cells never moves the cursor

    grid_->SetName("PeopleGrid");
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(grid_->Widget());
    EXPECT_EQ(grid->role(), QAccessible::Table);
    EXPECT_EQ(grid->text(QAccessible::Name).toStdString(), "PeopleGrid");
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("Attendees");
    label->SetFocusControl(grid_);
    EXPECT_EQ(grid->text(QAccessible::Name).toStdString(), "Attendees");
}

}  // namespace
