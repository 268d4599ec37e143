// Table-driven checks for the sampler families: a property that every one of
// many seeded points must keep, and one call on chosen words.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

struct SamplerInput {
    float size;
    std::array<float, 6> p;  // shape parameters 1 to 6
};

inline BaseshapePoint MakeInputPoint(const SamplerInput& in)
{
    BaseshapePoint point = MakeTestPoint(in.size, 0.0f);
    for (size_t i = 0; i < in.p.size(); ++i) point.p[i] = in.p[i];
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

// One call whose first two words are a and b.
inline BaseshapePoint SampleOnWords(BaseshapeSampler sampler, const SamplerInput& in, uint32_t a, uint32_t b)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(a, b);
    BaseshapePoint p = MakeInputPoint(in);
    sampler(&p, kTestSlot);
    return p;
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
        const BaseshapePoint p = SampleOnWords(c.sampler, c.in, c.a, c.b);
        const float got[3] = {p.x, p.y, p.z}, want[3] = {c.x, c.y, c.z};
        for (int i = 0; i < 3; ++i) {
            if (!std::isnan(want[i])) {
                EXPECT_NEAR(got[i], want[i], 1e-5f) << c.name << ", coordinate " << i;
            }
        }
    }
}

// Largest absolute coordinate: the half-width of the smallest centred cube
// holding the point.
inline float MaxAbs(const BaseshapePoint& p)
{
    return std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
}

inline bool Near(float a, float b, float tolerance) { return std::fabs(a - b) <= tolerance; }
