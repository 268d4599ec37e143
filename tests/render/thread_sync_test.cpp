#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "render/thread_sync.h"

namespace {

TEST(ManualResetEvent, StaysSetUntilResetAndReleasesEveryWaiter)
{
    ManualResetEvent event;
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.WaitFor(0));
    EXPECT_FALSE(event.WaitFor(30));

    event.Set();
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_TRUE(event.WaitFor(0));  // manual reset: a pass does not clear it
    event.Wait();

    std::atomic<int> passed{0};
    event.Reset();
    EXPECT_FALSE(event.IsSet());
    std::thread waiters[4];
    for (std::thread& t : waiters) t = std::thread([&] { event.Wait(); ++passed; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(passed.load(), 0);
    event.Set();
    for (std::thread& t : waiters) t.join();
    EXPECT_EQ(passed.load(), 4);

    ManualResetEvent initially(true);
    EXPECT_TRUE(initially.WaitFor(kWaitForever));
}

std::atomic<int> gRuns{0};
std::atomic<int> gLastArgument{-1};
std::atomic<int> gRunFlag{0};

void CountRun(int argument)
{
    gLastArgument = argument;
    ++gRuns;
}

void RunWhileFlag(int)
{
    while (gRunFlag.load() == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(ThreadHandle, HeldThreadRunsOnlyAfterRelease)
{
    gRuns = 0;
    ThreadHandle handle;
    ASSERT_TRUE(handle.Start(CountRun, 7, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(gRuns.load(), 0);
    EXPECT_TRUE(handle.Running());
    EXPECT_FALSE(handle.WaitFor(10));
    handle.Release();
    EXPECT_TRUE(handle.WaitFor(5000));
    EXPECT_EQ(gRuns.load(), 1);
    EXPECT_EQ(gLastArgument.load(), 7);
    EXPECT_FALSE(handle.Running());
    EXPECT_TRUE(handle.WaitFor(0));  // a second wait on an ended thread passes at once
}

TEST(ThreadHandle, StopRuleRunFlagThenTimedWait)
{
    gRunFlag = 1;
    ThreadHandle workers[3];
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(workers[i].Start(RunWhileFlag, i));
    EXPECT_FALSE(WaitForAllThreads(workers, 3, 20));
    gRunFlag = 0;
    EXPECT_TRUE(WaitForAllThreads(workers, 3, 5000));
    for (ThreadHandle& w : workers) EXPECT_FALSE(w.Running());
}

TEST(ThreadHandle, DroppedWhileHeldNeverRuns)
{
    gRuns = 0;
    {
        ThreadHandle handle;
        ASSERT_TRUE(handle.Start(CountRun, 1, true));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(gRuns.load(), 0);
}

// A handle never started counts as ended; an ended one starts again.
TEST(ThreadHandle, RestartAfterEnd)
{
    gRuns = 0;
    ThreadHandle handle;
    EXPECT_FALSE(handle.Running());
    EXPECT_TRUE(handle.WaitFor(0));
    ASSERT_TRUE(handle.Start(CountRun, 1));
    ASSERT_TRUE(handle.WaitFor(5000));
    ASSERT_TRUE(handle.Start(CountRun, 2));
    ASSERT_TRUE(handle.WaitFor(5000));
    EXPECT_EQ(gRuns.load(), 2);
    EXPECT_EQ(gLastArgument.load(), 2);
}

}  // namespace
