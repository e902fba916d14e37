// The locale settings: US defaults, and a refresh from the plain C locale that keeps them.
#include "rtl/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Locale, RefreshFromCLocaleRestoresUsDefaults)
{
    ::setenv("LC_ALL", "C", 1);
    Locale().ShortDateFormat = "yyyy-MM-dd";
    Locale().DecimalSeparator = ',';
    Locale().LongMonthNames[0] = "Januar";
    ResetLocaleFromSystem();
    const FormatSettings& fs = Locale();
    EXPECT_EQ(fs.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(fs.DateSeparator, '/');
    EXPECT_EQ(fs.TimeSeparator, ':');
    EXPECT_EQ(fs.DecimalSeparator, '.');
    EXPECT_EQ(fs.ThousandSeparator, ',');
    EXPECT_EQ(fs.CurrencyString, "$");
    EXPECT_EQ(fs.CurrencyDecimals, 2);
    EXPECT_EQ(fs.LongMonthNames[0], "January");
    EXPECT_EQ(fs.ShortDayNames[0], "Sun");
    EXPECT_EQ(fs.TimeAMString, "AM");
}
