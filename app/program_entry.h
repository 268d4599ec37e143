// The program: start-up, the idle loop and teardown.
#pragma once

#include <string>

struct ProgramOptions {
    // Closes the window after this many frames and answers Yes to the quit
    // question (0: run until the user quits); any other question then fails
    // the run. For headless runs in CI.
    int quitAfterFrames = 0;
    // Writes the last frame drawn as PNG before quitting.
    std::string screenshotPath;
    bool help = false;  // --help: print kUsage and exit 0
};

inline constexpr const char* kUsage =
    "usage: talvoran [--quit-after-frames N [--screenshot FILE.png]]\n"
    "  --quit-after-frames N  draw N frames, then close the window and answer Yes (headless runs)\n"
    "  --screenshot FILE.png  write the last frame as PNG (with --quit-after-frames)\n"
    "  --help                 print this text\n";

// Reads "--quit-after-frames N" and "--screenshot PATH" (and the environment
// variable TALVORAN_QUIT_AFTER_FRAMES); false with a message on bad input.
bool ParseProgramOptions(int argc, char** argv, ProgramOptions* options, std::string* error);

// The whole program; returns the exit code (0, or 1 when the window or its
// OpenGL context cannot be made, no display is found, or the screenshot
// cannot be written).
int RunProgram(const ProgramOptions& options);

// The parts of RunProgram, for tests that drive frames themselves.
bool StartProgram(std::string* error, bool allowOffscreen = false);  // window, context, first screen
bool RunMessageLoopPass();              // drains the events, draws a frame when one is wanted; false once quitting
// One event as the loop handles it: the window's handler, then the frames
// the event asks for.
void HandleLoopEvent(const struct PlatformEvent& event);
void StopProgram();                     // teardown
