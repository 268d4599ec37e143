#include <gtest/gtest.h>

#include <cstring>

#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/pending_services.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/support/gl_interface.h"
#include "app/support/preview_scene.h"
#include "app/support/screenshot.h"
#include "platform/preview_target.h"
#include "render/render_buffers.h"

namespace {

// The scene of the shots, dirty on screen 6.
void ResetScene(float angleX, float angleY)
{
    ASSERT_TRUE(SetUpPreviewScene(512, 512, angleX, angleY));
    CreatePreviewTarget();
    ClearPreviewPbuffer();
    ClearPreviewPlanes();
    gPreviewRefresh = 1;
    gScreenState = kScreenPointPreview;
    EnableButton(kButtonYes, false);
    EnableButton(kButtonNo, false);
}

void Settle()
{
    DrawFrame();
    gPbufferAvailable = 0;
    while (gPreviewRefresh) OnTimer();
    DrawFrame();
    DrawFrame();  // shaded at the second settled frame, shown at the third
}

void ThreeDimensionalWithTwoLights()
{
    ResetScene(0.0f, 0.0f);
    gScreenState = kScreenPreview3D;
    BuildPointCloudList();
    gPreviewLights[0] = {true, {0.6f, 0.6f, 0.2f}, 0.2f, {1, 0, 0, 0, 1, 0, 0, 0, 1}};
    gPreviewLights[1] = {true, {-0.6f, 0.4f, 0.0f}, 0.3f, {1, 0, 0, 0, 0, 1, 0, 1, 0}};
}

// The point previews drawn by the program's own frame on the software
// renderer that drew the references.
TEST(PreviewScreens, MatchTheReferences)
{
    GlInterfaceTest gl;
    if (!gl.ok()) GTEST_SKIP() << gl.why();
    if (!gl.llvmpipe()) GTEST_SKIP() << "the references were drawn by llvmpipe";
    if (!CreatePreviewTarget()) GTEST_SKIP() << "no framebuffer objects";
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
             gPbufferAvailable = 0;  // the points go straight into the window
             EnableButton(kButtonYes, true);
             EnableButton(kButtonNo, true);
         }},
        {"point_preview_settled",
         [] {
             ResetScene(30.0f, 40.0f);
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
    std::memset(gPreviewLights, 0, sizeof gPreviewLights);
    DeletePreviewTexture();
    DestroyPreviewTarget();
    FreeRenderBuffers();
}

}  // namespace
