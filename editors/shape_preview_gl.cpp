// The wireframe previews drawn into the current OpenGL context, in
// immediate mode on the window thread.
#include "editors/shape_previews.h"
#include "platform/desktop/gl_api.h"

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

}  // namespace

void DrawBaseshapePreview(int index)
{
    GlShapeSink sink;
    DrawBaseshapePreview(sink, index);
}
