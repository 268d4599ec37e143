// Counters of the start-up sequence, shared with the frame: the splash shows
// its picture for kSplashOnlyFrames frames, then runs one start-up step a
// frame. After start-up gStartupStep serves the frame clock of the render and
// busy screens.
#pragma once

inline constexpr int kSplashOnlyFrames = 200;
inline constexpr int kLastStartupStep = 10;

extern int gStartupStep;       // the step the coming splash frame runs (defined by the frame)
extern int gSplashFrameCount;  // splash frames drawn; reset by the point preview
