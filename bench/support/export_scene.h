// The 2048 x 2048 scene the export benchmarks shade: a sphere over a floor
// in the render buffers (orthographic, the shadow map the scene seen from the
// light's side), the shader's start textures, occlusion at 16 samples of
// radius 16. Set up once per program.
#pragma once

#include <cmath>
#include <cstdint>
#include <mutex>

#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/shadow_sampling.h"

inline constexpr int kExportSceneSize = 2048;

inline void SetUpExportScene()
{
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr int size = kExportSceneSize;
        SeedStartupRandomStates(12345u, nullptr);
        AllocateRenderBuffers(size, size, false);
        gShader.InitializeTextures();
        gImageScale = size / 2.0f;
        gImageOffsetX = gImageOffsetY = size / 2.0f;
        gShadowScale = size / 2.0f;
        gShadowOffsetX = gShadowOffsetY = size / 2.0f;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const float a = (x - size / 2.0f) / (size / 2.0f), b = (y - size / 2.0f) / (size / 2.0f);
                const float r2 = (a * a + b * b) / 0.36f;
                const float z = r2 < 1.0f ? 0.6f * std::sqrt(1.0f - r2) : (b < 0.3f ? -0.5f + 0.3f * b : -2.0f);
                const int64_t i = static_cast<int64_t>(y) * size + x;
                gDepthBuffer[i] = z > -1.0f ? (z + 1.0f) * 32767.0f : 0.0f;
                gSubPixelBuffer[2 * i] = gSubPixelBuffer[2 * i + 1] = 128;
                gShadowMap[i] = static_cast<uint16_t>(z > -1.0f ? (z + 1.0f) * 32767.0f : 0.0f);
            }
        }
        gOcclusionSettings.sampleCount = 16.0f;
        gOcclusionSettings.radius = 16.0f;
    });
}
