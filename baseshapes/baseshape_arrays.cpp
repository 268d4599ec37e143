// Per-point arrays of a baseshape, in the order of the "Array Type" list:
// the point is shifted by the array pivot and then copied by one randomly
// chosen member of a rotation array or of a polyhedron's rotation group.
#include <cmath>

#include "baseshapes/generator_table.h"
#include "baseshapes/sampler_contract.h"
#include "engine/random_helpers.h"

namespace {

struct Vec {
    float x, y, z;
};

// Rows of a 3x3 matrix acting on column vectors.
using Matrix3 = float[3][3];

Vec Apply(const Matrix3& m, Vec p)
{
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z, m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

Vec ThreefoldTurnY(Vec p, uint32_t m)
{
    if (m == 0) return {0.866025f * p.z - 0.5f * p.x, p.y, -0.866025f * p.x - 0.5f * p.z};
    if (m == 1) return {-0.5f * p.x - 0.866025f * p.z, p.y, 0.866025f * p.x - 0.5f * p.z};
    return p;
}

Vec FivefoldTurnY(Vec p, uint32_t f)
{
    switch (f) {
    case 0: return {0.309017f * p.x + 0.951057f * p.z, p.y, 0.309017f * p.z - 0.951057f * p.x};
    case 1: return {0.587785f * p.z - 0.809017f * p.x, p.y, -0.587785f * p.x - 0.809017f * p.z};
    case 2: return {-0.809017f * p.x - 0.587785f * p.z, p.y, 0.587785f * p.x - 0.809017f * p.z};
    case 3: return {0.309017f * p.x - 0.951057f * p.z, p.y, 0.309017f * p.z + 0.951057f * p.x};
    default: return p;
    }
}

Vec HalfTurnZ(Vec p) { return {-p.x, -p.y, p.z}; }

// Quarter and half turns about y by two bits; the octahedron takes the two
// quarter turns in the other order than the cube.
Vec QuarterTurnY(Vec p, uint32_t q, bool octahedronOrder)
{
    const Vec turn{p.z, p.y, -p.x};
    const Vec back{-p.z, p.y, p.x};
    switch (q) {
    case 1: return {-p.x, p.y, -p.z};
    case 2: return octahedronOrder ? back : turn;
    case 3: return octahedronOrder ? turn : back;
    default: return p;
    }
}

constexpr Matrix3 kTetrahedronTurns[3] = {
    {{-0.166675f, -0.942803f, -0.2886894f}, {0.4714015f, -0.33335f, 0.8164909f}, {-0.866025f, 0.0f, 0.5f}},
    {{0.833333f, 0.471405f, 0.2886752f}, {0.4714043f, -0.333333f, -0.816497f}, {-0.288675f, 0.816497f, -0.4999995f}},
    {{-0.166666f, 0.471405f, 0.8660253f}, {-0.9428093f, -0.333333f, 0.0f}, {0.288675f, -0.816497f, 0.4999995f}},
};

constexpr Matrix3 kDodecahedronTurns[5] = {
    {{0.6708209f, -0.723607f, 0.1624596f}, {0.2763935f, 0.447214f, 0.8506507f}, {-0.6881911f, -0.525731f, 0.4999998f}},
    {{0.6708207f, 0.276393f, 0.6881911f}, {-0.7236065f, 0.447214f, 0.5257315f}, {-0.1624596f, -0.850651f, 0.5000001f}},
    {{0.8618038f, 0.276393f, 0.4253253f}, {0.2763933f, 0.447214f, -0.8506508f}, {-0.4253254f, 0.850651f, 0.309017f}},
    {{0.3618037f, 0.894427f, 0.2628657f}, {-0.7236066f, 0.447214f, -0.5257308f}, {-0.587785f, 0.0f, 0.809017f}},
    {{0.3618035f, -0.723607f, 0.5877857f}, {0.8944272f, 0.447214f, 0.0f}, {-0.262865f, 0.525731f, 0.8090172f}},
};

Vec ApplyTetrahedronArray(Vec p, uint8_t slot)
{
    p = ThreefoldTurnY(p, SlotRandomU32(slot) % 3);
    const uint32_t q = SlotRandomU32(slot) & 3u;
    return q == 3 ? p : Apply(kTetrahedronTurns[q], p);
}

Vec ApplyOctahedronArray(Vec p, uint8_t slot)
{
    p = ThreefoldTurnY(p, SlotRandomU32(slot) % 3);
    if ((SlotRandomU32(slot) & 1u) == 0) {
        p = {0.57735f * p.x - 0.816497f * p.y, 0.816497f * p.x + 0.57735f * p.y, p.z};
    } else {
        p = {0.57735f * p.x - 0.816497f * p.y, -0.816497f * p.x - 0.57735f * p.y, -p.z};
    }
    return QuarterTurnY(p, SlotRandomU32(slot) & 3u, true);
}

Vec ApplyHexahedronArray(Vec p, uint8_t slot)
{
    p = QuarterTurnY(p, SlotRandomU32(slot) & 3u, false);
    switch (SlotRandomU32(slot) % 6) {
    case 0: return {p.x, -p.y, -p.z};
    case 1: return {p.z, p.x, p.y};
    case 2: return {p.z, -p.x, -p.y};
    case 3: return {p.y, p.z, p.x};
    case 4: return {-p.y, -p.z, p.x};
    default: return p;
    }
}

Vec ApplyDodecahedronArray(Vec p, uint8_t slot)
{
    p = ThreefoldTurnY(p, SlotRandomU32(slot) % 3);
    p = FivefoldTurnY(p, SlotRandomU32(slot) % 5);
    const uint32_t d = SlotRandomU32(slot) % 6;
    if (d != 5) p = Apply(kDodecahedronTurns[d], p);
    return (SlotRandomU32(slot) & 1u) ? HalfTurnZ(p) : p;
}

Vec ApplyIcosahedronArray(Vec p, uint8_t slot)
{
    p = ThreefoldTurnY(p, SlotRandomU32(slot) % 3);
    if ((SlotRandomU32(slot) & 1u) == 0) {
        p = {0.794654f * p.x - 0.607062f * p.y, 0.607062f * p.x + 0.794654f * p.y, p.z};
    } else {
        p = {-0.187592f * p.x - 0.982247f * p.y, -0.982247f * p.x + 0.187592f * p.y, -p.z};
    }
    p = FivefoldTurnY(p, SlotRandomU32(slot) % 5);
    return (SlotRandomU32(slot) & 1u) ? p : HalfTurnZ(p);
}

// Copy k of a rotation array: the mirror x' = -x turned by k * angle. The
// diamond variants put (S, C) on |S| + |C| = 1 instead of the unit circle.
Vec ApplyRotationArray(Vec p, int32_t mode, int b, uint8_t slot)
{
    // A count of 0 is taken as 1: one mirrored copy, never a modulo by zero.
    const uint32_t count = gBaseshapeArrayCount[b] == 0 ? 1u : gBaseshapeArrayCount[b];
    const uint32_t k = SlotRandomU32(slot) % count;
    const float a = static_cast<float>(k) * gBaseshapeArrayAngle[b];
    float s = std::sin(a);
    float c = std::cos(a);
    if (mode == 3 || mode == 4) {
        s = TriangleWave(s);
        c = TriangleWave(c);
    }
    if (mode == 1 || mode == 3) return {s * p.z - c * p.x, p.y, s * p.x + c * p.z};
    return {s * p.y - c * p.x, s * p.x + c * p.y, p.z};
}

}  // namespace

BaseshapePoint ApplyBaseshapeArray(BaseshapePoint point, int32_t mode, uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    if (mode < 1 || mode > 9 || b < 0 || b >= kMaxBaseshapes) return point;
    // The pivot shifts the shape away from the centre the copies turn about.
    Vec p{point.x + gBaseshapeArrayPivotX[b], point.y + gBaseshapeArrayPivotY[b], point.z + gBaseshapeArrayPivotZ[b]};
    switch (mode) {
    case 5: p = ApplyTetrahedronArray(p, slot); break;
    case 6: p = ApplyOctahedronArray(p, slot); break;
    case 7: p = ApplyHexahedronArray(p, slot); break;
    case 8: p = ApplyDodecahedronArray(p, slot); break;
    case 9: p = ApplyIcosahedronArray(p, slot); break;
    default: p = ApplyRotationArray(p, mode, b, slot); break;
    }
    point.x = p.x;
    point.y = p.y;
    point.z = p.z;
    return point;
}
