#include "baseshapes/sampler_affine.h"

#include <cmath>

// The incoming x, y, z are the slot's last seed position times size; a
// non-zero parameter 1 warps them by a sine. Draws nothing, writes no colour.
void SampleBaseshapeAffineTransformation(BaseshapePoint* point, uint8_t)
{
    const float a = point->p[0];
    if (a == 0.0f) return;
    point->x += std::sin(point->x) * a;
    point->y += std::sin(point->y) * a;
    point->z += std::sin(point->z) * a;
}
