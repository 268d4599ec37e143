#include "shading/color_grain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <thread>

#include "engine/color_conversion.h"

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

// Each round shifts the colour by +127 or -128 and boosts its saturation:
// the result is one of the five means of four such rounds.
TEST(ColorGrain, ColourGrainIsTheMeanOfFourRounds)
{
    const float colour[3] = {120, 60, 30};
    float rounds[2][3];
    for (int k = 0; k < 2; ++k) {
        const float b = k ? 127.0f : -128.0f;
        const float shifted[3] = {colour[0] + b, colour[1] + b, colour[2] + b};
        float hsv[3];
        RgbToHsv(hsv, shifted);
        hsv[1] *= 1.5f;
        HsvToRgb(rounds[k], hsv);
        for (float& c : rounds[k]) c = std::fmin(std::fmax(c, 0.0f), 255.0f);
    }
    std::set<int> seen;
    RandomState r{};
    SeedRandomState(r, 9);
    for (int i = 0; i < 200; ++i) {
        float out[3];
        ColorGrainColour(r, out, colour);
        int match = -1;
        for (int high = 0; high <= 4 && match < 0; ++high) {
            bool all = true;
            for (int c = 0; c < 3; ++c)
                all = all && std::fabs(out[c] - (high * rounds[1][c] + (4 - high) * rounds[0][c]) / 4) < 1e-3f;
            if (all) match = high;
        }
        ASSERT_GE(match, 0) << "sample " << i;
        seen.insert(match);
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
