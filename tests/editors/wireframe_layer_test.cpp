// The wireframe layer's own drawing: which pixels a line lights, which of
// two pixels stays, clipping, and the same layer whatever the number of
// threads.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "editors/wireframe_layer.h"

namespace {

constexpr int kWidth = 16, kHeight = 8;
// Pixel coordinates to clip space; depth as given, -1 near to 1 far.
constexpr float kPixels[16] = {2.0f / kWidth, 0, 0, 0, 0, 2.0f / kHeight, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};
constexpr uint32_t kGreen = 0xFF00FF00u;

RecordedWireframe Strip(ShapePrimitive primitive, const std::vector<std::vector<float>>& vertices)
{
    RecordedWireframe w;
    for (const std::vector<float>& v : vertices) {
        w.xyz.insert(w.xyz.end(), {v[0], v[1], v.size() > 2 ? v[2] : 0.0f});
        w.colourOf.push_back(0);
    }
    w.steps.push_back({primitive, 0, static_cast<uint32_t>(vertices.size())});
    return w;
}

std::set<std::pair<int, int>> Lit(const WireframeLayer& layer)
{
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (layer.Rgba()[static_cast<size_t>(y) * layer.Width() + x] != 0) lit.insert({x, y});
    return lit;
}

WireframeLayer Drawn(const std::vector<RecordedWireframe>& wireframes, int threads, int width = kWidth, int height = kHeight)
{
    WireframeLayer layer;
    layer.Begin(width, height, 0.0f, 1.0f);
    for (const RecordedWireframe& w : wireframes) {
        float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        layer.Add(w, kPixels, green);
    }
    layer.Rasterize(threads);
    return layer;
}

std::set<std::pair<int, int>> Row(int y, int from, int to)
{
    std::set<std::pair<int, int>> s;
    for (int x = from; x <= to; ++x) s.insert({x, y});
    return s;
}

TEST(WireframeLayer, LinesLightOnePixelPerStepAndLeaveTheirEnd)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        ShapePrimitive primitive;
        std::vector<std::vector<float>> vertices;
        std::set<std::pair<int, int>> lit;
    };
    const Case cases[] = {
        {"across", ShapePrimitive::kLineStrip, {{0.5f, 2.5f}, {10.5f, 2.5f}}, Row(2, 0, 9)},
        {"across, backwards", ShapePrimitive::kLineStrip, {{10.5f, 2.5f}, {0.5f, 2.5f}}, Row(2, 1, 10)},
        {"up", ShapePrimitive::kLineStrip, {{3.5f, 0.5f}, {3.5f, 6.5f}}, {{3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}}},
        {"diagonal", ShapePrimitive::kLineStrip, {{0.5f, 0.5f}, {4.5f, 4.5f}}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"out of the layer both ways", ShapePrimitive::kLineStrip, {{-20.0f, 4.5f}, {40.0f, 4.5f}}, Row(4, 0, 15)},
        {"behind the far plane", ShapePrimitive::kLineStrip, {{0.5f, 2.5f, 2.0f}, {10.5f, 2.5f, 2.0f}}, {}},
        {"loop closes", ShapePrimitive::kLineLoop, {{0.5f, 0.5f}, {3.5f, 0.5f}, {3.5f, 1.5f}},
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {2, 1}}},
        {"lines in pairs", ShapePrimitive::kLines, {{0.5f, 6.5f}, {2.5f, 6.5f}, {5.5f, 6.5f}}, Row(6, 0, 1)},
        {"a point", ShapePrimitive::kPoints, {{3.7f, 5.2f}}, {{3, 5}}},
        {"not a number", ShapePrimitive::kLineStrip, {{nan, 2.5f}, {10.5f, 2.5f}, {inf, inf}}, {}},
        {"no length", ShapePrimitive::kLineStrip, {{5.5f, 5.5f}, {5.5f, 5.5f}}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<RecordedWireframe> one = {Strip(c.primitive, c.vertices)};
        EXPECT_EQ(Lit(Drawn(one, 1)), c.lit) << c.what;
        const WireframeLayer banded = Drawn(one, 3);  // rows split over bands
        EXPECT_EQ(Lit(banded), c.lit) << c.what;
        // What is put in over the frame holds every pixel drawn.
        const WireframeLayer::Box box = banded.Drawn();
        for (const auto& [x, y] : c.lit)
            EXPECT_TRUE(x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height) << c.what;
    }
    EXPECT_EQ(Drawn({Strip(ShapePrimitive::kLineStrip, {{0.5f, 2.5f, 2.0f}, {10.5f, 2.5f, 2.0f}})}, 3).Drawn().width, 0);
}

// The nearer pixel stays, whichever came first; at the same depth the first.
TEST(WireframeLayer, TheNearerPixelStaysAndTheFirstOnATie)
{
    const RecordedWireframe nearLine = Strip(ShapePrimitive::kLineStrip, {{0.5f, 3.5f, -0.5f}, {10.5f, 3.5f, -0.5f}});
    const RecordedWireframe farLine = Strip(ShapePrimitive::kLineStrip, {{4.5f, 0.5f, 0.5f}, {4.5f, 7.5f, 0.5f}});
    const size_t crossing = 3 * kWidth + 4;
    for (const bool nearFirst : {true, false}) {
        const WireframeLayer layer = Drawn(nearFirst ? std::vector{nearLine, farLine} : std::vector{farLine, nearLine}, 2);
        EXPECT_FLOAT_EQ(layer.Depth()[crossing], 0.25f);
        EXPECT_EQ(layer.Depth()[0], 1.0f);  // nothing drawn there
    }
    RecordedWireframe red = Strip(ShapePrimitive::kLineStrip, {{4.5f, 0.5f, -0.5f}, {4.5f, 7.5f, -0.5f}});
    red.colours = {1.0f, 0.0f, 0.0f};
    red.colourOf.assign(2, 1);
    EXPECT_EQ(Drawn({nearLine, red}, 1).Rgba()[crossing], kGreen);
    EXPECT_EQ(Drawn({red, nearLine}, 1).Rgba()[crossing], 0xFF0000FFu);
}

// Thousands of random lines, some far out of the layer: the same layer on
// one thread or many, and nothing drawn where a line cannot reach.
TEST(WireframeLayer, TheSameLayerOnAnyNumberOfThreads)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<float> across(-30.0f, 130.0f), depth(-1.2f, 1.2f);
    std::vector<RecordedWireframe> wireframes;
    for (int w = 0; w < 40; ++w) {
        std::vector<std::vector<float>> vertices;
        for (int v = 0; v < 80; ++v) vertices.push_back({across(random), across(random) * 0.6f, depth(random)});
        wireframes.push_back(Strip(w % 3 == 0 ? ShapePrimitive::kLineLoop : ShapePrimitive::kLineStrip, vertices));
    }
    const WireframeLayer one = Drawn(wireframes, 1, 97, 61);
    EXPECT_GT(Lit(one).size(), 2000u);
    for (const int threads : {2, 5, 8, 61, 200}) {
        const WireframeLayer many = Drawn(wireframes, threads, 97, 61);
        EXPECT_EQ(many.Rgba(), one.Rgba()) << threads;
        EXPECT_EQ(many.Depth(), one.Depth()) << threads;
    }
    for (const float d : one.Depth()) EXPECT_TRUE(d >= 0.0f && d <= 1.0f);
}

}  // namespace
