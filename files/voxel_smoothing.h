// The density the meshes and the RAW volume are made of: one of five
// smoothings of the voxel grid, chosen by the "Interpolation Type" list.
// Values are 0.0 wherever the smoothing would read outside the grid.
//
// VolumetricField's point functions (volumetric_field.h) give the value at
// one grid point; DensityPlanes gives the same values a whole plane at a
// time, filtering each axis once, which is what the exports use.
#pragma once

#include <cstdint>
#include <memory>

// The modes by list value (the row counted from the bottom).
inline constexpr int kSmoothingAverage5 = 0;      // "Median 5X"
inline constexpr int kSmoothingAverage3 = 1;      // "Median 3X"
inline constexpr int kSmoothingGaussian5 = 2;     // "Gaussian"
inline constexpr int kSmoothingNeighbours26 = 3;  // "Linear"
inline constexpr int kSmoothingIsInside = 4;      // "Cubes"
inline constexpr int kSmoothingModeCount = 5;

// The Gaussian's weights for the offsets -2 to 2 on each axis.
inline constexpr float kGaussianWeights[5] = {0.161052f, 0.218215f, 0.241466f, 0.218215f, 0.161052f};
// "Linear": a corner neighbour counts 0.8333333, the others 1, and the sum
// is scaled so that a full cube gives 1.
inline constexpr float kCornerNeighbourWeight = 0.8333333f;
inline constexpr float kNeighbours26Scale = 0.03896104f;

// The density of one mode over the grid points (x, y, z) with y in
// [y0, y1] and z in [z0, z1] (up to n, where every value is 0), one x plane
// after another. The grid is x-major (byte (x n + y) n + z) and read as set
// (any non-zero byte) or empty.
class DensityPlanes {
public:
    // False for an unknown mode or when memory runs out.
    bool Begin(const uint8_t* xMajor, int n, int mode, int y0, int y1, int z0, int z1);
    int Width() const { return width_; }    // z values per row
    int Height() const { return height_; }  // rows (y)
    // The plane at x into out (Height() rows of Width() floats, row y - y0);
    // x must not decrease from one call to the next.
    void Compute(int x, float* out);

private:
    void FilterPlane(int x, int slot);

    const uint8_t* grid_ = nullptr;
    int n_ = 0, mode_ = 0, radius_ = 0, terms_ = 1;
    int y0_ = 0, z0_ = 0, width_ = 0, height_ = 0;
    int valid0_ = 0, valid1_ = -1;  // grid points where the value can be non-zero, on every axis
    int nextPlane_ = 0;             // first x plane not filtered yet
    std::unique_ptr<float[]> planes_;   // (2 radius + 1) slots x terms of filtered planes
    std::unique_ptr<float[]> rows_;     // one term's rows filtered along z
    std::unique_ptr<float[]> line_;     // one grid row as 0 and 1
};
