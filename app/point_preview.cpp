// Sections: [view and projection] [emitters] [screen 6] [screen 5]
// [point cloud].
#include "app/point_preview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "app/frame.h"
#include "app/panel_state.h"
#include "app/create_interface.h"
#include "app/editor_views.h"
#include "app/interface_panel.h"
#include "app/material_panel.h"
#include "app/screen_lists.h"
#include "app/startup_state.h"
#include "app/pointer_state.h"
#include "app/view_zoom.h"
#include "app/window_messages.h"
#include "engine/baseshape_animation.h"
#include "engine/baseshape_record.h"
#include "editors/shape_previews.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/preview_passes.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/preview_passes.h"
#include "ui/gl_shapes.h"

int gPreviewBatchIndex = 0;
int gPreview3DViewPreset = 2;
float gPreview3DFreeView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float gPreview3DPan[3] = {0.0f, 0.0f, 0.0f};

namespace {
int gSettledShadings = 0;  // shadings since the preview settled or woke
int gDirtyFrames = 0;      // frames of dirty points since the preview started afresh or woke
}  // namespace

// The timer never settles the 3-D preview's inset (it counts only on the
// point preview): there the dirty points, kept in the target, rest once
// they are plenty, unless a baseshape spins or moves in the 3-D scene.
bool PointPreviewSettled()
{
    if (BaseshapeAnimationOn()) return false;
    if (gPreviewRefresh == 0) return gSettledShadings >= kSettledShadingsToRest;
    return gScreenState.load() == kScreenPreview3D && gDirtyFrames >= kDirtyFramesToRest && !BaseshapesSpinOrMove();
}

// Two more shadings (or frames of the inset): enough to show what the input
// changed, where a change that starts the preview afresh goes through its
// dirty mode anyway.
void WakePointPreview()
{
    gSettledShadings = std::min(gSettledShadings, kSettledShadingsToRest - 2);
    gDirtyFrames = std::min(gDirtyFrames, kDirtyFramesToRest - 2);
}

void StartPointPreviewAfresh()
{
    gPointPreviewValid = 1;
    gPreviewRefresh = 1;
    gDirtyFrames = 0;
    ClearPreviewTarget();  // the dirty points start afresh
}

// ---- [view and projection] ---------------------------------------------------
PreviewView LoadPreviewView()
{
    PreviewView v{};
    v.cx = gViewCentre[0];
    v.cy = gViewCentre[1];
    v.cz = gViewCentre[2];
    v.scale = gViewScale;
    std::memcpy(v.m, gCameraMatrix, sizeof v.m);
    v.perspective = gPerspectiveOn != 0;
    v.zoom = gZoom;
    v.eye = gPerspectiveEye;
    // Without a render size the preview keeps the square's mapping.
    const float w = gImageWidth > 0 ? static_cast<float>(gImageWidth) : 1.0f;
    const float aspect = gImageWidth > 0 && gImageHeight > 0 ? static_cast<float>(gImageHeight) / w : 1.0f;
    v.fullScale = gZoom * 416.0f * aspect;
    v.panX = 832.0f / w * gPanX;
    v.panY = 832.0f / w * gPanY;
    v.insetPanX = 0.25f * v.panX;
    v.insetPanY = 0.25f * v.panY;
    // A render taller than wide would give rows outside the planes.
    v.bottomRow = static_cast<float>(std::clamp(gPreviewFirstRow, 0, kPreviewSize));
    v.topRow = static_cast<float>(std::clamp(gPreviewLastRow, 0, kPreviewSize));
    v.rgb = gRgbColoring != 0;
    v.depthScale = gPreviewDepthRange > 1.0f ? 1.0f / gPreviewDepthRange : 1.0f;
    return v;
}

namespace {

// Camera coordinates, perspective applied; false for a point at or behind
// the camera (or not a number).
inline bool ToPreviewCamera(const PreviewView& v, float x, float y, float z, float* X, float* Y, float* Z)
{
    const float dx = (x - v.cx) * v.scale;
    const float dy = (y - v.cy) * v.scale;
    const float dz = (z - v.cz) * v.scale;
    *X = v.m[0] * dx + v.m[1] * dy + v.m[2] * dz;
    *Y = v.m[3] * dx + v.m[4] * dy + v.m[5] * dz;
    *Z = v.m[6] * dx + v.m[7] * dy + v.m[8] * dz;
    if (v.perspective) {
        const float f = -(v.zoom / (*Z - v.eye));
        if (!(f >= 0.0f)) return false;
        *X *= f;
        *Y *= f;
    }
    return true;
}

}  // namespace

float gPreviewDepthRange = 1.0f;

float PreviewPointsDepthRange()
{
    const PreviewView v = LoadPreviewView();
    float range = 1.0f;
    for (int i = gSlotBatchStart[0]; i <= gSlotBatchLast[0]; ++i) {
        float X = 0, Y = 0, Z = 0;
        if (!ToPreviewCamera(v, gPointX[i], gPointY[i], gPointZ[i], &X, &Y, &Z)) continue;
        if (std::fabs(Z) > range && std::isfinite(Z)) range = std::fabs(Z);
    }
    return range;
}

bool PreviewPointsOutsideDepth()
{
    PreviewView v = LoadPreviewView();
    v.perspective = false;
    for (int i = gSlotBatchStart[0]; i <= gSlotBatchLast[0]; ++i) {
        float X = 0, Y = 0, Z = 0;
        ToPreviewCamera(v, gPointX[i], gPointY[i], gPointZ[i], &X, &Y, &Z);
        if (Z < -1.0f || Z > 1.0f) return true;
    }
    return false;
}

bool ProjectPreviewPoint(const PreviewView& v, float x, float y, float z, PreviewPoint* out)
{
    float X = 0, Y = 0, Z = 0;
    if (!ToPreviewCamera(v, x, y, z, &X, &Y, &Z)) return false;
    const float px = X * v.fullScale + 416.0f + v.panX;
    const float py = Y * v.fullScale + 416.0f + v.panY;
    // Comparisons written so that not-a-number fails them.
    if (!(px > 0.0f && px < 832.0f && py > v.bottomRow && py < v.topRow)) return false;
    *out = {px, py, (Z * v.depthScale + 1.0f) * 416.0f, Z * 0.4f + 0.6f};
    return true;
}

bool ProjectInsetPoint(const PreviewView& v, float x, float y, float z, PreviewPoint* out)
{
    float X = 0, Y = 0, Z = 0;
    if (!ToPreviewCamera(v, x, y, z, &X, &Y, &Z)) return false;
    const float px = X * v.zoom * 104.0f + 728.0f + v.insetPanX;
    const float py = Y * v.zoom * 104.0f + 103.0f + v.insetPanY;
    if (!(px > 624.0f && px < 832.0f && py > 0.0f && py < 208.0f)) return false;
    *out = {px, py, (Z * v.depthScale + 1.0f) * 256.0f, Z * 0.4f + 0.6f};
    return true;
}

// ---- [emitters] ----------------------------------------------------------------
namespace {

inline void SetPointColor(const PreviewView& v, float b, int i)
{
    if (v.rgb) {
        const float k = b / 255.0f;
        glColor3f(gPointColorR[i] * k, gPointColorG[i] * k, gPointColorB[i] * k);
    } else {
        glColor3f(b, b, b);
    }
}

}  // namespace

void EmitPreviewPoints(const PreviewView& v, bool dirty)
{
    const int first = gSlotBatchStart[0];
    const int end = first + kPreviewPointsPerBatch;
    if (dirty) {
        const float offsetX = gPreviewTargetAvailable ? 0.0f : kPreviewLeft;
        const float offsetY = gPreviewTargetAvailable ? 0.0f : kPreviewBottom;
        for (int i = first; i < end; ++i) {
            PreviewPoint p;
            if (!ProjectPreviewPoint(v, gPointX[i], gPointY[i], gPointZ[i], &p)) continue;
            SetPointColor(v, p.brightness, i);
            glVertex3f(p.px + offsetX, p.py + offsetY, p.depth);
        }
        return;
    }
    for (int i = first; i < end; ++i) {
        PreviewPoint p;
        if (!ProjectPreviewPoint(v, gPointX[i], gPointY[i], gPointZ[i], &p)) continue;
        // The projection keeps px and py inside the planes; the cast cannot
        // reach 832 in either.
        const int index = static_cast<int>(p.py) * kPreviewSize + static_cast<int>(p.px);
        if (!(p.depth > gPreviewDepth[index])) continue;
        gPreviewDepth[index] = p.depth;
        gPreviewPlanes[0][index] = gPointColorR[i];
        gPreviewPlanes[1][index] = gPointColorG[i];
        gPreviewPlanes[2][index] = gPointColorB[i];
        gPreviewPlanes[3][index] = gPointColorIndex[i];
    }
}

void EmitPreviewPointsB(const PreviewView& v)
{
    if (gSymmetryOn.load()) ApplySymmetry(0);
    const int first = gSlotBatchStart[0];
    const int end = first + kPreviewPointsPerBatch;
    for (int i = first; i < end; ++i) {
        PreviewPoint p;
        if (!ProjectInsetPoint(v, gPointX[i], gPointY[i], gPointZ[i], &p)) continue;
        SetPointColor(v, p.brightness, i);
        glVertex3f(p.px + kPreviewLeft, p.py + kPreviewBottom, p.depth);
    }
}

void ClearPreviewPlanes()
{
    std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
}

// ---- [screen 6] ----------------------------------------------------------------
namespace {

void CallList(unsigned list)
{
    if (list) glCallList(list);
}

void TexturedPreviewQuad(float x0, float y0, float x1, float y1)
{
    TexturedQuad(x0, y0, x1, y1, kPreviewDepth, kPreviewTexelsShown);
}

void DrawShownRowsFrame(float r, float g, float b)
{
    glColor3f(r, g, b);
    OutlineQuad(kPreviewLeft, static_cast<float>(gPreviewFirstRow) + kPreviewBottom, kPreviewRight,
                static_cast<float>(gPreviewLastRow) + kPreviewBottom, kPreviewFrameDepth);
}

enum class Emitter { kFullArea, kInsetWhenNoTarget };

// The kernel runs on the window thread for slot 0, which a running render
// owns: with threads alive the preview plots nothing new.
void RunPreviewBatches(const PreviewView& v, bool dirty, Emitter emitter)
{
    if (gRenderActive.load()) return;
    const int batches = kPreviewBatchCount[gPreviewTargetAvailable ? 1 : 0];
    const FractalKernel kernel = gFractalTypeKernel.load(std::memory_order_relaxed);
    for (gPreviewBatchIndex = 0; gPreviewBatchIndex < batches; ++gPreviewBatchIndex) {
        kernel(0);
        if (emitter == Emitter::kInsetWhenNoTarget && !gPreviewTargetAvailable) {
            EmitPreviewPointsB(v);
            continue;
        }
        if (gSymmetryOn.load()) ApplySymmetry(0);
        EmitPreviewPoints(v, dirty);
    }
}

void BeginDirtyPoints()
{
    if (gPreviewTargetAvailable) BeginPreviewTarget();
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
}

// Ends the points; with the target, shows it as one textured quad.
void EndDirtyPoints(float x0, float y0, float x1, float y1)
{
    glEnd();
    if (!gPreviewTargetAvailable) return;
    EndPreviewTarget();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gPreviewTargetTexture);
    glColor3f(0.0f, 0.0f, 0.0f);
    TexturedPreviewQuad(x0, y0, x1, y1);
}

// Settled: the shading every 41st frame; with the baseshape animation on,
// every fifth shading moves the baseshapes and starts the planes afresh.
void CountSettledFrame()
{
    if (++gSplashFrameCount > kSettledFrameCycle) gSplashFrameCount = 0;
    if (gSplashFrameCount != 2) return;
    ShadeFull();
    ++gSettledShadings;
    if (!BaseshapeAnimationOn()) return;
    if (!TickBaseshapeAnimation(0)) return;
    SetSymmetryRotation(1);
    ClearPreviewPlanes();
}

void DrawSettledPreview()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gPreviewTexture);
    glColor3f(0.0f, 0.0f, 0.0f);
    TexturedPreviewQuad(kPreviewLeft, kPreviewBottom, kPreviewRight, kPreviewTop);
    CallList(gGridOverlayList);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    DrawShownRowsFrame(1.0f, 1.0f, 0.0f);
}

}  // namespace

namespace {

// The batches of a frame into the given area; a refresh clears the area
// first, and the settled preview is drawn from its texture. Dirty points at
// rest are drawn from the target that keeps them, without new batches
// (without a target nothing keeps them, so a frame drawn plots them anew).
void DrawPreviewPoints(Emitter emitter, float x0, float y0, float x1, float y1, bool redFrame)
{
    const bool dirty = gPreviewRefresh != 0;
    const bool rested = PointPreviewSettled();
    if (rested && !dirty) {
        DrawSettledPreview();
        return;
    }
    const PreviewView v = LoadPreviewView();
    if (dirty) BeginDirtyPoints();
    if (!rested || !gPreviewTargetAvailable) RunPreviewBatches(v, dirty, emitter);
    if (dirty) {
        if (!rested) ++gDirtyFrames;
        EndDirtyPoints(x0, y0, x1, y1);
        CallList(gGridOverlayList);
        gSplashFrameCount = 0;
        gSettledShadings = 0;
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        if (redFrame) DrawShownRowsFrame(1.0f, 0.0f, 0.0f);
        return;
    }
    CountSettledFrame();
    DrawSettledPreview();
}

}  // namespace

bool PointPreviewGathers()
{
    return gScreenState.load() == kScreenPointPreview && gPreviewRefresh == 0 && !PointPreviewSettled() &&
           !gRenderActive.load();
}

bool GatherSettledPoints()
{
    if (!PointPreviewGathers()) return false;
    RunPreviewBatches(LoadPreviewView(), false, Emitter::kFullArea);
    CountSettledFrame();
    return true;
}

// DrawPointPreviewPbuffer in the original design.
void DrawPointPreview()
{
    DrawPreviewPoints(Emitter::kFullArea, kPreviewLeft, kPreviewBottom, kPreviewRight, kPreviewTop, true);
}

void DrawPreview3DPoints()
{
    DrawPreviewPoints(Emitter::kInsetWhenNoTarget, 1324.0f, kPreviewBottom, kPreviewRight, 368.0f, false);
}

// ---- [screen 5] ----------------------------------------------------------------
namespace {

// Column-major view presets: from above, from the side, the front.
const float kViewPresets[3][16] = {
    {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1},
    {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1},
    {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
};

struct CirclePoint {
    float x, y;
};

// 72 points of the unit circle at 5 degree steps.
const CirclePoint* CircleTable()
{
    static const auto table = [] {
        std::array<CirclePoint, 72> points{};
        for (int i = 0; i < 72; ++i) {
            const double a = i * 5.0 * 3.14159265358979323846 / 180.0;
            points[i] = {static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))};
        }
        return points;
    }();
    return table.data();
}

void LoadViewPresetZoomPan(float panX, float panY, float panZ)
{
    const int preset = std::clamp(gPreview3DViewPreset, 0, 3);
    glLoadMatrixf(preset == 3 ? gPreview3DFreeView : kViewPresets[preset]);
    glScalef(gFocal, gFocal, gFocal);
    glTranslatef(panX, panY, panZ);
}

// The preview area without the inset: everything of the scene stays out of
// the lower right corner where the points are plotted.
void MaskOutInset()
{
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    // The L shape as two quads: GL fills only convex polygons reliably.
    FlatQuad(700.0f, 160.0f, 1324.0f, 992.0f, 20.0f);
    FlatQuad(1324.0f, 368.0f, 1532.0f, 992.0f, 20.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void DrawTransformations()
{
    const CirclePoint* circle = CircleTable();
    const TransformCoefficients& c = gTransformCoefficients;
    const int count = std::clamp(gPickTransformCount, 0, kMaxTransforms);
    const int selected = SelectedPreviewTransformation();
    for (int t = 0; t < count; ++t) {
        if (t == selected) {
            glColor3f(1.0f, 1.0f, 0.0f);
        } else {
            glColor3f(0.0f, 0.0f, 0.5f);
        }
        glPointSize(3.0f);
        glBegin(GL_POINTS);
        for (int i = 0; i < 72; ++i) {
            const float x = circle[i].x, y = circle[i].y;
            glVertex3f(c.m00[t] * x + c.m01[t] * y + c.tx[t], c.m10[t] * x + c.m11[t] * y + c.ty[t],
                       c.m20[t] * x + c.m21[t] * y + c.tz[t]);
        }
        glEnd();
        glPointSize(1.0f);
        const float axes[3][3] = {{c.m00[t], c.m10[t], c.m20[t]}, {c.m01[t], c.m11[t], c.m21[t]},
                                  {c.m02[t], c.m12[t], c.m22[t]}};
        glBegin(GL_LINES);
        for (int k = 0; k < 3; ++k) {
            glColor3f(0.0f, 0.0f, 0.0f);
            glVertex3f(c.tx[t], c.ty[t], c.tz[t]);
            glColor3f(k == 0 ? 1.0f : 0.0f, k == 1 ? 1.0f : 0.0f, k == 2 ? 1.0f : 0.0f);
            glVertex3f(c.tx[t] + axes[k][0], c.ty[t] + axes[k][1], c.tz[t] + axes[k][2]);
        }
        glEnd();
    }
}

void DrawLights()
{
    const CirclePoint* circle = CircleTable();
    const int selected = EditedLight();
    for (int l = 0; l < kLightCount; ++l) {
        const LightSource& light = gShader.lights[l];
        if (!light.enabled) continue;
        const float tip = l == selected ? 1.0f : 0.5f;
        glBegin(GL_LINES);
        for (int i = 0; i < 72; i += 2) {
            const float x = circle[i].x * light.radius, y = circle[i].y * light.radius;
            const float* f = light.orientation;  // row-major, circle in the light's xy plane
            glColor3f(0.0f, 0.0f, 0.0f);
            glVertex3f(light.position[0] + f[0] * x + f[1] * y, light.position[1] + f[3] * x + f[4] * y,
                       light.position[2] + f[6] * x + f[7] * y);
            glColor3f(tip, tip, 0.25f * tip);
            glVertex3fv(light.position);
        }
        glEnd();
        if (l == selected) {
            glPointSize(15.0f);
            glColor3f(1.0f, 1.0f, 1.0f);
            glBegin(GL_POINTS);
            glVertex3fv(light.position);
            glEnd();
            glPointSize(1.0f);
        }
    }
}

// Scales what lies behind it by a quarter.
void DrawFloor()
{
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
    glColor3f(0.125f, 0.125f, 0.125f);
    glBegin(GL_QUADS);
    glVertex3f(-5.0f, 0.0f, -5.0f);
    glVertex3f(5.0f, 0.0f, -5.0f);
    glVertex3f(5.0f, 0.0f, 5.0f);
    glVertex3f(-5.0f, 0.0f, 5.0f);
    glEnd();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (!blending) glDisable(GL_BLEND);
}

}  // namespace

void Preview3DViewRotation(float* m)
{
    const int preset = std::clamp(gPreview3DViewPreset, 0, 3);
    const float* v = preset == 3 ? gPreview3DFreeView : kViewPresets[preset];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) m[3 * r + c] = v[4 * c + r];
}

void DrawPreview3D()
{
    TickBaseshapeAnimation(1);
    gPreview3DViewPreset = OpenEditorViewPreset(gPreview3DViewPreset);
    MaskOutInset();

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glViewport(static_cast<int>(700.0f / gMouseScaleX), static_cast<int>(160.0f / gMouseScaleY),
               static_cast<int>(832.0f / gMouseScaleX), static_cast<int>(832.0f / gMouseScaleY));
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -9.0, 9.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);

    // The baseshape editor's current baseshape shows red while its tab is open.
    const int selectedShape = SelectedPreviewBaseshape();
    BeginWireframeLayer();
    for (int i = 0; i < std::clamp(gBaseshapeCount, 0, kMaxBaseshapes); ++i) {
        LoadViewPresetZoomPan(gPreview3DPan[0], gPreview3DPan[1], gPreview3DPan[2]);
        glMultMatrixf(gBaseshapes[i].glMatrix);
        if (i == selectedShape) {
            glColor3f(1.0f, 0.0f, 0.0f);
        } else {
            glColor3f(0.0f, 0.5f, 0.0f);
        }
        DrawBaseshapePreview(i);
    }
    EndWireframeLayer();
    LoadViewPresetZoomPan(gPreview3DPan[0], gPreview3DPan[1], gPreview3DPan[2]);
    glPushMatrix();
    glTranslatef(gViewCentre[0], gViewCentre[1], gViewCentre[2]);
    CallList(gOpengl.cubeList);
    glPopMatrix();
    CallList(gOpengl.pointCloudList);
    glScalef(2.0f, 2.0f, 2.0f);
    DrawTransformations();
    DrawLights();
    DrawFloor();

    LoadViewPresetZoomPan(std::fmod(gPreview3DPan[0], 0.5f), gPreview3DPan[1], std::fmod(gPreview3DPan[2], 0.5f));
    CallList(gOpengl.axesList);

    glViewport(0, 0, gViewportWidth, gViewportHeight);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);

    DrawPreview3DPoints();
    glDisable(GL_DEPTH_TEST);
    glColor3f(1.0f, 0.0f, 0.0f);
    OutlineQuad(1324.0f, kPreviewBottom, kPreviewRight, 368.0f, 60.0f);
    glEnable(GL_DEPTH_TEST);
}

// ---- [point cloud] -------------------------------------------------------------
void BuildPointCloudList()
{
    if (gRenderActive.load()) return;
    if (gOpengl.pointCloudList != 0) glDeleteLists(gOpengl.pointCloudList, 1);
    gOpengl.pointCloudList = glGenLists(1);
    const FractalKernel kernel = gFractalTypeKernel.load(std::memory_order_relaxed);
    // The kernel runs before the list opens: the points are recorded, not
    // the work that made them.
    static float points[2][kSlotBatchSize][3];
    for (auto& batch : points) {
        kernel(0);
        const int first = gSlotBatchStart[0];
        for (int i = 0; i < kSlotBatchSize; ++i) {
            batch[i][0] = gPointX[first + i];
            batch[i][1] = gPointY[first + i];
            batch[i][2] = gPointZ[first + i];
        }
    }
    glNewList(gOpengl.pointCloudList, GL_COMPILE);
    glEnable(GL_DEPTH_TEST);
    glColor3f(0.75f, 0.75f, 0.75f);
    glBegin(GL_POINTS);
    for (const auto& batch : points)
        for (const auto& p : batch)
            if (std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2])) glVertex3fv(p);
    glEnd();
    glEndList();
}
