// Table-driven checks shared by the sampler family tests: each case draws
// seeded points of one sampler and measures how far every point lies from
// the shape its family promises.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "baseshapes/generator_table.h"
#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/support/sampler_fixture.h"

using PointRef = const BaseshapePoint&;

struct ShapeCase {
    const char* name;
    BaseshapeSampler sampler;
    float size;
    std::array<float, 11> p;  // shape parameters 1 to 11
    // Distance of the drawn point from the promised shape, 0 on it; `in` is
    // the point as it was before the call.
    double (*error)(const BaseshapePoint& out, const BaseshapePoint& in);
    double tolerance;
    int draws;  // words one call takes, -1 where that varies
};

inline BaseshapePoint CaseTemplate(float size, const std::array<float, 11>& p)
{
    BaseshapePoint point = MakeTestPoint(size, 0.0f);
    std::copy(p.begin(), p.end(), point.p);
    return point;
}

inline double Length(const BaseshapePoint& p)
{
    return std::sqrt(double(p.x) * p.x + double(p.y) * p.y + double(p.z) * p.z);
}
inline double RadiusXZ(const BaseshapePoint& p) { return std::sqrt(double(p.x) * p.x + double(p.z) * p.z); }
inline double RadiusXY(const BaseshapePoint& p) { return std::sqrt(double(p.x) * p.x + double(p.y) * p.y); }

// Distance, scaled by s, from the nearest segment between two unit
// dodecahedron vertices less than `longest` apart (1 for the edges only).
inline double DodecahedronSegmentDistance(PointRef o, PointRef in, double longest = 2.1)
{
    const double s = in.size, q[3] = {o.x / s, o.y / s, o.z / s};
    double best = 1e30;
    for (const float* a : gDodecahedronVertices) {
        for (const float* b : gDodecahedronVertices) {
            const double ab[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]},
                         aq[3] = {q[0] - a[0], q[1] - a[1], q[2] - a[2]};
            const double len2 = ab[0] * ab[0] + ab[1] * ab[1] + ab[2] * ab[2];
            if (a == b || len2 >= longest * longest) continue;
            const double t = std::fmin(1.0, std::fmax(0.0, (ab[0] * aq[0] + ab[1] * aq[1] + ab[2] * aq[2]) / len2));
            const double d[3] = {aq[0] - t * ab[0], aq[1] - t * ab[1], aq[2] - t * ab[2]};
            best = std::fmin(best, d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        }
    }
    return std::sqrt(best) * s;
}

inline void CheckShapeCases(const ShapeCase* begin, const ShapeCase* end, int points = 4000)
{
    for (const ShapeCase* c = begin; c != end; ++c) {
        ResetTestSlot(kTestSlot, 4321);
        const BaseshapePoint in = CaseTemplate(c->size, c->p);
        for (int i = 0; i < points; ++i) {
            RandomState expected = gBaseshapeRandom[kTestSlot].State();
            BaseshapePoint out = in;
            c->sampler(&out, kTestSlot);
            ASSERT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z)) << c->name;
            const double error = c->error(out, in);
            ASSERT_LE(error, c->tolerance)
                << c->name << " point " << i << " at " << out.x << ", " << out.y << ", " << out.z;
            if (c->draws < 0) continue;
            for (int d = 0; d < c->draws; ++d) RandomStep(expected);
            ASSERT_EQ(0, std::memcmp(&expected, &gBaseshapeRandom[kTestSlot].State(), sizeof expected))
                << c->name << " does not take " << c->draws << " draws";
        }
    }
}

// The share of n seeded points for which `holds` is true.
template <typename Predicate>
double Share(BaseshapeSampler sampler, const BaseshapePoint& in, Predicate holds, int n = 20000)
{
    ResetTestSlot(kTestSlot, 8765);
    int count = 0;
    for (int i = 0; i < n; ++i) {
        BaseshapePoint out = in;
        sampler(&out, kTestSlot);
        count += holds(out) ? 1 : 0;
    }
    return static_cast<double>(count) / n;
}

// The point drawn from a state whose next two words are a and b (a state
// yielding 0, 0 yields zeros for ever).
inline BaseshapePoint PointFromWords(BaseshapeSampler sampler, const BaseshapePoint& in, uint32_t a, uint32_t b)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(a, b);
    BaseshapePoint out = in;
    sampler(&out, kTestSlot);
    return out;
}
