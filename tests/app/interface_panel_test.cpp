#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/create_interface.h"
#include "app/file_dialogs.h"
#include "app/interface_panel.h"
#include "app/pending_services.h"
#include "app/status_line.h"
#include "app/support/app_interface.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "platform/scripted_dialogs.h"
#include "render/view_camera.h"
#include "ui/widget.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gl_.ok()) GTEST_SKIP() << gl_.why();
        gInterface.Build();
    }
    AppInterfaceTest gl_;
};

TEST_F(PanelTest, ListsSetSensitivityAndAxis)
{
    // Selections count from the lowest row.
    const struct {
        const char* caption;
        int selection;
        float sensitivity;
    } sensitivities[] = {{"Extremely Precise", 0, 0.001f}, {"Very Precise", 1, 0.005f}, {"Precise", 2, 0.01f},
                         {"Very Fine", 3, 0.05f},          {"Fine", 4, 0.1f},           {"Medium", 5, 0.5f},
                         {"Normal", 6, 1.0f}};
    EXPECT_FLOAT_EQ(gControlSensitivity, 0.5f) << "Medium after Build";
    for (const auto& c : sensitivities) {
        gInterface.controlSensitivity.selected = c.selection;
        gInterface.ApplyControlSensitivity();
        EXPECT_FLOAT_EQ(gControlSensitivity, c.sensitivity) << c.caption;
    }
    // "+A" and "-A" take the saved camera's second column.
    const float camera[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    std::memcpy(gInterface.savedCamera, camera, sizeof camera);
    const struct {
        const char* caption;
        float x, y, z;
    } axes[] = {{"+X", 1, 0, 0},  {"+Y", 0, 1, 0},  {"+Z", 0, 0, 1}, {"-X", -1, 0, 0},
                {"-Y", 0, -1, 0}, {"-Z", 0, 0, -1}, {"+A", -1, 0, 0}, {"-A", 1, 0, 0}};
    for (int row = 0; row < 8; ++row) {
        gInterface.SetAnimationAxis(row);
        const float* d = gInterface.rotationAxis.Direction();
        EXPECT_EQ(std::string(d[0] == axes[row].x && d[1] == axes[row].y && d[2] == axes[row].z ? "ok" : "wrong"), "ok")
            << axes[row].caption;
    }
}

// n animation steps of 2 pi / n turn the camera once round; "Frames" 0 leaves it.
TEST_F(PanelTest, AnimationStepsTurnTheCameraOnceRound)
{
    const float start[9] = {0.36f, 0.48f, -0.8f, -0.8f, 0.6f, 0.0f, 0.48f, 0.64f, 0.6f};
    gInterface.SetAnimationAxis(0);
    for (int frames : {0, 1, 6, 25}) {
        std::memcpy(gCameraMatrix, start, sizeof start);
        gInterface.cycleFrames.value[0] = static_cast<float>(frames);
        for (int i = 0; i < std::max(frames, 1); ++i) gInterface.SetSymmetryRotation(1);
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(gCameraMatrix[i], start[i], 1e-4f) << frames << " frames, " << i;
        if (frames == 6) {
            gInterface.SetSymmetryRotation(1);  // one more step moves it
            EXPECT_GT(std::fabs(gCameraMatrix[4] - start[4]) + std::fabs(gCameraMatrix[8] - start[8]), 0.1f);
        }
    }
}

TEST_F(PanelTest, SceneExportAndTypeButtons)
{
    const struct {
        const char* name;
        int type, count, kind;
        bool allowed;
    } cases[] = {
        {"listed type, listed kind", 8, 1, 1, true},   {"type 46", 46, 1, 1, false},
        {"type 49", 49, 1, 1, false},                  {"unlisted type", 3, 1, 1, false},
        {"unlisted kind", 8, 1, 5, false},             {"no baseshapes", 8, 0, 1, false},
        {"kind 58 stored after 98", 48, 2, 58, true},
    };
    for (const auto& c : cases) {
        gFractalType = c.type;
        gBaseshapeCount = c.count;
        for (int i = 0; i < kMaxBaseshapes; ++i) gBaseshapes[i].shapeType = i + 1 == c.count ? c.kind : 5;
        EXPECT_EQ(gInterface.CanExportKavrolinScene(), c.allowed) << c.name;
    }
    for (int type = 0; type < 50; ++type) {
        gFractalType = type;
        gTransformCount = 2;
        gInterface.UpdateTypeButtons();
        EXPECT_FALSE(Live(gInterface.rnd).visible || Live(gInterface.clr).visible) << "two transformations, type " << type;
    }
    gTransformCount = 3;
    for (int type : {0, 48}) {
        gFractalType = type;
        gInterface.UpdateTypeButtons();
        EXPECT_TRUE(Live(gInterface.rnd).visible && Live(gInterface.clr).visible) << type;
    }
    gFractalType = 0;
    gBaseshapeCount = 0;
}

TEST_F(PanelTest, OutputFilenameOffersTheImageTypeAndRefusesLongPaths)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    const std::string tooLong = "/tmp/" + std::string(1100, 'a');
    dialogs.QueueFile("/tmp/frames/bmp_run");
    dialogs.QueueFile("/tmp/frames/png_run");
    dialogs.QueueFile(tooLong);
    const struct {
        int imageType;
        const char* pattern;
        const char* name;
    } runs[] = {{1, "*.bmp", "/tmp/frames/bmp_run"}, {0, "*.png", "/tmp/frames/png_run"}, {0, "*.png", "/tmp/frames/png_run"}};
    for (const auto& run : runs) {
        gInterface.imageType.selected = run.imageType;
        gInterface.ChooseOutputFilename();
        EXPECT_STREQ(gInterface.outputBaseName, run.name);
        EXPECT_EQ(gFileOperationBusy, 0);
    }
    const std::vector<DialogPrompt> prompts = dialogs.Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    for (size_t i = 0; i < prompts.size(); ++i) {
        for (const FileFilter& f : prompts[i].file.filters)
            EXPECT_TRUE(f.pattern == runs[i].pattern || f.pattern == "*.*") << i << " offers " << f.pattern;
    }
    char status[256];
    int width = 0;
    CopyStatusText(status, sizeof status, &width);
    EXPECT_NE(std::string(status).find("too long"), std::string::npos);
}

}  // namespace
