// The two image formats of the export, written through a byte sink so that
// every byte can be checked in memory and a failing disk acted out:
// 24-bit BMP (headers here, rows written by the export) and 8-bit PNG on
// libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Where the bytes go. write returns false when the bytes could not be kept.
struct ByteSink {
    bool (*write)(void* context, const uint8_t* data, size_t size) = nullptr;
    void* context = nullptr;
    bool Write(const void* data, size_t size) const
    {
        return write != nullptr && write(context, static_cast<const uint8_t*>(data), size);
    }
};

// A file opened for writing behind a sink. limit >= 0 makes writes fail once
// that many bytes are written (a full disk, for tests).
struct FileSink {
    std::FILE* file = nullptr;
    std::string path;
    int64_t written = 0;
    int64_t limit = -1;
    bool failed = false;
};
bool OpenFileSink(FileSink& sink, const std::string& path);
ByteSink SinkOf(FileSink& sink);
// Closes the file; false when any write or the close failed. With discard
// the file is removed as well.
bool CloseFileSink(FileSink& sink, bool discard);

// Appends to a byte vector; never fails.
ByteSink SinkOf(std::vector<uint8_t>& bytes);

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
