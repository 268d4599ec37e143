#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "platform/desktop/desktop_dialogs.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/platform_events.h"
#include "platform/shell_open.h"

namespace {

class PlatformEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        if (!InitPlatformVideo(&error)) GTEST_FAIL() << error;
    }
    void TearDown() override
    {
        SetFrameTimer(0);
        ShutdownPlatformVideo();
    }
};

TEST_F(PlatformEvents, CloseRequestAndTimerArriveOnTheQueue)
{
    PlatformEvent event;
    while (PollPlatformEvent(&event)) {
    }
    PostCloseRequest();
    ASSERT_TRUE(PollPlatformEvent(&event));
    EXPECT_EQ(event.type, PlatformEventType::CloseRequested);

    SetFrameTimer(10);
    int timers = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end && timers < 3) {
        while (PollPlatformEvent(&event)) {
            if (event.type == PlatformEventType::Timer) ++timers;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GE(timers, 3);

    // Stopped: nothing more arrives.
    SetFrameTimer(0);
    while (PollPlatformEvent(&event)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    int late = 0;
    while (PollPlatformEvent(&event)) late += event.type == PlatformEventType::Timer;
    EXPECT_EQ(late, 0);
}

// A backspace also types its control character; text arrives in
// Windows-1252, the euro sign as 0x80.
TEST_F(PlatformEvents, PointerAndKeysInTheProgramsTerms)
{
    PlatformEvent event;
    while (PollPlatformEvent(&event)) {
    }
    SDL_Event e[4] = {};
    e[0].type = SDL_MOUSEBUTTONDOWN;
    e[0].button.button = SDL_BUTTON_MIDDLE;
    e[0].button.x = 40;
    e[0].button.y = 30;
    e[1].type = SDL_MOUSEWHEEL;
    e[1].wheel.y = -2;
    e[2].type = SDL_KEYDOWN;
    e[2].key.keysym.sym = SDLK_BACKSPACE;
    e[3].type = SDL_TEXTINPUT;
    std::snprintf(e[3].text.text, sizeof e[3].text.text, "%s", "5€");
    for (SDL_Event& pushed : e) SDL_PushEvent(&pushed);

    using T = PlatformEventType;
    const std::pair<T, int> expected[] = {{T::MouseDown, kMouseMiddle}, {T::MouseWheel, -240}, {T::KeyDown, kKeyBackspace},
                                          {T::Character, 8},            {T::Character, '5'},   {T::Character, 0x80}};
    for (const auto& [type, value] : expected) {
        ASSERT_TRUE(PollPlatformEvent(&event)) << value;
        EXPECT_EQ(event.type, type) << value;
        const int got = type == T::MouseDown ? event.button : type == T::MouseWheel ? event.wheelDelta
                      : type == T::KeyDown   ? event.key : event.character;
        EXPECT_EQ(got, value);
        if (type == T::MouseDown) {
            EXPECT_TRUE(event.x == 40 && event.y == 30);
        }
    }
    EXPECT_FALSE(PollPlatformEvent(&event));
}

TEST(DesktopDialogs, FiltersMatchAnyLetterCase)
{
    EXPECT_EQ(CaseInsensitivePattern("*.png"), "*.[pP][nN][gG]");
    EXPECT_EQ(CaseInsensitivePattern("*.zb3f"), "*.[zZ][bB]3[fF]");
    EXPECT_EQ(CaseInsensitivePattern("*.*"), "*.*");
}

TEST(DesktopDialogs, FilterPatternsSplitAndAllFilesMatchesEveryName)
{
    EXPECT_EQ(DesktopFilterPatterns("*.bmp;*.png;*.jpg"),
              (std::vector<std::string>{"*.[bB][mM][pP]", "*.[pP][nN][gG]", "*.[jJ][pP][gG]"}));
    EXPECT_EQ(DesktopFilterPatterns("*.stl"), std::vector<std::string>{"*.[sS][tT][lL]"});
    // "All Files" shows names without an extension too, as it always did.
    EXPECT_EQ(DesktopFilterPatterns("*.*"), std::vector<std::string>{"*"});
    EXPECT_TRUE(DesktopFilterPatterns("").empty());
    EXPECT_EQ(DesktopFilterPatterns(";*.map;"), std::vector<std::string>{"*.[mM][aA][pP]"});
}

// A stand-in xdg-open first on PATH for the life of the object, or none
// at all (PATH then holds only an empty folder).
class FakeXdgOpen {
public:
    // script: the body of a shell script; null: no xdg-open.
    explicit FakeXdgOpen(const char* script)
        : folder_(std::filesystem::temp_directory_path() / ("talvoran_xdg_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder_);
        const char* old = std::getenv("PATH");
        savedPath_ = old ? old : "";
        if (script != nullptr) {
            {
                std::ofstream out(folder_ / "xdg-open");
                out << "#!/bin/sh\n" << script << "\n";
            }
            std::filesystem::permissions(folder_ / "xdg-open", std::filesystem::perms::owner_all);
        }
        ::setenv("PATH", script != nullptr ? (folder_.string() + ":" + savedPath_).c_str() : folder_.c_str(), 1);
    }
    ~FakeXdgOpen()
    {
        ::setenv("PATH", savedPath_.c_str(), 1);
        std::filesystem::remove_all(folder_);
    }
    std::filesystem::path folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::string savedPath_;
};

std::string ReadWhenWritten(const std::filesystem::path& file)
{
    std::string seen;
    for (int i = 0; i < 500 && seen.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        seen = text.str();
    }
    return seen;
}

// xdg-open is run directly (no shell), so a target with shell characters
// reaches it as one argument.
TEST(ShellOpen, RunsXdgOpenWithTheTargetAsOneArgument)
{
    const FakeXdgOpen fake("printf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/record.txt\"");
    const char* target = "/tmp/a b;$(echo no)/help page.html";
    EXPECT_TRUE(OpenWithDesktop(target));
    EXPECT_EQ(ReadWhenWritten(fake.folder() / "record.txt"), std::string("1|") + target);
    EXPECT_FALSE(OpenWithDesktop(""));
}

std::mutex gFailedMutex;
std::vector<std::string> gFailedTargets;
void RecordFailure(const char* target)
{
    std::lock_guard<std::mutex> lock(gFailedMutex);
    gFailedTargets.emplace_back(target);
}
std::vector<std::string> FailedTargets()
{
    std::lock_guard<std::mutex> lock(gFailedMutex);
    return gFailedTargets;
}

// How xdg-open ends decides what is reported: a start that fails is the
// false returned, a failure after the start (no program for the target, the
// program failed, xdg-open killed) reaches the failure callback, once, with
// the target; an open that worked reports nothing.
TEST(ShellOpen, AFailedOpenIsReportedOnceWithItsTarget)
{
    struct Case {
        const char* what;
        const char* script;  // null: no xdg-open
        bool started;
        bool failed;
    };
    const Case cases[] = {
        {"no xdg-open", nullptr, false, false},
        {"opened", "touch \"$(dirname \"$0\")/done\"", true, false},
        {"no program for it", "touch \"$(dirname \"$0\")/done\"; exit 3", true, true},
        {"the program failed", "touch \"$(dirname \"$0\")/done\"; exit 4", true, true},
        {"killed", "touch \"$(dirname \"$0\")/done\"; kill -9 $$", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::lock_guard<std::mutex> lock(gFailedMutex);
            gFailedTargets.clear();
        }
        const FakeXdgOpen fake(c.script);
        const std::string target = "file:///nowhere/help/index.html#news";
        EXPECT_EQ(OpenWithDesktop(target.c_str(), RecordFailure), c.started);
        if (c.started) {
            for (int i = 0; i < 500 && !std::filesystem::exists(fake.folder() / "done"); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // The reaper reports soon after xdg-open ends; an open that worked
        // is given the same time to (wrongly) report.
        for (int i = 0; i < (c.failed ? 1000 : 30) && FailedTargets().empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(FailedTargets(), c.failed ? std::vector<std::string>{target} : std::vector<std::string>{});
    }
}

// The close button brings a window close and a quit event: one request. A
// quit alone (a logout) is a request too.
TEST_F(PlatformEvents, ACloseButtonClickIsOneRequest)
{
    struct Case {
        const char* name;
        std::vector<bool> windowClose;  // true: SDL_WINDOWEVENT_CLOSE, false: SDL_QUIT
        int requests;
    };
    const Case cases[] = {
        {"close then quit", {true, false}, 1},
        {"quit alone", {false}, 1},
        {"two clicks", {true, false, true, false}, 2},
    };
    for (const Case& c : cases) {
        PlatformEvent event;
        while (PollPlatformEvent(&event)) {
        }
        for (bool window : c.windowClose) {
            SDL_Event e{};
            if (window) {
                e.type = SDL_WINDOWEVENT;
                e.window.event = SDL_WINDOWEVENT_CLOSE;
            } else {
                e.type = SDL_QUIT;
            }
            SDL_PushEvent(&e);
        }
        int requests = 0;
        while (PollPlatformEvent(&event)) requests += event.type == PlatformEventType::CloseRequested;
        EXPECT_EQ(requests, c.requests) << c.name;
    }
}

}  // namespace
