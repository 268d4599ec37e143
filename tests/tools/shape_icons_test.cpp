#include "tools/shape_icons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "tools/point_icons.h"

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

int Brightness(const IconImage& image, int x, int y)
{
    const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
    return p[0] + p[1] + p[2];
}

// Closed surfaces at 128 pixels: no pixel inside the form is a pinhole, far
// darker than the pixels around it, and the light comes from the upper left.
TEST(ShapeIcons, ClosedSurfacesAreSolidAndLit)
{
    ShapeIconStyle style;
    style.size = 128;
    for (int kind : {1, 2, 16, 18, 35}) {
        const IconImage icon = DrawShapeIcon(kind, false, DefaultIconTemplate(), style);
        int pinholes = 0;
        long upperLeft = 0, lowerRight = 0;
        for (int y = 2; y < 126; ++y)
            for (int x = 2; x < 126; ++x) {
                int around = 0, inside = 1;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) inside &= Brightness(icon, x + dx, y + dy) > 150;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) around += (dx || dy) ? Brightness(icon, x + dx, y + dy) : 0;
                if (!inside) continue;
                pinholes += Brightness(icon, x, y) * 8 < around * 6 / 10 ? 1 : 0;
                (x + y < 128 ? upperLeft : lowerRight) += Brightness(icon, x, y);
            }
        EXPECT_EQ(pinholes, 0) << "kind " << kind;
        if (kind == 1) {
            EXPECT_GT(upperLeft, lowerRight * 13 / 10);
        }
    }
}

// Kind 0, the table entries that repeat it, and the kinds that read a map or
// a mesh draw a shape; the slot's own map and mesh are back afterwards.
TEST(ShapeIcons, KindsWithoutAShapeOfTheirOwnDrawOne)
{
    ShapeIconStyle style;
    style.slot = 5;
    uint8_t map[4] = {1, 2, 3, 4};
    gBaseshapeDMaps[5].pixels = map;
    gBaseshapeMeshes[5].vertices = nullptr;
    for (int kind : {0, 49, 50, 51, 52, 53, 54, 55, 58, 60, 73, 77, 200}) {
        EXPECT_GT(LitPixels(DrawShapeIcon(kind, false, DefaultIconTemplate(), style), style), 600) << "kind " << kind;
        EXPECT_EQ(gBaseshapeDMaps[5].pixels, map);
        EXPECT_EQ(gBaseshapeMeshes[5].vertices, nullptr);
    }
    gBaseshapeDMaps[5].pixels = nullptr;
}

// Icons on two slots drawn at the same time come out as when drawn alone.
TEST(ShapeIcons, IconsOnTwoSlotsDrawAtOnce)
{
    ShapeIconStyle a, b;
    a.slot = 3, b.slot = 14;
    const IconImage aloneA = DrawShapeIcon(5, false, DefaultIconTemplate(), a);
    const IconImage aloneB = DrawShapeIcon(52, false, DefaultIconTemplate(), b);
    IconImage togetherB;
    std::thread other([&] { togetherB = DrawShapeIcon(52, false, DefaultIconTemplate(), b); });
    const IconImage togetherA = DrawShapeIcon(5, false, DefaultIconTemplate(), a);
    other.join();
    EXPECT_EQ(togetherA.pixels, aloneA.pixels);
    EXPECT_EQ(togetherB.pixels, aloneB.pixels);
}

TEST(ShapeIcons, OutOfRangeKindGivesAnEmptyIcon)
{
    ShapeIconStyle style;
    EXPECT_EQ(LitPixels(DrawShapeIcon(-1, false, DefaultIconTemplate(), style), style), 0);
    EXPECT_EQ(LitPixels(DrawShapeIcon(205, true, DefaultIconTemplate(), style), style), 0);
    style.points = -5;
    EXPECT_EQ(LitPixels(DrawShapeIcon(1, false, DefaultIconTemplate(), style), style), 0);

    // No finite point: the background alone, nothing covered.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    IconCoverage coverage{-1, -1};
    const IconImage none = DrawIconPoints({{nan, 0, 0, 9, 9, 9}, {0, INFINITY, 0, 9, 9, 9}}, 16, IconLook{}, &coverage);
    EXPECT_EQ(coverage.covered, 0);
    EXPECT_EQ(LitPixels(none, style), 0);
}

TEST(ShapeIcons, ContactSheetAndPpm)
{
    ShapeIconStyle style;
    style.size = 16;
    style.points = 2000;
    BuildBaseshapeGeneratorTables();
    const IconImage sheet = DrawShapeContactSheet(false, 16, true, style);
    // The sphere (kind 1) is bright at its icon centre.
    EXPECT_GT(sheet.pixels[((8 * sheet.width) + 17 + 8) * 3], 150);
    EXPECT_EQ(sheet.width, 16 * 17 - 1);
    EXPECT_EQ(sheet.height, 13 * 17 - 1);
    const std::vector<uint8_t> ppm = EncodePpm(sheet);
    const std::string header = "P6\n271 220\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + sheet.pixels.size());
    EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + header.size()), header);
    EXPECT_FALSE(WritePpmFile("/nonexistent-dir/x.ppm", sheet));
}

}  // namespace
