// The list boxes of unit VtCtrls: the message-backed line list, the owner-drawn list box with
// its horizontal scroll range, gray selection and tab stops, and the text list box.
#include "components/lists/VtListBox.h"
#include "rtl/TypInfo.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "ui/kernel/WinApi.h"

namespace {
[[noreturn]] void IndexError(int index)
{
    throw EStringListError(Format("List index out of bounds (%d)", {index}));
}

LPARAM TextParam(const String& s) { return reinterpret_cast<LPARAM>(s.c_str()); }
}  // namespace

int vt::ListItemTextWidth(TCanvas* Canvas, const String& Text, int TabStop)
{
    const String measured = Text + "x";
    if (TabStop >= 1)
        return Canvas->TabbedTextExtent(measured, {TabStop}).cx;
    return Canvas->TextWidth(measured);
}

// ---------------------------------------------------------------------------------------------
// vt::ItemWidths

void vt::ItemWidths::Follow(const TListLinesChange& Change, int Count, const Measure& Width)
{
    const bool inStep = Change.Index >= 0 && Change.Index < static_cast<int>(FWidths.size()) + 1;
    switch (Change.Kind) {
    case TListLinesChange::lcInserted:
        if (inStep && static_cast<int>(FWidths.size()) + 1 == Count) {
            const int width = Width(Change.Index);
            FWidths.insert(FWidths.begin() + Change.Index, width);
            FWidest = std::max(FWidest, width);
            return;
        }
        break;
    case TListLinesChange::lcDeleted:
        if (inStep && Change.Index < static_cast<int>(FWidths.size()) && static_cast<int>(FWidths.size()) == Count + 1) {
            const auto at = FWidths.begin() + Change.Index;
            const int width = *at;
            FWidths.erase(at);
            if (width >= FWidest)
                FWidest = FWidths.empty() ? 0 : *std::max_element(FWidths.begin(), FWidths.end());
            return;
        }
        break;
    case TListLinesChange::lcCleared:
        FWidths.clear();
        FWidest = 0;
        return;
    default:
        break;
    }
    MeasureAll(Count, Width);
}

void vt::ItemWidths::MeasureAll(int Count, const Measure& Width)
{
    FWidths.resize(static_cast<std::size_t>(std::max(Count, 0)));
    for (int i = 0; i < Count; ++i)
        FWidths[static_cast<std::size_t>(i)] = Width(i);
    FWidest = FWidths.empty() ? 0 : *std::max_element(FWidths.begin(), FWidths.end());
}

// ---------------------------------------------------------------------------------------------
// TVtListBoxStrings

int TVtListBoxStrings::Count() const { return static_cast<int>(FListBox->Perform(LB_GETCOUNT, 0, 0)); }

String TVtListBoxStrings::Strings(int index) const
{
    const LRESULT length = FListBox->Perform(LB_GETTEXTLEN, index, 0);
    if (length < 0)
        IndexError(index);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    FListBox->Perform(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return String(text.data(), static_cast<size_t>(length));
}

void TVtListBoxStrings::SetStrings(int index, const String& s)
{
    ReplaceLine(index, s, FListBox->Perform(LB_GETITEMDATA, index, 0));
}

TObject* TVtListBoxStrings::Objects(int index) const
{
    const LRESULT data = FListBox->GetItemData(index);
    if (data == LB_ERR)
        IndexError(index);
    return reinterpret_cast<TObject*>(data);
}

void TVtListBoxStrings::SetObjects(int index, TObject* object)
{
    FListBox->SetItemData(index, reinterpret_cast<LRESULT>(object));
}

int TVtListBoxStrings::InsertLine(UINT Msg, int index, const String& s)
{
    const LRESULT result = FListBox->Perform(Msg, static_cast<WPARAM>(index), TextParam(s));
    if (result < 0)
        throw EOutOfResources("Unable to insert a line");
    return static_cast<int>(result);
}

int TVtListBoxStrings::Add(const String& s) { return InsertLine(LB_ADDSTRING, 0, s); }

void TVtListBoxStrings::Insert(int index, const String& s) { InsertLine(LB_INSERTSTRING, index, s); }

void TVtListBoxStrings::Delete(int index) { FListBox->DeleteString(index); }

void TVtListBoxStrings::Clear() { FListBox->ResetContent(); }

// The line goes by the window's own delete, so that the box's DeleteString does not free what
// its item data holds: that moves on with the text.
void TVtListBoxStrings::ReplaceLine(int index, const String& s, LRESULT data)
{
    if (data == LB_ERR)
        IndexError(index);
    BeginUpdate();
    FListBox->Perform(LB_DELETESTRING, index, 0);
    InsertLine(LB_INSERTSTRING, index, s);
    FListBox->Perform(LB_SETITEMDATA, index, data);
    EndUpdate();
}

void TVtListBoxStrings::Exchange(int index1, int index2)
{
    const String s1 = Strings(index1);
    const String s2 = Strings(index2);
    const LRESULT d1 = FListBox->Perform(LB_GETITEMDATA, index1, 0);
    const LRESULT d2 = FListBox->Perform(LB_GETITEMDATA, index2, 0);
    BeginUpdate();
    ReplaceLine(index1, s2, d2);
    ReplaceLine(index2, s1, d1);
    EndUpdate();
}

void TVtListBoxStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    const String s = Strings(curIndex);
    const LRESULT data = FListBox->Perform(LB_GETITEMDATA, curIndex, 0);
    BeginUpdate();
    FListBox->Perform(LB_DELETESTRING, curIndex, 0);
    InsertLine(LB_INSERTSTRING, newIndex, s);
    FListBox->Perform(LB_SETITEMDATA, newIndex, data);
    EndUpdate();
}

// The window stops redrawing while a batch of changes runs and repaints after it.
void TVtListBoxStrings::SetUpdateState(bool updating)
{
    TStrings* window = static_cast<TCustomListBox*>(FListBox)->Items();
    if (updating) {
        window->BeginUpdate();
        return;
    }
    window->EndUpdate();
    FListBox->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TVtCustomListBox

TVtCustomListBox::TVtCustomListBox(TComponent* AOwner) : TCustomListBox(AOwner), FItems(new TVtListBoxStrings(this))
{
    Canvas()->Font()->Assign(Font());
}

TVtCustomListBox::~TVtCustomListBox() { delete FItems; }

void TVtCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

LRESULT TVtCustomListBox::GetItemData(int Index) const
{
    return const_cast<TVtCustomListBox*>(this)->Perform(LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
}

void TVtCustomListBox::SetItemData(int Index, LRESULT AData)
{
    Perform(LB_SETITEMDATA, static_cast<WPARAM>(Index), AData);
}

void TVtCustomListBox::ResetContent() { Perform(LB_RESETCONTENT, 0, 0); }

void TVtCustomListBox::DeleteString(int Index) { Perform(LB_DELETESTRING, static_cast<WPARAM>(Index), 0); }

void TVtCustomListBox::SetAutoScroll(bool Value)
{
    if (Value == FAutoScroll)
        return;
    FAutoScroll = Value;
    SetHorizontalExtent();
}

void TVtCustomListBox::SetGraySelection(bool Value)
{
    if (Value == FGraySelection)
        return;
    FGraySelection = Value;
    Invalidate();
}

void TVtCustomListBox::SetTabWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FTabWidth)
        return;
    FTabWidth = Value;
    SetHorizontalExtent();
    Invalidate();
}

int TVtCustomListBox::TabStop() const
{
    if (FTabWidth < 1)
        return 0;
    return static_cast<int>(std::lround(Canvas()->TextWidth("0") * FTabWidth * 0.25));
}

int TVtCustomListBox::GetItemWidth(int Index)
{
    if (Style() != lbStandard && OnDrawItem && OnGetItemWidth) {
        int width = 0;
        OnGetItemWidth(this, Index, width);
        return width;
    }
    return vt::ListItemTextWidth(Canvas(), FItems->Strings(Index), TabStop());
}

// The widest item is the horizontal scroll range, or there is none while AutoScroll does not
// apply.
void TVtCustomListBox::SetHorizontalExtent()
{
    if (AutoScroll())
        FWidths.MeasureAll(FItems->Count(), [this](int i) { return GetItemWidth(i); });
    SendHorizontalExtent();
}

void TVtCustomListBox::SendHorizontalExtent()
{
    Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(AutoScroll() ? FWidths.Widest() : 0), 0);
}

void TVtCustomListBox::LinesChanged(const TListLinesChange& Change)
{
    if (!AutoScroll())
        return;
    FWidths.Follow(Change, FItems->Count(), [this](int i) { return GetItemWidth(i); });
    SendHorizontalExtent();
}

void TVtCustomListBox::SetOnDrawItem(TDrawItemEvent Value)
{
    OnDrawItem = std::move(Value);
    SetHorizontalExtent();
}

void TVtCustomListBox::SetOnGetItemWidth(TGetItemWidthEvent Value)
{
    OnGetItemWidth = std::move(Value);
    SetHorizontalExtent();
}

void TVtCustomListBox::FontChanged()
{
    TCustomListBox::FontChanged();
    Canvas()->Font()->Assign(Font());
    SetHorizontalExtent();
}

// A selected item shows the highlight while the box has the focus; with GraySelection an
// unfocused box shows it in the button face colour.
void TVtCustomListBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    TCanvas* canvas = Canvas();
    const bool exists = Index >= 0 && Index < FItems->Count();
    if (State.Contains(odSelected) && exists) {
        if (ComponentState().Contains(csDesigning) || !FGraySelection || Focused()) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
        } else {
            canvas->Brush()->SetColor(clBtnFace);
            if (Font()->Color() == clBtnFace)
                canvas->Font()->SetColor(clBtnText);
        }
    }
    if (exists)
        DrawItem(Index, Rect, State);
    else
        canvas->FillRect(Rect);
    if (State.Contains(odFocused))
        canvas->DrawFocusRect(Rect);
}

void TVtCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    DrawItemText(Index, Rect);
}

// The text starts 2 pixels in from the left, or ends 2 pixels in from the right in right-to-left
// reading.
void TVtCustomListBox::DrawItemText(int Index, const TRect& Rect)
{
    TCanvas* canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index < FItems->Count()) {
        const String text = FItems->Strings(Index);
        const int y = std::max(Rect.Top, (Rect.Top + Rect.Bottom - canvas->TextHeight("Wy")) / 2);
        const int x = UseRightToLeftReading() ? Rect.Right - 2 - TextWidth(text) : Rect.Left + 2;
        DefaultDrawText(x, y, text);
    }
}

int TVtCustomListBox::TextWidth(const String& S) const
{
    if (const int stop = TabStop(); stop >= 1)
        return Canvas()->TabbedTextExtent(S, {stop}).cx;
    return Canvas()->TextWidth(S);
}

void TVtCustomListBox::DefaultDrawText(int X, int Y, const String& S)
{
    if (const int stop = TabStop(); stop >= 1)
        Canvas()->TabbedTextOut(X, Y, S, {stop}, X);
    else
        Canvas()->TextOut(X, Y, S);
}

void TVtCustomListBox::RepaintMultipleSelection()
{
    if (FGraySelection && MultiSelect() && SelCount() > 1)
        Invalidate();
}

void TVtCustomListBox::DoEnter()
{
    TCustomListBox::DoEnter();
    RepaintMultipleSelection();
}

void TVtCustomListBox::DoExit()
{
    TCustomListBox::DoExit();
    RepaintMultipleSelection();
}

// With automatic dragging the box still sees its own presses, so that they select.
void TVtCustomListBox::WndProc(TMessage& Message)
{
    const bool leftPress = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
    if (leftPress && DragMode() == dmAutomatic && !ComponentState().Contains(csDesigning) && !Dragging()) {
        PressWithAutoDrag(Message);
        return;
    }
    TCustomListBox::WndProc(Message);
}

// A press on a selected item of a multi-select box (without Shift, or with Ctrl) drags the
// selection as it is; any other press selects first, then drags, unless it extends a multiple
// selection.
void TVtCustomListBox::PressWithAutoDrag(TMessage& Message)
{
    const TShiftState shift = KeysToShiftState(Message.WParam);
    if (MultiSelect() && (!shift.Contains(ssShift) || shift.Contains(ssCtrl))) {
        const int item = ItemAtPos(Point(LParamX(Message.LParam), LParamY(Message.LParam)), true);
        if (item >= 0 && Selected(item)) {
            BeginDrag(false);
            return;
        }
    }
    HandleMouseMessage(Message);
    if (!(MultiSelect() && (shift.Contains(ssShift) || shift.Contains(ssCtrl))))
        BeginDrag(false);
}

void TVtCustomListBox::DragCanceled()
{
    TPoint screen;
    GetCursorPos(screen);
    const TPoint p = ScreenToClient(screen);
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        TMessage m{msg, 0, MakeLParam(p.X, p.Y), 0};
        DefaultHandler(m);
    }
}

// ---------------------------------------------------------------------------------------------
// TTextListBox

TTextListBox::TTextListBox(TComponent* AOwner) : TCustomListBox(AOwner) { Canvas()->Font()->Assign(Font()); }

int TTextListBox::ItemWidth(int Index) { return vt::ListItemTextWidth(Canvas(), Items()->Strings(Index), 0); }

void TTextListBox::SetHorizontalExtent()
{
    FWidths.MeasureAll(Items()->Count(), [this](int i) { return ItemWidth(i); });
    Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FWidths.Widest()), 0);
}

void TTextListBox::LinesChanged(const TListLinesChange& Change)
{
    FWidths.Follow(Change, Items()->Count(), [this](int i) { return ItemWidth(i); });
    Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FWidths.Widest()), 0);
}

void TTextListBox::FontChanged()
{
    TCustomListBox::FontChanged();
    Canvas()->Font()->Assign(Font());
    SetHorizontalExtent();
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtCustomListBox, TCustomListBox> kVtCustomListBox{
    "TVtCustomListBox",
    {
        vt::Published("Items", &TVtCustomListBox::Items, &TVtCustomListBox::SetItems),
        vt::Published("AutoScroll", &TVtCustomListBox::AutoScroll, &TVtCustomListBox::SetAutoScroll),
        vt::Published("GraySelection", &TVtCustomListBox::GraySelection, &TVtCustomListBox::SetGraySelection),
        vt::Published("TabWidth", &TVtCustomListBox::TabWidth, &TVtCustomListBox::SetTabWidth),
    }};
const vt::ClassRegistration<TTextListBox, TCustomListBox> kTextListBox{"TTextListBox", {}};
}  // namespace
