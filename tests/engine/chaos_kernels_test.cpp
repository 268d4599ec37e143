// Fractal type kernels of the complex-plane, quaternion, sphere-inversion,
// flame and attractor families: invariants of their maps and cross-checks
// between types that agree on special settings.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/fractal_type_00.h"
#include "engine/kernel_framework.h"
#include "engine/kernels_flames.h"
#include "engine/kernels_julia.h"
#include "engine/kernels_kleinian.h"
#include "engine/kernels_quaternion.h"
#include "support/slot_setup.h"

namespace {

// The transformation of every colouring step, by batch index of slot 1.
std::vector<int> gStepTransforms;
void RecordStep(uint8_t, int32_t t, int32_t j) { gStepTransforms[j % 1000] = t; }

class ChaosKernels : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBaseshapeGeneratorTables(); }
    void SetUp() override
    {
        test_support::ResetModel(4);
        for (int t = 0; t < kMaxTransforms; ++t) {
            std::fill(std::begin(gTransforms[t].variationOn), std::end(gTransforms[t].variationOn), 0);
            std::fill(std::begin(gTransforms[t].variationAmount), std::end(gTransforms[t].variationAmount), 0.0f);
        }
        gStepTransforms.assign(1000, -1);
        for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStep[s] = RecordStep;
    }
    void TearDown() override { ResetColoringTables(); }

    // Runs kernel on slot 1 from p, returning the slot's batch (x, y, z).
    static std::vector<float> Batch(FractalKernel kernel, float x, float y, float z)
    {
        gSlotHash[1] = 0xBEEF1u;
        gSlotTransform[1] = 0;
        gSlotPoint.x[1] = x, gSlotPoint.y[1] = y, gSlotPoint.z[1] = z;
        gPointX[1999] = x, gPointY[1999] = y, gPointZ[1999] = z;
        kernel(1);
        std::vector<float> out;
        for (int j = 1000; j < 2000; ++j) out.insert(out.end(), {gPointX[j], gPointY[j], gPointZ[j]});
        return out;
    }
    static float Prev(const std::vector<float>& b, int j, int axis, const float* start)
    {
        return j == 0 ? start[axis] : b[3 * (j - 1) + axis];
    }
};

// On special settings two types make the same map; their batches agree
// bit for bit from the same slot state.
TEST_F(ChaosKernels, TypesAgreeWhereTheirMapsCoincide)
{
    struct Case {
        const char* name;
        FractalKernel kernel, twin;
        std::function<void()> setup;
    };
    auto linearOnly = [] {
        for (int t = 0; t < 4; ++t) gTransforms[t].variationOn[0] = 1, gTransforms[t].variationAmount[0] = 1.0f;
        gTransformCoefficients.m01[1] = 0.25f, gTransformCoefficients.m10[2] = -0.25f;
    };
    const Case cases[] = {
        {"flames 2 linear is the affine IFS", RunFractalType23, RunFractalType00, linearOnly},
        {"2.7D linear is the 2.5D IFS", RunFractalType15, RunFractalType07, linearOnly},
    };
    for (const Case& c : cases) {
        c.setup();
        const std::vector<float> a = Batch(c.kernel, 0.3f, -0.2f, 0.1f);
        const std::vector<float> b = Batch(c.twin, 0.3f, -0.2f, 0.1f);
        EXPECT_EQ(a, b) << c.name;
    }
}

TEST_F(ChaosKernels, WithoutVariationFlagsFlamesCollapse)
{
    const std::vector<float> flames2 = Batch(RunFractalType23, 0.5f, 0.5f, 0.5f);
    for (float v : flames2) ASSERT_EQ(v, 0.0f);
    // Type 15 keeps only the height step of y: 0.1475 from 0, and so on.
    const std::vector<float> flames = Batch(RunFractalType15, 0.5f, 0.0f, 0.5f);
    EXPECT_FLOAT_EQ(flames[1], 0.1475f);
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(flames[3 * j], 0.0f);
        ASSERT_EQ(flames[3 * j + 2], 0.0f);
        ASSERT_GT(flames[3 * j + 1], 0.1475f * (j > 0));
    }
}

TEST_F(ChaosKernels, InverseTreeKeepsItsCubeAndRepeatsPointsOfTransformsFourAndUp)
{
    test_support::SetTransforms(6);
    for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStep[s] = RecordStep;
    const float start[3] = {-0.5f, -0.25f, -0.75f};
    const std::vector<float> b = Batch(RunFractalType01, start[0], start[1], start[2]);
    int repeats = 0;
    for (int j = 0; j < 1000; ++j) {
        for (int a = 0; a < 3; ++a) {
            ASSERT_GT(b[3 * j + a], -1.0f) << j;
            ASSERT_LT(b[3 * j + a], 0.0f) << j;
        }
        const bool same = b[3 * j] == Prev(b, j, 0, start) && b[3 * j + 1] == Prev(b, j, 1, start) &&
                          b[3 * j + 2] == Prev(b, j, 2, start);
        ASSERT_EQ(same, gStepTransforms[j] >= 4) << j;
        repeats += same;
    }
    EXPECT_NEAR(repeats, 333, 60);
}

// Squaring each point of type 11 (as the quaternion (x, y, z, 0)) with a
// zero affine part gives back the previous point; the points of type 10's
// root transformations, cubed in the x-z plane, give back theirs.
TEST_F(ChaosKernels, RootsSquareOrCubeBackToTheirInput)
{
    for (int t = 0; t < 4; ++t) test_support::SetAffine(t, 0.0f, 0.0f, 0.0f, 0.0f);
    const float start[3] = {0.4f, -1.2f, 0.7f};
    const std::vector<float> q = Batch(RunFractalType11, start[0], start[1], start[2]);
    // The orbit converges on 1; the first steps, before the vector part
    // drops below float resolution, show the root.
    for (int j = 0; j < 6; ++j) {
        const float w = q[3 * j], x = q[3 * j + 1], y = q[3 * j + 2];
        EXPECT_NEAR(w * w - x * x - y * y, Prev(q, j, 0, start), 1e-5f) << j;
        EXPECT_NEAR(2 * w * x, Prev(q, j, 1, start), 1e-5f) << j;
        EXPECT_NEAR(2 * w * y, Prev(q, j, 2, start), 1e-5f) << j;
    }
    test_support::SetAffine(0, 0.5f, 0.3f, 0.0f, -0.2f);
    const std::vector<float> c = Batch(RunFractalType10, start[0], start[1], start[2]);
    int roots = 0;
    for (int j = 0; j < 1000; ++j) {
        const float x = c[3 * j], z = c[3 * j + 2];
        if (gStepTransforms[j] == 0) continue;
        ++roots;
        const float scale = 1e-5f * (1 + std::fabs(Prev(c, j, 0, start)) + std::fabs(Prev(c, j, 2, start)));
        ASSERT_NEAR(x * x * x - 3 * x * z * z, Prev(c, j, 0, start), scale) << j;
        ASSERT_NEAR(3 * x * x * z - z * z * z, Prev(c, j, 2, start), scale) << j;
        ASSERT_EQ(c[3 * j + 1], Prev(c, j, 1, start) / 2) << j;
    }
    EXPECT_GT(roots, 600);
}

// Squared in the x-z plane, every point of the Julia types gives back the
// previous point minus C0 (a quotient of two such for types 9 and 17), or
// its conjugate for the conjugate roots of types 16 and 17.
TEST_F(ChaosKernels, JuliaPointsSquareBackToTheirInput)
{
    struct Case {
        FractalKernel kernel;
        int type;
        bool quotient, conjugate;
    };
    const Case cases[] = {{RunFractalType08, 8, false, false},
                          {RunFractalType09, 9, true, false},
                          {RunFractalType16, 16, false, true},
                          {RunFractalType17, 17, true, true}};
    test_support::SetAffine(0, 0.5f, -0.4f, 0.0f, 0.3f);
    test_support::SetAffine(1, 0.5f, 0.2f, 0.0f, -0.6f);
    const TransformCoefficients& co = gTransformCoefficients;
    const float start[3] = {0.7f, 0.0f, -0.2f};
    for (const Case& c : cases) {
        const std::vector<float> b = Batch(c.kernel, start[0], start[1], start[2]);
        for (int j = 0; j < 1000; ++j) {
            const float x = b[3 * j], z = b[3 * j + 2];
            const float px = Prev(b, j, 0, start), pz = Prev(b, j, 2, start);
            std::complex<double> w(px - co.tx[0], pz - co.tz[0]);
            if (c.quotient) w = std::complex<double>(px - co.tx[1], pz - co.tz[1]) / w;
            if (c.conjugate) w = std::conj(w);
            const std::complex<double> square = std::complex<double>(x, z) * std::complex<double>(x, z);
            ASSERT_LT(std::abs(square - w), 2e-5 * (1 + std::abs(w))) << c.type << " at " << j;
            ASSERT_GT(b[3 * j + 1], 0.0f) << c.type;  // the height step from 0 stays positive
        }
    }
}

// The quaternion Julia points square back to the previous point minus
// c = (tx0, tz0, tx1, tz1); the conditional type adds the last three
// components of c when x is not beyond tx0.
TEST_F(ChaosKernels, QuaternionJuliaPointsSquareBackToTheirInput)
{
    test_support::SetAffine(0, 0.5f, -0.2f, 0.0f, 0.3f);
    test_support::SetAffine(1, 0.5f, 0.1f, 0.0f, -0.25f);
    const TransformCoefficients& co = gTransformCoefficients;
    const float start[3] = {0.5f, 0.5f, 0.5f};
    for (bool conditional : {false, true}) {
        gSlotQuaternionW[1] = 0.1f;
        const std::vector<float> b = Batch(conditional ? RunFractalType05 : RunFractalType06, 0.5f, 0.5f, 0.5f);
        int flipped = 0;
        for (int j = 0; j < 1000; ++j) {
            const float w = b[3 * j], x = b[3 * j + 1], y = b[3 * j + 2];
            const float p0 = Prev(b, j, 0, start), p1 = Prev(b, j, 1, start), p2 = Prev(b, j, 2, start);
            const float s = conditional && p0 - co.tx[0] <= 0 ? -1.0f : 1.0f;
            flipped += s < 0;
            // w^2 - |v|^2 needs the fourth component, which only the slot keeps.
            ASSERT_NEAR(2 * w * x, p1 - s * co.tz[0], 2e-5f) << conditional << " at " << j;
            ASSERT_NEAR(2 * w * y, p2 - s * co.tx[1], 2e-5f) << conditional << " at " << j;
            ASSERT_EQ(w < 0, gStepTransforms[j] != 0) << j;
        }
        EXPECT_EQ(flipped > 0, conditional);
    }
}

TEST_F(ChaosKernels, QuaternionJuliaKeepsTheFourthComponentAcrossSeedsAndCalls)
{
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    for (FractalKernel kernel : {RunFractalType05, RunFractalType06}) {
        std::vector<float> batches[2];
        for (int k = 0; k < 2; ++k) {
            test_support::ResetSlots();
            for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStep[s] = RecordStep;
            test_support::SetAffine(1, 0.5f, 0.1f, 0.0f, 0.2f);
            gSlotQuaternionW[1] = k == 0 ? 0.0f : 0.8f;
            batches[k] = Batch(kernel, 0, 0, 0);
            EXPECT_NE(gSlotQuaternionW[1], k == 0 ? 0.0f : 0.8f);
        }
        // Same seeds, different fourth components: the runs differ.
        EXPECT_NE(batches[0], batches[1]);
        gSlotQuaternionW[1] = NAN;
        kernel(1);
        EXPECT_TRUE(std::isfinite(gSlotQuaternionW[1]));
        for (int j = 1000; j < 2000; ++j) ASSERT_TRUE(std::isfinite(gPointX[j]));
    }
}

// Without baseshapes the run factor is 0: type 3 draws every point at
// height 0 and type 19 every point on the unit sphere; both carry their
// complex orbit from call to call.
TEST_F(ChaosKernels, KleiniansWithoutBaseshapesLieInThePlaneOrOnTheSphere)
{
    ComputeTransformCoefficients({1.91f, 0.05f}, {1.91f, -0.05f});
    gSlotComplexPoint.re[1] = 0.2f, gSlotComplexPoint.im[1] = -0.1f;
    for (int call = 0; call < 3; ++call) {
        const std::vector<float> flat = Batch(RunFractalType03, 0, 0, 0);
        EXPECT_EQ(gSlotComplexPoint.re[1], flat[2999]);  // the last point is (im w, 0, re w)
        EXPECT_EQ(gSlotComplexPoint.im[1], flat[2997]);
        const std::vector<float> sphere = Batch(RunFractalType19, 0, 0, 0);
        for (int j = 0; j < 1000; ++j) {
            ASSERT_EQ(flat[3 * j + 1], 0.0f) << j;
            const float r = std::sqrt(sphere[3 * j] * sphere[3 * j] + sphere[3 * j + 1] * sphere[3 * j + 1] +
                                      sphere[3 * j + 2] * sphere[3 * j + 2]);
            ASSERT_NEAR(r, 1.0f, 1e-5f) << j;
            ASSERT_EQ(gStepTransforms[j], -1);  // no colouring steps
        }
    }
}

// With the height h of the orbit in the slot, the spherical Julia points lie
// at distance 1 / (1 - 0.1875 h) (type 13) or 1 / (1 + 0.1875 h) (type 14)
// from the origin, h following the height step from the slot's value.
TEST_F(ChaosKernels, SphericalJuliaPointsLieOnSpheresSetByTheHeight)
{
    test_support::SetAffine(0, 0.5f, -0.3f, 0.0f, 0.2f);
    test_support::SetAffine(1, 0.5f, 0.4f, 0.0f, 0.1f);
    for (bool quotient : {false, true}) {
        float h = -0.8f;
        gSlotQuaternionW[1] = h;
        gSlotComplexPoint.re[1] = 0.3f, gSlotComplexPoint.im[1] = 0.6f;
        const std::vector<float> b = Batch(quotient ? RunFractalType14 : RunFractalType13, 0, 0, 0);
        for (int j = 0; j < 1000; ++j) {
            const float r = std::sqrt(b[3 * j] * b[3 * j] + b[3 * j + 1] * b[3 * j + 1] + b[3 * j + 2] * b[3 * j + 2]);
            const float tilt = quotient ? 1.0f + 0.1875f * h : 1.0f - 0.1875f * h;
            ASSERT_NEAR(r * tilt, 1.0f, 2e-5f) << quotient << " at " << j;
            h = (h >= 0 ? std::pow(std::fabs(h), 0.85f) : -std::pow(std::fabs(h), 0.85f)) + 0.1475f;
        }
        EXPECT_FLOAT_EQ(gSlotQuaternionW[1], h);
    }
}

// Every point of the inversion types is the image of the previous one in
// one of the spheres: distances from the centre multiply to m00. The
// Apollonian set maps the centre onto itself.
TEST_F(ChaosKernels, InversionsMultiplyDistancesToTheSquaredRadius)
{
    test_support::SetAffine(0, 0.8f, 0.0f, 0.0f, 0.0f);
    test_support::SetAffine(1, 0.3f, 1.0f, 0.5f, 0.0f);
    test_support::SetTransforms(2);
    test_support::SetAffine(0, 0.8f, 0.0f, 0.0f, 0.0f);
    test_support::SetAffine(1, 0.3f, 1.0f, 0.5f, 0.0f);
    const TransformCoefficients& c = gTransformCoefficients;
    const float start[3] = {0.4f, 0.1f, -0.3f};
    for (FractalKernel kernel : {RunFractalType12, RunFractalType21}) {
        const std::vector<float> b = Batch(kernel, start[0], start[1], start[2]);
        for (int j = 0; j < 1000; ++j) {
            bool some = false;
            for (int t = 0; t < 2; ++t) {
                auto dist = [&](float x, float y, float z) {
                    return std::sqrt((x - c.tx[t]) * (x - c.tx[t]) + (y - c.ty[t]) * (y - c.ty[t]) +
                                     (z - c.tz[t]) * (z - c.tz[t]));
                };
                const float product = dist(b[3 * j], b[3 * j + 1], b[3 * j + 2]) *
                                      dist(Prev(b, j, 0, start), Prev(b, j, 1, start), Prev(b, j, 2, start));
                some = some || std::fabs(product - c.m00[t]) < 1e-4f * (1 + c.m00[t]);
            }
            ASSERT_TRUE(some) << j;
        }
    }
    for (int e = 0; e < 256; ++e) gTransformTransitions[0][e] = gTransformTransitions[1][e] = 0;
    const std::vector<float> centre = Batch(RunFractalType12, 0.0f, 0.0f, 0.0f);
    for (float v : centre) ASSERT_EQ(v, 0.0f);
}

// Seeds of type 21 turn about y by a multiple of 2 pi / n before they are
// stored or iterated.
TEST_F(ChaosKernels, TessellationSeedsTurnBySectors)
{
    BaseshapeSampler saved[kBaseshapeTableSize];
    for (int k = 0; k < kBaseshapeTableSize; ++k) {
        saved[k] = gBaseshapeGenerators[0][k];
        gBaseshapeGenerators[0][k] = [](BaseshapePoint* p, uint8_t) { p->x = 1.0f, p->y = 7.0f, p->z = 0.0f; };
    }
    test_support::SetTransforms(5);
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 0;
    const std::vector<float> b = Batch(RunFractalType21, 0, 0, 0);
    int sectors[5] = {};
    for (int j = 0; j < 1000; ++j) {
        ASSERT_EQ(b[3 * j + 1], 7.0f);
        const float angle = std::atan2(b[3 * j + 2], -b[3 * j]);  // x = -cos, z = sin
        const float k = angle / (6.2831855f / 5.0f);
        const int sector = (static_cast<int>(std::lround(k)) + 5) % 5;
        ASSERT_NEAR(k, std::round(k), 1e-4f) << j;
        ++sectors[sector];
    }
    for (int count : sectors) EXPECT_GT(count, 150);
    for (int k = 0; k < kBaseshapeTableSize; ++k) gBaseshapeGenerators[0][k] = saved[k];
}

// The attractor types choose no transformation: no colouring steps, the
// previous transformation untouched; type 18 leaves the hash alone and type 4
// draws six words at each of its restarts, at points 201, 402, 603 and 804
// of the call, on a small sphere about a lattice point.
TEST_F(ChaosKernels, AttractorsChooseNoTransformationAndPopcornRestartsEvery200Points)
{
    test_support::SetAffine(0, 0.5f, -0.4f, 0.0f, 0.9f);
    for (FractalKernel kernel : {RunFractalType04, RunFractalType18}) {
        gSlotTransform[1] = 3;
        const uint32_t hash = 0xBEEF1u;
        const std::vector<float> b = Batch(kernel, 0.1f, 0.2f, 0.3f);
        EXPECT_EQ(gSlotTransform[1], 0);  // Batch() set it
        for (int j = 0; j < 1000; ++j) ASSERT_EQ(gStepTransforms[j], -1);
        uint32_t expected = hash;
        if (kernel == RunFractalType04) {
            for (int k = 0; k < 24; ++k) expected = HashStep(expected);
            const float cell = 0.34932038f;
            for (int j = 0; j < 1000; ++j) {
                const bool restart = j == 200 || j == 401 || j == 602 || j == 803;
                const float y = b[3 * j + 1];
                if (!restart) {
                    ASSERT_EQ(y, (j == 0 ? 0.2f : b[3 * j - 2]) - 0.0025f) << j;
                    continue;
                }
                ASSERT_LE(std::fabs(y), 0.0151f) << j;
                for (float v : {b[3 * j], b[3 * j + 2]})
                    ASSERT_LE(std::fabs(v - cell * std::round(v / cell)), 0.04f) << j;
            }
        }
        EXPECT_EQ(gSlotHash[1], expected);
    }
}

}  // namespace
