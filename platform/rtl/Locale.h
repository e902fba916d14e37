// The locale settings that number and date formatting read: US defaults with what the locale
// that the environment names offers, read at first use and again by ResetLocaleFromSystem();
// tests set the fields directly. Separators are
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
    int TwoDigitYearCenturyWindow = 60;  // the date edits' window, so every reader agrees
    // The user's language reads right to left (LC_CTYPE's); controls set to a right-to-left
    // BiDiMode then read right to left.
    bool MiddleEast = false;
    String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    // A month named on its own, as a calendar's title names it (nominative where the language
    // declines month names; LongMonthNames then are the forms a day's date takes).
    String StandaloneMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
    String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
};

// The process-wide settings, read from the system locale on first use.
FormatSettings& Locale();

// Restores the defaults, then takes names, separators and the currency's symbol, place and
// decimals from the system locale (LC_TIME, LC_NUMERIC, LC_MONETARY) where the C library
// offers them, and the text order from LC_COLLATE.
void ResetLocaleFromSystem();
