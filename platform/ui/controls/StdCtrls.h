// The standard controls: label, edits and memo, buttons, check box and radio button, group box,
// combo box and list box. Setting Text, Checked or ItemIndex from code fires no user event; the
// events come from the user's typing, clicking and picking.
#pragma once

#include "rtl/StringList.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Controls.h"

class QLineEdit;
class QPlainTextEdit;

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);

    bool IsCaptionLabel() const override { return true; }
    TWinControl* LabelledControl() const override { return FFocusControl; }

    void Loaded() override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // DrawText flags for the caption (alignment, word wrap, accelerator prefix).
    unsigned TextFlags() const;
    void AdjustBounds();

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Base of the edit and the memo: one line (QLineEdit) or many (QPlainTextEdit).
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    // bsSingle frames the edit, bsNone does not; a change sends CM_BORDERCHANGED.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // A sunken (3-D) or flat frame; a change sends CM_CTL3DCHANGED.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    void SetSelText(const String& v);
    virtual void SelectAll();
    void ClearSelection() { SetSelText(String()); }
    void Clear() { SetText(String()); }
    void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
    void CutToClipboard() { Perform(WM_CUT, 0, 0); }
    void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    TCustomEdit(TComponent* AOwner, bool multiLine);
    String GetText() const override;
    void SetTextValue(const String& v) override;
    // The user changed the text: fires OnChange.
    virtual void Change();
    void KeyPress(char& Key) override;

    QLineEdit* LineEdit() const { return FLine; }
    QPlainTextEdit* TextEdit() const { return FPlain; }
    // Called when the user's typing changed the widget's text.
    virtual void UserEdited();

    String AccessibleCaption() const override { return String(); }

private:
    void Connect();
    QLineEdit* FLine = nullptr;
    QPlainTextEdit* FPlain = nullptr;
    int FMaxLength = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    char FPasswordChar = 0;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FModified = false;
    bool FSettingText = false;
    // The formatting rectangle (EM_SETRECT/EM_GETRECT) in widget coordinates, as the text
    // margins inside the frame of a one-line edit.
    void SetFormattingRect(const TRect& r);
    TRect FormattingRect() const;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

    bool WantsKey(WORD key, TShiftState shift) const override;

protected:
    void SetTextValue(const String& v) override;
    void UserEdited() override;

private:
    void LinesChanged();
    TStringList* FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
    bool FSyncing = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// A push button: Default answers Enter and Cancel answers Esc on its form; a click sets the
// form's ModalResult to the button's.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner, QWidget* widget);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }

protected:
    void SetTextValue(const String& v) override;

private:
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }

    void Click() override;
    void WndProc(TMessage& Message) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeftSide, taRightSide };

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight v);

protected:
    // The user's click: the next state (grayed between unchecked and checked when allowed).
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TLeftRight FAlignment = taRightSide;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// Radio buttons on one parent exclude each other.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const;
    void SetChecked(bool v);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight v) { FAlignment = v; }

private:
    TLeftRight FAlignment = taRightSide;
};

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = Set<TOwnerDrawStateItem>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// One change of the lines of a list box or the items of a combo box: a line inserted (or added)
// at Index, a line deleted from Index (Text is what it held), one replaced at Index, all cleared,
// the object of a line alone (no change of the lines), or any other (several lines at once, a
// batch, sorting).
struct TListLinesChange {
    enum TKind { lcInserted, lcDeleted, lcReplaced, lcCleared, lcObject, lcOther };
    TKind Kind = lcOther;
    int Index = -1;
    String Text;
};

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const;
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool v) { FItems->SetSorted(v); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    void SelectAll();
    void Clear();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    String GetText() const override;
    void SetTextValue(const String& v) override;
    // The user picked an item or typed: fires OnChange.
    virtual void Change();
    virtual void Select();
    String AccessibleCaption() const override { return String(); }
    void Loaded() override;

private:
    // Gives the widget the line edit of an editable style, or takes it away.
    void ApplyStyle();
    void ItemsChanged();
    void SyncItems(const TListLinesChange& Change);
    int IndexOfItem(const String& item, int oldIndex) const;
    void Picked(int index);
    TStringList* FItems;
    bool FChoiceDropped = false;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    bool FSyncing = false;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// The virtual styles draw as their owner-drawn counterparts (fixed, variable).
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

// A list box over a QListWidget. Besides its properties it answers the list-box messages
// (LB_ADDSTRING, LB_GETTEXT, LB_SETITEMDATA, LB_SETHORIZONTALEXTENT ...) on the same items, so
// that a TStrings can keep its lines "in the window".
class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const;
    void SetItemIndex(int v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool v);
    bool Selected(int index) const;
    // Without MultiSelect, selecting an item makes it the current one and deselecting the current
    // item leaves none current.
    void SetSelected(int index, bool v);
    int SelCount() const;
    bool Sorted() const { return FItems->Sorted(); }
    // Sorting keeps the current item and the top item, wherever they move to.
    void SetSorted(bool v);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle v);
    // A standard list with items answers the height of its first item.
    int ItemHeight() const;
    void SetItemHeight(int v);
    // Columns > 0 lays the items out in columns of (Width + Columns - 3) div Columns pixels,
    // scrolled sideways; 0 is one column scrolled up and down.
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // The box's height is cut to a whole number of items (at least one); not with
    // lbOwnerDrawVariable, whose items differ in height.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool v);
    int TopIndex() const;
    void SetTopIndex(int v);
    // The item under pos; outside the client area -1, below the items -1 when existing, else
    // the item count.
    int ItemAtPos(const TPoint& pos, bool existing) const;
    // For the item count (not 0): the rectangle below the last item; beyond it an empty one.
    TRect ItemRect(int index) const;
    TCanvas* Canvas() const { return FCanvas; }
    void Clear() { FItems->Clear(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& Message) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Owner-drawn styles: prepares Canvas (highlight colours for a selected item), then
    // DrawItem and, for the focused item, a focus rectangle.
    virtual void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State);
    // Paints one item on Canvas (fills and writes the text by default).
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // The lines changed (added, inserted, deleted, cleared or replaced; not their objects alone).
    virtual void LinesChanged(const TListLinesChange& Change) {}
    // Whether the items go through PaintItem; by default for every style but lbStandard.
    virtual bool OwnerDrawn() const { return FStyle != lbStandard; }

    String AccessibleCaption() const override { return String(); }

private:
    bool SyncLines(const TListLinesChange& Change);
    bool MirrorChange(const TListLinesChange& Change);
    // The line holding that text and object, or -1.
    int IndexOfLine(const String& Text, TObject* Object) const;
    void ApplySelectionMode();
    void ApplyColumns();
    void ApplyItemSizes();
    int WholeItemsHeight(int Height) const;
    LRESULT ListMessage(const TMessage& Message);
    int CheckedIndex(WPARAM index) const;
    TStringList* FItems;
    TCanvas* FCanvas;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    int FWindowItemHeight = 16;  // LB_SETITEMHEIGHT's, which owner-drawn items are laid out with
    int FColumns = 0;
    int FColumnWidth = 0;
    int FHorizontalExtent = -1;  // until LB_SETHORIZONTALEXTENT, items are as wide as their text
    TBorderStyle FBorderStyle = bsSingle;
    bool FIntegralHeight = false;
    bool FSyncing = false;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
