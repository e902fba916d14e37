// Stand-ins for the installer, registry and system-error functions. The process keeps one table
// each of open keys, installer sessions, records and the buffers FormatMessageA handed out, so a
// test can tell what a custom action did and what it left open. Meant for one thread, as custom
// actions use them; the last error is the calling thread's, as on Windows.
#include "win/msi/WinInstaller.h"

#include "win/msi/InstallerSessionForTests.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

namespace {

constexpr long ERROR_BADDB = 1009;
constexpr INT IDOK = 1;

thread_local DWORD lastError = ERROR_SUCCESS;

// Handles of keys opened through RegOpenKeyExA lie below the root keys' numbers.
struct OpenKey {
    HKEY root;
    String path;  // below the root
};
std::map<HKEY, OpenKey> openKeys;
HKEY nextKeyHandle = 0x1000;

struct Session {
    vt::InstallerSessionSettings settings;
    std::vector<vt::RunModeSet> runModes;
    std::vector<vt::ProcessedMessage> messages;
};
std::map<MSIHANDLE, Session> sessions;
std::map<MSIHANDLE, std::vector<std::string>> records;  // field 0 to n
MSIHANDLE nextInstallerHandle = 1;

std::set<void*> localBuffers;

const std::map<DWORD, const char*> systemMessages = {
    {0, "The operation completed successfully.\r\n"},
    {1, "Incorrect function.\r\n"},
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {5, "Access is denied.\r\n"},
    {6, "The handle is invalid.\r\n"},
    {8, "Not enough memory resources are available to process this command.\r\n"},
    {87, "The parameter is incorrect.\r\n"},
    {1009, "The configuration registry database is corrupt.\r\n"},
    {1603, "Fatal error during installation.\r\n"},
};

bool IsRootKey(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA; }

bool FindOpenKey(HKEY key, OpenKey& found) {
    if (IsRootKey(key)) {
        found = {key, ""};
        return true;
    }
    auto it = openKeys.find(key);
    if (it == openKeys.end()) return false;
    found = it->second;
    return true;
}

// Copies a text into a buffer of ours that LocalFree releases.
char* LocalCopy(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(std::malloc(size));
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, text, size);
    localBuffers.insert(copy);
    return copy;
}

}  // namespace

extern "C" {

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM samDesired, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    OpenKey parent;
    if (!FindOpenKey(key, parent)) return ERROR_INVALID_HANDLE;
    const String below = subKey != nullptr && *subKey != '\0' ? "\\" + String(subKey) : "";
    TRegistry registry(samDesired);
    registry.SetRootKey(parent.root);
    try {
        if (!registry.OpenKey("\\" + parent.path + below, false)) return registry.LastError();
    } catch (const ERegistryException&) {
        return ERROR_BADDB;  // the store's file could not be read
    }
    *result = nextKeyHandle++;
    openKeys[*result] = {parent.root, registry.CurrentPath()};
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (IsRootKey(key)) return ERROR_SUCCESS;
    return openKeys.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

UINT MsiSetMode(MSIHANDLE install, MSIRUNMODE runMode, BOOL state) {
    auto it = sessions.find(install);
    if (it == sessions.end()) return ERROR_INVALID_HANDLE;
    Session& session = it->second;
    if (session.settings.SetModeResult != ERROR_SUCCESS) {
        SetLastError(session.settings.LastErrorWhenRefused);
        return session.settings.SetModeResult;
    }
    session.runModes.push_back({runMode, state});
    return ERROR_SUCCESS;
}

MSIHANDLE MsiCreateRecord(UINT fields) {
    const MSIHANDLE handle = nextInstallerHandle++;
    records[handle] = std::vector<std::string>(std::size_t{fields} + 1);
    return handle;
}

UINT MsiRecordSetStringA(MSIHANDLE record, UINT field, LPCSTR value) {
    auto it = records.find(record);
    if (it == records.end()) return ERROR_INVALID_HANDLE;
    if (field >= it->second.size()) return ERROR_INVALID_PARAMETER;
    it->second[field] = value != nullptr ? value : "";
    return ERROR_SUCCESS;
}

INT MsiProcessMessage(MSIHANDLE install, INSTALLMESSAGE messageType, MSIHANDLE record) {
    auto session = sessions.find(install);
    auto fields = records.find(record);
    if (session == sessions.end() || fields == records.end()) return -1;
    session->second.messages.push_back({messageType, fields->second});
    return IDOK;
}

UINT MsiCloseHandle(MSIHANDLE handle) {
    return records.erase(handle) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD errorCode) { lastError = errorCode; }

DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, va_list* arguments) {
    const DWORD required = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER;
    if ((flags & required) != required || buffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto message = systemMessages.find(messageId);
    if (message == systemMessages.end()) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    char* text = LocalCopy(message->second);
    if (text == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    *reinterpret_cast<char**>(buffer) = text;
    return static_cast<DWORD>(std::strlen(text));
}

HLOCAL LocalFree(HLOCAL memory) {
    if (memory == nullptr) return nullptr;
    if (localBuffers.erase(memory) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    std::free(memory);
    return nullptr;
}

}  // extern "C"

namespace vt {

MSIHANDLE OpenInstallerSessionForTests(const InstallerSessionSettings& settings) {
    const MSIHANDLE handle = nextInstallerHandle++;
    sessions[handle] = Session{settings, {}, {}};
    return handle;
}

void CloseInstallerSessionForTests(MSIHANDLE session) { sessions.erase(session); }

std::vector<RunModeSet> RunModesSetForTests(MSIHANDLE session) {
    return sessions.at(session).runModes;
}

std::vector<ProcessedMessage> MessagesProcessedForTests(MSIHANDLE session) {
    return sessions.at(session).messages;
}

OpenHandleCounts OpenHandlesForTests() {
    return {static_cast<int>(records.size()), static_cast<int>(openKeys.size()),
            static_cast<int>(localBuffers.size())};
}

}  // namespace vt
