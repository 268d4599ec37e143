#include "materials/color_maps.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

#include "engine/baseshape_record.h"
#include "engine/color_conversion.h"
#include "engine/random.h"

ColorMap gColorMap;
ColorMap gFogGradient;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kHalfWord = 0x80000000u;

uint32_t Draw() { return RandomStep(gGlobalRandomA); }
double Uniform() { return RandomUniform(gGlobalRandomA); }

uint8_t ClampByte(double v)
{
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return static_cast<uint8_t>(static_cast<int>(v));
}

StripeRule DrawStripeRule()
{
    StripeRule rule;
    const uint32_t r = Draw();
    rule.width = r <= kHalfWord ? 1 << ((r % 4) + 1) : 1;
    rule.alternate = Draw() > kHalfWord;
    return rule;
}

void Store(ColorMap& map, const StripeRule& rule, int i, uint8_t r, uint8_t g, uint8_t b)
{
    if (!StripeWrites(rule, i)) return;
    map.red[i] = r;
    map.green[i] = g;
    map.blue[i] = b;
}

// One wave of the hue-wave palette: one of six shapes with a random phase
// and frequency, or (the seventh choice) the constant 'keep'.
struct Wave {
    int shape = 6;
    double phase = 0, frequency = 0, keep = 1;
    double At(int i) const
    {
        const double a = i * kPi / 512 + phase, b = frequency * i + phase;
        switch (shape) {
        case 0: return std::sin(a);
        case 1: return std::asin(std::sin(a)) * 2 / kPi;
        case 2: return (std::sin(b) + 1) / 2;
        case 3: return std::asin(std::sin(b)) / kPi + 0.5;
        case 4: return std::tanh(3 * std::sin(a));
        case 5: return std::tanh(1.5 * std::sin(b)) + 0.5;
        default: return keep;
        }
    }
};

Wave DrawWave(bool saturation)
{
    Wave w;
    w.shape = static_cast<int>(Draw() % 7);
    w.phase = Uniform() * 2 * kPi;
    w.frequency = (static_cast<double>(Draw() % 16) * kPi / 256 + 1.0 / 256);
    if (saturation) {
        const uint32_t start = Draw() % 3;
        w.keep = start == 0 ? 0.0 : start == 1 ? 1.0 : Uniform();
    }
    return w;
}

uint8_t HsvChannel(double c)
{
    c *= 256;
    if (c >= 256) c = 255;
    return WrapColorByte(c);
}

// The channel waves of the wave family, with an optional second wave.
double FirstShape(int s, double a, double b)
{
    switch (s) {
    case 0: return std::cos(a);
    case 1: return std::sin(a);
    case 2: return (std::cos(b) + 1) / 2;
    case 3: return (std::sin(b) + 1) / 2;
    case 4: return std::asin(std::cos(a)) * 2 / kPi;
    case 5: return std::asin(std::sin(a)) * 2 / kPi;
    case 6: return std::asin(std::cos(b)) / kPi + 0.5;
    case 7: return std::asin(std::sin(b)) / kPi + 0.5;
    case 8: return std::tanh(3 * std::cos(a));
    case 9: return std::tanh(3 * std::sin(a));
    case 10: return (std::tanh(3 * std::cos(b)) + 1) / 2;
    default: return (std::tanh(3 * std::sin(b)) + 1) / 2;
    }
}

double SecondShape(int s, double b2)
{
    switch (s) {
    case 0: return std::sin(b2);
    case 1: return std::cos(b2);
    case 2: return std::tanh(3 * std::sin(b2));
    case 3: return std::tanh(3 * std::cos(b2));
    case 4: return std::asin(std::sin(b2)) * 2 / kPi;
    default: return std::asin(std::cos(b2)) * 2 / kPi;
    }
}

void WaveChannel(double out[kColorMapEntries])
{
    const int s1 = static_cast<int>(Draw() % 12), s2 = static_cast<int>(Draw() % 7);
    const double k = static_cast<double>(Draw() % 16), k2 = static_cast<double>(Draw() % 32);
    const double amplitude = Uniform() * 0.25;
    for (int i = 0; i < kColorMapEntries; ++i) {
        const double a = i * kPi / 512, b = (k * kPi / 256 + 1.0 / 256) * i, b2 = (k2 * kPi / 256 + 1.0 / 256) * i;
        out[i] = FirstShape(s1, a, b) + (s2 < 6 ? amplitude * SecondShape(s2, b2) : 0.0);
    }
}

void CurveChannel(int mode, double out[kColorMapEntries])
{
    constexpr int kControls = 350;
    const int n = static_cast<int>(Draw() % 128) + 1;
    double c[kControls];
    for (double& v : c) v = Uniform() * Uniform();  // darker values likelier
    const double beforeFirst = Uniform();
    for (int j = 0; j < kColorMapEntries; ++j) {
        const int i = j / n;  // at most 255, so i + 2 stays inside the controls
        const double t = static_cast<double>(j % n) / n, c0 = c[i], c1 = c[i + 1];
        double v;
        if (mode == 0) {
            const double cm = i > 0 ? c[i - 1] : beforeFirst, c2 = c[i + 2];
            v = 0.5 * ((2 * c0) + (-cm + c1) * t + (2 * cm - 5 * c0 + 4 * c1 - c2) * t * t +
                       (-cm + 3 * c0 - 3 * c1 + c2) * t * t * t);
        } else if (mode == 1) {
            const double w = (1 - std::cos(kPi * t)) / 2;
            v = (1 - w) * c0 + w * c1;
        } else {
            v = (1 - t) * c0 + t * c1;
        }
        out[j] = v < 0 ? 0 : v > 1 ? 1 : v;
    }
}

}  // namespace

bool StripeWrites(const StripeRule& rule, int entry)
{
    if (!rule.alternate) return true;
    const int width = rule.width > 0 ? rule.width : 1;
    return (entry / width) % 2 == 1;
}

bool LoadColorMapFile(const std::string& path) { return ReadColorMapFile(path, gColorMap); }

void GenerateHueWavePalette()
{
    const StripeRule stripes = DrawStripeRule();
    const Wave value = DrawWave(false), saturation = DrawWave(true);
    const double step = static_cast<double>(((Draw() % 32) + 1) * 360 / 256);
    const double offset = static_cast<double>(Draw() % 180);
    for (int i = 0; i < kColorMapEntries; ++i) {
        const double h = std::fmod(i * step + offset, 360.0) / 60, s = saturation.At(i), v = value.At(i);
        const int sector = static_cast<int>(std::floor(h)) % 6;
        const double f = h - std::floor(h), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
        double r, g, b;
        switch (sector) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
        }
        Store(gColorMap, stripes, i, HsvChannel(r), HsvChannel(g), HsvChannel(b));
    }
}

void GenerateRandomColorMap()
{
    const StripeRule stripes = DrawStripeRule();
    if (Uniform() <= 0.2) {
        if (Draw() % 4 < 3) {
            GenerateHueWavePalette();
            return;
        }
        for (int i = 0; i < kColorMapEntries; ++i) {
            const uint32_t w = Draw();
            Store(gColorMap, stripes, i, static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8),
                  static_cast<uint8_t>(w >> 16));
        }
        return;
    }
    const int mode = static_cast<int>(Draw() % 3);
    const bool waves = Draw() <= kHalfWord;
    double channels[3][kColorMapEntries];
    for (auto& channel : channels) {
        if (waves)
            WaveChannel(channel);
        else
            CurveChannel(mode, channel);
    }
    for (int i = 0; i < kColorMapEntries; ++i)
        Store(gColorMap, stripes, i, ClampByte(channels[0][i] * 255), ClampByte(channels[1][i] * 255),
              ClampByte(channels[2][i] * 255));
}

namespace {

// The hue circle at full saturation and value, as the transformation
// editor's escape-time gradient starts.
void MakeHueWheel(ColorMap& map)
{
    for (int i = 0; i < kColorMapEntries; ++i) {
        int rgb[3];
        HueWheel255(rgb, i);
        map.red[i] = static_cast<uint8_t>(rgb[0]);
        map.green[i] = static_cast<uint8_t>(rgb[1]);
        map.blue[i] = static_cast<uint8_t>(rgb[2]);
    }
}

// The sixteen colours every baseshape's colour ramp starts with, repeated.
void MakeBaseshapeColours(ColorMap& map)
{
    for (int i = 0; i < kColorMapEntries; ++i) {
        map.red[i] = kBaseshapeColorWheel[i % 16][0];
        map.green[i] = kBaseshapeColorWheel[i % 16][1];
        map.blue[i] = kBaseshapeColorWheel[i % 16][2];
    }
}

// What "Random" gives over the grey ramp from a fixed seed; the working
// map and the shared stream are left as they were.
void Generated(ColorMap& map, uint32_t seed, bool hueWave)
{
    const ColorMap working = gColorMap;
    const RandomState stream = gGlobalRandomA;
    SetGreyRamp(gColorMap);
    SeedRandomState(gGlobalRandomA, seed);
    if (hueWave)
        GenerateHueWavePalette();
    else
        GenerateRandomColorMap();
    map = gColorMap;
    gColorMap = working;
    gGlobalRandomA = stream;
}

}  // namespace

// The seeds were chosen by eye among smooth maps of the generators.
const StarterColorMap kStarterColorMaps[kStarterColorMapCount] = {
    {"baseshape_colours.map", MakeBaseshapeColours},
    {"blue_yellow.map", [](ColorMap& m) { Generated(m, 693, false); }},
    {"grey.map", SetGreyRamp},
    {"hue_wheel.map", MakeHueWheel},
    {"mint_forest.map", [](ColorMap& m) { Generated(m, 763, false); }},
    {"olive_gold.map", [](ColorMap& m) { Generated(m, 488, false); }},
    {"teal_red.map", [](ColorMap& m) { Generated(m, 1968, true); }},
    {"violet_dusk.map", [](ColorMap& m) { Generated(m, 1948, false); }},
};
