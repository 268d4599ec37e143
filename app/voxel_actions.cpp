#include "app/voxel_actions.h"

#include <cstdio>

#include "app/action_buttons.h"
#include "app/panel_state.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/mesh_export_thread.h"
#include "shading/export_image.h"
#include "app/render_control.h"
#include "app/startup_state.h"
#include "engine/status_line.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/kernel_framework.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/transform_probabilities.h"
#include "render/voxel_engine.h"

bool (*gAllocateVoxelCube)() = AllocateVoxelGrid;
bool (*gStartVoxelEngine)() = StartVoxelEngineThreads;

namespace {

constexpr const char* kVoxelStartFailedText = "The voxel engine could not be started.";

// The export buttons; the page's windows follow the engine (controls_pages.cpp).
void ShowVoxelWidgets()
{
    for (ActionButtonId id : {kActionStlMesh, kActionObjMesh, kActionStopVoxelEngine, kActionRawFile, kActionPngSlices}) {
        EnableActionButton(id, true);
    }
}

// The voxel mode that could not start leaves the panel and the render
// buffers as a stop would.
void AbandonVoxelStart(const char* text)
{
    StopRenderAndResetPanel();
    EnableButton(kButtonRender, true);
    gScreenState = kScreenPointPreview;
    SetStatusText("%s", text);
}

}  // namespace

void StartVoxelEngineAction()
{
    ClearActionPressed(kActionStartVoxelEngine);
    const uint8_t state = gScreenState.load();
    if (gVoxelEngineOn != 0 || state < 4 || state > 99) return;
    // The image export reads the render buffers the cube would replace.
    if (gFileThreadBusy.load()) return;

    gRenderInBuffers = 1;
    UpdateTransformProbabilities();
    EnableButton(kButtonPreview, false);
    EnableButton(kButtonDraw, false);
    ShowVoxelWidgets();
    ClearRenderBuffers();
    {
        // An export thread may be reading the resolution of its cube.
        std::lock_guard<std::mutex> lock(gVoxelModeMutex);
        SetVoxelResolution(gPanel.voxelResolution);
        // Only the colour-index buffer becomes the cube; the others keep W x H.
        if (gAllocateVoxelCube()) {
            gVoxelEngineOn = 1;
            ++gVoxelCubeGeneration;
        }
    }
    if (!gVoxelEngineOn) {
        AbandonVoxelStart(kInsufficientMemoryText);
        return;
    }

    gScreenState = kScreenVoxelBusy;
    gPointPreviewValid = 0;
    gStartupStep = 3590;
    EnableButton(kButtonPreview, true);
    EnableButton(kButtonRender, false);
    EnableButton(kButtonContinue, false);
    EnableActionButton(kActionStartVoxelEngine, false);
    gPreviewRefresh = 0;
    for (int slot = 0; slot < gRenderThreadCount; ++slot) {
        gFractalTypeKernel.load(std::memory_order_relaxed)(static_cast<uint8_t>(slot));
    }
    if (!gStartVoxelEngine()) AbandonVoxelStart(kVoxelStartFailedText);
}

void MeshExportActions()
{
    static const struct {
        ActionButtonId button;
        float type;
    } kExports[] = {
        {kActionStlMesh, kMeshExportStl},
        {kActionObjMesh, kMeshExportObj},
        {kActionRawFile, kMeshExportRaw},
        {kActionPngSlices, kMeshExportPng},
    };
    for (const auto& e : kExports) {
        if (!ActionPressed(e.button)) continue;
        ClearActionPressed(e.button);
        if (gVoxelEngineOn != 1) continue;
        gMeshExportType = e.type;
        StartMeshExport();
    }
}

void StopVoxelEngineAction()
{
    ClearActionPressed(kActionStopVoxelEngine);
    StopRenderAndResetPanel();
    UpdateTransformProbabilities();
    EnableButton(kButtonRender, true);
    EnableActionButton(kActionStartVoxelEngine, true);
    gPointPreviewValid = 0;
    gScreenState = kScreenPointPreview;
}
