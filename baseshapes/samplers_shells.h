// Shells grown along a logarithmic spiral: a tube whose radius grows
// exponentially as it winds, ribbed (Ammonites) or finely waved (Venus).
// Neither has a filled twin.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeAmmonites(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeVenus(BaseshapePoint* point, uint8_t slot);
