// TThread over std::thread. Calls for the GUI thread (Synchronize, and the end of a thread's
// run) wait in one queue under one mutex, which the GUI thread empties: polled by a timer while
// threads are alive, and directly while it waits for a thread. A worker never touches Qt, so
// everything it hands over passes that mutex.
#include "ui/kernel/Threads.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <exception>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>


#include "ui/forms/Forms.h"

namespace {
bool OnGuiThread()
{
    return !QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread();
}

struct SyncCall {
    std::function<void()> Method;
    std::exception_ptr Failure;
    bool Done = false;
    bool Waited = true;  // a call nobody waits for is freed once it ran
};

struct SyncQueue {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<SyncCall*> Calls;
};

SyncQueue& GuiCalls()
{
    static SyncQueue queue;
    return queue;
}

void Enqueue(SyncCall* call)
{
    {
        std::lock_guard lock(GuiCalls().Mutex);
        GuiCalls().Calls.push_back(call);
    }
    GuiCalls().Changed.notify_all();
}

// Polls the queue on the GUI thread while any thread is alive.
int LiveThreads = 0;
QTimer* Poller = nullptr;

void ThreadStarted()
{
    if (++LiveThreads > 1 || !QCoreApplication::instance())
        return;
    if (!Poller) {
        Poller = new QTimer(QCoreApplication::instance());
        Poller->setInterval(1);
        QObject::connect(Poller, &QTimer::timeout, [] { vt::CheckSynchronize(); });
    }
    Poller->start();
}

void ThreadEnded()
{
    if (--LiveThreads == 0 && Poller)
        Poller->stop();
}
}  // namespace

void vt::CheckSynchronize()
{
    if (!OnGuiThread())
        return;
    while (true) {
        SyncCall* call = nullptr;
        {
            std::lock_guard lock(GuiCalls().Mutex);
            if (GuiCalls().Calls.empty())
                return;
            call = GuiCalls().Calls.front();
            GuiCalls().Calls.pop_front();
        }
        try {
            call->Method();
        } catch (...) {
            call->Failure = std::current_exception();
        }
        if (!call->Waited) {
            delete call;
            continue;
        }
        {
            std::lock_guard lock(GuiCalls().Mutex);
            call->Done = true;
        }
        GuiCalls().Changed.notify_all();
    }
}

TThread::TThread(bool CreateSuspended)
{
    vt::EnsureQtApplication();
    FSuspended = CreateSuspended;
    if (!CreateSuspended)
        Launch();
}

TThread::~TThread()
{
    if (FThread.joinable()) {
        if (FThread.get_id() == std::this_thread::get_id()) {
            FThread.detach();  // freed by itself at the end of Run
            return;
        }
        Terminate();
        Resume();
        WaitFor();
        FThread.join();
    }
}

void TThread::Launch()
{
    FStarted = true;
    ThreadStarted();
    FThread = std::thread([this] { Run(); });
    {
        std::unique_lock lock(FMutex);
        FWake.wait(lock, [this] { return FKernelId != 0; });
    }
    if (FPriority != tpNormal)
        ApplyPriority();
}

void TThread::SetPriority(TThreadPriority v)
{
    if (v == FPriority)
        return;
    FPriority = v;
    if (FStarted && !Finished())
        ApplyPriority();
}

namespace {
const int kNiceOf[] = {19, 10, 5, 0, -5, -10, -20};  // by TThreadPriority

// The priority a nice value gives at most: the highest one whose nice value it does not undercut.
TThreadPriority PriorityOfNice(int nice)
{
    for (int p = tpTimeCritical; p > tpIdle; --p)
        if (nice <= kNiceOf[p])
            return static_cast<TThreadPriority>(p);
    return tpLowest;
}

// The lowest nice value the thread may take without the right to raise priorities: its current
// one, or what the process's nice limit allows.
int LowestNiceAllowed(id_t thread)
{
    const int current = ::getpriority(PRIO_PROCESS, thread);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_NICE, &limit);
    const int byLimit = 20 - static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 40));
    return std::min(current, byLimit);
}
}  // namespace

// Where the system refuses the priority (raising one needs the right to), the thread takes the
// nearest one it may have, and Priority tells which.
void TThread::ApplyPriority()
{
    const auto thread = static_cast<id_t>(FKernelId);
    const sched_param param{};
    const int policy = FPriority == tpIdle ? SCHED_IDLE : SCHED_OTHER;
    if (pthread_setschedparam(FThread.native_handle(), policy, &param) != 0) {
        FPriority = tpIdle;  // only an idle thread is refused a policy: leaving idle needs the right
        return;
    }
    const int wanted = kNiceOf[FPriority];
    if (::setpriority(PRIO_PROCESS, thread, wanted) != 0)
        ::setpriority(PRIO_PROCESS, thread, std::max(wanted, LowestNiceAllowed(thread)));
    if (FPriority != tpIdle)
        FPriority = PriorityOfNice(::getpriority(PRIO_PROCESS, thread));
}

void TThread::Resume()
{
    std::unique_lock lock(FMutex);
    FSuspended = false;
    if (!FStarted) {
        lock.unlock();
        Launch();
        return;
    }
    FWake.notify_all();
}

void TThread::Suspend()
{
    std::lock_guard lock(FMutex);
    FSuspended = true;
}

bool TThread::Suspended() const
{
    std::lock_guard lock(FMutex);
    return FSuspended;
}

void TThread::Terminate()
{
    std::lock_guard lock(FMutex);
    FTerminated = true;
    FWake.notify_all();
}

bool TThread::Terminated() const
{
    std::lock_guard lock(FMutex);
    return FTerminated;
}

bool TThread::Finished() const
{
    std::lock_guard lock(FMutex);
    return FFinished;
}

std::thread::id TThread::ThreadID() const
{
    std::lock_guard lock(FMutex);
    return FThreadId;
}

void TThread::WaitWhileSuspended()
{
    std::unique_lock lock(FMutex);
    FWake.wait(lock, [this] { return !FSuspended || FTerminated; });
}

void TThread::Sleep(unsigned milliseconds)
{
    WaitWhileSuspended();
    std::unique_lock lock(FMutex);
    FWake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return FTerminated; });
}

void TThread::Synchronize(const std::function<void()>& Method)
{
    if (OnGuiThread()) {
        Method();
        return;
    }
    WaitWhileSuspended();
    SyncCall call;
    call.Method = Method;
    Enqueue(&call);
    std::unique_lock lock(GuiCalls().Mutex);
    GuiCalls().Changed.wait(lock, [&call] { return call.Done; });
    if (call.Failure)
        std::rethrow_exception(call.Failure);
}

void TThread::Queue(const std::function<void()>& Method)
{
    if (OnGuiThread()) {
        Method();
        return;
    }
    auto* call = new SyncCall;
    call->Waited = false;
    call->Method = [this, Method] {
        try {
            Method();
        } catch (...) {
            Application->HandleException(this);
        }
    };
    Enqueue(call);
}

// Exceptions that escape Execute go to the application's handler on the GUI thread.
void TThread::Run()
{
    {
        std::lock_guard lock(FMutex);
        FThreadId = std::this_thread::get_id();
        FKernelId = static_cast<int>(::syscall(SYS_gettid));
    }
    FWake.notify_all();
    std::exception_ptr failure;
    try {
        Execute();
    } catch (...) {
        failure = std::current_exception();
    }
    auto* finish = new SyncCall;
    finish->Waited = false;
    finish->Method = [this, failure] {
        if (failure) {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                Application->HandleException(this);
            }
        }
        Finish();
    };
    Enqueue(finish);
}

void TThread::Finish()
{
    ThreadEnded();
    try {
        if (OnTerminate)
            OnTerminate(this);
    } catch (...) {
        Application->HandleException(this);
    }
    {
        std::lock_guard lock(FMutex);
        FFinished = true;
    }
    if (FFreeOnTerminate)
        delete this;
}

// On the GUI thread the queued calls run meanwhile, the thread's own end among them.
int TThread::WaitFor()
{
    while (!Finished()) {
        if (OnGuiThread()) {
            vt::CheckSynchronize();
            std::unique_lock lock(GuiCalls().Mutex);
            GuiCalls().Changed.wait_for(lock, std::chrono::milliseconds(5), [] { return !GuiCalls().Calls.empty(); });
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return FReturnValue;
}
