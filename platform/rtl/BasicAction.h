// The basic action: a command its clients (buttons, menu items) run. Its OnExecute handler
// carries it out, or else a target that takes it (a control, a data source) does.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "rtl/Classes.h"

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;

    // Whether the action acts on Target; ExecuteTarget acts on it, UpdateTarget sets the
    // action's state from it. The base action takes no target.
    virtual bool HandlesTarget(TObject* Target) { return false; }
    virtual void ExecuteTarget(TObject* Target) {}
    virtual void UpdateTarget(TObject* Target) {}

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // Clients (tool bar buttons, menu items) hear of every change of the action's state.
    void RegisterChanges(const void* client, std::function<void()> changed);
    void UnRegisterChanges(const void* client);

protected:
    void Changed();

private:
    std::vector<std::pair<const void*, std::function<void()>>> FClients;
};
