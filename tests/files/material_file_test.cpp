#include "files/material_file.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/file_dialogs.h"
#include "engine/point_coloring.h"
#include "platform/scripted_dialogs.h"
#include "shading/shading_settings.h"
#include "support/baseshape_state.h"
#include "support/old_files.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// Every material value drawn from a seeded stream, each within its list.
MaterialValues RandomValues(uint32_t seed)
{
    std::mt19937 r(seed);
    MaterialValues v;
    auto real = [&r](float* p, size_t n) {
        for (size_t i = 0; i < n; ++i) p[i] = std::uniform_real_distribution<float>(-50, 50)(r);
    };
    auto bytes = [&r](uint8_t* p, size_t n, uint32_t mod) {
        for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(r() % mod);
    };
    auto row = [&r](auto& x, uint32_t rows) { x = static_cast<std::remove_reference_t<decltype(x)>>(r() % rows); };
    for (uint8_t* flag : {&v.drawingShadersOn, &v.backgroundOn, &v.volumetricFogOn, &v.fogOn, &v.useBackgroundImage,
                          &v.glowOn, &v.backgroundFog, &v.reflectionsOn, &v.rayCasting})
        bytes(flag, 1, 2);
    for (uint8_t* flags : {v.useColorMapA, v.useColorMapB, v.useTextureA, v.useTextureB, v.textureFlagC,
                           v.textureFlagD, v.solidA, v.solidB, v.surfaceOn, v.materialFinalFlag})
        bytes(flags, kMaterials, 2);
    bytes(v.occlusion, 2, 2), bytes(v.finalSwitches, 4, 2), bytes(&v.panelByte, 1, 256);
    bytes(&v.colorMaps[0][0][0], sizeof v.colorMaps, 256), bytes(&v.fogGradient[0][0], sizeof v.fogGradient, 256);
    bytes(&v.preview[0][0], sizeof v.preview, 256);
    for (int m = 0; m < kMaterials; ++m) {
        for (int c = 0; c < 3; ++c) v.solidColorA[m][c] = r() % 256, v.solidColorB[m][c] = r() % 256;
        row(v.materialType[m], kMaterialTypeCount), row(v.curveModeA[m], 7), row(v.curveModeB[m], 7);
    }
    for (int c = 0; c < 3; ++c) row(v.fogColor[c], 256);
    row(v.drawingType, 7), row(v.backgroundType, 2), row(v.lightDistribution, 8), row(v.shadowType, 4);
    row(v.materialBlend, 9), row(v.occlusionOption, 3), row(v.coloringMode, 9), row(v.colorBlendMode, 9);
    for (float* f : {v.ambient, v.diffuse, v.specularExponent, v.specular, v.fresnelExt, v.fresnelInt, v.shadowDepth,
                     v.angleA, v.angleB, v.angleC})
        real(f, kMaterials);
    real(v.fog, 2), real(&v.turbidity, 1), real(v.volumetricFogColor, 3), real(v.averagedOcclusion, 2);
    real(v.perPixelOcclusion, 2), real(&v.gamma, 1), real(v.glow, 3), real(&v.reflectivity, 1);
    real(&v.colorKeep, 1), real(&v.colorMix, 1), real(v.shadowSampling, 2);
    return v;
}

void InstallValues(const MaterialValues& v)
{
    MaterialSettings s;
    s.v = v;
    InstallMaterialSettings(s);
}

SlotImagePtr Picture(uint32_t w, uint32_t h, uint8_t seed)
{
    auto image = std::make_unique<SlotImage>();
    image->width = w, image->height = h;
    for (uint32_t i = 0; i < w * h * 3; ++i) image->pixels.push_back(static_cast<uint8_t>(seed + 7 * i));
    return image;
}

std::vector<uint8_t> Pixels(const TextureSlot& slot) { return slot.Image()->pixels; }

std::vector<uint8_t> Written()
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(WriteMaterialFile(SinkOf(bytes)));
    return bytes;
}

FileParseStatus Load(const std::vector<uint8_t>& bytes)
{
    MaterialSettings s;
    const FileParseStatus status = ParseMaterialFile(bytes.data(), bytes.size(), &s, nullptr);
    if (status == FileParseStatus::kRead) InstallMaterialSettings(s);
    return status;
}

class MaterialFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gShader.InitializeTextures(); }
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        InstallValues(RandomValues(1));
        gShader.slots[2].Replace(Picture(3, 2, 40));
        gShader.slots[kMaterials + 5].Replace(Picture(1, 4, 90));
        gShader.slots[kBackgroundSlot].Replace(Picture(5, 5, 7));
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
};

TEST_F(MaterialFile, RoundTripReproducesEveryValueImageAndThumbnail)
{
    MaterialValues saved = RandomValues(2);
    saved.useTextureA[2] = 1, saved.solidA[2] = 0, saved.useTextureB[5] = 1, saved.solidB[5] = 0;
    saved.useTextureA[6] = 0, saved.solidA[6] = 0;
    InstallValues(saved);
    const MaterialValues before = CaptureMaterialValues();
    const std::vector<uint8_t> a = Pixels(gShader.slots[2]), b = Pixels(gShader.slots[kMaterials + 5]);
    const std::vector<uint8_t> background = Pixels(gShader.slots[kBackgroundSlot]);
    const std::vector<uint8_t> bytes = Written();

    InstallValues(RandomValues(3));
    gShader.slots[2].Replace(Picture(2, 2, 1));
    gShader.thumbnailA[6].Fill(9, 9, 9);
    ASSERT_FALSE(CaptureMaterialValues() == before);
    ASSERT_EQ(Load(bytes), FileParseStatus::kRead);
    EXPECT_TRUE(CaptureMaterialValues() == before);
    EXPECT_EQ(gShadingSettings.drawingType, saved.drawingType);
    EXPECT_EQ(gColoringMode.load(), saved.coloringMode);
    EXPECT_EQ(Pixels(gShader.slots[2]), a);
    EXPECT_EQ(Pixels(gShader.slots[kMaterials + 5]), b);
    EXPECT_EQ(Pixels(gShader.slots[kBackgroundSlot]), background);
    EXPECT_STREQ(gShader.slots[2].name1, "#");
    // An unused texture shows a black thumbnail; a used one its picture.
    EXPECT_EQ(gShader.thumbnailA[6].rgb[0] + gShader.thumbnailA[6].rgb[kThumbnailBytes - 1], 0);
    EXPECT_EQ(gShader.thumbnailA[2].rgb[0], a[0]);
}

TEST_F(MaterialFile, OldVersionsTakeTheirDefaults)
{
    struct Case {
        uint32_t version;
        uint8_t flag4, flag5;
        int32_t drawingType, lightDistribution, shadowType;
    };
    // Item 1 ("Black and White") is stored; one item is added below 11 and
    // below 27; the old flag bytes force item 6 ("Stipple"), byte 4 winning
    // with item 5 ("Color Shaded"). The model keeps rows from the bottom.
    const Case cases[] = {
        {19, 0, 0, kDrawingStandard, 0, 0},      {19, 1, 0, kDrawingColorShaded, 0, 0},
        {19, 1, 1, kDrawingColorShaded, 0, 0},   {26, 0, 1, kDrawingStipple, 0, 0},
        {27, 0, 0, kDrawingBlackAndWhite, 0, 0}, {10, 0, 0, kDrawingRadialGradient, 1, 0},
        {5, 0, 0, kDrawingRadialGradient, 1, 1}, {3, 0, 0, kDrawingRadialGradient, 1, 3},
        {0, 0, 0, kDrawingRadialGradient, 1, 3},
    };
    for (const Case& c : cases) {
        InstallValues(RandomValues(c.version));
        ASSERT_EQ(Load(OldMaterialFile(c.version, c.flag4, c.flag5)), FileParseStatus::kRead) << c.version;
        const MaterialValues v = CaptureMaterialValues();
        EXPECT_EQ(v.drawingType, c.drawingType) << c.version;
        EXPECT_EQ(v.drawingShadersOn, c.flag4 || c.flag5) << c.version;
        EXPECT_EQ(v.lightDistribution, c.lightDistribution) << c.version;
        EXPECT_EQ(v.shadowType, c.shadowType) << c.version;
        if (c.version >= 20) continue;
        // Before version 20: the curve modes, preview colours and colouring of the defaults.
        EXPECT_EQ(v.curveModeA[9], 6u);
        EXPECT_EQ(v.curveModeB[0], 5u);
        EXPECT_EQ(v.preview[1][4], 255);
        EXPECT_EQ(v.coloringMode, 7);
        EXPECT_FLOAT_EQ(v.shadowSampling[1], 60.0f);
        EXPECT_FLOAT_EQ(v.reflectivity, c.version >= 15 ? 0.0f : 0.5f);
    }
}

// A version-31 file written field by field from the layout of the format,
// every value 0 but the list items given, no texture in use, a 1 x 1
// background, the fields the writer doubles written as it doubles them.
struct ListItems {
    int32_t drawingType, backgroundType, lightShader, shadowType, materialBlend, occlusionOption, coloringMode,
        blending;
    uint32_t materialType;
};
std::vector<uint8_t> FileOfTheLayout(const ListItems& l)
{
    OldFile f{31, {}};
    f.Put(uint32_t{31}), f.Put(uint32_t{1});
    f.Zeros(7 + 12);                                   // switch bytes, fog colour
    f.Put(l.drawingType), f.Put(l.backgroundType);
    f.Zeros(1), f.Put(uint8_t{'#'}), f.Zeros(259);     // background unused, its name
    f.Put(uint32_t{1}), f.Put(uint32_t{1}), f.Zeros(3);  // 1 x 1 pixels
    f.Zeros(48);                                       // six slider pairs
    f.Put(l.lightShader), f.Put(l.lightShader), f.Put(l.shadowType);
    f.Zeros(2 + 16 + 280 + 20 + 2 * 10 * 768 + 40);    // occlusion .. texture flags
    f.Zeros(20 + 240);                                 // solid colours
    f.Put(l.materialBlend), f.Put(0.0f), f.Put(1.0f);  // gamma and its second value
    f.Zeros(2 + 8), f.Put(l.occlusionOption), f.Zeros(2);
    f.Zeros(768 + 4 + 120);                            // fog gradient, "Intensity", angles
    f.Zeros(10);
    for (int m = 0; m < 10; ++m) f.Put(m == 3 ? l.materialType : 0u);
    f.Zeros(5 + 80 + 30 + 1);                          // reflections, curve modes, previews, ray casting
    f.Put(l.coloringMode), f.Zeros(12), f.Put(l.blending), f.Put(l.blending), f.Zeros(8);
    f.Zeros(14);
    return f.b;
}

// The lists the file names by their items, top down ("Drawing Type" 0
// "Grayscale" .. 6 "Stipple", "Background Type" 0 "SkyLight"), come into the
// model's rows, counted from the bottom, and go out as the same items; the
// lists stored as their selections keep their numbers (the colouring mode
// and the blend modes are the numbers the modes carry: 8 "Standard",
// "Replace"). Loading and saving gives back the file byte for byte.
TEST_F(MaterialFile, ListsAreStoredAsTheItemsTheyName)
{
    struct Case {
        ListItems stored;
        int32_t drawingRow, backgroundRow;
    };
    const Case cases[] = {
        {{0, 0, 7, 3, 8, 2, 8, 8, 0}, kDrawingGrayscale, kBackgroundSky},
        {{2, 1, 0, 0, 0, 0, 0, 0, 16}, kDrawingStandard, 0},
        {{5, 0, 3, 1, 7, 1, 7, 6, 5}, kDrawingColorShaded, kBackgroundSky},
        {{6, 1, 5, 2, 4, 0, 1, 2, 9}, kDrawingStipple, 0},
        {{4, 0, 1, 3, 2, 2, 3, 0, 1}, kDrawingAngularGradient, kBackgroundSky},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = FileOfTheLayout(c.stored);
        InstallValues(RandomValues(c.stored.drawingType + 10));
        for (int m = 0; m < kMaterials; ++m) gShader.useTextureA[m] = gShader.useTextureB[m] = 0;
        ASSERT_EQ(Load(bytes), FileParseStatus::kRead) << c.stored.drawingType;
        const MaterialValues v = CaptureMaterialValues();
        EXPECT_EQ(v.drawingType, c.drawingRow) << c.stored.drawingType;
        EXPECT_EQ(v.backgroundType, c.backgroundRow) << c.stored.drawingType;
        EXPECT_EQ(v.lightDistribution, c.stored.lightShader);
        EXPECT_EQ(v.shadowType, c.stored.shadowType);
        EXPECT_EQ(v.materialBlend, c.stored.materialBlend);
        EXPECT_EQ(v.occlusionOption, c.stored.occlusionOption);
        EXPECT_EQ(gColoringMode.load(), c.stored.coloringMode);
        EXPECT_EQ(v.colorBlendMode, c.stored.blending);
        EXPECT_EQ(v.materialType[3], c.stored.materialType);
        EXPECT_EQ(Written(), bytes) << "saved again, item " << c.stored.drawingType;
    }
}

// Each refused file leaves every material value and the texture as they were.
TEST_F(MaterialFile, HostileFilesChangeNothing)
{
    const std::vector<uint8_t> good = Written();
    constexpr size_t kBackgroundSize = 8 + 7 + 12 + 9 + 260;
    constexpr size_t kNameLength = kBackgroundSize + 8 + 75 + 48 + 12 + 18 + 280 + 20 + 15360 + 40;
    auto patched = [&good](size_t at, uint32_t word, uint32_t next) {
        std::vector<uint8_t> b = good;
        std::memcpy(b.data() + at, &word, 4);
        std::memcpy(b.data() + at + 4, &next, 4);
        return b;
    };
    std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
        {"version 32", patched(0, 32, 1)},
        {"a name length of 261", patched(kNameLength, 261, 260)},
        {"a background of 2^32 pixels", patched(kBackgroundSize, 65536, 65536)},
        {"empty", {}},
    };
    for (size_t cut = 1; cut < good.size(); cut += good.size() / 40)
        files.emplace_back("truncated", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)));
    const MaterialValues before = CaptureMaterialValues();
    const std::vector<uint8_t> texture = Pixels(gShader.slots[2]);
    for (const auto& [what, bytes] : files) {
        EXPECT_NE(Load(bytes), FileParseStatus::kRead) << what;
        EXPECT_TRUE(CaptureMaterialValues() == before) << what;
        EXPECT_EQ(Pixels(gShader.slots[2]), texture) << what;
    }
    EXPECT_EQ(Load(files[0].second), FileParseStatus::kNewerVersion);
}

// The actions through the dialog seam (the program test saves and loads): a
// newer file gets the "Notice" box and changes nothing; a cancel writes nothing.
TEST_F(MaterialFile, NewerFileGetsTheNoticeAndCancelWritesNothing)
{
    const std::string path = TempPath("newer.bmat");
    std::vector<uint8_t> newer = Written();
    newer[0] = 32;
    WriteBytes(path, newer);
    InstallValues(RandomValues(10));
    const MaterialValues other = CaptureMaterialValues();
    dialogs_.QueueFile(path);
    dialogs_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_FALSE(LoadMaterial());
    EXPECT_TRUE(CaptureMaterialValues() == other);
    const std::vector<DialogPrompt> prompts = dialogs_.Prompts();
    ASSERT_EQ(prompts.back().kind, DialogPrompt::Kind::Message);
    EXPECT_EQ(prompts.back().message.caption, "Notice");
    EXPECT_NE(prompts.back().message.text.find("Action cancelled."), std::string::npos);
    dialogs_.QueueFileCancel();
    EXPECT_FALSE(SaveMaterial());
    EXPECT_EQ(gFileOperationBusy.load(), 0);
}

}  // namespace
