#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "render/render_threads.h"
#include "app/panel_state.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/render_size.h"
#include "app/support/app_interface.h"
#include "app/support/preview_scene.h"
#include "app/view_zoom.h"
#include "support/screenshot.h"
#include "engine/baseshape_record.h"
#include "engine/fractal_model.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "shading/preview_passes.h"

namespace {

// Identity camera, centre 0, scale 1, zoom 1 and a W x H render: a point
// (x, y) lands on px = 416 x + 416, py = 416 (H / W) y + 416.
PreviewView PlainView(int width, int height, bool perspective = false)
{
    gImageWidth = width;
    gImageHeight = height;
    DeriveRenderSizeValues();
    for (int i = 0; i < 9; ++i) gCameraMatrix[i] = (i % 4 == 0) ? 1.0f : 0.0f;
    gViewCentre[0] = gViewCentre[1] = gViewCentre[2] = 0.0f;
    gViewScale = 1.0f;
    gZoom = 1.0f;
    gPanX = gPanY = 0.0f;
    gPerspectiveOn = perspective ? 1 : 0;
    gPerspectiveEye = 1.5f;
    return LoadPreviewView();
}

TEST(PointPreview, WhichPointsAreDrawn)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        int width, height;
        bool perspective;
        float x, y, z;
        bool drawn;
        float px, py;
    };
    const Case cases[] = {
        {"centre", 512, 512, false, 0.0f, 0.0f, 0.0f, true, 416.0f, 416.0f},
        {"left edge px = 0", 512, 512, false, -1.0f, 0.0f, 0.0f, false, 0, 0},
        {"right edge px = 832", 512, 512, false, 1.0f, 0.0f, 0.0f, false, 0, 0},
        {"just inside the right edge", 512, 512, false, 0.99f, 0.0f, 0.0f, true, 827.84f, 416.0f},
        {"bottom row of a wide render", 1024, 512, false, 0.0f, -1.0f, 0.0f, false, 0, 0},
        {"inside the rows of a wide render", 1024, 512, false, 0.5f, -0.99f, 0.0f, true, 520.0f, 210.08f},
        {"top row of a wide render", 1024, 512, false, 0.0f, 1.0f, 0.0f, false, 0, 0},
        {"not a number", 512, 512, false, nan, 0.0f, 0.0f, false, 0, 0},
        {"in front of the camera", 512, 512, true, 0.3f, 0.3f, 0.0f, true, 499.2f, 499.2f},
        {"at the camera", 512, 512, true, 0.0f, 0.0f, 1.5f, false, 0, 0},
        {"behind the camera", 512, 512, true, 0.0f, 0.0f, 2.5f, false, 0, 0},
    };
    for (const Case& c : cases) {
        const PreviewView v = PlainView(c.width, c.height, c.perspective);
        PreviewPoint p{};
        ASSERT_EQ(ProjectPreviewPoint(v, c.x, c.y, c.z, &p), c.drawn) << c.name;
        if (!c.drawn) continue;
        EXPECT_NEAR(p.px, c.px, 1e-3f) << c.name;
        EXPECT_NEAR(p.py, c.py, 1e-3f) << c.name;
    }
}

// Seeded points far beyond the area: whatever the aspect, settled points
// land only on the rows the render covers, the nearest one kept.
TEST(PointPreview, SettledPointsStayOnTheCoveredRows)
{
    struct Case {
        int width, height;
        int firstRow, lastRow;
        float spread;  // points reach about three times past the area
    };
    const Case cases[] = {
        {512, 512, 0, 832, 3.0f}, {1024, 512, 208, 624, 3.0f}, {512, 1024, 0, 832, 1.5f}, {64, 4096, 0, 832, 0.05f}};
    for (const Case& c : cases) {
        const PreviewView v = PlainView(c.width, c.height);
        ClearPreviewPlanes();
        RandomState random;
        SeedRandomState(random, 99u);
        const int first = gSlotBatchStart[0];
        for (int i = 0; i < kPreviewPointsPerBatch; ++i) {
            gPointX[first + i] = RandomSignedUniform(random) * c.spread;
            gPointY[first + i] = RandomSignedUniform(random) * c.spread;
            gPointZ[first + i] = RandomSignedUniform(random);
            gPointColorIndex[first + i] = static_cast<uint8_t>(i);
        }
        EmitPreviewPoints(v, false);
        int written = 0;
        for (int row = 0; row < kPreviewSize; ++row)
            for (int col = 0; col < kPreviewSize; ++col) {
                const float depth = gPreviewDepth[row * kPreviewSize + col];
                if (depth == 0.0f) continue;
                ++written;
                EXPECT_TRUE(row >= c.firstRow && row < c.lastRow && col > 0)
                    << c.width << " x " << c.height << " row " << row << " col " << col;
            }
        EXPECT_GT(written, 50) << c.width << " x " << c.height;
    }
    // Two points on one cell: the nearer stays, in either order.
    const PreviewView v = PlainView(512, 512);
    const int first = gSlotBatchStart[0], cell = 416 * kPreviewSize + 416;
    for (int order = 0; order < 2; ++order) {
        ClearPreviewPlanes();
        for (int i = 0; i < kPreviewPointsPerBatch; ++i) gPointX[first + i] = 5.0f;  // off the area
        gPointX[first] = gPointX[first + 1] = gPointY[first] = gPointY[first + 1] = 0.0f;
        gPointZ[first + order] = 0.5f;
        gPointZ[first + 1 - order] = -0.5f;
        gPointColorIndex[first + order] = 7;
        gPointColorIndex[first + 1 - order] = 9;
        EmitPreviewPoints(v, false);
        EXPECT_EQ(gPreviewPlanes[3][cell], 7) << "order " << order;
        EXPECT_FLOAT_EQ(gPreviewDepth[cell], 1.5f * 416.0f) << "order " << order;
    }
}

// The scene of the shots, dirty on screen 6.
void ResetScene(float angleX, float angleY)
{
    ASSERT_TRUE(SetUpPreviewScene(512, 512, angleX, angleY));
    CreatePreviewTarget();
    ClearPreviewTarget();
    ClearPreviewPlanes();
    gPreviewRefresh = 1;
    gScreenState = kScreenPointPreview;
    EnableButton(kButtonYes, false);
    EnableButton(kButtonNo, false);
}

void Settle()
{
    DrawFrame();
    gPreviewTargetAvailable = 0;
    while (gPreviewRefresh) OnTimer();
    // Shaded at the 2nd settled frame and again at the 43rd, with the points
    // of 43 frames; shown by the frame of the test.
    for (int frame = 0; frame < 43; ++frame) DrawFrame();
}

void ThreeDimensionalWithTwoLights()
{
    ResetScene(0.0f, 0.0f);
    gScreenState = kScreenPreview3D;
    BuildPointCloudList();
    for (LightSource& light : gShader.lights) light = LightSource{};
    const float positions[2][3] = {{0.6f, 0.6f, 0.2f}, {-0.6f, 0.4f, 0.0f}};
    for (int l = 0; l < 2; ++l) {
        gShader.lights[l].enabled = 1;
        gShader.lights[l].radius = l == 0 ? 0.2f : 0.3f;
        std::memcpy(gShader.lights[l].position, positions[l], sizeof positions[l]);
    }
    const float upright[9] = {1, 0, 0, 0, 0, 1, 0, 1, 0};  // the second circle stands in the xz plane
    std::memcpy(gShader.lights[1].orientation, upright, sizeof upright);
}

// The point previews drawn by the program's own frame on the software
// renderer that drew the references.
TEST(PreviewScreens, MatchTheReferences)
{
    AppInterfaceTest gl;
    if (!gl.ok()) GTEST_FAIL() << gl.why();
    if (!gl.llvmpipe()) GTEST_FAIL() << "the references were drawn by llvmpipe";
    if (!CreatePreviewTarget()) GTEST_FAIL() << "no framebuffer objects";
    CreatePreviewTexture();
    BuildMainButtons();
    struct Shot {
        const char* name;
        void (*prepare)();
    };
    const Shot shots[] = {
        {"point_preview_dirty", [] { ResetScene(30.0f, 40.0f); }},
        {"point_preview_dirty_window_question",
         [] {
             ResetScene(30.0f, 40.0f);
             gPreviewTargetAvailable = 0;  // the points go straight into the window
             EnableButton(kButtonYes, true);
             EnableButton(kButtonNo, true);
         }},
        {"point_preview_settled",
         [] {
             ResetScene(0.0f, 0.0f);
             // The shading's start-up defaults (start-up steps 6 and 9).
             gShadingSettings.Reset();
             SetPreviewTriangle();
             gShader.InitializeTextures();
             Settle();
         }},
        {"preview_3d_two_lights", ThreeDimensionalWithTwoLights},
    };
    for (const Shot& shot : shots) {
        shot.prepare();
        DrawFrame();
        const ScreenshotResult r = CompareWithReference(shot.name, gl.Frame(), gl.Width(), gl.Height(), 24, 0.004);
        EXPECT_TRUE(r.ok) << shot.name << ": " << r.message;
    }
    for (LightSource& light : gShader.lights) light = LightSource{};
    DeletePreviewTexture();
    DestroyPreviewTarget();
    FreeRenderBuffers();
}


// Three baseshapes of different kinds, turned and placed about the fractal:
// a torus (the current one), a trefoil knot and a kind drawn as the cube.
void PlaceThreeBaseshapes()
{
    struct Placed {
        int kind;
        float angleX, angleY;  // degrees
        float position[3];
    };
    const Placed placed[3] = {{2, 60.0f, 0.0f, {-1.1f, 1.1f, 0.0f}},
                              {6, 30.0f, 20.0f, {1.1f, 1.0f, 0.0f}},
                              {120, 30.0f, 40.0f, {-1.2f, -1.1f, 0.0f}}};
    for (int i = 0; i < 3; ++i) {
        BaseshapeRecord& r = gBaseshapes[i];
        r.shapeType = placed[i].kind;
        ApplyShapeTypeDefaults(i);
        const float a = placed[i].angleX * 0.017453292f, b = placed[i].angleY * 0.017453292f;
        const float turn[9] = {std::cos(b), 0.0f, std::sin(b), std::sin(a) * std::sin(b), std::cos(a),
                               -std::sin(a) * std::cos(b), -std::cos(a) * std::sin(b), std::sin(a), std::cos(a) * std::cos(b)};
        const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        std::memcpy(r.rotation, turn, sizeof turn);
        std::memcpy(r.scaleShear, identity, sizeof identity);
        std::memcpy(r.position, placed[i].position, sizeof r.position);
        ComputeBaseshapeMatrix(i);
    }
    gBaseshapeCount = 3;
    gCurrentBaseshape = 0;
}

// Reddish pixels round the torus, left of the red frame of the render's
// rows.
int RedPixelsNearTheTorus(const std::vector<uint8_t>& rgb)
{
    int count = 0;
    for (int y = 1000 - 992; y < 1000 - 600; ++y)
        for (int x = 700; x < 910; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * 1600 + x) * 3];
            count += p[0] > 160 && p[1] < 64 && p[2] < 64;
        }
    return count;
}

// The 3-D preview with wireframes of three baseshapes; the current one is
// red while the editor tab shows the baseshapes, dark green on another tab.
TEST(PreviewScreens, BaseshapesShowAsWireframes)
{
    AppInterfaceTest gl;
    ASSERT_TRUE(gl.ok()) << gl.why();
    ASSERT_TRUE(gl.llvmpipe()) << "the reference was drawn by llvmpipe";
    ASSERT_TRUE(CreatePreviewTarget());
    CreatePreviewTexture();
    BuildMainButtons();
    ResetScene(0.0f, 0.0f);
    gScreenState = kScreenPreview3D;
    BuildPointCloudList();
    for (LightSource& light : gShader.lights) light = LightSource{};
    PlaceThreeBaseshapes();
    gPanel.editorPage = 0;
    DrawFrame();
    const std::vector<uint8_t> selected = gl.Frame();
    const ScreenshotResult r = CompareWithReference("preview_3d_baseshapes", selected, gl.Width(), gl.Height(), 24, 0.004);
    EXPECT_TRUE(r.ok) << r.message;
    gPanel.editorPage = 1;
    DrawFrame();
    EXPECT_GT(RedPixelsNearTheTorus(selected), 1000);
    EXPECT_EQ(RedPixelsNearTheTorus(gl.Frame()), 0);
    gPanel.editorPage = 0;
    gBaseshapeCount = 0;
    DeletePreviewTexture();
    DestroyPreviewTarget();
    FreeRenderBuffers();
}

}  // namespace
