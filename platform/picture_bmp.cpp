// Uncompressed BMP pictures, our own reader: the core header (12 bytes) and
// the information headers of 40 to 124 bytes; 1, 4 and 8 bits through the
// colour table, 16 and 32 bits plain or with bit masks, 24 bits; rows from
// the bottom up or, with a negative height, from the top. Compressed rows
// (run-length, embedded JPEG or PNG) are not read. Every row must be in the
// file: a short one is a truncated file, never a black picture.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "platform/picture_decoders.h"

namespace {

uint32_t U16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

constexpr uint32_t kRgb = 0, kBitFields = 3;

// One channel of a bit-mask pixel, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m)
    {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint8_t Of(uint32_t pixel) const
    {
        if (max == 0) return 0;
        return static_cast<uint8_t>((uint64_t{(pixel & mask) >> shift} * 255 + max / 2) / max);
    }
};

class Reader {
public:
    explicit Reader(PictureSource& source) : source_(source) {}
    // Exactly n bytes, or false (the file ended).
    bool Take(uint8_t* to, size_t n)
    {
        const size_t got = source_.Read(to, n);
        consumed_ += got;
        return got == n;
    }
    bool Skip(uint64_t n)
    {
        uint8_t scratch[4096];
        while (n > 0) {
            const size_t step = static_cast<size_t>(std::min<uint64_t>(n, sizeof scratch));
            if (!Take(scratch, step)) return false;
            n -= step;
        }
        return true;
    }
    uint64_t consumed() const { return consumed_; }

private:
    PictureSource& source_;
    uint64_t consumed_ = 0;
};

bool ValidMask(uint32_t m) { return m == 0 || std::has_single_bit(uint64_t{m >> std::countr_zero(m)} + 1); }

}  // namespace

PictureProblem DecodeBmp(PictureSource& source, PictureSink& sink, const PictureLimits& limits)
{
    Reader in(source);
    uint8_t file[14];
    uint8_t header[124] = {};
    if (!in.Take(file, sizeof file) || !in.Take(header, 4)) return PictureProblem::Truncated;
    const uint32_t pixelOffset = U32(file + 10);
    const uint32_t headerSize = U32(header);
    if (headerSize != 12 && (headerSize < 40 || headerSize > 124)) return PictureProblem::Damaged;
    if (!in.Take(header + 4, headerSize - 4)) return PictureProblem::Truncated;

    int64_t width = 0, height = 0;
    uint32_t planes = 0, bits = 0, compression = kRgb, coloursUsed = 0;
    if (headerSize == 12) {
        width = U16(header + 4), height = U16(header + 6);
        planes = U16(header + 8), bits = U16(header + 10);
    } else {
        width = static_cast<int32_t>(U32(header + 4)), height = static_cast<int32_t>(U32(header + 8));
        planes = U16(header + 12), bits = U16(header + 14);
        compression = U32(header + 16), coloursUsed = U32(header + 32);
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (planes != 1) return PictureProblem::Damaged;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return PictureProblem::Damaged;
    if (compression != kRgb && !(compression == kBitFields && (bits == 16 || bits == 32)))
        return PictureProblem::Unsupported;
    if (!PictureSizeAllowed(static_cast<uint64_t>(std::max<int64_t>(width, 0)), static_cast<uint64_t>(height), limits))
        return width <= 0 || height == 0 ? PictureProblem::Damaged : PictureProblem::TooManyPixels;

    // Bit masks: inside the larger headers, else just after the 40 bytes.
    Channel red, green, blue;
    if (bits == 16) red = Channel(0x7C00), green = Channel(0x03E0), blue = Channel(0x001F);
    if (bits == 32) red = Channel(0xFF0000), green = Channel(0xFF00), blue = Channel(0xFF);
    if (compression == kBitFields) {
        uint8_t masks[12];
        if (headerSize >= 52) {
            std::memcpy(masks, header + 40, 12);
        } else if (!in.Take(masks, 12)) {
            return PictureProblem::Truncated;
        }
        const uint32_t r = U32(masks), g = U32(masks + 4), b = U32(masks + 8);
        if (!ValidMask(r) || !ValidMask(g) || !ValidMask(b)) return PictureProblem::Damaged;
        red = Channel(r), green = Channel(g), blue = Channel(b);
    }

    // The colour table: entries beyond it (or beyond the file's count) are black.
    std::array<uint8_t, 256 * 3> palette{};
    if (bits <= 8) {
        const uint32_t entries = coloursUsed == 0 ? 1u << bits : coloursUsed;
        if (entries > 256) return PictureProblem::Damaged;
        const size_t entrySize = headerSize == 12 ? 3 : 4;
        uint8_t entry[4];
        for (uint32_t i = 0; i < entries; ++i) {
            if (!in.Take(entry, entrySize)) return PictureProblem::Truncated;
            palette[i * 3] = entry[2], palette[i * 3 + 1] = entry[1], palette[i * 3 + 2] = entry[0];
        }
    }
    if (pixelOffset < in.consumed()) return PictureProblem::Damaged;
    if (!in.Skip(pixelOffset - in.consumed())) return PictureProblem::Truncated;

    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    std::vector<uint8_t> row, rgb;
    try {
        row.resize(stride);
        rgb.resize(static_cast<size_t>(w) * 3);
    } catch (const std::bad_alloc&) {
        return PictureProblem::NoMemory;
    }
    if (!sink.Begin(w, h)) return PictureProblem::NoMemory;
    for (uint32_t i = 0; i < h; ++i) {
        if (!in.Take(row.data(), stride)) return PictureProblem::Truncated;
        const uint32_t y = topDown ? i : h - 1 - i;
        if (!sink.WantsRow(y)) continue;
        uint8_t* out = rgb.data();
        for (uint32_t x = 0; x < w; ++x, out += 3) {
            if (bits <= 8) {
                const uint32_t bit = x * bits;
                const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                std::memcpy(out, &palette[index * 3], 3);
            } else if (bits == 24) {
                out[0] = row[x * 3 + 2], out[1] = row[x * 3 + 1], out[2] = row[x * 3];
            } else {
                const uint32_t pixel = bits == 16 ? U16(&row[x * 2]) : U32(&row[x * 4]);
                out[0] = red.Of(pixel), out[1] = green.Of(pixel), out[2] = blue.Of(pixel);
            }
        }
        sink.Pixels(y, 0, 1, rgb.data(), w);
    }
    return PictureProblem::None;
}
