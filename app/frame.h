// The idle-time frame: every time the event queue is empty the loop draws one
// whole frame, the interface and the screen that the screen state chooses.
#pragma once

#include <cstdint>

#include "app/screen_state.h"

inline constexpr int kTimerIntervalMs = 500;
// The timer while the Mandelbrot picker is open.
inline constexpr int kPickerTimerIntervalMs = 75;

// The preview area of the virtual screen and the part of the 1024-texel
// preview texture shown on it.
inline constexpr float kPreviewLeft = 700.0f;
inline constexpr float kPreviewBottom = 160.0f;
inline constexpr float kPreviewRight = 1532.0f;
inline constexpr float kPreviewTop = 992.0f;
inline constexpr float kPreviewDepth = 50.0f;
inline constexpr float kPreviewFrameDepth = 55.0f;
inline constexpr float kPreviewTexelsShown = 0.8125f;  // 832 / 1024

extern int gEffectiveScreenState;     // recomputed by every frame, read by the timer
extern uint8_t gPointPreviewValid;    // 0: the point preview must start afresh
extern uint8_t gPreviewRefresh;
extern unsigned gPreviewTexture;      // 1024 x 1024 RGB texels of gPreviewImage
// Rows of the preview that hold picture (0 and 832 when square); the
// shading's own row bounds under the frame's names.
extern int& gPreviewFirstRow;
extern int& gPreviewLastRow;

int EffectiveScreenState(int screenState, bool dofOn, int fastShadowUpdate, bool rgbColoring);

// The turning mark of a running render or voxel engine: whether the screen
// on now draws it, and where (it reaches kBusyMarkRadius from its centre).
inline constexpr float kBusyMarkRadius = 20.0f;
struct BusyMarkPlace {
    float x, y;
};
bool BusyMarkShown();
BusyMarkPlace BusyMarkCentre();

// Creates gPreviewTexture from gPreviewImage once; Delete lets it be made anew.
void CreatePreviewTexture();
void DeletePreviewTexture();

// One frame: DrawFrame, then the buffer swap; counted in gFramesDrawn.
void RenderFrame();
extern uint64_t gFramesDrawn;

// The window rests: the loop draws a frame only when something on screen may
// have changed. Frames are owed to input (RequestFrames) and to what moves
// by itself: the splash and start-up, a render, an export, the voxel engine,
// a texture generation or mesh export, a point preview that is still
// dirty (a settled one gathers its points between frames and asks for one
// when a shading has a new picture to show), an open text field (its caret
// counts frames), the resolution reminder's pulse, a new preview image or
// status text. FrameWanted says whether the next pass draws.
void RequestFrames(int count);
bool FrameWanted();
void DrawFrame();
void DrawMainView();
void DrawExportView();
void DrawVoxelBusyScreen();
