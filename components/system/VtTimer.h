// Unit VtTimer: the timer component TVtTimer, which raises OnTimer from the library's one worker
// thread (TTimerThread) or from a hidden window's system timer. The worker stops and is joined
// before the timer is destroyed, so no tick arrives after that.
#pragma once

#include <atomic>
#include <mutex>

#include "rtl/Classes.h"
#include "ui/kernel/Controls.h"
#include "ui/kernel/Threads.h"

class TVtTimer;

class TTimerThread : public TThread {
public:
    explicit TTimerThread(TVtTimer* Timer);
    // Ends and waits for Execute while this part of the object still stands.
    ~TTimerThread() override;
    void SetInterval(unsigned Value) { FInterval = Value; }
    // Runs Method on the GUI thread and waits for it.
    void SynchronizeCall(const std::function<void()>& Method) { Synchronize(Method); }
    // Hands Method to the GUI thread without waiting.
    void QueueCall(const std::function<void()>& Method) { Queue(Method); }
    // True while a tick runs (on the GUI thread too, while the worker waits for it).
    bool InTick() const { return FInTick; }

protected:
    void Execute() override;

private:
    bool Closing() const;
    void Tick();
    TVtTimer* FOwner;
    std::atomic<unsigned> FInterval{1000};
    std::atomic<bool> FInTick{false};
};

class TVtTimer : public TComponent {
public:
    explicit TVtTimer(TComponent* AOwner);
    ~TVtTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    // OnTimer runs in the GUI thread; off, a threaded timer runs it in the worker.
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool Value) { FSyncEvent = Value; }
    bool Threaded() const { return FThreaded; }
    void SetThreaded(bool Value);
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority Value);
    // The handler; whether one is assigned decides whether the timer ticks at all.
    TNotifyEvent OnTimer() const;
    void SetOnTimer(const TNotifyEvent& Value);

    // Runs Method on the GUI thread: through the worker's synchronisation when called on the
    // worker, else directly.
    void Synchronize(const std::function<void()>& Method);
    // Hands Method to the GUI thread without waiting when called on the worker, else runs it.
    void Queue(const std::function<void()>& Method);

    // Raises OnTimer while Enabled and not being destroyed.
    virtual void Timer();

private:
    void UpdateTimer();
    void ApplyThreadPriority();
    void ReleaseWindow();
    bool OnWorker() const;
    void WndProc(TMessage& Message);
    std::atomic<bool> FEnabled{true};
    std::atomic<unsigned> FInterval{1000};
    std::atomic<bool> FSyncEvent{true};
    std::atomic<bool> FDestroying{false};
    bool FThreaded = true;
    TThreadPriority FThreadPriority = tpNormal;
    mutable std::mutex FHandlerMutex;  // OnTimer is read by the worker
    TNotifyEvent FOnTimer;
    HWND FWindowHandle = nullptr;
    TTimerThread* FTimerThread;
};
