// Picture files decoded for the atlas, the textures and the interface: every
// damaged, truncated, foreign or oversized file gives the 16 by 16 grey
// picture and false, never a crash, a hang or a huge allocation; good files
// come back with their rows from the bottom up.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/picture_file.h"
#include "support/picture_bytes.h"

namespace {

namespace pb = picture_bytes;
using Bytes = std::vector<uint8_t>;

Bytes Encode(char format)
{
    if (format == 'b') return pb::Bmp(24, 16);
    if (format == 'p') return pb::Png(24, 16);
    return pb::Jpeg(24, 16);
}

bool IsGrey(const RgbImage& image)
{
    return image.width == 16 && image.height == 16 && image.ok == 0 &&
           image.pixels == std::vector<uint8_t>(16 * 16 * 3, 128);
}

PictureProblem DecodeProblem(const Bytes& bytes)
{
    RgbImage image;
    PictureProblem problem = PictureProblem::None;
    const bool ok = DecodeImageRgb(image, bytes.data(), bytes.size(), &problem);
    EXPECT_EQ(ok, problem == PictureProblem::None);
    if (!ok) {
        EXPECT_TRUE(IsGrey(image));
    }
    return problem;
}

// The colour of pixel (x, y), y from the top, in an image stored bottom row first.
pb::Colour At(const RgbImage& image, uint32_t x, uint32_t y)
{
    const uint8_t* p = &image.pixels[((image.height - 1 - y) * static_cast<size_t>(image.width) + x) * 3];
    return {p[0], p[1], p[2]};
}

std::string TempFolder(const char* name)
{
    const std::string folder = std::string(::testing::TempDir()) + "pictures_" + name + std::to_string(::getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(ImageFiles, GoodFilesDecodeBottomRowFirst)
{
    for (const char format : {'b', 'p', 'j'}) {
        const Bytes bytes = Encode(format);
        RgbImage image;
        ASSERT_TRUE(DecodeImageRgb(image, bytes.data(), bytes.size())) << format;
        EXPECT_EQ(image.width, 24u);
        EXPECT_EQ(image.height, 16u);
        for (const auto& [x, y] : {std::pair{0u, 0u}, {23u, 0u}, {5u, 15u}, {17u, 9u}}) {
            const pb::Colour want = pb::TestColour(x, y), got = At(image, x, y);
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], format == 'j' ? 40 : 0) << format << x << y;
        }
    }
}

// Every kind each reader takes, compared pixel by pixel with what was written.
TEST(ImageFiles, EveryKindOfEachFormatDecodes)
{
    struct Case {
        const char* name;
        Bytes bytes;
        pb::Pattern expect;
        int tolerance;
    };
    const auto grey = [](uint32_t x, uint32_t y) {
        const uint8_t v = pb::TestColour(x, y)[0];
        return pb::Colour{v, v, v};
    };
    const auto levels = [](int bits) {
        return [bits](uint32_t x, uint32_t y) {
            const uint32_t index = pb::TestColour(x, y)[0] >> (8 - bits);
            const uint8_t v = static_cast<uint8_t>(index * 255 / ((1u << bits) - 1));
            return pb::Colour{v, v, v};
        };
    };
    const auto five = [](uint32_t x, uint32_t y) {
        const pb::Colour c = pb::TestColour(x, y);
        pb::Colour out{};
        for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>(((c[k] >> 3) * 255 + 15) / 31);
        return out;
    };
    // JPEG's chroma subsampling blurs the checker: its files get a smooth pattern.
    const auto smooth = [](uint32_t x, uint32_t y) {
        return pb::Colour{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(255 - y * 5), static_cast<uint8_t>((x + y) * 3)};
    };
    const std::vector<Case> cases = {
        {"png grey", pb::Png(37, 21, {.colourType = 0}), grey, 0},
        {"png palette", pb::Png(37, 21, {.colourType = 3}), grey, 0},
        {"png grey alpha", pb::Png(37, 21, {.colourType = 4}), grey, 0},
        {"png rgba", pb::Png(37, 21, {.colourType = 6}), pb::TestColour, 0},
        {"png 16-bit rgb", pb::Png(37, 21, {.bitDepth = 16}), pb::TestColour, 0},
        {"png 16-bit rgba interlaced", pb::Png(37, 21, {.colourType = 6, .bitDepth = 16, .interlaced = true}),
         pb::TestColour, 0},
        {"png interlaced", pb::Png(37, 21, {.interlaced = true}), pb::TestColour, 0},
        {"png 1 by 1 interlaced", pb::Png(1, 1, {.interlaced = true}), pb::TestColour, 0},
        {"jpeg progressive", pb::Jpeg(37, 21, {.progressive = true}, smooth), smooth, 12},
        {"jpeg grey", pb::Jpeg(37, 21, {.grey = true}), grey, 12},
        {"bmp 1 bit", pb::Bmp(37, 21, {.bits = 1}), levels(1), 0},
        {"bmp 4 bits", pb::Bmp(37, 21, {.bits = 4}), levels(4), 0},
        {"bmp 8 bits", pb::Bmp(37, 21, {.bits = 8}), levels(8), 0},
        {"bmp 16 bits", pb::Bmp(37, 21, {.bits = 16}), five, 0},
        {"bmp 24 bits odd width", pb::Bmp(37, 21), pb::TestColour, 0},
        {"bmp 32 bits top down", pb::Bmp(37, 21, {.bits = 32, .topDown = true}), pb::TestColour, 0},
    };
    for (const Case& c : cases) {
        RgbImage image;
        PictureProblem problem = PictureProblem::Damaged;
        ASSERT_TRUE(DecodeImageRgb(image, c.bytes.data(), c.bytes.size(), &problem))
            << c.name << ": " << PictureProblemText(problem);
        int worst = 0;
        for (uint32_t y = 0; y < image.height; ++y)
            for (uint32_t x = 0; x < image.width; ++x)
                for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(At(image, x, y)[k] - c.expect(x, y)[k]));
        EXPECT_LE(worst, c.tolerance) << c.name;
    }
}

TEST(ImageFiles, DamagedFilesGiveTheGreyPicture)
{
    for (const char format : {'b', 'p', 'j'}) {
        const Bytes good = Encode(format);
        std::vector<Bytes> corpus;
        // Every cut is refused: a file that ends early is not a picture.
        for (size_t length = 1; length < good.size(); length += (length < 64 ? 1 : 13))
            corpus.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
        corpus.emplace_back(good.begin(), good.end() - 1);
        for (size_t n = 0; n < corpus.size(); ++n)
            EXPECT_NE(DecodeProblem(corpus[n]), PictureProblem::None) << format << " cut at " << corpus[n].size();
        Bytes flipped = good;
        for (size_t i = 2; i < flipped.size(); i += 7) flipped[i] ^= 0x5a;
        RgbImage image;
        if (!DecodeImageRgb(image, flipped.data(), flipped.size())) {
            EXPECT_TRUE(IsGrey(image)) << format;
        }
    }
    // A header claiming 100000 by 100000 pixels is refused before decoding.
    Bytes huge = Encode('b');
    const uint32_t side = 100000;
    for (int i = 0; i < 4; ++i) huge[18 + i] = huge[22 + i] = static_cast<uint8_t>(side >> (8 * i));
    EXPECT_EQ(DecodeProblem(huge), PictureProblem::TooManyPixels);
    RgbImage image;
    EXPECT_FALSE(LoadImageFileRgb(image, "/nonexistent/picture.png"));
    EXPECT_TRUE(IsGrey(image));
}

// The files of the review, byte for byte, each with the answer it now gets.
TEST(ImageFiles, HostileFilesOfTheReviewAreRefused)
{
    const auto bytes = [](std::initializer_list<int> list) {
        Bytes out;
        for (int b : list) out.push_back(static_cast<uint8_t>(b));
        return out;
    };
    const auto text = [](const std::string& s, Bytes tail) {
        Bytes out(s.begin(), s.end());
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    };
    Bytes tga(18, 0);  // an 18-byte TGA header claiming 16384 x 4096 pixels
    tga[2] = 2, tga[12] = 0x00, tga[13] = 0x40, tga[14] = 0x00, tga[15] = 0x10, tga[16] = 24;
    Bytes interlaceAlone = bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    const std::vector<std::pair<const char*, Bytes>> refused = {
        {"16-bit binary PGM", text("P5\n2 1\n65535\n", {1, 2, 3, 4})},
        {"JPEG Huffman counts over 256", bytes({0xFF, 0xD8, 0xFF, 0xC4, 0x10, 0x00, 0x00, 0xD8, 0xFF})},
        {"TGA header", tga},
        {"PPM header", text("P6\n4000 4000\n255\n", {})},
        {"GIF header", text("GIF89a", {0xFF, 0x3F, 0xFF, 0x3F, 0, 0, 0})},
        {"PNG signature alone", interlaceAlone},
    };
    for (const auto& [name, file] : refused) EXPECT_NE(DecodeProblem(file), PictureProblem::None) << name;
    EXPECT_EQ(DecodeProblem(refused[0].second), PictureProblem::NotAPicture);
    EXPECT_EQ(DecodeProblem(tga), PictureProblem::NotAPicture);

    // A whole Huffman table segment whose 16 counts add up to 16 x 255.
    Bytes huffman = bytes({0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0x13, 0x00});
    for (int i = 0; i < 16; ++i) huffman.push_back(255);
    huffman.resize(huffman.size() + 256, 1);
    EXPECT_EQ(DecodeProblem(huffman), PictureProblem::Damaged);

    // A progressive JPEG whose first scan uses Huffman tables never defined.
    Bytes progressive = bytes({0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00});
    progressive.resize(progressive.size() + 64, 1);
    for (int b : {0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00,  // 8 x 8, one component
                  0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x33, 0x01, 0x3F, 0x00,                    // AC scan, table 3
                  0x12, 0x34, 0x56, 0x78, 0xFF, 0xD9})
        progressive.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(DecodeProblem(progressive), PictureProblem::Damaged);
}

// Sides and pixel counts beyond the limits are refused from the header, in
// every format and in the interface loader too.
TEST(ImageFiles, LimitsApplyBeforeAnyAllocation)
{
    const auto pngHeader = [](uint32_t w, uint32_t h) {
        Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Bytes ihdr(13, 0);
        for (int i = 0; i < 4; ++i) ihdr[i] = static_cast<uint8_t>(w >> (24 - 8 * i)), ihdr[4 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
        ihdr[8] = 8, ihdr[9] = 2;
        const Bytes chunk = pb::PngChunk("IHDR", ihdr);
        out.insert(out.end(), chunk.begin(), chunk.end());
        const Bytes idat = pb::PngChunk("IDAT", Bytes(64, 0));
        out.insert(out.end(), idat.begin(), idat.end());
        return out;
    };
    const auto jpegHeader = [](uint32_t w, uint32_t h) {
        Bytes out = pb::Jpeg(8, 8);
        for (size_t i = 0; i + 8 < out.size(); ++i)
            if (out[i] == 0xFF && out[i + 1] == 0xC0) {
                out[i + 5] = static_cast<uint8_t>(h >> 8), out[i + 6] = static_cast<uint8_t>(h);
                out[i + 7] = static_cast<uint8_t>(w >> 8), out[i + 8] = static_cast<uint8_t>(w);
                break;
            }
        return out;
    };
    EXPECT_EQ(DecodeProblem(pngHeader(16385, 1)), PictureProblem::TooManyPixels);
    EXPECT_EQ(DecodeProblem(pngHeader(0x7FFFFFFF, 0x7FFFFFFF)), PictureProblem::TooManyPixels);
    EXPECT_EQ(DecodeProblem(pngHeader(16384, 8192)), PictureProblem::TooManyPixels);  // sides fit, pixels do not
    EXPECT_EQ(DecodeProblem(jpegHeader(65000, 65000)), PictureProblem::TooManyPixels);
    EXPECT_EQ(DecodeProblem(jpegHeader(16384, 4097)), PictureProblem::TooManyPixels);
    // Within the limits the data must still be a compressed picture.
    EXPECT_EQ(DecodeProblem(pngHeader(16384, 4096)), PictureProblem::Damaged);

    // The interface loader has its own, smaller limits.
    const Bytes wide = pngHeader(9000, 1);
    EXPECT_TRUE(DecodePictureRgb(wide.data(), wide.size()).empty());
    const Bytes icon = pb::Png(64, 64);
    const RgbPicture picture = DecodePictureRgb(icon.data(), icon.size());
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.pixels.size(), 64u * 64 * 3);
    const Bytes cut(icon.begin(), icon.end() - 20);
    EXPECT_TRUE(DecodePictureRgb(cut.data(), cut.size()).empty());
}

// Files are opened without blocking and only when regular: a FIFO named
// like a picture answers at once, and so does a folder.
TEST(ImageFiles, FifoAndFolderAreNotPictures)
{
    const std::string folder = TempFolder("fifo");
    const std::string fifo = folder + "/marble.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RgbImage image;
    PictureProblem problem = PictureProblem::None;
    EXPECT_FALSE(LoadImageFileRgb(image, fifo, &problem));
    EXPECT_EQ(problem, PictureProblem::NotRegular);
    EXPECT_FALSE(LoadImageThumbnailRgb(image, fifo, 64, &problem));
    EXPECT_TRUE(LoadPictureRgb(fifo).empty());
    EXPECT_FALSE(LoadImageFileRgb(image, folder, &problem));
    EXPECT_EQ(problem, PictureProblem::NotRegular);
    // A picture file is read from disk like the same bytes in memory.
    ASSERT_TRUE(pb::WriteBytes(folder + "/good.bmp", pb::Bmp(9, 5)));
    EXPECT_TRUE(LoadImageFileRgb(image, folder + "/good.bmp"));
    EXPECT_EQ(At(image, 8, 4), pb::TestColour(8, 4));
    std::filesystem::remove_all(folder);
}

// The thumbnail takes pixel (trunc(x W / side), trunc(y H / side)), y from
// the bottom, exactly as sampling the whole picture would.
TEST(ImageFiles, ThumbnailSamplesLikeTheWholePicture)
{
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"bmp 1000 x 500", pb::Bmp(1000, 500)},
        {"png 1000 x 500", pb::Png(1000, 500)},
        {"png interlaced 333 x 77", pb::Png(333, 77, {.interlaced = true})},
        {"png 16-bit 32 x 32", pb::Png(32, 32, {.bitDepth = 16})},
        {"jpeg 120 x 100", pb::Jpeg(120, 100, {.quality = 100})},  // too small to be reduced
    };
    for (const auto& [name, bytes] : files) {
        RgbImage whole, thumb;
        ASSERT_TRUE(DecodeImageRgb(whole, bytes.data(), bytes.size())) << name;
        ASSERT_TRUE(DecodeImageThumbnailRgb(thumb, bytes.data(), bytes.size(), 64)) << name;
        ASSERT_EQ(thumb.width, 64u);
        ASSERT_EQ(thumb.pixels.size(), 64u * 64 * 3);
        const float fx = static_cast<float>(whole.width) * 0.015625f, fy = static_cast<float>(whole.height) * 0.015625f;
        int worst = 0;
        for (uint32_t y = 0; y < 64; ++y)
            for (uint32_t x = 0; x < 64; ++x) {
                const uint32_t sx = static_cast<uint32_t>(static_cast<float>(x) * fx);
                const uint32_t sy = static_cast<uint32_t>(static_cast<float>(y) * fy);
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst, std::abs(thumb.pixels[(y * 64 + x) * 3 + c] -
                                                     whole.pixels[(sy * static_cast<size_t>(whole.width) + sx) * 3 + c]));
            }
        EXPECT_EQ(worst, 0) << name;
    }
    // A large JPEG is decoded at an eighth of its size for the thumbnail.
    const Bytes large = pb::Jpeg(1024, 768, {.quality = 90}, [](uint32_t x, uint32_t y) {
        return pb::Colour{static_cast<uint8_t>(x / 4), static_cast<uint8_t>(y / 3), 90};
    });
    RgbImage thumb;
    ASSERT_TRUE(DecodeImageThumbnailRgb(thumb, large.data(), large.size(), 64));
    const uint8_t* top = &thumb.pixels[(63 * 64 + 63) * 3];  // near (1008, 0)
    EXPECT_NEAR(top[0], 252, 6);
    EXPECT_NEAR(top[1], 0, 6);
}

// A 16-bit picture inside the pixel limit makes its thumbnail in a process
// whose address space could not hold the picture decoded whole.
TEST(ImageFiles, LargeSixteenBitThumbnailStaysSmall)
{
    const uint32_t width = 8192, height = 4096;  // 8-bit RGB whole: 96 MiB
    const Bytes file = pb::Png(width, height, {.colourType = 6, .bitDepth = 16, .compression = 1},
                               [](uint32_t x, uint32_t y) { return pb::Colour{static_cast<uint8_t>(x >> 5), static_cast<uint8_t>(y >> 4), 7}; });
    ASSERT_FALSE(file.empty());
#if defined(TALVORAN_ADDRESS_SANITIZER) || defined(TALVORAN_THREAD_SANITIZER)
    // The sanitizers reserve terabytes of address space: no address-space
    // limit can be set, so here only the pixels are checked.
    const bool limited = false;
#else
    const bool limited = true;
#endif
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (limited) {
            // What the process uses now, and 48 MiB more.
            rlimit limit{};
            ::getrlimit(RLIMIT_AS, &limit);
            std::FILE* statm = std::fopen("/proc/self/statm", "r");
            unsigned long pages = 0;
            if (statm == nullptr || std::fscanf(statm, "%lu", &pages) != 1) ::_exit(3);
            std::fclose(statm);
            limit.rlim_cur = pages * static_cast<unsigned long>(::sysconf(_SC_PAGESIZE)) + (48ul << 20);
            if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(4);
            RgbImage whole;
            if (DecodeImageRgb(whole, file.data(), file.size())) ::_exit(5);  // the limit holds
        }
        RgbImage thumb;
        if (!DecodeImageThumbnailRgb(thumb, file.data(), file.size(), 64)) ::_exit(1);
        const uint8_t* p = &thumb.pixels[(63 * 64 + 32) * 3];  // source (4096, 63), y from the top
        ::_exit(p[0] == 128 && p[1] == 3 && p[2] == 7 ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no thumbnail, 2: wrong pixels, 5: the whole picture fitted";
}

}  // namespace
