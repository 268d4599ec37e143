// Every fuzzed kernel, on random and degenerate transformation sets, with and
// without baseshape seeds: no crash, no hang, every batch index written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/escape_time_kernels.h"
#include "engine/generator_groups.h"
#include "engine/script_program.h"
#include "support/kernel_fuzz.h"

namespace {

using test_support::FuzzCase;
using test_support::FuzzSet;

// Per-type data beyond the transformation set (chains, programs); the
// kEmptyChains and kNoChains sets ask for the degenerate forms.
using FuzzPrepare = void (*)(RandomState& rnd, const FuzzCase& fc);

void NothingToPrepare(RandomState&, const FuzzCase&) {}

// Type 22: random programs (codes 0 to 45 with random operands and indices
// anywhere in the arrays); the empty sets give a program without tforms,
// the missing ones a program whose every tform rejects every point.
void PrepareScript(RandomState& rnd, const FuzzCase& fc)
{
    ScriptProgram& p = gScriptProgram;
    p = ScriptProgram{};
    SetColoringMode(3);  // the colouring step indexes the transformation colours by tform
    if (fc.set == FuzzSet::kEmptyChains) return;
    // The zero set has more tforms than fit and weights that never reach u.
    p.tformCount = fc.set == FuzzSet::kNoChains ? 3 : static_cast<int32_t>(RandomStep(rnd) % 80u) - 5;
    if (fc.set == FuzzSet::kZero) p.tformCount = 70;
    for (int t = 0; t < kScriptMaxTforms; ++t) {
        p.tformWeight[t] = fc.set == FuzzSet::kZero ? 0.0f : test_support::FuzzUniform(rnd, -0.2f, 0.6f);
        p.tformFirstOperation[t] = static_cast<uint8_t>(RandomStep(rnd));
        p.tformOperationCount[t] = static_cast<uint8_t>(RandomStep(rnd) % (t % 7 == 0 ? 256u : 6u));
    }
    for (int j = 0; j < kScriptMaxOperations; ++j) {
        p.operationCode[j] = static_cast<uint8_t>(RandomStep(rnd) % 46u);
        p.operationFirstParameter[j] = static_cast<uint8_t>(RandomStep(rnd));
        if (fc.set == FuzzSet::kNoChains) p.operationCode[j] = kScriptBoolSphere, p.operationFirstParameter[j] = 0;
    }
    // Counts, steps and radii that are zero, huge, infinite or not a number.
    const float special[] = {0.0f, 1e30f, INFINITY, -INFINITY, NAN};
    for (float& f : p.parameters) {
        f = fc.set == FuzzSet::kHuge ? test_support::FuzzUniform(rnd, -1e30f, 1e30f)
                                     : test_support::FuzzUniform(rnd, -3.0f, 3.0f);
        if (fc.set == FuzzSet::kZero) f = special[RandomStep(rnd) % 5u];
    }
    if (fc.set == FuzzSet::kNoChains) {
        const float far[5] = {50.0f, 50.0f, 50.0f, 0.5f, 1.0f};  // keep only points inside a far sphere
        std::copy(far, far + 5, p.parameters);
    }
}

// Types 3 and 19: random Möbius maps for all 65 transformations, all zero
// in the zero set.
void PrepareMobius(RandomState& rnd, const FuzzCase& fc)
{
    MobiusCoefficients& m = gMobiusCoefficients;
    for (Complex* a : {m.a, m.b, m.c, m.d}) {
        for (int t = 0; t < kMaxTransforms; ++t) {
            const float scale = fc.set == FuzzSet::kZero ? 0.0f : fc.set == FuzzSet::kHuge ? 1e30f : 1.5f;
            a[t] = {scale * test_support::FuzzUniform(rnd, -1, 1), scale * test_support::FuzzUniform(rnd, -1, 1)};
        }
    }
}

// Types 46 and 49: the "Function" rows in turn, with one outside the list.
void PrepareEscapeRow(RandomState&, const FuzzCase&)
{
    static int turn = 0;
    gEscapeFunction = turn++ % 8 - 1;
    gMandelbrotCentre[0] = -0.75;
}

// Chains of 0 to 5 random blocks with parameters in [-1.5, 1.5), sometimes
// fewer groups than transformations.
void PrepareChains(RandomState& rnd, const FuzzCase& fc)
{
    if (fc.set == FuzzSet::kNoChains) {
        ReplaceGeneratorGroups(nullptr, 0);
        return;
    }
    const int32_t count = gPickTransformCount - static_cast<int32_t>(RandomStep(rnd) % 2u);
    ReplaceGeneratorGroups(NewGeneratorGroupArray(count), count);
    if (fc.set == FuzzSet::kEmptyChains) return;
    for (int32_t g = 0; g < count; ++g) {
        uint8_t types[kMaxGeneratorBlocks];
        for (uint8_t& type : types) type = static_cast<uint8_t>(RandomStep(rnd) % kGeneratorBlockTypes);
        BuildGeneratorGroup(gGeneratorGroups[g], 1.0f, static_cast<int32_t>(RandomStep(rnd) % 6u), types);
        for (int32_t k = 0; k < gGeneratorGroups[g].blockCount; ++k) {
            for (int e = 0; e < gGeneratorParameterCounts[types[k]]; ++e) {
                gGeneratorGroups[g].parameters[k][e] = test_support::FuzzUniform(rnd, -1.5f, 1.5f);
            }
        }
    }
}

struct FuzzedType {
    int type;
    bool mayEndEarly;  // the kernel may end a call before its last index
    FuzzPrepare prepare;
};

// Every fractal type.
const FuzzedType kFuzzedTypes[] = {
    {0, false, NothingToPrepare}, {1, false, NothingToPrepare}, {2, false, NothingToPrepare},
    {3, false, PrepareMobius}, {4, false, NothingToPrepare}, {5, false, NothingToPrepare},
    {6, false, NothingToPrepare}, {7, false, NothingToPrepare}, {8, false, NothingToPrepare},
    {9, false, NothingToPrepare}, {10, false, NothingToPrepare}, {11, false, NothingToPrepare},
    {12, false, NothingToPrepare}, {13, false, NothingToPrepare}, {14, false, NothingToPrepare},
    {15, false, NothingToPrepare}, {16, false, NothingToPrepare}, {17, false, NothingToPrepare},
    {18, false, NothingToPrepare}, {19, false, PrepareMobius}, {20, false, NothingToPrepare},
    {21, false, NothingToPrepare}, {22, false, PrepareScript}, {23, false, NothingToPrepare},
    {24, false, NothingToPrepare}, {25, false, NothingToPrepare}, {26, false, NothingToPrepare},
    {27, false, NothingToPrepare}, {28, false, NothingToPrepare}, {29, false, NothingToPrepare},
    {30, false, NothingToPrepare}, {31, false, NothingToPrepare}, {32, false, NothingToPrepare},
    {33, false, NothingToPrepare}, {34, false, NothingToPrepare}, {35, false, NothingToPrepare},
    {36, false, NothingToPrepare}, {37, false, NothingToPrepare}, {38, false, NothingToPrepare},
    {39, true, NothingToPrepare}, {40, false, NothingToPrepare}, {41, false, NothingToPrepare},
    {42, false, NothingToPrepare}, {43, false, NothingToPrepare}, {44, false, NothingToPrepare},
    {45, false, NothingToPrepare}, {46, false, PrepareEscapeRow}, {47, false, NothingToPrepare},
    {48, false, PrepareChains}, {49, false, PrepareEscapeRow},
};

const FuzzCase kFuzzCases[] = {
    {"random", FuzzSet::kRandom, 0, false},
    {"random, seeds", FuzzSet::kRandom, 0, true},
    {"random again", FuzzSet::kRandom, 0, false},
    {"random again, seeds", FuzzSet::kRandom, 0, true},
    {"zero", FuzzSet::kZero, 3, false},
    {"zero, seeds", FuzzSet::kZero, 3, true},
    {"one", FuzzSet::kRandom, 1, false},
    {"one, seeds", FuzzSet::kRandom, 1, true},
    {"all 65", FuzzSet::kRandom, 65, false},
    {"all 65, seeds", FuzzSet::kRandom, 65, true},
    {"huge", FuzzSet::kHuge, 4, false},
    {"huge, seeds", FuzzSet::kHuge, 4, true},
    {"NaN saved point", FuzzSet::kNaNSaved, 4, false},
    {"NaN saved point, seeds", FuzzSet::kNaNSaved, 4, true},
    {"empty chains", FuzzSet::kEmptyChains, 0, false},
    {"empty chains, seeds", FuzzSet::kEmptyChains, 0, true},
    {"no chains", FuzzSet::kNoChains, 0, false},
    {"no chains, seeds", FuzzSet::kNoChains, 0, true},
};

TEST(KernelFuzz, EveryCallFillsItsSliceWithoutHanging)
{
    test_support::HangGuard guard(std::chrono::seconds(60));
    RandomState rnd;
    SeedRandomState(rnd, 4242u);
    for (const FuzzedType& ft : kFuzzedTypes) {
        for (const FuzzCase& fc : kFuzzCases) {
            test_support::FuzzModel(rnd, fc);
            gFractalType = ft.type;
            ft.prepare(rnd, fc);
            const FractalKernel kernel = FractalTypeKernelFor(ft.type, gEscapeFunction);
            const uint8_t slot = static_cast<uint8_t>(RandomStep(rnd) % kMaxRenderSlots);
            const std::string what = "type " + std::to_string(ft.type) + ", " + fc.name;
            ASSERT_TRUE(test_support::RunKernelCalls(kernel, slot, 25, ft.mayEndEarly && !fc.baseshapes, guard, what));
        }
    }
    gFractalType = 0;
    gUseBaseshapes = 0;
    gEscapeFunction = 0;
    gScriptProgram = ScriptProgram{};
    ResetColoringTables();
    ReplaceGeneratorGroups(nullptr, 0);
}

}  // namespace
