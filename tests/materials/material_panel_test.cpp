// The panel's widgets after start-up: captions and start values as the
// shading and the panel code find them.
#include <gtest/gtest.h>

#include <string>

#include "materials/shader.h"
#include "support/gl_interface.h"
#include "ui/widget.h"

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

TEST(MaterialPanel, LayoutRowsInOrderOnScreen)
{
    for (int i = 0; i < kMaterialPanelPlaceCount; ++i) {
        const MaterialPanelPlace& p = kMaterialPanelPlaces[i];
        EXPECT_EQ(p.id, i);
        EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= 700 && p.y + p.height <= 1000) << "row " << i;
    }
}

// Press points of the widgets: the box column of a list's or check group's
// band (counted from the bottom), a button's centre, a slider row (top first).
template <class List>
void PressBand(const List& w, int band, int* x, int* y)
{
    *x = static_cast<int>(w.left + w.rowHeight / 2);
    *y = static_cast<int>(w.bottom + (static_cast<float>(band) + 0.5f) * w.rowHeight);
}
void PressButton(const Button& b, int* x, int* y)
{
    *x = (b.rect[0] + b.rect[2]) / 2;
    *y = (b.rect[1] + b.rect[3]) / 2;
}
void PressRow(const ThumbwheelWindow& w, int row, int* x, int* y)
{
    *x = static_cast<int>((w.left + w.right) / 2);
    *y = static_cast<int>(w.bottom + (static_cast<float>(w.rows - 1 - row) + 0.5f) * w.rowHeight);
}

class MaterialPanelInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        gShader.InitializeTextures();
        gShader.BuildMaterialPanel();
        gShader.lightPageShown = 1;
        SharedStore(gShader.editBox.flags[0], uint8_t{1});
    }
    GlInterfaceTest gl_;
};

// "#" on light 0 and "$" on light 9 change nothing and do not reload the
// editor; in between they step and load the light.
TEST_F(MaterialPanelInput, LightStepsStopAtTheEnds)
{
    Shader& s = gShader;
    s.lights[4].colorBytes[0] = 17;
    const struct {
        int from;
        int button;
        int to;
    } cases[] = {{0, 0, 0}, {9, 1, 9}, {3, 1, 4}, {5, 0, 4}};
    for (const auto& c : cases) {
        s.editedLight = c.from;
        s.lightColor.SetColor(99, 99, 99);  // a reload would overwrite it
        int x, y;
        PressButton(s.lightButtons[c.button], &x, &y);
        s.HandlePanelCommand(x, y);
        EXPECT_EQ(s.editedLight, c.to) << c.from << (c.button ? " $" : " #");
        EXPECT_EQ(s.lightColor.component[0], c.to == c.from ? 99 : c.to == 4 ? 17 : 255) << c.from;
        EXPECT_EQ(s.lightButtons[c.button].pressed, 0);
    }
}

TEST_F(MaterialPanelInput, GlowOffRestoresItsValuesAndWheelZeroRaises)
{
    Shader& s = gShader;
    int x, y;
    PressBand(s.glowShader, 0, &x, &y);
    s.HandlePanelClick(x, y, 2);  // on
    ASSERT_TRUE(s.GlowOn());
    s.HandlePanelClick(x, y, 2);  // off
    for (int row = 0; row < 3; ++row) SharedStore(s.glowParameters.value[row], 0.75f);
    s.HandlePanelClick(x, y, 2);  // on: the values stay
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowThresholdRow), 0.75f);
    s.HandlePanelClick(x, y, 2);  // off: the start values
    EXPECT_FALSE(s.GlowOn());
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowThresholdRow), 0.5f);
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowStepsRow), 4.0f);
    EXPECT_FLOAT_EQ(s.GlowParameter(kGlowIntensityRow), 1.0f);

    s.editedLight = 6;
    PressRow(s.lightParameters, kLightRadiusRow, &x, &y);
    for (float delta : {0.0f, 0.5f}) {
        const float before = s.lights[6].radius;
        EXPECT_TRUE(s.UpdateLightFromPanel(x, y, delta)) << delta;
        EXPECT_NEAR(s.lights[6].radius, before + 0.1f, 1e-5f) << delta;
    }
    EXPECT_TRUE(s.UpdateLightFromPanel(x, y, 1.0f));
    EXPECT_NEAR(s.lights[6].radius, 0.6f, 1e-5f);
    SharedStore(s.editBox.flags[0], uint8_t{0});
    EXPECT_FALSE(s.UpdateLightFromPanel(x, y, 0.0f));
}

TEST_F(MaterialPanelInput, SelectMaterialScrollsAndMarks)
{
    Shader& s = gShader;
    s.materialType[2] = 16;
    s.surfaceMaterialOn[2] = 1;
    s.SelectMaterial(2);
    EXPECT_EQ(s.materialTypeList.firstRow, 10);  // rows 10..16 of 7 visible
    for (int row = 0; row < kMaterialTypeCount; ++row) EXPECT_EQ(s.materialTypeList.marks[row], row == 16) << row;
    EXPECT_TRUE(s.surfaceMaterialBox.Flag(0));
}

// The shading ball lit from the viewer: a bright centre, the byte 8 outside.
TEST_F(MaterialPanelInput, ShadingBall)
{
    const float toViewer[3] = {0, 0, 1};
    gShader.previewRed[0] = 200;
    gShader.RenderShadingBall(toViewer, 1.0f, 90.0f);
    EXPECT_EQ(gShader.thumbnailBuffer[0], 8);
    EXPECT_EQ(gShader.thumbnailBuffer[(64 * 128 + 64) * 3], 200);
    EXPECT_EQ(gShader.thumbnailBuffer[(64 * 128 + 64) * 3 + 1], 255);
    EXPECT_LT(gShader.thumbnailBuffer[(64 * 128 + 120) * 3 + 1], 50);
}

}  // namespace
