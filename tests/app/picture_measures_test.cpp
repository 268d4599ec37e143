// The measures the program tests take of saved pictures, on pictures of
// known content: black, filled, a flat disc (a blob: solid inside, edges
// only around), a thin line, a disc of shaded rings (edges inside too).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/support/program_pictures.h"

namespace {

constexpr int kSize = 256;

// A picture of the brightness each pixel is given (0 unlit).
std::vector<uint8_t> Picture(const std::function<int(int, int)>& brightness)
{
    std::vector<uint8_t> rgb(kSize * kSize * 3, 0);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) rgb[(y * kSize + x) * 3] = static_cast<uint8_t>(brightness(x, y));
    return rgb;
}

double Radius(int x, int y) { return std::hypot(x - 128.0, y - 128.0); }

TEST(PictureMeasures, KnownPictures)
{
    struct Case {
        const char* name;
        std::function<int(int, int)> brightness;
        double lit0, lit1, extentX0, extentY0, extentY1, edges0, edges1, solid0, solid1, solidEdges0, solidEdges1;
    };
    const Case cases[] = {
        {"black", [](int, int) { return 0; }, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"filled", [](int, int) { return 200; }, 1, 1, 0.99, 0.99, 1, 0, 0, 1, 1, 0, 0},
        {"flat disc", [](int x, int y) { return Radius(x, y) < 80 ? 200 : 0; }, 0.30, 0.31, 0.6, 0.6, 0.65, 0.05,
         0.1, 0.25, 0.3, 0, 0},
        {"line", [](int, int y) { return y == 100 ? 200 : 0; }, 0.003, 0.005, 0.99, 0, 0.01, 0.03, 0.04, 0, 0, 0, 0},
        {"rings", [](int x, int y) { return Radius(x, y) < 100 ? 100 + 100 * (static_cast<int>(Radius(x, y)) / 12 % 2) : 0; },
         0.45, 0.5, 0.75, 0.75, 0.8, 0.2, 0.5, 0.3, 0.5, 0.3, 0.8},
    };
    for (const Case& c : cases) {
        const PictureFigures f = MeasurePicture(Picture(c.brightness), kSize, kSize);
        EXPECT_GE(f.litShare, c.lit0) << c.name;
        EXPECT_LE(f.litShare, c.lit1) << c.name;
        EXPECT_GE(f.extentX, c.extentX0) << c.name;
        EXPECT_GE(f.extentY, c.extentY0) << c.name;
        EXPECT_LE(f.extentY, c.extentY1) << c.name;
        EXPECT_GE(f.edges, c.edges0) << c.name;
        EXPECT_LE(f.edges, c.edges1) << c.name;
        EXPECT_GE(f.solid, c.solid0) << c.name;
        EXPECT_LE(f.solid, c.solid1) << c.name;
        EXPECT_GE(f.solidEdges, c.solidEdges0) << c.name;
        EXPECT_LE(f.solidEdges, c.solidEdges1) << c.name;
    }
    // A picture of the wrong size measures as nothing.
    EXPECT_EQ(MeasurePicture(std::vector<uint8_t>(10), kSize, kSize).litShare, 0.0);
}

}  // namespace
