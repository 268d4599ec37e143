// The choice of drawer by kind, the compositions of kinds 19 and 35, the
// cube of the kinds without a drawer, and kind 0's point sphere and axes.
#include <cmath>

#include "engine/baseshape_record.h"
#include "editors/shape_preview_grid.h"
#include "editors/shape_previews.h"

using namespace shape_preview;

void shape_preview::BoxOutline(ShapeSink& sink, V3 lo, V3 hi)
{
    sink.Begin(ShapePrimitive::kLineStrip);
    for (const V3 v : {V3{lo.x, lo.y, lo.z}, V3{lo.x, hi.y, lo.z}, V3{hi.x, hi.y, lo.z}, V3{hi.x, lo.y, lo.z},
                       V3{lo.x, lo.y, lo.z}, V3{lo.x, lo.y, hi.z}, V3{lo.x, hi.y, hi.z}, V3{hi.x, hi.y, hi.z},
                       V3{hi.x, lo.y, hi.z}, V3{lo.x, lo.y, hi.z}})
        Put(sink, v);
    sink.End();
    sink.Begin(ShapePrimitive::kLines);
    Segment(sink, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z});
    Segment(sink, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z});
    Segment(sink, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z});
    sink.End();
}

void XShapes::DrawDefaultShape(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    BoxOutline(sink, {-s, -s, -s}, {s, s, s});
}

// Kind 0 has no surface: a sphere of points and the three axes, each from a
// quarter of its colour at the origin to the full colour at its end.
void XShapes::DrawShape00(ShapeSink& sink, const BaseshapePoint& point)
{
    const float s = point.size;
    Run(sink, ShapePrimitive::kPoints, 1, 441, [&](int, int n) {
        const float lon = static_cast<float>(n / 21) * kPi / 10.0f;
        const float lat = static_cast<float>(n % 21) * 0.15f - 1.5f;
        return V3{std::cos(lon) * std::cos(lat) * s, std::sin(lat) * s, std::sin(lon) * std::cos(lat) * s};
    });
    sink.Begin(ShapePrimitive::kLines);
    for (int axis = 0; axis < 3; ++axis) {
        float end[3] = {0.0f, 0.0f, 0.0f};
        end[axis] = 1.0f;
        sink.Color(0.25f * end[0], 0.25f * end[1], 0.25f * end[2]);
        sink.Vertex(0.0f, 0.0f, 0.0f);
        sink.Color(end[0], end[1], end[2]);
        sink.Vertex(end[0] * s, end[1] * s, end[2] * s);
    }
    sink.End();
}

// A small sphere inside three perpendicular rings, whatever the parameters.
void XShapes::DrawShape19(ShapeSink& sink, const BaseshapePoint& point)
{
    BaseshapePoint part{};
    sink.PushMatrix();
    sink.Scale(point.size, point.size, point.size);
    part.size = 0.25f;
    DrawShape01(sink, part);
    part.size = 1.0f;
    part.p[0] = 0.0625f;
    DrawShape02(sink, part);
    sink.Rotate(90.0f, 1.0f, 0.0f, 0.0f);
    DrawShape02(sink, part);
    sink.Rotate(90.0f, 0.0f, 1.0f, 0.0f);
    DrawShape02(sink, part);
    sink.PopMatrix();
}

namespace {

// "Future Sphere II": its radius reaches pi/2 times the size.
void DrawFutureSphereII(ShapeSink& sink, const BaseshapePoint& point)
{
    sink.PushMatrix();
    sink.Scale(1.6f, 1.6f, 1.6f);
    XShapes::DrawShape01(sink, point);
    sink.PopMatrix();
}

using X = XShapes;
constexpr XShapes::Drawer kCube = XShapes::DrawDefaultShape;

// Kinds 0 to 84 in order; kinds above draw the cube.
constexpr XShapes::Drawer kDrawers[85] = {
    X::DrawShape00, X::DrawShape01, X::DrawShape02, X::DrawShape03, X::DrawShape04,         // 0..4
    X::DrawShape05, X::DrawShape06, X::DrawShape07, X::DrawShape08, X::DrawShape09,         // 5..9
    X::DrawShape10, X::DrawShape11, X::DrawShape12, X::DrawShape13, kCube,                  // 10..14
    X::DrawShape15, kCube, X::DrawShape17, X::DrawShape18, X::DrawShape19,                  // 15..19
    X::DrawShape20, kCube, X::DrawShape22, X::DrawShape23, X::DrawShape24,                  // 20..24
    X::DrawShape22, X::DrawShape26, X::DrawShape27, kCube, kCube,                           // 25..29
    X::DrawShape30, X::DrawShape31, X::DrawShape32, X::DrawShape33, X::DrawShape01,         // 30..34
    DrawFutureSphereII, X::DrawShape36, X::DrawShape37, X::DrawShape38, X::DrawShape39,     // 35..39
    X::DrawShape40, X::DrawShape15, X::DrawShape42, X::DrawShape43, X::DrawShape44,         // 40..44
    X::DrawShape45, X::DrawShape46, kCube, X::DrawShape48, X::DrawShape49,                  // 45..49
    X::DrawShape50, X::DrawShape51, X::DrawShape52, X::DrawShape53, X::DrawShape54,         // 50..54
    X::DrawShape55, X::DrawShape56, X::DrawShape57, kCube, X::DrawShape45,                  // 55..59
    kCube, X::DrawShape61, X::DrawShape62, X::DrawShape30, X::DrawShape64,                  // 60..64
    kCube, X::DrawShape66, kCube, kCube, X::DrawShape69,                                    // 65..69
    X::DrawShape70, X::DrawShape71, X::DrawShape72, X::DrawShape73, X::DrawShape74,         // 70..74
    X::DrawShape75, X::DrawShape76, X::DrawShape77, X::DrawShape78, X::DrawShape79,         // 75..79
    X::DrawShape80, X::DrawShape81, X::DrawShape82, X::DrawShape83, X::DrawShape84,         // 80..84
};

bool IsFinitePoint(const BaseshapePoint& point)
{
    if (!std::isfinite(point.size)) return false;
    for (const float v : point.p)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void DrawShapePreview(ShapeSink& sink, int32_t shapeType, const BaseshapePoint& point)
{
    if (!IsFinitePoint(point)) return;
    const auto type = static_cast<uint32_t>(shapeType);
    (type < 85 ? kDrawers[type] : kCube)(sink, point);
}

void DrawBaseshapePreview(ShapeSink& sink, int index)
{
    if (index < 0 || index >= kMaxBaseshapes) return;
    DrawShapePreview(sink, gBaseshapes[index].shapeType, gBaseshapeEditPoints[index]);
}
