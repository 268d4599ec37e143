// Services of other parts of the program that the shell calls but that do
// not exist yet. Each stand-in does the least that keeps the shell running:
// the screens they would draw stay empty and the work they would do is not
// done. A part that lands removes its stand-ins here (the linker reports any
// left behind as a second definition).
#pragma once

#include <atomic>
#include <cstdint>

#include "render/render_threads.h"  // gRenderThreadCount, gAnimationOn, gFastShadowUpdate
#include "shading/preview_image.h"

// ---- Image shading and export -----------------------------------------------
extern int gExportProgress;           // 100 finished, -1 ended early, -2 idle
extern std::atomic<uint8_t> gExportCancel;
extern std::atomic<uint8_t> gFileThreadBusy;
extern int gExportThreadCount;
extern int gExportThreadCountSaved;
void AdvanceAnimationFrame();
void FadeSplashImage();

// ---- Voxel mesh export ------------------------------------------------------
extern float gVoxelExportProgress;

// ---- Main panel -------------------------------------------------------------
extern unsigned gGridOverlayList;  // the grid chosen in the main panel

// ---- Per-frame interface, previews, input handlers -------------------------
void DrawInterface();
bool TextInputActive();
void DrawTextInputLine();
void DrawPreview3D();
void DrawPointPreviewPbuffer();
void DrawExportProgressBox();
void OnExportFinished();  // clears the export-running flags of the panels
extern int gCurrentTab;
void OnTimer();
void OnMouseMove(int x, int y, bool leftHeld, bool rightHeld, bool middleHeld);
void OnLeftButtonDown(int x, int y);
void OnLeftButtonUp();
void OnRightButtonDown(int x, int y);
void OnRightButtonUp();
void OnMouseWheel(int x, int y, int delta);
// Text field keys; true when the field took the key.
bool TextInputKeyDown(int key);
bool TextInputCharacter(uint8_t character);

// ---- Thread-count sliders of the options panel -----------------------------
float* RenderThreadsSliderValue();
float* ExportThreadsSliderValue();
