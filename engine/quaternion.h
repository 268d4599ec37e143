// Quaternions as four floats, scalar first: (w, x, y, z).
#pragma once

inline float* SetQuaternion(float* out, float w, float x, float y, float z)
{
    out[0] = w;
    out[1] = x;
    out[2] = y;
    out[3] = z;
    return out;
}

// Hamilton product a b; out may alias a or b.
inline float* MultiplyQuaternions(float* out, const float* a, const float* b)
{
    const float w = a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3];
    const float x = a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2];
    const float y = a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1];
    const float z = a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0];
    return SetQuaternion(out, w, x, y, z);
}

// Principal square root of q.
float* QuaternionSquareRoot(float* out, const float* q);

// The entries of the quaternion Moebius map built from q and e:
// A = 2 q, B = (0.5 - 2 |q|^2, 0, 0, 0), C = 2 e, D = (-2 q.w, 2 q.x, 2 q.y, 2 q.z).
void MakeQuaternionMobiusEntries(const float* q, const float* e, float* a, float* b, float* c, float* d);
