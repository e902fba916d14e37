// The locale settings: US defaults, a refresh from the plain C locale that keeps them, date
// separators of locales that write them with more than one byte, and the numbers, money, dates
// and name order of the suite's locales.
#include "rtl/Locale.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "tests/fixtures/UnderLocale.h"

TEST(Locale, RefreshFromCLocaleRestoresUsDefaults)
{
    ::setenv("LC_ALL", "C", 1);
    Locale().ShortDateFormat = "yyyy-MM-dd";
    Locale().DecimalSeparator = ',';
    Locale().LongMonthNames[0] = "Januar";
    ResetLocaleFromSystem();
    const FormatSettings& fs = Locale();
    EXPECT_EQ(fs.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(fs.DateSeparator, "/");
    EXPECT_EQ(fs.TimeSeparator, ":");
    EXPECT_EQ(fs.DecimalSeparator, ".");
    EXPECT_EQ(fs.ThousandSeparator, ",");
    EXPECT_EQ(fs.CurrencyString, "$");
    EXPECT_EQ(fs.CurrencyDecimals, 2);
    EXPECT_EQ(fs.LongMonthNames[0], "January");
    EXPECT_EQ(fs.ShortDayNames[0], "Sun");
    EXPECT_EQ(fs.TimeAMString, "AM");
}

namespace {

// Compiles the UTF-8 form of a locale into folder; false when this machine cannot make it.
bool MakeLocale(const std::filesystem::path& folder, const String& name)
{
    const std::filesystem::path made = folder / (name + ".UTF-8");
    const String command = "localedef -i " + name + " -f UTF-8 '" + made.string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) >= 0 && std::filesystem::exists(made / "LC_TIME");
}

}  // namespace

TEST(Locale, ASeparatorOfSeveralBytesGivesWayToASlashThatDatesWriteAndReadBack)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("vt_locales_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ::setenv("LOCPATH", folder.c_str(), 1);
    for (const char* name : {"ja_JP", "ko_KR"}) {  // "%Y年%m月%d日", "%Y년 %m월 %d일"
        if (!MakeLocale(folder, name)) {
            std::filesystem::remove_all(folder);
            GTEST_SKIP() << "localedef cannot make " << name << ".UTF-8 on this machine";
        }
        ::setenv("LC_ALL", (String(name) + ".UTF-8").c_str(), 1);
        ResetLocaleFromSystem();
        EXPECT_EQ(Locale().DateSeparator, "/") << name;
        EXPECT_EQ(Locale().ShortDateFormat, "yyyy/M/d") << name;
        const TDateTime date = EncodeDate(2003, 6, 2);
        EXPECT_EQ(DateToStr(date), "2003/6/2") << name;
        EXPECT_EQ(StrToDate("2003/6/2"), date) << name;
    }
    ::unsetenv("LOCPATH");
    ::setenv("LC_ALL", "C", 1);
    ResetLocaleFromSystem();
    std::filesystem::remove_all(folder);
}

TEST(Locale, EachLocaleWritesItsNumbersMoneyAndDatesAndReadsThemBack)
{
    struct Written {
        const char* locale;
        const char* number;    // 1234567.3 with two decimals, grouped
        const char* money;     // the same as currency
        const char* negative;  // -0.1 as currency
        const char* date;      // 9 June 2030
    };
    const Written cases[] = {
        {"en_US.UTF-8", "1,234,567.30", "$1,234,567.30", "-$0.10", "6/9/2030"},
        {"de_DE.UTF-8", "1.234.567,30", "1.234.567,30 €", "-0,10 €", "9.6.2030"},
        {"fr_FR.UTF-8", "1\u202F234\u202F567,30", "1\u202F234\u202F567,30 €", "-0,10 €", "9/6/2030"},
        {"ru_RU.UTF-8", "1\u202F234\u202F567,30", "1\u202F234\u202F567,30 ₽", "-0,10 ₽", "9.6.2030"},
    };
    const TDateTime date = EncodeDate(2030, 6, 9);
    for (const Written& c : cases) {
        vt::testing::UnderLocale locale(c.locale);
        EXPECT_EQ(FloatToStrF(1234567.3L, ffNumber, 15, 2), c.number) << c.locale;
        EXPECT_EQ(FloatToStrF(1234567.3L, ffCurrency, 15, 2), c.money) << c.locale;
        EXPECT_EQ(FloatToStrF(-0.1L, ffCurrency, 15, 2), c.negative) << c.locale;
        for (long double value : {74.3L, -0.1L, 1e20L, 1234.5678L})
            EXPECT_EQ(StrToFloat(FloatToStr(value)), value) << c.locale << ": " << FloatToStr(value);
        EXPECT_EQ(DateToStr(date), c.date) << c.locale;
        EXPECT_EQ(StrToDate(c.date), date) << c.locale;
        EXPECT_EQ(StrToDateTime(DateTimeToStr(date + 0.5)), date + 0.5) << c.locale;
    }
}

TEST(Locale, NamesSortAsAPersonOfTheLanguageExpects)
{
    struct Order {
        const char* locale;
        std::vector<String> names;  // in the expected order
    };
    const Order cases[] = {
        {"en_US.UTF-8", {"Åberg", "adams", "Émile", "Eric", "Œuvre", "Ofen", "zola"}},
        {"de_DE.UTF-8", {"Apfel", "Äpfel", "Mueller", "Müller", "Mundt", "Ofen", "Öl", "Zöllner"}},
        {"fr_FR.UTF-8", {"cote", "Coté", "côte", "côté", "Émile", "Éric", "Zola"}},
        {"ru_RU.UTF-8", {"Абрамов", "Елисеев", "ёлкин", "Ёршов", "Жуков", "Яковлев"}},
    };
    for (const Order& c : cases) {
        vt::testing::UnderLocale locale(c.locale);
        std::vector<String> sorted = c.names;
        std::reverse(sorted.begin(), sorted.end());
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const String& a, const String& b) { return AnsiCompareText(a, b) < 0; });
        EXPECT_EQ(sorted, c.names) << c.locale;
    }
    vt::testing::UnderLocale locale("de_DE.UTF-8");
    EXPECT_EQ(AnsiCompareText("MÜLLER", "müller"), 0);
    EXPECT_LT(AnsiCompareStr("müller", "Müller"), 0);
}

// Whether the user's language reads right to left follows LC_ALL, then LC_CTYPE, then LANG.
TEST(Locale, RightToLeftLanguagesAreTheMiddleEast)
{
    const struct {
        const char* variable;
        const char* value;
        bool middleEast;
    } cases[] = {{"LC_ALL", "he_IL.UTF-8", true}, {"LC_ALL", "ar_EG.UTF-8", true}, {"LC_ALL", "fr_FR.UTF-8", false},
                 {"LC_ALL", "C", false},          {"LC_CTYPE", "fa_IR.UTF-8", true}, {"LANG", "ur_PK", true}};
    for (const auto& c : cases) {
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_CTYPE");
        ::unsetenv("LANG");
        ::setenv(c.variable, c.value, 1);
        ResetLocaleFromSystem();
        EXPECT_EQ(Locale().MiddleEast, c.middleEast) << c.variable << "=" << c.value;
    }
    ::unsetenv("LC_CTYPE");
    ::unsetenv("LANG");
    ::setenv("LC_ALL", "C", 1);
    ResetLocaleFromSystem();
}
