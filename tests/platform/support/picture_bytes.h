// Picture files made in memory for the decoder tests and the fuzz seeds:
// PNG through libpng's writer, JPEG through libjpeg-turbo's compressor, BMP
// byte by byte. Pixel (x, y), y from the top, is TestColour(x, y) unless the
// caller gives its own.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace picture_bytes {

using Colour = std::array<uint8_t, 3>;
using Pattern = std::function<Colour(uint32_t x, uint32_t y)>;

// Red rising to the right, green falling downwards, blue a checker of 4.
Colour TestColour(uint32_t x, uint32_t y);

struct PngOptions {
    int colourType = 2;  // PNG_COLOR_TYPE_*: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;    // 16: each sample's high byte is the 8-bit value, low byte 0x5A
    bool interlaced = false;
    int compression = 6;
};
std::vector<uint8_t> Png(uint32_t width, uint32_t height, const PngOptions& options = {},
                         const Pattern& pattern = TestColour);

struct JpegOptions {
    bool progressive = false;
    bool grey = false;
    int quality = 95;
};
std::vector<uint8_t> Jpeg(uint32_t width, uint32_t height, const JpegOptions& options = {},
                          const Pattern& pattern = TestColour);

struct BmpOptions {
    int bits = 24;  // 1, 4, 8 (grey colour table of 2^bits entries), 16 (5-5-5), 24, 32
    bool topDown = false;
};
std::vector<uint8_t> Bmp(uint32_t width, uint32_t height, const BmpOptions& options = {},
                         const Pattern& pattern = TestColour);

// A PNG chunk with its length and CRC.
std::vector<uint8_t> PngChunk(const char type[4], const std::vector<uint8_t>& data);

// Writes bytes to path (folders made); false when it cannot.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace picture_bytes
