#include "engine/quaternion.h"
#include "engine/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectVec(const float* v, float x, float y, float z, float eps = 1e-6f)
{
    EXPECT_NEAR(v[0], x, eps);
    EXPECT_NEAR(v[1], y, eps);
    EXPECT_NEAR(v[2], z, eps);
}

TEST(Vec3, NormalizeAndTriangleNormalOfDegenerateInputAreZero)
{
    const float zero[3] = {0, 0, 0};
    float out[3] = {9, 9, 9};
    ExpectVec(Vec3Normalize(out, zero), 0, 0, 0);
    const float p[3] = {1, 2, 3};
    ExpectVec(TriangleNormal(out, p, p, p), 0, 0, 0);

    const float a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {1, 1, 0};
    // (a - b) x (b - c) = (-1, 0, 0) x (0, -1, 0) = (0, 0, 1)
    ExpectVec(TriangleNormal(out, a, b, c), 0, 0, 1);
}

TEST(Vec3, ClampLerpAndDistances)
{
    EXPECT_EQ(ClampF(-1.0f, 0.0f, 1.0f) + ClampF(0.5f, 0.0f, 1.0f) + ClampF(3.0f, 0.0f, 1.0f), 1.5f);
    const float a[3] = {0, 0, 0}, b[3] = {2, 4, 6};
    float out[3];
    ExpectVec(Vec3Lerp(out, a, b, 0.5f), 1, 2, 3);
    ExpectVec(Vec3Lerp(out, a, b, 7.0f), 2, 4, 6);  // t is clamped
    EXPECT_FLOAT_EQ(Vec3DistanceSquared(a, b), 56.0f);
    EXPECT_FLOAT_EQ(Vec3Distance(a, b), std::sqrt(56.0f));
    EXPECT_DOUBLE_EQ(Vec3Dot(b, b), 56.0);
    const float h[3] = {3, 3, 3};
    ExpectVec(HeightNormal(out, h), 0, 0, 1);
}

TEST(Vec3, AxisAngleBetweenIsFiniteForParallelAndZeroVectors)
{
    float out[4];
    const float x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    AxisAngleBetween(out, x, y);
    ExpectVec(out, 0, 0, -1);  // y x x
    EXPECT_NEAR(out[3], std::sqrt(2.0f), 1e-6f);

    const float x2[3] = {2, 0, 0}, minusX[3] = {-3, 0, 0}, zero[3] = {0, 0, 0};
    for (const float* b : {x2, minusX, zero}) {
        AxisAngleBetween(out, x, b);
        for (float v : out) EXPECT_TRUE(std::isfinite(v));
        EXPECT_NEAR(Vec3Length(out), 1.0f, 1e-6f);
        EXPECT_NEAR(Vec3DotP(out, x), 0.0f, 1e-6f);  // perpendicular to the pair
        EXPECT_GT(out[3], 0.0f);
    }
    AxisAngleBetween(out, zero, minusX);
    EXPECT_NEAR(Vec3Length(out), 1.0f, 1e-6f);
    AxisAngleBetween(out, x, x);
    for (float v : out) EXPECT_EQ(v, 0.0f);
}

TEST(Matrix3, RotationsAgreeAndEulerZeroIsIdentity)
{
    float m[9];
    RotationMatrixFromEuler(0, 0, 0, m);
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(m[i], identity[i], 1e-7f);

    float k[3] = {1, 2, 2};
    Vec3Normalize(k, k);
    const float v[3] = {0.3f, -1.2f, 2.0f};
    AxisAngleMatrix(k, 0.7f, m);
    float r[3], mv[3];
    RotateAroundAxis(r, v, k, 0.7f);
    for (int row = 0; row < 3; ++row) mv[row] = m[3 * row] * v[0] + m[3 * row + 1] * v[1] + m[3 * row + 2] * v[2];
    ExpectVec(mv, r[0], r[1], r[2], 1e-5f);
    EXPECT_NEAR(Vec3Length(r), Vec3Length(v), 1e-5f);

    const float a[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9}, b[9] = {0, 1, 0, 1, 0, 0, 0, 0, 2};
    float c[9];
    MultiplyMatrix3(a, b, c);
    const float expect[9] = {2, 1, 6, 5, 4, 12, 8, 7, 18};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(c[i], expect[i]);
}

TEST(Matrix3, OrthonormalizeGivesOrthonormalColumns)
{
    float m[9] = {2, 0.1f, 0.3f, 0.2f, 3, 0, 0, 0.4f, 1};
    OrthonormalizeMatrix3(m);
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const float d = m[a] * m[b] + m[3 + a] * m[3 + b] + m[6 + a] * m[6 + b];
            EXPECT_NEAR(d, a == b ? 1.0f : 0.0f, 1e-6f);
        }
    EXPECT_GT(m[0], 0.99f);  // column 0 keeps its direction
}

TEST(Quaternion, ProductSquareRootAndMobiusEntries)
{
    const float i[4] = {0, 1, 0, 0}, j[4] = {0, 0, 1, 0};
    float out[4];
    MultiplyQuaternions(out, i, j);  // i j = k
    EXPECT_TRUE(out[0] == 0.0f && out[1] == 0.0f && out[2] == 0.0f && out[3] == 1.0f);
    MultiplyQuaternions(out, j, i);
    EXPECT_EQ(out[3], -1.0f);

    // The root squares back, also on the negative real axis.
    const float quaternions[2][4] = {{0.5f, -1.0f, 2.0f, 0.25f}, {-4, 0, 0, 0}};
    for (const auto& q : quaternions) {
        float root[4], square[4];
        QuaternionSquareRoot(root, q);
        MultiplyQuaternions(square, root, root);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(square[k], q[k], 1e-5f) << q[0] << " " << k;
    }

    float a[4], b[4], c[4], d[4];
    const float one[4] = {1, 0, 0, 0};
    MakeQuaternionMobiusEntries(one, i, a, b, c, d);
    const float ea[4] = {2, 0, 0, 0}, eb[4] = {-1.5f, 0, 0, 0}, ec[4] = {0, 2, 0, 0}, ed[4] = {-2, 0, 0, 0};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(a[k] == ea[k] && b[k] == eb[k] && c[k] == ec[k] && d[k] == ed[k]) << k;
}

}  // namespace
