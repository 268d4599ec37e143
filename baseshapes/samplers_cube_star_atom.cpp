#include "baseshapes/samplers_cube_star_atom.h"

#include <cmath>

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_knots_mobius_klein.h"
#include "baseshapes/samplers_sphere_tori.h"

namespace {

// The texture is laid once over each face.
void Cube(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float s = point->size;
    if (filled) s *= FilledFalloff(RandomUniform(rs));
    const float A = (2.0f * u2 - 1.0f) * s;
    const float B = (2.0f * u1 - 1.0f) * s;
    // Per face and axis: +-1 takes s, +-2 takes A, +-3 takes B.
    constexpr int8_t kFaces[6][3] = {{-1, 2, 3}, {1, 2, -3}, {3, -1, 2}, {3, 1, -2}, {-3, 2, -1}, {3, 2, 1}};
    const int8_t* face = kFaces[RandomStep(rs) % 6u];
    const float values[3] = {s, A, B};
    float out[3];
    for (int i = 0; i < 3; ++i) out[i] = face[i] < 0 ? -values[-face[i] - 1] : values[face[i] - 1];
    point->x = out[0];
    point->y = out[1];
    point->z = out[2];
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// (|0.9 asin cos x|^m + |0.9 asin sin x|^n)^k: a triangle-wave star with
// sharp corners, inverted into a radius. A factor of 0 gives radius 0; one
// too small to invert is held at 1e15, so the product of two stays finite.
inline double StarRadius(float x, float m, float n, float k)
{
    const double c = std::fabs(0.9 * std::asin(std::cos(static_cast<double>(x))));
    const double s = std::fabs(0.9 * std::asin(std::sin(static_cast<double>(x))));
    const double g = std::pow(std::pow(c, m) + std::pow(s, n), k);
    if (g == 0.0) return 0.0;
    return std::fmin(1.0 / g, 1e15);
}

void StarShape(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const double f = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float theta = kTwoPi * u1 - kPi;
    const float phi = kPi * u2 - 1.5707964f;
    const float* p = point->p;
    const double r1 = f * StarRadius(0.25f * p[0] * theta, p[1], p[2], p[3]);
    const double r2 = f * StarRadius(0.25f * p[4] * phi, p[5], p[6], p[7]);
    const double s = point->size;
    const double ring = s * r1 * r2 * std::cos(phi);
    point->x = static_cast<float>(ring * std::cos(theta));
    point->z = static_cast<float>(ring * std::sin(theta));
    point->y = static_cast<float>(s * r2 * std::sin(phi));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// sqrt(2) + p1 cos(b) reaches zero once |p1| >= sqrt(2); the denominator is
// held at least 0.01 from zero (sign kept), so those poles stay finite.
inline float HexatorusQuotient(float numerator, float tube, float beta)
{
    float d = 1.4142135f + tube * std::cos(beta);
    if (std::fabs(d) < 0.01f) d = std::signbit(d) ? -0.01f : 0.01f;
    return numerator / d;
}

void TriaxialHexatorus(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float tube = point->p[0];
    if (filled) tube *= FilledFalloff(RandomUniform(rs));
    const float alpha = kTwoPi * u1 - kPi;
    const float beta = kTwoPi * u2 - kPi;
    constexpr float kThird = 2.0943952f;
    const float s = point->size;
    point->x = s * HexatorusQuotient(std::sin(alpha), tube, beta);
    point->y = s * HexatorusQuotient(std::sin(alpha + kThird), tube, beta + kThird);
    point->z = s * HexatorusQuotient(std::cos(alpha - kThird), tube, beta - kThird);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A quarter of the points each to the small sphere and the three rings,
// coloured by the called sampler on a black local point (so colour mode 0
// leaves the atom black).
void Atom(BaseshapePoint* point, uint8_t slot, bool filled)
{
    const uint32_t part = RandomStep(SamplerRandom(slot)) % 4u;
    BaseshapePoint local{};
    const float s = point->size;
    if (part == 0) {
        local.size = 0.25f;
        (filled ? SampleBaseshapeSphereFilled : SampleBaseshapeSphere)(&local, slot);
        point->x = s * local.x;
        point->y = s * local.y;
        point->z = s * local.z;
    } else {
        local.size = 1.0f;
        local.p[0] = 0.125f;
        (filled ? SampleBaseshapeTorusIFilled : SampleBaseshapeTorusI)(&local, slot);
        // The tube is flattened across the ring's plane, set about z, x or y.
        const float flat = 0.25f * s * local.z;
        if (part == 1) {
            point->x = s * local.x, point->y = s * local.y, point->z = flat;
        } else if (part == 2) {
            point->x = flat, point->y = s * local.x, point->z = s * local.y;
        } else {
            point->x = s * local.y, point->y = flat, point->z = s * local.x;
        }
    }
    point->red = local.red;
    point->green = local.green;
    point->blue = local.blue;
}

}  // namespace

// A tube of radius 0.025 s around the 30 edges. Edges are found by distance
// (0.71 for an edge, 1.15 for the next pair), each in both directions.
void SampleBaseshapeWireframeDodecahedron(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float t = RandomUniform(rs);
    const float* a = gDodecahedronVertices[0];
    const float* b = gDodecahedronVertices[1];
    float d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    for (int attempt = 0; attempt < kWireframeEdgeTries; ++attempt) {
        const float* va = gDodecahedronVertices[RandomStep(rs) % kDodecahedronVertexCount];
        const float* vb = gDodecahedronVertices[RandomStep(rs) % kDodecahedronVertexCount];
        const float e[3] = {va[0] - vb[0], va[1] - vb[1], va[2] - vb[2]};
        const float length = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
        if (length < 1.0f && length > 0.1f) {
            a = va;
            d[0] = e[0], d[1] = e[1], d[2] = e[2];
            break;
        }
    }
    const float s = point->size;
    const uint32_t phiWord = RandomStep(rs);
    float offset[3];
    SphereOffsetFromWords(phiWord, RandomStep(rs), 0.025f * s, offset);
    point->x = (a[0] - t * d[0]) * s + offset[0];
    point->y = (a[1] - t * d[1]) * s + offset[1];
    point->z = (a[2] - t * d[2]) * s + offset[2];
}

void SampleBaseshapeCube(BaseshapePoint* point, uint8_t slot) { Cube(point, slot, false); }
void SampleBaseshapeCubeFilled(BaseshapePoint* point, uint8_t slot) { Cube(point, slot, true); }
void SampleBaseshapeStarShape(BaseshapePoint* point, uint8_t slot) { StarShape(point, slot, false); }
void SampleBaseshapeStarShapeFilled(BaseshapePoint* point, uint8_t slot) { StarShape(point, slot, true); }
void SampleBaseshapeTriaxialHexatorus(BaseshapePoint* point, uint8_t slot) { TriaxialHexatorus(point, slot, false); }
void SampleBaseshapeTriaxialHexatorusFilled(BaseshapePoint* point, uint8_t slot)
{
    TriaxialHexatorus(point, slot, true);
}
void SampleBaseshapeAtom(BaseshapePoint* point, uint8_t slot) { Atom(point, slot, false); }
void SampleBaseshapeAtomFilled(BaseshapePoint* point, uint8_t slot) { Atom(point, slot, true); }
