// Unit VtCtrls, list boxes: TTextListBox, the platform list box whose horizontal scroll range
// follows its widest item, and TVtCustomListBox, the owner-drawn list box with columns, gray
// selection and tab stops whose lines are kept in the list-box window (TVtListBoxStrings).
#pragma once

#include "ui/controls/StdCtrls.h"

#include <vector>

class TVtCustomListBox;

namespace vt {
// The widths of a list box's items, kept in step with its lines one change at a time, and the
// widest of them: adding an item measures that item alone.
class ItemWidths {
public:
    using Measure = std::function<int(int Index)>;
    // Follows one change of Count lines; an item inserted is measured, any change that is no
    // single line measures them all again.
    void Follow(const TListLinesChange& Change, int Count, const Measure& Width);
    void MeasureAll(int Count, const Measure& Width);
    int Widest() const { return FWidest; }

private:
    std::vector<int> FWidths;
    int FWidest = 0;
};
}  // namespace vt

using TGetItemWidthEvent = std::function<void(TWinControl* Control, int Index, int& Width)>;

// The lines of a TVtCustomListBox: every operation is a list-box message to the box.
class TVtListBoxStrings : public TStrings {
public:
    explicit TVtListBoxStrings(TVtCustomListBox* ListBox) : FListBox(ListBox) {}

    int Count() const override;
    String Strings(int index) const override;
    void SetStrings(int index, const String& s) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;
    int Add(const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    // Both carry each line's item data along.
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;

    TVtCustomListBox* ListBox() const { return FListBox; }

protected:
    void SetUpdateState(bool updating) override;

private:
    int InsertLine(UINT Msg, int index, const String& s);
    // Puts s at index in place of the line there, keeping the item data given.
    void ReplaceLine(int index, const String& s, LRESULT data);
    TVtCustomListBox* FListBox;
};

class TVtCustomListBox : public TCustomListBox {
public:
    explicit TVtCustomListBox(TComponent* AOwner);
    ~TVtCustomListBox() override;

    TVtListBoxStrings* Items() const { return FItems; }
    void SetItems(TStrings* Value);
    void Clear() { FItems->Clear(); }
    // The widest item sets the horizontal scroll range; reads false while Columns is set.
    bool AutoScroll() const { return FAutoScroll && Columns() == 0; }
    void SetAutoScroll(bool Value);
    // Selected items of an unfocused box are drawn in the button face colour.
    bool GraySelection() const { return FGraySelection; }
    void SetGraySelection(bool Value);
    // A tab in an item's text stops every TabWidth quarter-characters; 0 is no tab stops.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    // Writes S with the box's tab stop at (X, Y) on Canvas.
    void DefaultDrawText(int X, int Y, const String& S);

    // Owner-drawn styles with OnDrawItem: the width of item Index, for the scroll range.
    TGetItemWidthEvent OnGetItemWidth;
    // Assign the events and work the scroll range out again.
    void SetOnDrawItem(TDrawItemEvent Value);
    void SetOnGetItemWidth(TGetItemWidthEvent Value);

    // Item data of line Index (the platform's LB_GETITEMDATA; -1 for no such line).
    virtual LRESULT GetItemData(int Index) const;
    virtual void SetItemData(int Index, LRESULT AData);
    virtual void ResetContent();
    virtual void DeleteString(int Index);

    void WndProc(TMessage& Message) override;

protected:
    virtual int GetItemWidth(int Index);
    void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void LinesChanged(const TListLinesChange& Change) override;
    void FontChanged() override;
    void DoEnter() override;
    void DoExit() override;
    // A cancelled drag leaves the box's own mouse handling as after a click where the mouse is.
    void DragCanceled() override;
    // The tab stop in pixels, or 0 without TabWidth.
    int TabStop() const;
    // The standard look of an item: the rectangle filled, the text centred vertically.
    void DrawItemText(int Index, const TRect& Rect);
    // The width S takes as DefaultDrawText writes it.
    int TextWidth(const String& S) const;

private:
    // Every item measured again, and the range set from them.
    void SetHorizontalExtent();
    void SendHorizontalExtent();
    void RepaintMultipleSelection();
    void PressWithAutoDrag(TMessage& Message);
    TVtListBoxStrings* FItems;
    vt::ItemWidths FWidths;
    bool FAutoScroll = true;
    bool FGraySelection = false;
    int FTabWidth = 0;
};

// The platform list box with a horizontal scroll range that follows the widest item.
class TTextListBox : public TCustomListBox {
public:
    explicit TTextListBox(TComponent* AOwner);

protected:
    void LinesChanged(const TListLinesChange& Change) override;
    void FontChanged() override;

private:
    int ItemWidth(int Index);
    void SetHorizontalExtent();
    vt::ItemWidths FWidths;
};

namespace vt {
// The width of an item's text as the list boxes measure it: the text and an "x", as tabbed text
// with TabStop when that is set.
int ListItemTextWidth(TCanvas* Canvas, const String& Text, int TabStop);
}  // namespace vt
