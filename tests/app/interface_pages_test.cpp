#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/interface_drawing.h"
#include "app/view_drags.h"
#include "app/interface_layout.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "app/render_size.h"
#include "app/status_line.h"
#include "app/support/app_interface.h"
#include "engine/fractal_model.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "support/screenshot.h"
#include "ui/widget.h"

namespace {

uint64_t FixedTicks() { return 314; }  // the reminder's pulse at a fixed tick

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        InitGlobalState();
        gShader.InitializeTextures();
        gImageWidth = gImageHeight = 2048;
        gAntiAlias2x = 0;
        CreateInterface();
        gFrameTicks = FixedTicks;
    }
    void TearDown() override
    {
        gFrameTicks = TickCount;
        gCurrentTab = 0;
        gMainTab.selected = 0;
        SetStatusText("Talvoran");
    }
    void Show(int tab, int renderPage = 0, int editorPage = 0)
    {
        gCurrentTab = gMainTab.selected = tab;
        ShowTabWidgets(tab);
        gRenderTab.selected = renderPage;
        gEditorTab.selected = editorPage;
    }
    // Sum of every channel in a rectangle of the drawn frame (y up).
    long Light(int x0, int y0, int x1, int y1)
    {
        gl_.ClearFrame();
        DrawInterface();
        const std::vector<uint8_t> rgb = gl_.Frame();
        long sum = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c) sum += rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3 + c];
        return sum;
    }
    AppInterfaceTest gl_;
};

// Every widget of the layout lies on the virtual screen, left of the preview
// or below it, and every main button row is in its own index.
TEST(InterfaceLayout, PlacesStayOnTheScreenAndOffThePreview)
{
    for (int id = 0; id < kPanelPlaceCount; ++id) {
        const PanelPlace& p = kPanelPlaces[id];
        const int top = p.y + PlaceHeight(static_cast<PanelPlaceId>(id));
        EXPECT_GT(p.width, 0) << "place " << id;
        EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= 1600 && top <= 1000) << "place " << id;
        EXPECT_TRUE(p.x + p.width <= 700 || top <= 160) << "place " << id << " covers the preview";
    }
    for (int i = 0; i < kMainButtonCount; ++i) {
        const MainButtonPlace& b = kMainButtonPlaces[i];
        EXPECT_EQ(b.id, i);
        EXPECT_TRUE(b.caption != nullptr && b.width > 0) << i;
        EXPECT_TRUE(b.x + b.width <= 700 || b.y + b.height <= 160) << b.caption << " covers the preview";
    }
}

TEST_F(PagesTest, EveryTabMatchesItsReference)
{
    if (!gl_.llvmpipe()) GTEST_SKIP() << "the references were drawn by llvmpipe";
    struct Shot {
        const char* name;
        int tab, renderPage, editorPage;
    } shots[] = {
        {"tab_fractals", 0, 0, 0},       {"tab_render_materials", 1, 0, 0}, {"tab_render_environment", 1, 1, 0},
        {"tab_render_shaders", 1, 2, 0}, {"tab_render_advanced", 1, 3, 0},  {"tab_camera", 2, 0, 0},
        {"tab_editors_baseshapes", 3, 0, 0}, {"tab_editors_transformations", 3, 0, 1},
        {"tab_editors_objects", 3, 0, 2}, {"tab_about", 4, 0, 0},          {"tab_voxels", 5, 0, 0},
        {"tab_animation", 6, 0, 0},
    };
    // Every optional part of the shaders page shown.
    gAmbientOcclusionBox.flags[0] = gAmbientOcclusionBox.flags[1] = 1;
    gFastShadowUpdate = 1;
    gParamHelpWindow.visible = 1;  // as "Help" leaves it
    gFractalType = 8;
    for (const Shot& s : shots) {
        Show(s.tab, s.renderPage, s.editorPage);
        gl_.ClearFrame();
        DrawInterface();
        const ScreenshotResult r = CompareWithReference(s.name, gl_.Frame(), gl_.Width(), gl_.Height());
        EXPECT_TRUE(r.ok) << s.name << ": " << r.message;
    }
    // The material pages past "Ambient", with the surface-material list open.
    gShader.surfaceMaterialBox.flags[0] = 1;
    const char* const materialShots[] = {"tab_render_materials_diffuse", "tab_render_materials_highlight",
                                         "tab_render_materials_advanced"};
    for (int page = 1; page <= 3; ++page) {
        Show(1);
        gInterface.textureTab.selected = page;
        gl_.ClearFrame();
        DrawInterface();
        const char* name = materialShots[page - 1];
        const ScreenshotResult r = CompareWithReference(name, gl_.Frame(), gl_.Width(), gl_.Height());
        EXPECT_TRUE(r.ok) << name << ": " << r.message;
    }
    gShader.surfaceMaterialBox.flags[0] = 0;
    gInterface.textureTab.selected = 0;
    // The camera tab with the reminder lit; the animation page while one runs.
    Show(2);
    gRenderResolutionWindow.value[0] = 1024;
    ASSERT_TRUE(ResolutionReminderDue());
    gl_.ClearFrame();
    DrawInterface();
    ScreenshotResult r = CompareWithReference("tab_camera_reminder", gl_.Frame(), gl_.Width(), gl_.Height());
    EXPECT_TRUE(r.ok) << r.message;
    Show(6);
    gAnimationOn = 1;
    Live(gInterface.renderAnimation).visible = 0;
    gInterface.frameCounter = 17;
    gl_.ClearFrame();
    DrawInterface();
    r = CompareWithReference("tab_animation_running", gl_.Frame(), gl_.Width(), gl_.Height());
    EXPECT_TRUE(r.ok) << r.message;
    gAnimationOn = 0;
    Live(gInterface.renderAnimation).visible = 1;
    gFastShadowUpdate = 0;
    gParamHelpWindow.visible = 0;
    gFractalType = 0;
}

TEST_F(PagesTest, GridsOfAWideRender)
{
    if (!gl_.llvmpipe()) GTEST_SKIP() << "the references were drawn by llvmpipe";
    BuildGridOverlays(2048, 1024);
    const char* names[4] = {"grid_cross", "grid_thirds", "grid_divine1", "grid_divine2"};
    for (int g = 0; g < 4; ++g) {
        gl_.ClearFrame();
        glCallList(gInterface.gridLists[g]);
        const ScreenshotResult r = CompareWithReference(names[g], gl_.Frame(), gl_.Width(), gl_.Height());
        EXPECT_TRUE(r.ok) << names[g] << ": " << r.message;
    }
    gl_.ClearFrame();
    glCallList(gInterface.gridLists[4]);
    EXPECT_LT(FindLit(gl_.Frame()).x1, 0) << "\"None\" draws nothing";
}

TEST_F(PagesTest, NoticesAndReminder)
{
    // "activated" shows the symmetry lines on "Camera" only.
    for (int tab : {0, 2, 5, 6}) {
        Show(tab);
        SetStatusText("Talvoran");
        const long before = Light(28, 346, 440, 390);
        SetStatusText("Symmetry activated");
        const long after = Light(28, 346, 440, 390);
        EXPECT_EQ(after > before, tab == 2) << "tab " << tab;
    }
    // The reminder runs until the render size equals the window's values.
    gImageWidth = gImageHeight = 2048;
    gAntiAlias2x = 0;
    gRenderResolutionWindow.value[0] = 1024;
    gRenderResolutionWindow.value[1] = 2048;
    EXPECT_TRUE(ResolutionReminderDue());
    gImageWidth = 1024;
    EXPECT_FALSE(ResolutionReminderDue());
    gEnable2xAABox.flags[0] = 1;
    EXPECT_TRUE(ResolutionReminderDue()) << "the box differs";
    gImageWidth = 2048;
    gImageHeight = 4096;
    gAntiAlias2x = 1;
    EXPECT_FALSE(ResolutionReminderDue());
    // 4096 x 4096 with 2X AA is 2048 x 2048 as chosen.
    gImageWidth = gImageHeight = 4096;
    char text[64];
    RenderSizeText(text, sizeof text, "%d x %d", "%d x %d 2X AA");
    EXPECT_STREQ(text, "2048 x 2048 2X AA");
    gAntiAlias2x = 0;
    gImageWidth = gImageHeight = 2048;
    gEnable2xAABox.flags[0] = 0;
}

// Each start-up drag from (442, 720) to (770, 492) has a chord of 1.2 on the
// ball: at "Medium" (0.5) it turns 36 degrees, so forty drags make four
// whole turns and the light keeps the ball's first direction (1, 1, 1) / sqrt 3.
TEST_F(PagesTest, LightTrackballPointsInItsStartDirection)
{
    TurnLightToStartDirection();
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(gLightTrackBallA[k], 0.57735f, 0.01f) << k;
    for (const Skylight& sky : gShader.skies) EXPECT_EQ(sky.ownerTurbidity, 1.0f);
    // The suns: the direction turned about x keeps its x.
    EXPECT_NEAR(gShader.skies[23].requestedDirection[0], gLightTrackBallA[0], 1e-5f);
}

}  // namespace

// The "Fractal Generator" check list belongs to type 48 alone.
TEST_F(PagesTest, GeneratorListOnlyForTypeBlocks)
{
    const PanelPlace& at = Place(kPlaceFractalGenerator);
    Show(0);
    for (int type : {0, 47, 48, 49}) {
        gFractalType = type;
        const long lit = Light(at.x, at.y, at.x + at.width, at.y + PlaceHeight(kPlaceFractalGenerator));
        EXPECT_EQ(lit > 0, type == 48) << "type " << type;
        if (type != 48 || !gl_.llvmpipe()) continue;
        const ScreenshotResult r = CompareWithReference("tab_fractals_type48", gl_.Frame(), gl_.Width(), gl_.Height());
        EXPECT_TRUE(r.ok) << r.message;
    }
    gFractalType = 0;
}

// "Enable Fresnel Equation" shows the edited material's flag (an index out
// of range edits material 0); a toggle goes into that material only.
TEST_F(PagesTest, FresnelBoxFollowsTheCurrentMaterial)
{
    Interface& p = gInterface;
    const int cases[][3] = {{3, 3, 1}, {9, 9, 0}, {10, 0, 1}};  // current, edited, flag
    for (const auto& c : cases) {
        std::memset(gShader.fresnelOn, 0, sizeof gShader.fresnelOn);
        gShader.currentMaterial = c[0];
        gShader.fresnelOn[c[1]] = static_cast<uint8_t>(c[2]);
        p.SyncRenderFlags();
        EXPECT_EQ(p.enableFresnel.flags[0] + p.fresnelParameters.visible, 2 * c[2]) << "material " << c[0];
        p.enableFresnel.flags[0] ^= 1;
        p.StoreFresnelFlag();
        int on = 0;
        for (uint8_t f : gShader.fresnelOn) on += f;
        EXPECT_EQ(on + gShader.fresnelOn[c[1]], 2 * (c[2] ^ 1)) << "material " << c[0];
    }
    gShader.currentMaterial = 0;
    std::memset(gShader.fresnelOn, 0, sizeof gShader.fresnelOn);
}

// Each material window shows on its own material tab; a press on a row and
// a drag to the right raise that value of the current material only, within
// the row's range (rotations in whole degrees), and stepping to another
// material shows that one's value.
TEST_F(PagesTest, MaterialWindowsDragTheCurrentMaterial)
{
    struct Case {
        const char* name;
        int page;
        SLWindow Interface::*window;
        int row;
        float (Shader::*values)[kMaterialCount];
    } cases[] = {
        {"Ambient Intensity", 0, &Interface::ambientParameters, 0, &Shader::ambientIntensity},
        {"Ambient Rotation", 0, &Interface::ambientParameters, 1, &Shader::rotationA},
        {"Ambient Roughness", 0, &Interface::ambientParameters, 2, &Shader::ambientRoughness},
        {"Diffuse Intensity", 1, &Interface::diffuseParameters, 0, &Shader::diffuseIntensity},
        {"Diffuse Rotation Angle", 1, &Interface::diffuseParameters, 1, &Shader::rotationB},
        {"Specular Magnitude", 2, &Interface::specularParameters, 0, &Shader::specularMagnitude},
        {"Specular Intensity", 2, &Interface::specularParameters, 1, &Shader::specularIntensity},
        {"Shadow Depth", 3, &Interface::shadowDepth, 0, &Shader::shadowDepth},
    };
    Show(1);
    for (const Case& c : cases) {
        gShader.currentMaterial = 3;
        gInterface.textureTab.selected = c.page;
        SLWindow& w = gInterface.*c.window;
        float(&v)[kMaterialCount] = gShader.*c.values;
        const float before = v[3], other = v[4];
        const int left = static_cast<int>(w.left), bottom = static_cast<int>(w.bottom);
        EXPECT_GT(Light(left, bottom, static_cast<int>(w.right), static_cast<int>(w.top)), 0) << c.name;
        const int x = left + 200;
        const int y = bottom + static_cast<int>((w.rows - 1 - c.row + 0.5f) * w.rowHeight);
        // Forty one-unit moves with a frame after each.
        OnClick(x, y);
        gHoverY = y;
        for (gPointerX = x + 1; gPointerX <= x + 40; ++gPointerX) {
            DragWidgets();
            gInterface.ShowMaterialValues();
        }
        gDragGroup = 0;
        EXPECT_GT(v[3], before) << c.name;
        EXPECT_LE(v[3], w.maximum[c.row]) << c.name;
        EXPECT_EQ(v[4], other) << c.name;
        EXPECT_TRUE(!w.integer[c.row] || v[3] == std::trunc(v[3])) << c.name;
        gShader.currentMaterial = 4;
        Light(0, 0, 1, 1);
        EXPECT_EQ(w.Value(c.row), other) << c.name;
        v[3] = before;
    }
    gShader.currentMaterial = 0;
    gInterface.textureTab.selected = 0;
}
