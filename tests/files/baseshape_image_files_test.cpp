#include "files/baseshape_image_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/baseshape_images.h"
#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "platform/scripted_dialogs.h"
#include "shading/image_files.h"
#include "support/baseshape_state.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// A 24-bit BMP of the given pixels, top row first as the picture is seen.
std::string Bmp(int width, int height, const std::vector<uint8_t>& rgb)
{
    std::vector<uint8_t> bytes(kBmpHeaderSize);
    BuildBmpHeaders(width, height, bytes.data());
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(row) * width + x) * 3];
            bytes.insert(bytes.end(), {p[2], p[1], p[0]});
        }
        bytes.insert(bytes.end(), static_cast<size_t>(BmpRowPadding(width)), 0);
    }
    const std::string path = TempPath("picture.bmp");
    WriteBytes(path, bytes);
    return path;
}

// Stored rows run from the bottom of the picture up, pixels left to right.
TEST(BaseshapePictures, TexturesKeepTheBottomRowFirst)
{
    ASSERT_TRUE(LoadBaseshapeTextureFile(Bmp(2, 1, {255, 0, 0, 0, 0, 255}).c_str(), 3));
    const BaseshapeImage& t = gBaseshapeTextures[3];
    EXPECT_EQ(std::vector<uint8_t>(t.pixels, t.pixels + 6), (std::vector<uint8_t>{255, 0, 0, 0, 0, 255}));
    ASSERT_TRUE(LoadBaseshapeTextureFile(Bmp(1, 2, {255, 0, 0, 0, 200, 0}).c_str(), 3));
    EXPECT_EQ(t.width * 10 + t.height, 12u);
    EXPECT_EQ(std::vector<uint8_t>(t.pixels, t.pixels + 6), (std::vector<uint8_t>{0, 200, 0, 255, 0, 0}));
}

// A 256 by 64 texture previews source column floor(2 c) and row floor(r / 2).
TEST(BaseshapePictures, PreviewsTakeTheNearestPixel)
{
    std::vector<uint8_t> rgb(256 * 64 * 3);
    for (size_t q = 0; q < 256 * 64; ++q) {
        rgb[3 * q] = static_cast<uint8_t>(q % 256);  // the column
        rgb[3 * q + 1] = static_cast<uint8_t>(q / 256);  // the row
    }
    BaseshapeImage texture{"#", 256, 64, rgb.data()};
    std::vector<uint8_t> preview(kBaseshapePreviewSide * kBaseshapePreviewSide * 3);
    BuildBaseshapePreview(texture, 3, preview.data());
    for (int r = 0; r < kBaseshapePreviewSide; ++r)
        for (int c = 0; c < kBaseshapePreviewSide; ++c) {
            ASSERT_EQ(preview[(r * kBaseshapePreviewSide + c) * 3], 2 * c) << r << " " << c;
            ASSERT_EQ(preview[(r * kBaseshapePreviewSide + c) * 3 + 1], r / 2) << r << " " << c;
        }
}

// Heights are the brightest channel; mode 1 clears rows 0 and 2 and columns
// 0 and 3 of a 4 by 3 map, leaving pixels 1 and 2 of the middle row.
TEST(BaseshapePictures, DisplacementMapsAndTheirBorder)
{
    std::vector<uint8_t> rgb(4 * 3 * 3, 0);
    for (size_t q = 0; q < 12; ++q) rgb[3 * q + q % 3] = static_cast<uint8_t>(60 + q);
    ASSERT_TRUE(LoadBaseshapeDMapFile(Bmp(4, 3, rgb).c_str(), 3, 1));
    const BaseshapeImage& map = gBaseshapeDMaps[3];
    ASSERT_EQ(map.width * 10 + map.height, 43u);
    EXPECT_EQ(std::vector<uint8_t>(map.pixels, map.pixels + 12), (std::vector<uint8_t>{0, 0, 0, 0, 0, 65, 66, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(LoadBaseshapeDMapFile(Bmp(2, 2, std::vector<uint8_t>(12, 0)).c_str(), 3, 0));
    EXPECT_EQ(map.width * map.pixels[16 * 8] + map.pixels[16 * 15], 16 * 255) << "no heights: the reset map, border 0";
}

TEST(BaseshapePictures, UnreadablePicturesChangeNothing)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    const std::string path = TempPath("broken.bmp");
    WriteBytes(path, {'B', 'M', 1, 2, 3});
    const std::vector<uint8_t> before = BaseshapeState();
    EXPECT_FALSE(LoadBaseshapeTextureFile(path.c_str(), 3));
    EXPECT_STREQ(gStatusText, "Talvoran :   Cannot read the picture broken.bmp: truncated.");
    dialogs.QueueFile(path);
    EXPECT_FALSE(PickBaseshapeDMap(1, 3));
    EXPECT_EQ(dialogs.Prompts().back().file.filters.front().pattern, "*.bmp;*.png;*.jpg");
    EXPECT_EQ(BaseshapeState(), before);
    EXPECT_EQ(gFileOperationBusy, 0);
}

}  // namespace
