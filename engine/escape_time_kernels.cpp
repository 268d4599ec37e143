#include "engine/escape_time_kernels.h"

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

    for (int32_t j = start; j < end; ++j) {
        gPointColorIndex[j] = k;
        const uint32_t h = StepSlotHash(hash);
        t = kPickTable ? pickTable[h & 255u] : static_cast<int32_t>(transitions[t][h & 255u]);
        const float u1 = RandomUniform(rnd);
        const float u2 = RandomUniform(rnd);
        const float px = (2.0f * u1 - 1.0f) * co.m00[t] + co.tx[t];
        const float pz = (2.0f * u2 - 1.0f) * co.m00[t] + co.tz[t];
        const double cr = static_cast<double>(px) * scale + cr0;
        const double ci = ci0 - static_cast<double>(pz) * scale;

        bool inside = false;
        if constexpr (kCardioidTest) {
            const double q = (cr - 0.25) * (cr - 0.25) + ci * ci;
            inside = (cr + 1.0) * (cr + 1.0) + ci * ci < 0.0625 || (cr - 0.25 + q) * q < 0.25 * ci * ci;
        }
        double zr = 0.0, zi = 0.0, dzr = 0.0, dzi = 0.0, m = 0.0;
        float zpr = 0.0f, zpi = 0.0f;
        int32_t n = 0;
        if (!inside) {
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
            if (n > 0) {  // a limit of 0 iterates nothing: the slot point stays
                lastZr = zpr;
                lastZi = zpi;
            }
            inside = n >= limit;
        }

        if (inside) {
            gPointX[j] = px;
            gPointY[j] = 0.0f;
            gPointZ[j] = pz;
            gPointColorR[j] = gPointColorG[j] = gPointColorB[j] = 0;
            continue;
        }

        EscapeSample s;
        s.d = static_cast<float>(std::sqrt(m) * std::log(m) / std::sqrt(dzr * dzr + dzi * dzi) * a0);
        s.dr = static_cast<float>(zr - zpr);
        s.di = static_cast<float>(zi - zpi);
        s.n = n;
        float x = px, y, z = pz;
        if constexpr (kAlt) {
            const float d = s.d;
            y = (kConjugate ? Tri(d) : std::cos(d)) * d * a4;
            if (a5 > 0.0f) {
                const float beta = std::atan2(s.di, s.dr);
                const float rho = (kConjugate ? TriSin(d) : std::sin(d)) * d * a5;
                x = px + (kConjugate ? TriSin(beta) : std::sin(beta)) * rho;
                z = pz - (kConjugate ? Tri(beta) : std::cos(beta)) * rho;
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
