#include "engine/vector_math.h"

#include <cmath>

float* TriangleNormal(float* out, const float* p1, const float* p2, const float* p3)
{
    const float a[3] = {p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]};
    const float b[3] = {p2[0] - p3[0], p2[1] - p3[1], p2[2] - p3[2]};
    Vec3Cross(out, a, b);
    const float len = Vec3Length(out);
    if (len == 0.0f) return out;
    return Vec3Pack(out, out[0] / len, out[1] / len, out[2] / len);
}

float* HeightNormal(float* out, const float* h)
{
    const float n[3] = {h[0] - h[1], h[1] - h[2], 1.0f};
    const float len = Vec3Length(n);  // at least 1
    return Vec3Pack(out, n[0] / len, n[1] / len, n[2] / len);
}

float* AxisAngleBetween(float* out, const float* a, const float* b)
{
    const float d = Vec3Distance(a, b);
    if (!(d > 0.0f)) {
        out[0] = out[1] = out[2] = out[3] = 0.0f;
        return out;
    }
    float axis[3];
    Vec3Cross(axis, b, a);
    float len = Vec3Length(axis);
    if (!(len > 0.0f)) {
        // Parallel (or one zero) vectors have no plane of their own: turn about
        // any axis perpendicular to the non-zero one, so the result stays finite.
        const float* v = Vec3Length(a) > 0.0f ? a : b;
        const float ax = std::fabs(v[0]), ay = std::fabs(v[1]), az = std::fabs(v[2]);
        float e[3] = {0.0f, 0.0f, 0.0f};
        if (ax <= ay && ax <= az) e[0] = 1.0f;
        else if (ay <= az) e[1] = 1.0f;
        else e[2] = 1.0f;
        Vec3Cross(axis, v, e);
        len = Vec3Length(axis);
        if (!(len > 0.0f)) {  // only for non-finite input
            out[0] = out[1] = out[2] = out[3] = 0.0f;
            return out;
        }
    }
    out[0] = axis[0] / len;
    out[1] = axis[1] / len;
    out[2] = axis[2] / len;
    out[3] = d;
    return out;
}

void AxisAngleMatrix(const float* k, float t, float* m)
{
    const float c = std::cos(t), s = std::sin(t), r = 1.0f - c;
    const float x = k[0], y = k[1], z = k[2];
    m[0] = c + x * x * r;
    m[1] = x * y * r + z * s;
    m[2] = x * z * r - y * s;
    m[3] = x * y * r - z * s;
    m[4] = c + y * y * r;
    m[5] = y * z * r + x * s;
    m[6] = x * z * r + y * s;
    m[7] = y * z * r - x * s;
    m[8] = c + z * z * r;
}

void MultiplyMatrix3(const float* a, const float* b, float* c)
{
    float t[9];  // a or b may alias c
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            t[3 * r + col] = a[3 * r] * b[col] + a[3 * r + 1] * b[3 + col] + a[3 * r + 2] * b[6 + col];
    for (int i = 0; i < 9; ++i) c[i] = t[i];
}

void AffineToColumnMajor(const float* m, const float* t, float* gl)
{
    for (int col = 0; col < 3; ++col) {
        gl[4 * col] = m[col];
        gl[4 * col + 1] = m[3 + col];
        gl[4 * col + 2] = m[6 + col];
        gl[4 * col + 3] = 0.0f;
    }
    gl[12] = t[0];
    gl[13] = t[1];
    gl[14] = t[2];
    gl[15] = 1.0f;
}

void OrthonormalizeMatrix3(float* m)
{
    float c0[3] = {m[0], m[3], m[6]};
    float c1[3] = {m[1], m[4], m[7]};
    float c2[3] = {m[2], m[5], m[8]};
    Vec3Normalize(c0, c0);
    float p = Vec3DotP(c1, c0);
    for (int i = 0; i < 3; ++i) c1[i] -= p * c0[i];
    Vec3Normalize(c1, c1);
    const float p1 = Vec3DotP(c2, c1);
    const float p0 = Vec3DotP(c2, c0);
    for (int i = 0; i < 3; ++i) c2[i] -= p1 * c1[i] + p0 * c0[i];
    Vec3Normalize(c2, c2);
    for (int r = 0; r < 3; ++r) {
        m[3 * r] = c0[r];
        m[3 * r + 1] = c1[r];
        m[3 * r + 2] = c2[r];
    }
}

void RotationMatrixFromEuler(float a, float b, float c, float* m)
{
    const float k = 0.017453292f;
    const float sa = std::sin(a * k), ca = std::cos(a * k);
    const float sb = std::sin(b * k), cb = std::cos(b * k);
    const float sc = std::sin(c * k), cc = std::cos(c * k);
    m[0] = cc * cb;
    m[1] = -sc * cb;
    m[2] = -sb;
    m[3] = sc * ca - sb * sa * cc;
    m[4] = sb * sa * sc + cc * ca;
    m[5] = -cb * sa;
    m[6] = sb * ca * cc + sc * sa;
    m[7] = cc * sa - sb * ca * sc;
    m[8] = cb * ca;
}
