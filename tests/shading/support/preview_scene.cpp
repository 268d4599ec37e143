#include "shading/support/preview_scene.h"

#include <cmath>
#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/point_coloring.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "shading/preview_passes.h"

namespace {

constexpr float kCx = 0.0f, kCy = 0.15f, kRadius = 0.5f;

// Surface depth z at (x, y), or -2 for none: the sphere in front of a floor
// that recedes as it rises (z = -0.2 at the bottom edge, -0.84 at y = -0.2).
float SurfaceZ(float x, float y, bool* sphere)
{
    const float dx = x - kCx, dy = y - kCy, r2 = kRadius * kRadius - dx * dx - dy * dy;
    *sphere = r2 > 0.0f;
    if (*sphere) return std::sqrt(r2);
    if (y < -0.2f) return -0.2f - 0.8f * (y + 1.0f);
    return -2.0f;
}

// Height of the highest surface at (x, z) as the light above sees it.
float TopY(float x, float z)
{
    const float r2 = kRadius * kRadius - (x - kCx) * (x - kCx) - z * z;
    if (r2 > 0.0f) return kCy + std::sqrt(r2);
    const float floorY = -1.0f - (z + 0.2f) / 0.8f;
    return floorY >= -1.0f && floorY < -0.2f ? floorY : -2.0f;
}

void ResetSettings()
{
    gShadingSettings.Reset();
    gShader.InitializeTextures();
    gShader.fogColorFloat[0] = gShader.fogColorFloat[1] = gShader.fogColorFloat[2] = 0;
    gShader.backgroundFog = 1;
    // Material 0's two textures, as the built-in ones give it at start-up:
    // a dark ambient side and a warm diffuse side.
    gShader.slots[0].Replace(MakeSolidImage(8, 8, 50, 55, 70));
    gShader.slots[kMaterialCount].Replace(MakeSolidImage(8, 8, 200, 170, 120));
    gShader.useTextureA[0] = gShader.useTextureB[0] = 1;
    gFastShadowUpdate = 0;
    gPerspectiveOn = 0;
    gRgbColoring = 0;
    gUseBaseshapes = 0;
    gVolumetricFogOn = 0;
    gPreviewImageTop = 0;
    gPreviewImageBottom = kPreviewSize;
    const float light[3] = {0.3f, 0.5f, 0.81f};
    std::memcpy(gLightTrackBallA, light, sizeof light);
    for (float* m : {gCameraMatrix, gLightViewMatrix}) {
        for (int i = 0; i < 9; ++i) m[i] = i % 4 == 0 ? 1.0f : 0.0f;
    }
    // The light looks down: its depth is y, its map spans x and z.
    const float lightView[9] = {-1, 0, 0, 0, 0, 1, 0, -1, 0};
    std::memcpy(gLightViewMatrix, lightView, sizeof lightView);
    gViewCentre[0] = gViewCentre[1] = gViewCentre[2] = 0.0f;
    gViewScale = 1.0f;
    SetPreviewTriangle();
    const float sun[3] = {0.35f, 0.45f, -0.82f};  // high in the sky once mirrored
    gShader.SetSunDirection(sun, 0);
    gPerspectiveFocal = 1.0f;
    gPerspectiveEye = 1.0f;
}

}  // namespace

void SetUpSphereScene(int32_t width, int32_t height)
{
    ResetSettings();
    AllocateRenderBuffers(width, height, false);
    ClearRenderBuffers();
    const int W = gImageWidth, H = gImageHeight;
    gImageScale = W * 0.5f;
    gImageOffsetX = W * 0.5f;
    gImageOffsetY = W * 0.5f;
    gShadowScale = W * 0.5f;
    gShadowOffsetX = gShadowOffsetY = W * 0.5f;
    for (int py = 0; py < H; ++py) {
        for (int px = 0; px < W; ++px) {
            const float x = (px - gImageOffsetX) / gImageScale, y = (py - gImageOffsetY) / gImageScale;
            bool sphere = false;
            const float z = SurfaceZ(x, y, &sphere);
            if (z < -1.0f) continue;
            const size_t i = static_cast<size_t>(py) * W + px;
            gDepthBuffer[i] = (z + 1.0f) * 32767.0f;
            gPointColorPlanes[0][i] = sphere ? 230 : 90;
            gPointColorPlanes[1][i] = sphere ? 120 : 150;
            gPointColorPlanes[2][i] = sphere ? 60 : 200;
        }
    }
    for (int v = 0; v < W; ++v) {
        for (int u = 0; u < W; ++u) {
            const float x = (gShadowOffsetX - u) / gShadowScale, z = (gShadowOffsetY - v) / gShadowScale;
            const float y = TopY(x, z);
            if (y > -1.5f) gShadowMap[static_cast<size_t>(v) * W + u] = static_cast<uint16_t>(32767.0f * y + 32767.0f);
        }
    }
}

void SetUpSpherePointPreview()
{
    ResetSettings();
    for (int py = 0; py < kPreviewSize; ++py) {
        for (int px = 0; px < kPreviewSize; ++px) {
            const float x = (px - 416.0f) / 416.0f, y = (py - 416.0f) / 416.0f;
            bool sphere = false;
            const float z = SurfaceZ(x, y, &sphere);
            const int i = py * kPreviewSize + px;
            gPreviewDepth[i] = z < -1.0f ? 0.0f : z * 416.0f + 416.0f;
            gPreviewPlanes[0][i] = sphere ? 230 : 90;
            gPreviewPlanes[1][i] = sphere ? 120 : 150;
            gPreviewPlanes[2][i] = sphere ? 60 : 200;
            gPreviewPlanes[3][i] = 0;
        }
    }
}

void ClearSphereScene()
{
    if (gDepthBuffer != nullptr) ClearRenderBuffers();
    std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
}
