// The wireframes drawn into OpenGL: each baseshape's recorded list draws
// exactly what the drawer draws call by call, follows every edit of kind,
// size and parameters, and is recorded anew in a new context; the layer of
// the 3-D preview draws the same lines within a pixel, behind what is
// nearer, inside the stencil's mask, and leaves the context as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// The preview's view with n baseshapes of the given kinds turned and
// overlapping, drawn line by line or through the layer, over a frame that
// holds a grey square nearer than the scene's middle and a stencil mask
// that leaves out the top quarter, as the preview's inset does.
struct LayerPicture {
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> stencil;
    float colour[4];
    float modelview[16];
    GLint matrixMode;
};

LayerPicture DrawScene(const GlTestContext& gl, const std::vector<int>& kinds, bool layer)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -9.0, 9.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glRectf(-2.0f, -2.0f, 2.0f, 1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glEnable(GL_DEPTH_TEST);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_QUADS);  // at depth 0.3 of the scene's 9 either way
    glVertex3f(-0.2f, -1.2f, -0.3f);
    glVertex3f(1.2f, -1.2f, -0.3f);
    glVertex3f(1.2f, 0.2f, -0.3f);
    glVertex3f(-0.2f, 0.2f, -0.3f);
    glEnd();
    if (layer) BeginWireframeLayer();
    for (size_t i = 0; i < kinds.size(); ++i) {
        glLoadIdentity();
        glTranslatef(0.6f * static_cast<float>(i % 3) - 0.6f, 0.5f * static_cast<float>(i / 3) - 0.5f, 0.0f);
        glRotatef(25.0f + 40.0f * static_cast<float>(i), 1.0f, 0.4f, 0.2f);
        glColor3f(i % 2 == 0 ? 0.0f : 1.0f, i % 2 == 0 ? 0.5f : 0.0f, 0.0f);
        DrawBaseshapePreview(static_cast<int>(i));
    }
    if (layer) EndWireframeLayer();
    LayerPicture picture;
    glGetFloatv(GL_CURRENT_COLOR, picture.colour);
    glGetFloatv(GL_MODELVIEW_MATRIX, picture.modelview);
    glGetIntegerv(GL_MATRIX_MODE, &picture.matrixMode);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    picture.rgb = gl.ReadPixelsRgb();
    picture.stencil.resize(static_cast<size_t>(gl.width()) * static_cast<size_t>(gl.height()));
    glReadPixels(0, 0, gl.width(), gl.height(), GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, picture.stencil.data());
    gl.ResetVirtualScreen();
    return picture;
}

// Pixels of a, not the frame's grey nor black, with no pixel of the same
// colour in b within one pixel.
int PixelsWithoutPartner(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int width, int height, int* lit)
{
    int alone = 0;
    *lit = 0;
    auto at = [&](const std::vector<uint8_t>& rgb, int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; };
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x) {
            const uint8_t* p = at(a, x, y);
            if ((p[0] == 0 && p[1] == 0 && p[2] == 0) || (p[0] == 128 && p[1] == 128 && p[2] == 128)) continue;
            ++*lit;
            bool partner = false;
            for (int dy = -1; dy <= 1 && !partner; ++dy)
                for (int dx = -1; dx <= 1 && !partner; ++dx) partner = std::equal(p, p + 3, at(b, x + dx, y + dy));
            alone += !partner;
        }
    return alone;
}

TEST(ShapePreviewGl, TheLayerDrawsWhatTheLinesDraw)
{
    GlTestContext gl(640, 480);
    if (!gl.ok()) GTEST_FAIL() << "no OpenGL: " << gl.error();
    GLint stencilBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    ASSERT_GE(stencilBits, 2) << "the layer needs a stencil to mark with";
    // Kind 0 draws points and coloured axes, 19 and 35 move the matrix, 120
    // is the cube; then six heavy kinds overlapping in depth.
    for (const std::vector<int>& kinds : std::vector<std::vector<int>>{{0}, {19}, {35}, {120}, {6, 72, 71, 64, 3, 11}}) {
        for (size_t i = 0; i < kinds.size(); ++i) {
            gBaseshapes[i].shapeType = kinds[i];
            ApplyShapeTypeDefaults(static_cast<int>(i));
        }
        const LayerPicture lines = DrawScene(gl, kinds, false);
        const LayerPicture layer = DrawScene(gl, kinds, true);
        int lit = 0, litLines = 0;
        // Within a pixel of the same colour, both ways; the rounding of a
        // line's pixels differs from the driver's in a few.
        const int alone = PixelsWithoutPartner(layer.rgb, lines.rgb, gl.width(), gl.height(), &lit);
        const int aloneLines = PixelsWithoutPartner(lines.rgb, layer.rgb, gl.width(), gl.height(), &litLines);
        EXPECT_LE(alone, lit / 50) << kinds[0];
        EXPECT_LE(aloneLines, litLines / 50) << kinds[0];
        EXPECT_NEAR(lit, litLines, litLines / 25 + 2) << kinds[0];
        EXPECT_GT(lit, 40) << kinds[0];
        // Nothing over the masked band at the top, the stencil as it was.
        for (int y = 0; y < gl.height() / 4 - 1; ++y)
            for (int x = 0; x < gl.width(); ++x)
                ASSERT_EQ(layer.rgb[(static_cast<size_t>(y) * gl.width() + x) * 3 + 1], 0) << x << "," << y;
        EXPECT_EQ(layer.stencil, lines.stencil);
        EXPECT_TRUE(std::equal(layer.colour, layer.colour + 4, lines.colour)) << kinds[0];
        EXPECT_TRUE(std::equal(layer.modelview, layer.modelview + 16, lines.modelview));
        EXPECT_EQ(layer.matrixMode, lines.matrixMode);
    }
}

}  // namespace
