// The month calendar grid and its pop-up variant: month layout by the first day of the week,
// day/month/year steps that keep the day inside the month, keys and cell painting.
#include "components/edits/PickDate.h"
#include "rtl/TypInfo.h"

#include <algorithm>
#include <cmath>

#include "components/edits/VtLabel.h"
#include "components/common/vtGuiutils.h"
#include "components/common/Vtconst.h"
#include "rtl/Locale.h"
#include "rtl/ResStrings.h"
#include "rtl/StringList.h"
#include "ui/kernel/Messages.h"

namespace {

enum DateElement { deYear = 1, deMonth = 2, deDay = 3 };

} // namespace

// ---- TVtCalendar ----------------------------------------------------------------------------

TVtCalendar::TVtCalendar(TComponent* AOwner) : TCustomGrid(AOwner), FDate(::Date())
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetColCount(7);
    SetRowCount(7);
    SetScrollBars(ssNone);
    TGridOptions options = Options();
    options >> goRangeSelect;
    options << goDrawFocusSelected;
    SetOptions(options);
    UpdateCalendar();
}

void TVtCalendar::CreateParams(TCreateParams& Params)
{
    TCustomGrid::CreateParams(Params);
    Params.Style |= WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TVtCalendar::SetCalendarDate(TDateTime Value)
{
    if (Value == FDate)
        return;
    FDate = Value;
    UpdateCalendar();
    Change();
}

void TVtCalendar::SetStartOfWeek(TDayOfWeekName Value)
{
    if (Value == FStartOfWeek)
        return;
    FStartOfWeek = Value;
    UpdateCalendar();
}

void TVtCalendar::SetUseCurrentDate(bool Value)
{
    if (Value == FUseCurrentDate)
        return;
    FUseCurrentDate = Value;
    if (Value) {
        FDate = ::Date();
        UpdateCalendar();
    }
}

void TVtCalendar::SetWeekends(TDaysOfWeek Value)
{
    if (Value == FWeekends)
        return;
    FWeekends = Value;
    UpdateCalendar();
}

void TVtCalendar::SetWeekendColor(TColor Value)
{
    if (Value == FWeekendColor)
        return;
    FWeekendColor = Value;
    Invalidate();
}

void TVtCalendar::Change()
{
    if (OnChange)
        OnChange(this);
}

int TVtCalendar::DaysThisMonth() const { return DaysPerMonth(Year(), Month()); }

int TVtCalendar::GetDateElement(int Index) const
{
    Word y, m, d;
    DecodeDate(FDate, y, m, d);
    switch (Index) {
    case deYear: return y;
    case deMonth: return m;
    case deDay: return d;
    default: return -1;
    }
}

void TVtCalendar::SetDateElement(int Index, int Value)
{
    if (Value < 1)
        return;
    int y = Year(), m = Month(), d = Day();
    bool changed = false;
    switch (Index) {
    case deYear:
        changed = Value != y;
        y = Value;
        break;
    case deMonth:
        changed = Value <= 12 && Value != m;
        if (changed) {
            m = Value;
            d = std::min(d, DaysPerMonth(y, m));
        }
        break;
    case deDay:
        changed = Value <= DaysThisMonth() && Value != d;
        if (changed)
            d = Value;
        break;
    default:
        return;
    }
    if (!changed)
        return;
    // Raises the platform's encoding error for 29 February of a non-leap year.
    FDate = EncodeDate(y, m, d);
    FUseCurrentDate = false;
    CalendarUpdate(Index == deDay);
    Change();
}

void TVtCalendar::ChangeMonth(int Delta)
{
    const int day = Day();
    const TDateTime edge =
        Delta >= 1 ? EncodeDate(Year(), Month(), DaysThisMonth()) : EncodeDate(Year(), Month(), 1);
    Word y, m, d;
    DecodeDate(edge + Delta, y, m, d);
    SetCalendarDate(EncodeDate(y, m, std::min(day, DaysPerMonth(y, m))));
}

void TVtCalendar::PrevYear()
{
    if (IsLeapYear(Year()) && Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() - 1);
}

void TVtCalendar::NextYear()
{
    if (IsLeapYear(Year()) && Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() + 1);
}

void TVtCalendar::CalendarUpdate(bool DayOnly)
{
    FUpdating = true;
    const int firstWeekDay = DayOfWeek(EncodeDate(Year(), Month(), 1));  // 1 = Sunday
    FMonthOffset = 2 - ((firstWeekDay - FStartOfWeek + 7) % 7);
    if (FMonthOffset == 2)
        FMonthOffset = -5;
    const int index = Day() - FMonthOffset;
    FocusCell(index % 7, index / 7 + 1, true);
    if (DayOnly)
        Update();
    else
        Invalidate();
    FUpdating = false;
}

String TVtCalendar::CellText(int ACol, int ARow) const
{
    if (ARow == 0)
        return Locale().ShortDayNames[(FStartOfWeek + ACol) % 7];
    const int day = DayNumberAt(ACol, ARow);
    if (day < 1 || day > DaysThisMonth())
        return String();
    return IntToStr(day);
}

bool TVtCalendar::IsWeekend(int ACol, int ARow) const
{
    return FWeekends.Contains(static_cast<TDayOfWeekName>((FStartOfWeek + ACol) % 7));
}

void TVtCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    const String text = CellText(ACol, ARow);
    if (IsWeekend(ACol, ARow) && !AState.Contains(gdSelected))
        Canvas()->Font()->SetColor(FWeekendColor);
    const int left = ARect.Left + (ARect.Width() - Canvas()->TextWidth(text)) / 2;
    const int top = ARect.Top + (ARect.Height() - Canvas()->TextHeight(text)) / 2;
    Canvas()->TextRect(ARect, left, top, text);
}

bool TVtCalendar::SelectCell(int ACol, int ARow)
{
    if (FReadOnly && !FUpdating)
        return false;
    return !CellText(ACol, ARow).empty() && TCustomGrid::SelectCell(ACol, ARow);
}

void TVtCalendar::Click()
{
    TCustomGrid::Click();
    const int day = StrToIntDef(CellText(Col(), Row()), 0);
    if (Row() > 0 && day > 0)
        SetDay(day);
}

void TVtCalendar::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Shift == TShiftState{}) {
        switch (Key) {
        case VK_LEFT:
        case VK_SUBTRACT:
            if (Day() > 1)
                SetDay(Day() - 1);
            else
                SetCalendarDate(FDate - 1);
            return;
        case VK_RIGHT:
        case VK_ADD:
            if (Day() < DaysThisMonth())
                SetDay(Day() + 1);
            else
                SetCalendarDate(FDate + 1);
            return;
        default:
            break;
        }
    }
    TCustomGrid::KeyDown(Key, Shift);
}

void TVtCalendar::KeyPress(char& Key)
{
    if (Key == 'T' || Key == 't') {
        SetCalendarDate(::Date());
        Key = 0;
        return;
    }
    TCustomGrid::KeyPress(Key);
}

void TVtCalendar::Resize()
{
    const int lines = Options().Contains(goVertLine) ? 6 * GridLineWidth() : 0;
    SetDefaultColWidth((ClientWidth() - lines) / 7);
    SetDefaultRowHeight((ClientHeight() - 6 * GridLineWidth()) / 7);
    TCustomGrid::Resize();
}

// ---- TLocCalendar ---------------------------------------------------------------------------

TLocCalendar::TLocCalendar(TComponent* AOwner) : TVtCalendar(AOwner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable});
    SetTabStop(false);
    SetParentColor(true);
    SetCalendarDate(::Date());
    SetUseCurrentDate(false);
    SetOptions(TGridOptions{goFixedHorzLine});
}

void TLocCalendar::CreateParams(TCreateParams& Params)
{
    TVtCalendar::CreateParams(Params);
    Params.Style &= ~(WS_BORDER | WS_TABSTOP | WS_DISABLED);
}

void TLocCalendar::ColorChanged()
{
    TVtCalendar::ColorChanged();
    SetFixedColor(Color());
}

void TLocCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TVtCalendar::DrawCell(ACol, ARow, ARect, AState);
    if (ARow == 0 || CellText(ACol, ARow).empty())
        return;
    if (EncodeDate(Year(), Month(), DayNumberAt(ACol, ARow)) != ::Date())
        return;
    TCanvas* canvas = Canvas();
    const int right = ARect.Right - 1, bottom = ARect.Bottom - 1;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(ARect.Left, bottom);
    canvas->LineTo(ARect.Left, ARect.Top);
    canvas->LineTo(right, ARect.Top);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->LineTo(right, bottom);
    canvas->LineTo(ARect.Left, bottom);
}

// ---- navigation glyphs ----------------------------------------------------------------------

namespace {

const char* const NavGlyphs[4] = {"PREV2", "PREV1", "NEXT1", "NEXT2"};
const int NavHints[4] = {SPrevYear, SPrevMonth, SNextMonth, SNextYear};

// The four buttons of a calendar title, in the order previous year, previous month, next month,
// next year, at the given left edges; the right pair follows the title's right edge.
void MakeNavButtons(TComponent* Owner, TWinControl* Title, TVtCalendar* Calendar, const int (&Lefts)[4],
                    int Size, TVtTimerSpeedButton* (&Buttons)[4])
{
    const std::function<void()> actions[4] = {
        [Calendar] { Calendar->PrevYear(); }, [Calendar] { Calendar->PrevMonth(); },
        [Calendar] { Calendar->NextMonth(); }, [Calendar] { Calendar->NextYear(); }};
    for (int i = 0; i < 4; ++i) {
        auto* button = new TVtTimerSpeedButton(Owner);
        button->SetParent(Title);
        button->SetBounds(Lefts[i], Size == 14 ? -1 : 3, Size, Size);
        if (i >= 2)
            button->SetAnchors(TAnchors{akTop, akRight});
        TBitmap* glyph = MakeBitmap(NavGlyphs[i]);
        button->SetGlyph(glyph);
        delete glyph;
        button->SetHint(LoadStr(NavHints[i]));
        button->OnClick = [action = actions[i]](TObject*) { action(); };
        Buttons[i] = button;
    }
}

// Copies up to four non-empty hint lines onto the buttons.
void ApplyNavHints(TStrings* Hints, TVtTimerSpeedButton* const (&Buttons)[4])
{
    if (!Hints || !Buttons[0])
        return;
    for (int i = 0; i < std::min(Hints->Count(), 4); ++i) {
        if (!Hints->Strings(i).empty())
            Buttons[i]->SetHint(Hints->Strings(i));
    }
}

TWinControl* MakePanel(TComponent* Owner, TWinControl* Parent, TAlign Align, int Height)
{
    auto* panel = new TWinControl(Owner);
    panel->SetParent(Parent);
    panel->SetAlign(Align);
    if (Height > 0)
        panel->SetHeight(Height);
    panel->SetParentColor(true);
    return panel;
}

// "MMMM, YYYY" with the month named on its own ("Март, 2024", not the genitive "марта").
String TitleFor(TDateTime date)
{
    return Locale().StandaloneMonthNames[ExtractMonth(date) - 1] + FormatDateTime(", YYYY", date);
}

} // namespace

TVtTimerSpeedButton::TVtTimerSpeedButton(TComponent* AOwner) : TVtSpeedButton(AOwner)
{
    SetStyle(bsWin31);
    SetAllowTimer(true);
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
}

// ---- TPopupCalendar -------------------------------------------------------------------------

TPopupCalendar::TPopupCalendar(TComponent* AOwner)
    : TPopupWindow(AOwner), FourDigitYear(::FourDigitYear)
{
    SetBounds(Left(), Top(), std::max(PopupCalendarSize.X, 180), std::max(PopupCalendarSize.Y, 120));
    SetColor(clBtnFace);
    UseMessageFont(Font());
    auto* ownerControl = dynamic_cast<TControl*>(AOwner);
    SetShowHint(ownerControl ? ownerControl->ShowHint() : true);
    if (ComponentState().Contains(csDesigning))
        return;

    TWinControl* back = MakePanel(this, this, alClient, 0);
    TWinControl* title = MakePanel(this, back, alTop, 18);

    FCalendar = new TLocCalendar(this);
    FCalendar->SetParent(back);
    FCalendar->SetAlign(alClient);
    FCalendar->OnChange = [this](TObject* s) { TitleUpdate(s); };
    FCalendar->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        CalendarMouseUp(s, b, sh, x, y);
    };

    MakeNavButtons(this, title, FCalendar, {-1, 12, title->Width() - 26, title->Width() - 13}, 14,
                   FNavButtons);

    FTitleLabel = new TVtLabel(this);
    FTitleLabel->SetParent(title);
    FTitleLabel->SetAutoSize(false);
    FTitleLabel->SetAlignment(taCenter);
    FTitleLabel->SetTransparent(true);
    FTitleLabel->SetBounds(29, 1, title->Width() - 58, 14);
    FTitleLabel->SetAnchors(TAnchors{akLeft, akTop, akRight});
    FTitleLabel->OnDblClick = [this](TObject*) { FCalendar->SetCalendarDate(::Date()); };
    TitleUpdate(nullptr);
}

String TPopupCalendar::TitleText() const { return FTitleLabel ? FTitleLabel->Caption() : String(); }

void TPopupCalendar::TitleUpdate(TObject* Sender)
{
    if (FTitleLabel && FCalendar)
        FTitleLabel->SetCaption(TitleFor(FCalendar->CalendarDate()));
}

void TPopupCalendar::CalendarMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                     int Y)
{
    if (Button != mbLeft || !(Shift * TShiftState{ssShift, ssCtrl, ssAlt}).Empty())
        return;
    int col = -1, row = -1;
    FCalendar->MouseToCell(X, Y, col, row);
    if (row > 0 && col >= 0 && !FCalendar->CellText(col, row).empty())
        CloseUp(true);
}

void TPopupCalendar::KeyDown(WORD& Key, TShiftState Shift)
{
    TPopupWindow::KeyDown(Key, Shift);
    if (!FCalendar)
        return;
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_PRIOR: ctrl ? FCalendar->PrevYear() : FCalendar->PrevMonth(); break;
    case VK_NEXT: ctrl ? FCalendar->NextYear() : FCalendar->NextMonth(); break;
    default: FCalendar->RouteKeyDown(Key, Shift); break;
    }
}

void TPopupCalendar::KeyPress(char& Key)
{
    TPopupWindow::KeyPress(Key);
    if (FCalendar && Key != 0)
        FCalendar->RouteKeyPress(Key);
}

Variant TPopupCalendar::GetValue()
{
    if (ComponentState().Contains(csDesigning) || !FCalendar)
        return Variant::FromDate(::Date());
    return Variant::FromDate(FCalendar->CalendarDate());
}

void TPopupCalendar::SetValue(const Variant& Value)
{
    if (ComponentState().Contains(csDesigning) || !FCalendar)
        return;
    TDateTime date = ::Date();
    if (!Value.IsNull() && !Value.IsEmpty()) {
        const String text = Trim(StringReplace(Value.AsString(), Locale().DateSeparator, "",
                                               TReplaceFlags{rfReplaceAll}));
        if (!text.empty()) {
            try {
                date = Value.AsDateTime();
            } catch (const Exception&) {
                // An unreadable value shows today: the pop-up must open whatever the edit holds.
                date = ::Date();
            }
        }
    }
    FCalendar->SetCalendarDate(std::trunc(date));
    TitleUpdate(nullptr);
}

TPopupWindow* CreatePopupCalendar(TWinControl* AOwner) { return new TPopupCalendar(AOwner); }

void SetupPopupCalendar(TWinControl* PopupCalendar, TDayOfWeekName AStartOfWeek,
                        TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints,
                        bool FourDigitYear)
{
    auto* popup = dynamic_cast<TPopupCalendar*>(PopupCalendar);
    if (!popup)
        return;
    popup->FourDigitYear = FourDigitYear;
    if (TVtCalendar* calendar = popup->Calendar()) {
        calendar->SetStartOfWeek(AStartOfWeek);
        calendar->SetWeekendColor(AWeekendColor);
        calendar->SetWeekends(AWeekends);
    }
    TVtTimerSpeedButton* const buttons[4] = {popup->NavButtons(0), popup->NavButtons(1),
                                             popup->NavButtons(2), popup->NavButtons(3)};
    ApplyNavHints(BtnHints, buttons);
}

// ---- the date dialog ------------------------------------------------------------------------

TSelectDateDlg::TSelectDateDlg(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(LoadStr(SDateDlgTitle));
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetClientWidth(222);
    SetClientHeight(154);
    SetColor(clBtnFace);
    UseMessageFont(Font());
    SetPosition(poScreenCenter);
    SetShowHint(true);
    SetKeyPreview(true);

    TWinControl* title = MakePanel(this, this, alTop, 22);
    TWinControl* bottom = MakePanel(this, this, alBottom, 21);
    TWinControl* client = MakePanel(this, this, alClient, 0);

    FCalendar = new TVtCalendar(this);
    FCalendar->SetParent(client);
    FCalendar->SetAlign(alClient);
    FCalendar->SetColor(clWhite);
    FCalendar->SetTabStop(true);
    FCalendar->SetUseCurrentDate(false);
    FCalendar->OnChange = [this](TObject* s) { TitleUpdate(s); };
    FCalendar->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };

    FTitleLabel = new TVtLabel(this);
    FTitleLabel->SetParent(title);
    FTitleLabel->SetAutoSize(false);
    FTitleLabel->SetBounds(35, 4, 152, 14);
    FTitleLabel->SetAlignment(taCenter);
    FTitleLabel->SetTransparent(true);
    TFontStyles bold;
    bold << fsBold;
    FTitleLabel->Font()->SetStyle(bold);
    FTitleLabel->Font()->SetColor(clBlue);
    FTitleLabel->OnDblClick = [this](TObject*) { FCalendar->SetCalendarDate(::Date()); };
    MakeNavButtons(this, title, FCalendar, {3, 18, 188, 203}, 16, FNavButtons);

    const struct { const char* caption; int left, width; TModalResult result; } buttons[2] = {
        {"OK", 0, 112, mrOk}, {"Cancel", 111, 111, mrCancel}};
    for (const auto& b : buttons) {
        auto* button = new TVtSpeedButton(this);
        button->SetParent(bottom);
        button->SetBounds(b.left, 0, b.width, 21);
        button->SetCaption(b.caption);
        button->SetModalResult(b.result);
    }
    SetActiveControl(FCalendar);
    SetDate(NullDate);
}

void TSelectDateDlg::SetDate(TDateTime Value)
{
    FCalendar->SetCalendarDate(Value == NullDate ? ::Date() : std::trunc(Value));
    TitleUpdate(nullptr);
}

String TSelectDateDlg::TitleText() const { return FTitleLabel->Caption(); }

void TSelectDateDlg::TitleUpdate(TObject* Sender)
{
    FTitleLabel->SetCaption(TitleFor(FCalendar->CalendarDate()));
}

bool TSelectDateDlg::WantsKey(WORD Key, TShiftState Shift) const
{
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || TForm::WantsKey(Key, Shift);
}

void TSelectDateDlg::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_ESCAPE: SetModalResult(mrCancel); break;
    case VK_RETURN: SetModalResult(mrOk); break;
    case VK_TAB: Shift.Contains(ssShift) ? FCalendar->PrevMonth() : FCalendar->NextMonth(); break;
    case VK_PRIOR: ctrl ? FCalendar->PrevYear() : FCalendar->PrevMonth(); break;
    case VK_NEXT: ctrl ? FCalendar->NextYear() : FCalendar->NextMonth(); break;
    default: TForm::KeyDown(Key, Shift); return;
    }
    FTitleLabel->Update();
    Key = 0;
}

namespace {

// Shared by the dialog routines: the dialog owned by the application, with the caller's caption.
TSelectDateDlg* CreateDateDialog(const String& DlgCaption)
{
    auto* dialog = new TSelectDateDlg(Application);
    if (!DlgCaption.empty())
        dialog->SetCaption(DlgCaption);
    return dialog;
}

// Shows the dialog modally on Date; true and the picked date on OK. Frees the dialog.
bool RunDateDialog(TSelectDateDlg* Dialog, TDateTime& Date)
{
    bool accepted = false;
    try {
        Dialog->SetDate(Date);
        accepted = Dialog->ShowModal() == mrOk;
        if (accepted)
            Date = Dialog->Date();
    } catch (...) {
        delete Dialog;
        throw;
    }
    delete Dialog;
    return accepted;
}

// Below the edit, its right edges in line; above it when the screen ends first.
TPoint PopupDatePosition(const TPoint& EditOrigin, int EditWidth, int EditHeight, int DialogWidth,
                         int DialogHeight, int ScreenHeight)
{
    int top = EditOrigin.Y + EditHeight - 1;
    if (top + DialogHeight > ScreenHeight)
        top = EditOrigin.Y - DialogHeight + 1;
    if (top < 0)
        top = EditOrigin.Y + EditHeight - 1;
    int left = EditOrigin.X + EditWidth - DialogWidth;
    if (left < 0)
        left = EditOrigin.X;
    return Point(left, top);
}

} // namespace

bool SelectDate(TDateTime& Date, const String& DlgCaption, TDayOfWeekName AStartOfWeek,
                TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints)
{
    TSelectDateDlg* dialog = CreateDateDialog(DlgCaption);
    dialog->Calendar()->SetStartOfWeek(AStartOfWeek);
    dialog->Calendar()->SetWeekends(AWeekends);
    dialog->Calendar()->SetWeekendColor(AWeekendColor);
    TVtTimerSpeedButton* const buttons[4] = {dialog->NavButtons(0), dialog->NavButtons(1),
                                             dialog->NavButtons(2), dialog->NavButtons(3)};
    ApplyNavHints(BtnHints, buttons);
    return RunDateDialog(dialog, Date);
}

bool SelectDateStr(String& StrDate, const String& DlgCaption, TDayOfWeekName AStartOfWeek,
                   TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints)
{
    const String format = Locale().ShortDateFormat;
    TDateTime date = StrToDateFmt(format, StrDate);  // an empty text starts the dialog on today
    if (!SelectDate(date, DlgCaption, AStartOfWeek, AWeekends, AWeekendColor, BtnHints))
        return false;
    StrDate = FormatDateTime(format, date);
    return true;
}

bool PopupDate(TDateTime& Date, TWinControl* Edit)
{
    TSelectDateDlg* dialog = CreateDateDialog(String());
    dialog->SetBorderIcons(TBorderIcons{});
    dialog->SetPosition(poDesigned);
    const TPoint origin = PopupDatePosition(Edit->ClientOrigin(), Edit->Width(), Edit->Height(),
                                            dialog->Width(), dialog->Height(), Screen->Height());
    dialog->SetBounds(origin.X, origin.Y, dialog->Width(), dialog->Height());
    return RunDateDialog(dialog, Date);
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtCalendar, TCustomGrid> kVtCalendar{
    "TVtCalendar",
    {
        vt::Published("CalendarDate", &TVtCalendar::CalendarDate, &TVtCalendar::SetCalendarDate),
        vt::Published("Day", &TVtCalendar::Day, &TVtCalendar::SetDay),
        vt::Published("Month", &TVtCalendar::Month, &TVtCalendar::SetMonth),
        vt::Published("Year", &TVtCalendar::Year, &TVtCalendar::SetYear),
        vt::Published("ReadOnly", &TVtCalendar::ReadOnly, &TVtCalendar::SetReadOnly),
        vt::Published("StartOfWeek", &TVtCalendar::StartOfWeek, &TVtCalendar::SetStartOfWeek),
        vt::Published("UseCurrentDate", &TVtCalendar::UseCurrentDate, &TVtCalendar::SetUseCurrentDate),
        vt::Published("WeekendColor", &TVtCalendar::WeekendColor, &TVtCalendar::SetWeekendColor),
        vt::Published("Weekends", &TVtCalendar::Weekends, &TVtCalendar::SetWeekends),
    }};
}  // namespace
