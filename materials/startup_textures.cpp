// The shader's start-up: background, skies, material and light defaults; its
// start-up images (the seven shading-model thumbnails, the two built-in
// textures of material 0, the thumbnail textures of every material side) and
// the 75 presets with their thumbnails.
#include <cmath>

#include "materials/shader.h"
#include "materials/color_maps.h"
#include "materials/texture_generation.h"
#include "platform/asset_paths.h"
#include "platform/picture_file.h"

namespace {

constexpr int kPresetThumbnailModes[kTexturePanelCount] = {0, 4, 5, 6, 5};
constexpr float kStartSun[3] = {0.0f, 0.0f, -1.0f};
constexpr float kStartTurbidity = 10.0f;

}  // namespace

void MakeShadingModelPicture(uint8_t* rgb, int mode)
{
    for (int y = 0; y < kThumbnailSize; ++y) {
        for (int x = 0; x < kThumbnailSize; ++x) {
            const float dx = (x - 64) / 64.0f, dy = (y - 64) / 64.0f;
            const float r2 = dx * dx + dy * dy;
            float b = 0.0f;
            if (r2 <= 1.0f) {
                b = std::pow(1.0f - r2, 0.9f);
                b = ApplyCurveMode(static_cast<uint32_t>(mode), b < 0.0f ? 0.0f : (b > 1.0f ? 1.0f : b));
            }
            uint8_t* px = rgb + (y * kThumbnailSize + x) * 3;
            px[0] = px[1] = px[2] = static_cast<uint8_t>(b > 0.0f ? (b < 1.0f ? b * 255.0f : 255.0f) : 0.0f);
        }
    }
}

void Shader::MakeShadingModelThumbnails()
{
    for (int m = 0; m < kCurveModeCount; ++m) {
        MakeShadingModelPicture(thumbnailBuffer, m);
        shadingModelThumbnails[m].Set(thumbnailBuffer);
    }
}

void Shader::LoadBuiltInTextures()
{
    const char* files[2] = {"material_a.png", "material_b.png"};
    for (int side = 0; side < 2; ++side) {
        RgbImage image;
        LoadImageFileRgb(image, ResourcePath(files[side]));  // a missing picture gives grey
        auto slot = std::make_unique<SlotImage>();
        slot->width = image.width;
        slot->height = image.height;
        slot->pixels = std::move(image.pixels);
        TextureSlot& target = slots[side * kMaterialCount];
        target.NameGenerated(true);
        target.Replace(std::move(slot));
        ShowSlotThumbnail(side == 0 ? thumbnailA[0] : thumbnailB[0], target);
    }
}

void Shader::InitializeTextures()
{
    textureDialogFlag = 1;
    SharedStore(backgroundImageOn, 0);
    slots[kBackgroundSlot].NameGenerated(false);
    slots[kBackgroundSlot].Replace(MakeSolidImage(32, 32, 128, 128, 128));

    currentMaterial = 0;
    for (int i = 0; i < kSkyCount; ++i) {
        skies[i].ownerTurbidity = kStartTurbidity;
        for (int c = 0; c < 3; ++c) skies[i].requestedDirection[c] = skies[i].mirroredDirection[c] = kStartSun[c];
        skies[i].SetSun(kStartSun, kStartTurbidity);
    }
    MakeShadingModelThumbnails();
    LoadBuiltInTextures();
    for (int m = 0; m < kMaterialCount; ++m) ResetMaterial(m);
    // The defaults clear every use-texture flag, which leaves every material
    // without a colour and the first picture black: material 0 keeps the two
    // built-in textures it was just given.
    SharedStore(useTextureA[0], uint8_t{1});
    SharedStore(useTextureB[0], uint8_t{1});
    SetGreyRamp(gColorMap);
    for (int l = 0; l < kLightCount; ++l) ResetLight(l);
}

void Shader::MakeStartupPresets()
{
    for (int t = 0; t < kTexturePanelCount; ++t) {
        RegenerateTexturePresets(kPresetsPerPanel * t, kPresetsPerPanel * (t + 1), kPresetThumbnailModes[t]);
    }
}
