#include "app/program_entry.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/editor_views.h"
#include "app/frame.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/render_size.h"
#include "app/startup_init.h"
#include "app/window_messages.h"
#include "assets/png_file.h"
#include "editors/xforms_editor_services.h"
#include "platform/dialogs.h"
#include "engine/fractal_model.h"
#include "platform/scripted_dialogs.h"
#include "engine/status_line.h"
#include "app/window_size.h"
#include "engine/file_replacement.h"
#include "platform/desktop/desktop_dialogs.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/kept_frame.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "platform/asset_paths.h"
#include "platform/heap_memory.h"
#include "platform/picture_file.h"

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

// Frames on a display without vertical-blank waits are paced to about 60 a
// second, so that an idle window does not burn a core.
void PaceFrame()
{
    static uint64_t last = 0;
    constexpr uint64_t kFrameMs = 16;
    if (PlatformVideoHeadless()) return;
    const uint64_t now = TickCount();
    if (last != 0 && now - last < kFrameMs) SleepMs(static_cast<uint32_t>(kFrameMs - (now - last)));
    last = TickCount();
}

// The picture goes beside the file and replaces it only once it is whole.
bool WriteScreenshot(const std::string& path, std::string* error)
{
    FileReplacement file;
    if (!file.Begin(path)) {
        *error = std::strerror(errno);
        return false;
    }
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    const std::vector<uint8_t> rgb = ReadFramebufferRgb(width, height);
    std::vector<uint8_t> png;
    if (assetgen::EncodePngRgb(rgb.data(), width, height, png) && file.Sink().Write(png.data(), png.size()) &&
        file.Commit()) {
        return true;
    }
    *error = "the PNG could not be written";
    return false;
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
        const bool takesValue = std::strcmp(arg, "--quit-after-frames") == 0 || std::strcmp(arg, "--screenshot") == 0;
        if (takesValue && i + 1 >= argc) {
            *error = std::string(arg) + " needs a value\n" + kUsage;
            return false;
        }
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options->help = true;
        } else if (std::strcmp(arg, "--quit-after-frames") == 0) {
            if (!ParseCount(argv[++i], &options->quitAfterFrames)) {
                *error = "--quit-after-frames needs a whole number from 1 on";
                return false;
            }
        } else if (std::strcmp(arg, "--screenshot") == 0) {
            options->screenshotPath = argv[++i];
            if (options->screenshotPath.empty()) {
                *error = "--screenshot needs a file name";
                return false;
            }
        } else {
            *error = std::string("unknown argument: ") + arg + "\n" + kUsage;
            return false;
        }
    }
    if (!options->help && !options->screenshotPath.empty() && options->quitAfterFrames == 0) {
        *error = "--screenshot needs --quit-after-frames N (the screenshot is taken of the last frame)";
        return false;
    }
    return true;
}

bool StartProgram(std::string* error, bool allowOffscreen)
{
    ClearStatusText();
    if (!InitPlatformVideo(error, allowOffscreen)) return false;
    CheckInstallFolder();
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    FitWindowToScreen(&width, &height);
    SetRenderDefaults();
    InitGlobalState();
    gQuitPosted = false;
    SetDialogThread();
    WatchStopsFromThisThread();
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

void HandleLoopEvent(const PlatformEvent& event)
{
    const uint8_t refresh = gPreviewRefresh;
    HandleWindowEvent(event);
    if (event.type == PlatformEventType::Timer) {
        // The timer draws only what it changed: the picker under the
        // pointer, or a point preview that settled.
        if (MandelbrotPickerShown() || gPreviewRefresh != refresh) RequestFrames(1);
        return;
    }
    RequestFrames(2);
    const bool hover = event.type == PlatformEventType::MouseMove && !event.leftHeld && !event.rightHeld &&
                       !event.middleHeld;
    if (!hover && event.type != PlatformEventType::Exposed) WakePointPreview();
}

bool RunMessageLoopPass()
{
    PlatformEvent event;
    while (!gQuitPosted && PollPlatformEvent(&event)) HandleLoopEvent(event);
    RunQueuedDialogs();
    if (gQuitPosted) return false;
    if (FrameWanted()) {
        RenderFrame();
        PaceFrame();
    } else if (PulseFrameDue()) {
        RenderPulseFrame();
    } else if (GatherSettledPoints() && BaseshapeAnimationOn()) {
        PaceFrame();  // the animation steps by the preview's passes as it did by its frames
    }
    return true;
}

namespace {

// At rest the loop looks for work this often: threads that change the
// screen (a finished export's status text, a new preview image) raise no
// event of their own.
constexpr uint32_t kRestPollMs = 50;

// Until an event comes, or the time to look again for work or to draw the
// reminder's next pulse.
void RestUntilEvent() { WaitForPlatformEvent(std::min(kRestPollMs, MsUntilPulseFrame())); }

// The heap's free pages go back to the system once the window has rested a
// second after its last frame: not between the frames of a pointer moving
// over the window, which would take them again at once.
constexpr uint64_t kRestBeforeReleaseMs = 1000;

class HeapRelease {
public:
    void FrameDrawn()
    {
        lastFrame_ = TickCount();
        released_ = false;
    }
    void Resting()
    {
        if (released_ || TickCount() - lastFrame_ < kRestBeforeReleaseMs) return;
        ReleaseFreeHeapMemory();
        released_ = true;
    }

private:
    uint64_t lastFrame_ = 0;
    bool released_ = false;
};

}  // namespace

void StopProgram()
{
    StopBackgroundWork();
    CloseDialogQueue();
    SetFrameTimer(0);
    DeletePreviewTexture();
    DestroyPreviewTarget();
    DestroyKeptWindowFrame();
    DestroyMainWindow();
    ShutdownPlatformVideo();
}

int RunProgram(const ProgramOptions& options)
{
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    ScriptedDialogs scripted;
    std::string error;
    const bool headless = options.quitAfterFrames > 0;
    if (headless) {
        scripted.QueueAnswer(MessageAnswer::Yes);
        SetDialogBackend(&scripted);
    } else if (InitPlatformVideo(&error)) {
        // Before the start-up, so that its error boxes reach a desktop user.
        InstallPlatformDialogs();
    }
    if (!StartProgram(&error, headless)) {
        std::fprintf(stderr, "talvoran: %s\n", error.c_str());
        RemovePlatformDialogs();
        SetDialogBackend(nullptr);
        return 1;
    }

    int frames = 0;
    int exitCode = 0;
    HeapRelease heap;
    for (;;) {
        // Headless runs count frames, so every pass draws one.
        if (headless) RequestFrames(1);
        const uint64_t drawn = gFramesDrawn;
        if (options.quitAfterFrames > 0 && frames == options.quitAfterFrames) {
            if (!options.screenshotPath.empty()) {
                DrawFrame();
                if (!WriteScreenshot(options.screenshotPath, &error)) {
                    std::fprintf(stderr, "talvoran: cannot write the screenshot %s: %s\n",
                                 options.screenshotPath.c_str(), error.c_str());
                    exitCode = 1;
                }
                SwapMainWindow();
            }
            PostCloseRequest();
        }
        if (!RunMessageLoopPass()) break;
        ++frames;
        if (gFramesDrawn == drawn && !PointPreviewGathers()) {
            heap.Resting();
            RestUntilEvent();
        } else {
            heap.FrameDrawn();
        }
    }
    StopProgram();
    RemovePlatformDialogs();
    SetDialogBackend(nullptr);
    std::printf("talvoran: %d frames drawn\n", static_cast<int>(gFramesDrawn));
    return exitCode;
}
