// Colour conversion between HSV (hue in degrees 0 to below 360, saturation
// 0 to 1, value) and RGB floats 0 to 1, or integers 0 to 255.
#pragma once

float* HsvToRgb(float* rgb, const float* hsv);
float* RgbToHsv(float* hsv, const float* rgb);
// HsvToRgb, each channel times 256, rounded half up and clamped to 0..255.
int* HsvToRgb255(int* rgb, const float* hsv);
// Entry i of 256 around the hue circle at full saturation and value (from
// red at 0), as the escape-time gradient starts.
int* HueWheel255(int* rgb, int i);
// floor(x), plus 1 when the fraction is at least 0.5.
float RoundHelper(float x);
