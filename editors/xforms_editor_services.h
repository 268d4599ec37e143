// What the shell calls of the transformation editor besides its table: the
// undo copy before an edit drag in the 3-D preview, the forbidden pairs
// after the successor buttons, the picker on the timer, and the release.
#pragma once

#include <cstdint>

extern uint8_t gXFormsEditorOpen;  // the "Edit" box

// The undo copy of the 65 records, the selection and the count; true.
bool StoreTransformEditorUndo();
// The pair rows follow the forbidden successors; true.
bool ShowSuccessorFields();
// While a press holds the picker image, the timer zooms it at the pointer.
bool MandelbrotPickerShown();
// Re-renders the picker at (x, y) of its image, zooming.
void RenderMandelbrotPicker(int x, int y);
// The left or right release: the weights a drag left are published; true
// when the edit asks for the point preview to be drawn anew (its points are
// then rebuilt already).
bool FinishXFormsEditorPress();
