// Loading the interface pictures (PNG and the other formats stb_image reads)
// as 8-bit RGB, rows from the bottom up: the order OpenGL uploads, so texture
// row 0 is the bottom of the picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3, bottom row first

    bool empty() const { return pixels.empty(); }
};

// Empty picture when the file is missing or cannot be decoded; the reason is
// logged once per call.
RgbPicture LoadPictureRgb(const std::string& path);

// The same from bytes in memory.
RgbPicture DecodePictureRgb(const uint8_t* bytes, size_t size);

// A picture file decoded for the atlas, the textures and the editors:
// pixels rows from the bottom up, and ok set when the file was decoded.
struct RgbImage {
    std::vector<uint8_t> pixels;  // width * height * 3
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t ok = 0;
};

// Pictures beyond these sizes are refused rather than allocated.
inline constexpr uint32_t kMaxImageSide = 16384;
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 26;

// Replaces the image with the decoded BMP, PNG or JPEG file (8-bit indexed,
// 24 and 32 bits). A file that is missing, truncated, malformed or too large
// gives 16 by 16 pixels of grey 128 and false.
bool LoadImageFileRgb(RgbImage& image, const std::string& path);
// The same from bytes in memory.
bool DecodeImageRgb(RgbImage& image, const uint8_t* bytes, size_t size);
