#include "baseshapes/samplers_stair.h"

#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_rounded_block.h"

namespace {

// Block offsets (dy, dz) in units of the block's half-size.
constexpr float kStairSteps[12][2] = {
    {1, 1}, {1, -1}, {-1, -1}, {3, 1}, {-1, -3}, {-3, -3}, {3, 3}, {-3, -5}, {5, 3}, {5, 5}, {-5, -5}, {7, 5},
};

void Stair(BaseshapePoint* point, uint8_t slot, float core)
{
    RandomState& rs = SamplerRandom(slot);
    float b[3];
    RoundedBlockPoint<RoundedBlockForm::kStair>(rs, core, b);
    // Two boxes side by side, each 4 long, meeting at x = 0.
    b[0] = RandomStep(rs) > 0x80000000u ? 2.0f * b[0] + 2.0f : 2.0f * b[0] - 2.0f;
    const float* step = kStairSteps[RandomStep(rs) % 12u];
    const float k = 0.14285715f * point->size;
    point->x = b[0] * k;
    point->y = (b[1] + step[0]) * k;
    point->z = (b[2] + step[1]) * k;
}

}  // namespace

void SampleBaseshapeStair(BaseshapePoint* point, uint8_t slot) { Stair(point, slot, 0.85f); }

// The rounded parts close in on the block's core; faces stay in place.
void SampleBaseshapeStairFilled(BaseshapePoint* point, uint8_t slot)
{
    const float w = RandomUniform(SamplerRandom(slot));
    const float w4 = w * w * w * w;
    Stair(point, slot, 0.85f - 0.85f * w4);
}
