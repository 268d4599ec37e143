// What the window reports, routed to the program: resizing with the viewport
// and pointer scales, the quit question, the timer, the mouse and the keys.
#pragma once

#include <cstdint>

#include "platform/desktop/platform_events.h"

// gMouseState values.
enum MouseStateValue : int {
    kMouseStateLeft = 0,
    kMouseStateRight = 1,
    kMouseStateMiddle = 2,
    kMouseStateNone = 3,
};

extern int gViewportWidth;
extern int gViewportHeight;
extern float gMouseScaleX;   // 1600 / viewport width: drawable pixels to virtual units
extern float gMouseScaleY;   // 1000 / viewport height
extern int gMouseState;      // 3 while no button is held
extern int gLastPointerX;    // pointer in virtual units, y down
extern int gLastPointerY;
extern bool gQuitPosted;     // the loop ends before its next frame

// A maximised window keeps the aspect at most 1.6 (the interface stays at the
// left edge); the pointer scales follow the viewport, not the window.
void OnWindowResized(int width, int height, bool maximized);

// "Do you want to Quit?"; Yes stops the render (and a running export) and
// posts the end of the loop. Returns true when the answer was Yes.
bool AskToQuit();

// Drawable pixels (origin top left) to virtual units, truncated; y either
// pointing down as the pixels do, or up as clicks and widgets use it.
int PointerToVirtualX(int x);
int PointerToVirtualYDown(int y);
int PointerToVirtualYUp(int y);

void HandleWindowEvent(const PlatformEvent& event);
// The render, the export, the texture generation and the mesh export
// stopped (each within its bounded wait), as the quit and the teardown need.
void StopBackgroundWork();
