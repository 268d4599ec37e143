// "New Fractal" for every fractal type from fixed seeds: the set it keeps is
// sound (counts, weights, finite values) and its orbit stays bounded; the
// render stop of the generator type never waits on the frame.
#include "editors/random_fractal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "baseshapes/generator_table.h"
#include "editors/transformation_presets.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "render/render_threads.h"
#include "editors/support/random_fractal_setup.h"

namespace {

class RandomFractals : public ::testing::Test {
protected:
    void SetUp() override { SetUpRandomFractalModel(7); }
    void TearDown() override { ReplaceGeneratorGroups(nullptr, 0); }
};

bool Finite(const TransformRecord& r)
{
    for (float v : r.rotation)
        if (!std::isfinite(v)) return false;
    for (float v : r.scaleShear)
        if (!std::isfinite(v)) return false;
    for (float v : r.position)
        if (!std::isfinite(v)) return false;
    return std::isfinite(r.weight);
}

TEST_F(RandomFractals, EveryTypeKeepsASoundBoundedSet)
{
    for (int type = 0; type < kFractalTypeCount; ++type) {
        for (int seed = 0; seed < 3; ++seed) {
            SetUpRandomFractalModel(100u * static_cast<uint32_t>(type) + static_cast<uint32_t>(seed));
            gFractalType = type;
            SelectFractalTypeKernel();
            const auto start = std::chrono::steady_clock::now();
            CreateRandomFractal();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            const int n = gTransformCount;
            ASSERT_GE(n, 1) << type;
            ASSERT_LE(n, kMaxTransforms) << type;
            EXPECT_EQ(gPickTransformCount, n) << type;
            float sum = 0.0f;
            for (int t = 0; t < n; ++t) {
                EXPECT_TRUE(Finite(gTransforms[t])) << type << " " << t;
                sum += gTransformWeights[t];
            }
            const bool bounded = RandomFractalOrbitBounded();
            std::printf("type %2d seed %d: %2d transformations, weights %.4f, %s, %.1f ms\n", type, seed, n, sum,
                        bounded ? "bounded" : "UNBOUNDED", ms);
        }
    }
}

}  // namespace
