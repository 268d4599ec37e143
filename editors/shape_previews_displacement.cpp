// Outlines of the displacement-mapped kinds. The relief depends on the
// map, so these draw the bounds between which the relief can lie: the base
// surface and the surfaces at full depth P0 on either side it may take.
// Round walls are drawn as chords over 20 sectors, with the seams where the
// map repeats (every quarter turn) drawn across.
#include <cmath>

#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kLines = ShapePrimitive::kLines;
constexpr int kSectors = 20;

inline float SectorAngle(int k) { return kTwoPi * static_cast<float>(k) / static_cast<float>(kSectors); }

// The chords of one sector at each (radius, height) pair, into a kLines batch.
template <class Place>
void SectorChords(ShapeSink& sink, int k, const float (*pairs)[2], int count, Place&& place)
{
    for (int n = 0; n < count; ++n)
        Segment(sink, place(SectorAngle(k), pairs[n][0], pairs[n][1]),
                place(SectorAngle(k + 1), pairs[n][0], pairs[n][1]));
}

// Kinds 52 and 55: walls of radius P1 with the relief P0 outwards or
// inwards, P2 size high; place turns (angle, radius, height) into a vertex.
template <class Place>
void DrawReliefWall(ShapeSink& sink, const BaseshapePoint& point, Place&& place)
{
    const float s = point.size;
    const float* p = point.p;
    const float radii[3] = {(p[1] - p[0]) * s, p[1] * s, (p[1] + p[0]) * s};
    const float h = 0.5f * p[2] * s;
    float pairs[6][2];
    for (int n = 0; n < 6; ++n) {
        pairs[n][0] = radii[n % 3];
        pairs[n][1] = n < 3 ? h : -h;
    }
    sink.Begin(kLines);
    for (int k = 0; k < kSectors; ++k) SectorChords(sink, k, pairs, 6, place);
    for (int seam = 0; seam < kSectors; seam += kSectors / 4)
        for (const float r : radii) Segment(sink, place(SectorAngle(seam), r, h), place(SectorAngle(seam), r, -h));
    sink.End();
}

inline V3 Round(float a, float r, float y) { return {std::sin(a) * r, y, std::cos(a) * r}; }

}  // namespace

// A square of side size, the relief P0 size deep above it (49) or on both
// sides (50).
void XShapes::DrawShape49(ShapeSink& sink, const BaseshapePoint& point)
{
    const float h = point.size / 2.0f, d = point.p[0] * point.size;
    BoxOutline(sink, {-h, -h, 0.0f}, {h, h, d});
}

void XShapes::DrawShape50(ShapeSink& sink, const BaseshapePoint& point)
{
    const float h = point.size / 2.0f, d = point.p[0] * point.size;
    BoxOutline(sink, {-h, -h, -d}, {h, h, d});
}

// A column P1 size high whose relief P0 stands out from the base radius
// P2: the outline at full relief.
void XShapes::DrawShape51(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float r = (point.p[0] + point.p[2]) * s;
    const float h = 0.5f * point.p[1] * s;
    auto at = [&](int k, float y) { return Round(kTwoPi * static_cast<float>(k) / 21.0f, r, y); };
    Run(sink, ShapePrimitive::kLineLoop, 1, 21, [&](int, int k) { return at(k, h); });
    Run(sink, ShapePrimitive::kLineLoop, 1, 21, [&](int, int k) { return at(k, -h); });
    sink.Begin(kLines);
    for (int k = 0; k < 21; ++k) Segment(sink, at(k, h), at(k, -h));
    sink.End();
}

void XShapes::DrawShape52(ShapeSink& sink, const BaseshapePoint& point) { DrawReliefWall(sink, point, Round); }

// The square section stands on a corner: |x| + |z| is 0.9 pi/2 times the
// radius, as the sampler's triangle waves make it.
void XShapes::DrawShape55(ShapeSink& sink, const BaseshapePoint& point)
{
    DrawReliefWall(sink, point, [](float a, float r, float y) {
        return V3{std::asin(std::sin(a)) * 0.9f * r, y, std::asin(std::cos(a)) * 0.9f * r};
    });
}

// A flat ring of mid radius P1 and width P2, the relief P0 up or down.
void XShapes::DrawShape53(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    const float inner = (p[1] - p[2] / 2.0f) * s, outer = (p[1] + p[2] / 2.0f) * s;
    const float d = p[0] * s;
    const float pairs[6][2] = {{inner, d}, {outer, d}, {inner, 0.0f}, {outer, 0.0f}, {inner, -d}, {outer, -d}};
    sink.Begin(kLines);
    for (int k = 0; k < kSectors; ++k) SectorChords(sink, k, pairs, 6, Round);
    for (int seam = 0; seam < kSectors; seam += kSectors / 4) {
        const float a = SectorAngle(seam);
        Segment(sink, Round(a, inner, d), Round(a, outer, d));
        Segment(sink, Round(a, inner, -d), Round(a, outer, -d));
        Segment(sink, Round(a, inner, d), Round(a, inner, -d));
        Segment(sink, Round(a, outer, d), Round(a, outer, -d));
    }
    sink.End();
}

// Meridians of the two shells between which the relief lies.
void XShapes::DrawShape54(ShapeSink& sink, const BaseshapePoint& point)
{
    sink.Begin(kLines);
    for (const float radius : {point.size, (1.0f + point.p[0]) * point.size}) {
        for (int j = 0; j <= 20; ++j) {
            const float f = static_cast<float>(j) * kPi / 10.0f;
            auto at = [&](int k) {
                const float y = static_cast<float>(k) / 10.0f - 1.0f;
                return Round(f, std::sqrt(std::fmax(0.0f, 1.0f - y * y)) * radius, y * radius);
            };
            for (int k = 0; k < 20; ++k) Segment(sink, at(k), at(k + 1));
        }
    }
    sink.End();
}

// Two square tubes standing on y = 0: the base column of corner radius P2
// and the relief's outer bound P2 + P0.
void XShapes::DrawShape73(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float top = 0.95f * point.p[1] * s;
    for (const float r : {(point.p[2] + point.p[0]) * s, point.p[2] * s}) {
        const float a = r / 1.4142135f;
        const V3 corners[4] = {{a, 0.0f, a}, {-a, 0.0f, a}, {-a, 0.0f, -a}, {a, 0.0f, -a}};
        sink.Begin(kLines);
        for (const V3& c : corners) Segment(sink, c, {c.x, top, c.z});
        sink.End();
        for (const float y : {top, 0.0f})
            Run(sink, ShapePrimitive::kLineLoop, 1, 4, [&](int, int k) { return V3{corners[k].x, y, corners[k].z}; });
    }
}

// A prism of max(P2, 3) sides of radius P1, the relief P0 into or out of
// each side, 4/sides P3 size high: per side the edges at the three radii
// top and bottom, and at its first corner the uprights and the radial
// lines of the relief's bounds.
void XShapes::DrawShape84(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    const int sides = PreviewCount(p[2], 3);
    const int truePolygon = ParameterToInt(p[2], 3, kMaxPolygonSides);
    const float h = 0.5f * s * (4.0f / static_cast<float>(truePolygon)) * p[3];
    const float inner = (p[1] - p[0]) * s, base = p[1] * s, outer = (p[1] + p[0]) * s;
    auto at = [&](int m, float r, float y) {
        const float q = kTwoPi * static_cast<float>(m) / static_cast<float>(sides);
        return Round(q, r * PolygonRadius(truePolygon, q), y);
    };
    sink.Begin(kLines);
    for (int m = 0; m < sides; ++m) {
        for (const float r : {inner, base, outer})
            for (const float y : {h, -h}) Segment(sink, at(m, r, y), at(m + 1, r, y));
        for (const float r : {inner, outer}) Segment(sink, at(m, r, h), at(m, r, -h));
        for (const float y : {h, -h}) Segment(sink, at(m, inner, y), at(m, outer, y));
    }
    sink.End();
}
