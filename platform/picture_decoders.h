// The three picture decoders behind picture_file.h (PNG on libpng, JPEG on
// libjpeg-turbo, BMP our own) and what they share: a byte source read from
// the front (a file is never read whole before its header is checked) and a
// sink that receives 8-bit RGB pixels row by row, so a thumbnail keeps only
// the pixels it samples.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/picture_limits.h"

// Bytes from the front of a file or a buffer.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Up to n bytes; fewer only at the end of the data or on a read error
    // (failed() then tells which).
    virtual size_t Read(uint8_t* to, size_t n) = 0;
    virtual bool failed() const { return false; }
};

// Where the decoded pixels go, 8-bit RGB. Rows are counted from the top of
// the picture and may come in any order; an interlaced PNG delivers a row
// in up to four parts.
class PictureSink {
public:
    virtual ~PictureSink() = default;
    // The size the decoder will deliver, after the limits were checked; false
    // refuses it (no memory).
    virtual bool Begin(uint32_t width, uint32_t height) = 0;
    // The largest power-of-two reduction (1, 2, 4 or 8) that loses nothing the
    // sink needs from a picture of this size; decoders that can scale while
    // decoding (JPEG) use it.
    virtual uint32_t Reduction(uint32_t width, uint32_t height) const { return 1; }
    // Whether any pixel of row y is needed (the decoder may skip converting it).
    virtual bool WantsRow(uint32_t y) const { return true; }
    // count pixels of row y, at columns x0, x0 + dx, x0 + 2 dx, ...
    virtual void Pixels(uint32_t y, uint32_t x0, uint32_t dx, const uint8_t* rgb, uint32_t count) = 0;
};

// Each decoder reads the header, checks the sides and the pixel count against
// the limits before anything of the picture's size is allocated, and fails
// on a truncated or damaged file.
PictureProblem DecodePng(PictureSource& source, PictureSink& sink, const PictureLimits& limits);
PictureProblem DecodeJpeg(PictureSource& source, PictureSink& sink, const PictureLimits& limits);
PictureProblem DecodeBmp(PictureSource& source, PictureSink& sink, const PictureLimits& limits);
