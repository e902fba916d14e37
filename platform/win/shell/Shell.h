// The shell stand-in: WinExec starts a command line without waiting for it. "explorer <address>"
// opens the address in the desktop's browser (xdg-open); tests record the commands instead.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

using UINT = unsigned int;

constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOWNORMAL = 1;
// WinExec's failure results (success is any value above 31).
constexpr UINT ERROR_FILE_NOT_FOUND = 2;

UINT WinExec(const char* CmdLine, UINT CmdShow);

namespace vt {
// While set, WinExec appends each command line here and starts nothing; nullptr ends recording.
void RecordWinExecForTests(std::vector<String>* commands);
}  // namespace vt
