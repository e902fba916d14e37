// The basic action's handlers and its change subscriptions.
#include "rtl/BasicAction.h"

#include <algorithm>

TBasicAction::~TBasicAction() = default;

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(const void* client, std::function<void()> changed)
{
    UnRegisterChanges(client);
    FClients.emplace_back(client, std::move(changed));
}

void TBasicAction::UnRegisterChanges(const void* client)
{
    std::erase_if(FClients, [client](const auto& c) { return c.first == client; });
}

void TBasicAction::Changed()
{
    const auto clients = FClients;  // a client may unsubscribe while it is told
    for (const auto& c : clients)
        c.second();
}
