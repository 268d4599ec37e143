// The render size W x H and the values derived from it, which the previews,
// the shading and the input handlers read.
#pragma once

extern int gImageWidth;            // W
extern int gImageHeight;           // H
extern int gImageWidthLast;        // W - 1
extern int gImageHeightLast;       // H - 1
extern int gImageHalfWidth;        // W / 2
extern int gImageHalfHeight;       // H / 2
extern float gImageInverseWidth;   // 1 / W
extern float gImageToPreview;      // W / 832
extern float gGlowPlaneScale;      // 512 / W
extern float gPreviewToImage;      // 832 / W
extern float gImageAspect;         // H / W

// W and H of 2048 with every derived value, as before the first resize.
void SetRenderDefaults();

// The derived values and the preview's picture rows for the current W and H.
void DeriveRenderSizeValues();
