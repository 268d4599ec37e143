#include "app/main_input.h"

#include "app/create_interface.h"
#include "app/frame.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/input_clicks.h"
#include "app/interface_drawing.h"
#include "app/main_buttons.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "app/render_control.h"
#include "engine/status_line.h"
#include "app/pointer_state.h"
#include "platform/desktop/platform_events.h"
#include "platform/desktop/preview_target.h"
#include "render/render_threads.h"
#include "platform/desktop/gl_window.h"
#include "ui/widget.h"

namespace {

// A press on a render screen shows the render buffers, not the preview.
void KeepRenderShown()
{
    if (gScreenState.load() < kScreenPreview3D) gRenderInBuffers = 1;
}

}  // namespace

void OnLeftButtonDown(int x, int y)
{
    SetStatusText("Talvoran");
    EndTextInput();
    KeepRenderShown();
    CaptureMouse(true);
    gMouseState = kMouseStateLeft;
    gLastPointerX = PointerToVirtualX(x);
    gLastPointerY = PointerToVirtualYDown(y);
    OnClick(gLastPointerX, kVirtualScreenHeight - gLastPointerY);
    if (PointerInView(gLastPointerX, gLastPointerY)) {
        gDragGroup = 12;
        // An edit drag in the 3-D preview can be undone.
        if (gScreenState.load() == kScreenPreview3D && gEditorTab.selected == 0) StoreBaseshapeEditorUndo();
        if (gScreenState.load() == kScreenPreview3D && gEditorTab.selected == 1) StoreTransformEditorUndo();
        gViewDragStart = PointerDragVector(gRotateMode, gLastPointerX, gLastPointerY, gViewDragStart);
    }
    KeepRenderShown();
    if (gPointPreviewValid == 0) ClearPreviewTarget();
}

void OnLeftButtonUp()
{
    gMouseState = kMouseStateNone;
    ProcessInterfaceActions();
    gDragGroup = 0;
    FinishWidgetDrags();
    if (FinishBaseshapeEditorPress()) gPointPreviewValid = 0;
    if (FinishXFormsEditorPress()) gPointPreviewValid = 0;
    CaptureMouse(false);
}
