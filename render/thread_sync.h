// Thread primitives of the render, export and voxel threads: a manual-reset
// event, a thread handle whose thread can be created held at a start gate and
// released later, and timed waits for threads to end. Plain standard C++, so
// the engine side needs no window layer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

inline constexpr uint32_t kWaitForever = 0xFFFFFFFFu;

// Stays set until Reset; every waiter passes while it is set.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    void Wait();
    // True when the event was set within the time (0 polls).
    bool WaitFor(uint32_t milliseconds);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_;
};

using ThreadProc = void (*)(int argument);

// One thread. Start with held = true creates it waiting at its start gate
// (nothing of proc runs) until Release; WaitFor is the timed wait for its end.
// A handle whose thread has not ended when it is destroyed or started anew
// lets the thread run on detached (a thread still held at its gate then ends
// without running proc).
class ThreadHandle {
public:
    ThreadHandle() = default;
    ~ThreadHandle();
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;

    bool Start(ThreadProc proc, int argument, bool held = false);
    void Release();
    // True when the thread has ended (or was never started) within the time.
    bool WaitFor(uint32_t milliseconds);
    bool Running() const;

private:
    struct Shared;
    void Drop();
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// Waits until every handle has ended; false when the time ran out first.
bool WaitForAllThreads(ThreadHandle* handles, int count, uint32_t milliseconds);
