// Fractal type kernels of the complex-plane, quaternion, sphere-inversion,
// flame and attractor families: invariants of their maps at every point,
// and cross-checks between types that agree on particular settings.
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

struct P {
    float x, y, z;
    bool operator==(const P&) const = default;
};
using Cd = std::complex<double>;

// The transformation of every colouring step of slot 1 (-1: none).
std::vector<int> gStepTransforms;
void RecordStep(uint8_t, int32_t t, int32_t j) { gStepTransforms[j % 1000] = t; }

float Length(P p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }
bool Close(Cd a, Cd b) { return std::abs(a - b) < 2e-5 * (1 + std::abs(b)); }

class ChaosKernels : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBaseshapeGeneratorTables(); }
    void SetUp() override
    {
        test_support::ResetModel(4);
        for (TransformRecord& r : gTransforms) {
            std::fill(std::begin(r.variationOn), std::end(r.variationOn), 0);
            std::fill(std::begin(r.variationAmount), std::end(r.variationAmount), 0.0f);
        }
        test_support::SetAffine(0, 0.5f, -0.3f, 0.0f, 0.2f);
        test_support::SetAffine(1, 0.5f, 0.4f, 0.0f, 0.1f);
        ComputeTransformCoefficients({1.91f, 0.05f}, {1.91f, -0.05f});
        for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStep[s] = RecordStep;
    }
    void TearDown() override
    {
        ResetColoringTables();
        BuildBaseshapeGeneratorTables();
    }

    // Runs the kernel on slot 1 from the start point (as slot point and as
    // last batch point) and returns the batch.
    static std::vector<P> Batch(FractalKernel kernel, P start)
    {
        gStepTransforms.assign(1000, -1);
        gSlotHash[1] = 0xBEEF1u;
        gSlotTransform[1] = 0;
        gSlotPoint.x[1] = start.x, gSlotPoint.y[1] = start.y, gSlotPoint.z[1] = start.z;
        gPointX[1999] = start.x, gPointY[1999] = start.y, gPointZ[1999] = start.z;
        kernel(1);
        std::vector<P> out;
        for (int j = 1000; j < 2000; ++j) out.push_back({gPointX[j], gPointY[j], gPointZ[j]});
        return out;
    }
};

// Squared in the x-z plane a Julia point gives back its input minus C0 (a
// quotient of two such for types 9 and 17), conjugated for types 16 and 17.
bool SquaresBack(P prev, P cur, bool quotient, bool conjugate)
{
    const TransformCoefficients& c = gTransformCoefficients;
    Cd w(prev.x - c.tx[0], prev.z - c.tz[0]);
    if (quotient) w = Cd(prev.x - c.tx[1], prev.z - c.tz[1]) / w;
    return Close(Cd(cur.x, cur.z) * Cd(cur.x, cur.z), conjugate ? std::conj(w) : w) && cur.y > 0;
}

// The quaternion Julia point (x, y, z) with the slot's fourth component is a
// root of its input minus c = (tx0, tz0, tx1, tz1); the conditional type
// adds c's last three components when x is not beyond tx0. w^2 - |v|^2
// needs the fourth component, which only the slot keeps.
bool QuaternionRootOf(P prev, P cur, int t, bool conditional)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const float s = conditional && prev.x - c.tx[0] <= 0 ? -1.0f : 1.0f;
    return std::fabs(2 * cur.x * cur.y - (prev.y - s * c.tz[0])) < 2e-5f &&
           std::fabs(2 * cur.x * cur.z - (prev.z - s * c.tx[1])) < 2e-5f && (cur.x < 0) == (t != 0);
}

// The distances of a point and its image from one of the spheres' centres
// multiply to that sphere's squared radius m00.
bool InvertedInASphere(P prev, P cur)
{
    const TransformCoefficients& c = gTransformCoefficients;
    for (int t = 0; t < 2; ++t) {
        const P centre = {c.tx[t], c.ty[t], c.tz[t]};
        const float product = Length({prev.x - centre.x, prev.y - centre.y, prev.z - centre.z}) *
                              Length({cur.x - centre.x, cur.y - centre.y, cur.z - centre.z});
        if (std::fabs(product - c.m00[t]) < 1e-4f * (1 + c.m00[t])) return true;
    }
    return false;
}

float HeightStep(float h)
{
    return (h >= 0 ? std::pow(std::fabs(h), 0.85f) : -std::pow(std::fabs(h), 0.85f)) + 0.1475f;
}

TEST_F(ChaosKernels, EveryPointKeepsItsTypesInvariant)
{
    struct Case {
        const char* name;
        FractalKernel kernel;
        void (*setup)();
        P start;
        // cur is made from prev by transformation t (-1: no colouring step) at index j.
        std::function<bool(P prev, P cur, int t, int j)> holds;
    };
    auto none = [] {};
    auto zeroAffine = [] {
        for (int t = 0; t < 4; ++t) test_support::SetAffine(t, 0.0f, 0.0f, 0.0f, 0.0f);
    };
    auto twoSpheres = [] {
        test_support::SetTransforms(2);
        test_support::SetAffine(0, 0.8f, 0.0f, 0.0f, 0.0f);
        test_support::SetAffine(1, 0.3f, 1.0f, 0.5f, 0.0f);
    };
    // The orbit's height h, kept in the slot, tilts the sphere: radius
    // 1 / (1 + tilt 0.1875 h).
    auto onTiltedSphere = [](float tilt) {
        return [tilt, h = -0.8f](P, P c, int, int) mutable {
            const bool on = std::fabs(Length(c) * (1 + tilt * 0.1875f * h) - 1) < 2e-5f;
            h = HeightStep(h);
            return on;
        };
    };
    auto slotHeight = [] { gSlotQuaternionW[1] = -0.8f; };
    const P start = {0.7f, 0.0f, -0.2f};
    const Case cases[] = {
        {"inverse tree keeps its cube, t >= 4 repeats", RunFractalType01, [] { test_support::SetTransforms(6); },
         {-0.5f, -0.25f, -0.75f},
         [](P p, P c, int t, int) {
             const bool inside = c.x > -1 && c.x < 0 && c.y > -1 && c.y < 0 && c.z > -1 && c.z < 0;
             return inside && (c == p) == (t >= 4);
         }},
        {"2.7D without flags keeps only the height step", RunFractalType15, none, {0.5f, 0.0f, 0.5f},
         [](P p, P c, int, int) { return c.x == 0 && c.z == 0 && c.y == HeightStep(p.y); }},
        {"flames 2 without flags is the origin", RunFractalType23, none, start,
         [](P, P c, int, int) { return c == P{0, 0, 0}; }},
        {"Z^3 roots cube back", RunFractalType10, none, start,
         [](P p, P c, int t, int) {
             const Cd z(c.x, c.z);
             return t == 0 || (Close(z * z * z, Cd(p.x, p.z)) && c.y == p.y / 2);
         }},
        {"quaternion IFS roots square back", RunFractalType11, zeroAffine, {0.4f, -1.2f, 0.7f},
         // The orbit converges on 1: only the first steps have a vector part
         // above float resolution.
         [](P p, P c, int, int j) {
             return j >= 6 || (Close(c.x * c.x - c.y * c.y - c.z * c.z, p.x) && Close(2 * c.x * c.y, p.y) &&
                               Close(2 * c.x * c.z, p.z));
         }},
        {"Julia Z^2+C", RunFractalType08, none, start, [](P p, P c, int, int) { return SquaresBack(p, c, 0, 0); }},
        {"Julia quotient", RunFractalType09, none, start, [](P p, P c, int, int) { return SquaresBack(p, c, 1, 0); }},
        {"Julia II", RunFractalType16, none, start, [](P p, P c, int, int) { return SquaresBack(p, c, 0, 1); }},
        {"Julia III", RunFractalType17, none, start, [](P p, P c, int, int) { return SquaresBack(p, c, 1, 1); }},
        {"conditional quaternion Julia", RunFractalType05, none, {0.5f, 0.5f, 0.5f},
         [](P p, P c, int t, int) { return QuaternionRootOf(p, c, t, true); }},
        {"quaternion Julia", RunFractalType06, none, {0.5f, 0.5f, 0.5f},
         [](P p, P c, int t, int) { return QuaternionRootOf(p, c, t, false); }},
        // Without baseshapes the run factor is 0.
        {"Kleinians at height 0", RunFractalType03, none, start,
         [](P, P c, int t, int) { return c.y == 0 && t == -1; }},
        {"spherical Kleinians on the unit sphere", RunFractalType19, none, start,
         [](P, P c, int, int) { return std::fabs(Length(c) - 1) < 1e-5f; }},
        {"spherical Julia", RunFractalType13, slotHeight, start, onTiltedSphere(-1.0f)},
        {"spherical Julia quotient", RunFractalType14, slotHeight, start, onTiltedSphere(1.0f)},
        {"Apollonian inversions", RunFractalType12, twoSpheres, {0.4f, 0.1f, -0.3f},
         [](P p, P c, int, int) { return InvertedInASphere(p, c); }},
        {"tessellation inversions", RunFractalType21, twoSpheres, {0.4f, 0.1f, -0.3f},
         [](P p, P c, int, int) { return InvertedInASphere(p, c); }},
        {"Apollonian centre maps onto itself", RunFractalType12,
         [] {
             test_support::SetTransforms(1);
             test_support::SetAffine(0, 0.8f, 0.0f, 0.0f, 0.0f);
         },
         {0, 0, 0}, [](P, P c, int, int) { return c == P{0, 0, 0}; }},
        // Restarts at points 201, 402, 603 and 804 of the call, on a small
        // sphere about a lattice point; between them y falls by 0.0025.
        {"popcorn", RunFractalType04, none, start,
         [](P p, P c, int t, int j) {
             if (t != -1) return false;
             if (j != 200 && j != 401 && j != 602 && j != 803) return c.y == p.y - 0.0025f;
             auto nearLattice = [](float v) { return std::fabs(std::remainder(v, 0.34932038f)) < 0.04f; };
             return std::fabs(c.y) <= 0.0151f && nearLattice(c.x) && nearLattice(c.z);
         }},
        // Seeds (1, 7, 0) turn about y by a multiple of 2 pi / 5.
        {"tessellation seeds", RunFractalType21,
         [] {
             for (BaseshapeSampler& f : gBaseshapeGenerators[0])
                 f = [](BaseshapePoint* p, uint8_t) { p->x = 1.0f, p->y = 7.0f, p->z = 0.0f; };
             test_support::SetTransforms(5);
             gUseBaseshapes = 1;
             gBaseshapes[0].pointsPerRun = 0;
         },
         start,
         [](P, P c, int, int) {
             const float k = std::atan2(c.z, -c.x) / (6.2831855f / 5.0f);
             return c.y == 7.0f && std::fabs(k - std::round(k)) < 1e-4f;
         }},
        {"Gumowski-Mira", RunFractalType18, none, start,
         [](P p, P c, int t, int) { return t == -1 && c.y == HeightStep(p.y); }},
    };
    for (const Case& c : cases) {
        c.setup();
        for (int s = 0; s < kMaxRenderSlots; ++s) gSlotColorStep[s] = RecordStep;
        const std::vector<P> b = Batch(c.kernel, c.start);
        for (int j = 0; j < 1000; ++j) {
            const P prev = j == 0 ? c.start : b[j - 1];
            ASSERT_TRUE(c.holds(prev, b[j], gStepTransforms[j], j)) << c.name << " at " << j;
        }
        TearDown();
        SetUp();
    }
}

// On particular settings two types make the same map; their batches agree
// bit for bit from the same slot state.
TEST_F(ChaosKernels, TypesAgreeWhereTheirMapsCoincide)
{
    for (int t = 0; t < 4; ++t) gTransforms[t].variationOn[0] = 1, gTransforms[t].variationAmount[0] = 1.0f;
    gTransformCoefficients.m01[1] = 0.25f, gTransformCoefficients.m10[2] = -0.25f;
    const P start = {0.3f, -0.2f, 0.1f};
    EXPECT_EQ(Batch(RunFractalType23, start), Batch(RunFractalType00, start)) << "flames 2, linear: the affine IFS";
    EXPECT_EQ(Batch(RunFractalType15, start), Batch(RunFractalType07, start)) << "2.7D, linear: the 2.5D IFS";
}

// Types 5 and 6 keep the fourth component across seeds; the kernels with
// orbit state in the slot restart it when a call finds it not finite.
TEST_F(ChaosKernels, SlotStateOutlivesSeedsButNotNonFiniteValues)
{
    for (FractalKernel kernel :
         {RunFractalType03, RunFractalType05, RunFractalType06, RunFractalType13, RunFractalType14, RunFractalType19}) {
        gSlotComplexPoint.re[1] = gSlotComplexOrigin.im[1] = gSlotQuaternionW[1] = NAN;
        for (P p : Batch(kernel, {0.1f, 0.2f, 0.3f})) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
        }
    }
    gUseBaseshapes = 1;
    gBaseshapes[0].pointsPerRun = 10;
    test_support::SetAffine(1, 0.5f, 0.1f, 0.0f, 0.2f);
    for (FractalKernel kernel : {RunFractalType05, RunFractalType06}) {
        std::vector<P> batches[2];
        for (int k = 0; k < 2; ++k) {
            gBaseshapeRandom[1].Seed(2001u);
            gSlotQuaternionW[1] = 0.8f * static_cast<float>(k);
            batches[k] = Batch(kernel, {0, 0, 0});
        }
        EXPECT_NE(batches[0], batches[1]);  // same seeds, different fourth components
    }
}

}  // namespace
