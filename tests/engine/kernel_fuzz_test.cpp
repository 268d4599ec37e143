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
    const float extremes[] = {0.0f, 1e30f, INFINITY, -INFINITY, NAN};
    for (float& f : p.parameters) {
        f = fc.set == FuzzSet::kHuge ? test_support::FuzzUniform(rnd, -1e30f, 1e30f)
                                     : test_support::FuzzUniform(rnd, -3.0f, 3.0f);
        if (fc.set == FuzzSet::kZero) f = extremes[RandomStep(rnd) % 5u];
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
// one group fewer than transformations.
void PrepareChains(RandomState& rnd, const FuzzCase& fc)
{
    const int32_t fewer = static_cast<int32_t>(RandomStep(rnd) % 2u);
    const int32_t count = fc.set == FuzzSet::kNoChains ? 0 : gPickTransformCount - fewer;
    ReplaceGeneratorGroups(NewGeneratorGroupArray(count), count);
    for (int32_t g = 0; g < count && fc.set != FuzzSet::kEmptyChains; ++g) {
        uint8_t types[kMaxGeneratorBlocks];
        for (uint8_t& type : types) type = static_cast<uint8_t>(RandomStep(rnd) % kGeneratorBlockTypes);
        BuildGeneratorGroup(gGeneratorGroups[g], 1.0f, static_cast<int32_t>(RandomStep(rnd) % 6u), types);
        for (int32_t k = 0; k < gGeneratorGroups[g].blockCount; ++k) {
            for (int e = 0; e < gGeneratorParameterCounts[types[k]]; ++e)
                gGeneratorGroups[g].parameters[k][e] = test_support::FuzzUniform(rnd, -1.5f, 1.5f);
        }
    }
}

// The per-type data of the types that need more than the transformation set.
FuzzPrepare PrepareFor(int type)
{
    switch (type) {
    case 3:
    case 19: return PrepareMobius;
    case 22: return PrepareScript;
    case 46:
    case 49: return PrepareEscapeRow;
    case 48: return PrepareChains;
    default: return nullptr;
    }
}

TEST(KernelFuzz, EveryCallFillsItsSliceWithoutHanging)
{
    const FuzzCase sets[] = {
        {FuzzSet::kRandom, 0, false}, {FuzzSet::kRandom, 0, false},  {FuzzSet::kZero, 3, false},
        {FuzzSet::kRandom, 1, false}, {FuzzSet::kRandom, 65, false}, {FuzzSet::kHuge, 4, false},
        {FuzzSet::kNaNSaved, 4, false}, {FuzzSet::kEmptyChains, 0, false}, {FuzzSet::kNoChains, 0, false},
    };
    RandomState rnd;
    SeedRandomState(rnd, 4242u);
    for (int type = 0; type < kFractalTypeCount; ++type) {
        const FuzzPrepare prepare = PrepareFor(type);
        for (int c = 0; c < 2 * static_cast<int>(std::size(sets)); ++c) {
            FuzzCase fc = sets[c / 2];
            fc.baseshapes = c % 2 != 0;
            test_support::FuzzModel(rnd, fc);
            gFractalType = type;
            if (prepare) prepare(rnd, fc);
            const uint8_t slot = static_cast<uint8_t>(RandomStep(rnd) % kMaxRenderSlots);
            const std::string what = "type " + std::to_string(type) + ", set " +
                                     std::to_string(static_cast<int>(fc.set)) + ", " +
                                     std::to_string(gPickTransformCount) + (fc.baseshapes ? " with seeds" : "");
            const FractalKernel kernel = FractalTypeKernelFor(type, gEscapeFunction);
            // Without baseshapes type 39 may end a call early.
            ASSERT_TRUE(test_support::RunKernelCalls(kernel, slot, 25,
                                                     type == 39 && !fc.baseshapes, what));
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
