// What a user does first, in the whole program offscreen: render and save
// the start-up fractal, change the shadows, save with alpha, render an
// animation and cancel an export.
// Every step is a press where the control is drawn; the pictures are read
// back from the window and from the files the program wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/render_control.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_animation.h"
#include "engine/baseshape_record.h"
#include "engine/kernel_framework.h"
#include "app/support/program_controls.h"
#include "app/support/program_pictures.h"
#include "engine/fractal_model.h"
#include "engine/status_line.h"

#include "platform/desktop/platform_events.h"
#include "platform/picture_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/shading_settings.h"
#include "support/mesh_readers.h"

namespace fs = std::filesystem;

namespace {

// Share of pixels brighter than a dark grey, and the mean brightness.
struct Light {
    double litShare = 0.0;
    double mean = 0.0;
};
Light Measure(const uint8_t* rgb, size_t pixels, size_t stride)
{
    Light l;
    if (pixels == 0) return l;
    size_t lit = 0;
    double sum = 0.0;
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* p = rgb + i * stride;
        const int high = std::max({p[0], p[1], p[2]});
        lit += high > 24 ? 1 : 0;
        sum += (p[0] + p[1] + p[2]) / 3.0;
    }
    l.litShare = static_cast<double>(lit) / static_cast<double>(pixels);
    l.mean = sum / static_cast<double>(pixels);
    return l;
}

RgbImage ReadPicture(const fs::path& file)
{
    RgbImage image;
    EXPECT_TRUE(LoadImageFileRgb(image, file.string())) << file;
    return image;
}

Light MeasureFile(const fs::path& file)
{
    const RgbImage image = ReadPicture(file);
    return Measure(image.pixels.data(), static_cast<size_t>(image.width) * image.height, 3);
}

// Share of pixels whose colour differs by more than a little.
double DifferentShare(const RgbImage& a, const RgbImage& b)
{
    if (a.width != b.width || a.height != b.height) return 1.0;
    return ::DifferentShare(a.pixels, b.pixels);
}

void ClickButtonUnderPreview(const char* name) { gProgram.ClickControl(WindowBottomControls(), name); }

// The rows of a control wheeled by the given notches each (away from the
// user when positive).
void WheelRows(ControlTable table, const char* name, std::initializer_list<int> rows, int notches)
{
    const Control* c = FindControl(table, name);
    ASSERT_NE(c, nullptr) << name;
    for (int row : rows) {
        int x = 0, y = 0;
        ControlRowPoint(*c, row, &x, &y);
        for (int n = 0; n < std::abs(notches); ++n) gProgram.Wheel(x, y, notches > 0 ? 1 : -1);
    }
}

class ProgramJourneys : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        UseOwnFolder("talvoran_journeys_");
        StartOnce();
        if (started_) UseSmallRenders();
    }
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(gImageWidth, 512);
    }
};

// Start, "Render", wait: the preview and the saved PNG are lit.
TEST_F(ProgramJourneys, TheFirstRenderIsLit)
{
    RenderCycles(5000);
    const WindowPicture screen = Shot();
    ASSERT_EQ(screen.rgb.size(), static_cast<size_t>(screen.w) * screen.h * 3);
    const std::vector<uint8_t> view = screen.Preview();
    const Light preview = Measure(view.data(), view.size() / 3, 3);
    EXPECT_GT(preview.litShare, 0.03) << "mean " << preview.mean;

    SaveImage("Save PNG", gDir / "type0.png");
    // Nearly every pixel the fractal covers is lit in the file.
    const size_t drawn = DrawnPixels();
    const Light file = MeasureFile(gDir / "type0.png");
    ASSERT_GT(drawn, 5000u);
    EXPECT_GT(file.litShare * gImageWidth * gImageHeight, 0.8 * static_cast<double>(drawn)) << "mean " << file.mean;
}

// Another "Shadow Type" gives another file; "Map Fog to Alpha (PNG)" gives
// an RGBA file that a PNG reader accepts.
TEST_F(ProgramJourneys, ShadowTypeAndFogToAlphaReachTheFile)
{
    gProgram.GoTo(kTabCamera);
    gProgram.ClickControl(CameraControls(), "Shadows", 1);  // "On"
    ASSERT_EQ(gFastShadowUpdate, 1);
    RenderCycles(5000);
    SaveImage("Save PNG", gDir / "classic.png");
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Shadow Type", 0);  // "Occluded"
    EXPECT_EQ(gShadingSettings.shadowType, 0);
    SaveImage("Save PNG", gDir / "occluded.png");
    EXPECT_GT(DifferentShare(ReadPicture(gDir / "classic.png"), ReadPicture(gDir / "occluded.png")), 0.001);

    gProgram.ClickControl(RenderControls(), "Map Fog to Alpha (PNG)");
    EXPECT_EQ(gShadingSettings.mapFogToAlpha, 1);
    SaveImage("Save PNG", gDir / "alpha.png");
    int exit = 0;
    const std::string report = RunReader(FindReader("pngcheck"), "-v", (gDir / "alpha.png").string(), &exit);
    EXPECT_EQ(exit, 0) << report;
    EXPECT_NE(report.find("512 x 512 image, 32-bit RGB+alpha"), std::string::npos) << report;
    gProgram.ClickControl(RenderControls(), "Map Fog to Alpha (PNG)");
    gProgram.ClickControl(RenderControls(), "Shadow Type", 3);  // "Classic"
    gProgram.GoTo(kTabCamera);
    gProgram.ClickControl(CameraControls(), "Shadows", 0);
}

// "Render Animation" writes "Number of Frames" files from "Start Frame",
// named from "Output Filename" in the "Image Type" chosen, turning a
// spinning baseshape frame by frame, and is offered again once the last is
// written.
TEST_F(ProgramJourneys, AnAnimationWritesEveryFrameWhereAsked)
{
    gProgram.GoTo(kTabAnimation);
    const Control* parameters = FindControl(AnimationControls(), "Render Parameters");
    ASSERT_NE(parameters, nullptr);
    int x = 0, y = 0;
    ControlRowPoint(*parameters, 1, &x, &y);  // "Number of Frames": toward the user, 100 down to 3
    for (int notch = 0; notch < 97; ++notch) gProgram.Wheel(x, y, -1);
    ControlRowPoint(*parameters, 0, &x, &y);  // "Start Frame": away, 0 up to 5
    for (int notch = 0; notch < 5; ++notch) gProgram.Wheel(x, y, 1);
    ASSERT_EQ(gPanel.renderParameters[1], 3.0f);
    ASSERT_EQ(gPanel.renderParameters[0], 5.0f);
    gProgram.ClickControl(AnimationControls(), "Image Type", 0);  // "PNG - Portable Network Graphics"
    gDialogs.QueueFile((gDir / "spin").string());
    gProgram.ClickControl(AnimationControls(), "Output Filename");
    // A baseshape spinning an eighth turn about y a frame: the start winds
    // it through frames 1 to 4 (a half turn), frames 6 and 7 two more.
    Keep(gBaseshapeCount), Keep(gUseBaseshapes), Keep(gBaseshapeSpin);
    InitNewBaseshape(gBaseShapeEditor.defaults, 0);
    gBaseshapeCount = gUseBaseshapes = 1;
    ResetBaseshapeWeights();
    gBaseshapeSpin[0][3] = 8.0f;
    ComputeBaseshapeMatrix(0);
    const BaseshapeRecord start = gBaseshapes[0];
    gProgram.ClickControl(AnimationControls(), "Render Animation");
    EXPECT_FALSE(ActionButtonEnabled(kActionRenderAnimation));
    for (int k : {0, 8}) EXPECT_NEAR(gBaseshapes[0].matrix[k], -start.matrix[k], 1e-5f) << k;
    for (int frame = 0; frame < 20000 && !ActionButtonEnabled(kActionRenderAnimation); ++frame) gProgram.Frames(1);
    EXPECT_TRUE(ActionButtonEnabled(kActionRenderAnimation));
    EXPECT_EQ(gBaseshapeAnimationFrame, 8);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(gBaseshapes[0].matrix[k], -start.matrix[6 + k], 1e-5f) << k;  // a quarter from the start
        EXPECT_NEAR(gBaseshapes[0].matrix[6 + k], start.matrix[k], 1e-5f) << k;
    }
    for (int n : {5, 6, 7}) {
        const fs::path frame = gDir / ("spin" + std::to_string(n) + ".png");
        ASSERT_TRUE(fs::exists(frame)) << frame;
        EXPECT_GT(MeasureFile(frame).litShare, 0.02) << frame;
    }
    EXPECT_FALSE(fs::exists(gDir / "spin4.png"));
    EXPECT_FALSE(fs::exists(gDir / "spin8.png"));
}

// The type list's scroll wheel, dragged down a few steps, brings later
// types into view without choosing one.
TEST_F(ProgramJourneys, TheTypeListScrollsByItsWheel)
{
    gProgram.GoTo(kTabFractals);
    NewDropBox& list = gFractalTypeBox;
    const int first = list.first, type = gFractalType;
    const int x = (list.barLeft + list.barRight) / 2, y = (list.barBottom + list.barTop) / 2;
    gProgram.Drag(x, y, x, y - 40, 4);
    EXPECT_EQ(list.first, first + 4);
    EXPECT_EQ(gFractalType, type);
}

// With the transformation editor open on a Julia type, the help beside it
// shows the constant; a press on its row opens the field, and what is typed
// there moves transformation 0.
TEST_F(ProgramJourneys, TheParameterHelpEditsTheConstant)
{
    PickFractalType(8);
    ASSERT_EQ(gFractalType, 8);
    gProgram.GoTo(kTabEditors, kPageTransformations);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
    ASSERT_EQ(gParamHelpWindow.visible, 1);
    TypeIntoTheFirstHelpRow("0.25");  // " C.r="
    EXPECT_EQ(gTransforms[0].position[0], 0.25f);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
    EXPECT_EQ(gParamHelpWindow.visible, 0);
}

// "Panel" switches the editor's view between the points and the vectors and
// back again, as long as the editor edits.
TEST_F(ProgramJourneys, ThePanelListSwitchesBothWays)
{
    gProgram.GoTo(kTabEditors, kPageObjects);
    gProgram.ClickControl(EditorsControls(), "Edit");
    ASSERT_EQ(gScreenState.load(), kScreenPreview3D);
    gProgram.ClickControl(EditorsControls(), "Panel", 0);  // "Points"
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
    gProgram.ClickControl(EditorsControls(), "Panel", 1);  // "Vector"
    EXPECT_EQ(gScreenState.load(), kScreenPreview3D);
    gProgram.ClickControl(EditorsControls(), "Edit");
    EXPECT_EQ(gScreenState.load(), kScreenPointPreview);
}

// Render threads that take longer than 5 s to end after "Stop": the window
// keeps drawing frames that say so, and the stop returns once they ended.
void StubbornWorker(int)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(5600);
    while (std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void PlainCoordinator(int)
{
    while (gRenderRunFlag.load() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(ProgramJourneys, AStopThatTakesLongKeepsTheWindowDrawing)
{
    ASSERT_TRUE(StartThreadSet(PlainCoordinator, StubbornWorker));
    EnableButton(kButtonStop, true);
    const int before = gStopWaitFrames;
    ClickButtonUnderPreview("Stop");
    EXPECT_GE(gStopWaitFrames - before, 3) << "frames drawn while the stop waited";
    EXPECT_EQ(gRenderActive.load(), 0);
    for (const ThreadHandle& worker : gRenderWorkerThreads) EXPECT_FALSE(worker.Running());
    EXPECT_NE(std::string(gStatusText).find("have not stopped after 5 s"), std::string::npos) << gStatusText;
    gProgram.Frames(2);
}

// "Change" on the Camera page while an export reads the buffers: refused with
// a status text, the buffers untouched; the export still writes its file,
// and "Change" afterwards resizes.
TEST_F(ProgramJourneys, ChangeDuringAnExportWaitsForIt)
{
    const int32_t initialWidth = gImageWidth;
    gProgram.GoTo(kTabCamera);
    WheelRows(CameraControls(), "Render Resolution:", {0, 1}, 32);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    ASSERT_EQ(gImageWidth, 1024);
    RenderCycles(5000);
    // A slow export: every pixel's occlusion at 64 samples.
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);
    WheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, 48);
    const fs::path file = gDir / "during_change.bmp";
    gDialogs.QueueFile(file.string());
    gProgram.ClickControl(RenderControls(), "Save Bitmap");
    gProgram.Frames(1);
    ASSERT_FALSE(ExportIdle()) << "the export ended before Change could be pressed";
    const float* depth = gDepthBuffer;
    gProgram.GoTo(kTabCamera);
    WheelRows(CameraControls(), "Render Resolution:", {0, 1}, -32);
    for (int press = 0; press < 3 && !ExportIdle(); ++press) {
        gProgram.ClickControl(CameraControls(), "Change");
        gProgram.Frames(1);
        EXPECT_EQ(gImageWidth, 1024);
        EXPECT_EQ(gDepthBuffer, depth);
    }
    EXPECT_EQ(std::string(gStatusText).rfind("The render buffers are in use by the image export", 0), 0u) << gStatusText;
    EXPECT_TRUE(gProgram.WaitUntil(ExportIdle, 120000));
    gProgram.Frames(2);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 54u + 1024u * 1024u * 3u);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    EXPECT_EQ(gImageWidth, initialWidth);
    gProgram.GoTo(kTabRender, kPageShaders);
    WheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, -48);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);
}

// "Cancel" under the preview while an export runs: no file is left. A
// second "Save PNG" meanwhile is refused.
TEST_F(ProgramJourneys, ACancelledExportLeavesNoFile)
{
    // A slow export: 1024 x 1024 ("Render Resolution:" raised 32 notches a
    // side, then "Change") with every pixel's occlusion at 128 samples.
    gProgram.GoTo(kTabCamera);
    WheelRows(CameraControls(), "Render Resolution:", {0, 1}, 32);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    ASSERT_EQ(gImageWidth, 1024);
    RenderCycles(5000);
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);  // "Every Pixel"
    ASSERT_EQ(gShadingSettings.occlusion[1], 1);
    WheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, 112);
    ASSERT_EQ(gShadingSettings.perPixelOcclusion[0], 128.0f);
    gDialogs.QueueFile((gDir / "cancelled.bmp").string());
    gProgram.ClickControl(RenderControls(), "Save Bitmap");
    // Press "Cancel" once it shows.
    for (int frame = 0; frame < 1000 && !ActionButtonEnabled(kActionCancelExport) && !ExportIdle(); ++frame)
        gProgram.Frames(1);
    EXPECT_TRUE(ActionButtonEnabled(kActionCancelExport)) << "the export ended before Cancel showed";
    // "Save PNG" while it runs: refused with a word (no dialog), and the
    // buttons stay as the export set them.
    gProgram.ClickControl(RenderControls(), "Save PNG");
    EXPECT_STREQ(gStatusText, "An image export is already in progress..");
    EXPECT_FALSE(ButtonEnabled(kButtonRender));
    EXPECT_FALSE(ButtonEnabled(kButtonContinue));
    EXPECT_FALSE(ExportIdle());
    gProgram.Frames(2);
    EXPECT_FALSE(ButtonEnabled(kButtonRender));
    EXPECT_TRUE(ActionButtonEnabled(kActionCancelExport));
    ClickButtonUnderPreview("Cancel");
    EXPECT_TRUE(gProgram.WaitUntil(ExportIdle, 60000));
    gProgram.Frames(2);
    EXPECT_FALSE(fs::exists(gDir / "cancelled.bmp"));
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);
    gProgram.GoTo(kTabCamera);
    WheelRows(CameraControls(), "Render Resolution:", {0, 1}, -32);
    gProgram.ClickControl(CameraControls(), "Change");
}

}  // namespace
