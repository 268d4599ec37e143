// The two image formats of the export, written through a byte sink
// (engine/byte_sink.h):
// 24-bit BMP (headers here, rows written by the export) and 8-bit PNG on
// libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/byte_sink.h"

// ---- BMP ------------------------------------------------------------------------
inline constexpr int kBmpHeaderSize = 54;  // 14-byte file header, 40-byte information header
// Zero bytes after each row of 'width' pixels: rows are multiples of 4 bytes.
int BmpRowPadding(int width);
int64_t BmpFileSize(int width, int height);
// Both headers of a bottom-up 24-bit picture.
void BuildBmpHeaders(int width, int height, uint8_t headers[kBmpHeaderSize]);

// ---- PNG ------------------------------------------------------------------------
inline constexpr int kPngGrey = 0;
inline constexpr int kPngRgb = 1;
inline constexpr int kPngRgba = 2;
inline constexpr int kPngLevelWidthLimit = 4096;  // wider pictures compress at level 4, not 9
inline constexpr const char* kPngTextKey = "Talvoran Fractal";
inline constexpr const char* kPngTextValue = "PNG File";

struct png_struct_def;
struct png_info_def;

// An open PNG output. The export fills row and calls WritePngRow once per
// file row, top row first.
struct PngWriter {
    ByteSink sink;
    png_struct_def* png = nullptr;
    png_info_def* info = nullptr;
    std::vector<uint8_t> row;  // width x channels bytes
    int channels = 0;
    bool failed = false;
};

int PngChannels(int format);
int PngCompressionLevel(int width);

// Writes everything up to the image data, with one uncompressed text entry.
// False when the sizes or the format are invalid or libpng or the sink
// fails; the writer is then already released.
bool OpenPngWriter(PngWriter& writer, int width, int height, int format, const ByteSink& sink,
                   const char* textKey = kPngTextKey, const char* textValue = kPngTextValue);
bool WritePngRow(PngWriter& writer);
// Ends the file when finish is set and every row was written, then releases
// everything. False when the writer had failed or the end could not be written.
bool ClosePngWriter(PngWriter& writer, bool finish);
