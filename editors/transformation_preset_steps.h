// The small steps every transformation preset is written in: draws from
// gGlobalRandomB, the counts, reset, placement, scale, rotation, random
// variations and compose of one record. Shared by the preset files only.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/constants.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/random_helpers.h"
#include "engine/transform_record.h"
#include "engine/vector_math.h"

namespace preset {

inline constexpr uint32_t kHalfWord = 0x80000000u;
inline constexpr float kPi = 3.14159265f;
inline constexpr float kTwoPi = 6.2831855f;
inline constexpr float kDegree = 0.017453292f;

inline float U() { return GlobalRandomFloatB(); }
inline uint32_t W() { return GlobalRandomU32B(); }
inline bool Coin() { return GlobalRandomBoolB(); }
// u - u', the first draw first.
inline float D()
{
    const float a = U();
    return a - U();
}
inline float* UnitVector(float* out) { return RandomUnitVector(out); }

// Both counts, kept within the records.
inline void Counts(int n)
{
    n = n < 1 ? 1 : (n > kMaxTransforms ? kMaxTransforms : n);
    gTransformCount = gPickTransformCount = n;
}

inline bool Valid(int i) { return i >= 0 && i < kMaxTransforms; }
inline TransformRecord& Record(int i) { return gTransforms[Valid(i) ? i : kMaxTransforms - 1]; }

inline void Reset(int i) { ResetTransformation(gTransformEdit.baseRotation, i); }
inline void Compose(int i)
{
    if (Valid(i)) ComposeTransformation(i);
}
inline void Place(int i, float x, float y, float z)
{
    if (Valid(i)) Vec3Pack(gTransforms[i].position, x, y, z);
}
inline void Scale(int i, float s)
{
    if (!Valid(i)) return;
    float* m = gTransforms[i].scaleShear;
    m[0] = m[4] = m[8] = s;
}
inline void Rotate(int i, const float* axis, float radians)
{
    if (Valid(i)) AxisAngleMatrix(axis, radians, gTransforms[i].rotation);
}
inline void Rotate(int i, float ax, float ay, float az, float radians)
{
    const float axis[3] = {ax, ay, az};
    Rotate(i, axis, radians);
}
inline void Weight(int i, float w)
{
    if (Valid(i)) gTransforms[i].weight = w;
}

// For k = 0..9: a draw below 0.15 turns variation k on with the amount of
// a fresh draw.
inline void RandomVariations(int i)
{
    if (!Valid(i)) return;
    TransformRecord& r = gTransforms[i];
    for (int k = 0; k < 10; ++k) {
        if (U() < 0.15f) {
            r.variationOn[k] = 1;
            r.variationAmount[k] = U();
        }
    }
    int on = 0;
    for (int k = 0; k < 10; ++k) on += r.variationOn[k] ? 1 : 0;
    r.variationCount = on;
}

// Ring shapes of member angle phi: 0 a rounded square, 1 a square on its
// corner, 2 the unit circle.
inline void RingShape(int shape, float phi, float* x, float* z)
{
    if (shape == 0) {
        *x = std::tanh(2.0f * std::sin(phi));
        *z = std::tanh(2.0f * std::cos(phi));
    } else if (shape == 1) {
        *x = std::asin(std::sin(phi)) * 0.63661975f;
        *z = std::asin(std::cos(phi)) * 0.63661975f;
    } else {
        *x = std::sin(phi);
        *z = std::cos(phi);
    }
}

// The angle of "w mod 8" among 0, 90, 180, 270, 45, 135, 225, 315 degrees.
inline float EighthTurn(uint32_t w)
{
    static constexpr float kDegrees[8] = {0, 90, 180, 270, 45, 135, 225, 315};
    return kDegrees[w % 8u] * kDegree;
}

// Complex Moebius coefficients into gMobiusCoefficients entry i.
inline void KeepMobius(int i, Complex a, Complex b, Complex c, Complex d)
{
    if (!Valid(i)) return;
    gMobiusCoefficients.a[i] = a;
    gMobiusCoefficients.b[i] = b;
    gMobiusCoefficients.c[i] = c;
    gMobiusCoefficients.d[i] = d;
}

// The circle-inversion layout: m00 a.re, m01 a.im, m02 b.re, m12 b.im,
// m11 c.re, m10 c.im, m20 d.re, m21 d.im.
inline void PublishInversion(int i, Complex a, Complex b, Complex c, Complex d)
{
    if (!Valid(i)) return;
    TransformCoefficients& k = gTransformCoefficients;
    k.m00[i] = a.re, k.m01[i] = a.im, k.m02[i] = b.re, k.m12[i] = b.im;
    k.m11[i] = c.re, k.m10[i] = c.im, k.m20[i] = d.re, k.m21[i] = d.im;
    KeepMobius(i, a, b, c, d);
}

// The closing steps of both makers of preset 8: for fractal type 48 the
// plain affine step off, then by a coin one more map above the n others.
void ClosePlanesPreset(int n);

}  // namespace preset
