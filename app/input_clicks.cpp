// The dispatch of presses, drags and wheel notches to the widgets of the
// shown tab.
//
//   [edit mode]   the editors' 3-D preview entered and left
//   [tabs]        each main tab's click handler
//   [OnClick]     the fixed order every press goes through
//   [drags]       the held widget follows the pointer
//   [wheel]       the per-tab chain of wheel notches
#include "app/input_clicks.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/action_widgets.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_layout.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "app/pending_services.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/settings.h"
#include "app/status_line.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/window_messages.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"
#include "shading/preview_passes.h"
#include "ui/widget.h"

namespace {

constexpr int kMaxRenderSide = 3072;

Interface& P() { return gInterface; }

// The preview shows a shading change at once, unless a re-plot is pending.
void Reshade()
{
    if (gPreviewRefresh) return;
    if (gScreenState.load() < kScreenPreview3D) {
        ShadeProgressive(0);
    } else {
        ShadeFull();
    }
}

void ClearPbuffer()
{
    if (gPbufferAvailable) ClearPreviewPbuffer();
}

void StopRenderForChange()
{
    gRenderRunFlag.store(0);
    gRenderCoordinatorThread.WaitFor(kRenderStopWaitMs);
}

// A button that is enabled here and marks its pressed byte on a hit.
bool ClickEnabled(MainButtonId id, int x, int y)
{
    Button& b = Live(gMainButtons[id]);
    b.visible = 1;
    return b.Click(x, y);
}

bool TypeIn(int type, std::initializer_list<int> types)
{
    for (int t : types)
        if (t == type) return true;
    return false;
}

// Set while a drag changed a shading value: the release reshades once.
bool gShadingDragChanged = false;

}  // namespace

// ---- [edit mode] --------------------------------------------------------------

void EnterEditMode()
{
    gRenderInBuffers = 1;
    gPanelList.visible = 1;
    gZoom3DSlider.visible = 1;
    gZoomSlider.visible = 0;
    StopRenderForChange();
    gContinueAllowed = gScreenState.load() < kScreenPreview3D ? 1 : (ButtonEnabled(kButtonContinue) ? 1 : 0);
    for (MainButtonId id : {kButtonStop, kButtonNewFractal, kButtonDraw, kButtonPreview, kButtonRender,
                            kButtonContinue})
        EnableButton(id, false);
    gPanelList.selected = 1;  // "Vector"
    gPanelList.selectedFromTop = 0;
    gPointPreviewValid = 0;
    gScreenState = kScreenPreview3D;
    BuildPointCloudList();
}

void LeaveEditMode(bool regeneratePoints)
{
    EnableButton(kButtonContinue, gContinueAllowed != 0);
    gPanelList.visible = 0;
    gZoom3DSlider.visible = 0;
    gZoomSlider.visible = 1;
    for (MainButtonId id : {kButtonRender, kButtonPreview, kButtonDraw, kButtonNewFractal}) EnableButton(id, true);
    if (regeneratePoints) {
        gFractalTypeKernel.load()(0);
        if (gSymmetryOn.load()) ApplySymmetry(0);
    }
    gPointPreviewValid = 0;
    gScreenState = kScreenPointPreview;
}

void ClampRenderResolution()
{
    if (!gRenderResolutionWindow.value) return;
    for (int row = 0; row < 2; ++row) {
        float v = std::floor(gRenderResolutionWindow.Value(row));
        if (!(v <= kMaxRenderSide)) v = kMaxRenderSide;  // also not-a-number
        SharedStore(gRenderResolutionWindow.value[row], v);
    }
}

const char* SideLengthReadout(float length)
{
    static char text[48];
    std::snprintf(text, sizeof text, length >= 10.0f ? " in (%2.3f cm)" : "in (%2.3f cm)",
                  static_cast<double>(length * 2.54f));
    return text;
}

// ---- [tabs] -----------------------------------------------------------------------

namespace {

// "Send to Blocks": the current set becomes generator blocks (type 48).
void SendToBlocks()
{
    SetStatusText("To blocks");
    gTransformCount = gPickTransformCount;
    Live(P().sendToBlocks).pressed = 0;
    EditTransformSet(3);
    UpdateTransformProbabilities();
    gFractalType = 48;
    SelectFractalTypeKernel();
    gFractalTypeBox.SetSelected(48);
    Live(P().sendToBlocks).visible = 0;
}

void ToggleColorByTransformation()
{
    Interface& p = P();
    gPointPreviewValid = 0;
    if (!p.colorByTransformation.Flag(0)) {
        SharedStore(p.materialColorBlend.selected, 7);
        gRgbColoring = 0;
        p.colorFunction.selected = 8;
        SetColoringMode(8);
    } else {
        gRgbColoring = 1;
        SharedStore(p.materialColorBlend.selected, 6);
        p.colorFunction.selected = 7;
        SetColoringMode(7);
    }
}

void ClickFractalsTab(int x, int y)
{
    Interface& p = P();
    gFractalTypeBox.visible = 1;
    gFractalTypeBox.Click(x, y);
    const int t = gFractalType;
    EnableButton(kButtonSaveScript, TypeIn(t, {0, 2, 3, 7, 8, 9, 10, 11, 12, 21, 23}));
    EnableButton(kButtonLoadScript, t == 22);
    Live(p.sendToBlocks).visible = TypeIn(t, {0, 3, 12, 18, 21, 37, 40, 43, 44, 45}) ? 1 : 0;
    ClickEnabled(kButtonResetPaths, x, y);
    if (CanExportKavrolinScene()) Live(p.kavrolin).Click(x, y);
    for (Button* b : {&p.saveBuffers, &p.loadBuffers, &p.saveFractal, &p.loadFractal}) {
        Live(*b).visible = 1;
        Live(*b).Click(x, y);
    }
    Live(gMainButtons[kButtonLoadScript]).Click(x, y);
    Live(gMainButtons[kButtonSaveScript]).Click(x, y);
    Button& sendToBlocks = Live(p.sendToBlocks);
    if (sendToBlocks.visible && (sendToBlocks.Click(x, y) || sendToBlocks.pressed)) SendToBlocks();
    gRenderThreadsWindow.Click(x, y);
    gExportThreadsWindow.Click(x, y);
    gKeepDefaultPathsBox.Click(x, y);
    // Shown for the generator type only.
    if (gFractalGeneratorList.visible) gFractalGeneratorList.Click(x, y);
    if (gScreenState.load() > kScreenRenderPerspectiveNoShadow && p.colorByTransformation.Click(x, y)) {
        ToggleColorByTransformation();
    }
}

void ClickEnvironmentPage(int x, int y)
{
    Interface& p = P();
    ClickEnabled(kButtonResetEnvParameters, x, y);
    bool switched = p.enableFog.Click(x, y);
    switched = p.enableBackground.Click(x, y) || switched;
    if (p.enableDrawingShaders.Click(x, y)) {
        SharedStore(p.drawingType.selected, 4);
        switched = true;
    }
    if (p.enableVolumetricFog.Click(x, y)) {
        gVolumetricFogOn.store(p.enableVolumetricFog.Flag(0) ? 1 : 0);
        if (p.enableVolumetricFog.Flag(0)) SetDefaultTransformationCount();
        switched = true;
    }
    if (switched) p.SyncRenderFlags();
    p.fogParameters.Click(x, y);
    p.sunTurbidity.Click(x, y);
    p.volumetricFogColor.Click(x, y);
    bool reshade = false;
    for (ListBox* l : {&p.drawingType, &p.backgroundType}) reshade = (l->visible && l->Click(x, y)) || reshade;
    for (OptionsBox* b : {&p.backgroundReflection, &p.affectedByFog})
        reshade = (b->visible && b->Click(x, y)) || reshade;
    if (p.backgroundType.visible && p.backgroundType.selectedFromTop == 0) ClickEnabled(kButtonLoadImage, x, y);
    if (reshade) Reshade();
}

void ClickShadersPage(int x, int y)
{
    Interface& p = P();
    if (gFileThreadBusy.load()) return;
    gShader.HandlePanelClick(x, y, 2);
    gAmbientOcclusionBox.Click(x, y);
    if (gShadowTypeList.visible) gShadowTypeList.Click(x, y);
    gOcclusionOptionsList.Click(x, y);
    p.enhancedDarkening.Click(x, y);
    gAveragedOcclusionWindow.Click(x, y);
    gPerPixelOcclusionWindow.Click(x, y);
    if (p.shadowSampling.visible) p.shadowSampling.Click(x, y);
}

void ClickAdvancedPage(int x, int y)
{
    Interface& p = P();
    bool reshade = p.materialColorBlend.Click(x, y);
    reshade = p.lightDistribution.Click(x, y) || reshade;
    if (gScreenState.load() > kScreenRenderPerspectiveNoShadow) {
        bool colouring = p.blendingFunction.visible && p.blendingFunction.Click(x, y);
        colouring = p.colorFunction.Click(x, y) || colouring;
        if (colouring) {
            SetColoringMode(p.colorFunction.selected);
            ClearPreviewPlanes();
            ClearPbuffer();
            reshade = true;
        }
    }
    p.gammaCorrection.Click(x, y);
    if (p.colorInterpolationWeight.visible) p.colorInterpolationWeight.Click(x, y);
    if (reshade) Reshade();
}

// The current material tab's windows, colour panel and texture choices.
void ClickMaterialWindows(int x, int y)
{
    Interface& p = P();
    const int page = p.textureTab.selected;
    if (page == 2) p.specularParameters.Click(x, y);
    if (page == 3) p.shadowDepth.Click(x, y);
    if (page != 0 && page != 1) return;
    (page == 0 ? p.ambientParameters : p.diffuseParameters).Click(x, y);
    ActionWidgets& w = gActionWidgets;
    if (w.generatorOn[page]) {
        gActionButtons[kActionNewTextures].Click(x, y);
        Live(p.exportTexture).Click(x, y);
        if (p.format.Click(x, y)) w.formatSelection = p.format.selected;
    } else {
        ColorPanel& panel = page == 0 ? p.ambientColor : p.diffuseColor;
        if (panel.Click(x, y)) gDragGroup = panel.tag;
        for (int k = 0; k < 4; ++k) gActionButtons[kTextureChoiceButtons[page][k]].Click(x, y);
    }
    gActionButtons[kTextureChoiceButtons[page][4]].Click(x, y);
    gActionButtons[kActionTextureGenerator].Click(x, y);
}

void ClickRenderTab(int x, int y)
{
    Interface& p = P();
    gRenderTab.Click(x, y);
    if (!gFileThreadBusy.load()) {
        if (gMapFogToAlphaBox.Click(x, y) && gMapFogToAlphaBox.Flag(0))
            SetStatusText("Map the Fog depth values to the Alpha Channel.");
        if (gExcludeBackgroundBox.Click(x, y) && gExcludeBackgroundBox.Flag(0))
            SetStatusText("Only Export the Fractal. The Background is transparent.");
    }
    switch (gRenderTab.selected) {
    case 0:
        // The material panel's own widgets take their presses with it.
        p.textureTab.Click(x, y);
        if (!gFileThreadBusy.load()) gShader.HandlePanelClick(x, y, 0);
        // The Fresnel flag belongs to the current material.
        if (p.enableFresnel.visible && p.enableFresnel.Click(x, y)) p.StoreFresnelFlag();
        ClickMaterialWindows(x, y);
        ClickEnabled(kButtonResetParameters, x, y);
        for (MainButtonId id : {kButtonPreviousSlot, kButtonNextSlot}) Live(gMainButtons[id]).Click(x, y);
        break;
    case 1: ClickEnvironmentPage(x, y); break;
    case 2: ClickShadersPage(x, y); break;
    case 3: ClickAdvancedPage(x, y); break;
    default: break;
    }
    for (MainButtonId id : {kButtonSaveBitmap, kButtonSavePng, kButtonClearFog, kButtonClearShadows,
                            kButtonSaveMaterial, kButtonLoadMaterial})
        ClickEnabled(id, x, y);
    gMapFogToAlphaBox.visible = gExcludeBackgroundBox.visible = 1;
}

// The camera rotation of each "Fixed View" label.
struct FixedView {
    const char* label;
    float m[9];
};
const FixedView kFixedViews[] = {
    {"R", {1, 0, 0, 0, 1, 0, 0, 0, 1}},  {"L", {-1, 0, 0, 0, 1, 0, 0, 0, -1}}, {"D", {1, 0, 0, 0, 0, -1, 0, 1, 0}},
    {"U", {1, 0, 0, 0, 0, 1, 0, -1, 0}}, {"B", {0, 0, 1, 0, 1, 0, -1, 0, 0}},  {"F", {0, 0, -1, 0, 1, 0, 1, 0, 0}},
};

void SetFixedView(int cell)
{
    const char* label = FixedViewLabel(cell);
    const FixedView* view = nullptr;
    for (const FixedView& v : kFixedViews)
        if (std::strcmp(v.label, label) == 0) view = &v;
    if (view == nullptr || gVoxelEngineOn) return;
    StopRenderForChange();
    for (int i = 0; i < 9; ++i) {
        SharedStore(gCameraRotation[i], view->m[i]);
        SharedStore(gCameraMatrix[i], view->m[i]);
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) SharedStore(gCameraGLMatrix[4 * j + i], view->m[3 * i + j]);
    std::memcpy(P().savedCamera, view->m, sizeof P().savedCamera);
    gPointPreviewValid = 0;
    ClearRenderBuffers();
}

// The sizes of "Resolution presets" rows 1..17 (row 0 is the screen's).
const int kPresetSizes[17][2] = {{512, 512},   {832, 832},   {800, 600},   {1024, 768},  {1280, 720},  {1280, 800},
                                 {1280, 1024}, {1360, 768},  {1366, 768},  {1440, 900},  {1600, 900},  {1680, 1050},
                                 {1920, 1080}, {1024, 1024}, {2048, 2048}, {2560, 2560}, {3072, 3072}};

void ApplyResolutionPreset(int row)
{
    int w = 0, h = 0;
    if (row == 0) {
        GetScreenSize(&w, &h);
    } else if (row >= 1 && row <= 17) {
        w = kPresetSizes[row - 1][0];
        h = kPresetSizes[row - 1][1];
    } else {
        return;
    }
    if (!gRenderResolutionWindow.value) return;
    SharedStore(gRenderResolutionWindow.value[0], static_cast<float>(w));
    SharedStore(gRenderResolutionWindow.value[1], static_cast<float>(h));
    ClampRenderResolution();
}

void DoubleRenderResolution()
{
    if (!gRenderResolutionWindow.value) return;
    for (int row = 0; row < 2; ++row)
        SharedStore(gRenderResolutionWindow.value[row], 2.0f * std::floor(gRenderResolutionWindow.Value(row)));
    ClampRenderResolution();
}

void ApplySymmetryChoice(int selection)
{
    Interface& p = P();
    if (p.separation.value) p.separation.value[0] = gFractalType == 1 && p.sides.Value(0) == 4.0f ? 0.0f : 1.0f;
    if (selection == 0) {
        gSymmetryMode.store(100);
        gSymmetryOn.store(0);
        p.separation.visible = p.sides.visible = 0;
    } else {
        gSymmetryMode.store(selection - 1);
        SetStatusText("Use the SCALE Button in order to recalculate the new corners");
        gSymmetryOn.store(1);
        SetSymmetryCopyWeights();
        p.separation.visible = p.sides.visible = 1;
    }
    gPointPreviewValid = 0;
}

void ClickCameraTab(int x, int y)
{
    Interface& p = P();
    for (MainButtonId id : {kButtonResetPosition, kButtonResetRotation, kButtonScale, kButtonChange})
        Live(gMainButtons[id]).visible = 1;
    gRenderResolutionWindow.visible = 1;
    gLightTrackBall.visible = 1;
    if (gScreenState.load() >= kScreenExport) {
        if (p.fixedView.Click(x, y)) SetFixedView(p.fixedView.selected);
        if (p.projection.Click(x, y)) {
            const bool perspective = p.projection.selected == 1;
            SharedStore(gProjectionSelector, p.projection.selected);
            SharedStore(gPerspectiveOn, static_cast<uint8_t>(perspective ? 1 : 0));
            gPerspectiveWindow.visible = perspective ? 1 : 0;
            gPointPreviewValid = 0;
        }
        if (p.shadows.Click(x, y)) {
            SharedStore(gFastShadowUpdate, p.shadows.selected);
            SetStatusText("Look in the Shaders TAB for shadow type options.");
        }
        if (gShadowTypeList.visible) gShadowTypeList.Click(x, y);
        gEnable2xAABox.Click(x, y);
        for (MainButtonId id : {kButtonChange, kButtonResetPosition, kButtonResetRotation, kButtonScale})
            Live(gMainButtons[id]).Click(x, y);
        if (Live(p.timesTwo).Click(x, y)) {
            Live(p.timesTwo).pressed = 0;
            DoubleRenderResolution();
        }
    }
    gLightTrackBall.ClickLight(x, y);
    if (gPerspectiveWindow.visible) gPerspectiveWindow.Click(x, y);
    if (p.separation.visible) p.separation.Click(x, y);
    if (p.sides.visible) p.sides.Click(x, y);
    const int preset = p.resolutionPresets.GetSelected();
    p.resolutionPresets.Click(x, y);
    if (p.resolutionPresets.GetSelected() != preset) ApplyResolutionPreset(p.resolutionPresets.GetSelected());
    const int symmetry = p.symmetry.GetSelected();
    p.symmetry.Click(x, y);
    if (p.symmetry.GetSelected() != symmetry) ApplySymmetryChoice(p.symmetry.GetSelected());
    for (NewDropBox* box : {&p.resolutionPresets, &p.symmetry})
        if (box->held) gDragGroup = 1;
    gRenderResolutionWindow.Click(x, y);
}

bool AnyEditBoxOn() { return gBaseShapeEditorOpen || gXFormsEditorOpen; }

void ClickEditorsTab(int x, int y)
{
    gEditorTab.Click(x, y);
    // The editors' own click handlers come with them; their "Edit" boxes
    // decide the 3-D preview.
    const bool editing = AnyEditBoxOn();
    if (editing && gScreenState.load() != kScreenPreview3D) {
        if (gXFormsEditorOpen) UpdateTransformProbabilities();
        EnterEditMode();
    } else if (!editing && gScreenState.load() == kScreenPreview3D) {
        LeaveEditMode(true);
    }
    if (gPanelList.visible && gPanelList.Click(x, y)) {
        const bool vector = gPanelList.selected == 1;
        gScreenState = vector ? kScreenPreview3D : kScreenPointPreview;
        gZoom3DSlider.visible = vector ? 1 : 0;
        gZoomSlider.visible = vector ? 0 : 1;
        gPointPreviewValid = 0;
    }
}

void ClickVoxelsTab(int x, int y)
{
    Interface& p = P();
    p.densityThreshold.Click(x, y);
    p.fillBaseshapes.Click(x, y);
    if (p.interpolationType.Click(x, y) && !gPreviewRefresh) gPointPreviewValid = 0;
    if (p.interiorWall.Click(x, y)) p.wallThickness.visible = p.interiorWall.flags[0];
    if (p.wallThickness.visible) p.wallThickness.Click(x, y);
    if (p.scaleMesh.Click(x, y)) p.sideLength.visible = p.scaleMesh.flags[0];
    if (p.sideLength.visible) p.sideLength.Click(x, y);
    const int resolution = p.voxelResolution.selected;
    if (p.voxelResolution.Click(x, y) && p.voxelResolution.selected != resolution) {
        gScreenState = kScreenPointPreview;
        StopRenderAndResetPanel();
    }
    for (MainButtonId id : {kButtonStartVoxelEngine, kButtonStopVoxelEngine, kButtonStlMesh, kButtonObjMesh,
                            kButtonRawFile})
        Live(gMainButtons[id]).Click(x, y);
    Live(p.pngSlices).Click(x, y);
}

void ClickAnimationTab(int x, int y)
{
    Interface& p = P();
    p.Click(x, y);
    Button& renderAnimation = Live(p.renderAnimation);
    if (renderAnimation.visible) {
        if (renderAnimation.pressed || renderAnimation.Click(x, y)) {
            gMainButtons[kButtonYes].pressed = 1;
            SharedStore(gAnimationOn, uint8_t{1});
        }
    }
    if (p.previewAnimations.Click(x, y)) {
        if (p.previewAnimations.Flag(0)) {
            std::memcpy(p.savedCamera, gCameraMatrix, sizeof p.savedCamera);
        } else {
            for (int i = 0; i < 9; ++i) SharedStore(gCameraMatrix[i], p.savedCamera[i]);
            gPointPreviewValid = 0;
        }
    }
}

// The picked coordinate of transformation 0 or 1: which transformation and
// axis each parameter of a type stands for.
void OpenPickedParameter()
{
    const int n = ParamRowCount[gFractalType];
    const int p = gParamHelpWindow.pickedParameter;
    static const int kFour[4][2] = {{0, 0}, {0, 2}, {1, 0}, {1, 2}};
    static const int kThree[3][2] = {{0, 0}, {0, 1}, {0, 2}};
    static const int kTwo[2][2] = {{0, 0}, {0, 2}};
    const int(*map)[2] = n == 4 ? kFour : n == 3 ? kThree : n == 2 ? kTwo : nullptr;
    if (map == nullptr || p < 0 || p >= n) return;
    const int t = map[p][0], axis = map[p][1];
    OpenTextInput(&gTransforms[t].position[axis], static_cast<int>(gInputBox.x0) + 5,
                  static_cast<int>(gInputBox.y0), t);
}

}  // namespace

// ---- [OnClick] --------------------------------------------------------------------

void OnClick(int x, int y)
{
    // 1. The main tab strip; leaving "Editors" leaves the 3-D preview.
    gMainTab.hit = 0;
    if (gMainTab.Click(x, y)) {
        gCurrentTab = gMainTab.selected;
        gMainTab.hit = 1;
        if (gCurrentTab != 3 && gScreenState.load() == kScreenPreview3D) {
            gDragGroup = 12;
            gBaseShapeEditorOpen = gXFormsEditorOpen = 0;
            if (gBaseshapeCount == 0) gUseBaseshapes = 0;
            LeaveEditMode(false);
        }
    }
    // 2. The parameter help: a pick opens the field over the input box.
    if (gParamHelpWindow.Click(x, y) == 1) {
        gInputBox.active = 1;
        OpenPickedParameter();
    }
    // 3. What only some tabs show.
    ShowTabWidgets(gCurrentTab);
    // 4 to 8. The tab's widgets.
    switch (gCurrentTab) {
    case 0: ClickFractalsTab(x, y); break;
    case 1:
        ClickRenderTab(x, y);
        P().HandleListClicks(1, x, y);
        break;
    case 2:
        ClickCameraTab(x, y);
        P().HandleListClicks(2, x, y);
        break;
    case 3: ClickEditorsTab(x, y); break;
    case 4:
        if (Live(P().news).visible && Live(P().news).Click(x, y)) Live(P().news).pressed = 0;
        break;
    case 5: ClickVoxelsTab(x, y); break;
    case 6: ClickAnimationTab(x, y); break;
    default: break;
    }
    // 9.
    if (!AnyEditBoxOn() && gPreviewRefresh) gRenderInBuffers = 0;
    // 10. The view controls under the preview.
    gRotateList.visible = gMoveList.visible = 1;
    if (gRotateList.Click(x, y)) gRotateMode = gRotateList.selected;
    if (gMoveList.Click(x, y)) gMoveMode = gMoveList.selected;
    // 11. The buttons under the preview.
    Live(gMainButtons[kButtonHelp]).visible = 1;
    for (Button* b : {&P().rnd, &P().clr, &P().cancel})
        if (Live(*b).visible) Live(*b).Click(x, y);
    for (MainButtonId id : {kButtonHelp, kButtonPreview, kButtonQuit, kButtonDraw, kButtonNewFractal, kButtonRender,
                            kButtonStop, kButtonYes, kButtonNo, kButtonContinue})
        Live(gMainButtons[id]).Click(x, y);
    // 12. The zoom sliders take a press strictly inside.
    if (gZoomSlider.visible) gZoomSlider.Click(x, y);
    if (gZoom3DSlider.visible) gZoom3DSlider.Click(x, y);
}

// ---- [drags] ----------------------------------------------------------------------

namespace {

// The light ball's direction to the light view and every sky's sun.
void FollowLightBall()
{
    std::memcpy(gLightTrackBallA, gLightTrackBall.turned, sizeof gLightTrackBallA);
    UpdateLightViewMatrix();
    static const float kXAxis[3] = {1, 0, 0};
    float sun[3];
    RotateAroundAxis(sun, gLightTrackBallA, kXAxis, -4.712389f);
    for (int sky = 0; sky < kSkyCount; ++sky) gShader.SetSunDirection(sun, sky);
}

// A symmetry parameter this close to 0 is 0.
void SnapSeparation()
{
    Interface& p = P();
    if (p.separation.value && std::fabs(p.separation.Value(0)) < 0.01f) SharedStore(p.separation.value[0], 0.0f);
}

void FollowSides()
{
    Interface& p = P();
    SetSymmetryCopyWeights();
    if (gFractalType == 1 && p.sides.Value(0) == 4.0f && p.separation.value) SharedStore(p.separation.value[0], 0.0f);
}

// Copies what moved into the current material (the colour panels into the
// colour that "Select" applies).
bool DragMaterialWindows(int x, int y)
{
    Interface& p = P();
    bool changed = false;
    for (SLWindow* w : {&p.ambientParameters, &p.diffuseParameters, &p.specularParameters, &p.shadowDepth})
        changed = (w->visible && w->Drag(x)) || changed;
    if (changed) p.StoreMaterialValues();
    const int page = p.textureTab.selected;
    if (page == 0 || page == 1) {
        ColorPanel& panel = page == 0 ? p.ambientColor : p.diffuseColor;
        if (gDragGroup == panel.tag && panel.visible && panel.picked < 3 && panel.Drag(x, y))
            for (int c = 0; c < 3; ++c) gActionWidgets.colorPanelRgb[page][c] = static_cast<uint8_t>(panel.component[c]);
    }
    return changed;
}

void DragRenderTab(int x, int y)
{
    Interface& p = P();
    bool changed = false;
    switch (gRenderTab.selected) {
    case 0: changed = DragMaterialWindows(x, y); break;
    case 1:
        for (SLWindow* w : {&p.fogParameters, &p.sunTurbidity, &p.volumetricFogColor}) changed = w->Drag(x) || changed;
        break;
    case 2:
        if (gFileThreadBusy.load()) break;
        for (SLWindow* w : {&gAveragedOcclusionWindow, &gPerPixelOcclusionWindow, &p.shadowSampling})
            changed = w->Drag(x) || changed;
        break;
    case 3:
        changed = p.gammaCorrection.Drag(x);
        changed = p.colorInterpolationWeight.Drag(x) || changed;
        break;
    default: break;
    }
    if (changed) gShadingDragChanged = true;
}

void DragCameraTab(int x, int y)
{
    Interface& p = P();
    p.resolutionPresets.Drag(x, y);
    p.symmetry.Drag(x, y);
    if (gRenderResolutionWindow.Drag(x)) ClampRenderResolution();
    if (gScreenState.load() >= kScreenExport) {
        if (gPerspectiveWindow.Drag(x)) gPointPreviewValid = 0;
        if (p.separation.Drag(x)) SnapSeparation();
        if (p.sides.Drag(x)) FollowSides();
        if (gDragGroup == gLightTrackBall.groupId) {
            gLightTrackBall.DragLight(x, y);
            if (gLightTrackBall.changed) FollowLightBall();
        }
    }
}

}  // namespace

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
        gFocal = gZoom3DSlider.Value();
        gInverseFocal = gFocal == 0.0f ? 1e8f : 1.0f / gFocal;
        gPreview3DZoom = gFocal;
        gPointPreviewValid = 0;
    }
    if (gDragGroup == 0 || gDragGroup == 12) return;
    const int x = gPointerX, y = gHoverY;
    Interface& p = P();
    if (gDragGroup == 18 || gDragGroup == 68 || gDragGroup == 69) {
        gShader.HandlePanelMouseMove(x, y);
        return;
    }
    switch (gCurrentTab) {
    case 0:
        if (gRenderThreadsWindow.Drag(x)) SaveRenderThreads();
        if (gExportThreadsWindow.Drag(x)) SaveExportThreads();
        break;
    case 1: DragRenderTab(x, y); break;
    case 2: DragCameraTab(x, y); break;
    case 5:
        for (SLWindow* w : {&p.densityThreshold, &p.wallThickness})
            if (w->Drag(x)) gPointPreviewValid = 0;
        p.sideLength.Drag(x);
        break;
    case 6: p.Drag(x, y); break;
    default: break;
    }
    gFractalTypeBox.Drag(0, gHoverY);
}

void FinishWidgetDrags()
{
    gZoomSlider.held = gZoom3DSlider.held = 0;
    bool reshade = gShadingDragChanged;
    gShadingDragChanged = false;
    if (gLightTrackBall.changed) {
        gLightTrackBall.changed = 0;
        reshade = true;
    }
    if (reshade) Reshade();
}

// ---- [wheel] ----------------------------------------------------------------------

namespace {

// Every step is against the wheel: a notch away from the user (delta > 0)
// lowers the value.
float Step(int delta, float step) { return delta > 0 ? step : -step; }

bool WheelMaterialWindows(int x, int y, int delta)
{
    Interface& p = P();
    const int page = p.textureTab.selected;
    bool changed = false;
    switch (page) {
    case 0:
    case 1: {
        if ((page == 0 ? p.ambientParameters : p.diffuseParameters).WheelStep(x, y, Step(delta, 1))) {
            changed = true;
            break;
        }
        ColorPanel& panel = page == 0 ? p.ambientColor : p.diffuseColor;
        if (gActionWidgets.generatorOn[page] == 0 && panel.Wheel(x, y, Step(delta, 1))) {
            for (int c = 0; c < 3; ++c) gActionWidgets.colorPanelRgb[page][c] = static_cast<uint8_t>(panel.component[c]);
            return true;
        }
        return false;
    }
    case 2: changed = p.specularParameters.WheelStep(x, y, Step(delta, 1)); break;
    case 3: changed = p.shadowDepth.Wheel(x, y, Step(delta, 0.1f)); break;
    default: break;
    }
    if (!changed) return false;
    p.StoreMaterialValues();
    Reshade();
    return true;
}

bool WheelRenderChain(int x, int y, int delta)
{
    Interface& p = P();
    // Each sub-tab enters the chain at its own stage and falls through.
    switch (gRenderTab.selected) {
    case 0:
        // "Materials": the current material tab's window or colour panel.
        if (WheelMaterialWindows(x, y, delta)) return true;
        [[fallthrough]];
    case 1:
        if (p.fogParameters.WheelStep(x, y, Step(delta, 1))) return true;
        if (p.sunTurbidity.Wheel(x, y, Step(delta, 0.1f))) return true;
        if (p.volumetricFogColor.Wheel(x, y, Step(delta, 0.1f))) return true;
        [[fallthrough]];
    case 2:
        if (!gFileThreadBusy.load()) {
            for (SLWindow* w : {&gAveragedOcclusionWindow, &gPerPixelOcclusionWindow, &p.shadowSampling})
                if (w->Wheel(x, y, Step(delta, 1))) return true;
        }
        [[fallthrough]];
    case 3:
        if (p.gammaCorrection.Wheel(x, y, Step(delta, 0.1f))) {
            const float gamma = p.gammaCorrection.Value(0);
            if (gamma > 0.99f && gamma < 1.01f) SharedStore(p.gammaCorrection.value[0], 1.0f);
            return true;
        }
        if (gScreenState.load() >= kScreenExport && p.colorFunction.selected == 0 &&
            p.colorInterpolationWeight.Wheel(x, y, Step(delta, 0.1f))) {
            ClearPbuffer();
            return true;
        }
        return false;
    default: return false;
    }
}

bool WheelCameraTab(int x, int y, int delta)
{
    Interface& p = P();
    if (gRenderResolutionWindow.Wheel(x, y, Step(delta, 16))) return true;
    if (p.resolutionPresets.Wheel(x, y, Step(delta, 1))) return true;
    if (gScreenState.load() > kScreenRenderPerspectiveNoShadow && gPerspectiveWindow.Wheel(x, y, Step(delta, 1))) {
        ClearPbuffer();
        return true;
    }
    if (p.symmetry.Wheel(x, y, Step(delta, 1))) return true;
    if (p.sides.Wheel(x, y, Step(delta, 1))) {
        FollowSides();
        ClearPbuffer();
        return true;
    }
    if (p.separation.Wheel(x, y, Step(delta, 0.1f))) {
        SnapSeparation();
        ClearPbuffer();
        return true;
    }
    if (gScreenState.load() >= kScreenExport && gLightTrackBall.WheelTurn(x, y, Step(delta, 10))) {
        FollowLightBall();
        return true;
    }
    return false;
}

bool WheelTab(int x, int y, int delta)
{
    Interface& p = P();
    switch (gCurrentTab) {
    case 0:
        if (gFractalTypeBox.Wheel(x, y, Step(delta, 1))) return true;
        if (gRenderThreadsWindow.Wheel(x, y, Step(delta, 1))) {
            SaveRenderThreads();
            return true;
        }
        if (gExportThreadsWindow.Wheel(x, y, Step(delta, 1))) {
            SaveExportThreads();
            return true;
        }
        return false;
    case 1: return WheelRenderChain(x, y, delta);
    case 2: return WheelCameraTab(x, y, delta);
    case 3:
        // "Additional Objects": the edited light's values; the editors take theirs with them.
        if (gEditorTab.selected == 2 && gShader.UpdateLightFromPanel(x, y, static_cast<float>(delta))) {
            gPointPreviewValid = 0;
            return true;
        }
        return false;
    case 5:
        return p.densityThreshold.Wheel(x, y, Step(delta, 0.05f)) || p.wallThickness.Wheel(x, y, Step(delta, 1)) ||
               p.sideLength.Wheel(x, y, Step(delta, 0.1f));
    case 6:
        return p.renderParameters.Wheel(x, y, Step(delta, 1)) || p.rotationAxis.Wheel(x, y, Step(delta, 10)) ||
               p.cycleFrames.Wheel(x, y, Step(delta, 1));
    default: return false;
    }
}

}  // namespace

bool RouteWheelToWidgets(int x, int y, int delta)
{
    if (!gInterfaceBuilt) return false;
    if (WheelTab(x, y, delta)) return true;
    if (gScreenState.load() >= kScreenPreview3D && gRenderInBuffers == 0 && gVoxelEngineOn == 0 &&
        gZoomSlider.visible && gZoomSlider.Wheel(x, y, Step(delta, 2))) {
        const float f = delta < 0 ? 0.95f : 1.05f;
        gZoom *= f;
        gPanX *= f;
        gPanY *= f;
        UpdateViewScaleAndCentre();
        ClearPbuffer();
        return true;
    }
    if (gZoom3DSlider.visible && HitStrict(static_cast<float>(x), static_cast<float>(y), gZoom3DSlider.x0,
                                           gZoom3DSlider.y0, gZoom3DSlider.x1, gZoom3DSlider.y1)) {
        gZoom3DSlider.value += (delta > 0 ? 10.0f : -10.0f) * gZoom3DSlider.step;
        gFocal = gZoom3DSlider.value;
        gInverseFocal = gFocal == 0.0f ? 1e8f : 1.0f / gFocal;
        gPreview3DZoom = gFocal;
        ClearPbuffer();
        return true;
    }
    return false;
}
