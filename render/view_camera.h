// The camera and light views the projection passes, the tuner, the fit and
// the voxel workers read, with the operations that prepare them: the camera
// rotation from three Euler angles, the light rotation from the light track
// ball, and the fit of the view (or the light view) to the current fractal.
#pragma once

#include <cstdint>

extern float gViewCentre[3];     // subtracted from every point
extern float gViewScale;         // applied after centring
extern float gCameraAngleX, gCameraAngleY, gCameraAngleZ;  // degrees
extern float gCameraRotation[9];  // row-major; stored in the fractal files
extern float gCameraMatrix[9];    // working copy read by the passes
extern float gCameraGLMatrix[16]; // column-major 4 x 4, no translation
extern float gLightViewMatrix[9]; // row-major
extern float gShadowOffsetX, gShadowOffsetY, gShadowOffsetZ;
extern float gShadowScale;

// Image mapping: pixel = rotated x, y times gImageScale plus the offsets
// (times the perspective factor q = -focal / (z - eye) in perspective).
extern float gImageScale;
extern float gImageOffsetX, gImageOffsetY;
extern float gPerspectiveFocal;  // zoom of the mouse wheel scales it
extern float gPerspectiveEye;
extern uint8_t gPerspectiveOn;   // fit, tuner and placement project in perspective
extern float gPanX, gPanY;

// The two direction vectors of the light track ball, copied there by the
// interface whenever the ball moves.
extern float gLightTrackBallA[3];
extern float gLightTrackBallB[3];

// Modes of FitViewToFractal.
inline constexpr uint8_t kFitCameraView = 0;
inline constexpr uint8_t kFitLightView = 1;

// Runs the current kernel on slot 0 and fits a centre and a scale to the
// points: mode 0 the camera view, mode 1 the light view of the shadow map
// (then after the mode-0 fit, with the camera matrix current). Points that
// are not finite are ignored. A light fit with no qualifying point keeps the
// previous offsets and scale. Must not run while render worker 0 runs.
// Each of its three passes (warm-up, bounds, radius) runs its batch count or
// a quarter of a second, whichever ends first, so a heavy fractal cannot
// hold the window thread for long.
void FitViewToFractal(float* centreX, float* centreY, float* centreZ, float* scale, uint8_t mode);

// Rx(ax) x Ry(-ay) x Rz(az) of the three camera angles into the rotation,
// the working matrix and the 4 x 4 preview matrix.
void UpdateCameraMatrix();

// The rotation that turns track-ball vector B into A (identity when equal).
void UpdateLightViewMatrix();
