// Picture files as 8-bit RGB, rows from the bottom up: the order OpenGL
// uploads, so texture row 0 is the bottom of the picture. Three formats are
// read, each known by its first bytes whatever the file is called: PNG
// (libpng), JPEG (libjpeg-turbo) and uncompressed BMP (our own reader). Every
// loader checks the header's sides and pixel count before it allocates, reads
// the file from the front without blocking (regular files only) and refuses
// a truncated or damaged file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_limits.h"

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3, bottom row first

    bool empty() const { return pixels.empty(); }
};

// An interface picture (kInterfacePictureLimits). Empty picture when the file
// is missing or cannot be decoded; the reason is logged once per call.
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

// Replaces the image with the decoded file (kImageLimits). A file that is
// missing, truncated, malformed or too large gives 16 by 16 pixels of grey
// 128 and false; problem, when given, says why.
bool LoadImageFileRgb(RgbImage& image, const std::string& path, PictureProblem* problem = nullptr);
// The same from bytes in memory.
bool DecodeImageRgb(RgbImage& image, const uint8_t* bytes, size_t size, PictureProblem* problem = nullptr);

// A side x side thumbnail of the file, sampled by nearest neighbour: pixel
// (x, y) takes the picture's pixel (trunc(x W / side), trunc(y H / side)),
// rows from the bottom. Only the sampled pixels are kept while decoding, and
// a large JPEG is decoded at a reduced scale, so a picture at the limits
// costs little memory. Failure gives the grey picture as above.
bool LoadImageThumbnailRgb(RgbImage& image, const std::string& path, uint32_t side,
                           PictureProblem* problem = nullptr);
bool DecodeImageThumbnailRgb(RgbImage& image, const uint8_t* bytes, size_t size, uint32_t side,
                             PictureProblem* problem = nullptr);
