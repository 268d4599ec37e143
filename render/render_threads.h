// The render threads: one coordinator that ticks once a millisecond, runs
// the probability tuner on schedule and ends timed animation frames, and up
// to 24 workers, each owning one render slot, that run kernel, symmetry and
// projection passes in cycles. Also the start and stop sequences the shell
// calls for the render and for the voxel engine, and the pause handshake
// the tuner and the voxel coordinator use to hold the workers.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/constants.h"
#include "render/thread_sync.h"

// Every loop of the render and voxel threads continues only while it is 1.
extern std::atomic<int32_t> gRenderRunFlag;
extern std::atomic<uint8_t> gRenderPaused;  // workers park (written by PauseRenderWorkers)
extern std::atomic<uint8_t> gRenderActive;  // 1 from the start until the coordinator saw every worker end
extern ThreadHandle gRenderCoordinatorThread;
extern ThreadHandle gRenderWorkerThreads[kMaxRenderSlots];
extern int32_t gRenderThreadCount;          // workers, 1..24 (the "PNumber" setting)

// The screen state (values in app/screen_state.h). While a render runs: 0
// orthographic with shadow-map updates, 1 perspective with, 2 orthographic
// without, 3 perspective without; 8 while the voxel engine runs. Other
// values: the workers project nothing. Atomic because the workers read it
// while the window thread changes screens.
extern std::atomic<uint8_t> gScreenState;
// From state 5 up the preview area shows no render's picture (the point
// previews and the screens over them): a reshade there shades the preview
// whole, below it the render's picture as it grows.
inline constexpr uint8_t kFirstPreviewScreen = 5;
inline bool PreviewScreenShown(uint8_t state) { return state >= kFirstPreviewScreen; }
extern int32_t gFastShadowUpdate;    // "Shadows": 1 "On", 0 "Off"
extern int32_t gProjectionSelector;  // "Projection": 0 "Orthographic", 1 "Perspective"
extern std::atomic<uint8_t> gVolumetricFogOn;  // add the fog-sample pass each cycle
extern uint8_t gAnimationOn;                   // timed animation rendering
extern int32_t gAnimationFrameLength;          // frame length in 100,000 coordinator ticks

inline constexpr uint32_t kRenderStopWaitMs = 5000;
inline constexpr uint32_t kThreadStartStaggerMs = 10;
inline constexpr uint32_t kTuningInterval = 25000;
inline constexpr int64_t kAnimationTicksPerUnit = 100000;
inline constexpr float kShadowUpdateShare = 0.05f;

// ---- Start and stop -----------------------------------------------------------
// Clears the run flag, waits up to 5 s for the coordinator and the workers
// (saying so on stderr when they take longer, then waiting on): when it
// returns no render or voxel thread runs. Safe to call at any time from any
// thread but the render's own; starts and stops from several threads take
// turns.
void StopRender();
// Called about every 100 ms while a stop waits beyond those 5 s, with the
// milliseconds waited, on the thread that stops: the window installs one
// that keeps drawing and says what it waits for. Null: the stop just waits.
extern void (*gStopRenderWaiting)(uint32_t waitedMs);

// The start sequence: stops a running render, sets the run flag, creates
// the coordinator and gRenderThreadCount workers held at their start gates
// (the worker procedure chosen by gRgbColoring and gProjectionSelector),
// then releases the coordinator and each worker 10 ms apart. Used by
// "Continue" and by the animation step as it is. A colour-index buffer
// left smaller than W x H by the voxel engine is replaced by a cleared one.
// False (and nothing runs) when the render buffers are missing or a thread
// cannot be created.
bool StartRenderThreads();

// "Render": stop, fit the light view (shadow map) to the fractal, set the
// fog jitter radius to 0.5 view units and gScreenState from the projection
// and "Shadows" selections, start the threads.
bool StartRender();

// ---- Thread procedures -----------------------------------------------------------
void RenderCoordinatorThread(int argument);
void RenderWorkerOrtho(int index);
void RenderWorkerPerspective(int index);
void RenderWorkerOrthoRgb(int index);
void RenderWorkerPerspectiveRgb(int index);

// ---- Coordinator schedule -----------------------------------------------------
inline constexpr uint32_t kCoordinatorTune = 1;      // run the tuner at this tick
inline constexpr uint32_t kCoordinatorEndFrame = 2;  // the animation frame is over

// One tick of the coordinator: advances tick and says what is due. Outside
// animation the tuner runs at tick 25,001 and the count restarts; in
// animation it runs at every multiple of 25,000 and the frame ends once the
// tick passes frameLength x 100,000.
uint32_t AdvanceCoordinatorTick(uint32_t& tick, bool animationOn, int32_t frameLength);

struct CoordinatorHooks {
    void (*waitTick)();  // one tick: sleeps 1 ms in the render
    void (*tune)();      // TuneTransformProbabilities in the render
};

// The coordinator's loop until the run flag drops (it clears the flag
// itself at an animation frame end). Returns the ticks counted.
uint64_t RunCoordinatorLoop(const CoordinatorHooks& hooks);

// ---- Worker cycles ---------------------------------------------------------------
enum class RenderWorkerKind : uint8_t { kOrtho, kPerspective, kOrthoRgb, kPerspectiveRgb };

// One worker cycle on a slot: kernel, symmetry, the shadow-skip draw and the
// passes of the projection case. Also what the benchmarks time.
void RunRenderWorkerCycle(RenderWorkerKind kind, uint8_t slot);

// The projection case of a cycle (step 6 of the worker cycle).
int32_t ProjectionCaseFor(uint8_t screenState, bool skipShadow, int32_t fastShadowUpdate, bool rgb);

// ---- Pause handshake --------------------------------------------------------------
// Holds the workers: returns once every running worker has acknowledged
// that it is parked (true), or as soon as the run flag drops (false).
bool PauseRenderWorkers();
void ResumeRenderWorkers();

// Work for the held workers: while the workers are held, every parked
// worker calls job(its slot) again and again until the job is withdrawn; the
// job hands out its own pieces and returns when none is left.
void PostHeldWorkerJob(void (*job)(uint8_t slot));
// Withdraws the job; returns once no worker is inside it any more.
void WithdrawHeldWorkerJob();
// Workers of the running thread set that have not ended.
int32_t LiveWorkerCount();
// Whether a worker of the running thread set owns the slot (started or live).
bool SlotOwnedByWorker(int slot);

// The loop shared by render and voxel workers: cycles while the run flag is
// 1, parks while paused, and idles once its slot has run the cycle limit.
void RunWorkerLoop(int index, void (*cycle)(uint8_t slot));

// ---- Work counted -------------------------------------------------------------------
// Cycles (kSlotBatchSize points each) the workers of the running thread set
// have run since it started, over all slots. With gRenderCycleLimit above 0
// each worker stops cycling once its slot has run that many and idles until
// the stop: a render of a fixed amount of work, so that tests and
// benchmarks compare pictures of equal points on any machine (and, at one
// thread, the very same points).
extern std::atomic<uint64_t> gRenderCycleLimit;
uint64_t RenderedCycles();
// Every worker of the running set has run the limit (false without one).
bool RenderCycleLimitReached();

// Starts coordinator and workers with the start sequence (used by the
// voxel engine with its own procedures).
bool StartThreadSet(ThreadProc coordinator, ThreadProc worker);

// Joins the workers of the current thread set (the coordinators' last step).
void JoinRenderWorkers();
