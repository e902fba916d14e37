// The process-wide locale settings and their refresh from the system locale. The system is
// asked through a locale object of its own, so the C library's global locale stays "C" and
// the number routines keep their '.' internally.
#include "rtl/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>

#include "rtl/LocaleCollation.h"
#include "rtl/LocaleLongDate.h"

namespace {

String Info(nl_item item, locale_t loc)
{
    const char* text = nl_langinfo_l(item, loc);
    return text != nullptr ? String(text) : String();
}

void SetIfGiven(String& field, const String& value)
{
    if (!value.empty())
        field = value;
}

// Takes the order of day, month and year and the separator from a strftime date layout such
// as "%d.%m.%Y", and writes the short date format in the class library's letters. A layout
// whose fields are parted by different texts ("%Y年%m月%d日") has no one DateSeparator: "/"
// stands in for it.
void TakeDateOrder(FormatSettings& settings, const String& layout)
{
    String order;
    String separators[2];
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i] != '%' || i + 1 == layout.size()) {
            if (!order.empty() && order.size() < 3)
                separators[order.size() - 1] += layout[i];
            continue;
        }
        char field = layout[++i];
        if (field == 'd' || field == 'e')
            order += 'd';
        else if (field == 'm')
            order += 'M';
        else if (field == 'y' || field == 'Y')
            order += 'y';
    }
    if (order.size() != 3 || separators[0].empty())
        return;
    settings.DateSeparator = separators[0] == separators[1] ? separators[0] : String("/");
    String format;
    for (char field : order) {
        if (!format.empty())
            format += '/';
        format += field == 'y' ? "yyyy" : String(1, field);
    }
    settings.ShortDateFormat = format;
}

// A one-byte value of the C library's monetary settings; CHAR_MAX when the locale has none
// (the C locale writes -1 for it).
int SmallInfo(nl_item item, locale_t loc)
{
    const char* value = nl_langinfo_l(item, loc);
    const int small = value != nullptr ? static_cast<signed char>(*value) : -1;
    return small < 0 ? CHAR_MAX : small;
}

// The class library's currency format codes from the C library's description: where the
// symbol stands, whether a blank parts it from the amount, and where a negative sign goes.
void TakeCurrencyFormat(FormatSettings& settings, locale_t loc)
{
    SetIfGiven(settings.CurrencyString, Info(CURRENCY_SYMBOL, loc));
    const int decimals = SmallInfo(FRAC_DIGITS, loc);
    if (decimals != CHAR_MAX)
        settings.CurrencyDecimals = decimals;
    const int precedes = SmallInfo(P_CS_PRECEDES, loc), spaced = SmallInfo(P_SEP_BY_SPACE, loc);
    if (precedes != CHAR_MAX && spaced != CHAR_MAX)
        settings.CurrencyFormat = (precedes != 0 ? 0 : 1) + (spaced != 0 ? 2 : 0);
    const int negPrecedes = SmallInfo(N_CS_PRECEDES, loc), negSpaced = SmallInfo(N_SEP_BY_SPACE, loc);
    const int sign = SmallInfo(N_SIGN_POSN, loc);
    if (negPrecedes == CHAR_MAX || negSpaced == CHAR_MAX || sign > 4)
        return;
    // Rows: symbol first or after, without and with a blank; columns: the sign's place
    // (parentheses, before all, after all, before the symbol, after the symbol).
    static const int codes[4][5] = {{0, 1, 3, 1, 2}, {4, 5, 7, 6, 7}, {14, 9, 11, 9, 12}, {15, 8, 10, 13, 10}};
    settings.NegCurrFormat = codes[(negPrecedes != 0 ? 0 : 1) + (negSpaced != 0 ? 2 : 0)][sign];
}

// The US defaults with what the locale that the environment names offers (LC_ALL, then the
// category's own variable, then LANG); C and POSIX offer nothing that differs.
FormatSettings SystemFormatSettings()
{
    FormatSettings settings;
    settings.MiddleEast = ReadsRightToLeft(EnvironmentLocale("LC_CTYPE"));
    locale_t loc = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK | LC_MONETARY_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return settings;
    static const nl_item longMonths[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                           MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item shortMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                            ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item longDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static const nl_item shortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                         ABDAY_5, ABDAY_6, ABDAY_7};
    // Languages that decline month names name a month on its own in the nominative.
    static const nl_item standaloneMonths[12] = {ALTMON_1, ALTMON_2, ALTMON_3, ALTMON_4,  ALTMON_5,  ALTMON_6,
                                                 ALTMON_7, ALTMON_8, ALTMON_9, ALTMON_10, ALTMON_11, ALTMON_12};
    for (int i = 0; i < 12; ++i) {
        SetIfGiven(settings.LongMonthNames[i], Info(longMonths[i], loc));
        SetIfGiven(settings.ShortMonthNames[i], Info(shortMonths[i], loc));
        settings.StandaloneMonthNames[i] = settings.LongMonthNames[i];
        SetIfGiven(settings.StandaloneMonthNames[i], Info(standaloneMonths[i], loc));
    }
    for (int i = 0; i < 7; ++i) {
        SetIfGiven(settings.LongDayNames[i], Info(longDays[i], loc));
        SetIfGiven(settings.ShortDayNames[i], Info(shortDays[i], loc));
    }
    SetIfGiven(settings.TimeAMString, Info(AM_STR, loc));
    SetIfGiven(settings.TimePMString, Info(PM_STR, loc));
    // The plain C locale writes two-digit years; its date layout is no guide.
    String dateLayout = Info(D_FMT, loc);
    if (dateLayout != "%m/%d/%y")
        TakeDateOrder(settings, dateLayout);
    const std::string timeLocale = EnvironmentLocale("LC_TIME");
    if (timeLocale != "root")
        SetIfGiven(settings.LongDateFormat, LongDateFormatOf(timeLocale));
    SetIfGiven(settings.DecimalSeparator, Info(RADIXCHAR, loc));
    SetIfGiven(settings.ThousandSeparator, Info(THOUSEP, loc));
    TakeCurrencyFormat(settings, loc);
    freelocale(loc);
    return settings;
}

}  // namespace

// Read from the environment on first use: the program starts in the user's locale.
FormatSettings& Locale()
{
    static FormatSettings settings = SystemFormatSettings();
    return settings;
}

void ResetLocaleFromSystem()
{
    Locale() = SystemFormatSettings();
    ResetCollationFromSystem();
}
