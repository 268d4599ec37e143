#include "files/fractal_data_file.h"

#include <gtest/gtest.h>

#include <bit>

#include <algorithm>
#include <ostream>
#include <cstring>

#include "engine/baseshape_images.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "engine/transform_set.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/preview_passes.h"
#include "shading/shading_settings.h"
#include "support/baseshape_state.h"
#include "support/old_files.h"

namespace {

// The picker's row is 415 in every loaded baseshape.
const BaseshapeDefaults kDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 164.0f, 415.0f, 0, 1};

// What a load may change, as bytes: records, counts, published arrays, view,
// light, symmetry, baseshapes with their pixels, lights, colours, buffers.
// The model's bytes, and the material values compared field by field: their
// padding bytes hold whatever the stack held.
struct State {
    std::vector<uint8_t> bytes;
    MaterialValues material;
    bool operator==(const State& o) const { return bytes == o.bytes && material == o.material; }
};

std::ostream& operator<<(std::ostream& out, const State& state)
{
    return out << state.bytes.size() << " model bytes";
}

State FractalState()
{
    std::vector<uint8_t> s;
    auto add = [&s](const auto& value) {
        const auto* b = reinterpret_cast<const uint8_t*>(&value);
        s.insert(s.end(), b, b + sizeof value);
    };
    auto bytes = [&s](const void* p, size_t n) {
        if (p) s.insert(s.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    };
    add(gTransforms), add(gTransformCount), add(gPickTransformCount), add(gTransformCoefficients);
    add(gTransformWeights), add(gTransformColors), add(gMobiusCoefficients), add(gFractalType), add(gForbiddenSuccessors);
    add(gViewCentre), add(gViewScale), add(gCameraRotation), add(gCameraMatrix), add(gCameraGLMatrix);
    add(gShadowOffsetX), add(gShadowOffsetZ), add(gShadowScale), add(gCameraAngleY), add(gPanX), add(gPanY);
    add(gPerspectiveFocal), add(gPerspectiveEye), add(gPerspectiveOn), add(gPointPreviewZoom), add(gImageScale);
    add(gImageOffsetX), add(gLightTrackBallA), add(gLightTrackBallB), add(gLightViewMatrix), add(gMirrorCopy);
    add(gMirrorY), add(gFogJitterRadius), add(gProjectionSelector), add(gFastShadowUpdate), add(gImageWidth);
    add(gImageHeight), add(gSymmetryMode), add(gSymmetryOn), add(gSymmetrySeparation), add(gSymmetryFoldCount);
    add(gBaseshapes), add(gBaseshapeCount), add(gUseBaseshapes), add(gBaseshapeEditPoints), add(gBaseshapePointTemplates);
    add(gBaseshapeColorRamps), add(gBaseshapeColors), add(gBaseshapeModifierType), add(gBaseshapeArrayAngle);
    add(gBaseshapeNeonColor), add(gBaseshapeSpin), add(gBaseshapeWaveType), add(gShader.lights), add(gEscapeGradient);
    add(gMandelbrotCentre), add(gMandelbrotScale), add(gEscapeFunction), add(gFractalGeneratorRow);
    for (int i = 0; i < gBaseshapeCount; ++i) {
        bytes(gBaseshapeTextures[i].pixels, size_t{gBaseshapeTextures[i].width} * gBaseshapeTextures[i].height * 3);
        bytes(gBaseshapeMeshes[i].vertices, size_t{gBaseshapeMeshes[i].triangleCount} * 36);
    }
    for (int l = 0; l < kLightCount; ++l) {
        const SlotImageHold gel = gShader.gels[l].Image();
        if (gel) bytes(gel->pixels.data(), gel->pixels.size());
    }
    const size_t pixels = size_t{static_cast<uint32_t>(gImageWidth)} * static_cast<uint32_t>(gImageHeight);
    bytes(gDepthBuffer, pixels * 4), bytes(gShadowMap, size_t{static_cast<uint32_t>(gImageWidth)} * gImageWidth * 2);
    bytes(gColorIndexBuffer, pixels), bytes(gDofDepthBuffer, pixels * 2), bytes(gPointColorPlanes[2], pixels);
    bytes(gSubPixelBuffer, pixels * 2);
    return {s, CaptureMaterialValues()};
}

// A scene of type `type`: three transformations, two baseshapes (one with
// a texture and a colour table, one a mesh), two lights, symmetry, colours,
// forbidden pairs and a drawn render of 64 x 48.
void MakeScene(int type)
{
    ASSERT_TRUE(AllocateRenderBuffers(64, 48, false));
    gFractalType = type;
    gTransformCount = gPickTransformCount = 3;
    for (int t = 0; t < 3; ++t) {
        TransformRecord& r = gTransforms[t];
        for (int k = 0; k < 9; ++k) r.rotation[k] = 0.1f * static_cast<float>(k - t), r.scaleShear[k] = 0.5f + k;
        r.position[t] = 1.5f, r.weight = 0.2f + 0.3f * t, r.variationOn[t + 1] = 1, r.variationAmount[9] = 3.0f;
        ComposeTransformation(t);
        gTransformColors.g[t] = 40 * t, gForbiddenSuccessors[t][1] = (t + 1) % 3;
    }
    for (int i = 0; i < 2; ++i) {
        InitNewBaseshape(kDefaults, i);
        gBaseshapes[i].shapeType = i == 0 ? 1 : 58;
        gBaseshapes[i].position[2] = 0.5f + i;
        gBaseshapeColors.b[i] = 70 + i;
        ComputeBaseshapeMatrix(i);
    }
    ClearBaseshapeMesh(1);
    gBaseshapes[0].useTexture = gBaseshapes[0].useGradient = 1, gBaseshapes[0].blendMode = 3;
    auto* rgb = static_cast<uint8_t*>(std::malloc(12));
    for (int k = 0; k < 12; ++k) rgb[k] = static_cast<uint8_t>(9 * k);
    InstallBaseshapeImage(gBaseshapeTextures[0], rgb, 2, 2);
    gBaseshapeColorRamps[0].r[7] = 77;
    gBaseshapeCount = 2, gUseBaseshapes = 1;
    for (int l : {1, 4}) gShader.lights[l].enabled = 1, gShader.lights[l].radius = 0.25f * l;
    gShader.lights[1].textured = 1;
    gShader.gels[1].Replace(MakeSolidImage(3, 2, 10, 20, 30));
    gSymmetryMode = 12, gSymmetryOn = 1, gSymmetrySeparation = 0.75f, gSymmetryFoldCount = 5.0f;
    SetSymmetryCopyWeights();
    gMirrorY = 1, gViewScale = 2.0f, gViewCentre[1] = -0.5f, gPanX = 12.0f, gPointPreviewZoom = 1.5f;
    gLightTrackBallA[0] = 0.6f, gLightTrackBallA[2] = 0.8f;
    gCameraRotation[1] = gCameraMatrix[1] = gCameraGLMatrix[4] = 0.25f;
    gCameraAngleY = 30.0f, gShadowOffsetZ = 3.0f, gFogJitterRadius = 0.125f, gMandelbrotScale = 0.5f;
    gFractalGeneratorRow = 7, gEscapeFunction = 2;
    gEscapeGradient.b[100] = 5;
    const float halfW = 32, halfH = 24;
    gImageScale = halfH * gPointPreviewZoom, gImageOffsetX = halfW + gPanX, gImageOffsetY = halfH + gPanY;
    UpdateLightViewMatrix();
    gFastShadowUpdate = 1, gShader.currentMaterial = 0;
    // The glow as its window starts: a file's values come in as the windows take them.
    for (int k = 0; k < 3; ++k) gShader.glow[k] = kGlowRows[6 * k + 2];
    SetColoringMode(3);
    for (int p = 0; p < 64 * 48; ++p) {
        gDepthBuffer[p] = static_cast<float>(p % 97), gColorIndexBuffer[p] = static_cast<uint8_t>(p);
        gDofDepthBuffer[p] = static_cast<uint16_t>(3 * p), gPointColorPlanes[2][p] = static_cast<uint8_t>(p / 7);
        gSubPixelBuffer[2 * p + 1] = static_cast<uint8_t>(p / 3);
    }
    for (int p = 0; p < 64 * 64; ++p) gShadowMap[p] = static_cast<uint16_t>(p);
}

std::vector<uint8_t> Written(bool buffers, const FractalPanelValues& panel = {})
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(WriteFractalDataFile(SinkOf(bytes), buffers, panel));
    return bytes;
}

bool Resize(int32_t w, int32_t h, bool aa) { return AllocateRenderBuffers(w, h, aa); }

FileParseStatus Load(const std::vector<uint8_t>& bytes, bool buffers, FractalPanelValues* panel = nullptr,
                     RenderBufferResize resize = Resize)
{
    auto doc = std::make_unique<FractalDataDocument>();
    const FileParseStatus status = ParseFractalDataFile(bytes.data(), bytes.size(), buffers, doc.get(), nullptr);
    if (status != FileParseStatus::kRead) return status;
    if (!InstallFractalData(*doc, resize)) return FileParseStatus::kNoMemory;
    if (panel) *panel = doc->panel;
    return status;
}

size_t Find(const std::vector<uint8_t>& bytes, std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> pattern(words.size() * 4);
    std::memcpy(pattern.data(), std::data(words), pattern.size());
    const auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    EXPECT_NE(at, bytes.end());
    return static_cast<size_t>(at - bytes.begin());
}

class FractalDataFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gShader.InitializeTextures(); }
    void TearDown() override { FreeRenderBuffers(); }
};

TEST_F(FractalDataFile, BufferFileRoundTripReproducesTheModel)
{
    MakeScene(0);
    FractalPanelValues panel;
    panel.perspectiveAngle = 33.0f, panel.animationFrames[1] = 90.0f, panel.escapeValue = 0.7f, panel.imageType = 0;
    const State state = FractalState();
    const std::vector<uint8_t> bytes = Written(true, panel);
    ASSERT_EQ(Load(OldFractalFile(31), false), FileParseStatus::kRead);
    ASSERT_NE(FractalState(), state);
    FractalPanelValues loaded;
    ASSERT_EQ(Load(bytes, true, &loaded), FileParseStatus::kRead);
    EXPECT_EQ(FractalState(), state);
    EXPECT_EQ(loaded.perspectiveAngle, 33.0f);
    EXPECT_EQ(loaded.animationFrames[1], 90.0f);
    EXPECT_EQ(loaded.escapeValue, 0.7f);
    EXPECT_EQ(loaded.imageType, 0);
    EXPECT_STREQ(gBaseshapeTextures[0].name, "#");
}

// The parameters file takes the stored size and leaves the buffers cleared;
// a weight sum of 0 gives equal weights.
TEST_F(FractalDataFile, ParametersFileClearsTheBuffersAndEvensZeroWeights)
{
    MakeScene(0);
    for (int t = 0; t < 3; ++t) gTransforms[t].weight = 0.0f;
    const std::vector<uint8_t> bytes = Written(false);
    ASSERT_TRUE(AllocateRenderBuffers(32, 32, false));
    gDepthBuffer[5] = 1.0f;
    ASSERT_EQ(Load(bytes, false), FileParseStatus::kRead);
    EXPECT_EQ(gImageWidth, 64);
    EXPECT_EQ(gImageHeight, 48);
    EXPECT_EQ(*std::max_element(gDepthBuffer, gDepthBuffer + 64 * 48), 0.0f);
    for (int t = 0; t < 3; ++t) EXPECT_FLOAT_EQ(gTransformWeights[t], 1.0f / 3.0f);
}

TEST_F(FractalDataFile, ScriptAndGeneratorChainsComeBack)
{
    MakeScene(22);
    ScriptProgram& s = gScriptProgram;
    s = ScriptProgram{};
    s.tformCount = 3, s.operationCount = 5, s.parameterCount = 7;
    for (int k = 0; k < 13; ++k) s.tformOperationCount[k] = static_cast<uint8_t>(k + 1), s.tformWeight[k] = 0.1f * k;
    for (int k = 0; k < 17; ++k) s.parameters[k] = 1.5f * k;
    for (int k = 0; k < 15; ++k) s.operationCode[k] = static_cast<uint8_t>(k), s.operationFirstParameter[k] = 2;
    const ScriptProgram script = s;
    std::vector<uint8_t> bytes = Written(false);
    s = ScriptProgram{};
    ASSERT_EQ(Load(bytes, false), FileParseStatus::kRead);
    EXPECT_TRUE(s.tformCount == 3 && s.operationCount == 5 && s.parameterCount == 7);
    auto same = [](const auto& a, const auto& b) { return std::memcmp(a, b, sizeof a) == 0; };
    EXPECT_TRUE(same(s.tformOperationCount, script.tformOperationCount) && same(s.tformWeight, script.tformWeight) &&
                same(s.parameters, script.parameters) && same(s.operationCode, script.operationCode) &&
                same(s.operationFirstParameter, script.operationFirstParameter));

    MakeScene(48);
    GeneratorGroup* groups = NewGeneratorGroupArray(3);
    const uint8_t types[2] = {25, 7};
    for (int g = 0; g < 3; ++g) BuildGeneratorGroup(groups[g], 0.25f * g, g == 1 ? 2 : 1, types);
    groups[1].parameters[0][15] = 4.5f;
    ReplaceGeneratorGroups(groups, 3);
    bytes = Written(false);
    ReplaceGeneratorGroups(nullptr, 0);
    ASSERT_EQ(Load(bytes, false), FileParseStatus::kRead);
    ASSERT_EQ(gGeneratorGroupCount, 3);
    EXPECT_EQ(gGeneratorGroups[1].blockCount, 2);
    EXPECT_EQ(gGeneratorGroups[1].blockTypes[1], 7);
    EXPECT_EQ(gGeneratorGroups[1].parameters[0][15], 4.5f);
    EXPECT_EQ(gGeneratorGroups[2].weight, 0.5f);
    EXPECT_EQ(gGeneratorGroups[1].functions[0], GetGeneratorFunction(25));
}

// The material block names "Drawing Type" and "Background Type" by their
// items from the top, the animation block "Image Type" as 0 BMP, 1 PNG;
// the model keeps rows from the bottom. Saved again, the same items.
TEST_F(FractalDataFile, ListsOfTheMaterialAndAnimationBlocksAreTheirItems)
{
    struct Case {
        uint32_t version;
        StoredItems stored;
        int32_t drawingRow, backgroundRow, imageTypeRow;
    };
    // Item 1 before 27 gains one item ("Standard" from version 11, two
    // before); files before 10 have no animation block: PNG.
    const Case cases[] = {
        {31, {0, 0, 0}, kDrawingGrayscale, kBackgroundSky, 1},
        {31, {2, 1, 1}, kDrawingStandard, 0, 0},
        {31, {6, 0, 0}, kDrawingStipple, kBackgroundSky, 1},
        {26, {1, 1, 1}, kDrawingStandard, 0, 0},
        {9, {1, 0, 0}, kDrawingRadialGradient, kBackgroundSky, 0},
    };
    for (const Case& c : cases) {
        MakeScene(0);
        FractalPanelValues panel;
        ASSERT_EQ(Load(OldFractalFile(c.version, 0, c.stored), false, &panel), FileParseStatus::kRead) << c.version;
        EXPECT_EQ(gShadingSettings.drawingType, c.drawingRow) << c.version << " " << c.stored.drawingType;
        EXPECT_EQ(gShadingSettings.backgroundType, c.backgroundRow) << c.version;
        EXPECT_EQ(panel.imageType, c.imageTypeRow) << c.version;
        if (c.version != 31) continue;
        // Saved again: the items sit after the fog colour and after the
        // three frame values, both made easy to find.
        const int fog[3] = {17, 34, 51};
        gShader.SetFogColor(fog);
        panel.animationFrames[0] = 12345.0f, panel.animationFrames[1] = 23456.0f, panel.animationFrames[2] = 7.0f;
        const std::vector<uint8_t> again = Written(false, panel);
        int32_t items[3];
        std::memcpy(items, again.data() + Find(again, {17, 34, 51}) + 12, 8);
        const size_t frames = Find(again, {std::bit_cast<uint32_t>(12345.0f), std::bit_cast<uint32_t>(23456.0f)});
        std::memcpy(&items[2], again.data() + frames + 12, 4);
        EXPECT_EQ(items[0], c.stored.drawingType);
        EXPECT_EQ(items[1], c.stored.backgroundType);
        EXPECT_EQ(items[2], c.stored.imageType);
    }
}

TEST_F(FractalDataFile, OldVersionsTakeTheirDefaults)
{
    struct Case {
        uint32_t version;
        int32_t symmetryIndex, mode, coloringMode, transformRed;
    };
    // Symmetry: none before 4; an index counted from the other end, two places
    // off before 11; the mode itself from 24.
    const Case cases[] = {
        {1, 0, 100, 8, 255}, {3, 0, 100, 8, 255}, {9, 0, 7, 8, 255},   {9, 8, 100, 8, 255}, {12, 2, 7, 8, 255},
        {13, 10, 100, 8, 255}, {19, 3, 6, 8, 255}, {20, 3, 6, 0, 0}, {25, 12, 12, 0, 0}, {26, 100, 100, 0, 0},
    };
    for (const Case& c : cases) {
        MakeScene(0);
        ASSERT_EQ(Load(OldFractalFile(c.version, c.symmetryIndex), false), FileParseStatus::kRead) << c.version;
        EXPECT_EQ(gSymmetryMode.load(), c.mode) << c.version;
        EXPECT_EQ(gSymmetryOn.load(), c.mode != 100) << c.version;
        EXPECT_EQ(gShader.lights[4].enabled, 0) << c.version;  // reset before 13, stored off after
        EXPECT_EQ(gForbiddenSuccessors[0][1], c.version < 26 ? -1 : 0) << c.version;
        EXPECT_EQ(gColoringMode.load(), c.coloringMode) << c.version;
        EXPECT_EQ(gTransformColors.r[0], c.transformRed) << c.version;
        EXPECT_EQ(gShadingSettings.shadowType, c.version < 4 ? 3 : (c.version < 8 ? 1 : 0)) << c.version;
        EXPECT_EQ(gFastShadowUpdate, c.version == 1 ? 1 : 0) << c.version;
        EXPECT_EQ(gShadingSettings.drawingShadersOn, c.version == 1) << c.version;
    }
    // A version word of 0 reads as version 1 (with the word's layout).
    std::vector<uint8_t> zero = OldFractalFile(2);
    zero[0] = 0;
    MakeScene(0);
    ASSERT_EQ(Load(zero, false), FileParseStatus::kRead);
    EXPECT_EQ(gSymmetryMode.load(), 100);
    EXPECT_EQ(gShadingSettings.shadowType, 3);
    EXPECT_EQ(gColoringMode.load(), 8);
}

void ExpectRefused(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files, bool buffers)
{
    const State state = FractalState();
    for (const auto& [what, bytes] : files) {
        EXPECT_NE(Load(bytes, buffers), FileParseStatus::kRead) << what;
        ASSERT_EQ(FractalState(), state) << what;
    }
}

std::vector<uint8_t> Patched(std::vector<uint8_t> b, size_t at, uint32_t word, uint32_t next)
{
    std::memcpy(b.data() + at, &word, 4);
    std::memcpy(b.data() + at + 4, &next, 4);
    return b;
}

TEST_F(FractalDataFile, HostileFilesChangeNothing)
{
    MakeScene(48);
    GeneratorGroup* groups = NewGeneratorGroupArray(3);
    const uint8_t types[1] = {3};
    for (int g = 0; g < 3; ++g) BuildGeneratorGroup(groups[g], 0.625f, 1, types);
    ReplaceGeneratorGroups(groups, 3);
    const std::vector<uint8_t> good = Written(true);
    const size_t type = 5730, symmetry = 21846, baseshapes = symmetry + 17;
    const size_t chain = Find(good, {0x3f200000u, 1u}) + 4;  // weight 0.625, one block
    const size_t gel = Find(good, {3u, 2u});
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"version 32", Patched(good, 0, 32, 1)},
        {"width 3073", Patched(good, 8, 3073, 48)},
        {"height 8", Patched(good, 8, 64, 8)},
        {"fractal type 50", Patched(good, type, 50, 3)},
        {"pick count 66", Patched(good, type, 48, 66)},
        {"baseshape count 66", Patched(good, symmetry + 8, 6, 66)},
        {"shape type 195", Patched(good, baseshapes, 195, 0)},
        {"a chain of 6 blocks", Patched(good, chain, 6, 3 + (3 << 8))},
        {"block type 55", Patched(good, chain + 4, 55 + (3 << 8), 0)},
        {"K below the type's count", Patched(good, chain + 4, 3 + (2 << 8), 0)},
        {"a gel of 2^32 pixels", Patched(good, gel, 65536, 65536)},
    };
    // Every few bytes through the header, the view and the file's end, so each block is cut inside.
    for (size_t cut = 0; cut < good.size(); cut += cut < 1500 || cut + 1500 > good.size() ? 7 : 211)
        files.emplace_back("cut at " + std::to_string(cut), std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)));
    ExpectRefused(files, true);

    MakeScene(22);
    gScriptProgram = ScriptProgram{};
    gScriptProgram.tformCount = 3, gScriptProgram.operationCount = 5, gScriptProgram.parameterCount = 7;
    const std::vector<uint8_t> script = Written(false);
    const size_t counts = Find(script, {3u, 5u, 7u});
    ExpectRefused({{"66 tforms", Patched(script, counts, 66, 5)},
                   {"257 operations", Patched(script, counts, 3, 257)},
                   {"266 parameters", Patched(script, counts + 4, 5, 266)}},
                  false);
}

// The memory for the stored size is not there: the load gives up before
// anything changed, and says why.
// The symmetry's "Sides:" and "Separation" and the other window values come
// in as the windows take typed ones; one that is not a number refuses the
// file and nothing changes.
TEST_F(FractalDataFile, WindowValuesAreTakenAsTypedOnes)
{
    MakeScene(0);
    const std::vector<uint8_t> good = Written(false);
    auto bits = [](float f) {
        uint32_t w;
        std::memcpy(&w, &f, 4);
        return w;
    };
    // Mode 12, separation 0.75, sides 5, as the scene set them.
    const size_t sides = Find(good, {12u, bits(0.75f), bits(5.0f)}) + 8, separation = sides - 4;
    const struct {
        const char* what;
        size_t at;
        uint32_t word;
        bool read;
        float sides, separation;
    } cases[] = {
        {"\"Sides\" not a number", sides, 0x7FC00000u, false, 0, 0},
        {"\"Separation\" not a number", separation, 0xFFC00000u, false, 0, 0},
        {"\"Sides\" of 40", sides, bits(40.0f), true, 16.0f, 0.75f},
        {"\"Sides\" of 3.7", sides, bits(3.7f), true, 3.0f, 0.75f},
        {"an infinite \"Separation\"", separation, 0x7F800000u, true, 5.0f, 10.0f},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + c.at, &c.word, 4);
        gSymmetryFoldCount = 9.0f, gSymmetrySeparation = 2.0f;
        const State before = FractalState();
        EXPECT_EQ(Load(bytes, false) == FileParseStatus::kRead, c.read) << c.what;
        if (!c.read) {
            EXPECT_EQ(FractalState(), before) << c.what;
            continue;
        }
        EXPECT_EQ(gSymmetryFoldCount.load(), c.sides) << c.what;
        EXPECT_EQ(gSymmetrySeparation.load(), c.separation) << c.what;
    }
}

TEST_F(FractalDataFile, BuffersThatCannotBeResizedChangeNothing)
{
    MakeScene(0);
    const std::vector<uint8_t> bytes = Written(true);
    ASSERT_TRUE(AllocateRenderBuffers(32, 32, false));
    gFractalType = 3;
    const State state = FractalState();
    EXPECT_EQ(Load(bytes, true, nullptr, [](int32_t, int32_t, bool) { return false; }), FileParseStatus::kNoMemory);
    EXPECT_EQ(FractalState(), state);
    EXPECT_STREQ(gStatusText, "Insufficient System Memory!");
}

// 9 bytes a pixel, 2 x W x W more with the shadow map, 3 more with RGB colouring.
TEST_F(FractalDataFile, BufferBlockSizesOfA2048Render)
{
    ASSERT_TRUE(AllocateRenderBuffers(2048, 2048, false));
    gTransformCount = gPickTransformCount = 1, gBaseshapeCount = 0, gFractalType = 0;
    auto size = [](bool buffers) {
        uint64_t n = 0;
        ByteSink counter{[](void* c, const uint8_t*, size_t k) { return *static_cast<uint64_t*>(c) += k, true; }, &n};
        EXPECT_TRUE(WriteFractalDataFile(counter, buffers, {}));
        return n;
    };
    const uint64_t pixels = 2048 * 2048;
    const struct {
        int32_t shadows;
        uint8_t rgb;
        uint64_t bytes;
    } cases[] = {{0, 0, 9 * pixels}, {1, 0, 11 * pixels}, {1, 1, 14 * pixels}};
    for (const auto& c : cases) {
        gFastShadowUpdate = c.shadows, gRgbColoring = c.rgb;
        EXPECT_EQ(size(true) - size(false), c.bytes);
    }
    EXPECT_NEAR(static_cast<double>(9 * pixels), 37.7e6, 0.1e6);
    EXPECT_NEAR(static_cast<double>(11 * pixels), 46.1e6, 0.1e6);
}

}  // namespace
