// Windows of this user's other running programs. Every program answers for its own forms on a
// local socket in a per-user folder, so one copy can find another's window and bring it forward.
#pragma once

#include <cstdint>

#include "rtl/StrUtils.h"

// A form of another running program: the socket that program answers on and the form there.
struct TForeignWindow {
    String Server;
    std::uint64_t Id = 0;
    explicit operator bool() const { return Id != 0; }
};

namespace vt {
// Starts answering for this program's forms; the application does it when it starts.
void ListenForOtherInstances();
// The first form of another running program of this user whose class is ClassName and whose
// caption is Title, either compared without regard to letter case; an empty one matches any,
// both empty match nothing.
TForeignWindow FindForeignWindow(const String& ClassName, const String& Title);
}  // namespace vt

bool IsIconic(const TForeignWindow& Window);
bool IsWindowVisible(const TForeignWindow& Window);
bool IsWindowEnabled(const TForeignWindow& Window);
bool ShowWindow(const TForeignWindow& Window, int CmdShow);
bool SetForegroundWindow(const TForeignWindow& Window);
// The window at the end of the owner chain: every form belongs to its program's application,
// whose window is the main form.
TForeignWindow GetRootOwner(const TForeignWindow& Window);
// The program's form that was active last (a dialog above Window, say), else Window itself.
TForeignWindow GetLastActivePopup(const TForeignWindow& Window);
