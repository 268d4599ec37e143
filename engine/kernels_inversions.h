// Kernels of sphere inversions and Moebius maps: "Hyperbolic Tessellations
// II" (37), "Rings" (40), "Trilobites" (43) and "Quaternionic Kleinian" (45).
#pragma once

#include <cstdint>

void RunFractalType37(uint8_t slot);
void RunFractalType40(uint8_t slot);
void RunFractalType43(uint8_t slot);
void RunFractalType45(uint8_t slot);
