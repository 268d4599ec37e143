// The widgets of the main window that no panel class owns, built once at
// start-up step 9, and the final set-up of step 10 that turns the light.
#pragma once

#include "app/action_buttons.h"
#include "ui/balls.h"
#include "ui/option_lists.h"
#include "ui/progress_box.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"
#include "ui/thumb_wheel.h"

extern TrackBall gLightTrackBall;
extern OptionsBox gMapFogToAlphaBox, gExcludeBackgroundBox;  // "... (PNG)"
extern YSlider gZoomSlider, gZoom3DSlider;                   // point preview, 3-D view
extern SLWindow gPerspectiveWindow, gRenderThreadsWindow, gExportThreadsWindow, gRenderResolutionWindow;
extern SLWindow gAveragedOcclusionWindow, gPerPixelOcclusionWindow;
extern SliderBox gSliderBox;  // the export progress box
extern OptionsBox gAmbientOcclusionBox, gKeepDefaultPathsBox, gEnable2xAABox;
extern ListBox gOcclusionOptionsList, gShadowTypeList, gPanelList;
extern NewDropBox gFractalTypeBox;
extern Tab gMainTab, gEditorTab, gRenderTab;
// The view controls under the preview: "Rotate" (3 "TBall", 2 "Xr", 1 "Yr",
// 0 "Zr" from the bottom) and "Move" (2 "XY", 1 "X", 0 "Y").
extern ListBox gRotateList, gMoveList;
extern int gRotateMode, gMoveMode;
// "Threads": render thread counts to pick on the "Fractals" page, in the
// frame of the processor count.
extern ListBox gThreadsList;
// The transformation editor's "Fractal Generator" check list (33 rows: 24
// transformation-set presets, the random chains, eight chain presets),
// shown on the "Fractals" page for fractal type 48 only.
extern BoolBox gFractalGeneratorList;
inline constexpr int kFractalGeneratorRows = 33;  // gFractalGeneratorNames

// "Render Resolution:" (truncated) and "Enable 2X AA.", as "Change" reads them.
struct RenderResolution {
    int width, height;
    bool antiAlias2x;
};
extern RenderResolution (*gReadRenderResolution)();  // tests replace it

// Set once CreateInterface has run: the frame then draws the pages.
extern bool gInterfaceBuilt;
// The main tab's selection, 0 "Fractals" .. 6 "Animation".
extern int gCurrentTab;

// Start-up step 9: every widget above, the main options panel, the material
// and light panel, the help window, the buttons.
void CreateInterface();
// Start-up step 10: turbidity 1.0 for every sky, the light trackball turned
// forty times from (442, 720) to (770, 492), the suns from its direction.
void TurnLightToStartDirection();
// The light ball's direction to the light view and every sky's sun.
void FollowLightBall();
