#include "assets/kernel_pictures.h"
#include "assets/pictures.h"
#include "assets/png_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/picture_file.h"
#include "tools/shape_icons.h"

namespace {

using assetgen::Canvas;

// The program's own decoder gives rows from the bottom up; the canvases
// hold them from the top.
std::vector<uint8_t> TopRowFirst(const RgbPicture& picture)
{
    std::vector<uint8_t> rows(picture.pixels.size());
    const size_t stride = static_cast<size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(&picture.pixels[stride * (picture.height - 1 - y)], stride, &rows[stride * y]);
    return rows;
}

struct CellStats {
    int lit = 0;           // pixels above a faint threshold
    int minX = 64, maxX = -1;
    bool coloured = false;  // some pixel with clearly different channels
};

CellStats Measure(const Canvas& sheet, int glyph)
{
    CellStats s;
    const int x0 = (glyph % 16) * 64, y0 = (glyph / 16) * 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint8_t* p = sheet.At(x0 + x, y0 + y);
            if (std::max({p[0], p[1], p[2]}) > 24) {
                ++s.lit;
                s.minX = std::min(s.minX, x);
                s.maxX = std::max(s.maxX, x);
            }
            if (std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 40) s.coloured = true;
        }
    return s;
}

int GlyphOf(int code, int set) { return code - 32 + 128 * set; }

const Canvas& FontSheet()
{
    static const Canvas sheet = assetgen::MakeFontSheet();
    return sheet;
}

TEST(FontSheet, GridOfWindows1252Cells)
{
    const Canvas& sheet = FontSheet();
    ASSERT_EQ(sheet.width, 1024);
    ASSERT_EQ(sheet.height, 1024);
    for (int set = 0; set < 2; ++set) {
        // Space and the five unassigned codes are empty cells.
        for (int code : {32, 129, 141, 143, 144, 157})
            EXPECT_EQ(Measure(sheet, GlyphOf(code, set)).lit, 0) << "code " << int(code) << " set " << set;
        // Letters, digits, the euro sign, the hollow box of 127.
        for (int code : {int('A'), int('g'), int('0'), 128, 127, 159})
            EXPECT_GT(Measure(sheet, GlyphOf(code, set)).lit, 40) << "code " << int(code) << " set " << set;
    }
}

TEST(FontSheet, LettersAreWhiteCentredAndHalfACellWide)
{
    const Canvas& sheet = FontSheet();
    for (int set = 0; set < 2; ++set)
        for (int code : {'M', 'W', 'm', 'w', '#', '$'}) {
            if (set == 1 && assetgen::IsIconCode(code)) continue;
            const CellStats s = Measure(sheet, GlyphOf(code, set));
            EXPECT_FALSE(s.coloured) << int(code);
            EXPECT_GE(s.maxX - s.minX + 1, 20) << int(code);
            EXPECT_LE(s.maxX - s.minX + 1, 42) << int(code);
            EXPECT_NEAR((s.minX + s.maxX) * 0.5, 32.0, 6.0) << int(code);
        }
}

TEST(FontSheet, IconsOnlyInSetOne)
{
    const Canvas& sheet = FontSheet();
    for (int code : {35, 36, 38, 96, 123, 125, 126, 140}) {
        ASSERT_TRUE(assetgen::IsIconCode(code));
        EXPECT_TRUE(Measure(sheet, GlyphOf(code, 1)).coloured) << code;
        EXPECT_FALSE(Measure(sheet, GlyphOf(code, 0)).coloured) << int(code);
    }
    EXPECT_FALSE(assetgen::IsIconCode('A'));
    EXPECT_FALSE(assetgen::IsIconCode('%'));
}

// How far the upper half of a glyph's ink sits right of its lower half.
double Lean(const Canvas& sheet, int glyph)
{
    const int x0 = (glyph % 16) * 64, y0 = (glyph / 16) * 64;
    double sum[2] = {0, 0}, count[2] = {0, 0};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double v = sheet.At(x0 + x, y0 + y)[0];
            sum[y < 32] += v * x;
            count[y < 32] += v;
        }
    return sum[1] / count[1] - sum[0] / count[0];
}

TEST(FontSheet, SetZeroSlants)
{
    const Canvas& sheet = FontSheet();
    for (int code : {int('H'), int('I'), int('O')}) {
        EXPECT_GT(Lean(sheet, GlyphOf(code, 0)), 2.0) << code;
        EXPECT_LT(std::abs(Lean(sheet, GlyphOf(code, 1))), 1.5) << code;
    }
}

TEST(Cp1252, HighCodesAndUnassigned)
{
    EXPECT_EQ(assetgen::Cp1252ToUnicode('A'), 'A');
    EXPECT_EQ(assetgen::Cp1252ToUnicode(128), 0x20ACu);
    EXPECT_EQ(assetgen::Cp1252ToUnicode(140), 0x0152u);
    EXPECT_EQ(assetgen::Cp1252ToUnicode(159), 0x0178u);
    for (int code : {129, 141, 143, 144, 157}) EXPECT_EQ(assetgen::Cp1252ToUnicode(code), 0u);
}

TEST(Skins, SizesAndLooks)
{
    // The bar leans right: the top-left and bottom-right corners are black.
    const Canvas face = assetgen::MakeButtonFace(false);
    EXPECT_EQ(face.At(1, 1)[0], 0);
    EXPECT_EQ(face.At(126, 30)[0], 0);
    // Pressed is the face, darker.
    const Canvas pressed = assetgen::MakeButtonFace(true);
    EXPECT_LT(pressed.At(64, 16)[0], face.At(64, 16)[0]);
    // The bright tab rim is redder than the dim one.
    EXPECT_GT(assetgen::MakeTabSkin(true).At(64, 1)[0], assetgen::MakeTabSkin(false).At(64, 1)[0]);

    const Canvas panel = assetgen::MakePanelSkin();
    ASSERT_EQ(panel.width, 32);
    ASSERT_EQ(panel.height, 32);
    // The panel tile repeats: its left and right columns meet smoothly.
    for (int y = 0; y < 32; ++y) {
        EXPECT_NEAR(panel.At(0, y)[0], panel.At(31, y)[0], 3);
        EXPECT_EQ(panel.At(5, y)[0], panel.At(5, 0)[0]);
        EXPECT_GT(panel.At(5, y)[0], panel.At(5, y)[1]);
    }
}

TEST(IconSheets, LayoutAndUnusedCells)
{
    const Canvas sheet2 = assetgen::MakeShapeIconSheet(2);
    ASSERT_EQ(sheet2.width, 512);
    ASSERT_EQ(sheet2.height, 1024);
    auto cellLit = [&](int k) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (sheet2.At((k % 8) * 64 + x, (k / 8) * 64 + y)[0] != 0) return true;
        return false;
    };
    EXPECT_TRUE(cellLit(0));
    EXPECT_TRUE(cellLit(76));  // icon 204
    EXPECT_FALSE(cellLit(77));
    EXPECT_FALSE(cellLit(127));
}

TEST(PngFile, RoundTripAndBadSizes)
{
    Canvas c(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) c.Set(x, y, {x / 4.0f, y / 2.0f, 0.5f});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(assetgen::EncodePngRgb(c.pixels.data(), 5, 3, bytes));
    const RgbPicture back = DecodePictureRgb(bytes.data(), bytes.size());
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(TopRowFirst(back), c.pixels);

    EXPECT_FALSE(assetgen::EncodePngRgb(c.pixels.data(), 0, 3, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(assetgen::EncodePngRgb(nullptr, 5, 3, bytes));
    EXPECT_FALSE(assetgen::WritePngRgb("/nonexistent-folder/x.png", c.pixels.data(), 5, 3));
}

}  // namespace

namespace {

TEST(KernelPictures, TypeZeroKernelDrawsTheSplash)
{
    EXPECT_TRUE(assetgen::HasOwnKernel(0));
    EXPECT_FALSE(assetgen::HasOwnKernel(-1));
    EXPECT_FALSE(assetgen::HasOwnKernel(50));

    const float axis[3] = {0, 0, 1}, shift[3] = {0.5f, 0, 0};
    const std::vector<assetgen::AffineMap> maps = {assetgen::MakeMap(axis, 90, 0.5f, shift, 1.0f)};
    const auto points = assetgen::RunKernelPoints(0, maps, 3, 1);
    ASSERT_EQ(points.size(), 2000u);  // the first batch is dropped
    for (const auto& p : points) {
        // One map: the orbit sits on its fixed point, (0.4, 0.2, 0).
        EXPECT_NEAR(p.x, 0.4f, 1e-4f);
        EXPECT_NEAR(p.y, 0.2f, 1e-4f);
        EXPECT_NEAR(p.z, 0.0f, 1e-4f);
    }
    EXPECT_TRUE(assetgen::RunKernelPoints(0, {}, 3, 1).empty());
    EXPECT_TRUE(assetgen::RunKernelPoints(0, std::vector<assetgen::AffineMap>(66, maps[0]), 3, 1).empty());
    EXPECT_EQ(assetgen::DrawKernelPoints({}, 16, {}).pixels, Canvas(16, 16).pixels);

    // The splash shows the kernel's picture above the title.
    const Canvas splash = assetgen::MakeSplashPicture();
    long lit = 0;
    for (int y = 40; y < 400; ++y)
        for (int x = 0; x < 512; ++x) lit += splash.At(x, y)[0] > 60;
    EXPECT_GT(lit, 5000);
}

}  // namespace

namespace {

// Means of 8 x 8 pixel blocks: they keep a picture's form and colour but not
// its exact points, which may differ a little between builds.
std::vector<float> BlockMeans(const uint8_t* rgb, int w, int h)
{
    std::vector<float> means;
    for (int by = 0; by + 8 <= h; by += 8)
        for (int bx = 0; bx + 8 <= w; bx += 8)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) sum += rgb[(static_cast<size_t>(y) * w + x) * 3 + c];
                means.push_back(sum / 64);
            }
    return means;
}

float MeanDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    float sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) sum += std::fabs(a[i] - b[i]);
    return a.size() == b.size() ? sum / static_cast<float>(a.size()) : 255.0f;
}

int LitPixels(const Canvas& c)
{
    int lit = 0;
    for (size_t i = 0; i < c.pixels.size(); i += 3)
        lit += std::max({c.pixels[i], c.pixels[i + 1], c.pixels[i + 2]}) > 40;
    return lit;
}

TEST(TypeIcons, EveryTypeIsDrawnByItsKernelAndUnlikeItsNeighbours)
{
    std::string tiles;
    std::vector<float> previous;
    for (int n = 1; n <= 50; ++n) {
        bool drawn = false;
        const Canvas icon = assetgen::MakeFractalTypeIcon(n, &drawn);
        ASSERT_EQ(icon.width, 128);
        if (!drawn) tiles += " " + std::to_string(n - 1);
        EXPECT_GT(LitPixels(icon), 600) << "type " << n - 1;
        const std::vector<float> means = BlockMeans(icon.pixels.data(), 128, 128);
        if (n > 1) {
            EXPECT_GT(MeanDifference(means, previous), 8.0f) << "types " << n - 2 << " and " << n - 1;
        }
        previous = means;
    }
    EXPECT_TRUE(tiles.empty()) << "types still on a numbered tile:" << tiles;
}

// A kernel that leaves no finite point, or ends every call at once, draws
// the numbered tile, never an empty picture.
TEST(TypeIcons, KernelsLeavingNoPointGiveTheNumberedTile)
{
    const float axis[3] = {0, 1, 0}, origin[3] = {0, 0, 0}, far[3] = {1000, 0, 0};
    // Each call's orbit runs away after its restart: one finite point a call.
    ASSERT_TRUE(assetgen::SetUpKernelModel({assetgen::MakeMap(axis, 0, 1e30f, far, 1)}, 1));
    const auto runaway = assetgen::RunTypeKernel(0, 20);
    EXPECT_LT(runaway.size(), 40u);
    // Type 39 escapes at once and ends every call before its first point.
    const std::vector<assetgen::AffineMap> escaping = {assetgen::MakeMap(axis, 0, 1, far, 1),
                                                       assetgen::MakeMap(axis, 0, 1, origin, 1)};
    ASSERT_TRUE(assetgen::SetUpKernelModel(escaping, 1));
    EXPECT_TRUE(assetgen::RunTypeKernel(39, 20).empty());
    EXPECT_FALSE(assetgen::SetUpKernelModel({assetgen::MakeMap(axis, 0, 1, far, 0)}, 1));

    for (const auto& points : {runaway, std::vector<assetgen::KernelPoint>{}}) {
        bool drawn = true;
        const Canvas tile = assetgen::TypeIconFromPoints(40, points, {}, &drawn);
        EXPECT_FALSE(drawn);
        EXPECT_GT(LitPixels(tile), 500);
    }
}

// Stored pictures of a few icons. TALVORAN_WRITE_REFERENCES=1 rewrites them
// after an intended change of look.
TEST(IconReferences, MatchTheStoredPictures)
{
    struct Reference {
        const char* name;
        Canvas picture;
    };
    auto shape = [](int kind) {
        ShapeIconStyle style;
        const IconImage icon = DrawShapeIcon(kind, false, DefaultIconTemplate(), style);
        Canvas c(icon.width, icon.height);
        c.pixels = icon.pixels;
        return c;
    };
    const Reference references[] = {
        {"type_icon_4.png", assetgen::MakeFractalTypeIcon(4)},
        {"type_icon_34.png", assetgen::MakeFractalTypeIcon(34)},
        {"type_icon_47.png", assetgen::MakeFractalTypeIcon(47)},
        {"shape_icon_0.png", shape(0)},
        {"shape_icon_1.png", shape(1)},
        {"shape_icon_77.png", shape(77)},
    };
    const std::string folder = std::string(TALVORAN_SOURCE_DIR) + "/tests/assets/reference/";
    const bool write = std::getenv("TALVORAN_WRITE_REFERENCES") != nullptr;
    for (const Reference& r : references) {
        const Canvas& c = r.picture;
        if (write) {
            ASSERT_TRUE(assetgen::WritePngRgb(folder + r.name, c.pixels.data(), c.width, c.height)) << r.name;
        }
        const RgbPicture picture = LoadPictureRgb(folder + r.name);
        ASSERT_FALSE(picture.empty()) << r.name;
        const int w = picture.width, h = picture.height;
        EXPECT_EQ(w, c.width) << r.name;
        EXPECT_EQ(h, c.height) << r.name;
        if (w == c.width && h == c.height) {
            const std::vector<uint8_t> stored = TopRowFirst(picture);
            EXPECT_LT(MeanDifference(BlockMeans(stored.data(), w, h), BlockMeans(c.pixels.data(), w, h)), 4.0f)
                << r.name;
        }
    }
}

}  // namespace
