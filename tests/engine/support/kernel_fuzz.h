// Fuzzing of iteration kernels: random and degenerate transformation sets on
// top of ResetModel, a hang guard per call, and the check that a call
// writes every batch index of its slot.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

#include "baseshapes/generator_table.h"
#include "engine/kernel_framework.h"
#include "slot_setup.h"

namespace test_support {

enum class FuzzSet {
    kRandom,      // coefficients in [-1.5, 1.5], translations in [-2, 2]
    kZero,        // every coefficient 0
    kHuge,        // coefficients of magnitude up to 1e30
    kNaNSaved,    // random set; every saved orbit point is NaN
    kEmptyChains, // random set; per-type data left empty (no blocks, no program)
    kNoChains,    // random set; per-type data missing (no group array)
};

struct FuzzCase {
    const char* name;
    FuzzSet set;
    int transforms;  // 0: random 2..8
    bool baseshapes;
};

// Uniform in [lo, hi) from the fuzz's own stream.
inline float FuzzUniform(RandomState& rnd, float lo, float hi) { return lo + (hi - lo) * RandomUniform(rnd); }

inline void FuzzCoefficients(RandomState& rnd, int t, FuzzSet set)
{
    TransformCoefficients& c = gTransformCoefficients;
    float* const m[12] = {c.m00, c.m01, c.m02, c.m10, c.m11, c.m12, c.m20, c.m21, c.m22, c.tx, c.ty, c.tz};
    for (int e = 0; e < 12; ++e) {
        float v = 0.0f;
        if (set == FuzzSet::kHuge) v = FuzzUniform(rnd, -1.0f, 1.0f) * 1e30f;
        else if (set != FuzzSet::kZero) v = e < 9 ? FuzzUniform(rnd, -1.5f, 1.5f) : FuzzUniform(rnd, -2.0f, 2.0f);
        m[e][t] = v;
    }
    TransformRecord& r = gTransforms[t];
    for (int v = 0; v < 13; ++v) {
        r.variationOn[v] = set == FuzzSet::kZero ? 0 : static_cast<uint8_t>(RandomStep(rnd) & 1u);
        r.variationAmount[v] = set == FuzzSet::kZero ? 0.0f : FuzzUniform(rnd, -1.5f, 1.5f);
    }
    float* const q[4] = {gTransformQuaternionA[t], gTransformQuaternionB[t], gTransformQuaternionC[t],
                         gTransformQuaternionD[t]};
    for (float* quaternion : q) {
        for (int e = 0; e < 4; ++e) quaternion[e] = set == FuzzSet::kZero ? 0.0f : m[(4 * e) % 12][t];
    }
}

// ResetModel(n), then a fuzzed set: coefficients, variations, quaternions,
// random transition rows (entries below n) and pick table.
inline void FuzzModel(RandomState& rnd, const FuzzCase& fc)
{
    const int n = fc.transforms > 0 ? fc.transforms : 2 + static_cast<int>(RandomStep(rnd) % 7u);
    ResetModel(n);
    for (int t = 0; t < kMaxTransforms; ++t) FuzzCoefficients(rnd, t, fc.set);
    for (int t = 0; t < n; ++t) {
        for (int e = 0; e < 256; ++e) gTransformTransitions[t][e] = RandomStep(rnd) % static_cast<uint32_t>(n);
    }
    for (int e = 0; e < 256; ++e) gTransformPickTable[e] = static_cast<uint8_t>(RandomStep(rnd) % n);
    for (int s = 0; s < kMaxRenderSlots; ++s) gSlotTransform[s] = static_cast<int32_t>(RandomStep(rnd) % n);
    if (fc.set == FuzzSet::kNaNSaved) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        for (int s = 0; s < kMaxRenderSlots; ++s) {
            gSlotPoint.x[s] = gSlotPoint.y[s] = gSlotPoint.z[s] = nan;
            gSlotQuaternionPoint[s] = {nan, nan, nan, nan};
            const int last = gSlotBatchLast[s];
            gPointX[last] = gPointY[last] = gPointZ[last] = nan;
        }
    }
    if (fc.baseshapes) {
        static const bool built = (BuildBaseshapeGeneratorTables(), true);
        (void)built;
        gUseBaseshapes = 1;
        BaseshapeRecord& b = gBaseshapes[0];
        b.pointsPerRun = RandomStep(rnd) % 40u;
        b.randomRunLength = static_cast<uint8_t>(RandomStep(rnd) & 1u);
        b.showBaseshape = static_cast<uint8_t>(RandomStep(rnd) & 1u);
    }
}

// Aborts the test program when the guarded code makes no progress for the
// limit: a hung kernel would otherwise hold the whole test run.
class HangGuard {
public:
    explicit HangGuard(std::chrono::seconds limit) : limit_(limit), watcher_([this] { Watch(); }) {}
    ~HangGuard()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        watcher_.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

    // Marks progress, naming what runs until the following call.
    void Tick(const std::string& what)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        what_ = what;
        last_ = std::chrono::steady_clock::now();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stop_; })) {
            if (std::chrono::steady_clock::now() - last_ > limit_) {
                std::fprintf(stderr, "no progress for %lld s in %s\n", static_cast<long long>(limit_.count()),
                             what_.c_str());
                std::abort();
            }
        }
    }

    std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::string what_ = "start";
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::thread watcher_;
};

// A quiet NaN with a payload no arithmetic produces from the kernels' inputs.
inline float UnwrittenMark()
{
    const uint32_t bits = 0x7fd1ad42u;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

inline bool IsUnwritten(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits == 0x7fd1ad42u;
}

// Runs `calls` calls of the kernel on the slot. Before each call the slot's
// x values but the last (where some kernels resume) are marked; afterwards
// every marked index must be written, or, when mayEndEarly, the written ones
// must form the start of the slice.
inline ::testing::AssertionResult RunKernelCalls(FractalKernel kernel, uint8_t slot, int calls, bool mayEndEarly,
                                                 HangGuard& guard, const std::string& what)
{
    const int start = gSlotBatchStart[slot];
    const int last = gSlotBatchLast[slot];
    for (int call = 0; call < calls; ++call) {
        for (int j = start; j < last; ++j) gPointX[j] = UnwrittenMark();
        guard.Tick(what + ", call " + std::to_string(call));
        kernel(slot);
        int firstUnwritten = last;
        for (int j = start; j < last; ++j) {
            if (IsUnwritten(gPointX[j])) {
                firstUnwritten = j;
                break;
            }
        }
        if (firstUnwritten == last) continue;
        if (!mayEndEarly) {
            return ::testing::AssertionFailure() << what << ", call " << call << ": index " << firstUnwritten
                                                 << " not written";
        }
        for (int j = firstUnwritten; j < last; ++j) {
            if (!IsUnwritten(gPointX[j])) {
                return ::testing::AssertionFailure() << what << ", call " << call << ": index " << j
                                                     << " written after an early end at " << firstUnwritten;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace test_support
