// Fuzzing of iteration kernels: random and degenerate transformation sets on
// top of ResetModel, a time limit per call, and the check that a call writes
// every batch index of its slot.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <bit>
#include <csignal>
#include <cstring>
#include <limits>
#include <string>

#include "baseshapes/generator_table.h"
#include "engine/kernel_framework.h"
#include "slot_setup.h"

namespace test_support {

enum class FuzzSet {
    kRandom,       // coefficients in [-1.5, 1.5), translations in [-2, 2)
    kZero,         // every coefficient and variation 0
    kHuge,         // coefficients of magnitude up to 1e30
    kNaNSaved,     // random set; every saved orbit point is NaN
    kEmptyChains,  // random set; per-type data left empty (no blocks, no program)
    kNoChains,     // random set; per-type data missing (no group array)
};

struct FuzzCase {
    FuzzSet set;
    int transforms;  // 0: random 2..8
    bool baseshapes;
};

inline float FuzzUniform(RandomState& rnd, float lo, float hi) { return lo + (hi - lo) * RandomUniform(rnd); }

// ResetModel, then the case's coefficients, variations, quaternions, random
// transition rows and pick table, saved points and baseshape runs.
inline void FuzzModel(RandomState& rnd, const FuzzCase& fc)
{
    const int n = fc.transforms > 0 ? fc.transforms : 2 + static_cast<int>(RandomStep(rnd) % 7u);
    ResetModel(n);
    TransformCoefficients& c = gTransformCoefficients;
    for (int t = 0; t < kMaxTransforms; ++t) {
        float* const m[12] = {c.m00, c.m01, c.m02, c.m10, c.m11, c.m12, c.m20, c.m21, c.m22, c.tx, c.ty, c.tz};
        for (int e = 0; e < 12; ++e) {
            const float usual = e < 9 ? 1.5f : 2.0f;
            const float spread = fc.set == FuzzSet::kHuge ? 1e30f : fc.set == FuzzSet::kZero ? 0.0f : usual;
            m[e][t] = FuzzUniform(rnd, -spread, spread);
        }
        for (int v = 0; v < 13; ++v) {
            gTransforms[t].variationOn[v] = fc.set == FuzzSet::kZero ? 0 : static_cast<uint8_t>(RandomStep(rnd) & 1u);
            gTransforms[t].variationAmount[v] = fc.set == FuzzSet::kZero ? 0.0f : FuzzUniform(rnd, -1.5f, 1.5f);
        }
        for (int e = 0; e < 4; ++e) {
            gTransformQuaternionA[t][e] = m[e][t], gTransformQuaternionB[t][e] = m[e + 4][t];
            gTransformQuaternionC[t][e] = m[e + 8][t], gTransformQuaternionD[t][e] = m[(e + 3) % 12][t];
        }
        for (int e = 0; e < 256 && t < n; ++e) gTransformTransitions[t][e] = RandomStep(rnd) % static_cast<uint32_t>(n);
    }
    for (int e = 0; e < 256; ++e) gTransformPickTable[e] = static_cast<uint8_t>(RandomStep(rnd) % n);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int s = 0; s < kMaxRenderSlots && fc.set == FuzzSet::kNaNSaved; ++s) {
        gSlotPoint.x[s] = gSlotPoint.y[s] = gSlotPoint.z[s] = nan;
        gSlotQuaternionPoint[s] = {nan, nan, nan, nan};
        gPointX[gSlotBatchLast[s]] = gPointY[gSlotBatchLast[s]] = gPointZ[gSlotBatchLast[s]] = nan;
    }
    for (int s = 0; s < kMaxRenderSlots; ++s) gSlotTransform[s] = static_cast<int32_t>(RandomStep(rnd) % n);
    if (!fc.baseshapes) return;
    static const bool built = (BuildBaseshapeGeneratorTables(), true);
    (void)built;
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = RandomStep(rnd) % 40u;
    gBaseshapes[0].randomRunLength = static_cast<uint8_t>(RandomStep(rnd) & 1u);
    gBaseshapes[0].showBaseshape = static_cast<uint8_t>(RandomStep(rnd) & 1u);
}

// A kernel call that does not return within the limit ends the program
// (SIGALRM) after naming the call: a hang would otherwise hold the test run.
inline const char* gFuzzCall = "";
inline void ReportHang(int)
{
    const char head[] = "kernel call hangs: ";
    (void)!write(2, head, sizeof head - 1);
    (void)!write(2, gFuzzCall, std::strlen(gFuzzCall));
    (void)!write(2, "\n", 1);
    _exit(1);
}

// A quiet NaN whose payload no kernel arithmetic produces from its inputs.
inline constexpr uint32_t kUnwritten = 0x7fd1ad42u;

// Runs the kernel `calls` times on the slot. Before each call the slot's x
// values but the last (where some kernels resume) are marked; afterwards
// every index must be written or, when mayEndEarly, the written ones must be
// the start of the slice.
inline ::testing::AssertionResult RunKernelCalls(FractalKernel kernel, uint8_t slot, int calls, bool mayEndEarly,
                                                 const std::string& what, unsigned limitSeconds = 60)
{
    std::signal(SIGALRM, ReportHang);
    gFuzzCall = what.c_str();
    const int start = gSlotBatchStart[slot], last = gSlotBatchLast[slot];
    for (int call = 0; call < calls; ++call) {
        for (int j = start; j < last; ++j) gPointX[j] = std::bit_cast<float>(kUnwritten);
        alarm(limitSeconds);
        kernel(slot);
        alarm(0);
        int j = start;
        while (j < last && std::bit_cast<uint32_t>(gPointX[j]) != kUnwritten) ++j;
        const int firstUnwritten = j;
        while (mayEndEarly && j < last && std::bit_cast<uint32_t>(gPointX[j]) == kUnwritten) ++j;
        if (j != last) {
            return ::testing::AssertionFailure() << what << ", call " << call << ": index " << firstUnwritten
                                                 << " not written";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace test_support
