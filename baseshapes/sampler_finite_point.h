// The last step of the samplers whose formulas have poles or overflow at
// some parameters (a zero divisor, a log of zero, a huge power): the point
// is written only when all three coordinates are finite, else the origin.
#pragma once

#include <cmath>

#include "engine/baseshape_model.h"

inline void StoreFinitePoint(BaseshapePoint* point, float x, float y, float z)
{
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(z))) x = y = z = 0.0f;
    point->x = x;
    point->y = y;
    point->z = z;
}
