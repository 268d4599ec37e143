#include "engine/escape_time_kernels.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// One call's samples: where they lie, which of them iterate, their orbits.
struct EscapeBatch {
    float px[kSlotBatchSize], pz[kSlotBatchSize];
    double cr[kSlotBatchSize], ci[kSlotBatchSize];
    int32_t todo[kSlotBatchSize];
    int32_t count;  // entries of todo
    bool inside[kSlotBatchSize];  // inside without iterating
    EscapeOrbit orbit[kSlotBatchSize];
};

// The one-point escape loop, from z = 0: the reference every lane follows.
template <bool kConjugate>
inline EscapeOrbit IterateEscapeOrbit(double cr, double ci, int32_t limit)
{
    double zr = 0.0, zi = 0.0, dzr = 0.0, dzi = 0.0, m = 0.0;
    float zpr = 0.0f, zpi = 0.0f;
    int32_t n = 0;
    while (n < limit) {
        ++n;
        zpr = static_cast<float>(zr);
        zpi = static_cast<float>(zi);
        const double ndzr = 2.0 * (zr * dzr - zi * dzi) + 1.0;
        const double ndzi = 2.0 * (zr * dzi + zi * dzr);
        dzr = ndzr;
        dzi = ndzi;
        const double nzr = zr * zr - zi * zi + cr;
        const double nzi = kConjugate ? 2.0 * zr * zi - ci : 2.0 * zr * zi + ci;
        zr = nzr;
        zi = nzi;
        m = zr * zr + zi * zi;
        if (m >= kEscapeRadiusSquared) break;
    }
    return {zr, zi, dzr, dzi, m, zpr, zpi, n};
}

#if defined(__SSE2__)
// Four points' escape loops side by side in two pairs of SSE2 lanes: one
// loop alone is a chain of dependent multiplies that leaves the multipliers
// idle. A lane whose point escapes or reaches the limit takes the next point
// at once, so a long orbit holds up no other lane. Every lane does exactly
// the double operations of the one-point loop above, in the same order, so
// the orbits are the same to the last bit.
inline constexpr int kEscapeLanePairs = 2;

struct EscapeLanes {
    __m128d zr, zi, dzr, dzi, cr, ci, n;
};

template <bool kConjugate>
inline int StepEscapeLanes(EscapeLanes& v, __m128d& pr, __m128d& pi, __m128d& m, __m128d last)
{
    const __m128d two = _mm_set1_pd(2.0), one = _mm_set1_pd(1.0);
    pr = v.zr;
    pi = v.zi;
    const __m128d ndzr = _mm_add_pd(_mm_mul_pd(two, _mm_sub_pd(_mm_mul_pd(v.zr, v.dzr), _mm_mul_pd(v.zi, v.dzi))), one);
    const __m128d ndzi = _mm_mul_pd(two, _mm_add_pd(_mm_mul_pd(v.zr, v.dzi), _mm_mul_pd(v.zi, v.dzr)));
    v.dzr = ndzr;
    v.dzi = ndzi;
    const __m128d nzr = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(v.zr, v.zr), _mm_mul_pd(v.zi, v.zi)), v.cr);
    const __m128d zz = _mm_mul_pd(_mm_mul_pd(two, v.zr), v.zi);
    v.zi = kConjugate ? _mm_sub_pd(zz, v.ci) : _mm_add_pd(zz, v.ci);
    v.zr = nzr;
    m = _mm_add_pd(_mm_mul_pd(v.zr, v.zr), _mm_mul_pd(v.zi, v.zi));
    v.n = _mm_add_pd(v.n, one);
    const __m128d done = _mm_or_pd(_mm_cmpge_pd(m, _mm_set1_pd(kEscapeRadiusSquared)), _mm_cmpge_pd(v.n, last));
    return _mm_movemask_pd(done);
}

template <bool kConjugate>
void IterateEscapeOrbits(EscapeBatch& b, int32_t limit)
{
    // Lanes 2p and 2p + 1 in pair p; spilled to these arrays only when a lane is done.
    constexpr int kPairs = kEscapeLanePairs, kLanes = 2 * kEscapeLanePairs;
    alignas(16) double zr[kLanes], zi[kLanes], dzr[kLanes], dzi[kLanes], cr[kLanes], ci[kLanes], n[kLanes];
    alignas(16) double pr[kLanes], pi[kLanes], m[kLanes];
    int32_t point[kLanes];
    int32_t next = 0, busy = 0;
    // Gives lane l the next point (an idle lane iterates 0 under c = 0 and stays there).
    const auto take = [&](int l) {
        zr[l] = zi[l] = dzr[l] = dzi[l] = n[l] = cr[l] = ci[l] = 0.0;
        point[l] = -1;
        if (next < b.count) {
            point[l] = b.todo[next++];
            cr[l] = b.cr[point[l]];
            ci[l] = b.ci[point[l]];
            ++busy;
        }
    };
    for (int l = 0; l < kLanes; ++l) take(l);
    const __m128d last = _mm_set1_pd(static_cast<double>(limit));
    while (busy > 0) {
        EscapeLanes v[kPairs];
        __m128d vpr[kPairs], vpi[kPairs], vm[kPairs];
#pragma GCC unroll 8
        for (int p = 0; p < kPairs; ++p) {
            const int at = 2 * p;
            v[p] = {_mm_load_pd(zr + at), _mm_load_pd(zi + at), _mm_load_pd(dzr + at), _mm_load_pd(dzi + at),
                    _mm_load_pd(cr + at), _mm_load_pd(ci + at), _mm_load_pd(n + at)};
        }
        int done = 0;
        do {
#pragma GCC unroll 8
            for (int p = 0; p < kPairs; ++p)
                done |= StepEscapeLanes<kConjugate>(v[p], vpr[p], vpi[p], vm[p], last) << (2 * p);
        } while (done == 0);
#pragma GCC unroll 8
        for (int p = 0; p < kPairs; ++p) {
            const int at = 2 * p;
            _mm_store_pd(zr + at, v[p].zr), _mm_store_pd(zi + at, v[p].zi), _mm_store_pd(dzr + at, v[p].dzr);
            _mm_store_pd(dzi + at, v[p].dzi), _mm_store_pd(n + at, v[p].n);
            _mm_store_pd(pr + at, vpr[p]), _mm_store_pd(pi + at, vpi[p]), _mm_store_pd(m + at, vm[p]);
        }
        for (int l = 0; l < kLanes; ++l) {
            if (!(done & (1 << l))) continue;
            if (point[l] >= 0) {
                b.orbit[point[l]] = {zr[l], zi[l], dzr[l], dzi[l], m[l], static_cast<float>(pr[l]),
                                     static_cast<float>(pi[l]), static_cast<int32_t>(n[l])};
                --busy;
            }
            take(l);
        }
    }
}
#else
template <bool kConjugate>
void IterateEscapeOrbits(EscapeBatch& b, int32_t limit)
{
    for (int32_t k = 0; k < b.count; ++k) {
        const int32_t i = b.todo[k];
        b.orbit[i] = IterateEscapeOrbit<kConjugate>(b.cr[i], b.ci[i], limit);
    }
}
#endif

template <EscapeKind Kind, int Row>
void RunEscapeTimeKernel(uint8_t slot)
{
    constexpr bool kConjugate = Kind == EscapeKind::Conjugate || Kind == EscapeKind::ConjugateAlt;
    constexpr bool kAlt = Kind == EscapeKind::MandelbrotAlt || Kind == EscapeKind::ConjugateAlt;
    // The conjugate step z^2 + conj(c) gives at c the orbit of z^2 + c at
    // conj(c), bit for bit, and the bulb and cardioid test reads ci only
    // squared: it answers for both kinds alike. The conjugate kernels still
    // iterate their batch's last sample, whose orbit leaves the slot point.
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
        if (!(kConjugate && i == count - 1)) {
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
