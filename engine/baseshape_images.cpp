#include "engine/baseshape_images.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsBaseshapeIndex(int i) { return i >= 0 && i < kMaxBaseshapes; }

void SetName(char* name) { std::strcpy(name, "#"); }

// Replaces the pixels by a filled block; keeps the old image when there is
// no memory for the new one.
bool FillImage(BaseshapeImage& image, uint32_t width, uint32_t height, uint32_t bytesPerPixel, uint8_t value)
{
    const size_t bytes = static_cast<size_t>(width) * height * bytesPerPixel;
    auto* pixels = static_cast<uint8_t*>(std::malloc(bytes));
    if (!pixels) return false;
    std::memset(pixels, value, bytes);
    std::free(image.pixels);
    image.pixels = pixels;
    image.width = width;
    image.height = height;
    SetName(image.name);
    return true;
}

}  // namespace

void ApplyDMapBorderMode(BaseshapeImage& image, int borderMode)
{
    const uint32_t w = image.width, h = image.height;
    if (!image.pixels || w == 0 || h == 0 || borderMode == 2) return;
    if (borderMode == 0 || borderMode == 1) {
        std::memset(image.pixels, 0, w);
        std::memset(image.pixels + static_cast<size_t>(h - 1) * w, 0, w);
    }
    if (borderMode == 1) {
        for (uint32_t y = 0; y < h; ++y) {
            image.pixels[static_cast<size_t>(y) * w] = 0;
            image.pixels[static_cast<size_t>(y) * w + w - 1] = 0;
        }
    }
}

void ClearBaseshapeTexture(int i)
{
    if (IsBaseshapeIndex(i)) FillImage(gBaseshapeTextures[i], 16, 16, 3, 128);
}

void ResetBaseshapeDMap(int i, int borderMode)
{
    if (!IsBaseshapeIndex(i)) return;
    if (FillImage(gBaseshapeDMaps[i], 16, 16, 1, 255)) ApplyDMapBorderMode(gBaseshapeDMaps[i], borderMode);
}

void ClearBaseshapeMesh(int i)
{
    if (!IsBaseshapeIndex(i)) return;
    static constexpr float kTriangle[9] = {1, 0, 0, -0.5f, -0.8660254f, 0, -0.5f, 0.8660254f, 0};
    auto* v = static_cast<float*>(std::malloc(sizeof kTriangle));
    if (!v) return;
    std::memcpy(v, kTriangle, sizeof kTriangle);
    BaseshapeMesh& mesh = gBaseshapeMeshes[i];
    std::free(mesh.vertices);
    mesh.vertices = v;
    mesh.triangleCount = 1;
    SetName(mesh.name);
}

bool CopyBaseshapeImage(BaseshapeImage& dst, const BaseshapeImage& src, uint32_t bytesPerPixel)
{
    if (&dst == &src) return true;
    const size_t bytes = src.pixels ? static_cast<size_t>(src.width) * src.height * bytesPerPixel : 0;
    uint8_t* pixels = nullptr;
    if (bytes > 0) {
        pixels = static_cast<uint8_t*>(std::malloc(bytes));
        if (!pixels) return false;
        std::memcpy(pixels, src.pixels, bytes);
    }
    std::free(dst.pixels);
    dst.pixels = pixels;
    dst.width = pixels ? src.width : 0;
    dst.height = pixels ? src.height : 0;
    return true;
}

bool CopyBaseshapeMesh(BaseshapeMesh& dst, const BaseshapeMesh& src)
{
    if (&dst == &src) return true;
    const size_t floats = src.vertices ? static_cast<size_t>(src.triangleCount) * 9 : 0;
    float* v = nullptr;
    if (floats > 0) {
        v = static_cast<float*>(std::malloc(floats * sizeof(float)));
        if (!v) return false;
        std::memcpy(v, src.vertices, floats * sizeof(float));
    }
    std::free(dst.vertices);
    dst.vertices = v;
    dst.triangleCount = v ? src.triangleCount : 0;
    return true;
}
