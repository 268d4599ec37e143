#include "files/script_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

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

using Ops = std::vector<ScriptOpCode>;

// The operation codes in program order.
Ops Codes()
{
    const ScriptProgram& p = gScriptProgram;
    Ops codes;
    for (int i = 0; i < p.operationCount; ++i) codes.push_back(static_cast<ScriptOpCode>(p.operationCode[i]));
    return codes;
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
    EXPECT_EQ(Codes(), (Ops{kScriptMatrix3D, kScriptTranslate, kScriptMatrix3D, kScriptTranslate}));
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

// A material past 9 is no material, but the line is taken. The editor
// shows baseshape 0 once, after the read, as its block left it.
TEST(ScriptFile, AMaterialPastNineIsTakenAndShown)
{
    static std::vector<int> shown;  // the material of each baseshape 0 shown
    gBaseshapeHooks.showInEditor = [](int) {};
    Read("tbase\nbase_material 3\nbase_material 12\n");
    EXPECT_EQ(gBaseshapes[0].material, 3);
    EXPECT_EQ(gBaseshapeCount, 1);
    gBaseshapeHooks.showInEditor = [](int i) { shown.push_back(i == 0 ? gBaseshapes[0].material : -1); };
    Read("tbase\nbase_material 12\nbase_material 7\ntbase\nbase_material 5\n");
    Read("tform\nscale 1 1 1\n");  // no tbase: the editor is left alone
    EXPECT_EQ(shown, std::vector<int>{7});
    gBaseshapeHooks.showInEditor = nullptr;
}

// Five numbers make eight operands, copied into Moebius map 0.
TEST(ScriptFile, AMobiusCircleGivesItsMap)
{
    Read("tform\nmobius_circle 2 1 0.5 0.25 -1\n");
    EXPECT_EQ(Operands(0, 8), (std::vector<float>{0.5f, 0.25f, 1.375f, 0, 0.125f, -0.5f, -0.5f, 0.25f}));
    EXPECT_EQ(gMobiusCoefficients.c[0].im, -0.5f);
}

// "base_scale " holds "scale ": the tform gets a scale too.
TEST(ScriptFile, AKeywordInsideAnotherCountsForBoth)
{
    Read("tform\ntbase\nbase_scale 2 3 4\n");
    EXPECT_EQ(gBaseshapes[0].scaleShear[4], 3.0f);
    EXPECT_EQ(Codes(), Ops{kScriptScale});
    EXPECT_EQ(Operands(0, 3), (std::vector<float>{2, 3, 4}));
}

// Both rotations store a matrix; about z by 90 degrees.
TEST(ScriptFile, BothRotationsStoreTheirMatrix)
{
    Read("tform\nrotate 90 0 0 1\nrotate_xyz 0 0 90\n");
    EXPECT_EQ(Codes(), (Ops{kScriptRotate, kScriptRotate}));
    const float expected[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(Operands(1, 9)[k], expected[k], 1e-6f) << k;
}

// A ';' anywhere is a comment; the last probability wins, one that does not
// convert stores nothing; a word containing "inside" is inside.
TEST(ScriptFile, CommentsProbabilitiesAndInsideWords)
{
    Read("tform\nscale 1 2 3 ; later\nprobability 3\nprobability 1\nprobability x\nbool_sphere 1 0 0 0 outside\n"
         "tform\nprobability 3\nbool_cube 1 0 0 0 xinsidex\nflame_gnarl 1 2 3\nsphere_inv 3 0 0 1\n");
    EXPECT_EQ(Codes(), (Ops{kScriptBoolSphere, kScriptBoolCube, kScriptFlameGnarl, kScriptSphereInversion}));
    EXPECT_EQ(Operands(0, 5)[4], 0.0f);
    EXPECT_EQ(Operands(1, 5)[4], 1.0f);
    EXPECT_EQ(Operands(3, 4)[0], 9.0f);
    EXPECT_FLOAT_EQ(gScriptProgram.tformWeight[0], 0.25f);
}

// Weights of 0 become equal.
TEST(ScriptFile, WeightsOfZeroBecomeEqual)
{
    Read("tform\nprobability 0\ntform\nprobability 0\ntform\nprobability 0\n");
    EXPECT_FLOAT_EQ(gScriptProgram.tformWeight[2], 1.0f / 3.0f);
}

// A script without tforms keeps its baseshapes; a kind's picker page and
// cell come from the kind.
TEST(ScriptFile, BaseshapesWithoutTforms)
{
    Read("tbase\nbase_type 17\nbase_position 1 2 3\ntbase\nbase_depth 40\n");
    EXPECT_EQ(gScriptProgram.tformCount + gScriptProgram.operationCount, 0);
    EXPECT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gBaseshapes[0].shapeType, 17);
    EXPECT_EQ(gBaseshapes[0].pickerFirst, 15);
    EXPECT_EQ(gBaseshapes[0].pickerCell, 2);
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

namespace {

// Every operand and weight of the program, and every value the tbase lines
// set, is finite; weights are not negative.
bool AllFinite()
{
    const ScriptProgram& p = gScriptProgram;
    for (int k = 0; k < p.parameterCount; ++k)
        if (!std::isfinite(p.parameters[k])) return false;
    for (int t = 0; t < p.tformCount; ++t)
        if (!std::isfinite(p.tformWeight[t]) || p.tformWeight[t] < 0.0f) return false;
    for (int i = 0; i < gBaseshapeCount; ++i) {
        const BaseshapeRecord& r = gBaseshapes[i];
        for (float v : r.position) if (!std::isfinite(v)) return false;
        for (float v : r.rotation) if (!std::isfinite(v)) return false;
        for (float v : r.scaleShear) if (!std::isfinite(v)) return false;
        for (float v : gBaseshapePointTemplates[i].p) if (!std::isfinite(v)) return false;
        if (!std::isfinite(gBaseshapePointTemplates[i].size)) return false;
    }
    return true;
}

// A number that is not one, a negative probability or a division by zero
// refuses its line, named by its number; the lines around it still read.
TEST(ScriptFile, NonNumbersAndDivisionsByZeroAreRefusedLineByLine)
{
    const char* kNotFinite = "a number that is not finite (nan, inf or beyond 3.4e38)";
    const char* kZero = "a division by zero";
    const char* kOperand = "it gives an operand that is not finite";
    const struct {
        const char* line;
        const char* why;
    } cases[] = {
        {"scale nan 1 1", kNotFinite},
        {"translate 1 inf 1", kNotFinite},
        {"matrix_2d -inf 0 0 1", kNotFinite},
        {"fn_sphere 1e39", kNotFinite},
        {"bool_sphere 1 NAN 0 0 inside", kNotFinite},
        {"spheris 2 3 0 inf 1", kNotFinite},
        {"base_position nan 0 0", kNotFinite},
        {"base_scale 1 1e39 1", kNotFinite},  // "scale " too: one line refused once
        {"base_radius inf", kNotFinite},
        {"base_rotation nan 0 1 0", kNotFinite},
        {"base_xyzrot 0 -inf 0", kNotFinite},
        {"base_mrot 1 0 0 0 1 0 0 0 nan", kNotFinite},
        {"base_parameters 0.5 inf", kNotFinite},
        {"probability nan", kNotFinite},
        {"probability -1", "a negative probability"},
        {"rotate_rnd 0 0 1 0", kZero},
        {"mandel 0 0 0 50 4 1 3", kZero},
        {"spheris 0 3", kZero},
        {"spheris 2 0 1 1 1", kZero},
        {"mobius_circle 0 1 0.5 0.25 -1", kZero},
        {"sphere_inv 0 0 0 1", "an inversion sphere of radius 0"},
        {"mandel 0 0 2 50 1 1 3", "a \"mandel\" escape value of 1 or less"},
        {"rotate 90 1e30 0 0", kOperand},
        {"base_rotation 90 1e30 0 0", kOperand},
        {"sphere_inv 1e20 0 0 1", kOperand},
    };
    for (const auto& c : cases) {
        const ScriptReadReport report = Read(std::string("tbase\ntform\nprobability 2\n") + c.line +
                                             "\nscale 1 2 3\nbase_radius 5\ntform\n");
        EXPECT_EQ(report.refusedLines, 1) << c.line;
        EXPECT_EQ(report.firstRefusedLine, 4) << c.line;
        EXPECT_STREQ(report.firstReason, c.why) << c.line;
        EXPECT_EQ(Codes(), Ops{kScriptScale}) << c.line;
        EXPECT_EQ(Operands(0, 3), (std::vector<float>{1, 2, 3})) << c.line;
        EXPECT_EQ(gBaseshapePointTemplates[0].size, 5.0f) << c.line;
        EXPECT_FLOAT_EQ(gScriptProgram.tformWeight[0], 2.0f / 3.0f) << c.line;
        EXPECT_TRUE(AllFinite()) << c.line;
    }
    // The bound of "base_depth" is exact; weights of the smallest floats, or
    // of sums past the largest, still add up to 1.
    Read("tbase\nbase_depth 4294967295\ntbase\nbase_depth 4294967296\n");
    EXPECT_EQ(gBaseshapes[0].pointsPerRun, 4294967295u);
    EXPECT_EQ(Read("tbase\nbase_depth 4294967296\n").firstRefusedLine, 2);
    for (const char* weights : {"1e-45", "3e38"}) {
        Read(std::string("tform\nprobability ") + weights + "\ntform\nprobability " + weights + "\n");
        EXPECT_EQ(gScriptProgram.tformWeight[0], 0.5f) << weights;
        EXPECT_EQ(gScriptProgram.tformWeight[1], 0.5f) << weights;
    }
}

// Old line ends, long lines and keywords far into them read as they stand.
TEST(ScriptFile, CarriageReturnLineEndsAndLongLinesReadWhole)
{
    const std::string unix = "tform\nprobability 0.25\nscale 1 2 3\n\ntform\ntranslate 4 5 6\n";
    Read(unix);
    const ScriptProgram lf = gScriptProgram;
    std::string cr = unix;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    const ScriptReadReport report = Read(cr + "probability -1\r");
    EXPECT_EQ(report.firstRefusedLine, 7) << "each CR ends a line";
    EXPECT_EQ(gScriptProgram.tformCount, lf.tformCount);
    EXPECT_EQ(Codes(), (Ops{kScriptScale, kScriptTranslate}));
    EXPECT_TRUE(std::equal(lf.parameters, lf.parameters + 6, gScriptProgram.parameters));
    // A keyword and its numbers 1,020 and 5,000 characters into a line.
    for (const size_t blanks : {1020u, 5000u}) {
        Read("tform\n" + std::string(blanks, ' ') + "scale 1 2 3\n" + std::string(blanks, ' ') + "probability 3 ; a remark\n");
        EXPECT_EQ(Codes(), Ops{kScriptScale}) << blanks;
        EXPECT_EQ(Operands(0, 3), (std::vector<float>{1, 2, 3})) << blanks;
    }
}

// Texts that hold no "tform" and no "tbase" line are no scripts: the program
// and the baseshapes stay as they were.
TEST(ScriptFile, TextsThatAreNoScriptChangeNothing)
{
    std::mt19937 r(56);
    std::string random(1 << 20, '\0');
    for (char& c : random) c = static_cast<char>(r());
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("tform\nscale 1 2 3\ntbase\n")) utf16 += std::string{c, '\0'};
    const std::string texts[] = {"", "\n\n", "scale 1 2 3\nbase_radius 2\n", ";tform\n;tbase\n", random, utf16};
    Read("tbase\nbase_radius 3\ntform\nscale 4 5 6\nprobability 2\ntform\n");
    const ScriptProgram before = gScriptProgram;
    const BaseshapeRecord record = gBaseshapes[0];
    for (const std::string& text : texts) {
        EXPECT_FALSE(ScriptLines(text).HasBlocks()) << text.size();
        EXPECT_TRUE(ReadScriptText(text, kSetup).notAScript) << text.size();
        EXPECT_EQ(std::memcmp(&gScriptProgram, &before, sizeof before), 0) << text.size();
        EXPECT_EQ(std::memcmp(&gBaseshapes[0], &record, sizeof record), 0) << text.size();
        EXPECT_EQ(gBaseshapeCount, 1);
        EXPECT_EQ(gBaseshapePointTemplates[0].size, 3.0f);
    }
    EXPECT_TRUE(ScriptLines("x\rtbase").HasBlocks());
}

}  // namespace
