// Pictures made by the program's own fractal code: the iteration kernel of a
// fractal type runs on render slot 0 with a model of ours, and its points are
// drawn into depth and colour, then lit (the icon renderer of tools/).
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
    uint8_t r, g, b;  // the colour the kernel or its colouring gave the point
};

// True when the fractal type has a kernel of its own (not a stand-in).
bool HasOwnKernel(int type);

// A fresh model: the maps become transformations 0.. (at most 65, weights
// summing to more than 0; false otherwise) with their weights normalised,
// pick table and transition rows, colours from a
// palette turned by `hue` (0..1), colouring by transformation, no baseshapes,
// and no variation, forbidden successor or per-type data left from before.
bool SetUpKernelModel(const std::vector<AffineMap>& maps, uint32_t seed, float hue = 0.0f);

// Runs start from seeds on a sphere of the radius, `pointsPerRun` points each
// (the kernels restart their orbit at every seed).
void SeedRunsFromSphere(float radius, uint32_t pointsPerRun);

// Selects the type's kernel for the model as it stands and runs it `batches`
// times on slot 0; the first batch is dropped (the orbit settles onto the
// attractor first), and only finite points the calls wrote are kept.
std::vector<KernelPoint> RunTypeKernel(int type, int batches);

// SetUpKernelModel, then RunTypeKernel; empty for a type without its own
// kernel or maps it cannot take.
std::vector<KernelPoint> RunKernelPoints(int type, const std::vector<AffineMap>& maps, int batches, uint32_t seed);

enum class PointColour : uint8_t {
    kKernel,  // the colour the kernel gave each point
    kReach,   // pale yellow at the middle of the picture through orange to dark red at the edges
    kHeight,  // blue low through green to yellow high
};

struct PointView {
    float turnY = 30.0f, turnX = 20.0f;  // degrees
    float margin = 0.06f;                // of the picture, on each side
    PointColour colour = PointColour::kReach;
    float splat = 1.3f;                  // splat radius in buffer pixels
};

// Draws the points into a size x size picture on black.
Canvas DrawKernelPoints(const std::vector<KernelPoint>& points, int size, const PointView& view);

}  // namespace assetgen
