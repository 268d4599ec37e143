// Chaos-game kernels on quaternions: 5 "Conditional Quaternion Julia",
// 6 "Quaternion Julia" (the fourth component lives in gSlotQuaternionW) and
// 11 "Quaternion IFS".
#pragma once

#include <cstdint>

void RunFractalType05(uint8_t slot);
void RunFractalType06(uint8_t slot);
void RunFractalType11(uint8_t slot);
