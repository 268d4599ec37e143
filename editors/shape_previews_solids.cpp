// Wireframes of the solids drawn from explicit vertices: polyhedra, the
// stair and the road of blocks, cylinders, prisms, the gear, the capsule,
// the arc and the ring of boxes.
//
// Sections: [polyhedra] [blocks] [round solids]
#include <cmath>

#include "baseshapes/polyhedron_tables.h"
#include "editors/shape_preview_grid.h"

using namespace shape_preview;

namespace {

constexpr ShapePrimitive kStrip = ShapePrimitive::kLineStrip;
constexpr ShapePrimitive kLoop = ShapePrimitive::kLineLoop;
constexpr ShapePrimitive kLines = ShapePrimitive::kLines;

// The 30 edges of the dodecahedron of gDodecahedronVertices.
constexpr uint8_t kDodecahedronEdges[30][2] = {
    {0, 1},   {0, 4},   {0, 5},   {1, 2},   {1, 6},   {2, 3},   {2, 7},   {3, 4},   {3, 8},   {4, 9},
    {5, 10},  {5, 14},  {6, 10},  {6, 11},  {7, 11},  {7, 12},  {8, 12},  {8, 13},  {9, 13},  {9, 14},
    {10, 15}, {11, 16}, {12, 17}, {13, 18}, {14, 19}, {15, 16}, {15, 19}, {16, 17}, {17, 18}, {18, 19},
};

// The compound of five regular tetrahedra on the dodecahedron's vertices,
// the same groups the TimeStar sampler draws its faces from.
constexpr uint8_t kStarTetrahedra[5][4] = {
    {0, 7, 13, 15}, {1, 8, 14, 16}, {2, 9, 10, 17}, {4, 6, 12, 19}, {3, 11, 18, 5},
};

inline V3 Scaled(const float* v, float s) { return {v[0] * s, v[1] * s, v[2] * s}; }

// Two polygons of `count` corners at heights +-h joined by uprights;
// radius(a) is the distance from the axis at angle a.
template <class Radius>
void Drum(ShapeSink& sink, int count, float h, Radius&& radius)
{
    auto at = [&](int k, float y) {
        const float a = kTwoPi * static_cast<float>(k) / static_cast<float>(count);
        const float r = radius(a);
        return V3{std::cos(a) * r, y, std::sin(a) * r};
    };
    Run(sink, kLoop, 1, count, [&](int, int k) { return at(k, h); });
    Run(sink, kLoop, 1, count, [&](int, int k) { return at(k, -h); });
    sink.Begin(kLines);
    for (int k = 0; k < count; ++k) Segment(sink, at(k, h), at(k, -h));
    sink.End();
}

}  // namespace

// [polyhedra] --------------------------------------------------------------

void XShapes::DrawShape15(ShapeSink& sink, const BaseshapePoint& point)
{
    sink.Begin(kLines);
    for (const auto& e : kDodecahedronEdges)
        Segment(sink, Scaled(gDodecahedronVertices[e[0]], point.size), Scaled(gDodecahedronVertices[e[1]], point.size));
    sink.End();
}

// Each tetrahedron as one loop through its four faces.
void XShapes::DrawShape42(ShapeSink& sink, const BaseshapePoint& point)
{
    constexpr uint8_t kFaces[4][3] = {{1, 2, 3}, {0, 1, 2}, {0, 2, 3}, {0, 1, 3}};
    Run(sink, kLoop, 5, 12, [&](int k, int n) {
        return Scaled(gDodecahedronVertices[kStarTetrahedra[k][kFaces[n / 3][n % 3]]], point.size);
    });
}

// The three squares through the six corners (kinds 30 and 63).
void XShapes::DrawShape30(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const V3 squares[3][4] = {
        {{-s, 0, 0}, {0, -s, 0}, {s, 0, 0}, {0, s, 0}},
        {{-s, 0, 0}, {0, 0, -s}, {s, 0, 0}, {0, 0, s}},
        {{0, -s, 0}, {0, 0, -s}, {0, s, 0}, {0, 0, s}},
    };
    Run(sink, kLoop, 3, 4, [&](int i, int k) { return squares[i][k]; });
}

void XShapes::DrawShape57(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float a = 1.886f * s, b = -0.666f * s;
    const V3 apex{0.0f, 2.0f * s, 0.0f};
    const V3 round[7] = {{-a, b, -a}, {a, b, -a}, {a, b, a}, {-a, b, a}, {-a, b, -a}, apex, {a, b, a}};
    const V3 rest[3] = {{a, b, -a}, apex, {-a, b, a}};
    Run(sink, kStrip, 1, 7, [&](int, int k) { return round[k]; });
    Run(sink, kStrip, 1, 3, [&](int, int k) { return rest[k]; });
}

void XShapes::DrawShape80(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const V3 A{0.0f, s, 0.0f}, B{0.0f, -0.333f * s, 0.943f * s};
    const V3 C{0.816f * s, -0.333f * s, -0.471f * s}, D{-0.816f * s, -0.333f * s, -0.471f * s};
    const V3 first[5] = {A, B, C, D, B};
    const V3 second[3] = {C, A, D};
    Run(sink, kStrip, 1, 5, [&](int, int k) { return first[k]; });
    Run(sink, kStrip, 1, 3, [&](int, int k) { return second[k]; });
}

// A regular prism of P0 sides (none below 1), half height P1 size, with
// pyramid caps whose apexes stand at P1 P2 size.
void XShapes::DrawShape48(ShapeSink& sink, const BaseshapePoint& point)
{
    const int n = PreviewCount(point.p[0], 0);
    if (n <= 0) return;
    const float s = point.size;
    const float h = point.p[1] * s;
    auto corner = [&](int k, float y) {
        const float a = kTwoPi * static_cast<float>(k) / static_cast<float>(n);
        return V3{std::sin(a) * s, y, std::cos(a) * s};
    };
    Run(sink, kLoop, 1, n, [&](int, int k) { return corner(k, h); });
    Run(sink, kLoop, 1, n, [&](int, int k) { return corner(k, -h); });
    Run(sink, kStrip, n, 4, [&](int k, int j) {
        const V3 path[4] = {{0.0f, h * point.p[2], 0.0f}, corner(k, h), corner(k, -h), {0.0f, -h * point.p[2], 0.0f}};
        return path[j];
    });
}

// [blocks] -----------------------------------------------------------------

// Two rows of twelve blocks, each two units of size/7 on a side.
void XShapes::DrawShape13(ShapeSink& sink, const BaseshapePoint& point)
{
    constexpr float kSteps[12][2] = {{1, 1},   {1, -1}, {-1, -1}, {3, 1}, {-1, -3}, {-3, -3},
                                     {3, 3},   {-3, -5}, {5, 3},  {5, 5}, {-5, -5}, {7, 5}};
    const float c = point.size / 7.0f;
    for (const float x0 : {-4.0f, 0.0f}) {
        for (const auto& step : kSteps) {
            BoxOutline(sink, {x0 * c, (step[0] - 1.0f) * c, (step[1] - 1.0f) * c},
                       {(x0 + 4.0f) * c, (step[0] + 1.0f) * c, (step[1] + 1.0f) * c});
        }
    }
}

// Two rows of n = P0 tiles side by side along x (none below 1); past the
// drawable count each row is one long box.
void XShapes::DrawShape76(ShapeSink& sink, const BaseshapePoint& point)
{
    const int n = ParameterToInt(point.p[0], 0, kMaxPolygonSides);
    if (n < 1) return;
    const float c = point.size / 7.0f;
    const int tiles = n <= kMaxPreviewSides ? n : 1;
    const float length = 2.0f * static_cast<float>(n) / static_cast<float>(tiles);
    for (const float z0 : {-4.0f, 0.0f}) {
        for (int k = 0; k < tiles; ++k) {
            const float x0 = static_cast<float>(k) * length - static_cast<float>(n);
            BoxOutline(sink, {x0 * c, -c, z0 * c}, {(x0 + length) * c, c, (z0 + 4.0f) * c});
        }
    }
}

// Twelve boxes round the y axis, P0, P1, P2 half sizes across, up and
// along.
void XShapes::DrawShape36(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    for (int t = 0; t < 360; t += 30) {
        sink.PushMatrix();
        sink.Rotate(static_cast<float>(t), 0.0f, 1.0f, 0.0f);
        sink.Translate(s, 0.0f, 0.0f);
        for (const float z : {-p[2] * s, p[2] * s}) {
            const V3 corners[4] = {{-p[0] * s, -p[1] * s, z}, {p[0] * s, -p[1] * s, z}, {p[0] * s, p[1] * s, z},
                                   {-p[0] * s, p[1] * s, z}};
            Run(sink, kLoop, 1, 4, [&](int, int k) { return corners[k]; });
        }
        sink.PopMatrix();
    }
}

// [round solids] -----------------------------------------------------------

void XShapes::DrawShape33(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    auto at = [&](int k, float y) {
        const float t = static_cast<float>(30 * k) * kDegrees;
        return V3{std::sin(t) * s, y, std::cos(t) * s};
    };
    Run(sink, kLoop, 1, 12, [&](int, int k) { return at(k, point.p[0] * s); });
    Run(sink, kLoop, 1, 12, [&](int, int k) { return at(k, -point.p[0] * s); });
    sink.Begin(kLines);
    for (int k = 0; k < 12; ++k) Segment(sink, at(k, point.p[0] * s), at(k, -point.p[0] * s));
    sink.End();
}

// P0 teeth of height P3 on a ring P1 size high, its wall P2 thick.
void XShapes::DrawShape46(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    for (const float wall : {1.0f, 1.0f - p[2]}) {
        Drum(sink, 50, p[1] * s, [&](float a) { return (1.0f + p[3] * std::tanh(10.0f * std::sin(p[0] * a))) * s * wall; });
    }
}

// A capsule: a tube |P0| size long each way along y, radius |P1| size,
// and a hemisphere on each end.
void XShapes::DrawShape75(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float half = std::fabs(point.p[0]);
    const float r = std::fabs(point.p[1]) * s;
    auto around = [&](float a, float y, float radius) { return V3{std::sin(a) * radius, y, std::cos(a) * radius}; };
    BothWays(sink, kLoop, 9, 16, kStrip, [&](int i, int k) {
        return around(static_cast<float>(k) * kPi / 8.0f, (static_cast<float>(i) / 4.0f - 1.0f) * half * s, r);
    });
    for (const float side : {1.0f, -1.0f}) {
        BothWays(sink, kLoop, 9, 16, kStrip, [&](int i, int k) {
            const float h = static_cast<float>(i) / 8.0f;
            const float y = side * (h * std::fabs(point.p[1]) + half) * s;
            return around(static_cast<float>(k) * kPi / 8.0f, y, std::sqrt(std::fmax(0.0f, 1.0f - h * h)) * r);
        });
    }
}

// A ring of square section P0 from radius size times size outwards, swept
// through P1 turns.
void XShapes::DrawShape79(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    const float* p = point.p;
    constexpr float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    BothWays(sink, kLoop, 21, 4, kStrip, [&](int i, int c) {
        const float t = static_cast<float>(i) * (kPi / 10.0f) * p[1];
        const float R = (p[0] * kCorners[c][0] + s) * s;
        return V3{std::cos(t) * R, (kCorners[c][1] - 0.5f) * p[0] * s, std::sin(t) * R};
    });
}
