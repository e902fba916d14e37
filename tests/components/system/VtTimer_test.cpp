// The timer component: the idle rules (no Interval, disabled or no handler: no ticks from either
// source), where ticks run, the switch between the worker and the hidden window, and shutdown
// without a late call-back. scripts/tsan-test.sh runs these under the thread sanitizer too.
#include "components/system/VtTimer.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "rtl/Exceptions.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

using namespace std::chrono_literals;

// Counts every tick that reaches the component, handler or not.
class CountingTimer : public TVtTimer {
public:
    CountingTimer() : TVtTimer(nullptr) {}
    void Timer() override
    {
        ++reached;
        TVtTimer::Timer();
    }
    std::atomic<int> reached{0};
};

// Runs the GUI thread's events (and so the synchronised ticks and the hidden window's timer).
void RunFor(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        vt::ProcessEventsUntilIdle();
        std::this_thread::sleep_for(1ms);
    }
}

class TimerTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { vt::EnsureTestApplication(); }
    bool Threaded() const { return GetParam(); }
};

TEST_P(TimerTest, WithoutIntervalEnabledOrHandlerTheTimerStaysIdle)
{
    struct Case {
        unsigned Interval;
        bool Enabled;
        bool Handler;
    } cases[] = {{0, true, true}, {2, false, true}, {2, true, false}};
    for (const Case& c : cases) {
        CountingTimer timer;
        timer.SetThreaded(Threaded());
        std::atomic<int> ticks{0};
        timer.SetOnTimer([&](TObject*) { ++ticks; });
        timer.SetInterval(c.Interval);
        timer.SetEnabled(c.Enabled);
        if (!c.Handler)
            timer.SetOnTimer(nullptr);
        RunFor(40ms);
        EXPECT_EQ(timer.reached, 0) << c.Interval << c.Enabled << c.Handler;
        EXPECT_EQ(ticks, 0);
    }
}

TEST_P(TimerTest, TicksStopWhenDisabledAndResumeWhenEnabled)
{
    CountingTimer timer;
    timer.SetThreaded(Threaded());
    timer.SetInterval(2);
    std::atomic<int> ticks{0};
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    RunFor(60ms);
    EXPECT_GT(ticks, 0);
    timer.SetEnabled(false);
    RunFor(10ms);
    const int stopped = ticks;
    RunFor(40ms);
    EXPECT_EQ(ticks, stopped);
    timer.SetEnabled(true);
    RunFor(60ms);
    EXPECT_GT(ticks, stopped);
}

INSTANTIATE_TEST_SUITE_P(Sources, TimerTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Thread" : "HiddenWindow";
                         });

TEST(TimerThreadTest, SyncEventChoosesTheThreadTheHandlerRunsIn)
{
    vt::EnsureTestApplication();
    const std::thread::id gui = std::this_thread::get_id();
    for (bool sync : {true, false}) {
        TVtTimer timer(nullptr);
        timer.SetInterval(2);
        timer.SetSyncEvent(sync);
        std::atomic<int> onGui{0}, elsewhere{0};
        timer.SetOnTimer([&](TObject*) { ++(std::this_thread::get_id() == gui ? onGui : elsewhere); });
        RunFor(60ms);
        timer.SetEnabled(false);
        EXPECT_GT(sync ? onGui : elsewhere, 0) << sync;
        EXPECT_EQ(sync ? elsewhere : onGui, 0) << sync;
    }
}

TEST(TimerThreadTest, SwitchingThreadedOffMovesTheTicksToTheGuiThreadWithTheSameInterval)
{
    vt::EnsureTestApplication();
    const std::thread::id gui = std::this_thread::get_id();
    TVtTimer timer(nullptr);
    timer.SetInterval(3);
    timer.SetSyncEvent(false);
    std::atomic<int> onGui{0}, elsewhere{0};
    timer.SetOnTimer([&](TObject*) { ++(std::this_thread::get_id() == gui ? onGui : elsewhere); });
    RunFor(40ms);
    EXPECT_GT(elsewhere, 0);
    timer.SetThreaded(false);
    RunFor(5ms);
    const int fromWorker = elsewhere;
    RunFor(60ms);
    EXPECT_EQ(timer.Interval(), 3u);
    EXPECT_GT(onGui, 0);
    EXPECT_EQ(elsewhere, fromWorker);
}

TEST(TimerThreadTest, DestroyingWaitsForARunningTickAndNoneComesAfter)
{
    vt::EnsureTestApplication();
    for (int round = 0; round < 5; ++round) {
        std::atomic<int> started{0}, finished{0};
        auto* timer = new TVtTimer(nullptr);
        timer->SetInterval(1);
        timer->SetSyncEvent(false);
        timer->SetOnTimer([&](TObject*) {
            ++started;
            std::this_thread::sleep_for(3ms);
            ++finished;
        });
        while (started == 0)
            std::this_thread::sleep_for(1ms);
        delete timer;
        const int after = started;
        EXPECT_EQ(finished, after);
        RunFor(20ms);
        EXPECT_EQ(started, after);
    }
}

TEST(TimerThreadTest, ATickWaitingForTheGuiThreadIsDroppedWhenTheTimerGoes)
{
    vt::EnsureTestApplication();
    std::atomic<int> ticks{0};
    auto* timer = new TVtTimer(nullptr);
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    std::this_thread::sleep_for(20ms);  // the worker waits in Synchronize: no events run
    delete timer;
    RunFor(20ms);
    EXPECT_EQ(ticks, 0);
}

TEST(TimerThreadTest, SynchronizeRunsOnTheGuiThreadFromTheWorker)
{
    vt::EnsureTestApplication();
    const std::thread::id gui = std::this_thread::get_id();
    TVtTimer timer(nullptr);
    timer.SetInterval(2);
    timer.SetSyncEvent(false);
    std::atomic<int> synced{0}, wrong{0};
    timer.SetOnTimer([&](TObject*) {
        timer.Synchronize([&] { ++(std::this_thread::get_id() == gui ? synced : wrong); });
    });
    RunFor(60ms);
    timer.SetEnabled(false);
    EXPECT_GT(synced, 0);
    EXPECT_EQ(wrong, 0);
}

}  // namespace

TEST(TimerThreadTest, AFailingTickIsReportedOnceAndTheWorkerTicksOn)
{
    vt::EnsureTestApplication();
    const std::thread::id gui = std::this_thread::get_id();
    for (bool sync : {true, false}) {
        int reported = 0;
        bool reportedOnGui = true;
        Application->OnException = [&](TObject*, Exception* e) {
            ++reported;
            reportedOnGui = reportedOnGui && std::this_thread::get_id() == gui;
            EXPECT_EQ(e->Message(), "tick failed");
        };
        TVtTimer timer(nullptr);
        timer.SetInterval(2);
        timer.SetSyncEvent(sync);
        std::atomic<int> ticks{0};
        timer.SetOnTimer([&](TObject*) {
            if (++ticks == 1) throw Exception("tick failed");
        });
        RunFor(80ms);
        timer.SetEnabled(false);
        RunFor(5ms);
        Application->OnException = nullptr;
        EXPECT_GT(ticks, 2) << sync;
        EXPECT_EQ(reported, 1) << sync;
        EXPECT_TRUE(reportedOnGui) << sync;
    }
}

// A ticking timer with each priority of the table set in turn, and the worker's scheduling as
// the system sees it from inside a tick.
struct PriorityCase {
    TThreadPriority Priority;
    int Policy;
    int Nice;
};

void ExpectWorkerScheduling(const std::vector<PriorityCase>& cases)
{
    vt::EnsureTestApplication();
    TVtTimer timer(nullptr);
    timer.SetInterval(2);
    timer.SetSyncEvent(false);
    std::atomic<int> policy{-1};
    std::atomic<int> nice{-100};
    timer.SetOnTimer([&](TObject*) {
        policy = sched_getscheduler(0);
        nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    });
    for (const PriorityCase& c : cases) {
        SCOPED_TRACE(c.Priority);
        timer.SetThreadPriority(c.Priority);
        EXPECT_EQ(timer.ThreadPriority(), c.Priority);
        policy = -1;
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (policy == -1 && std::chrono::steady_clock::now() < end)
            RunFor(5ms);
        EXPECT_EQ(policy, c.Policy);
        EXPECT_EQ(nice, c.Nice);
    }
}

TEST(TimerThreadTest, ThreadPriorityTakesEffectOnTheWorker)
{
    ExpectWorkerScheduling({{tpNormal, SCHED_OTHER, 0}, {tpLower, SCHED_OTHER, 5}, {tpLowest, SCHED_OTHER, 10},
                            {tpIdle, SCHED_IDLE, 19}});
}

// An ordinary user may not raise a priority: the timer runs at the nearest it may have, without a
// word, and after lowering it comes back to normal. Run again in a child process as the user
// nobody when the tests run as root.
TEST(TimerThreadTest, AnOrdinaryUserGetsTheNearestPriorityAndComesBackToNormal)
{
    const std::vector<PriorityCase> cases{{tpHigher, SCHED_OTHER, 0},     {tpTimeCritical, SCHED_OTHER, 0},
                                          {tpLowest, SCHED_OTHER, 10},    {tpNormal, SCHED_OTHER, 0},
                                          {tpIdle, SCHED_IDLE, 19},       {tpHighest, SCHED_OTHER, 0}};
    if (::getuid() != 0) {
        struct rlimit none {0, 0};
        ASSERT_EQ(setrlimit(RLIMIT_NICE, &none), 0);
        ExpectWorkerScheduling(cases);
        return;
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        const String filter = "--gtest_filter=TimerThreadTest.AnOrdinaryUserGetsTheNearestPriorityAndComesBackToNormal";
        ::execl("/proc/self/exe", "/proc/self/exe", filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(11);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the case failed as the user nobody";
}
