// TVtDBGrid: the platform's data-aware grid with several records selected by mouse and keyboard,
// selection marks in the indicator, glyphs for binary and memo fields, title cells that act as
// buttons with a sort mark, per-cell colours, fixed data columns and a stored column layout.
#pragma once

#include "ui/grids/DBGrids.h"

#include <functional>

class TFont;
class TFormPlacement;
class TImageList;
class TIniFile;
class TIniLink;
class TRegIniFile;

enum TSortMarker { smNone, smDown, smUp };

using TCheckTitleBtnEvent = std::function<void(TObject* Sender, int ACol, TField* Field, bool& Enabled)>;
using TGetCellPropsEvent = std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background)>;
using TGetCellParamsEvent =
    std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background, bool Highlight)>;
using TGetBtnParamsEvent = std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background,
                                              TSortMarker& SortMarker, bool IsDown)>;
using TTitleClickEvent = std::function<void(TObject* Sender, int ACol, TField* Field)>;
using TDBEditShowEvent = std::function<void(TObject* Sender, TField* Field, bool& AllowEdit)>;

class TVtDBGrid : public TDBGrid {
public:
    explicit TVtDBGrid(TComponent* AOwner);
    ~TVtDBGrid() override;

    // dgMultiSelect stands for MultiSelect; without dgColLines or dgRowLines the fixed cells lose
    // those lines too.
    void SetOptions(TDBGridOptions Value);
    bool MultiSelect() const { return Options().Contains(dgMultiSelect); }
    void SetMultiSelect(bool Value);
    bool ShowGlyphs() const { return FShowGlyphs; }
    void SetShowGlyphs(bool Value);
    bool ClearSelection() const { return FClearSelection; }
    void SetClearSelection(bool Value) { FClearSelection = Value; }
    bool TitleButtons() const { return FTitleButtons; }
    void SetTitleButtons(bool Value);
    // Data columns that do not scroll, after the indicator.
    int FixedCols() const;
    void SetFixedCols(int Value);
    int RowsHeight() const { return DefaultRowHeight(); }
    void SetRowsHeight(int Value);

    void SelectAll();
    void UnselectAll();
    void ToggleRowSelection();
    void GotoSelection(int Index);
    int SelCount() const;
    // While disabled, the grid does not follow the dataset's cursor; enabling re-reads the rows.
    void DisableScroll();
    void EnableScroll();
    bool ScrollDisabled() const { return FScrollLock > 0; }
    void DefaultDataCellDraw(const TRect& Rect, TField* Field, TGridDrawState State);
    // The column layout (order and widths), or with default columns the fields' layout, in the
    // grid's default section.
    void SaveLayout(TIniFile* IniFile);
    void RestoreLayout(TIniFile* IniFile);
    void SaveLayoutReg(TRegIniFile* IniFile);
    void RestoreLayoutReg(TRegIniFile* IniFile);
    // The form placement whose saving and restoring also save and restore this grid's layout.
    TFormPlacement* IniStorage() const;
    void SetIniStorage(TFormPlacement* Value);

    TCheckTitleBtnEvent OnCheckButton;
    TGetCellPropsEvent OnGetCellProps;
    TGetCellParamsEvent OnGetCellParams;
    TGetBtnParamsEvent OnGetBtnParams;
    TTitleClickEvent OnTitleBtnClick;
    TNotifyEvent OnTopLeftChanged;
    TDBEditShowEvent OnShowEditor;
    TNotifyEvent OnEditChange;

    void WndProc(TMessage& Message) override;

protected:
    // The glyph (index into the grid bitmaps) drawn in place of the field's text; -1 for text.
    virtual int GetImageIndex(TField* Field) const;
    void InternalSaveLayout(TObject* IniFile, const String& Section);
    void InternalRestoreLayout(TObject* IniFile, const String& Section);
    // False for a column outside the list; else OnCheckButton decides, enabled by default.
    bool CheckTitleButton(int ACol, bool& Enabled);

    // The editor's changes raise OnEditChange.
    TInplaceEdit* CreateEditor() override;
    // No editor over a field drawn as a glyph; OnShowEditor may then decide otherwise.
    bool CanEditShow() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) override;
    void SelectRowByMouse(TShiftState Shift) override;
    void Scroll(int Distance) override;
    void SetColumnAttributes() override;
    void TopLeftChanged() override;

private:
    bool StoreColumns() const { return Columns()->State() == csCustomized; }
    TDataSet* LayoutDataSet() const { return DataSource() ? DataSource()->DataSet() : nullptr; }
    String ColumnsSection(const String& Section);
    String IniLinkSection();
    void IniSave();
    void IniLoad();
    void SaveColumnsLayout(TObject* IniFile, const String& Section);
    void RestoreColumnsLayout(TObject* IniFile, const String& Section);
    TDataSet* SelectionDataSet() const { return MultiSelect() ? ActiveDataSet() : nullptr; }
    int FirstScrollableCol() const { return IndicatorOffset() + FixedCols(); }
    void ClearSelections();
    void SelectionStep(bool Extend, int Direction);
    void DeleteSelection(TDataSet* DataSet);
    bool TabWrapsRecord(bool Backward) const;
    // A character typed on the grid (no editor open) goes to the form's shortcuts first.
    bool TypedShortCut(TMessage& Message);
    void ClickFixedColumn(int ARow);
    bool TitleButtonAt(int X, int Y, TColumn*& Column) const;
    void TrackButton(int X, int Y);
    void StopTracking();
    void InvalidateTitles();
    void GetCellProps(TField* Field, TFont* AFont, TColor& Background, bool Highlight);
    void DrawSelectionMark(const TRect& ARect, int ARow);
    void DrawTitleButton(const TRect& ARect, TColumn* Column);

    bool FShowGlyphs = true;
    bool FSelecting = false;
    bool FClearSelection = true;
    bool FTitleButtons = false;
    TColumn* FPressedCol = nullptr;
    bool FPressed = false;
    bool FTracking = false;
    bool FSwapButtons = false;
    int FScrollLock = 0;
    int FFixedCols = 0;
    TIniLink* FIniLink;
    TImageList* FMsIndicators;
    TBookmark FSelectionAnchor;
};
