// The widget gallery drawn offscreen after the widgets were driven through
// their Click, Wheel and Drag, compared with stored references.
#include "ui/support/widget_gallery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "engine/random.h"
#include "materials/color_maps.h"
#include "support/gl_interface.h"
#include "support/screenshot.h"
#include "ui/file_services.h"

namespace {

class WidgetGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_FAIL() << gl_.why();
        gallery_.Build();
    }
    // Screenshots are compared on llvmpipe only.
    void ExpectLooksLike(const char* reference)
    {
        if (!gl_.llvmpipe()) return;
        const ScreenshotResult r = CompareWithReference(reference, gl_.Frame(), 1600, 1000);
        EXPECT_TRUE(r.ok) << r.message;
    }
    GlInterfaceTest gl_;
    ValueWidgetGallery gallery_;
};

TEST_F(WidgetGallery, ValueWidgetsAfterInput)
{
    ValueWidgetGallery& g = gallery_;
    gControlSensitivity = 1.0f;
    // Both windows: the float row dragged 48 units right, the integer row
    // 60 units left.
    for (ThumbwheelWindow* w : {static_cast<ThumbwheelWindow*>(&g.slWindow), static_cast<ThumbwheelWindow*>(&g.stWindow)}) {
        const int x = static_cast<int>(w->left) + 100, y0 = static_cast<int>(w->bottom);
        ASSERT_TRUE(w->Click(x, y0 + 60));
        ASSERT_TRUE(w->Drag(x + 48));
        ASSERT_TRUE(w->Click(x, y0 + 36));
        ASSERT_TRUE(w->Drag(x - 60));
    }
    ASSERT_TRUE(g.list.Click(25, 632));  // the third option
    ASSERT_EQ(g.list.selectedFromTop, 2);
    for (OptionsBox* c : {&g.checks, &g.captionedChecks}) {
        ASSERT_TRUE(c->Click(static_cast<int>(c->left) + 5, 610));
        ASSERT_TRUE(c->Click(static_cast<int>(c->left) + 5, 650));
    }
    ASSERT_TRUE(g.tab.Click(850, 950));
    ASSERT_TRUE(g.maxTab.Click(800, 830));
    g.number.SetNumber(-5);
    const float percents[3] = {0, 37, 100};
    for (int i = 0; i < 3; ++i) g.progress[i].SetValue(percents[i]);
    ASSERT_TRUE(g.placed.Click(1210, 630, kPlacedButtonAt[0][0], kPlacedButtonAt[0][1]));

    gl_.ClearFrame();
    g.Draw();
    ExpectLooksLike("value_widgets");
}

TEST_F(WidgetGallery, ScrollingAndPictureWidgetsAfterInput)
{
    ScrollWidgetGallery g;
    g.Build();
    gControlSensitivity = 1.0f;
    // The drop box scrolled to items 10..16, item 12 chosen.
    for (int i = 0; i < 10; ++i) g.types.Click(static_cast<int>(g.types.x1), 630);
    ASSERT_EQ(g.types.first, 10);
    ASSERT_TRUE(g.types.Click(40, 620 + 24 * 4 + 12));
    ASSERT_EQ(g.types.GetSelected(), 12);
    // "Filter:": the top row dragged down to -1 ("-"), the other up to 2.
    ASSERT_TRUE(g.filter.Click(350, 840));
    ASSERT_TRUE(g.filter.Drag(350 - 120));  // pinned at -1
    ASSERT_TRUE(g.filter.Click(350, 812));
    ASSERT_TRUE(g.filter.Drag(350 + 60));  // pinned at 2
    ASSERT_TRUE(g.fixedView.Click(300 + 3 * 22 + 11, 680 + 33));
    g.zoom.Click(400, 570);
    gPointerX = 460;
    ASSERT_TRUE(g.zoom.Drag());
    ASSERT_TRUE(g.materialTypes.Wheel(600, 700, 4));
    ASSERT_TRUE(g.materialTypes.Click(600, 620 + 24 * 5 + 12));
    g.browser.Click(20 + 320 + 10, 300 + 10);  // the next page: pictures and maps
    ASSERT_EQ(g.browser.firstIndex, 15);
    g.browser.Click(20 + 64 + 10, 300 + 64 + 10);
    g.presets.Click(440 + 4 * 64 + 10, 300 + 10);
    g.presets.generating = 1;
    g.presets.progressDone = 37;
    g.presets.progressTotal = 100;
    g.presets.clockMs = +[]() -> uint64_t { return 0; };
    g.shapes.Click(1180 + 5, 300 + 10);  // the down arrow: the second page
    g.shapes.marks[16] = g.shapes.marks[22] = 1;
    ASSERT_EQ(g.shapes.Click(860 + 64 + 10, 300 + 128 + 10), 1);
    ASSERT_EQ(g.shapes.selected, 16);

    gl_.ClearFrame();
    g.Draw();
    ExpectLooksLike("scroll_widgets");
}

TEST_F(WidgetGallery, DirectionAndColourWidgetsAfterInput)
{
    DirectionWidgetGallery g;
    g.Build();
    gControlSensitivity = 1.0f;
    // The trackball dragged up and to the right in a fixed sequence.
    ASSERT_TRUE(g.ball.Click(120, 800, 3));
    for (int i = 1; i <= 6; ++i) ASSERT_TRUE(g.ball.Drag(120 + 6 * i, 800 + 4 * i, 3));
    ASSERT_TRUE(g.turned.Click(780, 800, 3));
    ASSERT_TRUE(g.turned.Drag(820, 830, 3));  // towards the viewer still: the line bright
    ASSERT_TRUE(g.turned.Wheel(780, 800, 20));
    const float away[3] = {0.5f, 0.4f, -0.768f};
    std::copy(away, away + 3, g.fresh.turned);  // pointing away: the line dim
    g.fresh.UpdateAngles();
    g.color.SetColor(255, 128, 0);
    // Skipped stripes keep the working map's colours: start from black.
    std::memset(&gColorMap, 0, sizeof gColorMap);
    SeedRandomState(gGlobalRandomA, 1234);
    gInterfaceFileServices.randomColorMap = +[](ColorMap& map) {
        GenerateRandomColorMap();
        map = gColorMap;
    };
    ASSERT_FALSE(g.fog.Click(710, 270));  // "Random"
    gInterfaceFileServices.randomColorMap = nullptr;
    g.fog.component[0] = 200, g.fog.component[1] = 180, g.fog.component[2] = 90;
    g.fog.SyncFloatColor();

    gl_.ClearFrame();
    g.Draw();
    ExpectLooksLike("direction_widgets");
}

TEST_F(WidgetGallery, HiddenWidgetsDrawNothingAndIgnoreInput)
{
    ScrollWidgetGallery s;
    DirectionWidgetGallery d;
    s.Build();
    d.Build();
    ValueWidgetGallery& v = gallery_;
    v.SetVisible(0), s.SetVisible(0), d.SetVisible(0);
    gl_.ClearFrame();
    v.Draw(), s.Draw(), d.Draw();
    EXPECT_LT(FindLit(gl_.Frame(), 1).x1, 0);

    // Every press, wheel step and drag at a place each widget would take.
    gPointerX = 600;
    const std::function<bool()> inputs[] = {
        [&] { return v.slWindow.Click(80, 830) || v.slWindow.Wheel(80, 830, 1) || v.slWindow.WheelStep(80, 830, 1); },
        [&] { return v.stWindow.Click(380, 830) || v.stWindow.Wheel(380, 830, 1) || v.stWindow.Drag(420); },
        [&] { return v.list.Click(25, 610) || v.checks.Click(245, 610) || v.captionedChecks.Click(445, 610); },
        [&] { return v.tab.Click(850, 950) || v.maxTab.Click(800, 830) || v.placed.Click(10, 10, 0, 0); },
        [&] { return v.swatch.Click(1210, 770); },
        [&] { return s.types.Click(40, 650) || s.types.Wheel(40, 650, 1) || s.types.PressScrollBar(240, 700); },
        [&] { return s.filter.Click(350, 812) || s.filter.Wheel(350, 812, 1) || s.fixedView.Click(310, 700); },
        [&] { return s.zoom.Wheel(400, 570, 1) || s.materialTypes.Click(600, 650) || s.materialTypes.Wheel(600, 650, 1); },
        [&] { return s.browser.Wheel(100, 400, 3) || s.shapes.Wheel(900, 400, 3) || s.shapes.Click(900, 400); },
        [&] { return d.ball.Click(100, 800, 3) || d.ball.Wheel(100, 800, 5) || d.lightFront.ClickLight(300, 800); },
        [&] { return d.turned.Click(780, 800, 3) || d.turned.Wheel(780, 800, 5) || d.turned.Drag(790, 800, 3); },
        [&] { return d.color.Click(1200, 830) || d.color.Wheel(1200, 830, 1) || d.fog.Click(750, 390); },
        [&] { return d.fog.Wheel(750, 390, 1) || d.fogBrowser.Click(100, 350); },
    };
    for (size_t i = 0; i < std::size(inputs); ++i) EXPECT_FALSE(inputs[i]()) << "input group " << i;
    s.zoom.Click(400, 570);
    s.browser.Click(350, 310);
    gDragWidgetId = v.slWindow.drag.widgetId;
    v.slWindow.drag.held = 1;
    EXPECT_FALSE(v.slWindow.Drag(140) || s.zoom.Drag());
    EXPECT_FLOAT_EQ(v.slWindow.value[2], 0.1f);
    EXPECT_EQ(v.list.selected + v.checks.flags[0] + v.tab.selected + s.types.first + s.browser.firstIndex, 0);
    EXPECT_EQ(d.fogBrowser.browserMode, 1);
    gInterfaceFileServices.texturesFolder = nullptr;
}

}  // namespace
