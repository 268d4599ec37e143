#include "app/support/preview_scene.h"

#include "app/render_size.h"
#include "app/view_zoom.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "shading/preview_passes.h"
#include "tests/render/support/sierpinski_tetrahedron.h"

bool SetUpPreviewScene(int width, int height, float angleX, float angleY)
{
    InitGlobalState();
    // The shading as start-up step 6 leaves it.
    gShadingSettings.Reset();
    gShader.InitializeTextures();
    SetPreviewTriangle();
    SeedStartupRandomStates(4242u, nullptr);
    InstallSierpinskiTetrahedron();
    for (int t = 0; t < 4; ++t) gTransforms[t].weight = 0.25f;  // kept by every probability update
    if (!AllocateRenderBuffers(width, height, false)) return false;
    DeriveRenderSizeValues();
    // The view as the program starts with it, whatever a test before left.
    gPerspectiveOn = 0;
    gPerspectiveEye = 1.0f;
    gZoom = 1.0f;
    gPanX = gPanY = 0.0f;
    gCameraAngleX = angleX;
    gCameraAngleY = angleY;
    UpdateCameraMatrix();
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
    return true;
}
