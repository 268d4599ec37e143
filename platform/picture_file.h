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

struct PictureLimits {
    uint32_t maxSide;
    uint64_t maxPixels;
};

// Pictures beyond these sizes are refused rather than allocated.
inline constexpr uint32_t kMaxImageSide = 16384;
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 26;
inline constexpr PictureLimits kImageLimits{kMaxImageSide, kMaxImagePixels};
// The interface's own pictures (font, icons, skins) are far smaller.
inline constexpr PictureLimits kInterfacePictureLimits{8192, uint64_t{1} << 24};
// Larger files are not opened: an uncompressed picture at the pixel limit
// and a megabyte of headers.
inline constexpr uint64_t kMaxPictureFileBytes = kMaxImagePixels * 4 + (1 << 20);

enum class PictureProblem {
    None,
    Missing,        // no such file
    NotRegular,     // a folder, FIFO, device or socket
    FileTooLarge,   // more bytes than any picture we accept
    Unreadable,     // no permission or a read error
    NotAPicture,    // not a BMP, PNG or JPEG file
    Unsupported,    // a kind of BMP we do not read (compressed rows)
    TooManyPixels,  // sides or pixel count beyond the limits
    Truncated,      // the file ends before the picture does
    Damaged,        // malformed data
    NoMemory,
};

// A short text for messages: "truncated", "not a BMP, PNG or JPEG picture".
const char* PictureProblemText(PictureProblem problem);

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
