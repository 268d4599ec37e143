// Picture files decoded for the atlas and the textures: every damaged file
// gives the 16 by 16 grey picture and false, never a crash or a huge
// allocation; good files come back with their rows from the bottom up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/picture_file.h"

namespace {

void Append(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// 24 by 16 pixels, red rising to the right, the top row blue (file rows
// run from the top).
std::vector<uint8_t> Encode(char format)
{
    std::vector<uint8_t> rgb(24 * 16 * 3), out;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            uint8_t* p = &rgb[(y * 24 + x) * 3];
            p[0] = static_cast<uint8_t>(x * 10), p[1] = 40, p[2] = y == 0 ? 250 : 0;
        }
    if (format == 'b') stbi_write_bmp_to_func(Append, &out, 24, 16, 3, rgb.data());
    if (format == 'p') stbi_write_png_to_func(Append, &out, 24, 16, 3, rgb.data(), 24 * 3);
    if (format == 'j') stbi_write_jpg_to_func(Append, &out, 24, 16, 3, rgb.data(), 95);
    return out;
}

bool IsGrey(const RgbImage& image)
{
    return image.width == 16 && image.height == 16 && image.ok == 0 &&
           image.pixels == std::vector<uint8_t>(16 * 16 * 3, 128);
}

TEST(ImageFiles, GoodFilesDecodeBottomRowFirst)
{
    for (const char format : {'b', 'p', 'j'}) {
        const std::vector<uint8_t> bytes = Encode(format);
        RgbImage image;
        ASSERT_TRUE(DecodeImageRgb(image, bytes.data(), bytes.size())) << format;
        EXPECT_EQ(image.width, 24u);
        EXPECT_EQ(image.height, 16u);
        EXPECT_GT(image.pixels[(15 * 24) * 3 + 2], 200) << format << ": the file's top row is the last row";
        EXPECT_LT(image.pixels[2], 50) << format;
    }
}

TEST(ImageFiles, DamagedFilesGiveTheGreyPicture)
{
    for (const char format : {'b', 'p', 'j'}) {
        const std::vector<uint8_t> good = Encode(format);
        std::vector<std::vector<uint8_t>> corpus;
        for (const size_t length : {size_t{1}, size_t{8}, size_t{20}, good.size() / 2, good.size() - 1})
            corpus.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
        std::vector<uint8_t> flipped = good;
        for (size_t i = 2; i < flipped.size(); i += 7) flipped[i] ^= 0x5a;
        corpus.push_back(flipped);
        for (size_t n = 0; n < corpus.size(); ++n) {
            RgbImage image;
            const bool ok = DecodeImageRgb(image, corpus[n].data(), corpus[n].size());
            // A cut-off JPEG scan may still decode; its size then holds.
            if (ok) {
                EXPECT_EQ(image.pixels.size(), size_t{image.width} * image.height * 3) << format << n;
            } else {
                EXPECT_TRUE(IsGrey(image)) << format << " file " << n;
            }
            if (n < 3) {
                EXPECT_FALSE(ok) << format << " header cut at " << corpus[n].size();
            }
        }
    }
    // A header claiming 100000 by 100000 pixels is refused before decoding.
    std::vector<uint8_t> huge = Encode('b');
    const uint32_t side = 100000;
    for (int i = 0; i < 4; ++i) huge[18 + i] = huge[22 + i] = static_cast<uint8_t>(side >> (8 * i));
    RgbImage image;
    EXPECT_FALSE(DecodeImageRgb(image, huge.data(), huge.size()));
    EXPECT_TRUE(IsGrey(image));
    EXPECT_FALSE(LoadImageFileRgb(image, "/nonexistent/picture.png"));
    EXPECT_TRUE(IsGrey(image));
}

}  // namespace
