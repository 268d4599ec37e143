#include "app/preview_timer.h"

#include <cstring>

#include "app/frame.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/startup_state.h"
#include "app/pointer_state.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/desktop/preview_target.h"
#include "render/render_buffers.h"
#include "ui/widget.h"

int gPreviewTicks = 0;

void OnTimer()
{
    if (MandelbrotPickerShown()) RenderMandelbrotPicker(gPointerX - 200, 564 - gPointerY);
    if (gEffectiveScreenState != kScreenPointPreview || !gPreviewRefresh) return;
    if (++gPreviewTicks <= kPreviewSettleTicks[gPreviewTargetAvailable ? 1 : 0]) return;

    gRenderClock = gProgramStartTime;
    gPreviewRefresh = 0;
    if (!gVoxelEngineOn) std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
    gPreviewTicks = 0;
    if (!gBaseShapeEditorOpen && !gXFormsEditorOpen && !gVoxelEngineOn) {
        ReshadePreview();
    } else if (gVoxelEngineOn) {
        gStartupStep = 3600;  // the following busy frame shades
    }
}
