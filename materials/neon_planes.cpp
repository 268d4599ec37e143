// Neon planes: during an export the pixels of neon baseshapes glow into
// their surroundings. The render's baseshape index bytes are averaged into
// three fixed 512 x 512 planes of neon colour, blurred, and sampled per pixel.
#include <algorithm>
#include <cmath>

#include "engine/baseshape_model.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "engine/shared_access.h"

namespace {

constexpr int kN = kNeonPlaneSize;
constexpr int kBlurPasses = 12;
constexpr int kBlurRadius = 3;

// The 7-tap Gaussian of sigma 0.84089642 normalised to a sum of 1; the 7 x 7
// kernel is its outer product (centre 0.225084, corner 0.00000067).
struct BlurTaps {
    float w[2 * kBlurRadius + 1];
    BlurTaps()
    {
        const double sigma = 0.84089642;
        double sum = 0.0, g[2 * kBlurRadius + 1];
        for (int i = -kBlurRadius; i <= kBlurRadius; ++i) sum += g[i + kBlurRadius] = std::exp(-i * i / (2 * sigma * sigma));
        for (int i = 0; i < 2 * kBlurRadius + 1; ++i) w[i] = static_cast<float>(g[i] / sum);
    }
};
const BlurTaps kTaps;

// One axis of the kernel; taps outside the plane are skipped and the rest
// renormalised. The 2-D kernel is separable and so is its renormalisation
// (the used taps form a rectangle), so two passes equal the 7 x 7 filter.
void BlurAxis(const float* in, float* out, bool rows)
{
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            float sum = 0.0f, weight = 0.0f;
            for (int k = -kBlurRadius; k <= kBlurRadius; ++k) {
                const int a = (rows ? i : j) + k;
                if (a < 0 || a >= kN) continue;
                const float w = kTaps.w[k + kBlurRadius];
                sum += w * (rows ? in[a * kN + j] : in[i * kN + a]);
                weight += w;
            }
            out[i * kN + j] = sum / weight;
        }
    }
}

}  // namespace

uint8_t& gMaskPlanesOn = gShader.neonPlanesOn;

float NeonBlurWeight(int dx, int dy)
{
    if (dx < -kBlurRadius || dx > kBlurRadius || dy < -kBlurRadius || dy > kBlurRadius) return 0.0f;
    return kTaps.w[dx + kBlurRadius] * kTaps.w[dy + kBlurRadius];
}

bool Shader::AnyNeonBaseshape() const
{
    const int count = gBaseshapeCount < kMaxBaseshapes ? gBaseshapeCount : kMaxBaseshapes;
    for (int i = 0; i < count; ++i) {
        if (gBaseshapes[i].neonOn) return true;
    }
    return false;
}

void Shader::SetMaskPlanesEnabled(uint8_t on) { SharedStore(neonPlanesOn, on); }

void Shader::BuildMaskPlanes(const int8_t* index, int width, int height, int baseshapeCount)
{
    for (auto& plane : neonPlanes) std::fill(plane, plane + kN * kN, 0.0f);
    if (index == nullptr || width <= 0 || height <= 0) return;
    const float s = static_cast<float>(width) / kN;
    const int half = static_cast<int>(s / 2.0f);
    if (half == 0) return;
    const int count = baseshapeCount < kMaxBaseshapes ? baseshapeCount : kMaxBaseshapes;
    for (int i = 0; i < kN; ++i) {
        const int r = static_cast<int>(i * s);
        for (int j = 0; j < kN; ++j) {
            const int c = static_cast<int>(j * s);
            float sum[3] = {0.0f, 0.0f, 0.0f};
            int counted = 0;
            for (int row = r - half; row < r + half; ++row) {
                if (row < 0 || row >= height) continue;
                for (int col = c - half; col < c + half; ++col) {
                    if (col < 0 || col >= width) continue;
                    ++counted;
                    const int8_t v = SharedLoad(index[static_cast<size_t>(row) * width + col]);
                    if (v <= 0) continue;
                    const int b = v - 1;
                    if (b >= count || !gBaseshapes[b].neonOn) continue;
                    const float k = gBaseshapeNeonStrength[b];
                    sum[0] += gBaseshapeNeonColor.r[b] * k;
                    sum[1] += gBaseshapeNeonColor.g[b] * k;
                    sum[2] += gBaseshapeNeonColor.b[b] * k;
                }
            }
            if (counted == 0) continue;
            for (int p = 0; p < 3; ++p) neonPlanes[p][i * kN + j] = sum[p] / counted;
        }
    }
}

void Shader::BuildMaskPlanes()
{
    BuildMaskPlanes(reinterpret_cast<const int8_t*>(gColorIndexBuffer), gImageWidth, gImageHeight, gBaseshapeCount);
}

void Shader::BlurMaskPlanes()
{
    if (!neonPlanesOn) return;
    for (int pass = 0; pass < kBlurPasses; ++pass) {
        for (auto& plane : neonPlanes) {
            BlurAxis(plane, neonScratch, false);
            BlurAxis(neonScratch, plane, true);
        }
    }
}

float* Shader::SampleMaskPlanes(float* out, int x, int y, int width) const
{
    if (!SharedLoad(neonPlanesOn) || width <= 0) return Vec3Fill(out, 0.0f);
    const float scale = static_cast<float>(kN) / width;
    auto axis = [scale](int v, int& i0, int& i1, float& a) {
        const float f = v * scale;
        if (!(f > 0.0f)) {
            i0 = i1 = 0;
            a = 0.0f;
            return;
        }
        // Rows of renders taller than wide reach past the plane: its last row.
        i0 = f < kN - 1 ? static_cast<int>(f) : kN - 1;
        i1 = i0 + 1 < kN ? i0 + 1 : i0;
        a = f - i0;
        a = a > 0.0f ? (a < 1.0f ? a : 1.0f) : 0.0f;
    };
    int c0, c1, r0, r1;
    float ax, ay;
    axis(x, c0, c1, ax);
    axis(y, r0, r1, ay);
    for (int p = 0; p < 3; ++p) {
        const float* q = neonPlanes[p];
        const float v = (q[r0 * kN + c0] * (1.0f - ay) + q[r1 * kN + c0] * ay) * (1.0f - ax) +
                        (q[r0 * kN + c1] * (1.0f - ay) + q[r1 * kN + c1] * ay) * ax;
        out[p] = v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f;
    }
    return out;
}

float* Shader::SampleMaskPlanes(float* out, int x, int y) const { return SampleMaskPlanes(out, x, y, gImageWidth); }
