// Drawing the material and light panel: the light editor, the glow and
// reflection switches, the surface-material controls and the shading-model
// thumbnail.
#include <cstdio>

#include "materials/material_panel.h"
#include "materials/shader.h"
#include "ui/font.h"
#include "ui/texture_upload.h"

namespace {

constexpr float kThumbnailDepth = 50.0f;
constexpr int kValueColumn = 140;  // glow values, right of the window's left edge
constexpr int kLightValueColumn = 100;

}  // namespace

void Shader::DrawLightSourceLabel()
{
    editBox.Draw();
    if (!editBox.Flag(0)) return;
    objectToEdit.Draw();
    windowList.Draw();
    controlsList.Draw();
    transList.Draw();
    if (objectToEdit.selectedFromTop != 0) return;
    lightButtons[0].Draw();
    lightButtons[1].Draw();
    DrawAdditiveText(32, 512, "Light Source:");
    char number[16];
    std::snprintf(number, sizeof number, "%d", editedLight);
    DrawAdditiveText(180, 512, number);
    lightEnabledBox.Draw();
    const LightSource& light = lights[editedLight];
    if (!light.enabled) return;
    lightParameters.Draw(kLightValueColumn);
    useTextureBox.Draw();
    if (!light.textured) {
        lightColor.Draw();
        return;
    }
    rotationList.Draw();
    for (int b = 2; b < 6; ++b) lightButtons[b].Draw();
    textureBoxes[0].texture = gelThumbnail;
    textureBoxes[0].Draw();
    textureDirection.Draw();
    texturePanels[kLightGelPanel].Draw();
}

void Shader::DrawGlowAndFogPanel(int page)
{
    if (page == 1) {
        fogPanel.Draw();
        return;
    }
    glowShader.Draw();
    if (glowShader.Flag(0)) {
        glowParameters.DrawAtOffset(kValueColumn);
        glowBackground.Draw();
    }
    reflections.Draw();
    if (reflections.Flag(0)) reflectivity.Draw();
}

void Shader::DrawSurfaceMaterialControls()
{
    surfaceMaterialBox.Draw();
    if (surfaceMaterialBox.Flag(0)) materialTypeList.Draw();
}

void Shader::DrawTextureThumbnail(int mode)
{
    if (mode < 0 || mode >= kCurveModeCount) return;
    DrawTextureRect(shadingModelThumbnails[mode], 296, 112, 360, 176, kThumbnailDepth);
}
