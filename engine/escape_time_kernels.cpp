#include "engine/escape_time_kernels.h"

#include <algorithm>
#include <cmath>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"

double gMandelbrotCentre[2] = {0.0, 0.0};
double gMandelbrotScale = 1.0;
EscapeGradient gEscapeGradient;

float PatternHexCos(float u, float v)
{
    const float s = 1.7320508f;
    const double ring = 0.12 * static_cast<double>(std::cos(4.0f * s * u) + std::cos(6.0f * v - 2.0f * s * u) +
                                                   std::cos(2.0f * s * u + 6.0f * v));
    return static_cast<float>(-(ring + std::cos(2.0f * s * u - 2.0f * v) + std::cos(4.0f * v) +
                                std::cos(2.0f * v + 2.0f * s * u) + 1.0f));
}

namespace {

inline constexpr double kEscapeRadiusSquared = 1000.0;
inline constexpr float kPi = 3.14159265f;
inline constexpr float kTwoOverPi = 0.63661977f;

enum class EscapeKind { Mandelbrot, MandelbrotAlt, Conjugate, ConjugateAlt };

inline float Tri(float u) { return kTwoOverPi * std::asin(std::cos(u)); }
inline float TriSin(float u) { return kTwoOverPi * std::asin(std::sin(u)); }

struct EscapeSample {
    float d;       // distance estimate times A0
    float dr, di;  // last step z - zp
    int32_t n;     // escape count
};

// Heights of the plain kernels by "Function" row; rows outside 1..4 take
// row 0, so a damaged row number still gives every point a height.
template <bool Conjugate, int Row>
inline float EscapeHeight(const EscapeSample& s, float a4)
{
    const float d = s.d;
    if constexpr (!Conjugate) {
        if constexpr (Row == 1) return std::cos(d - 0.125f * PatternHexCos(0.025f * s.dr, 0.025f * s.di)) * d * a4;
        if constexpr (Row == 2) return std::cos(d - 0.125f * PatternTanhCos(0.025f * s.di, 0.025f * s.dr)) * d * a4;
        if constexpr (Row == 3)
            return (std::cos(d) + 0.5f * std::cos(2.0f * d) + 0.25f * std::cos(4.0f * d) +
                    0.125f * std::cos(8.0f * d) + 0.0625f * std::cos(16.0f * d)) *
                   d * a4;
        if constexpr (Row == 4) return std::tanh(3.0f * std::cos(16.0f * d)) * d * a4;
        const float angle = std::atan2(s.di, s.dr);
        return 0.75f * (std::sin(3.0f * angle / static_cast<float>(s.n)) + 1.0f) * std::cos(d) * a4 * d;
    } else {
        if constexpr (Row == 1) return Tri(d - 0.125f * PatternHexCos(0.025f * s.dr, 0.025f * s.di)) * d * a4;
        if constexpr (Row == 2) return Tri(d - 0.125f * PatternTanhCos(0.025f * s.di, 0.025f * s.dr)) * d * a4;
        if constexpr (Row == 3)
            return (Tri(d) + Tri(2.0f * d) / 2.0f + Tri(4.0f * d) / 4.0f + Tri(8.0f * d) / 8.0f +
                    Tri(16.0f * d) / 16.0f) *
                   d * a4;
        if constexpr (Row == 4) return Tri(16.0f * d) * d * a4;
        const float angle = std::atan2(s.di, s.dr);
        return (std::asin(std::sin(3.0f * angle / static_cast<float>(s.n))) / kPi + 0.5f) * Tri(d) * 1.5f * a4 * d;
    }
}

// The orbit of one sample as the escape loop leaves it.
struct EscapeOrbit {
    double zr, zi, dzr, dzi, m;
    float zpr, zpi;  // z before the last step
    int32_t n;       // steps taken
};

// Four points' escape loops side by side (two SSE2 registers of doubles on
// x86-64): one loop alone is a chain of dependent multiplies that leaves
// the multipliers idle. A lane whose point escapes or reaches the limit
// takes the next point at once, so a long orbit holds up no other lane.
// Every lane does exactly the double operations of the one-point loop, in
// the same order, so the orbits are the same to the last bit.
using EscapeLanes = double __attribute__((vector_size(32)));
using EscapeLaneMask = int64_t __attribute__((vector_size(32)));
inline constexpr int kEscapeLanes = 4;

// One call's samples: where they lie, which of them iterate, their orbits.
struct EscapeBatch {
    float px[kSlotBatchSize], pz[kSlotBatchSize];
    double cr[kSlotBatchSize], ci[kSlotBatchSize];
    int32_t todo[kSlotBatchSize];
    int32_t count;  // entries of todo
    bool inside[kSlotBatchSize];  // inside without iterating
    EscapeOrbit orbit[kSlotBatchSize];
};

template <bool kConjugate>
void IterateEscapeOrbits(EscapeBatch& b, int32_t limit)
{
    const double* const cr = b.cr;
    const double* const ci = b.ci;
    const int32_t* const todo = b.todo;
    const int32_t count = b.count;
    EscapeOrbit* const out = b.orbit;
    EscapeLanes zr{}, zi{}, dzr{}, dzi{}, lcr{}, lci{};
    EscapeLaneMask n{};
    int32_t point[kEscapeLanes];
    int32_t next = 0, busy = 0;
    const auto take = [&](int l) {
        zr[l] = zi[l] = dzr[l] = dzi[l] = 0.0;
        n[l] = 0;
        if (next < count) {
            point[l] = todo[next++];
            lcr[l] = cr[point[l]];
            lci[l] = ci[point[l]];
            ++busy;
        } else {
            // An idle lane iterates 0 under c = 0 and stays there.
            point[l] = -1;
            lcr[l] = lci[l] = 0.0;
        }
    };
    for (int l = 0; l < kEscapeLanes; ++l) take(l);
    const EscapeLanes two = {2.0, 2.0, 2.0, 2.0}, one = {1.0, 1.0, 1.0, 1.0};
    const EscapeLanes radius = {kEscapeRadiusSquared, kEscapeRadiusSquared, kEscapeRadiusSquared,
                                kEscapeRadiusSquared};
    const EscapeLaneMask last = {limit, limit, limit, limit};
    while (busy > 0) {
        const EscapeLanes pr = zr, pi = zi;
        const EscapeLanes ndzr = two * (zr * dzr - zi * dzi) + one;
        const EscapeLanes ndzi = two * (zr * dzi + zi * dzr);
        dzr = ndzr;
        dzi = ndzi;
        const EscapeLanes nzr = zr * zr - zi * zi + lcr;
        const EscapeLanes nzi = kConjugate ? two * zr * zi - lci : two * zr * zi + lci;
        zr = nzr;
        zi = nzi;
        const EscapeLanes m = zr * zr + zi * zi;
        n += 1;
        const EscapeLaneMask done = (m >= radius) | (n >= last);
        if (!(done[0] | done[1] | done[2] | done[3])) continue;
        for (int l = 0; l < kEscapeLanes; ++l) {
            if (!done[l]) continue;
            if (point[l] >= 0) {
                out[point[l]] = {zr[l], zi[l], dzr[l], dzi[l], m[l], static_cast<float>(pr[l]),
                                 static_cast<float>(pi[l]), static_cast<int32_t>(n[l])};
                --busy;
            }
            take(l);
        }
    }
}

template <EscapeKind Kind, int Row>
void RunEscapeTimeKernel(uint8_t slot)
{
    constexpr bool kConjugate = Kind == EscapeKind::Conjugate || Kind == EscapeKind::ConjugateAlt;
    constexpr bool kAlt = Kind == EscapeKind::MandelbrotAlt || Kind == EscapeKind::ConjugateAlt;
    constexpr bool kCardioidTest = !kConjugate;
    constexpr bool kPickTable = Kind == EscapeKind::Mandelbrot;

    const int32_t start = gSlotBatchStart[slot];
    const int32_t end = gSlotBatchEnd[slot];
    const uint8_t k = gPointColorIndex[gSlotBatchLast[slot]];
    const double scale = gMandelbrotScale;
    const double cr0 = gMandelbrotCentre[0];
    const double ci0 = gMandelbrotCentre[1];
    const int32_t limit = gEscapeIterationLimit;
    const float a0 = gTransforms[0].variationAmount[0];
    const float a4 = gTransforms[0].variationAmount[4];
    const float a5 = gTransforms[0].variationAmount[5];
    const TransformCoefficients& co = gTransformCoefficients;
    // The hash and the generator stay in locals for the call: the slots'
    // states share cache lines, and stepping them in memory per point would
    // make the workers invalidate each other's lines.
    uint32_t hash = gSlotHash[slot];
    RandomState rnd = gSlotRandom[slot];

    const uint8_t* const pickTable = gSlotPickModel[slot].pickTable;
    const uint32_t (*const transitions)[256] = gSlotPickModel[slot].transitions;
    int32_t t = gSlotTransform[slot];
    if (t < 0 || t >= kMaxTransforms) t = 0;
    float lastZr = gSlotPoint.x[slot];
    float lastZi = gSlotPoint.y[slot];

    // First every sample's draws, in batch order; then the escape loops of
    // the samples that iterate, side by side; then heights and colours.
    const int32_t count = end - start > 0 ? std::min(end - start, kSlotBatchSize) : 0;
    EscapeBatch batch;
    float* const px = batch.px;
    float* const pz = batch.pz;
    double* const cr = batch.cr;
    double* const ci = batch.ci;
    EscapeOrbit* const orbit = batch.orbit;
    int32_t iterating = 0;
    for (int32_t i = 0; i < count; ++i) {
        gPointColorIndex[start + i] = k;
        const uint32_t h = StepSlotHash(hash);
        t = kPickTable ? pickTable[h & 255u] : static_cast<int32_t>(transitions[t][h & 255u]);
        const float u1 = RandomUniform(rnd);
        const float u2 = RandomUniform(rnd);
        px[i] = (2.0f * u1 - 1.0f) * co.m00[t] + co.tx[t];
        pz[i] = (2.0f * u2 - 1.0f) * co.m00[t] + co.tz[t];
        cr[i] = static_cast<double>(px[i]) * scale + cr0;
        ci[i] = ci0 - static_cast<double>(pz[i]) * scale;
        bool inside = false;
        if constexpr (kCardioidTest) {
            const double q = (cr[i] - 0.25) * (cr[i] - 0.25) + ci[i] * ci[i];
            inside = (cr[i] + 1.0) * (cr[i] + 1.0) + ci[i] * ci[i] < 0.0625 ||
                     (cr[i] - 0.25 + q) * q < 0.25 * ci[i] * ci[i];
        }
        // A limit of 0 iterates nothing: the point is inside and the slot point stays.
        orbit[i] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0f, 0.0f, 0};
        batch.inside[i] = inside;
        if (!inside && limit > 0) batch.todo[iterating++] = i;
    }
    batch.count = iterating;
    IterateEscapeOrbits<kConjugate>(batch, limit);

    for (int32_t i = 0; i < count; ++i) {
        const int32_t j = start + i;
        const EscapeOrbit& o = orbit[i];
        const int32_t n = o.n;
        if (n > 0) {
            lastZr = o.zpr;
            lastZi = o.zpi;
        }
        if (batch.inside[i] || n >= limit) {
            gPointX[j] = px[i];
            gPointY[j] = 0.0f;
            gPointZ[j] = pz[i];
            gPointColorR[j] = gPointColorG[j] = gPointColorB[j] = 0;
            continue;
        }

        EscapeSample s;
        s.d = static_cast<float>(std::sqrt(o.m) * std::log(o.m) / std::sqrt(o.dzr * o.dzr + o.dzi * o.dzi) * a0);
        s.dr = static_cast<float>(o.zr - o.zpr);
        s.di = static_cast<float>(o.zi - o.zpi);
        s.n = n;
        float x = px[i], y, z = pz[i];
        if constexpr (kAlt) {
            const float d = s.d;
            y = (kConjugate ? Tri(d) : std::cos(d)) * d * a4;
            if (a5 > 0.0f) {
                const float beta = std::atan2(s.di, s.dr);
                const float rho = (kConjugate ? TriSin(d) : std::sin(d)) * d * a5;
                x = px[i] + (kConjugate ? TriSin(beta) : std::sin(beta)) * rho;
                z = pz[i] - (kConjugate ? Tri(beta) : std::cos(beta)) * rho;
            }
        } else {
            y = EscapeHeight<kConjugate, Row>(s, a4);
        }
        gPointX[j] = x;
        gPointY[j] = y;
        gPointZ[j] = z;
        const uint8_t g = static_cast<uint8_t>(n & 255);
        gPointColorR[j] = gEscapeGradient.r[g];
        gPointColorG[j] = gEscapeGradient.g[g];
        gPointColorB[j] = gEscapeGradient.b[g];
    }

    gSlotHash[slot] = hash;
    gSlotRandom[slot] = rnd;
    gSlotPoint.x[slot] = lastZr;
    gSlotPoint.y[slot] = lastZi;
    gSlotTransform[slot] = t;
}

// The row is read once per call, so the point loop carries no dispatch.
template <EscapeKind Kind>
void RunByEscapeRow(uint8_t slot)
{
    switch (gEscapeFunction) {
    case 1: RunEscapeTimeKernel<Kind, 1>(slot); break;
    case 2: RunEscapeTimeKernel<Kind, 2>(slot); break;
    case 3: RunEscapeTimeKernel<Kind, 3>(slot); break;
    case 4: RunEscapeTimeKernel<Kind, 4>(slot); break;
    default: RunEscapeTimeKernel<Kind, 0>(slot); break;
    }
}

}  // namespace

void RunFractalType46(uint8_t slot) { RunByEscapeRow<EscapeKind::Mandelbrot>(slot); }
void RunFractalType46Alt(uint8_t slot) { RunEscapeTimeKernel<EscapeKind::MandelbrotAlt, 0>(slot); }
void RunFractalType49(uint8_t slot) { RunByEscapeRow<EscapeKind::Conjugate>(slot); }
void RunFractalType49Alt(uint8_t slot) { RunEscapeTimeKernel<EscapeKind::ConjugateAlt, 0>(slot); }
