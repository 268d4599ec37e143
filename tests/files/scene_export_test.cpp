#include "files/scene_export.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/point_coloring.h"
#include "engine/script_program.h"

namespace {

BaseshapePoint gPoints[kMaxBaseshapes];
float gSpin[kMaxBaseshapes][4];
float gMove[kMaxBaseshapes][3];
uint8_t gWaveType[kMaxBaseshapes];
bool UsesDMap(int type) { return type == 49; }
const SceneInputs kInputs{gPoints, gSpin, gMove, gMove, gWaveType, UsesDMap, 2.5f};

// Header, one transformation and the view; a baseshape's fixed part; a name.
constexpr size_t kEmpty = 9 + 4 + (22 * 4 + 10 + 40) + (16 + 36 + 1 + 4 + 4);
constexpr size_t kBaseshape = 4 + 36 + 36 + 12 + 4 + 1 + 4 + 16 + 56 + 13;
constexpr size_t kName = 260;

template <typename T>
T At(const std::vector<uint8_t>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::vector<uint8_t> Write()
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(WriteKavrolinScene(SinkOf(bytes), kInputs));
    return bytes;
}

class SceneExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        gFractalType = 5;
        gBaseshapeCount = 0;
        gTransformCount = 1;
        gRgbColoring = 1;
        for (int k = 0; k < 9; ++k) gTransforms[0].rotation[k] = static_cast<float>(k);
    }
    void TearDown() override
    {
        gBaseshapes[0] = BaseshapeRecord{};
        gBaseshapeTextures[0] = gBaseshapeDMaps[0] = BaseshapeImage{};
        gBaseshapeMeshes[0] = BaseshapeMesh{};
        gFractalType = 0;
    }
};

TEST_F(SceneExport, NoBaseshapesAndMatricesColumnByColumn)
{
    const std::vector<uint8_t> bytes = Write();
    ASSERT_EQ(bytes.size(), kEmpty);
    EXPECT_EQ(At<uint32_t>(bytes, 0), 5u);
    EXPECT_EQ(At<uint32_t>(bytes, 4), 0u);
    EXPECT_EQ(At<uint32_t>(bytes, 9), 1u) << "after the colouring byte";
    const float columns[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(At<float>(bytes, 13 + 4 * k), columns[k]) << k;
    EXPECT_EQ(At<float>(bytes, kEmpty - 4), 2.5f) << "the separation ends the view";
}

TEST_F(SceneExport, BaseshapeBlocksFollowTheirOptions)
{
    static uint8_t pixels[18];
    static float triangles[18];
    using Set = void (*)(BaseshapeRecord&);
    const struct {
        const char* name;
        Set set;
        size_t extra;
    } cases[] = {
        {"plain", [](BaseshapeRecord&) {}, 0},
        {"ramp, no texture: no blend byte", [](BaseshapeRecord& r) { r.useGradient = 1; }, 768},
        {"ramp and texture", [](BaseshapeRecord& r) { r.useGradient = r.useTexture = 1; }, 8 + kName + 18 + 768 + 1},
        {"texture without pixels", [](BaseshapeRecord& r) { r.useTexture = 1, gBaseshapeTextures[0].pixels = nullptr; },
         8 + kName},
        {"mesh of 0 triangles", [](BaseshapeRecord& r) { r.shapeType = 58, gBaseshapeMeshes[0].triangleCount = 0; },
         4 + kName},
        {"mesh of 2 triangles", [](BaseshapeRecord& r) { r.shapeType = 60; }, 4 + kName + 72},
    };
    gBaseshapeCount = 1;
    for (const auto& c : cases) {
        gBaseshapes[0] = BaseshapeRecord{};
        gBaseshapeTextures[0] = {"tex", 2, 3, pixels};
        gBaseshapeMeshes[0] = {"mesh", 2, triangles};
        c.set(gBaseshapes[0]);
        EXPECT_EQ(Write().size(), kEmpty + kBaseshape + c.extra) << c.name;
    }
}

TEST_F(SceneExport, EveryOptionalBlockInItsPlace)
{
    static uint8_t texel[3] = {11, 12, 13}, height = 99;
    BaseshapeRecord& r = gBaseshapes[0];
    r.shapeType = 49;
    r.pickerFirst = 45;
    r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = r.neonOn = r.animationStored = 1;
    r.blendMode = 6;
    gBaseshapeCount = 1;
    gBaseshapeTextures[0] = {"tex", 1, 1, texel};
    gBaseshapeDMaps[0] = {"dmap", 1, 1, &height};
    gBaseshapeColorRamps[0].g[1] = 77;
    gBaseshapeModifierType[0] = 9;
    gBaseshapeArrayPivotZ[0] = -3.0f;
    gBaseshapeNeonStrength[0] = 4.0f;
    gWaveType[0] = 2;
    const std::vector<uint8_t> bytes = Write();

    EXPECT_EQ(At<int32_t>(bytes, 9 + 97), 45) << "pickerFirst after the probability";
    size_t at = 9 + kBaseshape;
    EXPECT_EQ(bytes[at + 8 + kName], 99) << "the displacement map first";
    at += 8 + kName + 1;
    EXPECT_EQ(bytes[at + 8 + kName + 2], 13) << "then the texture";
    at += 8 + kName + 3;
    EXPECT_EQ(bytes[at + 4], 77) << "ramp entry 1, second plane";
    at += 768;
    EXPECT_EQ(bytes[at], 6) << "blend mode";
    EXPECT_EQ(At<uint32_t>(bytes, at + 1), 9u) << "modifier type";
    EXPECT_EQ(At<float>(bytes, at + 29), -3.0f) << "array pivot z";
    EXPECT_EQ(At<float>(bytes, at + 36), 4.0f) << "neon strength";
    EXPECT_EQ(bytes[at + 80], 2) << "wave type ends the animation";
    EXPECT_EQ(At<uint32_t>(bytes, at + 81), 1u) << "transformation count";
    gBaseshapeColorRamps[0] = ColorRamp{};
    gBaseshapeModifierType[0] = 0;
    gBaseshapeArrayPivotZ[0] = gBaseshapeNeonStrength[0] = 0.0f;
    gWaveType[0] = 0;
}

TEST_F(SceneExport, ScriptArraysHoldTheirCountPlusTenAndGroupsFollowTheView)
{
    gFractalType = 22;
    const ScriptProgram saved = gScriptProgram;
    // The largest counts reach past the program's own arrays: zeros follow.
    for (const int32_t a : {3, kScriptMaxTforms}) {
        const int32_t b = a + 2, c = a + 1;
        gScriptProgram = ScriptProgram{};
        gScriptProgram.tformCount = a;
        gScriptProgram.operationCount = b;
        gScriptProgram.parameterCount = c;
        gScriptProgram.tformFirstOperation[0] = 42;
        const std::vector<uint8_t> bytes = Write();
        const size_t script = 12 + (a + 10) * 6 + (c + 10) * 4 + (b + 10) * 2;
        ASSERT_EQ(bytes.size(), kEmpty + script) << a;
        EXPECT_EQ(bytes[kEmpty - 61 + script - (a + 10)], 42) << a;
    }
    gScriptProgram = saved;

    gFractalType = 48;
    gPickTransformCount = 2;  // the second has no group: an empty one goes out
    GeneratorGroup* groups = NewGeneratorGroupArray(1);
    const uint8_t types[2] = {0, 1};
    ASSERT_TRUE(BuildGeneratorGroup(groups[0], 0.5f, 2, types));
    ReplaceGeneratorGroups(groups, 1);
    const std::vector<uint8_t> bytes = Write();
    EXPECT_EQ(bytes.size(), kEmpty + 8 + 10 + 4 * (gGeneratorParameterCounts[0] + gGeneratorParameterCounts[1]) + 8);
    EXPECT_EQ(At<float>(bytes, kEmpty), 0.5f);
    // A block type past the table (memory gone wrong) writes no parameters
    // and reads nothing beside the table.
    groups[0].blockTypes[1] = 200;
    const std::vector<uint8_t> unknown = Write();
    EXPECT_EQ(unknown.size(), kEmpty + 8 + 10 + 4 * gGeneratorParameterCounts[0] + 8);
    EXPECT_EQ(unknown[kEmpty + 8 + 5 + 4 * gGeneratorParameterCounts[0]], 200);
    groups[0].blockTypes[1] = 1;
    ReplaceGeneratorGroups(nullptr, 0);
    gPickTransformCount = 1;
}

}  // namespace
