// The model's operations: start-up state of the render slots, composition
// of transformation records into the published arrays, and the Moebius
// generators of the Kleinian fractal types.
#include "engine/fractal_model.h"
#include "engine/pick_table.h"

#include <cmath>
#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/quaternion.h"
#include "engine/vector_math.h"

void InitGlobalState()
{
    for (int k = 0; k < kSlotTableSize; ++k) {
        gSlotBatchStart[k] = static_cast<uint16_t>(k * kSlotBatchSize);
        gSlotBatchLast[k] = static_cast<uint16_t>(k * kSlotBatchSize + kSlotBatchSize - 1);
        gSlotBatchEnd[k] = static_cast<uint16_t>(k * kSlotBatchSize + kSlotBatchSize);
    }
    std::memset(gPointX, 0, sizeof gPointX);
    std::memset(gPointY, 0, sizeof gPointY);
    std::memset(gPointZ, 0, sizeof gPointZ);
    std::memset(gPointColorIndex, 0, sizeof gPointColorIndex);
    std::memset(gPointColorR, 0, sizeof gPointColorR);
    std::memset(gPointColorG, 0, sizeof gPointColorG);
    std::memset(gPointColorB, 0, sizeof gPointColorB);

    std::memset(&gSlotPoint, 0, sizeof gSlotPoint);
    std::memset(gSlotTransform, 0, sizeof gSlotTransform);
    std::memset(&gSlotComplexPoint, 0, sizeof gSlotComplexPoint);
    std::memset(&gSlotComplexOrigin, 0, sizeof gSlotComplexOrigin);
    std::memset(gSlotQuaternionW, 0, sizeof gSlotQuaternionW);
    std::memset(gSlotQuaternionPoint, 0, sizeof gSlotQuaternionPoint);

    std::memset(gSlotBaseshape, 0, sizeof gSlotBaseshape);
    std::memset(gSlotBaseshapeColorIndex, 0, sizeof gSlotBaseshapeColorIndex);
    std::memset(gSlotBaseshapePosition, 0, sizeof gSlotBaseshapePosition);
    std::memset(gSlotSeedPoint, 0, sizeof gSlotSeedPoint);
    std::memset(gSlotSampleColor, 0, sizeof gSlotSampleColor);
    std::memset(gSlotColorMode, 0, sizeof gSlotColorMode);
    std::memset(gSlotTexelColor, 0, sizeof gSlotTexelColor);
    for (BaseshapePoint& p : gSlotBaseshapePoints) {
        p.red = p.green = p.blue = 0;
        p.x = p.y = p.z = 0.0f;
        p.size = 0.0f;
    }
}

void ComposeTransformMatrices(int i)
{
    if (i < 0 || i >= kMaxTransforms) return;
    TransformRecord& t = gTransforms[i];
    MultiplyMatrix3(t.rotation, t.scaleShear, t.matrix);
    const float* c = t.matrix;

    TransformCoefficients& k = gTransformCoefficients;
    k.m00[i] = c[0];
    k.m01[i] = c[1];
    k.m02[i] = c[2];
    k.m10[i] = c[3];
    k.m11[i] = c[4];
    k.m12[i] = c[5];
    k.m20[i] = c[6];
    k.m21[i] = c[7];
    k.m22[i] = c[8];
    k.tx[i] = t.position[0];
    k.ty[i] = t.position[1];
    k.tz[i] = t.position[2];
    gTransformWeights[i] = t.weight;

    AffineToColumnMajor(c, t.position, t.glMatrix);
}

void ComposeTransformation(int i) { ComposeTransformMatrices(i); }

// ---- Complex helpers --------------------------------------------------------

namespace {

inline Complex C(float re, float im) { return Complex{re, im}; }
inline Complex operator+(Complex a, Complex b) { return C(a.re + b.re, a.im + b.im); }
inline Complex operator-(Complex a, Complex b) { return C(a.re - b.re, a.im - b.im); }
inline Complex operator-(Complex a) { return C(-a.re, -a.im); }
inline Complex operator*(Complex a, Complex b) { return C(a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re); }
inline Complex operator*(float s, Complex a) { return C(s * a.re, s * a.im); }
// a conj(b) / |b|^2
inline Complex operator/(Complex a, Complex b)
{
    const float n = b.re * b.re + b.im * b.im;
    return C((a.re * b.re + a.im * b.im) / n, (a.im * b.re - a.re * b.im) / n);
}

// |z|^(1/2) at half the angle of z.
Complex SquareRoot(Complex z)
{
    const float r = std::pow(z.re * z.re + z.im * z.im, 0.25f);
    const float half = 0.5f * std::atan2(z.im, z.re);
    return C(r * std::cos(half), r * std::sin(half));
}

}  // namespace

Complex* ComplexMake(Complex* out, float re, float im)
{
    *out = C(re, im);
    return out;
}

Complex* ComplexNegate(Complex* out, const Complex* a)
{
    *out = -*a;
    return out;
}

Complex* ComplexAdd(Complex* out, const Complex* a, const Complex* b)
{
    *out = *a + *b;
    return out;
}

Complex* ComplexSubtract(Complex* out, const Complex* a, const Complex* b)
{
    *out = *a - *b;
    return out;
}

Complex* ComplexMultiply(Complex* out, const Complex* a, const Complex* b)
{
    *out = *a * *b;
    return out;
}

Complex* ComplexDivide(Complex* out, const Complex* a, const Complex* b)
{
    *out = *a / *b;
    return out;
}

Complex* ComplexMobius(Complex* out, const Complex* a, const Complex* b, const Complex* c, const Complex* d,
                       const Complex* z)
{
    *out = (*a * *z + *b) / (*c * *z + *d);
    return out;
}

void MakeComplexMobiusCoefficients(Complex* a, Complex* b, Complex* cOut, Complex* d, const Complex* t, float k,
                                   const Complex* c)
{
    const Complex tv = *t, cv = *c;
    *a = C(tv.re / k, tv.im / k);
    *b = C(k - (tv.re * tv.re + tv.im * tv.im) / k, 0.0f);
    *cOut = C(cv.re / k, cv.im / k);
    *d = C(-tv.re / k, tv.im / k);
}

// ---- Moebius generators -----------------------------------------------------

namespace {

// (q0, q1, q2, q3) -> (q3, q2, -q1, -q0)
void TurnQuaternion(float* out, const float* q)
{
    const float t[4] = {q[3], q[2], -q[1], -q[0]};
    std::memcpy(out, t, sizeof t);
}

// Type 45 runs the four maps as transformations 0 to 3 and mirrors the first
// half of the set into the second half in quaternion form.
void PublishQuaternionMaps()
{
    for (int t = 0; t < 4; ++t) PublishMobiusMap(t);
    if (gPickTransformCount == 10) {
        const float q[4] = {1, 0, 0, 0}, e[4] = {0, 1, 0, 0};
        MakeQuaternionMobiusEntries(q, e, gTransformQuaternionA[4], gTransformQuaternionB[4],
                                    gTransformQuaternionC[4], gTransformQuaternionD[4]);
    }
    // A count read from a file may be anything: keep the mirrored half inside
    // the arrays and leave at least one transformation to pick.
    int count = gPickTransformCount;
    if (count > kMaxTransforms) count = kMaxTransforms;
    const int h = count > 0 ? count / 2 : 0;
    const float minusK[4] = {0, 0, 0, -1};
    for (int s = 0; s < h; ++s) {
        TurnQuaternion(gTransformQuaternionA[s + h], gTransformQuaternionA[s]);
        TurnQuaternion(gTransformQuaternionB[s + h], gTransformQuaternionB[s]);
        TurnQuaternion(gTransformQuaternionC[s + h], gTransformQuaternionC[s]);
        MultiplyQuaternions(gTransformQuaternionD[s + h], gTransformQuaternionD[s], minusK);
    }
    gPickTransformCount = h > 0 ? 2 * h : 1;
    // Every writer keeps the two counts equal: a record left above the even
    // count would be shown and edited but never picked.
    gTransformCount = gPickTransformCount;
}

}  // namespace

void ComputeMobiusGenerators(Complex ta, Complex tb)
{
    const Complex two = C(2, 0), four = C(4, 0), i2 = C(0, 2), i4 = C(0, 4);
    const Complex tatb = ta * tb;
    const Complex z = tatb * tatb - 4.0f * (ta * ta + tb * tb);
    const Complex tab = 0.5f * (tatb + SquareRoot(z));
    const Complex z0 = (tab - two) * tb / (tb * tab - 2.0f * ta + i2 * tab);

    const Complex aHalf = 0.5f * ta, bHalf = 0.5f * tb;
    const Complex g0b = (ta * tab - 2.0f * tb + i4) / ((2.0f * tab + four) * z0);
    const Complex g0c = (ta * tab - 2.0f * tb - i4) * z0 / (2.0f * tab - four);
    MobiusCoefficients& m = gMobiusCoefficients;
    m.a[0] = aHalf;
    m.b[0] = g0b;
    m.c[0] = g0c;
    m.d[0] = aHalf;
    m.a[1] = 0.5f * (tb - i2);
    m.b[1] = bHalf;
    m.c[1] = bHalf;
    m.d[1] = 0.5f * (tb + i2);
    m.a[2] = aHalf;
    m.b[2] = -g0b;
    m.c[2] = -g0c;
    m.d[2] = aHalf;
    m.a[3] = 0.5f * (tb + i2);
    m.b[3] = -bHalf;
    m.c[3] = -bHalf;
    m.d[3] = 0.5f * (tb - i2);
}

void PublishMobiusMap(int k)
{
    const MobiusCoefficients& m = gMobiusCoefficients;
    TransformCoefficients& c = gTransformCoefficients;
    c.m00[k] = m.a[k].re;
    c.m01[k] = m.a[k].im;
    c.m02[k] = m.b[k].re;
    c.m12[k] = m.b[k].im;
    c.m11[k] = m.c[k].re;
    c.m10[k] = m.c[k].im;
    c.m20[k] = m.d[k].re;
    c.m21[k] = m.d[k].im;
    float* const quaternions[4] = {gTransformQuaternionA[k], gTransformQuaternionB[k], gTransformQuaternionC[k],
                                   gTransformQuaternionD[k]};
    const Complex* const values[4] = {&m.a[k], &m.b[k], &m.c[k], &m.d[k]};
    for (int e = 0; e < 4; ++e) {
        float* q = quaternions[e];
        q[0] = values[e]->re;
        q[1] = 0.0f;
        q[2] = values[e]->im;
        q[3] = 0.0f;
    }
}

void ComputeTransformCoefficients(Complex ta, Complex tb)
{
    ComputeMobiusGenerators(ta, tb);
    if (gFractalType == 45) PublishQuaternionMaps();
}

void RefreshMobiusMaps()
{
    const int type = gFractalType;
    if (type != 3 && type != 19 && type != 45) return;
    const int count = gPickTransformCount;
    ComputeTransformCoefficients(Complex{gTransforms[0].position[0], gTransforms[0].position[2]},
                                 Complex{gTransforms[1].position[0], gTransforms[1].position[2]});
    if (gPickTransformCount != count) BuildTransformPickTable();
}
