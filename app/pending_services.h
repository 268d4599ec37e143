// Services of other parts of the program that the shell calls but that do
// not exist yet. Each stand-in does the least that keeps the shell running:
// the screens they would draw stay empty and the work they would do is not
// done. A part that lands removes its stand-ins here: the linker takes
// whichever definition it meets first, so scripts/check-symbols.sh (in CI)
// reports any left behind as a second definition.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/editor_views.h"  // the panel services built so far
#include "app/interface_panel.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "engine/transform_set.h"
#include "render/render_threads.h"  // gRenderThreadCount, gAnimationOn, gFastShadowUpdate
#include "shading/animation_step.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"


// ---- Main panel -------------------------------------------------------------
extern unsigned gPreviewOverlayList;  // drawn over the preview quad
void RestoreSavedCamera();            // the camera an animation started from
void UncheckPreviewAnimations();
// "Render Resolution:" (truncated) and "Enable 2X AA.".
struct RenderResolution {
    int width, height;
    bool antiAlias2x;
};
extern RenderResolution (*gReadRenderResolution)();  // tests replace it

// ---- Editors ------------------------------------------------------------------
int SelectedPreviewLight();

// ---- Per-frame interface ----------------------------------------------------
void DrawExportProgressBox();

// ---- Thread-count windows of the "Fractals" page (app/create_interface.cpp) --
float* RenderThreadsSliderValue();
float* ExportThreadsSliderValue();

// ---- The options panel's services the actions call (app/interface_panel.cpp) --
bool CanExportKavrolinScene();
bool WindAnimationToStartFrame();  // the animation fields, saved camera and start frame
