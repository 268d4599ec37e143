#include "shading/animation_step.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/shared_access.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"

int32_t gAnimationCallCounter = 0;
int32_t gAnimationFrame = 0;
float gAnimationRange[2] = {0.0f, 1.0f};
std::string gAnimationBaseName = "frame";

namespace {
void Nothing() {}
void NoScene(int) {}
}  // namespace

AnimationServices DefaultAnimationServices()
{
    return AnimationServices{Nothing, NoScene, StartRenderThreads, Nothing, Nothing};
}
AnimationServices gAnimationServices = DefaultAnimationServices();

namespace {

// The last frame is written: animation mode ends with it, so later frames
// of the main view do not write it again.
void EndAnimation()
{
    gAnimationOn = 0;
    gExportViewShown = 0;
    gAnimationServices.animationEnded();
    gScreenState.store(4);
}

}  // namespace

void AdvanceAnimationFrame()
{
    if (!gAnimationOn) return;
    // A length of 0 would divide by zero: it counts as one call per frame.
    const int32_t length = std::max(gAnimationFrameLength, 1);
    const bool lastCall = gAnimationCallCounter % length == length - 1;
    // The frame is saved once an export started from the buttons has ended:
    // its workers still read the buffers this step would clear.
    if (lastCall && gFileThreadBusy.load()) return;
    gAnimationCallCounter = gAnimationCallCounter == INT32_MAX ? 0 : gAnimationCallCounter + 1;
    if (!lastCall) return;
    const bool more = static_cast<float>(gAnimationFrame) < std::trunc(gAnimationRange[0] + gAnimationRange[1] - 1.0f);
    const uint8_t screenOnEntry = gScreenState.load();

    // Joins every render worker: nothing below runs beside one.
    StopRender();
    gFileThreadBusy.store(1);
    gExportSettings = gExportServices.readSettings();
    gExportSettings.animation = 1;
    const bool saved = ExportImage() == 0;
    gExportViewShown = 0;
    if (!saved) {
        // The export has said why; the following frames would fail alike.
        gAnimationOn = 0;
        EndAnimation();
        return;
    }
    if (!more) {
        EndAnimation();
        return;
    }
    gAnimationServices.restartPreview();
    ++gAnimationFrame;
    gAnimationServices.advanceScene(gAnimationFrame);
    if (!gAnimationOn) return;
    ClearRenderBuffers();
    if (!gAnimationServices.startRender()) {
        gAnimationOn = 0;
        EndAnimation();
        return;
    }
    gScreenState.store(screenOnEntry);
    gAnimationServices.renderRestarted();
}

namespace {
uint8_t GreyByte(float v)
{
    if (!(v > 0.0f)) return 0;  // not-a-number too
    return v >= 255.0f ? 255 : static_cast<uint8_t>(v);
}
}  // namespace

void FadeSplashImage()
{
    constexpr int kSize = 512;
    static_assert(kSize * kSize <= kPreviewSize * kPreviewSize, "the splash lives in the preview depth");
    // While the voxel engine runs its workers write their view here: it is
    // taken once, cell by cell as they write it, then shaded.
    static std::vector<float> view(static_cast<size_t>(kSize) * kSize);
    for (size_t k = 0; k < view.size(); ++k) view[k] = SharedLoad(gPreviewDepth[k]);
    const float* splash = view.data();
    const auto put = [](int i, int j, uint8_t v) {
        uint8_t* p = gPreviewImage + (static_cast<size_t>(i) * kPreviewImageSize + j) * 3;
        p[0] = p[1] = p[2] = v;
    };
    for (int i = 0; i < kSize; ++i)
        for (int j = 0; j < kSize; ++j) put(i, j, GreyByte(splash[i * kSize + j] * 0.99609375f));
    for (int i = 1; i < kSize - 1; ++i) {
        for (int j = 1; j < kSize - 1; ++j) {
            const float c = splash[i * kSize + j];
            if (!(c > 0.0f)) continue;
            const float near[4] = {splash[(i - 1) * kSize + j], splash[(i + 1) * kSize + j], splash[i * kSize + j - 1],
                                   splash[i * kSize + j + 1]};
            float sum = 0.0f;
            int brighter = 0;
            for (float n : near) {
                if (n > c) {
                    sum += n;
                    ++brighter;
                }
            }
            if (brighter > 0) put(i, j, GreyByte(c - 0.15f * (sum / static_cast<float>(brighter))));
        }
    }
    gPreviewUploadPending.store(1);
}
