#include "baseshapes/samplers_cg_shapes.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/shape_profiles.h"

namespace {

struct Vec3 {
    float x, y, z;
};

// A point of face f (0..5) of the cube of half-size h from two uniforms.
inline Vec3 CubeFacePoint(float a, float b, uint32_t f, float h)
{
    const float sa = (2.0f * a - 1.0f) * h;
    const float sb = (2.0f * b - 1.0f) * h;
    switch (f) {
    case 0: return {-h, sb, sa};
    case 1: return {h, sb, -sa};
    case 2: return {sa, -h, sb};
    case 3: return {sa, h, -sb};
    case 4: return {-sa, sb, -h};
    default: return {sa, sb, h};
    }
}

inline float DistanceToCorner(const Vec3& q)
{
    const float dx = q.x - 1.0f, dy = q.y - 1.0f, dz = q.z - 1.0f;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Parameter 1 as a dent radius in [0, high]; NaN gives no dent.
inline float DentRadius(float p, float high) { return p > 0.0f ? std::fmin(p, high) : 0.0f; }

// Texture coordinates of a point: the two face uniforms, or the dent's.
struct CgTexture {
    float u, v;
};

// Replaces q by a point of the eighth of the sphere of radius r around the
// corner (1, 1, 1) that faces the cube's centre. The nearest and bilinear
// lookups take different u there.
inline CgTexture DentCorner(RandomState& rs, Vec3& q, float r, uint8_t slot)
{
    const float c = static_cast<float>(RandomStep(rs)) * 5.820766e-11f;  // u / 4
    const float e = RandomUniform(rs);
    const float theta = kTwoPi * (c + 0.5f);
    const float t = e - 1.0f;
    const float rho = std::cos(std::asin(t));
    q = {1.0f + r * rho * std::sin(theta), 1.0f + r * t, 1.0f + r * rho * std::cos(theta)};
    return {gSlotColorMode[slot] == 1 ? c + 0.5f : 2.0f * c, e};
}

// A filled twin's coin: on true, one more uniform pulls q towards the centre.
inline void MaybePullIn(RandomState& rs, Vec3& q)
{
    if (!RandomCoin(rs)) return;
    const float f = FilledFalloff(RandomUniform(rs));
    q = {q.x * f, q.y * f, q.z * f};
}

template <bool Filled>
inline void CgBoxII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    Vec3 q = CubeFacePoint(a, b, RandomStep(rs) % 6u, 1.0f);
    if (Filled) MaybePullIn(rs, q);
    const float r = DentRadius(point->p[0], 2.0f);
    CgTexture uv{a, b};
    if (DistanceToCorner(q) <= r) uv = DentCorner(rs, q, r, slot);
    const float s = point->size;
    point->x = q.x * s;
    point->y = q.y * s;
    point->z = q.z * s;
    ApplyBaseshapeColorTail(point, uv.u, uv.v, slot);
}

// The three faces at the corner (1, 1, 1) of [0, 1]^3, mirrored by three
// coins into the whole cube with all eight corners dented.
template <bool Filled>
inline void CgBoxIII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const uint32_t k = RandomStep(rs) % 3u;
    Vec3 q = k == 0 ? Vec3{1.0f, b, a} : k == 1 ? Vec3{a, 1.0f, b} : Vec3{a, b, 1.0f};
    if (Filled) MaybePullIn(rs, q);
    const float r = DentRadius(point->p[0], 1.0f);
    CgTexture uv{a, b};
    if (DistanceToCorner(q) <= r) uv = DentCorner(rs, q, r, slot);
    const float s = point->size;
    point->z = KeepOnCoin(rs, q.z * s);
    point->y = KeepOnCoin(rs, q.y * s);
    point->x = KeepOnCoin(rs, q.x * s);
    ApplyBaseshapeColorTail(point, uv.u, uv.v, slot);
}

// Caps beyond +-H are mirrored about y = +-H into dimples; a separation above
// 0.5 folds nothing. The filled twin moves the point along y only.
template <bool Filled>
inline void CgSphere(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const float theta = kTwoPi * a;
    const float y0 = 2.0f * b - 1.0f;
    const float rho = std::cos(std::asin(y0));
    const float sep = std::fmax(point->p[0], 0.0f);
    const float h = sep <= 0.5f ? sep + 0.5f : 1.0f;
    float y = y0;
    if (y0 > h) {
        y = (h - y0) + sep + 0.5f;
    } else if (y0 < -h) {
        y = (-y0 - h) - sep - 0.5f;
    }
    const float s = point->size;
    point->x = s * rho * std::sin(theta);
    point->z = s * rho * std::cos(theta);
    point->y = Filled ? s * y * RandomUniform(rs) : s * y;
    ApplyBaseshapeColorTail(point, a, b, slot);
}

}  // namespace

// Points whose absolute coordinates lie within P of (2P, 2P, 2P) stay; all
// others are scaled by that distance.
void SampleBaseshapeCgBoxI(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    Vec3 q = CubeFacePoint(a, b, RandomStep(rs) % 6u, point->size);
    const float p = point->p[0];
    const float d2 = 2.0f * p;
    const float dx = std::fabs(q.x) - d2, dy = std::fabs(q.y) - d2, dz = std::fabs(q.z) - d2;
    const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (d > p) q = {q.x * d, q.y * d, q.z * d};
    point->x = q.x;
    point->y = q.y;
    point->z = q.z;
    ApplyBaseshapeColorTail(point, std::fabs(2.0f * a - 1.0f), std::fabs(2.0f * b - 1.0f), slot);
}

void SampleBaseshapeCgBoxII(BaseshapePoint* point, uint8_t slot) { CgBoxII<false>(point, slot); }
void SampleBaseshapeCgBoxIIFilled(BaseshapePoint* point, uint8_t slot) { CgBoxII<true>(point, slot); }
void SampleBaseshapeCgBoxIII(BaseshapePoint* point, uint8_t slot) { CgBoxIII<false>(point, slot); }
void SampleBaseshapeCgBoxIIIFilled(BaseshapePoint* point, uint8_t slot) { CgBoxIII<true>(point, slot); }
void SampleBaseshapeCgSphere161(BaseshapePoint* point, uint8_t slot) { CgSphere<false>(point, slot); }
void SampleBaseshapeCgSphere161Filled(BaseshapePoint* point, uint8_t slot) { CgSphere<true>(point, slot); }
