// Chaos-game kernels of the complex-plane types, in the x-z plane with the
// height on y: 7 "2.5D IFS", 8 "Julia Set Z^2+C", 9 "Julia Set
// (Z^2+C)/(Z^2+C1)", 10 "Julia Set Z^3+C vs. IFS", 13 "Sp. Julia Set
// Z^2+C", 14 "Sp. Julia Set (Z^2+C)/(Z^2+C1)", 16 "Julia Set II" and
// 17 "Julia Set III".
#pragma once

#include <cstdint>

void RunFractalType07(uint8_t slot);
void RunFractalType08(uint8_t slot);
void RunFractalType09(uint8_t slot);
void RunFractalType10(uint8_t slot);
void RunFractalType13(uint8_t slot);
void RunFractalType14(uint8_t slot);
void RunFractalType16(uint8_t slot);
void RunFractalType17(uint8_t slot);
