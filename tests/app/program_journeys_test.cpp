// What a user does first, in the whole program offscreen: render and save
// the start-up fractal, change the shadows, save with alpha, render an
// animation and cancel an export.
// Every step is a press where the control is drawn; the pictures are read
// back from the window and from the files the program wrote.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

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
#include "app/text_field.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_animation.h"
#include "engine/baseshape_record.h"
#include "engine/kernel_framework.h"
#include "app/support/program_driver.h"
#include "engine/fractal_model.h"
#include "engine/status_line.h"

#include "platform/desktop/platform_events.h"
#include "platform/picture_file.h"
#include "platform/scripted_dialogs.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/shading_settings.h"
#include "support/mesh_readers.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

ProgramDriver gProgram;
ScriptedDialogs gDialogs;
fs::path gDir;

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
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 1.0;
    size_t different = 0;
    const size_t n = static_cast<size_t>(a.width) * a.height;
    for (size_t i = 0; i < n; ++i) {
        int d = 0;
        for (int c = 0; c < 3; ++c) d = std::max(d, std::abs(a.pixels[3 * i + c] - b.pixels[3 * i + c]));
        different += d > 16 ? 1 : 0;
    }
    return static_cast<double>(different) / static_cast<double>(n);
}

bool ExportIdle() { return gFileThreadBusy.load() == 0; }

void ClickButtonUnderPreview(const char* name) { gProgram.ClickControl(WindowBottomControls(), name); }

// "Render" (answering "Yes" when a picture is kept), some seconds of
// rendering with the preview drawn, then "Stop".
void RenderFor(int milliseconds)
{
    ClickButtonUnderPreview("Render");
    gProgram.Frames(1);
    if (ButtonEnabled(kButtonYes)) ClickButtonUnderPreview("Yes");
    ASSERT_EQ(gRenderRunFlag.load(), 1) << "the render did not start";
    const uint64_t end = TickCount() + static_cast<uint64_t>(milliseconds);
    while (TickCount() < end) gProgram.Frames(1);
    ClickButtonUnderPreview("Stop");
    gProgram.Frames(2);
}

// "Save PNG" or "Save Bitmap" on the "Render" tab into file, waiting for the
// export to end.
void Save(const char* button, const fs::path& file)
{
    gProgram.GoTo(kTabRender, kPageShaders);
    gDialogs.QueueFile(file.string());
    gProgram.ClickControl(RenderControls(), button);
    EXPECT_TRUE(gProgram.WaitUntil(ExportIdle, 120000)) << file;
    gProgram.Frames(2);
}

// "Fractal Type" scrolled with the wheel to the type, which is then pressed.
void PickFractalType(int type)
{
    gProgram.GoTo(kTabFractals);
    const Control* list = FindControl(FractalsControls(), "Fractal Type");
    ASSERT_NE(list, nullptr);
    const int rows = ControlRows(*list);
    int x = 0, y = 0;
    ControlRowPoint(*list, 0, &x, &y);
    // Notches away from the user scroll back to the first type; toward the
    // user, one type on each.
    for (int notch = 0; notch < kFractalTypeCount; ++notch) gProgram.Wheel(x, y, 1);
    const int down = std::max(0, type - rows + 1);
    for (int notch = 0; notch < down; ++notch) gProgram.Wheel(x, y, -1);
    gProgram.ClickControl(FractalsControls(), "Fractal Type", rows - 1 - (type - down));
    gProgram.Frames(2);
}

class ProgramJourneys : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gDir = fs::temp_directory_path() / ("talvoran_journeys_" + std::to_string(::getpid()));
        fs::create_directories(gDir);
        ::setenv("XDG_DATA_HOME", gDir.c_str(), 1);
        ::setenv("TALVORAN_SETTINGS_FILE", (gDir / "settings.ini").c_str(), 1);
        gDialogs.SetFailureHandler(FailTest);
        SetDialogBackend(&gDialogs);
        std::string error;
        started_ = gProgram.Start(&error);
        why_ = error;
        if (!started_) return;
        // 512 x 512 renders keep the journeys short: "Resolution presets"
        // row "512 x 512", then "Change".
        gProgram.GoTo(kTabCamera);
        const Control* presets = FindControl(CameraControls(), "Resolution presets");
        gProgram.ClickControl(CameraControls(), "Resolution presets", ControlRows(*presets) - 2);
        gProgram.ClickControl(CameraControls(), "Change");
        gProgram.Frames(2);
    }
    static void TearDownTestSuite()
    {
        gProgram.Stop();
        SetDialogBackend(nullptr);
        if (!std::getenv("TALVORAN_KEEP_TEST_FILES")) fs::remove_all(gDir);
    }
    void SetUp() override
    {
        ASSERT_TRUE(started_) << "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " << why_;
        ASSERT_EQ(gImageWidth, 512);
    }
    static bool started_;
    static std::string why_;
};
bool ProgramJourneys::started_ = false;
std::string ProgramJourneys::why_;

// Start, "Render", wait: the preview and the saved PNG are lit.
TEST_F(ProgramJourneys, TheFirstRenderIsLit)
{
    RenderFor(1500);
    int w = 0, h = 0;
    const std::vector<uint8_t> screen = gProgram.Screenshot(&w, &h);
    ASSERT_EQ(screen.size(), static_cast<size_t>(w) * h * 3);
    // The preview, 700..1532 by 160..992 of the 1600 x 1000 virtual screen (y up).
    std::vector<uint8_t> view;
    const int left = 700 * w / 1600, right = 1532 * w / 1600;
    for (int y = (1000 - 992) * h / 1000; y < (1000 - 160) * h / 1000; ++y)
        view.insert(view.end(), screen.begin() + (y * w + left) * 3, screen.begin() + (y * w + right) * 3);
    const Light preview = Measure(view.data(), view.size() / 3, 3);
    EXPECT_GT(preview.litShare, 0.03) << "mean " << preview.mean;

    Save("Save PNG", gDir / "type0.png");
    // Nearly every pixel the fractal covers is lit in the file.
    size_t drawn = 0;
    for (int64_t i = 0; i < static_cast<int64_t>(gImageWidth) * gImageHeight; ++i) drawn += gDepthBuffer[i] != 0.0f;
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
    RenderFor(1000);
    Save("Save PNG", gDir / "classic.png");
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Shadow Type", 0);  // "Occluded"
    EXPECT_EQ(gShadingSettings.shadowType, 0);
    Save("Save PNG", gDir / "occluded.png");
    EXPECT_GT(DifferentShare(ReadPicture(gDir / "classic.png"), ReadPicture(gDir / "occluded.png")), 0.001);

    gProgram.ClickControl(RenderControls(), "Map Fog to Alpha (PNG)");
    EXPECT_EQ(gShadingSettings.mapFogToAlpha, 1);
    Save("Save PNG", gDir / "alpha.png");
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
    gBaseshapeCount = gUseBaseshapes = 0;
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
    const SLWindow2& help = gParamHelpWindow;
    const int row = static_cast<int>(help.y0 + (static_cast<float>(help.rows) - 0.5f) * help.rowHeight);  // " C.r="
    gProgram.Click(static_cast<int>(help.x0) + 80, row);
    ASSERT_TRUE(TextInputActive());
    for (int i = 0; i < 12; ++i) gProgram.Key(SDLK_BACKSPACE);
    gProgram.Type("0.25");
    gProgram.Key(SDLK_RETURN);
    EXPECT_EQ(gTransforms[0].position[0], 0.25f);
    gProgram.ClickControl(XFormsEditorControls(), "Edit (Transformations)");
    gProgram.Frames(1);
    EXPECT_EQ(gParamHelpWindow.visible, 0);
    PickFractalType(0);
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
    const auto wheelRows = [](ControlTable table, const char* name, std::initializer_list<int> rows, int notches) {
        const Control* c = FindControl(table, name);
        ASSERT_NE(c, nullptr) << name;
        for (int row : rows) {
            int x = 0, y = 0;
            ControlRowPoint(*c, row, &x, &y);
            for (int n = 0; n < std::abs(notches); ++n) gProgram.Wheel(x, y, notches > 0 ? 1 : -1);
        }
    };
    const int32_t initialWidth = gImageWidth;
    gProgram.GoTo(kTabCamera);
    wheelRows(CameraControls(), "Render Resolution:", {0, 1}, 32);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    ASSERT_EQ(gImageWidth, 1024);
    RenderFor(300);
    // A slow export: every pixel's occlusion at 64 samples.
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);
    wheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, 48);
    const fs::path file = gDir / "during_change.bmp";
    gDialogs.QueueFile(file.string());
    gProgram.ClickControl(RenderControls(), "Save Bitmap");
    gProgram.Frames(1);
    ASSERT_FALSE(ExportIdle()) << "the export ended before Change could be pressed";
    const float* depth = gDepthBuffer;
    gProgram.GoTo(kTabCamera);
    wheelRows(CameraControls(), "Render Resolution:", {0, 1}, -32);
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
    wheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, -48);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);
}

// "Cancel" under the preview while an export runs: no file is left. A
// second "Save PNG" meanwhile is refused.
TEST_F(ProgramJourneys, ACancelledExportLeavesNoFile)
{
    // A slow export: 1024 x 1024 ("Render Resolution:" raised 32 notches a
    // side, then "Change") with every pixel's occlusion at 128 samples.
    const auto wheelRows = [](ControlTable table, const char* name, std::initializer_list<int> rows, int notches) {
        const Control* c = FindControl(table, name);
        ASSERT_NE(c, nullptr) << name;
        for (int row : rows) {
            int x = 0, y = 0;
            ControlRowPoint(*c, row, &x, &y);
            for (int n = 0; n < std::abs(notches); ++n) gProgram.Wheel(x, y, notches > 0 ? 1 : -1);
        }
    };
    gProgram.GoTo(kTabCamera);
    wheelRows(CameraControls(), "Render Resolution:", {0, 1}, 32);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    ASSERT_EQ(gImageWidth, 1024);
    RenderFor(500);
    gProgram.GoTo(kTabRender, kPageShaders);
    gProgram.ClickControl(RenderControls(), "Ambient Occlusion", 1);  // "Every Pixel"
    ASSERT_EQ(gShadingSettings.occlusion[1], 1);
    wheelRows(RenderControls(), "Per Pixel Ambient Occlusion (Slow)", {0}, 112);
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
    wheelRows(CameraControls(), "Render Resolution:", {0, 1}, -32);
    gProgram.ClickControl(CameraControls(), "Change");
}

}  // namespace
