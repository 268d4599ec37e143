#include "render/thread_sync.h"

#include <atomic>
#include <system_error>

void ManualResetEvent::Set()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::Reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool ManualResetEvent::IsSet() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return set_;
}

void ManualResetEvent::Wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
}

bool ManualResetEvent::WaitFor(uint32_t milliseconds)
{
    if (milliseconds == kWaitForever) {
        Wait();
        return true;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return set_; });
}

// Shared between the handle and its thread, so a detached thread never
// touches a destroyed handle.
struct ThreadHandle::Shared {
    ManualResetEvent gate;
    ManualResetEvent ended;
    std::atomic<bool> dropped{false};
};

ThreadHandle::~ThreadHandle() { Drop(); }

void ThreadHandle::Drop()
{
    if (thread_.joinable()) {
        if (shared_->ended.IsSet()) {
            thread_.join();
        } else {
            shared_->dropped = true;
            shared_->gate.Set();
            thread_.detach();
        }
    }
    shared_.reset();
}

bool ThreadHandle::Start(ThreadProc proc, int argument, bool held)
{
    Drop();
    auto shared = std::make_shared<Shared>();
    if (!held) shared->gate.Set();
    try {
        thread_ = std::thread([shared, proc, argument] {
            shared->gate.Wait();
            if (!shared->dropped) proc(argument);
            shared->ended.Set();
        });
    } catch (const std::system_error&) {
        return false;
    }
    shared_ = std::move(shared);
    return true;
}
void ThreadHandle::Release()
{
    if (shared_) shared_->gate.Set();
}

bool ThreadHandle::WaitFor(uint32_t milliseconds)
{
    if (!shared_) return true;
    if (!shared_->ended.WaitFor(milliseconds)) return false;
    if (thread_.joinable()) thread_.join();
    return true;
}

bool ThreadHandle::Running() const { return shared_ && !shared_->ended.IsSet(); }

bool WaitForAllThreads(ThreadHandle* handles, int count, uint32_t milliseconds)
{
    if (milliseconds == kWaitForever) {
        for (int i = 0; i < count; ++i) handles[i].WaitFor(kWaitForever);
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (int i = 0; i < count; ++i) {
        const auto now = std::chrono::steady_clock::now();
        const auto left = now < deadline
                              ? std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count()
                              : 0;
        if (!handles[i].WaitFor(static_cast<uint32_t>(left))) return false;
    }
    return true;
}
