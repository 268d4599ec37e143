#include "engine/kernel_framework.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/escape_time_kernels.h"
#include "engine/fractal_type_00.h"
#include "engine/random.h"
#include "support/slot_setup.h"

namespace {

void OtherKernel(uint8_t) {}

TEST(FractalTypeTable, RowsInTypeOrderWithTheirKernels)
{
    for (int t = 0; t < kFractalTypeCount; ++t) {
        const FractalTypeRow& row = kFractalTypes[t];
        EXPECT_EQ(row.type, t);
        ASSERT_NE(row.name, nullptr);
        EXPECT_FALSE(std::string(row.name).empty()) << t;
        ASSERT_NE(row.kernel, nullptr) << t;
        EXPECT_EQ(row.altKernel != nullptr, t == 46 || t == 49) << t;
        // Every type runs a kernel of its own.
        for (int u = 0; u < t; ++u) {
            EXPECT_NE(row.kernel, kFractalTypes[u].kernel) << t << " " << u;
        }
    }
    EXPECT_STREQ(kFractalTypes[0].name, "IFS");
    EXPECT_STREQ(kFractalTypes[22].name, "Talvoran Script");
    EXPECT_STREQ(kFractalTypes[42].name, "IFS Reflection II ");
    EXPECT_STREQ(kFractalTypes[49].name, "Stochastic Mandelbrot Set II");
    EXPECT_EQ(kFractalTypes[46].kernel, &RunFractalType46);
    EXPECT_EQ(kFractalTypes[46].altKernel, &RunFractalType46Alt);
    EXPECT_EQ(kFractalTypes[49].kernel, &RunFractalType49);
    EXPECT_EQ(kFractalTypes[49].altKernel, &RunFractalType49Alt);
}

TEST(SelectFractalTypeKernel, EscapeFunctionFiveTakesTheAltKernel)
{
    const int32_t savedType = gFractalType, savedFunction = gEscapeFunction;
    for (int type : {46, 49}) {
        gFractalType = type;
        for (int f = 0; f <= 6; ++f) {
            gEscapeFunction = f;
            SelectFractalTypeKernel();
            const FractalKernel expected = f == 5 ? kFractalTypes[type].altKernel : kFractalTypes[type].kernel;
            EXPECT_EQ(gFractalTypeKernel.load(), expected) << type << " " << f;
        }
    }
    gFractalType = 0;
    gEscapeFunction = 5;
    SelectFractalTypeKernel();
    EXPECT_EQ(gFractalTypeKernel.load(), &RunFractalType00);

    for (int bad : {50, -1, 1000}) {
        gFractalTypeKernel = OtherKernel;
        gFractalType = bad;
        SelectFractalTypeKernel();
        EXPECT_EQ(gFractalTypeKernel.load(), &OtherKernel) << bad;
        EXPECT_EQ(FractalTypeKernelFor(bad, 0), nullptr);
    }
    gFractalType = savedType;
    gEscapeFunction = savedFunction;
    SelectFractalTypeKernel();
}

class EscapeTime : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(2);
        for (int k = 0; k < 256; ++k) {
            gEscapeGradient.r[k] = static_cast<uint8_t>(k);
            gEscapeGradient.g[k] = 200;
            gEscapeGradient.b[k] = static_cast<uint8_t>(255 - k);
        }
        gEscapeIterationLimit = 200;
        gMandelbrotScale = 1.0;
        gTransforms[0].variationAmount[0] = 1.0f;
        gTransforms[0].variationAmount[4] = 0.5f;
        gTransforms[0].variationAmount[5] = 0.25f;
        test_support::SetAffine(0, 0.05f, 0.0f, 0.0f, 0.0f);
        test_support::SetAffine(1, 0.05f, 0.0f, 0.0f, 0.0f);
        gEscapeFunction = 0;
    }
    void TearDown() override
    {
        gMandelbrotCentre[0] = gMandelbrotCentre[1] = 0.0;
        gEscapeFunction = 0;
    }
};

TEST_F(EscapeTime, PointsInsideTheSetLieAtHeightZeroAndAreBlack)
{
    const FractalKernel kernels[] = {RunFractalType46, RunFractalType46Alt, RunFractalType49, RunFractalType49Alt};
    for (FractalKernel kernel : kernels) {
        gMandelbrotCentre[0] = -0.1;  // inside the cardioid and near the Mandelbar's centre
        gPointColorIndex[6999] = 4;
        gSlotPoint.z[6] = 3.5f;
        for (int j = 6000; j < 7000; ++j) gPointY[j] = 9.0f;
        kernel(6);
        for (int j = 6000; j < 7000; ++j) {
            ASSERT_EQ(gPointY[j], 0.0f) << j;
            ASSERT_EQ(gPointColorR[j] | gPointColorG[j] | gPointColorB[j], 0) << j;
            ASSERT_EQ(gPointColorIndex[j], 4);
            ASSERT_LE(std::fabs(gPointX[j]), 0.05f);
            ASSERT_LE(std::fabs(gPointZ[j]), 0.05f);
        }
        EXPECT_EQ(gSlotPoint.z[6], 3.5f);
    }
}

TEST_F(EscapeTime, EscapedPointsTakeTheGradientEntryOfTheirCount)
{
    gMandelbrotCentre[0] = -0.75;  // the neck: counts spread over the limit
    gMandelbrotCentre[1] = 0.1;
    test_support::SetAffine(0, 0.2f, 0.0f, 0.0f, 0.0f);
    test_support::SetAffine(1, 0.2f, 0.0f, 0.0f, 0.0f);
    for (int function = 0; function <= 6; ++function) {
        gEscapeFunction = function;
        for (FractalKernel kernel : {RunFractalType46, RunFractalType49, RunFractalType46Alt, RunFractalType49Alt}) {
            kernel(2);
            int escaped = 0;
            for (int j = 2000; j < 3000; ++j) {
                ASSERT_TRUE(std::isfinite(gPointX[j]) && std::isfinite(gPointY[j]) && std::isfinite(gPointZ[j]));
                if (gPointColorG[j] == 0) continue;  // inside
                ++escaped;
                ASSERT_GE(gPointColorR[j], 1);
                ASSERT_LE(gPointColorR[j], 199);
                ASSERT_EQ(gPointColorB[j], 255 - gPointColorR[j]);
            }
            EXPECT_GT(escaped, 100) << function;
        }
    }
}

// Each point's colour is the escape count of its own sample, whatever the
// counts of the points computed beside it: z -> z^2 + c for type 46, the
// conjugate step for 49, from c = (x S + Cr, Ci - z S); inside (black) when
// the limit is reached. Limits of 1 to 200.
TEST_F(EscapeTime, EveryPointKeepsTheCountOfItsOwnSample)
{
    gMandelbrotCentre[0] = -0.75;
    gMandelbrotCentre[1] = 0.1;
    test_support::SetAffine(0, 0.3f, 0.0f, 0.0f, 0.0f);
    test_support::SetAffine(1, 0.3f, 0.0f, 0.0f, 0.0f);
    for (int limit : {1, 7, 200}) {
        gEscapeIterationLimit = limit;
        for (int type : {46, 49}) {
            (type == 46 ? RunFractalType46 : RunFractalType49)(1);
            for (int j = 1000; j < 2000; ++j) {
                const double cr = gPointX[j] * gMandelbrotScale + gMandelbrotCentre[0];
                const double ci = gMandelbrotCentre[1] - gPointZ[j] * gMandelbrotScale;
                const double sign = type == 46 ? 1.0 : -1.0;
                double zr = 0.0, zi = 0.0;
                int n = 0;
                while (n < limit && zr * zr + zi * zi < 1000.0) {
                    const double r = zr * zr - zi * zi + cr;
                    zi = 2.0 * zr * zi + sign * ci;
                    zr = r;
                    ++n;
                }
                // Type 46 also takes the cardioid and the bulb as inside without iterating.
                if (n >= limit) {
                    ASSERT_EQ(gPointColorG[j], 0) << type << " point " << j << " limit " << limit;
                } else {
                    ASSERT_EQ(gPointColorR[j], n) << type << " point " << j << " limit " << limit;
                }
            }
        }
    }
}

TEST_F(EscapeTime, FarSamplesEscapeAtOnceAndKeepTheirPlace)
{
    gMandelbrotCentre[0] = 40.0;
    gEscapeFunction = 3;
    RunFractalType46(0);
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(gPointColorR[j], 1);
        ASSERT_NEAR(gPointX[j], 0.0f, 0.05f);
    }
    // The slot point keeps the iterate before the escape: z = 0.
    EXPECT_EQ(gSlotPoint.x[0], 0.0f);
    EXPECT_EQ(gSlotPoint.y[0], 0.0f);
}

TEST_F(EscapeTime, TypeFortySixDrawsFromThePickTableTheOthersFromTheirRow)
{
    gMandelbrotCentre[0] = 40.0;
    for (int e = 0; e < 256; ++e) {
        gTransformPickTable[e] = 1;
        gTransformTransitions[0][e] = 0;
        gTransformTransitions[1][e] = 0;
    }
    gSlotTransform[0] = 0;
    RunFractalType46(0);
    EXPECT_EQ(gSlotTransform[0], 1);
    RunFractalType49(0);
    EXPECT_EQ(gSlotTransform[0], 0);
}

TEST_F(EscapeTime, AFunctionRowOutsideTheListGivesTheStandardHeights)
{
    gMandelbrotCentre[0] = -0.75;
    gMandelbrotCentre[1] = 0.1;
    test_support::SetAffine(0, 0.2f, 0.0f, 0.0f, 0.0f);
    test_support::SetAffine(1, 0.2f, 0.0f, 0.0f, 0.0f);
    for (FractalKernel kernel : {RunFractalType46, RunFractalType49}) {
        const RandomState draws = gSlotRandom[1];
        const uint32_t hash = gSlotHash[1];
        gEscapeFunction = 0;
        kernel(1);
        const std::vector<float> standard(gPointY + 1000, gPointY + 2000);
        for (int32_t damaged : {-3, 9}) {
            gSlotRandom[1] = draws;
            gSlotHash[1] = hash;
            gSlotTransform[1] = 0;
            gEscapeFunction = damaged;
            for (int j = 1000; j < 2000; ++j) gPointY[j] = 123.0f;
            kernel(1);
            EXPECT_EQ(std::vector<float>(gPointY + 1000, gPointY + 2000), standard) << damaged;
        }
        gSlotTransform[1] = 0;
    }
}

// Every output of three calls (points, colours, colour indices, slot point,
// hash, transformation and generator) hashed per case. The expected words
// were taken from the kernels that iterated every sample of type 49, so the
// inside test that spares type 49 the interior orbits must leave them all.
uint64_t HashEscapeOutputs(FractalKernel kernel, uint8_t slot)
{
    uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](const void* data, size_t bytes) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < bytes; ++i) h = (h ^ p[i]) * 1099511628211ull;
    };
    const int first = gSlotBatchStart[slot];
    for (int call = 0; call < 3; ++call) {
        kernel(slot);
        mix(gPointX + first, sizeof(float) * kSlotBatchSize);
        mix(gPointY + first, sizeof(float) * kSlotBatchSize);
        mix(gPointZ + first, sizeof(float) * kSlotBatchSize);
        mix(gPointColorR + first, kSlotBatchSize);
        mix(gPointColorG + first, kSlotBatchSize);
        mix(gPointColorB + first, kSlotBatchSize);
        mix(gPointColorIndex + first, kSlotBatchSize);
        const float point[3] = {gSlotPoint.x[slot], gSlotPoint.y[slot], gSlotPoint.z[slot]};
        mix(point, sizeof point);
        mix(&gSlotHash[slot], sizeof(uint32_t));
        mix(&gSlotTransform[slot], sizeof(int32_t));
        mix(&static_cast<RandomState&>(gSlotRandom[slot]), sizeof(RandomState));
    }
    return h;
}

// Types 46 and 49, the six "Function" rows (5 the Alt kernels), four
// limits, two views: the whole set with the cardioid and the bulb, and the
// neck between them.
TEST_F(EscapeTime, OutputsMatchTheKernelsThatIterateEverySample)
{
    struct View {
        double cr, ci;
        float halfWidth;
    } const views[] = {{-0.5, 0.0, 1.3f}, {-0.75, 0.1, 0.3f}};
    const int limits[] = {1, 7, 50, 200};
    const uint64_t expected[2][2][6][4] = {
        {
            {
                {0xa7129870c2bf4ad4ull, 0xf512f741263bef78ull, 0x0f912728e60d430aull, 0xcf38987592f3c510ull},
                {0xdc84e200a8a3cc4cull, 0xb44c4e3c60454963ull, 0x4ca9c61ad85fbd79ull, 0xe2893d3c5e2fcfd2ull},
                {0x093e984fedbe86c8ull, 0x971cb20a06c6e3c3ull, 0x29f523a3466e18ceull, 0x0b6cb08b7831e5ccull},
                {0xccde38ce74b540faull, 0x433703c8512b29e0ull, 0x38de0d7738e33c8full, 0x4f2d30fc97ca90cdull},
                {0xca4327ee5184461bull, 0xf150aa6b29be2fe8ull, 0x81d0d696595cbba1ull, 0xb38ca3f5e23ab263ull},
                {0xbbba41bf12bbd2c5ull, 0xe625ba28811b1c47ull, 0xd7e3db68f4fe1027ull, 0xc23a2ddf473cf9e5ull},
            },
            {
                {0x623057599dc4a413ull, 0x89ee89d627d7b1eeull, 0x70574c2512112a82ull, 0x7d66ea5a62cc1498ull},
                {0x2162c920002b0758ull, 0xc064c0633e1360e9ull, 0xb66e9d679fbc97d7ull, 0xd2da28a1dcf3f487ull},
                {0x2cfddaf6b167617aull, 0x68a062d897b70018ull, 0x2b197f5efdf82c9cull, 0x9c610317b3226c9full},
                {0xe5f5df69feacc4a4ull, 0xb0d9315c9fde42b8ull, 0xe8342d3150eb1ba2ull, 0x39fa8c63af0bc4feull},
                {0x12ecade1cd4dcd2aull, 0x26ff450fed9a5fb4ull, 0xe603b01b954b5f51ull, 0xb840948642af2bfdull},
                {0xbc238feba8bdc5cbull, 0x90bdbb3be5cf2990ull, 0xb4b7ffb581faf9c3ull, 0x5e572c700782b7e5ull},
            },
        },
        {
            {
                {0xd45adb2c850031d9ull, 0x895bb6e89fff6f79ull, 0x69a7e41ed2955946ull, 0x606f0e2ede1003e0ull},
                {0x6891f33d8a8264b3ull, 0x8453145d502d89acull, 0xde49895bee1cf702ull, 0x2cfc58551616926cull},
                {0x50e15419b90fef5eull, 0x8da46581fc540d35ull, 0xb5b7f20d2ec0d475ull, 0x96dc15db46f621d1ull},
                {0xf1ef83dc5ffc3d95ull, 0x15bb51dd29509e9aull, 0x58128c5be15cda5dull, 0xb058216a9e56db59ull},
                {0x3f0ec0e1d67019f8ull, 0xe22d068d5cc61912ull, 0xb63946d0eacd6237ull, 0x926d2f10e0a0845full},
                {0xf7d4252bf9771dfbull, 0x920feb58b87929cdull, 0x0dbd9e68ab866d8cull, 0xc3d1f346d813182full},
            },
            {
                {0x91f3ee58ea91527dull, 0xeb2511f71beb480aull, 0x025a63de6dca67edull, 0x5d13e45645946925ull},
                {0x6bf21761623f5c0cull, 0x03d64acd3d7374c1ull, 0x6a9de5f3be8606aaull, 0x9f370ba5d8a92e58ull},
                {0x171fef2412169931ull, 0x2fcb8bb7e5f5b9d9ull, 0x2c854c3e65bfc523ull, 0xa577f6484677aec6ull},
                {0x28a9f5e1904175dbull, 0x2c7ec2e299aed28full, 0xf3b25a60a3cd8cc5ull, 0x92ec649bfa79c4f1ull},
                {0x9934f8faa12aac93ull, 0x803ac26ccf031570ull, 0x5cdf4b3ab1cdbb85ull, 0x8386bb6ae5e99cd1ull},
                {0xe9a4523de4f15805ull, 0xd089f658942c130eull, 0x86142e8cdd62fdb4ull, 0x5182847ee287dd9bull},
            },
        },
    };
    constexpr uint8_t kSlot = 3;
    for (int type = 0; type < 2; ++type) {
        for (int v = 0; v < 2; ++v) {
            for (int row = 0; row < 6; ++row) {
                for (int l = 0; l < 4; ++l) {
                    gMandelbrotCentre[0] = views[v].cr;
                    gMandelbrotCentre[1] = views[v].ci;
                    test_support::SetAffine(0, views[v].halfWidth, 0.0f, 0.0f, 0.0f);
                    test_support::SetAffine(1, views[v].halfWidth, 0.0f, 0.0f, 0.0f);
                    gEscapeIterationLimit = limits[l];
                    gEscapeFunction = row;
                    const uint32_t seed = 7919u * static_cast<uint32_t>(((type * 2 + v) * 6 + row) * 4 + l + 1);
                    SeedRandomState(gSlotRandom[kSlot], seed);
                    gSlotHash[kSlot] = seed;
                    gSlotTransform[kSlot] = 0;
                    gSlotPoint.x[kSlot] = gSlotPoint.y[kSlot] = gSlotPoint.z[kSlot] = 0.0f;
                    const FractalKernel kernel = type == 0 ? (row == 5 ? RunFractalType46Alt : RunFractalType46)
                                                           : (row == 5 ? RunFractalType49Alt : RunFractalType49);
                    EXPECT_EQ(HashEscapeOutputs(kernel, kSlot), expected[type][v][row][l])
                        << "type " << (type == 0 ? 46 : 49) << " view " << v << " row " << row << " limit "
                        << limits[l];
                }
            }
        }
    }
}

TEST_F(EscapeTime, ALimitOfZeroLeavesTheSlotPoint)
{
    gEscapeIterationLimit = 0;
    gSlotPoint.x[7] = 2.5f;
    gSlotPoint.y[7] = -1.5f;
    RunFractalType49(7);
    EXPECT_EQ(gSlotPoint.x[7], 2.5f);
    EXPECT_EQ(gSlotPoint.y[7], -1.5f);
    for (int j = 7000; j < 8000; ++j) ASSERT_EQ(gPointY[j], 0.0f);
}

}  // namespace
