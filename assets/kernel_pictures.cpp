#include "assets/kernel_pictures.h"

#include <algorithm>
#include <cmath>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"

namespace assetgen {

namespace {

constexpr float kDegree = 0.017453292f;
constexpr uint8_t kSlot = 0;
constexpr int kColouringByTransformation = 8;

Rgb Palette(uint8_t index)
{
    const float t = index / 255.0f;
    const Rgb dark{0.55f, 0.06f, 0.02f}, mid{1.0f, 0.45f, 0.08f}, light{1.0f, 0.9f, 0.6f};
    return t < 0.5f ? Mix(dark, mid, t * 2.0f) : Mix(mid, light, (t - 0.5f) * 2.0f);
}

// The value below which the given share of the values lie.
float Quantile(std::vector<float> values, float share)
{
    if (values.empty()) return 0.0f;
    const size_t k = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(k), values.end());
    return values[k];
}

}  // namespace

AffineMap MakeMap(const float axis[3], float degrees, float scale, const float t[3], float weight)
{
    const float len = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const float x = axis[0] / len, y = axis[1] / len, z = axis[2] / len;
    const float c = std::cos(degrees * kDegree), s = std::sin(degrees * kDegree), k = 1.0f - c;
    AffineMap map{{{scale * (c + x * x * k), scale * (x * y * k - z * s), scale * (x * z * k + y * s)},
                   {scale * (y * x * k + z * s), scale * (c + y * y * k), scale * (y * z * k - x * s)},
                   {scale * (z * x * k - y * s), scale * (z * y * k + x * s), scale * (c + z * z * k)}},
                  {t[0], t[1], t[2]},
                  weight};
    return map;
}

bool HasOwnKernel(int type)
{
    // Types whose kernel is not built yet run type 0's kernel in its place.
    return type == 0 || (type > 0 && type < kFractalTypeCount && kFractalTypes[type].kernel != RunFractalType00);
}

std::vector<KernelPoint> RunKernelPoints(int type, const std::vector<AffineMap>& maps, int batches, uint32_t seed)
{
    std::vector<KernelPoint> points;
    if (maps.empty() || maps.size() > static_cast<size_t>(kMaxTransforms) || !HasOwnKernel(type)) return points;
    InitGlobalState();
    SeedStartupRandomStates(seed, nullptr);
    TransformCoefficients& c = gTransformCoefficients;
    for (size_t i = 0; i < maps.size(); ++i) {
        const AffineMap& m = maps[i];
        c.m00[i] = m.m[0][0], c.m01[i] = m.m[0][1], c.m02[i] = m.m[0][2];
        c.m10[i] = m.m[1][0], c.m11[i] = m.m[1][1], c.m12[i] = m.m[1][2];
        c.m20[i] = m.m[2][0], c.m21[i] = m.m[2][1], c.m22[i] = m.m[2][2];
        c.tx[i] = m.t[0], c.ty[i] = m.t[1], c.tz[i] = m.t[2];
        gTransformWeights[i] = m.weight;
    }
    gTransformCount = gPickTransformCount = static_cast<int32_t>(maps.size());
    BuildTransformPickTable();
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
    SetColoringMode(kColouringByTransformation);
    gFractalType = type;
    SelectFractalTypeKernel();
    const FractalKernel kernel = gFractalTypeKernel.load();
    points.reserve(static_cast<size_t>(batches) * kSlotBatchSize);
    for (int b = 0; b < batches; ++b) {
        kernel(kSlot);
        if (b == 0) continue;  // the orbit settles onto the attractor first
        for (int i = gSlotBatchStart[kSlot]; i < gSlotBatchEnd[kSlot]; ++i)
            if (std::isfinite(gPointX[i]) && std::isfinite(gPointY[i]) && std::isfinite(gPointZ[i]))
                points.push_back({gPointX[i], gPointY[i], gPointZ[i], gPointColorIndex[i]});
    }
    return points;
}

Canvas DrawKernelPoints(const std::vector<KernelPoint>& points, int size, const PointView& view)
{
    Canvas c(size, size);
    if (points.empty() || size <= 0) return c;
    const float cy = std::cos(view.turnY * kDegree), sy = std::sin(view.turnY * kDegree);
    const float cx = std::cos(view.turnX * kDegree), sx = std::sin(view.turnX * kDegree);
    std::vector<float> px, py, pz;
    px.reserve(points.size()), py.reserve(points.size()), pz.reserve(points.size());
    for (const KernelPoint& p : points) {
        const float x1 = cy * p.x + sy * p.z, z1 = -sy * p.x + cy * p.z;
        px.push_back(x1);
        py.push_back(cx * p.y - sx * z1);
        pz.push_back(sx * p.y + cx * z1);  // larger is nearer
    }
    // Fit the bulk of the points: a few strays must not shrink the picture.
    const float x0 = Quantile(px, 0.002f), x1 = Quantile(px, 0.998f);
    const float y0 = Quantile(py, 0.002f), y1 = Quantile(py, 0.998f);
    const float z0 = Quantile(pz, 0.01f), z1 = Quantile(pz, 0.99f);
    const float extent = std::max({x1 - x0, y1 - y0, 1e-6f});
    const float scale = size * (1.0f - 2.0f * view.margin) / extent;
    const float mx = 0.5f * (x0 + x1), my = 0.5f * (y0 + y1);

    // Colour by distance from the middle of the picture: the core glows pale,
    // the reaches stay dark red.
    std::vector<float> reach(points.size());
    for (size_t i = 0; i < points.size(); ++i) reach[i] = std::hypot(px[i] - 0.5f * (x0 + x1), py[i] - 0.5f * (y0 + y1));
    const float farthest = std::max(Quantile(reach, 0.98f), 1e-6f);

    const size_t n = static_cast<size_t>(size) * size;
    std::vector<float> density(n, 0.0f), nearest(n, -1.0f);
    std::vector<Rgb> colour(n, Rgb{0, 0, 0});
    for (size_t i = 0; i < points.size(); ++i) {
        const float fx = (px[i] - mx) * scale + 0.5f * size;
        const float fy = 0.5f * size - (py[i] - my) * scale;
        if (!(fx >= 0 && fy >= 0 && fx < size && fy < size)) continue;
        const size_t at = static_cast<size_t>(fy) * size + static_cast<size_t>(fx);
        const float depth = std::clamp((pz[i] - z0) / std::max(z1 - z0, 1e-6f), 0.0f, 1.0f);
        density[at] += 1.0f;
        const Rgb p = Palette(static_cast<uint8_t>(255.0f * (1.0f - std::min(reach[i] / farthest, 1.0f))));
        colour[at] = Mix(colour[at], p, 1.0f / density[at]);
        nearest[at] = std::max(nearest[at], depth);
    }
    float peak = 1.0f;
    for (float d : density) peak = std::max(peak, d);
    for (size_t at = 0; at < n; ++at) {
        if (density[at] == 0.0f) continue;
        const float v = std::pow(std::log1p(density[at]) / std::log1p(peak), 0.55f);
        const float light = 0.35f + 0.65f * nearest[at];
        c.Set(static_cast<int>(at % size), static_cast<int>(at / size), Scale(colour[at], v * light * 1.4f * view.gain));
    }
    return c;
}

}  // namespace assetgen
