#include "app/startup_sequence.h"

#include <cstdlib>
#include <ctime>

#include "app/color_map_dialog.h"
#include "app/create_interface.h"
#include "engine/file_dialogs.h"
#include "app/frame.h"
#include "app/action_buttons.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "render/render_threads.h"
#include "app/point_preview.h"
#include "app/render_size.h"
#include "app/settings.h"
#include "app/texture_folder.h"
#include "app/view_drags.h"
#include "app/view_zoom.h"
#include "materials/shader.h"
#include "shading/shading_settings.h"
#include "shading/preview_passes.h"
#include "platform/desktop/gl_api.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "ui/icons.h"
#include "ui/thumbnail_atlas.h"

void (*gStartupStepObserver)(int step) = nullptr;

namespace {

void ReseedRand() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

void CentreView()
{
    gPreviewRefresh = 1;
    gImageHalfWidth = gImageWidth / 2;
    gImageHalfHeight = gImageHeight / 2;
    const float halfWidth = static_cast<float>(gImageHalfWidth), halfHeight = static_cast<float>(gImageHalfHeight);
    gImageScale = (gImageWidth <= gImageHeight ? halfWidth : halfHeight) * gZoom;
    gImageOffsetX = halfWidth + gPanX;
    gImageOffsetY = halfHeight + gPanY;
}

// The shader's defaults and images, then the 75 presets with their
// thumbnails; the editors' callbacks come with the editors.
void ShaderDefaults()
{
    SetPreviewTriangle();
    gShader.InitializeTextures();
    gShader.MakeStartupPresets();
}
void BuildTextureThumbnails() { BuildThumbnailAtlas(gTexturesPath, gTextureFileNames, &gColorMap); }

void UpdateViewMatrices()
{
    UpdateCameraMatrix();
    UpdateLightViewMatrix();
}

void FinishStartup()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    TurnLightToStartDirection();
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
    FitViewToFractal(&gShadowOffsetX, &gShadowOffsetY, &gShadowOffsetZ, &gShadowScale, kFitLightView);
    gScreenState = kScreenPointPreview;
}

}  // namespace

const StartupStep kStartupSteps[kLastStartupStep + 1] = {
    {0, "nothing", nullptr, nullptr},
    {1, "read the settings", ReadSettings, nullptr},
    {2, "list the textures folder (a new user's given the colour maps first)", StockAndScanTexturesFolder, nullptr},
    {3, "build the thumbnail atlas", BuildTextureThumbnails, nullptr},
    {4, "default direction vectors of the view controls", ResetDragVectors, nullptr},
    {5, "seed rand() from the clock again", ReseedRand, nullptr},
    {6, "defaults, editor callbacks and start-up textures", ShaderDefaults,
     "editor callbacks"},
    {7, "view centre", CentreView, nullptr},
    {8, "camera and light matrices", UpdateViewMatrices, nullptr},
    {9, "construct the interface", CreateInterface,
     "the editors' panels, the material windows and the texture tab's buttons"},
    {10, "final set-up, then the point preview", FinishStartup, nullptr},
};

void RunStartupStep(int step)
{
    if (gStartupStepObserver != nullptr) gStartupStepObserver(step);
    if (step >= 1 && step <= kLastStartupStep && kStartupSteps[step].run != nullptr) kStartupSteps[step].run();
    ++gStartupStep;
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}
