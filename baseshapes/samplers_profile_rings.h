// Closed profiles swept around the y axis (a bicorn along a triangle,
// nested hexagonal and circular tubes) and the two piecewise shapes, the
// chain link and the crown of horns. None has a filled twin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeTriangularBicorn(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHexagons193(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeRings(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeChainSlab(BaseshapePoint* point, uint8_t slot);
// Draws three words, then either the Torus II sampler's own or one more;
// never colours the point.
void SampleBaseshapeHornedCrown(BaseshapePoint* point, uint8_t slot);
