// Each surface is drawn over (u1, u2), which are also its texture
// coordinates. Their formulas have poles at some parameters; each sampler
// keeps the shape where it is defined and ends in StoreFinitePoint.
//
// Sections: [breather] [Dini's flower] [page] [Enneper surfaces]
#include "baseshapes/samplers_breather_enneper.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_finite_point.h"

namespace {

// [breather] ---------------------------------------------------------------

// The breather's constant b = p0 / 10 only makes a surface for 0 < |b| < 1:
// b = 0 divides by zero and |b| >= 1 takes the root of a negative number.
// Its size is kept inside [0.001, 0.999], its sign kept (0 counts as +).
inline float BreatherConstant(float p0)
{
    const float b = static_cast<float>(0.1 * static_cast<double>(p0));
    float magnitude = std::fabs(b);
    if (!(magnitude >= 0.001f)) magnitude = 0.001f;
    if (magnitude > 0.999f) magnitude = 0.999f;
    return std::copysign(magnitude, b);
}

// f scales the surface's height coordinate y only (the filled twin).
void BreatherPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float b = BreatherConstant(p[0]);
    const float b2 = b * b;
    const float w = std::sqrt(1.0f - b2);
    const float u = (2.0f * u1 - 1.0f) * p[2];
    const float v = (2.0f * u2 - 1.0f) * p[3];
    const float c = std::cosh(b * u);
    const float h = std::sinh(b * u);
    const float alpha = w * v;
    const float sa = std::sin(alpha), ca = std::cos(alpha);
    const float sb = std::sin(v), cb = std::cos(v);
    const float bs = b * sa;
    const float d = b * static_cast<float>(static_cast<double>((1.0f - b2) * c * c) + static_cast<double>(bs * bs));
    const float k = p[1] + 2.0f;
    const float radial = k * w * c / d * s;
    StoreFinitePoint(point, (-cb * w * ca - sa * sb) * radial, (h * k * c / d * (1.0f - b2) - u) * s * f,
                     (sa * cb - sb * w * ca) * radial);
}

// [Dini's flower] ----------------------------------------------------------

// Dini's surface wound N = floor(10 p0) radians. Its log(tan(v/16)) has no
// value where the tangent is not positive (v <= 0, or v beyond 8 pi): the
// log of its size is taken there instead, floored at 1e-30, which continues
// the surface by its mirror image and keeps it finite at v = 0. The root
// of cos(u1 pi/2) is clamped at 0, as the float cosine of pi/2 is negative.
void DiniPoint(BaseshapePoint* point, float u1, float u2)
{
    const float* p = point->p;
    const float s = point->size;
    const double turns = std::floor(static_cast<double>(p[0] * 10.0f));
    const float a = static_cast<float>(turns * u1);
    const float v = static_cast<float>(static_cast<double>(2.0f * u2 * p[1]) + 0.1);
    const float taper = std::sqrt(std::fmax(0.0f, std::cos(u1 * 1.5707964f)));
    const float r = std::sin(v) * s * 0.5f * taper;
    const double tangent = std::fabs(std::tan(static_cast<double>(v) * 0.0625));
    const float logTan = static_cast<float>(std::log(std::fmax(tangent, 1e-30)));
    StoreFinitePoint(point, std::cos(a) * r, (std::cos(v) + logTan + a * p[2] + 2.0f) * s * 0.5f, std::sin(a) * r);
}

// [page] -------------------------------------------------------------------

void PagePoint(BaseshapePoint* point, float u1, float u2)
{
    const float* p = point->p;
    const float s = point->size;
    const float a = 2.0f * u1 - 1.0f;
    const float b = 2.0f * u2 - 1.0f;
    const float x = std::sqrt(std::fabs(p[1]) + b * b) * s * a;
    const float y = (std::sqrt(std::fabs(std::cos(a * 1.5707964f))) * p[2] + 1.0f) * s * b;
    const float z = (1.0f - std::sqrt(std::fabs(a))) * std::sin(a * 37.699112f) * s * p[0];
    StoreFinitePoint(point, x, y, z);
}

// [Enneper surfaces] -------------------------------------------------------

// r^m / m of the order-n surface, m = 2n - 1. At n = 1/2 (m = 0) the term
// has no limit and is left out.
inline float EnneperTerm(float r, float m) { return m != 0.0f ? std::pow(r, m) / m : 0.0f; }

// r^n cos(n t) / n; at n = 0 (no limit either) the height is left out.
inline double EnneperHeight(float r, float n, double cosine) { return n != 0.0f ? cosine * std::pow(r, n) / n : 0.0; }

// Over the disc of radius p1.
void EnneperIIPoint(BaseshapePoint* point, float u1, float u2)
{
    const float* p = point->p;
    const float s = point->size;
    const float theta = kTwoPi * u1;
    const float r = std::sqrt(u2) * p[1];
    const float m = 2.0f * p[0] - 1.0f;
    const float k = EnneperTerm(r, m) * 0.5f;
    const float y = static_cast<float>(EnneperHeight(r, p[0], std::cos(p[0] * theta))) * s;
    StoreFinitePoint(point, (std::cos(theta) * r - std::cos(m * theta) * k) * s, y,
                     (std::sin(m * theta) * k + std::sin(theta) * r) * s);
}

// Over the annulus from sqrt(p2) to 1 times p1 (a negative radicand counts
// as 0), its height modulated by a hexagon.
void EnneperIIIPoint(BaseshapePoint* point, float u1, float u2)
{
    const float* p = point->p;
    const float s = point->size;
    const float theta = kTwoPi * u1;
    const float r = std::sqrt(std::fmax(0.0f, (1.0f - p[2]) * u2 + p[2])) * p[1];
    const float m = 2.0f * p[0] - 1.0f;
    const float k = EnneperTerm(r, m);
    const float b = 2.0f * theta * m;
    const double t = static_cast<double>(p[0]) * theta;
    // fmod of |t| keeps the hexagon's divisor at cos(pi/6) or more.
    const double hexagon =
        0.8660254037844386 / std::cos(std::fmod(std::fabs(t), 1.0471975511965979) - 0.5235987755982989);
    const double height = EnneperHeight(r, p[0], hexagon * std::cos(t));
    const float y = static_cast<float>((height + static_cast<double>(r) * r - 1.75) * 0.5 * s);
    StoreFinitePoint(point, (std::cos(theta) * r - std::cos(b) * k * 0.5f) * 0.5f * s, y,
                     (std::sin(b) * k * 0.25f + std::sin(theta) * r * 0.5f) * s);
}

using PlaceFn = void (*)(BaseshapePoint*, float, float);

template <PlaceFn Place>
void SampleTwoDraws(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Place(point, u1, u2);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeBreatherSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    BreatherPoint(point, u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeBreatherSurfaceFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    BreatherPoint(point, u1, u2, FilledFalloff(RandomUniform(rs)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeDiniFlower(BaseshapePoint* point, uint8_t slot) { SampleTwoDraws<DiniPoint>(point, slot); }
void SampleBaseshapePage(BaseshapePoint* point, uint8_t slot) { SampleTwoDraws<PagePoint>(point, slot); }
void SampleBaseshapeEnnepersSurfaceII(BaseshapePoint* point, uint8_t slot)
{
    SampleTwoDraws<EnneperIIPoint>(point, slot);
}
void SampleBaseshapeEnneperIII(BaseshapePoint* point, uint8_t slot) { SampleTwoDraws<EnneperIIIPoint>(point, slot); }
