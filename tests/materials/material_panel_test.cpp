// The panel's widgets after start-up: captions and start values as the
// shading and the panel code find them.
#include <gtest/gtest.h>

#include <string>

#include "materials/shader.h"
#include "support/gl_interface.h"

namespace {

TEST(MaterialPanel, StartValues)
{
    GlInterfaceTest gl;
    if (!gl.ok()) GTEST_SKIP() << gl.why();
    gShader.InitializeTextures();
    gShader.BuildMaterialPanel();
    const Shader& s = gShader;
    struct ListCase {
        const char* name;
        const ListBox& list;
        int selected;  // from the lowest row
    };
    const ListCase lists[] = {
        {"Rot: T", s.rotationList, 4},           {"Object to Edit: Additional Lights", s.objectToEdit, 1},
        {"Shading Model 1: Flat", s.shadingModel[0], 6}, {"Shading Model 2: Lambert", s.shadingModel[1], 5},
        {"Window: Front", s.windowList, 2},      {"Controls: Pan", s.controlsList, 0},
        {"Trans: Free", s.transList, 4},
    };
    for (const ListCase& c : lists) EXPECT_EQ(c.list.selected, c.selected) << c.name;

    struct CheckCase {
        const char* name;
        const OptionsBox& box;
        bool on;
    };
    const CheckCase checks[] = {
        {"Use Background as Fog source", s.backgroundFog, true}, {"Enable the Glow Shader", s.glowShader, false},
        {"Enable Reflections", s.reflections, false},            {"Enable Surface Material", s.surfaceMaterialBox, false},
        {"Use Texture", s.useTextureBox, false},                 {"Edit", s.editBox, false},
    };
    for (const CheckCase& c : checks) EXPECT_EQ(c.box.Flag(0), c.on) << c.name;

    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowThresholdRow), 0.5f);
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowStepsRow), 4.0f);
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowIntensityRow), 1.0f);
    EXPECT_FLOAT_EQ(s.Reflectivity(), 0.02f);
    EXPECT_FLOAT_EQ(s.lightParameters.Value(kLightRadiusRow), 0.5f);
    EXPECT_EQ(s.specular.component[1], 255);
    EXPECT_FLOAT_EQ(s.specular.componentFloat[2], 1.0f);
    ASSERT_EQ(s.materialTypeList.marks.size(), size_t(kMaterialTypeCount));
    EXPECT_EQ(s.materialTypeList.marks[0], 1);
    EXPECT_EQ(s.materialTypeList.marks[16], 0);
    EXPECT_EQ(s.materialTypeList.captions[16], "Strong Curved patterns");
    EXPECT_EQ(s.fogPanel.componentFloat[0], 0.0f);
}

}  // namespace
