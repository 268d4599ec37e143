#include "engine/point_coloring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "support/slot_setup.h"

namespace {

uint8_t Blend(int a, int b, int32_t mode)
{
    uint8_t c[6] = {static_cast<uint8_t>(a), static_cast<uint8_t>(a), static_cast<uint8_t>(a),
                    static_cast<uint8_t>(b), static_cast<uint8_t>(b), static_cast<uint8_t>(b)};
    BlendColors(c, &mode);
    EXPECT_EQ(c[0], c[1]);
    EXPECT_EQ(c[0], c[2]);
    EXPECT_EQ(c[3], b) << "b is not changed";
    return c[0];
}

TEST(BlendColors, EveryModeOnKnownPairs)
{
    struct Case {
        int32_t mode;
        int a, b, expected;
    };
    const Case cases[] = {
        {0, 200, 100, 210}, {0, 0, 0, 0},      {0, 255, 255, 0},   {1, 0, 0, 1},      {1, 255, 10, 255},
        {1, 128, 128, 192}, {2, 30, 200, 200}, {3, 30, 200, 30},   {4, 30, 200, 170}, {4, 200, 30, 170},
        {5, 3, 4, 3},       {5, 255, 255, 255}, {6, 255, 255, 255}, {6, 128, 128, 64}, {6, 254, 1, 0},
        {7, 200, 100, 255}, {7, 20, 30, 50},   {8, 20, 30, 20},    {42, 20, 30, 20},  {-1, 20, 30, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Blend(c.a, c.b, c.mode), c.expected) << "mode " << c.mode << " a " << c.a << " b " << c.b;
    // Channels blend on their own.
    uint8_t c[6] = {10, 200, 250, 20, 100, 250};
    const int32_t add = 7;
    BlendColors(c, &add);
    EXPECT_EQ(c[0], 30);
    EXPECT_EQ(c[1], 255);
}

TEST(ColorFloatToByte, TruncatesWrapsAndRejectsOutOfRange)
{
    const std::pair<float, int> cases[] = {
        {0.0f, 0},   {254.9f, 254}, {300.7f, 44}, {-0.9f, 0}, {-1.0f, 255}, {3.0e9f, 0}, {-3.0e9f, 0},
        {std::numeric_limits<float>::infinity(), 0}, {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ColorFloatToByte(in), out) << in;
}

// Flipping the baseshape switch re-installs only modes 0, 4 and 7, whose
// pairs differ with and without baseshapes.
TEST(SetColoringMode, TheBaseshapeSwitchReinstallsOnlyTheModesThatDependOnIt)
{
    test_support::ResetModel(1);
    gUseBaseshapes = 1;
    SetColoringMode(0);
    gUseBaseshapes = 0;
    SetColoringFunctionsForMode(3);
    EXPECT_EQ(gSlotColorStep[5].load(), &ColorStepTransformFirst);
    SetColoringFunctionsForMode(0);
    EXPECT_EQ(gSlotColorStep[5].load(), &ColorStepTransformAverageB);
}

TEST(SetColoringMode, RgbFlagAndUnknownModes)
{
    test_support::ResetModel(1);
    SetColoringMode(3);
    EXPECT_EQ(gRgbColoring, 1);
    gBaseshapeCount = 2;
    SetColoringMode(8);
    EXPECT_EQ(gRgbColoring, 0);
    gBaseshapes[1].useGradient = 1;
    SetColoringMode(8);
    EXPECT_EQ(gRgbColoring, 1);
    gBaseshapeCount = 1;  // the textured baseshape is beyond the count
    SetColoringMode(8);
    EXPECT_EQ(gRgbColoring, 0);

    const ColorStepFn before = gSlotColorStep[0].load();
    SetColoringMode(9);
    EXPECT_EQ(gColoringMode.load(), 9);
    EXPECT_EQ(gSlotColorStep[0].load(), before);
    EXPECT_EQ(gRgbColoring, 0);
}

TEST(ColorSteps, AdditionWrapsModulo256)
{
    test_support::ResetModel(1);
    gTransformColors.r[0] = gTransformColors.g[0] = gTransformColors.b[0] = 255;
    ColorStartAccumulate(2);
    for (int j = 0; j < 300; ++j) ColorStepAccumulate(2, 0, 2000 + j);
    EXPECT_EQ(gPointColorR[2000], 255);
    EXPECT_EQ(gPointColorR[2299], 212);  // 300 x 255 mod 256
    EXPECT_EQ(gPointColorR[2001], 254);
    EXPECT_EQ(gPointColorR[2002], 253);
}

TEST(ColorSteps, RatioWithAZeroChannelStoresZeroAfterDividingByZero)
{
    test_support::ResetModel(1);
    gTransformColors.r[0] = 0;
    gTransformColors.g[0] = 16;
    gTransformColors.b[0] = 2;
    ColorStartRatio(1);
    ColorStepRatio(1, 0, 1000);  // R = 0 / 1, P = 0; G = 16 / 1, P = 256 -> 0; B = 2, P = 4
    EXPECT_EQ(gPointColorR[1000], 0);
    EXPECT_EQ(gPointColorG[1000], 0);
    EXPECT_EQ(gPointColorB[1000], 4);
    ColorStepRatio(1, 0, 1001);  // R = 0 / 0; G = 16 / 16 = 1, P = 16; B = 1, P = 2
    EXPECT_EQ(gPointColorR[1001], 0);
    EXPECT_EQ(gPointColorG[1001], 16);
    EXPECT_EQ(gPointColorB[1001], 2);
}

TEST(ColorSteps, WeightedInterpolationStartsEachRunFromItsFirstTransformation)
{
    test_support::ResetModel(2);
    gUseBaseshapes = 1;
    SetColoringMode(0);
    gSlotColorStart[0].load()(0);
    gSlotColorStep[0].load()(0, 1, 0);
    EXPECT_EQ(gPointColorR[0], gTransformColors.r[1]);
    EXPECT_EQ(gPointColorG[0], gTransformColors.g[1]);
    EXPECT_EQ(gSlotColorStep[0].load(), &ColorStepTransformAverage);
    for (int j = 1; j < 20; ++j) {
        gSlotColorStep[0].load()(0, 1, j);
        EXPECT_EQ(gPointColorR[j], gTransformColors.r[1]) << j;
        EXPECT_EQ(gPointColorB[j], gTransformColors.b[1]) << j;
    }
    // A new run starts from the first colour again.
    gSlotColorStart[0].load()(0);
    gSlotColorStep[0].load()(0, 0, 30);
    EXPECT_EQ(gPointColorR[30], gTransformColors.r[0]);
    // The other slots are untouched by slot 0's self-replacing step.
    EXPECT_EQ(gSlotColorStep[1].load(), &ColorStepTransformFirst);
}

// The window thread may install another mode while a worker is inside a
// start or first step: the worker's swap must not bring the old mode back.
TEST(ColorSteps, SelfReplacementYieldsToAModeInstalledMeanwhile)
{
    test_support::ResetModel(1);
    gUseBaseshapes = 1;
    const ColorStartFn starts[] = {ColorStartTransformAverage, ColorStartBlendHalfway, ColorStartHalfway};
    const ColorStepFn firsts[] = {ColorStepTransformFirst, ColorStepBlendHalfwayFirst, ColorStepHalfwayFirst};
    for (int m = 0; m < 3; ++m) {
        gSlotColorStep[0] = ColorStepAccumulate;
        starts[m](0);
        EXPECT_EQ(gSlotColorStep[0].load(), &ColorStepAccumulate) << m;
        firsts[m](0, 0, 10);
        EXPECT_EQ(gSlotColorStep[0].load(), &ColorStepAccumulate) << m;
    }
    // Undisturbed, each start re-arms its first step after a run.
    SetColoringMode(7);
    gSlotColorStep[0].load()(0, 0, 11);
    EXPECT_EQ(gSlotColorStep[0].load(), &ColorStepHalfway);
    gSlotColorStart[0].load()(0);
    EXPECT_EQ(gSlotColorStep[0].load(), &ColorStepHalfwayFirst);
}

TEST(ColorSteps, WithoutBaseshapesTheAverageStartsFromBlack)
{
    test_support::ResetModel(1);
    gUseBaseshapes = 0;
    SetColoringMode(0);
    gTransformColors.r[0] = 200;
    gSlotColorStart[3].load()(3);
    gSlotColorStep[3].load()(3, 0, 3000);
    EXPECT_EQ(gPointColorR[3000], 50);  // 200 * 0.25 + 0.75 * 0
    gSlotColorStep[3].load()(3, 0, 3001);
    EXPECT_EQ(gPointColorR[3001], 87);  // 50 + 37.5
}

TEST(ColorSteps, HalfwayAndBlendSteps)
{
    test_support::ResetModel(2);
    gUseBaseshapes = 1;
    SetColoringMode(7);
    gSlotColorStart[0].load()(0);
    gSlotColorStep[0].load()(0, 0, 0);
    gSlotColorStep[0].load()(0, 1, 1);
    EXPECT_EQ(gPointColorR[0], 10);
    EXPECT_EQ(gPointColorR[1], 30);   // (50 + 10) / 2
    EXPECT_EQ(gPointColorG[1], 240);  // (225 + 255) / 2

    gColorBlendMode = 7;
    SetColoringMode(4);
    gPointColorR[5] = 100;
    gSlotColorStart[0].load()(0);
    gSlotColorStep[0].load()(0, 1, 5);
    EXPECT_EQ(gPointColorR[5], 150);  // 50 + 100
    gPointColorR[6] = 1;
    gSlotColorStep[0].load()(0, 0, 6);
    EXPECT_EQ(gPointColorR[6], 31);  // (10 + 50) / 2 + 1

    SetColoringMode(2);
    gPointColorR[7] = 250;
    gSlotColorStep[0].load()(0, 1, 7);
    EXPECT_EQ(gPointColorR[7], 255);

    SetColoringMode(1);
    gSlotBaseshape[0] = 0;
    gSlotColorStep[0].load()(0, 1, 8);
    EXPECT_EQ(gPointColorR[8], 11);
    EXPECT_EQ(gPointColorB[8], 33);
}

TEST(ResetColoringTables, ClearsPointersColoursAndSums)
{
    gSlotRunningColor[4].g = 7.0f;
    gSlotColorAccumulator[4].b = 9;
    SetColoringMode(5);
    ResetColoringTables();
    EXPECT_EQ(gSlotColorStart[4].load(), &ColorStartNone);
    EXPECT_EQ(gSlotColorStep[4].load(), &ColorStepNone);
    EXPECT_EQ(gSlotRunningColor[4].g, 0.0f);
    EXPECT_EQ(gSlotColorAccumulator[4].b, 0u);
}

}  // namespace
