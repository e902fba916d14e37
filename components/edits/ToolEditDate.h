// The date edits: TCustomDateEdit keeps its text in the fixed numeric layout of the locale's date
// order with a digits-only mask, steps the date with +/- and T, checks the text on exit, and picks
// dates in the pop-up calendar or the date dialog. TDateEdit publishes it.
#pragma once

#include "components/common/DateUtil.h"
#include "components/edits/ToolEdit.h"
#include "rtl/StringList.h"
#include "ui/kernel/SettingChange.h"

enum TYearDigits { dyDefault, dyFour, dyTwo };
enum TCalendarStyle { csPopup, csDialog };

using TExecDateDialog = std::function<void(TObject* Sender, TDateTime& ADate, bool& Action)>;

class TCustomDateEdit : public TCustomComboEdit {
public:
    explicit TCustomDateEdit(TComponent* AOwner);
    ~TCustomDateEdit() override;

    TDateTime Date() const { return GetDate(); }
    void SetDate(TDateTime Value);
    String GetDateFormat() const { return FDateFormat; }
    String GetDateMask() const { return DefDateMask(FBlanksChar, FourDigitYear()); }
    bool FourDigitYear() const;

    const String& DialogTitle() const { return FDialogTitle; }
    void SetDialogTitle(const String& Value) { FDialogTitle = Value; }
    bool DefaultToday() const { return FDefaultToday; }
    void SetDefaultToday(bool Value) { FDefaultToday = Value; }
    TColor PopupColor() const;
    void SetPopupColor(TColor Value);
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool Value) { FCheckOnExit = Value; }
    char BlanksChar() const { return FBlanksChar; }
    void SetBlanksChar(char Value);
    TStringList* CalendarHints() const { return FCalendarHints; }
    void SetCalendarHints(TStrings* Value);
    TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TDayOfWeekName Value);
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek Value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor Value);
    TYearDigits YearDigits() const { return FYearDigits; }
    void SetYearDigits(TYearDigits Value);
    TCalendarStyle CalendarStyle() const { return HasPopup() ? csPopup : csDialog; }
    void SetCalendarStyle(TCalendarStyle Value);

    // The text holds more than blanks and separators (so it is worth storing or checking).
    bool TextStored() const;
    // Re-reads the text in the layout; raises EConvertError (focus back first) when unreadable.
    void CheckValidDate();
    // Re-derives layout and mask and shows the same date in the new layout.
    virtual void UpdateMask();

    TExecDateDialog OnAcceptDate;

    void WndProc(TMessage& Message) override;

protected:
    TDateTime GetDate() const;
    virtual void ApplyDate(TDateTime Value);
    void UpdateFormat();
    void UpdatePopup();
    bool Formatting() const { return FFormatting; }
    // '+', '-', 'T' and 't' go to the open pop-up or, with DirectInput, change the date.
    bool TakesDateKey(char Key) const;

    void CreateWnd() override;
    void DestroyWnd() override;
    TBitmap* GetDefaultBitmap(bool& DestroyNeeded) override;
    bool AcceptPopup(Variant& Value) override;
    void AcceptValue(const Variant& Value) override;
    void SetPopupValue(const Variant& Value) override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void ButtonClick() override;
    void CreatePopup() override;
    virtual void CMExit(TMessage& Message);

private:
    void ChangedByUser();
    void CalendarHintsChanged(TObject* Sender);
    bool FormatSettingsChange(TMessage& Message);

    String FDialogTitle;
    bool FDefaultToday = false;
    vt::HeldMainWindowHook FHook;
    TColor FPopupColor = clBtnFace;
    bool FCheckOnExit = false;
    char FBlanksChar = ' ';
    TStringList* FCalendarHints;
    TDayOfWeekName FStartOfWeek = Mon;
    TDaysOfWeek FWeekends{Sun};
    TColor FWeekendColor = clRed;
    TYearDigits FYearDigits = dyDefault;
    String FDateFormat;
    bool FFormatting = false;
};

class TDateEdit : public TCustomDateEdit {
public:
    explicit TDateEdit(TComponent* AOwner);
};

// Re-applies the layout to every date edit on the screen's forms (after a locale change).
void DateFormatChanged();
