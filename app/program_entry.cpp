#include "app/program_entry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "app/frame.h"
#include "app/pending_services.h"
#include "app/render_size.h"
#include "app/startup_init.h"
#include "app/window_messages.h"
#include "assets/png_file.h"
#include "platform/dialogs.h"
#include "engine/fractal_model.h"
#include "platform/scripted_dialogs.h"
#include "app/status_line.h"
#include "app/window_size.h"
#include "platform/desktop_dialogs.h"
#include "platform/gl_window.h"
#include "platform/platform_events.h"
#include "platform/preview_target.h"
#include "ui/asset_paths.h"
#include "ui/picture_file.h"

namespace {

// The generated window icon; pictures load bottom row first, SDL wants the top first.
void ApplyWindowIcon()
{
    const RgbPicture icon = LoadPictureRgb(ResourcePath("window_icon.png"));
    if (icon.empty()) return;
    const size_t row = static_cast<size_t>(icon.width) * 3;
    std::vector<uint8_t> topFirst(icon.pixels.size());
    for (int y = 0; y < icon.height; ++y)
        std::memcpy(&topFirst[y * row], &icon.pixels[(icon.height - 1 - y) * row], row);
    SetMainWindowIcon(icon.width, icon.height, topFirst.data());
}

bool ParseCount(const char* text, int* count)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!text[0] || *end != '\0' || value < 1 || value > 100000000) return false;
    *count = static_cast<int>(value);
    return true;
}

bool WriteScreenshot(const std::string& path)
{
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const std::vector<uint8_t> rgb = ReadFramebufferRgb(width, height);
    return assetgen::WritePngRgb(path, rgb.data(), width, height);
}

}  // namespace

bool ParseProgramOptions(int argc, char** argv, ProgramOptions* options, std::string* error)
{
    const char* fromEnvironment = std::getenv("TALVORAN_QUIT_AFTER_FRAMES");
    if (fromEnvironment && fromEnvironment[0] && !ParseCount(fromEnvironment, &options->quitAfterFrames)) {
        *error = "TALVORAN_QUIT_AFTER_FRAMES must be a whole number from 1 on";
        return false;
    }
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--quit-after-frames") == 0 && i + 1 < argc) {
            if (!ParseCount(argv[++i], &options->quitAfterFrames)) {
                *error = "--quit-after-frames needs a whole number from 1 on";
                return false;
            }
        } else if (std::strcmp(arg, "--screenshot") == 0 && i + 1 < argc) {
            options->screenshotPath = argv[++i];
        } else {
            *error = std::string("unknown argument: ") + arg +
                     "\nusage: talvoran [--quit-after-frames N] [--screenshot FILE.png]";
            return false;
        }
    }
    return true;
}

bool StartProgram(std::string* error)
{
    ClearStatusText();
    if (!InitPlatformVideo(error)) return false;
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    FitWindowToScreen(&width, &height);
    SetRenderDefaults();
    InitGlobalState();
    gQuitPosted = false;
    SetDialogThread();
    if (!CreateMainWindow(width, height, false, error)) {
        ShutdownPlatformVideo();
        return false;
    }
    ApplyWindowIcon();
    if (!InitializeApplication()) {
        *error = "start-up failed: no OpenGL context, or no memory for the render buffers";
        DestroyMainWindow();
        ShutdownPlatformVideo();
        return false;
    }
    int drawableWidth = 0, drawableHeight = 0;
    GetMainDrawableSize(&drawableWidth, &drawableHeight);
    OnWindowResized(drawableWidth, drawableHeight, false);
    return true;
}

bool RunMessageLoopPass()
{
    PlatformEvent event;
    while (!gQuitPosted && PollPlatformEvent(&event)) HandleWindowEvent(event);
    RunQueuedDialogs();
    if (gQuitPosted) return false;
    std::this_thread::yield();
    RenderFrame();
    return true;
}

void StopProgram()
{
    CloseDialogQueue();
    SetFrameTimer(0);
    DeletePreviewTexture();
    DestroyPreviewTarget();
    DestroyMainWindow();
    ShutdownPlatformVideo();
}

int RunProgram(const ProgramOptions& options)
{
    ScriptedDialogs scripted;
    std::string error;
    if (options.quitAfterFrames > 0) {
        scripted.QueueAnswer(MessageAnswer::Yes);
        SetDialogBackend(&scripted);
    } else if (InitPlatformVideo(&error)) {
        // Before the start-up, so that its error boxes reach a desktop user.
        InstallPlatformDialogs();
    }
    if (!StartProgram(&error)) {
        std::fprintf(stderr, "talvoran: %s\n", error.c_str());
        RemovePlatformDialogs();
        SetDialogBackend(nullptr);
        return 1;
    }

    int frames = 0;
    for (;;) {
        if (options.quitAfterFrames > 0 && frames == options.quitAfterFrames) {
            if (!options.screenshotPath.empty()) {
                DrawFrame();
                if (!WriteScreenshot(options.screenshotPath)) {
                    std::fprintf(stderr, "talvoran: cannot write %s\n", options.screenshotPath.c_str());
                }
                SwapMainWindow();
            }
            PostCloseRequest();
        }
        if (!RunMessageLoopPass()) break;
        ++frames;
    }
    StopProgram();
    RemovePlatformDialogs();
    SetDialogBackend(nullptr);
    std::printf("talvoran: %d frames drawn\n", frames);
    return 0;
}
