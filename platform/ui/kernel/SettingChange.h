// Hooks on the application's main window for system setting changes. Linux sends no message when
// the locale's formats change, so whoever changes them raises it with NotifySettingChange.
#pragma once

#include <functional>

#include "ui/kernel/Messages.h"

namespace vt {

// Returns true when the hook handled the message (the remaining hooks then do not see it).
using TWindowHook = std::function<bool(TMessage& Message)>;

// Returns an id for UnhookMainWindow.
int HookMainWindow(TWindowHook Hook);
void UnhookMainWindow(int Id);

// A control's hook: installed once, removed by Remove or when the holder goes.
class HeldMainWindowHook {
public:
    HeldMainWindowHook() = default;
    ~HeldMainWindowHook() { Remove(); }
    HeldMainWindowHook(const HeldMainWindowHook&) = delete;
    HeldMainWindowHook& operator=(const HeldMainWindowHook&) = delete;

    bool Installed() const { return FId != 0; }
    void Install(TWindowHook Hook);
    void Remove();

private:
    int FId = 0;
};

// Sends WM_SETTINGCHANGE to the hooks, in the order they were installed.
void NotifySettingChange();

// Whether controls re-read the locale's formats on a setting change (on by default).
bool UpdateFormatSettings();
void SetUpdateFormatSettings(bool Value);

} // namespace vt
