#include "render_test_support.h"

#include <cstring>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

std::atomic<int64_t> gKernelCalls[kMaxRenderSlots];

void SetUpSierpinskiTetrahedron()
{
    static const float corners[4][3] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    InitGlobalState();
    SeedStartupRandomStates(2024u, nullptr);
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
    SetColoringMode(8);
    gFractalType = 0;
    SelectFractalTypeKernel();
    gSymmetryOn.store(0);
    gSymmetryMode.store(kSymmetryModeNormal);
    gMirrorCopy = 0;
}

void SetUpPlainView(int32_t size, float scale)
{
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(gCameraMatrix, identity, sizeof(identity));
    std::memcpy(gLightViewMatrix, identity, sizeof(identity));
    gViewCentre[0] = gViewCentre[1] = gViewCentre[2] = 0.0f;
    gViewScale = scale;
    gImageScale = static_cast<float>(size) / 2.0f;
    gImageOffsetX = gImageOffsetY = static_cast<float>(size) / 2.0f;
    gShadowScale = static_cast<float>(size) / 2.0f;
    gShadowOffsetX = gShadowOffsetY = static_cast<float>(size) / 2.0f;
    gPerspectiveFocal = 1.0f;
    gPerspectiveEye = 3.0f;
    gPerspectiveOn = 0;
}

void CountingKernel(uint8_t slot)
{
    RunFractalType00(slot);
    gKernelCalls[slot].fetch_add(1);
}

void ResetKernelCalls()
{
    for (auto& c : gKernelCalls) c.store(0);
}

int64_t TotalKernelCalls()
{
    int64_t total = 0;
    for (auto& c : gKernelCalls) total += c.load();
    return total;
}
