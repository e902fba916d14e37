// TIniFile against files on disk: file order, letter case, quotes, defaults, comments, and
// writes that are visible to a fresh TIniFile at once.
#include "rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "StringsHelper.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FDir = std::filesystem::temp_directory_path() /
               ("vt_ini_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(FDir);
        std::filesystem::create_directories(FDir);
        FPath = (FDir / "Vantrel.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }

    void WriteFile(const String& text) { std::ofstream(FPath, std::ios::binary) << text; }
    String ReadFile() const
    {
        std::ifstream in(FPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path FDir;
    String FPath;
};

}  // namespace

TEST_F(IniFileTest, ReadsFollowProfileRules)
{
    WriteFile("; settings\r\n"
              "[System]\r\n"
              "  FullPath =  \"/data/camp one.mdb\" \r\n"
              "Single='x'\r\n"
              "Inner=a\"b\"\r\n"
              "Half=\"open\r\n"
              "; Hidden=1\r\n"
              "[Grid 3]\r\n"
              "2=80\r\n"
              "0=120\r\n"
              "1=abc\r\n"
              "3= -7\r\n"
              "4=12 \r\n");
    TIniFile ini(FPath);
    EXPECT_EQ(ini.FileName(), FPath);
    EXPECT_EQ(ini.ReadString("SYSTEM", "fullpath", "none"), "/data/camp one.mdb");
    EXPECT_EQ(ini.ReadString("System", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("System", "Inner", ""), "a\"b\"");
    EXPECT_EQ(ini.ReadString("System", "Half", ""), "\"open");
    EXPECT_EQ(ini.ReadString("System", "Hidden", "d"), "d");
    EXPECT_EQ(ini.ReadString("Other", "FullPath", "d"), "d");

    EXPECT_EQ(ini.ReadInteger("grid 3", "2", 0), 80);
    EXPECT_EQ(ini.ReadInteger("Grid 3", "1", 64), 64);   // not a number
    EXPECT_EQ(ini.ReadInteger("Grid 3", "9", 64), 64);   // missing
    EXPECT_EQ(ini.ReadInteger("Grid 3", "3", 0), -7);
    EXPECT_EQ(ini.ReadInteger("Grid 3", "4", 0), 12);    // value blanks are trimmed
    EXPECT_TRUE(ini.ReadBool("Grid 3", "2", false));
    EXPECT_TRUE(ini.ReadBool("Grid 3", "9", true));

    TStringList keys;
    keys.Add("stale");
    ini.ReadSection("GRID 3", &keys);
    EXPECT_EQ(Lines(keys), (std::vector<String>{"2", "0", "1", "3", "4"}));
    ini.ReadSection("Missing", &keys);
    EXPECT_EQ(keys.Count(), 0);
    ini.ReadSections(&keys);
    EXPECT_EQ(Lines(keys), (std::vector<String>{"System", "Grid 3"}));
    EXPECT_TRUE(ini.SectionExists("system"));
    EXPECT_FALSE(ini.SectionExists("Missing"));
    EXPECT_TRUE(ini.ValueExists("System", "SINGLE"));
    EXPECT_FALSE(ini.ValueExists("System", "Hidden"));
}

TEST_F(IniFileTest, MissingFileReadsDefaults)
{
    TIniFile ini((FDir / "absent.ini").string());
    EXPECT_EQ(ini.ReadString("System", "FullPath", "/x.mdb"), "/x.mdb");
    EXPECT_EQ(ini.ReadInteger("System", "Width", 5), 5);
    TStringList keys;
    ini.ReadSections(&keys);
    EXPECT_EQ(keys.Count(), 0);
    ini.EraseSection("System");
    ini.DeleteKey("System", "FullPath");
    EXPECT_FALSE(std::filesystem::exists(FDir / "absent.ini"));
}

TEST_F(IniFileTest, FirstWriteCreatesFileAndSectionVisibleAtOnce)
{
    TIniFile writer(FPath);
    writer.WriteString("System", "FullPath", "/data/camp.mdb");
    EXPECT_EQ(TIniFile(FPath).ReadString("system", "FULLPATH", ""), "/data/camp.mdb");
    writer.WriteInteger("Grid1", "0", 120);
    writer.WriteBool("Grid1", "Visible", true);
    EXPECT_EQ(TIniFile(FPath).ReadInteger("Grid1", "0", 0), 120);
    EXPECT_EQ(ReadFile(), "[System]\nFullPath=/data/camp.mdb\n[Grid1]\n0=120\nVisible=1\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(IniFileTest, WritesKeepTheRestOfTheFile)
{
    WriteFile("; top\n[System]\nFullPath=/old.mdb\n; note\n\n[Grid1]\n0=10\n");
    TIniFile ini(FPath);
    ini.WriteString("SYSTEM", "fullpath", "/new.mdb");  // the existing key keeps its spelling
    ini.WriteString("System", "Added", "1");            // after the section's last line
    ini.WriteString("grid1", "1", "20");
    EXPECT_EQ(ReadFile(),
              "; top\n[System]\nFullPath=/new.mdb\n; note\nAdded=1\n\n[Grid1]\n0=10\n1=20\n");
    ini.DeleteKey("System", "ADDED");
    ini.EraseSection("grid1");
    EXPECT_EQ(ReadFile(), "; top\n[System]\nFullPath=/new.mdb\n; note\n\n");
}

TEST_F(IniFileTest, RewriteKeepsFilePermissions)
{
    WriteFile("[System]\n");
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::owner_write);
    TIniFile(FPath).WriteString("System", "FullPath", "x");
    EXPECT_EQ(std::filesystem::status(FPath).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(IniFileTest, UnwritableFileRaises)
{
    TIniFile ini((FDir / "no-such-dir" / "x.ini").string());
    EXPECT_THROW(ini.WriteString("System", "FullPath", "x"), EIniFileException);
}

// A line break anywhere in a write would split its line, and a name the file cannot give back
// would add a line on every write; both are refused and the file keeps what it had. A value
// escaped by the storage helpers ("\\n" as two characters) reads back as written.
TEST_F(IniFileTest, LineBreaksAndNamesThatWouldNotReadBackAreRefusedAndEscapedTextRoundTrips)
{
    WriteFile("[System]\nFullPath=/old.mdb\n");
    TIniFile ini(FPath);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } refused[] = {{"System", "FullPath", "/a\nOther=1"},
                   {"System", "FullPath", "/a\r"},
                   {"System", "Full\nPath", "x"},
                   {"Sys\r\ntem", "FullPath", "x"},
                   {"System", "a=b", "x"},
                   {"System", "[Draft]", "x"},
                   {"System", ";note", "x"},
                   {"System", " FullPath", "x"},
                   {"Sys]tem", "FullPath", "x"},
                   {" System", "FullPath", "x"},
                   {"", "FullPath", "x"}};
    for (const auto& c : refused)
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException)
            << c.section << " " << c.key << " " << c.value;
    EXPECT_EQ(ReadFile(), "[System]\nFullPath=/old.mdb\n");

    ini.WriteString("System", "Notes", "one\\ntwo\\");
    EXPECT_EQ(TIniFile(FPath).ReadString("System", "Notes", ""), "one\\ntwo\\");
}
