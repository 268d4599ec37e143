#include "baseshapes/samplers_boxes_pyramids.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_curves.h"

// Sections: [pyramid] [rounded boxes] [bar] [road] [tetrahedron]
//           [entry points]

namespace {

struct Vec3 {
    float x, y, z;
};

inline void Place(BaseshapePoint* p, Vec3 v, float scale)
{
    p->x = v.x * scale;
    p->y = v.y * scale;
    p->z = v.z * scale;
}

// The filled twin's 1 - u^4 from one draw (first or last, per kind); 1 on
// the surface.
template <bool Filled>
inline float FalloffDraw(RandomState& rs)
{
    if constexpr (Filled) {
        return FilledFalloff(RandomUniform(rs));
    } else {
        return 1.0f;
    }
}

// [pyramid] ----------------------------------------------------------------

// The octahedron |x| + |y| + |z| = R swept by triangle waves, its radius
// R = size + p8 * (lobes): p0..p3 the latitude terms, p4..p7 the longitude
// terms, frequency then exponent.
template <bool Filled>
void Pyramid(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float inward = 1.0f;
    if constexpr (Filled) {
        const float u3 = RandomUniform(rs);
        inward = 1.0f - u3 * u3 * u3;
    }
    const float* q = p->p;
    const float phi = u1 * kTwoPi;
    const float theta = u2 * kPi + kHalfPi;
    const double lobes = ParameterPower(TriangleWave(std::cos(theta * q[2])), q[3]) +
                         ParameterPower(TriangleWave(std::sin(theta * q[0])), q[1]) +
                         ParameterPower(TriangleWave(std::cos(phi * q[6])), q[7]) +
                         ParameterPower(TriangleWave(std::sin(phi * q[4])), q[5]);
    const float across = TriangleWave(std::cos(theta));
    const Vec3 onOctahedron = {across * TriangleWave(std::cos(phi)), TriangleWave(std::sin(theta)),
                               across * TriangleWave(std::sin(phi))};
    // A lobe term that overflows (a zero base to a negative power) leaves
    // the plain octahedron.
    const float radius = static_cast<float>(lobes * q[8] + p->size);
    Place(p, onOctahedron, radius * inward);
    if (!(std::isfinite(p->x) && std::isfinite(p->y) && std::isfinite(p->z))) Place(p, onOctahedron, p->size * inward);
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// [rounded boxes] ----------------------------------------------------------

// Signs of (x, y, z) for the low three bits of the last word: each octant
// once.
constexpr float kOctantSigns[8][3] = {{1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {-1, 1, 1},
                                      {-1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, 1, 1}};

inline Vec3 Mirrored(RandomState& rs, Vec3 v)
{
    const float* sign = kOctantSigns[RandomStep(rs) & 7u];
    return {v.x * sign[0], v.y * sign[1], v.z * sign[2]};
}

// The flat fraction r of the half side, clamped to [0.01, 0.99]; the
// clamped value is written back into the point.
inline float FlatFraction(BaseshapePoint* p)
{
    float r = p->p[0];
    if (!(r >= 0.01f)) r = 0.01f;
    if (r > 0.99f) r = 0.99f;
    p->p[0] = r;
    return r;
}

// Built in the positive octant of [-1, 1]^3 (flat to r, rounded with
// radius q = 1 - r beyond), then mirrored. Faces take the share r of the
// points. Filled: the whole point pulled toward the centre.
template <bool Filled>
void RoundedBox(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = FalloffDraw<Filled>(rs);
    const float r = FlatFraction(p);
    const float q = 1.0f - r;
    Vec3 v;
    if (RandomUniform(rs) < r) {
        const uint32_t face = RandomStep(rs) % 3;
        const float a = RandomUniform(rs) * r;
        const float b = RandomUniform(rs) * r;
        v = face == 0 ? Vec3{a, b, 1.0f} : face == 1 ? Vec3{b, 1.0f, a} : Vec3{1.0f, b, a};
    } else {
        const float u2 = RandomUniform(rs);
        const float u3 = RandomUniform(rs);
        if (u2 * r <= u3 * q) {
            // An eighth of the sphere of radius q about (r, r, r).
            const float a = RandomUniform(rs) * kHalfPi;
            const float h = RandomUniform(rs);
            const float ring = std::sqrt(std::fmax(0.0f, 1.0f - h * h)) * q;
            v = {std::sin(a) * ring + r, h * q + r, std::cos(a) * ring + r};
        } else {
            // A quarter cylinder of radius q along one edge.
            const uint32_t edge = RandomStep(rs) % 3;
            const float a = RandomUniform(rs) * kHalfPi;
            const float along = RandomUniform(rs) * r;
            const float sn = std::sin(a) * q + r, cs = std::cos(a) * q + r;
            v = edge == 0 ? Vec3{sn, along, cs} : edge == 1 ? Vec3{along, sn, cs} : Vec3{cs, sn, along};
        }
    }
    Place(p, Mirrored(rs, v), p->size * f);
}

// The twelve edges of the cube of half side r as pipes of radius q, with
// half spheres at the corners. Filled: the pipes' radius shrinks.
template <bool Filled>
void PipeBox(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = FalloffDraw<Filled>(rs);
    const float r = FlatFraction(p);
    const float q = (1.0f - r) * f;
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Vec3 v;
    if (u1 * r <= u2 * (1.0f - r)) {
        const float a = RandomUniform(rs) * kTwoPi;
        const float h = RandomUniform(rs);
        const float ring = std::sqrt(std::fmax(0.0f, 1.0f - h * h)) * q;
        v = {std::sin(a) * ring + r, h * q + r, std::cos(a) * ring + r};
    } else {
        const uint32_t axis = RandomStep(rs) % 3;
        const float a = RandomUniform(rs) * kTwoPi;
        const float along = RandomUniform(rs) * r;
        const float sn = std::sin(a) * q + r, cs = std::cos(a) * q + r;
        v = axis == 0 ? Vec3{sn, along, cs} : axis == 1 ? Vec3{along, sn, cs} : Vec3{cs, sn, along};
    }
    Place(p, Mirrored(rs, v), p->size);
}

// [bar] --------------------------------------------------------------------

// A capsule along y: a cylinder of half length |p0| and radius |p1| with
// hemispherical ends, each part drawn in proportion to its area.
template <bool Filled>
void Bar(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    float f = 1.0f;
    float pick = RandomUniform(rs);
    if constexpr (Filled) {
        f = 1.0f - pick * pick;
        pick = RandomUniform(rs);
    }
    const float h = std::fabs(p->p[0]);
    const float r = std::fabs(p->p[1]);
    const float s = p->size;
    const float a = kTwoPi * u1;
    if (pick > r / (r + h + 0.000001f)) {
        p->x = std::sin(a) * r * s * f;
        p->z = std::cos(a) * r * s * f;
        p->y = (2.0f * u2 - 1.0f) * h * s;
    } else {
        const float ring = std::sqrt(std::fmax(0.0f, 1.0f - u2 * u2));
        p->x = std::sin(a) * ring * r * s * f;
        p->z = std::cos(a) * ring * r * s * f;
        p->y = (u2 * r + h) * s;
        if (!RandomCoin(rs)) p->y = -p->y;
    }
    ApplyBaseshapeColorTail(p, u1, u2, slot);
}

// [road] -------------------------------------------------------------------

// Two rows of N = p0 paving tiles (at least 1), each a cube of [-1, 1]^3
// with edges rounded by 0.15, 2 long in x, 4 wide in z, in units of size/7.
template <bool Filled>
void Road(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = FalloffDraw<Filled>(rs);
    const int tiles = ParameterToInt(p->p[0], 1, 1 << 20);
    Vec3 v;
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    if (u1 < 0.75f) {
        const int face = static_cast<int>(3.0f * u2);
        const float a = 0.85f * RandomUniform(rs);
        const float b = 0.85f * RandomUniform(rs);
        v = face == 0 ? Vec3{1.0f, b, a} : face == 1 ? Vec3{a, 1.0f, b} : Vec3{a, b, 1.0f};
    } else if (static_cast<double>(u2) >= 0.95) {
        const float h = RandomUniform(rs);
        const float angle = kHalfPi * RandomUniform(rs);
        const float ring = 0.15f * std::sqrt(std::fmax(0.0f, 1.0f - h * h));
        v = {ring * std::cos(angle) + 0.85f, 0.15f * h + 0.85f, ring * std::sin(angle) + 0.85f};
    } else {
        const int edge = static_cast<int>(3.0f * RandomUniform(rs));
        const float angle = kHalfPi * RandomUniform(rs);
        const float along = 0.85f * RandomUniform(rs);
        const float sn = 0.15f * std::sin(angle) + 0.85f, cs = 0.15f * std::cos(angle) + 0.85f;
        v = edge == 0 ? Vec3{cs, along, sn} : edge == 1 ? Vec3{cs, sn, along} : Vec3{along, sn, cs};
    }
    // Octants in the order {xy, x, y, z, xyz, zx, zy, none}.
    static constexpr float kFlips[8][3] = {{-1, -1, 1}, {-1, 1, 1}, {1, -1, 1}, {1, 1, -1},
                                           {-1, -1, -1}, {-1, 1, -1}, {1, -1, -1}, {1, 1, 1}};
    const int octant = static_cast<int>(8.0f * RandomUniform(rs));
    const float* flip = kFlips[octant < 8 ? octant : 7];
    v = {v.x * flip[0] * f, v.y * flip[1] * f, v.z * flip[2] * f};
    const float across = RandomCoin(rs) ? 2.0f : -2.0f;
    const uint32_t tile = RandomStep(rs) % static_cast<uint32_t>(tiles);
    const float unit = 0.14285715f * p->size;
    p->x = (v.x + 2.0f * static_cast<float>(tile) + 2.0f - static_cast<float>(tiles + 1)) * unit;
    p->y = v.y * unit;
    p->z = (2.0f * v.z + across) * unit;
}

// [tetrahedron] ------------------------------------------------------------

constexpr Vec3 kTetrahedron[4] = {
    {0.0f, 1.0f, 0.0f}, {0.0f, -0.333f, 0.943f}, {0.816f, -0.333f, -0.471f}, {-0.816f, -0.333f, -0.471f}};

// Draws of three distinct vertices before the face is taken as it comes.
constexpr int kFaceTries = 64;

// A point of face (i, j, k): toward vertex i from j, then from k; the
// two-step mix crowds points toward k. Filled: pulled toward the centre.
template <bool Filled>
void Tetrahedron(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    uint32_t i = 0, j = 1, k = 2;
    for (int attempt = 0; attempt < kFaceTries; ++attempt) {
        i = RandomStep(rs) & 3u;
        j = RandomStep(rs) & 3u;
        k = RandomStep(rs) & 3u;
        if (i != j && j != k && i != k) break;
        // The retries end with a chance of (40/64)^64; a generator stuck on
        // repeats still gives a face.
        if (attempt == kFaceTries - 1) j = (i + 1) & 3u, k = (i + 2) & 3u;
    }
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const Vec3 vi = kTetrahedron[i], vj = kTetrahedron[j], vk = kTetrahedron[k];
    const Vec3 onEdge = {vj.x + a * (vi.x - vj.x), vj.y + a * (vi.y - vj.y), vj.z + a * (vi.z - vj.z)};
    const Vec3 onFace = {vk.x + b * (onEdge.x - vk.x), vk.y + b * (onEdge.y - vk.y), vk.z + b * (onEdge.z - vk.z)};
    Place(p, onFace, p->size * FalloffDraw<Filled>(rs));
}

}  // namespace

// [entry points] -----------------------------------------------------------

void SampleBaseshapePyramid(BaseshapePoint* point, uint8_t slot) { Pyramid<false>(point, slot); }
void SampleBaseshapePyramidFilled(BaseshapePoint* point, uint8_t slot) { Pyramid<true>(point, slot); }
void SampleBaseshapeRoundedBox(BaseshapePoint* point, uint8_t slot) { RoundedBox<false>(point, slot); }
void SampleBaseshapeRoundedBoxFilled(BaseshapePoint* point, uint8_t slot) { RoundedBox<true>(point, slot); }
void SampleBaseshapePipeBox(BaseshapePoint* point, uint8_t slot) { PipeBox<false>(point, slot); }
void SampleBaseshapePipeBoxFilled(BaseshapePoint* point, uint8_t slot) { PipeBox<true>(point, slot); }
void SampleBaseshapeBar(BaseshapePoint* point, uint8_t slot) { Bar<false>(point, slot); }
void SampleBaseshapeBarFilled(BaseshapePoint* point, uint8_t slot) { Bar<true>(point, slot); }
void SampleBaseshapeRoad(BaseshapePoint* point, uint8_t slot) { Road<false>(point, slot); }
void SampleBaseshapeRoadFilled(BaseshapePoint* point, uint8_t slot) { Road<true>(point, slot); }
void SampleBaseshapeTetrahedron(BaseshapePoint* point, uint8_t slot) { Tetrahedron<false>(point, slot); }
void SampleBaseshapeTetrahedronFilled(BaseshapePoint* point, uint8_t slot) { Tetrahedron<true>(point, slot); }
