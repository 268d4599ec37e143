#include "shading/glow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/render_buffers.h"

namespace {

constexpr int kStride = 1024;

struct Preview {
    std::vector<uint8_t> rgb = std::vector<uint8_t>(kStride * kStride * 3, 0);
    void Fill(int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = &rgb[(y * kStride + x) * 3];
                p[0] = r, p[1] = g, p[2] = b;
            }
    }
};

float Cell(int c, int r, int col) { return gGlowMaps[c][r * kGlowMapSize + col]; }

TEST(GlowMap, BrightPassMeansBlurAndBorders)
{
    ASSERT_TRUE(AllocateRenderBuffers(512, 512, false));  // one cell per two export pixels
    Preview white;
    white.Fill(0, 0, 832, 832, 255, 255, 255);
    SetGlowParameters(3, 1.0f);
    BuildGlowMap(white.rgb.data(), 2.0f);
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < kGlowMapSize * kGlowMapSize; i += 97) ASSERT_EQ(gGlowMaps[c][i], 0.0f) << "threshold 1";

    // Border renormalisation: a uniform map keeps its level at every cell.
    SetGlowParameters(2, 0.0f);
    BuildGlowMap(white.rgb.data(), 1.0f);
    for (int i : {0, 255, 129 * 256 + 7, 65535}) EXPECT_NEAR(gGlowMaps[1][i], 255.0f, 0.01f) << i;

    // No passes: plain means of the bright pixels of a cell, not scaled.
    Preview p;
    p.Fill(0, 0, 4, 2, 200, 100, 40);  // cell (0, 0) holds columns and rows 0..3
    p.Fill(0, 2, 4, 4, 100, 100, 100);
    p.Fill(0, 829, 832, 832, 0, 0, 250);  // last cell row, darker than the threshold
    p.Fill(0, 829, 832, 832, 0, 250, 0);
    SetGlowParameters(0, 0.3f);
    BuildGlowMap(p.rgb.data(), 5.0f);
    EXPECT_FLOAT_EQ(Cell(0, 0, 0), 150.0f);
    EXPECT_FLOAT_EQ(Cell(2, 0, 0), 70.0f);
    EXPECT_FLOAT_EQ(Cell(3, 0, 0), 0.0f);  // the counts end as cleared scratch
    EXPECT_FLOAT_EQ(Cell(1, 255, 9), 250.0f);

    // The last cell row and column are their own +1 neighbours: no wrap to row 0.
    float out[3];
    SampleGlowMap(out, 19, 511);
    EXPECT_FLOAT_EQ(out[1], 250.0f);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    SampleGlowMap(out, 0, -30);  // rows above the map take its first row
    EXPECT_FLOAT_EQ(out[0], 150.0f);
    SampleGlowMap(out, 511, 4000);  // tall renders: below the map, its last row
    EXPECT_FLOAT_EQ(out[1], 250.0f);
    EXPECT_EQ(GlowPassesFromSteps(4.9f) + GlowPassesFromSteps(-3.0f) + GlowPassesFromSteps(std::nanf("")), 4);
    EXPECT_GT(GlowPassesFromSteps(1e30f), 4);
    FreeRenderBuffers();
}

// A mask keeps what it does not mark out of the glow: a bright backdrop
// around a small bright spot leaves only the spot's cells lit.
TEST(GlowMap, OnlyTheMarkedPixelsGlow)
{
    ASSERT_TRUE(AllocateRenderBuffers(512, 512, false));
    Preview p;
    p.Fill(0, 0, 832, 832, 200, 200, 200);
    p.Fill(400, 400, 432, 432, 250, 40, 40);
    std::vector<uint8_t> mask(832 * 832, 0);
    for (int y = 400; y < 432; ++y)
        for (int x = 400; x < 432; ++x) mask[y * 832 + x] = 1;
    SetGlowParameters(0, 0.3f);
    BuildGlowMap(p.rgb.data(), 1.0f, mask.data());
    EXPECT_FLOAT_EQ(Cell(0, 128, 128), 250.0f);
    EXPECT_FLOAT_EQ(Cell(0, 10, 10), 0.0f) << "the unmarked backdrop";
    BuildGlowMap(p.rgb.data(), 1.0f);
    EXPECT_FLOAT_EQ(Cell(0, 10, 10), 200.0f) << "without a mask everything bright glows";
    FreeRenderBuffers();
}

}  // namespace
