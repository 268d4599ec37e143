#include "tools/point_icons.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegree = 0.017453292f;
constexpr float kEmpty = -1e30f;

struct Projected {
    float x, y, z;
    uint8_t r, g, b;
};

// The value below which the given share of the values lie.
float Quantile(std::vector<float>& values, float share)
{
    const size_t k = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<float>(values.size())));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(k), values.end());
    return values[k];
}

struct Range {
    float lo, hi;
};

Range Fit(const std::vector<Projected>& pts, float Projected::*axis, float trim)
{
    if (trim <= 0.0f) {
        Range r{pts[0].*axis, pts[0].*axis};
        for (const Projected& p : pts) r.lo = std::min(r.lo, p.*axis), r.hi = std::max(r.hi, p.*axis);
        return r;
    }
    std::vector<float> v;
    v.reserve(pts.size());
    for (const Projected& p : pts) v.push_back(p.*axis);
    const float lo = Quantile(v, trim);
    return {lo, Quantile(v, 1.0f - trim)};
}

// Depth and colour of the nearest splat at every buffer pixel.
struct DepthBuffer {
    int size;
    std::vector<float> depth;  // larger is nearer; kEmpty where nothing lies
    std::vector<float> colour;  // 3 a pixel, 0..1

    explicit DepthBuffer(int n) : size(n), depth(static_cast<size_t>(n) * n, kEmpty), colour(depth.size() * 3, 0) {}
    bool Covered(int x, int y) const { return depth[static_cast<size_t>(y) * size + x] > kEmpty; }
};

void Splat(DepthBuffer& buf, float fx, float fy, float z, const float rgb[3], float radius, float dome)
{
    const int r = static_cast<int>(std::ceil(radius));
    const int cx = static_cast<int>(fx), cy = static_cast<int>(fy);
    for (int y = std::max(cy - r, 0); y <= std::min(cy + r, buf.size - 1); ++y) {
        for (int x = std::max(cx - r, 0); x <= std::min(cx + r, buf.size - 1); ++x) {
            const float dx = x + 0.5f - fx, dy = y + 0.5f - fy, d2 = dx * dx + dy * dy;
            if (d2 > radius * radius) continue;
            // A dome, so a lone point reads as a small ball and not a flat tile.
            const float zz = z + dome * std::sqrt(radius * radius - d2);
            const size_t at = static_cast<size_t>(y) * buf.size + x;
            if (zz <= buf.depth[at]) continue;
            buf.depth[at] = zz;
            std::copy(rgb, rgb + 3, &buf.colour[at * 3]);
        }
    }
}

// Pixels mostly surrounded by a nearer surface take their neighbours' mean:
// gaps between the splats, whether empty or showing a farther surface
// through the near one.
int FillPinholes(DepthBuffer& buf, float step)
{
    int filled = 0;
    const DepthBuffer src = buf;
    for (int y = 1; y + 1 < buf.size; ++y) {
        for (int x = 1; x + 1 < buf.size; ++x) {
            const float z0 = src.depth[static_cast<size_t>(y) * buf.size + x];
            int n = 0;
            float z = 0, c[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const size_t at = static_cast<size_t>(y + dy) * buf.size + x + dx;
                    if (src.depth[at] <= kEmpty || src.depth[at] < z0 + step) continue;
                    ++n, z += src.depth[at];
                    for (int k = 0; k < 3; ++k) c[k] += src.colour[at * 3 + k];
                }
            if (n < 6) continue;
            const size_t at = static_cast<size_t>(y) * buf.size + x;
            buf.depth[at] = z / n;
            for (int k = 0; k < 3; ++k) buf.colour[at * 3 + k] = c[k] / n;
            ++filled;
        }
    }
    return filled;
}

// Depth averaged over the neighbours on the same surface (within `step`).
float SmoothDepth(const std::vector<float>& depth, int size, int x, int y, float step)
{
    const float z0 = depth[static_cast<size_t>(y) * size + x];
    float sum = 0;
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int xx = x + dx, yy = y + dy;
            if (xx < 0 || yy < 0 || xx >= size || yy >= size) continue;
            const float z = depth[static_cast<size_t>(yy) * size + xx];
            if (z > kEmpty && std::fabs(z - z0) <= step) sum += z, ++n;
        }
    return sum / n;
}

}  // namespace

IconImage DrawIconPoints(const std::vector<IconPoint>& points, int size, const IconLook& look, IconCoverage* coverage)
{
    size = std::max(size, 1);
    IconImage image;
    image.width = image.height = size;
    image.pixels.resize(static_cast<size_t>(size) * size * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = look.background[i % 3];
    if (coverage) *coverage = IconCoverage{};

    const float cy = std::cos(look.turnY * kDegree), sy = std::sin(look.turnY * kDegree);
    const float cx = std::cos(look.turnX * kDegree), sx = std::sin(look.turnX * kDegree);
    std::vector<Projected> pts;
    pts.reserve(points.size());
    for (const IconPoint& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
        const float x1 = cy * p.x + sy * p.z, z1 = -sy * p.x + cy * p.z;
        pts.push_back({x1, cx * p.y - sx * z1, sx * p.y + cx * z1, p.r, p.g, p.b});
    }
    if (pts.empty()) return image;

    const int ss = std::clamp(look.supersample, 1, 4);
    const int n = size * ss;
    const Range rx = Fit(pts, &Projected::x, look.trim), ry = Fit(pts, &Projected::y, look.trim);
    const Range rz = Fit(pts, &Projected::z, look.trim);
    const float extent = std::max({rx.hi - rx.lo, ry.hi - ry.lo, 1e-6f});
    const float scale = std::max(static_cast<float>(n) - 2.0f * look.margin * ss, 1.0f) / extent;
    const float mx = 0.5f * (rx.lo + rx.hi), my = 0.5f * (ry.lo + ry.hi), mz = 0.5f * (rz.lo + rz.hi);

    DepthBuffer buf(n);
    for (const Projected& p : pts) {
        const float fx = (p.x - mx) * scale + 0.5f * n, fy = 0.5f * n - (p.y - my) * scale;
        if (!(fx >= 0.0f && fy >= 0.0f && fx < n && fy < n)) continue;
        const float rgb[3] = {p.r / 255.0f, p.g / 255.0f, p.b / 255.0f};
        Splat(buf, fx, fy, (p.z - mz) * scale, rgb, look.splat, look.dome);
    }
    const float step = 2.5f * look.splat + 1.0f;
    int patched = FillPinholes(buf, step);
    patched += FillPinholes(buf, step);

    // Light from the upper left and in front; the half vector gives a soft
    // highlight. Farther surfaces are dimmed so depth reads as well.
    const float lx = -0.45f, ly = 0.55f, lz = 0.70f;
    const float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float L[3] = {lx / ll, ly / ll, lz / ll};
    const float hl = std::sqrt(L[0] * L[0] + L[1] * L[1] + (L[2] + 1) * (L[2] + 1));
    const float H[3] = {L[0] / hl, L[1] / hl, (L[2] + 1) / hl};
    const float zNear = (rz.hi - mz) * scale + look.splat, zFar = (rz.lo - mz) * scale;

    if (coverage) {
        coverage->patched = patched;
        for (float z : buf.depth) coverage->covered += z > kEmpty;
    }
    std::vector<float> smooth = buf.depth, from;
    for (int pass = 0; pass < look.smoothing; ++pass) {
        from.swap(smooth);
        smooth = from;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                if (from[static_cast<size_t>(y) * n + x] > kEmpty)
                    smooth[static_cast<size_t>(y) * n + x] = SmoothDepth(from, n, x, y, step);
    }

    auto depthAt = [&](int x, int y, float z0) {
        if (x < 0 || y < 0 || x >= n || y >= n) return z0;
        const float z = smooth[static_cast<size_t>(y) * n + x];
        return (z > kEmpty && std::fabs(z - z0) <= step) ? z : z0;
    };
    std::vector<float> sum(static_cast<size_t>(size) * size * 3, 0.0f);
    std::vector<int> hits(static_cast<size_t>(size) * size, 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const size_t at = static_cast<size_t>(y) * n + x;
            const float z0 = smooth[at];
            if (z0 <= kEmpty) continue;
            const float gx = 0.5f * (depthAt(x + 1, y, z0) - depthAt(x - 1, y, z0));
            const float gy = 0.5f * (depthAt(x, y + 1, z0) - depthAt(x, y - 1, z0));
            // Screen rows run down, so the y slope changes sign.
            const float nl = std::sqrt(gx * gx + gy * gy + 1.0f);
            const float N[3] = {-gx / nl, gy / nl, 1.0f / nl};
            const float diffuse = std::max(0.0f, N[0] * L[0] + N[1] * L[1] + N[2] * L[2]);
            const float specular = std::pow(std::max(0.0f, N[0] * H[0] + N[1] * H[1] + N[2] * H[2]), 24.0f);
            const float cue = 0.6f + 0.4f * std::clamp((z0 - zFar) / std::max(zNear - zFar, 1e-6f), 0.0f, 1.0f);
            const float light = (look.ambient + (1.0f - look.ambient) * diffuse) * cue;
            const size_t out = static_cast<size_t>(y / ss) * size + x / ss;
            for (int k = 0; k < 3; ++k) sum[out * 3 + k] += buf.colour[at * 3 + k] * light + 0.35f * specular * cue;
            ++hits[out];
        }
    }
    const float full = static_cast<float>(ss * ss);
    for (size_t out = 0; out < hits.size(); ++out) {
        if (hits[out] == 0) continue;
        const float a = hits[out] / full;
        for (int k = 0; k < 3; ++k) {
            const float v = std::min(sum[out * 3 + k] / hits[out], 1.0f) * 255.0f;
            image.pixels[out * 3 + k] = static_cast<uint8_t>(std::lround(v * a + look.background[k] * (1.0f - a)));
        }
    }
    return image;
}
