// Actions and action lists, with the change subscriptions that keep their clients in step, and
// the action tool bar built from an action manager.
#include "ui/controls/ActnList.h"

#include <QWidget>
#include <algorithm>

#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace {

template <class List>
void Unregister(List& clients, const void* client)
{
    std::erase_if(clients, [client](const auto& c) { return c.first == client; });
}

template <class List>
void Notify(const List& clients)
{
    const List copy = clients;  // a client may unsubscribe while it is told
    for (const auto& c : copy)
        c.second();
}

}  // namespace

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* v)
{
    if (FActionList == v)
        return;
    if (FActionList)
        FActionList->RemoveAction(this);
    FActionList = v;
    if (v)
        v->AddAction(this);
}

int TContainedAction::Index() const
{
    if (!FActionList)
        return -1;
    for (int i = 0; i < FActionList->ActionCount(); ++i)
        if (FActionList->Actions(i) == this)
            return i;
    return -1;
}

bool TContainedAction::Execute()
{
    return TBasicAction::Execute() || (Application && Application->DispatchAction(CM_ACTIONEXECUTE, this));
}

bool TContainedAction::Update()
{
    return TBasicAction::Update() || (Application && Application->DispatchAction(CM_ACTIONUPDATE, this));
}

// A disabled action does nothing, as its controls are disabled too.
bool TCustomAction::Execute()
{
    Update();
    if (!FEnabled)
        return false;
    return TContainedAction::Execute();
}

#define VT_ACTION_SETTER(Name, Type, Field) \
    void TCustomAction::Set##Name(Type v)   \
    {                                       \
        if (Field == v)                     \
            return;                         \
        Field = v;                          \
        Changed();                          \
    }
VT_ACTION_SETTER(Caption, const String&, FCaption)
VT_ACTION_SETTER(Hint, const String&, FHint)
VT_ACTION_SETTER(Enabled, bool, FEnabled)
VT_ACTION_SETTER(Visible, bool, FVisible)
VT_ACTION_SETTER(Checked, bool, FChecked)
VT_ACTION_SETTER(ShortCut, TShortCut, FShortCut)
VT_ACTION_SETTER(ImageIndex, int, FImageIndex)
#undef VT_ACTION_SETTER

TCustomActionList::~TCustomActionList()
{
    for (TContainedAction* action : std::vector<TContainedAction*>(FActions))
        action->FActionList = nullptr;
}

void TCustomActionList::AddAction(TContainedAction* action)
{
    FActions.push_back(action);
    Changed();
}

void TCustomActionList::RemoveAction(TContainedAction* action)
{
    std::erase(FActions, action);
    Changed();
}

bool TCustomActionList::IsShortCut(WORD Key, TShiftState Shift)
{
    const TShortCut wanted = ShortCut(Key, Shift);
    for (TContainedAction* a : FActions) {
        auto* action = dynamic_cast<TCustomAction*>(a);
        if (action && action->ShortCut() == wanted && action->Visible() && action->Enabled())
            return action->Execute();
    }
    return false;
}

void TCustomActionList::RegisterChanges(const void* client, std::function<void()> changed)
{
    UnRegisterChanges(client);
    FClients.emplace_back(client, std::move(changed));
}

void TCustomActionList::UnRegisterChanges(const void* client) { Unregister(FClients, client); }

void TCustomActionList::Changed() { Notify(FClients); }

// ---------------------------------------------------------------------------------------------

TActionToolBar::TActionToolBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 150, 26);
    SetColor(clBtnFace);
    Widget()->setAutoFillBackground(true);
}

TActionToolBar::~TActionToolBar()
{
    SetActionManager(nullptr);
}

void TActionToolBar::SetActionManager(TActionManager* v)
{
    if (FManager == v)
        return;
    if (FManager) {
        FManager->UnRegisterChanges(this);
        FManager->RemoveFreeNotification(this);
    }
    FManager = v;
    if (v) {
        v->FreeNotification(this);
        v->RegisterChanges(this, [this] { Rebuild(); });
    }
    Rebuild();
}

void TActionToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == FManager) {
            FManager = nullptr;
            Rebuild();
        }
        auto it = std::find(FFollowed.begin(), FFollowed.end(), AComponent);
        if (it != FFollowed.end())
            FFollowed.erase(it);
    }
    TCustomControl::Notification(AComponent, Operation);
}

void TActionToolBar::Unsubscribe()
{
    for (TCustomAction* action : FFollowed) {
        action->UnRegisterChanges(this);
        action->RemoveFreeNotification(this);
    }
    FFollowed.clear();
}

void TActionToolBar::Rebuild()
{
    Unsubscribe();
    for (TButton* button : FButtons)
        delete button;
    FButtons.clear();
    if (FManager) {
        for (int i = 0; i < FManager->ActionCount(); ++i) {
            auto* action = dynamic_cast<TCustomAction*>(FManager->Actions(i));
            if (!action)
                continue;
            auto* button = new TButton(nullptr);
            button->SetParent(this);
            button->SetTabStop(false);
            button->OnClick = [action](TObject*) { action->Execute(); };
            FButtons.push_back(button);
            Follow(button, action);
        }
    }
    Layout();
}

void TActionToolBar::Follow(TButton* button, TCustomAction* action)
{
    FFollowed.push_back(action);
    action->FreeNotification(this);
    auto update = [this, button, action] {
        button->SetCaption(action->Caption());
        button->SetHint(action->Hint());
        button->SetShowHint(!action->Hint().empty());
        button->SetEnabled(action->Enabled());
        button->SetVisible(action->Visible());
        button->SetName(action->Name());
        Layout();
    };
    action->RegisterChanges(this, update);
    update();
}

// Buttons side by side in action order, each as wide as its caption.
void TActionToolBar::Layout()
{
    int x = 2;
    for (TButton* button : FButtons) {
        if (!button->Visible())
            continue;
        const int width = std::max(40, Canvas()->TextWidth(button->Caption()) + 16);
        button->SetBounds(x, 2, width, std::max(Height() - 4, 0));
        x += width + 2;
    }
}

TButton* TActionToolBar::ButtonOf(TBasicAction* action) const
{
    for (std::size_t i = 0; i < FFollowed.size() && i < FButtons.size(); ++i)
        if (FFollowed[i] == action)
            return FButtons[i];
    return nullptr;
}
