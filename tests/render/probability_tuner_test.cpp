#include "render/probability_tuner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "support/render_test_support.h"

namespace {

constexpr int kSize = 64;
constexpr int32_t kBatches = 4;

class TunerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetUpSierpinskiRender(kSize, 0.9f));
        gBaseshapeCount = 2;
        gBaseshapes[0].probability = 0.3f;
        gBaseshapes[1].probability = 0.7f;
        gBaseshapes[0].randomRunLength = gBaseshapes[1].randomRunLength = 1;
        gVolumetricFogOn.store(0);
        gRenderRunFlag.store(1);  // the tuner runs inside a render
    }
    void TearDown() override
    {
        gRenderRunFlag.store(0);
        gVolumetricFogOn.store(0);
        gSymmetryOn.store(0);
        gSymmetryMode.store(kSymmetryModeNormal);
        FreeRenderBuffers();
    }
    static void FillDepth(float value) { std::fill_n(gDepthBuffer, kSize * kSize, value); }
};

TEST_F(TunerTest, TiesKeepTheBaselineExactly)
{
    FillDepth(1e9f);  // nothing can land in front: every trial scores 0
    const float weights[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    std::copy_n(weights, 4, gTransformWeights);
    EXPECT_EQ(RunProbabilityTuning(kBatches), 0);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(gTransformWeights[t], weights[t]) << t;
    EXPECT_EQ(gBaseshapes[0].probability, 0.3f);
    EXPECT_EQ(gBaseshapes[1].probability, 0.7f);
    EXPECT_EQ(gBaseshapes[1].randomRunLength, 1);
    EXPECT_EQ(gRenderPaused.load(), 0);
}

// Transformation 0 lands in the image, transformation 1 far outside: a
// baseline that rarely picks 0 loses to almost any random weight set.
TEST_F(TunerTest, ABetterCandidateIsInstalledNormalised)
{
    TransformCoefficients& c = gTransformCoefficients;
    for (int t = 0; t < 2; ++t) {
        c.m00[t] = c.m11[t] = c.m22[t] = 0.0f;
        c.ty[t] = c.tz[t] = 0.0f;
    }
    c.tx[0] = 0.5f;
    c.tx[1] = 100.0f;
    gPickTransformCount = 2;
    gTransformWeights[0] = 0.02f;
    gTransformWeights[1] = 0.98f;
    BuildTransformPickTable();
    FillDepth(0.0f);
    const int32_t winner = RunProbabilityTuning(kBatches);
    EXPECT_GE(winner, 1);
    EXPECT_GT(gTransformWeights[0], 0.02f);
    EXPECT_NEAR(gTransformWeights[0] + gTransformWeights[1], 1.0f, 1e-6f);
    EXPECT_NEAR(gBaseshapes[0].probability + gBaseshapes[1].probability, 1.0f, 1e-6f);
    EXPECT_EQ(gBaseshapes[0].randomRunLength, gBaseshapes[1].randomRunLength);
}

// With fog on the tuner only rebuilds the pick table; a stopped render ends
// the search. Neither draws a candidate nor changes a weight.
TEST_F(TunerTest, FogOnOrAStoppedRenderKeepsTheSettings)
{
    const float weights[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    for (const auto& [fog, run] : {std::pair{1, 1}, {0, 0}}) {
        gVolumetricFogOn.store(static_cast<uint8_t>(fog));
        gRenderRunFlag.store(run);
        std::copy_n(weights, 4, gTransformWeights);
        const RandomState before = gGlobalRandomB;
        EXPECT_EQ(RunProbabilityTuning(kBatches), -1) << fog;
        for (int t = 0; t < 4; ++t) EXPECT_EQ(gTransformWeights[t], weights[t]) << fog;
        EXPECT_EQ(std::memcmp(&before, &gGlobalRandomB, sizeof before), 0) << fog;
        EXPECT_EQ(gRenderPaused.load(), 0) << fog;
    }
}

TEST_F(TunerTest, CopyWeightsAreResetInModesEightAndUpAndKeptOnTies)
{
    FillDepth(1e9f);
    gSymmetryOn.store(1);
    gSymmetryMode.store(8);  // nine copies
    gMirrorCopy = 1;
    for (auto& w : gSymmetryCopyWeights) w.store(0.5f);
    EXPECT_EQ(RunProbabilityTuning(kBatches), 0);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(gSymmetryCopyWeights[i].load(), 1.0f / 9.0f) << i;
    EXPECT_EQ(gMirrorCopy, 0);
    // Below mode 8 the copy weights are neither drawn nor restored.
    gSymmetryMode.store(3);
    for (auto& w : gSymmetryCopyWeights) w.store(0.5f);
    RunProbabilityTuning(kBatches);
    EXPECT_EQ(gSymmetryCopyWeights[0].load(), 0.5f);
}

// Held workers that do nothing between pauses: the tuner scores on them.
void IdleCycle(uint8_t) {}

// The trials run on 0 (this thread), 1, 3 and 8 held workers: the same
// scores, the same winner and the same installed weights every time, with
// and without baseshapes and symmetry.
TEST_F(TunerTest, ScoresAndWinnerDoNotDependOnTheWorkers)
{
    struct Case {
        int baseshapes;
        int symmetryMode;
    } const cases[] = {{0, kSymmetryModeNormal}, {1, kSymmetryModeNormal}, {0, 8}};
    for (const Case& c : cases) {
        std::vector<int64_t> first;
        float firstWeights[4] = {};
        for (int workers : {0, 1, 3, 8}) {
            ASSERT_TRUE(SetUpSierpinskiRender(kSize, 0.9f));
            gBaseshapeCount = 1;
            gBaseshapes[0].probability = 1.0f;
            gBaseshapes[0].pointsPerRun = 20;
            gBaseshapes[0].shapeType = 1;  // sphere
            gBaseshapePointTemplates[0].size = 0.5f;
            BuildBaseshapeGeneratorTables();
            gUseBaseshapes = static_cast<uint8_t>(c.baseshapes);
            gSymmetryOn.store(c.symmetryMode != kSymmetryModeNormal);
            gSymmetryMode.store(c.symmetryMode);
            // Half the image lies in front: scores differ from trial to trial.
            for (int i = 0; i < kSize * kSize; ++i) gDepthBuffer[i] = (i % kSize) < kSize / 2 ? 0.0f : 1e9f;
            gRenderRunFlag.store(1);
            std::vector<std::thread> held;
            for (int i = 0; i < workers; ++i) held.emplace_back(RunWorkerLoop, i, IdleCycle);
            while (LiveWorkerCount() < workers) std::this_thread::yield();
            int64_t scores[kTunerTrials];
            const int32_t winner = RunProbabilityTuning(kBatches, scores);
            gRenderRunFlag.store(0);
            for (auto& t : held) t.join();
            const std::vector<int64_t> got(scores, scores + kTunerTrials);
            if (workers == 0) {
                first = got;
                std::copy_n(gTransformWeights, 4, firstWeights);
                EXPECT_GT(*std::max_element(got.begin(), got.end()), *std::min_element(got.begin(), got.end()));
                EXPECT_GE(winner, 0);
                continue;
            }
            EXPECT_EQ(got, first) << workers << " workers, case " << c.baseshapes << "/" << c.symmetryMode;
            for (int t = 0; t < 4; ++t) EXPECT_EQ(gTransformWeights[t], firstWeights[t]) << workers;
        }
    }
}

// One held worker on a seeded start state: the search that scored every
// trial on that worker alone found these scores and this winner; the
// helpers that now take the trials beside it find the same.
TEST_F(TunerTest, OneWorkerFindsTheWinnerTheOneThreadSearchFound)
{
    const int64_t expectedScores[kTunerTrials] = {2034, 1500, 1519, 2545, 2888, 1494, 2075, 2698, 2639, 1740,
                                                  2826, 1829, 2618, 2125, 2155, 2081, 2971, 2926, 2297, 1232};
    const int32_t expectedWinner = 16;
    gUseBaseshapes = 0;
    for (int i = 0; i < kSize * kSize; ++i) gDepthBuffer[i] = (i % kSize) < kSize / 2 ? 0.0f : 1e9f;
    std::thread worker(RunWorkerLoop, 0, IdleCycle);
    while (LiveWorkerCount() < 1) std::this_thread::yield();
    int64_t scores[kTunerTrials];
    const int32_t winner = RunProbabilityTuning(kBatches, scores);
    gRenderRunFlag.store(0);
    worker.join();
    EXPECT_EQ(winner, expectedWinner);
    EXPECT_EQ(std::vector<int64_t>(scores, scores + kTunerTrials),
              std::vector<int64_t>(expectedScores, expectedScores + kTunerTrials));
}

TEST(NormalisedWeights, SumToOneAndASingleWeightIsOne)
{
    RandomState random;
    SeedRandomState(random, 5);
    float w[7];
    DrawNormalisedWeights(random, w, 7);
    float sum = 0;
    for (float v : w) {
        EXPECT_GE(v, 0.0f);
        sum += v;
    }
    EXPECT_NEAR(sum, 1.0f, 1e-5f);
    DrawNormalisedWeights(random, w, 1);
    EXPECT_EQ(w[0], 1.0f);
    // A zero sum is drawn again: this state gives 0 (1776 + carry wraps to
    // 2^32), then 1493.
    RandomState zero{{0, 1, 0, 0}, 0xFFFFFFFFu - 1775u};
    RandomState probe = zero;
    ASSERT_EQ(RandomStep(probe), 0u);
    ASSERT_EQ(RandomStep(probe), 1493u);
    DrawNormalisedWeights(zero, w, 1);
    EXPECT_EQ(w[0], 1.0f);
    EXPECT_EQ(zero.word[0], 1493u);
}

}  // namespace
