// Wireframe previews of the baseshape kinds. The 3-D preview screen draws
// every baseshape as lines (kind 0 as points) in the baseshape's own frame,
// so the user sees where each one lies and how large it is around the point
// cloud. The caller places the frame and sets the colour before each call.
//
// The drawers emit through a ShapeSink: the program's one sink draws with
// OpenGL (shape_preview_gl.cpp), tests count and check what arrives. Each
// drawer traces the surface of its kind's sampler on a regular grid of the
// sampler's parameters, with the same use of size and P0..P12.
//
// Drawers by family: shape_previews_surfaces.cpp (spheres, tori and other
// closed surfaces), shape_previews_open_surfaces.cpp (open surfaces,
// loxodromes and hyperbolic spirals), shape_previews_knots.cpp (knots,
// strips and shells), shape_previews_revolution.cpp (profiles of revolution
// and the teapot), shape_previews_solids.cpp (polyhedra, prisms and blocks),
// shape_previews_displacement.cpp (the outlines of the displacement-mapped
// kinds); the dispatcher in shape_preview.cpp.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

enum class ShapePrimitive : uint8_t { kPoints, kLines, kLineStrip, kLineLoop };

// What a drawer emits: primitives of vertices, colours, and a matrix stack
// it leaves as it found it. Rotation angles in degrees about an axis.
class ShapeSink {
public:
    virtual ~ShapeSink() = default;
    virtual void Begin(ShapePrimitive primitive) = 0;
    virtual void Vertex(float x, float y, float z) = 0;
    virtual void End() = 0;
    virtual void Color(float r, float g, float b) = 0;
    virtual void PushMatrix() = 0;
    virtual void PopMatrix() = 0;
    virtual void Translate(float x, float y, float z) = 0;
    virtual void Rotate(float degrees, float x, float y, float z) = 0;
    virtual void Scale(float x, float y, float z) = 0;
};

// One drawer per previewable kind, named after the first kind it serves.
// Each reads the size and P0..P12 of the point; none writes it.
class XShapes {
public:
    using Drawer = void (*)(ShapeSink& sink, const BaseshapePoint& point);

    static void DrawShape00(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape01(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape02(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape03(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape04(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape05(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape06(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape07(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape08(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape09(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape10(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape11(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape12(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape13(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape15(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape17(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape18(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape19(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape20(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape22(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape23(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape24(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape26(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape27(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape30(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape31(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape32(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape33(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape36(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape37(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape38(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape39(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape40(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape42(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape43(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape44(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape45(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape46(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape48(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape49(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape50(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape51(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape52(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape53(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape54(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape55(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape56(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape57(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape61(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape62(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape64(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape66(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape69(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape70(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape71(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape72(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape73(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape74(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape75(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape76(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape77(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape78(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape79(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape80(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape81(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape82(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape83(ShapeSink& sink, const BaseshapePoint& point);
    static void DrawShape84(ShapeSink& sink, const BaseshapePoint& point);
    // The cube of edge 2 x size, for the kinds without a drawer of their own.
    static void DrawDefaultShape(ShapeSink& sink, const BaseshapePoint& point);
};

// The drawer of a kind, the cube's for kinds above 84 (a negative kind
// counts as above) and for the kinds without a drawer; 35 and 19 have their
// own compositions. A point with a non-finite size or parameter draws
// nothing. Leaves the sink's matrix stack as it found it and sets no colour
// (kind 0 draws its axes in colour and leaves blue).
void DrawShapePreview(ShapeSink& sink, int32_t shapeType, const BaseshapePoint& point);

// Baseshape index (0 .. kMaxBaseshapes - 1) with its editor point.
void DrawBaseshapePreview(ShapeSink& sink, int index);
// The same into the current OpenGL context (window thread), through the
// caller's matrices and colour. Between BeginWireframeLayer and
// EndWireframeLayer the wireframes are drawn together on the processor's
// cores and put in at the end, as the same calls would have drawn them line
// by line (within the rounding of a line's pixels); elsewhere each is
// recorded once into a display list and replayed until it changes.
void DrawBaseshapePreview(int index);
void BeginWireframeLayer();
void EndWireframeLayer();
// The same call by call, nothing recorded.
void DrawBaseshapePreviewUnrecorded(int index);
