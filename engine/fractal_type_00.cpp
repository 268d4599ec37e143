#include "engine/fractal_type_00.h"

#include "engine/kernel_skeleton.h"

void RunFractalType00(uint8_t slot)
{
    RunChaosGameKernel(slot, [](uint8_t, int32_t t, float& x, float& y, float& z) { ApplyAffineTransform(t, x, y, z); });
}
