// The push buttons of the main window that every tab shows: the render row,
// the erase question's "Yes" and "No", and "Quit". A press marks a button
// (its pressed byte); the release runs the actions (render_control.h). Each
// has an enabled byte: a disabled button is neither drawn nor hit.
#pragma once

#include <cstdint>

#include "app/interface_layout.h"
#include "ui/button.h"

extern Button gMainButtons[kMainButtonCount];
extern uint8_t gMainButtonEnabled[kMainButtonCount];

inline Button& MainButton(MainButtonId id) { return gMainButtons[id]; }
inline bool ButtonEnabled(MainButtonId id) { return gMainButtonEnabled[id] != 0; }
inline void EnableButton(MainButtonId id, bool on) { gMainButtonEnabled[id] = on ? 1 : 0; }

// Builds every button from the layout table with its start-up enabled state.
void BuildMainButtons();

// While "No" is enabled (the erase question is open), the question's box;
// its two buttons are drawn with the window's controls.
void DrawEraseQuestion();
