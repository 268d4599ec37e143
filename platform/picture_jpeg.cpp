// JPEG pictures on libjpeg-turbo, one scanline at a time, at a reduced scale
// when the sink needs no more (thumbnails). The source ends the decode with
// an error when the file ends early: libjpeg's own file source would pad the
// data with an end marker and call the grey remainder a picture. Corrupt-data
// warnings fail the picture as well; bytes between markers alone do not.
//
// libjpeg reports errors by longjmp back to the setjmp in a stage function:
// no object with a destructor lives in a frame between the two.
#include <cstdio>  // jpeglib.h needs FILE

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <new>
#include <vector>

#include "platform/picture_decoders.h"

namespace {

constexpr size_t kBufferSize = 65536;
// A progressive file of thousands of tiny scans costs time out of all
// proportion to its size.
constexpr int kMaxScans = 1000;
// Working memory of the library beyond our own row (the coefficients of a
// progressive picture at the pixel limit fit).
constexpr long kMaxLibraryMemory = 640L << 20;

struct JpegError {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    int damagingWarnings = 0;
};

struct JpegSource {
    jpeg_source_mgr manager{};
    PictureSource* source = nullptr;
    uint8_t* buffer = nullptr;
    bool ended = false;
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    auto* error = reinterpret_cast<JpegError*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) ++error->damagingWarnings;
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillBuffer(j_decompress_ptr cinfo)
{
    auto* s = reinterpret_cast<JpegSource*>(cinfo->src);
    const size_t got = s->source->Read(s->buffer, kBufferSize);
    if (got == 0) {
        s->ended = true;
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    s->manager.next_input_byte = s->buffer;
    s->manager.bytes_in_buffer = got;
    return TRUE;
}

void SkipData(j_decompress_ptr cinfo, long count)
{
    auto* s = reinterpret_cast<JpegSource*>(cinfo->src);
    while (count > 0) {
        if (s->manager.bytes_in_buffer == 0) FillBuffer(cinfo);
        const size_t step = std::min(static_cast<size_t>(count), s->manager.bytes_in_buffer);
        s->manager.next_input_byte += step;
        s->manager.bytes_in_buffer -= step;
        count -= static_cast<long>(step);
    }
}

void WatchScans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT(cinfo, JERR_NOT_COMPILED);
}

// Stage 1: the header; the colour conversion and the scale are set.
bool ReadHeader(jpeg_decompress_struct& cinfo, JpegError& error)
{
    if (setjmp(error.jump)) return false;
    jpeg_read_header(&cinfo, TRUE);
    return true;
}

bool StartDecompress(jpeg_decompress_struct& cinfo, JpegError& error, uint32_t reduction)
{
    if (setjmp(error.jump)) return false;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    cinfo.scale_num = 1;
    cinfo.scale_denom = reduction;
    jpeg_start_decompress(&cinfo);
    return true;
}

// Stage 3: every scanline into line (output_width x components), converted
// to RGB and handed to the sink; then the rest of the file to its end marker.
bool ReadLines(jpeg_decompress_struct& cinfo, JpegError& error, uint8_t* line, uint8_t* rgb, PictureSink& sink)
{
    if (setjmp(error.jump)) return false;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    // Adobe's CMYK files store the inks inverted.
    const bool inverted = cinfo.saw_Adobe_marker != 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        const uint32_t y = cinfo.output_scanline;
        JSAMPROW rows[1] = {line};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) ERREXIT(&cinfo, JERR_INPUT_EOF);
        if (!sink.WantsRow(y)) continue;
        if (cmyk) {
            for (uint32_t x = 0; x < cinfo.output_width; ++x) {
                const uint8_t* p = line + x * 4;
                const int k = inverted ? p[3] : 255 - p[3];
                for (int c = 0; c < 3; ++c) {
                    const int ink = inverted ? p[c] : 255 - p[c];
                    rgb[x * 3 + c] = static_cast<uint8_t>(ink * k / 255);
                }
            }
            sink.Pixels(y, 0, 1, rgb, cinfo.output_width);
        } else {
            sink.Pixels(y, 0, 1, line, cinfo.output_width);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

PictureProblem DecodeJpeg(PictureSource& source, PictureSink& sink, const PictureLimits& limits)
{
    std::vector<uint8_t> buffer, line, rgb;
    try {
        buffer.resize(kBufferSize);
    } catch (const std::bad_alloc&) {
        return PictureProblem::NoMemory;
    }
    jpeg_decompress_struct cinfo{};
    JpegError error;
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnError;
    error.manager.emit_message = OnMessage;
    if (setjmp(error.jump)) return PictureProblem::NoMemory;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = WatchScans;
    cinfo.progress = &progress;
    JpegSource in;
    in.source = &source;
    in.buffer = buffer.data();
    in.manager.init_source = InitSource;
    in.manager.fill_input_buffer = FillBuffer;
    in.manager.skip_input_data = SkipData;
    in.manager.resync_to_restart = jpeg_resync_to_restart;
    in.manager.term_source = TermSource;
    cinfo.src = &in.manager;

    PictureProblem problem = PictureProblem::None;
    if (!ReadHeader(cinfo, error)) {
        problem = PictureProblem::Damaged;
    } else if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height, limits)) {
        problem = PictureProblem::TooManyPixels;
    } else if (!StartDecompress(cinfo, error, sink.Reduction(cinfo.image_width, cinfo.image_height))) {
        problem = PictureProblem::Damaged;
    } else {
        const size_t width = cinfo.output_width;
        try {
            line.resize(width * static_cast<size_t>(cinfo.output_components));
            rgb.resize(width * 3);
        } catch (const std::bad_alloc&) {
            problem = PictureProblem::NoMemory;
        }
        if (problem == PictureProblem::None && !sink.Begin(cinfo.output_width, cinfo.output_height))
            problem = PictureProblem::NoMemory;
        if (problem == PictureProblem::None && !ReadLines(cinfo, error, line.data(), rgb.data(), sink))
            problem = PictureProblem::Damaged;
        if (problem == PictureProblem::None && error.damagingWarnings > 0) problem = PictureProblem::Damaged;
    }
    if (problem == PictureProblem::Damaged && in.ended) problem = PictureProblem::Truncated;
    jpeg_destroy_decompress(&cinfo);
    return problem;
}
