// The model as start-up leaves it, for New Fractal outside the program:
// slot tables, seeded random states, the baseshape samplers, the default
// triangle of three transformations, the presets installed, no render
// buffers beyond a small image size.
#pragma once

#include <cstdint>

void SetUpRandomFractalModel(uint32_t seed);

// A script of four tforms, each halving towards a corner of a tetrahedron,
// as the script type's program (weights 1/4).
void LoadTetrahedronScript();
