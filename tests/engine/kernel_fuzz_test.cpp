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

struct FuzzedType {
    int type;
    bool mayEndEarly;  // without baseshapes the kernel may end a call early
    FuzzPrepare prepare = nullptr;
};

// Add a type here when its kernel lands.
const FuzzedType kFuzzedTypes[] = {
    {0, false},  {2, false},  {24, false}, {25, false}, {26, false}, {27, false}, {28, false},
    {29, false}, {30, false}, {31, false}, {32, false}, {33, false}, {34, false}, {35, false},
    {36, false}, {37, false}, {38, false}, {39, true},  {40, false}, {41, false}, {42, false},
    {43, false}, {44, false}, {45, false}, {47, false}, {48, false, PrepareChains},
};

TEST(KernelFuzz, EveryCallFillsItsSliceWithoutHanging)
{
    const FuzzCase sets[] = {
        {FuzzSet::kRandom, 0, false}, {FuzzSet::kRandom, 0, false},  {FuzzSet::kZero, 3, false},
        {FuzzSet::kRandom, 1, false}, {FuzzSet::kRandom, 65, false}, {FuzzSet::kHuge, 4, false},
        {FuzzSet::kNaNSaved, 4, false}, {FuzzSet::kEmptyChains, 0, false}, {FuzzSet::kNoChains, 0, false},
    };
    RandomState rnd;
    SeedRandomState(rnd, 4242u);
    for (const FuzzedType& ft : kFuzzedTypes) {
        for (int c = 0; c < 2 * static_cast<int>(std::size(sets)); ++c) {
            FuzzCase fc = sets[c / 2];
            fc.baseshapes = c % 2 != 0;
            test_support::FuzzModel(rnd, fc);
            gFractalType = ft.type;
            if (ft.prepare) ft.prepare(rnd, fc);
            const uint8_t slot = static_cast<uint8_t>(RandomStep(rnd) % kMaxRenderSlots);
            const std::string what = "type " + std::to_string(ft.type) + ", set " +
                                     std::to_string(static_cast<int>(fc.set)) + ", " +
                                     std::to_string(gPickTransformCount) + (fc.baseshapes ? " with seeds" : "");
            ASSERT_TRUE(test_support::RunKernelCalls(kFractalTypes[ft.type].kernel, slot, 25,
                                                     ft.mayEndEarly && !fc.baseshapes, what));
        }
    }
    gFractalType = 0;
    gUseBaseshapes = 0;
    ReplaceGeneratorGroups(nullptr, 0);
}

}  // namespace
