// The smaller pages: "About", "Voxels" and "Animation".
#include <cstring>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/frame.h"
#include "app/help_pages.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/render_control.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "engine/baseshape_seed_pick.h"

namespace {

Interface& I() { return gInterface; }

Control Button(ActionButtonId id, const char* name, int tab)
{
    return Bind(gActionButtons[id], name).On(tab).Value(&gActionButtonEnabled[id]);
}

// ---- [about] --------------------------------------------------------------------

void OpenNews()
{
    ClearActionPressed(kActionNews);
    OpenHelpPage("news");
}

const Control kAbout[] = {
    Button(kActionNews, "TALVORAN News", kTabAbout).Then(OpenNews),
};

// ---- [voxels] -------------------------------------------------------------------

// The mesh options show while the engine runs; "Fill Baseshapes when
// possible" before it starts.
bool EngineOn() { return SharedLoad(gVoxelEngineOn) != 0; }
bool EngineOff() { return !EngineOn(); }
bool WallShown() { return EngineOn() && gPanel.interiorWall != 0; }
bool SideLengthShown() { return EngineOn() && gPanel.scaleMesh != 0; }

// Another cube size starts afresh from the point preview.
void VoxelResolutionChosen()
{
    gScreenState = kScreenPointPreview;
    StopRenderAndResetPanel();
}

Control Voxels(Control c) { return c.On(kTabVoxels); }

const Control kVoxels[] = {
    Button(kActionStartVoxelEngine, "Start the Voxel Engine", kTabVoxels),
    Button(kActionStlMesh, "STL Mesh", kTabVoxels),
    Button(kActionObjMesh, "OBJ Mesh", kTabVoxels),
    Button(kActionRawFile, "RAW File", kTabVoxels),
    Button(kActionPngSlices, "PNG Slices", kTabVoxels),
    Button(kActionStopVoxelEngine, "Stop the Voxel Engine", kTabVoxels),
    Voxels(Bind(I().voxelResolution, "Voxel Resolution")).Value(&gPanel.voxelResolution).Then(VoxelResolutionChosen),
    Voxels(Bind(I().interpolationType, "Interpolation Type"))
        .When(EngineOn)
        .Value(&gPanel.interpolation)
        .Effects(kEffectReplot),
    Voxels(Bind(I().densityThreshold, "Density Threshold      Thin <-*-> Thick"))
        .When(EngineOn)
        .Value(gPanel.density, 2)
        .Effects(kEffectReplot)
        .Wheel(0.05f)
        .Draw(110),
    Voxels(Bind(I().sideLength, "Side Length of the Voxel Volume:"))
        .When(SideLengthShown)
        .Value(&gPanel.sideLength)
        .Wheel(0.1f)
        .Draw(8),
    Voxels(Bind(I().interiorWall, "Interior Wall")).When(EngineOn).Value(&gPanel.interiorWall),
    Voxels(Bind(I().scaleMesh, "Scale the output Mesh")).When(EngineOn).Value(&gPanel.scaleMesh),
    Voxels(Bind(I().fillBaseshapes, "Fill Baseshapes when possible")).When(EngineOff).Value(&gFillBaseshapesOption),
    Voxels(Bind(I().wallThickness, "Wall Thickness (Voxels)"))
        .When(WallShown)
        .Value(gPanel.wallThickness, 2)
        .Effects(kEffectReplot)
        .Wheel(1)
        .Draw(110),
};

// ---- [animation] ----------------------------------------------------------------

// While checked, an animation keeps the camera saved when it was ticked.
void PreviewAnimationsSwitched()
{
    Interface& p = I();
    if (gPanel.previewAnimations) {
        std::memcpy(p.savedCamera, gCameraMatrix, sizeof p.savedCamera);
    } else {
        for (int i = 0; i < 9; ++i) SharedStore(gCameraMatrix[i], p.savedCamera[i]);
        gPointPreviewValid = 0;
    }
}

void AxisChosen() { I().SetAnimationAxis(I().axis.count - 1 - gPanel.axis); }

void ChooseOutput()
{
    ClearActionPressed(kActionOutputFilename);
    I().ChooseOutputFilename();
}

// "Render Animation" starts with the release: "Yes" runs the start.
void RenderAnimationPressed()
{
    gMainButtons[kButtonYes].pressed = 1;
    SharedStore(gAnimationOn, uint8_t{1});
}

Control Animation(Control c) { return c.On(kTabAnimation); }

const Control kAnimation[] = {
    Animation(Bind(I().previewAnimations, "Enable Preview Animations"))
        .Value(&gPanel.previewAnimations)
        .Then(PreviewAnimationsSwitched),
    Animation(Bind(I().renderParameters, "Render Parameters")).Value(gPanel.renderParameters, 3).Wheel(1).Draw(150),
    Animation(Bind(I().cycleFrames, "Number of Frames for a Complete Cycle")).Value(&gPanel.cycleFrames).Wheel(1).Draw(92),
    Button(kActionOutputFilename, "Output Filename", kTabAnimation).Then(ChooseOutput),
    Button(kActionRenderAnimation, "Render Animation", kTabAnimation).Then(RenderAnimationPressed),
    Animation(Bind(I().imageType, "Image Type")).Value(&gPanel.imageType),
    Animation(Bind(I().rotationAxis, "Rotation Axis")).Value(gPanel.rotationAxis, 3).Wheel(10),
    Animation(Bind(I().axis, "Axis")).Value(&gPanel.axis).Then(AxisChosen),
};

}  // namespace

ControlTable AboutControls() { return kAbout; }
ControlTable VoxelsControls() { return kVoxels; }
ControlTable AnimationControls() { return kAnimation; }
