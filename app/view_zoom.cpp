#include "app/view_zoom.h"

#include "engine/shared_access.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "shading/preview_passes.h"

float& gZoom = gPointPreviewZoom;
float gFocal = 1.0f;
float gInverseFocal = 1.0f;

void UpdateViewScaleAndCentre()
{
    const float halfW = static_cast<float>(gImageWidth / 2), halfH = static_cast<float>(gImageHeight / 2);
    gImageScale = (gImageWidth <= gImageHeight ? halfW : halfH) * gZoom;
    SharedStore(gImageOffsetX, halfW + gPanX);
    SharedStore(gImageOffsetY, halfH + gPanY);
}

void SetPreviewFocal(float focal)
{
    gFocal = focal;
    gInverseFocal = gFocal == 0.0f ? 1e8f : 1.0f / gFocal;
}
