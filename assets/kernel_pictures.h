// Pictures made by the program's own fractal code: the iteration kernel of a
// fractal type runs on render slot 0 with affine maps of ours, and the points
// are drawn with a fixed view, brighter where they are dense and nearer.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/canvas.h"

namespace assetgen {

struct AffineMap {
    float m[3][3];  // row-major linear part
    float t[3];
    float weight;
};

// A rotation by 'degrees' about the axis, times a uniform scale, then t.
AffineMap MakeMap(const float axis[3], float degrees, float scale, const float t[3], float weight);

struct KernelPoint {
    float x, y, z;
    uint8_t colourIndex;
};

// True when the fractal type has a kernel of its own (not a stand-in).
bool HasOwnKernel(int type);

// Sets the maps up as the fractal's transformations, selects the type's
// kernel and runs it `batches` times on slot 0; the first batch is dropped.
std::vector<KernelPoint> RunKernelPoints(int type, const std::vector<AffineMap>& maps, int batches, uint32_t seed);

struct PointView {
    float turnY = 30.0f, turnX = 20.0f;  // degrees
    float margin = 0.06f;                // of the picture, on each side
    float gain = 1.0f;
};

// Draws the points into a size x size picture on black, pale yellow in the
// middle through orange to dark red at the edges.
Canvas DrawKernelPoints(const std::vector<KernelPoint>& points, int size, const PointView& view);

}  // namespace assetgen
