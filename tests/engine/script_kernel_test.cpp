#include "engine/script_kernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "engine/kernel_skeleton.h"
#include "engine/script_program.h"
#include "support/slot_setup.h"

namespace {

// The tform of every colouring step, by batch index: the last entry of an
// index is the tform that made its point, the ones before it were redrawn.
std::vector<std::vector<int>> gSteps;
void RecordStep(uint8_t, int32_t tform, int32_t j) { gSteps[j % 1000].push_back(tform); }
void NoStart(uint8_t) {}

struct Op {
    uint8_t code;
    std::vector<float> operands;
};

// Builds the program from tforms of operations, weights equal unless given.
void SetProgram(const std::vector<std::vector<Op>>& tforms, std::vector<float> weights = {})
{
    ScriptProgram& p = gScriptProgram;
    p = ScriptProgram{};
    p.tformCount = static_cast<int32_t>(tforms.size());
    for (const std::vector<Op>& ops : tforms) {
        const size_t t = &ops - tforms.data();
        p.tformFirstOperation[t] = static_cast<uint8_t>(p.operationCount);
        p.tformOperationCount[t] = static_cast<uint8_t>(ops.size());
        p.tformWeight[t] = weights.empty() ? 1.0f / static_cast<float>(tforms.size()) : weights[t];
        for (const Op& op : ops) {
            p.operationCode[p.operationCount] = op.code;
            p.operationFirstParameter[p.operationCount++] = static_cast<uint8_t>(p.parameterCount);
            for (float f : op.operands) p.parameters[p.parameterCount++] = f;
        }
    }
}

class ScriptKernel : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_support::ResetModel(2);
        gSteps.assign(1000, {});
        for (int s = 0; s < kMaxRenderSlots; ++s) {
            gSlotColorStart[s] = NoStart;
            gSlotColorStep[s] = RecordStep;
        }
    }
    void TearDown() override
    {
        ResetColoringTables();
        gScriptProgram = ScriptProgram{};
    }
    // Runs slot 1 from the point p of the previous call's last index.
    void Run(float x, float y, float z)
    {
        gPointX[1999] = x, gPointY[1999] = y, gPointZ[1999] = z;
        RunFractalType22(1);
    }
    static float X(int j) { return j == 0 ? prevX_ : gPointX[1000 + j - 1]; }
    static float Y(int j) { return j == 0 ? prevY_ : gPointY[1000 + j - 1]; }
    static float Z(int j) { return j == 0 ? prevZ_ : gPointZ[1000 + j - 1]; }
    void RunKeepingInput(float x, float y, float z)
    {
        prevX_ = x, prevY_ = y, prevZ_ = z;
        Run(x, y, z);
    }
    static inline float prevX_, prevY_, prevZ_;
};

TEST_F(ScriptKernel, ScaleAndTranslateMakeADiagonalAffineStep)
{
    SetProgram({{{kScriptScale, {0.5f, 0.25f, -0.5f}}, {kScriptTranslate, {1.0f, 0.0f, -2.0f}}},
                {{kScriptScale, {0.5f, 0.5f, 0.5f}}, {kScriptTranslate, {0.0f, 3.0f, 0.0f}}}});
    RunKeepingInput(0.2f, 0.4f, 0.6f);
    int uses[2] = {0, 0};
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(gSteps[j].size(), 1u) << j;
        const int t = gSteps[j][0];
        ++uses[t];
        const float ex = t == 0 ? 0.5f * X(j) + 1.0f : 0.5f * X(j);
        const float ey = t == 0 ? 0.25f * Y(j) : 0.5f * Y(j) + 3.0f;
        const float ez = t == 0 ? -0.5f * Z(j) - 2.0f : 0.5f * Z(j);
        ASSERT_EQ(gPointX[1000 + j], ex) << j;
        ASSERT_EQ(gPointY[1000 + j], ey) << j;
        ASSERT_EQ(gPointZ[1000 + j], ez) << j;
    }
    EXPECT_GT(uses[0], 400);
    EXPECT_GT(uses[1], 400);
}

TEST_F(ScriptKernel, MatrixAfterTranslateStartsAgainFromTheInput)
{
    SetProgram({{{kScriptTranslate, {5.0f, 5.0f, 5.0f}}, {kScriptMatrix3D, {0, 0.5f, 0, 0, 0, 0.5f, 0.5f, 0, 0}}}});
    RunKeepingInput(1.0f, 2.0f, 3.0f);
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(gPointX[1000 + j], 0.5f * Y(j)) << j;
        ASSERT_EQ(gPointY[1000 + j], 0.5f * Z(j)) << j;
        ASSERT_EQ(gPointZ[1000 + j], 0.5f * X(j)) << j;
    }
}

TEST_F(ScriptKernel, InsideSphereFirstKeepsOnlyInsidePoints)
{
    // Tform 0 halves points inside the unit sphere; tforms 1 and 2 walk
    // along x in and out of it.
    SetProgram({{{kScriptBoolSphere, {0, 0, 0, 1.0f, 1.0f}}, {kScriptScale, {0.5f, 0.5f, 0.5f}}},
                {{kScriptTranslate, {1.2f, 0, 0}}},
                {{kScriptTranslate, {-1.2f, 0, 0}}}});
    RunKeepingInput(0.3f, 0.1f, 0.0f);
    int redrawn = 0, kept = 0;
    for (int j = 0; j < 1000; ++j) {
        const std::vector<int>& steps = gSteps[j];
        ASSERT_FALSE(steps.empty());
        const float r = std::sqrt(X(j) * X(j) + Y(j) * Y(j) + Z(j) * Z(j));
        for (size_t s = 0; s + 1 < steps.size(); ++s) {
            ASSERT_EQ(steps[s], 0) << j;  // only the sphere test redraws
            ASSERT_GT(r, 1.0f) << j;
            ++redrawn;
        }
        if (steps.back() == 0) {
            ASSERT_LE(r, 1.0f) << j;
            ASSERT_EQ(gPointX[1000 + j], 0.5f * X(j)) << j;
            ++kept;
        } else {
            ASSERT_EQ(gPointX[1000 + j], X(j) + (steps.back() == 1 ? 1.2f : -1.2f)) << j;
        }
    }
    EXPECT_GT(redrawn, 50);
    EXPECT_GT(kept, 10);
}

TEST_F(ScriptKernel, UnknownCodesAreSkipped)
{
    SetProgram({{{kScriptScale, {0.5f, 0.5f, 0.5f}}, {39, {7, 7, 7}}, {255, {}}, {kScriptTranslate, {1, 2, 3}}}});
    RunKeepingInput(4.0f, 4.0f, 4.0f);
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(gPointX[1000 + j], 0.5f * X(j) + 1.0f) << j;
        ASSERT_EQ(gPointZ[1000 + j], 0.5f * Z(j) + 3.0f) << j;
    }
}

TEST_F(ScriptKernel, WeightsSummingBelowOneLeaveTheRemainderToTheLastTform)
{
    SetProgram({{{kScriptScale, {0.5f, 0.5f, 0.5f}}}, {{kScriptScale, {0.5f, 0.5f, 0.5f}}}}, {0.1f, 0.1f});
    Run(0, 0, 0);
    int last = 0;
    for (int j = 0; j < 1000; ++j) last += gSteps[j].back() == 1;
    EXPECT_NEAR(last, 900, 45);
}

// Programs that must neither hang nor leave their arrays: the point stays
// finite and every colouring step names one of the 65 tforms.
TEST_F(ScriptKernel, DegenerateProgramsStayInsideTheirArrays)
{
    struct Case {
        const char* name;
        std::vector<std::vector<Op>> tforms;
        int32_t count;        // tformCount written after building; -1 keeps it
        size_t stepsPerIndex; // colouring steps per batch index
    };
    const std::vector<Case> cases = {
        {"no tforms", {}, -1, 0},
        {"negative count", {{{kScriptScale, {2, 2, 2}}}}, -3, 0},
        {"every tform rejects", {{{kScriptBoolSphere, {9, 9, 9, 0.5f, 1.0f}}}}, -1, kScriptRedrawLimit},
        {"every baseshape cut rejects", {{{kScriptBaseshape, {-7.0f}}}}, -1, kScriptRedrawLimit},
        {"count above 65", {{{kScriptScale, {0.5f, 0.5f, 0.5f}}}}, 127, 1},
    };
    for (const Case& c : cases) {
        SetProgram(c.tforms);
        if (c.count != -1) gScriptProgram.tformCount = c.count;
        for (int t = 0; t < kScriptMaxTforms; ++t) gScriptProgram.tformWeight[t] = 0.0f;
        gBaseshapeCount = 1;
        gSlotBaseshape[1] = 0;
        gSteps.assign(1000, {});
        Run(0.25f, 0.5f, 0.75f);
        for (int j = 0; j < 1000; ++j) {
            ASSERT_EQ(gSteps[j].size(), c.stepsPerIndex) << c.name << " " << j;
            for (int t : gSteps[j]) {
                ASSERT_TRUE(t >= 0 && t < kScriptMaxTforms) << c.name;
            }
            ASSERT_TRUE(std::isfinite(gPointX[1000 + j])) << c.name;
        }
        if (c.stepsPerIndex != 1) {
            EXPECT_EQ(gPointZ[1999], 0.75f) << c.name;  // stored as it stands
        }
    }
}

// Operations whose operands ask for a division by zero, an unbounded loop
// or an out-of-range integer give finite points.
TEST_F(ScriptKernel, OperationsWithDegenerateOperandsStayFinite)
{
    const float inf = INFINITY, nan = NAN;
    const std::vector<Op> ops = {
        {kScriptRotateRandom, {0.3f, 0, 1, 0, 0.0f}},   {kScriptRotateRandom, {0.3f, 0, 1, 0, nan}},
        {kScriptRotateRandom, {0.3f, 0, 1, 0, 1e30f}},  {kScriptMandel, {0, 0, 1, inf, 1e30f, 1, 0, 1}},
        {kScriptMandel, {0, 0, 1, nan, 4.0f, 1, 0, 1}}, {kScriptMandel, {0, 0, 1, 50, -1.0f, 1, 0, 1}},
        {kScriptSpheris, {1, inf, 1, 1, nan, 1}},       {kScriptSpheris, {1, 1e30f, 1, 1, 3, 1}},
        {kScriptHyperSphere, {2.0f}},                  {kScriptFlame2Hyper, {1.0f}},
        {kScriptSphereInversion, {1.0f, 0, 0, 0}},     {kScriptFlameQSqrt, {1.0f}},
    };
    for (const Op& op : ops) {
        SetProgram({{op}});
        Run(0.0f, 0.0f, 0.0f);  // the origin, where radii and roots are zero
        for (int j = 1000; j < 2000; ++j)
            ASSERT_TRUE(std::isfinite(gPointX[j]) && std::isfinite(gPointY[j]) && std::isfinite(gPointZ[j]))
                << int(op.code) << " at " << j;
    }
}

TEST_F(ScriptKernel, ANonFiniteResumePointRestarts)
{
    SetProgram({{{kScriptTranslate, {1, 0, 0}}}});
    Run(NAN, 0.0f, INFINITY);
    EXPECT_EQ(gPointX[1000], kOrbitRestart[0] + 1.0f);
    EXPECT_EQ(gPointZ[1000], kOrbitRestart[2]);
}

}  // namespace
