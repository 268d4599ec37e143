// The material and light panel's pictures: the shading ball of the current
// material and the edited light's gel preview.
#include <cmath>

#include "materials/shader.h"

void Shader::RenderShadingBall(const float* d, float intensity, float exponent)
{
    const float lz = (d[2] + 1.0f) * 0.5f;
    const float len = std::sqrt((d[0] * d[0] + d[1] * d[1]) * 0.25f + lz * lz);
    float L[3] = {0.0f, 0.0f, 0.0f};
    if (len > 0.0f) {
        L[0] = d[0] / (2.0f * len);
        L[1] = d[1] / (2.0f * len);
        L[2] = lz / len;
    }
    const int m = currentMaterial;
    const float preview[3] = {static_cast<float>(previewRed[m]), static_cast<float>(previewGreen[m]),
                              static_cast<float>(previewBlue[m])};
    for (uint8_t& b : thumbnailBuffer) b = 8;
    for (int r = 0; r < kThumbnailSize; ++r) {
        for (int c = 0; c < kThumbnailSize; ++c) {
            const float px = c / 127.0f - 0.5f, py = r / 127.0f - 0.5f;
            if (px * px + py * py >= 0.25f) continue;
            const float nx = (c - 64) / 64.0f, ny = (r - 64) / 64.0f;
            const float nz2 = 1.0f - static_cast<float>((c - 64) * (c - 64) + (r - 64) * (r - 64)) / 4096.0f;
            const float nz = nz2 > 0.0f ? std::sqrt(nz2) : 0.0f;
            float b = (nz * L[2] + nx * L[0] + ny * L[1]) * intensity;
            b = b >= 0.0f ? std::pow(b, exponent) : 0.0f;
            if (!(b < 1.0f)) b = b > 1.0f ? 1.0f : (b == 1.0f ? 1.0f : 0.0f);  // not a number gives 0
            uint8_t* out = &thumbnailBuffer[(r * kThumbnailSize + c) * 3];
            for (int i = 0; i < 3; ++i) {
                const float v = preview[i] * b;
                out[i] = static_cast<uint8_t>(v > 255.0f ? 255.0f : (v > 0.0f ? v : 0.0f));
            }
        }
    }
    shadingBallThumbnail.Set(thumbnailBuffer);
}

void Shader::RenderGelPreset(int entry)
{
    entry = entry < 0 ? 0 : (entry >= kPresetsPerPanel ? kPresetsPerPanel - 1 : entry);
    GenerateProceduralTexture(thumbnailBuffer, kThumbnailSize, 5, kLightGelPanel * kPresetsPerPanel + entry);
    gelThumbnail.Set(thumbnailBuffer);
}
