// The left and right buttons' dispatch to the widgets of the shown tab:
// clicks (OnClick), drags by drag group, wheel notches by tab, and edit
// mode of the editors' 3-D preview.
#pragma once

// A click in virtual units, y up: offered to the widgets in a fixed order;
// buttons only mark their pressed byte.
void OnClick(int x, int y);

// The drags of the held widget (gDragGroup) for the current pointer.
void DragWidgets();

// The notch at (x, y), y up, through the current tab's widgets, then the
// zoom sliders; true when something took it.
bool RouteWheelToWidgets(int x, int y, int delta);

// The editors' 3-D preview (screen 5) entered and left. Edit mode takes
// "Render", "Preview", "Draw", "New Fractal", "Stop" and "Continue" and
// leaving gives them back, whichever view "Panel" chose meanwhile.
void EnterEditMode();
void LeaveEditMode(bool regeneratePoints);
bool EditModeOn();
// Set from entering edit mode until it is left; read through EditModeOn
// (the program tests keep it and set it back).
extern bool gEditModeOn;
// The way out every "Edit" box and the tab strip take: edit mode is left
// (true) once no editor's "Edit" box is on; regeneratePoints as for
// LeaveEditMode.
bool EndEditModeWithoutBoxes(bool regeneratePoints);

// The two values of "Render Resolution:" rounded down and clamped to 3072.
void ClampRenderResolution();
// The voxel side length's read-out: " in (%2.3f cm)" from 10 on, else
// without the blank.
const char* SideLengthReadout(float length);

// The release: zoom sliders let go, one reshade for what the drags changed.
void FinishWidgetDrags();
