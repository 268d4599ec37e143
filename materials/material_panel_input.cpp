// Clicks, drags and wheel steps on the material and light panel, turned into
// edits of the current material and the edited light; and the shading ball.
#include <cmath>

#include "materials/material_panel.h"
#include "materials/shader.h"
#include "engine/shared_access.h"
#include "ui/texture_upload.h"
#include "ui/widget.h"

MaterialPanelHooks gMaterialPanelHooks;

namespace {

enum LightButton { kPrevious, kNext, kLoad, kClear, kNewTextures, kSelect };

void PreviewChanged()
{
    if (gMaterialPanelHooks.previewChanged != nullptr) gMaterialPanelHooks.previewChanged();
}

// A press on the button, with its pressed flag taken back at once: the panel
// acts on the press itself.
bool Pressed(Button& b, int x, int y)
{
    const bool hit = b.Click(x, y);
    b.pressed = 0;
    return hit;
}

// Puts the list back on the entry it showed before the last click.
void RestorePrevious(ListBox& list)
{
    SharedStore(list.selected, list.previous);
    list.selectedFromTop = list.count - 1 - list.previous;
}

void Transpose(const float* in, float out[3][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[c][r] = in[3 * r + c];
}

}  // namespace

void Shader::SelectLight(int light)
{
    if (light < 0 || light >= kLightCount) return;
    const LightSource& l = lights[light];
    SharedStore(lightEnabledBox.flags[0], l.enabled);
    lightColor.SetColor(static_cast<int>(l.colorBytes[0]), static_cast<int>(l.colorBytes[1]),
                        static_cast<int>(l.colorBytes[2]));
    SharedStore(lightParameters.value[kLightRadiusRow], l.radius);
    SharedStore(lightParameters.value[kLightCutOffRow], l.cutOff);
    SharedStore(useTextureBox.flags[0], l.textured);
    ShowLightGelThumbnail(light);
    Transpose(l.orientation, textureDirection.rotation);
    for (int i = 0; i < 3; ++i) {
        textureDirection.turned[i] = textureDirection.rotation[i][0] * textureDirection.reference[0] +
                                     textureDirection.rotation[i][1] * textureDirection.reference[1] +
                                     textureDirection.rotation[i][2] * textureDirection.reference[2];
    }
    textureDirection.UpdateAngles();
}

void Shader::SelectMaterial(int material)
{
    if (material < 0 || material >= kMaterialCount) return;
    materialTypeList.SetSelected(static_cast<int>(materialType[material]));
    SharedStore(surfaceMaterialBox.flags[0], surfaceMaterialOn[material]);
}

void Shader::HandlePanelCommand(int x, int y)
{
    if (!lightPageShown) return;
    objectToEdit.Click(x, y);
    editBox.Click(x, y);
    if (!editBox.Flag(0)) return;
    LightSource& light = lights[editedLight];
    if (objectToEdit.selectedFromTop == 0) {  // "Additional Lights"
        const int before = editedLight;
        if (Pressed(lightButtons[kPrevious], x, y) && editedLight > 0) --editedLight;
        if (Pressed(lightButtons[kNext], x, y) && editedLight < kLightCount - 1) ++editedLight;
        if (editedLight != before) {
            SelectLight(editedLight);
            PreviewChanged();
            return;
        }
        if (lightEnabledBox.Click(x, y)) {
            SharedStore(light.enabled, lightEnabledBox.Flag(0) ? 1 : 0);
            if (light.enabled) SelectLight(editedLight);
            PreviewChanged();
        }
        if (light.enabled) lightParameters.Click(x, y);
        if (light.enabled && useTextureBox.Click(x, y)) {
            SharedStore(light.textured, useTextureBox.Flag(0) ? 1 : 0);
            PreviewChanged();
        }
        lightColor.visible = light.textured ? 0 : 1;
        if (light.enabled && light.textured) {
            texturePanels[kLightGelPanel].Click(x, y);
            if (Pressed(lightButtons[kNewTextures], x, y)) {
                RegenerateTexturePresets(kLightGelPanel * kPresetsPerPanel, kTexturePresetCount, 5);
            }
            if (Pressed(lightButtons[kSelect], x, y)) {
                const bool busy = gMaterialPanelHooks.proceduralBusy != nullptr && gMaterialPanelHooks.proceduralBusy();
                if (!busy) {
                    ResetLightGel(editedLight);
                    int entry = texturePanels[kLightGelPanel].selected;
                    entry = entry < 0 ? 0 : (entry >= kPresetsPerPanel ? kPresetsPerPanel - 1 : entry);
                    GenerateProceduralTexture(thumbnailBuffer, kThumbnailSize, 5, kLightGelPanel * kPresetsPerPanel + entry);
                    ReplaceRgbTexture(gelThumbnail, kThumbnailSize, kThumbnailSize, thumbnailBuffer);
                }
                // A start while one runs shows the refusal and changes nothing.
                if (gMaterialPanelHooks.startProcedural != nullptr) gMaterialPanelHooks.startProcedural(kLightGelTarget);
            }
            if (rotationList.Click(x, y) && rotationList.selectedFromTop == kRotationResetEntry) {
                textureDirection.Reset();
                RestorePrevious(rotationList);
                PreviewChanged();
            }
            // "Rot" selection s, counted from the bottom ("0" lowest), turns the
            // ball in mode s - 1.
            textureDirection.Click(x, y, static_cast<uint8_t>(rotationList.selected - 1));
            if (Pressed(lightButtons[kLoad], x, y)) LoadLightGelDialog(editedLight);
            if (Pressed(lightButtons[kClear], x, y)) {
                ResetLightGelWhite(editedLight);
                ShowLightGelThumbnail(editedLight);
                PreviewChanged();
            }
        } else if (light.enabled && lightColor.Click(x, y)) {
            gDragGroup = lightColor.tag;
        }
    }
    if (transList.Click(x, y) && transList.selectedFromTop == kTransCenterEntry) {
        if (objectToEdit.selectedFromTop == 0) {
            for (float& p : light.position) SharedStore(p, 0.0f);
        } else if (gMaterialPanelHooks.cameraPov != nullptr) {
            for (int i = 0; i < 3; ++i) gMaterialPanelHooks.cameraPov[i] = 0.0f;
        }
        RestorePrevious(transList);
        PreviewChanged();
    }
    if (windowList.Click(x, y)) {
        if (windowList.selectedFromTop != 0) {  // not "Camera": "Pan"
            SharedStore(controlsList.selected, 0);
            controlsList.selectedFromTop = 1;
        }
        PreviewChanged();
    }
    if (controlsList.Click(x, y)) {
        if (controlsList.selectedFromTop == 0) {  // "Rotate": "Camera"
            SharedStore(windowList.selected, windowList.count - 1);
            windowList.selectedFromTop = 0;
        }
        PreviewChanged();
    }
}

void Shader::HandlePanelClick(int x, int y, int page)
{
    const int m = currentMaterial;
    if (page == 0) {
        if (surfaceMaterialBox.Click(x, y)) SharedStore(surfaceMaterialOn[m], surfaceMaterialBox.Flag(0) ? 1 : 0);
        if (surfaceMaterialBox.Flag(0)) {
            if (materialTypeList.LastFirst() > 0 && materialTypeList.PressScrollBar(x, y)) {
                gDragGroup = kMaterialTypeThumbGroup;
            } else if (materialTypeList.Click(x, y)) {
                SharedStore(materialType[m], static_cast<uint32_t>(materialTypeList.selectedRow));
            }
        }
        return;
    }
    if (page != 2) return;
    if (glowShader.Click(x, y) && !glowShader.Flag(0)) {
        SharedStore(glowParameters.value[kGlowThresholdRow], 0.5f);
        SharedStore(glowParameters.value[kGlowStepsRow], 4.0f);
        SharedStore(glowParameters.value[kGlowIntensityRow], 1.0f);
    }
    if (glowShader.Flag(0)) {
        glowParameters.Click(x, y);
        glowBackground.Click(x, y);
    }
    reflections.Click(x, y);
    if (reflections.Flag(0)) reflectivity.Click(x, y);
}

void Shader::HandlePanelMouseMove(int x, int y)
{
    LightSource& light = lights[editedLight];
    if (gDragGroup == glowParameters.drag.groupId) glowParameters.Drag(x);
    if (gDragGroup == reflectivity.drag.groupId) reflectivity.Drag(x);
    if (gDragGroup == kMaterialTypeThumbGroup) materialTypeList.Drag(x, y);
    if (gDragGroup == lightColor.tag && lightColor.Drag(x, y)) {
        for (int c = 0; c < 3; ++c) {
            SharedStore(light.colorBytes[c], static_cast<uint32_t>(lightColor.component[c]));
            SharedStore(light.color[c], lightColor.componentFloat[c]);
        }
    }
    if (gDragGroup == lightParameters.drag.groupId && lightParameters.Drag(x)) {
        SharedStore(light.radius, lightParameters.Value(kLightRadiusRow));
        SharedStore(light.cutOff, lightParameters.Value(kLightCutOffRow));
        PreviewChanged();
    }
    if (gDragGroup == textureDirection.groupId &&
        textureDirection.Drag(x, y, static_cast<uint8_t>(rotationList.selected - 1))) {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) SharedStore(light.orientation[3 * r + c], textureDirection.rotation[c][r]);
        textureDirection.UpdateAngles();
        PreviewChanged();
    }
}

bool Shader::UpdateLightFromPanel(int x, int y, float delta)
{
    if (!editBox.Flag(0)) return false;
    LightSource& light = lights[editedLight];
    // A notch below 1 (0 included) raises the value.
    const float up = delta < 1.0f;
    if (lightParameters.Wheel(x, y, up ? -0.1f : 0.1f)) {
        SharedStore(light.radius, lightParameters.Value(kLightRadiusRow));
        SharedStore(light.cutOff, lightParameters.Value(kLightCutOffRow));
        PreviewChanged();
        return true;
    }
    if (lightColor.Wheel(x, y, up ? -1.0f : 1.0f)) {
        for (int c = 0; c < 3; ++c) {
            SharedStore(light.colorBytes[c], static_cast<uint32_t>(lightColor.component[c]));
            SharedStore(light.color[c], lightColor.componentFloat[c]);
        }
    }
    return false;
}

void Shader::RenderShadingBall(const float* d, float intensity, float exponent)
{
    const float lz = (d[2] + 1.0f) * 0.5f;
    const float len = std::sqrt((d[0] * d[0] + d[1] * d[1]) * 0.25f + lz * lz);
    float L[3] = {0.0f, 0.0f, 0.0f};
    if (len > 0.0f) {
        L[0] = d[0] / (2.0f * len);
        L[1] = d[1] / (2.0f * len);
        L[2] = lz / len;
    }
    const int m = currentMaterial;
    const float preview[3] = {static_cast<float>(previewRed[m]), static_cast<float>(previewGreen[m]),
                              static_cast<float>(previewBlue[m])};
    for (uint8_t& b : thumbnailBuffer) b = 8;
    for (int r = 0; r < kThumbnailSize; ++r) {
        for (int c = 0; c < kThumbnailSize; ++c) {
            const float px = c / 127.0f - 0.5f, py = r / 127.0f - 0.5f;
            if (px * px + py * py >= 0.25f) continue;
            const float nx = (c - 64) / 64.0f, ny = (r - 64) / 64.0f;
            const float nz2 = 1.0f - static_cast<float>((c - 64) * (c - 64) + (r - 64) * (r - 64)) / 4096.0f;
            const float nz = nz2 > 0.0f ? std::sqrt(nz2) : 0.0f;
            float b = (nz * L[2] + nx * L[0] + ny * L[1]) * intensity;
            b = b >= 0.0f ? std::pow(b, exponent) : 0.0f;
            if (!(b < 1.0f)) b = b > 1.0f ? 1.0f : (b == 1.0f ? 1.0f : 0.0f);  // not a number gives 0
            uint8_t* out = &thumbnailBuffer[(r * kThumbnailSize + c) * 3];
            for (int i = 0; i < 3; ++i) {
                const float v = preview[i] * b;
                out[i] = static_cast<uint8_t>(v > 255.0f ? 255.0f : (v > 0.0f ? v : 0.0f));
            }
        }
    }
    ReplaceRgbTexture(shadingBallThumbnail, kThumbnailSize, kThumbnailSize, thumbnailBuffer);
}
