// The whole program started once per benchmark process on the offscreen
// driver (SDL_VIDEODRIVER=offscreen) and run through its start-up steps,
// for the benchmarks that time what the window thread does.
#pragma once

#include <string>

#include "app/program_entry.h"
#include "app/startup_init.h"
#include "app/startup_state.h"

// True once the program is up; otherwise error says why (every call after
// the first gives the first one's answer).
inline bool StartOffscreenProgramOnce(std::string* error)
{
    static bool started = false;
    static std::string failure;
    if (!started) {
        started = true;
        gStartupSeed = 20261207;
        if (!StartProgram(&failure, true)) {
            failure = "no offscreen OpenGL window (SDL_VIDEODRIVER=offscreen?): " + failure;
        } else {
            for (int frame = 0; frame < 400 && gStartupStep < 11; ++frame) RunMessageLoopPass();
            if (gStartupStep < 11) failure = "the start-up steps did not finish";
        }
    }
    *error = failure;
    return failure.empty();
}
