#include "render_test_support.h"

#include <cstring>

#include "engine/fractal_model.h"
#include "engine/fractal_type_00.h"
#include "engine/random.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "sierpinski_tetrahedron.h"

std::atomic<int64_t> gKernelCalls[kMaxRenderSlots];

void SetUpSierpinskiTetrahedron()
{
    InitGlobalState();
    SeedStartupRandomStates(2024u, nullptr);
    InstallSierpinskiTetrahedron();
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

bool SetUpSierpinskiRender(int32_t size, float scale)
{
    SetUpSierpinskiTetrahedron();
    if (!AllocateRenderBuffers(size, size, false)) return false;
    SetUpPlainView(size, scale);
    return true;
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
