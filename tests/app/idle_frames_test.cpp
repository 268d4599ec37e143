// The window at rest, in the whole program offscreen: once the start-up
// point preview has settled, the loop's passes draw no frame until
// something changes; a pointer over the panels draws without waking the
// preview, and a drag on the preview turns the view and runs its batches
// again until it has settled once more. The transformation editor's 3-D
// preview rests the same way, and so does the point preview settling after
// it, which gathers its points without drawing the frames that would show
// nothing new. Frames are counted, not timed. A settled preview holds the
// same heap after a turn as before it: the software GL driver keeps none of
// the drawing of the turn's frames. A resolution preset picked and not
// applied pulses the loop around "Change" on "Camera" alone, in frames at
// the pulse's rate that draw the loop over a kept copy of the last whole
// frame (or whole frames, where the copy is refused) and look as whole
// frames would.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/buffer_resize.h"
#include "app/control_tables.h"
#include "app/frame.h"
#include "app/interface_drawing.h"
#include "app/point_preview.h"
#include "app/support/program_driver.h"
#include "editors/xforms_editor.h"
#include "engine/fractal_model.h"
#include "platform/desktop/kept_frame.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
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

namespace {

// The pulse's clock, moved by the test.
uint64_t gClock = 0;
uint64_t TestClock() { return gClock; }

struct FrameCounts {
    uint64_t whole, loopOnly;
};
FrameCounts Counts() { return {gFramesDrawn, gPulseFramesDrawn}; }

// Passes of the loop over a second of the clock, 10 ms apart.
void PassASecond(ProgramDriver& program)
{
    for (int pass = 0; pass < 100; ++pass) {
        gClock += 10;
        program.Frames(1);
    }
}

// The clock at the pulse's brightest after `after` (its darkest is half a
// period, 628 ms, on).
uint64_t BrightestAfter(uint64_t after)
{
    const double period = 2.0 * M_PI / 0.005;
    const double k = std::ceil((static_cast<double>(after) * 0.005 - M_PI / 2) / (2.0 * M_PI));
    return static_cast<uint64_t>(std::llround(M_PI / 2 / 0.005 + k * period));
}

// The window's pixels in and around the loop (y up), RGB rows from the top.
std::vector<size_t> LoopBox(int w, int h)
{
    std::vector<size_t> box;
    const int x0 = static_cast<int>(kReminderLoop[0] - 4) * w / 1600;
    const int x1 = static_cast<int>(kReminderLoop[2] + 4) * w / 1600;
    const int top = (1000 - static_cast<int>(kReminderLoop[3] + 4)) * h / 1000;
    const int bottom = (1000 - static_cast<int>(kReminderLoop[1] - 4)) * h / 1000;
    for (int y = top; y <= bottom; ++y)
        for (int x = x0; x <= x1; ++x) box.push_back((static_cast<size_t>(y) * w + x) * 3);
    return box;
}

TEST(IdleWindow, ThePendingResolutionPulsesOnCameraAloneUntilChangeIsPressed)
{
    ProgramDriver program;
    std::string error;
    ASSERT_TRUE(program.Start(&error)) << error;
    gClock = TickCount();
    gFrameTicks = TestClock;
    gResizeSleep = [](uint32_t) {};  // the settling after "Change"
    struct SetBack {
        ~SetBack()
        {
            gFrameTicks = TickCount;
            gKeepWindowFrame = KeepWindowFrame;
            gResizeSleep = SleepMs;
        }
    } setBack;

    // "832 x 832", then "512 x 512", not applied.
    program.GoTo(kTabCamera);
    const Control* presets = FindControl(CameraControls(), "Resolution presets");
    ASSERT_NE(presets, nullptr);
    ASSERT_TRUE(program.ClickControl(CameraControls(), "Resolution presets", ControlRows(*presets) - 3));
    ASSERT_TRUE(program.ClickControl(CameraControls(), "Resolution presets", ControlRows(*presets) - 2));
    ASSERT_TRUE(ResolutionReminderDue());
    program.MoveTo(690, 20);  // over no control
    ASSERT_TRUE(program.WaitUntil(Clean, 90000));
    int passes = 0;
    FramesUntilSettled(program, &passes);
    ASSERT_TRUE(Settled());
    program.Frames(3);

    int w = 0, h = 0;
    std::vector<size_t> loop;  // the loop's pixels: red at its brightest, gone at its darkest
    const struct {
        const char* copy;
        bool (*keep)();
        uint64_t whole, loopOnly;  // frames of each kind over a second
    } copies[] = {{"kept", KeepWindowFrame, 1, 19}, {"refused", [] { return false; }, 20, 0}};
    for (const auto& c : copies) {
        gKeepWindowFrame = c.keep;
        const FrameCounts before = Counts();
        PassASecond(program);
        EXPECT_EQ(gFramesDrawn - before.whole, c.whole) << c.copy;
        EXPECT_EQ(gPulseFramesDrawn - before.loopOnly, c.loopOnly) << c.copy;

        gClock = BrightestAfter(gClock + kPulseFrameMs);
        program.Frames(1);
        const std::vector<uint8_t> bright = program.Screenshot(&w, &h);
        gClock += 628;  // half the period
        program.Frames(1);
        const std::vector<uint8_t> dark = program.Screenshot();
        size_t lit = 0;
        for (size_t i : LoopBox(w, h)) {
            if (bright[i] == dark[i] && bright[i + 1] == dark[i + 1] && bright[i + 2] == dark[i + 2]) continue;
            EXPECT_TRUE(bright[i] >= 250 && bright[i + 1] == 0 && bright[i + 2] == 0 && dark[i] <= 2) << c.copy;
            if (c.keep == KeepWindowFrame) loop.push_back(i);
            ++lit;
        }
        // The loop's outline, 2 x (74 + 28) units long, less its corners' rounding.
        EXPECT_GE(lit, static_cast<size_t>(190 * w / 1600)) << c.copy;
        size_t changed = 0;
        for (size_t i = 0; i < bright.size(); i += 3)
            changed += bright[i] != dark[i] || bright[i + 1] != dark[i + 1] || bright[i + 2] != dark[i + 2];
        EXPECT_EQ(changed, lit) << "more than the loop changed";

        // A whole frame of the same tick looks the same.
        RequestFrames(1);
        program.Frames(1);
        EXPECT_EQ(program.Screenshot(), dark) << c.copy;
    }
    gKeepWindowFrame = KeepWindowFrame;

    // Elsewhere the window rests.
    program.GoTo(kTabFractals);
    program.MoveTo(690, 20);
    FramesUntilSettled(program, &passes);
    ASSERT_TRUE(Settled());
    program.Frames(3);
    const FrameCounts fractals = Counts();
    PassASecond(program);
    PassASecond(program);
    EXPECT_EQ(gFramesDrawn, fractals.whole) << "a page without the reminder drew";
    EXPECT_EQ(gPulseFramesDrawn, fractals.loopOnly);

    // "Change" applies the preset: no pulse on "Camera" any more.
    program.GoTo(kTabCamera);
    ASSERT_TRUE(program.ClickControl(CameraControls(), "Change"));
    program.Frames(2);
    EXPECT_EQ(SharedLoad(gImageWidth), 512);
    EXPECT_FALSE(ResolutionReminderDue());
    const uint64_t changed = gPulseFramesDrawn;
    gClock = BrightestAfter(gClock + kPulseFrameMs);
    RequestFrames(1);
    program.Frames(1);
    const std::vector<uint8_t> after = program.Screenshot();
    for (size_t i : loop) EXPECT_EQ(after[i], 0) << "the loop still shows";
    EXPECT_EQ(MsUntilPulseFrame(), kNoPulseFrame);
    for (int pass = 0; pass < 10; ++pass, gClock += kPulseFrameMs) program.Frames(1);
    EXPECT_EQ(gPulseFramesDrawn, changed);
    program.Stop();
}

}  // namespace
