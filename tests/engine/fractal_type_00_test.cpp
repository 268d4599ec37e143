#include "engine/fractal_type_00.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "baseshapes/generator_table.h"
#include "support/slot_setup.h"

namespace {

// Records the structure of a call: -1 for a colouring start, j for a step.
std::vector<int> gEvents;
void RecordStart(uint8_t) { gEvents.push_back(-1); }
void RecordStep(uint8_t, int32_t, int32_t j) { gEvents.push_back(j); }

// Seeds lie on the plane y = 7, spread along x so each is distinct.
void SampleSeedLine(BaseshapePoint* p, uint8_t slot)
{
    p->x = gBaseshapeRandom[slot].RandomFloat();
    p->y = 7.0f;
    p->z = 0.0f;
}

class Type00 : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(3);
        gEvents.clear();
    }
    void TearDown() override { ResetColoringTables(); }
    void Record()
    {
        for (int s = 0; s < kMaxRenderSlots; ++s) {
            gSlotColorStart[s] = RecordStart;
            gSlotColorStep[s] = RecordStep;
        }
    }
    // Run lengths between colouring starts.
    static std::vector<int> Runs()
    {
        std::vector<int> runs;
        for (int e : gEvents) {
            if (e < 0) runs.push_back(0);
            else if (!runs.empty()) ++runs.back();
        }
        return runs;
    }
    test_support::ScopedSamplers samplers_{SampleSeedLine, SampleSeedLine};
};

TEST_F(Type00, FillsExactlyItsSlotsIndices)
{
    for (int j = 0; j < kPointBatchSize; ++j) gPointX[j] = -99.0f;
    gSlotPoint.x[5] = 1.0f;
    RunFractalType00(5);
    for (int j = 0; j < kPointBatchSize; ++j) {
        if (j >= 5000 && j < 6000) EXPECT_NE(gPointX[j], -99.0f) << j;
        else ASSERT_EQ(gPointX[j], -99.0f) << j;
    }
}

// The maps halve towards the origin, (1, 0, 0) or (0, 1, 0): every point of
// a call, the first included, is an image of the point before it, so a call
// continues the orbit where the last one stopped.
TEST_F(Type00, WithoutBaseshapesConsecutiveCallsContinueOneOrbit)
{
    float x = 0.3f, y = -0.2f, z = 0.9f;
    gSlotPoint.x[1] = x, gSlotPoint.y[1] = y, gSlotPoint.z[1] = z;
    for (int call = 0; call < 3; ++call) {
        RunFractalType00(1);
        for (int j = 1000; j < 2000; ++j) {
            const float dx = gPointX[j] - 0.5f * x, dy = gPointY[j] - 0.5f * y, dz = gPointZ[j] - 0.5f * z;
            const auto step = [](float d) { return std::fabs(d) < 1e-6f ? 0 : std::fabs(d - 0.5f) < 1e-6f ? 1 : 9; };
            ASSERT_LE(step(dx) + step(dy) + 9 * step(dz), 1) << "call " << call << " index " << j;
            x = gPointX[j], y = gPointY[j], z = gPointZ[j];
        }
        EXPECT_EQ(gSlotPoint.x[1], x);
    }
}

TEST_F(Type00, WithoutBaseshapesOneRunKeepsTheColourIndexAndColours)
{
    gPointColorIndex[2999] = 9;
    Record();
    RunFractalType00(2);
    EXPECT_EQ(Runs(), std::vector<int>{1000});
    for (int j = 2000; j < 3000; ++j) ASSERT_EQ(gPointColorIndex[j], 9);

    // A real colouring mode writes every point of the slice.
    gUseBaseshapes = 0;
    SetColoringMode(3);
    RunFractalType00(2);
    for (int j = 2000; j < 3000; ++j) {
        const int r = gPointColorR[j];
        ASSERT_TRUE(r == 10 || r == 50 || r == 90) << j;
    }
}

TEST_F(Type00, ZeroPointsPerRunStoresTheSeedsWithoutColouringSteps)
{
    gUseBaseshapes = 1;
    gBaseshapeCount = 2;
    gBaseshapes[0].probability = gBaseshapes[1].probability = 0.5f;
    Record();
    RunFractalType00(0);
    EXPECT_TRUE(gEvents.empty());
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(gPointY[j], 7.0f) << j;  // the seed itself, not an image
        ASSERT_TRUE(gPointColorIndex[j] == 1 || gPointColorIndex[j] == 2);
        ASSERT_EQ(gPointColorR[j], 0);     // colouring mode 8
    }
    EXPECT_EQ(gSlotPoint.y[0], 7.0f);
}

TEST_F(Type00, FixedRunLengthsAreCutOnlyByTheBatchEnd)
{
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 7;
    Record();
    RunFractalType00(0);
    const std::vector<int> runs = Runs();
    ASSERT_EQ(runs.size(), 143u);  // 142 runs of 7, then 6
    for (size_t r = 0; r + 1 < runs.size(); ++r) EXPECT_EQ(runs[r], 7);
    EXPECT_EQ(runs.back(), 6);
    for (int j = 0; j < 1000; ++j) ASSERT_EQ(gPointColorIndex[j], 1);
    // Each run's first point is the image of a seed on y = 7.
    EXPECT_NE(gPointY[0], 7.0f);
}

TEST_F(Type00, RandomRunLengthsStayWithinOneToN)
{
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 20;
    gBaseshapes[0].randomRunLength = 1;
    Record();
    for (int call = 0; call < 5; ++call) {
        gEvents.clear();
        RunFractalType00(3);
        const std::vector<int> runs = Runs();
        int total = 0, shortest = 99, longest = 0;
        for (int r : runs) {
            total += r;
            shortest = std::min(shortest, r);
            longest = std::max(longest, r);
        }
        EXPECT_EQ(total, 1000);
        EXPECT_GE(shortest, 1);
        EXPECT_LE(longest, 20);
        EXPECT_GT(runs.size(), 60u);  // about 1000 / 10.5
    }
}

TEST_F(Type00, ShowFirstPointStoresTheSeedExceptNearTheBatchEnd)
{
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    gBaseshapes[0].showBaseshape = 1;
    gBaseshapes[0].useGradient = 1;  // the ramp walk shows the colour restarts
    for (int k = 0; k < 256; ++k) gBaseshapeColorRamps[0].r[k] = static_cast<uint8_t>(k);
    Record();
    RunFractalType00(0);
    const std::vector<int> runs = Runs();
    // Blocks of seed + 10 until index 990, where the run would end at the
    // batch end: it goes without its seed.
    ASSERT_EQ(runs.size(), 91u);
    for (int b = 0; b < 90; ++b) {
        const int seed = 11 * b;
        EXPECT_EQ(gPointY[seed], 7.0f) << b;
        EXPECT_NE(gPointY[seed + 1], 7.0f) << b;
        EXPECT_EQ(gPointColorR[seed], 1) << b;  // first ramp entry, kept
        EXPECT_EQ(gPointColorR[seed + 1], 1) << b;  // the run restarts at entry 1
        EXPECT_EQ(gPointColorR[seed + 10], 10) << b;
        EXPECT_EQ(runs[b], 10);
    }
    EXPECT_EQ(runs[90], 10);
    for (int j = 990; j < 1000; ++j) EXPECT_NE(gPointY[j], 7.0f) << j;
}

// Slots share nothing but the read-only model: four workers at once give
// the same batches as the four slots run one after another.
TEST_F(Type00, ConcurrentSlotsMatchSequentialRuns)
{
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 13;
    gBaseshapes[0].randomRunLength = 1;
    gBaseshapes[0].useGradient = 1;
    for (int k = 0; k < 256; ++k) gBaseshapeColorRamps[0].g[k] = static_cast<uint8_t>(k);
    SetColoringMode(0);
    auto runAll = [](bool parallel) {
        test_support::ResetSlots();
        if (parallel) {
            std::vector<std::thread> workers;
            for (uint8_t s = 0; s < 4; ++s)
                workers.emplace_back([s] { for (int call = 0; call < 50; ++call) RunFractalType00(s); });
            for (std::thread& w : workers) w.join();
        } else {
            for (uint8_t s = 0; s < 4; ++s)
                for (int call = 0; call < 50; ++call) RunFractalType00(s);
        }
        std::vector<float> out;
        for (int j = 0; j < 4000; ++j) {
            out.push_back(gPointX[j]);
            out.push_back(gPointY[j]);
            out.push_back(gPointZ[j]);
            out.push_back(gPointColorR[j] + 256.0f * gPointColorG[j]);
        }
        return out;
    };
    const std::vector<float> sequential = runAll(false);
    EXPECT_EQ(runAll(true), sequential);
}

}  // namespace
