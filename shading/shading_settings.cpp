#include "shading/shading_settings.h"

ShadingSettings gShadingSettings;

void ShadingSettings::Reset()
{
    const ShadingSettings start;
    // Field by field: the shading workers may be reading.
    auto put = [](auto& field, const auto& value) { SharedStore(field, value); };
    put(fogOn, start.fogOn);
    put(backgroundOn, start.backgroundOn);
    put(drawingShadersOn, start.drawingShadersOn);
    put(volumetricFogOn, start.volumetricFogOn);
    for (int i = 0; i < 2; ++i) put(fog[i], start.fog[i]);
    put(turbidity, start.turbidity);
    for (int i = 0; i < 3; ++i) put(volumetricFogColor[i], start.volumetricFogColor[i]);
    put(drawingType, start.drawingType);
    put(backgroundType, start.backgroundType);
    put(backgroundReflection, start.backgroundReflection);
    put(affectedByFog, start.affectedByFog);
    put(shadowType, start.shadowType);
    for (int i = 0; i < 2; ++i) {
        put(shadowSampling[i], start.shadowSampling[i]);
        put(occlusion[i], start.occlusion[i]);
        put(enhancedDarkening[i], start.enhancedDarkening[i]);
        put(averagedOcclusion[i], start.averagedOcclusion[i]);
        put(perPixelOcclusion[i], start.perPixelOcclusion[i]);
    }
    put(occlusionOption, start.occlusionOption);
    put(lightDistribution, start.lightDistribution);
    put(gamma, start.gamma);
    put(materialColorBlend, start.materialColorBlend);
    put(mapFogToAlpha, start.mapFogToAlpha);
    put(excludeBackground, start.excludeBackground);
}
