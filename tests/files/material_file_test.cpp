#include "files/material_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
    // A value a user could type: within its window's range, whole where the window is.
    auto real = [&r](float* p, size_t n, const float* rows, int row = 0) {
        for (size_t i = 0; i < n; ++i) {
            p[i] = std::uniform_real_distribution<float>(rows[6 * row], rows[6 * row + 1])(r);
            TakeWindowValue(rows, row, p[i]);
        }
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
    const float kFree[] = {-50, 50, 0, 0, 0, 0};  // no window of their own
    real(v.ambient, kMaterials, kAmbientRows), real(v.angleA, kMaterials, kAmbientRows, 1);
    real(v.angleC, kMaterials, kAmbientRows, 2), real(v.diffuse, kMaterials, kDiffuseRows);
    real(v.angleB, kMaterials, kDiffuseRows, 1), real(v.specularExponent, kMaterials, kSpecularRows);
    real(v.specular, kMaterials, kSpecularRows, 1), real(v.shadowDepth, kMaterials, kShadowDepthRows);
    real(v.fresnelExt, kMaterials, kFree), real(v.fresnelInt, kMaterials, kFree);
    for (int k = 0; k < 2; ++k) {
        real(&v.fog[k], 1, kFogRows, k), real(&v.averagedOcclusion[k], 1, kAveragedRows, k);
        real(&v.perPixelOcclusion[k], 1, kPerPixelRows, k), real(&v.shadowSampling[k], 1, kShadowSamplingRows, k);
    }
    for (int k = 0; k < 3; ++k) real(&v.volumetricFogColor[k], 1, kVolumetricFogRows, k), real(&v.glow[k], 1, kGlowRows, k);
    real(&v.turbidity, 1, kTurbidityRows), real(&v.gamma, 1, kGammaRows), real(&v.reflectivity, 1, kReflectivityRows);
    real(&v.colorKeep, 1, kColorWeightRows), real(&v.colorMix, 1, kColorWeightRows);
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

// The item fix-ups of old versions add to what the file holds: a damaged
// item at the top of 32 bits is refused like any row past its list.
TEST_F(MaterialFile, OldItemsAtTheTopOfTheirRangeAreRefused)
{
    // Version 5: "Drawing Type" gains two, the light shader and the shadow type one.
    const struct {
        const char* what;
        size_t at;
    } cases[] = {{"Drawing Type", 8 + 7 + 12}, {"Light Distribution Shader", 355}, {"Shadow Type", 363}};
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = OldMaterialFile(5);
        const int32_t top = INT32_MAX;
        std::memcpy(bytes.data() + c.at, &top, 4);
        MaterialSettings s;
        std::string why;
        EXPECT_EQ(ParseMaterialFile(bytes.data(), bytes.size(), &s, &why), FileParseStatus::kDamaged) << c.what;
        EXPECT_NE(why.find(c.what), std::string::npos) << why;
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
// listAt: where each list field lies in the file.
std::vector<uint8_t> FileOfTheLayout(const ListItems& l, std::vector<size_t>* listAt)
{
    OldFile f{31, {}};
    const auto mark = [&] { listAt->push_back(f.b.size()); };
    f.Put(uint32_t{31}), f.Put(uint32_t{1});
    f.Zeros(7 + 12);                                   // switch bytes, fog colour
    mark(), f.Put(l.drawingType), mark(), f.Put(l.backgroundType);
    f.Zeros(1), f.Put(uint8_t{'#'}), f.Zeros(259);     // background unused, its name
    f.Put(uint32_t{1}), f.Put(uint32_t{1}), f.Zeros(3);  // 1 x 1 pixels
    f.Zeros(48);                                       // six slider pairs
    mark(), f.Put(l.lightShader), mark(), f.Put(l.lightShader), mark(), f.Put(l.shadowType);
    f.Zeros(2 + 16 + 280 + 20 + 2 * 10 * 768 + 40);    // occlusion .. texture flags
    f.Zeros(20 + 240);                                 // solid colours
    mark(), f.Put(l.materialBlend), f.Put(0.0f), f.Put(1.0f);  // gamma and its second value
    f.Zeros(2 + 8), mark(), f.Put(l.occlusionOption), f.Zeros(2);
    f.Zeros(768 + 4 + 120);                            // fog gradient, "Intensity", angles
    f.Zeros(10);
    for (int m = 0; m < 10; ++m) {
        if (m == 3) mark();
        f.Put(m == 3 ? l.materialType : 0u);
    }
    f.Zeros(5 + 80 + 30 + 1);                          // reflections, curve modes, previews, ray casting
    mark(), f.Put(l.coloringMode), f.Zeros(12), mark(), f.Put(l.blending), mark(), f.Put(l.blending), f.Zeros(8);
    f.Zeros(14);
    return f.b;
}

// The lists the file names by their items, top down ("Drawing Type" 0
// "Grayscale" .. 6 "Stipple", "Background Type" 0 "SkyLight"), come into the
// model's rows, counted from the bottom, and go out as the same items; the
// lists stored as their selections keep their numbers (the colouring mode
// and the blend modes are the numbers the modes carry: 8 "Standard",
// "Replace"). Saved again, every list field is written as it was read
// (the values of the option windows come back in their windows' ranges).
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
        std::vector<size_t> listAt;
        const std::vector<uint8_t> bytes = FileOfTheLayout(c.stored, &listAt);
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
        const std::vector<uint8_t> again = Written();
        ASSERT_EQ(again.size(), bytes.size());
        for (size_t at : listAt) {
            EXPECT_TRUE(std::equal(bytes.begin() + at, bytes.begin() + at + 4, again.begin() + at))
                << "saved again, item " << c.stored.drawingType << ", field at " << at;
        }
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

// A file's values are taken as the windows take typed ones: a value that is
// not a number, or a row past its list, refuses the file; one beyond a
// window's clamp comes in at the clamp.
TEST_F(MaterialFile, ValuesAreTakenAsTheWindowsTakeThem)
{
    MaterialValues v = RandomValues(4);
    v.gamma = 3.25f, v.shadowDepth[3] = 0.625f, v.drawingType = 2;  // markers the writer puts down
    InstallValues(v);
    const std::vector<uint8_t> good = Written();
    auto at = [&good](float marker) {
        const auto* m = reinterpret_cast<const uint8_t*>(&marker);
        const auto found = std::search(good.begin(), good.end(), m, m + 4);
        EXPECT_NE(found, good.end());
        return static_cast<size_t>(found - good.begin());
    };
    auto bits = [](float f) {
        uint32_t w;
        std::memcpy(&w, &f, 4);
        return w;
    };
    constexpr size_t kDrawingType = 8 + 7 + 12, kBackgroundType = kDrawingType + 4;
    const struct {
        const char* what;
        size_t at;
        uint32_t word;
        bool read;
        float gamma, depth;
    } cases[] = {
        {"a gamma that is not a number", at(3.25f), 0x7FC00000u, false, 0, 0},
        {"a shadow depth that is not a number", at(0.625f), 0xFFC00001u, false, 0, 0},
        {"\"Drawing Type\" row 7 of 7", kDrawingType, 7, false, 0, 0},
        {"\"Drawing Type\" as four bytes flipped", kDrawingType, 0x02000000u, false, 0, 0},
        {"\"Background Type\" row -1", kBackgroundType, 0xFFFFFFFFu, false, 0, 0},
        {"a gamma of 40", at(3.25f), bits(40.0f), true, 4.0f, 0.625f},
        {"an infinite shadow depth", at(0.625f), 0x7F800000u, true, 3.25f, 1.0f},
    };
    InstallValues(RandomValues(5));
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + c.at, &c.word, 4);
        const MaterialValues before = CaptureMaterialValues();
        EXPECT_EQ(Load(bytes) == FileParseStatus::kRead, c.read) << c.what;
        const MaterialValues after = CaptureMaterialValues();
        if (!c.read) {
            EXPECT_TRUE(after == before) << c.what;
            continue;
        }
        EXPECT_EQ(after.gamma, c.gamma) << c.what;
        EXPECT_EQ(after.shadowDepth[3], c.depth) << c.what;
        EXPECT_EQ(after.drawingType, 2) << c.what;
    }
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
