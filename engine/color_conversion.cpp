#include "engine/color_conversion.h"

#include <cmath>

float* HsvToRgb(float* rgb, const float* hsv)
{
    const float s = hsv[1], v = hsv[2];
    if (!(s > 0.0f)) {
        rgb[0] = rgb[1] = rgb[2] = v;
        return rgb;
    }
    double h = hsv[0];
    if (!(h < 360.0)) h = 0.0;  // 360 wraps; a hue that is not a number counts as 0 too
    h /= 60.0;
    // Hues below 0 fall into the last sector, as truncation alone would put
    // them; the guard keeps the conversion defined for any input.
    const int i = h > -2.0 ? static_cast<int>(h) : -1;
    const float f = static_cast<float>(h - i);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    float r, g, b;
    switch (i) {
    case 0: r = v; g = t; b = p; break;
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    default: r = v; g = p; b = q; break;
    }
    rgb[0] = r;
    rgb[1] = g;
    rgb[2] = b;
    return rgb;
}

float* RgbToHsv(float* hsv, const float* rgb)
{
    const float r = rgb[0], g = rgb[1], b = rgb[2];
    const float v = std::fmax(r, std::fmax(g, b));
    const float d = v - std::fmin(r, std::fmin(g, b));
    float h = 0.0f, s = 0.0f;
    if (d >= 1e-5f && v > 0.0f) {
        s = d / v;
        if (r >= v) h = (g - b) / d;
        else if (g >= v) h = (b - r) / d + 2.0f;
        else h = (r - g) / d + 4.0f;
        h *= 60.0f;
        if (h < 0.0f) h += 360.0f;
    }
    hsv[0] = h;
    hsv[1] = s;
    hsv[2] = v;
    return hsv;
}

float RoundHelper(float x)
{
    const float f = std::floor(x);
    return x - f >= 0.5f ? f + 1.0f : f;
}

int* HsvToRgb255(int* rgb, const float* hsv)
{
    float c[3];
    HsvToRgb(c, hsv);
    for (int k = 0; k < 3; ++k) {
        const float x = RoundHelper(c[k] * 256.0f);
        // Clamped before the conversion, so any float (not a number too) gives 0..255.
        rgb[k] = x >= 255.0f ? 255 : (x > 0.0f ? static_cast<int>(x) : 0);
    }
    return rgb;
}

int* HueWheel255(int* rgb, int i)
{
    const float hsv[3] = {1.40625f * static_cast<float>(i), 1.0f, 1.0f};
    return HsvToRgb255(rgb, hsv);
}
