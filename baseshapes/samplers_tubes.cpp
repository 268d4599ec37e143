#include "baseshapes/samplers_tubes.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

constexpr float kWordToAngle = 1.4629181e-9f;  // 2 pi / 2^32

struct Vec3 {
    float x, y, z;
};

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Scaled(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }

// The frame (e1, e2) about the segment direction d, e1 = d x ref. A direction
// parallel to ref would give a zero e1 and a division by zero, so it takes
// the second reference instead; a segment of zero length (the two curve
// points can coincide in float near the ends of a curve) takes a fixed frame.
void TubeFrame(Vec3 d, Vec3 ref, Vec3 altRef, Vec3& e1, Vec3& e2)
{
    const float dd = Dot(d, d);
    if (!(dd > 1e-30f)) {
        e1 = {1.0f, 0.0f, 0.0f};
        e2 = {0.0f, 0.0f, 1.0f};
        return;
    }
    e1 = Cross(d, ref);
    float n1 = Dot(e1, e1);
    if (!(n1 > 1e-12f * dd * Dot(ref, ref))) {
        e1 = Cross(d, altRef);
        n1 = Dot(e1, e1);
    }
    e1 = Scaled(e1, 1.0f / std::sqrt(n1));
    e2 = Cross(d, e1);
    e2 = Scaled(e2, 1.0f / std::sqrt(Dot(e2, e2)));
}

// Point t of the way from p2 to p1, plus the section offset (a, b) on the frame.
float* PlaceOnTube(float* out, const float* p1, const float* p2, Vec3 e1, Vec3 e2, float t, float a, float b)
{
    out[0] = p2[0] * (1.0f - t) + p1[0] * t + (a * e1.x + b * e2.x);
    out[1] = p2[1] * (1.0f - t) + p1[1] * t + (a * e1.y + b * e2.y);
    out[2] = p2[2] * (1.0f - t) + p1[2] * t + (a * e1.z + b * e2.z);
    return out;
}

// t * P / Q, 0 when Q is 0 or the quotient overflows.
float KnotAngle(float t, const BaseshapePoint* point)
{
    const float q = point->p[2];
    if (q == 0.0f) return 0.0f;
    const float a = t * point->p[1] / q;
    return std::isfinite(a) ? a : 0.0f;
}

// 8 pi u - 4 pi, four turns each way.
float KnotParameter(uint32_t word) { return static_cast<float>(word) * 5.8516725e-9f - 12.566371f; }

float NextKnotParameter(float t1, float u2)
{
    return static_cast<float>(static_cast<double>(t1) + 0.001 * u2 + 0.0001);
}

void TorusKnotCurve(float t, float a, float* c)
{
    const float r = std::cos(a) + 2.0f;
    c[0] = r * std::cos(t);
    c[1] = r * std::sin(t);
    c[2] = std::sin(a);
}

void RoundedKnotCurve(float t, float a, float* c)
{
    const float r = static_cast<float>(std::tanh(static_cast<double>(3.0f * std::cos(a)))) + 2.0f;
    c[0] = r * std::cos(t);
    c[1] = r * std::sin(t);
    c[2] = std::tanh(3.0f * std::sin(a));
}

using CurveFn = void (*)(float, float, float*);

template <CurveFn Curve, bool Folded>
void SampleKnotTube(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float t1 = KnotParameter(RandomStep(rs));
    const float t2 = NextKnotParameter(t1, RandomUniform(rs));
    float c1[3], c2[3], out[3];
    Curve(t1, KnotAngle(t1, point), c1);
    Curve(t2, KnotAngle(t2, point), c2);
    const float radius = Folded ? RandomFoldedTriangular(slot) * point->p[0] : point->p[0];
    SampleTubeSegment(out, c1, c2, &radius, slot);
    const float s = point->size;
    point->x = s * out[0];
    point->y = s * out[1];
    point->z = s * out[2];
}

// The loxodrome of "Tubular Loxodrome" at parameter T: it winds n times per
// unit of T about the z axis from pole to pole.
void Loxodrome(float T, float n, float* c)
{
    constexpr double kK = 267.74676148374823;
    const double g = 1.0 / (1.0 + kK * std::cosh(T));
    const float mkg = static_cast<float>(-kK * g);
    c[0] = mkg * std::cos(n * T);
    c[1] = mkg * std::sin(n * T);
    c[2] = 267.74677f * static_cast<float>(g) * std::sinh(T);
}

template <bool Folded>
void SampleLoxodromeTube(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const bool upper = RandomCoin(rs);
    const float r = std::sqrt(RandomUniform(rs));
    const float f = upper ? 1.0f - r : r - 1.0f;
    const float vc = 0.5f * f + 0.5f;
    const float T = vc * 12.566371f - 6.2831855f;
    const float T2 = static_cast<float>(static_cast<double>(T) + 0.0001);
    float c1[3], c2[3], out[3];
    Loxodrome(T, point->p[0], c1);
    Loxodrome(T2, point->p[0], c2);
    float radius = 0.1f * (1.0f - std::fabs(2.0f * vc - 1.0f));
    if (Folded) radius *= RandomFoldedTriangular(slot);
    SampleSquareTubeSegment(out, c1, c2, &radius, slot);
    const float s = point->size;
    point->x = s * out[0];
    point->y = s * out[2];
    point->z = s * out[1];
    // Flagged untexturable, yet the loxodrome keeps its colour tail: it only
    // acts in colour modes the editor never gives it.
    ApplyBaseshapeColorTail(point, vc, 0.0f, slot);
}

}  // namespace

float* SampleTubeSegment(float* out, const float* p1, const float* p2, const float* radius, uint8_t slot)
{
    Vec3 e1, e2;
    TubeFrame({p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]}, {0.0f, 100.0f, 0.0f}, {100.0f, 0.0f, 0.0f}, e1, e2);
    RandomState& rs = SamplerRandom(slot);
    const float t = RandomUniform(rs);
    const float a = static_cast<float>(RandomStep(rs)) * kWordToAngle;
    const float r = *radius;
    return PlaceOnTube(out, p1, p2, e1, e2, t, r * std::cos(a), r * std::sin(a));
}

float* SampleSquareTubeSegment(float* out, const float* p1, const float* p2, const float* radius, uint8_t slot)
{
    Vec3 e1, e2;
    TubeFrame({p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]}, {100.0f, 100.0f, 1000.0f}, {1000.0f, 100.0f, 100.0f},
              e1, e2);
    RandomState& rs = SamplerRandom(slot);
    const float t = RandomUniform(rs);
    const float a = static_cast<float>(RandomStep(rs)) * kWordToAngle;
    const float r = *radius;
    const float ca = static_cast<float>(std::tanh(static_cast<double>(2.0f * std::cos(a))));
    const float sa = static_cast<float>(std::tanh(static_cast<double>(2.0f * std::sin(a))));
    return PlaceOnTube(out, p1, p2, e1, e2, t, r * ca, r * sa);
}

float RandomFoldedTriangular(uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float w1 = static_cast<float>(RandomStep(rs));
    const float w2 = static_cast<float>(RandomStep(rs));
    const float s = (w2 + w1) * kRandomWordToFloat;
    return s <= 1.0f ? s : 2.0f - s;
}

void SampleBaseshapeTorusKnotI(BaseshapePoint* point, uint8_t slot)
{
    SampleKnotTube<TorusKnotCurve, false>(point, slot);
}

// Spheres of radius r about the knot curve, by uniform angles: their union
// fills the tube.
void SampleBaseshapeTorusKnotIFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float t = KnotParameter(RandomStep(rs));
    const float a = KnotAngle(t, point);
    const float c = std::cos(a) + 2.0f;
    const float B = static_cast<float>(RandomStep(rs)) * 8.7775085e-9f - 18.849556f;
    const float A = static_cast<float>(RandomStep(rs)) * 4.3887542e-9f - 9.424778f;
    const float s = point->size;
    const float r = point->p[0];
    point->x = s * (c * std::cos(t) + r * std::cos(A) * std::cos(B));
    point->y = s * (c * std::sin(t) + r * std::cos(A) * std::sin(B));
    point->z = s * (std::sin(a) + r * std::sin(A));
}

void SampleBaseshapeRoundedTorusKnot(BaseshapePoint* point, uint8_t slot)
{
    SampleKnotTube<RoundedKnotCurve, false>(point, slot);
}

void SampleBaseshapeRoundedTorusKnotFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleKnotTube<RoundedKnotCurve, true>(point, slot);
}

void SampleBaseshapeTubularLoxodrome(BaseshapePoint* point, uint8_t slot) { SampleLoxodromeTube<false>(point, slot); }

void SampleBaseshapeTubularLoxodromeFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleLoxodromeTube<true>(point, slot);
}
