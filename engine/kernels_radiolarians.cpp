#include "engine/kernels_radiolarians.h"

#include <cmath>

#include "engine/kernel_skeleton.h"

const KernelVertex gKernelTetrahedronVertices[4] = {
    {0, 1, 0}, {0.943f, -0.333f, 0}, {-0.471f, -0.333f, 0.816f}, {-0.471f, -0.333f, -0.816f}};

const KernelVertex gKernelOctahedronVertices[6] = {{0, 1, 0},  {1, 0, 0},  {0, 0, 1},
                                                   {-1, 0, 0}, {0, 0, -1}, {0, -1, 0}};

const KernelVertex gKernelCubeVertices[8] = {
    {0.816f, 0.577f, 0},  {0, 0.577f, 0.816f},  {-0.816f, 0.577f, 0},  {0, 0.577f, -0.816f},
    {0.816f, -0.577f, 0}, {0, -0.577f, 0.816f}, {-0.816f, -0.577f, 0}, {0, -0.577f, -0.816f}};

const KernelVertex gKernelDodecahedronVertices[20] = {
    {0.607f, 0.795f, 0},         {0.188f, 0.795f, 0.577f},    {-0.491f, 0.795f, 0.357f},
    {-0.491f, 0.795f, -0.357f},  {0.188f, 0.795f, -0.577f},   {0.982f, 0.188f, 0},
    {0.304f, 0.188f, 0.934f},    {-0.795f, 0.188f, 0.577f},   {-0.795f, 0.188f, -0.577f},
    {0.304f, 0.188f, -0.934f},   {0.795f, -0.188f, 0.577f},   {-0.304f, -0.188f, 0.934f},
    {-0.982f, -0.188f, 0},       {-0.304f, -0.188f, -0.934f}, {0.795f, -0.188f, -0.577f},
    {0.491f, -0.795f, 0.357f},   {-0.188f, -0.795f, 0.577f},  {-0.607f, -0.795f, 0},
    {-0.188f, -0.795f, -0.577f}, {0.491f, -0.795f, -0.357f}};

const KernelVertex gKernelIcosahedronVertices[12] = {
    {0, 1, 0},           {0.894f, 0.447f, 0},       {0.276f, 0.447f, 0.851f},  {-0.724f, 0.447f, 0.526f},
    {-0.724f, 0.447f, -0.526f}, {0.276f, 0.447f, -0.851f}, {0.724f, -0.447f, 0.526f}, {-0.276f, -0.447f, 0.851f},
    {-0.894f, -0.447f, 0},      {-0.276f, -0.447f, -0.851f}, {0.724f, -0.447f, -0.526f}, {0, -1, 0}};

namespace {

// The vertex is picked by the hash alone: the transition rows and the
// previous transformation play no part, and the colouring step sees the
// vertex number.
template <int N>
void RunRadiolarian(uint8_t slot, const KernelVertex (&vertices)[N])
{
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint,
                                     .pick = TransformPick::kHashModulo,
                                     .pickModulus = N};
    RunChaosGameKernel<kOptions>(slot, [&vertices](uint8_t, int32_t i, float& x, float& y, float& z) {
        const TransformCoefficients& c = gTransformCoefficients;
        const KernelVertex& v = vertices[i];
        const float r = std::sqrt(x * x + y * y + z * z);
        const float cosine = 0.99f * (x * v.x + y * v.y + z * v.z) / r;
        // T0's x position is the filter strength.
        const float f = cosine < 1.0f ? 1.0f - c.tx[0] * std::sin(3.1415927f * std::acos(cosine)) : 1.0f;
        float qx = x, qy = y, qz = z;
        ApplyLinearTransform(0, qx, qy, qz);
        qx = f * (qx + v.x);
        qy = f * (qy + v.y);
        qz = f * (qz + v.z);
        // T0's z position is the least squared radius a point may move to.
        if (qx * qx + qy * qy + qz * qz >= c.tz[0]) {
            x = qx;
            y = qy;
            z = qz;
        }
    });
}

}  // namespace

void RunFractalType32(uint8_t slot) { RunRadiolarian(slot, gKernelTetrahedronVertices); }
void RunFractalType33(uint8_t slot) { RunRadiolarian(slot, gKernelOctahedronVertices); }
void RunFractalType34(uint8_t slot) { RunRadiolarian(slot, gKernelCubeVertices); }
void RunFractalType35(uint8_t slot) { RunRadiolarian(slot, gKernelDodecahedronVertices); }
void RunFractalType36(uint8_t slot) { RunRadiolarian(slot, gKernelIcosahedronVertices); }
