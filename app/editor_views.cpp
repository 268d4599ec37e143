#include "app/editor_views.h"

#include "app/panel_state.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/generator_chain_editing.h"

namespace {

// The page on screen decides when both editors are open.
bool BaseshapeEditorLeads()
{
    return gBaseShapeEditorOpen && (gPanel.editorPage == kPageBaseshapes || !gXFormsEditorOpen);
}

}  // namespace

int OpenEditorViewPreset(int current)
{
    if (BaseshapeEditorLeads()) return gBaseShapeEditor.windowRow;
    if (gXFormsEditorOpen) return gXFormsEditor.windowRow;
    if (gPanel.lightEditOn) return gPanel.lightWindow;
    return current;
}

int OpenEditorControls()
{
    if (BaseshapeEditorLeads()) return gBaseShapeEditor.controlsRow;
    if (gXFormsEditorOpen) return gXFormsEditor.controlsRow;
    if (gPanel.lightEditOn) return gPanel.lightControls;
    return 1;
}

int SelectedPreviewTransformation()
{
    return gPanel.editorPage == kPageTransformations ? gTransformEdit.selected : -1;
}

int SelectedPreviewBaseshape() { return gPanel.editorPage == kPageBaseshapes ? gCurrentBaseshape : -1; }

bool BaseshapeAnimationOn() { return gPanel.previewAnimations != 0; }
