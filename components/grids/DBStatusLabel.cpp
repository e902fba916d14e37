// TDBStatusLabel. Its data link turns the data set's notices into UpdateData (counts read
// again) and UpdateStatus (the record number, the glyph cell and the margins); the caption is
// worked out when the label paints.
#include "components/grids/DBStatusLabel.h"
#include "rtl/TypInfo.h"

#include "components/common/vtGuiutils.h"
#include "rtl/Format.h"
#include "rtl/ResStrings.h"
#include "rtl/StringList.h"

namespace vt {

int StartDBStatusLabel()
{
    static const int started = [] {
        RegisterResString(SInactiveData, "Closed");
        RegisterResString(SBrowseData, "Browse");
        RegisterResString(SEditData, "Edit");
        RegisterResString(SInsertData, "Insert");
        RegisterResString(SSetKeyData, "Search");
        RegisterResString(SCalcFieldsData, "Calculate");
        return 1;
    }();
    return started;
}

}  // namespace vt

namespace {

constexpr int MaxCaptions = 6;
constexpr int GlyphCells = 7;

// The kinds a status is shown as: the states up to dsCalcFields stand for themselves.
int StatusKind(TDataSetState State)
{
    switch (State) {
    case dsFilter: return dsSetKey;
    case dsInactive: case dsBrowse: case dsEdit: case dsInsert: case dsSetKey: case dsCalcFields: return State;
    }
    return dsInactive;
}

const int DefaultCaptions[] = {SInactiveData, SBrowseData, SEditData, SInsertData, SSetKeyData, SCalcFieldsData};

}  // namespace

// ---- the data link --------------------------------------------------------------------------

TStatusDataLink::~TStatusDataLink() { FLabel = nullptr; }

void TStatusDataLink::ActiveChanged() { DataSetChanged(); }

void TStatusDataLink::DataSetChanged()
{
    if (FLabel) FLabel->UpdateData();
}

void TStatusDataLink::DataSetScrolled(int Distance)
{
    if (FLabel && FLabel->Style() == lsRecordNo) FLabel->UpdateStatus();
}

void TStatusDataLink::EditingChanged()
{
    if (FLabel && FLabel->Style() != lsRecordSize) FLabel->UpdateStatus();
}

void TStatusDataLink::LayoutChanged()
{
    if (FLabel && FLabel->Style() != lsRecordSize) DataSetChanged();
}

// ---- the label ------------------------------------------------------------------------------

TDBStatusLabel::TDBStatusLabel(TComponent* AOwner)
    : TVtCustomLabel(AOwner), FDataLink(new TStatusDataLink(this)), FCaptions(new TStringList), FGlyphs(MakeBitmap("DS_STATES"))
{
    SetShadowSize(0);
    SetLayout(tlCenter);
    TControlStyle style = ControlStyle();
    style >> csSetCaption >> csReplicatable;
    SetControlStyle(style);
    SetShowAccelChar(false);
    FCaptions->OnChange = [this](TObject* s) { CaptionsChanged(s); };
    SetCaption("");
}

TDBStatusLabel::~TDBStatusLabel()
{
    delete FDataLink;
    FDataLink = nullptr;
    FCaptions->OnChange = nullptr;
    delete FCaptions;
    delete FCell;
    delete FGlyphs;
}

void TDBStatusLabel::Loaded()
{
    TVtCustomLabel::Loaded();
    UpdateData();
}

void TDBStatusLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TVtCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == DataSource()) SetDataSource(nullptr);
}

void TDBStatusLabel::SetDataSource(TDataSource* Value)
{
    if (!ComponentState().Contains(csLoading) || !FDataLink->DataSource()) FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) UpdateData();
}

void TDBStatusLabel::SetDatasetName(const String& Value)
{
    if (Value == FDatasetName) return;
    FDatasetName = Value;
    ShownTextChanged();
}

void TDBStatusLabel::SetStyle(TDBLabelStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    if (!ComponentState().Contains(csLoading)) UpdateData();
}

void TDBStatusLabel::SetEditColor(TColor Value)
{
    if (Value == FEditColor) return;
    FEditColor = Value;
    if (FStyle == lsState) Invalidate();
}

void TDBStatusLabel::SetCalcRecCount(bool Value)
{
    if (Value == FCalcRecCount) return;
    FCalcRecCount = Value;
    if (!ComponentState().Contains(csLoading)) UpdateData();
}

void TDBStatusLabel::SetGlyphAlign(TGlyphAlign Value)
{
    if (Value == FGlyphAlign) return;
    FGlyphAlign = Value;
    UpdateStatus();
}

void TDBStatusLabel::SetShowOptions(TDBLabelOptions Value)
{
    if (Value == FShowOptions) return;
    FShowOptions = Value;
    UpdateStatus();
}

void TDBStatusLabel::CaptionsChanged(TObject* Sender)
{
    FCaptions->OnChange = nullptr;
    while (FCaptions->Count() > MaxCaptions) FCaptions->Delete(FCaptions->Count() - 1);
    FCaptions->OnChange = [this](TObject* s) { CaptionsChanged(s); };
    if (!ComponentState().Contains(csDesigning)) ShownTextChanged();
}

String TDBStatusLabel::GetCaption(TDataSetState State) const
{
    const int kind = StatusKind(State);
    if (kind < FCaptions->Count() && !FCaptions->Strings(kind).empty()) return FCaptions->Strings(kind);
    return LoadStr(DefaultCaptions[kind]);
}

String TDBStatusLabel::DataSetName() const
{
    String name = FDatasetName;
    if (!ComponentState().Contains(csDesigning) && OnGetDataName) OnGetDataName(const_cast<TDBStatusLabel*>(this), name);
    else if (name.empty() && FDataLink->DataSet()) name = FDataLink->DataSet()->Name();
    return name;
}

String TDBStatusLabel::GetLabelCaption() const
{
    if (ComponentState().Contains(csDesigning) && (FStyle == lsState || !FDataLink->Active()))
        return Format("(%s)", {Name()});
    if (!DataSource()) return String();
    switch (FStyle) {
    case lsState: {
        if (FShowOptions == doGlyph) return String();
        const String caption = GetCaption(DataSource()->State());
        const String name = DataSetName();
        return name.empty() ? caption : Format("%s: %s", {name, caption});
    }
    case lsRecordNo:
        if (!FDataLink->Active()) return String();
        if (FRecordNo >= 0 && FRecordCount >= 0) return Format("%d:%d", {FRecordNo, FRecordCount});
        if (FRecordNo >= 0) return IntToStr(FRecordNo);
        if (FRecordCount >= 0) return Format("( %d )", {FRecordCount});
        return String();
    case lsRecordSize:
        return String();
    }
    return String();
}

TColor TDBStatusLabel::GetDefaultFontColor() const
{
    const TDataSet* dataSet = LinkedDataSet();
    if (FStyle == lsState && dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert))
        return FEditColor;
    return TVtCustomLabel::GetDefaultFontColor();
}

void TDBStatusLabel::UpdateData()
{
    FRecordCount = -1;
    TDataSet* dataSet = LinkedDataSet();
    if (FStyle == lsRecordNo && dataSet && (dataSet->State() == dsBrowse || dataSet->State() == dsEdit)) {
        if (OnGetRecordCount) OnGetRecordCount(this, dataSet, FRecordCount);
        else FRecordCount = dataSet->RecordCount();  // every data set here knows its count
    }
    UpdateStatus();
}

void TDBStatusLabel::FreeGlyphCell()
{
    delete FCell;
    FCell = nullptr;
}

void TDBStatusLabel::UpdateStatus()
{
    if (!DataSource()) FreeGlyphCell();
    if (ShowsGlyph()) {
        const int glyphMargin = FGlyphs->Width() / GlyphCells + 4;
        SetLeftMargin(FGlyphAlign == glGlyphLeft ? glyphMargin : 0);
        SetRightMargin(FGlyphAlign == glGlyphRight ? glyphMargin : 0);
        if (DataSource()) {
            if (!FCell) FCell = new TBitmap;
            AssignBitmapCell(FGlyphs, FCell, GlyphCells, 1, StatusKind(DataSource()->State()));
        }
    } else {
        FreeGlyphCell();
        SetLeftMargin(0);
        SetRightMargin(0);
        if (FStyle == lsRecordNo) {
            FRecordNo = -1;
            if (TDataSet* dataSet = LinkedDataSet()) {
                if (OnGetRecNo) OnGetRecNo(this, dataSet, FRecordNo);
                else if (!dataSet->IsEmpty()) FRecordNo = dataSet->RecNo();
            }
        }
    }
    AdjustBounds();
    ShownTextChanged();
}

void TDBStatusLabel::ShownTextChanged()
{
    Invalidate();
    UpdateAccessibility();
}

void TDBStatusLabel::Paint()
{
    TVtCustomLabel::Paint();
    if (!ShowsGlyph() || !FCell) return;
    const int x = FGlyphAlign == glGlyphLeft ? 2 : ClientWidth() - RightMargin() + 2;
    int y = 0;
    if (Layout() == tlCenter) y = (ClientHeight() - FCell->Height()) / 2;
    else if (Layout() == tlBottom) y = ClientHeight() - FCell->Height();
    Canvas()->BrushCopy(Bounds(x, y, FCell->Width(), FCell->Height()), FCell,
                        Rect(0, 0, FCell->Width(), FCell->Height()), FCell->TransparentColor() & ~0x02000000);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TDBLabelStyle> kDBLabelStyle{"TDBLabelStyle", {"lsState", "lsRecordNo", "lsRecordSize"}};
const vt::EnumRegistration<TDBLabelOptions> kDBLabelOptions{"TDBLabelOptions", {"doCaption", "doGlyph", "doBoth"}};
const vt::EnumRegistration<TGlyphAlign> kGlyphAlign{"TGlyphAlign", {"glGlyphLeft", "glGlyphRight"}};
const vt::ClassRegistration<TDBStatusLabel, TVtCustomLabel> kDBStatusLabel{
    "TDBStatusLabel",
    {
        vt::Published("DataSource", &TDBStatusLabel::DataSource, &TDBStatusLabel::SetDataSource),
        vt::Published("DatasetName", &TDBStatusLabel::DatasetName, &TDBStatusLabel::SetDatasetName),
        vt::Published("Style", &TDBStatusLabel::Style, &TDBStatusLabel::SetStyle),
        vt::Published("EditColor", &TDBStatusLabel::EditColor, &TDBStatusLabel::SetEditColor),
        vt::Published("CalcRecCount", &TDBStatusLabel::CalcRecCount, &TDBStatusLabel::SetCalcRecCount),
        vt::Published("Captions", &TDBStatusLabel::Captions),
        vt::Published("GlyphAlign", &TDBStatusLabel::GlyphAlign, &TDBStatusLabel::SetGlyphAlign),
        vt::Published("ShowOptions", &TDBStatusLabel::ShowOptions, &TDBStatusLabel::SetShowOptions),
    }};
}  // namespace
