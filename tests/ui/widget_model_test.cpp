#include "ui/widget.h"

#include <gtest/gtest.h>

#include "engine/random.h"

namespace {

TEST(WidgetModel, HitRules)
{
    // Buttons take their borders, sliders do not.
    EXPECT_TRUE(HitInclusive(10, 20, 10, 20, 30, 40));
    EXPECT_TRUE(HitInclusive(30, 40, 10, 20, 30, 40));
    EXPECT_FALSE(HitInclusive(31, 40, 10, 20, 30, 40));
    EXPECT_FALSE(HitInclusive(10, 19, 10, 20, 30, 40));
    EXPECT_FALSE(HitStrict(10.0f, 25.0f, 10.0f, 20.0f, 30.0f, 40.0f));
    EXPECT_FALSE(HitStrict(20.0f, 40.0f, 10.0f, 20.0f, 30.0f, 40.0f));
    EXPECT_TRUE(HitStrict(10.5f, 39.5f, 10.0f, 20.0f, 30.0f, 40.0f));
}

TEST(WidgetModel, ListRowsCountFromTheBottom)
{
    // Five visible rows from item 10: the bottom row shows item 14.
    EXPECT_EQ(ListItemFromRow(10, 5, 0), 14);
    EXPECT_EQ(ListItemFromRow(10, 5, 4), 10);
    EXPECT_EQ(ListItemFromRow(0, 1, 0), 0);
}

TEST(WidgetModel, WidgetIdsComeFromTheSharedGenerator)
{
    SeedRandomState(gGlobalRandomB, 45);
    RandomState copy = gGlobalRandomB;
    const int id = NewWidgetId();
    EXPECT_EQ(static_cast<uint32_t>(id), RandomStep(copy));
    EXPECT_EQ(gGlobalRandomB.word[0], copy.word[0]);
}

TEST(DragState, PressTakesTheRoutingAndTravelScales)
{
    DragState drag;
    drag.groupId = 7;
    drag.widgetId = 1234;
    gControlSensitivity = 1.0f;
    drag.Press(100, 2);
    EXPECT_EQ(gDragGroup, 7);
    EXPECT_EQ(gDragWidgetId, 1234);
    EXPECT_EQ(drag.heldRow, 2);

    float change = 0;
    ASSERT_TRUE(drag.Travel(130, 0.5f, false, &change));
    EXPECT_FLOAT_EQ(change, 15.0f);
    ASSERT_TRUE(drag.Travel(100, 0.5f, true, &change));  // reversed: press - current
    EXPECT_FLOAT_EQ(change, 15.0f);

    // A thousandth of the change at the finest sensitivity.
    gControlSensitivity = 0.001f;
    ASSERT_TRUE(drag.Travel(130, 0.5f, false, &change));
    EXPECT_FLOAT_EQ(change, 0.015f);
    gControlSensitivity = 1.0f;
}

TEST(DragState, DragOfAnotherWidgetReleasesTheHold)
{
    DragState a, b;
    a.widgetId = 1;
    b.widgetId = 2;
    a.Press(10, 0);
    b.Press(20, 0);  // b took the last press
    float change = -1.0f;
    EXPECT_FALSE(a.Travel(50, 1.0f, false, &change));
    EXPECT_EQ(a.held, 0);
    EXPECT_FLOAT_EQ(change, -1.0f);
    EXPECT_TRUE(b.Travel(25, 1.0f, false, &change));
    EXPECT_FLOAT_EQ(change, 5.0f);
}

}  // namespace
