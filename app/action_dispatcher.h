// The page actions of the main window's release handler: the fractals page
// (type change, file buttons, "Kavrolin"), the render page (materials,
// textures, fog, image export), the camera page and the voxels page, then
// the panel's "New Fractal", "Help", "RND" and "CLR". ProcessInterfaceActions
// (render_control.h) runs them in its fixed order around the render row.
#pragma once

// The page of gCurrentTab; false when the pass must end here.
bool RunPageActions();
// "New Fractal", "Help", "RND", "CLR", between "Draw" and "Render".
void RunPanelActions();

// "Render Animation": its pressed byte, the animation branch of "Yes"
// (false: leave the pass, as in voxel mode) and its enabled byte.
bool RenderAnimationPressed();
bool PrepareAnimationStart();
void EnableRenderAnimation(bool on);

// The forbidden successors drawn by "RND": all -1, then with three or more
// transformations the first of each (both when the first draw is above
// 0.95) drawn modulo the count from gGlobalRandomB.
void DrawForbiddenSuccessors();

// The texture list's "Select" loads a colour map when the file's own name
// ends in ".map" (any case), an image otherwise.
bool IsColorMapFileName(const char* path);
