// The splash screen: screen 7 of the frame. It shows the splash picture for
// kSplashOnlyFrames frames, then runs one start-up step a frame until the
// last step switches to the point preview.
#pragma once

void DrawSplashScreen();
