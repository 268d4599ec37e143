// The window at rest, in the whole program offscreen: once the start-up
// point preview has settled, the loop's passes draw no frame until
// something changes; a pointer over the panels draws without waking the
// preview, and a drag on the preview turns the view and runs its batches
// again until it has settled once more. The transformation editor's 3-D
// preview rests the same way, and so does the point preview settling after
// it, which gathers its points without drawing the frames that would show
// nothing new. Frames are counted, not timed. A settled preview holds the
// same heap after a turn as before it: the software GL driver keeps none of
// the drawing of the turn's frames.
#include <gtest/gtest.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/point_preview.h"
#include "app/support/program_driver.h"
#include "editors/xforms_editor.h"
#include "engine/fractal_model.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "ui/panel_pages.h"

namespace {

bool Settled() { return PointPreviewSettled(); }

#if defined(__SANITIZE_ADDRESS__) || defined(TALVORAN_ADDRESS_SANITIZER) || defined(TALVORAN_THREAD_SANITIZER)
constexpr bool kOwnAllocator = true;  // the sanitizer's heap: the C library's figures say nothing
#else
constexpr bool kOwnAllocator = false;
#endif

// Bytes of the C library's heap in use, in MB.
double HeapInUseMb()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

TEST(IdleWindow, ASettledProgramDrawsOnlyWhenSomethingChanges)
{
    ProgramDriver program;
    std::string error;
    ASSERT_TRUE(program.Start(&error)) << error;
    // What the driver keeps is measured as a window on a display keeps it.
    program.FinishFramesAsADisplay(true);
    // The dirty mode ends on the timer, then the preview shades until done.
    ASSERT_TRUE(program.WaitUntil(Settled, 90000));
    program.Frames(3);  // the frames owed to the last shading
    const double heapAtRest = HeapInUseMb();
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
    // A dirty frame queues tens of MB of points in the driver, which it
    // would keep after the preview settled.
    if (!kOwnAllocator) {
        EXPECT_NEAR(HeapInUseMb(), heapAtRest, 4.0) << "MB of heap in use, before the turn " << heapAtRest;
    }
    const uint64_t zoomed = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, zoomed);
    program.Stop();
}

}  // namespace

namespace {

bool Dirty() { return gPreviewRefresh != 0; }
bool Clean() { return gPreviewRefresh == 0; }
bool PreviewShows3D() { return gScreenState.load() == kScreenPreview3D; }

// Passes of the loop until the preview has settled; the frames drawn meanwhile.
uint64_t FramesUntilSettled(ProgramDriver& program, int* passes)
{
    const uint64_t start = gFramesDrawn;
    for (*passes = 0; *passes < 2000 && !PointPreviewSettled(); ++*passes) program.Frames(1);
    return gFramesDrawn - start;
}

TEST(IdleWindow, TheTransformationEditorRestsAndSoDoesThePreviewAfterIt)
{
    ProgramDriver program;
    std::string error;
    ASSERT_TRUE(program.Start(&error)) << error;
    ASSERT_TRUE(program.WaitUntil(Settled, 90000));
    program.GoTo(kTabEditors, kPageTransformations);
    ASSERT_TRUE(program.ClickControl(XFormsEditorControls(), "Edit (Transformations)"));
    program.Frames(2);
    ASSERT_TRUE(PreviewShows3D() && Dirty());

    // The inset gathers its points, then the editor at rest draws nothing.
    int passes = 0;
    const uint64_t gathering = FramesUntilSettled(program, &passes);
    EXPECT_EQ(passes, kDirtyFramesToRest - 2) << "the two frames after the press drew the first";
    EXPECT_EQ(gathering, static_cast<uint64_t>(passes));
    program.Frames(3);
    const uint64_t rested = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, rested) << "the editor at rest drew";

    // A hover draws the panel without waking the inset.
    program.MoveTo(300, 500);
    program.Frames(5);
    EXPECT_GT(gFramesDrawn, rested);
    EXPECT_TRUE(PointPreviewSettled());

    // Turning the selected transformation on the trackball starts the
    // preview afresh; it rests again.
    const std::vector<float> turned(gTransforms[0].rotation, gTransforms[0].rotation + 9);
    program.Drag(488, 212, 530, 250);
    program.Frames(2);
    EXPECT_NE(std::vector<float>(gTransforms[0].rotation, gTransforms[0].rotation + 9), turned);
    EXPECT_FALSE(PointPreviewSettled());
    FramesUntilSettled(program, &passes);
    EXPECT_LE(passes, kDirtyFramesToRest);
    program.Frames(3);
    const uint64_t again = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, again);

    // "Edit" off: the point preview is dirty until the timer settles it,
    // then gathers eight shadings' worth of points in passes that draw only
    // the shadings.
    ASSERT_TRUE(program.ClickControl(XFormsEditorControls(), "Edit (Transformations)"));
    program.Frames(2);
    ASSERT_FALSE(PreviewShows3D());
    ASSERT_TRUE(program.WaitUntil(Clean, 90000));
    const uint64_t settling = FramesUntilSettled(program, &passes);
    EXPECT_GE(passes, (kSettledShadingsToRest - 1) * (kSettledFrameCycle + 1));
    EXPECT_LE(settling, static_cast<uint64_t>(2 * kSettledShadingsToRest + 2));
    program.Frames(3);
    const uint64_t closed = gFramesDrawn;
    program.Frames(300);
    EXPECT_EQ(gFramesDrawn, closed);
    program.Stop();
}

}  // namespace
