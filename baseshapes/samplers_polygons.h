// The polygon, crown and lotus family and the other kinds whose section is
// a regular polygon (blade, twisted pyramid, polygonal ring, star), with the
// polygon radius they share.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/baseshape_model.h"

// Upper bound of a side count read from a parameter; far above any shape a
// user can tell apart, and keeps the sector angle a normal float.
inline constexpr int kMaxPolygonSides = 1 << 20;

// Distance from the centre to the boundary of a regular polygon of
// circumradius 1 with a vertex at angle 0, along the given angle:
// cos(pi/P) / cos(angle mod 2pi/P - pi/P). The angle is reduced into
// [0, 2pi/P) also when negative, so the divisor never falls below cos(pi/P);
// a non-finite angle gives 1. sides must be at least 3.
inline float PolygonRadius(int sides, float angle)
{
    const float halfSector = 3.1415927f / static_cast<float>(sides);
    const float sector = 2.0f * halfSector;
    float a = std::fmod(angle, sector);
    if (a < 0.0f) a += sector;
    const float c = std::cos(a - halfSector);
    return c > 0.0f ? std::cos(halfSector) / c : 1.0f;
}

void SampleBaseshapePolygon(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeCrown(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLotus(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLotusFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBlade(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeBladeFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTwistedPyramid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTwistedPyramidFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolRing(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePolRingFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStar(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeStarFilled(BaseshapePoint* point, uint8_t slot);
