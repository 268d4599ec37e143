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
