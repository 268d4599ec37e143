// Every fuzzed kernel, on random and degenerate transformation sets, with and
// without baseshape seeds: no crash, no hang, every batch index written.
#include <gtest/gtest.h>

#include <string>

#include "engine/generator_groups.h"
#include "support/kernel_fuzz.h"

namespace {

using test_support::FuzzCase;
using test_support::FuzzSet;

// Per-type data beyond the transformation set (chains, programs); the
// kEmptyChains and kNoChains sets ask for the degenerate forms.
using FuzzPrepare = void (*)(RandomState& rnd, const FuzzCase& fc);

void NothingToPrepare(RandomState&, const FuzzCase&) {}

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

// Add a type here when its kernel lands.
const FuzzedType kFuzzedTypes[] = {
    {0, false, NothingToPrepare},
    {2, false, NothingToPrepare},
    {24, false, NothingToPrepare},
    {25, false, NothingToPrepare},
    {26, false, NothingToPrepare},
    {27, false, NothingToPrepare},
    {28, false, NothingToPrepare},
    {29, false, NothingToPrepare},
    {30, false, NothingToPrepare},
    {31, false, NothingToPrepare},
    {32, false, NothingToPrepare},
    {33, false, NothingToPrepare},
    {34, false, NothingToPrepare},
    {35, false, NothingToPrepare},
    {36, false, NothingToPrepare},
    {37, false, NothingToPrepare},
    {38, false, NothingToPrepare},
    {39, true, NothingToPrepare},
    {40, false, NothingToPrepare},
    {41, false, NothingToPrepare},
    {42, false, NothingToPrepare},
    {43, false, NothingToPrepare},
    {44, false, NothingToPrepare},
    {45, false, NothingToPrepare},
    {47, false, NothingToPrepare},
    {48, false, PrepareChains},
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
        const FractalKernel kernel = kFractalTypes[ft.type].kernel;
        for (const FuzzCase& fc : kFuzzCases) {
            test_support::FuzzModel(rnd, fc);
            gFractalType = ft.type;
            ft.prepare(rnd, fc);
            const uint8_t slot = static_cast<uint8_t>(RandomStep(rnd) % kMaxRenderSlots);
            const std::string what = "type " + std::to_string(ft.type) + ", " + fc.name;
            ASSERT_TRUE(test_support::RunKernelCalls(kernel, slot, 25, ft.mayEndEarly && !fc.baseshapes, guard, what));
        }
    }
    gFractalType = 0;
    gUseBaseshapes = 0;
    ReplaceGeneratorGroups(nullptr, 0);
}

}  // namespace
