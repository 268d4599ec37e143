// Rhumb lines: the loxodrome of a sphere from its conformal map, four-strand
// loxodromes and bands on a sphere and on a hyperboloid of one sheet.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// One sampler each for both tables: none has a filled form.
void SampleBaseshapeLoxodromeI(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLoxodromeII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeLoxodromeIII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeHyperLoxodromeI(BaseshapePoint* point, uint8_t slot);
