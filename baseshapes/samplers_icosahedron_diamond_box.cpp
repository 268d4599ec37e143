// Sections: [icosahedron] [diamond box]
#include "baseshapes/samplers_icosahedron_diamond_box.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// [icosahedron] ------------------------------------------------------------

// Unit circumradius, a vertex at each pole of y, three decimals. This is
// its own orientation, not the shared table's (poles on z).
constexpr float kVertices[12][3] = {
    {0.0f, 1.0f, 0.0f},         {0.0f, 0.447f, 0.894f},      {0.851f, 0.447f, 0.276f},   {0.526f, 0.447f, -0.724f},
    {-0.526f, 0.447f, -0.724f}, {-0.851f, 0.447f, 0.276f},   {0.526f, -0.447f, 0.724f},  {0.851f, -0.447f, -0.276f},
    {0.0f, -0.447f, -0.894f},   {-0.851f, -0.447f, -0.276f}, {-0.526f, -0.447f, 0.724f}, {0.0f, -1.0f, 0.0f},
};

constexpr uint8_t kFaces[20][3] = {
    {0, 2, 1},  {0, 1, 5},  {0, 4, 5},   {2, 3, 0},  {3, 4, 0},  {3, 4, 8},  {3, 8, 7},
    {11, 8, 7}, {11, 7, 6}, {11, 6, 10}, {10, 6, 1}, {10, 1, 5}, {10, 5, 9}, {9, 5, 4},
    {9, 4, 8},  {9, 8, 11}, {9, 10, 11}, {2, 6, 1},  {2, 6, 7},  {2, 7, 3},
};

// A point of the fan from the face centre, raised p0 times, to one of the
// face's three edges (points gather toward the centre); f scales it all.
inline void IcosahedronPoint(BaseshapePoint* point, RandomState& rs, uint8_t slot, bool filled)
{
    const uint8_t* face = kFaces[RandomStep(rs) % 20];
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const float* va = kVertices[face[0]];
    const float* vb = kVertices[face[1]];
    const float* vc = kVertices[face[2]];
    const uint32_t edge = RandomStep(rs) % 3;
    const float f = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float scale = point->size * f;
    const float centre = 0.33333334f * point->p[0];
    float out[3];
    for (int i = 0; i < 3; ++i) {
        const float g = (va[i] + vb[i] + vc[i]) * centre;
        const float e = edge == 0   ? vb[i] + a * (va[i] - vb[i])
                        : edge == 1 ? vc[i] + a * (va[i] - vc[i])
                                    : vb[i] + a * (vc[i] - vb[i]);
        out[i] = (g + b * (e - g)) * scale;
    }
    point->x = out[0];
    point->y = out[1];
    point->z = out[2];
    ApplyBaseshapeColorTail(point, a, b, slot);
}

// [diamond box] ------------------------------------------------------------

// Signs of X, Y, Z for the low three bits of the octant draw.
constexpr float kOctantSigns[8][3] = {
    {-1, -1, -1}, {-1, 1, -1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1},
};

// Built around the corner (t, t, t) and mirrored into an octant: the corner
// part is an eighth of an octahedron of radius s = 1 - t, the edge part a
// rhombic prism along one of the three box edges meeting there. The parts
// are chosen in proportion to t and s; k scales the bevel (w^(1/3) filled).
inline void DiamondBoxPoint(BaseshapePoint* point, RandomState& rs, float k)
{
    const float t = point->p[0];
    const float s = 1.0f - t;
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const uint32_t c = RandomStep(rs);
    float v[3];
    if (a * t <= b * s) {
        const float d = RandomUniform(rs);
        const float bevel = std::asin(std::cos(d * 1.5707964f)) * s * 0.4052847f * k;
        const float e = static_cast<float>(c) * 1.4629181e-09f;
        v[0] = std::asin(std::sin(e)) * bevel + t;
        v[1] = d * s * k + t;
        v[2] = std::asin(std::cos(e)) * bevel + t;
    } else {
        const uint32_t axis = c % 3;
        const float e = 6.2831855f * RandomUniform(rs);
        const float q = RandomUniform(rs) * t;
        const float across = TriangleWave(std::sin(e)) * s * k + t;
        const float along = TriangleWave(std::cos(e)) * s * k + t;
        if (axis == 0) {
            v[0] = across, v[1] = q, v[2] = along;
        } else if (axis == 1) {
            v[0] = q, v[1] = across, v[2] = along;
        } else {
            v[0] = along, v[1] = across, v[2] = q;
        }
    }
    const float* sign = kOctantSigns[RandomStep(rs) & 7];
    const float size = point->size;
    point->x = size * sign[0] * v[0];
    point->y = size * sign[1] * v[1];
    point->z = size * sign[2] * v[2];
}

}  // namespace

void SampleBaseshapeIcosahedron(BaseshapePoint* point, uint8_t slot)
{
    IcosahedronPoint(point, SamplerRandom(slot), slot, false);
}

void SampleBaseshapeIcosahedronFilled(BaseshapePoint* point, uint8_t slot)
{
    IcosahedronPoint(point, SamplerRandom(slot), slot, true);
}

// Not texturable: no colour tail.
void SampleBaseshapeDiamondBox(BaseshapePoint* point, uint8_t slot)
{
    DiamondBoxPoint(point, SamplerRandom(slot), 1.0f);
}

void SampleBaseshapeDiamondBoxFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    DiamondBoxPoint(point, rs, std::pow(RandomUniform(rs), 0.33333334f));
}
