// Sections: [state] [rules] [stop] [actions] [dispatcher].
#include "app/render_control.h"

#include <cstring>
#include <thread>

#include "app/action_dispatcher.h"
#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/status_line_drawing.h"
#include "app/main_buttons.h"
#include "app/interface_panel.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "shading/export_image.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/startup_state.h"
#include "engine/status_line.h"
#include "app/voxel_mode.h"
#include "app/window_messages.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "engine/script_program.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/preview_passes.h"
#include "render/symmetry_modes.h"
#include "render/transform_probabilities.h"
#include "shading/preview_passes.h"
#include "ui/gl_shapes.h"

// ---- [state] -------------------------------------------------------------------
uint8_t gRenderExists = 0;
uint8_t gRenderInBuffers = 0;
uint8_t gContinueAllowed = 0;
int64_t& gProgramStartTime = gPreviewStartTime;
int64_t& gRenderClock = gLastPreviewUpload;
RenderStarters gRenderStarters = {StartRender, StartRenderThreads};

namespace {

constexpr const char* kStartFailedText = "The render could not be started.";

bool Pressed(MainButtonId id) { return gMainButtons[id].pressed != 0; }
void ClearPressed(MainButtonId id) { gMainButtons[id].pressed = 0; }

// Starts and continues wait while an export is written or an editor is shown.
bool StartAllowed() { return !gFileThreadBusy.load() && !gBaseShapeEditorOpen && !gXFormsEditorOpen; }

}  // namespace

// ---- [rules] -------------------------------------------------------------------
void SayWhenNoScriptIsLoaded()
{
    if (gFractalType == kScriptFractalType && gScriptProgram.tformCount <= 0) SetStatusText("%s", kNoScriptText);
}

int RenderScreenState(int projection, int fastShadowUpdate, int current)
{
    if (fastShadowUpdate == 0) return projection + 2;
    if (fastShadowUpdate == 1) return projection;
    return current;
}

void ChooseMirrorCopies()
{
    if (gRgbColoring == 0) {
        switch (gFractalType) {
        case 3: case 8: case 9: case 13: case 14: case 16: case 17: case 19: case 31: gMirrorCopy = 1; break;
        case 5: case 6:
            gMirrorCopy = 1;
            gMirrorY = 1;
            break;
        default: break;
        }
    }
    if (!gMirrorCopy || !gUseBaseshapes) return;
    const int count = gBaseshapeCount < kMaxBaseshapes ? gBaseshapeCount : kMaxBaseshapes;
    for (int i = 0; i < count; ++i) {
        if (gBaseshapes[i].pointsPerRun == 0) {
            gMirrorCopy = 0;
            gMirrorY = 0;
            return;
        }
    }
}

// ---- [stop] --------------------------------------------------------------------
void StopRenderAndResetPanel()
{
    StopRender();
    if (EndVoxelMode()) ResizeRenderBuffers(2);  // the voxel engine had the buffers
    EnableButton(kButtonPreview, true);
    EnableButton(kButtonDraw, true);
    ResetVoxelPanel();
    gRenderInBuffers = 0;
}

void StopRenderAndShowBuffers(int mode)
{
    StopRender();
    UpdateTransformProbabilities();
    ClearPressed(kButtonStop);
    EnableButton(kButtonRender, true);
    EnableButton(kButtonStop, false);
    EnableRenderAnimation(true);
    // An animation's frames are written; continuing one is not offered.
    if (gAnimationOn) {
        RestoreSavedCamera();
        EnableButton(kButtonContinue, false);
        gContinueAllowed = 0;
    } else {
        EnableButton(kButtonContinue, true);
        gContinueAllowed = 1;
    }
    gRenderInBuffers = 1;
    gScreenState = mode == 1 ? kScreenExport : kScreenPointPreview;
    UncheckPreviewAnimations();
}

// ---- [actions] -----------------------------------------------------------------
namespace {

void ShowRendering()
{
    EnableButton(kButtonRender, false);
    EnableButton(kButtonStop, true);
    EnableButton(kButtonContinue, false);
    gScreenState = static_cast<uint8_t>(RenderScreenState(gProjectionSelector, gFastShadowUpdate, gScreenState.load()));
    gContinueAllowed = 0;
    gPreviewRefresh = 1;
    gPointPreviewValid = 1;
}

// A start that made no threads (a failed creation, a projection outside
// 0..1) would otherwise show "rendering" with nothing behind it.
void ShowStartFailed(bool canContinue)
{
    EnableButton(kButtonRender, true);
    EnableButton(kButtonStop, false);
    EnableButton(kButtonContinue, canContinue);
    gContinueAllowed = canContinue ? 1 : 0;
    // Nothing was drawn over the erased buffers: the next start need not ask.
    if (!canContinue) {
        gRenderExists = 0;
        gRenderInBuffers = 0;
    }
    gScreenState = kScreenPointPreview;
    gPreviewRefresh = 1;
    SetStatusText("%s", kStartFailedText);
}

void QuitAction()
{
    // The pressed look while the question is up.
    gMainButtons[kButtonQuit].Draw();
    ClearPressed(kButtonQuit);
    AskToQuit();
}

void DrawAction()
{
    ClearPressed(kButtonDraw);
    if (!StartAllowed() || RenderOnScreen(gScreenState.load())) return;
    UpdateTransformProbabilities();
    gPreviewRefresh = 1;
    gScreenState = kScreenPointPreview;
    gRenderInBuffers = 0;
    gPreviewTicks = 0;
}

void RenderAction()
{
    ClearPressed(kButtonRender);
    SayWhenNoScriptIsLoaded();
    gRenderClock = gProgramStartTime;
    // A render running until now is stopped, and the buttons say so: the
    // question then offers its picture to continue rather than "rendering".
    const bool wasRendering = ButtonEnabled(kButtonStop);
    StopRenderAndResetPanel();
    if (wasRendering) {
        EnableButton(kButtonRender, true);
        EnableButton(kButtonStop, false);
        EnableButton(kButtonContinue, !gAnimationOn);
        gContinueAllowed = gAnimationOn ? 0 : 1;
    }
    if (!StartAllowed()) return;
    if (gRenderExists) {
        EnableButton(kButtonYes, true);
        EnableButton(kButtonNo, true);
    } else {
        gMainButtons[kButtonYes].pressed = 1;  // the start follows in this same pass
    }
    gRenderExists = 1;
}

// Covers the area under the preview until the next frame.
void BlankUnderPreview()
{
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.0f, 0.0f, 0.0f);
    FlatQuad(830.0f, -9.0f, 1082.0f, 89.0f, 50.0f);
    glEnable(GL_DEPTH_TEST);
}

// Returns false when the rest of the pass must be skipped.
bool YesAction()
{
    if (!RenderAnimationPressed()) {
        gAnimationOn = 0;
    } else if (!PrepareAnimationStart()) {
        ClearPressed(kButtonYes);
        return false;
    }
    if (StartAllowed()) {
        StopRender();
        ClearRenderBuffers();
        gRenderInBuffers = 1;
        gPointPreviewValid = 0;
        // The slot's first batch, so the threads start from a fresh orbit.
        gFractalTypeKernel.load(std::memory_order_relaxed)(0);
        if (gSymmetryOn.load()) ApplySymmetry(0);
        ChooseMirrorCopies();
        if (gRenderStarters.start()) {
            ShowRendering();
            BlankUnderPreview();
            gMainButtons[kButtonPreview].pressed = 1;
            gRenderClock = gPreviewClockSeconds();
        } else {
            ShowStartFailed(false);
        }
    }
    EnableButton(kButtonNo, false);
    EnableButton(kButtonYes, false);
    ClearPressed(kButtonYes);
    return true;
}

void NoAction()
{
    EnableButton(kButtonNo, false);
    EnableButton(kButtonYes, false);
    ClearPressed(kButtonNo);
    gPointPreviewValid = 0;
}

void ContinueAction()
{
    ClearPressed(kButtonContinue);
    gRenderClock = gProgramStartTime;
    StopRenderAndResetPanel();
    if (!gFileThreadBusy.load()) {
        gRenderInBuffers = 1;
        gPointPreviewValid = 0;
        gBaseShapeEditorOpen = 0;
        gXFormsEditorOpen = 0;
        // The buffers are kept: the threads go on adding points to them.
        ChooseMirrorCopies();
        if (gRenderStarters.resume()) {
            ShowRendering();
        } else {
            ShowStartFailed(true);
        }
    }
    RunPreviewStep();
}

}  // namespace

void ReshadePreview()
{
    gPreviewRefresh = 0;
    RestartPreview();
    glClear(GL_DEPTH_BUFFER_BIT);
    if (gGridOverlayList) glCallList(gGridOverlayList);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 0.0f, 0.0f);
    OutlineQuad(kPreviewLeft, static_cast<float>(gPreviewFirstRow) + kPreviewBottom, kPreviewRight,
                static_cast<float>(gPreviewLastRow) + kPreviewBottom, kPreviewFrameDepth);
}

void RunPreviewStep()
{
    ClearPressed(kButtonPreview);
    gRenderClock = gProgramStartTime;
    if (!gVoxelEngineOn) std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
    if (gVoxelEngineOn) {
        gStartupStep = 3600;  // the following busy frame shades
        return;
    }
    if (gBaseShapeEditorOpen || gXFormsEditorOpen) return;
    ReshadePreview();
}

// ---- [dispatcher] --------------------------------------------------------------
void ProcessInterfaceActions()
{
    if (!RunPageActions()) return;
    if (Pressed(kButtonQuit)) QuitAction();
    if (Pressed(kButtonDraw)) DrawAction();
    RunPanelActions();
    if (Pressed(kButtonRender)) RenderAction();
    if (Pressed(kButtonYes) && !YesAction()) return;
    if (Pressed(kButtonNo)) NoAction();
    if (Pressed(kButtonStop)) StopRenderAndShowBuffers(0);
    if (Pressed(kButtonContinue)) ContinueAction();
    if (Pressed(kButtonPreview)) RunPreviewStep();
}

int gStopWaitFrames = 0;

namespace {

std::thread::id gStopWatcherThread;

void ShowStopWaiting(uint32_t waitedMs)
{
    if (std::this_thread::get_id() != gStopWatcherThread) return;
    SetStatusText("The render threads have not stopped after %u s: waiting for them to end.", waitedMs / 1000);
    // Only the status line over a cleared screen: the full frame would run
    // the actions whose stop is waiting here.
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawStatusLine();
    glEnable(GL_DEPTH_TEST);
    SwapMainWindow();
    ++gStopWaitFrames;
}

}  // namespace

void WatchStopsFromThisThread()
{
    gStopWatcherThread = std::this_thread::get_id();
    gStopRenderWaiting = ShowStopWaiting;
}
