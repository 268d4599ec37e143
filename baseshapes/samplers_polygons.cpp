// Sections: [polygon] [crown and lotus] [blade] [twisted pyramid]
//           [polygonal ring] [star]
#include "baseshapes/samplers_polygons.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_finite_point.h"

namespace {

// [polygon] ----------------------------------------------------------------

// A side count with a floor: trunc(value), `low` when the value is at most low.
inline int SidesFrom(float value, int low) { return ParameterToInt(value, low, kMaxPolygonSides); }

// [crown and lotus] --------------------------------------------------------

// The crown's profile g(m, q), chosen by the truncated "Fn" parameter.
inline float CrownProfile(int m, float q)
{
    switch (m) {
    case 1: return std::cos(q);
    case 2: return TriangleWave(std::sin(q));
    case 3: return TriangleWave(std::cos(q));
    case 4: return std::sinh(q);
    case 5: return std::cosh(q);
    default: return std::sin(q);
    }
}

// The power is capped: the polygon radius reaches 2 (a triangle's corner), and
// 2^64 still leaves a size of 1e6 finite.
constexpr int kMaxCrownPower = 64;

struct Crown {
    int sides;
    int power;
    int fn;
    float length;
};

inline Crown CrownOf(const BaseshapePoint* point)
{
    return {SidesFrom(point->p[0], 3), ParameterToInt(point->p[1], 1, kMaxCrownPower),
            ParameterToInt(point->p[3], 0, 6), point->p[2]};
}

// A point of the crown's side at height fraction t (b = t on the side);
// `spread` scales the radius (u2 on the lotus caps) and `rise` the height.
inline void CrownPoint(BaseshapePoint* point, const Crown& c, float a, float t, float spread, float rise, float f)
{
    const float s = point->size;
    const float r = PolygonRadius(c.sides, a);
    const float g = CrownProfile(c.fn, t * kHalfPi * c.length);
    const float radial = g * r * s * spread * f;
    const float y = static_cast<float>(std::pow(static_cast<double>(r), c.power)) * s * rise * f;
    StoreFinitePoint(point, std::sin(a) * radial, y, std::cos(a) * radial);
}

// The lotus after its two angle draws and its interior factor f: a coin picks
// the crown's side, else a second coin the bottom disc (b = 0) or top cone.
inline void LotusPoint(BaseshapePoint* point, RandomState& rs, float u1, float u2, float f)
{
    const Crown c = CrownOf(point);
    const float a = kTwoPi * u1;
    if (RandomCoin(rs)) {
        CrownPoint(point, c, a, u2, 1.0f, u2, f);
    } else {
        const float b = RandomCoin(rs) ? 1.0f : 0.0f;
        CrownPoint(point, c, a, b, u2, b * u2, f);
    }
}

// [blade] ------------------------------------------------------------------

// The quadratic Bezier curve from the first end point (p0..p2) through a
// middle point on an n-gon of radius p6 to the second end point (p3..p5).
inline void BladePoint(BaseshapePoint* point, float u1, float t, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float q = kTwoPi * u1;
    const float rho = PolygonRadius(SidesFrom(p[7], 3), q) * f;
    const float cx = std::sin(q) * p[6] * rho;
    const float cz = std::cos(q) * p[6] * rho;
    const float t1 = 1.0f - t;
    const float mid = 2.0f * t1 * t;
    StoreFinitePoint(point, (mid * cx + t1 * t1 * p[0] + t * t * p[3]) * s, (t1 * t1 * p[1] + t * t * p[4]) * s,
                     (mid * cz + t1 * t1 * p[2] + t * t * p[5]) * s);
}

// [twisted pyramid] --------------------------------------------------------

// A side point at height fraction u2, the section twisted by exp(u2 p0) - 1.
inline void TwistedPyramidSide(BaseshapePoint* point, float q, float rho, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float twisted = q + std::exp(u2 * p[0]) - 1.0f;
    const float r = (1.0f - u2) * p[1] * s * rho * f;
    StoreFinitePoint(point, std::sin(twisted) * r, (2.0f * u2 - 1.0f) * p[3] * s, std::cos(twisted) * r);
}

// [polygonal ring] ---------------------------------------------------------

// The six faces of the rectangular section: radial offset, height and
// angular offset from a1, a2 and the face offset e (p2, or w p2 filled).
inline void PolRingPoint(BaseshapePoint* point, RandomState& rs, float u1, float u2, float e)
{
    const float* p = point->p;
    const float s = point->size;
    const float a1 = 2.0f * u1 - 1.0f;
    const float a2 = 2.0f * u2 - 1.0f;
    // A word that rounds to a uniform of 1 gives face 6: it counts as face 5.
    int face = static_cast<int>(static_cast<float>(RandomStep(rs)) * 1.3969839e-09f);
    if (face > 5) face = 5;
    float radial = a2 * p[0];
    float y = a1 * p[1];
    float t = a1 * p[1];
    switch (face) {
    case 0: t = -e; break;
    case 1: t = e; break;
    case 2: y = -e; break;
    case 3: y = e; break;
    case 4: radial = e, y = a2 * p[0]; break;
    default: radial = -e, y = a2 * p[0]; break;
    }
    const int n = SidesFrom(p[3], 3);
    const double sector = 6.2831854820251465 / n;
    const float segment = std::trunc(RandomUniform(rs) * static_cast<float>(n));
    const float phi = static_cast<float>(segment * sector + t);
    const float r = (radial + 1.0f) * s * PolygonRadius(n, phi + kPi);
    StoreFinitePoint(point, std::sin(phi) * r, s * y, std::cos(phi) * r);
}

// [star] -------------------------------------------------------------------

// The edge of point k of the star polygon, thickened by the rhombic profile
// at angle e; `shrink` scales the profile's radial part (1 - w^4 filled).
inline void StarPoint(BaseshapePoint* point, uint32_t word, float u1, float u2, float shrink)
{
    const float* p = point->p;
    const float s = point->size;
    const int n = SidesFrom(p[1], 5);
    const int m = ParameterToInt(p[2], 1, kMaxPolygonSides);
    const float e = kTwoPi * u2 + kPi;
    const float r = (TriangleWave(std::cos(e)) * p[0] * shrink + 1.0f) * s;
    const float step = kTwoPi / static_cast<float>(n);
    const uint32_t k = word % static_cast<uint32_t>(n);
    const float b = static_cast<float>(k + 1) * step;
    const float a = static_cast<float>(k + 1 + m) * step;
    StoreFinitePoint(point, ((1.0f - u1) * std::sin(a) + u1 * std::sin(b)) * r,
                     ((1.0f - u1) * std::cos(a) + u1 * std::cos(b)) * r, TriangleWave(std::sin(e)) * p[3] * s * p[0]);
}

}  // namespace

// A flat polygon in the x-z plane with concentric ripples; points crowd
// toward the rim (radial factor sqrt(1 - u2^2)).
void SampleBaseshapePolygon(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* p = point->p;
    const float s = point->size;
    const float a = kTwoPi * u1;
    const float d = std::sqrt(std::fmax(0.0f, 1.0f - u2 * u2));
    const float r = PolygonRadius(SidesFrom(p[2], 3), a) * d * s;
    const float y = std::sin(d * 160.0f * p[0]) * (1.0f - d) * (p[1] * 0.25f) * s;
    StoreFinitePoint(point, std::sin(a) * r, y, std::cos(a) * r);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeCrown(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    CrownPoint(point, CrownOf(point), kTwoPi * u1, u2, 1.0f, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeLotus(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    LotusPoint(point, rs, u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeLotusFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = FilledFalloff(RandomUniform(rs));
    LotusPoint(point, rs, u1, u2, f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeBlade(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float t = RandomUniform(rs);
    BladePoint(point, u1, t, 1.0f);
    ApplyBaseshapeColorTail(point, u1, t, slot);
}

void SampleBaseshapeBladeFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float f = FilledFalloff(RandomUniform(rs));
    const float t = RandomUniform(rs);
    BladePoint(point, u1, t, f);
    ApplyBaseshapeColorTail(point, u1, t, slot);
}

// A quarter of the draws go to the flat, untwisted base.
void SampleBaseshapeTwistedPyramid(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float q = kTwoPi * u1;
    const float rho = PolygonRadius(SidesFrom(point->p[2], 3), q);
    if (RandomUniform(rs) > 0.25f) {
        TwistedPyramidSide(point, q, rho, u2, 1.0f);
        ApplyBaseshapeColorTail(point, u1, u2, slot);
        return;
    }
    const float w = RandomUniform(rs);
    const float s = point->size;
    const float r = (1.0f - w * w) * s * rho * point->p[1];
    StoreFinitePoint(point, std::sin(q) * r, -s * point->p[3], std::cos(q) * r);
    ApplyBaseshapeColorTail(point, u1, 0.0f, slot);
}

void SampleBaseshapeTwistedPyramidFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float q = kTwoPi * u1;
    const float rho = PolygonRadius(SidesFrom(point->p[2], 3), q);
    TwistedPyramidSide(point, q, rho, u2, FilledFalloff(RandomUniform(rs)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapePolRing(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    PolRingPoint(point, rs, u1, u2, point->p[2]);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The faces' offset is drawn (linearly) inside the section.
void SampleBaseshapePolRingFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float w = RandomUniform(rs);
    PolRingPoint(point, rs, u1, u2, w * point->p[2]);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeStar(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    StarPoint(point, RandomStep(rs), u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeStarFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float shrink = FilledFalloff(RandomUniform(rs));
    StarPoint(point, RandomStep(rs), u1, u2, shrink);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
