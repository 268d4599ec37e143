// Services of other parts of the program that the shell calls but that do
// not exist yet. Each stand-in does the least that keeps the shell running:
// the screens they would draw stay empty and the work they would do is not
// done. A part that lands removes its stand-ins here (the linker reports any
// left behind as a second definition).
#pragma once

#include <atomic>
#include <cstdint>

#include "render/render_threads.h"  // gRenderThreadCount, gAnimationOn, gFastShadowUpdate
#include "shading/animation_step.h"
#include "shading/export_image.h"
#include "shading/preview_image.h"

// ---- Image shading and export -----------------------------------------------
// The preview picture, the export and the animation step are built
// (shading/); the preview shading passes are not yet.
void ShadeProgressive(int mode);

// ---- Export options of the main panel ----------------------------------------
// Check boxes of the PNG options, the "Image Type" list (1 "BMP - Windows
// Bitmap", 0 "PNG - Portable Network Graphics"), the dialogs' "always at the
// default folder" option, and the widgets an export disables and shows
// ("Stop", "Render", "Continue", the slider box, "Cancel", "Zoom").
inline constexpr int kExcludeBackgroundPng = 0;
inline constexpr int kMapFogToAlphaPng = 1;
uint8_t ExportPngOption(int option);
int ImageTypeSelection();
bool DialogsAlwaysAtDefaultFolder();
void SetExportControls(bool exporting);

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
