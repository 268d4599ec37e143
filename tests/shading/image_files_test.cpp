#include "shading/image_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// 5 pixels wide: 15 bytes of pixels and one zero byte a row; 1024 x 768: no padding.
TEST(BmpHeaders, FieldsAndRowSizes)
{
    const uint8_t fiveByThree[kBmpHeaderSize] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                                 5,   0,   0,   0, 3, 0, 0, 0, 1, 0, 24};
    uint8_t headers[kBmpHeaderSize];
    BuildBmpHeaders(5, 3, headers);
    EXPECT_TRUE(std::equal(headers, headers + kBmpHeaderSize, fiveByThree));
    struct Case {
        int width, height, padding;
        int64_t fileSize;
    } const cases[] = {{5, 3, 1, 54 + 16 * 3}, {1024, 768, 0, 2359350}, {1, 1, 1, 58}, {2, 7, 2, 54 + 8 * 7}};
    for (const Case& c : cases) {
        EXPECT_EQ(BmpRowPadding(c.width), c.padding) << c.width;
        EXPECT_EQ(BmpFileSize(c.width, c.height), c.fileSize) << c.width << " x " << c.height;
    }
    BuildBmpHeaders(1024, 768, headers);
    EXPECT_TRUE(headers[2] == 0x36 && headers[3] == 0 && headers[4] == 0x24 && headers[5] == 0);  // 2,359,350
}

// Chunk types in file order, with the zlib level flags of the first IDAT.
std::vector<std::string> Chunks(const std::vector<uint8_t>& png, int* levelFlags)
{
    std::vector<std::string> types;
    for (size_t at = 8; at + 8 <= png.size();) {
        const uint32_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        if (type == "IDAT" && (types.empty() || types.back() != "IDAT")) *levelFlags = png[at + 9] >> 6;
        if (type == "tEXt") {
            const std::string body(png.begin() + at + 8, png.begin() + at + 8 + length);
            EXPECT_EQ(body, std::string("Talvoran Fractal") + '\0' + "PNG File");
        }
        types.push_back(type);
        at += 12 + length;
    }
    return types;
}

// The rows themselves are read back by the export's tests.
TEST(PngWriter, OneTextChunkBeforeTheImageAndTheLevelByWidth)
{
    struct Case {
        int width, format;
        int levelFlags;  // zlib: 3 for level 9, 1 for level 4
    } const cases[] = {{4096, kPngRgb, 3}, {4097, kPngRgb, 1}, {33, kPngRgba, 3}, {7, kPngGrey, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("width " + std::to_string(c.width) + " format " + std::to_string(c.format));
        std::vector<uint8_t> bytes;
        PngWriter writer;
        ASSERT_TRUE(OpenPngWriter(writer, c.width, 2, c.format, SinkOf(bytes)));
        EXPECT_EQ(writer.row.size(), static_cast<size_t>(c.width * PngChannels(c.format)));
        ASSERT_TRUE(WritePngRow(writer) && WritePngRow(writer));
        ASSERT_TRUE(ClosePngWriter(writer, true));
        int levelFlags = -1;
        const std::vector<std::string> types = Chunks(bytes, &levelFlags);
        ASSERT_GE(types.size(), 4u);
        EXPECT_EQ(types.front(), "IHDR");
        EXPECT_EQ(bytes[25], c.format == kPngGrey ? 0 : c.format == kPngRgb ? 2 : 6);  // colour type
        EXPECT_EQ(types.back(), "IEND");
        EXPECT_EQ(std::count(types.begin(), types.end(), "tEXt"), 1);
        EXPECT_LT(std::find(types.begin(), types.end(), "tEXt"), std::find(types.begin(), types.end(), "IDAT"));
        EXPECT_EQ(levelFlags, c.levelFlags);
    }
}

// A file that fails at any point (a full disk) makes the writer fail, never
// crash or leak, and leaves no partial file.
TEST(PngWriter, FailingSinkAtEveryStageIsReportedAndReleased)
{
    const std::string path = std::string(TALVORAN_BINARY_DIR) + "/png_writer_failing_sink.png";
    for (int64_t limit : {0, 8, 40, 70, 200, 20000}) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        FileSink file;
        ASSERT_TRUE(OpenFileSink(file, path));
        file.limit = limit;
        PngWriter writer;
        bool ok = OpenPngWriter(writer, 300, 40, kPngRgba, SinkOf(file));
        uint32_t seed = 99;
        for (int y = 0; ok && y < 40; ++y) {
            for (uint8_t& v : writer.row) v = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
            ok = WritePngRow(writer);
        }
        EXPECT_FALSE(ClosePngWriter(writer, true));
        EXPECT_EQ(writer.png, nullptr);
        EXPECT_TRUE(writer.row.empty());
        EXPECT_FALSE(CloseFileSink(file, false));
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    PngWriter writer;
    std::vector<uint8_t> bytes;
    for (auto [w, h, f] : {std::tuple{0, 5, 1}, {5, -1, 1}, {5, 5, 3}})
        EXPECT_FALSE(OpenPngWriter(writer, w, h, f, SinkOf(bytes)));
}

}  // namespace
