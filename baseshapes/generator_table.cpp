#include "baseshapes/generator_table.h"

#include <cmath>

#include "engine/random.h"

BaseshapeSampler gBaseshapeGenerators[2][kBaseshapeTableSize];
uint8_t gBaseshapeHasFilled[kBaseshapeTableSize];
uint8_t gBaseshapeTextureOk[kBaseshapeTableSize];

namespace {

// Stand-in for kinds whose samplers are not built yet: a point on the sphere
// of radius size.
void SampleStandInSphere(BaseshapePoint* point, uint8_t slot)
{
    RndField& rnd = gBaseshapeRandom[slot];
    const float z = rnd.RandomSignedFloat();
    const float a = rnd.RandomFloat() * 6.2831853f;
    const float r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
    point->x = r * std::cos(a) * point->size;
    point->y = z * point->size;
    point->z = r * std::sin(a) * point->size;
}

}  // namespace

void BuildBaseshapeGeneratorTables()
{
    for (int k = 0; k < kBaseshapeTableSize; ++k) {
        gBaseshapeGenerators[0][k] = SampleStandInSphere;
        gBaseshapeGenerators[1][k] = SampleStandInSphere;
        gBaseshapeHasFilled[k] = 0;
        gBaseshapeTextureOk[k] = 1;
    }
    for (auto& c : gSlotTexelColor) c[0] = c[1] = c[2] = 0;
}

BaseshapePoint ApplyBaseshapeModifier(BaseshapePoint point, int32_t, uint8_t) { return point; }
BaseshapePoint ApplyBaseshapeArray(BaseshapePoint point, int32_t, uint8_t) { return point; }
