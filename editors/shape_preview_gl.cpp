// The wireframe previews drawn into the current OpenGL context on the
// window thread.
//
// Between BeginWireframeLayer and EndWireframeLayer the wireframes go into
// a layer drawn on the processor's cores (wireframe_layer.h), put in over
// the frame in two passes: its depth where it is nearer than the frame's,
// marking those pixels in the stencil's top bit, then its colour where
// marked, clearing the mark. Each baseshape's wireframe is recorded once
// and kept until its kind, size or parameters change; the changed ones are
// recorded side by side when the layer begins.
//
// Outside a layer, or where the context's state is not the one the layer
// copies (no stencil to mark with, blending, wide or smooth lines), each
// wireframe is recorded into a display list instead and replayed.
#include <algorithm>
#include <cstring>
#include <thread>

#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
#include "editors/wireframe_layer.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

namespace {

class GlShapeSink final : public ShapeSink {
public:
    void Begin(ShapePrimitive primitive) override
    {
        static constexpr GLenum kModes[4] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP};
        glBegin(kModes[static_cast<int>(primitive)]);
    }
    void Vertex(float x, float y, float z) override { glVertex3f(x, y, z); }
    void End() override { glEnd(); }
    void Color(float r, float g, float b) override { glColor3f(r, g, b); }
    void PushMatrix() override { glPushMatrix(); }
    void PopMatrix() override { glPopMatrix(); }
    void Translate(float x, float y, float z) override { glTranslatef(x, y, z); }
    void Rotate(float degrees, float x, float y, float z) override { glRotatef(degrees, x, y, z); }
    void Scale(float x, float y, float z) override { glScalef(x, y, z); }
};

// What a wireframe was recorded from: a kind, a size and parameters.
struct RecordedFrom {
    bool recorded = false;
    int32_t kind = 0;
    float size = 0.0f;
    float p[13] = {};

    // Bit for bit, so that a changed not-a-number or a signed zero records anew.
    bool Is(int index) const
    {
        const BaseshapePoint& point = gBaseshapeEditPoints[index];
        static_assert(sizeof p == sizeof point.p);
        return recorded && kind == gBaseshapes[index].shapeType &&
               std::memcmp(&size, &point.size, sizeof size) == 0 && std::memcmp(p, point.p, sizeof p) == 0;
    }
    void Take(int index)
    {
        const BaseshapePoint& point = gBaseshapeEditPoints[index];
        recorded = true;
        kind = gBaseshapes[index].shapeType;
        size = point.size;
        std::memcpy(p, point.p, sizeof p);
    }
};

// A baseshape's display list. Lists belong to the context they were made
// in: a list of an earlier context is forgotten, not deleted.
struct RecordedList {
    uint64_t contextSerial = 0;
    GLuint list = 0;
    RecordedFrom from;
};

RecordedList gRecorded[kMaxBaseshapes];

// A baseshape's wireframe as the layer takes it.
struct RecordedForLayer {
    RecordedFrom from;
    RecordedWireframe wireframe;
};

RecordedForLayer gLayerRecords[kMaxBaseshapes];

struct OpenLayer {
    bool open = false;
    GLint viewport[4] = {};
    WireframeLayer layer;
};

OpenLayer gLayer;

// clip = projection x modelview, both as OpenGL keeps them.
void ClipFromFrame(float out[16])
{
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    MultiplyMatrices(projection, modelview, out);
}

int LayerThreads() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

void RecordForLayer(int index)
{
    RecordedForLayer& r = gLayerRecords[index];
    RecordWireframe(r.wireframe, gBaseshapes[index].shapeType, gBaseshapeEditPoints[index]);
    r.from.Take(index);
}

// The wireframes of the baseshapes in use that changed, recorded anew side
// by side: the drawers only read their baseshape.
void RecordChangedWireframes()
{
    std::vector<int> changed;
    for (int i = 0; i < std::clamp(gBaseshapeCount, 0, kMaxBaseshapes); ++i)
        if (!gLayerRecords[i].from.Is(i)) changed.push_back(i);
    ForEachOnThreads(static_cast<int>(changed.size()), LayerThreads(),
                     [&changed](int k) { RecordForLayer(changed[static_cast<size_t>(k)]); });
}

void AddToLayer(int index)
{
    if (!gLayerRecords[index].from.Is(index)) RecordForLayer(index);
    RecordedForLayer& r = gLayerRecords[index];
    float clipFromFrame[16], rgba[4];
    ClipFromFrame(clipFromFrame);
    glGetFloatv(GL_CURRENT_COLOR, rgba);
    gLayer.layer.Add(r.wireframe, clipFromFrame, rgba);
    // The colour left as the drawer leaves it, as when drawn line by line.
    if (!r.wireframe.colours.empty()) glColor4fv(rgba);
}

// Whether the context draws lines as the layer does: 1-pixel lines and
// points without smoothing or stipple, the nearer pixel kept and its depth
// written, and a stencil of two bits or more whose top bit is free.
bool LayerCopiesTheContext()
{
    GLint stencilBits = 0, depthFunc = 0, stencilRef = 0;
    GLboolean depthWrite = GL_FALSE;
    GLfloat lineWidth = 0.0f, pointSize = 0.0f;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetIntegerv(GL_STENCIL_REF, &stencilRef);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrite);
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    if (stencilBits < 2 || (stencilRef & (1 << (stencilBits - 1))) != 0) return false;
    if (!glIsEnabled(GL_DEPTH_TEST) || depthFunc != GL_LESS || depthWrite != GL_TRUE) return false;
    if (lineWidth != 1.0f || pointSize != 1.0f) return false;
    for (const GLenum cap : {GL_LINE_SMOOTH, GL_LINE_STIPPLE, GL_POINT_SMOOTH, GL_COLOR_LOGIC_OP, GL_LIGHTING, GL_FOG,
                             GL_TEXTURE_1D, GL_TEXTURE_2D, GL_ALPHA_TEST})
        if (glIsEnabled(cap)) return false;
    return true;
}

// The layer put in over the frame: its depth where nearer, marked in the
// stencil's top bit, then its colour where marked, the mark cleared.
void PutInLayer(const WireframeLayer& layer, const GLint viewport[4])
{
    GLint stencilBits = 0, stencilFunc = GL_ALWAYS, stencilRef = 0, stencilValueMask = 0;
    GLboolean colourMask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    const GLboolean stencilOn = glIsEnabled(GL_STENCIL_TEST);
    glGetIntegerv(GL_STENCIL_FUNC, &stencilFunc);
    glGetIntegerv(GL_STENCIL_REF, &stencilRef);
    glGetIntegerv(GL_STENCIL_VALUE_MASK, &stencilValueMask);
    glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
    const GLuint mark = 1u << (stencilBits - 1);

    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT |
                 GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const WireframeLayer::Box box = layer.Drawn();
    glPixelStorei(GL_UNPACK_ROW_LENGTH, layer.Width());
    glPixelStorei(GL_UNPACK_SKIP_ROWS, box.y);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, box.x);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelZoom(1.0f, 1.0f);
    glPixelTransferf(GL_DEPTH_SCALE, 1.0f);
    glPixelTransferf(GL_DEPTH_BIAS, 0.0f);
    glWindowPos2i(viewport[0] + box.x, viewport[1] + box.y);

    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    const GLint markedRef = static_cast<GLint>((static_cast<GLuint>(stencilRef) & ~mark) | mark);
    glStencilFunc(stencilOn ? static_cast<GLenum>(stencilFunc) : GL_ALWAYS, markedRef,
                  static_cast<GLuint>(stencilValueMask) & ~mark);
    glStencilMask(mark);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glDrawPixels(box.width, box.height, GL_DEPTH_COMPONENT, GL_FLOAT, layer.Depth().data());

    glColorMask(colourMask[0], colourMask[1], colourMask[2], colourMask[3]);
    glDisable(GL_DEPTH_TEST);
    glStencilFunc(GL_EQUAL, static_cast<GLint>(mark), mark);
    glStencilOp(GL_KEEP, GL_KEEP, GL_ZERO);
    glDrawPixels(box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, layer.Rgba().data());

    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace

void BeginWireframeLayer()
{
    gLayer.open = LayerCopiesTheContext();
    if (!gLayer.open) return;
    GLfloat depthRange[2] = {0.0f, 1.0f};
    glGetIntegerv(GL_VIEWPORT, gLayer.viewport);
    glGetFloatv(GL_DEPTH_RANGE, depthRange);
    gLayer.layer.Begin(gLayer.viewport[2], gLayer.viewport[3], depthRange[0], depthRange[1]);
    RecordChangedWireframes();
}

void EndWireframeLayer()
{
    if (!gLayer.open) return;
    gLayer.open = false;
    if (gLayer.layer.Empty()) return;
    gLayer.layer.Rasterize(LayerThreads());
    if (gLayer.layer.Drawn().width > 0) PutInLayer(gLayer.layer, gLayer.viewport);
}

void DrawBaseshapePreview(int index)
{
    if (index < 0 || index >= kMaxBaseshapes) return;
    if (gLayer.open) {
        AddToLayer(index);
        return;
    }
    RecordedList& r = gRecorded[index];
    const uint64_t serial = MainContextSerial();
    if (r.contextSerial != serial) r = RecordedList{.contextSerial = serial, .list = 0, .from = {}};
    if (r.list == 0) r.list = glGenLists(1);
    if (r.list == 0) {  // no list to be had: drawn as it comes
        DrawBaseshapePreviewUnrecorded(index);
        return;
    }
    if (!r.from.Is(index)) {
        glNewList(r.list, GL_COMPILE);
        DrawBaseshapePreviewUnrecorded(index);
        glEndList();
        r.from.Take(index);
    }
    glCallList(r.list);
}

void DrawBaseshapePreviewUnrecorded(int index)
{
    if (index < 0 || index >= kMaxBaseshapes) return;
    GlShapeSink sink;
    DrawShapePreview(sink, gBaseshapes[index].shapeType, gBaseshapeEditPoints[index]);
}
