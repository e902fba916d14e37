// The data-aware grid TDBGrid: one row per record of its data source's dataset, one column per
// TColumn (persistent ones, or one per visible field), whole-row selection that follows the
// dataset's cursor both ways, the title row, the indicator, column sizing and moving by mouse,
// and the in-place editor that writes a cell's text into its field.
#pragma once

#include "db/DataSource.h"
#include "ui/grids/Grids.h"

#include <vector>

class TDBGrid;
class TDBGridColumns;

class TColumnTitle {
public:
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // What the title row shows: the caption, else the field's display label, else the name.
    String DisplayCaption() const;

private:
    friend class TColumn;
    explicit TColumnTitle(class TColumn* column) : FColumn(column) {}
    TColumn* FColumn;
    String FCaption;
};

class TColumn {
public:
    ~TColumn();
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    // The dataset's field of that name while the grid's dataset is open, else nullptr.
    TField* Field() const;
    TColumnTitle* Title() const { return FTitle; }
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    int Index() const;
    // Moves the column to that place among the columns (clamped to the list).
    void SetIndex(int Value);
    TDBGrid* Grid() const { return FGrid; }

private:
    friend class TDBGridColumns;
    friend class TColumnTitle;
    friend class TDBGrid;
    explicit TColumn(TDBGrid* grid);
    void Changed();

    TDBGrid* FGrid;
    TColumnTitle* FTitle;
    String FFieldName;
    int FWidth = 64;
    bool FVisible = true;
    bool FAlignmentSet = false;
    TAlignment FAlignment = taLeftJustify;
    bool FReadOnly = false;
};

enum TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns {
public:
    ~TDBGridColumns();
    int Count() const { return static_cast<int>(FItems.size()); }
    TColumn* Items(int Index) const { return FItems.at(Index); }
    TColumn* operator[](int Index) const { return Items(Index); }
    // Adding a column from code makes the columns persistent: the dataset no longer decides.
    TColumn* Add();
    void Clear();
    TDBGridColumnsState State() const { return FState; }
    void SetState(TDBGridColumnsState Value);
    // Rebuilds default columns from the dataset's visible fields (persistent ones stay).
    void RebuildColumns();

private:
    friend class TDBGrid;
    friend class TColumn;
    explicit TDBGridColumns(TDBGrid* grid) : FGrid(grid) {}
    TColumn* AddItem();

    TDBGrid* FGrid;
    std::vector<TColumn*> FItems;
    TDBGridColumnsState FState = csDefault;
};

// The marked rows of a multi-select grid, by bookmark.
class TBookmarkList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const TBookmark& Items(int Index) const { return FItems.at(Index); }
    bool CurrentRowSelected() const;
    void SetCurrentRowSelected(bool Value);
    bool Find(const TBookmark& Item) const;
    void Clear();

private:
    friend class TDBGrid;
    friend class TGridDataLink;
    explicit TBookmarkList(TDBGrid* grid) : FGrid(grid) {}
    TDBGrid* FGrid;
    std::vector<TBookmark> FItems;
};

// The grid's link to its data source: every notice of the dataset reaches the grid.
class TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid* grid) : FGrid(grid) {}

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void EditingChanged() override;
    void UpdateData() override;

private:
    TDBGrid* FGrid;
};

enum TDBGridOption {
    dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
    dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
using TDBGridOptions = Set<TDBGridOption>;

using TDrawColumnCellEvent = std::function<void(TObject* Sender, const TRect& Rect, int DataCol,
                                                TColumn* Column, TGridDrawState State)>;
using TDBGridClickEvent = std::function<void(TColumn* Column)>;

class TDBGrid : public TCustomGrid {
public:
    explicit TDBGrid(TComponent* AOwner);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TDBGridColumns* Columns() const { return FColumns; }
    TDBGridOptions Options() const { return FOptions; }
    void SetOptions(TDBGridOptions Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    TBookmarkList* SelectedRows() const { return FSelectedRows; }
    // The column of the current cell, counted among the visible columns.
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);
    TField* SelectedField() const;
    TGridDataLink* DataLink() const { return FDataLink; }
    // Paints a data cell's text as the grid does: the field's display text, aligned.
    void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);

    TDrawColumnCellEvent OnDrawColumnCell;
    TDBGridClickEvent OnCellClick;
    TDBGridClickEvent OnTitleClick;

    int AccessibleRowCount() const override;
    int AccessibleColCount() const override;
    String AccessibleCellText(int ACol, int ARow) const override;
    String AccessibleColumnTitle(int ACol) const override;
    bool AccessibleRowSelected(int ARow) const override;
    TRect AccessibleCellRect(int ACol, int ARow) const override;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColWidthsChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Enter writes the editor's text into the field before the editor closes.
    void KeyPress(char& Key) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    // The editor edits the current record's field as text; a change first puts the dataset
    // into Edit, and a column, field or grid that is read-only refuses it.
    bool CanEditModify() override;
    bool CanEditAcceptKey(char Key) const override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    // Writes the editor's pending text into its field.
    void UpdateData();
    // Esc: the editor's pending text is dropped, or without one the record's changes.
    void ResetEdit();
    // Whether a data cell paints highlighted; RecNo is the record of its row.
    virtual bool HighlightCell(int DataCol, int RecNo, TGridDrawState AState) const;
    // Paints one data cell on its filled background: the default text, then OnDrawColumnCell.
    virtual void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
    // A left click on a data row of a multi-select grid: Ctrl flips the row, else the marks go.
    virtual void SelectRowByMouse(TShiftState Shift);
    // The dataset's cursor moved by Distance records: the current row follows it.
    virtual void Scroll(int Distance);
    // Gives the grid's columns the widths of the visible columns, after every layout change.
    virtual void SetColumnAttributes();

    TDataSet* ActiveDataSet() const;
    int TitleOffset() const { return FOptions.Contains(dgTitles) ? 1 : 0; }
    int IndicatorOffset() const { return FOptions.Contains(dgIndicator) ? 1 : 0; }
    // The visible columns in grid order; grid column = indicator offset + position here.
    std::vector<TColumn*> VisibleColumns() const;
    TColumn* ColumnAt(int gridCol) const;
    int RecNoOfRow(int gridRow) const { return gridRow - TitleOffset() + 1; }
    int RowOfRecNo(int recNo) const { return recNo + TitleOffset() - 1; }
    // Counts, widths and the current row again from the columns and the dataset.
    void LayoutFromColumns();
    bool ShowsSelection() const;
    bool RowMarked(int recNo) const;
    // The record of the data row being painted.
    int PaintRecNo() const { return FPaintRecNo; }

private:
    friend class TGridDataLink;
    friend class TColumn;
    friend class TDBGridColumns;
    friend class TBookmarkList;

    String CellText(TField* field, int recNo) const;
    int DefaultColumnWidth(TField* field) const;
    void FollowCursor();
    void DrawIndicator(const TRect& rect, int recNo);
    void DrawTitle(const TRect& rect, TColumn* column);

    TGridDataLink* FDataLink;
    TDBGridColumns* FColumns;
    TBookmarkList* FSelectedRows;
    TDBGridOptions FOptions;
    bool FReadOnly = false;
    bool FDefaultDrawing = true;
    bool FFollowingCursor = false;
    bool FLayingOut = false;
    String FEditText;
    bool FEditModified = false;
    TGridCoord FClickCell{-1, -1};
    int FPaintRecNo = 0;  // the record of the row being painted
};
