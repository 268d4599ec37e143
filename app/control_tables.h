// The control tables of the main window: every widget with the page it shows
// on, the value it edits and what a change sets off. The frame draws them,
// the pointer handlers route to them and the tests walk them.
#pragma once

#include <span>

#include "ui/controls.h"

// Every page's table, in the order a press visits them: the tab strips
// first, the buttons under the preview last.
std::span<const ControlTable> ControlTables();

// The tables of each tab (app/controls_*.cpp).
ControlTable WindowTopControls();     // the tab strip
ControlTable FractalsControls();
ControlTable RenderControls();
ControlTable CameraControls();
ControlTable EditorsControls();
ControlTable AboutControls();
ControlTable VoxelsControls();
ControlTable AnimationControls();
ControlTable WindowBottomControls();  // view lists and buttons under the preview

// The page on screen into the tables' context (tab, page).
void UpdateControlPage();
// The control that took the last press and holds its drags, or null.
extern const Control* gHeldControl;

// What a change of a shading or preview value sets off (the tables' effects).
void ApplyControlEffects(uint8_t effects, bool dragging);
// The reshade a drag deferred to the release; true when one was due.
bool FinishDeferredReshade();

// Conditions the tables share.
bool NoRenderOnScreen();      // gScreenState > 3: no render screen is up
bool FileThreadIdle();         // no image export runs
