#include "render_test_support.h"

#include "engine/constants.h"
#include "engine/fractal_model.h"

void SetSlotBatchBounds()
{
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        gSlotBatchStart[s] = static_cast<uint16_t>(kSlotBatchSize * s);
        gSlotBatchLast[s] = static_cast<uint16_t>(kSlotBatchSize * s + kSlotBatchSize - 1);
        gSlotBatchEnd[s] = static_cast<uint16_t>(kSlotBatchSize * s + kSlotBatchSize);
    }
}
