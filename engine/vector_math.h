// Three-component vectors (three floats x, y, z) and 3 by 3 matrices (nine
// floats, row-major: element (r, c) at 3 r + c). Every function writes its
// result through the first argument and returns it, so calls nest.
#pragma once

#include <cmath>

inline float* Vec3Pack(float* out, float x, float y, float z)
{
    out[0] = x;
    out[1] = y;
    out[2] = z;
    return out;
}

inline float* Vec3Fill(float* out, float s) { return Vec3Pack(out, s, s, s); }

inline float* Vec3Add(float* out, const float* a, const float* b)
{
    return Vec3Pack(out, a[0] + b[0], a[1] + b[1], a[2] + b[2]);
}

inline float* Vec3Scale(float* out, const float* a, float s)
{
    return Vec3Pack(out, a[0] * s, a[1] * s, a[2] * s);
}

inline float* Vec3Negate(float* out, const float* a) { return Vec3Pack(out, -a[0], -a[1], -a[2]); }

// low when a <= low, else min(a, high).
inline float ClampF(float a, float low, float high)
{
    if (a <= low) return low;
    return a < high ? a : high;
}

inline float* Vec3Clamp01(float* out, const float* a)
{
    return Vec3Pack(out, ClampF(a[0], 0.0f, 1.0f), ClampF(a[1], 0.0f, 1.0f), ClampF(a[2], 0.0f, 1.0f));
}

inline float* Vec3Lerp(float* out, const float* a, const float* b, float t)
{
    t = ClampF(t, 0.0f, 1.0f);
    const float s = 1.0f - t;
    return Vec3Pack(out, s * a[0] + t * b[0], s * a[1] + t * b[1], s * a[2] + t * b[2]);
}

inline float Vec3DotP(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The single-precision dot product, widened for callers that accumulate in double.
inline double Vec3Dot(const float* a, const float* b) { return static_cast<double>(Vec3DotP(a, b)); }

inline float Vec3Length(const float* a) { return std::sqrt(Vec3DotP(a, a)); }

inline float Vec3DistanceSquared(const float* a, const float* b)
{
    const float dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
    return dx * dx + dy * dy + dz * dz;
}

inline float Vec3Distance(const float* a, const float* b) { return std::sqrt(Vec3DistanceSquared(a, b)); }
inline float Vec3DistanceB(const float* a, const float* b) { return Vec3Distance(a, b); }

// (0, 0, 0) when the length is not above 0.
inline float* Vec3Normalize(float* out, const float* a)
{
    const float len = Vec3Length(a);
    if (!(len > 0.0f)) return Vec3Fill(out, 0.0f);
    return Vec3Pack(out, a[0] / len, a[1] / len, a[2] / len);
}

inline float* Vec3Cross(float* out, const float* a, const float* b)
{
    return Vec3Pack(out, a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}

// v cos t + (v x k) sin t + k (k . v)(1 - cos t); the axis k is used as given.
inline float* RotateAroundAxis(float* out, const float* v, const float* k, float t)
{
    const float c = std::cos(t), s = std::sin(t);
    const float kv = Vec3DotP(k, v) * (1.0f - c);
    float vk[3];
    Vec3Cross(vk, v, k);
    return Vec3Pack(out, v[0] * c + vk[0] * s + k[0] * kv, v[1] * c + vk[1] * s + k[1] * kv,
                    v[2] * c + vk[2] * s + k[2] * kv);
}

// Unit normal of (p1 - p2) x (p2 - p3); left unnormalised when its length is 0.
float* TriangleNormal(float* out, const float* p1, const float* p2, const float* p3);
// (h0 - h1, h1 - h2, 1), normalised.
float* HeightNormal(float* out, const float* h);
// out[0..2] = unit axis (b x a), out[3] = |a - b|; all zero when a equals b.
float* AxisAngleBetween(float* out, const float* a, const float* b);

// M with M v = RotateAroundAxis(v, k, t).
void AxisAngleMatrix(const float* k, float t, float* m);
// c = a b.
void MultiplyMatrix3(const float* a, const float* b, float* c);
// The affine map p -> m p + t as a 4 by 4 matrix in column order (the GL order).
void AffineToColumnMajor(const float* m, const float* t, float* gl);
// Gram-Schmidt on the columns, in place.
void OrthonormalizeMatrix3(float* m);
// Rotation from three angles in degrees.
void RotationMatrixFromEuler(float a, float b, float c, float* m);
