// TThread over std::thread. Synchronize posts the method to the GUI thread's event loop and
// waits; WaitFor on the GUI thread keeps that loop turning so a worker inside Synchronize
// can finish.
#include "ui/kernel/Threads.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <exception>
#include <future>

#include "ui/forms/Forms.h"

namespace {
bool OnGuiThread()
{
    return !QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread();
}
}  // namespace

void vt::CheckSynchronize()
{
    if (OnGuiThread() && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

TThread::TThread(bool CreateSuspended)
{
    vt::EnsureQtApplication();
    FSuspended = CreateSuspended;
    if (!CreateSuspended) {
        FStarted = true;
        FThread = std::thread([this] { Run(); });
    }
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

void TThread::Resume()
{
    std::unique_lock lock(FMutex);
    FSuspended = false;
    if (!FStarted) {
        FStarted = true;
        lock.unlock();
        FThread = std::thread([this] { Run(); });
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
    std::promise<void> done;
    std::future<void> result = done.get_future();
    QTimer::singleShot(0, QCoreApplication::instance(), [&Method, &done] {
        try {
            Method();
            done.set_value();
        } catch (...) {
            done.set_exception(std::current_exception());
        }
    });
    result.get();
}

// Exceptions that escape Execute go to the application's handler on the GUI thread.
void TThread::Run()
{
    FThreadId = std::this_thread::get_id();
    std::exception_ptr failure;
    try {
        Execute();
    } catch (...) {
        failure = std::current_exception();
    }
    QTimer::singleShot(0, QCoreApplication::instance(), [this, failure] {
        if (failure) {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                Application->HandleException(this);
            }
        }
        Finish();
    });
}

void TThread::Finish()
{
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

int TThread::WaitFor()
{
    while (!Finished()) {
        if (OnGuiThread())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return FReturnValue;
}
