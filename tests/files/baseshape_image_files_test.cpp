#include "files/baseshape_image_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/baseshape_images.h"
#include "engine/status_line.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

class BaseshapePictures : public ::testing::Test {
protected:
    void SetUp() override { dialogs_.SetFailureHandler(FailTest); }
    void TearDown() override { std::filesystem::remove(path_); }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    std::string path_ = TempPath("picture.bmp");
};

// Stored rows run from the bottom of the picture up, pixels left to right.
TEST_F(BaseshapePictures, TexturesKeepTheBottomRowFirst)
{
    const struct {
        int width, height;
        std::vector<uint8_t> topFirst, stored;
    } cases[] = {
        {2, 1, {255, 0, 0, 0, 0, 255}, {255, 0, 0, 0, 0, 255}},
        {1, 2, {255, 0, 0, 0, 200, 0}, {0, 200, 0, 255, 0, 0}},
    };
    for (const auto& c : cases) {
        WriteBmp(path_, c.width, c.height, c.topFirst);
        ASSERT_TRUE(LoadBaseshapeTextureFile(path_.c_str(), 3));
        const BaseshapeImage& t = gBaseshapeTextures[3];
        ASSERT_EQ(t.width * 10 + t.height, static_cast<uint32_t>(c.width * 10 + c.height));
        EXPECT_EQ(std::vector<uint8_t>(t.pixels, t.pixels + 6), c.stored) << c.width << " by " << c.height;
    }
}

TEST_F(BaseshapePictures, DisplacementMapsTakeTheBrightestChannelAndTheirBorder)
{
    std::vector<uint8_t> rgb(4 * 3 * 3, 0);
    for (size_t k = 0; k < rgb.size(); k += 3) rgb[k + k / 3 % 3] = static_cast<uint8_t>(60 + k);
    WriteBmp(path_, 4, 3, rgb);
    ASSERT_TRUE(LoadBaseshapeDMapFile(path_.c_str(), 3, 1));
    const BaseshapeImage& map = gBaseshapeDMaps[3];
    ASSERT_EQ(map.width, 4u);
    ASSERT_EQ(map.height, 3u);
    // Mode 1 clears rows 0 and 2 and columns 0 and 3: the middle row keeps
    // pixels 1 and 2 of the picture's middle row.
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 0, 60 + 15, 60 + 18, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(map.pixels, map.pixels + 12), expected);

    WriteBmp(path_, 2, 2, std::vector<uint8_t>(12, 0));
    ASSERT_TRUE(LoadBaseshapeDMapFile(path_.c_str(), 3, 0));
    EXPECT_EQ(map.width, 16u) << "a map without heights is the reset map";
    EXPECT_EQ(map.pixels[16 * 8 + 8], 255);
    EXPECT_EQ(map.pixels[16 * 15], 0) << "with the border mode asked for";
}

// A 256 by 64 texture previews column c from column floor(2 c), row r from floor(r / 2).
TEST_F(BaseshapePictures, PreviewsPickNearestPixels)
{
    auto* pixels = static_cast<uint8_t*>(std::malloc(256 * 64 * 3));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            uint8_t* p = pixels + (y * 256 + x) * 3;
            p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = 7;
        }
    InstallBaseshapeImage(gBaseshapeTextures[4], pixels, 256, 64);
    std::vector<uint8_t> preview(128 * 128 * 3);
    BuildBaseshapePreview(gBaseshapeTextures[4], 3, preview.data());
    for (const auto& [r, c] : {std::pair{0, 0}, std::pair{5, 9}, std::pair{127, 127}}) {
        const uint8_t* p = &preview[(r * 128 + c) * 3];
        EXPECT_EQ(p[0], 2 * c) << r << ", " << c;
        EXPECT_EQ(p[1], r / 2) << r << ", " << c;
    }
}

TEST_F(BaseshapePictures, UnreadablePicturesChangeNothing)
{
    WriteBytes(path_, {'B', 'M', 1, 2, 3});
    const BaseshapeState before = TakeBaseshapeState();
    EXPECT_FALSE(LoadBaseshapeTextureFile(path_.c_str(), 3));
    EXPECT_FALSE(LoadBaseshapeDMapFile(path_.c_str(), 3, 1));
    EXPECT_TRUE(TakeBaseshapeState() == before);
    EXPECT_STREQ(gStatusText, "Talvoran :   Cannot read the picture picture.bmp.");

    dialogs_.QueueFile(path_);
    EXPECT_FALSE(PickBaseshapeTexture(3));
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(PickBaseshapeDMap(1, 3));
    const DialogPrompt prompt = dialogs_.Prompts().back();
    EXPECT_EQ(prompt.file.filters.front().pattern, "*.bmp;*.png;*.jpg");
    EXPECT_EQ(gFileOperationBusy, 0);
    EXPECT_TRUE(TakeBaseshapeState() == before);
}

}  // namespace
