// Sections: [state] [pause handshake] [worker cycles] [coordinator]
// [start and stop].
#include "render/render_threads.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "render/probability_tuner.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

// ---- [state] -------------------------------------------------------------------
std::atomic<int32_t> gRenderRunFlag{0};
std::atomic<uint8_t> gRenderPaused{0};
std::atomic<uint8_t> gRenderActive{0};
ThreadHandle gRenderCoordinatorThread;
ThreadHandle gRenderWorkerThreads[kMaxRenderSlots];
int32_t gRenderThreadCount = 1;

std::atomic<uint8_t> gScreenState{6};  // the point preview until start-up chooses the splash screen
int32_t gFastShadowUpdate = 0;         // "Off" when the panel is built
int32_t gProjectionSelector = 0;
std::atomic<uint8_t> gVolumetricFogOn{0};
uint8_t gAnimationOn = 0;
int32_t gAnimationFrameLength = 1;

namespace {

// Workers the current coordinator waits for (set before any gate opens).
int32_t gStartedWorkerCount = 0;

// Starts and stops come from the window thread and from the voxel mesh
// export thread: one at a time, so that no thread handle is joined or
// replaced by two callers at once.
std::recursive_mutex gThreadControlMutex;

// Pause handshake: a worker that has seen the pause of epoch E stores E.
std::atomic<uint32_t> gPauseEpoch{0};
std::atomic<uint32_t> gWorkerParkedEpoch[kMaxRenderSlots];
std::atomic<uint8_t> gWorkerLive[kMaxRenderSlots];

// Cycles run by each slot's worker, a cache line each: the owner writes its
// own once a cycle while the window thread reads them all.
struct alignas(64) SlotCycles {
    std::atomic<uint64_t> count{0};
};
SlotCycles gSlotCycles[kMaxRenderSlots];

// The held workers' job, and how many workers are inside the call.
std::atomic<void (*)(uint8_t)> gHeldJob{nullptr};
std::atomic<int32_t> gHeldJobCallers{0};

void SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
void SleepBriefly() { std::this_thread::sleep_for(std::chrono::microseconds(50)); }

bool Running() { return gRenderRunFlag.load() == 1; }

}  // namespace

// ---- [pause handshake] ---------------------------------------------------------
bool PauseRenderWorkers()
{
    // The flag first, then the epoch: a worker that acknowledges the new
    // epoch has read it after the flag was up and checks the flag again
    // before it can leave its park loop.
    gRenderPaused.store(1);
    const uint32_t epoch = gPauseEpoch.fetch_add(1) + 1;
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        while (gWorkerLive[s].load() && gWorkerParkedEpoch[s].load() != epoch) {
            if (!Running()) return false;
            SleepBriefly();
        }
    }
    return Running();
}

void ResumeRenderWorkers() { gRenderPaused.store(0); }

void PostHeldWorkerJob(void (*job)(uint8_t slot)) { gHeldJob.store(job); }

void WithdrawHeldWorkerJob()
{
    // A worker counts itself in before it reads the job: once the job is
    // gone and the count is 0, no worker can still enter it.
    gHeldJob.store(nullptr);
    while (gHeldJobCallers.load() != 0) SleepBriefly();
}

int32_t LiveWorkerCount()
{
    int32_t live = 0;
    for (const auto& worker : gWorkerLive) live += worker.load() ? 1 : 0;
    return live;
}

// A worker started but not yet in its loop owns its slot all the same.
bool SlotOwnedByWorker(int slot)
{
    return slot >= 0 && slot < kMaxRenderSlots && (slot < gStartedWorkerCount || gWorkerLive[slot].load());
}

std::atomic<uint64_t> gRenderCycleLimit{0};

uint64_t RenderedCycles()
{
    uint64_t sum = 0;
    for (const SlotCycles& s : gSlotCycles) sum += s.count.load(std::memory_order_relaxed);
    return sum;
}

bool RenderCycleLimitReached()
{
    const uint64_t limit = gRenderCycleLimit.load();
    if (limit == 0 || gStartedWorkerCount <= 0) return false;
    for (int s = 0; s < gStartedWorkerCount; ++s)
        if (gSlotCycles[s].count.load(std::memory_order_relaxed) < limit) return false;
    return true;
}

void RunWorkerLoop(int index, void (*cycle)(uint8_t slot))
{
    const uint8_t slot = static_cast<uint8_t>(index & 0xFF);
    if (slot >= kMaxRenderSlots) return;
    std::atomic<uint64_t>& cycles = gSlotCycles[slot].count;
    gWorkerLive[slot].store(1);
    while (Running()) {
        if (gRenderPaused.load()) {
            while (gRenderPaused.load() && Running()) {
                gWorkerParkedEpoch[slot].store(gPauseEpoch.load());
                gHeldJobCallers.fetch_add(1);
                if (auto* job = gHeldJob.load()) job(slot);
                gHeldJobCallers.fetch_sub(1);
                SleepBriefly();
            }
            continue;
        }
        const uint64_t limit = gRenderCycleLimit.load(std::memory_order_relaxed);
        const uint64_t done = cycles.load(std::memory_order_relaxed);
        if (limit != 0 && done >= limit) {
            SleepMs(1);
            continue;
        }
        cycle(slot);
        cycles.store(done + 1, std::memory_order_relaxed);
    }
    gWorkerLive[slot].store(0);
}

// ---- [worker cycles] -------------------------------------------------------------
int32_t ProjectionCaseFor(uint8_t screenState, bool skipShadow, int32_t fastShadowUpdate, bool rgb)
{
    if (screenState >= 4) return screenState;
    const int32_t projectionCase = screenState + (skipShadow ? 2 : 0) * fastShadowUpdate;
    return rgb ? projectionCase + 100 : projectionCase;
}

void RunRenderWorkerCycle(RenderWorkerKind kind, uint8_t slot)
{
    gFractalTypeKernel.load(std::memory_order_relaxed)(slot);
    if (gSymmetryOn.load(std::memory_order_relaxed)) ApplySymmetry(slot);
    const bool fog = gVolumetricFogOn.load(std::memory_order_relaxed) != 0;

    // Shadow-skip draw from the slot's own generator: about 5 % of the
    // cycles update the shadow map while the fog is off.
    const bool drawEveryCycle = kind != RenderWorkerKind::kOrtho;
    float u = 0.0f;
    if (drawEveryCycle || !fog) u = RandomUniform(gSlotRandom[slot]);
    const bool skip = u > kShadowUpdateShare && !fog;

    const bool rgbWorker = kind == RenderWorkerKind::kOrthoRgb || kind == RenderWorkerKind::kPerspectiveRgb;
    const int32_t perspective =
        (kind == RenderWorkerKind::kPerspective || kind == RenderWorkerKind::kPerspectiveRgb) ? 1 : 0;
    // The case follows the colouring as it is now: a worker started for the
    // other colouring projects nothing until the render restarts.
    const int32_t projectionCase = ProjectionCaseFor(gScreenState.load(std::memory_order_relaxed), skip,
                                                     gFastShadowUpdate, gRgbColoring != 0);
    // Only the cases of this worker's projection and colouring have passes.
    if ((projectionCase >= 100) != rgbWorker || projectionCase % 2 != perspective) return;
    const ProjectionCaseRow* row = FindProjectionCase(projectionCase);
    if (!row) return;
    row->main(slot);
    if (row->mirror && gMirrorCopy) row->mirror(slot);
    if (fog) row->fog(slot);
}

namespace {
template <RenderWorkerKind kKind>
void WorkerCycle(uint8_t slot)
{
    RunRenderWorkerCycle(kKind, slot);
}
}  // namespace

void RenderWorkerOrtho(int index) { RunWorkerLoop(index, WorkerCycle<RenderWorkerKind::kOrtho>); }
void RenderWorkerPerspective(int index) { RunWorkerLoop(index, WorkerCycle<RenderWorkerKind::kPerspective>); }
void RenderWorkerOrthoRgb(int index) { RunWorkerLoop(index, WorkerCycle<RenderWorkerKind::kOrthoRgb>); }
void RenderWorkerPerspectiveRgb(int index)
{
    RunWorkerLoop(index, WorkerCycle<RenderWorkerKind::kPerspectiveRgb>);
}

// ---- [coordinator] -----------------------------------------------------------------
uint32_t AdvanceCoordinatorTick(uint32_t& tick, bool animationOn, int32_t frameLength)
{
    ++tick;
    uint32_t due = 0;
    if (animationOn) {
        if (static_cast<int64_t>(tick) > static_cast<int64_t>(frameLength) * kAnimationTicksPerUnit) {
            due |= kCoordinatorEndFrame;
        }
        if (tick % kTuningInterval == 0) due |= kCoordinatorTune;
    } else if (tick > kTuningInterval) {
        tick = 0;
        due |= kCoordinatorTune;
    }
    return due;
}

uint64_t RunCoordinatorLoop(const CoordinatorHooks& hooks)
{
    uint32_t tick = 0;
    uint64_t ticks = 0;
    do {
        hooks.waitTick();
        ++ticks;
        const uint32_t due = AdvanceCoordinatorTick(tick, gAnimationOn != 0, gAnimationFrameLength);
        if (due & kCoordinatorEndFrame) gRenderRunFlag.store(0);
        if (due & kCoordinatorTune) hooks.tune();
    } while (Running());
    return ticks;
}

void JoinRenderWorkers() { WaitForAllThreads(gRenderWorkerThreads, gStartedWorkerCount, kWaitForever); }

void RenderCoordinatorThread(int)
{
    const CoordinatorHooks hooks{[] { SleepMs(1); }, TuneTransformProbabilities};
    RunCoordinatorLoop(hooks);
    JoinRenderWorkers();
    gRenderActive.store(0);
}

// ---- [start and stop] ------------------------------------------------------------
void (*gStopRenderWaiting)(uint32_t waitedMs) = nullptr;

namespace {

constexpr uint32_t kStopPollMs = 100;

// Waits for ended(ms) to succeed: quietly while the whole wait is within
// kRenderStopWaitMs, then in short steps, telling whoever watches.
template <typename Ended>
void WaitForStop(uint32_t& waited, const char* what, Ended&& ended)
{
    const uint32_t quiet = waited < kRenderStopWaitMs ? kRenderStopWaitMs - waited : 0;
    const auto start = std::chrono::steady_clock::now();
    if (ended(quiet)) {
        waited += static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
        return;
    }
    waited = std::max(waited, kRenderStopWaitMs);
    std::fprintf(stderr, "render: the %s took more than %u ms to stop; waiting on\n", what, kRenderStopWaitMs);
    while (!ended(kStopPollMs)) {
        waited += kStopPollMs;
        if (gStopRenderWaiting != nullptr) gStopRenderWaiting(waited);
    }
}

}  // namespace

void StopRender()
{
    const std::lock_guard<std::recursive_mutex> lock(gThreadControlMutex);
    gRenderRunFlag.store(0);
    uint32_t waited = 0;
    WaitForStop(waited, "coordinator", [](uint32_t ms) { return gRenderCoordinatorThread.WaitFor(ms); });
    // Normally joined by the coordinator already; this also covers workers
    // whose coordinator never ran.
    WaitForStop(waited, "workers",
                [](uint32_t ms) { return WaitForAllThreads(gRenderWorkerThreads, kMaxRenderSlots, ms); });
    gRenderPaused.store(0);
    gRenderActive.store(0);
}

bool StartThreadSet(ThreadProc coordinator, ThreadProc worker)
{
    const std::lock_guard<std::recursive_mutex> lock(gThreadControlMutex);
    StopRender();
    const int32_t count = std::clamp(gRenderThreadCount, 1, kMaxRenderSlots);
    gStartedWorkerCount = count;
    for (SlotCycles& s : gSlotCycles) s.count.store(0, std::memory_order_relaxed);
    gRenderPaused.store(0);
    gRenderRunFlag.store(1);
    // Set before any thread runs, so a coordinator that ends at once
    // (an animation frame of no length) cannot be overtaken.
    gRenderActive.store(1);
    bool created = gRenderCoordinatorThread.Start(coordinator, 0, true);
    for (int i = 0; created && i < count; ++i) created = gRenderWorkerThreads[i].Start(worker, i, true);
    if (!created) {
        // Released with the run flag down, the held threads end at once.
        gRenderRunFlag.store(0);
        gRenderCoordinatorThread.Release();
        for (ThreadHandle& w : gRenderWorkerThreads) w.Release();
        StopRender();
        return false;
    }
    gRenderCoordinatorThread.Release();
    SleepMs(kThreadStartStaggerMs);
    for (int i = 0; i < count; ++i) {
        gRenderWorkerThreads[i].Release();
        SleepMs(kThreadStartStaggerMs);
    }
    return true;
}

namespace {
// Stops what runs first: the colour-index buffer may be the voxel grid.
bool PrepareRenderBuffers()
{
    StopRender();
    return RestoreImageColorIndexBuffer() && RenderBuffersReady();
}
}  // namespace

bool StartRenderThreads()
{
    const std::lock_guard<std::recursive_mutex> lock(gThreadControlMutex);
    if (!PrepareRenderBuffers()) return false;
    ThreadProc worker = nullptr;
    const bool rgb = gRgbColoring != 0;
    if (gProjectionSelector == 0) worker = rgb ? RenderWorkerOrthoRgb : RenderWorkerOrtho;
    if (gProjectionSelector == 1) worker = rgb ? RenderWorkerPerspectiveRgb : RenderWorkerPerspective;
    if (!worker) return false;
    return StartThreadSet(RenderCoordinatorThread, worker);
}

bool StartRender()
{
    const std::lock_guard<std::recursive_mutex> lock(gThreadControlMutex);
    if (!PrepareRenderBuffers()) return false;
    FitViewToFractal(&gShadowOffsetX, &gShadowOffsetY, &gShadowOffsetZ, &gShadowScale, kFitLightView);
    if (gViewScale > 0.0f) gFogJitterRadius = 0.5f / gViewScale;
    const int32_t state = gFastShadowUpdate == 1 ? gProjectionSelector : gProjectionSelector + 2;
    gScreenState.store(static_cast<uint8_t>(state));
    return StartRenderThreads();
}
