#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/baseshape_model.h"
#include "materials/shader.h"

namespace {

TEST(NeonPlanes, BlurKernel)
{
    double sum = 0.0;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) sum += NeonBlurWeight(dx, dy);
    }
    EXPECT_NEAR(sum, 1.0, 1e-6);
    EXPECT_NEAR(NeonBlurWeight(0, 0), 0.225084, 1e-6);
    EXPECT_NEAR(NeonBlurWeight(3, -3), 0.00000067, 1e-8);
    EXPECT_EQ(NeonBlurWeight(4, 0), 0.0f);
}

// A render whose left half shows baseshape 0 (neon, red) and right half
// baseshape 1 (no neon); index bytes of baseshape 5 lie beyond the count.
struct NeonScene {
    std::vector<int8_t> index;
    NeonScene(int w, int h)
    {
        index.assign(static_cast<size_t>(w) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) index[static_cast<size_t>(y) * w + x] = x < w / 2 ? 1 : (y % 2 ? 2 : 6);
        }
        gBaseshapeCount = 2;
        gBaseshapes[0].neonOn = 1;
        gBaseshapes[1].neonOn = 0;
        gBaseshapes[5].neonOn = 1;
        gBaseshapeNeonColor.r[0] = 200;
        gBaseshapeNeonStrength[0] = 1.0f;
        gBaseshapeNeonColor.r[5] = 255;
        gBaseshapeNeonStrength[5] = 1.0f;
    }
};

TEST(NeonPlanes, BuildSampleAndBlur)
{
    struct Case {
        const char* name;
        int w, h;
        bool lit;
    };
    const Case cases[] = {
        {"below 1024 wide the window is empty", 1000, 1000, false},
        {"square", 1024, 1024, true},
        {"taller than wide", 1024, 2600, true},
        {"wider than tall", 2048, 700, true},
    };
    float out[3];
    for (const Case& c : cases) {
        NeonScene scene(c.w, c.h);
        EXPECT_TRUE(gShader.AnyNeonBaseshape()) << c.name;
        gShader.SetMaskPlanesEnabled(1);
        gShader.BuildMaskPlanes(scene.index.data(), c.w, c.h, gBaseshapeCount);
        gShader.SampleMaskPlanes(out, c.w / 8, c.h / 4, c.w);
        EXPECT_NEAR(out[0], c.lit ? 200.0f : 0.0f, 1e-3) << c.name;
        // The right half holds no neon baseshape below the count.
        gShader.SampleMaskPlanes(out, c.w - 3, c.h / 2, c.w);
        EXPECT_EQ(out[0], 0.0f) << c.name;
        for (const auto& xy : {std::array<int, 2>{0, 0}, {-5, 3}, {c.w - 1, c.h - 1}, {c.w + 9, c.h * 3}}) {
            gShader.SampleMaskPlanes(out, xy[0], xy[1], c.w);
            EXPECT_TRUE(out[0] >= 0.0f && out[0] <= 255.0f) << c.name;
        }
    }
    // Blurring carries the red across the edge of the neon half.
    gShader.SampleMaskPlanes(out, 2048 / 2 + 20, 350, 2048);
    EXPECT_EQ(out[0], 0.0f);
    gShader.BlurMaskPlanes();
    gShader.SampleMaskPlanes(out, 2048 / 2 + 20, 350, 2048);
    EXPECT_GT(out[0], 1.0f);
    gShader.SetMaskPlanesEnabled(0);
    EXPECT_EQ(gShader.SampleMaskPlanes(out, 10, 10, 2048)[0], 0.0f) << "disabled planes are black";
    gBaseshapeCount = 0;
    EXPECT_FALSE(gShader.AnyNeonBaseshape());
}

}  // namespace
