// The installer stand-ins as a custom action relies on them: system texts in buffers that must be
// freed, registry keys that open, refuse or are missing, and installer calls on bad handles.
#include "rtl/Registry.h"
#include "win/msi/InstallerSessionForTests.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

constexpr DWORD SystemTextFlags =
    FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;

DWORD FormatSystemText(DWORD code, char*& text) {
    text = nullptr;
    return FormatMessageA(SystemTextFlags, nullptr, code, LANG_USER_DEFAULT,
                          reinterpret_cast<LPSTR>(&text), 0, nullptr);
}

TEST(FormatMessageA, GivesTheSystemTextInABufferThatLocalFreeReleases) {
    const std::pair<DWORD, std::string> known[] = {
        {0, "The operation completed successfully.\r\n"},
        {2, "The system cannot find the file specified.\r\n"},
        {5, "Access is denied.\r\n"},
        {1603, "Fatal error during installation.\r\n"},
    };
    for (const auto& [code, expected] : known) {
        const int buffersBefore = vt::OpenHandlesForTests().LocalBuffers;
        char* text = nullptr;
        EXPECT_EQ(FormatSystemText(code, text), expected.size());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(vt::OpenHandlesForTests().LocalBuffers, buffersBefore + 1);
        EXPECT_EQ(LocalFree(text), nullptr);
        EXPECT_EQ(vt::OpenHandlesForTests().LocalBuffers, buffersBefore);
    }
}

TEST(FormatMessageA, FailsWithALastErrorAndNoBuffer) {
    const int buffersBefore = vt::OpenHandlesForTests().LocalBuffers;
    char* text = nullptr;
    EXPECT_EQ(FormatSystemText(48879, text), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_EQ(text, nullptr);

    char own[64];
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 5, LANG_USER_DEFAULT, own,
                             sizeof own, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(vt::OpenHandlesForTests().LocalBuffers, buffersBefore);

    int notOurs = 0;
    EXPECT_EQ(LocalFree(&notOurs), &notOurs);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

class RegOpenKeyExA : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("win-installer-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        vt::SetRegistryFileForTests((folder / "registry.ini").string());
        TRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\Present\\Child", true));
        ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Guarded", true));
        vt::SetRegistryKeyAccessForTests("HKEY_LOCAL_MACHINE\\SOFTWARE\\Guarded", KEY_READ);
    }
    void TearDown() override {
        vt::SetRegistryKeyAccessForTests("HKEY_LOCAL_MACHINE\\SOFTWARE\\Guarded", KEY_ALL_ACCESS);
        vt::SetRegistryFileForTests("");
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
};

TEST_F(RegOpenKeyExA, OpensPresentKeysRefusesGuardedOnesAndCountsHandles) {
    const int keysBefore = vt::OpenHandlesForTests().RegistryKeys;
    HKEY key = 0;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Absent", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Guarded", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(vt::OpenHandlesForTests().RegistryKeys, keysBefore);

    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\present", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    HKEY child = 0;
    ASSERT_EQ(::RegOpenKeyExA(key, "CHILD", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(vt::OpenHandlesForTests().RegistryKeys, keysBefore + 2);

    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(::RegOpenKeyExA(key, "Child", 0, KEY_READ, &child), ERROR_INVALID_HANDLE);
    EXPECT_EQ(vt::OpenHandlesForTests().RegistryKeys, keysBefore);
}

TEST(InstallerSession, RefusesAsSetUpAndRejectsBadHandles) {
    const MSIHANDLE session = vt::OpenInstallerSessionForTests({ERROR_INSTALL_FAILURE, 1234});
    SetLastError(0);
    EXPECT_EQ(MsiSetMode(session, MSIRUNMODE_REBOOTATEND, TRUE), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(GetLastError(), 1234u);
    EXPECT_TRUE(vt::RunModesSetForTests(session).empty());

    const MSIHANDLE record = MsiCreateRecord(1);
    EXPECT_EQ(MsiRecordSetStringA(record, 2, "beyond the last field"), static_cast<UINT>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MsiRecordSetStringA(record, 1, "text"), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_EQ(MsiSetMode(record, MSIRUNMODE_REBOOTATEND, TRUE), static_cast<UINT>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(MsiProcessMessage(record, INSTALLMESSAGE_ERROR, session), -1);
    EXPECT_EQ(MsiCloseHandle(session), static_cast<UINT>(ERROR_INVALID_HANDLE));  // the installer's
    EXPECT_EQ(MsiCloseHandle(record), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_EQ(MsiCloseHandle(record), static_cast<UINT>(ERROR_INVALID_HANDLE));
    vt::CloseInstallerSessionForTests(session);
}

}  // namespace
