// Table-driven checks for the sampler families: many seeded points of one
// sampler through a property of its shape, and single calls on chosen first
// words.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "baseshapes/generator_table.h"
#include "baseshapes/polyhedron_tables.h"
#include "baseshapes/support/sampler_fixture.h"

using PointRef = const BaseshapePoint&;

inline double Length(PointRef p) { return std::sqrt(double(p.x) * p.x + double(p.y) * p.y + double(p.z) * p.z); }
inline double RadiusXZ(PointRef p) { return std::sqrt(double(p.x) * p.x + double(p.z) * p.z); }
inline double RadiusXY(PointRef p) { return std::sqrt(double(p.x) * p.x + double(p.y) * p.y); }
// Largest absolute coordinate: the half-width of the smallest centred cube
// holding the point.
inline float MaxAbs(PointRef p) { return std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z))); }
inline bool Near(float a, float b, float tolerance) { return std::fabs(a - b) <= tolerance; }

// A point template of the given size and parameters 1, 2, ...
inline BaseshapePoint Shape(float size, std::initializer_list<float> params)
{
    BaseshapePoint p = MakeTestPoint(size, 0.0f);
    std::copy(params.begin(), params.end(), p.p);
    return p;
}

// One call whose first two words are a and b (a state yielding 0, 0 yields
// zeros for ever).
inline BaseshapePoint SampleWithWords(BaseshapeSampler sampler, BaseshapePoint p, uint32_t a, uint32_t b)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(a, b);
    sampler(&p, kTestSlot);
    return p;
}

// --- Checks by callback: many points through an assertion. ---

using PointCheck = std::function<void(PointRef)>;

// Within the radius from the y axis and the height from the plane y = 0.
inline PointCheck Bounded(float radius, float height)
{
    return [=](PointRef p) {
        ASSERT_LE(std::hypot(p.x, p.z), radius);
        ASSERT_LE(std::fabs(p.y), height);
    };
}

// Checks that v is one of first, first + step, ... (count values).
inline void ExpectOnLadder(float v, float first, float step, int count)
{
    const float k = (v - first) / step;
    ASSERT_NEAR(k, std::round(k), 1e-4f) << v;
    ASSERT_TRUE(k > -0.5f && k < count - 0.5f) << v;
}

// Feeds `count` finite points from a seeded slot to `check`; stops at the
// first failure.
template <typename Check>
void ForPoints(BaseshapeSampler sampler, const BaseshapePoint& shape, int count, Check check)
{
    ResetTestSlot(kTestSlot, 2026);
    for (int i = 0; i < count; ++i) {
        BaseshapePoint p = shape;
        sampler(&p, kTestSlot);
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << "point " << i;
        check(p);
        if (::testing::Test::HasFailure()) return;
    }
}

// --- Checks by predicate: one table row a sampler, its input and a rule. ---

struct SamplerInput {
    float size;
    std::array<float, 6> p;  // shape parameters 1 to 6
};

inline BaseshapePoint MakeInputPoint(const SamplerInput& in)
{
    BaseshapePoint point = MakeTestPoint(in.size, 0.0f);
    std::copy(in.p.begin(), in.p.end(), point.p);
    return point;
}

struct PropertyCase {
    const char* name;
    BaseshapeSampler sampler;
    SamplerInput in;
    bool (*holds)(const BaseshapePoint&, const SamplerInput&);
};

template <size_t N>
void CheckProperties(const PropertyCase (&cases)[N], int points = 3000)
{
    for (const PropertyCase& c : cases) {
        ResetTestSlot(kTestSlot, 4242);
        for (int i = 0; i < points; ++i) {
            BaseshapePoint p = MakeInputPoint(c.in);
            c.sampler(&p, kTestSlot);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << c.name;
            ASSERT_TRUE(c.holds(p, c.in)) << c.name << " at (" << p.x << ", " << p.y << ", " << p.z << ")";
        }
    }
}

// One call on chosen first words against the point it must give; a NaN
// coordinate is not checked.
struct WordsCase {
    const char* name;
    BaseshapeSampler sampler;
    SamplerInput in;
    uint32_t a, b;
    float x, y, z;
};

template <size_t N>
void CheckOnWords(const WordsCase (&cases)[N])
{
    for (const WordsCase& c : cases) {
        const BaseshapePoint p = SampleWithWords(c.sampler, MakeInputPoint(c.in), c.a, c.b);
        const float got[3] = {p.x, p.y, p.z}, want[3] = {c.x, c.y, c.z};
        for (int i = 0; i < 3; ++i) {
            if (!std::isnan(want[i])) {
                EXPECT_NEAR(got[i], want[i], 1e-5f) << c.name << ", coordinate " << i;
            }
        }
    }
}

// --- Checks by distance: how far each point lies from the promised shape. ---

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
        BaseshapePoint in = MakeTestPoint(c->size, 0.0f);
        std::copy(c->p.begin(), c->p.end(), in.p);
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
