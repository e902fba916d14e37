// The registry classes over the file-backed key store: what one registry object writes another
// reads back, whatever the letter case; typed values, the default value, access refusals, the
// key tree, and the ini-style interface of TRegIniFile.
#include "rtl/Registry.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>

namespace {

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("registry-test-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        file = (folder / "registry.ini").string();
        vt::SetRegistryFileForTests(file);
    }
    void TearDown() override {
        vt::SetRegistryFileForTests("");
        std::filesystem::remove_all(folder);
    }

    static std::vector<String> Lines(TStrings& strings) {
        std::vector<String> lines;
        for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings.Strings(i));
        return lines;
    }

    std::filesystem::path folder;
    String file;
};

TEST_F(RegistryTest, KeysAndValueNamesMatchWithoutRegardToLetterCase) {
    {
        TRegistry writer;
        writer.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(writer.OpenKey("Software\\Vantrel\\Settings", true));
        writer.WriteString("Colour", "blue");
    }
    TRegistry reader;
    reader.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reader.KeyExists("\\SOFTWARE\\vantrel"));
    ASSERT_TRUE(reader.OpenKey("software\\VANTREL\\settings", false));
    EXPECT_TRUE(reader.ValueExists("COLOUR"));
    EXPECT_EQ(reader.ReadString("colour"), "blue");
    reader.WriteString("COLOUR", "red");  // overwrites, does not add a second value
    TStringList names;
    reader.GetValueNames(&names);
    EXPECT_EQ(Lines(names), std::vector<String>{"Colour"});
    EXPECT_EQ(reader.ReadString("Colour"), "red");
}

TEST_F(RegistryTest, TypedValuesPersistAcrossRegistryObjects) {
    const std::vector<String> texts = {"", "plain", "with \"quotes\" and \\back\\slashes\\",
                                       "two\r\nlines", "[not a section]", "@=x", "dword:00000001"};
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey("Software\\Test", true));
        for (std::size_t i = 0; i < texts.size(); ++i) writer.WriteString("Text" + IntToStr(i), texts[i]);
        writer.WriteInteger("Count", -42);
    }
    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey("Software\\Test", false));
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(reader.ReadString("Text" + IntToStr(i)), texts[i]);
    EXPECT_EQ(reader.ReadInteger("Count"), -42);
    EXPECT_EQ(reader.GetDataType("Count"), rdInteger);
    EXPECT_EQ(reader.ReadString("Missing"), "");
}

TEST_F(RegistryTest, ReadingTheWrongTypeOrAMissingNumberRaises) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Test", true));
    registry.WriteString("Name", "text");
    registry.WriteInteger("Number", 7);
    const std::pair<std::function<void()>, String> cases[] = {
        {[&] { registry.ReadInteger("Name"); }, "Invalid data type for 'Name'"},
        {[&] { registry.ReadString("Number"); }, "Invalid data type for 'Number'"},
        {[&] { registry.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
    };
    for (const auto& [read, message] : cases) {
        try {
            read();
            ADD_FAILURE() << "no exception, expected: " << message;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

TEST_F(RegistryTest, DefaultValueIsTheEmptyName) {
    {
        TRegistry writer;
        writer.SetRootKey(HKEY_CLASSES_ROOT);
        ASSERT_TRUE(writer.OpenKey("Access.Application.10\\shell\\Open\\command", true));
        writer.WriteString("", "\"/opt/reports/host\" /open");
    }
    TRegistry reader(KEY_READ);
    reader.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reader.OpenKey("Access.Application.10\\shell\\Open\\command", false));
    EXPECT_EQ(reader.ReadString(""), "\"/opt/reports/host\" /open");
}

TEST_F(RegistryTest, OpeningAMissingKeyWithoutCreatingFailsAndLeavesItMissing) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(registry.OpenKey("Access.Application.10\\shell\\Open\\command", false));
    EXPECT_EQ(registry.LastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(registry.KeyExists("Access.Application.10"));
    EXPECT_EQ(registry.CurrentPath(), "");
}

TEST_F(RegistryTest, AKeyCanRefuseFullAccessButOpenForReading) {
    const String path = "SOFTWARE\\Guarded";
    {
        TRegistry setup;
        setup.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(setup.OpenKey(path, true));
    }
    vt::SetRegistryKeyAccessForTests("hkey_local_machine\\software\\guarded", KEY_READ);

    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.OpenKey(path, false));
    EXPECT_EQ(registry.LastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(registry.OpenKeyReadOnly(path));
    EXPECT_EQ(registry.Access(), KEY_READ);
    EXPECT_THROW(registry.WriteString("Name", "x"), ERegistryException);
    EXPECT_FALSE(registry.DeleteValue("Name"));

    vt::SetRegistryKeyAccessForTests("HKEY_LOCAL_MACHINE\\SOFTWARE\\Guarded", KEY_ALL_ACCESS);
    TRegistry lifted;
    lifted.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(lifted.OpenKey(path, false));
}

TEST_F(RegistryTest, KeysOpenRelativeToTheOpenKeyOrFromTheRoot) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\A", true));
    ASSERT_TRUE(registry.OpenKey("B", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\A\\B");
    ASSERT_TRUE(registry.OpenKey("\\Software\\C", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\C");
    registry.CloseKey();
    EXPECT_TRUE(registry.KeyExists("Software\\A\\B"));
}

TEST_F(RegistryTest, KeyNamesListChildrenOnceAndDeleteKeyTakesTheSubtree) {
    TRegistry registry;
    for (const char* key : {"\\Software\\Tree\\One\\Deep", "\\Software\\Tree\\Two", "\\Software\\Tree\\one"})
        ASSERT_TRUE(registry.OpenKey(key, true));
    ASSERT_TRUE(registry.OpenKey("\\Software\\Tree", false));
    TStringList names;
    registry.GetKeyNames(&names);
    EXPECT_EQ(Lines(names), (std::vector<String>{"One", "Two"}));

    EXPECT_TRUE(registry.DeleteKey("ONE"));
    EXPECT_FALSE(registry.KeyExists("One\\Deep"));
    EXPECT_FALSE(registry.DeleteKey("One"));
    registry.GetKeyNames(&names);
    EXPECT_EQ(Lines(names), std::vector<String>{"Two"});
}

TEST_F(RegistryTest, ADamagedFileRaisesInsteadOfReadingAsEmpty) {
    std::ofstream(file) << "[HKEY_CURRENT_USER\\Software]\nnot a value line\n";
    TRegistry registry;
    try {
        registry.OpenKey("Software", false);
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "The registry file " + file + " is damaged at line 2");
    }
}

TEST_F(RegistryTest, AKeyNameWithALineBreakIsRefusedAndTheStoreStaysReadable) {
    TRegistry registry;
    try {
        registry.OpenKey("Software\\Line\nBreak", true);
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to create key HKEY_CURRENT_USER\\Software\\Line\nBreak");
    }
    ASSERT_TRUE(registry.OpenKey("Software\\Vantrel", true));
    registry.WriteString("Name\nwith a break", "value\r\non two lines");
    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey("Software\\Vantrel", false));
    EXPECT_EQ(reader.ReadString("Name\nwith a break"), "value\r\non two lines");
}

TEST_F(RegistryTest, StoreFileDefaultsToTheUserConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const String savedValue = saved != nullptr ? saved : "";
    vt::SetRegistryFileForTests("");
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(vt::RegistryFile(), folder.string() + "/vantrel/registry.ini");
    if (saved != nullptr)
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RegistryTest, RegIniFileReadsAndWritesSectionsBelowItsKey) {
    TRegIniFile ini("Software\\Vantrel\\Layout");
    ini.WriteString("Grid", "Columns", "3");
    ini.WriteInteger("Grid", "Width", 120);
    ini.WriteBool("Grid", "Visible", true);
    ini.WriteString("Form", "Caption", "Main");
    EXPECT_EQ(ini.CurrentPath(), "Software\\Vantrel\\Layout");  // sections never move the key

    TRegIniFile reader("software\\vantrel\\layout", KEY_READ);
    EXPECT_EQ(reader.ReadString("GRID", "columns", "-"), "3");
    EXPECT_EQ(reader.ReadInteger("Grid", "Width", 0), 120);
    EXPECT_EQ(reader.ReadInteger("Grid", "Columns", 0), 3);
    EXPECT_TRUE(reader.ReadBool("Grid", "Visible", false));
    EXPECT_EQ(reader.ReadString("Grid", "Missing", "fallback"), "fallback");
    EXPECT_EQ(reader.ReadInteger("Form", "Caption", -1), -1);  // text that is no number
    EXPECT_EQ(reader.ReadInteger("NoSection", "Width", 9), 9);

    TStringList lines;
    reader.ReadSections(&lines);
    EXPECT_EQ(Lines(lines), (std::vector<String>{"Grid", "Form"}));
    reader.ReadSection("Grid", &lines);
    EXPECT_EQ(Lines(lines), (std::vector<String>{"Columns", "Width", "Visible"}));
    EXPECT_THROW(reader.WriteString("Grid", "Width", "1"), ERegistryException);

    ini.DeleteKey("Grid", "Width");
    ini.EraseSection("Form");
    ini.ReadSections(&lines);
    EXPECT_EQ(Lines(lines), std::vector<String>{"Grid"});
    ini.ReadSection("Grid", &lines);
    EXPECT_EQ(Lines(lines), (std::vector<String>{"Columns", "Visible"}));
}

}  // namespace
