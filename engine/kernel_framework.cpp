#include "engine/kernel_framework.h"

#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/kernels_affine_variants.h"
#include "engine/kernels_complex_roots.h"
#include "engine/kernels_flames.h"
#include "engine/kernels_generator_chains.h"
#include "engine/kernels_inversions.h"
#include "engine/kernels_julia.h"
#include "engine/kernels_kleinian.h"
#include "engine/kernels_quaternion.h"
#include "engine/kernels_radiolarians.h"
#include "engine/script_kernel.h"

std::atomic<FractalKernel> gFractalTypeKernel{RunFractalType00};
int32_t gEscapeFunction = 0;
int32_t gEscapeIterationLimit = 200;

const uint8_t gPlanarFractalTypes[kFractalTypeCount] = {
    0, 0, 0, 0, 0, 0, 0, 1, 1, 1,  // 0..9
    0, 0, 0, 1, 1, 0, 1, 1, 0, 0,  // 10..19
    0, 0, 0, 0, 0, 1, 0, 0, 0, 0,  // 20..29
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0,  // 30..39
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 40..49
};

namespace {

inline constexpr int32_t kEscapeFunctionScales = 5;

}  // namespace

const FractalTypeRow kFractalTypes[kFractalTypeCount] = {
    {0, "IFS", RunFractalType00, nullptr},
    {1, "3D Inverse Tree", RunFractalType01, nullptr},
    {2, "Fractal Flames", RunFractalType02, nullptr},
    {3, "Kleinian sets", RunFractalType03, nullptr},
    {4, "PopCorn City", RunFractalType04, nullptr},
    {5, "Conditional Quaternion Julia", RunFractalType05, nullptr},
    {6, "Quaternion Julia", RunFractalType06, nullptr},
    {7, "2.5D IFS", RunFractalType07, nullptr},
    {8, "Julia Set Z^2+C", RunFractalType08, nullptr},
    {9, "Julia Set (Z^2+C)/(Z^2+C1)", RunFractalType09, nullptr},
    {10, "Julia Set Z^3+C vs. IFS", RunFractalType10, nullptr},
    {11, "Quaternion IFS", RunFractalType11, nullptr},
    {12, "Apollonian Set", RunFractalType12, nullptr},
    {13, "Sp. Julia Set Z^2+C", RunFractalType13, nullptr},
    {14, "Sp. Julia Set (Z^2+C)/(Z^2+C1)", RunFractalType14, nullptr},
    {15, "2.7D IFS", RunFractalType15, nullptr},
    {16, "Julia Set II", RunFractalType16, nullptr},
    {17, "Julia Set III", RunFractalType17, nullptr},
    {18, "Gumowski-Mira Attractor", RunFractalType18, nullptr},
    {19, "Spherical Kleinians", RunFractalType19, nullptr},
    {20, "3D Kleinians", RunFractalType20, nullptr},
    {21, "Hyperbolic Tessellations", RunFractalType21, nullptr},
    {22, "Talvoran Script", RunFractalType22, nullptr},
    {23, "Fractal Flames 2", RunFractalType23, nullptr},
    {24, "IFS Reflection", RunFractalType24, nullptr},
    {25, "Julia Set IV", RunFractalType25, nullptr},
    {26, "Julia Set V", RunFractalType26, nullptr},
    {27, "Julia Set VI", RunFractalType27, nullptr},
    {28, "Scroll", RunFractalType28, nullptr},
    {29, "Double Scroll", RunFractalType29, nullptr},
    {30, "Spiky Julia 3D", RunFractalType30, nullptr},
    {31, "Spiky Julia 2.5D", RunFractalType31, nullptr},
    {32, "Tetrahedral Radiolarian", RunFractalType32, nullptr},
    {33, "Octahedral Radiolarian", RunFractalType33, nullptr},
    {34, "Hexahedral Radiolarian", RunFractalType34, nullptr},
    {35, "Dodecahedral Radiolarian", RunFractalType35, nullptr},
    {36, "Icosahedral Radiolarian", RunFractalType36, nullptr},
    {37, "Hyperbolic Tessellations II", RunFractalType37, nullptr},
    {38, "Square Castle", RunFractalType38, nullptr},
    {39, "Quaternion Julia 2", RunFractalType39, nullptr},
    {40, "Rings", RunFractalType40, nullptr},
    {41, "Julia Sphere", RunFractalType41, nullptr},
    {42, "IFS Reflection II ", RunFractalType42, nullptr},
    {43, "Trilobites", RunFractalType43, nullptr},
    {44, "Stars and Hedras", RunFractalType44, nullptr},
    {45, "Quaternionic Kleinian", RunFractalType45, nullptr},
    {46, "Stochastic Mandelbrot Set", RunFractalType46, RunFractalType46Alt},
    {47, "Towers", RunFractalType47, nullptr},
    {48, "Blocks", RunFractalType48, nullptr},
    {49, "Stochastic Mandelbrot Set II", RunFractalType49, RunFractalType49Alt},
};

FractalKernel FractalTypeKernelFor(int32_t type, int32_t escapeFunction)
{
    if (type < 0 || type >= kFractalTypeCount) return nullptr;
    const FractalTypeRow& row = kFractalTypes[type];
    return (row.altKernel && escapeFunction == kEscapeFunctionScales) ? row.altKernel : row.kernel;
}

void SelectFractalTypeKernel()
{
    const FractalKernel kernel = FractalTypeKernelFor(gFractalType, gEscapeFunction);
    if (kernel) gFractalTypeKernel.store(kernel, std::memory_order_relaxed);
}

bool SetFractalType(int32_t type)
{
    if (type < 0 || type >= kFractalTypeCount) return false;
    gFractalType = type;
    SelectFractalTypeKernel();
    return true;
}
