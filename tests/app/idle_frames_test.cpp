// The window at rest, in the whole program offscreen: once the start-up
// point preview has settled, the loop's passes draw no frame until
// something changes; a pointer over the panels draws without waking the
// preview, and a drag on the preview turns the view and runs its batches
// again until it has settled once more. Frames are counted, not timed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/point_preview.h"
#include "app/support/program_driver.h"
#include "render/view_camera.h"

namespace {

bool Settled() { return PointPreviewSettled(); }

TEST(IdleWindow, ASettledProgramDrawsOnlyWhenSomethingChanges)
{
    ProgramDriver program;
    std::string error;
    ASSERT_TRUE(program.Start(&error)) << error;
    // The dirty mode ends on the timer, then the preview shades until done.
    ASSERT_TRUE(program.WaitUntil(Settled, 90000));
    program.Frames(3);  // the frames owed to the last shading
    const uint64_t rested = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, rested) << "an idle window drew";

    program.MoveTo(300, 500);
    program.Frames(5);
    EXPECT_GT(gFramesDrawn, rested);
    EXPECT_TRUE(PointPreviewSettled()) << "a hover woke the preview";
    const uint64_t hovered = gFramesDrawn;
    program.Frames(100);
    EXPECT_EQ(gFramesDrawn, hovered);

    const std::vector<uint8_t> before = program.Screenshot();
    const std::vector<float> camera(gCameraMatrix, gCameraMatrix + 9);
    program.Drag(1000, 500, 1100, 560);
    program.Frames(2);
    EXPECT_FALSE(PointPreviewSettled());
    ASSERT_TRUE(program.WaitUntil(Settled, 90000));
    program.Frames(3);
    EXPECT_NE(std::vector<float>(gCameraMatrix, gCameraMatrix + 9), camera);
    EXPECT_NE(program.Screenshot(), before) << "the turn did not show";
    const uint64_t zoomed = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, zoomed);
    program.Stop();
}

}  // namespace
