// The Sierpinski tetrahedron the render tests and benchmarks draw: fractal
// type 0 with the four maps p' = (p + v) / 2 towards the corners
// (1, 1, 1), (-1, -1, 1), (-1, 1, -1), (1, -1, -1), equal weights, no
// baseshapes, indexed colouring. Header only, so that the benchmarks can
// use it without the test framework.
#pragma once

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"

inline constexpr int32_t kSierpinskiIndexedColoring = 8;

// Installs the maps, the pick table and the type-0 kernel into the model.
inline void InstallSierpinskiTetrahedron()
{
    static const float corners[4][3] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    TransformCoefficients& c = gTransformCoefficients;
    for (int t = 0; t < 4; ++t) {
        c.m00[t] = c.m11[t] = c.m22[t] = 0.5f;
        c.m01[t] = c.m02[t] = c.m10[t] = c.m12[t] = c.m20[t] = c.m21[t] = 0.0f;
        c.tx[t] = 0.5f * corners[t][0];
        c.ty[t] = 0.5f * corners[t][1];
        c.tz[t] = 0.5f * corners[t][2];
        gTransformWeights[t] = 0.25f;
    }
    gTransformCount = 4;
    gPickTransformCount = 4;
    BuildTransformPickTable();
    gUseBaseshapes = 0;
    gBaseshapeCount = 0;
    SetColoringMode(kSierpinskiIndexedColoring);
    gFractalType = 0;
    SelectFractalTypeKernel();
}
