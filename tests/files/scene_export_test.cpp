#include "files/scene_export.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/point_coloring.h"
#include "engine/script_program.h"
#include "render/view_camera.h"

namespace {

// Every scene field the tests do not set is zero; the fixture restores it.
BaseshapePoint gPoints[kMaxBaseshapes];
float gSpin[kMaxBaseshapes][4];
float gMoveDirection[kMaxBaseshapes][3];
float gMoveWave[kMaxBaseshapes][3];
uint8_t gWaveType[kMaxBaseshapes];

bool UsesDMap(int type) { return type == 49; }

constexpr size_t kHeader = 9;
constexpr size_t kTransform = 22 * 4 + 10 + 40;
constexpr size_t kView = 16 + 36 + 1 + 4 + 4;
constexpr size_t kBaseshape = 4 + 36 + 36 + 12 + 4 + 1 + 4 + 16 + 56 + 13;
constexpr size_t kName = 260;

template <typename T>
T At(const std::vector<uint8_t>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

class SceneExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        gFractalType = 5;
        gBaseshapeCount = 0;
        gTransformCount = 1;
        gRgbColoring = 1;
        std::memset(&gBaseshapes[0], 0, sizeof gBaseshapes[0]);
        for (int k = 0; k < 9; ++k) gTransforms[0].rotation[k] = static_cast<float>(k);
    }
    void TearDown() override
    {
        gBaseshapes[0] = BaseshapeRecord{};
        gBaseshapeTextures[0] = BaseshapeImage{};
        gBaseshapeDMaps[0] = BaseshapeImage{};
        gBaseshapeMeshes[0] = BaseshapeMesh{};
        gFractalType = 0;
    }
    std::vector<uint8_t> Write()
    {
        MemorySink sink;
        EXPECT_TRUE(WriteKavrolinScene(sink, Inputs()));
        return sink.bytes;
    }
    static SceneInputs Inputs() { return {gPoints, gSpin, gMoveDirection, gMoveWave, gWaveType, UsesDMap, 2.5f}; }
};

TEST_F(SceneExport, NoBaseshapesWritesTypeCountFlagTransformsAndView)
{
    const std::vector<uint8_t> bytes = Write();
    ASSERT_EQ(bytes.size(), kHeader + 4 + kTransform + kView);
    EXPECT_EQ(At<uint32_t>(bytes, 0), 5u);
    EXPECT_EQ(At<uint32_t>(bytes, 4), 0u);
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(At<uint32_t>(bytes, 9), 1u);
    // The rotation 0..8 row by row goes out column by column.
    const float columns[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(At<float>(bytes, 13 + 4 * k), columns[k]) << k;
    EXPECT_EQ(At<float>(bytes, bytes.size() - 4), 2.5f) << "the separation ends the view";
}

TEST_F(SceneExport, BaseshapeBlocksFollowTheirOptions)
{
    static uint8_t texels[2 * 3 * 3];
    static uint8_t dmap[4 * 4];
    static float triangles[2 * 9];
    struct Case {
        const char* name;
        void (*set)(BaseshapeRecord&);
        size_t extra;  // bytes beyond the fixed part of the block
    };
    const Case cases[] = {
        {"plain", [](BaseshapeRecord&) {}, 0},
        {"ramp without texture: no blend byte", [](BaseshapeRecord& r) { r.useGradient = 1; }, 768},
        {"ramp with texture: blend byte", [](BaseshapeRecord& r) { r.useGradient = r.useTexture = 1; },
         8 + kName + 18 + 768 + 1},
        {"texture without pixels: size 0",
         [](BaseshapeRecord& r) {
             r.useTexture = 1;
             gBaseshapeTextures[0].pixels = nullptr;
         },
         8 + kName},
        {"displacement map", [](BaseshapeRecord& r) { r.shapeType = 49; }, 8 + kName + 16},
        {"mesh of 0 triangles",
         [](BaseshapeRecord& r) {
             r.shapeType = 58;
             gBaseshapeMeshes[0].triangleCount = 0;
         },
         4 + kName},
        {"mesh of 2 triangles", [](BaseshapeRecord& r) { r.shapeType = 60; }, 4 + kName + 72},
        {"modifier", [](BaseshapeRecord& r) { r.modifierOn = 1; }, 8},
        {"array", [](BaseshapeRecord& r) { r.arrayOn = 1; }, 24},
        {"neon", [](BaseshapeRecord& r) { r.neonOn = 1; }, 7},
        {"animation", [](BaseshapeRecord& r) { r.animationStored = 1; }, 41},
    };
    gBaseshapeCount = 1;
    for (const Case& c : cases) {
        gBaseshapes[0] = BaseshapeRecord{};
        gBaseshapeTextures[0] = {"tex", 2, 3, texels};
        gBaseshapeDMaps[0] = {"dmap", 4, 4, dmap};
        gBaseshapeMeshes[0] = {"mesh", 2, triangles};
        c.set(gBaseshapes[0]);
        EXPECT_EQ(Write().size(), kHeader + kBaseshape + c.extra + 4 + kTransform + kView) << c.name;
    }
}

TEST_F(SceneExport, EveryOptionalBlockInItsPlace)
{
    static uint8_t texels[3] = {11, 12, 13};
    static uint8_t dmap[1] = {99};
    BaseshapeRecord& r = gBaseshapes[0];
    r.shapeType = 49;
    r.pickerFirst = 45;
    r.pickerCell = 4;
    r.probability = 0.25f;
    r.pickerX = 7.0f;
    r.useTexture = r.useGradient = r.modifierOn = r.arrayOn = r.neonOn = r.animationStored = 1;
    r.blendMode = 6;
    gBaseshapeCount = 1;
    gBaseshapeTextures[0] = {"tex", 1, 1, texels};
    gBaseshapeDMaps[0] = {"dmap", 1, 1, dmap};
    gBaseshapeColorRamps[0].g[1] = 77;
    gBaseshapeModifierType[0] = 9;
    gBaseshapeArrayPivotZ[0] = -3.0f;
    gBaseshapeNeonStrength[0] = 4.0f;
    gWaveType[0] = 2;
    const std::vector<uint8_t> bytes = Write();

    size_t at = kHeader + 4 + 36 + 36 + 12 + 4 + 1;
    EXPECT_EQ(At<float>(bytes, at), 0.25f);
    EXPECT_EQ(At<int32_t>(bytes, at + 4), 45);
    EXPECT_EQ(At<int32_t>(bytes, at + 8), 4);
    EXPECT_EQ(At<float>(bytes, at + 12), 7.0f);
    at = kHeader + kBaseshape;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[at + 8])), "dmap");
    EXPECT_EQ(bytes[at + 8 + kName], 99);
    at += 8 + kName + 1;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[at + 8])), "tex");
    EXPECT_EQ(bytes[at + 8 + kName + 2], 13);
    at += 8 + kName + 3;
    EXPECT_EQ(bytes[at + 3 + 1], 77) << "entry 1, second plane";
    at += 768;
    EXPECT_EQ(bytes[at], 6) << "blend mode";
    EXPECT_EQ(At<uint32_t>(bytes, at + 1), 9u) << "modifier type";
    EXPECT_EQ(At<float>(bytes, at + 9 + 20), -3.0f) << "array pivot z";
    EXPECT_EQ(At<float>(bytes, at + 33 + 3), 4.0f) << "neon strength";
    EXPECT_EQ(bytes[at + 40 + 40], 2) << "wave type ends the animation";
    EXPECT_EQ(At<uint32_t>(bytes, at + 81), 1u) << "transformation count";
    gBaseshapeColorRamps[0] = ColorRamp{};
    gBaseshapeModifierType[0] = 0;
    gBaseshapeArrayPivotZ[0] = 0.0f;
    gBaseshapeNeonStrength[0] = 0.0f;
    gWaveType[0] = 0;
}

TEST_F(SceneExport, ScriptArraysHoldTheirCountPlusTen)
{
    gFractalType = 22;
    const ScriptProgram saved = gScriptProgram;
    struct Case {
        int32_t a, b, c;
    };
    // The largest counts reach past the program's own arrays: zeros follow.
    for (const Case& c : {Case{3, 5, 4}, Case{kScriptMaxTforms, kScriptMaxOperations, kScriptParameterPoolSize}}) {
        gScriptProgram = ScriptProgram{};
        gScriptProgram.tformCount = c.a;
        gScriptProgram.operationCount = c.b;
        gScriptProgram.parameterCount = c.c;
        gScriptProgram.tformFirstOperation[0] = 42;
        const std::vector<uint8_t> bytes = Write();
        const size_t script = 12 + (c.a + 10) * 6 + (c.c + 10) * 4 + (c.b + 10) * 2;
        ASSERT_EQ(bytes.size(), kHeader + 4 + kTransform + script + kView) << c.a;
        const size_t firstOperation = kHeader + 4 + kTransform + script - (c.a + 10);
        EXPECT_EQ(bytes[firstOperation], 42) << c.a;
    }
    gScriptProgram = saved;
}

TEST_F(SceneExport, GeneratorGroupsOfType48)
{
    gFractalType = 48;
    gPickTransformCount = 3;
    GeneratorGroup* groups = NewGeneratorGroupArray(2);
    const uint8_t types[2] = {0, 1};
    ASSERT_TRUE(BuildGeneratorGroup(groups[0], 0.5f, 2, types));
    ReplaceGeneratorGroups(groups, 2);
    const std::vector<uint8_t> bytes = Write();
    const size_t blocks = 2 * 5 + 4 * (gGeneratorParameterCounts[0] + gGeneratorParameterCounts[1]);
    // Group 1 has no blocks; transformation 2 has no group and goes out empty.
    EXPECT_EQ(bytes.size(), kHeader + 4 + kTransform + kView + 8 + blocks + 8 + 8);
    EXPECT_EQ(At<float>(bytes, kHeader + 4 + kTransform + kView), 0.5f);
    ReplaceGeneratorGroups(nullptr, 0);
    gPickTransformCount = 1;
}

TEST_F(SceneExport, FailedWritesLeaveNoFile)
{
    const std::string path = ::testing::TempDir() + "scene_export_test.kvl";
    EXPECT_EQ(WriteKavrolinSceneFile("/nonexistent-folder/a.kvl", Inputs()), SceneFileResult::kOpenFailed);

    // A file size limit below the scene makes the write fail part way.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const SceneFileResult limited = WriteKavrolinSceneFile(path.c_str(), Inputs());
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(limited, SceneFileResult::kWriteFailed);
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr) << "the partial file is removed";

    ASSERT_EQ(WriteKavrolinSceneFile(path.c_str(), Inputs()), SceneFileResult::kWritten);
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fseek(file, 0, SEEK_END);
    EXPECT_EQ(static_cast<size_t>(std::ftell(file)), kHeader + 4 + kTransform + kView);
    std::fclose(file);
    std::remove(path.c_str());
}

}  // namespace
