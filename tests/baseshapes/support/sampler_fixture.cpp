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
    // Words w0 = w3 = 0, w1 = y, w2 = z: the first step gives
    // 1776 y + 1492 z + c, the second 5115 a + 1492 y + 2111111111 z + carry.
    // 2111111111 is odd, so z follows from y and a guessed carry; c then
    // fixes the first word, and the guess must match the carry it makes.
    uint32_t inverse = 1;  // of 2111111111 modulo 2^32, by Newton steps
    for (int i = 0; i < 5; ++i) inverse *= 2u - 2111111111u * inverse;
    for (uint32_t y = 0; y < 4096; ++y) {
        for (uint32_t carry = 0; carry < 3269; ++carry) {
            const uint32_t z = inverse * (b - 5115u * a - 1492u * y - carry);
            const uint32_t c = a - 1776u * y - 1492u * z;
            const uint64_t t = 1776ull * y + 1492ull * z + c;
            if ((t >> 32) == carry) return RandomState{{0, y, z, 0}, c};
        }
    }
    std::abort();
}
