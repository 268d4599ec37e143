#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/param_help.h"
#include "app/support/app_interface.h"
#include "engine/fractal_model.h"
#include "support/screenshot.h"
#include "ui/font.h"

namespace {

void PlaceTransforms(float x0, float y0, float z0, float x1, float z1)
{
    const float p0[3] = {x0, y0, z0}, p1[3] = {x1, 0.0f, z1};
    std::memcpy(gTransforms[0].position, p0, sizeof p0);
    std::memcpy(gTransforms[1].position, p1, sizeof p1);
}

// The window as start-up places it, without GL (Build would record lists).
SLWindow2 PlacedWindow()
{
    SLWindow2 w;
    w.x0 = 36, w.y0 = 92, w.x1 = 376, w.y1 = 316;
    w.rows = 13;
    w.rowHeight = 16;
    w.visible = 1;
    return w;
}

// Rows of the window are 16 high from y0 = 92: row 12 spans 284..300 and is
// the top parameter.
TEST(ParamHelpWindow, ClickPicksTheParameterRowUnderThePointer)
{
    PlaceTransforms(0.25f, -0.5f, 0.75f, 1.5f, -2.0f);
    struct Case {
        const char* name;
        int type, x, y;
        int result, parameter;
        const char* text;
    } cases[] = {
        {"type 0 has no parameters", 0, 100, 290, 0, -1, ""},
        {"type 20, top row: P = x", 20, 100, 290, 1, 0, "0.250000"},
        {"type 20, second row: Q = y", 20, 100, 275, 1, 1, "-0.500000"},
        {"type 20, third row: R = z", 20, 100, 260, 1, 2, "0.750000"},
        {"type 20, below its three rows", 20, 100, 245, 0, -1, ""},
        {"type 3, fourth row: T_b.i = T1 z", 3, 100, 242, 1, 3, "-2.000000"},
        {"type 8, second row: C.i = z", 8, 100, 270, 1, 1, "0.750000"},
        {"boundary between two rows", 20, 100, 284, 0, -1, ""},
        {"top edge of the parameter rows", 20, 100, 300, 0, -1, ""},
        {"left edge", 20, 36, 290, 0, -1, ""},
        {"right edge", 20, 376, 290, 0, -1, ""},
        {"a type outside the table", 57, 100, 290, 0, -1, ""},
    };
    for (const Case& c : cases) {
        SLWindow2 w = PlacedWindow();
        w.editing = 1;
        w.pickedParameter = -1;
        std::strcpy(gParamValueText, "");
        gFractalType = c.type;
        EXPECT_EQ(w.Click(c.x, c.y), c.result) << c.name;
        EXPECT_EQ(w.editing, 0) << c.name;
        EXPECT_EQ(w.pickedParameter, c.parameter) << c.name;
        EXPECT_STREQ(gParamValueText, c.text) << c.name;
    }
    SLWindow2 hidden = PlacedWindow();
    hidden.visible = 0;
    gFractalType = 20;
    EXPECT_EQ(hidden.Click(100, 290), 0);
    gFractalType = 0;
}

// The overlay's values follow the positions; types 8 and 20 read z and y.
TEST(ParamHelpWindow, OverlayValuesFollowTheTransformations)
{
    PlaceTransforms(0.5f, 0.0f, -0.25f, 0.0f, 0.0f);
    struct Case {
        int type;
        const char* label;
        const char* shown;
    } cases[] = {{8, " C.r=", "0.50000"}, {8, " C.i=", "-0.25000"}, {20, "   Q =", "0.00000"},
                 {20, "   R =", "-0.25000"}, {33, " Filter Radius", "-0.25000"}};
    for (const Case& c : cases) {
        int count = 0;
        const ParamHelpLine* lines = ParamHelpLines(c.type, &count);
        ASSERT_NE(lines, nullptr) << c.type;
        std::string shown = "(missing)";
        char text[32];
        for (int i = 0; i < count; ++i) {
            if (std::strcmp(lines[i].label, c.label) == 0)
                shown = FormatFloatText(text, sizeof text, HelpLineValue(lines[i].value));
        }
        EXPECT_EQ(shown, c.shown) << c.type << c.label;
    }
    // Types with parameters have help; no help outside 0..49.
    for (int type = 0; type < kFractalTypeCount; ++type) {
        if (ParamRowCount[type] > 0) {
            EXPECT_NE(ParamHelpLines(type, nullptr), nullptr) << type;
        }
    }
    EXPECT_EQ(ParamHelpLines(-1, nullptr), nullptr);
    EXPECT_EQ(ParamHelpLines(50, nullptr), nullptr);
    EXPECT_STREQ(FractalTypeHelpLine(50, 0), "");
    EXPECT_STREQ(FractalTypeHelpLine(0, 7), "");
}

TEST(ParamHelpWindow, DrawsTheOverlayOrNothing)
{
    AppInterfaceTest gl;
    if (!gl.ok()) GTEST_FAIL() << gl.why();
    BuildParamHelp();
    gParamHelpWindow.visible = 1;
    PlaceTransforms(0.5f, 0.0f, -0.25f, 0.0f, 0.0f);

    gFractalType = 0;  // no help: not even the frame
    gl.ClearFrame();
    gParamHelpWindow.DrawFractalParamHelp();
    EXPECT_LT(FindLit(gl.Frame()).x1, 0);

    struct Shot {
        const char* name;
        int type;
    } shots[] = {{"param_help_type8", 8}, {"param_help_type33", 33}};
    for (const Shot& shot : shots) {
        gFractalType = shot.type;
        gl.ClearFrame();
        gParamHelpWindow.DrawFractalParamHelp();
        const ScreenshotResult r = CompareWithReference(shot.name, gl.Frame(), gl.Width(), gl.Height());
        EXPECT_TRUE(r.ok) << r.message;
    }
    gFractalType = 0;
    gParamHelpWindow.visible = 0;
}

}  // namespace
