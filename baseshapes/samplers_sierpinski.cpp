#include "baseshapes/samplers_sierpinski.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

// The point arrives holding the slot's previous seed point; halving it and
// adding a corner offset converges on the pyramid with apex (0, 2 size, 0)
// and base corners (+-1.886 size, -0.666 size, +-1.886 size).
void SampleBaseshapeSierpinski(BaseshapePoint* point, uint8_t slot)
{
    const uint32_t k = RandomStep(SamplerRandom(slot)) % 5;
    // A previous point that went non-finite would stay so for good: restart
    // the walk from the origin.
    if (!(std::isfinite(point->x) && std::isfinite(point->y) && std::isfinite(point->z))) {
        point->x = point->y = point->z = 0.0f;
    }
    const float s = point->size;
    const float e = 0.943f * s;
    float cx = 0.0f, cy = s, cz = 0.0f;
    if (k != 0) {
        cx = k <= 2 ? e : -e;
        cy = -0.333f * s;
        cz = (k & 1) ? e : -e;
    }
    point->x = 0.5f * point->x + cx;
    point->y = 0.5f * point->y + cy;
    point->z = 0.5f * point->z + cz;
}
