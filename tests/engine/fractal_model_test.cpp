#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(InitGlobalState, FillsTheSlotTablesAndClearsSlotState)
{
    gPointX[5] = 3.0f;
    gPointColorB[24023] = 7;
    gSlotTransform[23] = 4;
    gSlotQuaternionPoint[23] = {1.0f, 2.0f, 3.0f, 4.0f};
    gSlotBaseshapePoints[2].size = 9.0f;
    gSlotBaseshapePoints[2].p[0] = 1.5f;  // shape parameters are not touched
    InitGlobalState();
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        EXPECT_EQ(gSlotBatchStart[s], 1000 * s) << s;
        EXPECT_EQ(gSlotBatchLast[s], 1000 * s + 999) << s;
        EXPECT_EQ(gSlotBatchEnd[s], 1000 * s + 1000) << s;
    }
    EXPECT_EQ(gPointX[5], 0.0f);
    EXPECT_EQ(gPointColorB[24023], 0);
    EXPECT_EQ(gSlotTransform[23], 0);
    EXPECT_EQ(gSlotQuaternionPoint[23].x + gSlotQuaternionPoint[23].w, 0.0f);
    EXPECT_EQ(gSlotBaseshapePoints[2].size, 0.0f);
    EXPECT_EQ(gSlotBaseshapePoints[2].p[0], 1.5f);
}

TEST(ComposeTransformation, RotationAfterScaleAndColumnOrderMatrix)
{
    // R turns x to y; S scales x by 2 and shears x by y (S[0][1] = 3).
    const float r[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    const float s[9] = {2, 3, 0, 0, 1, 0, 0, 0, 4};
    TransformRecord& t = gTransforms[64];
    std::memcpy(t.rotation, r, sizeof r);
    std::memcpy(t.scaleShear, s, sizeof s);
    t.position[0] = 1, t.position[1] = -2, t.position[2] = 3;
    t.weight = 0.25f;
    ComposeTransformation(64);
    const float c[9] = {0, -1, 0, 2, 3, 0, 0, 0, 4};  // R S
    for (int e = 0; e < 9; ++e) EXPECT_EQ(t.matrix[e], c[e]) << e;
    const TransformCoefficients& k = gTransformCoefficients;
    EXPECT_EQ(k.m01[64], -1.0f);
    EXPECT_EQ(k.m10[64], 2.0f);
    EXPECT_EQ(k.m11[64], 3.0f);
    EXPECT_EQ(k.ty[64], -2.0f);
    EXPECT_EQ(gTransformWeights[64], 0.25f);
    const float gl[16] = {0, 2, 0, 0, -1, 3, 0, 0, 0, 0, 4, 0, 1, -2, 3, 1};  // columns of C, then the shift
    for (int e = 0; e < 16; ++e) EXPECT_EQ(t.glMatrix[e], gl[e]) << e;

    // Indices outside the record array are ignored.
    ComposeTransformMatrices(-1);
    ComposeTransformMatrices(kMaxTransforms);
}

TEST(ComplexHelpers, ArithmeticAndMobius)
{
    const Complex a{1, 2}, b{3, -1};
    Complex out;
    EXPECT_EQ(ComplexMultiply(&out, &a, &b)->re, 5.0f);
    EXPECT_EQ(out.im, 5.0f);
    ComplexDivide(&out, &a, &b);  // (1 + 2i)(3 + i) / 10
    EXPECT_FLOAT_EQ(out.re, 0.1f);
    EXPECT_FLOAT_EQ(out.im, 0.7f);
    EXPECT_EQ(ComplexSubtract(&out, &a, &b)->re, -2.0f);
    EXPECT_EQ(ComplexAdd(&out, &a, &b)->im, 1.0f);
    EXPECT_EQ(ComplexNegate(&out, &a)->im, -2.0f);
    EXPECT_EQ(ComplexMake(&out, 4, 5)->re, 4.0f);

    // z -> (z + 1) / (0 z + 1) moves 2i to 1 + 2i.
    const Complex one{1, 0}, zero{0, 0}, z{0, 2};
    ComplexMobius(&out, &one, &one, &zero, &one, &z);
    EXPECT_EQ(out.re, 1.0f);
    EXPECT_EQ(out.im, 2.0f);

    Complex ca, cb, cc, cd;
    const Complex t{3, 4}, c{2, -6};
    MakeComplexMobiusCoefficients(&ca, &cb, &cc, &cd, &t, 2.0f, &c);
    EXPECT_EQ(ca.re, 1.5f);
    EXPECT_EQ(ca.im, 2.0f);
    EXPECT_EQ(cb.re, 2.0f - 12.5f);
    EXPECT_EQ(cc.im, -3.0f);
    EXPECT_EQ(cd.re, -1.5f);
    EXPECT_EQ(cd.im, 2.0f);
}

Complex Mul(Complex a, Complex b) { return Complex{a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
Complex Add(Complex a, Complex b) { return Complex{a.re + b.re, a.im + b.im}; }

// Every generator has determinant 1, and the trace of g0 g1 solves
// tab^2 - ta tb tab + ta^2 + tb^2 = 0; for traces 2 and 2 the worked
// example is g0 = [[1, 2i], [0, 1]], g1 = [[1 - i, 1], [1, 1 + i]].
TEST(ComputeTransformCoefficients, UnitDeterminantsAndTheTraceOfTheProduct)
{
    gFractalType = 0;
    const Complex traces[][2] = {{{2, 0}, {2, 0}}, {{1.91f, 0.05f}, {2.0f, 0.0f}}};
    const MobiusCoefficients& m = gMobiusCoefficients;
    for (const auto& [ta, tb] : traces) {
        ComputeTransformCoefficients(ta, tb);
        for (int g = 0; g < 4; ++g) {
            const Complex ad = Mul(m.a[g], m.d[g]), bc = Mul(m.b[g], m.c[g]);
            EXPECT_NEAR(ad.re - bc.re, 1.0f, 1e-4f) << ta.re << " g" << g;
            EXPECT_NEAR(ad.im - bc.im, 0.0f, 1e-4f) << ta.re << " g" << g;
        }
        const Complex tab = Add(Add(Mul(m.a[0], m.a[1]), Mul(m.b[0], m.c[1])),
                                Add(Mul(m.c[0], m.b[1]), Mul(m.d[0], m.d[1])));
        const Complex tatb = Mul(ta, tb);
        const Complex poly = Add(Add(Mul(tab, tab), Mul(Complex{-tatb.re, -tatb.im}, tab)),
                                 Add(Mul(ta, ta), Mul(tb, tb)));
        EXPECT_NEAR(poly.re, 0.0f, 1e-3f) << ta.re;
        EXPECT_NEAR(poly.im, 0.0f, 1e-3f) << ta.re;
    }
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    const Complex expected[][2] = {{m.a[0], {1, 0}}, {m.b[0], {0, 2}}, {m.c[0], {0, 0}}, {m.a[1], {1, -1}},
                                   {m.d[1], {1, 1}}, {m.b[2], {0, -2}}, {m.a[3], {1, 1}}, {m.d[3], {1, -1}}};
    for (const auto& [got, want] : expected) {
        EXPECT_NEAR(got.re, want.re, 1e-5f) << want.re << " " << want.im;
        EXPECT_NEAR(got.im, want.im, 1e-5f) << want.re << " " << want.im;
    }
}

TEST(ComputeTransformCoefficients, TypeFortyFiveKeepsTheCountEvenAndInsideTheArrays)
{
    gFractalType = 45;
    const int32_t counts[][2] = {{10, 10}, {7, 6}, {1, 1}, {1000, 64}};
    for (const auto& [count, kept] : counts) {
        gPickTransformCount = count;
        ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
        EXPECT_EQ(gPickTransformCount, kept) << count;
        for (int t = 0; t < kept; ++t)
            for (int k = 0; k < 4; ++k) ASSERT_TRUE(std::isfinite(gTransformQuaternionD[t][k])) << count << " " << t;
    }
    gFractalType = 0;
}

}  // namespace
