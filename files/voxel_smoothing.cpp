// Sections: [kernels] [point values] [planes].
#include "files/voxel_smoothing.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "files/volumetric_field.h"

// ---- [kernels] ---------------------------------------------------------------------
namespace {

// Every mode is a sum of at most two separable kernels: the value is
// scale[t] times the sum of w(dx) w(dy) w(dz) over the set voxels.
struct SmoothingKernel {
    int radius;
    int terms;
    float weight[2][5];
    float scale[2];
};

constexpr SmoothingKernel kKernels[kSmoothingModeCount] = {
    {2, 1, {{1, 1, 1, 1, 1}}, {1.0f / 125.0f}},
    {1, 1, {{1, 1, 1}}, {1.0f / 27.0f}},
    {2, 1, {{kGaussianWeights[0], kGaussianWeights[1], kGaussianWeights[2], kGaussianWeights[3], kGaussianWeights[4]}},
     {1.0f}},
    // Corners weigh 1 in the full cube and kCornerNeighbourWeight - 1 more
    // in the cube of corners alone.
    {1, 2, {{1, 1, 1}, {1, 0, 1}}, {kNeighbours26Scale, kNeighbours26Scale * (kCornerNeighbourWeight - 1.0f)}},
    {0, 1, {{1}}, {1.0f}},
};

// Lowest grid coordinate where a mode can be non-zero; the highest is n - 1 - radius.
int LowestValid(int mode) { return mode == kSmoothingIsInside ? 1 : kKernels[mode].radius; }

bool Set(const uint8_t* grid, int n, int x, int y, int z)
{
    return grid[(static_cast<size_t>(z) * n + static_cast<size_t>(y)) * n + static_cast<size_t>(x)] != 0;
}

// The set voxels of the cube of half-width r around (x, y, z), weighted;
// -1 when the cube leaves the grid.
template <typename Weight>
float CubeSum(const uint8_t* grid, int n, int x, int y, int z, int r, Weight weight)
{
    if (x - r < 0 || y - r < 0 || z - r < 0 || x + r >= n || y + r >= n || z + r >= n) return -1.0f;
    float sum = 0.0f;
    for (int dz = -r; dz <= r; ++dz) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (Set(grid, n, x + dx, y + dy, z + dz)) sum += weight(dx, dy, dz);
            }
        }
    }
    return sum;
}

}  // namespace

// ---- [point values] ------------------------------------------------------------------
float VolumetricField::Average5(const uint8_t* grid, int x, int y, int z) const
{
    const float sum = CubeSum(grid, static_cast<int>(side), x, y, z, 2, [](int, int, int) { return 1.0f; });
    return sum > 0.0f ? sum / 125.0f : 0.0f;
}

float VolumetricField::Average3(const uint8_t* grid, int x, int y, int z) const
{
    const float sum = CubeSum(grid, static_cast<int>(side), x, y, z, 1, [](int, int, int) { return 1.0f; });
    return sum > 0.0f ? sum / 27.0f : 0.0f;
}

float VolumetricField::Gaussian5(const uint8_t* grid, int x, int y, int z) const
{
    const float sum = CubeSum(grid, static_cast<int>(side), x, y, z, 2, [](int dx, int dy, int dz) {
        return kGaussianWeights[dx + 2] * kGaussianWeights[dy + 2] * kGaussianWeights[dz + 2];
    });
    return std::max(sum, 0.0f);
}

float VolumetricField::Neighbours26(const uint8_t* grid, int x, int y, int z) const
{
    const float sum = CubeSum(grid, static_cast<int>(side), x, y, z, 1, [](int dx, int dy, int dz) {
        return dx != 0 && dy != 0 && dz != 0 ? kCornerNeighbourWeight : 1.0f;
    });
    return std::max(sum, 0.0f) * kNeighbours26Scale;
}

float VolumetricField::IsInside(const uint8_t* grid, int x, int y, int z) const
{
    const int n = static_cast<int>(side);
    const bool inside = x >= 1 && y >= 1 && z >= 1 && x < n && y < n && z < n;
    return inside && Set(grid, n, x, y, z) ? 1.0f : 0.0f;
}

// ---- [planes] ----------------------------------------------------------------------
bool DensityPlanes::Begin(const uint8_t* xMajor, int n, int mode, int y0, int y1, int z0, int z1)
{
    if (mode < 0 || mode >= kSmoothingModeCount || n <= 0 || y1 < y0 || z1 < z0) return false;
    grid_ = xMajor;
    n_ = n;
    mode_ = mode;
    radius_ = kKernels[mode].radius;
    terms_ = kKernels[mode].terms;
    y0_ = y0;
    z0_ = z0;
    width_ = z1 - z0 + 1;
    height_ = y1 - y0 + 1;
    valid0_ = LowestValid(mode);
    valid1_ = n - 1 - radius_;
    nextPlane_ = 0;
    const size_t plane = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    const size_t slots = static_cast<size_t>(2 * radius_ + 1) * static_cast<size_t>(terms_);
    planes_.reset(new (std::nothrow) float[plane * slots]);
    rows_.reset(new (std::nothrow) float[static_cast<size_t>(height_ + 2 * radius_) * static_cast<size_t>(width_)]);
    line_.reset(new (std::nothrow) float[static_cast<size_t>(width_ + 2 * radius_)]);
    return planes_ && rows_ && line_;
}

// Plane x filtered along z and y into the slot, per term; only the points
// where the whole neighbourhood lies in the grid are filled, the rest is 0.
void DensityPlanes::FilterPlane(int x, int slot)
{
    const int r = radius_;
    const size_t plane = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    float* out = planes_.get() + static_cast<size_t>(slot) * static_cast<size_t>(terms_) * plane;
    std::fill(out, out + plane * static_cast<size_t>(terms_), 0.0f);
    const int ya = std::max(y0_, valid0_), yb = std::min(y0_ + height_ - 1, valid1_);
    const int za = std::max(z0_, valid0_), zb = std::min(z0_ + width_ - 1, valid1_);
    if (ya > yb || za > zb) return;
    const int span = 2 * r + 1, length = zb - za + 1;
    for (int t = 0; t < terms_; ++t) {
        const float* w = kKernels[mode_].weight[t];
        for (int y = ya - r; y <= yb + r; ++y) {
            const uint8_t* row = grid_ + (static_cast<size_t>(x) * n_ + static_cast<size_t>(y)) * n_ + (za - r);
            float* filtered = rows_.get() + static_cast<size_t>(y - (ya - r)) * width_;
            const bool any = std::any_of(row, row + length + 2 * r, [](uint8_t b) { return b != 0; });
            if (!any) {
                std::fill(filtered, filtered + length, 0.0f);
                continue;
            }
            for (int k = 0; k < length + 2 * r; ++k) line_[k] = row[k] != 0 ? 1.0f : 0.0f;
            for (int z = 0; z < length; ++z) {
                float sum = 0.0f;
                for (int k = 0; k < span; ++k) sum += w[k] * line_[z + k];
                filtered[z] = sum;
            }
        }
        float* target = out + static_cast<size_t>(t) * plane;
        for (int y = ya; y <= yb; ++y) {
            float* cell = target + static_cast<size_t>(y - y0_) * width_ + (za - z0_);
            const float* first = rows_.get() + static_cast<size_t>(y - ya) * width_;
            for (int k = 0; k < span; ++k) {
                const float wk = w[k];
                if (wk == 0.0f) continue;
                const float* in = first + static_cast<size_t>(k) * width_;
                for (int z = 0; z < length; ++z) cell[z] += wk * in[z];
            }
        }
    }
}

void DensityPlanes::Compute(int x, float* out)
{
    const size_t plane = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    std::fill(out, out + plane, 0.0f);
    if (x < valid0_ || x > valid1_) return;
    const int r = radius_, span = 2 * r + 1;
    nextPlane_ = std::max(nextPlane_, x - r);
    for (; nextPlane_ <= x + r; ++nextPlane_) FilterPlane(nextPlane_, nextPlane_ % span);
    for (int t = 0; t < terms_; ++t) {
        for (int k = 0; k < span; ++k) {
            const float w = kKernels[mode_].scale[t] * kKernels[mode_].weight[t][k];
            if (w == 0.0f) continue;
            const float* in = planes_.get() + (static_cast<size_t>((x - r + k) % span) * terms_ + t) * plane;
            for (size_t i = 0; i < plane; ++i) out[i] += w * in[i];
        }
    }
}
