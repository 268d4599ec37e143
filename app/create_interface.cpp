#include "app/create_interface.h"

#include <cstdio>
#include <cstring>

#include "app/action_buttons.h"
#include "app/color_map_dialog.h"
#include "app/control_tables.h"
#include "app/frame.h"
#include "engine/file_dialogs.h"
#include "app/interface_layout.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "shading/export_image.h"
#include "app/point_preview.h"
#include "engine/status_line.h"
#include "app/texture_file_services.h"
#include "engine/baseshape_hooks.h"
#include "app/text_field.h"
#include "app/procedural_texture_thread.h"
#include "app/render_control.h"
#include "app/view_zoom.h"
#include "editors/baseshape_editor.h"
#include "editors/random_fractal.h"
#include "editors/xforms_editor.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/transform_set.h"
#include "engine/baseshape_model.h"
#include "engine/color_conversion.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "ui/button.h"
#include "ui/icons.h"
#include "ui/widget.h"
#include "engine/window_ranges.h"

TrackBall gLightTrackBall;
OptionsBox gMapFogToAlphaBox, gExcludeBackgroundBox;
YSlider gZoomSlider, gZoom3DSlider;
SLWindow gPerspectiveWindow, gRenderThreadsWindow, gExportThreadsWindow, gRenderResolutionWindow;
SLWindow gAveragedOcclusionWindow, gPerPixelOcclusionWindow;
SliderBox gSliderBox;
OptionsBox gAmbientOcclusionBox, gKeepDefaultPathsBox, gEnable2xAABox;
ListBox gOcclusionOptionsList, gShadowTypeList, gPanelList;
NewDropBox gFractalTypeBox;
Tab gMainTab, gEditorTab, gRenderTab;
ListBox gRotateList, gMoveList;
ListBox gThreadsList;
BoolBox gFractalGeneratorList;
int gRotateMode = 3, gMoveMode = 2;
bool gInterfaceBuilt = false;
int gCurrentTab = 0;

namespace {

constexpr int kZ = 30;
constexpr int kZoomSliderX = 1018 - 28;
constexpr int kWindowGroup = 1;
constexpr int kLightGroup = 2;

// Rows: minimum, maximum, start, clamp low, clamp high, whole numbers. The
// limits keep every derived value finite: sizes 16..3072, a perspective
// angle below 180, thread counts 1..24.
const char* const kPerspectiveCaptions[] = {"Perspective", "Angle"};
// The thread windows show their value where a row caption would stand.
const char* const kRenderThreadCaptions[] = {"Render Threads", ""};
const char* const kExportThreadCaptions[] = {"Export Threads (BMP, PNG)", ""};
const float kThreadRows[] = {1, 24, 1, 1, 1, 1};
const char* const kResolutionCaptions[] = {"Render Resolution:", "Width", "Height"};
const char* const kAveragedCaptions[] = {"Averaged Ambient Occlusion (Fast)", "Strength", "Samples"};
const char* const kPerPixelCaptions[] = {"Per Pixel Ambient Occlusion (Slow)", "Samples", "Radius"};

const char* const kMainTabs[] = {"Fractals", "Render", "Camera", "Editors", "About", "Voxels", "Animation"};
const char* const kEditorTabs[] = {"Baseshapes", "Transformations", "Additional Objects"};
const char* const kRenderTabs[] = {"Materials", "Environment", "Shaders", "Advanced"};
const char* const kOcclusionOptions[] = {"Darken (Classic)", "Brighten (Volumetric Fog)", "Brighten (Surface Texture)"};
const char* const kShadowTypes[] = {"Classic", "Smooth", "Traced", "Occluded"};
const char* const kPanelRows[] = {"Vector", "Points"};
const char* const kRotateRows[] = {"TBall", "Xr", "Yr", "Zr"};
const char* const kMoveRows[] = {"XY", "X", "Y"};
// Render thread counts to pick from, the most at the top (kThreadCounts).
const char* const kThreadCountRows[] = {"24", "16", "8", "4", "1"};

void BuildBox(OptionsBox& box, int x, int y, int width, const char* caption)
{
    const char* labels[] = {caption};
    box.Build(x, y, kZ, width, 18, 1, caption, labels);
}

void BuildWindow(SLWindow& w, int x, int y, int width, int rows, const char* const* captions, const float* defs)
{
    w.Build(x, y, kZ, width, 16, rows, captions, defs, kWindowGroup);
}

template <int N>
void BuildTab(Tab& tab, PanelPlaceId id, const char* const (&captions)[N])
{
    const PanelPlace& p = Place(id);
    tab.Build(p.x, p.y, kZ, p.width, p.h, N, captions);
}

template <int N>
void BuildList(ListBox& list, int x, int y, int width, const char* caption, const char* const (&rows)[N], int selected)
{
    list.Build(x, y, kZ, width, 18, N, caption, rows);
    list.selected = list.previous = selected;
    list.selectedFromTop = N - 1 - selected;
}

// A random hue at full saturation and value for every transformation, three
// random bytes for every baseshape.
void GiveRandomColors()
{
    for (int t = 0; t < kMaxTransforms; ++t) {
        const float hsv[3] = {static_cast<float>(RandomStep(gGlobalRandomB) % 360u), 1.0f, 1.0f};
        int rgb[3];
        HsvToRgb255(rgb, hsv);
        gTransformColors.r[t] = rgb[0];
        gTransformColors.g[t] = rgb[1];
        gTransformColors.b[t] = rgb[2];
    }
    for (int b = 0; b < kMaxBaseshapes; ++b) {
        gBaseshapeColors.r[b] = static_cast<int32_t>(RandomStep(gGlobalRandomB) & 0xFFu);
        gBaseshapeColors.g[b] = static_cast<int32_t>(RandomStep(gGlobalRandomB) & 0xFFu);
        gBaseshapeColors.b[b] = static_cast<int32_t>(RandomStep(gGlobalRandomB) & 0xFFu);
    }
}

// What "New Fractal" resets of the shell's own view: the wheel zoom, the
// 3-D preview's view, the point preview and its target, the text field.
void ResetShellView()
{
    gZoom = 1.0f;
    gPreviewDepthRange = 1.0f;
    SetPreviewFocal(1.0f);
    std::memcpy(gPreview3DFreeView, gCameraGLMatrix, sizeof gPreview3DFreeView);
    gRenderExists = 0;
    EndTextInput();
    gPointPreviewValid = 0;
    ClearPreviewTarget();
}

// The transformation editor's ties to the shell: the pick table, the 3-D
// preview's points, the type buttons, the render stop before its chains are
// replaced, the text field on a block parameter, the presets and the view
// reset of "New Fractal".
void InstallTransformationEditor()
{
    InstallTransformationPresets();
    gRandomFractalHooks.stopRender = StopRender;
    gRandomFractalHooks.resetView = ResetShellView;
    gXFormsEditor.hooks.buildPickTable = BuildTransformPickTable;
    gXFormsEditor.hooks.buildPointCloud = BuildPointCloudList;
    gXFormsEditor.hooks.updateTypeButtons = UpdateTypeButtonsCallback;
    gTransformSetHooks.stopRender = StopRender;
    gGeneratorParametersReleased = ForgetTextInputTarget;
    gTransformSetHooks.openParameterField = [](float* parameter) {
        int x = 0, y = 0;
        XFormsEditor::ReadoutRowPlace(gTransformEdit.parameter, &x, &y);
        OpenTextInput(parameter, x, y);
    };
}

// The baseshape editor's ties to the shell: the 3-D preview's points, the
// procedural texture job and the presets its panels show.
void InstallBaseshapeEditor()
{
    gBaseShapeEditor.hooks.buildPointCloud = BuildPointCloudList;
    gBaseShapeEditor.hooks.startTextureJob = StartBaseshapeTextureJob;
    gBaseShapeEditor.hooks.regeneratePresets = [] {
        gShader.RegenerateTexturePresets(kBaseshapeTexturePanel * kPresetsPerPanel,
                                         (kBaseshapeTexturePanel + 1) * kPresetsPerPanel, 5);
        gShader.RegenerateTexturePresets(kBaseshapeDMapPanel * kPresetsPerPanel,
                                         (kBaseshapeDMapPanel + 1) * kPresetsPerPanel, 6);
    };
}

}  // namespace

void CreateInterface()
{
    // Every file dialog starts in its kind's default folder.
    RestoreDefaultDialogFolders();
    SetStatusText("Talvoran");
    gBaseshapeHooks.restartPreview = [] { gPointPreviewValid = 0; };
    InstallInterfaceFileServices();
    InstallTextureFileServices();
    LoadShapeIcons();
    LoadNumberedIcons();
    LoadToolIcons();

    // Light and preview controls.
    {
        const PanelPlace& p = Place(kPlaceLightTrackBall);
        const float direction[3] = {0.5f, 0.5f, 0.5f};
        gLightTrackBall.Build(p.x, p.y, kZ, p.width, p.h, direction, kLightGroup);
    }
    // Over the buttons every "Render" page shows, clear of the shadow
    // sampling share at (452, 52).
    BuildBox(gMapFogToAlphaBox, 440, 224, 220, "Map Fog to Alpha (PNG)");
    BuildBox(gExcludeBackgroundBox, 440, 200, 220, "Exclude Background (PNG)");
    // The sliders' given place is (1018, 82); their frame (to 32 past their
    // right end) would reach into the erase question's box, so they stand
    // 28 to the left, 3 units clear of it.
    gZoomSlider.Build(kZoomSliderX, 82, kZ, 200, 20, 0, 1.0f, "Zoom");
    gZoomSlider.visible = 1;
    gZoom3DSlider.Build(kZoomSliderX, 82, kZ, 200, 20, 0, 1.0f, "Zoom");
    gZoom3DSlider.visible = 0;

    InstallTransformationEditor();
    gXFormsEditor.BuildPanel();
    gXFormsEditor.StartPicker();

    // Render windows, the help window and input box, the progress box.
    BuildParamHelp();
    const PanelPlace& perspective = Place(kPlacePerspective);
    BuildWindow(gPerspectiveWindow, perspective.x, perspective.y, perspective.width, 1, kPerspectiveCaptions,
                kPerspectiveRows);
    BuildWindow(gAveragedOcclusionWindow, 32, 540, 400, 2, kAveragedCaptions, kAveragedRows);
    BuildWindow(gPerPixelOcclusionWindow, 32, 610, 400, 2, kPerPixelCaptions, kPerPixelRows);
    const PanelPlace& renderThreads = Place(kPlaceRenderThreads);
    const PanelPlace& exportThreads = Place(kPlaceExportThreads);
    BuildWindow(gRenderThreadsWindow, renderThreads.x, renderThreads.y, renderThreads.width, 1, kRenderThreadCaptions,
                kThreadRows);
    BuildWindow(gExportThreadsWindow, exportThreads.x, exportThreads.y, exportThreads.width, 1, kExportThreadCaptions,
                kThreadRows);
    // Below the status line, with "Cancel" on its right (app/action_buttons.cpp);
    // its scale is 100 long.
    gSliderBox.Build(1068, 24, kZ, 100, 16);
    gSliderBox.visible = 0;
    const PanelPlace& resolution = Place(kPlaceRenderResolution);
    BuildWindow(gRenderResolutionWindow, resolution.x, resolution.y, resolution.width, 2, kResolutionCaptions,
                kResolutionRows);
    gPanel.renderSize[0] = static_cast<float>(gAntiAlias2x ? gImageWidth / 2 : gImageWidth);
    gPanel.renderSize[1] = static_cast<float>(gAntiAlias2x ? gImageHeight / 2 : gImageHeight);
    gPanel.antiAlias2x = gAntiAlias2x;
    {
        // Rows from the bottom: flag 0 "Averaged", flag 1 "Every Pixel".
        const char* rows[] = {"Every Pixel", "Averaged"};
        gAmbientOcclusionBox.Build(32, 740, kZ, 200, 18, 2, "Ambient Occlusion", rows);
    }
    BuildList(gOcclusionOptionsList, 450, 720, 240, "Ambient Occlusion Options", kOcclusionOptions, 2);

    gInterface.Build();

    BuildList(gShadowTypeList, 460, 440, 160, "Shadow Type", kShadowTypes, 3);
    {
        const PanelPlace& p = Place(kPlaceFractalType);
        const char* names[kFractalTypeCount];
        static char labels[kFractalTypeCount][48];
        for (int t = 0; t < kFractalTypeCount; ++t) {
            std::snprintf(labels[t], sizeof labels[t], "%d  %s", t + 1, kFractalTypes[t].name);
            names[t] = labels[t];
        }
        gFractalTypeBox.Build(p.x, p.y, kZ, p.width, p.h, kFractalTypeCount, p.rows, "Fractal Type", names);
    }
    BuildMainButtons();
    BuildActionButtons();
    gMaterialPanel.Build();
    const PanelPlace& keepPaths = Place(kPlaceKeepDefaultPaths);
    BuildBox(gKeepDefaultPathsBox, keepPaths.x, keepPaths.y, keepPaths.width, "Keep Default Paths");
    const PanelPlace& antiAlias = Place(kPlaceEnable2xAA);
    BuildBox(gEnable2xAABox, antiAlias.x, antiAlias.y, antiAlias.width, "Enable 2X AA.");
    BuildTab(gMainTab, kPlaceMainTabs, kMainTabs);
    BuildTab(gEditorTab, kPlaceEditorTabs, kEditorTabs);
    BuildTab(gRenderTab, kPlaceRenderTabs, kRenderTabs);
    {
        const PanelPlace& p = Place(kPlaceViewPanel);
        BuildList(gPanelList, p.x, p.y, p.width, "Panel", kPanelRows, 1);
    }
    // Under the view icons they choose, right of the preview, so the status
    // line has the panel's width; 65 wide from x 1534, so that "TBall" keeps
    // off the window's edge.
    BuildList(gRotateList, 1534, 704, 65, "Rotate", kRotateRows, gRotateMode);
    BuildList(gMoveList, 1534, 624, 65, "Move", kMoveRows, gMoveMode);
    {
        const PanelPlace& p = Place(kPlaceThreads);
        gThreadsList.Build(p.x, p.y, kZ, p.width, p.h, p.rows, "Threads", kThreadCountRows);
    }
    {
        const PanelPlace& p = Place(kPlaceFractalGenerator);
        gFractalGeneratorList.Build(p.x, p.y, kZ, p.width, p.h, p.rows, kFractalGeneratorRows, "Fractal Generator",
                                    gFractalGeneratorNames);
        gFractalGeneratorList.SetSelected(0);
    }

    BuildPointCloudList();
    gRgbColoring = 0;
    ResetColoringTables();
    GiveRandomColors();
    // After the colours: the widgets' ids draw from the same generator.
    InstallBaseshapeEditor();
    gBaseShapeEditor.Build();
    ExpandTransformTransitions();
    UpdateControlPage();
    gInterfaceBuilt = true;
}

void TurnLightToStartDirection()
{
    for (Skylight& sky : gShader.skies) sky.ownerTurbidity = 1.0f;
    const uint8_t shown = gLightTrackBall.visible;
    gLightTrackBall.visible = 1;
    for (int i = 0; i < 40; ++i) {
        if (!gLightTrackBall.ClickLight(442, 720)) break;
        gLightTrackBall.DragLight(770, 492);
        std::memcpy(gLightTrackBallA, gLightTrackBall.turned, sizeof gLightTrackBallA);
        UpdateLightViewMatrix();
    }
    gLightTrackBall.visible = shown;
    FollowLightBall();
}

void FollowLightBall()
{
    UpdateLightViewMatrix();
    static const float kXAxis[3] = {1, 0, 0};
    float sun[3];
    RotateAroundAxis(sun, gLightTrackBallA, kXAxis, -4.712389f);
    for (int sky = 0; sky < kSkyCount; ++sky) gShader.SetSunDirection(sun, sky);
}

// ---- Values other parts read ----

namespace {

RenderResolution ReadResolutionWidgets()
{
    return {CheckedTruncToInt(gPanel.renderSize[0]), CheckedTruncToInt(gPanel.renderSize[1]), gPanel.antiAlias2x != 0};
}

}  // namespace

RenderResolution (*gReadRenderResolution)() = ReadResolutionWidgets;
