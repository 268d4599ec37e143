#include "render/probability_tuner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/slot_state_snapshot.h"
#include "render/surface_placement.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

namespace {

constexpr int kScoredPoints = 999;  // batch points 0..998 of the scoring slot

// One weight set of the search.
struct TunerSet {
    float transformWeights[kMaxTransforms];
    float baseshapeProbabilities[kMaxBaseshapes];
    float copyWeights[kSymmetryCopyWeightCount];
    uint8_t runLengthFlag;
};

// One trial: its set, the tables built from it, and its score. The trials
// are drawn one after the other exactly as a one-thread search draws them,
// then scored side by side, each on the slot of whichever held worker takes
// it, from slot 0's state with generators seeded for the trial alone.
struct TunerTrial {
    TunerSet set;
    uint8_t pickTable[256];
    uint32_t transitions[kMaxTransforms][256];
    uint8_t runLengthFlags[kMaxBaseshapes];
    bool ownCopyWeights;
    int64_t score;
};

// Working sets of the tuner: fixed-size globals, never allocated.
TunerSet gTunerSaved;
TunerTrial gTunerTrials[kTunerTrials];
SlotStateSnapshot gTunerStart;
struct TunerScoring {
    int32_t batches = 0;
    bool perspective = false;
    std::atomic<int32_t> next{0};  // trials handed out
    std::atomic<int32_t> done{0};  // trials scored
} gTunerScoring;

struct TunerCounts {
    int32_t transforms, baseshapes, copies;
};

void ReadLive(TunerSet& set, const TunerCounts& n)
{
    std::copy_n(gTransformWeights, n.transforms, set.transformWeights);
    for (int b = 0; b < n.baseshapes; ++b) set.baseshapeProbabilities[b] = gBaseshapes[b].probability;
    for (int c = 0; c < n.copies; ++c) set.copyWeights[c] = gSymmetryCopyWeights[c].load();
}

void SetRunLengthFlag(uint8_t flag, int32_t baseshapes)
{
    for (int b = 0; b < baseshapes; ++b) gBaseshapes[b].randomRunLength = flag;
}

// Weights, pick table, probabilities, flag and copy weights, in that order.
void Install(const TunerSet& set, const TunerCounts& n)
{
    std::copy_n(set.transformWeights, n.transforms, gTransformWeights);
    BuildTransformPickTable();
    for (int b = 0; b < n.baseshapes; ++b) gBaseshapes[b].probability = set.baseshapeProbabilities[b];
    SetRunLengthFlag(set.runLengthFlag, n.baseshapes);
    for (int c = 0; c < n.copies; ++c) gSymmetryCopyWeights[c].store(set.copyWeights[c]);
}

// The live tables, probabilities and flags as trial k's own.
void KeepLiveTables(TunerTrial& trial, const TunerCounts& n)
{
    std::copy_n(gTransformPickTable, 256, trial.pickTable);
    const int rows = std::clamp(gPickTransformCount, 1, kMaxTransforms);
    for (int t = 0; t < rows; ++t) std::copy_n(gTransformTransitions[t], 256, trial.transitions[t]);
    for (int b = 0; b < n.baseshapes; ++b) {
        trial.set.baseshapeProbabilities[b] = gBaseshapes[b].probability;
        trial.runLengthFlags[b] = gBaseshapes[b].randomRunLength;
    }
    trial.ownCopyWeights = n.copies > 0;
    for (int c = 0; c < n.copies; ++c) trial.set.copyWeights[c] = gSymmetryCopyWeights[c].load();
}

// Points of fresh batches of the slot that land in front of the depth
// image; -1 when the render stopped meanwhile.
int64_t ScoreSlot(uint8_t slot, int32_t batches, bool perspective)
{
    const int first = gSlotBatchStart[slot];
    int64_t count = 0;
    for (int32_t n = 0; n < batches; ++n) {
        if (gRenderRunFlag.load(std::memory_order_relaxed) != 1) return -1;
        gFractalTypeKernel.load(std::memory_order_relaxed)(slot);
        if (gSymmetryOn.load(std::memory_order_relaxed)) ApplySymmetry(slot);
        count += CountSliceInFront(first, kScoredPoints, perspective);
    }
    return count;
}

void ScoreTrial(int32_t k, uint8_t slot)
{
    TunerTrial& trial = gTunerTrials[k];
    RestoreSlotState(gTunerStart, slot);
    const uint32_t seed = HashStep(gTunerStart.hash + 0x9E3779B9u * static_cast<uint32_t>(k + 1));
    gSlotHash[slot] = seed;
    SeedRandomState(gSlotRandom[slot], seed ^ 0x1u);
    SeedRandomState(gSlotRandomB[slot], seed ^ 0x2u);
    gBaseshapeRandom[slot].Seed(seed ^ 0x3u);
    SlotPickModel& model = gSlotPickModel[slot];
    model.transitions = trial.transitions;
    model.pickTable = trial.pickTable;
    model.baseshapeProbabilities = trial.set.baseshapeProbabilities;
    model.runLengthFlags = trial.runLengthFlags;
    model.copyWeights = trial.ownCopyWeights ? trial.set.copyWeights : nullptr;
    trial.score = ScoreSlot(slot, gTunerScoring.batches, gTunerScoring.perspective);
    model = SlotPickModel{};
}

// The held workers' job: score trials until none is left.
void ScoreTrials(uint8_t slot)
{
    for (int32_t k = gTunerScoring.next.fetch_add(1); k < kTunerTrials; k = gTunerScoring.next.fetch_add(1)) {
        ScoreTrial(k, slot);
        gTunerScoring.done.fetch_add(1);
    }
}

// Helper threads on the slots no worker owns, up to the number of cores:
// with fewer workers than cores the trials would otherwise queue on the
// few held threads while the render stands still. A helper that cannot be
// created is simply not there.
int32_t StartTunerHelpers(std::thread* helpers)
{
    const int32_t cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    const int32_t scorers = std::min({std::max(cores, 1), kTunerTrials, kMaxRenderSlots});
    int32_t started = 0;
    for (int s = 0; s < kMaxRenderSlots && LiveWorkerCount() + started < scorers; ++s) {
        if (SlotOwnedByWorker(s)) continue;
        try {
            helpers[started] = std::thread(ScoreTrials, static_cast<uint8_t>(s));
        } catch (const std::system_error&) {
            break;
        }
        ++started;
    }
    return started;
}

// Scores every trial, on the held workers and helpers when a worker runs,
// else here on slot 0; returns once no trial is being scored any more.
void ScoreAllTrials()
{
    gTunerScoring.next.store(0);
    gTunerScoring.done.store(0);
    if (LiveWorkerCount() == 0) {
        ScoreTrials(0);
        return;
    }
    PostHeldWorkerJob(ScoreTrials);
    std::thread helpers[kMaxRenderSlots];
    const int32_t helperCount = StartTunerHelpers(helpers);
    while (gTunerScoring.done.load() < kTunerTrials) {
        if (gRenderRunFlag.load() != 1) {
            // Hand out nothing more and wait for the trials already taken,
            // which end at their following batch.
            const int32_t taken = std::min(gTunerScoring.next.exchange(kTunerTrials), kTunerTrials);
            while (gTunerScoring.done.load() < taken) std::this_thread::sleep_for(std::chrono::microseconds(50));
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    WithdrawHeldWorkerJob();
    for (int32_t i = 0; i < helperCount; ++i) helpers[i].join();
}

}  // namespace

void DrawNormalisedWeights(RandomState& random, float* weights, int32_t count)
{
    if (count <= 0) return;
    float sum = 0.0f;
    do {
        sum = 0.0f;
        for (int i = 0; i < count; ++i) {
            weights[i] = RandomUniform(random);
            sum += weights[i];
        }
    } while (sum == 0.0f);
    for (int i = 0; i < count; ++i) weights[i] /= sum;
}

int32_t RunProbabilityTuning(int32_t scoringBatches, int64_t* scores)
{
    if (!PauseRenderWorkers()) {
        ResumeRenderWorkers();
        return -1;
    }
    const int32_t mode = gSymmetryMode.load();
    if (gVolumetricFogOn.load()) {
        BuildTransformPickTable();
        BuildTransformPickTable();
        ResumeRenderWorkers();
        return -1;
    }
    const bool symmetryOn = gSymmetryOn.load() != 0;
    int32_t copies = 0;
    if (mode >= 8 && symmetryOn) copies = SetSymmetryCopyWeights();
    if (gFractalType == 46 || gFractalType == 49) PlaceTransformationsOnSurface();

    const TunerCounts n{std::clamp(gPickTransformCount, 0, kMaxTransforms),
                        std::clamp(gBaseshapeCount, 0, kMaxBaseshapes),
                        mode >= 8 ? std::clamp(copies, 0, kSymmetryCopyWeightCount) : 0};
    ReadLive(gTunerSaved, n);
    gTunerSaved.runLengthFlag = gBaseshapes[0].randomRunLength;

    // Trial 0 scores the settings as they are; trials 1.. draw their sets in
    // the order a one-thread search draws them, each building its tables
    // through the live ones.
    KeepLiveTables(gTunerTrials[0], n);
    gTunerTrials[0].set.runLengthFlag = gTunerSaved.runLengthFlag;
    for (int32_t k = 1; k < kTunerTrials; ++k) {
        TunerSet& c = gTunerTrials[k].set;
        DrawNormalisedWeights(gGlobalRandomB, c.transformWeights, n.transforms);
        std::copy_n(c.transformWeights, n.transforms, gTransformWeights);
        BuildTransformPickTable();
        DrawNormalisedWeights(gGlobalRandomB, c.baseshapeProbabilities, n.baseshapes);
        for (int b = 0; b < n.baseshapes; ++b) gBaseshapes[b].probability = c.baseshapeProbabilities[b];
        c.runLengthFlag = RandomCoin(gGlobalRandomB) ? 1 : 0;
        SetRunLengthFlag(c.runLengthFlag, n.baseshapes);
        DrawNormalisedWeights(gGlobalRandomB, c.copyWeights, n.copies);
        for (int i = 0; i < n.copies; ++i) gSymmetryCopyWeights[i].store(c.copyWeights[i]);
        KeepLiveTables(gTunerTrials[k], n);
    }
    SaveSlotState(0, gTunerStart);
    gTunerScoring.batches = scoringBatches;
    gTunerScoring.perspective = gPerspectiveOn != 0;
    ScoreAllTrials();

    if (scores) {
        for (int32_t k = 0; k < kTunerTrials; ++k) scores[k] = gTunerTrials[k].score;
    }
    // The baseline wins ties; the earliest of equal candidates wins.
    const int64_t best0 = gTunerTrials[0].score;
    bool stopped = best0 < 0;
    int64_t best = best0;
    int32_t winner = 0;
    for (int32_t k = 1; k < kTunerTrials && !stopped; ++k) {
        const int64_t count = gTunerTrials[k].score;
        if (count < 0) {
            stopped = true;
        } else if (count > best) {
            best = count;
            winner = k;
        }
    }
    // A stopped search keeps the settings it found.
    Install(stopped || winner == 0 ? gTunerSaved : gTunerTrials[winner].set, n);
    BuildTransformPickTable();
    ResumeRenderWorkers();
    return stopped ? -1 : winner;
}

void TuneTransformProbabilities() { RunProbabilityTuning(kTunerScoringBatches); }
