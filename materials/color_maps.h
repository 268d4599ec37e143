// The working colour map: gColorMap is what the user loads, generates or
// edits; other parts copy it into their own tables (a material's map, the
// fog gradient, the thumbnail swatches).
#pragma once

#include <cstdint>
#include <string>

#include "engine/color_map.h"

extern ColorMap gColorMap;
// The fog gradient the shading reads: entry 0 at the back, 255 at the front.
extern ColorMap gFogGradient;

// Reads the file into gColorMap; false (the grey ramp left) when it cannot
// be read.
bool LoadColorMapFile(const std::string& path);

// Random maps from gGlobalRandomA: waves, random curves, random bytes or a
// hue-wave palette, painted in stripes of 1 to 16 entries that may skip
// every second stripe (the skipped entries keep their colour).
void GenerateRandomColorMap();
void GenerateHueWavePalette();

// Stripes: entries are written in stripes of 'width'; when 'alternate' is
// set the write flag flips at the start of every stripe, beginning off.
struct StripeRule {
    int width = 1;
    bool alternate = false;
};
bool StripeWrites(const StripeRule& rule, int entry);

// The colour maps a new user's textures folder starts with, so that the
// gradient browsers and "Load Map" offer some: the asset generator writes
// them as ".map" files beside the interface pictures, and start-up copies
// them into a textures folder that holds none. Ramps the program itself
// starts from, and maps of its own generators from fixed seeds.
struct StarterColorMap {
    const char* fileName;
    void (*make)(ColorMap& map);
};
inline constexpr int kStarterColorMapCount = 8;
extern const StarterColorMap kStarterColorMaps[kStarterColorMapCount];
