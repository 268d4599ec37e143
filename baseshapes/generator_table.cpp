#include "baseshapes/generator_table.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "baseshapes/kind_table.h"
#include "baseshapes/sampler_affine.h"
#include "baseshapes/sampler_contract.h"

uint8_t gBaseshapeHasFilled[kBaseshapeTableSize];
uint8_t gBaseshapeTextureOk[kBaseshapeTableSize];
SlotDeviceWalk gSlotDeviceWalk;

void BuildBaseshapeGeneratorTables()
{
    std::memset(gSlotTexelColor, 0, sizeof gSlotTexelColor);
    std::memset(&gSlotDeviceWalk, 0, sizeof gSlotDeviceWalk);
    std::memset(gBaseshapeHasFilled, 0, sizeof gBaseshapeHasFilled);
    std::memset(gBaseshapeTextureOk, 1, sizeof gBaseshapeTextureOk);
    gBaseshapeModifierMap = ApplyBaseshapeModifier;
    gBaseshapeArrayMap = ApplyBaseshapeArray;
    for (int table = 0; table < 2; ++table) {
        for (int k = 0; k < kBaseshapeKinds; ++k) {
            gBaseshapeGenerators[table][k] = gBaseshapeKindTable[k].surface;
            if (!(gBaseshapeKindTable[k].flags & kKindTexture)) gBaseshapeTextureOk[k] = 0;
        }
        for (int k = kBaseshapeKinds; k < kBaseshapeTableSize; ++k) {
            gBaseshapeGenerators[table][k] = SampleBaseshapeAffineTransformation;
        }
    }
    for (int k = 0; k < kBaseshapeKinds; ++k) {
        if (!(gBaseshapeKindTable[k].flags & kKindHasFilled)) continue;
        gBaseshapeGenerators[1][k] = gBaseshapeKindTable[k].filled;
        gBaseshapeHasFilled[k] = 1;
    }
}

void SeedBaseshapeRandomAndBuildTables()
{
    for (RndField& f : gBaseshapeRandom) f.Seed(static_cast<uint32_t>(std::rand()));
    BuildBaseshapeGeneratorTables();
}
