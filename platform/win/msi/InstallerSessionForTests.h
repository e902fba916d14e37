// The test side of the installer stand-ins: a test opens an installer session that accepts or
// refuses run modes, hands its handle to a custom action, then reads back what the action did
// and which handles and buffers it left open.
#pragma once

#include "win/msi/WinInstaller.h"

#include <string>
#include <vector>

namespace vt {

struct InstallerSessionSettings {
    UINT SetModeResult = ERROR_SUCCESS;  // what MsiSetMode returns; non-zero refuses the mode
    DWORD LastErrorWhenRefused = ERROR_SUCCESS;  // left as the last error by a refusal
};

struct RunModeSet {
    MSIRUNMODE RunMode;
    BOOL State;
};

struct ProcessedMessage {
    INSTALLMESSAGE Type;
    std::vector<std::string> Fields;  // Fields[0] is the format field, then fields 1..n
};

struct OpenHandleCounts {
    int Records = 0;
    int RegistryKeys = 0;
    int LocalBuffers = 0;
};

MSIHANDLE OpenInstallerSessionForTests(const InstallerSessionSettings& settings);
void CloseInstallerSessionForTests(MSIHANDLE session);
std::vector<RunModeSet> RunModesSetForTests(MSIHANDLE session);  // accepted ones, in order
std::vector<ProcessedMessage> MessagesProcessedForTests(MSIHANDLE session);
OpenHandleCounts OpenHandlesForTests();

}  // namespace vt
