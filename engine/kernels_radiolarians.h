// The radiolarian kernels, types 32 to 36: each point moves towards a vertex
// of a polyhedron picked by the slot hash, filtered by its angle to it.
#pragma once

#include <cstdint>

struct KernelVertex {
    float x, y, z;
};

extern const KernelVertex gKernelTetrahedronVertices[4];
extern const KernelVertex gKernelOctahedronVertices[6];
extern const KernelVertex gKernelCubeVertices[8];
extern const KernelVertex gKernelDodecahedronVertices[20];
extern const KernelVertex gKernelIcosahedronVertices[12];

void RunFractalType32(uint8_t slot);
void RunFractalType33(uint8_t slot);
void RunFractalType34(uint8_t slot);
void RunFractalType35(uint8_t slot);
void RunFractalType36(uint8_t slot);
