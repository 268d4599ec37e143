// The sky model of the daylight backgrounds and sky textures.
#pragma once

// Colour of the sky seen along direction d, each channel in [0, 1].
// d is scaled (x and y by verticalScale), normalised and written back; with
// horizonFade set, directions below the horizon fold upwards and darken.
// upper, sun and horizon are RGB colours; ground is accepted for the callers'
// argument order but the model does not use it. p = (halo exponent, haze
// fall-off, sun exponent).
float* ComputeSkyColor(float* out, float* d, const float* sunDirection, const float* upper, const float* sun,
                       const float* horizon, const float* ground, const float* p, bool horizonFade,
                       float verticalScale);
