#include "baseshapes/sampler_contract.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "baseshapes/generator_table.h"
#include "baseshapes/samplers_sphere_tori.h"
#include "baseshapes/support/sampler_fixture.h"
#include "baseshapes/support/sampler_images.h"

namespace {

constexpr int kBaseshape = 4;

class SamplerContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetTestSlot(kTestSlot, 17);
        gSlotBaseshape[kTestSlot] = kBaseshape;
    }
    void SetTexture(uint32_t w, uint32_t h) { images_.SetTexture(w, h); }
    void SetDMap(uint32_t w, uint32_t h, std::vector<uint8_t> heights) { images_.SetDMap(w, h, std::move(heights)); }
    const uint8_t* Texel(uint32_t col, uint32_t row) const { return images_.Texel(col, row); }
    void ExpectTexel(uint32_t col, uint32_t row) const
    {
        EXPECT_EQ(gSlotTexelColor[kTestSlot][0], Texel(col, row)[0]) << col << "," << row;
        EXPECT_EQ(gSlotTexelColor[kTestSlot][1], Texel(col, row)[1]);
        EXPECT_EQ(gSlotTexelColor[kTestSlot][2], Texel(col, row)[2]);
    }
    TestImages images_{kBaseshape};
};

TEST_F(SamplerContract, NearestTexelStaysInsideTheImage)
{
    SetTexture(5, 3);
    const float cases[][2] = {{0, 0}, {0.999f, 0.5f}, {1.0f, 1.0f}, {0.2f, 0.34f}};
    const uint32_t expected[][2] = {{0, 0}, {4, 1}, {4, 2}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        SampleBaseshapeTextureNearest(&cases[i][0], &cases[i][1], kTestSlot);
        ExpectTexel(expected[i][0], expected[i][1]);
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float big = 1e30f, below = -3.0f;
    SampleBaseshapeTextureNearest(&nan, &big, kTestSlot);
    ExpectTexel(0, 2);
    SampleBaseshapeTextureBilinear(&below, &nan, kTestSlot);
    ExpectTexel(0, 0);
}

TEST_F(SamplerContract, BilinearCornersAndCentre)
{
    SetTexture(4, 3);
    const float zero = 0.0f, one = 1.0f;
    SampleBaseshapeTextureBilinear(&zero, &zero, kTestSlot);
    ExpectTexel(0, 0);
    SampleBaseshapeTextureBilinear(&one, &one, kTestSlot);
    ExpectTexel(3, 2);
    // Centre of texels (1..2, 0..1): X = 1.5, Y = 0.5.
    const float u = 0.5f, v = 0.25f;
    SampleBaseshapeTextureBilinear(&u, &v, kTestSlot);
    for (int c = 0; c < 3; ++c) {
        const float mean = (Texel(1, 0)[c] + Texel(2, 0)[c] + Texel(1, 1)[c] + Texel(2, 1)[c]) / 4.0f;
        EXPECT_EQ(gSlotTexelColor[kTestSlot][c], static_cast<uint8_t>(mean)) << c;
    }
    // One texel wide: every u reads column 0.
    SetTexture(1, 2);
    const float half = 0.7f;
    SampleBaseshapeTextureBilinear(&half, &zero, kTestSlot);
    ExpectTexel(0, 0);
}

TEST_F(SamplerContract, ColourTailByMode)
{
    SetTexture(1, 1);
    for (uint8_t mode : {0, 1, 2, 3}) {
        gSlotColorMode[kTestSlot] = mode;
        BaseshapePoint p = MakeTestPoint(1.0f, 0.3f);
        SampleBaseshapeTorusI(&p, kTestSlot);
        const bool textured = mode == 1 || mode == 2;
        EXPECT_EQ(p.red, textured ? Texel(0, 0)[0] : 10) << int(mode);
        EXPECT_EQ(p.green, textured ? Texel(0, 0)[1] : 20);
        EXPECT_EQ(p.blue, textured ? Texel(0, 0)[2] : 30);
    }
    // Without a texture, or without a baseshape, the point keeps its colour.
    gBaseshapeTextures[kBaseshape] = BaseshapeImage{};
    for (int8_t b : {int8_t{kBaseshape}, int8_t{-1}}) {
        gSlotBaseshape[kTestSlot] = b;
        gSlotColorMode[kTestSlot] = 1;
        BaseshapePoint p = MakeTestPoint(1.0f, 0.3f);
        SampleBaseshapeSphere(&p, kTestSlot);
        EXPECT_EQ(p.red, 10);
    }
}

TEST_F(SamplerContract, DisplacementCellOfASinglePixel)
{
    std::vector<uint8_t> h(6 * 5, 0);
    h[2 * 6 + 3] = 200;  // column 3, row 2
    SetDMap(6, 5, h);
    for (bool wrap : {false, true}) {
        for (int i = 0; i < 300; ++i) {
            const DisplacementCell c = DrawDisplacementCell(kTestSlot, wrap, wrap);
            ASSERT_GT(c.height, 0.0f);
            ASSERT_TRUE(c.col == 3 || c.col1 == 3) << c.col;
            ASSERT_TRUE(c.row == 2 || c.row1 == 2) << c.row;
            ASSERT_LE(c.height, 255.0f);
        }
    }
}

TEST_F(SamplerContract, DisplacementCellIndicesAndNeighbours)
{
    SetDMap(4, 2, std::vector<uint8_t>(8, 255));
    bool sawWrap = false;
    for (int i = 0; i < 2000; ++i) {
        const DisplacementCell c = DrawDisplacementCell(kTestSlot, true, false);
        ASSERT_LT(c.col, 4u);
        ASSERT_EQ(c.col1, (c.col + 1) % 4);
        sawWrap = sawWrap || c.col == 3;
        // Two rows, edge-weighted: index 0 only, neighbour 1.
        ASSERT_EQ(c.row, 0u);
        ASSERT_EQ(c.row1, 1u);
        ASSERT_FLOAT_EQ(c.height, 255.0f);
    }
    EXPECT_TRUE(sawWrap);
}

TEST_F(SamplerContract, DisplacementMapsWithoutHeightsEndWithADefinedCell)
{
    // All holes: bounded tries, then height 0.
    SetDMap(3, 3, std::vector<uint8_t>(9, 0));
    const DisplacementCell holes = DrawDisplacementCell(kTestSlot, false, true);
    EXPECT_EQ(holes.height, 0.0f);
    EXPECT_LT(holes.col, 3u);

    // One texel high on an edge-weighted axis: no modulo by zero.
    SetDMap(3, 1, std::vector<uint8_t>(3, 9));
    const DisplacementCell flat = DrawDisplacementCell(kTestSlot, false, false);
    EXPECT_EQ(flat.row, 0u);
    EXPECT_EQ(flat.row1, 0u);
    EXPECT_FLOAT_EQ(flat.height, 9.0f);

    // Missing map: the origin cell, no draw.
    gBaseshapeDMaps[kBaseshape] = BaseshapeImage{};
    const RandomState before = gBaseshapeRandom[kTestSlot].State();
    const DisplacementCell none = DrawDisplacementCell(kTestSlot, true, true);
    EXPECT_EQ(none.height, 0.0f);
    EXPECT_EQ(none.col, 0u);
    EXPECT_EQ(0, std::memcmp(&before, &gBaseshapeRandom[kTestSlot].State(), sizeof before));
}

TEST_F(SamplerContract, MeshTrianglePick)
{
    EXPECT_EQ(DrawMeshTriangle(kTestSlot), nullptr);
    std::vector<float> v(18);
    gBaseshapeMeshes[kBaseshape] = BaseshapeMesh{{}, 0, v.data()};
    EXPECT_EQ(DrawMeshTriangle(kTestSlot), nullptr);
    gBaseshapeMeshes[kBaseshape].triangleCount = 2;
    bool seen[2] = {};
    for (int i = 0; i < 100; ++i) {
        const float* t = DrawMeshTriangle(kTestSlot);
        ASSERT_TRUE(t == v.data() || t == v.data() + 9);
        seen[t == v.data() ? 0 : 1] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

}  // namespace

namespace {

TEST(SamplerHelpers, ParameterToIntClampsBeforeConverting)
{
    EXPECT_EQ(ParameterToInt(3.9f, 1, 10), 3);
    EXPECT_EQ(ParameterToInt(-2.5f, 1, 10), 1);
    EXPECT_EQ(ParameterToInt(1e30f, 1, 10), 10);
    EXPECT_EQ(ParameterToInt(-1e30f, -5, 10), -5);
    EXPECT_EQ(ParameterToInt(std::numeric_limits<float>::quiet_NaN(), 2, 10), 2);
    EXPECT_EQ(ParameterToInt(std::numeric_limits<float>::infinity(), 0, 7), 7);
}

}  // namespace
