#include "baseshapes/support/sampler_fixture.h"

#include <cstdlib>

BaseshapePoint MakeTestPoint(float size, float p1)
{
    BaseshapePoint p{};
    p.red = 10;
    p.green = 20;
    p.blue = 30;
    p.size = size;
    p.p[0] = p1;
    return p;
}

void ResetTestSlot(uint8_t slot, uint32_t seed)
{
    gSlotColorMode[slot] = 0;
    gSlotBaseshape[slot] = 0;
    gSlotTexelColor[slot][0] = gSlotTexelColor[slot][1] = gSlotTexelColor[slot][2] = 0;
    gBaseshapeRandom[slot].Seed(seed);
}

RandomState StateYielding(uint32_t a, uint32_t b)
{
    // Words w0 = w1 = w3 = 0; the first step gives 1492 z + c, the second
    // 5115 a + 2111111111 z + carry. 2111111111 is odd, so z is found for
    // each possible carry of the first step.
    uint32_t inverse = 1;  // inverse of 2111111111 modulo 2^32 by Newton steps
    for (int i = 0; i < 5; ++i) inverse *= 2u - 2111111111u * inverse;
    for (uint64_t carry = 0; carry < 1492; ++carry) {
        const uint32_t z = inverse * (b - 5115u * a - static_cast<uint32_t>(carry));
        const uint32_t c = a - 1492u * z;
        const uint64_t t = 1492ull * z + c;
        if ((t >> 32) != carry) continue;
        return RandomState{{0, 0, z, 0}, c};
    }
    std::abort();
}
