// Chaos-game kernels of Möbius maps and sphere inversions: 3 "Kleinian
// sets", 12 "Apollonian Set", 19 "Spherical Kleinians", 20 "3D Kleinians"
// and 21 "Hyperbolic Tessellations".
#pragma once

#include <cstdint>

void RunFractalType03(uint8_t slot);
void RunFractalType12(uint8_t slot);
void RunFractalType19(uint8_t slot);
void RunFractalType20(uint8_t slot);
void RunFractalType21(uint8_t slot);
