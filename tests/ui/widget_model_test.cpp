#include "ui/widget.h"

#include <gtest/gtest.h>

namespace {

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

}  // namespace
