#include "app/startup_init.h"

#include <cstring>
#include <ctime>

#include "app/export_actions.h"
#include "app/frame.h"
#include "app/gl_setup.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"
#include "app/render_size.h"
#include "baseshapes/generator_table.h"
#include "platform/dialogs.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"

namespace {

bool AllocateSquareRenderBuffers(int size) { return AllocateRenderBuffers(size, size, false); }

}  // namespace

RenderBufferAllocator gAllocateRenderBuffers = AllocateSquareRenderBuffers;

int AllocateStartupRenderBuffers(RenderBufferAllocator allocate)
{
    if (allocate == nullptr) return 0;
    for (int size : kStartupRenderSizes)
        if (allocate(size)) return size;
    return 0;
}

uint32_t gStartupSeed = 0;

bool InitializeApplication()
{
    const uint32_t clockSeed = gStartupSeed != 0 ? gStartupSeed : static_cast<uint32_t>(std::time(nullptr));
    SetFrameTimer(kTimerIntervalMs);
    // srand(clock), the global, sampler and slot states, the generator
    // tables between them, and the slot hashes, in their fixed order.
    SeedStartupRandomStates(clockSeed, BuildBaseshapeGeneratorTables);
    InitializeExportPipeline();
    InstallExportServices();
    if (!SetupPixelFormat()) return false;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glClearStencil(0);
    std::memset(gPreviewImage, 0, sizeof gPreviewImage);

    // Never run on missing buffers: a smaller render size, or a clean stop.
    const int size = AllocateStartupRenderBuffers(gAllocateRenderBuffers);
    if (size == 0) {
        ShowMessageBox(kInsufficientMemoryText, "Error", MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    gImageWidth = gImageHeight = size;
    DeriveRenderSizeValues();
    if (size < kStartupRenderSizes[0]) SetStatusText("%s Render size %d x %d", kInsufficientMemoryText, size, size);

    // The point batch is still as InitGlobalState cleared it.
    SelectFractalTypeKernel();
    CreatePreviewTexture();
    gScreenState = kScreenSplash;
    return true;
}
