// What the 3-D preview asks of the open editor: the view its "Window" list
// chooses, whether its "Controls" list rotates or pans, and which
// transformation or baseshape it highlights.
#pragma once

// The view preset of the open editor's "Window" list (3 "Camera", 2 "Front",
// 1 "Left", 0 "Top"); current when no editor is open.
int OpenEditorViewPreset(int current);
// The open editor's "Controls" list: 1 "Rotate", 0 "Pan".
int OpenEditorControls();
// The transformation editor's selection while its page is open, else -1.
int SelectedPreviewTransformation();
// The baseshape editor's current baseshape while its page is open, else -1.
int SelectedPreviewBaseshape();
// The point preview moves the baseshapes while "Enable Preview Animations"
// is checked.
bool BaseshapeAnimationOn();
