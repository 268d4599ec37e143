// The working colour map and its file format. gColorMap is what the user
// loads, generates or edits; other parts copy it into their own tables (a
// material's map, the fog gradient, the thumbnail swatches).
//
// A colour-map file (".map") is text, one entry a line, "red green blue" of
// 0..255, entry 0 first; writers put exactly 256 lines "%d %d %d".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kColorMapEntries = 256;

struct ColorMap {
    uint8_t red[kColorMapEntries];
    uint8_t green[kColorMapEntries];
    uint8_t blue[kColorMapEntries];
};

extern ColorMap gColorMap;

// Entry i = (i, i, i).
void SetGreyRamp(ColorMap& map);

// Reads colour-map text: the grey ramp first, then up to 256 lines (of at
// most 99 characters; a longer line is read as several), each parsed as
// three numbers truncated toward zero, their low 8 bits stored. A number
// that is missing, not a number or beyond the int range gives 0.
void ReadColorMapText(ColorMap& map, std::string_view text);
// The numbers of up to 256 lines as they stand (missing ones 0); returns
// the lines read. ReadColorMapText stores these as bytes.
int ReadColorMapValues(std::string_view text, float red[kColorMapEntries], float green[kColorMapEntries],
                       float blue[kColorMapEntries]);
// The 256 lines "%d %d %d\n" of the map.
std::string ColorMapText(const ColorMap& map);

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
