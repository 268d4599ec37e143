// The push buttons of the main window that every tab shows: the render row,
// the erase question's "Yes" and "No", and "Quit". A press marks a button
// (its pressed byte); the release runs the actions (render_control.h). The
// button's visible byte is its enabled state: a disabled button is neither
// drawn nor hit.
#pragma once

#include "app/interface_layout.h"
#include "ui/button.h"

extern Button gMainButtons[kMainButtonCount];

inline Button& MainButton(MainButtonId id) { return gMainButtons[id]; }
inline bool ButtonEnabled(MainButtonId id) { return gMainButtons[id].visible != 0; }
inline void EnableButton(MainButtonId id, bool on) { gMainButtons[id].visible = on ? 1 : 0; }

// Builds every button from the layout table with its start-up enabled state.
void BuildMainButtons();

// Sets the pressed byte of every enabled button under (x, y), y up.
void ClickMainButtons(int x, int y);

// The buttons always drawn, then, while "No" is enabled (the erase question
// is open), the question's box and its two buttons.
void DrawMainButtons();
void DrawEraseQuestion();
