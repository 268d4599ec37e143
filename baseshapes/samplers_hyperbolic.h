// Surfaces built from hyperbolic functions: "Spire", "Double Spiral" and
// "Wind Spinner". None has a filled twin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSpire(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeDoubleSpiral(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeWindSpinner(BaseshapePoint* point, uint8_t slot);
