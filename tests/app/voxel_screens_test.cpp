#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"
#include "app/mesh_export_thread.h"
#include "app/pending_services.h"
#include "app/program_entry.h"
#include "app/startup_state.h"
#include "app/status_line.h"
#include "support/screenshot.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/gl_test_context.h"
#include "platform/gl_window.h"
#include "platform/platform_events.h"
#include "platform/scripted_dialogs.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// The voxel engine's busy screen and the export view of a mesh export, as
// the program's own frame draws them, over four discs in the projections.
TEST(VoxelScreens, BusyScreenAndMeshExportMatchTheirReferences)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    std::string error;
    if (!StartProgram(&error)) GTEST_SKIP() << "no OpenGL window: " << error;
    if (CurrentGlRenderer().find("llvmpipe") == std::string::npos) {
        StopProgram();
        GTEST_SKIP() << "the references were drawn by llvmpipe";
    }
    for (const auto& [name, state] : {std::pair{"voxel_busy", kScreenVoxelBusy}, {"voxel_mesh_export", kScreenExport}}) {
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 512; ++x) {
                uint8_t* p = gPreviewImage + (static_cast<size_t>(y) * kPreviewImageSize + x) * 3;
                const bool disc = (x % 256 - 128) * (x % 256 - 128) + (y % 256 - 128) * (y % 256 - 128) < 6400;
                p[0] = disc ? static_cast<uint8_t>(x / 2) : 0;
                p[1] = disc ? static_cast<uint8_t>(y / 2) : 0;
                p[2] = disc ? 200 : 0;
            }
        }
        gPreviewUploadPending = 1;
        gVoxelEngineOn = 1;
        gScreenState = state;
        gVoxelExportProgress = 37.9f;
        gStartupStep = 0;
        gCurrentTab = 5;
        SetStatusText("Talvoran Vane: Render Threads 8");
        gFrameTicks = [] { return uint64_t{100}; };
        DrawFrame();
        gFrameTicks = TickCount;
        int width = 0, height = 0;
        GetMainDrawableSize(&width, &height);
        const ScreenshotResult result =
            CompareWithReference(name, ReadFramebufferRgb(width, height), width, height, 3, 0.001);
        EXPECT_TRUE(result.ok) << name << ": " << result.message;
    }
    gVoxelEngineOn = gCurrentTab = 0;
    gExportProgress = -2;
    StopProgram();
}

}  // namespace
