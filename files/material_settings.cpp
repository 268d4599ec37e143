// The material values taken from the model and put back into it.
#include <cstring>

#include "engine/point_coloring.h"
#include "engine/shared_access.h"
#include "files/material_settings.h"
#include "materials/color_maps.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"

namespace {

// A model array and its file field, side by side, so capture and install
// walk one list.
template <class T>
struct Pair {
    T* model;
    T* file;
};

// Per-material arrays of the same element type in the model and the file.
template <class F>
void ForEachMaterialArray(MaterialValues& v, F&& f)
{
    Shader& s = gShader;
    const Pair<float> floats[] = {
        {s.ambientIntensity, v.ambient},    {s.diffuseIntensity, v.diffuse}, {s.specularMagnitude, v.specularExponent},
        {s.specularIntensity, v.specular},  {s.fresnelExt, v.fresnelExt},    {s.fresnelInt, v.fresnelInt},
        {s.shadowDepth, v.shadowDepth},     {s.rotationA, v.angleA},         {s.rotationB, v.angleB},
        {s.ambientRoughness, v.angleC},
    };
    const Pair<uint8_t> bytes[] = {
        {s.useColorMapA, v.useColorMapA},   {s.useColorMapB, v.useColorMapB},   {s.useTextureA, v.useTextureA},
        {s.useTextureB, v.useTextureB},     {s.customTextureA, v.textureFlagC}, {s.customTextureB, v.textureFlagD},
        {s.solidColorA, v.solidA},          {s.solidColorB, v.solidB},          {s.surfaceMaterialOn, v.surfaceOn},
        {s.previewRed, v.preview[0]},       {s.previewGreen, v.preview[1]},     {s.previewBlue, v.preview[2]},
        {s.materialFinalFlag, v.materialFinalFlag},
    };
    const Pair<uint32_t> words[] = {
        {s.materialType, v.materialType}, {s.curveMode1, v.curveModeA}, {s.curveMode2, v.curveModeB},
        {&s.solidColorsA[0][0], &v.solidColorA[0][0]}, {&s.solidColorsB[0][0], &v.solidColorB[0][0]},
    };
    for (const auto& p : floats) f(p.model, p.file, kMaterials);
    for (const auto& p : bytes) f(p.model, p.file, kMaterials);
    for (int k = 0; k < 3; ++k) f(words[k].model, words[k].file, kMaterials);
    for (int k = 3; k < 5; ++k) f(words[k].model, words[k].file, 3 * kMaterials);
    f(&s.materialColorMaps[0][0][0], &v.colorMaps[0][0][0], static_cast<int>(sizeof v.colorMaps));
    f(&gFogGradient.red[0], &v.fogGradient[0][0], kColorMapEntries);
    f(&gFogGradient.green[0], &v.fogGradient[1][0], kColorMapEntries);
    f(&gFogGradient.blue[0], &v.fogGradient[2][0], kColorMapEntries);
}

// The single values, as references into the model and the file.
template <class F>
void ForEachValue(MaterialValues& v, F&& f)
{
    ShadingSettings& g = gShadingSettings;
    Shader& s = gShader;
    f(g.drawingShadersOn, v.drawingShadersOn), f(g.backgroundOn, v.backgroundOn), f(g.fogOn, v.fogOn);
    f(g.drawingType, v.drawingType), f(g.backgroundType, v.backgroundType);
    f(s.backgroundImageOn, v.useBackgroundImage);
    f(g.fog[0], v.fog[0]), f(g.fog[1], v.fog[1]), f(g.turbidity, v.turbidity);
    for (int c = 0; c < 3; ++c) f(g.volumetricFogColor[c], v.volumetricFogColor[c]);
    f(g.lightDistribution, v.lightDistribution), f(g.shadowType, v.shadowType);
    for (int k = 0; k < 2; ++k) {
        f(g.occlusion[k], v.occlusion[k]);
        f(g.averagedOcclusion[k], v.averagedOcclusion[k]);
        f(g.perPixelOcclusion[k], v.perPixelOcclusion[k]);
        f(g.shadowSampling[k], v.shadowSampling[k]);
    }
    f(g.materialColorBlend, v.materialBlend), f(g.gamma, v.gamma), f(s.glowOn, v.glowOn);
    for (int k = 0; k < 3; ++k) f(s.glow[k], v.glow[k]);
    f(g.occlusionOption, v.occlusionOption), f(s.backgroundFog, v.backgroundFog), f(s.panelByte, v.panelByte);
    f(s.reflectionsOn, v.reflectionsOn), f(s.reflectivity, v.reflectivity);
    f(g.enhancedDarkening[0], v.rayCasting), f(g.enhancedDarkening[1], v.finalSwitches[0]);
    f(s.glowBackground, v.finalSwitches[1]), f(g.backgroundReflection, v.finalSwitches[2]);
    f(g.affectedByFog, v.finalSwitches[3]);
    f(gColorKeepFactor, v.colorKeep), f(gColorMixFactor, v.colorMix);
}

void ShowSideThumbnail(Thumbnail& thumbnail, const TextureSlot& slot, bool used)
{
    if (used) {
        gShader.ShowSlotThumbnail(thumbnail, slot);
    } else {
        thumbnail.Fill(0, 0, 0);
    }
}

}  // namespace

MaterialValues CaptureMaterialValues()
{
    MaterialValues v;
    // The window thread is the one writer of these arrays: its own reads
    // race with nothing, and a copy of the whole array is quick.
    ForEachMaterialArray(v, [](const auto* model, auto* file, int n) {
        std::memcpy(file, model, static_cast<size_t>(n) * sizeof *file);
    });
    ForEachValue(v, [](const auto& model, auto& file) { file = SharedLoad(model); });
    v.volumetricFogOn = gVolumetricFogOn.load();
    for (int c = 0; c < 3; ++c) v.fogColor[c] = SharedLoad(gShader.fogColor[c]);
    v.coloringMode = gColoringMode.load();
    v.colorBlendMode = gColorBlendMode.load();
    return v;
}

void InstallMaterialSettings(MaterialSettings& s)
{
    MaterialValues& v = s.v;
    Shader& sh = gShader;
    ForEachMaterialArray(v, [](auto* model, const auto* file, int n) {
        for (int i = 0; i < n; ++i) SharedStore(model[i], file[i]);
    });
    ForEachValue(v, [](auto& model, const auto& file) { SharedStore(model, file); });
    gVolumetricFogOn.store(v.volumetricFogOn);
    sh.SetFogColor(v.fogColor);
    gColorBlendMode.store(v.colorBlendMode);
    // Names are not carried over: every image read from a file is "#".
    if (s.background) {
        sh.slots[kBackgroundSlot].NameGenerated(true);
        sh.slots[kBackgroundSlot].Replace(std::move(s.background));
    }
    for (int m = 0; m < kMaterials; ++m) {
        for (int side = 0; side < 2; ++side) {
            TextureSlot& slot = sh.slots[side * kMaterials + m];
            SlotImagePtr& image = side == 0 ? s.textureA[m] : s.textureB[m];
            if (image) {
                slot.NameGenerated(true);
                slot.Replace(std::move(image));
            }
            const uint8_t solid = side == 0 ? v.solidA[m] : v.solidB[m];
            const uint32_t* rgb = side == 0 ? v.solidColorA[m] : v.solidColorB[m];
            Thumbnail& thumbnail = side == 0 ? sh.thumbnailA[m] : sh.thumbnailB[m];
            if (solid) {
                slot.NameGenerated(true);
                slot.Replace(MakeSolidImage(8, 8, static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]),
                                            static_cast<uint8_t>(rgb[2])));
            }
            ShowSideThumbnail(thumbnail, slot, (side == 0 ? v.useTextureA[m] : v.useTextureB[m]) || solid);
        }
    }
    SetColoringMode(v.coloringMode);
    RenderEditedShadingBall();
}

void RenderEditedShadingBall()
{
    const int m = gShader.currentMaterial >= 0 && gShader.currentMaterial < kMaterials ? gShader.currentMaterial : 0;
    gShader.RenderShadingBall(gLightTrackBallA, SharedLoad(gShader.specularIntensity[m]),
                              SharedLoad(gShader.specularMagnitude[m]));
}
