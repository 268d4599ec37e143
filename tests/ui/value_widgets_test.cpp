// Slider windows, option columns, tabs, plates, progress bar, placed button
// and swatch: hit rules, value arithmetic and the faults they must not have.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/random.h"
#include "support/gl_interface.h"
#include "ui/support/widget_gallery.h"

namespace {

// One row 0..16 over 256 units: 1/16 per unit of drag, exact in floats.
const char* const kCaptions[] = {"T", "A", "B", "C"};

class ValueWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        gControlSensitivity = 1.0f;
        SeedRandomState(gGlobalRandomB, 45);  // distinct widget ids
    }
    // Rows of the given clamp mode from 0 to 16, starting at 'start'.
    void BuildWindow(int mode, float start, int rows = 3)
    {
        float defs[18];
        for (int i = 0; i < rows; ++i) {
            const float row[6] = {0, 16, start, float(mode & 1), float(mode >> 1), 0};
            std::copy(row, row + 6, defs + 6 * i);
        }
        win_.Build(100, 100, 30, 256, 20, rows, kCaptions, defs, 5);
        win_.visible = 1;
    }
    GlInterfaceTest gl_;
    SLWindow win_;
};

TEST_F(ValueWidgets, BandSearchTakesOnlyTheInsideOfRowBands)
{
    BuildWindow(0, 4);
    const struct {
        int x, y, row;
        const char* what;
    } cases[] = {{150, 110, 2, "lowest band"},  {150, 150, 0, "highest row"},   {150, 100, -1, "bottom edge"},
                 {150, 120, -1, "band boundary"}, {100, 110, -1, "left edge"},  {356, 110, -1, "right edge"},
                 {150, 170, -1, "title band"},  {355, 139, 1, "inside the corner"}};
    for (const auto& c : cases) {
        EXPECT_EQ(win_.RowAt(c.x, c.y), c.row) << c.what;
        EXPECT_EQ(win_.Click(c.x, c.y), c.row >= 0) << c.what;
        EXPECT_EQ(win_.Wheel(c.x, c.y, 1.0f), c.row >= 0) << c.what;
    }
}

TEST_F(ValueWidgets, DragClampsByMode)
{
    const struct {
        int mode;
        float start;
        int travel;
        float value;
        bool changed, turns;
        const char* what;
    } cases[] = {
        {3, 8, 32, 10, true, true, "inside"},
        {0, 1, -64, -3, true, true, "free row below the minimum"},
        {1, 1, -16, 1, false, false, "exactly onto the minimum"},
        {1, 1, -48, 0, true, false, "beyond the minimum pins it"},
        {2, 15, 16, 15, false, false, "exactly onto the maximum"},
        {2, 15, 64, 16, true, false, "beyond the maximum pins it"},
        {3, 15, 16, 15, false, false, "both clamped, onto the maximum"},
        {3, 1, -100, 0, true, false, "both clamped, beyond the minimum"},
    };
    for (const auto& c : cases) {
        BuildWindow(c.mode, c.start);
        ASSERT_TRUE(win_.Click(200, 150));
        const float angle = win_.wheelAngle[0];
        EXPECT_EQ(win_.Drag(200 + c.travel), c.changed) << c.what;
        EXPECT_FLOAT_EQ(win_.value[0], c.value) << c.what;
        EXPECT_FLOAT_EQ(win_.wheelAngle[0], c.turns ? angle + float(c.travel) : angle) << c.what;
    }
}

TEST_F(ValueWidgets, WheelStepsClampAndAlwaysTurnOneDegree)
{
    const float steps[3] = {0.5f, 2.0f, 3.0f};
    const struct {
        int mode;
        float start, delta;
        bool stepped;
        float value, turn;
    } cases[] = {
        {0, 4, 1, false, 3, -1},    {0, 4, -2, false, 6, 1},    {0, 4, 0, false, 4, 1},
        {1, 0.5f, 1, false, 0, -1}, {2, 15.5f, -1, false, 16, 1}, {3, 16, -1, false, 16, 1},
        {0, 4, 1, true, 3.5f, -1},  {3, 0.25f, 1, true, 0, -1}, {0, 4, -1, true, 4.5f, 1},
    };
    for (const auto& c : cases) {
        BuildWindow(c.mode, c.start);
        win_.SetValueList(3, steps);
        const float angle = win_.wheelAngle[0];
        EXPECT_TRUE(c.stepped ? win_.WheelStep(200, 150, c.delta) : win_.Wheel(200, 150, c.delta));
        EXPECT_FLOAT_EQ(win_.value[0], c.value) << "mode " << c.mode << " delta " << c.delta;
        EXPECT_FLOAT_EQ(win_.wheelAngle[0], angle + c.turn) << "mode " << c.mode << " delta " << c.delta;
    }
    // Rows without a step of their own stand still.
    BuildWindow(0, 4);
    EXPECT_TRUE(win_.WheelStep(200, 110, 1));
    win_.SetValueList(1, steps);
    EXPECT_TRUE(win_.WheelStep(200, 110, 1));
    EXPECT_FLOAT_EQ(win_.value[2], 4);
}

TEST_F(ValueWidgets, ValueTextsAndDegenerateRows)
{
    const float defs[] = {0, 1, 0.1f, 0, 0, 0, -5, 5, 2.9f, 0, 0, 1, 3, 3, 3, 1, 1, 1};
    win_.Build(100, 100, 30, 256, 20, 3, kCaptions, defs, 5);
    EXPECT_STREQ(win_.FormatValue(0), "0.100");
    EXPECT_STREQ(win_.FormatValue(1), "2");
    win_.value[1] = -2.9f;
    EXPECT_STREQ(win_.FormatValue(1), "-2");
    win_.value[1] = 1e20f;
    EXPECT_STREQ(win_.FormatValue(1), "2147483647");
    win_.value[1] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_STREQ(win_.FormatValue(1), "0");
    // A row without a range: no value per unit and a wheel at 0 degrees.
    EXPECT_EQ(win_.valuePerUnit[2], 0.0f);
    EXPECT_EQ(win_.wheelAngle[2], 0.0f);
}

TEST_F(ValueWidgets, FullWidthDragCoversTheRangeScaledBySensitivity)
{
    for (const float sensitivity : {1.0f, 0.001f}) {
        BuildWindow(0, 0);
        gControlSensitivity = sensitivity;
        ASSERT_TRUE(win_.Click(101, 150));
        ASSERT_TRUE(win_.Drag(101 + 256));
        EXPECT_NEAR(win_.value[0], 16 * sensitivity, 1e-6) << sensitivity;
    }
    gControlSensitivity = 1.0f;
}

TEST_F(ValueWidgets, OnlyTheWindowThatTookThePressDrags)
{
    BuildWindow(0, 4);
    STWindow other;
    const float defs[] = {0, 16, 4, 0, 0, 0};
    other.Build(500, 100, 30, 256, 20, 1, kCaptions, defs, 6);
    other.visible = 1;
    ASSERT_TRUE(win_.Click(200, 150));
    ASSERT_TRUE(other.Click(600, 110));
    EXPECT_FALSE(win_.Drag(260));
    EXPECT_EQ(win_.drag.held, 0);
    EXPECT_FLOAT_EQ(win_.value[0], 4);
    EXPECT_TRUE(other.Drag(616));
    EXPECT_FLOAT_EQ(other.value[0], 5);
    EXPECT_EQ(gDragGroup, 6);
}

TEST_F(ValueWidgets, OptionColumnsCountFromTheBottomAndTakeTheUpperRowOnALine)
{
    const char* const labels[] = {"top", "b", "c", "bottom"};
    ListBox list;
    list.Build(0, 0, 30, 200, 20, 4, "List", labels);
    list.visible = 1;
    OptionsBox checks;
    checks.Build(0, 0, 30, 200, 20, 4, "Checks", labels);
    checks.visible = 1;
    const struct {
        int x, y, band;
        const char* what;
    } cases[] = {{10, 5, 0, "lowest row"}, {10, 75, 3, "top row, first option"}, {10, 20, 1, "line between rows"},
                 {30, 10, -1, "label"},    {10, 90, -1, "caption band"}};
    for (const auto& c : cases) {
        list.selected = 2;
        const uint8_t before[4] = {checks.flags[0], checks.flags[1], checks.flags[2], checks.flags[3]};
        EXPECT_EQ(list.Click(c.x, c.y), c.band >= 0) << c.what;
        EXPECT_EQ(list.previous, 2) << c.what;
        EXPECT_EQ(list.selected, c.band >= 0 ? c.band : 2) << c.what;
        if (c.band >= 0) {
            EXPECT_EQ(list.selectedFromTop, 3 - c.band) << c.what;
        }
        checks.changed = 1;
        EXPECT_EQ(checks.Click(c.x, c.y), c.band >= 0) << c.what;
        EXPECT_EQ(checks.changed, c.band >= 0 ? 1 : 0) << c.what;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(checks.flags[i] != before[i], i == c.band) << c.what << " row " << i;
    }
    // More rows than the group has flags: cut to 50, nothing written past.
    OptionsBox big;
    big.Build(0, 0, 30, 100, 2, 60, "Big", nullptr);
    big.visible = 1;
    EXPECT_EQ(big.count, kOptionsBoxMaxRows);
    EXPECT_FALSE(big.Click(1, 110));
}

TEST_F(ValueWidgets, TabsMeetTheRightEdgeAndBoundariesPickTheLeftTab)
{
    const char* const captions[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    Tab tab;
    tab.Build(0, 0, 30, 100, 60, 3, captions);
    tab.visible = 1;
    EXPECT_EQ(tab.TabLeft(3), 100.0f);
    const struct {
        int x, y, selected;
        bool hit;
    } cases[] = {{50, 50, 1, true}, {0, 40, 0, true}, {100, 60, 2, true}, {50, 35, 2, false}, {101, 50, 2, false}};
    for (const auto& c : cases) {
        tab.selected = 2;
        EXPECT_EQ(tab.Click(c.x, c.y), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(tab.selected, c.selected) << c.x << "," << c.y;
    }
    // 100 / 3 units: the boundary at x 33 lies inside tab 0.
    EXPECT_TRUE(tab.Click(33, 50));
    EXPECT_EQ(tab.selected, 0);
    MaxTab many;
    many.Build(0, 0, 160, 40, 10, captions);
    many.visible = 1;
    EXPECT_EQ(many.count, kMaxTabCount);
    EXPECT_TRUE(many.Click(159, 30));
    EXPECT_EQ(many.selected, 7);
}

TEST_F(ValueWidgets, PlatesBarsButtonsAndSwatches)
{
    TextBox box;
    box.Build(0, 0, 30, 100, 20, " ");
    box.SetNumber(-5);
    EXPECT_STREQ(box.text, "-5");
    box.SetText(std::string(200, 'x').c_str());
    EXPECT_EQ(std::string(box.text), std::string(63, 'x'));

    SliderBox bar;
    bar.Build(0, 0, 30, 100, 16);
    const float values[] = {99.9f, -2.9f, std::numeric_limits<float>::quiet_NaN(), 1e20f};
    const int expected[] = {99, -2, 0, std::numeric_limits<int>::max()};
    for (int i = 0; i < 4; ++i) {
        bar.SetValue(values[i]);
        EXPECT_EQ(bar.value, expected[i]) << values[i];
    }

    ButtonXY button;
    button.Build(0, 0, 30, 50, 20, "B", 1);
    button.visible = 1;
    EXPECT_FALSE(button.Click(200, 200, 0, 0));
    EXPECT_TRUE(button.Click(250, 220, 200, 200));  // both far edges included
    EXPECT_TRUE(button.Click(0, 0, 200, 200));      // a miss reports the flag set before

    TextureBox swatch;
    swatch.SetLayout(10, 10, 30, 48, 48, 0);
    swatch.visible = 1;
    EXPECT_TRUE(swatch.Click(58, 58));
    EXPECT_FALSE(swatch.Click(59, 58));
    EXPECT_EQ(swatch.hit, 0);
}

}  // namespace
