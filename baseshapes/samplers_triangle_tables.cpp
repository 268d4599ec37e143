#include "baseshapes/samplers_triangle_tables.h"

#include <cmath>

#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/sampler_contract.h"

namespace {

// Five tetrahedra on the dodecahedron's vertices; each face is three of
// the four corners, chosen by the face word's low two bits.
constexpr uint8_t kStarGroups[5][4] = {
    {0, 7, 13, 15}, {1, 8, 14, 16}, {2, 9, 10, 17}, {4, 6, 12, 19}, {3, 11, 18, 5},
};
constexpr uint8_t kStarFaces[4][3] = {{1, 2, 3}, {0, 1, 2}, {0, 2, 3}, {0, 1, 3}};

inline void SetVertex(BaseshapePoint* record, int corner, const float* v)
{
    record->p[corner * 3 + 0] = v[0];
    record->p[corner * 3 + 1] = v[1];
    record->p[corner * 3 + 2] = v[2];
}

// The edge-band point of a triangle of unit dodecahedron vertices.
inline void DodecahedronBandPoint(BaseshapePoint* record, const uint8_t* corners, float width, uint8_t slot)
{
    for (int c = 0; c < 3; ++c) SetVertex(record, c, gDodecahedronVertices[corners[c]]);
    record->p[9] = width;
    SampleTriangleEdgeBand(record, slot);
}

void DodecahedronI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    // The triangle comes from the slot's own generator too: a generator
    // shared across workers would be corrupted by concurrent draws.
    const uint32_t triangle = RandomStep(rs) % kDodecahedronTriangleCount;
    BaseshapePoint record{};
    DodecahedronBandPoint(&record, gDodecahedronTriangles[triangle], point->p[0], slot);
    // The table holds six pentagons; the point reflection supplies the rest.
    const float mirror = RandomCoin(rs) ? -1.0f : 1.0f;
    float k = point->size * mirror;
    if (filled) k *= 1.0f - 0.05f * RandomUniform(rs);
    point->x = k * record.x;
    point->y = k * record.y;
    point->z = k * record.z;
}

void Octahedron(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const uint32_t octant = RandomStep(rs) & 7u;
    const float s = point->size;
    const float corners[3][3] = {
        {(octant & 2u) ? s : -s, 0.0f, 0.0f},
        {0.0f, (octant & 4u) ? s : -s, 0.0f},
        {0.0f, 0.0f, (octant & 1u) ? s : -s},
    };
    for (int c = 0; c < 3; ++c) SetVertex(point, c, corners[c]);
    SampleTrianglePointColored(point, slot);
    if (filled) {
        const float k = FilledFalloff(RandomUniform(rs));
        point->x *= k;
        point->y *= k;
        point->z *= k;
    }
}

}  // namespace

void SampleTriangleEdgeBand(BaseshapePoint* triangle, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    int edge = static_cast<int>(3.0f * RandomUniform(rs));
    if (edge > 2) edge = 2;  // a draw of exactly 1.0
    const float t = RandomUniform(rs);
    const float q = RandomUniform(rs);
    const float w = triangle->p[9];
    const float f = q * w + (1.0f - w);
    // Edge ends and the vertex the band is pulled toward, by edge.
    constexpr int kEnds[3][3] = {{1, 0, 2}, {2, 0, 1}, {1, 2, 0}};
    const float* from = &triangle->p[kEnds[edge][0] * 3];
    const float* to = &triangle->p[kEnds[edge][1] * 3];
    const float* apex = &triangle->p[kEnds[edge][2] * 3];
    float out[3];
    for (int i = 0; i < 3; ++i) {
        const float onEdge = from[i] + (to[i] - from[i]) * t;
        out[i] = apex[i] + (onEdge - apex[i]) * f;
    }
    triangle->x = out[0];
    triangle->y = out[1];
    triangle->z = out[2];
}

void SampleTrianglePointColored(BaseshapePoint* triangle, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float* a = &triangle->p[0];
    const float* b = &triangle->p[3];
    const float* c = &triangle->p[6];
    float out[3];
    for (int i = 0; i < 3; ++i) {
        const float p1 = b[i] + (a[i] - b[i]) * u1;
        out[i] = c[i] + (p1 - c[i]) * u2;
    }
    triangle->x = out[0];
    triangle->y = out[1];
    triangle->z = out[2];
    ApplyBaseshapeColorTail(triangle, u1, u2, slot);
}

void SampleBaseshapeOctahedron(BaseshapePoint* point, uint8_t slot) { Octahedron(point, slot, false); }
void SampleBaseshapeOctahedronFilled(BaseshapePoint* point, uint8_t slot) { Octahedron(point, slot, true); }
void SampleBaseshapeDodecahedronI(BaseshapePoint* point, uint8_t slot) { DodecahedronI(point, slot, false); }
void SampleBaseshapeDodecahedronIFilled(BaseshapePoint* point, uint8_t slot) { DodecahedronI(point, slot, true); }

void SampleBaseshapeTimeStar(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const uint8_t* group = kStarGroups[RandomStep(rs) % 5];
    const uint8_t* face = kStarFaces[RandomStep(rs) & 3u];
    const uint8_t corners[3] = {group[face[0]], group[face[1]], group[face[2]]};
    BaseshapePoint record{};
    DodecahedronBandPoint(&record, corners, point->p[0], slot);
    const float s = point->size;
    point->x = s * record.x;
    point->y = s * record.y;
    point->z = s * record.z;
    // The texture runs outward from the centre; the lookup clamps v past 1.
    const float d = std::sqrt(point->x * point->x + point->y * point->y + point->z * point->z);
    ApplyBaseshapeColorTail(point, 0.5f, d, slot);
}
