// The class library's custom-painted grids: TCustomGrid (cells, fixed rows and columns, current
// cell and selection, scrolling, keyboard and mouse, column and row sizing, columns moved by
// their titles, the in-place editor) and TDrawGrid, which hands the painting and the selection
// check of each cell to its events.
#pragma once

#include "rtl/Set.h"
#include "ui/controls/StdCtrls.h"  // TScrollStyle
#include "ui/grids/GridAxis.h"
#include "ui/kernel/Controls.h"

#include <functional>
#include <vector>

class QScrollBar;
class TInplaceEdit;

struct TGridCoord {
    int X = 0;
    int Y = 0;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = Set<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Set<TGridDrawStateItem>;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    int ColCount() const { return FCols.Count(); }
    void SetColCount(int Value);
    int RowCount() const { return FRows.Count(); }
    void SetRowCount(int Value);
    int FixedCols() const { return FCols.FixedCount(); }
    void SetFixedCols(int Value);
    int FixedRows() const { return FRows.FixedCount(); }
    void SetFixedRows(int Value);
    int ColWidths(int Index) const { return FCols.Extent(Index); }
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const { return FRows.Extent(Index); }
    void SetRowHeights(int Index, int Value);
    int DefaultColWidth() const { return FCols.DefaultExtent(); }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FRows.DefaultExtent(); }
    void SetDefaultRowHeight(int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);

    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // Whether Tab stops in the column (all do until told otherwise).
    bool TabStops(int Index) const;
    void SetTabStops(int Index, bool Value);

    // Editor mode: the in-place editor lies over the current cell wherever it moves, as long
    // as CanEditShow agrees. F2 and Enter switch it on, Enter and Esc off.
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The cell's rectangle in client pixels; empty when the cell is scrolled out of view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; -1 for a coordinate outside the cells.
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid() { Invalidate(); }
    // Arrow, paging and (with goTabs) Tab keys move the current cell instead of the focus.
    bool WantsKey(WORD key, TShiftState shift) const override;

    // Platform side: the table that assistive technology reads. Rows and columns count the
    // scrolling cells only, from 0; descendants that show data report all of it.
    virtual int AccessibleRowCount() const { return RowCount() - FixedRows(); }
    virtual int AccessibleColCount() const { return ColCount() - FixedCols(); }
    virtual String AccessibleCellText(int ACol, int ARow) const { return String(); }
    virtual String AccessibleColumnTitle(int ACol) const { return String(); }
    virtual bool AccessibleRowSelected(int ARow) const;
    // The cell's rectangle in client pixels for a table cell; empty when out of view.
    virtual TRect AccessibleCellRect(int ACol, int ARow) const;

protected:
    friend class TInplaceEdit;
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    virtual bool SelectCell(int ACol, int ARow);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    // A column dragged by its title from one place to another (goColMoving); the grid has
    // moved the column's width already.
    virtual void ColumnMoved(int FromIndex, int ToIndex);

    // The in-place editor. CreateEditor makes it on first need; CanEditShow says whether it
    // may show over the current cell now; CanEditModify whether the cell may change (asked
    // before each change the user makes); the texts go through GetEditText and SetEditText.
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(char Key) const;
    virtual String GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const String& Value);
    void ShowEditor();
    void HideEditor();
    // Opens the editor with the character typed on the grid.
    void ShowEditorChar(char Ch);
    // Shows the current cell's text in the editor again.
    void InvalidateEditor();
    // Moves the current cell as the user's moves do: asks SelectCell, scrolls it into view and
    // fires Click. MoveAnchor false keeps the anchor, so the selection stretches to the cell.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    // Moves the current cell without SelectCell or Click: for descendants whose current cell
    // follows a cursor outside the grid.
    void MoveCurrentTo(int ACol, int ARow, bool MoveAnchor);
    // Paints a cell's background and readies the canvas font for its state, as the grid does
    // before DrawCell; a descendant that changes the state repaints with it.
    void FillCell(const TRect& ARect, TGridDrawState AState);
    // Whether a press at the client point would size a column or row.
    bool InSizingZone(int X, int Y) const;
    // The grid's area without its scroll bars.
    int GridClientWidth() const;
    int GridClientHeight() const;

    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Enter switches editor mode; a character typed on the grid opens the editor with it.
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void DoExit() override;
    // A notch of the wheel that no handler took moves the current row.
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // Whether a column is being dragged by its title.
    bool MovingColumn() const { return FMoveFrom >= 0; }

private:
    enum class Sizing { None, Column, Row };

    void LayoutChanged();
    void ClampCurrent();
    void ScrollIntoView(TGridCoord cell);
    void MoveTopLeft(int left, int top);
    TGridCoord KeyTarget(WORD key, TShiftState shift) const;
    void DrawCells();
    void DrawLines(int col, int row, const TRect& rect);
    bool CellIsSelected(int col, int row) const;
    int SizingDivider(const vt::GridAxis& axis, int first, int pixel) const;
    Sizing SizingAt(int X, int Y, int& Divider) const;
    void ShowSizingCursor(int X, int Y);
    void UpdateScrollBars();
    void InvalidateArea(const TRect& r);
    QScrollBar* MakeScrollBar(bool vertical);
    int NextTabCol(int from, bool backward, int& rowStep) const;
    // Lays the editor over the current cell (text and place), or hides it when it may not show.
    void UpdateEdit();
    void HideEditorWidget();
    void PlaceEditor();
    void MoveColumnTo(int X);

    vt::GridAxis FCols;
    vt::GridAxis FRows;
    int FGridLineWidth = 1;
    TColor FFixedColor;
    TGridOptions FOptions;
    TScrollStyle FScrollBars = ssBoth;
    TGridCoord FCurrent;
    TGridCoord FAnchor;
    TGridCoord FTopLeft;
    Sizing FSizing = Sizing::None;
    int FSizingIndex = -1;
    int FSizingOffset = 0;
    bool FSelectingWithMouse = false;
    int FMoveFrom = -1;  // the column dragged by its title, -1 when none
    int FMoveTo = -1;
    std::vector<bool> FTabStops;  // by column; missing entries stop
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    QScrollBar* FHorzBar = nullptr;
    QScrollBar* FVertBar = nullptr;
};

class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
};
