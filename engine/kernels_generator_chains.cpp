#include "engine/kernels_generator_chains.h"

#include "engine/generator_block_maps.h"
#include "engine/generator_groups.h"
#include "engine/kernel_skeleton.h"

void RunFractalType48(uint8_t slot)
{
    // The output half of the work point outlives the points of the call: a
    // group without blocks stores the last block output of the call again
    // (zeros before the first).
    float output[3] = {0.0f, 0.0f, 0.0f};
    constexpr KernelOptions kOptions{.runAwayReset = true, .storesWorkPoint = true};
    RunChaosGameKernel<kOptions>(
        slot, [&output](uint8_t, int32_t t, float& x, float& y, float& z, float& sx, float& sy, float& sz) {
            const GeneratorGroup* const groups = gGeneratorGroups;
            if (!groups || t >= gGeneratorGroupCount) {
                // No chain for this transformation: the point stays and is stored.
                sx = x;
                sy = y;
                sz = z;
                return;
            }
            const GeneratorGroup& g = groups[t];
            float work[6] = {x, y, z, output[0], output[1], output[2]};
            generator_detail::RunBlockChain(g.blockTypes, g.parameters, g.blockCount, work);
            x = work[0];
            y = work[1];
            z = work[2];
            sx = output[0] = work[3];
            sy = output[1] = work[4];
            sz = output[2] = work[5];
        });
}
