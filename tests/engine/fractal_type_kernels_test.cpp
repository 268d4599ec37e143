// The kernels of types 2, 24 to 45 and 47: where each orbit resumes, the
// restarts, worked points with a forced transformation, and single types'
// edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/kernel_framework.h"
#include "engine/kernels_radiolarians.h"
#include "support/slot_setup.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
std::vector<int32_t> gSteps;  // the transformation argument of each colouring step
void RecordStep(uint8_t, int32_t t, int32_t) { gSteps.push_back(t); }
void IgnoreStart(uint8_t) {}

// n transformations; type 2 with "Linear" alone and type 45 with the
// quaternion maps p -> 0.5 p + (0.1 t, 0, 0) behave like contractions too.
void ResetKernelModel(int n)
{
    test_support::ResetModel(n);
    static const bool built = (BuildBaseshapeGeneratorTables(), true);
    (void)built;
    for (int t = 0; t < kMaxTransforms; ++t) {
        TransformRecord& r = gTransforms[t];
        std::fill(r.variationOn, r.variationOn + 13, 0);
        std::fill(r.variationAmount, r.variationAmount + 13, 0.0f);
        r.variationOn[0] = 1, r.variationAmount[0] = 1;
        const float a[4] = {0.5f, 0, 0, 0}, b[4] = {0.1f * static_cast<float>(t % 3), 0, 0, 0}, d[4] = {1, 0, 0, 0};
        std::copy(a, a + 4, gTransformQuaternionA[t]);
        std::copy(b, b + 4, gTransformQuaternionB[t]);
        std::fill(gTransformQuaternionC[t], gTransformQuaternionC[t] + 4, 0.0f);
        std::copy(d, d + 4, gTransformQuaternionD[t]);
    }
    gSteps.clear();
    for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStart[s] = IgnoreStart, gSlotColorStep[s] = RecordStep;
}

void ForceTransform(int t)
{
    for (auto& row : gTransformTransitions) std::fill(std::begin(row), std::end(row), static_cast<uint32_t>(t));
}

// The point the next call resumes from, in every store a type may read.
void SetResumePoint(uint8_t slot, float x, float y, float z)
{
    gSlotPoint.x[slot] = x, gSlotPoint.y[slot] = y, gSlotPoint.z[slot] = z;
    const int last = gSlotBatchLast[slot];
    gPointX[last] = x, gPointY[last] = y, gPointZ[last] = z;
    gSlotQuaternionPoint[slot] = {x, y, z, 0.0f};
}

const int kTypes[] = {2, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 47};

// Each type reads no orbit store but its own (slot point, last batch point or
// quaternion point), writes back only its own, and restarts from a NaN one.
TEST(Kernels, EachTypeResumesFromItsOwnOrbitAndRestartsFromNaN)
{
    const std::set<int> fromSlot = {2, 24, 28, 29, 44, 47};
    for (int type : kTypes) {
        const bool slot = fromSlot.count(type) != 0, batch = !slot && type != 45, quaternion = type == 45;
        std::vector<float> first;
        for (float poison : {7.0f, -5.0f}) {
            ResetKernelModel(3);
            SetResumePoint(4, 0.3f, -0.2f, 0.1f);
            if (!slot) gSlotPoint.x[4] = poison;
            if (!batch) gPointX[gSlotBatchLast[4]] = poison;
            if (!quaternion) gSlotQuaternionPoint[4].x = poison;
            kFractalTypes[type].kernel(4);
            const std::vector<float> points(gPointX + 4000, gPointX + 4999);
            if (first.empty()) first = points;
            EXPECT_EQ(points, first) << "type " << type << " read another orbit store";
            EXPECT_EQ(gSlotPoint.x[4] == poison, !slot) << type;
            EXPECT_EQ(gSlotQuaternionPoint[4].x == poison, !quaternion) << type;
        }
        SetResumePoint(5, kNaN, 0.0f, kNaN);
        kFractalTypes[type].kernel(5);
        EXPECT_TRUE(std::isfinite(gPointX[5000] + gPointY[5000] + gPointZ[5000])) << "type " << type;
    }
    // Type 2 also restarts a run-away point, at (0.162, 0.21, 0.141) with
    // previous transformation 0, here the identity.
    for (float bad : {kNaN, 101.0f}) {
        ResetKernelModel(3);
        test_support::SetAffine(0, 1, 0, 0, 0);
        std::fill(std::begin(gTransformTransitions[0]), std::end(gTransformTransitions[0]), 0u);
        gSlotTransform[5] = 2;
        SetResumePoint(5, bad, 0.0f, 0.0f);
        kFractalTypes[2].kernel(5);
        EXPECT_TRUE(gPointX[5999] == 0.162f && gPointY[5999] == 0.21f && gPointZ[5999] == 0.141f) << bad;
    }
}

struct WorkedPoint {
    const char* name;
    int type, t;
    float in[3], out[3];
    float t0[4], t1[4];  // scale and position of transformations 0 and 1
};

TEST(Kernels, WorkedPointsWithAForcedTransformation)
{
    const float h = 1.5707964f;
    const WorkedPoint cases[] = {
        {"Rings invert and flip y", 40, 0, {2, 1, 0}, {-0.5f, 0.5f, 0}, {1, 1, 0, 0}, {1, 0, 0, 0}},
        {"Trilobites: d / |d|^2 + v", 43, 0, {2, 0, 0}, {1.5f, 0, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}},
        {"Stars: the centre goes to k v", 44, 1, {1, 0, 0}, {1, 0, 0}, {1, 0, 0, 0}, {0.5f, 1, 0, 0}},
        {"Julia Set IV: the root of -4 is 2i", 25, 1, {-4, 1, 0}, {-4, 1.1475f, 2}, {1, 0, 0, 0}, {1, 1, 0, 1}},
        {"Julia Set IV: t = 0 takes -2i", 25, 0, {-4, -1, 0}, {-4, -0.8525f, -2}, {1, 0, 0, 0}, {1, 1, 0, 1}},
        {"Quaternion Julia 2 at the origin", 39, 1, {0, 0, 0}, {0.0707107f, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Quaternion Julia 2, t = 0 negates", 39, 0, {0, 0, 0}, {-0.0707107f, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Square Castle folds the origin", 38, 2, {0, 4, 0}, {0, 2, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Square Castle, t = 0 lifts y", 38, 0, {1, 3, 2}, {1, 2, 2}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Spiky Julia 2.5D: 16^(3/8)", 31, 1, {-4, 0, 0}, {0, 0.1475f, 2.828427f}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Towers t = 0 scales", 47, 0, {1, 2, 3}, {2, 4, 6}, {2, 0.5f, 0, 0}, {3, 1, 1, 1}},
        {"Towers t = 1 shifts, maps, shifts", 47, 1, {1, 0, 0}, {6.5f, 3, 3}, {2, 0.5f, 0, 0}, {3, 1, 1, 1}},
        {"Towers t = 3 keeps the point", 47, 3, {1, 2, 3}, {1, 2, 3}, {2, 0.5f, 0, 0}, {3, 1, 1, 1}},
        {"Flames without variations: origin", 2, 2, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"Flames sum Sinusoidal and FishEye", 2, 1, {h, 0, 0}, {2 + 2 * h / (h + 1), 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
    };
    for (const WorkedPoint& c : cases) {
        ResetKernelModel(5);
        test_support::SetAffine(0, c.t0[0], c.t0[1], c.t0[2], c.t0[3]);
        test_support::SetAffine(1, c.t1[0], c.t1[1], c.t1[2], c.t1[3]);
        gTransforms[2].variationOn[0] = 0;
        TransformRecord& flame = gTransforms[1];
        flame.variationOn[0] = 0, flame.variationOn[1] = flame.variationOn[6] = 1;  // "Sinusoidal", "FishEye"
        flame.variationAmount[1] = 2, flame.variationAmount[6] = 1;
        ForceTransform(c.t);
        SetResumePoint(6, c.in[0], c.in[1], c.in[2]);
        kFractalTypes[c.type].kernel(6);
        const float got[3] = {gPointX[6000], gPointY[6000], gPointZ[6000]};
        for (int e = 0; e < 3; ++e) EXPECT_NEAR(got[e], c.out[e], 1e-5f) << c.name << ", axis " << e;
    }
}

TEST(Kernels, QuaternionJuliaTwoEndsTheCallOrReseeds)
{
    ResetKernelModel(3);
    test_support::SetAffine(0, 0.5f, 100.0f, 0, 0);  // every orbit escapes at once
    std::fill(gPointX + 7000, gPointX + 8000, -3.0f);
    kFractalTypes[39].kernel(7);
    EXPECT_TRUE(std::all_of(gPointX + 7000, gPointX + 8000, [](float x) { return x == -3.0f; }));
    // With baseshapes the seeds themselves end up in the batch, on the unit sphere.
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 5;
    kFractalTypes[39].kernel(7);
    for (int j = 7000; j < 8000; ++j)
        ASSERT_NEAR(std::hypot(gPointX[j], gPointY[j], gPointZ[j]), 1.0f, 1e-4f) << j;
    gUseBaseshapes = 0;
}

TEST(Kernels, ReflectionOddsFollowTheCallsFirstWord)
{
    ResetKernelModel(3);
    for (int t = 0; t < 3; ++t) test_support::SetAffine(t, 0.5f, 1.0f, 0, 0);  // x > 0 before the mirror
    const struct {
        uint32_t lo, hi;
        int least, most;
    } cases[] = {{0, 1u << 20, 995, 1000}, {0xfff00000u, 0xffffffffu, 0, 5}};
    for (const auto& c : cases) {
        uint32_t s = 1;
        while (HashStep(s) < c.lo || HashStep(s) > c.hi) ++s;
        gSlotHash[1] = s;
        kFractalTypes[24].kernel(1);
        const auto mirrored = std::count_if(gPointX + 1000, gPointX + 2000, [](float x) { return x < 0; });
        EXPECT_GE(mirrored, c.least);
        EXPECT_LE(mirrored, c.most);
    }
}

TEST(Kernels, RadiolariansPickEveryVertexAndWithAHugeRadiusRepeatTheSeed)
{
    const std::pair<const KernelVertex*, int> tables[] = {
        {gKernelTetrahedronVertices, 4}, {gKernelOctahedronVertices, 6}, {gKernelCubeVertices, 8},
        {gKernelDodecahedronVertices, 20}, {gKernelIcosahedronVertices, 12}};
    for (int type = 32; type <= 36; ++type) {
        const auto [v, n] = tables[type - 32];
        float sum[3] = {0, 0, 0};
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(std::hypot(v[i].x, v[i].y, v[i].z), 1.0f, 2e-3f) << type << " " << i;
            sum[0] += v[i].x, sum[1] += v[i].y, sum[2] += v[i].z;
        }
        EXPECT_LT(std::hypot(sum[0], sum[1], sum[2]), 5e-3f) << type;  // centred
        ResetKernelModel(3);
        gTransformCoefficients.tz[0] = 1e30f;
        gUseBaseshapes = 1;
        gBaseshapes[0].pointsPerRun = 10;
        kFractalTypes[type].kernel(2);
        for (int j = 2000; j < 3000; ++j) ASSERT_EQ(gPointX[j], gPointX[j - j % 10]) << type << " " << j;
        EXPECT_EQ(std::set<int32_t>(gSteps.begin(), gSteps.end()).size(), static_cast<size_t>(n)) << type;
        EXPECT_LT(*std::max_element(gSteps.begin(), gSteps.end()), n);
        gUseBaseshapes = 0;
    }
}

TEST(Kernels, JuliaSphereKeepsThePreviousTransformationAndKleiniansDoNotColour)
{
    ResetKernelModel(3);
    gSlotTransform[3] = 2;
    kFractalTypes[41].kernel(3);
    EXPECT_EQ(gSlotTransform[3], 2);
    // The colouring step sees the flag "entry not 0" of row 2 (entries e mod 3).
    const auto flags = std::count(gSteps.begin(), gSteps.end(), 1);
    EXPECT_EQ(flags + std::count(gSteps.begin(), gSteps.end(), 0), 1000);
    EXPECT_TRUE(flags > 550 && flags < 780) << flags;

    gSteps.clear();
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    kFractalTypes[45].kernel(0);
    EXPECT_TRUE(gSteps.empty());
    EXPECT_TRUE(std::all_of(gPointColorIndex, gPointColorIndex + 1000, [](uint8_t k) { return k == 1; }));
    gUseBaseshapes = 0;
}

}  // namespace
