// The timer component: the worker thread's loop, the hidden window's system timer, and the
// rule that a timer ticks only with an Interval, Enabled on and a handler.
#include "components/system/VtTimer.h"
#include "rtl/TypInfo.h"

#include <algorithm>

#include "rtl/Exceptions.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"

namespace {
constexpr UINT kTimerId = 1;
}

// ---------------------------------------------------------------------------------------------
// TTimerThread

TTimerThread::TTimerThread(TVtTimer* Timer) : TThread(true), FOwner(Timer) {}

// The base class would wait too, but only after Execute's object had lost its derived part.
TTimerThread::~TTimerThread()
{
    Terminate();
    Resume();
    WaitFor();
}

bool TTimerThread::Closing() const { return Terminated() || Application->Terminated(); }

// A tick counts only when the sleep ran out with the thread still wanted: not closing, not
// suspended meanwhile, and the owner enabled.
void TTimerThread::Execute()
{
    while (!Terminated()) {
        if (!Closing())
            Sleep(FInterval);
        if (Closing() || Suspended() || !FOwner->Enabled())
            continue;
        Tick();
    }
}

// A tick that fails is reported on the GUI thread, and the timer goes on ticking.
void TTimerThread::Tick()
{
    FInTick = true;
    struct TickEnd {
        std::atomic<bool>& InTick;
        ~TickEnd() { InTick = false; }
    } end{FInTick};
    if (FOwner->SyncEvent()) {
        Synchronize([this] {
            try {
                FOwner->Timer();
            } catch (...) {
                Application->HandleException(this);
            }
        });
        return;
    }
    try {
        FOwner->Timer();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        Queue([failure] { std::rethrow_exception(failure); });
    }
}

// ---------------------------------------------------------------------------------------------
// TVtTimer

TVtTimer::TVtTimer(TComponent* AOwner) : TComponent(AOwner), FTimerThread(new TTimerThread(this)) {}

// The worker ends and is joined before anything of the timer goes: a tick it was running
// finishes first, and none comes after.
TVtTimer::~TVtTimer()
{
    FEnabled = false;
    FDestroying = true;
    SetOnTimer(nullptr);
    delete FTimerThread;
    ReleaseWindow();
}

void TVtTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TVtTimer::SetInterval(unsigned Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TVtTimer::SetThreaded(bool Value)
{
    if (Value == FThreaded)
        return;
    FThreaded = Value;
    UpdateTimer();
}

void TVtTimer::SetThreadPriority(TThreadPriority Value)
{
    if (Value == FThreadPriority)
        return;
    FThreadPriority = Value;
    if (FThreaded)
        UpdateTimer();
}

TNotifyEvent TVtTimer::OnTimer() const
{
    std::lock_guard lock(FHandlerMutex);
    return FOnTimer;
}

void TVtTimer::SetOnTimer(const TNotifyEvent& Value)
{
    bool changed;
    {
        std::lock_guard lock(FHandlerMutex);
        changed = static_cast<bool>(FOnTimer) != static_cast<bool>(Value);
        FOnTimer = Value;
    }
    if (changed && !FDestroying)
        UpdateTimer();
}

// Only one source ticks: the worker, or the hidden window's timer 1.
void TVtTimer::UpdateTimer()
{
    const bool ticking = FInterval != 0 && FEnabled && OnTimer();
    if (FThreaded) {
        ReleaseWindow();
        FTimerThread->Suspend();
        FTimerThread->SetInterval(FInterval);
        if (ticking) {
            ApplyThreadPriority();
            FTimerThread->Resume();
        }
        return;
    }
    FTimerThread->Suspend();
    if (!FWindowHandle)
        FWindowHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    else
        KillTimer(FWindowHandle, kTimerId);
    if (ticking && SetTimer(FWindowHandle, kTimerId, FInterval) == 0)
        throw EOutOfResources("Not enough timers available");
}

// A worker once lowered may not rise again without the right to raise priorities, but a new one
// starts at the program's own: the worker is replaced (outside a tick, which it would wait for)
// when a new one comes nearer to the priority asked.
void TVtTimer::ApplyThreadPriority()
{
    FTimerThread->SetPriority(FThreadPriority);
    const TThreadPriority reachable = std::min(FThreadPriority, tpNormal);
    if (FTimerThread->Priority() >= reachable || FTimerThread->InTick() || OnWorker())
        return;
    delete FTimerThread;
    FTimerThread = new TTimerThread(this);
    FTimerThread->SetInterval(FInterval);
    FTimerThread->SetPriority(FThreadPriority);
}

void TVtTimer::ReleaseWindow()
{
    if (!FWindowHandle)
        return;
    KillTimer(FWindowHandle, kTimerId);
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
}

void TVtTimer::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER)
        return;
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TVtTimer::Timer()
{
    if (!FEnabled || FDestroying)
        return;
    if (const TNotifyEvent handler = OnTimer())
        handler(this);
}

bool TVtTimer::OnWorker() const { return std::this_thread::get_id() == FTimerThread->ThreadID(); }

void TVtTimer::Synchronize(const std::function<void()>& Method)
{
    if (OnWorker())
        FTimerThread->SynchronizeCall(Method);
    else
        Method();
}

void TVtTimer::Queue(const std::function<void()>& Method)
{
    if (OnWorker())
        FTimerThread->QueueCall(Method);
    else
        Method();
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TThreadPriority> kThreadPriority{
    "TThreadPriority", {"tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical"}};
const vt::ClassRegistration<TVtTimer, TComponent> kVtTimer{
    "TVtTimer",
    {
        vt::Published("Enabled", &TVtTimer::Enabled, &TVtTimer::SetEnabled),
        vt::Published("Interval", &TVtTimer::Interval, &TVtTimer::SetInterval),
        vt::Published("SyncEvent", &TVtTimer::SyncEvent, &TVtTimer::SetSyncEvent),
        vt::Published("Threaded", &TVtTimer::Threaded, &TVtTimer::SetThreaded),
        vt::Published("ThreadPriority", &TVtTimer::ThreadPriority, &TVtTimer::SetThreadPriority),
    }};
}  // namespace
