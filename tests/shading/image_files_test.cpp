#include "shading/image_files.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

TEST(BmpHeaders, FieldsAndRowSizes)
{
    struct Case {
        int width, height;
        int padding;
        int64_t fileSize;
    } const cases[] = {
        {5, 3, 1, 54 + 16 * 3},  // 15 bytes of pixels and one zero byte a row
        {1024, 768, 0, 2359350},
        {1, 1, 1, 58},
        {2, 7, 2, 54 + 8 * 7},
        {3, 2, 3, 54 + 12 * 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        std::vector<uint8_t> h(kBmpHeaderSize);
        BuildBmpHeaders(c.width, c.height, h.data());
        EXPECT_EQ(BmpRowPadding(c.width), c.padding);
        EXPECT_EQ(BmpFileSize(c.width, c.height), c.fileSize);
        EXPECT_EQ(std::string(h.begin(), h.begin() + 2), "BM");
        EXPECT_EQ(Le(h, 2, 4), static_cast<uint32_t>(c.fileSize));
        EXPECT_EQ(Le(h, 10, 4), 54u);
        EXPECT_EQ(Le(h, 14, 4), 40u);
        EXPECT_EQ(Le(h, 18, 4), static_cast<uint32_t>(c.width));
        EXPECT_EQ(Le(h, 22, 4), static_cast<uint32_t>(c.height));
        EXPECT_EQ(Le(h, 26, 2), 1u);
        EXPECT_EQ(Le(h, 28, 2), 24u);
        for (size_t at = 30; at < 54; ++at) EXPECT_EQ(h[at], 0) << "byte " << at;
    }
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

TEST(PngWriter, ReadsBackWithOneTextChunkBeforeTheImageAndTheLevelByWidth)
{
    struct Case {
        int width, format;
        int levelFlags;  // zlib: 3 for level 9, 1 for level 4
    } const cases[] = {{4096, kPngRgb, 3}, {4097, kPngRgb, 1}, {33, kPngRgba, 3}, {7, kPngGrey, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("width " + std::to_string(c.width) + " format " + std::to_string(c.format));
        const int height = 3;
        std::vector<uint8_t> bytes, pixels;
        PngWriter writer;
        ASSERT_TRUE(OpenPngWriter(writer, c.width, height, c.format, SinkOf(bytes)));
        uint32_t seed = 12345;
        for (int y = 0; y < height; ++y) {
            for (uint8_t& v : writer.row) v = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
            pixels.insert(pixels.end(), writer.row.begin(), writer.row.end());
            ASSERT_TRUE(WritePngRow(writer));
        }
        ASSERT_TRUE(ClosePngWriter(writer, true));

        int levelFlags = -1;
        const std::vector<std::string> types = Chunks(bytes, &levelFlags);
        ASSERT_GE(types.size(), 4u);
        EXPECT_EQ(types.front(), "IHDR");
        EXPECT_EQ(types.back(), "IEND");
        EXPECT_EQ(std::count(types.begin(), types.end(), "tEXt"), 1);
        EXPECT_LT(std::find(types.begin(), types.end(), "tEXt"), std::find(types.begin(), types.end(), "IDAT"));
        EXPECT_EQ(levelFlags, c.levelFlags);

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()));
        EXPECT_EQ(image.width, static_cast<uint32_t>(c.width));
        EXPECT_EQ(PNG_IMAGE_PIXEL_CHANNELS(image.format), static_cast<unsigned>(PngChannels(c.format)));
        std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
        EXPECT_TRUE(back == pixels);
    }
}

struct Limited {
    std::vector<uint8_t> bytes;
    size_t limit;
};
bool WriteLimited(void* context, const uint8_t* data, size_t size)
{
    auto& l = *static_cast<Limited*>(context);
    if (l.bytes.size() + size > l.limit) return false;
    l.bytes.insert(l.bytes.end(), data, data + size);
    return true;
}

// A sink that fails at any point makes the writer fail, never crash or leak.
TEST(PngWriter, FailingSinkAtEveryStageIsReportedAndReleased)
{
    for (size_t limit : {size_t{0}, size_t{8}, size_t{40}, size_t{70}, size_t{200}, size_t{20000}}) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        Limited l{{}, limit};
        PngWriter writer;
        bool ok = OpenPngWriter(writer, 300, 40, kPngRgba, ByteSink{WriteLimited, &l});
        uint32_t seed = 99;
        for (int y = 0; ok && y < 40; ++y) {
            for (uint8_t& v : writer.row) v = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
            ok = WritePngRow(writer);
        }
        EXPECT_FALSE(ClosePngWriter(writer, true));
        EXPECT_EQ(writer.png, nullptr);
        EXPECT_TRUE(writer.row.empty());
    }
    PngWriter writer;
    std::vector<uint8_t> bytes;
    for (auto [w, h, f] : {std::tuple{0, 5, 1}, {5, -1, 1}, {5, 5, 3}}) EXPECT_FALSE(OpenPngWriter(writer, w, h, f, SinkOf(bytes)));
}

}  // namespace
