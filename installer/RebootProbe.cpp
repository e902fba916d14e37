// RebootProbe: the installer custom action that asks for a reboot at the end of the installation
// while the installer has run-once entries of its own waiting for the next start. It reports
// success in every case, so that it never makes an installation fail.
#include "win/msi/WinInstaller.h"

#include <cstdio>

namespace {

constexpr const char* RunOnceEntriesKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries";

// The key counts only when it opens with full access; the handle is closed again at once.
bool RunOnceEntriesPending() {
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunOnceEntriesKey, 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Shows the system's text for `errorCode` as one installer error message.
void ReportError(MSIHANDLE hInstall, DWORD errorCode) {
    const MSIHANDLE record = MsiCreateRecord(1);
    if (record == 0) return;
    char* systemText = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;
    const DWORD length = FormatMessageA(flags, nullptr, errorCode, LANG_USER_DEFAULT,
                                        reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
    char unknownText[32];
    std::snprintf(unknownText, sizeof unknownText, "Unknown error %u", errorCode);
    MsiRecordSetStringA(record, 1, length != 0 ? systemText : unknownText);
    MsiProcessMessage(hInstall, INSTALLMESSAGE_ERROR, record);
    LocalFree(systemText);
    MsiCloseHandle(record);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) unsigned int AccessNeedsReboot(MSIHANDLE hInstall) {
    if (!RunOnceEntriesPending()) return ERROR_SUCCESS;
    if (MsiSetMode(hInstall, MSIRUNMODE_REBOOTATEND, TRUE) != ERROR_SUCCESS)
        ReportError(hInstall, GetLastError());
    return ERROR_SUCCESS;
}
