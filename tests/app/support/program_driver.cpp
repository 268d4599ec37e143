#include "app/support/program_driver.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/control_tables.h"
#include "app/panel_state.h"

#include "app/program_entry.h"
#include "platform/dialogs.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "app/startup_init.h"
#include "app/startup_state.h"
#include "app/window_messages.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

namespace {

// The program under test keeps its settings and its default folders in a
// folder of this test process, never in the user's own: a test that turns
// the thread counts must not change them for the user's next start.
std::filesystem::path gDriverHome;

void RemoveDriverHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(gDriverHome, ignored);
}

void KeepTheUsersFilesApart()
{
    if (!gDriverHome.empty()) return;
    gDriverHome = std::filesystem::temp_directory_path() / ("talvoran_driver_" + std::to_string(::getpid()));
    const std::filesystem::path& home = gDriverHome;
    std::filesystem::create_directories(home);
    std::atexit(RemoveDriverHome);
    if (std::getenv("TALVORAN_SETTINGS_FILE") == nullptr)
        ::setenv("TALVORAN_SETTINGS_FILE", (home / "settings.ini").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
}

}  // namespace

bool ProgramDriver::Start(std::string* error)
{
    KeepTheUsersFilesApart();
    // The same colours and sets every run, so pictures compare.
    gStartupSeed = 20261207;
    if (!StartProgram(error, true)) return false;
    running_ = true;
    // The splash shows 200 frames, then one start-up step a frame. Its
    // frames are a wait that the start-up tests sit through and the others
    // need not: the steps begin at the first frame.
    gSplashFrameCount = kSplashOnlyFrames;
    for (int frame = 0; frame < 400 && gStartupStep < 11; ++frame) Frames(1);
    if (gStartupStep < 11) {
        *error = "the start-up steps did not finish";
        Stop();
        return false;
    }
    return true;
}

void ProgramDriver::Stop()
{
    FinishFramesAsADisplay(false);
    if (!running_) return;
    StopProgram();
    running_ = false;
}

void ProgramDriver::FinishFramesAsADisplay(bool on)
{
    finishFrames_ = on;
    FinishPreviewDrawingHeadless(on);
}

void ProgramDriver::Frames(int count)
{
    for (int i = 0; i < count; ++i) {
        RunMessageLoopPass();
        if (finishFrames_) glFinish();
    }
}

void ProgramDriver::Pump()
{
    PlatformEvent event;
    while (PollPlatformEvent(&event)) HandleLoopEvent(event);
    RunQueuedDialogs();
}

void ProgramDriver::Push(uint32_t type, int x, int y, int button, int wheel)
{
    // Virtual units (y up) to the window's pixels (y down).
    const int px = static_cast<int>(static_cast<float>(x) / gMouseScaleX);
    const int py = static_cast<int>(static_cast<float>(1000 - y) / gMouseScaleY);
    SDL_Event e{};
    e.type = type;
    switch (type) {
    case SDL_MOUSEMOTION:
        e.motion.x = px;
        e.motion.y = py;
        e.motion.state = button != 0 ? SDL_BUTTON_LMASK : 0;
        SDL_WarpMouseInWindow(nullptr, px, py);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = px;
        e.button.y = py;
        break;
    case SDL_MOUSEWHEEL:
        e.wheel.y = wheel;
        e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        e.wheel.mouseX = px;
        e.wheel.mouseY = py;
        break;
    default: break;
    }
    SDL_PushEvent(&e);
}

void ProgramDriver::MoveTo(int x, int y)
{
    Push(SDL_MOUSEMOTION, x, y, 0, 0);
    Pump();
}

void ProgramDriver::Press(int x, int y)
{
    Push(SDL_MOUSEMOTION, x, y, 0, 0);
    Push(SDL_MOUSEBUTTONDOWN, x, y, 1, 0);
    Pump();
}

void ProgramDriver::Release(int x, int y)
{
    Push(SDL_MOUSEBUTTONUP, x, y, 1, 0);
    Pump();
}

void ProgramDriver::Click(int x, int y)
{
    Press(x, y);
    Release(x, y);
}

void ProgramDriver::Drag(int x0, int y0, int x1, int y1, int moves)
{
    Press(x0, y0);
    for (int i = 1; i <= moves; ++i) {
        Push(SDL_MOUSEMOTION, x0 + (x1 - x0) * i / moves, y0 + (y1 - y0) * i / moves, 1, 0);
        Pump();
    }
    Release(x1, y1);
}

void ProgramDriver::Wheel(int x, int y, int notches)
{
    Push(SDL_MOUSEMOTION, x, y, 0, 0);
    Push(SDL_MOUSEWHEEL, x, y, 0, notches);
    Pump();
}

void ProgramDriver::Type(const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof e.text.text);
    SDL_PushEvent(&e);
    Pump();
}

void ProgramDriver::Key(int sdlKey)
{
    for (uint32_t type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sdlKey;
        SDL_PushEvent(&e);
    }
    Pump();
}

bool ProgramDriver::WaitUntil(bool (*done)(), int timeoutMs)
{
    const uint64_t start = TickCount();
    while (!done()) {
        if (TickCount() - start > static_cast<uint64_t>(timeoutMs)) return false;
        Frames(1);
        SleepMs(5);
    }
    return true;
}

std::vector<uint8_t> ProgramDriver::Screenshot(int* widthOut, int* heightOut)
{
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    if (widthOut) *widthOut = width;
    if (heightOut) *heightOut = height;
    return ReadFramebufferRgb(width, height);
}

void ProgramDriver::GoTo(int tab, int page, int materialTab)
{
    const auto press = [this](const Control* strip, int row) {
        if (strip == nullptr || row < 0) return;
        int x = 0, y = 0;
        ControlRowPoint(*strip, row, &x, &y);
        Click(x, y);
    };
    press(&WindowTopControls()[0], tab);
    if (tab == kTabRender) {
        press(FindControl(RenderControls(), "Materials"), page);
        if (page == kPageMaterials) press(FindControl(RenderControls(), "Ambient"), materialTab);
    }
    if (tab == kTabEditors) press(FindControl(EditorsControls(), "Baseshapes"), page);
}

bool ProgramDriver::ClickControl(ControlTable table, const char* name, int row)
{
    const Control* c = FindControl(table, name);
    if (c == nullptr) {
        ADD_FAILURE() << "no control \"" << name << "\"";
        return false;
    }
    int x = 0, y = 0;
    ControlRowPoint(*c, row, &x, &y);
    Click(x, y);
    return true;
}
