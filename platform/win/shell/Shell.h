// The shell stand-in: WinExec starts a command line without waiting for it. "explorer <address>"
// opens the address in the desktop's browser (xdg-open); tests record the commands instead. The
// command line is split into words the way Windows splits it, so quoted paths stay whole.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"
#include "rtl/WinTypes.h"  // SW_HIDE, SW_SHOWNORMAL, ERROR_FILE_NOT_FOUND (a failure result)

UINT WinExec(const char* CmdLine, UINT CmdShow);

namespace vt {
// The words of a command line as the Windows command line splits them: blanks separate words,
// double quotes group (the quotes themselves dropped), 2n backslashes before a quote give n
// backslashes and the quote groups, 2n+1 give n backslashes and a literal quote; other
// backslashes are literal. The program (first word) ends at its closing quote or a blank.
std::vector<String> CommandLineToArgs(const String& commandLine);
// While set, WinExec appends each command line here and starts nothing; nullptr ends recording.
void RecordWinExecForTests(std::vector<String>* commands);
}  // namespace vt
