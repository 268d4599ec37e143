#include "shading/color_grain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <thread>


namespace {

TEST(ColorGrain, WhiteAndBlackInGreyAndTwoLevelGrain)
{
    const float white[3] = {255, 255, 255}, black[3] = {0, 0, 0};
    RandomState r{};
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SeedRandomState(r, seed);
        float out[3];
        EXPECT_EQ(ColorGrainGrey(r, out, white)[0], 255.0f) << "seed " << seed;
        EXPECT_EQ(ColorGrainGrey(r, out, black)[0], 0.0f) << "seed " << seed;
        EXPECT_EQ(ColorGrainTwoLevel(r, out, white)[1], 255.0f) << "seed " << seed;
        EXPECT_EQ(ColorGrainTwoLevel(r, out, black)[2], 0.0f) << "seed " << seed;
        EXPECT_EQ(ColorGrainColour(r, out, black)[0], 0.0f) << "seed " << seed;
    }
}

// A mean of random rounds: every byte in range, and more than one outcome.
TEST(ColorGrain, ColourGrainStaysInRangeAndVaries)
{
    const float colour[3] = {120, 60, 30};
    std::set<float> seen;
    RandomState r{};
    SeedRandomState(r, 9);
    for (int i = 0; i < 200; ++i) {
        float out[3];
        ColorGrainColour(r, out, colour);
        for (int c = 0; c < 3; ++c) ASSERT_TRUE(out[c] >= 0.0f && out[c] <= 255.0f) << "sample " << i;
        seen.insert(out[0]);
    }
    EXPECT_GE(seen.size(), 3u);
}

TEST(ColorGrain, EachOperationStepsOnlyItsOwnGenerator)
{
    const float grey[3] = {90, 90, 90};
    float out[3];
    SeedPreviewGrain();
    const RandomState window = gGlobalRandomC;
    ColorGrainShared(gDrawingTypeFlags, out, grey, true);
    EXPECT_NE(window.word[0], gGlobalRandomC.word[0]) << "the window thread's passes step gGlobalRandomC";

    const RandomState c = gGlobalRandomC;
    std::thread exportThread([&] {
        SeedPreviewGrain();
        for (int i = 0; i < 50; ++i) ColorGrainA(gDrawingTypeFlags, out, grey, true);
    });
    exportThread.join();
    EXPECT_EQ(c.word[0], gGlobalRandomC.word[0]) << "a pass on another thread keeps off it";

    SeedRandomState(gSlotRandom[3], 5);
    SeedRandomState(gSlotRandom[4], 5);
    const uint8_t slot = 3;
    const RandomState four = gSlotRandom[4];
    ColorGrainE(gDrawingTypeFlags, out, grey, false, &slot);
    ColorGrainD(gDrawingTypeFlags, out, grey, false, &slot);
    ColorGrainC(gDrawingTypeFlags, out, grey, false, &slot);
    EXPECT_EQ(four.word[0], gSlotRandom[4].word[0]);
    EXPECT_NE(four.word[0], gSlotRandom[3].word[0]);
}

}  // namespace
