// What every picture reader shares: the size limits a picture is checked
// against before anything of its size is allocated, and the reasons a
// picture is refused. The decoders (picture_decoders.h) and the loaders
// (picture_file.h) both stand on this file.
#pragma once

#include <cstdint>

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

// Sides within the limits and at least 1.
bool PictureSizeAllowed(uint64_t width, uint64_t height, const PictureLimits& limits);
