// TThread: a worker thread whose Execute runs beside the GUI thread, with Synchronize to run a
// method on the GUI thread, cooperative suspension, termination and free-on-terminate.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    // A suspended thread starts with Resume (or Start).
    explicit TThread(bool CreateSuspended);
    // Waits for Execute to end (terminating it first) unless the thread frees itself.
    ~TThread() override;

    void Resume();
    void Start() { Resume(); }
    // While suspended a running thread stops at its next Synchronize or Sleep.
    void Suspend();
    bool Suspended() const;
    void SetSuspended(bool v) { v ? Suspend() : Resume(); }
    void Terminate();
    bool Terminated() const;
    // Waits until Execute has returned (running queued Synchronize calls meanwhile on the
    // GUI thread); returns ReturnValue.
    int WaitFor();
    bool Finished() const;
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool v) { FFreeOnTerminate = v; }
    // The priority the thread runs at (before it starts, the one it will ask for).
    TThreadPriority Priority() const { return FPriority; }
    // The thread's scheduling: tpIdle runs it only when the processor has nothing else to do,
    // the others set its nice value (tpLowest 10 ... tpTimeCritical -20). Where the system
    // refuses one (raising a priority, or leaving idle, needs the right to), the thread takes
    // the nearest it may have.
    void SetPriority(TThreadPriority v);
    std::thread::id ThreadID() const;
    int ReturnValue() const { return FReturnValue; }

    // Runs on the GUI thread after Execute has ended.
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Runs Method on the GUI thread and waits for it; exceptions come back to the caller.
    void Synchronize(const std::function<void()>& Method);
    // Hands Method to the GUI thread without waiting for it (on the GUI thread it runs at once);
    // an exception it raises goes to the application's handler.
    void Queue(const std::function<void()>& Method);
    // Sleeps, returning early when terminated; waits while suspended.
    void Sleep(unsigned milliseconds);
    void SetReturnValue(int v) { FReturnValue = v; }

private:
    void Launch();
    void Run();
    void ApplyPriority();
    void WaitWhileSuspended();
    void Finish();
    std::thread FThread;
    std::thread::id FThreadId;
    int FKernelId = 0;  // the system's id of the running thread
    mutable std::mutex FMutex;
    std::condition_variable FWake;
    bool FStarted = false;
    bool FSuspended = true;
    bool FTerminated = false;
    bool FFinished = false;
    bool FFreeOnTerminate = false;
    TThreadPriority FPriority = tpNormal;
    int FReturnValue = 0;
};

namespace vt {
// Runs the calls queued for the GUI thread (Synchronize's); the GUI thread's event loop does
// this by itself while threads are alive.
void CheckSynchronize();
}
