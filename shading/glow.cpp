#include "shading/glow.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/render_buffers.h"
#include "shading/preview_image.h"

float gGlowMaps[4][kGlowMapSize * kGlowMapSize];
float gGlowCellScale = 0.25f;

namespace {

constexpr int kSourceSize = 832;
constexpr int kSourceStride = 1024;
constexpr float kCellsPerSourcePixel = 0.30769232f;  // 256 / 832
// Passes beyond this only darken or brighten further; each costs a full blur.
constexpr int kMaxGlowPasses = 256;

// By |dy| (rows) and |dx| (columns): a bell in each direction.
constexpr float kGlowWeights[6][6] = {
    {0.011202f, 0.011022f, 0.010499f, 0.009682f, 0.008644f, 0.007471f},
    {0.011022f, 0.010845f, 0.01033f, 0.009527f, 0.008505f, 0.007351f},
    {0.010499f, 0.01033f, 0.00984f, 0.009075f, 0.008102f, 0.007003f},
    {0.009682f, 0.009527f, 0.009075f, 0.008369f, 0.007471f, 0.006458f},
    {0.008644f, 0.008505f, 0.008102f, 0.007471f, 0.00667f, 0.005765f},
    {0.007471f, 0.007351f, 0.007003f, 0.006458f, 0.005765f, 0.004983f},
};

int gGlowPasses = 4;
float gGlowThreshold = 0.5f;

// One pass over one channel: the weighted mean of the neighbours inside the
// map into the scratch map, renormalised so that borders keep their level.
void BlurChannel(float* map, float* scratch, float intensity)
{
    for (int r = 0; r < kGlowMapSize; ++r) {
        const int dy0 = std::max(-kGlowKernelRadius, -r), dy1 = std::min(kGlowKernelRadius, kGlowMapSize - 1 - r);
        for (int c = 0; c < kGlowMapSize; ++c) {
            const int dx0 = std::max(-kGlowKernelRadius, -c);
            const int dx1 = std::min(kGlowKernelRadius, kGlowMapSize - 1 - c);
            float sum = 0.0f, weights = 0.0f;
            for (int dy = dy0; dy <= dy1; ++dy) {
                const float* row = map + (r + dy) * kGlowMapSize + c;
                const float* w = kGlowWeights[dy < 0 ? -dy : dy];
                for (int dx = dx0; dx <= dx1; ++dx) {
                    const float k = w[dx < 0 ? -dx : dx];
                    sum += row[dx] * k;
                    weights += k;
                }
            }
            scratch[r * kGlowMapSize + c] = sum / weights;
        }
    }
    for (int i = 0; i < kGlowMapSize * kGlowMapSize; ++i) map[i] = intensity * scratch[i];
}

inline int CellIndex(float f)
{
    if (!(f > 0.0f)) return 0;
    return f >= static_cast<float>(kGlowMapSize - 1) ? kGlowMapSize - 1 : static_cast<int>(f);
}

}  // namespace

float GlowKernelWeight(int dx, int dy)
{
    if (dx < -kGlowKernelRadius || dx > kGlowKernelRadius || dy < -kGlowKernelRadius || dy > kGlowKernelRadius)
        return 0.0f;
    return kGlowWeights[dy < 0 ? -dy : dy][dx < 0 ? -dx : dx];
}

int GlowPassesFromSteps(float steps)
{
    if (!(steps >= 1.0f)) return 0;
    return steps >= static_cast<float>(kMaxGlowPasses) ? kMaxGlowPasses : static_cast<int>(steps);
}

void SetGlowParameters(int passes, float threshold)
{
    gGlowPasses = std::min(passes, kMaxGlowPasses);
    gGlowThreshold = threshold;
}

void BuildGlowMap(const uint8_t* previewImage, float intensity, const uint8_t* onlyWhere)
{
    std::memset(gGlowMaps, 0, sizeof(gGlowMaps));
    if (gImageWidth > 0) gGlowCellScale = 512.0f / static_cast<float>(gImageWidth);
    float* counts = gGlowMaps[3];
    const float limit = gGlowThreshold * 255.0f;
    for (int y = 0; y < kSourceSize; ++y) {
        const int cy = static_cast<int>(static_cast<float>(y) * kCellsPerSourcePixel);
        for (int x = 0; x < kSourceSize; ++x) {
            const int cx = static_cast<int>(static_cast<float>(x) * kCellsPerSourcePixel);
            const uint8_t* p = previewImage + (static_cast<size_t>(y) * kSourceStride + x) * 3;
            if (cx >= kGlowMapSize || cy >= kGlowMapSize) continue;
            if (onlyWhere != nullptr && onlyWhere[y * kSourceSize + x] == 0) continue;
            if (!(0.2126f * p[0] + 0.7152f * p[1] + 0.0722f * p[2] > limit)) continue;
            const int cell = cy * kGlowMapSize + cx;
            for (int c = 0; c < 3; ++c) gGlowMaps[c][cell] += p[c];
            counts[cell] += 1.0f;
        }
    }
    for (int i = 0; i < kGlowMapSize * kGlowMapSize; ++i) {
        if (counts[i] > 0.0f)
            for (int c = 0; c < 3; ++c) gGlowMaps[c][i] /= counts[i];
        counts[i] = 0.0f;
    }
    for (int pass = 0; pass < gGlowPasses; ++pass)
        for (int c = 0; c < 3; ++c) BlurChannel(gGlowMaps[c], counts, intensity);
}

void BuildGlowMap(float intensity) { BuildGlowMap(gPreviewImage, intensity); }

float* SampleGlowMap(float* out, int column, int row)
{
    const float fr = static_cast<float>(row) * gGlowCellScale * 0.5f;
    const float fc = static_cast<float>(column) * gGlowCellScale * 0.5f;
    const int r0 = CellIndex(fr), c0 = CellIndex(fc);
    const float tr = std::clamp(fr - static_cast<float>(r0), 0.0f, 1.0f);
    const float tc = std::clamp(fc - static_cast<float>(c0), 0.0f, 1.0f);
    const int r1 = r0 + 1 < kGlowMapSize ? r0 + 1 : r0, c1 = c0 + 1 < kGlowMapSize ? c0 + 1 : c0;
    for (int c = 0; c < 3; ++c) {
        const float* m = gGlowMaps[c];
        out[c] = ((1.0f - tr) * m[r0 * kGlowMapSize + c0] + tr * m[r1 * kGlowMapSize + c0]) * (1.0f - tc) +
                 ((1.0f - tr) * m[r0 * kGlowMapSize + c1] + tr * m[r1 * kGlowMapSize + c1]) * tc;
    }
    return out;
}
