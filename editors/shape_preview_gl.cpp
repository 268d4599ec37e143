// The wireframe previews drawn into the current OpenGL context on the
// window thread.
//
// Each baseshape's wireframe is recorded into a display list of its own and
// replayed until its kind, size or parameters change. What a drawer emits
// depends on nothing else: the view and where the baseshape lies are the
// caller's matrix, and the colour is the caller's. On the software driver
// the drawers' trigonometry and hundreds of thousands of immediate-mode
// calls per frame are thus paid once per edit instead of once per frame,
// also while the view turns. A list replays the same primitives with the
// same vertices, so the picture does not change.
#include <cstring>

#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
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

// What a baseshape's list was recorded from. Lists belong to the context
// they were made in: a list of an earlier context is forgotten, not deleted.
struct RecordedWireframe {
    uint64_t contextSerial = 0;
    GLuint list = 0;
    bool recorded = false;
    int32_t kind = 0;
    float size = 0.0f;
    float p[13] = {};
};

RecordedWireframe gRecorded[kMaxBaseshapes];

// Bit for bit, so that a changed not-a-number or a signed zero records anew.
bool RecordedFrom(const RecordedWireframe& r, int32_t kind, const BaseshapePoint& point)
{
    static_assert(sizeof r.p == sizeof point.p);
    return r.kind == kind && std::memcmp(&r.size, &point.size, sizeof r.size) == 0 &&
           std::memcmp(r.p, point.p, sizeof r.p) == 0;
}

}  // namespace

void DrawBaseshapePreview(int index)
{
    if (index < 0 || index >= kMaxBaseshapes) return;
    const int32_t kind = gBaseshapes[index].shapeType;
    const BaseshapePoint& point = gBaseshapeEditPoints[index];
    RecordedWireframe& r = gRecorded[index];
    const uint64_t serial = MainContextSerial();
    if (r.contextSerial != serial) r = RecordedWireframe{.contextSerial = serial};
    if (r.list == 0) r.list = glGenLists(1);
    if (r.list == 0) {  // no list to be had: drawn as it comes
        DrawBaseshapePreviewUnrecorded(index);
        return;
    }
    GlShapeSink sink;
    if (!r.recorded || !RecordedFrom(r, kind, point)) {
        glNewList(r.list, GL_COMPILE);
        DrawShapePreview(sink, kind, point);
        glEndList();
        r.recorded = true;
        r.kind = kind;
        r.size = point.size;
        std::memcpy(r.p, point.p, sizeof r.p);
    }
    glCallList(r.list);
}

void DrawBaseshapePreviewUnrecorded(int index)
{
    if (index < 0 || index >= kMaxBaseshapes) return;
    GlShapeSink sink;
    DrawShapePreview(sink, gBaseshapes[index].shapeType, gBaseshapeEditPoints[index]);
}
