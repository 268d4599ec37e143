#include <gtest/gtest.h>

#include <cstring>

#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/pending_services.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/render_size.h"
#include "app/screen_lists.h"
#include "app/startup_state.h"
#include "app/status_line.h"
#include "app/support/app_interface.h"
#include "support/screenshot.h"
#include "engine/random.h"
#include "platform/gl_api.h"
#include "platform/preview_target.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

namespace {

// The point previews drawn by the program's own frame, from fixed seeds, on
// the software renderer that drew the references.
class PreviewScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        if (!gl_.llvmpipe()) GTEST_SKIP() << "the references were drawn by llvmpipe";
        CreatePreviewTarget();
        if (!gPbufferAvailable) GTEST_SKIP() << "no framebuffer objects";
        CreatePreviewTexture();
        BuildMainButtons();
        ClearStatusText();
        ASSERT_TRUE(AllocateRenderBuffers(512, 512, false));
        DeriveRenderSizeValues();
        InitGlobalState();
        SeedStartupRandomStates(4242u, nullptr);
        InstallSierpinskiTetrahedron();
        for (int t = 0; t < 4; ++t) gTransforms[t].weight = 0.25f;  // kept by every probability update
        gCameraAngleX = 30.0f;
        gCameraAngleY = 40.0f;
        UpdateCameraMatrix();
        FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
        ClearPreviewPbuffer();
        ClearPreviewPlanes();
        gPreviewRefresh = 1;
        gPointPreviewValid = 1;
        gScreenState = kScreenPointPreview;
    }
    void TearDown() override
    {
        DeletePreviewTexture();
        DestroyPreviewTarget();
        FreeRenderBuffers();
    }
    void Expect(const char* name)
    {
        const ScreenshotResult r = CompareWithReference(name, gl_.Frame(), gl_.Width(), gl_.Height(), 24, 0.004);
        EXPECT_TRUE(r.ok) << name << ": " << r.message;
    }

    AppInterfaceTest gl_;
};

TEST_F(PreviewScreens, DirtyPreviewWithAndWithoutTheTarget)
{
    DrawFrame();
    Expect("point_preview_dirty");
    // Without the target the points go straight into the window, and the
    // erase question is open over them.
    gPbufferAvailable = 0;
    EnableButton(kButtonYes, true);
    EnableButton(kButtonNo, true);
    DrawFrame();
    Expect("point_preview_dirty_window_question");
}

TEST_F(PreviewScreens, SettledPreviewAfterTheReplot)
{
    DrawFrame();
    gPbufferAvailable = 0;
    while (gPreviewRefresh) OnTimer();
    for (int frame = 0; frame < 3; ++frame) DrawFrame();  // shaded at the second, shown at the third
    Expect("point_preview_settled");
}

TEST_F(PreviewScreens, ThreeDimensionalPreviewWithTwoLights)
{
    gScreenState = kScreenPreview3D;
    gPreview3DViewPreset = 2;
    gCameraAngleX = gCameraAngleY = 0.0f;
    UpdateCameraMatrix();
    BuildPointCloudList();
    const PreviewLight lights[2] = {
        {true, {0.6f, 0.6f, 0.2f}, 0.2f, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        {true, {-0.6f, 0.4f, 0.0f}, 0.3f, {1, 0, 0, 0, 0, 1, 0, 1, 0}},
    };
    std::memcpy(gPreviewLights, lights, sizeof lights);
    DrawFrame();
    std::memset(gPreviewLights, 0, sizeof gPreviewLights);
    Expect("preview_3d_two_lights");
}

}  // namespace
