#include "baseshapes/samplers_meshes.h"

#include "baseshapes/sampler_contract.h"

namespace {

struct Vec3 {
    float x, y, z;
};

inline Vec3 Vertex(const float* triangle, uint32_t i)
{
    return {triangle[i * 3], triangle[i * 3 + 1], triangle[i * 3 + 2]};
}

// a + (b - a) * t
inline Vec3 Lerp(Vec3 a, Vec3 b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

// Meshes are stored z-up: their z becomes the point's y.
inline void PlaceMeshPoint(BaseshapePoint* p, Vec3 q)
{
    const float s = p->size;
    p->x = q.x * s;
    p->y = q.z * s;
    p->z = q.y * s;
}

inline void PlaceAtOrigin(BaseshapePoint* p) { p->x = p->y = p->z = 0.0f; }

}  // namespace

// A point on the segment from a vertex (chosen by e) to a uniform point of
// the opposite edge: the triangle is covered, more densely toward its
// vertices.
void SampleBaseshapeSTLMesh(BaseshapePoint* point, uint8_t slot)
{
    const float* triangle = DrawMeshTriangle(slot);
    if (!triangle) return PlaceAtOrigin(point);
    RandomState& rs = SamplerRandom(slot);
    const float t = RandomUniform(rs);
    const uint32_t e = RandomStep(rs) % 3;
    const float s = RandomUniform(rs);
    // (edge from, edge to, apex) for e = 0, 1, 2.
    static constexpr uint32_t kCorners[3][3] = {{1, 0, 2}, {1, 2, 0}, {2, 0, 1}};
    const uint32_t* c = kCorners[e];
    const Vec3 onEdge = Lerp(Vertex(triangle, c[0]), Vertex(triangle, c[1]), t);
    PlaceMeshPoint(point, Lerp(Vertex(triangle, c[2]), onEdge, s));
}

// A point between a control point (the centroid pushed out by 1.1 or pulled
// in by 0.9, from the mesh origin) and the quadratic Bezier curve it bends
// between two vertices of the triangle: a puffed or pinched surface.
void SampleBaseshapeStlMeshII(BaseshapePoint* point, uint8_t slot)
{
    const float* triangle = DrawMeshTriangle(slot);
    if (!triangle) return PlaceAtOrigin(point);
    RandomState& rs = SamplerRandom(slot);
    const float a = RandomUniform(rs);
    const float k = RandomCoin(rs) ? 0.3f : 0.36666667f;
    const uint32_t e = RandomStep(rs) % 3;
    const float t = RandomUniform(rs);
    const Vec3 v0 = Vertex(triangle, 0), v1 = Vertex(triangle, 1), v2 = Vertex(triangle, 2);
    const Vec3 c = {k * (v0.x + v1.x + v2.x), k * (v0.y + v1.y + v2.y), k * (v0.z + v1.z + v2.z)};
    const Vec3 from = e == 1 ? v1 : v0;
    const Vec3 to = e == 2 ? v1 : v2;
    const float b0 = (1.0f - t) * (1.0f - t), b1 = 2.0f * (1.0f - t) * t, b2 = t * t;
    const Vec3 curve = {b0 * from.x + b1 * c.x + b2 * to.x, b0 * from.y + b1 * c.y + b2 * to.y,
                        b0 * from.z + b1 * c.z + b2 * to.z};
    PlaceMeshPoint(point, Lerp(c, curve, a));
}
