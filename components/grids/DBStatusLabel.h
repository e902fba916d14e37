// TDBStatusLabel: a label that shows the state of a data set (as a caption, a glyph or both),
// the current record number and count, or the record size, following the data set through its
// own data link.
#pragma once

#include "components/edits/VtLabel.h"
#include "db/DataSource.h"

#include <functional>

class TStringList;

enum TDBLabelStyle { lsState, lsRecordNo, lsRecordSize };
enum TDBLabelOptions { doCaption, doGlyph, doBoth };
enum TGlyphAlign { glGlyphLeft, glGlyphRight };

using TGetStringEvent = std::function<void(TObject* Sender, String& Value)>;
using TDataValueEvent = std::function<void(TObject* Sender, TDataSet* DataSet, int& Value)>;

class TDBStatusLabel;

// Passes the data set's notices to its label.
class TStatusDataLink : public TDataLink {
public:
    explicit TStatusDataLink(TDBStatusLabel* Label) : FLabel(Label) {}
    ~TStatusDataLink() override;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void EditingChanged() override;
    void LayoutChanged() override;

private:
    TDBStatusLabel* FLabel;
};

class TDBStatusLabel : public TVtCustomLabel {
public:
    explicit TDBStatusLabel(TComponent* AOwner);
    ~TDBStatusLabel() override;

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    const String& DatasetName() const { return FDatasetName; }
    void SetDatasetName(const String& Value);
    TDBLabelStyle Style() const { return FStyle; }
    void SetStyle(TDBLabelStyle Value);
    TColor EditColor() const { return FEditColor; }
    void SetEditColor(TColor Value);
    bool CalcRecCount() const { return FCalcRecCount; }
    void SetCalcRecCount(bool Value);
    // One caption per status kind (closed, browse, edit, insert, search, calculate); at most six.
    TStringList* Captions() const { return FCaptions; }
    TGlyphAlign GlyphAlign() const { return FGlyphAlign; }
    void SetGlyphAlign(TGlyphAlign Value);
    TDBLabelOptions ShowOptions() const { return FShowOptions; }
    void SetShowOptions(TDBLabelOptions Value);

    virtual void UpdateData();
    virtual void UpdateStatus();
    // The caption of a state: the Captions line of its kind when set, else the default.
    virtual String GetCaption(TDataSetState State) const;

    // Screen readers read what the label shows.
    String AccessibleCaption() const override { return GetLabelCaption(); }

    TGetStringEvent OnGetDataName;
    TDataValueEvent OnGetRecNo;
    TDataValueEvent OnGetRecordCount;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    TColor GetDefaultFontColor() const override;
    String GetLabelCaption() const override;

private:
    friend class TStatusDataLink;
    TDataSet* LinkedDataSet() const { return FDataLink->Active() ? FDataLink->DataSet() : nullptr; }
    String DataSetName() const;
    void CaptionsChanged(TObject* Sender);
    bool ShowsGlyph() const { return FStyle == lsState && FShowOptions != doCaption; }
    void FreeGlyphCell();
    // What the label shows changed: it repaints and tells assistive technology.
    void ShownTextChanged();

    TStatusDataLink* FDataLink;
    String FDatasetName;
    TDBLabelStyle FStyle = lsState;
    TColor FEditColor = clRed;
    bool FCalcRecCount = false;
    TStringList* FCaptions;
    TBitmap* FGlyphs;
    TBitmap* FCell = nullptr;
    TGlyphAlign FGlyphAlign = glGlyphLeft;
    int FRecordCount = -1;
    int FRecordNo = -1;
    TDBLabelOptions FShowOptions = doCaption;
};

constexpr int SInactiveData = 61207;   // "Closed"
constexpr int SBrowseData = 61206;     // "Browse"
constexpr int SEditData = 61205;       // "Edit"
constexpr int SInsertData = 61204;     // "Insert"
constexpr int SSetKeyData = 61203;     // "Search"
constexpr int SCalcFieldsData = 61202; // "Calculate"

namespace vt {
int StartDBStatusLabel();
inline const int kDBStatusLabelStarted = StartDBStatusLabel();
}  // namespace vt
