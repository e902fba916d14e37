// Window hooks: one window procedure per hooked control (TControlHook) put over the control's own,
// calling the hook components attached to it from the last attached to the first; the list of
// them (THookList) keeps a hidden window for the work that must wait until the current message
// has unwound (installing again on a new window, freeing a hook nobody uses).
#include "components/system/VtHook.h"
#include "rtl/Filer.h"
#include "rtl/TypInfo.h"

#include <algorithm>
#include <vector>

#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"

namespace {
constexpr UINT CM_INSTALLHOOK = 0xB052;  // LParam: the control hook to install again
constexpr UINT CM_RELEASEHOOK = 0xB053;  // LParam: the control hook to free when unused
}  // namespace

class TControlHook : public TObject, public TWindowProcedure {
public:
    explicit TControlHook(TWinControl* control) : FControl(control) {}
    ~TControlHook() override;

    TWinControl* Control() const { return FControl; }
    bool InUse() const { return !FHooks.empty(); }
    // Unused and out of the window's chain (a later procedure may still call ours until then).
    bool Releasable() const { return FHooks.empty() && !FPrevious; }
    void AddHook(TVtWindowHook* hook);
    void RemoveHook(TVtWindowHook* hook);
    void Install();
    void Uninstall();
    void WindowProc(HWND Window, TMessage& Msg) override;

private:
    using HookMethod = void (TVtWindowHook::*)(TMessage&, bool&);
    bool Attached(const TVtWindowHook* hook) const;
    void Notify(HookMethod method, TMessage& Msg, bool& Handled);
    void WindowDestroyed();
    void ReleaseControl();

    TWinControl* FControl;
    WNDPROC FPrevious = nullptr;  // set while our procedure is in the window's chain
    std::vector<TVtWindowHook*> FHooks;
    bool FDestroying = false;
    int FDepth = 0;  // messages of the control being dispatched through us
    bool FFreeWhenDone = false;
};

namespace {

class THookList {
public:
    THookList() : FHandle(AllocateHWnd([this](TMessage& m) { WndProc(m); })) {}
    HWND Handle() const { return FHandle; }
    bool Contains(const TControlHook* hook) const { return std::find(FHooks.begin(), FHooks.end(), hook) != FHooks.end(); }
    void Remove(const TControlHook* hook) { std::erase(FHooks, hook); }
    TControlHook* Obtain(TWinControl* control)
    {
        auto it = std::find_if(FHooks.begin(), FHooks.end(), [control](TControlHook* h) { return h->Control() == control; });
        if (it != FHooks.end())
            return *it;
        FHooks.push_back(new TControlHook(control));
        return FHooks.back();
    }

private:
    void WndProc(TMessage& Message)
    {
        auto* hook = reinterpret_cast<TControlHook*>(Message.LParam);
        if ((Message.Msg != CM_INSTALLHOOK && Message.Msg != CM_RELEASEHOOK) || !Contains(hook))
            return;
        if (Message.Msg == CM_INSTALLHOOK && hook->InUse())
            hook->Install();
        else if (Message.Msg == CM_RELEASEHOOK && hook->Releasable())
            delete hook;
    }

    std::vector<TControlHook*> FHooks;
    HWND FHandle;
};

// Made on first use; it lives until the program ends, as its hidden window must not outlive Qt.
THookList* gHookList = nullptr;

THookList* HookList()
{
    if (!gHookList)
        gHookList = new THookList;
    return gHookList;
}

}  // namespace

HWND GetHookHandle() { return gHookList ? gHookList->Handle() : nullptr; }

// ---------------------------------------------------------------------------------------------
// TControlHook

TControlHook::~TControlHook()
{
    FDestroying = true;
    HookList()->Remove(this);
    for (TVtWindowHook* hook : FHooks)
        hook->FControlHook = nullptr;
}

void TControlHook::AddHook(TVtWindowHook* hook)
{
    if (!Attached(hook))
        FHooks.push_back(hook);
    hook->FControlHook = this;
    Install();
}

void TControlHook::RemoveHook(TVtWindowHook* hook)
{
    hook->FControlHook = nullptr;
    std::erase(FHooks, hook);
    if (FHooks.empty())
        Uninstall();
}

bool TControlHook::Attached(const TVtWindowHook* hook) const
{
    return std::find(FHooks.begin(), FHooks.end(), hook) != FHooks.end();
}

void TControlHook::Install()
{
    if (!FControl || FDestroying)
        return;
    const auto state = FControl->ComponentState();
    if (state.Contains(csDesigning) || state.Contains(csDestroying))
        return;
    HWND window = FControl->Handle();
    if (!FPrevious)
        FPrevious = SetWindowProc(window, this);
}

// Another procedure put over ours later stays where it is, and as it still passes messages on
// to ours, ours stays in the chain passing them on to the one it replaced (installing again then
// only resumes; putting ours over the later one would make a loop).
void TControlHook::Uninstall()
{
    if (FPrevious && FControl->HandleAllocated() && GetWindowProc(FControl->Handle()) == this) {
        SetWindowProc(FControl->Handle(), FPrevious);
        FPrevious = nullptr;
    }
}

void TControlHook::WindowProc(HWND Window, TMessage& Msg)
{
    // A handler may free the control; the hook itself is then freed once the message unwinds.
    struct Dispatching {
        TControlHook* hook;
        explicit Dispatching(TControlHook* h) : hook(h) { ++hook->FDepth; }
        ~Dispatching()
        {
            if (--hook->FDepth == 0 && hook->FFreeWhenDone)
                delete hook;
        }
    } dispatching(this);

    bool handled = false;
    if (Msg.Msg != WM_QUIT)
        Notify(&TVtWindowHook::DoBeforeMessage, Msg, handled);
    if (!handled || Msg.Msg == WM_DESTROY) {
        CallWindowProc(FPrevious ? FPrevious : vt::ControlWindowProc(), Window, Msg);
        handled = false;
        Notify(&TVtWindowHook::DoAfterMessage, Msg, handled);
    }
    if (Msg.Msg == WM_DESTROY)
        WindowDestroyed();
}

// From the last attached to the first, stopping at the first that handles the message; a hook
// removed by an earlier handler is skipped.
void TControlHook::Notify(HookMethod method, TMessage& Msg, bool& Handled)
{
    const std::vector<TVtWindowHook*> hooks = FHooks;
    for (auto it = hooks.rbegin(); it != hooks.rend() && !Handled; ++it)
        if (Attached(*it))
            ((*it)->*method)(Msg, Handled);
}

// The window and its chain are gone: a recreated window gets the procedure again once this
// message has unwound; when the control itself is going, its hooks let go of it.
void TControlHook::WindowDestroyed()
{
    Uninstall();
    FPrevious = nullptr;
    if (FControl->ComponentState().Contains(csDestroying))
        ReleaseControl();
    else if (!FDestroying)
        PostMessage(HookList()->Handle(), InUse() ? CM_INSTALLHOOK : CM_RELEASEHOOK, 0, reinterpret_cast<LPARAM>(this));
}

void TControlHook::ReleaseControl()
{
    for (TVtWindowHook* hook : FHooks) {
        FControl->RemoveFreeNotification(hook);
        hook->FControl = nullptr;
        hook->FControlHook = nullptr;
    }
    FHooks.clear();
    HookList()->Remove(this);
    FControl = nullptr;
    FFreeWhenDone = true;
}

// ---------------------------------------------------------------------------------------------
// TVtWindowHook

TVtWindowHook::TVtWindowHook(TComponent* AOwner) : TComponent(AOwner) {}

TVtWindowHook::~TVtWindowHook()
{
    Destroying();
    BeforeMessage = nullptr;
    AfterMessage = nullptr;
    SetWinControl(nullptr);
}

void TVtWindowHook::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    if (Value)
        HookControl();
    else
        UnhookControl();
}

void TVtWindowHook::SetWinControl(TWinControl* Value)
{
    if (Value == FControl)
        return;
    if (FControl)
        FControl->RemoveFreeNotification(this);
    Detach();
    FControl = Value;
    if (FControl)
        FControl->FreeNotification(this);
    if (FActive)
        HookControl();
}

bool TVtWindowHook::IsForm() const
{
    return FControl && FControl == Owner() && dynamic_cast<TCustomForm*>(FControl);
}

void TVtWindowHook::SetIsForm(bool Value)
{
    if (!Value)
        return;
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
        SetWinControl(form);
}

// Written only when it differs from the ancestor's.
void TVtWindowHook::DefineProperties(TFiler* Filer)
{
    TComponent::DefineProperties(Filer);
    auto* ancestor = dynamic_cast<TVtWindowHook*>(Filer->Ancestor());
    Filer->DefineProperty(
        "IsForm", [this](TReader* r) { SetIsForm(r->ReadBoolean()); }, [this](TWriter* w) { w->WriteBoolean(IsForm()); },
        IsForm() != (ancestor && ancestor->IsForm()));
}

void TVtWindowHook::HookControl()
{
    if (FControl && !ComponentState().Contains(csDestroying))
        HookList()->Obtain(FControl)->AddHook(this);
    FActive = true;
}

void TVtWindowHook::UnhookControl()
{
    if (FControlHook)
        FControlHook->RemoveHook(this);
    FActive = false;
}

// Leaves the control hook; one that nobody uses any more is freed on a later turn of the loop.
void TVtWindowHook::Detach()
{
    TControlHook* hook = FControlHook;
    if (!hook)
        return;
    hook->RemoveHook(this);
    if (!hook->InUse())
        PostMessage(HookList()->Handle(), CM_RELEASEHOOK, 0, reinterpret_cast<LPARAM>(hook));
}

void TVtWindowHook::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl)
        SetWinControl(nullptr);
}

void TVtWindowHook::DoBeforeMessage(TMessage& Msg, bool& Handled)
{
    if (BeforeMessage)
        BeforeMessage(this, Msg, Handled);
}

void TVtWindowHook::DoAfterMessage(TMessage& Msg, bool& Handled)
{
    if (AfterMessage)
        AfterMessage(this, Msg, Handled);
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TVtWindowHook, TComponent> kVtWindowHook{
    "TVtWindowHook",
    {
        vt::Published("Active", &TVtWindowHook::Active, &TVtWindowHook::SetActive),
        vt::Published("WinControl", &TVtWindowHook::WinControl, &TVtWindowHook::SetWinControl),
    }};
}  // namespace
