// The kernels of types 2, 24 to 45 and 47: where each orbit resumes, the
// restarts, worked points with a forced transformation, and the edge cases
// of single types.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/kernel_framework.h"
#include "engine/kernels_affine_variants.h"
#include "engine/kernels_complex_roots.h"
#include "engine/kernels_radiolarians.h"
#include "support/slot_setup.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Benign quaternion maps for type 45: p -> 0.5 p + (0.1 t, 0, 0), mirrored in y and z.
void SetQuaternionMaps()
{
    for (int t = 0; t < kMaxTransforms; ++t) {
        const float a[4] = {0.5f, 0, 0, 0}, b[4] = {0.1f * static_cast<float>(t % 3), 0, 0, 0}, c[4] = {0, 0, 0, 0},
                    d[4] = {1, 0, 0, 0};
        for (int e = 0; e < 4; ++e) {
            gTransformQuaternionA[t][e] = a[e];
            gTransformQuaternionB[t][e] = b[e];
            gTransformQuaternionC[t][e] = c[e];
            gTransformQuaternionD[t][e] = d[e];
        }
    }
}

// Every transformation's variations off but "Linear", so type 2 is the affine game.
void LinearFlames()
{
    for (TransformRecord& r : gTransforms) {
        for (int v = 0; v < 13; ++v) r.variationOn[v] = 0, r.variationAmount[v] = 0;
        r.variationOn[0] = 1;
        r.variationAmount[0] = 1;
    }
}

std::vector<int32_t> gSteps;  // transformation argument of each colouring step
void RecordStep(uint8_t, int32_t t, int32_t) { gSteps.push_back(t); }
void IgnoreStart(uint8_t) {}

class Kernels : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(3);
        static const bool built = (BuildBaseshapeGeneratorTables(), true);
        (void)built;
        gSteps.clear();
    }
    void TearDown() override
    {
        gUseBaseshapes = 0;
        ResetColoringTables();
    }
    static void ForceTransform(int t)
    {
        for (auto& row : gTransformTransitions)
            for (uint32_t& e : row) e = static_cast<uint32_t>(t);
    }
    // The point the next call resumes from, wherever the type keeps it.
    static void SetResumePoint(uint8_t slot, float x, float y, float z)
    {
        gSlotPoint.x[slot] = x, gSlotPoint.y[slot] = y, gSlotPoint.z[slot] = z;
        const int last = gSlotBatchLast[slot];
        gPointX[last] = x, gPointY[last] = y, gPointZ[last] = z;
        gSlotQuaternionPoint[slot] = {x, y, z, 0.0f};
    }
    static void RecordSteps()
    {
        for (int s = 0; s < kMaxRenderSlots; ++s) {
            gSlotColorStart[s] = IgnoreStart;
            gSlotColorStep[s] = RecordStep;
        }
    }
};

const int kTypes[] = {2, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 47};

enum class Source { kSlot, kBatch, kQuaternion };

Source SourceOf(int type)
{
    if (type == 45) return Source::kQuaternion;
    const bool slot = type == 2 || type == 24 || type == 28 || type == 29 || type == 44 || type == 47;
    return slot ? Source::kSlot : Source::kBatch;
}

// Each type resumes from its own orbit store, reads no other and writes back
// only its own.
TEST_F(Kernels, EachTypeResumesFromItsOwnOrbit)
{
    for (int type : kTypes) {
        const Source source = SourceOf(type);
        std::vector<float> first;
        for (float poison : {7.0f, -5.0f}) {
            test_support::ResetModel(3);
            LinearFlames();
            SetQuaternionMaps();
            SetResumePoint(4, 0.3f, -0.2f, 0.1f);
            if (source != Source::kSlot) gSlotPoint.x[4] = poison;
            if (source != Source::kBatch) gPointX[gSlotBatchLast[4]] = poison;
            if (source != Source::kQuaternion) gSlotQuaternionPoint[4].x = poison;
            kFractalTypes[type].kernel(4);
            const std::vector<float> batch(gPointX + 4000, gPointX + 4999);
            if (first.empty()) first = batch;
            else EXPECT_EQ(batch, first) << "type " << type << " read another orbit store";
            EXPECT_EQ(gSlotPoint.x[4] == poison, source != Source::kSlot) << type;
            EXPECT_EQ(gSlotQuaternionPoint[4].x == poison, source != Source::kQuaternion) << type;
        }
    }
}

// A non-finite point to resume from restarts the orbit at a finite point.
TEST_F(Kernels, NaNResumePointsRestart)
{
    for (int type : kTypes) {
        test_support::ResetModel(3);
        LinearFlames();
        SetQuaternionMaps();
        SetResumePoint(5, kNaN, 0.0f, kNaN);
        kFractalTypes[type].kernel(5);
        EXPECT_TRUE(std::isfinite(gPointX[5000]) && std::isfinite(gPointY[5000]) && std::isfinite(gPointZ[5000]))
            << "type " << type;
    }
    // Types 2 and 48 also restart a run-away point, at (0.162, 0.21, 0.141)
    // with previous transformation 0; type 2 with only the identity shows it.
    for (float bad : {kNaN, 101.0f}) {
        test_support::ResetModel(3);
        LinearFlames();
        test_support::SetAffine(0, 1, 0, 0, 0);
        for (uint32_t& e : gTransformTransitions[0]) e = 0;
        gSlotTransform[5] = 2;
        SetResumePoint(5, bad, 0.0f, 0.0f);
        RunFractalType02(5);
        EXPECT_EQ(gPointX[5999], 0.162f);
        EXPECT_EQ(gPointY[5999], 0.21f);
        EXPECT_EQ(gPointZ[5999], 0.141f);
    }
}

struct WorkedPoint {
    const char* name;
    int type, t;
    float x, y, z;
    float ex, ey, ez;
    void (*setup)();
};

void RingsAtOne() { test_support::SetAffine(0, 1, 1, 0, 0); }
void TrilobiteAtOne() { test_support::SetAffine(0, 0, 1, 0, 0); }
void StarAtOne() { test_support::SetAffine(1, 0.5f, 1, 0, 0); }
void JuliaAtOrigin()
{
    test_support::SetAffine(0, 1, 0, 0, 0);
    test_support::SetAffine(1, 1, 1, 0, 1);
}
void TowersSet()
{
    test_support::SetAffine(0, 2, 0.5f, 0, 0);
    test_support::SetAffine(1, 3, 1, 1, 1);
}
void NoVariation() {}
void FlameSinusoidal()
{
    gTransforms[1].variationOn[1] = 1;
    gTransforms[1].variationAmount[1] = 2;
    gTransforms[1].variationOn[6] = 1;  // "FishEye": 2 w p / (r + 1)
    gTransforms[1].variationAmount[6] = 1;
}
void Nothing() {}

TEST_F(Kernels, WorkedPointsWithAForcedTransformation)
{
    const float pi2 = 1.5707964f;
    const WorkedPoint cases[] = {
        {"Rings invert in the unit sphere and flip y", 40, 0, 2, 1, 0, -0.5f, 0.5f, 0, RingsAtOne},
        {"Trilobites: 1/|d|^2 d + v", 43, 0, 2, 0, 0, 1.5f, 0, 0, TrilobiteAtOne},
        {"Stars: the centre goes to k v", 44, 1, 1, 0, 0, 1, 0, 0, StarAtOne},
        {"Julia Set IV: root of -4 is 2i", 25, 1, -4, 1, 0, -4, 1.1475f, 2, JuliaAtOrigin},
        {"Julia Set IV: t = 0 takes -2i", 25, 0, -4, -1, 0, -4, -0.8525f, -2, JuliaAtOrigin},
        {"Quaternion Julia 2 at the origin", 39, 1, 0, 0, 0, std::sqrt(0.005f), 0, 0, JuliaAtOrigin},
        {"Quaternion Julia 2, t = 0 negates", 39, 0, 0, 0, 0, -std::sqrt(0.005f), 0, 0, JuliaAtOrigin},
        {"Square Castle folds at the origin", 38, 2, 0, 4, 0, 0, 2, 0, JuliaAtOrigin},
        {"Square Castle, t = 0 lifts y", 38, 0, 1, 3, 2, 1, 2, 2, JuliaAtOrigin},
        {"Towers t = 0 scales", 47, 0, 1, 2, 3, 2, 4, 6, TowersSet},
        {"Towers t = 1 shifts, maps, shifts", 47, 1, 1, 0, 0, 6.5f, 3, 3, TowersSet},
        {"Towers t = 3 keeps the point", 47, 3, 1, 2, 3, 1, 2, 3, TowersSet},
        {"Flames without a variation go to the origin", 2, 2, 0.5f, 0.5f, 0.5f, 0, 0, 0, NoVariation},
        {"Flames sum their variations", 2, 1, pi2, 0, 0, 2 + 2 * pi2 / (pi2 + 1), 0, 0, FlameSinusoidal},
        {"Spiky Julia 2.5D: 16 to the 3/8 at half the angle", 31, 1, -4, 0, 0, 0, 0.1475f, 8 / std::sqrt(8.0f) * 1.0f, Nothing},
    };
    for (const WorkedPoint& c : cases) {
        test_support::ResetModel(5);
        for (TransformRecord& r : gTransforms) {
            for (int v = 0; v < 13; ++v) r.variationOn[v] = 0;
        }
        c.setup();
        ForceTransform(c.t);
        SetResumePoint(6, c.x, c.y, c.z);
        kFractalTypes[c.type].kernel(6);
        EXPECT_NEAR(gPointX[6000], c.ex, 1e-5f) << c.name;
        EXPECT_NEAR(gPointY[6000], c.ey, 1e-5f) << c.name;
        EXPECT_NEAR(gPointZ[6000], c.ez, 1e-5f) << c.name;
    }
}

TEST_F(Kernels, QuaternionJuliaTwoEndsTheCallOrRestartsTheRun)
{
    test_support::SetAffine(0, 0.5f, 100.0f, 0, 0);  // every orbit escapes at once
    for (int j = 7000; j < 8000; ++j) gPointX[j] = -3.0f;
    RunFractalType39(7);
    for (int j = 7000; j < 8000; ++j) ASSERT_EQ(gPointX[j], -3.0f) << j;

    // With baseshapes the seeds themselves fill the batch, on the unit sphere.
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 5;
    RunFractalType39(7);
    for (int j = 7000; j < 8000; ++j) {
        const float r = std::sqrt(gPointX[j] * gPointX[j] + gPointY[j] * gPointY[j] + gPointZ[j] * gPointZ[j]);
        ASSERT_NEAR(r, 1.0f, 1e-4f) << j;
    }
}

// A slot hash whose next word lies in [lo, hi].
uint32_t HashBefore(uint32_t lo, uint32_t hi)
{
    for (uint32_t s = 1;; ++s) {
        const uint32_t h = HashStep(s);
        if (h >= lo && h <= hi) return s;
    }
}

TEST_F(Kernels, ReflectionOddsFollowTheCallsFirstWord)
{
    for (int t = 0; t < 3; ++t) test_support::SetAffine(t, 0.5f, 1.0f, 0, 0);  // x' in [0.5, 1.5] before the mirror
    const struct {
        uint32_t lo, hi;
        int minMirrored, maxMirrored;
    } cases[] = {{0, 1u << 20, 995, 1000}, {0xfff00000u, 0xffffffffu, 0, 5}};
    for (const auto& c : cases) {
        gSlotHash[1] = HashBefore(c.lo, c.hi);
        gSlotPoint.x[1] = 1.0f;
        RunFractalType24(1);
        int mirrored = 0;
        for (int j = 1000; j < 2000; ++j) mirrored += gPointX[j] < 0 ? 1 : 0;
        EXPECT_GE(mirrored, c.minMirrored);
        EXPECT_LE(mirrored, c.maxMirrored);
    }
}

TEST_F(Kernels, RadiolariansWithAHugeRadiusRepeatTheSeed)
{
    gTransformCoefficients.tz[0] = 1e30f;
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    RecordSteps();
    const int sizes[] = {4, 6, 8, 20, 12};
    for (int type = 32; type <= 36; ++type) {
        gSteps.clear();
        kFractalTypes[type].kernel(2);
        for (int j = 2000; j < 3000; ++j) {
            const int first = 2000 + (j - 2000) / 10 * 10;
            ASSERT_EQ(gPointX[j], gPointX[first]) << type << " " << j;
            ASSERT_EQ(gPointZ[j], gPointZ[first]) << type << " " << j;
        }
        // The colouring step sees vertex numbers, every one of them.
        std::vector<int> seen(static_cast<size_t>(sizes[type - 32]), 0);
        for (int32_t v : gSteps) {
            ASSERT_GE(v, 0);
            ASSERT_LT(v, sizes[type - 32]) << type;
            seen[static_cast<size_t>(v)] = 1;
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), sizes[type - 32]) << type;
    }
}

TEST_F(Kernels, RadiolarianVerticesAreUnitLength)
{
    const std::pair<const KernelVertex*, int> tables[] = {{gKernelTetrahedronVertices, 4},
                                                          {gKernelOctahedronVertices, 6},
                                                          {gKernelCubeVertices, 8},
                                                          {gKernelDodecahedronVertices, 20},
                                                          {gKernelIcosahedronVertices, 12}};
    for (const auto& [v, n] : tables) {
        float sum[3] = {0, 0, 0};
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(std::sqrt(v[i].x * v[i].x + v[i].y * v[i].y + v[i].z * v[i].z), 1.0f, 2e-3f) << n << " " << i;
            sum[0] += v[i].x, sum[1] += v[i].y, sum[2] += v[i].z;
        }
        for (float s : sum) EXPECT_NEAR(s, 0.0f, 5e-3f) << n;  // centred polyhedra
    }
}

TEST_F(Kernels, JuliaSphereKeepsThePreviousTransformation)
{
    RecordSteps();
    for (int e = 0; e < 256; ++e) gTransformTransitions[2][e] = static_cast<uint32_t>(e % 3);
    gSlotTransform[3] = 2;
    RunFractalType41(3);
    EXPECT_EQ(gSlotTransform[3], 2);
    ASSERT_EQ(gSteps.size(), 1000u);
    int flags = 0;
    for (int32_t f : gSteps) {
        ASSERT_TRUE(f == 0 || f == 1);
        flags += f;
    }
    EXPECT_GT(flags, 550);  // two of three row entries are not 0
    EXPECT_LT(flags, 780);
}

TEST_F(Kernels, QuaternionicKleinianMakesNoColouringCalls)
{
    RecordSteps();
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    SetQuaternionMaps();
    kFractalTypes[45].kernel(0);
    EXPECT_TRUE(gSteps.empty());
    for (int j = 0; j < 1000; ++j) ASSERT_EQ(gPointColorIndex[j], 1);
    EXPECT_EQ(gSlotQuaternionPoint[0].w, 0.0f);
}

}  // namespace
