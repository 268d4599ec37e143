// Sections: [helpers] [fractals page] [render page] [texture tab] [camera page]
// [voxels page] [panel] [pages].
#include "app/action_dispatcher.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "app/action_buttons.h"
#include "app/create_interface.h"
#include "app/buffer_resize.h"
#include "app/color_map_dialog.h"
#include "engine/file_dialogs.h"
#include "app/fractal_data_actions.h"
#include "app/frame.h"
#include "app/help_pages.h"
#include "app/interface_panel.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/main_buttons.h"
#include "app/mesh_export_thread.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "shading/export_image.h"
#include "app/procedural_texture_thread.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/scene_export_dialog.h"
#include "engine/status_line.h"
#include "files/material_file.h"
#include "app/text_field.h"
#include "app/texture_folder.h"
#include "app/view_zoom.h"
#include "app/voxel_actions.h"
#include "editors/random_fractal.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/point_coloring.h"
#include "engine/random.h"
#include "materials/color_maps.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/preview_target.h"
#include "platform/shell_open.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/transform_probabilities.h"
#include "render/view_camera.h"
#include "shading/preview_passes.h"
#include "shading/shading_settings.h"
#include "ui/font.h"
#include "ui/panel_pages.h"
#include "render/symmetry_modes.h"

// ---- [helpers] -----------------------------------------------------------------
namespace {

constexpr const char* kTextureBusyText = "A Procedural Texture calculation is already in progress..";
constexpr const char* kTextureRunningText = "A Procedural Texture calculation is in progress..";
constexpr const char* kExportRunningText = "An image export is already in progress..";

// Clears the pressed byte and says whether it was set.
bool Take(ActionButtonId id)
{
    if (!ActionPressed(id)) return false;
    ClearActionPressed(id);
    return true;
}

bool EditorShown() { return gBaseShapeEditorOpen || gXFormsEditorOpen; }

void ClearColorAndDepth() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// The reshade rule of the material and texture actions.
void Reshade()
{
    if (gPreviewRefresh) return;
    if (gScreenState.load() < kScreenPreview3D) {
        ShadeProgressive(0);
    } else {
        ShadeFull();
    }
}

void ShowIdleRenderButtons()
{
    EnableButton(kButtonRender, true);
    EnableButton(kButtonStop, false);
    EnableButton(kButtonContinue, false);
}

// ---- [fractals page] -------------------------------------------------------------
bool UsesRgbOnly(int type) { return type == 46 || type == 49; }

void ChangeFractalType(int type)
{
    StopRender();
    ClearColorAndDepth();
    std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
    ShowIdleRenderButtons();
    gScreenState = kScreenPointPreview;
    if (UsesRgbOnly(gFractalType)) {
        gRgbColoring = gPanel.colorByTransformation;
        if (!gPanel.colorByTransformation) {
            SharedStore(gShadingSettings.materialColorBlend, 7);
            SetColoringMode(7);
            for (int i = 0; i < gBaseshapeCount && i < kMaxBaseshapes; ++i) {
                if (gBaseshapes[i].useTexture || gBaseshapes[i].useGradient) gRgbColoring = 1;
            }
        }
    }
    SetFractalType(type);
    if (type == 1 && static_cast<int>(gSymmetryFoldCount.load()) == 4) gSymmetrySeparation.store(0.0f);
    // The mirror copies of the old type do not carry over to the new one.
    gMirrorCopy = 0;
    gMirrorY = 0;
    if (UsesRgbOnly(type)) {
        gRgbColoring = 1;
        SharedStore(gShadingSettings.materialColorBlend, 6);
        SetColoringMode(7);
    }
    EndTextInput();
    CreateRandomFractal();
    SayWhenNoScriptIsLoaded();
    gInterface.UpdateTypeButtons();
    gPreviewRefresh = 1;
    StoreTransformEditorUndo();
}

// After a successful load: the preview starts afresh from the loaded
// picture or fractal.
void LoadEpilogue(bool buffers)
{
    gInterface.UpdateTypeButtons();
    gPointPreviewValid = 1;
    EnableButton(kButtonRender, true);
    EnableButton(kButtonContinue, true);
    EnableButton(kButtonStop, false);
    ClearColorAndDepth();
    gRenderInBuffers = 0;
    MainButton(kButtonPreview).pressed = 1;
    gPreviewRefresh = 1;
    ProcessInterfaceActions();
    if (buffers) {
        ShadeProgressive(0);
    } else {
        ShadeFull();
    }
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    DrawTextF(140, 168, "%s", "Buffers Loaded!");
    glPopAttrib();
    gScreenState = buffers ? kScreenExport : kScreenPointPreview;
}

void FractalsPage()
{
    // A type picked in "Fractal Type" waits while an export runs or an
    // editor is shown.
    const int type = gPanel.fractalTypeRequest;
    if (type != kNoFractalTypeRequest && !gFileThreadBusy.load() && !EditorShown()) {
        gPanel.fractalTypeRequest = kNoFractalTypeRequest;
        if (type != gFractalType) ChangeFractalType(type);
    }
    if (Take(kActionResetPaths)) {
        RestoreDefaultDialogFolders();
        gShader.textureDialogFlag = 1;
        SetStatusText("Default Paths restored!");
    }
    if (Take(kActionKavrolin) && CanExportKavrolinScene()) ExportKavrolinScene();
    if (Take(kActionLoadScript)) ReadScriptFile();
    if (Take(kActionSaveScript)) {
        SetStatusText("Exports the current fractal for Talvoran script");
        WriteScriptFile();
    }
    if (Take(kActionSaveBuffers)) SaveFractalData(false);
    if (Take(kActionLoadBuffers) && LoadFractalData(false)) LoadEpilogue(true);
    if (Take(kActionSaveFractal)) SaveFractalData(true);
    if (Take(kActionLoadFractal) && LoadFractalData(true)) LoadEpilogue(false);
}

// ---- [render page] ----------------------------------------------------------------
// A press while an export runs is refused with a word, and the buttons
// stay as the running export set them.
void StartImageExport(bool png)
{
    if (gFileThreadBusy.load()) {
        SetStatusText("%s", kExportRunningText);
        return;
    }
    SetStatusText(png ? "Exports the fractal as a PNG file." : "Exports the fractal as a Bitmap file.");
    gPreviewRefresh = 0;
    if (!StartExportThread(png)) {
        SetStatusText("%s", gFileThreadBusy.load() ? kExportRunningText : "The export could not be started.");
        return;
    }
    EnableButton(kButtonRender, true);
    EnableButton(kButtonContinue, true);
    EnableButton(kButtonStop, false);
    gScreenState = kScreenExport;
}

// The panel shows the slot's values from the shader at the next frame.
void ShowSlot(int material)
{
    SharedStore(gShader.currentMaterial, material);
    RenderCurrentShadingBall();
}

// ---- [texture tab] ----------------------------------------------------------------
struct TextureRow {
    ActionButtonId cancel, select, external, gradient, color;
};
constexpr TextureRow kTextureRows[2] = {
    {kActionCancelA, kActionSelectA, kActionExternalTextureA, kActionGradientA, kActionColorA},
    {kActionCancelB, kActionSelectB, kActionExternalTextureB, kActionGradientB, kActionColorB},
};

void ShowTextureChoices(const TextureRow& row, bool on)
{
    EnableActionButton(row.gradient, on);
    EnableActionButton(row.external, on);
    EnableActionButton(row.color, on);
    EnableActionButton(row.cancel, !on);
}

// The current material's colour of texture A (page 0) or B into rgb.
void CopySlotColor(int page, int32_t rgb[3])
{
    const uint32_t* color = (page == 0 ? gShader.solidColorsA : gShader.solidColorsB)[CurrentMaterial()];
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<int32_t>(SharedLoad(color[c]) & 0xFFu);
}

// False when a busy procedural texture ends the pass.
bool SelectTexture(int page)
{
    if (gPanel.generatorOn[page]) {
        if (gProceduralTextureBusy.load()) {
            SetStatusText("%s", kTextureRunningText);
            return false;
        }
        StartProceduralTexture(page);
    } else if (gPanel.colorPanelShown[page]) {
        const int32_t* rgb = gPanel.colorPanelRgb[page];
        gShader.SetSlotSolidColor(static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]),
                                  static_cast<uint8_t>(rgb[2]), page, gShader.currentMaterial);
    } else {
        const int entry = gPanel.textureListEntry;
        if (entry < 0 || entry >= gTextureFileCount || entry >= static_cast<int>(gTextureFileNames.size())) {
            SetStatusText("Choose a texture from the list first");
        } else {
            const std::string& name = gTextureFileNames[static_cast<size_t>(entry)];
            char path[kPathBufferSize];
            const int length = std::snprintf(path, sizeof path, "%s/%s", gTexturesPath, name.c_str());
            if (length < 0 || length >= static_cast<int>(sizeof path)) {
                SetStatusText("The chosen path is too long");
            } else if (IsColorMapFileName(name.c_str())) {
                if (LoadColorMapFile(path)) gShader.SetTextureFromColorMap(page, gShader.currentMaterial);
                else SetStatusText("Talvoran :   Cannot read the colour map %s.", StatusFileName(name.c_str()));
            } else {
                gShader.LoadTextureFromFile(entry, page, gShader.currentMaterial, false);
            }
        }
    }
    Reshade();
    gPanel.colorPanelShown[page] = 0;
    ShowTextureChoices(kTextureRows[page], true);
    return true;
}

// Runs with the file dialog up: the frame shows only the interface.
template <typename Load>
void WithDialogState(Load load)
{
    const uint8_t saved = gScreenState.load();
    gScreenState = kScreenInterfaceOnly;
    load();
    gScreenState = saved;
    Reshade();
}

bool TextureTab()
{
    const int page = gPanel.materialTab;
    if (page != 0 && page != 1) return true;
    const TextureRow& row = kTextureRows[page];
    PanelState& w = gPanel;
    if (Take(row.cancel)) {
        w.colorPanelShown[page] = 0;
        ShowTextureChoices(row, true);
    }
    if (Take(kActionExportTexture) && w.generatorOn[page]) {
        static const int kSizes[3][2] = {{512, 0}, {1024, 1}, {512, 2}};  // "Tile", "Plane", "Sphere"
        const int format = w.format;
        if (format >= 0 && format < 3) {
            gShader.SaveTextureBitmap(kSizes[format][0], kSizes[format][1], SelectedPresetOfKind(page));
        }
    }
    if (Take(row.select) && !SelectTexture(page)) return false;
    if (Take(row.external)) WithDialogState([page] { gShader.LoadTextureFromFile(0, page, gShader.currentMaterial, true); });
    if (Take(row.gradient)) {
        WithDialogState([page] {
            if (LoadColorMapWithDialog()) gShader.SetTextureFromColorMap(page, gShader.currentMaterial);
        });
    }
    if (Take(row.color)) {
        CopySlotColor(page, w.colorPanelRgb[page]);
        w.colorPanelShown[page] = 1;
        ShowTextureChoices(row, false);
    }
    return true;
}

// "Reset Parameters": the current material's slider values, texture angles,
// curve modes and Fresnel flag; its textures and colours stay.
void ResetMaterialParameters(int m)
{
    if (m < 0 || m >= kMaterialCount) return;
    Shader& s = gShader;
    const std::pair<float*, float> starts[] = {
        {s.ambientIntensity, 1.0f}, {s.ambientRoughness, 0.0f}, {s.diffuseIntensity, 1.0f},
        {s.specularMagnitude, 90.0f}, {s.specularIntensity, 1.0f}, {s.fresnelExt, 8.0f},
        {s.fresnelInt, 0.001f}, {s.shadowDepth, 0.25f}, {s.rotationA, 0.0f}, {s.rotationB, 0.0f},
    };
    for (const auto& [field, value] : starts) SharedStore(field[m], value);
    SharedStore(s.curveMode1[m], 6u);
    SharedStore(s.curveMode2[m], 5u);
    SharedStore(s.fresnelOn[m], 0);
}

// False when the pass must end here.
bool RenderPageActions()
{
    PanelState& w = gPanel;
    if (Take(kActionResetParameters)) {
        SetStatusText("Reset all material parameters");
        ResetMaterialParameters(gShader.currentMaterial);
        Reshade();
    }
    if (Take(kActionResetEnvParameters)) {
        SetStatusText("Reset all environment parameters");
        ShadingSettings& s = gShadingSettings;
        SharedStore(s.fog[0], 0.15f);
        SharedStore(s.fog[1], 3.5f);
        SharedStore(s.turbidity, 5.0f);
        for (float& c : s.volumetricFogColor) SharedStore(c, 1.5f);
        Reshade();
    }
    // In voxel mode the image exports skip the rest of the page; the press
    // is dropped rather than left to start an export later.
    if (ActionPressed(kActionSaveBitmap) || ActionPressed(kActionSavePng)) {
        if (gVoxelEngineOn) {
            ClearActionPressed(kActionSaveBitmap);
            ClearActionPressed(kActionSavePng);
            return true;
        }
        if (Take(kActionSaveBitmap)) StartImageExport(false);
        if (Take(kActionSavePng)) StartImageExport(true);
    }
    if (Take(kActionSaveMaterial)) SaveMaterial();
    if (Take(kActionLoadMaterial) && !RenderOnScreen(gScreenState.load()) && LoadMaterial()) {
        gScreenState = kScreenPointPreview;
        Reshade();
    }
    if (Take(kActionLoadImage)) {
        gShader.LoadBackgroundImage();
        Reshade();
    }
    if (Take(kActionSelectBackground)) {
        if (gProceduralTextureBusy.load()) {
            SetStatusText("%s", kTextureBusyText);
            return false;
        }
        StartProceduralTexture(2);
        Reshade();
    }
    if (Take(kActionNewSet)) {
        gShader.RegenerateTexturePresets(15, 30, 4);
        Reshade();
    }
    if (Take(kActionPreviousSlot)) {
        const int m = gShader.currentMaterial;
        ShowSlot(m > 0 ? m - 1 : m);
    }
    if (Take(kActionNextSlot)) {
        const int m = gShader.currentMaterial;
        ShowSlot(m < kMaterialCount - 1 ? m + 1 : m);
    }
    if (Take(kActionClearFog)) {
        if (gVoxelEngineOn) return false;
        const size_t pixels = static_cast<size_t>(gImageWidth) * static_cast<size_t>(gImageHeight);
        if (gFogSampleBuffer) std::memset(gFogSampleBuffer, 0, pixels * sizeof(uint16_t));
    }
    if (Take(kActionClearShadows)) {
        if (gVoxelEngineOn) return false;
        const size_t pixels = static_cast<size_t>(gImageWidth) * static_cast<size_t>(gImageWidth);
        if (gShadowMap) std::memset(gShadowMap, 0, pixels * sizeof(uint16_t));
        ClearColorAndDepth();
    }
    const int page = gPanel.materialTab;
    if (Take(kActionTextureGenerator) && (page == 0 || page == 1)) w.generatorOn[page] ^= 1;
    if (Take(kActionNewTextures)) gShader.RegenerateTexturePresets(0, kPresetsPerPanel, 0);
    return TextureTab();
}

// ---- [camera page] ----------------------------------------------------------------
// The clears of the three view resets. Running workers are held while their
// buffers are zeroed.
void ClearForViewReset()
{
    ClearColorAndDepth();
    const bool hold = gRenderActive.load() != 0 && PauseRenderWorkers();
    ClearRenderBuffers();
    if (hold) ResumeRenderWorkers();
    ClearPreviewTarget();
}

void CameraPage()
{
    if (Take(kActionChange) && RenderBuffersChangeable()) {
        // A running render stops here as at "Stop": where memory refuses
        // the new size, the render is kept and "Continue" goes on with it.
        if (gRenderActive.load() && !gAnimationOn && !gVoxelEngineOn) gContinueAllowed = 1;
        StopRender();
        ShowIdleRenderButtons();
        gScreenState = kScreenPointPreview;
        float* resolution = gPanel.renderSize;
        if (resolution[0] < resolution[1]) resolution[1] = resolution[0];
        ResizeRenderBuffers(0);
    }
    if (Take(kActionResetPosition)) {
        ClearForViewReset();
        if (!gVoxelEngineOn) {
            gPanX = gPanY = 0.0f;
            gImageOffsetX = 0.5f * static_cast<float>(gImageWidth);
            gImageOffsetY = 0.5f * static_cast<float>(gImageHeight);
            gPointPreviewValid = 0;
        }
    }
    if (Take(kActionResetRotation)) {
        ClearForViewReset();
        if (!gVoxelEngineOn) {
            StopRender();
            gCameraAngleX = gCameraAngleY = gCameraAngleZ = 0.0f;
            UpdateCameraMatrix();
            gPointPreviewValid = 0;
            std::memcpy(gPreview3DFreeView, gCameraGLMatrix, sizeof gPreview3DFreeView);
        }
    }
    if (Take(kActionScale)) {
        ClearForViewReset();
        if (!gVoxelEngineOn) {
            StopRender();
            gPerspectiveFocal = 1.0f;
            SetPreviewFocal(1.0f);
            gImageScale = 0.5f * static_cast<float>(gImageHeight < gImageWidth ? gImageHeight : gImageWidth);
            gPointPreviewValid = 0;
            FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
            gPreviewDepthRange = 1.0f;  // the fitted view lies within -1..1
            FitViewToFractal(&gShadowOffsetX, &gShadowOffsetY, &gShadowOffsetZ, &gShadowScale, kFitLightView);
            gPreviewRefresh = 1;
        }
    }
}

// ---- [voxels page] ----------------------------------------------------------------
void VoxelsPage()
{
    if (ActionPressed(kActionStartVoxelEngine)) StartVoxelEngineAction();
    MeshExportActions();
    if (ActionPressed(kActionStopVoxelEngine)) StopVoxelEngineAction();
}

// ---- [panel] ----------------------------------------------------------------------
void NewFractal()
{
    // Waits, pressed, for a release after the export or the editor.
    if (gFileThreadBusy.load() || EditorShown()) return;
    ClearActionPressed(kActionNewFractal);
    StopRenderAndResetPanel();
    gScreenState = kScreenPointPreview;
    ShowIdleRenderButtons();
    StopRender();
    gPreviewRefresh = 1;
    ClearColorAndDepth();
    CreateRandomFractal();
    SayWhenNoScriptIsLoaded();
}

void ClearSuccessorsAndShow()
{
    gPreviewRefresh = 1;
    ClearColorAndDepth();
    ClearPreviewTarget();
}

}  // namespace

bool IsColorMapFileName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    const size_t length = std::strlen(name);
    return length >= 4 && strcasecmp(name + length - 4, ".map") == 0;
}

void DrawForbiddenSuccessors()
{
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    const float draw = RandomUniform(gGlobalRandomB);
    const int32_t count = gTransformCount;
    if (count < 3) return;
    const bool both = draw > 0.95f;
    for (int32_t t = 0; t < count && t < kMaxTransforms; ++t) {
        gForbiddenSuccessors[t][0] = static_cast<int32_t>(RandomStep(gGlobalRandomB) % static_cast<uint32_t>(count));
        if (both) gForbiddenSuccessors[t][1] = static_cast<int32_t>(RandomStep(gGlobalRandomB) % static_cast<uint32_t>(count));
    }
}

void RunPanelActions()
{
    if (ActionPressed(kActionNewFractal)) NewFractal();
    if (Take(kActionHelp)) OpenHelpPage("");
    if (Take(kActionRandomSuccessors)) {
        ClearSuccessorsAndShow();
        DrawForbiddenSuccessors();
        ShowSuccessorFields();
        BuildTransformPickTable();
    }
    if (Take(kActionClearSuccessors)) {
        ClearSuccessorsAndShow();
        for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
        ShowSuccessorFields();
        BuildTransformPickTable();
    }
}

// ---- [pages] ----------------------------------------------------------------------
bool RunPageActions()
{
    FinishMeshExportOnWindowThread();
    switch (gCurrentTab) {
    case kTabFractals: FractalsPage(); return true;
    case kTabRender: return RenderPageActions();
    case kTabCamera: CameraPage(); return true;
    case kTabVoxels: VoxelsPage(); return true;
    default: return true;
    }
}

bool RenderAnimationPressed() { return ActionPressed(kActionRenderAnimation); }

bool PrepareAnimationStart()
{
    ClearActionPressed(kActionRenderAnimation);
    if (gVoxelEngineOn) return false;
    EnableActionButton(kActionRenderAnimation, false);
    WindAnimationToStartFrame();
    return true;
}

void EnableRenderAnimation(bool on) { EnableActionButton(kActionRenderAnimation, on); }
