// The left button of the main window: the press maps the pointer into the
// virtual screen and marks what it hits; the release runs the actions.
#pragma once

// Pointer in drawable pixels, origin top left.
void OnLeftButtonDown(int x, int y);
void OnLeftButtonUp();
