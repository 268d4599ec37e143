// The controls every tab shows: the main tab strip, the view lists and the
// buttons under the preview; and what the tables share (the page on screen,
// the effects of a change, the conditions).
#include <array>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/point_preview.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_seed_pick.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "shading/preview_passes.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "engine/baseshape_model.h"

const Control* gHeldControl = nullptr;

// ---- [shared] -------------------------------------------------------------------

bool NoRenderOnScreen() { return !RenderOnScreen(gScreenState.load()); }
bool FileThreadIdle() { return gFileThreadBusy.load() == 0; }

void UpdateControlPage()
{
    gControlContext.tab = gCurrentTab;
    gControlContext.page = gCurrentTab == kTabRender ? gPanel.renderPage
                           : gCurrentTab == kTabEditors ? gPanel.editorPage
                                                        : 0;
    gControlContext.effects = ApplyControlEffects;
    // The fractal's constants show beside the transformations that move them.
    gParamHelpWindow.visible =
        gCurrentTab == kTabEditors && gPanel.editorPage == kPageTransformations && gXFormsEditorOpen != 0 ? 1 : 0;
}

namespace {

bool gReshadeDeferred = false;

// The preview shows a shading change at once, unless a re-plot is pending.
void Reshade()
{
    if (gPreviewRefresh) return;
    if (gScreenState.load() < kScreenPreview3D) {
        ShadeProgressive(0);
    } else {
        ShadeFull();
    }
}

}  // namespace

void ApplyControlEffects(uint8_t effects, bool dragging)
{
    if (effects & kEffectReplot) gPointPreviewValid = 0;
    if (effects & kEffectClearPreviewTarget) ClearPreviewTarget();
    if (effects & kEffectReshade) {
        if (dragging) {
            gReshadeDeferred = true;
        } else {
            Reshade();
        }
    }
}

bool FinishDeferredReshade()
{
    if (!gReshadeDeferred) return false;
    gReshadeDeferred = false;
    Reshade();
    return true;
}

// ---- [tab strip] ----------------------------------------------------------------

namespace {

// Leaving "Editors" closes the editors and leaves edit mode, also while
// "Panel" shows the points: the other tabs have no "Edit" box to give the
// buttons back with.
void MainTabChosen()
{
    UpdateControlPage();
    if (gCurrentTab != kTabEditors && (EditModeOn() || gScreenState.load() == kScreenPreview3D)) {
        gDragGroup = 12;
        gBaseShapeEditorOpen = gXFormsEditorOpen = 0;
        gPanel.lightEditOn = 0;
        if (gBaseshapeCount == 0) gUseBaseshapes = 0;
        EndEditModeWithoutBoxes(false);
    }
}

const Control kWindowTop[] = {
    Bind(gMainTab, "Fractals").Value(&gCurrentTab).Then(MainTabChosen),
};

// ---- [under the preview] --------------------------------------------------------

bool QuestionOpen() { return ButtonEnabled(kButtonNo); }
bool Exporting() { return gFileThreadBusy.load() != 0; }

// "Cancel" stops the image export before its next pair of rows.
void CancelExport()
{
    gExportCancel.store(1);
    ClearActionPressed(kActionCancelExport);
}

const Control kWindowBottom[] = {
    Bind(gRotateList, "Rotate").Value(&gRotateMode),
    Bind(gMoveList, "Move").Value(&gMoveMode),
    Bind(gActionButtons[kActionHelp], "Help").Value(&gActionButtonEnabled[kActionHelp]),
    Bind(gActionButtons[kActionRandomSuccessors], "RND").Value(&gActionButtonEnabled[kActionRandomSuccessors]),
    Bind(gActionButtons[kActionClearSuccessors], "CLR").Value(&gActionButtonEnabled[kActionClearSuccessors]),
    Bind(gActionButtons[kActionCancelExport], "Cancel").When(Exporting).Then(CancelExport),
    Bind(gMainButtons[kButtonPreview], "Preview").Value(&gMainButtonEnabled[kButtonPreview]),
    Bind(gMainButtons[kButtonQuit], "Quit").Value(&gMainButtonEnabled[kButtonQuit]),
    Bind(gMainButtons[kButtonDraw], "Draw").Value(&gMainButtonEnabled[kButtonDraw]),
    Bind(gActionButtons[kActionNewFractal], "New Fractal").Value(&gActionButtonEnabled[kActionNewFractal]),
    Bind(gMainButtons[kButtonRender], "Render").Value(&gMainButtonEnabled[kButtonRender]),
    Bind(gMainButtons[kButtonStop], "Stop").Value(&gMainButtonEnabled[kButtonStop]),
    Bind(gMainButtons[kButtonYes], "Yes").When(QuestionOpen).Value(&gMainButtonEnabled[kButtonYes]),
    Bind(gMainButtons[kButtonNo], "No").When(QuestionOpen).Value(&gMainButtonEnabled[kButtonNo]),
    Bind(gMainButtons[kButtonContinue], "Continue").Value(&gMainButtonEnabled[kButtonContinue]),
};

}  // namespace

ControlTable WindowTopControls() { return kWindowTop; }
ControlTable WindowBottomControls() { return kWindowBottom; }

std::span<const ControlTable> ControlTables()
{
    static const std::array<ControlTable, 11> tables = {
        WindowTopControls(),     FractalsControls(),     RenderControls(), CameraControls(),
        EditorsControls(),       BaseShapeEditorControls(), XFormsEditorControls(), AboutControls(),
        VoxelsControls(),        AnimationControls(),    WindowBottomControls(),
    };
    return tables;
}
