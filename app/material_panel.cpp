// The material and light panel's widgets, built once at start-up from the
// layout table below, and the pictures they show.
//
// Sections: [places] [build] [thumbnails] [labels]
#include "app/material_panel.h"

#include "app/interface_layout.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "app/create_interface.h"
#include "app/panel_state.h"
#include "engine/vector_math.h"
#include "materials/color_maps.h"
#include "materials/shader.h"
#include "render/view_camera.h"
#include "ui/font.h"
#include "ui/texture_upload.h"
#include "engine/window_ranges.h"

MaterialPanel gMaterialPanel;

// ---- [places] -------------------------------------------------------------------

namespace {

enum MaterialPanelPlaceId : int {
    kAtDirectionBall,
    kAtRotation,
    kAtGlowShader,
    kAtGlowParameters,
    kAtGlowBackground,
    kAtReflections,
    kAtReflectivity,
    kAtBackgroundFog,
    kAtEdit,
    kAtEnableLight,
    kAtSurfaceMaterial,
    kAtObjectToEdit,
    kAtPreviousLight,  // the six light buttons follow in caption order
    kAtNextLight,
    kAtLoadGel,
    kAtClearGel,
    kAtNewGels,
    kAtSelectGel,
    kAtShadingModel1,
    kAtShadingModel2,
    kAtTextureBox1,
    kAtTextureBox2,
    kAtShadingBall,
    kAtSlotNumber,
    kAtWindow,
    kAtControls,
    kAtTrans,
    kAtLightColor,
    kAtFogPanel,
    kAtLightParameters,
    kAtTexturePanels,
    kAtBaseshapeTexturePanel,
    kAtBaseshapeDMapPanel,
    kAtUseTexture,
    kAtSpecular,
    kAtMaterialType,
    kMaterialPanelPlaceCount,
};

// x, y of the lower left corner; width and height where the widget takes
// them (a list's or slider window's height is its row height).
struct MaterialPanelPlace {
    MaterialPanelPlaceId id;
    int x, y, width, height;
};

// A notch steps the threshold by 0.05, the smoothing by one step, the intensity by 0.1.
constexpr float kGlowSteps[3] = {0.05f, 1.0f, 0.1f};
constexpr float kLightParameterRows[12] = {0, 100, 0.5f, 1, 0, 0, 0, 1, 0.001f, 1, 1, 0};

constexpr const char* kRotationEntries[] = {"T", "X", "Y", "Z", "0"};
constexpr const char* kObjectEntries[] = {"Additional Lights", "Camera POV"};
// The lists show the curve modes top down from 6; the selection is the mode.
constexpr const char* kShadingModelEntries[] = {"Flat", "Lambert", "Oren-Nayar", "Pow2",
                                                       "Pow10", "Metallic", "Cook-Torrance"};
constexpr const char* kWindowEntries[] = {"Camera", "Front", "Left", "Top"};
constexpr const char* kControlEntries[] = {"Rotate", "Pan"};
constexpr const char* kTransEntries[] = {"Free", "X Axis", "Y Axis", "Z Axis", "Center"};
constexpr const char* kLightButtonCaptions[] = {"#", "$", "Load", "Clear", "New Textures", "Select"};
constexpr const char* kGlowCaptions[] = {"Glow Parameters", "Threshold", "Smoothing Steps", "Intensity"};
constexpr const char* kReflectivityCaptions[] = {"Reflectivity Index (0.0 .. 1.0)", "Value"};
constexpr const char* kLightParameterCaptions[] = {"Light Parameters", "Radius", "Cut-off"};


constexpr int kZ = 30;
constexpr int kRow = 20;
constexpr int kFogColorGroup = 26;
constexpr int kGlowGroup = 60;
constexpr int kReflectivityGroup = 61;
constexpr int kLightParameterGroup = 62;
constexpr int kBallGroup = 63;
constexpr int kLightColorGroup = 64;
constexpr int kSpecularGroup = 65;

void BuildCheck(OptionsBox& box, int x, int y, int width, const char* caption, bool on)
{
    const char* labels[] = {caption};
    box.Build(x, y, kZ, width, kRow, 1, caption, labels);
    box.flags[0] = on ? 1 : 0;
}

// options top first; the selection counts from the lowest row.
template <int N>
void BuildList(ListBox& list, int x, int y, int width, const char* caption, const char* const (&options)[N],
               int selectedFromTop)
{
    list.Build(x, y, kZ, width, kRow, N, caption, options);
    list.selectedFromTop = selectedFromTop;
    list.selected = list.previous = N - 1 - selectedFromTop;
}

// The light editor fills the left column from "Edit" down to the gel panel;
// the glow and reflection switches sit under the occlusion controls of
// "Shaders"; the fog colour and its source share "Environment" with the main
// panel's fog windows; the surface material controls and the shading-model
// lists (the ambient and diffuse tabs' at one place) at the bottom of theirs.
// "Light Source:" is drawn at (32, 512) and the shading-model thumbnail at
// (296, 112) to (360, 176), between the widgets placed here.
const MaterialPanelPlace kMaterialPanelPlaces[kMaterialPanelPlaceCount] = {
    {kAtDirectionBall, 40, 230, 160, 160},
    {kAtRotation, 220, 230, 40, kRow},
    {kAtGlowShader, 20, 400, 420, kRow},
    {kAtGlowParameters, 20, 320, 400, kRow},
    {kAtGlowBackground, 20, 290, 420, kRow},
    {kAtReflections, 20, 260, 420, kRow},
    {kAtReflectivity, 20, 210, 400, kRow},
    {kAtBackgroundFog, 280, 580, 300, kRow},
    {kAtEdit, 20, 620, 120, kRow},
    {kAtEnableLight, 240, 540, 200, kRow},
    {kAtSurfaceMaterial, 20, 240, 300, kRow},
    {kAtObjectToEdit, 160, 600, 200, kRow},
    {kAtPreviousLight, 20, 540, 40, 22},
    {kAtNextLight, 70, 540, 40, 22},
    {kAtLoadGel, 20, 206, 64, 22},
    {kAtClearGel, 90, 206, 64, 22},
    {kAtNewGels, 160, 206, 104, 22},
    {kAtSelectGel, 270, 206, 64, 22},
    {kAtShadingModel1, 460, 300, 200, kRow},
    {kAtShadingModel2, 460, 300, 200, kRow},
    {kAtTextureBox1, 280, 300, 64, 64},
    {kAtTextureBox2, 360, 300, 64, 64},
    {kAtShadingBall, 372, 420, 128, 128},
    {kAtSlotNumber, 464, 852, 48, 24},
    {kAtWindow, 380, 560, 120, kRow},
    {kAtControls, 520, 600, 120, kRow},
    {kAtTrans, 520, 440, 120, kRow},
    {kAtLightColor, 20, 330, 0, 0},
    {kAtFogPanel, 44, 240, 0, 0},
    {kAtLightParameters, 20, 440, 400, kRow},
    {kAtTexturePanels, kTexturePickerX, kTexturePickerY, 320, 192},
    // The baseshape editor's presets: above its texture buttons on "Colors",
    // above its displacement-map buttons on "Shape".
    {kAtBaseshapeTexturePanel, 228, 480, 320, 192},  // right of "Use Surface Texture" (40..224)
    {kAtBaseshapeDMapPanel, 200, 170, 320, 192},
    {kAtUseTexture, 20, 410, 200, kRow},
    {kAtSpecular, 20, 420, 0, 0},
    {kAtMaterialType, 20, 60, 248, kRow},
};

}  // namespace


// ---- [build] --------------------------------------------------------------------

void MaterialPanel::Build()
{
    auto at = [](MaterialPanelPlaceId id) -> const MaterialPanelPlace& { return kMaterialPanelPlaces[id]; };
    auto check = [&](OptionsBox& box, MaterialPanelPlaceId id, const char* caption, bool on) {
        BuildCheck(box, at(id).x, at(id).y, at(id).width, caption, on);
    };
    const MaterialPanelPlace& ball = at(kAtDirectionBall);
    textureDirection.Build(ball.x, ball.y, kZ, ball.width, ball.height, 0, kBallGroup, "Texture  Dir.");
    BuildList(rotationList, at(kAtRotation).x, at(kAtRotation).y, at(kAtRotation).width, "Rot",
              kRotationEntries, 0);

    check(glowShader, kAtGlowShader, "Enable the Glow Shader", false);
    check(glowBackground, kAtGlowBackground, "Include the background brighness in the shader", false);
    const MaterialPanelPlace& glow = at(kAtGlowParameters);
    glowParameters.Build(glow.x, glow.y, kZ, glow.width, glow.height, 3, kGlowCaptions, kGlowRows, kGlowGroup);
    glowParameters.SetValueList(3, kGlowSteps);
    check(reflections, kAtReflections, "Enable Reflections", false);
    const MaterialPanelPlace& reflect = at(kAtReflectivity);
    reflectivity.Build(reflect.x, reflect.y, kZ, reflect.width, reflect.height, 1, kReflectivityCaptions,
                       kReflectivityRows, kReflectivityGroup);

    check(backgroundFog, kAtBackgroundFog, "Use Background as Fog source", true);
    check(editBox, kAtEdit, "Edit", false);
    check(lightEnabledBox, kAtEnableLight, "Enable Light", false);
    check(surfaceMaterialBox, kAtSurfaceMaterial, "Enable Surface Material", false);
    BuildList(objectToEdit, at(kAtObjectToEdit).x, at(kAtObjectToEdit).y, at(kAtObjectToEdit).width,
              "Object to Edit:", kObjectEntries, 0);
    for (int i = 0; i < 6; ++i) {
        const MaterialPanelPlace& b = at(static_cast<MaterialPanelPlaceId>(kAtPreviousLight + i));
        lightButtons[i].Build(b.x, b.y, kZ, b.width, b.height, kLightButtonCaptions[i], i, 0, 0);
    }
    const MaterialPanelPlace& model1 = at(kAtShadingModel1);
    const MaterialPanelPlace& model2 = at(kAtShadingModel2);
    BuildList(shadingModel[0], model1.x, model1.y, model1.width, "Shading Model", kShadingModelEntries, 0);  // "Flat"
    BuildList(shadingModel[1], model2.x, model2.y, model2.width, "Shading Model", kShadingModelEntries, 1);  // "Lambert"
    for (int i = 0; i < 3; ++i) {
        const MaterialPanelPlace& box = at(i == 2 ? kAtShadingBall : static_cast<MaterialPanelPlaceId>(kAtTextureBox1 + i));
        textureBoxes[i].SetLayout(box.x, box.y, kZ, box.width, box.height, 0u);
    }
    const MaterialPanelPlace& number = at(kAtSlotNumber);
    slotNumber.Build(number.x, number.y, kZ, number.width, number.height, " ");
    slotNumber.visible = 1;
    BuildList(windowList, at(kAtWindow).x, at(kAtWindow).y, at(kAtWindow).width, "Window", kWindowEntries,
              1);  // "Front"
    BuildList(controlsList, at(kAtControls).x, at(kAtControls).y, at(kAtControls).width, "Controls",
              kControlEntries, 1);  // "Pan"
    BuildList(transList, at(kAtTrans).x, at(kAtTrans).y, at(kAtTrans).width, "Trans", kTransEntries,
              0);  // "Free"
    lightColor.Build(at(kAtLightColor).x, at(kAtLightColor).y, kZ, "Color    R       G       B ",
                     kLightColorGroup);

    fogPanel.gradient = &gFogGradient;
    fogPanel.Build(at(kAtFogPanel).x, at(kAtFogPanel).y, kZ, "Fog Color R       G       B ", kFogColorGroup);
    const MaterialPanelPlace& light = at(kAtLightParameters);
    lightParameters.Build(light.x, light.y, kZ, light.width, light.height, 2, kLightParameterCaptions,
                          kLightParameterRows, kLightParameterGroup);
    for (int t = 0; t < kTexturePanelCount; ++t) {
        const MaterialPanelPlace& p = at(t == kBaseshapeTexturePanel ? kAtBaseshapeTexturePanel
                                         : t == kBaseshapeDMapPanel  ? kAtBaseshapeDMapPanel
                                                                     : kAtTexturePanels);
        texturePanels[t].Build(p.x, p.y, kZ, 0, 0, "", 1);
    }
    check(useTextureBox, kAtUseTexture, "Use Texture", false);
    specular.Build(at(kAtSpecular).x, at(kAtSpecular).y, kZ, "Specular  R       G       B ", kSpecularGroup);
    specular.SetColor(255, 255, 255);

    const char* typeNames[kMaterialTypeCount];
    for (int i = 0; i < kMaterialTypeCount; ++i) typeNames[i] = kMaterialTypes[i].name;
    const MaterialPanelPlace& types = at(kAtMaterialType);
    materialTypeList.Build(types.x, types.y, kZ, types.width, types.height, 7, kMaterialTypeCount, "Material Type",
                           typeNames);
    materialTypeList.SetSelected(0);
    gShader.ResetPanelValues();
    int black[3] = {0, 0, 0};
    gShader.SetFogColor(black);
    // The light editor starts on light 0, its gel in the swatch.
    gShader.editedLight = 0;
    gShader.ShowLightGelThumbnail(0);
    UpdateTextures();
}

// ---- [thumbnails] ---------------------------------------------------------------

namespace {

struct UploadedThumbnail {
    unsigned texture = 0;
    uint32_t revision = 0;
};

}  // namespace

unsigned ThumbnailTexture(const Thumbnail& thumbnail, bool repeat)
{
    static std::unordered_map<const Thumbnail*, UploadedThumbnail> uploaded;
    UploadedThumbnail& u = uploaded[&thumbnail];
    if (u.texture == 0) {
        u.texture = CreateRgbTexture(kThumbnailSize, kThumbnailSize, thumbnail.rgb,
                                     repeat ? TextureWrap::Repeat : TextureWrap::Clamp);
        u.revision = thumbnail.revision;
    } else if (u.revision != thumbnail.revision) {
        ReplaceRgbTexture(u.texture, kThumbnailSize, kThumbnailSize, thumbnail.rgb);
        u.revision = thumbnail.revision;
    }
    return u.texture;
}

int CurrentMaterial()
{
    const int m = SharedLoad(gShader.currentMaterial);
    return m >= 0 && m < kMaterialCount ? m : 0;
}

int EditedLight()
{
    const int l = gShader.editedLight;
    return l >= 0 && l < kLightCount ? l : 0;
}

void MaterialPanel::UpdateTextures()
{
    for (int t = 0; t < kTexturePanelCount; ++t) {
        TexturePanel& panel = texturePanels[t];
        for (int e = 0; e < kPresetsPerPanel; ++e)
            panel.textures[e] = ThumbnailTexture(gShader.presetThumbnails[kPresetsPerPanel * t + e]);
        // A generation's progress shows on the panel of its target.
        const GenerationProgress& g = gShader.generation[t];
        panel.generating = SharedLoad(g.running);
        panel.progressDone = SharedLoad(g.done);
        panel.progressTotal = SharedLoad(g.total);
    }
    const int m = CurrentMaterial();
    textureBoxes[0].texture = ThumbnailTexture(gPanel.materialTab == 1 ? gShader.thumbnailB[m] : gShader.thumbnailA[m]);
    textureBoxes[1].texture = ThumbnailTexture(gShader.gelThumbnail);
    textureBoxes[2].texture = ThumbnailTexture(gShader.shadingBallThumbnail);
    slotNumber.SetNumber(m);
}

void RenderCurrentShadingBall()
{
    const int m = CurrentMaterial();
    gShader.RenderShadingBall(gLightTrackBallA, SharedLoad(gShader.specularIntensity[m]),
                              SharedLoad(gShader.specularMagnitude[m]));
}

void DrawShadingModelThumbnail(int mode)
{
    if (mode < 0 || mode >= kCurveModeCount) return;
    // Beside its list, right of the texture box.
    const float* r = kShadingModelThumbnailRect;
    DrawTextureRect(ThumbnailTexture(gShader.shadingModelThumbnails[mode], true), r[0], r[1], r[2], r[3], 50.0f);
}

// ---- [labels] -------------------------------------------------------------------

void DrawLightEditorLabels()
{
    if (!gPanel.lightEditOn || gPanel.objectToEdit != 1) return;
    DrawAdditiveText(32, 512, "Light Source:");
    char number[16];
    std::snprintf(number, sizeof number, "%d", EditedLight());
    DrawAdditiveText(180, 512, number);
}
