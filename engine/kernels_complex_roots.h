// Julia-type kernels that take complex square roots in the x-z plane:
// "Julia Set IV" (25), "Julia Set V" (26), "Julia Set VI" (27), "Spiky
// Julia 3D" (30), "Spiky Julia 2.5D" (31), "Square Castle" (38),
// "Quaternion Julia 2" (39) and "Julia Sphere" (41).
#pragma once

#include <cstdint>

void RunFractalType25(uint8_t slot);
void RunFractalType26(uint8_t slot);
void RunFractalType27(uint8_t slot);
void RunFractalType30(uint8_t slot);
void RunFractalType31(uint8_t slot);
void RunFractalType38(uint8_t slot);
void RunFractalType39(uint8_t slot);
void RunFractalType41(uint8_t slot);
