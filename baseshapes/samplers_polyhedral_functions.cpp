#include "baseshapes/samplers_polyhedral_functions.h"

#include <cmath>

#include "baseshapes/generator_table.h"
#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/sampler_contract.h"

// The squared distances live in locals of each call rather than in a per-slot
// row: nothing reads them after the call, and a local can never be shared
// between slots.

namespace {

constexpr float kWordToAngle = 1.4629181e-9f;  // 2 pi / 2^32

// The eight vertices of "Device", a cube squashed along z.
constexpr float kDeviceVertices[8][3] = {
    {0.816f, 0.0f, 0.577f},  {0.0f, 0.816f, 0.577f},  {-0.816f, 0.0f, 0.577f},  {0.0f, -0.816f, 0.577f},
    {0.816f, 0.0f, -0.577f}, {0.0f, 0.816f, -0.577f}, {-0.816f, 0.0f, -0.577f}, {0.0f, -0.816f, -0.577f},
};

struct Direction {
    float x, y, z;
};

// Angle theta about y and height q in [0, 1] to a point of the unit sphere.
Direction SphereDirection(float theta, float q)
{
    const float y0 = 2.0f * q - 1.0f;
    const float c = std::cos(std::asin(y0));
    return {std::sin(theta) * c, y0, std::cos(theta) * c};
}

// u^4 of a filled twin's depth draw.
float FourthPower(uint32_t word)
{
    const float fw = static_cast<float>(word);
    const float u = fw * kRandomWordToFloat;
    return u * u * (fw * fw * 5.421011e-20f);  // 2^-64
}

Direction Scaled(Direction d, float f) { return {d.x * f, d.y * f, d.z * f}; }

// Nearest and second-nearest vertex: strictly smaller wins, so of equal
// distances the lowest index is taken.
struct Nearest {
    int i1, i2;
    float d1, d2;
};

template <int N>
Nearest NearestTwo(Direction d, const float (*vertices)[3])
{
    float delta[N];
    for (int i = 0; i < N; ++i) {
        const float dx = d.x - vertices[i][0], dy = d.y - vertices[i][1], dz = d.z - vertices[i][2];
        delta[i] = dx * dx + dy * dy + dz * dz;
    }
    Nearest n{0, 0, 1000.0f, 1000.0f};
    for (int i = 0; i < N; ++i) {
        if (delta[i] < n.d1) n.d1 = delta[i], n.i1 = i;
    }
    n.i2 = n.i1 == 0 ? 1 : 0;
    for (int i = 0; i < N; ++i) {
        if (i != n.i1 && delta[i] < n.d2) n.d2 = delta[i], n.i2 = i;
    }
    return n;
}

float Times(double k, float d) { return static_cast<float>(k * d); }

enum class Bumps { kRoot, kCosines };

// Kinds 135 and 136: the icosahedral pattern scales the point along its own
// direction by F, built from the two smallest distances.
template <Bumps Rule, bool Filled>
void SampleIcosahedralBumps(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const uint32_t w1 = RandomStep(rs);
    const float u2 = RandomUniform(rs);
    Direction D = SphereDirection(static_cast<float>(w1) * kWordToAngle, u2);
    if (Filled) D = Scaled(D, 1.0f - FourthPower(RandomStep(rs)));
    const Nearest n = NearestTwo<kIcosahedronVertexCount>(D, gIcosahedronVertices);
    const float A = point->p[0], B = point->p[1], C = point->p[2];
    float F;
    if (Rule == Bumps::kRoot) {
        F = (std::sqrt(std::fabs(C * n.d2 + B * n.d1)) * A + 1.0f) * point->size;
    } else {
        F = (std::cos(std::sqrt(n.d2) * kTwoPi * C) * std::cos(std::sqrt(n.d1) * kTwoPi * B) * A + 1.0f) * point->size;
    }
    point->x = F * D.x;
    point->y = F * D.y;
    point->z = F * D.z;
    ApplyBaseshapeColorTail(point, Times(0.9, n.d1), Times(0.9, n.d2), slot);
}

// Kinds 147 and 148: the direction pulled towards its second-nearest vertex;
// parameter 1 = 1 keeps the sphere, 0 leaves only the vertices.
template <int N, bool Filled>
void SamplePulledToVertices(BaseshapePoint* point, uint8_t slot, const float (*vertices)[3])
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Direction d = SphereDirection(kTwoPi * u1, u2);
    if (Filled) d = Scaled(d, FilledFalloff(RandomUniform(rs)));
    const Nearest n = NearestTwo<N>(d, vertices);
    const float k = point->p[0];
    const float s = point->size;
    const float* v = vertices[n.i2];
    point->x = ((1.0f - k) * v[0] + k * d.x) * s;
    point->y = ((1.0f - k) * v[1] + k * d.y) * s;
    point->z = ((1.0f - k) * v[2] + k * d.z) * s;
    ApplyBaseshapeColorTail(point, Times(0.9, n.d1), Times(0.9, n.d2), slot);
}

float Clamped01(float v) { return v > 1.0f ? 1.0f : (v < 0.0f ? 0.0f : v); }

}  // namespace

void SampleBaseshapePolyhedralFnI(BaseshapePoint* point, uint8_t slot)
{
    SampleIcosahedralBumps<Bumps::kRoot, false>(point, slot);
}
void SampleBaseshapePolyhedralFnIFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleIcosahedralBumps<Bumps::kRoot, true>(point, slot);
}
void SampleBaseshapePolyhedralFnII(BaseshapePoint* point, uint8_t slot)
{
    SampleIcosahedralBumps<Bumps::kCosines, false>(point, slot);
}
void SampleBaseshapePolyhedralFnIIFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleIcosahedralBumps<Bumps::kCosines, true>(point, slot);
}
void SampleBaseshapePolyhedralFnIII(BaseshapePoint* point, uint8_t slot)
{
    SamplePulledToVertices<kIcosahedronVertexCount, false>(point, slot, gIcosahedronVertices);
}
void SampleBaseshapePolyhedralFnIIIFilled(BaseshapePoint* point, uint8_t slot)
{
    SamplePulledToVertices<kIcosahedronVertexCount, true>(point, slot, gIcosahedronVertices);
}
void SampleBaseshapePolyhedralFnIV(BaseshapePoint* point, uint8_t slot)
{
    SamplePulledToVertices<kDodecahedronVertexCount, false>(point, slot, gDodecahedronVertices);
}
void SampleBaseshapePolyhedralFnIVFilled(BaseshapePoint* point, uint8_t slot)
{
    SamplePulledToVertices<kDodecahedronVertexCount, true>(point, slot, gDodecahedronVertices);
}

// Once a point lands within 0.01 of the pattern's zero line, the slot's
// following points scatter about that spot (steps of at most 0.0075 in the
// two sphere parameters) until a draw above 0.998 ends the walk; the walk is
// carried from call to call in the slot's gSlotDeviceWalk entry.
void SampleBaseshapeDevice(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    SlotDeviceWalk& walk = gSlotDeviceWalk;
    float p, q;
    const uint32_t w1 = RandomStep(rs);
    const float u2 = RandomUniform(rs);
    float theta;
    if (!walk.active[slot]) {
        p = static_cast<float>(w1) * kRandomWordToFloat;
        q = u2;
        theta = static_cast<float>(w1) * kWordToAngle;
    } else {
        const float u1 = static_cast<float>(w1) * kRandomWordToFloat;
        p = Clamped01(static_cast<float>(walk.startP[slot] + (2.0f * u1 - 1.0f) * 0.0075));
        q = Clamped01(static_cast<float>(walk.startQ[slot] + (2.0f * u2 - 1.0f) * 0.0075));
        walk.p[slot] = p;
        walk.q[slot] = q;
        if (static_cast<double>(RandomUniform(rs)) > 0.998) walk.active[slot] = 0;
        theta = p * kTwoPi;
    }
    const Direction D = SphereDirection(theta, q);
    const Nearest n = NearestTwo<8>(D, kDeviceVertices);
    const float A = point->p[0], B = point->p[1], C = point->p[2];
    const float f1 = std::tanh(5.0f * std::cos(kTwoPi * B * n.d1));
    const float f2 = std::tanh(5.0f * std::cos(kTwoPi * C * n.d2));
    const bool nearZeroLine = std::fabs(static_cast<double>(f1)) < 0.01 || std::fabs(static_cast<double>(f2)) < 0.01;
    if (!walk.active[slot] && nearZeroLine) {
        walk.startP[slot] = p;
        walk.startQ[slot] = q;
        walk.active[slot] = 1;
    }
    const float F = (f2 * f1 * A + 1.0f) * point->size;
    point->x = F * D.x;
    point->y = F * D.y;
    point->z = F * D.z;
    ApplyBaseshapeColorTail(point, 0.75f * n.d1, 0.75f * n.d2, slot);
}

void SampleBaseshapeDeviceFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const uint32_t w1 = RandomStep(rs);
    const float u2 = RandomUniform(rs);
    const Direction D =
        Scaled(SphereDirection(static_cast<float>(w1) * kWordToAngle, u2), 1.0f - FourthPower(RandomStep(rs)));
    const Nearest n = NearestTwo<8>(D, kDeviceVertices);
    const float A = point->p[0], B = point->p[1], C = point->p[2];
    const float f1 = static_cast<float>(std::tanh(4.0 * std::cos(kTwoPi * B * n.d1)));
    const float f2 = static_cast<float>(std::tanh(4.0 * std::cos(kTwoPi * C * n.d2)));
    const float F = (f2 * f1 * A + 1.0f) * point->size;
    point->x = F * D.x;
    point->y = F * D.y;
    point->z = F * D.z;
    ApplyBaseshapeColorTail(point, 0.75f * n.d1, 0.75f * n.d2, slot);
}
