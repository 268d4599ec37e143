// Spiral shells: a ribbed tube section swept along a spiral of exponential
// growth, round ("Shell II") or squared off ("SQ Shell II").
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeShellII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeShellIIFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSQShellII(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSQShellIIFilled(BaseshapePoint* point, uint8_t slot);
