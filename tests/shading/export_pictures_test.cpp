// The test scene shaded through the export path on one worker at 512 x 512,
// one picture per shadow type, occlusion mode and option, reflections,
// glow, a neon baseshape and the drawing types 1 to 4.
#include <gtest/gtest.h>

#include <vector>

#include "engine/baseshape_model.h"
#include "engine/random.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "shading/glow.h"
#include "shading/preview_passes.h"
#include "shading/export_pixel.h"
#include "shading/support/preview_scene.h"
#include "support/screenshot.h"

namespace {

constexpr int kSize = 512;

// Every pixel shaded through the export path on worker 0, top row first.
std::vector<uint8_t> ShadeScene(const ExportShadingSettings& settings)
{
    std::vector<uint8_t> rgb(kSize * kSize * 3);
    PrepareExportShading(settings);
    for (int row = 0; row < kSize; row += 2)
        for (int column = 0; column < kSize; ++column) {
            ShadeRowPairColumn(column, row, 0);
            for (int k = 0; k < 2; ++k)
                for (int c = 0; c < 3; ++c)
                    rgb[((kSize - 1 - row - k) * kSize + column) * 3 + c] = gExportRowPairs[c][k * kSize + column];
        }
    return rgb;
}

// The preview scene's sphere (the pixels of its point colour) as baseshape 0,
// the floor as baseshape 1, both of material 0.
void SplitSphereFromFloor()
{
    for (int i = 0; i < kSize * kSize; ++i)
        if (gDepthBuffer[i] != 0.0f) gColorIndexBuffer[i] = gPointColorPlanes[0][i] == 230 ? 1 : 2;
    gUseBaseshapes = 1;
    gBaseshapeCount = 2;
    gBaseshapes[0].material = gBaseshapes[1].material = 0;
}

enum Extra { kNone, kReflections, kGlow, kNeon };

struct PictureCase {
    const char* name;  // none: the picture equals the default one
    int shadowType = -1, drawingType = -1;
    int occlusion = -1;  // option; then the "Every Pixel", "Averaged" and "Ray casting" flags
    bool every = false, averaged = false, rayCasting = false;
    Extra extra = kNone;
};

void Apply(const PictureCase& c, ExportShadingSettings& s)
{
    s.shadowsOn = c.shadowType >= 0;
    s.shadowType = c.shadowType;
    s.shadowRadius = 6.0f;
    s.shadowSamples = 24;
    s.drawingOn = c.drawingType >= 0;
    s.drawingType = c.drawingType;
    OcclusionSettings& o = gOcclusionSettings;
    o = {};
    o.option = c.occlusion;
    o.everyPixel = c.occlusion >= 0 && c.every;
    o.averaged = c.occlusion >= 0 && c.averaged;
    o.rayCasting = c.rayCasting;
    o.radius = o.sampleCount = 24.0f;
    if (o.averaged) DownsampleDepthMap();
    s.reflectionsOn = c.extra == kReflections;
    s.reflectivity = 0.004f;
    if (c.extra == kGlow) {
        // As the export does: the preview reshaded, then the maps.
        ShadeProgressive(2);
        SetGlowParameters(4, 0.85f);
        BuildGlowMap(0.7f);
        s.glowOn = 1;
    }
    if (c.extra == kNeon) {
        SplitSphereFromFloor();
        s.useBaseshapes = 1;
        gBaseshapes[0].neonOn = 1;
        gBaseshapeNeonColor.r[0] = 40;
        gBaseshapeNeonColor.g[0] = 255;
        gBaseshapeNeonColor.b[0] = 120;
        gBaseshapeNeonStrength[0] = 0.6f;
        gShader.SetMaskPlanesEnabled(1);
        gShader.BuildMaskPlanes();
        gShader.BlurMaskPlanes();
        s.maskPlanesOn = gMaskPlanesOn;
    }
}

TEST(ExportPictures, SceneMatchesItsReferences)
{
    const PictureCase cases[] = {
        {"export_default"},
        {"export_shadow_occluded", 0},
        {"export_shadow_traced", 1},
        {"export_shadow_smooth", 2},
        {"export_shadow_classic", 3},
        {"export_occlusion_every_pixel_darken", -1, -1, 2, true, false, true},
        {"export_occlusion_every_pixel_fog", -1, -1, 1, true, false, false},
        {"export_occlusion_both_darken", -1, -1, 2, true, true, false},
        {"export_occlusion_both_fog", -1, -1, 1, true, true, true},
        // "Brighten (Surface Texture)" leaves the colour as it is; at 512
        // pixels a cell of the averaged map is one pixel, so "Averaged" alone
        // changes nothing either.
        {nullptr, -1, -1, 0, true, true, true},
        {nullptr, -1, -1, 2, false, true},
        {nullptr, -1, -1, 1, false, true},
        {"export_reflections", -1, -1, -1, false, false, false, kReflections},
        {"export_glow", -1, -1, -1, false, false, false, kGlow},
        {"export_neon", -1, -1, -1, false, false, false, kNeon},
        {"export_drawing_1", -1, 1},
        {"export_drawing_2", -1, 2},
        {"export_drawing_3", -1, 3},
        {"export_drawing_4", -1, 4},
    };
    std::vector<uint8_t> plain;
    for (const auto& c : cases) {
        SetUpSphereScene(kSize, kSize);
        for (int i = 0; i < kMaxRenderSlots; ++i) {
            SeedRandomState(gSlotRandom[i], 100 + i);
            SeedRandomState(gSlotRandomB[i], 200 + i);
        }
        ExportShadingSettings settings = ReadExportShadingSettings(false);
        settings.ambient[0] = settings.ambient[1] = settings.ambient[2] = 0.3f;
        Apply(c, settings);
        const std::vector<uint8_t> picture = ShadeScene(settings);
        if (plain.empty()) plain = picture;
        if (c.name == nullptr) {
            EXPECT_TRUE(picture == plain) << "occlusion " << gOcclusionSettings.option;
        } else {
            const ScreenshotResult r = CompareWithReference(c.name, picture, kSize, kSize, 8);
            EXPECT_TRUE(r.ok) << c.name << ": " << r.message;
        }
        gBaseshapes[0].neonOn = 0;
        gUseBaseshapes = 0;
        gBaseshapeCount = 0;
        gShader.SetMaskPlanesEnabled(0);
    }
    gOcclusionSettings = {};
    FreeRenderBuffers();
}

}  // namespace
