// Kernels built on the affine step of the picked transformation: "Fractal
// Flames" (2), "IFS Reflection" (24), "Scroll" (28), "Double Scroll" (29),
// "IFS Reflection II " (42), "Stars and Hedras" (44) and "Towers" (47).
#pragma once

#include <cstdint>

void RunFractalType02(uint8_t slot);
void RunFractalType24(uint8_t slot);
void RunFractalType28(uint8_t slot);
void RunFractalType29(uint8_t slot);
void RunFractalType42(uint8_t slot);
void RunFractalType44(uint8_t slot);
void RunFractalType47(uint8_t slot);
