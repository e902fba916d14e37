// The month calendar of the date controls: TVtCalendar (a 7 x 7 grid of day names and six week
// rows), TLocCalendar (its variant inside the pop-up, which never takes the focus from the edit),
// the pop-up calendar window and the modal date dialog with their unit routines.
#pragma once

#include "components/common/DateUtil.h"
#include "components/edits/ToolEdit.h"
#include "components/edits/VtCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/grids/Grids.h"

class TStrings;
class TVtLabel;

class TVtCalendar : public TCustomGrid {
public:
    explicit TVtCalendar(TComponent* AOwner);

    TDateTime CalendarDate() const { return FDate; }
    void SetCalendarDate(TDateTime Value);
    int Year() const { return GetDateElement(1); }
    void SetYear(int Value) { SetDateElement(1, Value); }
    int Month() const { return GetDateElement(2); }
    void SetMonth(int Value) { SetDateElement(2, Value); }
    int Day() const { return GetDateElement(3); }
    void SetDay(int Value) { SetDateElement(3, Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TDayOfWeekName Value);
    bool UseCurrentDate() const { return FUseCurrentDate; }
    void SetUseCurrentDate(bool Value);
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek Value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor Value);

    // Day names in row 0, day numbers of the month in rows 1..6, empty elsewhere.
    String CellText(int ACol, int ARow) const;
    bool IsWeekend(int ACol, int ARow) const;
    int DaysThisMonth() const;

    void PrevMonth() { ChangeMonth(-1); }
    void NextMonth() { ChangeMonth(1); }
    void PrevYear();
    void NextYear();
    virtual void UpdateCalendar() { CalendarUpdate(false); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void Click() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Resize() override;
    void Change();
    void ChangeMonth(int Delta);
    // Lays the month out around CalendarDate and moves the selection to its day.
    void CalendarUpdate(bool DayOnly);
    int DayNumberAt(int ACol, int ARow) const { return FMonthOffset + ACol + (ARow - 1) * 7; }

private:
    int GetDateElement(int Index) const;
    void SetDateElement(int Index, int Value);

    TDateTime FDate;
    int FMonthOffset = 0;
    bool FReadOnly = false;
    TDayOfWeekName FStartOfWeek = Mon;
    bool FUpdating = false;
    bool FUseCurrentDate = true;
    TDaysOfWeek FWeekends{Sun};
    TColor FWeekendColor = clRed;
};

// The calendar inside the pop-up: clicking it leaves the keyboard focus in the date edit, and
// today's cell gets a sunken frame.
class TLocCalendar : public TVtCalendar {
public:
    explicit TLocCalendar(TComponent* AOwner);
    bool CanFocus() const override { return false; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void ColorChanged() override;
};

// The calendar's navigation buttons: old-style frames, repeating while held.
class TVtTimerSpeedButton : public TVtSpeedButton {
public:
    explicit TVtTimerSpeedButton(TComponent* AOwner);
};

// Preferred size of the pop-up calendar.
inline constexpr TPoint PopupCalendarSize{187, 124};

// The date edit's drop-down: a title with the month and four navigation buttons over the month.
class TPopupCalendar : public TPopupWindow {
public:
    explicit TPopupCalendar(TComponent* AOwner);

    Variant GetValue() override;
    void SetValue(const Variant& Value) override;
    TVtCalendar* Calendar() const { return FCalendar; }
    String TitleText() const;
    // In the order previous year, previous month, next month, next year.
    TVtTimerSpeedButton* NavButtons(int Index) const { return FNavButtons[Index]; }

    bool FourDigitYear;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    void TitleUpdate(TObject* Sender);
    void CalendarMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    TLocCalendar* FCalendar = nullptr;
    TVtLabel* FTitleLabel = nullptr;
    TVtTimerSpeedButton* FNavButtons[4] = {};
};

TPopupWindow* CreatePopupCalendar(TWinControl* AOwner);
// Does nothing when PopupCalendar is not a TPopupCalendar; uses at most four non-empty hints.
void SetupPopupCalendar(TWinControl* PopupCalendar, TDayOfWeekName AStartOfWeek,
                        TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints,
                        bool FourDigitYear);

// The modal date dialog: the month with its title and navigation buttons, OK and Cancel.
class TSelectDateDlg : public TForm {
public:
    explicit TSelectDateDlg(TComponent* AOwner);

    TDateTime Date() const { return FCalendar->CalendarDate(); }
    void SetDate(TDateTime Value);  // the null date means today
    TVtCalendar* Calendar() const { return FCalendar; }
    TVtTimerSpeedButton* NavButtons(int Index) const { return FNavButtons[Index]; }
    String TitleText() const;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool WantsKey(WORD Key, TShiftState Shift) const override;

private:
    void TitleUpdate(TObject* Sender);

    TVtCalendar* FCalendar;
    TVtLabel* FTitleLabel;
    TVtTimerSpeedButton* FNavButtons[4] = {};
};

// Runs the date dialog; true and the picked date when the user confirms.
bool SelectDate(TDateTime& Date, const String& DlgCaption, TDayOfWeekName AStartOfWeek,
                TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints);
// The same on a text in the locale's short date format; unreadable text raises EConvertError.
bool SelectDateStr(String& StrDate, const String& DlgCaption, TDayOfWeekName AStartOfWeek,
                   TDaysOfWeek AWeekends, TColor AWeekendColor, TStrings* BtnHints);
// Runs the dialog without border icons just below Edit (above it when there is no room below).
bool PopupDate(TDateTime& Date, TWinControl* Edit);
