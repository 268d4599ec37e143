#include "platform/picture_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <cstring>
#include <fstream>
#include <utility>

// Static, so that no other user of stb_image in the program can clash with
// these symbols.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace {

RgbPicture FromStb(uint8_t* data, int width, int height)
{
    RgbPicture picture;
    if (data == nullptr) return picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height * 3);
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(&picture.pixels[stride * (height - 1 - y)], data + stride * y, stride);
    stbi_image_free(data);
    return picture;
}

}  // namespace

RgbPicture LoadPictureRgb(const std::string& path)
{
    int width = 0, height = 0, channels = 0;
    uint8_t* data = stbi_load(path.c_str(), &width, &height, &channels, 3);
    // A missing folder is reported once, at start-up, not for every picture.
    std::error_code ec;
    if (data == nullptr && std::filesystem::is_directory(std::filesystem::path(path).parent_path(), ec)) {
        std::fprintf(stderr, "cannot load picture %s: %s\n", path.c_str(), stbi_failure_reason());
    }
    return FromStb(data, width, height);
}

RgbPicture DecodePictureRgb(const uint8_t* bytes, size_t size)
{
    if (bytes == nullptr || size == 0 || size > 0x7fffffff) return {};
    int width = 0, height = 0, channels = 0;
    uint8_t* data = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 3);
    return FromStb(data, width, height);
}

namespace {

bool GreyImage(RgbImage& image)
{
    image.width = image.height = 16;
    image.pixels.assign(16 * 16 * 3, 128);
    image.ok = 0;
    return false;
}

}  // namespace

bool DecodeImageRgb(RgbImage& image, const uint8_t* bytes, size_t size)
{
    image.pixels.clear();
    if (bytes == nullptr || size == 0 || size > 0x7fffffff) return GreyImage(image);
    int width = 0, height = 0, channels = 0;
    // The header alone says how much the decoder would allocate.
    if (stbi_info_from_memory(bytes, static_cast<int>(size), &width, &height, &channels) == 0 || width <= 0 ||
        height <= 0 || static_cast<uint32_t>(width) > kMaxImageSide || static_cast<uint32_t>(height) > kMaxImageSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxImagePixels)
        return GreyImage(image);
    RgbPicture picture = DecodePictureRgb(bytes, size);
    if (picture.empty()) return GreyImage(image);
    image.width = static_cast<uint32_t>(picture.width);
    image.height = static_cast<uint32_t>(picture.height);
    image.pixels = std::move(picture.pixels);
    image.ok = 1;
    return true;
}

bool LoadImageFileRgb(RgbImage& image, const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return DecodeImageRgb(image, nullptr, 0);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    // Larger than any picture the decoder accepts: not read at all.
    if (size <= 0 || static_cast<uint64_t>(size) > kMaxImagePixels * 4 + (1 << 20)) return DecodeImageRgb(image, nullptr, 0);
    file.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return DecodeImageRgb(image, nullptr, 0);
    return DecodeImageRgb(image, bytes.data(), bytes.size());
}
