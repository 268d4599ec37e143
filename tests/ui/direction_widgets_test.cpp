// Balls and colour widgets: angles, turns by chord and wheel, rotations
// that stay rotations, colour tracks, the gradient browser and fog panel.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>

#include "engine/random.h"
#include "support/gl_interface.h"
#include "ui/file_services.h"
#include "ui/support/widget_gallery.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Largest deviation of R R^T from the identity.
float OrthonormalError(const Matrix3 r)
{
    float worst = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const float dot = r[i][0] * r[j][0] + r[i][1] * r[j][1] + r[i][2] * r[j][2];
            worst = std::max(worst, std::fabs(dot - (i == j ? 1.0f : 0.0f)));
        }
    return worst;
}

class DirectionWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        gControlSensitivity = 1.0f;
        SeedRandomState(gGlobalRandomB, 45);
        const float none[3] = {0, 0, 1};
        ball_.Build(0, 0, 30, 200, 200, none, 4);
        ball_.visible = 1;
    }
    void TearDown() override { SDL_SetModState(KMOD_NONE); }
    GlInterfaceTest gl_;
    TrackBall ball_;
};

TEST(BallAngles, AzimuthRoundsDownAltitudeToNearestAndDegenerateDirectionsGiveZero)
{
    const struct {
        float d[3];
        float altitude, azimuth;
    } cases[] = {
        {{1, 0, 0}, 0, 0},        {{0, 0, 1}, 0, 90},     {{0, 1, 0}, 90, 0},     {{0, -2, 0}, -90, 0},
        {{1, 1, 1}, 35, 45},      {{-1, 0, -0.02f}, 0, 181}, {{1, 0, -1e-4f}, 0, 359}, {{0, 0, 0}, 0, 0},
        {{kNaN, 1, 0}, 0, 0},     {{1, INFINITY, 0}, 0, 0},
    };
    for (const auto& c : cases) {
        float altitude = -1, azimuth = -1;
        DirectionAngles(c.d, &altitude, &azimuth);
        EXPECT_EQ(altitude, c.altitude) << c.d[0] << "," << c.d[1] << "," << c.d[2];
        EXPECT_EQ(azimuth, c.azimuth) << c.d[0] << "," << c.d[1] << "," << c.d[2];
    }
}

TEST_F(DirectionWidgets, ChordsModesAndTheRim)
{
    // A chord of 2 turns a third of a turn.
    const float a[3] = {-1, 0, 0}, b[3] = {1, 0, 0};
    std::copy(a, a + 3, ball_.pressPoint);
    std::copy(b, b + 3, ball_.currentPoint);
    ball_.TurnByChord(3, 2.0f);
    EXPECT_NEAR(ball_.rotation[0][0] + ball_.rotation[1][1] + ball_.rotation[2][2], 1 + 2 * std::cos(2.0944f), 1e-5);

    // The front point follows the pointer: 'x' and 'y' are the signs the
    // turned direction's x and y take (0: unchanged).
    const struct {
        int mode, fromX, fromY, toX, toY;
        bool turns;
        int x, y;
        const char* what;
    } cases[] = {
        {1, 100, 100, 100, 140, false, 0, 0, "mode 1 ignores vertical motion"},
        {1, 100, 100, 140, 100, true, 1, 0, "mode 1 turns about the vertical"},
        {2, 100, 100, 140, 100, false, 0, 0, "mode 2 ignores horizontal motion"},
        {2, 100, 100, 100, 140, true, 0, 1, "mode 2 turns about the horizontal"},
        {3, 100, 100, 70, 60, true, -1, -1, "mode 3 follows both"},
        {0, 100, 100, 60, 100, true, 0, 0, "mode 0 rolls about the view axis"},
        {3, 100, 100, 198, 198, false, 0, 0, "outside the disc: on the rim, no turn"},
        {3, 100, 100, 100, 100, false, 0, 0, "no motion"},
    };
    for (const auto& c : cases) {
        ball_.Reset();
        ASSERT_TRUE(ball_.Click(c.fromX, c.fromY, static_cast<uint8_t>(c.mode))) << c.what;
        EXPECT_EQ(ball_.Drag(c.toX, c.toY, static_cast<uint8_t>(c.mode)), c.turns) << c.what;
        const auto sign = [](float v) { return v > 1e-6f ? 1 : v < -1e-6f ? -1 : 0; };
        EXPECT_EQ(sign(ball_.turned[0]), c.x) << c.what;
        EXPECT_EQ(sign(ball_.turned[1]), c.y) << c.what;
    }
    // The roll: about the view axis, positive for a move to the left.
    EXPECT_EQ(ball_.axis[2], 1.0f);
    EXPECT_GT(ball_.stepAngle, 0);
    ball_.Click(100, 100, 0);
    ball_.Drag(140, 100, 0);
    EXPECT_LT(ball_.stepAngle, 0);
}

TEST_F(DirectionWidgets, ADragThatLeavesTheBallContinuesFromItsLastPointInside)
{
    TrackBall direct;
    const float none[3] = {0, 0, 1};
    direct.Build(0, 0, 30, 200, 200, none, 4);
    direct.visible = 1;
    ASSERT_TRUE(direct.Click(100, 100, 3));
    ASSERT_TRUE(direct.Drag(130, 110, 3));
    ASSERT_TRUE(ball_.Click(100, 100, 3));
    EXPECT_FALSE(ball_.Drag(250, 110, 3));
    EXPECT_FALSE(ball_.Drag(-5, 300, 3));
    ASSERT_TRUE(ball_.Drag(130, 110, 3));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(ball_.turned[i], direct.turned[i], 1e-6) << i;
}

TEST_F(DirectionWidgets, WheelAxesFollowShiftAndControl)
{
    const struct {
        SDL_Keymod keys;
        float axis[3];
    } cases[] = {{KMOD_NONE, {-1, 0, 0}},
                 {KMOD_LSHIFT, {0, 1, 0}},
                 {KMOD_LCTRL, {0, 0, -1}},
                 {static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_LCTRL), {0, 0, -1}}};
    for (const auto& c : cases) {
        SDL_SetModState(c.keys);
        ASSERT_TRUE(ball_.Wheel(150, 50, 10));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ball_.axis[i], c.axis[i]) << "keys " << c.keys;
        EXPECT_NEAR(ball_.stepAngle, 10 * 0.017453292f, 1e-7);
    }
}

TEST_F(DirectionWidgets, SetRotationShowsTheDirectionAndStepsStayRotations)
{
    const float directions[][3] = {{0.5f, 0.5f, 0.5f}, {0, 0, -3}, {1, 0, 0}, {0, 0, 1}, {-0.2f, 0.9f, -0.1f}};
    for (const auto& d : directions) {
        ball_.SetRotation(d);
        const float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(ball_.turned[i], d[i] / len, 1e-5) << d[0] << d[1] << d[2];
        EXPECT_LT(OrthonormalError(ball_.rotation), 1e-5f);
    }
    const float before[3] = {ball_.turned[0], ball_.turned[1], ball_.turned[2]};
    for (const auto& bad : {std::array<float, 3>{0, 0, 0}, std::array<float, 3>{kNaN, 0, 1}}) {
        ball_.SetRotation(bad.data());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ball_.turned[i], before[i]);
    }

    // Many seeded random steps: the rotation stays a rotation.
    RandomState rng;
    SeedRandomState(rng, 7);
    for (int n = 0; n < 20000; ++n) {
        float axis[3] = {RandomSignedUniform(rng), RandomSignedUniform(rng), RandomSignedUniform(rng)};
        const float len = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        for (float& v : axis) v /= len;
        ball_.ApplyStep(axis, RandomSignedUniform(rng) * 3.0f);
    }
    EXPECT_LT(OrthonormalError(ball_.rotation), 2e-5f);
    const float turnedLength = std::sqrt(ball_.turned[0] * ball_.turned[0] + ball_.turned[1] * ball_.turned[1] +
                                         ball_.turned[2] * ball_.turned[2]);
    EXPECT_NEAR(turnedLength, 1, 2e-5);
}

TEST_F(DirectionWidgets, StartUpTurnsTheLightByFortyDrags)
{
    TrackBall light;
    const float first[3] = {0.5f, 0.5f, 0.5f};
    light.Build(442, 720, 30, 200, 200, first, 5);
    light.visible = 1;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(light.ClickLight(442, 720));
        light.DragLight(770, 492);
        ASSERT_EQ(light.changed, 1) << "drag " << i;
    }
    const float* t = light.turned;
    EXPECT_NEAR(t[0] * t[0] + t[1] * t[1] + t[2] * t[2], 1, 1e-4);
    EXPECT_LT(OrthonormalError(light.rotation), 2e-5f);
    EXPECT_GE(light.azimuth, 0);
    EXPECT_LT(light.azimuth, 360);
}

TEST_F(DirectionWidgets, ColourTracks)
{
    ColorPanel panel;
    panel.Build(0, 0, 30, "Colour", 1);
    panel.visible = 1;
    panel.SetColor(10, 10, 10);
    ASSERT_TRUE(panel.Click(100, 30));  // green
    for (const int y : {40, 42, 44}) {
        EXPECT_FALSE(panel.Click(100, y)) << y;
        EXPECT_EQ(panel.picked, 1) << y;
    }
    EXPECT_TRUE(panel.Wheel(100, 12, 0.5f));
    EXPECT_EQ(panel.component[2], 9);
    panel.SetColor(10, 10, 10);
    EXPECT_TRUE(panel.Wheel(100, 12, -0.5f));
    EXPECT_EQ(panel.component[2], 10);
    ASSERT_TRUE(panel.Click(100, 50));  // red at 10
    EXPECT_TRUE(panel.Drag(400, 50));
    EXPECT_EQ(panel.component[0], 255);
    EXPECT_TRUE(panel.Drag(399, 50));  // back at once
    EXPECT_EQ(panel.component[0], 254);
    EXPECT_FLOAT_EQ(panel.componentFloat[0], 254 / 255.0f);
}

TEST_F(DirectionWidgets, GradientBrowserPagesAndClampsFileValues)
{
    for (const auto& [files, stops] : {std::pair{9, std::vector<int>{2, 2}}, std::pair{11, std::vector<int>{2, 4, 4}}}) {
        static std::string folder;
        folder = MakeColorMapFolder("talvoran_browser_" + std::to_string(files), files);
        gInterfaceFileServices.texturesFolder = +[]() -> const char* { return folder.c_str(); };
        GSelector browser;
        browser.Build(0, 0, 30);
        browser.visible = 1;
        for (const int first : stops) {
            EXPECT_FALSE(browser.Click(270, 10));  // the lower half of the scroll column
            EXPECT_EQ(browser.first, first) << files << " files";
        }
        // The last row lies past the last file: black.
        EXPECT_EQ(browser.rows[7].colours[3 * 100 + 1], 0);
        EXPECT_EQ(browser.rows[6].colours[3 * 100 + 1], 155);
    }
    static std::string odd;
    odd = MakeColorMapFolder("talvoran_browser_values", 2);
    std::ofstream(odd + "/gradient00.map") << "300 -5 nan\n1 2 3\n";
    gInterfaceFileServices.texturesFolder = +[]() -> const char* { return odd.c_str(); };
    GSelector browser;
    browser.Build(0, 0, 30);
    const GradientRow& row = browser.rows[0];
    EXPECT_EQ(row.colours[0], 255);
    EXPECT_EQ(row.red[0], 300);
    EXPECT_EQ(row.colours[1], 0);
    EXPECT_EQ(row.colours[2], 0);
    EXPECT_EQ(row.colours[5], 3);
    EXPECT_EQ(row.colours[3 * 2 + 1], 0);  // past the short file: black
    ColorMap picked;
    browser.CopyRow(0, picked);
    EXPECT_EQ(picked.red[0], 255);
    gInterfaceFileServices.texturesFolder = nullptr;
}

TEST_F(DirectionWidgets, FogPanelBarsButtonsAndBrowser)
{
    static std::string folder;
    folder = MakeColorMapFolder("talvoran_fog_maps", 3);
    gInterfaceFileServices.texturesFolder = +[]() -> const char* { return folder.c_str(); };
    ColorMap gradient = {};
    FogColorPanel fog;
    fog.gradient = &gradient;
    fog.Build(44, 666, 30, "", 26);
    fog.visible = 1;
    ASSERT_TRUE(fog.Click(100, 666 + 90));  // red
    gPointerX = 400;
    EXPECT_TRUE(fog.Drag());
    EXPECT_EQ(fog.component[0], 255);
    EXPECT_FLOAT_EQ(fog.componentFloat[0], 1.0f);
    gPointerX = 100;
    EXPECT_TRUE(fog.Drag());
    EXPECT_EQ(fog.component[0], 0);
    EXPECT_TRUE(fog.Wheel(100, 666 + 70, -2));
    EXPECT_EQ(fog.component[1], 2);
    EXPECT_FALSE(fog.Click(100, 666 + 62));  // between blue and green
    EXPECT_EQ(fog.browserMode, 0);

    EXPECT_FALSE(fog.Click(44 + 192 + 5, 666 - 30));  // "Browse"
    ASSERT_EQ(fog.browserMode, 1);
    EXPECT_FALSE(fog.Click(50, 666 + 112 - 8));  // row 1 of the browser
    EXPECT_EQ(fog.browserMode, 0);
    EXPECT_EQ(gradient.blue[0], 40);
    EXPECT_EQ(gradient.red[200], static_cast<uint8_t>(200 * 2));
    EXPECT_FALSE(fog.Click(44 + 256 + 5, 666 - 30));  // "Clear"
    for (int i = 0; i < kColorMapEntries; ++i)
        ASSERT_EQ(gradient.red[i] | gradient.green[i] | gradient.blue[i], 0) << i;
    gInterfaceFileServices.texturesFolder = nullptr;
}

}  // namespace
