// The locale settings: US defaults, a refresh from the plain C locale that keeps them, and date
// separators of locales that write them with more than one byte.
#include "rtl/Locale.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "rtl/DateTime.h"

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
        EXPECT_EQ(Locale().DateSeparator, '/') << name;
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
