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
    // What the shading reads, and the lists that hold curve modes.
    EXPECT_TRUE(s.BackgroundIsFogSource());
    EXPECT_FALSE(s.GlowOn());
    EXPECT_FALSE(s.ReflectionsOn());
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowStepsRow), 4.0f);
    EXPECT_FLOAT_EQ(s.Reflectivity(), 0.02f);
    EXPECT_EQ(s.shadingModel[0].selected, 6) << "Flat";
    EXPECT_EQ(s.shadingModel[1].selected, 5) << "Lambert";
    EXPECT_EQ(s.windowList.selected, 2) << "Front, counted from the lowest row";
    EXPECT_FLOAT_EQ(s.specular.componentFloat[2], 1.0f);
    ASSERT_EQ(s.materialTypeList.marks.size(), size_t(kMaterialTypeCount));
    EXPECT_EQ(s.materialTypeList.marks[0], 1);
    EXPECT_EQ(s.materialTypeList.captions[16], "Strong Curved patterns");
}

}  // namespace
