#include "engine/kernels_quaternion.h"

#include "engine/kernel_skeleton.h"
#include "engine/point_maps.h"

void RunFractalType11(uint8_t slot)
{
    RestartNonFiniteSlotPoint(slot);
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) {
        const Vec3f s = QuaternionRootTerm({x, y, z});
        ApplyAffineTransform(t, x, y, z);
        x += s.x;
        y += s.y;
        z += s.z;
    });
}
