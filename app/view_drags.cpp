// Pointer moves and the view: the trackball rotation of the camera, the
// point preview's pans and zoom, the right button and the view wheel.
//
//   [drag vectors]   the pointer on the drag sphere of each rotate mode
//   [rotation]       one step of the camera rotation, kept orthonormal
//   [move handler]   OnMouseMove and the right button
//   [wheel]          the view's own zoom
#include "app/view_drags.h"

#include <cmath>
#include <cstring>

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/main_buttons.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/editor_views.h"
#include "app/interface_panel.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "render/render_threads.h"
#include "app/create_interface.h"
#include "app/render_control.h"
#include "engine/status_line.h"
#include "app/panel_state.h"
#include "app/view_zoom.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "ui/widget.h"

DragVector gViewDragStart = {1.0f, 0.0f, 0.0f, 0.0f};
float gEditViewDragStart[3] = {1.0f, 0.0f, 0.0f};
float gDragStartAngle = 0.0f;
float gDragAxis[3] = {0.0f, 0.0f, 1.0f};
float gDragRotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
float gSavedViewRotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
float gViewMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

// ---- [drag vectors] -----------------------------------------------------------

void ResetDragVectors()
{
    gViewDragStart = {1.0f, 0.0f, 0.0f, 0.0f};
    gEditViewDragStart[0] = 1.0f;
    gEditViewDragStart[1] = gEditViewDragStart[2] = 0.0f;
    gInverseFocal = 1.0f;
}

DragVector PointerDragVector(int mode, int x, int yDown, const DragVector& previous, bool zrAllowed)
{
    const float dx = static_cast<float>((x - kViewCentreX) * kViewHalfSizeInverse);
    const float dy = static_cast<float>((kViewCentreY - yDown) * kViewHalfSizeInverse);
    float vx = 0.0f, vy = 0.0f, z = 0.0f, s = 0.0f;
    switch (mode) {
    case kRotateTrackBall: vx = dx, vy = dy, s = dx * dx + dy * dy; break;
    case kRotateX: vy = dy, s = dy * dy; break;
    case kRotateY: vx = dx, s = dx * dx; break;
    case kRotateZ: {
        if (!zrAllowed) return previous;
        const float r = std::sqrt(dx * dx + dy * dy) + 0.0001f;
        gDragStartAngle = -std::atan2(dy / r, dx / r);
        vx = r * std::sin(gDragStartAngle);
        vy = r * std::cos(gDragStartAngle);
        s = r;
        break;
    }
    default: return previous;
    }
    if (mode != kRotateZ) z = s < 1.0f ? std::sqrt(1.0f - s) : 0.0f;
    const float k = 1.0f / std::sqrt(z * z + s);
    return DragVector{vx * k, vy * k, z * k, k};
}

// ---- [rotation] -----------------------------------------------------------------

void BuildDragRotationMatrix(float angle)
{
    const float ax = gDragAxis[0], ay = gDragAxis[1], az = gDragAxis[2];
    const float s = std::sin(angle), c = std::cos(angle), t = 1.0f - c;
    float* m = gDragRotation;
    m[0] = ax * ax + (1.0f - ax * ax) * c;
    m[4] = ay * ay + (1.0f - ay * ay) * c;
    m[8] = az * az + (1.0f - az * az) * c;
    m[1] = ax * ay * t + az * s;
    m[3] = ax * ay * t - az * s;
    m[2] = ax * az * t - ay * s;
    m[6] = ax * az * t + ay * s;
    m[5] = ay * az * t + ax * s;
    m[7] = ay * az * t - ax * s;
}

namespace {

// Rows made unit length and perpendicular (Gram-Schmidt, the third row
// their cross product), so a long drag stays a pure rotation.
void Orthonormalise(float* m)
{
    double r0[3] = {m[0], m[1], m[2]}, r1[3] = {m[3], m[4], m[5]};
    const double n0 = std::sqrt(r0[0] * r0[0] + r0[1] * r0[1] + r0[2] * r0[2]);
    if (!(n0 > 0.0)) return;
    for (double& v : r0) v /= n0;
    const double d = r0[0] * r1[0] + r0[1] * r1[1] + r0[2] * r1[2];
    for (int i = 0; i < 3; ++i) r1[i] -= d * r0[i];
    const double n1 = std::sqrt(r1[0] * r1[0] + r1[1] * r1[1] + r1[2] * r1[2]);
    if (!(n1 > 0.0)) return;
    for (double& v : r1) v /= n1;
    const double r2[3] = {r0[1] * r1[2] - r0[2] * r1[1], r0[2] * r1[0] - r0[0] * r1[2], r0[0] * r1[1] - r0[1] * r1[0]};
    for (int i = 0; i < 3; ++i) {
        m[i] = static_cast<float>(r0[i]);
        m[3 + i] = static_cast<float>(r1[i]);
        m[6 + i] = static_cast<float>(r2[i]);
    }
}

// The camera rotation and its copies: render workers read them while a
// render runs, so each element is written whole.
void SetCameraRotation(const float* m)
{
    for (int i = 0; i < 9; ++i) {
        SharedStore(gCameraRotation[i], m[i]);
        SharedStore(gCameraMatrix[i], m[i]);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) SharedStore(gCameraGLMatrix[4 * j + i], m[3 * i + j]);
    }
}

void ClearPreviewTargetIfInvalid()
{
    if (gPointPreviewValid == 0) ClearPreviewTarget();
}

bool NoRenderInView() { return gRenderInBuffers == 0 && gVoxelEngineOn == 0; }

}  // namespace

void ComposeViewMatrix()
{
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 3; ++k) sum += gDragRotation[3 * i + k] * gSavedViewRotation[3 * k + j];
            gViewMatrix[3 * i + j] = sum;
        }
    }
    Orthonormalise(gViewMatrix);
}

bool TurnViewTowards(const DragVector& p1)
{
    const DragVector p0 = gViewDragStart;
    if (p1.x == p0.x && p1.y == p0.y) return false;
    gViewDragStart = p1;
    const float n[3] = {p0.y * p1.z - p0.z * p1.y, p0.z * p1.x - p0.x * p1.z, p0.x * p1.y - p0.y * p1.x};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    // Opposite vectors (a "Zr" move across the centre) name no axis; the
    // rounding of the sine leaves a cross product of a few ulps there.
    const float scale =
        std::sqrt((p0.x * p0.x + p0.y * p0.y + p0.z * p0.z) * (p1.x * p1.x + p1.y * p1.y + p1.z * p1.z));
    if (!(length > 1e-6f * scale) || !std::isfinite(length)) return false;
    gPointPreviewValid = 0;
    for (int i = 0; i < 3; ++i) gDragAxis[i] = -n[i] / length;
    const float ex = p0.x - p1.x, ey = p0.y - p1.y, ez = p0.z - p1.z;
    gDragStartAngle = std::sqrt(ex * ex + ey * ey + ez * ez) * 60.0f * gControlSensitivity;
    std::memcpy(gSavedViewRotation, gCameraRotation, sizeof(gSavedViewRotation));
    BuildDragRotationMatrix(gDragStartAngle * 0.045f);
    ComposeViewMatrix();
    EnableButton(kButtonContinue, false);
    SetCameraRotation(gViewMatrix);
    // The animation's camera ("+A", "-A", the camera an animation keeps).
    std::memcpy(gInterface.savedCamera, gViewMatrix, sizeof gInterface.savedCamera);
    return true;
}

// ---- [move handler] -----------------------------------------------------------

namespace {

void PanPreview()
{
    const float f = static_cast<float>(gImageWidth) / 832.0f;
    if (gMoveMode == kMoveXY || gMoveMode == kMoveX) gPanX -= static_cast<float>(gLastPointerX - gPointerX) * f;
    if (gMoveMode == kMoveXY || gMoveMode == kMoveY) gPanY += static_cast<float>(gLastPointerY - gPointerY) * f;
    UpdateViewScaleAndCentre();
    gLastPointerX = gPointerX;
    gLastPointerY = gPointerY;
    gPointPreviewValid = 0;
}

bool AnyEditBoxOn() { return gBaseShapeEditorOpen || gXFormsEditorOpen; }

// The right drag in edit mode moves the 3-D preview's own view: pans along
// the window's two axes, or turns the free view like the camera.
void DragEditView()
{
    const float scale = 0.00390625f * gInverseFocal;
    const float dx = static_cast<float>(gLastPointerX - gPointerX) * scale;
    const float dy = static_cast<float>(gLastPointerY - gPointerY) * scale;
    if (OpenEditorControls() == 0) {
        float* pan = gPreview3DPan;
        switch (OpenEditorViewPreset(gPreview3DViewPreset)) {
        case 2: pan[0] -= dx, pan[1] += dy; break;  // "Front"
        case 1: pan[2] -= dx, pan[1] += dy; break;  // "Left"
        default: pan[0] -= dx, pan[2] -= dy; break; // "Camera", "Top"
        }
        gPointPreviewValid = 0;
        gLastPointerX = gPointerX;
        gLastPointerY = gPointerY;
        return;
    }
    const DragVector previous{gEditViewDragStart[0], gEditViewDragStart[1], gEditViewDragStart[2],
                              gViewDragStart.factor};
    const DragVector p1 = PointerDragVector(gRotateMode, gPointerX, gPointerY, previous, false);
    const DragVector p0 = previous;
    if (p1.x == p0.x && p1.y == p0.y) return;
    gEditViewDragStart[0] = p1.x;
    gEditViewDragStart[1] = p1.y;
    gEditViewDragStart[2] = p1.z;
    const float n[3] = {p0.y * p1.z - p0.z * p1.y, p0.z * p1.x - p0.x * p1.z, p0.x * p1.y - p0.y * p1.x};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 1e-6f) || !std::isfinite(length)) return;  // opposite vectors name no axis
    gPointPreviewValid = 0;
    for (int i = 0; i < 3; ++i) gDragAxis[i] = -n[i] / length;
    const float ex = p0.x - p1.x, ey = p0.y - p1.y, ez = p0.z - p1.z;
    const float angle = std::sqrt(ex * ex + ey * ey + ez * ez) * 60.0f * gControlSensitivity;
    float* view = gPreview3DFreeView;  // column-major 4 x 4
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) gSavedViewRotation[3 * i + j] = view[4 * j + i];
    BuildDragRotationMatrix(angle * 0.045f);
    ComposeViewMatrix();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) view[4 * j + i] = gViewMatrix[3 * i + j];
}

// An edit drag moves the edited transformation or baseshape across the 3-D
// preview's view, as far as the pointer went.
void DragEdited(bool baseshape)
{
    const float scale = static_cast<float>(kViewHalfSizeInverse) * gInverseFocal;
    const float across = static_cast<float>(gPointerX - gLastPointerX) * scale;
    const float up = static_cast<float>(gLastPointerY - gPointerY) * scale;
    gLastPointerX = gPointerX;
    gLastPointerY = gPointerY;
    if (across == 0.0f && up == 0.0f) return;
    float view[9];
    Preview3DViewRotation(view);
    if (baseshape) {
        gBaseShapeEditor.DragInPreview(across, up, view);
    } else {
        gXFormsEditor.DragInPreview(across, up, view);
    }
    gPointPreviewValid = 0;
}

}  // namespace

void OnMouseMove(int x, int y, bool, bool, bool)
{
    gPointerX = PointerToVirtualX(x);
    gPointerY = PointerToVirtualYDown(y);
    gHoverX = gPointerX;
    gHoverY = kVirtualScreenHeight - gPointerY;
    const bool inView = PointerInView(gPointerX, gPointerY);
    if (gMouseState == kMouseStateLeft) {
        DragWidgets();
        if (gDragGroup == 12 && inView && NoRenderInView()) {
            TurnViewTowards(PointerDragVector(gRotateMode, gPointerX, gPointerY, gViewDragStart));
        } else if (gDragGroup == 12 && inView && gXFormsEditorOpen && gPanel.editorPage == kPageTransformations) {
            DragEdited(false);
        } else if (gDragGroup == 12 && inView && gBaseShapeEditorOpen && gPanel.editorPage == kPageBaseshapes) {
            DragEdited(true);
        }
    } else if (gMouseState == kMouseStateRight && inView) {
        if (NoRenderInView()) {
            PanPreview();
        } else if (AnyEditBoxOn()) {
            DragEditView();
        }
    }
    ClearPreviewTargetIfInvalid();
}

void OnRightButtonDown(int x, int y)
{
    SetStatusText("Talvoran");
    if (gScreenState.load() < kScreenPreview3D) gRenderInBuffers = 1;
    CaptureMouse(true);
    gMouseState = kMouseStateRight;
    gLastPointerX = PointerToVirtualX(x);
    gLastPointerY = PointerToVirtualYDown(y);
    if (PointerInView(gLastPointerX, gLastPointerY) && AnyEditBoxOn()) {
        // "Zr" keeps the previous vector: the right drag reads no angle.
        const DragVector previous{gEditViewDragStart[0], gEditViewDragStart[1], gEditViewDragStart[2],
                                  gViewDragStart.factor};
        const DragVector v = PointerDragVector(gRotateMode, gLastPointerX, gLastPointerY, previous, false);
        gEditViewDragStart[0] = v.x;
        gEditViewDragStart[1] = v.y;
        gEditViewDragStart[2] = v.z;
        gViewDragStart.factor = v.factor;
    }
    if (gScreenState.load() < kScreenPreview3D) gRenderInBuffers = 1;
}

void OnRightButtonUp()
{
    gDragGroup = 0;
    if (FinishBaseshapeEditorPress()) gPointPreviewValid = 0;
    if (FinishXFormsEditorPress()) gPointPreviewValid = 0;
    gMouseState = kMouseStateNone;
    CaptureMouse(false);
}

// ---- [wheel] ----------------------------------------------------------------------

void ZoomViewByWheel(int x, int y, int delta)
{
    // The notch's own position, mapped like every other pointer message;
    // the pan drag's last position stays as the drag left it.
    const int px = PointerToVirtualX(x), py = PointerToVirtualYDown(y);
    if (!PointerInView(px, py)) return;
    if (gRenderInBuffers == 0 && gScreenState.load() == kScreenPointPreview) {
        gPreviewTicks = 0;
        ClearPreviewTarget();
        if (delta <= 0) {
            gPanX *= 1.02f;
            gPanY *= 1.02f;
            gZoom *= 1.01f;
        } else {
            gPanX *= 0.98f;
            gPanY *= 0.98f;
            gZoom *= 0.98f;
        }
        UpdateViewScaleAndCentre();
        gZoomSlider.value = gZoom;  // the slider shows the zoom the wheel made
    } else {
        SetPreviewFocal(gFocal * (delta <= 0 ? 1.01f : 0.99f));
    }
    gPointPreviewValid = 0;
}
