// The date edit: layout and mask from the locale's date order, reading and writing the date,
// keyboard stepping, the exit check, the pop-up calendar or the date dialog, and re-laying the
// text out when the locale's date format changes.
#include "components/edits/ToolEditDate.h"
#include "rtl/TypInfo.h"

#include "components/edits/PickDate.h"
#include "components/common/Vtconst.h"
#include "components/common/Vtstrutils.h"
#include "components/common/vtGuiutils.h"
#include "rtl/Locale.h"
#include "rtl/ResStrings.h"
#include "rtl/StringList.h"
#include "ui/forms/Forms.h"

namespace {

constexpr int MaxCalendarHints = 4;

} // namespace

// ---- TCustomDateEdit ------------------------------------------------------------------------

TCustomDateEdit::TCustomDateEdit(TComponent* AOwner)
    : TCustomComboEdit(AOwner), FDialogTitle(LoadStr(SDateDlgTitle)), FCalendarHints(new TStringList)
{
    FDefNumGlyphs = 2;
    FCalendarHints->OnChange = [this](TObject* s) { CalendarHintsChanged(s); };
    SetControlState(ControlState() + TControlState{csCreating});
    UpdateFormat();
    SetHasPopup(true);
    SetGlyphKind(gkDefault);
    SetControlState(ControlState() - TControlState{csCreating});
}

TCustomDateEdit::~TCustomDateEdit()
{
    FHook.Remove();
    FreePopup();
    FCalendarHints->OnChange = nullptr;
    delete FCalendarHints;
}

void TCustomDateEdit::CreatePopup()
{
    TPopupWindow* popup = CreatePopupCalendar(this);
    popup->OnCloseUp = [this](TObject* s, bool accept) { PopupCloseUp(s, accept); };
    popup->SetColor(FPopupColor);
    FPopup = popup;
    UpdatePopup();
}

void TCustomDateEdit::CreateWnd()
{
    TCustomComboEdit::CreateWnd();
    UpdateMask();
    if (!ComponentState().Contains(csDesigning))
        FHook.Install([this](TMessage& m) { return FormatSettingsChange(m); });
}

void TCustomDateEdit::DestroyWnd()
{
    FHook.Remove();
    TCustomComboEdit::DestroyWnd();
}

bool TCustomDateEdit::FormatSettingsChange(TMessage& Message)
{
    if (Message.Msg == WM_SETTINGCHANGE && vt::UpdateFormatSettings())
        UpdateMask();
    return false;  // other hooks and the main window still see it
}

TBitmap* TCustomDateEdit::GetDefaultBitmap(bool& DestroyNeeded)
{
    DestroyNeeded = false;
    return vt::SharedBitmap("DEDITBMP");
}

bool TCustomDateEdit::FourDigitYear() const
{
    switch (FYearDigits) {
    case dyFour: return true;
    case dyTwo: return false;
    default: return ::FourDigitYear;
    }
}

void TCustomDateEdit::UpdateFormat() { FDateFormat = DefDateFormat(FourDigitYear()); }

void TCustomDateEdit::UpdatePopup()
{
    if (FPopup)
        SetupPopupCalendar(FPopup, FStartOfWeek, FWeekends, FWeekendColor, FCalendarHints,
                           FourDigitYear());
}

void TCustomDateEdit::UpdateMask()
{
    const TDateTime date = GetDate();
    const String oldFormat = FDateFormat;
    UpdateFormat();
    // Clearing first makes the masked edit lay the text out again; the same mask is laid out
    // again by the masked edit itself when the locale's date separator changed.
    if (GetDateMask() != EditMask() || oldFormat != FDateFormat)
        SetEditMask("");
    SetEditMask(GetDateMask());
    UpdatePopup();
    SetDate(date);
}

TDateTime TCustomDateEdit::GetDate() const
{
    const TDateTime fallback = FDefaultToday ? ::Date() : NullDate;
    return StrToDateFmtDef(FDateFormat, Text(), fallback);
}

void TCustomDateEdit::SetDate(TDateTime Value)
{
    if (!ValidDate(Value) || Value == NullDate)
        Value = FDefaultToday ? ::Date() : NullDate;
    const TDateTime old = GetDate();
    SetText(Value == NullDate ? String() : FormatDateTime(FDateFormat, Value));
    SetModified(GetDate() != old);
}

void TCustomDateEdit::ApplyDate(TDateTime Value)
{
    SetDate(Value);
    SelectAll();
    ChangedByUser();
}

// A date set by a key or the dialog is the user's change, as a typed one is.
void TCustomDateEdit::ChangedByUser()
{
    if (Modified())
        Change();
}

bool TCustomDateEdit::TextStored() const
{
    return !IsEmptyStr(StringReplace(Text(), Locale().DateSeparator, "", {rfReplaceAll}), TCharSet{'\0', ' ', FBlanksChar});
}

void TCustomDateEdit::CheckValidDate()
{
    if (!TextStored())
        return;
    FFormatting = true;
    try {
        SetDate(StrToDateFmt(FDateFormat, Text()));
    } catch (...) {
        FFormatting = false;
        if (CanFocus())
            SetFocus();
        throw;
    }
    FFormatting = false;
}

void TCustomDateEdit::SetBlanksChar(char Value)
{
    if (static_cast<unsigned char>(Value) < ' ')
        Value = ' ';
    if (Value == FBlanksChar)
        return;
    FBlanksChar = Value;
    UpdateMask();
}

void TCustomDateEdit::SetYearDigits(TYearDigits Value)
{
    if (Value == FYearDigits)
        return;
    FYearDigits = Value;
    UpdateMask();
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName Value)
{
    if (Value == FStartOfWeek)
        return;
    FStartOfWeek = Value;
    UpdatePopup();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek Value)
{
    if (Value == FWeekends)
        return;
    FWeekends = Value;
    UpdatePopup();
}

void TCustomDateEdit::SetWeekendColor(TColor Value)
{
    if (Value == FWeekendColor)
        return;
    FWeekendColor = Value;
    UpdatePopup();
}

void TCustomDateEdit::SetCalendarHints(TStrings* Value) { FCalendarHints->Assign(Value); }

void TCustomDateEdit::CalendarHintsChanged(TObject* Sender)
{
    FCalendarHints->OnChange = nullptr;
    while (FCalendarHints->Count() > MaxCalendarHints)
        FCalendarHints->Delete(FCalendarHints->Count() - 1);
    FCalendarHints->OnChange = [this](TObject* s) { CalendarHintsChanged(s); };
    if (!ComponentState().Contains(csDesigning))
        UpdatePopup();
}

TColor TCustomDateEdit::PopupColor() const { return FPopup ? FPopup->Color() : FPopupColor; }

void TCustomDateEdit::SetPopupColor(TColor Value)
{
    if (Value == PopupColor())
        return;
    if (FPopup)
        FPopup->SetColor(Value);
    FPopupColor = Value;
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle Value)
{
    SetHasPopup(Value == csPopup);
}

void TCustomDateEdit::Change()
{
    if (!FFormatting)
        TCustomComboEdit::Change();
}

void TCustomDateEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool calendarKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP ||
                             Key == VK_RIGHT || Key == VK_DOWN || Key == VK_ADD || Key == VK_SUBTRACT;
    if (calendarKey && PopupVisible()) {
        FPopup->RouteKeyDown(Key, Shift);
        Key = 0;
    } else if (Shift == TShiftState{} && DirectInput() && (Key == VK_ADD || Key == VK_SUBTRACT)) {
        TDateTime date = GetDate();
        if (date == NullDate)
            date = Now();
        ApplyDate(Key == VK_ADD ? date + 1 : date - 1);
        Key = 0;
    }
    TCustomComboEdit::KeyDown(Key, Shift);
}

bool TCustomDateEdit::TakesDateKey(char Key) const
{
    const bool dateKey = Key == '+' || Key == '-' || Key == 'T' || Key == 't';
    return dateKey && (PopupVisible() || DirectInput());
}

void TCustomDateEdit::KeyPress(char& Key)
{
    if (TakesDateKey(Key)) {
        if (PopupVisible())
            FPopup->RouteKeyPress(Key);
        else if (Key == 'T' || Key == 't')
            ApplyDate(::Date());
        Key = 0;
    }
    TCustomComboEdit::KeyPress(Key);
}

void TCustomDateEdit::ButtonClick()
{
    TCustomComboEdit::ButtonClick();
    if (CalendarStyle() != csDialog)
        return;
    TDateTime date = GetDate();
    bool action = SelectDate(date, FDialogTitle, FStartOfWeek, FWeekends, FWeekendColor,
                             FCalendarHints);
    if (CanFocus())
        SetFocus();
    if (!action)
        return;
    if (OnAcceptDate)
        OnAcceptDate(this, date, action);
    if (action) {
        SetDate(date);
        if (Focused())
            SelectAll();
        ChangedByUser();
    }
}

bool TCustomDateEdit::AcceptPopup(Variant& Value)
{
    bool result = true;
    if (!OnAcceptDate)
        return result;
    TDateTime date = NullDate;
    if (!Value.IsNull() && !Value.IsEmpty()) {
        try {
            date = Value.AsDateTime();
        } catch (const Exception&) {
            // An unconvertible pop-up value counts as no date, never as an error.
            date = FDefaultToday ? ::Date() : NullDate;
        }
    }
    OnAcceptDate(this, date, result);
    if (result)
        Value = Variant::FromDate(date);
    return result;
}

void TCustomDateEdit::AcceptValue(const Variant& Value)
{
    SetDate(Value.IsNull() || Value.IsEmpty() ? NullDate : Value.AsDateTime());
    UpdatePopupVisible();
    ChangedByUser();
}

void TCustomDateEdit::SetPopupValue(const Variant& Value)
{
    const String text = Value.IsNull() || Value.IsEmpty() ? String() : Value.AsString();
    TCustomComboEdit::SetPopupValue(Variant::FromDate(StrToDateFmtDef(FDateFormat, text, ::Date())));
}

void TCustomDateEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_EXIT) {
        CMExit(Message);
        return;
    }
    TCustomComboEdit::WndProc(Message);
}

void TCustomDateEdit::CMExit(TMessage& Message)
{
    if (!ComponentState().Contains(csDesigning) && FCheckOnExit)
        CheckValidDate();
    TCustomComboEdit::WndProc(Message);
}

// ---- TDateEdit ------------------------------------------------------------------------------

TDateEdit::TDateEdit(TComponent* AOwner) : TCustomDateEdit(AOwner)
{
    UpdateMask();
}

// ---- DateFormatChanged ----------------------------------------------------------------------

namespace {

void UpdateDateEditsBelow(TWinControl* Control)
{
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (auto* dateEdit = dynamic_cast<TCustomDateEdit*>(child))
            dateEdit->UpdateMask();
        else if (auto* windowed = dynamic_cast<TWinControl*>(child))
            UpdateDateEditsBelow(windowed);
    }
}

} // namespace

void DateFormatChanged()
{
    if (!Screen)
        return;
    for (int i = 0; i < Screen->FormCount(); ++i)
        UpdateDateEditsBelow(Screen->Forms(i));
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TDayOfWeekName> kDayOfWeekName{"TDayOfWeekName",
                                                          {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}};
const vt::EnumRegistration<TYearDigits> kYearDigits{"TYearDigits", {"dyDefault", "dyFour", "dyTwo"}};
const vt::EnumRegistration<TCalendarStyle> kCalendarStyle{"TCalendarStyle", {"csPopup", "csDialog"}};
const vt::ClassRegistration<TCustomDateEdit, TCustomComboEdit> kCustomDateEdit{
    "TCustomDateEdit",
    {
        vt::Published("BlanksChar", &TCustomDateEdit::BlanksChar, &TCustomDateEdit::SetBlanksChar),
        vt::Published("CalendarHints", &TCustomDateEdit::CalendarHints, &TCustomDateEdit::SetCalendarHints),
        vt::Published("CheckOnExit", &TCustomDateEdit::CheckOnExit, &TCustomDateEdit::SetCheckOnExit),
        vt::Published("DefaultToday", &TCustomDateEdit::DefaultToday, &TCustomDateEdit::SetDefaultToday),
        vt::Published("DialogTitle", &TCustomDateEdit::DialogTitle, &TCustomDateEdit::SetDialogTitle),
        vt::Published("PopupColor", &TCustomDateEdit::PopupColor, &TCustomDateEdit::SetPopupColor),
        vt::Published("CalendarStyle", &TCustomDateEdit::CalendarStyle, &TCustomDateEdit::SetCalendarStyle),
        vt::Published("StartOfWeek", &TCustomDateEdit::StartOfWeek, &TCustomDateEdit::SetStartOfWeek),
        vt::Published("Weekends", &TCustomDateEdit::Weekends, &TCustomDateEdit::SetWeekends),
        vt::Published("WeekendColor", &TCustomDateEdit::WeekendColor, &TCustomDateEdit::SetWeekendColor),
        vt::Published("YearDigits", &TCustomDateEdit::YearDigits, &TCustomDateEdit::SetYearDigits),
        vt::Published("Date", &TCustomDateEdit::Date, &TCustomDateEdit::SetDate),
    }};
const vt::ClassRegistration<TDateEdit, TCustomDateEdit> kDateEdit{"TDateEdit", {}};
}  // namespace
