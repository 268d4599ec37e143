#include "engine/baseshape_seed_pick.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/baseshape_generators.h"
#include "engine/kernel_framework.h"
#include "support/slot_setup.h"

namespace {

int gSamplerCalls = 0;
int gSamplerTable = -1;
float gSamplerSeenX = 0.0f;

// Writes (1, 2, 3) times size; table 1 marks its points with x = 100.
void SampleFixedPoint(BaseshapePoint* p, uint8_t)
{
    ++gSamplerCalls;
    gSamplerTable = 0;
    gSamplerSeenX = p->x;
    p->x = 1.0f * p->size;
    p->y = 2.0f * p->size;
    p->z = 3.0f * p->size;
}

void SampleFilledPoint(BaseshapePoint* p, uint8_t slot)
{
    SampleFixedPoint(p, slot);
    gSamplerTable = 1;
}

// Keeps the preset point of kinds 0 and 57.
void SampleKeepPoint(BaseshapePoint* p, uint8_t) { gSamplerSeenX = p->x; }

class SeedPick : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(1);
        gSamplerCalls = 0;
        gBaseshapeGenerators[0][0] = gBaseshapeGenerators[0][57] = SampleKeepPoint;
    }
    void TearDown() override { gVoxelEngineOn = 0; }
    test_support::ScopedSamplers samplers_{SampleFixedPoint, SampleFilledPoint};
};

TEST_F(SeedPick, OneBaseshapeTakesNoDrawAndPlacesTheSample)
{
    const RandomState before = gSlotRandom[4];
    gBaseshapes[0].glMatrix[12] = 10.0f, gBaseshapes[0].glMatrix[13] = 20.0f, gBaseshapes[0].glMatrix[14] = 30.0f;
    gBaseshapes[0].matrix[0] = 2.0f;  // x scaled by 2
    PickBaseshapePoint(4);
    EXPECT_EQ(0, std::memcmp(&before, &gSlotRandom[4], sizeof before));
    EXPECT_EQ(gSlotBaseshape[4], 0);
    EXPECT_EQ(gSlotBaseshapeColorIndex[4], 1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(gSlotBaseshapePosition[4][k], (k == 0 ? 12.0f : k == 1 ? 22.0f : 33.0f)) << k;
        EXPECT_EQ(gSlotSeedPoint[4][k], gSlotBaseshapePosition[4][k]) << k;
    }
    EXPECT_EQ(gSlotSampleColor[4][0], 0);  // colouring mode 8: black base colour
    EXPECT_EQ(gSamplerTable, 0);
}

// Probabilities summing to 0.5 leave the other half to the last baseshape.
TEST_F(SeedPick, WalksProbabilitiesUpwardAndGivesTheRemainderToTheLast)
{
    gBaseshapeCount = 3;
    gBaseshapes[0].probability = gBaseshapes[1].probability = 0.25f;
    gBaseshapes[2].probability = 0.0f;
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < 4000; ++i) {
        PickBaseshapePoint(0);
        ++counts[gSlotBaseshape[0]];
        ASSERT_EQ(gSlotBaseshapeColorIndex[0], gSlotBaseshape[0] + 1);
    }
    EXPECT_NEAR(counts[0], 1000, 150);
    EXPECT_NEAR(counts[1], 1000, 150);
    EXPECT_NEAR(counts[2], 2000, 150);
}

TEST_F(SeedPick, PlanarTypesScaleByTwentyOnlyWithPointsPerRun)
{
    gBaseshapes[0].glMatrix[12] = gBaseshapes[0].glMatrix[13] = gBaseshapes[0].glMatrix[14] = 1.0f;
    gFractalType = 8;
    gBaseshapes[0].pointsPerRun = 0;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSlotBaseshapePosition[0][0], 2.0f);
    EXPECT_EQ(gSlotBaseshapePosition[0][2], 4.0f);
    gBaseshapes[0].pointsPerRun = 10;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSlotBaseshapePosition[0][0], 21.0f);
    EXPECT_EQ(gSlotBaseshapePosition[0][1], 3.0f);  // y is never scaled
    EXPECT_EQ(gSlotBaseshapePosition[0][2], 61.0f);
    gFractalType = 0;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSlotBaseshapePosition[0][0], 2.0f);
}

TEST_F(SeedPick, AffineAndSierpinskiKindsContinueFromThePreviousSeed)
{
    gBaseshapePointTemplates[0].size = 0.5f;
    gSlotBaseshapePosition[2][0] = 8.0f;
    gBaseshapes[0].shapeType = 0;
    PickBaseshapePoint(2);
    EXPECT_EQ(gSamplerSeenX, 4.0f);  // previous seed times size
    EXPECT_EQ(gSlotBaseshapePosition[2][0], 4.0f);
    gBaseshapes[0].shapeType = 57;
    PickBaseshapePoint(2);
    EXPECT_EQ(gSamplerSeenX, 4.0f);  // unscaled
}

TEST_F(SeedPick, TableChoiceAndDamagedKind)
{
    gBaseshapes[0].interior = 1;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSamplerTable, 1);
    gBaseshapes[0].interior = 0;
    gVoxelEngineOn = 1;
    gFillBaseshapesOption = 1;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSamplerTable, 1);
    gFillBaseshapesOption = 0;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSamplerTable, 0);
    gFillBaseshapesOption = 1;
    gVoxelEngineOn = 0;

    gBaseshapes[0].shapeType = 5000;  // falls back to kind 0
    gSamplerSeenX = -1.0f;
    PickBaseshapePoint(0);
    EXPECT_EQ(gSamplerSeenX, gSlotBaseshapePosition[0][0]);
}

TEST_F(SeedPick, BaseColourAndTextureModeOfTheSlot)
{
    gColoringMode = 3;
    gBaseshapes[0].useTexture = 1;
    gBaseshapes[0].smoothTexture = 1;
    PickBaseshapePoint(1);
    EXPECT_EQ(gSlotColorMode[1], 2);
    EXPECT_EQ(gSlotSampleColor[1][0], 11);
    EXPECT_EQ(gSlotSampleColor[1][2], 33);
    gBaseshapes[0].smoothTexture = 0;
    PickBaseshapePoint(1);
    EXPECT_EQ(gSlotColorMode[1], 1);
    gBaseshapes[0].useTexture = 0;
    PickBaseshapePoint(1);
    EXPECT_EQ(gSlotColorMode[1], 0);

    // Colouring mode 8 blackens the base colour before the sampler runs, so
    // an untextured point of colour mode 1 is black.
    gColoringMode = 8;
    gBaseshapes[0].useTexture = 1;
    PickBaseshapePoint(1);
    ColorBaseshapeRun(1000, 1003, 1);
    for (int j = 1000; j < 1003; ++j) EXPECT_EQ(gPointColorG[j], 0);
}

TEST_F(SeedPick, RunColourModesZeroAndOne)
{
    gColoringMode = 0;
    PickBaseshapePoint(0);
    for (int j = 0; j < 10; ++j) gPointColorR[j] = 99;
    ColorBaseshapeRun(5, 5, 0);  // first == end: only point 5
    for (int j = 0; j < 10; ++j) EXPECT_EQ(gPointColorR[j], j == 5 ? 11 : 99) << j;
    ColorBaseshapeRun(7, 6, 0);  // first > end: nothing
    EXPECT_EQ(gPointColorR[7], 99);
    ColorBaseshapeRun(0, 3, 0);
    EXPECT_EQ(gPointColorR[2], 11);
    EXPECT_EQ(gPointColorR[3], 99);

    gSlotSampleColor[0][0] = 77;
    gBaseshapes[0].useTexture = 1;
    ColorBaseshapeRun(3, 4, 0);
    EXPECT_EQ(gPointColorR[3], 77);
}

TEST_F(SeedPick, RampWalkSkipsTheEndEntriesAndRestartsEveryRun)
{
    for (int k = 0; k < 256; ++k) {
        gBaseshapeColorRamps[0].r[k] = static_cast<uint8_t>(k);
        gBaseshapeColorRamps[0].g[k] = static_cast<uint8_t>(255 - k);
        gBaseshapeColorRamps[0].b[k] = 100;
    }
    gBaseshapes[0].useGradient = 1;
    gSlotBaseshape[0] = 0;
    ColorBaseshapeRun(0, 300, 0);
    for (int j = 0; j < 254; ++j) EXPECT_EQ(gPointColorR[j], j + 1) << j;
    for (int j = 254; j < 300; ++j) EXPECT_EQ(gPointColorR[j], j - 253) << j;
    EXPECT_EQ(gPointColorR[299], 46);
    EXPECT_EQ(gPointColorG[0], 254);
    ColorBaseshapeRun(500, 500, 0);
    EXPECT_EQ(gPointColorR[500], 1);

    // Mode 3 blends each ramp entry (a) with the sample colour (b).
    gBaseshapes[0].useTexture = 1;
    gBaseshapes[0].blendMode = 4;  // difference
    gSlotSampleColor[0][0] = 10;
    gSlotSampleColor[0][1] = 0;
    gSlotSampleColor[0][2] = 250;
    ColorBaseshapeRun(600, 603, 0);
    EXPECT_EQ(gPointColorR[600], 9);
    EXPECT_EQ(gPointColorR[602], 7);
    EXPECT_EQ(gPointColorG[600], 254);
    EXPECT_EQ(gPointColorB[601], 150);
}

}  // namespace
