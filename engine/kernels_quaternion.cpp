#include "engine/kernels_quaternion.h"

#include <cmath>

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

namespace {

// Types 5 and 6: one branch of the square root of q = (x, y, z, w) - c, with
// c = (tx, tz) of transformations 0 and 1; the conditional type adds the
// last three components of c back when x is not beyond c0. The root is the
// principal one with a zero vector part on the real axis, negated for every
// transformation but 0.
template <bool Conditional>
inline void QuaternionJuliaStep(int32_t t, float& x, float& y, float& z, float& w)
{
    const TransformCoefficients& c = gTransformCoefficients;
    const double q0 = static_cast<double>(x) - c.tx[0];
    double q1, q2, q3;
    if (!Conditional || q0 > 0.0) {
        q1 = static_cast<double>(y) - c.tz[0], q2 = static_cast<double>(z) - c.tx[1],
        q3 = static_cast<double>(w) - c.tz[1];
    } else {
        q1 = static_cast<double>(y) + c.tz[0], q2 = static_cast<double>(z) + c.tx[1],
        q3 = static_cast<double>(w) + c.tz[1];
    }
    const double v = std::sqrt(q1 * q1 + q2 * q2 + q3 * q3);
    const double r = std::sqrt(q0 * q0 + v * v);
    const double real = std::sqrt(0.5 * (q0 + r));
    const double factor = v > 0.0 ? std::sqrt(0.5 * (r - q0)) / v : 0.0;
    const double sign = t != 0 ? -1.0 : 1.0;
    x = static_cast<float>(sign * real);
    y = static_cast<float>(sign * factor * q1);
    z = static_cast<float>(sign * factor * q2);
    w = static_cast<float>(sign * factor * q3);
}

template <bool Conditional>
inline void RunQuaternionJulia(uint8_t slot)
{
    // Seeds do not reset the fourth component; only a non-finite one restarts.
    float w = gSlotQuaternionW[slot];
    if (!std::isfinite(w)) w = 0.0f;
    RunChaosGameKernel<kFromLastBatchPoint>(slot, [&w](uint8_t, int32_t t, float& x, float& y, float& z) {
        QuaternionJuliaStep<Conditional>(t, x, y, z, w);
    });
    gSlotQuaternionW[slot] = w;
}

}  // namespace

void RunFractalType05(uint8_t slot) { RunQuaternionJulia<true>(slot); }

void RunFractalType06(uint8_t slot) { RunQuaternionJulia<false>(slot); }

void RunFractalType11(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const Vec3f s = QuaternionRootTerm({x, y, z});
        ApplyAffineTransform(t, x, y, z);
        x += s.x;
        y += s.y;
        z += s.z;
    });
}
