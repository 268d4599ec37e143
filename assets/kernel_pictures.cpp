#include "assets/kernel_pictures.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "baseshapes/generator_table.h"
#include "engine/baseshape_model.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/script_program.h"
#include "tools/point_icons.h"

namespace assetgen {

namespace {

constexpr float kDegree = 0.017453292f;
constexpr uint8_t kSlot = 0;
constexpr int kColouringByTransformation = 0;  // "Transformation: Weighted Interpolation"
// A not-a-number that no arithmetic makes marks the points a call has not
// written (kernels' own not-a-numbers differ from it).
constexpr uint32_t kUnwritten = 0x7fd1ad42u;

Rgb ReachPalette(float t)
{
    const Rgb dark{0.55f, 0.06f, 0.02f}, mid{1.0f, 0.45f, 0.08f}, light{1.0f, 0.9f, 0.6f};
    return t < 0.5f ? Mix(dark, mid, t * 2.0f) : Mix(mid, light, (t - 0.5f) * 2.0f);
}

Rgb HeightPalette(float t)
{
    const Rgb low{0.15f, 0.3f, 0.85f}, mid{0.2f, 0.8f, 0.45f}, high{1.0f, 0.9f, 0.3f};
    return t < 0.5f ? Mix(low, mid, t * 2.0f) : Mix(mid, high, (t - 0.5f) * 2.0f);
}

Rgb Hue(float h)
{
    const float k = 6.2831853f * h;
    return {0.55f + 0.45f * std::cos(k), 0.55f + 0.45f * std::cos(k - 2.0944f), 0.55f + 0.45f * std::cos(k + 2.0944f)};
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

bool SetUpKernelModel(const std::vector<AffineMap>& maps, uint32_t seed, float hue)
{
    if (maps.empty() || maps.size() > static_cast<size_t>(kMaxTransforms)) return false;
    InitGlobalState();
    SeedStartupRandomStates(seed, nullptr);
    std::memset(gTransforms, 0, sizeof gTransforms);
    std::memset(&gMobiusCoefficients, 0, sizeof gMobiusCoefficients);
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    gScriptProgram = ScriptProgram{};
    gEscapeFunction = 0;
    gEscapeIterationLimit = 200;
    float total = 0.0f;
    for (const AffineMap& m : maps) total += m.weight;
    if (!(total > 0.0f)) return false;
    TransformCoefficients& c = gTransformCoefficients;
    for (size_t i = 0; i < maps.size(); ++i) {
        const AffineMap& m = maps[i];
        c.m00[i] = m.m[0][0], c.m01[i] = m.m[0][1], c.m02[i] = m.m[0][2];
        c.m10[i] = m.m[1][0], c.m11[i] = m.m[1][1], c.m12[i] = m.m[1][2];
        c.m20[i] = m.m[2][0], c.m21[i] = m.m[2][1], c.m22[i] = m.m[2][2];
        c.tx[i] = m.t[0], c.ty[i] = m.t[1], c.tz[i] = m.t[2];
        gTransformWeights[i] = gTransforms[i].weight = m.weight / total;
    }
    // Every entry, as some kernels colour by a vertex or flag of their own.
    for (int i = 0; i < kMaxTransforms; ++i) {
        const Rgb colour = Hue(hue + 0.37f * static_cast<float>(i));
        gTransformColors.r[i] = static_cast<int32_t>(255.0f * colour.r);
        gTransformColors.g[i] = static_cast<int32_t>(255.0f * colour.g);
        gTransformColors.b[i] = static_cast<int32_t>(255.0f * colour.b);
    }
    gTransformCount = gPickTransformCount = static_cast<int32_t>(maps.size());
    BuildTransformPickTable();
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
    // A start off the origin: some maps (the Gumowski-Mira map) fix it.
    gSlotPoint.x[kSlot] = gPointX[gSlotBatchLast[kSlot]] = 0.31f;
    gSlotPoint.y[kSlot] = gPointY[gSlotBatchLast[kSlot]] = 0.12f;
    gSlotPoint.z[kSlot] = gPointZ[gSlotBatchLast[kSlot]] = 0.23f;
    return true;
}

void SeedRunsFromSphere(float radius, uint32_t pointsPerRun)
{
    static const bool built = (BuildBaseshapeGeneratorTables(), true);
    (void)built;
    BaseshapeRecord& r = gBaseshapes[0];
    r = BaseshapeRecord{};
    const float m[9] = {radius, 0, 0, 0, radius, 0, 0, 0, radius};
    std::memcpy(r.matrix, m, sizeof m);
    r.probability = 1.0f;
    r.shapeType = 1;
    r.blendMode = 7;
    r.pointsPerRun = pointsPerRun;
    gBaseshapePointTemplates[0] = BaseshapePoint{};
    gBaseshapePointTemplates[0].size = 1.0f;
    gBaseshapeColors.r[0] = gBaseshapeColors.g[0] = gBaseshapeColors.b[0] = 200;
    gBaseshapeModifierType[0] = 0;
    gBaseshapeArrayType[0] = 0;
    gBaseshapeCount = 1;
    gUseBaseshapes = 1;
}

std::vector<KernelPoint> RunTypeKernel(int type, int batches)
{
    std::vector<KernelPoint> points;
    if (!HasOwnKernel(type)) return points;
    SetColoringMode(kColouringByTransformation);
    SetFractalType(type);
    const FractalKernel kernel = gFractalTypeKernel.load();
    const int first = gSlotBatchStart[kSlot], end = gSlotBatchEnd[kSlot];
    const float unwritten = std::bit_cast<float>(kUnwritten);
    points.reserve(static_cast<size_t>(batches) * kSlotBatchSize);
    for (int b = 0; b < batches; ++b) {
        // The last index stays: kernels resume from it. A kernel that ends a
        // call early leaves the others unwritten.
        for (int i = first; i + 1 < end; ++i) gPointX[i] = unwritten;
        kernel(kSlot);
        if (b == 0) continue;
        for (int i = first; i < end; ++i) {
            // Unwritten points are the end of the slice; the last index then
            // still holds the previous call's point.
            if (std::bit_cast<uint32_t>(gPointX[i]) == kUnwritten && i + 1 < end) break;
            if (std::isfinite(gPointX[i]) && std::isfinite(gPointY[i]) && std::isfinite(gPointZ[i]))
                points.push_back({gPointX[i], gPointY[i], gPointZ[i], gPointColorIndex[i], gPointColorR[i],
                                  gPointColorG[i], gPointColorB[i]});
        }
    }
    return points;
}

std::vector<KernelPoint> RunKernelPoints(int type, const std::vector<AffineMap>& maps, int batches, uint32_t seed)
{
    if (!HasOwnKernel(type) || !SetUpKernelModel(maps, seed)) return {};
    return RunTypeKernel(type, batches);
}

Canvas DrawKernelPoints(const std::vector<KernelPoint>& points, int size, const PointView& view)
{
    Canvas c(size, size);
    if (points.empty() || size <= 0) return c;
    std::vector<IconPoint> icon(points.size());
    float lo = 0, hi = 1, cx = 0, cz = 0, reach = 1;
    if (view.colour == PointColour::kHeight) {
        std::vector<float> y(points.size());
        for (size_t i = 0; i < points.size(); ++i) y[i] = points[i].y;
        lo = Quantile(y, 0.01f), hi = std::max(Quantile(y, 0.99f), lo + 1e-6f);
    } else if (view.colour == PointColour::kReach) {
        std::vector<float> x(points.size()), z(points.size()), y(points.size()), d(points.size());
        for (size_t i = 0; i < points.size(); ++i) x[i] = points[i].x, y[i] = points[i].y, z[i] = points[i].z;
        cx = Quantile(x, 0.5f), lo = Quantile(y, 0.5f), cz = Quantile(z, 0.5f);
        for (size_t i = 0; i < points.size(); ++i)
            d[i] = std::hypot(points[i].x - cx, points[i].y - lo, points[i].z - cz);
        reach = std::max(Quantile(d, 0.98f), 1e-6f);
    }
    for (size_t i = 0; i < points.size(); ++i) {
        const KernelPoint& p = points[i];
        Rgb rgb{p.r / 255.0f, p.g / 255.0f, p.b / 255.0f};
        if (view.colour == PointColour::kHeight) {
            rgb = HeightPalette(std::clamp((p.y - lo) / (hi - lo), 0.0f, 1.0f));
        } else if (view.colour == PointColour::kReach) {
            const float d = std::hypot(p.x - cx, p.y - lo, p.z - cz) / reach;
            rgb = ReachPalette(1.0f - std::min(d, 1.0f));
        }
        icon[i] = {p.x, p.y, p.z, static_cast<uint8_t>(255.0f * rgb.r), static_cast<uint8_t>(255.0f * rgb.g),
                   static_cast<uint8_t>(255.0f * rgb.b)};
    }
    IconLook look;
    look.turnY = view.turnY, look.turnX = view.turnX;
    look.margin = view.margin * size;
    look.trim = 0.002f;
    look.splat = view.splat;
    look.dome = 1.0f;
    look.smoothing = 1;
    look.ambient = 0.35f;
    look.background[0] = look.background[1] = look.background[2] = 0;
    const IconImage image = DrawIconPoints(icon, size, look);
    c.pixels = image.pixels;
    return c;
}

}  // namespace assetgen
