// A fresh ini file and registry store per test, and the storage kinds as a test parameter, for
// the tests of the layout storage units.
#pragma once

#include "rtl/IniFiles.h"
#include "rtl/Registry.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace vt::testing {

enum class StorageKind { IniFile, Registry };

inline String StorageKindName(const ::testing::TestParamInfo<StorageKind>& info)
{
    return info.param == StorageKind::IniFile ? "IniFile" : "Registry";
}

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        String name = String(test->test_suite_name()) + "_" + test->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        FDir = std::filesystem::temp_directory_path() / ("vt_store_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::remove_all(FDir);
        std::filesystem::create_directories(FDir);
        FIniPath = (FDir / "Layout.ini").string();
        vt::SetRegistryFileForTests((FDir / "registry.ini").string());
    }
    void TearDown() override
    {
        vt::SetRegistryFileForTests("");
        std::filesystem::remove_all(FDir);
    }

    // The ini file's text as a user would see it in an editor.
    String IniText() const
    {
        std::ifstream in(FIniPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteIniText(const String& text) const { std::ofstream(FIniPath, std::ios::binary) << text; }

    // A storage object of the kind: the ini file, or the registry key below the current user.
    std::unique_ptr<TObject> OpenStorage(StorageKind kind) const
    {
        if (kind == StorageKind::IniFile)
            return std::make_unique<TIniFile>(FIniPath);
        return std::make_unique<TRegIniFile>(RegKey());
    }
    String StorageName(StorageKind kind) const { return kind == StorageKind::IniFile ? FIniPath : RegKey(); }
    static String RegKey() { return "Software\\VtTests\\Layout"; }

    std::filesystem::path FDir;
    String FIniPath;
};

class StorageKindTest : public StorageTest, public ::testing::WithParamInterface<StorageKind> {};

}  // namespace vt::testing
