// The material and light panel's widgets: built once at start-up from the
// layout table with their start values.
#include "materials/material_panel.h"

#include "materials/color_maps.h"
#include "materials/shader.h"

namespace {

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
    box.visible = 1;
}

// options top first; the selection counts from the lowest row.
template <int N>
void BuildList(ListBox& list, int x, int y, int width, const char* caption, const char* const (&options)[N],
               int selectedFromTop)
{
    list.Build(x, y, kZ, width, kRow, N, caption, options);
    list.selectedFromTop = selectedFromTop;
    list.selected = list.previous = N - 1 - selectedFromTop;
    list.visible = 1;
}

}  // namespace

// The light editor fills the left column from "Edit" down to the gel panel;
// the glow and reflection switches sit at the top of their page; the surface
// material controls and the shading-model lists at the bottom of theirs.
// "Light Source:" is drawn at (32, 512) and the shading-model thumbnail at
// (296, 112) to (360, 176), between the widgets placed here.
const MaterialPanelPlace kMaterialPanelPlaces[kMaterialPanelPlaceCount] = {
    {kPlaceDirectionBall, 40, 230, 160, 160},
    {kPlaceRotation, 220, 230, 40, kRow},
    {kPlaceGlowShader, 20, 900, 420, kRow},
    {kPlaceGlowParameters, 20, 800, 400, kRow},
    {kPlaceGlowBackground, 20, 770, 420, kRow},
    {kPlaceReflections, 20, 730, 420, kRow},
    {kPlaceReflectivity, 20, 680, 400, kRow},
    {kPlaceBackgroundFog, 20, 640, 420, kRow},
    {kPlaceEdit, 20, 620, 120, kRow},
    {kPlaceEnableLight, 240, 540, 200, kRow},
    {kPlaceSurfaceMaterial, 20, 240, 300, kRow},
    {kPlaceObjectToEdit, 160, 600, 200, kRow},
    {kPlacePreviousLight, 20, 540, 40, 22},
    {kPlaceNextLight, 70, 540, 40, 22},
    {kPlaceLoadGel, 20, 196, 64, 22},
    {kPlaceClearGel, 90, 196, 64, 22},
    {kPlaceNewGels, 160, 196, 104, 22},
    {kPlaceSelectGel, 270, 196, 64, 22},
    {kPlaceShadingModel1, 460, 300, 200, kRow},
    {kPlaceShadingModel2, 460, 120, 200, kRow},
    {kPlaceTextureBox1, 280, 300, 64, 64},
    {kPlaceTextureBox2, 360, 300, 64, 64},
    {kPlaceWindow, 380, 560, 120, kRow},
    {kPlaceControls, 520, 600, 120, kRow},
    {kPlaceTrans, 520, 440, 120, kRow},
    {kPlaceLightColor, 20, 330, 0, 0},
    {kPlaceFogPanel, 44, 666, 0, 0},
    {kPlaceLightParameters, 20, 440, 400, kRow},
    {kPlaceTexturePanels, 20, 2, 320, 192},
    {kPlaceUseTexture, 20, 410, 200, kRow},
    {kPlaceSpecular, 20, 420, 0, 0},
    {kPlaceMaterialType, 20, 60, 248, kRow},
};

void Shader::BuildMaterialPanel()
{
    auto at = [](MaterialPanelPlaceId id) -> const MaterialPanelPlace& { return kMaterialPanelPlaces[id]; };
    auto check = [&](OptionsBox& box, MaterialPanelPlaceId id, const char* caption, bool on) {
        BuildCheck(box, at(id).x, at(id).y, at(id).width, caption, on);
    };
    const MaterialPanelPlace& ball = at(kPlaceDirectionBall);
    textureDirection.Build(ball.x, ball.y, kZ, ball.width, ball.height, 0, kBallGroup, "Texture  Dir.");
    textureDirection.visible = 1;
    BuildList(rotationList, at(kPlaceRotation).x, at(kPlaceRotation).y, at(kPlaceRotation).width, "Rot",
              kRotationEntries, 0);

    check(glowShader, kPlaceGlowShader, "Enable the Glow Shader", false);
    check(glowBackground, kPlaceGlowBackground, "Include the background brighness in the shader", false);
    const MaterialPanelPlace& glow = at(kPlaceGlowParameters);
    glowParameters.Build(glow.x, glow.y, kZ, glow.width, glow.height, 3, kGlowCaptions, kGlowRows, kGlowGroup);
    check(reflections, kPlaceReflections, "Enable Reflections", false);
    const MaterialPanelPlace& reflect = at(kPlaceReflectivity);
    reflectivity.Build(reflect.x, reflect.y, kZ, reflect.width, reflect.height, 1, kReflectivityCaptions,
                       kReflectivityRows, kReflectivityGroup);

    check(backgroundFog, kPlaceBackgroundFog, "Use Background as Fog source", true);
    check(editBox, kPlaceEdit, "Edit", false);
    check(lightEnabledBox, kPlaceEnableLight, "Enable Light", false);
    check(surfaceMaterialBox, kPlaceSurfaceMaterial, "Enable Surface Material", false);
    BuildList(objectToEdit, at(kPlaceObjectToEdit).x, at(kPlaceObjectToEdit).y, at(kPlaceObjectToEdit).width,
              "Object to Edit:", kObjectEntries, 0);
    for (int i = 0; i < 6; ++i) {
        const MaterialPanelPlace& b = at(static_cast<MaterialPanelPlaceId>(kPlacePreviousLight + i));
        lightButtons[i].Build(b.x, b.y, kZ, b.width, b.height, kLightButtonCaptions[i], i, 0, 0);
        lightButtons[i].visible = 1;
    }
    const MaterialPanelPlace& model1 = at(kPlaceShadingModel1);
    const MaterialPanelPlace& model2 = at(kPlaceShadingModel2);
    BuildList(shadingModel[0], model1.x, model1.y, model1.width, "Shading Model", kShadingModelEntries, 0);  // "Flat"
    BuildList(shadingModel[1], model2.x, model2.y, model2.width, "Shading Model", kShadingModelEntries, 1);  // "Lambert"
    for (int i = 0; i < 2; ++i) {
        const MaterialPanelPlace& box = at(static_cast<MaterialPanelPlaceId>(kPlaceTextureBox1 + i));
        textureBoxes[i].SetLayout(box.x, box.y, kZ, box.width, box.height, 0u);
        textureBoxes[i].visible = 1;
    }
    BuildList(windowList, at(kPlaceWindow).x, at(kPlaceWindow).y, at(kPlaceWindow).width, "Window", kWindowEntries,
              1);  // "Front"
    BuildList(controlsList, at(kPlaceControls).x, at(kPlaceControls).y, at(kPlaceControls).width, "Controls",
              kControlEntries, 1);  // "Pan"
    BuildList(transList, at(kPlaceTrans).x, at(kPlaceTrans).y, at(kPlaceTrans).width, "Trans", kTransEntries,
              0);  // "Free"
    lightColor.Build(at(kPlaceLightColor).x, at(kPlaceLightColor).y, kZ, "Color    R       G       B ",
                     kLightColorGroup);
    lightColor.visible = 1;

    fogPanel.gradient = &gFogGradient;
    fogPanel.Build(at(kPlaceFogPanel).x, at(kPlaceFogPanel).y, kZ, "Fog Color R       G       B ", kFogColorGroup);
    const MaterialPanelPlace& light = at(kPlaceLightParameters);
    lightParameters.Build(light.x, light.y, kZ, light.width, light.height, 2, kLightParameterCaptions,
                          kLightParameterRows, kLightParameterGroup);
    // The panel's draw and click code decide when the windows show.
    glowParameters.visible = reflectivity.visible = lightParameters.visible = 1;
    for (int t = 0; t < kTexturePanelCount; ++t) {
        texturePanels[t].Build(at(kPlaceTexturePanels).x, at(kPlaceTexturePanels).y, kZ, 0, 0, "", 1);
        texturePanels[t].visible = 1;
        for (int e = 0; e < kPresetsPerPanel; ++e) texturePanels[t].textures[e] = presetThumbnails[kPresetsPerPanel * t + e];
    }
    check(useTextureBox, kPlaceUseTexture, "Use Texture", false);
    specular.Build(at(kPlaceSpecular).x, at(kPlaceSpecular).y, kZ, "Specular  R       G       B ", kSpecularGroup);
    specular.SetColor(255, 255, 255);
    specular.visible = 1;

    const char* typeNames[kMaterialTypeCount];
    for (int i = 0; i < kMaterialTypeCount; ++i) typeNames[i] = kMaterialTypes[i].name;
    const MaterialPanelPlace& types = at(kPlaceMaterialType);
    materialTypeList.Build(types.x, types.y, kZ, types.width, types.height, 7, kMaterialTypeCount, "Material Type",
                           typeNames);
    materialTypeList.SetSelected(0);
    materialTypeList.visible = 1;  // drawn and clicked only while "Enable Surface Material" is ticked
    editedLight = 0;
}
