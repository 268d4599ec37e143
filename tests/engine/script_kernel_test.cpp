#include "engine/script_kernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "engine/script_program.h"
#include "support/slot_setup.h"

namespace {

struct P {
    float x, y, z;
    bool operator==(const P&) const = default;
};

// The tform of every colouring step, by batch index: the last entry of an
// index is the tform that made its point, the ones before it were redrawn.
std::vector<std::vector<int>> gSteps;
void RecordStep(uint8_t, int32_t tform, int32_t j) { gSteps[j % 1000].push_back(tform); }
void NoStart(uint8_t) {}

struct Op {
    uint8_t code;
    std::vector<float> operands;
};
using Tforms = std::vector<std::vector<Op>>;

// Builds the program from tforms of operations, weights equal unless given.
void SetProgram(const Tforms& tforms, std::vector<float> weights = {})
{
    ScriptProgram& p = gScriptProgram;
    p = ScriptProgram{};
    p.tformCount = static_cast<int32_t>(tforms.size());
    for (size_t t = 0; t < tforms.size(); ++t) {
        p.tformFirstOperation[t] = static_cast<uint8_t>(p.operationCount);
        p.tformOperationCount[t] = static_cast<uint8_t>(tforms[t].size());
        p.tformWeight[t] = weights.empty() ? 1.0f / static_cast<float>(tforms.size()) : weights[t];
        for (const Op& op : tforms[t]) {
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
    // Runs slot 1 from the previous call's last point; returns the batch.
    static std::vector<P> Run(P start)
    {
        gSteps.assign(1000, {});
        gPointX[1999] = start.x, gPointY[1999] = start.y, gPointZ[1999] = start.z;
        RunFractalType22(1);
        std::vector<P> out;
        for (int j = 1000; j < 2000; ++j) out.push_back({gPointX[j], gPointY[j], gPointZ[j]});
        return out;
    }
};

TEST_F(ScriptKernel, EveryPointIsItsTformsImageOfThePreviousOne)
{
    struct Case {
        const char* name;
        Tforms tforms;
        std::function<P(int tform, P p)> image;
    };
    const Case cases[] = {
        {"scale and translate make a diagonal affine step",
         {{{kScriptScale, {0.5f, 0.25f, -0.5f}}, {kScriptTranslate, {1.0f, 0.0f, -2.0f}}},
          {{kScriptScale, {0.5f, 0.5f, 0.5f}}, {kScriptTranslate, {0.0f, 3.0f, 0.0f}}}},
         [](int t, P p) {
             return t == 0 ? P{0.5f * p.x + 1.0f, 0.25f * p.y, -0.5f * p.z - 2.0f}
                           : P{0.5f * p.x, 0.5f * p.y + 3.0f, 0.5f * p.z};
         }},
        {"a matrix after a translation starts again from the input",
         {{{kScriptTranslate, {5.0f, 5.0f, 5.0f}}, {kScriptMatrix3D, {0, 0.5f, 0, 0, 0, 0.5f, 0.5f, 0, 0}}}},
         [](int, P p) { return P{0.5f * p.y, 0.5f * p.z, 0.5f * p.x}; }},
        {"codes of 39 and up are skipped",
         {{{kScriptScale, {0.5f, 0.5f, 0.5f}}, {39, {7, 7, 7}}, {255, {}}, {kScriptTranslate, {1, 2, 3}}}},
         [](int, P p) { return P{0.5f * p.x + 1.0f, 0.5f * p.y + 2.0f, 0.5f * p.z + 3.0f}; }},
    };
    for (const Case& c : cases) {
        SetProgram(c.tforms);
        const P start = {0.2f, 0.4f, 0.6f};
        const std::vector<P> b = Run(start);
        int uses[2] = {0, 0};
        for (int j = 0; j < 1000; ++j) {
            ASSERT_EQ(gSteps[j].size(), 1u) << c.name;
            ++uses[gSteps[j][0]];
            ASSERT_EQ(b[j], c.image(gSteps[j][0], j == 0 ? start : b[j - 1])) << c.name << " at " << j;
        }
        EXPECT_TRUE(c.tforms.size() == 1 || (uses[0] > 400 && uses[1] > 400)) << c.name;
    }
}

TEST_F(ScriptKernel, InsideSphereFirstKeepsOnlyInsidePoints)
{
    // Tform 0 halves points inside the unit sphere; tforms 1 and 2 walk
    // along x in and out of it.
    SetProgram({{{kScriptBoolSphere, {0, 0, 0, 1.0f, 1.0f}}, {kScriptScale, {0.5f, 0.5f, 0.5f}}},
                {{kScriptTranslate, {1.2f, 0, 0}}},
                {{kScriptTranslate, {-1.2f, 0, 0}}}});
    const P start = {0.3f, 0.1f, 0.0f};
    const std::vector<P> b = Run(start);
    int redrawn = 0, kept = 0;
    for (int j = 0; j < 1000; ++j) {
        const P p = j == 0 ? start : b[j - 1];
        const float r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        const std::vector<int>& steps = gSteps[j];
        for (size_t s = 0; s + 1 < steps.size(); ++s, ++redrawn) {
            ASSERT_TRUE(steps[s] == 0 && r > 1.0f) << j;  // only the sphere test redraws
        }
        kept += steps.back() == 0;
        ASSERT_TRUE(steps.back() != 0 || (r <= 1.0f && b[j].x == 0.5f * p.x)) << j;
    }
    EXPECT_GT(redrawn, 50);
    EXPECT_GT(kept, 10);
}

TEST_F(ScriptKernel, WeightsSummingBelowOneLeaveTheRemainderToTheLastTform)
{
    SetProgram({{{kScriptScale, {0.5f, 0.5f, 0.5f}}}, {{kScriptScale, {0.5f, 0.5f, 0.5f}}}}, {0.1f, 0.1f});
    Run({0, 0, 0});
    int last = 0;
    for (const std::vector<int>& steps : gSteps) last += steps.back() == 1;
    EXPECT_NEAR(last, 900, 45);
}

}  // namespace
