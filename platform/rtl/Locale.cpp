// The process-wide locale settings and their refresh from the system locale. The system is
// asked through a locale object of its own, so the C library's global locale stays "C" and
// the number routines keep their '.' internally.
#include "rtl/Locale.h"

#include <langinfo.h>
#include <locale.h>

FormatSettings& Locale()
{
    static FormatSettings settings;
    return settings;
}

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
// as "%d.%m.%Y", and writes the short date format in the class library's letters. A separator
// of more than one byte ("年") cannot be the one-character DateSeparator: "/" stands in for it.
void TakeDateOrder(FormatSettings& settings, const String& layout)
{
    String order;
    char separator = 0;
    for (std::size_t i = 0; i + 1 < layout.size(); ++i) {
        if (layout[i] != '%') {
            if (separator == 0 && !order.empty())
                separator = static_cast<unsigned char>(layout[i]) < 0x80 ? layout[i] : '/';
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
    if (order.size() != 3 || separator == 0)
        return;
    settings.DateSeparator = separator;
    String format;
    for (char field : order) {
        if (!format.empty())
            format += '/';
        format += field == 'y' ? "yyyy" : String(1, field);
    }
    settings.ShortDateFormat = format;
}

}  // namespace

void ResetLocaleFromSystem()
{
    FormatSettings& settings = Locale();
    settings = FormatSettings();
    locale_t loc = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return;
    static const nl_item longMonths[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                           MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item shortMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                            ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item longDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static const nl_item shortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                         ABDAY_5, ABDAY_6, ABDAY_7};
    for (int i = 0; i < 12; ++i) {
        SetIfGiven(settings.LongMonthNames[i], Info(longMonths[i], loc));
        SetIfGiven(settings.ShortMonthNames[i], Info(shortMonths[i], loc));
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
    String radix = Info(RADIXCHAR, loc);
    if (radix.size() == 1)
        settings.DecimalSeparator = radix[0];
    String thousands = Info(THOUSEP, loc);
    if (thousands.size() == 1)
        settings.ThousandSeparator = thousands[0];
    freelocale(loc);
}
