// Thumbnail atlas cells: where each file lands and how its cell is painted.
#include "ui/thumbnail_atlas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ThumbnailAtlas, FilesFillPagesOfEightByEightFromTheTopLeft)
{
    const struct {
        int index, page, row, column;
    } cases[] = {{0, 0, 0, 0}, {7, 0, 0, 7}, {8, 0, 1, 0}, {63, 0, 7, 7}, {64, 1, 0, 0}, {130, 2, 0, 2}};
    for (const auto& c : cases) {
        const ThumbCell cell = ThumbnailCell(c.index);
        EXPECT_EQ(cell.page, c.page) << c.index;
        EXPECT_EQ(cell.row, c.row) << c.index;
        EXPECT_EQ(cell.column, c.column) << c.index;
    }
    for (const char* name : {"a.map", "B.MAP", "c.Map"}) EXPECT_TRUE(IsColorMapName(name)) << name;
    for (const char* name : {"maps.map.png", ".mapx", "map", "a.bmp"}) EXPECT_FALSE(IsColorMapName(name)) << name;
}

// One cell's pixel of a page (rows from the bottom).
const uint8_t* Pixel(const std::vector<uint8_t>& page, int x, int y)
{
    return &page[(static_cast<size_t>(y) * kThumbPageSize + x) * 3];
}

TEST(ThumbnailAtlas, ColorMapCellIsABottomUpSwatchWithTheMark)
{
    ColorMap ramp;
    SetGreyRamp(ramp);
    std::vector<uint8_t> page(static_cast<size_t>(kThumbPageSize) * kThumbPageSize * 3, 9);
    PaintColorMapCell(page.data(), 64, 128, ramp);
    EXPECT_EQ(Pixel(page, 64 + 30, 128 + 10)[0], (40 + 41 + 42 + 43) / 4);
    EXPECT_EQ(Pixel(page, 64 + 63, 128 + 63)[1], (252 + 253 + 254 + 255) / 4);
    EXPECT_EQ(Pixel(page, 64 + 2, 128 + 1)[2], 255);  // the G's lowest stroke
    EXPECT_EQ(Pixel(page, 64 + 0, 128 + 1)[0], 0);
    EXPECT_EQ(Pixel(page, 64 + 0, 128 + 2)[0], 255);
    EXPECT_EQ(Pixel(page, 63, 128)[0], 9);  // nothing outside the cell
}

TEST(ThumbnailAtlas, PicturesAreSampledByNearestNeighbour)
{
    // Each pixel's red is its column (mod 256), green its row.
    const struct {
        uint32_t width, height;
        int x, y, column, row;
    } cases[] = {{32, 32, 0, 0, 0, 0}, {32, 32, 1, 1, 0, 0}, {32, 32, 63, 62, 31, 31},
                 {1000, 500, 1, 1, 15, 7}, {1000, 500, 2, 3, 31, 23}, {1000, 500, 63, 63, 984, 492}};
    for (const auto& c : cases) {
        RgbImage image;
        image.width = c.width;
        image.height = c.height;
        image.pixels.resize(size_t{c.width} * c.height * 3);
        for (uint32_t y = 0; y < c.height; ++y)
            for (uint32_t x = 0; x < c.width; ++x) {
                image.pixels[(y * c.width + x) * 3] = static_cast<uint8_t>(x);
                image.pixels[(y * c.width + x) * 3 + 1] = static_cast<uint8_t>(y);
            }
        std::vector<uint8_t> page(static_cast<size_t>(kThumbPageSize) * kThumbPageSize * 3);
        PaintPictureCell(page.data(), 0, 0, image);
        EXPECT_EQ(Pixel(page, c.x, c.y)[0], static_cast<uint8_t>(c.column)) << c.width << " at " << c.x;
        EXPECT_EQ(Pixel(page, c.x, c.y)[1], static_cast<uint8_t>(c.row)) << c.width << " at " << c.y;
    }
}

}  // namespace
