// The main options panel's services to the shell (the class is
// shading/interface_settings.h, gInterface).
#pragma once

#include "shading/interface_settings.h"

// Start-up callback of the transformation editor: "RND" and "CLR" by type.
void UpdateTypeButtonsCallback();

// The grid chosen in "Grid", replayed over the preview.
extern unsigned gGridOverlayList;
// Records the five grid lists for a picture of width x height.
void BuildGridOverlays(int width, int height);
// gInterface.SetSymmetryRotation: 0 save, 2 restore, 1 one animation step.
void SetSymmetryRotation(int mode);

// The label of "Fixed View"'s cell i counted from the left ("" outside).
const char* FixedViewLabel(int cell);
// gInterface.CanExportKavrolinScene for the dispatcher.
bool CanExportKavrolinScene();
