// The test scene shaded through the export path on one worker at 512 x 512,
// one picture per shadow type, occlusion mode and option, reflections,
// glow, a neon baseshape and the drawing types 1 to 4.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/baseshape_model.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "shading/glow.h"
#include "shading/support/export_scene.h"
#include "support/screenshot.h"

namespace {

constexpr int kSize = 512;

// Glow maps from the scene itself, drawn into a preview-sized picture.
void BuildSceneGlow(const ExportShadingSettings& settings)
{
    const std::vector<uint8_t> rgb = ShadeExportTestScene(settings);
    std::vector<uint8_t> preview(1024 * 1024 * 3, 0);
    for (int y = 0; y < 832; ++y)
        for (int x = 0; x < 832; ++x)
            for (int c = 0; c < 3; ++c)
                preview[(y * 1024 + x) * 3 + c] = rgb[((kSize - 1 - y * kSize / 832) * kSize + x * kSize / 832) * 3 + c];
    SetGlowParameters(4, 0.45f);
    BuildGlowMap(preview.data(), 1.0f);
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
             BuildSceneGlow(s);
             s.glowOn = 1;
         }},
        {"export_neon",
         [](ExportShadingSettings& s) {
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
        ExportShadingSettings settings = BuildExportTestScene(kSize);
        gOcclusionSettings = {};
        c.setup(settings);
        const std::vector<uint8_t> picture = ShadeExportTestScene(settings);
        if (plain.empty()) plain = picture;
        if (c.name == nullptr) {
            EXPECT_TRUE(picture == plain) << "occlusion " << gOcclusionSettings.option;
        } else {
            const ScreenshotResult r = CompareWithReference(c.name, picture, kSize, kSize, 8);
            EXPECT_TRUE(r.ok) << c.name << ": " << r.message;
        }
        gBaseshapes[0].neonOn = 0;
        gShader.SetMaskPlanesEnabled(0);
    }
    gOcclusionSettings = {};
    FreeRenderBuffers();
}

}  // namespace
