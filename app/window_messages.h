// What the window reports, routed to the program: resizing with the viewport
// and pointer scales, the quit question, the timer, the mouse and the keys.
#pragma once

#include <cstdint>

#include "app/pointer_state.h"  // the resize sets the pointer scales
#include "platform/desktop/platform_events.h"

extern int gViewportWidth;
extern int gViewportHeight;
extern bool gQuitPosted;     // the loop ends before its next frame

// A maximised window keeps the aspect at most 1.6 (the interface stays at the
// left edge); the pointer scales follow the viewport, not the window.
void OnWindowResized(int width, int height, bool maximized);

// "Do you want to Quit?"; Yes stops the render (and a running export) and
// posts the end of the loop. Returns true when the answer was Yes.
bool AskToQuit();

void HandleWindowEvent(const PlatformEvent& event);
// The render, the export, the texture generation and the mesh export
// stopped (each within its bounded wait), as the quit and the teardown need.
void StopBackgroundWork();
