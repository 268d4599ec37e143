#include "engine/kernel_framework.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/escape_time_kernels.h"
#include "engine/fractal_type_00.h"
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
