#include "tools/shape_icons.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"

namespace {

int LitPixels(const IconImage& image, const ShapeIconStyle& style)
{
    int lit = 0;
    for (size_t i = 0; i < image.pixels.size(); i += 3) {
        lit += std::memcmp(&image.pixels[i], style.background, 3) != 0 ? 1 : 0;
    }
    return lit;
}

TEST(ShapeIcons, SphereIconIsARepeatableCentredDisc)
{
    BuildBaseshapeGeneratorTables();
    const ShapeIconStyle style;
    const IconImage a = DrawShapeIcon(1, false, DefaultIconTemplate(), style);
    const IconImage b = DrawShapeIcon(1, false, DefaultIconTemplate(), style);
    ASSERT_EQ(a.width, 64);
    ASSERT_EQ(a.pixels.size(), 64u * 64 * 3);
    EXPECT_EQ(a.pixels, b.pixels);
    // A disc filling the icon less a 2-pixel margin covers about pi/4 of it.
    const int lit = LitPixels(a, style);
    EXPECT_NEAR(lit, 0.785 * 60 * 60, 250);
    // Corners are empty, the centre is lit.
    EXPECT_EQ(0, std::memcmp(&a.pixels[0], style.background, 3));
    EXPECT_NE(0, std::memcmp(&a.pixels[(32 * 64 + 32) * 3], style.background, 3));
}

TEST(ShapeIcons, TorusIconHasAHole)
{
    const ShapeIconStyle style;
    const IconImage t = DrawShapeIcon(2, false, DefaultIconTemplate(), style);
    EXPECT_EQ(0, std::memcmp(&t.pixels[(32 * 64 + 32) * 3], style.background, 3));
    EXPECT_GT(LitPixels(t, style), 1000);
}

TEST(ShapeIcons, OutOfRangeKindGivesAnEmptyIcon)
{
    ShapeIconStyle style;
    EXPECT_EQ(LitPixels(DrawShapeIcon(-1, false, DefaultIconTemplate(), style), style), 0);
    EXPECT_EQ(LitPixels(DrawShapeIcon(205, true, DefaultIconTemplate(), style), style), 0);
    style.points = -5;
    EXPECT_EQ(LitPixels(DrawShapeIcon(1, false, DefaultIconTemplate(), style), style), 0);
}

TEST(ShapeIcons, ContactSheetAndPpm)
{
    ShapeIconStyle style;
    style.size = 16;
    style.points = 400;
    const IconImage sheet = DrawShapeContactSheet(false, 16, true, style);
    EXPECT_EQ(sheet.width, 16 * 17 - 1);
    EXPECT_EQ(sheet.height, 13 * 17 - 1);
    const std::vector<uint8_t> ppm = EncodePpm(sheet);
    const std::string header = "P6\n271 220\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + sheet.pixels.size());
    EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + header.size()), header);
    EXPECT_FALSE(WritePpmFile("/nonexistent-dir/x.ppm", sheet));
}

}  // namespace

namespace {

}  // namespace
