// The start-up steps that the splash screen runs one a frame, so that the
// window keeps drawing while the program loads: settings, the texture folder,
// the thumbnail atlas, defaults, the matrices, the interface, and the final
// set-up that leaves the splash for the point preview.
#pragma once

#include "app/startup_state.h"

struct StartupStep {
    int step;
    const char* work;
    void (*run)();         // null: the step has no work of its own
    const char* waitsFor;  // null when complete; else what is not built yet (that part does nothing)
};

// Steps 0..10 in order.
extern const StartupStep kStartupSteps[kLastStartupStep + 1];

// Called with the step number before a step's work; tests watch the order.
extern void (*gStartupStepObserver)(int step);

// Runs the step's work (nothing outside 1..10), then the common tail:
// gStartupStep + 1, depth writes and the depth test on.
void RunStartupStep(int step);
