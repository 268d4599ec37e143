// What the preview and the export show for the controls a user works, in
// the whole program offscreen: the export's progress bar, the grid over
// the point preview, the camera a view drag leaves for the animation, the
// glow over a picture background, and the render's preview shaded with
// each baseshape's own material.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "assets/png_file.h"
#include "editors/baseshape_editor.h"
#include "engine/baseshape_model.h"
#include "platform/desktop/platform_events.h"
#include "platform/picture_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "shading/shading_settings.h"
#include "materials/shader.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

double MeanOfFile(const fs::path& file)
{
    RgbImage image;
    EXPECT_TRUE(LoadImageFileRgb(image, file.string())) << file;
    double sum = 0.0;
    for (uint8_t v : image.pixels) sum += v;
    return image.pixels.empty() ? 0.0 : sum / static_cast<double>(image.pixels.size());
}

// The program is started for each test: each begins from the start-up
// camera and the point preview, whatever the one before left.
class PreviewEffectsProgram : public ProgramTest {
protected:
    static void SetUpTestSuite() { UseOwnFolder("talvoran_preview_effects_"); }
    void SetUp() override
    {
        StartOnce();
        ProgramTest::SetUp();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        gProgram.Stop();
    }
};

// "Save PNG" of the start-up 2048 x 2048 render: the bar under the preview
// grows with the export's progress, frame by frame, and never runs ahead.
TEST_F(PreviewEffectsProgram, TheExportBarFollowsTheExport)
{
    ASSERT_EQ(gImageWidth, 2048);
    RenderCycles(5000);
    gProgram.GoTo(kTabRender, kPageShaders);
    gDialogs.QueueFile((gDir / "big.png").string());
    gProgram.ClickControl(RenderControls(), "Save PNG");
    int last = 0, middle = -1;
    bool reviewed = false;
    const uint64_t end = TickCount() + 120000;
    while (!ExportIdle() && TickCount() < end) {
        gProgram.Frames(1);
        const int shown = gSliderBox.value;
        EXPECT_GE(shown, last) << "the bar never shrinks during an export";
        EXPECT_LE(shown, std::max(0, gExportProgress.load() == -2 ? 100 : gExportProgress.load()));
        last = shown;
        if (shown > 20 && shown < 80 && middle < 0) {
            middle = shown;
            const WindowPicture f = Shot(reviewed ? nullptr : "export_bar");
            reviewed = true;
            // Lit along its middle up to the value, dark past where the
            // export has got to (it may have moved on while the frame was
            // read, never past its progress).
            const int reached = std::max(shown, gExportProgress.load());
            const uint8_t* lit = f.At(1068 + shown / 2, 32);
            EXPECT_GT(lit[0], 100) << "the bar at " << shown;
            // Above the scale's ticks (up to the middle, the long one at 50 a
            // little higher), where a lit bar is still bright.
            int past = reached + 12;
            if (past >= 48 && past <= 52) past = 54;
            if (past < 98) {
                EXPECT_LT(f.At(1068 + past, 34)[0], 100) << "the bar at " << reached;
            }
        }
    }
    ASSERT_TRUE(ExportIdle());
    EXPECT_GT(middle, 0) << "the bar moved before the export ended";
    EXPECT_GT(last, 80);
    EXPECT_TRUE(fs::exists(gDir / "big.png"));
}

// "Grid" on the "Camera" tab draws its lines over the point preview:
// "Thirds" two dark green verticals at a third and two thirds across.
TEST_F(PreviewEffectsProgram, TheGridShowsOverThePointPreview)
{
    auto greenAlong = [](const WindowPicture& f, int x) {
        int green = 0;
        for (int y = 170; y < 980; y += 2) {
            for (int dx = -1; dx <= 1; ++dx) {
                const uint8_t* p = f.At(x + dx, y);
                if (p[1] > 40 && p[1] < 100 && p[0] < 30 && p[2] < 30) {
                    ++green;
                    break;
                }
            }
        }
        return green;
    };
    gProgram.GoTo(kTabCamera);
    Click("Grid", 2);  // "Thirds"
    EXPECT_EQ(gGridOverlayList, gInterface.gridLists[1]);
    gProgram.Frames(3);
    const WindowPicture thirds = Shot("grid_thirds");
    EXPECT_GT(greenAlong(thirds, 976), 200);
    EXPECT_GT(greenAlong(thirds, 1256), 200);
    Click("Grid", 4);  // "None"
    gProgram.Frames(3);
    const WindowPicture none = Shot();
    EXPECT_LT(greenAlong(none, 976), 20);
}

// A drag in the view turns the camera and leaves the animation's camera
// there: "+A" then takes the camera's up axis as the rotation axis.
TEST_F(PreviewEffectsProgram, AViewDragKeepsTheAnimationCamera)
{
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ASSERT_EQ(std::memcmp(gInterface.savedCamera, identity, sizeof identity), 0);
    gProgram.GoTo(kTabFractals);
    gProgram.Drag(1000, 500, 1150, 620, 8);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(gInterface.savedCamera[i], gCameraMatrix[i]) << i;
    EXPECT_NE(std::memcmp(gInterface.savedCamera, identity, sizeof identity), 0) << "the camera turned";
    gProgram.GoTo(kTabAnimation);
    Click("Axis", 1);  // "+A"
    EXPECT_FLOAT_EQ(gPanel.rotationAxis[0], gCameraMatrix[1]);
    EXPECT_FLOAT_EQ(gPanel.rotationAxis[1], gCameraMatrix[4]);
    EXPECT_FLOAT_EQ(gPanel.rotationAxis[2], gCameraMatrix[7]);
}

// With a picture as the background, the glow takes only the fractal's
// bright parts unless "Include the background brighness in the shader" is
// ticked: the start-up picture, grey at the threshold, turned the whole
// export nearly white.
TEST_F(PreviewEffectsProgram, GlowLeavesThePictureBackgroundOut)
{
    Keep(gShadingSettings.backgroundOn), Keep(gShadingSettings.backgroundType);
    Keep(gShader.glowOn), Keep(gShader.glowBackground);
    UseSmallRenders();
    gProgram.GoTo(kTabRender, kPageEnvironment);
    Click("Enable Background");
    ASSERT_EQ(gShadingSettings.backgroundOn, 1);
    Click("Background Type", 0);  // "Images or textures"
    ASSERT_EQ(gShadingSettings.backgroundType, 0);
    RenderCycles(5000);
    SaveImage("Save PNG", gDir / "plain.png");
    gProgram.GoTo(kTabRender, kPageShaders);
    Click("Enable the Glow Shader");
    ASSERT_EQ(gShader.glowOn, 1);
    SaveImage("Save PNG", gDir / "glow.png");
    gProgram.GoTo(kTabRender, kPageShaders);
    Click("Include the background brighness in the shader");
    ASSERT_EQ(gShader.glowBackground, 1);
    SaveImage("Save PNG", gDir / "glow_background.png");
    const double plain = MeanOfFile(gDir / "plain.png"), glow = MeanOfFile(gDir / "glow.png");
    const double withBackground = MeanOfFile(gDir / "glow_background.png");
    EXPECT_LT(glow, plain + 40.0) << "plain " << plain;
    EXPECT_LT(glow, 200.0);
    EXPECT_GT(withBackground, glow + 40.0) << "the background's grey glows when included";
}

// Two baseshapes, the second with "Enable Neon": after a render, the
// preview shades every pixel with the baseshape the render kept there, so
// the neon's red shows where the second one lies and not elsewhere.
TEST_F(PreviewEffectsProgram, TheRenderPreviewShadesEachBaseshapeItsOwnWay)
{
    UseSmallRenders();
    gProgram.GoTo(kTabEditors, kPageBaseshapes);
    Click("Edit (Baseshapes)");
    Click("New (Baseshapes)");
    Click("New (Baseshapes)");
    ASSERT_EQ(gBaseshapeCount, 2);
    ASSERT_EQ(gCurrentBaseshape, 1);
    Click("Shape", kBsColorsTab);
    Click("Enable Neon");
    ASSERT_EQ(gBaseshapes[1].neonOn, 1);
    ASSERT_EQ(gBaseshapes[0].neonOn, 0);
    Click("Edit (Baseshapes)");
    // While the render runs, a shading control's press shades its preview
    // from the render buffers at once ("Multiply" keeps the start-up
    // colours below white); the picture and the buffers are kept as they
    // are then, before "Stop" returns to the point preview.
    LimitRenderCycles(5000);
    PressRender();
    ASSERT_EQ(gRenderRunFlag.load(), 1);
    ASSERT_TRUE(WaitForRenderCycles());
    gProgram.GoTo(kTabRender, kPageAdvanced);
    Click("Material Color Blend", 6);  // "Multiply"
    ASSERT_EQ(gShadingSettings.materialColorBlend, 6);
    const std::vector<uint8_t> picture(gPreviewImage, gPreviewImage + sizeof gPreviewImage);
    const size_t pixels = static_cast<size_t>(gImageWidth) * gImageHeight;
    const std::vector<float> depth(gDepthBuffer, gDepthBuffer + pixels);
    const std::vector<uint8_t> index(gColorIndexBuffer, gColorIndexBuffer + pixels);
    gProgram.ClickControl(WindowBottomControls(), "Stop");
    gProgram.Frames(1);
    assetgen::WritePngRgb("render_preview_neon.review.png", picture.data(), kPreviewImageSize, kPreviewImageSize);
    // Preview pixels whose render samples (one, or four at double density)
    // all hold the same baseshape.
    const int W = gImageWidth, H = gImageHeight;
    const float dense = static_cast<float>(W) * 0.00060096156f;
    auto baseshapeAt = [&](float fx, float fy) {
        const int x = std::min(static_cast<int>(fx), W - 1), y = std::min(static_cast<int>(fy), H - 1);
        const size_t i = static_cast<size_t>(y) * W + x;
        if (depth[i] == 0.0f) return -1;
        return std::abs(static_cast<int>(static_cast<int8_t>(index[i]))) - 1;
    };
    int counted[2] = {0, 0}, red[2] = {0, 0};
    for (int r = 0; r < gPreviewImageBottom - gPreviewImageTop; r += 2) {
        for (int c = 0; c < kPreviewSize; c += 2) {
            const int b = baseshapeAt(2 * c * dense, 2 * r * dense);
            if (b != 0 && b != 1) continue;
            if (baseshapeAt((2 * c + 1) * dense, 2 * r * dense) != b || baseshapeAt(2 * c * dense, (2 * r + 1) * dense) != b ||
                baseshapeAt((2 * c + 1) * dense, (2 * r + 1) * dense) != b)
                continue;
            const uint8_t* p = picture.data() + (static_cast<size_t>(gPreviewImageTop + r) * kPreviewImageSize + c) * 3;
            ++counted[b];
            red[b] += p[0] == 255 ? 1 : 0;
        }
    }
    ASSERT_GT(counted[0], 50);
    ASSERT_GT(counted[1], 50);
    EXPECT_GT(red[1], counted[1] * 95 / 100) << "the neon baseshape's pixels";
    EXPECT_LT(red[0], counted[0] / 2) << "the other's";
    Click("Material Color Blend", 7);  // "Addition", as it was
    gProgram.GoTo(kTabEditors, kPageBaseshapes);
    Click("Edit (Baseshapes)");
    Click("Delete (Baseshapes)");
    Click("Delete (Baseshapes)");
    Click("Edit (Baseshapes)");
}

}  // namespace
