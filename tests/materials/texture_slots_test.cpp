#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "assets/png_file.h"
#include "engine/file_replacement.h"
#include "engine/random_helpers.h"
#include "materials/color_maps.h"
#include "materials/shader.h"
#include "materials/texture_files.h"
#include "materials/texture_generation.h"

namespace {

// File services answering from the test: the queued path (empty: cancel).
struct FakeFiles {
    static inline std::string chosen;
    static inline std::string lastStatus;
    static inline int warnings = 0;
    static inline std::atomic<uint8_t> busy{0};
    static inline std::vector<std::string> folderFiles;

    FakeFiles()
    {
        chosen.clear();
        lastStatus.clear();
        warnings = 0;
        busy = 0;
        folderFiles.clear();
        TextureFileServices& s = gTextureFileServices;
        s.chooseImage = [](bool, std::string* path) { return Pick(path); };
        s.chooseBitmap = [](std::string* path) { return Pick(path); };
        s.warnUnwritable = [] { ++warnings; };
        s.texturesFolder = [] { return "/nonexistent-textures"; };
        s.textureFileCount = [] { return static_cast<int>(folderFiles.size()); };
        s.textureFileName = [](int k) { return folderFiles[static_cast<size_t>(k)].c_str(); };
        s.status = [](const char* text) { lastStatus = text; };
        s.fileOperationBusy = &busy;
    }
    ~FakeFiles() { gTextureFileServices = TextureFileServices{}; }
    static bool Pick(std::string* path)
    {
        if (chosen.empty()) return false;
        *path = chosen;
        return true;
    }
};

// Beside the process's number, so that two runs of the suite at once
// (and the test cases, each a process of its own) never share a file.
std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name)).string();
}

// A picture file of w x h pixels of one colour.
void WritePicture(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> rgb;
    for (int i = 0; i < w * h; ++i) rgb.insert(rgb.end(), {r, g, b});
    assetgen::WritePngRgb(path, rgb.data(), w, h);
}

std::unique_ptr<Shader> FreshShader()
{
    auto s = std::make_unique<Shader>();
    SeedGlobalRandomA(1);  // the start-up presets draw from it
    s->InitializeTextures();
    return s;
}

TexturePreset OneLayer()
{
    TexturePreset p;
    p.layerCount = 1;
    p.layerAxis[0][2] = 1.0f;
    p.layerColor[0][0] = p.layerColor[0][1] = p.layerColor[0][2] = 0.7f;
    p.falloffExponent[0] = 1.0f;
    p.absoluteFalloff[0] = 1;
    p.detailOff[0] = 1;
    p.saturationBoost = 1.0f;
    return p;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace

TEST(TextureSlots, ColorMapAndSolidColourSwitchEachOther)
{
    FakeFiles files;
    auto s = FreshShader();
    for (int i = 0; i < kColorMapEntries; ++i) {
        gColorMap.red[i] = static_cast<uint8_t>(i);
        gColorMap.green[i] = static_cast<uint8_t>(255 - i);
        gColorMap.blue[i] = static_cast<uint8_t>(i / 2);
    }
    s->SetSlotSolidColor(10, 20, 30, 1, 3);
    s->SetTextureFromColorMap(1, 3);
    {
        const SlotImageHold map = s->slots[kMaterialCount + 3].Image();
        ASSERT_TRUE(map);
        EXPECT_EQ(map->width, 4u);
        EXPECT_EQ(map->height, 256u);
        EXPECT_EQ(map->pixels[(200 * 4 + 3) * 3 + 1], 55);  // row 200, column 3, green
    }
    EXPECT_EQ(s->useColorMapB[3], 1);
    EXPECT_EQ(s->solidColorB[3], 0);
    EXPECT_EQ(s->materialColorMaps[3][3][200], 55);  // G of side B
    // The thumbnail shows the even colours as 128 bands.
    for (int r : {0, 1, 64, 127}) {
        EXPECT_EQ(s->thumbnailBuffer[(r * 128 + 77) * 3], 2 * r) << "row " << r;
        EXPECT_EQ(s->thumbnailBuffer[(r * 128) * 3 + 1], 255 - 2 * r) << "row " << r;
    }

    s->SetSlotSolidColor(10, 20, 30, 1, 3);
    EXPECT_EQ(s->useColorMapB[3], 0);
    EXPECT_EQ(s->solidColorB[3], 1);
    EXPECT_EQ(s->solidColorsB[3][2], 30u);
    EXPECT_EQ(s->slots[kMaterialCount + 3].Width(), 8u);
    EXPECT_EQ(s->thumbnailB[3].rgb[128 * 128 * 3 - 2], 20);
    // Side A and other sides are untouched; a side other than 0 or 1 does nothing.
    EXPECT_EQ(s->useTextureA[3], 0);
    s->SetTextureFromColorMap(2, 3);
    s->SetSlotSolidColor(1, 2, 3, 0, 10);
    EXPECT_EQ(s->useColorMapB[3], 0);
}

// Files through the dialog and the folder list; a cancel, a busy file
// operation and an undecodable file change nothing.
TEST(TextureSlots, LoadingImages)
{
    FakeFiles files;
    auto s = FreshShader();
    const std::string good = TempPath("talvoran_slot_good.png"), bad = TempPath("talvoran_slot_bad.bmp");
    WritePicture(good, 6, 4, 200, 100, 50);
    std::ofstream(bad) << "not a picture";

    const struct {
        const char* name;
        std::string chosen;
        uint8_t busy;
        bool loaded;
    } cases[] = {
        {"cancelled", "", 0, false},
        {"busy", good, 1, false},
        {"undecodable", bad, 0, false},
        {"chosen", good, 0, true},
    };
    for (const auto& c : cases) {
        FakeFiles::chosen = c.chosen;
        FakeFiles::busy = c.busy;
        const SlotImage* before = s->slots[2].Image().get();
        // The dialog needs no file in the textures folder's list.
        EXPECT_EQ(s->LoadTextureFromFile(0, 0, 2, true), c.loaded) << c.name;
        EXPECT_EQ(FakeFiles::busy.load(), c.busy) << c.name;
        if (!c.loaded) {
            EXPECT_EQ(s->slots[2].Image().get(), before) << c.name;
            EXPECT_EQ(s->useTextureA[2], 0) << c.name;
        }
    }
    EXPECT_EQ(FakeFiles::lastStatus, "The image file could not be read: not a BMP, PNG or JPEG picture");
    EXPECT_EQ(s->slots[2].Width(), 6u);
    EXPECT_EQ(s->useTextureA[2], 1);
    EXPECT_EQ(s->customTextureA[2], 1);
    EXPECT_EQ(s->textureDialogFlag, 0);
    EXPECT_EQ(s->thumbnailBuffer[0], 200);

    // The folder list: out of range does nothing.
    EXPECT_FALSE(s->LoadTextureFromFile(0, 1, 2, false));
    FakeFiles::folderFiles = {"missing.png"};
    EXPECT_FALSE(s->LoadTextureFromFile(1, 1, 2, false));
    EXPECT_EQ(s->useTextureB[2], 0);

    FakeFiles::chosen = good;
    EXPECT_TRUE(s->LoadLightGelDialog(4));
    EXPECT_EQ(s->gels[4].Height(), 4u);
    std::filesystem::remove(good);
    std::filesystem::remove(bad);
}

TEST(TextureSlots, BitmapFile)
{
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(WriteTextureBitmap(SinkOf(bytes), 1024, 0, OneLayer()));
    ASSERT_EQ(bytes.size(), 3145782u);
    const uint8_t header[] = {'B', 'M', 0x36, 0x00, 0x30, 0x00, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                              0,   4,   0,    0,    0,    4,    0, 0, 1, 0, 24, 0, 0, 0};
    for (size_t i = 0; i < sizeof header; ++i) EXPECT_EQ(bytes[i], header[i]) << "byte " << i;
    for (size_t at = 30; at < 54; at += 4) EXPECT_EQ(U32(bytes, at), 0u) << "field at " << at;
    // A sink that fails stops the writer; the shader's save warns and
    // leaves no file behind, and a good save writes the whole file.
    auto fail = [](void*, const uint8_t*, size_t) { return false; };
    EXPECT_FALSE(WriteTextureBitmap(ByteSink{fail, nullptr}, 16, 1, OneLayer()));
    FakeFiles files;
    auto s = FreshShader();
    s->presets[7] = OneLayer();
    FakeFiles::chosen = TempPath("talvoran_no_such_folder/t.bmp");
    EXPECT_FALSE(s->SaveTextureBitmap(16, 0, 7));
    EXPECT_EQ(FakeFiles::warnings, 1);
    FakeFiles::chosen = TempPath("talvoran_saved_texture.bmp");
    EXPECT_TRUE(s->SaveTextureBitmap(16, 1, 7));
    EXPECT_EQ(std::filesystem::file_size(FakeFiles::chosen), TextureBitmapSize(16));
    EXPECT_EQ(FakeFiles::busy.load(), 0);
    std::filesystem::remove(FakeFiles::chosen);
}

// A texture bitmap that cannot be written whole (the disk fills) leaves the
// picture it was to replace as it was.
TEST(TextureSlots, AFailedBitmapSaveKeepsTheOlderFile)
{
    FakeFiles files;
    auto s = FreshShader();
    s->presets[7] = OneLayer();
    FakeFiles::chosen = TempPath("talvoran_older_texture.bmp");
    const std::string older = "an older picture";
    std::ofstream(FakeFiles::chosen, std::ios::binary) << older;
    gReplacementFileByteLimit = 100;
    EXPECT_FALSE(s->SaveTextureBitmap(16, 1, 7));
    gReplacementFileByteLimit = -1;
    EXPECT_EQ(FakeFiles::warnings, 1);
    std::ifstream in(FakeFiles::chosen, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), older);
    std::filesystem::remove(FakeFiles::chosen);
}

namespace {

// What an independent reader (Python's imaging library) makes of a picture
// file: "W H" and the RGB bytes from the top row down, in hex.
std::string ReadWithImagingLibrary(const std::string& path)
{
    const std::string command = "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                                "im.load(); print(im.size[0], im.size[1], im.convert('RGB').tobytes().hex())\" " +
                                path + " 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

// Bitmaps of every side, odd ones too: each row is 3 n bytes padded to a
// multiple of 4, the header states the file's size, and another program's
// reader sees the pixels the texture's mapping gives.
TEST(TextureSlots, BitmapFilesOfOddSidesReadBack)
{
    auto s = FreshShader();
    const TexturePreset& preset = s->presets[3];
    const std::string path = TempPath("talvoran_odd_bitmap.bmp");
    for (const int n : {1, 2, 3, 5, 6, 7, 13}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(WriteTextureBitmap(SinkOf(bytes), n, 0, preset));
        EXPECT_EQ(bytes.size(), TextureBitmapSize(n)) << n;
        EXPECT_EQ(U32(bytes, 2), bytes.size()) << n;
        EXPECT_EQ(bytes.size(), 54 + static_cast<size_t>(n) * ((3 * n + 3) / 4 * 4)) << n;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        std::string expected = std::to_string(n) + " " + std::to_string(n) + " ";
        char hex[3];
        for (int i = n - 1; i >= 0; --i)  // the file's rows run from the bottom
            for (int j = 0; j < n; ++j) {
                float c[3];
                SampleUv5(c, preset, static_cast<float>(j), static_cast<float>(i), n);
                for (const float v : c) {
                    std::snprintf(hex, sizeof hex, "%02x", ChannelByte(v));
                    expected += hex;
                }
            }
        EXPECT_EQ(ReadWithImagingLibrary(path), expected) << "side " << n;
    }
    std::filesystem::remove(path);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(WriteTextureBitmap(SinkOf(bytes), 40000, 0, preset));  // the size field would overflow
}

}  // namespace
