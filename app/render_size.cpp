#include "app/render_size.h"

#include "app/frame.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "render/render_buffers.h"

// W, H, W - 1 and H - 1 are the render buffers' own (render/render_buffers.h);
// SetRenderDefaults gives them their start values.
int gImageHalfWidth = 1024;
int gImageHalfHeight = 1024;
float gImageInverseWidth = 1.0f / 2048.0f;
float gImageToPreview = 2.4615386f;
float gGlowPlaneScale = 0.25f;
float gPreviewToImage = 0.40625f;
float gImageAspect = 1.0f;

void DeriveRenderSizeValues()
{
    // No buffers yet (or a failed resize): keep the values of the last real size.
    if (gImageWidth <= 0 || gImageHeight <= 0) return;
    const float w = static_cast<float>(gImageWidth);
    const float h = static_cast<float>(gImageHeight);
    gImageWidthLast = gImageWidth - 1;
    gImageHeightLast = gImageHeight - 1;
    gImageHalfWidth = gImageWidth / 2;
    gImageHalfHeight = gImageHeight / 2;
    gImageInverseWidth = 1.0f / w;
    gImageToPreview = w * 0.0012019231f;
    gGlowPlaneScale = 512.0f / w;
    gPreviewToImage = 832.0f / w;
    gImageAspect = h / w;
    const int half = static_cast<int>(416.0f * h / w);
    gPreviewFirstRow = 416 - half;
    gPreviewLastRow = 416 + half;
}

void SetRenderDefaults()
{
    gImageWidth = 2048;
    gImageHeight = 2048;
    DeriveRenderSizeValues();
    SetFractalType(0);
}
