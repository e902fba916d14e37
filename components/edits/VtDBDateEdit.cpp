// The data-aware date edit: the field data link's notifications, writing the date with the
// field's time of day kept, null for an empty text, and the exit check that keeps the focus.
#include "components/edits/VtDBDateEdit.h"
#include "rtl/TypInfo.h"

#include <cmath>

#include "components/common/vtGuiutils.h"
#include "db/DataSet.h"
#include "db/Fields.h"
#include "rtl/Locale.h"

namespace {

constexpr char CtrlV = 22;
constexpr char CtrlX = 24;
constexpr char Backspace = 8;
constexpr char Escape = 27;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

TDBDateEdit::TDBDateEdit(TComponent* AOwner) : TCustomDateEdit(AOwner), FDataLink(new TFieldDataLink)
{
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    TCustomComboEdit::SetReadOnly(true);
    FDataLink->OnDataChange = [this](TObject* s) { DataChange(s); };
    FDataLink->OnEditingChange = [this](TObject* s) { EditingChange(s); };
    FDataLink->OnUpdateData = [this](TObject* s) { UpdateData(s); };
    OnAcceptDate = [this](TObject* s, TDateTime& d, bool& a) { AfterPopup(s, d, a); };
    FAlwaysEnable = true;
    UpdateMask();
}

TDBDateEdit::~TDBDateEdit()
{
    FDataLink->OnDataChange = nullptr;
    FDataLink->OnEditingChange = nullptr;
    FDataLink->OnUpdateData = nullptr;
    delete FDataLink;
}

void TDBDateEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == DataSource())
        SetDataSource(nullptr);
}

void TDBDateEdit::SetDataSource(TDataSource* Value)
{
    if (!ComponentState().Contains(csLoading) || !FDataLink->DataSource())
        FDataLink->SetDataSource(Value);
    if (Value)
        Value->FreeNotification(this);
}

// The field's date in the new layout; a date typed and not yet written keeps its place over it.
void TDBDateEdit::UpdateMask()
{
    if (FDataLink->IsModified()) {
        TCustomDateEdit::UpdateMask();
        return;
    }
    UpdateFormat();
    UpdatePopup();
    DataChange(nullptr);
}

void TDBDateEdit::DataChange(TObject* Sender)
{
    if (Field()) {
        SetEditMask(GetDateMask());
        SetDate(Field()->AsDateTime());  // a null field reads as the null date
    } else if (ComponentState().Contains(csDesigning)) {
        SetEditMask("");
        SetText(Name());
    } else {
        SetEditMask(GetDateMask());
        SetDate(DefaultToday() ? ::Date() : NullDate);
    }
}

void TDBDateEdit::EditingChange(TObject* Sender)
{
    TCustomComboEdit::SetReadOnly(!FDataLink->Editing());
    if (FDataLink->Editing() && DefaultToday() && Field() && Field()->AsDateTime() == NullDate)
        Field()->SetAsDateTime(Now());
}

double TDBDateEdit::FieldTimeOfDay() const
{
    const TDateTime stored = Field()->AsDateTime();
    return std::fabs(stored - std::trunc(stored));
}

void TDBDateEdit::UpdateData(TObject* Sender)
{
    if (!Field())
        return;
    ValidateEdit();
    const TDateTime date = GetDate();
    if (date == NullDate)
        Field()->Clear();
    else
        Field()->SetAsDateTime(date + FieldTimeOfDay());
}

void TDBDateEdit::AcceptValue(const Variant& Value)
{
    if (!Field())
        return;
    if (Value.IsNull() || Value.IsEmpty())
        Field()->Clear();
    else
        Field()->SetAsDateTime(std::trunc(Value.AsDateTime()) + FieldTimeOfDay());
    DoChange();
}

void TDBDateEdit::AfterPopup(TObject* Sender, TDateTime& ADate, bool& Action)
{
    Action = Action && DataSource() && DataSource()->DataSet() &&
             DataSource()->DataSet()->CanModify() && EditCanModify();
}

bool TDBDateEdit::EditCanModify() { return FDataLink->Edit(); }

void TDBDateEdit::ResetField()
{
    FDataLink->Reset();
    SelectAll();
}

void TDBDateEdit::ApplyDate(TDateTime Value)
{
    FDataLink->Edit();
    TCustomDateEdit::ApplyDate(Value);
}

void TDBDateEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomDateEdit::KeyDown(Key, Shift);
    if (!ReadOnly() && (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))))
        FDataLink->Edit();
}

void TDBDateEdit::KeyPress(char& Key)
{
    // The masked edit takes or drops typed characters itself, so the rules below look at the
    // character as typed.
    const char typed = Key;
    const bool dateKey = TakesDateKey(typed);
    TCustomDateEdit::KeyPress(Key);
    const auto code = static_cast<unsigned char>(typed);
    if (code >= 32 && Field() && !dateKey && !IsDigit(typed) && String(1, typed) != Locale().DateSeparator) {
        Beep();
        Key = 0;
    }
    if (typed == Backspace || typed == CtrlV || typed == CtrlX || IsDigit(typed))
        FDataLink->Edit();
    if (Key == Escape) {
        ResetField();
        Key = 0;
    }
}

void TDBDateEdit::Change()
{
    if (!Formatting())
        FDataLink->Modified();
    TCustomDateEdit::Change();
}

void TDBDateEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE: case WM_CUT:
        FDataLink->Edit();
        break;
    case CM_GETDATALINK:
        Message.Result = reinterpret_cast<LRESULT>(FDataLink);
        return;
    case WM_PAINT: {
        const bool copy = ControlState().Contains(csPaintCopy) && Field();
        if (PaintComboEdit(Message, copy ? PaintCopyText() : Text(), Alignment(), true))
            return;
        break;
    }
    default:
        break;
    }
    TCustomDateEdit::WndProc(Message);
}

String TDBDateEdit::PaintCopyText() const
{
    if (!Field()->IsNull())
        return FormatDateTime(GetDateFormat(), Field()->AsDateTime());
    String layout = StringReplace(GetDateFormat(), "/", Locale().DateSeparator, {rfReplaceAll});
    for (char& c : layout)
        if (c == 'Y' || c == 'M' || c == 'D')
            c = ' ';
    return layout;
}

void TDBDateEdit::CMExit(TMessage& Message)
{
    try {
        if (!ComponentState().Contains(csDesigning) && CheckOnExit())
            CheckValidDate();
        FDataLink->UpdateRecord();
    } catch (...) {
        SelectAll();
        if (CanFocus())
            SetFocus();
        throw;
    }
    DoExit();
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TDBDateEdit, TCustomDateEdit> kDBDateEdit{
    "TDBDateEdit",
    {
        vt::Published("DataField", &TDBDateEdit::DataField, &TDBDateEdit::SetDataField),
        vt::Published("DataSource", &TDBDateEdit::DataSource, &TDBDateEdit::SetDataSource),
    }};
}  // namespace
