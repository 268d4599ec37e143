// PNG pictures on libpng, row by row: 16-bit samples are stripped to 8 bits
// as each row is read, and an interlaced picture is taken pass by pass, so
// a thumbnail never needs the whole picture in memory.
//
// libpng reports errors by longjmp back to the setjmp in DecodePng: no object
// with a destructor may live in a frame between the two, so everything of
// C++ is made before the setjmp and only plain values change after it.
#include <png.h>

#include <csetjmp>
#include <new>
#include <vector>

#include "platform/picture_decoders.h"

namespace {

struct PngContext {
    PictureSource* source = nullptr;
    PictureProblem problem = PictureProblem::Damaged;
    bool sourceEnded = false;
};

void ReadBytes(png_structp png, png_bytep to, size_t n)
{
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    if (context->source->Read(to, n) != n) {
        context->sourceEnded = true;
        png_error(png, "the file ends early");
    }
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// The decode runs in stages, each with its own setjmp, so that the row
// buffer can be allocated (outside any of them) once the header is known.
struct PngState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_uint_32 width = 0, height = 0;
    int interlace = 0;
};

// Reads the chunks up to the image data. Returns false on a libpng error.
bool ReadHeader(PngState& s)
{
    if (setjmp(png_jmpbuf(s.png))) return false;
    // Our own limits are checked once the header is read; libpng's default
    // user limit (a million pixels a side) must not come first.
    png_set_user_limits(s.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Ancillary chunks (profiles, compressed text) are bounded.
    png_set_chunk_cache_max(s.png, 256);
    png_set_chunk_malloc_max(s.png, 8u << 20);
    png_read_info(s.png, s.info);
    int depth = 0, colour = 0;
    png_get_IHDR(s.png, s.info, &s.width, &s.height, &depth, &colour, &s.interlace, nullptr, nullptr);
    return true;
}

// The transforms that give 8-bit RGB; only now does libpng allocate its row
// buffers. False on a libpng error.
bool SetTransforms(PngState& s)
{
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_expand(s.png);  // palette and low-depth grey to 8 bits, tRNS to alpha
    png_set_strip_16(s.png);
    png_set_strip_alpha(s.png);
    const png_byte colour = png_get_color_type(s.png, s.info);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(s.png);
    png_read_update_info(s.png, s.info);
    return true;
}

// Reads every row of every pass into row and hands the wanted ones to the
// sink, then the chunks up to the end of the file.
bool ReadRows(PngState& s, png_bytep row, PictureSink& sink)
{
    if (setjmp(png_jmpbuf(s.png))) return false;
    const int passes = s.interlace == PNG_INTERLACE_NONE ? 1 : PNG_INTERLACE_ADAM7_PASSES;
    for (int pass = 0; pass < passes; ++pass) {
        const png_uint_32 columns = passes == 1 ? s.width : PNG_PASS_COLS(s.width, pass);
        const png_uint_32 rows = passes == 1 ? s.height : PNG_PASS_ROWS(s.height, pass);
        if (columns == 0 || rows == 0) continue;  // libpng skips empty passes too
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(s.png, row, nullptr);
            const png_uint_32 y = passes == 1 ? r : PNG_ROW_FROM_PASS_ROW(r, pass);
            if (!sink.WantsRow(y)) continue;
            if (passes == 1)
                sink.Pixels(y, 0, 1, row, columns);
            else
                sink.Pixels(y, PNG_PASS_START_COL(pass), 1u << PNG_PASS_COL_SHIFT(pass), row, columns);
        }
    }
    png_read_end(s.png, nullptr);
    return true;
}

}  // namespace

PictureProblem DecodePng(PictureSource& source, PictureSink& sink, const PictureLimits& limits)
{
    PngContext context;
    context.source = &source;
    PngState s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
    if (s.png == nullptr) return PictureProblem::NoMemory;
    s.info = png_create_info_struct(s.png);
    if (s.info == nullptr) {
        png_destroy_read_struct(&s.png, nullptr, nullptr);
        return PictureProblem::NoMemory;
    }
    png_set_read_fn(s.png, &context, ReadBytes);

    PictureProblem problem = PictureProblem::None;
    std::vector<png_byte> row;
    if (!ReadHeader(s)) {
        problem = PictureProblem::Damaged;
    } else if (!PictureSizeAllowed(s.width, s.height, limits)) {
        problem = PictureProblem::TooManyPixels;
    } else if (!SetTransforms(s) || png_get_channels(s.png, s.info) != 3 || png_get_bit_depth(s.png, s.info) != 8) {
        problem = PictureProblem::Damaged;
    } else {
        try {
            row.assign(static_cast<size_t>(s.width) * 3, 0);
        } catch (const std::bad_alloc&) {
            problem = PictureProblem::NoMemory;
        }
        if (problem == PictureProblem::None && !sink.Begin(s.width, s.height)) problem = PictureProblem::NoMemory;
        if (problem == PictureProblem::None && !ReadRows(s, row.data(), sink)) problem = PictureProblem::Damaged;
    }
    if (problem == PictureProblem::Damaged && context.sourceEnded) problem = PictureProblem::Truncated;
    png_destroy_read_struct(&s.png, &s.info, nullptr);
    return problem;
}
