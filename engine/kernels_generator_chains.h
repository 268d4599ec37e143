// Fractal type 48, "Blocks": each transformation is the chain of generator
// blocks of its group in gGeneratorGroups.
#pragma once

#include <cstdint>

void RunFractalType48(uint8_t slot);
