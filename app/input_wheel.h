// Wheel notches: first the widgets of the current tab under the hover
// position, then the view's own zoom.
#pragma once

// Pointer in drawable pixels (the event's own position); delta > 0 is a
// notch away from the user.
void OnMouseWheel(int x, int y, int delta);

