// The wireframes drawn into OpenGL: each baseshape's recorded list draws
// exactly what the drawer draws call by call, follows every edit of kind,
// size and parameters, and is recorded anew in a new context.
#include <gtest/gtest.h>

#include <vector>

#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"

namespace {

// Baseshape 0 drawn turned in the preview's projection; recorded: through
// the program's path, else call by call.
std::vector<uint8_t> Drawn(const GlTestContext& gl, bool recorded)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -9.0, 9.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(35.0f, 1.0f, 0.4f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glColor3f(0.0f, 0.5f, 0.0f);
    if (recorded) {
        DrawBaseshapePreview(0);
    } else {
        DrawBaseshapePreviewUnrecorded(0);
    }
    glDisable(GL_DEPTH_TEST);
    std::vector<uint8_t> rgb = gl.ReadPixelsRgb();
    gl.ResetVirtualScreen();
    return rgb;
}

void SetKind(int kind)
{
    gBaseshapes[0].shapeType = kind;
    ApplyShapeTypeDefaults(0);
}

TEST(ShapePreviewGl, RecordedListsDrawWhatTheDrawersDrawAndFollowEdits)
{
    GlTestContext gl;
    if (!gl.ok()) GTEST_FAIL() << "no OpenGL: " << gl.error();
    // Kind 0 sets colours inside its figure; 19 and 35 move the matrix.
    for (const int kind : {0, 6, 19, 35, 72, 120}) {
        SetKind(kind);
        const std::vector<uint8_t> immediate = Drawn(gl, false);
        EXPECT_EQ(Drawn(gl, true), immediate) << "kind " << kind << ", recorded";
        EXPECT_EQ(Drawn(gl, true), immediate) << "kind " << kind << ", replayed";
    }
    // Each edit shows at once: the size, a parameter, and back again.
    SetKind(6);
    const std::vector<uint8_t> before = Drawn(gl, true);
    BaseshapePoint& point = gBaseshapeEditPoints[0];
    for (float* field : {&point.size, &point.p[0], &point.p[1]}) {
        const float kept = *field;
        *field *= 1.5f;
        const std::vector<uint8_t> edited = Drawn(gl, true);
        EXPECT_NE(edited, before);
        EXPECT_EQ(edited, Drawn(gl, false));
        *field = kept;
        EXPECT_EQ(Drawn(gl, true), before);
    }
}

// A list made in an earlier context is not replayed in a later one, where
// its name may be free or another's.
TEST(ShapePreviewGl, ANewContextRecordsAnew)
{
    std::vector<uint8_t> first;
    SetKind(72);
    {
        GlTestContext gl;
        if (!gl.ok()) GTEST_FAIL() << "no OpenGL: " << gl.error();
        first = Drawn(gl, true);
    }
    GlTestContext gl;
    ASSERT_TRUE(gl.ok()) << gl.error();
    const GLuint other = glGenLists(64);
    for (GLuint i = 0; i < 64; ++i) {
        glNewList(other + i, GL_COMPILE);
        glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
        glEndList();
    }
    EXPECT_EQ(Drawn(gl, true), first);
    glDeleteLists(other, 64);
}

}  // namespace
