#include "app/frame.h"
#include "app/create_interface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/export_actions.h"
#include "app/interface_drawing.h"
#include "app/mesh_export_thread.h"
#include "app/interface_panel.h"
#include "render/render_threads.h"
#include "shading/animation_step.h"
#include "shading/export_image.h"
#include "app/param_help.h"
#include "app/point_preview.h"
#include "app/procedural_texture_thread.h"
#include "app/text_field.h"
#include "app/screen_lists.h"
#include "app/splash_screen.h"
#include "app/startup_state.h"
#include "app/status_line_drawing.h"
#include "app/pointer_state.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/kept_frame.h"
#include "platform/desktop/platform_events.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/panel_pages.h"

int gEffectiveScreenState = kScreenPointPreview;
uint8_t gPointPreviewValid = 1;
uint8_t gPreviewRefresh = 0;
unsigned gPreviewTexture = 0;
int gStartupStep = 0;
int& gPreviewFirstRow = gPreviewImageTop;
int& gPreviewLastRow = gPreviewImageBottom;
uint64_t gFramesDrawn = 0;

namespace {

void DrawPreviewQuad(float texelsShown)
{
    TexturedQuad(kPreviewLeft, kPreviewBottom, kPreviewRight, kPreviewTop, kPreviewDepth, texelsShown);
}

void DrawPreviewTexture(float texelsShown)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gPreviewTexture);
    DrawPreviewQuad(texelsShown);
}

// Around the rows of the preview that hold picture.
void DrawPreviewFrame(float r, float g, float b)
{
    const float bottom = static_cast<float>(gPreviewFirstRow) + kPreviewBottom;
    const float top = static_cast<float>(gPreviewLastRow) + kPreviewBottom;
    glColor3f(r, g, b);
    OutlineQuad(kPreviewLeft, bottom, kPreviewRight, top, kPreviewFrameDepth);
}

// List 0 is an error to GL; a list not built yet draws nothing.
void CallList(unsigned list)
{
    if (list) glCallList(list);
}

void DrawBusyMark()
{
    const BusyMarkPlace at = BusyMarkCentre();
    glPushMatrix();
    glTranslatef(at.x, at.y, 300.0f);
    glRotatef(static_cast<float>(gFrameTicks() % 1200u) * 0.3f, 0.0f, 0.0f, -1.0f);
    CallList(gOpengl.busyMarkList);
    glPopMatrix();
}

// The 512 x 512 view of the voxel engine in the preview area, under
// everything drawn after it (the depth buffer is cleared).
void DrawVoxelView()
{
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawPreviewTexture(0.5f);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void UploadPreviewImage()
{
    if (!gPreviewUploadPending.load()) return;
    glBindTexture(GL_TEXTURE_2D, gPreviewTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kPreviewImageSize, kPreviewImageSize, GL_RGB, GL_UNSIGNED_BYTE,
                    gPreviewImage);
    gPreviewUploadPending = 0;
}

}  // namespace

bool BusyMarkShown()
{
    const uint8_t state = gScreenState.load();
    return RenderOnScreen(state) || state == kScreenVoxelBusy;
}

// Above "New Fractal", where "Continue" stands while no render runs (its
// place (900, 60) lies over the "N" of "New Fractal"); on the voxels page
// beside the engine's buttons.
BusyMarkPlace BusyMarkCentre()
{
    if (gCurrentTab == kTabVoxels && gScreenState.load() == kScreenVoxelBusy) return {360.0f, 804.0f};
    return {900.0f, 114.0f};
}

int EffectiveScreenState(int screenState, bool dofOn, int fastShadowUpdate, bool rgbColoring)
{
    if (screenState >= 4) return screenState;
    int state = screenState;
    if (!dofOn) state += 2 * fastShadowUpdate;
    if (rgbColoring) state += 100;
    return state;
}

void CreatePreviewTexture()
{
    if (gPreviewTexture) return;
    glGenTextures(1, &gPreviewTexture);
    glBindTexture(GL_TEXTURE_2D, gPreviewTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kPreviewImageSize, kPreviewImageSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 gPreviewImage);
    glDisable(GL_TEXTURE_2D);
}

void DeletePreviewTexture()
{
    if (gPreviewTexture) glDeleteTextures(1, &gPreviewTexture);
    gPreviewTexture = 0;
}

namespace {

uint64_t gLastFrameTick = 0;  // gFrameTicks of the last frame, whole or pulse
bool gPulseFrameKept = false;  // the kept copy is the frame on screen

}  // namespace

uint64_t gPulseFramesDrawn = 0;
bool (*gKeepWindowFrame)() = KeepWindowFrame;

namespace {

// A whole frame; kept, its copy lets the pulse frames after it draw the loop alone.
void DrawWholeFrame(bool keep)
{
    DrawFrame();
    gPulseFrameKept = keep && gKeepWindowFrame();
    SwapMainWindow();
    ++gFramesDrawn;
    gLastFrameTick = gFrameTicks();
}

}  // namespace

void RenderFrame() { DrawWholeFrame(false); }

uint32_t MsUntilPulseFrame()
{
    if (!ResolutionReminderShown()) return kNoPulseFrame;
    const uint64_t now = gFrameTicks();
    // A clock set back (tests fix it) is due at once.
    if (now < gLastFrameTick || now - gLastFrameTick >= kPulseFrameMs) return 0;
    return static_cast<uint32_t>(kPulseFrameMs - (now - gLastFrameTick));
}

bool PulseFrameDue() { return MsUntilPulseFrame() == 0; }

namespace {

// The window's pixels the loop may touch, with a margin for the rounding of
// the line's ends.
PixelRect ReminderLoopPixels()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float sx = static_cast<float>(viewport[2]) / kVirtualScreenWidth;
    const float sy = static_cast<float>(viewport[3]) / kVirtualScreenHeight;
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const int x0 = std::max(0, viewport[0] + static_cast<int>(std::floor(kReminderLoop[0] * sx)) - 2);
    const int y0 = std::max(0, viewport[1] + static_cast<int>(std::floor(kReminderLoop[1] * sy)) - 2);
    const int x1 = std::min(width, viewport[0] + static_cast<int>(std::ceil(kReminderLoop[2] * sx)) + 3);
    const int y1 = std::min(height, viewport[1] + static_cast<int>(std::ceil(kReminderLoop[3] * sy)) + 3);
    return {x0, y0, x1 - x0, y1 - y0};
}

// Over the kept frame, as DrawInterface draws it.
void DrawReminderLoopOnly()
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    DrawResolutionReminder();
    glPopMatrix();
}

}  // namespace

void RenderPulseFrame()
{
    bool shown = false;
    if (gPulseFrameKept) {
        // Only the loop's place, where the window system shows a part of the
        // buffer; else the whole kept frame with the loop, swapped.
        const PixelRect loop = ReminderLoopPixels();
        if (CanShowBackBufferPart() && RestoreKeptWindowFrame(loop)) {
            DrawReminderLoopOnly();
            shown = ShowBackBufferPart(loop);
        }
        if (!shown && RestoreKeptWindowFrame()) {
            DrawReminderLoopOnly();
            SwapMainWindow();
            shown = true;
        }
    }
    if (!shown) {
        DrawWholeFrame(true);
        return;
    }
    ++gPulseFramesDrawn;
    gLastFrameTick = gFrameTicks();
}

// ---- The window at rest ----------------------------------------------------------
namespace {

int gFramesOwed = 0;

// A screen or a thread whose picture moves without input.
bool SomethingMoves()
{
    const uint8_t state = gScreenState.load();
    if (RenderOnScreen(state) || state == kScreenExport || state == kScreenSplash ||
        state == kScreenVoxelBusy)
        return true;
    if (gRenderActive.load() || gMeshExportRunning.load() || gProceduralTextureBusy.load()) return true;
    if (TextInputActive()) return true;
    // The settled point preview gathers its points between frames.
    if (PointPreviewGathers()) return false;
    return (state == kScreenPointPreview || state == kScreenPreview3D) && !PointPreviewSettled();
}

}  // namespace

void RequestFrames(int count) { gFramesOwed = std::max(gFramesOwed, count); }

bool FrameWanted()
{
    // Two frames after the last move, so that what a thread finished with
    // is drawn once it is done.
    if (SomethingMoves()) RequestFrames(2);
    if (gPointPreviewValid == 0 || gPreviewUploadPending.load() || StatusLineChanged()) RequestFrames(1);
    if (gFramesOwed == 0) return false;
    --gFramesOwed;
    return true;
}

void DrawFrame()
{
    SleepMs(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (gPointPreviewValid == 0) StartPointPreviewAfresh();
    DrawInterface();
    if (TextInputActive()) DrawTextInputLine();
    DrawParamInputBox();  // frames the field when it holds a fractal parameter
    gEffectiveScreenState = EffectiveScreenState(gScreenState.load(), gVolumetricFogOn.load() != 0, gFastShadowUpdate, gRgbColoring != 0);
    RunRequestedReshade();
    UploadPreviewImage();
    switch (gEffectiveScreenState) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 100:
    case 101:
    case 102:
    case 103: DrawMainView(); break;
    case kScreenExport: DrawExportView(); break;
    case kScreenPreview3D: DrawPreview3D(); break;
    case kScreenPointPreview: DrawPointPreview(); break;
    case kScreenSplash: DrawSplashScreen(); break;
    case kScreenVoxelBusy: DrawVoxelBusyScreen(); break;
    default: break;  // interface only
    }
}

void DrawMainView()
{
    // The shading clock: progressive shading every few hundred frames.
    if (gStartupStep < 3601) {
        gStartupStep += 5;
    } else {
        gStartupStep = 5;
        ShadeProgressive(gMouseState == kMouseStateNone ? 1 : 0);
        if (gAnimationOn) AdvanceAnimationFrame();
    }
    DrawPreviewTexture(kPreviewTexelsShown);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    DrawPreviewFrame(0.0f, 1.0f, 0.0f);
    DrawBusyMark();
}

void DrawExportView()
{
    if (gVoxelEngineOn) {
        DrawVoxelView();
        DrawPreviewFrame(0.0f, 1.0f, 1.0f);
        CallList(gGridOverlayList);
        gExportProgress = static_cast<int>(gVoxelExportProgress);
    } else {
        RestoreViewAfterExport();
        glDisable(GL_DEPTH_TEST);
        glClear(GL_DEPTH_BUFFER_BIT);
        UploadPreviewImage();
        DrawPreviewTexture(kPreviewTexelsShown);
        glDisable(GL_TEXTURE_2D);
        DrawPreviewFrame(1.0f, 1.0f, 1.0f);
        glEnable(GL_DEPTH_TEST);
    }
    DrawExportProgressBox();
    if (gExportProgress == 100) OnExportFinished();
    if (gExportProgress != 100 && gExportProgress != -1) return;
    gExportProgress = -2;
    if (!gExportCancel.load()) {
        SetStatusText("File Saved");
    } else {
        gExportCancel = 0;
        SetStatusText("Save File Cancelled");
        gExportThreadCount = gExportThreadCountSaved;
    }
}

void DrawVoxelBusyScreen()
{
    FinishMeshExportOnWindowThread();
    CallList(gGridOverlayList);
    gStartupStep += 5;
    if (gStartupStep > 3600) {
        FadeSplashImage();
        gStartupStep = 0;
    }
    DrawBusyMark();
    DrawVoxelView();
    CallList(gGridOverlayList);
}
