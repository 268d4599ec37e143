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
// counts frames), a new preview image or status text. FrameWanted says
// whether the next pass draws.
void RequestFrames(int count);
bool FrameWanted();

// The resolution reminder's pulse, where it is shown ("Camera") and nothing
// else wants a frame: a frame every kPulseFrameMs of gFrameTicks, 25 over the
// pulse's period of 1.26 s. The first after a whole frame is whole and kept
// (gKeepWindowFrame); the next ones put the kept copy back and draw only the
// loop over it, which replaces its own pixels, so they look as whole frames
// of their tick would: where the window system shows part of the buffer,
// only the loop's place is put back and shown, else the whole copy and a
// swap. A whole frame takes over whenever one is wanted; a GL without the
// copy draws whole frames at the pulse's rate.
inline constexpr uint32_t kPulseFrameMs = 50;
bool PulseFrameDue();
// Milliseconds until the next pulse frame is due (0: now), or kNoPulseFrame.
inline constexpr uint32_t kNoPulseFrame = 0xffffffffu;
uint32_t MsUntilPulseFrame();
void RenderPulseFrame();
// The pulse frames that drew only the loop; the whole ones count in gFramesDrawn.
extern uint64_t gPulseFramesDrawn;
extern bool (*gKeepWindowFrame)();  // KeepWindowFrame; tests refuse the copy
void DrawFrame();
void DrawMainView();
void DrawExportView();
void DrawVoxelBusyScreen();
