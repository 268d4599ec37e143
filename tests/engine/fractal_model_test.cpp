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
    EXPECT_EQ(gSlotBatchStart[0], 0);
    EXPECT_EQ(gSlotBatchLast[0], 999);
    EXPECT_EQ(gSlotBatchEnd[0], 1000);
    EXPECT_EQ(gSlotBatchStart[23], 23000);
    EXPECT_EQ(gSlotBatchLast[23], 23999);
    EXPECT_EQ(gSlotBatchEnd[23], 24000);
    EXPECT_EQ(gSlotBatchStart[31], 31000);
    EXPECT_EQ(gSlotBatchLast[31], 31999);
    EXPECT_EQ(gSlotBatchEnd[31], 32000);
    EXPECT_EQ(gPointX[5], 0.0f);
    EXPECT_EQ(gPointColorB[24023], 0);
    EXPECT_EQ(gSlotTransform[23], 0);
    EXPECT_EQ(gSlotQuaternionPoint[23].x + gSlotQuaternionPoint[23].w, 0.0f);
    EXPECT_EQ(gSlotBaseshapePoints[2].size, 0.0f);
    EXPECT_EQ(gSlotBaseshapePoints[2].p[0], 1.5f);
}

void SetRecord(int i, const float* rotation, const float* scaleShear, float x, float y, float z, float weight)
{
    TransformRecord& t = gTransforms[i];
    std::memcpy(t.rotation, rotation, sizeof t.rotation);
    std::memcpy(t.scaleShear, scaleShear, sizeof t.scaleShear);
    t.position[0] = x;
    t.position[1] = y;
    t.position[2] = z;
    t.weight = weight;
}

TEST(ComposeTransformation, DefaultScaleGivesHalfDiagonal)
{
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const float half[9] = {0.5f, 0, 0, 0, 0.5f, 0, 0, 0, 0.5f};
    SetRecord(7, identity, half, 1, -2, 3, 0.25f);
    ComposeTransformMatrices(7);
    const TransformCoefficients& k = gTransformCoefficients;
    EXPECT_EQ(k.m00[7], 0.5f);
    EXPECT_EQ(k.m11[7], 0.5f);
    EXPECT_EQ(k.m22[7], 0.5f);
    for (float v : {k.m01[7], k.m02[7], k.m10[7], k.m12[7], k.m20[7], k.m21[7]}) EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(k.tx[7], 1.0f);
    EXPECT_EQ(k.ty[7], -2.0f);
    EXPECT_EQ(k.tz[7], 3.0f);
    EXPECT_EQ(gTransformWeights[7], 0.25f);
    const float gl[16] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 1, -2, 3, 1};
    for (int e = 0; e < 16; ++e) EXPECT_EQ(gTransforms[7].glMatrix[e], gl[e]) << e;
}

TEST(ComposeTransformation, RotationAfterScaleAndColumnOrderMatrix)
{
    // R turns x to y; S scales x by 2 and shears x by y (S[0][1] = 3).
    const float r[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    const float s[9] = {2, 3, 0, 0, 1, 0, 0, 0, 4};
    SetRecord(64, r, s, 0, 0, 0, 1.0f);
    ComposeTransformation(64);
    const float c[9] = {0, -1, 0, 2, 3, 0, 0, 0, 4};  // R S
    for (int e = 0; e < 9; ++e) EXPECT_EQ(gTransforms[64].matrix[e], c[e]);
    const TransformCoefficients& k = gTransformCoefficients;
    EXPECT_EQ(k.m01[64], -1.0f);
    EXPECT_EQ(k.m10[64], 2.0f);
    EXPECT_EQ(k.m11[64], 3.0f);
    EXPECT_EQ(gTransforms[64].glMatrix[1], 2.0f);  // C[1][0], first column
    EXPECT_EQ(gTransforms[64].glMatrix[4], -1.0f);  // C[0][1], second column

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

TEST(ComputeTransformCoefficients, TracesTwoAndTwo)
{
    gFractalType = 0;
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    const MobiusCoefficients& m = gMobiusCoefficients;
    // z = -16, sqrt z = 4i, tab = 2 + 2i: the trace of g0 g1 is tab.
    const Complex trace = Add(Add(Mul(m.a[0], m.a[1]), Mul(m.b[0], m.c[1])),
                              Add(Mul(m.c[0], m.b[1]), Mul(m.d[0], m.d[1])));
    EXPECT_NEAR(trace.re, 2.0f, 1e-5f);
    EXPECT_NEAR(trace.im, 2.0f, 1e-5f);
    // g0 = [[1, 2i], [0, 1]], g1 = [[1 - i, 1], [1, 1 + i]] and their inverses.
    EXPECT_NEAR(m.a[0].re, 1.0f, 1e-6f);
    EXPECT_NEAR(m.b[0].re, 0.0f, 1e-5f);
    EXPECT_NEAR(m.b[0].im, 2.0f, 1e-5f);
    EXPECT_NEAR(m.c[0].re, 0.0f, 1e-5f);
    EXPECT_NEAR(m.c[0].im, 0.0f, 1e-5f);
    EXPECT_EQ(m.a[1].re, 1.0f);
    EXPECT_EQ(m.a[1].im, -1.0f);
    EXPECT_EQ(m.d[1].im, 1.0f);
    EXPECT_EQ(m.b[2].im, -m.b[0].im);
    EXPECT_EQ(m.a[3].im, 1.0f);
    EXPECT_EQ(m.b[3].re, -1.0f);
    EXPECT_EQ(m.d[3].im, -1.0f);
}

TEST(ComputeTransformCoefficients, OtherTracesGiveUnitDeterminantAndTraceAB)
{
    gFractalType = 0;
    const Complex ta{1.91f, 0.05f}, tb{2.0f, 0.0f};
    ComputeTransformCoefficients(ta, tb);
    const MobiusCoefficients& m = gMobiusCoefficients;
    for (int g = 0; g < 4; ++g) {
        const Complex ad = Mul(m.a[g], m.d[g]), bc = Mul(m.b[g], m.c[g]);
        EXPECT_NEAR(ad.re - bc.re, 1.0f, 1e-4f) << g;
        EXPECT_NEAR(ad.im - bc.im, 0.0f, 1e-4f) << g;
    }
    // tab solves tab^2 - ta tb tab + ta^2 + tb^2 = 0.
    const Complex tab = Add(Add(Mul(m.a[0], m.a[1]), Mul(m.b[0], m.c[1])),
                            Add(Mul(m.c[0], m.b[1]), Mul(m.d[0], m.d[1])));
    const Complex tatb = Mul(ta, tb);
    const Complex poly = Add(Add(Mul(tab, tab), Mul(Complex{-tatb.re, -tatb.im}, tab)),
                             Add(Mul(ta, ta), Mul(tb, tb)));
    EXPECT_NEAR(poly.re, 0.0f, 1e-3f);
    EXPECT_NEAR(poly.im, 0.0f, 1e-3f);
}

TEST(ComputeTransformCoefficients, TypeFortyFiveMirrorsTheQuaternionMaps)
{
    gFractalType = 45;
    gPickTransformCount = 10;
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    const MobiusCoefficients& m = gMobiusCoefficients;
    const TransformCoefficients& k = gTransformCoefficients;
    EXPECT_EQ(k.m00[1], m.a[1].re);
    EXPECT_EQ(k.m01[1], m.a[1].im);
    EXPECT_EQ(k.m02[0], m.b[0].re);
    EXPECT_EQ(k.m12[0], m.b[0].im);
    EXPECT_EQ(k.m11[3], m.c[3].re);
    EXPECT_EQ(k.m10[3], m.c[3].im);
    EXPECT_EQ(k.m20[3], m.d[3].re);
    EXPECT_EQ(k.m21[3], m.d[3].im);
    EXPECT_EQ(gTransformQuaternionA[1][0], m.a[1].re);
    EXPECT_EQ(gTransformQuaternionA[1][1], 0.0f);
    EXPECT_EQ(gTransformQuaternionA[1][2], m.a[1].im);
    // Transformation 4 from (1, 0, 0, 0) and (0, 1, 0, 0), then 5..9 from 0..4.
    EXPECT_EQ(gTransformQuaternionA[4][0], 2.0f);
    EXPECT_EQ(gTransformQuaternionB[4][0], -1.5f);
    EXPECT_EQ(gTransformQuaternionC[4][1], 2.0f);
    EXPECT_EQ(gTransformQuaternionD[4][0], -2.0f);
    for (int s = 0; s < 5; ++s) {
        const float* a = gTransformQuaternionA[s];
        const float* a2 = gTransformQuaternionA[s + 5];
        EXPECT_EQ(a2[0], a[3]);
        EXPECT_EQ(a2[1], a[2]);
        EXPECT_EQ(a2[2], -a[1]);
        EXPECT_EQ(a2[3], -a[0]);
        // d (0, 0, 0, -1) = (d3, -d2, d1, -d0)
        const float* d = gTransformQuaternionD[s];
        const float* d2 = gTransformQuaternionD[s + 5];
        EXPECT_EQ(d2[0], d[3]);
        EXPECT_EQ(d2[1], -d[2]);
        EXPECT_EQ(d2[2], d[1]);
        EXPECT_EQ(d2[3], -d[0]);
    }
    EXPECT_EQ(gPickTransformCount, 10);

    gPickTransformCount = 7;  // odd counts drop to the even number below
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    EXPECT_EQ(gPickTransformCount, 6);
    gPickTransformCount = 1;  // never left at 0
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    EXPECT_EQ(gPickTransformCount, 1);
    gPickTransformCount = 1000;  // a hostile count stays inside the arrays
    ComputeTransformCoefficients(Complex{2, 0}, Complex{2, 0});
    EXPECT_EQ(gPickTransformCount, 64);
    gFractalType = 0;
}

}  // namespace
