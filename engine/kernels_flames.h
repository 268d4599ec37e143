// Chaos-game kernels of the inverse tree, the flame types and the attractor
// types: 1 "3D Inverse Tree", 4 "PopCorn City", 15 "2.7D IFS",
// 18 "Gumowski-Mira Attractor" and 23 "Fractal Flames 2".
#pragma once

#include <cstdint>

void RunFractalType01(uint8_t slot);
void RunFractalType04(uint8_t slot);
void RunFractalType15(uint8_t slot);
void RunFractalType18(uint8_t slot);
void RunFractalType23(uint8_t slot);
