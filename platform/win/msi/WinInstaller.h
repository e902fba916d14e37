// Stand-ins for the installer, registry and system-error functions an installer custom action
// calls, with their Windows types and constants. Registry keys open over the platform's key
// store; installer sessions are the ones a test sets up (InstallerSessionForTests.h).
#pragma once

#include "rtl/Registry.h"  // HKEY, the root keys, the access masks; the Windows types and error codes

#include <cstdarg>
#include <cstdint>

using REGSAM = DWORD;
using MSIHANDLE = unsigned long;
using LPCVOID = const void*;
using HLOCAL = void*;
using PHKEY = HKEY*;


constexpr long ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr long ERROR_INVALID_PARAMETER = 87;
constexpr long ERROR_MR_MID_NOT_FOUND = 317;
constexpr long ERROR_INSTALL_FAILURE = 1603;

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
constexpr DWORD LANG_USER_DEFAULT = 0x400;

enum MSIRUNMODE { MSIRUNMODE_REBOOTATEND = 6 };
enum INSTALLMESSAGE : unsigned { INSTALLMESSAGE_ERROR = 0x01000000 };

extern "C" {

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM samDesired, PHKEY result);
LONG RegCloseKey(HKEY key);

UINT MsiSetMode(MSIHANDLE install, MSIRUNMODE runMode, BOOL state);
MSIHANDLE MsiCreateRecord(UINT fields);  // fields 0 (the format field) to `fields`
UINT MsiRecordSetStringA(MSIHANDLE record, UINT field, LPCSTR value);
INT MsiProcessMessage(MSIHANDLE install, INSTALLMESSAGE messageType, MSIHANDLE record);
UINT MsiCloseHandle(MSIHANDLE handle);  // closes records; sessions belong to the installer

DWORD GetLastError();
void SetLastError(DWORD errorCode);
// The system's texts into a buffer of its own: FORMAT_MESSAGE_FROM_SYSTEM and
// FORMAT_MESSAGE_ALLOCATE_BUFFER are required, `buffer` is the address of a char* that receives
// the text, to be freed with LocalFree. Returns the text's length, or 0 and sets the last error.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, va_list* arguments);
HLOCAL LocalFree(HLOCAL memory);  // NULL when freed, else the block back and a last error

}  // extern "C"
