#include <gtest/gtest.h>

#include "app/window_messages.h"
#include "ui/widget.h"

namespace {

TEST(WindowMessages, PointerScalesFollowTheViewport)
{
    OnWindowResized(1000, 625, false);
    EXPECT_EQ(gViewportWidth, 1000);
    EXPECT_EQ(gViewportHeight, 625);
    EXPECT_FLOAT_EQ(gMouseScaleX, 1.6f);
    EXPECT_FLOAT_EQ(gMouseScaleY, 1.6f);
    EXPECT_EQ(PointerToVirtualX(0), 0);
    EXPECT_EQ(PointerToVirtualX(500), 800);
    EXPECT_EQ(PointerToVirtualX(999), 1598);
    EXPECT_EQ(PointerToVirtualYDown(312), 499);
    EXPECT_EQ(PointerToVirtualYUp(312), 501);
    EXPECT_EQ(PointerToVirtualYUp(0), 1000);

    OnWindowResized(1600, 1000, false);
    EXPECT_FLOAT_EQ(gMouseScaleX, 1.0f);
    EXPECT_EQ(PointerToVirtualX(1116), 1116);
    EXPECT_EQ(PointerToVirtualYUp(954), 46);
}

TEST(WindowMessages, MaximisedKeepsAspectAtMostOnePointSix)
{
    // A 16:9 screen: the interface stays at the left, 1728 pixels wide.
    OnWindowResized(1920, 1080, true);
    EXPECT_EQ(gViewportWidth, 1728);
    EXPECT_EQ(gViewportHeight, 1080);
    EXPECT_FLOAT_EQ(gMouseScaleX, 1600.0f / 1728.0f);
    EXPECT_FLOAT_EQ(gMouseScaleY, 1000.0f / 1080.0f);
    EXPECT_EQ(PointerToVirtualX(1727), 1599);
    EXPECT_EQ(PointerToVirtualX(1800), 1666);  // right of the interface: beyond 1600

    // The same size merely resized, not maximised, stretches instead.
    OnWindowResized(1920, 1080, false);
    EXPECT_EQ(gViewportWidth, 1920);
    EXPECT_FLOAT_EQ(gMouseScaleX, 1600.0f / 1920.0f);

    // A tall maximised window keeps its width.
    OnWindowResized(1200, 1000, true);
    EXPECT_EQ(gViewportWidth, 1200);

    // A degenerate size (minimised) changes nothing.
    OnWindowResized(0, 0, false);
    EXPECT_EQ(gViewportWidth, 1200);
}

TEST(WindowMessages, MiddleButtonHoldsAndReleases)
{
    OnWindowResized(1000, 625, false);
    gDragGroup = 77;
    PlatformEvent down;
    down.type = PlatformEventType::MouseDown;
    down.button = kMouseMiddle;
    down.x = 100;
    down.y = 50;
    HandleWindowEvent(down);
    EXPECT_EQ(gMouseState, kMouseStateMiddle);
    EXPECT_EQ(gLastPointerX, 160);
    EXPECT_EQ(gLastPointerY, 80);  // not flipped
    PlatformEvent up = down;
    up.type = PlatformEventType::MouseUp;
    HandleWindowEvent(up);
    EXPECT_EQ(gMouseState, kMouseStateNone);
    EXPECT_EQ(gDragGroup, 0);
}

}  // namespace
