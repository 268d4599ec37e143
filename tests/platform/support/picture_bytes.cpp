#include "picture_bytes.h"

#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <filesystem>
#include <fstream>

namespace picture_bytes {

Colour TestColour(uint32_t x, uint32_t y)
{
    return {static_cast<uint8_t>(x * 7), static_cast<uint8_t>(255 - y * 5), static_cast<uint8_t>(((x / 4 + y / 4) % 2) * 200)};
}

namespace {

void AppendPng(png_structp png, png_bytep data, size_t size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void FlushPng(png_structp) {}

}  // namespace

std::vector<uint8_t> Png(uint32_t width, uint32_t height, const PngOptions& o, const Pattern& pattern)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const int channels = o.colourType == 0 || o.colourType == 3 ? 1 : o.colourType == 4 ? 2 : o.colourType == 2 ? 3 : 4;
    const int bytes = o.bitDepth == 16 ? 2 : 1;
    std::vector<png_byte> image(static_cast<size_t>(width) * height * channels * bytes);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const Colour c = pattern(x, y);
            uint8_t samples[4] = {c[0], c[1], c[2], 200};
            if (channels <= 2) samples[1] = 200;  // grey (or index) then alpha
            for (int k = 0; k < channels; ++k) {
                png_byte* at = &image[((static_cast<size_t>(y) * width + x) * channels + k) * bytes];
                at[0] = samples[k];
                if (bytes == 2) at[1] = 0x5A;  // 16-bit samples are big-endian
            }
        }
    std::vector<png_bytep> rows(height);
    for (uint32_t y = 0; y < height; ++y) rows[y] = &image[static_cast<size_t>(y) * width * channels * bytes];
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendPng, FlushPng);
    png_set_compression_level(png, o.compression);
    png_set_IHDR(png, info, width, height, o.bitDepth, o.colourType,
                 o.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    if (o.colourType == 3) {
        for (int i = 0; i < 256; ++i) palette[i] = {static_cast<png_byte>(i), static_cast<png_byte>(i), static_cast<png_byte>(i)};
        png_set_PLTE(png, info, palette, 256);
    }
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> Jpeg(uint32_t width, uint32_t height, const JpegOptions& o, const Pattern& pattern)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = o.grey ? 1 : 3;
    cinfo.in_color_space = o.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, o.quality, TRUE);
    if (o.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    while (cinfo.next_scanline < height) {
        for (uint32_t x = 0; x < width; ++x) {
            const Colour c = pattern(x, cinfo.next_scanline);
            if (o.grey) row[x] = c[0];
            else row[x * 3] = c[0], row[x * 3 + 1] = c[1], row[x * 3 + 2] = c[2];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

namespace {

void Put(std::vector<uint8_t>& out, size_t at, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> Bmp(uint32_t width, uint32_t height, const BmpOptions& o, const Pattern& pattern)
{
    const uint32_t paletteEntries = o.bits <= 8 ? 1u << o.bits : 0;
    const uint32_t offset = 54 + paletteEntries * 4;
    const size_t stride = ((static_cast<size_t>(width) * o.bits + 31) / 32) * 4;
    std::vector<uint8_t> out(offset + stride * height, 0);
    out[0] = 'B', out[1] = 'M';
    Put(out, 2, static_cast<uint32_t>(out.size()), 4);
    Put(out, 10, offset, 4);
    Put(out, 14, 40, 4);
    Put(out, 18, width, 4);
    Put(out, 22, o.topDown ? static_cast<uint32_t>(-static_cast<int32_t>(height)) : height, 4);
    Put(out, 26, 1, 2);
    Put(out, 28, static_cast<uint32_t>(o.bits), 2);
    for (uint32_t i = 0; i < paletteEntries; ++i) {
        const uint8_t v = static_cast<uint8_t>(i * 255 / (paletteEntries - 1));
        out[54 + i * 4] = out[55 + i * 4] = out[56 + i * 4] = v;
    }
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t fileRow = o.topDown ? y : height - 1 - y;
        uint8_t* row = &out[offset + stride * fileRow];
        for (uint32_t x = 0; x < width; ++x) {
            const Colour c = pattern(x, y);
            if (o.bits <= 8) {
                const uint32_t index = c[0] >> (8 - o.bits), bit = x * static_cast<uint32_t>(o.bits);
                row[bit / 8] |= static_cast<uint8_t>(index << (8 - o.bits - bit % 8));
            } else if (o.bits == 16) {
                Put(out, offset + stride * fileRow + x * 2, (c[0] >> 3) << 10 | (c[1] >> 3) << 5 | (c[2] >> 3), 2);
            } else {
                uint8_t* p = row + x * (o.bits / 8);
                p[0] = c[2], p[1] = c[1], p[2] = c[0];
            }
        }
    }
    return out;
}

std::vector<uint8_t> PngChunk(const char type[4], const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out(8);
    const uint32_t n = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (24 - 8 * i)), out[4 + i] = static_cast<uint8_t>(type[i]);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + 4, static_cast<uInt>(out.size() - 4));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(crc >> (24 - 8 * i)));
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace picture_bytes
