// TVtDBGrid. The platform grid does the painting, navigation and sizing; this class hooks its
// steps: the selection step of the arrow keys and clicks, the title-button tracking, the cell
// colours and glyphs, and the marks drawn over the indicator and title cells it painted.
#include "components/grids/VtDBGrid.h"
#include "rtl/TypInfo.h"

#include "components/storage/Apputils.h"
#include "components/grids/DBUtils.h"
#include "components/storage/Placemnt.h"
#include "components/common/vtGuiutils.h"
#include "db/DataSet.h"
#include "rtl/Format.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"
#include "ui/grids/InplaceEdit.h"

#include <algorithm>

namespace {

const char* const DeleteRecordQuestion = "Delete record?";
const char* const DeleteSelectedQuestion = "Delete all selected records?";

// The unit's grid bitmaps by glyph index, loaded on first use.
const char* const GridBitmapNames[] = {"DBG_BLOB", "DBG_MEMO", "DBG_PICT", "DBG_OLE", "DBG_OBJECT",
                                       "DBG_DATA", "DBG_NOTEMPTY", "DBG_SMDOWN", "DBG_SMUP"};
enum GridBitmap { gbBlob, gbMemo, gbPicture, gbOle, gbObject, gbData, gbNotEmpty, gbSortDown, gbSortUp };

TBitmap* GetGridBitmap(int Index) { return vt::SharedBitmap(GridBitmapNames[Index]); }

enum SelectionImage { siDot, siArrow };

// Draws Bitmap at X, Y with Transparent as its see-through colour.
void DrawTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Transparent)
{
    Canvas->BrushCopy(Bounds(X, Y, Bitmap->Width(), Bitmap->Height()), Bitmap,
                      Rect(0, 0, Bitmap->Width(), Bitmap->Height()), Transparent);
}

}  // namespace

TVtDBGrid::TVtDBGrid(TComponent* AOwner)
    : TDBGrid(AOwner), FIniLink(new TIniLink), FMsIndicators(new TImageList(nullptr))
{
    SetOptions(TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
                              dgConfirmDelete, dgCancelOnExit});
    TBitmap* dot = vt::SharedBitmap("DBG_MSDOT");
    FMsIndicators->SetWidth(dot->Width());
    FMsIndicators->SetHeight(dot->Height());
    FMsIndicators->AddMasked(dot, clWhite);
    FMsIndicators->AddMasked(vt::SharedBitmap("DBG_MSARROW"), clWhite);
    FIniLink->OnSave = [this](TObject*) { IniSave(); };
    FIniLink->OnLoad = [this](TObject*) { IniLoad(); };
}

TVtDBGrid::~TVtDBGrid()
{
    delete FIniLink;
    delete FMsIndicators;
}

// ---- options and properties -----------------------------------------------------------------

void TVtDBGrid::SetOptions(TDBGridOptions Value)
{
    TDBGrid::SetOptions(Value);
    TGridOptions grid = TCustomGrid::Options();
    if (!Value.Contains(dgColLines)) grid >> goFixedVertLine;
    if (!Value.Contains(dgRowLines)) grid >> goFixedHorzLine;
    TCustomGrid::SetOptions(grid);
    if (!Value.Contains(dgMultiSelect)) FSelecting = false;
}

void TVtDBGrid::SetMultiSelect(bool Value)
{
    SetOptions(Value ? Options() << dgMultiSelect : Options() >> dgMultiSelect);
}

void TVtDBGrid::SetShowGlyphs(bool Value)
{
    if (Value == FShowGlyphs) return;
    FShowGlyphs = Value;
    Invalidate();
}

void TVtDBGrid::SetTitleButtons(bool Value)
{
    if (Value == FTitleButtons) return;
    FTitleButtons = Value;
    Invalidate();
    SetOptions(Options());
}

int TVtDBGrid::FixedCols() const
{
    return ActiveDataSet() ? TCustomGrid::FixedCols() - IndicatorOffset() : FFixedCols;
}

// The grid's own fixed count covers the indicator and these columns; one column always scrolls.
void TVtDBGrid::SetFixedCols(int Value)
{
    int fixed = std::max(Value, 0);
    if (ActiveDataSet() && !ComponentState().Contains(csLoading) && ColCount() > IndicatorOffset() + 1) {
        const int gridFixed = std::min(fixed + IndicatorOffset(), ColCount() - 1);
        TCustomGrid::SetFixedCols(gridFixed);
        for (int col = 0; col < gridFixed; ++col) SetTabStops(col, false);
        fixed = gridFixed - IndicatorOffset();
    }
    FFixedCols = fixed;
}

void TVtDBGrid::SetColumnAttributes()
{
    TDBGrid::SetColumnAttributes();
    SetFixedCols(FFixedCols);
}

void TVtDBGrid::SetRowsHeight(int Value)
{
    if (ComponentState().Contains(csDesigning) || Value == DefaultRowHeight()) return;
    SetDefaultRowHeight(Value);
    if (Options().Contains(dgTitles)) SetRowHeights(0, Value + 2);
}

// ---- selected rows --------------------------------------------------------------------------

void TVtDBGrid::SelectAll()
{
    TDataSet* dataSet = SelectionDataSet();
    if (!dataSet || (dataSet->Bof() && dataSet->Eof())) return;
    dataSet->DisableControls();
    const TBookmark bookmark = dataSet->GetBookmark();
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) SelectedRows()->SetCurrentRowSelected(true);
    dataSet->GotoBookmark(bookmark);
    dataSet->EnableControls();
}

void TVtDBGrid::UnselectAll()
{
    if (!MultiSelect()) return;
    SelectedRows()->Clear();
    FSelecting = false;
}

void TVtDBGrid::ToggleRowSelection()
{
    if (SelectionDataSet()) SelectedRows()->SetCurrentRowSelected(!SelectedRows()->CurrentRowSelected());
}

void TVtDBGrid::GotoSelection(int Index)
{
    if (TDataSet* dataSet = SelectionDataSet(); dataSet && Index >= 0 && Index < SelCount())
        dataSet->GotoBookmark(SelectedRows()->Items(Index));
}

int TVtDBGrid::SelCount() const { return SelectionDataSet() ? SelectedRows()->Count() : 0; }

// Keyboard moves drop the marks only under ClearSelection; a Shift run ends either way.
void TVtDBGrid::ClearSelections()
{
    if (MultiSelect() && FClearSelection) SelectedRows()->Clear();
    FSelecting = false;
}

// An arrow key: with Shift the run from the anchor grows, or shrinks when moving back to it.
void TVtDBGrid::SelectionStep(bool Extend, int Direction)
{
    TDataSet* dataSet = ActiveDataSet();
    bool selectAfter = false;
    if (SelectionDataSet() && Extend) {
        if (!FSelecting) {
            FSelectionAnchor = dataSet->GetBookmark();
            SelectedRows()->SetCurrentRowSelected(true);
            FSelecting = true;
            selectAfter = true;
        } else if (dataSet->CompareBookmarks(dataSet->GetBookmark(), FSelectionAnchor) == -Direction) {
            SelectedRows()->SetCurrentRowSelected(false);
        } else {
            selectAfter = true;
        }
    } else if (SelectionDataSet()) {
        ClearSelections();
    }
    dataSet->MoveBy(Direction);
    if (Direction > 0 && dataSet->Eof() && dataSet->CanModify() && !ReadOnly() && Options().Contains(dgEditing))
        dataSet->Append();
    if (selectAfter) SelectedRows()->SetCurrentRowSelected(true);
}

void TVtDBGrid::DeleteSelection(TDataSet* DataSet)
{
    const int count = SelCount();
    if (Options().Contains(dgConfirmDelete) &&
        MessageDlg(count < 2 ? DeleteRecordQuestion : DeleteSelectedQuestion, mtConfirmation,
                   TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
        return;
    if (count == 0) {
        DataSet->Delete();
        return;
    }
    std::vector<TBookmark> marked;
    for (int i = 0; i < count; ++i) marked.push_back(SelectedRows()->Items(i));
    DataSet->DisableControls();
    try {
        for (const TBookmark& bookmark : marked) {
            if (!DataSet->BookmarkValid(bookmark)) continue;
            DataSet->GotoBookmark(bookmark);
            DataSet->Delete();
        }
    } catch (...) {
        DataSet->EnableControls();
        throw;
    }
    DataSet->EnableControls();
    SelectedRows()->Clear();
}

// ---- stored layout --------------------------------------------------------------------------

String TVtDBGrid::ColumnsSection(const String& Section)
{
    return Section.empty() ? GetDefaultSection(this) : Section;
}

void TVtDBGrid::SaveColumnsLayout(TObject* IniFile, const String& Section)
{
    const String section = ColumnsSection(Section);
    IniEraseSection(IniFile, section);
    for (int i = 0; i < Columns()->Count(); ++i) {
        TColumn* column = Columns()->Items(i);
        IniWriteString(IniFile, section, Format("%s.%s", {Name(), column->FieldName()}),
                       Format("%d,%d", {column->Index(), column->Width()}));
    }
}

void TVtDBGrid::RestoreColumnsLayout(TObject* IniFile, const String& Section)
{
    const String section = ColumnsSection(Section);
    std::vector<vt::WantedPlace<TColumn>> wanted;
    for (int i = 0; i < Columns()->Count(); ++i) {
        TColumn* column = Columns()->Items(i);
        const String value = IniReadString(IniFile, section, Format("%s.%s", {Name(), column->FieldName()}), "");
        wanted.push_back({column, vt::LayoutWord(value, 1, column->Index())});
        column->SetWidth(vt::LayoutWidth(value, column->Width()));
    }
    vt::MoveToWantedPlaces(wanted, static_cast<int>(wanted.size()));
}

void TVtDBGrid::InternalSaveLayout(TObject* IniFile, const String& Section)
{
    TDataSet* dataSet = LayoutDataSet();
    if (!dataSet) return;
    if (StoreColumns()) SaveColumnsLayout(IniFile, Section);
    else InternalSaveFields(dataSet, IniFile, Section);
}

// Default columns are made from the fields again, so they take the restored order and widths.
void TVtDBGrid::InternalRestoreLayout(TObject* IniFile, const String& Section)
{
    TDataSet* dataSet = LayoutDataSet();
    if (!dataSet) return;
    if (StoreColumns()) {
        RestoreColumnsLayout(IniFile, Section);
        return;
    }
    InternalRestoreFields(dataSet, IniFile, Section, true);
    Columns()->RebuildColumns();
    LayoutFromColumns();
}

void TVtDBGrid::SaveLayout(TIniFile* IniFile) { InternalSaveLayout(IniFile, String()); }
void TVtDBGrid::RestoreLayout(TIniFile* IniFile) { InternalRestoreLayout(IniFile, String()); }
void TVtDBGrid::SaveLayoutReg(TRegIniFile* IniFile) { InternalSaveLayout(IniFile, String()); }
void TVtDBGrid::RestoreLayoutReg(TRegIniFile* IniFile) { InternalRestoreLayout(IniFile, String()); }

TFormPlacement* TVtDBGrid::IniStorage() const { return FIniLink->Storage(); }
void TVtDBGrid::SetIniStorage(TFormPlacement* Value) { FIniLink->SetStorage(Value); }

// Below the placement's section: the grid's own section for its columns, else the data set's; an
// empty result leaves the choice to the layout routines.
String TVtDBGrid::IniLinkSection()
{
    const String root = FIniLink->RootSection();
    if (StoreColumns()) return root + GetDefaultSection(this);
    TDataSet* dataSet = LayoutDataSet();
    if (root.empty() || !dataSet) return String();
    return root + DataSetSectionName(dataSet);
}

void TVtDBGrid::IniSave()
{
    if (!Name().empty() && FIniLink->IniObject()) InternalSaveLayout(FIniLink->IniObject(), IniLinkSection());
}

void TVtDBGrid::IniLoad()
{
    if (!Name().empty() && FIniLink->IniObject()) InternalRestoreLayout(FIniLink->IniObject(), IniLinkSection());
}

// ---- scrolling ------------------------------------------------------------------------------

void TVtDBGrid::DisableScroll() { ++FScrollLock; }

void TVtDBGrid::EnableScroll()
{
    if (FScrollLock == 0) return;
    if (--FScrollLock == 0) LayoutFromColumns();
}

void TVtDBGrid::Scroll(int Distance)
{
    if (FScrollLock > 0) return;
    StopTracking();
    TDBGrid::Scroll(Distance);
}

void TVtDBGrid::TopLeftChanged()
{
    if (Options().Contains(dgRowSelect) && DefaultDrawing()) InvalidateRow(Row());
    TDBGrid::TopLeftChanged();
    StopTracking();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// ---- keyboard -------------------------------------------------------------------------------

// Would Tab (Shift+Tab) pass the last (first) data column on its way to the next tab stop, and
// so move to the next (previous) record?
bool TVtDBGrid::TabWrapsRecord(bool Backward) const
{
    int col = Col();
    do {
        col += Backward ? -1 : 1;
        if (col >= ColCount() || col < IndicatorOffset()) return true;
    } while (!TabStops(col) && col != Col());
    return false;
}

void TVtDBGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet || Key == 0) return;
    const bool rowSelect = Options().Contains(dgRowSelect);
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_UP: case VK_DOWN:
            ClearSelections();
            break;
        case VK_LEFT:
            if (FixedCols() > 0) {
                SetCol(FirstScrollableCol());
                return;
            }
            break;
        case VK_DELETE:
            if (!ReadOnly() && dataSet->CanModify() && !dataSet->IsEmpty()) DeleteSelection(dataSet);
            return;
        default: break;
        }
    } else {
        switch (Key) {
        case VK_HOME:
            if (FixedCols() > 0 && ColCount() > IndicatorOffset() + 1 && !rowSelect) {
                SetCol(FirstScrollableCol());
                return;
            }
            if (rowSelect) ClearSelections();
            break;
        case VK_LEFT:
            if (FixedCols() > 0 && !rowSelect && Col() == FirstScrollableCol()) return;
            if (rowSelect) ClearSelections();
            break;
        case VK_UP:
        case VK_DOWN:
            if (dataSet->State() == dsBrowse) {
                SelectionStep(Shift.Contains(ssShift), Key == VK_DOWN ? 1 : -1);
                return;
            }
            break;
        case VK_RIGHT: case VK_END:
            if (rowSelect) ClearSelections();
            break;
        case VK_ESCAPE: case VK_PRIOR: case VK_NEXT:
            ClearSelections();
            break;
        case VK_INSERT:
            if (dataSet->CanModify() && !ReadOnly() && Options().Contains(dgEditing)) ClearSelections();
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt) && SelectionDataSet() && TabWrapsRecord(Shift.Contains(ssShift)))
                ClearSelections();
            break;
        default: break;
        }
    }
    // The user's handler has seen the key; the platform grid's handling must not call it again.
    TKeyEvent userHandler = std::move(OnKeyDown);
    OnKeyDown = nullptr;
    try {
        TDBGrid::KeyDown(Key, Shift);
    } catch (...) {
        OnKeyDown = std::move(userHandler);
        throw;
    }
    OnKeyDown = std::move(userHandler);
}

// ---- mouse ----------------------------------------------------------------------------------

void TVtDBGrid::SelectRowByMouse(TShiftState Shift)
{
    if (!SelectionDataSet()) return;
    FSelecting = false;
    if (Shift.Contains(ssCtrl)) {
        SelectedRows()->SetCurrentRowSelected(!SelectedRows()->CurrentRowSelected());
        return;
    }
    SelectedRows()->Clear();
    if (FClearSelection) SelectedRows()->SetCurrentRowSelected(true);
}

// The column whose title button lies under the point, when title buttons are on.
bool TVtDBGrid::TitleButtonAt(int X, int Y, TColumn*& Column) const
{
    if (!FTitleButtons || !ActiveDataSet() || ComponentState().Contains(csDesigning)) return false;
    const TGridCoord cell = MouseCoord(X, Y);
    Column = cell.Y >= 0 && cell.Y < TitleOffset() ? ColumnAt(cell.X) : nullptr;
    return Column != nullptr;
}

bool TVtDBGrid::CheckTitleButton(int ACol, bool& Enabled)
{
    if (ACol < 0 || ACol >= Columns()->Count()) return false;
    Enabled = true;
    if (OnCheckButton) OnCheckButton(this, ACol, Columns()->Items(ACol)->Field(), Enabled);
    return true;
}

// A click in a fixed data column moves the dataset to the clicked row.
void TVtDBGrid::ClickFixedColumn(int ARow)
{
    TDataSet* dataSet = ActiveDataSet();
    if (ARow >= TitleOffset() && RecNoOfRow(ARow) != dataSet->RecNo())
        dataSet->MoveBy(RecNoOfRow(ARow) - dataSet->RecNo());
}

void TVtDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const auto holdsFocus = [this] { return Focused() || (InplaceEditor() && InplaceEditor()->Focused()); };
    if (CanFocus() && !holdsFocus() && !ComponentState().Contains(csDesigning)) {
        SetFocus();
        if (!holdsFocus()) return;
    }
    const TGridCoord cell = MouseCoord(X, Y);
    TColumn* column = nullptr;
    if ((Button == mbLeft && Shift.Contains(ssDouble)) || InSizingZone(X, Y)) {
        TDBGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (TitleButtonAt(X, Y, column)) {
        // The right button drags titles to move columns while the left one presses them.
        if (Button == mbRight && Options().Contains(dgColumnResize)) {
            FSwapButtons = true;
            TDBGrid::MouseDown(mbLeft, Shift, X, Y);
            return;
        }
        if (Button == mbLeft) {
            bool enabled = true;
            CheckTitleButton(column->Index(), enabled);
            if (!enabled) {
                Beep();
            } else {
                FTracking = true;
                FPressedCol = column;
                FPressed = true;
                InvalidateTitles();
            }
        }
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (ActiveDataSet() && cell.X >= IndicatorOffset() && cell.X < FirstScrollableCol()) {
        ClickFixedColumn(cell.Y);
        TCustomControl::MouseDown(Button, Shift, X, Y);
        if (Button == mbLeft && cell.Y >= TitleOffset()) SelectRowByMouse(Shift);
        return;
    }
    TDBGrid::MouseDown(Button, Shift, X, Y);
}

void TVtDBGrid::TrackButton(int X, int Y)
{
    TColumn* column = nullptr;
    const bool inside = X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
    const bool down = inside && TitleButtonAt(X, Y, column) && column == FPressedCol;
    if (down == FPressed) return;
    FPressed = down;
    InvalidateTitles();
}

void TVtDBGrid::StopTracking()
{
    if (!FTracking) return;
    FTracking = false;
    FPressed = false;
    InvalidateTitles();
}

void TVtDBGrid::InvalidateTitles()
{
    for (int row = 0; row < TitleOffset(); ++row) InvalidateRow(row);
}

void TVtDBGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FTracking) TrackButton(X, Y);
    TDBGrid::MouseMove(Shift, X, Y);
}

// The title button's click comes on its release over the same button.
void TVtDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FSwapButtons && Button == mbRight) {
        FSwapButtons = false;
        TDBGrid::MouseUp(mbLeft, Shift, X, Y);
        return;
    }
    if (!FTracking) {
        TDBGrid::MouseUp(Button, Shift, X, Y);
        return;
    }
    TrackButton(X, Y);
    const bool clicked = FPressed;
    TColumn* column = FPressedCol;
    StopTracking();
    TCustomGrid::MouseUp(Button, Shift, X, Y);
    if (clicked && OnTitleBtnClick && column->Index() < Columns()->Count())
        OnTitleBtnClick(this, column->Index(), column->Field());
}

// The user's wheel handler first (TControl's); the platform grid's own row move is replaced.
bool TVtDBGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (TControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (CanFocus()) SetFocus();
    if (TDataSet* dataSet = ActiveDataSet()) dataSet->MoveBy(1);
    return true;
}

bool TVtDBGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (TControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (CanFocus()) SetFocus();
    if (TDataSet* dataSet = ActiveDataSet()) dataSet->MoveBy(-1);
    return true;
}

bool TVtDBGrid::TypedShortCut(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    return form && !(InplaceEditor() && InplaceEditor()->Focused()) && form->IsShortCut(Message);
}

void TVtDBGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CANCELMODE:
        StopTracking();
        break;
    case WM_CHAR:
        if (TypedShortCut(Message)) {
            Message.WParam = 0;
            return;
        }
        break;
    case WM_RBUTTONUP:
        // No context menu at the end of a column move.
        if (MovingColumn()) {
            MouseUp(mbRight, KeysToShiftState(Message.WParam), LParamX(Message.LParam), LParamY(Message.LParam));
            return;
        }
        break;
    default:
        break;
    }
    TDBGrid::WndProc(Message);
}

// ---- in-place editor ------------------------------------------------------------------------

TInplaceEdit* TVtDBGrid::CreateEditor()
{
    TInplaceEdit* editor = TDBGrid::CreateEditor();
    editor->OnChange = [this](TObject*) {
        if (OnEditChange) OnEditChange(this);
    };
    return editor;
}

bool TVtDBGrid::CanEditShow()
{
    if (!TDBGrid::CanEditShow()) return false;
    TField* field = SelectedField();
    bool allowEdit = GetImageIndex(field) < 0;
    if (OnShowEditor) OnShowEditor(this, field, allowEdit);
    return allowEdit;
}

// ---- painting -------------------------------------------------------------------------------

int TVtDBGrid::GetImageIndex(TField* Field) const
{
    if (!FShowGlyphs || !Field) return -1;
    switch (Field->DataType()) {
    case ftBlob: return gbBlob;
    case ftMemo: return gbMemo;
    default: return -1;
    }
}

// A highlighted cell keeps the selection's colours under OnGetCellProps.
void TVtDBGrid::GetCellProps(TField* Field, TFont* AFont, TColor& Background, bool Highlight)
{
    if (OnGetCellParams) {
        OnGetCellParams(this, Field, AFont, Background, Highlight);
    } else if (OnGetCellProps && Highlight) {
        TColor scratch = Background;
        const TColor fontColor = AFont->Color();
        OnGetCellProps(this, Field, AFont, scratch);
        AFont->SetColor(fontColor);
    } else if (OnGetCellProps) {
        OnGetCellProps(this, Field, AFont, Background);
    }
}

// The cell's field reads the painted row's record while the events and the painting run.
void TVtDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    auto paint = [&] {
        TField* field = Column->Field();
        TCanvas* canvas = Canvas();
        TColor background = canvas->Brush()->Color();
        GetCellProps(field, canvas->Font(), background, State.Contains(gdSelected));
        canvas->Brush()->SetColor(background);
        if (DefaultDrawing()) {
            canvas->FillRect(Rect);
            const int glyph = GetImageIndex(field);
            if (glyph >= 0) {
                TBitmap* bitmap = GetGridBitmap(glyph);
                DrawTransparent(canvas, (Rect.Left + Rect.Right - bitmap->Width()) / 2,
                                (Rect.Top + Rect.Bottom - bitmap->Height()) / 2, bitmap, clOlive);
            } else {
                DefaultDrawColumnCell(Rect, DataCol, Column, State);
            }
        }
        if (OnDrawColumnCell) OnDrawColumnCell(this, Rect, DataCol, Column, State);
    };
    TDataSet* dataSet = ActiveDataSet();
    if (dataSet && PaintRecNo() >= 1 && PaintRecNo() <= dataSet->RecordCount())
        dataSet->ReadRowAt(PaintRecNo(), paint);
    else
        paint();
}

void TVtDBGrid::DefaultDataCellDraw(const TRect& Rect, TField* Field, TGridDrawState State)
{
    const std::vector<TColumn*> visible = VisibleColumns();
    for (size_t i = 0; i < visible.size(); ++i)
        if (visible[i]->Field() == Field) DefaultDrawColumnCell(Rect, static_cast<int>(i), visible[i], State);
}

void TVtDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TDBGrid::DrawCell(ACol, ARow, ARect, AState);
    const bool titleButtonLook = FTitleButtons || FixedCols() > 0;
    if (ACol < IndicatorOffset() && ARow >= TitleOffset()) {
        DrawSelectionMark(ARect, ARow);
    } else if (ARow < TitleOffset() && titleButtonLook && !ComponentState().Contains(csDesigning)) {
        if (TColumn* column = ColumnAt(ACol)) DrawTitleButton(ARect, column);
    }
    Canvas()->Font()->Assign(Font());
}

// A selected record's indicator shows the arrow (the current record) or the dot.
void TVtDBGrid::DrawSelectionMark(const TRect& ARect, int ARow)
{
    TDataSet* dataSet = SelectionDataSet();
    if (!dataSet || dataSet->State() != dsBrowse || !RowMarked(RecNoOfRow(ARow))) return;
    const bool inset = Options().Contains(dgColLines) && Options().Contains(dgRowLines);
    TRect r = ARect;
    if (inset) r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    Canvas()->Brush()->SetColor(FixedColor());
    Canvas()->FillRect(r);
    const int image = RecNoOfRow(ARow) == dataSet->RecNo() ? siArrow : siDot;
    const int x = r.Right - FMsIndicators->Width() - (inset ? 1 : 2);
    const int y = (r.Top + r.Bottom - FMsIndicators->Height()) / 2;
    FMsIndicators->Draw(Canvas(), x, y, image);
}

// The title as a push button: raised, or sunken and shifted while pressed, with its sort mark.
void TVtDBGrid::DrawTitleButton(const TRect& ARect, TColumn* Column)
{
    TCanvas* canvas = Canvas();
    const bool down = FPressed && Column == FPressedCol;
    canvas->Font()->Assign(Font());
    TColor background = FixedColor();
    TSortMarker marker = smNone;
    if (FTitleButtons && Column->Field() && OnGetBtnParams)
        OnGetBtnParams(this, Column->Field(), canvas->Font(), background, marker, down);
    canvas->Brush()->SetColor(background);
    canvas->FillRect(ARect);
    TRect r = ARect;
    if (FTitleButtons || (Options().Contains(dgColLines) && Options().Contains(dgRowLines))) {
        const TColor topLeft = down ? clBtnShadow : clBtnHighlight;
        const TColor bottomRight = down ? clBtnHighlight : clBtnShadow;
        canvas->Pen()->SetColor(topLeft);
        canvas->Polyline({Point(r.Left, r.Bottom - 1), Point(r.Left, r.Top), Point(r.Right, r.Top)});
        canvas->Pen()->SetColor(bottomRight);
        canvas->Polyline({Point(r.Right - 1, r.Top), Point(r.Right - 1, r.Bottom - 1), Point(r.Left - 1, r.Bottom - 1)});
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (down) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    TBitmap* mark = marker == smDown ? GetGridBitmap(gbSortDown) : marker == smUp ? GetGridBitmap(gbSortUp) : nullptr;
    TRect text = Rect(r.Left + 2, r.Top, r.Right - (mark ? mark->Width() + 6 : 1), r.Bottom);
    const TAlignment alignment = Column->Alignment();
    const unsigned align = alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
    canvas->Brush()->SetColor(background);
    if (text.Right > text.Left)
        canvas->DrawText(Column->Title()->DisplayCaption(), text,
                         align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (mark && r.Right - r.Left > mark->Width() + 6)
        DrawTransparent(canvas, r.Right - mark->Width() - (down ? 2 : 3), (r.Top + r.Bottom - mark->Height()) / 2,
                        mark, clFuchsia);
}

void TVtDBGrid::Paint()
{
    TDBGrid::Paint();
    if (ComponentState().Contains(csDesigning) || !Options().Contains(dgRowSelect) || !DefaultDrawing() ||
        !Focused())
        return;
    const TRect first = CellRect(LeftCol(), Row());
    const TRect last = CellRect(std::max(LeftCol() + VisibleColCount() - 1, LeftCol()), Row());
    if (first.Right <= first.Left) return;
    Canvas()->Font()->SetColor(clWindowText);
    Canvas()->DrawFocusRect(Rect(first.Left, first.Top, std::max(last.Right, first.Right), first.Bottom));
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtDBGrid, TDBGrid> kVtDBGrid{
    "TVtDBGrid",
    {
        vt::Published("Options", &TVtDBGrid::Options, &TVtDBGrid::SetOptions),
        vt::Published("FixedCols", &TVtDBGrid::FixedCols, &TVtDBGrid::SetFixedCols),
        vt::Published("ClearSelection", &TVtDBGrid::ClearSelection, &TVtDBGrid::SetClearSelection),
        vt::Published("DefaultDrawing", &TVtDBGrid::DefaultDrawing, &TVtDBGrid::SetDefaultDrawing),
        vt::Published("IniStorage", &TVtDBGrid::IniStorage, &TVtDBGrid::SetIniStorage),
        vt::Published("MultiSelect", &TVtDBGrid::MultiSelect, &TVtDBGrid::SetMultiSelect),
        vt::Published("ShowGlyphs", &TVtDBGrid::ShowGlyphs, &TVtDBGrid::SetShowGlyphs),
        vt::Published("TitleButtons", &TVtDBGrid::TitleButtons, &TVtDBGrid::SetTitleButtons),
        vt::Published("RowsHeight", &TVtDBGrid::RowsHeight, &TVtDBGrid::SetRowsHeight),
    }};
}  // namespace
