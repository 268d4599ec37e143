// Fractal type 0, "IFS": the plain affine chaos game.
#pragma once

#include <cstdint>

void RunFractalType00(uint8_t slot);
