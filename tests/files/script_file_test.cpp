#include "files/script_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/script_program.h"
#include "engine/transform_record.h"

namespace {

const ScriptBaseshapeSetup kSetup{{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 112.0f, 710.0f, 0, 1}, 48.0f, 582.0f};

ScriptReadReport Read(const std::string& text)
{
    gScriptProgram = ScriptProgram{};
    gBaseshapeCount = 0;
    return ReadScriptText(text, kSetup);
}

// The operation codes in program order.
std::vector<int> Codes()
{
    const ScriptProgram& p = gScriptProgram;
    return std::vector<int>(p.operationCode, p.operationCode + p.operationCount);
}
std::vector<float> Operands(int op, int n)
{
    const float* f = gScriptProgram.parameters + gScriptProgram.operationFirstParameter[op];
    return std::vector<float>(f, f + n);
}

// Two transformations with coefficients a reader can check by eye.
void MakeTwoTransforms(int type)
{
    gFractalType = type;
    gTransformCount = gPickTransformCount = 2;
    for (int t = 0; t < 2; ++t) {
        TransformCoefficients& c = gTransformCoefficients;
        const float k = 0.5f + 0.25f * static_cast<float>(t);
        c.m00[t] = k, c.m01[t] = 0.125f, c.m02[t] = 0, c.m10[t] = -0.125f, c.m11[t] = k, c.m12[t] = 0;
        c.m20[t] = 0, c.m21[t] = 0, c.m22[t] = k, c.tx[t] = 1.0f - t, c.ty[t] = 0.5f, c.tz[t] = t == 0 ? 0.0f : -0.25f;
        gTransformWeights[t] = t == 0 ? 0.25f : 0.75f;
    }
}

TEST(ScriptFile, Type0WritesTheTemplateAndReadsBackAsMatrixAndTranslate)
{
    MakeTwoTransforms(0);
    const std::string text = WriteScriptText();
    EXPECT_EQ(text,
              ";Talvoran Script 1.0\n"
              "tform\nprobability 0.2500\n"
              "matrix_3d 0.500000 0.125000 0.000000 -0.125000 0.500000 0.000000 0.000000 0.000000 0.500000\n"
              "translate 1.00000000 0.50000000 0.00000000\n\n"
              "tform\nprobability 0.7500\n"
              "matrix_3d 0.750000 0.125000 0.000000 -0.125000 0.750000 0.000000 0.000000 0.000000 0.750000\n"
              "translate 0.00000000 0.50000000 -0.25000000\n\n");
    // Weights that sum to 2 come back halved.
    gTransformWeights[0] = 0.5f, gTransformWeights[1] = 1.5f;
    EXPECT_EQ(Read(WriteScriptText()).refusedLines, 0);
    const ScriptProgram& p = gScriptProgram;
    ASSERT_EQ(p.tformCount, 2);
    EXPECT_EQ(p.tformCountCopy, 2);
    EXPECT_EQ(Codes(), (std::vector<int>{20, 1, 20, 1}));
    EXPECT_EQ(p.tformFirstOperation[1], 2);
    EXPECT_EQ(p.tformOperationCount[1], 2);
    EXPECT_EQ(Operands(2, 9), (std::vector<float>{0.75f, 0.125f, 0, -0.125f, 0.75f, 0, 0, 0, 0.75f}));
    EXPECT_EQ(Operands(3, 3), (std::vector<float>{0, 0.5f, -0.25f}));
    EXPECT_FLOAT_EQ(p.tformWeight[0], 0.25f);
    EXPECT_FLOAT_EQ(p.tformWeight[1], 0.75f);
}

// Blocks by type: one a transformation, N + 1 for type 10, four for type 3,
// one for the Julia types, none for a type without a template.
TEST(ScriptFile, TemplatesWriteTheirBlocks)
{
    const struct {
        int type;
        int blocks;
    } cases[] = {{0, 2}, {2, 2}, {3, 4}, {7, 2}, {8, 1}, {9, 1}, {10, 3}, {11, 2}, {12, 2}, {21, 2}, {23, 2}, {22, 0}, {48, 0}};
    for (const auto& c : cases) {
        MakeTwoTransforms(c.type);
        const std::string text = WriteScriptText();
        EXPECT_EQ(ScriptTemplateExists(c.type), c.blocks > 0) << c.type;
        Read(text);
        EXPECT_EQ(gScriptProgram.tformCount, c.blocks) << c.type;
    }
    // A flame transformation with every variation off is its probability alone.
    MakeTwoTransforms(23);
    for (TransformRecord& r : gTransforms) std::fill(std::begin(r.variationOn), std::end(r.variationOn), 0);
    gTransforms[1].variationOn[3] = 1, gTransforms[1].variationAmount[3] = 2.0f;
    EXPECT_NE(WriteScriptText().find("tform\nprobability 0.2500\n\ntform\nprobability 0.7500\nflame2_swirl3d 2.00000000\n"),
              std::string::npos);
}

TEST(ScriptFile, WorkedCases)
{
    int shown = 0;
    gBaseshapeHooks.showInEditor = [](int) {};
    // A material past 9 is no material, but the line is taken.
    Read("tbase\nbase_material 3\nbase_material 12\n");
    EXPECT_EQ(gBaseshapes[0].material, 3);
    EXPECT_EQ(gBaseshapeCount, 1);
    static int* counter = &shown;
    gBaseshapeHooks.showInEditor = [](int) { ++*counter; };
    Read("tbase\nbase_material 12\n");
    EXPECT_EQ(shown, 2);
    gBaseshapeHooks.showInEditor = nullptr;

    // Five numbers make eight operands, copied into Moebius map 0.
    Read("tform\nmobius_circle 2 1 0.5 0.25 -1\n");
    EXPECT_EQ(Operands(0, 8), (std::vector<float>{0.5f, 0.25f, 1.375f, 0, 0.125f, -0.5f, -0.5f, 0.25f}));
    EXPECT_EQ(gMobiusCoefficients.c[0].im, -0.5f);

    // "base_scale " holds "scale ": the tform gets a scale too.
    Read("tform\ntbase\nbase_scale 2 3 4\n");
    EXPECT_EQ(gBaseshapes[0].scaleShear[4], 3.0f);
    EXPECT_EQ(Codes(), std::vector<int>{0});
    EXPECT_EQ(Operands(0, 3), (std::vector<float>{2, 3, 4}));

    // Both rotations store a matrix; about z by 90 degrees.
    Read("tform\nrotate 90 0 0 1\nrotate_xyz 0 0 90\n");
    EXPECT_EQ(Codes(), (std::vector<int>{2, 2}));
    const float expected[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(Operands(1, 9)[k], expected[k], 1e-6f) << k;

    // A ';' anywhere is a comment; the last probability wins, one that does
    // not convert stores nothing; a word containing "inside" is inside.
    Read("tform\nscale 1 2 3 ; later\nprobability 3\nprobability 1\nprobability x\nbool_sphere 1 0 0 0 outside\n"
         "tform\nprobability 3\nbool_cube 1 0 0 0 xinsidex\nflame_gnarl 1 2 3\nsphere_inv 3 0 0 1\n");
    EXPECT_EQ(Codes(), (std::vector<int>{34, 35, 29, 3}));
    EXPECT_EQ(Operands(0, 5)[4], 0.0f);
    EXPECT_EQ(Operands(1, 5)[4], 1.0f);
    EXPECT_EQ(Operands(3, 4)[0], 9.0f);
    EXPECT_FLOAT_EQ(gScriptProgram.tformWeight[0], 0.25f);

    // Weights of 0 become equal; a script without tforms keeps its baseshapes.
    Read("tform\nprobability 0\ntform\nprobability 0\ntform\nprobability 0\n");
    EXPECT_FLOAT_EQ(gScriptProgram.tformWeight[2], 1.0f / 3.0f);
    Read("tbase\nbase_type 17\nbase_position 1 2 3\ntbase\nbase_depth 40\n");
    EXPECT_EQ(gScriptProgram.tformCount + gScriptProgram.operationCount, 0);
    EXPECT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gBaseshapes[0].shapeType, 17);
    EXPECT_EQ(gBaseshapes[0].pickerFirst + gBaseshapes[0].pickerCell, 17);
    EXPECT_EQ(gBaseshapes[1].pointsPerRun, 40u);
    EXPECT_EQ(gBaseshapes[1].probability, 0.5f);
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// What does not fit is refused line by line, named by its number, and the
// rest still reads.
TEST(ScriptFile, LinesPastTheLimitsAreRefused)
{
    const struct {
        const char* what;
        std::string text;
        int line, refused, tforms, operations;
    } cases[] = {
        {"66 tforms", Repeat("tform\nscale 1 1 1\n", 66), 131, 2, 65, 65},
        {"257 operations", "tform\n" + Repeat("fn_sphere 1\n", 200) + "tform\n" + Repeat("fn_sphere 1\n", 57), 259, 1, 2, 256},
        {"a first operand at 261", "tform\n" + Repeat("matrix_3d 1 0 0 0 1 0 0 0 1\n", 30) + "fn_sphere 1\n", 31, 2, 1, 29},
        {"kind 195", "tbase\nbase_type 195\nbase_type -1\nbase_type 194\n", 2, 2, 0, 0},
        {"65 baseshapes", Repeat("tbase\n", 65) + "base_radius 2\ntform\nscale 1 1 1\n", 65, 4, 1, 1},
    };
    for (const auto& c : cases) {
        const ScriptReadReport report = Read(c.text + "tbase\nbase_radius 3\n");
        EXPECT_EQ(report.firstRefusedLine, c.line) << c.what;
        EXPECT_EQ(report.refusedLines, c.refused) << c.what;
        EXPECT_EQ(gScriptProgram.tformCount, c.tforms) << c.what;
        EXPECT_EQ(gScriptProgram.operationCount, c.operations) << c.what;
        EXPECT_LE(gScriptProgram.parameterCount, kScriptParameterPoolSize) << c.what;
        EXPECT_NE(ScriptRefusalText(report).find("line " + std::to_string(c.line) + " refused"), std::string::npos);
    }
    EXPECT_EQ(gBaseshapeCount, 64);
    EXPECT_EQ(gBaseshapePointTemplates[63].size, 0.5f);  // the refused block's radius went nowhere
    Read("tbase\nbase_type 194\n");
    EXPECT_EQ(gBaseshapes[0].shapeType, 194);
}

// Other systems' line ends and a locale with a decimal comma read the same;
// the writer keeps its '.'.
TEST(ScriptFile, CarriageReturnsAndTheUsersLocaleChangeNothing)
{
    const std::string text = "tform\nprobability 0.25\nmatrix_2d 0.5 -0.25 0.125 1.5\ntform\nspheris 2.5 0.5 1 2 3\n";
    Read(text);
    const ScriptProgram unix = gScriptProgram;
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto same = [&unix] {
        const ScriptProgram& p = gScriptProgram;
        return p.tformCount == unix.tformCount && p.operationCount == unix.operationCount &&
               std::equal(p.parameters, p.parameters + p.parameterCount, unix.parameters) &&
               std::equal(p.tformWeight, p.tformWeight + p.tformCount, unix.tformWeight);
    };
    Read(crlf);
    EXPECT_TRUE(same()) << "CRLF";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "run scripts/install-deps.sh: it makes de_DE.UTF-8";
    Read(text);
    EXPECT_TRUE(same()) << "German locale";
    EXPECT_EQ(unix.parameters[1], -0.25f);
    EXPECT_EQ(gTransforms[0].position[2], 3.0f);
    MakeTwoTransforms(7);
    EXPECT_NE(WriteScriptText().find("matrix_2d 0.500000 0.125000 -0.125000 0.500000\ntranslate 1.00000000 0.0 0.00000000\n"),
              std::string::npos);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
