// The window's client size chosen from the screen size.
#pragma once

// Rewrites width and height in place: 1600 by 1000 on screens larger than
// that in both directions, a fixed size for eleven common screens, the screen
// size itself from 1600 wide on, otherwise a box of aspect 1.6 scaled by 0.8.
void FitWindowToScreen(int* width, int* height);
