#include "render/probability_tuner.h"

#include <algorithm>
#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/surface_placement.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

namespace {

constexpr int kScoredPoints = 999;  // batch points 0..998 of slot 0

// One weight set of the search.
struct TunerSet {
    float transformWeights[kMaxTransforms];
    float baseshapeProbabilities[kMaxBaseshapes];
    float copyWeights[kSymmetryCopyWeightCount];
    uint8_t runLengthFlag;
};

// Working sets of the tuner: fixed-size globals, never allocated.
TunerSet gTunerSaved;
TunerSet gTunerCandidate;
TunerSet gTunerBest;

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

// Points of fresh slot-0 batches that land in front of the depth image;
// -1 when the render stopped meanwhile.
int64_t ScoreCurrentSettings(int32_t batches, bool perspective)
{
    const int first = gSlotBatchStart[0];
    int64_t count = 0;
    for (int32_t n = 0; n < batches; ++n) {
        if (gRenderRunFlag.load(std::memory_order_relaxed) != 1) return -1;
        gFractalTypeKernel.load(std::memory_order_relaxed)(0);
        if (gSymmetryOn.load(std::memory_order_relaxed)) ApplySymmetry(0);
        count += CountSliceInFront(first, kScoredPoints, perspective);
    }
    return count;
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

int32_t RunProbabilityTuning(int32_t scoringBatches)
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
    gTunerBest.runLengthFlag = gTunerSaved.runLengthFlag;

    const bool perspective = gPerspectiveOn != 0;
    int64_t best = 0;
    int32_t winner = 0;
    bool stopped = false;
    for (int32_t k = 0; k < kTunerTrials && !stopped; ++k) {
        if (k >= 1) {
            TunerSet& c = gTunerCandidate;
            DrawNormalisedWeights(gGlobalRandomB, c.transformWeights, n.transforms);
            std::copy_n(c.transformWeights, n.transforms, gTransformWeights);
            BuildTransformPickTable();
            DrawNormalisedWeights(gGlobalRandomB, c.baseshapeProbabilities, n.baseshapes);
            for (int b = 0; b < n.baseshapes; ++b) gBaseshapes[b].probability = c.baseshapeProbabilities[b];
            c.runLengthFlag = RandomCoin(gGlobalRandomB) ? 1 : 0;
            SetRunLengthFlag(c.runLengthFlag, n.baseshapes);
            DrawNormalisedWeights(gGlobalRandomB, c.copyWeights, n.copies);
            for (int i = 0; i < n.copies; ++i) gSymmetryCopyWeights[i].store(c.copyWeights[i]);
        }
        const int64_t count = ScoreCurrentSettings(scoringBatches, perspective);
        if (count < 0) {
            stopped = true;
        } else if (k == 0) {
            best = count;
        } else if (count > best) {
            gTunerBest = gTunerCandidate;
            best = count;
            winner = k;
        }
    }
    // A stopped search keeps the settings it found.
    Install(stopped || winner == 0 ? gTunerSaved : gTunerBest, n);
    BuildTransformPickTable();
    ResumeRenderWorkers();
    return stopped ? -1 : winner;
}

void TuneTransformProbabilities() { RunProbabilityTuning(kTunerScoringBatches); }
