// The view's zoom as the sliders, the wheel and the drags share it: the
// point preview's image scale and centre, and the 3-D preview's focal length.
#pragma once

extern float gFocal;         // the 3-D preview's zoom
extern float gInverseFocal;  // 1 / gFocal (1e8 for 0): edit drags scale by it

// Recomputes gImageScale and the image centre from gZoom and the pans.
void UpdateViewScaleAndCentre();

// The 3-D preview's zoom: gFocal, its inverse and the preview's scale.
void SetPreviewFocal(float focal);
