// Sections: [bmp] [png].
//
// libpng reports errors by a long jump. Every function here that calls
// libpng arms its own jump first and makes all its libpng calls in that one
// scope, so an error can never jump into a call that has already returned.
#include "shading/image_files.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

// ---- [bmp] -----------------------------------------------------------------------
int BmpRowPadding(int width) { return (4 - (3 * width) % 4) % 4; }

int64_t BmpFileSize(int width, int height)
{
    return kBmpHeaderSize + static_cast<int64_t>(height) * (3 * static_cast<int64_t>(width) + BmpRowPadding(width));
}

namespace {
void Put16(uint8_t* at, uint32_t v)
{
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* at, uint32_t v)
{
    Put16(at, v);
    Put16(at + 2, v >> 16);
}
}  // namespace

void BuildBmpHeaders(int width, int height, uint8_t headers[kBmpHeaderSize])
{
    std::memset(headers, 0, kBmpHeaderSize);
    headers[0] = 'B';
    headers[1] = 'M';
    Put32(headers + 2, static_cast<uint32_t>(BmpFileSize(width, height)));
    Put32(headers + 10, kBmpHeaderSize);
    Put32(headers + 14, 40);
    Put32(headers + 18, static_cast<uint32_t>(width));
    Put32(headers + 22, static_cast<uint32_t>(height));  // positive: rows bottom-up
    Put16(headers + 26, 1);
    Put16(headers + 28, 24);
}

// ---- [png] -----------------------------------------------------------------------
namespace {

void PngWrite(png_structp png, png_bytep data, png_size_t size)
{
    const auto* sink = static_cast<const ByteSink*>(png_get_io_ptr(png));
    if (!sink->Write(data, size)) png_error(png, "the image file cannot be written");
}

void PngFlush(png_structp) {}

// Quiet: the export reports a failed file itself.
[[noreturn]] void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

void ReleasePng(PngWriter& writer)
{
    png_structp png = writer.png;
    png_infop info = writer.info;
    if (info != nullptr) png_free_data(png, info, PNG_FREE_ALL, -1);
    if (png != nullptr) png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    writer.png = nullptr;
    writer.info = nullptr;
    writer.row.clear();
    writer.row.shrink_to_fit();
}

}  // namespace

int PngChannels(int format) { return format == kPngGrey ? 1 : format == kPngRgba ? 4 : 3; }
int PngCompressionLevel(int width) { return width <= kPngLevelWidthLimit ? 9 : 4; }

bool OpenPngWriter(PngWriter& writer, int width, int height, int format, const ByteSink& sink,
                   const char* textKey, const char* textValue)
{
    ReleasePng(writer);
    writer.sink = sink;
    writer.failed = true;
    if (width <= 0 || height <= 0 || format < kPngGrey || format > kPngRgba) return false;
    writer.channels = PngChannels(format);
    writer.row.assign(static_cast<size_t>(width) * static_cast<size_t>(writer.channels), 0);
    writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (writer.png != nullptr) writer.info = png_create_info_struct(writer.png);
    if (writer.info == nullptr) {
        ReleasePng(writer);
        return false;
    }
    png_structp png = writer.png;
    png_infop info = writer.info;
    if (setjmp(png_jmpbuf(png))) {
        ReleasePng(writer);
        return false;
    }
    static const int kColourTypes[3] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA};
    png_set_write_fn(png, &writer.sink, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 kColourTypes[format], PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, PngCompressionLevel(width));
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<png_charp>(textKey);
    text.text = const_cast<png_charp>(textValue);
    png_set_text(png, info, &text, 1);
    png_write_info(png, info);
    writer.failed = false;
    return true;
}

bool WritePngRow(PngWriter& writer)
{
    if (writer.failed || writer.png == nullptr) return false;
    png_structp png = writer.png;
    if (setjmp(png_jmpbuf(png))) {
        writer.failed = true;
        return false;
    }
    png_write_row(png, writer.row.data());
    return true;
}

namespace {
bool EndPng(png_structp png)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_end(png, nullptr);
    return true;
}
}  // namespace

bool ClosePngWriter(PngWriter& writer, bool finish)
{
    bool ok = !writer.failed && writer.png != nullptr;
    if (ok && finish) ok = EndPng(writer.png);
    ReleasePng(writer);
    writer.failed = !ok;
    return ok;
}
