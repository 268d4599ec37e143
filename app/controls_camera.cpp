// The "Camera" page: render size, projection, the light ball, the view
// controls and symmetry.
#include <cmath>
#include <cstring>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/interface_panel.h"
#include "app/panel_state.h"
#include "engine/status_line.h"
#include "engine/fractal_model.h"
#include "platform/desktop/gl_window.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"
#include "shading/animation_step.h"
#include "engine/baseshape_seed_pick.h"

namespace {

bool PerspectiveOn() { return SharedLoad(gPerspectiveOn) != 0; }
bool SymmetryOn() { return gSymmetryOn.load() != 0; }
// "Sides:" shapes the rotation and dihedral modes only.
bool SidesShown()
{
    const int mode = gSymmetryMode.load();
    return SymmetryOn() && ((mode >= 10 && mode <= 12) || (mode >= 17 && mode <= 19));
}

void ProjectionChosen()
{
    SharedStore(gPerspectiveOn, static_cast<uint8_t>(SharedLoad(gProjectionSelector) == 1 ? 1 : 0));
}

// The perspective value of the projection: 1 - tan(half the angle).
void PerspectiveChanged()
{
    gPerspectiveEye = 1.0f - std::tan(gPanel.perspectiveAngle * 0.008726646f);
    gPointPreviewValid = 0;
}

void ShadowsChosen() { SetStatusText("Look in the Shaders TAB for shadow type options."); }

// The camera rotation of each "Fixed View" label.
struct FixedView {
    const char* label;
    float m[9];
};
const FixedView kFixedViews[] = {
    {"R", {1, 0, 0, 0, 1, 0, 0, 0, 1}},  {"L", {-1, 0, 0, 0, 1, 0, 0, 0, -1}}, {"D", {1, 0, 0, 0, 0, -1, 0, 1, 0}},
    {"U", {1, 0, 0, 0, 0, 1, 0, -1, 0}}, {"B", {0, 0, 1, 0, 1, 0, -1, 0, 0}},  {"F", {0, 0, -1, 0, 1, 0, 1, 0, 0}},
};

void FixedViewChosen()
{
    const char* label = FixedViewLabel(gPanel.fixedView);
    const FixedView* view = nullptr;
    for (const FixedView& v : kFixedViews)
        if (std::strcmp(v.label, label) == 0) view = &v;
    if (view == nullptr || gVoxelEngineOn) return;
    gRenderRunFlag.store(0);
    gRenderCoordinatorThread.WaitFor(kRenderStopWaitMs);
    for (int i = 0; i < 9; ++i) {
        SharedStore(gCameraRotation[i], view->m[i]);
        SharedStore(gCameraMatrix[i], view->m[i]);
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) SharedStore(gCameraGLMatrix[4 * j + i], view->m[3 * i + j]);
    std::memcpy(gInterface.savedCamera, view->m, sizeof gInterface.savedCamera);
    ClearRenderBuffers();
}

// The sizes of "Resolution presets" rows 1..17 (row 0 is the screen's).
const int kPresetSizes[17][2] = {{512, 512},   {832, 832},   {800, 600},   {1024, 768},  {1280, 720},  {1280, 800},
                                 {1280, 1024}, {1360, 768},  {1366, 768},  {1440, 900},  {1600, 900},  {1680, 1050},
                                 {1920, 1080}, {1024, 1024}, {2048, 2048}, {2560, 2560}, {3072, 3072}};

void ResolutionPresetChosen()
{
    const int row = gPanel.resolutionPreset;
    int w = 0, h = 0;
    if (row == 0) {
        GetScreenSize(&w, &h);
    } else if (row >= 1 && row <= 17) {
        w = kPresetSizes[row - 1][0];
        h = kPresetSizes[row - 1][1];
    } else {
        return;
    }
    gPanel.renderSize[0] = static_cast<float>(w);
    gPanel.renderSize[1] = static_cast<float>(h);
    ClampRenderResolution();
}

// "*2": both sides doubled (whole numbers first), within 3072.
void DoubleRenderResolution()
{
    ClearActionPressed(kActionTimesTwo);
    for (float& side : gPanel.renderSize) side = 2.0f * std::floor(side);
    ClampRenderResolution();
}

// "Symmetry": row 0 "Normal" (off), row m + 1 mode m.
float SymmetryRow(int) { return gSymmetryOn.load() ? static_cast<float>(gSymmetryMode.load() + 1) : 0.0f; }
void ChooseSymmetry(int, float v)
{
    const int selection = CheckedTruncToInt(v);
    if (selection < 0 || selection > kSymmetryModeCount) return;
    const bool fourSides = gFractalType == 1 && static_cast<int>(gSymmetryFoldCount.load()) == 4;
    gSymmetrySeparation.store(fourSides ? 0.0f : 1.0f);
    if (selection == 0) {
        gSymmetryMode.store(kSymmetryModeNormal);
        gSymmetryOn.store(0);
    } else {
        gSymmetryMode.store(selection - 1);
        SetStatusText("Use the SCALE Button in order to recalculate the new corners");
        gSymmetryOn.store(1);
        SetSymmetryCopyWeights();
    }
}

// A symmetry parameter this close to 0 is 0.
void SeparationChanged()
{
    if (std::fabs(gSymmetrySeparation.load()) < 0.01f) gSymmetrySeparation.store(0.0f);
}

void SidesChanged()
{
    SetSymmetryCopyWeights();
    if (gFractalType == 1 && static_cast<int>(gSymmetryFoldCount.load()) == 4) gSymmetrySeparation.store(0.0f);
}

float SensitivityRow(int) { return static_cast<float>(gInterface.ControlSensitivityRow()); }
void ChooseSensitivity(int, float v) { gInterface.SetControlSensitivityRow(CheckedTruncToInt(v)); }
float GridRow(int) { return static_cast<float>(gInterface.GridRow()); }
void ChooseGrid(int, float v) { gInterface.SetGridRow(CheckedTruncToInt(v)); }

Control Camera(Control c) { return c.On(kTabCamera); }
Control Button(ActionButtonId id, const char* name)
{
    return Camera(Bind(gActionButtons[id], name).Value(&gActionButtonEnabled[id]));
}

Interface& I() { return gInterface; }

const Control kCamera[] = {
    Button(kActionChange, "Change"),
    Button(kActionResetPosition, "Reset Position"),
    Button(kActionResetRotation, "Reset Rotation"),
    Button(kActionScale, "Scale"),
    Camera(Bind(I().projection, "Projection"))
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gProjectionSelector)
        .Effects(kEffectReplot)
        .Then(ProjectionChosen),
    Camera(Bind(gEnable2xAABox, "Enable 2X AA.")).ActiveWhen(NoRenderOnScreen).Value(&gPanel.antiAlias2x),
    Camera(Bind(gPerspectiveWindow, "Perspective"))
        .When(PerspectiveOn)
        .Value(&gPanel.perspectiveAngle)
        .Effects(kEffectReplot | kEffectClearPreviewTarget)
        .Then(PerspectiveChanged)
        .Wheel(1)
        .Draw(140),
    Camera(BindLayered(I().separation, "Separation"))
        .When(SymmetryOn)
        .Value(&gSymmetrySeparation)
        .Effects(kEffectReplot | kEffectClearPreviewTarget)
        .Then(SeparationChanged)
        .Wheel(0.1f)
        .Draw(90),
    Camera(Bind(gRenderResolutionWindow, "Render Resolution:"))
        .Value(gPanel.renderSize, 2)
        .Then(ClampRenderResolution)
        .Wheel(16)
        .Draw(64),
    Button(kActionTimesTwo, "*2").ActiveWhen(NoRenderOnScreen).Then(DoubleRenderResolution),
    Camera(Bind(gLightTrackBall, "Light"))
        .ActiveWhen(NoRenderOnScreen)
        .Value(gLightTrackBallA, 3)
        .Effects(kEffectReshade)
        .Then(FollowLightBall)
        .Wheel(10)
        .Draw(1),
    Camera(Bind(I().controlSensitivity, "Control Sensitivity"))
        .Derived(SensitivityRow, ChooseSensitivity),
    Camera(Bind(I().grid, "Grid")).Derived(GridRow, ChooseGrid).Effects(kEffectReplot),
    Camera(Bind(I().shadows, "Shadows"))
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gFastShadowUpdate)
        .Then(ShadowsChosen),
    Camera(Bind(I().fixedView, "Fixed View"))
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gPanel.fixedView)
        .Effects(kEffectReplot)
        .Then(FixedViewChosen),
    Camera(BindLayered(I().sides, "Sides:"))
        .When(SidesShown)
        .Value(&gSymmetryFoldCount)
        .Effects(kEffectReplot | kEffectClearPreviewTarget)
        .Then(SidesChanged)
        .Wheel(1)
        .Draw(64),
    // The drop boxes open downwards over what lies below: drawn last.
    Camera(Bind(I().resolutionPresets, "Resolution presets"))
        .Value(&gPanel.resolutionPreset)
        .Then(ResolutionPresetChosen)
        .Wheel(1),
    Camera(Bind(I().symmetry, "Symmetry"))
        .Derived(SymmetryRow, ChooseSymmetry)
        .Effects(kEffectReplot)
        .Wheel(1),
};

}  // namespace

ControlTable CameraControls() { return kCamera; }
