// The view's zoom as the sliders, the wheel and the drags share it: the
// point preview's image scale and centre, and the 3-D preview's focal length.
#pragma once

extern float& gZoom;         // the point preview's zoom of the wheel, 1 at start (the shading's)
extern float gFocal;         // the 3-D preview's zoom
extern float gInverseFocal;  // 1 / gFocal (1e8 for 0): edit drags scale by it

// Recomputes gImageScale and the image centre from gZoom and the pans.
void UpdateViewScaleAndCentre();

// The 3-D preview's zoom: gFocal and its inverse (its "Zoom" slider shows
// gFocal as it is drawn).
void SetPreviewFocal(float focal);
