#include "baseshapes/samplers_fractal_solids.h"

#include <cmath>

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/sampler_contract.h"
#include "baseshapes/shape_profiles.h"

namespace {

constexpr float gTetrahedralFractalVertices[4][3] = {
    {0.0f, 1.0f, 0.0f}, {0.943f, -0.333f, 0.0f}, {-0.471f, -0.333f, 0.816f}, {-0.471f, -0.333f, -0.816f}};

constexpr int32_t gIcosahedronFaces[20][3] = {
    {0, 2, 1},  {0, 1, 5},  {0, 4, 5},  {2, 3, 0},  {3, 4, 0},  {3, 4, 8},  {3, 8, 7},
    {11, 8, 7}, {11, 7, 6}, {11, 6, 10}, {10, 6, 1}, {10, 1, 5}, {10, 5, 9}, {9, 5, 4},
    {9, 4, 8},  {9, 8, 11}, {9, 10, 11}, {2, 6, 1},  {2, 6, 7},  {2, 7, 3}};

// The kept sub-cubes of a sponge step: every point of {-0.5, 0, 0.5}^3 with
// at most one zero coordinate.
constexpr float gMengerSpongeOffsets[20][3] = {
    {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.0f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.0f},
    {0.5f, -0.5f, 0.5f},   {0.0f, -0.5f, -0.5f}, {0.0f, -0.5f, 0.5f},  {-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.0f},
    {-0.5f, 0.5f, 0.5f},   {0.5f, 0.5f, -0.5f},  {0.5f, 0.5f, 0.0f},   {0.5f, 0.5f, 0.5f},   {0.0f, 0.5f, -0.5f},
    {0.0f, 0.5f, 0.5f},    {-0.5f, 0.0f, -0.5f}, {-0.5f, 0.0f, 0.5f},  {0.5f, 0.0f, -0.5f},  {0.5f, 0.0f, 0.5f}};

struct Vec3 {
    float x, y, z;
};

// The unit-sphere seed from two words.
inline Vec3 SphereSeed(RandomState& rs)
{
    const float theta = static_cast<float>(RandomStep(rs)) * 1.4629181e-09f;
    const float y0 = 2.0f * RandomUniform(rs) - 1.0f;
    const float rho = std::cos(std::asin(y0));
    return {rho * std::sin(theta), y0, rho * std::cos(theta)};
}

inline Vec3 Scaled(Vec3 p, float k) { return {p.x * k, p.y * k, p.z * k}; }

// All points of one level share one texture row.
inline void LevelColor(BaseshapePoint* point, int levels, uint8_t slot)
{
    ApplyBaseshapeColorTail(point, 0.5f, static_cast<float>(levels) * 0.125f, slot);
}

// Six arms along the axes: halve and step out along one axis, 1 to 8 times,
// then mirror.
template <bool Filled>
inline void Octahedral(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    Vec3 p = SphereSeed(rs);
    if (Filled) p = Scaled(p, FilledFalloff(RandomUniform(rs)));
    const int levels = static_cast<int>(RandomStep(rs) & 7u) + 1;
    for (int i = 0; i < levels; ++i) {
        const uint32_t axis = RandomStep(rs) % 3u;
        p = Scaled(p, 0.5f);
        (axis == 0 ? p.x : axis == 1 ? p.y : p.z) += 1.0f;
    }
    if (RandomCoin(rs)) p.x = -p.x;
    if (RandomCoin(rs)) p.y = -p.y;
    if (RandomCoin(rs)) p.z = -p.z;
    const float k = point->size * 0.5f;
    point->x = p.x * k;
    point->y = p.y * k;
    point->z = p.z * k;
    LevelColor(point, levels, slot);
}

// A rounded-box seed mirrored into all octants, then exactly four steps of
// the sponge map.
template <bool Filled>
inline void Menger(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    Vec3 p;
    RoundedBoxPoint(rs, p.x, p.y, p.z);
    p.x = KeepOnCoin(rs, p.x);
    p.y = KeepOnCoin(rs, p.y);
    p.z = KeepOnCoin(rs, p.z);
    p = Scaled(p, Filled ? 0.75f * FilledFalloff(RandomUniform(rs)) : 0.75f);
    for (int i = 0; i < 4; ++i) {
        const float* o = gMengerSpongeOffsets[RandomStep(rs) % 20u];
        p = {p.x * 0.33333334f + o[0], p.y * 0.33333334f + o[1], p.z * 0.33333334f + o[2]};
    }
    const float s = point->size;
    point->x = p.x * s;
    point->y = p.y * s;
    point->z = p.z * s;
}

template <bool Filled>
inline void Tetrahedral(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    Vec3 p = SphereSeed(rs);
    p = Scaled(p, Filled ? 0.66666f * FilledFalloff(RandomUniform(rs)) : 0.66666f);
    const int levels = static_cast<int>(RandomStep(rs) % 9u);
    for (int i = 0; i < levels; ++i) {
        const float* v = gTetrahedralFractalVertices[RandomStep(rs) & 3u];
        p = {0.5f * p.x + v[0], 0.5f * p.y + v[1], 0.5f * p.z + v[2]};
    }
    const float k = point->size * 0.6666f;
    point->x = (p.x - 0.4f) * k;
    point->y = (p.y - 0.75f) * k;
    point->z = p.z * k;
    LevelColor(point, levels, slot);
}

// One face per run: its points gather on a Sierpinski triangle spanning twice
// that face's vertices.
template <bool Filled>
inline void Icosahedral(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const int32_t* face = gIcosahedronFaces[RandomStep(rs) % 20u];
    Vec3 p = SphereSeed(rs);
    if (Filled) {
        const float w = RandomUniform(rs);
        p = Scaled(p, 1.3f - 1.3f * (w * w * w * w));
    } else {
        p = {static_cast<float>(p.x * 1.3), static_cast<float>(p.y * 1.3), static_cast<float>(p.z * 1.3)};
    }
    const int levels = static_cast<int>(RandomStep(rs) % 9u);
    for (int i = 0; i < levels; ++i) {
        const float* v = gIcosahedronVertices[face[RandomStep(rs) % 3u]];
        p = {0.5f * p.x + v[0], 0.5f * p.y + v[1], 0.5f * p.z + v[2]};
    }
    const float k = point->size * 0.66f;
    point->x = p.x * k;
    point->y = p.y * k;
    point->z = p.z * k;
    LevelColor(point, levels, slot);
}

}  // namespace

void SampleBaseshapeOctahedralFractal(BaseshapePoint* point, uint8_t slot) { Octahedral<false>(point, slot); }
void SampleBaseshapeOctahedralFractalFilled(BaseshapePoint* point, uint8_t slot) { Octahedral<true>(point, slot); }
void SampleBaseshapeMengerSponge(BaseshapePoint* point, uint8_t slot) { Menger<false>(point, slot); }
void SampleBaseshapeMengerSpongeFilled(BaseshapePoint* point, uint8_t slot) { Menger<true>(point, slot); }
void SampleBaseshapeTetrahedralFractal(BaseshapePoint* point, uint8_t slot) { Tetrahedral<false>(point, slot); }
void SampleBaseshapeTetrahedralFractalFilled(BaseshapePoint* point, uint8_t slot) { Tetrahedral<true>(point, slot); }
void SampleBaseshapeIcosahedralFractal(BaseshapePoint* point, uint8_t slot) { Icosahedral<false>(point, slot); }
void SampleBaseshapeIcosahedralFractalFilled(BaseshapePoint* point, uint8_t slot) { Icosahedral<true>(point, slot); }
