// The main-window hook chain for setting changes.
#include "ui/kernel/SettingChange.h"

#include <map>
#include <vector>

namespace vt {
namespace {

struct HookChain {
    std::map<int, TWindowHook> hooks;  // ids grow, so the map keeps installation order
    int nextId = 1;
    bool updateFormatSettings = true;
};

HookChain& Chain()
{
    static HookChain chain;
    return chain;
}

} // namespace

int HookMainWindow(TWindowHook Hook)
{
    const int id = Chain().nextId++;
    Chain().hooks.emplace(id, std::move(Hook));
    return id;
}

void UnhookMainWindow(int Id) { Chain().hooks.erase(Id); }

void HeldMainWindowHook::Install(TWindowHook Hook)
{
    if (!Installed())
        FId = HookMainWindow(std::move(Hook));
}

void HeldMainWindowHook::Remove()
{
    if (Installed())
        UnhookMainWindow(FId);
    FId = 0;
}

void NotifySettingChange()
{
    TMessage message{WM_SETTINGCHANGE, 0, 0, 0};
    // A hook may unhook itself or others while it runs: walk a copy of the ids.
    std::vector<int> ids;
    for (const auto& entry : Chain().hooks)
        ids.push_back(entry.first);
    for (int id : ids) {
        auto it = Chain().hooks.find(id);
        if (it != Chain().hooks.end() && it->second(message))
            return;
    }
}

bool UpdateFormatSettings() { return Chain().updateFormatSettings; }
void SetUpdateFormatSettings(bool Value) { Chain().updateFormatSettings = Value; }

} // namespace vt
