// A bar of square section bent into a wave along x: "Sine Wave" and
// "Triangular Wave", surface and filled.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

void SampleBaseshapeSineWave(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeSineWaveFilled(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriangularWave(BaseshapePoint* point, uint8_t slot);
void SampleBaseshapeTriangularWaveFilled(BaseshapePoint* point, uint8_t slot);
