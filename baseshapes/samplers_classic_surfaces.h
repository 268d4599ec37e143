// Classical parametric surfaces, each evaluated once over its parameter
// rectangle from two draws (no area weighting, so points crowd where the
// parametrisation is compressed).
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeCatenoid(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeEnnepersSurface(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDinisSurface(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePseudosphere(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapePseudosphereFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphericalHarmonics(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSphericalHarmonicsFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeNylandersRose(BaseshapePoint* point, uint8_t slot);

// b^e, or 0 where that is not a finite number (a negative base to a
// non-whole power, zero to a negative power, overflow): the term drops out
// instead of poisoning the point.
float FinitePower(float base, float exponent);
