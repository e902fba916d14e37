// Drives a modal dialog that the code under test is about to run: a timer looks for it, hands
// it to a step that inspects and closes it, and rejects it should the step leave it open. A
// dialog that never shows fails the test instead of hanging it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace vt::testing {

// Runs events until the condition holds or the time is up; the condition's last answer.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class ModalDialogDriver {
public:
    explicit ModalDialogDriver(std::function<void(QDialog*)> step, int timeoutMs = 5000)
        : FStep(std::move(step)), FTimeout(timeoutMs), FDeadline(timeoutMs)
    {
        QObject::connect(FPoll.get(), &QTimer::timeout, [this] { Poll(); });
        QObject::connect(FWatchdog.get(), &QTimer::timeout, [this] { CloseLeftOpen(); });
        FPoll->start(20);
    }
    ~ModalDialogDriver()
    {
        FPoll->stop();
        FWatchdog->stop();
    }
    bool Ran() const { return FRan; }

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (FDeadline.hasExpired()) {
                FPoll->stop();
                ADD_FAILURE() << "the dialog did not show";
            }
            return;
        }
        FPoll->stop();
        FRan = true;
        // A box the step opens and nobody closes (a question asked on accepting) is closed
        // as a failure, so that the step returns.
        FWatchdog->start(FTimeout);
        QPointer<QDialog> driven = dialog;
        FStep(dialog);
        if (driven && driven->isVisible())
            driven->reject();
        FWatchdog->stop();
    }
    void CloseLeftOpen()
    {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "a dialog was left open: " << box->windowTitle().toStdString();
            box->reject();
        }
    }

    std::function<void(QDialog*)> FStep;
    int FTimeout;
    QDeadlineTimer FDeadline;
    std::unique_ptr<QTimer> FPoll = std::make_unique<QTimer>();
    std::unique_ptr<QTimer> FWatchdog = std::make_unique<QTimer>();
    bool FRan = false;
};

}  // namespace vt::testing
