// The test scene shaded through the export path on one worker at 512 x 512,
// one picture per shadow type, occlusion mode and option, reflections,
// glow, a neon baseshape and the drawing types 1 to 4.
#include <gtest/gtest.h>

#include <functional>
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

TEST(ExportPictures, SceneMatchesItsReferences)
{
    using Setup = std::function<void(ExportShadingSettings&)>;
    auto occlusion = [](bool every, bool averaged, int option, bool rayCasting) {
        return [=](ExportShadingSettings&) {
            gOcclusionSettings.everyPixel = every;
            gOcclusionSettings.averaged = averaged;
            gOcclusionSettings.option = option;
            gOcclusionSettings.rayCasting = rayCasting;
            gOcclusionSettings.radius = 24.0f;
            gOcclusionSettings.sampleCount = 24.0f;
            if (averaged) DownsampleDepthMap();
        };
    };
    auto shadow = [](int type) {
        return [=](ExportShadingSettings& s) {
            s.shadowsOn = 1;
            s.shadowType = type;
            s.shadowRadius = 6.0f;
            s.shadowSamples = 24;
        };
    };
    auto drawing = [](int type) {
        return [=](ExportShadingSettings& s) {
            s.drawingOn = 1;
            s.drawingType = type;
        };
    };
    const struct {
        const char* name;
        Setup setup;
    } cases[] = {
        {"export_default", [](ExportShadingSettings&) {}},
        {"export_shadow_occluded", shadow(0)},
        {"export_shadow_traced", shadow(1)},
        {"export_shadow_smooth", shadow(2)},
        {"export_shadow_classic", shadow(3)},
        {"export_occlusion_every_pixel_darken", occlusion(true, false, 2, true)},
        {"export_occlusion_every_pixel_fog", occlusion(true, false, 1, false)},
        {"export_occlusion_both_darken", occlusion(true, true, 2, false)},
        {"export_occlusion_both_fog", occlusion(true, true, 1, true)},
        // "Brighten (Surface Texture)" leaves the colour as it is; at 512
        // pixels a cell of the averaged map is one pixel, so "Averaged" alone
        // changes nothing either.
        {nullptr, occlusion(true, true, 0, true)},
        {nullptr, occlusion(false, true, 2, false)},
        {nullptr, occlusion(false, true, 1, false)},
        {"export_reflections",
         [](ExportShadingSettings& s) {
             s.reflectionsOn = 1;
             s.reflectivity = 0.004f;
         }},
        {"export_glow",
         [](ExportShadingSettings& s) {
             // As the export does: the preview reshaded, then the maps.
             ShadeProgressive(2);
             SetGlowParameters(4, 0.85f);
             BuildGlowMap(0.7f);
             s.glowOn = 1;
         }},
        {"export_neon",
         [](ExportShadingSettings& s) {
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
         }},
        {"export_drawing_1", drawing(1)},
        {"export_drawing_2", drawing(2)},
        {"export_drawing_3", drawing(3)},
        {"export_drawing_4", drawing(4)},
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
        gOcclusionSettings = {};
        c.setup(settings);
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
