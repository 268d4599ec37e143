// The pointer as every input handler reads it: where it is in the virtual
// 1600 x 1000 screen, which button holds it, and the scales that map the
// window's drawable pixels there (the window's resize sets them).
#pragma once

// gMouseState values.
enum MouseStateValue : int {
    kMouseStateLeft = 0,
    kMouseStateRight = 1,
    kMouseStateMiddle = 2,
    kMouseStateNone = 3,
};

extern float gMouseScaleX;   // 1600 / viewport width: drawable pixels to virtual units
extern float gMouseScaleY;   // 1000 / viewport height
extern int gMouseState;      // 3 while no button is held
extern int gLastPointerX;    // pointer in virtual units, y down
extern int gLastPointerY;
extern int gPointerY;        // pointer y in virtual units, y down (gPointerX is the widgets')
extern int gHoverX, gHoverY; // the same point, y up: the wheel routes by it

// Drawable pixels (origin top left) to virtual units, truncated; y either
// pointing down as the pixels do, or up as clicks and widgets use it.
int PointerToVirtualX(int x);
int PointerToVirtualYDown(int y);
int PointerToVirtualYUp(int y);
