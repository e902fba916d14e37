// Shared set-up of the date controls' tests: a day-month-year locale with "/" and a pinned
// clock, both put back when the object goes.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/Locale.h"

class DayMonthYearClock {
public:
    explicit DayMonthYearClock(TDateTime now) : saved_(Locale())
    {
        Locale().ShortDateFormat = "dd/MM/yyyy";
        Locale().DateSeparator = '/';
        vt::SetClockForTests(now);
    }
    ~DayMonthYearClock()
    {
        vt::ResetClock();
        Locale() = saved_;
    }
    DayMonthYearClock(const DayMonthYearClock&) = delete;
    DayMonthYearClock& operator=(const DayMonthYearClock&) = delete;

private:
    FormatSettings saved_;
};
