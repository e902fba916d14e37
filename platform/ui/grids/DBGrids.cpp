// The data-aware grid. Grid rows stand for records (row = title offset + RecNo - 1), so the
// grid never copies data: painting reads only the rows in view through DisplayTextAt, and the
// current row and the dataset's cursor follow each other through SelectCell and the data link.
#include "ui/grids/DBGrids.h"
#include "rtl/TypInfo.h"

#include "db/DataSet.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int CellMargin = 2;
const char* const DeleteRecordQuestion = "Delete record?";
constexpr int IndicatorWidth = 11;

}  // namespace

// ---- columns ------------------------------------------------------------------------------

void TColumnTitle::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    FColumn->Changed();
}

String TColumnTitle::DisplayCaption() const {
    if (!FCaption.empty()) return FCaption;
    TField* field = FColumn->Field();
    return field ? field->DisplayLabel() : FColumn->FieldName();
}

TColumn::TColumn(TDBGrid* grid) : FGrid(grid), FTitle(new TColumnTitle(this)) {}

TColumn::~TColumn() { delete FTitle; }

void TColumn::SetFieldName(const String& Value) {
    if (Value == FFieldName) return;
    FFieldName = Value;
    Changed();
}

TField* TColumn::Field() const {
    TDataSet* dataSet = FGrid->ActiveDataSet();
    return dataSet && !FFieldName.empty() ? dataSet->FindField(FFieldName) : nullptr;
}

void TColumn::SetWidth(int Value) {
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TColumn::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    Changed();
}

TAlignment TColumn::Alignment() const {
    if (FAlignmentSet) return FAlignment;
    TField* field = Field();
    return field ? field->Alignment() : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment Value) {
    FAlignmentSet = true;
    FAlignment = Value;
    Changed();
}

int TColumn::Index() const {
    const auto& items = FGrid->Columns()->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TColumn::SetIndex(int Value) {
    auto& items = FGrid->Columns()->FItems;
    Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
    if (Value == Index()) return;
    items.erase(items.begin() + Index());
    items.insert(items.begin() + Value, this);
    Changed();
}

void TColumn::Changed() { FGrid->LayoutFromColumns(); }

TDBGridColumns::~TDBGridColumns() {
    for (TColumn* column : FItems) delete column;
}

TColumn* TDBGridColumns::AddItem() {
    FItems.push_back(new TColumn(FGrid));
    return FItems.back();
}

TColumn* TDBGridColumns::Add() {
    if (FState == csDefault) Clear();
    FState = csCustomized;
    TColumn* column = AddItem();
    FGrid->LayoutFromColumns();
    return column;
}

void TDBGridColumns::Clear() {
    for (TColumn* column : FItems) delete column;
    FItems.clear();
    FGrid->LayoutFromColumns();
}

void TDBGridColumns::SetState(TDBGridColumnsState Value) {
    if (Value == FState) return;
    FState = Value;
    if (FState == csDefault) RebuildColumns();
}

void TDBGridColumns::RebuildColumns() {
    if (FState == csCustomized) return;
    for (TColumn* column : FItems) delete column;
    FItems.clear();
    if (TDataSet* dataSet = FGrid->ActiveDataSet()) {
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            TField* field = dataSet->Fields()->Fields(i);
            if (!field->Visible()) continue;
            TColumn* column = AddItem();
            column->FFieldName = field->FieldName();
            column->FWidth = FGrid->DefaultColumnWidth(field);
        }
    }
}

// ---- selected rows ------------------------------------------------------------------------

bool TBookmarkList::CurrentRowSelected() const {
    TDataSet* dataSet = FGrid->ActiveDataSet();
    return dataSet && Find(dataSet->GetBookmark());
}

void TBookmarkList::SetCurrentRowSelected(bool Value) {
    TDataSet* dataSet = FGrid->ActiveDataSet();
    if (!dataSet || dataSet->IsEmpty() || Value == CurrentRowSelected()) return;
    const TBookmark current = dataSet->GetBookmark();
    if (Value) FItems.push_back(current);
    else FItems.erase(std::find(FItems.begin(), FItems.end(), current));
    FGrid->InvalidateRow(FGrid->Row());
}

bool TBookmarkList::Find(const TBookmark& Item) const {
    return std::find(FItems.begin(), FItems.end(), Item) != FItems.end();
}

void TBookmarkList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    FGrid->Invalidate();
}

// ---- data link ----------------------------------------------------------------------------

void TGridDataLink::ActiveChanged() {
    FGrid->FSelectedRows->FItems.clear();
    FGrid->Columns()->RebuildColumns();
    FGrid->LayoutFromColumns();
}
void TGridDataLink::DataSetChanged() {
    FGrid->FEditModified = false;
    FGrid->LayoutFromColumns();
    FGrid->InvalidateEditor();
}
void TGridDataLink::DataSetScrolled(int Distance) { FGrid->Scroll(Distance); }
void TGridDataLink::LayoutChanged() {
    FGrid->Columns()->RebuildColumns();
    FGrid->LayoutFromColumns();
}
void TGridDataLink::RecordChanged(TField* Field) {
    FGrid->InvalidateRow(FGrid->Row());
    if (!FGrid->FEditModified) FGrid->InvalidateEditor();
}
void TGridDataLink::UpdateData() { FGrid->UpdateData(); }
void TGridDataLink::EditingChanged() { FGrid->InvalidateRow(FGrid->Row()); }

// ---- the grid -----------------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner),
      FDataLink(new TGridDataLink(this)),
      FColumns(new TDBGridColumns(this)),
      FSelectedRows(new TBookmarkList(this)) {
    SetOptions(TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                              dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit});
}

TDBGrid::~TDBGrid() {
    FDataLink->SetDataSource(nullptr);
    delete FSelectedRows;
    delete FColumns;
    delete FDataLink;
}

TDataSource* TDBGrid::DataSource() const { return FDataLink->DataSource(); }

void TDBGrid::SetDataSource(TDataSource* Value) {
    if (Value == DataSource()) return;
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    LayoutFromColumns();
}

void TDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == DataSource()) SetDataSource(nullptr);
}

TDataSet* TDBGrid::ActiveDataSet() const {
    return FDataLink->Active() ? FDataLink->DataSet() : nullptr;
}

void TDBGrid::SetOptions(TDBGridOptions Value) {
    FOptions = Value;
    TGridOptions grid{goFixedVertLine, goFixedHorzLine};
    if (Value.Contains(dgColLines)) grid << goVertLine;
    if (Value.Contains(dgRowLines)) grid << goHorzLine;
    if (Value.Contains(dgColumnResize)) grid << goColSizing << goColMoving;
    // A grid of whole rows lets Tab go on to the next control.
    if (Value.Contains(dgTabs) && !Value.Contains(dgRowSelect)) grid << goTabs;
    if (Value.Contains(dgRowSelect)) grid << goRowSelect << goDrawFocusSelected;
    if (Value.Contains(dgEditing) && !Value.Contains(dgRowSelect)) grid << goEditing;
    TCustomGrid::SetOptions(grid);
    if (!Value.Contains(dgMultiSelect)) FSelectedRows->FItems.clear();
    LayoutFromColumns();
}

std::vector<TColumn*> TDBGrid::VisibleColumns() const {
    std::vector<TColumn*> visible;
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->Visible()) visible.push_back(FColumns->Items(i));
    return visible;
}

// Called for every cell painted: counts through the columns without collecting them.
TColumn* TDBGrid::ColumnAt(int gridCol) const {
    int index = gridCol - IndicatorOffset();
    if (index < 0) return nullptr;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumn* column = FColumns->Items(i);
        if (column->Visible() && index-- == 0) return column;
    }
    return nullptr;
}

int TDBGrid::DefaultColumnWidth(TField* field) const {
    const QFontMetrics metrics(Widget()->font());
    const int dataWidth = field->DisplayWidth() * metrics.horizontalAdvance(QLatin1Char('0'));
    const int titleWidth = metrics.horizontalAdvance(QString::fromStdString(field->DisplayLabel()));
    return std::max(dataWidth, titleWidth) + 2 * CellMargin;
}

// Counts and widths follow the columns and the dataset; the current row follows the cursor.
void TDBGrid::LayoutFromColumns() {
    if (FLayingOut) return;
    FLayingOut = true;
    const size_t visibleCount = VisibleColumns().size();
    TDataSet* dataSet = ActiveDataSet();
    const int records = dataSet ? dataSet->RecordCount() : 0;
    SetColCount(IndicatorOffset() + std::max(static_cast<int>(visibleCount), 1));
    SetRowCount(TitleOffset() + std::max(records, 1));
    SetFixedCols(IndicatorOffset());
    SetFixedRows(TitleOffset());
    if (IndicatorOffset() > 0) TCustomGrid::SetColWidths(0, IndicatorWidth);
    SetColumnAttributes();
    FLayingOut = false;
    FollowCursor();
    Invalidate();
}

// Tab stops only in columns whose field may be edited.
void TDBGrid::SetColumnAttributes() {
    const std::vector<TColumn*> visible = VisibleColumns();
    for (size_t i = 0; i < visible.size(); ++i) {
        const int col = IndicatorOffset() + static_cast<int>(i);
        TCustomGrid::SetColWidths(col, visible[i]->Width());
        TField* field = visible[i]->Field();
        SetTabStops(col, !visible[i]->ReadOnly() && field && !field->ReadOnly() && !field->Calculated());
    }
}

void TDBGrid::Scroll(int Distance) { FollowCursor(); }

void TDBGrid::FollowCursor() {
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet || dataSet->RecNo() < 1) return;
    FFollowingCursor = true;
    MoveCurrentTo(Col(), RowOfRecNo(dataSet->RecNo()), true);
    FFollowingCursor = false;
}

// A row chosen in the grid moves the dataset there; a refused move (a failing post) raises.
bool TDBGrid::SelectCell(int ACol, int ARow) {
    TDataSet* dataSet = ActiveDataSet();
    if (!FFollowingCursor) FDataLink->UpdateRecord();
    if (!FFollowingCursor && dataSet && RecNoOfRow(ARow) != dataSet->RecNo() &&
        RecNoOfRow(ARow) <= dataSet->RecordCount()) {
        dataSet->SetRecNo(RecNoOfRow(ARow));
        return dataSet->RecNo() == RecNoOfRow(ARow);
    }
    return true;
}

// A divider dragged by the user writes the width into its column.
void TDBGrid::ColWidthsChanged() {
    TCustomGrid::ColWidthsChanged();
    if (FLayingOut) return;
    const std::vector<TColumn*> visible = VisibleColumns();
    for (size_t i = 0; i < visible.size(); ++i)
        visible[i]->FWidth = ColWidths(IndicatorOffset() + static_cast<int>(i));
}

int TDBGrid::SelectedIndex() const { return Col() - IndicatorOffset(); }

void TDBGrid::SetSelectedIndex(int Value) { SetCol(Value + IndicatorOffset()); }

TField* TDBGrid::SelectedField() const {
    TColumn* column = ColumnAt(Col());
    return column ? column->Field() : nullptr;
}

// ---- mouse --------------------------------------------------------------------------------

void TDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FClickCell = MouseCoord(X, Y);
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && FClickCell.Y >= TitleOffset()) SelectRowByMouse(Shift);
}

void TDBGrid::SelectRowByMouse(TShiftState Shift) {
    if (!FOptions.Contains(dgMultiSelect)) return;
    if (Shift.Contains(ssCtrl)) FSelectedRows->SetCurrentRowSelected(!FSelectedRows->CurrentRowSelected());
    else FSelectedRows->Clear();
}

void TDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    const bool sameCell = cell.X == FClickCell.X && cell.Y == FClickCell.Y && cell.X >= 0;
    TCustomGrid::MouseUp(Button, Shift, X, Y);
    if (!sameCell || Button != mbLeft) return;
    TColumn* column = ColumnAt(cell.X);
    if (!column) return;
    if (cell.Y < TitleOffset()) {
        if (OnTitleClick) OnTitleClick(column);
    } else if (OnCellClick) {
        OnCellClick(column);
    }
}

// Ctrl+Delete deletes the current record of a grid that may change its dataset, after asking
// when dgConfirmDelete is set; the user's OnKeyDown sees the key first.
void TDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TDataSet* dataSet = ActiveDataSet();
    // Esc with nothing to undo stays a dialog key (the form's cancel button).
    const bool editing = dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
    if (Key == VK_ESCAPE && (EditorMode() || editing)) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
        if (Key == 0) return;
        ResetEdit();
        if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
        Key = 0;
        return;
    }
    if (Key != VK_DELETE || !Shift.Contains(ssCtrl) || !dataSet) {
        TCustomGrid::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == 0 || FReadOnly || dataSet->IsEmpty() || !dataSet->CanModify()) return;
    Key = 0;
    if (FOptions.Contains(dgConfirmDelete) &&
        MessageDlg(DeleteRecordQuestion, mtConfirmation, mbOKCancel, 0) != mrOk)
        return;
    dataSet->Delete();
}

void TDBGrid::KeyPress(char& Key) {
    if (Key == '\r' && !FOptions.Contains(dgAlwaysShowEditor)) FDataLink->UpdateRecord();
    TCustomGrid::KeyPress(Key);
}

void TDBGrid::ResetEdit() {
    TDataSet* dataSet = ActiveDataSet();
    if (FEditModified) {
        FEditModified = false;
        InvalidateEditor();
    } else if (dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert)) {
        dataSet->Cancel();
    }
}

// ---- in-place editor ----------------------------------------------------------------------

bool TDBGrid::CanEditModify() {
    if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly()) return false;
    TColumn* column = ColumnAt(Col());
    TField* field = column ? column->Field() : nullptr;
    if (!field || column->ReadOnly() || !field->CanModify()) return false;
    return FDataLink->Edit();
}

bool TDBGrid::CanEditAcceptKey(char Key) const {
    TField* field = SelectedField();
    return field && field->IsValidChar(Key);
}

String TDBGrid::GetEditText(int ACol, int ARow) {
    TColumn* column = ColumnAt(ACol);
    TField* field = column ? column->Field() : nullptr;
    return field ? field->EditText() : String();
}

void TDBGrid::SetEditText(int ACol, int ARow, const String& Value) {
    FEditText = Value;
    FEditModified = true;
}

// A text typed without a key press the grid saw (an accented letter) still puts the dataset
// into Edit here.
void TDBGrid::UpdateData() {
    if (!FEditModified) return;
    TField* field = SelectedField();
    FEditModified = false;
    if (field && FDataLink->Edit()) field->SetText(FEditText);
}

// A title dragged elsewhere: persistent columns change places; default ones follow their
// fields, which change places in the dataset.
void TDBGrid::ColumnMoved(int FromIndex, int ToIndex) {
    TColumn* moving = ColumnAt(FromIndex);
    TColumn* target = ColumnAt(ToIndex);
    if (!moving || !target) return;
    if (FColumns->State() == csDefault && moving->Field() && target->Field())
        moving->Field()->SetIndex(target->Field()->Index());
    else
        moving->SetIndex(target->Index());
}

// A record inserted in the grid and left untouched is dropped when the focus leaves; a cell's
// pending text is written.
void TDBGrid::DoExit() {
    TDataSet* dataSet = ActiveDataSet();
    if (FOptions.Contains(dgCancelOnExit) && dataSet && dataSet->State() == dsInsert && !dataSet->Modified() &&
        !FEditModified)
        dataSet->Cancel();
    else
        FDataLink->UpdateRecord();
    TCustomGrid::DoExit();
}

// ---- painting -----------------------------------------------------------------------------

String TDBGrid::CellText(TField* field, int recNo) const {
    TDataSet* dataSet = ActiveDataSet();
    if (!field || !dataSet || recNo < 1 || recNo > dataSet->RecordCount()) return String();
    return dataSet->DisplayTextAt(recNo, field);
}

bool TDBGrid::ShowsSelection() const {
    return Focused() || FOptions.Contains(dgAlwaysShowSelection);
}

bool TDBGrid::RowMarked(int recNo) const {
    TDataSet* dataSet = ActiveDataSet();
    return dataSet && FSelectedRows->Count() > 0 && FSelectedRows->Find(dataSet->BookmarkAt(recNo));
}

// The current cell shows as selected while the grid shows its selection; marked rows always.
bool TDBGrid::HighlightCell(int DataCol, int RecNo, TGridDrawState AState) const {
    return (AState.Contains(gdSelected) && ShowsSelection()) || RowMarked(RecNo);
}

void TDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TColumn* column = ColumnAt(ACol);
    if (ACol < IndicatorOffset()) {
        if (ARow >= TitleOffset()) DrawIndicator(ARect, RecNoOfRow(ARow));
        return;
    }
    if (ARow < TitleOffset()) {
        if (column) DrawTitle(ARect, column);
        return;
    }
    FPaintRecNo = RecNoOfRow(ARow);
    const bool highlight = HighlightCell(ACol - IndicatorOffset(), FPaintRecNo, AState);
    if (highlight != AState.Contains(gdSelected)) {
        if (highlight) AState << gdSelected;
        else AState >> gdSelected;
        FillCell(ARect, AState);
    }
    if (column) DrawColumnCell(ARect, ACol - IndicatorOffset(), column, AState);
}

void TDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
    if (FDefaultDrawing) DefaultDrawColumnCell(Rect, DataCol, Column, State);
    if (OnDrawColumnCell) OnDrawColumnCell(this, Rect, DataCol, Column, State);
}

void TDBGrid::DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
    const String text = CellText(Column->Field(), FPaintRecNo);
    TCanvas* canvas = Canvas();
    const TAlignment alignment = Column->Alignment();  // looks up the field unless set
    int x = Rect.Left + CellMargin;
    if (alignment == taRightJustify) x = Rect.Right - CellMargin - canvas->TextWidth(text);
    else if (alignment == taCenter) x = Rect.Left + (Rect.Width() - canvas->TextWidth(text)) / 2;
    canvas->TextRect(Rect, x, Rect.Top + CellMargin, text);
}

// The current record gets an arrow, a marked record a dot (the arrow wins on a marked current).
void TDBGrid::DrawIndicator(const TRect& rect, int recNo) {
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet) return;
    const bool current = recNo == dataSet->RecNo();
    if (!current && !RowMarked(recNo)) return;
    const int midY = (rect.Top + rect.Bottom) / 2;
    const int left = rect.Left + 3;
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->Pen()->SetColor(clBlack);
    if (current) Canvas()->Polygon({Point(left, midY - 4), Point(left + 4, midY), Point(left, midY + 4)});
    else Canvas()->Ellipse(left, midY - 2, left + 5, midY + 3);
}

void TDBGrid::DrawTitle(const TRect& rect, TColumn* column) {
    Canvas()->TextRect(rect, rect.Left + CellMargin, rect.Top + CellMargin, column->Title()->DisplayCaption());
}

// ---- accessibility ------------------------------------------------------------------------

int TDBGrid::AccessibleRowCount() const {
    TDataSet* dataSet = ActiveDataSet();
    return dataSet ? dataSet->RecordCount() : 0;
}

int TDBGrid::AccessibleColCount() const { return static_cast<int>(VisibleColumns().size()); }

String TDBGrid::AccessibleCellText(int ACol, int ARow) const {
    TColumn* column = ColumnAt(ACol + IndicatorOffset());
    return column ? CellText(column->Field(), ARow + 1) : String();
}

String TDBGrid::AccessibleColumnTitle(int ACol) const {
    TColumn* column = ColumnAt(ACol + IndicatorOffset());
    return column ? column->Title()->DisplayCaption() : String();
}

bool TDBGrid::AccessibleRowSelected(int ARow) const {
    TDataSet* dataSet = ActiveDataSet();
    return dataSet && (ARow + 1 == dataSet->RecNo() || RowMarked(ARow + 1));
}

TRect TDBGrid::AccessibleCellRect(int ACol, int ARow) const {
    return CellRect(ACol + IndicatorOffset(), RowOfRecNo(ARow + 1));
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TDBGridOption> kDBGridOption{
    "TDBGridOption",
    {"dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize", "dgColLines", "dgRowLines",
     "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect"}};
const vt::ClassRegistration<TDBGrid, TCustomGrid> kDBGrid{
    "TDBGrid",
    {
        vt::Published("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource),
        vt::Published("Options", &TDBGrid::Options, &TDBGrid::SetOptions),
        vt::Published("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly),
        vt::Published("DefaultDrawing", &TDBGrid::DefaultDrawing, &TDBGrid::SetDefaultDrawing),
    }};
}  // namespace
