// The custom-painted grids. The geometry lives in two GridAxis objects; this file adds the
// current cell with its anchor, the keyboard and mouse rules, sizing by the fixed dividers,
// moving columns by their titles, the in-place editor's place and mode, the scroll bars (child
// QScrollBars in the grid's widget) and the painting of visible cells.
#include "ui/grids/Grids.h"
#include "rtl/TypInfo.h"

#include "ui/grids/GridAccessible.h"
#include "ui/grids/InplaceEdit.h"
#include "ui/kernel/Controls_p.h"

#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace {

// Pixels either side of a divider in which a press starts sizing.
constexpr int SizingMargin = 3;

// The keys that move the current cell whatever the options (Tab depends on goTabs).
bool IsArrowOrPageKey(WORD key) {
    switch (key) {
        case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
        case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
            return true;
        default: return false;
    }
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), FFixedColor(clBtnFace) {
    FOptions = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    FCols.SetDefaultExtent(64);
    FRows.SetDefaultExtent(24);
    FCols.SetCount(5);
    FRows.SetCount(5);
    FCols.SetFixedCount(1);
    FRows.SetFixedCount(1);
    FCurrent = FAnchor = FTopLeft = TGridCoord{1, 1};
    SetColor(clWindow);
    SetTabStop(true);
    // Click comes from moving the current cell (mouse and keyboard alike), not from the release.
    TControlStyle style = ControlStyle();
    style >> csClickEvents;
    SetControlStyle(style << csCaptureMouse << csOpaque << csDoubleClicks);
    vt::InstallGridAccessibility();
    // Moves without a button pressed reach the grid too (the sizing cursor over dividers).
    Widget()->setMouseTracking(true);
    FHorzBar = MakeScrollBar(false);
    FVertBar = MakeScrollBar(true);
    SetBounds(Left(), Top(), 320, 120);  // lays out the cells and the bars
}

TCustomGrid::~TCustomGrid() = default;

QScrollBar* TCustomGrid::MakeScrollBar(bool vertical) {
    auto* bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, Widget());
    bar->hide();
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, vertical](int value) {
        vt::Guarded(this, [&] {
            if (vertical) SetTopRow(value);
            else SetLeftCol(value);
        });
    });
    return bar;
}

// ---- properties ---------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
    Value = std::max(Value, 1);
    if (Value == ColCount()) return;
    FCols.SetCount(Value);
    if (FixedCols() >= Value) FCols.SetFixedCount(Value - 1);
    LayoutChanged();
}

void TCustomGrid::SetRowCount(int Value) {
    Value = std::max(Value, 1);
    if (Value == RowCount()) return;
    FRows.SetCount(Value);
    if (FixedRows() >= Value) FRows.SetFixedCount(Value - 1);
    LayoutChanged();
}

void TCustomGrid::SetFixedCols(int Value) {
    Value = std::clamp(Value, 0, ColCount() - 1);
    if (Value == FixedCols()) return;
    FCols.SetFixedCount(Value);
    LayoutChanged();
}

void TCustomGrid::SetFixedRows(int Value) {
    Value = std::clamp(Value, 0, RowCount() - 1);
    if (Value == FixedRows()) return;
    FRows.SetFixedCount(Value);
    LayoutChanged();
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= ColCount() || Value == ColWidths(Index)) return;
    FCols.SetExtent(Index, Value);
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= RowCount() || Value == RowHeights(Index)) return;
    FRows.SetExtent(Index, Value);
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    if (Value == DefaultColWidth()) return;
    FCols.SetDefaultExtent(Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    if (Value == DefaultRowHeight()) return;
    FRows.SetDefaultExtent(Value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value) {
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    LayoutChanged();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    FOptions = Value;
    if (FOptions.Contains(goRowSelect)) MoveCurrentTo(Col(), Row(), true);  // from code: no Click
    LayoutChanged();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    LayoutChanged();
}

void TCustomGrid::SetCol(int Value) {
    if (Value != Col()) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value) {
    if (Value != Row()) FocusCell(Col(), Value, true);
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FixedCols();
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    FAnchor = TGridCoord{Value.Right, Value.Bottom};
    FocusCell(Value.Left, Value.Top, false);
}

void TCustomGrid::SetLeftCol(int Value) { MoveTopLeft(Value, TopRow()); }
void TCustomGrid::SetTopRow(int Value) { MoveTopLeft(LeftCol(), Value); }

int TCustomGrid::VisibleColCount() const { return FCols.VisibleCount(LeftCol(), GridClientWidth()); }
int TCustomGrid::VisibleRowCount() const { return FRows.VisibleCount(TopRow(), GridClientHeight()); }

bool TCustomGrid::TabStops(int Index) const {
    return Index < 0 || Index >= static_cast<int>(FTabStops.size()) || FTabStops[Index];
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
    if (Index < 0 || Index >= ColCount()) return;
    if (Index >= static_cast<int>(FTabStops.size())) FTabStops.resize(ColCount(), true);
    FTabStops[Index] = Value;
}

int TCustomGrid::GridClientWidth() const {
    return ClientWidth() - (FVertBar->isVisible() ? FVertBar->sizeHint().width() : 0);
}

int TCustomGrid::GridClientHeight() const {
    return ClientHeight() - (FHorzBar->isVisible() ? FHorzBar->sizeHint().height() : 0);
}

// ---- geometry -----------------------------------------------------------------------------

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    const int x = FCols.CellStart(ACol, LeftCol());
    const int y = FRows.CellStart(ARow, TopRow());
    if (x < 0 || y < 0 || x >= GridClientWidth() || y >= GridClientHeight()) return TRect{};
    return Rect(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    TGridCoord cell{FCols.IndexAt(X, LeftCol()), FRows.IndexAt(Y, TopRow())};
    if (cell.X < 0 || cell.Y < 0 || X >= GridClientWidth() || Y >= GridClientHeight())
        return TGridCoord{-1, -1};
    return cell;
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    const TRect r = CellRect(ACol, ARow);
    if (r.Right > r.Left) InvalidateArea(r);
}

void TCustomGrid::InvalidateRow(int ARow) {
    const int y = FRows.CellStart(ARow, TopRow());
    if (y >= 0) InvalidateArea(Rect(0, y, GridClientWidth(), y + RowHeights(ARow) + FGridLineWidth));
}

void TCustomGrid::InvalidateCol(int ACol) {
    const int x = FCols.CellStart(ACol, LeftCol());
    if (x >= 0) InvalidateArea(Rect(x, 0, x + ColWidths(ACol) + FGridLineWidth, GridClientHeight()));
}

void TCustomGrid::InvalidateArea(const TRect& r) {
    Widget()->update(r.Left, r.Top, r.Width(), r.Height());
}

bool TCustomGrid::AccessibleRowSelected(int ARow) const {
    const TGridRect s = Selection();
    return ARow + FixedRows() >= s.Top && ARow + FixedRows() <= s.Bottom;
}

TRect TCustomGrid::AccessibleCellRect(int ACol, int ARow) const {
    return CellRect(ACol + FixedCols(), ARow + FixedRows());
}

// ---- layout and scrolling -----------------------------------------------------------------

// Lines take room only in the directions in which they are drawn.
void TCustomGrid::LayoutChanged() {
    FCols.SetLineWidth(FOptions.Contains(goVertLine) ? FGridLineWidth : 0);
    FRows.SetLineWidth(FOptions.Contains(goHorzLine) ? FGridLineWidth : 0);
    ClampCurrent();
    UpdateScrollBars();
    MoveTopLeft(LeftCol(), TopRow());
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::ClampCurrent() {
    auto clamp = [](int v, const vt::GridAxis& axis) {
        return std::clamp(v, axis.FixedCount(), std::max(axis.Count() - 1, axis.FixedCount()));
    };
    FCurrent = TGridCoord{clamp(FCurrent.X, FCols), clamp(FCurrent.Y, FRows)};
    FAnchor = TGridCoord{clamp(FAnchor.X, FCols), clamp(FAnchor.Y, FRows)};
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FixedCols();
}

void TCustomGrid::MoveTopLeft(int left, int top) {
    const TGridCoord clamped{
        std::clamp(left, FixedCols(), std::max(FCols.MaxFirst(GridClientWidth()), FixedCols())),
        std::clamp(top, FixedRows(), std::max(FRows.MaxFirst(GridClientHeight()), FixedRows()))};
    if (clamped.X == FTopLeft.X && clamped.Y == FTopLeft.Y) return;
    FTopLeft = clamped;
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::ScrollIntoView(TGridCoord cell) {
    MoveTopLeft(FCols.FirstShowing(cell.X, LeftCol(), GridClientWidth()),
                FRows.FirstShowing(cell.Y, TopRow(), GridClientHeight()));
}

// A bar shows only when its axis has more than fits; showing one bar narrows the other axis.
void TCustomGrid::UpdateScrollBars() {
    const bool wantHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool wantVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    FHorzBar->setVisible(false);
    FVertBar->setVisible(false);
    for (int pass = 0; pass < 2; ++pass) {
        FVertBar->setVisible(wantVert && FRows.MaxFirst(GridClientHeight()) > FixedRows());
        FHorzBar->setVisible(wantHorz && FCols.MaxFirst(GridClientWidth()) > FixedCols());
    }
    const int barWidth = FVertBar->sizeHint().width();
    const int barHeight = FHorzBar->sizeHint().height();
    FVertBar->setGeometry(ClientWidth() - barWidth, 0, barWidth, GridClientHeight());
    FHorzBar->setGeometry(0, ClientHeight() - barHeight, GridClientWidth(), barHeight);
    const QSignalBlocker blockVert(FVertBar);
    const QSignalBlocker blockHorz(FHorzBar);
    FVertBar->setRange(FixedRows(), std::max(FRows.MaxFirst(GridClientHeight()), FixedRows()));
    FVertBar->setPageStep(std::max(VisibleRowCount(), 1));
    FVertBar->setValue(TopRow());
    FHorzBar->setRange(FixedCols(), std::max(FCols.MaxFirst(GridClientWidth()), FixedCols()));
    FHorzBar->setPageStep(std::max(VisibleColCount(), 1));
    FHorzBar->setValue(LeftCol());
}

void TCustomGrid::Resize() {
    TCustomControl::Resize();
    LayoutChanged();
}

// ---- moving the current cell --------------------------------------------------------------

bool TCustomGrid::SelectCell(int ACol, int ARow) { return true; }

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    if (ACol < FixedCols() || ACol >= ColCount() || ARow < FixedRows() || ARow >= RowCount()) return;
    if (!SelectCell(ACol, ARow)) return;
    MoveCurrentTo(ACol, ARow, MoveAnchor);
    Click();
}

void TCustomGrid::MoveCurrentTo(int ACol, int ARow, bool MoveAnchor) {
    ACol = std::clamp(ACol, FixedCols(), ColCount() - 1);
    ARow = std::clamp(ARow, FixedRows(), RowCount() - 1);
    FCurrent = TGridCoord{ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = ColCount() - 1;
        FCurrent.X = FixedCols();
    }
    ScrollIntoView(TGridCoord{ACol, ARow});
    if (FEditorMode) UpdateEdit();
    vt::CurrentCellMoved(this);
    // Painting covers only the cells in view, so repainting them all is as cheap as working
    // out which rows the old and new selections touch.
    Invalidate();
}

// The cell a navigation key moves to; the current cell itself for other keys.
TGridCoord TCustomGrid::KeyTarget(WORD key, TShiftState shift) const {
    TGridCoord to = FCurrent;
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const int page = std::max(VisibleRowCount(), 1);
    switch (key) {
        case VK_UP: --to.Y; break;
        case VK_DOWN: ++to.Y; break;
        case VK_LEFT: if (!rowSelect) --to.X; break;
        case VK_RIGHT: if (!rowSelect) ++to.X; break;
        case VK_PRIOR: to.Y -= page; break;
        case VK_NEXT: to.Y += page; break;
        case VK_HOME:
            to.X = FixedCols();
            if (shift.Contains(ssCtrl) || rowSelect) to.Y = FixedRows();
            break;
        case VK_END:
            to.X = ColCount() - 1;
            if (shift.Contains(ssCtrl) || rowSelect) to.Y = RowCount() - 1;
            break;
        case VK_TAB:
            if (rowSelect) {
                to.Y += shift.Contains(ssShift) ? -1 : 1;
            } else {
                int rowStep = 0;
                to.X = NextTabCol(to.X, shift.Contains(ssShift), rowStep);
                to.Y += rowStep;
            }
            break;
        default: break;
    }
    to.X = std::clamp(to.X, FixedCols(), ColCount() - 1);
    to.Y = std::clamp(to.Y, FixedRows(), RowCount() - 1);
    return to;
}

// The next column from `from` that is a tab stop, wrapping into the next (previous) row, which
// rowStep reports; `from` itself when no other column stops.
int TCustomGrid::NextTabCol(int from, bool backward, int& rowStep) const {
    rowStep = 0;
    int col = from;
    do {
        col += backward ? -1 : 1;
        if (col >= ColCount()) {
            col = FixedCols();
            ++rowStep;
        } else if (col < FixedCols()) {
            col = ColCount() - 1;
            --rowStep;
        }
    } while (!TabStops(col) && col != from);
    if (col == from) rowStep = 0;
    return col;
}

bool TCustomGrid::WantsKey(WORD key, TShiftState shift) const {
    if (IsArrowOrPageKey(key)) return true;
    if (key == VK_TAB) return FOptions.Contains(goTabs) && !shift.Contains(ssCtrl);
    return TCustomControl::WantsKey(key, shift);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_F2 && FOptions.Contains(goEditing)) {
        SetEditorMode(true);
        Key = 0;
        return;
    }
    const bool navigation = IsArrowOrPageKey(Key) ||
                            (Key == VK_TAB && FOptions.Contains(goTabs) && !Shift.Contains(ssAlt));
    if (!navigation) return;
    const TGridCoord to = KeyTarget(Key, Shift);
    const bool extend = Shift.Contains(ssShift) && Key != VK_TAB && FOptions.Contains(goRangeSelect);
    FocusCell(to.X, to.Y, !extend);
    Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (!FOptions.Contains(goEditing)) return;
    if (Key == '\r') {
        if (!FOptions.Contains(goAlwaysShowEditor)) SetEditorMode(!FEditorMode);
        Key = 0;
        return;
    }
    const bool typed = Key == '\b' || static_cast<unsigned char>(Key) >= 32;
    if (typed && !(FInplaceEdit && FInplaceEdit->Focused())) {
        ShowEditorChar(Key);
        Key = 0;
    }
}

// ---- in-place editor ----------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
    const bool editing = FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect);
    const bool focused = Focused() || (FInplaceEdit && FInplaceEdit->Focused());
    return editing && FEditorMode && !ComponentState().Contains(csDesigning) &&
           (FOptions.Contains(goAlwaysShowEditor) || focused);
}

bool TCustomGrid::CanEditModify() { return true; }
bool TCustomGrid::CanEditAcceptKey(char Key) const { return true; }
String TCustomGrid::GetEditText(int ACol, int ARow) { return String(); }
void TCustomGrid::SetEditText(int ACol, int ARow, const String& Value) {}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    HideEditorWidget();
}

// The focus the editor had goes back to the grid.
void TCustomGrid::HideEditorWidget() {
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    const bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->Hide();
    if (hadFocus && CanFocus()) SetFocus();
}

// Leaving the grid closes the editor; the focus is on its way elsewhere already.
void TCustomGrid::DoExit() {
    TCustomControl::DoExit();
    if (FOptions.Contains(goAlwaysShowEditor)) return;
    FEditorMode = false;
    if (FInplaceEdit) FInplaceEdit->Hide();
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->TypeChar(Ch);
}

// An unchanged text is left alone, so the selection the user made stays.
void TCustomGrid::InvalidateEditor() {
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    const String text = GetEditText(Col(), Row());
    if (text != FInplaceEdit->Text()) FInplaceEdit->SetText(text);
}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) {
        HideEditorWidget();
        return;
    }
    if (!FInplaceEdit) FInplaceEdit = CreateEditor();
    FInplaceEdit->SetFont(Font());
    FInplaceEdit->SetText(GetEditText(Col(), Row()));
    PlaceEditor();
    FInplaceEdit->Show();
    if (Focused() || FInplaceEdit->Focused()) FInplaceEdit->SetFocus();
    FInplaceEdit->SelectAll();
}

// The editor covers the current cell inside its lines; out of view it is out of sight too.
void TCustomGrid::PlaceEditor() {
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    const TRect r = CellRect(Col(), Row());
    if (r.Right <= r.Left) FInplaceEdit->SetBounds(-r.Width() - 1, 0, 0, 0);
    else FInplaceEdit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

// ---- mouse --------------------------------------------------------------------------------

// The divider of the cell whose far edge lies within the margin of a pixel, or -1.
int TCustomGrid::SizingDivider(const vt::GridAxis& axis, int first, int pixel) const {
    for (int i = 0; i < axis.Count(); ++i) {
        const int start = axis.CellStart(i, first);
        if (start < 0) continue;
        const int edge = start + axis.Extent(i);
        if (pixel >= edge - SizingMargin && pixel <= edge + SizingMargin) return i;
    }
    return -1;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && CanFocus() && !Focused()) SetFocus();
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (Button == mbLeft) {
        int divider = -1;
        FSizing = SizingAt(X, Y, divider);
        if (FSizing != Sizing::None) {
            FSizingIndex = divider;
            FSizingOffset = FSizing == Sizing::Column ? ColWidths(divider) - X : RowHeights(divider) - Y;
        } else {
            const TGridCoord cell = MouseCoord(X, Y);
            if (FOptions.Contains(goColMoving) && cell.Y >= 0 && cell.Y < FixedRows() && cell.X >= FixedCols()) {
                FMoveFrom = FMoveTo = cell.X;
                Widget()->setCursor(vt::CursorFor(crDrag));
            } else if (cell.X >= FixedCols() && cell.Y >= FixedRows()) {
                const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
                FocusCell(cell.X, cell.Y, !extend);
                FSelectingWithMouse = FOptions.Contains(goRangeSelect);
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

// Column dividers size in the fixed rows, row dividers in the fixed columns.
TCustomGrid::Sizing TCustomGrid::SizingAt(int X, int Y, int& Divider) const {
    if (Y < FRows.FixedExtent() && FOptions.Contains(goColSizing)) {
        Divider = SizingDivider(FCols, LeftCol(), X);
        if (Divider >= 0) return Sizing::Column;
    }
    if (X < FCols.FixedExtent() && FOptions.Contains(goRowSizing)) {
        Divider = SizingDivider(FRows, TopRow(), Y);
        if (Divider >= 0) return Sizing::Row;
    }
    return Sizing::None;
}

bool TCustomGrid::InSizingZone(int X, int Y) const {
    int divider = -1;
    return SizingAt(X, Y, divider) != Sizing::None;
}

// Over a divider that sizes, the pointer shows the splitter shape.
void TCustomGrid::ShowSizingCursor(int X, int Y) {
    int divider = -1;
    const Sizing sizing = FSizing != Sizing::None ? FSizing : SizingAt(X, Y, divider);
    if (sizing != Sizing::None) Widget()->setCursor(vt::CursorFor(sizing == Sizing::Column ? crHSplit : crVSplit));
    else if (Cursor() == crDefault) Widget()->unsetCursor();
    else Widget()->setCursor(vt::CursorFor(Cursor()));
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    ShowSizingCursor(X, Y);
    if (FSizing == Sizing::Column) {
        SetColWidths(FSizingIndex, std::max(X + FSizingOffset, 1));
    } else if (FSizing == Sizing::Row) {
        SetRowHeights(FSizingIndex, std::max(Y + FSizingOffset, 1));
    } else if (MovingColumn()) {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= FixedCols()) FMoveTo = cell.X;
    } else if (FSelectingWithMouse && Shift.Contains(ssLeft)) {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= FixedCols() && cell.Y >= FixedRows() &&
            (cell.X != FCurrent.X || cell.Y != FCurrent.Y))
            FocusCell(cell.X, cell.Y, false);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FSizing = Sizing::None;
    FSelectingWithMouse = false;
    if (MovingColumn()) MoveColumnTo(X);
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// The drag of a title ends: the column goes where the pointer is (past the last column: last),
// its width and tab stop with it; the current cell stays on the column it was on.
void TCustomGrid::MoveColumnTo(int X) {
    const int from = FMoveFrom;
    const TGridCoord cell = MouseCoord(X, 0);
    const int to = cell.X >= FixedCols() ? cell.X : X >= GridClientWidth() ? ColCount() - 1 : FMoveTo;
    FMoveFrom = FMoveTo = -1;
    Widget()->unsetCursor();
    if (to == from || to < FixedCols()) return;
    FTabStops.resize(ColCount(), true);
    const int width = ColWidths(from);
    const bool stop = FTabStops[from];
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step) {
        FCols.SetExtent(i, ColWidths(i + step));
        FTabStops[i] = FTabStops[i + step];
    }
    FCols.SetExtent(to, width);
    FTabStops[to] = stop;
    if (FCurrent.X == from) FCurrent.X = to;
    else if (step > 0 && FCurrent.X > from && FCurrent.X <= to) --FCurrent.X;
    else if (step < 0 && FCurrent.X < from && FCurrent.X >= to) ++FCurrent.X;
    FAnchor.X = FOptions.Contains(goRowSelect) ? FAnchor.X : FCurrent.X;
    ColumnMoved(from, to);
    LayoutChanged();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {}

// A notch of the wheel moves the current row by one, as the arrow keys do.
bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (Row() < RowCount() - 1) FocusCell(Col(), Row() + 1, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (Row() > FixedRows()) FocusCell(Col(), Row() - 1, true);
    return true;
}

// ---- change notices -----------------------------------------------------------------------

void TCustomGrid::ColWidthsChanged() { LayoutChanged(); }
void TCustomGrid::RowHeightsChanged() { LayoutChanged(); }
void TCustomGrid::TopLeftChanged() {}

// ---- painting -----------------------------------------------------------------------------

bool TCustomGrid::CellIsSelected(int col, int row) const {
    const TGridRect s = Selection();
    if (col < s.Left || col > s.Right || row < s.Top || row > s.Bottom) return false;
    const bool isCurrent = col == FCurrent.X && row == FCurrent.Y;
    return !isCurrent || FOptions.Contains(goRowSelect) || FOptions.Contains(goDrawFocusSelected) ||
           !Focused();
}

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, ClientWidth(), ClientHeight()));
    DrawCells();
}

// Only the cells in view are painted: fixed ones first in each axis, then from the top-left.
// Each axis is walked once, keeping where its cells start, so no cell walks the axis again.
void TCustomGrid::DrawCells() {
    struct Cell {
        int index;
        int start;
    };
    auto visible = [](const vt::GridAxis& axis, int first, int extent) {
        std::vector<Cell> cells;
        int pos = 0;
        for (int i = 0; i < axis.FixedCount(); ++i) {
            cells.push_back(Cell{i, pos});
            pos += axis.Extent(i) + axis.LineWidth();
        }
        for (int i = first; i < axis.Count() && pos < extent; ++i) {
            cells.push_back(Cell{i, pos});
            pos += axis.Extent(i) + axis.LineWidth();
        }
        return cells;
    };
    const std::vector<Cell> cols = visible(FCols, LeftCol(), GridClientWidth());
    const std::vector<Cell> rows = visible(FRows, TopRow(), GridClientHeight());
    for (const Cell& rowCell : rows) {
        for (const Cell& colCell : cols) {
            const int col = colCell.index;
            const int row = rowCell.index;
            const TRect rect = Rect(colCell.start, rowCell.start, colCell.start + ColWidths(col),
                                    rowCell.start + RowHeights(row));
            TGridDrawState state;
            const bool fixed = col < FixedCols() || row < FixedRows();
            if (fixed) state << gdFixed;
            else if (CellIsSelected(col, row)) state << gdSelected;
            if (!fixed && Focused() && col == FCurrent.X && row == FCurrent.Y) state << gdFocused;
            FillCell(rect, state);
            DrawCell(col, row, rect, state);
            DrawLines(col, row, rect);
            if (state.Contains(gdFocused) && !FOptions.Contains(goRowSelect)) Canvas()->DrawFocusRect(rect);
        }
    }
}

void TCustomGrid::FillCell(const TRect& ARect, TGridDrawState AState) {
    TCanvas* canvas = Canvas();
    const bool selected = AState.Contains(gdSelected);
    canvas->Brush()->SetColor(AState.Contains(gdFixed) ? FFixedColor : selected ? clHighlight : Color());
    canvas->Font()->Assign(Font());
    if (selected) canvas->Font()->SetColor(clHighlightText);
    canvas->FillRect(ARect);
}

void TCustomGrid::DrawLines(int col, int row, const TRect& rect) {
    if (FGridLineWidth <= 0) return;
    const bool fixed = col < FixedCols() || row < FixedRows();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(fixed ? clBlack : clSilver);
    if (FOptions.Contains(fixed ? goFixedVertLine : goVertLine) && FCols.LineWidth() > 0)
        canvas->FillRect(Rect(rect.Right, rect.Top, rect.Right + FGridLineWidth,
                              rect.Bottom + FRows.LineWidth()));
    if (FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine) && FRows.LineWidth() > 0)
        canvas->FillRect(Rect(rect.Left, rect.Bottom, rect.Right + FCols.LineWidth(),
                              rect.Bottom + FGridLineWidth));
}

// ---- TDrawGrid ----------------------------------------------------------------------------

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TGridOption> kGridOption{
    "TGridOption",
    {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect", "goDrawFocusSelected",
     "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs", "goRowSelect",
     "goAlwaysShowEditor", "goThumbTracking"}};
const vt::ClassRegistration<TCustomGrid, TCustomControl> kCustomGrid{
    "TCustomGrid",
    {
        vt::Published("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount),
        vt::Published("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount),
        vt::Published("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols),
        vt::Published("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows),
        vt::Published("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth),
        vt::Published("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight),
        vt::Published("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth),
        vt::Published("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor),
        vt::Published("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions),
        vt::Published("ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars),
    }};
const vt::ClassRegistration<TDrawGrid, TCustomGrid> kDrawGrid{"TDrawGrid", {}};
}  // namespace
