// What the wireframe drawers share: a vertex, runs of primitives over a
// grid of two parameters, segments and box outlines. Counts read from
// parameters go through PreviewCount, so a hostile parameter can neither
// make a huge grid nor an out-of-range conversion.
#pragma once

#include <cmath>
#include <initializer_list>

#include "baseshapes/sampler_contract.h"
#include "editors/shape_previews.h"

namespace shape_preview {

struct V3 {
    float x, y, z;
};

// kPi and kTwoPi are the samplers' single-precision angles.
inline constexpr float kDegrees = 0.017453292f;  // pi / 180

// More sides than any screen shows apart from a circle; a larger count is
// drawn through this many points of its outline.
inline constexpr int kMaxPreviewSides = 64;

inline int PreviewCount(float value, int low) { return ParameterToInt(value, low, kMaxPreviewSides); }

inline void Put(ShapeSink& sink, V3 v) { sink.Vertex(v.x, v.y, v.z); }

// count primitives of length vertices; at(i, j) is vertex j of primitive i.
template <class At>
void Run(ShapeSink& sink, ShapePrimitive primitive, int count, int length, At&& at)
{
    for (int i = 0; i < count; ++i) {
        sink.Begin(primitive);
        for (int j = 0; j < length; ++j) Put(sink, at(i, j));
        sink.End();
    }
}

// The grid lines of at(i, j), i < n and j < m: n primitives along j, then m
// along i. Each grid point is evaluated once.
template <class At>
void BothWays(ShapeSink& sink, ShapePrimitive first, int n, int m, ShapePrimitive second, At&& at)
{
    constexpr int kMaxGrid = kMaxPreviewSides * kMaxPreviewSides;
    if (n * m > kMaxGrid) {
        Run(sink, first, n, m, at);
        Run(sink, second, m, n, [&](int j, int i) { return at(i, j); });
        return;
    }
    V3 grid[kMaxGrid];
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j) grid[i * m + j] = at(i, j);
    Run(sink, first, n, m, [&](int i, int j) { return grid[i * m + j]; });
    Run(sink, second, m, n, [&](int j, int i) { return grid[i * m + j]; });
}

// Inside a kLines batch.
inline void Segment(ShapeSink& sink, V3 a, V3 b)
{
    Put(sink, a);
    Put(sink, b);
}

// The twelve edges of the box lo..hi: a strip of ten round the bottom face
// (z = lo.z), up and round the top face, then the three other uprights.
void BoxOutline(ShapeSink& sink, V3 lo, V3 hi);

}  // namespace shape_preview
