// The one path presses, drags and wheel notches take to the widgets: the
// control tables of the page on screen (app/control_tables.h), in their
// order, then the view's zoom sliders. A widget that is not drawn takes
// nothing.
//
//   [edit mode]   the editors' 3-D preview entered and left
//   [OnClick]     the order every press goes through
//   [drags]       the held control follows the pointer
//   [wheel]       the first shown control under the pointer takes the notch
#include "app/input_clicks.h"

#include <cmath>
#include <cstdio>

#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/text_field.h"
#include "app/pointer_state.h"
#include "app/view_zoom.h"
#include "editors/random_fractal.h"
#include "editors/xforms_editor.h"
#include "engine/status_line.h"
#include "platform/desktop/platform_events.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"
#include "ui/widget.h"
#include "engine/baseshape_seed_pick.h"

namespace {

constexpr int kMaxRenderSide = 3072;

void StopRenderForChange()
{
    gRenderRunFlag.store(0);
    gRenderCoordinatorThread.WaitFor(kRenderStopWaitMs);
}

bool AnyEditBoxOn() { return gBaseShapeEditorOpen || gXFormsEditorOpen || gPanel.lightEditOn; }

}  // namespace

// "Panel" may show the point preview in edit mode, so the screen does not
// tell whether it is on.
bool gEditModeOn = false;

// ---- [edit mode] ----------------------------------------------------------------

void EnterEditMode()
{
    gRenderInBuffers = 1;
    gZoom3DSlider.visible = 1;
    gZoomSlider.visible = 0;
    StopRenderForChange();
    // A second editor's box turned on finds "Continue" already taken: what
    // the first found stays.
    if (!gEditModeOn)
        gContinueAllowed = gScreenState.load() < kScreenPreview3D ? 1 : (ButtonEnabled(kButtonContinue) ? 1 : 0);
    gEditModeOn = true;
    for (MainButtonId id : {kButtonStop, kButtonDraw, kButtonPreview, kButtonRender, kButtonContinue})
        EnableButton(id, false);
    EnableActionButton(kActionNewFractal, false);
    gPanel.viewPanel = 1;  // "Vector"
    gPointPreviewValid = 0;
    gScreenState = kScreenPreview3D;
    BuildPointCloudList();
}

void LeaveEditMode(bool regeneratePoints)
{
    EnableButton(kButtonContinue, gContinueAllowed != 0);
    gZoom3DSlider.visible = 0;
    gZoomSlider.visible = 1;
    for (MainButtonId id : {kButtonRender, kButtonPreview, kButtonDraw}) EnableButton(id, true);
    EnableActionButton(kActionNewFractal, true);
    if (regeneratePoints) {
        gFractalTypeKernel.load()(0);
        if (gSymmetryOn.load()) ApplySymmetry(0);
    }
    gPointPreviewValid = 0;
    gScreenState = kScreenPointPreview;
    gEditModeOn = false;
}

bool EditModeOn() { return gEditModeOn; }

bool EndEditModeWithoutBoxes(bool regeneratePoints)
{
    if (AnyEditBoxOn() || !(gEditModeOn || gScreenState.load() == kScreenPreview3D)) return false;
    LeaveEditMode(regeneratePoints);
    return true;
}

void ClampRenderResolution()
{
    for (float& side : gPanel.renderSize) {
        float v = std::floor(side);
        if (!(v <= kMaxRenderSide)) v = kMaxRenderSide;  // also not-a-number
        side = v;
    }
}

const char* SideLengthReadout(float length)
{
    static char text[48];
    std::snprintf(text, sizeof text, length >= 10.0f ? " in (%2.3f cm)" : "in (%2.3f cm)",
                  static_cast<double>(length * 2.54f));
    return text;
}

// ---- [OnClick] --------------------------------------------------------------------

namespace {

// The editors' own "Edit" boxes decide the 3-D preview; while one is on,
// "Panel" may choose the point preview ("Points"), which holds until a box
// is turned on again. The last box turned off leaves edit mode whichever
// view "Panel" shows.
void FollowEditorBoxes(uint8_t baseshapeBefore, uint8_t xformsBefore)
{
    const bool editing = gBaseShapeEditorOpen || gXFormsEditorOpen;
    const bool turnedOn = (gBaseShapeEditorOpen && !baseshapeBefore) || (gXFormsEditorOpen && !xformsBefore);
    const bool pointsChosen = gPanel.viewPanel == 0;
    if (editing && (turnedOn || !pointsChosen) && gScreenState.load() != kScreenPreview3D) {
        if (gXFormsEditorOpen) UpdateTransformProbabilities();
        EnterEditMode();
    } else {
        EndEditModeWithoutBoxes(true);
    }
}

bool TransformationPageShown() { return gCurrentTab == kTabEditors && gPanel.editorPage == kPageTransformations; }

// A transformation file can bring another fractal type (its kernel came
// with it): a type picked and waiting is dropped, the preview's orbit starts
// again from the start point, and the view is reset and fitted to the new
// fractal.
void FollowEditorFractalType(int32_t typeBefore)
{
    if (gFractalType == typeBefore) return;
    gPanel.fractalTypeRequest = kNoFractalTypeRequest;
    gSlotPoint.x[0] = kRandomFractalStart[0];
    gSlotPoint.y[0] = kRandomFractalStart[1];
    gSlotPoint.z[0] = kRandomFractalStart[2];
    gSlotQuaternionPoint[0] = QuaternionPoint{kRandomFractalStart[0], kRandomFractalStart[1], kRandomFractalStart[2], 0.0f};
    const int last = gSlotBatchLast[0];
    gPointX[last] = kRandomFractalStart[0];
    gPointY[last] = kRandomFractalStart[1];
    gPointZ[last] = kRandomFractalStart[2];
    gFractalTypeKernel.load()(0);
    if (gSymmetryOn.load()) ApplySymmetry(0);
    gPanX = gPanY = 0.0f;
    gZoom = 1.0f;
    gZoomSlider.value = 1.0f;
    UpdateViewScaleAndCentre();
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
    gPreviewDepthRange = 1.0f;
    BuildPointCloudList();
    gPointPreviewValid = 0;
}

// What closing an editor's "Edit" box asks beyond leaving the 3-D preview:
// the baseshape editor warns of baseshapes beyond the fitted depth, the
// transformation editor widens the preview's depth range to the points.
void FollowClosedEditors(bool baseshapeWasOpen, bool xformsWasOpen)
{
    if (baseshapeWasOpen && !gBaseShapeEditorOpen && gBaseshapeCount > 0 && PreviewPointsOutsideDepth())
        SetStatusText("One Baseshape is out of the corners, use SCALE button");
    if (xformsWasOpen && !gXFormsEditorOpen) gPreviewDepthRange = PreviewPointsDepthRange();
}

// The picker of types 46 and 49 follows the pointer at a quicker tick while
// the transformation editor is open.
void FollowPickerTimer()
{
    static uint8_t wasOpen = 0;
    if (gXFormsEditorOpen == wasOpen) return;
    wasOpen = gXFormsEditorOpen;
    if (gFractalType == 46 || gFractalType == 49 || !wasOpen)
        SetFrameTimer(wasOpen ? kPickerTimerIntervalMs : kTimerIntervalMs);
}

}  // namespace

void OnClick(int x, int y)
{
    const bool baseshapeWasOpen = gBaseShapeEditorOpen != 0, xformsWasOpen = gXFormsEditorOpen != 0;
    const int32_t typeBefore = gFractalType;
    UpdateControlPage();
    const uint8_t baseshapeEditing = gBaseShapeEditorOpen, xformsEditing = gXFormsEditorOpen;
    const Control* took = nullptr;
    const std::span<const ControlTable> tables = ControlTables();
    for (size_t i = 0; i < tables.size(); ++i) {
        if (tables[i].data() == WindowBottomControls().data()) {
            // Before the buttons under the preview: the preview is shown
            // afresh unless an editor holds the 3-D view.
            if (!AnyEditBoxOn() && gPreviewRefresh) gRenderInBuffers = 0;
        }
        if (const Control* c = PressControls(tables[i], x, y); c != nullptr && took == nullptr) took = c;
        if (i == 0 && gParamHelpWindow.Click(x, y) == 1) {
            // The parameter help: a pick opens the field on the row clicked.
            OpenPickedParameter();
        }
    }
    if (TransformationPageShown() && took == nullptr) gXFormsEditor.HandleAreaClick(x, y);
    if (gCurrentTab == kTabEditors) {
        FollowEditorBoxes(baseshapeEditing, xformsEditing);
        FollowClosedEditors(baseshapeWasOpen, xformsWasOpen);
        FollowEditorFractalType(typeBefore);
    }
    FollowPickerTimer();
    gHeldControl = took;
    // The zoom sliders take a press strictly inside.
    if (gZoomSlider.visible) gZoomSlider.Click(x, y);
    if (gZoom3DSlider.visible) {
        gZoom3DSlider.value = gFocal;  // a drag starts from the zoom in force
        gZoom3DSlider.Click(x, y);
    }
}

// ---- [drags] ----------------------------------------------------------------------

void DragWidgets()
{
    // The zoom slider of the point preview scales the view.
    if (gScreenState.load() >= kScreenPreview3D && gRenderInBuffers == 0 && gVoxelEngineOn == 0 && gZoomSlider.held &&
        gZoomSlider.Drag()) {
        const float f = gZoomSlider.lastChange >= 0.0f ? 1.02f : 0.98f;
        gZoom *= f;
        gPanX *= f;
        gPanY *= f;
        UpdateViewScaleAndCentre();
        gPointPreviewValid = 0;
    }
    if (gZoom3DSlider.visible && gZoom3DSlider.held && gZoom3DSlider.Drag()) {
        SetPreviewFocal(gZoom3DSlider.Value());
        gPointPreviewValid = 0;
    }
    if (gDragGroup == 0 || gDragGroup == 12 || gHeldControl == nullptr) return;
    UpdateControlPage();
    DragControl(*gHeldControl, gPointerX, gHoverY);
}

void FinishWidgetDrags()
{
    gZoomSlider.held = gZoom3DSlider.held = 0;
    gLightTrackBall.changed = 0;
    gHeldControl = nullptr;
    FinishDeferredReshade();
}

// ---- [wheel] ----------------------------------------------------------------------

bool RouteWheelToWidgets(int x, int y, int delta)
{
    if (!gInterfaceBuilt) return false;
    UpdateControlPage();
    for (ControlTable table : ControlTables())
        if (WheelControls(table, x, y, delta)) return true;
    if (TransformationPageShown() && gXFormsEditor.HandleAreaWheel(x, y, delta)) return true;
    if (gScreenState.load() >= kScreenPreview3D && gRenderInBuffers == 0 && gVoxelEngineOn == 0 &&
        gZoomSlider.visible && gZoomSlider.Wheel(x, y, delta > 0 ? -2.0f : 2.0f)) {
        const float f = delta < 0 ? 0.95f : 1.05f;
        gZoom *= f;
        gPanX *= f;
        gPanY *= f;
        UpdateViewScaleAndCentre();
        ClearPreviewTarget();
        return true;
    }
    if (gZoom3DSlider.visible && HitStrict(static_cast<float>(x), static_cast<float>(y), gZoom3DSlider.x0,
                                           gZoom3DSlider.y0, gZoom3DSlider.x1, gZoom3DSlider.y1)) {
        SetPreviewFocal(gFocal + (delta > 0 ? 10.0f : -10.0f) * gZoom3DSlider.step);
        ClearPreviewTarget();
        return true;
    }
    return false;
}
