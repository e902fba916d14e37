// The Windows integer types and the constants that several stand-ins share (message records,
// the shell, the registry and installer functions), defined once with one type each.
#pragma once

#include <cstdint>

using WORD = std::uint16_t;
using DWORD = std::uint32_t;  // 32 bits, as on Windows
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;
using LONG = int;
using INT = int;
using LPSTR = char*;
using LPCSTR = const char*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

// System error codes.
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
