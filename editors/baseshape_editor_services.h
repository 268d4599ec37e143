// What the shell calls of the baseshape editor besides its table: the undo
// copy before an edit drag in the 3-D preview, the release, and the
// conditions of the two preset panels the shell shows on the editor's page.
#pragma once

#include <cstdint>

extern uint8_t gBaseShapeEditorOpen;  // the "Edit" box

// The undo copy of the 65 records and points, the current index and the count; true.
bool StoreBaseshapeEditorUndo();
// The left or right release: true when the edit asks for the point preview
// to be drawn anew (its points are then rebuilt already).
bool FinishBaseshapeEditorPress();
// The surface-texture presets show while the current baseshape is textured
// on "Colors"; the displacement-map presets for the displacement-mapped kinds
// on "Shape".
bool BaseshapeTexturePresetsShown();
bool BaseshapeDMapPresetsShown();
