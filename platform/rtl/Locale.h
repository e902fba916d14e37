// The locale settings that number and date formatting read: US defaults, refreshed from the
// system's C locale by ResetLocaleFromSystem(); tests set the fields directly. Separators are
// UTF-8 texts of any length (fr_FR groups thousands with a narrow no-break space).
#pragma once

#include "rtl/StrUtils.h"

struct FormatSettings {
    String ShortDateFormat = "M/d/yyyy";
    String LongDateFormat = "dddd, MMMM dd, yyyy";
    String ShortTimeFormat = "h:mm AMPM";
    String LongTimeFormat = "h:mm:ss AMPM";
    String DateSeparator = "/";
    String TimeSeparator = ":";
    String DecimalSeparator = ".";
    String ThousandSeparator = ",";
    String CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    String TimeAMString = "AM";
    String TimePMString = "PM";
    int TwoDigitYearCenturyWindow = 50;
    // The user's language reads right to left (LC_CTYPE's); controls set to a right-to-left
    // BiDiMode then read right to left.
    bool MiddleEast = false;
    String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
};

// The process-wide settings.
FormatSettings& Locale();

// Restores the defaults, then takes names, separators and the currency's symbol, place and
// decimals from the system locale (LC_TIME, LC_NUMERIC, LC_MONETARY) where the C library
// offers them, and the text order from LC_COLLATE.
void ResetLocaleFromSystem();
