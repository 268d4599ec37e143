#include "shading/support/export_scene.h"

#include <cmath>
#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

namespace {

// The light looks down from the upper left: its rows turn (-a, -b, c).
constexpr float kAlpha = -0.6f, kBeta = -0.5f;

// Camera depth of the nearest surface at image position (a, b), or -2.
float SceneDepth(float a, float b, int& baseshape)
{
    const float r2 = a * a + (b - 0.15f) * (b - 0.15f);
    const float floor = -0.15f - 0.55f * (b + 0.2f);
    baseshape = 2;
    float depth = b < 0.75f ? floor : -2.0f;
    if (r2 < 0.25f) {
        const float sphere = std::sqrt(0.25f - r2) - 0.05f;
        if (sphere > depth) {
            depth = sphere;
            baseshape = 1;
        }
    }
    return depth > -0.99f && depth < 0.99f ? depth : -2.0f;
}

}  // namespace

ExportShadingSettings BuildExportTestScene(int size)
{
    AllocateRenderBuffers(size, size, false);
    const float half = size * 0.5f;
    gImageScale = half * 0.9f;
    gImageOffsetX = gImageOffsetY = half;
    gPerspectiveOn = 0;
    gPerspectiveFocal = 1.0f;
    gPerspectiveEye = 3.0f;
    const float ca = std::cos(kAlpha), sa = std::sin(kAlpha), cb = std::cos(kBeta), sb = std::sin(kBeta);
    const float light[9] = {cb, 0.0f, sb, sa * sb, ca, -sa * cb, -ca * sb, sa, ca * cb};
    std::memcpy(gLightViewMatrix, light, sizeof(light));
    gShadowScale = half * 0.6f;
    gShadowOffsetX = gShadowOffsetY = half;
    const ViewParams v = LoadViewParams();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int64_t i = static_cast<int64_t>(y) * size + x;
            int baseshape = 0;
            const float depth = SceneDepth((x - half) / gImageScale, (y - half) / gImageScale, baseshape);
            gDepthBuffer[i] = depth > -1.0f ? (depth + 1.0f) * kDepthScale : 0.0f;
            gColorIndexBuffer[i] = depth > -1.0f ? static_cast<uint8_t>(baseshape) : 0;
            gSubPixelBuffer[2 * i] = gSubPixelBuffer[2 * i + 1] = 128;
        }
    // The shadow map from four samples a pixel, nearest to the light kept.
    for (int y = 0; y < 2 * size; ++y)
        for (int x = 0; x < 2 * size; ++x) {
            const float a = (x * 0.5f - half) / gImageScale, b = (y * 0.5f - half) / gImageScale;
            int baseshape = 0;
            const float depth = SceneDepth(a, b, baseshape);
            if (depth < -1.0f) continue;
            const CameraPoint p{a, b, depth};
            const int64_t cell = ShadowCell(v, p);
            const float light = LightDepth(v, p);
            if (cell >= 0 && light > gShadowMap[cell] && light < 65535.0f) gShadowMap[cell] = static_cast<uint16_t>(light);
        }
    gShader.InitializeTextures();
    gUseBaseshapes = 1;
    gBaseshapeCount = 2;
    gBaseshapes[0].material = 0;
    gBaseshapes[1].material = 1;
    const float tint[2][3] = {{1.0f, 0.55f, 0.3f}, {0.45f, 0.6f, 0.7f}};
    for (int m = 0; m < 2; ++m) {
        gShader.useColorMapA[m] = gShader.useColorMapB[m] = 1;
        gShader.ambientIntensity[m] = 0.15f;
        for (int c = 0; c < 3; ++c)
            for (int e = 0; e < 256; ++e) {
                gShader.materialColorMaps[2 * c][m][e] = static_cast<uint8_t>(e * tint[m][c] * 0.5f);
                gShader.materialColorMaps[2 * c + 1][m][e] = static_cast<uint8_t>(e * tint[m][c]);
            }
    }
    for (int i = 0; i < kMaxRenderSlots; ++i) {
        SeedRandomState(gSlotRandom[i], 100 + i);
        SeedRandomState(gSlotRandomB[i], 200 + i);
    }
    ExportShadingSettings s;
    s.light[0] = -light[6];
    s.light[1] = -light[7];
    s.light[2] = light[8];
    s.useBaseshapes = 1;
    s.ambient[0] = s.ambient[1] = s.ambient[2] = 0.3f;
    return s;
}

std::vector<uint8_t> ShadeExportTestScene(const ExportShadingSettings& settings)
{
    const int w = gImageWidth, h = gImageHeight;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    PrepareExportShading(settings);
    for (int row = 0; row + 1 < h; row += 2)
        for (int column = 0; column < w; ++column) {
            ShadeRowPairColumn(column, row, 0);
            for (int k = 0; k < 2; ++k)
                for (int c = 0; c < 3; ++c)
                    rgb[(static_cast<size_t>(h - 1 - row - k) * w + column) * 3 + c] = gExportRowPairs[c][k * w + column];
        }
    return rgb;
}
