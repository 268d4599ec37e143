#include "engine/quaternion.h"

#include <cmath>

float* QuaternionSquareRoot(float* out, const float* q)
{
    const double n = std::sqrt(static_cast<double>(q[0]) * q[0] + static_cast<double>(q[1]) * q[1] +
                               static_cast<double>(q[2]) * q[2] + static_cast<double>(q[3]) * q[3]);
    if (!(n > 0.0)) return SetQuaternion(out, 0.0f, 0.0f, 0.0f, 0.0f);
    const float w = static_cast<float>(q[0] / n);
    const float x = static_cast<float>(q[1] / n);
    const float y = static_cast<float>(q[2] / n);
    const float z = static_cast<float>(q[3] / n);
    const float ow = static_cast<float>(std::sqrt((0.5 * w + 0.5) * n));
    const double v = static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z;
    // A real q has no vector part to scale: a negative one takes its root
    // on the x axis, so the result stays finite.
    if (!(v > 0.0)) {
        const float r = static_cast<float>(std::sqrt(n));
        return w >= 0.0f ? SetQuaternion(out, r, 0.0f, 0.0f, 0.0f) : SetQuaternion(out, 0.0f, r, 0.0f, 0.0f);
    }
    const float s = static_cast<float>(std::sqrt((0.5 - 0.5 * w) * n / v));
    return SetQuaternion(out, ow, x * s, y * s, z * s);
}

void MakeQuaternionMobiusEntries(const float* q, const float* e, float* a, float* b, float* c, float* d)
{
    SetQuaternion(a, 2.0f * q[0], 2.0f * q[1], 2.0f * q[2], 2.0f * q[3]);
    const float n2 = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3];
    SetQuaternion(b, 0.5f - 2.0f * n2, 0.0f, 0.0f, 0.0f);
    const float two[4] = {2.0f, 0.0f, 0.0f, 0.0f};
    MultiplyQuaternions(c, two, e);
    SetQuaternion(d, -2.0f * q[0], 2.0f * q[1], 2.0f * q[2], 2.0f * q[3]);
}
