// Runs of one sampler for the family tests: many seeded points through a
// check, the number of words a call draws, and a call on chosen first words.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "baseshapes/generator_table.h"
#include "baseshapes/support/sampler_fixture.h"

using PointCheck = std::function<void(const BaseshapePoint&)>;

// Within the radius from the y axis and the height from the plane y = 0.
inline PointCheck Bounded(float radius, float height)
{
    return [=](const BaseshapePoint& p) {
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

// A point template of the given size and parameters 1, 2, ...
inline BaseshapePoint Shape(float size, std::initializer_list<float> params)
{
    BaseshapePoint p = MakeTestPoint(size, 0.0f);
    int i = 0;
    for (float v : params) p.p[i++] = v;
    return p;
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

// Words one call on the point draws from the slot's current state (-1 past
// 64).
inline int WordsDrawn(BaseshapeSampler sampler, BaseshapePoint* p)
{
    RandomState before = gBaseshapeRandom[kTestSlot].State();
    sampler(p, kTestSlot);
    for (int n = 0; n <= 64; ++n, RandomStep(before)) {
        if (std::memcmp(&before, &gBaseshapeRandom[kTestSlot].State(), sizeof before) == 0) return n;
    }
    return -1;
}

// One call whose first two words are a and b.
inline BaseshapePoint SampleWithWords(BaseshapeSampler sampler, BaseshapePoint p, uint32_t a, uint32_t b)
{
    ResetTestSlot(kTestSlot, 1);
    gBaseshapeRandom[kTestSlot].State() = StateYielding(a, b);
    sampler(&p, kTestSlot);
    return p;
}
