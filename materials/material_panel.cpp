// The material and light panel's widgets: built once at start-up with their
// start values. The places are provisional until the panel's layout lands.
#include "materials/material_panel.h"

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

void Shader::BuildMaterialPanel()
{
    textureDirection.Build(40, 300, kZ, 160, 160, 0, kBallGroup, "Texture  Dir.");
    textureDirection.visible = 1;
    BuildList(rotationList, 210, 300, 40, "Rot", kRotationEntries, 0);

    BuildCheck(glowShader, 20, 900, 420, "Enable the Glow Shader", false);
    BuildCheck(glowBackground, 20, 780, 420, "Include the background brighness in the shader", false);
    glowParameters.Build(20, 800, kZ, 400, kRow, 3, kGlowCaptions, kGlowRows, kGlowGroup);
    BuildCheck(reflections, 20, 740, 420, "Enable Reflections", false);
    reflectivity.Build(20, 690, kZ, 400, kRow, 1, kReflectivityCaptions, kReflectivityRows, kReflectivityGroup);

    BuildCheck(backgroundFog, 20, 640, 420, "Use Background as Fog source", true);
    BuildCheck(editBox, 20, 610, 200, "Edit", false);
    BuildCheck(lightEnabledBox, 240, 610, 200, "Enable Light", false);
    BuildCheck(surfaceMaterialBox, 20, 200, 300, "Enable Surface Material", false);
    BuildList(objectToEdit, 460, 560, 200, "Object to Edit:", kObjectEntries, 0);
    for (int i = 0; i < 6; ++i) {
        lightButtons[i].Build(20 + 70 * i, 560, kZ, 64, 22, kLightButtonCaptions[i], i, 0, 0);
        lightButtons[i].visible = 1;
    }
    BuildList(shadingModel[0], 460, 300, 200, "Shading Model", kShadingModelEntries, 0);  // "Flat"
    BuildList(shadingModel[1], 460, 120, 200, "Shading Model", kShadingModelEntries, 1);  // "Lambert"
    textureBoxes[0].SetLayout(260, 420, kZ, 64, 64, 0u);
    textureBoxes[1].SetLayout(340, 420, kZ, 64, 64, 0u);
    BuildList(windowList, 460, 460, 100, "Window", kWindowEntries, 1);   // "Front"
    BuildList(controlsList, 570, 460, 100, "Controls", kControlEntries, 1);  // "Pan"
    BuildList(transList, 460, 360, 100, "Trans", kTransEntries, 0);      // "Free"
    lightColor.Build(20, 480, kZ, "Color    R       G       B ", kLightColorGroup);
    lightColor.visible = 1;

    fogPanel.Build(44, 666, kZ, "Fog Color R       G       B ", kFogColorGroup);
    lightParameters.Build(20, 520, kZ, 300, kRow, 2, kLightParameterCaptions, kLightParameterRows,
                          kLightParameterGroup);
    // The panel's draw and click code decide when the windows show.
    glowParameters.visible = reflectivity.visible = lightParameters.visible = 1;
    for (int t = 0; t < kTexturePanelCount; ++t) {
        texturePanels[t].Build(20, 20, kZ, 0, 0, "", 1);
        for (int e = 0; e < kPresetsPerPanel; ++e) texturePanels[t].textures[e] = presetThumbnails[kPresetsPerPanel * t + e];
    }
    BuildCheck(useTextureBox, 240, 580, 200, "Use Texture", false);
    specular.Build(20, 420, kZ, "Specular  R       G       B ", kSpecularGroup);
    specular.SetColor(255, 255, 255);
    specular.visible = 1;

    const char* typeNames[kMaterialTypeCount];
    for (int i = 0; i < kMaterialTypeCount; ++i) typeNames[i] = kMaterialTypes[i].name;
    materialTypeList.Build(20, 60, kZ, 300, kRow, 7, kMaterialTypeCount, "Material Type", typeNames);
    materialTypeList.SetSelected(0);
    editedLight = 0;
}
