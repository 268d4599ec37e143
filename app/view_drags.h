// Pointer moves, the right button and the view's own wheel zoom: the view
// turns like a trackball (four modes), the point preview pans and zooms, and
// the 3-D preview's focal length follows the wheel.
#pragma once

#include <cstdint>

#include "app/pointer_state.h"
#include "app/view_zoom.h"

// gRotateMode values: rows of the "Rotate" list counted from the bottom.
enum RotateModeValue : int { kRotateZ = 0, kRotateY = 1, kRotateX = 2, kRotateTrackBall = 3 };
// gMoveMode values: rows of the "Move" list counted from the bottom.
enum MoveModeValue : int { kMoveY = 0, kMoveX = 1, kMoveXY = 2 };

// A point on the drag sphere and the factor that normalised it.
struct DragVector {
    float x, y, z;
    float factor;
};

extern int gRotateMode;          // the "Rotate" and "Move" lists' selections
extern int gMoveMode;
extern DragVector gViewDragStart;
extern float gEditViewDragStart[3];
extern float gDragStartAngle;    // "Zr": the pointer's angle, radians
extern float gDragAxis[3];
extern float gDragRotation[9];   // row-major, the last step's rotation
extern float gSavedViewRotation[9];
extern float gViewMatrix[9];     // gDragRotation x gSavedViewRotation

// The view square in pointer units (y down), its centre and half size.
inline constexpr int kViewLeft = 701, kViewRight = 1531, kViewTop = 9, kViewBottom = 839;
inline constexpr int kViewCentreX = 1116, kViewCentreY = 424;
inline constexpr double kViewHalfSizeInverse = 1.0 / 416.0;

inline bool PointerInView(int x, int yDown)
{
    return kViewLeft <= x && x <= kViewRight && kViewTop <= yDown && yDown <= kViewBottom;
}

// The start-up defaults of the drag vectors and the edit-drag scale.
void ResetDragVectors();

// The pointer (virtual units, y down) on the drag sphere of the mode;
// "Zr" also stores its angle in gDragStartAngle. A mode outside 0..3, or
// "Zr" when zrAllowed is false, keeps `previous`.
DragVector PointerDragVector(int mode, int x, int yDown, const DragVector& previous, bool zrAllowed = true);

// Rodrigues rotation of `angle` radians about gDragAxis into gDragRotation.
void BuildDragRotationMatrix(float angle);
// gViewMatrix = gDragRotation x gSavedViewRotation, made orthonormal again
// so that rounding does not build up over a long drag.
void ComposeViewMatrix();

// One step of a view rotation from gViewDragStart to p1: false when the
// step turns nothing (no motion, or opposite vectors).
bool TurnViewTowards(const DragVector& p1);

// Window events, pointer in drawable pixels (origin top left).
void OnMouseMove(int x, int y, bool leftHeld, bool rightHeld, bool middleHeld);
void OnRightButtonDown(int x, int y);
void OnRightButtonUp();
// The view's own zoom for a wheel notch at (x, y); delta > 0 is away from
// the user.
void ZoomViewByWheel(int x, int y, int delta);
