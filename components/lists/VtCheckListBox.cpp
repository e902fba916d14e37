// The check-list box: item objects as the lines' item data, the state rules of check boxes, radio
// buttons and check marks, drawing of the check cell, toggling, streaming and saved states.
#include "components/lists/VtCheckListBox.h"
#include "rtl/TypInfo.h"

#include <algorithm>

#include "components/storage/Apputils.h"
#include "components/storage/Placemnt.h"
#include "components/edits/VtCtrls.h"
#include "rtl/Exceptions.h"
#include "rtl/Filer.h"
#include "rtl/Format.h"

namespace {
// The stream version this box writes: per item a text, a state and an enabled flag.
constexpr int kStreamVersion = 202;

TCheckBoxState StateFromStream(int Value)
{
    if (Value < cbUnchecked || Value > cbGrayed)
        throw EReadError("Invalid property value");
    return static_cast<TCheckBoxState>(Value);
}
}  // namespace

TVtCheckListBox::TVtCheckListBox(TComponent* AOwner) : TVtCustomListBox(AOwner), FIniLink(new TIniLink)
{
    SetAutoScroll(true);
    FCheckWidth = CheckBitmap()->Width() / 6;
    FCheckHeight = CheckBitmap()->Height() / 3;
    ResetItemHeight();
    FIniLink->OnSave = [this](TObject*) { IniSave(); };
    FIniLink->OnLoad = [this](TObject*) { IniLoad(); };
}

TVtCheckListBox::~TVtCheckListBox()
{
    delete FIniLink;
    for (int i = 0; i < Items()->Count(); ++i)
        delete FindCheckObject(i);
}

// ---------------------------------------------------------------------------------------------
// Item objects

TCheckListBoxItem* TVtCheckListBox::FindCheckObject(int Index) const
{
    const LRESULT data = TVtCustomListBox::GetItemData(Index);
    if (data == LB_ERR)
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return reinterpret_cast<TCheckListBoxItem*>(data);
}

TCheckListBoxItem* TVtCheckListBox::GetCheckObject(int Index)
{
    TCheckListBoxItem* item = FindCheckObject(Index);
    if (!item) {
        item = new TCheckListBoxItem;
        TVtCustomListBox::SetItemData(Index, reinterpret_cast<LRESULT>(item));
    }
    return item;
}

LRESULT TVtCheckListBox::GetItemData(int Index) const
{
    const LRESULT data = TVtCustomListBox::GetItemData(Index);
    if (data == LB_ERR || data == 0)
        return data;
    return reinterpret_cast<TCheckListBoxItem*>(data)->Data;
}

void TVtCheckListBox::SetItemData(int Index, LRESULT AData) { GetCheckObject(Index)->Data = AData; }

void TVtCheckListBox::DeleteString(int Index)
{
    delete FindCheckObject(Index);
    TVtCustomListBox::DeleteString(Index);
}

void TVtCheckListBox::ResetContent()
{
    for (int i = Items()->Count() - 1; i >= 0; --i)
        delete FindCheckObject(i);
    TVtCustomListBox::ResetContent();
}

// Texts and user data come with the lines; another check-list box's states and enabled flags too.
void TVtCheckListBox::SetItems(TStrings* Value)
{
    auto* lines = dynamic_cast<TVtListBoxStrings*>(Value);
    auto* source = lines ? dynamic_cast<TVtCheckListBox*>(lines->ListBox()) : nullptr;
    Items()->BeginUpdate();
    try {
        TVtCustomListBox::SetItems(Value);
        for (int i = 0; source && i < Items()->Count(); ++i) {
            TCheckListBoxItem* item = GetCheckObject(i);
            item->State = source->FindCheckObject(i) ? source->FindCheckObject(i)->State : cbUnchecked;
            item->Enabled = source->GetItemEnabled(i);
        }
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// States

TCheckBoxState TVtCheckListBox::State(int Index) const
{
    const TCheckListBoxItem* item = FindCheckObject(Index);
    const TCheckBoxState state = item ? item->State : cbUnchecked;
    return FCheckKind == ckRadioButtons && state != cbChecked ? cbUnchecked : state;
}

void TVtCheckListBox::SetState(int Index, TCheckBoxState Value) { InternalSetState(Index, Value, false); }

// Radio buttons keep one item checked: the checked one cannot be unchecked, and checking another
// unchecks it.
void TVtCheckListBox::InternalSetState(int Index, TCheckBoxState Value, bool Force)
{
    TCheckListBoxItem* item = GetCheckObject(Index);
    if (item->State == Value && !Force)
        return;
    if (FCheckKind == ckRadioButtons) {
        if (Value != cbChecked && item->State == cbChecked)
            return;
        if (Value == cbChecked)
            for (int j = Items()->Count() - 1; j >= 0; --j) {
                TCheckListBoxItem* other = j == Index ? nullptr : FindCheckObject(j);
                if (other && other->State == cbChecked) {
                    other->State = cbUnchecked;
                    InvalidateCheck(j);
                }
            }
    }
    item->State = Value;
    InvalidateCheck(Index);
    if (!ComponentState().Contains(csReading))
        ChangeItemState(Index);
}

bool TVtCheckListBox::GetItemEnabled(int Index) const
{
    const TCheckListBoxItem* item = FindCheckObject(Index);
    return !item || item->Enabled;
}

void TVtCheckListBox::SetItemEnabled(int Index, bool Value)
{
    if (Value == GetItemEnabled(Index))
        return;
    GetCheckObject(Index)->Enabled = Value;
    Invalidate();
}

void TVtCheckListBox::SetAllowGrayed(bool Value)
{
    if (Value == FAllowGrayed)
        return;
    FAllowGrayed = Value;
    Invalidate();
}

void TVtCheckListBox::SetCheckKind(TCheckKind Value)
{
    if (Value == FCheckKind)
        return;
    FCheckKind = Value;
    UpdateCheckStates();
    Invalidate();
}

int TVtCheckListBox::CheckedIndex() const
{
    if (FCheckKind != ckRadioButtons)
        return -1;
    for (int i = 0; i < Items()->Count(); ++i)
        if (State(i) == cbChecked)
            return i;
    return -1;
}

void TVtCheckListBox::SetCheckedIndex(int Value)
{
    if (FCheckKind == ckRadioButtons && Items()->Count() > 0)
        SetState(std::max(Value, 0), cbChecked);
}

// With radio buttons exactly one item ends up checked.
void TVtCheckListBox::UpdateCheckStates()
{
    if (FCheckKind == ckRadioButtons && Items()->Count() > 0)
        InternalSetState(std::max(CheckedIndex(), 0), cbChecked, true);
}

void TVtCheckListBox::ApplyState(TCheckBoxState AState, bool EnabledOnly)
{
    if (FCheckKind == ckRadioButtons)
        return;
    for (int i = 0; i < Items()->Count(); ++i)
        if (!EnabledOnly || GetItemEnabled(i))
            SetState(i, AState);
}

void TVtCheckListBox::ToggleClickCheck(int Index)
{
    if (Index < 0 || Index >= Items()->Count() || !GetItemEnabled(Index))
        return;
    switch (State(Index)) {
    case cbUnchecked: SetState(Index, AllowGrayed() ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(Index, cbUnchecked); break;
    case cbGrayed: SetState(Index, cbChecked); break;
    }
    ClickCheck();
}

void TVtCheckListBox::ClickCheck()
{
    if (OnClickCheck)
        OnClickCheck(this);
}

void TVtCheckListBox::ChangeItemState(int Index)
{
    if (OnStateChange)
        OnStateChange(this, Index);
}

void TVtCheckListBox::Loaded()
{
    TVtCustomListBox::Loaded();
    UpdateCheckStates();
}

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse

// Space toggles the current item; "+" and "-" check and uncheck every enabled one.
void TVtCheckListBox::KeyPress(char& Key)
{
    TVtCustomListBox::KeyPress(Key);
    switch (Key) {
    case ' ':
        ToggleClickCheck(ItemIndex());
        Key = 0;
        break;
    case '+':
        ApplyState(cbChecked, true);
        ClickCheck();
        break;
    case '-':
        ApplyState(cbUnchecked, true);
        ClickCheck();
        break;
    default: break;
    }
}

void TVtCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TVtCustomListBox::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const int index = ItemAtPos(Point(X, Y), true);
    if (index >= 0 && PtInRect(CheckRect(index), Point(X, Y)))
        ToggleClickCheck(index);
}

// ---------------------------------------------------------------------------------------------
// Drawing

TRect TVtCheckListBox::CheckRect(int Index) const { return CheckArea(ItemRect(Index)); }

// The first check-width pixels of an item, or the last ones in right-to-left reading.
TRect TVtCheckListBox::CheckArea(const TRect& Item) const
{
    if (UseRightToLeftReading())
        return Rect(Item.Right - FCheckWidth, Item.Top, Item.Right, Item.Bottom);
    return Rect(Item.Left, Item.Top, Item.Left + FCheckWidth, Item.Bottom);
}

// The check area beside the rectangle an item's text was given.
TRect TVtCheckListBox::CheckBeside(const TRect& Text) const
{
    if (UseRightToLeftReading())
        return Rect(Text.Right, Text.Top, Text.Right + FCheckWidth, Text.Bottom);
    return Rect(Text.Left - FCheckWidth, Text.Top, Text.Left, Text.Bottom);
}

void TVtCheckListBox::InvalidateCheck(int Index) { Invalidate(); }

int TVtCheckListBox::GetItemWidth(int Index) { return TVtCustomListBox::GetItemWidth(Index) + FCheckWidth + 2; }

// Items are as high as a line of text and as the check, owner-drawn ones at least ItemHeight.
void TVtCheckListBox::ResetItemHeight()
{
    if (Style() != lbStandard && (Style() != lbOwnerDrawFixed || OnDrawItem))
        return;
    int height = std::max(Canvas()->TextHeight("Wg"), FCheckHeight);
    if (Style() == lbOwnerDrawFixed)
        height = std::max(height, ItemHeight());
    Perform(LB_SETITEMHEIGHT, 0, height);
}

void TVtCheckListBox::FontChanged()
{
    TVtCustomListBox::FontChanged();
    ResetItemHeight();
}

// The list draws the item beside the check area, on the side the text starts.
void TVtCheckListBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    TRect text = Rect;
    if (UseRightToLeftReading())
        text.Right -= FCheckWidth;
    else
        text.Left += FCheckWidth;
    TVtCustomListBox::PaintItem(Index, text, State);
}

void TVtCheckListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < Items()->Count()) {
        const bool enabled = GetItemEnabled(Index);
        DrawCheck(CheckBeside(Rect), this->State(Index), enabled);
        if (!enabled)
            Canvas()->Font()->SetColor(State.Contains(odSelected) ? clInactiveCaptionText : clGrayText);
    }
    if (Style() == lbStandard)
        DrawItemText(Index, Rect);
    else
        TVtCustomListBox::DrawItem(Index, Rect, State);
}

// The cell of the shared check images for the state, kind and enabled flag, centred in R.
void TVtCheckListBox::DrawCheck(const TRect& R, TCheckBoxState AState, bool Enabled)
{
    TBitmap* images = CheckBitmap();
    const int cell = FCheckKind * 6 + AState + (Enabled ? 0 : 3);
    const TRect source = Bounds((cell % 6) * FCheckWidth, (cell / 6) * FCheckHeight, FCheckWidth, FCheckHeight);
    const TRect dest = Bounds(R.Left + (R.Width() - FCheckWidth) / 2, R.Top + (R.Height() - FCheckHeight) / 2,
                              FCheckWidth, FCheckHeight);
    TCanvas* canvas = Canvas();
    const TColor brush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(R);
    canvas->BrushCopy(dest, images, source, images->TransparentColor());
    canvas->Brush()->SetColor(brush);
}

// ---------------------------------------------------------------------------------------------
// Saved states

void TVtCheckListBox::InternalSaveStates(TObject* IniFile, const String& Section)
{
    IniEraseSection(IniFile, Section);
    IniWriteInteger(IniFile, Section, "Count", Items()->Count());
    for (int i = 0; i < Items()->Count(); ++i)
        IniWriteInteger(IniFile, Section, "Item" + IntToStr(i), State(i));
}

// A stored value that is no state counts as unchecked.
void TVtCheckListBox::InternalRestoreStates(TObject* IniFile, const String& Section)
{
    const int count = std::min(IniReadInteger(IniFile, Section, "Count", 0), Items()->Count());
    for (int i = 0; i < count; ++i) {
        const int value = IniReadInteger(IniFile, Section, "Item" + IntToStr(i), cbUnchecked);
        const TCheckBoxState state =
            value >= cbUnchecked && value <= cbGrayed ? static_cast<TCheckBoxState>(value) : cbUnchecked;
        SetState(i, state);
        if (FCheckKind == ckRadioButtons && state == cbChecked)  // the stored choice, not the one shown before
            break;
    }
}

void TVtCheckListBox::SaveStates(TIniFile* IniFile) { InternalSaveStates(IniFile, GetDefaultSection(this)); }

void TVtCheckListBox::RestoreStates(TIniFile* IniFile) { InternalRestoreStates(IniFile, GetDefaultSection(this)); }

void TVtCheckListBox::SaveStatesReg(TRegIniFile* IniFile) { InternalSaveStates(IniFile, GetDefaultSection(this)); }

void TVtCheckListBox::RestoreStatesReg(TRegIniFile* IniFile)
{
    InternalRestoreStates(IniFile, GetDefaultSection(this));
}

TFormPlacement* TVtCheckListBox::IniStorage() const { return FIniLink->Storage(); }

void TVtCheckListBox::SetIniStorage(TFormPlacement* Value) { FIniLink->SetStorage(Value); }

void TVtCheckListBox::IniSave()
{
    if (!Name().empty() && FIniLink->IniObject())
        InternalSaveStates(FIniLink->IniObject(), FIniLink->RootSection() + GetDefaultSection(this));
}

void TVtCheckListBox::IniLoad()
{
    if (!Name().empty() && FIniLink->IniObject())
        InternalRestoreStates(FIniLink->IniObject(), FIniLink->RootSection() + GetDefaultSection(this));
}

// ---------------------------------------------------------------------------------------------
// Streaming

// The version goes with every stream, so that a list written against an ancestor reads back in
// the format it was written in.
void TVtCheckListBox::DefineProperties(TFiler* Filer)
{
    TVtCustomListBox::DefineProperties(Filer);
    Filer->DefineProperty(
        "InternalVersion", [this](TReader* r) { ReadVersion(r); },
        [](TWriter* w) { w->WriteInteger(kStreamVersion); }, true);
    Filer->DefineProperty(
        "Strings", [this](TReader* r) { ReadCheckData(r); }, [this](TWriter* w) { WriteCheckData(w); },
        StringsDiffer(Filer->Ancestor()));
}

// Against an ancestor with as many items the list is written when an item differs; else when
// there are items.
bool TVtCheckListBox::StringsDiffer(TPersistent* Ancestor) const
{
    const int count = Items()->Count();
    auto* ancestor = dynamic_cast<TVtCheckListBox*>(Ancestor);
    if (!ancestor || ancestor->Items()->Count() != count || count == 0)
        return count > 0;
    for (int i = 0; i < count; ++i)
        if (Items()->Strings(i) != ancestor->Items()->Strings(i) || State(i) != ancestor->State(i)
            || GetItemEnabled(i) != ancestor->GetItemEnabled(i))
            return true;
    return false;
}

void TVtCheckListBox::ReadVersion(TReader* Reader) { FReaderVersion = Reader->ReadInteger(); }

// Streams before version 202 hold a checked and an enabled flag per item, and from version 1 a
// state after them.
void TVtCheckListBox::ReadCheckData(TReader* Reader)
{
    Items()->BeginUpdate();
    try {
        Items()->Clear();
        Reader->ReadListBegin();
        while (!Reader->EndOfList()) {
            const int index = Items()->Add(Reader->ReadString());
            TCheckBoxState state;
            bool enabled;
            if (FReaderVersion < kStreamVersion) {
                state = Reader->ReadBoolean() ? cbChecked : cbUnchecked;
                enabled = Reader->ReadBoolean();
                if (FReaderVersion > 0)
                    state = StateFromStream(Reader->ReadInteger());
            } else {
                state = StateFromStream(Reader->ReadInteger());
                enabled = Reader->ReadBoolean();
            }
            TCheckListBoxItem* item = GetCheckObject(index);
            item->State = state;
            item->Enabled = enabled;
        }
        Reader->ReadListEnd();
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
    UpdateCheckStates();
}

void TVtCheckListBox::WriteCheckData(TWriter* Writer)
{
    Writer->WriteListBegin();
    for (int i = 0; i < Items()->Count(); ++i) {
        Writer->WriteString(Items()->Strings(i));
        Writer->WriteInteger(State(i));
        Writer->WriteBoolean(GetItemEnabled(i));
    }
    Writer->WriteListEnd();
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {
const vt::EnumRegistration<TCheckKind> kCheckKind{"TCheckKind", {"ckCheckBoxes", "ckRadioButtons", "ckCheckMarks"}};
const vt::ClassRegistration<TVtCheckListBox, TVtCustomListBox> kVtCheckListBox{
    "TVtCheckListBox",
    {
        vt::Published("AllowGrayed", &TVtCheckListBox::AllowGrayed, &TVtCheckListBox::SetAllowGrayed),
        vt::Published("CheckKind", &TVtCheckListBox::CheckKind, &TVtCheckListBox::SetCheckKind),
        vt::Published("CheckedIndex", &TVtCheckListBox::CheckedIndex, &TVtCheckListBox::SetCheckedIndex),
        vt::Published("IniStorage", &TVtCheckListBox::IniStorage, &TVtCheckListBox::SetIniStorage),
    }};
}  // namespace
