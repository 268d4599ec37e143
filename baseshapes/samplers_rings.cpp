#include "baseshapes/samplers_rings.h"

#include <algorithm>
#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_curves.h"

// Sections: [diamond ring] [tori and helix] [arc] [entry points]

namespace {

constexpr float kFourPi = 12.566371f;

// 1 - g^2 from one more draw for the filled twin; 1 on the surface.
template <bool Filled>
inline float SquareFalloff(RandomState& rs)
{
    if constexpr (Filled) {
        const float g = RandomUniform(rs);
        return 1.0f - g * g;
    } else {
        return 1.0f;
    }
}

// [diamond ring] -----------------------------------------------------------

// Twelve box-shaped stones on the band |x| + |z| = size. A stone is a box in
// (radial offset d, height e, angle offset g) of half sizes p0, p1 and p2;
// the filled twin shrinks the p2 faces toward the stone's middle.
template <bool Filled>
void DiamondRing(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float a1 = 2.0f * u1 - 1.0f;
    const float a2 = 2.0f * u2 - 1.0f;
    float p2 = p->p[2];
    if constexpr (Filled) p2 *= RandomUniform(rs);
    // A word of 2^32 - 128 or more rounds up to the count itself.
    const int face = std::min(static_cast<int>(static_cast<float>(RandomStep(rs)) * 1.3969839e-9f), 5);
    const int sector = std::min(static_cast<int>(static_cast<float>(RandomStep(rs)) * 2.7939677e-9f), 11);
    const float radial = a2 * p->p[0];
    const float along = a1 * p->p[1];
    float d, e, g;
    switch (face) {
    case 0: d = radial, e = along, g = -p2; break;
    case 1: d = radial, e = along, g = p2; break;
    case 2: d = radial, e = -p2, g = along; break;
    case 3: d = radial, e = p2, g = along; break;
    case 4: d = p2, e = radial, g = along; break;
    default: d = -p2, e = radial, g = along; break;
    }
    const float gamma = static_cast<float>(sector) * 0.5235988f + g;
    const float s = p->size;
    p->x = TriangleWave(std::sin(gamma)) * (d + 1.0f) * s;
    p->z = TriangleWave(std::cos(gamma)) * (d + 1.0f) * s;
    p->y = e * s;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// [tori and helix] ---------------------------------------------------------

// A torus whose tube alternates thick and thin, 1 +- p1, in p2 joints. As in
// "Bump Torus" the ring radius is size * size. Filled: horizontal chords
// across the tube (only the cosine term shrinks).
template <bool Filled>
void PipeTorus(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = SquareFalloff<Filled>(rs);
    const float b = kTwoPi * u1;
    const float a = kTwoPi * u2 + kPi;
    const float joint = 1.0f + p->p[1] * std::tanh(10.0f * std::sin(kTwoPi * u1 * p->p[2]));
    const float s = p->size;
    const float ring = (std::cos(a) * p->p[0] * f * joint + s) * s;
    p->x = std::cos(b) * ring;
    p->z = std::sin(b) * ring;
    p->y = std::sin(a) * p->p[0] * s * joint;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// A tube of radius p0 wound 2 * p2 times around a helix of radius p1 that
// rises from -p3 to p3.
template <bool Filled>
void HelixI(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float tube = p->p[0] * SquareFalloff<Filled>(rs);
    const float b = kFourPi * p->p[2] * u1;
    const float a = kTwoPi * u2 + kPi;
    const float s = p->size;
    const float radius = (std::cos(a) * tube + p->p[1]) * s;
    p->x = std::cos(b) * radius;
    p->z = std::sin(b) * radius;
    p->y = (std::sin(a) * tube + (2.0f * u1 - 1.0f) * p->p[3]) * s;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// A torus of polygons: a ring of p1 sides, a tube of p2 sides (at least 3
// each) turned by p3. Ring radius size * size as in the other tori.
template <bool Filled>
void PolTorus(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float tube = p->p[0];
    if constexpr (Filled) tube *= FilledFalloff(RandomUniform(rs));
    const float t = kTwoPi * u1;
    const float q = kTwoPi * u2 + kPi;
    const float turn = p->p[3] > 0.0f ? p->p[3] : 0.0f;
    const float tubeEdge = PolygonRadius(ParameterToInt(p->p[2], 3, kMaxPolygonSides), q + turn);
    const float ringEdge = PolygonRadius(ParameterToInt(p->p[1], 3, kMaxPolygonSides), t);
    const float s = p->size;
    const float m = (s + tube * tubeEdge * std::cos(q)) * s;
    p->x = std::cos(t) * ringEdge * m;
    p->z = std::sin(t) * ringEdge * m;
    p->y = std::sin(q) * tube * tubeEdge * s;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// [arc] --------------------------------------------------------------------

// A ring of square section (side p0, from radius size * size outwards)
// swept through p1 turns, with its two end faces. The filled twin shrinks
// the section toward the inner wall and its middle height; the top and
// bottom faces keep their radial spread.
template <bool Filled>
void Arc(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float u3 = RandomUniform(rs);
    float f = 1.0f;
    bool endFace = static_cast<double>(u3) <= 0.05;
    if constexpr (Filled) {
        f = 1.0f - u3 * u3;
        endFace = static_cast<double>(RandomUniform(rs)) <= 0.05;
    }
    const float s = p->size;
    const float side = p->p[0];
    const float sweep = kTwoPi * p->p[1];
    float radius, angle, y;
    if (endFace) {
        radius = (f * side * u1 + s) * s;
        angle = RandomCoin(rs) ? sweep : 0.0f;
        y = (u2 - 0.5f) * f * side * s;
    } else {
        angle = u1 * sweep;
        if (RandomStep(rs) & 1u) {
            const float outer = RandomCoin(rs) ? 1.0f : 0.0f;
            radius = (outer * f * side + s) * s;
            y = (u2 - 0.5f) * f * side * s;
        } else {
            radius = (u2 * side + s) * s;
            y = (RandomCoin(rs) ? 0.5f : -0.5f) * f * side * s;
        }
    }
    p->x = std::cos(angle) * radius;
    p->z = std::sin(angle) * radius;
    p->y = y;
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

}  // namespace

// [entry points] -----------------------------------------------------------

void SampleBaseshapeDiamondRing(BaseshapePoint* point, uint8_t slot) { DiamondRing<false>(point, slot); }
void SampleBaseshapeDiamondRingFilled(BaseshapePoint* point, uint8_t slot) { DiamondRing<true>(point, slot); }
void SampleBaseshapePipeTorus(BaseshapePoint* point, uint8_t slot) { PipeTorus<false>(point, slot); }
void SampleBaseshapePipeTorusFilled(BaseshapePoint* point, uint8_t slot) { PipeTorus<true>(point, slot); }
void SampleBaseshapeHelixI(BaseshapePoint* point, uint8_t slot) { HelixI<false>(point, slot); }
void SampleBaseshapeHelixIFilled(BaseshapePoint* point, uint8_t slot) { HelixI<true>(point, slot); }
void SampleBaseshapeArc(BaseshapePoint* point, uint8_t slot) { Arc<false>(point, slot); }
void SampleBaseshapeArcFilled(BaseshapePoint* point, uint8_t slot) { Arc<true>(point, slot); }
void SampleBaseshapePolTorus(BaseshapePoint* point, uint8_t slot) { PolTorus<false>(point, slot); }
void SampleBaseshapePolTorusFilled(BaseshapePoint* point, uint8_t slot) { PolTorus<true>(point, slot); }
