// Every tab and page of the running program as the user sees it, compared
// with reference pictures: the title, the information and status panels,
// the page's controls where they are pressed, nothing over anything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/panel_state.h"
#include "app/support/program_controls.h"
#include "support/screenshot.h"

namespace {

class ProgramPages : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_pages_", &gCancellingDialogs);
        StartOnce();
    }
};

TEST_F(ProgramPages, EveryPageMatchesItsReference)
{
    const struct Page {
        const char* name;
        int tab, page, materialTab;
        std::vector<const char*> press = {};  // controls of the page pressed first, then again after
    } pages[] = {
        {"page_fractals", kTabFractals, -1, -1},
        {"page_render_ambient", kTabRender, kPageMaterials, kMaterialAmbient},
        {"page_render_diffuse", kTabRender, kPageMaterials, kMaterialDiffuse},
        {"page_render_specular", kTabRender, kPageMaterials, kMaterialSpecular},
        {"page_render_material_advanced", kTabRender, kPageMaterials, kMaterialAdvanced},
        {"page_render_environment", kTabRender, kPageEnvironment, -1},
        {"page_render_environment_on", kTabRender, kPageEnvironment, -1,
         {"Enable Fog", "Enable Background", "Enable Drawing Shaders", "Enable Volumetric Fog"}},
        {"page_render_shaders", kTabRender, kPageShaders, -1},
        {"page_render_shaders_on", kTabRender, kPageShaders, -1,
         {"Enable the Glow Shader", "Enable Reflections", "Ambient Occlusion"}},
        {"page_render_advanced", kTabRender, kPageAdvanced, -1},
        {"page_camera", kTabCamera, -1, -1},
        {"page_editors_baseshapes", kTabEditors, kPageBaseshapes, -1},
        {"page_editors_transformations", kTabEditors, kPageTransformations, -1},
        {"page_editors_transformations_edit", kTabEditors, kPageTransformations, -1, {"Edit (Transformations)"}},
        {"page_editors_objects", kTabEditors, kPageObjects, -1},
        {"page_editors_lights", kTabEditors, kPageObjects, -1, {"Edit", "Enable Light"}},
        {"page_about", kTabAbout, -1, -1},
        {"page_voxels", kTabVoxels, -1, -1},
        {"page_animation", kTabAnimation, -1, -1},
    };
    for (const Page& p : pages) {
        gProgram.GoTo(p.tab, p.page, p.materialTab);
        for (const char* name : p.press) Click(name);
        gProgram.MoveTo(690, 20);  // no control under the pointer
        gProgram.Frames(3);
        int w = 0, h = 0;
        std::vector<uint8_t> frame = gProgram.Screenshot(&w, &h);
        ASSERT_EQ(w * 1000, h * 1600) << "the window keeps the screen's proportions";
        // The preview and its frame go on changing as the points settle: the
        // pages are compared around them.
        for (int y = (1000 - 996) * h / 1000; y < (1000 - 156) * h / 1000; ++y)
            for (int x = 696 * w / 1600; x < 1536 * w / 1600; ++x)
                for (int c = 0; c < 3; ++c) frame[(static_cast<size_t>(y) * w + x) * 3 + c] = 0;
        const ScreenshotResult r = CompareWithReference(p.name, frame, w, h);
        EXPECT_TRUE(r.ok) << p.name << ": " << r.message;
        for (auto name = p.press.rbegin(); name != p.press.rend(); ++name)
            Click(*name);
    }
}

}  // namespace
