#include "app/editor_views.h"

#include "app/panel_state.h"
#include "editors/xforms_editor.h"
#include "engine/generator_chain_editing.h"

int OpenEditorViewPreset(int current)
{
    if (gXFormsEditorOpen) return gXFormsEditor.windowRow;
    if (gPanel.lightEditOn) return gPanel.lightWindow;
    return current;
}

int OpenEditorControls()
{
    if (gXFormsEditorOpen) return gXFormsEditor.controlsRow;
    if (gPanel.lightEditOn) return gPanel.lightControls;
    return 1;
}

int SelectedPreviewTransformation()
{
    return gPanel.editorPage == kPageTransformations ? gTransformEdit.selected : -1;
}
