// Shared set-up of the render tests: a Sierpinski tetrahedron as fractal
// type 0 without baseshapes, and a kernel that counts its calls per slot.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/constants.h"

// Model, slot tables, seeds, the four maps p' = (p + v) / 2 towards the
// corners (1, 1, 1), (-1, -1, 1), (-1, 1, -1), (1, -1, -1), equal weights,
// indexed colouring and the type-0 kernel installed. Symmetry off.
void SetUpSierpinskiTetrahedron();

// Identity camera and light, centre 0, scale s, a size x size image whose
// pixel is (x, y) x size / 2 + size / 2.
void SetUpPlainView(int32_t size, float scale);

// Both of the above with a size x size image's buffers; false when the
// buffers could not be had.
bool SetUpSierpinskiRender(int32_t size, float scale);

// Kernel calls per slot of CountingKernel, which runs the type-0 kernel.
extern std::atomic<int64_t> gKernelCalls[kMaxRenderSlots];
void CountingKernel(uint8_t slot);
void ResetKernelCalls();
int64_t TotalKernelCalls();
