#include "engine/baseshape_images.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/picture_file.h"

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

const float kDefaultBaseshapeTriangle[9] = {1, 0, 0, -0.5f, -0.8660254f, 0, -0.5f, 0.8660254f, 0};

void ClearBaseshapeMesh(int i)
{
    if (!IsBaseshapeIndex(i)) return;
    auto* v = static_cast<float*>(std::malloc(sizeof kDefaultBaseshapeTriangle));
    if (!v) return;
    std::memcpy(v, kDefaultBaseshapeTriangle, sizeof kDefaultBaseshapeTriangle);
    BaseshapeMesh& mesh = gBaseshapeMeshes[i];
    std::free(mesh.vertices);
    mesh.vertices = v;
    mesh.triangleCount = 1;
    SetName(mesh.name);
}

void InstallBaseshapeImage(BaseshapeImage& image, uint8_t* pixels, uint32_t width, uint32_t height)
{
    std::free(image.pixels);
    image.pixels = pixels;
    image.width = width;
    image.height = height;
    SetName(image.name);
}

void InstallBaseshapeMesh(BaseshapeMesh& mesh, float* vertices, uint32_t triangleCount)
{
    std::free(mesh.vertices);
    mesh.vertices = vertices;
    mesh.triangleCount = triangleCount;
    SetName(mesh.name);
}

namespace {

// The picture's pixel count when it holds width x height RGB pixels, else 0.
size_t PicturePixels(const RgbImage& picture)
{
    const size_t n = static_cast<size_t>(picture.width) * picture.height;
    return picture.width > 0 && picture.height > 0 && picture.pixels.size() == n * 3 ? n : 0;
}

}  // namespace

bool SetBaseshapeTexture(int i, const RgbImage& picture)
{
    const size_t n = PicturePixels(picture);
    if (!IsBaseshapeIndex(i) || n == 0) return false;
    auto* pixels = static_cast<uint8_t*>(std::malloc(n * 3));
    if (!pixels) return false;
    std::memcpy(pixels, picture.pixels.data(), n * 3);
    InstallBaseshapeImage(gBaseshapeTextures[i], pixels, picture.width, picture.height);
    return true;
}

bool SetBaseshapeDMap(int i, const RgbImage& picture, int borderMode)
{
    const size_t n = PicturePixels(picture);
    if (!IsBaseshapeIndex(i) || n == 0) return false;
    auto* heights = static_cast<uint8_t*>(std::malloc(n));
    if (!heights) return false;
    const uint8_t* rgb = picture.pixels.data();
    for (size_t k = 0; k < n; ++k) heights[k] = std::max({rgb[3 * k], rgb[3 * k + 1], rgb[3 * k + 2]});
    BaseshapeImage& map = gBaseshapeDMaps[i];
    InstallBaseshapeImage(map, heights, picture.width, picture.height);
    ApplyDMapBorderMode(map, borderMode);
    // A map without any height would give a shape without points.
    if (std::all_of(map.pixels, map.pixels + n, [](uint8_t h) { return h == 0; })) ResetBaseshapeDMap(i, borderMode);
    return true;
}

void BuildBaseshapePreview(const BaseshapeImage& image, uint32_t bytesPerPixel, uint8_t* rgb)
{
    constexpr int side = kBaseshapePreviewSide;
    if (!image.pixels || image.width == 0 || image.height == 0 || (bytesPerPixel != 1 && bytesPerPixel != 3)) {
        std::memset(rgb, 0, static_cast<size_t>(side) * side * 3);
        return;
    }
    const float columnStep = static_cast<float>(image.width) / static_cast<float>(side);
    const float rowStep = static_cast<float>(image.height) / static_cast<float>(side);
    for (int r = 0; r < side; ++r) {
        const uint32_t row = std::min(static_cast<uint32_t>(static_cast<float>(r) * rowStep), image.height - 1);
        for (int c = 0; c < side; ++c) {
            const uint32_t column =
                std::min(static_cast<uint32_t>(static_cast<float>(c) * columnStep), image.width - 1);
            const uint8_t* src = image.pixels + (static_cast<size_t>(row) * image.width + column) * bytesPerPixel;
            uint8_t* out = rgb + (static_cast<size_t>(r) * side + c) * 3;
            out[0] = src[0];
            out[1] = src[bytesPerPixel == 3 ? 1 : 0];
            out[2] = src[bytesPerPixel == 3 ? 2 : 0];
        }
    }
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
