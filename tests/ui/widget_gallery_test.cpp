// The widget gallery drawn offscreen after the widgets were driven through
// their Click, Wheel and Drag, compared with stored references.
#include "ui/support/widget_gallery.h"

#include <gtest/gtest.h>

#include "support/gl_interface.h"
#include "support/screenshot.h"

namespace {

class WidgetGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        if (!gl_.llvmpipe()) GTEST_SKIP() << "screenshots are compared on llvmpipe only";
        gallery_.Build();
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
    const ScreenshotResult r = CompareWithReference("value_widgets", gl_.Frame(), 1600, 1000);
    EXPECT_TRUE(r.ok) << r.message;
}

}  // namespace
